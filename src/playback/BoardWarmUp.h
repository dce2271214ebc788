#pragma once
// The stroke cache warmed ahead of the learner: after a page starts and after a zoom step, a
// worker thread at a low priority rebuilds the page to its end on a board-only engine of its own and renders that
// board tile by tile, so that the page's stroked figures wait in the shared stroke cache. A seek
// forward, or the rebuild after the next zoom step, then blends stored coverage instead of
// rasterizing. It warms the zoom in use and the zooms one step up and down: first the part of the
// board on screen at the page's end at each, then the rest, while the cache has room.
//
// The worker shares nothing with the window's thread but the stroke cache, whose lock is held
// only to look up or store one figure; it never touches the board the window shows. A new start
// cancels the warm-up under way between two tiles.

#include "playback/NewestJobThread.h"
#include "session/CommDefine.h"
#include "session/PlayerState.h"

#include <QRect>
#include <QSize>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class TGPStrokeCache;

class TBoardWarmUp {
public:
    // Side of the square tiles the warm-up renders between two looks at the cancel flag: large
    // enough for the engine to draw a tile on both cores when the board allows it (the window's
    // thread and the audio take a core back from the worker whenever they want it).
    static constexpr int kTileSide = 512;

    TBoardWarmUp(const TPlayerState& p_session, std::vector<TLectureInfo> p_listPages,
                 std::shared_ptr<TGPStrokeCache> p_strokeCache);
    // Cancels the warm-up under way and waits for the worker to stop.
    ~TBoardWarmUp();
    TBoardWarmUp(const TBoardWarmUp&) = delete;
    TBoardWarmUp& operator=(const TBoardWarmUp&) = delete;

    // Warms the page at the zoom and its neighbours for a screen of the size scrolled to the
    // offset; whatever warm-up was under way stops at once.
    void Start(int32_t p_nPageIndex, float p_fViewRatio, QSize p_visibleSize, QPoint p_ptScrollOffset = {});
    // The warm-up under way stops at once, and none waits.
    void Cancel();
    // Waits until the worker is idle (for the tests and the benchmark).
    void WaitIdle() { m_thread.WaitIdle(); }
    // Warm-ups run to their end / stopped by a later start.
    int GetFinishedCount() const { return m_nFinished.load(); }
    int GetCancelledCount() const { return m_nCancelled.load(); }
    // Warm-ups that got past the parts on screen at every zoom they warm (for the benchmark).
    int GetOnScreenWarmedCount() const { return m_nOnScreenWarmed.load(); }

    // The tiles covering the board, those meeting the part on screen first, then by distance from it.
    static std::vector<QRect> TilesInOrder(QSize p_board, const QRect& p_rtOnScreen);

private:
    struct TJob {
        int32_t pageIndex = -1;
        float viewRatio = 1.0f;
        QSize visibleSize;
        QPoint scrollOffset;
        uint64_t generation = 0;
    };

    void Run(const TJob& p_job);
    // false when cancelled on the way.
    bool Warm(const TJob& p_job);
    bool WarmZoom(const TJob& p_job, float p_fViewRatio, QPoint& p_ptScroll, bool p_bOnScreen);
    bool Cancelled(const TJob& p_job) const { return m_nGeneration.load() != p_job.generation; }
    // Beyond the part on screen at the zoom in use, the warm-up goes on only while the cache holds
    // less than three quarters of its cap, so that it never pushes out what the board on screen
    // and the warm-up itself have just kept.
    bool RoomToWarmMore() const;

    const TPlayerState m_sessionState;
    const std::vector<TLectureInfo> m_listPages;
    const std::shared_ptr<TGPStrokeCache> m_strokeCache;
    std::atomic<uint64_t> m_nGeneration{0};
    std::atomic<int> m_nFinished{0};
    std::atomic<int> m_nCancelled{0};
    std::atomic<int> m_nOnScreenWarmed{0};
    TNewestJobThread<TJob> m_thread;   // last: stops before what its jobs use goes
};
