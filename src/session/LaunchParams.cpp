#include "session/LaunchParams.h"

#include "platform/ipc/SharedBlock.h"
#include "session/FileUtil.h"

#include <algorithm>
#include <cstring>

namespace {

const QString kTokenDelimiters = QStringLiteral("&");
const QString kSubFieldSeparator = QStringLiteral("|,|");
constexpr int kFirstLectureToken = 7;
constexpr qsizetype kQuotedMaxChars = 40;

// A value inside a message: quoted, and cut short so a long launch text stays readable.
QString Quoted(const QString& value)
{
    const QString shown = value.size() > kQuotedMaxChars ? value.left(kQuotedMaxChars) + QStringLiteral("…") : value;
    return QStringLiteral("'") + shown + QStringLiteral("'");
}

TLaunchError TokenError(int token, const char* field, const QStringList& tokens)
{
    if (token > tokens.size()) {
        return {QStringLiteral("실행 정보의 %1번째 항목(%2)이 없습니다.").arg(token).arg(QLatin1String(field))};
    }
    return {QStringLiteral("실행 정보의 %1번째 항목(%2)이 정수가 아닙니다: %3")
                .arg(token)
                .arg(QLatin1String(field), Quoted(tokens[token - 1]))};
}

// Token number token (from 1) as a decimal integer stored in 8 bits.
std::optional<TLaunchError> ReadByteToken(const QStringList& tokens, int token, const char* field, uint8_t& out)
{
    const QString text = token <= tokens.size() ? tokens[token - 1] : QString();
    const std::optional<int32_t> value = DecimalStrToInt(text);
    if (!value) {
        return TokenError(token, field, tokens);
    }
    out = static_cast<uint8_t>(*value & 0xFF);
    return std::nullopt;
}

// A key as the message shows it: control characters written as their code.
QString Printable(const QString& value)
{
    QString shown;
    for (const QChar c : value) {
        shown += c.category() == QChar::Other_Control ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                                       : QString(c);
    }
    return shown;
}

std::optional<TLaunchError> CheckFolderKey(const QStringList& tokens, int token, const char* field)
{
    if (token > tokens.size()) {
        return TokenError(token, field, tokens);
    }
    const QString& key = tokens[token - 1];
    if (IsPlainFileName(key)) {
        return std::nullopt;
    }
    return TLaunchError{QStringLiteral("실행 정보의 %1번째 항목(%2)은 폴더 이름으로 쓸 수 없습니다: %3")
                            .arg(token)
                            .arg(QLatin1String(field), Quoted(Printable(key)))};
}

TLaunchError LectureEntryError(int lecture, int lectureCount, const QString& entry, const QString& key)
{
    const int token = kFirstLectureToken + lecture;
    if (entry.isEmpty()) {
        return {QStringLiteral("실행 정보의 %1번째 항목(%2번째 강의)이 없습니다 (강의 수 %3).")
                    .arg(token)
                    .arg(lecture + 1)
                    .arg(lectureCount)};
    }
    return {QStringLiteral("실행 정보의 %1번째 항목(%2번째 강의 %3)의 강의 키가 정수가 아닙니다: %4")
                .arg(token)
                .arg(lecture + 1)
                .arg(Quoted(entry), Quoted(key))};
}

QString WithSource(const QString& message, const QString& source)
{
    return message + QStringLiteral(" (") + source + QStringLiteral(")");
}

} // namespace

QString LaunchTextFromBytes(const char* data, std::size_t size)
{
    const std::size_t limit = size < kLaunchTextMaxBytes ? size : kLaunchTextMaxBytes;
    const void* zero = limit > 0 ? std::memchr(data, 0, limit) : nullptr;
    const std::size_t length = zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - data) : limit;
    return QString::fromLocal8Bit(data, static_cast<qsizetype>(length));
}

QString LaunchFallbackFile(const QString& roamingFolder)
{
    return JoinPath(roamingFolder, "quorvale", "pendru", "lecture.dat");
}

QString SessionBasePath(const QString& roamingFolder, const QString& schoolKey, const QString& userKey)
{
    return JoinPath(roamingFolder, "quorvale", "pendru", schoolKey, userKey, "lecture");
}

QString SelfStudyMarkerFile(const QString& roamingFolder, const QString& schoolKey, const QString& userKey)
{
    return JoinPath(roamingFolder, "quorvale", "ternwick", "log", schoolKey, userKey, "selfstudycheck.dat");
}

