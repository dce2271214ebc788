#pragma once
// The one closing path of the player window. Every way the window closes ends in Close: the end
// of the session, the close button, the early-close question, OK on the self-study question, the
// check-up's forced close and the window manager. The first Close latches (m_bClosing of the
// player's state), takes away every dialog of the window that is open (the message window,
// question and message boxes, the panels over the board), then stops playback and, when asked,
// hands the result off. Every later Close does nothing, so the result goes to the launcher at
// most once. Code that comes back from a dialog asks IsClosing and then does nothing more: no
// voice resumes, no file is written.

#include <QWidget>

#include <functional>

struct TPlayerState;

class TClosingPath {
public:
    TClosingPath(QWidget& p_window, TPlayerState& p_state);

    // Takes away whatever else is open over the board (the panels, the check-up square).
    std::function<void()> OnDismiss;
    // What closing does once the dialogs are gone: stop the clocks and the voice.
    std::function<void()> OnStop;
    // Hands the study result to the launcher.
    std::function<void()> OnHandOff;

    bool IsClosing() const;
    // Latches and closes down; p_bHandOff: the result goes to the launcher. false, with nothing
    // done, when the window is closing already.
    bool Close(bool p_bHandOff);

private:
    void DismissDialogs();

    QWidget& m_window;
    TPlayerState& m_state;
};
