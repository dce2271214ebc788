#pragma once
// What the session commands (info, render, notes, check) share: the session of a launch text
// read the way the player reads it, the audio library on its silent output for the command's
// length, and the playback engine of the commands that draw boards.

#include "playback/HeadlessPlaybackView.h"
#include "playback/PlaybackEngine.h"
#include "session/PlayerState.h"

#include <QString>

#include <memory>
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

// A board-only playback engine on a view without a window, for the commands that draw boards:
// the session of a launch text read as the player reads it (the voices measured on the silent
// output), at a zoom and a scale (the device pixel ratio its board is drawn at), its first page
// started.
class TToolBoard {
public:
    // Prints an error naming the command and gives nothing when the launch text cannot be read,
    // the audio library cannot be initialised or the session has no page to play.
    static std::unique_ptr<TToolBoard> Open(const QString& launchText, const QString& command, float zoom = 1.0f,
                                            qreal scale = 1.0);
    TPlayerState& State() { return m_state; }
    TPlaybackEngine& Engine() { return *m_engine; }

private:
    TToolBoard() = default;

    TPlayerState m_state;
    TToolAudio m_audio;
    THeadlessPlaybackView m_view;
    std::unique_ptr<TPlaybackEngine> m_engine;   // ends before the view and the audio library
};