std::optional<TLaunchError> ApplyLaunchText(const QString& launchText, TPlayerState& state)
{
    g_studyInfo = TStudyInfo();
    g_arrayReportInfo.clear();
    state.m_arrayLectureName.clear();

    const QStringList tokens = ExtractWords(launchText, kTokenDelimiters);
    const auto tokenText = [&tokens](int token) { return token <= tokens.size() ? tokens[token - 1] : QString(); };
    g_studyInfo.study_mode = tokenText(1);
    g_studyInfo.school_key = tokenText(2);
    if (auto error = CheckFolderKey(tokens, 2, "school_key")) {
        return error;
    }
    g_studyInfo.user_key = tokenText(3);
    if (auto error = CheckFolderKey(tokens, 3, "user_key")) {
        return error;
    }
    if (auto error = ReadByteToken(tokens, 4, "lecture_type", g_studyInfo.lecture_type)) {
        return error;
    }
    if (auto error = ReadByteToken(tokens, 5, "similar_exist", g_studyInfo.similar_exist)) {
        return error;
    }
    if (auto error = ReadByteToken(tokens, 6, "lecture_count", g_studyInfo.lecture_count)) {
        return error;
    }

    const int count = g_studyInfo.lecture_count;
    g_studyInfo.exam_list = QStringList(count, QString());
    g_arrayReportInfo.assign(static_cast<std::size_t>(count), TReportInfo());
    state.m_arrayLectureName = QStringList(count, QString());
    for (int i = 0; i < count; ++i) {
        const QString entry = tokenText(kFirstLectureToken + i);
        g_studyInfo.exam_list[i] = entry;
        const QString key = ExtractSubField(entry, kSubFieldSeparator, 2);
        const std::optional<QString> name =
            MakeLectureFileName(g_studyInfo.lecture_type, g_studyInfo.similar_exist, key);
        if (!name) {
            return LectureEntryError(i, count, entry, key);
        }
        state.m_arrayLectureName[i] = *name;
        g_arrayReportInfo[static_cast<std::size_t>(i)].lecture_key = key;
        g_arrayReportInfo[static_cast<std::size_t>(i)].make_school_key = ExtractSubField(entry, kSubFieldSeparator, 1);
    }
    return std::nullopt;
}

std::optional<TLaunchError> ReadLaunchParams(TPlayerState& state, const QString& exeDir, const std::string& blockName)
{
    state.m_sExeDir = exeDir;
    while (state.m_sExeDir.size() > 1 && IsPathSeparator(state.m_sExeDir.back())) {
        state.m_sExeDir.chop(1);
    }

    QString launchText;
    QString source;
    TSharedBlock block;
    const QString fallbackFile = LaunchFallbackFile(GetSpecialFolder(QStringLiteral("ROAMING")));
    if (block.Open(blockName)) {
        const std::vector<uint8_t> bytes = block.ReadBytes(0, kLaunchTextMaxBytes);
        launchText = LaunchTextFromBytes(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        source = QStringLiteral("공유 메모리 %1").arg(QString::fromStdString(blockName));
        block.Close();
    } else if (const std::optional<QString> line = ReadFirstLine(fallbackFile)) {
        launchText = *line;
        source = QStringLiteral("파일 %1").arg(fallbackFile);
    } else {
        return TLaunchError{QStringLiteral("실행 정보를 읽을 수 없습니다: 공유 메모리 %1이(가) 없고, 파일 %2을(를) "
                                           "읽을 수 없거나 비어 있습니다.")
                                .arg(QString::fromStdString(blockName), fallbackFile)};
    }

    if (auto error = ApplyLaunchText(launchText, state)) {
        error->Message = WithSource(error->Message, source);
        return error;
    }
    state.m_sBasePath = SessionBasePath(GetSpecialFolder(QStringLiteral("ROAMING")), g_studyInfo.school_key,
                                        g_studyInfo.user_key);
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Content folders of the session

QString LectureNameOf(const QString& lectureFileName)
{
    const qsizetype dot = lectureFileName.lastIndexOf(u'.');
    return dot < 0 ? lectureFileName : lectureFileName.left(dot);
}

QString LectureFolder(const QString& basePath, const QString& lectureFileName)
{
    return JoinPath(basePath, "Temp", LectureNameOf(lectureFileName));
}

QString PageFolder(const QString& basePath, const QString& pageName, const QString& pageId)
{
    return JoinPath(basePath, "Temp", pageName, pageId);
}

QString PageResourceFolder(const QString& basePath, const QString& pageName, const QString& pageId)
{
    return JoinPath(PageFolder(basePath, pageName, pageId), "resource");
}
