// The seek bar's preview through real pointer moves over the window's seek bar: the card shows
// the time and page at once and then the board at that point, equal to a headless rebuild; a
// newer point drops the older one still waiting; in supervised study nothing of the board beyond
// the furthest point played, which the track marks; the time label follows the dragged knob.

#include "FormTestSupport.h"

#include "content/Mp3Fixture.h"
#include "playback/BoardPicture.h"
#include "playback/HeadlessPlaybackView.h"
#include "session/FileUtil.h"
#include "ui/JumpSlider.h"
#include "ui/SeekBar.h"
#include "ui/SeekPreview.h"
#include "ui/SeekPreviewCard.h"
#include "ui/StatusView.h"

#include <QLabel>
#include <QTest>

#include <future>

namespace {

const QString kFreeLaunchText = QStringLiteral("R&S1&U1&1&0&2&S9|,|1234&S9|,|57");

int DifferingPixels(const QImage& p_a, const QImage& p_b)
{
    if (p_a.size() != p_b.size()) {
        return -1;
    }
    const QImage a = p_a.convertToFormat(QImage::Format_RGB32);
    const QImage b = p_b.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return differing;
}

class TSeekPreviewTest : public TFormTest {
protected:
    // Two pages of 24 s: room to hover over either.
    QString VoicePath() const override { return Voice24Path(); }

    TForm1& Start(const QString& p_sLaunchText)
    {
        TForm1& form = StartForm(p_sLaunchText);
        EXPECT_NE(form.SeekPreview(), nullptr);
        return form;
    }

    TJumpSlider* Track() const { return m_form->StatusBar().scbPlay->Track(); }
    TSeekPreviewCard& Card() const { return m_form->SeekPreview()->Card(); }
    TBoardPreview& Preview() const { return m_form->SeekPreview()->Preview(); }
    int32_t PageStart(size_t p_nPage) const
    {
        return static_cast<int32_t>(m_form->Engine().GetLectureInfoList()[p_nPage].StartFrameNo) * kFrameMilliseconds;
    }

    // Moves the pointer over the track to the point of the session position; gives the position
    // the track takes there (within a pixel's worth of it).
    int32_t HoverAt(int32_t p_nSessionMs) const
    {
        const int x = Track()->XOf(p_nSessionMs);
        QTest::mouseMove(Track(), QPoint(x, Track()->height() / 2));
        return Track()->ValueAt(x);
    }

    // The board a headless engine of its own rebuilds at the session position, scaled as the
    // preview scales it.
    TBoardMiniature HeadlessBoard(int32_t p_nSessionMs) const
    {
        TPlayerState state = m_form->State();
        THeadlessPlaybackView view(m_form->Board().GetVisibleBoardRect().size());
        TPlaybackEngine engine(state, view);
        EXPECT_TRUE(engine.LoadLectureInfo(state.m_sBasePath));
        state.m_bClickTabLecturePage = true;
        state.m_intCurrentMilesSecond = p_nSessionMs;
        engine.ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(p_nSessionMs));
        return PaintBoardMiniature(engine, TBoardPreview::kThumbnailWidth, view.GetVisibleBoardRect());
    }

    // The picture shown: each pixel of the painted picture area equals the picture's, but on the
    // outline of the part on screen, which is drawn in its own colour.
    static void ExpectPaintedWithOutline(const QImage& p_painted, const QImage& p_picture, const QRectF& p_onScreen)
    {
        ASSERT_GE(p_painted.width(), p_picture.width());
        ASSERT_GE(p_painted.height(), p_picture.height());
        const QRect outline = p_onScreen.toAlignedRect();
        const QRect inside = outline.adjusted(1, 1, -1, -1);
        int outlinePixels = 0;
        int otherDiffering = 0;
        for (int y = 0; y < p_picture.height(); ++y) {
            for (int x = 0; x < p_picture.width(); ++x) {
                const bool onOutline = outline.contains(x, y) && !inside.contains(x, y);
                const QRgb painted = p_painted.pixel(x, y);
                if (onOutline) {
                    outlinePixels += painted == TSeekPreviewCard::kOutlineColor.rgb() ? 1 : 0;
                } else {
                    otherDiffering += painted != p_picture.pixel(x, y) ? 1 : 0;
                }
            }
        }
        EXPECT_EQ(otherDiffering, 0);
        EXPECT_GT(outlinePixels, 0);
    }
};

