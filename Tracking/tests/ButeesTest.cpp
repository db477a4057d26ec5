// Closed loops against the interface-box simulator on a real pseudo-terminal,
// in each drive mode: the antenna never passes a soft end stop (across north
// included) whatever the arrows, typed targets and tracked sources; a box
// that falls silent, answers garbage or is unplugged mid-move always ends
// with the stop bytes delivered; park arrives and shows "Parking". Also the
// decoding and arithmetic of the cycle on readings and values no sound box or
// station gives.

#include "Tracking/tests/BancBoitier.h"

#include <random>

using namespace suivi;
using test::BancBoitier;
using test::Boucle;
using test::Marge;
using test::Octets;
using test::station;

namespace {

// The core of a station without a box, its clock read once.
struct SansBoitier {
    explicit SansBoitier(int32_t freq = 144) : suivi(d, h, v)
    {
        StationTrack s = test::stationBox();
        s.PortCom = 0;
        s.Freq = freq;
        EXPECT_TRUE(suivi.Initialise(s, {}));
        suivi.HorlogeUTC();
    }
    platform::ScriptedDialogs d;
    platform::ManualClock h{QDateTime(QDate(2024, 6, 1), QTime(10, 0))};
    Vue v;
    Suivi suivi;
};


} // namespace

// Speed mode: an arrow step near a stop aims at the stop, not past it (nor,
// below the offset, at a point beyond north through the whole travel), and
// the antenna arrives there.
TEST(Butees, FlecheEnModeVitesseVisePasAuDelaDeLaButee)
{
    struct Cas {
        int16_t g, d;
        float offAz;
        double depart;
        int touche;
        double arrivee; // extended scale
    };
    const Cas cas[] = {{300, 60, 300, 305, 37, 300}, {10, 350, 0, 12, 37, 10}, {10, 350, 0, 345, 39, 350}};
    for (const Cas& c : cas) {
        Boucle b(station(ModeVitesse, c.g, c.d, c.offAz), c.depart, 30);
        b.tourne(2);
        b.suivi.Drive.PasManuel(c.touche);
        EXPECT_NEAR(b.suivi.Drive.ConsigneAzimut, c.arrivee, 1e-3) << c.depart;
        b.tourne(400);
        EXPECT_NEAR(b.trace.az, c.arrivee, Marge) << c.depart;
        EXPECT_GE(b.trace.azMin, std::min<double>(c.g, c.arrivee) - Marge) << c.depart;
        EXPECT_LE(b.trace.azMax, (c.g > c.d ? c.d + 360 : c.d) + Marge) << c.depart;
        EXPECT_TRUE(b.moteursArretes()) << c.depart;
    }
}

// Speed mode, tracking a source that leaves the travel counter-clockwise
// (stops 345 and 60 across north) and sinks below the low stop: each axis
// stops at its stop and tracking ends there, as in the relay modes.
TEST(Butees, SourceQuiquitteLaCourseArreteLAxeASaButee)
{
    for (const int16_t mode : {ModeRelais, ModeRelaisEcart, ModeVitesse}) {
        Boucle b(station(mode, 345, 60, 345), 358, 8);
        b.tourne(2);
        Entrainement& d = b.suivi.Drive;
        d.PoursuiteMarche();
        double az = 358, el = 8;
        for (int i = 0; i < 900; ++i) {
            // The source: 0.2 degrees a cycle counter-clockwise and down,
            // then standing outside the travel (in speed mode the last
            // degree before the stop is crept at the slowest speed).
            az = std::max(az - 0.2, 320.0);
            el = std::max(el - 0.1, -5.0);
            b.liaison.vider();
            b.liaison.echange(octet::Verrou);
            b.suivi.LectureCodeurs();
            d.Etape(b.suivi.AzimutAntenne, b.suivi.ElevationAntenne, az, el);
            b.trace.note(b);
        }
        EXPECT_GE(b.trace.azMin, 345 - Marge) << mode;
        EXPECT_GE(b.trace.elMin, 0 - Marge) << mode;
        EXPECT_FALSE(d.PoursuiteActive) << mode;
        EXPECT_TRUE(d.c.AntenEtiq[1]) << "End Stop, mode " << mode;
        EXPECT_TRUE(b.moteursArretes()) << mode;
    }
}

