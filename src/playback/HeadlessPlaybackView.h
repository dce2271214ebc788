#pragma once
// A playback view without a window: it keeps what the engine tells it (surface size, scroll
// offset, tabs, seek bar, texts, pointer, timers, messages, close requests) so that tests and
// ravo-tool render can run the engine and look at the outcome. Waits do not sleep: they add up
// and call an optional hook (a test advances its audio clock there). Dialogs answer at once,
// after an optional hook that stands for what a modal loop lets happen meanwhile (timer ticks).

#include "playback/PlaybackView.h"

#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class THeadlessPlaybackView : public TPlaybackView {
public:
    // The visible part of the board area: what a screen of this size shows above the status bar.
    explicit THeadlessPlaybackView(QSize p_visibleSize = QSize(1280, 720)) : m_visibleSize(p_visibleSize) {}

    void BoardChanged(const QRect& p_rtRegion) override { m_listBoardChanges.push_back(p_rtRegion); }
    TIntPoint GetBoardSurfaceSize() const override { return m_ptSurfaceSize; }
    void SetBoardSurfaceSize(const TIntPoint& p_ptSize) override { m_ptSurfaceSize = p_ptSize; }
    void SetFrameImage(const QString& p_sFrameImageType) override { m_sFrameImageType = p_sFrameImageType; }
    void ReMovePlayerView() override { ++m_nReMovePlayerViewCount; }

    QPoint GetScrollOffset() const override { return m_ptScrollOffset; }
    // Clamped to the range a scroll box holding the framed board (20-pixel margin) would have.
    void SetScrollOffset(const QPoint& p_ptOffset) override;
    QSize GetVisibleSize() const override { return m_visibleSize; }

    void AddPageTabs(const QStringList& p_listCaptions) override { m_listTabCaptions.append(p_listCaptions); }
    void SetPageTabIndex(int32_t p_nIndex) override { m_nTabIndex = p_nIndex; }

    void SetSeekRange(int32_t p_nMin, int32_t p_nMax) override { m_nSeekMin = p_nMin; m_nSeekMax = p_nMax; }
    int32_t GetSeekPosition() const override { return m_nSeekPosition; }
    void SetSeekPosition(int32_t p_nPosition) override { m_nSeekPosition = p_nPosition; }
    void SetCurrentTimeText(const QString& p_sText) override { m_sCurrentTime = p_sText; }
    void SetTotalTimeText(const QString& p_sText) override { m_sTotalTime = p_sText; }

    void ShowPointerStick() override { m_bPointerVisible = true; }
    void PlacePointerStick(int32_t p_nLeft, int32_t p_nTop) override { m_ptPointer = QPoint(p_nLeft, p_nTop); }
    void HidePointerStick() override { m_bPointerVisible = false; }
    bool IsPointerStickVisible() const override { return m_bPointerVisible; }

    void ShowPlayButtonState(bool p_bPlaying) override { m_bPlayButtonPlaying = p_bPlaying; }
    void SetSpeedText(const QString& p_sText) override { m_sSpeedText = p_sText; }
    void ShowStatusMessage(const QString& p_sText) override { m_sStatusMessage = p_sText; }
    void SetVolumeHint(const QString& p_sText) override { m_sVolumeHint = p_sText; }
    void RefreshToolTips() override { ++m_nToolTipRefreshCount; }

    void SetFrameClockEnabled(bool p_bEnabled) override { m_bFrameClockEnabled = p_bEnabled; }
    bool IsFrameClockEnabled() const override { return m_bFrameClockEnabled; }
    void SetStandByCheckUpEnabled(bool p_bEnabled) override { m_bStandByCheckUpEnabled = p_bEnabled; }
    void HideCheckUpPanel() override { ++m_nHideCheckUpCount; }

    void ShowMessage(TMessageKind p_enumKind, const QString& p_sText) override
    {
        m_listMessages.emplace_back(p_enumKind, p_sText);
        RunModalLoop();
    }
    bool AskSelfStudy() override
    {
        ++m_nSelfStudyAskCount;
        RunModalLoop();
        return m_bSelfStudyAnswer;
    }
    void PostCloseRequest() override { ++m_nCloseRequestCount; }
    void Wait(int32_t p_nMilliseconds) override;

    // Called with every wait's length, after it is counted.
    std::function<void(int32_t)> m_onWait;
    // Called while a dialog is open.
    std::function<void()> m_onModal;
    bool m_bSelfStudyAnswer = false;

    QSize m_visibleSize;
    TIntPoint m_ptSurfaceSize;
    QString m_sFrameImageType;
    int m_nReMovePlayerViewCount = 0;
    QPoint m_ptScrollOffset;
    std::vector<QRect> m_listBoardChanges;
    QStringList m_listTabCaptions;
    int32_t m_nTabIndex = -1;
    int32_t m_nSeekMin = 0;
    int32_t m_nSeekMax = 100;
    int32_t m_nSeekPosition = 0;
    QString m_sCurrentTime;
    QString m_sTotalTime;
    bool m_bPointerVisible = false;
    QPoint m_ptPointer;
    bool m_bPlayButtonPlaying = false;
    QString m_sSpeedText;
    QString m_sStatusMessage;
    QString m_sVolumeHint;
    int m_nToolTipRefreshCount = 0;
    bool m_bFrameClockEnabled = false;
    bool m_bStandByCheckUpEnabled = false;
    int m_nHideCheckUpCount = 0;
    std::vector<std::pair<TMessageKind, QString>> m_listMessages;
    int m_nSelfStudyAskCount = 0;
    int m_nCloseRequestCount = 0;
    int64_t m_nWaitedMilliseconds = 0;

private:
    void RunModalLoop()
    {
        if (m_onModal) {
            m_onModal();
        }
    }
};
