#pragma once
// The narrow interface through which the playback engine reaches the player window: the board
// surface and its scroll box, the page tabs, the seek bar and time labels, the pointer picture,
// the transport controls' pictures and texts, the window's timers, dialogs and waits.
// The window implements it over its widgets; THeadlessPlaybackView implements it without any
// window for the tests and for ravo-tool render. The engine calls it on the window's thread only.

#include "session/PlayerState.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>

enum class TMessageKind : uint8_t {
    Information,
    Warning,
    Error,
};

// The frame around the board: the board starts this many pixels inside it on every side.
constexpr int kBoardFrameMargin = 20;

class TPlaybackView {
public:
    virtual ~TPlaybackView() = default;

    // ---- Board surface (pbDraw) and the framed board around it

    // The engine's board image changed inside p_rtRegion (board surface pixels): repaint that
    // part of the surface from TPlaybackEngine::GetBoardImage. An empty rectangle: the whole board.
    // Parts of the board off screen may be left to render later: before painting a part of the
    // board, the window calls TPlaybackEngine::EnsureBoardRendered for it.
    virtual void BoardChanged(const QRect& p_rtRegion) = 0;
    // Size of the board surface in pixels. The engine widens it for a larger page and sets it
    // exactly on a zoom step; it keeps its board image at this size.
    virtual TIntPoint GetBoardSurfaceSize() const = 0;
    virtual void SetBoardSurfaceSize(const TIntPoint& p_ptSize) = 0;
    // Loads the eight frame pieces for a board kind text.
    virtual void SetFrameImage(const QString& p_sFrameImageType) = 0;
    // Sizes and places the framed board for the current board size (m_ptOriginalImage), zoom
    // (m_viewRatio) and whether a board picture is loaded (HasBoardPicture on the engine).
    virtual void ReMovePlayerView() = 0;

    // ---- Scroll box (scBox)

    virtual QPoint GetScrollOffset() const = 0;
    // Sets both offsets; the view clamps them to its scroll range.
    virtual void SetScrollOffset(const QPoint& p_ptOffset) = 0;
    // Screen width, and screen height minus the height of the status bar.
    virtual QSize GetVisibleSize() const = 0;
    // The part of the board surface on screen, in board pixels. The default holds for a framed
    // board placed at the scroll box's origin (the board then starts 20 pixels in) and covers the
    // whole board when it fits on screen; a window that centres a larger board says exactly.
    virtual QRect GetVisibleBoardRect() const
    {
        return QRect(GetScrollOffset() - QPoint(kBoardFrameMargin, kBoardFrameMargin), GetVisibleSize());
    }

    // ---- Page tabs (tabLecturePage)

    // Adds one tab per caption, after the tabs there are.
    virtual void AddPageTabs(const QStringList& p_listCaptions) = 0;
    // Selects a tab without raising its click: the engine runs tabLecturePageClick itself where
    // the tab control would have raised it.
    virtual void SetPageTabIndex(int32_t p_nIndex) = 0;

    // ---- Seek bar (scbPlay) and time labels

    virtual void SetSeekRange(int32_t p_nMin, int32_t p_nMax) = 0;
    virtual int32_t GetSeekPosition() const = 0;
    virtual void SetSeekPosition(int32_t p_nPosition) = 0;
    virtual void SetCurrentTimeText(const QString& p_sText) = 0;   // lbCurrentTime
    virtual void SetTotalTimeText(const QString& p_sText) = 0;     // lbTotalTime

    // ---- Pointer picture (imgPointerStick), 32 x 32 on the board

    virtual void ShowPointerStick() = 0;
    virtual void PlacePointerStick(int32_t p_nLeft, int32_t p_nTop) = 0;
    virtual void HidePointerStick() = 0;
    virtual bool IsPointerStickVisible() const = 0;

    // ---- Transport controls

    // m_bPlaying changed (play, pause, stop, a page's end, a page start): playing shows the Play
    // pictures, the speed buttons usable with their "Up" pictures, and refreshes the hints;
    // paused shows the Pause pictures, the speed buttons disabled with their "Disable" pictures
    // and the play button hint "일시정지중".
    virtual void ShowPlayButtonState(bool p_bPlaying) = 0;
    // lbSpeed.
    virtual void SetSpeedText(const QString& p_sText) = 0;
    // lbStatusMessage := text and (re)start tmMessageStatus, which clears it.
    virtual void ShowStatusMessage(const QString& p_sText) = 0;
    // The volume track bar's hint.
    virtual void SetVolumeHint(const QString& p_sText) = 0;
    // SetToolTipText: the hints that show the current speed and zoom.
    virtual void RefreshToolTips() = 0;

    // ---- Timers

    // tmFramePlay (72 ms): while enabled the window calls TPlaybackEngine::tmFramePlayTimer.
    virtual void SetFrameClockEnabled(bool p_bEnabled) = 0;
    virtual bool IsFrameClockEnabled() const = 0;
    // StandByCheckUpTimer of the participation check-up.
    virtual void SetStandByCheckUpEnabled(bool p_bEnabled) = 0;
    // Hides the check-up panel paCheckUp.
    virtual void HideCheckUpPanel() = 0;

    // ---- Dialogs, closing, waiting

    // A modal message with one OK button; returns when it is closed.
    virtual void ShowMessage(TMessageKind p_enumKind, const QString& p_sText) = 0;
    // The self-study prompt; true when the learner accepts to stop and solve alone.
    virtual bool AskSelfStudy() = 0;
    // Posts a close request to the window (handled later by its close query).
    virtual void PostCloseRequest() = 0;
    // Blocks for p_nMilliseconds (the window's waits of 200 and 500 ms).
    virtual void Wait(int32_t p_nMilliseconds) = 0;
};
