#include "ui/KeyControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

TVirtualKey VirtualKeyOf(const QKeyEvent& p_event)
{
    const bool keypad = p_event.modifiers().testFlag(Qt::KeypadModifier);
    switch (p_event.key()) {
    case Qt::Key_Space:
        return TVirtualKey::Space;
    case Qt::Key_Left:
        return TVirtualKey::Left;
    case Qt::Key_Up:
        return TVirtualKey::Up;
    case Qt::Key_Right:
        return TVirtualKey::Right;
    case Qt::Key_Down:
        return TVirtualKey::Down;
    case Qt::Key_Plus:
        return keypad ? TVirtualKey::Add : TVirtualKey::None;
    case Qt::Key_Minus:
        return keypad ? TVirtualKey::Subtract : TVirtualKey::None;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return keypad ? TVirtualKey::None : TVirtualKey::Comma;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return keypad ? TVirtualKey::None : TVirtualKey::Period;
    case Qt::Key_G:
        return p_event.modifiers().testFlag(Qt::ControlModifier) ? TVirtualKey::G : TVirtualKey::None;
    default:
        return TVirtualKey::None;
    }
}

TKeyControl::TKeyControl(QWidget* p_window, TKeyHandler p_handler)
    : QObject(nullptr), m_window(p_window), m_handler(std::move(p_handler))
{
    qApp->installEventFilter(this);
}

TKeyControl::~TKeyControl()
{
    qApp->removeEventFilter(this);
}

bool TKeyControl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        m_pLastPress = nullptr;   // the press before it has been delivered everywhere it goes
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || !m_window) {
        return false;
    }
    auto* receiver = static_cast<QWidget*>(watched);
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (receiver->window() != m_window || !IsFirstDelivery(receiver, key)) {
        return false;
    }
    if (const TVirtualKey code = VirtualKeyOf(*key); code != TVirtualKey::None) {
        m_handler(code);
    }
    return false;
}

// A press handed on from a control to its parent is the same event object, delivered to an
// ancestor of the control that got it first.
bool TKeyControl::IsFirstDelivery(QWidget* p_receiver, const QKeyEvent* p_event)
{
    if (p_event == m_pLastPress && m_lastReceiver && p_receiver != m_lastReceiver &&
        p_receiver->isAncestorOf(m_lastReceiver)) {
        return false;
    }
    m_pLastPress = p_event;
    m_lastReceiver = p_receiver;
    return true;
}
