// The link budget against its reference figures: path losses at 144 and
// 432 MHz, the 10368 MHz station pair, the cold Moon at 144 MHz, the unit
// toggle, refusals and non-finite values.

#include "Calculator/BilanEME.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

using namespace brulvane;

namespace {

// Both halves alike: 100 W, feed losses 0.5 / 0.2 dB, NF 0.8 dB, 100 Hz, 50 dBi.
EntreesBilan paireIdentique(const QString& freq, const QString& ciel, const QString& unite) {
    EntreesBilan e;
    const QStringList moitie{"100", "0.5", "0.2", "0.8", "100", "50"};
    for (int i = 0; i < 6; ++i) {
        e.textes[i] = moitie[i];
        e.textes[6 + i] = moitie[i];
    }
    e.textes[static_cast<int>(Boite::HP_Frequence)] = freq;
    e.textes[static_cast<int>(Boite::SkyTemp)] = ciel;
    e.range = "Perigee";
    e.DistanceLune = DistancePerigee;
    e.UniteBruit = unite;
    return e;
}

void choisitRange(EntreesBilan& e, const QString& texte) {
    e.range = texte;
    e.DistanceLune = DistancePourRange(texte, e.DistanceLune);
}

} // namespace

TEST(BilanEME, PathLossByFrequencyAndRange) {
    struct Cas {
        const char* freq;
        const char* range;
        const char* perte;
    };
    // -250.45 dB unrounded at 144 MHz perigee: rounded toward minus infinity.
    const Cas cas[] = {
        {"144", "Perigee", "-250.5"},
        {"144", "Average", "-251.8"},
        {"144", "Apogee", "-252.8"},
        {"432", "Perigee", "-260"},
    };
    for (const Cas& c : cas) {
        EntreesBilan e = paireIdentique(c.freq, "220", "dBm");
        choisitRange(e, c.range);
        const ResultatsBilan r = CalculBilanEME(e);
        ASSERT_FALSE(r.boiteRefusee);
        EXPECT_EQ(r[Resultat::PathEME], c.perte) << c.freq << " " << c.range;
    }
}

TEST(BilanEME, RangeListDistancesAndUnknownText) {
    EXPECT_EQ(DistancePourRange("Perigee", 1), 356410000);
    EXPECT_EQ(DistancePourRange("Average", 1), 384400000);
    EXPECT_EQ(DistancePourRange("Apogee", 1), 406740000);
    EXPECT_EQ(DistancePourRange("apogee", 1234), 1234);
    EXPECT_FLOAT_EQ(DiametrePourRange("Perigee"), 33.46f);
    EXPECT_FLOAT_EQ(DiametrePourRange("Average"), 31.4f);
    EXPECT_FLOAT_EQ(DiametrePourRange("Apogee"), 29.38f);
    EXPECT_EQ(DiametrePourRange(""), 0.0f);
}

TEST(BilanEME, StationPairAt10368MHzInKelvin) {
    const ResultatsBilan r = CalculBilanEME(paireIdentique("10368", "5", "K"));
    ASSERT_FALSE(r.boiteRefusee);
    // The Moon is wider than the 0.5 degree beam.
    EXPECT_NEAR(r.r[0], 1.115, 0.001);
    EXPECT_NEAR(r.k[0], 0.61, 0.001);
    EXPECT_EQ(r.r[0], r.r[1]);
    // Home half, Moon at 200 K.
    EXPECT_EQ(r[Resultat::H_SystemNoise], "100.7");
    EXPECT_EQ(r[Resultat::H_MoonNoise], "3.39");
    EXPECT_EQ(r[Resultat::H_TotalNoise], "219.9");
    // DX half, Moon at 210 K.
    EXPECT_EQ(r[Resultat::D_SystemNoise], "100.7");
    EXPECT_EQ(r[Resultat::D_MoonNoise], "3.5");
    EXPECT_EQ(r[Resultat::D_TotalNoise], "226");
    // Same stations: the four echoes are equal.
    const QString echo = r[Resultat::H_HomeSignal];
    EXPECT_FALSE(echo.isEmpty());
    EXPECT_EQ(r[Resultat::H_DXSignal], echo);
    EXPECT_EQ(r[Resultat::D_HomeSignal], echo);
    EXPECT_EQ(r[Resultat::D_DXSignal], echo);
    EXPECT_EQ(r[Resultat::H_SNHome], r[Resultat::H_SNDX]);
    EXPECT_EQ(r[Resultat::D_SNHome], r[Resultat::D_SNDX]);
}

