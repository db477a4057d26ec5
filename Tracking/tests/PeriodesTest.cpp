// Traffic periods: the period byte and the bar at every period start, also
// when the start falls while the cycle is held (a message box, the
// "Parking" wait), and the bar and Doppler labels decided from this
// cycle's source as the home station sees it.
#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Suivi.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/BancBoitier.h"
#include "Tracking/tests/Ecran.h"
#include "platform/testing/QtTestApp.h"
#include "platform/testing/TestFiles.h"
#include "tools/boxsim/PtyServer.h"

#include <QDir>
#include <functional>
#include <utility>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace suivi;

namespace {


// The PC clock, with what the operator does during the program's next wait
// (the "Parking" notice's 2 seconds, whose events run meanwhile).
struct HorlogeAttente : platform::ManualClock {
    using ManualClock::ManualClock;
    std::function<void()> pendantAttente;
    void wait(double secondes) override
    {
        ManualClock::wait(secondes);
        if (const std::function<void()> f = std::exchange(pendantAttente, nullptr))
            f();
    }
};

// Message boxes that stay open for a while: the clock moves on while one is
// up, as it does while the operator reads it.
class BoitesLongues : public platform::ScriptedDialogs {
public:
    explicit BoitesLongues(platform::ManualClock& h) : horloge_(h) {}
    double duree = 0; // seconds each message box stays open
    platform::Answer message(const QString& t, platform::Buttons b, platform::Icon i, const QString& titre) override
    {
        horloge_.advance(duree);
        return ScriptedDialogs::message(t, b, i, titre);
    }

private:
    platform::ManualClock& horloge_;
};

// The program on COM1 against the interface-box simulator, PC clock
// UTC+1 (home.dat), 144 MHz: 2-minute periods, the operator's the 1st.
class PeriodesBoitier : public suivi::test::DossierStation {
protected:
    void SetUp() override
    {
        DossierStation::SetUp();
        ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), suivi::test::stationModifiee({{28, "1"}}))); // COM 1
        ASSERT_NO_FATAL_FAILURE(suivi::test::brancheCom1(serveur, dossier.path()));
        serveur.withBox([](boxsim::Box& b) {
            b.setAzimuth(100);
            b.setElevation(20);
        });
        suivi::test::demarreAvecBoitier(prog, fenetres, dialogs, horloge, dossier.path(), serveur);
        a(10, 0, 0);
        QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        prog->executer(2);
        ASSERT_TRUE(prog->S.PortOuvert);
    }
    void TearDown() override
    {
        fenetres.reset();
        prog.reset();
        suivi::test::sansViolation(serveur);
    }
    // The PC clock at h:m:s on 1 June 2024.
    void a(int h, int m, int s) { horloge.set(QDateTime(QDate(2024, 6, 1), QTime(h, m, s))); }
    std::vector<uint8_t> octetsPeriode()
    {
        return serveur.withBox([](boxsim::Box& b) {
            std::vector<uint8_t> v;
            for (uint8_t o : b.log())
                if (o == octet::PeriodeAutre || o == octet::PeriodePropre)
                    v.push_back(o);
            return v;
        });
    }
    void effaceJournal()
    {
        serveur.withBox([](boxsim::Box& b) { b.clearLog(); });
    }

    HorlogeAttente horloge{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    BoitesLongues dialogs{horloge};
    boxsim::PtyServer serveur{boxsim::BoxConfig{}, suivi::test::ligne(0.01)};
    std::unique_ptr<Tracking> prog;
    std::unique_ptr<FenetresTracking> fenetres;
};

