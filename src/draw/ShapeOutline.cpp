#include "draw/ShapeOutline.h"

#include <array>
#include <initializer_list>
#include <vector>

// Every builder works on single-precision values: each point, size term and arc box is worked
// out once from X, Y, W, H (in double) and stored as a float before it is used, so an outline
// comes out the same whichever way the terms are later combined.
// Polygons, ellipses and pies are closed figures of their own; a line after them starts a new
// figure.

namespace {

struct TFraction {
    double U;  // share of the width from the left edge
    double V;  // share of the height from the top edge
};

float Single(double value)
{
    return static_cast<float>(value);
}

// The point (X + u·W, Y + v·H).
TGPPointF At(const TGPRectF& b, double u, double v)
{
    return {Single(b.X + u * b.Width), Single(b.Y + v * b.Height)};
}

void AddFractionPolygon(TGPGraphicsPath& path, const TGPRectF& b, std::initializer_list<TFraction> fractions)
{
    std::vector<TGPPointF> points;
    points.reserve(fractions.size());
    for (const TFraction& f : fractions) {
        points.push_back(At(b, f.U, f.V));
    }
    path.AddPolygon(points);
}

void AddFractionLine(TGPGraphicsPath& path, const TGPRectF& b, TFraction from, TFraction to)
{
    path.AddLine(At(b, from.U, from.V), At(b, to.U, to.V));
}

// One polygon of fractions of the box.
void BuildPolygon(const TGPRectF& b, TGPGraphicsPath& path, std::initializer_list<TFraction> fractions)
{
    path.Reset();
    AddFractionPolygon(path, b, fractions);
}

constexpr double kThird = 1.0 / 3.0;
constexpr double kTwoThirds = 2.0 / 3.0;

// r: the corner radius of the rounded rectangle, from the shorter side (W on a tie).
float RoundCornerRadius(const TGPRectF& b)
{
    return Single(b.Width <= b.Height ? b.Width / 15.0 : b.Height / 15.0);
}

// s: the side of the right-angle mark, from the shorter side (H on a tie).
float RightAngleMarkSide(const TGPRectF& b)
{
    return Single(b.Width >= b.Height ? b.Height / 16.0 : b.Width / 16.0);
}

// m: the height of the elliptic rim of cone and cylinder, from the shorter side (H on a tie).
float RimHeight(const TGPRectF& b)
{
    return Single(b.Width >= b.Height ? b.Height / 4.0 : b.Width / 4.0);
}

void BuildRectangle(const TGPRectF& b, TGPGraphicsPath& path)
{
    path.Reset();
    path.AddRectangle(b);
}

// Four straight sides, each followed by its quarter arc of radius r. The sides stop d short of
// the next corner, so the figure joins each side's end to the arc's start by a short segment.
void BuildRoundRectangle(const TGPRectF& b, TGPGraphicsPath& path)
{
    path.Reset();
    const float r = RoundCornerRadius(b);
    const float d = Single(2.0 * r);
    const float left = Single(b.X + r);
    const float right = Single(b.X + b.Width);
    const float rightArc = Single(b.X + b.Width - d);
    const float top = Single(b.Y + r);
    const float bottom = Single(b.Y + b.Height);
    const float bottomArc = Single(b.Y + b.Height - d);
    path.AddLine(left, b.Y, rightArc, b.Y);
    path.AddArc(rightArc, b.Y, d, d, 270.0f, 90.0f);
    path.AddLine(right, top, right, bottomArc);
    path.AddArc(rightArc, bottomArc, d, d, 0.0f, 90.0f);
    path.AddLine(rightArc, bottom, left, bottom);
    path.AddArc(b.X, bottomArc, d, d, 90.0f, 90.0f);
    path.AddLine(b.X, bottomArc, b.X, top);
    path.AddArc(b.X, b.Y, d, d, 180.0f, 90.0f);
    path.CloseFigure();
}

void BuildEllipse(const TGPRectF& b, TGPGraphicsPath& path)
{
    path.Reset();
    path.AddEllipse(b);
}

void BuildDiamond(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0.5, 0}, {1, 0.5}, {0.5, 1}, {0, 0.5}});
}

