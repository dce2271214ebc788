#pragma once
// A straight line from a start point to an end point, solid or dashed, with round ends or open
// arrowheads. Its box follows the segment: every change of an end point rebuilds a one-segment
// path and takes the path's box as the bounds.

#include "draw/DrawParent.h"
#include "draw/DrawProperty.h"
#include "platform/graphics/GPGraphicsPath.h"

class TDrawLine : public TDrawParent {
public:
    TDrawLine(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, LineArrow arrow, LineType lineType, int opacity,
              int colorIndex, Thickness thickness);

    TGPPointF GetStartPoint() const { return m_ptStartPoint; }
    TGPPointF GetEndPoint() const { return m_ptEndPoint; }
    void SetStartPoint(const TGPPointF& value);
    void SetEndPoint(const TGPPointF& value);

    using TDrawParent::InitBounds;
    // A line of length zero at the point.
    void InitBounds(float p_fX, float p_fY) override;
    void Draw(TGPGraphics& p_gGraphics) override;
    // Within what the line pen draws: its width, caps and arrowheads.
    bool HitTest(const TGPPointF& p_ptPoint) override;
    void Dispose() override;
    // The box of everything the line pen paints (arrowheads can reach past the paint bounds).
    TGPRectF GetPaintExtent() const override;

    int GetLineAlpha() const { return m_dpDrawProperty.GetLineAlpha(); }
    TGPColor GetLineColor() const { return m_dpDrawProperty.GetLineColor(); }
    LineArrow GetLineArrow() const { return m_dpDrawProperty.GetLineArrow(); }
    void SetLineArrow(LineArrow value) { m_dpDrawProperty.SetLineArrow(value); }
    int GetLineColorIndex() const { return m_dpDrawProperty.GetLineColorIndex(); }
    void SetLineColorIndex(int value) { m_dpDrawProperty.SetLineColorIndex(value); }
    int GetLineOpacity() const { return m_dpDrawProperty.GetLineOpacity(); }
    void SetLineOpacity(int value) { m_dpDrawProperty.SetLineOpacity(value); }
    Thickness GetLineThickness() const { return m_dpDrawProperty.GetLineThickness(); }
    void SetLineThickness(Thickness value) { m_dpDrawProperty.SetLineThickness(value); }
    LineType GetLineType() const { return m_dpDrawProperty.GetLineType(); }
    void SetLineType(LineType value) { m_dpDrawProperty.SetLineType(value); }

    const TGPGraphicsPath& GetGraphicsPath() const { return m_gpGraphicsPath; }

private:
    void BuildLinePath();
    void EndPointChanged();

    TDrawProperty m_dpDrawProperty;
    TGPGraphicsPath m_gpGraphicsPath;
    TGPPointF m_ptEndPoint;
    TGPPointF m_ptStartPoint;
};
