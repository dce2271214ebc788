// ravo-tool launch --text TEXT [--timeout S] [--player PATH] [--scope NAME]: stands in for the
// launcher. It creates the shared block with the launch text at byte 0 and room for the result
// from byte 32768, starts the player, waits for the result event and prints the result text.
// One launch of a user runs at a time (per scope): a second is refused while the first runs, so
// no launch can take another's result or remove its names. --scope gives the launch and its
// player names of their own (passed on to the player as --scope).
// Exit 0 with a result; 2 on bad usage, on timeout (the player is then ended) or when the
// player ended without a result; 1 when the names cannot be made or another launch runs.

#include "ToolCommands.h"

#include "platform/ipc/NamedEvent.h"
#include "platform/ipc/NamedLock.h"
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
    std::string scope;
};

std::optional<TLaunchArgs> ParseLaunchArgs(const QStringList& args)
{
    const std::optional<QHash<QString, QString>> options =
        ParseToolOptions(args, {QStringLiteral("--text"), QStringLiteral("--timeout"), QStringLiteral("--player"),
                                QStringLiteral("--scope")});
    if (!options || !options->contains(QStringLiteral("--text"))) {
        return std::nullopt;
    }
    TLaunchArgs parsed;
    parsed.launchText = options->value(QStringLiteral("--text"));
    parsed.player = options->value(QStringLiteral("--player"));
    parsed.scope = options->value(QStringLiteral("--scope")).toStdString();
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

enum class TChannelState { Ready, Busy, Failed };

// The block and the event, created fresh for this run and removed at its end. The launch lock
// is held meanwhile: names found without it were left by a launch that ended without removing
// them (killed), and go.
class TLauncherChannel {
public:
    explicit TLauncherChannel(const std::string& p_sScope)
        : m_sBlockName(ScopedLaunchName(kLaunchBlockName, p_sScope)),
          m_sEventName(ScopedLaunchName(kResultEventName, p_sScope))
    {
    }

    ~TLauncherChannel()
    {
        if (!m_bOwner) {
            return;
        }
        m_block.Close();
        m_event.Close();
        TSharedBlock::Unlink(m_sBlockName);
        TNamedEvent::Unlink(m_sEventName);
    }

    TChannelState Create(const QByteArray& p_launchBytes)
    {
        if (!m_lock.TryTake(LaunchLockName(m_sBlockName))) {
            return TChannelState::Busy;
        }
        m_bOwner = true;
        // A result event left set by an earlier run must not pass for this run's result.
        TSharedBlock::Unlink(m_sBlockName);
        TNamedEvent::Unlink(m_sEventName);
        const bool made =
            m_block.CreateNew(m_sBlockName, kLaunchBlockSize) &&
            m_block.WriteBytes(0, p_launchBytes.constData(), static_cast<std::size_t>(p_launchBytes.size())) &&
            m_event.CreateNew(m_sEventName);
        return made ? TChannelState::Ready : TChannelState::Failed;
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
    std::string m_sBlockName;
    std::string m_sEventName;
    TNamedLock m_lock;
    bool m_bOwner = false;   // holds the lock: the names are this run's to remove
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
        ToolError(QStringLiteral("usage: ravo-tool launch --text LAUNCH_TEXT [--timeout SECONDS] [--player PATH] "
                                 "[--scope NAME]"));
        return kToolExitUsage;
    }
    QByteArray launchBytes = parsed->launchText.toLocal8Bit();
    launchBytes.append('\0');
    if (static_cast<std::size_t>(launchBytes.size()) > kLaunchTextMaxBytes) {
        ToolError(QStringLiteral("ravo-tool launch: the launch text is longer than %1 bytes").arg(kLaunchTextMaxBytes - 1));
        return kToolExitUsage;
    }
    TLauncherChannel channel(parsed->scope);
    switch (channel.Create(launchBytes)) {
    case TChannelState::Busy:
        ToolError(QStringLiteral("ravo-tool launch: another launch of this user is running; "
                                 "one session plays at a time"));
        return kToolExitProblem;
    case TChannelState::Failed:
        ToolError(QStringLiteral("ravo-tool launch: cannot create the shared block or the result event"));
        return kToolExitProblem;
    case TChannelState::Ready:
        break;
    }

    QProcess player;
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.setStandardOutputFile(QProcess::nullDevice());
    QStringList playerArgs;
    if (!parsed->scope.empty()) {
        playerArgs << QStringLiteral("--scope") << QString::fromStdString(parsed->scope);
    }
    player.start(parsed->player, playerArgs);
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
