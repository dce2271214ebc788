#include "platform/graphics/GPGraphics.h"

#include "platform/graphics/GPBitmap.h"
#include "platform/graphics/GPBrush.h"
#include "platform/graphics/GPFont.h"
#include "platform/graphics/GPGraphicsPath.h"
#include "platform/graphics/GPImage.h"
#include "platform/graphics/GPImageAttributes.h"
#include "platform/graphics/GPOutline.h"
#include "platform/graphics/GPPen.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>

#include <algorithm>
#include <cmath>

namespace {

// Resolution of pictures, and of a surface that has no device.
constexpr float kDefaultDpi = 96.0f;

QRectF ToQRectF(const TGPRectF& rect)
{
    return QRectF(rect.X, rect.Y, rect.Width, rect.Height);
}

TGPRectF ToRectF(const QRectF& rect)
{
    return {static_cast<float>(rect.x()), static_cast<float>(rect.y()), static_cast<float>(rect.width()),
            static_cast<float>(rect.height())};
}

// True when the matrix only scales alpha by a factor in 0..1: the painter's opacity does it.
bool IsAlphaScale(const TGPColorMatrix& matrix)
{
    TGPColorMatrix withoutAlpha = matrix;
    withoutAlpha[3][3] = 1.0f;
    return withoutAlpha == IdentityColorMatrix() && matrix[3][3] >= 0.0f && matrix[3][3] <= 1.0f;
}

// Each pixel's (r, g, b, a, 1) row times the matrix, clamped to 0..1.
QImage ApplyColorMatrix(const QImage& source, const TGPColorMatrix& m)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const float v[5] = {qRed(line[x]) / 255.0f, qGreen(line[x]) / 255.0f, qBlue(line[x]) / 255.0f,
                                qAlpha(line[x]) / 255.0f, 1.0f};
            int out[4];
            for (int j = 0; j < 4; ++j) {
                float sum = 0.0f;
                for (int i = 0; i < 5; ++i) {
                    sum += v[i] * m[static_cast<size_t>(i)][static_cast<size_t>(j)];
                }
                out[j] = static_cast<int>(std::lround(std::clamp(sum, 0.0f, 1.0f) * 255.0f));
            }
            line[x] = qRgba(out[0], out[1], out[2], out[3]);
        }
    }
    return image;
}

QStringList TextLines(const QString& text, int length)
{
    const QString shown = length < 0 ? text : text.left(length);
    QString normalised = shown;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normalised.split(QLatin1Char('\n'));
}

// A line of text on a vector surface (a PDF): word by word, each where the whole line places it,
// the spaces left as gaps. A PDF's text layer names every glyph by a character the font draws
// with it, and fonts that draw the space and the control characters with one glyph (the Korean
// fonts do) had their spaces read back as U+0001: copied or searched text ran the words
// together. Readers make a space of a gap. The underline and the line through run on across the
// gaps, as under a line drawn in one piece.
void DrawLineWordByWord(QPainter& painter, const QPointF& baseline, const QString& line, const QFontMetricsF& metrics)
{
    QFont words = painter.font();
    const bool underline = words.underline();
    const bool strikeOut = words.strikeOut();
    words.setUnderline(false);
    words.setStrikeOut(false);
    painter.setFont(words);
    for (qsizetype start = 0; start < line.size();) {
        qsizetype end = line.indexOf(QLatin1Char(' '), start);
        if (end < 0) {
            end = line.size();
        }
        if (end > start) {
            const qreal left = baseline.x() + metrics.horizontalAdvance(line.left(start));
            painter.drawText(QPointF(left, baseline.y()), line.mid(start, end - start));
        }
        start = end + 1;
    }
    QPen pen = painter.pen();
    pen.setWidthF(metrics.lineWidth());
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const qreal right = baseline.x() + metrics.horizontalAdvance(line);
    if (underline) {
        painter.drawLine(QLineF(baseline.x(), baseline.y() + metrics.underlinePos(), right, baseline.y() + metrics.underlinePos()));
    }
    if (strikeOut) {
        painter.drawLine(QLineF(baseline.x(), baseline.y() - metrics.strikeOutPos(), right, baseline.y() - metrics.strikeOutPos()));
    }
}

}  // namespace

