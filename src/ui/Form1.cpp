// The main window: the composition of its parts, the start-up, the close query, the hand-off and
// the shutdown.

#include "ui/Form1.h"

#include "platform/audio/AudioLibrary.h"
#include "playback/BoardWarmUp.h"
#include "playback/PlaybackEngine.h"
#include "session/FileUtil.h"
#include "session/StudyResult.h"
#include "ui/BarReveal.h"
#include "ui/BoardArea.h"
#include "ui/CheckUpPanel.h"
#include "ui/ExScrollBox.h"
#include "ui/HelpPanel.h"
#include "ui/KeyControl.h"
#include "ui/Overlays.h"
#include "ui/Panel.h"
#include "ui/Picture.h"
#include "ui/PictureButton.h"
#include "ui/PlayerView.h"
#include "ui/SeekBar.h"
#include "ui/SeekPreview.h"
#include "ui/ShellLook.h"
#include "ui/SkinData.h"
#include "ui/StatusMessage.h"
#include "ui/StatusView.h"
#include "ui/Supervision.h"
#include "ui/TitleView.h"
#include "ui/ToolActions.h"
#include "ui/ToolButtons.h"
#include "ui/ToolView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr DWORD kSupportedVersion = 0x0204;   // high word of the version numbers
constexpr DWORD kOutputFrequency = 44100;

const QString kCloseEarlyQuestion =
    QStringLiteral("학습을 중간에 종료하면 결과를 전송하지 않습니다.\r\n종료할까요 ?");

} // namespace

TForm1::TForm1(TForm1Options p_options)
    : QWidget(nullptr),
      m_options(std::move(p_options)),
      m_closing(*this, m_state)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("강의 플레이어"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#Form1 { background: #2B303A; }"));
    setGeometry(0, 0, kFailedStartUpWidth, kFailedStartUpHeight);

    m_board = std::make_unique<TBoardArea>(this, m_state, m_registry, [this] {
        return TBoardAreaLayout{ScreenSize(), m_status->height(), m_state.m_bStatusViewFix, m_state.m_bPlayerViewCenterAlign};
    });
    m_statusText = new TStatusMessage(m_board->scBox);
    m_registry.Register(m_statusText, TControlKind::Label);
    CreateHiddenPictures();
    CreateBars();
    CreateOverlays();
    m_view = std::make_unique<TPlayerView>(*this, m_state, *m_board, *m_status, *m_statusText, *m_overlays,
                                           [this] { tmFramePlayTimer(); });
    m_engine = std::make_unique<TPlaybackEngine>(m_state, *m_view);
    AttachBoardWarmUp(*m_engine);   // the stroke cache warmed ahead of the learner
    m_board->SetEngine(m_engine.get());
    m_supervision = std::make_unique<TSupervision>(*this, *m_status->tabLecturePage, *m_status->paToolView,
                                                   m_overlays->CheckUp());
    m_actions = std::make_unique<TToolActions>(
        *m_title, *m_status,
        TToolActionTargets{m_state, *m_engine, *m_board, *m_overlays, *m_supervision, [this] { m_view->PostCloseRequest(); }});
    m_reveal = std::make_unique<TBarReveal>(*m_title, *m_status, m_state, [this] { return ScreenSize(); });
    for (QWidget* area : m_board->MouseAreas()) {
        m_reveal->Watch(area);
    }
    m_board->scBox->SetOnNcMouseMove([this](int x, int y) { m_reveal->ShowToolBar(x, y); });
    SetUpClosingPath();
}

TForm1::~TForm1()
{
    FormDestroy();
}

void TForm1::CreateBars()
{
    m_status = new TStatusView(this, m_state, m_registry, m_align);
    m_title = new TTitleView(this, m_state, m_registry, m_align);
    bsSkinData1 = new TSkinData(this, QStringLiteral("bsSkinData1"), [this](int index) { ApplySkin(index); });
    m_registry.Register(bsSkinData1, TControlKind::SkinData);
    m_align.SetAlign(m_board->scBox, TAlign::Client);
    m_align.SetAlign(m_status, TAlign::Bottom);
}

