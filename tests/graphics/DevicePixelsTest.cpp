// Logical and device pixels: rectangles go outwards both ways, pictures are made at the ratio
// rounded up, and a picture is read from its "@2x" file only for a screen above ratio 1 and only
// where that file is.
#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPImage.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DevicePixels, RectanglesGoOutwardsAndSizesRoundUp)
{
    struct TCase {
        qreal ratio;
        QRect logical;
        QRect device;        // every device pixel the logical rectangle touches
        QRect backAgain;     // every logical pixel those touch
    };
    const TCase cases[] = {
        {1.0, {3, 4, 10, 6}, {3, 4, 10, 6}, {3, 4, 10, 6}},
        {2.0, {3, 4, 10, 6}, {6, 8, 20, 12}, {3, 4, 10, 6}},
        // 3 * 1.5 = 4.5 and 13 * 1.5 = 19.5: half pixels at both ends belong to the rectangle.
        {1.5, {3, 4, 10, 6}, {4, 6, 16, 9}, {2, 4, 12, 6}},
        {1.25, {1, 1, 3, 3}, {1, 1, 4, 4}, {0, 0, 4, 4}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(DeviceRect(c.logical, c.ratio), c.device) << c.ratio;
        EXPECT_EQ(LogicalRect(c.device, c.ratio), c.backAgain) << c.ratio;
        EXPECT_TRUE(LogicalRect(DeviceRect(c.logical, c.ratio), c.ratio).contains(c.logical)) << c.ratio;
    }
    EXPECT_TRUE(DeviceRect(QRect(5, 5, 0, 7), 2.0).isEmpty());
    EXPECT_EQ(DeviceSize(QSize(1001, 10), 1.5), QSize(1502, 15));
    EXPECT_EQ(DeviceSize(QSize(1003, 10), 1.5), QSize(1505, 15));   // 1504.5 rounded up
    EXPECT_EQ(DeviceSize(QSize(640, 480), 2.0), QSize(1280, 960));
}

TEST(DevicePixels, HighResolutionFileIsReadOnlyAboveRatioOneAndWhereItIs)
{
    EXPECT_EQ(HighResolutionFileName(QStringLiteral("/a.b/image/back0.png")), QStringLiteral("/a.b/image/back0@2x.png"));
    EXPECT_EQ(HighResolutionFileName(QStringLiteral("/a.b/image/back0")), QStringLiteral("/a.b/image/back0@2x"));

    QTemporaryDir dir;
    const QString both = dir.filePath(QStringLiteral("both.png"));
    const QString plain = dir.filePath(QStringLiteral("plain.png"));
    QImage small(10, 6, QImage::Format_ARGB32);
    small.fill(Qt::red);
    QImage large(20, 12, QImage::Format_ARGB32);
    large.fill(Qt::blue);
    ASSERT_TRUE(small.save(both) && large.save(HighResolutionFileName(both)) && small.save(plain));

    struct TCase {
        QString path;
        qreal ratio;
        QString read;
        qreal readRatio;
    };
    const TCase cases[] = {
        {both, 1.0, both, 1.0},
        {both, 1.25, HighResolutionFileName(both), 2.0},
        {both, 2.0, HighResolutionFileName(both), 2.0},
        {plain, 2.0, plain, 1.0},
    };
    for (const TCase& c : cases) {
        const TPictureFile file = PictureFileForRatio(c.path, c.ratio);
        EXPECT_EQ(file.path, c.read) << c.ratio;
        EXPECT_EQ(file.ratio, c.readRatio) << c.ratio;
        // The picture covers the same logical size whichever file it was read from.
        const TGPImage picture(c.path, c.ratio);
        EXPECT_EQ(picture.GetWidth(), 10) << c.ratio;
        EXPECT_EQ(picture.GetHeight(), 6) << c.ratio;
        EXPECT_EQ(picture.GetQImage().width(), static_cast<int>(10 * c.readRatio)) << c.ratio;
        EXPECT_EQ(picture.GetQImage().devicePixelRatio(), c.readRatio) << c.ratio;
    }
    EXPECT_EQ(TGPImage(dir.filePath(QStringLiteral("missing.png")), 2.0).GetWidth(), 0);
}

} // namespace
