#pragma once
// Small angle helpers shared by the library's own source files (not part of
// the public interface).

#include <cmath>

namespace astro::detail {

constexpr double DeuxPi = 6.283185308;

// Fractional part, 0 <= result < 1 for finite x.
inline double Frac(double x) { return x - std::floor(x); }

// One correction each way: subtract 2 pi once if above it, then add 2 pi once
// if below 0. Enough for the sum or difference of two angles already in range.
inline double CorrigeTour(double x)
{
    if (x > DeuxPi)
        x -= DeuxPi;
    if (x < 0.0)
        x += DeuxPi;
    return x;
}

} // namespace astro::detail
