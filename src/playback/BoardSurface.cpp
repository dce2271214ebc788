#include "playback/BoardSurface.h"

#include "content/PageDescription.h"
#include "draw/DrawLine.h"
#include "draw/DrawManager.h"
#include "draw/DrawStrokes.h"
#include "platform/Rounding.h"
#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPImage.h"
#include "platform/graphics/GPStrokeCache.h"
#include "platform/graphics/GPTextureBrush.h"
#include "playback/PlaybackView.h"
#include "session/PlayerState.h"

#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr QRgb kBoardPanelColor = 0xFFFFFFFF;   // the white panel under the board surface
// Regions of at least this many device pixels are drawn on both cores.
constexpr int64_t kParallelMinPixels = 512 * 512;
// The part of the board left to render is done between ticks in bands of this many device
// pixel rows, for this long.
constexpr int kStaleBandRows = 128;
constexpr std::chrono::milliseconds kStaleSliceBudget(15);

// The pixels a box of the board touches.
QRect PixelsOf(const TGPRectF& box)
{
    if (!(box.Width > 0.0f) || !(box.Height > 0.0f)) {
        return QRect();
    }
    return QRectF(box.X, box.Y, box.Width, box.Height).toAlignedRect();
}

QRectF ExtentOf(const TDrawParent& p_dpDraw)
{
    const TGPRectF extent = p_dpDraw.GetPaintExtent();
    return QRectF(extent.X, extent.Y, extent.Width, extent.Height);
}

} // namespace

TBoardSurface::TBoardSurface(const TPlayerState& p_state, TPlaybackView& p_view, TDrawManager& p_objects)
    : m_state(p_state), m_view(p_view), m_objects(p_objects), m_strokeCache(std::make_shared<TGPStrokeCache>())
{
    ResizeImage();
}

TBoardSurface::~TBoardSurface() = default;

// ---------------------------------------------------------------------------------------------
// Sizes

QSize TBoardSurface::GetBoardSize() const
{
    const double ratio = m_state.m_viewRatio;
    return {static_cast<int>(RoundHalfEven(m_state.m_ptOriginalImage.X * ratio)),
            static_cast<int>(RoundHalfEven(m_state.m_ptOriginalImage.Y * ratio))};
}

void TBoardSurface::SetSurfaceSize(const TIntPoint& p_ptSize)
{
    m_view.SetBoardSurfaceSize(p_ptSize);
    ResizeImage();
}

void TBoardSurface::WidenToBoard()
{
    const QSize board = GetBoardSize();
    const TIntPoint surface = m_view.GetBoardSurfaceSize();
    const TIntPoint widened{std::max(surface.X, board.width()), std::max(surface.Y, board.height())};
    if (widened.X != surface.X || widened.Y != surface.Y) {
        SetSurfaceSize(widened);
    }
}

void TBoardSurface::FitToBoard()
{
    const QSize board = GetBoardSize();
    SetSurfaceSize({board.width(), board.height()});
}

// The image follows the view's surface, which may hold it to a size of its own.
void TBoardSurface::ResizeImage()
{
    const TIntPoint size = m_view.GetBoardSurfaceSize();
    const QSize surface(std::max(size.X, 0), std::max(size.Y, 0));
    if (surface == m_szSurface) {
        return;
    }
    m_szSurface = surface;
    MakeImage();
}

void TBoardSurface::MakeImage()
{
    m_imgBoard = QImage(DeviceSize(m_szSurface, m_dDevicePixelRatio), QImage::Format_ARGB32_Premultiplied);
    m_imgBoard.setDevicePixelRatio(m_dDevicePixelRatio);
    m_imgBoard.fill(kBoardPanelColor);
    m_rgnChanged = SurfaceRect();
    m_rgnStale = QRegion();
    if (m_rgnRepainted) {
        m_rgnRepainted = QRegion(SurfaceRect());   // what was noted on the old image is gone with it
    }
}

// ---------------------------------------------------------------------------------------------
// Device pixels

void TBoardSurface::SetDevicePixelRatio(qreal p_dRatio)
{
    if (!(p_dRatio > 0.0) || p_dRatio == m_dDevicePixelRatio) {
        return;
    }
    m_dDevicePixelRatio = p_dRatio;
    if (HasBoardPicture()) {
        LoadBoardPicture(m_sBoardPicturePath);
    }
    MakeImage();
    MarkAllStale();
}

QRegion TBoardSurface::DeviceRegion(const QRegion& p_rgnLogical) const
{
    if (m_dDevicePixelRatio == 1.0) {
        return p_rgnLogical;
    }
    QRegion device;
    for (const QRect& rect : p_rgnLogical) {
        device += DeviceRect(rect, m_dDevicePixelRatio);
    }
    return device.intersected(m_imgBoard.rect());
}

QRect TBoardSurface::Shown(const QRect& p_rtDevice) const
{
    return LogicalRect(p_rtDevice, m_dDevicePixelRatio).intersected(SurfaceRect());
}

// ---------------------------------------------------------------------------------------------
// Board picture

