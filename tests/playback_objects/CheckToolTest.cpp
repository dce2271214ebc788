// ravo-tool check run as a program: the demo session has no problem; a damaged copy has exactly
// the problems made in it, each named with its file.

#include "ObjectsTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kDemoText = QStringLiteral("A&S1&U1&1&0&2&S9|,|1234&S9|,|57");

class CheckToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Run({"make-demo"}).exitCode, 0);
        m_base = SessionBasePath(m_dir.filePath("roaming"), "S1", "U1");
    }

    TToolRun Run(const QStringList& args) { return RunRavoTool(m_dir.filePath("roaming"), args); }

    TToolRun Check() { return Run({"check", "--text", kDemoText}); }

    QString Page(const QString& lecture, const QString& id) const { return PageFolder(m_base, lecture, id); }

    void AppendPacket(const QString& packetFile, const TPacketItem& packet)
    {
        QFile file(packetFile);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(PacketFileBytes({packet}));
    }

    QTemporaryDir m_dir;
    QString m_base;
};

TEST_F(CheckToolTest, DemoSessionHasNoProblem)
{
    const TToolRun run = Check();
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), 1) << run.lines.join('\n').toStdString();
    EXPECT_EQ(run.lines[0], "2 lectures, 4 pages checked: 0 problems");
}

TEST_F(CheckToolTest, DamagedSessionListsEachProblemWithItsFile)
{
    const QString area = Page("A000000057", "area");
    const QString example = Page("A000001234", "example");
    const QString intro = Page("A000001234", "intro");
    const QString expand = Page("A000000057", "expand");
    ASSERT_TRUE(QFile::remove(JoinPath(area, "resource", "1.png")));
    WriteFileBytes(JoinPath(area, "resource", "2.rxm"), "<page><text a=\"1\">x</text></page>");
    WriteFileBytes(JoinPath(area, "resource", "3.mp3"), QByteArray(500, 'x'));
    QFile packets(JoinPath(intro, "packet.dat"));
    ASSERT_TRUE(packets.resize(packets.size() - 5));
    AppendPacket(JoinPath(example, "packet.dat"), Packet(200, 400, 99));
    AppendPacket(JoinPath(example, "packet.dat"), Packet(71, 400, 98, 0, 0, 10, 10, 42));
    AppendPacket(JoinPath(area, "packet.dat"), Packet(91, 300, 97, 0, 0, 10, 10, 1));
    ASSERT_TRUE(QFile::remove(JoinPath(expand, "pageinfo.xml")));

    const TToolRun run = Check();
    EXPECT_EQ(run.exitCode, 1);
    const QString all = run.lines.join('\n');
    struct Expected {
        QString file;
        QString problem;
    };
    const Expected expected[] = {
        {JoinPath(area, "resource", "1.png"), "resource file missing"},
        {JoinPath(area, "resource", "2.rxm"), "rich text cannot be shown: the top element is not \"root\""},
        {JoinPath(area, "resource", "3.mp3"), "audio clip cannot be decoded"},
        {JoinPath(intro, "packet.dat"), "packet file truncated: 27 bytes"},
        {JoinPath(example, "packet.dat"), "unknown packet code 200"},
        {JoinPath(example, "packet.dat"), "code 71 names resource 42, which the page does not list"},
        {JoinPath(area, "packet.dat"), "code 91 names resource 1, which is not rich text"},
        {JoinPath(expand, "pageinfo.xml"), "page description missing"},
    };
    for (const Expected& e : expected) {
        const bool found = std::any_of(run.lines.begin(), run.lines.end(), [&](const QString& line) {
            return line.startsWith(e.file) && line.contains(e.problem);
        });
        EXPECT_TRUE(found) << e.problem.toStdString() << "\n" << all.toStdString();
    }
    EXPECT_EQ(run.lines.size(), static_cast<qsizetype>(std::size(expected)) + 1) << all.toStdString();
    EXPECT_EQ(run.lines.last(), "2 lectures, 4 pages checked: 8 problems");
}

