#pragma once
// Tracking's main module: the one program-wide state object. It owns the
// window-free core (Suivi: station, astronomy, drive, cycle), the dialogs and
// the clock it was given and the serial port, and runs the program's life:
// the station chooser, the station load, the main-window set-up, the
// tracking loop, the quit question and the program end.
//
// No widget here: the windows call the module's procedures, and the module
// reaches the windows only through suivi::Vue (FenetresTracking), which
// shows them as the state says (which windows are up, the values, the check
// marks, the panels), lays them out and draws on them.
//
// Event model: the program runs one tracking loop at a time, and one drive
// controller (suivi::Pilote) owns the line. In production the controller runs
// on a thread of its own (Autonome): the windows' thread runs its event loop
// and, on each of the controller's publications (the latest only, at most
// every RafraichissementMs), the rest of the cycle and the windows' refresh;
// handlers hand the controller what the operator wants. Stepped (the tests'
// default) the same cycle runs on the windows' thread, window events between
// two cycles (never inside a serial exchange). Either way no cycle runs while
// a modal box, an input box or a menu is open; a new loop is started by the
// driver (executer) only after the old one has left, never inside it; without
// a serial port a cycle sleeps a few ms so the loop does not take a whole
// core.

#include "Tracking/Suivi.h"
#include "Tracking/TrackIni.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/serial/SerialPort.h"

#include <QString>
#include <functional>
#include <memory>

class QObject;

class Tracking : public suivi::Vue {
public:
    // `dossier`: the station folder (the program's current folder).
    // `finProgramme` ends the program (production: quits the application);
    // it is called once, after the serial port is closed.
    Tracking(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier,
             std::function<void()> finProgramme = {});
    ~Tracking() override;
    Tracking(const Tracking&) = delete;
    Tracking& operator=(const Tracking&) = delete;

    // The windows: set once, before Main(), by the windows themselves
    // (FenetresTracking); without them nothing is shown.
    void relie(suivi::Vue& fenetres) { fenetres_ = &fenetres; }
    void delie() { fenetres_ = &sansFenetres_; }

    // Which windows are up; every window's visibility follows it: the
    // station chooser, or the main window with the interface window (when
    // the station has an interface box), or none once the program has ended.
    enum class Lieu { Depart, Choix, Suivi, Fin };
    Lieu lieu() const { return lieu_; }

    // ---- program-wide state (the core's state is in S) ----
    suivi::Suivi S;
    QString FichierStation;   // bare name of the chosen station file; kept by File > New
    bool StationValide = false;
    bool StationChargee = false; // a station was read in this run
    int ToucheManuelle = 0;
    // The window places as "track.ini" last gave them, and the display
    // choices in force ("World Map", "Absolute position", the measurement
    // display, "Landscape"): read at each station load, the choices changed
    // by the menus.
    suivi::TrackIni Ini;
    // The station and its correction table as read from the files (the
    // core's copy has ButeeD raised for a travel across north).
    suivi::StationTrack StationLue;
    suivi::Corrections CorrectionsLues;
    // Faults injected into the save of track.ini (tests of the write error).
    platform::SaveFaults DefautsEcriture;

    // The boxes of the program: each one pauses the running drives first.
    platform::Dialogs& dialogs;
    platform::Clock& clock;
    const QString Dossier;
    // Milliseconds slept in each yield when the station has no serial port.
    int AttenteSansPortMs = 5;
    // The controller on a thread of its own (production), or stepped on this
    // thread (the tests' default); set before Main().
    bool Autonome = false;
    // The shortest time between two refreshes of the windows on the
    // controller's publications (milliseconds), when it runs on its own thread.
    int RafraichissementMs = 20;
    // Milliseconds one exchange may wait for the box's reply (tests on a
    // loaded machine give it more).
    int DelaiReponse = suivi::DelaiReponseMs;

    // ---- the program's life ----
    void Main();
    void DemarrageProgramme();
    void NouveauFichier(); // File > New
    void LectureFichierStationTrack();
    void VerificationDonneesStation();
    void LectureFichierCorrectionTrack();
    void LectureFichierTrackIni();
    void SauveFichierTrackIni();
    void InitialisationFenetrePrincipale();
    void OuverturePortSerie();
    void ErreurPortSerie();
    void DemandeQuitter();
    // The running drives paused (their stop bytes answered) and restarted by
    // the next drive step (the setup panels).
    void PauseMoteurs();
    // A menu (from its opening to its closing) or the suspension of the
    // process holds the controller: the running drives paused first, no
    // cycle until it is released.
    void Tient();
    void Relache();
    // Everything stops (tracking off, no target, no park, the stop bytes of
    // the drives the box may be running) and the windows show it: the drives
    // start again only on the operator's order.
    void ArretComplet();
    // The top-level menus of both windows are on (off while the chooser is up).
    bool menusActifs() const { return lieu_ == Lieu::Suivi; }
    // Runs the program until it ends. With `limite` >= 0 (tests) it returns
    // after that many yields of the tracking loop, or at once when no loop is
    // due; a later call goes on with the same loop.
    void executer(int limite = -1);
    bool termine() const { return S.ProgrammeTermine; }
    // The interface box's port (open while a station with a box is tracked).
    const platform::SerialPort& port() const { return port_; }
    bool boucleEnCours() const { return boucleEnCours_; }

