#include "Planner/FeuilleChangeUTC.h"

#include "Planner/Commandes.h"
#include "Planner/FeuilleChoixDate.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/ScreenReader.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>

FeuilleChangeUTC::FeuilleChangeUTC(planner::Commandes& commandes) : QWidget(nullptr), commandes_(commandes) {
    setWindowTitle(QStringLiteral("Change UTC"));
    platform::presentAsDialog(this); // a question of a few boxes, read as a dialog
    // No wider than the main window it sits under (3480 twips), so that the
    // common-window map placed right of the main window leaves it whole.
    platform::resizeClientTwips(this, 3420, 900);
    auto* cadre = new QGroupBox(QStringLiteral("UTC (d-m-y  h-m)"), this);
    platform::setTwipsGeometry(cadre, 60, 60, 2280, 720);
    EditDateDeb = new platform::MaskedEdit(cadre);
    platform::setTwipsGeometry(EditDateDeb, 100, 300, 1260, 330);
    EditTimeDeb = new platform::MaskedEdit(cadre);
    platform::setTwipsGeometry(EditTimeDeb, 1420, 300, 760, 330);
    BoutonOK = new QPushButton(QStringLiteral("O.K."), this);
    platform::setTwipsGeometry(BoutonOK, 2400, 240, 960, 420);
    brancheBoiteDate(commandes, EditDateDeb);
    brancheBoiteHeure(commandes, EditTimeDeb);
    connect(BoutonOK, &QPushButton::clicked, this, &FeuilleChangeUTC::BoutonOK_Click);
    platform::nameForScreenReaders(this);
    // The two boxes share one frame: each is named for what it holds.
    platform::nameControls({
        {EditDateDeb, QStringLiteral("UTC date (d-m-y)")},
        {EditTimeDeb, QStringLiteral("UTC time (h-m)")},
    });
}

void FeuilleChangeUTC::BoutonOK_Click() { commandes_.ChangeUTCOK(); }

void FeuilleChangeUTC::closeEvent(QCloseEvent* e) { e->ignore(); }