TGPGraphics::TGPGraphics(QPaintDevice* device) : m_ownPainter(std::make_unique<QPainter>()), m_painter(m_ownPainter.get())
{
    // A device of size 0 (a picture that failed to load) gives a surface that draws nothing.
    if (device == nullptr || device->width() <= 0 || device->height() <= 0 || !m_painter->begin(device)) {
        return;
    }
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    ApplyTransform();
    SetSmoothingMode(m_smoothingMode);
    SetInterpolationMode(m_interpolationMode);
}

TGPGraphics::TGPGraphics(TGPBitmap& bitmap) : TGPGraphics(&bitmap.GetQImage()) {}

TGPGraphics::TGPGraphics(QPainter& painter) : m_painter(&painter)
{
    if (!IsActive()) {
        return;
    }
    m_painter->save();
    m_baseTransform = m_painter->worldTransform();
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    ApplyTransform();
    SetSmoothingMode(m_smoothingMode);
    SetInterpolationMode(m_interpolationMode);
}

TGPGraphics::~TGPGraphics()
{
    if (!m_ownPainter && IsActive()) {
        m_painter->restore();
    }
}

void TGPGraphics::SetSmoothingMode(TGPSmoothingMode mode)
{
    m_smoothingMode = mode;
    if (!IsActive()) {
        return;
    }
    m_painter->setRenderHint(QPainter::Antialiasing,
                             mode == TGPSmoothingMode::AntiAlias || mode == TGPSmoothingMode::HighQuality);
}

void TGPGraphics::SetPixelOffsetMode(TGPPixelOffsetMode mode)
{
    m_pixelOffsetMode = mode;
    ApplyTransform();
}

void TGPGraphics::SetInterpolationMode(TGPInterpolationMode mode)
{
    m_interpolationMode = mode;
    if (!IsActive()) {
        return;
    }
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, mode != TGPInterpolationMode::NearestNeighbor);
}

void TGPGraphics::TranslateTransform(float dx, float dy)
{
    m_worldTransform = QTransform::fromTranslate(dx, dy) * m_worldTransform;
    ApplyTransform();
}

void TGPGraphics::ScaleTransform(float sx, float sy)
{
    m_worldTransform = QTransform::fromScale(sx, sy) * m_worldTransform;
    ApplyTransform();
}

void TGPGraphics::ResetTransform()
{
    m_worldTransform.reset();
    ApplyTransform();
}

void TGPGraphics::ApplyTransform()
{
    if (!IsActive()) {
        return;
    }
    // Without the high-quality offset a pixel's centre lies on integer coordinates.
    const bool centred =
        m_pixelOffsetMode == TGPPixelOffsetMode::HighQuality || m_pixelOffsetMode == TGPPixelOffsetMode::Half;
    const QTransform offset = centred ? QTransform() : QTransform::fromTranslate(0.5, 0.5);
    m_painter->setWorldTransform(m_worldTransform * offset * m_baseTransform);
}

void TGPGraphics::SetClip(const TGPRectF& rect)
{
    if (!IsActive()) {
        return;
    }
    m_painter->setClipRect(ToQRectF(rect), Qt::ReplaceClip);
}

void TGPGraphics::ResetClip()
{
    if (!IsActive()) {
        return;
    }
    m_painter->setClipping(false);
}

TGPRectF TGPGraphics::GetClipBounds() const
{
    if (!IsActive()) {
        return {};
    }
    const QPaintDevice* device = m_painter->device();
    const QRectF surface(0, 0, device->width(), device->height());
    const QRectF visible = m_painter->combinedTransform().inverted().mapRect(surface);
    if (!m_painter->hasClipping()) {
        return ToRectF(visible);
    }
    return ToRectF(m_painter->clipBoundingRect().intersected(visible));
}

void TGPGraphics::Clear(TGPColor color)
{
    if (!IsActive()) {
        return;
    }
    m_painter->save();
    m_painter->resetTransform();
    m_painter->setCompositionMode(QPainter::CompositionMode_Source);
    const QPaintDevice* device = m_painter->device();
    m_painter->fillRect(QRect(0, 0, device->width(), device->height()), QColor::fromRgba(color));
    m_painter->restore();
}

