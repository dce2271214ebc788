// Closing the window: the question of a supervised study left early, the hand-off at the end of
// the session, and closing in the other study modes.

#include "FormTestSupport.h"

#include "platform/audio/AudioLibrary.h"

namespace {

const QString kCloseEarlyQuestion =
    QStringLiteral("학습을 중간에 종료하면 결과를 전송하지 않습니다.\r\n종료할까요 ?");
const QString kOtherModeLaunchText = QStringLiteral("R&S1&U1&1&0&2&S9|,|1234&S9|,|57");

struct TCloseCase {
    const char* name;
    QString launchText;
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

class TCloseQuery : public TFormTest, public ::testing::WithParamInterface<TCloseCase> {};

TEST_P(TCloseQuery, AsksOnlyWhenASupervisedStudyIsLeftEarlyAndHandsOffOnlyAtTheEnd)
{
    const TCloseCase& c = GetParam();
    m_bAnswerOk = c.answerOk;
    TForm1& form = StartForm(c.launchText);
    ASSERT_TRUE(form.IsStartedUp());
    ASSERT_GT(form.State().m_intAllMileSecond, 0);
    ASSERT_TRUE(form.State().m_bPlaying);
    if (c.atEnd) {
        form.State().m_intCurrentMilesSecond = form.State().m_intAllMileSecond;
    }

    EXPECT_EQ(form.close(), c.expectClosed);

    EXPECT_EQ(m_listQuestions, c.expectQuestion ? std::vector<QString>{kCloseEarlyQuestion} : std::vector<QString>{});
    EXPECT_EQ(form.isVisible(), !c.expectClosed);
    EXPECT_EQ(m_event.Wait(0), c.expectResult);
    EXPECT_EQ(HandedOffText(), c.expectResult ? QString::fromLatin1(kTinyResultText) : QString());
    if (!c.expectClosed) {
        // Cancel: the voice plays on from where it stopped.
        EXPECT_TRUE(form.State().m_bPlaying);
        EXPECT_EQ(BASS_ChannelIsActive(form.Engine().GetPlayChannel()), kActivePlaying);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TCloseQuery,
    ::testing::Values(
        TCloseCase{"SupervisedEarlyCancel", QString::fromLatin1(kTinyLaunchText), false, false, true, false, false},
        TCloseCase{"SupervisedEarlyOk", QString::fromLatin1(kTinyLaunchText), false, true, true, true, false},
        TCloseCase{"SupervisedAtEnd", QString::fromLatin1(kTinyLaunchText), true, false, false, true, true},
        TCloseCase{"OtherModeEarly", kOtherModeLaunchText, false, false, false, true, false},
        TCloseCase{"OtherModeAtEnd", kOtherModeLaunchText, true, false, false, true, true}),
    [](const ::testing::TestParamInfo<TCloseCase>& info) { return std::string(info.param.name); });

// A start-up that failed leaves a window that says why and closes without asking, even in
// supervised study, and hands nothing off.
TEST_F(TFormTest, UnreadableLaunchTextLeavesAWindowThatShowsTheErrorAndCloses)
{
    TForm1& form = StartForm(QStringLiteral("A&S1&U1&x"));
    EXPECT_FALSE(form.IsStartedUp());
    ASSERT_EQ(m_listMessages.size(), 1u);
    EXPECT_EQ(m_listMessages[0].first, TMessageKind::Error);
    EXPECT_EQ(form.size(), QSize(TForm1::kFailedStartUpWidth, TForm1::kFailedStartUpHeight));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto* close = form.findChild<QWidget*>(QStringLiteral("btnStartUpFailureClose"));
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->isVisible());

    EXPECT_TRUE(form.close());
    EXPECT_TRUE(m_listQuestions.empty());
    EXPECT_FALSE(m_event.Wait(0));
}

TEST_F(TFormTest, RefusedAudioLibraryEndsTheStartUpBeforeTheCatalogue)
{
    // The library is taken already, so the window's own initialisation is refused.
    ASSERT_TRUE(BASS_Init(kNoSoundDevice, 44100, 0, nullptr, nullptr));
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    BASS_Free();
    EXPECT_FALSE(form.IsStartedUp());
    ASSERT_EQ(m_listMessages.size(), 1u);
    EXPECT_EQ(m_listMessages[0], std::make_pair(TMessageKind::Warning, QStringLiteral("음원 DLL 초기화 작업에 실패하였습니다.")));
    EXPECT_EQ(form.State().m_intAllMileSecond, 0);
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(m_listQuestions.empty());
    EXPECT_FALSE(m_event.Wait(0));
}

} // namespace
