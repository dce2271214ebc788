#include "platform/graphics/GPTextureBrush.h"

#include "platform/graphics/GPImage.h"

#include <QTransform>

TGPTextureBrush::TGPTextureBrush(const TGPImage& image) : m_image(image.GetQImage()) {}

void TGPTextureBrush::TranslateTransform(float dx, float dy)
{
    m_fOffsetX += dx;
    m_fOffsetY += dy;
}

void TGPTextureBrush::ResetTransform()
{
    m_fOffsetX = 0.0f;
    m_fOffsetY = 0.0f;
}

QBrush TGPTextureBrush::ToQBrush() const
{
    if (m_image.isNull()) {
        return QBrush(Qt::NoBrush);
    }
    QBrush brush(m_image);
    brush.setTransform(QTransform::fromTranslate(m_fOffsetX, m_fOffsetY));
    return brush;
}
