#pragma once
// Pictures drawn in code: the image buttons' released and pressed pictures
// and the table windows' icons. The Moon phases, the Sun marker and the
// radio-sky chart come from assets/.

#include <QImage>
#include <QPixmap>
#include <QString>

namespace pictures {

// A 24 x 22 pixel button picture (at the screen's pixel ratio): `symbole` is one of "new", "quit", "moon",
// "sun", "sky", "prev", "dx", "print"; pressed = sunken look.
QPixmap bouton(const QString& symbole, bool enfonce);
// 32 x 32 pixel icons with pure black strokes (the reports print black pixels
// only), each drawn once and shared by every window that shows it.
const QImage& iconeHorloge();
const QImage& iconeSoleil();
const QImage& iconeCiel();
const QImage& iconeCielCalme();

} // namespace pictures
