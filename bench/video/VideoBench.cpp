// Prints, measured side by side in one run, the video export's speed and memory:
// (a) an hour of session (12 pages of 5 minutes with bench_soak's board work: a stroke, a line,
//     a shape, the pointer or a scroll every second or two on a 1,600 x 1,200 board) exported
//     small and fast (320 x 180, 10 fps, 200 %) only to watch the memory: the resident memory
//     every 5 session minutes, the muxer's index told apart, and the process's peak;
// (b) the demo session and (c) a session of one 5-minute page of 200,000 packets (strokes written
//     in reading order over a 1,600 x 1,200 board, scrolled as the recording follows them),
//     each exported at 1280 x 720, 30 fps, 100 %: frames per second, the ratio of the playing
//     time to the export's time (goal: 10x), the processor time of all threads and the load
//     average of the machine around the run (the machine may be busy with other work: a ratio
//     taken while other programs hold the cores is lower than on an idle machine), and beside
//     it the ratio two cores of its own would give at most (the processor time spread evenly).
//
// usage: QT_QPA_PLATFORM=offscreen bench_video [--skip-hour]

#include "BenchMemory.h"
#include "BenchSession.h"
#include "content/Mp3Fixture.h"
#include "soak/BoardWork.h"

#include "DemoLecture.h"
#include "session/LaunchParams.h"
#include "session/PacketItems.h"
#include "video/VideoExport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kVoiceRate = 8000;          // a low rate makes long tracks quickly
constexpr int kPageSeconds = 300;
constexpr int kHourPages = 12;
constexpr int kDensePackets = 200000;
constexpr double kGoalRatio = 10.0;
// The MP4 muxer keeps an entry of this many bytes for every sample written (a video frame, 1,024
// sound samples) until it writes the index at the end: memory that grows with the video's length
// by design, told apart from the rest.
constexpr double kIndexBytesPerSample = 64.0;
constexpr double kSoundSamplesPerEntry = 1024.0;

double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double ProcessorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

QString LoadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(' ', 0, 0) : QStringLiteral("?");
}

// A teacher writing in reading order: strokes of 30 points, 20 to a row, 30 rows to the board and
// from the top again; the packets spread evenly over the page's frames.
std::vector<TPacketItem> WritingPackets(int p_nPackets, int p_nSeconds)
{
    constexpr int kPoints = 30;
    constexpr int kPerStroke = kPoints + 4;
    const int frames = p_nSeconds * 1000 / kFrameMilliseconds;
    std::vector<TPacketItem> packets;
    packets.reserve(static_cast<size_t>(p_nPackets));
    const auto add = [&](uint8_t type, uint32_t drawNo, float fp1 = 0, float fp2 = 0, float fp3 = 0) {
        const int32_t frame = static_cast<int32_t>(static_cast<int64_t>(packets.size()) * frames / p_nPackets);
        packets.push_back(MakePacketItem(type, frame, drawNo, fp1, fp2, fp3));
    };
    for (uint32_t stroke = 1; static_cast<int>(packets.size()) + kPerStroke <= p_nPackets; ++stroke) {
        const int place = static_cast<int>(stroke - 1) % 600;
        const float left = 20.0f + static_cast<float>(place % 20) * 78.0f;
        const float top = 30.0f + static_cast<float>(place / 20) * 38.0f;
        add(1, stroke);
        add(2, stroke, static_cast<float>(stroke % 12), 2, 100);
        add(3, stroke);
        for (int i = 0; i < kPoints; ++i) {
            add(4, stroke, left + 2.2f * i, top + 9.0f * std::sin(i * 0.5f + stroke));
        }
        add(5, stroke);
    }
    return packets;
}

// One lecture of pages of 5 minutes, each with the same voice track and packets.
bool WritePagesSession(TPlayerState& state, const QString& folder, int pages, const std::vector<TPacketItem>& packets)
{
    if (!BeginBenchSession(state, folder)) {
        return false;
    }
    // The desk, the frame pictures, the layout and the fallback voice beside this program.
    state.m_sExeDir = QCoreApplication::applicationDirPath();
    const QString voice = JoinPath(folder, "voice.mp3");
    if (!MakeMp3(voice, static_cast<int64_t>(kPageSeconds) * kVoiceRate, kVoiceRate)) {
        return false;
    }
    const QByteArray bytes = PacketFileBytes(packets);
    QStringList ids;
    for (int page = 0; page < pages; ++page) {
        ids << QStringLiteral("p%1").arg(page, 3, 10, QLatin1Char('0'));
        if (!WriteBenchPage(state, ids.back(), kBoardWidth, kBoardHeight, bytes) ||
            !QFile::copy(voice, JoinPath(BenchPageFolder(state, ids.back()), "sound.dat"))) {
            return false;
        }
    }
    g_studyInfo = TStudyInfo();
    g_studyInfo.study_mode = QStringLiteral("R");
    g_studyInfo.lecture_type = 1;
    g_studyInfo.lecture_count = 1;
    return WriteBenchCatalogue(state, ids);
}

