#pragma once
// The board surface: the board picture and the drawing objects of the page, kept in a cached
// image that the window paints from. A change re-renders only the region it touches, drawing
// clipped to it every object that meets it, in registration order; large regions are drawn on
// both cores. After a rebuild only the part on screen is rendered at once; the rest follows
// between ticks, or at once for the parts asked for (EnsureRendered).
//
// Geometry (regions, the surface and board sizes) is in logical board pixels. The image holds
// the surface at the device pixel ratio of the screen it is shown on (DevicePixels.h): its
// size is the surface's times the ratio, rounded up, and it carries the ratio, so that a
// painter on it draws in logical pixels at device resolution. Strokes, lines and text are drawn
// there, not stretched; a region is rendered as the device pixels it touches.
//
// The engine that owns the surface marks what its commands change and says when to render; the
// window, the board-only engines and a video export read the image. Everything here runs on the
// owning engine's thread (a parallel draw lends the second core a thread it joins before
// returning); only the stroke cache is shared across threads, under its own lock.

#include "draw/DrawParent.h"
#include "platform/GPGeometry.h"

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class TDrawManager;
class TGPGraphics;
class TGPImage;
class TGPStrokeCache;
class TPlaybackView;
struct TIntPoint;
struct TPlayerState;

class TBoardSurface {
public:
    // p_state: the zoom, the unzoomed board size and the board kind are read from it.
    // p_objects: the page's objects, drawn in their registration order.
    TBoardSurface(const TPlayerState& p_state, TPlaybackView& p_view, TDrawManager& p_objects);
    ~TBoardSurface();
    TBoardSurface(const TBoardSurface&) = delete;
    TBoardSurface& operator=(const TBoardSurface&) = delete;

    // ---- Sizes (logical pixels)

    // The view's board surface: at least the board, larger after a larger page.
    QSize GetSurfaceSize() const { return m_szSurface; }
    // The current page's board at the zoom, from the surface's top-left.
    QSize GetBoardSize() const;
    // The view's surface is set to the size and the image follows it.
    void SetSurfaceSize(const TIntPoint& p_ptSize);
    // A page's surface grows to the page's board at the zoom, so that a page larger than the
    // previous one is not cut off while zoomed in.
    void WidenToBoard();
    // A zoom step: the surface is exactly the board at the new zoom.
    void FitToBoard();

    // ---- Device pixels

    // The device pixel ratio the image is made at; 1 until told.
    qreal GetDevicePixelRatio() const { return m_dDevicePixelRatio; }
    // The image is made again at the ratio, all of it waiting to be rendered, and the board
    // picture is read again for it.
    void SetDevicePixelRatio(qreal p_dRatio);

    // From now on nothing is rendered but what EnsureRendered asks for: a rebuild and a scroll
    // leave the part on screen to be rendered too (board-only engines, which show no screen).
    void SetRenderOnDemand() { m_bRenderOnDemand = true; }

    // ---- Board picture

    // The picture as painted for the ratio (its "@2x" file where the ratio is above 1).
    void LoadBoardPicture(const QString& p_sPath);
    bool HasBoardPicture() const { return m_gpBoardPicture != nullptr; }
    // Paints the board the plain way, every object over the picture, on whatever the graphics
    // draws into: what the cached image equals after a repaint, wherever it is rendered.
    void PaintBoard(TGPGraphics& p_gGraphics) const;

    // ---- The image, for those who show or export it

    const QImage& GetImage() const { return m_imgBoard; }
    // Renders whatever of the rectangle is not rendered yet (before painting or reading it).
    void EnsureRendered(const QRect& p_rt);
    // Every part of the image is rendered.
    bool IsComplete() const { return m_rgnStale.isEmpty(); }
    // The current page's board (GetBoardSize) rendered, as a picture of its own at the ratio.
    QImage RenderedBoard();
    // The part of the surface whose pixels may have changed since the previous take, so that a
    // consumer converts only that part of the image again. The first take is the whole surface;
    // the surface keeps no account before it.
    QRegion TakeRepaintedRegion();

    // ---- The owning engine's side

    // The area changes and waits for the next flush.
    void MarkChanged(const TGPRectF& p_box);
    // The whole surface changes.
    void MarkAllChanged();
    // A live stroke piece goes straight onto the image, without waiting for a flush; the
    // rectangle the piece may reach is re-rendered at the next flush all the same and shown now.
    void DrawLiveInk(const QRectF& p_rtReach, const std::function<void(TGPGraphics&)>& p_draw);
    // Renders what changed since the last flush and shows it.
    void FlushChanges();
    // Everything is to be rendered again (a rebuild replaced the objects).
    void MarkAllStale();
    // Renders what is due of the part on screen and shows the board.
    void Show();
    // Everything again: the part on screen now, the rest later; shows the board.
    void RenderAll();
    // After the view moved: what is now on screen is rendered and shown.
    void RenderStaleOnScreen();
    // Between ticks: bands of the part still to render for a few milliseconds at most, nearest
    // to the screen first.
    void RenderStaleSlice();
    // The handle the objects are made with.
    TPaintBoxHandle Handle() { return this; }

    // ---- Stroke cache: the stroked figures' coverage kept across re-renders and rebuilds

    TGPStrokeCache& GetStrokeCache() const { return *m_strokeCache; }
    const std::shared_ptr<TGPStrokeCache>& GetSharedStrokeCache() const { return m_strokeCache; }
    // Draws through another cache from now on (board-only engines share the window's).
    void UseStrokeCache(std::shared_ptr<TGPStrokeCache> p_strokeCache) { m_strokeCache = std::move(p_strokeCache); }

private:
    QRect SurfaceRect() const { return QRect(QPoint(0, 0), m_szSurface); }
    QRect VisibleRect() const;
    void ResizeImage();
    void MakeImage();
    // The device pixels of a logical region, and the logical pixels they show.
    QRegion DeviceRegion(const QRegion& p_rgnLogical) const;
    QRect Shown(const QRect& p_rtDevice) const;
    void PaintBoardPicture(TGPGraphics& p_gGraphics) const;
    // Renders the device pixels of the logical region; returns the logical pixels they show.
    QRegion RenderRegion(const QRegion& p_rgn);
    // The rows of a band rendered between ticks, in logical pixels.
    int BandRows() const;
    void RenderRegionInto(QImage& p_imgTarget, const QRegion& p_rgnDevice) const;
    bool PrepareParallelDraw() const;
    void NoteRepainted(const QRegion& p_rgn);

    const TPlayerState& m_state;
    TPlaybackView& m_view;
    TDrawManager& m_objects;
    std::unique_ptr<TGPImage> m_gpBoardPicture;    // none before the first page
    QString m_sBoardPicturePath;                   // read again at another ratio
    qreal m_dDevicePixelRatio = 1.0;
    bool m_bRenderOnDemand = false;
    QSize m_szSurface{0, 0};                       // the view's board surface
    QImage m_imgBoard;                             // board cache, the surface at device pixels
    QRegion m_rgnChanged;                          // changed since the last flush
    QRegion m_rgnStale;                            // not rendered since the last rebuild
    QRect m_rtLiveInk;                             // live stroke pieces drawn since the last flush
    std::optional<QRegion> m_rgnRepainted;         // since the last take; none before the first
    std::shared_ptr<TGPStrokeCache> m_strokeCache;
};
