#pragma once
// An output consumes the mixer's frames at its rate and tells which global output frame is
// being heard now. Positions of the streams are derived from that frame.

#include <atomic>
#include <chrono>
#include <cstdint>

class TAudioMixer;

// Nanoseconds of the monotonic clock (the same clock on every thread; safe in a callback).
inline int64_t AudioNowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Where an output stands: global frame u64Frame is heard at time n64HeardAtNs, frames follow at
// the output rate, and nothing past u64Rendered exists yet. One writer (the output's thread),
// readers anywhere; a sequence counter keeps the three values consistent without a lock.
class TOutputClock {
public:
    void Publish(uint64_t p_u64Frame, int64_t p_n64HeardAtNs, uint64_t p_u64Rendered);
    // The global frame heard at p_n64NowNs; never decreases between calls.
    uint64_t Heard(uint32_t p_u32Rate, int64_t p_n64NowNs) const;

private:
    std::atomic<uint32_t> m_u32Seq {0};
    std::atomic<uint64_t> m_u64Frame {0};
    std::atomic<int64_t> m_n64HeardAtNs {0};
    std::atomic<uint64_t> m_u64Rendered {0};
    mutable std::atomic<uint64_t> m_u64LastHeard {0};
};

class TAudioOutput {
public:
    explicit TAudioOutput(uint32_t p_u32Rate) : m_u32Rate(p_u32Rate) {}
    virtual ~TAudioOutput() = default;
    TAudioOutput(const TAudioOutput&) = delete;
    TAudioOutput& operator=(const TAudioOutput&) = delete;

    virtual const char* Kind() const = 0;
    uint32_t Rate() const { return m_u32Rate; }
    // Global output frame being heard now.
    virtual uint64_t HeardFrame() const = 0;
    // True when frames are rendered ahead by a thread of the output (the voices must then be
    // fed ahead by the feeder thread); false when the caller drives rendering.
    virtual bool IsRealTime() const { return true; }
    // Frames the output renders ahead of what is heard (its buffering), for sizing the rings.
    virtual uint32_t LatencyFrames() const { return 0; }
    // The output stopped working (a device that vanished); the engine then replaces it.
    virtual bool HasFailed() const { return false; }

private:
    uint32_t m_u32Rate;
};
