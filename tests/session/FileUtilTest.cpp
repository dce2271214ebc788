#include "session/FileUtil.h"

#include "session/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kAmp = QStringLiteral("&");
const QString kSub = QStringLiteral("|,|");

QString Repeated(const QString& piece, int times, const QString& separator)
{
    QStringList pieces;
    for (int i = 1; i <= times; ++i) {
        pieces.append(piece + QString::number(i));
    }
    return pieces.join(separator);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Words and sub-fields

TEST(FileUtil, WordsAreRunsBetweenDelimitersTrimmedButCountedBeforeTrimming)
{
    const struct {
        const char* text;
        const char* delimiters;
        QStringList words;
    } cases[] = {
        {"A&S1&U1", "&", {"A", "S1", "U1"}},
        {"&&A&&S1&", "&", {"A", "S1"}},
        {"", "&", {}},
        {"&&&", "&", {}},
        {" A \t& S 1 ", "&", {"A", "S 1"}},
        {"A& &B", "&", {"A", "", "B"}},                  // a blank token counts, then trims empty
        {"a,b;c", ",;", {"a", "b", "c"}},
        {"abc", "", {"abc"}},
        {"\x01x\x1F&y", "&", {"x", "y"}},                // control characters trim too
        {"\xE3\x80\x80\xED\x95\x99\xEA\xB5\x90&", "&", {"\xED\x95\x99\xEA\xB5\x90"}},   // ideographic space
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QString delimiters = QString::fromLatin1(c.delimiters);
        const QStringList& expected = c.words;
        SCOPED_TRACE(c.text);
        EXPECT_EQ(WordCount(text, delimiters), expected.size());
        EXPECT_EQ(ExtractWords(text, delimiters), expected);
        for (int i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(ExtractWord(text, delimiters, i + 1), expected[i]);
        }
        EXPECT_EQ(ExtractWord(text, delimiters, expected.size() + 1), QString());
        EXPECT_EQ(ExtractWord(text, delimiters, 0), QString());
        EXPECT_EQ(ExtractWord(text, delimiters, -1), QString());
    }
}

TEST(FileUtil, SubFieldsKeepEmptiesAndBlanksButNoEmptyLastPiece)
{
    const struct {
        const char* text;
        QStringList pieces;
    } cases[] = {
        {"S9|,|1234", {"S9", "1234"}},
        {"a|,||,|b", {"a", "", "b"}},
        {"a|,|b|,|", {"a", "b"}},
        {"|,|5", {"", "5"}},
        {" a |,| 5 ", {" a ", " 5 "}},
        {"abc", {"abc"}},
        {"", {}},
        {"|,|", {""}},
        {"a|,|,|b", {"a", ",|b"}},
        {"a||,|b", {"a|", "b"}},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        SCOPED_TRACE(c.text);
        for (int i = 0; i < c.pieces.size(); ++i) {
            EXPECT_EQ(ExtractSubField(text, kSub, i + 1), c.pieces[i]);
        }
        EXPECT_EQ(ExtractSubField(text, kSub, c.pieces.size() + 1), QString());
        EXPECT_EQ(ExtractSubField(text, kSub, 0), QString());
    }
    EXPECT_EQ(ExtractSubField(QStringLiteral("a|,|b"), QString(), 1), QStringLiteral("a|,|b"));
    EXPECT_EQ(ExtractSubField(QStringLiteral("a|,|b"), QString(), 2), QString());
}

TEST(FileUtil, SubFieldsBeyondTheHundredthAreDropped)
{
    const QString entry = Repeated(QStringLiteral("f"), 150, kSub);
    EXPECT_EQ(ExtractSubField(entry, kSub, 1), QStringLiteral("f1"));
    EXPECT_EQ(ExtractSubField(entry, kSub, 2), QStringLiteral("f2"));
    EXPECT_EQ(ExtractSubField(entry, kSub, 100), QStringLiteral("f100"));
    EXPECT_EQ(ExtractSubField(entry, kSub, 101), QString());
    EXPECT_EQ(ExtractSubField(entry, kSub, 150), QString());
}

// ---------------------------------------------------------------------------------------------
// Lecture file names

TEST(FileUtil, LectureFileNamePrefixAndNineDigits)
{
    const struct {
        uint8_t type;
        uint8_t similar;
        const char* key;
        std::optional<QString> name;
    } cases[] = {
        {1, 0, "1234", QStringLiteral("A000001234.wyl")},
        {1, 1, "1234", QStringLiteral("A000001234.wyl")},
        {2, 1, "57", QStringLiteral("C000000057.wyl")},
        {2, 0, "57", QStringLiteral("B000000057.wyl")},
        {2, 255, "57", QStringLiteral("C000000057.wyl")},
        {3, 0, "12", QStringLiteral("000000012.wyl")},
        {0, 0, "0", QStringLiteral("000000000.wyl")},
        {1, 0, "1234567890", QStringLiteral("A1234567890.wyl")},
        {1, 0, "-12", QStringLiteral("A-000000012.wyl")},
        {1, 0, "-2147483648", QStringLiteral("A-2147483648.wyl")},
        {1, 0, "+0012", QStringLiteral("A000000012.wyl")},
        {1, 0, "", std::nullopt},
        {1, 0, "X", std::nullopt},
        {1, 0, " 12", std::nullopt},
        {1, 0, "12 ", std::nullopt},
        {1, 0, "$1F", std::nullopt},
        {1, 0, "2147483648", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeLectureFileName(c.type, c.similar, QString::fromLatin1(c.key)), c.name)
            << int(c.type) << " " << int(c.similar) << " '" << c.key << "'";
    }
}

// ---------------------------------------------------------------------------------------------
// Paths

TEST(FileUtil, JoinPathPutsExactlyOneSeparatorBetweenPieces)
{
    const QString s = PathSeparator();
    EXPECT_EQ(JoinPath("a", "b", "c.txt"), "a" + s + "b" + s + "c.txt");
    EXPECT_EQ(JoinPath("a/", "b"), "a/b");
    EXPECT_EQ(JoinPath("a", "/b"), "a/b");
    EXPECT_EQ(JoinPath("a/", "/b"), "a/b");
    EXPECT_EQ(JoinPath("/", "b"), "/b");
    EXPECT_EQ(JoinPath("", "quorvale"), s + "quorvale");   // a missing folder shows as a leading separator
    EXPECT_EQ(JoinPath("a", "", "b"), "a" + s + "b");
    EXPECT_EQ(JoinPath(QStringLiteral("학교")), QStringLiteral("학교"));
}

TEST(FileUtil, PathPartsOfTheLastComponent)
{
    const struct {
        const char* path;
        const char* ext;
        const char* folder;
        const char* title;
    } cases[] = {
        {"a/b/c.txt", ".txt", "a/b/", "c"},
        {"a/b.c.txt", ".txt", "a/", "b.c"},
        {"x.mp3.mp3", ".mp3", "", "x"},
        {"dir.d/noext", "", "dir.d/", "noext"},
        {"/abs/file.", ".", "/abs/", "file"},
        {"folder/", "", "folder/", ""},
        {"A000001234.wyl", ".wyl", "", "A000001234"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        const QString path = QString::fromLatin1(c.path);
        EXPECT_EQ(GetFileExt(path), QString::fromLatin1(c.ext)) << c.path;
        EXPECT_EQ(GetFilePath(path), QString::fromLatin1(c.folder)) << c.path;
        EXPECT_EQ(GetFileTitle(path), QString::fromLatin1(c.title)) << c.path;
    }
}

TEST(FileUtil, FullPathIsAbsoluteAndClean)
{
    const QString current = QDir::currentPath();
    EXPECT_EQ(GetFullPath(QStringLiteral("a/../b/./c.png")), QDir::toNativeSeparators(current + "/b/c.png"));
    EXPECT_EQ(GetFullPath(QStringLiteral("/x/y/../z")), QDir::toNativeSeparators(QStringLiteral("/x/z")));
}

// ---------------------------------------------------------------------------------------------
// Resource kinds

TEST(FileUtil, ResourceKindsExtensionsAndNames)
{
    const struct {
        ResourceType kind;
        const char* ext;
        const char* name;
    } kinds[] = {
        {ResourceType::ResourceNone, "", "ResourceNone"}, {ResourceType::GifImage, ".gif", "GifImage"},
        {ResourceType::JpgImage, ".jpg", "JpgImage"},     {ResourceType::PngImage, ".png", "PngImage"},
        {ResourceType::RichXML, ".rxm", "RichXML"},       {ResourceType::SwfFlash, ".swf", "SwfFlash"},
        {ResourceType::FlvFlash, ".flv", "FlvFlash"},     {ResourceType::MP3, ".mp3", "MP3"},
        {ResourceType::Shape, "", "Shape"},               {ResourceType::Strokes, "", "Strokes"},
    };
    for (const auto& k : kinds) {
        EXPECT_EQ(GetResourceFileExt(k.kind), QString::fromLatin1(k.ext)) << k.name;
        EXPECT_EQ(GetResourceTypeFromName(QString::fromLatin1(k.name)), k.kind) << k.name;
        if (*k.ext != '\0') {
            EXPECT_EQ(GetResourceTypeFromFile(QStringLiteral("r/12") + QString::fromLatin1(k.ext)), k.kind);
        }
    }
    EXPECT_EQ(GetResourceFileExt(static_cast<ResourceType>(200)), QString());
    for (const char* name : {"pngimage", "PngImage ", "", "Png"}) {
        EXPECT_EQ(GetResourceTypeFromName(QString::fromLatin1(name)), ResourceType::ResourceNone) << name;
    }
    const struct {
        const char* path;
        ResourceType kind;
    } files[] = {
        {"pic.jpeg", ResourceType::JpgImage}, {"pic.JPG", ResourceType::ResourceNone},
        {"pic", ResourceType::ResourceNone},  {"a.png/pic", ResourceType::ResourceNone},
        {"x.png.mp3", ResourceType::MP3},     {"x.bmp", ResourceType::ResourceNone},
    };
    for (const auto& f : files) {
        EXPECT_EQ(GetResourceTypeFromFile(QString::fromLatin1(f.path)), f.kind) << f.path;
    }
}

// ---------------------------------------------------------------------------------------------
// Special folders

TEST(FileUtil, RoamingFolderIsTheXdgDataHome)
{
    TTempDataHome home;
    EXPECT_EQ(GetSpecialFolder(QStringLiteral("ROAMING")), home.Path());
    EXPECT_EQ(GetSpecialFolder(QStringLiteral("LOCALLOW")), home.Path());
    EXPECT_FALSE(GetSpecialFolder(QStringLiteral("PROGRAMFILES")).isEmpty());
    for (const char* other : {"roaming", "", "APPDATA", "ROAMING "}) {
        EXPECT_EQ(GetSpecialFolder(QString::fromLatin1(other)), QString()) << other;
    }
}

TEST(FileUtil, RoamingFolderWithoutXdgDataHomeIsUnderHome)
{
    TScopedEnv unset("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(GetSpecialFolder(QStringLiteral("ROAMING")), QDir::homePath() + QStringLiteral("/.local/share"));
}

// ---------------------------------------------------------------------------------------------
// Folders and copies

TEST(FileUtil, ForceFolderCreatesParentsButNotOverAFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString deep = JoinPath(dir.path(), "a", "b", "학습");
    EXPECT_TRUE(ForceFolder(deep));
    EXPECT_TRUE(QDir(deep).exists());
    EXPECT_TRUE(ForceFolder(deep));    // already there

    const QString file = JoinPath(dir.path(), "file");
    WriteAll(file, "keep");
    EXPECT_FALSE(ForceFolder(file));
    EXPECT_EQ(ReadAll(file), "keep");
    EXPECT_FALSE(ForceFolder(JoinPath(file, "sub")));
}

TEST(FileUtil, FileCopyCreatesTheFolderAndReplacesOnlyWhenComplete)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString source = JoinPath(dir.path(), "pic.png");
    WriteAll(source, "new content");
    const QString destination = JoinPath(dir.path(), "page", "resource", "12.png");

    EXPECT_TRUE(FileCopy(source, destination));
    EXPECT_EQ(ReadAll(destination), "new content");

    WriteAll(source, "newer");
    EXPECT_TRUE(FileCopy(source, destination));          // an existing destination is replaced
    EXPECT_EQ(ReadAll(destination), "newer");

    EXPECT_FALSE(FileCopy(JoinPath(dir.path(), "missing.png"), destination));
    EXPECT_EQ(ReadAll(destination), "newer");            // a failed copy keeps what was there

    EXPECT_TRUE(FileCopy(destination, destination));     // onto itself: content kept
    EXPECT_EQ(ReadAll(destination), "newer");

    const QString blocked = JoinPath(dir.path(), "blocker");
    WriteAll(blocked, "x");
    EXPECT_FALSE(FileCopy(source, JoinPath(blocked, "12.png")));   // folder is a file
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);   // no stray temporary files
}

// A disk that fills up during the copy: the destination keeps its old content whole, and no
// temporary file is left, whether the copy breaks off in a large piece or in the last small one.
TEST(FileUtil, FileCopyOntoAFullDiskKeepsTheOldDestination)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString destination = JoinPath(dir.path(), "12.png");
    for (const int size : {1000, 200000}) {
        const QString source = JoinPath(dir.path(), "source.png");
        WriteAll(source, QByteArray(size, 'n'));
        WriteAll(destination, "old");
        bool copied = true;
        {
            const TFileSizeLimit fullDisk(500);
            ASSERT_TRUE(fullDisk.IsActive());
            copied = FileCopy(source, destination);
        }
        EXPECT_FALSE(copied) << size;
        EXPECT_EQ(ReadAll(destination), "old") << size;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"12.png", "source.png"})) << size;
    }
}
