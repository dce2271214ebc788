#pragma once
// A board's pixels for the tests: the board drawn the plain way beside the engine's cached image,
// and how many pixels two pictures differ in.

#include "platform/graphics/GPGraphics.h"
#include "playback/BoardSurface.h"
#include "playback/PlaybackEngine.h"

#include <QImage>

#include <cstdint>

// The whole board the plain way: every object over the picture, on a fresh surface at the
// board's device pixel ratio.
inline QImage FullRepaint(const TPlaybackEngine& engine)
{
    QImage image(engine.GetBoardImage().size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(engine.GetBoardImage().devicePixelRatio());
    image.fill(0xFFFFFFFF);
    TGPGraphics graphics(&image);
    engine.Board().PaintBoard(graphics);
    return image;
}

// The number of pixels in which two boards differ.
inline int64_t DifferingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) {
        return -1;
    }
    int64_t count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            count += rowA[x] != rowB[x] ? 1 : 0;
        }
    }
    return count;
}
