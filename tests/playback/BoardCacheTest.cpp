// The cached board against a full repaint, pixel for pixel, over a long random run of commands
// played by the frame clock, with zoom rebuilds in between, on a pattern board and on a page
// picture, at device pixel ratios 1, 1.5 and 2.

#include "PlaybackTestSupport.h"

#include "platform/graphics/GPStrokeCache.h"

#include <QPainter>

#include <cmath>
#include <random>

namespace {

constexpr int kBoardWidth = 600;
constexpr int kBoardHeight = 450;

// Random steps of commands, each ending with a command that repaints, so that after every tick
// the board has been brought up to date.
class TRandomSteps : public TRandomPacketSteps {
public:
    using TRandomPacketSteps::TRandomPacketSteps;

private:
    void Step() override
    {
        switch (Int(0, 11)) {
        case 0:
        case 1:
        case 2:
        case 3:
            StrokeStep();
            return;
        case 4:
        case 5:
            LineStep();
            return;
        case 6:
            Add(6, Group(), Float(-50, kBoardWidth), Float(-50, kBoardHeight));
            return;
        case 7:
            Add(7, Group(), Float(0, kBoardWidth), Float(0, kBoardHeight), Float(5, 300), Float(5, 200));
            return;
        case 8:
            Add(Int(0, 1) == 0 ? 6 : 8, Group(), Float(0, kBoardWidth), Float(0, kBoardHeight));
            return;
        case 9:
            Add(12, Group());
            return;
        case 10:
            Add(Int(0, 1) == 0 ? 23 : 24, Line(), Float(0, kBoardWidth), Float(0, kBoardHeight),
                Float(0, kBoardWidth), Float(0, kBoardHeight));
            return;
        default:
            Add(121, 0);
            Add(122, 0, Float(0, kBoardWidth), Float(0, kBoardHeight));
            Add(static_cast<uint8_t>(Int(0, 1) == 0 ? 123 : 9), 0);
            Add(111, 0, Float(0, 300), Float(0, 300));
            return;
        }
    }

    void StrokeStep()
    {
        uint32_t group = 0;
        if (m_groups.empty() || Int(0, 2) == 0) {
            group = m_nextDrawNo++;
            m_groups.push_back(group);
            Add(1, group);
            Style(group);
        } else {
            group = Group();
            if (Int(0, 3) == 0) {
                Style(group);
            }
        }
        Add(3, group);
        float x = Float(0, kBoardWidth);
        float y = Float(0, kBoardHeight);
        const int points = Int(1, 14);
        for (int i = 0; i < points; ++i) {
            Add(4, group, x, y);
            x += Float(-25, 25);
            y += Float(-25, 25);
        }
        Add(5, group);
    }

    void Style(uint32_t group)
    {
        static const float opacities[] = {100, 100, 60, 30};
        Add(2, group, static_cast<float>(Int(0, 69)), static_cast<float>(Int(1, 4)), opacities[Int(0, 3)]);
    }

    void LineStep()
    {
        const uint32_t line = m_nextDrawNo++;
        m_lines.push_back(line);
        Add(21, line, Float(0, kBoardWidth), Float(0, kBoardHeight), Float(0, kBoardWidth), Float(0, kBoardHeight));
        Add(22, line, static_cast<float>(Int(0, 69)), static_cast<float>(Int(1, 4)), Int(0, 1) ? 100.0f : 50.0f,
            static_cast<float>(Int(1, 2)), static_cast<uint8_t>(Int(0, 5)));
    }

    uint32_t Group() { return m_groups.empty() ? 999 : m_groups[static_cast<size_t>(Int(0, static_cast<int>(m_groups.size()) - 1))]; }
    uint32_t Line() { return m_lines.empty() ? 998 : m_lines[static_cast<size_t>(Int(0, static_cast<int>(m_lines.size()) - 1))]; }