void TBoardSurface::LoadBoardPicture(const QString& p_sPath)
{
    m_sBoardPicturePath = p_sPath;
    m_gpBoardPicture = std::make_unique<TGPImage>(p_sPath, m_dDevicePixelRatio);
}

void TBoardSurface::PaintBoardPicture(TGPGraphics& p_gGraphics) const
{
    const float ratio = m_state.m_viewRatio;
    const int32_t boardType = m_state.m_nBoardType;
    p_gGraphics.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
    // Pixel centres at half coordinates, so the picture's pixels land on the board's pixels
    // instead of half a pixel down and right.
    p_gGraphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    if (boardType == kBoardWhiteNote || boardType == kBoardBlackBoard || boardType == kBoardWhiteBoard) {
        // Pattern boards: the pattern keeps its size at every zoom.
        const TGPTextureBrush brush(*m_gpBoardPicture);
        p_gGraphics.FillRectangle(brush, {0.0f, 0.0f, m_state.m_ptOriginalImage.X * ratio,
                                          m_state.m_ptOriginalImage.Y * ratio});
    } else {
        p_gGraphics.DrawImage(*m_gpBoardPicture, TGPRectF{0.0f, 0.0f, m_gpBoardPicture->GetWidth() * ratio,
                                                          m_gpBoardPicture->GetHeight() * ratio});
    }
}

void TBoardSurface::PaintBoard(TGPGraphics& p_gGraphics) const
{
    if (!HasBoardPicture()) {
        return;
    }
    PaintBoardPicture(p_gGraphics);
    m_objects.DrawAllDraw(p_gGraphics);
}

// ---------------------------------------------------------------------------------------------
// What changed, what is stale, what was repainted

void TBoardSurface::MarkChanged(const TGPRectF& p_box)
{
    m_rgnChanged += PixelsOf(p_box);
}

void TBoardSurface::MarkAllChanged()
{
    m_rgnChanged = SurfaceRect();
}

void TBoardSurface::MarkAllStale()
{
    m_rgnChanged = QRegion();
    m_rtLiveInk = QRect();
    m_rgnStale = SurfaceRect();
}

QRegion TBoardSurface::TakeRepaintedRegion()
{
    const QRegion taken = m_rgnRepainted.value_or(QRegion(SurfaceRect()));
    m_rgnRepainted = QRegion();
    return taken;
}

// Kept only once a consumer takes it: the player never does, and its region would only grow.
void TBoardSurface::NoteRepainted(const QRegion& p_rgn)
{
    if (m_rgnRepainted) {
        *m_rgnRepainted += p_rgn;
    }
}

// ---------------------------------------------------------------------------------------------
// Rendering and showing

void TBoardSurface::DrawLiveInk(const QRectF& p_rtReach, const std::function<void(TGPGraphics&)>& p_draw)
{
    {
        TGPGraphics graphics(&m_imgBoard);
        graphics.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        graphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        p_draw(graphics);
    }
    // Only the board's own pixels can change. A broken file may put a point anywhere, even at no
    // number at all: a reach that is not a finite rectangle counts as the whole surface.
    const QRectF surface(SurfaceRect());
    const bool finite = std::isfinite(p_rtReach.left()) && std::isfinite(p_rtReach.top()) &&
                        std::isfinite(p_rtReach.right()) && std::isfinite(p_rtReach.bottom());
    const QRectF reach = finite ? p_rtReach.intersected(surface) : surface;
    const QRect piece = Shown(DeviceRect(reach.toAlignedRect(), m_dDevicePixelRatio));
    m_rtLiveInk |= piece;
    NoteRepainted(piece);
    m_view.BoardChanged(piece);
}

void TBoardSurface::FlushChanges()
{
    const QRegion region = m_rgnChanged.united(m_rtLiveInk);
    m_rgnChanged = QRegion();
    m_rtLiveInk = QRect();
    if (m_bRenderOnDemand) {
        m_rgnStale += region.intersected(SurfaceRect());
        return;
    }
    m_rgnStale -= region;
    for (const QRect& rect : RenderRegion(region)) {
        m_view.BoardChanged(rect);
    }
}

void TBoardSurface::RenderAll()
{
    MarkAllStale();
    Show();
}

// Only the part on screen now; the rest is rendered when it comes on screen or between ticks.
void TBoardSurface::Show()
{
    if (!m_bRenderOnDemand) {
        EnsureRendered(VisibleRect());
    }
    m_view.BoardChanged(QRect());
}

QRect TBoardSurface::VisibleRect() const
{
    return m_view.GetVisibleBoardRect().intersected(SurfaceRect());
}

void TBoardSurface::EnsureRendered(const QRect& p_rt)
{
    const QRegion due = m_rgnStale.intersected(p_rt);
    if (!due.isEmpty()) {
        m_rgnStale -= due;
        RenderRegion(due);
    }
}

QImage TBoardSurface::RenderedBoard()
{
    const QRect board(QPoint(0, 0), GetBoardSize());
    EnsureRendered(board);
    return m_imgBoard.copy(DeviceRect(board, m_dDevicePixelRatio));
}

