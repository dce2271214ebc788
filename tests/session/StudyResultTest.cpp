// The hand-off text and how it is fitted into the room the launcher's block leaves for it.

#include "session/StudyResult.h"

#include "e2e/TinySession.h"

#include <gtest/gtest.h>

namespace {

TStudyInfo TwoLectures()
{
    TStudyInfo info;
    info.study_mode = QStringLiteral("A");
    info.lecture_type = 1;
    info.lecture_count = 2;
    return info;
}

std::vector<TReportInfo> Reports()
{
    std::vector<TReportInfo> reports(2);
    reports[0].make_school_key = QStringLiteral("S9");
    reports[0].lecture_key = QStringLiteral("1234");
    reports[1].make_school_key = QStringLiteral("S9");
    reports[1].lecture_key = QStringLiteral("57");
    return reports;
}

QString FittedText(const QByteArray& p_bytes)
{
    EXPECT_TRUE(p_bytes.endsWith('\0'));
    return QString::fromLocal8Bit(p_bytes.left(p_bytes.size() - 1));
}

TEST(StudyResult, LecturesWithoutFeedbackKeepTheirSixEmptyValues)
{
    EXPECT_EQ(BuildStudyResultText(TwoLectures(), Reports()), QString::fromLatin1(kTinyResultText));
}

TEST(StudyResult, FeedbackOnOneLectureGoesInAsTyped)
{
    std::vector<TReportInfo> reports = Reports();
    reports[1].proposal_type = QStringLiteral("6");
    reports[1].proposal_memo = QStringLiteral("천천히 & 다시|,|");
    reports[1].evaluation_type = QStringLiteral("3");
    reports[1].evaluation_score = QStringLiteral("-1");
    reports[1].error_memo = QStringLiteral("오타");
    EXPECT_EQ(BuildStudyResultText(TwoLectures(), reports),
              QStringLiteral("A&1&2&S9|,|1234|,||,||,||,||,||,|"
                             "&S9|,|57|,|6|,|천천히 & 다시|,||,|3|,|-1|,||,|오타&1&END"));
}

TEST(StudyResult, ALectureWithoutAReportRecordStillHasItsEightValues)
{
    std::vector<TReportInfo> reports = Reports();
    reports.pop_back();
    EXPECT_EQ(BuildStudyResultText(TwoLectures(), reports),
              QStringLiteral("A&1&2&S9|,|1234|,||,||,||,||,||,|&|,||,||,||,||,||,||,|&1&END"));
}

TEST(StudyResult, ATextThatFitsIsWrittenWholeWithItsZeroByte)
{
    const QByteArray text = QByteArray(kTinyResultText);
    const QByteArray fitted = FitStudyResult(TwoLectures(), Reports(), static_cast<std::size_t>(text.size()) + 1);
    EXPECT_EQ(fitted, text + '\0');
}

// Memos of two-byte-and-more characters cut to the room: every key and the end stay, the first
// memo keeps what fits, the later ones give way, and no character is cut in half.
TEST(StudyResult, MemosGiveWayWhenTheTextDoesNotFit)
{
    std::vector<TReportInfo> reports = Reports();
    reports[0].proposal_memo = QStringLiteral("가나다라마바사");   // 21 bytes
    reports[0].error_memo = QStringLiteral("아자차카");            // 12 bytes
    reports[1].evaluation_memo = QStringLiteral("타파하");         // 9 bytes
    const std::size_t fixed = sizeof(kTinyResultText) - 1;

    struct TRoom {
        std::size_t memoBytes;   // room for memo bytes beyond the text without memos
        QString first;
        QString second;
        QString third;
    };
    const TRoom rooms[] = {
        {42, QStringLiteral("가나다라마바사"), QStringLiteral("아자차카"), QStringLiteral("타파하")},
        {41, QStringLiteral("가나다라마바사"), QStringLiteral("아자차카"), QStringLiteral("타파")},
        {23, QStringLiteral("가나다라마바사"), QString(), QString()},
        {10, QStringLiteral("가나다"), QString(), QString()},
        {2, QString(), QString(), QString()},
        {0, QString(), QString(), QString()},
    };
    for (const TRoom& room : rooms) {
        const std::size_t total = fixed + room.memoBytes + 1;
        const QByteArray fitted = FitStudyResult(TwoLectures(), reports, total);
        EXPECT_LE(static_cast<std::size_t>(fitted.size()), total);
        std::vector<TReportInfo> expected = Reports();
        expected[0].proposal_memo = room.first;
        expected[0].error_memo = room.second;
        expected[1].evaluation_memo = room.third;
        EXPECT_EQ(FittedText(fitted), BuildStudyResultText(TwoLectures(), expected)) << room.memoBytes;
    }
}

TEST(StudyResult, TooLittleRoomForTheKeysGivesAnEmptyResultAndNoRoomNothing)
{
    const std::size_t fixed = sizeof(kTinyResultText) - 1;
    EXPECT_EQ(FitStudyResult(TwoLectures(), Reports(), fixed), QByteArray(1, '\0'));
    EXPECT_EQ(FitStudyResult(TwoLectures(), Reports(), 1), QByteArray(1, '\0'));
    EXPECT_TRUE(FitStudyResult(TwoLectures(), Reports(), 0).isEmpty());
}

} // namespace