// Rich text whose font size is 0 or below shows nothing on the board: listed.
TEST_F(CheckToolTest, RichTextOfNoFontSizeIsListed)
{
    const QString rxm = JoinPath(Page("A000000057", "area"), "resource", "2.rxm");
    QFile file(rxm);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    file.close();
    ASSERT_TRUE(original.contains("fontsize=\"20\""));
    for (const char* size : {"0", "-2"}) {
        SCOPED_TRACE(size);
        QByteArray changed = original;
        WriteFileBytes(rxm, changed.replace("fontsize=\"20\"", QByteArray("fontsize=\"") + size + "\""));
        const TToolRun run = Check();
        EXPECT_EQ(run.exitCode, 1);
        ASSERT_EQ(run.lines.size(), 2) << run.lines.join('\n').toStdString();
        EXPECT_TRUE(run.lines[0].startsWith(rxm)) << run.lines[0].toStdString();
        EXPECT_TRUE(run.lines[0].contains(QStringLiteral("font size %1").arg(size))) << run.lines[0].toStdString();
    }
}

TEST_F(CheckToolTest, MissingOrBrokenCataloguesAndPageFiles)
{
    ASSERT_TRUE(QFile::remove(JoinPath(LectureFolder(m_base, "A000000057.wyl"), "lectureinfo.xml")));
    const QString intro = Page("A000001234", "intro");
    ASSERT_TRUE(QFile::remove(JoinPath(intro, "sound.dat")));
    ASSERT_TRUE(QFile::remove(JoinPath(intro, "packet.dat")));
    WriteFileBytes(JoinPath(Page("A000001234", "example"), "pageinfo.xml"), "<root><pageinfo width=\"x\"/>");

    const TToolRun run = Check();
    EXPECT_EQ(run.exitCode, 1);
    const QString all = run.lines.join('\n');
    EXPECT_TRUE(all.contains("lectureinfo.xml: lecture catalogue missing")) << all.toStdString();
    EXPECT_TRUE(all.contains("sound.dat: voice track missing")) << all.toStdString();
    EXPECT_TRUE(all.contains("packet.dat: packet file missing")) << all.toStdString();
    EXPECT_TRUE(all.contains("pageinfo.xml: page description is not well-formed XML")) << all.toStdString();
    // The pages of the lecture without a catalogue are not in the session.
    EXPECT_TRUE(run.lines.last().startsWith("2 lectures, 2 pages checked")) << all.toStdString();
}

// A page id that leads out of the lecture's folder and a board no machine can hold are listed:
// the player refuses both.
TEST_F(CheckToolTest, PageIdsLeadingOutAndBoardsTooLargeAreListed)
{
    const QString catalogue = JoinPath(LectureFolder(m_base, "A000000057.wyl"), "lectureinfo.xml");
    const QString pageInfo = JoinPath(Page("A000001234", "intro"), "pageinfo.xml");
    for (const auto& [path, from, to] :
         {std::tuple{catalogue, QByteArray("id=\"area\""), QByteArray("id=\"../../../../etc\"")},
          std::tuple{pageInfo, QByteArray("<pageinfo width=\""), QByteArray("<pageinfo width=\"100000")}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        ASSERT_TRUE(bytes.contains(from)) << path.toStdString();
        WriteFileBytes(path, bytes.replace(from, to));
    }
    const TToolRun run = Check();
    EXPECT_EQ(run.exitCode, 1);
    const QString all = run.lines.join('\n');
    EXPECT_TRUE(all.contains(catalogue + ": lecture catalogue has a page whose \"id\" cannot be a folder name"))
        << all.toStdString();
    EXPECT_TRUE(all.contains(pageInfo + ": page description asks for a board size that is not between 1 and 16384"))
        << all.toStdString();
}

TEST_F(CheckToolTest, WrongArgumentsAreRefused)
{
    EXPECT_EQ(Run({"check"}).exitCode, 2);
    EXPECT_EQ(Run({"check", "--text"}).exitCode, 2);
    EXPECT_EQ(Run({"check", "--txt", kDemoText}).exitCode, 2);
}

} // namespace
