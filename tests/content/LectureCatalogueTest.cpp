// The session catalogue: page list, time line, totals, captions and the failure of one lecture.

#include "ContentFixture.h"

#include "content/LectureCatalogue.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <vector>

namespace {

// Stands in for the audio library: a "track" holds its frame count as text; a missing file
// cannot be opened and measures -1.
std::vector<int32_t> MeasureTextTracks(const QStringList& paths)
{
    std::vector<int32_t> counts;
    for (const QString& path : paths) {
        QFile file(path);
        counts.push_back(file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toInt() : -1);
    }
    return counts;
}

struct PageSpec {
    QString element;   // the page element as written in the catalogue
    QString id;        // the page folder to give a track
    int track;         // frames of its sound.dat; -1: no sound.dat
};

class LectureCatalogueTest : public ScratchFolder {
protected:
    LectureCatalogueTest()
    {
        m_state.m_sBasePath = Path("lecture");
        m_state.m_sExeDir = Path("exe");
    }

    // Writes lecture `file` with its catalogue and page tracks, and adds it to the session.
    void AddLecture(const QString& file, const std::vector<PageSpec>& pages, const QString& pagesWrapper = "pages")
    {
        m_state.m_arrayLectureName << file;
        QString elements;
        for (const PageSpec& page : pages) {
            elements += page.element;
            if (page.track >= 0) {
                WriteTrack(JoinPath(LectureFolder(m_state.m_sBasePath, file), page.id, "sound.dat"), page.track);
            }
        }
        WriteCatalogue(file, QStringLiteral("<root><%1>%2</%1></root>").arg(pagesWrapper, elements).toUtf8());
    }

    void WriteCatalogue(const QString& file, const QByteArray& xml)
    {
        WriteFileBytes(JoinPath(LectureFolder(m_state.m_sBasePath, file), "lectureinfo.xml"), xml);
    }

    static void WriteTrack(const QString& path, int frames) { WriteFileBytes(path, QByteArray::number(frames)); }

    static PageSpec Page(const QString& id, int track, const QString& frames = "10")
    {
        return {QStringLiteral("<page id=\"%1\" frames=\"%2\"/>").arg(id, frames), id, track};
    }

    std::vector<TLectureReadResult> Load() { return m_catalogue.LoadLectureInfo(m_state, MeasureTextTracks); }

    // (PageName, PageID, StartFrameNo, FrameCount) of every page.
    std::vector<std::tuple<QString, QString, uint32_t, uint32_t>> Pages() const
    {
        std::vector<std::tuple<QString, QString, uint32_t, uint32_t>> pages;
        int expectedNo = 0;
        for (const TLectureInfo& page : m_catalogue.GetLectureInfoList()) {
            EXPECT_EQ(page.PageNo, expectedNo++);
            EXPECT_EQ(static_cast<int64_t>(page.PlayMileSeconds), static_cast<int64_t>(page.FrameCount) * 36);
            pages.emplace_back(page.PageName, page.PageID, page.StartFrameNo, page.FrameCount);
        }
        return pages;
    }

    TPlayerState m_state;
    TLectureCatalogue m_catalogue;
};

// An id whose entities would expand to 56 GB of text.
QByteArray EntityBomb()
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE root [\n<!ENTITY e0 \"" + QByteArray(56, 'a') + "\">\n";
    for (int level = 1; level < 10; ++level) {
        xml += "<!ENTITY e" + QByteArray::number(level) + " \"" +
               QByteArray("&e" + QByteArray::number(level - 1) + ";").repeated(10) + "\">\n";
    }
    return xml + "]>\n<root><pages><page id=\"&e9;\" frames=\"1\"/></pages></root>\n";
}

using PageRow = std::tuple<QString, QString, uint32_t, uint32_t>;

TEST_F(LectureCatalogueTest, TwoLecturesMakeOneTimeLineWithCaptions)
{
    AddLecture("A000000001.wyl", {Page("a", 100), Page("b", 200)});
    AddLecture("A000000002.wyl", {Page("c", 4472), Page("d", 20), Page("e", 30)});
    const std::vector<TLectureReadResult> results = Load();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1].stop, TCatalogueStop::None);
    EXPECT_EQ(results[1].pagesRead, 3);

    EXPECT_EQ(Pages(), (std::vector<PageRow>{{"A000000001", "a", 0, 100},
                                             {"A000000001", "b", 100, 200},
                                             {"A000000002", "c", 300, 4472},
                                             {"A000000002", "d", 4772, 20},
                                             {"A000000002", "e", 4792, 30}}));
    EXPECT_EQ(m_state.m_intAllMileSecond, 4822 * 36);
    // 4,472 frames are 160,992 ms, shown as 161 s.
    EXPECT_EQ(m_catalogue.GetPageCaptions(), (QStringList{"1 p (00 : 04)", "2 p (00 : 07)", "3 p (02 : 41)",
                                                          "4 p (00 : 01)", "5 p (00 : 01)"}));
}

