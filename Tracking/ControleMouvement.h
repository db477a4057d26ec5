#pragma once
// The motion check of the antenna drive: once per cycle and axis, on the
// antenna's reading (the azimuth on the extended scale), it compares what the
// axis does with what the box was told to do, and names the first thing that
// is wrong. No widget, no line: the controller (Pilote) tells it each command
// the box has taken and each reading, and stops the drives on a verdict.
//
// The rules, per axis, while its drive runs (relay on, or a speed byte other
// than 64 with the proportional drive enabled):
// - Against its command: the reading has gone the other way from where it
//   stood when the run began, by more than the Start hysteresis (at least
//   PlancherBruit for the encoder's noise), or by more than SeuilSortie over
//   a stretch in which it should have followed its drive (below): a motor
//   wired the wrong way round or an encoder that counts the other way.
// - Beyond a stop and moving out: while the drive is on at the box (a
//   proportional drive held at 64 included), a reading beyond either soft stop
//   that has moved further out by more than SeuilSortie from the innermost
//   reading seen beyond it, unless the drive was sent that way (the drive
//   step's own end stop stops that one, without an alarm).
// - Not following its drive: over every stretch of drive in which the axis
//   should have turned DistanceFenetre degrees at the speed it was given, the
//   reading has moved less than PartMinimale of that (a frozen encoder, a
//   broken cable, a stalled motor, a slipping clutch). The speed is the
//   axis's rate times the commanded fraction of full speed (relay modes 1,
//   the relays run the motor at its one speed; proportional mode the speed
//   byte's share of full speed). The station file gives no rate: each axis
//   learns it from the motion it shows (the fastest seen over SegmentAppris
//   degrees of travel per second of full speed, at most VitesseMax), from
//   VitessePlancher up, so a sound slow rotator is never taken for a stalled
//   one; only time with the drive on counts.
// - Readings not acted on (a reply that jumps further than the antenna can
//   turn): a running drive is stopped once it may have turned DistanceAveugle
//   degrees since the last reading acted on, or could reach its stop before
//   the next reading.
// - Held: the time from one check to the next with a drive running is
//   bounded. Time the program did not run (the process suspended, the
//   machine overloaded, a thread held) beyond BorneTenue, or time in
//   exchanges with the box beyond BorneCycle (a box too slow for a cycle), is
//   found before the next byte goes out.

#include <deque>

namespace suivi {

class ControleMouvement {
public:
    enum class Axe { Azimut, Elevation };
    enum class Cause {
        Aucune,
        ContreCommande,   // moves against its command
        HorsButee,        // beyond a stop and moving further out
        SansMouvement,    // does not follow its drive
        LecturesIgnorees, // ran on while its readings were not acted on
        Tenue,            // the program was held with the drive on
        CycleLent,        // the box's exchanges took longer than a cycle may
    };
    struct Verdict {
        Cause cause = Cause::Aucune;
        Axe axe = Axe::Azimut;
        int sens = 0;         // the direction the drive was running
        float lecture = 0;    // the reading that showed it (the last acted on for a held or blind drive)
        float reference = 0;  // ContreCommande: the reading the run began at; HorsButee: the reading before
        float butee = 0;      // HorsButee: the stop passed
        double deplacement = 0; // SansMouvement: degrees the reading moved
        double attendu = 0;     // SansMouvement, LecturesIgnorees: degrees the drive should have turned
        double secondes = 0;    // seconds of drive over that stretch; Tenue, CycleLent: seconds since the check
        explicit operator bool() const { return cause != Cause::Aucune; }
    };

    // An axis's travel and Start hysteresis: the soft stops (azimuth on the
    // extended scale), degrees.
    struct Course {
        float bas = 0, haut = 0;
        float hysteresis = 1;
    };

    static constexpr float PlancherBruit = 0.5f;
    static constexpr float SeuilSortie = 0.2f;
    static constexpr double DistanceFenetre = 0.5, PartMinimale = 0.25;
    static constexpr double SegmentAppris = 0.5, VitessePlancher = 0.1, VitesseMax = 60;
    static constexpr double DistanceAveugle = 1.0;
    static constexpr double BorneTenue = 0.5, BorneCycle = 1.5;

