// The field filters as a table: allowed characters, lengths, ranges, the
// focus moving on when a box is full, and the checks on leaving a box.
#include "Corvinet/Filtres.h"

#include <gtest/gtest.h>

using corvinet::Champ;
using Focus = corvinet::ResultatFiltre::Focus;

namespace {

struct Cas {
    Champ boite;
    const char* saisi;
    const char* reste; // text the box is left with
    bool bip;
    Focus focus;
    Champ suivant = Champ::Indic; // with Focus::Suivant
    bool rangVisible = true;
    bool polar = false;
};

std::ostream& operator<<(std::ostream& o, const Cas& c)
{
    return o << corvinet::info(c.boite).nom << " \"" << c.saisi << "\"";
}

corvinet::ContexteFiltre contexte(const Cas& c)
{
    corvinet::ContexteFiltre ctx;
    ctx.rangAzVisible = ctx.rangElVisible = c.rangVisible;
    ctx.legendeInput = c.polar ? corvinet::LegendePolar : corvinet::LegendeSignal;
    return ctx;
}

void verifie(const Cas& c, const corvinet::ResultatFiltre& r)
{
    EXPECT_EQ(r.texte, QString::fromUtf8(c.reste));
    EXPECT_EQ(r.bip, c.bip);
    EXPECT_EQ(r.focus, c.focus);
    if (c.focus == Focus::Suivant) {
        EXPECT_EQ(r.suivant, c.suivant);
    }
}

} // namespace

class Filtre : public ::testing::TestWithParam<Cas> {};

TEST_P(Filtre, OnChange)
{
    const Cas& c = GetParam();
    verifie(c, corvinet::filtreChangement(c.boite, QString::fromUtf8(c.saisi), contexte(c)));
}

constexpr Focus A = Focus::Aucun, S = Focus::Soi, N = Focus::Suivant;

