#pragma once
// Planner's reading of a station set-up file: the call sign, location,
// position, height, clock offset and frequency, taken by the station item
// rule (one item a line), plus the frequency test and the PC-date start of
// the period dialog. No window.

#include "Planner/Variables.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace planner {

struct StationPlan {
    QString Indic;
    QString Lieu;
    double LatitudeStation = 0;
    double LongitudeStation = 0;
    double LongitudeStationHeures = 0;
    int16_t Altitude = 0;
    int16_t DecHor = 0;
    int32_t Freq = 0;
};

// Reads `path`. nullopt when the file cannot be read, holds no "EME STATION"
// item followed by two more items, or a number does not fit its integer; then
// `raison`, when given, says which, in words for the operator.
std::optional<StationPlan> lireStationPlan(const QString& path, QString* raison = nullptr);

// The frequency test: 1..99999 MHz.
bool frequenceValide(int32_t freq);
// The station check after reading: the frequency as above and the PC clock
// offset within -14..14 hours (the day roll of the period's start steps one day at most).
bool stationValide(int32_t freq, int16_t decHor);

// The start of the period dialog from the PC's local date and time: sets
// DateCalcul's day, month and year, JoursParMois (February 29 in every year
// divisible by 4), HeureCalcul = local hour - DecHor, MinuteCalcul = 0, with at
// most one day roll through ChangeJour; then fills the four box texts and
// leaves DateCalcul on the end date (the next UTC day). Returns false (and
// changes nothing but DateCalcul) when the PC year is below 1993.
struct DebutPeriode {
    QString DateDeb, TimeDeb, DateFin, TimeFin;
};
std::optional<DebutPeriode> debutPeriode(VariablesPlanner& v, const QDateTime& maintenant);

// DateCalcul as "dd-mm-yyyy"; nullopt when the year has fewer than 4 digits.
std::optional<QString> texteDate(const astro::DateAstro& d);

} // namespace planner
