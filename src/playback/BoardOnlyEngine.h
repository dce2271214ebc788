#pragma once
// A board-only engine of its own for a worker thread: a copy of the session's record, a view
// without a window and an engine that rebuilds boards from the page list the playing engine read.
// Nothing of its board is on screen, so a rebuild renders none of it until asked; where the
// screen would stand is still followed.

#include "playback/HeadlessPlaybackView.h"
#include "playback/PlaybackEngine.h"
#include "session/PlayerState.h"

#include <QRect>
#include <QSize>

#include <memory>
#include <vector>

class TGPStrokeCache;

class TBoardOnlyEngine {
public:
    // p_dDevicePixelRatio: the board's image is made at it. p_strokeCache: drawn through when
    // given (the warm-up fills the player's cache this way).
    TBoardOnlyEngine(const TPlayerState& p_session, const std::vector<TLectureInfo>& p_listPages, float p_fViewRatio,
                     QSize p_visibleSize, qreal p_dDevicePixelRatio = 1.0,
                     std::shared_ptr<TGPStrokeCache> p_strokeCache = nullptr);

    float GetViewRatio() const { return m_state.m_viewRatio; }
    QSize GetVisibleSize() const { return m_view.m_visibleSize; }
    TPlaybackEngine& Engine() { return m_engine; }
    // The board rebuilt at the session position through the seek the player uses.
    void SeekTo(int32_t p_nSessionMs);
    // The view scrolled as the window's scroll box would be.
    void ScrollTo(const QPoint& p_ptOffset) { m_view.SetScrollOffset(p_ptOffset); }
    QPoint GetScrollOffset() const { return m_view.GetScrollOffset(); }
    // On within the page rebuilt last: the rebuild carried on up to the page position.
    void SeekOnTo(uint32_t p_dPagePosition);
    // The part of the board a screen of the view's size would show.
    QRect OnScreen() const { return m_view.OnScreen(); }

private:
    // No dialog, no list of changes, nothing on screen.
    class TView : public THeadlessPlaybackView {
    public:
        using THeadlessPlaybackView::THeadlessPlaybackView;

        QRect GetVisibleBoardRect() const override { return {}; }
        void BoardChanged(const QRect&) override {}
        void ShowMessage(TMessageKind, const QString&) override {}

        QRect OnScreen() const { return THeadlessPlaybackView::GetVisibleBoardRect(); }
    };

    TPlayerState m_state;
    TView m_view;
    TPlaybackEngine m_engine;
};