TEST_F(LectureCatalogueTest, MeasuredTrackWinsOverTheCatalogueFrames)
{
    AddLecture("A000000001.wyl", {Page("a", 1000, "10")});
    Load();
    ASSERT_EQ(m_catalogue.GetLectureInfoList().size(), 1u);
    EXPECT_EQ(m_catalogue.GetLectureInfoList()[0].FrameCount, 1000u);
    EXPECT_EQ(m_catalogue.GetLectureInfoList()[0].PlayMileSeconds, 36000);
}

TEST_F(LectureCatalogueTest, BrokenLectureStopsAtItsFailingPageAndLaterLecturesAreRead)
{
    struct BrokenCase {
        const char* name;
        std::vector<PageSpec> pages;
        TCatalogueStop stop;
        int pagesKept;
    };
    const std::vector<BrokenCase> cases = {
        {"frames not a number", {Page("a", 5), Page("b", 5, "ten"), Page("c", 5)}, TCatalogueStop::Frames, 1},
        {"frames missing", {Page("a", 5), {"<page id=\"b\"/>", "b", 5}, Page("c", 5)}, TCatalogueStop::Frames, 1},
        {"frames beyond 32 bits", {Page("a", 5, "4294967296"), Page("b", 5)}, TCatalogueStop::Frames, 0},
        {"frames with blanks", {Page("a", 5, " 10")}, TCatalogueStop::Frames, 0},
        {"negative frames are a number", {Page("a", 5, "-3"), Page("b", 5)}, TCatalogueStop::None, 2},
        {"id of the parent folder", {Page("a", 5), Page("..", -1), Page("c", 5)}, TCatalogueStop::PageId, 1},
        {"id leading out of the session", {Page("../../../../etc", -1)}, TCatalogueStop::PageId, 0},
        {"id with a slash", {Page("a", 5), Page("a/b", -1)}, TCatalogueStop::PageId, 1},
        {"id with a backslash", {Page("a\\b", -1)}, TCatalogueStop::PageId, 0},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_state.m_arrayLectureName.clear();
        QDir(Path("lecture")).removeRecursively();
        AddLecture("A000000001.wyl", c.pages);
        AddLecture("A000000002.wyl", {Page("z", 7)});
        const std::vector<TLectureReadResult> results = Load();
        EXPECT_EQ(results[0].stop, c.stop);
        EXPECT_EQ(results[0].pagesRead, c.pagesKept);
        const std::vector<PageRow> pages = Pages();
        ASSERT_EQ(pages.size(), static_cast<size_t>(c.pagesKept + 1));
        EXPECT_EQ(pages.back(), (PageRow{"A000000002", "z", static_cast<uint32_t>(5 * c.pagesKept), 7}));
    }
}

