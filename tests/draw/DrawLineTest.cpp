// Lines: bounds from the segment, arrowheads and caps as drawn, dashes, hit tests.
#include "draw/DrawLine.h"
#include "DrawTestSupport.h"
#include "session/CommDefine.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TDrawLine> NewLine(TGPPointF start, TGPPointF end, LineArrow arrow = 1, LineType type = 1,
                                   Thickness thickness = 4, int opacity = 100, int colorIndex = 6)
{
    auto line = std::make_unique<TDrawLine>(nullptr, 1, arrow, type, opacity, colorIndex, thickness);
    line->SetStartPoint(start);
    line->SetEndPoint(end);
    return line;
}

TEST(DrawLine, BoundsFollowTheSegment)
{
    struct Case {
        TGPPointF Start, End;
        TGPRectF Bounds, PaintBounds;
    };
    const Case cases[] = {
        {{10, 10}, {110, 10}, {10, 10, 100, 0}, {-10, -10, 140, 40}},
        {{110, 60}, {10, 10}, {10, 10, 100, 50}, {-10, -10, 140, 90}},
    };
    for (const Case& c : cases) {
        const auto line = NewLine(c.Start, c.End);
        EXPECT_EQ(line->GetBounds(), c.Bounds);
        EXPECT_EQ(line->GetPaintBounds(), c.PaintBounds);
        EXPECT_EQ(line->GetStartPoint(), c.Start);
        EXPECT_EQ(line->GetDrawType(), DrawType::Line);
    }
    TDrawLine line(nullptr, 4, 1, 1, 0, 0, 2);
    TGPRectF unset;
    InitUnsetRect(unset);
    line.SetBounds(unset);
    EXPECT_EQ(line.GetBounds(), unset);  // kept until an end point is set
    line.InitBounds(5, 7);
    EXPECT_EQ(line.GetStartPoint(), (TGPPointF{5, 7}));
    EXPECT_EQ(line.GetEndPoint(), (TGPPointF{5, 7}));
    EXPECT_EQ(line.GetBounds(), (TGPRectF{5, 7, 0, 0}));
    EXPECT_EQ(line.GetPaintBounds(), (TGPRectF{-15, -13, 40, 40}));
    line.SetBounds({0, 0, 1, 1});  // stored only; the end points stay
    EXPECT_EQ(line.GetStartPoint(), (TGPPointF{5, 7}));
    line.SetEndPoint({9, 7});
    EXPECT_EQ(line.GetBounds(), (TGPRectF{5, 7, 4, 0}));
}

TEST(DrawLine, RestylingChangesTheDrawingButNotTheBounds)
{
    const auto line = NewLine({100, 100}, {300, 100}, 1, 1);
    const TGPRectF bounds = line->GetBounds();
    const TGPBitmap before = Render(400, 200, [&](TGPGraphics& g) { line->Draw(g); });
    line->SetLineArrow(4);
    line->SetLineType(2);
    line->SetLineColorIndex(61);
    line->SetLineOpacity(50);
    line->SetLineThickness(3);
    EXPECT_EQ(line->GetBounds(), bounds);
    EXPECT_EQ(line->GetLineColor(), 0x80FF0000u);
    EXPECT_EQ(line->GetLineAlpha(), 128);
    const TGPBitmap after = Render(400, 200, [&](TGPGraphics& g) { line->Draw(g); });
    EXPECT_NE(before.GetPixel(150, 100), after.GetPixel(150, 100));
}

