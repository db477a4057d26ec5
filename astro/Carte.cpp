// World-map projection of CarteMonde: 5670 x 2770 twips, X linear in longitude
// from -168 deg at the left edge (360 deg over the width), Y piecewise linear in
// latitude through the breakpoints (0, 85) (319, 75) (732, 60) (1051, 45)
// (2277, -30) (2553, -45) (2770, -55), north at the top.

#include "astro/Astro.h"

namespace astro {

double CarteXVersLongitude(int16_t& x)
{
    double lon = (x / 5670.0) * 360.0 - 168.0;
    if (lon > 180.0)
        lon -= 360.0;
    return lon / 15.0;
}

double CarteYVersLatitude(int16_t& y)
{
    const double Y = y;
    if (y < 0)
        return 0.0;
    if (y <= 319)
        return 85.0 - (Y / 319.0) * 10.0;
    if (y <= 732)
        return 75.0 - ((Y - 319.0) / 413.0) * 15.0;
    if (y <= 1051)
        return 60.0 - ((Y - 732.0) / 319.0) * 15.0;
    if (y <= 2277)
        return 45.0 - ((Y - 1051.0) / 1226.0) * 75.0;
    if (y <= 2553)
        return -(((Y - 2277.0) / 276.0) * 15.0 + 30.0);
    if (y <= 2770)
        return -(((Y - 2553.0) / 217.0) * 10.0 + 45.0);
    return 0.0;
}

int16_t LongitudeVersCarteX(float& lon)
{
    if (lon < -168.0f)
        lon = lon + 360.0f;
    // ((lon + 168) / 360) x 5670 with the product formed first: lon + 168 and
    // its product by 5670 are exact in double precision, so the one division
    // gives the true value rounded once, and a longitude that lies on a half
    // twip (30 deg: 3118.5) goes to the even neighbour as the rule says.
    // Dividing first would leave 3118.5000000000005 and give 3119.
    return CIntAstro(((static_cast<double>(lon) + 168.0) * 5670.0) / 360.0);
}

int16_t LatitudeVersCarteY(float& lat)
{
    const double l = lat;
    if (l > 85.0)
        return 0;
    if (l >= 75.0)
        return CIntAstro(((85.0 - l) / 10.0) * 319.0);
    if (l >= 60.0)
        return CIntAstro(((75.0 - l) / 15.0) * 413.0 + 319.0);
    if (l >= 45.0)
        return CIntAstro(((60.0 - l) / 15.0) * 319.0 + 732.0);
    if (l >= -30.0)
        return CIntAstro(((45.0 - l) / 75.0) * 1226.0 + 1051.0);
    if (l >= -45.0)
        return CIntAstro(((-30.0 - l) / 15.0) * 276.0 + 2277.0);
    if (l >= -55.0)
        return CIntAstro(((-45.0 - l) / 10.0) * 217.0 + 2553.0);
    if (l < -55.0)
        return 2770;
    return CIntAstro(l); // not a number: the caller sees an overflow
}

} // namespace astro
