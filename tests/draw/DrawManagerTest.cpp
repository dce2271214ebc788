// Registry order, ownership (Dispose, then end of life) and the base object behaviour.
#include "draw/DrawLine.h"
#include "draw/DrawManager.h"
#include "draw/DrawStrokes.h"
#include "DrawTestSupport.h"
#include "session/CommDefine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what happens to it in a shared log.
class TProbeDraw : public TDrawParent {
public:
    TProbeDraw(uint32_t drawNo, uint8_t resourceNo, std::vector<std::string>& log, const TDrawManager* manager = nullptr)
        : TDrawParent(DrawType::Image, nullptr, drawNo), m_log(log), m_manager(manager)
    {
        SetResourceNo(resourceNo);
    }
    ~TProbeDraw() override { m_log.push_back("end " + std::to_string(GetDrawNo())); }
    void Dispose() override
    {
        const std::string listed = m_manager ? " listed " + std::to_string(m_manager->GetCount()) : "";
        m_log.push_back("dispose " + std::to_string(GetDrawNo()) + listed);
    }
    void Draw(TGPGraphics&) override { m_log.push_back("draw " + std::to_string(GetDrawNo())); }

private:
    std::vector<std::string>& m_log;
    const TDrawManager* m_manager;
};

TEST(DrawManager, FreshManagerIsEmptyNumbersFromOneAndOnlySetsQuality)
{
    TDrawManager manager;
    EXPECT_EQ(manager.GetCount(), 0);
    EXPECT_EQ(manager.FindDrawByDrawNo(0), nullptr);
    EXPECT_EQ(manager.FindDrawByResourceNo(0), nullptr);
    EXPECT_EQ(manager.GetNextDrawNo(), 1u);
    EXPECT_EQ(manager.GetNextDrawNo(), 2u);
    manager.SetLastDrawNo(41);
    EXPECT_EQ(manager.GetNextDrawNo(), 42u);

    TGPBitmap bitmap(10, 10);
    TGPGraphics g(bitmap);
    manager.DrawAllDraw(g);
    EXPECT_EQ(g.GetSmoothingMode(), TGPSmoothingMode::AntiAlias);
    EXPECT_EQ(g.GetPixelOffsetMode(), TGPPixelOffsetMode::HighQuality);
    EXPECT_EQ(g.GetInterpolationMode(), TGPInterpolationMode::HighQualityBicubic);
}

TEST(DrawManager, SearchesReturnTheFirstRegisteredMatch)
{
    std::vector<std::string> log;
    TDrawManager manager;
    manager.AddDraw(std::make_unique<TProbeDraw>(7, 3, log));
    manager.AddDraw(std::make_unique<TProbeDraw>(5, 0, log));
    manager.AddDraw(std::make_unique<TProbeDraw>(7, 0, log));  // same number again
    EXPECT_EQ(manager.FindDrawByDrawNo(7), manager.GetDraw(0));
    EXPECT_EQ(manager.FindDrawByDrawNo(5), manager.GetDraw(1));
    EXPECT_EQ(manager.FindDrawByResourceNo(0), manager.GetDraw(1));
    EXPECT_EQ(manager.FindDrawByResourceNo(3), manager.GetDraw(0));
    EXPECT_EQ(manager.FindDrawByDrawNo(9), nullptr);
}

TEST(DrawManager, RemovingDisposesThenEndsAndDeleteAllEmptiesTheListFirst)
{
    std::vector<std::string> log;
    {
        TDrawManager manager;
        for (uint32_t no : {1u, 2u, 3u, 4u}) {
            manager.AddDraw(std::make_unique<TProbeDraw>(no, 0, log, &manager));
        }
        manager.DeleteDraw(nullptr);
        EXPECT_EQ(manager.GetCount(), 4);
        EXPECT_TRUE(log.empty());

        manager.DeleteDraw(manager.FindDrawByDrawNo(2));
        EXPECT_EQ(log, (std::vector<std::string>{"dispose 2 listed 4", "end 2"}));
        EXPECT_EQ(manager.GetCount(), 3);

        TGPBitmap bitmap(4, 4);
        TGPGraphics g(bitmap);
        log.clear();
        manager.DrawAllDraw(g);
        EXPECT_EQ(log, (std::vector<std::string>{"draw 1", "draw 3", "draw 4"}));

        log.clear();
        manager.DeleteAllDraw();
        EXPECT_EQ(log, (std::vector<std::string>{"dispose 1 listed 0", "end 1", "dispose 3 listed 0", "end 3",
                                                 "dispose 4 listed 0", "end 4"}));
        manager.AddDraw(std::make_unique<TProbeDraw>(9, 0, log, &manager));
        log.clear();
    }
    // The manager's end disposes what it still holds.
    EXPECT_EQ(log, (std::vector<std::string>{"dispose 9 listed 0", "end 9"}));
}

TEST(DrawParent, BaseBoundsPaintBoundsAndHitTest)
{
    std::vector<std::string> log;
    TProbeDraw draw(1, 0, log);
    draw.InitBounds(10, 30);
    EXPECT_EQ(draw.GetBounds(), (TGPRectF{10, 30, 20, 20}));
    EXPECT_EQ(draw.GetPaintBounds(), (TGPRectF{-10, 10, 60, 60}));
    EXPECT_EQ(draw.GetPaintExtent(), (TGPRectF{-10, 10, 60, 60}));
    EXPECT_TRUE(draw.HitTest({30, 50}));  // bottom right corner counts
    EXPECT_TRUE(draw.HitTest({10, 30}));
    EXPECT_FALSE(draw.HitTest({30.01f, 50}));
    EXPECT_FALSE(draw.HitTest({9.99f, 40}));
    draw.InitBounds(1, 2, 3, 4);
    EXPECT_EQ(draw.GetBounds(), (TGPRectF{1, 2, 3, 4}));

    TGPRectF unset;
    InitUnsetRect(unset);
    draw.SetBounds(unset);  // stored like any other box
    EXPECT_EQ(draw.GetBounds(), unset);
    EXPECT_EQ(draw.GetPaintExtent(), (TGPRectF{0, 0, 0, 0}));
    EXPECT_FALSE(draw.Creating());
    EXPECT_FALSE(draw.GetSelected());
    EXPECT_FALSE(draw.GetResizable());
    EXPECT_EQ(draw.GetDrawType(), DrawType::Image);
}

// A later object paints over an earlier one, whatever their kinds.
TEST(DrawManager, LaterRegistrationsPaintOverEarlierOnes)
{
    const auto makeLine = [] {
        auto line = std::make_unique<TDrawLine>(nullptr, 1, 1, 1, 100, 6, 4);  // black, 10 px
        line->SetStartPoint({10, 50});
        line->SetEndPoint({90, 50});
        return line;
    };
    const auto makeStroke = [] {
        auto strokes = std::make_unique<TDrawStrokes>(nullptr, 2, std::vector<TPointList>{{{50, 10}, {50, 90}}}, 100,
                                                      61, 4);  // red, 10 px
        return strokes;
    };
    for (const bool lineFirst : {true, false}) {
        TDrawManager manager;
        if (lineFirst) {
            manager.AddDraw(makeLine());
            manager.AddDraw(makeStroke());
        } else {
            manager.AddDraw(makeStroke());
            manager.AddDraw(makeLine());
        }
        const TGPBitmap board = Render(100, 100, [&](TGPGraphics& g) { manager.DrawAllDraw(g); });
        EXPECT_EQ(board.GetPixel(50, 50), lineFirst ? 0xFFFF0000u : 0xFF000000u);
    }
}

}  // namespace
