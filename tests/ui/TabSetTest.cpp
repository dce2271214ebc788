// The page tab set measures each tab once and takes a session's captions in one batch: its tabs
// stand exactly where a plain tab bar of the same look puts them, also after the font or the
// colours change.

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

// The batch hides its new tabs while it adds: they come back shown, the first tab selected, the
// new tabs after those there were, and no change of the selection reported but the first.
TEST(TTabSetTest, CaptionsAddedAtOnceStandWhereAPlainBarPutsThemOneByOne)
{
    QWidget window;
    window.resize(900, 80);
    TTabSet tabs(&window, QStringLiteral("tabLecturePage"));
    tabs.setUsesScrollButtons(true);
    QTabBar plain(&window);
    plain.setUsesScrollButtons(true);
    plain.move(0, 40);
    window.show();
    QStringList first;
    QStringList more;
    for (int i = 1; i <= 300; ++i) {
        (i <= 5 ? first : more) << QStringLiteral("%1 p").arg(i);
    }
    int changes = 0;
    QObject::connect(&tabs, &QTabBar::currentChanged, [&] { ++changes; });

    for (const QStringList& batch : {first, more}) {
        tabs.AddTabs(batch);
        for (const QString& caption : batch) {
            plain.addTab(caption);
        }
    }
    int shownTabs = 0;
    for (int i = 0; i < tabs.count(); ++i) {
        shownTabs += tabs.isTabVisible(i) ? 1 : 0;
    }
    EXPECT_EQ(shownTabs, 300);
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(changes, 1) << "only the first tab added selects";
    EXPECT_EQ(tabs.tabText(299), QStringLiteral("300 p"));
    ExpectSameTabs(tabs, plain, "added in two batches");

    tabs.setCurrentIndex(250);
    plain.setCurrentIndex(250);
    ExpectSameTabs(tabs, plain, "a far tab selected");
}

} // namespace
