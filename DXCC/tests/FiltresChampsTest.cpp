// The eight field filters as a table of typed sequences: each step is the
// box's whole text after one keystroke or paste, and what the filter makes
// of it.

#include <gtest/gtest.h>

#include "DXCC/FiltresChamps.h"

using namespace dxcc;

namespace {

struct Pas {
    const char* saisi;  // the box's text after the keystroke
    const char* reste;  // the text the filter leaves
    bool bip;
    Focus focus;
};

struct Sequence {
    const char* nom;
    Champ champ;
    std::vector<Pas> pas;
};

constexpr Focus I = Focus::Inchange, S = Focus::SurLeChamp, N = Focus::ChampSuivant;

TEST(FiltresChampsTest, TypedSequences)
{
    const std::vector<Sequence> table = {
        {"45 moves on", Champ::LatDeg, {{"4", "4", false, I}, {"45", "45", true, N}}},
        {"95 is refused", Champ::LatDeg, {{"9", "9", false, I}, {"95", "", true, S}}},
        {"89 is the last degree", Champ::LatDeg, {{"89", "89", true, N}, {"90", "", true, S}}},
        {"0 and 00", Champ::LatMin, {{"0", "0", false, I}, {"00", "00", true, N}}},
        {"a letter empties silently", Champ::LatMin, {{"1", "1", false, I}, {"1x", "", false, I}}},
        {"pasting 12a", Champ::LatMin, {{"12a", "", false, I}}},
        {"pasting 123", Champ::LatMin, {{"123", "", true, S}}},
        {"60 minutes", Champ::LonMin, {{"59", "59", true, N}, {"60", "", true, S}}},
        {"5 stays, 005 moves on", Champ::LonDeg, {{"5", "5", false, I}, {"00", "00", false, I}, {"005", "005", true, N}}},
        {"359 and 360", Champ::LonDeg, {{"359", "359", true, N}, {"360", "", true, S}, {"1234", "", true, S}}},
        {"a blank is no digit", Champ::LonDeg, {{" 1", "", false, I}}},
        {"n moves on", Champ::LatSig, {{"n", "n", true, N}}},
        {"S moves on", Champ::LatSig, {{"S", "S", true, N}}},
        {"x empties silently", Champ::LatSig, {{"x", "", false, S}}},
        {"a second letter", Champ::LatSig, {{"N", "N", true, N}, {"NS", "", false, S}}},
        {"E or w", Champ::LonSig, {{"w", "w", true, N}, {"E", "E", true, N}, {"N", "", false, S}}},
        {"seventh character", Champ::Indic, {{"VP2VA", "VP2VA", false, I}, {"VP2VAB", "VP2VAB", false, I}, {"VP2VABC", "VP2VAB", true, N}}},
        {"pasted into the middle", Champ::Indic, {{"ABXYZCDEF", "ABXYZC", true, N}}},
        {"sixteenth character", Champ::Lieu, {{"Fernando Noronh", "Fernando Noronh", false, I}, {"Fernando Noronha", "Fernando Noronh", true, N}}},
        {"TAB CR LF never enter", Champ::Lieu, {{"a\tb", "ab", false, I}, {"Line\r\nTwo", "LineTwo", false, I}}},
        {"TAB in the prefix", Champ::Indic, {{"K\t", "K", false, I}}},
        // The file is Latin-1: accented letters stay, what it cannot hold never enters.
        {"beyond Latin-1", Champ::Lieu, {{"S\u00E3o Tom\u00E9", "S\u00E3o Tom\u00E9", false, I}, {"\u0141\u00F3d\u017A", "\u00F3d", false, I}}},
        {"beyond Latin-1 counted after dropping", Champ::Indic, {{"\u20AC\u20ACVP2VAB", "VP2VAB", false, I}}},
        {"commas and quotes are ordinary", Champ::Lieu, {{"St. \"A\", B", "St. \"A\", B", false, I}}},
        {"empty boxes", Champ::LatDeg, {{"", "", false, I}}},
        {"empty letter box", Champ::LonSig, {{"", "", false, I}}},
    };
    for (const Sequence& s : table) {
        for (const Pas& p : s.pas) {
            SCOPED_TRACE(std::string(s.nom) + " / " + p.saisi);
            const ResultatFiltre r = filtrerChamp(s.champ, QString::fromUtf8(p.saisi));
            EXPECT_EQ(r.texte, QString::fromUtf8(p.reste));
            EXPECT_EQ(r.bip, p.bip);
            EXPECT_EQ(r.focus, p.focus);
            // The filter runs again on the text it made: that changes nothing more.
            if (r.texte != QString::fromUtf8(p.saisi)) {
                const ResultatFiltre encore = filtrerChamp(s.champ, r.texte);
                EXPECT_EQ(encore.texte, r.texte);
            }
        }
    }
}

} // namespace
