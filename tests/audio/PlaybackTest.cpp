// Playing on the manual output: the position follows the frames heard, at tempo 0 and +100,
// through stop, play, seeks, tempo changes and the end of the track.

#include <cmath>

#include "AudioTestSupport.h"

namespace {

struct TTempoCase {
    const char* name;
    float tempo;
};

// Source frames per output frame.
double Ratio(const TFixtureInfo& fixture, float tempo)
{
    return (1.0 + tempo / 100.0) * fixture.rate / 44100.0;
}

TFixtureInfo Fixture(const std::string& name)
{
    for (const TFixtureInfo& fixture : FixtureManifest())
        if (fixture.name == name)
            return fixture;
    return {};
}

// The stretcher's sound lags its nominal time line by about half a sequence's worth of speed-up
// on average; the reported position carries that lag (0 at tempo 0, 18 ms at +100).
double MeanLag(const TFixtureInfo& fixture, float tempo)
{
    return tempo / 100.0 * 0.018 * fixture.rate;
}

}  // namespace

class AudioPlaybackTest : public ManualAudioTest, public ::testing::WithParamInterface<std::tuple<const char*, float>> {
};

TEST_P(AudioPlaybackTest, PositionFollowsTheFramesHeard)
{
    const auto [name, tempo] = GetParam();
    const TFixtureInfo fixture = Fixture(name);
    TVoicePair voice(AudioFixture(name), tempo);
    const int64_t start = fixture.rate / 4;
    ASSERT_TRUE(voice.SetPosition(start));
    ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
    EXPECT_EQ(BASS_ChannelIsActive(voice.play), kActivePlaying);
    EXPECT_EQ(voice.Position(), start);  // nothing heard yet

    const double ratio = Ratio(fixture, tempo);
    const uint64_t step = 441;  // 10 ms of output
    int64_t previous = voice.Position();
    const int steps = static_cast<int>((voice.Length() - start) / (step * ratio)) - 2;
    for (int i = 1; i <= steps; ++i) {
        ASSERT_TRUE(AudioManualAdvance(step));
        const int64_t position = voice.Position();
        const double nominal = start + i * step * ratio;
        // From the second sequence on, every 10 ms of output moves the position by exactly the
        // source time it holds (to the rounding of one frame)...
        // ...and stays near the nominal time less the stretcher's mean lag.
        if (i > 4) {
            EXPECT_NEAR(position - previous, step * ratio, 1.0) << "step " << i;
            EXPECT_NEAR(position, nominal - MeanLag(fixture, tempo), 2.0 + 0.002 * fixture.rate * tempo / 100.0)
                << "step " << i;
        }
        EXPECT_GE(position, previous);
        previous = position;
    }

    // Stopped, the position stays however long the output runs; play resumes there.
    ASSERT_TRUE(BASS_ChannelStop(voice.play));
    EXPECT_EQ(BASS_ChannelIsActive(voice.play), kActiveStopped);
    const int64_t stopped = voice.Position();
    EXPECT_NEAR(stopped, previous, 1.0);
    AudioManualAdvance(44100);
    EXPECT_EQ(voice.Position(), stopped);
    ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
    EXPECT_EQ(voice.Position(), stopped);
    AudioManualAdvance(step);
    EXPECT_GT(voice.Position(), stopped);
    EXPECT_LE(voice.Position(), stopped + step * ratio + 1);
}

TEST_P(AudioPlaybackTest, EndGivesTheExactLengthAndStops)
{
    const auto [name, tempo] = GetParam();
    TVoicePair voice(AudioFixture(name), tempo);
    const int64_t length = voice.Length();
    ASSERT_TRUE(voice.SetPosition(length - length / 10));
    ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
    int64_t previous = voice.Position();
    int steps = 0;
    while (BASS_ChannelIsActive(voice.play) != kActiveStopped && steps < 1000) {
        AudioManualAdvance(256);
        const int64_t position = voice.Position();
        EXPECT_GE(position, previous);
        EXPECT_LE(position, length);
        previous = position;
        ++steps;
    }
    EXPECT_LT(steps, 1000);
    EXPECT_EQ(voice.Position(), length);
    EXPECT_EQ(BASS_ChannelGetPosition(voice.play, kPosByte), BASS_ChannelGetLength(voice.play, kPosByte));
    AudioManualAdvance(4410);
    EXPECT_EQ(voice.Position(), length);
    EXPECT_EQ(BASS_ChannelIsActive(voice.play), kActiveStopped);
}

