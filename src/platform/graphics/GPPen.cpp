#include "platform/graphics/GPPen.h"

TGPPen::TGPPen(TGPColor color, float width) : m_color(color), m_fWidth(width) {}

void TGPPen::SetCustomStartCap(const TGPAdjustableArrowCap& cap)
{
    m_customStartCap = cap;
    m_startCap = TGPLineCap::Custom;
}

void TGPPen::SetCustomEndCap(const TGPAdjustableArrowCap& cap)
{
    m_customEndCap = cap;
    m_endCap = TGPLineCap::Custom;
}
