#pragma once
// A picture of the page stretched into its box, with an opacity. The opacity is baked once into
// a copy of the picture (MakeOpacityImage) whenever the opacity or the picture changes, so that
// painting is a single scaled image draw.

#include "draw/DrawParent.h"
#include "platform/graphics/GPTypes.h"

#include <QString>

#include <memory>

class TGPBitmap;
class TGPImage;

class TDrawImage : public TDrawParent {
public:
    // Loads the picture from the file (no colour management; a file that cannot be read gives a
    // picture of size 0 x 0, which draws nothing), then applies the opacity in percent.
    TDrawImage(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, const QString& p_strImagePath, int p_nImageOpacity);
    ~TDrawImage() override;

    int GetImageOpacity() const { return m_nImageOpacity; }
    void SetImageOpacity(int value);
    // The picture as loaded; none after Dispose.
    const TGPImage* GetImage() const { return m_imgImage.get(); }
    void SetImage(std::unique_ptr<TGPImage> value);
    // The copy with the opacity applied: the one that is drawn.
    const TGPImage* GetDrawImage() const { return m_imgDrawImage.get(); }

    using TDrawParent::InitBounds;
    // The box at the point with the picture's own size in pixels.
    void InitBounds(float p_fX, float p_fY) override;
    // The picture stretched into the box. A box with a negative width or height shows the
    // picture mirrored across that axis, filling the box it spans. The stretched picture is kept
    // and placed whole-pixel on the surface, so any part of the board repainted on its own gets
    // exactly the pixels a whole repaint gives (a stretch drawn through a clip does not).
    void Draw(TGPGraphics& p_gGraphics) override;
    void Dispose() override;
    // The box it spans (whatever the signs of its size) and the paint bounds together.
    TGPRectF GetPaintExtent() const override;

private:
    void MakeDrawImage();
    // The drawn copy mirrored as asked; the last mirrored copy is kept until the copy or the
    // asked mirroring changes.
    const TGPImage& MirroredDrawImage(bool p_bMirrorX, bool p_bMirrorY);

    // The picture (mirrored as the box asks) stretched to the box, on whole pixels from
    // (left, top); made again when the box, the mirroring or the surface's quality modes change.
    struct TStretchedCopy {
        std::unique_ptr<TGPBitmap> image;
        int left = 0;
        int top = 0;
        TGPRectF box;
        int mirrored = 0;
        TGPSmoothingMode smoothing = TGPSmoothingMode::Default;
        TGPInterpolationMode interpolation = TGPInterpolationMode::Default;
    };
    const TStretchedCopy& StretchedCopy(const TGPImage& p_imgPicture, const TGPRectF& p_rtBox, int p_nMirrored,
                                        const TGPGraphics& p_gGraphics);

    std::unique_ptr<TGPImage> m_imgDrawImage;
    std::unique_ptr<TGPImage> m_imgImage;
    int m_nImageOpacity = 100;
    std::unique_ptr<TGPImage> m_imgMirrored;
    int m_nMirrored = 0;   // bit 0: across the vertical axis, bit 1: across the horizontal axis
    TStretchedCopy m_stretched;
};
