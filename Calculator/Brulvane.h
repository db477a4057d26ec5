#pragma once
// Brulvane's program-wide state and procedures: the station-file chooser, the
// EME calculator window, the home station's reading and check, the DX file,
// the computation's glue to the window, and the end of the program.
//
// One object of this class is the whole program's state; tests create a
// fresh one with scripted dialogs, a manual clock, a temporary station folder
// and an end-of-program seam they can observe.

#include "Calculator/BilanEME.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class FeuilleChoixFichier;
class F_Brulvane;
class F_NoiseCalc;

class Brulvane {
public:
    // `dossier`: the station folder (the program's current directory).
    // `fin`: ends the program; called once, after ProgrammeTermine is set
    // and every window hidden. Production quits the event loop.
    Brulvane(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier, std::function<void()> fin);
    ~Brulvane();
    Brulvane(const Brulvane&) = delete;
    Brulvane& operator=(const Brulvane&) = delete;

    // Bare name of the chosen station file in `Dossier`; empty until chosen.
    QString FichierStation;
    // Earth-Moon distance in metres for the path loss.
    int32_t DistanceLune = brulvane::DistancePerigee;
    // "dBm" or "K"; empty until the calculator window first opens.
    QString UniteBruit;
    // Set when the program has ended; nothing may run after it.
    bool ProgrammeTermine = false;

    platform::Dialogs& Dialogues;
    platform::Clock& Horloge;
    const QString Dossier;
    // Faults injected into the save of "brulvane.ini" (tests only).
    platform::SaveFaults FautesSauvegarde;

    // Start-up: creates the three windows hidden, then shows the chooser
    // (with its 2-second start picture on the first showing).
    void Main();
    void OuvreCalculateur();
    // Both return false when the program has been ended by a failure.
    bool LectureStationHome();
    bool VerifieStationHome();
    void LectureStationDX();
    void SauveStationDX();
    void ConfirmeQuitter();
    void CalculBilanEME();
    void EffaceResultats();
    void FinProgramme();
    // Shows the chooser again ("New home station"): the list re-read, no
    // entry selected, both calculator buttons disabled.
    void MontreChoix();

    FeuilleChoixFichier* feuilleChoixFichier() const { return feuilleChoixFichier_.get(); }
    F_Brulvane* f_Brulvane() const { return f_Brulvane_.get(); }
    F_NoiseCalc* f_NoiseCalc() const { return f_NoiseCalc_.get(); }

private:
    std::function<void()> fin_;
    std::unique_ptr<F_Brulvane> f_Brulvane_;
    std::unique_ptr<F_NoiseCalc> f_NoiseCalc_;
    std::unique_ptr<FeuilleChoixFichier> feuilleChoixFichier_;
};
