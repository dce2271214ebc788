#include "session/FileUtil.h"

#include "platform/folders/SpecialFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Paths

QChar PathSeparator()
{
    return QDir::separator();
}

bool IsPathSeparator(QChar c)
{
#ifdef _WIN32
    return c == u'/' || c == u'\\' || c == u':';
#else
    return c == u'/';
#endif
}

namespace {

bool IsJoinSeparator(QChar c)
{
    return c == u'/' || c == PathSeparator();
}

} // namespace

QString JoinPathList(const QStringList& parts)
{
    QString path;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString part = parts[i];
        if (i == 0) {
            path = part;
            continue;
        }
        const bool leftEnds = !path.isEmpty() && IsJoinSeparator(path.back());
        const bool rightStarts = !part.isEmpty() && IsJoinSeparator(part.front());
        if (leftEnds && rightStarts) {
            part.remove(0, 1);
        } else if (!leftEnds && !rightStarts) {
            path += PathSeparator();
        }
        path += part;
    }
    return path;
}

// ---------------------------------------------------------------------------------------------
// Text fields

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() <= 0x20 || c.isSpace() || c.category() == QChar::Other_Control;
}

QString TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin).toString();
}

// Walks the tokens of a text one by one: Next() gives the next token's span, or false at the end.
class TWordScanner {
public:
    TWordScanner(const QString& text, const QString& delimiters) : m_text(text), m_delimiters(delimiters) {}

    bool Next(QStringView& word)
    {
        while (m_pos < m_text.size() && IsDelimiter(m_text[m_pos])) {
            ++m_pos;
        }
        if (m_pos >= m_text.size()) {
            return false;
        }
        const qsizetype begin = m_pos;
        while (m_pos < m_text.size() && !IsDelimiter(m_text[m_pos])) {
            ++m_pos;
        }
        word = QStringView(m_text).mid(begin, m_pos - begin);
        return true;
    }

private:
    bool IsDelimiter(QChar c) const { return m_delimiters.contains(c); }

    const QString& m_text;
    const QString& m_delimiters;
    qsizetype m_pos = 0;
};

} // namespace

int WordCount(const QString& text, const QString& delimiters)
{
    TWordScanner scanner(text, delimiters);
    QStringView word;
    int count = 0;
    while (scanner.Next(word)) {
        ++count;
    }
    return count;
}

QString ExtractWord(const QString& text, const QString& delimiters, int index)
{
    if (index < 1) {
        return {};
    }
    TWordScanner scanner(text, delimiters);
    QStringView word;
    for (int i = 1; scanner.Next(word); ++i) {
        if (i == index) {
            return TrimBlanks(word);
        }
    }
    return {};
}

QStringList ExtractWords(const QString& text, const QString& delimiters)
{
    TWordScanner scanner(text, delimiters);
    QStringView word;
    QStringList words;
    while (scanner.Next(word)) {
        words.append(TrimBlanks(word));
    }
    return words;
}

QString ExtractSubField(const QString& text, const QString& separator, int index)
{
    if (index < 1 || index > kMaxSubFields) {
        return {};
    }
    if (separator.isEmpty()) {
        return index == 1 ? text : QString();
    }
    qsizetype pos = 0;
    for (int count = 1; pos < text.size(); ++count) {
        const qsizetype found = text.indexOf(separator, pos);
        const qsizetype end = found < 0 ? text.size() : found;
        if (count == index) {
            return text.mid(pos, end - pos);
        }
        if (found < 0) {
            break;
        }
        pos = found + separator.size();
    }
    return {};
}

std::optional<QString> MakeLectureFileName(uint8_t lectureType, uint8_t similarExist, const QString& lectureKey)
{
    const std::optional<int32_t> key = DecimalStrToInt(lectureKey);
    if (!key) {
        return std::nullopt;
    }
    QString prefix;
    if (lectureType == 1) {
        prefix = QStringLiteral("A");
    } else if (lectureType == 2) {
        prefix = similarExist != 0 ? QStringLiteral("C") : QStringLiteral("B");
    }
    const int64_t value = *key;
    const QString digits = QString::number(value < 0 ? -value : value).rightJustified(9, u'0');
    return prefix + (value < 0 ? QStringLiteral("-") : QString()) + digits + QStringLiteral(".wyl");
}

