#include "ui/EvaluationPanel.h"

#include "session/FeedbackRecords.h"
#include "session/PlayerState.h"

namespace {

TChoicePanelDesign EvaluationDesign()
{
    return {"paEvaluationView", QSize(192, 209), "imgLectureAppraiseView", QStringLiteral("강의 평가"),
            "rbLectureAppraiseType", QRect(7, 35, 178, 114),
            {QStringLiteral("좋아요 ^^"), QStringLiteral("보통이에요 ~"), QStringLiteral("별로에요 ~"),
             QStringLiteral("정말 아니에요 ㅠㅠ")},
            "ebAppraiseMemo", QRect(8, 148, 177, 20),
            "btnLectureAppraiseReport", QRect(58, 172, 75, 25),
            "btnAppraiseViewClose", QRect(139, 172, 46, 25)};
}

} // namespace

TEvaluationPanel::TEvaluationPanel(QWidget* p_boardArea, TPanelHost& p_host)
    : TChoicePanel(p_boardArea, p_host, EvaluationDesign(), [&host = p_host](int index, const QString& memo) {
          SendEvaluation(host.records.reports, host.state.m_intCurrentLectureKey, index, memo);
      })
{
}
