// Opening, measuring and seeking files: exact lengths, sample-accurate seeks, the byte format,
// and bad input.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>

#include "AudioTestSupport.h"
#include "platform/audio/Mp3Decoder.h"

namespace {

std::vector<float> DecodeAll(TMp3Decoder& decoder)
{
    std::vector<float> samples;
    std::vector<float> block(4096 * static_cast<size_t>(decoder.GetChannels()));
    while (const int64_t got = decoder.Read(block.data(), 4096))
        samples.insert(samples.end(), block.begin(), block.begin() + got * decoder.GetChannels());
    return samples;
}

}  // namespace

TEST(AudioDecoding, EveryFixtureHasItsExactLength)
{
    const std::vector<TFixtureInfo> manifest = FixtureManifest();
    ASSERT_GE(manifest.size(), 7u);
    for (const TFixtureInfo& fixture : manifest) {
        SCOPED_TRACE(fixture.name);
        TVoicePair voice(AudioFixture(fixture.name));
        ASSERT_NE(voice.load, 0u);
        ASSERT_NE(voice.play, 0u);
        BASS_CHANNELINFO info;
        ASSERT_TRUE(BASS_ChannelGetInfo(voice.load, &info));
        EXPECT_EQ(info.freq, fixture.rate);
        EXPECT_EQ(info.chans, fixture.chans);
        EXPECT_EQ(voice.BytesPerFrame(), 2 * fixture.chans);

        // Whatever the length says is exactly what decoding delivers.
        auto decoder = TMp3Decoder::Open(AudioFixture(fixture.name));
        ASSERT_TRUE(decoder);
        const int64_t decoded = static_cast<int64_t>(DecodeAll(*decoder).size() / fixture.chans);
        EXPECT_EQ(voice.Length(), decoded);
        EXPECT_EQ(BASS_ChannelGetLength(voice.load, kPosByte), BASS_ChannelGetLength(voice.play, kPosByte));
        if (fixture.samples >= 0) {
            EXPECT_TRUE(decoder->IsTagged());
            EXPECT_EQ(voice.Length(), fixture.samples);  // the source's sample count, gapless
        } else {
            EXPECT_FALSE(decoder->IsTagged());
            EXPECT_EQ(voice.Length() % fixture.samplesPerFrame, 0);  // whole frames, counted
        }
    }
}

TEST(AudioDecoding, UntaggedFileCountsItsFramesInsteadOfEstimating)
{
    // The same sound with and without an info tag: the untagged length holds the encoder's
    // delay and padding on top, never less, never more than the frames around them.
    for (const auto& [tagged, untagged] : {std::pair {"tone22m.mp3", "tone22m_untagged.mp3"},
                                           std::pair {"noise44s_vbr.mp3", "noise44s_vbr_untagged.mp3"}}) {
        SCOPED_TRACE(untagged);
        TVoicePair withTag(AudioFixture(tagged));
        TVoicePair withoutTag(AudioFixture(untagged));
        auto decoder = TMp3Decoder::Open(AudioFixture(tagged));
        const int64_t frameSamples = decoder->GetRate() >= 32000 ? 1152 : 576;
        EXPECT_GT(withoutTag.Length(), withTag.Length());
        EXPECT_LE(withoutTag.Length(), withTag.Length() + 3 * frameSamples);
    }
}

TEST(AudioDecoding, SeeksAreSampleAccurate)
{
    for (const char* name : {"tone22m.mp3", "noise44s_vbr.mp3", "noise44s_vbr_untagged.mp3", "chirp48s.mp3"}) {
        SCOPED_TRACE(name);
        auto reference = TMp3Decoder::Open(AudioFixture(name));
        ASSERT_TRUE(reference);
        const std::vector<float> all = DecodeAll(*reference);
        const int channels = reference->GetChannels();
        const int64_t length = reference->GetFrames();
        auto decoder = TMp3Decoder::Open(AudioFixture(name));
        for (const int64_t target : {length / 2 + 1, int64_t {0}, int64_t {575}, int64_t {1152 * 7 + 13},
                                     length - 300, int64_t {4000}}) {
            SCOPED_TRACE(target);
            ASSERT_TRUE(decoder->Seek(target));
            EXPECT_EQ(decoder->Tell(), target);
            std::vector<float> block(256 * static_cast<size_t>(channels));
            const int64_t got = decoder->Read(block.data(), 256);
            ASSERT_EQ(got, std::min<int64_t>(256, length - target));
            float worst = 0.0f;
            for (int64_t i = 0; i < got * channels; ++i)
                worst = std::max(worst, std::fabs(block[i] - all[target * channels + i]));
            EXPECT_LT(worst, 1e-5f);
        }
        EXPECT_FALSE(decoder->Seek(length + 1));
    }
}

