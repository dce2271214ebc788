// How the window's controls are placed and found, on their own: the alignment rules, the
// alignment engine on live widgets (a bar that hides gives its room away, a resize aligns again,
// an aligned control keeps what its alignment dictates), and the registry by name in any letter
// case and by kind.

#include "ui/AlignEngine.h"
#include "ui/AlignRules.h"
#include "ui/ControlRegistry.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// ---- The rules

struct TAlignCase {
    const char* name;
    QRect client;
    std::vector<TAlignBox> boxes;
    std::vector<QRect> expected;
};

void PrintTo(const TAlignCase& c, std::ostream* out)
{
    *out << c.name;
}

class TAlignRules : public ::testing::TestWithParam<TAlignCase> {};

TEST_P(TAlignRules, PlaceEachAlignmentFromWhatTheEarlierOnesLeft)
{
    const TAlignCase& c = GetParam();
    EXPECT_EQ(AlignBoxes(c.client, c.boxes), c.expected);
}

const QRect kAny(3, 4, 50, 60);   // a box whose place the alignment overrides

INSTANTIATE_TEST_SUITE_P(
    Cases, TAlignRules,
    ::testing::Values(
        TAlignCase{"TabsToolsAndPlayBar", QRect(0, 0, 1280, 105),
                   {{TAlign::Top, QRect(0, 0, 10, 27)}, {TAlign::Client, kAny}, {TAlign::Bottom, QRect(0, 0, 10, 25)}},
                   {QRect(0, 0, 1280, 27), QRect(0, 27, 1280, 53), QRect(0, 80, 1280, 25)}},
        TAlignCase{"LeftClientRight", QRect(0, 0, 1280, 53),
                   {{TAlign::Left, QRect(0, 0, 736, 5)}, {TAlign::Client, kAny}, {TAlign::Right, QRect(0, 0, 170, 5)}},
                   {QRect(0, 0, 736, 53), QRect(736, 0, 374, 53), QRect(1110, 0, 170, 53)}},
        TAlignCase{"AHiddenBarGivesItsRoomAndKeepsItsBox", QRect(0, 0, 1280, 800),
                   {{TAlign::Client, kAny}, {TAlign::Bottom, QRect(0, 695, 1280, 105), false}},
                   {QRect(0, 0, 1280, 800), QRect(0, 695, 1280, 105)}},
        TAlignCase{"UnalignedAndCustomKeepTheirBoxes", QRect(0, 0, 200, 100),
                   {{TAlign::None, QRect(5, 6, 7, 8)}, {TAlign::Custom, QRect(9, 9, 9, 9)}, {TAlign::Client, kAny}},
                   {QRect(5, 6, 7, 8), QRect(9, 9, 9, 9), QRect(0, 0, 200, 100)}},
        TAlignCase{"TopsInTheOrderOfTheirTops", QRect(0, 0, 100, 100),
                   {{TAlign::Top, QRect(0, 50, 1, 10)}, {TAlign::Top, QRect(0, 0, 1, 20)}},
                   {QRect(0, 20, 100, 10), QRect(0, 0, 100, 20)}},
        TAlignCase{"BottomsOnATieTheLaterChildNearerTheEdge", QRect(0, 0, 100, 100),
                   {{TAlign::Bottom, QRect(0, 70, 1, 30)}, {TAlign::Bottom, QRect(0, 90, 1, 10)}},
                   {QRect(0, 60, 100, 30), QRect(0, 90, 100, 10)}},
        TAlignCase{"TopsAndBottomsBeforeLeftsAndRights", QRect(0, 0, 100, 100),
                   {{TAlign::Left, QRect(0, 0, 30, 1)}, {TAlign::Top, QRect(0, 0, 1, 10)}},
                   {QRect(0, 10, 30, 90), QRect(0, 0, 100, 10)}},
        TAlignCase{"ARestNarrowerThanNothingLeavesTheClientEmpty", QRect(0, 0, 100, 40),
                   {{TAlign::Left, QRect(0, 0, 80, 1)}, {TAlign::Right, QRect(0, 0, 50, 1)}, {TAlign::Client, kAny}},
                   {QRect(0, 0, 80, 40), QRect(50, 0, 50, 40), QRect(80, 0, 0, 40)}},
        TAlignCase{"AClientAreaAwayFromTheOrigin", QRect(10, 20, 100, 50),
                   {{TAlign::Right, QRect(0, 0, 30, 1)}, {TAlign::Client, kAny}},
                   {QRect(80, 20, 30, 50), QRect(10, 20, 70, 50)}}),
    [](const ::testing::TestParamInfo<TAlignCase>& info) { return std::string(info.param.name); });

