#pragma once
// What the controls of the bars do, and the player's keys: the page tabs, the seek bar, the volume
// bar and the tool buttons go to the engine's operations, the board area (zoom, desk skins), the
// overlays (the panels, printing) and supervision (the close button's second gesture). The wheel
// turning over the tabs and the sliders scrolls the board, as everywhere over the window.

#include "ui/KeyControl.h"

#include <functional>

class QMouseEvent;
class TBoardArea;
class TOverlays;
class TPlaybackEngine;
class TStatusView;
class TSupervision;
class TTitleView;
struct TPlayerState;

struct TToolActionTargets {
    TPlayerState& state;
    TPlaybackEngine& engine;
    TBoardArea& board;
    TOverlays& overlays;
    TSupervision& supervision;
    std::function<void()> PostCloseRequest;
};

class TToolActions {
public:
    // Wires the bars' controls.
    TToolActions(TTitleView& p_title, TStatusView& p_status, TToolActionTargets p_targets);

    // One key of the key hook, by its virtual-key code.
    void KeyControl(TVirtualKey p_key);

private:
    void WireStatusBar();
    void WireToolButtons();
    // A left press on the tab of the page playing starts that page again from its beginning; a
    // press on another tab changes the index, and the change starts its page.
    void tabLecturePageMouseDown(const QMouseEvent& p_event);
    void btnCloseMouseDown(Qt::MouseButton p_button, Qt::KeyboardModifiers p_modifiers);
    // The bar takes the value, then its release applies it: the voice, the tool tip, the status text.
    void SetVolumeByKey(int p_nValue);

    TStatusView& m_status;
    TToolActionTargets m_targets;
};
