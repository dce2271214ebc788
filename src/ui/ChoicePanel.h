#pragma once
// A feedback panel of one choice among items and a memo for its last item (the proposal and the
// evaluation panels): the memo edit shows only while the last item is chosen and is emptied when
// another is. Send hands the choice and the memo to the panel's send action, then closes the
// panel, also when nothing is chosen.

#include "ui/FeedbackPanel.h"

#include <QStringList>

class QLineEdit;
class TRadioGroup;

struct TChoicePanelDesign {
    const char* panel;
    QSize size;
    const char* background;
    QString title;
    const char* group;
    QRect groupBox;
    QStringList items;
    const char* memo;
    QRect memoBox;
    const char* send;
    QRect sendBox;
    const char* close;
    QRect closeBox;
};

class TChoicePanel : public TFeedbackPanel {
public:
    // p_send gets the chosen item (-1 for none) and the memo's text.
    using TSendAction = std::function<void(int p_nIndex, const QString& p_sMemo)>;

    TChoicePanel(QWidget* p_boardArea, TPanelHost& p_host, const TChoicePanelDesign& p_design, TSendAction p_send);

    TRadioGroup* rbChoice;
    QLineEdit* edMemo;
    QPushButton* btnSend;
    QPushButton* btnClose;

private:
    void ChoiceClick();
    void SendClick();

    TSendAction m_send;
    const int m_nMemoItem;   // the last item takes a memo
};
