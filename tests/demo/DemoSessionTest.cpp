// The demo session is generated into a temporary folder once and read back the way the player
// reads it: catalogues, page descriptions, packet files, voice tracks, resources, rich text.

#include "DemoLecture.h"
#include "PacketScript.h"

#include "session/CommDefine.h"
#include "session/FileUtil.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <mpg123.h>

#include <map>
#include <set>

namespace {

struct TReadPage {
    QString lecture;
    QString id;
    QString folder;
    int catalogueFrames = 0;
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QDomElement LoadRoot(const QString& path)
{
    QDomDocument doc;
    if (!doc.setContent(ReadAll(path)))
        return {};
    return doc.documentElement().tagName() == "root" ? doc.documentElement() : QDomElement();
}

std::vector<TPacketItem> ReadPackets(const QString& path)
{
    const QByteArray bytes = ReadAll(path);
    std::vector<TPacketItem> items;
    for (qsizetype at = 0; at + static_cast<qsizetype>(kPacketItemSize) <= bytes.size(); at += kPacketItemSize)
        items.push_back(PacketItemFromBytes(reinterpret_cast<const unsigned char*>(bytes.constData() + at)));
    return items;
}

// Length of an MP3 in milliseconds as a gapless decoder with a full scan measures it; < 0 when
// the file does not decode.
double Mp3LengthMs(const QString& path)
{
    int err = MPG123_OK;
    mpg123_handle* h = mpg123_new(nullptr, &err);
    if (!h)
        return -1.0;
    mpg123_param(h, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    double ms = -1.0;
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_open(h, QFile::encodeName(path).constData()) == MPG123_OK && mpg123_scan(h) == MPG123_OK
        && mpg123_getformat(h, &rate, &channels, &encoding) == MPG123_OK && rate > 0) {
        const off_t samples = mpg123_length(h);
        if (samples > 0)
            ms = static_cast<double>(samples) * 1000.0 / static_cast<double>(rate);
    }
    mpg123_close(h);
    mpg123_delete(h);
    return ms;
}

// The rich text reader's rewrite, step for step: drop every CDATA opener and closer, open a
// CDATA section right after the first quote that is followed by ">", close it before the
// first "</text>". Lines are joined with CR LF.
QString RewriteRichText(const QByteArray& file)
{
    QString text;
    for (const QString& line : QString::fromUtf8(file).split('\n'))
        text += QString(line).remove('\r') + "\r\n";
    text.remove("<![CDATA[");
    text.remove("]]>");
    const qsizetype quote = text.indexOf("\">");
    if (quote >= 0)
        text.insert(quote + 2, "<![CDATA[");
    const qsizetype end = text.indexOf("</text>");
    if (end >= 0)
        text.insert(end, "]]>");
    return text;
}

class DemoSession : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir();
        QString error;
        s_summary = WriteDemoSession(s_dir->path(), &error);
        ASSERT_TRUE(s_summary.has_value()) << error.toStdString();
        for (const QString& lecture : {QString("A000001234"), QString("A000000057")}) {
            const QString folder = JoinPath(s_dir->path(), "Temp", lecture);
            const QDomElement pages = LoadRoot(JoinPath(folder, "lectureinfo.xml")).firstChildElement("pages");
            for (QDomElement p = pages.firstChildElement(); !p.isNull(); p = p.nextSiblingElement())
                s_pages.push_back({lecture, p.attribute("id"), JoinPath(folder, p.attribute("id")),
                                   p.attribute("frames").toInt()});
        }
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
        s_pages.clear();
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline std::optional<TDemoSummary> s_summary;
    static inline std::vector<TReadPage> s_pages;
};

TEST_F(DemoSession, TwoLecturesOfFourPagesUnderAMinute)
{
    ASSERT_EQ(s_pages.size(), 4u);
    EXPECT_EQ(s_summary->pages,
              QStringList({"A000001234/intro", "A000001234/example", "A000000057/expand", "A000000057/area"}));
    EXPECT_GT(s_summary->totalMs, 30000.0);
    EXPECT_LT(s_summary->totalMs, 60000.0);
}

TEST_F(DemoSession, EveryPageHasItsFilesAndAVoiceOfTheCataloguedLength)
{
    for (const TReadPage& page : s_pages) {
        SCOPED_TRACE(page.id.toStdString());
        for (const char* name : {"pageinfo.xml", "packet.dat", "sound.dat"})
            EXPECT_TRUE(QFileInfo(JoinPath(page.folder, name)).isFile()) << name;
        const double voiceMs = Mp3LengthMs(JoinPath(page.folder, "sound.dat"));
        ASSERT_GT(voiceMs, 1000.0);
        EXPECT_NEAR(MilliSecondsToFrameNo(static_cast<uint32_t>(voiceMs)), page.catalogueFrames, 1);
    }
}

TEST_F(DemoSession, PacketFilesAreWholeRecordsInTimeOrderAndEndBeforeTheVoice)
{
    for (const TReadPage& page : s_pages) {
        SCOPED_TRACE(page.id.toStdString());
        const QString path = JoinPath(page.folder, "packet.dat");
        EXPECT_EQ(QFileInfo(path).size() % static_cast<qint64>(kPacketItemSize), 0);
        const std::vector<TPacketItem> items = ReadPackets(path);
        ASSERT_FALSE(items.empty());
        const double voiceMs = Mp3LengthMs(JoinPath(page.folder, "sound.dat"));
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_GE(items[i].FrameNo, 0);
            if (i > 0) {
                EXPECT_GE(items[i].FrameNo, items[i - 1].FrameNo) << "record " << i;
            }
        }
        EXPECT_LT(items.back().FrameNo * kFrameMilliseconds, voiceMs);
    }
}

