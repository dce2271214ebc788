// The window's bars and what happens on them: the title and status bars, the tool buttons'
// actions, the controls over the board (status text, the hidden state pictures, the panels'
// placeholders), the tool tips, the bars' reveal at the screen's edges, the desk skins, the close
// button's gestures and the keys.

#include "ui/Form1.h"

#include "platform/graphics/GPImage.h"
#include "session/FileUtil.h"
#include "ui/BoardPrint.h"
#include "ui/ErrorPanel.h"
#include "ui/EvaluationPanel.h"
#include "ui/GradePanel.h"
#include "ui/HelpPanel.h"
#include "ui/ProposalPanel.h"
#include "ui/ExScrollBox.h"
#include "ui/PaintBox.h"
#include "ui/Panel.h"
#include "ui/PictureButton.h"
#include "ui/JumpSlider.h"
#include "ui/SeekBar.h"
#include "ui/ShellLook.h"
#include "ui/StatusMessage.h"
#include "ui/StatusView.h"
#include "ui/TabSet.h"
#include "ui/StayOnTop.h"
#include "ui/TitleView.h"
#include "ui/ToolButtons.h"
#include "ui/ToolTips.h"
#include "ui/ToolView.h"
#include "ui/WindowRules.h"

#include <QDialog>

#include <algorithm>
#include <QSlider>
#include <QTabBar>

namespace {

constexpr int kVolumeKeyStep = 10;
constexpr int kVolumeMax = 100;

} // namespace

// ---------------------------------------------------------------------------------------------
// Design

void TForm1::CreateBoardControls()
{
    imgPin = new TPicture(scBox, QStringLiteral("imgPin"));
    imgPin->setGeometry(84, 523, 47, 40);
    imgPin->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_registry.Register(imgPin, TControlKind::Picture);

    lbStatusMessage = new TStatusMessage(scBox);
    m_registry.Register(lbStatusMessage, TControlKind::Label);

    paHiddenControlGroup = new TPanel(scBox, QStringLiteral("paHiddenControlGroup"), ShellLook::kDeskColor);
    paHiddenControlGroup->hide();
    m_registry.Register(paHiddenControlGroup, TControlKind::Panel);
    QStringList pictures = AllStatePictureNames();
    pictures << QStringLiteral("imgHelp1") << QStringLiteral("imgHelp2") << QStringLiteral("imgSoundOn")
             << QStringLiteral("imgSoundOff");
    for (const QString& name : pictures) {
        auto* picture = new TPicture(paHiddenControlGroup, name);
        m_registry.Register(picture, TControlKind::Picture);
    }

    CreateFeedbackPanels();

    CreateCheckUp();
}

// The panels over the board, each a unit of its own; the window opens them from the tool buttons
// (the grade panel with Ctrl+G, the grade button prints) and places them above their buttons.
void TForm1::CreateFeedbackPanels()
{
    m_panelHost = std::make_unique<TPanelHost>(TPanelHost{
        m_state, m_registry, m_align, [this] { m_engine->PauseSound(); }, [this] { m_engine->PlaySound(); },
        [this](TMessageKind kind, const QString& text) { ShowMessage(kind, text); },
        [this] { return m_closing.IsClosing(); }, [this] { PlaceFeedbackPanels(); }});
    paProposalView = new TProposalPanel(scBox, *m_panelHost);
    paEvaluationView = new TEvaluationPanel(scBox, *m_panelHost);
    paErrorView = new TErrorPanel(scBox, *m_panelHost);
    paGradeView = new TGradePanel(scBox, *m_panelHost);
    const auto page = [this](const char* name) { return m_registry.FindAs<TPicture>(QLatin1String(name), TControlKind::Picture); };
    paHelpView = new THelpPanel(scBox, *m_panelHost, {page("imgHelp1"), page("imgHelp2")});
}

void TForm1::CreateTitleView()
{
    paTitleView = new TTitleView(this, m_state, m_registry, m_align);
    paTitleView->btnClose->OnMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        btnCloseMouseDown(button, modifiers);
    };
}

void TForm1::CreateStatusView()
{
    paStatusView = new TStatusView(this, m_state, m_registry, m_align);
    TStatusView& status = *paStatusView;
    connect(status.tabLecturePage, &QTabBar::currentChanged, this, [this](int index) { tabLecturePageClick(index); });
    status.scbPlay->OnMouseDown = [this] { m_engine->scbPlayMouseDown(); };
    status.scbPlay->OnMouseUp = [this] { m_engine->scbPlayMouseUp(); };
    status.scbPlay->OnUpButtonClick = [this] { m_engine->scbPlayUpButtonClick(); };
    status.scbPlay->OnDownButtonClick = [this] { m_engine->scbPlayDownButtonClick(); };
    QSlider* volume = status.paToolView->trbVolume;
    connect(volume, &QSlider::sliderReleased, this, [this, volume] { m_engine->trbVolumeMouseUp(volume->value()); });
    WireToolButtons();

    // The wheel scrolls the board wherever it turns; the sliders and tabs do not take it.
    for (QWidget* widget : {static_cast<QWidget*>(status.tabLecturePage), static_cast<QWidget*>(status.scbPlay->Track()),
                            static_cast<QWidget*>(volume)}) {
        widget->installEventFilter(this);
    }
}

