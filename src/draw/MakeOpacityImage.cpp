#include "draw/MakeOpacityImage.h"

#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPImageAttributes.h"

std::unique_ptr<TGPBitmap> MakeOpacityImage(const TGPImage& image, int opacity)
{
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    auto bitmap = std::make_unique<TGPBitmap>(width, height);
    TGPColorMatrix matrix = IdentityColorMatrix();
    matrix[3][3] = static_cast<float>(opacity) / 100.0f;
    TGPImageAttributes attributes;
    attributes.SetColorMatrix(matrix);
    const TGPRectF whole{0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height)};
    {
        TGPGraphics graphics(*bitmap);
        // Pixel (i, j) of the copy is pixel (i, j) of the picture: no half-pixel shift.
        graphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        graphics.DrawImage(image, whole, whole, attributes);
    }
    return bitmap;
}
