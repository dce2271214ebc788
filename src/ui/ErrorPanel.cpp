#include "ui/ErrorPanel.h"

#include "session/FeedbackRecords.h"
#include "session/PlayerState.h"

#include <QLabel>
#include <QPlainTextEdit>

TErrorPanel::TErrorPanel(QWidget* p_boardArea, TPanelHost& p_host)
    : TFeedbackPanel(p_boardArea, p_host, QStringLiteral("paErrorView"), QSize(235, 170), QStringLiteral("imgErrorView"),
                     QStringLiteral("오류 신고"))
{
    auto* label = new QLabel(QStringLiteral("신고내용"), this);
    label->move(7, 38);
    memoError = new QPlainTextEdit(this);
    memoError->setObjectName(QStringLiteral("memoError"));
    memoError->setGeometry(70, 37, 158, 89);
    memoError->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    memoError->setFont(font);
    btnErrorReport = AddButton("btnErrorReport", QStringLiteral("보내기"), QRect(101, 136, 75, 25),
                               [this] { btnErrorReportClick(); });
    btnErrorViewClose = AddButton("btnErrorViewClose", QStringLiteral("닫기"), QRect(182, 136, 46, 25), [this] { Close(); });
}

void TErrorPanel::Opened()
{
    if (const std::optional<QString> text = StoredErrorReport(m_host.records.reports, m_host.state.m_intCurrentLectureKey)) {
        memoError->setPlainText(*text);
    }
    memoError->setFocus();
}

void TErrorPanel::btnErrorReportClick()
{
    SendErrorReport(m_host.records.reports, m_host.state.m_intCurrentLectureKey, memoError->toPlainText());
    Close();
}
