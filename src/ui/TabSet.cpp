#include "ui/TabSet.h"

TTabSet::TTabSet(QWidget* parent, const QString& p_sName) : QTabBar(parent)
{
    setObjectName(p_sName);
}

void TTabSet::SetSelectedColor(const QColor& p_color)
{
    m_selectedColor = p_color;
    ApplyColors();
}

void TTabSet::SetUnselectedColor(const QColor& p_color)
{
    m_unselectedColor = p_color;
    ApplyColors();
}

// The tab set's own rules win over the bar's: they name only the enabled tabs, so the bar's
// dimmed look of locked tabs stays, and the other tabs still light up under the mouse.
void TTabSet::ApplyColors()
{
    QString rules;
    if (m_unselectedColor) {
        rules += QStringLiteral("QTabBar::tab:!selected:enabled { background: %1; }"
                                "QTabBar::tab:!selected:enabled:hover { background: %2; }")
                     .arg(m_unselectedColor->name(), m_unselectedColor->lighter(125).name());
    }
    if (m_selectedColor) {
        rules += QStringLiteral("QTabBar::tab:selected:enabled { background: %1; }").arg(m_selectedColor->name());
    }
    setStyleSheet(rules);
}
