// Painting helpers every picture of the default skin uses.

#include "SkinArt.h"

#include <cmath>

namespace {

int g_nSkinScale = 1;

} // namespace

int SkinScale()
{
    return g_nSkinScale;
}

void SetSkinScale(int scale)
{
    g_nSkinScale = scale;
}

float Centre(int pixel)
{
    return (static_cast<float>(pixel) + 0.5f) / static_cast<float>(g_nSkinScale) - 0.5f;
}

int Cell(float coordinate)
{
    return static_cast<int>(std::floor(coordinate + 0.5f));
}

QImage SkinImage(int width, int height, QImage::Format format)
{
    QImage image(width * g_nSkinScale, height * g_nSkinScale, format);
    image.setDevicePixelRatio(g_nSkinScale);
    return image;
}

QImage ClearImage(int width, int height)
{
    QImage image = SkinImage(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void BeginSmooth(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
}

QFont SkinFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("NanumGothic"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
