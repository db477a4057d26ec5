#pragma once
// Input filters of the calculator window's 14 boxes, widget-free.
//
// Every change of a box's text, whoever makes it, is filtered: a character
// outside the box's set empties the box silently; a text longer than the
// box's longest text, or a value above its largest value, beeps, empties the
// box and puts the focus back on it. 0 and the empty text pass: the
// computation refuses them.

#include "Calculator/BilanEME.h"
#include "platform/EditVerdict.h"

#include <QString>

namespace brulvane {

enum class ActionFiltre {
    Accepte, // the text stays
    Vide,    // empty the box, no beep (the refusal sign shows on it)
    Refuse,  // beep, empty the box, focus back on it, the refusal sign
};

struct RegleBoite {
    bool pointPermis; // the full stop is allowed besides the digits
    int longueurMax;  // characters
    float valeurMax;
};

RegleBoite RegleDe(Boite b);

ActionFiltre FiltreBoite(Boite b, const QString& texte);

// The filter of an edit the operator makes in a box, judged on the text it
// would make before the box takes it: only a text FiltreBoite accepts gets
// in; anything else is refused and the box keeps its text.
platform::EditVerdict JugeSaisie(Boite b, const QString& propose);

// Default sky temperature text for a frequency in MHz: "5" from 1000 MHz up,
// "20" from 400 to 999 MHz, "220" below 400 MHz.
QString TemperatureCielDefaut(double frequence);

// The frequency box's value as the nearest whole number of MHz (halves to
// even), or 0 for a text whose value cannot be a frequency.
int32_t FrequenceEntiere(const QString& texte);

} // namespace brulvane
