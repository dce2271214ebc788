// The transport controls: speed limits and texts, speed changes while paused, volume.

#include "PlaybackTestSupport.h"

#include <functional>

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
    // The study mode changes between cases, which no session does: the warm-up, which reads it,
    // stays off.
    m_bWarmUp = false;
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

// Paused, a speed key changes the speed fully: the texts say it at once and the paused voice
// resumes at the new tempo, as does the next page's voice.
TEST_F(TransportTest, SpeedChangedWhilePausedTakesEffectAtOnce)
{
    StartTwoPages();
    m_engine->btnPlayMouseUp();
    m_view.m_sStatusMessage.clear();
    m_engine->btnPlaySpeedUpMouseUp();
    m_engine->btnPlaySpeedUpMouseUp();
    EXPECT_EQ(m_state.m_intPlaySpeed, 20);
    EXPECT_EQ(m_view.m_sStatusMessage, QStringLiteral("재생속도 : 120%"));
    EXPECT_EQ(m_view.m_sSpeedText, QStringLiteral("120%"));
    EXPECT_FALSE(m_view.m_bPlayButtonPlaying);   // the speed buttons stay as paused shows them

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
    EXPECT_NEAR(advanceOverTenTicks(), 864, 3);
    m_engine->tabLecturePageClick(1);
    EXPECT_NEAR(advanceOverTenTicks(), 864, 3);
}

// Whatever starts or stops the voice, the play button and the speed buttons show it: a pause, a
// page tab or a seek into another page (which play), the end of a page and of the last page.
TEST_F(TransportTest, PlayButtonFollowsEveryChangeOfThePlayingState)
{
    StartTwoPages();
    struct TStep {
        const char* what;
        std::function<void()> act;
        bool playing;
    };
    const TStep steps[] = {
        {"pause", [this] { m_engine->btnPlayMouseUp(); }, false},
        {"tab of the other page", [this] { m_engine->tabLecturePageClick(1); }, true},
        {"pause again", [this] { m_engine->btnPlayMouseUp(); }, false},
        {"seek into the first page", [this] { m_engine->ScbPlayMovePositionUntilReDraw(500); }, true},
        {"played past the end of the last page",
         [this] {
             for (int i = 0; i < 200 && (m_state.m_nCurrentPlayPageIndex == 0 || m_state.m_bPlaying); ++i) {
                 Tick();
             }
         },
         false},
    };
    for (const TStep& step : steps) {
        step.act();
        EXPECT_EQ(m_state.m_bPlaying, step.playing) << step.what;
        EXPECT_EQ(m_view.m_bPlayButtonPlaying, step.playing) << step.what;
    }
}

// Every voice plays at the volume bar's value: the first at the bar's start value, a change at
// once, and every later page's voice at the last value.
TEST_F(TransportTest, EveryVoicePlaysAtTheVolumeBarsValue)
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
    const double first = loudness();
    m_engine->trbVolumeMouseUp(100);
    const double full = loudness();
    ASSERT_GT(full, 0.1);
    EXPECT_NEAR(first / full, TPlaybackEngine::kVolumeStart / 100.0, 0.02);
    m_engine->trbVolumeMouseUp(30);
    EXPECT_EQ(m_view.m_sStatusMessage, QStringLiteral("음성볼륨 : 30%"));
    EXPECT_EQ(m_view.m_sVolumeHint, QStringLiteral("음성볼륨 : 30%"));
    EXPECT_NEAR(loudness() / full, 0.3, 0.02);
    m_engine->tabLecturePageClick(1);
    EXPECT_NEAR(loudness() / full, 0.3, 0.02);
}

} // namespace
