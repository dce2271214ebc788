// ravo-tool launch and ravo-player as separate programs on a tiny session, the way the launcher
// and the learner meet them: a launch played to its end prints the handed-off result; a player
// started from the fallback file plays to its end and hands off nothing; a launch whose player
// never answers gives up; a second launch while one runs is refused and the first keeps its own
// result; on a screen of its own, a seek knob dropped at the far right end ends the session at
// once and hands off. Each test launches in a scope of its own.

#include "e2e/TinySession.h"
#include "e2e/VirtualScreen.h"

#include "content/Mp3Fixture.h"

#include "platform/ipc/NamedEvent.h"
#include "platform/ipc/SharedBlock.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kRunLimitMs = 60000;

class TCoreEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_e2e";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QCoreApplication> m_app;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new TCoreEnvironment);

struct TRun {
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
    qint64 elapsedMs = 0;
};

class TWholeProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dataHome.isValid());
        ASSERT_TRUE(WriteTinySession(m_dataHome.path()));
        // Nothing left over from another run may stand in for this run's block or result.
        TSharedBlock::Unlink(BlockName());
        TNamedEvent::Unlink(EventName());
    }
    void TearDown() override
    {
        TSharedBlock::Unlink(BlockName());
        TNamedEvent::Unlink(EventName());
        TSharedBlock::Unlink(LaunchLockName(BlockName()));
    }

    // This test's own launch names: no other test (or other run of the suite) shares them.
    static std::string Scope()
    {
        return "e2e_" + std::to_string(QCoreApplication::applicationPid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }
    static std::string BlockName() { return ScopedLaunchName(kLaunchBlockName, Scope()); }
    static std::string EventName() { return ScopedLaunchName(kResultEventName, Scope()); }

    // ravo-tool launch's arguments in this test's scope.
    static QStringList LaunchArgs(const QString& p_sLaunchText, const QStringList& p_more)
    {
        return QStringList{QStringLiteral("launch"), QStringLiteral("--text"), p_sLaunchText, QStringLiteral("--scope"),
                           QString::fromStdString(Scope())} +
               p_more;
    }

    static QString Program(const QString& p_sName) { return JoinPath(QCoreApplication::applicationDirPath(), p_sName); }

    TRun Run(const QString& p_sProgram, const QStringList& p_args)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dataHome.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // As under su, in a bare container or in CI: the programs must not complain about it.
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        process.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        process.start(p_sProgram, p_args);
        TRun run;
        run.finished = process.waitForFinished(kRunLimitMs);
        if (!run.finished) {
            process.kill();
            process.waitForFinished();
        }
        run.elapsedMs = clock.elapsed();
        run.exitCode = process.exitCode();
        run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        run.err = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }

    QTemporaryDir m_dataHome;
};

TEST_F(TWholeProgram, LaunchPlaysTheSessionToItsEndAndPrintsTheHandedOffResult)
{
    const TRun run = Run(Program(QStringLiteral("ravo-tool")),
                         LaunchArgs(QString::fromLatin1(kTinyLaunchText), {QStringLiteral("--timeout"), QStringLiteral("40")}));
    ASSERT_TRUE(run.finished) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QString::fromLatin1(kTinyResultText) + QLatin1Char('\n'));
    // Two pages of 1.5 s: played through, not cut short.
    EXPECT_GE(run.elapsedMs, 3000);
    EXPECT_FALSE(run.err.contains(QStringLiteral("XDG_RUNTIME_DIR"))) << run.err.toStdString();
}

TEST_F(TWholeProgram, ToolHelpPrintsTheUsageOfEveryCommand)
{
    for (const QString& ask : {QStringLiteral("--help"), QStringLiteral("-h"), QStringLiteral("help")}) {
        const TRun run = Run(Program(QStringLiteral("ravo-tool")), {ask});
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0) << ask.toStdString();
        EXPECT_TRUE(run.out.startsWith(QStringLiteral("usage: ravo-tool COMMAND"))) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("launch"))) << ask.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }
}

TEST_F(TWholeProgram, PlayerStartedFromTheFallbackFilePlaysToItsEndAndHandsOffNothing)
{
    ASSERT_TRUE(WriteLaunchFallbackFile(m_dataHome.path(), QString::fromLatin1(kTinyLaunchText)));
    TNamedEvent result;
    ASSERT_TRUE(result.CreateOrOpen(EventName()));

    const TRun run = Run(Program(QStringLiteral("ravo-player")), {QStringLiteral("--scope"), QString::fromStdString(Scope())});
    // The player closes by itself only once the session has been played to its end.
    ASSERT_TRUE(run.finished) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_GE(run.elapsedMs, 3000);
    EXPECT_FALSE(result.Wait(0));
    TSharedBlock block;
    EXPECT_FALSE(block.Open(BlockName()));
}

TEST_F(TWholeProgram, LaunchReportsAPlayerThatEndsWithoutAResult)
{
    const QString quitter = QStandardPaths::findExecutable(QStringLiteral("true"));
    ASSERT_FALSE(quitter.isEmpty());
    const TRun run = Run(Program(QStringLiteral("ravo-tool")),
                         LaunchArgs(QString::fromLatin1(kTinyLaunchText),
                                    {QStringLiteral("--player"), quitter, QStringLiteral("--timeout"), QStringLiteral("20")}));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("without a result"))) << run.err.toStdString();
}

