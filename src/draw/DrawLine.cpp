#include "draw/DrawLine.h"

#include "platform/graphics/GPGraphics.h"
#include "session/CommDefine.h"

namespace {

// Distance the paint bounds reach beyond the segment's box.
constexpr float kPaintMargin = 20.0f;
// Anti-aliasing touches at most this far beyond the painted geometry.
constexpr float kAntiAliasMargin = 1.0f;

}  // namespace

TDrawLine::TDrawLine(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, LineArrow arrow, LineType lineType, int opacity,
                     int colorIndex, Thickness thickness)
    : TDrawParent(DrawType::Line, p_pbDraw, p_u32DrawNo)
{
    m_dpDrawProperty.SetLineArrow(arrow);
    m_dpDrawProperty.SetLineType(lineType);
    m_dpDrawProperty.SetLineThickness(thickness);
    m_dpDrawProperty.SetLineOpacity(opacity);
    m_dpDrawProperty.SetLineColorIndex(colorIndex);
}

void TDrawLine::SetStartPoint(const TGPPointF& value)
{
    m_ptStartPoint = value;
    EndPointChanged();
}

void TDrawLine::SetEndPoint(const TGPPointF& value)
{
    m_ptEndPoint = value;
    EndPointChanged();
}

void TDrawLine::EndPointChanged()
{
    BuildLinePath();
    // The geometric box: a horizontal line has height 0.
    m_rtBounds = m_gpGraphicsPath.GetBounds();
    m_rtPaintBounds = InflateRectF(m_rtBounds, kPaintMargin, kPaintMargin);
}

void TDrawLine::BuildLinePath()
{
    m_gpGraphicsPath.Reset();
    m_gpGraphicsPath.AddLine(m_ptStartPoint, m_ptEndPoint);
}

void TDrawLine::InitBounds(float p_fX, float p_fY)
{
    SetStartPoint({p_fX, p_fY});
    SetEndPoint({p_fX, p_fY});
}

void TDrawLine::Draw(TGPGraphics& p_gGraphics)
{
    const auto pen = m_dpDrawProperty.GetNewLinePen();
    p_gGraphics.DrawPath(*pen, m_gpGraphicsPath);
}

bool TDrawLine::HitTest(const TGPPointF& p_ptPoint)
{
    const auto pen = m_dpDrawProperty.GetNewLinePen();
    return m_gpGraphicsPath.IsOutlineVisible(p_ptPoint, *pen);
}

void TDrawLine::Dispose()
{
    m_dpDrawProperty.Dispose();
    m_gpGraphicsPath.Reset();
    TDrawParent::Dispose();
}

TGPRectF TDrawLine::GetPaintExtent() const
{
    if (m_gpGraphicsPath.GetFigureCount() == 0) {
        return {};
    }
    const auto pen = m_dpDrawProperty.GetNewLinePen();
    const TGPRectF painted = m_gpGraphicsPath.GetBounds(*pen);
    if (painted.Width <= 0.0f && painted.Height <= 0.0f) {
        return {};  // a line of length 0 with flat ends paints nothing
    }
    return InflateRectF(painted, kAntiAliasMargin, kAntiAliasMargin);
}
