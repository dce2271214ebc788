// The transport controls: speed limits and texts, speed changes while paused, volume.

#include "PlaybackTestSupport.h"

namespace {

class TransportTest : public PlaybackTest {
protected:
    void StartTwoPages()
    {
        WriteSession({{{"a", SamplesOf(3000), {}}, {"b", SamplesOf(3000), {}}}});
        Start();
    }
};

TEST_F(TransportTest, SpeedStopsAtItsLimitAndShowsTheTextsAgain)
{
    struct Case {
        const char* mode;
        int presses;
        int limit;
    };
    for (const Case c : {Case{"A", 4, 130}, Case{"R", 11, 200}}) {
        SCOPED_TRACE(c.mode);
        g_studyInfo.study_mode = QString::fromLatin1(c.mode);
        if (!m_engine) {
            StartTwoPages();
        }
        m_state.m_intPlaySpeed = 0;
        for (int i = 0; i < c.presses; ++i) {
            m_view.m_sStatusMessage.clear();
            m_engine->btnPlaySpeedUpMouseUp();
            const int expected = std::min(100 + 10 * (i + 1), c.limit);
            EXPECT_EQ(m_view.m_sStatusMessage, QStringLiteral("재생속도 : %1%").arg(expected));
            EXPECT_EQ(m_view.m_sSpeedText, QStringLiteral("%1%").arg(expected));
        }
        EXPECT_EQ(m_state.m_intPlaySpeed, c.limit - 100);
    }
    m_state.m_intPlaySpeed = 0;
    m_view.m_sStatusMessage.clear();
    m_engine->btnPlaySpeedDownMouseUp();
    EXPECT_EQ(m_state.m_intPlaySpeed, 0);
    EXPECT_EQ(m_view.m_sStatusMessage, QStringLiteral("재생속도 : 100%"));
    // A panel over the board: the buttons do nothing.
    m_state.m_bActivateView = true;
    m_engine->btnPlaySpeedUpMouseUp();
    m_engine->btnPlayMouseUp();
    EXPECT_EQ(m_state.m_intPlaySpeed, 0);
    EXPECT_TRUE(m_state.m_bPlaying);
}

// Paused, a speed key changes the speed silently; the paused page resumes at its old tempo and
// the next page's voice plays at the new one.
TEST_F(TransportTest, SpeedChangedWhilePausedTakesEffectWithTheNextPage)
{
    StartTwoPages();
    m_engine->btnPlayMouseUp();
    m_view.m_sStatusMessage.clear();
    m_view.m_sSpeedText = QStringLiteral("100%");
    m_engine->btnPlaySpeedUpMouseUp();
    m_engine->btnPlaySpeedUpMouseUp();
    EXPECT_EQ(m_state.m_intPlaySpeed, 20);
    EXPECT_TRUE(m_view.m_sStatusMessage.isEmpty());
    EXPECT_EQ(m_view.m_sSpeedText, QStringLiteral("100%"));

    const auto advanceOverTenTicks = [this] {
        for (int i = 0; i < 5; ++i) {
            Tick();   // past the stretcher's start
        }
        const uint32_t from = m_state.m_dCurrentPlayPosition;
        for (int i = 0; i < 10; ++i) {
            Tick();
        }
        return static_cast<int>(m_state.m_dCurrentPlayPosition - from);
    };
    m_engine->btnPlayMouseUp();
    EXPECT_NEAR(advanceOverTenTicks(), 720, 3);
    m_engine->tabLecturePageClick(1);
    EXPECT_NEAR(advanceOverTenTicks(), 864, 3);
}

// The volume applies to the voice at once and to every later page's voice.
TEST_F(TransportTest, VolumeAppliesNowAndToLaterPages)
{
    StartTwoPages();
    const auto loudness = [] {
        std::vector<float> out(2 * 4410);
        AudioManualAdvance(4410);
        AudioManualAdvance(4410, out.data());
        double sum = 0;
        for (const float sample : out) {
            sum += static_cast<double>(sample) * sample;
        }
        return std::sqrt(sum / static_cast<double>(out.size()));
    };
    const double full = loudness();
    ASSERT_GT(full, 0.1);
    m_engine->trbVolumeMouseUp(30);
    EXPECT_EQ(m_view.m_sStatusMessage, QStringLiteral("음성볼륨 : 30%"));
    EXPECT_EQ(m_view.m_sVolumeHint, QStringLiteral("음성볼륨 : 30%"));
    EXPECT_NEAR(loudness() / full, 0.3, 0.02);
    m_engine->tabLecturePageClick(1);
    EXPECT_NEAR(loudness() / full, 0.3, 0.02);
}

} // namespace
