// The object commands in live and rebuild mode: creation with scaled boxes, the packed style
// pairs of shapes, when each family follows, records and repaints, clip positions, and commands
// that reach no object, an unknown resource, a missing or unreadable file, or an object of
// another family.

#include "support/ExpectRect.h"
#include "ObjectsTestSupport.h"

#include "draw/DrawImage.h"
#include "platform/graphics/GPImage.h"
#include "draw/DrawMP3.h"
#include "draw/DrawPopBlinker.h"
#include "draw/DrawRichXML.h"
#include "draw/DrawShape.h"

namespace {

constexpr bool kLive = true;
constexpr bool kRebuild = false;

// Resource numbers of the page.
constexpr uint8_t kPicture = 1;
constexpr uint8_t kText = 2;
constexpr uint8_t kClip = 3;
constexpr uint8_t kTextMissingFile = 4;
constexpr uint8_t kTextNotRoot = 5;
constexpr uint8_t kTextBadSize = 6;
constexpr uint8_t kPictureMissingFile = 7;
constexpr uint8_t kUnlisted = 42;

class ObjectCommandsTest : public ObjectPlaybackTest {
protected:
    // A 2,000 x 2,000 page on a screen that shows 640 x 480 of it, with every kind of resource.
    void StartBigPage()
    {
        m_view = THeadlessPlaybackView(QSize(640, 480));
        TPageSpec page{"big", SamplesOf(3000), {}};
        page.width = 2000;
        page.height = 2000;
        QFile clip(Track(SamplesOf(4000), static_cast<int>(kTestOutputRate)));
        ASSERT_TRUE(clip.open(QIODevice::ReadOnly));
        StartPage(page, {{kPicture, "PngImage", QuadrantsPng(200, 100)},
                         {kText, "RichXML", RichTextBytes("fontsize=\"15\" bold=\"true\"", "넓이 = x² + 2x + 1")},
                         {kClip, "MP3", clip.readAll()},
                         {kTextMissingFile, "RichXML", {}},
                         {kTextNotRoot, "RichXML", "<page><text a=\"1\">x</text></page>"},
                         {kTextBadSize, "RichXML", RichTextBytes("fontsize=\"12pt\"", "x")},
                         {kPictureMissingFile, "PngImage", {}}});
        m_view.m_listBoardChanges.clear();
    }

