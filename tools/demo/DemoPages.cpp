// The four pages of the demo. Every command is placed on the narration's time line: a phrase's
// start and end, or a point inside it where the words about that object are spoken (the
// fraction is the share of the phrase's syllables said before it).

#include "DemoPages.h"

#include "DemoPictures.h"
#include "PacketScript.h"

#include <QByteArray>

#include <stdexcept>
#include <string>

namespace {

// Palette indexes.
constexpr int kWhite = 1, kBlack = 6, kNavy = 18, kSteel = 24, kSkyPale = 26, kLeaf = 36, kLeafPale = 38,
              kPeach = 56, kApricot = 57, kOrange = 58, kCrimson = 60, kGold = 62, kYellow = 63, kCyan = 66,
              kBlue = 67;

// Commands may run until shortly before the voice ends, so the page's last frame has them all.
constexpr double kEndMarginMs = 300.0;

QRectF Grow(const QRectF& box, double by) { return box.adjusted(-by, -by, by, by); }

TDemoPage NewPage(const TPageVoice& voice, const QString& boardType, QSize board)
{
    TDemoPage page;
    page.id = voice.id;
    page.boardType = boardType;
    page.board = board;
    page.voice = voice.mp3;
    page.voiceMs = voice.lengthMs;
    return page;
}

void Finish(TDemoPage& page, const TPacketScript& script)
{
    page.packets = script.ToFileBytes();
    page.lastCommandMs = script.LastMs();
    if (page.lastCommandMs > page.voiceMs - kEndMarginMs)
        throw std::logic_error("demo page " + page.id.toStdString() + " draws until "
                               + std::to_string(page.lastCommandMs) + " ms, past the end of its voice");
}

// Pythagoras, part 1: the triangle, its sides and the theorem, on a lined note.
TDemoPage IntroPage(const TPageVoice& v)
{
    TDemoPage page = NewPage(v, "WhiteNote", QSize(1024, 720));
    TPacketScript s;
    const TInk frame{kNavy, 3}, label{kBlue, 3};
    const QPointF top(150, 180), corner(150, 520), right(470, 520);
    s.Line(v.At("hello", 0.30), top, corner, frame);
    s.Line(v.At("hello", 0.55), corner, right, frame);
    s.Line(v.At("hello", 0.80), right, top, frame);
    s.Line(v.At("hello", 0.95), QPointF(150, 494), QPointF(176, 494), TInk{kNavy, 2});
    s.Line(v.At("hello", 0.95), QPointF(176, 494), QPointF(176, 520), TInk{kNavy, 2});

    // "... 두 변을 에이와 비, 빗변을 씨라고 ...": each letter as it is named.
    s.Write("a", QPointF(96, 318), 46, label, v.At("sides", 0.38), v.At("sides", 0.47));
    s.Write("b", QPointF(292, 532), 46, label, v.At("sides", 0.52), v.At("sides", 0.61));
    s.Write("c", QPointF(326, 296), 46, label, v.At("sides", 0.70), v.At("sides", 0.79));
    s.Pointer({{v.At("sides", 0.10), QPointF(190, 260)},
               {v.At("sides", 0.40), QPointF(126, 372)},
               {v.At("sides", 0.54), QPointF(318, 584)},
               {v.At("sides", 0.72), QPointF(356, 348)}},
              v.End("sides"));

    const TWriting theorem =
        s.Write("a^2+b^2=c^2", QPointF(560, 250), 56, TInk{kNavy, 3}, v.At("formula", 0.12), v.At("formula", 0.95));

    // "꼭 기억하세요!": a red frame and a badge that hops to the end of the formula.
    s.Shape(v.At("remember", 0.0), ShapeType::RoundRectangle, Grow(theorem.bounds, 18),
            TShapeStyle{false, true, kWhite, kCrimson, 3, 1, 100});
    const uint32_t badge = s.Marker(v.At("remember", 0.2), PopBlinkerType::Important,
                                    QPointF(theorem.bounds.left() - 70, theorem.bounds.top() - 14));
    s.Move(v.At("remember", 0.8), kMarkerMove, badge,
           QPointF(theorem.bounds.right() + 30, theorem.bounds.top() - 14));
    Finish(page, s);
    return page;
}

// Pythagoras, part 2: a worked example on a chalk board taller than the screen.
TDemoPage ExamplePage(const TPageVoice& v)
{
    TDemoPage page = NewPage(v, "BlackBoard", QSize(1280, 2000));
    TPacketScript s;
    const TInk chalk{kWhite, 3}, yellow{kYellow, 3};
    const double h = 64;

    // "예를 들어 에이가 삼, 비가 사이면,"
    s.Write("a=3", QPointF(120, 120), h, chalk, v.At("given", 0.25), v.At("given", 0.60));
    s.Write("b=4", QPointF(440, 120), h, chalk, v.At("given", 0.62), v.End("given") + 300);

    // "삼 제곱 더하기 사 제곱은 / 구 더하기 십육, / 이십오입니다." A slip of the chalk: 26 is
    // written, the 6 taken back and a 5 written in its place.
    const QPointF line2(120, 300);
    const TWriting squares = s.Write("3^2+4^2", line2, h, chalk, v.At("sum", 0.02), v.At("sum", 0.44));
    const QPointF sumAt(squares.bounds.right() + 24, line2.y());
    const TWriting sum = s.Write("=9+16", sumAt, h, chalk, v.At("sum", 0.46), v.At("sum", 0.80));
    const QPointF totalAt(sum.bounds.right() + 24, line2.y());
    const TWriting total = s.Write("=2", totalAt, h, yellow, v.At("sum", 0.82), v.At("sum", 0.95));
    const QPointF lastDigit(totalAt.x() + HandwritingAdvance("=2", h), line2.y());
    s.WriteMore(total.drawNo, "6", lastDigit, h, v.At("sum", 0.95), v.End("sum") + 300);
    s.Add(v.End("sum") + 450, kStrokesUndo, total.drawNo);
    s.WriteMore(total.drawNo, "5", lastDigit, h, v.End("sum") + 550, v.End("sum") + 950);

    // "아래에 이어서 쓸게요.": the view scrolls down, a dashed rule marks the new part.
    s.Scroll(v.At("down", 0.05), QPointF(0, 640));
    const uint32_t eyes = s.Marker(v.At("down", 0.25), PopBlinkerType::PopEyes, QPointF(1150, 700));
    s.Line(v.At("down", 0.5), QPointF(100, 1000), QPointF(1180, 1000), TInk{kCyan, 2}, 2, 1);

    // "씨 제곱이 이십오이니 / 씨는 오입니다." The answer goes below the visible part, so the view
    // follows the chalk; then it is made larger and nudged into place.
    s.Write("c^2=25", QPointF(120, 1100), h, chalk, v.At("answer", 0.0), v.At("answer", 0.55));
    s.Line(v.At("answer", 0.58), QPointF(200, 1200), QPointF(200, 1560), yellow, 1, 3);
    const TWriting answer =
        s.Write("c=5", QPointF(140, 1600), 72, yellow, v.At("answer", 0.62), v.End("answer") + 300);
    const QRectF grown(answer.bounds.topLeft(), answer.bounds.size() * 1.5);
    s.Resize(v.End("answer") + 500, kStrokesResize, answer.drawNo, grown);
    s.Add(v.End("answer") + 650, kMarkerDelete, eyes);
    s.Move(v.End("answer") + 900, kStrokesMove, answer.drawNo, grown.topLeft() + QPointF(40, 0));
    Finish(page, s);
    return page;
}

// (x + 1)^2, part 1: expanding on a white board, with arrows and a pointer.
TDemoPage ExpandPage(const TPageVoice& v)
{
    TDemoPage page = NewPage(v, "WhiteBorad", QSize(1024, 720));
    TPacketScript s;
    const TInk ink{kBlack, 3}, red{kCrimson, 2}, blue{kBlue, 2};
    const double h = 64;
    const QPointF row1(70, 110);

    // "이번에는 엑스 더하기 일의 제곱을 전개해 봅시다."
    const TWriting square = s.Write("(x+1)^2", row1, h, ink, v.At("intro", 0.20), v.At("intro", 0.70));
    s.Pointer({{v.At("intro", 0.74), QPointF(square.bounds.left() + 20, square.bounds.bottom() + 14)},
               {v.At("intro", 0.86), QPointF(square.bounds.right() - 20, square.bounds.bottom() + 14)}},
              v.End("intro"));

    // "같은 식을 두 번 곱하고,"
    const QPointF equalsAt(square.bounds.right() + 26, row1.y());
    const TWriting twice = s.Write("=(x+1)(x+1)", equalsAt, h, ink, v.At("twice", 0.0), v.End("twice") + 1300);
    // Middles of the two factors, where the arrow between them starts and ends.
    const double firstFactor = equalsAt.x() + (HandwritingAdvance("=", h) + HandwritingAdvance("=(x+1)", h)) / 2;
    const double secondFactor =
        equalsAt.x() + (HandwritingAdvance("=(x+1)", h) + HandwritingAdvance("=(x+1)(x+1)", h)) / 2;
    const double under = twice.bounds.bottom() + 22;

    // "정리하면 엑스 제곱 더하기 이 엑스 더하기 일입니다."
    s.Line(v.At("result", 0.0), QPointF(firstFactor, under), QPointF(secondFactor, under), red, 1, 4);
    const QPointF row2(equalsAt.x(), 300);
    s.Line(v.At("result", 0.08), QPointF(square.bounds.center().x(), under), QPointF(row2.x() - 14, row2.y() + 30),
           red, 1, 3);
    const TWriting result = s.Write("=x^2+2x+1", row2, h, ink, v.At("result", 0.18), v.At("result", 0.86));
    const double twoX = row2.x() + HandwritingAdvance("=x^2+", h) + h * 0.55;
    s.Line(v.At("result", 0.88), QPointF(row2.x(), result.bounds.bottom() + 18),
           QPointF(result.bounds.right(), result.bounds.bottom() + 18), TInk{kCrimson, 2}, 2, 1);
    const QPointF note(twoX + 70, result.bounds.bottom() + 70);
    s.Line(v.At("result", 0.91), QPointF(twoX, result.bounds.bottom() + 26), note + QPointF(-6, 4), blue, 1, 2);
    s.Write("x+x", note, 40, TInk{kBlue, 2}, v.At("result", 0.94), v.End("result") + 500);
    Finish(page, s);
    return page;
}

QByteArray RichTextFile()
{
    // The text tag's last attribute ends in a quote directly followed by ">", and no quote
    // before it is: the reader wraps the content in a character data section right there.
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<root>\n"
                          "<text fontfamily=\"NanumGothic\" bold=\"true\" fontsize=\"20\" colorindex=\"18\" "
                          "opacity=\"100\">정리: (x + 1)² = x² + 2x + 1\n"
                          "식 & 넓이: 두 방법 모두 같은 값!</text>\n"
                          "</root>\n")
        .toUtf8();
}

