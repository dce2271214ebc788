#pragma once
// The built-in look of the window's bars until a layout file paints them: dark, quiet panels, the
// design's light blue accents, and the style of tool tips, page tabs and sliders.

#include <QColor>
#include <QString>

#include <cstdint>

class QLabel;

namespace ShellLook {

// A colour in the layout file's notation, 0x00BBGGRR: red in the low byte.
inline QColor LayoutColor(uint32_t p_u32Value)
{
    return QColor(static_cast<int>(p_u32Value & 0xFF), static_cast<int>((p_u32Value >> 8) & 0xFF),
                  static_cast<int>((p_u32Value >> 16) & 0xFF));
}

inline const QColor kBarColor(0x1E, 0x23, 0x2C);        // title bar, tool bar
inline const QColor kTabBarColor(0x17, 0x1B, 0x22);
inline const QColor kPlayBarColor(0x19, 0x1D, 0x25);
inline const QColor kDeskColor(0x2B, 0x30, 0x3A);       // the board area where no desk picture shows
// The speed and the times, as the shipped layouts colour them.
inline const QColor kSpeedColor = LayoutColor(16761930);
inline const QColor kTimeColor = LayoutColor(16766535);
inline const QColor kStatusMessageColor(0x5E, 0xC8, 0xF2);

// The looks of the skinned controls the layout's skin data chooses between: 0 with blue
// accents, 1 with teal ones.
inline constexpr int kBarLookCount = 2;

// Tool tips, page tabs (a locked tab is plainly dimmed), sliders: for the bars and below, in the
// look of the skin index (0 or 1).
QString BarStyle(int p_nSkinIndex);
// A label's colour and letters, set on its palette and font so that a layout file can change
// them (a style sheet would override both).
void SetLabelLook(QLabel* p_label, const QColor& p_color, int p_nPixelSize, bool p_bBold);

// Message boxes and questions of the player.
extern const char* const kDialogStyle;

} // namespace ShellLook
