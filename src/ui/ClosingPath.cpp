#include "ui/ClosingPath.h"

#include "session/PlayerState.h"

#include <QDialog>

TClosingPath::TClosingPath(QWidget& p_window, TPlayerState& p_state) : m_window(p_window), m_state(p_state) {}

bool TClosingPath::IsClosing() const
{
    return m_state.m_bClosing;
}

bool TClosingPath::Close(bool p_bHandOff)
{
    if (m_state.m_bClosing) {
        return false;
    }
    m_state.m_bClosing = true;
    DismissDialogs();
    if (OnStop) {
        OnStop();
    }
    if (p_bHandOff && OnHandOff) {
        OnHandOff();
    }
    return true;
}

// A dialog taken away ends its modal loop without an answer; the code waiting on it returns once
// the close is done and finds the window closing.
void TClosingPath::DismissDialogs()
{
    for (QDialog* dialog : m_window.findChildren<QDialog*>()) {
        if (dialog->isVisible()) {
            dialog->done(QDialog::Rejected);
        }
    }
    if (OnDismiss) {
        OnDismiss();
    }
}
