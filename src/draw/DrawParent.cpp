#include "draw/DrawParent.h"

#include "session/CommDefine.h"

#include <algorithm>

namespace {

// Distance the base paint bounds reach beyond the box.
constexpr float kPaintMargin = 20.0f;
// Width and height of the box InitBounds gives at a point.
constexpr float kInitialBoxSize = 20.0f;

bool IsEmptyBox(const TGPRectF& r)
{
    return r.Width < 0.0f || r.Height < 0.0f || (r.Width == 0.0f && r.Height == 0.0f);
}

}  // namespace

TGPRectF UnionBoxes(const TGPRectF& a, const TGPRectF& b)
{
    if (IsEmptyBox(a)) {
        return IsEmptyBox(b) ? TGPRectF{} : b;
    }
    if (IsEmptyBox(b)) {
        return a;
    }
    const float left = std::min(a.X, b.X);
    const float top = std::min(a.Y, b.Y);
    const float right = std::max(a.X + a.Width, b.X + b.Width);
    const float bottom = std::max(a.Y + a.Height, b.Y + b.Height);
    return {left, top, right - left, bottom - top};
}

TDrawParent::TDrawParent(DrawType p_enumDrawType, TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo)
    : m_enumDrawType(p_enumDrawType), m_u32DrawNo(p_u32DrawNo), m_pbDraw(p_pbDraw)
{
}

TGPRectF TDrawParent::GetBounds() const
{
    return m_rtBounds;
}

void TDrawParent::SetBounds(const TGPRectF& value)
{
    m_rtBounds = value;
    m_rtPaintBounds = InflateRectF(value, kPaintMargin, kPaintMargin);
}

TGPRectF TDrawParent::GetPaintBounds() const
{
    return m_rtPaintBounds;
}

void TDrawParent::Dispose() {}

void TDrawParent::Draw(TGPGraphics&) {}

void TDrawParent::EditContent() {}

bool TDrawParent::HitTest(const TGPPointF& p_ptPoint)
{
    return PtInRectF(p_ptPoint, m_rtBounds);
}

void TDrawParent::InitBounds(float p_fX, float p_fY)
{
    SetBounds({p_fX, p_fY, kInitialBoxSize, kInitialBoxSize});
}

void TDrawParent::InitBounds(float p_fX, float p_fY, float p_fWidth, float p_fHeight)
{
    SetBounds({p_fX, p_fY, p_fWidth, p_fHeight});
}

TGPRectF TDrawParent::GetPaintExtent() const
{
    return UnionBoxes(m_rtBounds, m_rtPaintBounds);
}
