#include "platform/audio/AudioOutput.h"

#include <algorithm>

void TOutputClock::Publish(uint64_t p_u64Frame, int64_t p_n64HeardAtNs, uint64_t p_u64Rendered)
{
    const uint32_t seq = m_u32Seq.load(std::memory_order_relaxed);
    m_u32Seq.store(seq + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    m_u64Frame.store(p_u64Frame, std::memory_order_relaxed);
    m_n64HeardAtNs.store(p_n64HeardAtNs, std::memory_order_relaxed);
    m_u64Rendered.store(p_u64Rendered, std::memory_order_relaxed);
    m_u32Seq.store(seq + 2, std::memory_order_release);
}

uint64_t TOutputClock::Heard(uint32_t p_u32Rate, int64_t p_n64NowNs) const
{
    uint64_t frame = 0;
    int64_t heardAt = 0;
    uint64_t rendered = 0;
    for (;;) {
        const uint32_t before = m_u32Seq.load(std::memory_order_acquire);
        frame = m_u64Frame.load(std::memory_order_relaxed);
        heardAt = m_n64HeardAtNs.load(std::memory_order_relaxed);
        rendered = m_u64Rendered.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if ((before & 1) == 0 && m_u32Seq.load(std::memory_order_relaxed) == before)
            break;
    }
    const double offset = static_cast<double>(p_n64NowNs - heardAt) * p_u32Rate / 1e9;
    const double heard = std::clamp(static_cast<double>(frame) + offset, 0.0, static_cast<double>(rendered));
    const uint64_t result = std::max(static_cast<uint64_t>(heard), m_u64LastHeard.load(std::memory_order_relaxed));
    m_u64LastHeard.store(result, std::memory_order_relaxed);
    return result;
}
