// Painting helpers every picture of the default skin uses.

#include "SkinArt.h"

QImage ClearImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
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
