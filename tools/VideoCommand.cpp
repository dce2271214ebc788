// ravo-tool video --text LAUNCH_TEXT -o OUT.mp4 [--size WxH] [--fps N] [--speed P] [--zoom R]
// [--from MS] [--to MS]: the session as a video file, exactly as the player shows and sounds it,
// far faster than it plays. A progress line goes to standard error; Ctrl+C or SIGTERM stops the
// export and leaves no file behind.

#include "ToolCommands.h"
#include "ToolSession.h"

#include "video/VideoExport.h"

#include <QElapsedTimer>
#include <QRegularExpression>

#include <csignal>
#include <cstdio>
#include <optional>
#include <variant>

namespace {

constexpr QSize kSizeMin(32, 32);
constexpr QSize kSizeMax(7680, 4320);
constexpr int kFpsMax = 120;
constexpr int kSpeedMin = 100;
constexpr int kSpeedMax = 200;
constexpr float kZoomMin = 1.0f;
constexpr float kZoomMax = 2.0f;
// The progress line is written at most this often.
constexpr qint64 kProgressIntervalMs = 250;
constexpr qint64 kEstimateAfterMs = 1000;

const char* const kUsage =
    "usage: ravo-tool video --text LAUNCH_TEXT -o OUT.mp4 [--size WxH] [--fps N] [--speed P] [--zoom R] "
    "[--from MS] [--to MS]";

struct TVideoArgs {
    QString launchText;
    TVideoOptions options;
};

// The options, or what is wrong with them.
std::variant<TVideoArgs, QString> ParseVideoArgs(const QStringList& args)
{
    const std::optional<QHash<QString, QString>> options = ParseToolOptions(
        args, {"--text", "-o", "--size", "--fps", "--speed", "--zoom", "--from", "--to"});
    if (!options || !options->contains("--text") || options->value("-o").isEmpty()) {
        return QString::fromLatin1(kUsage);
    }
    TVideoArgs parsed;
    parsed.launchText = options->value("--text");
    TVideoOptions& video = parsed.options;
    video.output = options->value("-o");
    bool ok = true;
    if (options->contains("--size")) {
        const QRegularExpressionMatch match = QRegularExpression("^(\\d{1,5})x(\\d{1,5})$").match(options->value("--size"));
        video.size = match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
        if (video.size.width() % 2 != 0 || video.size.height() % 2 != 0 || video.size.width() < kSizeMin.width() ||
            video.size.height() < kSizeMin.height() || video.size.width() > kSizeMax.width() ||
            video.size.height() > kSizeMax.height()) {
            return QStringLiteral("--size must be WIDTHxHEIGHT, both even, from 32x32 to 7680x4320");
        }
    }
    if (options->contains("--fps")) {
        video.fps = options->value("--fps").toInt(&ok);
        if (!ok || video.fps < 1 || video.fps > kFpsMax) {
            return QStringLiteral("--fps must be a whole number of frames per second from 1 to %1").arg(kFpsMax);
        }
    }
    if (options->contains("--speed")) {
        video.speedPercent = options->value("--speed").toInt(&ok);
        if (!ok || video.speedPercent < kSpeedMin || video.speedPercent > kSpeedMax) {
            return QStringLiteral("--speed must be a percentage from %1 to %2, as the player's speed").arg(kSpeedMin).arg(kSpeedMax);
        }
    }
    if (options->contains("--zoom")) {
        video.zoom = options->value("--zoom").toFloat(&ok);
        if (!ok || video.zoom < kZoomMin || video.zoom > kZoomMax) {
            return QStringLiteral("--zoom must be a ratio from 1.0 to 2.0");
        }
    }
    for (const char* name : {"--from", "--to"}) {
        if (options->contains(name)) {
            const uint32_t ms = options->value(name).toUInt(&ok);
            if (!ok) {
                return QStringLiteral("%1 must be a session position in milliseconds").arg(QLatin1String(name));
            }
            if (QLatin1String(name) == QLatin1String("--from")) {
                video.fromMs = ms;
            } else {
                video.toMs = ms;
            }
        }
    }
    return parsed;
}

// The signal that asked the export to stop; 0 while none did.
volatile std::sig_atomic_t g_nStopSignal = 0;

extern "C" void StopOnSignal(int p_nSignal)
{
    g_nStopSignal = p_nSignal;
}

// SIGINT and SIGTERM stop the export between two frames for the command's length. A file size
// limit reached makes the write fail, as a full disk does, instead of killing the tool with the
// temporary file left behind.
class TStopSignals {
public:
    TStopSignals()
        : m_previousInt(std::signal(SIGINT, StopOnSignal)), m_previousTerm(std::signal(SIGTERM, StopOnSignal))
    {
#ifdef SIGXFSZ
        m_previousFileSize = std::signal(SIGXFSZ, SIG_IGN);
#endif
    }
    ~TStopSignals()
    {
        std::signal(SIGINT, m_previousInt);
        std::signal(SIGTERM, m_previousTerm);
#ifdef SIGXFSZ
        std::signal(SIGXFSZ, m_previousFileSize);
#endif
    }
    TStopSignals(const TStopSignals&) = delete;
    TStopSignals& operator=(const TStopSignals&) = delete;

private:
    void (*m_previousInt)(int);
    void (*m_previousTerm)(int);
    void (*m_previousFileSize)(int) = nullptr;
};

QString Clock(qint64 p_nMs)
{
    const qint64 seconds = p_nMs / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
}

// "video: 42 % · 0:12 elapsed · 0:16 left", rewritten in place.
class TProgressLine {
public:
    TProgressLine() { m_timer.start(); }

