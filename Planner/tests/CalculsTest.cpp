// The table computations against the astronomy library, the curve, the DX
// values and the small rules of the table windows and the radio-sky map.

#include "Planner/Calculs.h"
#include "Planner/Dates.h"
#include "Outils.h"
#include "platform/Text.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace planner;
using VariablesPlanner = ::VariablesPlanner;

namespace {

// Paris at 144 MHz, clock at UTC + 1.
VariablesPlanner stationParis() {
    VariablesPlanner v;
    v.LatitudeStation = 48.85;
    v.LongitudeStation = 2.35;
    v.LongitudeStationHeures = 2.35 / 15;
    v.Altitude = 35;
    v.DecHor = 1;
    v.Freq = 144;
    v.Astro.Altitude = 35;
    v.Astro.Freq = 144;
    return v;
}

void periode(VariablesPlanner& v, const char* deb, const char* tdeb, const char* fin, const char* tfin, const char* step,
             bool visible) {
    ASSERT_EQ(verifiePeriode(v, deb, tdeb, fin, tfin, step, visible), Periode::Ok);
    astro::CalculJourJulien(v.Astro);
}

TEST(CalculPrevision, ToujoursUneLigneParPasComparéeALaBibliotheque) {
    VariablesPlanner v = stationParis();
    periode(v, "12-05-2001", "00:00", "12-05-2001", "23:50", "10", false);
    outils::Enregistreur s;
    s.v = &v;
    CalculPrevision(v, s);
    ASSERT_EQ(s.jours, std::vector<int>{0});
    ASSERT_EQ(s.fenetres[0].size(), 144u);
    EXPECT_EQ(s.captions[0], "Sat 12-05-2001 from 00:00 to 23:50");
    EXPECT_TRUE(s.messages.isEmpty());
    // Row 83 is 13:40 UTC: recompute it with the library alone.
    astro::EtatAstro e;
    e.Freq = 144;
    e.Altitude = 35;
    e.DateCalcul = {2001, 5, 12, 7};
    astro::CalculJourJulien(e);
    e.FractionJour = (13 * 3600 + 40 * 60) / 86400.0;
    e.HeureUT = (13 * 3600 + 40 * 60) / 3600.0;
    e.LatitudeObservateur = 48.85;
    e.LongitudeObservateur = 2.35 / 15;
    astro::CalculTempsSideral(e);
    astro::CalculPositionSource(e, 0);
    const QStringList c = s.fenetres[0][83].split('\t');
    ASSERT_EQ(c.size(), 9);
    EXPECT_EQ(c[0], "13:40");
    EXPECT_EQ(c[1], "14:40");
    EXPECT_EQ(c[2], platform::Format(float(e.AzimutSource), "##0.00"));
    EXPECT_EQ(c[3], platform::Format(float(e.ElevationSource), "##0.00"));
    EXPECT_EQ(c[4], e.ElevationSource >= 0 ? platform::CStr(e.DopplerSource) : QString("------"));
    astro::CalculPositionSource(e, 1);
    EXPECT_EQ(c[5], platform::Format(float(e.AzimutSource), "##0.00"));
    astro::CalculPositionSource(e, 8);
    EXPECT_EQ(c[8], platform::Format(float(e.ElevationSource), "##0.00"));
    // Every row below the horizon shows dashes, and there is no blank row.
    int dessous = 0;
    for (const auto& [r, t] : s.fenetres[0]) {
        const QStringList cc = t.split('\t');
        ASSERT_EQ(cc.size(), 9) << r;
        if (cc[3].toDouble() < 0) {
            ++dessous;
            EXPECT_EQ(cc[4], "------");
        }
    }
    EXPECT_GT(dessous, 0);
}

TEST(CalculPrevision, LuneVisibleUneSeuleLigneVideParJour) {
    VariablesPlanner v = stationParis();
    periode(v, "12-05-2001", "00:00", "14-05-2001", "00:00", "20", true);
    outils::Enregistreur s;
    s.v = &v;
    CalculPrevision(v, s);
    ASSERT_GE(s.jours.size(), 2u);
    for (const auto& [index, lignes] : s.fenetres) {
        int vides = 0;
        for (const auto& [r, t] : lignes) {
            if (t.isEmpty())
                ++vides;
            else
                EXPECT_GE(t.split('\t')[3].toDouble(), 0) << r;
        }
        EXPECT_LE(vides, 1) << index;
        EXPECT_EQ(int(lignes.size()), lignes.rbegin()->first); // rows 1..n without gaps
    }
    // The last step (14-05 00:00) starts a new day past the end: no window.
    EXPECT_EQ(v.IndexPrevision, int(s.jours.size()) - 1);
}

TEST(CalculPrevision, LuneJamaisVisibleUnMessageParJour) {
    VariablesPlanner v = stationParis();
    // Near the north pole while the Moon stands far south (declination about -28 deg).
    v.LatitudeStation = 89;
    periode(v, "21-05-2006", "00:00", "22-05-2006", "12:00", "30", true);
    astro::CalculTempsSideral(v.Astro);
    outils::Enregistreur s;
    CalculPrevision(v, s);
    EXPECT_TRUE(s.jours.empty());
    ASSERT_EQ(s.messages.size(), 2);
    EXPECT_EQ(s.messages[0], QString("The Moon is not visible on") + QChar(13) + "Sun 21-05-2006 from 00:00 to 23:30 UTC");
    EXPECT_EQ(s.messages[1], QString("The Moon is not visible on") + QChar(13) + "Mon 22-05-2006 from 00:00 to 12:00 UTC");
}

TEST(CalculPrevision, PasDe90MinutesEtHeureLocaleNegative) {
    VariablesPlanner v = stationParis();
    v.DecHor = -5;
    periode(v, "31-12-2001", "23:00", "01-01-2002", "03:00", "90", false);
    outils::Enregistreur s;
    s.v = &v;
    CalculPrevision(v, s);
    ASSERT_EQ(s.jours, (std::vector<int>{0, 1}));
    EXPECT_EQ(s.captions[0], "Mon 31-12-2001 from 23:00 to 23:00");
    EXPECT_EQ(s.captions[1], "Tue 01-01-2002 from 00:30 to 02:00");
    EXPECT_EQ(s.fenetres[0][1].left(11), "23:00\t18:00");
    EXPECT_EQ(s.fenetres[1][1].left(11), "00:30\t19:30");
    EXPECT_EQ(s.fenetres[1][2].left(5), "02:00");
}

// The computation stops at the first step whose cede() says stop (the stop
// asked of this run): the rows so far, no day finished.
TEST(CalculPrevision, ArretDemandeParLaSortie) {
    VariablesPlanner v = stationParis();
    periode(v, "12-05-2001", "00:00", "13-05-2001", "00:00", "10", false);
    outils::Enregistreur s;
    s.arretApres = 5;
    CalculPrevision(v, s);
    EXPECT_EQ(s.fenetres[0].size(), 5u);
    EXPECT_TRUE(s.jours.empty()); // the day is left without its header
}

TEST(CalculPrevisionCommune, SoleilSansDopplerEtLignesCommunes) {
    VariablesPlanner v = stationParis();
    v.CodeSource = 1;
    v.NomSource = "Sun";
    float lon = -74.0f, lat = 40.7f; // New York
    FixePointDX(v, astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
    periode(v, "12-05-2001", "00:00", "12-05-2001", "23:50", "10", false);
    outils::Enregistreur s;
    CalculPrevisionCommune(v, s);
    ASSERT_EQ(s.jours, std::vector<int>{0});
    bool vide = false;
    for (const auto& [r, t] : s.fenetres[0]) {
        if (t.isEmpty()) {
            EXPECT_FALSE(vide);
            vide = true;
            continue;
        }
        const QStringList c = t.split('\t');
        EXPECT_EQ(c[4], "------");
        EXPECT_EQ(c[5], "------");
        EXPECT_EQ(c[6], "------");
        EXPECT_GE(c[3].toDouble(), 0);
        EXPECT_GE(c[8].toDouble(), 0);
    }
    EXPECT_EQ(v.TextePerte, "----");
}

TEST(CalculPrevisionCommune, LuneDopplerEtPolarisation) {
    VariablesPlanner v = stationParis();
    float lon = -74.0f, lat = 40.7f;
    FixePointDX(v, astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
    periode(v, "12-05-2001", "00:00", "13-05-2001", "00:00", "10", false);
    outils::Enregistreur s;
    CalculPrevisionCommune(v, s);
    ASSERT_FALSE(s.fenetres[0].empty());
    const QStringList c = s.fenetres[0].begin()->second.split('\t');
    EXPECT_NE(c[4], "------");
    EXPECT_NE(c[5], "------");
    const double polar = c[6].toDouble();
    EXPECT_GE(polar, -90);
    EXPECT_LE(polar, 90);
}

TEST(Polarisation, RepliDansPlusOuMoins90) {
    EXPECT_FLOAT_EQ(DecalagePolar(100, 0), -80);
    EXPECT_FLOAT_EQ(DecalagePolar(-135, 0), 45);
    EXPECT_FLOAT_EQ(DecalagePolar(90, 0), 90);
    EXPECT_FLOAT_EQ(DecalagePolar(-90, 0), -90);
    EXPECT_EQ(platform::Format(DecalagePolar(60, -40), "##0.0"), "-80.0");
    // Azimuth exactly 0: a vertical plane rather than a division by zero.
    EXPECT_FLOAT_EQ(std::fabs(AnglePolar(0.5, 0.0f, 0.3f)), 90.0f);
}

TEST(Courbe, ColonnesSurLaLigneDElevationZero) {
    VariablesPlanner v = stationParis();
    fixeInstant(v, "12-05-2001", "13:40");
    int cedes = 0;
    CalculCourbe(v, [&] { ++cedes; return true; });
    EXPECT_EQ(cedes, 73);
    EXPECT_EQ(v.ColonneCarte, 0);
    // A bisected column lies within the band or within 10 twips of its interval's end.
    int coupees = 0;
    for (int i = 0; i < 72; ++i) {
        const double y = v.CourbeFenetreCommune[size_t(i)];
        ASSERT_GE(y, 0);
        ASSERT_LE(y, 2770);
        if (y == 0 || y == 2770)
            continue;
        ++coupees;
        int16_t yy = int16_t(y), x = int16_t(80 * i);
        v.Astro.LongitudeObservateur = astro::CarteXVersLongitude(x);
        v.Astro.LatitudeObservateur = astro::CarteYVersLatitude(yy);
        astro::CalculTempsSideral(v.Astro);
        astro::CalculAzElTopocentrique(v.Astro);
        EXPECT_LT(std::fabs(v.Astro.ElevationSource), 2.0) << i;
    }
    EXPECT_GT(coupees, 10);
}

// The choice of a column's Y from the edge elevations, on a synthetic sky
// whose elevation at map Y is given: the edge rules, the first probe and the
// bisection's ends.
TEST(Courbe, ChoixDUneColonne) {
    struct Cas {
        const char* nom;
        float et, eb;
        double decl;
        double zero; // map Y where the synthetic elevation crosses 0 (decreasing with Y when et > eb)
        double attendu;
    } cas[] = {
        {"down at both edges, north", -1, -2, 0.1, 0, 0},
        {"down at both edges, declination 0 counts as north", -1, -2, 0.0, 0, 0},
        {"down at both edges, south", -1, -2, -0.1, 0, 2770},
        {"up at both edges, north", 1, 2, 0.0, 0, 2770},
        {"up at both edges, south", 1, 2, -0.1, 0, 0},
        {"first probe in the band", 10, -10, 0.1, 1385, 1385},
        {"second probe 692 (0 + 1385 / 2, half to even)", 10, -10, 0.1, 692, 692},
        {"top exactly 0, bottom up: bisected", 0, 5, 0.1, 2000, -1},
        {"no crossing on the map: stops within 10 twips of the bottom", 10, -10, 0.1, 2900, -2},
    };
    for (const auto& c : cas) {
        std::vector<int> sondes;
        const double pente = c.et > c.eb ? -0.01 : 0.01; // degrees per twip
        const double y = ChoixColonne(c.et, c.eb, c.decl, [&](int16_t m) {
            sondes.push_back(m);
            return (m - c.zero) * pente;
        });
        if (c.attendu >= 0) {
            EXPECT_EQ(y, c.attendu) << c.nom;
        } else if (c.attendu == -1) {
            EXPECT_FALSE(sondes.empty()) << c.nom;
            EXPECT_LT(std::fabs((y - c.zero) * pente), 0.25) << c.nom;
        } else {
            EXPECT_GE(y, 2760) << c.nom;
            EXPECT_LT(2770 - y, 10) << c.nom;
        }
        if (std::string(c.nom).rfind("first", 0) == 0) {
            EXPECT_EQ(sondes, std::vector<int>{1385});
        }
        if (std::string(c.nom).rfind("second", 0) == 0) {
            EXPECT_EQ(sondes, (std::vector<int>{1385, 692}));
        }
    }
    // Both edges exactly 0: no rule moves an end; the first probe ends it.
    int n = 0;
    EXPECT_EQ(ChoixColonne(0, 0, 0.1, [&](int16_t) { ++n; return 5.0; }), 1385);
    EXPECT_EQ(n, 1);
}

// A step of 0 cannot move the clock: nothing is computed instead of a loop
// that never reaches the end of the period.
TEST(CalculPrevision, PasNulNeCalculeRien) {
    for (int code : {-1, 0}) {
        VariablesPlanner v = stationParis();
        periode(v, "12-05-2001", "00:00", "12-05-2001", "01:00", "10", false);
        v.Step = int16_t(code);
        outils::Enregistreur s;
        s.arretApres = 1000;
        CalculPrevision(v, s);
        EXPECT_EQ(s.pas, 0);
        EXPECT_TRUE(s.fenetres.empty());
        float lon = -74.0f, lat = 40.7f;
        FixePointDX(v, astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
        CalculPrevisionCommune(v, s);
        EXPECT_EQ(s.pas, 0);
        EXPECT_TRUE(s.fenetres.empty());
    }
    EXPECT_EQ(lirePas("99999"), 0); // beyond 16 bits: a refused step, not an overflow
    EXPECT_EQ(lirePas("15"), 15);
}

TEST(PointDX, SoleilSansDopplerNiPolarisation) {
    VariablesPlanner v = stationParis();
    v.CodeSource = 1;
    fixeInstant(v, "12-05-2001", "13:40");
    float lon = -74.0f, lat = 40.7f;
    FixePointDX(v, astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
    const ResultatDX r = CalculPointDX(v);
    EXPECT_FALSE(r.AffAzimDX.isEmpty());
    EXPECT_FALSE(r.AffElevDX.isEmpty());
    EXPECT_TRUE(r.AffDopplerDX.isEmpty());
    EXPECT_TRUE(r.AffPolarDX.isEmpty());
    // Paris - New York is about 5840 km on a 6368 km sphere (map point rounded to twips).
    EXPECT_NEAR(r.AffDistance.toDouble(), 5840, 40);
}

TEST(TableFenetre, TemperatureDuCiel) {
    struct Cas {
        int freq;
        float a1, a2, soleil;
        const char* attendu;
    } cas[] = {
        {144, 0, 270, 180, "144 MHz sky temp. : 247 to 3420 °K"},
        {399, 359.9f, 0, 180, "144 MHz sky temp. : 247 to 247 °K"},
        {400, 0, 270, 180, "432 MHz sky temp. : 21 to 167 °K"},
        {144, 106.5f, 100, 100, "144 MHz sky temp. : 369 to Sun"},
        {144, 106.4f, 353.6f, 100, "144 MHz sky temp. : Sun to 247 °K"},
        // 353.5 degrees from the Sun still shows the temperature, 353.6 "Sun".
        {144, 353.5f, 353.6f, 0, "144 MHz sky temp. : 247 to Sun"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(LigneTempCiel(c.freq, c.a1, c.a2, c.soleil).replace(" to Sun °K", " to Sun"), QString(c.attendu))
            << c.freq << " " << c.a1;
}

TEST(TableFenetre, PhaseEtPlacement) {
    EXPECT_EQ(SecteurPhase(22.5), 1);
    EXPECT_EQ(SecteurPhase(337.5), 0);
    EXPECT_EQ(SecteurPhase(0), 0);
    EXPECT_EQ(SecteurPhase(115), 3);
    EXPECT_EQ(SecteurPhase(112.5), 3);
    EXPECT_EQ(SecteurPhase(180), 4);
    EXPECT_EQ(PhaseJour(350, 8, 0), 0);   // mean 359, not 179
    EXPECT_EQ(PhaseJour(170, 190, 0), 4);
    EXPECT_EQ(PlaceFenetre(0, 200, 1000, 20000, 300), 1000);
    EXPECT_EQ(PlaceFenetre(3, 200, 1000, 20000, 300), 1600);
    EXPECT_EQ(PlaceFenetre(3, 300, 1000, 1500, 300), 1200);
    EXPECT_EQ(TexteLatitude("Lat : ", 0), "Lat : 0.000 N");
    EXPECT_EQ(TexteLongitude("Long : ", -2.1), "Long : 2.100 W");
    EXPECT_EQ(TexteFrequence(144), "Frequency :  144 MHz");
    // Common-window windows: the limit is 200 twips; index 2 is 400 right, 600 down.
    EXPECT_EQ(PlaceFenetre(2, 200, 1000, 20000, 200), 1400);
    EXPECT_EQ(PlaceFenetre(2, 300, 1000, 20000, 200), 1600);
    EXPECT_EQ(PlaceFenetre(50, 200, 1000, 10000, 200), 9800);
    // A DX point on the map's left edge: 168 degrees west; latitude 0 is north.
    int16_t x0 = 0;
    EXPECT_EQ(TexteLongitude("Long: ", float(astro::CarteXVersLongitude(x0) * 15)), "Long: 168.000 W");
    EXPECT_EQ(TexteLatitude("Lat: ", 0.0f), "Lat: 0.000 N");
    EXPECT_EQ(TexteLatitude("Lat : ", -2.1), "Lat : 2.100 S");
    // The sky tables repeat their first two entries at 48 and 49.
    EXPECT_EQ(astro::TableTempCiel144[48], astro::TableTempCiel144[0]);
    EXPECT_EQ(astro::TableTempCiel144[49], astro::TableTempCiel144[1]);
    EXPECT_EQ(astro::TableTempCiel432[48], astro::TableTempCiel432[0]);
    EXPECT_EQ(astro::TableTempCiel432[49], astro::TableTempCiel432[1]);
}

TEST(CarteCiel, MarqueursEtTemperature) {
    VariablesPlanner v = stationParis();
    v = AInstant(v, "12-05-2001", "13:40");
    const Ciel c = CalculCiel(v);
    // The Moon's own position, by the chart's scale.
    astro::CalculPositionSource(v.Astro, 0);
    const float a = float(astro::RadVersDeg(v.Astro.AscensionDroite));
    EXPECT_FLOAT_EQ(c.LuneLeft, 5315 - (4890.0f / 360.0f) * a);
    EXPECT_EQ(c.EtiqTemp, "144 MHz Sky temp.");
    EXPECT_TRUE(c.AffTemp.endsWith(" °K") || c.AffTemp == "'Sun'");
    EXPECT_TRUE(c.AffExtraLoss.endsWith(" dB"));
    EXPECT_GE(c.Phase, 0);
    EXPECT_LE(c.Phase, 7);
}

// Toulouse, as the default station folder's home.dat.
VariablesPlanner stationToulouse() {
    VariablesPlanner v = stationParis();
    v.LatitudeStation = 43 + float((16 / 60.0 + 36) / 60.0);
    v.LongitudeStation = 1 + float((38 / 60.0 + 26) / 60.0);
    v.LongitudeStationHeures = v.LongitudeStation / 15;
    v.Altitude = 146;
    v.Astro.Altitude = 146;
    return v;
}

// The source's elevation for an observer at (lat, lon) degrees, computed
// afresh from the library for one instant.
double elevationA(const VariablesPlanner& base, int code, double lat, double lon, const char* date, const char* heure) {
    VariablesPlanner w = base;
    fixeInstant(w, date, heure);
    w.Astro.LatitudeObservateur = lat;
    w.Astro.LongitudeObservateur = lon / 15;
    astro::CalculTempsSideral(w.Astro);
    astro::CalculPositionSource(w.Astro, code);
    return w.Astro.ElevationSource;
}

// Great-circle distance on the 6368 km sphere, by the haversine form.
double distanceKm(double lat1, double lon1, double lat2, double lon2) {
    const double r = 3.14159265358979 / 180;
    const double a = std::pow(std::sin((lat2 - lat1) * r / 2), 2) +
                     std::cos(lat1 * r) * std::cos(lat2 * r) * std::pow(std::sin((lon2 - lon1) * r / 2), 2);
    return 2 * 6368 * std::asin(std::sqrt(a));
}

// A DX station beyond the map's edge (CE9 at 89°59' S, 0° E): its mark is
// pinned to the bottom edge (-55°), its values come from its own position.
TEST(PointDX, PositionDeLEnregistrementPasLePointEpingle) {
    VariablesPlanner v = stationToulouse();
    float lat = -(89 + 59 / 60.0f), lon = 0;
    const double latCE9 = lat;
    const int16_t x = astro::LongitudeVersCarteX(lon), y = astro::LatitudeVersCarteY(lat);
    ASSERT_EQ(y, 2770);
    for (int code : {0, 1}) {
        v.CodeSource = int16_t(code);
        FixePointDX(v, x, y, latCE9, 0, "CE9", "Antarctica");
        const ResultatDX r = CalculPointDX(AInstant(v, "12-05-2001", "13:40"));
        EXPECT_EQ(r.AffElevDX, platform::Format(float(elevationA(v, code, latCE9, 0, "12-05-2001", "13:40")), "##0.00"));
        EXPECT_NE(r.AffElevDX, platform::Format(float(elevationA(v, code, -55, 0, "12-05-2001", "13:40")), "##0.00"));
        EXPECT_NEAR(r.AffDistance.toDouble(), distanceKm(v.LatitudeStation, v.LongitudeStation, latCE9, 0), 1);
        EXPECT_EQ(r.AffDistance.trimmed(), "14847");
    }
    // The common-window tables take the same position.
    v.CodeSource = 0;
    periode(v, "12-05-2001", "00:00", "12-05-2001", "23:50", "10", false);
    outils::Enregistreur s;
    CalculPrevisionCommune(v, s);
    ASSERT_FALSE(s.fenetres[0].empty());
    const auto& [r, cellules] = *s.fenetres[0].begin();
    (void)r;
    const QStringList c = cellules.split('\t');
    EXPECT_EQ(c[8], platform::Format(float(elevationA(v, 0, latCE9, 0, "12-05-2001", c[0].toLatin1().constData())), "##0.00"));
}

// The DX values and the radio-sky map for the common-window instant, whatever
// a table computation left in the astronomy state (its end of period).
TEST(PointDX, InstantCommunPasLaFinDesTables) {
    VariablesPlanner v = stationToulouse();
    float lon = -74.0f, lat = 40.7f;
    FixePointDX(v, astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
    const ResultatDX avant = CalculPointDX(AInstant(v, "12-05-2001", "13:40"));
    const Ciel cielAvant = CalculCiel(AInstant(v, "12-05-2001", "13:40"));
    periode(v, "12-05-2001", "00:00", "14-05-2001", "00:00", "10", false);
    outils::Enregistreur s;
    CalculPrevisionCommune(v, s);
    const ResultatDX apres = CalculPointDX(AInstant(v, "12-05-2001", "13:40"));
    EXPECT_EQ(apres.AffAzimDX, avant.AffAzimDX);
    EXPECT_EQ(apres.AffElevDX, avant.AffElevDX);
    EXPECT_EQ(apres.AffDopplerDX, avant.AffDopplerDX);
    EXPECT_EQ(CalculCiel(AInstant(v, "12-05-2001", "13:40")).AffHA, cielAvant.AffHA);
    EXPECT_EQ(CalculCiel(AInstant(v, "12-05-2001", "13:40")).AffTemp, cielAvant.AffTemp);
    // The DX azimuth is the library's for New York at that instant.
    VariablesPlanner w = AInstant(v, "12-05-2001", "13:40");
    w.Astro.LatitudeObservateur = v.LatitudeDX;
    w.Astro.LongitudeObservateur = v.LongitudeDXHeures;
    astro::CalculTempsSideral(w.Astro);
    astro::CalculPositionSource(w.Astro, 0);
    EXPECT_EQ(apres.AffAzimDX, platform::Format(float(w.Astro.AzimutSource), "##0.00"));
}

// The common-window tables refresh the Sun's right ascension at every row,
// as the Moon-location tables do: each day's value is that day's Sun.
TEST(CalculPrevisionCommune, SoleilDeChaqueJour) {
    VariablesPlanner v = stationToulouse();
    float lon = -74.0f, lat = 40.7f;
    FixePointDX(v, astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
    v.AscDroiteSoleil = 0; // as left by another computation
    periode(v, "01-05-2001", "00:00", "31-05-2001", "23:50", "30", false);
    outils::Enregistreur s;
    s.v = &v;
    CalculPrevisionCommune(v, s);
    ASSERT_GE(s.soleils.size(), 25u);
    for (size_t i = 0; i < s.soleils.size(); ++i) {
        // The Sun at noon of the day the window names (its right ascension
        // moves about a degree a day, under 0.6 degree in half a day).
        const QString date = s.captions[i].mid(4, 10);
        VariablesPlanner w = AInstant(v, date, "12:00");
        astro::CalculPositionSource(w.Astro, 1);
        EXPECT_NEAR(s.soleils[i], astro::RadVersDeg(w.Astro.AscensionDroite), 0.6) << s.captions[i].toStdString();
    }
}

} // namespace
