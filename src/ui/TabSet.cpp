#include "ui/TabSet.h"

#include <QEvent>
#include <QMouseEvent>

TTabSet::TTabSet(QWidget* parent, const QString& p_sName) : QTabBar(parent)
{
    setObjectName(p_sName);
}

void TTabSet::AddTabs(const QStringList& p_listCaptions)
{
    // The bar lays out all its tabs within each tab added, shown or not, but passes over hidden
    // tabs at almost no cost: each new tab is hidden once added (but the one that became current)
    // and all are shown again at the end, which only marks the layout as due.
    const int first = count();
    for (const QString& caption : p_listCaptions) {
        const int index = addTab(caption);
        if (index != currentIndex()) {
            setTabVisible(index, false);
        }
    }
    for (int index = first; index < count(); ++index) {
        setTabVisible(index, true);
    }
}

QSize TTabSet::tabSizeHint(int index) const
{
    if (index < 0 || index >= m_listTabSize.size()) {
        return QTabBar::tabSizeHint(index);
    }
    // The bar may lay out before it reports a tab added or removed: a size kept for another
    // caption is measured again.
    TTabSize& kept = m_listTabSize[index];
    const QString caption = tabText(index);
    if (!kept.size.isValid() || kept.caption != caption) {
        kept = {caption, QTabBar::tabSizeHint(index)};
    }
    return kept.size;
}

QSize TTabSet::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

void TTabSet::tabInserted(int index)
{
    m_listTabSize.insert(index, TTabSize{});
    QTabBar::tabInserted(index);
}

void TTabSet::tabRemoved(int index)
{
    m_listTabSize.remove(index);
    QTabBar::tabRemoved(index);
}

void TTabSet::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) {
        m_listTabSize.fill(TTabSize{});
    }
    QTabBar::changeEvent(event);
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

void TTabSet::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown) {
        OnMouseDown(*event);
    }
    QTabBar::mousePressEvent(event);
}
