#pragma once
// The pictures of the radio-sky map: the chart of the sky's noise temperature
// in right ascension and declination (one for Planner's sky-map window, one for
// Tracking's sky-map frame), the Sun marker, the eight Moon-phase icons, the
// two key pictures and the information button.
//
// The noise temperature comes from a smooth analytic model of the galactic
// radio background written for these charts. It is a model, not a survey:
// it gives the chart plausible contours (cold near the galactic poles, bright
// along the galactic plane, brightest at the galactic centre and in Cygnus),
// not measured temperatures. The temperatures the programs print come from
// the sky-temperature tables of astro/, not from this model.

#include <QImage>
#include <QPointF>
#include <QSize>

namespace skychart {

// Galactic longitude and latitude in degrees (l 0..360, b -90..+90) of a
// B1950.0 right ascension and declination in degrees. North galactic pole at
// RA 192.25, Dec +27.4; the galactic plane's ascending node on the equator at
// galactic longitude 33 degrees.
struct Galactique {
    double l = 0;
    double b = 0;
};
Galactique versGalactique(double ascensionDroite, double declinaison);

// Model noise temperature in kelvin at 432 MHz (see the header comment).
double temperature432(double ascensionDroite, double declinaison);

// Band 0..7 of a 432-MHz temperature: limits 13, 18, 23, 27, 35, 55, 90 K,
// each limit belonging to the band above it.
int bande432(double kelvins);

// Where a chart puts the sky, in twips of the picture (15 twips a pixel at
// scale 1): right ascension 0 at x0, 360 at x360 (linear between, so RA runs
// from right to left), declination +90 at yNord, -90 at ySud.
struct Geometrie {
    QSize twips;     // picture size
    double x0 = 0;
    double x360 = 0;
    double yNord = 0;
    double ySud = 0;
    QPointF pointTwips(double ascensionDroite, double declinaison) const;
};

// Planner's chart, 5490 x 4125 twips (366 x 275 pixels). A marker placed
// with Left = 5315 - a * 4890/360, Top = (90 - dec) * 3665/180 - 80 and
// 270 x 270 twips in size has its centre on the point (a, dec).
Geometrie geometriePlanner();
// Tracking's chart, 5760 x 2760 twips (384 x 184 pixels): the horizon line's
// geometry, x = 5640 - a * 5160/360, y = (90 - dec) * 2370/180 + 35.
Geometrie geometrieTracking();

// The chart at `scale` (1 = 15 twips a pixel, 2 = 7.5), drawn in 16 colours:
// the eight bands, grid every 3 h and 30 degrees, axis numbers and titles,
// the sources 1..7 as numbered discs and the galactic poles NGP and SGP.
QImage dessineCarte(const Geometrie& g, int scale);

QImage dessineSoleil(int scale);            // 18 x 18 pixels at scale 1
QImage dessinePhaseLune(int k, int scale);  // 32 x 32; k 0..7, elongation about 45k degrees
QImage dessineCleCouleurs(int scale);       // 152 x 171 (2280 x 2565 twips)
QImage dessineCleSources(int scale);        // 103 x 152 (1545 x 2280 twips)
QImage dessineBoutonInfo(int scale);        // 32 x 32

} // namespace skychart
