// Attention markers: the picture of each kind from the program's image folder at its own size,
// and the markers without a picture.

#include "draw/DrawPopBlinker.h"
#include "draw/DrawTestSupport.h"

#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPGraphics.h"
#include "session/FileUtil.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DrawPopBlinkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(JoinPath(m_dir.path(), "image")));
        // Each kind a different size and colour, so that a mix-up shows.
        WritePicture("PopBlinker1ToolCursor.png", 32, 32, 0xFFFF0000);
        WritePicture("PopBlinker2ToolCursor.png", 40, 24, 0xFF00FF00);
        WritePicture("PopBlinker3ToolCursor.png", 16, 48, 0xFF0000FF);
    }

    void WritePicture(const QString& name, int width, int height, QRgb colour)
    {
        QImage picture(width, height, QImage::Format_ARGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(JoinPath(m_dir.path(), "image", name)));
    }

    QTemporaryDir m_dir;
};

TEST_F(DrawPopBlinkerTest, EachKindShowsItsPictureAtItsOwnSize)
{
    struct Case {
        uint8_t kind;
        float width, height;
        TGPColor colour;
    };
    const Case cases[] = {
        {1, 32, 32, 0xFFFF0000},
        {2, 40, 24, 0xFF00FF00},
        {3, 16, 48, 0xFF0000FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        TDrawPopBlinker marker(nullptr, 9, static_cast<PopBlinkerType>(c.kind), m_dir.path());
        EXPECT_EQ(marker.GetDrawType(), DrawType::PopBlinker);
        EXPECT_EQ(marker.GetPopBlinkerType(), static_cast<PopBlinkerType>(c.kind));
        marker.InitBounds(100, 80);
        const TGPRectF bounds = marker.GetBounds();
        EXPECT_EQ(bounds.X, 100);
        EXPECT_EQ(bounds.Y, 80);
        EXPECT_EQ(bounds.Width, c.width);
        EXPECT_EQ(bounds.Height, c.height);
        EXPECT_EQ(marker.GetPaintBounds().X, 80);   // the usual 20 around the box
        const TGPBitmap board = Render(200, 200, [&](TGPGraphics& g) { marker.Draw(g); });
        EXPECT_EQ(board.GetPixel(100 + static_cast<int>(c.width) / 2, 80 + static_cast<int>(c.height) / 2), c.colour);
        EXPECT_TRUE(AllPaintInside(board, bounds));
        EXPECT_TRUE(marker.HitTest({100 + c.width, 80 + c.height}));
    }
}

// A board drawn for a dense screen shows the "@2x" file at the marker's own size, pixel for
// pixel; a board at ratio 1, or a kind without such a file, the picture itself.
TEST_F(DrawPopBlinkerTest, DenseBoardShowsTheHighResolutionPicture)
{
    WritePicture("PopBlinker1ToolCursor@2x.png", 64, 64, 0xFF800000);
    struct Case {
        uint8_t kind;
        qreal ratio;
        TGPColor colour;
    };
    const Case cases[] = {
        {1, 1.0, 0xFFFF0000},
        {1, 1.5, 0xFF800000},
        {1, 2.0, 0xFF800000},
        {2, 2.0, 0xFF00FF00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ratio);
        TDrawPopBlinker marker(nullptr, 9, static_cast<PopBlinkerType>(c.kind), m_dir.path());
        marker.InitBounds(10, 10);
        EXPECT_EQ(marker.GetBounds().Width, c.kind == 1 ? 32 : 40);
        QImage board(DeviceSize(QSize(100, 100), c.ratio), QImage::Format_ARGB32_Premultiplied);
        board.setDevicePixelRatio(c.ratio);
        board.fill(Qt::white);
        {
            TGPGraphics graphics(&board);
            marker.Draw(graphics);
        }
        const QRect inside = DeviceRect(QRect(11, 11, 20, 10), c.ratio);
        EXPECT_EQ(board.pixel(inside.center()), c.colour);
        EXPECT_EQ(board.pixel(DeviceRect(QRect(50, 50, 1, 1), c.ratio).topLeft()), 0xFFFFFFFF) << "beyond the marker";
    }
}

TEST_F(DrawPopBlinkerTest, MarkerWithoutAPictureHasAnEmptyBoxAtItsPoint)
{
    QTemporaryDir noImages;
    struct Case {
        uint8_t kind;
        QString exeDir;
    };
    const Case cases[] = {
        {0, m_dir.path()},         // None
        {7, m_dir.path()},         // a kind the program has no picture for
        {1, noImages.path()},      // the picture file is missing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        TDrawPopBlinker marker(nullptr, 9, static_cast<PopBlinkerType>(c.kind), c.exeDir);
        marker.InitBounds(100, 80);
        const TGPRectF bounds = marker.GetBounds();
        EXPECT_EQ(bounds.X, 100);
        EXPECT_EQ(bounds.Y, 80);
        EXPECT_EQ(bounds.Width, 0);
        EXPECT_EQ(bounds.Height, 0);
        const TGPBitmap board = Render(200, 200, [&](TGPGraphics& g) { marker.Draw(g); });
        EXPECT_TRUE(AllPaintInside(board, {0, 0, 0, 0}));
    }
}

TEST_F(DrawPopBlinkerTest, MovedMarkerKeepsItsSizeAndDisposeDropsThePicture)
{
    TDrawPopBlinker marker(nullptr, 9, PopBlinkerType::Important, m_dir.path());
    marker.InitBounds(10, 10);
    TGPRectF moved = marker.GetBounds();
    moved.X = 150;
    moved.Y = 120;
    marker.SetBounds(moved);
    const TGPBitmap board = Render(200, 200, [&](TGPGraphics& g) { marker.Draw(g); });
    EXPECT_EQ(board.GetPixel(170, 132), 0xFF00FF00u);
    EXPECT_FALSE(Painted(board, 20, 20));
    marker.Dispose();
    EXPECT_EQ(marker.GetImage(), nullptr);
    const TGPBitmap after = Render(200, 200, [&](TGPGraphics& g) { marker.Draw(g); });
    EXPECT_FALSE(Painted(after, 170, 132));
}

} // namespace
