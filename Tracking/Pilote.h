#pragma once
// The one drive controller of Tracking: it owns the line to the interface
// box, the drive state machine (Entrainement), the encoder readings with
// their corrections and the motion check (ControleMouvement). Nothing else
// writes to the line. The windows hand it what the operator wants as
// demands, and it carries each out at its place in a cycle:
// - the traffic-period byte after the buffers are emptied, before 0x96;
// - tracking on or off and the "Az/El position" item's state before the
//   next cycle (they send nothing);
// - arrows, typed targets, park and the drive switch in the drive step, so
//   that every drive starts inside a cycle, with its reading and its checks
//   (not while the "Parking" notice stands: they wait until it has gone);
// - a pause (before a menu or a box opens) and a full stop before the next
//   cycle, or before the drive step of the cycle under way (which is then
//   left out), each stop byte as an exchange; the caller waits (bounded)
//   until they are answered. A pause holds the controller until it is
//   released: no cycle runs meanwhile, and the next drive step sends the
//   restart.
//
// It runs in one of two ways. Stepped (the default, and the tests' way): the
// caller runs the pieces of a cycle (debutCycle, lectures, etape) on its own
// thread between its own steps, as Suivi::Cycle does. On a thread of its own
// (demarre): it runs cycles back to back and publishes after each what the
// windows show (EtatPilote), calling `notifie` from its thread; the windows'
// thread takes the latest with etat() and hands back the source position the
// drive step aims at (source()).
//
// The stop path (arretMoteurs) may be called from any thread and, through
// Ligne, from a signal handler: it takes the line from the controller (after
// the exchange under way), sends the stop bytes of the drives the box may be
// running, each as an exchange after any reply still owed, and from then on
// the controller sends nothing more.

#include "Tracking/ControleMouvement.h"
#include "Tracking/Entrainement.h"
#include "Tracking/Protocole.h"
#include "Tracking/Station.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <pthread.h>

namespace suivi {

// Who holds the line, lock-free so that a signal handler may take it: free,
// the controller in an exchange, or taken for good by the stop path. Every
// member function is async-signal-safe (atomics, pthread_self, nanosleep).
class Ligne {
public:
    // The controller's hold for one exchange: false once the stop path has
    // asked for the line. A thread already holding it holds it on (true,
    // and `imbrique` set: it must not give it back).
    bool prend(bool& imbrique);
    void rend();
    // The stop path, from any thread: from now on the controller takes the
    // line no more; an exchange under way on another thread is waited for,
    // up to `delaiMs`; then the line is the stop path's.
    void prendPourArret(int delaiMs);
    // The stop path has asked for the line.
    bool arretee() const { return arret_.load(); }
    // The thread that holds the line now (for a stop byte of the controller's
    // own failure path), or the stop path's.
    bool tenuePar(pthread_t fil) const;
    // Free again, for a new loop of tracking.
    void libere();

private:
    enum : int { Libre, Echange, Arret };
    std::atomic<int> etat_{Libre};
    std::atomic<bool> arret_{false};
    std::atomic<pthread_t> tenant_{};
    static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free &&
                  std::atomic<pthread_t>::is_always_lock_free);
};

// A message the controller asks the windows to show, after it has sent the
// stop bytes it calls for.
struct Avis {
    enum class Type { Message, PortErreur, Bip } type = Type::Message;
    QString texte, titre;
};

// What the windows show of the drive and the readings, as the controller
// published it after its last step.
struct EtatPilote {
    ControlesEntrainement c;
    bool parcPossible = false;
    bool MoteurAzActif = false, MoteurElActif = false, PoursuiteActive = false;
    bool AllerConsigneAz = false, AllerConsigneEl = false, MoteursEnPause = false, ParkingDemande = false;
    float AzimutEtendu = 0;
    // The readings of the last cycle (corrected), and whether they were acted on.
    float AzimutAntenne = 0, ElevationAntenne = 0;
    bool LectureValide = true;
    // Cycles run since the loop began.
    long cycles = 0;
    // The measurement input's raw values read since the last etat(), oldest first.
    std::vector<int> mesures;
    // Messages to show, oldest first (taken by etat()).
    std::vector<Avis> avis;
};

class Pilote {
private:
    // The link the drive and the cycle talk through: each exchange holds the
    // line, is timed for the motion check and refused once the stop path has
    // the line.
    class LiaisonPilote : public Liaison {
    public:
        explicit LiaisonPilote(Pilote& p) : p_(p) {}
        int echange(uint8_t code) override;
        bool arret(uint8_t code) override;
        void declarePanne() override;
        bool enPanne() const override;
        void vider() override;
        bool ouverte() const override;
        void fermer() override;
        Liaison* interne = nullptr;

    private:
        Pilote& p_;
    };

