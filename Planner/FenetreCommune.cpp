#include "Planner/FenetreCommune.h"

#include "Planner/Commandes.h"
#include "assets/Assets.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>

FenetreCommune::FenetreCommune(planner::Commandes& commandes) : QWidget(nullptr), commandes_(commandes) {
    platform::resizeClientTwips(this, 5670, 2770);
    EMEWindow = new platform::PictureBox(this);
    platform::setTwipsGeometry(EMEWindow, 0, 0, 5670, 2770);
    EMEWindow->setPicture(assets::carteMonde());
    connect(EMEWindow, &platform::PictureBox::mouseDown, this,
            [this](int, int, double x, double y) { EMEWindow_MouseDown(x, y); });
}

void FenetreCommune::EMEWindow_MouseDown(double x, double y) { commandes_.ClicCarte(x, y); }

void FenetreCommune::closeEvent(QCloseEvent* e) { e->ignore(); }
