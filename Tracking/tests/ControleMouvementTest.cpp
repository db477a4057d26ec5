// The motion check as a table of cases: per cycle, what the box was told to
// do and the readings it gave, and the verdict the check must reach (the
// cause, the axis, and the cycle it comes at, within a cycle or two).

#include "Tracking/ControleMouvement.h"
#include "Tracking/Pilote.h"
#include "Tracking/tests/StationEssai.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

using suivi::ControleMouvement;
using Axe = ControleMouvement::Axe;
using Cause = ControleMouvement::Cause;

namespace {

constexpr float Ignoree = std::numeric_limits<float>::quiet_NaN();

// What the box runs an axis at, from the drive step of a cycle on.
struct Commande {
    bool actif = false;
    int sens = 0;
    double fraction = 1;
};
const Commande Arret{};
Commande relais(int sens) { return {true, sens, 1}; }
Commande vitesse(int octet)
{
    return {true, octet > 64 ? 1 : octet < 64 ? -1 : 0, octet > 64 ? (octet - 64) / 63.0 : (64 - octet) / 64.0};
}

// One cycle: its instant, the readings (Ignoree: not acted on), then the
// commands of its drive step.
struct Pas {
    double t;
    float az, el;
    Commande az_, el_;
};

struct Cas {
    const char* nom;
    // Cycles of `dt` seconds; cycle i gives pas(i).
    int cycles;
    double dt;
    std::function<Pas(int i, double t)> pas;
    Cause cause;          // Aucune: no verdict over the whole run
    Axe axe = Axe::Azimut;
    int premier = 0, dernier = 0; // the cycle of the verdict lies within
};

// Stops of the table: azimuth 5..355 (Start hysteresis 1), elevation 0..90.
const ControleMouvement::Course CourseAz{5, 355, 1}, CourseEl{0, 90, 1};

// An antenna turning at `v` degrees a second from `x0` after `t0`.
float course(float x0, double v, double t, double t0 = 0) { return static_cast<float>(x0 + v * std::max(t - t0, 0.0)); }

const Cas Cas_[] = {
    {"a sound relay turning 2 deg/s clockwise for 20 s", 400, 0.05,
     [](int, double t) { return Pas{t, course(100, 2, t), 20, relais(1), Arret}; }, Cause::Aucune},
    {"a sound slow rotator, 0.04 deg/s for 120 s", 2400, 0.05,
     [](int, double t) { return Pas{t, course(100, 0.04, t), 20, relais(1), Arret}; }, Cause::Aucune},
    {"a sound relay at 10 deg/s, a slow box's 0.6 s cycles", 40, 0.6,
     [](int, double t) { return Pas{t, course(20, 10, t), 20, relais(1), Arret}; }, Cause::Aucune},
    {"a sound elevation going down at 3 deg/s", 200, 0.05,
     [](int, double t) { return Pas{t, 100, course(80, -3, t), Arret, relais(-1)}; }, Cause::Aucune},
    {"a sound proportional drive at a creep (65) for 60 s, learned at full speed first", 1400, 0.05,
     [](int i, double t) {
         // 10 s at 127 (2 deg/s), then the slowest speed.
         if (i < 200)
             return Pas{t, course(100, 2, t), 20, vitesse(127), Arret};
         return Pas{t, course(120, 2.0 / 63, t, 10), 20, vitesse(65), Arret};
     },
     Cause::Aucune},
    {"a drive paused 30 s for a menu, then restarted: the pause is no drive time", 1000, 0.05,
     [](int i, double t) {
         if (i < 100)
             return Pas{t, course(100, 2, t), 20, relais(1), Arret};
         if (i < 700)
             return Pas{t, 110, 20, Arret, Arret};
         return Pas{t, course(110, 2, t, 35), 20, relais(1), Arret};
     },
     Cause::Aucune},
    {"an encoder with a 0.1 deg step (BCD) and a slow drive", 2000, 0.05,
     [](int, double t) {
         return Pas{t, static_cast<float>(std::floor(course(100, 0.3, t) * 10) / 10), 20, relais(1), Arret};
     },
     Cause::Aucune},
    {"a drive standing at 64 beyond its CW stop, the reading still", 200, 0.05,
     [](int, double t) { return Pas{t, 356, 20, vitesse(64), Arret}; }, Cause::Aucune},
    {"a relay sent into its CW stop: the drive step's end stop, no alarm", 100, 0.05,
     [](int, double t) { return Pas{t, course(350, 10, t), 20, relais(1), Arret}; }, Cause::Aucune},

    {"a motor wired the wrong way round: sent clockwise, turning counter-clockwise", 100, 0.05,
     [](int, double t) { return Pas{t, course(100, -2, t), 20, relais(1), Arret}; }, Cause::ContreCommande,
     Axe::Azimut, 9, 11},
    {"an elevation encoder counting the other way: sent up, reading down", 100, 0.05,
     [](int, double t) { return Pas{t, 100, course(40, -3, t), Arret, relais(1)}; }, Cause::ContreCommande,
     Axe::Elevation, 6, 8},
    {"a proportional drive against its speed byte (100), 1 deg/s", 100, 0.05,
     [](int, double t) { return Pas{t, course(100, -1, t), 20, vitesse(100), Arret}; }, Cause::ContreCommande,
     Axe::Azimut, 19, 21},
    {"a reading past the CW stop, moving further out against a counter-clockwise command", 100, 0.05,
     [](int, double t) { return Pas{t, course(355.5f, 1, t), 20, relais(-1), Arret}; }, Cause::HorsButee,
     Axe::Azimut, 1, 5},
    {"a drive held at 64 whose reading runs away beyond the low stop", 100, 0.05,
     [](int, double t) { return Pas{t, 100, course(-0.1f, -2, t), Arret, vitesse(64)}; }, Cause::HorsButee,
     Axe::Elevation, 2, 3},
    {"an encoder that freezes after 2 s at 2 deg/s", 200, 0.05,
     [](int, double t) { return Pas{t, course(100, 2, std::min(t, 2.0)), 20, relais(1), Arret}; },
     Cause::SansMouvement, Axe::Azimut, 44, 47},
    {"an elevation encoder that freezes after 2 s at 10 deg/s", 200, 0.05,
     [](int, double t) { return Pas{t, 100, course(10, 10, std::min(t, 2.0)), Arret, relais(1)}; },
     Cause::SansMouvement, Axe::Elevation, 41, 42},
    {"a reading frozen from the start: the floor rate, 5 s of drive", 400, 0.05,
     [](int, double t) { return Pas{t, 100, 20, relais(1), Arret}; }, Cause::SansMouvement, Axe::Azimut, 100, 102},
    {"a proportional drive frozen near its target, 14 steps from neutral", 400, 0.05,
     [](int i, double t) {
         if (i < 100)
             return Pas{t, course(100, 2, t), 20, vitesse(127), Arret};
         return Pas{t, 110, 20, vitesse(78), Arret};
     },
     Cause::SansMouvement, Axe::Azimut, 115, 124},
    {"a creep (65) frozen after learning 2 deg/s", 2000, 0.05,
     [](int i, double t) {
         if (i < 100)
             return Pas{t, course(100, 2, t), 20, vitesse(127), Arret};
         return Pas{t, 110, 20, vitesse(65), Arret};
     },
     Cause::SansMouvement, Axe::Azimut, 320, 340},
    {"two readings not acted on in a row at 10 deg/s, far from the stops", 60, 0.05,
     [](int i, double t) {
         return Pas{t, i == 30 || i == 31 ? Ignoree : course(100, 10, t), 20, relais(1), Arret};
     },
     Cause::LecturesIgnorees, Axe::Azimut, 31, 31},
    {"one reading not acted on, 0.3 deg of travel away from the stops: the move goes on", 60, 0.05,
     [](int i, double t) { return Pas{t, i == 30 ? Ignoree : course(100, 6, t), 20, relais(1), Arret}; },
     Cause::Aucune},
    {"one reading not acted on 0.8 deg before the CW stop at 10 deg/s", 60, 0.05,
     [](int i, double t) { return Pas{t, i == 30 ? Ignoree : course(339.7f, 10, t), 20, relais(1), Arret}; },
     Cause::LecturesIgnorees, Axe::Azimut, 30, 30},
};

} // namespace

