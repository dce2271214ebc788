// The packet interpreter and the board render on any page: a 12-byte head (board width and height
// as written in the page description, then flags), the rest the page's packet file. The page is
// rebuilt through the seek the player uses, rendered whole, played again live on top, scaled to
// a miniature and, on a flag, zoomed. Whatever the records say (huge, NaN or negative places,
// sizes, pen widths, picture boxes, scroll values), the engine keeps its promises: the board is
// rendered completely and no larger than the board it was given.

#include "FuzzScratch.h"

#include "content/PacketFile.h"
#include "playback/BoardPicture.h"
#include "playback/HeadlessPlaybackView.h"
#include "playback/PlaybackEngine.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kHeadSize = 12;
// A board this side or less; sizes in the allowed range are folded below it so that one input
// cannot ask for the gigabyte a board of 16,384 x 16,384 takes. Sizes out of the range reach the
// page description as they are, which refuses them.
constexpr int32_t kLargestFuzzedSide = 2048;
constexpr int32_t kLargestSide = 16384;
constexpr uint32_t kPageFrames = 100000;
constexpr int kMiniatureWidth = 160;
constexpr uint32_t kZoomFlag = 1;
constexpr uint32_t kSmallScreenFlag = 2;

const QString kLectureName = QStringLiteral("A000000001");
const QString kPageId = QStringLiteral("p1");

QString BasePath()
{
    return JoinPath(FuzzScratchFolder(), QStringLiteral("data"));
}

QString PagePath()
{
    return PageFolder(BasePath(), kLectureName, kPageId);
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    WriteFuzzInput(QDir(FuzzScratchFolder()).relativeFilePath(path), reinterpret_cast<const uint8_t*>(bytes.constData()),
                   static_cast<size_t>(bytes.size()));
}

// The application (fonts for rich text), the board's pattern and the page's resources: picture 1,
// rich text 2, audio clip 3 (never opened by a board-only engine).
void SetUpOnce()
{
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_board_packets";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);   // lives as long as the process
    QImage pattern(16, 16, QImage::Format_ARGB32);
    pattern.fill(0xFFF4F8F0);
    QDir().mkpath(JoinPath(FuzzScratchFolder(), "exe", "image"));
    QImage picture(8, 6, QImage::Format_ARGB32);
    picture.fill(0xFF3070C0);
    const QString resources = PageResourceFolder(BasePath(), kLectureName, kPageId);
    QDir().mkpath(resources);
    if (!pattern.save(JoinPath(FuzzScratchFolder(), "exe", "image", "WhiteBoardFrameBG.png")) ||
        !picture.save(JoinPath(resources, "1.png"))) {
        std::abort();
    }
    WriteBytes(JoinPath(resources, "2.rxm"),
               QStringLiteral("<root><text a=\"1\">가나다 board</text></root>").toUtf8());
}

int32_t ReadInt32(const uint8_t* p_data)
{
    int32_t value = 0;
    std::memcpy(&value, p_data, sizeof value);
    return value;
}

int32_t FoldSide(int32_t p_nSide)
{
    if (p_nSide < 1 || p_nSide > kLargestSide) {
        return p_nSide;
    }
    return 1 + (p_nSide - 1) % kLargestFuzzedSide;
}

void WritePage(int32_t p_nWidth, int32_t p_nHeight, const uint8_t* p_packets, size_t p_nSize)
{
    WriteBytes(JoinPath(PagePath(), "pageinfo.xml"),
               QStringLiteral("<root><pageinfo width=\"%1\" height=\"%2\"/>"
                              "<lectureimage type=\"WhiteBorad\" fileext=\".png\"/><resources>"
                              "<r no=\"1\" type=\"PngImage\"/><r no=\"2\" type=\"RichXML\"/><r no=\"3\" type=\"MP3\"/>"
                              "</resources></root>")
                   .arg(p_nWidth)
                   .arg(p_nHeight)
                   .toUtf8());
    WriteBytes(JoinPath(PagePath(), "packet.dat"),
               QByteArray(reinterpret_cast<const char*>(p_packets), static_cast<qsizetype>(p_nSize)));
}

void ExpectWholeBoardRendered(TPlaybackEngine& p_engine)
{
    const QSize board = p_engine.GetBoardSize();
    FuzzCheck(board.width() <= kLargestFuzzedSide * 2 && board.height() <= kLargestFuzzedSide * 2,
              "the board is no larger than the page's board at the zoom");
    p_engine.EnsureBoardRendered(QRect(QPoint(0, 0), board));
    FuzzCheck(p_engine.Board().IsComplete(), "the whole board is rendered");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeadSize) {
        return 0;
    }
    SetUpOnce();
    uint32_t flags = 0;
    std::memcpy(&flags, data + 8, sizeof flags);
    WritePage(FoldSide(ReadInt32(data)), FoldSide(ReadInt32(data + 4)), data + kHeadSize, size - kHeadSize);

    TPlayerState state;
    state.m_sExeDir = JoinPath(FuzzScratchFolder(), "exe");
    state.m_sBasePath = BasePath();
    THeadlessPlaybackView view((flags & kSmallScreenFlag) != 0 ? QSize(320, 200) : QSize(1280, 720));
    TPlaybackEngine engine(state, view);
    engine.SetBoardOnly();
    TLectureInfo page;
    page.PageName = kLectureName;
    page.PageID = kPageId;
    page.FrameCount = kPageFrames;
    page.PlayMileSeconds = static_cast<int32_t>(kPageFrames) * kFrameMilliseconds;
    engine.UsePageList({page});

    // Rebuilt at the end of the page: every record plays in rebuild mode.
    state.m_bClickTabLecturePage = true;
    state.m_intCurrentMilesSecond = page.PlayMileSeconds;
    engine.ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(page.PlayMileSeconds));
    ExpectWholeBoardRendered(engine);

    // The same records live on top: scrolling, the pointer and the repaints of changed parts.
    const std::vector<TPacketItem> packets = engine.GetPacketFile().GetPacketList();
    for (const TPacketItem& packet : packets) {
        engine.PacketPlay(packet, true, false);
    }
    ExpectWholeBoardRendered(engine);
    const TBoardMiniature miniature = PaintBoardMiniature(engine, kMiniatureWidth, view.GetVisibleBoardRect());
    FuzzCheck(miniature.image.width() <= kMiniatureWidth && miniature.image.height() <= kMiniatureWidth * kMiniatureMaxAspect,
              "the miniature stays within its width and the tallest it may be");

    if ((flags & kZoomFlag) != 0) {
        engine.ResizeingImage(true);
        ExpectWholeBoardRendered(engine);
    }
    return 0;
}
