#pragma once
// Correct's main module: the program-wide state, owned as one object for the
// program's life, and the procedures that move between its three windows.
// Windows are created on first use and then only hidden and shown.

#include <QString>
#include <functional>
#include <memory>

#include "CORRECT/FichierCorrection.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

class FeuilleChoixFichierTCV;
class FeuillePrincipale;
class FeuilleChoixFichierDat;

class Correct {
public:
    // `dossier` is the station folder every file is listed, read and written in.
    Correct(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier);
    ~Correct();
    Correct(const Correct&) = delete;
    Correct& operator=(const Correct&) = delete;

    // Bare name of the current table file: set by a click in the table list
    // and by a save (from the station file's name).
    QString FichierTCV;
    // Bare name of the station file chosen when saving.
    QString FichierStation;
    // When true, the next accepted key other than Backspace replaces the
    // current cell's text.
    bool PremiereTouche = false;
    // Answer of the last question box.
    platform::Answer Reponse = platform::Answer::No;
    // Set once the operator has confirmed quitting; the windows are hidden.
    bool ProgrammeTermine = false;

    platform::Dialogs& dialogs;
    platform::Clock& clock;
    const QString dossier;
    // Called when the program ends; production leaves the event loop.
    std::function<void()> finProgramme;

    // The windows, created (and loaded) on first use.
    FeuilleChoixFichierTCV& feuilleChoixFichierTCV();
    FeuillePrincipale& feuillePrincipale();
    FeuilleChoixFichierDat& feuilleChoixFichierDat();
    bool feuillePrincipaleChargee() const { return feuillePrincipale_ != nullptr; }

    // Start-up: the start window with its picture, then the table chooser
    // with OK disabled.
    void Main();
    // Reads FichierTCV into the grid and opens the editor.
    void LectureFichierCorrection();
    // Saves the grid's table under the name of FichierStation, then shows the
    // editor again (after a write error the station-file chooser stays).
    void SauveFichierCorrection();
    // "Are you sure you wish to quit ?": Yes ends the program at once.
    void ConfirmeQuitter();

private:
    std::unique_ptr<FeuilleChoixFichierTCV> feuilleChoixFichierTCV_;
    std::unique_ptr<FeuillePrincipale> feuillePrincipale_;
    std::unique_ptr<FeuilleChoixFichierDat> feuilleChoixFichierDat_;
};
