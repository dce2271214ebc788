#pragma once
// Supervised study (study mode "A") in the window: the page tabs locked at start-up, and the close
// button's second gesture, which lifts every rule of it at once (study mode "R").

class QWidget;
class TCheckUpPanel;
class TTabSet;
class TToolView;

class TSupervision {
public:
    TSupervision(QWidget& p_window, TTabSet& p_tabs, TToolView& p_tools, TCheckUpPanel& p_checkUp);

    // The learner cannot pick pages; the program still selects them.
    void LockPageTabs();
    // Study mode "R": no rule of supervised study applies any more. The page tabs are free, the
    // check-up neither stands by nor runs (a square counting down goes without closing anything),
    // the window no longer stays on top, and the tips say what the buttons now allow.
    void LiftSupervision();

private:
    QWidget& m_window;
    TTabSet& m_tabs;
    TToolView& m_tools;
    TCheckUpPanel& m_checkUp;
};