// Randomised stops (across north or not), offsets, start positions, arrow
// presses, typed targets (inside and outside the travel), tracked sources
// and park, in each drive mode, with the clock running two minutes a cycle:
// the antenna stays inside its stops.
TEST(Butees, JamaisAuDelaDesButeesSousDesCommandesAuHasard)
{
    for (const int16_t mode : {ModeRelais, ModeRelaisEcart, ModeVitesse}) {
        for (unsigned graine = 1; graine <= 3; ++graine) {
            std::mt19937 h(graine * 7 + static_cast<unsigned>(mode));
            auto entier = [&h](int a, int b) { return std::uniform_int_distribution<int>(a, b)(h); };
            auto reel = [&h](double a, double b) { return std::uniform_real_distribution<double>(a, b)(h); };
            const bool nord = entier(0, 1) == 1;
            const int16_t g = static_cast<int16_t>(nord ? entier(200, 330) : entier(0, 60));
            const int16_t d = static_cast<int16_t>(nord ? entier(20, 150) : entier(250, 359));
            const float offAz = static_cast<float>(nord ? entier(d, g) : entier(0, 1) ? entier(0, g) : entier(d, 359));
            const int16_t bas = static_cast<int16_t>(entier(-5, 10)), haut = static_cast<int16_t>(entier(60, 90));
            StationTrack s = station(mode, g, d, offAz, bas, haut);
            s.OffEl = static_cast<float>(bas - entier(0, 10));
            s.AzimOn = static_cast<float>(reel(1, 3));
            s.AzimOf = static_cast<float>(reel(0, s.AzimOn / 2));
            s.ElevOn = static_cast<float>(reel(1, 3));
            s.ElevOf = static_cast<float>(reel(0, s.ElevOn / 2));
            const double dMax = nord ? d + 360 : d;
            const double az0 = reel(g + 5, dMax - 5), el0 = reel(bas + 5, haut - 5);
            Boucle b(s, az0, el0);
            const std::string cas = "mode " + std::to_string(mode) + " graine " + std::to_string(graine);
            Entrainement& e = b.suivi.Drive;
            int attente = 0;
            b.action = [&] {
                b.horloge.advance(120);
                if (--attente > 0)
                    return;
                attente = entier(10, 40);
                switch (entier(0, 5)) {
                case 0:
                case 1:
                    if (!e.PoursuiteActive)
                        e.PasManuel(entier(37, 40));
                    break;
                case 2: // a typed target, as F1 gives it when it is offered
                    if (e.c.MenuAntenne0Enabled) {
                        e.ElevationAntenne = b.suivi.ElevationAntenne;
                        e.ConsigneSaisie(static_cast<float>(reel(-30, 400)), static_cast<float>(reel(-20, 120)));
                    }
                    break;
                case 3: // a typed source, tracked
                    if (e.c.MenuAntenne2Enabled && !e.PoursuiteActive) {
                        b.suivi.CodeSource = 9;
                        b.suivi.AscDroiteAutre = reel(0, 360);
                        b.suivi.DeclinaisonAutre = reel(-30, 89);
                        e.PoursuiteMarche();
                    }
                    break;
                case 4:
                    if (e.PoursuiteActive)
                        e.PoursuiteArret();
                    break;
                default: e.CommandeParking(); break;
                }
            };
            b.tourne(600);
            EXPECT_FALSE(b.fini) << cas;
            EXPECT_GE(b.trace.azMin, g - Marge) << cas;
            EXPECT_LE(b.trace.azMax, dMax + Marge) << cas;
            EXPECT_GE(b.trace.elMin, bas - Marge) << cas;
            EXPECT_LE(b.trace.elMax, haut + Marge) << cas;
        }
    }
}