    // Back to a station's start: nothing learned, no drive, no reading.
    void reinitialise(const Course& azimut, const Course& elevation);

    // The box runs the axis from instant `t` (seconds) so: `actif` its drive
    // is on (relay on, or the proportional drive enabled), `sens` +1
    // clockwise/up, -1 the other way, 0 standing (a proportional drive at
    // 64), `fraction` of full speed (0..1). Each change of direction begins a
    // new run from the last reading acted on. An unchanged command changes
    // nothing.
    void commande(Axe a, double t, bool actif, int sens, double fraction);
    // A reading acted on, taken at `t`: the rules above. `sure`: the
    // instant is known to the exchange's time (the process was not held
    // while the word was read); an unsure one teaches no rate.
    Verdict lecture(Axe a, double t, float x, bool sure = true);
    // A reading not acted on, taken at `t`.
    Verdict lectureIgnoree(Axe a, double t);

    // One exchange with the box, from `debut` to `fin`; one that took longer
    // than `limite` seconds (the reply limit) counts the rest as time the
    // program was held, and so do `tenues` seconds the link found it did not
    // run (whichever is more).
    void echange(double debut, double fin, double limite, double tenues = 0);
    // An exchange begins at `t`: the time since the last one ended was the
    // program's, not the box's.
    void debutEchange(double t);
    // At `t`, the check of a held drive: Tenue or CycleLent when a drive runs
    // and the time since the last check is past its bound (the axis named is
    // the first that runs).
    Verdict tenue(double t);

    // The learned rate of an axis (degrees a second at full speed).
    double vitesse(Axe a) const { return axe(a).vitesse; }
    // How far the axis may run at full speed from a decision taken
    // `depuisLecture` seconds after its reading until the drive step after
    // its next reading: the learned rate times the last interval between two
    // readings and that delay (degrees).
    double courseAvantLecture(Axe a, double depuisLecture = 0) const;
    // A drive runs (direction not 0) on either axis.
    bool enMouvement() const { return az_.sens != 0 || el_.sens != 0; }

private:
    struct Echantillon {
        double attendu; // degrees expected since the run began
        double avance;  // degrees moved in the run's direction since it began
        double marche;  // seconds of drive since the run began
    };
    struct EtatAxe {
        Course course;
        bool actif = false;
        int sens = 0;
        double fraction = 0;
        double depuis = 0; // instant up to which `attendu` and `unites` are counted
        // The run.
        bool enCourse = false;
        float reference = 0; // the reading the run began at
        double attendu = 0;  // degrees expected at the learned rate
        double unites = 0;   // seconds of full speed (fraction x time)
        double marche = 0;   // seconds of drive
        std::deque<Echantillon> fenetre;
        // Learning.
        double vitesse = VitessePlancher;
        double unitesSegment = 0;
        double avanceSegment = 0;
        // Degrees beyond a stop of the innermost reading seen there since it
        // passed it (0 while inside).
        float hors = 0;
        // Readings.
        bool connue = false;
        float derniere = 0;    // last reading acted on
        double attenduDerniere = 0; // `attendu` at that reading
        double tLecture = -1;  // instant of the last reading, acted on or not
        double intervalle = 0; // between the last two readings
    };
    EtatAxe& axe(Axe a) { return a == Axe::Azimut ? az_ : el_; }
    const EtatAxe& axe(Axe a) const { return a == Axe::Azimut ? az_ : el_; }
    static void compte(EtatAxe& e, double t);
    static float hors(const Course& c, float x); // degrees beyond the nearer stop (<= 0 inside)
    void noteLecture(EtatAxe& e, double t);
    // A reading's time counted and noted, then the bound between checks:
    // the verdict on the axis so far, showing `x`.
    Verdict ouvreLecture(Axe a, double t, float x);
    // A new run from the last reading acted on.
    static void debutCourse(EtatAxe& e);
    void verifie(double t);

    EtatAxe az_, el_;
    // The bound between two checks.
    double tVerifie_ = 0;
    double tenue_ = 0, boite_ = 0;
    double finEchange_ = -1;
};

} // namespace suivi
