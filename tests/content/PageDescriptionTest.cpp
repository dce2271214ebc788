// The page description: step-by-step reading, board kinds and pictures, resource entries.

#include "ContentFixture.h"

#include "content/PageDescription.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QLocale>

#include <vector>

namespace {

class RecordingView : public TPageBoardView {
public:
    void SetFrameImage(const QString& type) override { calls << "frame:" + type; }
    void ReMovePlayerView() override { calls << "place"; }
    void HidePointerStick() override { calls << "hide pointer"; }
    void LoadLectureImage(const QString& path, int32_t boardType) override
    {
        calls << QStringLiteral("picture:%1").arg(boardType);
        picture = path;
    }
    TIntPoint GetBoardSurfaceSize() const override { return surface; }
    void SetBoardSurfaceSize(const TIntPoint& size) override
    {
        calls << QStringLiteral("surface:%1x%2").arg(size.X).arg(size.Y);
        surface = size;
    }
    void InvalidateBoard() override { calls << "invalidate"; }

    QStringList calls;
    QString picture;
    TIntPoint surface{1024, 768};
};

const char* const kResourceA = R"(<r no="1" name="a.png" type="PngImage" deployed="true" used="false" orderno="2" x="1.5" y="2" width="30" height="40"/>)";
const char* const kResourceB = R"(<item no="300" name="b" type="MP3" deployed="TRUE" used="true" orderno="256" x="0" y="0" width="1e2" height="-5.25"/>)";

QByteArray PageXml(const QString& pageInfo, const QString& lectureImage, const QString& resources)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<root>%1%2%3</root>")
        .arg(pageInfo, lectureImage, resources)
        .toUtf8();
}

const QString kPageInfo = R"(<pageinfo width="1600" height="1200"/>)";
const QString kLectureImage = R"(<lectureimage type="BlackBoard" fileext=".jpg"/>)";
const QString kResources = QStringLiteral("<resources>%1%2</resources>").arg(kResourceA, kResourceB);

class PageDescriptionTest : public ScratchFolder {
protected:
    PageDescriptionTest()
    {
        m_page.PageName = "A000001234";
        m_page.PageID = "p1";
        m_state.m_sExeDir = "/opt/ravo";
        // What the previous page left.
        m_state.m_ptOriginalImage = {11, 22};
        m_state.m_nBoardType = 9;
        m_state.m_intCurrentLectureKey = 5;
    }

    QString PageFile(const QString& name) const { return JoinPath(PageFolder(Root(), m_page.PageName, m_page.PageID), name); }

    // Reads a first, complete page so that a later failure has previous state to keep.
    void LoadPreviousPage()
    {
        WriteFileBytes(PageFile("pageinfo.xml"),
                       PageXml(R"(<pageinfo width="11" height="22"/>)", R"(<lectureimage type="WhiteNote"/>)",
                               QStringLiteral("<resources>%1</resources>").arg(kResourceA)));
        ASSERT_EQ(m_description.LoadPageInfo(m_state, Root(), m_page, m_view).stop, TPageInfoStop::None);
        m_view.calls.clear();
    }

    TPageInfoResult Read(const QByteArray& xml)
    {
        WriteFileBytes(PageFile("pageinfo.xml"), xml);
        return m_description.LoadPageInfo(m_state, Root(), m_page, m_view);
    }

    TLectureInfo m_page;
    TPlayerState m_state;
    RecordingView m_view;
    TPageDescription m_description;
};

