#include "ui/AlignRules.h"

#include <algorithm>

namespace {

// The part of the parent not yet taken, as edges (right and bottom exclusive).
struct TRest {
    int left;
    int top;
    int right;
    int bottom;

    int Width() const { return std::max(right - left, 0); }
    int Height() const { return std::max(bottom - top, 0); }
};

// true when a goes before b among controls of the alignment p_align (b comes later in child order).
bool GoesBefore(TAlign p_align, const QRect& a, const QRect& b)
{
    switch (p_align) {
    case TAlign::Top:
        return a.top() < b.top();
    case TAlign::Bottom:
        return a.y() + a.height() > b.y() + b.height();
    case TAlign::Left:
        return a.left() < b.left();
    case TAlign::Right:
        return a.x() + a.width() > b.x() + b.width();
    default:
        return false;
    }
}

// The visible controls of one alignment in the order they take their strips.
std::vector<size_t> OrderOf(TAlign p_align, const std::vector<TAlignBox>& p_boxes)
{
    std::vector<size_t> order;
    for (size_t i = 0; i < p_boxes.size(); ++i) {
        if (p_boxes[i].visible && p_boxes[i].align == p_align) {
            order.push_back(i);
        }
    }
    // A tie at the bottom or right edge puts the later child nearer the edge.
    const bool laterFirstOnTie = p_align == TAlign::Bottom || p_align == TAlign::Right;
    if (laterFirstOnTie) {
        std::reverse(order.begin(), order.end());
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return GoesBefore(p_align, p_boxes[a].bounds, p_boxes[b].bounds);
    });
    return order;
}

QRect Take(TAlign p_align, const QRect& p_rtBox, TRest& p_rest)
{
    switch (p_align) {
    case TAlign::Top: {
        const QRect box(p_rest.left, p_rest.top, p_rest.Width(), p_rtBox.height());
        p_rest.top += p_rtBox.height();
        return box;
    }
    case TAlign::Bottom: {
        const QRect box(p_rest.left, p_rest.bottom - p_rtBox.height(), p_rest.Width(), p_rtBox.height());
        p_rest.bottom -= p_rtBox.height();
        return box;
    }
    case TAlign::Left: {
        const QRect box(p_rest.left, p_rest.top, p_rtBox.width(), p_rest.Height());
        p_rest.left += p_rtBox.width();
        return box;
    }
    case TAlign::Right: {
        const QRect box(p_rest.right - p_rtBox.width(), p_rest.top, p_rtBox.width(), p_rest.Height());
        p_rest.right -= p_rtBox.width();
        return box;
    }
    case TAlign::Client:
        return QRect(p_rest.left, p_rest.top, p_rest.Width(), p_rest.Height());
    default:
        return p_rtBox;
    }
}

} // namespace

std::vector<QRect> AlignBoxes(const QRect& p_rtClient, const std::vector<TAlignBox>& p_boxes)
{
    std::vector<QRect> result;
    result.reserve(p_boxes.size());
    for (const TAlignBox& box : p_boxes) {
        result.push_back(box.bounds);
    }
    TRest rest{p_rtClient.x(), p_rtClient.y(), p_rtClient.x() + p_rtClient.width(),
               p_rtClient.y() + p_rtClient.height()};
    for (const TAlign align : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) {
        for (const size_t i : OrderOf(align, p_boxes)) {
            result[i] = Take(align, p_boxes[i].bounds, rest);
        }
    }
    return result;
}
