#pragma once
// How sharp a board drawn for a screen of a device pixel ratio is, against the same board
// without its ink ("paper": the page's picture alone at the same ratio):
// - UniformBlockShare: of the ink's edge pixels (ink beside a pixel of another colour), the share
//   whose 2 x 2 block (x and y rounded down to even) is of one colour. A board drawn at ratio 1
//   and stretched to ratio 2 has nothing but such blocks (1); one drawn at ratio 2 has few. Edge
//   pixels on a straight run (the colour goes on two pixels along the row or the column: a line
//   or a box edge at whole logical pixels, which any drawing at ratio 2 puts between two blocks)
//   are not counted; the slanted and curved edges are.
// - InkEdgeEnergy: the squared differences between neighbouring pixels of the ink alone (the
//   board less the paper), summed. An edge drawn at the device's resolution goes from paper to
//   ink in one pixel, a stretched one in several smaller steps, whose squares add up to less: a
//   board stretched by r has about 1 / r of the energy of one drawn at r.

#include <QImage>

#include <algorithm>
#include <cstdlib>

namespace sharpness {

inline QRgb At(const QImage& p_image, int p_x, int p_y)
{
    return reinterpret_cast<const QRgb*>(p_image.constScanLine(p_y))[p_x];
}

inline bool IsEdgeInk(const QImage& p_board, const QImage& p_paper, int p_x, int p_y)
{
    if (At(p_board, p_x, p_y) == At(p_paper, p_x, p_y)) {
        return false;
    }
    const QRgb here = At(p_board, p_x, p_y);
    return At(p_board, p_x - 1, p_y) != here || At(p_board, p_x + 1, p_y) != here || At(p_board, p_x, p_y - 1) != here ||
           At(p_board, p_x, p_y + 1) != here;
}

inline bool IsOnStraightRun(const QImage& p_image, int p_x, int p_y)
{
    const QRgb here = At(p_image, p_x, p_y);
    return (At(p_image, p_x - 2, p_y) == here && At(p_image, p_x + 2, p_y) == here) ||
           (At(p_image, p_x, p_y - 2) == here && At(p_image, p_x, p_y + 2) == here);
}

inline bool IsUniformBlock(const QImage& p_image, int p_x, int p_y)
{
    const int left = p_x & ~1;
    const int top = p_y & ~1;
    const QRgb first = At(p_image, left, top);
    return At(p_image, left + 1, top) == first && At(p_image, left, top + 1) == first &&
           At(p_image, left + 1, top + 1) == first;
}

// Both pictures ARGB32 of one size, even on both sides.
inline double UniformBlockShare(const QImage& p_board, const QImage& p_paper)
{
    int64_t edges = 0;
    int64_t uniform = 0;
    for (int y = 2; y + 2 < p_board.height(); ++y) {
        for (int x = 2; x + 2 < p_board.width(); ++x) {
            if (IsEdgeInk(p_board, p_paper, x, y) && !IsOnStraightRun(p_board, x, y)) {
                ++edges;
                uniform += IsUniformBlock(p_board, x, y) ? 1 : 0;
            }
        }
    }
    return edges == 0 ? 0.0 : static_cast<double>(uniform) / static_cast<double>(edges);
}

// The ink's difference from the paper, channel by channel, as a signed value.
inline int Ink(const QImage& p_board, const QImage& p_paper, int p_x, int p_y, int p_nShift)
{
    return static_cast<int>((At(p_board, p_x, p_y) >> p_nShift) & 0xFF) -
           static_cast<int>((At(p_paper, p_x, p_y) >> p_nShift) & 0xFF);
}

inline double InkEdgeEnergy(const QImage& p_board, const QImage& p_paper)
{
    double energy = 0.0;
    for (int y = 0; y + 1 < p_board.height(); ++y) {
        for (int x = 0; x + 1 < p_board.width(); ++x) {
            for (const int shift : {0, 8, 16}) {
                const int here = Ink(p_board, p_paper, x, y, shift);
                const int right = Ink(p_board, p_paper, x + 1, y, shift) - here;
                const int below = Ink(p_board, p_paper, x, y + 1, shift) - here;
                energy += static_cast<double>(right * right + below * below);
            }
        }
    }
    return energy;
}

} // namespace sharpness
