// The contact sheet: all 44 shape kinds, filled and bordered, in a labelled grid. The test
// checks every cell and writes the sheet as a PNG next to the test binary; docs/shapes.png is a
// copy of it.
#include "draw/DrawShape.h"

#include "ShapeTestSupport.h"

#include "platform/graphics/GPFont.h"
#include "platform/graphics/GPSolidBrush.h"

#include <gtest/gtest.h>

#include <QString>

#include <array>

namespace {

constexpr std::array<const char*, 45> kShapeNames = {
    "ShapeNone",         "Rectangle",          "RoundRectangle",        "Ellipse",
    "Diamond",           "RBRightAngledTriangle", "LBRightAngledTriangle", "RTRightAngledTriangle",
    "LTRightAngledTriangle", "TIsoscelesTriangle", "BIsoscelesTriangle", "LIsoscelesTriangle",
    "RIsoscelesTriangle", "LTPie",             "RTPie",                 "LBPie",
    "RBPie",             "RBBentShape",        "LBBentShape",           "RTBentShape",
    "LTBentShape",       "Parallelogram",      "Trapezoid",             "Hexagon",
    "CrossShape",        "LeftFlow",           "RightFlow",             "TopFlow",
    "BottomFlow",        "LeftArrow",          "RightArrow",            "TopArrow",
    "BottomArrow",       "Star",               "Doughnut",              "LeftRightArrow",
    "TopBottomArrow",    "HorzBeam",           "VertBeam",              "Quadrant",
    "HalfQuadrant",      "Hexahedron",         "TriangularPyramid",     "Cone",
    "Cylinder",
};

constexpr int kColumns = 8;
constexpr int kCellWidth = 170;
constexpr int kCellHeight = 160;
constexpr int kLabelHeight = 26;
constexpr int kMargin = 18;

// Light tints of the palette's base colours for the faces, the dark shade of the same colour for
// the borders.
constexpr std::array<int, 8> kFaceColors = {26, 32, 38, 44, 50, 56, 20, 14};
constexpr std::array<int, 8> kBorderColors = {28, 34, 40, 46, 52, 58, 22, 16};

TGPRectF ShapeBox(int value)
{
    const int index = value - 1;
    const float x = static_cast<float>((index % kColumns) * kCellWidth + kMargin);
    const float y = static_cast<float>((index / kColumns) * kCellHeight + kMargin);
    return {x, y, kCellWidth - 2.0f * kMargin, kCellHeight - kLabelHeight - 2.0f * kMargin};
}

QImage DrawContactSheet()
{
    const int rows = (44 + kColumns - 1) / kColumns;
    QImage sheet = WhiteImage(kColumns * kCellWidth, rows * kCellHeight);
    const TGPFont font(QStringLiteral("Sans"), 8.0f);
    const TGPSolidBrush ink(0xFF202020u);
    for (int value = 1; value <= 44; ++value) {
        TShapeStyle style;
        style.Face = kFaceColors[static_cast<size_t>(value % 8)];
        style.Edge = kBorderColors[static_cast<size_t>(value % 8)];
        auto shape = MakeShape(static_cast<ShapeType>(value), ShapeBox(value), style);
        DrawShapeOn(sheet, *shape);

        const TGPRectF box = ShapeBox(value);
        TGPGraphics graphics(&sheet);
        graphics.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        const QString label = QStringLiteral("%1 %2").arg(value).arg(QLatin1String(kShapeNames[static_cast<size_t>(value)]));
        graphics.DrawString(label, -1, font, {box.X - kMargin + 6.0f, box.Y + box.Height + kMargin - 2.0f}, ink);
    }
    return sheet;
}

bool CellHasColour(const QImage& sheet, const TGPRectF& box, TGPColor argb)
{
    const QRgb wanted = argb | 0xFF000000u;
    for (int y = static_cast<int>(box.Y); y < static_cast<int>(box.Y + box.Height); ++y) {
        for (int x = static_cast<int>(box.X); x < static_cast<int>(box.X + box.Width); ++x) {
            if (sheet.pixel(x, y) == wanted) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

TEST(ContactSheet, ShowsEveryKindFilledAndBordered)
{
    const QImage sheet = DrawContactSheet();
    for (int value = 1; value <= 44; ++value) {
        SCOPED_TRACE(kShapeNames[static_cast<size_t>(value)]);
        const auto type = static_cast<ShapeType>(value);
        const TGPRectF box = ShapeBox(value);
        const TGPColor face = GetIndexColor(255, kFaceColors[static_cast<size_t>(value % 8)]);
        const TGPColor edge = GetIndexColor(255, kBorderColors[static_cast<size_t>(value % 8)]);
        const bool filled = type != ShapeType::HorzBeam && type != ShapeType::VertBeam &&
                            type != ShapeType::Quadrant && type != ShapeType::HalfQuadrant;
        EXPECT_EQ(CellHasColour(sheet, box, face), filled);
        EXPECT_TRUE(CellHasColour(sheet, box, edge));
    }
    ASSERT_TRUE(sheet.save(QStringLiteral(RAVO_SHAPE_SHEET_PATH)));
}
