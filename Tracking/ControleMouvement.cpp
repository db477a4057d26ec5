#include "Tracking/ControleMouvement.h"

#include <algorithm>
#include <cmath>

namespace suivi {

void ControleMouvement::reinitialise(const Course& azimut, const Course& elevation)
{
    az_ = EtatAxe{};
    el_ = EtatAxe{};
    az_.course = azimut;
    el_.course = elevation;
    tVerifie_ = 0;
    tenue_ = boite_ = 0;
    finEchange_ = -1;
}

void ControleMouvement::compte(EtatAxe& e, double t)
{
    if (t <= e.depuis)
        return;
    if (e.sens != 0) {
        const double dt = t - e.depuis;
        e.unites += e.fraction * dt;
        e.attendu += e.vitesse * e.fraction * dt;
        e.marche += dt;
    }
    e.depuis = t;
}

float ControleMouvement::hors(const Course& c, float x) { return std::max(c.bas - x, x - c.haut); }

void ControleMouvement::verifie(double t)
{
    tVerifie_ = t;
    tenue_ = boite_ = 0;
    finEchange_ = t;
}

void ControleMouvement::noteLecture(EtatAxe& e, double t)
{
    if (e.tLecture >= 0 && t > e.tLecture)
        e.intervalle = t - e.tLecture;
    e.tLecture = t;
}

void ControleMouvement::debutCourse(EtatAxe& e)
{
    e.enCourse = e.sens != 0 && e.connue;
    e.reference = e.derniere;
    e.attendu = e.unites = e.marche = 0;
    e.attenduDerniere = 0;
    e.fenetre.clear();
    if (e.enCourse)
        e.fenetre.push_back({0, 0, 0});
    e.unitesSegment = e.avanceSegment = 0;
}

void ControleMouvement::commande(Axe a, double t, bool actif, int sens, double fraction)
{
    EtatAxe& e = axe(a);
    compte(e, t);
    if (!actif)
        sens = 0;
    const bool nouvelle = sens != e.sens;
    e.actif = actif;
    e.sens = sens;
    e.fraction = sens != 0 ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    if (nouvelle) {
        debutCourse(e);
        verifie(t);
    }
}

ControleMouvement::Verdict ControleMouvement::ouvreLecture(Axe a, double t, float x)
{
    EtatAxe& e = axe(a);
    compte(e, t);
    noteLecture(e, t);
    verifie(t);
    Verdict v;
    v.axe = a;
    v.sens = e.sens;
    v.lecture = x;
    return v;
}

ControleMouvement::Verdict ControleMouvement::lecture(Axe a, double t, float x, bool sure)
{
    EtatAxe& e = axe(a);
    Verdict v = ouvreLecture(a, t, x);
    if (!std::isfinite(x))
        return v;
    if (e.sens != 0 && !e.enCourse) {
        // The run began before any reading of the axis was known: it is
        // measured from this one.
        e.derniere = x;
        e.connue = true;
        debutCourse(e);
    }
    // Beyond a stop and moving further out from the innermost reading seen
    // there, unless sent that way (then the drive's own motion is the
    // reference).
    const float h = hors(e.course, x);
    if (h <= 0) {
        e.hors = 0;
    } else {
        const int cote = x > e.course.haut ? 1 : -1;
        if (!e.actif || !e.connue || e.sens == cote) {
            e.hors = h;
        } else {
            e.hors = std::min(e.hors, h);
            if (h - e.hors > SeuilSortie) {
                v.cause = Cause::HorsButee;
                v.reference = e.derniere;
                v.butee = cote > 0 ? e.course.haut : e.course.bas;
            }
        }
    }
    if (!v && e.enCourse) {
        const double avance = e.sens * (static_cast<double>(x) - e.reference);
        // Against its command.
        if (avance < -std::max(e.course.hysteresis, PlancherBruit)) {
            v.cause = Cause::ContreCommande;
            v.reference = e.reference;
        }
        // Not following its drive: the latest stretch at least
        // DistanceFenetre degrees of expected travel long.
        if (!v) {
            e.fenetre.push_back({e.attendu, avance, e.marche});
            auto debut = e.fenetre.end();
            for (auto it = e.fenetre.end() - 1; it != e.fenetre.begin();) {
                --it;
                if (e.attendu - it->attendu >= DistanceFenetre) {
                    debut = it;
                    break;
                }
            }
            if (debut != e.fenetre.end()) {
                e.fenetre.erase(e.fenetre.begin(), debut);
                const double attendu = e.attendu - debut->attendu, fait = avance - debut->avance;
                if (fait < PartMinimale * attendu) {
                    // Gone the other way, beyond a reading's noise: against
                    // its command (before the Start hysteresis is passed).
                    const bool contre = fait < -SeuilSortie;
                    v.cause = contre ? Cause::ContreCommande : Cause::SansMouvement;
                    v.reference = static_cast<float>(e.reference + e.sens * debut->avance);
                    v.deplacement = fait;
                    v.attendu = attendu;
                    v.secondes = e.marche - debut->marche;
                }
            }
        }
        // The rate, learned over stretches long enough that the encoder's
        // resolution and noise do not count.
        if (!v && sure && avance - e.avanceSegment >= SegmentAppris && e.unites > e.unitesSegment) {
            const double vitesse = (avance - e.avanceSegment) / (e.unites - e.unitesSegment);
            e.vitesse = std::clamp(std::max(e.vitesse, vitesse), VitessePlancher, VitesseMax);
            e.avanceSegment = avance;
            e.unitesSegment = e.unites;
        }
    }
    e.derniere = x;
    e.connue = true;
    e.attenduDerniere = e.attendu;
    return v;
}

ControleMouvement::Verdict ControleMouvement::lectureIgnoree(Axe a, double t)
{
    EtatAxe& e = axe(a);
    Verdict v = ouvreLecture(a, t, e.derniere);
    if (e.sens == 0 || !e.connue)
        return v;
    const double aveugle = e.attendu - e.attenduDerniere;
    const double prochaine = e.vitesse * e.fraction * e.intervalle;
    const double pire = e.derniere + e.sens * (aveugle + prochaine);
    const bool butee = e.sens > 0 ? pire > e.course.haut : pire < e.course.bas;
    if (aveugle >= DistanceAveugle || butee) {
        v.cause = Cause::LecturesIgnorees;
        v.attendu = aveugle;
    }
    return v;
}

void ControleMouvement::echange(double debut, double fin, double limite, double tenues)
{
    const double duree = std::max(fin - debut, 0.0);
    const double retenue = std::min(std::max({duree - limite, tenues, 0.0}), duree);
    tenue_ += retenue;
    boite_ += duree - retenue;
    finEchange_ = std::max(finEchange_, fin);
}

void ControleMouvement::debutEchange(double t)
{
    if (finEchange_ >= 0 && t > finEchange_)
        tenue_ += t - finEchange_;
    finEchange_ = std::max(finEchange_, t);
}

ControleMouvement::Verdict ControleMouvement::tenue(double t)
{
    debutEchange(t);
    Verdict v;
    if (!enMouvement())
        return v;
    const EtatAxe& e = az_.sens != 0 ? az_ : el_;
    v.axe = az_.sens != 0 ? Axe::Azimut : Axe::Elevation;
    v.sens = e.sens;
    v.lecture = e.derniere;
    v.secondes = t - tVerifie_;
    if (tenue_ > BorneTenue)
        v.cause = Cause::Tenue;
    else if (boite_ > BorneCycle)
        v.cause = Cause::CycleLent;
    return v;
}

double ControleMouvement::courseAvantLecture(Axe a, double depuisLecture) const
{
    const EtatAxe& e = axe(a);
    return e.vitesse * (e.intervalle + std::max(depuisLecture, 0.0));
}

} // namespace suivi
