#include "Planner/FenetreCommune.h"

#include "Planner/FenetreDX.h"
#include "Planner/Planner.h"
#include "assets/Assets.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QLabel>
#include <cmath>

FenetreCommune::FenetreCommune(Planner& etat) : QWidget(nullptr), etat_(etat) {
    platform::resizeClientTwips(this, 5670, 2770);
    EMEWindow = new platform::PictureBox(this);
    platform::setTwipsGeometry(EMEWindow, 0, 0, 5670, 2770);
    EMEWindow->setPicture(assets::carteMonde());
    connect(EMEWindow, &platform::PictureBox::mouseDown, this,
            [this](int, int, double x, double y) { EMEWindow_MouseDown(x, y); });
}

void FenetreCommune::EMEWindow_MouseDown(double x, double y) {
    etat_.fenetreDX()->AffDxcc->clear();
    etat_.fenetreDX()->AffPays->clear();
    etat_.PlacePointDX(int16_t(std::nearbyint(x)), int16_t(std::nearbyint(y)));
}

void FenetreCommune::closeEvent(QCloseEvent* e) { e->ignore(); }
