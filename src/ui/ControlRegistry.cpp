#include "ui/ControlRegistry.h"

namespace {

// Control names are ASCII; folding them this way matches any letter case.
QString KeyOf(const QString& p_sName)
{
    return p_sName.toLower();
}

} // namespace

bool TControlRegistry::Register(QObject* p_control, TControlKind p_enumKind)
{
    const QString name = p_control ? p_control->objectName() : QString();
    if (name.isEmpty() || Entry(name)) {
        return false;
    }
    m_entries.insert(KeyOf(name), TEntry{p_control, p_enumKind});
    return true;
}

const TControlRegistry::TEntry* TControlRegistry::Entry(const QString& p_sName) const
{
    const auto found = m_entries.constFind(KeyOf(p_sName));
    return found != m_entries.constEnd() && found->control ? &*found : nullptr;
}

QObject* TControlRegistry::Find(const QString& p_sName) const
{
    const TEntry* entry = Entry(p_sName);
    return entry ? entry->control.data() : nullptr;
}

QObject* TControlRegistry::Find(const QString& p_sName, TControlKind p_enumKind) const
{
    const TEntry* entry = Entry(p_sName);
    return entry && entry->kind == p_enumKind ? entry->control.data() : nullptr;
}

std::optional<TControlKind> TControlRegistry::KindOf(const QString& p_sName) const
{
    const TEntry* entry = Entry(p_sName);
    return entry ? std::optional<TControlKind>(entry->kind) : std::nullopt;
}

QStringList TControlRegistry::Names(TControlKind p_enumKind) const
{
    QStringList names;
    for (const TEntry& entry : m_entries) {
        if (entry.control && entry.kind == p_enumKind) {
            names.append(entry.control->objectName());
        }
    }
    names.sort();
    return names;
}