TEST(ControleMouvement, TableDesCas)
{
    for (const Cas& c : Cas_) {
        SCOPED_TRACE(c.nom);
        ControleMouvement m;
        m.reinitialise(CourseAz, CourseEl);
        int vu = -1;
        ControleMouvement::Verdict verdict;
        for (int i = 0; i < c.cycles && vu < 0; ++i) {
            const double t = i * c.dt;
            const Pas p = c.pas(i, t);
            // The encoders are read a few exchanges apart.
            const auto lit = [&](Axe a, double ta, float x) {
                return std::isnan(x) ? m.lectureIgnoree(a, ta) : m.lecture(a, ta, x);
            };
            ControleMouvement::Verdict v = lit(Axe::Azimut, t, p.az);
            const ControleMouvement::Verdict ve = lit(Axe::Elevation, t + 0.004, p.el);
            if (!v)
                v = ve;
            if (v) {
                vu = i;
                verdict = v;
                break;
            }
            m.commande(Axe::Azimut, t + 0.008, p.az_.actif, p.az_.sens, p.az_.fraction);
            m.commande(Axe::Elevation, t + 0.008, p.el_.actif, p.el_.sens, p.el_.fraction);
        }
        if (c.cause == Cause::Aucune) {
            EXPECT_EQ(vu, -1) << "cause " << int(verdict.cause) << " at cycle " << vu;
            continue;
        }
        ASSERT_GE(vu, 0) << "no verdict";
        EXPECT_EQ(verdict.cause, c.cause);
        EXPECT_EQ(verdict.axe, c.axe);
        EXPECT_GE(vu, c.premier);
        EXPECT_LE(vu, c.dernier);
    }
}

