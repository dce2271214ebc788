#include "platform/graphics/GPImage.h"

#include "platform/ContentFile.h"
#include "platform/Rounding.h"
#include "platform/graphics/DevicePixels.h"

#include <QColorSpace>
#include <QImageReader>

namespace {

// Keeps the pixels as stored: an embedded colour profile is dropped, not applied, and no
// orientation tag turns the picture.
QImage ReadPicture(const QString& fileName)
{
    if (!IsRegularFile(fileName)) {
        return {};
    }
    QImageReader reader(fileName);
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    image.setColorSpace(QColorSpace());
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

TGPImage::TGPImage(const QString& fileName) : m_image(ReadPicture(fileName)) {}

TGPImage::TGPImage(const QString& fileName, qreal p_dDevicePixelRatio)
{
    const TPictureFile file = PictureFileForRatio(fileName, p_dDevicePixelRatio);
    m_image = ReadPicture(file.path);
    m_image.setDevicePixelRatio(file.ratio);
}

TGPImage::TGPImage(QImage image)
    : m_image(image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32_Premultiplied))
{
}

int TGPImage::GetWidth() const
{
    return static_cast<int>(RoundHalfEven(m_image.deviceIndependentSize().width()));
}

int TGPImage::GetHeight() const
{
    return static_cast<int>(RoundHalfEven(m_image.deviceIndependentSize().height()));
}

TGPColor TGPImage::GetPixel(int x, int y) const
{
    if (!m_image.valid(x, y)) {
        return 0;
    }
    return qUnpremultiply(m_image.pixel(x, y));
}

bool TGPImage::SaveAsPNG(const QString& fileName) const
{
    return !m_image.isNull() && m_image.save(fileName, "PNG");
}
