// Stroke groups: padding, bounds, stretching, nudges, appending, undo, drawing and hit tests.
#include "draw/DrawStrokes.h"
#include "DrawTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TGPRectF Unset()
{
    TGPRectF rect;
    InitUnsetRect(rect);
    return rect;
}

// As the interpreter makes a group: no strokes, then the unset marker, then the style.
std::unique_ptr<TDrawStrokes> NewGroup(Thickness thickness = 2, int opacity = 100, int colorIndex = 6)
{
    auto group = std::make_unique<TDrawStrokes>(nullptr, 1, std::vector<TPointList>{}, 0, 0, 2);
    group->SetBounds(Unset());
    group->SetStrokeColorIndex(colorIndex);
    group->SetStrokeThickness(thickness);
    group->SetStrokeOpacity(opacity);
    return group;
}

TPointList Line(TGPPointF from, TGPPointF step, int count)
{
    TPointList points;
    for (int i = 0; i < count; ++i) {
        points.push_back({from.X + step.X * i, from.Y + step.Y * i});
    }
    return points;
}

TEST(StrokePoints, PaddingCompletesWholeBezierSegments)
{
    EXPECT_TRUE(MakeBezierPointList({}).empty());
    const std::pair<int, int> counts[] = {{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 7}, {6, 7}, {7, 7}, {8, 10}};
    for (const auto& [n, padded] : counts) {
        const TPointList input = Line({10, 20}, {3, 2}, n);
        const TPointList result = MakeBezierPointList(input);
        ASSERT_EQ(static_cast<int>(result.size()), padded) << n;
        EXPECT_TRUE(std::equal(input.begin(), input.end(), result.begin())) << n;
        // Each padding point is the one before it moved by 0.0001 in X and Y.
        for (size_t i = input.size(); i < result.size(); ++i) {
            EXPECT_EQ(result[i].X, static_cast<float>(result[i - 1].X + 0.0001)) << n;
            EXPECT_EQ(result[i].Y, static_cast<float>(result[i - 1].Y + 0.0001)) << n;
        }
    }
    // From 2048 on a single-precision step of 0.0001 vanishes: the padding repeats the point.
    const TPointList far = MakeBezierPointList({{3000, 3000}});
    EXPECT_EQ(far[3], (TGPPointF{3000, 3000}));
}

TEST(DrawStrokes, EmptyGroupHasTheFarBoundsAndDrawsAndHitsNothing)
{
    auto group = NewGroup();
    EXPECT_EQ(group->GetBounds(), (TGPRectF{20000, 20000, -40000, -40000}));
    EXPECT_EQ(group->GetPaintExtent(), (TGPRectF{0, 0, 0, 0}));
    EXPECT_FALSE(group->HitTest({0, 0}));
    const TGPBitmap board = Render(40, 40, [&](TGPGraphics& g) { group->Draw(g); });
    EXPECT_TRUE(AllPaintInside(board, {0, 0, 0, 0}));  // nothing painted
    group->AddNewStroke();  // no points: no stroke
    group->AddNewStroke(TPointList{});
    EXPECT_EQ(group->GetStrokeCount(), 0);
    EXPECT_EQ(group->DeleteLastStroke(), -1);
    EXPECT_EQ(group->GetBounds(), (TGPRectF{20000, 20000, -40000, -40000}));
}

