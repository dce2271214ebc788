// The board's miniature (the seek bar's preview pictures) keeps the board's proportions at the
// width asked, up to a board four times taller than wide; a taller board, which a page
// description may give (1 x 16,384), is scaled to four widths high instead of a column millions
// of pixels high.

#include "PlaybackTestSupport.h"

#include "playback/BoardPicture.h"

namespace {

constexpr int kWidth = 240;

class BoardMiniatureTest : public PlaybackTest {};

TEST_F(BoardMiniatureTest, KeepsTheBoardsProportionsUpToFourWidthsHigh)
{
    struct TCase {
        int boardWidth;
        int boardHeight;
        QSize miniature;
    };
    const TCase cases[] = {
        {800, 600, {kWidth, 180}},
        {1024, 3000, {kWidth, 703}},
        {1000, 4000, {kWidth, 960}},
        {16384, 1, {kWidth, 1}},
        {1000, 8000, {120, 960}},
        {1, 16384, {1, 960}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.boardWidth << " x " << c.boardHeight);
        Renew();
        TPageSpec page{"p1", 8000, {}};   // a voice: a session nobody could hear does not start
        page.voiceRate = 8000;
        page.width = c.boardWidth;
        page.height = c.boardHeight;
        WriteSession({{page}});
        Start();
        ASSERT_EQ(m_engine->GetBoardSize(), QSize(c.boardWidth, c.boardHeight));
        const QRect onScreen(0, 0, c.boardWidth, c.boardHeight);
        const TBoardMiniature miniature = PaintBoardMiniature(*m_engine, kWidth, onScreen);
        EXPECT_EQ(miniature.image.size(), c.miniature);
        // The part on screen, here the whole board, covers the whole picture.
        EXPECT_EQ(miniature.onScreen, QRectF(QPointF(0, 0), QSizeF(c.miniature)));
    }
}

} // namespace
