// Seeking: the board cannot be rewound, so a seek empties it and replays the page's packets up
// to the target frame, then paints and scrolls once.

#include "playback/PlaybackEngine.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <chrono>

namespace {

constexpr int32_t kSeekStepMs = 10000;
constexpr QWORD kNoBytes = static_cast<QWORD>(-1);   // the audio library's failed byte count

} // namespace

void TPlaybackEngine::ScbPlayMovePositionUntilReDraw(uint32_t p_dPlayPosition)
{
    const std::vector<TLectureInfo>& pages = GetLectureInfoList();
    if (pages.empty()) {
        m_state.m_bClickTabLecturePage = false;
        return;
    }
    const QScopedValueRollback<bool> busy(m_bBusy, true);
    if (m_view.IsFrameClockEnabled()) {
        m_view.SetFrameClockEnabled(false);
    }
    const TSeekLanding landing = FindSeekLanding(pages, p_dPlayPosition);
    m_state.m_dCurrentPlayPosition = landing.position;
    const int32_t pageNo = pages[landing.page].PageNo;
    if (pageNo != m_state.m_nCurrentPlayPageIndex) {
        m_state.m_nCurrentPlayPageIndex = pageNo;
        m_view.SetPageTabIndex(pageNo);
        LecturePlay(m_state.m_sBasePath, pageNo);
    }
    RebuildAtPagePosition();
}

TSeekLanding FindSeekLanding(const std::vector<TLectureInfo>& pages, uint32_t p_dPlayPosition)
{
    const int64_t target = MilliSecondsToFrameNo(p_dPlayPosition);
    for (size_t i = 0; i < pages.size(); ++i) {
        const TLectureInfo& page = pages[i];
        if (target < static_cast<int64_t>(page.StartFrameNo) + page.FrameCount) {
            const int64_t start = static_cast<int64_t>(page.StartFrameNo) * kFrameMilliseconds;
            return {i, static_cast<uint32_t>(std::max<int64_t>(p_dPlayPosition - start, 0))};
        }
    }
    return {pages.size() - 1, static_cast<uint32_t>(std::max(pages.back().PlayMileSeconds, 0))};
}

void TPlaybackEngine::RebuildAtPagePosition()
{
    const TLectureInfo& page = GetLectureInfoList()[static_cast<size_t>(m_state.m_nCurrentPlayPageIndex)];
    const uint32_t position = m_state.m_dCurrentPlayPosition;
    const int32_t start = static_cast<int32_t>(page.StartFrameNo) * kFrameMilliseconds;
    m_state.m_intCurrentMilesSecond = start + static_cast<int32_t>(position);
    m_view.SetCurrentTimeText(FormatPlayTime(static_cast<uint32_t>(m_state.m_intCurrentMilesSecond)));
    MoveVoiceTo(position);
    RedrawUntilMP3FrameNo(static_cast<uint32_t>(MilliSecondsToFrameNo(position)));
    m_view.SetFrameClockEnabled(true);
    m_state.m_bClickTabLecturePage = false;
}

// A playing voice goes on from there, a paused one stays paused. A page's length is its voice
// rounded to whole frames and may lie a little past the voice's end: the voice then stands at
// its end.
void TPlaybackEngine::MoveVoiceTo(uint32_t p_dPagePosition)
{
    if (m_playChannel == 0) {
        return;
    }
    QWORD bytes = BASS_ChannelSeconds2Bytes(m_playChannel, p_dPagePosition / 1000.0);
    const QWORD length = BASS_ChannelGetLength(m_playChannel, kPosByte);
    if (bytes != kNoBytes && length != kNoBytes) {
        bytes = std::min(bytes, length);
    }
    BASS_ChannelSetPosition(m_playChannel, bytes, kPosByte);
}

