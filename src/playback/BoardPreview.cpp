#include "playback/BoardPreview.h"

#include "playback/BoardPicture.h"
#include "playback/BoardOnlyEngine.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

namespace {

constexpr int32_t kSecondMs = 1000;

} // namespace

// The worker's board-only engine for one zoom and screen size. Its own image stays at ratio 1
// and unrendered: the pictures are painted from its objects at their own ratio.
class TBoardPreview::TWorker {
public:
    TWorker(const TPlayerState& p_session, const std::vector<TLectureInfo>& p_listPages, float p_fViewRatio,
            QSize p_visibleSize)
        : m_board(p_session, p_listPages, p_fViewRatio, p_visibleSize)
    {
    }

    bool Fits(const TJob& p_job) const
    {
        return m_board.GetViewRatio() == p_job.viewRatio && m_board.GetVisibleSize() == p_job.visibleSize;
    }

    // The board rebuilt through the seek the player uses, then scaled down. Later in the page
    // the engine rebuilt last, the rebuild is carried on instead of made afresh.
    TBoardThumbnail Make(const TJob& p_job)
    {
        const uint32_t position = static_cast<uint32_t>(p_job.second * kSecondMs);
        const uint32_t frame = static_cast<uint32_t>(MilliSecondsToFrameNo(position));
        if (m_nRebuiltPage == p_job.pageIndex && frame >= m_u32RebuiltFrame) {
            m_board.SeekOnTo(position);
        } else {
            m_board.SeekTo(p_job.sessionMs);
        }
        m_nRebuiltPage = p_job.pageIndex;
        m_u32RebuiltFrame = frame;
        TBoardMiniature miniature =
            PaintBoardMiniature(m_board.Engine(), kThumbnailWidth, m_board.OnScreen(), p_job.devicePixelRatio);
        return {p_job.pageIndex, p_job.second, p_job.sessionMs, std::move(miniature.image), miniature.onScreen};
    }

private:
    TBoardOnlyEngine m_board;
    int32_t m_nRebuiltPage = -1;       // where the board stands
    uint32_t m_u32RebuiltFrame = 0;
};

bool TBoardPreview::TJob::SamePicture(const TJob& p_other) const
{
    return pageIndex == p_other.pageIndex && second == p_other.second && viewRatio == p_other.viewRatio &&
           visibleSize == p_other.visibleSize && devicePixelRatio == p_other.devicePixelRatio;
}

TBoardPreview::TBoardPreview(const TPlayerState& p_state, std::vector<TLectureInfo> p_listPages, QSize p_visibleSize)
    : m_state(p_state), m_listPages(std::move(p_listPages)), m_visibleSize(p_visibleSize), m_sessionState(p_state),
      m_thread([this](const TJob& p_job) { MakePicture(p_job); })
{
}

TBoardPreview::~TBoardPreview() = default;

void TBoardPreview::SetVisibleSize(QSize p_visibleSize)
{
    m_visibleSize = p_visibleSize;
}

TPreviewCard TBoardPreview::Request(int32_t p_nSessionMs)
{
    TPreviewCard card;
    card.sessionMs = p_nSessionMs;
    card.timeText = FormatPlayTime(static_cast<uint32_t>(std::max(p_nSessionMs, 0)));
    if (m_listPages.empty()) {
        CancelRequest();
        return card;
    }
    const TJob job = JobFor(p_nSessionMs);
    card.pageIndex = job.pageIndex;
    card.pictureAllowed = PictureAllowed(p_nSessionMs);
    if (!card.pictureAllowed) {
        CancelRequest();
        return card;
    }
    card.picture = FindKept(job);
    if (card.picture) {
        CancelRequest();
        return card;
    }
    m_wanted = job;
    Ask(job);
    return card;
}

void TBoardPreview::Prepare(int32_t p_nSessionMs)
{
    if (m_wanted || m_listPages.empty() || !PictureAllowed(p_nSessionMs)) {
        return;
    }
    const TJob job = JobFor(p_nSessionMs);
    if (!FindKept(job)) {
        Ask(job);
    }
}