// (x + 1)^2, part 2: the area model with shapes, a picture, rich text, a marker and a clip, on
// a board with its own picture (graph paper).
TDemoPage AreaPage(const TPageVoice& v)
{
    TDemoPage page = NewPage(v, "LectureImage", QSize(1024, 720));
    page.boardPictureExt = ".png";
    page.boardPicture = MakeGraphPaperPng(page.board);
    const QRectF pictureBox(600, 420, 140, 140), textBox(560, 200, 420, 110), clipBox(560, 330, 160, 60);
    page.resources = {
        {1, "PngImage", MakeAreaCardPng(160), pictureBox},
        {2, "RichXML", RichTextFile(), textBox},
        {3, "MP3", LoadDemoChime(), clipBox},
    };
    TPacketScript s;
    const TShapeStyle big{true, true, kSkyPale, kSteel, 2, 1, 100};
    const TShapeStyle strip{true, true, kLeafPale, kLeaf, 2, 1, 100};
    const TShapeStyle unit{true, true, kPeach, kOrange, 2, 1, 100};

    // "넓이로 보면 / 큰 정사각형 하나, / 직사각형 두 개, / 작은 정사각형 하나입니다."
    const uint32_t square = s.Shape(v.At("shapes", 0.17), ShapeType::Rectangle, QRectF(100, 110, 200, 200), big);
    s.Resize(v.At("shapes", 0.24), kShapeResize, square, QRectF(100, 110, 240, 240));
    s.Shape(v.At("shapes", 0.35), ShapeType::Rectangle, QRectF(340, 110, 80, 240), strip);
    s.Shape(v.At("shapes", 0.45), ShapeType::Rectangle, QRectF(100, 350, 240, 80), strip);
    const uint32_t one = s.Shape(v.At("shapes", 0.60), ShapeType::Rectangle, QRectF(600, 470, 80, 80), unit);
    s.Move(v.At("shapes", 0.70), kShapeMove, one, QPointF(340, 350));
    const uint32_t ring = s.Shape(v.At("shapes", 0.74), ShapeType::Ellipse, QRectF(318, 328, 124, 124),
                                  TShapeStyle{false, true, kWhite, kCrimson, 3, 2, 100});
    const TInk label{kNavy, 2};
    s.Write("x", QPointF(205, 58), 40, label, v.At("shapes", 0.76), v.At("shapes", 0.81));
    s.Write("1", QPointF(372, 62), 36, label, v.At("shapes", 0.82), v.At("shapes", 0.86));
    s.Write("x", QPointF(52, 205), 40, label, v.At("shapes", 0.87), v.At("shapes", 0.92));
    s.Write("1", QPointF(66, 372), 36, label, v.At("shapes", 0.93), v.End("shapes"));
    s.Add(v.End("shapes") + 150, kShapeDelete, ring);

    // "정리한 내용을 확인하세요."
    s.Shape(v.At("summary", 0.0), ShapeType::RightArrow, QRectF(452, 236, 90, 56),
            TShapeStyle{true, true, kApricot, kOrange, 2, 1, 90});
    s.Place(v.At("summary", 0.08), kRichTextCreate, 2, textBox);
    s.Place(v.At("summary", 0.12), kClipCreate, 3, clipBox);
    const uint32_t card = s.Place(v.At("summary", 0.25), kPictureCreate, 1, pictureBox);
    s.Resize(v.At("summary", 0.45), kPictureResize, card, QRectF(600, 420, 180, 180));
    s.Marker(v.At("summary", 0.55), PopBlinkerType::FireWork, QPointF(930, 166));
    s.Move(v.At("summary", 0.65), kPictureMove, card, QPointF(620, 400));
    s.Shape(v.At("summary", 0.85), ShapeType::Star, QRectF(850, 470, 80, 80),
            TShapeStyle{true, true, kGold, kOrange, 2, 1, 100});
    Finish(page, s);
    return page;
}

} // namespace

std::vector<TDemoLecture> BuildDemoLectures()
{
    const std::map<QString, TPageVoice> voices = LoadDemoVoices();
    const auto voice = [&](const QString& id) -> const TPageVoice& { return voices.at(id); };
    return {
        {"1234", {IntroPage(voice("intro")), ExamplePage(voice("example"))}},
        {"57", {ExpandPage(voice("expand")), AreaPage(voice("area"))}},
    };
}
