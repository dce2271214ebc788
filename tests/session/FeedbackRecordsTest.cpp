// The panels' sends applied to the report and grade records: which records are of the lecture
// being played, what is stored, and the grade file's line.

#include "session/FeedbackRecords.h"

#include "session/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::vector<TReportInfo> Records(std::initializer_list<const char*> p_keys)
{
    std::vector<TReportInfo> records;
    for (const char* key : p_keys) {
        TReportInfo report;
        report.make_school_key = QStringLiteral("S");
        report.lecture_key = QLatin1String(key);
        records.push_back(report);
    }
    return records;
}

} // namespace

// Keys of any length the launch allows, leading zeros, a sign; text that is no number matches
// nothing and stops nothing.
TEST(FeedbackRecords, RecordsOfTheLectureBeingPlayed)
{
    struct TCase {
        const char* key;
        int32_t lecture;
        bool matches;
    };
    const TCase cases[] = {
        {"1234", 1234, true},        {"000001234", 1234, true},   {"1234567890", 1234567890, true},
        {"0001234567890", 1234567890, true}, {"-5", -5, true},   {"123456789", 1234567890, false},
        {"12a", 12, false},          {"", 0, false},              {" 12", 12, false},
        {"99999999999", -1, false},
    };
    for (const TCase& c : cases) {
        TReportInfo report;
        report.lecture_key = QLatin1String(c.key);
        EXPECT_EQ(IsReportOfLecture(report, c.lecture), c.matches) << c.key;
    }
}

TEST(FeedbackRecords, SendsReachEveryRecordOfTheLectureAndNoOther)
{
    std::vector<TReportInfo> records = Records({"x7", "7", "8", "007"});
    SendProposal(records, 7, 6, QStringLiteral("천천히"));
    SendEvaluation(records, 7, 3, QStringLiteral("음질"));
    SendErrorReport(records, 7, QStringLiteral("3쪽 오타"));
    for (std::size_t i : {1u, 3u}) {
        EXPECT_EQ(records[i].proposal_type, QStringLiteral("6"));
        EXPECT_EQ(records[i].proposal_memo, QStringLiteral("천천히"));
        EXPECT_EQ(records[i].evaluation_type, QStringLiteral("3"));
        EXPECT_EQ(records[i].evaluation_score, QStringLiteral("-1"));
        EXPECT_EQ(records[i].evaluation_memo, QStringLiteral("음질"));
        EXPECT_EQ(records[i].error_memo, QStringLiteral("3쪽 오타"));
    }
    for (std::size_t i : {0u, 2u}) {
        EXPECT_EQ(records[i].lecture_key, Records({"x7", "7", "8", "007"})[i].lecture_key);
        EXPECT_TRUE(records[i].proposal_type.isEmpty() && records[i].evaluation_type.isEmpty() &&
                    records[i].error_memo.isEmpty());
    }
}

TEST(FeedbackRecords, NothingChosenAndEmptyErrorTextKeepWhatWasSent)
{
    std::vector<TReportInfo> records = Records({"7"});
    SendProposal(records, 7, 2, QString());
    SendEvaluation(records, 7, 0, QString());
    SendErrorReport(records, 7, QStringLiteral("먼저"));
    SendProposal(records, 7, -1, QStringLiteral("무시"));
    SendEvaluation(records, 7, -1, QStringLiteral("무시"));
    SendErrorReport(records, 7, QString());
    EXPECT_EQ(records[0].proposal_type, QStringLiteral("2"));
    EXPECT_EQ(records[0].proposal_memo, QString());
    EXPECT_EQ(records[0].evaluation_score, QStringLiteral("2"));
    EXPECT_EQ(records[0].error_memo, QStringLiteral("먼저"));
    EXPECT_EQ(StoredErrorReport(records, 7), QStringLiteral("먼저"));
    EXPECT_EQ(StoredErrorReport(records, 8), std::nullopt);
}

TEST(FeedbackRecords, StoredMemosCannotSplitTheResultFields)
{
    EXPECT_EQ(StoredMemo(QStringLiteral("a&b|,|c")), QStringLiteral("a＆b｜,｜c"));
    EXPECT_EQ(StoredMemo(QStringLiteral("첫 줄\r\n둘\n셋\r")), QStringLiteral("첫 줄 둘 셋 "));
}

TEST(FeedbackRecords, ExamListOfTheYear)
{
    EXPECT_EQ(ExamTypeNames(2026), (QStringList{QStringLiteral("신입생 반편성고사"), QStringLiteral("2026년도 1학기 중간고사"),
                                                QStringLiteral("2026년도 1학기 기말고사"), QStringLiteral("2026년도 2학기 중간고사"),
                                                QStringLiteral("2026년도 2학기 기말고사")}));
}

TEST(FeedbackRecords, GradeIsKeptAndWrittenAsOneLine)
{
    QTemporaryDir dir;
    const QString path = GradeFile(dir.path(), QStringLiteral("S1"), QStringLiteral("U1"));
    EXPECT_EQ(path, dir.path() + QStringLiteral("/quorvale/ternwick/lecture/S1/U1/grade.dat"));
    struct TCase {
        int examType;
        const char* grade;
        QByteArray line;
    };
    const TCase cases[] = {
        {2, "95", "2|,|3|,|95\r\n"},
        {-1, "80점", QStringLiteral("-1|,|3|,|80점\r\n").toLocal8Bit()},
        {4, " 7 ", "4|,|3|,| 7 \r\n"},
    };
    for (const TCase& c : cases) {
        TGradeInfo grade;
        ASSERT_FALSE(SendGrade(grade, c.examType, QString::fromUtf8(c.grade), path).has_value());
        EXPECT_EQ(ReadAll(path), c.line);
        EXPECT_EQ(grade.exam_type, c.examType);
        EXPECT_EQ(grade.subject_no, 3);
        EXPECT_EQ(grade.grade, QString::fromUtf8(c.grade));
    }
    for (const char* blank : {"", "  ", "\t"}) {
        EXPECT_FALSE(IsGradeEntered(QLatin1String(blank))) << blank;
    }
    EXPECT_TRUE(IsGradeEntered(QStringLiteral(" 0")));
}
