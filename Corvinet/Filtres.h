#pragma once
// The field filters of the main window's text boxes, without any widget: the
// filter every change of a box's text runs (allowed characters, length, range,
// moving on when the box is full) and the checks five boxes run when the focus
// leaves them. Each takes the box's text and returns what the window must do:
// the text the box is left with, whether to beep, and where the focus goes.
// A filter runs once per change and computes the final text at once, so the
// window sets that text without running the filter on it again.

#include "Corvinet/FichierStation.h"
#include "platform/EditVerdict.h"

#include <QString>
#include <optional>

namespace corvinet {

// How a box's text is read for its range test.
enum class GenreValeur { Texte, Lettre, Entier16, Entier32, Simple, Aucune };

struct Filtre {
    Champ boite;
    int onglet;         // 0..4, the tab the box is on
    const char* permis; // allowed characters; nullptr: any (Indic, Lieu)
    int max;            // characters the box keeps
    GenreValeur valeur; // Aucune: no range test while typing
    double min;         // range; for Simple the limits are taken in single precision
    double max_;
    bool minStrict;     // the value must be above min (ButeeH, OffAz)
    bool maxStrict;     // the value must be below max_ (OffAz)
    bool testeMin;      // false: only the upper bound is tested ("at most")
    Champ suivant;      // next box when the box is full
};

// The filter row of a text box; nullptr for a field that is not a text box.
const Filtre* filtre(Champ boite);

// What the window does after a change or a leave check.
struct ResultatFiltre {
    QString texte;    // the text the box is left with
    bool bip = false; // beep once
    enum class Focus { Aucun, Soi, Suivant } focus = Focus::Aucun;
    Champ suivant = Champ::Indic; // with Focus::Suivant: the control that takes the focus
};

// The window's state the filters depend on.
struct ContexteFiltre {
    bool rangAzVisible = true; // BoutonBinAz shows "BIN"
    bool rangElVisible = true; // BoutonBinEl shows "BIN"
    QString legendeInput = LegendeSignal; // caption of BoutonInput
};

// Characters the call sign and the location refuse: those that would split or
// shift the items of the station file for every reader (comma, double quote,
// TAB, CR, LF), the other control characters, and those the 8-bit (Latin-1)
// file cannot hold.
bool caractereInterditTexteLibre(QChar c);

// The filter of `boite` for a new text `texte`.
ResultatFiltre filtreChangement(Champ boite, const QString& texte, const ContexteFiltre& ctx = {});

// True when `texte` holds a character that `boite` does not allow (the
// numeric and letter boxes; the free-text boxes drop theirs themselves).
bool caractereRefuse(Champ boite, const QString& texte);

// The filter of an edit the operator makes in `boite`, judged on the text
// `propose` it would make, before the box takes it: an edit that would
// bring in a character the box does not allow, make the text too long or its
// value fall out of range is refused (the box keeps its text); an over-long
// call sign or location is cut to its maximum. What is accepted then runs
// filtreChangement as every change does, which passes the focus on.
platform::EditVerdict jugeSaisie(Champ boite, const QString& propose, const ContexteFiltre& ctx = {});

// True for the boxes that check their value when the focus leaves them
// (AutoVit, ManVit, AngDecr, Range8b, Off8b).
bool aVerificationSortie(Champ boite);
// The check when the focus leaves `boite` holding `texte`: an empty text
// passes; a failing value beeps, empties the box and takes the focus back.
ResultatFiltre verificationSortie(Champ boite, const QString& texte, const ContexteFiltre& ctx = {});

// True when the text of Range8b / Off8b is within the range of the chosen
// measurement (the leave check's rule, used by the save checks as well).
bool range8bValide(const QString& texte, const QString& legendeInput);
bool off8bValide(const QString& texte, const QString& legendeInput);

} // namespace corvinet
