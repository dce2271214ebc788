// Audio clips: their box, their own streams, seeking only while active, and files that cannot be
// opened.

#include "draw/DrawMP3.h"
#include "draw/DrawTestSupport.h"

#include "content/Mp3Fixture.h"
#include "platform/audio/AudioTestOutput.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kRate = 22050;

class DrawMP3Test : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(HaveMp3Tools()) << "sox and lame are needed to make clips";
        s_dir = new QTemporaryDir;
        ASSERT_TRUE(MakeMp3(ClipPath(), 5 * kRate, kRate));
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    static QString ClipPath() { return s_dir->filePath("clip.mp3"); }

    void SetUp() override
    {
        AudioUseManualOutput(true);
        ASSERT_TRUE(BASS_Init(kDefaultDevice, 44100, 0, nullptr, nullptr));
    }
    void TearDown() override
    {
        BASS_Free();
        AudioUseManualOutput(false);
    }

    static double PositionSeconds(const TDrawMP3& clip)
    {
        const HSTREAM channel = clip.GetPlayChannel();
        return BASS_ChannelBytes2Seconds(channel, BASS_ChannelGetPosition(channel, kPosByte));
    }

    static QTemporaryDir* s_dir;
};

QTemporaryDir* DrawMP3Test::s_dir = nullptr;

TEST_F(DrawMP3Test, BoxOfAClipAndNothingPainted)
{
    TDrawMP3 clip(nullptr, 4, QStringLiteral("chime"), ClipPath());
    clip.InitBounds(50, 60);
    const TGPRectF bounds = clip.GetBounds();
    EXPECT_EQ(bounds.X, 50);
    EXPECT_EQ(bounds.Y, 60);
    EXPECT_EQ(bounds.Width, 160);
    EXPECT_EQ(bounds.Height, 60);
    const TGPRectF paint = clip.GetPaintBounds();
    EXPECT_EQ(paint.X, 0);
    EXPECT_EQ(paint.Y, 0);
    EXPECT_EQ(paint.Width, 0);
    EXPECT_EQ(paint.Height, 0);
    EXPECT_EQ(clip.GetPaintExtent().Width, 0);
    EXPECT_EQ(clip.GetDrawType(), DrawType::MP3);
    EXPECT_FALSE(clip.GetResizable());
    EXPECT_TRUE(clip.HitTest({210, 120}));
    EXPECT_FALSE(clip.HitTest({211, 120}));
    const TGPBitmap board = Render(300, 200, [&](TGPGraphics& g) { clip.Draw(g); });
    EXPECT_TRUE(AllPaintInside(board, {0, 0, 0, 0}));
}

TEST_F(DrawMP3Test, OpensItsOwnStreamsAtNormalSpeed)
{
    TDrawMP3 clip(nullptr, 4, QString(), ClipPath());
    ASSERT_NE(clip.GetLoadChannel(), 0u);
    ASSERT_NE(clip.GetPlayChannel(), 0u);
    EXPECT_NE(clip.GetLoadChannel(), clip.GetPlayChannel());
    EXPECT_EQ(clip.GetChannelInfo().freq, kRate);
    EXPECT_EQ(clip.GetChannelInfo().chans, 1u);
    const double length = BASS_ChannelBytes2Seconds(clip.GetPlayChannel(),
                                                    BASS_ChannelGetLength(clip.GetPlayChannel(), kPosByte));
    EXPECT_NEAR(length, 5.0, 0.001);
    EXPECT_EQ(BASS_ChannelIsActive(clip.GetPlayChannel()), kActiveStopped);
}

TEST_F(DrawMP3Test, SeeksOnlyWhileActive)
{
    TDrawMP3 clip(nullptr, 4, QString(), ClipPath());
    clip.MP3SetPosition(3);   // never played: not active, stays at the start
    EXPECT_EQ(PositionSeconds(clip), 0.0);

    clip.MP3Play();
    EXPECT_TRUE(clip.IsPlaying());
    ASSERT_TRUE(AudioManualAdvance(4410));
    clip.MP3SetPosition(3);
    EXPECT_NEAR(PositionSeconds(clip), 3.0, 0.05);

    clip.MP3Pause();
    EXPECT_FALSE(clip.IsPlaying());
    EXPECT_EQ(BASS_ChannelIsActive(clip.GetPlayChannel()), kActivePaused);
    clip.MP3SetPosition(1);   // paused counts as active
    EXPECT_NEAR(PositionSeconds(clip), 1.0, 0.05);

    clip.MP3Stop();
    EXPECT_EQ(PositionSeconds(clip), 0.0);
    clip.MP3SetPosition(2);   // stopped again: nothing happens
    EXPECT_EQ(PositionSeconds(clip), 0.0);
}

TEST_F(DrawMP3Test, DisposeFreesOnlyTheClipsOwnStreams)
{
    TDrawMP3 other(nullptr, 5, QString(), ClipPath());
    auto clip = std::make_unique<TDrawMP3>(nullptr, 4, QString(), ClipPath());
    const HSTREAM play = clip->GetPlayChannel();
    const HSTREAM load = clip->GetLoadChannel();
    clip->Dispose();
    BASS_CHANNELINFO info;
    EXPECT_EQ(BASS_ChannelGetInfo(play, &info), kFalse);
    EXPECT_EQ(BASS_ChannelGetInfo(load, &info), kFalse);
    EXPECT_EQ(BASS_ChannelGetInfo(other.GetPlayChannel(), &info), kTrue);
    clip.reset();   // ending a disposed clip is safe
    EXPECT_EQ(BASS_ChannelGetInfo(other.GetLoadChannel(), &info), kTrue);
}

TEST_F(DrawMP3Test, FileThatCannotBeOpenedLeavesHandlesZero)
{
    QFile junk(s_dir->filePath("junk.mp3"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(300, 'x'));
    junk.close();
    for (const QString& path : {s_dir->filePath("missing.mp3"), junk.fileName()}) {
        SCOPED_TRACE(path.toStdString());
        TDrawMP3 clip(nullptr, 4, QString(), path);
        EXPECT_EQ(clip.GetLoadChannel(), 0u);
        EXPECT_EQ(clip.GetPlayChannel(), 0u);
        clip.MP3Play();
        clip.MP3SetPosition(1);
        clip.MP3Stop();
        clip.InitBounds(1, 2);
        EXPECT_EQ(clip.GetBounds().Width, 160);
        clip.Dispose();
    }
}

} // namespace
