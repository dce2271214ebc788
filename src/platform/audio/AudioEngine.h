#pragma once
// The engine behind the audio library calls: the table of stream handles, the mixer, the
// active output and the feeder thread that decodes and stretches ahead of the outputs.
//
// Every public call takes the engine's lock; the feeder thread takes it for each round of
// feeding. The outputs' real-time threads never take it.

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio/AudioLibraryTypes.h"

class TAudioMixer;
class TAudioOutput;
class TAudioVoice;

class TAudioEngine {
public:
    static TAudioEngine& Instance();
    ~TAudioEngine();

    bool Init(int p_nDevice, DWORD p_u32Freq);
    bool Free();

    HSTREAM CreateFileStream(const std::string& p_strUtf8Path, DWORD p_u32Flags);
    HSTREAM CreateTempoStream(HSTREAM p_hSource, DWORD p_u32Flags);
    bool FreeStream(HSTREAM p_hStream);

    bool SetAttribute(DWORD p_hStream, DWORD p_u32Attrib, float p_fValue);
    bool GetInfo(DWORD p_hStream, BASS_CHANNELINFO* p_pInfo);
    QWORD GetLength(DWORD p_hStream);
    double BytesToSeconds(DWORD p_hStream, QWORD p_u64Bytes);
    QWORD SecondsToBytes(DWORD p_hStream, double p_dSeconds);

    bool Play(DWORD p_hStream);
    bool Stop(DWORD p_hStream, bool p_bPause);
    DWORD IsActive(DWORD p_hStream);
    QWORD GetPosition(DWORD p_hStream);
    bool SetPosition(DWORD p_hStream, QWORD p_u64Bytes);

    // Test control (AudioTestOutput.h).
    void UseManualOutput(bool p_bManual);
    bool ManualAdvance(uint64_t p_nFrames, float* p_pStereoOut);
    const char* OutputKind();
    uint32_t OutputRate();
    void SimulateDeviceFailure();
    uint64_t DeviceCallbacks();
    // A sound device was asked for and the silent output stands in for it.
    bool DeviceMissing();

private:
    struct TStream;
    enum class TPlayState { Stopped, Playing, Paused };

    TAudioEngine() = default;
    TStream* Find(DWORD p_hStream);
    TStream* FindTempo(DWORD p_hStream);
    size_t TargetFrames() const;
    size_t RingFrames() const;
    void StartVoice(TStream& p_stream);
    void Detach(TStream& p_stream);
    double CurrentSource(TStream& p_stream);
    void FinishIfEnded(TStream& p_stream);
    // Tops up the rings of the voices playing; false when none plays.
    bool FeedAll();
    void FeederLoop();
    void StopFeeder();
    void FailOverIfNeeded();
    std::unique_ptr<TAudioOutput> StartedDevice(uint32_t p_u32Rate, uint64_t p_u64HeardFrom);
    void ReopenDeviceIfDue(std::unique_lock<std::mutex>& p_lock);

    std::mutex m_mutex;
    std::map<DWORD, std::unique_ptr<TStream>> m_streams;
    DWORD m_hNext = 1;
    bool m_bInit = false;
    bool m_bUseManual = false;
    bool m_bWantDevice = false;
    int64_t m_n64RetryDelayNs = 0;
    int64_t m_n64RetryAtNs = 0;
    std::unique_ptr<TAudioMixer> m_mixer;
    std::unique_ptr<TAudioOutput> m_output;
    // Voices that a stuck output thread might still touch: kept alive until the output is gone.
    std::vector<std::unique_ptr<TAudioVoice>> m_retired;
    std::thread m_feeder;
    std::condition_variable m_wake;
    bool m_bStopFeeder = false;
};
