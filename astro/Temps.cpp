// Day numbers, calendar steps and sidereal time.

#include "astro/Astro.h"

#include <cmath>
#include <limits>

namespace astro {

namespace {

// A 16-bit field plus a small step, as the integer arithmetic of the date
// fields: a result outside -32768..32767 is an overflow error.
int16_t Ajoute16(int16_t a, int b)
{
    const int r = a + b;
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        throw Overflow();
    return static_cast<int16_t>(r);
}

// Day number of y-m-d at 0 h UT (Gregorian formula for every date).
double JourJulienDe(const DateAstro& date)
{
    int y = date.year;
    int m = date.month;
    if (m < 3) {
        m += 12;
        y -= 1;
    }
    const double A = std::floor(y / 100.0);
    const double B = std::floor(A / 4.0) + (2.0 - A);
    return B + (std::floor(365.25 * y) - 694025.0) + std::floor(30.6001 * (m + 1)) + date.day - 0.5;
}

// One correction each way, as the sidereal-time steps do: exactly 24 stays.
double CorrigeHeures(double s)
{
    if (s > 24.0)
        s -= 24.0;
    if (s < 0.0)
        s += 24.0;
    return s;
}

} // namespace


void CalculJourJulien(EtatAstro& e)
{
    e.JourJulien = JourJulienDe(e.DateCalcul);
    static constexpr const char* noms[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const int j = e.DateCalcul.weekday;
    if (j >= 1 && j <= 7)
        e.NomJourSemaine = noms[j - 1];
}

void CalculDateJulienne(EtatAstro& e)
{
    e.JourJulien = JourJulienDe(e.DateCalcul);
    e.DateJulienne = e.FractionJour + e.JourJulien;
}

int16_t CalculJourSemaine(EtatAstro& e)
{
    const int annee = e.DateCalcul.year;
    e.JoursParMois.at(2) = (annee % 4 == 0) ? 29 : 28;
    const int k = (static_cast<int>(std::floor((annee - 1993) / 4.0)) + (annee - 1988)) % 7;
    int n = 0;
    for (int i = 1; i <= e.DateCalcul.month - 1; ++i)
        n += e.JoursParMois.at(i);
    const int jourAnnee = e.DateCalcul.day + n;
    return static_cast<int16_t>(((k + ((jourAnnee - 1) % 7)) % 7) + 1);
}

void ChangeJour(EtatAstro& e)
{
    DateAstro& d = e.DateCalcul;
    const int p = e.PasJour;
    d.day = Ajoute16(d.day, p);
    d.weekday = Ajoute16(d.weekday, p);
    if (p == -1) {
        if (d.weekday < 1)
            d.weekday = Ajoute16(d.weekday, 7);
        const bool moisPrecedent = d.day < 1;
        if (moisPrecedent)
            d.month = Ajoute16(d.month, -1);
        if (d.month < 1) {
            d.month = 12;
            d.year = Ajoute16(d.year, -1);
        }
        if (moisPrecedent)
            d.day = e.JoursParMois.at(d.month);
    } else if (p == 1) {
        if (d.weekday > 7)
            d.weekday = Ajoute16(d.weekday, -7);
        if (d.day > e.JoursParMois.at(d.month)) {
            d.day = 1;
            d.month = Ajoute16(d.month, 1);
        }
        if (d.month > 12) {
            d.month = 1;
            d.year = Ajoute16(d.year, 1);
        }
    }
    CalculJourJulien(e);
    if (e.ApresChangeJour)
        e.ApresChangeJour();
}

void CalculTempsSideral(EtatAstro& e)
{
    e.DateJulienne = e.FractionJour + e.JourJulien;
    e.SiecleJulien = e.DateJulienne / 36525.0;
    e.SiecleJulienCarre = e.SiecleJulien * e.SiecleJulien;
    const double T0 = e.JourJulien / 36525.0;
    const double r = (T0 * 100.0021359 + 0.276919398) + T0 * T0 * 1.075e-6;
    const double g = (r - std::floor(r)) * 24.0;
    double s = CorrigeHeures(e.HeureUT * 1.002737909 + g);
    s = CorrigeHeures(e.LongitudeObservateur + s);
    double degres = s * 15.0;
    e.TempsSideralLocal = DegVersRad(degres);
}

} // namespace astro
