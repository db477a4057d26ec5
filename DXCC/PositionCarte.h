#pragma once
// The editor's world-map check: the six position boxes of an entry turned
// into a point of the world map (CarteMonde, twips), by the projection of
// the astronomy library that Planner and Tracking use.

#include <QString>
#include <array>
#include <cstdint>

namespace dxcc {

// The boxes LatDeg, LatMin, LatSig, LonDeg, LonMin, LonSig in this order.
using BoitesPosition = std::array<QString, 6>;

struct PointCarte {
    // Index (0..5) of the first empty box, which gets the focus and a beep;
    // -1 when every box holds something and the point below is valid.
    int boiteVide = -1;
    float latitude = 0;  // degrees, north positive
    float longitude = 0; // degrees, east positive; below -168 it has had 360 added
    int16_t x = 0;       // twips from the map's left edge (longitude -168)
    int16_t y = 0;       // twips from the map's top (latitude 85)
    // False when X or Y does not fit 16 bits (a stored record with huge
    // degrees): there is no point to draw, and the check must not fail.
    bool surCarte = true;
};

// Latitude = degrees + minutes / 60, south unless the letter is "N" or "n";
// longitude the same, west unless "E" or "e". Each value is the decimal
// number the box's text begins with.
PointCarte positionSurCarte(const BoitesPosition& boites);

// What the map panel shows, as a screen reader reads it: "World map: XX9
// Macao at 22° 6' N, 113° 33' E, marked", the letters as the check takes
// them, and "not marked" for a point the map cannot show (beyond its right
// edge, or not drawn at all).
QString texteCarte(const QString& prefixe, const QString& lieu, const BoitesPosition& boites);

} // namespace dxcc
