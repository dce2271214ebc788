#include "ui/CheckUpPanel.h"

#include "ui/ControlRegistry.h"
#include "ui/PaintBox.h"
#include "ui/Panel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace {

const QString kForceOutMessage = QStringLiteral("학습 참여 여부가 확인되지 않아 강제 종료합니다.");
// The Korean monospace face of the skin, bold at 24 points.
const QStringList kCountdownFamilies = {QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding")};
constexpr int kCountdownPointSize = 24;
constexpr QPoint kCountdownReference{23, 8};

// The square takes its click from the paint box.
class TCheckUpPaintBox : public TPaintBox {
public:
    TCheckUpPaintBox(QWidget* parent, std::function<void()> p_onClick)
        : TPaintBox(parent, QStringLiteral("pbCheckUp")), m_onClick(std::move(p_onClick))
    {
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            m_onClick();
        }
    }

private:
    std::function<void()> m_onClick;
};

} // namespace

TCheckUpPanel::TCheckUpPanel(QWidget* p_boardArea, TControlRegistry& p_registry, TPlayerState& p_state,
                             TCheckUpRandom& p_random, TCheckUpHooks p_hooks)
    : paCheckUp(new TPanel(p_boardArea, QStringLiteral("paCheckUp"), Qt::white)),
      StandByCheckUpTimer(new QTimer(p_boardArea)),
      CheckUpTimer(new QTimer(p_boardArea)),
      m_state(p_state),
      m_random(p_random),
      m_hooks(std::move(p_hooks))
{
    paCheckUp->setGeometry(390, 308, kSquareSize, kSquareSize);
    paCheckUp->hide();
    p_registry.Register(paCheckUp, TControlKind::Panel);
    pbCheckUp = new TCheckUpPaintBox(paCheckUp, [this] { pbCheckUpClick(); });
    pbCheckUp->setGeometry(0, 0, kSquareSize, kSquareSize);
    pbCheckUp->SetOnPaint([this](QPainter& painter, const QRegion&) { pbCheckUpPaint(painter); });
    p_registry.Register(pbCheckUp, TControlKind::PaintBox);

    StandByCheckUpTimer->setObjectName(QStringLiteral("StandByCheckUpTimer"));
    StandByCheckUpTimer->setInterval(kStandByIntervalMs);
    QObject::connect(StandByCheckUpTimer, &QTimer::timeout, paCheckUp, [this] { StandByCheckUpTimerTimer(); });
    CheckUpTimer->setObjectName(QStringLiteral("CheckUpTimer"));
    CheckUpTimer->setTimerType(Qt::PreciseTimer);
    CheckUpTimer->setInterval(kCheckUpIntervalMs);
    QObject::connect(CheckUpTimer, &QTimer::timeout, paCheckUp, [this] { CheckUpTimerTimer(); });
}

// The place is anywhere on the primary screen above the status bar, in the board area's
// coordinates; the visibility stays as it is.
void TCheckUpPanel::UM_MOVE_CHECKUP_PANEL()
{
    m_random.Reseed();
    const QSize screen = m_hooks.ScreenSize();
    m_state.RandomPositionX = m_random.Below(screen.width() - kSquareSize);
    m_state.RandomPositionY = m_random.Below(screen.height() - m_hooks.StatusBarHeight() - kSquareSize);
    PlaceSquare();
}

void TCheckUpPanel::UM_SHOW_CHECKUP_PANEL(int p_wParam)
{
    if (p_wParam != 0) {
        PlaceSquare();
        paCheckUp->show();
        paCheckUp->raise();
        pbCheckUp->repaint();   // every showing draws a new pattern and the current countdown
        return;
    }
    paCheckUp->hide();
    PlaceSquare();
}

void TCheckUpPanel::UM_FORCE_OUT_MESSAGE()
{
    if (m_hooks.IsClosing()) {
        return;
    }
    m_hooks.StopSound();
    Hide();
    m_state.m_bActivateView = true;
    m_hooks.ShowWarning(kForceOutMessage);
    m_hooks.ForceClose();
}

void TCheckUpPanel::CheckUpTimerTimer()
{
    if (m_hooks.IsClosing()) {
        CheckUpTimer->stop();
        return;
    }
    if (!GoesOnAfterDialogs()) {
        return;
    }
    switch (CheckUpTick(m_state)) {
    case TCheckUpStep::Answered:
        CheckUpTimer->stop();
        UM_SHOW_CHECKUP_PANEL(0);
        // Stand-by counts playing time only: a run answered while paused waits for play.
        SetStandByEnabled(m_state.m_bPlaying);
        break;
    case TCheckUpStep::ForceOut:
        CheckUpTimer->stop();
        UM_FORCE_OUT_MESSAGE();
        break;
    case TCheckUpStep::Hide:
        UM_SHOW_CHECKUP_PANEL(0);
        break;
    case TCheckUpStep::Show:
        UM_SHOW_CHECKUP_PANEL(1);
        break;
    case TCheckUpStep::None:
        break;
    }
}

// Under a dialog of the player nobody can click the square: the run stands still, the square
// hidden, its countdown and blink where they were, and goes on from there once the dialog is gone.
bool TCheckUpPanel::GoesOnAfterDialogs()
{
    if (m_hooks.IsModalDialogUp()) {
        m_bHeldByDialog = true;
        paCheckUp->hide();
        return false;
    }
    if (m_bHeldByDialog) {
        m_bHeldByDialog = false;
        if (m_state.m_nFlickerCount != kCheckUpAnswered) {
            UM_SHOW_CHECKUP_PANEL(1);
        }
    }
    return true;
}

