#pragma once
// The board area of a video frame, and the engine's view while it plays for the video: a screen
// of the frame's size with the bars hidden, so the board area is the whole frame. The framed
// board is placed and scrolled as the window places and scrolls it (the board starts at the placed
// frame plus its margin, a centred board too), the desk tiled behind, the pointer stick where it
// stands. Each frame repaints only what changed since the one before: the parts of the board
// surface repainted since (as the surface tells them), the pointer's old and new places; a
// scroll, a page's placement or frame redo the whole frame.

#include "playback/BoardFrame.h"
#include "playback/HeadlessPlaybackView.h"

#include <QImage>
#include <QRegion>

class TPlaybackEngine;

class TVideoBoardArea : public THeadlessPlaybackView {
public:
    // p_sImageFolder: the desk and frame pictures. p_bCenterAlign: the layout centres the board.
    TVideoBoardArea(const TPlayerState& p_state, QSize p_frameSize, bool p_bCenterAlign, const QString& p_sImageFolder);

    // The engine whose board the frames show (it renders what is not rendered yet on demand).
    void SetEngine(TPlaybackEngine* p_engine) { m_engine = p_engine; }

    void SetFrameImage(const QString& p_sFrameImageType) override;
    void ReMovePlayerView() override;
    // Clamped to the scroll range of the placed framed board.
    void SetScrollOffset(const QPoint& p_ptOffset) override;
    QRect GetVisibleBoardRect() const override;

    // Brings the frame up to date; the region of it that changed since the last call.
    QRegion PaintFrame();
    // The frame (RGB, the frame's size).
    const QImage& Frame() const { return m_imgFrame; }

private:
    QPoint BoardOrigin() const;
    QRect PanelRect() const;
    QRect PointerRect() const;
    void PaintWhole();
    // Returns the part of the region it painted.
    QRegion PaintBoardParts(const QRegion& p_rgnFrame);

    const TPlayerState& m_state;
    bool m_bCenterAlign;
    QString m_sImageFolder;
    TPlaybackEngine* m_engine = nullptr;
    TBoardFrame m_frame;
    QImage m_imgPointer;
    QRect m_rtFramedBoard;        // the placed frame in the scroll box's content
    QImage m_imgFrame;

    // What the frame shows now, against what the view was told since.
    bool m_bWholeDue = true;
    QPoint m_ptPaintedScroll;
    bool m_bPaintedPointer = false;
    QPoint m_ptPaintedPointer;
};
