// The message window and the self-study question, driven by real mouse and key events inside the
// window's modal loop: the answers (OK closes the player without handing off, Cancel plays on and
// is never asked again), the marker file of a ticked box, a marker that cannot be written, the
// placement and the one-button window, the buttons' pictures, and pictures that are missing.

#include "DialogDriver.h"
#include "FormTestSupport.h"

#include "platform/audio/AudioLibrary.h"
#include "session/FileUtil.h"
#include "ui/MessageForm.h"
#include "ui/StayOnTop.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kMarkerNotSaved = QStringLiteral("'일주일간 보지 않기' 선택을 저장하지 못했습니다.");
const QPoint kInButton(32, 10);

QString Roaming()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString MarkerPath()
{
    return SelfStudyMarkerFile(Roaming(), QStringLiteral("S1"), QStringLiteral("U1"));
}

QString LauncherFolder()
{
    return JoinPath(Roaming(), QStringLiteral("quorvale"), QStringLiteral("ternwick"));
}

QByteArray ReadAll(const QString& p_sPath)
{
    QFile file(p_sPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Click(QWidget* p_widget, const QPoint& p_ptAt)
{
    QTest::mouseClick(p_widget, Qt::LeftButton, Qt::NoModifier, p_ptAt);
}

// ---------------------------------------------------------------------------------------------
// The self-study question in the player

struct TSelfStudyCase {
    const char* name;
    uint8_t lectureType;
    bool tick;          // the learner ticks the check box
    bool ok;            // and answers OK (else Cancel)
    bool blockMarker;   // the marker's folder cannot be made
    int expectAsked;
    bool expectClosedByAnswer;   // closed at once, nothing handed off
    bool expectMarker;           // "1" CR LF written
    bool expectWarning;          // the learner is told the choice was not saved
};

void PrintTo(const TSelfStudyCase& c, std::ostream* out)
{
    *out << c.name;
}

class TSelfStudy : public TFormTest, public ::testing::WithParamInterface<TSelfStudyCase> {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        ASSERT_TRUE(WriteTinySession(Roaming(), VoicePath(), 2));
        ASSERT_TRUE(QDir(LauncherFolder()).removeRecursively());
    }
};

TEST_P(TSelfStudy, AnswerAppliesAndATickedBoxLeavesTheMarker)
{
    const TSelfStudyCase& c = GetParam();
    if (c.blockMarker) {
        ASSERT_TRUE(ForceFolder(LauncherFolder()));
        QFile file(JoinPath(LauncherFolder(), QStringLiteral("log")));   // a file where a folder must go
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    TForm1& form = StartForm(QString::fromLatin1(c.lectureType == 2 ? kTinySelfStudyLaunchText : kTinyLaunchText));
    ASSERT_TRUE(form.IsStartedUp());
    ASSERT_TRUE(IsStayOnTop(form));
    struct {
        bool parentOnTop = true;
        bool messageOnTop = false;
        bool activateView = false;
        bool voicePlaying = true;
        double pagePart = 0.0;
    } whileAsked;
    TDialogDriver<TMessageForm> driver(form, [&](TMessageForm& message) {
        whileAsked = {IsStayOnTop(form), IsStayOnTop(message), form.State().m_bActivateView,
                      BASS_ChannelIsActive(form.Engine().GetPlayChannel()) == kActivePlaying,
                      form.State().m_dCurrentPlayPosition /
                          static_cast<double>(form.Engine().GetLectureInfoList()[0].PlayMileSeconds)};
        if (c.tick) {
            Click(message.bsSkinCheckBox1, QPoint(8, 12));
        }
        Click(c.ok ? message.btnOK : message.btnCancel, kInButton);
    });

    if (c.expectAsked > 0 && !c.ok) {
        // Cancel: the voice, the clock and the buttons come back, the window stays on top again.
        EXPECT_TRUE(WaitFor([&] {
            return driver.Shown() == 1 && form.State().m_bPlaying && !form.State().m_bActivateView &&
                   BASS_ChannelIsActive(form.Engine().GetPlayChannel()) == kActivePlaying &&
                   form.State().m_bSelfStudyMessageBox && IsStayOnTop(form);
        })) << "playback never went on after Cancel";
    }
    ASSERT_TRUE(WaitUntilClosed(30000));

    EXPECT_EQ(driver.Shown(), c.expectAsked);
    if (c.expectAsked > 0) {
        EXPECT_FALSE(whileAsked.parentOnTop);
        EXPECT_TRUE(whileAsked.messageOnTop);
        EXPECT_TRUE(whileAsked.activateView);
        EXPECT_FALSE(whileAsked.voicePlaying);
        EXPECT_GT(whileAsked.pagePart, 2.0 / 3.0);
    }
    EXPECT_EQ(m_event.Wait(0), !c.expectClosedByAnswer);
    EXPECT_EQ(HandedOffText(), c.expectClosedByAnswer ? QString()
                                                      : QString::fromLatin1(c.lectureType == 2 ? kTinySelfStudyResultText
                                                                                                : kTinyResultText));
    EXPECT_NE(BASS_ChannelIsActive(form.Engine().GetPlayChannel()), kActivePlaying);
    EXPECT_TRUE(m_listQuestions.empty());
    EXPECT_EQ(ReadAll(MarkerPath()), c.expectMarker ? QByteArray("1\r\n") : QByteArray());
    EXPECT_EQ(QFile::exists(MarkerPath()), c.expectMarker);
    using TMessages = std::vector<std::pair<TMessageKind, QString>>;
    const TMessages warning{{TMessageKind::Warning, kMarkerNotSaved}};
    EXPECT_EQ(m_listMessages, c.expectWarning ? warning : TMessages());
    if (c.blockMarker) {
        EXPECT_EQ(QDir(LauncherFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{QStringLiteral("log")});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TSelfStudy,
    ::testing::Values(TSelfStudyCase{"OkUnticked", 2, false, true, false, 1, true, false, false},
                      TSelfStudyCase{"OkTicked", 2, true, true, false, 1, true, true, false},
                      TSelfStudyCase{"CancelUnticked", 2, false, false, false, 1, false, false, false},
                      TSelfStudyCase{"CancelTicked", 2, true, false, false, 1, false, true, false},
                      TSelfStudyCase{"OkTickedMarkerFolderBlocked", 2, true, true, true, 1, true, false, true},
                      TSelfStudyCase{"CancelTickedMarkerFolderBlocked", 2, true, false, true, 1, false, false, true},
                      TSelfStudyCase{"LectureType1NeverAsks", 1, true, true, false, 0, false, false, false}),
    [](const ::testing::TestParamInfo<TSelfStudyCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// The message window by itself

class TMessageWindow : public ::testing::Test {
protected:
    void SetUp() override { m_owner.show(); }

    // Shows the window modally and runs p_steps inside its modal loop; the modal result.
    static int ShowAndRun(TMessageForm& p_form, const std::function<void()>& p_steps)
    {
        QTimer::singleShot(0, &p_form, p_steps);
        return p_form.ShowModal();
    }

    static bool Shows(const TPictureButton* p_button, const TPicture* p_picture)
    {
        return !p_button->GetPicture().isNull() && p_button->GetPicture().cacheKey() == p_picture->GetPicture().cacheKey();
    }

    QWidget m_owner;
};

struct TPlacementCase {
    QSize screen;
    QPoint expected;
};

TEST_F(TMessageWindow, CentredWithTiesToEvenAndOneButtonWhereCancelStandsUntilShownWithBoth)
{
    for (const TPlacementCase& c : {TPlacementCase{{1280, 800}, {420, 288}}, TPlacementCase{{1024, 768}, {292, 272}},
                                    TPlacementCase{{1366, 767}, {462, 272}}}) {
        TMessageForm form(&m_owner, QCoreApplication::applicationDirPath(), c.screen);
        form.m_sTitle = QStringLiteral("확인");
        form.m_sMessage = QStringLiteral("강의재생을 중지하고 스스로 풀어보겠습니까?");
        form.m_bCancelDisable = true;
        QRect okBox;
        bool cancelShown = true;
        QPoint at;
        EXPECT_EQ(ShowAndRun(form,
                             [&] {
                                 at = form.pos();
                                 okBox = form.btnOK->geometry();
                                 cancelShown = form.btnCancel->isVisible();
                                 Click(form.btnOK, kInButton);
                             }),
                  TMessageForm::mrOK);
        EXPECT_EQ(at, c.expected) << c.screen.width() << " x " << c.screen.height();
        EXPECT_EQ(okBox, QRect(305, 179, 64, 21));
        EXPECT_FALSE(cancelShown);
        EXPECT_EQ(form.size(), QSize(441, 223));
        EXPECT_EQ(form.lbTitle->text(), QStringLiteral("확인"));
        EXPECT_EQ(form.lbTitle->pos(), QPoint(56, 42));
        EXPECT_EQ(form.lbMessage->pos(), QPoint(35, 94));

        // The same window shown again with both buttons puts OK back at its own place.
        form.m_bCancelDisable = false;
        EXPECT_EQ(ShowAndRun(form,
                             [&] {
                                 okBox = form.btnOK->geometry();
                                 cancelShown = form.btnCancel->isVisible();
                                 Click(form.btnCancel, kInButton);
                             }),
                  TMessageForm::mrCancel);
        EXPECT_EQ(okBox, QRect(235, 178, 64, 21));
        EXPECT_TRUE(cancelShown);
        EXPECT_EQ(form.btnCancel->geometry(), QRect(305, 179, 64, 21));
    }
}

// Entering shows Over, a press Down; sliding off and releasing outside is no click (the window
// stays, leaving shows Up). Enter, Escape and the window manager do not close it either.
TEST_F(TMessageWindow, ButtonsFollowTheMouseAndAnswerOnAReleaseInsideOnly)
{
    TMessageForm form(&m_owner, QCoreApplication::applicationDirPath(), QSize(1280, 800));
    bool upAtStart = false, overOnEnter = false, downOnPress = false, upAfterSlidingOff = false, stillOpen = false;
    bool cancelOver = false;
    const int result = ShowAndRun(form, [&] {
        upAtStart = Shows(form.btnOK, form.imgOkUp) && Shows(form.btnCancel, form.imgCancelUp);
        QTest::mouseMove(&form, QPoint(150, 60));   // into the window, off the buttons
        QTest::mouseMove(form.btnOK, kInButton);
        overOnEnter = Shows(form.btnOK, form.imgOkOver);
        QTest::mousePress(form.btnOK, Qt::LeftButton, Qt::NoModifier, kInButton);
        downOnPress = Shows(form.btnOK, form.imgOkDown);
        QTest::mouseMove(&form, QPoint(150, 60));
        QTest::mouseRelease(&form, Qt::LeftButton, Qt::NoModifier, QPoint(150, 60));
        upAfterSlidingOff = Shows(form.btnOK, form.imgOkUp);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space}) {
            QTest::keyClick(&form, key);
        }
        form.close();
        stillOpen = form.isVisible() && form.result() == TMessageForm::mrNone;
        QTest::mouseMove(form.btnCancel, kInButton);
        cancelOver = Shows(form.btnCancel, form.imgCancelOver);
        Click(form.btnCancel, kInButton);
    });
    EXPECT_TRUE(upAtStart);
    EXPECT_TRUE(overOnEnter);
    EXPECT_TRUE(downOnPress);
    EXPECT_TRUE(upAfterSlidingOff);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(cancelOver);
    EXPECT_EQ(result, TMessageForm::mrCancel);
    EXPECT_TRUE(Shows(form.btnCancel, form.imgCancelOver));   // released inside: Over, then the answer
    EXPECT_FALSE(form.IsChecked());
}

// A state picture that cannot be loaded is painted: the same size, its own text, and the answer
// still applies. A missing background leaves the window white.
TEST_F(TMessageWindow, MissingPicturesArePaintedAndTheAnswerStillApplies)
{
    QTemporaryDir program;
    ASSERT_TRUE(program.isValid());
    const QString images = JoinPath(program.path(), QStringLiteral("image"));
    ASSERT_TRUE(ForceFolder(images));
    for (const char* name : {"ok_up.png", "ok_over.png", "cancel_up.png", "cancel_over.png"}) {
        ASSERT_TRUE(QFile::copy(JoinPath(QCoreApplication::applicationDirPath(), QStringLiteral("image"), QLatin1String(name)),
                                JoinPath(images, QLatin1String(name))));
    }
    TMessageForm form(&m_owner, program.path(), QSize(1280, 800));
    EXPECT_TRUE(form.imgBack->GetPicture().isNull());
    for (const TPicture* painted : {form.imgOkDown, form.imgCancelDown}) {
        EXPECT_EQ(painted->GetPicture().deviceIndependentSize(), QSizeF(64, 21));
    }
    EXPECT_NE(form.imgOkDown->GetPicture().toImage(), form.imgCancelDown->GetPicture().toImage());
    EXPECT_EQ(form.imgOkUp->GetPicture().deviceIndependentSize(), QSizeF(64, 21));

    bool paintedOnPress = false;
    const int result = ShowAndRun(form, [&] {
        QTest::mousePress(form.btnOK, Qt::LeftButton, Qt::NoModifier, kInButton);
        paintedOnPress = Shows(form.btnOK, form.imgOkDown);
        QTest::mouseRelease(form.btnOK, Qt::LeftButton, Qt::NoModifier, kInButton);
    });
    EXPECT_TRUE(paintedOnPress);
    EXPECT_EQ(result, TMessageForm::mrOK);
}

} // namespace