// ---- The engine on live widgets

TEST(AlignEngine, AlignsAgainWhenABarHidesOrShowsOrTheParentOrABarChangesSize)
{
    TAlignEngine align;
    QWidget window;
    window.resize(400, 300);
    auto* top = new QWidget(&window);
    top->resize(1, 40);
    auto* client = new QWidget(&window);
    auto* bottom = new QWidget(&window);
    bottom->resize(1, 30);
    auto* corner = new QWidget(top);   // aligned inside an aligned control
    corner->resize(20, 1);
    align.SetAlign(top, TAlign::Top);
    align.SetAlign(client, TAlign::Client);
    align.SetAlign(bottom, TAlign::Bottom);
    align.SetAlign(corner, TAlign::Right);
    window.show();
    EXPECT_EQ(client->geometry(), QRect(0, 40, 400, 230));
    EXPECT_EQ(corner->geometry(), QRect(380, 0, 20, 40));

    bottom->hide();
    EXPECT_EQ(client->geometry(), QRect(0, 40, 400, 260));
    bottom->show();
    EXPECT_EQ(client->geometry(), QRect(0, 40, 400, 230));

    window.resize(500, 400);
    EXPECT_EQ(bottom->geometry(), QRect(0, 370, 500, 30));
    EXPECT_EQ(client->geometry(), QRect(0, 40, 500, 330));
    EXPECT_EQ(corner->geometry(), QRect(480, 0, 20, 40));

    // A top bar given another height takes it; given a width it keeps the parent's.
    align.SetBounds(top, QRect(7, 7, 10, 60));
    EXPECT_EQ(top->geometry(), QRect(0, 0, 500, 60));
    EXPECT_EQ(client->geometry(), QRect(0, 60, 500, 310));
    EXPECT_EQ(corner->geometry(), QRect(480, 0, 20, 60));
    top->resize(10, 50);
    EXPECT_EQ(top->geometry(), QRect(0, 0, 500, 50));
    EXPECT_EQ(client->geometry(), QRect(0, 50, 500, 320));

    // Un-aligned, a control keeps whatever box it is given.
    align.SetAlign(client, TAlign::None);
    align.SetBounds(client, QRect(1, 2, 3, 4));
    window.resize(600, 400);
    EXPECT_EQ(client->geometry(), QRect(1, 2, 3, 4));
}

// ---- The registry

TEST(ControlRegistry, FindsByNameInAnyCaseAndOnlyOfItsKind)
{
    TControlRegistry registry;
    auto panel = std::make_unique<QObject>();
    panel->setObjectName(QStringLiteral("paStatusView"));
    ASSERT_TRUE(registry.Register(panel.get(), TControlKind::Panel));

    for (const char* name : {"paStatusView", "PASTATUSVIEW", "pastatusview"}) {
        EXPECT_EQ(registry.Find(QLatin1String(name)), panel.get()) << name;
        EXPECT_EQ(registry.Find(QLatin1String(name), TControlKind::Panel), panel.get()) << name;
    }
    EXPECT_EQ(registry.Find(QStringLiteral("paStatusView"), TControlKind::Picture), nullptr);
    EXPECT_EQ(registry.Find(QStringLiteral("paStatusViews")), nullptr);

    // A second control of the same name in another case is refused; so is a nameless one.
    QObject twin;
    twin.setObjectName(QStringLiteral("PaStatusView"));
    EXPECT_FALSE(registry.Register(&twin, TControlKind::Picture));
    QObject nameless;
    EXPECT_FALSE(registry.Register(&nameless, TControlKind::Panel));

    // A control that is gone is no longer found, and its name is free again.
    panel.reset();
    EXPECT_EQ(registry.Find(QStringLiteral("paStatusView")), nullptr);
    EXPECT_TRUE(registry.Register(&twin, TControlKind::Picture));
}

} // namespace
