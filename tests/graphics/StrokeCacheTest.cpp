// Figures drawn through the stroke cache give the pixels of figures stroked and rasterized on
// the spot, when stored and when found again, over every pen shape, transform, clip and device
// pixel ratio; the cache keeps to its capacity, least recently used first, and serves several
// threads at once.
#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPGraphicsPath.h"
#include "platform/graphics/GPPen.h"
#include "platform/graphics/GPStrokeCache.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// A background of varied colours and opacities, so every blending step shows in the result; at
// a device pixel ratio, the picture of a screen scaled by it.
QImage Background(int width, int height, qreal ratio = 1.0)
{
    QImage image(DeviceSize(QSize(width, height), ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = (x * 7 + y * 3) % 4 == 0 ? 120 : 255;
            image.setPixel(x, y, qPremultiply(qRgba((x * 13) % 256, (y * 29) % 256, (x * y) % 256, alpha)));
        }
    }
    return image;
}

int DifferingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

struct TPenCase {
    const char* Name;
    std::function<TGPPen()> Make;
};

struct TPathCase {
    const char* Name;
    std::function<TGPGraphicsPath()> Make;
};

struct TSetup {
    const char* Name;
    TGPPixelOffsetMode Offset;
    float Scale;
    float Dx;
    float Dy;
    bool Clip;
    qreal Ratio = 1.0;
};

TGPPen RoundPen(TGPColor color, float width)
{
    TGPPen pen(color, width);
    pen.SetStartCap(TGPLineCap::Round);
    pen.SetEndCap(TGPLineCap::Round);
    pen.SetLineJoin(TGPLineJoin::Round);
    return pen;
}

const std::vector<TPenCase>& PenCases()
{
    static const std::vector<TPenCase> cases = {
        {"round opaque", [] { return RoundPen(0xFF1F4E9A, 3.0f); }},
        {"round translucent", [] { return RoundPen(0x80D02020, 6.0f); }},
        {"thin translucent", [] { return RoundPen(0x3300A000, 0.4f); }},
        {"dashed", [] {
             TGPPen pen(0xFF202020, 2.0f);
             pen.SetDashStyle(TGPDashStyle::Dash);
             return pen;
         }},
        {"arrows", [] {
             TGPPen pen(0xE0008080, 2.0f);
             pen.SetCustomStartCap(TGPAdjustableArrowCap(5, 5, false));
             pen.SetCustomEndCap(TGPAdjustableArrowCap(3, 4, true));
             return pen;
         }},
        {"square mitered", [] {
             TGPPen pen(0xC0F0A000, 4.0f);
             pen.SetStartCap(TGPLineCap::Square);
             pen.SetEndCap(TGPLineCap::Square);
             return pen;
         }},
    };
    return cases;
}

const std::vector<TPathCase>& PathCases()
{
    static const std::vector<TPathCase> cases = {
        {"wavy strokes", [] {
             TGPGraphicsPath path;
             for (int k = 0; k < 4; ++k) {
                 std::vector<TGPPointF> points;
                 for (int i = 0; i < 13; ++i) {
                     points.push_back({12.3f + 9.7f * i, 20.6f + 17.1f * k + 8.0f * std::sin(i * 0.7f + k)});
                 }
                 path.StartFigure();
                 path.AddBeziers(points);
             }
             return path;
         }},
        {"sharp polyline", [] {
             TGPGraphicsPath path;
             path.AddLine(10.25f, 100.5f, 60.75f, 12.125f);
             path.AddLine(60.75f, 12.125f, 70.5f, 105.0f);
             path.AddLine(70.5f, 105.0f, 150.0f, 40.3f);
             return path;
         }},
        {"closed shapes", [] {
             TGPGraphicsPath path;
             path.AddRectangle({20.5f, 15.5f, 50.0f, 30.0f});
             path.AddEllipse(60.2f, 40.7f, 70.0f, 55.0f);
             return path;
         }},
        {"axis-aligned lines", [] {
             TGPGraphicsPath path;
             path.AddLine(5.0f, 30.5f, 150.0f, 30.5f);
             path.StartFigure();
             path.AddLine(80.0f, 5.0f, 80.0f, 115.0f);
             return path;
         }},
        {"zero length", [] {
             TGPGraphicsPath path;
             path.AddLine(40.4f, 60.6f, 40.4f, 60.6f);
             path.StartFigure();
             path.AddLine(90.0f, 60.0f, 90.0f, 60.0f);
             return path;
         }},
    };
    return cases;
}

