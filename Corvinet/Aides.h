#pragma once
// The fixed help boxes of the main window: the "?" buttons of the frames and
// the Help menu. Each is an information box with one OK button; its lines are
// joined by single carriage returns (character 13).

#include "Corvinet/FichierStation.h"

#include <QString>
#include <optional>

namespace corvinet {

struct BoiteAide {
    QString titre;
    QString texte;
};

// Help box 1..14.
BoiteAide boiteAide(int numero);

// The "?" buttons: AideGenerale, AideInterface(0..2), AideTracking(0..9).
enum class FamilleAide { Generale, Interface, Tracking };
struct BoutonAide {
    FamilleAide famille;
    int index;
    int onglet;
    int boite;                   // help box number
    std::optional<Champ> focus;  // box that takes the focus afterwards, when it can
};
// The button of a family and index; nullptr when there is none.
const BoutonAide* boutonAide(FamilleAide famille, int index);
// Every button, in the order of the table above.
const std::vector<BoutonAide>& boutonsAide();

inline constexpr int BoiteAideMenu = 14;

} // namespace corvinet
