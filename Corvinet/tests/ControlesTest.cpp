// The save checks as a table: for each case the failing box or rule, the
// fault's text, the boxes emptied and the box and tab that get the focus;
// and a sweep showing that a station these checks accept is one the tracking
// program accepts.
#include "Corvinet/Controles.h"
#include "Outils.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <cmath>

using corvinet::Champ;

namespace {

struct Cas {
    const char* nom;
    std::vector<std::pair<Champ, const char*>> changes; // on the values of station_port1.dat
    bool saisieOk;
    bool coherenceOk;
    Champ focus = Champ::Indic; // for the failing pass
    int onglet = -1;            // tab at the end of the failing pass (or of the second pass)
    const char* faute = "";     // the fault's text of a broken rule
    std::vector<Champ> videes = {};
};

std::ostream& operator<<(std::ostream& o, const Cas& c) { return o << c.nom; }

corvinet::ValeursStation valeurs(const Cas& c)
{
    corvinet::ValeursStation v = outils::valeursPort1();
    for (const auto& [champ, texte] : c.changes) v[champ] = QString::fromUtf8(texte);
    return v;
}

} // namespace

class Controles : public ::testing::TestWithParam<Cas> {};

TEST_P(Controles, FirstFailure)
{
    const Cas& c = GetParam();
    const corvinet::ValeursStation v = valeurs(c);
    const corvinet::ResultatControle s = corvinet::controleSaisie(v);
    ASSERT_EQ(s.ok, c.saisieOk);
    if (!c.saisieOk) {
        ASSERT_TRUE(s.arret);
        EXPECT_EQ(s.arret->focus, c.focus);
        EXPECT_EQ(s.arret->onglet, c.onglet);
        EXPECT_EQ(s.onglet, c.onglet);
        EXPECT_TRUE(s.arret->faute.isEmpty());
        EXPECT_TRUE(s.arret->videes.empty());
        return;
    }
    EXPECT_EQ(s.onglet, 4);
    const corvinet::ResultatControle r = corvinet::controleCoherence(v);
    ASSERT_EQ(r.ok, c.coherenceOk);
    EXPECT_EQ(r.onglet, c.onglet);
    if (c.coherenceOk) {
        EXPECT_FALSE(r.arret);
        return;
    }
    ASSERT_TRUE(r.arret);
    EXPECT_EQ(r.arret->focus, c.focus);
    EXPECT_EQ(r.arret->faute, QString::fromLatin1(c.faute));
    EXPECT_EQ(r.arret->videes, c.videes);
}