    std::vector<uint32_t> m_groups;
    std::vector<uint32_t> m_lines;
};

// A board kind ("WhiteBorad": the skin's pattern; another: the page's own picture) at a device
// pixel ratio.
struct TBoardCase {
    const char* kind;
    qreal ratio;
};

std::string BoardCaseName(const ::testing::TestParamInfo<TBoardCase>& info)
{
    const std::string kind = std::string(info.param.kind) == "WhiteBorad" ? "Pattern" : "Picture";
    if (info.param.ratio == 1.0) {
        return kind;
    }
    std::string ratio = QString::number(info.param.ratio).replace(QLatin1Char('.'), QLatin1Char('_')).toStdString();
    return kind + "At" + ratio;
}

class BoardCacheTest : public PlaybackTest, public ::testing::WithParamInterface<TBoardCase> {
protected:
    // A page of random steps on the board kind of the parameter, started on a 640 x 480 screen
    // at the parameter's ratio; returns how many packets it holds.
    size_t StartRandomPage(int p_nSteps)
    {
        m_view = THeadlessPlaybackView(QSize(640, 480));
        TPageSpec page{"random", SamplesOf(2 * p_nSteps * 36 + 500), TRandomSteps(20240611).Make(p_nSteps)};
        page.width = kBoardWidth;
        page.height = kBoardHeight;
        page.boardType = GetParam().kind;
        WriteSession({{page}});
        m_dDevicePixelRatio = GetParam().ratio;
        Start();
        return page.packets.size();
    }
};

TEST_P(BoardCacheTest, CachedBoardEqualsAFullRepaintAfterEveryTick)
{
    const size_t packets = StartRandomPage(220);

    std::mt19937 zoomRandom(7);
    int ticks = 0;
    int zooms = 0;
    size_t partial = 0;
    while (m_view.IsFrameClockEnabled() && ticks++ < 400) {
        Tick();
        if (std::uniform_int_distribution<int>(0, 11)(zoomRandom) == 0) {
            m_engine->ResizeingImage(std::uniform_int_distribution<int>(0, 2)(zoomRandom) != 0);
            ++zooms;
        }
        partial += static_cast<size_t>(std::count_if(m_view.m_listBoardChanges.begin(), m_view.m_listBoardChanges.end(),
                                                     [](const QRect& r) { return !r.isEmpty(); }));
        m_view.m_listBoardChanges.clear();
        ASSERT_NO_FATAL_FAILURE(ExpectBoardMatchesFullRepaint(ticks));
    }
    EXPECT_EQ(PlayedPackets(), static_cast<int>(packets));
    EXPECT_GT(zooms, 10);
    EXPECT_GT(m_state.m_viewRatio, 1.0f);
    EXPECT_GT(ObjectCount(), 20);
    EXPECT_GT(partial, 200u);   // the ticks re-rendered parts of the board, not all of it
}

// Pixels that differ between two images of one size: in all, and outside the region.
struct TChangedPixels {
    int64_t all = 0;
    int64_t outside = 0;
};
TChangedPixels ChangedPixels(const QImage& p_before, const QImage& p_after, const QRegion& p_rgn)
{
    QImage inside(p_after.size(), QImage::Format_Grayscale8);
    inside.fill(0);
    {
        QPainter painter(&inside);
        for (const QRect& rect : p_rgn) {
            painter.fillRect(DeviceRect(rect, p_after.devicePixelRatio()), Qt::white);
        }
    }
    TChangedPixels changed;
    for (int y = 0; y < p_after.height(); ++y) {
        const QRgb* rowBefore = reinterpret_cast<const QRgb*>(p_before.constScanLine(y));
        const QRgb* rowAfter = reinterpret_cast<const QRgb*>(p_after.constScanLine(y));
        const uchar* rowInside = inside.constScanLine(y);
        for (int x = 0; x < p_after.width(); ++x) {
            const bool differs = rowBefore[x] != rowAfter[x];
            changed.all += differs ? 1 : 0;
            changed.outside += differs && rowInside[x] == 0 ? 1 : 0;
        }
    }
    return changed;
}

// What a consumer of the image takes as repainted since its last take holds every pixel that
// changed: flushes, the part on screen after a rebuild, slices between ticks, a zoom step's new
// surface, and the live ink of a stroke still being written. The takes of plain ticks are parts
// of the board, not all of it.
TEST_P(BoardCacheTest, RepaintedRegionHoldsEveryChangedPixel)
{
    const size_t packets = StartRandomPage(120);
    TBoardSurface& board = m_engine->Board();
    const auto surface = [&board] { return QRegion(QRect(QPoint(0, 0), board.GetSurfaceSize())); };
    EXPECT_EQ(board.TakeRepaintedRegion(), surface()) << "the first take";
    EXPECT_TRUE(board.TakeRepaintedRegion().isEmpty()) << "nothing happened since";

    std::mt19937 zoomRandom(11);
    int ticks = 0;
    int partialTakes = 0;
    while (m_view.IsFrameClockEnabled() && ticks++ < 300) {
        const QImage before = board.GetImage().copy();
        Tick();
        if (std::uniform_int_distribution<int>(0, 15)(zoomRandom) == 0) {
            m_engine->ResizeingImage(std::uniform_int_distribution<int>(0, 2)(zoomRandom) != 0);
        }
        const QRegion taken = board.TakeRepaintedRegion();
        if (board.GetImage().size() != before.size()) {
            ASSERT_EQ(taken, surface()) << "tick " << ticks << ": a new surface is taken whole";
            continue;
        }
        ASSERT_EQ(ChangedPixels(before, board.GetImage(), taken).outside, 0) << "tick " << ticks;
        partialTakes += !taken.isEmpty() && taken != surface() ? 1 : 0;
    }
    EXPECT_EQ(PlayedPackets(), static_cast<int>(packets));
    EXPECT_GT(partialTakes, 50);

    // A stroke written point by point: each piece is on the image before the stroke's end
    // repaints it.
    for (const TPacketItem& packet : {Packet(1, 0, 900), Packet(2, 0, 900, 3, 4, 100), Packet(3, 0, 900)}) {
        m_engine->PacketPlay(packet, true, false);
    }
    board.TakeRepaintedRegion();
    int64_t inked = 0;
    for (int i = 0; i < 8; ++i) {
        const QImage before = board.GetImage().copy();
        m_engine->PacketPlay(Packet(4, 0, 900, 100.0f + 30.0f * static_cast<float>(i), 200.0f + 15.0f * static_cast<float>(i % 2)),
                             true, false);
        const TChangedPixels changed = ChangedPixels(before, board.GetImage(), board.TakeRepaintedRegion());
        EXPECT_EQ(changed.outside, 0) << "point " << i;
        inked += changed.all;
    }
    EXPECT_GT(inked, 0);
}

// After a rebuild only the part on screen is rendered; the view moving renders what comes on
// screen; the ticks render the rest.
TEST_F(PlaybackTest, OffScreenPartsAreRenderedLater)
{
    m_view = THeadlessPlaybackView(QSize(400, 300));
    std::vector<TPacketItem> packets;
    for (uint32_t i = 0; i < 40; ++i) {
        const float x = 30.0f + 45.0f * static_cast<float>(i % 20);
        const float y = 40.0f + 500.0f * static_cast<float>(i / 20);
        packets.insert(packets.end(), {Packet(1, 0, i + 1), Packet(2, 0, i + 1, 5, 4, 100), Packet(3, 0, i + 1),
                                       Packet(4, 0, i + 1, x, y), Packet(4, 0, i + 1, x + 20, y + 300), Packet(5, 0, i + 1)});
    }
    packets.push_back(Packet(111, 0, 0, 0, 0));
    TPageSpec page{"big", SamplesOf(3000), packets};
    page.width = 1000;
    page.height = 900;
    WriteSession({{page}});
    Start();
    m_engine->btnPlayMouseUp();
    m_state.m_intCurrentMilesSecond = 11000;
    m_engine->btnPlayPrevMouseUp();   // rebuild at 1 s, paused
    const QImage full = FullRepaint(*m_engine);
    EXPECT_FALSE(m_engine->Board().IsComplete());
    const QRect visible = m_view.GetVisibleBoardRect().intersected(full.rect());
    EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage().copy(visible), full.copy(visible)), 0);
    EXPECT_GT(DifferingPixels(m_engine->GetBoardImage(), full), 0);

    m_engine->PacketPlay(Packet(111, 0, 0, 500, 500), true, false);   // the view moves down and right
    const QRect moved = m_view.GetVisibleBoardRect().intersected(full.rect());
    ASSERT_NE(moved, visible);
    EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage().copy(moved), full.copy(moved)), 0);

    for (int i = 0; i < 50 && !m_engine->Board().IsComplete(); ++i) {
        Tick();
    }
    EXPECT_TRUE(m_engine->Board().IsComplete());
    EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), full), 0);
}

