#pragma once
// Brulvane's three windows, created at start-up and then only hidden and
// shown, as the module's state says: the view behind brulvane::Vue.

#include "Calculator/Brulvane.h"

#include <memory>

class FeuilleChoixFichier;
class F_Brulvane;
class F_NoiseCalc;

class FenetresBrulvane : public brulvane::Vue {
public:
    // Creates the windows hidden (each placing itself) and links itself to
    // `etat` as its view.
    explicit FenetresBrulvane(Brulvane& etat);
    ~FenetresBrulvane() override;
    FenetresBrulvane(const FenetresBrulvane&) = delete;
    FenetresBrulvane& operator=(const FenetresBrulvane&) = delete;

    FeuilleChoixFichier* feuilleChoixFichier() const { return feuilleChoixFichier_.get(); }
    F_Brulvane* f_Brulvane() const { return f_Brulvane_.get(); }
    F_NoiseCalc* f_NoiseCalc() const { return f_NoiseCalc_.get(); }

    void rafraichit() override;
    QString texte(brulvane::Boite b) const override;
    void ecritBoite(brulvane::Boite b, const QString& texte) override;
    void refuseBoite(brulvane::Boite b) override;
    void ecritResultats(const std::array<QString, brulvane::NombreResultats>& textes) override;

private:
    Brulvane& etat_;
    std::unique_ptr<F_Brulvane> f_Brulvane_;
    std::unique_ptr<F_NoiseCalc> f_NoiseCalc_;
    std::unique_ptr<FeuilleChoixFichier> feuilleChoixFichier_;
    bool choixCharge_ = false; // the chooser's first load (with its start picture) has run
};
