#include "Calculator/FenetresBrulvane.h"

#include "Calculator/F_Brulvane.h"
#include "Calculator/F_NoiseCalc.h"
#include "Calculator/FeuilleChoixFichier.h"
#include "platform/Files.h"
#include "platform/widgets/FilteredBox.h"
#include "platform/widgets/StartWindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using brulvane::Lieu;

FenetresBrulvane::FenetresBrulvane(Brulvane& etat) : etat_(etat) {
    etat_.relie(*this);
    f_Brulvane_ = std::make_unique<F_Brulvane>(etat_);
    f_Brulvane_->Form_Load();
    f_Brulvane_->hide();
    f_NoiseCalc_ = std::make_unique<F_NoiseCalc>();
    f_NoiseCalc_->hide();
    feuilleChoixFichier_ = std::make_unique<FeuilleChoixFichier>(etat_);
    feuilleChoixFichier_->BoutonBrulvane->setEnabled(false);
    feuilleChoixFichier_->BoutonNoiseCalc->setEnabled(false);
}

FenetresBrulvane::~FenetresBrulvane() = default;

void FenetresBrulvane::rafraichit() {
    FeuilleChoixFichier& choix = *feuilleChoixFichier_;
    F_Brulvane& calc = *f_Brulvane_;
    if (etat_.lieu() == Lieu::Choix && !choixCharge_) {
        // The first load holds the start picture (showing the window), then
        // turns it into the chooser; the program may end meanwhile.
        choixCharge_ = true;
        choix.Form_Load();
    }
    const Lieu lieu = etat_.lieu();

    if (lieu == Lieu::Choix) {
        if (!choix.isVisible()) {
            choix.ListeFichier->refresh();
            choix.BoutonBrulvane->setEnabled(false);
            choix.BoutonNoiseCalc->setEnabled(false);
        }
        choix.show();
    } else {
        choix.hide();
    }

    calc.setWindowTitle(QStringLiteral("Selvane V4.3.08a - EME Calculator - ") +
                        platform::nameOnDisk(etat_.Dossier, etat_.FichierStation));
    // The call sign as it stands: an "&" in it is no mnemonic.
    calc.Cadre_EME[1]->setTitle(QString(etat_.Indicatif).replace(QLatin1Char('&'), QLatin1String("&&")));
    if (!etat_.UniteBruit.isEmpty())
        calc.EtiquettesUnite(brulvane::EtiquetteUnite(etat_.UniteBruit));
    calc.Range->setCurrentText(etat_.Range);
    if (lieu == Lieu::Calculateur) {
        calc.show();
    } else {
        calc.Cadre_Aide->hide();
        calc.hide();
    }
    f_NoiseCalc_->hide();
}

QString FenetresBrulvane::texte(brulvane::Boite b) const { return f_Brulvane_->boite(b)->text(); }

void FenetresBrulvane::ecritBoite(brulvane::Boite b, const QString& texte) { f_Brulvane_->EcritBoite(b, texte); }

void FenetresBrulvane::refuseBoite(brulvane::Boite b) {
    QLineEdit* e = f_Brulvane_->boite(b);
    e->setFocus();
    platform::signalRefusal(e, etat_.Dialogues);
}

void FenetresBrulvane::ecritResultats(const std::array<QString, brulvane::NombreResultats>& textes) {
    for (int i = 0; i < brulvane::NombreResultats; ++i)
        f_Brulvane_->resultat(static_cast<brulvane::Resultat>(i))->setText(textes[i]);
}
