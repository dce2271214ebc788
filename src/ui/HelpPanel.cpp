#include "ui/HelpPanel.h"

#include "ui/ControlRegistry.h"
#include "ui/Picture.h"

#include <QTabBar>

namespace {

// The tab control's box; its tabs take the top, the page the rest.
constexpr QRect kTabControl(8, 32, 480, 329);
constexpr int kTabsHeight = 29;

} // namespace

THelpPanel::THelpPanel(QWidget* p_boardArea, TPanelHost& p_host, std::array<const TPicture*, 2> p_pages)
    : TFeedbackPanel(p_boardArea, p_host, QStringLiteral("paHelpView"), QSize(495, 400), QStringLiteral("imgHelpView"),
                     QStringLiteral("도움말")),
      m_pages(p_pages)
{
    tbHelp = new QTabBar(this);
    tbHelp->setObjectName(QStringLiteral("tbHelp"));
    tbHelp->setGeometry(kTabControl.left(), kTabControl.top(), kTabControl.width(), kTabsHeight);
    tbHelp->setExpanding(false);
    tbHelp->setDrawBase(false);
    tbHelp->setFocusPolicy(Qt::NoFocus);
    tbHelp->addTab(QStringLiteral("단축키 안내"));
    tbHelp->addTab(QStringLiteral("강의중 종료 안내"));
    tbHelp->setStyleSheet(QStringLiteral(
        "QTabBar::tab { color: #AEB6C4; background: #2C3342; border: 1px solid #46505F; padding: 4px 14px; }"
        "QTabBar::tab:selected { color: #FFFFFF; background: #2F6FD0; }"));
    connect(tbHelp, &QTabBar::currentChanged, this, [this] { tbHelpChange(); });
    imgHelp = new TPicture(this, QStringLiteral("imgHelp"));
    imgHelp->setGeometry(kTabControl.adjusted(0, kTabsHeight, 0, 0));
    m_host.registry.Register(imgHelp, TControlKind::Picture);
    btnHelpViewClose = AddButton("btnHelpViewClose", QStringLiteral("닫기"), QRect(385, 366, 103, 28), [this] { Close(); });
}

void THelpPanel::tbHelpChange()
{
    const TPicture* page = m_pages[tbHelp->currentIndex() == 0 ? 0 : 1];
    imgHelp->SetPicture(page ? page->GetPicture() : QPixmap());
}
