#include "ui/ProposalPanel.h"

#include "session/FeedbackRecords.h"
#include "session/PlayerState.h"

namespace {

TChoicePanelDesign ProposalDesign()
{
    return {"paProposalView", QSize(280, 265), "imgProposalView", QStringLiteral("강의 건의"),
            "rbLectureProposalType", QRect(6, 41, 264, 184),
            {QStringLiteral("강의 건의 없음"), QStringLiteral("더 쉽게 설명해 주셨으면 좋겠어요."),
             QStringLiteral("더 자세히 설명해 주셨으면 좋겠어요."), QStringLiteral("핵심만 간단하게 설명해 주셨으면 좋겠어요."),
             QStringLiteral("더 빨리 설명해 주셨으면 좋겠어요."), QStringLiteral("더 활기차게 설명해 주셨으면 좋겠어요."),
             QStringLiteral("기타")},
            "edProposalMemo", QRect(62, 202, 200, 20),
            "btnLectureProposalReport", QRect(145, 231, 75, 25),
            "btnProposalViewClose", QRect(226, 231, 46, 25)};
}

} // namespace

TProposalPanel::TProposalPanel(QWidget* p_boardArea, TPanelHost& p_host)
    : TChoicePanel(p_boardArea, p_host, ProposalDesign(), [&host = p_host](int index, const QString& memo) {
          SendProposal(host.records.reports, host.state.m_intCurrentLectureKey, index, memo);
      })
{
}