// The player cannot read this launch text: it says so and waits to be closed. The launch gives
// up at its timeout and ends the player.
TEST_F(TWholeProgram, LaunchTimesOutWhenThePlayerNeverHandsOff)
{
    const TRun run = Run(Program(QStringLiteral("ravo-tool")),
                         LaunchArgs(QStringLiteral("A&S1&U1&x"), {QStringLiteral("--timeout"), QStringLiteral("2")}));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("no result within"))) << run.err.toStdString();
    EXPECT_LT(run.elapsedMs, 15000);
}

// While a launch runs, a second launch of the same user is refused with a message and removes
// nothing: the first launch's player plays on and its result reaches the first launch alone.
TEST_F(TWholeProgram, SecondLaunchWhileOneRunsIsRefusedAndTheFirstGetsItsOwnResult)
{
    QProcess first;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dataHome.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    first.setProcessEnvironment(environment);
    first.start(Program(QStringLiteral("ravo-tool")),
                LaunchArgs(QString::fromLatin1(kTinyLaunchText), {QStringLiteral("--timeout"), QStringLiteral("40")}));
    ASSERT_TRUE(first.waitForStarted());
    TSharedBlock block;
    QElapsedTimer clock;
    clock.start();
    while (!block.Open(BlockName()) && clock.elapsed() < 10000) {
        QThread::msleep(20);
    }
    ASSERT_TRUE(block.IsOpen()) << "the first launch made no block";
    block.Close();

    // The second launch would play another session (a different result) if it ran.
    const TRun second = Run(Program(QStringLiteral("ravo-tool")),
                            LaunchArgs(QStringLiteral("R&S1&U1&1&0&2&S9|,|1234&S9|,|57"),
                                       {QStringLiteral("--timeout"), QStringLiteral("40")}));
    ASSERT_TRUE(second.finished);
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.out.isEmpty()) << second.out.toStdString();
    EXPECT_TRUE(second.err.contains(QStringLiteral("another launch"))) << second.err.toStdString();
    EXPECT_LT(second.elapsedMs, 3000);

    ASSERT_TRUE(first.waitForFinished(kRunLimitMs));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_EQ(first.readAllStandardOutput().toStdString(), std::string(kTinyResultText) + '\n');
}

// A launch that was killed leaves its block and a set result event behind; the next launch takes
// the names over and gets its own result, not the stale one.
TEST_F(TWholeProgram, LaunchAfterAKilledLaunchTakesOverItsLeftNames)
{
    TSharedBlock left;
    ASSERT_TRUE(left.Create(BlockName(), 2 * kResultTextOffset));
    const char stale[] = "stale result";
    ASSERT_TRUE(left.WriteBytes(kResultTextOffset, stale, sizeof stale));
    TNamedEvent leftEvent;
    ASSERT_TRUE(leftEvent.CreateOrOpen(EventName()));
    ASSERT_TRUE(leftEvent.Set());

    const TRun run = Run(Program(QStringLiteral("ravo-tool")),
                         LaunchArgs(QString::fromLatin1(kTinyLaunchText), {QStringLiteral("--timeout"), QStringLiteral("40")}));
    ASSERT_TRUE(run.finished) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QString::fromLatin1(kTinyResultText) + QLatin1Char('\n'));
}

// The learner drags the seek knob past the right end of the track and lets go: the session stands
// at its end and hands off its result at once, instead of playing its last page (40 s) again.
TEST_F(TWholeProgram, SeekKnobDroppedAtTheFarRightEndHandsOffAtOnce)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) << "scripts/install-deps installs it";
    ASSERT_TRUE(HaveMp3Tools()) << "scripts/install-deps installs sox and lame";
    const QString lastPage = PageFolder(SessionBasePath(m_dataHome.path(), QStringLiteral("S1"), QStringLiteral("U1")),
                                        LectureNameOf(MakeLectureFileName(1, 0, QStringLiteral("57")).value_or(QString())),
                                        QStringLiteral("p1"));
    ASSERT_TRUE(MakeMp3(JoinPath(lastPage, QStringLiteral("sound.dat")), 40 * 8000, 8000));
    TVirtualScreen screen;
    ASSERT_TRUE(screen.Start());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dataHome.path());
    environment.insert(QStringLiteral("DISPLAY"), screen.Display());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    const auto xdotool = [&](const QStringList& args) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("xdotool"), args);
        return process.waitForFinished(kRunLimitMs) && process.exitCode() == 0;
    };

    QProcess launch;
    launch.setProcessEnvironment(environment);
    launch.start(Program(QStringLiteral("ravo-tool")),
                 LaunchArgs(QStringLiteral("R&S1&U1&1&0&2&S9|,|1234&S9|,|57"), {QStringLiteral("--timeout"), QStringLiteral("30")}));
    ASSERT_TRUE(xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--class"), QStringLiteral("ravo-player")}));
    // The seek track runs along the play row at the bottom of the screen.
    const QString row = QString::number(TVirtualScreen::kHeight - 12);
    ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QString::number(TVirtualScreen::kWidth / 2), row,
                         QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("mousemove"),
                         QString::number(TVirtualScreen::kWidth - 1), row, QStringLiteral("mouseup"), QStringLiteral("1")}));
    QElapsedTimer sinceDrop;
    sinceDrop.start();

    ASSERT_TRUE(launch.waitForFinished(kRunLimitMs)) << "no hand-off";
    EXPECT_EQ(launch.exitCode(), 0) << launch.readAllStandardError().toStdString();
    EXPECT_EQ(launch.readAllStandardOutput().toStdString(), std::string(kTinyResultText) + '\n');
    // The last page alone is 40 s long: played again, the hand-off would come far later.
    EXPECT_LT(sinceDrop.elapsed(), 15000);
}

} // namespace
