// The main window: its controls, the start-up, the close query and the shutdown, and the
// engine's view over the status bar, the timers and the dialogs.

#include "ui/Form1.h"

#include "platform/graphics/GPImage.h"
#include "session/FileUtil.h"
#include "ui/ExScrollBox.h"
#include "ui/PaintBox.h"
#include "ui/SeekBar.h"
#include "ui/StatusView.h"
#include "ui/StudyResult.h"
#include "ui/ToolBarRow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr int kFramePlayIntervalMs = 72;
constexpr int kMessageStatusIntervalMs = 3000;
constexpr int kVolumeStart = 50;
constexpr DWORD kSupportedVersion = 0x0204;   // high word of the version numbers
constexpr DWORD kOutputFrequency = 44100;

const QString kCloseEarlyQuestion =
    QStringLiteral("학습을 중간에 종료하면 결과를 전송하지 않습니다.\r\n종료할까요 ?");

} // namespace

TForm1::TForm1(TForm1Options p_options)
    : QWidget(nullptr),
      m_options(std::move(p_options)),
      tmFramePlay(new QTimer(this)),
      tmMessageStatus(new QTimer(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("강의 플레이어"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#Form1 { background: #2B303A; }"));
    setGeometry(0, 0, kFailedStartUpWidth, kFailedStartUpHeight);

    CreateBoardArea();
    CreateStatusView();

    tmFramePlay->setTimerType(Qt::PreciseTimer);
    tmFramePlay->setInterval(kFramePlayIntervalMs);
    connect(tmFramePlay, &QTimer::timeout, this, [this] { tmFramePlayTimer(); });
    tmMessageStatus->setInterval(kMessageStatusIntervalMs);
    connect(tmMessageStatus, &QTimer::timeout, this, [this] { tmMessageStatusTimer(); });

    m_engine = std::make_unique<TPlaybackEngine>(m_state, *this);
}

TForm1::~TForm1()
{
    FormDestroy();
}

void TForm1::CreateStatusView()
{
    paStatusView = new TStatusView(this);
    TStatusView& status = *paStatusView;
    // A new index starts its page; a press on the tab of the page playing changes no index and
    // reaches tabLecturePageMouseDown through the event filter.
    connect(status.tabLecturePage, &QTabBar::currentChanged, this, [this](int index) { tabLecturePageClick(index); });
    status.scbPlay->OnMouseDown = [this] { m_engine->scbPlayMouseDown(); };
    status.scbPlay->OnMouseUp = [this] { m_engine->scbPlayMouseUp(); };
    status.scbPlay->OnUpButtonClick = [this] { m_engine->scbPlayUpButtonClick(); };
    status.scbPlay->OnDownButtonClick = [this] { m_engine->scbPlayDownButtonClick(); };

    TToolBarActions actions;
    actions.btnPlayMouseUp = [this] { m_engine->btnPlayMouseUp(); };
    actions.btnPlayPrevMouseUp = [this] { m_engine->btnPlayPrevMouseUp(); };
    actions.btnPlayNextMouseUp = [this] { m_engine->btnPlayNextMouseUp(); };
    actions.btnPlaySpeedDownMouseUp = [this] { m_engine->btnPlaySpeedDownMouseUp(); };
    actions.btnPlaySpeedUpMouseUp = [this] { m_engine->btnPlaySpeedUpMouseUp(); };
    actions.btnEnLargeMouseUp = [this] {
        if (!m_state.m_bActivateView) {
            ResizeingImage(true);
        }
    };
    actions.btnReduceMouseUp = [this] {
        if (!m_state.m_bActivateView) {
            ResizeingImage(false);
        }
    };
    actions.btnCloseMouseDown = [this] {
        if (!m_state.m_bActivateView) {
            PostCloseRequest();
        }
    };
    actions.trbVolumeMouseUp = [this](int value) { m_engine->trbVolumeMouseUp(value); };
    status.paToolView->SetActions(std::move(actions));

    // The wheel scrolls the board wherever it turns; the sliders and tabs do not take it.
    for (QWidget* widget : {static_cast<QWidget*>(status.tabLecturePage), static_cast<QWidget*>(status.scbPlay->Track()),
                            static_cast<QWidget*>(status.paToolView->trbVolume)}) {
        widget->installEventFilter(this);
    }
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TForm1::FormCreate()
{
    m_state.m_bCompulsionClose = false;
    m_state.m_bSelfStudyMessageBox = false;

    const QString exeDir = m_options.exeDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_options.exeDir;
    if (const std::optional<TLaunchError> error = ReadLaunchParams(m_state, exeDir, m_options.blockName)) {
        EndStartUp(TMessageKind::Error, error->Message);
        return;
    }
    if (IsSupervisedStudy()) {
        SetStandByCheckUpEnabled(true);
        paStatusView->tabLecturePage->setEnabled(false);
    }
    LoadSkinInfo();
    LoadControlImage();
    if (const std::optional<QString> failure = InitAudioLibrary()) {
        EndStartUp(TMessageKind::Warning, *failure);
        return;
    }

    m_state.m_viewRatio = 1.0f;
    SetSeekPosition(0);
    paStatusView->paToolView->trbVolume->setValue(kVolumeStart);
    m_state.m_bPlaying = true;
    m_state.m_bToolShow = true;
    m_state.m_bIsRectPlaybtn = false;
    m_state.m_bIsRectPlaySpeedDownbtn = false;
    m_state.m_bIsRectPlaySpeedUpbtn = false;
    SetToolTipText();

    // Lectures without a readable page: the engine has said so, and nothing was started.
    if (!m_engine->LoadLectureInfo(m_state.m_sBasePath)) {
        ShowStartUpFailure(QString::fromUtf8(kNoPlayablePageMessage));
        return;
    }
    SetWindowGeometry();
    m_bStartedUp = true;
}

// The built-in layout: the status bar stays shown and the board is centred. A layout file next
// to the program, when the window reads one, changes these and the controls.
void TForm1::LoadSkinInfo()
{
    m_state.m_bTitleViewFix = false;
    m_state.m_bStatusViewFix = true;
    m_state.m_bPlayerViewCenterAlign = true;
}

void TForm1::LoadControlImage()
{
    m_gpImageBackGround = std::make_unique<TGPImage>(JoinPath(m_state.m_sExeDir, QStringLiteral("image"), QStringLiteral("back0.png")));
    InitControlStatus();
}

void TForm1::InitControlStatus()
{
    paStatusView->paToolView->ShowPlayButtonState(true);
}

std::optional<QString> TForm1::InitAudioLibrary()
{
    if ((BASS_GetVersion() >> 16) != kSupportedVersion) {
        return QStringLiteral("음원 DLL 버전이 잘못되었습니다.");
    }
    if ((BASS_FX_GetVersion() >> 16) != kSupportedVersion) {
        return QStringLiteral("음원 FX_DLL 버전이 잘못되었습니다.");
    }
    if (!BASS_Init(m_options.audioDevice, kOutputFrequency, 0, nullptr, nullptr)) {
        return QStringLiteral("음원 DLL 초기화 작업에 실패하였습니다.");
    }
    m_bAudioReady = true;
    return std::nullopt;
}

// Borderless over the whole screen. The board area fills the window above the status bar.
void TForm1::SetWindowGeometry()
{
    const QSize screen = ScreenSize();
    setWindowFlag(Qt::FramelessWindowHint, true);
    setGeometry(0, 0, screen.width(), screen.height());
    paStatusView->setVisible(m_state.m_bStatusViewFix);
    tmMessageStatus->stop();
    LayoutChildren();
    ReMovePlayerView();
}

// The start-up ends here: the message, then a window that says it and can only be closed.
void TForm1::EndStartUp(TMessageKind p_enumKind, const QString& p_sMessage)
{
    ShowMessage(p_enumKind, p_sMessage);
    ShowStartUpFailure(p_sMessage);
}

void TForm1::ShowStartUpFailure(const QString& p_sMessage)
{
    m_paStartUpFailure = new QWidget(this);
    m_paStartUpFailure->setObjectName(QStringLiteral("paStartUpFailure"));
    m_paStartUpFailure->setAttribute(Qt::WA_StyledBackground);
    m_paStartUpFailure->setStyleSheet(QStringLiteral(
        "#paStartUpFailure { background: #F4F6FA; border-radius: 10px; }"
        "QLabel { color: #1E232C; font-size: 15px; }"
        "QPushButton { padding: 6px 24px; }"));
    auto* message = new QLabel(p_sMessage, m_paStartUpFailure);
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignCenter);
    auto* close = new QPushButton(QStringLiteral("닫기"), m_paStartUpFailure);
    close->setObjectName(QStringLiteral("btnStartUpFailureClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(m_paStartUpFailure);
    layout->setContentsMargins(28, 24, 28, 20);
    layout->addWidget(message, 1);
    layout->addWidget(close, 0, Qt::AlignCenter);
    scBox->hide();
    paStatusView->hide();
    LayoutChildren();
}

void TForm1::LayoutChildren()
{
    const int statusHeight = paStatusView->isHidden() ? 0 : paStatusView->height();
    scBox->setGeometry(0, 0, width(), height() - statusHeight);
    paStatusView->setGeometry(0, height() - paStatusView->height(), width(), paStatusView->height());
    if (m_paStartUpFailure) {
        const QSize size(440, 170);
        m_paStartUpFailure->setGeometry(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size));
    }
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutChildren();
}

// ---------------------------------------------------------------------------------------------
// Closing and shutdown

bool TForm1::IsSessionAtEnd() const
{
    // A start-up that failed has nothing to hand off. A session that started and stands at its
    // end has, also when its length is 0.
    return m_bStartedUp && m_state.m_intCurrentMilesSecond == m_state.m_intAllMileSecond;
}

void TForm1::FormCloseQuery(bool& CanClose)
{
    CanClose = true;
    if (m_state.m_bCompulsionClose) {
        return;
    }
    if (IsSessionAtEnd()) {
        if (m_state.m_bPlaying) {
            m_engine->StopSound();
        }
        SendStudyResult();
        return;
    }
    if (m_bStartedUp && IsSupervisedStudy()) {
        AskBeforeLeavingEarly(CanClose);
    }
}

// Cancel returns to the state before the question: a paused voice stays paused, a playing one
// plays on from where it stopped, and the play button shows which.
void TForm1::AskBeforeLeavingEarly(bool& CanClose)
{
    const bool wasPlaying = m_state.m_bPlaying;
    if (wasPlaying) {
        m_engine->StopSound();
    }
    if (m_options.dialogs.AskOkCancel(this, kCloseEarlyQuestion)) {
        return;
    }
    CanClose = false;
    if (wasPlaying) {
        m_engine->PlaySound();
    }
    ShowPlayButtonState(m_state.m_bPlaying);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    tmFramePlay->stop();
    event->accept();
}

void TForm1::SendStudyResult()
{
    SetFrameClockEnabled(false);
    HandOffStudyResult(g_studyInfo, g_arrayReportInfo, m_options.blockName, m_options.resultEventName);
}

// The engine goes first: its voice streams belong to the audio library released after it.
void TForm1::FormDestroy()
{
    tmFramePlay->stop();
    m_engine.reset();
    if (m_bAudioReady) {
        BASS_Free();
        m_bAudioReady = false;
    }
    m_gpImageBackGround.reset();
    for (std::unique_ptr<TGPImage>& piece : m_gpImageFrame) {
        piece.reset();
    }
    if (IsSupervisedStudy()) {
        SetStandByCheckUpEnabled(false);
    }
}

// ---------------------------------------------------------------------------------------------
// Controls

// The dialogs shown inside a tick or a page start run their own event loops: the engine lets no
// tick in until it is done.
void TForm1::tmFramePlayTimer()
{
    if (m_engine) {
        m_engine->tmFramePlayTimer();
    }
}

void TForm1::tmMessageStatusTimer()
{
    tmMessageStatus->stop();
    lbStatusMessage->clear();
}

void TForm1::tabLecturePageClick(int p_nIndex)
{
    m_engine->tabLecturePageClick(p_nIndex);
}

// A left press on the tab of the page playing starts that page again from its beginning; a press
// on another tab changes the index, and the change starts its page.
void TForm1::tabLecturePageMouseDown(const QMouseEvent& p_event)
{
    QTabBar* tabs = paStatusView->tabLecturePage;
    const int index = tabs->tabAt(p_event.position().toPoint());
    if (p_event.button() == Qt::LeftButton && index >= 0 && index == tabs->currentIndex()) {
        tabLecturePageClick(index);
    }
}

void TForm1::SetToolTipText()
{
    paStatusView->paToolView->SetToolTipText(m_state);
}

// ---------------------------------------------------------------------------------------------
// The engine's view: tabs, seek bar, texts, transport, timers, dialogs

void TForm1::AddPageTab(const QString& p_sCaption)
{
    const QSignalBlocker blocker(paStatusView->tabLecturePage);
    paStatusView->tabLecturePage->addTab(p_sCaption);
}

void TForm1::SetPageTabIndex(int32_t p_nIndex)
{
    const QSignalBlocker blocker(paStatusView->tabLecturePage);
    paStatusView->tabLecturePage->setCurrentIndex(p_nIndex);
}

void TForm1::SetSeekRange(int32_t p_nMin, int32_t p_nMax)
{
    paStatusView->scbPlay->SetRange(p_nMin, p_nMax);
}

int32_t TForm1::GetSeekPosition() const
{
    return paStatusView->scbPlay->GetPosition();
}

void TForm1::SetSeekPosition(int32_t p_nPosition)
{
    paStatusView->scbPlay->SetPosition(p_nPosition);
}

void TForm1::SetCurrentTimeText(const QString& p_sText)
{
    paStatusView->lbCurrentTime->setText(p_sText);
}

void TForm1::SetTotalTimeText(const QString& p_sText)
{
    paStatusView->lbTotalTime->setText(p_sText);
}

void TForm1::SetSpeedButtonsEnabled(bool p_bEnabled)
{
    paStatusView->paToolView->SetSpeedButtonsEnabled(p_bEnabled);
}

void TForm1::ShowPlayButtonState(bool p_bPlaying)
{
    paStatusView->paToolView->ShowPlayButtonState(p_bPlaying);
    if (p_bPlaying) {
        SetToolTipText();
    }
}

void TForm1::SetSpeedText(const QString& p_sText)
{
    paStatusView->paToolView->SetSpeedText(p_sText);
}

void TForm1::ShowStatusMessage(const QString& p_sText)
{
    lbStatusMessage->setText(p_sText);
    lbStatusMessage->adjustSize();
    // A running timer is not restarted: the text goes 3 s after the first of quick messages.
    if (!tmMessageStatus->isActive()) {
        tmMessageStatus->start();
    }
}

void TForm1::SetVolumeHint(const QString& p_sText)
{
    paStatusView->paToolView->SetVolumeHint(p_sText);
}

void TForm1::RefreshToolTips()
{
    SetToolTipText();
}

void TForm1::SetFrameClockEnabled(bool p_bEnabled)
{
    if (!p_bEnabled) {
        tmFramePlay->stop();
    } else if (!tmFramePlay->isActive()) {
        tmFramePlay->start();
    }
}

bool TForm1::IsFrameClockEnabled() const
{
    return tmFramePlay->isActive();
}

void TForm1::SetStandByCheckUpEnabled(bool p_bEnabled)
{
    m_bStandByCheckUp = p_bEnabled;
}

// The window shows no check-up panel, so there is none to hide.
void TForm1::HideCheckUpPanel() {}

void TForm1::ShowMessage(TMessageKind p_enumKind, const QString& p_sText)
{
    m_options.dialogs.ShowMessage(this, p_enumKind, p_sText);
}

bool TForm1::AskSelfStudy()
{
    m_engine->PauseSound();
    m_state.m_bActivateView = true;
    return m_options.dialogs.AskSelfStudy(this);
}

void TForm1::PostCloseRequest()
{
    QTimer::singleShot(0, this, [this] { close(); });
}

void TForm1::Wait(int32_t p_nMilliseconds)
{
    m_options.dialogs.Wait(p_nMilliseconds);
}
