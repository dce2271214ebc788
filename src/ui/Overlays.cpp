#include "ui/Overlays.h"

#include "platform/Rounding.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"
#include "session/LauncherFile.h"
#include "ui/BoardPrint.h"
#include "ui/CheckUpPanel.h"
#include "ui/ControlRegistry.h"
#include "ui/ErrorPanel.h"
#include "ui/EvaluationPanel.h"
#include "ui/EventHook.h"
#include "ui/GradePanel.h"
#include "ui/HelpPanel.h"
#include "ui/MessageForm.h"
#include "ui/Panel.h"
#include "ui/Picture.h"
#include "ui/PictureButton.h"
#include "ui/ProposalPanel.h"
#include "ui/ToolView.h"

namespace {

constexpr int kFeedbackPanelGap = 10;   // between a feedback panel's bottom and the status bar

const QString kSelfStudyQuestion = QStringLiteral("강의재생을 중지하고 스스로 풀어보겠습니까?");
const QString kMarkerNotSaved = QStringLiteral("'일주일간 보지 않기' 선택을 저장하지 못했습니다.");
const QString kPrintFailed = QStringLiteral("교안을 인쇄하지 못했습니다.");

} // namespace

// A dialog of the player is up from its making to its end: the square cannot be reached under it,
// so a running check-up stands still meanwhile.
class TOverlays::TModalScope {
public:
    explicit TModalScope(TOverlays& p_overlays) : m_overlays(p_overlays)
    {
        ++m_overlays.m_nModalDepth;
        m_overlays.m_checkUp->Hide();
    }
    ~TModalScope() { --m_overlays.m_nModalDepth; }
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;

private:
    TOverlays& m_overlays;
};

TOverlays::TOverlays(QWidget* p_window, QWidget* p_boardArea, TPlayerState& p_state, TControlRegistry& p_registry,
                     TAlignEngine& p_align, TFormDialogs p_dialogs, TPanelRecords p_records, TOverlayHooks p_hooks,
                     std::optional<uint32_t> p_checkUpSeed)
    : m_window(p_window),
      m_state(p_state),
      m_dialogs(std::move(p_dialogs)),
      m_hooks(std::move(p_hooks)),
      m_panelHost{p_state,
                  p_registry,
                  p_align,
                  p_records,
                  [this] { m_hooks.PauseSound(); },
                  [this] { m_hooks.PlaySound(); },
                  [this](TMessageKind kind, const QString& text) { ShowMessage(kind, text); },
                  [this] { return m_hooks.IsClosing(); },
                  [this] { PlacePanels(); }}
{
    paProposalView = new TProposalPanel(p_boardArea, m_panelHost);
    paEvaluationView = new TEvaluationPanel(p_boardArea, m_panelHost);
    paErrorView = new TErrorPanel(p_boardArea, m_panelHost);
    paGradeView = new TGradePanel(p_boardArea, m_panelHost);
    const auto page = [&p_registry](const char* name) {
        return p_registry.FindAs<TPicture>(QLatin1String(name), TControlKind::Picture);
    };
    paHelpView = new THelpPanel(p_boardArea, m_panelHost, {page("imgHelp1"), page("imgHelp2")});
    CreateCheckUp(p_boardArea, p_registry, p_checkUpSeed);
}

TOverlays::~TOverlays() = default;

// The square sits in the board area over the scrolled board. Runs start from its stand-by clock
// only while a supervised session plays with nothing open over the board.
void TOverlays::CreateCheckUp(QWidget* p_boardArea, TControlRegistry& p_registry, std::optional<uint32_t> p_seed)
{
    m_checkUpRandom = p_seed ? std::make_unique<TCheckUpRandom>(*p_seed) : std::make_unique<TCheckUpRandom>();
    TCheckUpHooks hooks;
    hooks.StopSound = [this] { m_hooks.StopSound(); };
    hooks.ShowWarning = [this](const QString& text) { ShowMessage(TMessageKind::Warning, text); };
    hooks.ForceClose = [this] { m_hooks.ForceClose(); };
    hooks.IsClosing = [this] { return m_hooks.IsClosing(); };
    hooks.CanStartRun = [this] { return m_hooks.IsSupervisedSessionPlaying() && !IsAnythingOpen(); };
    hooks.IsModalDialogUp = [this] { return IsModalDialogUp(); };
    hooks.ScreenSize = [this] { return m_hooks.ScreenSize(); };
    hooks.StatusBarHeight = [this] { return m_hooks.StatusBarHeight(); };
    m_checkUp = std::make_unique<TCheckUpPanel>(p_boardArea, p_registry, m_state, *m_checkUpRandom, std::move(hooks));
}

// ---------------------------------------------------------------------------------------------
// What is open

bool TOverlays::IsAnythingOpen() const
{
    return m_state.m_bActivateView || IsModalDialogUp();
}