INSTANTIATE_TEST_SUITE_P(
    Saisie, Controles,
    ::testing::Values(
        Cas{"toutBon", {}, true, true, Champ::Indic, 0},
        Cas{"indicVide", {{Champ::Indic, ""}}, false, false, Champ::Indic, 0},
        Cas{"indicVirgule", {{Champ::Indic, "F6,X"}}, false, false, Champ::Indic, 0},
        Cas{"lieuGuillemet", {{Champ::Lieu, "\"Lyon"}}, false, false, Champ::Lieu, 0},
        Cas{"lieuHorsLatin1", {{Champ::Lieu, "\u0141\u00f3d\u017a"}}, false, false, Champ::Lieu, 0},
        Cas{"lieuVidePermis", {{Champ::Lieu, ""}}, true, true, Champ::Indic, 0},
        Cas{"latSecVide", {{Champ::LatSec, ""}}, false, false, Champ::LatSec, 0},
        Cas{"lonSigVide", {{Champ::LonSig, ""}}, false, false, Champ::LonSig, 0},
        Cas{"decHorVide", {{Champ::DecHor, ""}, {Champ::PortCom, ""}}, false, false, Champ::DecHor, 0},
        Cas{"portVide", {{Champ::PortCom, ""}}, false, false, Champ::PortCom, 1},
        Cas{"range8bVide", {{Champ::Range8b, ""}}, false, false, Champ::Range8b, 1},
        Cas{"range8bZero", {{Champ::Range8b, "0"}}, false, false, Champ::Range8b, 1},
        Cas{"range8bHorsSignal", {{Champ::Range8b, "100"}}, false, false, Champ::Range8b, 1},
        Cas{"range8bHorsPolar", {{Champ::TypeMesure, "Polar meas."}, {Champ::Off8b, "-90"}}, false, false,
            Champ::Range8b, 1},
        Cas{"polarBon", {{Champ::TypeMesure, "Polar meas."}, {Champ::Range8b, "360"}, {Champ::Off8b, "-90"}}, true,
            true, Champ::Indic, 0},
        Cas{"off8bVide", {{Champ::Off8b, ""}}, false, false, Champ::Off8b, 1},
        Cas{"off8bHors", {{Champ::Off8b, "11"}}, false, false, Champ::Off8b, 1},
        Cas{"autoVitBas", {{Champ::AutoVit, "0.1"}}, false, false, Champ::AutoVit, 1},
        Cas{"autoVitVide", {{Champ::AutoVit, ""}, {Champ::AngDecr, ""}, {Champ::ManVit, ""}}, true, true, Champ::Indic, 0},
        Cas{"angDecrBas", {{Champ::AngDecr, "4"}}, false, false, Champ::AngDecr, 1},
        Cas{"manVitHaut", {{Champ::ManVit, "1.5"}}, false, false, Champ::ManVit, 1},
        Cas{"sansMode", {{Champ::SpeedControl, ""}}, false, false, Champ::SpeedControl, 1},
        Cas{"port0SansInterface",
            {{Champ::PortCom, "0"}, {Champ::Range8b, ""}, {Champ::Off8b, ""}, {Champ::AutoVit, "0.1"},
             {Champ::SpeedControl, ""}, {Champ::AzimOf, ""}, {Champ::ButeeG, ""}, {Champ::ButeeH, ""}},
            true, true, Champ::Indic, -1},
        Cas{"freqZero", {{Champ::Freq, "0"}}, false, false, Champ::Freq, 4},
        Cas{"powerVide", {{Champ::Power, ""}}, false, false, Champ::Power, 4},
        Cas{"txLossVide", {{Champ::TxLoss, ""}}, false, false, Champ::TxLoss, 4},
        Cas{"txLossZeroPermis", {{Champ::TxLoss, "0"}, {Champ::RxLoss, "0"}}, true, true, Champ::Indic, 0},
        Cas{"rxLossVide", {{Champ::RxLoss, ""}}, false, false, Champ::RxLoss, 4},
        Cas{"noiseZero", {{Champ::Noise, "0"}}, false, false, Champ::Noise, 4},
        Cas{"bandZero", {{Champ::Band, "0"}}, false, false, Champ::Band, 4},
        Cas{"gainVide", {{Champ::Gain, ""}}, false, false, Champ::Gain, 4}));

