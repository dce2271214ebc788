// The outlines of the shape catalogue, checked against the catalogue's points, arc boxes and
// angles, figures and fill modes, mostly with its worked cases.
#include "draw/ShapeOutline.h"

#include "ShapeTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TGPGraphicsPath Outline(ShapeType type, const TGPRectF& bounds)
{
    TGPGraphicsPath path;
    BuildShapeOutline(type, bounds, path);
    return path;
}

struct TFractionPoint {
    double U;
    double V;
};

std::vector<TGPPointF> PointsIn(const TGPRectF& b, const std::vector<TFractionPoint>& fractions)
{
    std::vector<TGPPointF> points;
    for (const TFractionPoint& f : fractions) {
        points.push_back({static_cast<float>(b.X + f.U * b.Width), static_cast<float>(b.Y + f.V * b.Height)});
    }
    return points;
}

constexpr double kThird = 1.0 / 3.0;
constexpr double kTwoThirds = 2.0 / 3.0;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Polygons: one closed figure with the tabled corners in order, even-odd fill.

TEST(ShapeOutline, PolygonKindsGiveOneClosedFigureWithTheTabledCornersInOrder)
{
    const struct {
        ShapeType type;
        std::vector<TFractionPoint> corners;
    } cases[] = {
        {ShapeType::Diamond, {{0.5, 0}, {1, 0.5}, {0.5, 1}, {0, 0.5}}},
        {ShapeType::TIsoscelesTriangle, {{0.5, 0}, {1, 1}, {0, 1}}},
        {ShapeType::BIsoscelesTriangle, {{0, 0}, {1, 0}, {0.5, 1}}},
        {ShapeType::LIsoscelesTriangle, {{0, 0.5}, {1, 0}, {1, 1}}},
        {ShapeType::RIsoscelesTriangle, {{0, 0}, {1, 0.5}, {0, 1}}},
        {ShapeType::RBBentShape, {{0, 0.5}, {0.5, 0.5}, {0.5, 0}, {1, 0}, {1, 1}, {0, 1}}},
        {ShapeType::LBBentShape, {{0, 0}, {0.5, 0}, {0.5, 0.5}, {1, 0.5}, {1, 1}, {0, 1}}},
        {ShapeType::RTBentShape, {{0, 0}, {1, 0}, {1, 1}, {0.5, 1}, {0.5, 0.5}, {0, 0.5}}},
        {ShapeType::LTBentShape, {{0, 0}, {1, 0}, {1, 0.5}, {0.5, 0.5}, {0.5, 1}, {0, 1}}},
        {ShapeType::Parallelogram, {{kThird, 0}, {1, 0}, {kTwoThirds, 1}, {0, 1}}},
        {ShapeType::Trapezoid, {{0.25, 0}, {0.75, 0}, {1, 1}, {0, 1}}},
        {ShapeType::Hexagon, {{0.25, 0}, {0.75, 0}, {1, 0.5}, {0.75, 1}, {0.25, 1}, {0, 0.5}}},
        {ShapeType::CrossShape,
         {{0, kThird}, {kThird, kThird}, {kThird, 0}, {kTwoThirds, 0}, {kTwoThirds, kThird}, {1, kThird},
          {1, kTwoThirds}, {kTwoThirds, kTwoThirds}, {kTwoThirds, 1}, {kThird, 1}, {kThird, kTwoThirds},
          {0, kTwoThirds}}},
        {ShapeType::LeftArrow, {{0, 0.5}, {0.5, 0}, {0.5, 0.25}, {1, 0.25}, {1, 0.75}, {0.5, 0.75}, {0.5, 1}}},
        {ShapeType::RightArrow, {{0, 0.25}, {0.5, 0.25}, {0.5, 0}, {1, 0.5}, {0.5, 1}, {0.5, 0.75}, {0, 0.75}}},
        {ShapeType::TopArrow, {{0, 0.5}, {0.5, 0}, {1, 0.5}, {0.75, 0.5}, {0.75, 1}, {0.25, 1}, {0.25, 0.5}}},
        {ShapeType::BottomArrow, {{0, 0.5}, {0.25, 0.5}, {0.25, 0}, {0.75, 0}, {0.75, 0.5}, {1, 0.5}, {0.5, 1}}},
        {ShapeType::LeftRightArrow,
         {{0, 0.5}, {kThird, 0}, {kThird, 0.25}, {kTwoThirds, 0.25}, {kTwoThirds, 0}, {1, 0.5}, {kTwoThirds, 1},
          {kTwoThirds, 0.75}, {kThird, 0.75}, {kThird, 1}}},
        {ShapeType::TopBottomArrow,
         {{0, kThird}, {0.5, 0}, {1, kThird}, {0.75, kThird}, {0.75, kTwoThirds}, {1, kTwoThirds}, {0.5, 1},
          {0, kTwoThirds}, {0.25, kTwoThirds}, {0.25, kThird}}},
    };
    const TGPRectF box{10, 20, 300, 120};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        const TGPGraphicsPath path = Outline(c.type, box);
        ASSERT_EQ(path.GetFigureCount(), 1);
        ExpectFigure(path.GetFigure(0), PointsIn(box, c.corners), true);
        EXPECT_EQ(path.GetFillMode(), TGPFillMode::Alternate);
        EXPECT_TRUE(SameRect(path.GetBounds(), box));
    }
}

