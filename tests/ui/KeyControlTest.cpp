// The player's keys through the window's own key path: each key acts exactly once (a second act
// would toggle back, step twice or jump 20 seconds), shifted "," and "." are still those keys,
// keypad "." and the main keyboard's "+" are not the player's, a key typed into an edit box both
// types and acts, a key a message box gets does nothing, and the hook exists from start-up step 9.

#include "FormTestSupport.h"

#include "content/Mp3Fixture.h"
#include "session/FileUtil.h"

#include "ui/StatusView.h"
#include "ui/ToolView.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kFreeLaunchText = QStringLiteral("R&S1&U1&1&0&2&S9|,|1234&S9|,|57");
constexpr int32_t kStartAt = 20000;   // every case starts 20 s into the first 24 s page

class TKeyTest : public TFormTest {
protected:
    // Two pages of 24 s: room to jump 10 s either way.
    QString VoicePath() const override { return Voice24Path(); }

    TForm1& StartAt20Seconds()
    {
        TForm1& form = StartForm(kFreeLaunchText);
        form.State().m_intCurrentMilesSecond = kStartAt;
        form.Engine().ScbPlayMovePositionUntilReDraw(kStartAt);
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        return form;
    }

    int Volume() const { return m_form->StatusBar().paToolView->trbVolume->value(); }
    int ZoomPercent() const { return static_cast<int>(m_form->State().m_viewRatio * 100.0f + 0.5f); }
};

struct TKeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    // Before the key.
    bool paused;
    int zoomSteps;
    int volume;
    bool panelOpen;
    // After it.
    bool playing;
    int speed;
    int zoomPercent;
    int volumeAfter;
    int32_t position;   // ms, give or take the time the case takes
};

void PrintTo(const TKeyCase& c, std::ostream* out)
{
    *out << c.name;
}

class TKeys : public TKeyTest, public ::testing::WithParamInterface<TKeyCase> {};

TEST_P(TKeys, ActOnce)
{
    const TKeyCase& c = GetParam();
    TForm1& form = StartAt20Seconds();
    form.State().m_intPlaySpeed = 20;
    if (c.paused) {
        form.Engine().btnPlayMouseUp();
    }
    for (int i = 0; i < c.zoomSteps; ++i) {
        form.Engine().ResizeingImage(true);
    }
    form.StatusBar().paToolView->trbVolume->setValue(c.volume);
    form.State().m_bActivateView = c.panelOpen;

    QTest::keyClick(form.windowHandle(), c.key, c.modifiers);
    EXPECT_EQ(form.State().m_bPlaying, c.playing);
    EXPECT_EQ(form.State().m_intPlaySpeed, c.speed);
    EXPECT_EQ(ZoomPercent(), c.zoomPercent);
    EXPECT_EQ(Volume(), c.volumeAfter);
    EXPECT_NEAR(form.State().m_intCurrentMilesSecond, c.position, 1500);
}

