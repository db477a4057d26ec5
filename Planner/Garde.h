#pragma once
// What the windows allow while Planner works. One activity runs at a time: a
// Moon-location or common-window table computation, the common-window curve,
// or a print. While one runs nothing may change its inputs or discard the
// windows it fills or prints: a request is either refused (the program beeps)
// or kept here and carried out once the activity has ended, late rather than
// never. The program derives its menus from this state (and from the dialogs
// open) after every change. No window.

#include <functional>
#include <utility>
#include <vector>

namespace planner {

class Garde {
public:
    enum class Activite { Aucune, TablesLune, TablesCommunes, Courbe, Impression };

    // The right to run an activity: false when it was refused; ends the
    // activity when reset or destroyed.
    class Jeton {
    public:
        Jeton() = default;
        explicit Jeton(Garde& g) : garde_(&g) {}
        Jeton(Jeton&& o) noexcept : garde_(std::exchange(o.garde_, nullptr)) {}
        Jeton(const Jeton&) = delete;
        Jeton& operator=(const Jeton&) = delete;
        Jeton& operator=(Jeton&&) = delete;
        ~Jeton() { reset(); }
        explicit operator bool() const { return garde_ != nullptr; }
        void reset() {
            if (Garde* g = std::exchange(garde_, nullptr))
                g->fin();
        }

    private:
        Garde* garde_ = nullptr;
    };

    Activite activite() const { return activite_; }
    bool libre() const { return activite_ == Activite::Aucune; }
    bool calcul() const { return !libre() && activite_ != Activite::Impression; }
    bool impression() const { return activite_ == Activite::Impression; }

    // Asks the running table computation to stop at its next step (File >
    // New). The request belongs to that run: it is forgotten when the run
    // ends, and asked while nothing runs it does nothing, so it can never
    // stop a later computation.
    void arrete();
    bool arretDemande() const { return arret_; }

    // Starts `a` when nothing runs; an empty Jeton (nothing changed) otherwise.
    [[nodiscard]] Jeton commence(Activite a);

    // Runs `f` at once when nothing runs; otherwise keeps it until the running
    // activity has ended. A later request of the same `cle` still waiting
    // replaces the earlier one (the last O.K. holds the boxes' last texts).
    void apres(int cle, std::function<void()> f);
    bool enAttente(int cle) const;
    // The requests still waiting are dropped (the program ends).
    void oublie() { attente_.clear(); }

    // Called after every change of activity.
    std::function<void()> changement;

private:
    void fin();
    Activite activite_ = Activite::Aucune;
    bool arret_ = false;
    std::vector<std::pair<int, std::function<void()>>> attente_;
};

} // namespace planner
