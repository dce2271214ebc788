// The tool buttons' pictures under real mouse events: what each button shows after moving onto
// it, pressing, moving while pressed, releasing (and what it showed when its action ran), moving
// again and leaving; the first-move latch; a release with any mouse button or away from the
// button; nothing at all while a panel is open over the board; and the play button reaching the
// engine with the speed buttons following.

#include "FormTestSupport.h"

#include "ui/StatusView.h"
#include "ui/ToolView.h"

#include <QTest>

namespace {

struct TButtonCase {
    const char* button;
    // The state shown after each step, as the suffix of the state picture's name.
    const char* afterEnter;
    const char* afterPress;
    const char* afterPressedMove;
    const char* afterRelease;
    const char* atAction;      // shown when the release action ran
    const char* afterMove;     // one more move over the button after the release
    const char* afterLeave;
};

void PrintTo(const TButtonCase& c, std::ostream* out)
{
    *out << c.button;
}

class TButtonStates : public TFormTest, public ::testing::WithParamInterface<TButtonCase> {
protected:
    // An empty spot of the tool bar: off every button, and not the board (whose moves reveal bars).
    QWidget* Away() const { return m_form->StatusBar().paToolView->paToolViewClient; }
};

TEST_P(TButtonStates, FollowTheMouseAndActOnRelease)
{
    const TButtonCase& c = GetParam();
    StartForm(QString::fromLatin1(kTinyLaunchText));
    TPictureButton* button = Button(c.button);
    ASSERT_NE(button, nullptr);
    const QString set = QLatin1String(ToolButton(QLatin1String(c.button)).pictureSet);
    const auto shown = [&] { return Shown(button).mid(set.size()); };
    ASSERT_EQ(shown(), QStringLiteral("Up"));
    int actions = 0;
    QString atAction;
    button->OnMouseUp = [&] {
        ++actions;
        atAction = shown();
    };

    QTest::mouseMove(Away(), QPoint(20, 20));
    QTest::mouseMove(button, QPoint(5, 5));
    EXPECT_EQ(shown(), QLatin1String(c.afterEnter)) << "enter";
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
    EXPECT_EQ(shown(), QLatin1String(c.afterPress)) << "press";
    QTest::mouseMove(button, QPoint(9, 9));
    EXPECT_EQ(shown(), QLatin1String(c.afterPressedMove)) << "move while pressed";
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(9, 9));
    EXPECT_EQ(shown(), QLatin1String(c.afterRelease)) << "release";
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(atAction, QLatin1String(c.atAction)) << "at the action";
    QTest::mouseMove(button, QPoint(12, 12));
    EXPECT_EQ(shown(), QLatin1String(c.afterMove)) << "move after the release";
    QTest::mouseMove(Away(), QPoint(20, 20));
    EXPECT_EQ(shown(), QLatin1String(c.afterLeave)) << "leave";
    EXPECT_EQ(actions, 1);
}

