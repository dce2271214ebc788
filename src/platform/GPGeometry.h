#pragma once
// Plain single-precision geometry of the board, in board pixels after the zoom is applied.

struct TGPPointF {
    float X = 0.0f;
    float Y = 0.0f;
};

struct TGPRectF {
    float X = 0.0f;
    float Y = 0.0f;
    float Width = 0.0f;
    float Height = 0.0f;
};

inline bool operator==(const TGPPointF& a, const TGPPointF& b) { return a.X == b.X && a.Y == b.Y; }
inline bool operator==(const TGPRectF& a, const TGPRectF& b)
{
    return a.X == b.X && a.Y == b.Y && a.Width == b.Width && a.Height == b.Height;
}
