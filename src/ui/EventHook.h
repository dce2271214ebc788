#pragma once
// An event filter that does one job: it acts on events of the kinds it was made for, and only on
// the objects it was installed on; every other event passes untouched. The window's jobs (the
// wheel that scrolls the board, the bars' reveal, placing the panels above their buttons) each
// have one, so a widget watched for one job is never acted on by another.

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <functional>
#include <initializer_list>
#include <vector>

class TEventHook : public QObject {
public:
    // p_handler gets the watched object and the event; true takes the event away from it.
    using THandler = std::function<bool(QObject* p_watched, QEvent* p_event)>;

    TEventHook(QObject* p_parent, std::initializer_list<QEvent::Type> p_types, THandler p_handler);

    // Installs the hook on the object.
    void Watch(QObject* p_object);
    bool IsWatching(const QObject* p_object) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QEvent::Type> m_types;
    std::vector<QPointer<QObject>> m_watched;
    THandler m_handler;
};
