#include "playback/BoardPicture.h"

#include "platform/Rounding.h"
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
        p_engine.PaintBoard(graphics);
    }
    p_painter.restore();
}

TBoardMiniature PaintBoardMiniature(const TPlaybackEngine& p_engine, int p_nWidth, const QRect& p_rtOnScreen)
{
    const QSize board = p_engine.GetBoardSize();
    if (board.isEmpty() || p_nWidth <= 0) {
        return {};
    }
    const double scale = static_cast<double>(p_nWidth) / board.width();
    const int height = std::max(1, static_cast<int>(RoundHalfEven(board.height() * scale)));
    TBoardMiniature miniature;
    miniature.image = QImage(p_nWidth, height, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&miniature.image);
        PaintWholeBoard(p_engine, painter, QRectF(miniature.image.rect()), true);
    }
    const QRectF onScreen = QRectF(p_rtOnScreen).intersected(QRectF(QPointF(0, 0), QSizeF(board)));
    miniature.onScreen = QRectF(onScreen.x() * scale, onScreen.y() * height / board.height(), onScreen.width() * scale,
                                onScreen.height() * height / board.height());
    return miniature;
}
