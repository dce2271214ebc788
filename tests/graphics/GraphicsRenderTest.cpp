// What the surface paints: pixel offset, clipping, brushes, pictures, colour matrix and text.
#include "platform/graphics/GPBitmap.h"
#include "platform/graphics/GPFont.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPGraphicsPath.h"
#include "platform/graphics/GPImageAttributes.h"
#include "platform/graphics/GPPen.h"
#include "platform/graphics/GPSolidBrush.h"
#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPTextureBrush.h"

#include <QColorSpace>
#include <QDir>
#include <QFontDatabase>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr TGPColor kRed = 0xFFFF0000;

int Alpha(const TGPImage& image, int x, int y)
{
    return static_cast<int>(image.GetPixel(x, y) >> 24);
}

int PaintedPixels(const TGPImage& image, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            n += Alpha(image, x, y) > 0 ? 1 : 0;
        }
    }
    return n;
}

TEST(GraphicsRender, PixelOffsetModeDecidesWhereAOnePixelLineLands)
{
    TGPBitmap centred(20, 20);
    {
        TGPGraphics g(centred);  // default offset: pixel centres on integer coordinates
        g.DrawLine(TGPPen(kRed, 1), 2, 10, 18, 10);
    }
    EXPECT_EQ(Alpha(centred, 10, 10), 255);
    EXPECT_EQ(Alpha(centred, 10, 9), 0);

    TGPBitmap highQuality(20, 20);
    {
        TGPGraphics g(highQuality);
        g.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);  // pixel i covers [i, i + 1)
        g.DrawLine(TGPPen(kRed, 1), 2, 10, 18, 10);
    }
    EXPECT_NEAR(Alpha(highQuality, 10, 9), 128, 2);
    EXPECT_NEAR(Alpha(highQuality, 10, 10), 128, 2);
}

TEST(GraphicsRender, ClipLimitsDrawingAndReportsItsBounds)
{
    TGPBitmap bitmap(100, 80);
    TGPGraphics g(bitmap);
    g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    EXPECT_EQ(g.GetClipBounds(), (TGPRectF{0, 0, 100, 80}));
    g.SetClip({10, 20, 30, 40});
    EXPECT_EQ(g.GetClipBounds(), (TGPRectF{10, 20, 30, 40}));
    g.FillRectangle(TGPSolidBrush(kRed), {0, 0, 100, 80});
    EXPECT_EQ(Alpha(bitmap, 10, 20), 255);
    EXPECT_EQ(Alpha(bitmap, 39, 59), 255);
    EXPECT_EQ(Alpha(bitmap, 40, 30), 0);
    EXPECT_EQ(Alpha(bitmap, 9, 30), 0);
    g.TranslateTransform(5, 5);  // the clip stays where it was on the surface
    EXPECT_EQ(g.GetClipBounds(), (TGPRectF{5, 15, 30, 40}));
    g.ResetClip();
    EXPECT_EQ(g.GetClipBounds(), (TGPRectF{-5, -5, 100, 80}));
}

// Two figures crossing at (30, 30) drawn with a half-transparent red pen 6 wide.
void DrawTranslucentCross(TGPGraphics& g)
{
    g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    TGPGraphicsPath path;
    path.AddLine(10, 30, 50, 30);
    path.StartFigure();
    path.AddLine(30, 10, 30, 50);
    g.DrawPath(TGPPen(0x80FF0000, 6), path);
}

TEST(GraphicsRender, SemiTransparentPathIsPaintedOnceWhereItsFiguresOverlap)
{
    TGPBitmap bitmap(60, 60);
    {
        TGPGraphics g(bitmap);
        DrawTranslucentCross(g);
    }
    EXPECT_EQ(bitmap.GetPixel(30, 30), 0x80FF0000u);
    EXPECT_EQ(bitmap.GetPixel(15, 30), 0x80FF0000u);
}

// On a vector surface (a PDF) the figures of a translucent pen become one shape: painted once
// where they overlap (the PDF drawn back by poppler shows it), and no picture made of them.
TEST(GraphicsRender, SemiTransparentPathOnAVectorSurfaceIsOneShapePaintedOnce)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("path.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(72);   // one unit a point: drawn back at 72 dpi, one unit a pixel
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        TGPGraphics g(painter);
        EXPECT_TRUE(g.IsVectorSurface());
        DrawTranslucentCross(g);
    }
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("/Subtype /Image"));
    ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, dir.filePath("path")}), 0);
    const QImage drawn(dir.filePath("path.png"));
    const QRgb overlap = drawn.pixel(30, 30);
    const QRgb single = drawn.pixel(15, 30);
    EXPECT_NEAR(qRed(overlap), 255, 3);
    EXPECT_NEAR(qGreen(overlap), 127, 3);   // half red over white, once
    EXPECT_NEAR(qGreen(overlap), qGreen(single), 2);
}

