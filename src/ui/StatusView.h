#pragma once
// The status bar (paStatusView) along the bottom of the window: the page tabs (paTabView), the
// tool bar row (paToolView) and the play row (paPlayView) with the current and total time and
// the play scroll bar.

#include <QWidget>

class QLabel;
class QTabBar;
class TSeekBar;
class TToolBarRow;

class TStatusView : public QWidget {
public:
    static constexpr int kHeight = 105;
    static constexpr int kTabViewHeight = 27;
    static constexpr int kPlayViewHeight = 25;
    static constexpr int kPlayViewLeftWidth = 175;
    static constexpr int kPlayViewRightWidth = 40;

    explicit TStatusView(QWidget* parent);

    QTabBar* tabLecturePage;
    TToolBarRow* paToolView;
    QLabel* lbCurrentTime;
    QLabel* lbTime;
    QLabel* lbTotalTime;
    TSeekBar* scbPlay;
};
