// The main window: the start-up, the close query and the shutdown, and the engine's view over
// the status bar, the timers and the dialogs.

#include "ui/Form1.h"

#include "platform/Rounding.h"
#include "platform/graphics/GPImage.h"
#include "playback/BoardWarmUp.h"
#include "session/FileUtil.h"
#include "session/LauncherFile.h"
#include "ui/ErrorPanel.h"
#include "ui/EvaluationPanel.h"
#include "ui/ExScrollBox.h"
#include "ui/GradePanel.h"
#include "ui/HelpPanel.h"
#include "ui/ProposalPanel.h"
#include "ui/JumpSlider.h"
#include "ui/MessageForm.h"
#include "ui/PaintBox.h"
#include "ui/Panel.h"
#include "ui/PictureButton.h"
#include "ui/SeekBar.h"
#include "ui/SeekPreview.h"
#include "ui/ShellLook.h"
#include "ui/SkinData.h"
#include "ui/StatusMessage.h"
#include "ui/StatusView.h"
#include "ui/StudyResult.h"
#include "ui/TabSet.h"
#include "ui/TitleView.h"
#include "ui/ToolButtons.h"
#include "ui/ToolView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kFramePlayIntervalMs = 72;
constexpr int kMessageStatusIntervalMs = 3000;
const QString kNoSoundDeviceText = QStringLiteral("소리 장치 없음");
constexpr int kFeedbackPanelGap = 10;   // between a feedback panel's bottom and the status bar
constexpr DWORD kSupportedVersion = 0x0204;   // high word of the version numbers
constexpr DWORD kOutputFrequency = 44100;

const QString kCloseEarlyQuestion =
    QStringLiteral("학습을 중간에 종료하면 결과를 전송하지 않습니다.\r\n종료할까요 ?");
const QString kSelfStudyQuestion = QStringLiteral("강의재생을 중지하고 스스로 풀어보겠습니까?");
const QString kMarkerNotSaved = QStringLiteral("'일주일간 보지 않기' 선택을 저장하지 못했습니다.");

} // namespace

