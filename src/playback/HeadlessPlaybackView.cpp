#include "playback/HeadlessPlaybackView.h"

#include <algorithm>

namespace {

int ClampOffset(int offset, int content, int visible)
{
    return std::clamp(offset, 0, std::max(0, content - visible));
}

} // namespace

void THeadlessPlaybackView::SetScrollOffset(const QPoint& p_ptOffset)
{
    m_ptScrollOffset = QPoint(ClampOffset(p_ptOffset.x(), m_ptSurfaceSize.X + 2 * kBoardFrameMargin, m_visibleSize.width()),
                              ClampOffset(p_ptOffset.y(), m_ptSurfaceSize.Y + 2 * kBoardFrameMargin, m_visibleSize.height()));
}

void THeadlessPlaybackView::Wait(int32_t p_nMilliseconds)
{
    m_nWaitedMilliseconds += p_nMilliseconds;
    if (m_onWait) {
        m_onWait(p_nMilliseconds);
    }
}
