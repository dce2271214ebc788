#pragma once
// Whether a top-level window stays on top of the others, and changing it. The window's own flag
// is the one place the state is kept: whoever lifts it for a while (the message window) reads it
// first and puts it back afterwards.

class QWidget;

bool IsStayOnTop(const QWidget& p_window);
// A shown window is shown again: changing a window's flags hides it. No change, nothing done.
void SetStayOnTop(QWidget& p_window, bool p_bOnTop);
