// The parts of the cycle that feed the displays: the traffic-period step and
// its once-flags, bar and blink; the measurement input; the antenna icon and
// the sky-map horizon points; the world-map horizon line; the value labels.
#include "Tracking/Suivi.h"
#include "Tracking/tests/Outils.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

using namespace suivi;

namespace {

struct VueTest : Vue {
    bool interface = true, ciel = true, ant = true, abs = false;
    int bandes = 0, courbes = 0, niveaux = 0, effacements = 0;
    std::array<float, 72> courbe{};
    bool interfaceVisible() const override { return interface; }
    bool cadreSkyMapVisible() const override { return ciel; }
    bool imgPosAntVisible() const override { return ant; }
    bool absolu() const override { return abs; }
    void dessineBandeCiel(const std::array<float, 73>&) override { ++bandes; }
    void dessineCourbeCarte(const std::array<float, 72>& y, bool) override
    {
        ++courbes;
        courbe = y;
    }
    void dessineNiveau(const std::array<float, 21>&) override { ++niveaux; }
    void effaceCarte() override { ++effacements; }
};

struct Banc {
    explicit Banc(StationTrack s = test::stationBox())
        : horloge(QDateTime(QDate(2024, 6, 1), QTime(12, 0, 0))), suivi(dialogs, horloge, vue)
    {
        s.DecHor = 0;
        suivi.Initialise(s, {});
        suivi.setLiaison(liaison);
    }
    // The clock step and the period step at local (= UTC) time h:m:s.
    void a(int h, int m, int s)
    {
        horloge.set(QDateTime(QDate(2024, 6, 1), QTime(h, m, s)));
        suivi.HorlogeUTC();
        suivi.GestionPeriodeTrafic();
    }
    int compte(uint8_t code) const { return int(std::count(liaison.octets.begin(), liaison.octets.end(), code)); }
    platform::ScriptedDialogs dialogs;
    platform::ManualClock horloge;
    VueTest vue;
    test::LiaisonEnregistree liaison;
    Suivi suivi;
};

TEST(PeriodeTrafic, DebutsDePeriodeUneFoisChacun)
{
    Banc b;
    b.suivi.DureePeriode = 0; // 1 mn
    b.a(11, 59, 52);          // before any period start the bar has no colour to flash
    EXPECT_EQ(b.suivi.Aff.AffNextPeriodeCouleur, 0u);
    b.a(11, 59, 58);          // an ordinary second arms the events
    b.a(12, 0, 0);
    b.a(12, 0, 0); // the loop runs many times in one second
    EXPECT_EQ(b.compte(octet::PeriodePropre), 1);
    EXPECT_EQ(b.compte(octet::PeriodeAutre), 0);
    EXPECT_EQ(b.suivi.Aff.AffPeriodeCouleur, Rouge);
    EXPECT_EQ(b.suivi.Aff.CadreTraffic, "Traffic : 1st / 1mn");
    b.a(12, 0, 5);
    EXPECT_EQ(b.suivi.Aff.AffPeriodeLargeur, int(55.0 / 60 * 1935));
    EXPECT_EQ(b.suivi.Aff.AffNextPeriodeGauche, b.suivi.Aff.AffPeriodeLargeur);
    EXPECT_EQ(b.suivi.Aff.AffNextPeriodeLargeur, 1935 - b.suivi.Aff.AffPeriodeLargeur);
    // The last ten seconds blink the rest of the bar in the next period's colour.
    b.a(12, 0, 50);
    EXPECT_EQ(b.suivi.Aff.AffNextPeriodeCouleur, Vert);
    b.a(12, 0, 50);
    EXPECT_EQ(b.suivi.Aff.AffNextPeriodeCouleur, Vert); // once per new second
    b.a(12, 0, 51);
    EXPECT_EQ(b.suivi.Aff.AffNextPeriodeCouleur, b.suivi.Aff.FondTraffic);
    b.a(12, 1, 0);
    EXPECT_EQ(b.compte(octet::PeriodeAutre), 1);
    EXPECT_EQ(b.suivi.Aff.AffPeriodeCouleur, Vert);
    // The caption is written only after a "Calibration".
    b.suivi.PeriodeTrafic = 1;
    b.a(12, 1, 10);
    b.a(12, 2, 0);
    EXPECT_EQ(b.suivi.Aff.CadreTraffic, "Traffic : 1st / 1mn");
    EXPECT_EQ(b.suivi.Aff.AffPeriodeCouleur, Vert); // minute 722: even, not the 2nd period's
}

TEST(PeriodeTrafic, SecondesDesRafraichissements)
{
    Banc b;
    b.suivi.DureePeriode = 2; // 150 s
    b.a(12, 0, 10);
    b.suivi.RecalculLune = b.suivi.RecalculSoleil = false;
    b.a(12, 0, 16);
    EXPECT_TRUE(b.suivi.RecalculLune && b.suivi.RecalculSoleil);
    const int bandes = b.vue.bandes;
    b.suivi.HorizonCielComplet = true;
    b.a(12, 0, 30); // an ordinary second re-arms
    b.a(12, 0, 46);
    EXPECT_EQ(b.vue.bandes, bandes + 1);
    EXPECT_EQ(b.suivi.Aff.CadreSkyMap, "Brightness sky map");
    EXPECT_FALSE(b.suivi.HorizonCielComplet);
    // r = P - 29 = 121: 12:02:01 for the period started at 12:00:00.
    b.suivi.HorizonComplet = true;
    b.a(12, 2, 0);
    b.a(12, 2, 1);
    EXPECT_EQ(b.vue.courbes, 1);
    EXPECT_EQ(b.suivi.Aff.CadreMap, "Common Window : Moon");
}

TEST(PeriodeTrafic, GrilleAutourDeMinuit)
{
    for (int P : {60, 120, 150}) {
        for (int32_t s : {86399, 30000, 29999, 45000}) {
            const PositionPeriode a = positionPeriode(s, P, 0);
            EXPECT_EQ(a.r, s % P) << P << " " << s;
            EXPECT_EQ(a.propre, (s / P) % 2 == 0) << P << " " << s;
        }
    }
    EXPECT_EQ(positionPeriode(150, 150, 0).k, 1); // 00:02:30 starts a 2nd period
}

TEST(Mesure, NiveauEtPolarisation)
{
    Banc b;
    b.suivi.Station.Range8b = 51;
    b.suivi.Station.Off8b = 0;
    b.liaison.reponses[octet::Mesure] = 255;
    for (int i = 0; i < 19; ++i)
        b.suivi.MesureNiveauSignal();
    EXPECT_EQ(b.vue.niveaux, 0);
    b.suivi.MesureNiveauSignal();
    EXPECT_EQ(b.vue.niveaux, 1);
    EXPECT_EQ(b.suivi.Aff.AffLevelAverage, "51.0");
    b.suivi.OffsetNiveau = 51;
    for (int i = 0; i < 20; ++i)
        b.suivi.MesureNiveauSignal();
    EXPECT_EQ(b.suivi.Aff.AffLevelAverage, "0.0");
    // Hidden window: no request.
    b.vue.interface = false;
    const size_t n = b.liaison.octets.size();
    b.suivi.MesureNiveauSignal();
    EXPECT_EQ(b.liaison.octets.size(), n);
    b.vue.interface = true;
    b.suivi.Station.TypeMesure = "Polar";
    b.suivi.Station.Range8b = 360;
    b.suivi.Station.Off8b = -180;
    b.liaison.reponses[octet::Mesure] = 0;
    b.suivi.MesureNiveauSignal();
    EXPECT_EQ(b.suivi.Aff.AffPolar, "-180.0");
    b.liaison.reponses[octet::Mesure] = 255;
    b.suivi.MesureNiveauSignal();
    EXPECT_EQ(b.suivi.Aff.AffPolar, "180.0");
}

TEST(CarteCiel, IconeAntenneEtPointsDHorizon)
{
    Banc b;
    b.a(12, 0, 0);
    b.suivi.CalculPositionSourceTrack(0);
    // An antenna due south at the equator's culmination points at
    // declination 0 and at the right ascension of the sidereal time.
    b.suivi.AzimutAntenne = 180;
    b.suivi.ElevationAntenne = static_cast<float>(90 - b.suivi.Station.LatitudeStation);
    b.suivi.PlaceIconeAntenne();
    double tsl = b.suivi.Astro.TempsSideralLocal;
    const float ra = static_cast<float>(astro::RadVersDeg(tsl));
    EXPECT_NEAR(b.suivi.Aff.AntenneLeft, 5520 - 5160.0 / 360 * ra, 1.5);
    EXPECT_NEAR(b.suivi.Aff.AntenneTop, 90 * 2370.0 / 180 - 70 - 10, 1.5);
    EXPECT_EQ(b.suivi.PointHorizonCiel, 1);
    b.suivi.PlaceIconeAntenne(); // every other call works
    EXPECT_EQ(b.suivi.PointHorizonCiel, 1);
    // Hidden sky map: the icon stays, the points go on.
    b.vue.ciel = false;
    b.suivi.AzimutAntenne = 90;
    const int gauche = b.suivi.Aff.AntenneLeft;
    b.suivi.PlaceIconeAntenne();
    EXPECT_EQ(b.suivi.Aff.AntenneLeft, gauche);
    EXPECT_EQ(b.suivi.PointHorizonCiel, 2);
    for (int i = 0; i < 2 * 70; ++i)
        b.suivi.PlaceIconeAntenne();
    EXPECT_TRUE(b.suivi.HorizonCielComplet);
    EXPECT_EQ(b.suivi.PointHorizonCiel, 0);
    for (int i = 0; i < 72; ++i) {
        EXPECT_GE(b.suivi.CourbeHorizonCiel[i], 35);
        EXPECT_LE(b.suivi.CourbeHorizonCiel[i], 2370 + 35);
    }
    b.suivi.DessineBandeCiel();
    b.suivi.DessineBandeCiel();
    EXPECT_EQ(b.vue.bandes, 1);
}

TEST(CarteCiel, StationSurLEquateur)
{
    StationTrack s = test::stationBox();
    s.LatitudeStation = 0;
    Banc b(s);
    b.a(12, 0, 0);
    b.suivi.CalculPositionSourceTrack(0);
    for (int i = 0; i < 144; ++i)
        b.suivi.PlaceIconeAntenne();
    EXPECT_TRUE(b.suivi.HorizonCielComplet);
    EXPECT_FLOAT_EQ(b.suivi.CourbeHorizonCiel[10], platform::Fix(90 * 2370.0f / 180) + 35);
}

TEST(CarteMonde, LigneDHorizonSurDeuxCentQuaranteQuatreCycles)
{
    Banc b;
    b.a(12, 0, 0);
    b.suivi.CalculPositionSourceTrack(0);
    const double ra = b.suivi.Astro.AscensionDroite;
    // From a reset: columns 0..71, then the call that completes the line
    // (and computes column 0 of the next pass), each on every other call.
    const astro::EtatAstro avant = b.suivi.Astro;
    for (int i = 0; i < 146; ++i) {
        b.suivi.CalculLigneHorizonCarte();
        // The map observers leave the program's state as the source step left it.
        EXPECT_EQ(b.suivi.Astro.LatitudeObservateur, avant.LatitudeObservateur);
        EXPECT_EQ(b.suivi.Astro.LongitudeObservateur, avant.LongitudeObservateur);
        EXPECT_EQ(b.suivi.Astro.ElevationSource, avant.ElevationSource);
        EXPECT_EQ(b.suivi.Astro.TempsSideralLocal, avant.TempsSideralLocal);
    }
    EXPECT_TRUE(b.suivi.HorizonComplet);
    EXPECT_EQ(b.suivi.ColonneHorizon, 0);
    EXPECT_DOUBLE_EQ(b.suivi.Astro.AscensionDroite, ra);
    b.suivi.CalculLigneHorizonCarte(); // nothing while complete
    EXPECT_EQ(b.suivi.ColonneHorizon, 0);
    b.suivi.DessineCourbeCarte();
    b.suivi.DessineCourbeCarte();
    EXPECT_EQ(b.vue.courbes, 1);
    // Each column's point is on the map, and where it is inside, the Moon
    // stands within a bisection step of the horizon there.
    int dedans = 0;
    for (int c = 1; c < 72; ++c) {
        const float y = b.vue.courbe[c];
        ASSERT_GE(y, 0);
        ASSERT_LE(y, 2770);
        if (y <= 10 || y >= 2760)
            continue;
        ++dedans;
        int16_t x = static_cast<int16_t>(80 * c), yy = static_cast<int16_t>(y);
        b.suivi.Astro.LongitudeObservateur = astro::CarteXVersLongitude(x);
        b.suivi.Astro.LatitudeObservateur = astro::CarteYVersLatitude(yy);
        astro::CalculTempsSideral(b.suivi.Astro);
        astro::CalculAzElTopocentrique(b.suivi.Astro);
        EXPECT_LT(std::abs(b.suivi.Astro.ElevationSource), 3.0) << c;
    }
    EXPECT_GT(dedans, 3);
}

TEST(Etiquettes, EcartAntenneSourceSansRepli)
{
    Banc b;
    b.a(12, 0, 0);
    b.suivi.AzimutAntenne = 359;
    b.suivi.Astro.AzimutSource = 1;
    b.suivi.ElevationAntenne = 10;
    b.suivi.Astro.ElevationSource = 12.5;
    b.suivi.AfficheValeurs();
    EXPECT_EQ(b.suivi.Aff.AffAntenneAzimut, "358.00");
    EXPECT_EQ(b.suivi.Aff.AffAntenneElevation, "-2.50");
    b.vue.abs = true;
    b.suivi.AfficheValeurs();
    EXPECT_EQ(b.suivi.Aff.AffAntenneAzimut, "359.00");
    EXPECT_EQ(b.suivi.Aff.AffUTCTime, "12:00:00");
}

} // namespace