// Every command addresses an object created before it on the same page, every style and point
// stays in range, and every resource a command names is listed and present.
TEST_F(DemoSession, CommandsAddressExistingObjectsAndResources)
{
    const std::set<int> creators = {kStrokesCreate, kLineCreate,  kShapeCreate,   kPictureCreate,
                                    kClipCreate,    kRichTextCreate, kMarkerCreate};
    const std::set<int> unaddressed = {kViewScroll, kPointerShow, kPointerMove, kPointerHide};
    for (const TReadPage& page : s_pages) {
        SCOPED_TRACE(page.id.toStdString());
        const QDomElement root = LoadRoot(JoinPath(page.folder, "pageinfo.xml"));
        const QDomElement info = root.firstChildElement("pageinfo");
        const double width = info.attribute("width").toDouble(), height = info.attribute("height").toDouble();
        std::map<int, QString> resources;
        for (QDomElement r = root.firstChildElement("resources").firstChildElement(); !r.isNull();
             r = r.nextSiblingElement())
            resources[r.attribute("no").toInt()] = r.attribute("type");

        std::set<uint32_t> alive;
        for (const TPacketItem& item : ReadPackets(JoinPath(page.folder, "packet.dat"))) {
            const int code = item.PacketType;
            if (creators.count(code)) {
                EXPECT_TRUE(alive.insert(item.DrawNo).second) << "draw number reused: " << item.DrawNo;
            } else if (!unaddressed.count(code)) {
                EXPECT_TRUE(alive.count(item.DrawNo)) << "code " << code << " for missing " << item.DrawNo;
            }
            if (code == kPictureCreate || code == kClipCreate || code == kRichTextCreate) {
                EXPECT_TRUE(resources.count(item.ByteParam)) << "resource " << int(item.ByteParam);
            }
            if (code == kStrokePoint) {
                EXPECT_TRUE(item.FloatParam1 >= 0 && item.FloatParam1 <= width) << item.FloatParam1;
                EXPECT_TRUE(item.FloatParam2 >= 0 && item.FloatParam2 <= height) << item.FloatParam2;
            }
            if (code == kShapeStyle) {
                EXPECT_LT(PackedHighPart(item.FloatParam2), kColorTableSize);
                EXPECT_LT(PackedLowPart(item.FloatParam2), kColorTableSize);
                EXPECT_GE(PackedHighPart(item.FloatParam3), 1);
                EXPECT_LE(PackedHighPart(item.FloatParam3), 4);
            }
            if (code == kStrokesDelete || code == kLineDelete || code == kShapeDelete || code == kPictureDelete
                || code == kClipDelete || code == kRichTextDelete || code == kMarkerDelete)
                alive.erase(item.DrawNo);
        }
    }
}

