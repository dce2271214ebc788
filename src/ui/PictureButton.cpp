#include "ui/PictureButton.h"

#include "session/PlayerState.h"

#include <QEvent>
#include <QMouseEvent>

TPictureButton::TPictureButton(QWidget* parent, const QString& p_sName, const TPlayerState& p_state)
    : TPictureButton(parent, p_sName)
{
    m_state = &p_state;
}

TPictureButton::TPictureButton(QWidget* parent, const QString& p_sName) : TPicture(parent, p_sName)
{
    setMouseTracking(true);   // moves without a pressed button are hovers
}

void TPictureButton::SetBehaviour(const TButtonBehaviour& p_behaviour, bool* p_bLatch)
{
    m_behaviour = p_behaviour;
    m_pLatch = p_bLatch ? p_bLatch : &m_bOwnLatch;
}

void TPictureButton::SetStatePictures(TStatePictures p_pictures)
{
    m_pictures = std::move(p_pictures);
}

void TPictureButton::ShowState(TButtonState p_state)
{
    const TPicture* picture = m_pictures ? m_pictures(p_state) : nullptr;
    if (picture) {
        SetPicture(picture->GetPicture());
        m_shownState = p_state;
    }
}

// After the event has reached every control of the window, the state pictures among them.
bool TPictureButton::event(QEvent* event)
{
    if (event->type() == QEvent::ScreenChangeInternal && m_shownState) {
        QMetaObject::invokeMethod(
            this, [this] { ShowState(*m_shownState); }, Qt::QueuedConnection);
    }
    return TPicture::event(event);
}

bool TPictureButton::IsInert() const
{
    return m_state && m_state->m_bActivateView;
}

void TPictureButton::Step(TMouseStep p_step)
{
    if (!m_behaviour || IsInert()) {
        return;
    }
    const bool playing = !m_state || m_state->m_bPlaying;
    const TButtonReaction reaction = ButtonReaction(*m_behaviour, p_step, playing, *m_pLatch);
    if (reaction.before) {
        ShowState(*reaction.before);
    }
    if (reaction.act && OnMouseUp) {
        OnMouseUp();
    }
    if (reaction.after) {
        ShowState(*reaction.after);
    }
}

void TPictureButton::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown) {
        if (!IsInert()) {
            OnMouseDown(event->button(), event->modifiers());
        }
        return;
    }
    Step(TMouseStep::Press);
}

// The second press of a double click is a press like any other.
void TPictureButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TPictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    Step(rect().contains(event->position().toPoint()) ? TMouseStep::Release : TMouseStep::ReleaseOutside);
}

void TPictureButton::mouseMoveEvent(QMouseEvent*)
{
    Step(TMouseStep::Move);
}

void TPictureButton::enterEvent(QEnterEvent*)
{
    Step(TMouseStep::Enter);
}

void TPictureButton::leaveEvent(QEvent*)
{
    Step(TMouseStep::Leave);
}
