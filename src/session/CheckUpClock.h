#pragma once
// The counting of the participation check-up, apart from its widgets: the random generator of
// the square's place and pattern, the blink and countdown rule of a run, and the stand-by count
// that decides when the next run starts.

#include "session/PlayerState.h"

#include <cstdint>
#include <optional>
#include <random>

// The one random generator of the check-up. The player's reseeds itself from the clock at every
// move, paint and stand-by tick; one made with a seed (tests) keeps its own sequence instead, so
// every result can be repeated.
class TCheckUpRandom {
public:
    TCheckUpRandom();
    explicit TCheckUpRandom(uint32_t p_nSeed);

    void Reseed();
    // A random integer 0 <= r < p_nBound; 0 for a bound of 0 or less.
    int32_t Below(int32_t p_nBound);

private:
    std::mt19937 m_engine;
    bool m_bFixedSeed;
};

// What one tick of the blink and countdown clock asks of the window.
enum class TCheckUpStep {
    None,      // nothing this tick
    Show,      // show the square with the current countdown
    Hide,      // hide the square (the countdown has gone down by one)
    Answered,  // the learner clicked: stop the clock, hide the square, stand by again
    ForceOut,  // the countdown ran out: stop the clock and close the player
};

inline constexpr int32_t kCheckUpAnswered = -999;
// Blink cycles of a run: the countdown starts at 9, so the learner has (8 * 9 + 9) ticks.
inline constexpr int32_t kCheckUpCycles = 9;
// Stand-by ticks of playing before a run: 10 to 30 (5 to 15 minutes).
inline constexpr int32_t kCheckUpWaitMin = 10;
inline constexpr int32_t kCheckUpWaitMax = 30;

// One tick of a running check-up; changes the countdown and the tick count.
TCheckUpStep CheckUpTick(TPlayerState& p_state);

// One tick of the stand-by clock. p_bCanRun: playing in supervised study with nothing open over
// the board. Counts the tick and gives true when a run is due; a tick that cannot count leaves
// the count as it was.
bool StandByTick(TPlayerState& p_state, TCheckUpRandom& p_random, bool p_bCanRun);

// Starts the counting of a run: the countdown at p_nCycles, the tick count at 0.
void BeginCheckUpRun(TPlayerState& p_state, int32_t p_nCycles);