    void Show(int64_t p_nDone, int64_t p_nTotal)
    {
        const qint64 elapsed = m_timer.elapsed();
        if (p_nDone < p_nTotal && elapsed - m_nShownAt < kProgressIntervalMs) {
            return;
        }
        m_nShownAt = elapsed;
        // The estimate waits for the first second's pace.
        const QString left = elapsed < kEstimateAfterMs ? QStringLiteral("-:--") : Clock(elapsed * (p_nTotal - p_nDone) / p_nDone);
        std::fprintf(stderr, "\rvideo: %3d %% · %s elapsed · %s left   ", static_cast<int>(p_nDone * 100 / p_nTotal),
                     qPrintable(Clock(elapsed)), qPrintable(left));
        std::fflush(stderr);
        m_bShown = true;
    }
    // Ends the line before anything else is written below it.
    void Break()
    {
        if (m_bShown) {
            std::fputs("\n", stderr);
            m_bShown = false;
        }
    }
    qint64 Elapsed() const { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
    qint64 m_nShownAt = -kProgressIntervalMs;
    bool m_bShown = false;
};

const char* SignalName(int p_nSignal)
{
    return p_nSignal == SIGINT ? "SIGINT" : "SIGTERM";
}

} // namespace

int RunVideoCommand(const QStringList& args)
{
    const std::variant<TVideoArgs, QString> parsed = ParseVideoArgs(args);
    if (const QString* problem = std::get_if<QString>(&parsed)) {
        ToolError(problem->startsWith("usage:") ? *problem : QStringLiteral("ravo-tool video: ") + *problem);
        return kToolExitUsage;
    }
    const TVideoArgs& video = std::get<TVideoArgs>(parsed);
    const std::optional<TPlayerState> session = ReadToolSession(video.launchText);
    if (!session) {
        return kToolExitProblem;
    }
    TProgressLine progress;
    TVideoReport report;
    report.progress = [&progress](int64_t done, int64_t total) { progress.Show(done, total); };
    report.warning = [&progress](const QString& text) {
        progress.Break();
        ToolError(QStringLiteral("ravo-tool video: ") + text);
    };
    report.cancelled = [] { return g_nStopSignal != 0; };

    const TStopSignals stopSignals;
    TVideoExport exporter(*session, video.options, report);
    const TVideoExport::TResult result = exporter.Run();
    progress.Break();
    switch (result) {
    case TVideoExport::TResult::Cancelled:
        ToolError(QStringLiteral("ravo-tool video: interrupted by %1; %2 was not written")
                      .arg(QLatin1String(SignalName(g_nStopSignal)), video.options.output));
        return 128 + g_nStopSignal;
    case TVideoExport::TResult::Failed:
        ToolError(QStringLiteral("ravo-tool video: %1; %2 was not written").arg(exporter.Error(), video.options.output));
        return kToolExitProblem;
    case TVideoExport::TResult::Written:
        break;
    }
    const TVideoStats stats = exporter.Stats();
    std::printf("%s: %lld frames at %d fps, %d x %d, in %.1f s\n", qPrintable(video.options.output),
                static_cast<long long>(stats.frames), video.options.fps, video.options.size.width(),
                video.options.size.height(), progress.Elapsed() / 1000.0);
    return kToolExitOk;
}
