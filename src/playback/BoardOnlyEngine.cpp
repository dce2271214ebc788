#include "playback/BoardOnlyEngine.h"

TBoardOnlyEngine::TBoardOnlyEngine(const TPlayerState& p_session, const std::vector<TLectureInfo>& p_listPages,
                                   float p_fViewRatio, QSize p_visibleSize, qreal p_dDevicePixelRatio,
                                   std::shared_ptr<TGPStrokeCache> p_strokeCache)
    : m_state(p_session), m_view(p_visibleSize), m_engine(m_state, m_view)
{
    m_state.m_viewRatio = p_fViewRatio;
    m_engine.SetBoardOnly();
    m_engine.SetDevicePixelRatio(p_dDevicePixelRatio);
    if (p_strokeCache) {
        m_engine.Board().UseStrokeCache(std::move(p_strokeCache));
    }
    m_engine.UsePageList(p_listPages);
}

void TBoardOnlyEngine::SeekTo(int32_t p_nSessionMs)
{
    m_state.m_bClickTabLecturePage = true;
    m_state.m_intCurrentMilesSecond = p_nSessionMs;
    m_engine.ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(p_nSessionMs));
}

void TBoardOnlyEngine::SeekOnTo(uint32_t p_dPagePosition)
{
    m_state.m_dCurrentPlayPosition = p_dPagePosition;
    m_engine.RedrawOnUntilMP3FrameNo(static_cast<uint32_t>(MilliSecondsToFrameNo(p_dPagePosition)));
}