INSTANTIATE_TEST_SUITE_P(
    Coherence, Controles,
    ::testing::Values(
        Cas{"azimOfVide", {{Champ::AzimOf, ""}}, true, false, Champ::AzimOf, 2},
        Cas{"azimOnVide", {{Champ::AzimOn, ""}}, true, false, Champ::AzimOn, 2},
        Cas{"r3", {{Champ::AzimOf, "2"}, {Champ::AzimOn, "2"}}, true, false, Champ::AzimOn, 2,
            "Drive Stop >= Drive Start", {Champ::AzimOn, Champ::AzimOf}},
        Cas{"buteeGVide", {{Champ::ButeeG, ""}}, true, false, Champ::ButeeG, 2},
        Cas{"buteeDVide", {{Champ::ButeeD, ""}}, true, false, Champ::ButeeD, 2},
        Cas{"r5aButeesEgales", {{Champ::ButeeG, "100"}, {Champ::ButeeD, "100"}, {Champ::ParkAz, "100"}}, true, false,
            Champ::ButeeG, 2, "Endstop : CCW = CW", {Champ::ButeeG, Champ::ButeeD}},
        Cas{"rangAzVide", {{Champ::RangAz, ""}}, true, false, Champ::RangAz, 2},
        Cas{"rangAzVideBcd", {{Champ::RangAz, ""}, {Champ::FormatAz, "BCD"}}, true, true, Champ::Indic, 0},
        Cas{"r7", {{Champ::ButeeG, "10"}, {Champ::ButeeD, "350"}, {Champ::RangAz, "300"}}, true, false, Champ::ButeeG,
            2, "Range < CW - CCW Endstops", {Champ::ButeeG, Champ::ButeeD, Champ::RangAz}},
        Cas{"r7Bcd", {{Champ::ButeeG, "10"}, {Champ::ButeeD, "350"}, {Champ::RangAz, "300"}, {Champ::ParkAz, "10"},
                      {Champ::OffAz, "0"}, {Champ::FormatAz, "BCD"}},
            true, true, Champ::Indic, 0},
        Cas{"r8Passe", {{Champ::ButeeG, "270"}, {Champ::ButeeD, "90"}, {Champ::RangAz, "200"}, {Champ::ParkAz, "300"}},
            true, true, Champ::Indic, 0},
        Cas{"r8", {{Champ::ButeeG, "270"}, {Champ::ButeeD, "90"}, {Champ::RangAz, "170"}}, true, false, Champ::ButeeG,
            2, "Range < CCW - CW Endstops", {Champ::ButeeG, Champ::ButeeD, Champ::RangAz}},
        Cas{"parkVide", {{Champ::ParkAz, ""}}, true, false, Champ::ParkAz, 2},
        Cas{"r10", {{Champ::ButeeG, "10"}, {Champ::ButeeD, "350"}, {Champ::ParkAz, "5"}}, true, false, Champ::ParkAz, 2,
            "CW > Parking or Parking > CCW", {Champ::ButeeG, Champ::ButeeD, Champ::ParkAz}},
        Cas{"r10SurButee", {{Champ::ButeeG, "10"}, {Champ::ButeeD, "350"}, {Champ::ParkAz, "10"}, {Champ::OffAz, "0"}},
            true, true, Champ::Indic, 0},
        Cas{"r11", {{Champ::ButeeG, "270"}, {Champ::ButeeD, "90"}, {Champ::ParkAz, "180"}}, true, false,
            Champ::ParkAz, 2, "CCW > Parking And Parking > CW", {Champ::ButeeG, Champ::ButeeD, Champ::ParkAz}},
        Cas{"r11SurButee", {{Champ::ButeeG, "270"}, {Champ::ButeeD, "90"}, {Champ::ParkAz, "90"}}, true, true,
            Champ::Indic, 0},
        Cas{"offAzVide", {{Champ::OffAz, ""}}, true, false, Champ::OffAz, 2},
        Cas{"r13", {{Champ::ButeeG, "10"}, {Champ::ButeeD, "350"}, {Champ::ParkAz, "100"}, {Champ::OffAz, "180"}},
            true, false, Champ::ButeeG, 2, "Offset < CW And Offset > CCW",
            {Champ::ButeeG, Champ::ButeeD, Champ::OffAz}},
        Cas{"r13SansButee",
            {{Champ::ButeeG, "10"}, {Champ::ButeeD, "350"}, {Champ::ParkAz, "100"}, {Champ::OffAz, "180"},
             {Champ::AzStop, "1"}},
            true, true, Champ::Indic, 0},
        Cas{"r13SurButee", {{Champ::ButeeG, "10"}, {Champ::ButeeD, "350"}, {Champ::ParkAz, "100"}, {Champ::OffAz, "350"}},
            true, true, Champ::Indic, 0},
        // A negative offset is judged as offset + 360, as the tracking program reads it.
        Cas{"r13Negatif", {{Champ::ButeeG, "20"}, {Champ::ButeeD, "350"}, {Champ::ParkAz, "100"}, {Champ::OffAz, "-20"}},
            true, false, Champ::ButeeG, 2, "Offset < CW And Offset > CCW",
            {Champ::ButeeG, Champ::ButeeD, Champ::OffAz}},
        Cas{"r14", {{Champ::OffAz, "30"}}, true, false, Champ::ButeeG, 2, "Offset < CW or Offset > CCW",
            {Champ::ButeeG, Champ::ButeeD, Champ::OffAz}},
        Cas{"r14Negatif", {{Champ::OffAz, "-60"}}, true, true, Champ::Indic, 0},
        Cas{"r14NegatifHors", {{Champ::OffAz, "-30"}}, true, false, Champ::ButeeG, 2, "Offset < CW or Offset > CCW",
            {Champ::ButeeG, Champ::ButeeD, Champ::OffAz}},
        Cas{"elevOfVide", {{Champ::ElevOf, ""}}, true, false, Champ::ElevOf, 3},
        Cas{"elevOnVide", {{Champ::ElevOn, ""}}, true, false, Champ::ElevOn, 3},
        Cas{"r17", {{Champ::ElevOf, "0.6"}}, true, false, Champ::ElevOn, 3, "Drive Stop >= Drive Start",
            {Champ::ElevOn, Champ::ElevOf}},
        Cas{"buteeBVide", {{Champ::ButeeB, ""}}, true, false, Champ::ButeeB, 3},
        Cas{"buteeHVide", {{Champ::ButeeH, ""}}, true, false, Champ::ButeeH, 3},
        Cas{"r20", {{Champ::ButeeB, "10"}, {Champ::ButeeH, "10"}}, true, false, Champ::ButeeB, 3,
            "Endstop : Low >= High", {Champ::ButeeB, Champ::ButeeH}},
        Cas{"rangElVide", {{Champ::RangEl, ""}}, true, false, Champ::RangEl, 3},
        Cas{"r22", {{Champ::RangEl, "50"}}, true, false, Champ::ButeeB, 3, "Range < High - Low Endstops",
            {Champ::ButeeH, Champ::ButeeB, Champ::RangEl}},
        Cas{"r22Bcd", {{Champ::RangEl, "50"}, {Champ::FormatEl, "BCD"}}, true, true, Champ::Indic, 0},
        Cas{"parkElVide", {{Champ::ParkEl, ""}}, true, false, Champ::ParkEl, 3},
        Cas{"r24", {{Champ::ParkEl, "85"}}, true, false, Champ::ParkEl, 3, "Low > Parking or Parking > High",
            {Champ::ButeeB, Champ::ButeeH, Champ::ParkEl}},
        Cas{"offElVide", {{Champ::OffEl, ""}}, true, false, Champ::OffEl, 3},
        Cas{"r26", {{Champ::ButeeB, "0"}, {Champ::ButeeH, "90"}, {Champ::OffEl, "5"}, {Champ::ElStop, "0"}}, true,
            false, Champ::ButeeB, 3, "Offset > Low or Offset > High", {Champ::ButeeB, Champ::ButeeH, Champ::OffEl}},
        Cas{"r26SurButee", {{Champ::ButeeB, "0"}, {Champ::ButeeH, "90"}, {Champ::OffEl, "0"}, {Champ::ElStop, "0"}},
            true, true, Champ::Indic, 0},
        Cas{"r26SansButee", {{Champ::ButeeB, "0"}, {Champ::ButeeH, "90"}, {Champ::OffEl, "5"}}, true, true,
            Champ::Indic, 0}));