void TBoardSurface::RenderStaleOnScreen()
{
    if (m_bRenderOnDemand) {
        return;
    }
    const QRegion due = m_rgnStale.intersected(VisibleRect());
    if (!due.isEmpty()) {
        m_rgnStale -= due;
        for (const QRect& rect : RenderRegion(due)) {
            m_view.BoardChanged(rect);
        }
    }
}

void TBoardSurface::RenderStaleSlice()
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const int centre = VisibleRect().center().y();
    while (!m_rgnStale.isEmpty() && Clock::now() - start < kStaleSliceBudget) {
        const auto distance = [centre](const QRect& rect) {
            return centre < rect.top() ? rect.top() - centre : std::max(0, centre - rect.bottom());
        };
        const QRect nearest = *std::min_element(m_rgnStale.begin(), m_rgnStale.end(),
                                                [&](const QRect& a, const QRect& b) { return distance(a) < distance(b); });
        // The band of the rectangle that lies towards the screen.
        const int rows = std::min(nearest.height(), BandRows());
        const int top = nearest.bottom() < centre ? nearest.bottom() + 1 - rows : nearest.top();
        const QRect band(nearest.left(), top, nearest.width(), rows);
        m_rgnStale -= band;
        for (const QRect& rect : RenderRegion(band)) {
            m_view.BoardChanged(rect);
        }
    }
}

int TBoardSurface::BandRows() const
{
    return std::max(1, static_cast<int>(RoundHalfEven(kStaleBandRows / m_dDevicePixelRatio)));
}

// Large regions are drawn in two bands of rows, one on each core, when every object on the board
// can be drawn from two threads at once. Each band is painted through its own image over the
// same pixels, clipped to its rows: the bands do not overlap, and clipping leaves the pixels
// inside a band exactly as an unclipped drawing makes them.
QRegion TBoardSurface::RenderRegion(const QRegion& p_rgn)
{
    const QRegion device = DeviceRegion(p_rgn.intersected(SurfaceRect()));
    if (device.isEmpty()) {
        return {};
    }
    QRegion shown;
    for (const QRect& rect : device) {
        shown += Shown(rect);
    }
    NoteRepainted(shown);
    const QRect bounds = device.boundingRect();
    if (static_cast<int64_t>(bounds.width()) * bounds.height() < kParallelMinPixels || !PrepareParallelDraw()) {
        RenderRegionInto(m_imgBoard, device);
        return shown;
    }
    const QRegion upperRegion = device.intersected(QRect(0, 0, m_imgBoard.width(), bounds.top() + bounds.height() / 2));
    const QRegion lowerRegion = device.subtracted(upperRegion);
    QImage lower(m_imgBoard.bits(), m_imgBoard.width(), m_imgBoard.height(), m_imgBoard.bytesPerLine(),
                 m_imgBoard.format());
    lower.setDevicePixelRatio(m_dDevicePixelRatio);
    std::thread worker([&] { RenderRegionInto(lower, lowerRegion); });
    RenderRegionInto(m_imgBoard, upperRegion);
    worker.join();
    return shown;
}

// Strokes and lines draw from their own data without changing it once their path's figure boxes
// are worked out; other kinds are drawn on one thread.
bool TBoardSurface::PrepareParallelDraw() const
{
    for (int i = 0; i < m_objects.GetCount(); ++i) {
        const TDrawParent* draw = m_objects.GetDraw(i);
        if (const auto* strokes = dynamic_cast<const TDrawStrokes*>(draw)) {
            strokes->GetGraphicsPath().GetFigureBoxes();
        } else if (const auto* line = dynamic_cast<const TDrawLine*>(draw)) {
            line->GetGraphicsPath().GetFigureBoxes();
        } else {
            return false;
        }
    }
    return true;
}

// Paints the device pixels of the region into an image at the surface's ratio: clipped to them
// and filled in device pixels, the board drawn over them in logical pixels.
void TBoardSurface::RenderRegionInto(QImage& p_imgTarget, const QRegion& p_rgnDevice) const
{
    QPainter painter(&p_imgTarget);
    const QTransform devicePixels = painter.combinedTransform().inverted();
    for (const QRect& rect : p_rgnDevice) {
        painter.setWorldTransform(devicePixels);
        painter.setClipRect(rect);
        painter.fillRect(rect, QColor::fromRgba(kBoardPanelColor));
        painter.setWorldTransform(QTransform());
        if (!HasBoardPicture()) {
            continue;
        }
        TGPGraphics graphics(painter);
        graphics.SetStrokeCache(m_strokeCache.get());
        PaintBoardPicture(graphics);
        // The quality modes of the manager's DrawAllDraw, then only the objects that reach here.
        graphics.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        graphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        graphics.SetInterpolationMode(TGPInterpolationMode::HighQualityBicubic);
        const QRectF area = devicePixels.mapRect(QRectF(rect));
        for (int i = 0; i < m_objects.GetCount(); ++i) {
            TDrawParent* draw = m_objects.GetDraw(i);
            if (ExtentOf(*draw).intersects(area)) {
                draw->Draw(graphics);
            }
        }
    }
}
