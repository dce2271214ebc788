#pragma once
// The pictures of the plain tool buttons, painted from code in the status bar's text colour.

#include <QIcon>

enum class TToolIcon {
    Play,
    Pause,
    Back10,
    Forward10,
    SpeedDown,
    SpeedUp,
    ZoomIn,
    ZoomOut,
    Close,
    StepLeft,
    StepRight,
    Volume,
};

QIcon MakeToolIcon(TToolIcon p_icon);
