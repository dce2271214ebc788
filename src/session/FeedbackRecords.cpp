#include "session/FeedbackRecords.h"

#include "session/FileUtil.h"

namespace {

constexpr int32_t kMathematicsSubject = 3;

// Calls p_apply on every record of the lecture.
template <class TApply>
void ForEachReportOf(std::vector<TReportInfo>& p_records, int32_t p_nLectureKey, TApply p_apply)
{
    for (TReportInfo& report : p_records) {
        if (IsReportOfLecture(report, p_nLectureKey)) {
            p_apply(report);
        }
    }
}

} // namespace

bool IsReportOfLecture(const TReportInfo& p_report, int32_t p_nLectureKey)
{
    const std::optional<int32_t> key = DecimalStrToInt(p_report.lecture_key);
    return key && *key == p_nLectureKey;
}

QString StoredMemo(const QString& p_sText)
{
    QString text = p_sText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (const QChar lineBreak : {QChar(u'\r'), QChar(u'\n')}) {
        text.replace(lineBreak, QChar(u' '));
    }
    text.replace(QChar(u'&'), QChar(0xFF06));
    text.replace(QChar(u'|'), QChar(0xFF5C));
    return text;
}

void SendProposal(std::vector<TReportInfo>& p_records, int32_t p_nLectureKey, int p_nIndex, const QString& p_sMemo)
{
    if (p_nIndex < 0) {
        return;
    }
    ForEachReportOf(p_records, p_nLectureKey, [&](TReportInfo& report) {
        report.proposal_type = QString::number(p_nIndex);
        report.proposal_memo = StoredMemo(p_sMemo);
    });
}

void SendEvaluation(std::vector<TReportInfo>& p_records, int32_t p_nLectureKey, int p_nIndex, const QString& p_sMemo)
{
    if (p_nIndex < 0) {
        return;
    }
    ForEachReportOf(p_records, p_nLectureKey, [&](TReportInfo& report) {
        report.evaluation_type = QString::number(p_nIndex);
        report.evaluation_score = QString::number(2 - p_nIndex);
        report.evaluation_memo = StoredMemo(p_sMemo);
    });
}

void SendErrorReport(std::vector<TReportInfo>& p_records, int32_t p_nLectureKey, const QString& p_sText)
{
    if (p_sText.isEmpty()) {
        return;
    }
    ForEachReportOf(p_records, p_nLectureKey, [&](TReportInfo& report) { report.error_memo = StoredMemo(p_sText); });
}

std::optional<QString> StoredErrorReport(const std::vector<TReportInfo>& p_records, int32_t p_nLectureKey)
{
    std::optional<QString> text;
    for (const TReportInfo& report : p_records) {
        if (IsReportOfLecture(report, p_nLectureKey)) {
            text = report.error_memo;
        }
    }
    return text;
}

QStringList ExamTypeNames(int p_nYear)
{
    const QString year = QString::number(p_nYear);
    return {QStringLiteral("신입생 반편성고사"), year + QStringLiteral("년도 1학기 중간고사"),
            year + QStringLiteral("년도 1학기 기말고사"), year + QStringLiteral("년도 2학기 중간고사"),
            year + QStringLiteral("년도 2학기 기말고사")};
}

bool IsGradeEntered(const QString& p_sGrade)
{
    return !p_sGrade.trimmed().isEmpty();
}

QString GradeFile(const QString& p_sRoamingFolder, const QString& p_sSchoolKey, const QString& p_sUserKey)
{
    return JoinPath(p_sRoamingFolder, "quorvale", "ternwick", "lecture", p_sSchoolKey, p_sUserKey, "grade.dat");
}

std::optional<TLauncherFileError> SendGrade(TGradeInfo& p_grade, int p_nExamType, const QString& p_sGrade,
                                            const QString& p_sPath)
{
    p_grade.exam_type = p_nExamType;
    p_grade.subject_no = kMathematicsSubject;
    p_grade.grade = p_sGrade;
    const QString separator = QStringLiteral("|,|");
    return WriteLauncherLine(p_sPath, QString::number(p_grade.exam_type) + separator +
                                          QString::number(p_grade.subject_no) + separator + p_grade.grade);
}
