#include "Planner/FeuilleChoixDate.h"

#include "Planner/Commandes.h"
#include "Planner/Dates.h"
#include "platform/widgets/Accessible.h"
#include "platform/Geometry.h"
#include "platform/widgets/FilteredBox.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/ScreenReader.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
void brancheBoite(planner::Commandes& commandes, platform::MaskedEdit* b, const char* masque, bool date) {
    b->setMask(QString::fromLatin1(masque));
    QObject::connect(b, &platform::MaskedEdit::validationError, b, [&commandes] { commandes.SaisieRefusee(); });
    QObject::connect(b, &platform::MaskedEdit::lostFocus, b, [&commandes, b, date] {
        if (!commandes.VerifieBoite(date, b->text()))
            b->setFocus();
    });
}
} // namespace

void brancheBoiteDate(planner::Commandes& commandes, platform::MaskedEdit* b) {
    brancheBoite(commandes, b, "##-##-####", true);
}

void brancheBoiteHeure(planner::Commandes& commandes, platform::MaskedEdit* b) {
    brancheBoite(commandes, b, "##:##", false);
}

FeuilleChoixDate::FeuilleChoixDate(planner::Commandes& commandes, platform::Dialogs& dialogues)
    : QWidget(nullptr), commandes_(commandes) {
    setWindowTitle(QStringLiteral("Date Input"));
    platform::presentAsDialog(this); // a question of a few boxes, read as a dialog
    platform::resizeClientTwips(this, 4200, 2880);
    auto* c1 = new QGroupBox(QStringLiteral("Start UTC (d-m-y  h-m)"), this);
    platform::setTwipsGeometry(c1, 120, 60, 2520, 720);
    auto* c2 = new QGroupBox(QStringLiteral("End UTC (d-m-y  h-m)"), this);
    platform::setTwipsGeometry(c2, 120, 840, 2520, 720);
    auto* c3 = new QGroupBox(QStringLiteral("Options"), this);
    platform::setTwipsGeometry(c3, 120, 1620, 2520, 1080);
    EditDateDeb = new platform::MaskedEdit(c1);
    platform::setTwipsGeometry(EditDateDeb, 120, 300, 1320, 330);
    EditTimeDeb = new platform::MaskedEdit(c1);
    platform::setTwipsGeometry(EditTimeDeb, 1560, 300, 840, 330);
    EditDateFin = new platform::MaskedEdit(c2);
    platform::setTwipsGeometry(EditDateFin, 120, 300, 1320, 330);
    EditTimeFin = new platform::MaskedEdit(c2);
    platform::setTwipsGeometry(EditTimeFin, 1560, 300, 840, 330);
    OptionLune[1] = new QRadioButton(QStringLiteral("Moon visible"), c3);
    platform::setTwipsGeometry(OptionLune[1], 120, 300, 2200, 300);
    OptionLune[0] = new QRadioButton(QStringLiteral("Always"), c3);
    platform::setTwipsGeometry(OptionLune[0], 120, 660, 2200, 300);
    auto* c4 = new QGroupBox(QStringLiteral("Step"), this);
    platform::setTwipsGeometry(c4, 2760, 60, 1320, 720);
    AffStep = new QLineEdit(c4);
    platform::setTwipsGeometry(AffStep, 120, 300, 1080, 330);
    // The step box holds at most three digits, under the suite's key rule:
    // typed keys and pasted or dropped text (Shift+Insert, the context menu,
    // the middle button) pass the same filter; a refused edit beeps, shows the
    // refusal sign and leaves the box as it was. Backspace and Delete pass.
    platform::FilteredBox::attach(AffStep, dialogues,
                                  [](const QString&, const QString& propose) { return planner::JugePas(propose); });
    BoutonOK = new QPushButton(QStringLiteral("O.K."), this);
    platform::setTwipsGeometry(BoutonOK, 2760, 1680, 1320, 420);
    BoutonAnnuler = new QPushButton(QStringLiteral("Cancel"), this);
    platform::setTwipsGeometry(BoutonAnnuler, 2760, 2220, 1320, 420);
    brancheBoiteDate(commandes, EditDateDeb);
    brancheBoiteDate(commandes, EditDateFin);
    brancheBoiteHeure(commandes, EditTimeDeb);
    brancheBoiteHeure(commandes, EditTimeFin);
    connect(BoutonOK, &QPushButton::clicked, this, &FeuilleChoixDate::BoutonOK_Click);
    connect(BoutonAnnuler, &QPushButton::clicked, this, &FeuilleChoixDate::BoutonAnnuler_Click);
    platform::nameForScreenReaders(this); // the step box by its frame
    // Two boxes share each frame: each is named for what it holds.
    platform::nameControls({
        {EditDateDeb, QStringLiteral("Start UTC date (d-m-y)")},
        {EditTimeDeb, QStringLiteral("Start UTC time (h-m)")},
        {EditDateFin, QStringLiteral("End UTC date (d-m-y)")},
        {EditTimeFin, QStringLiteral("End UTC time (h-m)")},
    });
    platform::placeCentredThird(this);
}

void FeuilleChoixDate::BoutonOK_Click() { commandes_.PeriodeOK(); }

void FeuilleChoixDate::BoutonAnnuler_Click() { commandes_.PeriodeAnnulee(); }

void FeuilleChoixDate::closeEvent(QCloseEvent* e) {
    e->ignore();
    BoutonAnnuler_Click();
}
