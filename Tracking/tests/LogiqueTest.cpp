// Wire format, station file and checks, correction table, track.ini, the
// traffic-period grid and Tracking's precession.

#include "Tracking/Suivi.h"
#include "Tracking/TrackIni.h"
#include "Tracking/tests/Outils.h"
#include "platform/Files.h"
#include "platform/testing/SourceDir.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace suivi;

TEST(Protocole, DecodageDesCodeurs)
{
    struct Cas { const char* format; uint8_t haut, bas; float rang; const char* unite; float off; float attendu; };
    const Cas cas[] = {
        {"BIN", 0x80, 0x00, 360, "Deg", 0, 180.0f},
        {"BIN", 0x80, 0x00, 360, "Deg", 200, 20.0f},  // 380 wraps once
        {"BCD", 0x12, 0x34, 0, "Deg", 0, 123.4f},
        {"BCD", 0x12, 0x34, 0, "Grd", 0, 111.06f},
        {"BCD", 0x35, 0x97, 0, "Deg", 0, 359.7f},
        {"BCD", 0x3A, 0xA5, 0, "Deg", 0, 30.0f},      // a nibble above 9 ends the number
    };
    for (const Cas& c : cas) {
        const float a = azimutCodeur(decodeCodeur(c.format, c.haut, c.bas, c.rang), c.unite, c.off);
        EXPECT_NEAR(a, c.attendu, 1e-3) << c.format << " " << int(c.haut) << " " << int(c.bas);
    }
    EXPECT_FLOAT_EQ(elevationCodeur(200, "Deg", 0), -160);
    EXPECT_FLOAT_EQ(elevationCodeur(-185, "Deg", 0), 175);
}

TEST(Protocole, OctetsDeVitesseJamaisPrisPourUneCommande)
{
    EXPECT_EQ(limiteVitesseEcart(17), 15);
    EXPECT_EQ(limiteVitesseEcart(200), 127);
    EXPECT_EQ(limiteVitesseEcart(2), 5);
    EXPECT_EQ(limiteVitesseProportionnelle(3), 5);
    EXPECT_EQ(limiteVitesseProportionnelle(17), 19);
    for (int v = -10; v < 300; ++v) {
        const int a = limiteVitesseEcart(v), b = limiteVitesseProportionnelle(v > 127 ? 127 : v);
        for (int x : {a, b}) {
            EXPECT_TRUE(x >= 5 && x <= 127 && !(x >= 16 && x <= 18)) << v;
        }
    }
}

namespace {
// The 99 lines of a station file with some values changed (line -> text).
QStringList lignesStation(const std::map<int, QString>& valeurs = {})
{
    auto l = platform::readLines(platform::testing::sourcePath("station/home.dat"));
    QStringList lignes = l.value_or(QStringList());
    for (auto [n, v] : valeurs)
        lignes[n - 1] = v;
    return lignes;
}
} // namespace

TEST(Station, LectureEtConversions)
{
    QTemporaryDir dir;
    const QString p = dir.filePath("s.dat");
    ASSERT_TRUE(platform::saveLines(p, lignesStation({{13, "s"}, {21, "W"}, {55, "-30"}, {25, "+ 2"}})));
    const auto s = lireStation(p);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Indic, "N0CALL");
    EXPECT_NEAR(s->LatitudeStation, -(43 + (36 + 16 / 60.0) / 60), 1e-6);
    EXPECT_NEAR(s->LongitudeStation, -(1 + (26 + 38 / 60.0) / 60), 1e-6);
    EXPECT_DOUBLE_EQ(s->LongitudeStationHeures, s->LongitudeStation / 15);
    EXPECT_FLOAT_EQ(s->OffAz, 330);
    EXPECT_EQ(s->DecHor, 2);
    EXPECT_EQ(s->Freq, 144);

    ASSERT_TRUE(platform::saveLines(p, lignesStation().mid(0, 86)));
    EXPECT_FALSE(lireStation(p)) << "too short";
    ASSERT_TRUE(platform::saveLines(p, lignesStation({{23, "99999"}})));
    EXPECT_FALSE(lireStation(p)) << "height does not fit 16 bits";
    EXPECT_FALSE(lireStation(dir.filePath("absent.dat")));
}