void TCheckUpPanel::StandByCheckUpTimerTimer()
{
    RestartStandByInterval(m_nStandByIntervalMs);
    const bool canRun = !IsRunning() && !m_hooks.IsClosing() && m_hooks.CanStartRun();
    if (StandByTick(m_state, m_random, canRun)) {
        StartRun();
    }
}

void TCheckUpPanel::StartRun(int32_t p_nCycles)
{
    StandByCheckUpTimer->stop();   // the next wait is counted once this run is answered
    m_bHeldByDialog = false;
    RestartStandByInterval(kStandByIntervalMs);
    UM_MOVE_CHECKUP_PANEL();
    BeginCheckUpRun(m_state, p_nCycles);
    CheckUpTimer->start();
}

bool TCheckUpPanel::IsRunning() const
{
    return CheckUpTimer->isActive();
}

void TCheckUpPanel::EndRun()
{
    CheckUpTimer->stop();
    m_bHeldByDialog = false;
    UM_SHOW_CHECKUP_PANEL(0);
}

void TCheckUpPanel::BringFirstRunForward(int p_nIntervalMs)
{
    m_state.m_nCheckUpWaitCount = 1;
    m_state.m_nCheckUpSleepCount = 0;
    RestartStandByInterval(p_nIntervalMs);
}

// A full interval from now; a clock that runs goes on with it at once.
void TCheckUpPanel::RestartStandByInterval(int p_nIntervalMs)
{
    m_nStandByIntervalMs = p_nIntervalMs;
    m_nStandByPlayedMs = 0;
    m_standBySince.start();
    StandByCheckUpTimer->setInterval(p_nIntervalMs);
}

void TCheckUpPanel::pbCheckUpPaint(QPainter& p_painter)
{
    m_random.Reseed();
    if (m_state.m_nFlickerCount == kCheckUpAnswered) {
        return;
    }
    const auto channel = [this](int base, int bound) { return base + m_random.Below(bound); };
    const int penRed = channel(0, 155);
    const int penGreen = channel(0, 155);
    const int penBlue = channel(0, 155);
    p_painter.setPen(QPen(QColor(penRed, penGreen, penBlue), 2));
    p_painter.setBrush(Qt::white);
    // The outline runs through pixels 1 and 47, the last inside (48, 48); the 2 pixel pen covers
    // 0 to 1 and 46 to 47, up to the noise on every side.
    p_painter.drawRect(QRect(QPoint(1, 1), QPoint(kSquareSize - 2, kSquareSize - 2)));

    for (int x = 2; x <= 45; ++x) {
        for (int y = 2; y <= 45; ++y) {
            const int red = channel(0, 255);
            const int green = channel(0, 255);
            const int blue = channel(0, 255);
            p_painter.setPen(QColor(red, green, blue));
            p_painter.drawPoint(x, y);
        }
    }

    const int textRed = channel(100, 155);
    const int textGreen = channel(100, 155);
    const int textBlue = channel(100, 155);
    p_painter.setBrush(Qt::NoBrush);
    p_painter.setPen(QColor(textRed, textGreen, textBlue));
    QFont font;
    font.setFamilies(kCountdownFamilies);
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(kCountdownPointSize);
    font.setBold(true);
    p_painter.setFont(font);
    // Centred on the reference point, top edge on it.
    const QString text = QString::number(m_state.m_nFlickerCount);
    const int width = p_painter.fontMetrics().horizontalAdvance(text);
    p_painter.drawText(QRect(kCountdownReference.x() - width / 2, kCountdownReference.y(), width,
                             p_painter.fontMetrics().height()),
                       Qt::AlignLeft | Qt::AlignTop, text);
}

// The next tick ends the run.
void TCheckUpPanel::pbCheckUpClick()
{
    m_state.m_nFlickerCount = kCheckUpAnswered;
    paCheckUp->hide();
}

void TCheckUpPanel::Hide()
{
    paCheckUp->hide();
}

// Playback switches the clock off at every pause and page change: it keeps what was played of
// the interval and, switched on again, runs only the rest, so the ticks count playing time and
// pages shorter than the interval do not put them off for ever.
void TCheckUpPanel::SetStandByEnabled(bool p_bEnabled)
{
    if (!p_bEnabled || m_hooks.IsClosing()) {
        if (StandByCheckUpTimer->isActive()) {
            m_nStandByPlayedMs = std::min<qint64>(m_nStandByPlayedMs + m_standBySince.elapsed(), m_nStandByIntervalMs - 1);
            StandByCheckUpTimer->stop();
        }
    } else if (!StandByCheckUpTimer->isActive()) {
        StandByCheckUpTimer->start(static_cast<int>(m_nStandByIntervalMs - m_nStandByPlayedMs));
        m_standBySince.start();
    }
}

bool TCheckUpPanel::IsStandByEnabled() const
{
    return StandByCheckUpTimer->isActive();
}

void TCheckUpPanel::PlaceSquare()
{
    paCheckUp->setGeometry(m_state.RandomPositionX, m_state.RandomPositionY, kSquareSize, kSquareSize);
}
