// ravo-tool render --text LAUNCH_TEXT --at MS [--zoom R] -o OUT.png: the board at a session
// position, rebuilt by the playback engine through the seek the player uses, written as PNG.
// Prints the page, the frame and the rebuild's replay and render times.

#include "ToolCommands.h"
#include "ToolSession.h"

#include "draw/DrawManager.h"
#include "platform/Rounding.h"
#include "playback/HeadlessPlaybackView.h"
#include "playback/PlaybackEngine.h"


#include <cstdio>
#include <memory>
#include <optional>

namespace {

constexpr float kZoomMin = 1.0f;
constexpr float kZoomMax = 2.0f;

struct TRenderArgs {
    QString launchText;
    uint32_t at = 0;
    float zoom = 1.0f;
    QString output;
};

std::optional<TRenderArgs> ParseRenderArgs(const QStringList& args)
{
    TRenderArgs parsed;
    bool haveText = false;
    bool haveAt = false;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        const QString& name = args[i];
        const QString& value = args[i + 1];
        bool ok = true;
        if (name == QLatin1String("--text")) {
            parsed.launchText = value;
            haveText = true;
        } else if (name == QLatin1String("--at")) {
            parsed.at = value.toUInt(&ok);
            haveAt = ok;
        } else if (name == QLatin1String("--zoom")) {
            parsed.zoom = value.toFloat(&ok);
            ok = ok && parsed.zoom >= kZoomMin && parsed.zoom <= kZoomMax;
        } else if (name == QLatin1String("-o")) {
            parsed.output = value;
        } else {
            ok = false;
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    if (args.size() % 2 != 0 || !haveText || !haveAt || parsed.output.isEmpty()) {
        return std::nullopt;
    }
    return parsed;
}

} // namespace

int RunRenderCommand(const QStringList& args)
{
    const std::optional<TRenderArgs> parsed = ParseRenderArgs(args);
    if (!parsed) {
        ToolError(QStringLiteral("usage: ravo-tool render --text LAUNCH_TEXT --at MS [--zoom 1.0..2.0] -o OUT.png"));
        return kToolExitUsage;
    }
    std::optional<TPlayerState> session = ReadToolSession(parsed->launchText);
    if (!session) {
        return kToolExitProblem;
    }
    TPlayerState& state = *session;
    state.m_viewRatio = parsed->zoom;

    const TToolAudio audio;
    if (!audio.IsReady()) {
        return kToolExitProblem;
    }
    THeadlessPlaybackView view;
    auto engine = std::make_unique<TPlaybackEngine>(state, view);
    if (!engine->LoadLectureInfo(state.m_sBasePath) || engine->GetLectureInfoList().empty()) {
        ToolError(QStringLiteral("ravo-tool render: the session has no page to play"));
        return kToolExitProblem;
    }
    state.m_bClickTabLecturePage = true;
    state.m_intCurrentMilesSecond = static_cast<int32_t>(parsed->at);
    engine->ScbPlayMovePositionUntilReDraw(parsed->at);

    // The board of the current page at the zoom; the surface may be wider after a larger page.
    const QRect board(0, 0, static_cast<int>(RoundHalfEven(state.m_ptOriginalImage.X * static_cast<double>(state.m_viewRatio))),
                      static_cast<int>(RoundHalfEven(state.m_ptOriginalImage.Y * static_cast<double>(state.m_viewRatio))));
    engine->EnsureBoardRendered(board);
    if (!engine->GetBoardImage().copy(board).save(parsed->output, "PNG")) {
        ToolError(QStringLiteral("ravo-tool render: cannot write %1").arg(parsed->output));
        return kToolExitProblem;
    }
    const TLectureInfo& page = engine->GetLectureInfoList()[static_cast<size_t>(state.m_nCurrentPlayPageIndex)];
    const TPlaybackEngine::TRebuildTiming timing = engine->GetLastRebuildTiming();
    std::printf("page %d (%s/%s) at %u ms, frame %d: %d objects, %d x %d pixels; replay %.1f ms, render %.1f ms\n",
                page.PageNo, qPrintable(page.PageName), qPrintable(page.PageID), state.m_dCurrentPlayPosition,
                MilliSecondsToFrameNo(state.m_dCurrentPlayPosition), engine->GetDrawManager().GetCount(), board.width(),
                board.height(), timing.replaySeconds * 1e3, timing.renderSeconds * 1e3);
    return kToolExitOk;
}
