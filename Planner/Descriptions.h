#pragma once
// What Planner's pictures show, as the text a screen reader reads for them
// (platform::describePicture): the Moon's phase, the source of a table, the
// radio-sky chart with its markers, the chart's two keys and the world map
// with the common-window curve and the DX point. Each text is derived from
// the values the picture itself is drawn from. No window.

#include "Planner/Ecran.h"

#include <QString>

namespace planner {

// "Moon phase: waxing crescent" for the phase picture k (0..7, about 45k
// degrees east of the Sun; its name assets::nomPhaseLune); "" for k outside
// 0..7.
QString TextePhaseLune(int k);

// The source picture of a common-window table: the Moon's phase (phase 0..7)
// or, for another source (phase -1), "Source: " and its name.
QString TexteSourceTable(int phase, const QString& nomSource);

// The radio-sky chart with its two markers, right ascensions and
// declinations in degrees: "Radio-sky chart: the Moon at right ascension
// 2.41 h, declination 12.3°; the Sun at right ascension 4.10 h, declination
// 21.5°".
QString TexteCarteCiel(float ascDroiteLune, float declinaisonLune, float ascDroiteSoleil, float declinaisonSoleil);

// The chart's colour key: the eight bands, coolest first, each with its
// colour and its ranges at 432 MHz and at 144 MHz.
QString TexteCleCouleurs();
// The key of the numbers marking the sources on the chart: "Sources:
// 1 Cassiopeia-A, 2 Sagittarius-A, ... 7 Cold Sky" (source codes 2 to 8).
QString TexteCleSources();

// The world map of the common window `carte` with the DX point (latitude,
// longitude in degrees; `prefixe` and `pays` when it was found by a prefix)
// or without one.
struct PointDX {
    bool place = false;
    double latitude = 0, longitude = 0;
    QString prefixe, pays;
};
QString TexteCarteMonde(const Carte& carte, const PointDX& dx);

} // namespace planner