TEST_F(DemoSession, ListedResourcesAndBoardPicturesExist)
{
    std::set<QString> kinds;
    for (const TReadPage& page : s_pages) {
        SCOPED_TRACE(page.id.toStdString());
        const QDomElement root = LoadRoot(JoinPath(page.folder, "pageinfo.xml"));
        const QDomElement image = root.firstChildElement("lectureimage");
        const QString kind = image.attribute("type");
        kinds.insert(kind);
        if (kind != "WhiteNote" && kind != "BlackBoard" && kind != "WhiteBorad") {
            EXPECT_TRUE(QFileInfo(JoinPath(page.folder, "bgimg" + image.attribute("fileext"))).isFile());
        }
        for (QDomElement r = root.firstChildElement("resources").firstChildElement(); !r.isNull();
             r = r.nextSiblingElement()) {
            const ResourceType type = GetResourceTypeFromName(r.attribute("type"));
            EXPECT_NE(type, ResourceType::ResourceNone) << r.attribute("type").toStdString();
            const QString file = JoinPath(page.folder, "resource", r.attribute("no") + GetResourceFileExt(type));
            EXPECT_GT(QFileInfo(file).size(), 0) << file.toStdString();
            EXPECT_EQ(r.attribute("deployed"), "true");
            bool numeric = true;
            for (const char* number : {"x", "y", "width", "height", "orderno"}) {
                r.attribute(number).toDouble(&numeric);
                EXPECT_TRUE(numeric) << number;
            }
        }
    }
    EXPECT_EQ(kinds, (std::set<QString>{"WhiteNote", "BlackBoard", "WhiteBorad", "LectureImage"}));
}

TEST_F(DemoSession, RichTextSurvivesTheReadersRewrite)
{
    int found = 0;
    for (const TReadPage& page : s_pages) {
        const QDomElement resources = LoadRoot(JoinPath(page.folder, "pageinfo.xml")).firstChildElement("resources");
        for (QDomElement r = resources.firstChildElement(); !r.isNull(); r = r.nextSiblingElement()) {
            if (r.attribute("type") != "RichXML")
                continue;
            ++found;
            const QByteArray file = ReadAll(JoinPath(page.folder, "resource", r.attribute("no") + ".rxm"));
            const QString rewritten = RewriteRichText(file);
            // The section must open right after the text start tag, not inside an earlier tag.
            EXPECT_GT(rewritten.indexOf("<![CDATA["), rewritten.indexOf("<text "));
            QDomDocument doc;
            ASSERT_TRUE(doc.setContent(rewritten)) << rewritten.toStdString();
            const QDomElement root = doc.documentElement();
            EXPECT_EQ(root.tagName(), "root");
            const QDomElement text = root.firstChildElement("text");
            ASSERT_FALSE(text.isNull());
            for (const char* number : {"fontsize", "colorindex", "opacity"}) {
                bool ok = false;
                text.attribute(number).toInt(&ok);
                EXPECT_TRUE(ok) << number;
            }
            EXPECT_TRUE(text.text().startsWith(QStringLiteral("정리"))) << text.text().toStdString();
            EXPECT_TRUE(text.text().contains("&")) << "shown as written, not as an entity";
        }
    }
    EXPECT_GE(found, 1);
}

// The demo shows every kind of command the player knows at least once.
TEST_F(DemoSession, UsesEveryKindOfCommandTheDemoPromises)
{
    std::set<int> codes, arrows, lineTypes;
    for (const TReadPage& page : s_pages)
        for (const TPacketItem& item : ReadPackets(JoinPath(page.folder, "packet.dat"))) {
            codes.insert(item.PacketType);
            if (item.PacketType == kLineStyle) {
                arrows.insert(item.ByteParam);
                lineTypes.insert(static_cast<int>(item.FloatParam4));
            }
        }
    for (int code : {1, 2, 3, 4, 5, 6, 7, 12, 21, 22, 31, 32, 33, 34, 35, 71, 72, 73, 81, 91, 101, 102, 103, 111, 121,
                     122, 123})
        EXPECT_TRUE(codes.count(code)) << "code " << code;
    for (int arrow : {2, 3, 4})
        EXPECT_TRUE(arrows.count(arrow)) << "arrow " << arrow;
    EXPECT_TRUE(lineTypes.count(2)) << "dashed line";
}

} // namespace
