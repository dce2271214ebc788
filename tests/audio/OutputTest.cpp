// The real-time outputs: the silent output keeps time with the wall clock; the sound device
// (PortAudio's default output, here a PulseAudio null sink started by the test) keeps time with
// the device, and when it fails the silent output takes over without losing the position.

#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "AudioTestSupport.h"

namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point start)
{
    return std::chrono::duration<double>(TClock::now() - start).count();
}

double PositionSeconds(const TVoicePair& voice)
{
    return BASS_ChannelBytes2Seconds(voice.play, BASS_ChannelGetPosition(voice.play, kPosByte));
}

void Sleep(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A PulseAudio server with a null sink for the life of the object; Address() is empty when it
// could not be started.
class TNullSink {
public:
    TNullSink()
    {
        const std::string command = std::string(RAVO_AUDIO_NULL_SINK) + " start " + m_dir.path().toStdString() +
                                    " > " + m_dir.path().toStdString() + "/address";
        if (std::system(command.c_str()) == 0)
            m_address = "unix:" + m_dir.path().toStdString() + "/native";
    }
    ~TNullSink()
    {
        const std::string command = std::string(RAVO_AUDIO_NULL_SINK) + " stop " + m_dir.path().toStdString();
        (void)std::system(command.c_str());
    }
    const std::string& Address() const { return m_address; }

private:
    QTemporaryDir m_dir;
    std::string m_address;
};

}  // namespace

TEST(AudioOutput, SilentOutputKeepsTimeWithTheWallClock)
{
    ASSERT_TRUE(BASS_Init(kNoSoundDevice, 44100, 2, nullptr, nullptr));
    EXPECT_STREQ(AudioOutputKind(), "silent");
    {
        TVoicePair voice(AudioFixture("tone22m.mp3"), 100.0f);
        const auto start = TClock::now();
        ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
        Sleep(400);
        // Twice the wall clock, less the stretcher's mean lag and the output's lead (about 10
        // ms); a loaded machine may only make it later.
        const double position = PositionSeconds(voice);
        const double elapsed = SecondsSince(start);
        EXPECT_LE(position, 2 * elapsed);
        EXPECT_GE(position, 2 * elapsed - 0.2);
        ASSERT_TRUE(BASS_ChannelStop(voice.play));
        const double stopped = PositionSeconds(voice);
        Sleep(100);
        EXPECT_EQ(PositionSeconds(voice), stopped);
    }
    BASS_Free();
}

TEST(AudioOutput, DeviceOutputFollowsTheDeviceAndFailsOverToSilence)
{
    TNullSink sink;
    if (sink.Address().empty())
        GTEST_SKIP() << "no PulseAudio server could be started";
    setenv("PULSE_SERVER", sink.Address().c_str(), 1);
    ASSERT_TRUE(BASS_Init(kDefaultDevice, 44100, 2, nullptr, nullptr));
    const std::string kind = AudioOutputKind();
    if (kind != "device") {
        BASS_Free();
        unsetenv("PULSE_SERVER");
        GTEST_SKIP() << "PortAudio's default device did not open on the null sink";
    }
    {
        TVoicePair voice(AudioFixture("noise44s_vbr.mp3"));
        const auto start = TClock::now();
        ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
        // A sound server takes a moment to start consuming (longer on a loaded machine); then it
        // runs at its own pace.
        double first = 0.0;
        double firstAt = 0.0;
        do {
            Sleep(100);
            first = PositionSeconds(voice);
            firstAt = SecondsSince(start);
        } while (first < 0.1 && firstAt < 5.0);
        // What the device still holds is not counted: the position is behind the wall clock.
        EXPECT_LE(first, firstAt);
        EXPECT_GE(first, 0.1);
        Sleep(700);
        const double second = PositionSeconds(voice);
        const double secondAt = SecondsSince(start);
        EXPECT_NEAR(second - first, secondAt - firstAt, 0.1);  // the device's pace

        AudioSimulateDeviceFailure();
        Sleep(700);
        EXPECT_STREQ(AudioOutputKind(), "silent");
        EXPECT_NE(BASS_ChannelIsActive(voice.play), kActiveStopped);
        const double third = PositionSeconds(voice);
        const double thirdAt = SecondsSince(start);
        // No position lost or skipped at the change of output.
        EXPECT_NEAR(third - second, thirdAt - secondAt, 0.15);
    }
    BASS_Free();
    unsetenv("PULSE_SERVER");
}
