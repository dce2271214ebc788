#pragma once
// How the window places the controls of one parent, without any widget: controls aligned to the
// top, bottom, left and right take their strips of the parent in that order, each from what the
// earlier ones left; client-aligned controls fill the rest; the others keep their own box.
// TAlignEngine applies these rules to the window's widgets.

#include <QRect>

#include <cstdint>
#include <vector>

// A control's alignment inside its parent. The numbers are those GetAlignType gives for
// "alTop", "alBottom", "alLeft", "alRight", "alClient" and "alCustom"; 0 is no alignment.
// A custom alignment places nothing: such a control keeps its box like an unaligned one.
enum class TAlign : uint8_t {
    None = 0,
    Top = 1,
    Bottom = 2,
    Left = 3,
    Right = 4,
    Client = 5,
    Custom = 6,
};

// One control of the parent, in the parent's child order.
struct TAlignBox {
    TAlign align = TAlign::None;
    QRect bounds;           // the control's box now, in the parent's coordinates
    bool visible = true;    // a hidden control takes no room and keeps its box
};

// The controls' boxes after aligning them inside p_rtClient, in the order given.
//
// A top-aligned control keeps its height and gets the full width of what is left, at its top;
// bottom, left and right likewise at their edges, keeping their height or width. Among several
// controls of one alignment the one nearer its edge goes first (the smaller top for alTop, the
// larger bottom for alBottom, the smaller left for alLeft, the larger right for alRight); on a tie
// alTop and alLeft keep the child order, alBottom and alRight take the later child first. Every
// client-aligned control gets the whole rest. A rest narrower than nothing gives width or height 0.
std::vector<QRect> AlignBoxes(const QRect& p_rtClient, const std::vector<TAlignBox>& p_boxes);