bool WriteDemo(TPlayerState& state, const QString& folder)
{
    state.m_sExeDir = QCoreApplication::applicationDirPath();
    QString error;
    if (ApplyLaunchText(QString::fromLatin1(kDemoLaunchText), state) || !WriteDemoSession(folder, &error)) {
        return false;
    }
    state.m_sBasePath = folder;
    return true;
}

struct TRun {
    bool written = false;
    double wallSeconds = 0.0;
    double processorSeconds = 0.0;
    TVideoStats stats;
};

TRun Export(const TPlayerState& state, const TVideoOptions& options, const TVideoReport& report = {})
{
    TVideoExport exporter(state, options, report);
    QElapsedTimer wall;
    const double processor = ProcessorSeconds();
    wall.start();
    TRun run;
    run.written = exporter.Run() == TVideoExport::TResult::Written;
    run.wallSeconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    run.processorSeconds = ProcessorSeconds() - processor;
    run.stats = exporter.Stats();
    if (!run.written) {
        std::fprintf(stderr, "export failed: %s\n", qPrintable(exporter.Error()));
    }
    return run;
}

void BenchHour(const QString& scratch)
{
    TPlayerState state;
    const std::vector<TPacketItem> work = TBoardWork(1).Make(kPageSeconds);
    if (!WritePagesSession(state, JoinPath(scratch, "hour"), kHourPages, work)) {
        std::fprintf(stderr, "cannot make the hour's session (sox and lame are needed)\n");
        return;
    }
    TVideoOptions options;
    options.output = JoinPath(scratch, "hour.mp4");
    options.size = QSize(320, 180);
    options.fps = 10;
    options.speedPercent = 200;
    // Frames per 5 session minutes at this speed.
    const int64_t every = int64_t{5} * 60 * options.fps * 100 / options.speedPercent;
    std::printf("(a) an hour in %d pages of the soak's board work (%zu packets a page), exported at 320 x 180, "
                "10 fps, 200 %%: resident memory\n",
                kHourPages, work.size());
    std::printf("%16s %10s %16s %16s\n", "session minute", "RSS MB", "muxer index MB", "RSS - index MB");
    TVideoReport report;
    const double entriesPerFrame = 1.0 + TVideoExport::kSampleRate / options.fps / kSoundSamplesPerEntry;
    report.progress = [every, entriesPerFrame](int64_t done, int64_t) {
        if (done % every == 0) {
            const double rss = ResidentMegabytes();
            const double index = static_cast<double>(done) * entriesPerFrame * kIndexBytesPerSample / (1024.0 * 1024.0);
            std::printf("%16lld %10.1f %16.1f %16.1f\n", static_cast<long long>(done / every * 5), rss, index, rss - index);
            std::fflush(stdout);
        }
    };
    const TRun run = Export(state, options, report);
    if (run.written) {
        std::printf("    %lld frames in %.1f s; peak RSS %.1f MB\n\n", static_cast<long long>(run.stats.frames),
                    run.wallSeconds, PeakResidentMegabytes());
    }
}

void BenchSpeed(const char* label, const TPlayerState& state, const QString& output)
{
    TVideoOptions options;
    options.output = output;
    const QString loadBefore = LoadAverage();
    const TRun run = Export(state, options);
    if (!run.written) {
        return;
    }
    const double playingSeconds = static_cast<double>(run.stats.playingMs) / 1e3;
    const double ratio = playingSeconds / run.wallSeconds;
    // The most two cores of its own would give: the processor time spread evenly over both.
    const double bound = playingSeconds / (run.processorSeconds / 2.0);
    std::printf("%-26s %8.1f %8lld %8lld %8.1f %8.1f %8.1f %7.1fx %7.1fx %12s %5s\n", label, playingSeconds,
                static_cast<long long>(run.stats.frames), static_cast<long long>(run.stats.converted),
                run.wallSeconds, run.stats.frames / run.wallSeconds, run.processorSeconds, ratio, bound,
                qPrintable(loadBefore + "->" + LoadAverage()), ratio >= kGoalRatio ? "met" : "NOT");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir scratch;
    if (!HaveMp3Tools()) {
        std::fprintf(stderr, "sox and lame are needed\n");
        return 1;
    }
    if (!QGuiApplication::arguments().contains(QStringLiteral("--skip-hour"))) {
        BenchHour(scratch.path());
    }

    std::printf("exports at 1280 x 720, 30 fps, 100 %% on %d cores (goal: %.0fx the playing time)\n",
                QThread::idealThreadCount(), kGoalRatio);
    std::printf("%-26s %8s %8s %8s %8s %8s %8s %8s %8s %12s %5s\n", "session", "play s", "frames", "new pic", "wall s",
                "frames/s", "CPU s", "ratio", "2-core", "load avg", "goal");
    TPlayerState demo;
    if (WriteDemo(demo, JoinPath(scratch.path(), "demo"))) {
        BenchSpeed("(b) demo", demo, JoinPath(scratch.path(), "demo.mp4"));
    }
    TPlayerState dense;
    if (WritePagesSession(dense, JoinPath(scratch.path(), "dense"), 1, WritingPackets(kDensePackets, kPageSeconds))) {
        BenchSpeed("(c) 200,000-packet page", dense, JoinPath(scratch.path(), "dense.mp4"));
    }
    return 0;
}