    void Play(const std::vector<TPacketItem>& packets, bool live = kLive)
    {
        for (const TPacketItem& packet : packets) {
            m_engine->PacketPlay(packet, live, !live);
        }
    }
};

TEST_F(ObjectCommandsTest, CreatedBoxesScaleByTheZoomAndMovesKeepTheSize)
{
    StartBigPage();
    m_state.m_viewRatio = 1.5f;
    Play({Packet(31, 0, 1, 100, 40, 200, 80, static_cast<uint8_t>(ShapeType::Ellipse)), Packet(33, 0, 1, 10, 10),
          Packet(71, 0, 2, 100, 40, 200, 80, kPicture), Packet(72, 0, 2, 10, 10),
          Packet(81, 0, 3, 100, 40, 160, 60, kClip), Packet(86, 0, 3, 10, 10),
          Packet(91, 0, 4, 100, 40, 200, 80, kText), Packet(92, 0, 4, 10, 10),
          Packet(101, 0, 5, 100, 40, 0, 0, static_cast<uint8_t>(PopBlinkerType::Important)),
          Packet(102, 0, 5, 10, 10)});
    ASSERT_EQ(ObjectCount(), 5);
    ExpectRect(Object(1)->GetBounds(), {15, 15, 300, 120});
    ExpectRect(Object(2)->GetBounds(), {15, 15, 300, 120});
    ExpectRect(Object(3)->GetBounds(), {15, 15, 240, 90});
    ExpectRect(Object(4)->GetBounds(), {15, 15, 300, 120});
    ExpectRect(Object(5)->GetBounds(), {15, 15, 40, 24});   // the marker keeps its picture's size
    EXPECT_EQ(ObjectOf<TDrawShape>(1)->GetShapeType(), ShapeType::Ellipse);
    // Resource numbers: the command's for resources, 0 for shapes and markers.
    const uint8_t resources[] = {0, kPicture, kClip, kText, 0};
    for (uint32_t n = 1; n <= 5; ++n) {
        EXPECT_EQ(Object(n)->GetResourceNo(), resources[n - 1]) << n;
    }
    EXPECT_EQ(ObjectOf<TDrawImage>(2)->GetImageOpacity(), 90);
    EXPECT_EQ(ObjectOf<TDrawRichXML>(4)->GetFontSize(), 22);   // 15 x 1.5 = 22.5, to the even 22
    Play({Packet(34, 0, 1, 10, 20, 30, 40), Packet(73, 0, 2, 10, 20, 30, 40)});
    ExpectRect(Object(1)->GetBounds(), {15, 30, 45, 60});
    ExpectRect(Object(2)->GetBounds(), {15, 30, 45, 60});
}

TEST_F(ObjectCommandsTest, ShapeStyleComesInPackedPairs)
{
    StartBigPage();
    struct Case {
        float fp1, fp2, fp3;
        uint8_t opacity;
        bool fill, border;
        int face, borderColour;
        Thickness thickness;
        LineType type;
    };
    const Case cases[] = {
        {1001, 3006, 2002, 80, true, true, 3, 6, 2, 2},
        {1000, 0, 4001, 0, true, false, 0, 0, 4, 1},
        {1, 61069, 1002, 255, false, true, 61, 69, 1, 2},
        {0, 18024, 3001, 100, false, false, 18, 24, 3, 1},
        {2002, 1, 0, 50, false, false, 0, 1, 0, 0},   // 2 is not "yes"
    };
    uint32_t drawNo = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fp1 << " " << c.fp2 << " " << c.fp3);
        Play({Packet(31, 0, ++drawNo, 10, 10, 50, 50, 1), Packet(32, 0, drawNo, c.fp1, c.fp2, c.fp3, 0, c.opacity)});
        const TDrawShape* shape = ObjectOf<TDrawShape>(drawNo);
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->GetFillFace(), c.fill);
        EXPECT_EQ(shape->GetDrawBorder(), c.border);
        EXPECT_EQ(shape->GetFaceColorIndex(), c.face);
        EXPECT_EQ(shape->GetBorderColorIndex(), c.borderColour);
        EXPECT_EQ(shape->GetBorderThickness(), c.thickness);
        EXPECT_EQ(shape->GetBorderType(), c.type);
        EXPECT_EQ(shape->GetShapeOpacity(), c.opacity);
    }
}

TEST_F(ObjectCommandsTest, NewShapesStartUnstyled)
{
    StartBigPage();
    Play({Packet(31, 0, 1, 10, 10, 50, 50, 3)});
    const TDrawShape* shape = ObjectOf<TDrawShape>(1);
    ASSERT_NE(shape, nullptr);
    EXPECT_FALSE(shape->GetFillFace());
    EXPECT_FALSE(shape->GetDrawBorder());
    EXPECT_EQ(shape->GetShapeOpacity(), 0);
    EXPECT_EQ(shape->GetFaceColorIndex(), 0);
    EXPECT_EQ(shape->GetBorderColorIndex(), 0);
    EXPECT_EQ(shape->GetBorderThickness(), 2);
    EXPECT_EQ(shape->GetBorderType(), 1);
}