// The release actions of the tool buttons.
void TForm1::WireToolButtons()
{
    TToolView& tools = *paStatusView->paToolView;
    tools.btnPlay->OnMouseUp = [this] { m_engine->btnPlayMouseUp(); };
    tools.btnPlayPrev->OnMouseUp = [this] { m_engine->btnPlayPrevMouseUp(); };
    tools.btnPlayNext->OnMouseUp = [this] { m_engine->btnPlayNextMouseUp(); };
    tools.btnPlaySpeedDown->OnMouseUp = [this] { m_engine->btnPlaySpeedDownMouseUp(); };
    tools.btnPlaySpeedUp->OnMouseUp = [this] { m_engine->btnPlaySpeedUpMouseUp(); };
    tools.btnEnLarge->OnMouseUp = [this] { ResizeingImage(true); };
    tools.btnReduce->OnMouseUp = [this] { ResizeingImage(false); };
    for (TPictureButton* skin : {tools.btnSkinChangePrev, tools.btnSkinChangeNext}) {
        skin->OnMouseUp = [this, skin] { btnSkinChangeMouseUp(skin); };
    }
    tools.btnGrade->OnMouseUp = [this] { btnGradeMouseUp(); };
    tools.btnProposal->OnMouseUp = [this] { paProposalView->Open(); };
    tools.btnEvaluation->OnMouseUp = [this] { paEvaluationView->Open(); };
    tools.btnError->OnMouseUp = [this] { paErrorView->Open(); };
    tools.btnHelp->OnMouseUp = [this] { paHelpView->Open(); };
    WatchPanelAnchors();
}

// The panels follow their buttons and the status bar whenever the bars are laid out again.
std::vector<QWidget*> TForm1::PanelAnchors() const
{
    TToolView& tools = *paStatusView->paToolView;
    return {paStatusView, &tools, tools.paToolViewLeft, tools.btnProposal, tools.btnEvaluation, tools.btnError,
            tools.btnGrade};
}

void TForm1::WatchPanelAnchors()
{
    for (QWidget* anchor : PanelAnchors()) {
        anchor->installEventFilter(this);
    }
}

bool TForm1::IsPanelAnchor(const QObject* p_object) const
{
    const std::vector<QWidget*> anchors = PanelAnchors();
    return std::find(anchors.begin(), anchors.end(), p_object) != anchors.end();
}

// ---------------------------------------------------------------------------------------------
// Printing

// The whole board of the page, not only the part on screen. Playback resumes whatever the
// dialog gave, unless the window was closed under it.
void TForm1::btnGradeMouseUp()
{
    if (m_state.m_bActivateView) {
        return;
    }
    m_engine->PauseSound();
    m_state.m_bActivateView = true;
    const QRect area(QPoint(0, 0), m_engine->GetBoardSize());
    m_engine->EnsureBoardRendered(area);
    const TPrintOutcome outcome = PrintBoard(*this, m_engine->GetBoardImage().copy(area));
    if (m_closing.IsClosing()) {
        return;
    }
    m_state.m_bActivateView = false;
    if (outcome == TPrintOutcome::Failed) {
        ShowMessage(TMessageKind::Error, QStringLiteral("교안을 인쇄하지 못했습니다."));
    }
    m_engine->PlaySound();
}

// ---------------------------------------------------------------------------------------------
// Tool tips and the bars' reveal

void TForm1::SetToolTipText()
{
    TToolView& tools = *paStatusView->paToolView;
    tools.SetToolTips(ToolTipTexts(m_state, tools.trbVolume->value(), IsSupervisedStudy()));
}

void TForm1::ShowToolBar(int p_nX, int p_nY)
{
    const TBarVisibility now{!paTitleView->isHidden(), !paStatusView->isHidden()};
    const TBarLayout layout{paTitleView->height(), paStatusView->height(), m_state.m_bTitleViewFix,
                            m_state.m_bStatusViewFix};
    const TBarVisibility next = RevealBars(QPoint(p_nX, p_nY), ScreenSize(), layout, now);
    if (next.title != now.title) {
        paTitleView->setVisible(next.title);
    }
    if (next.status != now.status) {
        paStatusView->setVisible(next.status);
    }
}

// ---------------------------------------------------------------------------------------------
// Desk skins and the close button

