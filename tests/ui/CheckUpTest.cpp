// The participation check-up with a seeded generator: the square's blink and countdown with its
// clock driven tick by tick, the learner's click, the pause that hides it, its place and its paint
// (read back from the pixels). The check-up in the window is in CheckUpWindowTest.cpp.

#include "CheckUpPaintLog.h"
#include "FormTestSupport.h"

#include "ui/CheckUpPanel.h"
#include "ui/ControlRegistry.h"
#include "ui/PaintBox.h"
#include "ui/Panel.h"
#include "ui/ProposalPanel.h"
#include "ui/StatusView.h"

#include <QPainter>
#include <QTest>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>

namespace {

constexpr uint32_t kSeed = 17;
constexpr int kTickMs = TCheckUpPanel::kCheckUpIntervalMs;
constexpr int kHourMs = 3600000;
constexpr int kSquare = TCheckUpPanel::kSquareSize;
const QSize kScreenSize(1280, 800);
constexpr int kStatusBarHeight = 105;
const QString kForceOutText = QStringLiteral("학습 참여 여부가 확인되지 않아 강제 종료합니다.");
const QRgb kUnpainted = qRgb(255, 0, 255);


// A square on a board area of its own, its window's side recorded: what it stopped, said and
// closed, in order.
class TCheckUpSquare : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_board.resize(kScreenSize.width(), kScreenSize.height() - kStatusBarHeight);
        TCheckUpHooks hooks;
        hooks.StopSound = [this] { m_listDone.emplace_back("stop sound"); };
        hooks.ShowWarning = [this](const QString& text) { m_listDone.push_back("warn: " + text.toStdString()); };
        hooks.ForceClose = [this] { m_listDone.emplace_back("force close"); };
        hooks.IsClosing = [this] { return m_bClosing; };
        hooks.CanStartRun = [] { return true; };
        hooks.IsModalDialogUp = [this] { return m_bDialogUp; };
        hooks.ScreenSize = [] { return kScreenSize; };
        hooks.StatusBarHeight = [] { return kStatusBarHeight; };
        m_panel = std::make_unique<TCheckUpPanel>(&m_board, m_registry, m_state, m_random, std::move(hooks));
        m_board.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_board));
    }

    // A run of p_nCycles; from here on only the test's ticks arrive.
    void StartRun(int32_t p_nCycles)
    {
        m_panel->StartRun(p_nCycles);
        m_panel->CheckUpTimer->setInterval(kHourMs);
    }

    bool SquareShown() const { return m_panel->paCheckUp->isVisible(); }

    QWidget m_board;
    TControlRegistry m_registry;
    TPlayerState m_state;
    TCheckUpRandom m_random{kSeed};
    std::unique_ptr<TCheckUpPanel> m_panel;
    bool m_bClosing = false;
    bool m_bDialogUp = false;
    std::vector<std::string> m_listDone;
};

// ---- The blink and the countdown

struct TRunCase {
    int32_t cycles;
    int closeAtMs;
    std::vector<int32_t> shown;   // the countdown of each showing
};

void PrintTo(const TRunCase& c, std::ostream* out)
{
    *out << "N = " << c.cycles;
}

class TCheckUpRun : public TCheckUpSquare, public ::testing::WithParamInterface<TRunCase> {};

