#pragma once
// A drawing surface over a QPainter: on a picture (the board cache, a bitmap) or on any paint
// device (the window), or borrowing a painter that is already active. A surface on a device of
// size 0 draws nothing.
// Quality modes map to render hints: AntiAlias / HighQuality smoothing turn anti-aliasing on;
// the high-quality interpolation modes turn smooth picture scaling on. With a pixel offset mode
// other than HighQuality / Half, pixel centres lie on integer coordinates (a half-pixel shift).

#include "platform/GPGeometry.h"
#include "platform/graphics/GPStrokeCache.h"
#include "platform/graphics/GPTypes.h"

#include <QPainter>
#include <QString>
#include <QTransform>

#include <memory>
#include <vector>

class QImage;
class QPaintDevice;
class TGPBitmap;
class TGPBrush;
class TGPFont;
class TGPGraphicsPath;
class TGPImage;
class TGPImageAttributes;
class TGPPen;
struct TGPPathFigure;

class TGPGraphics {
public:
    explicit TGPGraphics(QPaintDevice* device);
    explicit TGPGraphics(TGPBitmap& bitmap);
    // Draws through a painter owned by the caller; its state is restored when this ends.
    explicit TGPGraphics(QPainter& painter);
    ~TGPGraphics();
    TGPGraphics(const TGPGraphics&) = delete;
    TGPGraphics& operator=(const TGPGraphics&) = delete;

    void SetSmoothingMode(TGPSmoothingMode mode);
    TGPSmoothingMode GetSmoothingMode() const { return m_smoothingMode; }
    void SetPixelOffsetMode(TGPPixelOffsetMode mode);
    TGPPixelOffsetMode GetPixelOffsetMode() const { return m_pixelOffsetMode; }
    void SetInterpolationMode(TGPInterpolationMode mode);
    TGPInterpolationMode GetInterpolationMode() const { return m_interpolationMode; }

    // World transform (applied before the pixel offset).
    void TranslateTransform(float dx, float dy);
    void ScaleTransform(float sx, float sy);
    void ResetTransform();

    // Clip to a rectangle given in world coordinates; drawing outside it leaves pixels untouched.
    void SetClip(const TGPRectF& rect);
    void ResetClip();
    // The box of the area drawing can reach, in world coordinates: the clip rectangle met with
    // the surface, or the whole surface when there is no clip.
    TGPRectF GetClipBounds() const;

    void Clear(TGPColor color);
    void DrawLine(const TGPPen& pen, const TGPPointF& p1, const TGPPointF& p2);
    void DrawLine(const TGPPen& pen, float x1, float y1, float x2, float y2);
    void DrawPath(const TGPPen& pen, const TGPGraphicsPath& path);
    void FillPath(const TGPBrush& brush, const TGPGraphicsPath& path);
    void FillRectangle(const TGPBrush& brush, const TGPRectF& rect);
    // The whole picture at its own size with its top-left at (x, y).
    void DrawImage(const TGPImage& image, float x, float y);
    // The whole picture scaled into the rectangle.
    void DrawImage(const TGPImage& image, const TGPRectF& rect);
    // The source rectangle (pixels) of the picture into the rectangle, through the colour matrix.
    void DrawImage(const TGPImage& image, const TGPRectF& rect, const TGPRectF& sourceRect,
                   const TGPImageAttributes& attributes);
    // Text from the top-left origin, no layout box, no wrapping: lines break only at line breaks.
    // length -1 draws the whole text, otherwise its first length characters.
    void DrawString(const QString& text, int length, const TGPFont& font, const TGPPointF& origin,
                    const TGPBrush& brush);
    // The box DrawString covers for that text and origin.
    TGPRectF MeasureString(const QString& text, int length, const TGPFont& font, const TGPPointF& origin) const;

    float GetDpiX() const;
    float GetDpiY() const;

    // The surface keeps what is drawn as shapes, text and pictures (a PDF) rather than as
    // pixels. Drawing there keeps shapes and text as they are: no pixel copy of a text, no
    // translucent figures flattened into a layer.
    bool IsVectorSurface() const;

    // A miniature of a drawing (a thumbnail): figures whose pen is at most a pixel wide on the
    // surface are stroked as thin lines, without working out the pen's outline; at that size its
    // caps, joins and dashes do not show.
    void SetMiniature(bool p_bMiniature) { m_bMiniature = p_bMiniature; }

    // Figures drawn with a pen on this surface take their coverage from the cache when it holds
    // them, and are added to it otherwise; the pixels are the same either way. None: every
    // figure is stroked and rasterized.
    void SetStrokeCache(TGPStrokeCache* p_cache);
    // Device pixels per logical pixel of what it draws into (a board made for a dense screen).
    qreal GetDevicePixelRatio() const;

private:
    bool IsActive() const { return m_painter->isActive(); }
    // On a miniature: strokes the figures as thin lines when the pen is thin enough on the device.
    bool StrokeAsThinLines(const std::vector<const TGPPathFigure*>& figures, const TGPPen& pen, const QColor& color);
    void ApplyTransform();
    void DrawTranslucentFigures(const std::vector<const TGPPathFigure*>& figures, const TGPPen& pen,
                                const QRectF& extent);
    // Paints the pen's outline of the figure over the surface.
    void FillFigure(const TGPPathFigure& figure, const TGPPen& pen, const QColor& color);
    // The coverage of the figure through the transform, from the cache or rasterized into it;
    // none when it is not kept (too large), the pen's outline then left in p_outline.
    std::shared_ptr<const TGPCoverageMask> FigureCoverage(const TGPPathFigure& figure, const TGPPen& pen,
                                                          const QTransform& toDevice, QPainterPath& p_outline);
    // Draws the image's pixels one to one onto the device's, its top-left at the device pixel.
    void DrawAtDevicePixels(const QPoint& p_ptDevice, const QImage& p_image);
    // The surface blends a source-over image as its solid fills blend: a picture of premultiplied
    // pixels, no opacity, no other composition.
    bool BlendsLikeSolidFill() const;

    bool m_bMiniature = false;
    TGPStrokeCache* m_strokeCache = nullptr;
    std::unique_ptr<TGPStrokeCache::TScratch> m_scratch;  // lent by the cache at the first need
    std::vector<QRgb> m_arrayColouredCoverage;

    std::unique_ptr<QPainter> m_ownPainter;
    QPainter* m_painter;
    TGPSmoothingMode m_smoothingMode = TGPSmoothingMode::Default;
    TGPPixelOffsetMode m_pixelOffsetMode = TGPPixelOffsetMode::Default;
    TGPInterpolationMode m_interpolationMode = TGPInterpolationMode::Default;
    QTransform m_worldTransform;
    QTransform m_baseTransform;  // a borrowed painter's own transform, kept under ours
};
