// ravo-tool check --text LAUNCH_TEXT: reads every file of the session the way the player does
// and lists what the player would skip, cut short or fall back on: missing or unreadable
// catalogues and page descriptions, missing voice tracks and board pictures, missing or
// unreadable resource files (pictures, rich text, clips), rich text of no font size, truncated
// packet files, unknown packet codes and commands that name a resource the page does not list or
// one of another kind.
// One line per problem on standard output, then a summary. Exit 0 when there is none, 1 when
// there are problems, 2 on wrong arguments.

#include "ToolCommands.h"
#include "ToolSession.h"

#include "content/LectureCatalogue.h"
#include "content/PacketFile.h"
#include "content/PageDescription.h"
#include "draw/DrawRichXML.h"
#include "platform/audio/AudioLibrary.h"
#include "platform/graphics/GPImage.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QFileInfo>

#include <cstdio>
#include <set>

namespace {

// A page description read for checking only: nothing is shown.
class TNoBoardView : public TPageBoardView {
public:
    void SetFrameImage(const QString&) override {}
    void ReMovePlayerView() override {}
    void HidePointerStick() override {}
    void LoadLectureImage(const QString&, int32_t) override {}
    TIntPoint GetBoardSurfaceSize() const override { return m_ptSize; }
    void SetBoardSurfaceSize(const TIntPoint& size) override { m_ptSize = size; }
    void InvalidateBoard() override {}

private:
    TIntPoint m_ptSize;
};

// The packet codes the interpreter acts on; every other code does nothing.
bool IsKnownPacketType(uint8_t code)
{
    return (code >= 1 && code <= 8) || code == 12 || (code >= 21 && code <= 24) || (code >= 31 && code <= 35) ||
           (code >= 71 && code <= 74) || (code >= 81 && code <= 87) || (code >= 91 && code <= 93) ||
           (code >= 101 && code <= 103) || code == 111 || (code >= 121 && code <= 123);
}

bool IsPictureType(ResourceType kind)
{
    return kind == ResourceType::GifImage || kind == ResourceType::JpgImage || kind == ResourceType::PngImage;
}

// The kind a resource must have for the create command of that code; none for other codes.
std::optional<QString> ExpectedKindOfCommand(uint8_t code)
{
    switch (code) {
    case 71:
        return QStringLiteral("a picture");
    case 81:
        return QStringLiteral("an MP3 clip");
    case 91:
        return QStringLiteral("rich text");
    default:
        return std::nullopt;
    }
}

bool KindFitsCommand(uint8_t code, ResourceType kind)
{
    switch (code) {
    case 71:
        return IsPictureType(kind);
    case 81:
        return kind == ResourceType::MP3;
    case 91:
        return kind == ResourceType::RichXML;
    default:
        return true;
    }
}

const char* CatalogueStopText(TCatalogueStop stop)
{
    switch (stop) {
    case TCatalogueStop::None:
        return "";
    case TCatalogueStop::File:
        return "is not well-formed XML";
    case TCatalogueStop::Root:
        return "has no \"root\" element";
    case TCatalogueStop::Pages:
        return "has no \"pages\" element";
    case TCatalogueStop::Frames:
        return "has a page without a valid \"frames\"; it and the pages after it are left out";
    case TCatalogueStop::PageId:
        return "has a page whose \"id\" cannot be a folder name; it and the pages after it are left out";
    }
    return "";
}

const char* PageInfoStopText(TPageInfoStop stop)
{
    switch (stop) {
    case TPageInfoStop::None:
        return "";
    case TPageInfoStop::LectureKey:
        return "the page name carries no lecture number";
    case TPageInfoStop::File:
        return "is not well-formed XML";
    case TPageInfoStop::Root:
        return "has no \"root\" element";
    case TPageInfoStop::PageInfo:
        return "has no \"pageinfo\" with a valid width and height";
    case TPageInfoStop::BoardSize:
        return "asks for a board size that is not between 1 and 16384 pixels a side";
    case TPageInfoStop::LectureImage:
        return "has no \"lectureimage\" element";
    case TPageInfoStop::Resources:
        return "has no \"resources\" element";
    case TPageInfoStop::ResourceEntry:
        return "has a resource entry without a valid number; it and the entries after it are left out";
    }
    return "";
}

class TSessionCheck {
public:
    explicit TSessionCheck(TPlayerState& state) : m_state(state) {}