// A miniature strokes a pen of at most a pixel on the surface as a thin line where the pen's
// outline would be filled; a wider pen keeps its outline.
TEST(GraphicsRender, MiniatureStrokesSubPixelPensAsThinLinesInTheirPlace)
{
    const auto draw = [](float penWidth, bool miniature) {
        TGPBitmap bitmap(60, 60);
        TGPGraphics g(bitmap);
        g.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        g.SetMiniature(miniature);
        g.ScaleTransform(0.25f, 0.25f);
        TGPGraphicsPath path;
        const TGPPointF curve[] = {{20, 200}, {60, 20}, {140, 20}, {220, 200}};
        path.AddBeziers(curve, 4);
        path.StartFigure();
        path.AddLine(20, 20, 220, 220);
        g.DrawPath(TGPPen(0xFF000000, penWidth), path);
        return bitmap.GetQImage().copy();
    };
    // Every painted pixel of one has a painted pixel at most one pixel away in the other.
    const auto near = [](const QImage& a, const QImage& b) {
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (qAlpha(a.pixel(x, y)) == 0) {
                    continue;
                }
                bool found = false;
                for (int dy = -1; dy <= 1 && !found; ++dy) {
                    for (int dx = -1; dx <= 1 && !found; ++dx) {
                        found = b.rect().contains(x + dx, y + dy) && qAlpha(b.pixel(x + dx, y + dy)) > 0;
                    }
                }
                if (!found) {
                    return false;
                }
            }
        }
        return true;
    };
    const QImage thinLines = draw(3.0f, true);   // 0.75 pixels on the surface
    const QImage outline = draw(3.0f, false);
    EXPECT_NE(thinLines, outline);
    EXPECT_TRUE(near(thinLines, outline));
    EXPECT_TRUE(near(outline, thinLines));
    EXPECT_EQ(draw(8.0f, true), draw(8.0f, false));   // 2 pixels: the outline either way
}

TEST(GraphicsRender, TextureBrushTilesFromItsMovedOrigin)
{
    QImage tile(4, 4, QImage::Format_ARGB32);
    tile.fill(qRgba(0, 0, 255, 255));
    tile.setPixel(0, 0, qRgba(255, 0, 0, 255));  // the tile's first pixel
    const TGPImage picture(tile);
    TGPBitmap bitmap(20, 20);
    {
        TGPGraphics g(bitmap);
        g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        TGPTextureBrush brush(picture);
        brush.TranslateTransform(5, 3);
        g.FillRectangle(brush, {5, 3, 10, 10});
    }
    EXPECT_EQ(bitmap.GetPixel(5, 3), 0xFFFF0000u);
    EXPECT_EQ(bitmap.GetPixel(9, 7), 0xFFFF0000u);
    EXPECT_EQ(bitmap.GetPixel(6, 3), 0xFF0000FFu);
    EXPECT_EQ(bitmap.GetPixel(4, 3), 0u);  // outside the rectangle

    // A picture at twice the pixels (an "@2x" file): it covers its logical size, tiled from the
    // moved origin on a surface of either ratio; at ratio 2 its pixels land one to one.
    QImage fine(8, 8, QImage::Format_ARGB32);
    fine.fill(qRgba(0, 0, 255, 255));
    for (const QPoint corner : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
        fine.setPixel(corner, qRgba(255, 0, 0, 255));              // its first logical pixel
        fine.setPixel(corner + QPoint(6, 6), qRgba(0, 255, 0, 255));   // its last
    }
    fine.setDevicePixelRatio(2.0);
    struct Case {
        QPoint logical;
        QRgb colour;
    };
    const Case cases[] = {
        {{13, 7}, 0xFFFF0000u}, {{16, 10}, 0xFF00FF00u}, {{14, 7}, 0xFF0000FFu},
        {{17, 11}, 0xFFFF0000u}, {{29, 7}, 0xFFFF0000u}, {{12, 7}, 0u},
    };
    for (const qreal surfaceRatio : {1.0, 2.0}) {
        SCOPED_TRACE(surfaceRatio);
        QImage surface(DeviceSize(QSize(40, 40), surfaceRatio), QImage::Format_ARGB32_Premultiplied);
        surface.setDevicePixelRatio(surfaceRatio);
        surface.fill(0);
        {
            TGPGraphics g(&surface);
            g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
            TGPTextureBrush brush{TGPImage(fine)};
            brush.TranslateTransform(13, 7);
            g.FillRectangle(brush, {13, 7, 20, 20});
        }
        for (const Case& c : cases) {
            const QRect device = DeviceRect(QRect(c.logical, QSize(1, 1)), surfaceRatio);
            for (const QPoint pixel : {device.topLeft(), device.bottomRight()}) {
                EXPECT_EQ(surface.pixel(pixel), c.colour) << c.logical.x() << "," << c.logical.y();
            }
        }
    }

    TGPBitmap nothing(8, 8);
    TGPGraphics g(nothing);
    g.FillRectangle(TGPTextureBrush(TGPImage(QImage())), {0, 0, 8, 8});
    EXPECT_EQ(Alpha(nothing, 4, 4), 0);
}

