// ravo-tool notes run as a program on the demo: one PDF page per lecture page, each with its
// header line (lecture key, page number, length) and the board as it stands when the page ends.
// The PDF is drawn back with poppler at the board's resolution and held against the engine's
// own board (the last page against ravo-tool render of the session's end); the text of the
// headers and of the board's rich text is text in the PDF. The PDF is written next to the test
// program (demo-notes.pdf); docs/demo-notes.pdf is a copy.

#include "DemoTestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>

namespace {

// Where the notes place the board on a page, in board pixels (96 per inch): below the margin
// and the header band.
constexpr int kBoardLeft = 24;
constexpr int kBoardTop = 24 + 36;
constexpr int kPdfResolution = 96;

// A poppler program's standard output; empty when it failed.
QString RunPoppler(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPageCount(const QString& pdf)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
            .match(RunPoppler(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The pictures poppler finds on a page of the PDF (transparency masks not counted).
int PdfPageImageCount(const QString& pdf, size_t page)
{
    const QString number = QString::number(page);
    const QStringList rows = RunPoppler(QStringLiteral("pdfimages"),
                                        {QStringLiteral("-list"), QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf})
                                 .split('\n', Qt::SkipEmptyParts);
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const QString& row) {
        return row.simplified().section(' ', 2, 2) == QLatin1String("image");
    }));
}

// One page of the PDF drawn at the board's resolution.
QImage PdfPageImage(const QString& pdf, int page, const QString& prefix)
{
    RunPoppler(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kPdfResolution), QStringLiteral("-f"),
                                            QString::number(page), QStringLiteral("-l"), QString::number(page),
                                            QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_ARGB32);
}

// The text of a PDF page as poppler reads it (as a reader copies or searches it), its runs of
// white space made single spaces.
QString PdfPageText(const QString& pdf, size_t page)
{
    const QString number = QString::number(page);
    return RunPoppler(QStringLiteral("pdftotext"), {QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf,
                                                    QStringLiteral("-")})
        .simplified();
}

bool Alike(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The share of the ink of `a` (its pixels far in colour from the bare paper's) that has a pixel
// of like colour at most one pixel away in `b`: two renderers smooth edges differently, but a
// stroke missing or out of place leaves its ink without a match.
double MatchedInkShare(const QImage& a, const QImage& b, const QImage& paper)
{
    constexpr int kInk = 80;
    constexpr int kTolerance = 40;
    int64_t ink = 0;
    int64_t matched = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb colour = a.pixel(x, y);
            if (Alike(colour, paper.pixel(x, y), kInk)) {
                continue;
            }
            ++ink;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy) {
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    const QPoint near(x + dx, y + dy);
                    found = b.rect().contains(near) && Alike(colour, b.pixel(near), kTolerance);
                }
            }
            matched += found ? 1 : 0;
        }
    }
    return ink == 0 ? 0.0 : static_cast<double>(matched) / static_cast<double>(ink);
}

class NotesToolTest : public DemoPlaybackTest {};

