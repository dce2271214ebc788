#include "session/CheckUpClock.h"

#include <chrono>

namespace {

uint32_t ClockSeed()
{
    return static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

} // namespace

TCheckUpRandom::TCheckUpRandom() : m_engine(ClockSeed()), m_bFixedSeed(false) {}

TCheckUpRandom::TCheckUpRandom(uint32_t p_nSeed) : m_engine(p_nSeed), m_bFixedSeed(true) {}

void TCheckUpRandom::Reseed()
{
    if (!m_bFixedSeed) {
        m_engine.seed(ClockSeed());
    }
}

int32_t TCheckUpRandom::Below(int32_t p_nBound)
{
    if (p_nBound <= 0) {
        return 0;
    }
    return std::uniform_int_distribution<int32_t>(0, p_nBound - 1)(m_engine);
}

TCheckUpStep CheckUpTick(TPlayerState& p_state)
{
    if (p_state.m_nFlickerCount == kCheckUpAnswered) {
        return TCheckUpStep::Answered;
    }
    if (p_state.m_nFlickerCount < 0) {
        return TCheckUpStep::ForceOut;
    }
    ++p_state.m_nCheckUpTimeCount;
    switch (p_state.m_nCheckUpTimeCount % 8) {
    case 0:
        --p_state.m_nFlickerCount;
        return TCheckUpStep::Hide;
    case 1:
        return TCheckUpStep::Show;
    default:
        return TCheckUpStep::None;
    }
}

// m_nCheckUpWaitCount: the ticks chosen for this wait (0: none chosen yet);
// m_nCheckUpSleepCount: the ticks counted so far; m_nCheckUpRunCount: the runs started.
bool StandByTick(TPlayerState& p_state, TCheckUpRandom& p_random, bool p_bCanRun)
{
    p_random.Reseed();
    if (!p_bCanRun) {
        return false;
    }
    if (p_state.m_nCheckUpWaitCount == 0) {
        p_state.m_nCheckUpWaitCount = kCheckUpWaitMin + p_random.Below(kCheckUpWaitMax - kCheckUpWaitMin + 1);
    }
    if (++p_state.m_nCheckUpSleepCount < p_state.m_nCheckUpWaitCount) {
        return false;
    }
    p_state.m_nCheckUpSleepCount = 0;
    p_state.m_nCheckUpWaitCount = 0;
    ++p_state.m_nCheckUpRunCount;
    return true;
}

void BeginCheckUpRun(TPlayerState& p_state, int32_t p_nCycles)
{
    p_state.m_nFlickerCount = p_nCycles;
    p_state.m_nCheckUpTimeCount = 0;
}