// Points in both pages: the card shows the time and page at once, then the board at the start of
// the pointer's second, as a headless engine rebuilds it.
TEST_F(TSeekPreviewTest, HoveringShowsTimePageAndTheBoardAtThatPoint)
{
    if (VoicePath().isEmpty()) {
        GTEST_SKIP() << "no mp3 encoder";
    }
    Start(kFreeLaunchText);
    struct Case {
        size_t page;
        int32_t offset;   // into the page
    };
    for (const Case c : {Case{1, 6400}, Case{0, 12000}, Case{1, 20500}}) {
        SCOPED_TRACE(::testing::Message() << "page " << c.page << " at " << c.offset);
        const int32_t at = HoverAt(PageStart(c.page) + c.offset);
        ASSERT_TRUE(Card().isVisible());
        EXPECT_EQ(Card().TimeText(), FormatPlayTime(static_cast<uint32_t>(at)));
        EXPECT_EQ(Card().PageText(), QStringLiteral("%1 p").arg(c.page + 1));
        ASSERT_TRUE(WaitFor([this] { return !Card().Picture().isNull(); }));

        const int32_t pictureAt = PageStart(c.page) + (at - PageStart(c.page)) / 1000 * 1000;
        const TBoardMiniature expected = HeadlessBoard(pictureAt);
        ASSERT_EQ(Card().Picture().width(), TBoardPreview::kThumbnailWidth);
        EXPECT_EQ(DifferingPixels(Card().Picture(), expected.image), 0);
        ExpectPaintedWithOutline(Card().PictureLabel()->grab().toImage().convertToFormat(QImage::Format_RGB32),
                                 expected.image.convertToFormat(QImage::Format_RGB32), expected.onScreen);
        // The card stands above the pointer.
        const QRect card = Card().geometry();
        const QPoint pointer = Track()->mapTo(m_form.get(), QPoint(Track()->XOf(at), 0));
        EXPECT_LE(card.bottom(), pointer.y());
        EXPECT_TRUE(card.left() <= pointer.x() && pointer.x() <= card.right());
    }
    // Leaving the track takes the card away.
    QTest::mouseMove(m_form.get(), QPoint(5, 5));
    EXPECT_TRUE(WaitFor([this] { return !Card().isVisible(); }, 2000));
}

// The worker is held on the first point's picture while the pointer moves on twice: the second
// point, still waiting, is dropped, and the card ends up with the third point's picture.
TEST_F(TSeekPreviewTest, MovingOnDropsTheOldRequest)
{
    if (VoicePath().isEmpty()) {
        GTEST_SKIP() << "no mp3 encoder";
    }
    Start(kFreeLaunchText);
    std::promise<void> firstStarted;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> started{0};
    Preview().m_onPictureStarted = [&](int32_t, int32_t) {
        if (started++ == 0) {
            firstStarted.set_value();
            released.wait();
        }
    };
    HoverAt(PageStart(0) + 3000);
    ASSERT_EQ(firstStarted.get_future().wait_for(std::chrono::minutes(1)), std::future_status::ready);
    HoverAt(PageStart(1) + 2000);
    const int32_t last = HoverAt(PageStart(1) + 15000);
    release.set_value();
    ASSERT_TRUE(WaitFor([this] { return Preview().GetMadeCount() == 2 && !Card().Picture().isNull(); }));
    EXPECT_EQ(Preview().GetDroppedCount(), 1);
    EXPECT_EQ(started.load(), 2);
    EXPECT_EQ(Card().TimeText(), FormatPlayTime(static_cast<uint32_t>(last)));
    const TPreviewCard kept = Preview().Request(last);
    ASSERT_TRUE(kept.picture.has_value());
    EXPECT_EQ(DifferingPixels(Card().Picture(), kept.picture->image), 0);
    EXPECT_EQ(kept.picture->sessionMs, PageStart(1) + (last - PageStart(1)) / 1000 * 1000);
}

