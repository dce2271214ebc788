#include "ui/StayOnTop.h"

#include <QWidget>

bool IsStayOnTop(const QWidget& p_window)
{
    return p_window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void SetStayOnTop(QWidget& p_window, bool p_bOnTop)
{
    if (IsStayOnTop(p_window) == p_bOnTop) {
        return;
    }
    const bool shown = p_window.isVisible();
    p_window.setWindowFlag(Qt::WindowStaysOnTopHint, p_bOnTop);
    if (shown) {
        p_window.show();
    }
}