TEST(Station, Verification)
{
    struct Cas { const char* nom; std::function<void(StationTrack&)> change; bool valide; };
    const Cas cas[] = {
        {"reference", [](StationTrack&) {}, true},
        {"freq 0", [](StationTrack& s) { s.Freq = 0; }, false},
        {"port 5", [](StationTrack& s) { s.PortCom = 5; }, false},
        {"port 0 skips the axis rules", [](StationTrack& s) { s.PortCom = 0; s.ButeeG = s.ButeeD; s.FormatAz = "x"; }, true},
        {"equal stops", [](StationTrack& s) { s.ButeeG = s.ButeeD = 100; }, false},
        {"start 0", [](StationTrack& s) { s.AzimOn = 0; }, false},
        {"stop above start", [](StationTrack& s) { s.ElevOf = 3; }, false},
        {"north park 330", [](StationTrack& s) { s.ButeeG = 300; s.ButeeD = 60; s.ParkAz = 330; s.OffAz = 180; }, true},
        {"north park 30", [](StationTrack& s) { s.ButeeG = 300; s.ButeeD = 60; s.ParkAz = 30; s.OffAz = 180; }, true},
        {"north park 100", [](StationTrack& s) { s.ButeeG = 300; s.ButeeD = 60; s.ParkAz = 100; s.OffAz = 180; }, false},
        {"north offset 10", [](StationTrack& s) { s.ButeeG = 300; s.ButeeD = 60; s.ParkAz = 30; s.OffAz = 10; }, false},
        {"offset 10 w/o stop", [](StationTrack& s) { s.ButeeG = 300; s.ButeeD = 60; s.ParkAz = 30; s.OffAz = 10; s.AzStop = 1; }, true},
        {"range 1000 BCD", [](StationTrack& s) { s.FormatAz = "BCD"; s.RangAz = 1000; }, false},
        {"range 0 BCD", [](StationTrack& s) { s.FormatAz = "BCD"; s.RangAz = 0; }, true},
        {"range 0 BIN", [](StationTrack& s) { s.RangAz = 0; }, false},
        {"bin lower case", [](StationTrack& s) { s.FormatEl = "bin"; }, false},
        {"deg lower case", [](StationTrack& s) { s.UniteAz = "deg"; }, false},
        {"el offset above low stop", [](StationTrack& s) { s.OffEl = 5; }, false},
    };
    for (const Cas& c : cas) {
        StationTrack s = test::stationBox();
        c.change(s);
        EXPECT_EQ(verifierStation(s), c.valide) << c.nom;
    }
}

TEST(Station, TableDeCorrection)
{
    QTemporaryDir dir;
    const QString p = dir.filePath("home.tcv");
    QStringList l = {"c1", "c2", "c3"};
    for (int k = 0; k < 36; ++k)
        l << QString("[%1]").arg(10 * k) << (k == 1 ? "5" : k == 2 ? "-5" : "0.5") << (k == 3 ? "" : "-1");
    ASSERT_TRUE(platform::saveLines(p, l));
    Corrections c;
    int messages = 0;
    EXPECT_EQ(lireCorrections(p, c, [&] { ++messages; }), 0);
    EXPECT_TRUE(c.CorrectionActive);
    EXPECT_FLOAT_EQ(c.TableCorrectionAzimut[1], 5);
    EXPECT_FLOAT_EQ(c.TableCorrectionElevation[3], 0);
    EXPECT_FLOAT_EQ(c.TableCorrectionAzimut[36], c.TableCorrectionAzimut[0]);

    QStringList bad = l;
    bad[3 + 3 * 5] = "[40]";
    bad[3 + 3 * 7 + 1] = "9";
    ASSERT_TRUE(platform::saveLines(p, bad));
    Corrections d;
    messages = 0;
    lireCorrections(p, d, [&] { ++messages; });
    EXPECT_EQ(messages, 1) << "reading stops after the first failing record";
    EXPECT_FALSE(d.CorrectionActive);

    bad = l;
    bad[3 + 1] = "5.01";
    ASSERT_TRUE(platform::saveLines(p, bad));
    messages = 0;
    lireCorrections(p, d, [&] { ++messages; });
    EXPECT_EQ(messages, 1);
    EXPECT_FALSE(d.CorrectionActive);

    ASSERT_TRUE(platform::saveLines(p, l.mid(0, 50)));
    messages = 0;
    lireCorrections(p, d, [&] { ++messages; });
    EXPECT_EQ(messages, 0) << "a short table is silent";
    EXPECT_FALSE(d.CorrectionActive);
}

