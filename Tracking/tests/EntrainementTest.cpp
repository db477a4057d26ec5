// The axis drive as a state machine: the bytes it sends for given positions.

#include "Tracking/Entrainement.h"
#include "Tracking/tests/Outils.h"

#include <gtest/gtest.h>

using namespace suivi;
using suivi::test::LiaisonEnregistree;

namespace {
struct Banc {
    explicit Banc(int16_t mode) : station(test::stationBox(mode)), drive(station, liaison) {}
    StationTrack station;
    LiaisonEnregistree liaison;
    Entrainement drive;
};
} // namespace

TEST(Entrainement, VitesseRelaisEcart)
{
    struct Cas { float ecart; int v; };
    const Cas cas[] = {{20, 127}, {5, 63}, {1.2f, 15}, {1.3f, 15}, {0.1f, 5}};
    for (const Cas& c : cas) {
        Banc b(ModeRelaisEcart);
        b.drive.positionAntenne(100, 10);
        b.drive.ConsigneAzimut = 100 + c.ecart;
        b.drive.AllerConsigneAz = true;
        b.drive.MoteurAzCW();
        b.drive.AzimutEtendu = 100;
        b.drive.ConsigneAzimutEtendue = 100 + c.ecart;
        b.liaison.octets.clear();
        b.drive.Etape(100, 10, 0, 0);
        ASSERT_GE(b.liaison.octets.size(), 2u);
        EXPECT_EQ(b.liaison.octets[0], c.v) << c.ecart;
        EXPECT_EQ(b.liaison.octets[1], 5) << "elevation drive off";
    }
}

TEST(Entrainement, VitesseProportionnelle)
{
    struct Cas { float ecart; int etat; int v; };
    const Cas cas[] = {{5, 0, 95}, {-5, 0, 32}, {-20, 0, 5}, {-1.5f, 0, 55}, {0.5f, 1, 65}, {0.5f, 0, 64}};
    for (const Cas& c : cas) {
        Banc b(ModeVitesse);
        b.station.AzimOn = 1;
        b.drive.BasculeMoteurs();
        b.drive.AllerConsigneAz = true;
        b.drive.ConsigneAzimut = 100 + c.ecart;
        b.drive.ConsigneElevation = 10;
        b.drive.EtatVitesseAz = c.etat;
        b.liaison.octets.clear();
        b.drive.Etape(100, 10, 0, 0);
        EXPECT_EQ(b.liaison.octets.at(0), c.v) << c.ecart;
    }
    Banc b(ModeVitesse);
    b.drive.Etape(100, 10, 0, 0);
    EXPECT_EQ(b.liaison.octets, (std::vector<uint8_t>{64, 64})) << "drives off: 64 every cycle";
}

TEST(Entrainement, RelaisVersConsigneEtArret)
{
    Banc b(ModeRelais);
    b.drive.positionAntenne(90, 10);
    b.drive.ConsigneAzimut = b.drive.ConsigneAzimutEtendue = 100;
    b.drive.ConsigneElevation = 10;
    b.drive.AllerConsigneAz = b.drive.AllerConsigneEl = true;
    b.drive.DemarrerVersConsigne();
    EXPECT_EQ(b.liaison.octets, (std::vector<uint8_t>{0x01}));
    EXPECT_FALSE(b.drive.AllerConsigneEl) << "elevation within hysteresis";
    b.liaison.octets.clear();
    b.drive.Etape(99.9f, 10, 0, 0);
    EXPECT_TRUE(b.liaison.octets.empty());
    b.drive.Etape(100.1f, 10, 0, 0);
    EXPECT_EQ(b.liaison.octets, (std::vector<uint8_t>{0x00})) << "stops once past the target";
    EXPECT_FALSE(b.drive.MoteurAzActif);
}

TEST(Entrainement, ButeesAvecTraverseeDuNord)
{
    Banc b(ModeRelais);
    b.station.ButeeG = 300;
    b.station.ButeeD = 60 + 360;
    b.station.OffAz = 200;
    b.drive.reinitialise(true);
    EXPECT_FLOAT_EQ(b.drive.etendu(10), 370);
    EXPECT_FLOAT_EQ(b.drive.etendu(250), 250);
    b.drive.MoteurAzCW();
    b.liaison.octets.clear();
    b.drive.Etape(59, 10, 0, 0);
    EXPECT_TRUE(b.liaison.octets.empty());
    b.drive.Etape(60, 10, 0, 0);
    EXPECT_EQ(b.liaison.octets, (std::vector<uint8_t>{0x00})) << "stops at 420 (60 degrees)";
    EXPECT_TRUE(b.drive.c.AntenEtiq[1]) << "End Stop shown";
    b.drive.MoteurAzCCW();
    b.liaison.octets.clear();
    b.drive.Etape(300, 10, 0, 0);
    EXPECT_EQ(b.liaison.octets, (std::vector<uint8_t>{0x00}));
}

// The extended scale pivots in the middle of the dead zone: for every
// station whose offset obeys the station check's rule (in the dead zone or on
// a stop) it reads every point of the travel as the offset did, and the CW
// stop as the end of the travel.
TEST(Entrainement, PivotAuMilieuDeLaZoneMorte)
{
    int stations = 0;
    for (int16_t g = 181; g <= 359; g += 7) {
        for (int16_t d = 0; d < g - 1; d += 11) {
            Banc b(ModeRelais);
            b.station.ButeeG = g;
            b.station.ButeeD = static_cast<int16_t>(d + 360);
            b.drive.reinitialise(true);
            EXPECT_FLOAT_EQ(b.drive.pivot(), (g + d) / 2.0f);
            for (int off = d; off <= g; off += 3) {
                ++stations;
                for (float x = 0; x < 360; x += 0.5f) {
                    if (x > d && x < g)
                        continue; // the dead zone
                    // An offset on the CW stop read that stop itself as lying
                    // before the travel (60 for 300..420); it is the stop, 420.
                    const float parOffset = x < off || x == d ? x + 360 : x;
                    ASSERT_FLOAT_EQ(b.drive.etendu(x), parOffset) << g << " " << d << " " << off << " " << x;
                }
            }
        }
    }
    EXPECT_GT(stations, 1000);
}

