// Day numbers, weekdays, day steps, sidereal time and the angle functions.

#include "astro/Astro.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace astro;

namespace {

EtatAstro Etat(int annee, int mois, int jour, int jourSemaine = 0)
{
    EtatAstro e;
    e.DateCalcul = {static_cast<int16_t>(annee), static_cast<int16_t>(mois), static_cast<int16_t>(jour),
                    static_cast<int16_t>(jourSemaine)};
    return e;
}

} // namespace

TEST(JourJulien, LandmarkDates)
{
    struct Cas { int y, m, d; double jj; };
    const Cas cas[] = {
        {1900, 1, 1, 0.5},     {1993, 1, 1, 33968.5}, {2000, 1, 1, 36524.5},
        {2000, 3, 1, 36584.5}, {1999, 12, 31, 36523.5}, {2000, 2, 29, 36583.5},
        {2024, 2, 29, 45349.5}, {2024, 3, 1, 45350.5},
    };
    for (const Cas& c : cas) {
        EtatAstro e = Etat(c.y, c.m, c.d);
        CalculJourJulien(e);
        EXPECT_EQ(e.JourJulien, c.jj) << c.y << "-" << c.m << "-" << c.d;
        e.FractionJour = 0.25;
        CalculDateJulienne(e);
        EXPECT_EQ(e.JourJulien, c.jj);
        EXPECT_EQ(e.DateJulienne, c.jj + 0.25);
    }
}

TEST(JourJulien, WeekdayNameFromTheWeekdayField)
{
    const char* noms[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int j = 1; j <= 7; ++j) {
        EtatAstro e = Etat(2000, 1, 1, j); // the name follows the field, not the date
        CalculJourJulien(e);
        EXPECT_EQ(e.NomJourSemaine, noms[j - 1]);
    }
    for (int j : {0, 8, -1}) {
        EtatAstro e = Etat(2000, 1, 1, j);
        e.NomJourSemaine = "Thu";
        CalculJourJulien(e);
        EXPECT_EQ(e.NomJourSemaine, "Thu") << j;
    }
}

TEST(CalculJourSemaine, WeekdaysAndFebruary)
{
    struct Cas { int y, m, d; int16_t jour; int16_t fevrier; };
    const Cas cas[] = {
        {1993, 1, 1, 6, 28},  {2000, 1, 1, 7, 29}, {1996, 3, 1, 6, 29}, {2026, 12, 9, 4, 28},
        {1999, 12, 31, 6, 28}, {2024, 2, 29, 5, 29}, {2099, 12, 31, 5, 28},
        {2100, 1, 1, 6, 29}, // every fourth year counts as a leap year here, 2100 included
    };
    for (const Cas& c : cas) {
        EtatAstro e = Etat(c.y, c.m, c.d);
        e.JoursParMois[2] = 0;
        EXPECT_EQ(CalculJourSemaine(e), c.jour) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(e.JoursParMois[2], c.fevrier);
    }
}

TEST(ChangeJour, RollsDaysMonthsYearsAndWeekdays)
{
    struct Cas {
        int16_t pas, fevrier;
        DateAstro avant, apres;
        const char* nom;
    };
    const Cas cas[] = {
        {1, 28, {1999, 12, 31, 6}, {2000, 1, 1, 7}, "Sat"},
        {1, 28, {2001, 6, 16, 7}, {2001, 6, 17, 1}, "Sun"},
        {1, 28, {2001, 2, 28, 4}, {2001, 3, 1, 5}, "Thu"},
        {1, 29, {2000, 2, 28, 2}, {2000, 2, 29, 3}, "Tue"},
        {-1, 29, {2000, 3, 1, 4}, {2000, 2, 29, 3}, "Tue"},
        {-1, 28, {2001, 3, 1, 5}, {2001, 2, 28, 4}, "Wed"},
        {-1, 28, {2001, 1, 1, 2}, {2000, 12, 31, 1}, "Sun"},
        {-1, 28, {2001, 1, 7, 1}, {2001, 1, 6, 7}, "Sat"},
        {0, 28, {2001, 1, 31, 4}, {2001, 1, 31, 4}, "Wed"},
        // any other step moves day and weekday without a roll-over
        {2, 28, {2001, 1, 31, 4}, {2001, 1, 33, 6}, "Fri"},
    };
    for (const Cas& c : cas) {
        EtatAstro e;
        e.DateCalcul = c.avant;
        e.PasJour = c.pas;
        e.JoursParMois[2] = c.fevrier;
        ChangeJour(e);
        EXPECT_EQ(e.DateCalcul.year, c.apres.year);
        EXPECT_EQ(e.DateCalcul.month, c.apres.month);
        EXPECT_EQ(e.DateCalcul.day, c.apres.day);
        EXPECT_EQ(e.DateCalcul.weekday, c.apres.weekday);
        EXPECT_EQ(e.NomJourSemaine, c.nom);
        EtatAstro attendu;
        attendu.DateCalcul = c.apres;
        CalculJourJulien(attendu);
        EXPECT_EQ(e.JourJulien, attendu.JourJulien);
    }
}

TEST(ChangeJour, KeepsFebruaryAsSetAndLeavesDateJulienne)
{
    EtatAstro e = Etat(2001, 3, 1, 5);
    e.JoursParMois[2] = 29; // as left by a leap year: not recomputed by the step
    e.DateJulienne = 123.0;
    e.PasJour = -1;
    ChangeJour(e);
    EXPECT_EQ(e.DateCalcul.day, 29);
    EXPECT_EQ(e.DateJulienne, 123.0);
}