// A right-angled triangle and, in its right-angle corner, the mark: two lines of length s that
// form a small square with the corner. Both lines go into one open figure, joined where the
// second does not start at the end of the first. The figure fills as a sliver inside the
// triangle; the winding rule keeps it from punching a hole.
struct TMarkLine {
    TGPPointF From;
    TGPPointF To;
};

void BuildRightAngledTriangle(const TGPRectF& b, TGPGraphicsPath& path, std::initializer_list<TFraction> corners,
                              const TMarkLine& first, const TMarkLine& second)
{
    path.Reset();
    AddFractionPolygon(path, b, corners);
    path.AddLine(first.From, first.To);
    path.AddLine(second.From, second.To);
    path.SetFillMode(TGPFillMode::Winding);
}

void BuildRBRightAngledTriangle(const TGPRectF& b, TGPGraphicsPath& path)
{
    const float s = RightAngleMarkSide(b);
    const TGPPointF mark{Single(b.X + b.Width - s), Single(b.Y + b.Height - s)};
    // Both lines start at the mark's corner, so the figure runs out to the right edge and back.
    BuildRightAngledTriangle(b, path, {{0, 1}, {1, 0}, {1, 1}}, {mark, {Single(b.X + b.Width), mark.Y}},
                             {mark, {mark.X, Single(b.Y + b.Height)}});
}

void BuildLBRightAngledTriangle(const TGPRectF& b, TGPGraphicsPath& path)
{
    const float s = RightAngleMarkSide(b);
    const TGPPointF mark{Single(b.X + s), Single(b.Y + b.Height - s)};
    BuildRightAngledTriangle(b, path, {{0, 0}, {1, 1}, {0, 1}}, {{b.X, mark.Y}, mark},
                             {mark, {mark.X, Single(b.Y + b.Height)}});
}

void BuildRTRightAngledTriangle(const TGPRectF& b, TGPGraphicsPath& path)
{
    const float s = RightAngleMarkSide(b);
    const TGPPointF mark{Single(b.X + b.Width - s), Single(b.Y + s)};
    BuildRightAngledTriangle(b, path, {{0, 0}, {1, 0}, {1, 1}}, {{mark.X, b.Y}, mark},
                             {mark, {Single(b.X + b.Width), mark.Y}});
}

// The kind's name promises the right angle in the top-left corner, like the three others that
// each put it in the corner they name.
void BuildLTRightAngledTriangle(const TGPRectF& b, TGPGraphicsPath& path)
{
    const float s = RightAngleMarkSide(b);
    const TGPPointF mark{Single(b.X + s), Single(b.Y + s)};
    BuildRightAngledTriangle(b, path, {{0, 0}, {1, 0}, {0, 1}}, {{b.X, mark.Y}, mark}, {mark, {mark.X, b.Y}});
}

void BuildTIsoscelesTriangle(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0.5, 0}, {1, 1}, {0, 1}});
}

void BuildBIsoscelesTriangle(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0}, {1, 0}, {0.5, 1}});
}

void BuildLIsoscelesTriangle(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0.5}, {1, 0}, {1, 1}});
}

void BuildRIsoscelesTriangle(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0}, {1, 0.5}, {0, 1}});
}

// A quarter of the ellipse twice the box's size, centred on the corner opposite the one named.
void BuildPie(const TGPRectF& b, TGPGraphicsPath& path, double boxU, double boxV, float startAngle)
{
    path.Reset();
    path.AddPie(Single(b.X + boxU * b.Width), Single(b.Y + boxV * b.Height), Single(2.0 * b.Width),
                Single(2.0 * b.Height), startAngle, 90.0f);
}

void BuildLTPie(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPie(b, path, 0, 0, 180.0f);
}

void BuildRTPie(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPie(b, path, -1, 0, 270.0f);
}

void BuildLBPie(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPie(b, path, 0, -1, 90.0f);
}

void BuildRBPie(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPie(b, path, -1, -1, 0.0f);
}

void BuildRBBentShape(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0.5}, {0.5, 0.5}, {0.5, 0}, {1, 0}, {1, 1}, {0, 1}});
}

