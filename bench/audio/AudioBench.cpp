// Prints, side by side in one run:
//  - the real-time factor of the whole playing path (decode + stretch + resample + mix) at
//    tempo 0 and +100, on one core: seconds of source audio per second of CPU (goal >= 200);
//  - the cost of measuring a 5-minute MP3's length as the catalogue does (open, length, free),
//    tagged and untagged (goals < 2 ms and < 20 ms).

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/audio/AudioLibrary.h"
#include "platform/audio/AudioTestOutput.h"

namespace {

double ThreadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

double WallSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

std::string DataFile(const char* name)
{
    return std::string(RAVO_BENCH_DATA) + "/" + name;
}

// Median wall time of opening a file, reading its length and freeing it.
double MeasureLengthMs(const std::string& path, int repeats)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const double start = WallSeconds();
        const HSTREAM stream = BASS_StreamCreateFile(kFalse, path.c_str(), 0, 0, kStreamDecode | kStreamPrescan);
        const QWORD length = BASS_ChannelGetLength(stream, kPosByte);
        BASS_StreamFree(stream);
        times.push_back((WallSeconds() - start) * 1000.0);
        if (stream == 0 || length == static_cast<QWORD>(-1))
            return -1.0;
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Plays the file on the manual output, so every step runs on this thread, and returns seconds of
// source audio per CPU second.
double RealTimeFactor(const std::string& path, float tempo, double outputSeconds)
{
    const HSTREAM load = BASS_StreamCreateFile(kFalse, path.c_str(), 0, 0, kStreamDecode | kStreamPrescan);
    const HSTREAM play = BASS_FX_TempoCreate(load, kTempoFlags);
    BASS_ChannelSetAttribute(play, kAttribTempo, tempo);
    const double cpuStart = ThreadCpuSeconds();
    BASS_ChannelPlay(play, kFalse);
    const QWORD startBytes = BASS_ChannelGetPosition(play, kPosByte);
    const uint64_t frames = static_cast<uint64_t>(outputSeconds * AudioOutputRate());
    for (uint64_t done = 0; done < frames; done += 1024)
        AudioManualAdvance(1024);
    const double cpu = ThreadCpuSeconds() - cpuStart;
    const double source = BASS_ChannelBytes2Seconds(play, BASS_ChannelGetPosition(play, kPosByte) - startBytes);
    BASS_StreamFree(play);
    BASS_StreamFree(load);
    return source / cpu;
}

}  // namespace

int main()
{
    std::printf("Length of a 5-minute MP3 (open + length + free, median of 21):\n");
    struct TLengthCase {
        const char* file;
        const char* label;
        double goalMs;
    };
    for (const TLengthCase& c : {TLengthCase {"voice_tagged.mp3", "44.1 kHz stereo CBR, tagged  ", 2.0},
                                 TLengthCase {"voice_untagged.mp3", "44.1 kHz stereo CBR, untagged", 20.0},
                                 TLengthCase {"voice22_vbr_tagged.mp3", "22 kHz mono VBR, tagged      ", 2.0},
                                 TLengthCase {"voice22_vbr_untagged.mp3", "22 kHz mono VBR, untagged    ", 20.0}}) {
        const double ms = MeasureLengthMs(DataFile(c.file), 21);
        std::printf("  %s %8.3f ms  (goal < %4.1f ms: %.1fx under)\n", c.label, ms, c.goalMs, c.goalMs / ms);
    }

    AudioUseManualOutput(true);
    BASS_Init(kDefaultDevice, 44100, 2, nullptr, nullptr);
    std::printf("Decode + stretch + resample + mix to 44.1 kHz, one core, 60 s of output:\n");
    for (const char* file : {"voice_tagged.mp3", "voice22_vbr_tagged.mp3"}) {
        for (const float tempo : {0.0f, 100.0f}) {
            const double factor = RealTimeFactor(DataFile(file), tempo, 60.0);
            std::printf("  %-24s tempo +%3.0f%%: %7.1f x real time (goal >= 200: %.2fx the goal)\n", file, tempo,
                        factor, factor / 200.0);
        }
    }
    BASS_Free();
    return 0;
}