INSTANTIATE_TEST_SUITE_P(
    Table, Filtre,
    ::testing::Values(
        // Digits: a refused character empties silently; too long or out of range beeps.
        Cas{Champ::LatDeg, "5", "5", false, A}, Cas{Champ::LatDeg, "5x", "", false, A},
        Cas{Champ::LatDeg, "90", "", true, S}, Cas{Champ::LatDeg, "45", "45", false, N, Champ::LatMin},
        Cas{Champ::LatDeg, "123456789012", "", true, S}, Cas{Champ::LatDeg, "", "", false, A},
        Cas{Champ::LatMin, "60", "", true, S}, Cas{Champ::LatSec, "59", "59", false, N, Champ::LatSig},
        Cas{Champ::LonDeg, "359", "359", false, N, Champ::LonMin}, Cas{Champ::LonDeg, "360", "", true, S},
        Cas{Champ::LonSec, "00", "00", false, N, Champ::LonSig},
        Cas{Champ::Altitude, "9999", "9999", false, N, Champ::LatDeg}, Cas{Champ::Altitude, "10000", "", true, S},
        Cas{Champ::Altitude, "-1", "", false, A},
        Cas{Champ::Freq, "99999", "99999", false, N, Champ::Power}, Cas{Champ::Freq, "123456789012", "", true, S},
        Cas{Champ::Band, "1.5", "", false, A}, Cas{Champ::Band, "2500", "2500", false, A},
        // UTC offset: digits, blank and signs, -14 to 14.
        Cas{Champ::DecHor, "-14", "-14", false, N, Champ::Indic}, Cas{Champ::DecHor, "-15", "", true, S},
        Cas{Champ::DecHor, "+ 2", "+ 2", false, N, Champ::Indic}, Cas{Champ::DecHor, "+12", "+12", false, N, Champ::Indic},
        Cas{Champ::DecHor, "15", "", true, S}, Cas{Champ::DecHor, "2.", "", false, A},
        Cas{Champ::DecHor, "+ 12", "", true, S},
        // Letters.
        Cas{Champ::LatSig, "N", "N", false, N, Champ::LonDeg}, Cas{Champ::LatSig, "s", "s", false, N, Champ::LonDeg},
        Cas{Champ::LatSig, "x", "", false, S}, Cas{Champ::LatSig, "Nn", "", false, S},
        Cas{Champ::LonSig, "w", "w", false, N, Champ::DecHor}, Cas{Champ::LonSig, "N", "", false, S},
        // Call sign and location: cut when full; characters the file cannot carry dropped with a beep.
        Cas{Champ::Indic, "F6XYZ", "F6XYZ", false, A}, Cas{Champ::Indic, "ABCDEFGHI", "ABCDEFGH", false, N, Champ::Lieu},
        Cas{Champ::Indic, "ABCDEFGH", "ABCDEFGH", false, N, Champ::Lieu}, Cas{Champ::Indic, "F6,XY", "F6XY", true, A},
        Cas{Champ::Indic, "\"F6", "F6", true, A}, Cas{Champ::Indic, "F\t6\r\n", "F6", true, A},
        Cas{Champ::Lieu, "", "", false, A}, Cas{Champ::Lieu, "Lyon, France", "Lyon France", true, A},
        Cas{Champ::Lieu, "12345678901234567890", "123456789012345678", false, N, Champ::Altitude},
        // What the 8-bit file cannot hold is dropped too: no "?" in its place.
        Cas{Champ::Lieu, "Z\u00fcrich \u00b0", "Z\u00fcrich \u00b0", false, A},
        Cas{Champ::Lieu, "\u0141\u00f3d\u017a", "\u00f3d", true, A}, Cas{Champ::Indic, "F6\x01X\x7f", "F6X", true, A},
        // Port and measurement input (no range while typing).
        Cas{Champ::PortCom, "4", "4", false, N, Champ::Range8b}, Cas{Champ::PortCom, "5", "", false, A},
        Cas{Champ::Range8b, "45", "45", false, A}, Cas{Champ::Range8b, "100", "100", false, N, Champ::Off8b},
        Cas{Champ::Range8b, "1x", "", false, A}, Cas{Champ::Range8b, "12345", "12345", false, N, Champ::Off8b},
        Cas{Champ::Off8b, "-180", "-180", false, N, Champ::PortCom}, Cas{Champ::Off8b, "+5", "", false, A},
        Cas{Champ::AngDecr, "-5", "-5", false, N, Champ::ManVit}, Cas{Champ::AngDecr, "99", "99", false, N, Champ::ManVit},
        // Speeds: at most 1 while typing.
        Cas{Champ::AutoVit, "0.1", "0.1", false, A}, Cas{Champ::AutoVit, "1.5", "", true, S},
        Cas{Champ::AutoVit, "0.25", "0.25", false, N, Champ::AngDecr}, Cas{Champ::ManVit, "1", "1", false, A},
        Cas{Champ::ManVit, "1.00", "1.00", false, N, Champ::AutoVit},
        // Axis values; single-precision limits hold their own text.
        Cas{Champ::AzimOf, "9.9", "9.9", false, A}, Cas{Champ::AzimOf, "9.91", "", true, S},
        Cas{Champ::AzimOn, "9.90", "9.90", false, N, Champ::AzimOf}, Cas{Champ::AzimOn, "10", "", true, S},
        Cas{Champ::ButeeG, "359", "359", false, N, Champ::ButeeD}, Cas{Champ::ButeeD, "360", "", true, S},
        Cas{Champ::ButeeD, "-1", "", false, A}, Cas{Champ::ParkAz, "270", "270", false, N, Champ::OffAz},
        Cas{Champ::OffAz, "1-2", "1-2", false, A}, Cas{Champ::OffAz, "-90", "", true, S},
        Cas{Champ::OffAz, "-89.9", "-89.9", false, N, Champ::RangAz}, Cas{Champ::OffAz, "360", "", true, S},
        Cas{Champ::OffAz, "359.9", "359.9", false, N, Champ::FormatAz, false},
        Cas{Champ::RangAz, "999.9", "999.9", false, N, Champ::AzimOn}, Cas{Champ::RangAz, "1000", "", true, S},
        Cas{Champ::ElevOf, "9.9", "9.9", false, A}, Cas{Champ::ElevOn, "0.6", "0.6", false, A},
        Cas{Champ::ButeeB, "-90", "-90", false, N, Champ::ButeeH}, Cas{Champ::ButeeB, "-91", "", true, S},
        Cas{Champ::ButeeH, "90", "90", false, N, Champ::ParkEl}, Cas{Champ::ButeeH, "91", "", true, S},
        Cas{Champ::ButeeH, "0", "", true, S}, Cas{Champ::ButeeH, "", "", true, S}, Cas{Champ::ButeeH, "x", "", true, S},
        Cas{Champ::ParkEl, "-2", "-2", false, A}, Cas{Champ::OffEl, "-90.1", "", true, S}, Cas{Champ::OffEl, "-90.0", "-90.0", false, N, Champ::RangEl},
        Cas{Champ::OffEl, "-2", "-2", false, A}, Cas{Champ::OffEl, "-10.5", "-10.5", false, N, Champ::FormatEl, false},
        Cas{Champ::OffEl, "-10.5", "-10.5", false, N, Champ::RangEl}, Cas{Champ::OffEl, "90.01", "", true, S},
        Cas{Champ::RangEl, "100", "100", false, A},
        // EME station.
        Cas{Champ::Power, "99999", "99999", false, N, Champ::TxLoss}, Cas{Champ::Power, "1.5.2", "1.5.2", false, N, Champ::TxLoss},
        Cas{Champ::TxLoss, "9.99", "9.99", false, N, Champ::RxLoss}, Cas{Champ::TxLoss, "10", "", true, S},
        Cas{Champ::RxLoss, "9.999", "", true, S}, Cas{Champ::Noise, "0", "0", false, A},
        Cas{Champ::Gain, "99.99", "99.99", false, N, Champ::Freq}, Cas{Champ::Gain, "100", "", true, S}));

class Sortie : public ::testing::TestWithParam<Cas> {};