// A box that falls silent (it takes bytes but answers none), answers garbage,
// or is unplugged mid-move and plugged back while the error box is up: in
// each drive mode the run ends with the port error, the running drives' stop
// bytes on the line and the motors at rest.
TEST(Butees, PanneEnMouvementFinitParLesOctetsDArret)
{
    enum class Panne { Muette, Charabia, Debranchee };
    for (const int16_t mode : {ModeRelais, ModeRelaisEcart, ModeVitesse}) {
        for (const Panne p : {Panne::Muette, Panne::Charabia, Panne::Debranchee}) {
            Boucle b(station(mode, 5, 355, 0), 100, 20, 10, 0.005, 200); // each unanswered byte waits 200 ms
            const std::string cas = "mode " + std::to_string(mode) + " panne " + std::to_string(int(p));
            b.tourne(2);
            b.suivi.Drive.PasManuel(39);
            b.suivi.Drive.PasManuel(38);
            b.tourne(5);
            ASSERT_FALSE(b.moteursArretes()) << cas;
            const Octets arret = b.suivi.Drive.octetsArret();
            b.serveur.withBox([p](boxsim::Box& x) {
                x.clearLog();
                x.setFault(p == Panne::Muette     ? boxsim::Fault::Mute
                           : p == Panne::Charabia ? boxsim::Fault::Garbage
                                                  : boxsim::Fault::Silent);
            });
            // Unplugged: the stop bytes before the box are lost; the operator
            // plugs the box back in before pressing O.K.
            b.dialogs.avant = [&](const QString&) {
                if (p == Panne::Debranchee)
                    b.serveur.withBox([](boxsim::Box& x) { x.setFault(boxsim::Fault::None); });
            };
            b.tourne(30);
            EXPECT_TRUE(b.fini) << cas;
            EXPECT_EQ(b.dialogs.messages().back().title, "Communication Port Error") << cas;
            EXPECT_FALSE(b.suivi.PortOuvert) << cas;
            const Octets o = test::journalFinissantPar(b.serveur, arret);
            if (p != Panne::Charabia) {
                ASSERT_GE(o.size(), arret.size()) << cas;
                EXPECT_EQ(Octets(o.end() - static_cast<long>(arret.size()), o.end()), arret) << cas;
            }
            EXPECT_GE(test::compte(o, octet::AzArret), 1) << cas;
            EXPECT_TRUE(b.moteursArretes()) << cas;
        }
    }
}

// Park in each drive mode: the antenna arrives and "Parking" shows.
TEST(Butees, ParcArriveEtAfficheParking)
{
    for (const int16_t mode : {ModeRelais, ModeRelaisEcart, ModeVitesse}) {
        Boucle b(station(mode, 300, 60, 300, 0, 90), 330, 40);
        bool parking = false;
        b.vue.rafraichi = [&] { parking = parking || b.suivi.Drive.c.AntenEtiq[2]; };
        b.tourne(2);
        b.suivi.Drive.CommandeParking();
        b.tourne(800);
        EXPECT_TRUE(parking) << mode;
        EXPECT_FALSE(b.suivi.Drive.ParkingDemande) << mode;
        EXPECT_FALSE(b.suivi.Drive.c.AntenEtiq[2]) << mode;
        EXPECT_NEAR(b.trace.az, 300, 2.5) << mode;
        EXPECT_NEAR(b.trace.el, 45, 2.5) << mode;
        EXPECT_TRUE(b.moteursArretes()) << mode;
    }
}

// An error nothing traps, thrown in a cycle: the running relay gets its stop
// byte and the port is closed before the error ends the loop.
TEST(Butees, ErreurNonPrevueArreteLesMoteurs)
{
    Boucle b(station(ModeRelais, 5, 355, 0), 100, 20);
    int n = 0;
    b.vue.rafraichi = [&] {
        if (++n == 4)
            throw std::runtime_error("unforeseen");
    };
    b.vue.limite = 100;
    b.entree = true;
    b.vue.chaqueCycle = [&] {
        if (n == 2 && !b.suivi.Drive.MoteurAzActif)
            b.suivi.Drive.MoteurAzCW();
    };
    EXPECT_THROW(b.suivi.BoucleTracking(), std::runtime_error);
    EXPECT_FALSE(b.suivi.PortOuvert);
    const Octets o = test::journalFinissantPar(b.serveur, {octet::AzArret});
    ASSERT_FALSE(o.empty());
    EXPECT_EQ(o.back(), octet::AzArret);
    EXPECT_TRUE(b.moteursArretes());
}

// A garbage BCD word 0x99 0x99 reads 999.9: the azimuth folds into the turn
// and the correction table is read at that azimuth, never past its end; the
// elevation folds the same way.
TEST(Butees, LectureHorsPlageRepliee)
{
    StationTrack s = station(ModeRelais, 5, 355, 0);
    s.FormatAz = s.FormatEl = "BCD";
    Corrections c;
    for (int k = 0; k <= 35; ++k) {
        c.TableCorrectionAzimut[k] = 0.1f * k - 1.8f;
        c.TableCorrectionElevation[k] = -0.05f * k;
    }
    c.TableCorrectionAzimut[36] = c.TableCorrectionAzimut[0];
    c.TableCorrectionElevation[36] = c.TableCorrectionElevation[0];
    c.TableCorrectionAzimut[37] = c.TableCorrectionElevation[37] = 1000; // never read
    c.CorrectionActive = true;
    Boucle b(s, 100, 20, 10, 0.005, 200, c);
    b.serveur.withBox([](boxsim::Box& x) {
        x.azimuthState().forcedWord = 0x9999;
        x.elevationState().forcedWord = 0x9999;
    });
    b.tourne(2);
    const float x = 279.9f / 10, f = x - 27;
    const auto& ta = c.TableCorrectionAzimut;
    const auto& te = c.TableCorrectionElevation;
    EXPECT_NEAR(b.suivi.AzimutAntenne, 279.9f + ta[27] + (ta[28] - ta[27]) * f, 1e-3);
    EXPECT_NEAR(b.suivi.ElevationAntenne, -80.1f + te[27] + (te[28] - te[27]) * f, 1e-3);
}

