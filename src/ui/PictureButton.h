#pragma once
// A picture button: a picture that shows one of its state pictures as the mouse presses, hovers
// and leaves (the rules of ButtonRules), and acts on the release of any mouse button. A tool
// button of the player's bars reacts to nothing, neither picture nor action, while a panel or
// message window is open over the board (m_bActivateView); a button of a window of its own (the
// message window's) always reacts. A button given a press handler (the close button) has that
// handler only and keeps its picture.

#include "ui/ButtonRules.h"
#include "ui/Picture.h"

#include <functional>
#include <optional>

struct TPlayerState;

class TPictureButton : public TPicture {
public:
    // The state picture control of a state; none when there is none.
    using TStatePictures = std::function<const TPicture*(TButtonState)>;

    // A tool button of the player's bars, which follows the player's state.
    TPictureButton(QWidget* parent, const QString& p_sName, const TPlayerState& p_state);
    // A button of a window of its own.
    TPictureButton(QWidget* parent, const QString& p_sName);

    // How the picture follows the mouse. p_bLatch: the hover latch kept in the player's state for
    // buttons that show Over on the first move only; null for the others.
    void SetBehaviour(const TButtonBehaviour& p_behaviour, bool* p_bLatch = nullptr);
    void SetStatePictures(TStatePictures p_pictures);
    // Copies the state picture of p_state onto the button.
    void ShowState(TButtonState p_state);

    // The release action (any mouse button).
    std::function<void()> OnMouseUp;
    // A press handler of its own: the button then has no other mouse handling.
    std::function<void(Qt::MouseButton p_button, Qt::KeyboardModifiers p_modifiers)> OnMouseDown;

protected:
    // On another screen the state pictures are read again; the one shown follows them.
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool IsInert() const;
    void Step(TMouseStep p_step);

    const TPlayerState* m_state = nullptr;
    std::optional<TButtonBehaviour> m_behaviour;
    bool m_bOwnLatch = false;
    bool* m_pLatch = &m_bOwnLatch;
    TStatePictures m_pictures;
    std::optional<TButtonState> m_shownState;
};