// UTC 09:02:00 starts period 271 of the day (odd: the 2nd, the other
// station's) and 09:04:00 period 272 (the operator's).
TEST_F(PeriodesBoitier, UnOctetParDebutDePeriode)
{
    a(10, 1, 58);
    prog->executer(3);
    effaceJournal();
    a(10, 2, 0);
    prog->executer(3);
    a(10, 3, 30);
    prog->executer(3);
    a(10, 4, 0);
    prog->executer(3);
    EXPECT_EQ(octetsPeriode(), (std::vector<uint8_t>{octet::PeriodeAutre, octet::PeriodePropre}));
    EXPECT_EQ(prog->S.Aff.AffPeriodeCouleur, Rouge);
    EXPECT_EQ(fenetres->fenetrePrincipale().CadreTraffic->title(), "Traffic : 1st / 2mn");
}

// A period start under an open message box (the quit question, answered
// No after 7 seconds) is carried out by the first cycle after it: byte 3
// once for the whole period, the bar green and as wide as at second 7.
TEST_F(PeriodesBoitier, DebutDePeriodeSousUneBoiteDeMessage)
{
    a(10, 1, 57);
    prog->executer(3);
    effaceJournal();
    dialogs.duree = 7;
    dialogs.queueAnswer(platform::Answer::No);
    fenetres->fenetrePrincipale().close(); // the quit question; the clock reads 10:02:04 after it
    dialogs.duree = 0;
    ASSERT_FALSE(prog->termine());
    EXPECT_TRUE(octetsPeriode().empty()) << "nothing inside the box";
    prog->executer(3);
    for (int s : {10, 30, 45}) {
        a(10, 3, s);
        prog->executer(2);
    }
    EXPECT_EQ(octetsPeriode(), std::vector<uint8_t>{octet::PeriodeAutre});
    const Affichage& aff = prog->S.Aff;
    EXPECT_EQ(aff.AffPeriodeCouleur, Vert);
    EXPECT_EQ(aff.CadreTraffic, "Traffic : 1st / 2mn");
    // The last ten seconds flash the coming period's colour, the operator's red.
    a(10, 3, 50);
    prog->executer(2);
    EXPECT_EQ(aff.AffNextPeriodeCouleur, Rouge);
    a(10, 3, 51);
    prog->executer(2);
    EXPECT_EQ(aff.AffNextPeriodeCouleur, aff.FondTraffic);
}

TEST_F(PeriodesBoitier, LaBarreDUnDebutTardif)
{
    a(10, 1, 57);
    prog->executer(3);
    dialogs.duree = 7;
    dialogs.queueAnswer(platform::Answer::No);
    fenetres->fenetrePrincipale().close();
    dialogs.duree = 0;
    prog->executer(1);
    const Affichage& aff = prog->S.Aff;
    EXPECT_EQ(aff.AffPeriodeCouleur, Vert);
    EXPECT_EQ(aff.AffPeriodeLargeur, int((120.0 - 0) / 120 * aff.CadrePeriodeLargeur));
    dialogs.duree = 30;
    dialogs.queueAnswer(platform::Answer::No);
    fenetres->fenetrePrincipale().close(); // 10:02:34: the bar as at second 30
    prog->executer(1);
    EXPECT_EQ(aff.AffPeriodeLargeur, int((120.0 - 30) / 120 * aff.CadrePeriodeLargeur));
    EXPECT_EQ(aff.AffNextPeriodeGauche, aff.AffPeriodeLargeur);
    EXPECT_EQ(aff.AffNextPeriodeLargeur, aff.CadrePeriodeLargeur - aff.AffPeriodeLargeur);
}

