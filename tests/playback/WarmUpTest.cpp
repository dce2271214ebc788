// The background warm-up of the stroke cache: it fills the cache with the page's strokes without
// touching the board on screen, and a seek or a page change while it runs leaves the board equal
// to a full repaint.

#include "PlaybackTestSupport.h"
#include "platform/graphics/GPStrokeCache.h"
#include "playback/BoardWarmUp.h"

#include <cmath>

namespace {

// Groups of five strokes of twelve points, one group every ten frames.
std::vector<TPacketItem> StrokeGroups(uint32_t p_nGroups, float p_fShift)
{
    std::vector<TPacketItem> packets;
    for (uint32_t group = 1; group <= p_nGroups; ++group) {
        const int32_t frame = static_cast<int32_t>(group) * 10;
        packets.insert(packets.end(), {Packet(1, frame, group), Packet(2, frame, group, static_cast<float>(group), 3, 40.0f)});
        for (int stroke = 0; stroke < 5; ++stroke) {
            packets.push_back(Packet(3, frame, group));
            for (int i = 0; i < 12; ++i) {
                const float x = p_fShift + 40.0f + 110.0f * static_cast<float>(group) + 6.5f * static_cast<float>(i);
                const float y = 60.0f + 90.0f * static_cast<float>(stroke) + 20.0f * std::sin(static_cast<float>(i + stroke));
                packets.push_back(Packet(4, frame, group, x, y));
            }
            packets.push_back(Packet(5, frame, group));
        }
    }
    return packets;
}

} // namespace

TEST_F(PlaybackTest, WarmUpKeepsEveryStrokeForTheSeekAndTheNextZoomStep)
{
    WriteSession({{TPageSpec{"strokes", SamplesOf(3000), StrokeGroups(6, 0.0f)}}});
    Start();
    ASSERT_NE(m_engine->GetWarmUp(), nullptr);
    m_engine->GetWarmUp()->WaitIdle();
    const TGPStrokeCache& cache = m_engine->Board().GetStrokeCache();
    // One figure per stroke at 100 % and at 110 % (there is no step below 100 %), none of them
    // drawn on screen yet.
    EXPECT_EQ(cache.GetCount(), 60u);
    EXPECT_EQ(m_engine->GetDrawManager().GetCount(), 0);   // the board on screen is untouched

    // A seek to the page's end, then a zoom step there, find every figure kept.
    m_engine->RedrawUntilMP3FrameNo(60);
    m_engine->EnsureBoardRendered(m_engine->GetBoardImage().rect());
    EXPECT_EQ(cache.GetCount(), 60u);
    EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)), 0);
    m_state.m_dCurrentPlayPosition = 60 * kFrameMilliseconds;
    m_engine->ResizeingImage(true);
    m_engine->EnsureBoardRendered(m_engine->GetBoardImage().rect());
    EXPECT_EQ(m_engine->GetDrawManager().GetCount(), 6);
    EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)), 0);
    m_engine->GetWarmUp()->WaitIdle();   // the zoom step's own warm-up adds 100 % and 120 %
    EXPECT_EQ(cache.GetCount(), 90u);
}

// The part on screen comes first, then the rest nearest first; every tile of the board once.
TEST(BoardWarmUpTiles, OnScreenFirstThenByDistance)
{
    const int side = TBoardWarmUp::kTileSide;
    const QSize board(4 * side - 10, 3 * side);
    const QRect onScreen(2 * side + 5, side + 5, side, side / 2);   // meets 2 x 1 tiles
    const std::vector<QRect> tiles = TBoardWarmUp::TilesInOrder(board, onScreen);
    ASSERT_EQ(tiles.size(), 12u);
    EXPECT_TRUE(tiles[0].intersects(onScreen));
    EXPECT_TRUE(tiles[1].intersects(onScreen));
    EXPECT_FALSE(tiles[2].intersects(onScreen));
    QRegion covered;
    for (size_t i = 0; i < tiles.size(); ++i) {
        EXPECT_FALSE(covered.intersects(tiles[i])) << i;
        covered += tiles[i];
    }
    EXPECT_TRUE(covered.contains(QRect(QPoint(0, 0), board)));
    // The bottom-left tile, farthest from the screen, comes last.
    EXPECT_EQ(tiles.back().topLeft(), QPoint(0, 2 * side));
}

TEST_F(PlaybackTest, SeekOrPageChangeDuringTheWarmUpGivesTheFullRepaint)
{
    const std::vector<std::pair<const char*, std::function<void(TPlaybackEngine&)>>> cases = {
        {"seek forward", [](TPlaybackEngine& e) { e.RedrawUntilMP3FrameNo(60); }},
        {"zoom step", [](TPlaybackEngine& e) { e.ResizeingImage(true); }},
        {"next page", [](TPlaybackEngine& e) { e.tabLecturePageClick(1); }},
    };
    for (const auto& [name, act] : cases) {
        SCOPED_TRACE(name);
        Renew();
        WriteSession({{TPageSpec{"first", SamplesOf(30000), StrokeGroups(60, 0.0f)},
                       TPageSpec{"second", SamplesOf(3000), StrokeGroups(6, 25.0f)}}});
        Start();
        act(*m_engine);   // the warm-up of the page start is still under way
        m_engine->EnsureBoardRendered(m_engine->GetBoardImage().rect());
        EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)), 0);
        m_engine->GetWarmUp()->WaitIdle();
        m_engine->RedrawUntilMP3FrameNo(60);
        m_engine->EnsureBoardRendered(m_engine->GetBoardImage().rect());
        EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)), 0);
    }
}

TEST_F(PlaybackTest, BoardOnlyEngineStartsNoWarmUp)
{
    WriteSession({{TPageSpec{"strokes", SamplesOf(3000), StrokeGroups(6, 0.0f)}}});
    Start();
    TPlayerState state(m_state);
    THeadlessPlaybackView view;
    TPlaybackEngine boardOnly(state, view);
    boardOnly.SetBoardOnly();
    boardOnly.UsePageList(m_engine->GetLectureInfoList());
    boardOnly.ScbPlayMovePositionUntilReDraw(1000);
    EXPECT_EQ(boardOnly.GetWarmUp(), nullptr);
}