const std::vector<TSetup>& Setups()
{
    static const std::vector<TSetup> setups = {
        {"board", TGPPixelOffsetMode::HighQuality, 1.0f, 0.0f, 0.0f, false},
        {"half-pixel offset, clipped", TGPPixelOffsetMode::Default, 1.0f, 0.0f, 0.0f, true},
        {"scaled and moved", TGPPixelOffsetMode::HighQuality, 1.3f, -7.25f, 3.5f, false},
        {"scaled, moved and clipped", TGPPixelOffsetMode::Default, 0.8f, 11.0f, -2.75f, true},
        {"board at ratio 2", TGPPixelOffsetMode::HighQuality, 1.0f, 0.0f, 0.0f, false, 2.0},
        {"half-pixel offset, clipped, at ratio 1.5", TGPPixelOffsetMode::Default, 1.0f, 0.0f, 0.0f, true, 1.5},
        {"scaled and moved at ratio 1.25", TGPPixelOffsetMode::HighQuality, 1.3f, -7.25f, 3.5f, false, 1.25},
    };
    return setups;
}

QImage Draw(const TGPPen& pen, const TGPGraphicsPath& path, const TSetup& setup, TGPStrokeCache* cache)
{
    QImage image = Background(kWidth, kHeight, setup.Ratio);
    TGPGraphics g(&image);
    g.SetStrokeCache(cache);
    g.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
    g.SetPixelOffsetMode(setup.Offset);
    g.TranslateTransform(setup.Dx, setup.Dy);
    g.ScaleTransform(setup.Scale, setup.Scale);
    if (setup.Clip) {
        g.SetClip({31.5f, 22.0f, 70.0f, 45.0f});
    }
    g.DrawPath(pen, path);
    return image;
}

TEST(StrokeCache, StoredAndFoundFiguresGiveThePixelsOfStrokingOnTheSpot)
{
    int cases = 0;
    int painted = 0;
    for (const TPenCase& penCase : PenCases()) {
        for (const TPathCase& pathCase : PathCases()) {
            for (const TSetup& setup : Setups()) {
                const TGPPen pen = penCase.Make();
                const TGPGraphicsPath path = pathCase.Make();
                const std::string name = std::string(penCase.Name) + ", " + pathCase.Name + ", " + setup.Name;
                TGPStrokeCache cache;
                const QImage plain = Draw(pen, path, setup, nullptr);
                ++cases;
                painted += DifferingPixels(plain, Background(kWidth, kHeight, setup.Ratio)) > 0 ? 1 : 0;
                const QImage stored = Draw(pen, path, setup, &cache);
                const size_t kept = cache.GetCount();
                EXPECT_GT(kept, 0u) << name;
                const QImage found = Draw(pen, path, setup, &cache);
                EXPECT_EQ(cache.GetCount(), kept) << name;   // all found, nothing stored again
                EXPECT_EQ(DifferingPixels(stored, plain), 0) << name;
                EXPECT_EQ(DifferingPixels(found, plain), 0) << name;
            }
        }
    }
    // Only the dashed pen and the arrows leave nothing of figures of length 0 (in every setup).
    EXPECT_EQ(painted, cases - 2 * static_cast<int>(Setups().size()));
}

