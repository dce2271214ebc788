#pragma once
// A new picture of a given size, 32 bits per pixel with alpha, fully transparent.

#include "platform/graphics/GPImage.h"

class TGPBitmap : public TGPImage {
public:
    TGPBitmap(int width, int height);
    explicit TGPBitmap(QImage image) : TGPImage(std::move(image)) {}
};
