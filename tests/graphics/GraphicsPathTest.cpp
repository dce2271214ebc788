// Figures, arcs, fill modes, bounds and hit tests of the vector path.
#include "platform/graphics/GPGraphicsPath.h"
#include "platform/graphics/GPPen.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using PT = TGPPathPointType;

TGPPointF BezierAt(const TGPPointF& p0, const TGPPointF& p1, const TGPPointF& p2, const TGPPointF& p3, float t)
{
    const float s = 1 - t;
    return {s * s * s * p0.X + 3 * s * s * t * p1.X + 3 * s * t * t * p2.X + t * t * t * p3.X,
            s * s * s * p0.Y + 3 * s * s * t * p1.Y + 3 * s * t * t * p2.Y + t * t * t * p3.Y};
}

// Largest distance from the ellipse of any sampled point of the figure's cubic segments,
// measured as |(x/a)^2 + (y/b)^2 - 1| scaled back to pixels.
float MaxEllipseError(const TGPPathFigure& figure, const TGPRectF& r, size_t firstCurvePoint)
{
    const float a = r.Width / 2, b = r.Height / 2, cx = r.X + a, cy = r.Y + b;
    float worst = 0;
    for (size_t i = firstCurvePoint; i + 3 < figure.Points.size() + 1 && i + 2 < figure.Points.size(); i += 3) {
        for (float t = 0; t <= 1.0f; t += 0.125f) {
            const TGPPointF p = BezierAt(figure.Points[i - 1], figure.Points[i], figure.Points[i + 1], figure.Points[i + 2], t);
            const float dx = (p.X - cx) / a, dy = (p.Y - cy) / b;
            worst = std::max(worst, std::abs(std::sqrt(dx * dx + dy * dy) - 1) * std::min(a, b));
        }
    }
    return worst;
}

TEST(GraphicsPath, ConsecutiveLinesFormOneFigureJoinedWhereTheyDoNotMeet)
{
    TGPGraphicsPath path;
    path.AddLine(0, 0, 10, 0);
    path.AddLine(10, 0, 10, 10);   // starts at the end: no extra segment
    path.AddLine(20, 10, 20, 20);  // starts elsewhere: joined by a straight segment
    ASSERT_EQ(path.GetFigureCount(), 1);
    const TGPPathFigure& f = path.GetFigure(0);
    EXPECT_EQ(f.Points, (std::vector<TGPPointF>{{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}}));
    EXPECT_EQ(f.Types, (std::vector<PT>{PT::Start, PT::Line, PT::Line, PT::Line, PT::Line}));
    EXPECT_FALSE(f.Closed);
}

TEST(GraphicsPath, StartCloseAndClosedShapesSeparateFigures)
{
    TGPGraphicsPath path;
    path.AddLine(0, 0, 10, 0);
    path.StartFigure();
    path.AddLine(0, 5, 10, 5);
    path.CloseFigure();
    path.AddLine(0, 9, 10, 9);  // after a close: a new figure
    path.AddRectangle({0, 20, 10, 10});
    path.AddLine(0, 40, 10, 40);  // after a closed shape: a new figure
    path.AddEllipse(0, 50, 20, 10);
    path.AddPolygon(std::vector<TGPPointF>{{0, 70}, {10, 70}, {5, 80}});
    path.AddPie(0, 90, 20, 20, 0, 90);
    ASSERT_EQ(path.GetFigureCount(), 8);
    const bool closed[] = {false, true, false, true, false, true, true, true};
    const int points[] = {2, 2, 2, 4, 2, 13, 3, 5};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(path.GetFigure(i).Closed, closed[i]) << i;
        EXPECT_EQ(static_cast<int>(path.GetFigure(i).Points.size()), points[i]) << i;
    }
    path.CloseAllFigures();
    for (const TGPPathFigure& f : path.GetFigures()) {
        EXPECT_TRUE(f.Closed);
    }
}

TEST(GraphicsPath, BeziersNeedThreeKPlusOnePointsAndExtendTheFigure)
{
    const TGPPointF pts[7] = {{0, 0}, {1, 1}, {2, 1}, {3, 0}, {4, 1}, {5, 1}, {6, 0}};
    for (int count : {0, 1, 2, 3, 5, 6}) {
        TGPGraphicsPath path;
        path.AddBeziers(pts, count);
        EXPECT_EQ(path.GetFigureCount(), 0) << count;
    }
    TGPGraphicsPath path;
    path.AddLine(-5, 0, -1, 0);
    path.AddBeziers(pts, 7);
    ASSERT_EQ(path.GetFigureCount(), 1);
    EXPECT_EQ(path.GetFigure(0).Types,
              (std::vector<PT>{PT::Start, PT::Line, PT::Line, PT::Bezier, PT::Bezier, PT::Bezier, PT::Bezier,
                               PT::Bezier, PT::Bezier}));
}

