#include "platform/graphics/GPSolidBrush.h"

#include <QColor>

QBrush TGPSolidBrush::ToQBrush() const
{
    return QBrush(QColor::fromRgba(m_color));
}
