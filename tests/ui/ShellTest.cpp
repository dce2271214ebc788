// The window around the board: tool tips at every boundary of speed and zoom (and what supervised
// study locks), the bars' reveal at the screen's edges, the status text and its timer, the desk
// skins (wrapping, and a skin picture that cannot be read), and the close button's gestures.

#include "FormTestSupport.h"

#include "platform/graphics/GPImage.h"
#include "session/FileUtil.h"
#include "ui/ExScrollBox.h"
#include "ui/StatusMessage.h"
#include "ui/StatusView.h"
#include "ui/TitleView.h"
#include "ui/ToolView.h"

#include <QDir>
#include <QFile>
#include <QSlider>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kFreeLaunchText = QStringLiteral("R&S1&U1&1&0&2&S9|,|1234&S9|,|57");

// ---- Tool tips

struct TTipCase {
    const char* name;
    const char* mode;
    int speedUps;     // Up-arrow presses from 100 %
    int zoomSteps;    // keypad + presses from 100 %
    const char* speedUp;
    const char* speedDown;
    const char* enlarge;
    const char* reduce;
    const char* playNext;
};

void PrintTo(const TTipCase& c, std::ostream* out)
{
    *out << c.name;
}

class TToolTips : public TFormTest, public ::testing::WithParamInterface<TTipCase> {};

TEST_P(TToolTips, SayWhatTheNextClickDoesOrWhyItCannot)
{
    const TTipCase& c = GetParam();
    TForm1& form = StartForm(QString::fromLatin1(c.mode) + kFreeLaunchText.mid(1));
    for (int i = 0; i < c.speedUps; ++i) {
        QTest::keyClick(form.windowHandle(), Qt::Key_Up);
    }
    for (int i = 0; i < c.zoomSteps; ++i) {
        QTest::keyClick(form.windowHandle(), Qt::Key_Plus, Qt::KeypadModifier);
    }
    const TToolView& tools = *form.StatusBar().paToolView;
    EXPECT_EQ(tools.btnPlaySpeedUp->toolTip(), QString::fromUtf8(c.speedUp));
    EXPECT_EQ(tools.btnPlaySpeedDown->toolTip(), QString::fromUtf8(c.speedDown));
    EXPECT_EQ(tools.btnEnLarge->toolTip(), QString::fromUtf8(c.enlarge));
    EXPECT_EQ(tools.btnReduce->toolTip(), QString::fromUtf8(c.reduce));
    EXPECT_EQ(tools.btnPlayNext->toolTip(), QString::fromUtf8(c.playNext));
    EXPECT_EQ(tools.btnPlay->toolTip(), QStringLiteral("%1% 배속으로 재생중").arg(form.State().m_intPlaySpeed + 100));
}

constexpr char kNext[] = "10초 앞으로 이동";
constexpr char kNextLocked[] = "이 학습에서는 10초 앞으로 이동할 수 없습니다.";
constexpr char kEnlarge110[] = "클릭시 110% 로 확대";
constexpr char kNoReduce[] = "원본 크기 이하로는 축소할수 없습니다.";

INSTANTIATE_TEST_SUITE_P(
    Boundaries, TToolTips,
    ::testing::Values(
        TTipCase{"SupervisedAt100", "A", 0, 0, "클릭시 110% 배속으로 UP", "최소 100% 배속 까지만 지원됩니다.",
                 kEnlarge110, kNoReduce, kNextLocked},
        TTipCase{"SupervisedAt120", "A", 2, 0, "클릭시 130% 배속으로 UP", "클릭시 110% 배속으로 DOWN", kEnlarge110,
                 kNoReduce, kNextLocked},
        TTipCase{"SupervisedAtItsLimit130", "A", 3, 0, "이 학습에서는 최대 130% 배속 까지만 지원됩니다.",
                 "클릭시 120% 배속으로 DOWN", kEnlarge110, kNoReduce, kNextLocked},
        TTipCase{"SupervisedPressedPastItsLimit", "A", 5, 0, "이 학습에서는 최대 130% 배속 까지만 지원됩니다.",
                 "클릭시 120% 배속으로 DOWN", kEnlarge110, kNoReduce, kNextLocked},
        TTipCase{"FreeAt130", "R", 3, 0, "클릭시 140% 배속으로 UP", "클릭시 120% 배속으로 DOWN", kEnlarge110, kNoReduce,
                 kNext},
        TTipCase{"FreeAt190", "R", 9, 0, "클릭시 200% 배속으로 UP", "클릭시 180% 배속으로 DOWN", kEnlarge110,
                 kNoReduce, kNext},
        TTipCase{"FreeAt200", "R", 10, 0, "최대 200% 배속 까지만 지원됩니다.", "클릭시 190% 배속으로 DOWN", kEnlarge110,
                 kNoReduce, kNext},
        TTipCase{"ZoomAt190", "R", 0, 9, "클릭시 110% 배속으로 UP", "최소 100% 배속 까지만 지원됩니다.",
                 "클릭시 200% 로 확대", "클릭시 180% 로 축소", kNext},
        TTipCase{"ZoomAt200", "R", 0, 10, "클릭시 110% 배속으로 UP", "최소 100% 배속 까지만 지원됩니다.",
                 "최대 200% 까지만 확대가 가능합니다.", "클릭시 190% 로 축소", kNext},
        TTipCase{"ZoomPressedPast200", "R", 0, 12, "클릭시 110% 배속으로 UP", "최소 100% 배속 까지만 지원됩니다.",
                 "최대 200% 까지만 확대가 가능합니다.", "클릭시 190% 로 축소", kNext}),
    [](const ::testing::TestParamInfo<TTipCase>& info) { return std::string(info.param.name); });

