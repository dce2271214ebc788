// ravo-tool render run as a program: the PNG it writes is the board the engine rebuilds at that
// session position, zoom and scale; wrong arguments and a session without pages are refused.

#include "PlaybackTestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct TToolRun {
    int exitCode = -1;
    QString out;
};

class RenderToolTest : public PlaybackTest {
protected:
    TToolRun RunTool(const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", m_dir.filePath("roaming"));
        process.setProcessEnvironment(environment);
        process.start(RAVO_TOOL_PATH, QStringList{"render"} + args);
        TToolRun run;
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
            run.exitCode = process.exitCode();
            run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        }
        return run;
    }

    static const QString kLaunchText;
};

const QString RenderToolTest::kLaunchText = QStringLiteral("R&S1&U1&1&0&1&S9|,|1");

TEST_F(RenderToolTest, WritesTheBoardTheSeekRebuilds)
{
    m_state.m_sBasePath = SessionBasePath(m_dir.filePath("roaming"), "S1", "U1");
    m_state.m_sExeDir = QFileInfo(RAVO_TOOL_PATH).absolutePath();
    std::vector<TPacketItem> first{Packet(1, 0, 1), Packet(2, 0, 1, 4, 3, 100), Packet(3, 5, 1)};
    for (int i = 0; i < 20; ++i) {
        first.push_back(Packet(4, 5 + i, 1, 40.0f + 9 * i, 60.0f + 4 * i));
    }
    first.push_back(Packet(5, 25, 1));
    TPageSpec second{"b", SamplesOf(2000), {Packet(21, 2, 2, 10, 10, 300, 200), Packet(22, 2, 2, 9, 3, 100, 1, 4),
                                            Packet(21, 20, 3, 300, 10, 10, 200), Packet(22, 20, 3, 12, 4, 60, 2, 2),
                                            Packet(24, 40, 2)}};
    second.width = 500;
    second.height = 300;
    WriteSession({{{"a", SamplesOf(1500), first}, second}});
    const int32_t at = 1512 + 1000;   // 1,000 ms into the second page
    // At scale 2 the board of a screen scaled to 200 %: twice the pixels each way, drawn there.
    for (const int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        const QString png = m_dir.filePath(QStringLiteral("board%1.png").arg(scale));
        const TToolRun run = RunTool({"--text", kLaunchText, "--at", QString::number(at), "--zoom", "1.5", "--scale",
                                      QString::number(scale), "-o", png});
        ASSERT_EQ(run.exitCode, 0);
        const QSize size(750 * scale, 450 * scale);
        EXPECT_TRUE(run.out.startsWith(QStringLiteral("page 1 (A000000001/b) at 1000 ms, frame 28: 2 objects, %1 x %2 pixels")
                                           .arg(size.width())
                                           .arg(size.height())))
            << run.out.toStdString();

        m_engine.reset();
        m_view = THeadlessPlaybackView();
        m_state.m_viewRatio = 1.5f;
        m_dDevicePixelRatio = scale;
        Start();
        m_state.m_bClickTabLecturePage = true;
        m_state.m_intCurrentMilesSecond = at;
        m_engine->ScbPlayMovePositionUntilReDraw(static_cast<uint32_t>(at));
        const QImage expected = m_engine->GetRenderedBoard().convertToFormat(QImage::Format_ARGB32);
        const QImage written(png);
        ASSERT_EQ(written.size(), size);
        EXPECT_EQ(DifferingPixels(written.convertToFormat(QImage::Format_ARGB32), expected), 0);
    }
}

TEST_F(RenderToolTest, RefusesWrongArgumentsAndEmptySessions)
{
    const QString png = m_dir.filePath("x.png");
    const QStringList wrong[] = {
        {"--text", kLaunchText, "--at", "100"},
        {"--text", kLaunchText, "--at", "-5", "-o", png},
        {"--text", kLaunchText, "--at", "100", "--zoom", "2.5", "-o", png},
        {"--at", "100", "-o", png},
        {"--text", kLaunchText, "--at", "100", "-o", png, "--frame"},
        {"--text", kLaunchText, "--at", "100", "--scale", "0.5", "-o", png},
        {"--text", kLaunchText, "--at", "100", "--scale", "5", "-o", png},
        {"--text", kLaunchText, "--at", "100", "--scale", "twice", "-o", png},
    };
    for (const QStringList& args : wrong) {
        EXPECT_EQ(RunTool(args).exitCode, 2) << args.join(' ').toStdString();
    }
    EXPECT_EQ(RunTool({"--text", kLaunchText, "--at", "0", "-o", png}).exitCode, 1);   // no session there
    EXPECT_FALSE(QFileInfo::exists(png));
}

} // namespace
