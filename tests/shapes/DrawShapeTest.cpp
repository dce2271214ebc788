// The shape object: construction and style, bounds and outline, drawing into a picture, hit
// testing, disposal and the extent it reports for partial repaints.
#include "draw/DrawShape.h"
#include "draw/ShapeOutline.h"

#include "ShapeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The style the packet interpreter gives a shape it creates, before any style command.
const TShapeStyle kUnstyled{false, false, 0, 0, 0, 2, 1};

bool IsWhite(QRgb c)
{
    return (c & 0xFFFFFF) == 0xFFFFFF;
}

QRgb At(const QImage& image, float x, float y)
{
    return image.pixel(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

// Both strokes of an open arrowhead of a 2.5-pixel pen (5 pen widths long and wide) with its tip
// at `tip`, pointing along the unit vector `outward`: each stroke's middle lies 6.25 back along
// the line and 3.125 to its side.
bool HasArrowhead(const QImage& image, TGPPointF tip, TGPPointF outward)
{
    const TGPPointF middle{tip.X - 6.25f * outward.X, tip.Y - 6.25f * outward.Y};
    const TGPPointF side{-outward.Y * 3.125f, outward.X * 3.125f};
    return IsInked(At(image, middle.X + side.X, middle.Y + side.Y)) &&
           IsInked(At(image, middle.X - side.X, middle.Y - side.Y));
}

bool HasNoArrowhead(const QImage& image, TGPPointF tip, TGPPointF outward)
{
    const TGPPointF middle{tip.X - 6.25f * outward.X, tip.Y - 6.25f * outward.Y};
    const TGPPointF side{-outward.Y * 3.125f, outward.X * 3.125f};
    return IsWhite(At(image, middle.X + side.X, middle.Y + side.Y)) &&
           IsWhite(At(image, middle.X - side.X, middle.Y - side.Y));
}

// Pixels changed from white that the extent does not reach.
int PaintedOutside(const QImage& image, const TGPRectF& extent)
{
    int outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool inExtent =
                x + 1 > extent.X && x < extent.X + extent.Width && y + 1 > extent.Y && y < extent.Y + extent.Height;
            outside += !IsWhite(image.pixel(x, y)) && !inExtent;
        }
    }
    return outside;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction, style and bounds.

TEST(DrawShape, ConstructorStoresKindAndStyleAndLeavesTheOutlineEmpty)
{
    TDrawShape shape(nullptr, 42, ShapeType::Star, true, false, 50, 61, 67, 3, 2);
    EXPECT_EQ(shape.GetDrawType(), DrawType::Shape);
    EXPECT_EQ(shape.GetDrawNo(), 42u);
    EXPECT_EQ(shape.GetShapeType(), ShapeType::Star);
    EXPECT_TRUE(shape.GetFillFace());
    EXPECT_FALSE(shape.GetDrawBorder());
    EXPECT_EQ(shape.GetShapeOpacity(), 50);
    EXPECT_EQ(shape.GetShapeAlpha(), 128);
    EXPECT_EQ(shape.GetFaceColorIndex(), 61);
    EXPECT_EQ(shape.GetBorderColorIndex(), 67);
    EXPECT_EQ(shape.GetFaceColor(), 0x80FF0000u);
    EXPECT_EQ(shape.GetBorderColor(), 0x800070C0u);
    EXPECT_EQ(shape.GetBorderThickness(), 3);
    EXPECT_EQ(shape.GetBorderType(), 2);
    EXPECT_TRUE(SameRect(shape.GetBounds(), {}));
    EXPECT_TRUE(SameRect(shape.GetPaintBounds(), {}));
    ASSERT_NE(shape.GetGraphicsPath(), nullptr);
    EXPECT_EQ(shape.GetGraphicsPath()->GetFigureCount(), 0);
    EXPECT_EQ(shape.GetGraphicsPath()->GetFillMode(), TGPFillMode::Alternate);
}

TEST(DrawShape, RestylingChangesColoursButNeverTheOutline)
{
    auto shape = MakeShape(ShapeType::Cylinder, {10, 10, 60, 90}, kUnstyled);
    const std::vector<TGPPointF> before = shape->GetGraphicsPath()->GetPathPoints();
    shape->SetFillFace(true);
    shape->SetDrawBorder(true);
    shape->SetShapeOpacity(30);
    shape->SetFaceColorIndex(36);
    shape->SetBorderColorIndex(61);
    shape->SetBorderThickness(4);
    shape->SetBorderType(2);
    EXPECT_EQ(shape->GetFaceColor(), 0x4C9BBB59u);
    EXPECT_EQ(shape->GetBorderColor(), 0x4CFF0000u);
    EXPECT_EQ(shape->GetBorderThickness(), 4);
    EXPECT_EQ(shape->GetBorderType(), 2);
    EXPECT_EQ(shape->GetGraphicsPath()->GetPathPoints().size(), before.size());
    EXPECT_TRUE(shape->GetGraphicsPath()->GetPathPoints() == before);
    EXPECT_EQ(shape->GetGraphicsPath()->GetFillMode(), TGPFillMode::Winding);
}

TEST(DrawShape, PaintBoundsAreTheOutlinesOwnBoxWithoutMargin)
{
    const struct {
        ShapeType type;
        TGPRectF bounds;
        TGPRectF paintBounds;
    } cases[] = {
        {ShapeType::Rectangle, {10, 20, 100, 50}, {10, 20, 100, 50}},
        {ShapeType::Ellipse, {10, 20, 100, 50}, {10, 20, 100, 50}},
        {ShapeType::Star, {0, 0, 300, 350}, {0, 0, 300, 350}},
        {ShapeType::TIsoscelesTriangle, {100, 100, -40, -20}, {60, 80, 40, 20}},  // the outline's box
        {ShapeType::HorzBeam, {0, 0, 120, 40}, {0, 10, 120, 20}},                 // bars span 1/4..3/4
        {ShapeType::Quadrant, {5, 6, 240, 120}, {0, 0, 0, 0}},
        {ShapeType::HalfQuadrant, {5, 6, 120, 120}, {0, 0, 0, 0}},
        {ShapeType::ShapeNone, {5, 6, 70, 80}, {0, 0, 0, 0}},
        {static_cast<ShapeType>(45), {5, 6, 70, 80}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        auto shape = MakeShape(c.type, c.bounds);
        EXPECT_TRUE(SameRect(shape->GetBounds(), c.bounds));
        EXPECT_TRUE(SameRect(shape->GetPaintBounds(), c.paintBounds));
        if (!HasShapeOutline(c.type)) {
            EXPECT_EQ(shape->GetGraphicsPath()->GetFigureCount(), 0);
        }
    }
}

TEST(DrawShape, InitBoundsBuildsTheOutlineThroughSetBounds)
{
    TDrawShape shape(nullptr, 1, ShapeType::Rectangle, true, true, 100, 3, 6, 2, 1);
    shape.InitBounds(10, 30);
    EXPECT_TRUE(SameRect(shape.GetBounds(), {10, 30, 20, 20}));
    EXPECT_TRUE(SameRect(shape.GetPaintBounds(), {10, 30, 20, 20}));
    shape.InitBounds(1, 2, 3, 4);
    EXPECT_TRUE(SameRect(shape.GetGraphicsPath()->GetBounds(), {1, 2, 3, 4}));
}

// ---------------------------------------------------------------------------------------------
// Drawing.

TEST(DrawShape, FillLiesUnderTheBorderAndEachFlagPaintsOnlyItsPart)
{
    // A 10-pixel border along the left edge x = 50 covers x 45..55; the face starts at 50.
    const struct {
        bool fill;
        bool border;
        bool faceInside;   // (100, 100)
        bool edgeOverFace; // (52, 100): face and border overlap there
    } cases[] = {
        {true, true, true, true},
        {true, false, true, false},
        {false, true, false, true},
        {false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "fill " << c.fill << " border " << c.border);
        TShapeStyle style;
        style.Fill = c.fill;
        style.Border = c.border;
        style.BorderThickness = 4;
        auto shape = MakeShape(ShapeType::Rectangle, {50, 50, 100, 100}, style);
        const QImage image = Render(*shape, 200, 200);
        EXPECT_EQ(IsFaceRed(image.pixel(100, 100)), c.faceInside);
        EXPECT_EQ(IsEdgeBlue(image.pixel(52, 100)), c.edgeOverFace);
        if (!c.border) {
            EXPECT_EQ(IsFaceRed(image.pixel(52, 100)), c.fill);
            EXPECT_TRUE(IsWhite(image.pixel(47, 100)));
        }
    }
}

TEST(DrawShape, BeamsAreStrokedWhateverTheFlagsAndNeverFilled)
{
    for (const ShapeType type : {ShapeType::HorzBeam, ShapeType::VertBeam}) {
        for (const bool fill : {false, true}) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(type) << " fill " << fill);
            TShapeStyle style;
            style.Fill = fill;
            style.Border = false;
            auto shape = MakeShape(type, {20, 20, 160, 160}, style);
            const QImage image = Render(*shape, 200, 200);
            EXPECT_TRUE(IsEdgeBlue(image.pixel(100, 100)));  // the beam's middle line
            EXPECT_TRUE(IsEdgeBlue(type == ShapeType::HorzBeam ? image.pixel(20, 70) : image.pixel(70, 20)));
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    ASSERT_FALSE(IsFaceRed(image.pixel(x, y))) << x << ", " << y;
                }
            }
        }
    }
}

