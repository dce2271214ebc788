#include "platform/Rounding.h"

#include <cmath>
#include <limits>

int64_t RoundHalfEven(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLimit = 9.2233720368547748e18; // 2^63
    if (value >= kLimit) {
        return std::numeric_limits<int64_t>::max();
    }
    if (value < -kLimit) {
        return std::numeric_limits<int64_t>::min();
    }
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    return static_cast<int64_t>(whole);
}
