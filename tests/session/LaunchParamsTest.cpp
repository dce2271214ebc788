#include "session/LaunchParams.h"

#include "platform/ipc/SharedBlock.h"
#include "session/FileUtil.h"
#include "session/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <unistd.h>

#include <string>
#include <vector>

namespace {

struct TReportKeys {
    QString school;
    QString key;
};

struct TLaunchCase {
    const char* name;
    QString text;
    // Expected state afterwards (also when the text fails: filled as far as it got).
    QString mode, school, user;
    int type, similar, count;
    QStringList exams;
    QStringList lectureNames;
    std::vector<TReportKeys> reports;
    QString error;          // part of the error message; empty: no error
};

QString Entries(int count)
{
    QStringList entries;
    for (int i = 1; i <= count; ++i) {
        entries.append(QStringLiteral("S|,|%1").arg(i));
    }
    return entries.join(u'&');
}

std::vector<TLaunchCase> LaunchCases()
{
    const QString hundredFifty = [] {
        QStringList fields = {QStringLiteral("S7"), QStringLiteral("42")};
        for (int i = 3; i <= 150; ++i) {
            fields.append(QStringLiteral("f%1").arg(i));
        }
        return fields.join(QStringLiteral("|,|"));
    }();
    return {
        {"two lectures", "A&S1&U1&1&0&2&S9|,|1234&S9|,|57", "A", "S1", "U1", 1, 0, 2,
         {"S9|,|1234", "S9|,|57"}, {"A000001234.wyl", "A000000057.wyl"}, {{"S9", "1234"}, {"S9", "57"}}, ""},
        {"empty field does not count", "A&&S1&U1&1&0&1&X|,|5", "A", "S1", "U1", 1, 0, 1,
         {"X|,|5"}, {"A000000005.wyl"}, {{"X", "5"}}, ""},
        {"separators around and repeated", "&&A&S1&&U1&1&0&1&X|,|5&&&", "A", "S1", "U1", 1, 0, 1,
         {"X|,|5"}, {"A000000005.wyl"}, {{"X", "5"}}, ""},
        {"tokens trimmed, sub-fields not", " A & S1 \t&U1& 2 & 1 & 1 &  X |,|077 ", "A", "S1", "U1", 2, 1, 1,
         {"X |,|077"}, {"C000000077.wyl"}, {{"X ", "077"}}, ""},
        {"type 2 without similar", "R&S1&U1&2&0&1&S|,|57", "R", "S1", "U1", 2, 0, 1,
         {"S|,|57"}, {"B000000057.wyl"}, {{"S", "57"}}, ""},
        {"type 3 has no prefix", "A&S1&U1&3&0&1&S|,|12", "A", "S1", "U1", 3, 0, 1,
         {"S|,|12"}, {"000000012.wyl"}, {{"S", "12"}}, ""},
        {"no lectures", "R&S1&U1&1&0&0", "R", "S1", "U1", 1, 0, 0, {}, {}, {}, ""},
        {"count keeps its low 8 bits", "R&S1&U1&1&0&256&S|,|1", "R", "S1", "U1", 1, 0, 0, {}, {}, {}, ""},
        {"type keeps its low 8 bits", "R&S1&U1&257&0&1&S|,|1", "R", "S1", "U1", 1, 0, 1,
         {"S|,|1"}, {"A000000001.wyl"}, {{"S", "1"}}, ""},
        {"negative numbers", "R&S1&U1&-255&-1&1&S|,|-12", "R", "S1", "U1", 1, 255, 1,
         {"S|,|-12"}, {"A-000000012.wyl"}, {{"S", "-12"}}, ""},
        {"extra tokens ignored", "R&S1&U1&1&0&1&S|,|1&S|,|2", "R", "S1", "U1", 1, 0, 1,
         {"S|,|1"}, {"A000000001.wyl"}, {{"S", "1"}}, ""},
        {"empty school of the maker", "R&S1&U1&1&0&1&|,|5", "R", "S1", "U1", 1, 0, 1,
         {"|,|5"}, {"A000000005.wyl"}, {{"", "5"}}, ""},
        {"entry with 150 sub-fields", "R&S1&U1&1&0&1&" + hundredFifty, "R", "S1", "U1", 1, 0, 1,
         {hundredFifty}, {"A000000042.wyl"}, {{"S7", "42"}}, ""},
        {"Korean keys", "A&서울고&홍길동&1&0&1&학교|,|9", "A", "서울고", "홍길동", 1, 0, 1,
         {"학교|,|9"}, {"A000000009.wyl"}, {{"학교", "9"}}, ""},

        {"empty text", "", "", "", "", 0, 0, 0, {}, {}, {}, "2번째 항목(school_key)이 없습니다"},
        {"user key missing", "A&S1", "A", "S1", "", 0, 0, 0, {}, {}, {}, "3번째 항목(user_key)이 없습니다"},
        {"dots inside keys are names", "A&S.1&..U&1&0&1&S|,|1", "A", "S.1", "..U", 1, 0, 1,
         {"S|,|1"}, {"A000000001.wyl"}, {{"S", "1"}}, ""},
        {"type not a number", "A&S1&U1&x&0&1&S|,|1", "A", "S1", "U1", 0, 0, 0, {}, {}, {},
         "4번째 항목(lecture_type)이 정수가 아닙니다: 'x'"},
        {"type in hexadecimal", "A&S1&U1&$1&0&1&S|,|1", "A", "S1", "U1", 0, 0, 0, {}, {}, {},
         "4번째 항목(lecture_type)이 정수가 아닙니다: '$1'"},
        {"similar with a decimal comma", "A&S1&U1&1&1,5&1&S|,|1", "A", "S1", "U1", 1, 0, 0, {}, {}, {},
         "5번째 항목(similar_exist)이 정수가 아닙니다: '1,5'"},
        {"count missing", "A&S1&U1&1&&0", "A", "S1", "U1", 1, 0, 0, {}, {}, {},
         "6번째 항목(lecture_count)이 없습니다"},
        {"count too large for 32 bits", "A&S1&U1&1&0&4294967297&S|,|1", "A", "S1", "U1", 1, 0, 0, {}, {}, {},
         "6번째 항목(lecture_count)이 정수가 아닙니다: '4294967297'"},
        {"lecture entry missing", "A&S1&U1&1&0&2&S9|,|1234", "A", "S1", "U1", 1, 0, 2,
         {"S9|,|1234", ""}, {"A000001234.wyl", ""}, {{"S9", "1234"}, {"", ""}},
         "8번째 항목(2번째 강의)이 없습니다 (강의 수 2)"},
        {"lecture key not a number", "A&S1&U1&1&0&2&S9|,|12x&S9|,|57", "A", "S1", "U1", 1, 0, 2,
         {"S9|,|12x", ""}, {"", ""}, {{"", ""}, {"", ""}},
         "7번째 항목(1번째 강의 'S9|,|12x')의 강의 키가 정수가 아닙니다: '12x'"},
        {"lecture key with a blank", "A&S1&U1&1&0&1&S9|,| 5", "A", "S1", "U1", 1, 0, 1,
         {"S9|,| 5"}, {""}, {{"", ""}}, "강의 키가 정수가 아닙니다: ' 5'"},
        {"lecture key missing", "A&S1&U1&1&0&1&S9", "A", "S1", "U1", 1, 0, 1,
         {"S9"}, {""}, {{"", ""}}, "강의 키가 정수가 아닙니다: ''"},

        // The keys name folders: none may leave its folder or be no name at all.
        {"school key of two dots", "A&..&U1&1&0&1&S|,|1", "A", "..", "", 0, 0, 0, {}, {}, {},
         "2번째 항목(school_key)은 폴더 이름으로 쓸 수 없습니다: '..'"},
        {"school key of one dot", "A&.&U1&1&0&1&S|,|1", "A", ".", "", 0, 0, 0, {}, {}, {},
         "2번째 항목(school_key)은 폴더 이름으로 쓸 수 없습니다: '.'"},
        {"school key of blanks only", "A& \t &U1&1&0&1&S|,|1", "A", "", "", 0, 0, 0, {}, {}, {},
         "2번째 항목(school_key)은 폴더 이름으로 쓸 수 없습니다: ''"},
        {"user key with a slash", "A&S1&../U1&1&0&1&S|,|1", "A", "S1", "../U1", 0, 0, 0, {}, {}, {},
         "3번째 항목(user_key)은 폴더 이름으로 쓸 수 없습니다: '../U1'"},
        {"user key with a backslash", "A&S1&..\\U1&1&0&1&S|,|1", "A", "S1", "..\\U1", 0, 0, 0, {}, {}, {},
         "3번째 항목(user_key)은 폴더 이름으로 쓸 수 없습니다: '..\\U1'"},
        {"user key with a control character", QStringLiteral("A&S1&U\u0001X&1&0&1&S|,|1"), "A", "S1",
         QStringLiteral("U\u0001X"), 0, 0, 0, {}, {}, {}, "3번째 항목(user_key)은 폴더 이름으로 쓸 수 없습니다: 'U\\x01X'"},
    };
}

void PrintTo(const TLaunchCase& c, std::ostream* os)
{
    *os << c.name;
}

class LaunchText : public ::testing::TestWithParam<TLaunchCase> {
};

} // namespace

