#pragma once
// Reading the player's window off a screenshot the way a learner reads it: the bars' handles and
// grooves, a picture of the skin in its place, the check-up square's block of noise.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>
#include <utility>

// The handle's centre in a horizontal band of the screen; none when no handle shows there.
std::optional<double> HandleCentre(const QImage& p_shot, const QRect& p_band);

// The groove's extent along the row through its middle.
std::optional<std::pair<int, int>> GrooveExtent(const QImage& p_shot, const QRect& p_band);

// Whether the screen shows the skin's picture (a file of the image folder beside the test) with
// its top-left corner at p_ptAt: every opaque pixel of the picture is on the screen (the
// half-transparent rim blends with what lies under it).
bool ShowsPicture(const QImage& p_shot, const QString& p_sPictureFile, const QPoint& p_ptAt);

// The centre of the check-up square on the screen: the one block of noise, rows on rows in which
// 44 pixels side by side nearly all differ strongly from their right and lower neighbours (text
// and lines have such pixels only here and there); none when none shows.
std::optional<QPoint> CheckUpSquareAt(const QImage& p_shot);
