#include "video/VideoTimeline.h"

#include "platform/Rounding.h"
#include "playback/PlaybackEngine.h"

namespace {

int64_t PageStartMs(const TLectureInfo& p_page)
{
    return static_cast<int64_t>(p_page.StartFrameNo) * kFrameMilliseconds;
}

} // namespace

TVideoTimeline::TVideoTimeline(const TVideoRange& p_range, const std::vector<TLectureInfo>& p_listPages)
    : m_range(p_range), m_listPages(p_listPages)
{
    if (m_listPages.empty()) {
        return;
    }
    // The page the first frame shows is the one a seek to the range's start lands in.
    m_nFirstPage = FindSeekLanding(m_listPages, m_range.fromMs).page;
    for (size_t i = m_nFirstPage + 1; i < m_listPages.size(); ++i) {
        const int64_t start = PageStartMs(m_listPages[i]);
        if (start >= m_range.toMs) {
            break;
        }
        m_listStarts.push_back({i, std::max<int64_t>(SampleOfSession(start), 0)});
    }
}

int64_t TVideoTimeline::FrameCount() const
{
    const int64_t shown = static_cast<int64_t>(m_range.toMs - m_range.fromMs) * m_range.fps * 100;
    const int64_t frameLength = static_cast<int64_t>(m_range.speedPercent) * 1000;
    return (shown + frameLength - 1) / frameLength;
}

int64_t TVideoTimeline::SampleOfFrame(int64_t p_nFrame) const
{
    return RoundHalfEven(static_cast<double>(p_nFrame) * m_range.sampleRate / m_range.fps);
}

int64_t TVideoTimeline::SampleOfSession(int64_t p_nSessionMs) const
{
    return RoundHalfEven(static_cast<double>(p_nSessionMs - m_range.fromMs) * m_range.sampleRate /
                         (10.0 * m_range.speedPercent));
}

int64_t TVideoTimeline::VideoMs(int64_t p_nSessionMs) const
{
    return RoundHalfEven(static_cast<double>(p_nSessionMs - m_range.fromMs) * 100.0 / m_range.speedPercent);
}

std::vector<TVideoChapter> TVideoTimeline::Chapters() const
{
    std::vector<TVideoChapter> chapters;
    if (m_listPages.empty()) {
        return chapters;
    }
    const auto title = [this](size_t p_nPage) { return QStringLiteral("%1 p").arg(m_listPages[p_nPage].PageNo + 1); };
    chapters.push_back({0, 0, title(m_nFirstPage)});
    for (const TPageStart& start : m_listStarts) {
        const int64_t at = std::max<int64_t>(VideoMs(PageStartMs(m_listPages[start.page])), 0);
        chapters.back().endMs = at;
        chapters.push_back({at, 0, title(start.page)});
    }
    chapters.back().endMs = VideoMs(m_range.toMs);
    return chapters;
}
