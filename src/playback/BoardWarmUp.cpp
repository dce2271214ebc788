#include "playback/BoardWarmUp.h"

#include "platform/FreedMemory.h"
#include "platform/Rounding.h"
#include "platform/graphics/GPStrokeCache.h"
#include "playback/BoardOnlyEngine.h"
#include "playback/PlaybackEngine.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

namespace {

// The worker gives way to the window's thread and the audio whenever they want a core, yet is
// not starved by other programs' busy work (at the lowest priority it waits for every one of them).
constexpr int kWorkerNiceness = 10;

void LowerThreadPriority()
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kWorkerNiceness);
}

// Squared distance between the rectangles (0 when they meet).
int64_t DistanceSquared(const QRect& p_a, const QRect& p_b)
{
    const int64_t dx = std::max({0, p_b.left() - p_a.right(), p_a.left() - p_b.right()});
    const int64_t dy = std::max({0, p_b.top() - p_a.bottom(), p_a.top() - p_b.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

TBoardWarmUp::TBoardWarmUp(std::shared_ptr<TGPStrokeCache> p_strokeCache)
    : m_strokeCache(std::move(p_strokeCache)), m_thread([this](const TJob& p_job) { Run(p_job); })
{
}

TBoardWarmUp& AttachBoardWarmUp(TPlaybackEngine& p_engine)
{
    auto warmUp = std::make_unique<TBoardWarmUp>(p_engine.Board().GetSharedStrokeCache());
    TBoardWarmUp& attached = *warmUp;
    p_engine.AttachListener(std::move(warmUp));
    return attached;
}

TBoardWarmUp::~TBoardWarmUp()
{
    ++m_nGeneration;
}

void TBoardWarmUp::Start(const TBoardPlace& p_place)
{
    auto source = std::make_shared<const TSource>(TSource{p_place.session, p_place.pages});
    const uint64_t generation = ++m_nGeneration;
    m_thread.Update([&](std::optional<TJob>& waiting, const std::optional<TJob>&) {
        waiting = TJob{std::move(source),   p_place.pageIndex,        p_place.viewRatio, p_place.visibleSize,
                       p_place.scrollOffset, p_place.devicePixelRatio, generation};
    });
}

void TBoardWarmUp::Cancel()
{
    ++m_nGeneration;
    m_thread.Update([](std::optional<TJob>& waiting, const std::optional<TJob>&) { waiting.reset(); });
}

std::vector<QRect> TBoardWarmUp::TilesInOrder(QSize p_board, const QRect& p_rtOnScreen, int p_nSide)
{
    std::vector<QRect> tiles;
    for (int y = 0; y < p_board.height(); y += p_nSide) {
        for (int x = 0; x < p_board.width(); x += p_nSide) {
            tiles.emplace_back(x, y, p_nSide, p_nSide);
        }
    }
    std::stable_sort(tiles.begin(), tiles.end(), [&p_rtOnScreen](const QRect& a, const QRect& b) {
        return DistanceSquared(a, p_rtOnScreen) < DistanceSquared(b, p_rtOnScreen);
    });
    return tiles;
}

void TBoardWarmUp::Run(const TJob& p_job)
{
    LowerThreadPriority();
    ++(Warm(p_job) ? m_nFinished : m_nCancelled);
    // The boards and pages of the warm-up's engines are gone: their memory goes too.
    ReturnFreedMemory();
}

// The zoom in use and one step up and down (the zoom buttons' next rebuilds): first the part on
// screen at each, what a seek forward or a zoom step shows at once, then the rest of each board.
bool TBoardWarmUp::Warm(const TJob& p_job)
{
    if (p_job.pageIndex < 0 || p_job.pageIndex >= static_cast<int32_t>(p_job.source->pages.size())) {
        return true;
    }
    std::vector<float> zooms{p_job.viewRatio};
    for (const bool increase : {true, false}) {
        const float stepped = SteppedZoom(p_job.viewRatio, increase);
        if (stepped != p_job.viewRatio) {
            zooms.push_back(stepped);
        }
    }
    for (const bool onScreen : {true, false}) {
        // A zoom step keeps the scroll offset a seek to the end left at the zoom in use.
        QPoint scroll = p_job.scrollOffset;
        for (const float zoom : zooms) {
            if (!WarmZoom(p_job, zoom, scroll, onScreen)) {
                return false;
            }
        }
        m_nOnScreenWarmed += onScreen ? 1 : 0;
    }
    return true;
}

// The page rebuilt at its end by a seek from the scroll offset, then the tiles of the part on
// screen, or of the rest, rendered through the shared cache. p_ptScroll becomes the offset the
// seek left.
bool TBoardWarmUp::WarmZoom(const TJob& p_job, float p_fViewRatio, QPoint& p_ptScroll, bool p_bOnScreen)
{
    if (Cancelled(p_job)) {
        return false;
    }
    const TLectureInfo& page = p_job.source->pages[static_cast<size_t>(p_job.pageIndex)];
    const uint32_t lastFrame = page.StartFrameNo + (page.FrameCount > 0 ? page.FrameCount - 1 : 0);
    TBoardOnlyEngine board(p_job.source->session, p_job.source->pages, p_fViewRatio, p_job.visibleSize,
                           p_job.devicePixelRatio, m_strokeCache);
    board.SeekTo(static_cast<int32_t>(page.StartFrameNo) * kFrameMilliseconds);
    board.ScrollTo(p_ptScroll);
    board.SeekTo(static_cast<int32_t>(lastFrame) * kFrameMilliseconds);
    p_ptScroll = board.GetScrollOffset();
    const QRect onScreen = board.OnScreen();
    const int side = std::max(1, static_cast<int>(RoundHalfEven(kTileSide / p_job.devicePixelRatio)));
    for (const QRect& tile : TilesInOrder(board.Engine().Board().GetSurfaceSize(), onScreen, side)) {
        if (tile.intersects(onScreen) != p_bOnScreen) {
            continue;
        }
        if (Cancelled(p_job)) {
            return false;
        }
        // Only the part on screen at the zoom in use is warmed whatever the cache holds.
        if ((!p_bOnScreen || p_fViewRatio != p_job.viewRatio) && !RoomToWarmMore()) {
            return true;
        }
        // The part on screen first exactly, what a seek shows at once; the tiles' rest after it.
        board.Engine().EnsureBoardRendered(p_bOnScreen ? tile.intersected(onScreen) : tile);
    }
    return true;
}

bool TBoardWarmUp::RoomToWarmMore() const
{
    return m_strokeCache->GetUsedBytes() < m_strokeCache->GetCapacityBytes() / 4 * 3;
}
