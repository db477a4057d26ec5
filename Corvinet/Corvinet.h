#pragma once
// Corvinet's main module: the program-wide state and the procedures of the
// program's life (start window, opening a file into the main window, reading
// and writing the station file, the save checks, Save, Save As, the quit
// question). The station's values live only in the main window's controls.

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class FeuilleChoixFichier;
class FenetrePrincipale;

class Corvinet {
public:
    // `dossier`: the station folder the program works in (its current
    // folder). `finProgramme` ends the program; it is called once, on the Yes
    // of the quit question.
    Corvinet(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier,
             std::function<void()> finProgramme);
    ~Corvinet();
    Corvinet(const Corvinet&) = delete;
    Corvinet& operator=(const Corvinet&) = delete;

    // Program-wide variables.
    QString FichierStation;      // bare name of the station file, lower case once opened (nomAffiche: as on disk)
    bool NouveauFichier = false; // the name was typed with "New file": opening reads nothing
    bool SaisieOk = false;       // result of the completeness check
    bool CoherenceOk = false;    // result of the consistency check
    bool FichierAbsent = false;  // no file of the list bears the current name

    platform::Dialogs& dialogs;
    platform::Clock& clock;
    const QString Dossier;
    // Faults injected into every save (tests of the write-error path).
    platform::SaveFaults DefautsEcriture;
    // True once the quit question was answered Yes.
    bool termine() const { return termine_; }

    // The windows, created on first use and kept for the whole run.
    FeuilleChoixFichier& feuilleChoixFichier();
    FenetrePrincipale& fenetrePrincipale();
    bool feuilleChoixCreee() const { return feuille_ != nullptr; }

    // Start-up, and File > Open again.
    void Main();
    // Opens the main window on FichierStation.
    void OuvreFenetrePrincipale();
    // Asks whether to quit, saying so when the station shown has changes
    // that are not saved; true (and the program ends) on Yes.
    bool ConfirmeQuitter();
    // True when the window's values differ from the file as last opened or
    // saved (derived from the values at each call, no flag kept).
    bool ModificationsNonEnregistrees() const;

    // The station file in the folder: the name as it exists on disk.
    QString cheminFichierStation() const;
    // The station file's name as it is spelled on the disk (the name it will
    // be created under when there is none yet): what captions and messages show.
    QString nomAffiche() const;
    void LectureFichierStation();
    // Writes the station; false (after the write error) when it failed.
    bool EcritureFichierStation();

    void ControleSaisie();
    void ControleCoherence();
    void AfficheErreurDonnee(const QString& faute);

    // File menu.
    void MenuOpen();
    void MenuSave();
    void MenuSaveAs();

    // The station file's lines as the window showed them when it was last
    // opened or saved; none before a file is opened.
    std::optional<QStringList> LignesEnregistrees;

    // The name a file was chosen by in the list (its real letter case);
    // names typed with "New file" or Save As are used as they are.
    QString NomReel;

private:
    // The completeness check, then the consistency check, as a save runs
    // them; when both pass, the chooser's list is read again for the name
    // check that follows. True when both pass.
    bool controlesAvantSauvegarde();
    // FichierAbsent for the name `nom` against the chooser's list.
    void chercheFichierAbsent(const QString& nom);
    // The name of the file of the folder that `nom` designates, in the
    // letter case it has on the disk.
    QString nomSurLeDisque(const QString& nom) const;

    std::function<void()> finProgramme_;
    bool termine_ = false;
    std::unique_ptr<FenetrePrincipale> fenetre_;
    std::unique_ptr<FeuilleChoixFichier> feuille_;
};
