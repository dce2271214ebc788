// ravo-tool launch --text TEXT [--timeout S] [--player PATH]: stands in for the launcher. It
// creates the shared block with the launch text at byte 0 and room for the result from byte
// 32768, starts the player, waits for the result event and prints the result text.
// Exit 0 with a result; 2 on bad usage, on timeout (the player is then ended) or when the
// player ended without a result.

#include "ToolCommands.h"

#include "platform/ipc/NamedEvent.h"
#include "platform/ipc/SharedBlock.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <optional>

namespace {

// The launch text's half and the result's half.
constexpr std::size_t kLaunchBlockSize = kResultTextOffset * 2;
constexpr int kPollMs = 50;
constexpr int kPlayerEndWaitMs = 10000;
constexpr int kTerminateWaitMs = 3000;

struct TLaunchArgs {
    QString launchText;
    std::optional<double> timeoutSeconds;   // none: wait as long as the player runs
    QString player;
};

std::optional<TLaunchArgs> ParseLaunchArgs(const QStringList& args)
{
    const std::optional<QHash<QString, QString>> options =
        ParseToolOptions(args, {QStringLiteral("--text"), QStringLiteral("--timeout"), QStringLiteral("--player")});
    if (!options || !options->contains(QStringLiteral("--text"))) {
        return std::nullopt;
    }
    TLaunchArgs parsed;
    parsed.launchText = options->value(QStringLiteral("--text"));
    parsed.player = options->value(QStringLiteral("--player"));
    if (options->contains(QStringLiteral("--timeout"))) {
        bool ok = false;
        parsed.timeoutSeconds = options->value(QStringLiteral("--timeout")).toDouble(&ok);
        if (!ok || *parsed.timeoutSeconds <= 0.0) {
            return std::nullopt;
        }
    }
    if (parsed.player.isEmpty()) {
        const QString dir = QCoreApplication::applicationDirPath();
        parsed.player = QStandardPaths::findExecutable(QStringLiteral("ravo-player"), {dir});
        if (parsed.player.isEmpty()) {
            parsed.player = JoinPath(dir, QStringLiteral("ravo-player"));
        }
    }
    return parsed;
}

// The block and the event, created fresh for this run and removed at its end.
class TLauncherChannel {
public:
    ~TLauncherChannel()
    {
        m_block.Close();
        m_event.Close();
        TSharedBlock::Unlink(kLaunchBlockName);
        TNamedEvent::Unlink(kResultEventName);
    }

    bool Create(const QByteArray& p_launchBytes)
    {
        // A result event left set by an earlier run must not pass for this run's result.
        TNamedEvent::Unlink(kResultEventName);
        return m_block.Create(kLaunchBlockName, kLaunchBlockSize) &&
               m_block.WriteBytes(0, p_launchBytes.constData(), static_cast<std::size_t>(p_launchBytes.size())) &&
               m_event.CreateOrOpen(kResultEventName);
    }

    bool ResultArrived() { return m_event.Wait(0); }

    QString ResultText() const
    {
        const std::vector<uint8_t> bytes = m_block.ReadBytes(kResultTextOffset, kLaunchBlockSize - kResultTextOffset);
        std::size_t length = 0;
        while (length < bytes.size() && bytes[length] != 0) {
            ++length;
        }
        return QString::fromLocal8Bit(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(length));
    }

private:
    TSharedBlock m_block;
    TNamedEvent m_event;
};

void EndPlayer(QProcess& p_player)
{
    p_player.terminate();
    if (!p_player.waitForFinished(kTerminateWaitMs)) {
        p_player.kill();
        p_player.waitForFinished(kTerminateWaitMs);
    }
}

} // namespace

int RunLaunchCommand(const QStringList& args)
{
    const std::optional<TLaunchArgs> parsed = ParseLaunchArgs(args);
    if (!parsed) {
        ToolError(QStringLiteral("usage: ravo-tool launch --text LAUNCH_TEXT [--timeout SECONDS] [--player PATH]"));
        return kToolExitUsage;
    }
    QByteArray launchBytes = parsed->launchText.toLocal8Bit();
    launchBytes.append('\0');
    if (static_cast<std::size_t>(launchBytes.size()) > kLaunchTextMaxBytes) {
        ToolError(QStringLiteral("ravo-tool launch: the launch text is longer than %1 bytes").arg(kLaunchTextMaxBytes - 1));
        return kToolExitUsage;
    }
    TLauncherChannel channel;
    if (!channel.Create(launchBytes)) {
        ToolError(QStringLiteral("ravo-tool launch: cannot create the shared block or the result event"));
        return kToolExitProblem;
    }

    QProcess player;
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.setStandardOutputFile(QProcess::nullDevice());
    player.start(parsed->player, {});
    if (!player.waitForStarted()) {
        ToolError(QStringLiteral("ravo-tool launch: cannot start %1: %2").arg(parsed->player, player.errorString()));
        return kToolExitUsage;
    }

    QDeadlineTimer deadline(QDeadlineTimer::Forever);
    if (parsed->timeoutSeconds) {
        deadline.setRemainingTime(static_cast<qint64>(*parsed->timeoutSeconds * 1000.0));
    }
    bool haveResult = false;
    while (!haveResult) {
        haveResult = channel.ResultArrived();
        if (haveResult) {
            break;
        }
        if (player.state() == QProcess::NotRunning || player.waitForFinished(kPollMs)) {
            // The event may have been set just before the player ended.
            haveResult = channel.ResultArrived();
            break;
        }
        if (deadline.hasExpired()) {
            ToolError(QStringLiteral("ravo-tool launch: no result within %1 s").arg(*parsed->timeoutSeconds));
            EndPlayer(player);
            return kToolExitUsage;
        }
    }
    if (!haveResult) {
        ToolError(QStringLiteral("ravo-tool launch: the player ended without a result"));
        return kToolExitUsage;
    }
    std::printf("%s\n", channel.ResultText().toLocal8Bit().constData());
    std::fflush(stdout);
    // The player closes right after handing off; give it the time to end by itself.
    if (!player.waitForFinished(kPlayerEndWaitMs)) {
        EndPlayer(player);
    }
    return kToolExitOk;
}
