#include "ui/StatusView.h"

#include "ui/AlignEngine.h"
#include "ui/BarParts.h"
#include "ui/ControlRegistry.h"
#include "ui/Picture.h"
#include "ui/SeekBar.h"
#include "ui/ShellLook.h"
#include "ui/TabSet.h"
#include "ui/ToolView.h"

#include <QLabel>

namespace {

constexpr int kTimeFontPixels = 13;

QLabel* MakeTimeLabel(QWidget* p_parent, const QString& p_sName, const QString& p_sText, int p_nLeft,
                      TControlRegistry& p_registry)
{
    auto* label = new QLabel(p_sText, p_parent);
    label->setObjectName(p_sName);
    ShellLook::SetLabelLook(label, ShellLook::kTimeColor, kTimeFontPixels, false);
    label->move(p_nLeft, 2);
    label->adjustSize();
    p_registry.Register(label, TControlKind::Label);
    return label;
}

} // namespace

TStatusView::TStatusView(QWidget* parent, TPlayerState& p_state, TControlRegistry& p_registry, TAlignEngine& p_align)
    : TPanel(parent, QStringLiteral("paStatusView"), ShellLook::kBarColor)
{
    setStyleSheet(ShellLook::BarStyle(0));
    resize(width(), kHeight);
    p_registry.Register(this, TControlKind::Panel);
    TBarParts parts(p_registry, p_align);

    paTabView = new TPanel(this, QStringLiteral("paTabView"), ShellLook::kTabBarColor);
    paTabView->resize(width(), kTabViewHeight);
    p_registry.Register(paTabView, TControlKind::Panel);
    p_align.SetAlign(paTabView, TAlign::Top);
    tabLecturePage = new TTabSet(paTabView, QStringLiteral("tabLecturePage"));
    tabLecturePage->setFocusPolicy(Qt::NoFocus);
    tabLecturePage->setDrawBase(false);
    tabLecturePage->setExpanding(false);
    tabLecturePage->setUsesScrollButtons(true);
    p_registry.Register(tabLecturePage, TControlKind::TabSet);
    p_align.SetAlign(tabLecturePage, TAlign::Client);

    paToolView = new TToolView(this, p_state, p_registry, p_align);
    p_align.SetAlign(paToolView, TAlign::Client);

    paPlayView = new TPanel(this, QStringLiteral("paPlayView"), ShellLook::kPlayBarColor);
    paPlayView->resize(width(), kPlayViewHeight);
    p_registry.Register(paPlayView, TControlKind::Panel);
    p_align.SetAlign(paPlayView, TAlign::Bottom);
    paPlayViewLeft = parts.Part(paPlayView, QStringLiteral("paPlayViewLeft"), TAlign::Left,
                                QSize(kPlayViewLeftWidth, kPlayViewHeight));
    paPlayViewClient = parts.Part(paPlayView, QStringLiteral("paPlayViewClient"), TAlign::Client, QSize());
    paPlayViewRight = parts.Part(paPlayView, QStringLiteral("paPlayViewRight"), TAlign::Right,
                                 QSize(kPlayViewRightWidth, kPlayViewHeight));
    imgPlayViewLeft = parts.Background(paPlayViewLeft, QStringLiteral("imgPlayViewLeft"));
    imgPlayViewClient = parts.Background(paPlayViewClient, QStringLiteral("imgPlayViewClient"));
    imgPlayViewRight = parts.Background(paPlayViewRight, QStringLiteral("imgPlayViewRight"));
    lbCurrentTime = MakeTimeLabel(paPlayViewLeft, QStringLiteral("lbCurrentTime"), QStringLiteral("00 : 00"), 38, p_registry);
    lbTime = MakeTimeLabel(paPlayViewLeft, QStringLiteral("lbTime"), QStringLiteral("/"), 89, p_registry);
    lbTotalTime = MakeTimeLabel(paPlayViewLeft, QStringLiteral("lbTotalTime"), QStringLiteral("00 : 00"), 104, p_registry);
    scbPlay = new TSeekBar(paPlayViewClient);
    scbPlay->setGeometry(0, 3, scbPlay->width(), kSeekBarHeight);
    p_registry.Register(scbPlay, TControlKind::ScrollBar);
}
