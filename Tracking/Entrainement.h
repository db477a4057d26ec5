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
#include <atomic>

namespace suivi {

// Drive modes of the station's SpeedControl value.
constexpr int ModeRelais = 0, ModeRelaisEcart = 1, ModeVitesse = 2;

// What the drive shows or allows on the windows.
struct ControlesEntrainement {
    bool DirAzimDroit = false, DirAzimGauche = false, DirElevHaut = false, DirElevBas = false;
    bool MenuAntenne0Enabled = true;  // "Az/El position   F1"
    bool MenuAntenne2Enabled = true;  // "AutoTrack        F3"
    bool MenuAntenne2Checked = false;
    bool MenuAntenne6Checked = false; // "Drive (motor)"
    bool MenuFichier0Enabled = true;  // File > New
    bool ImgTrackEnabled = true;
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

    // Extended azimuth: X + 360 when the travel crosses north and
    // 0 <= X < the pivot, the middle of the dead zone between the CW stop
    // and the CCW stop. For a station whose offset lies in the dead zone or
    // on a stop (the station check's rule without a continuous encoder) this
    // reads every point of the travel as the offset would; with a
    // continuous encoder, whose offset may lie anywhere, it still gives the
    // travel one unbroken stretch of the scale.
    float etendu(float x) const { return etendu(s_, CourseTraverseNord, x); }
    float pivot() const { return pivot(s_); }
    static float etendu(const StationTrack& s, bool courseTraverseNord, float x);
    static float pivot(const StationTrack& s);
    // A position (source or target) on the extended scale: as etendu()
    // inside the travel; outside it, on the side of the nearer stop.
    float etenduPosition(float x) const;
    // The antenna on the extended scale, kept from reading to reading: the
    // value of `x` (degrees, 0..360) plus whole turns that lies nearest the
    // last one, so an antenna that has run past a stop is seen past it (and
    // driven back the short way) however the reading wraps. The first
    // reading after a station load is placed by etenduPosition().
    float suitAzimut(float x) const;

    // Direction toggles: start the axis that way when it is off, stop it when on.
    void MoteurAzCW();
    void MoteurAzCCW();
    void MoteurElHaut();
    void MoteurElBas();
    // Running drives off, marked for restart by the next drive step. A
    // pause whose stop bytes have been answered sends nothing more (a second
    // menu, a box after a menu); a stop byte left unanswered is the port
    // error.
    void PauseMoteurs();
    // The bytes that stop the drives the box may be running: 0x10 for the
    // elevation, then 0x00 for the azimuth (in ModeVitesse too: they switch
    // the drives off; speed bytes go only in their place in a cycle). An
    // axis counts as running from the moment its start byte is sent until a
    // stop byte of it has been answered.
    std::vector<uint8_t> octetsArret() const;
    // Sends octetsArret(), each byte as an exchange (also on a failed link);
    // an axis whose stop is answered counts as stopped at the box. True when
    // every one was answered.
    bool envoieArrets();
    // Everything stops: tracking off, no target, no park, both drives off.
    void ArretComplet();
    void BasculeMoteurs();
    // The park move, when parcPossible(); otherwise nothing.
    void CommandeParking();
    // Park can act now ("Parking" and ImgPark are enabled exactly then): not
    // while tracking, nor while a move runs. In the relay modes the drives
    // are off and no target is pending; in ModeVitesse the drives are off,
    // or the last drive step found the move arrived (both speeds within one
    // step of neutral) and no new target has been set since.
    bool parcPossible() const;
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
    // (+1 clockwise/up, -1 counter-clockwise/down), or in the relay modes
    // within the margin short of it that its next run would take it past
    // (see MargeButee): it must not be driven further that way.
    bool enButeeAz(int sens) const;
    bool enButeeEl(int sens) const;

    // The drive step of one cycle. Returns true when the park move has
    // arrived and its notice is due (ParkingDemande is then cleared).
    bool Etape(float azimutAntenne, float elevationAntenne, double azimutSource, double elevationSource);
    // The cycle's readings taken in without a drive step (the drives were
    // stopped instead): the extended azimuths and the "End Stop" notice.
    void PrendPosition(float azimutAntenne, float elevationAntenne);

    // In the relay modes a running axis is stopped short of its stop when it
    // would pass it by more than MargeButee degrees before its next reading
    // (CourseAz, CourseEl: how far it may run until then, set by the
    // controller from the rate it has seen and the time between readings):
    // with a box slow to answer, a cycle's run is large.
    static constexpr float MargeButee = 1;
    float CourseAz = 0, CourseEl = 0;

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
    // ModeVitesse: the last drive step found both speeds within one step of
    // neutral with no tracking (the move has arrived); a new target clears it.
    bool ArriveeVitesse = false;
    bool CourseTraverseNord = false;
    // The box may be running the axis: its start byte went out and no stop
    // byte of it has been answered since. Read by the stop path from any
    // thread.
    std::atomic<bool> EnMarcheAz{false}, EnMarcheEl{false};
    ControlesEntrainement c;

private:
    void envoie(uint8_t code) { liaison_->echange(code); }
    // Sends a start byte: the axis may run from the moment it leaves.
    void demarre(std::atomic<bool>& enMarche, uint8_t code)
    {
        enMarche = true;
        envoie(code);
    }
    // The drive step's stop byte of an axis the box may be running.
    void stoppe(std::atomic<bool>& enMarche, uint8_t code);
    // The margin short of a stop in the relay modes for an axis that may run
    // `course` degrees before its next reading.
    float marge(float course) const;
    void arretAz();
    void arretEl();
    // A manual move of one axis (its motor flag, sense and stop): stops the
    // axis if its motor runs, else sends the direction code, notes the sense
    // (+1 / -1) and lights the arrow.
    // A start toward a stop the axis has reached is refused (`butee`).
    void marche(bool& moteur, int& sensAxe, std::atomic<bool>& enMarche, void (Entrainement::*arret)(), uint8_t code,
                int sens, bool& fleche, bool butee);
    void resetPoursuite();
    void recalculeEtendus();
    void noticeButee();
    bool etapeRelais();
    bool etapeVitesse();
    int vitesseEcart(float cible, float position, bool aller, bool moteur) const;
    int vitesseProportionnelle(float ecart, float on, float of, int& etat, bool moteur) const;

    const StationTrack& s_;
    Liaison* liaison_;
    bool positionConnue_ = false; // AzimutEtendu holds a reading of this station
};

} // namespace suivi
