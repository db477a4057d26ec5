#pragma once
// The pictures of Tracking's windows drawn in code: the image buttons (each
// as a released and a pressed twin), the antenna icon of the sky map and the
// motion arrows of the interface window. Sizes are given in twips (15 twips a
// pixel at 96 dpi) and drawn at the screen's scale.

#include <QImage>
#include <QPixmap>
#include <QSize>

namespace dessins {

// What an image button shows.
enum class Motif {
    Lune, Soleil, Ciel,            // source buttons
    Periode, Duree,                // traffic period and length
    Gauche, Haut, Droit, Bas,      // manual arrows
    Moteur, Parking, Poursuite,    // drive power, park, tracking
    Signal,                        // level reference
    Info                           // sky-map legend
};

// The button picture, `enfonce` for the pressed twin: the released twin is
// raised (light top-left edge), the pressed one sunk with its motif moved one
// pixel down and right and a darker face.
QPixmap bouton(Motif m, bool enfonce, QSize twips = QSize(480, 480));

// The antenna icon placed on the sky map, 270 x 270 twips: a small dish
// with a cross hair at its centre.
QPixmap iconeAntenne();

// The Moon's marker on the sky map, 270 x 270 twips: the phase picture
// `phase` (a disc on a transparent ground) drawn to the marker's size inside
// a light ring, so that the dark part of the disc, all of it at new Moon,
// stands out on the chart's dark blue.
QPixmap marqueurLune(const QImage& phase);

// A direction arrow of the interface window (0 left, 1 up, 2 right, 3 down),
// 240 x 240 twips, red on a transparent ground.
QPixmap flecheDirection(int sens);

// The scale behind the level graph, 1545 x 1365 twips: 51 dB over 1350
// twips (0 dB at y = 1350, 51 dB at y = 0, as the curve is drawn), a grid
// line every 10 dB with its figure left of x = 200, where the curve starts,
// and a vertical line at each end of the curve's span (x = 200 and 1340).
QImage echelleNiveau();

} // namespace dessins
