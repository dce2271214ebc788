#pragma once
// What the engine announces to those who work ahead on its board: page starts, zoom steps and
// a change of the screen's device pixel ratio, and, before each, that work for the board as it
// stood is to stop. The stroke cache's
// warm-up listens this way; whoever wants one attaches it (the window does, the board-only
// engines do not). The engine calls its listeners on its own thread, in the middle of its
// operation: a listener hands work on and returns, and never calls the engine back.

#include "session/CommDefine.h"
#include "session/PlayerState.h"

#include <QPoint>
#include <QSize>

#include <cstdint>
#include <vector>

// Where the board stands after a page start or a zoom step; the references hold for the call.
struct TBoardPlace {
    const TPlayerState& session;
    const std::vector<TLectureInfo>& pages;
    int32_t pageIndex = -1;
    float viewRatio = 1.0f;
    QSize visibleSize;       // the board area of the screen
    QPoint scrollOffset;
    qreal devicePixelRatio = 1.0;   // the board's image is made at it
};

class TPlaybackListener {
public:
    virtual ~TPlaybackListener() = default;

    // A page is about to start (before the stroke cache is emptied for another page).
    virtual void PageStarting() {}
    // The page started: its board stands at its beginning.
    virtual void PageStarted(const TBoardPlace& /*p_place*/) {}
    // A zoom step begins.
    virtual void ZoomStepping() {}
    // The board was rebuilt at the new zoom.
    virtual void ZoomStepped(const TBoardPlace& /*p_place*/) {}
    // The board is to be drawn at another device pixel ratio (before the stroke cache is
    // emptied of the figures at the old one).
    virtual void PixelRatioChanging() {}
    // The board is drawn at the new ratio.
    virtual void PixelRatioChanged(const TBoardPlace& /*p_place*/) {}
};
