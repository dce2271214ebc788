#pragma once
// The help panel paHelpView (495 x 400), opened by btnHelp, centred over the board: two tabs, the
// keys ("단축키 안내") and ending a lecture early ("강의중 종료 안내"), each showing its help
// page picture (imgHelp1, imgHelp2, kept hidden by the window) in the tab control's page area.

#include "ui/FeedbackPanel.h"

#include <array>

class QTabBar;

class THelpPanel : public TFeedbackPanel {
public:
    // p_pages: the help page picture of each tab, in tab order.
    THelpPanel(QWidget* p_boardArea, TPanelHost& p_host, std::array<const TPicture*, 2> p_pages);

    // Shows the page of the tab selected.
    void tbHelpChange();

    QTabBar* tbHelp;
    TPicture* imgHelp;   // the page area of the tab control
    QPushButton* btnHelpViewClose;

private:
    std::array<const TPicture*, 2> m_pages;
};