TEST(AudioDecoding, BytesSecondsBytesIsExact)
{
    TVoicePair voice(AudioFixture("noise44s_vbr.mp3"));
    const QWORD bytesPerFrame = voice.BytesPerFrame();
    EXPECT_EQ(bytesPerFrame, 4u);
    EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(voice.play, 176400 * bytesPerFrame), 4.0);
    for (QWORD frame = 0; frame <= 20'000'000; frame = frame * 3 + 7) {
        const QWORD bytes = frame * bytesPerFrame;
        EXPECT_EQ(BASS_ChannelSeconds2Bytes(voice.play, BASS_ChannelBytes2Seconds(voice.play, bytes)), bytes);
    }
    // Seconds between frames go to the nearest frame.
    EXPECT_EQ(BASS_ChannelSeconds2Bytes(voice.play, 10.4 / 44100), 10 * bytesPerFrame);
    EXPECT_EQ(BASS_ChannelSeconds2Bytes(voice.play, 10.6 / 44100), 11 * bytesPerFrame);
    EXPECT_EQ(BASS_ChannelSeconds2Bytes(voice.play, -1.0), static_cast<QWORD>(-1));
}

TEST(AudioDecoding, BadFilesGiveNoStreamAndHandleZeroFailsQuietly)
{
    for (const char* name : {"missing.mp3", "notaudio.mp3", "empty.mp3", "random.mp3"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(BASS_StreamCreateFile(kFalse, AudioFixture(name).c_str(), 0, 0, kStreamDecode | kStreamPrescan), 0u);
    }
    EXPECT_EQ(BASS_StreamCreateFile(kTrue, "x", 0, 0, kStreamDecode), 0u);  // from memory: not supported
    BASS_CHANNELINFO info;
    EXPECT_EQ(BASS_FX_TempoCreate(0, kTempoFlags), 0u);
    EXPECT_FALSE(BASS_StreamFree(0));
    EXPECT_FALSE(BASS_ChannelSetAttribute(0, kAttribTempo, 10.0f));
    EXPECT_FALSE(BASS_ChannelSetAttribute(0, kAttribVolume, 0.5f));
    EXPECT_FALSE(BASS_ChannelGetInfo(0, &info));
    EXPECT_EQ(BASS_ChannelGetLength(0, kPosByte), static_cast<QWORD>(-1));
    EXPECT_LT(BASS_ChannelBytes2Seconds(0, 100), 0.0);
    EXPECT_EQ(BASS_ChannelSeconds2Bytes(0, 1.0), static_cast<QWORD>(-1));
    EXPECT_FALSE(BASS_ChannelPlay(0, kFalse));
    EXPECT_FALSE(BASS_ChannelStop(0));
    EXPECT_FALSE(BASS_ChannelPause(0));
    EXPECT_EQ(BASS_ChannelIsActive(0), kActiveStopped);
    EXPECT_EQ(BASS_ChannelGetPosition(0, kPosByte), static_cast<QWORD>(-1));
    EXPECT_FALSE(BASS_ChannelSetPosition(0, 0, kPosByte));
}

TEST(AudioDecoding, StreamsOpenByUnicodePathWhateverTheExtension)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("강의 음성/sound.dat"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(QFile::copy(QString::fromStdString(AudioFixture("tone22m.mp3")), path));
    const HSTREAM stream = BASS_StreamCreateFile(kFalse, path.utf16(), 0, 0, kStreamVoiceFlags);
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(BASS_ChannelGetLength(stream, kPosByte), 66150u * 2);
    // Measuring needs no initialised output; playing a decoding stream is refused.
    EXPECT_FALSE(BASS_ChannelPlay(stream, kFalse));
    EXPECT_TRUE(BASS_StreamFree(stream));
    EXPECT_FALSE(BASS_StreamFree(stream));
}

TEST(AudioDecoding, OneTempoStreamPerDecodingStream)
{
    const HSTREAM load = BASS_StreamCreateFile(kFalse, AudioFixture("tone22m.mp3").c_str(), 0, 0, kStreamDecode);
    const HSTREAM play = BASS_FX_TempoCreate(load, kTempoFlags);
    EXPECT_NE(play, 0u);
    EXPECT_EQ(BASS_FX_TempoCreate(load, kTempoFlags), 0u);
    EXPECT_EQ(BASS_FX_TempoCreate(play, kTempoFlags), 0u);
    // Freeing the decoding stream first leaves the tempo stream working.
    EXPECT_TRUE(BASS_StreamFree(load));
    EXPECT_EQ(BASS_ChannelGetLength(play, kPosByte), 66150u * 2);
    EXPECT_TRUE(BASS_StreamFree(play));
}