TEST(Controles, DataErrorBox)
{
    EXPECT_EQ(corvinet::texteErreurDonnee("Endstop : Low >= High"),
              QString("The error was :\r\rEndstop : Low >= High\r\rEnter new value !!!"));
    EXPECT_EQ(corvinet::TitreErreurDonnee, " - Data Error - ");
    EXPECT_EQ(corvinet::IconeErreurDonnee, platform::Icon::Exclamation);
}

namespace {

// The station check of the tracking program on the values it reads: stops,
// park as 16-bit integers, offsets and ranges in single precision, a negative
// azimuth offset raised by 360. Returns true when it accepts the station.
bool trackingAccepte(const corvinet::ValeursStation& v)
{
    auto i16 = [&](Champ c) { return int(platform::CInt(platform::Val(v[c]))); };
    auto f = [&](Champ c) { return float(platform::Val(v[c])); };
    if (i16(Champ::PortCom) == 0) return true;
    if (!(0 <= f(Champ::AzimOf) && f(Champ::AzimOf) <= f(Champ::AzimOn) && f(Champ::AzimOn) != 0 && f(Champ::AzimOn) < 10))
        return false;
    if (!(0 <= f(Champ::ElevOf) && f(Champ::ElevOf) <= f(Champ::ElevOn) && f(Champ::ElevOn) != 0 && f(Champ::ElevOn) < 10))
        return false;
    const int g = i16(Champ::ButeeG), d = i16(Champ::ButeeD), park = i16(Champ::ParkAz);
    float off = f(Champ::OffAz);
    if (off < 0) off += 360;
    const bool azStop = i16(Champ::AzStop) != 0;
    if (g == d) return false;
    if (g < d) {
        if (!(g <= park && park <= d)) return false;
        if (!azStop && !(off <= g || off >= d)) return false;
    } else {
        if (!(park >= g || park <= d)) return false;
        if (!azStop && !(d <= off && off <= g)) return false;
    }
    const int b = i16(Champ::ButeeB), h = i16(Champ::ButeeH), parkEl = i16(Champ::ParkEl);
    if (!(h >= 1 && h > b && b <= parkEl && parkEl <= h)) return false;
    if (i16(Champ::ElStop) == 0 && !(f(Champ::OffEl) <= b)) return false;
    for (Champ c : {Champ::FormatAz, Champ::FormatEl})
        if (v[c] != "BIN" && v[c] != "BCD") return false;
    if (!(f(Champ::RangAz) < 1000 && (v[Champ::FormatAz] != "BIN" || f(Champ::RangAz) != 0))) return false;
    if (!(f(Champ::RangEl) < 1000 && (v[Champ::FormatEl] != "BIN" || f(Champ::RangEl) != 0))) return false;
    for (Champ c : {Champ::UniteAz, Champ::UniteEl})
        if (v[c] != "Deg" && v[c] != "Grd") return false;
    return true;
}

bool corvinetAccepte(const corvinet::ValeursStation& v)
{
    return corvinet::controleSaisie(v).ok && corvinet::controleCoherence(v).ok;
}

} // namespace

