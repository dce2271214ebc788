#pragma once
// Single-producer single-consumer ring of fixed-size items: wait-free on both sides, no
// allocation after construction. Counters run freely (64-bit), the capacity is a power of two.
// Reset only while neither side is active.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

template <typename T>
class TSpscRing {
public:
    // p_nCapacity items of p_nItemWidth values each (for audio: frames of interleaved samples).
    explicit TSpscRing(size_t p_nCapacity, size_t p_nItemWidth = 1)
        : m_nWidth(p_nItemWidth)
    {
        size_t capacity = 1;
        while (capacity < p_nCapacity)
            capacity <<= 1;
        m_nMask = capacity - 1;
        m_buffer.assign(capacity * m_nWidth, T {});
    }

    size_t Capacity() const { return m_nMask + 1; }
    uint64_t WriteCount() const { return m_nWrite.load(std::memory_order_acquire); }
    uint64_t ReadCount() const { return m_nRead.load(std::memory_order_acquire); }
    size_t Available() const { return static_cast<size_t>(WriteCount() - ReadCount()); }
    size_t Free() const { return Capacity() - Available(); }

    // Producer: copies up to p_nCount items; returns how many were taken.
    size_t Write(const T* p_pItems, size_t p_nCount)
    {
        const uint64_t write = m_nWrite.load(std::memory_order_relaxed);
        const uint64_t read = m_nRead.load(std::memory_order_acquire);
        const size_t count = std::min(p_nCount, Capacity() - static_cast<size_t>(write - read));
        for (size_t done = 0; done < count;) {
            const size_t at = static_cast<size_t>((write + done) & m_nMask);
            const size_t run = std::min(count - done, Capacity() - at);
            std::copy_n(p_pItems + done * m_nWidth, run * m_nWidth, m_buffer.data() + at * m_nWidth);
            done += run;
        }
        m_nWrite.store(write + count, std::memory_order_release);
        return count;
    }

    // Consumer: the items readable now, as up to two contiguous runs, without consuming them.
    size_t Peek(size_t p_nMax, const T** p_pFirst, size_t* p_pFirstCount, const T** p_pSecond) const
    {
        const uint64_t read = m_nRead.load(std::memory_order_relaxed);
        const uint64_t write = m_nWrite.load(std::memory_order_acquire);
        const size_t count = std::min(p_nMax, static_cast<size_t>(write - read));
        const size_t at = static_cast<size_t>(read & m_nMask);
        *p_pFirstCount = std::min(count, Capacity() - at);
        *p_pFirst = m_buffer.data() + at * m_nWidth;
        *p_pSecond = m_buffer.data();
        return count;
    }

    // Consumer: one item, false when empty.
    bool Front(T* p_pItem) const
    {
        const uint64_t read = m_nRead.load(std::memory_order_relaxed);
        if (m_nWrite.load(std::memory_order_acquire) == read)
            return false;
        std::copy_n(m_buffer.data() + static_cast<size_t>(read & m_nMask) * m_nWidth, m_nWidth, p_pItem);
        return true;
    }

    void Consume(size_t p_nCount)
    {
        m_nRead.store(m_nRead.load(std::memory_order_relaxed) + p_nCount, std::memory_order_release);
    }

    void Reset()
    {
        m_nWrite.store(0, std::memory_order_relaxed);
        m_nRead.store(0, std::memory_order_relaxed);
    }

private:
    size_t m_nWidth;
    size_t m_nMask = 0;
    std::vector<T> m_buffer;
    std::atomic<uint64_t> m_nWrite {0};
    std::atomic<uint64_t> m_nRead {0};
};
