// The packet interpreter in live and rebuild modes: scaling, following the writing, the view and
// pointer commands, commands that reach no object or an object of another family.

#include "support/ExpectRect.h"
#include "PlaybackTestSupport.h"

#include "draw/DrawLine.h"
#include "draw/DrawStrokes.h"

namespace {

constexpr bool kLive = true;
constexpr bool kRebuild = false;

class InterpreterTest : public PlaybackTest {
protected:
    // One page of 2,000 x 2,000 on a screen that shows 640 x 480 of it; no packets of its own.
    void StartBigPage()
    {
        m_view = THeadlessPlaybackView(QSize(640, 480));
        TPageSpec page{"big", SamplesOf(3000), {}};
        page.width = 2000;
        page.height = 2000;
        WriteSession({{page}});
        Start();
        m_view.m_listBoardChanges.clear();
    }

    void Play(const std::vector<TPacketItem>& packets, bool live = kLive)
    {
        for (const TPacketItem& packet : packets) {
            m_engine->PacketPlay(packet, live, !live);
        }
    }

    // A stroke group `drawNo` with one stroke through the points (unscaled).
    static std::vector<TPacketItem> Stroke(uint32_t drawNo, std::initializer_list<TGPPointF> points)
    {
        std::vector<TPacketItem> packets{Packet(1, 0, drawNo), Packet(2, 0, drawNo, 3, 3, 100), Packet(3, 0, drawNo)};
        for (const TGPPointF& p : points) {
            packets.push_back(Packet(4, 0, drawNo, p.X, p.Y));
        }
        packets.push_back(Packet(5, 0, drawNo));
        return packets;
    }

    TDrawParent* Object(uint32_t drawNo) const { return m_engine->GetDrawManager().FindDrawByDrawNo(drawNo); }
};

TEST_F(InterpreterTest, ResizeAndMoveScaleByTheZoomAndKeepTheSize)
{
    StartBigPage();
    m_state.m_viewRatio = 1.5f;
    Play(Stroke(5, {{10, 10}, {60, 30}, {90, 70}}));
    Play({Packet(7, 0, 5, 100, 40, 200, 80)});
    ExpectRect(Object(5)->GetBounds(), {150, 60, 300, 120});
    EXPECT_EQ(m_state.m_ptViewPoint, (TGPPointF{150, 60}));
    Play({Packet(6, 0, 5, 10, 10)});
    ExpectRect(Object(5)->GetBounds(), {15, 15, 300, 120});
    EXPECT_EQ(m_state.m_ptViewPoint, (TGPPointF{15, 15}));
}

TEST_F(InterpreterTest, LineCommandsCreateStyleMoveAndDelete)
{
    StartBigPage();
    m_state.m_viewRatio = 2.0f;
    Play({Packet(21, 0, 9, 10, 20, 110, 20)});
    auto* line = dynamic_cast<TDrawLine*>(Object(9));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetStartPoint(), (TGPPointF{20, 40}));
    EXPECT_EQ(line->GetEndPoint(), (TGPPointF{220, 40}));
    EXPECT_EQ(m_state.m_ptViewPoint, (TGPPointF{}));   // creation does not follow
    Play({Packet(22, 0, 9, 5, 4, 50, 2, 3)});
    EXPECT_EQ(line->GetLineColorIndex(), 5);
    EXPECT_EQ(line->GetLineThickness(), 4);
    EXPECT_EQ(line->GetLineOpacity(), 50);
    EXPECT_EQ(line->GetLineType(), 2);
    EXPECT_EQ(line->GetLineArrow(), 3);
    EXPECT_EQ(m_state.m_ptViewPoint, (TGPPointF{20, 40}));
    Play({Packet(23, 0, 9, 300, 310, 400, 410)});
    EXPECT_EQ(line->GetStartPoint(), (TGPPointF{600, 620}));
    EXPECT_EQ(m_state.m_ptViewPoint, (TGPPointF{600, 620}));
    Play({Packet(24, 0, 9)});
    EXPECT_EQ(Object(9), nullptr);
}

