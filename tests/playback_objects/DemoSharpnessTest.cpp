// The demo's first page (a lined note: ruled lines, handwriting, lines, a framed shape, a marker)
// as it stands at its end, drawn for screens of device pixel ratio 1, 1.5 and 2: the board the
// player shows is drawn at the device's pixels, equal to the board drawn directly at that size;
// not the ratio-1 board stretched (at ratio 2 its edges would come in 2 x 2 blocks, at 1.5 they
// would be soft), and its ruled lines keep their full colour.

#include "DemoTestSupport.h"

#include "support/Sharpness.h"

#include <cmath>

namespace {

constexpr QRect kPage(0, 0, 1024, 720);
// The lined note's rule: the last row of every 32.
constexpr int kRuleEvery = 32;
constexpr int kRuleRow = 31;
constexpr int kColourTolerance = 8;

struct TBoards {
    QImage board;       // at the page's end
    QImage paper;       // at its start: the page's picture alone
    QImage reference;   // at its end, drawn directly at the device size the plain way
};

class DemoSharpnessTest : public DemoPlaybackTest {
protected:
    // The demo is written once; each ratio has an engine and a view of its own.
    TBoards BoardsAt(qreal p_dRatio)
    {
        m_engine.reset();
        m_view = THeadlessPlaybackView();
        m_dDevicePixelRatio = p_dRatio;
        m_bWarmUp = false;   // nothing here is sought ahead
        if (m_bWritten) {
            Start();
        } else {
            StartDemo();
            m_bWritten = true;
        }
        TBoards boards;
        m_engine->tabLecturePageClick(0);
        boards.paper = Argb(m_engine->GetRenderedBoard());
        m_engine->RedrawUntilMP3FrameNo(m_engine->GetLectureInfoList()[0].FrameCount);
        boards.board = Argb(m_engine->GetRenderedBoard());
        boards.reference = Argb(FullRepaint(*m_engine).copy(DeviceRect(kPage, p_dRatio)));
        return boards;
    }

    static QImage Argb(const QImage& p_image) { return p_image.convertToFormat(QImage::Format_ARGB32); }

    bool m_bWritten = false;
};

// Within the tolerance in every channel.
bool SameColour(QRgb p_a, QRgb p_b)
{
    return std::abs(qRed(p_a) - qRed(p_b)) <= kColourTolerance && std::abs(qGreen(p_a) - qGreen(p_b)) <= kColourTolerance &&
           std::abs(qBlue(p_a) - qBlue(p_b)) <= kColourTolerance;
}

// The device rows that lie wholly inside a logical row at the ratio.
std::pair<int, int> WholeDeviceRows(int p_nLogicalRow, qreal p_dRatio)
{
    return {static_cast<int>(std::ceil(p_nLogicalRow * p_dRatio)),
            static_cast<int>(std::floor((p_nLogicalRow + 1) * p_dRatio)) - 1};
}

TEST_F(DemoSharpnessTest, BoardIsDrawnAtTheDevicePixelsNotStretched)
{
    const TBoards one = BoardsAt(1.0);
    ASSERT_EQ(one.board.size(), kPage.size());
    EXPECT_EQ(DifferingPixels(one.board, one.reference), 0);

    for (const qreal ratio : {1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        const TBoards sharp = BoardsAt(ratio);
        ASSERT_EQ(sharp.board.size(), DeviceSize(kPage.size(), ratio));
        EXPECT_EQ(DifferingPixels(sharp.board, sharp.reference), 0);

        // The ratio-1 board stretched smoothly to this size: what the window showed before.
        const QSize size = sharp.board.size();
        const QImage stretched = one.board.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage stretchedPaper = one.paper.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double energy = sharpness::InkEdgeEnergy(sharp.board, sharp.paper);
        const double stretchedEnergy = sharpness::InkEdgeEnergy(stretched, stretchedPaper);
        EXPECT_GT(energy, 1.25 * stretchedEnergy) << "drawn " << energy << ", stretched " << stretchedEnergy;
    }

    // At ratio 2 the slanted and curved edges of the ink are drawn pixel by pixel: few of them lie
    // in a block of one colour, where the ratio-1 board stretched without smoothing has nothing
    // else.
    const TBoards two = BoardsAt(2.0);
    const double share = sharpness::UniformBlockShare(two.board, two.paper);
    const QImage blocks = one.board.scaled(two.board.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QImage blockPaper = one.paper.scaled(two.board.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_GT(sharpness::UniformBlockShare(blocks, blockPaper), 0.99);
    EXPECT_LT(share, 0.2) << "edge pixels in uniform 2 x 2 blocks";
}

// Every device row wholly inside a ruled line has the line's full colour (read on the ratio-1
// paper); a stretched line would spread over its neighbours, paler. Taken where no ink lies, at
// columns along the page.
TEST_F(DemoSharpnessTest, RuledLinesKeepTheirFullColour)
{
    const QImage paper = BoardsAt(1.0).paper;
    for (const qreal ratio : {1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage dense = BoardsAt(ratio).paper;
        int checked = 0;
        for (int line = kRuleRow; line < kPage.height(); line += kRuleEvery) {
            const auto [first, last] = WholeDeviceRows(line, ratio);
            ASSERT_LE(first, last) << "line " << line;
            for (int x = 16; x < kPage.width(); x += 97) {
                const QRgb rule = paper.pixel(x, line);
                ASSERT_FALSE(SameColour(rule, paper.pixel(x, line - 2))) << "a rule at " << line;
                for (int row = first; row <= last; ++row) {
                    const int column = static_cast<int>(std::floor((x + 0.5) * ratio));
                    EXPECT_TRUE(SameColour(dense.pixel(column, row), rule))
                        << "line " << line << ", x " << x << ", device row " << row << ": " << std::hex
                        << dense.pixel(column, row) << " for " << rule;
                    ++checked;
                }
            }
        }
        EXPECT_GT(checked, 200);
    }
}

} // namespace
