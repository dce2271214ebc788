// Style numbers to colours, widths, pens and brushes.
#include "draw/DrawProperty.h"

#include <gtest/gtest.h>

namespace {

TEST(DrawProperty, FreshPropertyGivesTheDefaultStyles)
{
    const TDrawProperty property;
    EXPECT_EQ(property.GetPenColor(), 0xFF000000u);
    EXPECT_FLOAT_EQ(property.GetPenWidth(), 2.5f);
    EXPECT_EQ(property.GetShapeFaceColor(), 0xFFBFBFBFu);
    EXPECT_EQ(property.GetShapeBorderColor(), 0xFF000000u);
    EXPECT_FLOAT_EQ(property.GetShapeBorderWidth(), 2.5f);
    EXPECT_TRUE(property.GetShapeDrawBorder());
    EXPECT_TRUE(property.GetShapeFillFace());
    const auto line = property.GetNewLinePen();
    EXPECT_EQ(line->GetColor(), 0xFF000000u);
    EXPECT_FLOAT_EQ(line->GetWidth(), 2.5f);
    EXPECT_EQ(line->GetDashStyle(), TGPDashStyle::Solid);
    EXPECT_EQ(line->GetStartCap(), TGPLineCap::Round);
    EXPECT_EQ(line->GetEndCap(), TGPLineCap::Round);
    const auto pen = property.GetNewPenPen();
    EXPECT_EQ(pen->GetStartCap(), TGPLineCap::Round);
    EXPECT_EQ(pen->GetEndCap(), TGPLineCap::Round);
    EXPECT_EQ(pen->GetLineJoin(), TGPLineJoin::Round);
    EXPECT_EQ(property.GetNewShapeBrush()->GetColor(), 0xFFBFBFBFu);
}

TEST(DrawProperty, OpacityAndIndexMakeTheColourOfEveryGroup)
{
    struct Case {
        int Opacity, Index;
        TGPColor Expected;
    };
    const Case cases[] = {{50, 61, 0x80FF0000}, {0, 61, 0x00FF0000}, {100, 24, 0xFF4F81BD}, {30, 0, 0x4CFFFFFF},
                          {70, 69, 0xB27030A0}};
    for (const Case& c : cases) {
        TDrawProperty p;
        p.SetPenOpacity(c.Opacity);
        p.SetPenColorIndex(c.Index);
        p.SetLineOpacity(c.Opacity);
        p.SetLineColorIndex(c.Index);
        p.SetShapeOpacity(c.Opacity);
        p.SetShapeBorderColorIndex(c.Index);
        p.SetShapeFaceColorIndex(c.Index);
        EXPECT_EQ(p.GetPenColor(), c.Expected) << c.Opacity << "/" << c.Index;
        EXPECT_EQ(p.GetLineColor(), c.Expected) << c.Opacity << "/" << c.Index;
        EXPECT_EQ(p.GetShapeBorderColor(), c.Expected) << c.Opacity << "/" << c.Index;
        EXPECT_EQ(p.GetShapeFaceColor(), c.Expected) << c.Opacity << "/" << c.Index;
        EXPECT_EQ(p.GetNewPenPen()->GetColor(), c.Expected);
        EXPECT_EQ(p.GetNewShapeBrush()->GetColor(), c.Expected);
    }
}

TEST(DrawProperty, ThicknessStepsAndTheStretchedPenWidth)
{
    const std::pair<Thickness, float> steps[] = {{0, 2.5f}, {1, 1.6f}, {2, 2.5f}, {3, 4.5f}, {4, 10.0f}, {5, 2.5f}};
    for (const auto& [step, width] : steps) {
        TDrawProperty p;
        p.SetLineThickness(step);
        p.SetShapeBorderThickness(step);
        p.SetPenThickness(step);
        EXPECT_FLOAT_EQ(p.GetNewLinePen()->GetWidth(), width) << int(step);
        EXPECT_FLOAT_EQ(p.GetNewShapePen()->GetWidth(), width) << int(step);
        EXPECT_FLOAT_EQ(p.GetNewPenPen()->GetWidth(), width) << int(step);
    }
    TDrawProperty p;
    p.SetPenWidth(3.75f);
    EXPECT_FLOAT_EQ(p.GetPenWidth(), 3.75f);
    EXPECT_FLOAT_EQ(p.GetLineWidth(), 2.5f);  // only the pen group stretches
    EXPECT_FLOAT_EQ(p.GetShapeBorderWidth(), 2.5f);
    p.SetPenThickness(4);
    EXPECT_FLOAT_EQ(p.GetPenWidth(), 10.0f);
}

TEST(DrawProperty, LinePenEndsAndDashFollowArrowAndLineType)
{
    struct Case {
        LineArrow Arrow;
        TGPLineCap Start, End;
    };
    const Case cases[] = {{0, TGPLineCap::Flat, TGPLineCap::Flat},     {1, TGPLineCap::Round, TGPLineCap::Round},
                          {2, TGPLineCap::Custom, TGPLineCap::Flat},   {3, TGPLineCap::Flat, TGPLineCap::Custom},
                          {4, TGPLineCap::Custom, TGPLineCap::Custom}, {5, TGPLineCap::Flat, TGPLineCap::Flat}};
    for (const Case& c : cases) {
        TDrawProperty p;
        p.SetLineArrow(c.Arrow);
        const auto pen = p.GetNewLinePen();
        EXPECT_EQ(pen->GetStartCap(), c.Start) << int(c.Arrow);
        EXPECT_EQ(pen->GetEndCap(), c.End) << int(c.Arrow);
        for (const auto* cap : {&pen->GetCustomStartCap(), &pen->GetCustomEndCap()}) {
            if (cap->has_value()) {
                EXPECT_FLOAT_EQ((*cap)->GetHeight(), 5.0f);
                EXPECT_FLOAT_EQ((*cap)->GetWidth(), 5.0f);
                EXPECT_FALSE((*cap)->IsFilled());
            }
        }
        EXPECT_EQ(pen->GetCustomStartCap().has_value(), c.Start == TGPLineCap::Custom);
        EXPECT_EQ(pen->GetCustomEndCap().has_value(), c.End == TGPLineCap::Custom);
    }
    for (const LineType type : {0, 1, 2, 3}) {
        TDrawProperty p;
        p.SetLineType(type);
        p.SetShapeBorderType(type);
        const TGPDashStyle expected = type == 2 ? TGPDashStyle::Dash : TGPDashStyle::Solid;
        EXPECT_EQ(p.GetNewLinePen()->GetDashStyle(), expected) << int(type);
        EXPECT_EQ(p.GetNewShapePen()->GetDashStyle(), expected) << int(type);
        EXPECT_EQ(p.GetNewShapePen()->GetStartCap(), TGPLineCap::Flat);
        EXPECT_EQ(p.GetNewShapePen()->GetLineJoin(), TGPLineJoin::Miter);
    }
}

}  // namespace