TEST(ShapeOutline, RectangleAndEllipseFillTheirBox)
{
    const TGPRectF box{5, 6, 70, 30};
    const TGPGraphicsPath rectangle = Outline(ShapeType::Rectangle, box);
    ASSERT_EQ(rectangle.GetFigureCount(), 1);
    ExpectFigure(rectangle.GetFigure(0), {{5, 6}, {75, 6}, {75, 36}, {5, 36}}, true);

    TGPGraphicsPath ellipse;
    ellipse.AddEllipse(box);
    ExpectSamePath(Outline(ShapeType::Ellipse, box), ellipse);
}

TEST(ShapeOutline, FlowsAreTwoClosedChevrons)
{
    const struct {
        ShapeType type;
        std::vector<TFractionPoint> first;
        std::vector<TFractionPoint> second;
    } cases[] = {
        {ShapeType::LeftFlow,
         {{0, 0.5}, {0.25, 0}, {0.5, 0}, {0.25, 0.5}, {0.5, 1}, {0.25, 1}},
         {{0.5, 0.5}, {0.75, 0}, {1, 0}, {0.75, 0.5}, {1, 1}, {0.75, 1}}},
        {ShapeType::RightFlow,
         {{0, 0}, {0.25, 0}, {0.5, 0.5}, {0.25, 1}, {0, 1}, {0.25, 0.5}},
         {{0.5, 0}, {0.75, 0}, {1, 0.5}, {0.75, 1}, {0.5, 1}, {0.75, 0.5}}},
        {ShapeType::TopFlow,
         {{0, 0.25}, {0.5, 0}, {1, 0.25}, {1, 0.5}, {0.5, 0.25}, {0, 0.5}},
         {{0, 0.75}, {0.5, 0.5}, {1, 0.75}, {1, 1}, {0.5, 0.75}, {0, 1}}},
        {ShapeType::BottomFlow,
         {{0, 0}, {0.5, 0.25}, {1, 0}, {1, 0.25}, {0.5, 0.5}, {0, 0.25}},
         {{0, 0.5}, {0.5, 0.75}, {1, 0.5}, {1, 0.75}, {0.5, 1}, {0, 0.75}}},
    };
    const TGPRectF box{0, 0, 200, 100};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        const TGPGraphicsPath path = Outline(c.type, box);
        ASSERT_EQ(path.GetFigureCount(), 2);
        ExpectFigure(path.GetFigure(0), PointsIn(box, c.first), true);
        ExpectFigure(path.GetFigure(1), PointsIn(box, c.second), true);
        EXPECT_EQ(path.GetFillMode(), TGPFillMode::Alternate);
    }
}

// ---------------------------------------------------------------------------------------------
// Rounded rectangle: r from the shorter side, sides stopping d short of the next corner.

