// Seeking: the 10-second buttons, the seek bar, the limits of supervised study, seeks into other
// pages and past the end, the rebuild of the board and the zoom steps that use it.

#include "PlaybackTestSupport.h"

#include "draw/DrawStrokes.h"

namespace {

constexpr int kLongRate = 8000;

// A page of `seconds` (a track at 8 kHz) with one creation packet every 50 frames.
TPageSpec LongPage(const QString& id, int seconds)
{
    TPageSpec page{id, int64_t{seconds} * kLongRate, {}};
    page.voiceRate = kLongRate;
    for (int32_t frame = 0, n = 1; frame <= seconds * 1000 / 36; frame += 50, ++n) {
        page.packets.push_back(Packet(1, frame, static_cast<uint32_t>(n)));
    }
    return page;
}

// Objects on the board after a rebuild up to a page position: one per 50 frames from frame 0.
int ObjectsAt(uint32_t pagePosition)
{
    return MilliSecondsToFrameNo(pagePosition) / 50 + 1;
}

class SeekingTest : public PlaybackTest {
protected:
    // Checks that the engine stands at session position `session`, page `page`, page position
    // `position`, with the voice there, the board rebuilt to it, the clock running.
    void ExpectAt(int32_t session, int32_t page, uint32_t position)
    {
        EXPECT_EQ(m_state.m_intCurrentMilesSecond, session);
        EXPECT_EQ(m_view.m_nSeekPosition, session);
        EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, page);
        EXPECT_EQ(m_view.m_nTabIndex, page);
        EXPECT_EQ(m_state.m_dCurrentPlayPosition, position);
        EXPECT_EQ(HeardPosition(), position);
        EXPECT_EQ(ObjectCount(), ObjectsAt(position));
        EXPECT_EQ(m_view.m_sCurrentTime, FormatPlayTime(static_cast<uint32_t>(session)));
        EXPECT_TRUE(m_view.IsFrameClockEnabled());
        EXPECT_FALSE(m_state.m_bClickTabLecturePage);
    }

    int FullRenders() const
    {
        return static_cast<int>(std::count(m_view.m_listBoardChanges.begin(), m_view.m_listBoardChanges.end(), QRect()));
    }
};

TEST_F(SeekingTest, BackTenSecondsStopsAtTheStart)
{
    WriteSession({{LongPage("a", 20)}});
    Start();
    struct Case {
        int32_t from;
        int32_t to;
    };
    for (const Case c : {Case{7000, 0}, Case{15000, 5000}, Case{10000, 0}, Case{10001, 1}}) {
        m_state.m_intCurrentMilesSecond = c.from;
        m_engine->btnPlayPrevMouseUp();
        ExpectAt(c.to, 0, static_cast<uint32_t>(c.to));
    }
    // A panel over the board: the button does nothing.
    m_state.m_bActivateView = true;
    m_state.m_intCurrentMilesSecond = 15000;
    m_engine->btnPlayPrevMouseUp();
    EXPECT_EQ(m_state.m_intCurrentMilesSecond, 15000);
}

TEST_F(SeekingTest, ForwardTenSecondsOnlyWithinTheSession)
{
    WriteSession({{LongPage("a", 20)}});
    Start();
    m_engine->btnPlayNextMouseUp();
    ExpectAt(10000, 0, 10000);
    m_engine->scbPlayDownButtonClick();
    m_engine->scbPlayUpButtonClick();
    ExpectAt(10000, 0, 10000);
    // 25,000 is not below the session's 20,016 ms: nothing happens.
    m_state.m_intCurrentMilesSecond = 15000;
    const int renders = FullRenders();
    m_engine->btnPlayNextMouseUp();
    m_engine->scbPlayUpButtonClick();
    EXPECT_EQ(m_state.m_intCurrentMilesSecond, 15000);
    EXPECT_EQ(FullRenders(), renders);
}

TEST_F(SeekingTest, SupervisedStudySeeksForwardOnlyAsFarAsPlayed)
{
    WriteSession({{LongPage("a", 200)}});
    g_studyInfo.study_mode = QStringLiteral("A");
    Start();
    m_state.m_intFlowMilesSecond = 180000;
    m_state.m_intCurrentMilesSecond = 175000;
    m_engine->btnPlayNextMouseUp();
    EXPECT_EQ(m_state.m_intCurrentMilesSecond, 175000);   // the button never moves
    m_engine->scbPlayUpButtonClick();
    ExpectAt(180000, 0, 180000);
    const int renders = FullRenders();
    m_engine->scbPlayUpButtonClick();
    ExpectAt(180000, 0, 180000);
    EXPECT_GT(FullRenders(), renders);   // seeks to the furthest point once more
    m_state.m_intCurrentMilesSecond = 165000;
    m_engine->scbPlayUpButtonClick();
    ExpectAt(175000, 0, 175000);
    // Back is free; the furthest point stays.
    m_engine->scbPlayDownButtonClick();
    ExpectAt(165000, 0, 165000);
    EXPECT_EQ(m_state.m_intFlowMilesSecond, 180000);
}

