// The framed board placed for each zoom (centred while it fits, at the left or top edge once
// larger than the screen), the board surface following the zoom, the wheel's fixed step, and the
// desk and frame pictures on the window's pixels.

#include "FormTestSupport.h"

#include "ui/JumpSlider.h"
#include "ui/ExScrollBox.h"
#include "ui/PaintBox.h"
#include "ui/SeekBar.h"
#include "ui/StatusMessage.h"
#include "ui/StatusView.h"

#include "draw/DrawManager.h"
#include "platform/graphics/GPGraphics.h"
#include "session/FileUtil.h"

#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QWheelEvent>

namespace {

struct TZoomCase {
    int steps;             // zoom-in steps from 100 %
    QRect frame;           // paFrameView in the scroll box's content
    QString statusText;
};

// Test names and logs show the zoom steps, not the case's bytes.
void PrintTo(const TZoomCase& c, std::ostream* out)
{
    *out << c.steps << " zoom steps";
}

class TZoomPlacement : public TFormTest, public ::testing::WithParamInterface<TZoomCase> {};

// Screen 1280 x 800, status bar 105 high and shown, board 640 x 480: the frame is the board
// at the zoom plus 20 on every side.
TEST_P(TZoomPlacement, FrameIsCentredWhileItFitsAndAtTheEdgeOnceLarger)
{
    const TZoomCase& c = GetParam();
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_TRUE(form.IsStartedUp());
    for (int i = 0; i < c.steps; ++i) {
        form.Engine().ResizeingImage(true);
    }
    EXPECT_EQ(form.Board().paFrameView->geometry(), c.frame);
    const QSize board = c.frame.size() - QSize(2 * kBoardFrameMargin, 2 * kBoardFrameMargin);
    EXPECT_EQ(form.Board().paLectureView->geometry(), QRect(QPoint(kBoardFrameMargin, kBoardFrameMargin), board));
    EXPECT_EQ(form.Board().pbDraw->size(), board);
    EXPECT_EQ(form.Engine().GetBoardImage().size(), board);
    EXPECT_EQ(form.StatusText().text(), c.statusText);
}

INSTANTIATE_TEST_SUITE_P(
    Zoom, TZoomPlacement,
    ::testing::Values(
        // (800 - 520 - 105) / 2 = 87.5 rounds to the even 88.
        TZoomCase{0, QRect(300, 88, 680, 520), QString()},
        // 872 x 664: (800 - 664 - 105) / 2 = 15.5 rounds to 16.
        TZoomCase{3, QRect(204, 16, 872, 664), QStringLiteral("화면 크기 : 130%")},
        // 1000 x 760 is taller than the 695 above the status bar: top edge, still centred across.
        TZoomCase{5, QRect(140, 0, 1000, 760), QStringLiteral("화면 크기 : 150%")},
        // 1320 x 1000: larger both ways.
        TZoomCase{10, QRect(0, 0, 1320, 1000), QStringLiteral("화면 크기 : 200%")},
        // A step beyond 200 % keeps the zoom and says 200 again.
        TZoomCase{11, QRect(0, 0, 1320, 1000), QStringLiteral("화면 크기 : 200%")}),
    [](const ::testing::TestParamInfo<TZoomCase>& info) { return std::to_string(info.param.steps) + "Steps"; });

TEST_F(TFormTest, ZoomingBackOutReturnsTheCentredFrame)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    for (int i = 0; i < 10; ++i) {
        form.Engine().ResizeingImage(true);
    }
    for (int i = 0; i < 11; ++i) {
        form.Engine().ResizeingImage(false);
    }
    EXPECT_EQ(form.State().m_viewRatio, 1.0f);
    EXPECT_EQ(form.Board().paFrameView->geometry(), QRect(300, 88, 680, 520));
    EXPECT_EQ(form.StatusText().text(), QStringLiteral("화면 크기 : 100%"));
}

void SendWheel(QWidget* p_target, QPoint p_angleDelta)
{
    QWheelEvent event(QPointF(5, 5), p_target->mapToGlobal(QPointF(5, 5)), QPoint(), p_angleDelta, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(p_target, &event);
}

TEST_F(TFormTest, EveryWheelEventScrollsTwentyPixelsWhereverItTurns)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    for (int i = 0; i < 10; ++i) {
        form.Engine().ResizeingImage(true);
    }
    QScrollBar* bar = form.Board().scBox->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 200);
    QSlider* seek = form.StatusBar().scbPlay->Track();
    const int seekPosition = seek->value();

    struct TWheel {
        QWidget* target;
        QPoint delta;
        int expected;
    };
    bar->setValue(100);
    const TWheel turns[] = {
        {form.Board().scBox->viewport(), {0, 120}, 80},     // away from the user: up
        {form.Board().scBox->viewport(), {0, 240}, 60},     // a fast turn still moves 20
        {form.Board().pbDraw, {0, -120}, 80},               // towards the user: down
        {form.Board().pbDraw, {0, -480}, 100},
        {form.Board().scBox->viewport(), {0, 0}, 80},       // a zero delta counts as away
        {seek, {0, -120}, 100},                     // over the seek bar: the board scrolls, not the bar
        {form.Board().scBox->viewport(), {120, 0}, 100},    // a sideways turn is not the wheel
    };
    for (const TWheel& turn : turns) {
        SendWheel(turn.target, turn.delta);
        EXPECT_EQ(bar->value(), turn.expected) << turn.target->objectName().toStdString() << " " << turn.delta.x()
                                               << "," << turn.delta.y();
    }
    EXPECT_EQ(seek->value(), seekPosition);
}

