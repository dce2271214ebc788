// The seek bar's preview over the demo: each picture equals, pixel for pixel, the board a
// headless engine rebuilds at the picture's time, scaled the same way, and the engine that plays
// is left as it was; a newer request drops an older one still waiting; in supervised study
// nothing is shown beyond the furthest point played.

#include "DemoTestSupport.h"

#include "draw/DrawMP3.h"
#include "playback/BoardPicture.h"
#include "playback/BoardPreview.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <future>
#include <thread>

namespace {

// The board area of a small screen, so that the screen shows only a part of the demo's boards.
const QSize kScreen(640, 400);

class BoardPreviewTest : public DemoPlaybackTest {
protected:
    void TearDown() override
    {
        m_preview.reset();
        DemoPlaybackTest::TearDown();
    }

    void MakePreview()
    {
        m_preview = std::make_unique<TBoardPreview>(m_state, m_engine->GetLectureInfoList(), kScreen);
        m_preview->SetThumbnailHandler([this](const TBoardThumbnail& picture) { m_listArrived.push_back(picture); });
    }

    // Runs the event loop until the condition holds; false when a minute went by first.
    static bool RunUntil(const std::function<bool()>& condition)
    {
        const QDeadlineTimer deadline(60000);
        while (!condition()) {
            if (deadline.hasExpired()) {
                return false;
            }
            QCoreApplication::processEvents();
            std::this_thread::yield();
        }
        return true;
    }

    int32_t PageStart(size_t page) const
    {
        return static_cast<int32_t>(m_engine->GetLectureInfoList()[page].StartFrameNo) * kFrameMilliseconds;
    }

    std::unique_ptr<TBoardPreview> m_preview;
    std::vector<TBoardThumbnail> m_listArrived;
};

// The preview's engine: board-only, on the player's page list. It opens no voice and no clip
// stream, starts no page before the first seek, and rebuilds the boards the player rebuilds.
TEST_F(BoardPreviewTest, ABoardOnlyEngineRebuildsThePlayersBoardsWithoutAnAudioStream)
{
    StartDemo();
    TPlayerState state = m_state;
    THeadlessPlaybackView view;
    TPlaybackEngine boards(state, view);
    boards.SetBoardOnly();
    boards.UsePageList(m_engine->GetLectureInfoList());
    EXPECT_FALSE(boards.HasBoardPicture());
    EXPECT_EQ(boards.GetDrawManager().GetCount(), 0);

    const std::vector<TLectureInfo>& pages = m_engine->GetLectureInfoList();
    for (const size_t page : {pages.size() - 1, size_t{0}}) {
        const uint32_t at = pages[page].StartFrameNo * kFrameMilliseconds + 9000;
        SCOPED_TRACE(::testing::Message() << "at " << at << " ms");
        SeekTo(at);
        state.m_bClickTabLecturePage = true;
        state.m_intCurrentMilesSecond = static_cast<int32_t>(at);
        boards.ScbPlayMovePositionUntilReDraw(at);
        EXPECT_EQ(boards.GetPlayChannel(), 0u);
        EXPECT_NE(m_engine->GetPlayChannel(), 0u);
        EXPECT_EQ(boards.GetDrawManager().GetCount(), ObjectCount());
        EXPECT_EQ(DifferingPixels(FullRepaint(boards), FullRepaint(*m_engine)), 0);
        int clips = 0;
        for (int i = 0; i < boards.GetDrawManager().GetCount(); ++i) {
            if (const auto* clip = dynamic_cast<const TDrawMP3*>(boards.GetDrawManager().GetDraw(i))) {
                ++clips;
                EXPECT_EQ(clip->GetPlayChannel(), 0u);
                EXPECT_EQ(clip->GetLoadChannel(), 0u);
            }
        }
        EXPECT_EQ(clips, page == 0 ? 0 : 1);
    }
}

TEST_F(BoardPreviewTest, PicturesEqualTheHeadlessBoardAndLeaveThePlayerAsItWas)
{
    StartDemo();
    SeekTo(30000);
    const int32_t playerPosition = m_state.m_intCurrentMilesSecond;
    const int32_t playerPage = m_state.m_nCurrentPlayPageIndex;
    const int playerPackets = PlayedPackets();
    const QImage playerBoard = FullRepaint(*m_engine);
    MakePreview();

    // The reference: an engine of its own on this thread, rebuilt through the player's seek.
    TPlayerState referenceState = m_state;
    THeadlessPlaybackView referenceView(kScreen);
    TPlaybackEngine reference(referenceState, referenceView);
    ASSERT_TRUE(reference.LoadLectureInfo(m_state.m_sBasePath));

    const std::vector<TLectureInfo>& pages = m_engine->GetLectureInfoList();
    const size_t last = pages.size() - 1;
    struct Case {
        size_t page;
        int32_t offset;          // milliseconds into the page
        int32_t pictureOffset;   // where the picture stands: the start of the second
    };
    // In the order given: later in the page the preview's engine rebuilt last, it carries the
    // rebuild on; anywhere else it rebuilds afresh.
    const Case cases[] = {
        {0, 0, 0},
        {0, 9700, 9000},     // on within the page
        {0, 4500, 4000},     // back within the page
        {last, 10000, 10000},
        {last, pages[last].PlayMileSeconds, pages[last].PlayMileSeconds / 1000 * 1000},   // the end
        {1, 5499, 5000},
        {0, 15000, 15000},   // a page the engine has left
    };
    int nonBlank = 0;
    for (const Case& c : cases) {
        const int32_t at = PageStart(c.page) + c.offset;
        SCOPED_TRACE(::testing::Message() << "at " << at << " ms");
        m_listArrived.clear();
        const TPreviewCard card = m_preview->Request(at);
        EXPECT_EQ(card.timeText, FormatPlayTime(static_cast<uint32_t>(at)));
        EXPECT_EQ(card.pageIndex, static_cast<int32_t>(c.page));
        EXPECT_TRUE(card.pictureAllowed);
        ASSERT_FALSE(card.picture.has_value());
        ASSERT_TRUE(RunUntil([this] { return !m_listArrived.empty(); }));
        const TBoardThumbnail& picture = m_listArrived.front();
        EXPECT_EQ(picture.pageIndex, static_cast<int32_t>(c.page));
        EXPECT_EQ(picture.sessionMs, PageStart(c.page) + c.pictureOffset);

        referenceState.m_bClickTabLecturePage = true;
        referenceState.m_intCurrentMilesSecond = picture.sessionMs;
        reference.ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(picture.sessionMs));
        const TBoardMiniature expected =
            PaintBoardMiniature(reference, TBoardPreview::kThumbnailWidth, referenceView.GetVisibleBoardRect());
        ASSERT_EQ(picture.image.width(), TBoardPreview::kThumbnailWidth);
        EXPECT_EQ(DifferingPixels(picture.image, expected.image), 0);
        EXPECT_EQ(picture.onScreen, expected.onScreen);
        EXPECT_TRUE(QRectF(picture.image.rect()).contains(picture.onScreen));
        EXPECT_LT(picture.onScreen.width(), picture.image.width());   // the screen shows a part only
        QImage white(picture.image.size(), picture.image.format());
        white.fill(Qt::white);
        nonBlank += DifferingPixels(picture.image, white) > 0 ? 1 : 0;
    }
    EXPECT_GE(nonBlank, 4);   // the boards have something on them
    EXPECT_EQ(m_preview->GetMadeCount(), static_cast<int>(std::size(cases)));

