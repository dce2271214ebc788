#pragma once
// Where a picture goes on a printed page: as large as the page allows, its proportions kept,
// centred on the page. No widgets.

#include <QRect>
#include <QSize>

// The picture's place on the page's printable rectangle; empty for an empty picture or page.
QRect FitToPage(const QSize& p_szPicture, const QRect& p_rtPage);