// Both skin buttons come here: the one named "btnSkinChangePrev" goes back, any other forward.
void TForm1::btnSkinChangeMouseUp(const QObject* Sender)
{
    m_gpImageBackGround.reset();
    const bool next = Sender->objectName() != QLatin1String("btnSkinChangePrev");
    m_state.m_intSkinIndex = StepSkinIndex(m_state.m_intSkinIndex, next);
    m_gpImageBackGround = std::make_unique<TGPImage>(
        JoinPath(m_state.m_sExeDir, QStringLiteral("image"), QStringLiteral("back%1.png").arg(m_state.m_intSkinIndex)));
    // The board itself does not show the desk.
    scBox->viewport()->update();
    paFrameView->update();
}

void TForm1::btnCloseMouseDown(Qt::MouseButton p_button, Qt::KeyboardModifiers p_modifiers)
{
    switch (CloseGestureOf(p_button, p_modifiers)) {
    case TCloseGesture::Close:
        PostCloseRequest();
        break;
    case TCloseGesture::LiftSupervision:
        LiftSupervision();
        break;
    case TCloseGesture::None:
        break;
    }
}

void TForm1::LiftSupervision()
{
    g_studyInfo.study_mode = QStringLiteral("R");
    SetStandByCheckUpEnabled(false);
    SetStayOnTop(*this, false);
    SetToolTipText();
}

// ---------------------------------------------------------------------------------------------
// Keys

void TForm1::KeyControl(TVirtualKey p_key)
{
    const int volume = paStatusView->paToolView->trbVolume->value();
    switch (p_key) {
    case TVirtualKey::Space:
        m_engine->btnPlayMouseUp();
        break;
    case TVirtualKey::Left:
        if (m_state.m_bPlaying) {
            m_engine->scbPlayDownButtonClick();
        }
        break;
    case TVirtualKey::Up:
        m_engine->btnPlaySpeedUpMouseUp();
        break;
    case TVirtualKey::Right:
        if (m_state.m_bPlaying) {
            m_engine->scbPlayUpButtonClick();
        }
        break;
    case TVirtualKey::Down:
        m_engine->btnPlaySpeedDownMouseUp();
        break;
    case TVirtualKey::Add:
        ResizeingImage(true);
        break;
    case TVirtualKey::Subtract:
        ResizeingImage(false);
        break;
    case TVirtualKey::Comma:
        SetVolumeByKey(volume >= kVolumeKeyStep ? volume - kVolumeKeyStep : 0);
        break;
    case TVirtualKey::Period:
        SetVolumeByKey(volume <= kVolumeMax - kVolumeKeyStep ? volume + kVolumeKeyStep : kVolumeMax);
        break;
    case TVirtualKey::G:
        paGradeView->Open();
        break;
    case TVirtualKey::None:
        break;
    }
}

// The bar takes the value, then its release applies it: the voice, the tool tip, the status text.
void TForm1::SetVolumeByKey(int p_nValue)
{
    QSlider* volume = paStatusView->paToolView->trbVolume;
    volume->setValue(p_nValue);
    m_engine->trbVolumeMouseUp(volume->value());
}

// The check-up's square sits in the board area over the scrolled board. Runs start from its
// stand-by clock only while a supervised session plays with nothing open over the board.
void TForm1::CreateCheckUp()
{
    m_checkUpRandom = m_options.checkUpSeed ? std::make_unique<TCheckUpRandom>(*m_options.checkUpSeed)
                                            : std::make_unique<TCheckUpRandom>();
    TCheckUpHooks hooks;
    hooks.StopSound = [this] { m_engine->StopSound(); };
    hooks.ShowWarning = [this](const QString& text) { ShowMessage(TMessageKind::Warning, text); };
    hooks.ForceClose = [this] { ForceClose(); };
    hooks.IsClosing = [this] { return m_closing.IsClosing(); };
    hooks.CanStartRun = [this] { return IsSupervisedStudy() && m_state.m_bPlaying && !IsAnythingOpenOverBoard(); };
    hooks.ScreenSize = [this] { return ScreenSize(); };
    hooks.StatusBarHeight = [this] { return paStatusView->height(); };
    m_checkUp = std::make_unique<TCheckUpPanel>(scBox, m_registry, m_state, *m_checkUpRandom, std::move(hooks));
    paCheckUp = m_checkUp->paCheckUp;
    if (m_options.checkUpFirstRunMs) {
        m_checkUp->BringFirstRunForward(*m_options.checkUpFirstRunMs);
    }
}

bool TForm1::IsAnythingOpenOverBoard() const
{
    if (m_state.m_bActivateView) {
        return true;
    }
    for (const QDialog* dialog : findChildren<QDialog*>()) {
        if (dialog->isVisible()) {
            return true;
        }
    }
    for (const TFeedbackPanel* panel : std::initializer_list<const TFeedbackPanel*>{
             paProposalView, paEvaluationView, paErrorView, paGradeView, paHelpView}) {
        if (panel->isVisible()) {
            return true;
        }
    }
    return false;
}