TEST_F(PageDescriptionTest, CompletePageSetsBoardPictureAndResources)
{
    const TPageInfoResult result = Read(PageXml(kPageInfo, kLectureImage, kResources));
    EXPECT_EQ(result.stop, TPageInfoStop::None);
    EXPECT_EQ(m_state.m_intCurrentLectureKey, 1234);
    EXPECT_EQ(m_state.m_ptOriginalImage.X, 1600);
    EXPECT_EQ(m_state.m_ptOriginalImage.Y, 1200);
    EXPECT_EQ(m_state.m_nBoardType, kBoardBlackBoard);
    EXPECT_EQ(m_view.picture, JoinPath("/opt/ravo", "image", "BlackBoardFrameBG.png"));
    EXPECT_EQ(m_view.calls, (QStringList{"frame:BlackBoard", "place", "hide pointer", "picture:2",
                                          "surface:1600x1200", "place", "invalidate"}));

    const std::vector<TResourceInfo>& list = m_description.GetResourceInfoList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].ResourceNo, 1);
    EXPECT_EQ(list[0].ResourceName, "a.png");
    EXPECT_TRUE(list[0].Deployed);
    EXPECT_FALSE(list[0].Used);
    EXPECT_EQ(list[0].x, 1.5f);
    EXPECT_EQ(list[0].height, 40.0f);
    EXPECT_FALSE(list[1].Deployed);   // "TRUE" is not "true"
    EXPECT_TRUE(list[1].Used);
    EXPECT_EQ(list[1].width, 100.0f);
    EXPECT_EQ(list[1].height, -5.25f);

    TResourceManager& manager = m_description.GetResourceManager();
    ASSERT_EQ(manager.GetResourceCount(), 2);
    EXPECT_EQ(manager.GetResourceItem(1)->GetResourceNo(), 44);
    EXPECT_EQ(manager.FindResourceItem(1)->GetResourceFilePath(),
              JoinPath(PageResourceFolder(Root(), m_page.PageName, m_page.PageID), "1.png"));
}

