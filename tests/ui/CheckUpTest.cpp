// The participation check-up with a seeded generator: the square's blink and countdown with its
// clock driven tick by tick, the learner's click, the pause that hides it, its place and its paint
// (read back from the pixels), the stand-by count that starts a run, and the forced close over
// whatever is open, with the real clock and the warning box answered by a real click.

#include "DialogDriver.h"
#include "FormTestSupport.h"

#include "ui/CheckUpPanel.h"
#include "ui/ControlRegistry.h"
#include "ui/MessageForm.h"
#include "ui/PaintBox.h"
#include "ui/Panel.h"
#include "ui/ProposalPanel.h"
#include "ui/StatusView.h"
#include "ui/ToolView.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QTest>

#include <algorithm>
#include <functional>
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

// The countdown each paint of the square drew, in order.
class TPaintLog : public QObject {
public:
    TPaintLog(QWidget* p_box, const TPlayerState& p_state) : m_state(p_state) { p_box->installEventFilter(this); }

    std::vector<int32_t> m_listCountdowns;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            m_listCountdowns.push_back(m_state.m_nFlickerCount);
        }
        return false;
    }

private:
    const TPlayerState& m_state;
};

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

// ---- In the window

class TCheckUpWindow : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        if (VoicePath().isEmpty()) {
            GTEST_SKIP() << "no mp3 encoder";
        }
        m_checkUpSeed = kSeed;
    }

    // Twenty-four seconds a page: no session ends under the test.
    QString VoicePath() const override { return Voice24Path(); }

    TCheckUpPanel& CheckUp() { return m_form->Overlays().CheckUp(); }
    bool SquareShown() { return CheckUp().paCheckUp->isVisible(); }
    void ClickSquare() { QTest::mouseClick(CheckUp().pbCheckUp, Qt::LeftButton, Qt::NoModifier, QPoint(24, 30)); }

    // A run started under the test; its ticks come only from the test.
    void StartSteppedRun(int32_t p_nCycles)
    {
        CheckUp().StartRun(p_nCycles);
        CheckUp().CheckUpTimer->setInterval(kHourMs);
    }
};

// The learner pauses with the play button during a run: the square goes, the run goes on, and
// its next showing brings the square back with the countdown one down.
TEST_F(TCheckUpWindow, PauseDuringARunHidesTheSquareUntilItsNextShowing)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const TPaintLog paints(CheckUp().pbCheckUp, form.State());
    StartSteppedRun(2);
    for (int tick = 1; tick <= 3; ++tick) {
        CheckUp().CheckUpTimerTimer();
    }
    ASSERT_TRUE(SquareShown());

    QTest::mouseClick(form.StatusBar().paToolView->btnPlay, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_FALSE(form.State().m_bPlaying);
    EXPECT_FALSE(SquareShown());
    EXPECT_TRUE(CheckUp().IsRunning());
    EXPECT_FALSE(form.Overlays().CheckUp().IsStandByEnabled());
    for (int tick = 4; tick <= 8; ++tick) {
        CheckUp().CheckUpTimerTimer();
        EXPECT_FALSE(SquareShown()) << "tick " << tick;
    }
    CheckUp().CheckUpTimerTimer();
    EXPECT_TRUE(SquareShown());
    EXPECT_EQ(paints.m_listCountdowns, (std::vector<int32_t>{2, 1}));
    EXPECT_TRUE(m_listMessages.empty());
}

// Only a supervised session that plays with nothing open over the board counts its stand-by
// ticks; there a run comes within 30 of them.
struct TStandByCase {
    const char* name;
    const char* launchText;
    bool paused;
    // What is open over the board: "", "panel", "inert" (a message or dialog of the player up),
    // "dialog" (a dialog window of the player).
    std::string open;
    bool runs;
};

void PrintTo(const TStandByCase& c, std::ostream* out)
{
    *out << c.name;
}

class TCheckUpStandBy : public TCheckUpWindow, public ::testing::WithParamInterface<TStandByCase> {};