TEST_P(Sortie, OnLeaving)
{
    const Cas& c = GetParam();
    verifie(c, corvinet::verificationSortie(c.boite, QString::fromUtf8(c.saisi), contexte(c)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Sortie,
    ::testing::Values(
        Cas{Champ::AutoVit, "", "", false, A}, Cas{Champ::AutoVit, "0.2", "0.2", false, A},
        Cas{Champ::AutoVit, "1", "1", false, A}, Cas{Champ::AutoVit, "0.1", "", true, S},
        Cas{Champ::ManVit, "0.19", "", true, S}, Cas{Champ::ManVit, "0.8", "0.8", false, A},
        Cas{Champ::AngDecr, "4", "", true, S}, Cas{Champ::AngDecr, "5", "5", false, A},
        Cas{Champ::AngDecr, "45", "45", false, A}, Cas{Champ::AngDecr, "46", "", true, S},
        Cas{Champ::AngDecr, "-5", "", true, S}, Cas{Champ::AngDecr, "99999999999", "", true, S},
        Cas{Champ::Range8b, "45", "45", false, A}, Cas{Champ::Range8b, "20", "20", false, A},
        Cas{Champ::Range8b, "51", "51", false, A}, Cas{Champ::Range8b, "52", "", true, S},
        Cas{Champ::Range8b, "100", "", true, S}, Cas{Champ::Range8b, "19", "", true, S},
        Cas{Champ::Range8b, "100", "100", false, A, Champ::Indic, true, true},
        Cas{Champ::Range8b, "400", "400", false, A, Champ::Indic, true, true},
        Cas{Champ::Range8b, "401", "", true, S, Champ::Indic, true, true},
        Cas{Champ::Range8b, "45", "", true, S, Champ::Indic, true, true},
        Cas{Champ::Off8b, "10", "10", false, A}, Cas{Champ::Off8b, "0", "0", false, A},
        Cas{Champ::Off8b, "10.5", "", true, S}, Cas{Champ::Off8b, "-1", "", true, S},
        Cas{Champ::Off8b, "-180", "-180", false, A, Champ::Indic, true, true},
        Cas{Champ::Off8b, "180", "180", false, A, Champ::Indic, true, true},
        Cas{Champ::Off8b, "-181", "", true, S, Champ::Indic, true, true},
        Cas{Champ::Off8b, "-12.5", "", true, S, Champ::Indic, true, true},
        // Boxes without a leave check keep any text.
        Cas{Champ::LatDeg, "99", "99", false, A}));

TEST(Filtres, EveryTextBoxHasOneRowAndItsNextBoxIsOnTheSameTab)
{
    int boites = 0;
    for (const auto& info : corvinet::champs()) {
        const corvinet::Filtre* f = corvinet::filtre(info.champ);
        EXPECT_EQ(f != nullptr, info.sorte == corvinet::Sorte::Texte) << info.nom;
        if (!f) continue;
        ++boites;
        const corvinet::Filtre* s = corvinet::filtre(f->suivant);
        ASSERT_NE(s, nullptr) << info.nom;
        EXPECT_EQ(s->onglet, f->onglet) << info.nom;
    }
    EXPECT_EQ(boites, 39);
}

// An edit of the operator, judged before the box takes it: what the change
// filter would empty or refuse is refused, so the box keeps its text; an
// over-long call sign or location is cut.
TEST(JugeSaisie, RefusedEditsAndCuts)
{
    const struct {
        Champ boite;
        const char* propose;
        const char* garde; // nullptr: refused
    } cas[] = {
        {Champ::Altitude, "392i", nullptr},   {Champ::Altitude, "392a", nullptr},
        {Champ::Altitude, "3929", "3929"},    {Champ::Altitude, "39299", nullptr},
        {Champ::ButeeH, "9x", nullptr},       {Champ::ButeeH, "", nullptr}, // reads 0, below its range
        {Champ::ButeeH, "9", "9"},            {Champ::LatDeg, "45", "45"},
        {Champ::LatDeg, "90", nullptr},       {Champ::LatDeg, "a", nullptr},
        {Champ::LatDeg, "", ""},              {Champ::LatSig, "Nx", nullptr},
        {Champ::LatSig, "NS", nullptr},       {Champ::LatSig, "s", "s"},
        {Champ::DecHor, "+ 2", "+ 2"},        {Champ::DecHor, "-15", nullptr},
        {Champ::OffAz, "1-2", "1-2"},         {Champ::PortCom, "5", nullptr},
        {Champ::Range8b, "100", "100"},       {Champ::Range8b, "1000", nullptr},
        {Champ::Lieu, "Parkes NSW,", nullptr}, {Champ::Lieu, "Parkes \"NSW\"", nullptr},
        {Champ::Indic, "VK2EME/QRP", "VK2EME/Q"},
        {Champ::Lieu, "Parkes Radio Telescope 64m", "Parkes Radio Teles"},
    };
    for (const auto& c : cas) {
        const platform::EditVerdict v = corvinet::jugeSaisie(c.boite, QString::fromLatin1(c.propose));
        EXPECT_EQ(v.accepted, c.garde != nullptr) << corvinet::info(c.boite).nom << " " << c.propose;
        if (c.garde) {
            EXPECT_EQ(v.text, QString::fromLatin1(c.garde)) << corvinet::info(c.boite).nom << " " << c.propose;
        }
    }
}
