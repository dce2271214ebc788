#pragma once
// Sums the playing voices into the output's buffers. Render runs on the output's real-time
// thread (one caller at a time); Add and Remove come from the engine under its lock. Remove
// returns only when no Render still uses the voice.

#include <array>
#include <atomic>
#include <cstdint>

class TAudioVoice;

class TAudioMixer {
public:
    static constexpr size_t kSlots = 32;

    bool Add(TAudioVoice* p_pVoice);
    // false when a Render did not finish in time: the voice may still be in use and must not
    // be destroyed.
    bool Remove(TAudioVoice* p_pVoice);
    bool Contains(const TAudioVoice* p_pVoice) const;

    // Writes p_nFrames stereo frames (interleaved floats) to p_pOut; no lock, no allocation.
    void Render(float* p_pOut, uint32_t p_nFrames);
    // Global output frames rendered so far; the next Render starts at this index.
    uint64_t Rendered() const { return m_u64Rendered.load(std::memory_order_acquire); }

private:
    std::array<std::atomic<TAudioVoice*>, kSlots> m_slots {};
    std::atomic<uint64_t> m_u64Enter {0};
    std::atomic<uint64_t> m_u64Exit {0};
    std::atomic<uint64_t> m_u64Rendered {0};
};
