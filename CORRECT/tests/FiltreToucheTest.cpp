// The cell key filter as a table of key sequences.

#include <gtest/gtest.h>

#include "CORRECT/FiltreTouche.h"

using namespace correct;

namespace {

struct Sequence {
    const char* nom;
    QString depart;     // cell text before the keys
    bool premiere;      // first-key flag before the keys
    QString touches;    // keys typed; '\b' is Backspace
    QString attendu;    // cell text after them
    int bips;           // beeps in all
    int messages;       // out-of-range messages in all
    bool premiereApres; // flag after them
};

// Runs the keys one by one through the filter, as the grid does.
Sequence jouer(const Sequence& s)
{
    Sequence r = s;
    r.attendu = s.depart;
    r.bips = r.messages = 0;
    r.premiereApres = s.premiere;
    for (QChar c : s.touches) {
        const ResultatTouche t = filtreTouche(r.attendu, c.unicode(), r.premiereApres);
        r.attendu = t.texte;
        r.premiereApres = t.premiereTouche;
        r.bips += t.bips;
        r.messages += t.horsLimites ? 1 : 0;
    }
    return r;
}

} // namespace

TEST(FiltreTouche, KeySequences)
{
    const Sequence cas[] = {
        // name, start, first, keys, text, beeps, messages, first after
        {"digit replaces a fresh cell", "1.5", true, "2", "2", 0, 0, false},
        {"minus over 1.5 starts a negative value", "1.5", true, "-0.4", "-0.4", 0, 0, false},
        {"minus over -0.3 starts a negative value", "-0.3", true, "-0.6", "-0.6", 0, 0, false},
        {"point over 1.5 starts a new value", "1.5", true, ".5", ".5", 0, 0, false},
        {"plus over -2 starts a positive value", "-2", true, "+3", "+3", 0, 0, false},
        {"minus refused when a point is there", "1.5", false, "-", "1.5", 1, 0, false},
        {"point refused when a point is there", "1.5", false, ".", "1.5", 1, 0, false},
        {"a refused letter keeps the first-key flag", "1.5", true, "x", "1.5", 1, 0, true},
        {"minus then a second minus", " 0", true, "-5-", "-5", 1, 0, false},
        {"six is out of range", " 0", true, "6", "", 1, 1, false},
        {"fifth key beeps, sixth is cut", " 0", true, "4.5512", "4.551", 2, 0, false},
        {"negative full cell", " 0", true, "-4.55", "-4.55", 1, 0, false},
        {"sixth key on a valid 5.000 keeps it", "5.000", false, "1", "5.000", 1, 0, false},
        {"sixth key on a valid -5.00 keeps it", "-5.00", false, "9", "-5.00", 1, 0, false},
        {"fifth key taking the value beyond 5", "5.00", false, "1", "", 1, 1, false},
        {"typed 5.001 from a fresh cell", "2", true, "5.001", "", 1, 1, false},
        {"backspace on one character", "3", false, "\b", "", 0, 0, false},
        {"backspace clears the first-key flag", "2.5", true, "\b", "2.", 0, 0, false},
        {"an edit that starts with backspace edits", "0.2", true, "\b3", "0.3", 0, 0, false},
        {"backspace twice, then digits", "-1.25", true, "\b\b5", "-1.5", 0, 0, false},
        {"backspace on an empty cell", "", false, "\b\b", "", 0, 0, false},
        {"backspace on a long text read from a file", "0.123456", false, "\b", "0.123", 1, 0, false},
        {"letters and other keys only beep", "1", false, "a ,\r*e", "1", 6, 0, false},
        {"plus refused after minus", "-2", false, "+", "-2", 1, 0, false},
        {"minus refused after plus", "+2", false, "-", "+2", 1, 0, false},
        {"second minus refused", "-", false, "-", "-", 1, 0, false},
        {"point after a sign", "-", false, ".5", "-.5", 0, 0, false},
        {"plus at the end reads the leading number", "12", false, "+", "", 1, 1, false},
        {"sign after digits within range", "3", false, "-", "3-", 0, 0, false},
        {"exactly +5 (with its sign)", " 0", true, "+5", "+5", 0, 0, false},
    };
    for (const Sequence& s : cas) {
        const Sequence r = jouer(s);
        EXPECT_EQ(r.attendu, s.attendu) << s.nom;
        EXPECT_EQ(r.bips, s.bips) << s.nom;
        EXPECT_EQ(r.messages, s.messages) << s.nom;
        EXPECT_EQ(r.premiereApres, s.premiereApres) << s.nom;
    }
}

TEST(FiltreTouche, MessageTexts)
{
    EXPECT_EQ(messageHorsLimites(), QString::fromUtf8("Must be +/- 5\xC2\xB0 max"));
    EXPECT_EQ(titreValeursCorrection(), "Selvane : Correction values");
}
