#pragma once
// Pictures drawn in code: the image buttons' released and pressed pictures,
// the table windows' icons, the eight Moon phases, the Sun marker and a
// stand-in radio-sky chart drawn to the chart's scale.

#include <QImage>
#include <QPixmap>
#include <QString>

namespace pictures {

// A 24 x 22 pixel button picture: `symbole` is one of "new", "quit", "moon",
// "sun", "sky", "prev", "dx", "print", "info"; pressed = sunken look.
QPixmap bouton(const QString& symbole, bool enfonce);
// 32 x 32 pixel icons with pure black strokes (the reports print black pixels only).
QImage iconeHorloge();
QImage iconeSoleil();
QImage iconeCiel();
QImage iconeCielCalme();
// Phase k: the Moon k x 45 degrees east of the Sun (0 new, 2 first quarter, 4 full).
QImage phaseLune(int k);
// 18 x 18 pixel Sun marker.
QImage marqueurSoleil();
// 366 x 275 pixel chart: right ascension 24 h at the left to 0 h at the right,
// declination +90 at the top to -90 at the bottom, grid every 3 h and 30 degrees.
QImage carteCiel();

} // namespace pictures
