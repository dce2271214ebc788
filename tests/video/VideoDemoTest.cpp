// ravo-tool video on the demo made by ravo-tool make-demo: the last second of the session at
// 1280 x 720, its last frame held against ravo-tool render of the same moment (pictures, markers,
// rich text in Korean on the board). The frame is written next to the test program
// (demo-video-still.png); docs/demo-video-still.png is a copy.

#include "DecodedVideo.h"
#include "VideoToolTestSupport.h"

#include "DemoLecture.h"

namespace {

class VideoDemoTest : public VideoToolFixture {};

TEST_F(VideoDemoTest, TheDemosLastFrameIsItsBoardAtTheEnd)
{
    ASSERT_EQ(RunTool({"make-demo"}).exitCode, 0);
    m_sLaunchText = QString::fromLatin1(kDemoLaunchText);
    ASSERT_EQ(RunTool({"info", "--text", m_sLaunchText}).exitCode, 0);
    const QString total = RunTool({"info", "--text", m_sLaunchText}).out.split('\n', Qt::SkipEmptyParts).last();
    const uint32_t end = total.section('\t', 1, 1).toUInt();
    ASSERT_GT(end, 1000u) << total.toStdString();

    const QString mp4 = m_dir.filePath("demo.mp4");
    const uint32_t from = end - 1000;
    const TToolRun run = RunTool({"video", "--text", m_sLaunchText, "-o", mp4, "--from", QString::number(from)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const int64_t last = 29;   // one second at 30 fps
    const std::map<int64_t, QImage> frames = DecodeFrames(mp4, {last});
    ASSERT_EQ(frames.count(last), 1u);
    const QImage& frame = frames.at(last);
    EXPECT_EQ(frame.size(), QSize(1280, 720));
    ExpectFrameShowsBoard(frame, from + 967, 1.0f);
    QFile::remove(QStringLiteral(RAVO_DEMO_VIDEO_STILL_PATH));
    EXPECT_TRUE(frame.save(QStringLiteral(RAVO_DEMO_VIDEO_STILL_PATH)));
}

} // namespace
