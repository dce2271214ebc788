// ravo-tool video where things go wrong: wrong options, an output it cannot write and a session
// that cannot start each give one message and a non-zero exit; Ctrl+C, SIGTERM and a write that
// fails half-way (a full disk, here a file size limit) leave no file and say why; a page whose
// voice cannot be read plays the fallback voice and is named.

#include "DecodedVideo.h"
#include "VideoToolTestSupport.h"

#include <QDir>

#include <csignal>
#include <sys/resource.h>

namespace {

class VideoToolFailureTest : public VideoToolFixture {
protected:
    // A page of 20 s with a stroke, long enough to stop an export under way.
    void WriteLongPage()
    {
        std::vector<TPacketItem> packets{Packet(1, 0, 1), Packet(3, 1, 1)};
        for (int i = 0; i < 400; ++i) {
            packets.push_back(Packet(4, 1 + i, 1, 20.0f + (i % 40) * 10, 20.0f + i));
        }
        packets.push_back(Packet(5, 401, 1));
        TPageSpec page{"long", 20 * 8000, packets};
        page.voiceRate = 8000;
        WriteSession({{page}});
    }

    // Nothing left where the output would have been: neither the file nor its temporary.
    void ExpectNoOutput(const QString& p_sOutput)
    {
        EXPECT_FALSE(QFileInfo::exists(p_sOutput));
        EXPECT_FALSE(QFileInfo::exists(p_sOutput + ".part"));
    }
};

TEST_F(VideoToolFailureTest, RefusesWrongOptionsWithOneMessage)
{
    WriteLongPage();
    const QString mp4 = m_dir.filePath("x.mp4");
    const struct {
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"--text", kLaunchText}, 2, "usage: ravo-tool video"},
        {{"--text", kLaunchText, "-o", mp4, "--frames", "3"}, 2, "usage: ravo-tool video"},
        {{"--text", kLaunchText, "-o", mp4, "--size", "641x360"}, 2, "--size must be"},
        {{"--text", kLaunchText, "-o", mp4, "--size", "1280*720"}, 2, "--size must be"},
        {{"--text", kLaunchText, "-o", mp4, "--fps", "0"}, 2, "--fps must be"},
        {{"--text", kLaunchText, "-o", mp4, "--speed", "90"}, 2, "--speed must be"},
        {{"--text", kLaunchText, "-o", mp4, "--zoom", "2.5"}, 2, "--zoom must be"},
        {{"--text", kLaunchText, "-o", mp4, "--from", "-1"}, 2, "--from must be"},
        {{"--text", kLaunchText, "-o", mp4, "--from", "30000"}, 1, "--from 30000 does not lie before"},
        {{"--text", kLaunchText, "-o", mp4, "--from", "5000", "--to", "5000"}, 1, "--from 5000 does not lie before"},
        {{"--text", kLaunchText, "-o", mp4, "--to", "99999"}, 1, "--to 99999 lies beyond the session's end"},
        {{"--text", "A&S1", "-o", mp4}, 1, ""},
        {{"--text", "R&S1&U9&1&0&1&S9|,|1", "-o", mp4}, 1, "the session has no page to play"},
        {{"--text", kLaunchText, "-o", m_dir.filePath("missing/folder/x.mp4")}, 1, "cannot write"},
        {{"--text", kLaunchText, "-o", m_dir.path()}, 1, "it is a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const TToolRun run = RunTool(QStringList{"video"} + c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        const QStringList lines = run.err.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 1) << run.err.toStdString();
        EXPECT_TRUE(lines[0].contains(QLatin1String(c.message))) << run.err.toStdString();
        ExpectNoOutput(mp4);
    }
}

TEST_F(VideoToolFailureTest, AnInterruptedExportLeavesNoFileAndSaysWhy)
{
    WriteLongPage();
    const QString mp4 = m_dir.filePath("lecture.mp4");
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        QString progress;
        const TToolRun run = RunTool({"video", "--text", kLaunchText, "-o", mp4}, [&](QProcess& process) {
            // Stopped once the progress line shows, in the middle of writing.
            process.setReadChannel(QProcess::StandardError);
            while (!progress.contains('%') && process.waitForReadyRead(60000)) {
                progress += QString::fromLocal8Bit(process.readAllStandardError());
            }
            ::kill(static_cast<pid_t>(process.processId()), signal);
        });
        ASSERT_TRUE(progress.contains("video:")) << progress.toStdString();
        EXPECT_EQ(run.exitCode, 128 + signal);
        EXPECT_TRUE(run.err.contains(signal == SIGINT ? "interrupted by SIGINT" : "interrupted by SIGTERM"))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("lecture.mp4 was not written")) << run.err.toStdString();
        ExpectNoOutput(mp4);
    }
}

TEST_F(VideoToolFailureTest, AWriteFailingHalfWayLeavesNoFile)
{
    WriteLongPage();
    const QString mp4 = m_dir.filePath("lecture.mp4");
    // The disk "fills" at 100 KB: writes beyond fail as on a full disk.
    m_childSetUp = [] {
        const rlimit limit{100 * 1024, 100 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    const TToolRun run = RunTool({"video", "--text", kLaunchText, "-o", mp4});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("cannot write") && run.err.contains("File too large")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("lecture.mp4 was not written")) << run.err.toStdString();
    ExpectNoOutput(mp4);
}

TEST_F(VideoToolFailureTest, APageWithoutAReadableVoicePlaysTheFallbackAndIsNamed)
{
    TPageSpec first{"a", SamplesOf(1000), {}};
    TPageSpec broken{"b", 0, {Packet(21, 1, 1, 10, 10, 200, 100)}};
    WriteSession({{first, broken}});
    WriteFileBytes(JoinPath(PageFolder(m_state.m_sBasePath, "A000000001", "b"), "sound.dat"), "not a voice");
    const QString mp4 = m_dir.filePath("lecture.mp4");
    const TToolRun run = RunTool({"video", "--text", kLaunchText, "-o", mp4, "--size", "320x240"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("page 2 (A000000001/b): its voice cannot be read; the fallback voice plays"))
        << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("page 1")) << run.err.toStdString();
    // The second page lasts as long as the fallback voice (one second).
    Start();
    const TDecodedVideo video = ReadVideoFile(mp4);
    EXPECT_NEAR(video.durationSeconds, m_state.m_intAllMileSecond / 1000.0, 1.0 / 30);
    EXPECT_EQ(m_engine->GetLectureInfoList().at(1).PlayMileSeconds, 1008);
}

} // namespace
