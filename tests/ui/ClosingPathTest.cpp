// The one closing path: whatever closes the player while a dialog of it is open takes the dialog
// away, and the code that comes back from the dialog does nothing more: no voice, no marker, no
// second hand-off.

#include "DialogDriver.h"
#include "FormTestSupport.h"

#include "platform/audio/AudioLibrary.h"
#include "session/FileUtil.h"
#include "ui/ClosingPath.h"
#include "ui/HelpPanel.h"
#include "ui/MessageForm.h"
#include "ui/Panel.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTest>

namespace {

QString Roaming()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

bool AnyMessageBoxShown(const QWidget& p_window)
{
    for (const QMessageBox* box : p_window.findChildren<QMessageBox*>()) {
        if (box->isVisible()) {
            return true;
        }
    }
    return false;
}

using TClosing = TFormTest;

// The check-up gives up while the learner has the self-study window open and its box ticked.
TEST_F(TClosing, ForcedCloseWhileTheSelfStudyWindowIsOpenTakesItAwayAndLeavesNothing)
{
    ASSERT_TRUE(WriteTinySession(Roaming(), VoicePath(), 2));
    const QString marker = SelfStudyMarkerFile(Roaming(), QStringLiteral("S1"), QStringLiteral("U1"));
    QFile::remove(marker);
    TForm1& form = StartForm(QString::fromLatin1(kTinySelfStudyLaunchText));
    bool messageGone = false;
    TDialogDriver<TMessageForm> driver(form, [&](TMessageForm& message) {
        QTest::mouseClick(message.bsSkinCheckBox1, Qt::LeftButton, Qt::NoModifier, QPoint(8, 12));
        ASSERT_TRUE(message.IsChecked());
        form.ForceClose();
        messageGone = !message.isVisible();
    });

    ASSERT_TRUE(WaitUntilClosed());
    EXPECT_EQ(driver.Shown(), 1);
    EXPECT_TRUE(messageGone);
    EXPECT_EQ(driver.Last(), nullptr);   // showMessageForm has come back and released it
    EXPECT_TRUE(form.IsClosing());
    EXPECT_TRUE(StaysSilent(form));
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_FALSE(m_event.Wait(0));
    EXPECT_TRUE(m_listQuestions.empty());
    EXPECT_TRUE(m_listMessages.empty());
}

// The learner asked to leave a supervised study early; the check-up gives up while the question
// is up. The window goes without the learner's answer, and the voice does not come back.
TEST_F(TClosing, ForcedCloseWhileTheEarlyCloseQuestionIsUpClosesWithoutHandOff)
{
    m_bRealMessageBoxes = true;
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_TRUE(form.State().m_bPlaying);
    bool questionGone = false;
    TDialogDriver<QMessageBox> driver(form, [&](QMessageBox& question) {
        form.ForceClose();
        questionGone = !question.isVisible();
        if (!questionGone) {
            question.reject();   // the learner's Cancel: without the forced close the window stays
        }
    });
    QTimer::singleShot(0, &form, [&form] { form.close(); });

    ASSERT_TRUE(WaitUntilClosed());
    EXPECT_EQ(driver.Shown(), 1);
    EXPECT_TRUE(questionGone);
    EXPECT_EQ(m_listQuestions.size(), 1u);
    EXPECT_TRUE(StaysSilent(form));
    EXPECT_FALSE(m_event.Wait(0));
}

// The session reaches its end while a message box of the player is open: the end's close request
// takes the box away and hands off once; the code that showed the box comes back to a closed
// window, and further requests (more ticks, the window manager) hand off nothing more.
TEST_F(TClosing, EndOfSessionWhileAMessageBoxIsOpenHandsOffOnce)
{
    m_bRealMessageBoxes = true;
    TForm1& form = StartForm(QStringLiteral("R&S1&U1&1&0&2&S9|,|1234&S9|,|57"));
    bool cameBack = false;
    bool closedWhenBack = false;
    bool boxOutlivedTheWindow = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] { boxOutlivedTheWindow |= !form.isVisible() && AnyMessageBoxShown(form); });
    look.start(10);
    CloseStuckDialogsAfter(form);
    QTimer::singleShot(0, &form, [&] {
        form.Overlays().ShowMessage(TMessageKind::Error, QStringLiteral("음원 파일 재생중 오류발생"));
        cameBack = true;
        closedWhenBack = !form.isVisible();
        form.close();
        form.close();
    });

    ASSERT_TRUE(WaitUntilClosed());
    EXPECT_TRUE(WaitFor([&] { return cameBack; }));
    EXPECT_TRUE(closedWhenBack);
    EXPECT_FALSE(boxOutlivedTheWindow);
    form.close();
    EXPECT_TRUE(m_event.Wait(0));
    EXPECT_FALSE(m_event.Wait(0));
    EXPECT_EQ(HandedOffText(), QString::fromLatin1(kTinyResultText));
}

// A panel open over the board at the session's end: the window manager's close hands off once and
// the panel goes with the window.
TEST_F(TClosing, PanelOpenAtTheEndGoesWithTheWindowAndTheResultIsHandedOffOnce)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    form.Overlays().paHelpView->show();
    form.State().m_bActivateView = true;
    form.State().m_intCurrentMilesSecond = form.State().m_intAllMileSecond;

    EXPECT_TRUE(form.close());
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.Overlays().paHelpView->isVisible());
    EXPECT_TRUE(m_event.Wait(0));
    EXPECT_FALSE(m_event.Wait(0));
    EXPECT_TRUE(m_listQuestions.empty());
}

// The path by itself: dialogs opened one inside the other all go, the waiting code comes back,
// and stopping and handing off happen once however often Close is called.
TEST(ClosingPath, NestedDialogsAllGoAndItRunsOnce)
{
    QWidget window;
    window.show();
    TPlayerState state;
    TClosingPath closing(window, state);
    int stops = 0;
    int handOffs = 0;
    closing.OnStop = [&] { ++stops; };
    closing.OnHandOff = [&] { ++handOffs; };
    QMessageBox outer(QMessageBox::Information, QStringLiteral("알림"), QStringLiteral("outer"), QMessageBox::Ok, &window);
    QMessageBox inner(QMessageBox::Warning, QStringLiteral("알림"), QStringLiteral("inner"), QMessageBox::Ok, &window);
    bool innerCameBack = false;
    CloseStuckDialogsAfter(window, 5000);
    QTimer::singleShot(0, &outer, [&] {
        QTimer::singleShot(0, &inner, [&] {
            EXPECT_TRUE(closing.Close(true));
            EXPECT_FALSE(inner.isVisible());
            EXPECT_FALSE(outer.isVisible());
            EXPECT_FALSE(closing.Close(true));
        });
        inner.exec();
        innerCameBack = true;
        EXPECT_FALSE(closing.Close(false));
    });
    outer.exec();

    EXPECT_TRUE(innerCameBack);
    EXPECT_FALSE(outer.isVisible());
    EXPECT_FALSE(inner.isVisible());
    EXPECT_TRUE(closing.IsClosing());
    EXPECT_TRUE(state.m_bClosing);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(handOffs, 1);
}

} // namespace