TEST(DrawStrokes, WritingRecordsPointsAndPaintsSegmentsLive)
{
    auto group = NewGroup(4, 100, 61);
    TGPBitmap board(100, 60);
    {
        TGPGraphics g(board);
        SetBoardQuality(g);
        group->PrepareStroke();
        group->AddNewPoint(g, {20, 30});  // a dot at once
        EXPECT_EQ(board.GetPixel(20, 30), 0xFFFF0000u);
        EXPECT_EQ(board.GetPixel(50, 30), 0u);
        group->AddNewPoint(g, {80, 30});
        EXPECT_EQ(board.GetPixel(50, 30), 0xFFFF0000u);
    }
    group->AddNewPoint({90, 40});  // rebuilding: recorded only
    EXPECT_EQ(group->GetWritingPoints().size(), 3u);
    EXPECT_EQ(board.GetPixel(85, 35), 0u);
    EXPECT_EQ(group->GetStrokeCount(), 0);  // not closed yet: not in the path
    group->AddNewStroke();
    EXPECT_TRUE(group->GetWritingPoints().empty());
    ASSERT_EQ(group->GetStrokeCount(), 1);
    EXPECT_EQ(group->GetRecordedStrokes()[0].size(), 4u);
    // The box of the padded points as recorded; the padding point is then drawn a tenth further.
    EXPECT_EQ(group->GetBounds().X, 20);
    EXPECT_EQ(group->GetBounds().Y, 30);
    EXPECT_NEAR(group->GetBounds().Width, 70.0001, 1e-5);
    EXPECT_NEAR(group->GetBounds().Height, 10.0001, 1e-5);
    EXPECT_NEAR(group->GetDrawStrokes()[0][3].X, 90.1001, 1e-4);
    EXPECT_EQ(group->GetGraphicsPath().GetFigureCount(), 1);
    group->PrepareStroke();
    group->AddNewPoint({1, 1});
    group->PrepareStroke();
    EXPECT_TRUE(group->GetWritingPoints().empty());
}

TEST(DrawStrokes, StretchingMapsIntoTheBoxAndScalesThePenByTheMeanScale)
{
    auto group = NewGroup(2);
    group->AddNewStroke(TPointList{{100, 100}, {150, 120}, {200, 150}, {130, 140}});  // box 100 x 50
    ASSERT_EQ(group->GetBounds(), (TGPRectF{100, 100, 100, 50}));
    EXPECT_FLOAT_EQ(group->GetStrokeWidth(), 2.5f);

    group->SetBounds({10, 20, 200, 150});
    const TPointList& d = group->GetDrawStrokes()[0];
    EXPECT_EQ(d[0], (TGPPointF{10, 20}));
    EXPECT_EQ(d[1], (TGPPointF{110, 80}));  // 50 -> 100 in X, 20 -> 60 in Y
    EXPECT_EQ(d[2], (TGPPointF{210, 170}));
    EXPECT_FLOAT_EQ(group->GetStrokeWidth(), 6.25f);
    EXPECT_EQ(group->GetBounds(), (TGPRectF{10, 20, 200, 150}));
    EXPECT_EQ(group->GetPaintBounds(), InflateRectF({10, 20, 200, 150}, 6.25f, 6.25f));
    EXPECT_EQ(group->GetRecordedStrokes()[0][1], (TGPPointF{150, 120}));  // recorded stays

    // Scales refer to the reference box: stretching again does not accumulate.
    group->SetBounds({10, 20, 200, 150});
    EXPECT_EQ(group->GetDrawStrokes()[0][1], (TGPPointF{110, 80}));
    EXPECT_FLOAT_EQ(group->GetStrokeWidth(), 6.25f);

    group->SetStrokeThickness(3);
    EXPECT_FLOAT_EQ(group->GetStrokeWidth(), 4.5f);
    group->SetBounds({0, 0, 50, 25});  // half size: the pen follows the reference width again
    EXPECT_FLOAT_EQ(group->GetStrokeWidth(), 1.25f);
}

