// The participation check-up in the window: the pause that hides the square, the stand-by count
// that starts a run, a failed start-up that starts none, and the forced close over whatever is
// open, with the real clock and the warning box answered by a real click; under the player's own
// modal dialogs a run stands still and goes on once they close.

#include "CheckUpPaintLog.h"
#include "DialogDriver.h"
#include "FormTestSupport.h"

#include "ui/CheckUpPanel.h"
#include "ui/MessageForm.h"
#include "ui/PaintBox.h"
#include "ui/Panel.h"
#include "ui/ProposalPanel.h"
#include "ui/ToolView.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTest>

#include <functional>
#include <set>
#include <string>

namespace {

constexpr uint32_t kSeed = 17;
constexpr int kHourMs = 3600000;
const QString kForceOutText = QStringLiteral("학습 참여 여부가 확인되지 않아 강제 종료합니다.");

class TCheckUpWindow : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        if (VoicePath().isEmpty()) {
            GTEST_SKIP() << "no mp3 encoder";
        }
        m_checkUpSeed = kSeed;
    }

    // Twenty-four seconds a page: no session ends under the test.
    QString VoicePath() const override { return Voice24Path(); }

    TCheckUpPanel& CheckUp() { return m_form->Overlays().CheckUp(); }
    bool SquareShown() { return CheckUp().paCheckUp->isVisible(); }
    void ClickSquare() { QTest::mouseClick(CheckUp().pbCheckUp, Qt::LeftButton, Qt::NoModifier, QPoint(24, 30)); }

    // A run started under the test; its ticks come only from the test.
    void StartSteppedRun(int32_t p_nCycles)
    {
        CheckUp().StartRun(p_nCycles);
        CheckUp().CheckUpTimer->setInterval(kHourMs);
    }
};

// The learner pauses with the play button during a run: the square goes, the run goes on, and
// its next showing brings the square back with the countdown one down.
TEST_F(TCheckUpWindow, PauseDuringARunHidesTheSquareUntilItsNextShowing)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const TPaintLog paints(CheckUp().pbCheckUp, form.State());
    StartSteppedRun(2);
    for (int tick = 1; tick <= 3; ++tick) {
        CheckUp().CheckUpTimerTimer();
    }
    ASSERT_TRUE(SquareShown());

    QTest::mouseClick(form.StatusBar().paToolView->btnPlay, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_FALSE(form.State().m_bPlaying);
    EXPECT_FALSE(SquareShown());
    EXPECT_TRUE(CheckUp().IsRunning());
    EXPECT_FALSE(form.Overlays().CheckUp().IsStandByEnabled());
    for (int tick = 4; tick <= 8; ++tick) {
        CheckUp().CheckUpTimerTimer();
        EXPECT_FALSE(SquareShown()) << "tick " << tick;
    }
    CheckUp().CheckUpTimerTimer();
    EXPECT_TRUE(SquareShown());
    EXPECT_EQ(paints.m_listCountdowns, (std::vector<int32_t>{2, 1}));
    EXPECT_TRUE(m_listMessages.empty());
}

// Only a supervised session that plays with nothing open over the board counts its stand-by
// ticks; there a run comes within 30 of them.
struct TStandByCase {
    const char* name;
    const char* launchText;
    bool paused;
    // What is open over the board: "", "panel", "inert" (a message or dialog of the player up),
    // "dialog" (a dialog window of the player).
    std::string open;
    bool runs;
};

void PrintTo(const TStandByCase& c, std::ostream* out)
{
    *out << c.name;
}

class TCheckUpStandBy : public TCheckUpWindow, public ::testing::WithParamInterface<TStandByCase> {};

