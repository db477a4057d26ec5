#pragma once
// Rounding of the astronomy library: CInt and CLng round to the nearest whole
// number with halves going to the even neighbour, into 16 or 32 bits. A value
// that does not fit (or is not finite) raises Overflow, so the caller's own
// error handling sees it instead of a silently wrapped number.

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace astro {

class Overflow : public std::runtime_error {
public:
    Overflow() : std::runtime_error("Overflow") {}
};

// Nearest whole number, halves to even (the default IEEE rounding of rint),
// into -32768..32767.
inline int16_t CIntAstro(double x)
{
    const double r = std::nearbyint(x);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw Overflow();
    return static_cast<int16_t>(r);
}

// The same into -2147483648..2147483647.
inline int32_t CLngAstro(double x)
{
    const double r = std::nearbyint(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw Overflow();
    return static_cast<int32_t>(r);
}

} // namespace astro
