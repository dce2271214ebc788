// The handwriting font and the packet script the demo is written with.

#include "Handwriting.h"
#include "PacketScript.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double Distance(QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

TEST(Handwriting, ResampledLinesKeepBothEndsAndAnEvenStep)
{
    struct TCase {
        TPenLine line;
        double step;
    };
    const TCase cases[] = {
        {{{0, 0}, {100, 0}}, 10},                 // one long segment
        {{{0, 0}, {3, 0}, {6, 0}, {9, 4}}, 2.5},  // many short segments
        {{{0, 0}, {0, 7}}, 10},                   // shorter than one step
    };
    for (const TCase& c : cases) {
        const TPenLine out = ResamplePenLine(c.line, c.step);
        ASSERT_GE(out.size(), 2u);
        EXPECT_EQ(out.front(), c.line.front());
        EXPECT_EQ(out.back(), c.line.back());
        for (std::size_t i = 1; i < out.size(); ++i)
            EXPECT_LE(Distance(out[i - 1], out[i]), c.step * 1.36) << "gap after point " << i - 1;
    }
}

TEST(Handwriting, EveryFormulaCharacterHasInkAndSuperscriptsAreSmallAndRaised)
{
    const double h = 50;
    for (const QChar c : QStringLiteral("0123456789abcx+-=()")) {
        const auto glyphs = LayoutHandwriting(QString(c), QPointF(0, 0), h);
        ASSERT_EQ(glyphs.size(), 1u) << QString(c).toStdString();
        EXPECT_FALSE(glyphs[0].strokes.empty());
        for (const TPenLine& stroke : glyphs[0].strokes)
            for (const QPointF& p : stroke)
                EXPECT_TRUE(p.y() >= -0.01 && p.y() <= h + 0.01) << QString(c).toStdString();
    }
    const auto squared = LayoutHandwriting("x^2?", QPointF(10, 100), h);
    ASSERT_EQ(squared.size(), 2u) << "the unknown '?' is skipped";
    EXPECT_LT(squared[1].box.height(), squared[0].box.height());
    EXPECT_LT(squared[1].box.top(), squared[0].box.top());
    EXPECT_GE(squared[1].box.left(), squared[0].box.right());
}

TEST(PacketScript, FramesNeverGoBackAndWritingEndsNearItsTarget)
{
    TPacketScript script;
    script.Add(1000, kPointerShow, 0);
    script.Add(400, kPointerHide, 0);        // asked for earlier: held at the previous time
    const TWriting w = script.Write("12", QPointF(0, 0), 60, TInk{6, 3}, 1100, 2600);
    for (std::size_t i = 1; i < script.Items().size(); ++i)
        EXPECT_GE(script.Items()[i].FrameNo, script.Items()[i - 1].FrameNo);
    EXPECT_EQ(script.Items()[1].FrameNo, script.Items()[0].FrameNo);
    EXPECT_NEAR(w.endMs, 2600, 200);
    EXPECT_EQ(script.ToFileBytes().size(), static_cast<qsizetype>(script.Items().size() * kPacketItemSize));
}

} // namespace
