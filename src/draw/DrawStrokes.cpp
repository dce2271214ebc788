#include "draw/DrawStrokes.h"

#include "platform/Rounding.h"
#include "platform/graphics/GPGraphics.h"

#include <algorithm>
#include <cmath>

namespace {

// Added to a mapped point that lands on the same pixel as the point before it, so that no
// segment collapses to nothing.
constexpr double kSamePixelNudge = 0.1;
// Anti-aliasing touches at most this far beyond the painted geometry.
constexpr float kAntiAliasMargin = 1.0f;

bool SamePixel(const TGPPointF& a, const TGPPointF& b)
{
    return RoundHalfEven(a.X) == RoundHalfEven(b.X) && RoundHalfEven(a.Y) == RoundHalfEven(b.Y);
}

// Scale from the reference extent to the new one; 1 where the reference has no extent (or the
// quotient is not finite), so no non-finite coordinate can come out of the mapping.
double AxisScale(float newSize, float referenceSize)
{
    if (referenceSize == 0.0f) {
        return 1.0;
    }
    const double scale = static_cast<double>(newSize) / referenceSize;
    return std::isfinite(scale) ? scale : 1.0;
}

bool IsFiniteRect(const TGPRectF& r)
{
    return std::isfinite(r.X) && std::isfinite(r.Y) && std::isfinite(r.Width) && std::isfinite(r.Height);
}

bool Intersects(const TGPRectF& a, const TGPRectF& b)
{
    return a.X <= b.X + b.Width && b.X <= a.X + a.Width && a.Y <= b.Y + b.Height && b.Y <= a.Y + a.Height;
}

}  // namespace

void TDrawStrokes::TExtremes::Take(const TGPPointF& p)
{
    // Each bound moves only when passed, as the content bounds are defined from their start values.
    if (p.X < MinX) {
        MinX = p.X;
    }
    if (p.Y < MinY) {
        MinY = p.Y;
    }
    if (p.X > MaxX) {
        MaxX = p.X;
    }
    if (p.Y > MaxY) {
        MaxY = p.Y;
    }
}

void TDrawStrokes::TExtremes::Take(const TExtremes& other)
{
    Take(TGPPointF{other.MinX, other.MinY});
    Take(TGPPointF{other.MaxX, other.MaxY});
}

TDrawStrokes::TDrawStrokes(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, const std::vector<TPointList>& strokes,
                           int opacity, int colorIndex, Thickness thickness)
    : TDrawParent(DrawType::Strokes, p_pbDraw, p_u32DrawNo)
{
    m_dpDrawProperty.SetPenColorIndex(colorIndex);
    m_dpDrawProperty.SetPenOpacity(opacity);
    m_dpDrawProperty.SetPenThickness(thickness);
    for (const TPointList& stroke : strokes) {
        AppendStroke(stroke);
    }
}

void TDrawStrokes::PrepareStroke()
{
    m_listPoints.clear();
    m_ptPrevPoint = {};
}

void TDrawStrokes::AddNewPoint(TGPGraphics& p_gGraphics, const TGPPointF& p_ptPoint)
{
    m_listPoints.push_back(p_ptPoint);
    const auto pen = m_dpDrawProperty.GetNewPenPen();
    const TGPPointF& from = m_listPoints.size() == 1 ? p_ptPoint : m_ptPrevPoint;
    p_gGraphics.DrawLine(*pen, from, p_ptPoint);
    m_ptPrevPoint = p_ptPoint;
}

void TDrawStrokes::AddNewPoint(const TGPPointF& p_ptPoint)
{
    m_listPoints.push_back(p_ptPoint);
    m_ptPrevPoint = p_ptPoint;
}

void TDrawStrokes::AddNewStroke()
{
    if (m_listPoints.empty()) {
        return;
    }
    AddNewStroke(m_listPoints);
    m_listPoints.clear();
}

void TDrawStrokes::AddNewStroke(const TPointList& p_listPoints)
{
    AppendStroke(p_listPoints);
}

void TDrawStrokes::AppendStroke(const TPointList& list)
{
    TPointList recorded = MakeBezierPointList(list);
    if (recorded.empty()) {
        return;
    }
    m_listDrawStrokes.push_back(recorded);
    m_listStrokes.push_back(std::move(recorded));
    if (m_boolAtRecordedScale) {
        AppendStrokeAtRecordedScale();
        return;
    }
    TGPRectF unset;
    InitUnsetRect(unset);
    SetBounds(unset);
}

// What SetBounds with the unset marker gives, at the cost of the new stroke alone: the other
// drawing copies already lie on their recorded points, so mapping them again at scale 1 would
// leave every one of them, and its nudges, unchanged.
void TDrawStrokes::AppendStrokeAtRecordedScale()
{
    TExtremes content = m_extContent;
    for (const TGPPointF& p : m_listDrawStrokes.back()) {
        content.Take(p);
    }
    const TGPRectF rect = content.ToRect();
    m_rtBounds = rect;
    m_rtOriginalBounds = rect;
    m_fOriginalStrokeWidth = m_dpDrawProperty.GetPenWidth();
    m_dpDrawProperty.SetPenWidth(m_fOriginalStrokeWidth);

    const size_t last = m_listStrokes.size() - 1;
    const TExtremes mapped = MapStroke(last, rect, 1.0, 1.0);
    m_arrayStrokeExtremes.push_back(mapped);
    m_extContent.Take(mapped);
    m_gpGraphicsPath.StartFigure();
    m_gpGraphicsPath.AddBeziers(m_listDrawStrokes[last]);
    m_rtPaintBounds = InflateRectF(rect, m_fOriginalStrokeWidth, m_fOriginalStrokeWidth);
}

