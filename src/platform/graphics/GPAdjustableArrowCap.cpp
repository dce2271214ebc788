#include "platform/graphics/GPAdjustableArrowCap.h"

TGPAdjustableArrowCap::TGPAdjustableArrowCap(float height, float width, bool isFilled)
    : m_fHeight(height), m_fWidth(width), m_bFilled(isFilled)
{
}
