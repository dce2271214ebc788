#pragma once
// Records the check-up square's countdown at each of its paints, read from the player's state.

#include "session/PlayerState.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <vector>

// The countdown each paint of the square drew, in order.
class TPaintLog : public QObject {
public:
    TPaintLog(QWidget* p_box, const TPlayerState& p_state) : m_state(p_state) { p_box->installEventFilter(this); }

    std::vector<int32_t> m_listCountdowns;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            m_listCountdowns.push_back(m_state.m_nFlickerCount);
        }
        return false;
    }

private:
    const TPlayerState& m_state;
};
