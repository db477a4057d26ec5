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
    QString texte;          // the cell's new text
    bool premiereTouche;    // the first-key flag afterwards
    int bips = 0;           // beeps to sound, in order before any message
    bool horsLimites = false; // show the out-of-range message (after the beeps)
};

// Applies one key (its character code; Backspace = 8) to `texte`.
//  - "+", "-", "." are refused when the text they join already holds a "."
//    or the same character, "+" when it holds a "-", "-" when it holds a "+";
//    with `premiereTouche` set the key replaces the text, so it joins the
//    empty text ("-" typed over "1.5" starts "-");
//  - any key other than those three, Backspace and "0".."9" is refused;
//  - Backspace drops the last character (a text of fewer than two characters
//    becomes empty) and clears the first-key flag: an edit that starts with
//    Backspace goes on editing that text ("0.2", Backspace, "3" gives 0.3);
//  - another accepted key empties the text first when `premiereTouche` is
//    set (and clears it), then is added at the end;
//  - a text longer than five characters is cut to five, with a beep, before
//    its value is checked, so a sixth key never wipes a valid full cell;
//  - a value (single precision) outside -5..+5 beeps, asks for the message
//    and empties the cell;
//  - a text that is left with exactly five characters beeps (the fifth key).
// A refused key leaves text and flag unchanged and beeps once.
ResultatTouche filtreTouche(const QString& texte, int codeTouche, bool premiereTouche);

} // namespace correct
