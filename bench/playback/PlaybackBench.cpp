// Prints, measured side by side in one run, each at device pixel ratio 1 and beside it at ratio 2
// (a screen scaled to 200 %: the board drawn at four times the pixels, the screen the same
// 1,920 x 1,040 logical pixels, so 3,840 x 2,080 device pixels):
// (a) a dense page (10,000 strokes of 30 points, board 1,600 x 1,200, zoom 200 %) played tick by
//     tick, once as one stroke group and once as 10,000 groups of one stroke: the cost of a tick
//     (interpreter and board rendering) at p50 and p99, beside a full repaint of the board as it
//     stands at that moment (the plain way: every object on every repaint); then the same with
//     the page's warm-up running on the other core all along;
// (b) a seek rebuild of pages of 200,000 and 400,000 packets at 100 % and 200 %: replay time,
//     the time until the part of the board on screen is rendered and the time the rest takes
//     after it, beside a plain full repaint: a first visit without the warm-up (nothing kept), a
//     first visit a second after the page started with its warm-up running as in the player, a
//     seek back within the played page; the same for the first rebuild after a zoom step two
//     seconds after the page started; and how long the warm-up takes;
// (c) the seek bar's preview on a page of 200,000 packets: the time from a hover to its picture
//     on a first hover (the preview's engine starts the page), at other seconds of the page and
//     on a hover again at a second already shown (kept), beside the player's seek rebuild of the
//     same point.
#include "draw/DrawManager.h"
#include "platform/audio/AudioLibrary.h"
#include "platform/audio/AudioTestOutput.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPStrokeCache.h"
#include "playback/BoardPreview.h"
#include "playback/BoardWarmUp.h"
#include "playback/HeadlessPlaybackView.h"
#include "playback/PlaybackEngine.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"
#include "session/PacketItems.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <thread>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBoardWidth = 1600;
constexpr int kBoardHeight = 1200;
constexpr int kStrokePoints = 30;
constexpr int kPacketsPerTick = 8;   // a stroke of 32 packets spans four ticks

