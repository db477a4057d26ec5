#include "Calculator/F_NoiseCalc.h"

#include "platform/Geometry.h"

F_NoiseCalc::F_NoiseCalc() : QWidget(nullptr) {
    setWindowTitle(QStringLiteral("Noise Calculator"));
    resize(platform::twipsToPixels(QSize(4800, 3600)));
    platform::placeCentredThird(this);
}