TEST(BilanEME, LastDigitFollowsTheSinglePrecisionPoints) {
    // Cases whose last shown digit moves when the Moon's half-angle
    // D·π/360 is stored in single precision before it is squared: it is part
    // of one formula, only the solid angle itself is stored.
    struct Cas {
        QStringList home, dx;
        const char *freq, *ciel, *range, *unite;
        Resultat label;
        const char* attendu;
    };
    const Cas cas[] = {
        {{"168.3", "1.81", "0.1", "5.70", "4114", "42"}, {"115", "2.0", "0.3", "0.7", "3068", "19"},
         "5076", "93", "Perigee", "K", Resultat::H_TotalNoise, "942.4"},
        {{"257", "0.2", "1.7", "1", "2827", "46.2"}, {"1963", "1", "2.16", "0.79", "4046", "38.55"},
         "9513", "69", "Perigee", "dBm", Resultat::H_MoonNoise, "0.39"},
        {{"64", "2.25", "0.74", "4.50", "267", "39"}, {"1270", "1", "0.7", "1.61", "1713", "52.43"},
         "18879", "126", "Apogee", "K", Resultat::D_TotalNoise, "403"},
    };
    for (const Cas& c : cas) {
        EntreesBilan e;
        for (int i = 0; i < 6; ++i) {
            e.textes[i] = c.home[i];
            e.textes[6 + i] = c.dx[i];
        }
        e.textes[static_cast<int>(Boite::HP_Frequence)] = c.freq;
        e.textes[static_cast<int>(Boite::SkyTemp)] = c.ciel;
        choisitRange(e, c.range);
        e.UniteBruit = c.unite;
        const ResultatsBilan r = CalculBilanEME(e);
        ASSERT_FALSE(r.boiteRefusee);
        EXPECT_EQ(r[c.label].toStdString(), c.attendu) << c.freq << " " << c.range;
    }
}

TEST(BilanEME, ColdMoonAddsNothing) {
    // 144 MHz, sky 220 K, 20 dBi: the Moon (200 K) is colder than the sky it
    // hides in the beam.
    EntreesBilan e = paireIdentique("144", "220", "dBm");
    e.textes[static_cast<int>(Boite::HP_AntGain)] = "20";
    e.textes[static_cast<int>(Boite::DP_AntGain)] = "20";
    for (const char* unite : {"dBm", "K"}) {
        e.UniteBruit = unite;
        const ResultatsBilan r = CalculBilanEME(e);
        EXPECT_LT(r.r[0], 1.0f);
        EXPECT_EQ(r[Resultat::H_MoonNoise], "0") << unite;
        EXPECT_EQ(r[Resultat::H_TotalNoise], r[Resultat::H_SystemNoise]) << unite;
        EXPECT_EQ(r[Resultat::D_MoonNoise], "0") << unite;
        EXPECT_EQ(r[Resultat::D_TotalNoise], r[Resultat::D_SystemNoise]) << unite;
    }
}

TEST(BilanEME, UnitToggleChangesOnlyTheFourNoiseValues) {
    EXPECT_EQ(BasculeUnite("dBm"), "K");
    EXPECT_EQ(BasculeUnite("K"), "dBm");
    EXPECT_EQ(BasculeUnite(""), "dBm");
    EXPECT_EQ(EtiquetteUnite("dBm"), "dBm/Hz");
    EXPECT_EQ(EtiquetteUnite("K"), "K");

    const ResultatsBilan dbm = CalculBilanEME(paireIdentique("1296", "5", "dBm"));
    const ResultatsBilan k = CalculBilanEME(paireIdentique("1296", "5", "K"));
    const Resultat bruits[] = {Resultat::H_SystemNoise, Resultat::H_TotalNoise, Resultat::D_SystemNoise,
                               Resultat::D_TotalNoise};
    for (int i = 0; i < NombreResultats; ++i) {
        const auto x = static_cast<Resultat>(i);
        if (std::find(std::begin(bruits), std::end(bruits), x) != std::end(bruits)) {
            EXPECT_NE(dbm[x], k[x]) << i;
            EXPECT_TRUE(dbm[x].startsWith('-')) << i; // dBm/Hz: around -178
        } else {
            EXPECT_EQ(dbm[x], k[x]) << i;
        }
    }
}