// Decided behaviour for a reference box without width or height: scale 1 on that axis.
TEST(DrawStrokes, ZeroWidthOrHeightReferenceBoxStretchesOnlyTheOtherAxis)
{
    struct Case {
        TPointList Stroke;
        TGPRectF Target;
        TGPPointF FirstMapped, LastMapped;
        float Width;
    };
    const Case cases[] = {
        {{{50, 10}, {50, 30}, {50, 50}, {50, 60}}, {100, 0, 80, 100}, {100, 0}, {100, 100}, 2.5f * 1.5f},
        {{{10, 40}, {30, 40}, {50, 40}, {60, 40}}, {0, 5, 100, 0}, {0, 5}, {100, 5}, 2.5f * 1.5f},
    };
    for (const Case& c : cases) {
        auto group = NewGroup(2);
        group->AddNewStroke(c.Stroke);
        group->SetBounds(c.Target);
        const TPointList& d = group->GetDrawStrokes()[0];
        for (const TGPPointF& p : d) {
            ASSERT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y));
        }
        EXPECT_NEAR(d.front().X, c.FirstMapped.X, 1e-3);
        EXPECT_NEAR(d.front().Y, c.FirstMapped.Y, 1e-3);
        EXPECT_NEAR(d.back().X, c.LastMapped.X, 1e-3);
        EXPECT_NEAR(d.back().Y, c.LastMapped.Y, 1e-3);
        EXPECT_FLOAT_EQ(group->GetStrokeWidth(), c.Width);
        const TGPRectF paintBounds = group->GetPaintBounds();
        EXPECT_TRUE(std::isfinite(paintBounds.Width) && std::isfinite(paintBounds.Height));
    }
    auto group = NewGroup();
    group->AddNewStroke(TPointList{{1, 1}, {5, 5}});
    const TGPRectF before = group->GetBounds();
    group->SetBounds({NAN, 0, 10, 10});  // ignored
    EXPECT_EQ(group->GetBounds(), before);
}

TEST(DrawStrokes, PointsOnThePixelOfThePreviousPointMoveByATenth)
{
    auto group = NewGroup();
    // 10.2 and 10.4 round to 10: the second moves to 10.5 (10.4 + 0.1). The first point of the
    // group has no previous point; the next stroke's first point compares with this one's last.
    group->AddNewStroke(TPointList{{10.2f, 10.2f}, {10.4f, 10.3f}, {30, 30}, {40, 40}});
    group->AddNewStroke(TPointList{{40.3f, 39.8f}, {60, 60}, {70, 70}, {80, 80}});
    const auto& d = group->GetDrawStrokes();
    EXPECT_EQ(d[0][0], (TGPPointF{10.2f, 10.2f}));
    EXPECT_EQ(d[0][1], (TGPPointF{static_cast<float>(10.4f + 0.1), static_cast<float>(10.3f + 0.1)}));
    EXPECT_EQ(d[0][2], (TGPPointF{30, 30}));
    EXPECT_EQ(d[1][0], (TGPPointF{static_cast<float>(40.3f + 0.1), static_cast<float>(39.8f + 0.1)}));
    // The dot: each padding point lands on the pixel of the one before and moves by a tenth.
    auto dot = NewGroup();
    dot->AddNewStroke(TPointList{{20, 20}});
    const TPointList& p = dot->GetDrawStrokes()[0];
    EXPECT_EQ(p[0], (TGPPointF{20, 20}));
    const float expected[] = {20.1001f, 20.1002f, 20.1003f};
    for (size_t i = 1; i < 4; ++i) {
        EXPECT_NEAR(p[i].X, expected[i - 1], 1e-5) << i;
        EXPECT_NEAR(p[i].Y, expected[i - 1], 1e-5) << i;
    }
}

TEST(DrawStrokes, DeletingTheLastStrokeRecomputesTheBounds)
{
    auto group = NewGroup();
    group->AddNewStroke(TPointList{{10, 10}, {13, 13}, {17, 17}, {20, 20}});
    group->AddNewStroke(TPointList{{100, 5}, {120, 40}, {140, 70}, {150, 90}});
    EXPECT_EQ(group->GetBounds(), (TGPRectF{10, 5, 140, 85}));
    EXPECT_EQ(group->DeleteLastStroke(), 1);
    EXPECT_EQ(group->GetStrokeCount(), 1);
    EXPECT_EQ(group->GetGraphicsPath().GetFigureCount(), 1);
    EXPECT_EQ(group->GetBounds(), (TGPRectF{10, 10, 10, 10}));
    EXPECT_EQ(group->DeleteLastStroke(), 0);
    EXPECT_EQ(group->GetBounds(), (TGPRectF{20000, 20000, -40000, -40000}));
    EXPECT_EQ(group->GetGraphicsPath().GetFigureCount(), 0);
    EXPECT_EQ(group->DeleteLastStroke(), -1);
}

