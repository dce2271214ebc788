#pragma once
// The stroke cache warmed ahead of the learner: after a page starts and after a zoom step, a
// worker thread at a low priority rebuilds the page to its end on a board-only engine of its own
// and renders that board tile by tile, so that the page's stroked figures wait in the shared
// stroke cache. It listens to the engine whose cache it warms (AttachBoardWarmUp). A seek
// forward, or the rebuild after the next zoom step, then blends stored coverage instead of
// rasterizing. It warms the zoom in use and the zooms one step up and down: first the part of the
// board on screen at the page's end at each, then the rest, while the cache has room. It draws at
// the device pixel ratio of the window's board, whose figures it so prepares; at a higher ratio
// the figures take more room and it warms less beyond the part on screen.
//
// The worker shares nothing with the window's thread but the stroke cache, whose lock is held
// only to look up or store one figure; it never touches the board the window shows. A new start,
// another page starting or a zoom step beginning cancels the warm-up under way between two tiles.

#include "playback/NewestJobThread.h"
#include "playback/PlaybackListener.h"
#include "session/CommDefine.h"
#include "session/PlayerState.h"

#include <QRect>
#include <QSize>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class TGPStrokeCache;
class TPlaybackEngine;

class TBoardWarmUp : public TPlaybackListener {
public:
    // Side of the square tiles the warm-up renders between two looks at the cancel flag, in
    // device pixels: large enough for the engine to draw a tile on both cores when the board
    // allows it (the window's thread and the audio take a core back from the worker whenever
    // they want it).
    static constexpr int kTileSide = 512;

    explicit TBoardWarmUp(std::shared_ptr<TGPStrokeCache> p_strokeCache);
    // Cancels the warm-up under way and waits for the worker to stop.
    ~TBoardWarmUp() override;
    TBoardWarmUp(const TBoardWarmUp&) = delete;
    TBoardWarmUp& operator=(const TBoardWarmUp&) = delete;

    // Warms the place's page at its zoom and the neighbours, for a screen of its size scrolled to
    // its offset, from copies of its session record and page list; whatever warm-up was under
    // way stops at once.
    void Start(const TBoardPlace& p_place);
    // The warm-up under way stops at once, and none waits.
    void Cancel();

    void PageStarting() override { Cancel(); }
    void PageStarted(const TBoardPlace& p_place) override { Start(p_place); }
    void ZoomStepping() override { Cancel(); }
    void ZoomStepped(const TBoardPlace& p_place) override { Start(p_place); }
    void PixelRatioChanging() override { Cancel(); }
    void PixelRatioChanged(const TBoardPlace& p_place) override { Start(p_place); }

    // Waits until the worker is idle (for the tests and the benchmark).
    void WaitIdle() { m_thread.WaitIdle(); }
    // Warm-ups run to their end / stopped by a later start.
    int GetFinishedCount() const { return m_nFinished.load(); }
    int GetCancelledCount() const { return m_nCancelled.load(); }
    // Warm-ups that got past the parts on screen at every zoom they warm (for the benchmark).
    int GetOnScreenWarmedCount() const { return m_nOnScreenWarmed.load(); }

    // The tiles of p_nSide logical pixels covering the board, those meeting the part on screen
    // first, then by distance from it.
    static std::vector<QRect> TilesInOrder(QSize p_board, const QRect& p_rtOnScreen, int p_nSide = kTileSide);

private:
    // What the worker's engines are made from.
    struct TSource {
        TPlayerState session;
        std::vector<TLectureInfo> pages;
    };
    struct TJob {
        std::shared_ptr<const TSource> source;
        int32_t pageIndex = -1;
        float viewRatio = 1.0f;
        QSize visibleSize;
        QPoint scrollOffset;
        qreal devicePixelRatio = 1.0;
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

    const std::shared_ptr<TGPStrokeCache> m_strokeCache;
    std::atomic<uint64_t> m_nGeneration{0};
    std::atomic<int> m_nFinished{0};
    std::atomic<int> m_nCancelled{0};
    std::atomic<int> m_nOnScreenWarmed{0};
    TNewestJobThread<TJob> m_thread;   // last: stops before what its jobs use goes
};

// Makes a warm-up of the engine's stroke cache and attaches it to the engine, which keeps it for
// its life; the warm-up is returned for a look at its progress. Called after the engine's board
// takes another engine's cache, if it does.
TBoardWarmUp& AttachBoardWarmUp(TPlaybackEngine& p_engine);