void TGPGraphics::DrawLine(const TGPPen& pen, const TGPPointF& p1, const TGPPointF& p2)
{
    TGPGraphicsPath path;
    path.AddLine(p1, p2);
    DrawPath(pen, path);
}

void TGPGraphics::DrawLine(const TGPPen& pen, float x1, float y1, float x2, float y2)
{
    DrawLine(pen, TGPPointF{x1, y1}, TGPPointF{x2, y2});
}

void TGPGraphics::DrawPath(const TGPPen& pen, const TGPGraphicsPath& path)
{
    if (!IsActive()) {
        return;
    }
    const QColor color = QColor::fromRgba(pen.GetColor());
    if (color.alpha() == 0) {
        return;
    }
    // Figures that cannot reach the clip are left out: the same pixels for less work, which
    // keeps re-rendering a small region of a crowded board cheap.
    const std::vector<TGPPathFigure>& figures = path.GetFigures();
    const std::vector<TGPRectF>& boxes = path.GetFigureBoxes();
    const float reach = PenReach(pen);
    const QRectF reachable = ToQRectF(GetClipBounds());
    std::vector<const TGPPathFigure*> visible;
    QRectF extent;
    for (size_t i = 0; i < figures.size(); ++i) {
        const QRectF box = ToQRectF(boxes[i]).adjusted(-reach, -reach, reach, reach);
        if (box.intersects(reachable)) {
            visible.push_back(&figures[i]);
            extent = extent.united(box);
        }
    }
    if (visible.empty() || StrokeAsThinLines(visible, pen, color)) {
        return;
    }
    // One outline fill per figure; the painter's cost grows with the area a single path spans.
    if (visible.size() == 1 || color.alpha() == 255) {
        for (const TGPPathFigure* figure : visible) {
            FillFigure(*figure, pen, color);
        }
        return;
    }
    DrawTranslucentFigures(visible, pen, extent.intersected(reachable));
}

