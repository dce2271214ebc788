#pragma once
// Shared by the audio tests: the fixtures and their manifest, and a library opened on the
// manual output for the duration of a test.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/audio/AudioLibrary.h"
#include "platform/audio/AudioTestOutput.h"

inline std::string AudioFixture(const std::string& name)
{
    return std::string(RAVO_AUDIO_FIXTURES) + "/" + name;
}

struct TFixtureInfo {
    std::string name;
    DWORD rate = 0;
    DWORD chans = 0;
    int64_t samples = -1;  // -1: no info tag, the length is what the frames hold
    int64_t samplesPerFrame = 0;
};

inline std::vector<TFixtureInfo> FixtureManifest()
{
    std::vector<TFixtureInfo> list;
    std::ifstream in(AudioFixture("manifest.txt"));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        TFixtureInfo info;
        if (fields >> info.name >> info.rate >> info.chans >> info.samples >> info.samplesPerFrame)
            list.push_back(info);
    }
    return list;
}

// A decoding stream and its tempo stream on one file, freed at the end of the scope.
struct TVoicePair {
    HSTREAM load = 0;
    HSTREAM play = 0;

    explicit TVoicePair(const std::string& path, float tempo = 0.0f)
    {
        load = BASS_StreamCreateFile(kFalse, path.c_str(), 0, 0, kStreamDecode | kStreamPrescan | 0x10000);
        play = BASS_FX_TempoCreate(load, kTempoFlags);
        BASS_ChannelSetAttribute(play, kAttribTempo, tempo);
    }
    ~TVoicePair()
    {
        BASS_StreamFree(play);
        BASS_StreamFree(load);
    }
    TVoicePair(const TVoicePair&) = delete;
    TVoicePair& operator=(const TVoicePair&) = delete;

    DWORD BytesPerFrame() const
    {
        BASS_CHANNELINFO info;
        BASS_ChannelGetInfo(load, &info);
        return 2 * info.chans;
    }
    int64_t Position() const { return static_cast<int64_t>(BASS_ChannelGetPosition(play, kPosByte) / BytesPerFrame()); }
    int64_t Length() const { return static_cast<int64_t>(BASS_ChannelGetLength(play, kPosByte) / BytesPerFrame()); }
    bool SetPosition(int64_t frame) const
    {
        return BASS_ChannelSetPosition(play, static_cast<QWORD>(frame) * BytesPerFrame(), kPosByte) != 0;
    }
};

// The library on the manual output at 44,100 Hz: positions move only when the test advances it.
class ManualAudioTest : public ::testing::Test {
protected:
    static constexpr DWORD kOutputRate = 44100;

    void SetUp() override
    {
        AudioUseManualOutput(true);
        ASSERT_TRUE(BASS_Init(kDefaultDevice, kOutputRate, 2, nullptr, nullptr));
        ASSERT_STREQ(AudioOutputKind(), "manual");
    }
    void TearDown() override
    {
        BASS_Free();
        AudioUseManualOutput(false);
    }
};
