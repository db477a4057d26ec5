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
    // The DX point is an input of the computation running.
    if (etat_.Refuse())
        return;
    etat_.fenetreDX()->AffDxcc->clear();
    etat_.fenetreDX()->AffPays->clear();
    const auto [px, py] = planner::PointClic(x, y);
    etat_.PlacePointDX(px, py);
}

void FenetreCommune::closeEvent(QCloseEvent* e) { e->ignore(); }