void TOverlays::DismissAll()
{
    for (TFeedbackPanel* panel : Panels()) {
        panel->hide();
    }
    m_checkUp->Hide();
}

// ---------------------------------------------------------------------------------------------
// Panels

std::vector<TFeedbackPanel*> TOverlays::Panels() const
{
    return {paProposalView, paEvaluationView, paErrorView, paGradeView, paHelpView};
}

void TOverlays::PlacePanelsAbove(QWidget* p_statusBar, TToolView& p_tools)
{
    m_statusBar = p_statusBar;
    m_tools = &p_tools;
    if (!m_anchorHook) {
        m_anchorHook = std::make_unique<TEventHook>(nullptr, std::initializer_list<QEvent::Type>{QEvent::Move, QEvent::Resize}, [this](QObject*, QEvent*) {
            PlacePanels();
            return false;
        });
        for (QWidget* anchor : std::initializer_list<QWidget*>{p_statusBar, &p_tools, p_tools.paToolViewLeft,
                                                                p_tools.btnProposal, p_tools.btnEvaluation,
                                                                p_tools.btnError, p_tools.btnGrade}) {
            m_anchorHook->Watch(anchor);
        }
    }
    PlacePanels();
}

void TOverlays::PlacePanels()
{
    if (!m_tools) {
        return;   // not placed before the start-up places them
    }
    const QSize screen = m_hooks.ScreenSize();
    const int statusTop = screen.height() - m_statusBar->height();
    const std::pair<QWidget*, QWidget*> panels[] = {
        {paProposalView, m_tools->btnProposal},
        {paEvaluationView, m_tools->btnEvaluation},
        {paErrorView, m_tools->btnError},
        {paGradeView, m_tools->btnGrade},
    };
    for (const auto& [panel, button] : panels) {
        const QPoint place(button->mapTo(m_window, QPoint(0, 0)).x(), statusTop - panel->height() - kFeedbackPanelGap);
        panel->move(panel->parentWidget()->mapFrom(m_window, place));
    }
    paHelpView->move(paHelpView->parentWidget()->mapFrom(
        m_window, QPoint(static_cast<int>(RoundHalfEven((screen.width() - paHelpView->width()) / 2.0)),
                         static_cast<int>(RoundHalfEven((statusTop - paHelpView->height()) / 2.0)))));
}

// ---------------------------------------------------------------------------------------------
// Dialogs

void TOverlays::ShowMessage(TMessageKind p_enumKind, const QString& p_sText)
{
    const TModalScope modal(*this);
    m_dialogs.ShowMessage(m_window, p_enumKind, p_sText);
}

bool TOverlays::AskOkCancel(const QString& p_sText)
{
    const TModalScope modal(*this);
    return m_dialogs.AskOkCancel(m_window, p_sText);
}

bool TOverlays::AskSelfStudy()
{
    m_hooks.PauseSound();
    m_state.m_bActivateView = true;
    bool stop = false;
    bool checked = false;
    {
        const TModalScope modal(*this);
        TMessageForm form(m_window, m_state.m_sExeDir, m_hooks.ScreenSize());
        form.m_sTitle = QStringLiteral("확인");
        form.m_sMessage = kSelfStudyQuestion;
        form.m_bCancelDisable = false;
        stop = form.ShowModal() == TMessageForm::mrOK;
        checked = form.IsChecked();
    }
    if (m_hooks.IsClosing()) {
        return true;   // the window went while the question was up: no answer, no marker
    }
    if (checked) {
        SaveSelfStudyMarker();
    }
    return stop;
}

// The answer stands whether or not the marker could be written; the learner is told when not.
void TOverlays::SaveSelfStudyMarker()
{
    const QString path = SelfStudyMarkerFile(GetSpecialFolder(QStringLiteral("ROAMING")), m_panelHost.records.study.school_key,
                                             m_panelHost.records.study.user_key);
    if (const std::optional<TLauncherFileError> error = WriteLauncherLine(path, QStringLiteral("1"))) {
        ShowMessage(TMessageKind::Warning, kMarkerNotSaved);
    }
}

void TOverlays::btnGradeMouseUp()
{
    if (m_state.m_bActivateView) {
        return;
    }
    m_hooks.PauseSound();
    m_state.m_bActivateView = true;
    TPrintOutcome outcome = TPrintOutcome::Cancelled;
    {
        const TModalScope modal(*this);
        outcome = PrintBoard(*m_window, m_hooks.BoardForPrint());
    }
    if (m_hooks.IsClosing()) {
        return;
    }
    m_state.m_bActivateView = false;
    if (outcome == TPrintOutcome::Failed) {
        ShowMessage(TMessageKind::Error, kPrintFailed);
    }
    m_hooks.PlaySound();
}