TEST(TrackIniTest, AllerRetourEtErreurs)
{
    QTemporaryDir dir;
    const QString p = dir.filePath("track.ini");
    TrackIni t;
    t.InterfaceTop = 1200;
    t.InterfaceLeft = -30;
    t.InterfaceEtat = 1;
    t.PrincipaleTop = 20000;
    t.PrincipaleLeft = 15;
    t.CarteMonde = true;
    t.Mesure = true;
    ASSERT_TRUE(platform::saveLines(p, lignesTrackIni(t)));
    TrackIni r;
    ASSERT_TRUE(lireTrackIni(p, r));
    EXPECT_EQ(lignesTrackIni(r), lignesTrackIni(t));

    QStringList l = lignesTrackIni(t);
    l[7] = " 5 ";  // not 0 counts as true
    l[10] = "x";   // the error comes after lines 1..10 were applied
    ASSERT_TRUE(platform::saveLines(p, l));
    TrackIni e;
    EXPECT_FALSE(lireTrackIni(p, e));
    EXPECT_TRUE(e.CarteMonde);
    EXPECT_EQ(e.PrincipaleTop, 20000);
    EXPECT_FALSE(e.Mesure);
    EXPECT_FALSE(lireTrackIni(dir.filePath("none.ini"), e));
}

TEST(Periodes, Grille)
{
    struct Cas { int32_t s; int P; int periode; int r; bool propre; };
    const Cas cas[] = {
        {12 * 3600, 60, 0, 0, true},
        {12 * 3600 + 60, 60, 0, 0, false},
        {150, 150, 0, 0, false},
        {300, 150, 0, 0, true},
        {86399, 150, 0, 86399 % 150, (86399 / 150) % 2 == 0},
        {86399, 120, 1, 86399 % 120, (86399 / 120) % 2 == 1},
    };
    for (const Cas& c : cas) {
        const PositionPeriode p = positionPeriode(c.s, c.P, c.periode);
        EXPECT_EQ(p.r, c.r) << c.s;
        EXPECT_EQ(p.propre, c.propre) << c.s;
    }
}

