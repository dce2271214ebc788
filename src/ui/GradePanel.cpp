#include "ui/GradePanel.h"

#include "playback/PlaybackView.h"
#include "session/FeedbackRecords.h"
#include "session/FileUtil.h"
#include "ui/ControlRegistry.h"
#include "ui/Picture.h"
#include "ui/ShellLook.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kRollUpHeight = 21;
constexpr int kRollDownHeight = 180;

} // namespace

TGradePanel::TGradePanel(QWidget* p_boardArea, TPanelHost& p_host)
    : TFeedbackPanel(p_boardArea, p_host, QStringLiteral("paGradeView"), QSize(280, kRolledUpHeight),
                     QStringLiteral("imgGradeView"), QStringLiteral("시험 성적 입력"))
{
    (new QLabel(QStringLiteral("시험 Type"), this))->move(8, 89);
    (new QLabel(QStringLiteral("수학"), this))->move(186, 89);
    cbExamType = new QComboBox(this);
    cbExamType->setObjectName(QStringLiteral("cbExamType"));
    cbExamType->setGeometry(8, 113, 171, 21);
    cbExamType->addItems(ExamTypeNames(QDate::currentDate().year()));
    cbExamType->setCurrentIndex(-1);
    ebGrade = new QLineEdit(this);
    ebGrade->setObjectName(QStringLiteral("ebGrade"));
    ebGrade->setGeometry(185, 113, 90, 20);
    btnGradeSend = AddButton("btnGradeSend", QStringLiteral("보내기"), QRect(159, 137, 63, 25), [this] { btnGradeSendClick(); });
    btnGradeViewClose = AddButton("btnGradeViewClose", QStringLiteral("닫기"), QRect(228, 137, 46, 25), [this] { Close(); });

    paPresentDetail = new TPanel(this, QStringLiteral("paPresentDetail"), ShellLook::kTabBarColor);
    paPresentDetail->setGeometry(8, 168, 266, kRollUpHeight);
    btnPresentDetailCaption = new QPushButton(QStringLiteral("경품 내역 자세히 보기"), paPresentDetail);
    btnPresentDetailCaption->setObjectName(QStringLiteral("btnPresentDetailCaption"));
    btnPresentDetailCaption->setGeometry(0, 0, 266, kRollUpHeight);
    btnPresentDetailCaption->setFocusPolicy(Qt::NoFocus);
    connect(btnPresentDetailCaption, &QPushButton::clicked, this, [this] { paPresentDetailClick(); });
    imgPresentDetail = new TPicture(this, QStringLiteral("imgPresentDetail"));
    imgPresentDetail->setGeometry(8, 189, 266, 155);
    imgPresentDetail->hide();
    m_host.registry.Register(imgPresentDetail, TControlKind::Picture);
}

void TGradePanel::paPresentDetailClick()
{
    const bool down = !IsPresentDetailRolledDown();
    paPresentDetail->resize(paPresentDetail->width(), down ? kRollDownHeight : kRollUpHeight);
    resize(width(), down ? kRolledDownHeight : kRolledUpHeight);
    imgPresentDetail->setVisible(down);
    imgPresentDetail->raise();
    m_host.SizeChanged();
}

bool TGradePanel::IsPresentDetailRolledDown() const
{
    return paPresentDetail->height() != kRollUpHeight;
}

// What was sent last is shown again: the exam exactly as chosen, the grade as typed.
void TGradePanel::Opened()
{
    if (!m_host.records.grade.grade.isEmpty()) {
        cbExamType->setCurrentIndex(m_host.records.grade.exam_type);
        ebGrade->setText(m_host.records.grade.grade);
    }
}

void TGradePanel::btnGradeSendClick()
{
    if (!IsGradeEntered(ebGrade->text())) {
        m_host.ShowMessage(TMessageKind::Warning, QStringLiteral("점수를 입력하세요."));
        return;
    }
    const QString file = GradeFile(GetSpecialFolder(QStringLiteral("ROAMING")), m_host.records.study.school_key, m_host.records.study.user_key);
    if (const std::optional<TLauncherFileError> error = SendGrade(m_host.records.grade, cbExamType->currentIndex(), ebGrade->text(), file)) {
        m_host.ShowMessage(TMessageKind::Error, QStringLiteral("성적을 저장하지 못했습니다.\n") + error->Message);
        return;
    }
    Close();
}