// Over on entering (jumps, zoom, skins), on every move (feedback, grade, help) or on the first move
// only (play, speed); Up before the action (zoom, feedback, help, speed), after it (jumps), Over
// (skins), or no change (grade; play, whose action shows the new state).
INSTANTIATE_TEST_SUITE_P(
    Buttons, TButtonStates,
    ::testing::Values(TButtonCase{"btnPlayPrev", "Over", "Down", "Down", "Up", "Down", "Up", "Up"},
                      TButtonCase{"btnPlayNext", "Over", "Down", "Down", "Up", "Down", "Up", "Up"},
                      TButtonCase{"btnEnLarge", "Over", "Down", "Down", "Up", "Up", "Up", "Up"},
                      TButtonCase{"btnReduce", "Over", "Down", "Down", "Up", "Up", "Up", "Up"},
                      TButtonCase{"btnSkinChangePrev", "Over", "Down", "Down", "Over", "Over", "Over", "Up"},
                      TButtonCase{"btnSkinChangeNext", "Over", "Down", "Down", "Over", "Over", "Over", "Up"},
                      TButtonCase{"btnProposal", "Over", "Down", "Over", "Up", "Up", "Over", "Up"},
                      TButtonCase{"btnEvaluation", "Over", "Down", "Over", "Up", "Up", "Over", "Up"},
                      TButtonCase{"btnError", "Over", "Down", "Over", "Up", "Up", "Over", "Up"},
                      TButtonCase{"btnHelp", "Over", "Down", "Over", "Up", "Up", "Over", "Up"},
                      TButtonCase{"btnGrade", "Over", "Down", "Over", "Over", "Over", "Over", "Up"},
                      TButtonCase{"btnPlay", "Over", "Down", "Down", "Down", "Down", "Down", "Up"},
                      TButtonCase{"btnPlaySpeedUp", "Over", "Down", "Down", "Up", "Up", "Up", "Up"},
                      TButtonCase{"btnPlaySpeedDown", "Over", "Down", "Down", "Up", "Up", "Up", "Up"}),
    [](const ::testing::TestParamInfo<TButtonCase>& info) { return std::string(info.param.button); });

class TButtonMouse : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        StartForm(QString::fromLatin1(kTinyLaunchText));
        QTest::mouseMove(Away(), QPoint(20, 20));
    }
    QWidget* Away() const { return m_form->StatusBar().paToolView->paToolViewClient; }
};

// The latch of the play and speed buttons is the player's hover flag: set by the first move,
// cleared on leaving, so the next visit shows Over again.
TEST_F(TButtonMouse, FirstMoveLatchIsSetByTheFirstMoveAndClearedOnLeaving)
{
    struct TLatch {
        const char* button;
        bool TPlayerState::*flag;
    };
    for (const TLatch latch : {TLatch{"btnPlay", &TPlayerState::m_bIsRectPlaybtn},
                               TLatch{"btnPlaySpeedUp", &TPlayerState::m_bIsRectPlaySpeedUpbtn},
                               TLatch{"btnPlaySpeedDown", &TPlayerState::m_bIsRectPlaySpeedDownbtn}}) {
        SCOPED_TRACE(latch.button);
        TPictureButton* button = Button(latch.button);
        button->OnMouseUp = [] {};
        EXPECT_FALSE(m_form->State().*latch.flag);
        QTest::mouseMove(button, QPoint(5, 5));
        EXPECT_TRUE(m_form->State().*latch.flag);
        EXPECT_TRUE(Shown(button).endsWith(QLatin1String("Over")));
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseMove(button, QPoint(8, 8));
        EXPECT_FALSE(Shown(button).endsWith(QLatin1String("Over")));   // latched: no second Over
        QTest::mouseMove(Away(), QPoint(20, 20));
        EXPECT_FALSE(m_form->State().*latch.flag);
        QTest::mouseMove(button, QPoint(5, 5));
        EXPECT_TRUE(Shown(button).endsWith(QLatin1String("Over")));
        QTest::mouseMove(Away(), QPoint(20, 20));
    }
}

