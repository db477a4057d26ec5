#include "CORRECT/Correct.h"

#include <QCoreApplication>

#include "CORRECT/LectureEcriture.h"

using correct::Lieu;

Correct::Correct(platform::Dialogs& d, platform::Clock& c, QString folder)
    : dialogs(d), clock(c), dossier(std::move(folder)), finProgramme([] { QCoreApplication::exit(0); })
{
}

void Correct::va(Lieu lieu)
{
    lieu_ = lieu;
    vue_->rafraichit();
}

// Judged by the lines a save would write, so a cell retyped as it was ("0"
// over " 0") is no change.
bool Correct::modificationsNonEnregistrees() const
{
    return tableEnregistree_ && lieu_ != Lieu::Fin &&
           correction::lignesFichierCorrection(vue_->table()) != correction::lignesFichierCorrection(*tableEnregistree_);
}

void Correct::Main()
{
    va(Lieu::ChoixTable);
}

void Correct::ouvreEditeur(const correction::TableCorrection& table)
{
    vue_->afficheTable(table);
    tableEnregistree_ = table;
    PremiereTouche = true;
    TexteAvantSaisie.reset();
    va(Lieu::Editeur);
}

void Correct::LectureFichierCorrection()
{
    const correct::ResultatLecture r = correct::lireTableCorrection(dossier, FichierTCV, dialogs);
    nomTable_ = FichierTCV;
    TitreEditeur += QStringLiteral(" - ") + FichierTCV;
    ouvreEditeur(r.table);
}

void Correct::NouveauFichier()
{
    nomTable_.clear();
    TitreEditeur += QStringLiteral(" - *.tcv");
    ouvreEditeur(correction::tableParDefaut());
}

void Correct::ChoixStation()
{
    va(Lieu::ChoixStation);
}

void Correct::SauveFichierCorrection()
{
    const correction::TableCorrection table = vue_->table();
    const correct::ResultatSauvegarde r = correct::sauverTableCorrection(dossier, FichierStation, table, dialogs);
    FichierTCV = r.fichierTCV;
    if (r.reponse)
        Reponse = *r.reponse;
    switch (r.etat) {
    case correct::Sauvegarde::Refusee:
        va(Lieu::Editeur);
        break;
    case correct::Sauvegarde::Erreur:
        // The chooser stays with its selection; the editor stays hidden.
        break;
    case correct::Sauvegarde::Ecrite:
        tableEnregistree_ = table;
        nomTable_ = FichierTCV;
        TitreEditeur = QStringLiteral("Tracking Correction Values - ") + FichierTCV;
        va(Lieu::Editeur);
        break;
    }
}

void Correct::RetourEditeur()
{
    va(Lieu::Editeur);
}

void Correct::ConfirmeQuitter()
{
    const QString question =
        platform::quitQuestion(!modificationsNonEnregistrees() ? QString()
                               : nomTable_.isEmpty()           ? QStringLiteral("the new table")
                                                               : nomTable_);
    Reponse = dialogs.message(question, platform::Buttons::YesNo, platform::Icon::Critical,
                              QStringLiteral("Selvane - T.C.V"));
    if (Reponse != platform::Answer::Yes)
        return;
    va(Lieu::Fin);
    if (finProgramme)
        finProgramme();
}
