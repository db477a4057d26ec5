#include "Planner/Dates.h"

#include "platform/Text.h"

namespace planner {

namespace {
int16_t nombre16(const QString& s) {
    try {
        return platform::CInt(platform::Val(s));
    } catch (const platform::OverflowError&) {
        return 0;
    }
}
} // namespace

DateBoite lireDate(const QString& t) {
    DateBoite d;
    d.jour = nombre16(t.left(2));
    d.mois = nombre16(t.mid(3, 2));
    d.annee = nombre16(t.right(4));
    return d;
}

int16_t lirePas(const QString& t) { return nombre16(t); }

platform::EditVerdict JugePas(const QString& propose) {
    if (propose.size() > 3)
        return platform::EditVerdict::refuse();
    for (const QChar c : propose)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return platform::EditVerdict::refuse();
    return platform::EditVerdict::accept(propose);
}

HeureBoite lireHeure(const QString& t) {
    HeureBoite h;
    h.heure = nombre16(t.left(2));
    h.minute = nombre16(t.right(2));
    return h;
}

int16_t joursDuMois(int16_t mois, int16_t annee) {
    static const astro::EtatAstro communes; // the months of a common year
    if (mois < 1 || mois > 12)
        return 0;
    return mois == 2 && annee % 4 == 0 ? 29 : communes.JoursParMois[size_t(mois)];
}

namespace {
// A blank position ("_") left in a box: the box is not filled in.
bool incomplet(const QString& texte) { return texte.contains(QLatin1Char('_')); }
} // namespace

bool verifieDate(VariablesPlanner& v, const QString& texte) {
    const DateBoite d = lireDate(texte);
    if (v.SaisieValide == Faux || incomplet(texte) || d.jour < 1 || d.jour > 31 || d.mois < 1 || d.mois > 12 ||
        d.annee < 1993) {
        v.SaisieValide = Vrai;
        return false;
    }
    return d.jour <= joursDuMois(d.mois, d.annee);
}

bool verifieHeure(VariablesPlanner& v, const QString& texte) {
    const HeureBoite h = lireHeure(texte);
    if (v.SaisieValide != Faux && !incomplet(texte) && h.heure >= 0 && h.heure <= 23 && h.minute >= 0 &&
        h.minute <= 59)
        return true;
    v.SaisieValide = Vrai;
    return false;
}

QString nomJour(int weekday) {
    static const char* const noms[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return weekday >= 1 && weekday <= 7 ? QString::fromLatin1(noms[weekday - 1]) : QString();
}

void fixeInstant(VariablesPlanner& v, const QString& date, const QString& time) {
    auto& e = v.Astro;
    const DateBoite d = lireDate(date);
    e.DateCalcul.day = d.jour;
    e.DateCalcul.month = d.mois;
    e.DateCalcul.year = d.annee;
    e.DateCalcul.weekday = astro::CalculJourSemaine(e);
    e.NomJourSemaine = nomJour(e.DateCalcul.weekday).toStdString();
    const HeureBoite h = lireHeure(time);
    v.HeureCalcul = h.heure;
    v.MinuteCalcul = h.minute;
    v.SecondesJour = v.HeureCalcul * 3600.0 + v.MinuteCalcul * 60.0;
    e.FractionJour = v.SecondesJour / 86400;
    e.HeureUT = v.SecondesJour / 3600;
    astro::CalculDateJulienne(e);
}

Periode verifiePeriode(VariablesPlanner& v, const QString& dateDeb, const QString& timeDeb, const QString& dateFin,
                       const QString& timeFin, const QString& step, bool moonVisible) {
    auto& e = v.Astro;
    v.MoonVisible = moonVisible ? Vrai : Faux;
    v.Step = lirePas(step);
    if (!pasValide(v.Step))
        return Periode::PasNul;
    const DateBoite f = lireDate(dateFin);
    e.DateCalcul.day = f.jour;
    e.DateCalcul.month = f.mois;
    e.DateCalcul.year = f.annee;
    const HeureBoite hf = lireHeure(timeFin);
    v.HeureCalcul = hf.heure;
    v.MinuteCalcul = hf.minute;
    e.FractionJour = (v.HeureCalcul * 3600.0 + v.MinuteCalcul * 60.0) / 86400;
    astro::CalculDateJulienne(e);
    v.DateJulienneFin = e.DateJulienne;
    fixeInstant(v, dateDeb, timeDeb);
    if (e.DateJulienne >= v.DateJulienneFin)
        return Periode::Ordre;
    if (v.DateJulienneFin - e.DateJulienne > 31)
        return Periode::TropLongue;
    return Periode::Ok;
}

} // namespace planner