// A period start during the 2-second "Parking" wait: the antenna reaches
// the park position (180, 0) at 10:03:59; the wait ends at 10:04:01 and the
// next cycle sends byte 4 for the operator's period.
TEST_F(PeriodesBoitier, DebutDePeriodeSousLAttenteDuParking)
{
    serveur.withBox([](boxsim::Box& b) {
        b.setAzimuth(180.2);
        b.setElevation(0.2);
    });
    serveur.step(60); // time enough for the antenna to have come there
    a(10, 3, 58);
    prog->executer(3);
    ASSERT_TRUE(fenetres->fenetreInterface().ImgPark->isEnabled());
    effaceJournal();
    QTest::mouseClick(fenetres->fenetreInterface().ImgPark, Qt::LeftButton);
    a(10, 3, 59);
    prog->executer(1); // the park in the drive step, its arrival: the beep and the wait
    ASSERT_FALSE(prog->S.Drive.ParkingDemande);
    ASSERT_EQ(horloge.now().time(), QTime(10, 4, 1));
    prog->executer(3);
    a(10, 5, 0);
    prog->executer(2);
    EXPECT_EQ(octetsPeriode(), std::vector<uint8_t>{octet::PeriodePropre});
    EXPECT_EQ(prog->S.Aff.AffPeriodeCouleur, Rouge);
}

// A source chosen from the menu while the "Parking" notice waits: the rest
// of that cycle works on the new source, so the world map's horizon line,
// restarted by the choice, begins with the new source's declination (not the
// Moon's, which would hatch the wrong side of the map for a period).
TEST_F(PeriodesBoitier, SourceChoisiePendantLAttenteDuParking)
{
    serveur.withBox([](boxsim::Box& b) {
        b.setAzimuth(180.2);
        b.setElevation(0.2);
    });
    serveur.step(60);
    a(10, 3, 58);
    prog->executer(3);
    // The next cycle computes a column of the horizon line.
    if (prog->S.AlternanceHorizon)
        prog->executer(1);
    ASSERT_FALSE(prog->S.AlternanceHorizon);
    ASSERT_EQ(prog->S.CodeSource, 0);
    const bool luneAuNord = prog->S.Astro.Declinaison > 0;
    const int index = luneAuNord ? 3 : 2; // Sagittarius-A in the south, Cassiopeia-A in the north
    QTest::mouseClick(fenetres->fenetreInterface().ImgPark, Qt::LeftButton);
    horloge.pendantAttente = [this, index] { fenetres->fenetrePrincipale().MenuSource->action(index)->trigger(); };
    prog->executer(1); // arrival: the beep, the wait and the source chosen in it
    ASSERT_FALSE(prog->S.Drive.ParkingDemande);
    ASSERT_EQ(prog->S.CodeSource, index);
    ASSERT_EQ(prog->S.ColonneHorizon, 0);
    EXPECT_EQ(prog->S.DeclinaisonCourbe > 0, !luneAuNord);
    prog->executer(1);
    EXPECT_NEAR(prog->S.DeclinaisonCourbe, prog->S.Astro.Declinaison, 1e-9);
}

// ---------------------------------------------------------------- the core alone

struct Banc {
    explicit Banc(QDateTime utc) : horloge(utc), suivi(dialogs, horloge, vue)
    {
        StationTrack s = test::stationBox();
        s.DecHor = 0;
        suivi.Initialise(s, {});
        suivi.setLiaison(liaison);
        suivi.DureePeriode = 0; // 1 mn
    }
    platform::ScriptedDialogs dialogs;
    platform::ManualClock horloge;
    Vue vue;
    test::LiaisonEnregistree liaison;
    Suivi suivi;
};

// The Moon's elevation at the station, by the library's own procedure on a
// state of its own.
double elevationLune(const QDateTime& utc, const StationTrack& st)
{
    astro::EtatAstro e;
    e.variante = astro::Variante::Tracking;
    e.Altitude = st.Altitude;
    e.Freq = st.Freq;
    const QDate d = utc.date();
    e.DateCalcul = {int16_t(d.year()), int16_t(d.month()), int16_t(d.day()), int16_t(d.dayOfWeek() % 7 + 1)};
    astro::CalculJourJulien(e);
    const int s = utc.time().msecsSinceStartOfDay() / 1000;
    e.FractionJour = s / 86400.0;
    e.HeureUT = s / 3600.0;
    e.LatitudeObservateur = st.LatitudeStation;
    e.LongitudeObservateur = st.LongitudeStationHeures;
    astro::CalculTempsSideral(e);
    astro::CalculPositionSource(e, 0);
    return e.ElevationSource;
}

