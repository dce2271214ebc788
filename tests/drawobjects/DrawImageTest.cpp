// Pictures: the opacity baked into a copy, the stretch into the box, the natural size, a box
// given backwards, and pictures that cannot be read.

#include "support/ExpectRect.h"
#include "draw/DrawImage.h"
#include "draw/MakeOpacityImage.h"
#include "draw/DrawTestSupport.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

// The peak resident memory of the process so far, in megabytes.
double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

constexpr TGPColor kRed = 0xFFFF0000;
constexpr TGPColor kHalfBlue = 0x800000FF;   // alpha 128

// 200 x 100: the left half opaque red, the right half half-transparent blue.
QString WriteTwoHalvesPicture(const QTemporaryDir& dir)
{
    QImage picture(200, 100, QImage::Format_ARGB32);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            picture.setPixel(x, y, x < 100 ? kRed : kHalfBlue);
        }
    }
    const QString path = dir.filePath("two-halves.png");
    EXPECT_TRUE(picture.save(path));
    return path;
}

// Unpremultiplied colours match to one step in each channel.
void ExpectColour(TGPColor actual, TGPColor expected)
{
    for (int shift : {0, 8, 16}) {
        EXPECT_NEAR(static_cast<int>((actual >> shift) & 0xFF), static_cast<int>((expected >> shift) & 0xFF), 1)
            << std::hex << actual << " against " << expected;
    }
}

class DrawImageTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    QString m_path = WriteTwoHalvesPicture(m_dir);
};

TEST_F(DrawImageTest, OpacityNinetyStretchedToTwiceItsSize)
{
    TDrawImage image(nullptr, 1, m_path, 90);
    image.SetBounds({10, 20, 400, 200});
    ExpectRect(image.GetBounds(), {10, 20, 400, 200});
    ExpectRect(image.GetPaintBounds(), {-10, 0, 440, 240});
    EXPECT_EQ(image.GetDrawType(), DrawType::Image);

    const TGPBitmap board = Render(440, 240, [&](TGPGraphics& g) { image.Draw(g); });
    struct Sample {
        int x, y;
        TGPColor colour;   // unpremultiplied RGB
        int alpha;         // 0.9 x the picture's alpha, to one step
    };
    const Sample samples[] = {
        {12, 22, kRed, 230},        // top-left corner of the box
        {200, 120, kRed, 230},      // the red half spans 10 .. 210 at twice the size
        {220, 120, kHalfBlue, 115}, // the blue half from 210 on
        {407, 217, kHalfBlue, 115}, // bottom-right corner
        {5, 120, 0, 0},             // left of the box
        {415, 120, 0, 0},           // right of it
        {200, 15, 0, 0},            // above it
        {200, 225, 0, 0},           // below it
    };
    for (const Sample& s : samples) {
        SCOPED_TRACE(testing::Message() << "pixel (" << s.x << ", " << s.y << ")");
        const TGPColor pixel = board.GetPixel(s.x, s.y);
        EXPECT_NEAR(static_cast<int>(pixel >> 24), s.alpha, 1);
        if (s.alpha > 0) {
            ExpectColour(pixel, s.colour);
        }
    }
}

TEST_F(DrawImageTest, OpacityIsBakedIntoACopyOnce)
{
    struct Case {
        int opacity;
        int redAlpha;
        int blueAlpha;
    };
    const Case cases[] = {{100, 255, 128}, {90, 230, 115}, {50, 128, 64}, {0, 0, 0}};
    TDrawImage image(nullptr, 1, m_path, 100);
    const TGPImage* loaded = image.GetImage();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opacity);
        image.SetImageOpacity(c.opacity);
        EXPECT_EQ(image.GetImageOpacity(), c.opacity);
        // The picture as loaded stays; only the drawn copy is rebuilt.
        EXPECT_EQ(image.GetImage(), loaded);
        ASSERT_NE(image.GetDrawImage(), nullptr);
        EXPECT_NEAR(AlphaAt(*image.GetDrawImage(), 50, 50), c.redAlpha, 1);
        EXPECT_NEAR(AlphaAt(*image.GetDrawImage(), 150, 50), c.blueAlpha, 1);
        EXPECT_NEAR(AlphaAt(*MakeOpacityImage(*loaded, c.opacity), 150, 50), c.blueAlpha, 1);
        // Pixel for pixel, up to the edges: no shift, nothing lost at the borders.
        EXPECT_NEAR(AlphaAt(*image.GetDrawImage(), 0, 0), c.redAlpha, 1);
        EXPECT_NEAR(AlphaAt(*image.GetDrawImage(), 99, 99), c.redAlpha, 1);
        EXPECT_NEAR(AlphaAt(*image.GetDrawImage(), 100, 0), c.blueAlpha, 1);
        EXPECT_NEAR(AlphaAt(*image.GetDrawImage(), 199, 99), c.blueAlpha, 1);
    }
}

