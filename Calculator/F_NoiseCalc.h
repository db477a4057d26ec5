#pragma once
// The noise calculator's window, announced for a later version: it has no
// controls, is created hidden at start-up and never shown.

#include <QWidget>

class F_NoiseCalc : public QWidget {
    Q_OBJECT
public:
    F_NoiseCalc();
};