TEST(DrawShape, QuadrantHasFourArrowheadsAndTwentyTicksAtTwelfths)
{
    // Axes through (120, 60); ticks every 20 across and 10 down, 5 long on each side.
    auto shape = MakeShape(ShapeType::Quadrant, {0, 0, 240, 120});
    const QImage image = Render(*shape, 260, 140);
    EXPECT_TRUE(HasArrowhead(image, {0, 60}, {-1, 0}));
    EXPECT_TRUE(HasArrowhead(image, {240, 60}, {1, 0}));
    EXPECT_TRUE(HasArrowhead(image, {120, 0}, {0, -1}));
    EXPECT_TRUE(HasArrowhead(image, {120, 120}, {0, 1}));
    for (const int x : {20, 40, 60, 80, 100, 140, 160, 180, 200, 220}) {
        EXPECT_TRUE(IsInked(image.pixel(x, 56))) << "tick at x = " << x;
        EXPECT_TRUE(IsInked(image.pixel(x, 63))) << "tick at x = " << x;
        EXPECT_TRUE(IsWhite(image.pixel(x, 66))) << "tick at x = " << x << " is 5 long";
    }
    for (const int x : {30, 50, 70, 90, 110, 130, 150, 170, 190, 210}) {
        EXPECT_TRUE(IsWhite(image.pixel(x, 56))) << "no tick at x = " << x;
    }
    for (const int y : {10, 20, 30, 40, 50, 70, 80, 90, 100, 110}) {
        EXPECT_TRUE(IsInked(image.pixel(116, y))) << "tick at y = " << y;
        EXPECT_TRUE(IsInked(image.pixel(123, y))) << "tick at y = " << y;
    }
    for (const int y : {15, 25, 35, 45, 55, 65, 75, 85, 95, 105}) {
        EXPECT_TRUE(IsWhite(image.pixel(116, y))) << "no tick at y = " << y;
    }
}

