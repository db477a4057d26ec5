#pragma once
// What Tracking's pictures show, as the text a screen reader reads for them
// (platform::describePicture): the traffic period bar, the Moon's phase, the
// radio-sky chart with its markers and its key of sources, and the world map
// with its horizon line and the DX point. Each text is derived from the
// values the picture itself is drawn from. No window.

#include "Tracking/Suivi.h"

#include <QString>

namespace descriptions {

// The period bar: "Period: mine, 12 s left" while the station's own period
// runs (the bar red), "Period: the other station's, 12 s left" (green),
// "Period: waiting for the first start" before a period has begun.
QString textePeriode(const suivi::Suivi& s);

// "Moon phase: waxing crescent" for the phase picture k (0..7); "" otherwise.
QString textePhaseLune(int k);

// The radio-sky chart: its markers' points once they are placed ("Radio-sky
// chart: the Moon at right ascension 2.50 h, declination 12.0°; the Sun at
// ...; the antenna at ..."), the antenna only with an interface box.
QString texteCarteCiel(const suivi::Affichage& a, bool antenne);

// The key of the numbers marking the sources on the chart: "Sources:
// 1 Cassiopeia-A, 2 Sagittarius-A, ... 7 Cold Sky" (source codes 2 to 8).
QString texteCleSources();

// The world map: its title (the common window's source, or the calibration
// still running), the hatched side of the horizon line once it is drawn,
// and the DX point with its prefix and country when a prefix placed it
// ("World map, Common Window : Moon: the source is below the horizon on the
// hatched side of the line; DX point PY0S - St.Peter & Paul at 0.917 N,
// 29.333 W").
QString texteCarteMonde(const suivi::Suivi& s);

} // namespace descriptions