TForm1::TForm1(TForm1Options p_options)
    : QWidget(nullptr),
      m_options(std::move(p_options)),
      m_closing(*this, m_state),
      tmFramePlay(new QTimer(this)),
      tmMessageStatus(new QTimer(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("강의 플레이어"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#Form1 { background: #2B303A; }"));
    setGeometry(0, 0, kFailedStartUpWidth, kFailedStartUpHeight);

    CreateBoardArea();
    CreateBoardControls();
    CreateStatusView();
    CreateTitleView();
    bsSkinData1 = new TSkinData(this, QStringLiteral("bsSkinData1"), [this](int index) { ApplySkin(index); });
    m_registry.Register(bsSkinData1, TControlKind::SkinData);
    m_align.SetAlign(scBox, TAlign::Client);
    m_align.SetAlign(paStatusView, TAlign::Bottom);

    tmFramePlay->setObjectName(QStringLiteral("tmFramePlay"));
    tmMessageStatus->setObjectName(QStringLiteral("tmMessageStatus"));
    tmFramePlay->setTimerType(Qt::PreciseTimer);
    tmFramePlay->setInterval(kFramePlayIntervalMs);
    connect(tmFramePlay, &QTimer::timeout, this, [this] { tmFramePlayTimer(); });
    tmMessageStatus->setInterval(kMessageStatusIntervalMs);
    connect(tmMessageStatus, &QTimer::timeout, this, [this] { tmMessageStatusTimer(); });

    m_engine = std::make_unique<TPlaybackEngine>(m_state, *this);
    AttachBoardWarmUp(*m_engine);   // the stroke cache warmed ahead of the learner
    SetUpClosingPath();
}

TForm1::~TForm1()
{
    FormDestroy();
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TForm1::FormCreate()
{
    m_state.m_bCompulsionClose = false;
    m_state.m_bSelfStudyMessageBox = false;

    if (const std::optional<TLaunchError> error =
            ReadLaunchParams(m_state, ProgramFolder(), m_options.blockName)) {
        EndStartUp(TMessageKind::Error, error->Message);
        return;
    }
    if (IsSupervisedStudy()) {
        SetStandByCheckUpEnabled(true);
        paStatusView->tabLecturePage->setEnabled(false);
        paStatusView->tabLecturePage->setToolTip(QStringLiteral("이 학습에서는 강의 페이지를 직접 고를 수 없습니다."));
    }
    LoadSkinInfo();
    LoadControlImage();
    paHiddenControlGroup->hide();
    if (const std::optional<QString> failure = InitAudioLibrary()) {
        EndStartUp(TMessageKind::Warning, *failure);
        return;
    }

    m_state.m_viewRatio = 1.0f;
    SetSeekPosition(0);
    paStatusView->paToolView->trbVolume->setValue(TPlaybackEngine::kVolumeStart);
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
    m_keyControl = std::make_unique<TKeyControl>(this, [this](TVirtualKey key) { KeyControl(key); });
    SetWindowGeometry();
    m_seekPreview = std::make_unique<TSeekPreview>(*paStatusView->scbPlay, *paStatusView->lbCurrentTime, *this, m_state,
                                                   m_engine->GetLectureInfoList(), GetVisibleBoardRect().size());
    m_bStartedUp = true;
}

// The built-in design gives every state picture the one the skin build step painted under its
// own name; the layout file then changes what it says, up to its end or its first fault. The
// view flags come from the file only: without one both bars wait at the edges and the board
// stands at the top left.
void TForm1::LoadSkinInfo()
{
    LoadBuiltInPictures();
    const TSkinLayoutTarget target{m_registry, m_align, ScreenSize(), JoinPath(m_state.m_sExeDir, QStringLiteral("image"))};
    m_skinRead = TSkinLayoutReader(m_state, target).LoadSkinInfo(LayoutFile());
}

QString TForm1::LayoutFile() const
{
    return m_options.layoutFile.isEmpty() ? JoinPath(m_state.m_sExeDir, QStringLiteral("ravo.xml")) : m_options.layoutFile;
}

void TForm1::ApplySkin(int p_nSkinIndex)
{
    const QString style = ShellLook::BarStyle(p_nSkinIndex);
    paTitleView->setStyleSheet(style);
    paStatusView->setStyleSheet(style);
}

void TForm1::LoadBuiltInPictures()
{
    const QString folder = JoinPath(m_state.m_sExeDir, QStringLiteral("image"));
    for (const QString& name : AllStatePictureNames()) {
        if (auto* picture = m_registry.FindAs<TPicture>(name, TControlKind::Picture)) {
            picture->LoadPicture(JoinPath(folder, name + QStringLiteral(".png")));
        }
    }
}

void TForm1::LoadControlImage()
{
    m_gpImageBackGround = std::make_unique<TGPImage>(JoinPath(m_state.m_sExeDir, QStringLiteral("image"), QStringLiteral("back0.png")));
    InitControlStatus();
}

void TForm1::InitControlStatus()
{
    static const char* const kOrder[] = {
        "btnPlaySpeedDown", "btnPlay", "btnPlayPrev", "btnPlayNext", "btnPlaySpeedUp",
        "btnEnLarge", "btnReduce", "btnClose", "btnSkinChangePrev", "btnSkinChangeNext",
        "btnProposal", "btnEvaluation", "btnError", "btnGrade", "btnHelp",
    };
    for (const char* name : kOrder) {
        if (auto* button = m_registry.FindAs<TPictureButton>(QLatin1String(name), TControlKind::Picture)) {
            button->ShowState(TButtonState::Up);
        }
    }
    paHelpView->tbHelpChange();
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
    ShowSoundDeviceState();
    return std::nullopt;
}

// Borderless over the whole screen, staying on top. The board area fills the window above the
// status bar (all of it while the status bar is hidden); the title bar lies over the board.
void TForm1::SetWindowGeometry()
{
    const QSize screen = ScreenSize();
    setWindowFlag(Qt::FramelessWindowHint, true);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setGeometry(0, 0, screen.width(), screen.height());
    m_align.SetBounds(paTitleView, QRect(0, 0, screen.width(), paTitleView->height()));
    paTitleView->setVisible(m_state.m_bTitleViewFix);
    m_align.SetBounds(paStatusView, QRect(0, screen.height() - paStatusView->height(), screen.width(),
                                          paStatusView->height()));
    paStatusView->setVisible(m_state.m_bStatusViewFix);
    tmMessageStatus->stop();
    ReMovePlayerView();
    TSeekBar* seek = paStatusView->scbPlay;
    seek->resize(screen.width() - paStatusView->paPlayViewLeft->width() - paStatusView->paPlayViewRight->width() - 10,
                 seek->height());
    PlaceFeedbackPanels();
}

// Each feedback panel above its button, 10 pixels over the status bar; the help panel centred
// in the area above the status bar.
void TForm1::PlaceFeedbackPanels()
{
    const QSize screen = ScreenSize();
    const int statusTop = screen.height() - paStatusView->height();
    const std::pair<QWidget*, QWidget*> panels[] = {
        {paProposalView, paStatusView->paToolView->btnProposal},
        {paEvaluationView, paStatusView->paToolView->btnEvaluation},
        {paErrorView, paStatusView->paToolView->btnError},
        {paGradeView, paStatusView->paToolView->btnGrade},
    };
    for (const auto& [panel, button] : panels) {
        const QPoint place(button->mapTo(this, QPoint(0, 0)).x(), statusTop - panel->height() - kFeedbackPanelGap);
        panel->move(panel->parentWidget()->mapFrom(this, place));
    }
    paHelpView->move(paHelpView->parentWidget()->mapFrom(
        this, QPoint(static_cast<int>(RoundHalfEven((screen.width() - paHelpView->width()) / 2.0)),
                     static_cast<int>(RoundHalfEven((statusTop - paHelpView->height()) / 2.0)))));
}

QString TForm1::ProgramFolder() const
{
    return m_options.exeDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_options.exeDir;
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
        "#paStartUpFailure { background: #1E232C; border: 1px solid #46505F; border-radius: 10px; }"
        "QLabel { color: #E6EAF0; font-size: 15px; }") + QString::fromLatin1(ShellLook::kDialogStyle));
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
    paTitleView->hide();
    PlaceStartUpFailure();
}

void TForm1::PlaceStartUpFailure()
{
    const QSize size(440, 170);
    m_paStartUpFailure->setGeometry(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size));
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_paStartUpFailure) {
        PlaceStartUpFailure();
    }
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
    if (m_closing.IsClosing()) {
        return;   // closing already: a further request changes nothing
    }
    if (m_state.m_bCompulsionClose) {
        m_closing.Close(false);
        return;
    }
    if (IsSessionAtEnd()) {
        m_closing.Close(true);
        return;
    }
    if (m_bStartedUp && IsSupervisedStudy()) {
        AskBeforeLeavingEarly(CanClose);
    }
    if (CanClose) {
        m_closing.Close(false);
    }
}

