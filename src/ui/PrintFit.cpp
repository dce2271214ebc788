#include "ui/PrintFit.h"

#include "platform/Rounding.h"

#include <algorithm>

QRect FitToPage(const QSize& p_szPicture, const QRect& p_rtPage)
{
    if (p_szPicture.isEmpty() || p_rtPage.isEmpty()) {
        return QRect();
    }
    const double scale = std::min(static_cast<double>(p_rtPage.width()) / p_szPicture.width(),
                                  static_cast<double>(p_rtPage.height()) / p_szPicture.height());
    const int width = std::max(1, static_cast<int>(RoundHalfEven(p_szPicture.width() * scale)));
    const int height = std::max(1, static_cast<int>(RoundHalfEven(p_szPicture.height() * scale)));
    return QRect(p_rtPage.left() + (p_rtPage.width() - width) / 2, p_rtPage.top() + (p_rtPage.height() - height) / 2,
                 width, height);
}
