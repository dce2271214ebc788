#pragma once
#include <cstdint>

// The one real-to-integer conversion of the system: nearest integer, an exact half going to the
// even neighbour (4.5 -> 4, 5.5 -> 6, -2.5 -> -2). Independent of the floating-point environment.
// NaN gives 0; values beyond the 64-bit range saturate.
int64_t RoundHalfEven(double value);
