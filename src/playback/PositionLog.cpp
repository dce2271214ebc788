#include "playback/PositionLog.h"

#include <QtGlobal>

#include <chrono>
#include <cstdio>

void LogSessionPosition(int32_t p_intSessionMs, int32_t p_nPageIndex, bool p_bPlaying, int32_t p_nSpeed)
{
    static const bool enabled = !qEnvironmentVariableIsEmpty("RAVO_POSITION_LOG");
    if (!enabled) {
        return;
    }
    const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    std::fprintf(stderr, "ravo-position: %d page %d playing %d speed %d at %lld\n", p_intSessionMs, p_nPageIndex,
                 p_bPlaying ? 1 : 0, p_nSpeed, static_cast<long long>(now.count()));
}