TEST(Source, PrecessionAFixeTaux)
{
    platform::ScriptedDialogs d;
    platform::ManualClock h(QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    Vue v;
    Suivi s(d, h, v);
    s.Astro.AscensionDroite = 0;
    s.Astro.Declinaison = 0;
    s.Astro.DateJulienne = 18262.423 + 50 * 365.2425;
    s.CalculPrecessionTrack();
    EXPECT_NEAR(s.Astro.AscensionDroite, 50 * 3.07327 * 7.27220467524603e-5, 1e-12);
    EXPECT_NEAR(s.Astro.Declinaison, 50 * 20.0426 * 4.848136995860841e-6, 1e-12);
    s.Astro.AscensionDroite = 6.283185308 - 1e-9;
    s.Astro.Declinaison = 0;
    s.CalculPrecessionTrack();
    EXPECT_NEAR(s.Astro.AscensionDroite, 50 * 3.07327 * 7.27220467524603e-5 - 1e-9, 1e-8) << "wrapped past 2 pi";
}

TEST(Horloge, PasDeJourEtLibelles)
{
    platform::ScriptedDialogs d;
    // 00:30 on 1 March 2023 with the PC two hours ahead: 22:30 UTC on 28 February.
    platform::ManualClock h(QDateTime(QDate(2023, 3, 1), QTime(0, 30, 5)));
    Vue v;
    Suivi s(d, h, v);
    StationTrack st = test::stationBox();
    st.DecHor = 2;
    ASSERT_TRUE(s.Initialise(st, {}));
    ASSERT_TRUE(s.HorlogeUTC());
    EXPECT_EQ(s.HeureUTC, 22);
    EXPECT_EQ(s.Astro.DateCalcul.day, 28);
    EXPECT_EQ(s.Astro.DateCalcul.month, 2);
    EXPECT_EQ(s.Aff.AffUTCJour, "Tuesday");
    EXPECT_EQ(s.Aff.AffUTCDate, " 28 Feb 2023");
    EXPECT_EQ(s.SecondesJourUTC, 22 * 3600 + 30 * 60 + 5);
    // 23:10 on 31 December with DecHor -3: 02:10 on 1 January.
    h.set(QDateTime(QDate(2023, 12, 31), QTime(23, 10)));
    s.Station.DecHor = -3;
    ASSERT_TRUE(s.HorlogeUTC());
    EXPECT_EQ(s.HeureUTC, 2);
    EXPECT_EQ(s.Astro.DateCalcul.year, 2024);
    EXPECT_EQ(s.Astro.DateCalcul.day, 1);
    // A PC date before 1999 ends the program after its message.
    bool fini = false;
    s.fin = [&] { fini = true; };
    h.set(QDateTime(QDate(1998, 5, 1), QTime(10, 0)));
    EXPECT_FALSE(s.HorlogeUTC());
    EXPECT_TRUE(fini);
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_EQ(d.messages()[0].title, " - Computer Date ERROR -");
}

// Tracking's source step against the library's own source procedure (the one
// Planner calls) for the same instant and observer. The clock runs two hours
// ahead of UTC across a date roll into a leap day, so the comparison also
// covers the UTC date, the day number and the time of day Tracking forms.
TEST(Source, AccordAvecLaProcedureDeLaBibliotheque)
{
    struct Cas { int code; QDateTime pc; int decHor; QDate dateUtc; QTime heureUtc; double tolerance; };
    const Cas cas[] = {
        // Moon and Sun: the same series, so the positions agree to rounding.
        {0, QDateTime(QDate(2024, 3, 1), QTime(1, 15, 30)), 2, QDate(2024, 2, 29), QTime(23, 15, 30), 1e-6},
        {0, QDateTime(QDate(2025, 7, 14), QTime(18, 40, 0)), -5, QDate(2025, 7, 14), QTime(23, 40, 0), 1e-6},
        {1, QDateTime(QDate(2024, 6, 21), QTime(14, 0, 0)), 2, QDate(2024, 6, 21), QTime(12, 0, 0), 1e-6},
        // A fixed source: Tracking's fixed-rate precession against the
        // library's, within a hundredth of a degree over 75 years.
        {2, QDateTime(QDate(2024, 11, 2), QTime(3, 0, 0)), 0, QDate(2024, 11, 2), QTime(3, 0, 0), 0.01},
    };
    for (const Cas& c : cas) {
        platform::ScriptedDialogs d;
        platform::ManualClock h(c.pc);
        Vue v;
        Suivi s(d, h, v);
        StationTrack st = test::stationBox();
        st.PortCom = 0;
        st.DecHor = static_cast<int16_t>(c.decHor);
        st.Altitude = 150;
        ASSERT_TRUE(s.Initialise(st, {}));
        s.CodeSource = c.code;
        ASSERT_TRUE(s.Cycle());
        s.Astro.LatitudeObservateur = st.LatitudeStation;
        s.Astro.LongitudeObservateur = st.LongitudeStationHeures;
        s.RecalculLune = s.RecalculSoleil = true;
        s.CalculPositionSourceTrack(c.code);

        astro::EtatAstro ref; // Planner's way: the UTC date and time given directly
        ref.Altitude = 150;
        ref.Freq = st.Freq;
        ref.LatitudeObservateur = st.LatitudeStation;
        ref.LongitudeObservateur = st.LongitudeStationHeures;
        ref.DateCalcul = {static_cast<int16_t>(c.dateUtc.year()), static_cast<int16_t>(c.dateUtc.month()),
                          static_cast<int16_t>(c.dateUtc.day()), 1};
        astro::CalculJourJulien(ref);
        const int sec = c.heureUtc.msecsSinceStartOfDay() / 1000;
        ref.FractionJour = sec / 86400.0;
        ref.HeureUT = sec / 3600.0;
        astro::CalculTempsSideral(ref);
        astro::CalculPositionSource(ref, c.code);

        EXPECT_EQ(s.Astro.DateCalcul.day, c.dateUtc.day()) << c.code;
        EXPECT_DOUBLE_EQ(s.Astro.JourJulien, ref.JourJulien) << c.code;
        EXPECT_NEAR(s.Astro.AzimutSource, ref.AzimutSource, c.tolerance) << c.code;
        EXPECT_NEAR(s.Astro.ElevationSource, ref.ElevationSource, c.tolerance) << c.code;
        if (c.code == 0) {
            // Tracking's Doppler runs in single precision: within a hertz.
            EXPECT_NEAR(s.Astro.DopplerSource, ref.DopplerSource, 1);
        }
    }
}
