#include "ui/EventHook.h"

#include <algorithm>

TEventHook::TEventHook(QObject* p_parent, std::initializer_list<QEvent::Type> p_types, THandler p_handler)
    : QObject(p_parent), m_types(p_types), m_handler(std::move(p_handler))
{
}

void TEventHook::Watch(QObject* p_object)
{
    if (!IsWatching(p_object)) {
        m_watched.emplace_back(p_object);
        p_object->installEventFilter(this);
    }
}

bool TEventHook::IsWatching(const QObject* p_object) const
{
    return std::any_of(m_watched.begin(), m_watched.end(),
                       [p_object](const QPointer<QObject>& watched) { return watched == p_object; });
}

bool TEventHook::eventFilter(QObject* watched, QEvent* event)
{
    if (std::find(m_types.begin(), m_types.end(), event->type()) != m_types.end() && IsWatching(watched)) {
        return m_handler(watched, event);
    }
    return QObject::eventFilter(watched, event);
}
