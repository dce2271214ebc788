#pragma once
// Small rules of the player window that need no widget: which bars a mouse move reveals or hides,
// the next desk skin, and what a press on the close button means.

#include <QPoint>
#include <qnamespace.h>
#include <QSize>

#include <cstdint>

struct TBarVisibility {
    bool title = false;
    bool status = false;
};

// The bars and what the layout says of them.
struct TBarLayout {
    int titleHeight = 0;
    int statusHeight = 0;
    bool titleFix = false;   // always shown
    bool statusFix = false;
};

// ShowToolBar for a mouse move to p_ptScreen (screen coordinates) over the board area: anywhere
// across the screen's width, the bottom band as high as the status bar shows the status bar, else
// the top band as high as the title bar shows the title bar; any other place hides the bars that
// are not fixed. Returns the bars' visibility after the move.
TBarVisibility RevealBars(const QPoint& p_ptScreen, const QSize& p_screen, const TBarLayout& p_layout,
                          TBarVisibility p_now);

// The desk skins back0 to back5: the next or the previous index, wrapping at both ends.
int32_t StepSkinIndex(int32_t p_nIndex, bool p_bNext);
inline constexpr int32_t kDeskSkinCount = 6;

enum class TCloseGesture : uint8_t {
    None,
    Close,           // a left press: ask the window to close
    LiftSupervision, // a right press with exactly Ctrl and Shift: study mode "R"
};

// What a press of the mouse button p_button with the modifier keys p_modifiers means on the close
// button. Only Ctrl, Shift, Alt and Meta count as modifiers.
TCloseGesture CloseGestureOf(Qt::MouseButton p_button, Qt::KeyboardModifiers p_modifiers);
