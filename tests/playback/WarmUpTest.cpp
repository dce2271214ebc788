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

TEST_F(PlaybackTest, WarmUpKeepsEveryStrokeOfThePageBeforeAnySeek)
{
    WriteSession({{TPageSpec{"strokes", SamplesOf(3000), StrokeGroups(6, 0.0f)}}});
    Start();
    ASSERT_NE(m_engine->GetWarmUp(), nullptr);
    m_engine->GetWarmUp()->WaitIdle();
    const TGPStrokeCache& cache = m_engine->GetStrokeCache();
    EXPECT_EQ(cache.GetCount(), 30u);   // one figure per stroke, none of them drawn on screen yet
    EXPECT_EQ(m_engine->GetDrawManager().GetCount(), 0);   // the board on screen is untouched

    m_engine->RedrawUntilMP3FrameNo(60);
    m_engine->EnsureBoardRendered(m_engine->GetBoardImage().rect());
    EXPECT_EQ(cache.GetCount(), 30u);   // the seek found every figure kept
    EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)), 0);
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
