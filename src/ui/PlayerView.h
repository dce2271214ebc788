#pragma once
// The engine's view of the player window, over the window's parts: the board area answers for
// the board, the scroll box and the pointer; the status bar for the tabs, the seek bar, the time
// labels and the transport buttons; the status text for the messages; the overlays for the
// dialogs and the check-up. It keeps the frame clock tmFramePlay (72 ms), whose ticks go to the
// window, and posts the window's close requests.

#include "playback/PlaybackView.h"

#include <functional>

class QTimer;
class QWidget;
class TBoardArea;
class TOverlays;
class TStatusMessage;
class TStatusView;
struct TPlayerState;

class TPlayerView : public TPlaybackView {
public:
    static constexpr int kFramePlayIntervalMs = 72;

    // p_onFrameTick: a tick of the frame clock.
    TPlayerView(QWidget& p_window, TPlayerState& p_state, TBoardArea& p_board, TStatusView& p_status,
                TStatusMessage& p_statusText, TOverlays& p_overlays, std::function<void()> p_onFrameTick);
    ~TPlayerView() override;

    void BoardChanged(const QRect& p_rtRegion) override;
    TIntPoint GetBoardSurfaceSize() const override;
    void SetBoardSurfaceSize(const TIntPoint& p_ptSize) override;
    void SetFrameImage(const QString& p_sFrameImageType) override;
    void ReMovePlayerView() override;
    QPoint GetScrollOffset() const override;
    void SetScrollOffset(const QPoint& p_ptOffset) override;
    QSize GetVisibleSize() const override;
    QRect GetVisibleBoardRect() const override;
    void AddPageTabs(const QStringList& p_listCaptions) override;
    void SetPageTabIndex(int32_t p_nIndex) override;
    void SetSeekRange(int32_t p_nMin, int32_t p_nMax) override;
    int32_t GetSeekPosition() const override;
    void SetSeekPosition(int32_t p_nPosition) override;
    void SetCurrentTimeText(const QString& p_sText) override;
    void SetTotalTimeText(const QString& p_sText) override;
    void ShowPointerStick() override;
    void PlacePointerStick(int32_t p_nLeft, int32_t p_nTop) override;
    void HidePointerStick() override;
    bool IsPointerStickVisible() const override;
    void ShowPlayButtonState(bool p_bPlaying) override;
    void SetSpeedText(const QString& p_sText) override;
    void ShowStatusMessage(const QString& p_sText) override;
    void SetVolumeHint(const QString& p_sText) override;
    void RefreshToolTips() override;
    void SetFrameClockEnabled(bool p_bEnabled) override;
    bool IsFrameClockEnabled() const override;
    void SetStandByCheckUpEnabled(bool p_bEnabled) override;
    void HideCheckUpPanel() override;
    void ShowMessage(TMessageKind p_enumKind, const QString& p_sText) override;
    bool AskSelfStudy() override;
    void PostCloseRequest() override;
    void Wait(int32_t p_nMilliseconds) override;

private:
    QWidget& m_window;
    TPlayerState& m_state;
    TBoardArea& m_board;
    TStatusView& m_status;
    TStatusMessage& m_statusText;
    TOverlays& m_overlays;
    QTimer* tmFramePlay;
};
