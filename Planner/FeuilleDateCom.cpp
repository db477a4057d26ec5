#include "Planner/FeuilleDateCom.h"

#include "Planner/Dates.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/FeuilleChoixDate.h"
#include "Planner/Form2.h"
#include "Planner/Planner.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {
// The instant passed on by the O.K. buttons is checked again: a box that
// never had the focus would otherwise reach the computation unchecked.
bool instantValide(Planner& etat, platform::MaskedEdit* date, platform::MaskedEdit* heure) {
    if (!planner::verifieDate(etat, date->text())) {
        etat.Dialogues.beep();
        etat.Message(QStringLiteral("Enter a new date !!!"), QStringLiteral(" - Compute Date ERROR -"),
                     platform::Buttons::Ok, platform::Icon::Exclamation);
        date->setFocus();
        return false;
    }
    if (!planner::verifieHeure(etat, heure->text())) {
        etat.Dialogues.beep();
        etat.Message(QStringLiteral("Enter a new time !!!"), QStringLiteral(" - Compute Time ERROR -"),
                     platform::Buttons::Ok, platform::Icon::Exclamation);
        heure->setFocus();
        return false;
    }
    return true;
}
} // namespace

FeuilleDateCom::FeuilleDateCom(Planner& etat) : QWidget(nullptr), etat_(etat) {
    setWindowTitle(QStringLiteral("Common window : Date Input"));
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
    brancheBoiteDate(etat, EditDateDeb);
    brancheBoiteHeure(etat, EditTimeDeb);
    connect(BoutonOK, &QPushButton::clicked, this, &FeuilleDateCom::BoutonOK_Click);
    connect(BoutonAnnuler, &QPushButton::clicked, this, &FeuilleDateCom::BoutonAnnuler_Click);
}

void FeuilleDateCom::showEvent(QShowEvent* e) {
    setWindowTitle(etat_.NomSource + QStringLiteral(" Common window"));
    QWidget::showEvent(e);
}

void FeuilleDateCom::closeEvent(QCloseEvent* e) {
    e->ignore();
    BoutonAnnuler_Click();
}

void FeuilleDateCom::BoutonOK_Click() {
    if (!instantValide(etat_, EditDateDeb, EditTimeDeb))
        return;
    hide();
    etat_.MontreTablesPrevision(false);
    FeuilleChangeUTC* u = etat_.feuilleChangeUTC();
    const QRect f = etat_.form2()->frameGeometry();
    u->move(f.left(), f.top() + f.height());
    u->EditDateDeb->setText(EditDateDeb->text());
    u->EditTimeDeb->setText(EditTimeDeb->text());
    u->show();
    etat_.ModeAffichage = QStringLiteral("CommWin");
    etat_.XPointDX = 0;
    etat_.YPointDX = 0;
    etat_.CalculFenetreCommune();
}

void FeuilleDateCom::BoutonAnnuler_Click() {
    hide();
    etat_.form2()->MenuAffiche->setCaption(5, QStringLiteral("Common Window"));
    etat_.form2()->ImgPrev->showReleased();
    etat_.MontreTablesPrevision(true);
    etat_.BasculeMenus(true);
}

FeuilleChangeUTC::FeuilleChangeUTC(Planner& etat) : QWidget(nullptr), etat_(etat) {
    setWindowTitle(QStringLiteral("Change UTC"));
    platform::resizeClientTwips(this, 4200, 900);
    auto* cadre = new QGroupBox(QStringLiteral("UTC (d-m-y  h-m)"), this);
    platform::setTwipsGeometry(cadre, 120, 60, 2520, 720);
    EditDateDeb = new platform::MaskedEdit(cadre);
    platform::setTwipsGeometry(EditDateDeb, 120, 300, 1320, 330);
    EditTimeDeb = new platform::MaskedEdit(cadre);
    platform::setTwipsGeometry(EditTimeDeb, 1560, 300, 840, 330);
    BoutonOK = new QPushButton(QStringLiteral("O.K."), this);
    platform::setTwipsGeometry(BoutonOK, 2760, 240, 1320, 420);
    brancheBoiteDate(etat, EditDateDeb);
    brancheBoiteHeure(etat, EditTimeDeb);
    connect(BoutonOK, &QPushButton::clicked, this, &FeuilleChangeUTC::BoutonOK_Click);
}

void FeuilleChangeUTC::BoutonOK_Click() {
    if (!instantValide(etat_, EditDateDeb, EditTimeDeb))
        return;
    const QRect f = etat_.form2()->frameGeometry();
    move(x(), f.top() + f.height());
    etat_.feuilleDateCom()->EditDateDeb->setText(EditDateDeb->text());
    etat_.feuilleDateCom()->EditTimeDeb->setText(EditTimeDeb->text());
    etat_.BasculeMenus(false);
    etat_.CalculFenetreCommune();
}
