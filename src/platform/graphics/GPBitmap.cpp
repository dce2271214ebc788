#include "platform/graphics/GPBitmap.h"

namespace {

QImage TransparentImage(int width, int height)
{
    if (width <= 0 || height <= 0) {
        return {};
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

}  // namespace

TGPBitmap::TGPBitmap(int width, int height) : TGPImage(TransparentImage(width, height)) {}
