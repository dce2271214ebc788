#pragma once
// Where the session's moments land in a video of part of it. The video's time line is the
// lecture's, run P/100 as fast: frame k shows the session at from + k x 1000 / fps x P / 100 ms,
// and the sound's sample n plays the session at from + n x 1000 / rate x P / 100 ms. The pages
// start where the session's time line puts them (the player's waits between pages take no
// lecture time); each page in the range is a chapter, named as its tab: "1 p", "2 p", ...

#include "session/CommDefine.h"
#include "video/VideoEncoder.h"

#include <cstdint>
#include <vector>

struct TVideoRange {
    uint32_t fromMs = 0;       // session time of the first frame
    uint32_t toMs = 0;         // session time where the video ends, after fromMs
    int speedPercent = 100;
    int fps = 30;
    int sampleRate = 48000;
};

class TVideoTimeline {
public:
    // A page that starts inside the range, and the sound sample where it starts.
    struct TPageStart {
        size_t page = 0;       // index in the page list
        int64_t sample = 0;
    };

    TVideoTimeline(const TVideoRange& p_range, const std::vector<TLectureInfo>& p_listPages);

    // Frames until the range's end is shown: the video lasts at most one frame longer than the
    // range at its speed.
    int64_t FrameCount() const;
    // The sound sample at which frame k is shown.
    int64_t SampleOfFrame(int64_t p_nFrame) const;
    // The sound sample that plays the session's moment (negative before the range).
    int64_t SampleOfSession(int64_t p_nSessionMs) const;
    // The sound's length: the range at its speed.
    int64_t SampleCount() const { return SampleOfSession(m_range.toMs); }
    int64_t PlayingMs() const { return VideoMs(m_range.toMs); }
    // The pages that start after the range's first moment and before its end, in order.
    const std::vector<TPageStart>& PageStarts() const { return m_listStarts; }
    // One chapter per page shown: the page the range starts in, then every page start.
    std::vector<TVideoChapter> Chapters() const;

private:
    int64_t VideoMs(int64_t p_nSessionMs) const;

    TVideoRange m_range;
    std::vector<TLectureInfo> m_listPages;
    size_t m_nFirstPage = 0;
    std::vector<TPageStart> m_listStarts;
};
