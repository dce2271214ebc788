#include "ui/ChoicePanel.h"

#include "ui/RadioGroup.h"

#include <QLineEdit>

TChoicePanel::TChoicePanel(QWidget* p_boardArea, TPanelHost& p_host, const TChoicePanelDesign& p_design,
                           TSendAction p_send)
    : TFeedbackPanel(p_boardArea, p_host, QLatin1String(p_design.panel), p_design.size,
                     QLatin1String(p_design.background), p_design.title),
      m_send(std::move(p_send)),
      m_nMemoItem(static_cast<int>(p_design.items.size()) - 1)
{
    rbChoice = new TRadioGroup(this, QLatin1String(p_design.group), p_design.items);
    rbChoice->setGeometry(p_design.groupBox);
    rbChoice->OnClick = [this] { ChoiceClick(); };
    edMemo = new QLineEdit(this);
    edMemo->setObjectName(QLatin1String(p_design.memo));
    edMemo->setGeometry(p_design.memoBox);
    edMemo->hide();
    btnSend = AddButton(p_design.send, QStringLiteral("보내기"), p_design.sendBox, [this] { SendClick(); });
    btnClose = AddButton(p_design.close, QStringLiteral("닫기"), p_design.closeBox, [this] { Close(); });
}

void TChoicePanel::ChoiceClick()
{
    const bool memoItem = rbChoice->ItemIndex() == m_nMemoItem;
    edMemo->setVisible(memoItem);
    if (memoItem) {
        edMemo->setFocus();
    } else {
        edMemo->clear();
    }
}

void TChoicePanel::SendClick()
{
    m_send(rbChoice->ItemIndex(), edMemo->text());
    Close();
}
