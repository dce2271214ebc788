#pragma once
// A picture in memory, 32-bit ARGB. Loaded from a file without applying any embedded colour
// profile; a file that cannot be read gives a picture of size 0 x 0, which draws nothing.
// A picture read for a high-density screen may hold more pixels than it covers (its "@2x"
// file): its size is what it covers, in logical pixels, and it is drawn at its own pixels.

#include "platform/graphics/GPTypes.h"

#include <QImage>
#include <QString>

class TGPImage {
public:
    TGPImage() = default;
    explicit TGPImage(const QString& fileName);
    // The file as painted for a screen of the device pixel ratio (PictureFileForRatio).
    TGPImage(const QString& fileName, qreal p_dDevicePixelRatio);
    explicit TGPImage(QImage image);
    virtual ~TGPImage() = default;

    // The size the picture covers (logical pixels).
    int GetWidth() const;
    int GetHeight() const;
    // Unpremultiplied ARGB of one pixel; 0 outside the picture.
    TGPColor GetPixel(int x, int y) const;
    // Writes the picture as a PNG file; false when it cannot be written.
    bool SaveAsPNG(const QString& fileName) const;

    const QImage& GetQImage() const { return m_image; }
    QImage& GetQImage() { return m_image; }

protected:
    QImage m_image;  // premultiplied ARGB32, or null
};