int TDrawStrokes::DeleteLastStroke()
{
    int removed = -1;
    if (!m_listStrokes.empty()) {
        m_listStrokes.pop_back();
        m_listDrawStrokes.pop_back();
        removed = static_cast<int>(m_listStrokes.size());
    }
    TGPRectF unset;
    InitUnsetRect(unset);
    SetBounds(unset);
    return removed;
}

TGPRectF TDrawStrokes::CalcStrokesBounds() const
{
    TExtremes extremes;
    for (const TPointList& stroke : m_listDrawStrokes) {
        for (const TGPPointF& p : stroke) {
            extremes.Take(p);
        }
    }
    return extremes.ToRect();
}

void TDrawStrokes::SetBounds(const TGPRectF& value)
{
    if (!IsFiniteRect(value)) {
        return;
    }
    TGPRectF rect = value;
    double scaleX = 1.0;
    double scaleY = 1.0;
    if (IsUnsetRect(rect)) {
        rect = CalcStrokesBounds();
        m_rtBounds = rect;
        m_rtOriginalBounds = rect;
        m_fOriginalStrokeWidth = m_dpDrawProperty.GetPenWidth();
    } else {
        scaleX = AxisScale(rect.Width, m_rtOriginalBounds.Width);
        scaleY = AxisScale(rect.Height, m_rtOriginalBounds.Height);
    }
    const float width = static_cast<float>((scaleX + scaleY) / 2.0 * m_fOriginalStrokeWidth);
    m_dpDrawProperty.SetPenWidth(width);
    RebuildStrokePath(rect, static_cast<float>(scaleX), static_cast<float>(scaleY));
    m_boolAtRecordedScale =
        scaleX == 1.0 && scaleY == 1.0 && rect.X == m_rtOriginalBounds.X && rect.Y == m_rtOriginalBounds.Y;
    m_rtBounds = rect;
    m_rtPaintBounds = InflateRectF(rect, width, width);
}

void TDrawStrokes::RebuildStrokePath(const TGPRectF& rect, float scaleX, float scaleY)
{
    m_gpGraphicsPath.Reset();
    m_arrayStrokeExtremes.clear();
    m_extContent = {};
    for (size_t i = 0; i < m_listStrokes.size(); ++i) {
        const TExtremes mapped = MapStroke(i, rect, scaleX, scaleY);
        m_arrayStrokeExtremes.push_back(mapped);
        m_extContent.Take(mapped);
        m_gpGraphicsPath.StartFigure();
        m_gpGraphicsPath.AddBeziers(m_listDrawStrokes[i]);
    }
}

TDrawStrokes::TExtremes TDrawStrokes::MapStroke(size_t i, const TGPRectF& rect, double scaleX, double scaleY)
{
    const TPointList& recorded = m_listStrokes[i];
    TPointList& drawing = m_listDrawStrokes[i];
    // The point before the first one of a stroke is the last of the stroke before; the very
    // first point of the group has none and is never nudged.
    const TGPPointF* previous = i > 0 ? &m_listDrawStrokes[i - 1].back() : nullptr;
    TExtremes extremes;
    for (size_t j = 0; j < recorded.size(); ++j) {
        TGPPointF d{static_cast<float>((recorded[j].X - static_cast<double>(m_rtOriginalBounds.X)) * scaleX + rect.X),
                    static_cast<float>((recorded[j].Y - static_cast<double>(m_rtOriginalBounds.Y)) * scaleY + rect.Y)};
        if (previous != nullptr && SamePixel(d, *previous)) {
            d = {static_cast<float>(d.X + kSamePixelNudge), static_cast<float>(d.Y + kSamePixelNudge)};
        }
        drawing[j] = d;
        extremes.Take(d);
        previous = &drawing[j];
    }
    return extremes;
}

void TDrawStrokes::Draw(TGPGraphics& p_gGraphics)
{
    if (m_listStrokes.empty() || !Intersects(GetPaintExtent(), p_gGraphics.GetClipBounds())) {
        return;
    }
    // The path itself leaves out the strokes that cannot reach the clip.
    const auto pen = m_dpDrawProperty.GetNewPenPen();
    p_gGraphics.DrawPath(*pen, m_gpGraphicsPath);
}

bool TDrawStrokes::HitTest(const TGPPointF& p_ptPoint)
{
    const auto pen = m_dpDrawProperty.GetNewPenPen();
    return m_gpGraphicsPath.IsOutlineVisible(p_ptPoint, *pen);
}

void TDrawStrokes::Dispose()
{
    m_listDrawStrokes.clear();
    m_listStrokes.clear();
    m_listPoints.clear();
    m_gpGraphicsPath.Reset();
    m_arrayStrokeExtremes.clear();
    m_extContent = {};
    m_dpDrawProperty.Dispose();
    TDrawParent::Dispose();
}

TGPRectF TDrawStrokes::ExtentOf(const TExtremes& extremes) const
{
    // Round caps and joins reach half the pen width beyond the points, which hold the curves.
    const float reach = m_dpDrawProperty.GetPenWidth() / 2.0f + kAntiAliasMargin;
    return InflateRectF(extremes.ToRect(), reach, reach);
}

TGPRectF TDrawStrokes::GetPaintExtent() const
{
    return m_listStrokes.empty() ? TGPRectF{} : ExtentOf(m_extContent);
}

TGPRectF TDrawStrokes::GetStrokePaintExtent(int index) const
{
    return ExtentOf(m_arrayStrokeExtremes[static_cast<size_t>(index)]);
}