TEST_F(DrawImageTest, InvisibleAtOpacityZeroButStillHit)
{
    TDrawImage image(nullptr, 1, m_path, 0);
    image.InitBounds(30, 40);
    const TGPBitmap board = Render(300, 200, [&](TGPGraphics& g) { image.Draw(g); });
    EXPECT_FALSE(Painted(board, 130, 90));
    EXPECT_TRUE(image.HitTest({130, 90}));
    EXPECT_TRUE(image.HitTest({230, 140}));    // the corner counts
    EXPECT_FALSE(image.HitTest({231, 140}));
}

TEST_F(DrawImageTest, NaturalSizeFromThePicture)
{
    TDrawImage image(nullptr, 1, m_path, 90);
    image.InitBounds(5, 7);
    ExpectRect(image.GetBounds(), {5, 7, 200, 100});
    ExpectRect(image.GetPaintBounds(), {-15, -13, 240, 140});
    image.SetImage(std::make_unique<TGPImage>(QImage(30, 12, QImage::Format_ARGB32)));
    image.InitBounds(1, 2);
    ExpectRect(image.GetBounds(), {1, 2, 30, 12});
}

TEST_F(DrawImageTest, MissingOrUnreadablePictureDrawsNothing)
{
    QFile broken(m_dir.filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\x89PNG not really");
    broken.close();
    for (const QString& path : {m_dir.filePath("missing.png"), broken.fileName(), m_dir.path()}) {
        SCOPED_TRACE(path.toStdString());
        TDrawImage image(nullptr, 1, path, 90);
        image.InitBounds(10, 10);
        ExpectRect(image.GetBounds(), {10, 10, 0, 0});
        image.SetBounds({0, 0, 100, 100});
        const TGPBitmap board = Render(100, 100, [&](TGPGraphics& g) { image.Draw(g); });
        EXPECT_TRUE(AllPaintInside(board, {0, 0, 0, 0}));
    }
}

TEST_F(DrawImageTest, BackwardsBoxShowsThePictureMirroredInTheBoxItSpans)
{
    struct Case {
        TGPRectF box;
        int redX;    // a column of the red half
        int blueX;   // a column of the blue half
        int row;
    };
    // The box spans (10, 20) .. (410, 220) in every case.
    const Case cases[] = {
        {{10, 20, 400, 200}, 100, 300, 120},
        {{410, 20, -400, 200}, 300, 100, 120},
        {{10, 220, 400, -200}, 100, 300, 120},
        {{410, 220, -400, -200}, 300, 100, 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.box.Width << " x " << c.box.Height);
        TDrawImage image(nullptr, 1, m_path, 100);
        image.SetBounds(c.box);
        const TGPBitmap board = Render(440, 260, [&](TGPGraphics& g) { image.Draw(g); });
        ExpectColour(board.GetPixel(c.redX, c.row), kRed);
        EXPECT_EQ(AlphaAt(board, c.redX, c.row), 255);
        EXPECT_NEAR(AlphaAt(board, c.blueX, c.row), 128, 1);
        EXPECT_TRUE(AllPaintInside(board, image.GetPaintExtent()));
        EXPECT_TRUE(AllPaintInside(board, {10, 20, 400, 200}));
    }
}

TEST_F(DrawImageTest, MirroredAtItsOwnSizePixelForPixel)
{
    QImage picture(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            picture.setPixel(x, y, qRgb(x * 40, y * 60, 200));
        }
    }
    TDrawImage image(nullptr, 1, m_path, 100);
    image.SetImage(std::make_unique<TGPImage>(picture));
    image.SetBounds({7, 5, -7, -5});
    const TGPBitmap board = Render(7, 5, [&](TGPGraphics& g) { image.Draw(g); });
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(board.GetPixel(x, y), picture.pixel(6 - x, 4 - y)) << x << ", " << y;
        }
    }
}