    // The engine that plays has not moved.
    EXPECT_EQ(m_state.m_intCurrentMilesSecond, playerPosition);
    EXPECT_EQ(m_state.m_nCurrentPlayPageIndex, playerPage);
    EXPECT_EQ(PlayedPackets(), playerPackets);
    EXPECT_EQ(DifferingPixels(FullRepaint(*m_engine), playerBoard), 0);
}

// On a screen of device pixel ratio 2 a picture has twice the pixels each way, drawn there, and
// covers the same logical size with the same outline; a picture kept for one ratio is not shown
// on a screen of another.
TEST_F(BoardPreviewTest, PicturesAreMadeAtTheScreensDevicePixelRatio)
{
    StartDemo();
    MakePreview();
    TPlayerState referenceState = m_state;
    THeadlessPlaybackView referenceView(kScreen);
    TPlaybackEngine reference(referenceState, referenceView);
    ASSERT_TRUE(reference.LoadLectureInfo(m_state.m_sBasePath));
    const int32_t at = PageStart(0) + 9000;
    referenceState.m_bClickTabLecturePage = true;
    referenceState.m_intCurrentMilesSecond = at;
    reference.ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(at));

    std::vector<TBoardThumbnail> pictures;
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        m_preview->SetDevicePixelRatio(ratio);
        m_listArrived.clear();
        ASSERT_FALSE(m_preview->Request(at).picture.has_value()) << "made for another ratio";
        ASSERT_TRUE(RunUntil([this] { return !m_listArrived.empty(); }));
        const TBoardThumbnail& picture = m_listArrived.front();
        const TBoardMiniature expected = PaintBoardMiniature(reference, TBoardPreview::kThumbnailWidth,
                                                             referenceView.GetVisibleBoardRect(), ratio);
        EXPECT_EQ(picture.image.devicePixelRatio(), ratio);
        EXPECT_EQ(picture.image.width(), TBoardPreview::kThumbnailWidth * ratio);
        EXPECT_EQ(picture.image.deviceIndependentSize().width(), TBoardPreview::kThumbnailWidth);
        EXPECT_EQ(DifferingPixels(picture.image, expected.image), 0);
        EXPECT_EQ(picture.onScreen, expected.onScreen);
        pictures.push_back(picture);
    }
    EXPECT_EQ(pictures[1].image.height(), 2 * pictures[0].image.height());
    EXPECT_EQ(pictures[1].onScreen, pictures[0].onScreen);
    m_preview->SetDevicePixelRatio(1.0);
    const TPreviewCard again = m_preview->Request(at);
    ASSERT_TRUE(again.picture.has_value()) << "kept for this ratio";
    EXPECT_EQ(again.picture->image.devicePixelRatio(), 1.0);
}

