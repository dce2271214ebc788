#pragma once
// An arrowhead drawn at a line end: its height (along the line) and width (across it) are in
// multiples of the pen width. Open: a V of two strokes meeting at the line's end point, opening
// back along the line. Filled: the same triangle, closed and filled.

class TGPAdjustableArrowCap {
public:
    TGPAdjustableArrowCap(float height, float width, bool isFilled = true);

    float GetHeight() const { return m_fHeight; }
    float GetWidth() const { return m_fWidth; }
    bool IsFilled() const { return m_bFilled; }
    void SetHeight(float value) { m_fHeight = value; }
    void SetWidth(float value) { m_fWidth = value; }
    void SetFillState(bool isFilled) { m_bFilled = isFilled; }

private:
    float m_fHeight;
    float m_fWidth;
    bool m_bFilled;
};
