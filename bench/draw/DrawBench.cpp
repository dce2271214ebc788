// Prints ratios measured side by side in one run:
// 1. appending strokes of 40 points to a group of 2,000: time of the last 100 appends over the
//    first 100 (flat when one append costs what its own stroke costs), next to the same ratio
//    for a group rebuilt completely on every append;
// 2. drawing a group of 10,000 strokes into a 64 x 64 clip over drawing it whole.
#include "draw/DrawStrokes.h"
#include "platform/graphics/GPBitmap.h"
#include "platform/graphics/GPGraphics.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A wavy stroke of `points` samples somewhere on a 1600 x 1000 board.
TPointList MakeStroke(int index, int points)
{
    const float x0 = static_cast<float>((index * 7919) % 1500) + 20.0f;
    const float y0 = static_cast<float>((index * 104729) % 900) + 20.0f;
    TPointList stroke;
    for (int i = 0; i < points; ++i) {
        stroke.push_back({x0 + i * 1.5f, y0 + 6.0f * std::sin(i * 0.4f + index)});
    }
    return stroke;
}

std::unique_ptr<TDrawStrokes> NewGroup()
{
    auto group = std::make_unique<TDrawStrokes>(nullptr, 1, std::vector<TPointList>{}, 100, 6, 2);
    TGPRectF unset;
    InitUnsetRect(unset);
    group->SetBounds(unset);
    return group;
}

// Seconds spent on appends [first, first + count) while building a group of `total` strokes.
double AppendWindow(int total, int first, int count, bool fullRebuild)
{
    auto group = NewGroup();
    TGPRectF unset;
    InitUnsetRect(unset);
    double seconds = 0.0;
    for (int i = 0; i < total; ++i) {
        const TPointList stroke = MakeStroke(i, 40);
        const double spent = Seconds([&] {
            group->AddNewStroke(stroke);
            if (fullRebuild) {
                group->SetBounds(unset);  // what an append costs when it maps every stroke again
            }
        });
        if (i >= first && i < first + count) {
            seconds += spent;
        }
    }
    return seconds;
}

void BenchAppend()
{
    constexpr int kTotal = 2000;
    constexpr int kWindow = 100;
    // The first window and the last come from the same run of the group.
    auto group = NewGroup();
    double first = 0.0, last = 0.0;
    for (int i = 0; i < kTotal; ++i) {
        const TPointList stroke = MakeStroke(i, 40);
        const double spent = Seconds([&] { group->AddNewStroke(stroke); });
        if (i < kWindow) {
            first += spent;
        } else if (i >= kTotal - kWindow) {
            last += spent;
        }
    }
    std::printf("append: group of %d strokes of 40 points\n", kTotal);
    std::printf("  first %d appends %.3f ms, last %d appends %.3f ms, ratio last/first %.2f (goal <= 1.5)\n",
                kWindow, first * 1e3, kWindow, last * 1e3, last / first);
    const double rebuildFirst = AppendWindow(kTotal, 0, kWindow, true);
    const double rebuildLast = AppendWindow(kTotal, kTotal - kWindow, kWindow, true);
    std::printf("  for comparison, a full rebuild on every append: ratio last/first %.2f\n",
                rebuildLast / rebuildFirst);
}

void BenchClippedDraw()
{
    constexpr int kStrokes = 10000;
    auto group = NewGroup();
    for (int i = 0; i < kStrokes; ++i) {
        group->AddNewStroke(MakeStroke(i, 40));
    }
    TGPBitmap board(1600, 1000);
    const auto draw = [&](const TGPRectF* clip) {
        TGPGraphics g(board);
        g.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
        g.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
        if (clip != nullptr) {
            g.SetClip(*clip);
        }
        group->Draw(g);
    };
    const TGPRectF clip{700, 400, 64, 64};
    const double whole = Seconds([&] { draw(nullptr); });
    constexpr int kRepeats = 20;
    const double clipped = Seconds([&] {
                               for (int i = 0; i < kRepeats; ++i) {
                                   draw(&clip);
                               }
                           }) /
                           kRepeats;
    std::printf("draw: group of %d strokes on a 1600 x 1000 board\n", kStrokes);
    std::printf("  whole %.1f ms, 64 x 64 clip %.3f ms, ratio clip/whole %.4f\n", whole * 1e3, clipped * 1e3,
                clipped / whole);
}

}  // namespace

int main()
{
    BenchAppend();
    BenchClippedDraw();
    return 0;
}
