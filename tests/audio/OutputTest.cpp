// The real-time outputs: the silent output keeps time with the wall clock; the sound device
// (PortAudio's default output, here a PulseAudio null sink started by the test) keeps time with
// the device, and when it fails the silent output takes over without losing the position until
// the device is back.

#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "AudioTestSupport.h"
#include "platform/audio/DeviceWatchdog.h"

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

// Looks every 100 ms until p_done holds; false when it never did within 30 s, which only a
// fault explains (a starved sound server takes seconds, not half a minute).
template <class TDone>
bool WaitUntil(TDone p_done)
{
    for (int waited = 0; waited < 30000; waited += 100) {
        if (p_done())
            return true;
        Sleep(100);
    }
    return p_done();
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
    // Streams playing into the sink now (the sound server's own count).
    int Streams() const
    {
        const std::string command = "pactl --server=" + m_address + " list short sink-inputs 2>/dev/null | wc -l";
        FILE* pipe = popen(command.c_str(), "r");
        int count = -1;
        if (pipe) {
            if (std::fscanf(pipe, "%d", &count) != 1)
                count = -1;
            pclose(pipe);
        }
        return count;
    }

    // True once the sink's monitor carries sound (a sample beyond a tenth of full scale), within
    // 30 s: what plays into the sink is the voice, not silence. The monitor is read in windows of
    // 4 s (the null sink hands on sound in blocks of up to 2 s).
    bool HearsSound() const
    {
        const std::string command = "timeout 4 parec --server=" + m_address +
                                    " --device=ravo_null.monitor --raw --format=s16le --channels=1 --rate=8000"
                                    " 2>/dev/null | od -An -v -td2 -w2 2>/dev/null"
                                    " | awk '$1 > 3276 || $1 < -3276 { print \"sound\"; exit }'";
        for (int window = 0; window < 8; ++window) {
            FILE* pipe = popen(command.c_str(), "r");
            if (!pipe)
                return false;
            char word[8] = {};
            const bool heard = std::fscanf(pipe, "%7s", word) == 1 && std::string(word) == "sound";
            pclose(pipe);
            if (heard)
                return true;
        }
        return false;
    }

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

// Watchdog cases: a first look at 0.1 s, callbacks seen at 0.2 s (or 11 s), and the second look.
TEST(AudioOutput, DeviceWatchdogAllowsAStartUpThenCountsSilenceFromTheLastCallback)
{
    constexpr int64_t kS = 1'000'000'000;
    struct TCase {
        const char* name;
        uint64_t callbacksThen;  // at the second look
        int64_t secondLookNs;
        bool stalled;
    };
    const TCase cases[] = {
        {"no callback yet after 2 s (a slow sound server)", 0, 2 * kS, false},
        {"the buffer filled, then 9 s until the server consumes", 6, 9 * kS, false},
        {"no callback after 11 s", 0, 11 * kS, true},
        {"callbacks keep coming", 40, 11 * kS, false},
        {"callbacks stopped 1.5 s ago", 40, 11 * kS + 3 * kS / 2, true},
    };
    for (const TCase& c : cases) {
        TDeviceWatchdog watchdog(0);
        EXPECT_FALSE(watchdog.Stalled(0, kS / 10)) << c.name;
        if (c.callbacksThen > 0)
            EXPECT_FALSE(watchdog.Stalled(c.callbacksThen, c.secondLookNs > 10 * kS ? 11 * kS : kS / 5)) << c.name;
        EXPECT_EQ(watchdog.Stalled(c.callbacksThen, c.secondLookNs), c.stalled) << c.name;
    }
}

TEST(AudioOutput, DeviceConsumesTheVoiceAndIsReopenedAfterAFailure)
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
    EXPECT_FALSE(AudioDeviceMissing());
    // The device itself plays the voice: it is the output, the sound server has its one stream,
    // the voice is heard on the sink and the device's callbacks go on. Nothing here counts on the
    // server's pace: a server starved on a loaded machine only makes each wait longer.
    auto expectDevicePlays = [&](const char* p_pWhen) {
        EXPECT_STREQ(AudioOutputKind(), "device") << p_pWhen;
        EXPECT_EQ(sink.Streams(), 1) << p_pWhen;
        EXPECT_TRUE(sink.HearsSound()) << p_pWhen;
        const uint64_t callbacks = AudioDeviceCallbacks();
        EXPECT_TRUE(WaitUntil([&] { return AudioDeviceCallbacks() > callbacks + 10; })) << p_pWhen;
        EXPECT_STREQ(AudioOutputKind(), "device") << p_pWhen;
        EXPECT_EQ(sink.Streams(), 1) << p_pWhen;
    };
    {
        TVoicePair voice(AudioFixture("tone44s_long.mp3"));
        const auto start = TClock::now();
        ASSERT_TRUE(BASS_ChannelPlay(voice.play, kFalse));
        // A sound server takes a moment to start consuming (seconds on a loaded machine).
        ASSERT_TRUE(WaitUntil([&] { return PositionSeconds(voice) >= 0.1; }));
        const double first = PositionSeconds(voice);
        // What the device still holds is not counted: the position is behind the wall clock.
        EXPECT_LE(first, SecondsSince(start));
        expectDevicePlays("first opening");
        // The device consumed the voice on, never ahead of the wall clock.
        const double second = PositionSeconds(voice);
        const double secondAt = SecondsSince(start);
        EXPECT_GT(second, first);
        EXPECT_LE(second, secondAt);

        const double before = PositionSeconds(voice);
        const double beforeAt = SecondsSince(start);
        AudioSimulateDeviceFailure();
        EXPECT_TRUE(WaitUntil([] { return std::string(AudioOutputKind()) == "silent"; }));
        EXPECT_TRUE(AudioDeviceMissing());
        EXPECT_NE(BASS_ChannelIsActive(voice.play), kActiveStopped);
        // No position lost or skipped at the change of output: the silent output goes on from
        // where the device stopped (which stands still while a starved server lets the failing
        // stream close), never behind it and never ahead of the wall clock.
        const double third = PositionSeconds(voice);
        const double thirdAt = SecondsSince(start);
        EXPECT_GE(third, before);
        EXPECT_LE(third - before, thirdAt - beforeAt + 0.15);

        // The device is opened again after a short back-off, and plays the same voice on once the
        // server consumes again (more callbacks than the few that fill its buffer).
        EXPECT_TRUE(WaitUntil([] { return !AudioDeviceMissing() && AudioDeviceCallbacks() >= 30; }));
        expectDevicePlays("reopened");
        EXPECT_GT(PositionSeconds(voice), third);
        EXPECT_NE(BASS_ChannelIsActive(voice.play), kActiveStopped);
    }
    BASS_Free();
    unsetenv("PULSE_SERVER");
}
