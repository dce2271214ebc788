// The files left for the launcher: one line with CR LF in the locale's 8-bit encoding, folders
// made on the way, the old file replaced only by a complete new one, failures reported.

#include "session/LauncherFile.h"

#include "session/FileUtil.h"
#include "session/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// The names in a folder, so a test sees any temporary file left behind.
QStringList Entries(const QString& p_sFolder)
{
    return QDir(p_sFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

class LauncherFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const QString& p_sRelative) const { return JoinPath(m_dir.path(), p_sRelative); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(LauncherFile, MakesTheFoldersAndWritesOneLineWithCrLfWithoutByteOrderMark)
{
    const QString path = Path(QStringLiteral("log/학교/사용자/grade.dat"));
    const QString line = QStringLiteral("2|,|3|,|구십 점");

    ASSERT_FALSE(WriteLauncherLine(path, line).has_value());

    EXPECT_EQ(ReadAll(path), line.toLocal8Bit() + "\r\n");
    EXPECT_FALSE(ReadAll(path).startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(Entries(GetFilePath(path)), QStringList{QStringLiteral("grade.dat")});
}

TEST_F(LauncherFile, ReplacesALongerFileWhole)
{
    const QString path = Path(QStringLiteral("selfstudycheck.dat"));
    WriteAll(path, "an older and much longer content\r\nsecond line\r\n");

    ASSERT_FALSE(WriteLauncherLine(path, QStringLiteral("1")).has_value());

    EXPECT_EQ(ReadAll(path), QByteArray("1\r\n"));
    EXPECT_EQ(Entries(m_dir.path()), QStringList{QStringLiteral("selfstudycheck.dat")});
}

// Failures that any user meets (also root, who may write everywhere): a file where a folder has
// to be, a folder where the file has to be.
TEST_F(LauncherFile, FailureIsReportedWithTheNameAndLeavesWhatWasThere)
{
    WriteAll(Path(QStringLiteral("log")), "a file, not a folder");
    const QString underAFile = Path(QStringLiteral("log/S1/U1/selfstudycheck.dat"));
    const std::optional<TLauncherFileError> folderError = WriteLauncherLine(underAFile, QStringLiteral("1"));
    ASSERT_TRUE(folderError.has_value());
    EXPECT_TRUE(folderError->Message.contains(QStringLiteral("폴더를 만들 수 없습니다"))) << folderError->Message.toStdString();
    EXPECT_TRUE(folderError->Message.contains(GetFilePath(underAFile)));
    EXPECT_EQ(ReadAll(Path(QStringLiteral("log"))), QByteArray("a file, not a folder"));

    const QString aFolder = Path(QStringLiteral("grade.dat"));
    ASSERT_TRUE(QDir().mkpath(aFolder));
    const std::optional<TLauncherFileError> fileError = WriteLauncherLine(aFolder, QStringLiteral("1"));
    ASSERT_TRUE(fileError.has_value());
    EXPECT_TRUE(fileError->Message.contains(QStringLiteral("파일을 쓸 수 없습니다: ") + aFolder)) << fileError->Message.toStdString();
    EXPECT_TRUE(QFileInfo(aFolder).isDir());
    EXPECT_EQ(Entries(m_dir.path()), (QStringList{QStringLiteral("grade.dat"), QStringLiteral("log")}));
}

// A disk that fills up while the new text is written (a file size limit stands in for it): the
// old file stays whole and no temporary file is left.
TEST_F(LauncherFile, WriteThatFailsMidwayKeepsTheOldFile)
{
    const QString path = Path(QStringLiteral("grade.dat"));
    const QByteArray old = "0|,|3|,|80\r\n";
    WriteAll(path, old);
    const QString longLine = QStringLiteral("1|,|3|,|") + QString(4096, QLatin1Char('9'));

    std::optional<TLauncherFileError> error;
    {
        const TFileSizeLimit fullDisk(64);
        ASSERT_TRUE(fullDisk.IsActive());
        error = WriteLauncherLine(path, longLine);
    }

    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->Message.contains(path));
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(Entries(m_dir.path()), QStringList{QStringLiteral("grade.dat")});
}