TEST_F(TButtonMouse, AnyMouseButtonActsAndSoDoesAReleaseAwayFromTheButton)
{
    TPictureButton* button = Button("btnEnLarge");
    int actions = 0;
    button->OnMouseUp = [&] { ++actions; };
    for (const Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(button, mouse, Qt::NoModifier, QPoint(5, 5));
    }
    EXPECT_EQ(actions, 3);

    // Pressed on the button, released over the tool bar: the button still has the mouse and acts;
    // the mouse is then off it, and it shows Up.
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(Away(), QPoint(20, 20));
    QTest::mouseRelease(Away(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(actions, 4);
    EXPECT_EQ(Shown(button), QStringLiteral("imgEnLargeUp"));
}

TEST_F(TButtonMouse, NothingReactsWhileAPanelIsOpenOverTheBoard)
{
    m_form->State().m_bActivateView = true;
    for (const char* name : {"btnPlay", "btnPlayPrev", "btnProposal", "btnSkinChangeNext", "btnGrade"}) {
        SCOPED_TRACE(name);
        TPictureButton* button = Button(name);
        int actions = 0;
        button->OnMouseUp = [&] { ++actions; };
        const QString before = Shown(button);
        QTest::mouseMove(button, QPoint(5, 5));
        QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
        QTest::mouseMove(button, QPoint(9, 9));
        EXPECT_EQ(Shown(button), before);
        QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(9, 9));
        QTest::mouseMove(Away(), QPoint(20, 20));
        EXPECT_EQ(Shown(button), before);
        EXPECT_EQ(actions, 0);
    }
    EXPECT_FALSE(m_form->State().m_bIsRectPlaybtn);
}

// The play button with its real action: paused it offers play and the speed buttons are out of
// reach; playing again it offers pause and they come back.
TEST_F(TButtonMouse, PlayButtonPausesAndResumesAndTheSpeedButtonsFollow)
{
    TToolView& tools = *m_form->StatusBar().paToolView;
    QTest::mouseClick(tools.btnPlay, Qt::LeftButton, Qt::NoModifier, QPoint(17, 17));
    EXPECT_FALSE(m_form->State().m_bPlaying);
    EXPECT_EQ(Shown(tools.btnPlay), QStringLiteral("imgPauseUp"));
    EXPECT_EQ(tools.btnPlay->toolTip(), QStringLiteral("일시정지중"));
    for (TPictureButton* speed : {tools.btnPlaySpeedUp, tools.btnPlaySpeedDown}) {
        EXPECT_FALSE(speed->isEnabled());
        EXPECT_TRUE(Shown(speed).endsWith(QLatin1String("Disable")));
        // Disabled, it takes no press; leaving it still shows Disable while paused.
        QTest::mouseMove(speed, QPoint(5, 5));
        QTest::mouseClick(speed, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseMove(Away(), QPoint(20, 20));
        EXPECT_TRUE(Shown(speed).endsWith(QLatin1String("Disable")));
    }
    EXPECT_EQ(m_form->State().m_intPlaySpeed, 0);

    QTest::mouseMove(tools.btnPlay, QPoint(17, 17));
    QTest::mouseClick(tools.btnPlay, Qt::LeftButton, Qt::NoModifier, QPoint(17, 17));
    EXPECT_TRUE(m_form->State().m_bPlaying);
    EXPECT_EQ(Shown(tools.btnPlay), QStringLiteral("imgPlayUp"));
    EXPECT_EQ(tools.btnPlay->toolTip(), QStringLiteral("100% 배속으로 재생중"));
    for (TPictureButton* speed : {tools.btnPlaySpeedUp, tools.btnPlaySpeedDown}) {
        EXPECT_TRUE(speed->isEnabled());
        EXPECT_TRUE(Shown(speed).endsWith(QLatin1String("Up")));
    }
}

// Every state picture the skin build step paints is there and different from the others of its
// button, so a picture shown is a state seen.
TEST_F(TButtonMouse, EveryStatePictureIsLoadedAndEveryButtonStartsUp)
{
    for (const QString& name : AllStatePictureNames()) {
        EXPECT_FALSE(m_form->Controls().FindAs<TPicture>(name, TControlKind::Picture)->GetPicture().isNull())
            << name.toStdString();
    }
    for (const TToolButtonInfo& info : ToolButtons()) {
        EXPECT_EQ(Shown(Button(info.name)), QLatin1String(info.pictureSet) + QStringLiteral("Up")) << info.name;
        const QSize size = Control<TPicture>(info.name)->size();
        EXPECT_EQ(Control<TPicture>((std::string(info.pictureSet) + "Over").c_str())->GetPicture().size(), size)
            << info.name;
    }
}

} // namespace
