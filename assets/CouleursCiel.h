#pragma once
// Colours of the eight noise-temperature bands of the radio-sky map, coolest
// first (432 MHz: below 13 K, 13-18, 18-23, 23-27, 27-35, 35-55, 55-90, above
// 90 K; 144 MHz: below 180 K, 180-225, 225-315, 315-360, 360-450, 450-650,
// 650-1000, above 1000 K). The chart generator and the programs' legends
// share them.

#include <QRgb>
#include <array>

namespace assets {

inline constexpr std::array<QRgb, 8> kCouleursBandesCiel{
    0xFF000080, // navy
    0xFF0000FF, // blue
    0xFF0080FF, // azure
    0xFF00C0C0, // teal
    0xFF00B000, // green
    0xFFC0E000, // yellow-green
    0xFFFFB000, // amber
    0xFFFF2000, // red
};

} // namespace assets