// Strokes reaching out in every direction, with points that share pixels inside and across
// strokes, so both the bounds and the nudges depend on what came before.
std::vector<TPointList> WanderingStrokes(int count)
{
    std::vector<TPointList> strokes;
    for (int s = 0; s < count; ++s) {
        TPointList stroke;
        const float cx = 300 + 250 * std::sin(s * 1.7f), cy = 200 + 150 * std::cos(s * 2.3f);
        for (int i = 0; i < 5 + s % 9; ++i) {
            stroke.push_back({cx + 0.37f * i * (s % 3), cy + 0.61f * i * ((s + 1) % 2)});
        }
        strokes.push_back(stroke);
    }
    return strokes;
}

void ExpectSameGroup(const TDrawStrokes& a, const TDrawStrokes& b)
{
    const TGPRectF ra = a.GetBounds(), rb = b.GetBounds();
    EXPECT_NEAR(ra.X, rb.X, 1e-3);
    EXPECT_NEAR(ra.Y, rb.Y, 1e-3);
    EXPECT_NEAR(ra.Width, rb.Width, 1e-3);
    EXPECT_NEAR(ra.Height, rb.Height, 1e-3);
    EXPECT_FLOAT_EQ(a.GetStrokeWidth(), b.GetStrokeWidth());
    const std::vector<TGPPointF> pa = a.GetGraphicsPath().GetPathPoints(), pb = b.GetGraphicsPath().GetPathPoints();
    ASSERT_EQ(pa.size(), pb.size());
    for (size_t i = 0; i < pa.size(); ++i) {
        ASSERT_NEAR(pa[i].X, pb[i].X, 1e-3) << i;
        ASSERT_NEAR(pa[i].Y, pb[i].Y, 1e-3) << i;
    }
    EXPECT_EQ(a.GetGraphicsPath().GetFigureCount(), b.GetGraphicsPath().GetFigureCount());
}

TEST(DrawStrokes, AppendingAtTheRecordedScaleEqualsAFullRebuild)
{
    auto appended = NewGroup(3);
    for (const TPointList& stroke : WanderingStrokes(60)) {
        appended->AddNewStroke(stroke);
    }
    // The same strokes given at creation; a content rebuild then maps every stroke again.
    TDrawStrokes rebuilt(nullptr, 1, WanderingStrokes(60), 100, 6, 3);
    rebuilt.SetBounds(Unset());
    ExpectSameGroup(*appended, rebuilt);
    appended->SetBounds(Unset());  // a full rebuild of the appended group changes nothing
    ExpectSameGroup(*appended, rebuilt);
}

TEST(DrawStrokes, AppendingToAStretchedGroupRebuildsFromTheRecordedPoints)
{
    auto group = NewGroup();
    group->AddNewStroke(TPointList{{0, 0}, {40, 20}, {80, 40}, {100, 50}});
    group->SetBounds({0, 0, 200, 100});
    EXPECT_EQ(group->GetDrawStrokes()[0][3], (TGPPointF{200, 100}));
    group->AddNewStroke(TPointList{{300, 300}, {303, 303}, {306, 306}, {310, 310}});
    // The reference box is taken from the stretched copies, then every copy goes back onto its
    // recorded points.
    EXPECT_EQ(group->GetBounds(), (TGPRectF{0, 0, 310, 310}));
    EXPECT_EQ(group->GetDrawStrokes()[0][3], (TGPPointF{100, 50}));
    EXPECT_FLOAT_EQ(group->GetStrokeWidth(), 5.0f);  // the stretched width became the reference
}

