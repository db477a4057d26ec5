#pragma once
// The pictures the programs show: the world map `CarteMonde` and the pictures
// of the radio-sky map (charts, Sun marker, Moon phases, keys, information
// button). All are compiled-in resources drawn by the generators of tools/.
//
// Every function returns the picture at its size in twips (15 twips a pixel
// at 96 dpi), the twice-as-large drawing with a device pixel ratio of 2 on a
// screen whose pixel ratio is above 1, scaled when the screen's logical dpi is
// not 96. Use deviceIndependentSize() for the size on screen. Null if the
// resource is missing.

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

namespace assets {

// The world map picture (5670 x 2770 twips by default: 360° from 168° W,
// 85° N to 55° S, the suite's projection).
QImage carteMonde(QSize twips = QSize(5670, 2770));

// Planner's radio-sky chart, 5490 x 4125 twips (366 x 275 pixels, 16
// colours): noise-temperature bands, right ascension 24 h at the left to 0 h
// at the right, declination +90 at the top to -90 at the bottom, sources 1..7
// and the galactic poles. A 270 x 270 twip marker placed with
//   Left = 5315 - a * 4890/360, Top = (90 - dec) * 3665/180 - 80
// (a, dec in degrees) is centred on the point (a, dec) of the chart.
QImage carteCiel();

// Tracking's radio-sky chart, 5760 x 2760 twips (384 x 184 pixels), same
// content. The point (a, dec) lies at x = 5640 - a * 5160/360 and
// y = (90 - dec) * 2370/180 + 35 twips in the picture, the horizon line's
// geometry; so a marker placed with Left = 5520 - a * 5160/360 and
// Top = (90 - dec) * 2370/180 - 70 is centred on the point when it is 270
// twips in size and the picture sits at (15, 30) twips of the marker's frame.
QImage carteCielTracking();

// The Sun marker, 270 x 270 twips (18 x 18 pixels), transparent around.
QImage marqueurSoleil();

// The Moon-phase icon k (0..7), 480 x 480 twips (32 x 32 pixels),
// transparent around: elongation from the Sun about 45k degrees; 0 new Moon,
// 2 first quarter (lit on the right), 4 full Moon, 6 last quarter (lit on the
// left). Null for k outside 0..7.
QImage phaseLune(int k);
// The same icon at its own 32 x 32 pixels whatever the screen: the picture
// the printed reports copy pixel by pixel.
QImage phaseLune32(int k);
// What the icon k shows, in words: "new Moon", "waxing crescent", "first
// quarter", "waxing gibbous", "full Moon", "waning gibbous", "last quarter",
// "waning crescent"; "" for k outside 0..7.
QString nomPhaseLune(int k);

// The colour key of the eight bands with their ranges at 432 and 144 MHz,
// 2280 x 2565 twips (152 x 171 pixels).
QImage cleCouleursCiel();

// The key of the source numbers under the title "Sources" (1 Cassiopeia-A ..
// 7 Cold Sky), 1545 x 2280 twips (103 x 152 pixels).
QImage cleSourcesCiel();

// The picture of the sky map's information button, 480 x 480 twips (32 x 32).
QImage boutonInfoCiel();

// Colour of band 0..7 of the chart (coolest first), for the programs' own
// legends; black for a band outside 0..7.
QColor couleurBandeCiel(int bande);

} // namespace assets
