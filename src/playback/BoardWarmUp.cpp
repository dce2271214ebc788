#include "playback/BoardWarmUp.h"

#include "playback/HeadlessPlaybackView.h"
#include "playback/PlaybackEngine.h"

#include <sys/resource.h>
#include <unistd.h>

namespace {

// The warm-up engine's view: no dialog; nothing of the board is on screen, so a rebuild renders
// nothing until the warm-up asks for it.
class TWarmUpView : public THeadlessPlaybackView {
public:
    explicit TWarmUpView(QSize p_visibleSize) : THeadlessPlaybackView(p_visibleSize) {}

    QRect GetVisibleBoardRect() const override { return {}; }
    void BoardChanged(const QRect&) override {}
    void ShowMessage(TMessageKind, const QString&) override {}
};

// The worker yields the core to the window's thread and the audio whenever they want it.
void LowerThreadPriority()
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
}

} // namespace

TBoardWarmUp::TBoardWarmUp(const TPlayerState& p_session, std::vector<TLectureInfo> p_listPages,
                           std::shared_ptr<TGPStrokeCache> p_strokeCache)
    : m_sessionState(p_session), m_listPages(std::move(p_listPages)), m_strokeCache(std::move(p_strokeCache)),
      m_thread([this] { WorkerLoop(); })
{
}

TBoardWarmUp::~TBoardWarmUp()
{
    {
        const std::lock_guard lock(m_mutex);
        m_bStop = true;
        ++m_nGeneration;
    }
    m_wake.notify_all();
    m_thread.join();
}

void TBoardWarmUp::Start(int32_t p_nPageIndex, float p_fViewRatio, QSize p_visibleSize)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pending = TJob{p_nPageIndex, p_fViewRatio, p_visibleSize};
        ++m_nGeneration;
    }
    m_wake.notify_all();
}

void TBoardWarmUp::WaitIdle()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_bBusy && !m_pending.has_value(); });
}

void TBoardWarmUp::WorkerLoop()
{
    LowerThreadPriority();
    while (true) {
        TJob job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_bStop || m_pending.has_value(); });
            if (m_bStop) {
                break;
            }
            job = *m_pending;
            m_pending.reset();
            m_nRunning = m_nGeneration.load();
            m_bBusy = true;
        }
        ++(Warm(job) ? m_nFinished : m_nCancelled);
        {
            const std::lock_guard lock(m_mutex);
            m_bBusy = false;
        }
        m_idle.notify_all();
    }
}

// The page rebuilt at its last frame, then rendered tile by tile through the shared cache.
bool TBoardWarmUp::Warm(const TJob& p_job)
{
    if (p_job.pageIndex < 0 || p_job.pageIndex >= static_cast<int32_t>(m_listPages.size())) {
        return true;
    }
    const TLectureInfo& page = m_listPages[static_cast<size_t>(p_job.pageIndex)];
    const uint32_t lastFrame = page.StartFrameNo + (page.FrameCount > 0 ? page.FrameCount - 1 : 0);
    const uint32_t sessionMs = lastFrame * static_cast<uint32_t>(kFrameMilliseconds);

    TPlayerState state(m_sessionState);
    state.m_viewRatio = p_job.viewRatio;
    TWarmUpView view(p_job.visibleSize);
    TPlaybackEngine engine(state, view);
    engine.SetBoardOnly();
    engine.ShareStrokeCache(m_strokeCache);
    engine.UsePageList(m_listPages);
    state.m_bClickTabLecturePage = true;
    state.m_intCurrentMilesSecond = static_cast<int32_t>(sessionMs);
    engine.ScbPlayMovePositionUntilReDraw(sessionMs);
    const QSize size = engine.GetBoardImage().size();
    for (int y = 0; y < size.height(); y += kTileSide) {
        for (int x = 0; x < size.width(); x += kTileSide) {
            if (Cancelled()) {
                return false;
            }
            engine.EnsureBoardRendered(QRect(x, y, kTileSide, kTileSide));
        }
    }
    return true;
}
