#pragma once
// A brush that tiles a picture. The tiling starts at the surface origin moved by the brush's
// translation, so a strip filled from (x, y) shows the picture from its first pixel when the
// brush is translated by (x, y). A picture of more pixels than it covers (an "@2x" file) tiles
// at the size it covers. A picture of size 0 paints nothing.

#include "platform/graphics/GPBrush.h"

#include <QImage>

class TGPImage;

class TGPTextureBrush : public TGPBrush {
public:
    explicit TGPTextureBrush(const TGPImage& image);

    void TranslateTransform(float dx, float dy);
    void ResetTransform();
    QBrush ToQBrush() const override;

private:
    QImage m_image;
    float m_fOffsetX = 0.0f;
    float m_fOffsetY = 0.0f;
};
