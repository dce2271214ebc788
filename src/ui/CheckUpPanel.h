#pragma once
// The participation check-up of supervised study: a small square with a noisy, colourful pattern
// and a countdown that blinks at a random place over the board until the learner clicks it. A
// countdown that runs out tells the learner and closes the player without handing anything off.
// The square lives in the board area above the scrolled board, so scrolling never takes it away.
// The three handlers carry the names of the window messages that drive the square.

#include "session/CheckUpClock.h"

#include <QElapsedTimer>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;
class QTimer;
class QWidget;
class TControlRegistry;
class TPaintBox;
class TPanel;

// What the check-up needs of the main window.
struct TCheckUpHooks {
    std::function<void()> StopSound;
    std::function<void(const QString& p_sText)> ShowWarning;   // modal, returns once closed
    std::function<void()> ForceClose;                          // closes without asking or hand-off
    std::function<bool()> IsClosing;
    std::function<bool()> CanStartRun;   // playing in supervised study, nothing open over the board
    std::function<bool()> IsModalDialogUp;   // a dialog of the player hides the square from the mouse
    std::function<QSize()> ScreenSize;
    std::function<int()> StatusBarHeight;
};

class TCheckUpPanel {
public:
    static constexpr int kSquareSize = 48;
    static constexpr int kStandByIntervalMs = 30000;
    static constexpr int kCheckUpIntervalMs = 200;

    TCheckUpPanel(QWidget* p_boardArea, TControlRegistry& p_registry, TPlayerState& p_state,
                  TCheckUpRandom& p_random, TCheckUpHooks p_hooks);

    // The three window messages.
    void UM_MOVE_CHECKUP_PANEL();
    void UM_SHOW_CHECKUP_PANEL(int p_wParam);
    void UM_FORCE_OUT_MESSAGE();

    void CheckUpTimerTimer();
    void StandByCheckUpTimerTimer();
    void pbCheckUpPaint(QPainter& p_painter);
    void pbCheckUpClick();

    // A run: a new place, the countdown at p_nCycles, the blink clock started.
    void StartRun(int32_t p_nCycles = kCheckUpCycles);
    bool IsRunning() const;
    // The run under way ends without a forced close: supervision was lifted.
    void EndRun();
    // The next stand-by tick that may count starts a run, and the ticks come p_nIntervalMs apart
    // until one has: a quick first run for tests and demonstrations.
    void BringFirstRunForward(int p_nIntervalMs);
    // StopSound takes the square away; a run going on shows it again at its next showing.
    void Hide();
    void SetStandByEnabled(bool p_bEnabled);
    bool IsStandByEnabled() const;

    TPanel* paCheckUp;
    TPaintBox* pbCheckUp;
    QTimer* StandByCheckUpTimer;
    QTimer* CheckUpTimer;

private:
    void PlaceSquare();
    // false while a dialog of the player holds the run.
    bool GoesOnAfterDialogs();
    void RestartStandByInterval(int p_nIntervalMs);

    TPlayerState& m_state;
    TCheckUpRandom& m_random;
    TCheckUpHooks m_hooks;
    // The stand-by clock counts playing time: the interval between two of its ticks, how much of
    // it was played before the clock last stopped, and since when it runs again.
    int m_nStandByIntervalMs = kStandByIntervalMs;
    qint64 m_nStandByPlayedMs = 0;
    QElapsedTimer m_standBySince;
    bool m_bHeldByDialog = false;   // the run stood still under a dialog at its last tick
};
