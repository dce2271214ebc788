// The frame clock against the manual audio output: the packets played each tick, the pages
// following one another, the end of the session, the self-study prompt, a closing window.

#include "PlaybackTestSupport.h"

namespace {

// Creation packets (one object each) at every third frame of a page, two at frame 0 and two at
// the page's last frame, so that the count of objects tells how many packets have been played.
std::vector<TPacketItem> CreationPackets(int32_t frames)
{
    std::vector<TPacketItem> packets{Packet(1, 0, 1), Packet(1, 0, 2)};
    for (int32_t frame = 3; frame < frames; frame += 3) {
        packets.push_back(Packet(1, frame, static_cast<uint32_t>(packets.size() + 1)));
    }
    packets.push_back(Packet(1, frames, static_cast<uint32_t>(packets.size() + 1)));
    packets.push_back(Packet(1, frames, static_cast<uint32_t>(packets.size() + 1)));
    return packets;
}

int DueBy(const std::vector<TPacketItem>& packets, int32_t frame)
{
    return static_cast<int>(std::count_if(packets.begin(), packets.end(),
                                          [frame](const TPacketItem& p) { return p.FrameNo <= frame; }));
}

// Frames of a track of `ms` milliseconds, as the catalogue measures it.
int32_t FramesOf(int64_t ms)
{
    return static_cast<int32_t>(RoundHalfEven(static_cast<double>(ms) / 36.0));
}

class FrameClockTempoTest : public PlaybackTest, public ::testing::WithParamInterface<int> {};

// Three pages over two lectures: 1,500 ms; 1,000 ms, whose 28 frames (1,008 ms) lie beyond the
// track's end; 1,020 ms, whose 28 frames end before the track does.
TEST_P(FrameClockTempoTest, EachTickPlaysExactlyThePacketsDueAndPagesFollowToTheEnd)
{
    const std::vector<int64_t> lengths{1500, 1000, 1020};
    std::vector<std::vector<TPacketItem>> packets;
    std::vector<TPageSpec> specs;
    for (size_t i = 0; i < lengths.size(); ++i) {
        packets.push_back(CreationPackets(FramesOf(lengths[i])));
        specs.push_back({QStringLiteral("p%1").arg(i), SamplesOf(lengths[i]), packets.back()});
    }
    WriteSession({{specs[0], specs[1]}, {specs[2]}});
    m_state.m_intPlaySpeed = GetParam();
    Start();
    ASSERT_EQ(m_engine->GetLectureInfoList().size(), 3u);
    EXPECT_EQ(m_state.m_intAllMileSecond, (28 + 42 + 28) * 36);

    std::vector<int32_t> pagesSeen{m_state.m_nCurrentPlayPageIndex};
    int ticks = 0;
    while (m_view.m_nCloseRequestCount == 0 && ticks++ < 200) {
        const int32_t page = m_state.m_nCurrentPlayPageIndex;
        Tick();
        if (m_state.m_nCurrentPlayPageIndex != page) {
            pagesSeen.push_back(m_state.m_nCurrentPlayPageIndex);
            EXPECT_EQ(m_state.m_dCurrentPlayPosition, 0u);
            EXPECT_EQ(ObjectCount(), 0);
            continue;
        }
        if (!m_state.m_bPlaying) {
            continue;   // the page has just ended
        }
        const TLectureInfo& info = m_engine->GetLectureInfoList()[static_cast<size_t>(page)];
        const uint32_t heard = BASS_ChannelIsActive(m_engine->GetPlayChannel()) == kActiveStopped
            ? static_cast<uint32_t>(info.PlayMileSeconds)
            : std::min<uint32_t>(HeardPosition(), static_cast<uint32_t>(info.PlayMileSeconds));
        ASSERT_EQ(m_state.m_dCurrentPlayPosition, heard) << "tick " << ticks;
        const int due = DueBy(packets[static_cast<size_t>(page)], MilliSecondsToFrameNo(heard));
        ASSERT_EQ(PlayedPackets(), due) << "tick " << ticks;
        ASSERT_EQ(ObjectCount(), due) << "tick " << ticks;
        EXPECT_EQ(m_state.m_intCurrentMilesSecond, static_cast<int32_t>(info.StartFrameNo) * 36 + static_cast<int32_t>(heard));
        EXPECT_EQ(m_view.m_sCurrentTime, FormatPlayTime(static_cast<uint32_t>(m_state.m_intCurrentMilesSecond)));
        EXPECT_EQ(m_view.m_nSeekPosition, m_state.m_intCurrentMilesSecond);
    }
    EXPECT_EQ(pagesSeen, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(m_view.m_nCloseRequestCount, 1);
    EXPECT_EQ(m_state.m_intCurrentMilesSecond, m_state.m_intAllMileSecond);
    EXPECT_EQ(m_state.m_intFlowMilesSecond, m_state.m_intAllMileSecond);
    EXPECT_EQ(PlayedPackets(), static_cast<int>(packets[2].size()));
    // The two page changes each waited 500 ms; every voice load waited 200 ms.
    EXPECT_EQ(m_view.m_nWaitedMilliseconds, 2 * 500 + 3 * 200);
    // The last page ends: the clock stops and the player stays at the end.
    Tick();
    EXPECT_FALSE(m_view.IsFrameClockEnabled());
    EXPECT_FALSE(m_state.m_bPlaying);
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 2);
}

INSTANTIATE_TEST_SUITE_P(Tempo, FrameClockTempoTest, ::testing::Values(0, 100),
                         [](const ::testing::TestParamInfo<int>& info) { return "Tempo" + std::to_string(info.param); });

// Tracks whose frame count rounds up and down: the session ends exactly at its length either way.
TEST_F(PlaybackTest, AnEndedVoiceCountsAsThePageFullyPlayed)
{
    for (const int64_t ms : {1000, 1020}) {
        SCOPED_TRACE(ms);
        TearDown();
        m_state = TPlayerState();
        m_view = THeadlessPlaybackView();
        SetUp();
        const int32_t frames = FramesOf(ms);
        WriteSession({{{QStringLiteral("only%1").arg(ms), SamplesOf(ms), {Packet(1, frames, 7)}}}});
        Start();
        int ticks = 0;
        while (m_view.m_nCloseRequestCount == 0 && ticks++ < 100) {
            Tick();
        }
        EXPECT_EQ(m_state.m_dCurrentPlayPosition, static_cast<uint32_t>(frames * 36));
        EXPECT_EQ(m_state.m_intCurrentMilesSecond, m_state.m_intAllMileSecond);
        EXPECT_EQ(ObjectCount(), 1);   // the packet of the last frame was played
        EXPECT_EQ(m_view.m_nCloseRequestCount, 1);
    }
}

TEST_F(PlaybackTest, PausedTicksOnlyCheckTheEndOfTheSession)
{
    WriteSession({{{"a", SamplesOf(1500), CreationPackets(42)}}});
    Start();
    Tick();
    Tick();
    m_engine->btnPlayMouseUp();
    EXPECT_FALSE(m_state.m_bPlaying);
    EXPECT_FALSE(m_view.m_bPlayButtonPlaying);
    const uint32_t position = m_state.m_dCurrentPlayPosition;
    const int played = PlayedPackets();
    for (int i = 0; i < 5; ++i) {
        Tick();
    }
    EXPECT_EQ(m_state.m_dCurrentPlayPosition, position);
    EXPECT_EQ(PlayedPackets(), played);
    EXPECT_EQ(m_view.m_nCloseRequestCount, 0);
    // A panel over the board keeps the end of the session from closing the window.
    m_state.m_intCurrentMilesSecond = m_state.m_intAllMileSecond;
    m_state.m_bActivateView = true;
    Tick();
    EXPECT_EQ(m_view.m_nCloseRequestCount, 0);
    m_state.m_bActivateView = false;
    Tick();
    EXPECT_EQ(m_view.m_nCloseRequestCount, 1);
}

// A window that is closing: the ticks still queued play nothing and ask for nothing, though the
// voice still plays, and code coming back from one of its dialogs starts no voice.
TEST_F(PlaybackTest, ClosingWindowsTicksDoNothingAndNoVoiceStartsAgain)
{
    WriteSession({{{"a", SamplesOf(1500), CreationPackets(42)}}});
    Start();
    Tick();
    m_state.m_bClosing = true;
    const uint32_t position = m_state.m_dCurrentPlayPosition;
    const int played = PlayedPackets();
    m_state.m_intCurrentMilesSecond = m_state.m_intAllMileSecond;
    for (int i = 0; i < 5; ++i) {
        Tick();
    }
    EXPECT_EQ(m_state.m_dCurrentPlayPosition, position);
    EXPECT_EQ(PlayedPackets(), played);
    EXPECT_EQ(m_view.m_nCloseRequestCount, 0);

    m_engine->StopSound();
    m_engine->PlaySound();
    EXPECT_FALSE(m_state.m_bPlaying);
    EXPECT_NE(BASS_ChannelIsActive(m_engine->GetPlayChannel()), kActivePlaying);
}

class SelfStudyTest : public PlaybackTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SelfStudyTest, PromptComesOnceAfterTwoThirdsOfAPage)
{
    const bool accept = GetParam();
    WriteSession({{{"a", SamplesOf(1500), {}}, {"b", SamplesOf(1500), {}}}});
    g_studyInfo.lecture_type = 2;
    m_view.m_bSelfStudyAnswer = accept;
    Start();
    int ticks = 0;
    uint32_t stored = 0;
    while (m_view.m_nSelfStudyAskCount == 0 && ticks++ < 50) {
        stored = m_state.m_dCurrentPlayPosition;
        Tick();
    }
    ASSERT_EQ(m_view.m_nSelfStudyAskCount, 1);
    // Asked on the first tick whose stored position was past two thirds of 1,512 ms.
    EXPECT_GT(stored, 1008u);
    EXPECT_LE(stored, 1008u + 72u + 1u);
    if (accept) {
        EXPECT_TRUE(m_state.m_bCompulsionClose);
        EXPECT_EQ(m_view.m_nCloseRequestCount, 1);
        EXPECT_FALSE(m_view.IsFrameClockEnabled());
        EXPECT_FALSE(m_state.m_bPlaying);
        EXPECT_FALSE(m_view.m_bPlayButtonPlaying);
        return;
    }
    EXPECT_TRUE(m_state.m_bSelfStudyMessageBox);
    EXPECT_TRUE(m_state.m_bPlaying);
    EXPECT_TRUE(m_view.m_bPlayButtonPlaying);
    EXPECT_TRUE(m_view.IsFrameClockEnabled());
    EXPECT_EQ(BASS_ChannelIsActive(m_engine->GetPlayChannel()), kActivePlaying);
    while (m_view.m_nCloseRequestCount == 0 && ticks++ < 100) {
        Tick();
    }
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
    EXPECT_EQ(m_view.m_nSelfStudyAskCount, 1);   // never again in the session
    EXPECT_EQ(m_state.m_intCurrentMilesSecond, m_state.m_intAllMileSecond);
}