TEST_F(SeekingTest, DroppingTheSeekBar)
{
    struct Case {
        const char* mode;
        bool playing;
        int32_t current;
        int32_t dropped;
        int32_t expected;   // the session position after the drop
        bool seeks;
    };
    const Case cases[] = {
        {"R", true, 5000, 12000, 12000, true},
        {"R", false, 5000, 12000, 5000, false},
        {"A", true, 5000, 9000, 9000, true},      // within what was played
        {"A", true, 10000, 15000, 10000, false},  // beyond it, already at the furthest point
        {"A", true, 5000, 15000, 10000, true},    // beyond it: to the furthest point
        {"A", false, 5000, 9000, 9000, true},     // supervised study seeks while paused too
    };
    WriteSession({{LongPage("a", 20)}});
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + (c.playing ? " playing " : " paused ") + std::to_string(c.dropped));
        g_studyInfo.study_mode = QString::fromLatin1(c.mode);
        m_state.m_intFlowMilesSecond = 10000;
        m_state.m_intCurrentMilesSecond = c.current;
        if (m_state.m_bPlaying != c.playing) {
            m_engine->btnPlayMouseUp();
        }
        m_engine->scbPlayMouseDown();
        EXPECT_TRUE(m_state.m_bClickTabLecturePage);
        m_view.m_nSeekPosition = c.dropped;
        const int renders = FullRenders();
        m_engine->scbPlayMouseUp();
        EXPECT_EQ(m_state.m_intCurrentMilesSecond, c.expected);
        EXPECT_EQ(FullRenders() > renders, c.seeks);
        EXPECT_FALSE(m_state.m_bClickTabLecturePage);
        if (c.seeks) {
            EXPECT_EQ(m_state.m_dCurrentPlayPosition, static_cast<uint32_t>(c.expected));
        } else {
            EXPECT_EQ(m_view.m_nSeekPosition, c.current);
        }
        EXPECT_EQ(m_state.m_bPlaying, c.playing);
    }
}

TEST_F(SeekingTest, SeeksAcrossPagesStartTheTargetPagePlaying)
{
    WriteSession({{LongPage("a", 20), LongPage("b", 20)}});
    Start();
    const TLectureInfo second = m_engine->GetLectureInfoList()[1];
    const int32_t secondStart = static_cast<int32_t>(second.StartFrameNo) * 36;
    ASSERT_EQ(secondStart, 20016);

    // Paused in the first page, a seek within it stays paused.
    m_engine->btnPlayMouseUp();
    m_state.m_intCurrentMilesSecond = 15000;
    m_engine->btnPlayPrevMouseUp();
    ExpectAt(5000, 0, 5000);
    EXPECT_FALSE(m_state.m_bPlaying);
    EXPECT_EQ(BASS_ChannelIsActive(m_engine->GetPlayChannel()), kActiveStopped);
    Tick();
    EXPECT_EQ(m_state.m_dCurrentPlayPosition, 5000u);

    // A seek to the first frame of the next page lands at its start, playing.
    m_state.m_bClickTabLecturePage = true;
    m_engine->ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(secondStart));
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
    EXPECT_EQ(m_view.m_nTabIndex, 1);
    EXPECT_EQ(m_state.m_dCurrentPlayPosition, 0u);
    EXPECT_TRUE(m_state.m_bPlaying);
    EXPECT_EQ(BASS_ChannelIsActive(m_engine->GetPlayChannel()), kActivePlaying);
    EXPECT_EQ(ObjectCount(), 1);

    // A position a few milliseconds before that frame rounds into it: the page starts at 0.
    m_engine->ScbPlayMovePositionUntilReDraw(0);
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 0);
    m_engine->ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(secondStart - 10));
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
    EXPECT_EQ(m_state.m_dCurrentPlayPosition, 0u);

    // At or after the end: the last page, at the page position it had before.
    m_engine->ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(secondStart + 3000));
    m_engine->ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(m_state.m_intAllMileSecond + 5000));
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
    EXPECT_EQ(m_state.m_dCurrentPlayPosition, 3000u);
    EXPECT_EQ(HeardPosition(), 3000u);
    EXPECT_EQ(ObjectCount(), ObjectsAt(3000));
}