TEST_P(TCheckUpStandBy, CountsOnlyWhileASupervisedSessionPlaysWithNothingOpen)
{
    const TStandByCase& c = GetParam();
    TForm1& form = StartForm(QString::fromLatin1(c.launchText));
    ASSERT_TRUE(form.State().m_bPlaying);
    if (c.paused) {
        QTest::mouseClick(form.StatusBar().paToolView->btnPlay, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        ASSERT_FALSE(form.State().m_bPlaying);
    }
    int ranAt = 0;
    const auto tickUntilARun = [&] {
        for (int tick = 1; tick <= 40 && ranAt == 0; ++tick) {
            CheckUp().StandByCheckUpTimerTimer();
            ranAt = CheckUp().IsRunning() ? tick : 0;
        }
    };
    if (c.open == "panel") {
        QTest::mouseClick(form.StatusBar().paToolView->btnProposal, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        ASSERT_TRUE(form.Overlays().paProposalView->isVisible());
        form.State().m_bPlaying = true;   // the panel alone holds the stand-by, not the pause it made
    } else if (c.open == "inert") {
        form.State().m_bActivateView = true;
    }
    if (c.open == "dialog") {
        // The ticks come inside the modal loop of a real message box of the player.
        m_bRealMessageBoxes = true;
        const TDialogDriver<QMessageBox> box(form, [&](QMessageBox& shown) {
            tickUntilARun();
            shown.done(QMessageBox::Ok);
        });
        form.Overlays().ShowMessage(TMessageKind::Information, QStringLiteral("알림"));
        ASSERT_EQ(box.Shown(), 1);
    } else {
        tickUntilARun();
    }
    if (!c.runs) {
        EXPECT_EQ(ranAt, 0);
        EXPECT_EQ(form.State().m_nCheckUpSleepCount, 0);
        EXPECT_FALSE(SquareShown());
        return;
    }
    EXPECT_GE(ranAt, kCheckUpWaitMin);
    EXPECT_LE(ranAt, kCheckUpWaitMax);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TCheckUpStandBy,
    ::testing::Values(TStandByCase{"supervised_playing", kTinyLaunchText, false, "", true},
                      TStandByCase{"free_study", "R&S1&U1&1&0&2&S9|,|1234&S9|,|57", false, "", false},
                      TStandByCase{"paused", kTinyLaunchText, true, "", false},
                      TStandByCase{"panel_open", kTinyLaunchText, false, "panel", false},
                      TStandByCase{"message_up", kTinyLaunchText, false, "inert", false},
                      TStandByCase{"dialog_open", kTinyLaunchText, false, "dialog", false}),
    [](const ::testing::TestParamInfo<TStandByCase>& info) { return std::string(info.param.name); });

// The run starts on the very tick the chosen wait ends, in its order (a new place, the countdown
// at 9, the clock); answered with a click, the next wait is counted from the start.
TEST_F(TCheckUpWindow, RunStartsAfterTheChosenNumberOfStandByTicksAndCountsAgainAfterAnAnswer)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    TPlayerState& state = form.State();
    CheckUp().StandByCheckUpTimerTimer();
    const int32_t wait = state.m_nCheckUpWaitCount;
    ASSERT_GE(wait, kCheckUpWaitMin);
    ASSERT_LE(wait, kCheckUpWaitMax);
    const QPoint before(state.RandomPositionX, state.RandomPositionY);
    for (int tick = 2; tick < wait; ++tick) {
        CheckUp().StandByCheckUpTimerTimer();
        ASSERT_FALSE(CheckUp().IsRunning()) << "tick " << tick << " of " << wait;
    }
    CheckUp().StandByCheckUpTimerTimer();
    ASSERT_TRUE(CheckUp().IsRunning());
    CheckUp().CheckUpTimer->setInterval(kHourMs);
    EXPECT_NE(QPoint(state.RandomPositionX, state.RandomPositionY), before);
    EXPECT_EQ(form.Overlays().CheckUp().paCheckUp->pos(), QPoint(state.RandomPositionX, state.RandomPositionY));
    EXPECT_EQ(state.m_nFlickerCount, kCheckUpCycles);
    EXPECT_EQ(state.m_nCheckUpTimeCount, 0);
    EXPECT_FALSE(form.Overlays().CheckUp().IsStandByEnabled());

    CheckUp().CheckUpTimerTimer();
    ASSERT_TRUE(SquareShown());
    ClickSquare();
    CheckUp().CheckUpTimerTimer();
    EXPECT_FALSE(CheckUp().IsRunning());
    EXPECT_TRUE(form.Overlays().CheckUp().IsStandByEnabled());
    EXPECT_EQ(form.Overlays().CheckUp().StandByCheckUpTimer->interval(), TCheckUpPanel::kStandByIntervalMs);
    CheckUp().StandByCheckUpTimerTimer();
    EXPECT_EQ(state.m_nCheckUpSleepCount, 1);
    EXPECT_EQ(state.m_nCheckUpRunCount, 1);
    EXPECT_TRUE(m_listMessages.empty());
}

// The first run brought forward runs on the real clocks: it comes once the session plays, shows
// its square, and a real click answers it; the stand-by then keeps its usual 30 s.
TEST_F(TCheckUpWindow, FirstRunBroughtForwardComesOnTheRealClockAndAClickAnswersIt)
{
    m_checkUpFirstRunMs = 300;
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_TRUE(WaitFor([&] { return SquareShown(); }, 5000)) << "no run came";
    EXPECT_EQ(form.State().m_nFlickerCount, kCheckUpCycles);
    ClickSquare();
    EXPECT_TRUE(WaitFor([&] { return !CheckUp().IsRunning(); }, 1000));
    EXPECT_TRUE(form.Overlays().CheckUp().IsStandByEnabled());
    EXPECT_EQ(CheckUp().StandByCheckUpTimer->interval(), TCheckUpPanel::kStandByIntervalMs);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(m_listMessages.empty());
}

// The learner pauses and plays again more often than the stand-by interval (as page changes do):
// the stand-by clock counts the playing time across the pauses, and the run comes all the same.
TEST_F(TCheckUpWindow, StandByCountsPlayingTimeAcrossPauses)
{
    m_checkUpFirstRunMs = 700;
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    TPictureButton* play = form.StatusBar().paToolView->btnPlay;
    int pauses = 0;
    while (pauses < 12 && !WaitFor([&] { return CheckUp().IsRunning(); }, 300)) {
        QTest::mouseClick(play, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        ASSERT_FALSE(form.State().m_bPlaying);
        QTest::mouseClick(play, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        ASSERT_TRUE(form.State().m_bPlaying);
        ++pauses;
    }
    EXPECT_TRUE(CheckUp().IsRunning()) << "no run after " << pauses << " pauses";
    EXPECT_GE(pauses, 1);
}

// A start-up that failed in supervised study has nothing to supervise: no stand-by, no run on the
// real clock, and the window stays until the learner closes it.
TEST_F(TCheckUpWindow, FailedStartUpStartsNoStandByAndNoRun)
{
    m_checkUpFirstRunMs = 100;
    const QString base = SessionBasePath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), "S1", "U1");
    for (const QString& key : {QStringLiteral("1234"), QStringLiteral("57")}) {
        const QString file = MakeLectureFileName(1, 0, key).value_or(QString());
        ASSERT_TRUE(QFile::remove(JoinPath(LectureFolder(base, file), QStringLiteral("lectureinfo.xml"))));
    }
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    ASSERT_FALSE(form.IsStartedUp());
    EXPECT_FALSE(form.State().m_bPlaying);
    EXPECT_FALSE(CheckUp().IsStandByEnabled());
    EXPECT_FALSE(WaitFor([&] { return CheckUp().IsRunning() || !form.isVisible(); }, 2500));
}

// ---- The forced close over what is open, on the real clock

class TCheckUpForcedClose : public TCheckUpWindow {
protected:
    void SetUp() override
    {
        TCheckUpWindow::SetUp();
        m_bRealMessageBoxes = true;
    }

    // Clicks OK on the warning box, the way the learner takes it away; questions are left to the test.
    void AnswerWarnings(TForm1& p_form)
    {
        m_warnings = std::make_unique<TDialogDriver<QMessageBox>>(p_form, [this](QMessageBox& box) {
            if (box.buttons().size() > 1) {
                return;
            }
            m_bWarningIcon = box.icon() == QMessageBox::Warning;
            m_sWarningText = box.text();
            QTest::mouseClick(box.buttons().first(), Qt::LeftButton);
        });
        CloseStuckDialogsAfter(p_form);
    }

    // Closed without a hand-off and silent afterwards, with the warning taken away by its click.
    void ExpectClosedWithNothingHandedOff(TForm1& p_form)
    {
        ASSERT_TRUE(WaitUntilClosed(10000)) << "the countdown ran out and the player stayed";
        EXPECT_EQ(m_warnings->Shown(), 1);
        EXPECT_TRUE(m_bWarningIcon);
        EXPECT_EQ(m_sWarningText, kForceOutText);
        EXPECT_TRUE(p_form.State().m_bCompulsionClose);
        EXPECT_TRUE(StaysSilent(p_form));
        EXPECT_FALSE(m_event.Wait(0));
        EXPECT_TRUE(m_listQuestions.empty());
        for (const QDialog* dialog : p_form.findChildren<QDialog*>()) {
            EXPECT_FALSE(dialog->isVisible()) << dialog->metaObject()->className();
        }
    }

    std::unique_ptr<TDialogDriver<QMessageBox>> m_warnings;
    bool m_bWarningIcon = false;
    QString m_sWarningText;
};

// A feedback panel over the board, the player inert under it.
TEST_F(TCheckUpForcedClose, OverAnOpenFeedbackPanel)
{
    TForm1& form = StartForm(QString::fromLatin1(kTinyLaunchText));
    AnswerWarnings(form);
    QTest::mouseClick(form.StatusBar().paToolView->btnProposal, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_TRUE(form.Overlays().paProposalView->isVisible());
    ASSERT_TRUE(form.State().m_bActivateView);
    CheckUp().StartRun(0);
    ExpectClosedWithNothingHandedOff(form);
    EXPECT_FALSE(form.Overlays().paProposalView->isVisible());
}

// ---- A run under the player's own dialogs, on the real clock inside their modal loops

// Six seconds a page: the self-study question comes at 4 s, and the session outlasts the test.
QString Voice6Path()
{
    static const QTemporaryDir folder;
    static const QString path = JoinPath(folder.path(), QStringLiteral("voice6.mp3"));
    static const bool made = HaveMp3Tools() && MakeMp3(path, 6 * 8000, 8000);
    return made ? path : QString();
}

// The dialogs of the player that can come up during a run: what brings one up the way a learner
// (or the playback) does, and how the learner cancels it.
struct TDialogCase {
    const char* name;
    const char* launchText;
    int lectureType;
    std::function<void(TForm1&)> bringUp;                 // none: the playback brings it up
    std::function<bool(TForm1&)> isUp;
    std::function<void(TForm1&)> cancel;
};

void PrintTo(const TDialogCase& c, std::ostream* out)
{
    *out << c.name;
}

template <class TDialog>
TDialog* ShownDialog(TForm1& p_form)
{
    for (TDialog* dialog : p_form.findChildren<TDialog*>()) {
        if (dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

std::vector<TDialogCase> DialogCases()
{
    return {
        {"self_study", kTinySelfStudyLaunchText, 2, nullptr,
         [](TForm1& form) { return ShownDialog<TMessageForm>(form) != nullptr; },
         [](TForm1& form) {
             if (TMessageForm* question = ShownDialog<TMessageForm>(form)) {
                 QTest::mouseClick(question->btnCancel, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
             }
         }},
        {"close_question", kTinyLaunchText, 1,
         [](TForm1& form) {
             QTest::mouseMove(form.Board().scBox->viewport(), QPoint(640, 5));   // the title bar comes
             QTest::mouseClick(form.TitleBar().btnClose, Qt::LeftButton, Qt::NoModifier, QPoint(13, 13));
         },
         [](TForm1& form) { return ShownDialog<QMessageBox>(form) != nullptr; },
         [](TForm1& form) {
             QMessageBox* box = ShownDialog<QMessageBox>(form);
             for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>()) {
                 if (box->buttonRole(button) == QMessageBox::RejectRole) {
                     QTest::mouseClick(button, Qt::LeftButton);
                 }
             }
         }},
        {"print_dialog", kTinyLaunchText, 1,
         [](TForm1& form) {
             QTest::mouseClick(form.StatusBar().paToolView->btnGrade, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
         },
         [](TForm1& form) { return ShownDialog<QPrintDialog>(form) != nullptr; },
         [](TForm1& form) {
             if (QPrintDialog* print = ShownDialog<QPrintDialog>(form)) {
                 print->reject();
             }
         }},
    };
}

class TCheckUpUnderDialog : public TCheckUpForcedClose, public ::testing::WithParamInterface<TDialogCase> {};

// The square cannot be clicked under a modal dialog: a run of N = 0 (gone in under 2 s when left
// alone) stands still, hidden, for 3 s under it; after Cancel the square comes back with its
// countdown, and a real click answers it.
TEST_P(TCheckUpUnderDialog, StandsStillAndGoesOnAfterCancel)
{
    const TDialogCase& c = GetParam();
    ASSERT_TRUE(WriteTinySession(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), Voice6Path(),
                                 c.lectureType));
    TForm1& form = StartForm(QString::fromLatin1(c.launchText));
    AnswerWarnings(form);
    bool held = false;
    bool shownUnder = false;
    int32_t countdownUnder = kCheckUpAnswered;
    bool countdownMoved = false;
    // Inside the dialog's modal loop: the run starts, the real clock ticks for 3 s, then Cancel.
    QTimer look;
    look.setInterval(50);
    QObject::connect(&look, &QTimer::timeout, &form, [&] {
        if (held || !c.isUp(form)) {
            return;
        }
        if (countdownUnder == kCheckUpAnswered) {
            CheckUp().StartRun(0);
            countdownUnder = form.State().m_nFlickerCount;
            QTimer::singleShot(3000, &form, [&] {
                held = true;
                c.cancel(form);
            });
        }
        shownUnder = shownUnder || SquareShown();
        countdownMoved = countdownMoved || form.State().m_nFlickerCount != countdownUnder;
    });
    look.start();
    if (c.bringUp) {
        QTimer::singleShot(0, &form, [&] { c.bringUp(form); });
    }
    ASSERT_TRUE(WaitFor([&] { return held; }, 20000)) << "the dialog never came";
    look.stop();
    EXPECT_TRUE(form.isVisible()) << "closed under the dialog";
    EXPECT_FALSE(shownUnder);
    EXPECT_FALSE(countdownMoved);
    ASSERT_TRUE(WaitFor([&] { return SquareShown(); }, 2000)) << "the square did not come back";
    EXPECT_EQ(form.State().m_nFlickerCount, 0);
    ClickSquare();
    EXPECT_TRUE(WaitFor([&] { return !CheckUp().IsRunning(); }, 1000));
    EXPECT_FALSE(WaitFor([&] { return !form.isVisible(); }, 2500)) << "forced out after the answer";
    EXPECT_TRUE(m_sWarningText.isEmpty()) << m_sWarningText.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, TCheckUpUnderDialog, ::testing::ValuesIn(DialogCases()),
                         [](const ::testing::TestParamInfo<TDialogCase>& info) { return std::string(info.param.name); });

} // namespace