struct ArcCase {
    TGPRectF Rect;
    float Start, Sweep;
    TGPPointF ExpectedStart, ExpectedEnd;
};

// Angles run clockwise on the screen; a start angle is the ray's direction from the centre, so on
// a 200 x 100 ellipse 45 degrees lands where x = y, not at the parametric 45 degrees.
TEST(GraphicsPath, ArcsFollowScreenAnglesMeasuredOnTheEllipse)
{
    const float d = 100.0f / std::sqrt(5.0f);  // x = y on (x/100)^2 + (y/50)^2 = 1
    const ArcCase cases[] = {
        {{0, 0, 200, 100}, 0, 90, {200, 50}, {100, 100}},
        {{0, 0, 200, 100}, 90, 90, {100, 100}, {0, 50}},
        {{0, 0, 200, 100}, 0, -90, {200, 50}, {100, 0}},
        {{0, 0, 200, 100}, 45, 135, {100 + d, 50 + d}, {0, 50}},
        {{0, 0, 200, 100}, 180, 360, {0, 50}, {0, 50}},
        {{0, 0, 200, 100}, 270, 720, {100, 0}, {100, 0}},  // sweeps beyond a turn stop at one turn
        {{10, 10, 40, 40}, -45, 90, {30 + 20 / std::sqrt(2.0f), 30 - 20 / std::sqrt(2.0f)},
         {30 + 20 / std::sqrt(2.0f), 30 + 20 / std::sqrt(2.0f)}},
    };
    for (const ArcCase& c : cases) {
        TGPGraphicsPath path;
        path.AddArc(c.Rect, c.Start, c.Sweep);
        ASSERT_EQ(path.GetFigureCount(), 1);
        const TGPPathFigure& f = path.GetFigure(0);
        EXPECT_NEAR(f.Points.front().X, c.ExpectedStart.X, 1e-3) << c.Start << " " << c.Sweep;
        EXPECT_NEAR(f.Points.front().Y, c.ExpectedStart.Y, 1e-3) << c.Start << " " << c.Sweep;
        EXPECT_NEAR(f.Points.back().X, c.ExpectedEnd.X, 1e-3) << c.Start << " " << c.Sweep;
        EXPECT_NEAR(f.Points.back().Y, c.ExpectedEnd.Y, 1e-3) << c.Start << " " << c.Sweep;
        EXPECT_LT(MaxEllipseError(f, c.Rect, 1), 0.1f) << c.Start << " " << c.Sweep;
    }
    // Clockwise: a quarter from 0 passes through the lower right part of the ellipse.
    TGPGraphicsPath quarter;
    quarter.AddArc(0, 0, 200, 100, 0, 90);
    const TGPPathFigure& f = quarter.GetFigure(0);
    const TGPPointF mid = BezierAt(f.Points[0], f.Points[1], f.Points[2], f.Points[3], 0.5f);
    EXPECT_GT(mid.X, 100);
    EXPECT_GT(mid.Y, 50);
}

TEST(GraphicsPath, EllipseAndPieLieOnTheEllipseAndFillTheirInside)
{
    const TGPRectF r{10, 20, 120, 60};
    TGPGraphicsPath ellipse;
    ellipse.AddEllipse(r);
    EXPECT_LT(MaxEllipseError(ellipse.GetFigure(0), r, 1), 0.1f);
    EXPECT_EQ(ellipse.GetBounds(), r);

    TGPGraphicsPath pie;
    pie.AddPie(r, 0, 90);  // the lower right quarter
    const TGPPathFigure& f = pie.GetFigure(0);
    EXPECT_EQ(f.Points[0], (TGPPointF{70, 50}));
    EXPECT_EQ(f.Types[1], PT::Line);
    EXPECT_TRUE(f.Closed);
    EXPECT_TRUE(pie.IsVisible(90, 60));
    EXPECT_FALSE(pie.IsVisible(50, 60));  // lower left
    EXPECT_FALSE(pie.IsVisible(90, 40));  // upper right
    EXPECT_FALSE(pie.IsVisible(128, 78)); // inside the box, outside the ellipse
}

TEST(GraphicsPath, FillModeDecidesNestedFigures)
{
    TGPGraphicsPath path;
    path.AddRectangle({0, 0, 100, 100});
    path.AddRectangle({25, 25, 50, 50});  // same turning sense
    EXPECT_EQ(path.GetFillMode(), TGPFillMode::Alternate);
    EXPECT_FALSE(path.IsVisible(50, 50));
    EXPECT_TRUE(path.IsVisible(10, 50));
    path.SetFillMode(TGPFillMode::Winding);
    EXPECT_TRUE(path.IsVisible(50, 50));
    path.Reset();
    EXPECT_EQ(path.GetFillMode(), TGPFillMode::Alternate);
    EXPECT_EQ(path.GetFigureCount(), 0);
    EXPECT_FALSE(path.IsVisible(50, 50));
}

