#pragma once
// The player's key hook: an application-wide event filter that sees every key press before the
// focused control does, and hands the keys of the player (Space, the arrows, keypad + and -,
// comma and period) to the window by their virtual-key codes. It never takes a key away: the
// focused control still gets it, so a key typed into an edit box both types and acts.
//
// A key press goes to the focused control first and, when that control does not take it, on to
// its parents; the hook acts on the first of these deliveries only, so each key acts once. Keys
// meant for a window of its own (a message box, a dialog of another component) never act.

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>

class QKeyEvent;
class QWidget;

// Virtual-key codes of the player's keys.
enum class TVirtualKey : int32_t {
    None = 0,
    Space = 32,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Add = 107,        // keypad +
    Subtract = 109,   // keypad -
    Comma = 188,      // the "," key, shifted or not
    Period = 190,     // the "." key, shifted or not
    G = 71,           // with Ctrl only: the grade panel
};

// The virtual-key code of a key press; None for keys the player has no use for. Shifted, the ","
// and "." keys give "<" and ">" and are still those keys; keypad "." and "," are other keys. "G"
// counts only with Ctrl held.
TVirtualKey VirtualKeyOf(const QKeyEvent& p_event);

class TKeyControl : public QObject {
public:
    using TKeyHandler = std::function<void(TVirtualKey p_key)>;

    // Hooks the application's events for the window p_window.
    TKeyControl(QWidget* p_window, TKeyHandler p_handler);
    ~TKeyControl() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsFirstDelivery(QWidget* p_receiver, const QKeyEvent* p_event);

    QPointer<QWidget> m_window;
    TKeyHandler m_handler;
    const QKeyEvent* m_pLastPress = nullptr;   // the press being delivered, and its first receiver
    QPointer<QWidget> m_lastReceiver;
};
