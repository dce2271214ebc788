// The demo board near the end of its last page ("area"), rebuilt through the player's seek: each
// kind of object shows at its place. The render is written next to the test program
// (demo-objects.png); docs/demo-objects.png is a copy. ravo-tool render at the demo's last
// millisecond shows the board the last page has when played to its end.

#include "DemoTestSupport.h"

#include <set>

namespace {

constexpr uint32_t kAt = 56000;   // page "area" runs from 45,000 to 56,196 ms

constexpr uint32_t kAreaStart = 45000;

class DemoBoardTest : public DemoPlaybackTest {
protected:
    // Pixels of the box (whole pixels inside it) that differ from the bare paper.
    double ChangedShare(const QRectF& box) const
    {
        const QRect pixels = box.toAlignedRect().intersected(m_board.rect());
        int changed = 0;
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            for (int x = pixels.left(); x <= pixels.right(); ++x) {
                changed += m_board.pixel(x, y) != m_paper.pixel(x, y) ? 1 : 0;
            }
        }
        return pixels.isEmpty() ? 0.0 : static_cast<double>(changed) / (pixels.width() * pixels.height());
    }

    QImage m_board;
    QImage m_paper;
};

TEST_F(DemoBoardTest, EveryKindShowsAtItsPlace)
{
    StartDemo();
    const QRect page(0, 0, 1024, 720);
    // The page's start: the paper alone, as the board paints it.
    SeekTo(kAreaStart);
    ASSERT_EQ(ObjectCount(), 0);
    m_engine->EnsureBoardRendered(page);
    m_paper = m_engine->GetBoardImage().copy(page).convertToFormat(QImage::Format_ARGB32);

    SeekTo(kAt);
    ASSERT_EQ(m_engine->GetLectureInfoList()[static_cast<size_t>(m_state.m_nCurrentPlayPageIndex)].PageID, "area");
    m_engine->EnsureBoardRendered(page);
    m_board = m_engine->GetBoardImage().copy(page).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(DifferingPixels(m_board, FullRepaint(*m_engine).copy(page).convertToFormat(QImage::Format_ARGB32)), 0);
    ASSERT_TRUE(m_board.save(QStringLiteral(RAVO_DEMO_OBJECTS_PATH)));

    // Every kind of the page is on the board.
    std::set<DrawType> kinds;
    for (int i = 0; i < ObjectCount(); ++i) {
        kinds.insert(m_engine->GetDrawManager().GetDraw(i)->GetDrawType());
    }
    EXPECT_EQ(kinds, (std::set<DrawType>{DrawType::Strokes, DrawType::Shape, DrawType::Image, DrawType::MP3,
                                         DrawType::RichXML, DrawType::PopBlinker}));

    struct Place {
        const char* what;
        QRectF box;
        double minShare;   // of the box's pixels that differ from the paper
        double maxShare;
    };
    const Place places[] = {
        {"shape: the large square", {110, 120, 220, 220}, 0.95, 1.0},
        {"shape: the star", {870, 500, 40, 30}, 0.95, 1.0},
        {"strokes: the label x above the square", {195, 70, 40, 35}, 0.05, 0.6},
        {"picture: the card, moved and enlarged", {630, 410, 160, 160}, 0.9, 1.0},
        {"rich text: two lines from the box's top-left", {560, 200, 330, 60}, 0.05, 0.6},
        {"marker: the fireworks at its own size", {930, 166, 20, 20}, 0.1, 1.0},
        {"audio clip: nothing drawn", {560, 330, 160, 60}, 0.0, 0.0},
        {"empty paper", {20, 600, 300, 100}, 0.0, 0.0},
    };
    for (const Place& p : places) {
        const double share = ChangedShare(p.box);
        EXPECT_GE(share, p.minShare) << p.what;
        EXPECT_LE(share, p.maxShare) << p.what;
    }
    // Colours: the card's large square is light blue under 90 % opacity, the star gold, the text
    // the navy of palette entry 18 at its darkest.
    const QColor card = m_board.pixelColor(660, 440);
    EXPECT_GT(card.blue(), card.red() + 20);
    const QColor star = m_board.pixelColor(890, 515);
    EXPECT_GT(star.red(), 200);
    EXPECT_LT(star.blue(), 100);
    int darkestText = 255 * 3;
    QColor darkest;
    for (int y = 200; y < 260; ++y) {
        for (int x = 560; x < 890; ++x) {
            const QColor c = m_board.pixelColor(x, y);
            if (c.red() + c.green() + c.blue() < darkestText) {
                darkestText = c.red() + c.green() + c.blue();
                darkest = c;
            }
        }
    }
    EXPECT_EQ(darkest.rgb() & 0xFFFFFF, 0x1F497Du);
}

// The demo's last millisecond rounds to the end of the session: the render shows the last page
// standing at its end, with the board it has when played to its end.
TEST_F(DemoBoardTest, LastMillisecondRendersTheBoardPlayedToTheEnd)
{
    const QString roaming = m_dir.filePath("roaming");
    StartToolDemo(roaming);
    const int32_t total = m_state.m_intAllMileSecond;
    const int32_t last = static_cast<int32_t>(m_engine->GetLectureInfoList().size()) - 1;
    const TLectureInfo page = m_engine->GetLectureInfoList()[static_cast<size_t>(last)];
    m_engine->tabLecturePageClick(last);
    for (int i = 0; i < 1000 && m_state.m_intCurrentMilesSecond < total; ++i) {
        Tick();
    }
    ASSERT_EQ(m_state.m_intCurrentMilesSecond, total);
    const QRect board(0, 0, m_state.m_ptOriginalImage.X, m_state.m_ptOriginalImage.Y);
    const QImage played = FullRepaint(*m_engine).copy(board).convertToFormat(QImage::Format_ARGB32);

    const QString png = m_dir.filePath("end.png");
    const TToolRun run = RunRavoTool(
        roaming, {"render", "--text", QString::fromLatin1(kDemoLaunchText), "--at", QString::number(total - 1), "-o", png});
    ASSERT_EQ(run.exitCode, 0);
    ASSERT_FALSE(run.lines.isEmpty());
    EXPECT_TRUE(run.lines[0].startsWith(QStringLiteral("page %1 (%2/%3) at %4 ms, frame %5: %6 objects")
                                            .arg(last)
                                            .arg(page.PageName, page.PageID)
                                            .arg(page.PlayMileSeconds)
                                            .arg(page.FrameCount)
                                            .arg(ObjectCount())))
        << run.lines[0].toStdString();
    const QImage written(png);
    ASSERT_EQ(written.size(), board.size());
    EXPECT_EQ(DifferingPixels(written.convertToFormat(QImage::Format_ARGB32), played), 0);
}

} // namespace
