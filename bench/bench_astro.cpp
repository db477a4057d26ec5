// Speed of the astronomy library: full Moon positions per second, and a
// 31-day sweep of the Moon at one-minute steps (44,640 positions) for one
// observer, stepping the date with ChangeJour as Planner's tables do.
// Goal: under 2 microseconds a Moon position.
//
// Run: build-*/bench/bench_astro [repetitions]

#include "astro/Astro.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Horloge = std::chrono::steady_clock;

astro::EtatAstro Station()
{
    astro::EtatAstro e;
    e.LatitudeObservateur = 48.85;
    e.LongitudeObservateur = 2.35 / 15.0;
    e.Altitude = 35;
    e.Freq = 144;
    e.DateCalcul = {2026, 12, 1, 0};
    e.DateCalcul.weekday = astro::CalculJourSemaine(e);
    astro::CalculJourJulien(e);
    return e;
}

// One Moon position at minute m of the day (as a table step does).
double Position(astro::EtatAstro& e, int minute)
{
    const int secondes = minute * 60;
    e.FractionJour = secondes / 86400.0;
    e.HeureUT = secondes / 3600.0;
    astro::CalculTempsSideral(e);
    astro::CalculPositionSource(e, 0);
    return e.ElevationSource;
}

} // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 5;
    double puits = 0; // keeps the work from being optimised away

    // Moon positions per second, at one instant after another.
    {
        astro::EtatAstro e = Station();
        const int n = 1000000;
        const auto t0 = Horloge::now();
        for (int i = 0; i < n; ++i)
            puits += Position(e, i % 1440);
        const double s = std::chrono::duration<double>(Horloge::now() - t0).count();
        std::printf("Moon positions: %d in %.3f s = %.0f per second, %.3f us each\n", n, s, n / s, s / n * 1e6);
    }

    // The 31-day one-minute sweep, best of the repetitions.
    double meilleur = 1e9;
    int auDessus = 0;
    for (int r = 0; r < repetitions; ++r) {
        astro::EtatAstro e = Station();
        e.PasJour = 1;
        auDessus = 0;
        const auto t0 = Horloge::now();
        for (int jour = 0; jour < 31; ++jour) {
            for (int minute = 0; minute < 1440; ++minute) {
                const double el = Position(e, minute);
                puits += el;
                auDessus += el > 0;
            }
            astro::ChangeJour(e);
        }
        const double s = std::chrono::duration<double>(Horloge::now() - t0).count();
        if (s < meilleur)
            meilleur = s;
    }
    std::printf("31-day sweep: 44640 positions in %.4f s (best of %d), %.3f us each; Moon up %d minutes\n",
                meilleur, repetitions, meilleur / 44640 * 1e6, auDessus);
    std::printf("(checksum %.6f)\n", puits);
    return 0;
}