TEST(Entrainement, PauseEtReprise)
{
    Banc b(ModeRelais);
    b.drive.MoteurAzCW();
    b.drive.MoteurElHaut();
    b.liaison.octets.clear();
    b.drive.PauseMoteurs();
    EXPECT_EQ(b.liaison.octets, (std::vector<uint8_t>{0x10, 0x00}));
    b.liaison.octets.clear();
    b.drive.Etape(100, 10, 0, 0);
    EXPECT_EQ(b.liaison.octets, (std::vector<uint8_t>{0x12, 0x01}));
}

TEST(Entrainement, PoursuiteRelaisAvecHysteresis)
{
    Banc b(ModeRelais);
    b.drive.PoursuiteMarche();
    b.drive.Etape(100, 30, 103, 30); // the extended azimuths come from this step
    EXPECT_TRUE(b.liaison.octets.empty());
    b.drive.Etape(100, 30, 103, 30); // source leads by 3 >= AzimOn 2
    EXPECT_EQ(b.liaison.octets, (std::vector<uint8_t>{0x01}));
    b.liaison.octets.clear();
    b.drive.Etape(103.4f, 30, 103, 30);
    EXPECT_TRUE(b.liaison.octets.empty()) << "within the Stop hysteresis";
    b.drive.Etape(103.6f, 30, 103, 30);
    EXPECT_EQ(b.liaison.octets, (std::vector<uint8_t>{0x00}));
    b.liaison.octets.clear();
    b.drive.Etape(103.6f, 30, 104, 30);
    EXPECT_TRUE(b.liaison.octets.empty()) << "restarts only at AzimOn again";
    // A source below ButeeB + ElevOn never starts the elevation.
    Banc c(ModeRelais);
    c.drive.PoursuiteMarche();
    c.drive.Etape(100, 10, 100, 1);
    EXPECT_TRUE(c.liaison.octets.empty());
}

TEST(Entrainement, ParcDejaAtteint)
{
    Banc b(ModeRelais);
    b.drive.positionAntenne(180.5f, 10.5f);
    b.drive.CommandeParking();
    EXPECT_TRUE(b.liaison.octets.empty());
    EXPECT_TRUE(b.drive.Etape(180.5f, 10.5f, 0, 0)) << "Parking notice at the next cycle";
    EXPECT_FALSE(b.drive.ParkingDemande);
}

TEST(Entrainement, PasManuel)
{
    Banc r(ModeRelais);
    r.drive.positionAntenne(100, 10);
    r.drive.PasManuel(37);
    r.drive.PasManuel(39);
    EXPECT_EQ(r.liaison.octets, (std::vector<uint8_t>{0x02, 0x00})) << "second press stops, not reverses";
    Banc v(ModeVitesse);
    v.station.AzimOn = 1;
    v.drive.positionAntenne(100, 10);
    v.drive.PasManuel(39);
    EXPECT_NEAR(v.drive.ConsigneAzimut, 105.01f, 1e-4);
    EXPECT_TRUE(v.drive.MoteurAzActif && v.drive.MoteurElActif) << "the step switches the drives on";
    EXPECT_TRUE(v.drive.AllerConsigneAz && v.drive.AllerConsigneEl);
}

#include "Tracking/Suivi.h"

TEST(Entrainement, FinProgrammeCoupeLesMoteursPuisFerme)
{
    platform::ScriptedDialogs d;
    platform::ManualClock h(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
    Vue v;
    Suivi s(d, h, v);
    ASSERT_TRUE(s.Initialise(test::stationBox(), {}));
    LiaisonEnregistree l;
    s.setLiaison(l);
    s.Drive.MoteurAzCW();
    s.Drive.MoteurElHaut();
    l.octets.clear();
    int fins = 0;
    s.fin = [&] { ++fins; };
    s.FinProgramme();
    s.FinProgramme();
    EXPECT_EQ(l.octets, (std::vector<uint8_t>{0x10, 0x00}));
    EXPECT_EQ(fins, 1);
}

TEST(PointDX, SurLaStationElleMeme)
{
    platform::ScriptedDialogs d;
    platform::ManualClock h(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
    Vue v;
    Suivi s(d, h, v);
    StationTrack st = test::stationBox();
    st.PortCom = 0;
    ASSERT_TRUE(s.Initialise(st, {}));
    s.PlacePointDXTrack(1000, 1000);
    EXPECT_EQ(s.CarteXDX, 0) << "nothing before the first cycle";
    ASSERT_TRUE(s.Cycle());
    // The map point of the station's own position.
    float lon = static_cast<float>(st.LongitudeStation), lat = static_cast<float>(st.LatitudeStation);
    const int x = astro::LongitudeVersCarteX(lon), y = astro::LatitudeVersCarteY(lat);
    s.PlacePointDXTrack(x, y);
    EXPECT_EQ(s.CarteXDX, x);
    EXPECT_FALSE(s.Aff.AffAzimDX.isEmpty());
    EXPECT_LE(s.Aff.AffDistance.trimmed().toInt(), 20) << "map rounding only";
    EXPECT_DOUBLE_EQ(s.Astro.LatitudeObservateur, st.LatitudeStation) << "observer put back";
}