double Seconds(const std::function<void()>& work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TPacketItem Packet(uint8_t type, int32_t frame, uint32_t drawNo, float fp1 = 0, float fp2 = 0, float fp3 = 0)
{
    return MakePacketItem(type, frame, drawNo, fp1, fp2, fp3);
}

// The packets of `strokes` wavy strokes of 30 points spread over the board, `perGroup` strokes
// to a group; frames advance one per tick's worth of packets.
std::vector<TPacketItem> StrokePackets(int strokes, int perGroup)
{
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> x(10.0f, kBoardWidth - 90.0f);
    std::uniform_real_distribution<float> y(10.0f, kBoardHeight - 30.0f);
    std::vector<TPacketItem> packets;
    packets.reserve(static_cast<size_t>(strokes) * (kStrokePoints + 4));
    const auto add = [&](uint8_t type, uint32_t drawNo, float fp1 = 0, float fp2 = 0, float fp3 = 0) {
        packets.push_back(Packet(type, static_cast<int32_t>(packets.size() / kPacketsPerTick), drawNo, fp1, fp2, fp3));
    };
    uint32_t group = 0;
    for (int i = 0; i < strokes; ++i) {
        if (i % perGroup == 0) {
            ++group;
            add(1, group);
            add(2, group, static_cast<float>(i % 12), 2, 100);
        }
        add(3, group);
        const float x0 = x(random);
        const float y0 = y(random);
        for (int j = 0; j < kStrokePoints; ++j) {
            add(4, group, x0 + 2.5f * j, y0 + 8.0f * std::sin(j * 0.45f + i));
        }
        add(5, group);
    }
    return packets;
}

QByteArray PacketFileBytes(const std::vector<TPacketItem>& items)
{
    QByteArray bytes(static_cast<qsizetype>(items.size() * kPacketItemSize), '\0');
    for (size_t i = 0; i < items.size(); ++i) {
        PacketItemToBytes(items[i], reinterpret_cast<unsigned char*>(bytes.data()) + i * kPacketItemSize);
    }
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

// One page of 1,600 x 1,200 on a whiteboard, its packet file, and an engine on a headless view
// of a 1,920 x 1,080 screen with its warm-up attached as in the player, started at the given zoom
// and device pixel ratio.
class TBenchSession {
public:
    TBenchSession(const std::vector<TPacketItem>& packets, float zoom, qreal ratio) : m_view(QSize(1920, 1040))
    {
        m_state.m_sExeDir = m_dir.filePath("exe");
        m_state.m_sBasePath = m_dir.filePath("data");
        m_state.m_viewRatio = zoom;
        QImage pattern(16, 16, QImage::Format_ARGB32);
        pattern.fill(0xFFF4F8F0);
        QDir().mkpath(JoinPath(m_state.m_sExeDir, "image"));
        pattern.save(JoinPath(m_state.m_sExeDir, "image", "WhiteBoardFrameBG.png"));
        const QString file = QStringLiteral("A000000001.wyl");
        m_state.m_arrayLectureName << file;
        WriteFile(JoinPath(LectureFolder(m_state.m_sBasePath, file), "lectureinfo.xml"),
                  "<root><pages><page id=\"p\" frames=\"1\"/></pages></root>");
        const QString page = PageFolder(m_state.m_sBasePath, LectureNameOf(file), "p");
        WriteFile(JoinPath(page, "pageinfo.xml"),
                  QStringLiteral("<root><pageinfo width=\"%1\" height=\"%2\"/><lectureimage type=\"WhiteBorad\" "
                                 "fileext=\".png\"/><resources/></root>")
                      .arg(kBoardWidth)
                      .arg(kBoardHeight)
                      .toUtf8());
        WriteFile(JoinPath(page, "packet.dat"), PacketFileBytes(packets));
        g_studyInfo.lecture_count = 1;
        m_engine = std::make_unique<TPlaybackEngine>(m_state, m_view);
        m_engine->SetDevicePixelRatio(ratio);
        m_warmUp = &AttachBoardWarmUp(*m_engine);
        m_engine->LoadLectureInfo(m_state.m_sBasePath);
    }

    TPlaybackEngine& Engine() { return *m_engine; }
    TBoardWarmUp& WarmUp() { return *m_warmUp; }
    TPlayerState& State() { return m_state; }

    // The bench page has no voice, so the catalogue starts nothing: the page is given a length
    // covering every packet and started, as a page with a voice of that length starts (its
    // warm-up with it).
    void CoverPackets(const std::vector<TPacketItem>& packets)
    {
        std::vector<TLectureInfo> pages = m_engine->GetLectureInfoList();
        pages[0].FrameCount = static_cast<uint32_t>(packets.back().FrameNo) + 1;
        pages[0].PlayMileSeconds = static_cast<int32_t>(pages[0].FrameCount) * kFrameMilliseconds;
        m_engine->UsePageList(pages);
        StartPage();
    }
    void StartPage() { m_engine->tabLecturePageClick(0); }
    // The session position of the page's last frame.
    int32_t EndMs() const
    {
        const TLectureInfo& page = m_engine->GetLectureInfoList()[0];
        return static_cast<int32_t>(page.StartFrameNo + page.FrameCount - 1) * kFrameMilliseconds;
    }

    // The plain way: the whole board, every object, on a fresh surface.
    double FullRepaintSeconds()
    {
        QImage image(m_engine->GetBoardImage().size(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(m_engine->GetBoardImage().devicePixelRatio());
        return Seconds([&] {
            image.fill(0xFFFFFFFF);
            TGPGraphics graphics(&image);
            m_engine->Board().PaintBoard(graphics);
        });
    }

private:
    QTemporaryDir m_dir;
    TPlayerState m_state;
    THeadlessPlaybackView m_view;
    std::unique_ptr<TPlaybackEngine> m_engine;
    TBoardWarmUp* m_warmUp = nullptr;   // the engine's
};

double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5));
    return values[index];
}

// With the warm-up: the page's packets are its packet file too, and the warm-up of the page runs
// all along beside the ticks, started again whenever it finishes (the first run rasterizes every
// figure, the later ones replay the page and blend the kept figures).
// The tick's p99 in seconds.
double BenchDensePage(const char* layout, int perGroup, bool withWarmUp, qreal ratio)
{
    constexpr int kStrokes = 10000;
    const std::vector<TPacketItem> packets = StrokePackets(kStrokes, perGroup);
    TBenchSession session(withWarmUp ? packets : std::vector<TPacketItem>{}, 2.0f, ratio);
    session.CoverPackets(packets);   // without its packets the page's warm-up warms nothing
    TBoardWarmUp* warmUp = withWarmUp ? &session.WarmUp() : nullptr;
    TPlaybackEngine& engine = session.Engine();
    std::vector<double> ticks;
    std::vector<double> repaints;
    const size_t tickCount = (packets.size() + kPacketsPerTick - 1) / kPacketsPerTick;
    const size_t sampleEvery = tickCount / 8;
    int warmUpsFinished = 0;
    for (size_t t = 0; t < tickCount; ++t) {
        const size_t first = t * kPacketsPerTick;
        const size_t last = std::min(first + kPacketsPerTick, packets.size());
        ticks.push_back(Seconds([&] {
            for (size_t i = first; i < last; ++i) {
                engine.PacketPlay(packets[i], true, false);
            }
        }));
        if ((t + 1) % sampleEvery == 0) {
            repaints.push_back(session.FullRepaintSeconds());
        }
        if (warmUp != nullptr && warmUp->GetFinishedCount() > warmUpsFinished) {
            warmUpsFinished = warmUp->GetFinishedCount();
            warmUp->Start({session.State(), engine.GetLectureInfoList(), 0, 2.0f, QSize(1920, 1040), QPoint(), ratio});
        }
    }
    const double p50 = Percentile(ticks, 0.50);
    const double p99 = Percentile(ticks, 0.99);
    const double repaint = Percentile(repaints, 0.5);
    std::printf("  %-28s ratio %.0f, %zu ticks: tick p50 %.3f ms, p99 %.3f ms, max %.2f ms | full repaint p50 %.0f ms "
                "(last %.0f ms) | full/p99 %.0f x, full/p50 %.0f x\n",
                layout, ratio, ticks.size(), p50 * 1e3, p99 * 1e3, Percentile(ticks, 1.0) * 1e3, repaint * 1e3,
                repaints.back() * 1e3, repaint / p99, repaint / p50);
    if (warmUp != nullptr) {
        std::printf("  %-28s warm-ups run to their end beside the ticks: %d\n", "", warmUpsFinished);
    }
    return p99;
}

// The page at ratio 1 and at ratio 2, and how much the tick's p99 grows.
void BenchDensePageAtBothRatios(const char* layout, int perGroup, bool withWarmUp)
{
    const double one = BenchDensePage(layout, perGroup, withWarmUp, 1.0);
    const double two = BenchDensePage(layout, perGroup, withWarmUp, 2.0);
    std::printf("  %-28s tick p99 ratio 2 / ratio 1: %.2f x\n", "", two / one);
}

struct TRebuildRun {
    double replay = 0.0;
    double onScreen = 0.0;
    double rest = 0.0;
    double Whole() const { return onScreen + rest; }
};

// A rebuild at the page's last frame: replay, the part on screen, then the rest of the board.
TRebuildRun Rebuild(TPlaybackEngine& engine, uint32_t frame)
{
    engine.RedrawUntilMP3FrameNo(frame);
    const TPlaybackEngine::TRebuildTiming timing = engine.GetLastRebuildTiming();
    const double rest = Seconds([&] { engine.EnsureBoardRendered(QRect(QPoint(0, 0), engine.Board().GetSurfaceSize())); });
    return {timing.replaySeconds, timing.renderSeconds, rest};
}

// What the learner gives the warm-up: from the page's start to a seek forward (reaching for the
// seek bar), and to the first zoom step.
constexpr int kSeekAllowanceMs = 1000;
constexpr int kZoomAllowanceMs = 2000;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The page started with nothing kept, as a page the learner has not seen.
Clock::time_point StartPageCold(TBenchSession& session)
{
    session.WarmUp().WaitIdle();
    session.Engine().Board().GetStrokeCache().Clear();
    const Clock::time_point start = Clock::now();
    session.StartPage();
    return start;
}

void SleepUntil(Clock::time_point start, int ms)
{
    std::this_thread::sleep_until(start + std::chrono::milliseconds(ms));
}

// How long the warm-up of a page start takes with nothing else to do: the parts on screen, and
// the whole boards.
std::pair<double, double> WarmUpMs(TBenchSession& session)
{
    TBoardWarmUp& warmUp = session.WarmUp();
    warmUp.WaitIdle();
    const int onScreenBefore = warmUp.GetOnScreenWarmedCount();
    const Clock::time_point start = StartPageCold(session);
    while (warmUp.GetOnScreenWarmedCount() == onScreenBefore) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double onScreen = MsSince(start);
    warmUp.WaitIdle();
    return {onScreen, MsSince(start)};
}

// A page started and left at once: how soon the warm-up under way stops (the cancel starts
// nothing, so the wait ends when the one under way has stopped).
double WarmUpStopMs(TBenchSession& session)
{
    StartPageCold(session);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    TBoardWarmUp& warmUp = session.WarmUp();
    const Clock::time_point start = Clock::now();
    warmUp.Cancel();
    warmUp.WaitIdle();
    return MsSince(start);
}

// The first rebuild after a zoom step at the page's last frame (one step in, or out from 200 %).
TRebuildRun ZoomStep(TBenchSession& session)
{
    TPlaybackEngine& engine = session.Engine();
    const TLectureInfo& page = engine.GetLectureInfoList()[0];
    session.State().m_dCurrentPlayPosition = (page.FrameCount - 1) * static_cast<uint32_t>(kFrameMilliseconds);
    const bool increase = session.State().m_viewRatio < 1.5f;
    engine.ResizeingImage(increase);
    const TPlaybackEngine::TRebuildTiming timing = engine.GetLastRebuildTiming();
    const double rest = Seconds([&] { engine.EnsureBoardRendered(QRect(QPoint(0, 0), engine.Board().GetSurfaceSize())); });
    engine.ResizeingImage(!increase);
    return {timing.replaySeconds, timing.renderSeconds, rest};
}

void PrintRun(const char* name, const TRebuildRun& run, double plain)
{
    std::printf("      %s: on screen after %4.0f ms, the rest %4.0f ms later | plain / on screen %5.1f x, "
                "plain / whole board %5.1f x\n",
                name, run.onScreen * 1e3, run.rest * 1e3, plain / run.onScreen, plain / run.Whole());
}

// The first visit with the warm-up (on screen after, in seconds).
double BenchSeekRebuild(int packetCount, float zoom, qreal ratio)
{
    const std::vector<TPacketItem> packets = StrokePackets(packetCount / (kStrokePoints + 2), 50);
    TBenchSession session(packets, zoom, ratio);
    session.CoverPackets(packets);
    TPlaybackEngine& engine = session.Engine();
    const uint32_t lastFrame = static_cast<uint32_t>(packets.back().FrameNo);
    Rebuild(engine, lastFrame);   // warm up the program itself
    const auto [onScreenMs, wholeMs] = WarmUpMs(session);
    const double stopMs = WarmUpStopMs(session);

    // Without the warm-up: the page's strokes never drawn, nothing kept.
    session.WarmUp().WaitIdle();
    engine.Board().GetStrokeCache().Clear();
    const TRebuildRun bare = Rebuild(engine, lastFrame);
    const TRebuildRun bareZoom = [&] {
        engine.Board().GetStrokeCache().Clear();
        const TRebuildRun run = ZoomStep(session);
        session.WarmUp().WaitIdle();
        return run;
    }();

    // As in the player: the page starts (its warm-up with it), the learner seeks to the page's end
    // a moment later; whatever the warm-up has not done by then is left to the seek.
    Clock::time_point start = StartPageCold(session);
    SleepUntil(start, kSeekAllowanceMs);
    const TRebuildRun first = Rebuild(engine, lastFrame);
    session.WarmUp().WaitIdle();
    // A seek back within the played page: every stroke's coverage kept from the first render.
    const TRebuildRun back = Rebuild(engine, lastFrame);
    // The first zoom step a while after the page started, at the page's end.
    start = StartPageCold(session);
    SleepUntil(start, kSeekAllowanceMs);
    Rebuild(engine, lastFrame);
    SleepUntil(start, kZoomAllowanceMs);
    const TRebuildRun zoomed = ZoomStep(session);
    session.WarmUp().WaitIdle();

    const double plain = session.FullRepaintSeconds();
    const double plainZoomed = [&] {
        engine.ResizeingImage(zoom < 1.5f);
        const double seconds = session.FullRepaintSeconds();
        engine.ResizeingImage(!(zoom < 1.5f));
        return seconds;
    }();
    session.WarmUp().WaitIdle();
    std::printf("  %6zu packets, %5d objects, zoom %3.0f %%, ratio %.0f: replay %.1f ms | plain full repaint %.0f ms\n",
                packets.size(), engine.GetDrawManager().GetCount(), zoom * 100.0, ratio, back.replay * 1e3, plain * 1e3);
    std::printf("      warm-up from the page start (zoom in use and a step each way): the parts on screen after "
                "%.0f ms, the whole boards after %.0f ms; one under way stops %.1f ms after the next start\n",
                onScreenMs, wholeMs, stopMs);
    std::printf("      seek to the page's end %d ms after the page started:\n", kSeekAllowanceMs);
    PrintRun("first visit, no warm-up", bare, plain);
    PrintRun("first visit, warm-up   ", first, plain);
    PrintRun("seek back              ", back, plain);
    std::printf("      zoom step %d ms after the page started (plain full repaint at the new zoom %.0f ms):\n",
                kZoomAllowanceMs, plainZoomed * 1e3);
    PrintRun("no warm-up             ", bareZoom, plainZoomed);
    PrintRun("warm-up                ", zoomed, plainZoomed);
    const TGPStrokeCache& cache = engine.Board().GetStrokeCache();
    std::printf("      stroke cache after the warm-up: %zu figures, %.1f MB of %.0f MB\n", cache.GetCount(),
                static_cast<double>(cache.GetUsedBytes()) / (1 << 20),
                static_cast<double>(cache.GetCapacityBytes()) / (1 << 20));
    return first.onScreen;
}

void BenchSeekRebuildAtBothRatios(int packetCount, float zoom)
{
    const double one = BenchSeekRebuild(packetCount, zoom, 1.0);
    const double two = BenchSeekRebuild(packetCount, zoom, 2.0);
    std::printf("      first visit with the warm-up, on screen after: ratio 1 %.0f ms, ratio 2 %.0f ms (%.2f x)\n",
                one * 1e3, two * 1e3, two / one);
}

// Milliseconds from a request to its picture: at once when kept, else when the handler has it
// (the event loop waits for it without spinning).
double HoverMs(TBoardPreview& preview, int32_t at)
{
    QEventLoop loop;
    preview.SetThumbnailHandler([&loop](const TBoardThumbnail&) { loop.quit(); });
    const Clock::time_point start = Clock::now();
    if (!preview.Request(at).picture) {
        loop.exec();
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BenchPreview()
{
    const std::vector<TPacketItem> packets = StrokePackets(200000 / (kStrokePoints + 2), 50);
    TBenchSession session(packets, 1.0f, 1.0);
    session.CoverPackets(packets);
    session.WarmUp().WaitIdle();
    const std::vector<TLectureInfo> pages = session.Engine().GetLectureInfoList();
    const uint32_t lastFrame = static_cast<uint32_t>(packets.back().FrameNo);
    const int32_t end = session.EndMs();

    // A first hover on a page the preview has not seen, then on one it prepared when the page
    // started (the window prepares the page playing).
    const double cold = [&] {
        TBoardPreview preview(session.State(), pages, QSize(1920, 1040));
        return HoverMs(preview, end);
    }();
    TBoardPreview preview(session.State(), pages, QSize(1920, 1040));
    preview.Prepare(0);
    while (preview.GetMadeCount() == 0) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double first = HoverMs(preview, end);
    const double back = HoverMs(preview, end - 1000);     // back within the page: rebuilt afresh
    const double middle = HoverMs(preview, end / 2);
    const double on = HoverMs(preview, end / 2 + 1000);   // on within the page: the rebuild carried on
    const double again = HoverMs(preview, end);
    const TRebuildRun rebuild = Rebuild(session.Engine(), lastFrame);
    const double rebuilt = (rebuild.replay + rebuild.onScreen) * 1e3;
    std::printf("  %zu packets, %d objects, board %d x %d, pictures %d px wide; time to picture:\n", packets.size(),
                session.Engine().GetDrawManager().GetCount(), kBoardWidth, kBoardHeight, TBoardPreview::kThumbnailWidth);
    std::printf("      first hover at the page's end: page not seen %.1f ms, page prepared %.1f ms | a second back "
                "%.1f ms | back to the middle %.1f ms | a second on %.1f ms | hover again %.3f ms\n",
                cold, first, back, middle, on, again);
    std::printf("      player's seek rebuild there: replay %.1f ms + on screen %.1f ms = %.1f ms | rebuild / first hover: "
                "prepared %.1f x, not seen %.1f x\n",
                rebuild.replay * 1e3, rebuild.onScreen * 1e3, rebuilt, rebuilt / first, rebuilt / cold);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    AudioUseManualOutput(true);
    BASS_Init(kDefaultDevice, 44100, 0, nullptr, nullptr);
    // "a", "b" or "c" runs one part only.
    const QString part = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (part.isEmpty() || part == QLatin1String("a")) {
        std::printf("(a) dense page: 10,000 strokes of 30 points, board 1600 x 1200 at 200 %%, %d packets a tick\n",
                    kPacketsPerTick);
        BenchDensePageAtBothRatios("one group of 10,000 strokes", 10000, false);
        BenchDensePageAtBothRatios("10,000 groups of one stroke", 1, false);
        std::printf("    the same with the page's warm-up running beside the ticks:\n");
        BenchDensePageAtBothRatios("one group of 10,000 strokes", 10000, true);
        BenchDensePageAtBothRatios("10,000 groups of one stroke", 1, true);
    }
    if (part.isEmpty() || part == QLatin1String("b")) {
        std::printf("(b) seek rebuild, board 1600 x 1200, groups of 50 strokes of 30 points\n");
        for (const float zoom : {1.0f, 2.0f}) {
            BenchSeekRebuildAtBothRatios(200000, zoom);
            BenchSeekRebuildAtBothRatios(400000, zoom);
        }
    }
    if (part.isEmpty() || part == QLatin1String("c")) {
        std::printf("(c) seek-bar preview of a 200,000-packet page\n");
        BenchPreview();
    }
    BASS_Free();
    return 0;
}
