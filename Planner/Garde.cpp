#include "Planner/Garde.h"

#include <algorithm>

namespace planner {

Garde::Jeton Garde::commence(Activite a) {
    if (!libre() || a == Activite::Aucune)
        return Jeton();
    activite_ = a;
    arret_ = false;
    if (changement)
        changement();
    return Jeton(*this);
}

void Garde::apres(int cle, std::function<void()> f) {
    if (libre()) {
        f();
        return;
    }
    const auto i = std::find_if(attente_.begin(), attente_.end(), [cle](const auto& p) { return p.first == cle; });
    if (i != attente_.end())
        i->second = std::move(f);
    else
        attente_.emplace_back(cle, std::move(f));
}

bool Garde::enAttente(int cle) const {
    return std::any_of(attente_.begin(), attente_.end(), [cle](const auto& p) { return p.first == cle; });
}

void Garde::arrete() {
    if (calcul())
        arret_ = true;
}

void Garde::fin() {
    activite_ = Activite::Aucune;
    arret_ = false;
    if (changement)
        changement();
    // Each waiting request in turn, while nothing runs: one that starts an
    // activity leaves the rest to that activity's end.
    while (libre() && !attente_.empty()) {
        std::function<void()> f = std::move(attente_.front().second);
        attente_.erase(attente_.begin());
        f();
    }
}

} // namespace planner
