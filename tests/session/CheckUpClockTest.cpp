// The stand-by count of the participation check-up: a run is due after the number of ticks chosen
// for the wait (10 to 30), ticks that cannot count leave the count alone, and after a run a new
// wait is chosen. The seeded generator repeats itself.

#include "session/CheckUpClock.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Ticks until a run is due; 0 when none came within p_nLimit ticks.
int TicksUntilRun(TPlayerState& p_state, TCheckUpRandom& p_random, int p_nLimit = 100)
{
    for (int tick = 1; tick <= p_nLimit; ++tick) {
        if (StandByTick(p_state, p_random, true)) {
            return tick;
        }
    }
    return 0;
}

} // namespace

TEST(CheckUpStandBy, RunIsDueAfterTheChosenWaitAndTicksThatCannotCountLeaveItAlone)
{
    TPlayerState state;
    TCheckUpRandom random(7);
    ASSERT_FALSE(StandByTick(state, random, true));
    const int32_t wait = state.m_nCheckUpWaitCount;
    ASSERT_GE(wait, kCheckUpWaitMin);
    ASSERT_LE(wait, kCheckUpWaitMax);

    // Paused, another study mode or something open over the board: the count stands.
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(StandByTick(state, random, false));
    }
    EXPECT_EQ(state.m_nCheckUpSleepCount, 1);
    EXPECT_EQ(state.m_nCheckUpWaitCount, wait);

    for (int tick = 2; tick < wait; ++tick) {
        ASSERT_FALSE(StandByTick(state, random, true)) << "tick " << tick << " of " << wait;
    }
    EXPECT_TRUE(StandByTick(state, random, true));
    EXPECT_EQ(state.m_nCheckUpRunCount, 1);

    // The next wait is chosen afresh and counted from the start.
    EXPECT_EQ(state.m_nCheckUpSleepCount, 0);
    const int next = TicksUntilRun(state, random);
    EXPECT_GE(next, kCheckUpWaitMin);
    EXPECT_LE(next, kCheckUpWaitMax);
    EXPECT_EQ(state.m_nCheckUpRunCount, 2);
}

// Over many seeds the waits reach both ends of 10 to 30 ticks and nothing outside; the same seed
// gives the same waits.
TEST(CheckUpStandBy, WaitsCoverTenToThirtyTicksAndRepeatWithTheSeed)
{
    std::set<int> waits;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        TPlayerState state;
        TCheckUpRandom random(seed);
        const int wait = TicksUntilRun(state, random);
        waits.insert(wait);

        TPlayerState again;
        TCheckUpRandom same(seed);
        EXPECT_EQ(TicksUntilRun(again, same), wait) << "seed " << seed;
    }
    EXPECT_EQ(*waits.begin(), kCheckUpWaitMin);
    EXPECT_EQ(*waits.rbegin(), kCheckUpWaitMax);
    EXPECT_EQ(waits.size(), static_cast<size_t>(kCheckUpWaitMax - kCheckUpWaitMin + 1));
}
