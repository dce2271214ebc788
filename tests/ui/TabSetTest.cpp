// The page tab set measures each tab once: its tabs stand exactly where a plain tab bar of the
// same look puts them, also after the font or the colours change.

#include "ui/TabSet.h"

#include <QApplication>
#include <QTabBar>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Every tab's rectangle in both bars, after both were laid out.
void ExpectSameTabs(const QTabBar& p_tabs, const QTabBar& p_plain, const char* p_sStep)
{
    SCOPED_TRACE(p_sStep);
    QApplication::processEvents();
    ASSERT_EQ(p_tabs.count(), p_plain.count());
    for (int i = 0; i < p_tabs.count(); ++i) {
        EXPECT_EQ(p_tabs.tabRect(i), p_plain.tabRect(i)) << "tab " << i;
    }
}

TEST(TTabSetTest, TabsStandWhereAPlainBarPutsThemThroughChangesOfLook)
{
    QWidget window;
    window.resize(1280, 80);
    TTabSet tabs(&window, QStringLiteral("tabLecturePage"));
    QTabBar plain(&window);
    plain.move(0, 40);
    window.show();
    const auto both = [&](const auto& change) {
        change(static_cast<QTabBar&>(tabs));
        change(plain);
    };
    for (int i = 1; i <= 60; ++i) {
        both([&](QTabBar& bar) { bar.addTab(QStringLiteral("%1 p").arg(i)); });
    }
    ExpectSameTabs(tabs, plain, "added");

    tabs.SetSelectedColor(QColor(0x2F, 0x6F, 0xD0));
    plain.setStyleSheet(tabs.styleSheet() + QStringLiteral("QTabBar::tab { padding: 2px 14px; }"));
    tabs.setStyleSheet(plain.styleSheet());
    ExpectSameTabs(tabs, plain, "coloured");

    QFont large = tabs.font();
    large.setPixelSize(22);
    both([&](QTabBar& bar) { bar.setFont(large); });
    ExpectSameTabs(tabs, plain, "larger font");

    both([&](QTabBar& bar) {
        bar.removeTab(3);
        bar.insertTab(0, QStringLiteral("처음 페이지"));
        bar.setCurrentIndex(40);
    });
    ExpectSameTabs(tabs, plain, "removed, inserted, another selected");
}

} // namespace