// The colour is no part of what is kept: the same figure in another colour is found and painted
// in that colour; another width, transform or device pixel ratio is a figure of its own.
TEST(StrokeCache, ColourIsAppliedOnFindingWhileShapeAndTransformAreKept)
{
    const TGPGraphicsPath path = PathCases()[0].Make();
    const TSetup& setup = Setups()[0];
    TGPStrokeCache cache;
    Draw(RoundPen(0xFF1F4E9A, 3.0f), path, setup, &cache);
    const size_t kept = cache.GetCount();
    for (const TGPColor color : {0xFFE02020u, 0x90E02020u}) {
        const QImage found = Draw(RoundPen(color, 3.0f), path, setup, &cache);
        EXPECT_EQ(cache.GetCount(), kept);
        EXPECT_EQ(DifferingPixels(found, Draw(RoundPen(color, 3.0f), path, setup, nullptr)), 0) << std::hex << color;
    }
    const QImage wider = Draw(RoundPen(0xFF1F4E9A, 3.5f), path, setup, &cache);
    EXPECT_EQ(DifferingPixels(wider, Draw(RoundPen(0xFF1F4E9A, 3.5f), path, setup, nullptr)), 0);
    EXPECT_EQ(cache.GetCount(), 2 * kept);
    const QImage moved = Draw(RoundPen(0xFF1F4E9A, 3.0f), path, Setups()[1], &cache);
    EXPECT_EQ(DifferingPixels(moved, Draw(RoundPen(0xFF1F4E9A, 3.0f), path, Setups()[1], nullptr)), 0);
    EXPECT_EQ(cache.GetCount(), 3 * kept);
    TSetup denser = setup;
    denser.Ratio = 2.0;
    const QImage sharp = Draw(RoundPen(0xFF1F4E9A, 3.0f), path, denser, &cache);
    EXPECT_EQ(DifferingPixels(sharp, Draw(RoundPen(0xFF1F4E9A, 3.0f), path, denser, nullptr)), 0);
    EXPECT_EQ(cache.GetCount(), 4 * kept);
}

// The surface figures are rasterized on starts at the first figure's size and grows for a larger
// one on the way: every figure, before and after the growth, keeps the painter's own pixels.
TEST(StrokeCache, FiguresLargerThanTheOnesBeforeThemKeepThePaintersPixels)
{
    TGPGraphicsPath path;
    path.AddEllipse(10.0f, 10.0f, 12.0f, 9.0f);
    path.StartFigure();
    path.AddLine(20.0f, 60.0f, 900.0f, 140.0f);
    path.StartFigure();
    path.AddEllipse(40.0f, 150.0f, 30.0f, 20.0f);
    path.StartFigure();
    path.AddLine(930.0f, 10.0f, 15.0f, 190.0f);
    const TGPPen pen = RoundPen(0xFF1F4E9A, 3.0f);
    const auto draw = [&](TGPStrokeCache* cache) {
        QImage image = Background(960, 200);
        TGPGraphics g(&image);
        g.SetStrokeCache(cache);
        g.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        g.DrawPath(pen, path);
        return image;
    };
    TGPStrokeCache cache;
    const QImage plain = draw(nullptr);
    EXPECT_EQ(DifferingPixels(draw(&cache), plain), 0);
    EXPECT_EQ(cache.GetCount(), 4u);
    EXPECT_EQ(DifferingPixels(draw(&cache), plain), 0);
    cache.Clear();
    // The grown surface, lent again, serves small and large figures alike.
    EXPECT_EQ(DifferingPixels(draw(&cache), plain), 0);
}

TEST(StrokeCache, FiguresTooLargeToKeepAreStillDrawn)
{
    TGPGraphicsPath path;
    path.AddLine(2.0f, 10.0f, 1590.0f, 30.0f);
    const TSetup& setup = Setups()[0];
    QImage plain(1600, 40, QImage::Format_ARGB32_Premultiplied);
    plain.fill(Qt::white);
    QImage cached = plain;
    TGPStrokeCache cache;
    for (QImage* image : {&plain, &cached}) {
        TGPGraphics g(image);
        g.SetStrokeCache(image == &cached ? &cache : nullptr);
        g.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        g.SetPixelOffsetMode(setup.Offset);
        g.DrawPath(RoundPen(0xFF000000, 3.0f), path);
    }
    EXPECT_EQ(cache.GetCount(), 0u);
    EXPECT_EQ(DifferingPixels(cached, plain), 0);
    EXPECT_NE(plain.pixel(800, 20), qRgb(255, 255, 255));
}

