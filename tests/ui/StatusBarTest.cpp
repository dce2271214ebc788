// The status bar's controls reach the engine: a press on the seek track seeks where it was
// pressed once released, the arrows step 10 seconds, a page tab starts its page; in supervised
// study the tabs take no clicks.

#include "FormTestSupport.h"

#include "ui/JumpSlider.h"
#include "ui/SeekBar.h"
#include "ui/ShellLook.h"
#include "ui/StatusView.h"

#include "draw/DrawManager.h"
#include "platform/audio/AudioLibrary.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

namespace {

const QString kFreeLaunchText = QStringLiteral("R&S1&U1&1&0&2&S9|,|1234&S9|,|57");

void SendMouse(QWidget* p_target, QEvent::Type p_type, QPoint p_at)
{
    QMouseEvent event(p_type, QPointF(p_at), p_target->mapToGlobal(QPointF(p_at)), Qt::LeftButton,
                      p_type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(p_target, &event);
}

TEST_F(TFormTest, PressOnTheSeekTrackSeeksThereOnRelease)
{
    TForm1& form = StartForm(kFreeLaunchText);
    QSlider* track = form.StatusBar().scbPlay->Track();
    const QPoint at(track->width() * 3 / 4, track->height() / 2);
    SendMouse(track, QEvent::MouseButtonPress, at);
    EXPECT_TRUE(form.State().m_bClickTabLecturePage);
    SendMouse(track, QEvent::MouseButtonRelease, at);

    const int32_t total = form.State().m_intAllMileSecond;
    EXPECT_FALSE(form.State().m_bClickTabLecturePage);
    EXPECT_EQ(form.State().m_intCurrentMilesSecond, track->value());
    EXPECT_NEAR(form.State().m_intCurrentMilesSecond, total * 3 / 4, total / 10);
    EXPECT_EQ(form.State().m_nCurrentPlayPageIndex, 1);
    EXPECT_EQ(form.StatusBar().tabLecturePage->currentIndex(), 1);
}

TEST_F(TFormTest, SeekArrowsStepTenSecondsWithinTheSession)
{
    TForm1& form = StartForm(kFreeLaunchText);
    form.State().m_intCurrentMilesSecond = 2000;
    form.StatusBar().scbPlay->DownButton()->click();
    EXPECT_EQ(form.State().m_intCurrentMilesSecond, 0);
    EXPECT_EQ(form.StatusBar().scbPlay->GetPosition(), 0);
    // The session is shorter than 10 s: forward has nowhere to go.
    form.StatusBar().scbPlay->UpButton()->click();
    EXPECT_EQ(form.State().m_intCurrentMilesSecond, 0);
}

TEST_F(TFormTest, PageTabStartsItsPage)
{
    TForm1& form = StartForm(kFreeLaunchText);
    QTabBar* tabs = form.StatusBar().tabLecturePage;
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_TRUE(tabs->isEnabled());
    tabs->setCurrentIndex(1);
    EXPECT_EQ(form.State().m_nCurrentPlayPageIndex, 1);
    EXPECT_EQ(form.State().m_intCurrentMilesSecond,
              static_cast<int32_t>(form.Engine().GetLectureInfoList()[1].StartFrameNo) * kFrameMilliseconds);
}

// A click on the tab of the page playing starts that page again from its beginning; a right
// click does nothing.
TEST_F(TFormTest, ClickOnTheTabOfThePagePlayingStartsItAgain)
{
    TForm1& form = StartForm(kFreeLaunchText);
    QTabBar* tabs = form.StatusBar().tabLecturePage;
    const QPoint second = tabs->tabRect(1).center();
    SendMouse(tabs, QEvent::MouseButtonPress, second);
    SendMouse(tabs, QEvent::MouseButtonRelease, second);
    ASSERT_EQ(form.State().m_nCurrentPlayPageIndex, 1);
    const int32_t start = static_cast<int32_t>(form.Engine().GetLectureInfoList()[1].StartFrameNo) * kFrameMilliseconds;
    // One second into the page, its stroke written.
    form.State().m_bClickTabLecturePage = true;
    form.Engine().ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(start + 1000));
    ASSERT_EQ(form.Engine().GetDrawManager().GetCount(), 1);
    const HSTREAM voice = form.Engine().GetPlayChannel();

    const auto press = [&](Qt::MouseButton button) {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(second), tabs->mapToGlobal(QPointF(second)), button,
                              type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(tabs, &event);
        }
    };
    press(Qt::RightButton);
    EXPECT_EQ(form.State().m_dCurrentPlayPosition, 1000u);
    EXPECT_EQ(form.Engine().GetPlayChannel(), voice);

    press(Qt::LeftButton);
    EXPECT_EQ(form.State().m_nCurrentPlayPageIndex, 1);
    EXPECT_EQ(form.State().m_dCurrentPlayPosition, 0u);
    EXPECT_EQ(form.State().m_intCurrentMilesSecond, start);
    EXPECT_EQ(form.StatusBar().scbPlay->GetPosition(), start);
    EXPECT_EQ(form.Engine().GetDrawManager().GetCount(), 0);
    EXPECT_NE(form.Engine().GetPlayChannel(), voice);   // the page's voice loaded afresh
    EXPECT_LT(BASS_ChannelBytes2Seconds(form.Engine().GetPlayChannel(),
                                        BASS_ChannelGetPosition(form.Engine().GetPlayChannel(), kPosByte)),
              1.0);
    EXPECT_TRUE(form.State().m_bPlaying);
}