    Ligne ligne_;
    LiaisonPilote liaison_;

public:
    // `station` and `corrections`: the program's, as tracked (ButeeD already
    // raised by 360 when the travel crosses north); they must not change
    // while a loop runs.
    Pilote(const StationTrack& station, const Corrections& corrections);
    ~Pilote();
    Pilote(const Pilote&) = delete;
    Pilote& operator=(const Pilote&) = delete;

    // The line the controller uses (the box's link, or a link with no box).
    void setLiaison(Liaison& l);
    // One exchange on the controller's line (the loop's entry bytes, the
    // measurement input asked alone).
    int echange(uint8_t code);
    // Back to a station load's start: drive and checks reset, line free.
    void reinitialise(bool courseTraverseNord);

    // ---- the pieces of a cycle (the controller's thread, or the caller's when stepped)
    // Empties the buffers (with a box), after the check of a held drive.
    void debutCycle();
    // The traffic period's byte: sent now when stepped (its place), before
    // the next 0x96 on the controller's thread.
    void periode(uint8_t code);
    // 0x96, the azimuth encoder, the measurement input (with `mesure`), the
    // elevation encoder, the correction table: AzimutAntenne,
    // ElevationAntenne, Mesure. The readings are then checked: one that the
    // antenna cannot have reached since the last one acted on
    // (lecturePlausible) is not acted on (LectureValide false, the readings
    // stay as they were), and RejetsAvantPanne of them in a row are the port
    // error.
    void lectures(bool mesure);
    // The encoder requests and the correction table alone (lectures without
    // 0x96 and without the check).
    void lectureCodeurs(bool mesure);
    // The drive step of a cycle whose readings were taken, toward the source
    // at (azimut, elevation) degrees: the operator's drive demands, the motion
    // check (a verdict stops everything, the stop bytes first, then the
    // message), then the drive step of Entrainement. True when the park
    // move has arrived and its notice is due. Nothing when the readings
    // were not acted on (the blind drive's check only).
    bool etape(double azimutSource, double elevationSource);

    // ---- demands of the windows (any thread)
    enum class Demande {
        PoursuiteBascule, // tracking on when off, off when on (F3, AutoTrack, ImgTrack)
        F1Pris,           // "Az/El position   F1" disabled while its boxes are up
        F1Rendu,          // enabled again (the entry was cancelled)
        Fleche,           // one arrow step (touche 37..40)
        Consigne,         // a typed target (azimut 0..360 as typed, elevation)
        Parc,             // Antenna > Parking, ImgPark
        BasculeMoteurs,   // "Drive (motor)" and ImgMot: its check mark removed, then the drive switched
    };
    void demande(Demande d, int touche = 0, float azimut = 0, float elevation = 0);
    // The running drives off, marked for restart, and the controller held
    // until relache(); returns once the stop bytes are answered (or the
    // controller has not come to it within `attenteMs`). Holds nest.
    void pause(int attenteMs = 3000);
    void relache();
    // Everything stops (tracking off, no target, no park, the stop bytes of
    // the drives the box may be running); returns once done (bounded).
    void arretComplet(int attenteMs = 3000);
    // The source the drive step aims at (degrees), as the windows' thread
    // last computed it.
    void source(double azimut, double elevation);
    // Whether each cycle reads the measurement input (the interface window is shown).
    void mesure(bool lue) { mesure_ = lue; }

    // ---- the stop path (any thread)
    // The stop bytes of the drives the box may be running, each as an
    // exchange; then the controller sends nothing more. True when each was
    // answered.
    bool arretMoteurs();
    // Closes the line (the stop path, after its stop bytes).
    void fermer() { liaison_.fermer(); }
    Ligne& ligne() { return ligne_; }

    // ---- the controller on a thread of its own
    // Starts the thread: the loop's entry bytes (0x10, 0x00), then cycles.
    void demarre();
    // Ends the thread (after the exchange under way); the line stays as it is.
    void arrete();
    bool autonome() const { return fil_.joinable(); }
    // Called on the controller's thread after each publication (the latest
    // is taken with etat()): the windows' thread is told, once per batch.
    std::function<void()> notifie;
    // The published state, the measurement values and messages taken with it.
    EtatPilote etat();
    // The state now (stepped: the drive's own).
    EtatPilote etatCourant() const;

    // The failure path of the line (the box did not answer): the stop bytes,
    // then the port error for the windows.
    void panne();

    // Monotonic time in seconds (production: the system's steady clock; a
    // test gives the simulated box's clock).
    std::function<double()> secondesMonotones;
    // Sleeps `secondes` on the controller's thread, waking for urgent demands
    // (production: a real wait; a test may move the box's clock instead).
    std::function<void(double)> dort;
    // The reply limit of the line (seconds): an exchange that takes longer
    // was held (the process did not run), not the box.
    double delaiReponse = DelaiReponseMs / 1000.0;
    // Seconds a cycle sleeps when the station has no box.
    double attenteSansBoite = 0.005;
    // How long the "Parking" notice stands (seconds): the operator's drive
    // commands wait until it has gone.
    double attenteParking = 2.0;
    // Messages the controller asks the windows to show: when stepped, shown
    // at once by this; on its own thread, queued with the published state.
    std::function<void(const Avis&)> surAvis;