TEST(DrawStrokes, HitTestUsesThePenOutline)
{
    auto group = NewGroup(4);  // 10 px
    group->AddNewStroke(TPointList{{10, 50}, {110, 50}});
    const std::pair<TGPPointF, bool> cases[] = {{{60, 51}, true},  {{60, 54.5f}, true}, {{60, 56}, false},
                                                {{7, 50}, true},   {{4, 50}, false},    {{113, 53}, true},
                                                {{60, 90}, false}};
    for (const auto& [point, hit] : cases) {
        EXPECT_EQ(group->HitTest(point), hit) << point.X << "," << point.Y;
    }
}

TEST(DrawStrokes, OnePointStrokeDrawsARoundDotOfThePenWidth)
{
    auto group = NewGroup(4, 100, 61);  // 10 px
    group->AddNewStroke(TPointList{{30, 30}});
    const TGPBitmap board = Render(60, 60, [&](TGPGraphics& g) { group->Draw(g); });
    int painted = 0;
    double coverage = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            painted += Painted(board, x, y) ? 1 : 0;
            coverage += AlphaAt(board, x, y) / 255.0;
        }
    }
    EXPECT_EQ(board.GetPixel(30, 30), 0xFFFF0000u);
    EXPECT_NEAR(coverage, std::numbers::pi * 25, 6);  // a disc of radius 5
    EXPECT_FALSE(Painted(board, 30, 37));
    EXPECT_FALSE(Painted(board, 35, 35));  // round, not square
    EXPECT_TRUE(Painted(board, 33, 33));
    EXPECT_LT(painted, 130);
    EXPECT_TRUE(AllPaintInside(board, group->GetStrokePaintExtent(0)));
}

TEST(DrawStrokes, TranslucentStrokesPaintTheirAlphaOnceWhereTheyCross)
{
    auto group = NewGroup(4, 50, 61);
    group->AddNewStroke(TPointList{{10, 50}, {90, 50}});
    group->AddNewStroke(TPointList{{50, 10}, {50, 90}});
    const TGPBitmap board = Render(100, 100, [&](TGPGraphics& g) { group->Draw(g); });
    EXPECT_EQ(board.GetPixel(30, 50), 0x80FF0000u);
    EXPECT_EQ(board.GetPixel(50, 50), 0x80FF0000u);
}

// Drawing clipped to a region paints there exactly what a full drawing paints, and the paint
// extent holds every painted pixel.
TEST(DrawStrokes, ClippedDrawingMatchesFullDrawingInsideTheClip)
{
    for (const int opacity : {100, 50}) {
        auto group = NewGroup(3, opacity, 30);
        for (const TPointList& stroke : WanderingStrokes(120)) {
            group->AddNewStroke(stroke);
        }
        const TGPBitmap full = Render(640, 400, [&](TGPGraphics& g) { group->Draw(g); });
        EXPECT_TRUE(AllPaintInside(full, group->GetPaintExtent()));
        const TGPRectF clip{200, 90, 120, 80};
        const TGPBitmap part = Render(640, 400, [&](TGPGraphics& g) { group->Draw(g); }, clip);
        int differences = 0, paintedInClip = 0;
        for (int y = 0; y < 400; ++y) {
            for (int x = 0; x < 640; ++x) {
                const bool inside = PtInRectF({x + 0.5f, y + 0.5f}, clip);
                const TGPColor expected = inside ? full.GetPixel(x, y) : 0u;
                differences += part.GetPixel(x, y) != expected ? 1 : 0;
                paintedInClip += inside && Painted(full, x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differences, 0) << opacity;
        EXPECT_GT(paintedInClip, 100) << opacity;
    }
}

}  // namespace
