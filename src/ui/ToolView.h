#pragma once
// The tool bar paToolView, the middle of the status bar: its left part (736 wide) with the speed
// buttons and label, play, the 10-second jumps, zoom, desk skins and the feedback buttons; its
// client part; its right part (170 wide) with the volume bar and the help button. It shows the
// transport state (play or pause pictures, the speed buttons usable or not) and the tool tips;
// the window wires the buttons' actions.

#include "ui/Panel.h"

class QLabel;
class QSlider;
class TAlignEngine;
class TControlRegistry;
class TPicture;
class TPictureButton;
struct TPlayerState;

class TToolView : public TPanel {
public:
    static constexpr int kLeftWidth = 736;
    static constexpr int kRightWidth = 170;
    static constexpr int kVolumeMax = 100;

    TToolView(QWidget* parent, TPlayerState& p_state, TControlRegistry& p_registry, TAlignEngine& p_align);

    // After m_bPlaying changed: the play button's Up picture of the new state, the speed buttons
    // usable with their Up pictures while playing and disabled with their Disable pictures while
    // paused.
    void ShowPlayingState(bool p_bPlaying);
    void SetSpeedText(const QString& p_sText);
    // SetToolTipText: the tips that follow the speed, the zoom, the play state, the volume and
    // the study mode.
    void SetToolTipText();

    TPanel* paToolViewLeft;
    TPanel* paToolViewClient;
    TPanel* paToolViewRight;
    TPicture* imgToolViewLeft;
    TPicture* imgToolViewClient;
    TPicture* imgToolViewRight;

    TPictureButton* btnPlaySpeedUp;
    QLabel* lbSpeed;
    TPictureButton* btnPlaySpeedDown;
    TPictureButton* btnPlay;
    TPictureButton* btnPlayPrev;
    TPictureButton* btnPlayNext;
    TPictureButton* btnEnLarge;
    TPictureButton* btnReduce;
    TPictureButton* btnSkinChangePrev;
    TPictureButton* btnSkinChangeNext;
    TPictureButton* btnProposal;
    TPictureButton* btnEvaluation;
    TPictureButton* btnError;
    TPictureButton* btnGrade;
    QSlider* trbVolume;
    TPictureButton* btnHelp;

private:
    const TPlayerState& m_state;
};
