#pragma once
// The tool tips that follow the player's state (SetToolTipText), without any widget: what the next
// click on a speed or zoom button does, or why it cannot, the play button's state, the volume, and
// the forward jump that supervised study locks.

#include "session/PlayerState.h"

#include <QString>

struct TToolTipTexts {
    QString trbVolume;
    QString btnPlay;
    QString btnPlaySpeedUp;
    QString btnPlaySpeedDown;
    QString btnEnLarge;
    QString btnReduce;
    QString btnPlayNext;
};

// p_nVolume: the volume bar's value; p_bSupervised: study mode "A".
TToolTipTexts ToolTipTexts(const TPlayerState& p_state, int32_t p_nVolume, bool p_bSupervised);
