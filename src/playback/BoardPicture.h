#pragma once
// The whole board of an engine's current page painted anywhere, at any scale: for the notes
// (a PDF page, where paths stay paths and pictures stay pictures) and the seek bar's thumbnails.

#include <QImage>
#include <QRect>
#include <QRectF>

class QPainter;
class TPlaybackEngine;

// The board (GetBoardSize: the board picture and every object) scaled into the target rectangle
// of the painter, over white, nothing drawn outside the rectangle. A miniature strokes thin pens
// as thin lines (TGPGraphics::SetMiniature).
void PaintWholeBoard(const TPlaybackEngine& p_engine, QPainter& p_painter, const QRectF& p_rtTarget,
                     bool p_bMiniature = false);

// The whole board scaled down, as a miniature, to a picture p_nWidth logical pixels wide (the
// height keeps the board's proportions, rounded), and the rectangle p_rtOnScreen (board pixels)
// scaled the same way. A board more than kMiniatureMaxAspect times taller than wide is scaled to
// that many widths high instead, and its picture is narrower. The picture is made at the device
// pixel ratio of the screen it is shown on; the rectangle is in its logical pixels.
inline constexpr int kMiniatureMaxAspect = 4;
struct TBoardMiniature {
    QImage image;
    QRectF onScreen;
};
TBoardMiniature PaintBoardMiniature(const TPlaybackEngine& p_engine, int p_nWidth, const QRect& p_rtOnScreen,
                                    qreal p_dDevicePixelRatio = 1.0);