void BuildLBBentShape(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0}, {0.5, 0}, {0.5, 0.5}, {1, 0.5}, {1, 1}, {0, 1}});
}

void BuildRTBentShape(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0}, {1, 0}, {1, 1}, {0.5, 1}, {0.5, 0.5}, {0, 0.5}});
}

void BuildLTBentShape(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0}, {1, 0}, {1, 0.5}, {0.5, 0.5}, {0.5, 1}, {0, 1}});
}

void BuildParallelogram(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{kThird, 0}, {1, 0}, {kTwoThirds, 1}, {0, 1}});
}

void BuildTrapezoid(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0.25, 0}, {0.75, 0}, {1, 1}, {0, 1}});
}

void BuildHexagon(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0.25, 0}, {0.75, 0}, {1, 0.5}, {0.75, 1}, {0.25, 1}, {0, 0.5}});
}

void BuildCrossShape(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path,
                 {{0, kThird}, {kThird, kThird}, {kThird, 0}, {kTwoThirds, 0}, {kTwoThirds, kThird}, {1, kThird},
                  {1, kTwoThirds}, {kTwoThirds, kTwoThirds}, {kTwoThirds, 1}, {kThird, 1}, {kThird, kTwoThirds},
                  {0, kTwoThirds}});
}

// The flows are two chevrons, each a closed polygon of its own.
void BuildTwoPolygons(const TGPRectF& b, TGPGraphicsPath& path, std::initializer_list<TFraction> first,
                      std::initializer_list<TFraction> second)
{
    path.Reset();
    AddFractionPolygon(path, b, first);
    AddFractionPolygon(path, b, second);
}

void BuildLeftFlow(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildTwoPolygons(b, path, {{0, 0.5}, {0.25, 0}, {0.5, 0}, {0.25, 0.5}, {0.5, 1}, {0.25, 1}},
                     {{0.5, 0.5}, {0.75, 0}, {1, 0}, {0.75, 0.5}, {1, 1}, {0.75, 1}});
}

void BuildRightFlow(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildTwoPolygons(b, path, {{0, 0}, {0.25, 0}, {0.5, 0.5}, {0.25, 1}, {0, 1}, {0.25, 0.5}},
                     {{0.5, 0}, {0.75, 0}, {1, 0.5}, {0.75, 1}, {0.5, 1}, {0.75, 0.5}});
}

void BuildTopFlow(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildTwoPolygons(b, path, {{0, 0.25}, {0.5, 0}, {1, 0.25}, {1, 0.5}, {0.5, 0.25}, {0, 0.5}},
                     {{0, 0.75}, {0.5, 0.5}, {1, 0.75}, {1, 1}, {0.5, 0.75}, {0, 1}});
}

void BuildBottomFlow(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildTwoPolygons(b, path, {{0, 0}, {0.5, 0.25}, {1, 0}, {1, 0.25}, {0.5, 0.5}, {0, 0.25}},
                     {{0, 0.5}, {0.5, 0.75}, {1, 0.5}, {1, 0.75}, {0.5, 1}, {0, 0.75}});
}

void BuildLeftArrow(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0.5}, {0.5, 0}, {0.5, 0.25}, {1, 0.25}, {1, 0.75}, {0.5, 0.75}, {0.5, 1}});
}

void BuildRightArrow(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0.25}, {0.5, 0.25}, {0.5, 0}, {1, 0.5}, {0.5, 1}, {0.5, 0.75}, {0, 0.75}});
}

void BuildTopArrow(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0.5}, {0.5, 0}, {1, 0.5}, {0.75, 0.5}, {0.75, 1}, {0.25, 1}, {0.25, 0.5}});
}

void BuildBottomArrow(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path, {{0, 0.5}, {0.25, 0.5}, {0.25, 0}, {0.75, 0}, {0.75, 0.5}, {1, 0.5}, {0.5, 1}});
}

