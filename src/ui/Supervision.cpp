#include "ui/Supervision.h"

#include "session/CommDefine.h"
#include "ui/CheckUpPanel.h"
#include "ui/StayOnTop.h"
#include "ui/TabSet.h"
#include "ui/ToolView.h"

namespace {

const QString kLockedTabsTip = QStringLiteral("이 학습에서는 강의 페이지를 직접 고를 수 없습니다.");

} // namespace

TSupervision::TSupervision(QWidget& p_window, TTabSet& p_tabs, TToolView& p_tools, TCheckUpPanel& p_checkUp)
    : m_window(p_window), m_tabs(p_tabs), m_tools(p_tools), m_checkUp(p_checkUp)
{
}

void TSupervision::LockPageTabs()
{
    m_tabs.setEnabled(false);
    m_tabs.setToolTip(kLockedTabsTip);
}

void TSupervision::LiftSupervision()
{
    g_studyInfo.study_mode = QStringLiteral("R");
    m_checkUp.SetStandByEnabled(false);
    m_checkUp.EndRun();
    m_tabs.setEnabled(true);
    m_tabs.setToolTip(QString());
    SetStayOnTop(m_window, false);
    m_tools.SetToolTipText();
}
