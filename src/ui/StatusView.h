#pragma once
// The status bar paStatusView along the bottom of the window, 105 high, from top to bottom: the
// page tabs (paTabView, 27 high), the tool bar (paToolView, filling the middle) and the play bar
// (paPlayView, 25 high) with the current and total time in its left part, the play scroll bar in
// its client part and an empty right part.

#include "ui/Panel.h"

class QLabel;
class TAlignEngine;
class TControlRegistry;
class TPicture;
class TSeekBar;
class TTabSet;
class TToolView;
struct TPlayerState;

class TStatusView : public TPanel {
public:
    static constexpr int kHeight = 105;
    static constexpr int kTabViewHeight = 27;
    static constexpr int kPlayViewHeight = 25;
    static constexpr int kPlayViewLeftWidth = 175;
    static constexpr int kPlayViewRightWidth = 40;
    static constexpr int kSeekBarHeight = 15;

    TStatusView(QWidget* parent, TPlayerState& p_state, TControlRegistry& p_registry, TAlignEngine& p_align);

    TPanel* paTabView;
    TTabSet* tabLecturePage;
    TToolView* paToolView;
    TPanel* paPlayView;
    TPanel* paPlayViewLeft;
    TPanel* paPlayViewClient;
    TPanel* paPlayViewRight;
    TPicture* imgPlayViewLeft;
    TPicture* imgPlayViewClient;
    TPicture* imgPlayViewRight;
    QLabel* lbCurrentTime;
    QLabel* lbTime;
    QLabel* lbTotalTime;
    TSeekBar* scbPlay;
};