TEST(DrawShape, HalfQuadrantHasTwoArrowheadsAndTenTicksPerAxisFromTheInnerOrigin)
{
    // Axes (0, 110) -> (120, 110) and (10, 120) -> (10, 0); ticks 2.5 long on each side.
    auto shape = MakeShape(ShapeType::HalfQuadrant, {0, 0, 120, 120});
    const QImage image = Render(*shape, 140, 140);
    EXPECT_TRUE(HasArrowhead(image, {120, 110}, {1, 0}));
    EXPECT_TRUE(HasArrowhead(image, {10, 0}, {0, -1}));
    EXPECT_TRUE(HasNoArrowhead(image, {0, 110}, {-1, 0}));
    EXPECT_TRUE(HasNoArrowhead(image, {10, 120}, {0, 1}));
    for (int x = 20; x <= 110; x += 10) {
        EXPECT_TRUE(IsInked(image.pixel(x, 107))) << "tick at x = " << x;   // 107.5 .. 112.5
        if (x < 110) {  // the last tick sits under the arrowhead
            EXPECT_TRUE(IsWhite(image.pixel(x, 106))) << "tick at x = " << x;
        }
    }
    for (int x = 15; x <= 105; x += 10) {
        EXPECT_TRUE(IsWhite(image.pixel(x, 107))) << "no tick at x = " << x;
    }
    for (int y = 10; y <= 100; y += 10) {
        EXPECT_TRUE(IsInked(image.pixel(7, y))) << "tick at y = " << y;     // 7.5 .. 12.5
        if (y > 10) {
            EXPECT_TRUE(IsWhite(image.pixel(6, y))) << "tick at y = " << y;
        }
    }
    for (int y = 15; y <= 105; y += 10) {
        EXPECT_TRUE(IsWhite(image.pixel(7, y))) << "no tick at y = " << y;
    }
}