// Five outer points; the inner points are where the star's chords cross.
void BuildStar(const TGPRectF& b, TGPGraphicsPath& path)
{
    path.Reset();
    const TGPPointF o0 = At(b, 0, kThird);
    const TGPPointF o1 = At(b, 0.5, 0);
    const TGPPointF o2 = At(b, 1, kThird);
    const TGPPointF o3 = At(b, 0.9, 1);
    const TGPPointF o4 = At(b, 0.1, 1);
    const TGPPointF i0 = GetCrossPoint(o0, o2, o1, o4);
    const TGPPointF i1 = GetCrossPoint(o1, o3, o0, o2);
    const TGPPointF i2 = GetCrossPoint(o4, o2, o1, o3);
    const TGPPointF i3 = GetCrossPoint(o0, o3, o4, o2);
    const TGPPointF i4 = GetCrossPoint(o1, o4, o0, o3);
    path.AddPolygon({o0, i0, o1, i1, o2, i2, o3, i3, o4, i4});
}

// The inner ellipse, half the size, is a hole under the even-odd fill.
void BuildDoughnut(const TGPRectF& b, TGPGraphicsPath& path)
{
    path.Reset();
    path.AddEllipse(b);
    path.AddEllipse(InflateRectF(b, Single(-b.Width / 4.0), Single(-b.Height / 4.0)));
}

void BuildLeftRightArrow(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path,
                 {{0, 0.5}, {kThird, 0}, {kThird, 0.25}, {kTwoThirds, 0.25}, {kTwoThirds, 0}, {1, 0.5},
                  {kTwoThirds, 1}, {kTwoThirds, 0.75}, {kThird, 0.75}, {kThird, 1}});
}

void BuildTopBottomArrow(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildPolygon(b, path,
                 {{0, kThird}, {0.5, 0}, {1, kThird}, {0.75, kThird}, {0.75, kTwoThirds}, {1, kTwoThirds},
                  {0.5, 1}, {0, kTwoThirds}, {0.25, kTwoThirds}, {0.25, kThird}});
}

// Three open figures, each one line: two end bars and the beam between them.
void BuildBeam(const TGPRectF& b, TGPGraphicsPath& path, std::array<std::array<TFraction, 2>, 3> lines)
{
    path.Reset();
    for (const auto& line : lines) {
        path.StartFigure();
        AddFractionLine(path, b, line[0], line[1]);
    }
}

void BuildHorzBeam(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildBeam(b, path, {{{{{0, 0.25}, {0, 0.75}}}, {{{1, 0.25}, {1, 0.75}}}, {{{0, 0.5}, {1, 0.5}}}}});
}

void BuildVertBeam(const TGPRectF& b, TGPGraphicsPath& path)
{
    BuildBeam(b, path, {{{{{0.25, 0}, {0.75, 0}}}, {{{0.25, 1}, {0.75, 1}}}, {{{0.5, 0}, {0.5, 1}}}}});
}

// A cube in oblique view: the silhouette, then the three visible inner edges, each an open
// figure of one line.
void BuildHexahedron(const TGPRectF& b, TGPGraphicsPath& path)
{
    path.Reset();
    AddFractionPolygon(path, b, {{0, 0.25}, {0.25, 0}, {1, 0}, {1, 0.75}, {0.75, 1}, {0, 1}});
    path.StartFigure();
    AddFractionLine(path, b, {0, 0.25}, {0.75, 0.25});
    path.StartFigure();
    AddFractionLine(path, b, {0.75, 0.25}, {0.75, 1});
    path.StartFigure();
    AddFractionLine(path, b, {0.75, 0.25}, {1, 0});
    path.SetFillMode(TGPFillMode::Winding);
}

// The silhouette, the back base edge and the front edge from apex to base, each line a closed
// figure of its own.
void BuildTriangularPyramid(const TGPRectF& b, TGPGraphicsPath& path)
{
    path.Reset();
    AddFractionPolygon(path, b, {{0, 0.75}, {0.5, 0}, {1, 0.75}, {0.5, 1}});
    AddFractionLine(path, b, {0, 0.75}, {1, 0.75});
    path.CloseFigure();
    AddFractionLine(path, b, {0.5, 0}, {0.5, 1});
    path.CloseFigure();
}