TEST(GraphicsRender, ColorMatrixScalesAlphaOrTransformsColours)
{
    QImage source(2, 2, QImage::Format_ARGB32);
    source.fill(qRgba(200, 100, 50, 255));
    const TGPImage picture(source);
    struct Case {
        const char* Name;
        TGPColorMatrix Matrix;
        TGPColor Expected;
    };
    TGPColorMatrix half = IdentityColorMatrix();
    half[3][3] = 0.5f;
    TGPColorMatrix swap{};  // red and blue exchanged, green cleared, alpha kept
    swap[0][2] = 1;
    swap[2][0] = 1;
    swap[3][3] = 1;
    swap[4][4] = 1;
    const Case cases[] = {{"identity", IdentityColorMatrix(), 0xFFC86432},
                          {"alpha 0.5", half, 0x80C86432},
                          {"swap", swap, 0xFF3200C8}};
    for (const Case& c : cases) {
        TGPBitmap bitmap(2, 2);
        {
            TGPGraphics g(bitmap);
            g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
            TGPImageAttributes attributes;
            attributes.SetColorMatrix(c.Matrix);
            g.DrawImage(picture, {0, 0, 2, 2}, {0, 0, 2, 2}, attributes);
        }
        const TGPColor got = bitmap.GetPixel(1, 1);
        EXPECT_NEAR(static_cast<int>(got >> 24), static_cast<int>(c.Expected >> 24), 1) << c.Name;
        for (int shift : {16, 8, 0}) {
            EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((c.Expected >> shift) & 0xFF), 2)
                << c.Name << " shift " << shift;
        }
    }
}

TEST(GraphicsRender, BitmapsStartTransparentAndRoundTripThroughPng)
{
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath("board.png");
    TGPBitmap bitmap(30, 20);
    EXPECT_EQ(bitmap.GetWidth(), 30);
    EXPECT_EQ(bitmap.GetPixel(3, 3), 0u);
    {
        TGPGraphics g(bitmap);
        g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        g.FillRectangle(TGPSolidBrush(0x80336699), {0, 0, 10, 10});
    }
    ASSERT_TRUE(bitmap.SaveAsPNG(file));
    const TGPImage loaded(file);
    EXPECT_EQ(loaded.GetWidth(), 30);
    EXPECT_EQ(loaded.GetHeight(), 20);
    EXPECT_EQ(Alpha(loaded, 5, 5), 0x80);
    EXPECT_EQ(loaded.GetPixel(20, 5), 0u);
    EXPECT_FALSE(bitmap.SaveAsPNG(QDir(dir.path()).filePath("missing/folder/x.png")));
}