TEST_P(AudioPlaybackTest, SetPositionIsExactAtOnce)
{
    const auto [name, tempo] = GetParam();
    const TFixtureInfo fixture = Fixture(name);
    TVoicePair voice(AudioFixture(name), tempo);
    const int64_t length = voice.Length();
    // Stopped: the next play starts there.
    ASSERT_TRUE(voice.SetPosition(12345));
    EXPECT_EQ(voice.Position(), 12345);
    ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
    AudioManualAdvance(2205);
    // Playing: the new position is reported at once and playing goes on from it.
    for (const int64_t target : {length / 3, int64_t {7}, length - 1000, length / 2}) {
        ASSERT_TRUE(voice.SetPosition(target));
        EXPECT_EQ(voice.Position(), target);
        EXPECT_NE(BASS_ChannelIsActive(voice.play), kActiveStopped);
        AudioManualAdvance(441);
        EXPECT_GE(voice.Position(), target);
        EXPECT_LE(voice.Position(), target + 441 * Ratio(fixture, tempo) + 1);
    }
    EXPECT_FALSE(voice.SetPosition(length + 1));
    EXPECT_TRUE(voice.SetPosition(length));
}

INSTANTIATE_TEST_SUITE_P(TempoAndRate, AudioPlaybackTest,
                         ::testing::Combine(::testing::Values("tone22m.mp3", "noise44s_vbr.mp3", "chirp48s.mp3"),
                                            ::testing::Values(0.0f, 100.0f)));

TEST_F(ManualAudioTest, TempoChangeWhilePlayingNeitherJumpsNorStops)
{
    const TFixtureInfo fixture = Fixture("noise44s_vbr.mp3");
    TVoicePair voice(AudioFixture(fixture.name), 0.0f);
    ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
    AudioManualAdvance(8820);
    int64_t previous = voice.Position();
    const uint64_t step = 256;
    for (const float tempo : {100.0f, 0.0f, 50.0f}) {
        ASSERT_TRUE(BASS_ChannelSetAttribute(voice.play, kAttribTempo, tempo));
        for (int i = 0; i < 60; ++i) {
            AudioManualAdvance(step);
            const int64_t delta = voice.Position() - previous;
            // Never backwards, never more than the fastest tempo covers, never standing still.
            EXPECT_GT(delta, 0);
            EXPECT_LE(delta, static_cast<int64_t>(2 * step + 1));
            previous += delta;
        }
        // Once the frames ahead are heard, the new tempo holds.
        AudioManualAdvance(44100 / 5);
        previous = voice.Position();
        AudioManualAdvance(step);
        EXPECT_NEAR(voice.Position() - previous, step * Ratio(fixture, tempo), 1.0) << tempo;
        previous = voice.Position();
    }
}

TEST_F(ManualAudioTest, PauseStopAndActivity)
{
    TVoicePair voice(AudioFixture("tone22m.mp3"));
    EXPECT_EQ(BASS_ChannelIsActive(voice.play), kActiveStopped);
    EXPECT_FALSE(BASS_ChannelPause(voice.play));  // nothing playing
    ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
    ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));  // already playing: goes on, no restart
    AudioManualAdvance(4410);
    const int64_t before = voice.Position();
    EXPECT_GT(before, 0);
    ASSERT_TRUE(BASS_ChannelPause(voice.play));
    EXPECT_EQ(BASS_ChannelIsActive(voice.play), kActivePaused);
    AudioManualAdvance(4410);
    EXPECT_EQ(voice.Position(), before);
    ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
    EXPECT_EQ(BASS_ChannelIsActive(voice.play), kActivePlaying);
    ASSERT_TRUE(BASS_ChannelStop(voice.play));
    EXPECT_TRUE(BASS_ChannelStop(voice.play));
    EXPECT_EQ(BASS_ChannelIsActive(voice.play), kActiveStopped);
    // The decoding stream under a tempo stream is not playable by itself.
    EXPECT_FALSE(BASS_ChannelPlay(voice.load, kFalse));
    EXPECT_FALSE(BASS_ChannelSetAttribute(voice.load, kAttribTempo, 10.0f));
}

TEST_F(ManualAudioTest, DamagedFilesPlayToTheirLength)
{
    for (const char* name : {"truncated.mp3", "garbage_middle.mp3"}) {
        SCOPED_TRACE(name);
        TVoicePair voice(AudioFixture(name), 100.0f);
        ASSERT_NE(voice.play, 0u);
        const int64_t length = voice.Length();
        ASSERT_GT(length, 0);
        ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
        for (int i = 0; i < 400 && BASS_ChannelIsActive(voice.play) != kActiveStopped; ++i)
            AudioManualAdvance(4410);
        EXPECT_EQ(BASS_ChannelIsActive(voice.play), kActiveStopped);
        EXPECT_EQ(voice.Position(), length);
    }
}

