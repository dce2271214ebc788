#pragma once
// Logical pixels and device pixels. The system's geometry is in logical pixels; a screen scaled
// by the platform shows each logical pixel as ratio x ratio device pixels (1.25, 1.5, 2, ...).
// Every picture painted for such a screen is made at device pixels, so that it is drawn there
// without being stretched.
//
// Rectangles go from one to the other outwards: a logical rectangle's device rectangle holds
// every device pixel it touches, and the other way round; at a fractional ratio a device pixel
// may so belong to two logical pixels. A picture's device size is its logical size times the
// ratio rounded up, so that it holds every device pixel the logical picture touches.

#include <QRect>
#include <QSize>
#include <QString>

QSize DeviceSize(const QSize& p_szLogical, qreal p_dRatio);
QRect DeviceRect(const QRect& p_rtLogical, qreal p_dRatio);
QRect LogicalRect(const QRect& p_rtDevice, qreal p_dRatio);

// A picture file of the skin or the content as painted for a ratio: "name@2x.png" beside
// "name.png" holds the same picture at twice the pixels.
struct TPictureFile {
    QString path;
    qreal ratio = 1.0;   // device pixels per logical pixel in the file
};
QString HighResolutionFileName(const QString& p_sPath);
// The file to read for a screen of the ratio: the "@2x" one where the ratio is above 1 and it
// exists, the file itself otherwise.
TPictureFile PictureFileForRatio(const QString& p_sPath, qreal p_dRatio);