bool TGPGraphics::StrokeAsThinLines(const std::vector<const TGPPathFigure*>& figures, const TGPPen& pen,
                                    const QColor& color)
{
    const QTransform toDevice = m_painter->combinedTransform();
    const float width = EffectiveWidth(pen);
    const double deviceWidth = width * std::sqrt(std::abs(toDevice.determinant()));
    if (!m_bMiniature || deviceWidth > 1.0) {
        return false;
    }
    QPainterPath lines;
    for (const TGPPathFigure* figure : figures) {
        AppendFigure(lines, *figure);
    }
    m_painter->strokePath(lines, QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return true;
}

void TGPGraphics::SetStrokeCache(TGPStrokeCache* p_cache)
{
    m_scratch.reset();
    m_strokeCache = p_cache;
}

bool TGPGraphics::BlendsLikeSolidFill() const
{
    const QPaintDevice* device = m_painter->device();
    return device->devType() == QInternal::Image &&
           static_cast<const QImage*>(device)->format() == QImage::Format_ARGB32_Premultiplied &&
           m_painter->compositionMode() == QPainter::CompositionMode_SourceOver && m_painter->opacity() == 1.0 &&
           !m_painter->viewTransformEnabled();
}

std::shared_ptr<const TGPCoverageMask> TGPGraphics::FigureCoverage(const TGPPathFigure& figure, const TGPPen& pen,
                                                                   const QTransform& toDevice, QPainterPath& p_outline)
{
    const bool antialias = m_painter->testRenderHint(QPainter::Antialiasing);
    std::string key = TGPStrokeCache::MakeKey(figure, pen, toDevice, antialias);
    if (std::shared_ptr<const TGPCoverageMask> mask = m_strokeCache->Find(key)) {
        return mask;
    }
    p_outline = BuildPenOutline({&figure, 1}, pen);
    // Every pixel the rasterizer can touch, with a margin for the rounding of coordinates. Far
    // figures are refused before their coordinates become integers, where they would overflow.
    const QRectF reach = toDevice.mapRect(p_outline.controlPointRect());
    constexpr int kCoordinateLimit = 1 << 14;
    constexpr double kInner = kCoordinateLimit - 4;
    // Written so that NaN fails every comparison; an empty figure's box is still near.
    const auto near = [](qreal v) { return v >= -kInner && v <= kInner; };
    if (!near(reach.left()) || !near(reach.top()) || !near(reach.right()) || !near(reach.bottom())) {
        return nullptr;
    }
    const QRect box = reach.toAlignedRect().adjusted(-2, -2, 2, 2);
    if (box.width() > TGPStrokeCache::kMaxSide || box.height() > TGPStrokeCache::kMaxSide) {
        return nullptr;
    }
    if (!m_scratch) {
        m_scratch = std::make_unique<TGPStrokeCache::TScratch>(*m_strokeCache);
    }
    std::shared_ptr<const TGPCoverageMask> mask = m_scratch->Rasterize(p_outline, toDevice, antialias, box);
    m_strokeCache->Insert(std::move(key), mask);
    return mask;
}

void TGPGraphics::FillFigure(const TGPPathFigure& figure, const TGPPen& pen, const QColor& color)
{
    QPainterPath outline;
    if (m_strokeCache != nullptr && BlendsLikeSolidFill()) {
        const std::shared_ptr<const TGPCoverageMask> mask =
            FigureCoverage(figure, pen, m_painter->combinedTransform(), outline);
        if (mask) {
            ColourCoverage(*mask, PremultipliedSolidColor(color.rgba()), m_arrayColouredCoverage);
            const QImage coloured(reinterpret_cast<const uchar*>(m_arrayColouredCoverage.data()), mask->Bounds.width(),
                                  mask->Bounds.height(), mask->Bounds.width() * static_cast<qsizetype>(sizeof(QRgb)),
                                  QImage::Format_ARGB32_Premultiplied);
            DrawAtDevicePixels(mask->Bounds.topLeft(), coloured);
            return;
        }
    } else {
        outline = BuildPenOutline({&figure, 1}, pen);
    }
    m_painter->fillPath(outline, color);
}

void TGPGraphics::DrawTranslucentFigures(const std::vector<const TGPPathFigure*>& figures, const TGPPen& pen,
                                         const QRectF& extent)
{
    // A translucent pen covers each pixel once, however its figures overlap: the figures are
    // painted into a layer (later ones replacing earlier ones) that is then laid over the surface.
    // A vector surface gets their outlines merged into one shape instead.
    if (IsVectorSurface()) {
        QPainterPath merged;
        for (const TGPPathFigure* figure : figures) {
            merged = merged.united(BuildPenOutline({figure, 1}, pen));
        }
        m_painter->fillPath(merged, QColor::fromRgba(pen.GetColor()));
        return;
    }
    const QTransform toDevice = m_painter->combinedTransform();
    const QRect layerRect = toDevice.mapRect(extent).toAlignedRect();
    if (layerRect.isEmpty()) {
        return;
    }
    QImage layer(layerRect.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter layerPainter(&layer);
        layerPainter.setRenderHints(m_painter->renderHints());
        layerPainter.setTransform(toDevice * QTransform::fromTranslate(-layerRect.left(), -layerRect.top()));
        layerPainter.setCompositionMode(QPainter::CompositionMode_Source);
        const QColor color = QColor::fromRgba(pen.GetColor());
        const QRgb premultiplied = PremultipliedSolidColor(color.rgba());
        for (const TGPPathFigure* figure : figures) {
            QPainterPath outline;
            if (m_strokeCache == nullptr) {
                outline = BuildPenOutline({figure, 1}, pen);
            } else if (const auto mask = FigureCoverage(*figure, pen, toDevice, outline)) {
                FillCoverageSource(*mask, premultiplied, layer, layerRect.topLeft());
                continue;
            }
            layerPainter.fillPath(outline, color);
        }
    }
    DrawAtDevicePixels(layerRect.topLeft(), layer);
}

// The painter's own scale (a picture's or a screen's device pixel ratio) lies beyond the world
// transform: the world is set to its inverse, so that the image's pixels land on the device's.
void TGPGraphics::DrawAtDevicePixels(const QPoint& p_ptDevice, const QImage& p_image)
{
    const QTransform world = m_painter->worldTransform();
    m_painter->setWorldTransform(QTransform());
    m_painter->setWorldTransform(m_painter->combinedTransform().inverted());
    m_painter->drawImage(p_ptDevice, p_image);
    m_painter->setWorldTransform(world);
}

void TGPGraphics::FillPath(const TGPBrush& brush, const TGPGraphicsPath& path)
{
    if (!IsActive()) {
        return;
    }
    const QBrush qbrush = brush.ToQBrush();
    if (qbrush.style() != Qt::NoBrush && path.GetFigureCount() > 0) {
        m_painter->fillPath(path.ToQPainterPath(), qbrush);
    }
}

void TGPGraphics::FillRectangle(const TGPBrush& brush, const TGPRectF& rect)
{
    if (!IsActive()) {
        return;
    }
    const QBrush qbrush = brush.ToQBrush();
    if (qbrush.style() != Qt::NoBrush) {
        m_painter->fillRect(ToQRectF(rect), qbrush);
    }
}

qreal TGPGraphics::GetDevicePixelRatio() const
{
    return m_painter->device() ? m_painter->device()->devicePixelRatio() : 1.0;
}

void TGPGraphics::DrawImage(const TGPImage& image, float x, float y)
{
    if (!IsActive()) {
        return;
    }
    if (!image.GetQImage().isNull()) {
        m_painter->drawImage(QPointF(x, y), image.GetQImage());
    }
}

void TGPGraphics::DrawImage(const TGPImage& image, const TGPRectF& rect)
{
    if (!IsActive()) {
        return;
    }
    if (!image.GetQImage().isNull()) {
        m_painter->drawImage(ToQRectF(rect), image.GetQImage());
    }
}

void TGPGraphics::DrawImage(const TGPImage& image, const TGPRectF& rect, const TGPRectF& sourceRect,
                            const TGPImageAttributes& attributes)
{
    if (!IsActive()) {
        return;
    }
    const QImage& source = image.GetQImage();
    if (source.isNull()) {
        return;
    }
    const TGPColorMatrix& matrix = attributes.GetColorMatrix();
    if (IsAlphaScale(matrix)) {
        const qreal opacity = m_painter->opacity();
        m_painter->setOpacity(opacity * matrix[3][3]);
        m_painter->drawImage(ToQRectF(rect), source, ToQRectF(sourceRect));
        m_painter->setOpacity(opacity);
        return;
    }
    m_painter->drawImage(ToQRectF(rect), ApplyColorMatrix(source, matrix), ToQRectF(sourceRect));
}

void TGPGraphics::DrawString(const QString& text, int length, const TGPFont& font, const TGPPointF& origin,
                             const TGPBrush& brush)
{
    if (!IsActive()) {
        return;
    }
    const QBrush qbrush = brush.ToQBrush();
    if (qbrush.style() == Qt::NoBrush) {
        return;
    }
    m_painter->save();
    m_painter->setFont(font.GetQFont());
    m_painter->setPen(QPen(qbrush, 0));
    const QFontMetricsF metrics(font.GetQFont(), m_painter->device());
    const bool vector = IsVectorSurface();
    qreal baseline = origin.Y + metrics.ascent();
    for (const QString& line : TextLines(text, length)) {
        if (vector) {
            DrawLineWordByWord(*m_painter, QPointF(origin.X, baseline), line, metrics);
        } else {
            m_painter->drawText(QPointF(origin.X, baseline), line);
        }
        baseline += metrics.lineSpacing();
    }
    m_painter->restore();
}

TGPRectF TGPGraphics::MeasureString(const QString& text, int length, const TGPFont& font,
                                    const TGPPointF& origin) const
{
    const QFontMetricsF metrics(font.GetQFont(), IsActive() ? m_painter->device() : nullptr);
    const QStringList lines = TextLines(text, length);
    qreal width = 0.0;
    for (const QString& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    const qreal height = metrics.lineSpacing() * (lines.size() - 1) + metrics.height();
    return {origin.X, origin.Y, static_cast<float>(width), static_cast<float>(height)};
}

float TGPGraphics::GetDpiX() const
{
    return IsActive() ? static_cast<float>(m_painter->device()->logicalDpiX()) : kDefaultDpi;
}

bool TGPGraphics::IsVectorSurface() const
{
    if (!IsActive()) {
        return false;
    }
    return m_painter->paintEngine()->type() == QPaintEngine::Pdf;
}

float TGPGraphics::GetDpiY() const
{
    return IsActive() ? static_cast<float>(m_painter->device()->logicalDpiY()) : kDefaultDpi;
}