TEST(GraphicsRender, PicturesLoadWithoutColourManagementAndFailToZeroSize)
{
    QTemporaryDir dir;
    QImage wide(4, 4, QImage::Format_RGB32);
    wide.fill(qRgb(10, 200, 30));
    wide.setColorSpace(QColorSpace(QColorSpace::AdobeRgb));  // embedded as a profile
    const QString file = QDir(dir.path()).filePath("wide.png");
    ASSERT_TRUE(wide.save(file));
    const TGPImage loaded(file);
    EXPECT_EQ(loaded.GetPixel(2, 2), 0xFF0AC81Eu);  // stored values, untouched
    EXPECT_FALSE(loaded.GetQImage().colorSpace().isValid());

    for (const QString& name : {QString("absent.png"), QString("broken.png")}) {
        QFile broken(QDir(dir.path()).filePath("broken.png"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\x89PNG not really");
        broken.close();
        const TGPImage bad(QDir(dir.path()).filePath(name));
        EXPECT_EQ(bad.GetWidth(), 0) << name.toStdString();
        EXPECT_EQ(bad.GetHeight(), 0) << name.toStdString();
        TGPBitmap target(4, 4);
        TGPGraphics g(target);
        g.DrawImage(bad, {0, 0, 4, 4});
        g.DrawImage(bad, 0, 0);
        EXPECT_EQ(target.GetPixel(1, 1), 0u);
    }
}

TEST(GraphicsRender, ImagesDrawAtOwnSizeOrScaledIntoTheRectangle)
{
    QImage source(2, 2, QImage::Format_ARGB32);
    source.fill(qRgba(0, 255, 0, 255));
    const TGPImage picture(source);
    TGPBitmap bitmap(20, 20);
    {
        TGPGraphics g(bitmap);
        g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        g.DrawImage(picture, 1, 1);
        g.DrawImage(picture, {10, 10, 8, 6});
    }
    EXPECT_EQ(PaintedPixels(bitmap, 0, 0, 10, 10), 4);
    EXPECT_EQ(PaintedPixels(bitmap, 10, 10, 20, 20), 48);
}

TEST(GraphicsRender, FontsFallBackToSansSerifAndTextDrawsFromTopLeftWithoutWrapping)
{
    const TGPFont missing("No Such Family 42", 12, kGPFontStyleBold | kGPFontStyleUnderline);
    const TGPFont sans("sans-serif", 12);
    EXPECT_EQ(missing.GetFamilyName(), sans.GetFamilyName());
    EXPECT_TRUE(missing.GetQFont().bold());
    EXPECT_TRUE(missing.GetQFont().underline());
    EXPECT_FALSE(missing.GetQFont().italic());

    TGPBitmap bitmap(400, 120);
    TGPGraphics g(bitmap);
    g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    const TGPFont font("sans-serif", 12);  // 16 px at 96 dpi
    EXPECT_NEAR(g.GetDpiY(), 96, 1);
    const QString text = QStringLiteral("MMMM MMMM MMMM\nMM");
    g.DrawString(text, -1, font, {20, 10}, TGPSolidBrush(0xFF000000));
    const TGPRectF box = g.MeasureString(text, -1, font, {20, 10});
    EXPECT_EQ(box.X, 20);
    EXPECT_EQ(box.Y, 10);
    EXPECT_GT(box.Width, 100);
    EXPECT_GT(box.Height, 30);  // two lines
    EXPECT_EQ(PaintedPixels(bitmap, 0, 0, 20, 120), 0);  // nothing left of the origin
    EXPECT_EQ(PaintedPixels(bitmap, 0, 0, 400, 10), 0);  // nothing above it
    EXPECT_GT(PaintedPixels(bitmap, 20, 10, 400, 30), 0);
    // The second line starts at the origin's x, one line further down.
    const int lineTwoTop = static_cast<int>(10 + box.Height / 2);
    EXPECT_GT(PaintedPixels(bitmap, 20, lineTwoTop, 60, 120), 0);
    EXPECT_EQ(PaintedPixels(bitmap, static_cast<int>(box.X + box.Width) + 2, 0, 400, 120), 0);
}

}  // namespace

namespace {

// A picture that failed to load gives a bitmap of size 0; a surface on it draws nothing.
TEST(GraphicsRender, SurfaceOnAnEmptyBitmapDrawsNothingQuietly)
{
    TGPBitmap empty(0, 0);
    EXPECT_EQ(empty.GetWidth(), 0);
    TGPGraphics g(empty);
    g.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
    g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    g.SetClip({0, 0, 5, 5});
    TGPGraphicsPath path;
    path.AddLine(0, 0, 5, 5);
    g.DrawPath(TGPPen(0x80FF0000, 3), path);
    g.FillPath(TGPSolidBrush(kRed), path);
    g.DrawImage(TGPBitmap(2, 2), {0, 0, 1, 1});
    EXPECT_EQ(g.GetClipBounds(), (TGPRectF{0, 0, 0, 0}));
    EXPECT_EQ(g.GetDpiX(), 96.0f);
    EXPECT_FALSE(empty.SaveAsPNG(QDir::temp().filePath("ravo-empty.png")));
}

}  // namespace
