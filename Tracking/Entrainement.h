#pragma once
// The axis drive: once per tracking cycle and on the operator's commands, it
// decides which drive bytes go to the interface box (relays, speed bytes,
// starts and stops with the Start/Stop hysteresis, soft end stops, park,
// pause and restart). A small state machine with no widget: inputs are the
// antenna and source positions, outputs the bytes sent through the link and
// the state of the controls it governs (ControlesEntrainement), which the
// windows show.

#include "Tracking/Protocole.h"
#include "Tracking/Station.h"

#include <array>

namespace suivi {

// Drive modes of the station's SpeedControl value.
constexpr int ModeRelais = 0, ModeRelaisEcart = 1, ModeVitesse = 2;

// What the drive shows or allows on the windows.
struct ControlesEntrainement {
    bool DirAzimDroit = false, DirAzimGauche = false, DirElevHaut = false, DirElevBas = false;
    bool MenuAntenne0Enabled = true;  // "Az/El position   F1"
    bool MenuAntenne2Enabled = true;  // "AutoTrack        F3"
    bool MenuAntenne2Checked = false;
    bool MenuAntenne4Enabled = true;  // "Parking"
    bool MenuAntenne6Checked = false; // "Drive (motor)"
    bool MenuFichier0Enabled = true;  // File > New
    bool ImgParkEnabled = true, ImgTrackEnabled = true;
    bool ImgTrackPressed = false, ImgMotPressed = false;
    bool MenuSourcePEnabled = true;
    bool BoutonsSourceEnabled = true; // ImgLune, ImgSoleil, ImgCiel
    bool FlechesEnabled = true;       // ImgDroit, ImgGauche, ImgHaut, ImgBas
    bool SourcEtiqVisible = false;    // "Below Horizon"
    std::array<bool, 3> AntenEtiq{};  // "Tracking", "End Stop", "Parking"
};

class Entrainement {
public:
    // `station`: the station as tracked (ButeeD already raised by 360 when the
    // travel crosses north); `liaison`: where the bytes go.
    Entrainement(const StationTrack& station, Liaison& liaison) : s_(station), liaison_(&liaison) {}
    void setLiaison(Liaison& l) { liaison_ = &l; }

    // Back to the start state of a station load (all flags off).
    void reinitialise(bool courseTraverseNord);

    // Extended azimuth: X + 360 when the travel crosses north and 0 <= X < OffAz.
    float etendu(float x) const;
    // A position (antenna, source or target) on the extended scale: as
    // etendu() inside the travel; outside it, on the side of the nearer
    // stop. The rule alone reads a point just past the CCW stop (below
    // OffAz) as one past the CW stop, beyond north: the drive would then
    // run on through the stop it has passed, or sweep the whole travel to
    // aim at the other one.
    float etenduPosition(float x) const;

    // Direction toggles: start the axis that way when it is off, stop it when on.
    void MoteurAzCW();
    void MoteurAzCCW();
    void MoteurElHaut();
    void MoteurElBas();
    // Running drives off at once (stop bytes without waiting for replies),
    // marked for restart by the next drive step.
    void PauseMoteurs();
    // The bytes that stop the running drives now: in ModeVitesse the neutral
    // speed pair (64, 64) first, then 0x10 for a running elevation and 0x00
    // for a running azimuth. Empty when no drive runs. An axis counts as
    // running from the moment its start byte is sent.
    std::vector<uint8_t> octetsArret() const;
    void BasculeMoteurs();
    void CommandeParking();
    void PiloteAntenne(int mode);
    // Tracking switched on / off by the operator (F3, AutoTrack, ImgTrack).
    void PoursuiteMarche();
    void PoursuiteArret();
    // One arrow step (key code 37..40).
    void PasManuel(int touche);
    // After a typed target: start the axes toward it (ConsigneAzimut,
    // ConsigneElevation set, AllerConsigne flags set by the caller).
    void DemarrerVersConsigne();
    // A typed target (azimuth 0..360 as typed, elevation): held inside the
    // end stops on the extended scale, both move flags set, and the move
    // started as the drive mode starts one.
    void ConsigneSaisie(float azimut, float elevation);

    // A target or aim held inside the end stops: azimuth on the extended
    // scale within ButeeG..ButeeD, elevation within ButeeB..ButeeH.
    float borneAz(float azimutEtendu) const;
    float borneEl(float elevation) const;
    // The axis stands at or beyond its end stop on the side of `sens`
    // (+1 clockwise/up, -1 counter-clockwise/down): it must not be driven
    // further that way.
    bool enButeeAz(int sens) const;
    bool enButeeEl(int sens) const;

    // The drive step of one cycle. Returns true when the park move has
    // arrived and its notice is due (ParkingDemande is then cleared).
    bool Etape(float azimutAntenne, float elevationAntenne, double azimutSource, double elevationSource);

    // Antenna position as last seen by the drive (for the manual commands).
    void positionAntenne(float az, float el);

    // Drive state, named as the rest of the program names it.
    bool MoteurAzActif = false, MoteurElActif = false;
    int SensAz = 0, SensEl = 0;
    bool PoursuiteActive = false, PoursuiteAz = false, PoursuiteEl = false;
    bool AllerConsigneAz = false, AllerConsigneEl = false;
    float ConsigneAzimut = 0, ConsigneElevation = 0, ConsigneAzimutEtendue = 0;
    float AzimutEtendu = 0, AzimutSourceEtendu = 0;
    float AzimutAntenne = 0, ElevationAntenne = 0;
    double AzimutSource = 0, ElevationSource = 0;
    int VitesseAz = 0, VitesseEl = 0, EtatVitesseAz = 0, EtatVitesseEl = 0;
    float CibleAz = 0, CibleEl = 0, EcartAz = 0, EcartEl = 0;
    bool MoteursEnPause = false, ParkingDemande = false;
    bool CourseTraverseNord = false;
    ControlesEntrainement c;

private:
    void envoie(uint8_t code) { liaison_->echange(code); }
    void arretAz();
    void arretEl();
    // A manual move of one axis (its motor flag, sense and stop): stops the
    // axis if its motor runs, else sends the direction code, notes the sense
    // (+1 / -1) and lights the arrow.
    // A start toward a stop the axis has reached is refused (`butee`).
    void marche(bool& moteur, int& sensAxe, void (Entrainement::*arret)(), uint8_t code, int sens, bool& fleche,
                bool butee);
    void resetPoursuite(bool avecPark);
    void recalculeEtendus();
    void noticeButee();
    bool etapeRelais();
    bool etapeVitesse();
    int vitesseEcart(float cible, float position, bool aller, bool moteur) const;
    int vitesseProportionnelle(float ecart, float on, float of, int& etat, bool moteur) const;

    const StationTrack& s_;
    Liaison* liaison_;
};

} // namespace suivi
