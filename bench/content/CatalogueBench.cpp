// Builds the catalogue of a session of 100 pages with 5-minute MP3 voice tracks, once with
// tagged tracks (the length is in the info tag) and once with untagged ones (the length needs a
// scan of the frame headers), and prints the times side by side: all cores against one core.
// Goal: under 1 s in both cases, so that the player starts at once.
//
// usage: bench_catalogue [--pages N] [--seconds S] [--data FOLDER]

#include "content/LectureCatalogue.h"
#include "platform/audio/AudioLibrary.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <thread>

namespace {

bool Run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), process.readAllStandardError().constData());
        return false;
    }
    return true;
}

// One voice-like track of `seconds`, encoded at 128 kbps with and without the info tag.
bool MakeTracks(const QString& folder, int seconds)
{
    const QString wav = JoinPath(folder, "voice.wav");
    const QString tagged = JoinPath(folder, "tagged.mp3");
    const QString untagged = JoinPath(folder, "untagged.mp3");
    if (QFile::exists(tagged) && QFile::exists(untagged)) {
        return true;
    }
    QDir().mkpath(folder);
    std::printf("making %d-second tracks with sox and lame ...\n", seconds);
    std::fflush(stdout);
    return Run("sox", {"-R", "-r", "44100", "-c", "2", "-n", "-b", "16", wav, "synth", QString::number(seconds), "pinknoise",
                       "tremolo", "3", "60", "vol", "0.3"})
        && Run("lame", {"--quiet", "-b", "128", wav, tagged}) && Run("lame", {"--quiet", "-t", "-b", "128", wav, untagged})
        && QFile::remove(wav);
}

// A session folder whose one lecture has `pages` pages, each with its own copy of `track`.
bool MakeSession(const QString& sessionFolder, const QString& track, int pages, TPlayerState& state)
{
    state.m_sBasePath = sessionFolder;
    state.m_sExeDir = sessionFolder;
    state.m_arrayLectureName = QStringList{"A000000001.wyl"};
    const QString lectureFolder = LectureFolder(sessionFolder, "A000000001.wyl");
    QString catalogue = "<root><pages>";
    for (int page = 0; page < pages; ++page) {
        const QString id = QStringLiteral("p%1").arg(page, 3, 10, QLatin1Char('0'));
        catalogue += QStringLiteral("<page id=\"%1\" frames=\"1\"/>").arg(id);
        const QString sound = JoinPath(lectureFolder, id, "sound.dat");
        if (!QFile::exists(sound)) {
            QDir().mkpath(JoinPath(lectureFolder, id));
            if (!QFile::copy(track, sound)) {
                return false;
            }
        }
    }
    catalogue += "</pages></root>";
    QFile file(JoinPath(lectureFolder, "lectureinfo.xml"));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(catalogue.toUtf8()) > 0;
}

std::vector<int32_t> MeasureOnOneCore(const QStringList& paths)
{
    std::vector<int32_t> counts;
    for (const QString& path : paths) {
        counts.push_back(GetSoundFrameCount(path));
    }
    return counts;
}

// The best of `runs` catalogue builds, in milliseconds; the first run also warms the file cache.
double TimeCatalogue(TPlayerState& state, const TSoundBatchMeasure& measure, int runs, uint32_t& frames)
{
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        TLectureCatalogue catalogue;
        QElapsedTimer timer;
        timer.start();
        catalogue.LoadLectureInfo(state, measure);
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e6);
        frames = catalogue.GetLectureInfoList().empty() ? 0 : catalogue.GetLectureInfoList().back().FrameCount;
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int pages = 100;
    int seconds = 300;
    QString data = QStringLiteral(RAVO_BENCH_DATA);
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--pages") {
            pages = args[i + 1].toInt();
        } else if (args[i] == "--seconds") {
            seconds = args[i + 1].toInt();
        } else if (args[i] == "--data") {
            data = args[i + 1];
        }
    }
    const QString trackFolder = JoinPath(data, QStringLiteral("tracks-%1s").arg(seconds));
    if (!MakeTracks(trackFolder, seconds) || !BASS_Init(kNoSoundDevice, 44100, 0, nullptr, nullptr)) {
        return 1;
    }

    std::printf("catalogue of %d pages with %d-second 128 kbps MP3 tracks, %u cores, best of 3 (warm file cache)\n",
                pages, seconds, std::thread::hardware_concurrency());
    std::printf("%-10s %12s %12s %8s %10s %s\n", "tracks", "all cores", "one core", "ratio", "frames", "goal < 1000 ms");
    bool met = true;
    for (const char* kind : {"tagged", "untagged"}) {
        TPlayerState state;
        const QString session = JoinPath(data, QStringLiteral("session-%1-%2x%3s").arg(kind).arg(pages).arg(seconds));
        if (!MakeSession(session, JoinPath(trackFolder, QStringLiteral("%1.mp3").arg(kind)), pages, state)) {
            std::fprintf(stderr, "cannot build the session in %s\n", qPrintable(session));
            return 1;
        }
        uint32_t frames = 0;
        const double all = TimeCatalogue(state, MeasureSoundFrameCounts, 3, frames);
        const double one = TimeCatalogue(state, MeasureOnOneCore, 3, frames);
        met = met && all < 1000.0;
        std::printf("%-10s %9.1f ms %9.1f ms %8.2f %10u %s\n", kind, all, one, one / all, frames,
                    all < 1000.0 ? "met" : "MISSED");
    }
    BASS_Free();
    return met ? 0 : 1;
}
