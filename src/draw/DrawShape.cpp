#include "draw/DrawShape.h"

#include "draw/ShapeOutline.h"
#include "platform/graphics/GPAdjustableArrowCap.h"
#include "platform/graphics/GPGraphics.h"

#include <vector>

namespace {

// How each kind is painted.
enum class TShapeRoutine {
    None,
    FillAndBorder,
    OutlineOnly,
    QuadrantAxes,
    HalfQuadrantAxes,
};

TShapeRoutine RoutineOf(ShapeType shapeType)
{
    switch (shapeType) {
    case ShapeType::HorzBeam:
    case ShapeType::VertBeam:
        return TShapeRoutine::OutlineOnly;
    case ShapeType::Quadrant:
        return TShapeRoutine::QuadrantAxes;
    case ShapeType::HalfQuadrant:
        return TShapeRoutine::HalfQuadrantAxes;
    default:
        // Every other kind with an outline, the solids and the doughnut included.
        return HasShapeOutline(shapeType) ? TShapeRoutine::FillAndBorder : TShapeRoutine::None;
    }
}

// Open arrowheads of the axes, in multiples of the pen width.
constexpr float kAxisArrowSize = 5.0f;
// Anti-aliased edges may tint the pixel next to a shape's geometric box.
constexpr float kAntiAliasMargin = 1.0f;
// Ticks on each side of the origin of the full quadrant, and along each half-quadrant axis.
constexpr int kQuadrantTicksPerSide = 5;
constexpr int kHalfQuadrantTicks = 10;

struct TSegment {
    TGPPointF From;
    TGPPointF To;
};

// The two axes and the twenty ticks of a coordinate-axes shape, in drawing order. The tick unit
// is a twelfth of the box across and down; every tick is W/48 long on each side of its axis.
struct TAxesLayout {
    TSegment Horizontal;
    TSegment Vertical;
    std::vector<TSegment> Ticks;
};

TAxesLayout QuadrantLayout(const TGPRectF& b)
{
    const float ux = b.Width / 12.0f;
    const float uy = b.Height / 12.0f;
    const float t = ux / 4.0f;
    const float cx = b.X + b.Width / 2.0f;
    const float cy = b.Y + b.Height / 2.0f;
    TAxesLayout layout{{{b.X, cy}, {b.X + b.Width, cy}}, {{cx, b.Y}, {cx, b.Y + b.Height}}, {}};
    for (const float side : {-1.0f, 1.0f}) {
        for (int i = 1; i <= kQuadrantTicksPerSide; ++i) {
            const float x = cx + side * static_cast<float>(i) * ux;
            layout.Ticks.push_back({{x, cy - t}, {x, cy + t}});
        }
    }
    for (const float side : {-1.0f, 1.0f}) {
        for (int i = 1; i <= kQuadrantTicksPerSide; ++i) {
            const float y = cy + side * static_cast<float>(i) * uy;
            layout.Ticks.push_back({{cx - t, y}, {cx + t, y}});
        }
    }
    return layout;
}

// First quadrant only: the origin sits one unit in from the left and the bottom.
TAxesLayout HalfQuadrantLayout(const TGPRectF& b)
{
    const float ux = b.Width / 12.0f;
    const float uy = b.Height / 12.0f;
    const float t = ux / 4.0f;
    const float ox = b.X + ux;
    const float oy = b.Y + b.Height - uy;
    TAxesLayout layout{{{b.X, oy}, {b.X + b.Width, oy}}, {{ox, b.Y + b.Height}, {ox, b.Y}}, {}};
    for (int i = 1; i <= kHalfQuadrantTicks; ++i) {
        const float x = ox + static_cast<float>(i) * ux;
        layout.Ticks.push_back({{x, oy - t}, {x, oy + t}});
    }
    for (int i = 1; i <= kHalfQuadrantTicks; ++i) {
        const float y = oy - static_cast<float>(i) * uy;
        layout.Ticks.push_back({{ox - t, y}, {ox + t, y}});
    }
    return layout;
}

// Solid, in the border colour and width, with open arrowheads: at both ends of each full
// quadrant axis, only at the far end of a half-quadrant axis.
TGPPen MakeAxisPen(const TDrawProperty& property, bool fullQuadrant)
{
    TGPPen pen(property.GetShapeBorderColor(), property.GetShapeBorderWidth());
    const TGPAdjustableArrowCap arrow(kAxisArrowSize, kAxisArrowSize, false);
    if (fullQuadrant) {
        pen.SetCustomStartCap(arrow);
    } else {
        pen.SetStartCap(TGPLineCap::NoAnchor);
    }
    pen.SetCustomEndCap(arrow);
    return pen;
}

// The box a pen paints along separate segments.
TGPRectF SegmentsExtent(const std::vector<TSegment>& segments, const TGPPen& pen)
{
    TGPGraphicsPath path;
    for (const TSegment& segment : segments) {
        path.StartFigure();
        path.AddLine(segment.From, segment.To);
    }
    return path.GetBounds(pen);
}

}  // namespace

