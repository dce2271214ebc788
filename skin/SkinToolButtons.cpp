// The state pictures of the tool buttons: for every button an Up, Down, Over and Disable picture
// at the button's size, named after its picture set and the state ("imgPlayNextOver.png"). Light
// glyphs on the dark bar; Over lights a rounded plate under the glyph, Down presses it (darker
// plate, glyph one pixel lower), Disable greys the glyph out.

#include "SkinArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <array>
#include <cmath>
#include <functional>

namespace {

enum class TState { Up, Down, Over, Disable };
constexpr std::array<std::pair<TState, const char*>, 4> kStates = {{
    {TState::Up, "Up"}, {TState::Down, "Down"}, {TState::Over, "Over"}, {TState::Disable, "Disable"}}};

const QColor kGlyph(0xD5, 0xDB, 0xE5);
const QColor kGlyphOver(0xFF, 0xFF, 0xFF);
const QColor kGlyphDown(0xC4, 0xCC, 0xD8);
const QColor kGlyphDisabled(0x55, 0x5D, 0x6B);
const QColor kPlateOver(0x2E, 0x36, 0x45);
const QColor kPlateDown(0x15, 0x19, 0x20);
const QColor kAccent(0x2F, 0x6F, 0xD0);

// Draws a glyph with the painter's pen (colour, width) inside a square of side 34 at the origin.
using TGlyph = std::function<void(QPainter&)>;

QColor GlyphColor(TState p_state)
{
    switch (p_state) {
    case TState::Over:
        return kGlyphOver;
    case TState::Down:
        return kGlyphDown;
    case TState::Disable:
        return kGlyphDisabled;
    case TState::Up:
        break;
    }
    return kGlyph;
}

void BeginGlyph(QPainter& p, const QColor& p_color)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(QPen(p_color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

QPainterPath Triangle(QPointF a, QPointF b, QPointF c)
{
    QPainterPath path(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

// ---- Glyphs, in a 34 x 34 square

void PauseGlyph(QPainter& p)
{
    p.fillRect(QRectF(12.0, 10.5, 3.8, 13.0), p.pen().color());
    p.fillRect(QRectF(18.2, 10.5, 3.8, 13.0), p.pen().color());
}

void PlayGlyph(QPainter& p)
{
    p.fillPath(Triangle(QPointF(13.5, 10.0), QPointF(24.0, 17.0), QPointF(13.5, 24.0)), p.pen().color());
}

// A circular arrow round "10", open at the bottom; p_bForward turns it clockwise.
void JumpGlyph(QPainter& p, bool p_bForward)
{
    const QRectF ring(6.5, 6.5, 21.0, 21.0);
    const qreal start = p_bForward ? 215 : -35;
    const qreal sweep = p_bForward ? -250 : 250;
    QPainterPath arc;
    arc.arcMoveTo(ring, start);
    arc.arcTo(ring, start, sweep);
    QPen pen = p.pen();
    pen.setWidthF(1.8);
    p.setPen(pen);
    p.drawPath(arc);
    // The head points along the arc's end (angles count counter-clockwise, y grows downwards).
    const QPointF end = arc.pointAtPercent(1.0);
    const qreal angle = qDegreesToRadians(arc.angleAtPercent(1.0));
    const QPointF direction(std::cos(angle), -std::sin(angle));
    const QPointF normal(-direction.y(), direction.x());
    p.fillPath(Triangle(end + direction * 4.5, end + normal * 4.0, end - normal * 4.0), pen.color());
    p.setFont(SkinFont(9, true));
    p.drawText(ring, Qt::AlignCenter, QStringLiteral("10"));
}

void MagnifierGlyph(QPainter& p, bool p_bPlus)
{
    p.drawEllipse(QPointF(15.0, 15.0), 7.0, 7.0);
    p.drawLine(QPointF(20.2, 20.2), QPointF(26.0, 26.0));
    p.drawLine(QPointF(11.5, 15.0), QPointF(18.5, 15.0));
    if (p_bPlus) {
        p.drawLine(QPointF(15.0, 11.5), QPointF(15.0, 18.5));
    }
}

// A small desk tile with a chevron beside it: the desk behind the board, one skin back or on.
void SkinGlyph(QPainter& p, bool p_bNext)
{
    const QColor color = p.pen().color();
    const qreal tileLeft = p_bNext ? 8.0 : 14.0;
    const QRectF tile(tileLeft, 10.0, 12.0, 14.0);
    QPen thin = p.pen();
    thin.setWidthF(1.6);
    p.setPen(thin);
    p.drawRoundedRect(tile, 2.0, 2.0);
    p.save();
    p.setClipRect(tile.adjusted(1.5, 1.5, -1.5, -1.5));
    QPen stripe(color, 1.2);
    p.setPen(stripe);
    for (qreal x = tile.left() - 14.0; x < tile.right(); x += 4.0) {
        p.drawLine(QPointF(x, tile.bottom()), QPointF(x + 14.0, tile.top()));
    }
    p.restore();
    p.setPen(thin);
    const qreal cx = p_bNext ? 24.5 : 9.5;
    const qreal dx = p_bNext ? 3.0 : -3.0;
    p.drawPolyline(QPolygonF({QPointF(cx - dx, 13.0), QPointF(cx + dx, 17.0), QPointF(cx - dx, 21.0)}));
}

void BubbleGlyph(QPainter& p)
{
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(7.5, 9.0, 19.0, 13.0), 4.0, 4.0);
    bubble.moveTo(12.0, 22.0);
    bubble.lineTo(11.0, 27.0);
    bubble.lineTo(16.5, 22.0);
    p.drawPath(bubble.simplified());
    for (const qreal x : {12.5, 17.0, 21.5}) {
        p.setBrush(p.pen().color());
        p.drawEllipse(QPointF(x, 15.5), 0.6, 0.6);
    }
    p.setBrush(Qt::NoBrush);
}

void StarGlyph(QPainter& p)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? 9.5 : 4.2;
        const qreal angle = -M_PI / 2.0 + i * M_PI / 5.0;
        star << QPointF(17.0 + radius * std::cos(angle), 17.8 + radius * std::sin(angle));
    }
    p.drawPolygon(star);
}

void WarningGlyph(QPainter& p)
{
    QPainterPath triangle = Triangle(QPointF(17.0, 7.5), QPointF(27.0, 25.5), QPointF(7.0, 25.5));
    p.drawPath(triangle);
    p.drawLine(QPointF(17.0, 13.5), QPointF(17.0, 19.0));
    p.setBrush(p.pen().color());
    p.drawEllipse(QPointF(17.0, 22.3), 0.5, 0.5);
    p.setBrush(Qt::NoBrush);
}

void PrinterGlyph(QPainter& p)
{
    p.drawRect(QRectF(11.5, 7.5, 11.0, 6.0));         // paper going in
    p.drawRoundedRect(QRectF(7.5, 13.5, 19.0, 9.5), 2.0, 2.0);
    p.drawRect(QRectF(11.5, 19.5, 11.0, 7.5));        // the printed sheet
    p.drawLine(QPointF(14.0, 23.0), QPointF(20.0, 23.0));
}

void HelpGlyph(QPainter& p)
{
    p.drawEllipse(QPointF(17.0, 17.0), 10.0, 10.0);
    p.setFont(SkinFont(14, true));
    p.drawText(QRectF(7.0, 7.5, 20.0, 20.0), Qt::AlignCenter, QStringLiteral("?"));
}

// A loudspeaker with sound waves, or crossed out.
void SpeakerGlyph(QPainter& p, bool p_bOn)
{
    QPainterPath body(QPointF(8.0, 14.0));
    body.lineTo(12.5, 14.0);
    body.lineTo(18.0, 9.0);
    body.lineTo(18.0, 25.0);
    body.lineTo(12.5, 20.0);
    body.lineTo(8.0, 20.0);
    body.closeSubpath();
    p.drawPath(body);
    if (p_bOn) {
        p.drawArc(QRectF(15.0, 12.0, 10.0, 10.0), -50 * 16, 100 * 16);
        p.drawArc(QRectF(13.0, 8.0, 16.0, 18.0), -55 * 16, 110 * 16);
    } else {
        p.drawLine(QPointF(21.5, 13.5), QPointF(27.5, 20.5));
        p.drawLine(QPointF(27.5, 13.5), QPointF(21.5, 20.5));
    }
}

void CloseGlyph(QPainter& p)
{
    p.drawLine(QPointF(8.5, 8.5), QPointF(17.5, 17.5));
    p.drawLine(QPointF(17.5, 8.5), QPointF(8.5, 17.5));
}

// ---- Pictures

// A glyph button: the plate under Over and Down, the glyph on top.
QImage GlyphPicture(const QSize& p_size, TState p_state, const TGlyph& p_glyph)
{
    QImage image = ClearImage(p_size.width(), p_size.height());
    QPainter p(&image);
    BeginGlyph(p, GlyphColor(p_state));
    if (p_state == TState::Over || p_state == TState::Down) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(p_state == TState::Over ? kPlateOver : kPlateDown);
        p.drawRoundedRect(QRectF(QPointF(0.5, 0.5), QSizeF(p_size) - QSizeF(1.0, 1.0)), 7.0, 7.0);
        p.restore();
    }
    if (p_state == TState::Down) {
        p.translate(0.0, 1.0);
    }
    p_glyph(p);
    return image;
}

// The play button: a round accent plate that lights on hover and darkens when pressed.
QImage PlayPicture(TState p_state, const TGlyph& p_glyph)
{
    QImage image = ClearImage(34, 34);
    QPainter p(&image);
    BeginGlyph(p, p_state == TState::Disable ? kGlyphDisabled : Qt::white);
    QColor plate = kAccent;
    if (p_state == TState::Over) {
        plate = kAccent.lighter(118);
    } else if (p_state == TState::Down) {
        plate = kAccent.darker(125);
    } else if (p_state == TState::Disable) {
        plate = QColor(0x3A, 0x41, 0x50);
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(plate);
    p.drawEllipse(QPointF(17.0, 17.0), 15.5, 15.5);
    p.restore();
    if (p_state == TState::Down) {
        p.translate(0.0, 1.0);
    }
    p_glyph(p);
    return image;
}

// A speed button, 59 x 24: a pill with an arrow and a word.
QImage SpeedPicture(TState p_state, bool p_bUp)
{
    QImage image = ClearImage(59, 24);
    QPainter p(&image);
    BeginGlyph(p, GlyphColor(p_state));
    const QRectF pill(0.5, 0.5, 58.0, 23.0);
    QColor face(0x23, 0x29, 0x35);
    QColor border(0x3A, 0x43, 0x54);
    if (p_state == TState::Over) {
        face = kPlateOver;
        border = QColor(0x4A, 0xA3, 0xFF);
    } else if (p_state == TState::Down) {
        face = kPlateDown;
    } else if (p_state == TState::Disable) {
        face = Qt::transparent;
        border = QColor(0x2C, 0x32, 0x3D);
    }
    p.save();
    p.setPen(QPen(border, 1.0));
    p.setBrush(face);
    p.drawRoundedRect(pill, 11.5, 11.5);
    p.restore();
    if (p_state == TState::Down) {
        p.translate(0.0, 1.0);
    }
    const QColor color = p.pen().color();
    const qreal tip = p_bUp ? 8.0 : 16.0;
    const qreal base = p_bUp ? 16.0 : 8.0;
    p.fillPath(Triangle(QPointF(9.0, base), QPointF(13.5, tip), QPointF(18.0, base)), color);
    p.setFont(SkinFont(11, true));
    p.drawText(QRectF(20.0, 0.0, 36.0, 24.0), Qt::AlignCenter, p_bUp ? QStringLiteral("빠르게") : QStringLiteral("느리게"));
    return image;
}

void AddSet(std::vector<TSkinPicture>& out, const QString& p_sSet, const std::function<QImage(TState)>& p_paint)
{
    for (const auto& [state, suffix] : kStates) {
        out.push_back({p_sSet + QLatin1String(suffix) + QStringLiteral(".png"), p_paint(state)});
    }
}

void AddGlyphSet(std::vector<TSkinPicture>& out, const QString& p_sSet, const QSize& p_size, const TGlyph& p_glyph)
{
    AddSet(out, p_sSet, [&](TState state) { return GlyphPicture(p_size, state, p_glyph); });
}

} // namespace

std::vector<TSkinPicture> MakeToolButtonPictures()
{
    std::vector<TSkinPicture> out;
    const QSize button(34, 34);
    // The play button's set shown while playing offers the pause; the one shown while paused
    // offers play.
    AddSet(out, QStringLiteral("imgPlay"), [](TState state) { return PlayPicture(state, PauseGlyph); });
    AddSet(out, QStringLiteral("imgPause"), [](TState state) { return PlayPicture(state, PlayGlyph); });
    AddSet(out, QStringLiteral("imgPlaySpeedUp"), [](TState state) { return SpeedPicture(state, true); });
    AddSet(out, QStringLiteral("imgPlaySpeedDown"), [](TState state) { return SpeedPicture(state, false); });
    AddGlyphSet(out, QStringLiteral("imgPlayPrev"), button, [](QPainter& p) { JumpGlyph(p, false); });
    AddGlyphSet(out, QStringLiteral("imgPlayNext"), button, [](QPainter& p) { JumpGlyph(p, true); });
    AddGlyphSet(out, QStringLiteral("imgEnLarge"), button, [](QPainter& p) { MagnifierGlyph(p, true); });
    AddGlyphSet(out, QStringLiteral("imgReduce"), button, [](QPainter& p) { MagnifierGlyph(p, false); });
    AddGlyphSet(out, QStringLiteral("imgSkinPrev"), button, [](QPainter& p) { SkinGlyph(p, false); });
    AddGlyphSet(out, QStringLiteral("imgSkinNext"), button, [](QPainter& p) { SkinGlyph(p, true); });
    AddGlyphSet(out, QStringLiteral("imgProposal"), button, BubbleGlyph);
    AddGlyphSet(out, QStringLiteral("imgEvaluation"), button, StarGlyph);
    AddGlyphSet(out, QStringLiteral("imgError"), button, WarningGlyph);
    AddGlyphSet(out, QStringLiteral("imgGrade"), button, PrinterGlyph);
    AddGlyphSet(out, QStringLiteral("imgHelp"), button, HelpGlyph);
    AddGlyphSet(out, QStringLiteral("imgClose"), QSize(26, 26), CloseGlyph);
    return out;
}

std::vector<TSkinPicture> MakeSoundPictures()
{
    const QSize button(34, 34);
    return {
        {QStringLiteral("imgSoundOn.png"), GlyphPicture(button, TState::Up, [](QPainter& p) { SpeakerGlyph(p, true); })},
        {QStringLiteral("imgSoundOff.png"), GlyphPicture(button, TState::Up, [](QPainter& p) { SpeakerGlyph(p, false); })},
    };
}
