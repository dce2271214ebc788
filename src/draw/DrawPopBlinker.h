#pragma once
// An attention marker: one of three still pictures of the program (fireworks, important, eyes)
// with its top-left corner at a point of the board, at the picture's own size whatever the zoom.
// Any appearing and disappearing comes from the commands that create and delete it. On a board
// drawn above device pixel ratio 1 it shows the picture's "@2x" file, where there is one.

#include "draw/DrawParent.h"
#include "session/CommDefine.h"

#include <QString>

#include <memory>

class TGPImage;

class TDrawPopBlinker : public TDrawParent {
public:
    // Loads the marker picture of the kind from <p_sExeDirectory>/image/. A kind without a
    // picture (None or an unknown value), or a picture file that cannot be read, leaves the
    // marker without a picture.
    TDrawPopBlinker(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, PopBlinkerType p_enumPopBlinkerType,
                    const QString& p_sExeDirectory);
    ~TDrawPopBlinker() override;

    // The file name of a kind's picture; empty for a kind without one.
    static QString PictureFileName(PopBlinkerType p_enumPopBlinkerType);

    PopBlinkerType GetPopBlinkerType() const { return m_enumPopBlinkerType; }
    // The marker picture; none for a kind without one and after Dispose.
    const TGPImage* GetImage() const { return m_imgPopBlinker.get(); }

    using TDrawParent::InitBounds;
    // The box at the point with the picture's size; a marker without a picture gets a box of
    // size 0 x 0 there, as a picture that cannot be read has.
    void InitBounds(float p_fX, float p_fY) override;
    void Draw(TGPGraphics& p_gGraphics) override;
    void Dispose() override;

private:
    PopBlinkerType m_enumPopBlinkerType;
    std::unique_ptr<TGPImage> m_imgPopBlinker;
    std::unique_ptr<TGPImage> m_imgPopBlinkerFine;   // the "@2x" file; none without one
};