TEST_F(BoardPreviewTest, ANewerRequestDropsTheOlderOneWaitingAndShownOrPreparedSecondsAreKept)
{
    StartDemo();
    MakePreview();
    std::promise<void> firstStarted;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> started{0};
    m_preview->m_onPictureStarted = [&](int32_t, int32_t) {
        if (started++ == 0) {
            firstStarted.set_value();
            released.wait();
        }
    };
    const int32_t a = PageStart(0) + 3000;
    const int32_t b = PageStart(1) + 2000;
    const int32_t c = PageStart(1) + 7000;
    m_preview->Request(a);
    ASSERT_EQ(firstStarted.get_future().wait_for(std::chrono::minutes(1)), std::future_status::ready);
    m_preview->Request(b);   // waits behind a, then is dropped for c
    m_preview->Request(c);
    release.set_value();
    ASSERT_TRUE(RunUntil([this] { return !m_listArrived.empty(); }));
    ASSERT_EQ(m_listArrived.size(), 1u);
    EXPECT_EQ(m_listArrived.front().sessionMs, c);
    EXPECT_EQ(m_preview->GetMadeCount(), 2);   // a, which was under way, and c
    EXPECT_EQ(m_preview->GetDroppedCount(), 1);
    EXPECT_EQ(started.load(), 2);

    // a's picture was kept though not shown; both are shown at once when asked again, within
    // their second, and nothing more is made.
    EXPECT_EQ(m_preview->GetKeptCount(), 2u);
    const std::pair<int32_t, int32_t> again[] = {{a + 999, a}, {c + 400, c}};
    for (const auto& [at, shown] : again) {
        const TPreviewCard card = m_preview->Request(at);
        ASSERT_TRUE(card.picture.has_value()) << at;
        EXPECT_EQ(card.picture->sessionMs, shown);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(m_preview->GetMadeCount(), 2);
    EXPECT_EQ(m_listArrived.size(), 1u);

    // A prepared picture is kept, not shown; nothing is prepared while a request waits.
    const int32_t prepared = PageStart(2) + 1000;
    m_preview->Prepare(prepared);
    ASSERT_TRUE(RunUntil([this] { return m_preview->GetKeptCount() == 3; }));
    EXPECT_EQ(m_listArrived.size(), 1u);
    EXPECT_TRUE(m_preview->Request(prepared + 500).picture.has_value());
    const int32_t waited = PageStart(2) + 4000;
    m_preview->Request(waited);
    m_preview->Prepare(PageStart(2) + 8000);
    ASSERT_TRUE(RunUntil([this] { return m_listArrived.size() == 2; }));
    EXPECT_EQ(m_listArrived.back().sessionMs, waited);
    EXPECT_EQ(m_preview->GetMadeCount(), 4);
    EXPECT_FALSE(m_preview->Request(PageStart(2) + 8000).picture.has_value());
}

TEST_F(BoardPreviewTest, SupervisedStudyShowsNoPictureBeyondTheFurthestPointPlayed)
{
    StartDemo();
    g_studyInfo.study_mode = QStringLiteral("A");
    m_state.m_intFlowMilesSecond = 20000;
    MakePreview();

    // Beyond the furthest point: the time and the page, no picture, nothing made.
    const TPreviewCard beyond = m_preview->Request(20001);
    EXPECT_FALSE(beyond.pictureAllowed);
    EXPECT_FALSE(beyond.picture.has_value());
    EXPECT_EQ(beyond.timeText, FormatPlayTime(20001));
    EXPECT_GE(beyond.pageIndex, 0);

    // Up to it: a picture.
    EXPECT_TRUE(m_preview->Request(20000).pictureAllowed);
    ASSERT_TRUE(RunUntil([this] { return !m_listArrived.empty(); }));
    EXPECT_EQ(m_preview->GetMadeCount(), 1);

    // Moving beyond it drops the picture asked for before: it is not shown.
    m_listArrived.clear();
    m_preview->Request(12000);
    m_preview->Request(25000);
    ASSERT_TRUE(RunUntil([this] { return m_preview->GetMadeCount() + m_preview->GetDroppedCount() == 2; }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_listArrived.empty());

    // The furthest point is read at each request: once played further, the picture comes.
    m_state.m_intFlowMilesSecond = 30000;
    EXPECT_TRUE(m_preview->Request(25000).pictureAllowed);
    ASSERT_TRUE(RunUntil([this] { return !m_listArrived.empty(); }));
    EXPECT_GT(m_listArrived.front().sessionMs, 24000);
    EXPECT_LE(m_listArrived.front().sessionMs, 25000);
}

} // namespace