std::shared_ptr<const TGPCoverageMask> MaskOfBytes(size_t bytes)
{
    auto mask = std::make_shared<TGPCoverageMask>();
    mask->Bounds = QRect(0, 0, 1, 1);
    mask->Coverage.assign(bytes, 255);
    return mask;
}

TEST(StrokeCache, KeepsToItsCapacityDroppingTheLeastRecentlyUsed)
{
    constexpr size_t kMaskBytes = 10000;
    TGPStrokeCache cache(35000);   // room for three
    cache.Insert("a", MaskOfBytes(kMaskBytes));
    cache.Insert("b", MaskOfBytes(kMaskBytes));
    cache.Insert("c", MaskOfBytes(kMaskBytes));
    EXPECT_EQ(cache.GetCount(), 3u);
    EXPECT_NE(cache.Find("a"), nullptr);   // now the most recently used
    cache.Insert("d", MaskOfBytes(kMaskBytes));
    EXPECT_EQ(cache.GetCount(), 3u);
    EXPECT_EQ(cache.Find("b"), nullptr);
    for (const char* key : {"a", "c", "d"}) {
        EXPECT_NE(cache.Find(key), nullptr) << key;
    }
    EXPECT_LE(cache.GetUsedBytes(), cache.GetCapacityBytes());
    EXPECT_GT(cache.GetUsedBytes(), 3 * kMaskBytes);

    // Storing a key again keeps the first coverage; one larger than the whole cache is not kept.
    const std::shared_ptr<const TGPCoverageMask> first = cache.Find("c");
    cache.Insert("c", MaskOfBytes(kMaskBytes));
    EXPECT_EQ(cache.Find("c"), first);
    cache.Insert("huge", MaskOfBytes(40000));
    EXPECT_EQ(cache.Find("huge"), nullptr);
    EXPECT_EQ(cache.GetCount(), 3u);

    cache.Clear();
    EXPECT_EQ(cache.GetCount(), 0u);
    EXPECT_EQ(cache.GetUsedBytes(), 0u);
    EXPECT_EQ(cache.Find("a"), nullptr);
}

// Two threads drawing the same crowded scene at once, storing and finding the same figures.
TEST(StrokeCache, ServesThreadsDrawingAtOnce)
{
    TGPGraphicsPath path;
    for (int k = 0; k < 120; ++k) {
        std::vector<TGPPointF> points;
        for (int i = 0; i < 10; ++i) {
            points.push_back(
                {5.0f + (k % 12) * 12.5f + 2.1f * i, 6.0f + (k / 12) * 11.0f + 3.0f * std::sin(i + k * 0.3f)});
        }
        path.StartFigure();
        path.AddBeziers(points);
    }
    const TGPPen pen = RoundPen(0xFF3060C0, 2.0f);
    const QImage plain = Draw(pen, path, Setups()[0], nullptr);
    TGPStrokeCache cache(size_t{200} << 10);   // small enough to drop figures while drawing
    std::vector<QImage> results(6);
    const auto work = [&](size_t first) {
        for (size_t i = first; i < results.size(); i += 2) {
            results[i] = Draw(pen, path, Setups()[0], &cache);
        }
    };
    std::thread other(work, 1);
    work(0);
    other.join();
    for (size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(DifferingPixels(results[i], plain), 0) << "drawing " << i;
    }
    EXPECT_LE(cache.GetUsedBytes(), cache.GetCapacityBytes());
}

}  // namespace