namespace {

// Mean frequency of the left channel from its rising zero crossings.
double ToneFrequency(const std::vector<float>& stereo, double rate)
{
    int first = -1;
    int last = -1;
    int crossings = 0;
    for (size_t i = 1; i < stereo.size() / 2; ++i) {
        if (stereo[2 * (i - 1)] < 0.0f && stereo[2 * i] >= 0.0f) {
            if (first < 0)
                first = static_cast<int>(i);
            last = static_cast<int>(i);
            ++crossings;
        }
    }
    return crossings > 1 ? (crossings - 1) * rate / (last - first) : 0.0;
}

}  // namespace

TEST_F(ManualAudioTest, ToneKeepsItsPitchAtEveryRateAndTempo)
{
    for (const char* name : {"tone22m.mp3", "tone8m.mp3"}) {
        for (const float tempo : {0.0f, 50.0f, 100.0f}) {
            SCOPED_TRACE(std::string(name) + " at +" + std::to_string(tempo));
            TVoicePair voice(AudioFixture(name), tempo);
            ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
            std::vector<float> out(2 * 22050);
            AudioManualAdvance(4410);  // past the start
            ASSERT_TRUE(AudioManualAdvance(22050, out.data()));
            EXPECT_NEAR(ToneFrequency(out, 44100.0), 440.0, 2.0);
            float peak = 0.0f;
            for (float sample : out)
                peak = std::max(peak, std::fabs(sample));
            EXPECT_NEAR(peak, 0.5f, 0.08f);
            BASS_ChannelStop(voice.play);
        }
    }
}

TEST_F(ManualAudioTest, SeveralStreamsPlayAtOnceWithTheirOwnVolume)
{
    TVoicePair voice(AudioFixture("tone22m.mp3"));
    TVoicePair clip(AudioFixture("chirp48s.mp3"), 50.0f);
    ASSERT_TRUE(BASS_ChannelSetAttribute(voice.play, kAttribVolume, 0.0f));
    ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
    std::vector<float> out(2 * 4410);
    AudioManualAdvance(4410, out.data());
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float s) { return s == 0.0f; }));  // silent, yet playing
    ASSERT_TRUE(BASS_ChannelPlay(clip.play, kFalse));
    AudioManualAdvance(4410);
    const int64_t voiceAt = voice.Position();
    const int64_t clipAt = clip.Position();
    AudioManualAdvance(44100);
    EXPECT_NEAR(voice.Position() - voiceAt, 22050, 1.0);
    EXPECT_NEAR(clip.Position() - clipAt, 72000, 1.0);

    ASSERT_TRUE(BASS_ChannelSetAttribute(voice.play, kAttribVolume, 1.0f));
    ASSERT_TRUE(BASS_ChannelPause(clip.play));
    AudioManualAdvance(4410);
    AudioManualAdvance(4410, out.data());
    float peak = 0.0f;
    for (float sample : out)
        peak = std::max(peak, std::fabs(sample));
    EXPECT_NEAR(peak, 0.5f, 0.08f);
    ASSERT_TRUE(BASS_ChannelSetAttribute(voice.play, kAttribVolume, 0.5f));
    AudioManualAdvance(4410);
    AudioManualAdvance(4410, out.data());
    peak = 0.0f;
    for (float sample : out)
        peak = std::max(peak, std::fabs(sample));
    EXPECT_NEAR(peak, 0.25f, 0.04f);
}

TEST(AudioLibraryLife, PlayingNeedsInitAndFreeReleasesEverything)
{
    AudioUseManualOutput(true);
    TVoicePair before(AudioFixture("tone22m.mp3"));
    EXPECT_FALSE(BASS_ChannelPlay(before.play, kFalse));  // not initialised
    ASSERT_TRUE(BASS_Init(kDefaultDevice, 44100, 2, nullptr, nullptr));
    EXPECT_FALSE(BASS_Init(kDefaultDevice, 44100, 2, nullptr, nullptr));  // once only
    EXPECT_TRUE(BASS_ChannelPlay(before.play, kFalse));
    AudioManualAdvance(441);
    EXPECT_TRUE(BASS_Free());
    EXPECT_EQ(BASS_ChannelGetLength(before.play, kPosByte), static_cast<QWORD>(-1));
    EXPECT_FALSE(BASS_Free());
    EXPECT_STREQ(AudioOutputKind(), "");
    EXPECT_FALSE(AudioManualAdvance(441));
    AudioUseManualOutput(false);
}
