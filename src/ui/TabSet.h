#pragma once
// The page tab set (tabLecturePage): a tab bar whose selected and other tabs can take colours of
// their own, as a layout file gives them. Until then the bar's look colours them; a locked (disabled)
// tab set keeps the look's dimmed tabs whatever colours it was given.

#include <QColor>
#include <QTabBar>

#include <QList>
#include <QSize>
#include <QStringList>

#include <functional>
#include <optional>

class QMouseEvent;

class TTabSet : public QTabBar {
public:
    TTabSet(QWidget* parent, const QString& p_sName);

    // Adds a tab per caption, at the end, and lays the bar out once: the bar lays out all its tabs
    // within each tab added, so a session of 5,000 pages would lay out 5,000 tabs 5,000 times.
    void AddTabs(const QStringList& p_listCaptions);

    void SetSelectedColor(const QColor& p_color);
    void SetUnselectedColor(const QColor& p_color);
    std::optional<QColor> GetSelectedColor() const { return m_selectedColor; }
    std::optional<QColor> GetUnselectedColor() const { return m_unselectedColor; }

    // A mouse press on the bar, before the bar acts on it; a locked (disabled) bar takes none.
    std::function<void(const QMouseEvent& p_event)> OnMouseDown;

protected:
    // The bar lays out every tab again after each tab added, asking each one's size; measuring a
    // caption through the style is slow (5,000 pages took 46 s). A tab's size is measured once and
    // kept while its caption and the look stay. Page captions never shrink.
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void tabInserted(int index) override;
    void tabRemoved(int index) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ApplyColors();

    struct TTabSize {
        QString caption;   // the caption measured
        QSize size;
    };
    mutable QList<TTabSize> m_listTabSize;   // per tab; the size is kept for the caption measured

    std::optional<QColor> m_selectedColor;
    std::optional<QColor> m_unselectedColor;
};
