#pragma once
// A developer's aid for pictures of the running player (the demo script, the documentation):
// RAVO_GRAB="MS:ACTION[,MS:ACTION...]" runs each action once the session position reaches MS
// milliseconds, in the order given. An action is "+" or "-" (one zoom step in or out), "open" or
// "close" followed by a panel's name (paProposalView, paHelpView, ...: the panel opens or closes
// as its buttons open and close it; steps at the same position all run while it is open), the
// path of a PNG file the window is grabbed into, or "screen" and such a path: the screen as the
// display shows it, at its device pixels. Without the variable nothing happens.

#include <QObject>
#include <QString>

#include <cstdint>
#include <vector>

class QTimer;
class TForm1;

class TGrabSchedule : public QObject {
public:
    TGrabSchedule(TForm1& p_form, const QString& p_sSchedule);

private:
    struct TStep {
        int32_t at = 0;
        QString action;
    };

    void Poll();
    void Run(const TStep& p_step);

    TForm1& m_form;
    std::vector<TStep> m_steps;
    size_t m_nNext = 0;
    QTimer* m_timer;
};
