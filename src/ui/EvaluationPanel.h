#pragma once
// The evaluation panel paEvaluationView (192 x 209), opened by btnEvaluation: how good the
// lecture was, scored 2 down to -1, with a memo for "정말 아니에요 ㅠㅠ"; sent to the report
// records of the lecture being played.

#include "ui/ChoicePanel.h"

class TEvaluationPanel : public TChoicePanel {
public:
    TEvaluationPanel(QWidget* p_boardArea, TPanelHost& p_host);
};
