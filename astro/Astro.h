#pragma once
// The astronomy library shared by Planner and Tracking (and, for the world-map
// projection, Veskaro and the map generator).
//
// Time base: day numbers count days from 1900 January 0.5 (noon UT of
// 1899 December 31), so a date at 0 h UT always ends in .5; centuries are
// 36525 days from the same origin. The day number is the Julian Date minus
// 2415020. The series take the day number as given (no UT to TT correction).
//
// Units: the observer's longitude is in HOURS (east positive) and latitude in
// degrees; right ascension (0..2 pi), declination, ecliptic coordinates,
// parallax, hour angle and sidereal time are in radians; nutation and
// obliquity in degrees; azimuth (0..360 from north through east) and
// elevation (refraction included) in degrees.
//
// Every procedure works on one EtatAstro that the program owns: the caller sets
// the inputs, calls the procedure and reads the results left in it. The Moon
// series (low-precision lunar theory, epoch 1900 January 0.5) is good to about
// 0.003 degrees in longitude against a modern ephemeris; the Sun to about
// 0.005 degrees.

#include "astro/Arrondi.h"
#include "astro/Tables.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

namespace astro {

namespace detail {
// The last result of a computation that depends on its inputs alone, kept
// with the bit patterns of those inputs: asked again for the same inputs it
// gives that result back without computing it, so the numbers are the same
// bit for bit as computing them anew.
template <class Resultat, std::size_t N>
class Reprise {
public:
    template <class Calcul>
    const Resultat& operator()(const std::array<double, N>& entrees, Calcul calcul)
    {
        std::array<uint64_t, N> cle;
        for (std::size_t i = 0; i < N; ++i)
            cle[i] = std::bit_cast<uint64_t>(entrees[i]);
        if (!pret_ || cle != cle_) {
            valeur_ = calcul();
            cle_ = cle;
            pret_ = true;
        }
        return valeur_;
    }

private:
    bool pret_ = false;
    std::array<uint64_t, N> cle_{};
    Resultat valeur_{};
};
} // namespace detail

// The date being computed. weekday: 1 = Sunday .. 7 = Saturday.
struct DateAstro {
    int16_t year = 0;
    int16_t month = 0;
    int16_t day = 0;
    int16_t weekday = 0;
};

// Which program's copy of the library the state follows. Tracking computes the
// echo Doppler with single-precision intermediates and the epoch held as the
// single-precision value 33966.20703125; Planner in double precision from
// 33966.208.
enum class Variante { Planner, Tracking };

// The program-wide astronomy variables. A program owns one; tests create a
// fresh one. Nothing here is reset between computations: each procedure
// overwrites what it writes.
struct EtatAstro {
    Variante variante = Variante::Planner;
    // Called at the very end of ChangeJour, on every path (PasJour 0
    // included); Tracking refreshes its weekday and date labels there.
    std::function<void()> ApresChangeJour;

