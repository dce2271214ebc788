#pragma once
// How a tool button's picture follows the mouse, without any widget. Every button has four state
// pictures (Up, Down, Over, Disable). A press shows Down; the Over picture comes on entering, on
// every move or on the first move only (latched until the mouse leaves), as the button's hover
// rule says; leaving shows Up (Disable for a button that is disabled while paused, when paused)
// and clears the latch; a release with any mouse button acts, before or after showing Up or Over
// as the button's release rule says. A button that acts on a release inside it only ignores a
// release outside (a press slid off the button is no click). TPictureButton applies these steps
// to its widget.

#include <cstdint>
#include <optional>

enum class TButtonState : uint8_t { Up, Down, Over, Disable };

enum class THoverRule : uint8_t {
    OnEnter,       // Over when the mouse enters
    OnEveryMove,   // Over on every move over the button
    OnFirstMove,   // Over on the first move, latched until the mouse leaves
};

enum class TReleaseRule : uint8_t {
    UpThenAct,     // show Up, then act
    ActThenUp,     // act, then show Up
    OverThenAct,   // show Over, then act
    ActOnly,       // act; the action shows what it needs
};

struct TButtonBehaviour {
    THoverRule hover = THoverRule::OnEnter;
    TReleaseRule release = TReleaseRule::UpThenAct;
    bool disabledWhilePaused = false;   // leaving while paused shows Disable
    bool actsOnReleaseOutside = true;   // a release off the button acts too
};

// ReleaseOutside: the button pressed was released with the mouse off it.
enum class TMouseStep : uint8_t { Press, Enter, Move, Leave, Release, ReleaseOutside };

// What one mouse step does: a picture to show before acting, whether to act, a picture after.
struct TButtonReaction {
    std::optional<TButtonState> before;
    bool act = false;
    std::optional<TButtonState> after;
};

// The reaction of a button to a mouse step. p_bPlaying: the voice plays. p_bLatch: the button's
// hover latch, read and changed here (buttons without the first-move rule leave it alone).
TButtonReaction ButtonReaction(const TButtonBehaviour& p_behaviour, TMouseStep p_step, bool p_bPlaying,
                               bool& p_bLatch);
