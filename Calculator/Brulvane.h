#pragma once
// Brulvane's program-wide state and procedures: the station-file chooser, the
// EME calculator window, the home station's reading and check, the DX file,
// the computation's glue to the window, and the end of the program.
//
// No widget here: the windows call these procedures, and the module reaches
// the windows only through the small interface brulvane::Vue (which window
// shows and what the state says of it, the boxes' texts, the results).
//
// One object of this class is the whole program's state; tests create a
// fresh one with scripted dialogs, a manual clock, a temporary station folder
// and an end-of-program seam they can observe.

#include "Calculator/BilanEME.h"
#include "Calculator/Stations.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace brulvane {

// Which window the operator is in; every window's visibility follows it.
enum class Lieu {
    Choix,       // start window and station-file chooser
    Calculateur, // the EME calculator
    Fin,         // the program has ended: no window
};

// What the module asks of the windows.
class Vue {
public:
    virtual ~Vue() = default;
    // Shows the window of the current Lieu (the chooser's first showing holds
    // its start picture) and hides the others; writes what the state says of
    // the calculator: its caption, the call sign, the noise unit labels and
    // the Range list's text. A chooser shown anew has its list read again and
    // both calculator buttons disabled; a calculator hidden hides its help.
    virtual void rafraichit() = 0;
    virtual QString texte(Boite b) const = 0;
    // Puts a text into a box; the box's filter runs on it even when the box
    // already holds that text.
    virtual void ecritBoite(Boite b, const QString& texte) = 0;
    // The computation refuses the value of box `b`: the beep, the refusal
    // sign on the box and the focus in it.
    virtual void refuseBoite(Boite b) = 0;
    // The 15 result labels, indexed by Resultat.
    virtual void ecritResultats(const std::array<QString, NombreResultats>& textes) = 0;
};

} // namespace brulvane

class Brulvane {
public:
    // `dossier`: the station folder (the program's current directory).
    // `fin`: ends the program; called once, after the windows are hidden.
    // Production quits the event loop.
    Brulvane(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier, std::function<void()> fin);
    Brulvane(const Brulvane&) = delete;
    Brulvane& operator=(const Brulvane&) = delete;

    // The windows; set once, before Main().
    void relie(brulvane::Vue& vue) { vue_ = &vue; }

    // Bare name of the chosen station file in `Dossier`; empty until chosen.
    QString FichierStation;
    // Earth-Moon distance in metres for the path loss.
    int32_t DistanceLune = brulvane::DistancePerigee;
    // Text of the Range list.
    QString Range = QStringLiteral("Perigee");
    // "dBm" or "K"; empty until the calculator window first opens.
    QString UniteBruit;
    // The home station's call sign, the caption of its parameter frame.
    QString Indicatif;

    platform::Dialogs& Dialogues;
    platform::Clock& Horloge;
    const QString Dossier;
    // Faults injected into the save of "brulvane.ini" (tests only).
    platform::SaveFaults FautesSauvegarde;

    brulvane::Lieu lieu() const { return lieu_; }
    bool programmeTermine() const { return lieu_ == brulvane::Lieu::Fin; }
    // The DX boxes hold other texts than "brulvane.ini" as last read or
    // saved (a value it does not hold counts as empty): quitting now would
    // lose them.
    bool modificationsDXNonEnregistrees() const;

    // Start-up: the chooser (with its 2-second start picture).
    void Main();
    // "EME Calculator" on the station file `nom`: the home station read and
    // checked, the DX file read, the calculator opened.
    void ChoisitStation(const QString& nom);
    // "Cancel" in the chooser: back to the calculator once a station file
    // was chosen, else the quit question.
    void AnnuleChoix();
    // "New home station": the chooser again.
    void NouvelleStation();
    void OuvreCalculateur();
    // Both return false when the program has been ended by a failure.
    bool LectureStationHome();
    bool VerifieStationHome();
    void LectureStationDX();
    void SauveStationDX();
    // "dBm/Hz <-> K".
    void BasculeUnite();
    // A choice in the Range list.
    void ChoisitRange(const QString& texte);
    // "Are you sure you wish to quit ?" (saying first that the changes to
    // "brulvane.ini" are not saved, when they are not); Yes ends the program.
    void ConfirmeQuitter();
    void CalculBilanEME();
    void EffaceResultats();
    void FinProgramme();

private:
    void va(brulvane::Lieu lieu);
    brulvane::ValeursDX textesDX() const;

    std::function<void()> fin_;
    brulvane::Vue* vue_ = nullptr;
    brulvane::Lieu lieu_ = brulvane::Lieu::Choix;
    // The DX texts as "brulvane.ini" held them when last read or saved.
    std::optional<brulvane::ValeursDX> dxEnregistre_;
};
