// The background warm-up of the stroke cache: it fills the cache with the page's strokes without
// touching the board on screen, and a seek or a page change while it runs leaves the board equal
// to a full repaint. What the engine announces to the listeners attached to it, the warm-up one.

#include "PlaybackTestSupport.h"
#include "platform/graphics/GPStrokeCache.h"
#include "playback/BoardWarmUp.h"

#include <cmath>
#include <functional>
#include <string>

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
    m_warmUp->WaitIdle();
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
    m_warmUp->WaitIdle();   // the zoom step's own warm-up adds 100 % and 120 %
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
        m_warmUp->WaitIdle();
        m_engine->RedrawUntilMP3FrameNo(60);
        m_engine->EnsureBoardRendered(m_engine->GetBoardImage().rect());
        EXPECT_EQ(DifferingPixels(m_engine->GetBoardImage(), FullRepaint(*m_engine)), 0);
    }
}

// What the engine tells its listeners, in order: the page start and the zoom step, each after
// the word that work for the board as it stood is to stop; a seek within the page says nothing.
// Another page's start is announced while the stroke cache still holds the old page's figures:
// the warm-up under way stops before the cache is emptied, never after.
TEST_F(PlaybackTest, EngineAnnouncesPageStartsAndZoomStepsToItsListeners)
{
    struct TRecorder : TPlaybackListener {
        void PageStarting() override
        {
            events.push_back("starting");
            keptAtStarting = cache->GetCount();
        }
        void PageStarted(const TBoardPlace& p) override { events.push_back("started " + Place(p)); }
        void ZoomStepping() override { events.push_back("stepping"); }
        void ZoomStepped(const TBoardPlace& p) override { events.push_back("stepped " + Place(p)); }
        static std::string Place(const TBoardPlace& p)
        {
            return std::to_string(p.pageIndex) + " of " + std::to_string(p.pages.size()) + " at " +
                   std::to_string(std::lround(p.viewRatio * 100.0f)) + " %";
        }

        const TGPStrokeCache* cache = nullptr;
        std::vector<std::string> events;
        size_t keptAtStarting = 0;
    };
    WriteSession({{TPageSpec{"first", SamplesOf(3000), StrokeGroups(6, 0.0f)},
                   TPageSpec{"second", SamplesOf(3000), StrokeGroups(6, 25.0f)}}});
    m_engine = std::make_unique<TPlaybackEngine>(m_state, m_view);
    auto attached = std::make_unique<TRecorder>();
    TRecorder& recorder = *attached;
    recorder.cache = &m_engine->Board().GetStrokeCache();
    m_engine->AttachListener(std::move(attached));
    ASSERT_TRUE(m_engine->LoadLectureInfo(m_state.m_sBasePath));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"starting", "started 0 of 2 at 100 %"}));

    const struct {
        const char* name;
        std::function<void()> act;
        std::vector<std::string> events;
    } steps[] = {
        {"seek within the page", [&] { m_engine->ScbPlayMovePositionUntilReDraw(2900); }, {}},
        {"zoom step", [&] { m_engine->ResizeingImage(true); }, {"stepping", "stepped 0 of 2 at 110 %"}},
        {"the other page", [&] { m_engine->tabLecturePageClick(1); }, {"starting", "started 1 of 2 at 110 %"}},
        {"back into the first page", [&] { m_engine->ScbPlayMovePositionUntilReDraw(1000); },
         {"starting", "started 0 of 2 at 110 %"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        recorder.events.clear();
        const size_t kept = recorder.cache->GetCount();
        step.act();
        EXPECT_EQ(recorder.events, step.events);
        if (std::string(step.name) == "the other page") {
            EXPECT_GT(kept, 0u);
            EXPECT_EQ(recorder.keptAtStarting, kept);
        }
    }
}
