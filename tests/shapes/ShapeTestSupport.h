#pragma once
// Comparisons of points, rectangles and path figures, and drawing into pictures, for the shape
// tests.

#include "draw/DrawShape.h"
#include "platform/GPGeometry.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPGraphicsPath.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
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

// ---------------------------------------------------------------------------------------------
// Drawing into pictures.

// A shape styled as the recorded command gives it: fill, border, opacity, face and border
// colour indexes, border thickness and type.
struct TShapeStyle {
    bool Fill = true;
    bool Border = true;
    int Opacity = 100;
    int Face = 61;    // FF0000
    int Edge = 67;    // 0070C0
    Thickness BorderThickness = 2;
    LineType BorderType = 1;
};

inline std::unique_ptr<TDrawShape> MakeShape(ShapeType type, const TGPRectF& bounds, const TShapeStyle& style = {})
{
    auto shape = std::make_unique<TDrawShape>(nullptr, 1, type, style.Fill, style.Border, style.Opacity, style.Face,
                                              style.Edge, style.BorderThickness, style.BorderType);
    shape->SetBounds(bounds);
    return shape;
}

// Draws with the quality modes the board uses (anti-aliased, pixel (i, j) covering
// [i, i + 1) x [j, j + 1)).
inline void DrawShapeOn(QImage& image, TDrawShape& shape)
{
    TGPGraphics graphics(&image);
    graphics.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
    graphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    graphics.SetInterpolationMode(TGPInterpolationMode::HighQualityBicubic);
    shape.Draw(graphics);
}

inline QImage WhiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    return image;
}

inline QImage Render(TDrawShape& shape, int width, int height)
{
    QImage image = WhiteImage(width, height);
    DrawShapeOn(image, shape);
    return image;
}

// Pure colours of the default test style.
inline bool IsFaceRed(QRgb c)
{
    return qRed(c) > 230 && qGreen(c) < 25 && qBlue(c) < 25;
}

inline bool IsEdgeBlue(QRgb c)
{
    return qRed(c) < 25 && qAbs(qGreen(c) - 0x70) < 25 && qAbs(qBlue(c) - 0xC0) < 25;
}

// Anything clearly darker than the white background.
inline bool IsInked(QRgb c)
{
    return qRed(c) < 200 || qGreen(c) < 200 || qBlue(c) < 200;
}
