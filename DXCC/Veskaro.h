#pragma once
// Veskaro's program-wide state, owned as one object for the program's life:
// the dialog and clock seams, the station folder the database lives in, and
// the two windows, created on first use and then only hidden and shown. The
// editor's own procedures and state live in its main window, Form2.

#include <QString>
#include <functional>
#include <memory>

#include "DXCC/BaseDXCC.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

class FeuilleChoixFichier;
class Form2;

class Veskaro {
public:
    // `dossier` is the folder "DXCCPREF.DBR" is read from and saved to.
    Veskaro(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier);
    ~Veskaro();
    Veskaro(const Veskaro&) = delete;
    Veskaro& operator=(const Veskaro&) = delete;

    platform::Dialogs& dialogs;
    platform::Clock& clock;
    const QString dossier;
    // Set once the operator has confirmed quitting; every window is hidden.
    bool ProgrammeTermine = false;
    // Called when the program ends; production leaves the event loop.
    std::function<void()> finProgramme;
    // Disk faults for tests of the read and save paths; none in production.
    dxcc::FautesLecture fautesLecture;
    platform::SaveFaults fautesSauvegarde;

    FeuilleChoixFichier& feuilleChoixFichier();
    // The main window; its first use loads it (placement and the database).
    Form2& form2();
    bool form2Chargee() const { return form2_ != nullptr; }

    // Start-up: the start window with the logo for 2 seconds, then the editor.
    void Main();
    // Ends the program at once: every window hidden, then finProgramme.
    void FinProgramme();

private:
    std::unique_ptr<FeuilleChoixFichier> feuilleChoixFichier_;
    std::unique_ptr<Form2> form2_;
};