// A 10 px line from (100, 100) to (300, 100). Arrowheads are 50 px long and 50 px wide, their
// wings passing (125, 87.5) at the start and (275, 87.5) at the end; round caps reach 5 px past
// the ends, and so does an arrowhead's pointed tip.
TEST(DrawLine, ArrowValuesPutOpenArrowheadsOrCapsAtTheirEnds)
{
    struct Case {
        LineArrow Arrow;
        bool StartWing, EndWing, PastStart, PastEnd;
    };
    const Case cases[] = {
        {0, false, false, false, false}, {1, false, false, true, true}, {2, true, false, true, false},
        {3, false, true, false, true},   {4, true, true, true, true},   {5, false, false, false, false},
    };
    for (const Case& c : cases) {
        const auto line = NewLine({100, 100}, {300, 100}, c.Arrow);
        const TGPBitmap board = Render(400, 200, [&](TGPGraphics& g) { line->Draw(g); });
        const int arrow = c.Arrow;
        EXPECT_EQ(Painted(board, 125, 87), c.StartWing) << arrow;
        EXPECT_EQ(Painted(board, 125, 112), c.StartWing) << arrow;
        EXPECT_EQ(Painted(board, 274, 87), c.EndWing) << arrow;
        EXPECT_EQ(Painted(board, 274, 112), c.EndWing) << arrow;
        EXPECT_EQ(Painted(board, 96, 100), c.PastStart) << arrow;
        EXPECT_EQ(Painted(board, 303, 100), c.PastEnd) << arrow;
        EXPECT_FALSE(Painted(board, 140, 100 - 12)) << arrow;  // inside the V: open, not filled
        EXPECT_EQ(board.GetPixel(200, 100), 0xFF000000u) << arrow;
        // Arrowheads reach past the paint bounds; the paint extent covers all that is painted.
        EXPECT_TRUE(AllPaintInside(board, line->GetPaintExtent())) << arrow;
    }
    // Arrow 2 sits at the start point whichever way the line runs.
    const auto reversed = NewLine({300, 100}, {100, 100}, 2);
    const TGPBitmap board = Render(400, 200, [&](TGPGraphics& g) { reversed->Draw(g); });
    EXPECT_TRUE(Painted(board, 274, 87));
    EXPECT_FALSE(Painted(board, 125, 87));
}

TEST(DrawLine, DashedLinesHaveGapsWhereSolidOnesHaveNone)
{
    for (const LineArrow arrow : {0, 1}) {  // round ends do not close the gaps
        for (const LineType type : {1, 2, 3}) {
            const auto line = NewLine({10, 50.5f}, {210, 50.5f}, arrow, type, 2);
            const TGPBitmap board = Render(220, 100, [&](TGPGraphics& g) { line->Draw(g); });
            int gaps = 0;
            for (int x = 20; x < 200; ++x) {
                gaps += AlphaAt(board, x, 50) < 40 ? 1 : 0;
            }
            if (type == 2) {
                EXPECT_GT(gaps, 15) << int(arrow);  // 2.5 px gaps every 10 px
            } else {
                EXPECT_EQ(gaps, 0) << int(arrow) << " " << int(type);
            }
        }
    }
}

TEST(DrawLine, OpacityFiftyOfColourSixtyOnePaintsHalfAlphaRed)
{
    const auto line = NewLine({10, 20}, {90, 20}, 1, 1, 4, 50, 61);
    const TGPBitmap board = Render(100, 40, [&](TGPGraphics& g) { line->Draw(g); });
    EXPECT_EQ(board.GetPixel(50, 20), 0x80FF0000u);
}

TEST(DrawLine, HitTestUsesTheLinePenOutline)
{
    struct Case {
        const char* Name;
        LineArrow Arrow;
        TGPPointF Point;
        bool Hit;
    };
    // Thickness 4 is 10 px wide.
    const Case cases[] = {
        {"1 px beside", 1, {200, 101}, true},     {"6 px beside", 1, {200, 106}, false},
        {"past round end", 1, {303, 100}, true},  {"past flat end", 0, {303, 100}, false},
        {"on an end wing", 3, {275, 87.5f}, true}, {"no wing at start", 3, {125, 87.5f}, false},
        {"start wing", 4, {125, 112.5f}, true},
    };
    for (const Case& c : cases) {
        const auto line = NewLine({100, 100}, {300, 100}, c.Arrow);
        EXPECT_EQ(line->HitTest(c.Point), c.Hit) << c.Name;
    }
}

}  // namespace