TEST_F(PageDescriptionTest, FailingStepKeepsEverythingAfterItFromThePreviousPage)
{
    struct StepCase {
        const char* name;
        QByteArray xml;
        TPageInfoStop stop;
        TIntPoint boardSize;     // expected m_ptOriginalImage
        QStringList calls;       // expected calls to the view
        int32_t boardType;
        size_t entries;          // resource entries in the list
        int managerItems;        // items of the resource manager (previous page: 1)
    };
    const QStringList noCalls;
    const QStringList frameOnly{"frame:BlackBoard", "place"};
    const QStringList full{"frame:BlackBoard", "place", "hide pointer", "picture:2", "surface:1600x1200", "place",
                           "invalidate"};
    const TIntPoint previous{11, 22};
    const TIntPoint read{1600, 1200};
    const std::vector<StepCase> cases = {
        {"not XML", "this is <not xml", TPageInfoStop::File, previous, noCalls, kBoardWhiteNote, 1, 1},
        {"empty file", "", TPageInfoStop::File, previous, noCalls, kBoardWhiteNote, 1, 1},
        {"wrong root", "<other><pageinfo width=\"5\" height=\"5\"/></other>", TPageInfoStop::Root, previous, noCalls,
         kBoardWhiteNote, 1, 1},
        {"no pageinfo", PageXml("", kLectureImage, kResources), TPageInfoStop::PageInfo, previous, noCalls,
         kBoardWhiteNote, 1, 1},
        {"height missing", PageXml(R"(<pageinfo width="1600"/>)", kLectureImage, kResources), TPageInfoStop::PageInfo,
         previous, noCalls, kBoardWhiteNote, 1, 1},
        {"width not decimal", PageXml(R"(<pageinfo width="$640" height="5"/>)", kLectureImage, kResources),
         TPageInfoStop::PageInfo, previous, noCalls, kBoardWhiteNote, 1, 1},
        {"width beyond 32 bits", PageXml(R"(<pageinfo width="99999999999" height="5"/>)", kLectureImage, kResources),
         TPageInfoStop::PageInfo, previous, noCalls, kBoardWhiteNote, 1, 1},
        {"board of width 0", PageXml(R"(<pageinfo width="0" height="600"/>)", kLectureImage, kResources),
         TPageInfoStop::BoardSize, previous, noCalls, kBoardWhiteNote, 1, 1},
        {"board of negative height", PageXml(R"(<pageinfo width="800" height="-1"/>)", kLectureImage, kResources),
         TPageInfoStop::BoardSize, previous, noCalls, kBoardWhiteNote, 1, 1},
        {"board one pixel too wide", PageXml(R"(<pageinfo width="16385" height="600"/>)", kLectureImage, kResources),
         TPageInfoStop::BoardSize, previous, noCalls, kBoardWhiteNote, 1, 1},
        {"board of 100000 a side", PageXml(R"(<pageinfo width="100000" height="100000"/>)", kLectureImage, kResources),
         TPageInfoStop::BoardSize, previous, noCalls, kBoardWhiteNote, 1, 1},
        {"board at the largest side",
         PageXml(R"(<pageinfo width="16384" height="1"/>)", kLectureImage, "<resources/>"), TPageInfoStop::None,
         TIntPoint{16384, 1}, {"frame:BlackBoard", "place", "hide pointer", "picture:2", "surface:16384x768", "place",
                               "invalidate"}, kBoardBlackBoard, 0, 0},
        {"nested deeper than any page of ours",
         QByteArray("<a>").repeated(300) + PageXml(kPageInfo, kLectureImage, kResources) + QByteArray("</a>").repeated(300),
         TPageInfoStop::File, previous, noCalls, kBoardWhiteNote, 1, 1},
        {"no lectureimage", PageXml(kPageInfo, "", kResources), TPageInfoStop::LectureImage, read, noCalls,
         kBoardWhiteNote, 1, 1},
        {"no resources", PageXml(kPageInfo, kLectureImage, ""), TPageInfoStop::Resources, read, frameOnly,
         kBoardWhiteNote, 1, 1},
        {"second entry with a decimal comma",
         PageXml(kPageInfo, kLectureImage,
                 QStringLiteral("<resources>%1<r no=\"2\" orderno=\"1\" x=\"12,5\" y=\"0\" width=\"1\" height=\"1\"/>%2</resources>")
                     .arg(kResourceA, kResourceB)),
         TPageInfoStop::ResourceEntry, read, full, kBoardBlackBoard, 1, 1},
        {"first entry without orderno",
         PageXml(kPageInfo, kLectureImage, R"(<resources><r no="2" x="1" y="0" width="1" height="1"/></resources>)"),
         TPageInfoStop::ResourceEntry, read, full, kBoardBlackBoard, 0, 1},
        {"entry with an infinite x",
         PageXml(kPageInfo, kLectureImage, R"(<resources><r no="2" orderno="0" x="1e999" y="0" width="1" height="1"/></resources>)"),
         TPageInfoStop::ResourceEntry, read, full, kBoardBlackBoard, 0, 1},
        {"empty resources", PageXml(kPageInfo, kLectureImage, "<resources/>"), TPageInfoStop::None, read, full,
         kBoardBlackBoard, 0, 0},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_state = TPlayerState{};
        m_state.m_sExeDir = "/opt/ravo";
        m_view = RecordingView{};
        LoadPreviousPage();
        const TPageInfoResult result = Read(c.xml);
        EXPECT_EQ(result.stop, c.stop);
        EXPECT_EQ(m_state.m_ptOriginalImage.X, c.boardSize.X);
        EXPECT_EQ(m_state.m_ptOriginalImage.Y, c.boardSize.Y);
        EXPECT_EQ(m_view.calls, c.calls);
        EXPECT_EQ(m_state.m_nBoardType, c.boardType);
        EXPECT_EQ(m_description.GetResourceInfoList().size(), c.entries);
        EXPECT_EQ(m_description.GetResourceManager().GetResourceCount(), c.managerItems);
    }
}

TEST_F(PageDescriptionTest, MissingFileAndBadPageNameChangeNothingButTheKey)
{
    LoadPreviousPage();
    QFile::remove(PageFile("pageinfo.xml"));
    EXPECT_EQ(m_description.LoadPageInfo(m_state, Root(), m_page, m_view).stop, TPageInfoStop::File);
    EXPECT_EQ(m_state.m_ptOriginalImage.X, 11);
    EXPECT_TRUE(m_view.calls.isEmpty());

    struct KeyCase {
        const char* pageName;
        std::optional<int32_t> key;
    };
    const std::vector<KeyCase> keys = {
        {"A000001234", 1234}, {"C000000057", 57}, {"000000012", 12}, {"A1234567890", 1234567890},
        {"123456789", 123456789}, {"A-000000005", -5}, {"A00000000012", 12},
        {"Axyz", std::nullopt}, {"A", std::nullopt}, {"", std::nullopt},
    };
    for (const KeyCase& k : keys) {
        EXPECT_EQ(LectureKeyOfPage(k.pageName), k.key) << k.pageName;
    }
    m_page.PageName = "Lecture";
    EXPECT_EQ(m_description.LoadPageInfo(m_state, Root(), m_page, m_view).stop, TPageInfoStop::LectureKey);
    EXPECT_EQ(m_state.m_intCurrentLectureKey, 1234);
}