TEST(ShapeOutline, RoundRectangleFollowsItsWorkedCase)
{
    // r = 90 / 15 = 6, d = 12.
    TGPGraphicsPath expected;
    expected.AddLine(16, 20, 158, 20);
    expected.AddArc(158, 20, 12, 12, 270, 90);
    expected.AddLine(170, 26, 170, 98);
    expected.AddArc(158, 98, 12, 12, 0, 90);
    expected.AddLine(158, 110, 16, 110);
    expected.AddArc(10, 98, 12, 12, 90, 90);
    expected.AddLine(10, 98, 10, 26);
    expected.AddArc(10, 20, 12, 12, 180, 90);
    expected.CloseFigure();

    const TGPGraphicsPath path = Outline(ShapeType::RoundRectangle, {10, 20, 160, 90});
    ExpectSamePath(path, expected);
    ASSERT_EQ(path.GetFigureCount(), 1);
    EXPECT_TRUE(path.GetFigure(0).Closed);
    EXPECT_TRUE(SamePoint(path.GetFigure(0).Points[0], {16, 20}));
    EXPECT_TRUE(SamePoint(path.GetFigure(0).Points[1], {158, 20}));
    EXPECT_TRUE(SameRect(path.GetBounds(), {10, 20, 160, 90}));
}

TEST(ShapeOutline, RoundRectangleTakesItsRadiusFromTheShorterSide)
{
    const struct {
        TGPRectF box;
        TGPPointF firstStart;  // (X + r, Y)
        TGPPointF firstEnd;    // (X + W - 2r, Y)
    } cases[] = {
        {{0, 0, 90, 90}, {6, 0}, {78, 0}},     // square: W / 15
        {{0, 0, 60, 150}, {4, 0}, {52, 0}},    // tall: W / 15
        {{0, 0, 150, 60}, {4, 0}, {142, 0}},   // wide: H / 15
    };
    for (const auto& c : cases) {
        const TGPGraphicsPath path = Outline(ShapeType::RoundRectangle, c.box);
        ASSERT_EQ(path.GetFigureCount(), 1);
        EXPECT_TRUE(SamePoint(path.GetFigure(0).Points[0], c.firstStart));
        EXPECT_TRUE(SamePoint(path.GetFigure(0).Points[1], c.firstEnd));
    }
}

// ---------------------------------------------------------------------------------------------
// Right-angled triangles: the right angle and its mark of side s in the corner the name gives.

