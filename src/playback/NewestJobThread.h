#pragma once
// A worker thread for jobs of which only the newest matters: at most one job waits, and a newer
// one takes its place. The owner reads and changes the waiting job (and sees the one under way)
// under the worker's lock through Update; the worker runs one job at a time outside the lock.
// Destroying it waits for the job under way (the owner cancels that by its own means first) and
// drops the waiting one; declare it after every member the jobs use.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

template <class TJob>
class TNewestJobThread {
public:
    explicit TNewestJobThread(std::function<void(const TJob&)> p_run)
        : m_run(std::move(p_run)), m_thread([this] { Loop(); })
    {
    }
    ~TNewestJobThread()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_bStop = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    TNewestJobThread(const TNewestJobThread&) = delete;
    TNewestJobThread& operator=(const TNewestJobThread&) = delete;

    // p_change(std::optional<TJob>& waiting, const std::optional<TJob>& underWay) under the lock;
    // the worker looks at the waiting job afterwards.
    template <class TChange>
    void Update(TChange&& p_change)
    {
        {
            const std::lock_guard lock(m_mutex);
            p_change(m_waiting, std::as_const(m_underWay));
        }
        m_wake.notify_one();
    }

    // Until no job waits and none is under way.
    void WaitIdle()
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return !m_waiting && !m_underWay; });
    }

private:
    void Loop()
    {
        while (true) {
            std::optional<TJob> job;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_bStop || m_waiting.has_value(); });
                if (m_bStop) {
                    return;
                }
                job = std::move(m_waiting);
                m_waiting.reset();
                m_underWay = job;
            }
            m_run(*job);
            {
                const std::lock_guard lock(m_mutex);
                m_underWay.reset();
            }
            m_idle.notify_all();
        }
    }

    const std::function<void(const TJob&)> m_run;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<TJob> m_waiting;
    std::optional<TJob> m_underWay;
    bool m_bStop = false;
    std::thread m_thread;
};