TEST_F(PageDescriptionTest, BoardKindsAndPictureFallbacks)
{
    const QString folder = Path("page");
    struct KindCase {
        const char* name;
        QString type;
        QString extension;
        QStringList files;       // files present in the page folder
        int32_t boardType;
        QString picture;         // "exe:" the program's image folder, "page:" the page folder
    };
    const std::vector<KindCase> cases = {
        {"white note", "WhiteNote", ".jpg", {"bgimg.jpg"}, kBoardWhiteNote, "exe:WhiteNoteFrameBG.png"},
        {"blackboard", "BlackBoard", "", {}, kBoardBlackBoard, "exe:BlackBoardFrameBG.png"},
        {"whiteboard keeps its spelling", "WhiteBorad", "", {}, kBoardWhiteBoard, "exe:WhiteBoardFrameBG.png"},
        {"correct spelling is a page picture", "WhiteBoard", ".jpg", {"bgimg.jpg"}, kBoardPagePicture, "page:bgimg.jpg"},
        {"other letter case", "blackboard", ".jpg", {"bgimg.jpg"}, kBoardPagePicture, "page:bgimg.jpg"},
        {"own picture", "LectureImage", ".jpg", {"bgimg.jpg", "bgimg.gif"}, kBoardPagePicture, "page:bgimg.jpg"},
        {"jpg missing: gif", "LectureImage", ".jpg", {"bgimg.gif", "bgimg.png"}, kBoardPagePicture, "page:bgimg.gif"},
        {"jpg and gif missing: png", "LectureImage", ".jpg", {"bgimg.png"}, kBoardPagePicture, "page:bgimg.png"},
        {"nothing there: png anyway", "", ".jpg", {}, kBoardPagePicture, "page:bgimg.png"},
        {"extension appended as is", "x", "_big.jpeg", {"bgimg_big.jpeg"}, kBoardPagePicture, "page:bgimg_big.jpeg"},
        {"extension leading out of the page folder", "x", "/../../outside.png",
         {"bgimg/kept", "../outside.png", "bgimg.gif"}, kBoardPagePicture, "page:bgimg.gif"},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        for (const QString& file : c.files) {
            WriteFileBytes(JoinPath(folder, file), "picture");
        }
        const TLecturePageImage image = ChooseLecturePageImage(c.type, c.extension, folder, "/exe");
        EXPECT_EQ(image.boardType, c.boardType);
        const QString expected = c.picture.startsWith("page:") ? JoinPath(folder, c.picture.mid(5))
                                                               : JoinPath("/exe", "image", c.picture.mid(4));
        EXPECT_EQ(image.path, expected);
    }
}

TEST_F(PageDescriptionTest, BoardSurfaceGrowsButNeverShrinks)
{
    const std::vector<std::pair<TIntPoint, TIntPoint>> pages = {
        {{1024, 768}, {1024, 768}},
        {{1600, 1200}, {1600, 1200}},
        {{800, 600}, {1600, 1200}},
        {{700, 1500}, {1600, 1500}},
    };
    m_view.surface = {0, 0};
    for (const auto& [page, surface] : pages) {
        m_state.m_ptOriginalImage = page;
        m_description.LoadLecturePageImage(m_state, "WhiteNote", "", Path("page"), m_view);
        EXPECT_EQ(m_view.surface.X, surface.X);
        EXPECT_EQ(m_view.surface.Y, surface.Y);
    }
}

TEST_F(PageDescriptionTest, DecimalPointIsReadWhateverTheMachineLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const TPageInfoResult result = Read(PageXml(kPageInfo, kLectureImage, kResources));
    QLocale::setDefault(saved);
    EXPECT_EQ(result.stop, TPageInfoStop::None);
    ASSERT_EQ(m_description.GetResourceInfoList().size(), 2u);
    EXPECT_EQ(m_description.GetResourceInfoList()[0].x, 1.5f);
}

} // namespace
