#include "ui/PlayerView.h"

#include "session/FileUtil.h"
#include "session/PlayerState.h"
#include "ui/BoardArea.h"
#include "ui/CheckUpPanel.h"
#include "ui/JumpSlider.h"
#include "ui/Overlays.h"
#include "ui/SeekBar.h"
#include "ui/StatusMessage.h"
#include "ui/StatusView.h"
#include "ui/TabSet.h"
#include "ui/ToolView.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QWidget>

TPlayerView::TPlayerView(QWidget& p_window, TPlayerState& p_state, TBoardArea& p_board, TStatusView& p_status,
                         TStatusMessage& p_statusText, TOverlays& p_overlays, std::function<void()> p_onFrameTick)
    : m_window(p_window),
      m_state(p_state),
      m_board(p_board),
      m_status(p_status),
      m_statusText(p_statusText),
      m_overlays(p_overlays),
      tmFramePlay(new QTimer(&p_window))
{
    tmFramePlay->setObjectName(QStringLiteral("tmFramePlay"));
    tmFramePlay->setTimerType(Qt::PreciseTimer);
    tmFramePlay->setInterval(kFramePlayIntervalMs);
    QObject::connect(tmFramePlay, &QTimer::timeout, &p_window, std::move(p_onFrameTick));
}

TPlayerView::~TPlayerView()
{
    tmFramePlay->stop();
}

// ---- The board

void TPlayerView::BoardChanged(const QRect& p_rtRegion)
{
    m_board.BoardChanged(p_rtRegion);
}

TIntPoint TPlayerView::GetBoardSurfaceSize() const
{
    return m_board.GetBoardSurfaceSize();
}

void TPlayerView::SetBoardSurfaceSize(const TIntPoint& p_ptSize)
{
    m_board.SetBoardSurfaceSize(p_ptSize);
}

void TPlayerView::SetFrameImage(const QString& p_sFrameImageType)
{
    m_board.SetFrameImage(JoinPath(m_state.m_sExeDir, QStringLiteral("image")), p_sFrameImageType);
}

void TPlayerView::ReMovePlayerView()
{
    m_board.ReMovePlayerView();
}

QPoint TPlayerView::GetScrollOffset() const
{
    return m_board.GetScrollOffset();
}

void TPlayerView::SetScrollOffset(const QPoint& p_ptOffset)
{
    m_board.SetScrollOffset(p_ptOffset);
}

QSize TPlayerView::GetVisibleSize() const
{
    return m_board.GetVisibleSize();
}

QRect TPlayerView::GetVisibleBoardRect() const
{
    return m_board.GetVisibleBoardRect();
}

void TPlayerView::ShowPointerStick()
{
    m_board.ShowPointerStick();
}

void TPlayerView::PlacePointerStick(int32_t p_nLeft, int32_t p_nTop)
{
    m_board.PlacePointerStick(p_nLeft, p_nTop);
}

void TPlayerView::HidePointerStick()
{
    m_board.HidePointerStick();
}

bool TPlayerView::IsPointerStickVisible() const
{
    return m_board.IsPointerStickVisible();
}

// ---- Tabs, seek bar, texts, transport

void TPlayerView::AddPageTabs(const QStringList& p_listCaptions)
{
    const QSignalBlocker blocker(m_status.tabLecturePage);
    m_status.tabLecturePage->AddTabs(p_listCaptions);
}

void TPlayerView::SetPageTabIndex(int32_t p_nIndex)
{
    const QSignalBlocker blocker(m_status.tabLecturePage);
    m_status.tabLecturePage->setCurrentIndex(p_nIndex);
}

void TPlayerView::SetSeekRange(int32_t p_nMin, int32_t p_nMax)
{
    m_status.scbPlay->SetRange(p_nMin, p_nMax);
}

int32_t TPlayerView::GetSeekPosition() const
{
    return m_status.scbPlay->GetPosition();
}

void TPlayerView::SetSeekPosition(int32_t p_nPosition)
{
    m_status.scbPlay->SetPosition(p_nPosition);
}

// While the knob is dragged the label follows the knob, not the time played.
void TPlayerView::SetCurrentTimeText(const QString& p_sText)
{
    if (!m_status.scbPlay->Track()->isSliderDown()) {
        m_status.lbCurrentTime->setText(p_sText);
    }
}

void TPlayerView::SetTotalTimeText(const QString& p_sText)
{
    m_status.lbTotalTime->setText(p_sText);
}

void TPlayerView::ShowPlayButtonState(bool p_bPlaying)
{
    m_status.paToolView->ShowPlayingState(p_bPlaying);
    m_status.paToolView->SetToolTipText();
}

void TPlayerView::SetSpeedText(const QString& p_sText)
{
    m_status.paToolView->SetSpeedText(p_sText);
}

void TPlayerView::ShowStatusMessage(const QString& p_sText)
{
    m_statusText.ShowMessage(p_sText);
}

void TPlayerView::SetVolumeHint(const QString& p_sText)
{
    m_status.paToolView->trbVolume->setToolTip(p_sText);
}

void TPlayerView::RefreshToolTips()
{
    m_status.paToolView->SetToolTipText();
}

// ---- Timers

void TPlayerView::SetFrameClockEnabled(bool p_bEnabled)
{
    if (!p_bEnabled || m_state.m_bClosing) {
        tmFramePlay->stop();
    } else if (!tmFramePlay->isActive()) {
        tmFramePlay->start();
    }
}

bool TPlayerView::IsFrameClockEnabled() const
{
    return tmFramePlay->isActive();
}

void TPlayerView::SetStandByCheckUpEnabled(bool p_bEnabled)
{
    m_overlays.CheckUp().SetStandByEnabled(p_bEnabled);
}

void TPlayerView::HideCheckUpPanel()
{
    m_overlays.CheckUp().Hide();
}

// ---- Dialogs, closing, waiting

void TPlayerView::ShowMessage(TMessageKind p_enumKind, const QString& p_sText)
{
    m_overlays.ShowMessage(p_enumKind, p_sText);
}

bool TPlayerView::AskSelfStudy()
{
    return m_overlays.AskSelfStudy();
}

void TPlayerView::PostCloseRequest()
{
    QTimer::singleShot(0, &m_window, [window = &m_window] { window->close(); });
}

void TPlayerView::Wait(int32_t p_nMilliseconds)
{
    m_overlays.Wait(p_nMilliseconds);
}
