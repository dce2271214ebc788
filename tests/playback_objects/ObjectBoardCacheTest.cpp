// The cached board against a full repaint, pixel for pixel, over a long random run of object
// commands (shapes, pictures, clips, rich text, markers, with some strokes and lines) played by
// the frame clock, with zoom rebuilds in between.

#include "ObjectsTestSupport.h"

#include <random>
#include <set>

namespace {

constexpr int kBoardWidth = 600;
constexpr int kBoardHeight = 450;

// Resources of the page: two pictures, four rich text blocks, a clip.
constexpr uint8_t kPictures[] = {1, 2};
constexpr uint8_t kTexts[] = {3, 4, 5, 6};
constexpr uint8_t kClip = 7;

// A picture with soft transparent edges, so that opacity and scaling show at the borders.
QByteArray RoundPng()
{
    QImage picture(60, 60, QImage::Format_ARGB32);
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const int d = (x - 30) * (x - 30) + (y - 30) * (y - 30);
            picture.setPixel(x, y, qRgba(20 + 3 * x, 200 - 2 * y, 90, std::clamp(900 - d, 0, 255)));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

// Random steps; every step ends with a command that repaints, so that after every tick the
// board has been brought up to date.
class TObjectSteps : public TRandomPacketSteps {
public:
    using TRandomPacketSteps::TRandomPacketSteps;

private:
    void Step() override
    {
        switch (Int(0, 13)) {
        case 0:
        case 1:
            ShapeStep();
            return;
        case 2:
        case 3:
            PictureStep();
            return;
        case 4:
        case 5:
            TextStep();
            return;
        case 6:
        case 7:
            MarkerStep();
            return;
        case 8:
            ClipStep();
            return;
        case 9:
            InkStep();
            return;
        case 10: {
            // Moves of any family, aimed at any number: commands of the wrong family are skipped.
            static const uint8_t moves[] = {33, 72, 86, 92, 102};
            Add(moves[Int(0, 4)], AnyObject(), X(), Y());
            Repaint();
            return;
        }
        case 11:
            Add(111, 0, Float(0, 300), Float(0, 300));
            return;
        default:
            DeleteStep();
            return;
        }
    }

    void ShapeStep()
    {
        const uint32_t shape = New(m_shapes);
        Add(31, shape, X(), Y(), Float(5, 250), Float(5, 200), static_cast<uint8_t>(Int(1, 44)));
        Style(shape);
        if (Int(0, 2) == 0) {
            Add(34, shape, X(), Y(), Float(-80, 250), Float(-80, 200));
        }
    }

    void Style(uint32_t shape)
    {
        const float fill = static_cast<float>(Int(0, 1) * 1000 + Int(0, 1));
        const float colours = static_cast<float>(Int(0, 69) * 1000 + Int(0, 69));
        const float border = static_cast<float>(Int(1, 4) * 1000 + Int(1, 2));
        static const uint8_t opacities[] = {100, 100, 80, 40};
        Add(32, shape, fill, colours, border, 0, opacities[Int(0, 3)]);
    }

    void PictureStep()
    {
        if (m_pictures.empty() || Int(0, 1) == 0) {
            Add(71, New(m_pictures), X(), Y(), Float(10, 300), Float(10, 200), kPictures[Int(0, 1)]);
            return;
        }
        // Pictures move and resize without a repaint; the next command shows it.
        const uint32_t picture = Pick(m_pictures);
        if (Int(0, 1) == 0) {
            Add(72, picture, X(), Y());
        } else {
            Add(73, picture, X(), Y(), Float(-150, 300), Float(-100, 200));
        }
        Repaint();
    }

    void TextStep()
    {
        if (m_texts.empty() || Int(0, 2) != 0) {
            Add(91, New(m_texts), X(), Y(), Float(5, 100), Float(5, 60), kTexts[Int(0, 3)]);
            return;
        }
        Add(92, Pick(m_texts), X(), Y());
    }

    void MarkerStep()
    {
        if (m_markers.empty() || Int(0, 2) != 0) {
            Add(101, New(m_markers), X(), Y(), 0, 0, static_cast<uint8_t>(Int(0, 4)));
            return;
        }
        Add(102, Pick(m_markers), X(), Y());
    }

    void ClipStep()
    {
        if (m_clips.empty() || Int(0, 1) == 0) {
            Add(81, New(m_clips), X(), Y(), 160, 60, kClip);
        } else {
            const uint32_t clip = Pick(m_clips);
            Add(86, clip, X(), Y());
            Add(static_cast<uint8_t>(Int(82, 85)), clip, 1);
        }
        Repaint();
    }

    void InkStep()
    {
        const uint32_t ink = m_nextDrawNo++;
        if (Int(0, 1) == 0) {
            Add(21, ink, X(), Y(), X(), Y());
            Add(22, ink, static_cast<float>(Int(0, 69)), static_cast<float>(Int(1, 4)), 100, 1, static_cast<uint8_t>(Int(0, 5)));
            return;
        }
        Add(1, ink);
        Add(2, ink, static_cast<float>(Int(0, 69)), static_cast<float>(Int(1, 4)), 100);
        Add(3, ink);
        float x = X();
        float y = Y();
        for (int i = 0; i < 8; ++i) {
            Add(4, ink, x += Float(-20, 20), y += Float(-20, 20));
        }
        Add(5, ink);
    }

    void DeleteStep()
    {
        struct Family {
            std::vector<uint32_t>* list;
            uint8_t code;
        };
        const Family families[] = {{&m_shapes, 35}, {&m_pictures, 74}, {&m_texts, 93}, {&m_markers, 103}, {&m_clips, 87}};
        const Family& family = families[Int(0, 4)];
        if (family.list->empty()) {
            return;
        }
        const size_t index = static_cast<size_t>(Int(0, static_cast<int>(family.list->size()) - 1));
        Add(family.code, (*family.list)[index]);
        family.list->erase(family.list->begin() + static_cast<std::ptrdiff_t>(index));
        Repaint();
    }

    // Shows the pointer: a command that repaints and changes no object.
    void Repaint() { Add(121, 0); }

    uint32_t New(std::vector<uint32_t>& list)
    {
        list.push_back(m_nextDrawNo);
        return m_nextDrawNo++;
    }
    uint32_t Pick(const std::vector<uint32_t>& list) { return list[static_cast<size_t>(Int(0, static_cast<int>(list.size()) - 1))]; }
    uint32_t AnyObject() { return static_cast<uint32_t>(Int(1, static_cast<int>(m_nextDrawNo))); }

    float X() { return Float(-40, kBoardWidth); }
    float Y() { return Float(-40, kBoardHeight); }
    std::vector<uint32_t> m_shapes;
    std::vector<uint32_t> m_pictures;
    std::vector<uint32_t> m_texts;
    std::vector<uint32_t> m_markers;
    std::vector<uint32_t> m_clips;
};

TEST_F(ObjectPlaybackTest, CachedBoardWithEveryObjectKindEqualsAFullRepaint)
{
    m_view = THeadlessPlaybackView(QSize(640, 480));
    constexpr int kSteps = 240;
    TPageSpec page{"objects", SamplesOf(2 * kSteps * 36 + 500), TObjectSteps(20240612).Make(kSteps)};
    page.width = kBoardWidth;
    page.height = kBoardHeight;
    page.boardType = QStringLiteral("LectureImage");
    QFile clip(Track(SamplesOf(2000), static_cast<int>(kTestOutputRate)));
    ASSERT_TRUE(clip.open(QIODevice::ReadOnly));
    StartPage(page, {{kPictures[0], "PngImage", QuadrantsPng(200, 100)},
                     {kPictures[1], "PngImage", RoundPng()},
                     {kTexts[0], "RichXML", RichTextBytes("fontsize=\"16\" bold=\"true\" colorindex=\"18\"",
                                                          "정리: (x + 1)² = x² + 2x + 1\n식 & 넓이")},
                     {kTexts[1], "RichXML", RichTextBytes("fontsize=\"28\" italic=\"true\" fontfamily=\"DejaVu Serif\" "
                                                          "opacity=\"60\"", "fjord jiffy ƒ\nWAVE")},
                     {kTexts[2], "RichXML", RichTextBytes("fontsize=\"12\" underline=\"true\" colorindex=\"61\"",
                                                          "\n  밑줄 그은 글\n&amp; <tags> stay")},
                     {kTexts[3], "RichXML", RichTextBytes("fontsize=\"40\" fontfamily=\"NanumGothic\"", "가나다")},
                     {kClip, "MP3", clip.readAll()}});

    std::mt19937 zoomRandom(11);
    int ticks = 0;
    int zooms = 0;
    while (m_view.IsFrameClockEnabled() && ticks++ < 420) {
        Tick();
        if (std::uniform_int_distribution<int>(0, 11)(zoomRandom) == 0) {
            m_engine->ResizeingImage(std::uniform_int_distribution<int>(0, 2)(zoomRandom) != 0);
            ++zooms;
        }
        ASSERT_NO_FATAL_FAILURE(ExpectBoardMatchesFullRepaint(ticks));
    }
    EXPECT_EQ(PlayedPackets(), static_cast<int>(page.packets.size()));
    EXPECT_GT(zooms, 10);
    // Every kind was on the board at the end.
    std::set<DrawType> kinds;
    for (int i = 0; i < ObjectCount(); ++i) {
        kinds.insert(m_engine->GetDrawManager().GetDraw(i)->GetDrawType());
    }
    EXPECT_EQ(kinds.size(), 7u);
}

} // namespace
