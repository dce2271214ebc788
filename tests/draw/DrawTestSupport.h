#pragma once
// Rendering drawing objects into a transparent bitmap the way the board draws them.

#include "platform/graphics/GPBitmap.h"
#include "platform/graphics/GPGraphics.h"

#include <functional>
#include <optional>

inline void SetBoardQuality(TGPGraphics& g)
{
    g.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
    g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    g.SetInterpolationMode(TGPInterpolationMode::HighQualityBicubic);
}

inline TGPBitmap Render(int width, int height, const std::function<void(TGPGraphics&)>& draw,
                        std::optional<TGPRectF> clip = std::nullopt)
{
    TGPBitmap bitmap(width, height);
    TGPGraphics g(bitmap);
    SetBoardQuality(g);
    if (clip) {
        g.SetClip(*clip);
    }
    draw(g);
    return bitmap;
}

inline int AlphaAt(const TGPImage& image, int x, int y)
{
    return static_cast<int>(image.GetPixel(x, y) >> 24);
}

inline bool Painted(const TGPImage& image, int x, int y)
{
    return AlphaAt(image, x, y) > 0;
}

// Every painted pixel lies inside the box (the box taken to whole pixels outwards).
inline bool AllPaintInside(const TGPImage& image, const TGPRectF& box)
{
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const bool inside = x + 1 > box.X && x < box.X + box.Width && y + 1 > box.Y && y < box.Y + box.Height;
            if (Painted(image, x, y) && !inside) {
                return false;
            }
        }
    }
    return true;
}
