#pragma once
// The world map picture `CarteMonde`: land polygons read from a plain-text
// polygon list and drawn in the suite's map projection (the astro/ map
// functions), with a faint graticule every 30 degrees.
//
// Map geometry: 5670 x 2770 twips; pictures at 15 twips a pixel (378 x 185)
// and at 7.5 twips a pixel (756 x 370).

#include <QColor>
#include <QImage>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace worldmap {

inline constexpr int kMapWidthTwips = 5670;  // 360 degrees of longitude
inline constexpr int kMapHeightTwips = 2770; // 85 N to 55 S

inline constexpr QRgb kSeaColour = 0xFF9CC8EB;       // light blue
inline constexpr QRgb kLandColour = 0xFFD9C88C;      // sand
inline constexpr QRgb kGraticuleColour = 0x3C203A5A; // dark blue-grey, alpha 60/255

// One point in degrees: longitude east positive, latitude north positive.
struct GeoPoint {
    float lon = 0;
    float lat = 0;
};
// A closed ring (the last point joins the first).
using Ring = std::vector<GeoPoint>;
// The outer ring first, then its holes (lakes, inland seas).
using Polygon = std::vector<Ring>;

// Parses the polygon list written by decode_topojson.py:
//   lines starting with '#' are comments;
//   "P <rings>" starts a polygon, "R <points>" one of its rings,
//   followed by that many lines "<lon> <lat>".
// Returns nullopt and a message naming the line on any malformed or truncated
// input.
std::optional<std::vector<Polygon>> parsePolygons(const QByteArray& text, QString* error = nullptr);
std::optional<std::vector<Polygon>> readPolygons(const QString& path, QString* error = nullptr);

// Size in pixels of the picture at `scale` (1 = 15 twips a pixel, 2 = 7.5).
QSize pictureSize(int scale);

// Draws the map: sea, land (even-odd filled, so holes show as sea) and the
// graticule at every 30 degrees of longitude and latitude. A polygon that
// crosses the map's left/right seam (168 W) is drawn on both sides.
// Polygons wholly beyond the top or bottom edge (Antarctica) are left out, as
// the projection pins them onto the edge line.
QImage drawWorldMap(const std::vector<Polygon>& polygons, int scale);

} // namespace worldmap