TEST_P(LaunchText, FillsSessionReportsAndNamesAsFarAsItGets)
{
    const TLaunchCase& c = GetParam();
    TPlayerState state;
    state.m_arrayLectureName = {QStringLiteral("stale")};
    TReportInfo stale;
    stale.lecture_key = QStringLiteral("stale");
    stale.proposal_type = QStringLiteral("stale");
    g_arrayReportInfo.assign(3, stale);

    const std::optional<TLaunchError> error = ApplyLaunchText(c.text, state);

    if (c.error.isEmpty()) {
        EXPECT_FALSE(error.has_value()) << error->Message.toStdString();
    } else {
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(error->Message.contains(c.error)) << error->Message.toStdString();
    }
    EXPECT_EQ(g_studyInfo.study_mode, c.mode);
    EXPECT_EQ(g_studyInfo.school_key, c.school);
    EXPECT_EQ(g_studyInfo.user_key, c.user);
    EXPECT_EQ(g_studyInfo.lecture_type, c.type);
    EXPECT_EQ(g_studyInfo.similar_exist, c.similar);
    EXPECT_EQ(g_studyInfo.lecture_count, c.count);
    ASSERT_EQ(g_studyInfo.exam_list.size(), c.count);
    ASSERT_EQ(state.m_arrayLectureName.size(), c.count);
    ASSERT_EQ(g_arrayReportInfo.size(), static_cast<std::size_t>(c.count));
    if (!c.exams.isEmpty()) {
        EXPECT_EQ(g_studyInfo.exam_list, c.exams);
        EXPECT_EQ(state.m_arrayLectureName, c.lectureNames);
        for (std::size_t i = 0; i < c.reports.size(); ++i) {
            EXPECT_EQ(g_arrayReportInfo[i].make_school_key, c.reports[i].school) << i;
            EXPECT_EQ(g_arrayReportInfo[i].lecture_key, c.reports[i].key) << i;
            EXPECT_TRUE(g_arrayReportInfo[i].proposal_type.isEmpty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LaunchText, ::testing::ValuesIn(LaunchCases()),
                         [](const ::testing::TestParamInfo<TLaunchCase>& info) {
                             std::string name;
                             for (const char ch : std::string(info.param.name)) {
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return name;
                         });

TEST(LaunchTextCases, TwoHundredFiftyFiveLecturesAreAllNamed)
{
    TPlayerState state;
    ASSERT_FALSE(ApplyLaunchText("R&S&U&3&0&255&" + Entries(255), state).has_value());
    EXPECT_EQ(state.m_arrayLectureName.front(), QStringLiteral("000000001.wyl"));
    EXPECT_EQ(state.m_arrayLectureName.back(), QStringLiteral("000000255.wyl"));
    EXPECT_EQ(g_arrayReportInfo.back().lecture_key, QStringLiteral("255"));
}

// ---------------------------------------------------------------------------------------------
// The launch text from a block's bytes

TEST(LaunchTextBytes, StopsAtTheFirstZeroOrAfter32768Bytes)
{
    const std::string withZero = std::string("A&S1", 4) + '\0' + "&U1";
    EXPECT_EQ(LaunchTextFromBytes(withZero.data(), withZero.size()), QStringLiteral("A&S1"));

    const std::string noZero(40000, 'x');
    EXPECT_EQ(LaunchTextFromBytes(noZero.data(), noZero.size()).size(), 32768);
    EXPECT_EQ(LaunchTextFromBytes(noZero.data(), 100).size(), 100);

    std::string zeroJustAfter(32768, 'y');
    zeroJustAfter += '\0';
    EXPECT_EQ(LaunchTextFromBytes(zeroJustAfter.data(), zeroJustAfter.size()).size(), 32768);

    EXPECT_EQ(LaunchTextFromBytes(nullptr, 0), QString());
    const std::string korean = "A&\xED\x95\x99\xEA\xB5\x90";   // UTF-8, the locale's 8-bit encoding here
    EXPECT_EQ(LaunchTextFromBytes(korean.data(), korean.size()), QStringLiteral("A&학교"));
}

// ---------------------------------------------------------------------------------------------
// Reading the launch parameters from the shared block or the fallback file

namespace {

// A shared block with a name of this test run only, removed at the end.
class TLaunchBlock {
public:
    TLaunchBlock()
    {
        static int counter = 0;
        m_name = "ravo_test_launch_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    }
    ~TLaunchBlock() { TSharedBlock::Unlink(m_name); }

    // The launcher's layout: the text with its zero byte from byte 0, room for the result.
    bool Create(const std::string& bytes, std::size_t size = 65536)
    {
        return m_block.Create(m_name, size) && m_block.WriteBytes(0, bytes.data(), bytes.size());
    }
    const std::string& Name() const { return m_name; }
    TSharedBlock& Block() { return m_block; }

private:
    std::string m_name;
    TSharedBlock m_block;
};

void WriteFallbackFile(const QString& roaming, const QByteArray& bytes)
{
    const QString path = LaunchFallbackFile(roaming);
    ASSERT_TRUE(ForceFolder(GetFilePath(path)));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class LaunchParams : public ::testing::Test {
protected:
    TTempDataHome m_home;
    TLaunchBlock m_block;
    TPlayerState m_state;
};

TEST_F(LaunchParams, BlockGivesTheSessionAndTheBasePath)
{
    ASSERT_TRUE(m_home.IsValid());
    ASSERT_TRUE(m_block.Create(std::string("A&S1&U1&1&0&2&S9|,|1234&S9|,|57") + '\0' + "garbage after the zero"));
    WriteFallbackFile(m_home.Path(), "R&other&other&1&0&0\r\n");   // the block wins

    const auto error = ReadLaunchParams(m_state, QStringLiteral("/opt/ravo/bin/"), m_block.Name());

    ASSERT_FALSE(error.has_value()) << error->Message.toStdString();
    EXPECT_EQ(m_state.m_sExeDir, QStringLiteral("/opt/ravo/bin"));
    EXPECT_EQ(g_studyInfo.study_mode, QStringLiteral("A"));
    EXPECT_EQ(m_state.m_arrayLectureName, QStringList({"A000001234.wyl", "A000000057.wyl"}));
    EXPECT_EQ(m_state.m_sBasePath, m_home.Path() + QStringLiteral("/quorvale/pendru/S1/U1/lecture"));
    // The player only reads the block.
    EXPECT_EQ(m_block.Block().ReadBytes(32768, 4), std::vector<uint8_t>(4, 0));
}

TEST_F(LaunchParams, KoreanKeysCrossTheBlockInTheLocaleEncoding)
{
    const QString text = QStringLiteral("A&서울고&홍길동&2&1&1&학교|,|7");
    ASSERT_TRUE(m_block.Create(text.toLocal8Bit().toStdString()));
    ASSERT_FALSE(ReadLaunchParams(m_state, QStringLiteral("/x"), m_block.Name()).has_value());
    EXPECT_EQ(g_studyInfo.school_key, QStringLiteral("서울고"));
    EXPECT_EQ(m_state.m_arrayLectureName, QStringList({"C000000007.wyl"}));
    EXPECT_EQ(g_arrayReportInfo[0].make_school_key, QStringLiteral("학교"));
    EXPECT_EQ(m_state.m_sBasePath, JoinPath(m_home.Path(), "quorvale", "pendru", "서울고", "홍길동", "lecture"));
}

TEST_F(LaunchParams, BlockWithoutZeroByteYieldsItsFirst32768Bytes)
{
    // One lecture whose third sub-field runs on to the end of the block.
    std::string bytes = "R&S1&U1&1&0&1&S|,|5|,|";
    bytes.resize(40000, 'z');
    ASSERT_TRUE(m_block.Create(bytes, bytes.size()));

    ASSERT_FALSE(ReadLaunchParams(m_state, QStringLiteral("/x"), m_block.Name()).has_value());
    ASSERT_EQ(g_studyInfo.exam_list.size(), 1);
    EXPECT_EQ(QStringLiteral("R&S1&U1&1&0&1&").size() + g_studyInfo.exam_list[0].size(), 32768);
    EXPECT_EQ(m_state.m_arrayLectureName, QStringList({"A000000005.wyl"}));
}

TEST_F(LaunchParams, ErrorInTheBlockNamesTheBlockAndKeepsWhatWasRead)
{
    ASSERT_TRUE(m_block.Create("A&S1&U1&one&0&0"));
    const auto error = ReadLaunchParams(m_state, QStringLiteral("/x"), m_block.Name());
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->Message.contains(QStringLiteral("4번째 항목(lecture_type)이 정수가 아닙니다: 'one'")));
    EXPECT_TRUE(error->Message.contains(QString::fromStdString(m_block.Name())));
    EXPECT_EQ(m_state.m_sExeDir, QStringLiteral("/x"));
    EXPECT_EQ(g_studyInfo.user_key, QStringLiteral("U1"));
    EXPECT_TRUE(m_state.m_sBasePath.isEmpty());
}

// A refused key gives no session folder: nothing is read or written under a path it names.
TEST_F(LaunchParams, RefusedKeyLeavesNoSessionFolder)
{
    ASSERT_TRUE(m_block.Create("A&S1&..&1&0&1&S|,|1"));
    const auto error = ReadLaunchParams(m_state, QStringLiteral("/x"), m_block.Name());
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->Message.contains(QString::fromStdString(m_block.Name())));
    EXPECT_TRUE(m_state.m_sBasePath.isEmpty());
    EXPECT_TRUE(m_state.m_arrayLectureName.isEmpty());
}

TEST_F(LaunchParams, EmptyBlockIsAnEmptyLaunchText)
{
    ASSERT_TRUE(m_block.Create("", 0));
    WriteFallbackFile(m_home.Path(), "R&S1&U1&1&0&0\r\n");
    const auto error = ReadLaunchParams(m_state, QStringLiteral("/x"), m_block.Name());
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->Message.contains(QStringLiteral("2번째 항목(school_key)이 없습니다")));
}

TEST_F(LaunchParams, WithoutABlockTheFirstLineOfTheFallbackFileIsRead)
{
    WriteFallbackFile(m_home.Path(), "\xEF\xBB\xBF" + QStringLiteral(" A&학교&U1&2&0&1&S9|,|57 \r\nR&x&y&1&0&0\r\n").toUtf8());

    const auto error = ReadLaunchParams(m_state, QStringLiteral("/x"), m_block.Name());

    ASSERT_FALSE(error.has_value()) << error->Message.toStdString();
    EXPECT_EQ(g_studyInfo.study_mode, QStringLiteral("A"));
    EXPECT_EQ(g_studyInfo.school_key, QStringLiteral("학교"));
    EXPECT_EQ(m_state.m_arrayLectureName, QStringList({"B000000057.wyl"}));
    EXPECT_EQ(g_arrayReportInfo[0].lecture_key, QStringLiteral("57"));
    EXPECT_EQ(m_state.m_sBasePath, m_home.Path() + QStringLiteral("/quorvale/pendru/학교/U1/lecture"));
}

TEST_F(LaunchParams, ErrorInTheFallbackFileNamesTheFile)
{
    WriteFallbackFile(m_home.Path(), "A&S1&U1&1&0&1&S9|,|x\r\n");
    const auto error = ReadLaunchParams(m_state, QStringLiteral("/x"), m_block.Name());
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->Message.contains(QStringLiteral("강의 키가 정수가 아닙니다: 'x'")));
    EXPECT_TRUE(error->Message.contains(LaunchFallbackFile(m_home.Path())));
}

TEST_F(LaunchParams, NeitherBlockNorFallbackFileIsAClearError)
{
    for (const QByteArray& content : {QByteArray(), QByteArray("")}) {
        if (!content.isNull()) {
            WriteFallbackFile(m_home.Path(), content);   // present but empty
        }
        TPlayerState state;
        const auto error = ReadLaunchParams(state, QStringLiteral("/x/"), m_block.Name());
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(error->Message.contains(QStringLiteral("실행 정보를 읽을 수 없습니다")));
        EXPECT_TRUE(error->Message.contains(LaunchFallbackFile(m_home.Path())));
        EXPECT_EQ(state.m_sExeDir, QStringLiteral("/x"));
        EXPECT_TRUE(state.m_sBasePath.isEmpty());
    }
}

// ---------------------------------------------------------------------------------------------
// Content folders

TEST(SessionFolders, LectureAndPageFoldersUnderTemp)
{
    const QString base = QStringLiteral("/home/u/.local/share/quorvale/pendru/S1/U1/lecture");
    EXPECT_EQ(LaunchFallbackFile(QStringLiteral("/d")), QStringLiteral("/d/quorvale/pendru/lecture.dat"));
    EXPECT_EQ(SelfStudyMarkerFile(QStringLiteral("/d"), QStringLiteral("S1"), QStringLiteral("U1")),
              QStringLiteral("/d/quorvale/ternwick/log/S1/U1/selfstudycheck.dat"));
    EXPECT_EQ(SessionBasePath(QString(), QStringLiteral("S1"), QStringLiteral("U1")),
              QStringLiteral("/quorvale/pendru/S1/U1/lecture"));
    EXPECT_EQ(LectureFolder(base, QStringLiteral("A000001234.wyl")), base + QStringLiteral("/Temp/A000001234"));
    EXPECT_EQ(LectureFolder(base, QStringLiteral("x.tar.wyl")), base + QStringLiteral("/Temp/x.tar"));
    EXPECT_EQ(LectureFolder(base, QStringLiteral("noext")), base + QStringLiteral("/Temp/noext"));
    EXPECT_EQ(PageFolder(base, QStringLiteral("A000001234"), QStringLiteral("p1")),
              base + QStringLiteral("/Temp/A000001234/p1"));
    EXPECT_EQ(PageResourceFolder(base, QStringLiteral("A000001234"), QStringLiteral("p1")),
              base + QStringLiteral("/Temp/A000001234/p1/resource"));
}
