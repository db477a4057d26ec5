#include "CORRECT/FenetresCorrect.h"

#include "CORRECT/FeuilleChoixFichierDat.h"
#include "CORRECT/FeuilleChoixFichierTCV.h"
#include "CORRECT/FeuillePrincipale.h"

using correct::Lieu;

FenetresCorrect::FenetresCorrect(Correct& etat) : etat_(etat)
{
    etat_.relie(*this);
}

FenetresCorrect::~FenetresCorrect() = default;

namespace {

// The window held in `feuille`, created and loaded on its first use.
template <class Feuille>
Feuille& creeeAuPremierUsage(std::unique_ptr<Feuille>& feuille, Correct& etat)
{
    if (!feuille) {
        feuille = std::make_unique<Feuille>(etat);
        feuille->Form_Load();
    }
    return *feuille;
}

} // namespace

FeuilleChoixFichierTCV& FenetresCorrect::feuilleChoixFichierTCV()
{
    return creeeAuPremierUsage(feuilleChoixFichierTCV_, etat_);
}

FeuillePrincipale& FenetresCorrect::feuillePrincipale()
{
    if (!feuillePrincipale_) {
        // The editor's first load refreshes both file lists.
        feuilleChoixFichierTCV().ListeFichierTCV->refresh();
        feuilleChoixFichierDat().ListeFichierDat->refresh();
    }
    return creeeAuPremierUsage(feuillePrincipale_, etat_);
}

FeuilleChoixFichierDat& FenetresCorrect::feuilleChoixFichierDat()
{
    return creeeAuPremierUsage(feuilleChoixFichierDat_, etat_);
}

void FenetresCorrect::rafraichit()
{
    const Lieu lieu = etat_.lieu();
    if (lieu == Lieu::ChoixTable)
        feuilleChoixFichierTCV().show();
    else if (feuilleChoixFichierTCV_)
        feuilleChoixFichierTCV_->hide();

    if (lieu == Lieu::Editeur) {
        FeuillePrincipale& editeur = feuillePrincipale();
        editeur.setWindowTitle(etat_.TitreEditeur);
        editeur.show();
    } else if (feuillePrincipale_) {
        feuillePrincipale_->hide();
    }

    if (lieu == Lieu::ChoixStation) {
        feuilleChoixFichierDat().show();
    } else if (feuilleChoixFichierDat_) {
        feuilleChoixFichierDat_->hide();
        feuilleChoixFichierDat_->ListeFichierDat->setListIndex(-1);
        feuilleChoixFichierDat_->BoutonOKDat->setEnabled(false);
    }
}

void FenetresCorrect::afficheTable(const correction::TableCorrection& table)
{
    FeuillePrincipale& editeur = feuillePrincipale();
    editeur.preparerGrille();
    editeur.afficherTable(table);
    editeur.selectionnerPremiereCellule();
}

correction::TableCorrection FenetresCorrect::table() const
{
    return feuillePrincipale_ ? feuillePrincipale_->table() : correction::tableParDefaut();
}
