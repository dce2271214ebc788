#pragma once
// A geometric shape on the board: its kind, its style and its outline. The outline is rebuilt
// from the box whenever the box is set; drawing fills and strokes it, or, for the two
// coordinate-axes kinds, draws axes and ticks straight from the box.

#include "draw/DrawParent.h"
#include "draw/DrawProperty.h"
#include "platform/graphics/GPGraphicsPath.h"
#include "session/CommDefine.h"

#include <memory>

class TDrawShape : public TDrawParent {
public:
    // The style goes into a fresh style holder in this order: fill, border, opacity, face colour,
    // border colour, border thickness, border type. The outline stays empty until SetBounds.
    TDrawShape(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, ShapeType p_enumShapeType, bool p_boolFillFace,
               bool p_boolDrawBorder, int p_nShapeOpacity, int p_nFaceColorIndex, int p_nBorderColorIndex,
               Thickness p_enumBorderThickness, LineType p_enumBorderType);

    // Rebuilds the outline for the kind, stores the box as given and takes the outline's own box
    // (no margin, no pen) as the paint bounds: all zero for the kinds without an outline.
    void SetBounds(const TGPRectF& value) override;
    // Releases the style holder and the outline; afterwards the shape draws and hits nothing
    // outside its box.
    void Dispose() override;
    void Draw(TGPGraphics& p_gGraphics) override;
    // In the box (edges included), else on the filled face, else on the stroked border.
    bool HitTest(const TGPPointF& p_ptPoint) override;
    // What Draw can change with the current style: the fill, the border with its width, the
    // axes with their arrowheads and ticks, one pixel more for anti-aliasing.
    TGPRectF GetPaintExtent() const override;

    // Style accessors, forwarded to the style holder; none rebuilds the outline or repaints.
    // Valid until Dispose.
    TGPColor GetBorderColor() const;
    int GetBorderColorIndex() const;
    void SetBorderColorIndex(int value);
    Thickness GetBorderThickness() const;
    void SetBorderThickness(Thickness value);
    LineType GetBorderType() const;
    void SetBorderType(LineType value);
    bool GetDrawBorder() const;
    void SetDrawBorder(bool value);
    TGPColor GetFaceColor() const;
    int GetFaceColorIndex() const;
    void SetFaceColorIndex(int value);
    bool GetFillFace() const;
    void SetFillFace(bool value);
    int GetShapeAlpha() const;
    int GetShapeOpacity() const;
    void SetShapeOpacity(int value);

    ShapeType GetShapeType() const { return m_enumShapeType; }
    // The outline as last built; none after Dispose.
    const TGPGraphicsPath* GetGraphicsPath() const { return m_gpGraphicsPath.get(); }

private:
    void DrawFillAndBorder(TGPGraphics& p_gGraphics) const;
    void DrawOutlineOnly(TGPGraphics& p_gGraphics) const;
    void DrawQuadrantAxes(TGPGraphics& p_gGraphics) const;
    void DrawHalfQuadrantAxes(TGPGraphics& p_gGraphics) const;
    void DrawAxes(TGPGraphics& p_gGraphics, bool p_boolFullQuadrant) const;

    std::unique_ptr<TDrawProperty> m_dpDrawProperty;
    ShapeType m_enumShapeType;
    std::unique_ptr<TGPGraphicsPath> m_gpGraphicsPath;
};
