#include "Calculator/FeuilleChoixFichier.h"

#include "Calculator/Brulvane.h"
#include "platform/widgets/Accessible.h"
#include "platform/Geometry.h"
#include "platform/widgets/StartWindow.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int LargeurFenetre = 6600, HauteurFenetre = 4080; // twips
const QString TitreChoix = QStringLiteral("EME Calculators - Setup File");
} // namespace

FeuilleChoixFichier::FeuilleChoixFichier(Brulvane& etat) : QWidget(nullptr), etat_(etat) {
    setWindowTitle(TitreChoix);
    platform::resizeClientTwips(this, LargeurFenetre, HauteurFenetre);
    setFixedSize(size());

    ImageLogo = new platform::LogoPicture(this);
    Etiq_On = new QLabel(QStringLiteral("Select a \".dat\" file then a calculator"), this);
    platform::setTwipsGeometry(Etiq_On, 240, 120, 6120, 300);
    ListeFichier = new platform::FileList(this);
    platform::setTwipsGeometry(ListeFichier, 240, 540, 2640, 3300);
    BoutonBrulvane = new QPushButton(QStringLiteral("EME Calculator"), this);
    platform::setTwipsGeometry(BoutonBrulvane, 3120, 540, 3240, 480);
    BoutonNoiseCalc = new QPushButton(QStringLiteral("Noise Calculator (next version) "), this);
    platform::setTwipsGeometry(BoutonNoiseCalc, 3120, 1200, 3240, 480);
    BoutonNoiseCalc->setEnabled(false); // disabled by design: a later version
    BoutonAnnuler = new QPushButton(QStringLiteral("Cancel"), this);
    platform::setTwipsGeometry(BoutonAnnuler, 3120, 3360, 3240, 480);

    connect(ListeFichier, &platform::FileList::click, this, &FeuilleChoixFichier::ListeFichier_Click);
    connect(ListeFichier, &platform::FileList::dblClick, this, &FeuilleChoixFichier::ListeFichier_DblClick);
    connect(BoutonBrulvane, &QPushButton::clicked, this, &FeuilleChoixFichier::BoutonBrulvane_Click);
    connect(BoutonAnnuler, &QPushButton::clicked, this, &FeuilleChoixFichier::BoutonAnnuler_Click);
    platform::nameForScreenReaders(this); // every box and value label named by its caption
}

void FeuilleChoixFichier::montreChoix(bool choix) {
    ImageLogo->setVisible(!choix);
    for (QWidget* w : {static_cast<QWidget*>(ListeFichier), static_cast<QWidget*>(Etiq_On),
                       static_cast<QWidget*>(BoutonBrulvane), static_cast<QWidget*>(BoutonNoiseCalc),
                       static_cast<QWidget*>(BoutonAnnuler)})
        w->setVisible(choix);
}

void FeuilleChoixFichier::Form_Load() {
    platform::placeCentredThird(this);
    ImageLogo->load(etat_.Dossier);
    ImageLogo->move((width() - ImageLogo->width()) / 2, (height() - ImageLogo->height()) / 2);
    ListeFichier->setPattern(QStringLiteral("*.dat"));
    ListeFichier->setPath(etat_.Dossier);
    if (etat_.FichierStation.isEmpty()) {
        montreChoix(false);
        setWindowTitle(QStringLiteral("Selvane - EME Calculator"));
        platform::holdStartPicture(this, etat_.Horloge, 2.0);
        if (etat_.programmeTermine())
            return;
    }
    platform::showChooser(this, TitreChoix, [this] { montreChoix(true); });
}

void FeuilleChoixFichier::ListeFichier_Click() {
    BoutonBrulvane->setEnabled(true);
    BoutonNoiseCalc->setEnabled(false);
}

void FeuilleChoixFichier::ListeFichier_DblClick() { ListeFichier_Click(); }

void FeuilleChoixFichier::BoutonBrulvane_Click() {
    BoutonBrulvane->setEnabled(false);
    BoutonNoiseCalc->setEnabled(false);
    etat_.ChoisitStation(ListeFichier->fileName());
}

void FeuilleChoixFichier::BoutonAnnuler_Click() { etat_.AnnuleChoix(); }

void FeuilleChoixFichier::closeEvent(QCloseEvent* e) {
    e->ignore();
    BoutonAnnuler_Click();
}