// Cancel returns to the state before the question: a paused voice stays paused, a playing one
// plays on from where it stopped, and the play button shows which. A window that closed while
// the question was up (the check-up's forced close) just goes.
void TForm1::AskBeforeLeavingEarly(bool& CanClose)
{
    const bool wasPlaying = m_state.m_bPlaying;
    if (wasPlaying) {
        m_engine->StopSound();
    }
    if (m_options.dialogs.AskOkCancel(this, kCloseEarlyQuestion) || m_closing.IsClosing()) {
        return;
    }
    CanClose = false;
    if (wasPlaying) {
        m_engine->PlaySound();
    }
    ShowPlayButtonState(m_state.m_bPlaying);
}

void TForm1::ForceClose()
{
    m_state.m_bCompulsionClose = true;
    m_closing.Close(false);
    // Inside a close query already under way (its question was just taken away) this request
    // is not needed: that query ends in closing.
    close();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    event->accept();
}

// The panels over the board go with the window; the clocks stop, and a voice still playing stops
// as at the end of the session.
void TForm1::SetUpClosingPath()
{
    for (TPanel* panel : std::initializer_list<TPanel*>{paProposalView, paEvaluationView, paErrorView, paGradeView,
                                                        paHelpView, paCheckUp}) {
        m_closing.AddPanel(panel);
    }
    m_closing.OnStop = [this] { StopForClosing(); };
    m_closing.OnHandOff = [this] { SendStudyResult(); };
}

void TForm1::StopForClosing()
{
    tmFramePlay->stop();
    SetStandByCheckUpEnabled(false);
    m_checkUp->CheckUpTimer->stop();
    if (m_state.m_bPlaying) {
        m_engine->StopSound();
    }
}

void TForm1::SendStudyResult()
{
    SetFrameClockEnabled(false);
    HandOffStudyResult(g_studyInfo, g_arrayReportInfo, m_options.blockName, m_options.resultEventName);
}

// The engine goes first: its voice streams belong to the audio library released after it.
void TForm1::FormDestroy()
{
    m_keyControl.reset();
    tmFramePlay->stop();
    m_seekPreview.reset();
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
    ShowSoundDeviceState();
    if (m_seekPreview) {
        m_seekPreview->Refresh();
    }
}