// What each command does besides its own work, in live play and in a rebuild: scroll to the
// point (follow), record the point, repaint (the board shows the change at once). Every point
// lies off screen, so a follow scrolls. Invisible changes (an unstyled shape, a clip) cannot show
// whether they repaint.
TEST_F(ObjectCommandsTest, FollowRecordAndRepaintOfEachCommand)
{
    enum Repaint { kNo, kYes, kUnseen };
    struct Case {
        TPacketItem packet;
        bool scrolls;
        bool records;
        Repaint repaints;
    };
    const float far = 1500;
    // Objects the commands act on: shape 1 (styled), picture 2, clip 3, text 4, marker 5.
    const std::vector<TPacketItem> board{
        Packet(31, 0, 1, 100, 100, 50, 50, 1), Packet(32, 0, 1, 1001, 3006, 2002, 0, 100),
        Packet(71, 0, 2, 100, 200, 50, 50, kPicture), Packet(81, 0, 3, 100, 300, 160, 60, kClip),
        Packet(91, 0, 4, 300, 100, 50, 50, kText), Packet(101, 0, 5, 300, 200, 0, 0, 1)};
    const Case cases[] = {
        {Packet(31, 0, 9, far, far, 50, 50, 1), true, true, kUnseen},
        {Packet(32, 0, 1, 1001, 3006, 2002, 0, 80), false, false, kYes},
        {Packet(33, 0, 1, far, far), true, true, kYes},
        {Packet(34, 0, 1, far, far, 60, 60), true, true, kYes},
        {Packet(35, 0, 1), false, false, kYes},
        {Packet(71, 0, 9, far, far, 50, 50, kPicture), true, true, kYes},
        {Packet(72, 0, 2, far, far), false, true, kNo},    // pictures never scroll nor repaint
        {Packet(73, 0, 2, far, far, 60, 60), false, true, kNo},
        {Packet(74, 0, 2), false, false, kNo},
        {Packet(81, 0, 9, far, far, 160, 60, kClip), true, true, kUnseen},
        {Packet(82, 0, 3), false, false, kUnseen},
        {Packet(83, 0, 3), false, false, kUnseen},
        {Packet(84, 0, 3), false, false, kUnseen},
        {Packet(85, 0, 3, 2), false, false, kUnseen},
        {Packet(86, 0, 3, far, far), false, false, kUnseen},
        {Packet(87, 0, 3), false, false, kUnseen},
        {Packet(91, 0, 9, far, far, 50, 50, kText), true, true, kYes},
        {Packet(92, 0, 4, far, far), true, true, kYes},
        {Packet(93, 0, 4), false, false, kYes},
        {Packet(101, 0, 9, far, far, 0, 0, 2), true, true, kYes},
        {Packet(102, 0, 5, far, far), true, true, kYes},
        {Packet(103, 0, 5), false, false, kYes},
    };
    StartBigPage();
    const QRect whole = m_engine->GetBoardImage().rect();
    for (const bool live : {kLive, kRebuild}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "code " << static_cast<int>(c.packet.PacketType)
                                            << (live ? " live" : " rebuild"));
            // An empty board (the page has no packets of its own), then the objects, shown.
            m_engine->RedrawUntilMP3FrameNo(0);
            m_view.SetScrollOffset(QPoint(0, 0));
            Play(board);
            m_engine->EnsureBoardRendered(whole);
            ASSERT_EQ(DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)), 0);
            m_view.SetScrollOffset(QPoint(0, 0));
            m_state.m_ptViewPoint = {-1, -1};

            m_engine->PacketPlay(c.packet, live, !live);
            EXPECT_EQ(m_view.GetScrollOffset() != QPoint(0, 0), live && c.scrolls);
            EXPECT_EQ(m_state.m_ptViewPoint.X != -1, c.records);
            if (c.records) {
                EXPECT_FLOAT_EQ(m_state.m_ptViewPoint.X, far);
                EXPECT_FLOAT_EQ(m_state.m_ptViewPoint.Y, far);
            }
            if (c.repaints != kUnseen) {
                m_engine->EnsureBoardRendered(whole);   // what scrolled into view; not the change
                const bool shown = DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)) == 0;
                EXPECT_EQ(shown, live && c.repaints == kYes);
            }
        }
    }
}

