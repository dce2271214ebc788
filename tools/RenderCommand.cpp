// ravo-tool render --text LAUNCH_TEXT --at MS [--zoom R] -o OUT.png: the board at a session
// position, rebuilt by the playback engine through the seek the player uses, written as PNG.
// Prints the page, the frame and the rebuild's replay and render times.

#include "ToolCommands.h"
#include "ToolSession.h"

#include "draw/DrawManager.h"

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
    const std::optional<QHash<QString, QString>> options =
        ParseToolOptions(args, {QStringLiteral("--text"), QStringLiteral("--at"), QStringLiteral("--zoom"), QStringLiteral("-o")});
    if (!options || !options->contains(QStringLiteral("--text")) || !options->contains(QStringLiteral("--at")) ||
        options->value(QStringLiteral("-o")).isEmpty()) {
        return std::nullopt;
    }
    TRenderArgs parsed;
    parsed.launchText = options->value(QStringLiteral("--text"));
    parsed.output = options->value(QStringLiteral("-o"));
    bool atOk = false;
    parsed.at = options->value(QStringLiteral("--at")).toUInt(&atOk);
    bool zoomOk = true;
    if (options->contains(QStringLiteral("--zoom"))) {
        parsed.zoom = options->value(QStringLiteral("--zoom")).toFloat(&zoomOk);
        zoomOk = zoomOk && parsed.zoom >= kZoomMin && parsed.zoom <= kZoomMax;
    }
    if (!atOk || !zoomOk) {
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
    const std::unique_ptr<TToolBoard> board = TToolBoard::Open(parsed->launchText, QStringLiteral("render"), parsed->zoom);
    if (!board) {
        return kToolExitProblem;
    }
    TPlayerState& state = board->State();
    TPlaybackEngine& engine = board->Engine();
    state.m_bClickTabLecturePage = true;
    state.m_intCurrentMilesSecond = static_cast<int32_t>(parsed->at);
    engine.ScbPlayMovePositionUntilReDraw(parsed->at);

    // The board of the current page; the surface may be wider after a larger page.
    const QRect area(QPoint(0, 0), engine.GetBoardSize());
    engine.EnsureBoardRendered(area);
    const QImage picture = engine.GetBoardImage().copy(area);
    if (picture.isNull()) {
        ToolError(QStringLiteral("ravo-tool render: no board of %1 x %2 pixels could be made").arg(area.width()).arg(area.height()));
        return kToolExitProblem;
    }
    if (!picture.save(parsed->output, "PNG")) {
        ToolError(QStringLiteral("ravo-tool render: cannot write %1").arg(parsed->output));
        return kToolExitProblem;
    }
    const TLectureInfo& page = engine.GetLectureInfoList()[static_cast<size_t>(state.m_nCurrentPlayPageIndex)];
    const TPlaybackEngine::TRebuildTiming timing = engine.GetLastRebuildTiming();
    std::printf("page %d (%s/%s) at %u ms, frame %d: %d objects, %d x %d pixels; replay %.1f ms, render %.1f ms\n",
                page.PageNo, qPrintable(page.PageName), qPrintable(page.PageID), state.m_dCurrentPlayPosition,
                MilliSecondsToFrameNo(state.m_dCurrentPlayPosition), engine.GetDrawManager().GetCount(), area.width(),
                area.height(), timing.replaySeconds * 1e3, timing.renderSeconds * 1e3);
    return kToolExitOk;
}
