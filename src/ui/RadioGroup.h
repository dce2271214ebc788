#pragma once
// A skinned radio group: its items one under the other in its box, at most one chosen. Nothing is
// chosen at start (ItemIndex -1). A click on an item chooses it and then calls OnClick.

#include <QStringList>
#include <QWidget>

#include <functional>

class QButtonGroup;

class TRadioGroup : public QWidget {
public:
    TRadioGroup(QWidget* parent, const QString& p_sName, const QStringList& p_listItems);

    int ItemIndex() const;

    std::function<void()> OnClick;

private:
    QButtonGroup* m_group;
};