TEST_F(ObjectCommandsTest, DeletesRemoveTheirFamilysObject)
{
    StartBigPage();
    Play({Packet(31, 0, 1, 10, 10, 50, 50, 1), Packet(71, 0, 2, 10, 10, 50, 50, kPicture),
          Packet(81, 0, 3, 10, 10, 50, 50, kClip), Packet(91, 0, 4, 10, 10, 50, 50, kText),
          Packet(101, 0, 5, 10, 10, 0, 0, 3)});
    ASSERT_EQ(ObjectCount(), 5);
    const uint8_t deletes[] = {35, 74, 87, 93, 103};
    for (uint32_t n = 1; n <= 5; ++n) {
        Play({Packet(deletes[n - 1], 0, n)});
        EXPECT_EQ(Object(n), nullptr) << n;
        EXPECT_EQ(ObjectCount(), static_cast<int>(5 - n));
    }
}

TEST_F(ObjectCommandsTest, ClipPositionOnlyInARebuild)
{
    StartBigPage();
    Play({Packet(81, 0, 3, 10, 10, 160, 60, kClip)});
    TDrawMP3* clip = ObjectOf<TDrawMP3>(3);
    ASSERT_NE(clip, nullptr);
    const auto seconds = [&] {
        const HSTREAM channel = clip->GetPlayChannel();
        return BASS_ChannelBytes2Seconds(channel, BASS_ChannelGetPosition(channel, kPosByte));
    };
    // The interpreter never plays a clip: not active, so even a rebuild leaves it at the start.
    Play({Packet(85, 0, 3, 2)}, kRebuild);
    EXPECT_EQ(seconds(), 0.0);
    clip->MP3Play();
    clip->MP3Pause();
    Play({Packet(85, 0, 3, 2)}, kLive);
    EXPECT_EQ(seconds(), 0.0);
    Play({Packet(85, 0, 3, 2.5f)}, kRebuild);   // 2.5 rounds to the even 2
    EXPECT_NEAR(seconds(), 2.0, 0.03);
    Play({Packet(85, 0, 3, 3.5f)}, kRebuild);
    EXPECT_NEAR(seconds(), 4.0, 0.03);
}

TEST_F(ObjectCommandsTest, UnknownResourcesAndFilesThatCannotShowCreateNothing)
{
    StartBigPage();
    struct Case {
        TPacketItem create;
        TPacketItem later;   // a command for the same number afterwards: skipped
    };
    const Case cases[] = {
        {Packet(71, 0, 1, 10, 10, 50, 50, kUnlisted), Packet(72, 0, 1, 99, 99)},
        {Packet(81, 0, 2, 10, 10, 50, 50, kUnlisted), Packet(86, 0, 2, 99, 99)},
        {Packet(91, 0, 3, 10, 10, 50, 50, kUnlisted), Packet(92, 0, 3, 99, 99)},
        {Packet(91, 0, 4, 10, 10, 50, 50, kTextMissingFile), Packet(92, 0, 4, 99, 99)},
        {Packet(91, 0, 5, 10, 10, 50, 50, kTextNotRoot), Packet(93, 0, 5)},
        {Packet(91, 0, 6, 10, 10, 50, 50, kTextBadSize), Packet(92, 0, 6, 99, 99)},
        {Packet(91, 0, 7, 10, 10, 50, 50, kPicture), Packet(92, 0, 7, 99, 99)},   // a picture is no rich text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << static_cast<int>(c.create.PacketType) << ", resource "
                                        << static_cast<int>(c.create.ByteParam));
        for (const bool live : {kLive, kRebuild}) {
            m_state.m_ptViewPoint = {-1, -1};
            Play({c.create, c.later}, live);
            EXPECT_EQ(ObjectCount(), 0);
            EXPECT_FLOAT_EQ(m_state.m_ptViewPoint.X, -1);
        }
    }
    EXPECT_TRUE(m_view.m_listMessages.empty());
    // Playback goes on: the next good command works.
    Play({Packet(91, 0, 8, 10, 10, 50, 50, kText)});
    EXPECT_NE(ObjectOf<TDrawRichXML>(8), nullptr);
}

