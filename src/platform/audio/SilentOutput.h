#pragma once
// The output of a machine without sound: a thread consumes the mixer's frames at the output
// rate, so positions advance with the wall clock exactly as they would on a device.

#include <atomic>
#include <thread>
#include <vector>

#include "platform/audio/AudioOutput.h"

class TSilentOutput : public TAudioOutput {
public:
    // Global frame p_u64HeardFrom is heard now: taking over from a failed device, the frames it
    // had rendered but not yet played are heard next, so no position is skipped.
    TSilentOutput(TAudioMixer& p_mixer, uint32_t p_u32Rate, uint64_t p_u64HeardFrom);
    ~TSilentOutput() override;

    const char* Kind() const override { return "silent"; }
    uint64_t HeardFrame() const override;
    uint32_t LatencyFrames() const override;

private:
    void Run();

    TAudioMixer& m_mixer;
    TOutputClock m_clock;
    std::vector<float> m_buffer;
    uint64_t m_u64StartFrame;
    int64_t m_n64StartNs;
    std::atomic<bool> m_bStop {false};
    std::thread m_thread;
};
