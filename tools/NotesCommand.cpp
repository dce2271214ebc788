// ravo-tool notes --text LAUNCH_TEXT [--scale S] -o OUT.pdf: the lecture notes. One PDF page per
// lecture page: a header line (the lecture's key, the page's number and length) over the board as
// it stands when the page ends, rebuilt by a board-only engine through the seek's rebuild. The
// board is drawn on the PDF as it is drawn on the screen, so strokes, lines, shapes and text stay
// shapes and text, and pictures stay pictures: at scale S the board's pictures are those read for
// a screen of that device pixel ratio (the skin's "@2x" files above 1), so that they stay sharp
// when the page is zoomed into or printed. A progress line goes to standard error.

#include "ToolCommands.h"
#include "ToolSession.h"

#include "platform/graphics/GPFont.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPSolidBrush.h"
#include "playback/BoardPicture.h"
#include "session/LaunchParams.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// The PDF is drawn in board pixels: one unit is 1/96 inch, the resolution the board's fonts are
// measured at, so text keeps its size against the strokes.
constexpr int kPdfResolution = 96;
constexpr double kPointsPerUnit = 72.0 / kPdfResolution;
constexpr int kMargin = 24;
constexpr int kHeaderHeight = 36;
constexpr int kHeaderPixelSize = 16;
constexpr QRgb kFrameColour = 0xFFB0B0B0;

struct TNotesArgs {
    QString launchText;
    QString output;
    double scale = 1.0;
};

std::optional<TNotesArgs> ParseNotesArgs(const QStringList& args)
{
    const std::optional<QHash<QString, QString>> options =
        ParseToolOptions(args, {QStringLiteral("--text"), QStringLiteral("--scale"), QStringLiteral("-o")});
    if (!options || !options->contains(QStringLiteral("--text")) || options->value(QStringLiteral("-o")).isEmpty()) {
        return std::nullopt;
    }
    const std::optional<double> scale = ParseToolScale(*options);
    if (!scale) {
        return std::nullopt;
    }
    return TNotesArgs{options->value(QStringLiteral("--text")), options->value(QStringLiteral("-o")), *scale};
}

// The key the launcher gave the page's lecture; the lecture's name when there is none.
QString LectureKeyOf(const TPlayerState& state, const TLectureInfo& page)
{
    for (qsizetype i = 0; i < state.m_arrayLectureName.size(); ++i) {
        if (LectureNameOf(state.m_arrayLectureName[i]) == page.PageName &&
            static_cast<size_t>(i) < g_arrayReportInfo.size() && !g_arrayReportInfo[static_cast<size_t>(i)].lecture_key.isEmpty()) {
            return g_arrayReportInfo[static_cast<size_t>(i)].lecture_key;
        }
    }
    return page.PageName;
}

QString PageHeader(const TPlayerState& state, const TLectureInfo& page, size_t pageCount)
{
    return QStringLiteral("강의 %1   ·   %2 / %3 p   ·   %4")
        .arg(LectureKeyOf(state, page))
        .arg(page.PageNo + 1)
        .arg(pageCount)
        .arg(FormatPlayTime(static_cast<uint32_t>(std::max(page.PlayMileSeconds, 0))));
}

// A PDF page that holds the header and the board with margins around them.
QPageSize NotesPageSize(const QSize& board)
{
    const QSize units(board.width() + 2 * kMargin, board.height() + kHeaderHeight + 2 * kMargin);
    return QPageSize(QSize(static_cast<int>(std::ceil(units.width() * kPointsPerUnit)),
                           static_cast<int>(std::ceil(units.height() * kPointsPerUnit))),
                     QString(), QPageSize::ExactMatch);
}

// The header line through the board's own text drawing, which keeps the spaces of the text a
// reader copies or searches.
void PaintHeader(QPainter& painter, const QString& header)
{
    const TGPFont font(painter.font().family(), kHeaderPixelSize * kPointsPerUnit);
    const float top = kMargin + (kHeaderHeight - QFontMetricsF(font.GetQFont(), painter.device()).height()) / 2.0f;
    TGPGraphics graphics(painter);
    graphics.DrawString(header, -1, font, {static_cast<float>(kMargin), top}, TGPSolidBrush(TGPColor(0xFF000000)));
}

void PaintNotesPage(QPainter& painter, const TPlaybackEngine& engine, const QString& header)
{
    const QSize board = engine.GetBoardSize();
    PaintHeader(painter, header);
    const QRectF place(kMargin, kMargin + kHeaderHeight, board.width(), board.height());
    painter.setPen(QPen(QColor::fromRgba(kFrameColour), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(place.adjusted(-0.5, -0.5, 0.5, 0.5));
    PaintWholeBoard(engine, painter, place);
}

} // namespace

int RunNotesCommand(const QStringList& args)
{
    const std::optional<TNotesArgs> parsed = ParseNotesArgs(args);
    if (!parsed) {
        ToolError(QStringLiteral("usage: ravo-tool notes --text LAUNCH_TEXT [--scale 1..4] -o OUT.pdf"));
        return kToolExitUsage;
    }
    const std::unique_ptr<TToolBoard> board =
        TToolBoard::Open(parsed->launchText, QStringLiteral("notes"), 1.0f, parsed->scale);
    if (!board) {
        return kToolExitProblem;
    }
    const TPlayerState& state = board->State();
    TPlaybackEngine& engine = board->Engine();
    const std::vector<TLectureInfo> pages = engine.GetLectureInfoList();

    // Written whole or not at all.
    QSaveFile file(parsed->output);
    if (!file.open(QIODevice::WriteOnly)) {
        ToolError(QStringLiteral("ravo-tool notes: cannot write %1").arg(parsed->output));
        return kToolExitProblem;
    }
    QPdfWriter pdf(&file);
    pdf.setResolution(kPdfResolution);
    pdf.setPageMargins(QMarginsF());
    pdf.setCreator(QStringLiteral("ravo-tool notes"));
    pdf.setTitle(QStringLiteral("강의 노트"));
    QPainter painter;
    for (size_t i = 0; i < pages.size(); ++i) {
        const TLectureInfo& page = pages[i];
        std::fprintf(stderr, "\rnotes: page %zu of %zu", i + 1, pages.size());
        std::fflush(stderr);
        engine.tabLecturePageClick(static_cast<int32_t>(i));
        engine.RedrawUntilMP3FrameNo(page.FrameCount);
        pdf.setPageSize(NotesPageSize(engine.GetBoardSize()));
        if (i == 0 ? !painter.begin(&pdf) : !pdf.newPage()) {
            std::fputs("\n", stderr);
            ToolError(QStringLiteral("ravo-tool notes: cannot write %1").arg(parsed->output));
            return kToolExitProblem;
        }
        PaintNotesPage(painter, engine, PageHeader(state, page, pages.size()));
    }
    std::fputs("\n", stderr);
    painter.end();
    if (!file.commit()) {
        ToolError(QStringLiteral("ravo-tool notes: cannot write %1").arg(parsed->output));
        return kToolExitProblem;
    }
    std::printf("%s: %zu pages\n", qPrintable(parsed->output), pages.size());
    return kToolExitOk;
}
