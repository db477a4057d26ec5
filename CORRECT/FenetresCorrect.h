#pragma once
// Correct's three windows, created on first use and then only hidden and
// shown, as the module's state says: the view behind correct::Vue.

#include <memory>

#include "CORRECT/Correct.h"

class FeuilleChoixFichierTCV;
class FeuillePrincipale;
class FeuilleChoixFichierDat;

class FenetresCorrect : public correct::Vue {
public:
    // Links itself to `etat` as its view.
    explicit FenetresCorrect(Correct& etat);
    ~FenetresCorrect() override;
    FenetresCorrect(const FenetresCorrect&) = delete;
    FenetresCorrect& operator=(const FenetresCorrect&) = delete;

    // The windows, created (and loaded) on first use.
    FeuilleChoixFichierTCV& feuilleChoixFichierTCV();
    FeuillePrincipale& feuillePrincipale();
    FeuilleChoixFichierDat& feuilleChoixFichierDat();
    bool feuillePrincipaleChargee() const { return feuillePrincipale_ != nullptr; }

    void rafraichit() override;
    void afficheTable(const correction::TableCorrection& table) override;
    correction::TableCorrection table() const override;

private:
    Correct& etat_;
    std::unique_ptr<FeuilleChoixFichierTCV> feuilleChoixFichierTCV_;
    std::unique_ptr<FeuillePrincipale> feuillePrincipale_;
    std::unique_ptr<FeuilleChoixFichierDat> feuilleChoixFichierDat_;
};
