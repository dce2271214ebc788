#include "draw/DrawImage.h"

#include "draw/MakeOpacityImage.h"
#include "platform/graphics/GPBitmap.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPImage.h"

#include <algorithm>
#include <cmath>

namespace {

// Stretched copies above this size, or of boxes far off any board, are not kept: the picture is
// then stretched at every paint.
constexpr double kMaxStretchedCopyPixels = 2048.0 * 2048.0;
constexpr float kMaxStretchedCopyReach = 1.0e6f;

bool KeepsStretchedCopy(const TGPRectF& box)
{
    // The copy covers whole pixels: a box a hair wide still costs a column of its full height.
    const double width = std::ceil(static_cast<double>(box.Width) + 1.0);
    const double height = std::ceil(static_cast<double>(box.Height) + 1.0);
    return std::isfinite(box.X) && std::isfinite(box.Y) && std::fabs(box.X) < kMaxStretchedCopyReach &&
           std::fabs(box.Y) < kMaxStretchedCopyReach && width * height <= kMaxStretchedCopyPixels;
}

TGPRectF Normalised(const TGPRectF& box)
{
    return {std::min(box.X, box.X + box.Width), std::min(box.Y, box.Y + box.Height), std::fabs(box.Width),
            std::fabs(box.Height)};
}

}  // namespace

TDrawImage::TDrawImage(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, const QString& p_strImagePath,
                       int p_nImageOpacity)
    : TDrawParent(DrawType::Image, p_pbDraw, p_u32DrawNo), m_imgImage(std::make_unique<TGPImage>(p_strImagePath))
{
    SetImageOpacity(p_nImageOpacity);
}

TDrawImage::~TDrawImage() = default;

void TDrawImage::SetImageOpacity(int value)
{
    m_nImageOpacity = value;
    MakeDrawImage();
}

void TDrawImage::SetImage(std::unique_ptr<TGPImage> value)
{
    m_imgImage = std::move(value);
    MakeDrawImage();
}

void TDrawImage::MakeDrawImage()
{
    m_stretched.image.reset();
    m_imgMirrored.reset();
    m_imgDrawImage.reset();
    if (m_imgImage) {
        m_imgDrawImage = MakeOpacityImage(*m_imgImage, m_nImageOpacity);
    }
}

void TDrawImage::InitBounds(float p_fX, float p_fY)
{
    const float width = m_imgImage ? static_cast<float>(m_imgImage->GetWidth()) : 0.0f;
    const float height = m_imgImage ? static_cast<float>(m_imgImage->GetHeight()) : 0.0f;
    SetBounds({p_fX, p_fY, width, height});
}

void TDrawImage::Draw(TGPGraphics& p_gGraphics)
{
    if (!m_imgDrawImage) {
        return;
    }
    const bool mirrorX = m_rtBounds.Width < 0.0f;
    const bool mirrorY = m_rtBounds.Height < 0.0f;
    const TGPImage& picture = mirrorX || mirrorY ? MirroredDrawImage(mirrorX, mirrorY) : *m_imgDrawImage;
    const TGPRectF box = Normalised(m_rtBounds);
    if (!KeepsStretchedCopy(box)) {
        p_gGraphics.DrawImage(picture, box);
        return;
    }
    const TStretchedCopy& copy = StretchedCopy(picture, box, (mirrorX ? 1 : 0) | (mirrorY ? 2 : 0), p_gGraphics);
    if (copy.image) {
        p_gGraphics.DrawImage(*copy.image, static_cast<float>(copy.left), static_cast<float>(copy.top));
    }
}

const TDrawImage::TStretchedCopy& TDrawImage::StretchedCopy(const TGPImage& p_imgPicture, const TGPRectF& p_rtBox,
                                                             int p_nMirrored, const TGPGraphics& p_gGraphics)
{
    TStretchedCopy& copy = m_stretched;
    if (copy.image && copy.box == p_rtBox && copy.mirrored == p_nMirrored &&
        copy.smoothing == p_gGraphics.GetSmoothingMode() && copy.interpolation == p_gGraphics.GetInterpolationMode()) {
        return copy;
    }
    copy.box = p_rtBox;
    copy.mirrored = p_nMirrored;
    copy.smoothing = p_gGraphics.GetSmoothingMode();
    copy.interpolation = p_gGraphics.GetInterpolationMode();
    copy.left = static_cast<int>(std::floor(p_rtBox.X));
    copy.top = static_cast<int>(std::floor(p_rtBox.Y));
    const float offsetX = p_rtBox.X - static_cast<float>(copy.left);
    const float offsetY = p_rtBox.Y - static_cast<float>(copy.top);
    const int width = static_cast<int>(std::ceil(offsetX + p_rtBox.Width));
    const int height = static_cast<int>(std::ceil(offsetY + p_rtBox.Height));
    copy.image = std::make_unique<TGPBitmap>(width, height);
    TGPGraphics graphics(*copy.image);
    graphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    graphics.SetSmoothingMode(copy.smoothing);
    graphics.SetInterpolationMode(copy.interpolation);
    graphics.DrawImage(p_imgPicture, TGPRectF{offsetX, offsetY, p_rtBox.Width, p_rtBox.Height});
    return copy;
}

const TGPImage& TDrawImage::MirroredDrawImage(bool p_bMirrorX, bool p_bMirrorY)
{
    const int mirrored = (p_bMirrorX ? 1 : 0) | (p_bMirrorY ? 2 : 0);
    if (m_imgMirrored && m_nMirrored == mirrored) {
        return *m_imgMirrored;
    }
    const int width = m_imgDrawImage->GetWidth();
    const int height = m_imgDrawImage->GetHeight();
    auto copy = std::make_unique<TGPBitmap>(width, height);
    {
        TGPGraphics graphics(*copy);
        // A mirror only moves pixels: no half-pixel shift, no resampling.
        graphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        graphics.SetInterpolationMode(TGPInterpolationMode::NearestNeighbor);
        graphics.TranslateTransform(p_bMirrorX ? static_cast<float>(width) : 0.0f,
                                    p_bMirrorY ? static_cast<float>(height) : 0.0f);
        graphics.ScaleTransform(p_bMirrorX ? -1.0f : 1.0f, p_bMirrorY ? -1.0f : 1.0f);
        graphics.DrawImage(*m_imgDrawImage, 0.0f, 0.0f);
    }
    m_imgMirrored = std::move(copy);
    m_nMirrored = mirrored;
    return *m_imgMirrored;
}

void TDrawImage::Dispose()
{
    m_stretched.image.reset();
    m_imgMirrored.reset();
    m_imgDrawImage.reset();
    m_imgImage.reset();
    TDrawParent::Dispose();
}

TGPRectF TDrawImage::GetPaintExtent() const
{
    return UnionBoxes(Normalised(m_rtBounds), m_rtPaintBounds);
}