// The volume tip names the volume the voice has; the play tip says when it is paused; locked page
// tabs say why.
TEST_F(TFormTest, VolumeAndPlayTipsFollowTheStateAndLockedTabsSayWhy)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    const TToolView& tools = *form.StatusBar().paToolView;
    EXPECT_EQ(tools.trbVolume->toolTip(), QStringLiteral("음성볼륨 : 50%"));
    QTest::keyClick(form.windowHandle(), Qt::Key_Period);
    EXPECT_EQ(tools.trbVolume->toolTip(), QStringLiteral("음성볼륨 : 60%"));
    QTest::keyClick(form.windowHandle(), Qt::Key_Space);
    QTest::keyClick(form.windowHandle(), Qt::Key_Plus, Qt::KeypadModifier);   // the tips are written again
    EXPECT_EQ(tools.btnPlay->toolTip(), QStringLiteral("일시정지중"));
    EXPECT_EQ(tools.trbVolume->toolTip(), QStringLiteral("음성볼륨 : 60%"));
    EXPECT_FALSE(form.StatusBar().tabLecturePage->isEnabled());
    EXPECT_FALSE(form.StatusBar().tabLecturePage->toolTip().isEmpty());
}

// ---- The bars' reveal

struct TRevealCase {
    const char* name;
    QPoint at;                 // screen coordinates, on a 1280 x 800 screen
    bool titleFix, statusFix;
    bool titleBefore, statusBefore;
    bool titleAfter, statusAfter;
};

void PrintTo(const TRevealCase& c, std::ostream* out)
{
    *out << c.name;
}

class TReveal : public TFormTest, public ::testing::WithParamInterface<TRevealCase> {};

TEST_P(TReveal, ShowsTheBarAtItsEdgeAndHidesWhatIsNotFixedElsewhere)
{
    const TRevealCase& c = GetParam();
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    form.State().m_bTitleViewFix = c.titleFix;
    form.State().m_bStatusViewFix = c.statusFix;
    form.TitleBar().setVisible(c.titleBefore);
    form.StatusBar().setVisible(c.statusBefore);
    form.Reveal().ShowToolBar(c.at.x(), c.at.y());
    EXPECT_EQ(form.TitleBar().isVisible(), c.titleAfter);
    EXPECT_EQ(form.StatusBar().isVisible(), c.statusAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, TReveal,
    ::testing::Values(TRevealCase{"BottomBandShowsTheStatusBar", {640, 695}, false, false, false, false, false, true},
                      TRevealCase{"JustAboveTheBottomBand", {640, 694}, false, false, false, true, false, false},
                      TRevealCase{"RightEdgeIsAcrossTheScreen", {1280, 700}, false, false, false, false, false, true},
                      TRevealCase{"BeyondTheRightEdge", {1281, 700}, false, false, false, false, false, false},
                      TRevealCase{"BeyondTheLeftEdge", {-1, 700}, false, false, true, true, false, false},
                      TRevealCase{"TopBandShowsTheTitleBar", {640, 30}, false, false, false, false, true, false},
                      TRevealCase{"JustBelowTheTopBand", {640, 31}, false, false, true, false, false, false},
                      TRevealCase{"MiddleHidesWhatIsNotFixed", {640, 400}, false, false, true, true, false, false},
                      TRevealCase{"MiddleKeepsAFixedStatusBar", {640, 400}, false, true, true, true, false, true},
                      TRevealCase{"MiddleKeepsBothWhenBothAreFixed", {640, 400}, true, true, true, true, true, true}),
    [](const ::testing::TestParamInfo<TRevealCase>& info) { return std::string(info.param.name); });

// With real mouse moves: over the board's bottom band the hidden status bar appears, moves over it
// keep it, and the first move back over the board hides it.
TEST_F(TFormTest, MouseAtTheBottomEdgeRevealsTheStatusBarUntilItMovesBackOverTheBoard)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    form.State().m_bStatusViewFix = false;
    form.StatusBar().hide();
    ASSERT_EQ(form.Board().scBox->height(), 800);
    QTest::mouseMove(form.Board().scBox->viewport(), QPoint(640, 400));
    QTest::mouseMove(form.Board().scBox->viewport(), QPoint(640, 790));
    EXPECT_TRUE(form.StatusBar().isVisible());
    EXPECT_EQ(form.Board().scBox->height(), 695);
    QTest::mouseMove(form.StatusBar().paToolView->paToolViewClient, QPoint(10, 10));
    EXPECT_TRUE(form.StatusBar().isVisible());
    QTest::mouseMove(form.Board().scBox->viewport(), QPoint(640, 400));
    EXPECT_FALSE(form.StatusBar().isVisible());
    // The title bar likewise at the top edge, over the board.
    QTest::mouseMove(form.Board().scBox->viewport(), QPoint(640, 10));
    EXPECT_TRUE(form.TitleBar().isVisible());
    QTest::mouseMove(form.Board().scBox->viewport(), QPoint(640, 400));
    EXPECT_FALSE(form.TitleBar().isVisible());
}