TEST_F(SeekingTest, PageTabsStartTheirPageFromItsBeginning)
{
    WriteSession({{LongPage("a", 20), LongPage("b", 20)}});
    Start();
    Tick();
    m_engine->tabLecturePageClick(1);
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
    EXPECT_EQ(m_state.m_intCurrentMilesSecond, 20016);
    EXPECT_EQ(m_view.m_nSeekPosition, 20016);
    EXPECT_EQ(m_state.m_dCurrentPlayPosition, 0u);
    EXPECT_TRUE(m_state.m_bPlaying);
    EXPECT_EQ(ObjectCount(), 0);
    // Idle while a seek is under way and for no selection.
    m_state.m_bClickTabLecturePage = true;
    m_engine->tabLecturePageClick(0);
    m_state.m_bClickTabLecturePage = false;
    m_engine->tabLecturePageClick(-1);
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
}

// The rebuild only records the focus points; the view follows the last one once at the end.
TEST_F(SeekingTest, RebuildScrollsOnceToTheLastFocusPoint)
{
    TPageSpec page = LongPage("a", 20);
    page.width = 2000;
    page.height = 2000;
    page.packets.insert(page.packets.begin() + 1, {Packet(122, 0, 0, 100, 100), Packet(122, 0, 0, 1500, 1200)});
    WriteSession({{page}});
    m_view = THeadlessPlaybackView(QSize(640, 480));
    Start();
    m_state.m_intCurrentMilesSecond = 15000;
    m_engine->btnPlayPrevMouseUp();
    EXPECT_EQ(m_state.m_ptViewPoint, (TGPPointF{1500, 1200}));
    EXPECT_EQ(m_view.m_ptScrollOffset, QPoint(1180, 960));
}

TEST_F(SeekingTest, ZoomStepsRebuildTheBoardAtTheNewScale)
{
    TPageSpec page = LongPage("a", 20);
    page.packets.insert(page.packets.begin() + 1, {Packet(3, 0, 500), Packet(4, 0, 500, 10, 10), Packet(4, 0, 500, 50, 30),
                                                   Packet(5, 0, 500), Packet(7, 0, 500, 100, 40, 200, 80)});
    WriteSession({{page}});
    m_engine = std::make_unique<TPlaybackEngine>(m_state, m_view);
    m_engine->ResizeingImage(true);   // before any page: nothing
    EXPECT_EQ(m_state.m_viewRatio, 1.0f);
    EXPECT_TRUE(m_view.m_sStatusMessage.isEmpty());
    m_engine.reset();
    Start();
    Tick();

    // Ten steps of 110 % to 200 %; the last ends just above 2.0, and the next one stays there.
    const int percents[] = {110, 120, 130, 140, 150, 160, 170, 180, 190, 200, 200};
    for (const int percent : percents) {
        m_engine->ResizeingImage(true);
        const float ratio = m_state.m_viewRatio;
        EXPECT_EQ(RoundHalfEven(ratio * 100.0), percent);
        EXPECT_EQ(m_view.m_sStatusMessage, QStringLiteral("화면 크기 : %1%").arg(percent));
        EXPECT_EQ(m_view.m_ptSurfaceSize.X, RoundHalfEven(800 * static_cast<double>(ratio)));
        EXPECT_EQ(m_engine->GetBoardImage().width(), m_view.m_ptSurfaceSize.X);
        const TGPRectF bounds = m_engine->GetDrawManager().FindDrawByDrawNo(500)->GetBounds();
        EXPECT_FLOAT_EQ(bounds.X, 100 * ratio);
        EXPECT_FLOAT_EQ(bounds.Width, 200 * ratio);
        EXPECT_EQ(ObjectCount(), ObjectsAt(m_state.m_dCurrentPlayPosition) + 1);
    }
    EXPECT_EQ(m_state.m_viewRatio, std::nextafter(2.0f, 3.0f));
    for (int i = 0; i < 12; ++i) {
        m_engine->ResizeingImage(false);
    }
    EXPECT_EQ(m_state.m_viewRatio, 1.0f);
    EXPECT_EQ(m_view.m_sStatusMessage, QStringLiteral("화면 크기 : 100%"));
}

} // namespace
