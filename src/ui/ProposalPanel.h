#pragma once
// The proposal panel paProposalView (280 x 265), opened by btnProposal: how the teacher should
// explain, with a memo for "기타"; sent to the report records of the lecture being played.

#include "ui/ChoicePanel.h"

class TProposalPanel : public TChoicePanel {
public:
    TProposalPanel(QWidget* p_boardArea, TPanelHost& p_host);
};
