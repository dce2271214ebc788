// The frame clock: every tick follows the voice, plays the packets due by its position, moves
// on at the end of a page and asks to close at the end of the session.

#include "playback/PlaybackEngine.h"

#include "platform/Rounding.h"
#include "playback/PositionLog.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace {

constexpr int32_t kNextPageWaitMs = 500;
constexpr uint8_t kSelfStudyLectureType = 2;

} // namespace

void TPlaybackEngine::tmFramePlayTimer()
{
    if (m_bBusy || m_state.m_bClosing) {
        return;
    }
    const QScopedValueRollback<bool> busy(m_bBusy, true);
    const std::vector<TLectureInfo>& pages = GetLectureInfoList();
    const int32_t index = m_state.m_nCurrentPlayPageIndex;
    if (index >= 0 && index < static_cast<int32_t>(pages.size()) && m_state.m_bPlaying) {
        const TLectureInfo page = pages[static_cast<size_t>(index)];
        if (SelfStudyDue(page) && !AskSelfStudyAndGoOn()) {
            return;
        }
        if (static_cast<int64_t>(page.PlayMileSeconds) <= static_cast<int64_t>(m_state.m_dCurrentPlayPosition)) {
            EndOfPage();
        } else {
            ReadVoicePosition(page);
            PlayDuePackets();
        }
    }
    CheckEndOfSession();
    m_board.RenderStaleSlice();
}

bool TPlaybackEngine::SelfStudyDue(const TLectureInfo& p_page) const
{
    return m_state.m_dCurrentPlayPosition > p_page.PlayMileSeconds * 2.0 / 3.0 &&
           g_studyInfo.lecture_type == kSelfStudyLectureType && !m_state.m_bSelfStudyMessageBox;
}

// Stops the voice and asks; false when the learner stops here (the window is asked to close).
bool TPlaybackEngine::AskSelfStudyAndGoOn()
{
    StopSound();
    m_view.SetFrameClockEnabled(false);
    SetPlaying(false);
    if (IsSupervisedStudy()) {
        m_view.SetStandByCheckUpEnabled(false);
    }
    if (m_view.AskSelfStudy()) {
        m_state.m_bCompulsionClose = true;
        m_view.PostCloseRequest();
        return false;
    }
    PlaySound();
    m_state.m_bActivateView = false;
    m_state.m_bSelfStudyMessageBox = true;
    m_view.SetFrameClockEnabled(true);
    SetPlaying(true);
    if (IsSupervisedStudy()) {
        m_view.SetStandByCheckUpEnabled(true);
    }
    return true;
}

// The next page starts whether or not the learner holds the seek bar: its release then seeks
// from the page that plays, and the page index always names the page whose voice and packets
// are loaded.
void TPlaybackEngine::EndOfPage()
{
    m_view.SetFrameClockEnabled(false);
    SetPlaying(false);
    const int32_t next = m_state.m_nCurrentPlayPageIndex + 1;
    if (next >= static_cast<int32_t>(GetLectureInfoList().size())) {
        return;   // the last page: the player stays at the end
    }
    m_view.Wait(kNextPageWaitMs);
    m_view.SetPageTabIndex(next);
    StartPageFromItsBeginning(next);
}

// The page position from the voice. A voice that has ended counts as played to the page's full
// length: the length is the track's measured length rounded to whole frames, which can lie
// beyond the last position the track reports, and the page would never end. For the same
// reason the position never passes the page's length, so the session position meets the
// session length exactly at the end.
void TPlaybackEngine::ReadVoicePosition(const TLectureInfo& p_page)
{
    const uint32_t length = static_cast<uint32_t>(std::max(p_page.PlayMileSeconds, 0));
    uint32_t position = length;
    if (BASS_ChannelIsActive(m_playChannel) != kActiveStopped) {
        const double seconds = BASS_ChannelBytes2Seconds(m_playChannel, BASS_ChannelGetPosition(m_playChannel, kPosByte));
        position = static_cast<uint32_t>(std::clamp<int64_t>(RoundHalfEven(seconds * 1000.0), 0, length));
    }
    m_state.m_dCurrentPlayPosition = position;
    SetCurrentPosition(static_cast<int32_t>(p_page.StartFrameNo) * kFrameMilliseconds + static_cast<int32_t>(position));
}

void TPlaybackEngine::SetCurrentPosition(int32_t p_intPosition)
{
    m_state.m_intCurrentMilesSecond = p_intPosition;
    m_view.SetCurrentTimeText(FormatPlayTime(static_cast<uint32_t>(p_intPosition)));
    m_state.m_intFlowMilesSecond = std::max(m_state.m_intFlowMilesSecond, p_intPosition);
    LogSessionPosition(p_intPosition, m_state.m_nCurrentPlayPageIndex, m_state.m_bPlaying, m_state.m_intPlaySpeed);
    if (!m_state.m_bClickTabLecturePage) {
        m_view.SetSeekPosition(p_intPosition);
    }
}

void TPlaybackEngine::PlayDuePackets()
{
    const uint32_t frame = static_cast<uint32_t>(MilliSecondsToFrameNo(m_state.m_dCurrentPlayPosition));
    while (const TPacketItem* packet = m_pfPacketFile.GetNextPacket(frame)) {
        PacketPlay(*packet, true, false);
    }
}

// The close button's left-click action at the end of the session.
void TPlaybackEngine::CheckEndOfSession()
{
    if (m_state.m_intCurrentMilesSecond == m_state.m_intAllMileSecond && !m_state.m_bActivateView) {
        m_view.PostCloseRequest();
    }
}