TEST_F(ObjectCommandsTest, PictureWhoseFileIsMissingIsAnEmptyPicture)
{
    StartBigPage();
    Play({Packet(71, 0, 1, 10, 20, 50, 60, kPictureMissingFile), Packet(72, 0, 1, 30, 40)});
    const TDrawImage* image = ObjectOf<TDrawImage>(1);
    ASSERT_NE(image, nullptr);
    ExpectRect(image->GetBounds(), {30, 40, 50, 60});
    EXPECT_EQ(image->GetImage()->GetWidth(), 0);
    m_engine->EnsureBoardRendered(m_engine->GetBoardImage().rect());
    EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)), 0);
}

TEST_F(ObjectCommandsTest, CommandsAimedAtAnotherFamilyAreSkipped)
{
    StartBigPage();
    Play({Packet(31, 0, 1, 10, 10, 50, 50, 1), Packet(71, 0, 2, 110, 10, 50, 50, kPicture),
          Packet(81, 0, 3, 210, 10, 160, 60, kClip), Packet(91, 0, 4, 410, 10, 50, 50, kText),
          Packet(101, 0, 5, 510, 10, 0, 0, 1)});
    std::vector<TGPRectF> before;
    for (uint32_t n = 1; n <= 5; ++n) {
        before.push_back(Object(n)->GetBounds());
    }
    // Every command of each family but the creation, in the family's order: shapes, pictures,
    // clips, rich text, markers.
    const std::vector<std::vector<TPacketItem>> families{
        {Packet(32, 0, 0, 1001, 3006, 2002, 0, 80), Packet(33, 0, 0, 900, 900), Packet(34, 0, 0, 900, 900, 5, 5),
         Packet(35, 0, 0)},
        {Packet(72, 0, 0, 900, 900), Packet(73, 0, 0, 900, 900, 5, 5), Packet(74, 0, 0)},
        {Packet(82, 0, 0), Packet(85, 0, 0, 1), Packet(86, 0, 0, 900, 900), Packet(87, 0, 0)},
        {Packet(92, 0, 0, 900, 900), Packet(93, 0, 0)},
        {Packet(102, 0, 0, 900, 900), Packet(103, 0, 0)},
    };
    for (uint32_t n = 1; n <= 5; ++n) {
        for (uint32_t family = 0; family < 5; ++family) {
            if (family + 1 == n) {
                continue;
            }
            for (TPacketItem packet : families[family]) {
                packet.DrawNo = n;
                Play({packet}, kLive);
                Play({packet}, kRebuild);
            }
        }
    }
    ASSERT_EQ(ObjectCount(), 5);
    for (uint32_t n = 1; n <= 5; ++n) {
        ExpectRect(Object(n)->GetBounds(), before[n - 1]);
    }
    EXPECT_FALSE(ObjectOf<TDrawShape>(1)->GetFillFace());   // only code 32 at the shape styles it
}

TEST_F(ObjectCommandsTest, MarkerAtTheScaledPointWithItsOwnSize)
{
    StartBigPage();
    struct Case {
        float zoom;
        uint8_t kind;
        TGPRectF bounds;
    };
    const Case cases[] = {
        {1.0f, 1, {100, 80, 32, 32}},
        {1.5f, 1, {150, 120, 32, 32}},
        {2.0f, 3, {200, 160, 24, 36}},
        {1.5f, 0, {150, 120, 0, 0}},   // no picture: an empty box at the point
        {1.0f, 9, {100, 80, 0, 0}},
    };
    uint32_t drawNo = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << ", kind " << static_cast<int>(c.kind));
        m_state.m_viewRatio = c.zoom;
        Play({Packet(101, 0, ++drawNo, 100, 80, 0, 0, c.kind)});
        const auto* marker = ObjectOf<TDrawPopBlinker>(drawNo);
        ASSERT_NE(marker, nullptr);
        ExpectRect(marker->GetBounds(), c.bounds);
        EXPECT_EQ(marker->GetResourceNo(), 0);
    }
}

} // namespace