INSTANTIATE_TEST_SUITE_P(Answer, SelfStudyTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Accepted" : "Declined"; });

TEST_F(PlaybackTest, SupervisedStudyRunsTheCheckUpStandByOnlyWhilePlaying)
{
    WriteSession({{{"a", SamplesOf(1500), {}}}});
    g_studyInfo.study_mode = QStringLiteral("A");
    Start();
    EXPECT_TRUE(m_view.m_bStandByCheckUpEnabled);
    m_engine->btnPlayMouseUp();
    EXPECT_FALSE(m_view.m_bStandByCheckUpEnabled);
    EXPECT_EQ(m_view.m_nHideCheckUpCount, 1);
    m_engine->btnPlayMouseUp();
    EXPECT_TRUE(m_view.m_bStandByCheckUpEnabled);
    EXPECT_TRUE(m_view.m_bPlayButtonPlaying);
}

// A page without any usable voice (no track, no fallback) ends on the first tick; the next
// page follows.
TEST_F(PlaybackTest, APageWithoutVoiceEndsAtOnce)
{
    WriteSession({{{"silent", 0, {Packet(1, 0, 1)}}, {"b", SamplesOf(1500), {}}}});
    Start();
    ASSERT_EQ(m_engine->GetLectureInfoList()[0].PlayMileSeconds, 0);
    EXPECT_EQ(m_engine->GetPlayChannel(), 0u);
    ASSERT_FALSE(m_view.m_listMessages.empty());
    EXPECT_EQ(m_view.m_listMessages.front().second, QStringLiteral("음원 파일 재생중 오류발생"));
    Tick();
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
    EXPECT_TRUE(m_state.m_bPlaying);
}

TEST_F(PlaybackTest, AMissingPacketFileIsReportedAndThePagePlaysItsVoice)
{
    TPageSpec page{"a", SamplesOf(1500), {}};
    page.writePackets = false;
    WriteSession({{page}});
    Start();
    ASSERT_EQ(m_view.m_listMessages.size(), 1u);
    EXPECT_EQ(m_view.m_listMessages[0].second, QStringLiteral("Packet 파일이 없습니다."));
    EXPECT_TRUE(m_state.m_bPlaying);
    Tick();
    EXPECT_GT(m_state.m_dCurrentPlayPosition, 0u);
}

} // namespace
