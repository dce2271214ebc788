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
    // The study mode changes between cases, which no session does: the warm-up, which reads it,
    // stays off.
    m_bWarmUp = false;
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
}

// Three pages of exactly 41 frames (1,476 ms), with one creation packet at every frame from 0 to
// 41 inclusive, so that the objects on the board tell the frame the board was rebuilt to.
constexpr int32_t kPageFrames = 41;
constexpr int32_t kPageMs = kPageFrames * 36;

TPageSpec FramePage(const QString& id)
{
    TPageSpec page{id, int64_t{kPageFrames} * 288, {}};
    page.voiceRate = kLongRate;   // 288 samples a frame
    for (int32_t frame = 0; frame <= kPageFrames; ++frame) {
        page.packets.push_back(Packet(1, frame, static_cast<uint32_t>(frame + 1)));
    }
    return page;
}

struct TSeekCase {
    int32_t target;     // session milliseconds the seek bar is dropped at
    int32_t page;
    uint32_t position;  // within the page
    int objects;
};

void PrintTo(const TSeekCase& c, std::ostream* out)
{
    *out << "drop at " << c.target;
}

class SeekTargetTest : public SeekingTest, public ::testing::WithParamInterface<TSeekCase> {};

// A target lands on the frame it rounds to (halves to even): in the last half frame of a page it
// starts the next page at 0; at the end of the session it stands at the end of the last page with
// every packet due by the page's last frame on the board.
TEST_P(SeekTargetTest, LandsOnTheFrameTheTargetRoundsTo)
{
    const TSeekCase& c = GetParam();
    WriteSession({{FramePage("a"), FramePage("b"), FramePage("c")}});
    Start();
    ASSERT_EQ(m_state.m_intAllMileSecond, 3 * kPageMs);
    // From the middle of the session, playing.
    m_engine->scbPlayMouseDown();
    m_view.m_nSeekPosition = kPageMs + 700;
    m_engine->scbPlayMouseUp();
    Tick();

    m_engine->scbPlayMouseDown();
    m_view.m_nSeekPosition = c.target;
    m_engine->scbPlayMouseUp();
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, c.page);
    EXPECT_EQ(m_view.m_nTabIndex, c.page);
    EXPECT_EQ(m_state.m_dCurrentPlayPosition, c.position);
    EXPECT_EQ(HeardPosition(), c.position);
    EXPECT_EQ(ObjectCount(), c.objects);
    const int32_t session = c.page * kPageMs + static_cast<int32_t>(c.position);
    EXPECT_EQ(m_state.m_intCurrentMilesSecond, session);
    EXPECT_EQ(m_view.m_sCurrentTime, FormatPlayTime(static_cast<uint32_t>(session)));
    EXPECT_TRUE(m_view.IsFrameClockEnabled());
    EXPECT_FALSE(m_state.m_bClickTabLecturePage);
}

// Page ends at 1,476 (frame 41, odd) and 2,952 (frame 82, even); the session ends at 4,428
// (frame 123, odd).
INSTANTIATE_TEST_SUITE_P(
    Targets, SeekTargetTest,
    ::testing::Values(
        // The session's start.
        TSeekCase{0, 0, 0, 1}, TSeekCase{17, 0, 17, 1}, TSeekCase{18, 0, 18, 1}, TSeekCase{19, 0, 19, 2},
        // The end of page a: frame 40.5 rounds to 40.
        TSeekCase{kPageMs - 19, 0, kPageMs - 19, 41}, TSeekCase{kPageMs - 18, 0, kPageMs - 18, 41},
        TSeekCase{kPageMs - 17, 1, 0, 1}, TSeekCase{kPageMs - 1, 1, 0, 1}, TSeekCase{kPageMs, 1, 0, 1},
        // The end of page b: frame 81.5 rounds to 82, the first frame of page c.
        TSeekCase{2 * kPageMs - 19, 1, kPageMs - 19, 41}, TSeekCase{2 * kPageMs - 18, 2, 0, 1},
        TSeekCase{2 * kPageMs - 17, 2, 0, 1}, TSeekCase{2 * kPageMs - 1, 2, 0, 1}, TSeekCase{2 * kPageMs, 2, 0, 1},
        // The end of the session: frame 122.5 rounds to 122, the last frame of page c; anything
        // later stands at the end.
        TSeekCase{3 * kPageMs - 18, 2, kPageMs - 18, 41}, TSeekCase{3 * kPageMs - 17, 2, kPageMs, 42},
        TSeekCase{3 * kPageMs - 1, 2, kPageMs, 42}, TSeekCase{3 * kPageMs, 2, kPageMs, 42},
        TSeekCase{3 * kPageMs + 1000, 2, kPageMs, 42}),
    [](const ::testing::TestParamInfo<TSeekCase>& info) { return "At" + std::to_string(info.param.target); });

