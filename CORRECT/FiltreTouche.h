#pragma once
// The key filter of an editable correction cell: each typed key either
// changes the cell text or is refused with a beep. Widget-free: the grid
// window feeds it the cell text and the key and applies the result.

#include <QString>

namespace correct {

constexpr int ToucheRetourArriere = 8; // character code of Backspace
constexpr int LongueurMaxCellule = 5;  // characters a typed value may have

// Text of the message shown when a typed value leaves -5..+5.
QString messageHorsLimites();      // "Must be +/- 5° max"
QString titreValeursCorrection();  // "Selvane : Correction values"

struct ResultatTouche {
    QString texte;            // the cell's text afterwards
    bool premiereTouche;      // the first-key flag afterwards
    // The key is refused: text and flag stay as they were; the grid shows
    // the refusal (a beep and the sign on the cell).
    bool refusee = false;
    // With `refusee`: the value would leave -5..+5; the message says so.
    bool horsLimites = false;
    // The key was taken and the cell is now full (five characters): a beep.
    bool pleine = false;
};

// Applies one key (its character code; Backspace = 8) to `texte`.
//  - "+", "-", "." are refused when the text they join already holds a "."
//    or the same character, "+" when it holds a "-", "-" when it holds a "+";
//    with `premiereTouche` set the key replaces the text, so it joins the
//    empty text ("-" typed over "1.5" starts "-");
//  - any key other than those three, Backspace and "0".."9" is refused;
//  - Backspace drops the last character and clears the first-key flag: an
//    edit that starts with Backspace goes on editing that text ("0.2",
//    Backspace, "3" gives 0.3);
//  - another accepted key empties the text first when `premiereTouche` is
//    set (and clears it), then is added at the end;
//  - a key that would make the text longer than five characters is refused:
//    a full cell keeps its value;
//  - a key that would make the value (single precision) leave -5..+5 is
//    refused, with the message; the cell keeps its value;
//  - a key that leaves the text with exactly five characters beeps.
ResultatTouche filtreTouche(const QString& texte, int codeTouche, bool premiereTouche);

// A text pasted into the cell, as one edit: its characters go through the
// key filter one after the other, as if typed, and the paste is taken whole
// when every one is taken, refused whole (the cell and the flag as they
// were) when one is not; `horsLimites` then says whether the value left
// -5..+5. Blanks and line ends around the text (a cell copied from another
// table) are dropped; a paste with nothing else, or with a Backspace or
// another control character, is refused. `pleine`: the result has five
// characters.
ResultatTouche filtreCollage(const QString& texte, const QString& colle, bool premiereTouche);

} // namespace correct
