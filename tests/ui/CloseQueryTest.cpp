// Closing the window: the question of a supervised study left early, the hand-off at the end of
// the session, and closing in the other study modes.

#include "FormTestSupport.h"

#include "platform/audio/AudioLibrary.h"
#include "session/FileUtil.h"
#include "ui/StatusView.h"
#include "ui/ToolView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kCloseEarlyQuestion =
    QStringLiteral("학습을 중간에 종료하면 결과를 전송하지 않습니다.\r\n종료할까요 ?");
const QString kOtherModeLaunchText = QStringLiteral("R&S1&U1&1&0&2&S9|,|1234&S9|,|57");

struct TCloseCase {
    const char* name;
    QString launchText;
    bool paused;   // the learner paused before closing
    bool atEnd;
    bool answerOk;
    bool expectQuestion;
    bool expectClosed;
    bool expectResult;
};

void PrintTo(const TCloseCase& c, std::ostream* out)
{
    *out << c.name;
}

// A window whose start-up failed says why, offers its close button, and closes without asking
// and without handing anything off, even in supervised study.
void ExpectClosesQuietlyAfterAFailedStartUp(TForm1& p_form, const std::vector<QString>& p_questions,
                                           TNamedEvent& p_event)
{
    EXPECT_FALSE(p_form.IsStartedUp());
    auto* close = p_form.findChild<QWidget*>(QStringLiteral("btnStartUpFailureClose"));
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->isVisible());
    EXPECT_TRUE(p_form.close());
    EXPECT_TRUE(p_questions.empty());
    EXPECT_FALSE(p_event.Wait(0));
}

class TCloseQuery : public TFormTest, public ::testing::WithParamInterface<TCloseCase> {};

