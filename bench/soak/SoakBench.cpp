// Plays a long session the way a learner leaves the player running at double speed: the engine on
// a headless view and the audio library on the manual output, whose clock this program drives as
// fast as the machine goes (an hour of session takes minutes). The pages carry a teacher's board
// work (strokes, lines, shapes, the pointer, scrolling); every few minutes the learner seeks back,
// which rebuilds the board. Prints the resident memory at every session minute and, after the
// warm-up, its growth.
// Goal: after the warm-up the resident memory stays within 5 MB.
// MALLOC_ARENA_MAX=1 in the environment shows how much of a growth is the allocator keeping freed
// memory in the heap of the render's second thread rather than memory the player still holds.
//
// usage: QT_QPA_PLATFORM=offscreen bench_soak [--minutes 60] [--pages 12] [--warm-up 10] [--speed 100]

#include "BenchMemory.h"
#include "BenchSession.h"
#include "soak/BoardWork.h"
#include "content/Mp3Fixture.h"

#include "draw/DrawManager.h"
#include "platform/graphics/GPStrokeCache.h"
#include "platform/audio/AudioLibrary.h"
#include "platform/audio/AudioTestOutput.h"
#include "playback/BoardWarmUp.h"
#include "playback/HeadlessPlaybackView.h"
#include "playback/PlaybackEngine.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t kOutputRate = 44100;
constexpr int kVoiceRate = 8000;              // a low rate makes long tracks quickly
constexpr int kTickMs = 72;                   // the window's frame clock
constexpr int kSeekEveryMinutes = 5;
constexpr int kSeekBackMs = 20000;
constexpr double kGoalMegabytes = 5.0;
constexpr int kPeakWindowMinutes = 5;

struct TSoakArgs {
    int minutes = 60;
    int pages = 12;
    int warmUp = 10;
    int speed = 100;   // percent above normal speed: 100 plays at 2x
};

TSoakArgs ParseArgs(const QStringList& args)
{
    TSoakArgs parsed;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        const int value = args[i + 1].toInt();
        if (args[i] == "--minutes") {
            parsed.minutes = value;
        } else if (args[i] == "--pages") {
            parsed.pages = value;
        } else if (args[i] == "--warm-up") {
            parsed.warmUp = value;
        } else if (args[i] == "--speed") {
            parsed.speed = value;
        }
    }
    parsed.pages = std::clamp(parsed.pages, 1, std::max(parsed.minutes, 1));
    return parsed;
}

// One lecture of `pages` pages sharing `minutes`, each with its voice and the same board work:
// a page's memory is then comparable with any other's, and what differs between them is growth.
bool MakeSession(TPlayerState& state, const QString& folder, const TSoakArgs& args)
{
    if (!BeginBenchSession(state, folder)) {
        return false;
    }
    const int seconds = args.minutes * 60 / args.pages;
    const QString voice = JoinPath(folder, "voice.mp3");
    std::printf("making a %d-second voice track with sox and lame ...\n", seconds);
    std::fflush(stdout);
    if (!MakeMp3(voice, static_cast<int64_t>(seconds) * kVoiceRate, kVoiceRate)) {
        return false;
    }
    const QByteArray bytes = PacketFileBytes(TBoardWork(1).Make(seconds));
    QStringList ids;
    for (int page = 0; page < args.pages; ++page) {
        ids << QStringLiteral("p%1").arg(page, 3, 10, QLatin1Char('0'));
        if (!WriteBenchPage(state, ids.back(), kBoardWidth, kBoardHeight, bytes) ||
            !QFile::copy(voice, JoinPath(BenchPageFolder(state, ids.back()), "sound.dat"))) {
            return false;
        }
    }
    return WriteBenchCatalogue(state, ids);
}

void AdvanceOutput(int milliseconds)
{
    AudioManualAdvance(static_cast<uint64_t>(milliseconds) * kOutputRate / 1000);
}