// A rebuild makes every object afresh; the strokes' coverage kept from the first render is found
// again on a seek back within the page (nothing new is stored) and gives the same board.
TEST_F(PlaybackTest, SeekBackFindsTheStrokesKeptFromTheFirstRender)
{
    std::vector<TPacketItem> packets;
    for (uint32_t group = 1; group <= 6; ++group) {
        const int32_t frame = static_cast<int32_t>(group) * 10;
        packets.insert(packets.end(), {Packet(1, frame, group), Packet(2, frame, group, static_cast<float>(group), 3,
                                                                         group % 2 == 0 ? 100.0f : 40.0f)});
        for (int stroke = 0; stroke < 5; ++stroke) {
            packets.push_back(Packet(3, frame, group));
            for (int i = 0; i < 12; ++i) {
                const float x = 40.0f + 110.0f * static_cast<float>(group) + 6.5f * static_cast<float>(i);
                const float y = 60.0f + 90.0f * static_cast<float>(stroke) + 20.0f * std::sin(static_cast<float>(i + stroke));
                packets.push_back(Packet(4, frame, group, x, y));
            }
            packets.push_back(Packet(5, frame, group));
        }
    }
    TPageSpec page{"strokes", SamplesOf(3000), packets};
    WriteSession({{page}});
    m_bWarmUp = false;
    Start();
    const TGPStrokeCache& cache = m_engine->Board().GetStrokeCache();
    const QRect board = m_engine->GetBoardImage().rect();

    m_engine->RedrawUntilMP3FrameNo(60);
    m_engine->EnsureBoardRendered(board);
    const size_t kept = cache.GetCount();
    EXPECT_EQ(kept, 30u);   // one figure per stroke
    EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)), 0);

    // Back to the end, then to the middle: had the rebuild dropped what was kept, the strokes
    // would be stored again (the middle holds half of them).
    for (const uint32_t frame : {60u, 30u}) {
        m_engine->RedrawUntilMP3FrameNo(frame);
        m_engine->EnsureBoardRendered(board);
        EXPECT_EQ(cache.GetCount(), kept) << "frame " << frame;
        EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)), 0) << "frame " << frame;
    }
}