    // --- time ---
    DateAstro DateCalcul;
    // Days of each month, index 1..12 (0 unused). February follows the year
    // of the last CalculJourSemaine (every year divisible by 4 has 29 days).
    std::array<int16_t, 13> JoursParMois{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int16_t PasJour = 1;                 // day step of ChangeJour: +1 or -1 (0: no roll-over)
    std::string NomJourSemaine;          // "Sun" .. "Sat", from DateCalcul.weekday
    double JourJulien = 0;               // day number of DateCalcul at 0 h UT
    double FractionJour = 0;             // fraction of the UT day, 0 <= f < 1 (seconds / 86400)
    double HeureUT = 0;                  // UT hours of the day, 0 <= h < 24 (seconds / 3600)
    double DateJulienne = 0;             // JourJulien + FractionJour
    double SiecleJulien = 0;             // DateJulienne / 36525
    double SiecleJulienCarre = 0;        // SiecleJulien squared

    // --- observer ---
    double LatitudeObservateur = 0;      // degrees, north positive
    double LongitudeObservateur = 0;     // HOURS, east positive
    int16_t Altitude = 0;                // metres above sea level (always the home station's)
    int32_t Freq = 0;                    // station frequency, whole MHz

    // --- results ---
    double TempsSideralLocal = 0;        // radians, 0..2 pi
    double LongitudeEcliptique = 0;      // radians
    double LatitudeEcliptique = 0;       // radians
    double ParallaxeLune = 0;            // horizontal parallax, radians (1e-12 for fixed sources)
    double NutationLongitude = 0;        // degrees
    double NutationObliquite = 0;        // degrees
    double ObliquiteMoyenne = 0;         // degrees
    double AscensionDroite = 0;          // radians, 0..2 pi
    double Declinaison = 0;              // radians
    double AngleHoraireTopo = 0;         // topocentric hour angle, radians, 0..2 pi
    double DeclinaisonTopo = 0;          // topocentric declination, radians
    double AzimutSource = 0;             // degrees, 0..360 from north through east
    double ElevationSource = 0;          // degrees, refraction included
    float FacteurDopplerRotation = 0;    // two-way Earth-rotation Doppler, Hz per MHz
    float PerteSupplementaire = 0;       // Moon only: 40 log10(357000 km / distance), dB
    int32_t DopplerSource = 0;           // Moon only: echo Doppler at Freq, Hz

    // --- Kepler's equation (the Sun's orbit), radians except the eccentricity ---
    double AnomalieMoyenne = 0;          // input
    double Excentricite = 0;             // input
    double AnomalieExcentrique = 0;      // output
    double AnomalieVraie = 0;            // output, -pi..pi

    // --- kept from the last call (read by the library alone) ---
    // A table computes the Moon, the Sun and a fixed source for one instant
    // and one observer at each step: the nutation, the obliquity's sine and
    // cosine, the observer's geocentric terms and a fixed source's
    // precession terms would each be computed again from the same inputs.
    detail::Reprise<std::array<double, 2>, 2> RepriseNutation;    // (T, T squared) -> longitude, obliquity
    detail::Reprise<std::array<double, 2>, 1> RepriseObliquite;   // true obliquity -> sine, cosine
    detail::Reprise<std::array<double, 4>, 2> RepriseObservateur; // (latitude, altitude) -> sin, cos, rho sin, rho cos
    detail::Reprise<std::array<double, 3>, 2> ReprisePrecession;  // (alpha, delta) -> sin alpha, cos alpha, tan delta
};

// ---------------------------------------------------------------- angles
// The argument is taken by reference; only ArcSin/ArcCos write it (the clamp).
// Defined here so that the many calls of each step are inlined.
inline double DegVersRad(double& x) { return x * 0.01745329252; }
inline double RadVersDeg(double& x) { return x * 57.29577951; }
// Clamps x to -1..1 (writing the clamped value back), then
// atan(x / (sqrt(1 - x*x) + 1e-20)): radians, -pi/2..pi/2.
inline double ArcSin(double& x)
{
    if (x >= 1.0)
        x = 1.0;
    if (x <= -1.0)
        x = -1.0;
    return std::atan(x / (std::sqrt(1.0 - x * x) + 1e-20));
}
inline double ArcCos(double& x) { return 1.570796327 - ArcSin(x); } // same clamp

// ---------------------------------------------------------------- time
// Day number of DateCalcul (Gregorian formula, any date) into JourJulien;
// NomJourSemaine from DateCalcul.weekday (kept when outside 1..7).
void CalculJourJulien(EtatAstro& e);
// JourJulien as above, then DateJulienne := FractionJour + JourJulien.
void CalculDateJulienne(EtatAstro& e);
// Sets JoursParMois[2] for DateCalcul.year and returns its weekday, 1 = Sunday
// (exact for 1993..2099). The caller stores it in DateCalcul.weekday.
int16_t CalculJourSemaine(EtatAstro& e);
// Steps DateCalcul by PasJour days with month and year roll-over and a running
// weekday, then CalculJourJulien, then the ApresChangeJour hook if set.
// A month that indexes JoursParMois outside 0..12 on a roll-over path throws
// std::out_of_range; a 16-bit field overflow throws Overflow.
void ChangeJour(EtatAstro& e);
// DateJulienne, SiecleJulien, SiecleJulienCarre and the local sidereal time of
// LongitudeObservateur into TempsSideralLocal.
void CalculTempsSideral(EtatAstro& e);

// ---------------------------------------------------------------- positions
// Source codes: 0 Moon, 1 Sun, 2..8 PositionSourcesFixes. Any other code
// returns at once and changes nothing. Needs CalculTempsSideral for the
// instant and the observer set first. Leaves right ascension, declination and,
// through CalculAzElTopocentrique, azimuth and elevation; for the Moon also
// CalculPerteDoppler.
void CalculPositionSource(EtatAstro& e, int CodeSource);
// The Moon's series alone: LongitudeEcliptique (folded into 0..2 pi),
// LatitudeEcliptique and ParallaxeLune from DateJulienne and SiecleJulien.
void CalculSerieLune(EtatAstro& e);
// The Sun's series alone, through ResoutKepler and CalculNutation: the apparent
// LongitudeEcliptique (nutation added, aberration 0.00569 deg taken off),
// LatitudeEcliptique 0 and ParallaxeLune from the radius vector.
void CalculSerieSoleil(EtatAstro& e);
void CalculNutation(EtatAstro& e);       // NutationLongitude, NutationObliquite
void CalculObliquite(EtatAstro& e);      // ObliquiteMoyenne
// CalculObliquite, then ecliptic (LongitudeEcliptique, LatitudeEcliptique) to
// AscensionDroite (0..2 pi) and Declinaison with the true obliquity.
void EcliptiqueVersEquatorial(EtatAstro& e);
// AscensionDroite, Declinaison from B1950.0 (day 18262.423) to DateJulienne.
void CalculPrecession(EtatAstro& e);
// Newton iteration on E - e sin E = M (at most 50 rounds, step below 1e-6):
// AnomalieExcentrique and AnomalieVraie from AnomalieMoyenne and Excentricite.
void ResoutKepler(EtatAstro& e);

// ---------------------------------------------------------------- topocentric
// Hour angle, geodetic parallax, Earth-rotation Doppler factor, azimuth and
// elevation with refraction, for LatitudeObservateur and TempsSideralLocal.
void CalculAzElTopocentrique(EtatAstro& e);
// Refraction in degrees added to a geometric elevation e (degrees).
double Refraction(double e);
// Moon only, after CalculAzElTopocentrique: PerteSupplementaire and
// DopplerSource at Freq (the variant chooses Planner's or Tracking's form).
void CalculPerteDoppler(EtatAstro& e);

// ---------------------------------------------------------------- world map
// CarteMonde: 5670 x 2770 twips, left edge at longitude -168 deg, latitude
// piecewise linear from 85 deg at the top to -55 deg at the bottom.
double CarteXVersLongitude(int16_t& x);  // HOURS, east positive; x not changed
double CarteYVersLatitude(int16_t& y);   // degrees; 0 outside 0..2770; y not changed
// X in twips; a longitude below -168 first gets 360 added, written back.
// Throws Overflow when the X does not fit 16 bits.
int16_t LongitudeVersCarteX(float& lon);
// Y in twips, pinned to 0 above 85 deg and 2770 below -55 deg; lat not changed.
int16_t LatitudeVersCarteY(float& lat);

} // namespace astro
