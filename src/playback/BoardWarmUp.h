#pragma once
// The stroke cache warmed ahead of the learner: after a page starts and after a zoom step, a
// worker thread at the lowest priority rebuilds the page to its end on a board-only engine of its
// own and renders that board, so that every stroked figure of the page waits in the shared stroke
// cache at the current zoom. A seek forward or the rebuild after the zoom step then blends stored
// coverage instead of rasterizing. The worker shares nothing with the window's thread but the
// stroke cache, whose lock is held only to look up or store one figure; it never touches the
// board the window shows. A new start cancels the warm-up under way between two tiles.

#include "session/CommDefine.h"
#include "session/PlayerState.h"

#include <QSize>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class TGPStrokeCache;

class TBoardWarmUp {
public:
    // Side of the square tiles the warm-up renders between two looks at the cancel flag.
    static constexpr int kTileSide = 256;

    TBoardWarmUp(const TPlayerState& p_session, std::vector<TLectureInfo> p_listPages,
                 std::shared_ptr<TGPStrokeCache> p_strokeCache);
    // Cancels the warm-up under way and waits for the worker to stop.
    ~TBoardWarmUp();
    TBoardWarmUp(const TBoardWarmUp&) = delete;
    TBoardWarmUp& operator=(const TBoardWarmUp&) = delete;

    // Warms the page at the zoom; whatever warm-up was under way stops at once.
    void Start(int32_t p_nPageIndex, float p_fViewRatio, QSize p_visibleSize);
    // Waits until the worker is idle (for the tests and the benchmark).
    void WaitIdle();
    // Warm-ups run to their end / stopped by a later start.
    int GetFinishedCount() const { return m_nFinished.load(); }
    int GetCancelledCount() const { return m_nCancelled.load(); }

private:
    struct TJob {
        int32_t pageIndex = -1;
        float viewRatio = 1.0f;
        QSize visibleSize;
    };

    void WorkerLoop();
    // false when cancelled on the way.
    bool Warm(const TJob& p_job);
    bool Cancelled() const { return m_nGeneration.load() != m_nRunning; }

    const TPlayerState m_sessionState;
    const std::vector<TLectureInfo> m_listPages;
    const std::shared_ptr<TGPStrokeCache> m_strokeCache;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<TJob> m_pending;
    bool m_bBusy = false;
    bool m_bStop = false;
    std::atomic<uint64_t> m_nGeneration{0};
    uint64_t m_nRunning = 0;                 // worker side: the generation of the job under way
    std::atomic<int> m_nFinished{0};
    std::atomic<int> m_nCancelled{0};
    std::thread m_thread;
};
