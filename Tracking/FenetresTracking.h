#pragma once
// Tracking's three windows (the station chooser, the main window and the
// antenna interface window): the view behind suivi::Vue. They show the
// program's state after every cycle and event, are laid out from it, and
// carry the drawings of the maps and the level graph. Created with the
// program's windows and linked to it; the program must outlive them.

#include "Tracking/Suivi.h"

#include <memory>
#include <optional>

class Tracking;
class FeuilleChoixFichier;
class FenetrePrincipale;
class FenetreInterface;

class FenetresTracking : public suivi::Vue {
public:
    // Creates the windows and links itself to `etat` as its view.
    explicit FenetresTracking(Tracking& etat);
    ~FenetresTracking() override;
    FenetresTracking(const FenetresTracking&) = delete;
    FenetresTracking& operator=(const FenetresTracking&) = delete;

    FeuilleChoixFichier& feuilleChoixFichier() { return *choix_; }
    FenetrePrincipale& fenetrePrincipale() { return *principale_; }
    FenetreInterface& fenetreInterface() { return *interface_; }

    bool interfaceVisible() const override;
    void rafraichit() override;
    void disposition(const suivi::TrackIni* places) override;
    void placesFenetres(suivi::TrackIni& t) override;
    void effaceCarte() override;
    void effaceCarteCiel() override;
    void dessineCourbeCarte(const std::array<float, 72>& y, bool declinaisonPositive) override;
    void pointDX(int ancienX, int ancienY, int x, int y) override;
    void dessineBandeCiel(const std::array<float, 73>& y) override;
    void dessineNiveau(const std::array<float, 21>& n) override;

private:
    // The chooser as it opens: the start picture on its first opening, the
    // list read again, O.K. off until a file is chosen, "Home.dat" on when
    // the list holds it.
    void ouvreChoix();
    // Both windows at `places`, each wholly inside the available screen,
    // the interface window moved clear of the main window when they meet.
    void place(const suivi::TrackIni& places);
    // The interface window (of a station with a box, in its normal state)
    // moved as little as it takes to lie clear of the main window inside
    // the available screen, when it meets it and the screen has room.
    void degage();
    // The interface window follows the main window minimised or restored.
    void suitEtatPrincipale();

    Tracking& etat_;
    std::unique_ptr<FeuilleChoixFichier> choix_;
    std::unique_ptr<FenetrePrincipale> principale_;
    std::unique_ptr<FenetreInterface> interface_;
    bool choixCharge_ = false;
    bool enCours_ = false;
    // Places of a layout made before the windows were shown: applied again
    // once they are, with the frames the window system gave them.
    std::optional<suivi::TrackIni> placesAReprendre_;
};