// ---- The status text

// A second text while the first is showing does not restart the timer: it goes when the first
// would have gone.
TEST_F(TFormTest, StatusTextGoesThreeSecondsAfterTheFirstOfQuickMessages)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    auto* timer = form.findChild<QTimer*>(QStringLiteral("tmMessageStatus"));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    QTest::keyClick(form.windowHandle(), Qt::Key_Period);
    ASSERT_TRUE(timer->isActive());
    EXPECT_EQ(form.StatusText().text(), QStringLiteral("음성볼륨 : 60%"));
    QTest::qWait(1000);
    QTest::keyClick(form.windowHandle(), Qt::Key_Up);
    EXPECT_EQ(form.StatusText().text(), QStringLiteral("재생속도 : 110%"));
    // 2 s left, give or take the timer's coarseness; a restarted timer would have 3 s.
    EXPECT_LT(timer->remainingTime(), 2500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.StatusText().text().isEmpty(); }, 10000));
    EXPECT_FALSE(timer->isActive());
}

// With no sound server to reach, the default sound device does not open: the session plays on
// with a status text saying so, which comes back after another message has had its 3 s.
TEST_F(TFormTest, StatusTextSaysSoWhileNoSoundDevicePlays)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/ravo-no-sound-server");
    m_nAudioDevice = kDefaultDevice;
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    if (!AudioDeviceMissing()) {
        qunsetenv("PULSE_SERVER");
        GTEST_SKIP() << "a sound device plays on this machine";
    }
    const QString noDevice = QStringLiteral("소리 장치 없음");
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.StatusText().text() == noDevice; }, 5000));
    QTest::keyClick(form.windowHandle(), Qt::Key_Period);
    EXPECT_EQ(form.StatusText().text(), QStringLiteral("음성볼륨 : 60%"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.StatusText().text() == noDevice; }, 10000));
    qunsetenv("PULSE_SERVER");
}

// ---- Desk skins