TEST(DrawShape, DashedBorderTypeDashesTheTicksButNotTheAxes)
{
    // A tick of the full quadrant runs 10 pixels from its top: dash 7.5, then a gap of 2.5.
    for (const LineType borderType : {LineType{1}, LineType{2}}) {
        SCOPED_TRACE(static_cast<int>(borderType));
        TShapeStyle style;
        style.BorderType = borderType;
        auto shape = MakeShape(ShapeType::Quadrant, {0, 0, 240, 120}, style);
        const QImage image = Render(*shape, 260, 140);
        const bool dashed = borderType == 2;
        for (const int x : {20, 100, 140, 220}) {
            EXPECT_TRUE(IsInked(image.pixel(x, 56)));
            EXPECT_EQ(IsWhite(image.pixel(x, 63)), dashed) << "tick at x = " << x;
        }
        for (const int y : {20, 50, 70, 100}) {
            EXPECT_EQ(IsWhite(image.pixel(123, y)), dashed) << "tick at y = " << y;
        }
        for (int x = 14; x <= 226; ++x) {
            ASSERT_TRUE(IsEdgeBlue(image.pixel(x, 60))) << "horizontal axis solid at x = " << x;
        }
        for (int y = 14; y <= 106; ++y) {
            ASSERT_TRUE(IsEdgeBlue(image.pixel(120, y))) << "vertical axis solid at y = " << y;
        }
        EXPECT_TRUE(HasArrowhead(image, {0, 60}, {-1, 0}));
        EXPECT_TRUE(HasArrowhead(image, {240, 60}, {1, 0}));
        EXPECT_TRUE(HasArrowhead(image, {120, 0}, {0, -1}));
        EXPECT_TRUE(HasArrowhead(image, {120, 120}, {0, 1}));
    }
}

TEST(DrawShape, UnstyledShapesAndKindsWithoutRoutinePaintNothing)
{
    const QImage white = WhiteImage(200, 200);
    for (int value = 0; value <= 45; ++value) {
        auto shape = MakeShape(static_cast<ShapeType>(value), {20, 20, 160, 160}, kUnstyled);
        EXPECT_TRUE(Render(*shape, 200, 200) == white) << "unstyled kind " << value;
    }
    for (const int value : {0, 45, 200}) {
        auto shape = MakeShape(static_cast<ShapeType>(value), {20, 20, 160, 160});
        EXPECT_TRUE(Render(*shape, 200, 200) == white) << "kind " << value;
    }
}

// ---------------------------------------------------------------------------------------------
// Hit testing and disposal.

TEST(DrawShape, HitTestTriesBoundsThenFillThenBorder)
{
    const struct {
        const char* what;
        ShapeType type;
        TGPRectF bounds;
        bool fill;
        bool border;
        TGPPointF point;
        bool hit;
    } cases[] = {
        {"corner of the box, no flags", ShapeType::Ellipse, {50, 50, 100, 100}, false, false, {50, 50}, true},
        {"far corner of the box", ShapeType::Ellipse, {50, 50, 100, 100}, false, false, {150, 150}, true},
        {"doughnut hole", ShapeType::Doughnut, {50, 50, 100, 100}, true, true, {100, 100}, true},
        {"outside, near a 4.5 border", ShapeType::Rectangle, {50, 50, 100, 100}, false, true, {151.5f, 100}, true},
        {"outside, near a border not drawn", ShapeType::Rectangle, {50, 50, 100, 100}, true, false, {151.5f, 100}, false},
        {"outside, beyond the border", ShapeType::Rectangle, {50, 50, 100, 100}, true, true, {153, 100}, false},
        // A box of negative size holds no point, so only the outline can be hit.
        {"inside a flipped triangle, filled", ShapeType::TIsoscelesTriangle, {100, 100, -40, -20}, true, false, {80, 90}, true},
        {"inside a flipped triangle, unfilled", ShapeType::TIsoscelesTriangle, {100, 100, -40, -20}, false, true, {80, 90}, false},
        {"on a flipped triangle's border", ShapeType::TIsoscelesTriangle, {100, 100, -40, -20}, false, true, {80, 80.5f}, true},
        {"beside the axes' arrowhead", ShapeType::Quadrant, {0, 0, 240, 120}, true, true, {-2, 60}, false},
        {"inside the axes' box", ShapeType::Quadrant, {0, 0, 240, 120}, false, false, {3, 3}, true},
    };
    for (const auto& c : cases) {
        TShapeStyle style;
        style.Fill = c.fill;
        style.Border = c.border;
        style.BorderThickness = 3;
        auto shape = MakeShape(c.type, c.bounds, style);
        EXPECT_EQ(shape->HitTest(c.point), c.hit) << c.what;
    }
}