    void CheckSession()
    {
        TLectureCatalogue catalogue;
        const std::vector<TLectureReadResult> lectures = catalogue.LoadLectureInfo(m_state);
        // One result per lecture file, in launch order.
        for (size_t i = 0; i < lectures.size() && i < static_cast<size_t>(m_state.m_arrayLectureName.size()); ++i) {
            CheckCatalogue(lectures[i], m_state.m_arrayLectureName[static_cast<qsizetype>(i)]);
        }
        for (const TLectureInfo& page : catalogue.GetLectureInfoList()) {
            CheckPage(page);
        }
        m_nLectures = static_cast<int>(lectures.size());
        m_nPages = static_cast<int>(catalogue.GetLectureInfoList().size());
    }

    int GetProblemCount() const { return m_nProblems; }
    int GetLectureCount() const { return m_nLectures; }
    int GetPageCount() const { return m_nPages; }

private:
    void Problem(const QString& where, const QString& what)
    {
        std::printf("%s: %s\n", qPrintable(where), qPrintable(what));
        ++m_nProblems;
    }

    void CheckCatalogue(const TLectureReadResult& lecture, const QString& lectureFile)
    {
        if (lecture.stop == TCatalogueStop::None) {
            return;
        }
        const QString file = JoinPath(LectureFolder(m_state.m_sBasePath, lectureFile), QStringLiteral("lectureinfo.xml"));
        const bool missing = lecture.stop == TCatalogueStop::File && !QFileInfo(file).isFile();
        Problem(file, missing ? QStringLiteral("lecture catalogue missing")
                              : QStringLiteral("lecture catalogue %1").arg(QLatin1String(CatalogueStopText(lecture.stop))));
    }

    void CheckPage(const TLectureInfo& page)
    {
        const QString folder = PageFolder(m_state.m_sBasePath, page.PageName, page.PageID);
        const QString where = page.PageName + QLatin1Char('/') + page.PageID;
        CheckVoice(where, JoinPath(folder, QStringLiteral("sound.dat")));

        TNoBoardView view;
        TPageDescription description;
        const QString pageInfo = JoinPath(folder, QStringLiteral("pageinfo.xml"));
        const TPageInfoResult read = description.LoadPageInfo(m_state, m_state.m_sBasePath, page, view);
        if (read.stop == TPageInfoStop::File && !QFileInfo(pageInfo).isFile()) {
            Problem(pageInfo, QStringLiteral("page description missing"));
        } else if (read.stop != TPageInfoStop::None) {
            Problem(pageInfo, QStringLiteral("page description %1").arg(QLatin1String(PageInfoStopText(read.stop))));
        }
        if (read.stop == TPageInfoStop::None || read.stop == TPageInfoStop::ResourceEntry) {
            CheckBoardPicture(description);
        }
        const TResourceManager& resources = description.GetResourceManager();
        CheckResources(where, resources);
        CheckPackets(where, folder, resources);
    }

    void CheckVoice(const QString& where, const QString& path)
    {
        if (!QFileInfo(path).isFile()) {
            Problem(path, QStringLiteral("voice track missing (%1 plays the fallback voice)").arg(where));
            return;
        }
        if (GetSoundFrameCount(path) < 1) {
            Problem(path, QStringLiteral("voice track cannot be decoded (%1 plays the fallback voice)").arg(where));
        }
    }

    // Pattern boards come from the program's own pictures; a page picture is the page's file.
    void CheckBoardPicture(const TPageDescription& description)
    {
        if (m_state.m_nBoardType != kBoardPagePicture) {
            return;
        }
        const QString& path = description.GetLectureImagePath();
        if (!QFileInfo(path).isFile()) {
            Problem(path, QStringLiteral("board picture missing"));
        } else if (TGPImage(path).GetWidth() == 0) {
            Problem(path, QStringLiteral("board picture cannot be read"));
        }
    }

    void CheckResources(const QString& where, const TResourceManager& resources)
    {
        std::set<uint8_t> numbers;
        for (int i = 0; i < resources.GetResourceCount(); ++i) {
            const TResourceItem& item = *resources.GetResourceItem(i);
            const QString path = item.GetResourceFilePath();
            const QString name = QStringLiteral("%1 resource %2").arg(where).arg(item.GetResourceNo());
            if (!numbers.insert(item.GetResourceNo()).second) {
                Problem(name, QStringLiteral("listed more than once; commands reach the first entry"));
                continue;
            }
            const ResourceType kind = item.GetResourceType();
            if (kind == ResourceType::ResourceNone || GetResourceFileExt(kind).isEmpty()) {
                Problem(name, QStringLiteral("kind is not one with a file"));
                continue;
            }
            if (!QFileInfo(path).isFile()) {
                Problem(path, QStringLiteral("resource file missing (%1)").arg(name));
                continue;
            }
            CheckResourceFile(name, path, kind);
        }
    }

