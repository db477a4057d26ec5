#pragma once
// Constant tables of the astronomy library that the programs read directly:
// the fixed radio sources and the sky temperatures behind the Moon.

#include <array>
#include <cstdint>

namespace astro {

// One fixed source: its code, its name as the programs show it, and its
// B1950.0 right ascension and declination in degrees.
struct SourceFixe {
    int16_t CodeSource;
    const char* NomSource;
    double AscensionDroite;
    double Declinaison;
};

// Source codes 2..8: entry i holds code i + 2.
inline constexpr std::array<SourceFixe, 7> PositionSourcesFixes{{
    {2, "Cassiopeia-A", 350.25, 58.5333},
    {3, "Sagittarius-A", 265.75, -28.9333},
    {4, "Cygnus-A", 299.5, 40.5833},
    {5, "Omega17", 274.5, -16.1666},
    {6, "Taurus-A", 83.0, 21.9833},
    {7, "Pictor-A", 79.5, -45.8167},
    {8, "Cold Sky", 142.5, 40.0},
}};

// Sky temperature in kelvin behind the Moon, indexed by the Moon's right
// ascension in half-hours (0 = 0 h .. 47 = 23 h 30 min); entries 48 and 49
// repeat 0 and 1 so that a reader can interpolate between i and i + 1.
// Below 400 MHz the 144 MHz table applies, otherwise the 432 MHz one.
inline constexpr std::array<int16_t, 50> TableTempCiel144{
    275, 300, 320, 340, 360, 400, 425, 400, 425, 470, 500, 575, 600, 500, 425, 350, 260,
    230, 200, 210, 215, 225, 235, 245, 300, 360, 360, 360, 400, 425, 470, 500, 575, 700,
    1000, 1850, 3800, 2400, 1000, 650, 450, 400, 375, 375, 330, 280, 280, 275, 275, 300};
inline constexpr std::array<int16_t, 50> TableTempCiel432{
    24, 25, 25, 26, 27, 29, 30, 28, 31, 35, 38, 45, 45, 38, 32, 26, 20,
    18, 15, 16, 17, 18, 18, 19, 23, 28, 28, 25, 27, 30, 33, 36, 40, 50,
    70, 110, 190, 160, 80, 53, 32, 29, 28, 28, 25, 22, 23, 23, 24, 25};

} // namespace astro
