#pragma once
// The world map `CarteMonde` as the programs show it.

#include <QImage>
#include <QSize>

namespace assets {

// The world map picture at its size in twips (5670 x 2770 by default: 360°
// from 168° W, 85° N to 55° S, the suite's projection), the twice-as-large
// drawing on a screen whose pixel ratio is above 1, scaled when the screen's
// logical dpi is not 96. Null if the resource is missing.
QImage carteMonde(QSize twips = QSize(5670, 2770));

} // namespace assets