// The board repaints parts of itself on their own: a stretched picture painted in pieces must
// give the pixels of one whole paint.
TEST_F(DrawImageTest, StretchedPicturePaintedInPiecesEqualsOneWholePaint)
{
    const TGPRectF boxes[] = {{241.991f, 286.824f, 322.734f, 52.0957f}, {10.5f, 3.25f, 177.7f, 301.3f},
                              {400.2f, 300.9f, -333.3f, -250.1f}};
    // Busy pixels, so that any difference in the stretch shows.
    QImage busy(61, 47, QImage::Format_ARGB32);
    for (int y = 0; y < busy.height(); ++y) {
        for (int x = 0; x < busy.width(); ++x) {
            busy.setPixel(x, y, qRgba((x * 97 + y * 31) % 256, (x * 13 + y * 71) % 256, (x * y) % 256, 128 + (x + y) % 128));
        }
    }
    for (const TGPRectF& box : boxes) {
        SCOPED_TRACE(testing::Message() << box.X << ", " << box.Y << ", " << box.Width << ", " << box.Height);
        TDrawImage image(nullptr, 1, m_path, 90);
        image.SetImage(std::make_unique<TGPImage>(busy));
        image.SetBounds(box);
        const TGPBitmap whole = Render(600, 400, [&](TGPGraphics& g) { image.Draw(g); });
        // Pieces clipped to whole-pixel rectangles, as the board cache paints them.
        TGPBitmap pieces(600, 400);
        QPainter painter(&pieces.GetQImage());
        for (const QRect& piece : {QRect(0, 0, 600, 200), QRect(0, 200, 346, 200), QRect(346, 200, 254, 130),
                                   QRect(346, 330, 254, 70)}) {
            painter.setClipRect(piece);
            TGPGraphics g(painter);
            SetBoardQuality(g);
            image.Draw(g);
        }
        painter.end();
        EXPECT_EQ(whole.GetQImage(), pieces.GetQImage());
    }
}

// Boxes a hostile record can give: a hair wide and a billion pixels high, or the reverse. The
// board shows a few hundred pixels of them; drawing them must cost about that, not a copy of the
// whole box (a column of a billion rows was 4 GB).
TEST_F(DrawImageTest, BoxesFarLargerThanTheBoardCostNoMoreThanTheBoard)
{
    const std::vector<std::pair<const char*, TGPRectF>> boxes = {
        {"hair wide, a billion high", {10, 0, 1e-6f, 1e9f}},
        {"a billion wide, a hair high", {0, 10, 1e9f, 1e-6f}},
        {"one pixel wide, a million high", {10, 0, 1.0f, 1e6f}},
        {"a tenth wide, ten million high, off the board's top", {10, -5e6f, 0.1f, 1e7f}},
    };
    const double before = PeakMegabytes();
    for (const auto& [name, box] : boxes) {
        SCOPED_TRACE(name);
        TDrawImage image(nullptr, 1, m_path, 100);
        image.SetBounds(box);
        const TGPBitmap board = Render(400, 300, [&](TGPGraphics& g) { image.Draw(g); });
        EXPECT_LT(PeakMegabytes() - before, 64.0);
    }
}

TEST_F(DrawImageTest, DisposeReleasesThePictures)
{
    TDrawImage image(nullptr, 1, m_path, 90);
    image.SetBounds({0, 0, 50, 50});
    image.Dispose();
    EXPECT_EQ(image.GetImage(), nullptr);
    EXPECT_EQ(image.GetDrawImage(), nullptr);
    const TGPBitmap board = Render(60, 60, [&](TGPGraphics& g) { image.Draw(g); });
    EXPECT_FALSE(Painted(board, 25, 25));
}

} // namespace
