#pragma once
// A copy of a picture with its opacity baked in, so that painting it is one plain image draw.

#include "platform/graphics/GPBitmap.h"

#include <memory>

class TGPImage;

// A new 32-bit bitmap of the picture's size holding the picture drawn through a colour matrix
// that scales alpha by opacity / 100 (percent). A picture of size 0 gives a bitmap of size 0.
std::unique_ptr<TGPBitmap> MakeOpacityImage(const TGPImage& image, int opacity);