TEST(CarteCiel, TemperatureDuCielEtPhase)
{
    struct CasT { double ra; int32_t freq; int attendu; };
    const CasT temperatures[] = {
        {0, 144, 245},    // CInt((136/144)^2 x 275)
        {3.75, 144, 256}, // halfway between the 0 h and 0.5 h entries: 287.5 scaled
        {7.5, 144, 268},  // the 0.5 h entry, 300
        {0, 399, 32},     // still the 144 MHz table: (136/399)^2 x 275
        {0, 400, 24},     // the 432 MHz table from 400 MHz on
        {0, 1296, 2},     // (400/1296)^2 x 24
        {359.9, 144, 245}, // between the 23.5 h entry and the repeat of 0 h
    };
    for (const CasT& c : temperatures)
        EXPECT_EQ(temperatureCiel(c.ra, c.freq), c.attendu) << c.ra << " " << c.freq;

    struct CasE { float elongation; int temperature; const char* texte; };
    const CasE textes[] = {
        {6.4f, 245, "'Sun'"},   {6.5f, 245, " 245 °K"}, {353.5f, 245, " 245 °K"},
        {353.6f, 245, "'Sun'"}, {90, 10, " 10 °K"},     {90, 9, "<10°K"},
        {90, 2, "<10°K"},
    };
    for (const CasE& c : textes)
        EXPECT_EQ(texteTemperature(c.elongation, c.temperature), QString::fromUtf8(c.texte)) << c.elongation;

    struct CasP { float elongation; int secteur; };
    const CasP phases[] = {{0, 0}, {22.4f, 0}, {22.5f, 1}, {67.5f, 2}, {180, 4}, {337.4f, 7}, {337.5f, 0}, {359.9f, 0}};
    for (const CasP& c : phases)
        EXPECT_EQ(secteurPhase(c.elongation), c.secteur) << c.elongation;
}

TEST(PointDX, UnNouveauChargementDeStationLEfface)
{
    // File > New and the same or another station: no DX point from before.
    Banc b;
    b.suivi.PrefixeDX = QStringLiteral("JA");
    b.suivi.CarteXDX = 4900;
    b.suivi.CarteYDX = 1000;
    b.suivi.Aff.AffAzimDX = QStringLiteral("12.00");
    const int avant = b.vue.effacements;
    ASSERT_TRUE(b.suivi.Initialise(test::stationBox(), {}));
    EXPECT_TRUE(b.suivi.PrefixeDX.isEmpty());
    EXPECT_EQ(b.suivi.CarteXDX, 0);
    EXPECT_EQ(b.suivi.CarteYDX, 0);
    EXPECT_TRUE(b.suivi.Aff.AffAzimDX.isEmpty());
    EXPECT_EQ(b.vue.effacements, avant + 1);
}