TEST(ChangeJour, HookRunsLastOnEveryPath)
{
    for (int16_t pas : {int16_t(1), int16_t(-1), int16_t(0)}) {
        EtatAstro e = Etat(1999, 12, 31, 6);
        e.variante = Variante::Tracking;
        int appels = 0;
        double jourVu = 0;
        e.ApresChangeJour = [&] {
            ++appels;
            jourVu = e.JourJulien;
        };
        e.PasJour = pas;
        ChangeJour(e);
        EXPECT_EQ(appels, 1) << pas;
        EXPECT_EQ(jourVu, e.JourJulien) << "the day number is ready when the hook runs";
    }
}

TEST(ChangeJour, BadMonthAndOverflowReachTheCaller)
{
    EtatAstro e = Etat(2001, 13, 40, 1);
    e.PasJour = 1;
    EXPECT_THROW(ChangeJour(e), std::out_of_range);
    EtatAstro f = Etat(2001, 1, 32767, 1);
    f.PasJour = 1;
    EXPECT_THROW(ChangeJour(f), Overflow);
}

TEST(CalculTempsSideral, WorkedValueAndDerivedTimes)
{
    EtatAstro e;
    e.JourJulien = 36524.5;
    CalculTempsSideral(e);
    EXPECT_EQ(e.DateJulienne, 36524.5);
    EXPECT_DOUBLE_EQ(e.SiecleJulien, 36524.5 / 36525.0);
    EXPECT_DOUBLE_EQ(e.SiecleJulienCarre, e.SiecleJulien * e.SiecleJulien);
    const double heures = e.TempsSideralLocal / 0.01745329252 / 15.0;
    EXPECT_NEAR(heures, 6.6645, 0.00005);       // 6 h 39 min 52 s
    EXPECT_NEAR(e.TempsSideralLocal, 1.7448, 0.00005);

    // The time of day enters at the sidereal rate; an east longitude adds.
    e.FractionJour = 0.25;
    e.HeureUT = 6.0;
    e.LongitudeObservateur = 1.5;
    CalculTempsSideral(e);
    EXPECT_EQ(e.DateJulienne, 36524.75);
    EXPECT_NEAR(e.TempsSideralLocal / 0.01745329252 / 15.0, 6.6645 + 6.0 * 1.002737909 + 1.5, 0.00005);
}

TEST(CalculTempsSideral, FoldsOnceEachWay)
{
    EtatAstro e;
    e.JourJulien = 36524.5;
    for (double lon : {-23.9, -11.2, 12.0, 23.9}) {
        e.LongitudeObservateur = lon;
        CalculTempsSideral(e);
        const double h = e.TempsSideralLocal / 0.01745329252 / 15.0;
        EXPECT_GE(h, 0.0) << lon;
        EXPECT_LE(h, 24.0) << lon;
        EXPECT_NEAR(std::remainder(h - 6.6645 - lon, 24.0), 0.0, 0.0001) << lon;
    }
}

TEST(CalculTempsSideral, ExactlyTwentyFourHoursStays)
{
    // Find a day whose sidereal time at 0 h UT is past 12 h, so that 24 - g
    // and (24 - g) + g are exact; that longitude puts the time on 24 h.
    EtatAstro e;
    for (double jj = 36524.5;; jj += 1.0) {
        const double T0 = jj / 36525.0;
        const double r = (T0 * 100.0021359 + 0.276919398) + T0 * T0 * 1.075e-6;
        const double g = (r - std::floor(r)) * 24.0;
        if (g < 12.0)
            continue;
        e.JourJulien = jj;
        e.LongitudeObservateur = 24.0 - g;
        ASSERT_EQ(e.LongitudeObservateur + g, 24.0);
        break;
    }
    CalculTempsSideral(e);
    double vingtQuatre = 24.0 * 15.0;
    EXPECT_EQ(e.TempsSideralLocal, DegVersRad(vingtQuatre)); // 2 pi, not 0
}

TEST(Angles, ConversionsAndClamp)
{
    double x = 180.0;
    EXPECT_EQ(DegVersRad(x), 180.0 * 0.01745329252);
    EXPECT_EQ(x, 180.0);
    double y = 1.0;
    EXPECT_EQ(RadVersDeg(y), 57.29577951);

    double s = 1.0000000000000002;
    EXPECT_DOUBLE_EQ(ArcSin(s), M_PI / 2);
    EXPECT_EQ(s, 1.0) << "the clamp is written back";
    double c = 1.0000000000000002;
    const double ac = ArcCos(c);
    EXPECT_NEAR(ac, 1.570796327 - M_PI / 2, 1e-15);
    EXPECT_GT(ac, 2.0e-10);
    EXPECT_EQ(c, 1.0);

    double m = -1.5;
    EXPECT_DOUBLE_EQ(ArcSin(m), -M_PI / 2);
    EXPECT_EQ(m, -1.0);
    double h = 0.5;
    EXPECT_NEAR(ArcSin(h), std::asin(0.5), 1e-15);
    EXPECT_EQ(h, 0.5);
    double z = 0.0;
    EXPECT_EQ(ArcCos(z), 1.570796327);
}
