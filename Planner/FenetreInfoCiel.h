#pragma once
// "Radio-Sky Map": the key of the chart's bands and numbers.

#include <QWidget>

class QPushButton;

class FenetreInfoCiel : public QWidget {
    Q_OBJECT
public:
    FenetreInfoCiel();
    QPushButton* BoutonInfoOK;
};
