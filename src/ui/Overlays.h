#pragma once
// What opens over the board: the four feedback panels and the help panel, the check-up square,
// and the player's modal dialogs (messages, questions, the self-study window, the print dialog).
// It owns the one list of panels, places them above their buttons whenever the bars are laid out
// again, and is the one place that says whether something is open over the board: the check-up's
// start and countdown, the tool buttons and keys (through m_bActivateView, which only the
// overlays set) and the closing path all ask it.

#include "session/CheckUpClock.h"
#include "ui/FeedbackPanel.h"
#include "ui/FormDialogs.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TCheckUpPanel;
class TErrorPanel;
class TEvaluationPanel;
class TEventHook;
class TGradePanel;
class THelpPanel;
class TProposalPanel;
class TToolView;

// What the overlays need of the window.
struct TOverlayHooks {
    std::function<void()> PauseSound;
    std::function<void()> PlaySound;
    std::function<void()> StopSound;
    std::function<bool()> IsClosing;
    std::function<void()> ForceClose;   // closes at once, without asking or hand-off
    // A supervised session has started up and plays: a check-up may start when nothing is open.
    std::function<bool()> IsSupervisedSessionPlaying;
    std::function<QSize()> ScreenSize;
    std::function<int()> StatusBarHeight;
    // The whole board of the page, rendered, for printing.
    std::function<QImage()> BoardForPrint;
};

class TOverlays {
public:
    TOverlays(QWidget* p_window, QWidget* p_boardArea, TPlayerState& p_state, TControlRegistry& p_registry,
              TAlignEngine& p_align, TFormDialogs p_dialogs, TPanelRecords p_records, TOverlayHooks p_hooks,
              std::optional<uint32_t> p_checkUpSeed);
    ~TOverlays();
    TOverlays(const TOverlays&) = delete;
    TOverlays& operator=(const TOverlays&) = delete;

    // ---- What is open

    // A panel, the self-study window, the print dialog or the forced close's message is up
    // (m_bActivateView), or any modal dialog of the player.
    bool IsAnythingOpen() const;
    // A modal dialog of the player is up: nothing over the board can be clicked.
    bool IsModalDialogUp() const { return m_nModalDepth > 0; }
    // Closing: every panel and the square go.
    void DismissAll();

    // ---- Panels

    // The panels, the help panel last.
    std::vector<TFeedbackPanel*> Panels() const;
    // Each feedback panel above its button, 10 pixels over the status bar; the help panel centred
    // in the area above the status bar. From now on again whenever one of the anchors (the status
    // bar, the tool bar and the buttons) moves or takes another size.
    void PlacePanelsAbove(QWidget* p_statusBar, TToolView& p_tools);

    // ---- The player's dialogs, each counted as open while it is up

    void ShowMessage(TMessageKind p_enumKind, const QString& p_sText);
    bool AskOkCancel(const QString& p_sText);
    // The self-study question in the message window; true when the learner stops here (OK), and
    // when the window closed while the question was up. A ticked check box leaves the marker file.
    bool AskSelfStudy();
    // Prints the whole board of the page, paused and with the player inert while the print
    // dialog is up; playback resumes whatever the dialog gave, unless the window closed under it.
    void btnGradeMouseUp();
    void Wait(int32_t p_nMilliseconds) { m_dialogs.Wait(p_nMilliseconds); }

    TCheckUpPanel& CheckUp() { return *m_checkUp; }

    TProposalPanel* paProposalView;
    TEvaluationPanel* paEvaluationView;
    TErrorPanel* paErrorView;
    TGradePanel* paGradeView;
    THelpPanel* paHelpView;

private:
    // Counts a modal dialog as up for as long as it lives.
    class TModalScope;

    void CreateCheckUp(QWidget* p_boardArea, TControlRegistry& p_registry, std::optional<uint32_t> p_seed);
    void PlacePanels();
    void SaveSelfStudyMarker();

    QWidget* m_window;
    TPlayerState& m_state;
    TFormDialogs m_dialogs;
    TOverlayHooks m_hooks;
    TPanelHost m_panelHost;
    std::unique_ptr<TCheckUpRandom> m_checkUpRandom;
    std::unique_ptr<TCheckUpPanel> m_checkUp;
    std::unique_ptr<TEventHook> m_anchorHook;
    QWidget* m_statusBar = nullptr;
    TToolView* m_tools = nullptr;
    int m_nModalDepth = 0;
};
