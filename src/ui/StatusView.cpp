#include "ui/StatusView.h"

#include "ui/SeekBar.h"
#include "ui/ToolBarRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

// Dark, quiet bar; the accent and the time colours are the design's light blues.
const char* const kStatusStyle = R"(
#paStatusView { background: #1E232C; }
#paTabView { background: #171B22; }
QTabBar { background: transparent; }
QTabBar::tab {
    color: #9AA3B2; background: #232935; border: none;
    padding: 3px 14px; margin: 3px 2px 0 2px;
    border-top-left-radius: 5px; border-top-right-radius: 5px;
}
QTabBar::tab:selected { color: #FFFFFF; background: #2F6FD0; }
QTabBar::tab:hover:!selected { background: #2C3342; }
QTabBar::tab:disabled { color: #8892A2; }
QTabBar::tab:selected:disabled { color: #E8EEF8; background: #2A5AA6; }
QToolButton { border: none; border-radius: 6px; background: transparent; }
QToolButton:hover { background: #2C3342; }
QToolButton:pressed { background: #3A4354; }
#toolSeparator { background: #343B48; }
#lbSpeed { color: #4AC3FF; font-weight: bold; }
#lbCurrentTime, #lbTime, #lbTotalTime { color: #47D7FF; }
#paPlayView { background: #191D25; }
QSlider::groove:horizontal { height: 4px; background: #3A4150; border-radius: 2px; }
QSlider::sub-page:horizontal { background: #4AA3FF; border-radius: 2px; }
QSlider::handle:horizontal {
    background: #E8EEF8; width: 12px; height: 12px; margin: -4px 0; border-radius: 6px;
}
QSlider::handle:horizontal:hover { background: #FFFFFF; }
QToolTip { color: #1E232C; background: #F4F6FA; border: 1px solid #C8CFDA; }
)";

QWidget* MakePanel(QWidget* parent, const QString& p_sName, int p_nHeight)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(p_sName);
    panel->setFixedHeight(p_nHeight);
    panel->setAttribute(Qt::WA_StyledBackground);
    return panel;
}

QLabel* MakeTimeLabel(QWidget* parent, const QString& p_sName, const QString& p_sText)
{
    auto* label = new QLabel(p_sText, parent);
    label->setObjectName(p_sName);
    return label;
}

} // namespace

TStatusView::TStatusView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("paStatusView"));
    setFixedHeight(kHeight);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QString::fromLatin1(kStatusStyle));

    QWidget* paTabView = MakePanel(this, QStringLiteral("paTabView"), kTabViewHeight);
    tabLecturePage = new QTabBar(paTabView);
    tabLecturePage->setObjectName(QStringLiteral("tabLecturePage"));
    tabLecturePage->setFocusPolicy(Qt::NoFocus);
    tabLecturePage->setDrawBase(false);
    tabLecturePage->setExpanding(false);
    tabLecturePage->setUsesScrollButtons(true);
    auto* tabLayout = new QHBoxLayout(paTabView);
    tabLayout->setContentsMargins(10, 0, 10, 0);
    tabLayout->addWidget(tabLecturePage, 1, Qt::AlignBottom);

    paToolView = new TToolBarRow(this);
    paToolView->setFixedHeight(kHeight - kTabViewHeight - kPlayViewHeight);

    QWidget* paPlayView = MakePanel(this, QStringLiteral("paPlayView"), kPlayViewHeight);
    QWidget* paPlayViewLeft = new QWidget(paPlayView);
    paPlayViewLeft->setObjectName(QStringLiteral("paPlayViewLeft"));
    paPlayViewLeft->setFixedWidth(kPlayViewLeftWidth);
    lbCurrentTime = MakeTimeLabel(paPlayViewLeft, QStringLiteral("lbCurrentTime"), QStringLiteral("00 : 00"));
    lbTime = MakeTimeLabel(paPlayViewLeft, QStringLiteral("lbTime"), QStringLiteral("/"));
    lbTotalTime = MakeTimeLabel(paPlayViewLeft, QStringLiteral("lbTotalTime"), QStringLiteral("00 : 00"));
    auto* timeLayout = new QHBoxLayout(paPlayViewLeft);
    timeLayout->setContentsMargins(0, 0, 0, 0);
    timeLayout->setSpacing(8);
    timeLayout->addStretch(1);
    timeLayout->addWidget(lbCurrentTime);
    timeLayout->addWidget(lbTime);
    timeLayout->addWidget(lbTotalTime);
    timeLayout->addSpacing(12);

    scbPlay = new TSeekBar(paPlayView);
    auto* playLayout = new QHBoxLayout(paPlayView);
    playLayout->setContentsMargins(0, 0, kPlayViewRightWidth, 0);
    playLayout->setSpacing(0);
    playLayout->addWidget(paPlayViewLeft);
    playLayout->addWidget(scbPlay, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(paTabView);
    layout->addWidget(paToolView);
    layout->addWidget(paPlayView);
}