    // ---- operator commands shared by both windows ----
    void CommandeManuelle(int& touche);
    // F1 and "Az/El position   F1": the item disabled, then the typed target.
    void DebutSaisiePosition();
    void SaisiePositionManuelle();
    void PoursuiteBascule();      // F3, AutoTrack, ImgTrack
    void CommandeParking();       // "Parking", ImgPark
    void BasculeMoteurs();        // "Drive (motor)", ImgMot
    void ReferenceNiveau(bool relative); // F8 / F5 and ImgSignal
    // Source choice from the menu (index 0..11) or an image button
    // (0 Moon, 1 Sun, 9 cold sky as menu index), as the operator makes it.
    void ChoixSourceMenu(int index);
    void ChoixSourceBoutonEnfonce(int index);
    void ChoixSourceBoutonRelache(int index);
    void SaisieSourceAutre();
    bool RecherchePrefixeDXCCTrack(QString& prefixe);
    void SaisiePrefixeDX();
    void ClicCarte(double x, double y);
    // The Sources menu item (0..11) of source code 0..9.
    static int indexSource(int code);
    // The name of source code 0..9 as the Sources menu shows it.
    static QString nomSource(int code);
    // Period and length choices.
    void ChoixPeriode(int index);
    void ChoixDuree(int index);
    void BasculePeriode();
    void BasculeDuree();
    // Display choices: the world map or the sky map; the antenna's absolute
    // position or its offset from the source; the measurement display on or
    // off and its landscape layout (the interface window laid out again).
    void ChoixCarte(bool monde);
    void ChoixPositionAntenne(bool absolue);
    void BasculeMesure();
    void BasculePaysage();
    // The setup panel: `p` shown when no panel is, otherwise the panel
    // hidden; the drives are paused first.
    void BasculeParametres(suivi::Panneau p);
    void FermeParametres();
    // The sky-map legend shown or given back to "About...".
    void MontreLegendeCiel(bool montree);
    // Text of the two setup panels.
    QString texteParametresGeneraux() const;
    QString texteParametresTracking() const;

    // ---- Vue ----
    bool ceder() override;
    bool interfaceVisible() const override;
    bool cadreSkyMapVisible() const override;
    bool imgPosAntVisible() const override;
    bool absolu() const override;
    void rafraichit() override;
    void effaceCarte() override;
    void effaceCarteCiel() override;
    void dessineCourbeCarte(const std::array<float, 72>& y, bool declinaisonPositive) override;
    void pointDX(int ancienX, int ancienY, int x, int y) override;
    void dessineBandeCiel(const std::array<float, 73>& y) override;
    void dessineNiveau(const std::array<float, 21>& n) override;

private:
    void executerBoucles(int limite);
    void executerAutonome(int limite);
    // A publication of the controller, on this thread.
    void surEtat();
    // A box or a menu holds the controller; its release comes once the
    // events of the moment are done (a box that follows a menu holds on).
    void tient();
    void relacheDifferee();
    // Takes the period (0 1st, 1 2nd) or length (0 1 min, 1 2 min, 2 2.5 min)
    // and restarts the period display.
    void posePeriode(int index);
    void poseDuree(int index);
    void periodeRecommencee();
    void sourceRafraichie(bool avecDX);
    // Takes the source of Sources menu item `index` (not 11).
    void poseSource(int index);
    QString chemin(const QString& nom) const;

    std::function<void()> fin_;
    suivi::Vue sansFenetres_;
    suivi::Vue* fenetres_ = &sansFenetres_;
    Lieu lieu_ = Lieu::Depart;
    // "track.ini" was read since the windows were last laid out: the next
    // layout puts them at its places.
    bool placesLues_ = false;
    platform::SerialPort port_;
    std::unique_ptr<suivi::LiaisonSerie> liaison_;
    suivi::LiaisonNulle nulle_;
    bool boucleDemandee_ = false, boucleEnCours_ = false;
    int limite_ = -1, cedes_ = 0;
    bool limiteAtteinte_ = false;
    // With the controller on its own thread: the object its publications
    // are queued to, the holds of the boxes and menus open, a publication
    // that came while one held, the last refresh and the cycles seen.
    std::unique_ptr<QObject> contexte_;
    int tenues_ = 0;
    bool etatEnAttente_ = false, rafraichissementPrevu_ = false;
    qint64 dernierRafraichissement_ = 0;
    long cyclesVus_ = 0;
};
