#pragma once
// The two checks run before a station file is saved, without any widget.
// Each takes the window's values (texts, captions, states) and gives the first
// failure: the box that takes the focus and its tab, and, for a broken axis
// rule, the fault's text and the boxes to empty. The window carries it out:
// beep, empty the boxes (their filters run), show the data-error box, focus.
//
// Values are read with the station number rule and compared in double
// precision; the port is set when its value is above 0.

#include "Corvinet/FichierStation.h"

#include "platform/Dialogs.h"

#include <QString>
#include <optional>
#include <vector>

namespace corvinet {

struct Arret {
    QString regle;             // "Indic", ... for a completeness stop; "3", "5a", "26" for a rule of the axis check
    Champ focus;               // the control that takes the focus
    int onglet;                // the tab selected to show it, 0..4
    QString faute;             // the fault's text; empty: stop at the box (focus and beep only)
    std::vector<Champ> videes; // boxes emptied, in this order, before the data-error box
};

struct ResultatControle {
    bool ok = false;
    int onglet = -1; // the tab selected at the end of the pass; -1: left as it was
    std::optional<Arret> arret;
};

// Every required box filled, the EME values above 0, and with a port set the
// measurement input within the range of its kind, the speeds within their
// ranges and a drive mode chosen. A call sign or a location holding a
// character the file cannot carry stops at its box.
ResultatControle controleSaisie(const ValeursStation& v);

// The axes against one another, when a port is set.
ResultatControle controleCoherence(const ValeursStation& v);

// The data-error box for a fault's text.
QString texteErreurDonnee(const QString& faute);
inline const QString TitreErreurDonnee = QStringLiteral(" - Data Error - ");
inline constexpr platform::Icon IconeErreurDonnee = platform::Icon::Exclamation;

} // namespace corvinet