TEST_F(InterpreterTest, StyleRoundsHalvesToEvenAndUndoTakesTheLastStroke)
{
    StartBigPage();
    Play(Stroke(3, {{10, 10}, {20, 20}}));
    Play({Packet(3, 0, 3), Packet(4, 0, 3, 50, 50), Packet(5, 0, 3)});
    auto* strokes = dynamic_cast<TDrawStrokes*>(Object(3));
    ASSERT_NE(strokes, nullptr);
    EXPECT_EQ(strokes->GetStrokeCount(), 2);
    Play({Packet(2, 0, 3, 12.5f, 2.5f, 13.5f)});
    EXPECT_EQ(strokes->GetStrokeColorIndex(), 12);
    EXPECT_EQ(strokes->GetStrokeThickness(), 2);
    EXPECT_EQ(strokes->GetStrokeOpacity(), 14);
    Play({Packet(12, 0, 3)});
    EXPECT_EQ(strokes->GetStrokeCount(), 1);
    Play({Packet(12, 0, 77)});   // no such object: nothing
    EXPECT_EQ(strokes->GetStrokeCount(), 1);
}

TEST_F(InterpreterTest, ScrollCommandTakesTheVerticalOffsetFirstAndIsNotScaled)
{
    StartBigPage();
    m_state.m_viewRatio = 2.0f;
    const TGPPointF focus = m_state.m_ptViewPoint;
    Play({Packet(111, 0, 0, 300, 0)});
    EXPECT_EQ(m_view.m_ptScrollOffset, QPoint(0, 300));
    Play({Packet(111, 0, 0, 10.5f, 20.5f)});
    EXPECT_EQ(m_view.m_ptScrollOffset, QPoint(20, 10));
    EXPECT_EQ(m_state.m_ptViewPoint, focus);
}

TEST_F(InterpreterTest, PointerIsPlacedUnscaledAndFollowed)
{
    StartBigPage();
    m_state.m_viewRatio = 2.0f;
    Play({Packet(121, 0)});
    EXPECT_TRUE(m_view.m_bPointerVisible);
    Play({Packet(122, 0, 0, 500, 400)});
    EXPECT_EQ(m_view.m_ptPointer, QPoint(500, 400));
    EXPECT_EQ(m_state.m_ptViewPoint, (TGPPointF{500, 400}));
    Play({Packet(123, 0)});
    EXPECT_FALSE(m_view.m_bPointerVisible);
}

TEST_F(InterpreterTest, FollowingScrollsOnlyForPointsOffScreen)
{
    StartBigPage();
    struct Case {
        QPoint offset;
        TGPPointF point;
        QPoint expected;
    };
    const Case cases[] = {
        {{0, 0}, {640, 480}, {0, 0}},           // on the visible edge: stays
        {{0, 0}, {641, 100}, {321, 0}},         // off to the right: centred, top clamped at 0
        {{500, 500}, {100, 1000}, {0, 760}},    // off to the left: left clamped at 0
        {{0, 0}, {1000.5f, 900.5f}, {680, 660}},   // halves to even: 1000.5 - 320 -> 680
    };
    for (const Case& c : cases) {
        m_view.m_ptScrollOffset = c.offset;
        m_engine->ScroolBoxToCenterPoint(c.point);
        EXPECT_EQ(m_view.m_ptScrollOffset, c.expected) << c.point.X << "," << c.point.Y;
        EXPECT_EQ(m_state.m_viewScreenRect,
                  (TGPRectF{static_cast<float>(c.offset.x()), static_cast<float>(c.offset.y()), 640, 480}));
    }
}

TEST_F(InterpreterTest, LivePointsDrawAtOnceWithoutARepaintAndRebuildOnlyRecords)
{
    StartBigPage();
    Play({Packet(1, 0, 1), Packet(2, 0, 1, 3, 4, 100), Packet(3, 0, 1)});
    const QImage before = m_engine->GetBoardImage();
    Play({Packet(4, 0, 1, 900, 900)}, kRebuild);
    EXPECT_EQ(m_engine->GetBoardImage(), before);
    EXPECT_TRUE(m_view.m_listBoardChanges.empty());
    EXPECT_EQ(m_view.m_ptScrollOffset, QPoint(0, 0));
    EXPECT_EQ(m_state.m_ptViewPoint, (TGPPointF{900, 900}));

    Play({Packet(3, 0, 1), Packet(4, 0, 1, 100, 100)});
    ASSERT_EQ(m_view.m_listBoardChanges.size(), 1u);
    const QRect piece = m_view.m_listBoardChanges[0];
    EXPECT_TRUE(piece.contains(100, 100));
    EXPECT_LT(piece.width(), 40);
    EXPECT_NE(m_engine->GetBoardImage().pixel(100, 100), before.pixel(100, 100));
    EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), before),
              DifferingPixels(m_engine->GetBoardImage().copy(piece), before.copy(piece)));
}

