// The tracking loop against the interface-box simulator on a real
// pseudo-terminal, with simulated time driven by the bytes on the line.

#include "Tracking/Suivi.h"
#include "Tracking/tests/Outils.h"
#include "platform/Text.h"
#include "platform/serial/SerialPort.h"
#include "tools/boxsim/PtyServer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace suivi;

namespace {
struct VueComptee : Vue {
    int cycles = 0;
    int limite = 0;
    bool ceder() override { return ++cycles <= limite; }
};

struct Boucle {
    explicit Boucle(int16_t mode, boxsim::DriveMode boxMode = boxsim::DriveMode::Relay,
                    double secondes = 0.01)
        : serveur(config(boxMode), {false, false, secondes}), horloge(QDateTime(QDate(2024, 6, 1), QTime(10, 0))),
          suivi(dialogs, horloge, vue), liaison(port, 500, [this] { panne(); })
    {
        std::string err;
        EXPECT_TRUE(serveur.openPty(&err)) << err;
        EXPECT_TRUE(serveur.linkAs(dir.path().toStdString(), 1, &err)) << err;
        serveur.start();
        EXPECT_TRUE(port.open(1, dir.path()));
        StationTrack s = test::stationBox(mode);
        suivi.Initialise(s, {});
        suivi.setLiaison(liaison);
        suivi.PortOuvert = true;
        suivi.fin = [this] { fini = true; };
    }
    static boxsim::BoxConfig config(boxsim::DriveMode m)
    {
        boxsim::BoxConfig c;
        c.mode = m;
        c.azimuth.rate = 20;
        c.elevation.rate = 20;
        return c;
    }
    void panne()
    {
        dialogs.message("Error on the serial port " + platform::Str(suivi.Station.PortCom) + "\rVerify the data and hardware !\r\rQuit the Tracking of Selvane !",
                        platform::Buttons::Ok, platform::Icon::Exclamation, "Communication Port Error");
        suivi.FinProgramme();
    }
    // The loop once (entry bytes included), then further cycles by the step
    // function, as the events between them would leave them.
    void tourne(int cycles)
    {
        vue.cycles = 0;
        vue.limite = cycles;
        if (!entree) {
            entree = true;
            suivi.BoucleTracking();
            return;
        }
        while (vue.ceder() && suivi.Cycle()) {
        }
    }
    bool entree = false;
    QTemporaryDir dir;
    boxsim::PtyServer serveur;
    platform::ScriptedDialogs dialogs;
    platform::ManualClock horloge;
    VueComptee vue;
    Suivi suivi;
    platform::SerialPort port;
    LiaisonSerie liaison;
    bool fini = false;
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
