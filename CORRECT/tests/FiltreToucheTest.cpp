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
    int refus;          // keys refused (each a beep and the sign)
    int messages;       // out-of-range messages in all
    int pleines;        // keys that filled the cell (each a beep)
    bool premiereApres; // flag after them
};

// Runs the keys one by one through the filter, as the grid does: a refused
// key changes nothing.
Sequence jouer(const Sequence& s)
{
    Sequence r = s;
    r.attendu = s.depart;
    r.refus = r.messages = r.pleines = 0;
    r.premiereApres = s.premiere;
    for (QChar c : s.touches) {
        const ResultatTouche t = filtreTouche(r.attendu, c.unicode(), r.premiereApres);
        if (t.refusee) {
            EXPECT_EQ(t.texte, r.attendu) << s.nom;
            EXPECT_EQ(t.premiereTouche, r.premiereApres) << s.nom;
            ++r.refus;
            r.messages += t.horsLimites ? 1 : 0;
            continue;
        }
        EXPECT_FALSE(t.horsLimites) << s.nom;
        r.attendu = t.texte;
        r.premiereApres = t.premiereTouche;
        r.pleines += t.pleine ? 1 : 0;
    }
    return r;
}

} // namespace

TEST(FiltreTouche, KeySequences)
{
    const Sequence cas[] = {
        // name, start, first, keys, text, refused, messages, full, first after
        {"digit replaces a fresh cell", "1.5", true, "2", "2", 0, 0, 0, false},
        {"minus over 1.5 starts a negative value", "1.5", true, "-0.4", "-0.4", 0, 0, 0, false},
        {"minus over -0.3 starts a negative value", "-0.3", true, "-0.6", "-0.6", 0, 0, 0, false},
        {"point over 1.5 starts a new value", "1.5", true, ".5", ".5", 0, 0, 0, false},
        {"plus over -2 starts a positive value", "-2", true, "+3", "+3", 0, 0, 0, false},
        {"minus refused when a point is there", "1.5", false, "-", "1.5", 1, 0, 0, false},
        {"point refused when a point is there", "1.5", false, ".", "1.5", 1, 0, 0, false},
        {"a refused letter keeps the first-key flag", "1.5", true, "x", "1.5", 1, 0, 0, true},
        {"minus then a second minus", " 0", true, "-5-", "-5", 1, 0, 0, false},
        {"six is refused, the cell keeps its value", "1.5", true, "6", "1.5", 1, 1, 0, true},
        {"45 keeps the 4", " 0", true, "45", "4", 1, 1, 0, false},
        {"fifth key fills, sixth is refused", " 0", true, "4.5512", "4.551", 1, 0, 1, false},
        {"negative full cell", " 0", true, "-4.55", "-4.55", 0, 0, 1, false},
        {"sixth key on a valid 5.000 refused", "5.000", false, "1", "5.000", 1, 0, 0, false},
        {"sixth key on a valid -5.00 refused", "-5.00", false, "9", "-5.00", 1, 0, 0, false},
        {"fifth key taking the value beyond 5", "5.00", false, "1", "5.00", 1, 1, 0, false},
        {"typed 5.001 from a fresh cell", "2", true, "5.001", "5.00", 1, 1, 0, false},
        {"backspace on one character", "3", false, "\b", "", 0, 0, 0, false},
        {"backspace clears the first-key flag", "2.5", true, "\b", "2.", 0, 0, 0, false},
        {"an edit that starts with backspace edits", "0.2", true, "\b3", "0.3", 0, 0, 0, false},
        {"backspace twice, then digits", "-1.25", true, "\b\b5", "-1.5", 0, 0, 0, false},
        {"backspace on an empty cell", "", false, "\b\b", "", 0, 0, 0, false},
        {"backspace on a long text read from a file", "0.123456", false, "\b", "0.12345", 0, 0, 0, false},
        {"a digit on a long text read from a file", "0.123456", false, "7", "0.123456", 1, 0, 0, false},
        {"letters and other keys refused", "1", false, "a ,\r*e", "1", 6, 0, 0, false},
        {"plus refused after minus", "-2", false, "+", "-2", 1, 0, 0, false},
        {"minus refused after plus", "+2", false, "-", "+2", 1, 0, 0, false},
        {"second minus refused", "-", false, "-", "-", 1, 0, 0, false},
        {"point after a sign", "-", false, ".5", "-.5", 0, 0, 0, false},
        {"plus at the end reads the leading number", "12", false, "+", "12", 1, 1, 0, false},
        {"sign after digits within range", "3", false, "-", "3-", 0, 0, 0, false},
        {"exactly +5 (with its sign)", " 0", true, "+5", "+5", 0, 0, 0, false},
    };
    for (const Sequence& s : cas) {
        const Sequence r = jouer(s);
        EXPECT_EQ(r.attendu, s.attendu) << s.nom;
        EXPECT_EQ(r.refus, s.refus) << s.nom;
        EXPECT_EQ(r.messages, s.messages) << s.nom;
        EXPECT_EQ(r.pleines, s.pleines) << s.nom;
        EXPECT_EQ(r.premiereApres, s.premiereApres) << s.nom;
    }
}

// A paste is the keys of its text as one edit: taken whole or refused whole.
TEST(FiltreTouche, APasteIsOneEdit)
{
    const struct {
        const char* nom;
        const char* depart;
        bool premiere;
        const char* colle;
        const char* attendu; // the cell's text after the paste
        bool refusee, horsLimites, pleine;
    } cas[] = {
        {"replaces a fresh cell", "1.5", true, "0.3", "0.3", false, false, false},
        {"added to the text typed", "1", false, ".5", "1.5", false, false, false},
        {"blanks and a line end around it", " 0", true, "\t-4.55\r\n", "-4.55", false, false, true},
        {"a letter", "1.5", true, "0.3a", "1.5", true, false, false},
        {"a blank inside", "1.5", true, "0 3", "1.5", true, false, false},
        {"a Backspace inside", "1.5", true, "1\b2", "1.5", true, false, false},
        {"beyond 5", "1.5", true, "5.5", "1.5", true, true, false},
        {"beyond 5 with the text typed", "2", false, "5", "2", true, true, false},
        {"six characters", " 0", true, "0.1234", " 0", true, false, false},
        {"empty", "1.5", true, "", "1.5", true, false, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const ResultatTouche r = filtreCollage(QString::fromLatin1(c.depart), QString::fromLatin1(c.colle), c.premiere);
        EXPECT_EQ(r.texte, QString::fromLatin1(c.attendu));
        EXPECT_EQ(r.refusee, c.refusee);
        EXPECT_EQ(r.horsLimites, c.horsLimites);
        EXPECT_EQ(r.pleine, c.pleine);
        EXPECT_EQ(r.premiereTouche, c.refusee && c.premiere);
    }
}

TEST(FiltreTouche, MessageTexts)
{
    EXPECT_EQ(messageHorsLimites(), QString::fromUtf8("Must be +/- 5\xC2\xB0 max"));
    EXPECT_EQ(titreValeursCorrection(), "Selvane : Correction values");
}