// Supervised study: beyond the furthest point played the card gives the time and page only and
// nothing is made; before it, the picture comes. The track marks the furthest point; without
// supervision it marks nothing.
TEST_F(TSeekPreviewTest, SupervisedStudyShowsNoPictureBeyondTheFurthestPointAndMarksIt)
{
    if (VoicePath().isEmpty()) {
        GTEST_SKIP() << "no mp3 encoder";
    }
    struct Case {
        const char* name;
        QString launchText;
        bool supervised;
    };
    for (const Case& c : {Case{"supervised", QString::fromLatin1(kTinyLaunchText), true},
                          Case{"free", kFreeLaunchText, false}}) {
        SCOPED_TRACE(c.name);
        m_form.reset();
        m_block.Close();
        TSharedBlock::Unlink(m_sBlockName);
        TForm1& form = Start(c.launchText);
        const int32_t flow = PageStart(0) + 10000;
        form.State().m_intFlowMilesSecond = flow;   // playing goes on from the start, well short of it
        ASSERT_TRUE(WaitFor([&] { return Track()->GetPlayedLimit() == (c.supervised ? flow : -1); }));
        const QImage track = Track()->grab().toImage();
        const int bottom = track.height() - 1;
        EXPECT_EQ(track.pixelColor(Track()->XOf(flow / 2), bottom) == TJumpSlider::kPlayedColor, c.supervised);
        EXPECT_NE(track.pixelColor(Track()->XOf(flow + 8000), bottom), TJumpSlider::kPlayedColor);

        const int32_t beyond = HoverAt(PageStart(1) + 5000);
        EXPECT_EQ(Card().TimeText(), FormatPlayTime(static_cast<uint32_t>(beyond)));
        EXPECT_EQ(Card().PageText(), QStringLiteral("2 p"));
        if (c.supervised) {
            EXPECT_FALSE(Card().PictureLabel()->isVisible());
            QTest::qWait(300);
            EXPECT_TRUE(Card().Picture().isNull());
            EXPECT_EQ(Preview().GetMadeCount(), 0);
        } else {
            EXPECT_TRUE(WaitFor([this] { return !Card().Picture().isNull(); }));
        }
        HoverAt(PageStart(0) + 4000);
        EXPECT_TRUE(Card().PictureLabel()->isVisible());
        EXPECT_TRUE(WaitFor([this] { return !Card().Picture().isNull(); }));
    }
}

// While the knob is dragged the time label shows the knob's time, ticks of the playing voice
// notwithstanding, and the card follows the knob; on the drop the label shows the time played.
TEST_F(TSeekPreviewTest, TheTimeLabelFollowsTheDraggedKnob)
{
    if (VoicePath().isEmpty()) {
        GTEST_SKIP() << "no mp3 encoder";
    }
    TForm1& form = Start(kFreeLaunchText);
    QLabel* label = form.StatusBar().lbCurrentTime;
    const int y = Track()->height() / 2;
    QTest::mousePress(Track(), Qt::LeftButton, Qt::NoModifier, QPoint(Track()->XOf(PageStart(0) + 5000), y));
    for (const int32_t to : {PageStart(0) + 12000, PageStart(1) + 9000, PageStart(0) + 20000}) {
        SCOPED_TRACE(to);
        QTest::mouseMove(Track(), QPoint(Track()->XOf(to), y));
        QTest::qWait(150);   // ticks of the playing voice come in between
        const QString knob = FormatPlayTime(static_cast<uint32_t>(Track()->sliderPosition()));
        EXPECT_NEAR(Track()->sliderPosition(), to, 500);
        EXPECT_EQ(label->text(), knob);
        EXPECT_EQ(Card().TimeText(), knob);
        EXPECT_TRUE(Card().isVisible());
    }
    const int32_t dropped = Track()->sliderPosition();
    QTest::mouseRelease(Track(), Qt::LeftButton, Qt::NoModifier, QPoint(Track()->XOf(PageStart(0) + 20000), y));
    EXPECT_NEAR(form.State().m_intCurrentMilesSecond, dropped, 100);
    EXPECT_EQ(label->text(), FormatPlayTime(static_cast<uint32_t>(form.State().m_intCurrentMilesSecond)));
}

} // namespace
