#pragma once
// Answers a modal dialog from inside its modal loop, the way a learner does: a short timer looks
// for a shown dialog of the kind among the window's children and hands each new one, once, to
// the answer, which clicks its controls with real mouse events.

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

template <class TDialog>
class TDialogDriver {
public:
    TDialogDriver(QWidget& p_owner, std::function<void(TDialog&)> p_answer)
        : m_owner(&p_owner), m_answer(std::move(p_answer))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Look(); });
        m_timer.start();
    }

    // How many dialogs were shown (and handed to the answer).
    int Shown() const { return m_nShown; }
    // The dialog shown last, while it exists.
    TDialog* Last() const { return m_last; }

private:
    void Look()
    {
        if (!m_owner) {
            return;
        }
        for (TDialog* dialog : m_owner->findChildren<TDialog*>()) {
            if (dialog->isVisible() && dialog != m_last) {
                m_last = dialog;
                ++m_nShown;
                m_answer(*dialog);
                return;
            }
        }
    }

    QPointer<QWidget> m_owner;
    std::function<void(TDialog&)> m_answer;
    QTimer m_timer;
    QPointer<TDialog> m_last;
    int m_nShown = 0;
};

// A dialog that nothing takes away would keep its modal loop, and the test, waiting forever: after
// p_nMilliseconds every dialog of the window still shown is closed, so the test goes on and fails
// on what it checks.
inline void CloseStuckDialogsAfter(QWidget& p_owner, int p_nMilliseconds = 15000)
{
    QTimer::singleShot(p_nMilliseconds, &p_owner, [owner = &p_owner] {
        for (QDialog* dialog : owner->findChildren<QDialog*>()) {
            if (dialog->isVisible()) {
                dialog->done(QDialog::Rejected);
            }
        }
    });
}