void TBoardPreview::CancelRequest()
{
    m_wanted.reset();
    DropPending();
}

TBoardPreview::TJob TBoardPreview::JobFor(int32_t p_nSessionMs) const
{
    const TSeekLanding landing = FindSeekLanding(m_listPages, static_cast<uint32_t>(std::max(p_nSessionMs, 0)));
    const TLectureInfo& page = m_listPages[landing.page];
    TJob job;
    job.pageIndex = static_cast<int32_t>(landing.page);
    job.second = static_cast<int32_t>(landing.position / kSecondMs);
    job.sessionMs = static_cast<int32_t>(page.StartFrameNo) * kFrameMilliseconds + job.second * kSecondMs;
    job.viewRatio = m_state.m_viewRatio;
    job.visibleSize = m_visibleSize;
    job.devicePixelRatio = m_dDevicePixelRatio;
    return job;
}

bool TBoardPreview::PictureAllowed(int32_t p_nSessionMs) const
{
    return !IsSupervisedStudy() || p_nSessionMs <= m_state.m_intFlowMilesSecond;
}

std::optional<TBoardThumbnail> TBoardPreview::FindKept(const TJob& p_job)
{
    const auto kept = std::find_if(m_listKept.begin(), m_listKept.end(),
                                   [&p_job](const auto& entry) { return entry.first.SamePicture(p_job); });
    if (kept == m_listKept.end()) {
        return std::nullopt;
    }
    m_listKept.splice(m_listKept.begin(), m_listKept, kept);
    return m_listKept.front().second;
}

void TBoardPreview::Ask(const TJob& p_job)
{
    m_thread.Update([&](std::optional<TJob>& waiting, const std::optional<TJob>& underWay) {
        if (underWay && underWay->SamePicture(p_job)) {
            if (waiting) {
                waiting.reset();
                ++m_nDropped;
            }
            return;
        }
        if (waiting && waiting->SamePicture(p_job)) {
            return;
        }
        if (waiting) {
            ++m_nDropped;
        }
        waiting = p_job;
    });
}

void TBoardPreview::DropPending()
{
    m_thread.Update([this](std::optional<TJob>& waiting, const std::optional<TJob>&) {
        if (waiting) {
            waiting.reset();
            ++m_nDropped;
        }
    });
}

void TBoardPreview::MakePicture(const TJob& p_job)
{
    if (m_onPictureStarted) {
        m_onPictureStarted(p_job.pageIndex, p_job.second);
    }
    if (!m_worker || !m_worker->Fits(p_job)) {
        m_worker.reset();
        m_worker = std::make_unique<TWorker>(m_sessionState, m_listPages, p_job.viewRatio, p_job.visibleSize);
    }
    TBoardThumbnail picture = m_worker->Make(p_job);
    ++m_nMade;
    {
        const std::lock_guard lock(m_finishedMutex);
        m_arrayFinished.emplace_back(p_job, std::move(picture));
    }
    QCoreApplication::postEvent(&m_context, new QEvent(QEvent::User));
}

void TBoardPreview::DeliverFinished()
{
    std::vector<std::pair<TJob, TBoardThumbnail>> finished;
    {
        const std::lock_guard lock(m_finishedMutex);
        finished.swap(m_arrayFinished);
    }
    for (const auto& [job, picture] : finished) {
        Deliver(job, picture);
    }
}

void TBoardPreview::Deliver(const TJob& p_job, const TBoardThumbnail& p_picture)
{
    if (!FindKept(p_job)) {
        m_listKept.emplace_front(p_job, p_picture);
        if (m_listKept.size() > kKeptPictures) {
            m_listKept.pop_back();
        }
    }
    if (m_wanted && m_wanted->SamePicture(p_job)) {
        m_wanted.reset();
        if (m_handler) {
            m_handler(p_picture);
        }
    }
}
