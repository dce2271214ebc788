#include "ui/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(QWidget* parent, const QString& p_sName, const QStringList& p_listItems)
    : QWidget(parent), m_group(new QButtonGroup(this))
{
    setObjectName(p_sName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    for (int i = 0; i < p_listItems.size(); ++i) {
        auto* item = new QRadioButton(p_listItems[i], this);
        item->setFocusPolicy(Qt::NoFocus);
        // The items share the group's height evenly, as the skinned group spreads them.
        item->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        m_group->addButton(item, i);
        layout->addWidget(item);
    }
    connect(m_group, &QButtonGroup::idClicked, this, [this] {
        if (OnClick) {
            OnClick();
        }
    });
}

int TRadioGroup::ItemIndex() const
{
    return m_group->checkedId();
}
