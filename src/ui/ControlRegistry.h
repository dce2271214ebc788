#pragma once
// The window's controls by name and kind. Names are matched without regard to letter case
// ("PASTATUSVIEW" finds paStatusView), and a lookup by kind finds a control only when it is of
// that kind, so a layout description that names a panel where it means a picture finds nothing.
// The registry holds no control: a control that is destroyed is no longer found.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The kinds of the window's controls. Panel, Picture, Label, SkinData, TabSet and TrackBar are the
// kinds a layout description addresses (its panel, picture, button, button picture, label, skin
// data, tab set and track bar elements: the buttons and their state pictures are pictures too).
enum class TControlKind : uint8_t {
    Panel,
    Picture,
    Label,
    SkinData,
    TabSet,
    TrackBar,
    ScrollBar,
    ScrollBox,
    PaintBox,
};

class TControlRegistry {
public:
    // Registers the control under its object name. false (and nothing registered) when the name
    // is empty or already taken in any letter case.
    bool Register(QObject* p_control, TControlKind p_enumKind);

    // The control of that name in any letter case; none when there is no such control.
    QObject* Find(const QString& p_sName) const;
    // The same, and only when it is of the kind.
    QObject* Find(const QString& p_sName, TControlKind p_enumKind) const;
    std::optional<TControlKind> KindOf(const QString& p_sName) const;

    // The control of that name and kind as the class T; none when it is not one.
    template <class T>
    T* FindAs(const QString& p_sName, TControlKind p_enumKind) const
    {
        return dynamic_cast<T*>(Find(p_sName, p_enumKind));
    }

    // The names of the living controls of a kind, as they were registered, sorted.
    QStringList Names(TControlKind p_enumKind) const;

private:
    struct TEntry {
        QPointer<QObject> control;
        TControlKind kind;
    };
    const TEntry* Entry(const QString& p_sName) const;

    QHash<QString, TEntry> m_entries;   // by name in lower case
};