// Standing at the end after a seek, the session ends as it does when played to its end: playing
// on, and paused as well.
TEST_F(SeekingTest, SeekToTheEndEndsTheSessionAsPlayingToTheEndDoes)
{
    for (const bool playing : {true, false}) {
        SCOPED_TRACE(playing ? "playing" : "paused");
        Renew();
        WriteSession({{FramePage("a"), FramePage("b")}});
        g_studyInfo.study_mode = QStringLiteral("A");   // supervised study seeks while paused too
        Start();
        m_engine->tabLecturePageClick(1);   // a seek into another page would start its voice
        m_state.m_intFlowMilesSecond = m_state.m_intAllMileSecond;
        if (!playing) {
            m_engine->btnPlayMouseUp();
        }
        m_engine->scbPlayMouseDown();
        m_view.m_nSeekPosition = m_state.m_intAllMileSecond;
        m_engine->scbPlayMouseUp();
        EXPECT_EQ(m_state.m_intCurrentMilesSecond, m_state.m_intAllMileSecond);
        EXPECT_EQ(m_state.m_bPlaying, playing);
        Tick();
        Tick();
        EXPECT_GE(m_view.m_nCloseRequestCount, 1);
        EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 1);
        EXPECT_EQ(ObjectCount(), kPageFrames + 1);
        EXPECT_FALSE(m_state.m_bPlaying);
        EXPECT_NE(BASS_ChannelIsActive(m_engine->GetPlayChannel()), kActivePlaying);
    }
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

// At the very end of a page's voice the position equals the next page's first frame; a zoom step
// there rebuilds the same page and keeps the play state.
TEST_F(SeekingTest, ZoomAtTheVeryEndOfAPageStaysInItAndKeepsThePlayState)
{
    for (const bool playing : {false, true}) {
        SCOPED_TRACE(playing ? "playing" : "paused");
        Renew();
        WriteSession({{FramePage("a"), FramePage("b")}});
        Start();
        for (int i = 0; i < 100 && m_state.m_dCurrentPlayPosition < static_cast<uint32_t>(kPageMs); ++i) {
            Tick();
        }
        ASSERT_EQ(m_state.m_nCurrentPlayPageIndex, 0);
        ASSERT_EQ(m_state.m_intCurrentMilesSecond, kPageMs);
        if (!playing) {
            m_engine->btnPlayMouseUp();
        }
        m_engine->ResizeingImage(true);
        EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, 0);
        EXPECT_EQ(m_view.m_nTabIndex, 0);
        EXPECT_EQ(m_state.m_dCurrentPlayPosition, static_cast<uint32_t>(kPageMs));
        EXPECT_EQ(m_state.m_intCurrentMilesSecond, kPageMs);
        EXPECT_EQ(m_state.m_bPlaying, playing);
        EXPECT_EQ(ObjectCount(), kPageFrames + 1);
        EXPECT_EQ(m_view.m_ptSurfaceSize.X, 880);
        Tick();
        // Playing on, the page ends as it would have; paused, nothing moves.
        EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, playing ? 1 : 0);
        EXPECT_EQ(m_state.m_bPlaying, playing);
    }
}

// A pattern board keeps its pattern's size at every zoom; a picture board scales its picture.
TEST_F(SeekingTest, ZoomScalesAPictureBoardButNotAPattern)
{
    TPageSpec pattern = LongPage("pattern", 5);
    TPageSpec picture = LongPage("picture", 5);
    picture.boardType = QStringLiteral("LectureImage");
    WriteSession({{pattern, picture}});
    Start();
    const auto zoomTo = [this](int steps) {
        while (RoundHalfEven(m_state.m_viewRatio * 100.0) < 100 + 10 * steps) {
            m_engine->ResizeingImage(true);
        }
        while (RoundHalfEven(m_state.m_viewRatio * 100.0) > 100 + 10 * steps) {
            m_engine->ResizeingImage(false);
        }
        m_engine->EnsureBoardRendered(m_engine->GetBoardImage().rect());
        return m_engine->GetBoardImage();
    };
    // The pattern's line is its row 15: rows 15, 31, 47 ... at 100 % and at 150 %.
    for (const int steps : {0, 5}) {
        const QImage board = zoomTo(steps);
        for (int y = 0; y < 64; ++y) {
            EXPECT_EQ(board.pixel(300, y) == 0xFFB0C4DE, y % 16 == 15) << steps << " steps, row " << y;
        }
    }
    // The picture (half the board's size, a gradient) covers 400 x 300 at 100 % and 600 x 450 at
    // 150 %, its pixel (x, y) shown at (1.5 x, 1.5 y).
    m_engine->tabLecturePageClick(1);
    const QImage normal = zoomTo(0).copy();
    const QImage zoomed = zoomTo(5);
    EXPECT_EQ(normal.pixel(500, 200), 0xFFFFFFFF);
    EXPECT_NE(zoomed.pixel(500, 200), 0xFFFFFFFF);
    EXPECT_EQ(zoomed.pixel(700, 200), 0xFFFFFFFF);
    for (const QPoint at : {QPoint(40, 30), QPoint(200, 100), QPoint(380, 280)}) {
        const QRgb shown = zoomed.pixel(at * 1.5);
        const QRgb own = normal.pixel(at);
        EXPECT_NEAR(qRed(shown), qRed(own), 3) << at.x() << "," << at.y();
        EXPECT_NEAR(qGreen(shown), qGreen(own), 3) << at.x() << "," << at.y();
    }
}

} // namespace
