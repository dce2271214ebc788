#pragma once
// The style numbers of one drawing object (pen group for strokes, line group for lines, shape
// group for shape border and face) and the pens and brushes made from them.

#include "platform/graphics/GPPen.h"
#include "platform/graphics/GPSolidBrush.h"

#include <cstdint>
#include <memory>

// Width step: 1 -> 1.6, 2 -> 2.5, 3 -> 4.5, 4 -> 10 pixels, any other value 2.5.
using Thickness = uint8_t;
// 2 draws dashed; every other value solid.
using LineType = uint8_t;
// Ends of a line: 1 round caps; 2 arrowhead at the start; 3 at the end; 4 at both; any other
// value flat ends.
using LineArrow = uint8_t;

constexpr LineType kLineTypeDash = 2;
constexpr LineArrow kLineArrowRound = 1;
constexpr LineArrow kLineArrowStart = 2;
constexpr LineArrow kLineArrowEnd = 3;
constexpr LineArrow kLineArrowBoth = 4;

class TDrawProperty {
public:
    TDrawProperty() = default;
    void Dispose() {}

    LineArrow GetLineArrow() const { return m_enumLineArrow; }
    void SetLineArrow(LineArrow value) { m_enumLineArrow = value; }
    int GetLineColorIndex() const { return m_nLineColorIndex; }
    void SetLineColorIndex(int value) { m_nLineColorIndex = value; }
    int GetLineOpacity() const { return m_nLineOpacity; }
    void SetLineOpacity(int value) { m_nLineOpacity = value; }
    Thickness GetLineThickness() const { return m_enumLineThickness; }
    void SetLineThickness(Thickness value) { m_enumLineThickness = value; }
    LineType GetLineType() const { return m_enumLineType; }
    void SetLineType(LineType value) { m_enumLineType = value; }

    int GetPenColorIndex() const { return m_nPenColorIndex; }
    void SetPenColorIndex(int value) { m_nPenColorIndex = value; }
    int GetPenOpacity() const { return m_nPenOpacity; }
    void SetPenOpacity(int value) { m_nPenOpacity = value; }
    Thickness GetPenThickness() const { return m_enumPenThickness; }
    // Stores the step; the pen width follows it again (no longer stretched).
    void SetPenThickness(Thickness value);
    // A width in pixels that replaces the step's width until the next SetPenThickness.
    void SetPenWidth(float p_fPenWidth);

    int GetShapeBorderColorIndex() const { return m_nShapeBorderColorIndex; }
    void SetShapeBorderColorIndex(int value) { m_nShapeBorderColorIndex = value; }
    Thickness GetShapeBorderThickness() const { return m_enumShapeBorderThickness; }
    void SetShapeBorderThickness(Thickness value) { m_enumShapeBorderThickness = value; }
    LineType GetShapeBorderType() const { return m_enumShapeBorderType; }
    void SetShapeBorderType(LineType value) { m_enumShapeBorderType = value; }
    bool GetShapeDrawBorder() const { return m_boolShapeDrawBorder; }
    void SetShapeDrawBorder(bool value) { m_boolShapeDrawBorder = value; }
    int GetShapeFaceColorIndex() const { return m_nShapeFaceColorIndex; }
    void SetShapeFaceColorIndex(int value) { m_nShapeFaceColorIndex = value; }
    bool GetShapeFillFace() const { return m_boolShapeFillFace; }
    void SetShapeFillFace(bool value) { m_boolShapeFillFace = value; }
    int GetShapeOpacity() const { return m_nShapeOpacity; }
    void SetShapeOpacity(int value) { m_nShapeOpacity = value; }

    int GetLineAlpha() const;
    int GetPenAlpha() const;
    int GetShapeAlpha() const;
    TGPColor GetLineColor() const;
    TGPColor GetPenColor() const;
    TGPColor GetShapeBorderColor() const;
    TGPColor GetShapeFaceColor() const;
    float GetLineWidth() const;
    float GetPenWidth() const;
    float GetShapeBorderWidth() const;

    // New pens and brushes, owned by the caller.
    // Pen colour and width, round caps and round join.
    std::unique_ptr<TGPPen> GetNewPenPen() const;
    // Line colour and width, dashed for line type 2, ends by the arrow value.
    std::unique_ptr<TGPPen> GetNewLinePen() const;
    // Border colour and width, dashed for border type 2, default caps and join.
    std::unique_ptr<TGPPen> GetNewShapePen() const;
    std::unique_ptr<TGPSolidBrush> GetNewShapeBrush() const;

private:
    bool m_boolPenStretched = false;
    bool m_boolShapeDrawBorder = true;
    bool m_boolShapeFillFace = true;
    LineArrow m_enumLineArrow = kLineArrowRound;
    Thickness m_enumLineThickness = 2;
    LineType m_enumLineType = 1;
    Thickness m_enumPenThickness = 2;
    Thickness m_enumShapeBorderThickness = 2;
    LineType m_enumShapeBorderType = 1;
    float m_fStretchedPenWidth = 0.0f;
    int m_nLineColorIndex = 6;
    int m_nLineOpacity = 100;
    int m_nPenColorIndex = 6;
    int m_nPenOpacity = 100;
    int m_nShapeBorderColorIndex = 6;
    int m_nShapeFaceColorIndex = 3;
    int m_nShapeOpacity = 100;
};