// The time between two checks with a drive on: what the program did not run
// for (a gap between exchanges, or an exchange far longer than the reply
// limit) beyond half a second is a held drive; time in exchanges past the
// cycle's bound is a box too slow; with no drive on nothing counts, and a
// check (a reading, a command) starts the count again.
TEST(ControleMouvement, TempsEntreDeuxControles)
{
    struct Echange {
        double debut, fin;
        double tenues = 0; // seconds the link found its waits took beyond what they asked
    };
    struct Cas {
        const char* nom;
        bool enMarche;
        std::vector<Echange> echanges; // after a check at 0
        Cause cause;
        double limite = 0.35; // beyond it an exchange was held
    };
    const Cas cas[] = {
        {"a sound cycle of ten exchanges", true,
         {{0, 0.02}, {0.02, 0.04}, {0.04, 0.06}, {0.06, 0.08}, {0.08, 0.1}, {0.1, 0.12}}, Cause::Aucune},
        {"a slow box, 90 ms a reply, inside the cycle's bound", true,
         {{0, 0.09}, {0.09, 0.18}, {0.18, 0.27}, {0.27, 0.36}, {0.36, 0.45}, {0.45, 0.54}, {0.54, 0.63}},
         Cause::Aucune},
        {"the process stopped 14 s between two exchanges", true, {{0, 0.02}, {14.02, 14.04}}, Cause::Tenue},
        {"the process stopped 14 s inside an exchange", true, {{0, 0.02}, {0.02, 14.04}}, Cause::Tenue},
        {"held 14 s with every drive off", false, {{0, 0.02}, {14.02, 14.04}}, Cause::Aucune},
        {"stopped 2 s inside an exchange, a generous reply limit: the link saw its wait run long", true,
         {{0, 0.02}, {0.02, 2.04, 2.0}}, Cause::Tenue, 3.05},
        {"a box 0.3 s a reply: past the cycle's bound", true,
         {{0, 0.3}, {0.3, 0.6}, {0.6, 0.9}, {0.9, 1.2}, {1.2, 1.5}, {1.5, 1.8}}, Cause::CycleLent},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        ControleMouvement m;
        m.reinitialise(CourseAz, CourseEl);
        m.lecture(Axe::Azimut, -0.1, 100);
        m.commande(Axe::Azimut, 0, c.enMarche, c.enMarche ? 1 : 0, 1);
        ControleMouvement::Verdict v;
        for (const Echange& e : c.echanges) {
            v = m.tenue(e.debut);
            if (v)
                break;
            m.echange(e.debut, e.fin, c.limite, e.tenues);
        }
        if (!v)
            v = m.tenue(c.echanges.back().fin);
        EXPECT_EQ(v.cause, c.cause);
        if (c.cause == Cause::Tenue && c.echanges.back().fin > 10) {
            EXPECT_NEAR(v.secondes, 14.03, 0.02);
        }
    }
    // A reading is a check: the held time counts from there.
    ControleMouvement m;
    m.reinitialise(CourseAz, CourseEl);
    m.lecture(Axe::Azimut, 0, 100);
    m.commande(Axe::Azimut, 0.01, true, 1, 1);
    m.echange(0.01, 0.4, 0.35);
    m.lecture(Axe::Azimut, 0.41, 100.8f);
    EXPECT_FALSE(m.tenue(0.6));
}

