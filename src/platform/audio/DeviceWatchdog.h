#pragma once
// Tells when a sound device has stopped working without reporting an error (pulled out, a sound
// server that went away): its callbacks stop coming. A new stream first makes a few quick
// callbacks that only fill its buffer, and a sound server may then take seconds before it starts
// consuming; so in its first seconds a device is given a generous start-up allowance, and only
// after that does a short silence count.

#include <cstdint>

class TDeviceWatchdog {
public:
    static constexpr int64_t kStartAllowanceNs = 10'000'000'000;  // from the start of the stream
    static constexpr int64_t kStallNs = 1'000'000'000;            // between callbacks once running

    explicit TDeviceWatchdog(int64_t p_n64StartedAtNs)
        : m_n64StartedAtNs(p_n64StartedAtNs), m_n64SeenAtNs(p_n64StartedAtNs)
    {
    }

    // p_u64Callbacks: callbacks made so far; true when the device counts as failed at p_n64NowNs.
    bool Stalled(uint64_t p_u64Callbacks, int64_t p_n64NowNs);

private:
    int64_t m_n64StartedAtNs;
    uint64_t m_u64SeenCallbacks = 0;
    int64_t m_n64SeenAtNs;
};