TEST(ShapeOutline, RightAngledTrianglesPutAngleAndMarkInTheirNamedCorner)
{
    // s = 80 / 16 = 5 for 160 x 80, and 80 / 16 = 5 again for 80 x 160 (the shorter side).
    const struct {
        ShapeType type;
        TGPRectF box;
        std::vector<TGPPointF> triangle;
        std::vector<TGPPointF> mark;  // one open figure; the RB mark runs out and back
    } cases[] = {
        {ShapeType::RBRightAngledTriangle, {0, 0, 160, 80}, {{0, 80}, {160, 0}, {160, 80}},
         {{155, 75}, {160, 75}, {155, 75}, {155, 80}}},
        {ShapeType::LBRightAngledTriangle, {0, 0, 160, 80}, {{0, 0}, {160, 80}, {0, 80}},
         {{0, 75}, {5, 75}, {5, 80}}},
        {ShapeType::RTRightAngledTriangle, {0, 0, 160, 80}, {{0, 0}, {160, 0}, {160, 80}},
         {{155, 0}, {155, 5}, {160, 5}}},
        {ShapeType::LTRightAngledTriangle, {0, 0, 160, 80}, {{0, 0}, {160, 0}, {0, 80}},
         {{0, 5}, {5, 5}, {5, 0}}},
        {ShapeType::RBRightAngledTriangle, {0, 0, 80, 160}, {{0, 160}, {80, 0}, {80, 160}},
         {{75, 155}, {80, 155}, {75, 155}, {75, 160}}},
        {ShapeType::LTRightAngledTriangle, {20, 10, 80, 160}, {{20, 10}, {100, 10}, {20, 170}},
         {{20, 15}, {25, 15}, {25, 10}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        const TGPGraphicsPath path = Outline(c.type, c.box);
        ASSERT_EQ(path.GetFigureCount(), 2);
        ExpectFigure(path.GetFigure(0), c.triangle, true);
        ExpectFigure(path.GetFigure(1), c.mark, false);
        EXPECT_EQ(path.GetFillMode(), TGPFillMode::Winding);
    }
}

TEST(ShapeOutline, LTRightAngledTriangleIsNotABottomLeftCopy)
{
    const TGPRectF box{0, 0, 160, 80};
    const TGPGraphicsPath lt = Outline(ShapeType::LTRightAngledTriangle, box);
    // The top-left corner is inside, the bottom-right half is not.
    EXPECT_TRUE(lt.IsVisible(20, 10));
    EXPECT_FALSE(lt.IsVisible(140, 70));
    EXPECT_FALSE(lt.IsVisible(20, 75));
    EXPECT_TRUE(Outline(ShapeType::LBRightAngledTriangle, box).IsVisible(20, 75));
}

// ---------------------------------------------------------------------------------------------
// Pies: a quarter of the ellipse twice the box, centred on the opposite corner.

TEST(ShapeOutline, PiesAreQuartersCentredOnTheOppositeCorner)
{
    const TGPRectF box{0, 0, 100, 50};
    const struct {
        ShapeType type;
        TGPRectF ellipse;
        float start;
        TGPPointF centre;
    } cases[] = {
        {ShapeType::LTPie, {0, 0, 200, 100}, 180, {100, 50}},
        {ShapeType::RTPie, {-100, 0, 200, 100}, 270, {0, 50}},
        {ShapeType::LBPie, {0, -50, 200, 100}, 90, {100, 0}},
        {ShapeType::RBPie, {-100, -50, 200, 100}, 0, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        TGPGraphicsPath expected;
        expected.AddPie(c.ellipse, c.start, 90);
        const TGPGraphicsPath path = Outline(c.type, box);
        ExpectSamePath(path, expected);
        ASSERT_EQ(path.GetFigureCount(), 1);
        EXPECT_TRUE(path.GetFigure(0).Closed);
        EXPECT_TRUE(SamePoint(path.GetFigure(0).Points.front(), c.centre));
        EXPECT_TRUE(SameRect(path.GetBounds(), box));
    }
    // The LTPie's curved edge runs from (0, 50) to (100, 0).
    const TGPPathFigure lt = Outline(ShapeType::LTPie, box).GetFigure(0);
    EXPECT_TRUE(SamePoint(lt.Points[1], {0, 50}));
    EXPECT_TRUE(SamePoint(lt.Points.back(), {100, 0}));
}

// ---------------------------------------------------------------------------------------------
// Star and GetCrossPoint.

TEST(ShapeOutline, StarAlternatesOuterPointsAndChordCrossings)
{
    const TGPGraphicsPath path = Outline(ShapeType::Star, {0, 0, 300, 350});
    ASSERT_EQ(path.GetFigureCount(), 1);
    const std::vector<TGPPointF> expected = {
        {0, 116.67f},  {110, 116.67f},    {150, 0},   {190, 116.67f}, {300, 116.67f},
        {215.14f, 190}, {270, 350},       {150, 246.30f}, {30, 350},  {84.86f, 190},
    };
    ExpectFigure(path.GetFigure(0), expected, true, 0.01f);
    EXPECT_EQ(path.GetFillMode(), TGPFillMode::Alternate);
    // The centre is inside, the notch between two arms is not.
    EXPECT_TRUE(path.IsVisible(150, 180));
    EXPECT_FALSE(path.IsVisible(150, 330));
}

TEST(ShapeOutline, GetCrossPointFindsOnlyCrossingsWithinBothSegments)
{
    const struct {
        const char* what;
        TGPPointF p1, p2, p3, p4;
        TGPPointF result;
    } cases[] = {
        {"crossing", {0, 0}, {10, 10}, {0, 10}, {10, 0}, {5, 5}},
        {"parallel", {0, 0}, {10, 0}, {0, 5}, {10, 5}, {0, 0}},
        {"collinear", {0, 0}, {10, 0}, {5, 0}, {20, 0}, {0, 0}},
        {"zero length", {3, 3}, {3, 3}, {0, 0}, {10, 10}, {0, 0}},
        {"only when extended", {0, 0}, {4, 4}, {0, 10}, {10, 0}, {0, 0}},
        {"touching at an end", {0, 0}, {10, 0}, {10, 0}, {10, 8}, {10, 0}},
        {"end on the other's middle", {2, 6}, {6, 6}, {6, 0}, {6, 12}, {6, 6}},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(SamePoint(GetCrossPoint(c.p1, c.p2, c.p3, c.p4), c.result)) << c.what;
    }
}

// ---------------------------------------------------------------------------------------------
// Doughnut, beams, solids.

TEST(ShapeOutline, DoughnutHoleIsOutsideTheFill)
{
    const TGPRectF box{0, 0, 200, 100};
    const TGPGraphicsPath path = Outline(ShapeType::Doughnut, box);
    TGPGraphicsPath expected;
    expected.AddEllipse(0, 0, 200, 100);
    expected.AddEllipse(50, 25, 100, 50);
    ExpectSamePath(path, expected);
    EXPECT_EQ(path.GetFillMode(), TGPFillMode::Alternate);
    EXPECT_FALSE(path.IsVisible(100, 50));  // centre: in the hole
    EXPECT_TRUE(path.IsVisible(25, 50));    // halfway between inner and outer ellipse
    EXPECT_TRUE(path.IsVisible(175, 50));
}

TEST(ShapeOutline, BeamsAreThreeOpenLines)
{
    const TGPRectF box{0, 0, 120, 40};
    const TGPGraphicsPath horz = Outline(ShapeType::HorzBeam, box);
    ASSERT_EQ(horz.GetFigureCount(), 3);
    ExpectFigure(horz.GetFigure(0), {{0, 10}, {0, 30}}, false);
    ExpectFigure(horz.GetFigure(1), {{120, 10}, {120, 30}}, false);
    ExpectFigure(horz.GetFigure(2), {{0, 20}, {120, 20}}, false);

    const TGPGraphicsPath vert = Outline(ShapeType::VertBeam, box);
    ASSERT_EQ(vert.GetFigureCount(), 3);
    ExpectFigure(vert.GetFigure(0), {{30, 0}, {90, 0}}, false);
    ExpectFigure(vert.GetFigure(1), {{30, 40}, {90, 40}}, false);
    ExpectFigure(vert.GetFigure(2), {{60, 0}, {60, 40}}, false);
    EXPECT_EQ(vert.GetFillMode(), TGPFillMode::Alternate);
}

TEST(ShapeOutline, HexahedronIsASilhouetteWithThreeOpenInnerEdges)
{
    const TGPGraphicsPath path = Outline(ShapeType::Hexahedron, {0, 0, 80, 80});
    ASSERT_EQ(path.GetFigureCount(), 4);
    ExpectFigure(path.GetFigure(0), {{0, 20}, {20, 0}, {80, 0}, {80, 60}, {60, 80}, {0, 80}}, true);
    ExpectFigure(path.GetFigure(1), {{0, 20}, {60, 20}}, false);
    ExpectFigure(path.GetFigure(2), {{60, 20}, {60, 80}}, false);
    ExpectFigure(path.GetFigure(3), {{60, 20}, {80, 0}}, false);
    EXPECT_EQ(path.GetFillMode(), TGPFillMode::Winding);
}

TEST(ShapeOutline, TriangularPyramidClosesEachEdgeAsAFigure)
{
    const TGPGraphicsPath path = Outline(ShapeType::TriangularPyramid, {0, 0, 80, 80});
    ASSERT_EQ(path.GetFigureCount(), 3);
    ExpectFigure(path.GetFigure(0), {{0, 60}, {40, 0}, {80, 60}, {40, 80}}, true);
    ExpectFigure(path.GetFigure(1), {{0, 60}, {80, 60}}, true);
    ExpectFigure(path.GetFigure(2), {{40, 0}, {40, 80}}, true);
    EXPECT_EQ(path.GetFillMode(), TGPFillMode::Alternate);
}

TEST(ShapeOutline, ConeFollowsItsWorkedCase)
{
    // m = 40 / 4 = 10; the sides end at e = 100 - 5 - 0.5 = 94.5.
    const TGPGraphicsPath path = Outline(ShapeType::Cone, {0, 0, 40, 100});
    TGPGraphicsPath rim;
    rim.AddEllipse(0, 90, 40, 10);
    ASSERT_EQ(path.GetFigureCount(), 2);
    ExpectFigure(path.GetFigure(0), rim.GetFigure(0).Points, true);
    ExpectFigure(path.GetFigure(1), {{0, 94.5f}, {20, 0}, {40, 94.5f}}, false);
    EXPECT_EQ(path.GetFillMode(), TGPFillMode::Winding);

    // A square box takes m = H / 4.
    const TGPGraphicsPath square = Outline(ShapeType::Cone, {0, 0, 80, 80});
    ASSERT_EQ(square.GetFigureCount(), 2);
    ExpectFigure(square.GetFigure(1), {{0, 69}, {40, 0}, {80, 69}}, false);
}

TEST(ShapeOutline, CylinderFollowsItsWorkedCase)
{
    TGPGraphicsPath expected;
    expected.AddLine(40, 5, 40, 95);
    expected.AddArc(0, 90, 40, 10, 0, 180);
    expected.AddLine(0, 95, 0, 5);
    expected.AddEllipse(0, 0, 40, 10);
    const TGPGraphicsPath path = Outline(ShapeType::Cylinder, {0, 0, 40, 100});
    ExpectSamePath(path, expected);
    ASSERT_EQ(path.GetFigureCount(), 2);
    EXPECT_FALSE(path.GetFigure(0).Closed);
    EXPECT_EQ(path.GetFillMode(), TGPFillMode::Winding);

    // A wide box takes m from the height: 60 / 4 = 15.
    const TGPGraphicsPath wide = Outline(ShapeType::Cylinder, {0, 0, 100, 60});
    EXPECT_TRUE(SamePoint(wide.GetFigure(0).Points.front(), {100, 7.5f}));
}

// ---------------------------------------------------------------------------------------------
// Rules shared by all builders.

TEST(ShapeOutline, EveryBuilderReplacesWhatThePathHeldAndSetsItsOwnFillMode)
{
    const TGPRectF box{7, 9, 130, 70};
    for (int value = 1; value <= 44; ++value) {
        const auto type = static_cast<ShapeType>(value);
        if (!HasShapeOutline(type)) {
            continue;
        }
        SCOPED_TRACE(value);
        TGPGraphicsPath used;
        used.AddRectangle({0, 0, 500, 500});
        used.StartFigure();
        used.AddLine(1, 1, 2, 2);  // left open, so a builder without Reset would extend it
        used.SetFillMode(TGPFillMode::Winding);
        BuildShapeOutline(type, box, used);
        const TGPGraphicsPath fresh = Outline(type, box);
        ExpectSamePath(used, fresh);
        EXPECT_EQ(used.GetFillMode(), fresh.GetFillMode());
        // Building twice gives the same outline again.
        BuildShapeOutline(type, box, used);
        ExpectSamePath(used, fresh);
    }
}

TEST(ShapeOutline, FillModeIsWindingOnlyForMarkedTrianglesAndSolidsWithEdges)
{
    for (int value = 1; value <= 44; ++value) {
        const auto type = static_cast<ShapeType>(value);
        if (!HasShapeOutline(type)) {
            continue;
        }
        const bool winding = (value >= 5 && value <= 8) || value == 41 || value == 43 || value == 44;
        EXPECT_EQ(Outline(type, {0, 0, 50, 50}).GetFillMode(),
                  winding ? TGPFillMode::Winding : TGPFillMode::Alternate)
            << value;
    }
}

TEST(ShapeOutline, KindsWithoutBuilderLeaveThePathUntouched)
{
    for (int value : {0, 39, 40, 45, 255}) {
        const auto type = static_cast<ShapeType>(value);
        EXPECT_FALSE(HasShapeOutline(type)) << value;
        TGPGraphicsPath path(TGPFillMode::Winding);
        path.AddLine(1, 2, 3, 4);
        BuildShapeOutline(type, {0, 0, 100, 100}, path);
        ASSERT_EQ(path.GetFigureCount(), 1) << value;
        ExpectFigure(path.GetFigure(0), {{1, 2}, {3, 4}}, false);
        EXPECT_EQ(path.GetFillMode(), TGPFillMode::Winding) << value;
    }
    for (int value = 1; value <= 44; ++value) {
        EXPECT_EQ(HasShapeOutline(static_cast<ShapeType>(value)), value != 39 && value != 40) << value;
    }
}

TEST(ShapeOutline, NegativeSizesAreUsedAsGiven)
{
    const TGPGraphicsPath path = Outline(ShapeType::TIsoscelesTriangle, {100, 100, -40, -20});
    ASSERT_EQ(path.GetFigureCount(), 1);
    ExpectFigure(path.GetFigure(0), {{80, 100}, {60, 80}, {100, 80}}, true);
}