TDrawShape::TDrawShape(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, ShapeType p_enumShapeType,
                       bool p_boolFillFace, bool p_boolDrawBorder, int p_nShapeOpacity, int p_nFaceColorIndex,
                       int p_nBorderColorIndex, Thickness p_enumBorderThickness, LineType p_enumBorderType)
    : TDrawParent(DrawType::Shape, p_pbDraw, p_u32DrawNo), m_enumShapeType(p_enumShapeType)
{
    m_dpDrawProperty = std::make_unique<TDrawProperty>();
    m_dpDrawProperty->SetShapeFillFace(p_boolFillFace);
    m_dpDrawProperty->SetShapeDrawBorder(p_boolDrawBorder);
    m_dpDrawProperty->SetShapeOpacity(p_nShapeOpacity);
    m_dpDrawProperty->SetShapeFaceColorIndex(p_nFaceColorIndex);
    m_dpDrawProperty->SetShapeBorderColorIndex(p_nBorderColorIndex);
    m_dpDrawProperty->SetShapeBorderThickness(p_enumBorderThickness);
    m_dpDrawProperty->SetShapeBorderType(p_enumBorderType);
    m_gpGraphicsPath = std::make_unique<TGPGraphicsPath>(TGPFillMode::Alternate);
}

void TDrawShape::SetBounds(const TGPRectF& value)
{
    if (m_gpGraphicsPath) {
        BuildShapeOutline(m_enumShapeType, value, *m_gpGraphicsPath);
    }
    m_rtBounds = value;
    m_rtPaintBounds = m_gpGraphicsPath ? m_gpGraphicsPath->GetBounds() : TGPRectF{};
}

void TDrawShape::Dispose()
{
    if (m_dpDrawProperty) {
        m_dpDrawProperty->Dispose();
    }
    m_dpDrawProperty.reset();
    m_gpGraphicsPath.reset();
    TDrawParent::Dispose();
}

void TDrawShape::Draw(TGPGraphics& p_gGraphics)
{
    if (!m_gpGraphicsPath || !m_dpDrawProperty) {
        return;
    }
    switch (RoutineOf(m_enumShapeType)) {
    case TShapeRoutine::FillAndBorder:
        DrawFillAndBorder(p_gGraphics);
        break;
    case TShapeRoutine::OutlineOnly:
        DrawOutlineOnly(p_gGraphics);
        break;
    case TShapeRoutine::QuadrantAxes:
        DrawQuadrantAxes(p_gGraphics);
        break;
    case TShapeRoutine::HalfQuadrantAxes:
        DrawHalfQuadrantAxes(p_gGraphics);
        break;
    case TShapeRoutine::None:
        break;
    }
}

// The fill lies under the border.
void TDrawShape::DrawFillAndBorder(TGPGraphics& p_gGraphics) const
{
    if (m_dpDrawProperty->GetShapeFillFace()) {
        p_gGraphics.FillPath(*m_dpDrawProperty->GetNewShapeBrush(), *m_gpGraphicsPath);
    }
    if (m_dpDrawProperty->GetShapeDrawBorder()) {
        p_gGraphics.DrawPath(*m_dpDrawProperty->GetNewShapePen(), *m_gpGraphicsPath);
    }
}

// A beam is lines only: always stroked, never filled, whatever the flags.
void TDrawShape::DrawOutlineOnly(TGPGraphics& p_gGraphics) const
{
    p_gGraphics.DrawPath(*m_dpDrawProperty->GetNewShapePen(), *m_gpGraphicsPath);
}

void TDrawShape::DrawQuadrantAxes(TGPGraphics& p_gGraphics) const
{
    DrawAxes(p_gGraphics, true);
}

void TDrawShape::DrawHalfQuadrantAxes(TGPGraphics& p_gGraphics) const
{
    DrawAxes(p_gGraphics, false);
}

// Axes solid with their arrowheads whatever the border type; ticks with the border pen, so they
// are dashed under border type 2.
void TDrawShape::DrawAxes(TGPGraphics& p_gGraphics, bool p_boolFullQuadrant) const
{
    const TAxesLayout layout = p_boolFullQuadrant ? QuadrantLayout(m_rtBounds) : HalfQuadrantLayout(m_rtBounds);
    const TGPPen axisPen = MakeAxisPen(*m_dpDrawProperty, p_boolFullQuadrant);
    p_gGraphics.DrawLine(axisPen, layout.Horizontal.From, layout.Horizontal.To);
    p_gGraphics.DrawLine(axisPen, layout.Vertical.From, layout.Vertical.To);
    const auto tickPen = m_dpDrawProperty->GetNewShapePen();
    for (const TSegment& tick : layout.Ticks) {
        p_gGraphics.DrawLine(*tickPen, tick.From, tick.To);
    }
}

