#pragma once
// Sessions written into a scratch data folder (catalogue, page descriptions, packet files, MP3
// voice tracks made with sox and lame), the audio library on the manual output, and an engine on
// a headless view whose frame clock the test ticks.

#include "content/ContentFixture.h"
#include "content/Mp3Fixture.h"
#include "support/BoardPixels.h"

#include "draw/DrawManager.h"
#include "platform/Rounding.h"
#include "platform/audio/AudioLibrary.h"
#include "platform/audio/AudioTestOutput.h"
#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPGraphics.h"
#include "playback/BoardWarmUp.h"
#include "playback/HeadlessPlaybackView.h"
#include "playback/PlaybackEngine.h"
#include "session/PacketItems.h"
#include "session/FileUtil.h"
#include "session/LaunchParams.h"

#include <QImage>
#include <QMap>

#include <memory>
#include <random>
#include <vector>

constexpr uint32_t kTestOutputRate = 44100;

// Samples of a voice track of `ms` milliseconds at the output rate.
constexpr int64_t SamplesOf(int64_t ms)
{
    return ms * kTestOutputRate / 1000;
}

inline TPacketItem Packet(uint8_t type, int32_t frame, uint32_t drawNo = 0, float fp1 = 0, float fp2 = 0, float fp3 = 0,
                          float fp4 = 0, uint8_t byteParam = 0)
{
    return MakePacketItem(type, frame, drawNo, fp1, fp2, fp3, fp4, byteParam);
}

inline QByteArray PacketFileBytes(const std::vector<TPacketItem>& items)
{
    QByteArray bytes(static_cast<qsizetype>(items.size() * kPacketItemSize), '\0');
    for (size_t i = 0; i < items.size(); ++i) {
        PacketItemToBytes(items[i], reinterpret_cast<unsigned char*>(bytes.data()) + i * kPacketItemSize);
    }
    return bytes;
}

struct TPageSpec {
    QString id;
    int64_t voiceSamples = 0;            // 0: the page has no sound.dat
    std::vector<TPacketItem> packets;
    bool writePackets = true;
    int width = 800;
    int height = 600;
    QString boardType = QStringLiteral("WhiteBorad");   // anything else: the page's own bgimg.png
    int voiceRate = static_cast<int>(kTestOutputRate);  // long tracks are made at a low rate, which is quicker
};

// A random run of commands for the board-cache tests: Make calls Step once per step, each step's
// commands due at its own frame (1, 3, 5, ...).
class TRandomPacketSteps {
public:
    explicit TRandomPacketSteps(uint32_t seed) : m_random(seed) {}
    virtual ~TRandomPacketSteps() = default;

    std::vector<TPacketItem> Make(int steps)
    {
        for (int k = 0; k < steps; ++k) {
            m_frame = 2 * k + 1;
            Step();
        }
        return m_packets;
    }

protected:
    virtual void Step() = 0;

    void Add(uint8_t type, uint32_t drawNo, float fp1 = 0, float fp2 = 0, float fp3 = 0, float fp4 = 0, uint8_t byteParam = 0)
    {
        m_packets.push_back(Packet(type, m_frame, drawNo, fp1, fp2, fp3, fp4, byteParam));
    }

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    float Float(float low, float high) { return std::uniform_real_distribution<float>(low, high)(m_random); }

    uint32_t m_nextDrawNo = 1;

private:
    std::mt19937 m_random;
    std::vector<TPacketItem> m_packets;
    int32_t m_frame = 0;
};

class PlaybackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(HaveMp3Tools()) << "sox and lame are needed to make voice tracks";
        AudioUseManualOutput(true);
        ASSERT_TRUE(BASS_Init(kDefaultDevice, kTestOutputRate, 2, nullptr, nullptr));
        ASSERT_STREQ(AudioOutputKind(), "manual");
        g_studyInfo = TStudyInfo();
        g_studyInfo.study_mode = QStringLiteral("R");
        g_studyInfo.lecture_type = 1;
        m_state.m_sExeDir = m_dir.filePath("exe");
        m_state.m_sBasePath = m_dir.filePath("data");
        // The whiteboard's pattern: 16 x 16 with a line, so that tiling shows; its "@2x" picture
        // 32 x 32, the line two pixels thick, a little greener so that the two are told apart.
        QDir().mkpath(JoinPath(m_state.m_sExeDir, "image"));
        for (const int scale : {1, 2}) {
            QImage pattern(16 * scale, 16 * scale, QImage::Format_ARGB32);
            pattern.fill(scale == 1 ? 0xFFF4F8F0 : 0xFFF0F8F0);
            for (int x = 0; x < pattern.width(); ++x) {
                for (int y = 15 * scale; y < pattern.height(); ++y) {
                    pattern.setPixel(x, y, 0xFFB0C4DE);
                }
            }
            const QString name = JoinPath(m_state.m_sExeDir, "image", "WhiteBoardFrameBG.png");
            ASSERT_TRUE(pattern.save(scale == 1 ? name : HighResolutionFileName(name)));
        }
    }

    void TearDown() override
    {
        m_warmUp = nullptr;
        m_engine.reset();
        BASS_Free();
        AudioUseManualOutput(false);
        g_studyInfo = TStudyInfo();
    }

    // A fresh engine, view, state and session folder, for a test that runs several cases.
    void Renew(QSize visibleSize = QSize(1280, 720))
    {
        TearDown();
        m_state = TPlayerState();
        m_view = THeadlessPlaybackView(visibleSize);
        SetUp();
        QDir(m_state.m_sBasePath).removeRecursively();
    }

    // Writes the lectures (each a list of pages) as the session of the state.
    void WriteSession(const std::vector<std::vector<TPageSpec>>& lectures)
    {
        for (size_t i = 0; i < lectures.size(); ++i) {
            const QString file = QStringLiteral("A%1.wyl").arg(i + 1, 9, 10, QChar('0'));
            m_state.m_arrayLectureName << file;
            QString elements;
            for (const TPageSpec& page : lectures[i]) {
                elements += QStringLiteral("<page id=\"%1\" frames=\"10\"/>").arg(page.id);
                WritePage(LectureNameOf(file), page);
            }
            WriteFileBytes(JoinPath(LectureFolder(m_state.m_sBasePath, file), "lectureinfo.xml"),
                           QStringLiteral("<root><pages>%1</pages></root>").arg(elements).toUtf8());
        }
        g_studyInfo.lecture_count = static_cast<uint8_t>(lectures.size());
    }

    void WritePage(const QString& lectureName, const TPageSpec& page)
    {
        const QString folder = PageFolder(m_state.m_sBasePath, lectureName, page.id);
        WriteFileBytes(JoinPath(folder, "pageinfo.xml"),
                       QStringLiteral("<root><pageinfo width=\"%1\" height=\"%2\"/>"
                                      "<lectureimage type=\"%3\" fileext=\".png\"/><resources/></root>")
                           .arg(page.width)
                           .arg(page.height)
                           .arg(page.boardType)
                           .toUtf8());
        if (page.writePackets) {
            WriteFileBytes(JoinPath(folder, "packet.dat"), PacketFileBytes(page.packets));
        }
        if (page.voiceSamples > 0) {
            ASSERT_TRUE(QFile::copy(Track(page.voiceSamples, page.voiceRate), JoinPath(folder, "sound.dat")));
        }
        if (page.boardType != QLatin1String("WhiteBorad")) {
            QImage picture(page.width / 2, page.height / 2, QImage::Format_ARGB32);
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    picture.setPixel(x, y, qRgb(x * 255 / picture.width(), y * 255 / picture.height(), 180));
                }
            }
            ASSERT_TRUE(picture.save(JoinPath(folder, "bgimg.png")));
        }
    }

    // A voice track of that many samples at that rate, made once per test program.
    static QString Track(int64_t samples, int rate)
    {
        static QTemporaryDir tracks;
        static QMap<QString, QString> made;
        const QString name = QStringLiteral("%1-%2.mp3").arg(samples).arg(rate);
        if (!made.contains(name)) {
            const QString path = tracks.filePath(name);
            EXPECT_TRUE(MakeMp3(path, samples, rate));
            made[name] = path;
        }
        return made[name];
    }

    // Builds the engine, with the warm-up attached as the window attaches it, and the catalogue;
    // the first page starts.
    void Start()
    {
        m_engine = std::make_unique<TPlaybackEngine>(m_state, m_view);
        m_engine->SetDevicePixelRatio(m_dDevicePixelRatio);
        m_warmUp = m_bWarmUp ? &AttachBoardWarmUp(*m_engine) : nullptr;
        ASSERT_TRUE(m_engine->LoadLectureInfo(m_state.m_sBasePath));
    }

    // The output plays `ms` milliseconds, then the frame clock ticks if it is enabled.
    void Tick(int ms = 72)
    {
        AudioManualAdvance(static_cast<uint64_t>(ms) * kTestOutputRate / 1000);
        if (m_view.IsFrameClockEnabled()) {
            m_engine->tmFramePlayTimer();
        }
    }

    // The voice position as heard now, in milliseconds.
    uint32_t HeardPosition() const
    {
        const HSTREAM channel = m_engine->GetPlayChannel();
        return static_cast<uint32_t>(
            RoundHalfEven(BASS_ChannelBytes2Seconds(channel, BASS_ChannelGetPosition(channel, kPosByte)) * 1000.0));
    }

    int ObjectCount() const { return m_engine->GetDrawManager().GetCount(); }
    int PlayedPackets() const { return m_engine->GetPacketFile().GetPrevPopPacketIndex() + 1; }

    // The cached board against a full repaint after a tick: what is on screen always, the whole
    // board (once rendered) every fourth tick.
    void ExpectBoardMatchesFullRepaint(int p_nTick)
    {
        const QImage full = FullRepaint(*m_engine);
        const QRect visible = DeviceRect(m_view.GetVisibleBoardRect(), m_dDevicePixelRatio).intersected(full.rect());
        ASSERT_EQ(DifferingPixels(m_engine->GetBoardImage().copy(visible), full.copy(visible)), 0)
            << "tick " << p_nTick << ", packets played " << PlayedPackets() << ", zoom " << m_state.m_viewRatio;
        if (p_nTick % 4 == 0) {
            m_engine->EnsureBoardRendered(QRect(QPoint(0, 0), m_engine->Board().GetSurfaceSize()));
            ASSERT_EQ(DifferingPixels(m_engine->GetBoardImage(), full), 0) << "tick " << p_nTick;
        }
    }

    QTemporaryDir m_dir;
    TPlayerState m_state;
    THeadlessPlaybackView m_view;
    std::unique_ptr<TPlaybackEngine> m_engine;
    // Off for tests that count the stroke cache's figures: the warm-up would add its own at any time.
    bool m_bWarmUp = true;
    // The screen's device pixel ratio the engine draws at.
    qreal m_dDevicePixelRatio = 1.0;
    TBoardWarmUp* m_warmUp = nullptr;   // the engine's, when attached
};
