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
    // A picture of more pixels than it covers (an "@2x" file) is tiled at its covered size: the
    // painter scales such a texture down by its ratio after the brush's transform, the move
    // included, so the move is given at the picture's pixels (a copy of the picture at ratio 1
    // would cost a large board picture's pixels on every fill).
    const qreal ratio = m_image.devicePixelRatio();
    QBrush brush(m_image);
    brush.setTransform(QTransform::fromTranslate(m_fOffsetX * ratio, m_fOffsetY * ratio));
    return brush;
}
