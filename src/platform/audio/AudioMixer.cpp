#include "platform/audio/AudioMixer.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/audio/AudioVoice.h"

bool TAudioMixer::Add(TAudioVoice* p_pVoice)
{
    for (auto& slot : m_slots) {
        if (slot.load(std::memory_order_relaxed) == nullptr) {
            slot.store(p_pVoice, std::memory_order_release);
            return true;
        }
    }
    return false;
}

bool TAudioMixer::Contains(const TAudioVoice* p_pVoice) const
{
    return std::any_of(m_slots.begin(), m_slots.end(),
                       [&](const auto& slot) { return slot.load(std::memory_order_relaxed) == p_pVoice; });
}

bool TAudioMixer::Remove(TAudioVoice* p_pVoice)
{
    bool found = false;
    for (auto& slot : m_slots) {
        if (slot.load(std::memory_order_relaxed) == p_pVoice) {
            slot.store(nullptr, std::memory_order_seq_cst);
            found = true;
        }
    }
    if (!found)
        return true;
    // A Render that began before the slot was cleared may still hold the voice: wait for it.
    // Renders are short; a stuck output thread is given up on after a second.
    const uint64_t entered = m_u64Enter.load(std::memory_order_seq_cst);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (m_u64Exit.load(std::memory_order_acquire) < entered && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    return m_u64Exit.load(std::memory_order_acquire) >= entered;
}

void TAudioMixer::Render(float* p_pOut, uint32_t p_nFrames)
{
    m_u64Enter.fetch_add(1, std::memory_order_seq_cst);
    const uint64_t global = m_u64Rendered.load(std::memory_order_relaxed);
    std::fill(p_pOut, p_pOut + 2 * static_cast<size_t>(p_nFrames), 0.0f);
    for (auto& slot : m_slots) {
        if (TAudioVoice* voice = slot.load(std::memory_order_seq_cst))
            voice->MixInto(p_pOut, p_nFrames, global);
    }
    for (size_t i = 0; i < 2 * static_cast<size_t>(p_nFrames); ++i)
        p_pOut[i] = std::clamp(p_pOut[i], -1.0f, 1.0f);
    m_u64Rendered.store(global + p_nFrames, std::memory_order_release);
    m_u64Exit.fetch_add(1, std::memory_order_release);
}
