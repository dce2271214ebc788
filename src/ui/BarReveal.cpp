#include "ui/BarReveal.h"

#include "session/PlayerState.h"
#include "ui/EventHook.h"
#include "ui/StatusView.h"
#include "ui/TitleView.h"
#include "ui/WindowRules.h"

#include <QMouseEvent>

TBarReveal::TBarReveal(TTitleView& p_title, TStatusView& p_status, const TPlayerState& p_state,
                       std::function<QSize()> p_screenSize)
    : m_title(p_title),
      m_status(p_status),
      m_state(p_state),
      m_screenSize(std::move(p_screenSize)),
      m_moveHook(std::make_unique<TEventHook>(nullptr, std::initializer_list<QEvent::Type>{QEvent::MouseMove}, [this](QObject*, QEvent* event) {
          const QPoint screen = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
          ShowToolBar(screen.x(), screen.y());
          return false;
      }))
{
}

TBarReveal::~TBarReveal() = default;

void TBarReveal::Watch(QWidget* p_widget)
{
    p_widget->setMouseTracking(true);
    m_moveHook->Watch(p_widget);
}

void TBarReveal::ShowToolBar(int p_nX, int p_nY)
{
    const TBarVisibility now{!m_title.isHidden(), !m_status.isHidden()};
    const TBarLayout layout{m_title.height(), m_status.height(), m_state.m_bTitleViewFix, m_state.m_bStatusViewFix};
    const TBarVisibility next = RevealBars(QPoint(p_nX, p_nY), m_screenSize(), layout, now);
    if (next.title != now.title) {
        m_title.setVisible(next.title);
    }
    if (next.status != now.status) {
        m_status.setVisible(next.status);
    }
}