TEST(BilanEME, FirstZeroBoxRefusesAndSkyZeroIsComputed) {
    for (int i = 0; i < NombreBoitesRefusables; ++i) {
        EntreesBilan e = paireIdentique("432", "20", "dBm");
        e.textes[i] = (i % 2) ? QString() : QStringLiteral("0");
        // A later zero must not take the focus from the first.
        e.textes[static_cast<int>(Boite::HP_Frequence)] = i == 12 ? "" : "x";
        const ResultatsBilan r = CalculBilanEME(e);
        ASSERT_TRUE(r.boiteRefusee) << i;
        EXPECT_EQ(static_cast<int>(*r.boiteRefusee), i);
        for (const QString& t : r.textes)
            EXPECT_TRUE(t.isEmpty());
    }
    EntreesBilan e = paireIdentique("432", "", "dBm");
    const ResultatsBilan r = CalculBilanEME(e);
    EXPECT_FALSE(r.boiteRefusee);
    EXPECT_EQ(r[Resultat::PathEME], "-260");
}

TEST(BilanEME, FillFactorJoinsAndEnds) {
    EXPECT_FLOAT_EQ(FacteurRemplissage(1.5f), 0.78f);
    EXPECT_FLOAT_EQ(FacteurRemplissage(2.0f), 0.91f);
    EXPECT_FLOAT_EQ(FacteurRemplissage(3.0f), 0.99f);
    EXPECT_FLOAT_EQ(FacteurRemplissage(3.0001f), 1.0f);
    EXPECT_NEAR(FacteurRemplissage(1.0001f), 0.56, 1e-4);
}

TEST(BilanEME, OutOfRangeValuesGiveBlankLabelsNotGarbage) {
    // A receive feed loss of thousands of dB: Lrx overflows single precision.
    EntreesBilan e = paireIdentique("1296", "5", "dBm");
    e.textes[static_cast<int>(Boite::DP_RxLoss)] = "3000";
    ResultatsBilan r = CalculBilanEME(e);
    ASSERT_FALSE(r.boiteRefusee);
    for (Resultat x : {Resultat::D_SystemNoise, Resultat::D_MoonNoise, Resultat::D_TotalNoise, Resultat::D_SNHome,
                       Resultat::D_SNDX})
        EXPECT_TRUE(r[x].isEmpty()) << static_cast<int>(x) << " " << r[x].toStdString();
    // What does not depend on that loss is still shown.
    EXPECT_FALSE(r[Resultat::D_HomeSignal].isEmpty());
    EXPECT_FALSE(r[Resultat::H_SNHome].isEmpty());

    // A gain whose linear value overflows: no beam, no noise, no ratio.
    e = paireIdentique("1296", "5", "K");
    e.textes[static_cast<int>(Boite::DP_AntGain)] = "400";
    r = CalculBilanEME(e);
    EXPECT_FALSE(r[Resultat::D_SystemNoise].isEmpty()); // no gain in it
    for (Resultat x : {Resultat::D_MoonNoise, Resultat::D_TotalNoise, Resultat::D_SNHome, Resultat::D_SNDX})
        EXPECT_TRUE(r[x].isEmpty()) << static_cast<int>(x);
    for (const QString& t : r.textes) {
        EXPECT_FALSE(t.contains("inf", Qt::CaseInsensitive));
        EXPECT_FALSE(t.contains("nan", Qt::CaseInsensitive));
    }
}

TEST(BilanEME, TextFormOfResults) {
    EXPECT_EQ(TexteResultat(-250.5f), "-250.5");
    EXPECT_EQ(TexteResultat(0.0f), "0");
    EXPECT_EQ(TexteResultat(219.9f), "219.9");
    EXPECT_EQ(TexteResultat(0.3f), "0.3");
    EXPECT_EQ(TexteResultat(-0.3f), "-0.3");
    EXPECT_EQ(TexteResultat(-173.7f), "-173.7");
    EXPECT_EQ(TexteResultat(std::numeric_limits<float>::infinity()), "");
    EXPECT_EQ(TexteResultat(std::numeric_limits<float>::quiet_NaN()), "");
    EXPECT_FLOAT_EQ(LogDecimal(1000.0f), 3.0f);
}
