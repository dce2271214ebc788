#include "e2e/ScreenReading.h"

#include "session/FileUtil.h"

#include <QColor>
#include <QCoreApplication>

#include <cstdlib>

namespace {

// The bars' handles are near white.
bool IsHandlePixel(QRgb p_pixel)
{
    return qRed(p_pixel) >= 215 && qGreen(p_pixel) >= 215 && qBlue(p_pixel) >= 215;
}

// The groove: the played part in blue, the rest in dark grey.
bool IsGroovePixel(QRgb p_pixel)
{
    const QColor color(p_pixel);
    return (std::abs(color.red() - 0x4A) < 12 && std::abs(color.green() - 0xA3) < 12 && std::abs(color.blue() - 0xFF) < 12) ||
           (std::abs(color.red() - 0x3A) < 8 && std::abs(color.green() - 0x41) < 8 && std::abs(color.blue() - 0x50) < 8);
}

} // namespace

// The handle's centre in a horizontal band of the screen; none when no handle shows there.
std::optional<double> HandleCentre(const QImage& p_shot, const QRect& p_band)
{
    double sum = 0.0;
    int count = 0;
    for (int y = p_band.top(); y <= p_band.bottom(); ++y) {
        for (int x = p_band.left(); x <= p_band.right(); ++x) {
            if (IsHandlePixel(p_shot.pixel(x, y))) {
                sum += x;
                ++count;
            }
        }
    }
    return count > 10 ? std::optional<double>(sum / count) : std::nullopt;
}

// The groove's extent along the row through its middle.
std::optional<std::pair<int, int>> GrooveExtent(const QImage& p_shot, const QRect& p_band)
{
    const int y = p_band.center().y();
    int first = -1;
    int last = -1;
    for (int x = p_band.left(); x <= p_band.right(); ++x) {
        if (IsGroovePixel(p_shot.pixel(x, y)) || IsHandlePixel(p_shot.pixel(x, y))) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    return first >= 0 && last - first > 50 ? std::optional<std::pair<int, int>>({first, last}) : std::nullopt;
}

// Whether the screen shows the picture with its top-left corner at p_ptAt: every opaque pixel of
// the picture is on the screen (the half-transparent rim blends with what lies under it).
bool ShowsPicture(const QImage& p_shot, const QString& p_sPictureFile, const QPoint& p_ptAt)
{
    const QImage picture = QImage(JoinPath(QCoreApplication::applicationDirPath(), QStringLiteral("image"), p_sPictureFile))
                               .convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    int same = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            if (qAlpha(pixel) < 255) {
                continue;
            }
            ++opaque;
            const QRgb seen = p_shot.pixel(p_ptAt.x() + x, p_ptAt.y() + y);
            same += std::abs(qRed(seen) - qRed(pixel)) <= 2 && std::abs(qGreen(seen) - qGreen(pixel)) <= 2 &&
                    std::abs(qBlue(seen) - qBlue(pixel)) <= 2;
        }
    }
    return opaque > 100 && same == opaque;
}

namespace {

// Whether two pixels differ strongly, as neighbours in the check-up's noise nearly always do.
bool Contrasts(QRgb p_a, QRgb p_b)
{
    return std::abs(qRed(p_a) - qRed(p_b)) + std::abs(qGreen(p_a) - qGreen(p_b)) + std::abs(qBlue(p_a) - qBlue(p_b)) > 60;
}

} // namespace

// The centre of the check-up square on the screen: the one block of noise, rows on rows in which
// 44 pixels side by side nearly all differ strongly from their right and lower neighbours (text
// and lines have such pixels only here and there); none when none shows.
std::optional<QPoint> CheckUpSquareAt(const QImage& p_shot)
{
    constexpr int kNoiseSide = 44;
    constexpr int kDenseEnough = 24;   // the countdown's digits take up to a third of a row
    int bandTop = -1;
    int bandLeft = -1;
    for (int y = 0; y + 1 < p_shot.height(); ++y) {
        // The densest 44 pixels of the row and where they begin.
        std::vector<int> busy(static_cast<size_t>(p_shot.width()), 0);
        for (int x = 0; x + 1 < p_shot.width(); ++x) {
            const QRgb pixel = p_shot.pixel(x, y);
            busy[static_cast<size_t>(x)] = Contrasts(pixel, p_shot.pixel(x + 1, y)) && Contrasts(pixel, p_shot.pixel(x, y + 1));
        }
        int count = 0;
        int best = 0;
        int bestLeft = 0;
        for (int x = 0; x < p_shot.width(); ++x) {
            count += busy[static_cast<size_t>(x)] - (x >= kNoiseSide ? busy[static_cast<size_t>(x - kNoiseSide)] : 0);
            if (count > best) {
                best = count;
                bestLeft = x - kNoiseSide + 1;
            }
        }
        const bool dense = best >= kDenseEnough;
        if (dense && bandTop >= 0 && std::abs(bestLeft - bandLeft) <= 4) {
            if (y - bandTop + 1 >= 30) {
                return QPoint(bandLeft + kNoiseSide / 2, bandTop + kNoiseSide / 2);
            }
            continue;
        }
        bandTop = dense ? y : -1;
        bandLeft = bestLeft;
    }
    return std::nullopt;
}