TEST(DrawShape, DisposedShapeKeepsItsBoxButPaintsAndHitsNothingElse)
{
    TShapeStyle style;
    style.BorderThickness = 4;
    auto shape = MakeShape(ShapeType::Rectangle, {50, 50, 100, 100}, style);
    shape->Dispose();
    EXPECT_EQ(shape->GetGraphicsPath(), nullptr);
    EXPECT_TRUE(shape->HitTest({100, 100}));
    EXPECT_FALSE(shape->HitTest({152, 100}));
    EXPECT_TRUE(Render(*shape, 200, 200) == WhiteImage(200, 200));
    EXPECT_TRUE(SameRect(shape->GetPaintExtent(), {}));
    shape->SetBounds({0, 0, 10, 10});
    EXPECT_TRUE(SameRect(shape->GetBounds(), {0, 0, 10, 10}));
    shape->Dispose();
}

// ---------------------------------------------------------------------------------------------
// Paint extent: the board repaints only the region a change touches, so every pixel a shape
// paints must lie within the extent it reports.

TEST(DrawShape, PaintExtentHoldsEveryPaintedPixel)
{
    const TGPRectF bounds{60, 50, 160, 110};
    for (const LineType borderType : {LineType{1}, LineType{2}}) {
        for (const Thickness thickness : {Thickness{2}, Thickness{4}}) {
            for (int value = 1; value <= 44; ++value) {
                SCOPED_TRACE(::testing::Message() << "kind " << value << " thickness " << int(thickness)
                                                  << " type " << int(borderType));
                TShapeStyle style;
                style.BorderThickness = thickness;
                style.BorderType = borderType;
                auto shape = MakeShape(static_cast<ShapeType>(value), bounds, style);
                const TGPRectF extent = shape->GetPaintExtent();
                EXPECT_EQ(PaintedOutside(Render(*shape, 280, 220), extent), 0);
                // Not grossly larger than what is painted: within the box grown by the arrowheads.
                EXPECT_GE(extent.X, bounds.X - 60);
                EXPECT_LE(extent.X + extent.Width, bounds.X + bounds.Width + 60);
            }
        }
    }
}

TEST(DrawShape, PaintExtentFollowsTheStyle)
{
    auto shape = MakeShape(ShapeType::Rectangle, {50, 50, 100, 100}, kUnstyled);
    EXPECT_TRUE(SameRect(shape->GetPaintExtent(), {}));  // nothing painted
    shape->SetFillFace(true);
    EXPECT_TRUE(SameRect(shape->GetPaintExtent(), {49, 49, 102, 102}));
    shape->SetDrawBorder(true);
    shape->SetBorderThickness(4);  // 10 pixels: 5 outside the outline
    EXPECT_TRUE(SameRect(shape->GetPaintExtent(), {44, 44, 112, 112}, 0.5f));
    // The axes reach beyond their box with their arrowheads, whatever the flags.
    auto axes = MakeShape(ShapeType::Quadrant, {0, 0, 240, 120}, kUnstyled);
    const TGPRectF extent = axes->GetPaintExtent();
    EXPECT_LT(extent.X, -2.0f);
    EXPECT_LT(extent.Y, -2.0f);
    EXPECT_GT(extent.X + extent.Width, 242.0f);
    EXPECT_GT(extent.Y + extent.Height, 122.0f);
}

// ---------------------------------------------------------------------------------------------
// Boxes from a damaged packet file.

// A non-finite field drops every figure that depends on it (the others stay); huge boxes are
// drawn like any other. Either way the extent stays finite and holds what is painted.
TEST(DrawShape, NonFiniteAndHugeBoxesAreSafe)
{
    const float nan = std::nanf("");
    const float inf = INFINITY;
    const TGPRectF boxes[] = {{nan, 0, 100, 100}, {0, 0, inf, 100}, {-inf, -inf, inf, inf},
                              {0, 0, 1e30f, 1e30f}, {-1e30f, -1e30f, 2e30f, 2e30f}, {0, 0, 0, 0}};
    for (const TGPRectF& box : boxes) {
        for (int value = 0; value <= 45; ++value) {
            SCOPED_TRACE(::testing::Message() << "kind " << value << " box " << box.X << ", " << box.Y << ", "
                                              << box.Width << ", " << box.Height);
            auto shape = MakeShape(static_cast<ShapeType>(value), box);
            shape->HitTest({10, 10});
            const TGPRectF extent = shape->GetPaintExtent();
            EXPECT_TRUE(std::isfinite(extent.X) && std::isfinite(extent.Y) && std::isfinite(extent.Width) &&
                        std::isfinite(extent.Height));
            EXPECT_EQ(PaintedOutside(Render(*shape, 50, 50), extent), 0);
        }
    }
}
