#pragma once
// A session played into a video file. The playback engine plays it as the player does, on the
// manual audio output: before each frame the output mixes the sound up to the frame's moment
// (every voice at the speed through the tempo stretcher, the audio clips), the frame clock ticks
// once (the packets due are played, only what changed is drawn), and the board area paints what
// changed into the frame. Pages change where the session's time line puts them, and the sound
// of each page starts there. The file is written under a temporary name beside the output and
// renamed when complete; a failure or a cancel removes it.

#include "session/PlayerState.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

struct TVideoOptions {
    QString output;
    QSize size{1280, 720};
    int fps = 30;
    int speedPercent = 100;            // 100 .. 200, as the player's speed
    float zoom = 1.0f;
    uint32_t fromMs = 0;
    std::optional<uint32_t> toMs;      // the session's end when none
};

// What the export tells while it runs; every member may be empty.
struct TVideoReport {
    std::function<void(int64_t p_nDone, int64_t p_nTotal)> progress;   // after each frame
    std::function<void(const QString&)> warning;                       // a page's problem
    std::function<bool()> cancelled;                                   // asked before each frame
};

struct TVideoStats {
    int64_t playingMs = 0;   // the video's length: the range at its speed
    int64_t frames = 0;
    int64_t converted = 0;   // frames whose picture changed and was converted
};

class TVideoExport {
public:
    // The sound's sample rate in the file.
    static constexpr int kSampleRate = 48000;

    // p_state: the session as ReadToolSession reads a launch text.
    TVideoExport(const TPlayerState& p_state, const TVideoOptions& p_options, TVideoReport p_report);
    ~TVideoExport();
    TVideoExport(const TVideoExport&) = delete;
    TVideoExport& operator=(const TVideoExport&) = delete;

    enum class TResult { Written, Failed, Cancelled };
    TResult Run();
    // Why Run failed.
    QString Error() const { return m_sError; }
    TVideoStats Stats() const { return m_stats; }

private:
    class TSession;

    TPlayerState m_state;
    TVideoOptions m_options;
    TVideoReport m_report;
    QString m_sError;
    TVideoStats m_stats;
};

// Whether the layout file centres the framed board (false when the file cannot be read, as the
// window's built-in design).
bool LayoutCentresBoard(const QString& p_sLayoutPath);
