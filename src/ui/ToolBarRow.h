#pragma once
// The tool bar row of the status bar: play or pause, 10 seconds back and forward, speed down and
// up with the speed label, zoom in and out, the volume bar and the close button, as plain
// buttons. The owner supplies the actions; the row shows the states and the hints.

#include "session/PlayerState.h"

#include <QWidget>

#include <functional>

class QLabel;
class QSlider;
class QToolButton;

struct TToolBarActions {
    std::function<void()> btnPlayMouseUp;
    std::function<void()> btnPlayPrevMouseUp;
    std::function<void()> btnPlayNextMouseUp;
    std::function<void()> btnPlaySpeedDownMouseUp;
    std::function<void()> btnPlaySpeedUpMouseUp;
    std::function<void()> btnEnLargeMouseUp;
    std::function<void()> btnReduceMouseUp;
    std::function<void()> btnCloseMouseDown;
    std::function<void(int p_nValue)> trbVolumeMouseUp;
};

class TToolBarRow : public QWidget {
public:
    explicit TToolBarRow(QWidget* parent);

    void SetActions(TToolBarActions p_actions);

    // Play or pause picture on btnPlay; while paused its hint says so.
    void ShowPlayButtonState(bool p_bPlaying);
    void SetSpeedButtonsEnabled(bool p_bEnabled);
    void SetSpeedText(const QString& p_sText);
    void SetVolumeHint(const QString& p_sText);
    // The hints that name the current speed and zoom (SetToolTipText).
    void SetToolTipText(const TPlayerState& p_state);

    QToolButton* btnPlay;
    QToolButton* btnPlayPrev;
    QToolButton* btnPlayNext;
    QToolButton* btnPlaySpeedDown;
    QLabel* lbSpeed;
    QToolButton* btnPlaySpeedUp;
    QToolButton* btnReduce;
    QToolButton* btnEnLarge;
    QSlider* trbVolume;
    QToolButton* btnClose;

private:
    TToolBarActions m_actions;
};