// The growth of the samples after the warm-up: the highest of the last minutes against the highest
// of the first minutes after the warm-up (a page's buffers come and go within a page), the
// spread, and the slope of a least-squares line in KB per session minute.
void PrintGrowth(const std::vector<double>& rss, int warmUp)
{
    if (static_cast<int>(rss.size()) < warmUp + 2 * kPeakWindowMinutes) {
        std::printf("too short for a warm-up of %d minutes\n", warmUp);
        return;
    }
    const std::vector<double> after(rss.begin() + warmUp, rss.end());
    const auto [low, high] = std::minmax_element(after.begin(), after.end());
    const double firstPeak = *std::max_element(after.begin(), after.begin() + kPeakWindowMinutes);
    const double lastPeak = *std::max_element(after.end() - kPeakWindowMinutes, after.end());
    const double n = static_cast<double>(after.size());
    double sumX = 0, sumY = 0, sumXY = 0, sumXX = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        const double x = static_cast<double>(i);
        sumX += x;
        sumY += after[i];
        sumXY += x * after[i];
        sumXX += x * x;
    }
    const double slope = (n * sumXY - sumX * sumY) / (n * sumXX - sumX * sumX);
    const double growth = lastPeak - firstPeak;
    std::printf("after the %d-minute warm-up: highest of the first and last %d minutes %.1f MB -> %.1f MB, "
                "growth %+.2f MB; spread %.2f MB, slope %+.1f KB/min\n",
                warmUp, kPeakWindowMinutes, firstPeak, lastPeak, growth, *high - *low, slope * 1024.0);
    std::printf("goal: within %.0f MB after the warm-up: %s\n", kGoalMegabytes, growth <= kGoalMegabytes ? "met" : "NOT met");
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const TSoakArgs args = ParseArgs(QGuiApplication::arguments());
    QTemporaryDir folder;
    TPlayerState state;
    g_studyInfo = TStudyInfo();
    g_studyInfo.study_mode = QStringLiteral("R");
    g_studyInfo.lecture_type = 1;
    g_studyInfo.lecture_count = 1;
    if (!HaveMp3Tools() || !MakeSession(state, folder.path(), args)) {
        std::fprintf(stderr, "cannot make the session (sox and lame are needed)\n");
        return 1;
    }
    AudioUseManualOutput(true);
    if (!BASS_Init(kDefaultDevice, kOutputRate, 2, nullptr, nullptr)) {
        return 1;
    }

    THeadlessPlaybackView view;
    view.m_onWait = AdvanceOutput;   // the output plays on while the player waits
    auto engine = std::make_unique<TPlaybackEngine>(state, view);
    AttachBoardWarmUp(*engine);   // as the window does
    if (!engine->LoadLectureInfo(state.m_sBasePath)) {
        return 1;
    }
    while (state.m_intPlaySpeed < args.speed) {
        engine->btnPlaySpeedUpMouseUp();
    }
    std::printf("soak: %d session minutes in %d pages at %d%% speed, board %d x %d, RSS every session minute\n",
                args.minutes, args.pages, state.m_intPlaySpeed + 100, kBoardWidth, kBoardHeight);
    std::printf("%8s %10s %10s %10s %16s\n", "minute", "RSS MB", "wall s", "objects", "stroke cache KB");

    QElapsedTimer wall;
    wall.start();
    std::vector<double> rss{ResidentMegabytes()};
    std::printf("%8d %10.1f %10.1f %10d %16d\n", 0, rss.back(), 0.0, 0, 0);
    int nextSeekMinute = kSeekEveryMinutes;
    while (view.m_nCloseRequestCount == 0 && state.m_intCurrentMilesSecond < state.m_intAllMileSecond) {
        AdvanceOutput(kTickMs);
        if (view.IsFrameClockEnabled()) {
            engine->tmFramePlayTimer();
        }
        const int minute = state.m_intCurrentMilesSecond / 60000;
        if (minute >= nextSeekMinute) {
            // The learner drags the seek bar back a little: the board is rebuilt.
            nextSeekMinute += kSeekEveryMinutes;
            engine->scbPlayMouseDown();
            view.SetSeekPosition(std::max(state.m_intCurrentMilesSecond - kSeekBackMs, 0));
            engine->scbPlayMouseUp();
        }
        while (static_cast<int>(rss.size()) <= minute) {
            rss.push_back(ResidentMegabytes());
            std::printf("%8zu %10.1f %10.1f %10d %16zu\n", rss.size() - 1, rss.back(),
                        static_cast<double>(wall.elapsed()) / 1e3, engine->GetDrawManager().GetCount(),
                        engine->Board().GetStrokeCache().GetUsedBytes() / 1024);
            std::fflush(stdout);
        }
    }
    PrintGrowth(rss, args.warmUp);
    engine.reset();
    BASS_Free();
    return 0;
}