// The tool buttons' state pictures and the help pages: hidden pictures the layout file can name.
void TForm1::CreateHiddenPictures()
{
    auto* group = new TPanel(m_board->scBox, QStringLiteral("paHiddenControlGroup"), ShellLook::kDeskColor);
    group->hide();
    m_registry.Register(group, TControlKind::Panel);
    QStringList pictures = AllStatePictureNames();
    pictures << QStringLiteral("imgHelp1") << QStringLiteral("imgHelp2") << QStringLiteral("imgSoundOn")
             << QStringLiteral("imgSoundOff");
    for (const QString& name : pictures) {
        m_registry.Register(new TPicture(group, name), TControlKind::Picture);
    }
}

void TForm1::CreateOverlays()
{
    TOverlayHooks hooks;
    hooks.PauseSound = [this] { m_engine->PauseSound(); };
    hooks.PlaySound = [this] { m_engine->PlaySound(); };
    hooks.StopSound = [this] { m_engine->StopSound(); };
    hooks.IsClosing = [this] { return m_closing.IsClosing(); };
    hooks.ForceClose = [this] { ForceClose(); };
    hooks.IsSupervisedSessionPlaying = [this] { return m_bStartedUp && IsSupervisedStudy() && m_state.m_bPlaying; };
    hooks.ScreenSize = [this] { return ScreenSize(); };
    hooks.StatusBarHeight = [this] { return m_status->height(); };
    hooks.BoardForPrint = [this] { return m_engine->GetRenderedBoard(); };
    m_overlays = std::make_unique<TOverlays>(this, m_board->scBox, m_state, m_registry, m_align, m_options.dialogs,
                                             TPanelRecords{g_arrayReportInfo, g_gradeInfo, g_studyInfo}, std::move(hooks),
                                             m_options.checkUpSeed);
    if (m_options.checkUpFirstRunMs) {
        m_overlays->CheckUp().BringFirstRunForward(*m_options.checkUpFirstRunMs);
    }
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
        m_overlays->CheckUp().SetStandByEnabled(true);
        m_supervision->LockPageTabs();
    }
    LoadSkinInfo();
    m_board->LoadDesk(ImageFolder());
    InitControlStatus();
    if (const std::optional<QString> failure = InitAudioLibrary()) {
        EndStartUp(TMessageKind::Warning, *failure);
        return;
    }

    m_state.m_viewRatio = 1.0f;
    m_view->SetSeekPosition(0);
    m_status->paToolView->trbVolume->setValue(TPlaybackEngine::kVolumeStart);
    m_state.m_bPlaying = true;
    m_state.m_bToolShow = true;
    m_state.m_bIsRectPlaybtn = false;
    m_state.m_bIsRectPlaySpeedDownbtn = false;
    m_state.m_bIsRectPlaySpeedUpbtn = false;
    m_status->paToolView->SetToolTipText();

    // Lectures without a readable page or without a voice: the engine has said so, and nothing
    // was started.
    if (!m_engine->LoadLectureInfo(m_state.m_sBasePath)) {
        ShowStartUpFailure(m_engine->GetLoadProblem());
        return;
    }
    m_keyControl = std::make_unique<TKeyControl>(this, [this](TVirtualKey key) { m_actions->KeyControl(key); });
    SetWindowGeometry();
    m_seekPreview = std::make_unique<TSeekPreview>(*m_status->scbPlay, *m_status->lbCurrentTime, *this, m_state,
                                                   m_engine->GetLectureInfoList(), m_view->GetVisibleBoardRect().size());
    m_bStartedUp = true;
}

// The built-in design gives every state picture the one the skin build step painted under its
// own name; the layout file then changes what it says, up to its end or its first fault. The
// view flags come from the file only: without one both bars wait at the edges and the board
// stands at the top left.
void TForm1::LoadSkinInfo()
{
    LoadBuiltInPictures();
    const TSkinLayoutTarget target{m_registry, m_align, ScreenSize(), ImageFolder()};
    m_skinRead = TSkinLayoutReader(m_state, target).LoadSkinInfo(LayoutFile());
}

QString TForm1::LayoutFile() const
{
    return m_options.layoutFile.isEmpty() ? JoinPath(m_state.m_sExeDir, QStringLiteral("ravo.xml")) : m_options.layoutFile;
}

QString TForm1::ImageFolder() const
{
    return JoinPath(m_state.m_sExeDir, QStringLiteral("image"));
}

void TForm1::ApplySkin(int p_nSkinIndex)
{
    const QString style = ShellLook::BarStyle(p_nSkinIndex);
    m_title->setStyleSheet(style);
    m_status->setStyleSheet(style);
}

