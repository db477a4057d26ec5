// The tracking loop against the interface-box simulator on a real
// pseudo-terminal, with simulated time driven by the bytes on the line.

#include "Tracking/tests/BancBoitier.h"

using namespace suivi;

namespace {
struct Boucle : test::BancBoitier {
    explicit Boucle(int16_t mode, boxsim::DriveMode boxMode = boxsim::DriveMode::Relay, double secondes = 0.01)
        : BancBoitier(test::stationBox(mode), boite(boxMode), secondes)
    {
    }
};
} // namespace

TEST(Boucle, ParcEnModeRelais)
{
    Boucle b(ModeRelais);
    b.serveur.withBox([](boxsim::Box& box) { box.setAzimuth(150); box.setElevation(40); });
    b.tourne(2);
    b.suivi.Drive.CommandeParking();
    EXPECT_TRUE(b.suivi.Drive.MoteurAzActif);
    b.tourne(400);
    const double az = b.serveur.withBox([](boxsim::Box& box) { return box.azimuth(); });
    const double el = b.serveur.withBox([](boxsim::Box& box) { return box.elevation(); });
    EXPECT_NEAR(az, 180, 2.5);
    EXPECT_NEAR(el, 10, 2.5);
    EXPECT_FALSE(b.suivi.Drive.MoteurAzActif || b.suivi.Drive.MoteurElActif);
    EXPECT_GE(b.dialogs.beeps(), 1) << "Parking notice";
    EXPECT_FALSE(b.fini);
}

TEST(Boucle, SuitLaCibleEnModeProportionnel)
{
    Boucle b(ModeVitesse, boxsim::DriveMode::Proportional);
    b.serveur.withBox([](boxsim::Box& box) { box.setAzimuth(100); box.setElevation(20); });
    b.tourne(2);
    b.suivi.Drive.ConsigneAzimut = 130;
    b.suivi.Drive.ConsigneElevation = 30;
    b.suivi.Drive.AllerConsigneAz = b.suivi.Drive.AllerConsigneEl = true;
    b.suivi.Drive.BasculeMoteurs();
    b.tourne(800);
    const double az = b.serveur.withBox([](boxsim::Box& box) { return box.azimuth(); });
    const double el = b.serveur.withBox([](boxsim::Box& box) { return box.elevation(); });
    EXPECT_NEAR(az, 130, 2.5);
    EXPECT_NEAR(el, 30, 2.5);
}

TEST(Boucle, ArretEnButee)
{
    Boucle b(ModeRelais);
    b.serveur.withBox([](boxsim::Box& box) { box.setAzimuth(340); box.setElevation(10); });
    b.tourne(2);
    b.suivi.Drive.MoteurAzCW();
    b.tourne(400);
    const double az = b.serveur.withBox([](boxsim::Box& box) { return box.azimuth(); });
    EXPECT_NEAR(az, 355, 1.5);
    EXPECT_FALSE(b.suivi.Drive.MoteurAzActif);
    EXPECT_TRUE(b.suivi.Drive.c.AntenEtiq[1]);
}

TEST(Boucle, BoiteMuetteFinitLeProgramme)
{
    Boucle b(ModeRelais);
    b.serveur.withBox([](boxsim::Box& box) { box.setFault(boxsim::Fault::Silent); });
    b.tourne(10);
    EXPECT_TRUE(b.fini);
    EXPECT_TRUE(b.suivi.ProgrammeTermine);
    ASSERT_EQ(b.dialogs.messages().size(), 1u);
    EXPECT_EQ(b.dialogs.messages()[0].title, "Communication Port Error");
    EXPECT_EQ(b.dialogs.messages()[0].text.left(28), "Error on the serial port  1\r");
    EXPECT_LE(b.vue.cycles, 1) << "no cycle after the failure";
}

TEST(Boucle, SansPortLesCodeursLisentZero)
{
    platform::ScriptedDialogs d;
    platform::ManualClock h(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
    struct V : Vue { int n = 0; bool ceder() override { return ++n <= 3; } } v;
    Suivi s(d, h, v);
    StationTrack st = test::stationBox();
    st.PortCom = 0;
    st.OffAz = 12;
    st.OffEl = -3;
    ASSERT_TRUE(s.Initialise(st, {}));
    s.BoucleTracking();
    EXPECT_FLOAT_EQ(s.AzimutAntenne, 12);
    EXPECT_FLOAT_EQ(s.ElevationAntenne, -3);
    EXPECT_TRUE(s.PremierCycleFait);
    EXPECT_FALSE(s.Aff.AffSourceAzimut.isEmpty());
}