// Codes no table lists, a picture naming a resource the page does not have, and commands that
// reach no object or an object of another family change nothing at all.
TEST_F(InterpreterTest, CommandsThatReachNothingChangeNothing)
{
    StartBigPage();
    Play(Stroke(1, {{10, 10}, {30, 40}}));
    Play({Packet(21, 0, 2, 50, 50, 150, 80), Packet(22, 0, 2, 1, 2, 0, 1, 1)});
    m_view.m_ptScrollOffset = QPoint(5, 5);
    m_view.m_listBoardChanges.clear();
    auto* strokes = dynamic_cast<TDrawStrokes*>(Object(1));
    auto* line = dynamic_cast<TDrawLine*>(Object(2));
    const QImage board = m_engine->GetBoardImage();
    const TGPPointF focus = m_state.m_ptViewPoint;
    const TGPRectF strokeBounds = strokes->GetBounds();
    const TGPPointF lineStart = line->GetStartPoint();

    const std::vector<TPacketItem> nothing{
        Packet(0, 0, 1), Packet(9, 0, 1, 5, 5), Packet(200, 0, 1, 5, 5), Packet(255, 0, 2), Packet(13, 0, 1),
        Packet(71, 0, 41, 1, 1, 10, 10, 1),
        // nothing under these numbers
        Packet(2, 0, 99, 5, 5, 5), Packet(4, 0, 99, 5, 5), Packet(5, 0, 99), Packet(6, 0, 99, 5, 5),
        Packet(7, 0, 99, 1, 1, 5, 5), Packet(8, 0, 99), Packet(22, 0, 99, 1, 1, 1, 1), Packet(23, 0, 99, 1, 1, 2, 2),
        Packet(24, 0, 99),
        // a line command at the stroke group, stroke commands at the line
        Packet(22, 0, 1, 9, 4, 50, 2, 4), Packet(23, 0, 1, 300, 300, 400, 400), Packet(24, 0, 1),
        Packet(2, 0, 2, 9, 4, 50), Packet(3, 0, 2), Packet(4, 0, 2, 60, 60), Packet(5, 0, 2), Packet(12, 0, 2),
        Packet(6, 0, 2, 500, 500), Packet(7, 0, 2, 1, 1, 500, 500), Packet(8, 0, 2),
        // shape and marker commands at both
        Packet(32, 0, 1, 1001, 3006, 2002, 0, 80), Packet(33, 0, 2, 300, 300), Packet(35, 0, 1),
        Packet(102, 0, 1, 300, 300), Packet(103, 0, 2)};
    Play(nothing);
    EXPECT_EQ(ObjectCount(), 2);
    EXPECT_EQ(Object(1), strokes);
    EXPECT_EQ(Object(2), line);
    EXPECT_EQ(strokes->GetBounds(), strokeBounds);
    EXPECT_EQ(strokes->GetStrokeColorIndex(), 3);
    EXPECT_EQ(line->GetStartPoint(), lineStart);
    EXPECT_EQ(line->GetLineColorIndex(), 1);
    EXPECT_EQ(m_state.m_ptViewPoint, focus);
    EXPECT_EQ(m_view.m_ptScrollOffset, QPoint(5, 5));
    EXPECT_EQ(m_engine->GetBoardImage(), board);
    EXPECT_TRUE(m_view.m_listBoardChanges.empty());
}

// The lookup reaches the first object registered under a number; once it is deleted, the next.
TEST_F(InterpreterTest, TwoObjectsUnderOneNumber)
{
    StartBigPage();
    Play(Stroke(4, {{10, 10}, {20, 20}}));
    Play({Packet(21, 0, 4, 50, 50, 60, 60)});
    EXPECT_EQ(ObjectCount(), 2);
    Play({Packet(23, 0, 4, 1, 1, 2, 2)});   // reaches the stroke group: skipped
    auto* line = dynamic_cast<TDrawLine*>(m_engine->GetDrawManager().GetDraw(1));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetStartPoint(), (TGPPointF{50, 50}));
    Play({Packet(8, 0, 4)});
    EXPECT_EQ(ObjectCount(), 1);
    Play({Packet(23, 0, 4, 1, 1, 2, 2)});   // now reaches the line
    EXPECT_EQ(line->GetStartPoint(), (TGPPointF{1, 1}));
    Play({Packet(24, 0, 4)});
    EXPECT_EQ(ObjectCount(), 0);
    Play({Packet(3, 0, 4)});                 // begin a stroke: creates the missing group
    EXPECT_NE(dynamic_cast<TDrawStrokes*>(Object(4)), nullptr);
}

} // namespace