void TPlaybackEngine::RedrawUntilMP3FrameNo(uint32_t p_u32MP3FrameNo)
{
    DeleteAllDraw();
    m_pfPacketFile.ResetPacketCursor();
    m_board.RenderAll();
    RedrawOnUntilMP3FrameNo(p_u32MP3FrameNo);
}

void TPlaybackEngine::RedrawOnUntilMP3FrameNo(uint32_t p_u32MP3FrameNo)
{
    // A packet due at an earlier frame is due at the target too, and the cursor hands packets out
    // strictly in file order: draining at the target frame plays exactly what frame-by-frame
    // draining from frame 0 would.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    while (const TPacketItem* packet = m_pfPacketFile.GetNextPacket(p_u32MP3FrameNo)) {
        PacketPlay(*packet, false, true);
    }
    const Clock::time_point replayed = Clock::now();
    // The view follows first, so that the part rendered now is the part then on screen.
    m_board.MarkAllStale();
    ScroolBoxToCenterPoint(m_state.m_ptViewPoint);
    m_board.Show();
    m_rebuildTiming = {std::chrono::duration<double>(replayed - start).count(),
                       std::chrono::duration<double>(Clock::now() - replayed).count()};
}

void TPlaybackEngine::btnPlayPrevMouseUp()
{
    if (!m_state.m_bActivateView) {
        scbPlayDownButtonClick();
    }
}

void TPlaybackEngine::scbPlayDownButtonClick()
{
    m_state.m_bClickTabLecturePage = true;
    int32_t& current = m_state.m_intCurrentMilesSecond;
    current = current <= kSeekStepMs ? 0 : current - kSeekStepMs;
    ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(current));
    m_view.SetSeekPosition(current);
}

void TPlaybackEngine::btnPlayNextMouseUp()
{
    if (!m_state.m_bActivateView && !IsSupervisedStudy()) {
        SeekForward10Seconds();
    }
}

void TPlaybackEngine::SeekForward10Seconds()
{
    int32_t& current = m_state.m_intCurrentMilesSecond;
    if (static_cast<int64_t>(current) + kSeekStepMs < m_state.m_intAllMileSecond) {
        m_state.m_bClickTabLecturePage = true;
        current += kSeekStepMs;
        ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(current));
        m_view.SetSeekPosition(current);
    }
}

void TPlaybackEngine::scbPlayUpButtonClick()
{
    if (!IsSupervisedStudy()) {
        SeekForward10Seconds();
        return;
    }
    // Supervised study: forward only as far as has been played.
    int32_t& current = m_state.m_intCurrentMilesSecond;
    const int32_t flow = m_state.m_intFlowMilesSecond;
    if (static_cast<int64_t>(current) + kSeekStepMs <= flow) {
        m_state.m_bClickTabLecturePage = true;
        current += kSeekStepMs;
    } else if (current <= flow) {
        m_state.m_bClickTabLecturePage = true;
        current = flow;
    }
    if (m_state.m_bClickTabLecturePage) {
        ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(current));
        m_view.SetSeekPosition(current);
    }
}

void TPlaybackEngine::scbPlayMouseDown()
{
    m_state.m_bClickTabLecturePage = true;
}

void TPlaybackEngine::scbPlayMouseUp()
{
    const int32_t dropped = m_view.GetSeekPosition();
    int32_t& current = m_state.m_intCurrentMilesSecond;
    if (!IsSupervisedStudy()) {
        if (m_state.m_bPlaying) {
            current = dropped;
            ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(dropped));
        } else {
            m_state.m_bClickTabLecturePage = false;
            m_view.SetSeekPosition(current);
        }
        return;
    }
    const int32_t flow = m_state.m_intFlowMilesSecond;
    if (dropped <= flow) {
        current = dropped;
    } else if (current == flow) {
        m_state.m_bClickTabLecturePage = false;
        m_view.SetSeekPosition(current);
        return;
    } else {
        current = flow;
    }
    ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(current));
    m_view.SetSeekPosition(current);
}