// Whatever column of the world-map horizon line the cycles have reached
// (144 cycles make one line), a period start shows the bar and the Doppler
// labels exactly when the Moon is up at the station.
TEST(PeriodeTrafic, BarreSelonLaLuneVueDeLaStation)
{
    const QDate jour(2024, 6, 1);
    for (const QTime debut : {QTime(22, 1, 0), QTime(10, 1, 0)}) {
        const QDateTime t(jour, debut, Qt::UTC);
        const double el = elevationLune(t, test::stationBox());
        ASSERT_GT(std::abs(el), 10) << "a clear case";
        int faux = 0;
        for (int decalage = 0; decalage < 144; ++decalage) {
            Banc b(t.addSecs(-30));
            for (int i = 0; i <= decalage; ++i)
                b.suivi.Cycle();
            b.horloge.set(t);
            b.suivi.Cycle();
            ASSERT_EQ(std::count(b.liaison.octets.begin(), b.liaison.octets.end(), octet::PeriodeAutre) +
                          std::count(b.liaison.octets.begin(), b.liaison.octets.end(), octet::PeriodePropre),
                      1);
            faux += b.suivi.Aff.CadrePeriode != (el >= 0) || b.suivi.Aff.LibellesDoppler != (el >= 0);
        }
        EXPECT_EQ(faux, 0) << debut.toString().toStdString() << " Moon at " << el;
    }
}

// The other timed events are late rather than lost too: a hold over
// seconds 16 and 46 and over r = P - 29 requests the series, redraws the
// sky map and the world map on the first step after it, once each.
TEST(PeriodeTrafic, EvenementsTardifsUneFoisChacun)
{
    struct VueComptee : Vue {
        int bandes = 0, courbes = 0;
        void dessineBandeCiel(const std::array<float, 73>&) override { ++bandes; }
        void dessineCourbeCarte(const std::array<float, 72>&, bool) override { ++courbes; }
    };
    platform::ScriptedDialogs d;
    platform::ManualClock h(QDateTime(QDate(2024, 6, 1), QTime(12, 0, 10)));
    VueComptee v;
    test::LiaisonEnregistree l;
    Suivi s(d, h, v);
    StationTrack st = test::stationBox();
    st.DecHor = 0;
    s.Initialise(st, {});
    s.setLiaison(l);
    s.DureePeriode = 0;
    auto pas = [&](int m, int sec) {
        h.set(QDateTime(QDate(2024, 6, 1), QTime(12, m, sec)));
        s.HorlogeUTC();
        s.GestionPeriodeTrafic();
    };
    pas(0, 10);
    s.RecalculLune = s.RecalculSoleil = false;
    pas(0, 20); // held over second 16
    EXPECT_TRUE(s.RecalculLune && s.RecalculSoleil);
    s.RecalculLune = s.RecalculSoleil = false;
    pas(0, 20);
    s.HorizonComplet = s.HorizonCielComplet = true;
    pas(0, 50); // held from 20 to 50: r = P - 29 = 31 and second 46 passed
    EXPECT_EQ(v.courbes, 1);
    EXPECT_EQ(v.bandes, 1);
    EXPECT_EQ(s.Aff.CadreSkyMap, "Brightness sky map");
    EXPECT_EQ(s.Aff.CadreMap, "Common Window : Moon");
    s.HorizonComplet = s.HorizonCielComplet = true;
    pas(0, 50);
    pas(0, 55);
    EXPECT_FALSE(s.RecalculLune);
    EXPECT_EQ(v.courbes, 1);
    EXPECT_EQ(v.bandes, 1);
    // A clock set back fires nothing; the next moment passed fires again.
    pas(0, 5);
    EXPECT_TRUE(l.octets.empty());
    pas(1, 0);
    EXPECT_EQ(l.octets, std::vector<uint8_t>{octet::PeriodeAutre}); // minute 721
}

} // namespace