TEST(Controles, AStationSavedIsAStationTheTrackingProgramAccepts)
{
    const char* butees[] = {"0", "10", "60", "180", "300", "350", "359"};
    const char* offsets[] = {"-60", "-20", "0", "10", "60", "180", "300", "340", "359.9"};
    const char* rangs[] = {"0", "100", "360", "999.9"};
    int acceptes = 0, essais = 0;
    corvinet::ValeursStation v = outils::valeursPort1();
    for (const char* g : butees)
        for (const char* d : butees)
            for (const char* p : butees)
                for (const char* o : offsets)
                    for (const char* stop : {"0", "1"})
                        for (const char* r : rangs)
                            for (const char* fmt : {"BIN", "BCD"}) {
                                v[Champ::ButeeG] = g;
                                v[Champ::ButeeD] = d;
                                v[Champ::ParkAz] = p;
                                v[Champ::OffAz] = o;
                                v[Champ::AzStop] = stop;
                                v[Champ::RangAz] = r;
                                v[Champ::FormatAz] = fmt;
                                ++essais;
                                if (!corvinetAccepte(v)) continue;
                                ++acceptes;
                                ASSERT_TRUE(trackingAccepte(v))
                                    << "CCW " << g << " CW " << d << " park " << p << " offset " << o << " stop "
                                    << stop << " range " << r << " " << fmt;
                            }
    EXPECT_GT(acceptes, essais / 20); // the sweep reaches the accepting side too

    v = outils::valeursPort1();
    for (const char* b : {"-90", "-2", "0", "10", "80", "90"})
        for (const char* h : {"1", "10", "80", "90"})
            for (const char* p : {"-90", "-2", "0", "10", "85", "90"})
                for (const char* o : {"-90", "-5", "0", "5", "90"})
                    for (const char* stop : {"0", "1"})
                        for (const char* r : {"0", "50", "100", "999.9"})
                            for (const char* hys : {"0", "0.2", "0.6", "9.9"}) {
                                v[Champ::ButeeB] = b;
                                v[Champ::ButeeH] = h;
                                v[Champ::ParkEl] = p;
                                v[Champ::OffEl] = o;
                                v[Champ::ElStop] = stop;
                                v[Champ::RangEl] = r;
                                v[Champ::ElevOf] = hys;
                                if (corvinetAccepte(v)) {
                                    ASSERT_TRUE(trackingAccepte(v)) << "low " << b << " high " << h << " park " << p
                                                                    << " offset " << o << " range " << r;
                                }
                            }
}
