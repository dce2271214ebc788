#include "playback/BoardPicture.h"

#include "platform/Rounding.h"
#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPGraphics.h"
#include "playback/PlaybackEngine.h"

#include <QPainter>

#include <algorithm>

void PaintWholeBoard(const TPlaybackEngine& p_engine, QPainter& p_painter, const QRectF& p_rtTarget, bool p_bMiniature)
{
    const QSize board = p_engine.GetBoardSize();
    if (board.isEmpty() || p_rtTarget.isEmpty()) {
        return;
    }
    p_painter.save();
    p_painter.setClipRect(p_rtTarget, Qt::IntersectClip);
    p_painter.fillRect(p_rtTarget, Qt::white);
    p_painter.translate(p_rtTarget.topLeft());
    p_painter.scale(p_rtTarget.width() / board.width(), p_rtTarget.height() / board.height());
    {
        TGPGraphics graphics(p_painter);
        graphics.SetMiniature(p_bMiniature);
        p_engine.Board().PaintBoard(graphics);
    }
    p_painter.restore();
}

TBoardMiniature PaintBoardMiniature(const TPlaybackEngine& p_engine, int p_nWidth, const QRect& p_rtOnScreen,
                                    qreal p_dDevicePixelRatio)
{
    const QSize board = p_engine.GetBoardSize();
    if (board.isEmpty() || p_nWidth <= 0) {
        return {};
    }
    // A board far taller than wide would give a column millions of pixels high at full width.
    const int maxHeight = p_nWidth * kMiniatureMaxAspect;
    const double scale = std::min(static_cast<double>(p_nWidth) / board.width(),
                                  static_cast<double>(maxHeight) / board.height());
    const int width = std::clamp(static_cast<int>(RoundHalfEven(board.width() * scale)), 1, p_nWidth);
    const int height = std::clamp(static_cast<int>(RoundHalfEven(board.height() * scale)), 1, maxHeight);
    TBoardMiniature miniature;
    miniature.image = QImage(DeviceSize(QSize(width, height), p_dDevicePixelRatio), QImage::Format_ARGB32_Premultiplied);
    miniature.image.setDevicePixelRatio(p_dDevicePixelRatio);
    {
        QPainter painter(&miniature.image);
        PaintWholeBoard(p_engine, painter, QRectF(0, 0, width, height), true);
    }
    const QRectF onScreen = QRectF(p_rtOnScreen).intersected(QRectF(QPointF(0, 0), QSizeF(board)));
    const double scaleX = static_cast<double>(width) / board.width();
    const double scaleY = static_cast<double>(height) / board.height();
    miniature.onScreen = QRectF(onScreen.x() * scaleX, onScreen.y() * scaleY, onScreen.width() * scaleX,
                                onScreen.height() * scaleY);
    return miniature;
}
