// Board frames: eight pieces per set, 20 x 20 corners and 20-pixel strips.
//
// Every pixel is coloured from its distance to the board's edge, measured in a virtual 60 x 60
// frame whose middle 20 x 20 square stands for the board. Strips have the same profile in every
// row (or column), so they tile seamlessly; corners measure the distance to the board's corner,
// which rounds the rim and meets the strips without a step.

#include "SkinArt.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kPiece = 20;

struct TFrameLook {
    QColor edgeLine;      // hairline right at the board
    QColor rimInner;      // rim colour next to the board
    QColor rimMiddle;     // rim colour half-way out (a highlight for metal)
    QColor rimOuter;      // rim colour at its outer edge
    float rimWidth;       // pixels of rim; the rest of the 20 pixels is shadow
    float shadowAlpha;    // alpha of the shadow right outside the rim
};

struct TPieceSpot {
    const char* suffix;
    int originX;          // top-left of the piece in the virtual frame
    int originY;
};

// In the order the player loads them.
constexpr std::array<TPieceSpot, 8> kPieces = {{
    {"LT.png", 0, 0}, {"L.png", 0, 20},  {"LB.png", 0, 40}, {"B.png", 20, 40},
    {"RB.png", 40, 40}, {"R.png", 40, 20}, {"RT.png", 40, 0}, {"T.png", 20, 0},
}};

QColor RimColor(const TFrameLook& look, float d)
{
    if (d < 1.0f)
        return look.edgeLine;
    const float t = (d - 1.0f) / std::max(1.0f, look.rimWidth - 1.0f);
    return t < 0.5f ? MixColor(look.rimInner, look.rimMiddle, t * 2.0f)
                    : MixColor(look.rimMiddle, look.rimOuter, (t - 0.5f) * 2.0f);
}

// The rim, with its anti-aliased coverage (over one pixel of the scale), laid over a black
// shadow that fades outwards.
QRgb FramePixel(const TFrameLook& look, float d)
{
    const float coverage = std::clamp((look.rimWidth - d) * static_cast<float>(SkinScale()) + 0.5f, 0.0f, 1.0f);
    const float fall = std::clamp((d - look.rimWidth) / (static_cast<float>(kPiece) - look.rimWidth), 0.0f, 1.0f);
    const float shadow = look.shadowAlpha * (1.0f - fall) * (1.0f - fall) / 255.0f;
    const float alpha = coverage + shadow * (1.0f - coverage);
    if (alpha <= 0.0f)
        return qRgba(0, 0, 0, 0);
    const QColor rim = RimColor(look, d);
    auto channel = [&](int value) { return static_cast<int>(RoundHalfEven(static_cast<float>(value) * coverage / alpha)); };
    return qRgba(channel(rim.red()), channel(rim.green()), channel(rim.blue()), static_cast<int>(RoundHalfEven(alpha * 255.0f)));
}

QImage FramePiece(const TFrameLook& look, const TPieceSpot& spot)
{
    QImage image = SkinImage(kPiece, kPiece, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const float vx = static_cast<float>(spot.originX) + Centre(x) + 0.5f;
            const float vy = static_cast<float>(spot.originY) + Centre(y) + 0.5f;
            const float dx = std::max({0.0f, 20.0f - vx, vx - 40.0f});
            const float dy = std::max({0.0f, 20.0f - vy, vy - 40.0f});
            line[x] = FramePixel(look, std::hypot(dx, dy));
        }
    }
    return image;
}

void AddFrameSet(std::vector<TSkinPicture>& out, const QString& setName, const TFrameLook& look)
{
    for (const TPieceSpot& spot : kPieces)
        out.push_back({setName + QString::fromLatin1(spot.suffix), FramePiece(look, spot)});
}

} // namespace

std::vector<TSkinPicture> MakeFramePieces()
{
    // A paper note: a cream edge with a soft shadow.
    const TFrameLook note{QColor(204, 196, 178), QColor(246, 242, 232), QColor(240, 234, 220),
                          QColor(226, 218, 200), 7.0f, 70.0f};
    // Brushed aluminium around black boards and picture boards: a highlight mid-rim.
    const TFrameLook metal{QColor(120, 126, 134), QColor(168, 174, 182), QColor(232, 235, 239),
                           QColor(158, 164, 173), 11.0f, 90.0f};
    // A slim white plastic rim for the white board (the set without a name).
    const TFrameLook plastic{QColor(192, 196, 202), QColor(252, 252, 252), QColor(244, 245, 247),
                             QColor(222, 225, 230), 6.0f, 60.0f};

    std::vector<TSkinPicture> out;
    AddFrameSet(out, "WhiteNoteFrame", note);
    AddFrameSet(out, "WhiteBoardFrame", metal);
    AddFrameSet(out, "", plastic);
    return out;
}
