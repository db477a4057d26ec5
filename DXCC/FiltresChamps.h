#pragma once
// The editor's field filters: each of the eight boxes checks its whole text
// at every change so that only the stored forms of a record can be typed.
// A filter gets the box's new text and tells what becomes of it; the window
// applies the result (text, beep, focus).

#include "platform/EditVerdict.h"

#include <QString>

namespace dxcc {

// The boxes in their order on the editor, which is also the order in which
// a full box passes the focus on (after LonSig comes the O.K. button).
enum class Champ { Indic, Lieu, LatDeg, LatMin, LatSig, LonDeg, LonMin, LonSig };

enum class Focus { Inchange, SurLeChamp, ChampSuivant };

struct ResultatFiltre {
    QString texte;     // the box's text after the filter (unchanged when nothing is refused)
    bool bip = false;  // one beep
    Focus focus = Focus::Inchange;
};

// Free texts (Indic up to 6 characters, Lieu up to 15): any character but
// TAB, CR and LF, which would break the record's line, and characters
// beyond Latin-1, which the file cannot hold; those are dropped silently. A
// text beyond the maximum is cut to it with a beep and the focus moves on.
// Digits (LatDeg 2 digits below 90, LatMin 2 below 60, LonDeg 3 below 360,
// LonMin 2 below 60): a character that is not a digit empties the box
// silently; a text too long or at or above the limit beeps, empties the box
// and keeps the focus; a full-length text beeps and moves on.
// Letters (LatSig N/S, LonSig E/W, either case): anything else, or a second
// character, empties the box silently and keeps the focus; one allowed
// letter beeps and moves on. The letter keeps its case.
ResultatFiltre filtrerChamp(Champ champ, const QString& texte);

// The filter of an edit the operator makes in a box, judged on the text
// `propose` it would make before the box takes it: what filtrerChamp would
// empty or find out of range is refused (the box keeps its text); an
// over-long free text is cut to its maximum (a key into a full box is so
// refused).
platform::EditVerdict jugerSaisie(Champ champ, const QString& propose);

// True for the free-text boxes (Indic, Lieu), which pass the focus on only
// when a text beyond their maximum is refused or cut.
bool texteLibre(Champ champ);

// Maximum length of a free text, full length of a digit or letter box.
int longueurChamp(Champ champ);

} // namespace dxcc