TEST_P(TCloseQuery, AsksOnlyWhenASupervisedStudyIsLeftEarlyAndHandsOffOnlyAtTheEnd)
{
    const TCloseCase& c = GetParam();
    m_bAnswerOk = c.answerOk;
    TForm1& form = StartForm(c.launchText);
    ASSERT_TRUE(form.IsStartedUp());
    ASSERT_GT(form.State().m_intAllMileSecond, 0);
    ASSERT_TRUE(form.State().m_bPlaying);
    TPictureButton* play = form.StatusBar().paToolView->btnPlay;
    if (c.paused) {
        QTest::mouseClick(play, Qt::LeftButton, Qt::NoModifier, QPoint(17, 17));
        ASSERT_FALSE(form.State().m_bPlaying);
    }
    if (c.atEnd) {
        form.State().m_intCurrentMilesSecond = form.State().m_intAllMileSecond;
    }
    const HSTREAM voice = form.Engine().GetPlayChannel();
    const QWORD heardBefore = BASS_ChannelGetPosition(voice, kPosByte);

    EXPECT_EQ(form.close(), c.expectClosed);

    EXPECT_EQ(m_listQuestions, c.expectQuestion ? std::vector<QString>{kCloseEarlyQuestion} : std::vector<QString>{});
    EXPECT_EQ(form.isVisible(), !c.expectClosed);
    EXPECT_EQ(m_event.Wait(0), c.expectResult);
    EXPECT_EQ(HandedOffText(), c.expectResult ? QString::fromLatin1(kTinyResultText) : QString());
    if (c.expectClosed) {
        // A second request (another tick at the end, the close button) hands off nothing more.
        form.close();
        EXPECT_FALSE(m_event.Wait(0));
        EXPECT_EQ(m_listQuestions.size(), c.expectQuestion ? 1u : 0u);
        return;
    }
    // Cancel: back to the state before the question, the play button showing it.
    EXPECT_EQ(form.State().m_bPlaying, !c.paused);
    EXPECT_EQ(BASS_ChannelIsActive(voice), c.paused ? kActiveStopped : kActivePlaying);
    EXPECT_EQ(play->toolTip() == QStringLiteral("일시정지중"), c.paused);
    if (c.paused) {
        EXPECT_EQ(BASS_ChannelGetPosition(voice, kPosByte), heardBefore);
    } else {
        EXPECT_GE(BASS_ChannelGetPosition(voice, kPosByte), heardBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TCloseQuery,
    ::testing::Values(
        TCloseCase{"SupervisedEarlyCancel", QString::fromLatin1(kTinyLaunchText), false, false, false, true, false, false},
        TCloseCase{"SupervisedEarlyCancelWhilePaused", QString::fromLatin1(kTinyLaunchText), true, false, false, true, false,
                   false},
        TCloseCase{"SupervisedEarlyOk", QString::fromLatin1(kTinyLaunchText), false, false, true, true, true, false},
        TCloseCase{"SupervisedAtEnd", QString::fromLatin1(kTinyLaunchText), false, true, false, false, true, true},
        TCloseCase{"SupervisedPausedAtEnd", QString::fromLatin1(kTinyLaunchText), true, true, false, false, true, true},
        TCloseCase{"OtherModeEarly", kOtherModeLaunchText, false, false, false, false, true, false},
        TCloseCase{"OtherModeAtEnd", kOtherModeLaunchText, false, true, false, false, true, true}),
    [](const ::testing::TestParamInfo<TCloseCase>& info) { return std::string(info.param.name); });

TEST_F(TFormTest, UnreadableLaunchTextLeavesAWindowThatShowsTheErrorAndCloses)
{
    TForm1& form = StartForm(QStringLiteral("A&S1&U1&x"));
    ASSERT_EQ(m_listMessages.size(), 1u);
    EXPECT_EQ(m_listMessages[0].first, TMessageKind::Error);
    EXPECT_EQ(form.size(), QSize(TForm1::kFailedStartUpWidth, TForm1::kFailedStartUpHeight));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    ExpectClosesQuietlyAfterAFailedStartUp(form, m_listQuestions, m_event);
}

// A session whose pages have no usable voice and no fallback track could not be heard: the
// start-up ends with one message that names what is missing, and closing hands off nothing, even
// in supervised study where a started session at its end would hand off.
TEST_F(TFormTest, SessionWithoutAnyVoiceEndsTheStartUpAndHandsOffNothing)
{
    const QString base = SessionBasePath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), "S1", "U1");
    for (const QString& key : {QStringLiteral("1234"), QStringLiteral("57")}) {
        const QString lecture = LectureNameOf(MakeLectureFileName(1, 0, key).value_or(QString()));
        ASSERT_TRUE(QFile::remove(JoinPath(PageFolder(base, lecture, QStringLiteral("p1")), QStringLiteral("sound.dat"))));
    }
    const QTemporaryDir programFolder;   // no fallback voice in it
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText), programFolder.path());
    EXPECT_FALSE(form.IsStartedUp());
    ASSERT_EQ(m_listMessages.size(), 1u);
    EXPECT_EQ(m_listMessages[0].first, TMessageKind::Error);
    EXPECT_TRUE(m_listMessages[0].second.contains(QStringLiteral("sound.dat"))) << m_listMessages[0].second.toStdString();
    EXPECT_TRUE(m_listMessages[0].second.contains(QDir::toNativeSeparators(programFolder.path())));
    EXPECT_FALSE(WaitUntilClosed(1000)) << "a session nobody heard closed by itself";
    ExpectClosesQuietlyAfterAFailedStartUp(form, m_listQuestions, m_event);
}

// Lectures whose catalogues hold no readable page: the start-up ends with the message, and
// closing asks nothing and hands off nothing.
TEST_F(TFormTest, LecturesWithoutAReadablePageEndTheStartUp)
{
    const QString base = SessionBasePath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), "S1", "U1");
    for (const QString& key : {QStringLiteral("1234"), QStringLiteral("57")}) {
        const QString file = MakeLectureFileName(1, 0, key).value_or(QString());
        ASSERT_TRUE(QFile::remove(JoinPath(LectureFolder(base, file), QStringLiteral("lectureinfo.xml"))));
    }
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    EXPECT_EQ(m_listMessages, (std::vector<std::pair<TMessageKind, QString>>{
                                  {TMessageKind::Error, QStringLiteral("재생할 강의 페이지가 없습니다.")}}));
    ExpectClosesQuietlyAfterAFailedStartUp(form, m_listQuestions, m_event);
}

TEST_F(TFormTest, RefusedAudioLibraryEndsTheStartUpBeforeTheCatalogue)
{
    // The library is taken already, so the window's own initialisation is refused.
    ASSERT_TRUE(BASS_Init(kNoSoundDevice, 44100, 0, nullptr, nullptr));
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    BASS_Free();
    ASSERT_EQ(m_listMessages.size(), 1u);
    EXPECT_EQ(m_listMessages[0], std::make_pair(TMessageKind::Warning, QStringLiteral("음원 DLL 초기화 작업에 실패하였습니다.")));
    EXPECT_EQ(form.State().m_intAllMileSecond, 0);
    ExpectClosesQuietlyAfterAFailedStartUp(form, m_listQuestions, m_event);
}

} // namespace
