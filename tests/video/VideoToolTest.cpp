// ravo-tool video run as a program on a small session of three pages (a whiteboard that fits the
// frame and is centred, a picture board with the pointer stick, a board larger than the frame),
// the file read back with the FFmpeg libraries: its streams, duration and chapters; frames inside
// a page, just after a page change and at the end held against ravo-tool render at the same
// moments; a click in a page's voice heard within a frame of its moment, at several speeds and
// ranges.

#include "DecodedVideo.h"
#include "VideoToolTestSupport.h"

#include "video/VideoExport.h"

#include <cmath>

namespace {

constexpr int kClickAtMs = 700;             // into the second page's voice
constexpr int kClickLengthMs = 10;

struct TExportCase {
    int speed;
    int fps;
    float zoom;
    uint32_t from;
    std::optional<uint32_t> to;
};

// A mono 16-bit WAV of silence with one loud 1 kHz burst, made into MP3.
bool MakeClickTrack(const QString& path, int lengthMs, int clickAtMs)
{
    constexpr int kRate = 44100;
    const int samples = kRate * lengthMs / 1000;
    QByteArray pcm(samples * 2, '\0');
    auto* values = reinterpret_cast<int16_t*>(pcm.data());
    for (int i = kRate * clickAtMs / 1000, n = 0; n < kRate * kClickLengthMs / 1000; ++i, ++n) {
        values[i] = (n / 22) % 2 == 0 ? 29000 : -29000;
    }
    QByteArray wav("RIFF");
    const auto add32 = [&wav](uint32_t v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
    const auto add16 = [&wav](uint16_t v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
    add32(36 + static_cast<uint32_t>(pcm.size()));
    wav.append("WAVEfmt ");
    add32(16);
    add16(1);
    add16(1);
    add32(kRate);
    add32(kRate * 2);
    add16(2);
    add16(16);
    wav.append("data");
    add32(static_cast<uint32_t>(pcm.size()));
    wav.append(pcm);
    QFile file(path + ".wav");
    if (!file.open(QIODevice::WriteOnly) || file.write(wav) != wav.size()) {
        return false;
    }
    file.close();
    const bool made = RunQuietly("lame", {"--quiet", "-b", "128", path + ".wav", path});
    QFile::remove(path + ".wav");
    return made;
}

class VideoToolTest : public VideoToolFixture {
protected:
    // Three pages: a whiteboard of strokes that fits the frame, a picture board with a line, the
    // pointer stick and a click in its voice, and a whiteboard larger than the frame.
    void WriteThreePages()
    {
        std::vector<TPacketItem> strokes{Packet(1, 0, 1), Packet(2, 0, 1, 4, 3, 100), Packet(3, 2, 1)};
        for (int i = 0; i < 28; ++i) {
            strokes.push_back(Packet(4, 2 + i, 1, 40.0f + 14 * i, 60.0f + 7 * i));
        }
        strokes.push_back(Packet(5, 30, 1));
        TPageSpec first{"a", SamplesOf(1500), strokes};
        first.width = 500;
        first.height = 300;
        TPageSpec second{"b", 0, {Packet(21, 3, 2, 30, 30, 340, 200), Packet(22, 3, 2, 9, 3, 100, 1, 4),
                                  Packet(121, 20, 0), Packet(122, 20, 0, 150, 100), Packet(123, 40, 0)}};
        second.width = 400;
        second.height = 260;
        second.boardType = QStringLiteral("LectureImage");
        std::vector<TPacketItem> wide{Packet(21, 1, 3, 20, 20, 680, 380), Packet(22, 1, 3, 2, 4, 100, 0, 0)};
        TPageSpec third{"c", SamplesOf(1200), wide};
        third.width = 700;
        third.height = 400;
        WriteSession({{first, second, third}});
        const QString voice = JoinPath(PageFolder(m_state.m_sBasePath, "A000000001", "b"), "sound.dat");
        ASSERT_TRUE(MakeClickTrack(voice, 2000, kClickAtMs));
        Start();
    }

    // The session moment frame k shows.
    static double LectureMs(const TExportCase& c, int64_t k) { return c.from + k * 1000.0 * c.speed / (100.0 * c.fps); }
    // The first frame that shows the moment or a later one.
    static int64_t FrameAt(const TExportCase& c, double ms)
    {
        return static_cast<int64_t>(std::ceil((ms - c.from) * c.fps * 100.0 / (c.speed * 1000.0) - 1e-9));
    }

    void ExpectFrameIsTheBoard(const TExportCase& c, int64_t k, const QImage& frame)
    {
        SCOPED_TRACE(::testing::Message() << "frame " << k << " at " << LectureMs(c, k) << " ms");
        ExpectFrameShowsBoard(frame, static_cast<uint32_t>(RoundHalfEven(LectureMs(c, k))), c.zoom);
    }
};

TEST_F(VideoToolTest, PlaysTheSessionIntoAVideoAsThePlayerShowsAndSoundsIt)
{
    WriteThreePages();
    const std::vector<TLectureInfo> pages = m_engine->GetLectureInfoList();
    ASSERT_EQ(pages.size(), 3u);
    const double secondStart = pages[1].StartFrameNo * kFrameMilliseconds;
    const double thirdStart = pages[2].StartFrameNo * kFrameMilliseconds;
    const uint32_t total = static_cast<uint32_t>(m_state.m_intAllMileSecond);
    const QSize size(640, 360);

    const TExportCase cases[] = {
        {100, 30, 1.0f, 0, std::nullopt},
        {150, 25, 1.2f, 0, std::nullopt},
        {100, 30, 1.0f, 800, total - 300},
    };
    for (const TExportCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "speed " << c.speed << ", fps " << c.fps << ", zoom " << c.zoom << ", from "
                                          << c.from);
        const uint32_t to = c.to.value_or(total);
        const QString mp4 = m_dir.filePath(QStringLiteral("lecture-%1-%2.mp4").arg(c.speed).arg(c.from));
        QStringList args{"video", "--text", kLaunchText, "-o", mp4, "--size", "640x360", "--fps", QString::number(c.fps),
                         "--speed", QString::number(c.speed), "--zoom", QString::number(c.zoom), "--from",
                         QString::number(c.from)};
        if (c.to) {
            args << "--to" << QString::number(*c.to);
        }
        const TToolRun run = RunTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(mp4 + ".part"));

        const TDecodedVideo video = ReadVideoFile(mp4);
        ASSERT_TRUE(video.opened);
        EXPECT_EQ(video.videoCodec, "h264");
        EXPECT_EQ(video.pixelFormat, "yuv420p");
        EXPECT_EQ(video.size, size);
        EXPECT_DOUBLE_EQ(video.fps, c.fps);
        EXPECT_EQ(video.audioCodec, "aac");
        EXPECT_EQ(video.channels, 2);
        EXPECT_EQ(video.sampleRate, TVideoExport::kSampleRate);
        EXPECT_TRUE(video.indexAtFront);
        const double seconds = (to - c.from) * 100.0 / c.speed / 1000.0;
        EXPECT_NEAR(video.durationSeconds, seconds, 1.0 / c.fps);

        // A chapter per page shown, where the page starts.
        std::vector<TDecodedChapter> expected{{0.0, c.from < secondStart ? "1 p" : "2 p"}};
        for (const double start : {secondStart, thirdStart}) {
            if (start > c.from && start < to) {
                expected.push_back({(start - c.from) * 100.0 / c.speed / 1000.0, QStringLiteral("%1 p").arg(expected.size() + 1)});
            }
        }
        ASSERT_EQ(video.chapters.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(video.chapters[i].startSeconds, expected[i].startSeconds, 0.0015) << i;
            EXPECT_EQ(video.chapters[i].title, expected[i].title) << i;
        }

        // Frames inside the first page (its stroke ended: a seek shows no stroke in progress),
        // just after the second page starts, and the last.
        const int64_t frames = FrameAt(c, to);
        const int64_t inside = FrameAt(c, 1300);
        const int64_t afterChange = FrameAt(c, secondStart);
        const int64_t pointer = FrameAt(c, secondStart + 1000);
        const std::map<int64_t, QImage> pictures = DecodeFrames(mp4, {inside, afterChange, pointer, frames - 1});
        ASSERT_EQ(pictures.size(), 4u);
        for (const int64_t k : {inside, afterChange, frames - 1}) {
            ExpectFrameIsTheBoard(c, k, pictures.at(k));
        }
        // The pointer stick's red tip where the second page placed it.
        const QRect framed = PlaceFramedBoard({size, 0, false, BoardCentred()}, {400, 260}, c.zoom);
        const QPoint tip = framed.topLeft() + QPoint(kBoardFrameMargin + 150 + 4, kBoardFrameMargin + 100 + 4);
        const QRgb red = pictures.at(pointer).pixel(tip);
        EXPECT_TRUE(qRed(red) > 180 && qGreen(red) < 110 && qBlue(red) < 110) << std::hex << red;

        // The click of the second page's voice, heard within a frame of its moment.
        const std::vector<float> sound = DecodeSound(mp4);
        const auto sampleOf = [&](double ms) { return static_cast<size_t>((ms - c.from) * 100.0 / c.speed * 48.0); };
        const size_t begin = sampleOf(secondStart) + 48 * 50;
        const size_t end = std::min(sampleOf(thirdStart), sound.size());
        ASSERT_LT(begin, end);
        size_t heard = end;
        for (size_t i = begin; i < end && heard == end; ++i) {
            heard = std::fabs(sound[i]) > 0.15f ? i : end;
        }
        ASSERT_LT(heard, end) << "no click heard";
        const double clickMs = (secondStart + kClickAtMs - c.from) * 100.0 / c.speed;
        EXPECT_NEAR(heard / 48.0, clickMs, 1000.0 / c.fps);
    }
}

} // namespace