TEST_F(TFormTest, SkinButtonsWalkTheSixDeskSkinsAndWrapBothWays)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    TPictureButton* next = Button("btnSkinChangeNext");
    TPictureButton* previous = Button("btnSkinChangePrev");
    QTest::mouseClick(previous, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(form.State().m_intSkinIndex, 5);
    QTest::mouseClick(next, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(form.State().m_intSkinIndex, 0);
    const int walk[] = {1, 2, 3, 4, 5, 0, 1, 2, 3, 4};
    for (const int expected : walk) {
        const qint64 before = form.Board().DeskPicture()->GetQImage().cacheKey();
        QTest::mouseClick(next, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        EXPECT_EQ(form.State().m_intSkinIndex, expected);
        EXPECT_NE(form.Board().DeskPicture()->GetQImage().cacheKey(), before);
        EXPECT_GT(form.Board().DeskPicture()->GetWidth(), 0);
    }
}

// A skin picture that cannot be read leaves an empty desk: the board area's own colour shows
// where the desk was; the next skin paints again.
TEST_F(TFormTest, AnUnreadableSkinPictureLeavesTheDeskEmpty)
{
    QTemporaryDir program;
    const QString images = JoinPath(program.path(), QStringLiteral("image"));
    ASSERT_TRUE(QDir().mkpath(images));
    const QDir built(JoinPath(QCoreApplication::applicationDirPath(), QStringLiteral("image")));
    for (const QString& name : built.entryList({QStringLiteral("*.png")})) {
        if (name != QLatin1String("back3.png")) {
            ASSERT_TRUE(QFile::copy(built.filePath(name), JoinPath(images, name)));
        }
    }
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText), program.path());
    const QPoint desk(5, 5);   // beside the framed board
    const auto deskPixel = [&] { return form.Board().scBox->viewport()->grab().toImage().pixelColor(desk); };
    const QColor areaColour = form.Board().scBox->viewport()->palette().color(QPalette::Window);
    EXPECT_NE(deskPixel(), areaColour);
    TPictureButton* next = Button("btnSkinChangeNext");
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(next, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    }
    ASSERT_EQ(form.State().m_intSkinIndex, 3);
    EXPECT_EQ(form.Board().DeskPicture()->GetWidth(), 0);
    EXPECT_EQ(deskPixel(), areaColour);
    QTest::mouseClick(next, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_GT(form.Board().DeskPicture()->GetWidth(), 0);
    EXPECT_NE(deskPixel(), areaColour);
}

// ---- The close button

struct TCloseGestureCase {
    const char* name;
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    bool closes;
    bool liftsSupervision;
};

void PrintTo(const TCloseGestureCase& c, std::ostream* out)
{
    *out << c.name;
}

class TCloseButton : public TFormTest, public ::testing::WithParamInterface<TCloseGestureCase> {};

TEST_P(TCloseButton, LeftClosesAndOnlyRightWithCtrlAndShiftLiftsSupervision)
{
    const TCloseGestureCase& c = GetParam();
    m_bAnswerOk = false;   // the supervised study's question keeps the window open
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ASSERT_TRUE(form.Overlays().CheckUp().IsStandByEnabled());
    // The title bar comes at the top edge; the close button sits in it.
    QTest::mouseMove(form.Board().scBox->viewport(), QPoint(640, 5));
    ASSERT_TRUE(form.TitleBar().isVisible());
    TPictureButton* close = form.TitleBar().btnClose;
    QTest::mousePress(close, c.button, c.modifiers, QPoint(13, 13));
    EXPECT_EQ(Shown(close), QStringLiteral("imgCloseUp"));
    QTest::mouseRelease(close, c.button, c.modifiers, QPoint(13, 13));
    QCoreApplication::processEvents();   // a close request is posted

    EXPECT_EQ(m_listQuestions.size(), c.closes ? 1u : 0u);
    EXPECT_EQ(g_studyInfo.study_mode, c.liftsSupervision ? QStringLiteral("R") : QStringLiteral("A"));
    EXPECT_EQ(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint), !c.liftsSupervision);
    EXPECT_EQ(form.Overlays().CheckUp().IsStandByEnabled(), !c.liftsSupervision);
    EXPECT_TRUE(form.isVisible());
    // Lifting supervision frees the page tabs with every other rule of it.
    EXPECT_EQ(form.StatusBar().tabLecturePage->isEnabled(), c.liftsSupervision);
    EXPECT_EQ(form.StatusBar().tabLecturePage->toolTip().isEmpty(), c.liftsSupervision);
    EXPECT_EQ(form.StatusBar().paToolView->btnPlayNext->toolTip(),
              c.liftsSupervision ? QStringLiteral("10초 앞으로 이동")
                                 : QStringLiteral("이 학습에서는 10초 앞으로 이동할 수 없습니다."));
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, TCloseButton,
    ::testing::Values(
        TCloseGestureCase{"Left", Qt::LeftButton, Qt::NoModifier, true, false},
        TCloseGestureCase{"LeftWithCtrl", Qt::LeftButton, Qt::ControlModifier, true, false},
        TCloseGestureCase{"Right", Qt::RightButton, Qt::NoModifier, false, false},
        TCloseGestureCase{"RightWithCtrl", Qt::RightButton, Qt::ControlModifier, false, false},
        TCloseGestureCase{"RightWithCtrlShift", Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier, false, true},
        TCloseGestureCase{"RightWithCtrlShiftAlt", Qt::RightButton,
                          Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, false, false},
        TCloseGestureCase{"MiddleWithCtrlShift", Qt::MiddleButton, Qt::ControlModifier | Qt::ShiftModifier, false,
                          false}),
    [](const ::testing::TestParamInfo<TCloseGestureCase>& info) { return std::string(info.param.name); });

TEST_F(TFormTest, CloseButtonIsInertWhileAPanelIsOpen)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    QTest::mouseMove(form.Board().scBox->viewport(), QPoint(640, 5));
    form.State().m_bActivateView = true;
    for (const auto& [button, modifiers] : {std::pair{Qt::LeftButton, Qt::KeyboardModifiers()},
                                            std::pair{Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier}}) {
        QTest::mouseClick(form.TitleBar().btnClose, button, modifiers, QPoint(13, 13));
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_listQuestions.empty());
    EXPECT_EQ(g_studyInfo.study_mode, QStringLiteral("A"));
}

} // namespace