void TForm1::tmMessageStatusTimer()
{
    tmMessageStatus->stop();
    lbStatusMessage->ShowText(SoundDeviceText());
}

// While no sound device plays (the audio library keeps retrying it), the status text says so;
// other messages show over it for their 3 s.
void TForm1::ShowSoundDeviceState()
{
    const bool missing = m_bAudioReady && AudioDeviceMissing();
    if (missing == m_bSoundDeviceMissing) {
        return;
    }
    m_bSoundDeviceMissing = missing;
    if (!tmMessageStatus->isActive()) {
        lbStatusMessage->ShowText(SoundDeviceText());
    }
}

QString TForm1::SoundDeviceText() const
{
    return m_bSoundDeviceMissing ? kNoSoundDeviceText : QString();
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

// ---------------------------------------------------------------------------------------------
// The engine's view: tabs, seek bar, texts, transport, timers, dialogs

void TForm1::AddPageTabs(const QStringList& p_listCaptions)
{
    const QSignalBlocker blocker(paStatusView->tabLecturePage);
    paStatusView->tabLecturePage->AddTabs(p_listCaptions);
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

// While the knob is dragged the label follows the knob, not the time played.
void TForm1::SetCurrentTimeText(const QString& p_sText)
{
    if (paStatusView->scbPlay->Track()->isSliderDown()) {
        return;
    }
    paStatusView->lbCurrentTime->setText(p_sText);
}

void TForm1::SetTotalTimeText(const QString& p_sText)
{
    paStatusView->lbTotalTime->setText(p_sText);
}

void TForm1::ShowPlayButtonState(bool p_bPlaying)
{
    paStatusView->paToolView->ShowPlayingState(p_bPlaying);
    SetToolTipText();
}

void TForm1::SetSpeedText(const QString& p_sText)
{
    paStatusView->paToolView->SetSpeedText(p_sText);
}

void TForm1::ShowStatusMessage(const QString& p_sText)
{
    lbStatusMessage->ShowText(p_sText);
    // A running timer is not restarted: the text goes 3 s after the first of quick messages.
    if (!tmMessageStatus->isActive()) {
        tmMessageStatus->start();
    }
}

void TForm1::SetVolumeHint(const QString& p_sText)
{
    paStatusView->paToolView->trbVolume->setToolTip(p_sText);
}

void TForm1::RefreshToolTips()
{
    SetToolTipText();
}

void TForm1::SetFrameClockEnabled(bool p_bEnabled)
{
    if (!p_bEnabled || m_closing.IsClosing()) {
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
    m_checkUp->SetStandByEnabled(p_bEnabled);
}

void TForm1::HideCheckUpPanel()
{
    m_checkUp->Hide();
}

void TForm1::ShowMessage(TMessageKind p_enumKind, const QString& p_sText)
{
    m_options.dialogs.ShowMessage(this, p_enumKind, p_sText);
}

bool TForm1::AskSelfStudy()
{
    return showMessageForm();
}

bool TForm1::showMessageForm()
{
    m_engine->PauseSound();
    m_state.m_bActivateView = true;
    TMessageForm form(this, m_state.m_sExeDir, ScreenSize());
    form.m_sTitle = QStringLiteral("확인");
    form.m_sMessage = kSelfStudyQuestion;
    form.m_bCancelDisable = false;
    const bool stop = form.ShowModal() == TMessageForm::mrOK;
    if (m_closing.IsClosing()) {
        return true;   // the window went while the question was up: no answer, no marker
    }
    if (form.IsChecked()) {
        SaveSelfStudyMarker();
    }
    return stop;
}

// The answer stands whether or not the marker could be written; the learner is told when not.
void TForm1::SaveSelfStudyMarker()
{
    const QString path = SelfStudyMarkerFile(GetSpecialFolder(QStringLiteral("ROAMING")), g_studyInfo.school_key,
                                             g_studyInfo.user_key);
    if (WriteLauncherLine(path, QStringLiteral("1"))) {
        ShowMessage(TMessageKind::Warning, kMarkerNotSaved);
    }
}

void TForm1::PostCloseRequest()
{
    QTimer::singleShot(0, this, [this] { close(); });
}

void TForm1::Wait(int32_t p_nMilliseconds)
{
    m_options.dialogs.Wait(p_nMilliseconds);
}
