#pragma once
// What Planner shows, as one value kept without any window (Ecran): the
// operator's current place, whether the main window is minimised, what runs,
// and what the common-window map on display was computed for. Every window's
// visibility, every menu item and every image button is derived from it by
// vue() after each event; the handlers change this value, never a window's
// visibility or a menu's state one by one.

#include "Planner/Garde.h"

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace planner {

// The operator's current place.
enum class Lieu {
    Aucun,          // before the first station is chosen: no window
    Choix,          // the station chooser, over the place it was opened from (Ecran::retour)
    Principale,     // the main window alone: a station, no computation yet
    Periode,        // the period dialog
    TablesLune,     // the Moon-location tables
    DialogueCommun, // the common-window dialog, over the Moon-location tables
    Carte,          // the common-window map, the radio-sky map, the DX window and "Change UTC"
    TablesCommunes, // the common-window tables
};

// What the common-window map was computed for. The map's caption, its curve,
// the radio-sky map, the DX values and the common-window tables started from
// it are all of this source and instant.
struct Carte {
    bool calculee = false; // computed for the current station (false: nothing to show yet)
    int16_t CodeSource = 0;
    QString NomSource;
    QString date;  // "dd-mm-yyyy"
    QString heure; // "hh:mm", UTC
};

struct Ecran {
    Lieu lieu = Lieu::Aucun;
    // Where Cancel in the station chooser goes back to (the place the chooser
    // was opened from); Aucun when there is no station to go back to.
    Lieu retour = Lieu::Aucun;
    bool principale = false; // the main window is open (a station was chosen)
    // The program is minimised: the main window (the chooser before the main
    // window opens) is minimised, every other window hidden with it.
    bool minimise = false;
    bool cleCiel = false;    // the radio-sky map's key is open (shown with the map)
    Carte carte;
    Garde garde;             // what runs: nothing, a table computation, the curve or a print
};

// The display the main window belongs to: the place under the chooser while
// it is open, else the current place.
Lieu lieuPrincipal(const Ecran& e);
// "MoonPos" (the Moon-location tables and their common-window dialog),
// "CommWin" (the map or the common-window tables) or "" (nothing computed).
QString modeAffichage(const Ecran& e);
// A dialog that waits for the operator is open (also while the main window
// is minimised, which hides it).
bool dialogueOuvert(const Ecran& e);

// What the view needs to know besides the display value: the table windows
// that were filled (their days, by window index; empty = no filled window
// there), the source chosen and the station chooser's list.
struct Contenu {
    std::vector<QString> joursLune;
    std::vector<QString> joursCommuns;
    int indexSource = 0;             // index of the Sources menu item
    bool stationSelectionnee = false; // an entry of the chooser's list is selected
    bool home = false;                // the chooser's list holds home.dat (any letter case)
};

// The main window's menus and image buttons.
struct EtatPrincipal {
    bool menus = false;         // File, Sources, About and the image buttons
    bool menuAffiche = false;   // Display
    bool bascule = false;       // Display item 5 and ImgPrev, the display switch
    // Item 5 reads "Common Window" and ImgPrev shows its released picture
    // while the switch leads to the common window; else "Moon Location" and
    // the pressed picture.
    bool versCommun = true;
    bool imgDX = false;         // back to the common-window map
    bool imprimable = false;    // some table to print: Display > Print...
    bool imgPrint = false;      // the Print image: tables of the current display to print
    bool imprimeLune = false;   // Print... > "Moon position"
    bool imprimeCommun = false; // Print... > "Common windows"
    int indexSource = 0;        // the checked Sources item; the source buttons' pictures follow it
    // Print items k + 2 with the day of table window k, filled windows only.
    std::vector<std::pair<int, QString>> joursLune, joursCommuns;
};

// Which windows are shown, and the main window's controls.
struct Vue {
    bool principale = false;
    bool choix = false;
    bool periode = false;
    bool tablesLune = false;     // the filled Moon-location table windows
    bool dialogueCommun = false;
    bool carte = false;          // FenetreCommune, FenetreCiel and FenetreDX
    bool cleCiel = false;        // FenetreInfoCiel
    bool changeUTC = false;
    bool tablesCommunes = false; // the filled common-window table windows
    bool choixOK = false;        // the chooser's O.K.: a file is selected
    bool choixHome = false;      // the chooser's Home button: there is a home.dat
    EtatPrincipal principal;
};

Vue vue(const Ecran& e, const Contenu& c);

// The Sources menu: item index, caption, source code and name (item 7 is a
// separator, code -1).
struct SourceMenu {
    const char* caption;
    int16_t code;
    const char* nom;
};
extern const SourceMenu Sources[10];
// The menu index of a source code (0 for a code that has none).
int indexSource(int16_t code);

} // namespace planner