TEST_F(NotesToolTest, DemoNotesHoldEveryPageBoardAsThePageEnds)
{
    const QString roaming = m_dir.filePath("roaming");
    StartToolDemo(roaming);
    const QString pdf = m_dir.filePath("notes.pdf");
    const TToolRun run = RunRavoTool(roaming, {"notes", "--text", QString::fromLatin1(kDemoLaunchText), "-o", pdf});
    ASSERT_EQ(run.exitCode, 0);
    const std::vector<TLectureInfo> pages = m_engine->GetLectureInfoList();
    ASSERT_EQ(PdfPageCount(pdf), static_cast<int>(pages.size()));
    QFile::remove(QStringLiteral(RAVO_DEMO_NOTES_PATH));
    ASSERT_TRUE(QFile::copy(pdf, QStringLiteral(RAVO_DEMO_NOTES_PATH)));

    // The session's end by ravo-tool render: the last page's board as it ends.
    const QString endPng = m_dir.filePath("end.png");
    ASSERT_EQ(RunRavoTool(roaming, {"render", "--text", QString::fromLatin1(kDemoLaunchText), "--at",
                                    QString::number(m_state.m_intAllMileSecond - 1), "-o", endPng})
                  .exitCode,
              0);

    const QString lectureKeys[] = {QStringLiteral("1234"), QStringLiteral("1234"), QStringLiteral("57"), QStringLiteral("57")};
    ASSERT_EQ(pages.size(), std::size(lectureKeys));
    for (size_t i = 0; i < pages.size(); ++i) {
        const TLectureInfo& page = pages[i];
        SCOPED_TRACE(::testing::Message() << "page " << i << " (" << page.PageID.toStdString() << ")");
        m_engine->tabLecturePageClick(static_cast<int32_t>(i));
        const QRect area(QPoint(0, 0), m_engine->GetBoardSize());
        ASSERT_EQ(ObjectCount(), 0);
        const QImage paper = FullRepaint(*m_engine).copy(area).convertToFormat(QImage::Format_ARGB32);
        m_engine->RedrawUntilMP3FrameNo(page.FrameCount);
        const QImage expected = i + 1 == pages.size()
            ? QImage(endPng).convertToFormat(QImage::Format_ARGB32)
            : FullRepaint(*m_engine).copy(area).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(expected.size(), area.size());

        const QImage drawn = PdfPageImage(pdf, static_cast<int>(i) + 1, m_dir.filePath(QStringLiteral("page%1").arg(i)));
        ASSERT_GE(drawn.width(), kBoardLeft + area.width());
        ASSERT_GE(drawn.height(), kBoardTop + area.height());
        const QImage board = drawn.copy(QRect(QPoint(kBoardLeft, kBoardTop), area.size()));
        // Edges drawn by two renderers leave 1 to 2 % of the ink unmatched; a stroke missing from
        // the demo's boards takes 4 % or more, a board two pixels out of place 25 % or more.
        EXPECT_GE(MatchedInkShare(expected, board, paper), 0.97);
        EXPECT_GE(MatchedInkShare(board, expected, paper), 0.97);

        // Pictures stay pictures and nothing else becomes one: at most the board's own picture
        // besides the picture and marker objects.
        int pictures = 0;
        for (int k = 0; k < ObjectCount(); ++k) {
            const DrawType type = m_engine->GetDrawManager().GetDraw(k)->GetDrawType();
            pictures += type == DrawType::Image || type == DrawType::PopBlinker ? 1 : 0;
        }
        EXPECT_LE(PdfPageImageCount(pdf, i + 1), pictures + 1);

        // The header reads as it is printed, its spaces too (no control character stands for them).
        const QString text = PdfPageText(pdf, i + 1);
        const QString header = QStringLiteral("강의 %1 · %2 / %3 p · %4")
                                   .arg(lectureKeys[i])
                                   .arg(i + 1)
                                   .arg(pages.size())
                                   .arg(FormatPlayTime(static_cast<uint32_t>(page.PlayMileSeconds)));
        EXPECT_TRUE(text.startsWith(header)) << header.toStdString() << " in " << text.toStdString();
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\p{Cc}")))) << text.toStdString();
    }
    // The board's Korean rich text is text in the PDF, word for word as on the board.
    const QString last = PdfPageText(pdf, pages.size());
    EXPECT_TRUE(last.contains(QStringLiteral("식 & 넓이: 두 방법 모두 같은 값!"))) << last.toStdString();
    EXPECT_TRUE(last.contains(QStringLiteral("정리: (x + 1)² = x² + 2x + 1"))) << last.toStdString();
}

TEST_F(NotesToolTest, RefusesWrongArgumentsAndWritesNothing)
{
    const QString roaming = m_dir.filePath("roaming");
    const QString pdf = m_dir.filePath("x.pdf");
    const QString text = QString::fromLatin1(kDemoLaunchText);
    const struct {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{"notes", "--text", text}, 2},
        {{"notes", "-o", pdf}, 2},
        {{"notes", "--text", text, "-o", pdf, "--zoom", "2"}, 2},
        {{"notes", "--text", text, "-o"}, 2},
        {{"notes", "--text", "A&S1", "-o", pdf}, 1},   // a launch text without a lecture count
        {{"notes", "--text", text, "-o", pdf}, 1},     // no session in that data folder
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunRavoTool(roaming, c.args).exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_FALSE(QFileInfo::exists(pdf));
    }
}

} // namespace