// Below 47 MHz the sky temperature passes 32767 K: it is computed in 32 bits
// and the sky map's refresh runs.
TEST(Butees, TemperatureDuCielEn32Bits)
{
    // Right ascension 270 degrees: half-hour 36, the 3800 K entry.
    EXPECT_EQ(temperatureCiel(270, 40), 43928); // (136 / 40)^2 x 3800
    EXPECT_EQ(temperatureCiel(270, 1), 70284800);
    SansBoitier b(40);
    Suivi& suivi = b.suivi;
    EXPECT_NO_THROW(suivi.AffichageCarteCiel());
    EXPECT_TRUE(suivi.Aff.AffTemp.endsWith(QString::fromUtf8(" °K")) || suivi.Aff.AffTemp == "'Sun'");
}

// A typed source within a fraction of a degree of the pole: precessed to the
// date it stays on the near side of the pole, with its right ascension in
// 0..2 pi: near north at the height of the station's latitude.
TEST(Butees, SourceSaisieAuPoleResteAuNord)
{
    SansBoitier b;
    Suivi& suivi = b.suivi;
    const StationTrack& s = b.suivi.Station;
    suivi.Astro.LatitudeObservateur = s.LatitudeStation;
    suivi.Astro.LongitudeObservateur = s.LongitudeStationHeures;
    for (const double dec : {89.7, 89.8, 89.9, 90.0}) {
        for (double ra = 0; ra < 360; ra += 30) {
            suivi.AscDroiteAutre = ra;
            suivi.DeclinaisonAutre = dec;
            suivi.CalculPositionSourceTrack(9);
            const std::string cas = std::to_string(dec) + " " + std::to_string(ra);
            EXPECT_LE(std::fabs(suivi.Astro.Declinaison), 3.14159265358979 / 2 + 1e-12) << cas;
            EXPECT_GE(suivi.Astro.AscensionDroite, 0) << cas;
            EXPECT_LE(suivi.Astro.AscensionDroite, 6.283185308) << cas;
            const double az = suivi.Astro.AzimutSource;
            EXPECT_LT(std::min(az, 360 - az), 1.5) << cas;
            EXPECT_NEAR(suivi.Astro.ElevationSource, s.LatitudeStation, 1.0) << cas;
        }
    }
}

// A continuous encoder (AzStop 1) whose offset, 0, lies inside a travel
// across north (stops 190 and 170): the scale pivots in the middle of the
// dead zone, so a source at 100 lies at 460 inside the travel and is tracked
// the short way through north in every mode. Before, the relay modes ran the
// long way to the CCW stop and speed mode refused to track.
TEST(Butees, CodeurContinuSuitParLeCheminCourt)
{
    for (const int16_t mode : {ModeRelais, ModeRelaisEcart, ModeVitesse}) {
        Boucle b(station(mode, 190, 170, 0, 0, 90, 1), 200, 30);
        b.tourne(2);
        Entrainement& d = b.suivi.Drive;
        EXPECT_FLOAT_EQ(d.etenduPosition(100), 460) << mode;
        d.PoursuiteMarche();
        for (int i = 0; i < 1500; ++i) {
            b.liaison.vider();
            b.liaison.echange(octet::Verrou);
            b.suivi.LectureCodeurs();
            d.Etape(b.suivi.AzimutAntenne, b.suivi.ElevationAntenne, 100, 30);
            b.trace.note(b);
        }
        EXPECT_TRUE(d.PoursuiteActive) << mode;
        EXPECT_NEAR(b.trace.az, 460, 2.5) << mode;
        EXPECT_GE(b.trace.azMin, 200 - Marge) << mode;
        EXPECT_LE(b.trace.azMax, 460 + Marge) << mode;
    }
}