// The rate an axis learns: the fastest seen per second of full speed, from
// stretches of at least half a degree; the floor before any; never above
// the cap however a reading jumps.
TEST(ControleMouvement, VitesseApprise)
{
    ControleMouvement m;
    m.reinitialise(CourseAz, CourseEl);
    EXPECT_DOUBLE_EQ(m.vitesse(Axe::Azimut), ControleMouvement::VitessePlancher);
    m.lecture(Axe::Azimut, 0, 100);
    m.commande(Axe::Azimut, 0, true, 1, 0.5); // half speed: 1.5 deg/s seen is 3 at full speed
    for (int i = 1; i <= 40; ++i)
        m.lecture(Axe::Azimut, i * 0.05, static_cast<float>(100 + 1.5 * i * 0.05));
    EXPECT_NEAR(m.vitesse(Axe::Azimut), 3, 0.05);
    m.commande(Axe::Azimut, 2, true, 1, 1); // full speed, slower: the fastest stays
    for (int i = 1; i <= 40; ++i)
        m.lecture(Axe::Azimut, 2 + i * 0.05, static_cast<float>(103 + 2.0 * i * 0.05));
    EXPECT_NEAR(m.vitesse(Axe::Azimut), 3, 0.05);
    EXPECT_NEAR(m.courseAvantLecture(Axe::Azimut), 3 * 0.05, 1e-6);
    // Readings whose instant is not known (the process was held while their
    // words were read) teach no rate, however fast they seem.
    m.lecture(Axe::Elevation, 0, 10);
    m.commande(Axe::Elevation, 0, true, 1, 1);
    for (int i = 1; i <= 20; ++i)
        m.lecture(Axe::Elevation, i * 0.05, static_cast<float>(10 + 5.0 * i * 0.05), false);
    EXPECT_DOUBLE_EQ(m.vitesse(Axe::Elevation), ControleMouvement::VitessePlancher);
    m.commande(Axe::Elevation, 1, false, 0, 0);
    m.lecture(Axe::Azimut, 4.05, 150); // a jump of 43 deg in 50 ms
    EXPECT_LE(m.vitesse(Axe::Azimut), ControleMouvement::VitesseMax);
}

// What each stop says, whole: the axis, what was seen, the reading against
// the stops, what to check.
TEST(ControleMouvement, TexteDesArrets)
{
    const suivi::StationTrack station = suivi::test::stationBox(suivi::ModeRelais);
    const suivi::Corrections corrections;
    suivi::Pilote p(station, corrections);
    using V = ControleMouvement::Verdict;
    const auto verdict = [](Cause c, Axe a, int sens, float lecture, float reference = 0, float butee = 0,
                            double deplacement = 0, double attendu = 0, double secondes = 0) {
        V v;
        v.cause = c;
        v.axe = a;
        v.sens = sens;
        v.lecture = lecture;
        v.reference = reference;
        v.butee = butee;
        v.deplacement = deplacement;
        v.attendu = attendu;
        v.secondes = secondes;
        return v;
    };
    struct Cas {
        V v;
        const char* texte;
    };
    const Cas cas[] = {
        {verdict(Cause::ContreCommande, Axe::Azimut, 1, 98.8f, 100),
         "The azimuth was driven clockwise and its reading went the other way, from 100.00 to 98.80 (stops 5 and "
         "355) : both drives are stopped.\r\rThe azimuth moves against its command: verify the motor wiring and the "
         "encoder direction !"},
        {verdict(Cause::HorsButee, Axe::Elevation, 0, -0.6f, -0.1f, 0),
         "The elevation reading -0.60 is beyond its low stop (0) and still moving out : both drives are stopped.\r\r"
         "Verify the encoder and the drive relays, then bring the antenna back inside its stops !"},
        {verdict(Cause::SansMouvement, Axe::Azimut, -1, 200, 0, 0, 0.02, 0.5, 2.5),
         "The azimuth reading moved 0.02 deg in 2.5 s of drive counter-clockwise, where the drive turns it 0.50 deg "
         "(reading 200.00, stops 5 and 355) : both drives are stopped.\r\rVerify the encoder, its cable and the "
         "motor !"},
        {verdict(Cause::LecturesIgnorees, Axe::Elevation, 1, 45, 0, 0, 0, 1.1),
         "The elevation readings jump further than the antenna can turn while its drive runs up (last true reading "
         "45.00, stops 0 and 90) : both drives are stopped.\r\rVerify the encoder, its cable and the line to the "
         "interface box !"},
        {verdict(Cause::Tenue, Axe::Azimut, 1, 350.5f, 0, 0, 0, 0, 14.03),
         "The azimuth drive was on for 14.0 s while the program was held: the antenna may be past its stop (last "
         "reading 350.50, stops 5 and 355) : both drives are stopped.\r\rVerify the antenna position before you "
         "drive it again !"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(p.texteVerdict(c.v).toStdString(), c.texte);
}