bool TDrawShape::HitTest(const TGPPointF& p_ptPoint)
{
    if (PtInRectF(p_ptPoint, m_rtBounds)) {
        return true;
    }
    if (!m_gpGraphicsPath || !m_dpDrawProperty) {
        return false;
    }
    if (m_dpDrawProperty->GetShapeFillFace() && m_gpGraphicsPath->IsVisible(p_ptPoint)) {
        return true;
    }
    if (m_dpDrawProperty->GetShapeDrawBorder()) {
        return m_gpGraphicsPath->IsOutlineVisible(p_ptPoint, *m_dpDrawProperty->GetNewShapePen());
    }
    return false;
}

TGPRectF TDrawShape::GetPaintExtent() const
{
    if (!m_gpGraphicsPath || !m_dpDrawProperty) {
        return {};
    }
    TGPRectF extent;
    switch (RoutineOf(m_enumShapeType)) {
    case TShapeRoutine::FillAndBorder:
        if (m_dpDrawProperty->GetShapeFillFace()) {
            extent = m_gpGraphicsPath->GetBounds();
        }
        if (m_dpDrawProperty->GetShapeDrawBorder()) {
            extent = UnionBoxes(extent, m_gpGraphicsPath->GetBounds(*m_dpDrawProperty->GetNewShapePen()));
        }
        break;
    case TShapeRoutine::OutlineOnly:
        extent = m_gpGraphicsPath->GetBounds(*m_dpDrawProperty->GetNewShapePen());
        break;
    case TShapeRoutine::QuadrantAxes:
    case TShapeRoutine::HalfQuadrantAxes: {
        const bool fullQuadrant = RoutineOf(m_enumShapeType) == TShapeRoutine::QuadrantAxes;
        const TAxesLayout layout = fullQuadrant ? QuadrantLayout(m_rtBounds) : HalfQuadrantLayout(m_rtBounds);
        extent = UnionBoxes(SegmentsExtent({layout.Horizontal, layout.Vertical},
                                           MakeAxisPen(*m_dpDrawProperty, fullQuadrant)),
                            SegmentsExtent(layout.Ticks, *m_dpDrawProperty->GetNewShapePen()));
        break;
    }
    case TShapeRoutine::None:
        return {};
    }
    if (extent.Width <= 0.0f && extent.Height <= 0.0f) {
        return {};  // nothing painted with the current style
    }
    return InflateRectF(extent, kAntiAliasMargin, kAntiAliasMargin);
}

TGPColor TDrawShape::GetBorderColor() const
{
    return m_dpDrawProperty->GetShapeBorderColor();
}

int TDrawShape::GetBorderColorIndex() const
{
    return m_dpDrawProperty->GetShapeBorderColorIndex();
}

void TDrawShape::SetBorderColorIndex(int value)
{
    m_dpDrawProperty->SetShapeBorderColorIndex(value);
}

Thickness TDrawShape::GetBorderThickness() const
{
    return m_dpDrawProperty->GetShapeBorderThickness();
}

void TDrawShape::SetBorderThickness(Thickness value)
{
    m_dpDrawProperty->SetShapeBorderThickness(value);
}

LineType TDrawShape::GetBorderType() const
{
    return m_dpDrawProperty->GetShapeBorderType();
}

void TDrawShape::SetBorderType(LineType value)
{
    m_dpDrawProperty->SetShapeBorderType(value);
}

bool TDrawShape::GetDrawBorder() const
{
    return m_dpDrawProperty->GetShapeDrawBorder();
}

void TDrawShape::SetDrawBorder(bool value)
{
    m_dpDrawProperty->SetShapeDrawBorder(value);
}

TGPColor TDrawShape::GetFaceColor() const
{
    return m_dpDrawProperty->GetShapeFaceColor();
}

int TDrawShape::GetFaceColorIndex() const
{
    return m_dpDrawProperty->GetShapeFaceColorIndex();
}

void TDrawShape::SetFaceColorIndex(int value)
{
    m_dpDrawProperty->SetShapeFaceColorIndex(value);
}

bool TDrawShape::GetFillFace() const
{
    return m_dpDrawProperty->GetShapeFillFace();
}

void TDrawShape::SetFillFace(bool value)
{
    m_dpDrawProperty->SetShapeFillFace(value);
}

int TDrawShape::GetShapeAlpha() const
{
    return m_dpDrawProperty->GetShapeAlpha();
}

int TDrawShape::GetShapeOpacity() const
{
    return m_dpDrawProperty->GetShapeOpacity();
}

void TDrawShape::SetShapeOpacity(int value)
{
    m_dpDrawProperty->SetShapeOpacity(value);
}
