#pragma once
// The small arrows of the play scroll bar, painted from code in the status bar's text colour.

#include <QIcon>

enum class TToolIcon {
    StepLeft,
    StepRight,
};

QIcon MakeToolIcon(TToolIcon p_icon);
