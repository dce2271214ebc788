#include "draw/DrawProperty.h"

#include "session/CommDefine.h"

namespace {

// An open arrowhead 5 pen widths long and 5 wide.
constexpr float kArrowHeight = 5.0f;
constexpr float kArrowWidth = 5.0f;

}  // namespace

void TDrawProperty::SetPenThickness(Thickness value)
{
    m_enumPenThickness = value;
    m_boolPenStretched = false;
}

void TDrawProperty::SetPenWidth(float p_fPenWidth)
{
    m_fStretchedPenWidth = p_fPenWidth;
    m_boolPenStretched = true;
}

int TDrawProperty::GetLineAlpha() const
{
    return OpacityToAlpha(m_nLineOpacity);
}

int TDrawProperty::GetPenAlpha() const
{
    return OpacityToAlpha(m_nPenOpacity);
}

int TDrawProperty::GetShapeAlpha() const
{
    return OpacityToAlpha(m_nShapeOpacity);
}

TGPColor TDrawProperty::GetLineColor() const
{
    return GetIndexColor(GetLineAlpha(), m_nLineColorIndex);
}

TGPColor TDrawProperty::GetPenColor() const
{
    return GetIndexColor(GetPenAlpha(), m_nPenColorIndex);
}

TGPColor TDrawProperty::GetShapeBorderColor() const
{
    return GetIndexColor(GetShapeAlpha(), m_nShapeBorderColorIndex);
}

TGPColor TDrawProperty::GetShapeFaceColor() const
{
    return GetIndexColor(GetShapeAlpha(), m_nShapeFaceColorIndex);
}

float TDrawProperty::GetLineWidth() const
{
    return GetThicknessWidth(m_enumLineThickness);
}

float TDrawProperty::GetPenWidth() const
{
    return m_boolPenStretched ? m_fStretchedPenWidth : GetThicknessWidth(m_enumPenThickness);
}

float TDrawProperty::GetShapeBorderWidth() const
{
    return GetThicknessWidth(m_enumShapeBorderThickness);
}

std::unique_ptr<TGPPen> TDrawProperty::GetNewPenPen() const
{
    auto pen = std::make_unique<TGPPen>(GetPenColor(), GetPenWidth());
    pen->SetStartCap(TGPLineCap::Round);
    pen->SetEndCap(TGPLineCap::Round);
    pen->SetLineJoin(TGPLineJoin::Round);
    return pen;
}

std::unique_ptr<TGPPen> TDrawProperty::GetNewLinePen() const
{
    auto pen = std::make_unique<TGPPen>(GetLineColor(), GetLineWidth());
    if (m_enumLineType == kLineTypeDash) {
        pen->SetDashStyle(TGPDashStyle::Dash);
    }
    const TGPAdjustableArrowCap arrow(kArrowHeight, kArrowWidth, false);
    switch (m_enumLineArrow) {
    case kLineArrowRound:
        pen->SetStartCap(TGPLineCap::Round);
        pen->SetEndCap(TGPLineCap::Round);
        break;
    case kLineArrowStart:
        pen->SetCustomStartCap(arrow);
        break;
    case kLineArrowEnd:
        pen->SetCustomEndCap(arrow);
        break;
    case kLineArrowBoth:
        pen->SetCustomStartCap(arrow);
        pen->SetCustomEndCap(arrow);
        break;
    default:
        break;
    }
    return pen;
}

std::unique_ptr<TGPPen> TDrawProperty::GetNewShapePen() const
{
    auto pen = std::make_unique<TGPPen>(GetShapeBorderColor(), GetShapeBorderWidth());
    if (m_enumShapeBorderType == kLineTypeDash) {
        pen->SetDashStyle(TGPDashStyle::Dash);
    }
    return pen;
}

std::unique_ptr<TGPSolidBrush> TDrawProperty::GetNewShapeBrush() const
{
    return std::make_unique<TGPSolidBrush>(GetShapeFaceColor());
}
