// ravo-tool render --text LAUNCH_TEXT --at MS [--zoom R] [--scale S] -o OUT.png: the board at a
// session position, rebuilt by the playback engine through the seek the player uses, written as
// PNG; at scale S the board is drawn as a screen of that device pixel ratio shows it (S times the
// pixels each way). Prints the page, the frame and the rebuild's replay and render times.

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
    double scale = 1.0;
    QString output;
};

std::optional<TRenderArgs> ParseRenderArgs(const QStringList& args)
{
    const std::optional<QHash<QString, QString>> options =
        ParseToolOptions(args, {QStringLiteral("--text"), QStringLiteral("--at"), QStringLiteral("--zoom"),
                                QStringLiteral("--scale"), QStringLiteral("-o")});
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
    const std::optional<double> scale = ParseToolScale(*options);
    if (!atOk || !zoomOk || !scale) {
        return std::nullopt;
    }
    parsed.scale = *scale;
    return parsed;
}

} // namespace

int RunRenderCommand(const QStringList& args)
{
    const std::optional<TRenderArgs> parsed = ParseRenderArgs(args);
    if (!parsed) {
        ToolError(QStringLiteral("usage: ravo-tool render --text LAUNCH_TEXT --at MS [--zoom 1.0..2.0] [--scale 1..4] -o OUT.png"));
        return kToolExitUsage;
    }
    const std::unique_ptr<TToolBoard> board =
        TToolBoard::Open(parsed->launchText, QStringLiteral("render"), parsed->zoom, parsed->scale);
    if (!board) {
        return kToolExitProblem;
    }
    TPlayerState& state = board->State();
    TPlaybackEngine& engine = board->Engine();
    state.m_bClickTabLecturePage = true;
    state.m_intCurrentMilesSecond = static_cast<int32_t>(parsed->at);
    engine.ScbPlayMovePositionUntilReDraw(parsed->at);

    // The board of the current page; the surface may be wider after a larger page.
    const QImage picture = engine.GetRenderedBoard();
    if (picture.isNull()) {
        const QSize board = engine.GetBoardSize();
        ToolError(QStringLiteral("ravo-tool render: no board of %1 x %2 pixels could be made").arg(board.width()).arg(board.height()));
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
                MilliSecondsToFrameNo(state.m_dCurrentPlayPosition), engine.GetDrawManager().GetCount(), picture.width(),
                picture.height(), timing.replaySeconds * 1e3, timing.renderSeconds * 1e3);
    return kToolExitOk;
}