TEST_F(LectureCatalogueTest, UnreadableCataloguesAreSkipped)
{
    struct FileCase {
        const char* name;
        QByteArray xml;
        TCatalogueStop stop;
    };
    const std::vector<FileCase> cases = {
        {"empty", "", TCatalogueStop::File},
        {"not XML", "<root><pages>", TCatalogueStop::File},
        {"binary", QByteArray("\x00\xff\xfe<", 4), TCatalogueStop::File},
        {"wrong root", "<lecture><pages><page id=\"a\" frames=\"1\"/></pages></lecture>", TCatalogueStop::Root},
        {"no pages", "<root><page id=\"a\" frames=\"1\"/></root>", TCatalogueStop::Pages},
        {"entity expanding to gigabytes", EntityBomb(), TCatalogueStop::File},
        {"nested deeper than any catalogue of ours",
         QByteArray("<root><pages>") + QByteArray("<page id=\"a\" frames=\"1\">").repeated(40000), TCatalogueStop::File},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_state.m_arrayLectureName = QStringList{"A000000001.wyl", "A000000002.wyl", "A000000003.wyl"};
        QDir(Path("lecture")).removeRecursively();
        WriteCatalogue("A000000001.wyl", c.xml);
        // The second lecture has no catalogue at all.
        m_state.m_arrayLectureName.removeLast();
        AddLecture("A000000003.wyl", {Page("a", 3)});
        const std::vector<TLectureReadResult> results = Load();
        ASSERT_EQ(results.size(), 3u);
        EXPECT_EQ(results[0].stop, c.stop);
        EXPECT_EQ(results[1].stop, TCatalogueStop::File);
        EXPECT_EQ(Pages(), (std::vector<PageRow>{{"A000000003", "a", 0, 3}}));
    }
}

TEST_F(LectureCatalogueTest, EveryChildElementOfPagesIsAPageInDocumentOrder)
{
    AddLecture("A000000001.wyl", {{"<page id=\"a\" frames=\"1\"/>", "a", 1},
                                  {"<!-- a note --><slide id=\"b\" frames=\"1\"><x/></slide>", "b", 2},
                                  {"text between<p frames=\"0\" id=\"c\"></p>", "c", 3},
                                  {"<page frames=\"1\"/>", "", -1}});
    WriteTrack(JoinPath(m_state.m_sExeDir, "sound.dat"), 9);
    Load();
    EXPECT_EQ(Pages(), (std::vector<PageRow>{{"A000000001", "a", 0, 1},
                                             {"A000000001", "b", 1, 2},
                                             {"A000000001", "c", 3, 3},
                                             {"A000000001", "", 6, 9}}));
}

TEST_F(LectureCatalogueTest, FallbackTrackStandsInForMissingOrEmptyTracks)
{
    struct FallbackCase {
        const char* name;
        int pageTrack;      // -1: no sound.dat in the page folder
        int fallbackTrack;  // -1: no sound.dat next to the program
        uint32_t frames;
    };
    const std::vector<FallbackCase> cases = {
        {"page track", 50, 9, 50},
        {"no page track", -1, 9, 9},
        {"page track shorter than a frame", 0, 9, 9},
        {"nothing usable: length 0", 0, 0, 0},
        {"nothing there: length 0, not a wrapped count", -1, -1, 0},
    };
    for (const FallbackCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_state.m_arrayLectureName.clear();
        QDir(Root()).removeRecursively();
        QDir().mkpath(Root());
        AddLecture("A000000001.wyl", {Page("a", c.pageTrack), Page("b", 4)});
        if (c.fallbackTrack >= 0) {
            WriteTrack(JoinPath(m_state.m_sExeDir, "sound.dat"), c.fallbackTrack);
        }
        Load();
        EXPECT_EQ(Pages(), (std::vector<PageRow>{{"A000000001", "a", 0, c.frames}, {"A000000001", "b", c.frames, 4}}));
        EXPECT_EQ(m_state.m_intAllMileSecond, static_cast<int32_t>((c.frames + 4) * 36));
    }
}

TEST_F(LectureCatalogueTest, SessionWithoutLecturesIsEmpty)
{
    m_state.m_intAllMileSecond = 1234;
    EXPECT_TRUE(Load().empty());
    EXPECT_TRUE(m_catalogue.GetLectureInfoList().empty());
    EXPECT_EQ(m_state.m_intAllMileSecond, 0);
    EXPECT_TRUE(m_catalogue.GetPageCaptions().isEmpty());
}

} // namespace
