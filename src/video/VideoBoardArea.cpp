#include "video/VideoBoardArea.h"

#include "platform/graphics/GPGraphics.h"
#include "playback/PlaybackEngine.h"
#include "session/FileUtil.h"

#include <QPainter>

#include <algorithm>

namespace {

// The board area's own colour, where no desk picture paints (the window's too).
const QColor kDeskColour(0x2B, 0x30, 0x3A);

int ClampOffset(int p_nOffset, int p_nContent, int p_nVisible)
{
    return std::clamp(p_nOffset, 0, std::max(0, p_nContent - p_nVisible));
}

} // namespace

TVideoBoardArea::TVideoBoardArea(const TPlayerState& p_state, QSize p_frameSize, bool p_bCenterAlign,
                                 const QString& p_sImageFolder)
    : THeadlessPlaybackView(p_frameSize),
      m_state(p_state),
      m_bCenterAlign(p_bCenterAlign),
      m_sImageFolder(p_sImageFolder),
      m_imgPointer(PointerStickImage()),
      m_imgFrame(p_frameSize, QImage::Format_RGB32)
{
    m_frame.LoadDesk(JoinPath(p_sImageFolder, QStringLiteral("back%1.png").arg(p_state.m_intSkinIndex)));
}

void TVideoBoardArea::SetFrameImage(const QString& p_sFrameImageType)
{
    THeadlessPlaybackView::SetFrameImage(p_sFrameImageType);
    m_frame.LoadFrame(m_sImageFolder, p_sFrameImageType);
    m_bWholeDue = true;
}

// As the window: nothing moves before a board picture is loaded.
void TVideoBoardArea::ReMovePlayerView()
{
    THeadlessPlaybackView::ReMovePlayerView();
    if (!m_engine || !m_engine->HasBoardPicture()) {
        return;
    }
    const TBoardAreaLayout layout{m_visibleSize, 0, false, m_bCenterAlign};
    m_rtFramedBoard = PlaceFramedBoard(layout, m_state.m_ptOriginalImage, m_state.m_viewRatio);
    // The scroll range follows the content's new size.
    SetScrollOffset(m_ptScrollOffset);
    m_bWholeDue = true;
}

void TVideoBoardArea::SetScrollOffset(const QPoint& p_ptOffset)
{
    m_ptScrollOffset = QPoint(ClampOffset(p_ptOffset.x(), m_rtFramedBoard.right() + 1, m_visibleSize.width()),
                              ClampOffset(p_ptOffset.y(), m_rtFramedBoard.bottom() + 1, m_visibleSize.height()));
}

QRect TVideoBoardArea::GetVisibleBoardRect() const
{
    return QRect(-BoardOrigin(), m_visibleSize);
}

// Where the board's top-left pixel lands in the frame: the placed frame plus its margin, scrolled.
QPoint TVideoBoardArea::BoardOrigin() const
{
    return m_rtFramedBoard.topLeft() + QPoint(kBoardFrameMargin, kBoardFrameMargin) - m_ptScrollOffset;
}

// The white panel inside the frame, which clips the board surface and the pointer.
QRect TVideoBoardArea::PanelRect() const
{
    return QRect(BoardOrigin(), m_rtFramedBoard.size() - QSize(2 * kBoardFrameMargin, 2 * kBoardFrameMargin));
}

QRect TVideoBoardArea::PointerRect() const
{
    return QRect(BoardOrigin() + m_ptPointer, m_imgPointer.size());
}

QRegion TVideoBoardArea::PaintFrame()
{
    const QRegion repainted = m_engine ? m_engine->Board().TakeRepaintedRegion() : QRegion();
    if (m_bWholeDue || m_ptScrollOffset != m_ptPaintedScroll) {
        PaintWhole();
        return m_imgFrame.rect();
    }
    QRegion due = repainted.translated(BoardOrigin());
    if (m_bPointerVisible != m_bPaintedPointer || (m_bPointerVisible && m_ptPointer != m_ptPaintedPointer)) {
        if (m_bPaintedPointer) {
            due += QRect(BoardOrigin() + m_ptPaintedPointer, m_imgPointer.size());
        }
        if (m_bPointerVisible) {
            due += PointerRect();
        }
    }
    return PaintBoardParts(due);
}

void TVideoBoardArea::PaintWhole()
{
    {
        QPainter painter(&m_imgFrame);
        painter.fillRect(m_imgFrame.rect(), kDeskColour);
        TGPGraphics desk(painter);
        m_frame.PaintDesk(desk, m_imgFrame.size());
    }
    if (!m_rtFramedBoard.isEmpty()) {
        QPainter painter(&m_imgFrame);
        painter.translate(m_rtFramedBoard.topLeft() - m_ptScrollOffset);
        TGPGraphics frame(painter);
        m_frame.PaintFrame(frame, m_rtFramedBoard.size());
    }
    m_bWholeDue = false;
    m_ptPaintedScroll = m_ptScrollOffset;
    PaintBoardParts(PanelRect());
}

// The panel's parts in the region (frame pixels): white, the board over it, the pointer on top.
QRegion TVideoBoardArea::PaintBoardParts(const QRegion& p_rgnFrame)
{
    m_bPaintedPointer = m_bPointerVisible;
    m_ptPaintedPointer = m_ptPointer;
    const QRegion region = p_rgnFrame & PanelRect();
    if (region.isEmpty()) {
        return region;
    }
    const QPoint origin = BoardOrigin();
    const bool board = m_engine && m_engine->HasBoardPicture();
    QPainter painter(&m_imgFrame);
    for (const QRect& rect : region) {
        painter.fillRect(rect, Qt::white);
        if (!board) {
            continue;
        }
        const QRect part = rect.translated(-origin) & m_engine->GetBoardImage().rect();
        if (!part.isEmpty()) {
            m_engine->EnsureBoardRendered(part);
            painter.drawImage(part.topLeft() + origin, m_engine->GetBoardImage(), part);
        }
    }
    if (m_bPointerVisible && region.intersects(PointerRect())) {
        painter.setClipRegion(region);
        painter.drawImage(PointerRect().topLeft(), m_imgPointer);
    }
    return region;
}