// The strokes kept are the current page's: starting the page again keeps them, another page
// starts with none and keeps only its own (a long session would pile up every page's figures).
TEST_F(PlaybackTest, StrokesKeptAreThoseOfThePagePlaying)
{
    const auto strokes = [](float p_fTop) {
        std::vector<TPacketItem> packets{Packet(1, 10, 1), Packet(2, 10, 1, 3, 3, 100)};
        for (int stroke = 0; stroke < 8; ++stroke) {
            packets.push_back(Packet(3, 10, 1));
            for (int i = 0; i < 6; ++i) {
                packets.push_back(Packet(4, 10, 1, 30.0f + 40.0f * static_cast<float>(stroke) + 7.0f * static_cast<float>(i),
                                         p_fTop + 9.0f * static_cast<float>(i % 3)));
            }
            packets.push_back(Packet(5, 10, 1));
        }
        return packets;
    };
    WriteSession({{TPageSpec{"first", SamplesOf(3000), strokes(50)}, TPageSpec{"second", SamplesOf(3000), strokes(300)}}});
    m_bWarmUp = false;
    Start();
    const TGPStrokeCache& cache = m_engine->Board().GetStrokeCache();
    const auto drawPage = [&] {
        m_engine->RedrawUntilMP3FrameNo(20);
        m_engine->EnsureBoardRendered(m_engine->GetBoardImage().rect());
    };
    drawPage();
    ASSERT_EQ(cache.GetCount(), 8u);   // one figure per stroke

    m_engine->tabLecturePageClick(0);
    EXPECT_EQ(cache.GetCount(), 8u) << "the same page started again";
    m_engine->tabLecturePageClick(1);
    EXPECT_EQ(cache.GetCount(), 0u) << "another page started";
    drawPage();
    EXPECT_EQ(cache.GetCount(), 8u) << "the other page drawn";
}

INSTANTIATE_TEST_SUITE_P(Board, BoardCacheTest,
                         ::testing::Values(TBoardCase{"WhiteBorad", 1.0}, TBoardCase{"LectureImage", 1.0},
                                           TBoardCase{"WhiteBorad", 1.5}, TBoardCase{"WhiteBorad", 2.0},
                                           TBoardCase{"LectureImage", 2.0}),
                         BoardCaseName);

class BoardPictureTest : public PlaybackTest, public ::testing::WithParamInterface<TBoardCase> {};

// At zoom 1 the page's own picture lands on the board pixel for pixel, and a pattern board
// starts its first tile at the board's top-left pixel; at ratio 2 the pattern's "@2x" picture
// lands on the device pixels, one to one.
TEST_P(BoardPictureTest, BoardPictureLandsOnTheBoardPixels)
{
    TPageSpec page{"empty", SamplesOf(2000), {}};
    page.boardType = GetParam().kind;
    WriteSession({{page}});
    m_dDevicePixelRatio = GetParam().ratio;
    Start();
    m_engine->EnsureBoardRendered(QRect(0, 0, 64, 64));
    const QImage board = m_engine->GetBoardImage().convertToFormat(QImage::Format_ARGB32);
    const QString picture = std::string(GetParam().kind) == "WhiteBorad"
                                ? JoinPath(m_state.m_sExeDir, "image", "WhiteBoardFrameBG.png")
                                : JoinPath(m_state.m_sBasePath, "Temp", "A000000001", "empty", "bgimg.png");
    const QImage expected = QImage(PictureFileForRatio(picture, GetParam().ratio).path).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(expected.isNull());
    ASSERT_EQ(expected.devicePixelRatio(), GetParam().ratio);
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            ASSERT_EQ(board.pixel(x, y), expected.pixel(x, y)) << "at " << x << ", " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Board, BoardPictureTest,
                         ::testing::Values(TBoardCase{"WhiteBorad", 1.0}, TBoardCase{"LectureImage", 1.0},
                                           TBoardCase{"WhiteBorad", 2.0}),
                         BoardCaseName);

} // namespace
