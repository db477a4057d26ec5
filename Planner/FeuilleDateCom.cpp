#include "Planner/FeuilleDateCom.h"

#include "Planner/Commandes.h"
#include "Planner/FeuilleChoixDate.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/ScreenReader.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

FeuilleDateCom::FeuilleDateCom(planner::Commandes& commandes) : QWidget(nullptr), commandes_(commandes) {
    setWindowTitle(QStringLiteral("Common window : Date Input"));
    platform::presentAsDialog(this); // a question of a few boxes, read as a dialog
    platform::resizeClientTwips(this, 4200, 1800);
    auto* cadre = new QGroupBox(QStringLiteral("UTC (d-m-y  h-m)"), this);
    platform::setTwipsGeometry(cadre, 120, 60, 2520, 720);
    EditDateDeb = new platform::MaskedEdit(cadre);
    platform::setTwipsGeometry(EditDateDeb, 120, 300, 1320, 330);
    EditTimeDeb = new platform::MaskedEdit(cadre);
    platform::setTwipsGeometry(EditTimeDeb, 1560, 300, 840, 330);
    auto* l = new QLabel(QStringLiteral("Enter a UTC or select a UTC in a moon location window !!!"), this);
    l->setWordWrap(true);
    platform::setTwipsGeometry(l, 120, 900, 2520, 720);
    BoutonOK = new QPushButton(QStringLiteral("O.K."), this);
    platform::setTwipsGeometry(BoutonOK, 2760, 180, 1320, 420);
    BoutonAnnuler = new QPushButton(QStringLiteral("Cancel"), this);
    platform::setTwipsGeometry(BoutonAnnuler, 2760, 780, 1320, 420);
    brancheBoiteDate(commandes, EditDateDeb);
    brancheBoiteHeure(commandes, EditTimeDeb);
    connect(BoutonOK, &QPushButton::clicked, this, &FeuilleDateCom::BoutonOK_Click);
    connect(BoutonAnnuler, &QPushButton::clicked, this, &FeuilleDateCom::BoutonAnnuler_Click);
    platform::nameForScreenReaders(this);
    // The two boxes share one frame: each is named for what it holds.
    platform::nameControls({
        {EditDateDeb, QStringLiteral("UTC date (d-m-y)")},
        {EditTimeDeb, QStringLiteral("UTC time (h-m)")},
    });
}

void FeuilleDateCom::closeEvent(QCloseEvent* e) {
    e->ignore();
    BoutonAnnuler_Click();
}

void FeuilleDateCom::BoutonOK_Click() { commandes_.DialogueCommunOK(); }

void FeuilleDateCom::BoutonAnnuler_Click() { commandes_.DialogueCommunAnnule(); }
