#pragma once
// An opt-in line on standard error at every position the frame clock sets, for the whole-program
// soak: the session position, the page, playing or not, the speed and the wall clock it was taken
// at, so that a script can hold the position against wall time without reading the screen.
// On only when RAVO_POSITION_LOG is set (to anything but empty) in the player's environment.
//
//   ravo-position: <session ms> page <index> playing <0|1> speed <percent> at <ms since the epoch>

#include <cstdint>

void LogSessionPosition(int32_t p_intSessionMs, int32_t p_nPageIndex, bool p_bPlaying, int32_t p_nSpeed);