TEST_P(TCheckUpStandBy, CountsOnlyWhileASupervisedSessionPlaysWithNothingOpen)
{
    const TStandByCase& c = GetParam();
    TForm1& form = StartForm(QString::fromLatin1(c.launchText));
    ASSERT_TRUE(form.State().m_bPlaying);
    if (c.paused) {
        QTest::mouseClick(form.StatusBar().paToolView->btnPlay, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        ASSERT_FALSE(form.State().m_bPlaying);
    }
    int ranAt = 0;
    const auto tickUntilARun = [&] {
        for (int tick = 1; tick <= 40 && ranAt == 0; ++tick) {
            CheckUp().StandByCheckUpTimerTimer();
            ranAt = CheckUp().IsRunning() ? tick : 0;
        }
    };
    if (c.open == "panel") {
        QTest::mouseClick(form.StatusBar().paToolView->btnProposal, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        ASSERT_TRUE(form.Overlays().paProposalView->isVisible());
        form.State().m_bPlaying = true;   // the panel alone holds the stand-by, not the pause it made
    } else if (c.open == "inert") {
        form.State().m_bActivateView = true;
    }
    if (c.open == "dialog") {
        // The ticks come inside the modal loop of a real message box of the player.
        m_bRealMessageBoxes = true;
        const TDialogDriver<QMessageBox> box(form, [&](QMessageBox& shown) {
            tickUntilARun();
            shown.done(QMessageBox::Ok);
        });
        form.Overlays().ShowMessage(TMessageKind::Information, QStringLiteral("알림"));
        ASSERT_EQ(box.Shown(), 1);
    } else {
        tickUntilARun();
    }
    if (!c.runs) {
        EXPECT_EQ(ranAt, 0);
        EXPECT_EQ(form.State().m_nCheckUpSleepCount, 0);
        EXPECT_FALSE(SquareShown());
        return;
    }
    EXPECT_GE(ranAt, kCheckUpWaitMin);
    EXPECT_LE(ranAt, kCheckUpWaitMax);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TCheckUpStandBy,
    ::testing::Values(TStandByCase{"supervised_playing", kTinyLaunchText, false, "", true},
                      TStandByCase{"free_study", "R&S1&U1&1&0&2&S9|,|1234&S9|,|57", false, "", false},
                      TStandByCase{"paused", kTinyLaunchText, true, "", false},
                      TStandByCase{"panel_open", kTinyLaunchText, false, "panel", false},
                      TStandByCase{"message_up", kTinyLaunchText, false, "inert", false},
                      TStandByCase{"dialog_open", kTinyLaunchText, false, "dialog", false}),
    [](const ::testing::TestParamInfo<TStandByCase>& info) { return std::string(info.param.name); });

// The run starts on the very tick the chosen wait ends, in its order (a new place, the countdown
// at 9, the clock); answered with a click, the next wait is counted from the start.
TEST_F(TCheckUpWindow, RunStartsAfterTheChosenNumberOfStandByTicksAndCountsAgainAfterAnAnswer)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    TPlayerState& state = form.State();
    CheckUp().StandByCheckUpTimerTimer();
    const int32_t wait = state.m_nCheckUpWaitCount;
    ASSERT_GE(wait, kCheckUpWaitMin);
    ASSERT_LE(wait, kCheckUpWaitMax);
    const QPoint before(state.RandomPositionX, state.RandomPositionY);
    for (int tick = 2; tick < wait; ++tick) {
        CheckUp().StandByCheckUpTimerTimer();
        ASSERT_FALSE(CheckUp().IsRunning()) << "tick " << tick << " of " << wait;
    }
    CheckUp().StandByCheckUpTimerTimer();
    ASSERT_TRUE(CheckUp().IsRunning());
    CheckUp().CheckUpTimer->setInterval(kHourMs);
    EXPECT_NE(QPoint(state.RandomPositionX, state.RandomPositionY), before);
    EXPECT_EQ(form.Overlays().CheckUp().paCheckUp->pos(), QPoint(state.RandomPositionX, state.RandomPositionY));
    EXPECT_EQ(state.m_nFlickerCount, kCheckUpCycles);
    EXPECT_EQ(state.m_nCheckUpTimeCount, 0);
    EXPECT_FALSE(form.Overlays().CheckUp().IsStandByEnabled());

    CheckUp().CheckUpTimerTimer();
    ASSERT_TRUE(SquareShown());
    ClickSquare();
    CheckUp().CheckUpTimerTimer();
    EXPECT_FALSE(CheckUp().IsRunning());
    EXPECT_TRUE(form.Overlays().CheckUp().IsStandByEnabled());
    EXPECT_EQ(form.Overlays().CheckUp().StandByCheckUpTimer->interval(), TCheckUpPanel::kStandByIntervalMs);
    CheckUp().StandByCheckUpTimerTimer();
    EXPECT_EQ(state.m_nCheckUpSleepCount, 1);
    EXPECT_EQ(state.m_nCheckUpRunCount, 1);
    EXPECT_TRUE(m_listMessages.empty());
}

// The first run brought forward runs on the real clocks: it comes once the session plays, shows
// its square, and a real click answers it; the stand-by then keeps its usual 30 s.
TEST_F(TCheckUpWindow, FirstRunBroughtForwardComesOnTheRealClockAndAClickAnswersIt)
{
    m_checkUpFirstRunMs = 300;
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_TRUE(WaitFor([&] { return SquareShown(); }, 5000)) << "no run came";
    EXPECT_EQ(form.State().m_nFlickerCount, kCheckUpCycles);
    ClickSquare();
    EXPECT_TRUE(WaitFor([&] { return !CheckUp().IsRunning(); }, 1000));
    EXPECT_TRUE(form.Overlays().CheckUp().IsStandByEnabled());
    EXPECT_EQ(CheckUp().StandByCheckUpTimer->interval(), TCheckUpPanel::kStandByIntervalMs);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(m_listMessages.empty());
}

// The learner pauses and plays again more often than the stand-by interval (as page changes do):
// the stand-by clock counts the playing time across the pauses, and the run comes all the same.
TEST_F(TCheckUpWindow, StandByCountsPlayingTimeAcrossPauses)
{
    m_checkUpFirstRunMs = 700;
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    TPictureButton* play = form.StatusBar().paToolView->btnPlay;
    int pauses = 0;
    while (pauses < 12 && !WaitFor([&] { return CheckUp().IsRunning(); }, 300)) {
        QTest::mouseClick(play, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        ASSERT_FALSE(form.State().m_bPlaying);
        QTest::mouseClick(play, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        ASSERT_TRUE(form.State().m_bPlaying);
        ++pauses;
    }
    EXPECT_TRUE(CheckUp().IsRunning()) << "no run after " << pauses << " pauses";
    EXPECT_GE(pauses, 1);
}

// A start-up that failed in supervised study has nothing to supervise: no stand-by, no run on the
// real clock, and the window stays until the learner closes it.
TEST_F(TCheckUpWindow, FailedStartUpStartsNoStandByAndNoRun)
{
    m_checkUpFirstRunMs = 100;
    const QString base = SessionBasePath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), "S1", "U1");
    for (const QString& key : {QStringLiteral("1234"), QStringLiteral("57")}) {
        const QString file = MakeLectureFileName(1, 0, key).value_or(QString());
        ASSERT_TRUE(QFile::remove(JoinPath(LectureFolder(base, file), QStringLiteral("lectureinfo.xml"))));
    }
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_FALSE(form.IsStartedUp());
    EXPECT_FALSE(form.State().m_bPlaying);
    EXPECT_FALSE(CheckUp().IsStandByEnabled());
    EXPECT_FALSE(WaitFor([&] { return CheckUp().IsRunning() || !form.isVisible(); }, 2500));
}

// ---- The forced close over what is open, on the real clock

class TCheckUpForcedClose : public TCheckUpWindow {
protected:
    void SetUp() override
    {
        TCheckUpWindow::SetUp();
        m_bRealMessageBoxes = true;
    }

    // Clicks OK on the warning box, the way the learner takes it away; questions are left to the test.
    void AnswerWarnings(TForm1& p_form)
    {
        m_warnings = std::make_unique<TDialogDriver<QMessageBox>>(p_form, [this](QMessageBox& box) {
            if (box.buttons().size() > 1) {
                return;
            }
            m_bWarningIcon = box.icon() == QMessageBox::Warning;
            m_sWarningText = box.text();
            QTest::mouseClick(box.buttons().first(), Qt::LeftButton);
        });
        CloseStuckDialogsAfter(p_form);
    }

    // Closed without a hand-off and silent afterwards, with the warning taken away by its click.
    void ExpectClosedWithNothingHandedOff(TForm1& p_form)
    {
        ASSERT_TRUE(WaitUntilClosed(10000)) << "the countdown ran out and the player stayed";
        EXPECT_EQ(m_warnings->Shown(), 1);
        EXPECT_TRUE(m_bWarningIcon);
        EXPECT_EQ(m_sWarningText, kForceOutText);
        EXPECT_TRUE(p_form.State().m_bCompulsionClose);
        EXPECT_TRUE(StaysSilent(p_form));
        EXPECT_FALSE(m_event.Wait(0));
        EXPECT_TRUE(m_listQuestions.empty());
        for (const QDialog* dialog : p_form.findChildren<QDialog*>()) {
            EXPECT_FALSE(dialog->isVisible()) << dialog->metaObject()->className();
        }
    }

    std::unique_ptr<TDialogDriver<QMessageBox>> m_warnings;
    bool m_bWarningIcon = false;
    QString m_sWarningText;
};

// A feedback panel over the board, the player inert under it.
TEST_F(TCheckUpForcedClose, OverAnOpenFeedbackPanel)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    AnswerWarnings(form);
    QTest::mouseClick(form.StatusBar().paToolView->btnProposal, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_TRUE(form.Overlays().paProposalView->isVisible());
    ASSERT_TRUE(form.State().m_bActivateView);
    CheckUp().StartRun(0);
    ExpectClosedWithNothingHandedOff(form);
    EXPECT_FALSE(form.Overlays().paProposalView->isVisible());
}

// ---- A run under the player's own dialogs, on the real clock inside their modal loops

// Six seconds a page: the self-study question comes at 4 s, and the session outlasts the test.
QString Voice6Path()
{
    static const QTemporaryDir folder;
    static const QString path = JoinPath(folder.path(), QStringLiteral("voice6.mp3"));
    static const bool made = HaveMp3Tools() && MakeMp3(path, 6 * 8000, 8000);
    return made ? path : QString();
}

// The dialogs of the player that can come up during a run: what brings one up the way a learner
// (or the playback) does, and how the learner cancels it.
struct TDialogCase {
    const char* name;
    const char* launchText;
    int lectureType;
    std::function<void(TForm1&)> bringUp;                 // none: the playback brings it up
    std::function<bool(TForm1&)> isUp;
    std::function<void(TForm1&)> cancel;
};

void PrintTo(const TDialogCase& c, std::ostream* out)
{
    *out << c.name;
}

template <class TDialog>
TDialog* ShownDialog(TForm1& p_form)
{
    for (TDialog* dialog : p_form.findChildren<TDialog*>()) {
        if (dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

std::vector<TDialogCase> DialogCases()
{
    return {
        {"self_study", kTinySelfStudyLaunchText, 2, nullptr,
         [](TForm1& form) { return ShownDialog<TMessageForm>(form) != nullptr; },
         [](TForm1& form) {
             if (TMessageForm* question = ShownDialog<TMessageForm>(form)) {
                 QTest::mouseClick(question->btnCancel, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
             }
         }},
        {"close_question", kTinyLaunchText, 1,
         [](TForm1& form) {
             QTest::mouseMove(form.Board().scBox->viewport(), QPoint(640, 5));   // the title bar comes
             QTest::mouseClick(form.TitleBar().btnClose, Qt::LeftButton, Qt::NoModifier, QPoint(13, 13));
         },
         [](TForm1& form) { return ShownDialog<QMessageBox>(form) != nullptr; },
         [](TForm1& form) {
             QMessageBox* box = ShownDialog<QMessageBox>(form);
             for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>()) {
                 if (box->buttonRole(button) == QMessageBox::RejectRole) {
                     QTest::mouseClick(button, Qt::LeftButton);
                 }
             }
         }},
        {"print_dialog", kTinyLaunchText, 1,
         [](TForm1& form) {
             QTest::mouseClick(form.StatusBar().paToolView->btnGrade, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
         },
         [](TForm1& form) { return ShownDialog<QPrintDialog>(form) != nullptr; },
         [](TForm1& form) {
             if (QPrintDialog* print = ShownDialog<QPrintDialog>(form)) {
                 print->reject();
             }
         }},
    };
}

class TCheckUpUnderDialog : public TCheckUpForcedClose, public ::testing::WithParamInterface<TDialogCase> {};

// The square cannot be clicked under a modal dialog: a run of N = 0 (gone in under 2 s when left
// alone) stands still, hidden, for 3 s under it; after Cancel the square comes back with its
// countdown, and a real click answers it.
TEST_P(TCheckUpUnderDialog, StandsStillAndGoesOnAfterCancel)
{
    const TDialogCase& c = GetParam();
    ASSERT_TRUE(WriteTinySession(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), Voice6Path(),
                                 c.lectureType));
    TForm1& form = StartForm(QString::fromLatin1(c.launchText));
    AnswerWarnings(form);
    bool held = false;
    bool shownUnder = false;
    int32_t countdownUnder = kCheckUpAnswered;
    bool countdownMoved = false;
    // Inside the dialog's modal loop: the run starts, the real clock ticks for 3 s, then Cancel.
    QTimer look;
    look.setInterval(50);
    QObject::connect(&look, &QTimer::timeout, &form, [&] {
        if (held || !c.isUp(form)) {
            return;
        }
        if (countdownUnder == kCheckUpAnswered) {
            CheckUp().StartRun(0);
            countdownUnder = form.State().m_nFlickerCount;
            QTimer::singleShot(3000, &form, [&] {
                held = true;
                c.cancel(form);
            });
        }
        shownUnder = shownUnder || SquareShown();
        countdownMoved = countdownMoved || form.State().m_nFlickerCount != countdownUnder;
    });
    look.start();
    if (c.bringUp) {
        QTimer::singleShot(0, &form, [&] { c.bringUp(form); });
    }
    ASSERT_TRUE(WaitFor([&] { return held; }, 20000)) << "the dialog never came";
    look.stop();
    EXPECT_TRUE(form.isVisible()) << "closed under the dialog";
    EXPECT_FALSE(shownUnder);
    EXPECT_FALSE(countdownMoved);
    ASSERT_TRUE(WaitFor([&] { return SquareShown(); }, 2000)) << "the square did not come back";
    EXPECT_EQ(form.State().m_nFlickerCount, 0);
    ClickSquare();
    EXPECT_TRUE(WaitFor([&] { return !CheckUp().IsRunning(); }, 1000));
    EXPECT_FALSE(WaitFor([&] { return !form.isVisible(); }, 2500)) << "forced out after the answer";
    EXPECT_TRUE(m_sWarningText.isEmpty()) << m_sWarningText.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, TCheckUpUnderDialog, ::testing::ValuesIn(DialogCases()),
                         [](const ::testing::TestParamInfo<TDialogCase>& info) { return std::string(info.param.name); });

} // namespace