void TForm1::LoadBuiltInPictures()
{
    for (const QString& name : AllStatePictureNames()) {
        if (auto* picture = m_registry.FindAs<TPicture>(name, TControlKind::Picture)) {
            picture->LoadPicture(JoinPath(ImageFolder(), name + QStringLiteral(".png")));
        }
    }
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
    m_overlays->paHelpView->tbHelpChange();
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
    m_statusText->ShowSoundDeviceMissing(AudioDeviceMissing());
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
    m_align.SetBounds(m_title, QRect(0, 0, screen.width(), m_title->height()));
    m_title->setVisible(m_state.m_bTitleViewFix);
    m_align.SetBounds(m_status, QRect(0, screen.height() - m_status->height(), screen.width(), m_status->height()));
    m_status->setVisible(m_state.m_bStatusViewFix);
    m_statusText->StopMessageClock();
    m_view->ReMovePlayerView();
    TSeekBar* seek = m_status->scbPlay;
    seek->resize(screen.width() - m_status->paPlayViewLeft->width() - m_status->paPlayViewRight->width() - 10,
                 seek->height());
    m_overlays->PlacePanelsAbove(m_status, *m_status->paToolView);
}

QSize TForm1::ScreenSize() const
{
    if (m_options.screenSize.isValid()) {
        return m_options.screenSize;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(kFailedStartUpWidth, kFailedStartUpHeight);
}

QString TForm1::ProgramFolder() const
{
    return m_options.exeDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_options.exeDir;
}

// The start-up ends here: the message, then a window that says it and can only be closed.
void TForm1::EndStartUp(TMessageKind p_enumKind, const QString& p_sMessage)
{
    m_overlays->ShowMessage(p_enumKind, p_sMessage);
    ShowStartUpFailure(p_sMessage);
}

// Nothing plays on a failed start-up and nobody is supervised: no check-up stands by or runs.
void TForm1::ShowStartUpFailure(const QString& p_sMessage)
{
    m_state.m_bPlaying = false;
    m_overlays->CheckUp().SetStandByEnabled(false);
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
    m_board->scBox->hide();
    m_status->hide();
    m_title->hide();
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

// The wheel scrolls the board wherever it turns over the window.
void TForm1::wheelEvent(QWheelEvent* event)
{
    m_board->Wheel(*event);
}

// ---------------------------------------------------------------------------------------------
// Playing

// The dialogs shown inside a tick or a page start run their own event loops: the engine lets no
// tick in until it is done.
void TForm1::tmFramePlayTimer()
{
    m_engine->tmFramePlayTimer();
    m_statusText->ShowSoundDeviceMissing(m_bAudioReady && AudioDeviceMissing());
    if (m_seekPreview) {
        m_seekPreview->Refresh();
    }
}

// ---------------------------------------------------------------------------------------------
// Closing and shutdown

bool TForm1::IsSessionAtEnd() const
{
    // A start-up that failed has nothing to hand off (a session nobody could hear does not start).
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
    if (m_overlays->AskOkCancel(kCloseEarlyQuestion) || m_closing.IsClosing()) {
        return;
    }
    CanClose = false;
    if (wasPlaying) {
        m_engine->PlaySound();
    }
    m_view->ShowPlayButtonState(m_state.m_bPlaying);
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
    m_closing.OnDismiss = [this] { m_overlays->DismissAll(); };
    m_closing.OnStop = [this] { StopForClosing(); };
    m_closing.OnHandOff = [this] { SendStudyResult(); };
}

void TForm1::StopForClosing()
{
    m_view->SetFrameClockEnabled(false);
    m_overlays->CheckUp().SetStandByEnabled(false);
    m_overlays->CheckUp().EndRun();
    if (m_state.m_bPlaying) {
        m_engine->StopSound();
    }
}

void TForm1::SendStudyResult()
{
    m_view->SetFrameClockEnabled(false);
    HandOffStudyResult(g_studyInfo, g_arrayReportInfo, m_options.blockName, m_options.resultEventName);
}

// The engine goes first: its voice streams belong to the audio library released after it.
void TForm1::FormDestroy()
{
    m_keyControl.reset();
    m_view->SetFrameClockEnabled(false);
    m_seekPreview.reset();
    m_board->SetEngine(nullptr);
    m_engine.reset();
    if (m_bAudioReady) {
        BASS_Free();
        m_bAudioReady = false;
    }
    m_board->FreePictures();
    if (IsSupervisedStudy()) {
        m_overlays->CheckUp().SetStandByEnabled(false);
    }
}
