#pragma once
// What the session commands (info, render, check) share: the session of a launch text read the
// way the player reads it, and the audio library on its silent output for the command's length.

#include "session/PlayerState.h"

#include <QString>

#include <optional>

// The program folder, the session globals and the base path of a launch text. Prints the launch
// text's error and gives nothing when it cannot be read.
std::optional<TPlayerState> ReadToolSession(const QString& launchText);

// The audio library on the silent output, released at the end of the scope. Prints an error
// when it cannot be initialised.
class TToolAudio {
public:
    TToolAudio();
    ~TToolAudio();
    TToolAudio(const TToolAudio&) = delete;
    TToolAudio& operator=(const TToolAudio&) = delete;
    bool IsReady() const { return m_bReady; }

private:
    bool m_bReady;
};
