#include "Planner/FeuilleDateCom.h"

#include "Planner/Dates.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/FeuilleChoixDate.h"
#include "Planner/Form2.h"
#include "Planner/Planner.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

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
    // The two boxes share one frame: each is named for what it holds.
    EditDateDeb->setAccessibleName(QStringLiteral("UTC date (d-m-y)"));
    EditTimeDeb->setAccessibleName(QStringLiteral("UTC time (h-m)"));
    platform::nameForScreenReaders(this);
}

void FeuilleDateCom::Form_Activate() { setWindowTitle(etat_.NomSource + QStringLiteral(" Common window")); }

void FeuilleDateCom::showEvent(QShowEvent* e) {
    Form_Activate();
    QWidget::showEvent(e);
}

void FeuilleDateCom::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void FeuilleDateCom::closeEvent(QCloseEvent* e) {
    e->ignore();
    BoutonAnnuler_Click();
}

void FeuilleDateCom::BoutonOK_Click() {
    if (etat_.Refuse())
        return;
    if (!verifieInstant(etat_, EditDateDeb, EditTimeDeb))
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
}

