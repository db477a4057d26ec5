#pragma once
// The pictures of Tracking's windows drawn in code: the image buttons (each
// as a released and a pressed twin), the antenna icon of the sky map and the
// motion arrows of the interface window. Sizes are given in twips (15 twips a
// pixel at 96 dpi) and drawn at the screen's scale.

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

// A direction arrow of the interface window (0 left, 1 up, 2 right, 3 down),
// 240 x 240 twips, red on a transparent ground.
QPixmap flecheDirection(int sens);

} // namespace dessins