// Shown at ticks 1 to 7 of every 8, hidden at the 8th with the countdown one down, and once it
// has gone below 0 the next tick stops the playback, warns and closes, in that order.
TEST_P(TCheckUpRun, BlinksTheCountdownAndClosesOnceItRunsOut)
{
    const TRunCase& c = GetParam();
    const TPaintLog paints(m_panel->pbCheckUp, m_state);
    StartRun(c.cycles);
    EXPECT_FALSE(SquareShown());
    EXPECT_EQ(m_panel->paCheckUp->geometry(), QRect(m_state.RandomPositionX, m_state.RandomPositionY, kSquare, kSquare));

    std::string seen;
    std::string expected;
    int tick = 0;
    while (m_listDone.empty() && tick < 200) {
        ++tick;
        m_panel->CheckUpTimerTimer();
        seen += SquareShown() ? '#' : '.';
        expected += tick % 8 != 0 && tick < 8 * (c.cycles + 1) ? '#' : '.';
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(tick * kTickMs, c.closeAtMs);
    EXPECT_EQ(paints.m_listCountdowns, c.shown);
    EXPECT_EQ(m_listDone, (std::vector<std::string>{"stop sound", "warn: " + kForceOutText.toStdString(), "force close"}));
    EXPECT_FALSE(m_panel->IsRunning());
    EXPECT_TRUE(m_state.m_bActivateView);
}

INSTANTIATE_TEST_SUITE_P(Countdowns, TCheckUpRun,
                         ::testing::Values(TRunCase{0, 1800, {0}}, TRunCase{2, 5000, {2, 1, 0}}));

// A window that is closing already: the next tick only stops the clock.
TEST_F(TCheckUpSquare, TickOfAClosingWindowOnlyStopsTheClock)
{
    StartRun(0);
    for (int tick = 0; tick < 8; ++tick) {
        m_panel->CheckUpTimerTimer();
    }
    m_bClosing = true;
    m_panel->CheckUpTimerTimer();
    EXPECT_FALSE(m_panel->IsRunning());
    EXPECT_TRUE(m_listDone.empty());
}

// Under a dialog of the player nobody can reach the square: the run neither blinks nor counts
// down, the square stays hidden and nothing closes; once the dialog is gone the square shows
// again with the countdown where it stood.
TEST_F(TCheckUpSquare, HeldByADialogStandsStillAndGoesOnWhereItStood)
{
    StartRun(0);
    m_panel->CheckUpTimerTimer();
    m_panel->CheckUpTimerTimer();   // the first showing
    ASSERT_TRUE(SquareShown());
    const int32_t ticks = m_state.m_nCheckUpTimeCount;
    m_bDialogUp = true;
    for (int tick = 0; tick < 50; ++tick) {
        m_panel->CheckUpTimerTimer();
    }
    EXPECT_FALSE(SquareShown());
    EXPECT_EQ(m_state.m_nCheckUpTimeCount, ticks);
    EXPECT_EQ(m_state.m_nFlickerCount, 0);
    EXPECT_TRUE(m_panel->IsRunning());
    EXPECT_TRUE(m_listDone.empty());

    m_bDialogUp = false;
    m_panel->CheckUpTimerTimer();
    EXPECT_TRUE(SquareShown());
    EXPECT_EQ(m_state.m_nFlickerCount, 0);
    for (int tick = 0; tick < 10 && m_panel->IsRunning(); ++tick) {
        m_panel->CheckUpTimerTimer();
    }
    EXPECT_EQ(m_listDone, (std::vector<std::string>{"stop sound", "warn: " + kForceOutText.toStdString(), "force close"}));
}

// ---- The click

class TCheckUpClick : public TCheckUpSquare, public ::testing::WithParamInterface<bool> {};

// Clicked at tick 5: the square goes at once; the next tick ends the run without a word, and the
// stand-by clock runs again only while the voice plays.
TEST_P(TCheckUpClick, HidesAtOnceAndTheNextTickStandsByAgain)
{
    m_state.m_bPlaying = GetParam();
    StartRun(kCheckUpCycles);
    EXPECT_FALSE(m_panel->IsStandByEnabled());
    for (int tick = 1; tick <= 5; ++tick) {
        m_panel->CheckUpTimerTimer();
    }
    ASSERT_TRUE(SquareShown());

    QTest::mouseClick(m_panel->pbCheckUp, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    EXPECT_FALSE(SquareShown());
    EXPECT_TRUE(m_panel->IsRunning());

    m_panel->CheckUpTimerTimer();
    EXPECT_FALSE(m_panel->IsRunning());
    EXPECT_EQ(m_panel->IsStandByEnabled(), m_state.m_bPlaying);
    EXPECT_FALSE(SquareShown());
    EXPECT_TRUE(m_listDone.empty());
    EXPECT_FALSE(m_state.m_bActivateView);
}

INSTANTIATE_TEST_SUITE_P(PlayingOrPaused, TCheckUpClick, ::testing::Bool());

// ---- The place

// Anywhere on the screen above the status bar, the whole square on it; the visibility stays.
TEST_F(TCheckUpSquare, ThousandSeededMovesStayInsideTheScreenAboveTheStatusBar)
{
    const int xBound = kScreenSize.width() - kSquare;
    const int yBound = kScreenSize.height() - kStatusBarHeight - kSquare;
    QRect reached(m_state.RandomPositionX, m_state.RandomPositionY, 1, 1);
    int outside = 0;
    for (int move = 0; move < 1000; ++move) {
        if (move == 500) {
            m_panel->UM_SHOW_CHECKUP_PANEL(1);
        }
        m_panel->UM_MOVE_CHECKUP_PANEL();
        const QPoint at(m_state.RandomPositionX, m_state.RandomPositionY);
        outside += at.x() < 0 || at.x() >= xBound || at.y() < 0 || at.y() >= yBound;
        reached |= QRect(at, QSize(1, 1));
        ASSERT_EQ(m_panel->paCheckUp->geometry(), QRect(at, QSize(kSquare, kSquare)));
        ASSERT_EQ(SquareShown(), move >= 500);
    }
    EXPECT_EQ(outside, 0);
    // Spread over the whole range, not stuck in a corner.
    EXPECT_LT(reached.left(), 40);
    EXPECT_GT(reached.right(), xBound - 40);
    EXPECT_LT(reached.top(), 40);
    EXPECT_GT(reached.bottom(), yBound - 40);
}

// ---- The paint

// One paint of the square with a generator of the seed, on a picture of its own.
QImage PaintSquare(uint32_t p_nSeed, int32_t p_nCountdown)
{
    QWidget board;
    TControlRegistry registry;
    TPlayerState state;
    TCheckUpRandom random(p_nSeed);
    TCheckUpPanel panel(&board, registry, state, random, TCheckUpHooks());
    state.m_nFlickerCount = p_nCountdown;
    QImage image(kSquare, kSquare, QImage::Format_RGB32);
    image.fill(kUnpainted);
    QPainter painter(&image);
    panel.pbCheckUpPaint(painter);
    return image;
}

// The colours a paint with the seed draws, drawn again from a generator of the same seed: the
// frame's three numbers, the noise's three for each pixel (x outside, y inside), the text's three.
struct TPaintColours {
    QRgb frame = 0;
    std::vector<QRgb> noise;
    QRgb text = 0;
};

TPaintColours ColoursOf(uint32_t p_nSeed)
{
    TCheckUpRandom random(p_nSeed);
    const auto colour = [&](int base, int bound) {
        const int red = base + random.Below(bound);
        const int green = base + random.Below(bound);
        return qRgb(red, green, base + random.Below(bound));
    };
    TPaintColours colours;
    colours.frame = colour(0, 155);
    for (int i = 0; i < 44 * 44; ++i) {
        colours.noise.push_back(colour(0, 255));
    }
    colours.text = colour(100, 155);
    return colours;
}

// The pixels drawn in exactly the text's colour: the digits' full-coverage pixels.
std::vector<QPoint> TextPixels(const QImage& p_image, QRgb p_text)
{
    std::vector<QPoint> pixels;
    for (int y = 0; y < p_image.height(); ++y) {
        for (int x = 0; x < p_image.width(); ++x) {
            if (p_image.pixel(x, y) == p_text) {
                pixels.emplace_back(x, y);
            }
        }
    }
    return pixels;
}

QRect Bounds(const std::vector<QPoint>& p_points)
{
    QRect bounds;
    for (const QPoint& point : p_points) {
        bounds |= QRect(point, QSize(1, 1));
    }
    return bounds;
}

// The digits' full-coverage pixels, moved so that their centre of mass is near (0, 0). A few pixels
// at the glyphs' edges, nearly covered over noise of nearly the text's colour, come out in the
// text's colour too: shapes are compared by how many pixels they do not share.
std::set<std::pair<int, int>> Shape(const std::vector<QPoint>& p_points)
{
    QPointF sum;
    for (const QPoint& point : p_points) {
        sum += point;
    }
    const QPoint centre = p_points.empty() ? QPoint() : (sum / static_cast<qreal>(p_points.size())).toPoint();
    std::set<std::pair<int, int>> shape;
    for (const QPoint& point : p_points) {
        shape.emplace(point.x() - centre.x(), point.y() - centre.y());
    }
    return shape;
}

// The pixels the shapes do not share, with the second moved by up to 2 pixels each way (the
// centres of mass may round apart) to where they share the most.
size_t Unshared(const std::set<std::pair<int, int>>& p_a, const std::set<std::pair<int, int>>& p_b)
{
    size_t fewest = p_a.size() + p_b.size();
    for (int dx = -2; dx <= 2; ++dx) {
        for (int dy = -2; dy <= 2; ++dy) {
            std::set<std::pair<int, int>> moved;
            for (const auto& [x, y] : p_b) {
                moved.emplace(x + dx, y + dy);
            }
            std::vector<std::pair<int, int>> differ;
            std::set_symmetric_difference(p_a.begin(), p_a.end(), moved.begin(), moved.end(), std::back_inserter(differ));
            fewest = std::min(fewest, differ.size());
        }
    }
    return fewest;
}

// The number drawn on its own in the countdown's face (bold Korean monospace, 24 points).
std::set<std::pair<int, int>> ReferenceShape(int32_t p_nNumber)
{
    QImage image(96, 96, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QFont font;
    font.setFamilies({QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding")});
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(24);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(10, 10, 80, 80), Qt::AlignLeft | Qt::AlignTop, QString::number(p_nNumber));
    painter.end();
    return Shape(TextPixels(image, qRgb(255, 255, 255)));
}

// The frame in its colour, every noise pixel the text leaves free in exactly the colour drawn for
// it, and the countdown's digits centred on x = 23 with their top below y = 8.
TEST(CheckUpPaint, FrameNoiseAndCountdownComeInTheirOrderFromTheGenerator)
{
    for (const uint32_t seed : {1u, 2u, 99u}) {
        const QImage image = PaintSquare(seed, 7);
        const TPaintColours colours = ColoursOf(seed);
        // Two pixels wide on every side, up to the noise.
        for (const int rim : {0, 1, 46, 47}) {
            for (const QPoint& at : {QPoint(rim, 24), QPoint(24, rim)}) {
                EXPECT_EQ(image.pixel(at), colours.frame) << "seed " << seed << " at " << at.x() << "," << at.y();
            }
        }
        const QRect text = Bounds(TextPixels(image, colours.text));
        ASSERT_FALSE(text.isEmpty()) << "seed " << seed;
        EXPECT_NEAR(text.center().x(), 23.5, 2.0) << "seed " << seed;
        EXPECT_GE(text.top(), 8);
        int matching = 0;
        int offText = 0;
        for (int x = 2; x <= 45; ++x) {
            for (int y = 2; y <= 45; ++y) {
                const bool same = image.pixel(x, y) == colours.noise[static_cast<size_t>((x - 2) * 44 + (y - 2))];
                matching += same;
                offText += !same && !text.adjusted(-1, -1, 1, 1).contains(x, y);
            }
        }
        EXPECT_EQ(offText, 0) << "seed " << seed;
        EXPECT_GT(matching, 44 * 44 - text.width() * text.height() - 4 * (text.width() + text.height()));
    }
}

// The countdown on the pixels: the shape in the text's colour is, whatever the seed, that of its
// own number drawn alone, and far from that of any other number.
TEST(CheckUpPaint, ShowsTheCountdownDigits)
{
    std::vector<std::set<std::pair<int, int>>> references;
    for (int32_t number = 0; number <= kCheckUpCycles; ++number) {
        references.push_back(ReferenceShape(number));
    }
    for (const uint32_t seed : {kSeed, kSeed + 1}) {
        for (int32_t countdown = 0; countdown <= kCheckUpCycles; ++countdown) {
            const auto shape = Shape(TextPixels(PaintSquare(seed, countdown), ColoursOf(seed).text));
            ASSERT_GT(shape.size(), 20u) << countdown;
            std::vector<size_t> unshared;
            for (const auto& reference : references) {
                unshared.push_back(Unshared(shape, reference));
            }
            const auto best = std::min_element(unshared.begin(), unshared.end());
            EXPECT_EQ(best - unshared.begin(), countdown) << "seed " << seed;
            EXPECT_LT(*best, shape.size() / 10) << "seed " << seed << ", countdown " << countdown;
        }
    }
}

// Different seeds paint different patterns and frames; the player's own generator, reseeded from
// the clock, paints a new one at every showing; an answered square paints nothing.
TEST(CheckUpPaint, EachSeedAndEachShowingPaintsItsOwnPattern)
{
    EXPECT_NE(PaintSquare(1, 5), PaintSquare(2, 5));
    EXPECT_EQ(PaintSquare(1, 5), PaintSquare(1, 5));
    EXPECT_NE(ColoursOf(1).frame, ColoursOf(2).frame);

    QWidget board;
    TControlRegistry registry;
    TPlayerState state;
    TCheckUpRandom clockSeeded;
    TCheckUpPanel panel(&board, registry, state, clockSeeded, TCheckUpHooks());
    QImage first(kSquare, kSquare, QImage::Format_RGB32);
    QImage second = first;
    for (QImage* image : {&first, &second}) {
        image->fill(kUnpainted);
        QPainter painter(image);
        panel.pbCheckUpPaint(painter);
    }
    EXPECT_NE(first, second);

    QImage blank(kSquare, kSquare, QImage::Format_RGB32);
    blank.fill(kUnpainted);
    EXPECT_EQ(PaintSquare(1, kCheckUpAnswered), blank);
}

} // namespace