// What the board surface shows, wherever it was scrolled to, is the engine's board: the parts
// the engine left to render later are rendered before they are painted.
TEST_F(TFormTest, BoardSurfaceShowsTheWholeBoardAfterAZoomRebuild)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    // At 1 s the page's stroke is written.
    form.State().m_bClickTabLecturePage = true;
    form.State().m_intCurrentMilesSecond = 1000;
    form.Engine().ScbPlayMovePositionUntilReDraw(1000);
    for (int i = 0; i < 10; ++i) {
        form.Engine().ResizeingImage(true);
    }
    ASSERT_GT(form.Engine().GetDrawManager().GetCount(), 0);
    form.Board().scBox->verticalScrollBar()->setValue(form.Board().scBox->verticalScrollBar()->maximum());

    const QImage shown = form.Board().pbDraw->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage expected(form.Board().pbDraw->size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::white);
    {
        TGPGraphics graphics(&expected);
        form.Engine().Board().PaintBoard(graphics);
    }
    EXPECT_TRUE(shown == expected.convertToFormat(QImage::Format_RGB32));
}

// A program folder of pictures whose every pixel tells where it came from: a desk of 8 x 8
// different pixels, a corner piece of its own colour for each frame set, and a bottom-right piece
// of 20 x 20 different pixels for the lined note.
class TFramePictures {
public:
    static constexpr QRgb kWhiteNoteCorner = 0xFFC03020;
    static constexpr QRgb kWhiteBoardCorner = 0xFF20A040;
    static constexpr QRgb kNoSetCorner = 0xFF2040C0;

    TFramePictures()
    {
        QDir().mkpath(Image(QString()));
        m_desk = Gradient(8, 100);
        m_bottomRight = Gradient(20, 200);
        m_desk.save(Image("back0.png"));
        m_bottomRight.save(Image("WhiteNoteFrameRB.png"));
        Solid(kWhiteNoteCorner).save(Image("WhiteNoteFrameLT.png"));
        Solid(kWhiteBoardCorner).save(Image("WhiteBoardFrameLT.png"));
        Solid(kNoSetCorner).save(Image("LT.png"));
    }

    QString Folder() const { return m_dir.path(); }
    const QImage& Desk() const { return m_desk; }
    const QImage& BottomRight() const { return m_bottomRight; }

private:
    QString Image(const QString& name) const { return JoinPath(m_dir.path(), "image", name); }

    static QImage Gradient(int size, int blue)
    {
        QImage image(size, size, QImage::Format_RGB32);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                image.setPixel(x, y, qRgb(10 + 12 * x, 10 + 12 * y, blue));
            }
        }
        return image;
    }

    static QImage Solid(QRgb color)
    {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(color);
        return image;
    }

    QTemporaryDir m_dir;
    QImage m_desk;
    QImage m_bottomRight;
};

// The desk and the frame pieces land on the window's pixels: the desk's pixel (0, 0) is the
// picture's (0, 0), the corners are drawn exactly at (0, 0) and (W - 20, H - 20).
TEST_F(TFormTest, DeskAndFramePiecesLandOnTheWindowsPixels)
{
    const TFramePictures pictures;
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText), pictures.Folder());
    ASSERT_TRUE(form.IsStartedUp());

    const QImage desk = form.Board().scBox->viewport()->grab().toImage();
    EXPECT_EQ(desk.pixel(0, 0), pictures.Desk().pixel(0, 0));
    const QImage frame = form.Board().paFrameView->grab().toImage();
    const int W = frame.width();
    const int H = frame.height();
    int deskMisses = 0;
    int topLeftMisses = 0;
    int bottomRightMisses = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            deskMisses += desk.pixel(x, y) != pictures.Desk().pixel(x % 8, y % 8) ? 1 : 0;
            topLeftMisses += frame.pixel(x, y) != TFramePictures::kWhiteNoteCorner ? 1 : 0;
            bottomRightMisses += frame.pixel(W - 20 + x, H - 20 + y) != pictures.BottomRight().pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(deskMisses, 0);
    EXPECT_EQ(topLeftMisses, 0);
    EXPECT_EQ(bottomRightMisses, 0);
}

// The frame set follows the board type text; any other text loads the pieces without a set name.
TEST_F(TFormTest, FrameSetFollowsTheBoardTypeText)
{
    const TFramePictures pictures;
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText), pictures.Folder());
    struct Case {
        const char* text;
        QRgb corner;
    };
    const Case cases[] = {
        {"WhiteNote", TFramePictures::kWhiteNoteCorner},   {"BlackBoard", TFramePictures::kWhiteBoardCorner},
        {"LectureImage", TFramePictures::kWhiteBoardCorner}, {"WhiteBorad", TFramePictures::kNoSetCorner},
        {"whitenote", TFramePictures::kNoSetCorner},       {"", TFramePictures::kNoSetCorner},
    };
    for (const Case& c : cases) {
        form.Board().SetFrameImage(JoinPath(pictures.Folder(), QStringLiteral("image")), QString::fromLatin1(c.text));
        EXPECT_EQ(form.Board().paFrameView->grab().toImage().pixel(10, 10), c.corner) << '"' << c.text << '"';
    }
}

} // namespace