    // How fast an encoder reading can change (degrees a second; a rotator
    // turns at a few degrees a second, the correction table at most doubles
    // it) and the change always allowed (resolution, noise), in degrees.
    static constexpr double VitesseLectureMax = 60, EcartLectureFixe = 1;
    static constexpr int RejetsAvantPanne = 3;
    // True when a reading (degrees) may follow the last accepted one after
    // `secondes`: within EcartLectureFixe + VitesseLectureMax x secondes, the
    // difference folded into -180..180.
    static bool lecturePlausible(float x0, float x1, double secondes);

    // The text of the message of a verdict of the motion check.
    QString texteVerdict(const ControleMouvement::Verdict& v) const;

    Entrainement Drive;
    ControleMouvement Controle;
    // The last readings (corrected) and the measurement input.
    float AzimutAntenne = 0, ElevationAntenne = 0;
    int Mesure = 0;
    bool MesureLue = false;
    bool LectureValide = true;
    int LecturesRejetees = 0;

private:
    struct DemandeEnAttente {
        Demande d;
        int touche;
        float azimut, elevation;
    };
    // The check of a held drive before the cycle's bytes (a verdict stops
    // everything first). False when the cycle must not go on (the port error).
    bool verifieTenue();
    // The drive's commands as the box runs them, for the motion check, from
    // `t` (the time before their bytes went out).
    void noteCommandes(double t);
    void appliqueVerdict(const ControleMouvement::Verdict& v);
    // The azimuth's verdict, else the elevation's, applied and the queued
    // drive commands dropped; false when neither stops.
    bool arreteSurVerdict(const ControleMouvement::Verdict& az, const ControleMouvement::Verdict& el);
    void signale(const Avis& a);
    // Demands that send nothing; drive demands (in the drive step).
    void executeEtat(std::unique_lock<std::mutex>& verrou);
    void executeEntrainement();
    void executeUne(const DemandeEnAttente& d);
    // Urgent work (pause, full stop) between two exchanges, and the hold of
    // a pause; false when the thread must end.
    bool urgences(std::unique_lock<std::mutex>& verrou);
    void publie();
    void boucle();
    void cycleAutonome();
public:
    // The "Parking" notice without holding the cycles (on the controller's
    // own thread, and stepped while a drive runs): the beep, the label for
    // attenteParking seconds, the drive commands held until then.
    void avisParking();

private:
    double maintenant() const { return secondesMonotones ? secondesMonotones() : 0.0; }
    // Called on the controller's own thread.
    bool surSonFil() const;

    const StationTrack& station_;
    const Corrections& corrections_;
    LiaisonNulle nulle_;
    // Drive step inputs.
    double azimutSource_ = 0, elevationSource_ = 0;
    std::atomic<bool> mesure_{false};
    bool lectureConnue_ = false;
    double instantLectureAz_ = 0, instantLectureEl_ = 0; // of the last readings acted on
    // When each axis was read in this cycle: its word latched between the
    // start of its low byte's exchange (instantAz_, instantEl_) and the end
    // of its high byte's; `sure` when the process ran all along.
    struct Fenetre {
        double debut = 0, fin = 0;
        bool sure = true;
    };
    Fenetre fenetreAz_, fenetreEl_;
    double instantAz_ = 0, instantEl_ = 0;
    // How long the last exchange took, and the time the link found the
    // process did not run over the exchanges since it was last set to 0.
    double dureeEchange_ = 0, tenuesEchanges_ = 0;
    bool verification_ = false;
    double finParking_ = -1; // the "Parking" notice stands until then

    // Shared with the windows' thread.
    mutable std::mutex m_;
    std::condition_variable cv_;
    std::deque<DemandeEnAttente> etats_, entrainement_;
    std::deque<uint8_t> periodes_;
    int pauses_ = 0;           // pauses asked (each answered by a hold)
    int tenues_ = 0;           // holds not yet released
    bool arretDemande_ = false; // a full stop asked
    long urgencesDemandees_ = 0; // pauses and stops asked so far
    long urgencesFaites_ = 0;    // pauses and stops carried out so far
    bool fin_ = false;          // the thread must end
    bool aPublier_ = false;
    EtatPilote publie_;
    std::vector<int> mesures_;
    std::vector<Avis> avis_;
    std::atomic<bool> notifiee_{false};
    long cycles_ = 0;
    std::thread fil_;
    std::atomic<bool> enPanne_{false};
};

} // namespace suivi
