#pragma once
// Comparisons of points, rectangles and path figures for the shape tests.

#include "platform/GPGeometry.h"
#include "platform/graphics/GPGraphicsPath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

inline bool SamePoint(const TGPPointF& a, const TGPPointF& b, float tolerance = 1e-3f)
{
    return std::abs(a.X - b.X) <= tolerance && std::abs(a.Y - b.Y) <= tolerance;
}

inline bool SameRect(const TGPRectF& a, const TGPRectF& b, float tolerance = 1e-3f)
{
    return SamePoint({a.X, a.Y}, {b.X, b.Y}, tolerance) && SamePoint({a.Width, a.Height}, {b.Width, b.Height}, tolerance);
}

inline void ExpectFigure(const TGPPathFigure& figure, const std::vector<TGPPointF>& points, bool closed,
                         float tolerance = 1e-3f)
{
    EXPECT_EQ(figure.Closed, closed);
    ASSERT_EQ(figure.Points.size(), points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_TRUE(SamePoint(figure.Points[i], points[i], tolerance))
            << "point " << i << ": (" << figure.Points[i].X << ", " << figure.Points[i].Y << ") expected ("
            << points[i].X << ", " << points[i].Y << ")";
    }
}

// Same figures, point kinds, closure and points.
inline void ExpectSamePath(const TGPGraphicsPath& actual, const TGPGraphicsPath& expected)
{
    ASSERT_EQ(actual.GetFigureCount(), expected.GetFigureCount());
    for (int i = 0; i < expected.GetFigureCount(); ++i) {
        SCOPED_TRACE(::testing::Message() << "figure " << i);
        EXPECT_TRUE(actual.GetFigure(i).Types == expected.GetFigure(i).Types);
        ExpectFigure(actual.GetFigure(i), expected.GetFigure(i).Points, expected.GetFigure(i).Closed);
    }
}