// ---------------------------------------------------------------------------------------------
// Folders

QString GetSpecialFolder(const QString& keyword)
{
    if (keyword == QLatin1String("ROAMING")) {
        return RoamingDataFolder();
    }
    if (keyword == QLatin1String("LOCALLOW")) {
        return LocalLowDataFolder();
    }
    if (keyword == QLatin1String("PROGRAMFILES")) {
        return ProgramFilesFolder();
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// Resource kinds and files

QString GetResourceFileExt(ResourceType kind)
{
    switch (kind) {
    case ResourceType::GifImage:
        return QStringLiteral(".gif");
    case ResourceType::JpgImage:
        return QStringLiteral(".jpg");
    case ResourceType::PngImage:
        return QStringLiteral(".png");
    case ResourceType::RichXML:
        return QStringLiteral(".rxm");
    case ResourceType::SwfFlash:
        return QStringLiteral(".swf");
    case ResourceType::FlvFlash:
        return QStringLiteral(".flv");
    case ResourceType::MP3:
        return QStringLiteral(".mp3");
    default:
        return {};
    }
}

ResourceType GetResourceTypeFromFile(const QString& path)
{
    const QString ext = GetFileExt(path);
    if (ext == QLatin1String(".jpg") || ext == QLatin1String(".jpeg")) {
        return ResourceType::JpgImage;
    }
    for (const ResourceType kind : {ResourceType::GifImage, ResourceType::PngImage, ResourceType::RichXML,
                                    ResourceType::SwfFlash, ResourceType::FlvFlash, ResourceType::MP3}) {
        if (ext == GetResourceFileExt(kind)) {
            return kind;
        }
    }
    return ResourceType::ResourceNone;
}

ResourceType GetResourceTypeFromName(const QString& name)
{
    static const char* const kNames[] = {"ResourceNone", "GifImage", "JpgImage", "PngImage", "RichXML",
                                         "SwfFlash",     "FlvFlash", "MP3",      "Shape",    "Strokes"};
    for (uint8_t i = 0; i < std::size(kNames); ++i) {
        if (name == QLatin1String(kNames[i])) {
            return static_cast<ResourceType>(i);
        }
    }
    return ResourceType::ResourceNone;
}

namespace {

// Index where the last path component starts.
qsizetype FileNameStart(const QString& path)
{
    qsizetype i = path.size();
    while (i > 0 && !IsPathSeparator(path[i - 1])) {
        --i;
    }
    return i;
}

} // namespace

QString GetFileExt(const QString& path)
{
    const qsizetype nameStart = FileNameStart(path);
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot >= nameStart ? path.mid(dot) : QString();
}

QString GetFilePath(const QString& path)
{
    return path.left(FileNameStart(path));
}

QString GetFullPath(const QString& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
}

QString GetFileTitle(const QString& path)
{
    QString name = path.mid(FileNameStart(path));
    const QString ext = GetFileExt(name);
    if (!ext.isEmpty()) {
        name.remove(ext, Qt::CaseSensitive);
    }
    return name;
}

bool IsPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        return false;
    }
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return IsPathSeparator(c) || c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
    });
}

bool ForceFolder(const QString& folder)
{
    if (folder.isEmpty()) {
        return true;
    }
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir()) {
        return false;
    }
    return QDir().mkpath(folder);
}

bool FileCopy(const QString& source, const QString& destination)
{
    if (!ForceFolder(GetFilePath(destination))) {
        return false;
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return false;
    }
    // Written to a temporary file beside the destination, which replaces it only when complete.
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof(buffer));
        if (n < 0) {
            out.cancelWriting();
            return false;
        }
        if (n == 0) {
            break;
        }
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            return false;
        }
    }
    // Checked here: a commit whose own flush fails (a full disk) still renames the cut-off copy.
    return out.flush() && out.commit();
}
