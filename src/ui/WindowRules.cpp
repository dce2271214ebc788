#include "ui/WindowRules.h"

TBarVisibility RevealBars(const QPoint& p_ptScreen, const QSize& p_screen, const TBarLayout& p_layout,
                          TBarVisibility p_now)
{
    const bool acrossScreen = p_ptScreen.x() >= 0 && p_ptScreen.x() <= p_screen.width();
    if (acrossScreen && p_ptScreen.y() >= p_screen.height() - p_layout.statusHeight) {
        p_now.status = true;
    } else if (acrossScreen && p_ptScreen.y() <= p_layout.titleHeight) {
        p_now.title = true;
    } else {
        p_now.title = p_now.title && p_layout.titleFix;
        p_now.status = p_now.status && p_layout.statusFix;
    }
    return p_now;
}

int32_t StepSkinIndex(int32_t p_nIndex, bool p_bNext)
{
    const int32_t index = p_nIndex + (p_bNext ? 1 : -1);
    if (index < 0) {
        return kDeskSkinCount - 1;
    }
    return index >= kDeskSkinCount ? 0 : index;
}

TCloseGesture CloseGestureOf(Qt::MouseButton p_button, Qt::KeyboardModifiers p_modifiers)
{
    const Qt::KeyboardModifiers held =
        p_modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    if (p_button == Qt::LeftButton) {
        return TCloseGesture::Close;
    }
    if (p_button == Qt::RightButton && held == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return TCloseGesture::LiftSupervision;
    }
    return TCloseGesture::None;
}
