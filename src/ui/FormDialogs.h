#pragma once
// The dialogs and the blocking wait of the main window, as replaceable functions: the window
// uses standard message boxes and sleeps; tests answer and return at once.

#include "playback/PlaybackView.h"

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

struct TFormDialogs {
    // A message with one OK button.
    std::function<void(QWidget* p_owner, TMessageKind p_enumKind, const QString& p_sText)> ShowMessage;
    // An information question with OK and Cancel; true for OK.
    std::function<bool(QWidget* p_owner, const QString& p_sText)> AskOkCancel;
    // Blocks the window's thread (the waits between loading and playing a voice).
    std::function<void(int32_t p_nMilliseconds)> Wait;

    // Standard message boxes with Korean buttons, and a real sleep.
    static TFormDialogs Standard();
};