    void CheckResourceFile(const QString& name, const QString& path, ResourceType kind)
    {
        if (IsPictureType(kind) && TGPImage(path).GetWidth() == 0) {
            Problem(path, QStringLiteral("picture cannot be read (%1)").arg(name));
        } else if (kind == ResourceType::RichXML) {
            QString error;
            const std::optional<TRichXMLContent> content = TDrawRichXML::ReadRichXML(path, &error);
            if (!content) {
                Problem(path, QStringLiteral("rich text cannot be shown: %1 (%2)").arg(error, name));
            } else if (content->fontSize && *content->fontSize <= 0) {
                Problem(path, QStringLiteral("rich text has font size %1 and shows nothing (%2)")
                                  .arg(*content->fontSize)
                                  .arg(name));
            }
        } else if (kind == ResourceType::MP3) {
            const QString utf16 = path;
            const HSTREAM stream = BASS_StreamCreateFile(kFalse, utf16.utf16(), 0, 0, kStreamVoiceFlags);
            if (stream == 0) {
                Problem(path, QStringLiteral("audio clip cannot be decoded (%1)").arg(name));
            }
            BASS_StreamFree(stream);
        }
    }

    void CheckPackets(const QString& where, const QString& folder, const TResourceManager& resources)
    {
        const QString path = JoinPath(folder, QStringLiteral("packet.dat"));
        TPacketFile packets;
        const TPacketLoadResult load = packets.LoadPacketFile(path);
        switch (load.status) {
        case TPacketLoadStatus::Loaded:
            break;
        case TPacketLoadStatus::Missing:
            Problem(path, QStringLiteral("packet file missing (%1 plays over an empty board)").arg(where));
            return;
        case TPacketLoadStatus::Truncated:
            Problem(path, QStringLiteral("packet file truncated: %1 bytes after the last whole record are ignored")
                              .arg(load.ignoredBytes));
            break;
        case TPacketLoadStatus::Unreadable:
            Problem(path, QStringLiteral("packet file cannot be read: %1").arg(load.message));
            break;
        }
        const std::vector<TPacketItem>& list = packets.GetPacketList();
        for (size_t i = 0; i < list.size(); ++i) {
            CheckPacket(path, static_cast<int>(i), list[i], resources);
        }
    }

    void CheckPacket(const QString& path, int index, const TPacketItem& packet, const TResourceManager& resources)
    {
        const QString where = QStringLiteral("%1 record %2").arg(path).arg(index);
        if (!IsKnownPacketType(packet.PacketType)) {
            Problem(where, QStringLiteral("unknown packet code %1").arg(packet.PacketType));
            return;
        }
        const std::optional<QString> expected = ExpectedKindOfCommand(packet.PacketType);
        if (!expected) {
            return;
        }
        const TResourceItem* item = resources.FindResourceItem(packet.ByteParam);
        if (item == nullptr) {
            Problem(where, QStringLiteral("code %1 names resource %2, which the page does not list")
                               .arg(packet.PacketType)
                               .arg(packet.ByteParam));
        } else if (!KindFitsCommand(packet.PacketType, item->GetResourceType())) {
            Problem(where, QStringLiteral("code %1 names resource %2, which is not %3")
                               .arg(packet.PacketType)
                               .arg(packet.ByteParam)
                               .arg(*expected));
        }
    }

    TPlayerState& m_state;
    int m_nProblems = 0;
    int m_nLectures = 0;
    int m_nPages = 0;
};

} // namespace

int RunCheckCommand(const QStringList& args)
{
    if (args.size() != 2 || args[0] != QLatin1String("--text")) {
        ToolError(QStringLiteral("usage: ravo-tool check --text LAUNCH_TEXT"));
        return kToolExitUsage;
    }
    std::optional<TPlayerState> session = ReadToolSession(args[1]);
    if (!session) {
        return kToolExitProblem;
    }
    TPlayerState& state = *session;
    const TToolAudio audio;
    if (!audio.IsReady()) {
        return kToolExitProblem;
    }
    TSessionCheck check(state);
    check.CheckSession();
    std::printf("%d lectures, %d pages checked: %d problems\n", check.GetLectureCount(), check.GetPageCount(),
                check.GetProblemCount());
    return check.GetProblemCount() == 0 ? kToolExitOk : kToolExitProblem;
}
