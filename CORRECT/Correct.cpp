#include "CORRECT/Correct.h"

#include <QCoreApplication>

#include "CORRECT/FeuilleChoixFichierDat.h"
#include "CORRECT/FeuilleChoixFichierTCV.h"
#include "CORRECT/FeuillePrincipale.h"
#include "CORRECT/LectureEcriture.h"

Correct::Correct(platform::Dialogs& d, platform::Clock& c, QString folder)
    : dialogs(d), clock(c), dossier(std::move(folder)), finProgramme([] { QCoreApplication::exit(0); })
{
}

Correct::~Correct() = default;

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

FeuilleChoixFichierTCV& Correct::feuilleChoixFichierTCV()
{
    return creeeAuPremierUsage(feuilleChoixFichierTCV_, *this);
}

FeuillePrincipale& Correct::feuillePrincipale()
{
    return creeeAuPremierUsage(feuillePrincipale_, *this);
}

FeuilleChoixFichierDat& Correct::feuilleChoixFichierDat()
{
    return creeeAuPremierUsage(feuilleChoixFichierDat_, *this);
}

void Correct::Main()
{
    FeuilleChoixFichierTCV& choix = feuilleChoixFichierTCV();
    choix.BoutonFichierOK->setEnabled(false);
    choix.show();
}

void Correct::LectureFichierCorrection()
{
    feuilleChoixFichierTCV().hide();
    FeuillePrincipale& editeur = feuillePrincipale();
    editeur.preparerGrille();
    const correct::ResultatLecture r = correct::lireTableCorrection(dossier, FichierTCV, dialogs);
    editeur.afficherTable(r.table);
    editeur.selectionnerPremiereCellule();
    PremiereTouche = true;
    editeur.setWindowTitle(editeur.windowTitle() + QStringLiteral(" - ") + FichierTCV);
    editeur.show();
    editeur.BoutonSauve->setVisible(true);
}

void Correct::SauveFichierCorrection()
{
    feuilleChoixFichierTCV().ListeFichierTCV->refresh();
    FeuillePrincipale& editeur = feuillePrincipale();
    FeuilleChoixFichierDat& choixDat = feuilleChoixFichierDat();

    const correct::ResultatSauvegarde r =
        correct::sauverTableCorrection(dossier, FichierStation, editeur.table(), dialogs);
    FichierTCV = r.fichierTCV;
    if (r.reponse)
        Reponse = *r.reponse;
    switch (r.etat) {
    case correct::Sauvegarde::Refusee:
        choixDat.ListeFichierDat->setListIndex(-1);
        choixDat.hide();
        editeur.show();
        break;
    case correct::Sauvegarde::Erreur:
        // The chooser stays with its selection; the editor stays hidden.
        break;
    case correct::Sauvegarde::Ecrite:
        choixDat.hide();
        choixDat.ListeFichierDat->setListIndex(-1);
        editeur.setWindowTitle(QStringLiteral("Tracking Correction Values - ") + FichierTCV);
        editeur.show();
        break;
    }
}

void Correct::ConfirmeQuitter()
{
    Reponse = dialogs.message(QStringLiteral("Are you sure you wish to quit ?"), platform::Buttons::YesNo,
                              platform::Icon::Critical, QStringLiteral("Selvane - T.C.V"));
    if (Reponse != platform::Answer::Yes)
        return;
    ProgrammeTermine = true;
    if (feuilleChoixFichierDat_)
        feuilleChoixFichierDat_->hide();
    if (feuillePrincipale_)
        feuillePrincipale_->hide();
    if (feuilleChoixFichierTCV_)
        feuilleChoixFichierTCV_->hide();
    if (finProgramme)
        finProgramme();
}
