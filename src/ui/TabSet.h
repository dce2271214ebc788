#pragma once
// The page tab set (tabLecturePage): a tab bar whose selected and other tabs can take colours of
// their own, as a layout file gives them. Until then the bar's look colours them; a locked (disabled)
// tab set keeps the look's dimmed tabs whatever colours it was given.

#include <QColor>
#include <QTabBar>

#include <optional>

class TTabSet : public QTabBar {
public:
    TTabSet(QWidget* parent, const QString& p_sName);

    void SetSelectedColor(const QColor& p_color);
    void SetUnselectedColor(const QColor& p_color);
    std::optional<QColor> GetSelectedColor() const { return m_selectedColor; }
    std::optional<QColor> GetUnselectedColor() const { return m_unselectedColor; }

private:
    void ApplyColors();

    std::optional<QColor> m_selectedColor;
    std::optional<QColor> m_unselectedColor;
};