// In supervised study the tabs are locked: a real click on the dimmed tab of the page playing
// leaves the position, the board and the voice as they were.
TEST_F(TFormTest, LockedPageTabTakesNoClickInSupervisedStudy)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    QTabBar* tabs = form.StatusBar().tabLecturePage;
    ASSERT_FALSE(tabs->isEnabled());
    form.StatusBar().show();
    form.State().m_bClickTabLecturePage = true;
    form.Engine().ScbPlayMovePositionUntilReDraw(1000);
    ASSERT_EQ(form.State().m_nCurrentPlayPageIndex, 0);
    ASSERT_EQ(form.State().m_dCurrentPlayPosition, 1000u);
    const int objects = form.Engine().GetDrawManager().GetCount();
    const HSTREAM voice = form.Engine().GetPlayChannel();

    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(0).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(form.State().m_nCurrentPlayPageIndex, 0);
    EXPECT_EQ(form.State().m_dCurrentPlayPosition, 1000u);
    EXPECT_EQ(form.State().m_intCurrentMilesSecond, 1000);
    EXPECT_EQ(form.Engine().GetDrawManager().GetCount(), objects);
    EXPECT_EQ(form.Engine().GetPlayChannel(), voice);
}

} // namespace

namespace {

class TPaintCounter : public QObject {
public:
    int m_nPaints = 0;
    QRegion m_painted;   // what the paints since the last clear covered

protected:
    bool eventFilter(QObject* p_watched, QEvent* p_event) override
    {
        if (p_event->type() == QEvent::Paint) {
            ++m_nPaints;
            m_painted += static_cast<QPaintEvent*>(p_event)->region();
        }
        return QObject::eventFilter(p_watched, p_event);
    }
};

// A seek track of 400 pixels shown in a window of the given style, its paints counted.
class TShownTrack {
public:
    TShownTrack(int p_nMaximum, const QString& p_sStyleSheet)
    {
        window.setStyleSheet(p_sStyleSheet);
        window.resize(420, 40);
        track.setGeometry(10, 10, 400, 20);
        track.setRange(0, p_nMaximum);
        window.show();
        shown = QTest::qWaitForWindowExposed(&window);
        track.installEventFilter(&counter);
    }

    QWidget window;
    TJumpSlider track{&window};
    TPaintCounter counter;
    bool shown = false;
};

} // namespace

// The frame clock moves the seek track's value on every tick; on an hour's session the handle
// moves a pixel only every several seconds, and only then is the track painted again.
TEST(JumpSliderTest, TrackIsPaintedAgainOnlyWhenTheHandleMoves)
{
    TShownTrack shown(3'600'000, QString());
    ASSERT_TRUE(shown.shown);
    TJumpSlider& track = shown.track;
    TPaintCounter& counter = shown.counter;
    QCoreApplication::processEvents();
    counter.m_nPaints = 0;

    for (int ms = 72; ms <= 720; ms += 72) {
        track.setValue(ms);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(track.value(), 720);
    EXPECT_EQ(counter.m_nPaints, 0) << "ticks within one pixel of the handle";

    track.setValue(track.ValueAt(track.XOf(720) + 3));
    QCoreApplication::processEvents();
    EXPECT_GE(counter.m_nPaints, 1) << "the handle moved three pixels";
}

// As the player ticks through a short session the handle moves a pixel or two on every tick: the
// repaint covers every pixel that changed (handle, filled groove, the played band of supervised
// study) and not much more than the strip the handle crossed.
TEST(JumpSliderTest, ATickRepaintsOnlyTheStripTheHandleCrossed)
{
    TShownTrack shown(56'196, ShellLook::BarStyle(0));
    ASSERT_TRUE(shown.shown);
    TJumpSlider& track = shown.track;
    TPaintCounter& counter = shown.counter;
    for (const bool supervised : {false, true}) {
        track.setValue(4'928);
        track.SetPlayedLimit(supervised ? 4'928 : -1);
        QCoreApplication::processEvents();
        for (int ms = 5'000; ms <= 5'000 + 72 * 12; ms += 72) {
            const QImage before = track.grab().toImage();
            QCoreApplication::processEvents();
            counter.m_painted = QRegion();
            track.setValue(ms);
            track.SetPlayedLimit(supervised ? ms : -1);
            QCoreApplication::processEvents();
            const QRegion painted = counter.m_painted;
            const QImage after = track.grab().toImage();
            for (int y = 0; y < after.height(); ++y) {
                for (int x = 0; x < after.width(); ++x) {
                    if (before.pixel(x, y) != after.pixel(x, y)) {
                        ASSERT_TRUE(painted.contains(QPoint(x, y))) << "pixel " << x << "," << y << " at " << ms << " ms";
                    }
                }
            }
            EXPECT_LT(painted.boundingRect().width(), track.width() / 8) << ms << " ms";
        }
    }
}
