// The voice track measure on real MP3 files, and ravo-tool info and dump run as programs.

#include "ContentFixture.h"
#include "Mp3Fixture.h"

#include "content/LectureCatalogue.h"
#include "platform/audio/AudioLibrary.h"
#include "platform/Rounding.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <cstdio>

namespace {

struct ToolRun {
    int exitCode = -1;
    QStringList out;
    QString err;
};

ToolRun RunTool(const QStringList& args, const QString& dataHome = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!dataHome.isEmpty()) {
        environment.insert("XDG_DATA_HOME", dataHome);
    }
    process.setProcessEnvironment(environment);
    process.start(RAVO_TOOL_PATH, args);
    ToolRun run;
    if (!process.waitForFinished(120000)) {
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// The frames of a track of `samples` at `rate`: round(ms / 36), ties to even.
int32_t FramesOf(int64_t samples, int rate)
{
    return static_cast<int32_t>(RoundHalfEven(static_cast<double>(samples) * 1000.0 / rate / 36.0));
}

class Mp3Test : public ScratchFolder {
protected:
    static void SetUpTestSuite() { BASS_Init(kNoSoundDevice, 44100, 0, nullptr, nullptr); }
    static void TearDownTestSuite() { BASS_Free(); }

    void SetUp() override
    {
        if (!HaveMp3Tools()) {
            GTEST_SKIP() << "sox and lame are needed to make MP3 tracks";
        }
    }
};

TEST_F(Mp3Test, TrackMeasuresItsExactLengthInFrames)
{
    struct TrackCase {
        int64_t samples;
        int rate;
    };
    // No case sits on a tie; 36 s is exactly 1,000 frames.
    const std::vector<TrackCase> cases = {{132300, 44100}, {1587600, 44100}, {441441, 44100}, {80160, 8000},
                                          {16000, 16000}};
    for (const TrackCase& c : cases) {
        SCOPED_TRACE(c.samples);
        const QString path = Path(QStringLiteral("t%1-%2.mp3").arg(c.samples).arg(c.rate));
        ASSERT_TRUE(MakeMp3(path, c.samples, c.rate));
        EXPECT_EQ(GetSoundFrameCount(path), FramesOf(c.samples, c.rate));
        EXPECT_EQ(SetSoundLengthToFrameCount(10, path), FramesOf(c.samples, c.rate));
    }
    EXPECT_EQ(FramesOf(1587600, 44100), 1000);

    // An untagged track is scanned; its length is the decoded length, a frame or so longer.
    ASSERT_TRUE(MakeMp3(Path("untagged.mp3"), 132300, 44100, false));
    EXPECT_NEAR(GetSoundFrameCount(Path("untagged.mp3")), FramesOf(132300, 44100), 2);

    WriteFileBytes(Path("text.mp3"), "no audio in here");
    EXPECT_LT(GetSoundFrameCount(Path("text.mp3")), 0);
    EXPECT_LT(GetSoundFrameCount(Path("missing.mp3")), 0);
}

TEST_F(Mp3Test, InfoPrintsTheSessionAsTheCatalogueBuildsIt)
{
    const QString base = SessionBasePath(Path("data"), "S1", "U1");
    struct PageTrack {
        const char* lecture;
        const char* id;
        int64_t samples;
    };
    const std::vector<PageTrack> tracks = {
        {"A000000001", "a", 132300}, {"A000000001", "b", 317520}, {"A000000002", "c", 441441}};
    QMap<QString, QString> catalogues;
    for (const PageTrack& t : tracks) {
        ASSERT_TRUE(MakeMp3(JoinPath(PageFolder(base, t.lecture, t.id), "sound.dat"), t.samples));
        catalogues[t.lecture] += QStringLiteral("<page id=\"%1\" frames=\"10\"/>").arg(t.id);
    }
    for (auto it = catalogues.cbegin(); it != catalogues.cend(); ++it) {
        WriteFileBytes(JoinPath(LectureFolder(base, it.key()), "lectureinfo.xml"),
                       ("<root><pages>" + it.value() + "</pages></root>").toUtf8());
    }

    const ToolRun run = RunTool({"info", "--text", "A&S1&U1&1&0&2&S9|,|1&S9|,|2"}, Path("data"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_EQ(run.out.size(), 5) << run.out.join('\n').toStdString();
    EXPECT_EQ(run.out[0], "PageNo\tPageName\tPageID\tStartFrameNo\tFrameCount\tPlayMileSeconds");
    uint32_t start = 0;
    for (size_t i = 0; i < tracks.size(); ++i) {
        const int32_t frames = FramesOf(tracks[i].samples, 44100);
        EXPECT_EQ(run.out[static_cast<qsizetype>(i) + 1], QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6")
                                                             .arg(i)
                                                             .arg(tracks[i].lecture, tracks[i].id)
                                                             .arg(start)
                                                             .arg(frames)
                                                             .arg(frames * 36));
        start += static_cast<uint32_t>(frames);
    }
    EXPECT_EQ(run.out[4], QStringLiteral("total\t%1\t%2").arg(start * 36).arg(FormatPlayTime(start * 36)));
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

class DumpTest : public ScratchFolder {};

TEST_F(DumpTest, DumpPrintsEveryRecordSoThatItReadsBackExactly)
{
    TPacketItem item = PacketAt(-1, 31);
    item.DrawNo = 4000000000u;
    item.ByteParam = 255;
    item.FloatParam1 = 0.1f;
    item.FloatParam2 = -3.4028235e38f;
    item.FloatParam3 = 1.17549435e-38f;
    item.FloatParam4 = 16777217.0f;
    WriteFileBytes(Path("packet.dat"), PacketBytes({PacketAt(0), item}));

    const ToolRun run = RunTool({"dump", Path("packet.dat")});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.out.size(), 2);
    const QStringList fields = run.out[1].split('\t');
    ASSERT_EQ(fields.size(), 9);
    EXPECT_EQ(fields.mid(0, 5), (QStringList{"1", "31", "-1", "4000000000", "255"}));
    const float expected[] = {item.FloatParam1, item.FloatParam2, item.FloatParam3, item.FloatParam4};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(std::strtof(fields[5 + i].toLatin1().constData(), nullptr), expected[i]) << fields[5 + i].toStdString();
    }
}

TEST_F(DumpTest, TruncatedFilePrintsCompleteRecordsAndSaysWhatWasLeft)
{
    WriteFileBytes(Path("packet.dat"), PacketBytes({PacketAt(0), PacketAt(1)}) + QByteArray(5, '\0'));
    const ToolRun run = RunTool({"dump", Path("packet.dat")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.size(), 2);
    EXPECT_TRUE(run.err.contains("5 bytes")) << run.err.toStdString();

    const ToolRun missing = RunTool({"dump", Path("none.dat")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_EQ(RunTool({"dump"}).exitCode, 2);
    EXPECT_EQ(RunTool({"no-such-command"}).exitCode, 2);
}

} // namespace