const Qt::KeyboardModifiers kNone = Qt::NoModifier;
const Qt::KeyboardModifiers kKeypad = Qt::KeypadModifier;
const Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, TKeys,
    ::testing::Values(
        //      name                         key               modifiers paused zoom vol  panel  playing speed zoom vol  position
        TKeyCase{"SpacePauses", Qt::Key_Space, kNone, false, 0, 50, false, false, 20, 100, 50, kStartAt},
        TKeyCase{"SpaceResumes", Qt::Key_Space, kNone, true, 0, 50, false, true, 20, 100, 50, kStartAt},
        TKeyCase{"UpSpeedsUp", Qt::Key_Up, kNone, false, 0, 50, false, true, 30, 100, 50, kStartAt},
        TKeyCase{"UpSpeedsUpWhilePaused", Qt::Key_Up, kNone, true, 0, 50, false, false, 30, 100, 50, kStartAt},
        TKeyCase{"KeypadUpWithoutNumLock", Qt::Key_Up, kKeypad, false, 0, 50, false, true, 30, 100, 50, kStartAt},
        TKeyCase{"DownSlowsDown", Qt::Key_Down, kNone, false, 0, 50, false, true, 10, 100, 50, kStartAt},
        TKeyCase{"RightJumpsTenSeconds", Qt::Key_Right, kNone, false, 0, 50, false, true, 20, 100, 50, kStartAt + 10000},
        TKeyCase{"LeftJumpsBackTenSeconds", Qt::Key_Left, kNone, false, 0, 50, false, true, 20, 100, 50, kStartAt - 10000},
        TKeyCase{"RightDoesNothingWhilePaused", Qt::Key_Right, kNone, true, 0, 50, false, false, 20, 100, 50, kStartAt},
        TKeyCase{"LeftDoesNothingWhilePaused", Qt::Key_Left, kNone, true, 0, 50, false, false, 20, 100, 50, kStartAt},
        TKeyCase{"KeypadPlusZoomsIn", Qt::Key_Plus, kKeypad, false, 0, 50, false, true, 20, 110, 50, kStartAt},
        TKeyCase{"KeypadMinusZoomsOut", Qt::Key_Minus, kKeypad, false, 2, 50, false, true, 20, 110, 50, kStartAt},
        TKeyCase{"PlusOfTheMainKeyboardIsNotAZoomKey", Qt::Key_Plus, kShift, false, 0, 50, false, true, 20, 100, 50, kStartAt},
        TKeyCase{"MinusOfTheMainKeyboardIsNotAZoomKey", Qt::Key_Minus, kNone, false, 1, 50, false, true, 20, 110, 50, kStartAt},
        TKeyCase{"CommaLowersTheVolume", Qt::Key_Comma, kNone, false, 0, 50, false, true, 20, 100, 40, kStartAt},
        TKeyCase{"ShiftCommaIsStillTheCommaKey", Qt::Key_Less, kShift, false, 0, 50, false, true, 20, 100, 40, kStartAt},
        TKeyCase{"CommaAtFiveGivesNought", Qt::Key_Comma, kNone, false, 0, 5, false, true, 20, 100, 0, kStartAt},
        TKeyCase{"PeriodRaisesTheVolume", Qt::Key_Period, kNone, false, 0, 50, false, true, 20, 100, 60, kStartAt},
        TKeyCase{"ShiftPeriodIsStillThePeriodKey", Qt::Key_Greater, kShift, false, 0, 50, false, true, 20, 100, 60, kStartAt},
        TKeyCase{"PeriodAtNinetyFiveGivesAHundred", Qt::Key_Period, kNone, false, 0, 95, false, true, 20, 100, 100, kStartAt},
        TKeyCase{"PeriodAtAHundredStays", Qt::Key_Period, kNone, false, 0, 100, false, true, 20, 100, 100, kStartAt},
        TKeyCase{"KeypadPeriodDoesNothing", Qt::Key_Period, kKeypad, false, 0, 50, false, true, 20, 100, 50, kStartAt},
        TKeyCase{"KeypadCommaDoesNothing", Qt::Key_Comma, kKeypad, false, 0, 50, false, true, 20, 100, 50, kStartAt},
        TKeyCase{"OtherKeysDoNothing", Qt::Key_A, kNone, false, 0, 50, false, true, 20, 100, 50, kStartAt},
        // A panel open over the board: the button-like keys wait, zoom and volume still act.
        TKeyCase{"SpaceWaitsForAnOpenPanel", Qt::Key_Space, kNone, false, 0, 50, true, true, 20, 100, 50, kStartAt},
        TKeyCase{"UpWaitsForAnOpenPanel", Qt::Key_Up, kNone, false, 0, 50, true, true, 20, 100, 50, kStartAt},
        TKeyCase{"KeypadPlusZoomsWithAPanelOpen", Qt::Key_Plus, kKeypad, false, 0, 50, true, true, 20, 110, 50, kStartAt},
        TKeyCase{"PeriodWithAPanelOpen", Qt::Key_Period, kNone, false, 0, 50, true, true, 20, 100, 60, kStartAt}),
    [](const ::testing::TestParamInfo<TKeyCase>& info) { return std::string(info.param.name); });

// A key typed into an edit box reaches the box and acts once; a key the box does not take goes on
// to the box's parents and still acts once.
TEST_F(TKeyTest, AKeyTypedIntoAnEditBoxTypesAndActsOnce)
{
    TForm1& form = StartAt20Seconds();
    auto* memo = new QLineEdit(form.StatusBar().paToolView->paToolViewClient);
    memo->setGeometry(10, 10, 200, 24);
    memo->show();
    memo->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return memo->hasFocus(); }));

    QTest::keyClick(form.windowHandle(), Qt::Key_Period);
    EXPECT_EQ(memo->text(), QStringLiteral("."));
    EXPECT_EQ(Volume(), 60);
    QTest::keyClick(form.windowHandle(), Qt::Key_Space);
    EXPECT_EQ(memo->text(), QStringLiteral(". "));
    EXPECT_FALSE(form.State().m_bPlaying);
    QTest::keyClick(form.windowHandle(), Qt::Key_Up);   // not an edit box's key: handed to its parents
    EXPECT_EQ(form.State().m_intPlaySpeed, 10);
}

// A message box of its own (as a question the window asks) gets its keys alone.
TEST_F(TKeyTest, KeysForAMessageBoxDoNothing)
{
    TForm1& form = StartAt20Seconds();
    QMessageBox box(QMessageBox::Information, QStringLiteral("확인"), QStringLiteral("?"), QMessageBox::Ok, &form);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    for (const Qt::Key key : {Qt::Key_Period, Qt::Key_Up, Qt::Key_Space}) {
        QTest::keyClick(box.windowHandle(), key);
    }
    EXPECT_EQ(Volume(), 50);
    EXPECT_EQ(form.State().m_intPlaySpeed, 0);
    EXPECT_TRUE(form.State().m_bPlaying);
}

// The hook comes with start-up step 9: not before, and not after a start-up that ended early.
TEST_F(TKeyTest, TheHookIsInstalledByTheStartUpOnly)
{
    TForm1Options options;
    options.dialogs.ShowMessage = [](QWidget*, TMessageKind, const QString&) {};
    options.screenSize = kScreen;
    options.blockName = "ravo_test_ui_no_block";
    TForm1 early(options);
    EXPECT_FALSE(early.IsKeyHookInstalled());
    early.FormCreate();   // no launch block, no fallback file: the start-up ends at once
    EXPECT_FALSE(early.IsStartedUp());
    EXPECT_FALSE(early.IsKeyHookInstalled());

    TForm1& form = StartAt20Seconds();
    EXPECT_TRUE(form.IsKeyHookInstalled());
}

} // namespace