// The rim ellipse at the bottom and the two slanted sides, which end m/20 above the rim's
// mid-height.
void BuildCone(const TGPRectF& b, TGPGraphicsPath& path)
{
    path.Reset();
    const float m = RimHeight(b);
    const float e = Single(b.Y + b.Height - m / 2.0 - m / 20.0);
    const TGPPointF apex{Single(b.X + b.Width / 2.0), b.Y};
    path.AddEllipse(b.X, Single(b.Y + b.Height - m), b.Width, m);
    path.AddLine({b.X, e}, apex);
    path.AddLine(apex, {Single(b.X + b.Width), e});
    path.SetFillMode(TGPFillMode::Winding);
}

// One open figure down the right side, along the front half of the bottom rim and up the left
// side; then the whole top ellipse.
void BuildCylinder(const TGPRectF& b, TGPGraphicsPath& path)
{
    path.Reset();
    const float m = RimHeight(b);
    const float right = Single(b.X + b.Width);
    const float sideTop = Single(b.Y + m / 2.0);
    const float sideBottom = Single(b.Y + b.Height - m / 2.0);
    path.AddLine(right, sideTop, right, sideBottom);
    path.AddArc(b.X, Single(b.Y + b.Height - m), b.Width, m, 0.0f, 180.0f);
    path.AddLine(b.X, sideBottom, b.X, sideTop);
    path.AddEllipse(b.X, b.Y, b.Width, m);
    path.SetFillMode(TGPFillMode::Winding);
}

using TOutlineBuilder = void (*)(const TGPRectF&, TGPGraphicsPath&);

constexpr int kLastShapeType = 44;

// Indexed by the ShapeType value. Quadrant (39) and HalfQuadrant (40) are drawn from their box
// and have no outline.
constexpr std::array<TOutlineBuilder, kLastShapeType + 1> kOutlineBuilders = {
    nullptr,                     // 0 ShapeNone
    BuildRectangle,              // 1
    BuildRoundRectangle,         // 2
    BuildEllipse,                // 3
    BuildDiamond,                // 4
    BuildRBRightAngledTriangle,  // 5
    BuildLBRightAngledTriangle,  // 6
    BuildRTRightAngledTriangle,  // 7
    BuildLTRightAngledTriangle,  // 8
    BuildTIsoscelesTriangle,     // 9
    BuildBIsoscelesTriangle,     // 10
    BuildLIsoscelesTriangle,     // 11
    BuildRIsoscelesTriangle,     // 12
    BuildLTPie,                  // 13
    BuildRTPie,                  // 14
    BuildLBPie,                  // 15
    BuildRBPie,                  // 16
    BuildRBBentShape,            // 17
    BuildLBBentShape,            // 18
    BuildRTBentShape,            // 19
    BuildLTBentShape,            // 20
    BuildParallelogram,          // 21
    BuildTrapezoid,              // 22
    BuildHexagon,                // 23
    BuildCrossShape,             // 24
    BuildLeftFlow,               // 25
    BuildRightFlow,              // 26
    BuildTopFlow,                // 27
    BuildBottomFlow,             // 28
    BuildLeftArrow,              // 29
    BuildRightArrow,             // 30
    BuildTopArrow,               // 31
    BuildBottomArrow,            // 32
    BuildStar,                   // 33
    BuildDoughnut,               // 34
    BuildLeftRightArrow,         // 35
    BuildTopBottomArrow,         // 36
    BuildHorzBeam,               // 37
    BuildVertBeam,               // 38
    nullptr,                     // 39 Quadrant
    nullptr,                     // 40 HalfQuadrant
    BuildHexahedron,             // 41
    BuildTriangularPyramid,      // 42
    BuildCone,                   // 43
    BuildCylinder,               // 44
};

TOutlineBuilder FindBuilder(ShapeType shapeType)
{
    const auto value = static_cast<size_t>(shapeType);
    return value < kOutlineBuilders.size() ? kOutlineBuilders[value] : nullptr;
}

}  // namespace

bool HasShapeOutline(ShapeType shapeType)
{
    return FindBuilder(shapeType) != nullptr;
}

void BuildShapeOutline(ShapeType shapeType, const TGPRectF& bounds, TGPGraphicsPath& path)
{
    if (const TOutlineBuilder builder = FindBuilder(shapeType)) {
        builder(bounds, path);
    }
}