TEST(GraphicsPath, BoundsAreGeometricWithoutThePen)
{
    TGPGraphicsPath path;
    EXPECT_EQ(path.GetBounds(), (TGPRectF{0, 0, 0, 0}));
    path.AddLine(110, 10, 10, 10);
    EXPECT_EQ(path.GetBounds(), (TGPRectF{10, 10, 100, 0}));
    TGPPen pen(0xFF000000, 10);
    pen.SetStartCap(TGPLineCap::Round);
    pen.SetEndCap(TGPLineCap::Round);
    const TGPRectF wide = path.GetBounds(pen);
    EXPECT_NEAR(wide.X, 5, 0.05);
    EXPECT_NEAR(wide.Y, 5, 0.05);
    EXPECT_NEAR(wide.Width, 110, 0.1);
    EXPECT_NEAR(wide.Height, 10, 0.1);
}

struct OutlineCase {
    const char* Name;
    TGPLineCap Start, End;
    TGPPointF Point;
    bool Hit;
};

// A line from (100, 100) to (200, 100) of width 10.
TEST(GraphicsPath, OutlineHitFollowsWidthCapsAndArrowheads)
{
    const OutlineCase cases[] = {
        {"1 px beside", TGPLineCap::Flat, TGPLineCap::Flat, {150, 101}, true},
        {"4.9 px beside", TGPLineCap::Flat, TGPLineCap::Flat, {150, 104.9f}, true},
        {"6 px beside", TGPLineCap::Flat, TGPLineCap::Flat, {150, 106}, false},
        {"past flat end", TGPLineCap::Flat, TGPLineCap::Flat, {203, 100}, false},
        {"past round end", TGPLineCap::Round, TGPLineCap::Round, {203, 100}, true},
        {"round end corner", TGPLineCap::Round, TGPLineCap::Round, {204, 104}, false},
        {"past square end", TGPLineCap::Square, TGPLineCap::Square, {204, 104}, true},
        {"round start only", TGPLineCap::Round, TGPLineCap::Flat, {97, 100}, true},
        {"flat end of mixed", TGPLineCap::Round, TGPLineCap::Flat, {203, 100}, false},
        {"end arrow wing", TGPLineCap::Flat, TGPLineCap::Custom, {180, 112}, true},
        {"end arrow wing tip", TGPLineCap::Flat, TGPLineCap::Custom, {151, 124}, true},
        {"inside the open V", TGPLineCap::Flat, TGPLineCap::Custom, {160, 110}, false},
        {"start has no arrow", TGPLineCap::Flat, TGPLineCap::Custom, {120, 112}, false},
    };
    for (const OutlineCase& c : cases) {
        TGPGraphicsPath path;
        path.AddLine(100, 100, 200, 100);
        TGPPen pen(0xFF000000, 10);
        pen.SetStartCap(c.Start);
        if (c.End == TGPLineCap::Custom) {
            pen.SetCustomEndCap(TGPAdjustableArrowCap(5, 5, false));
        } else {
            pen.SetEndCap(c.End);
        }
        EXPECT_EQ(path.IsOutlineVisible(c.Point, pen), c.Hit) << c.Name;
    }
}

TEST(GraphicsPath, DashedOutlineHasGapsAndZeroLengthRoundLineIsADot)
{
    TGPGraphicsPath path;
    path.AddLine(0, 0, 100, 0);
    TGPPen pen(0xFF000000, 2);
    pen.SetDashStyle(TGPDashStyle::Dash);  // dash 6 px, gap 2 px
    EXPECT_TRUE(path.IsOutlineVisible(3, 0, pen));
    EXPECT_FALSE(path.IsOutlineVisible(7, 0, pen));
    EXPECT_TRUE(path.IsOutlineVisible(9, 0, pen));

    TGPGraphicsPath dot;
    dot.AddLine(50, 50, 50, 50);
    TGPPen round(0xFF000000, 10);
    round.SetStartCap(TGPLineCap::Round);
    round.SetEndCap(TGPLineCap::Round);
    EXPECT_TRUE(dot.IsOutlineVisible(53, 53, round));
    EXPECT_FALSE(dot.IsOutlineVisible(54, 54, round));
    TGPPen flat(0xFF000000, 10);
    EXPECT_FALSE(dot.IsOutlineVisible(50, 50, flat));
}

TEST(GraphicsPath, NonFiniteInputAddsNothing)
{
    TGPGraphicsPath path;
    path.AddLine(0, 0, NAN, 1);
    path.AddArc(0, 0, INFINITY, 10, 0, 90);
    path.AddEllipse(0, NAN, 10, 10);
    const TGPPointF bad[4] = {{0, 0}, {1, 1}, {NAN, 2}, {3, 3}};
    path.AddBeziers(bad, 4);
    path.AddPolygon(bad, 4);
    EXPECT_EQ(path.GetFigureCount(), 0);
    EXPECT_FALSE(path.IsVisible(NAN, 0));
}

}  // namespace
