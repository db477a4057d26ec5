#pragma once
// The date and time boxes' checks and the period's conversion into day
// numbers. A date box holds "dd-mm-yyyy", a time box "hh:mm"; each piece is
// read by the station number rule (a blank or "_" ends the number, an empty
// piece reads 0) and rounded to a whole number. No window.

#include "Planner/Variables.h"
#include "platform/EditVerdict.h"

#include <QString>

namespace planner {

struct DateBoite {
    int16_t jour = 0, mois = 0, annee = 0;
};
struct HeureBoite {
    int32_t heure = 0, minute = 0;
};
// Day = first two characters, month = characters 4-5, year = last four.
DateBoite lireDate(const QString& texte);
// Hour = first two characters, minute = last two.
HeureBoite lireHeure(const QString& texte);
// The step box's number rounded into 16 bits; 0 (a refused step) when the
// text does not fit.
int16_t lirePas(const QString& texte);
// The largest time step, in minutes (three digits in the step box).
constexpr int16_t PasMaximum = 999;
// A step the tables can use: 1..PasMaximum minutes.
inline bool pasValide(int32_t pas) { return pas >= 1 && pas <= PasMaximum; }
// The step box's filter of an edit: the box holds 0 to 3 digits.
platform::EditVerdict JugePas(const QString& propose);

// Days of month 1..12 of `annee` (February has 29 days in every year
// divisible by 4); 0 for any other month.
int16_t joursDuMois(int16_t mois, int16_t annee);

// The check a date box makes when it loses the focus, and each O.K. of a
// dialog before it reads its boxes. False = refused ("Enter a new date !!!").
// A cleared mask flag, a blank position left, or a day, month or year out of
// range refuses and sets the flag again; a day beyond its month in the year
// of the box refuses too.
bool verifieDate(VariablesPlanner& v, const QString& texte);
// The same for a time box ("Enter a new time !!!"): filled in, 0..23 and
// 0..59; the flag is set again after every refusal.
bool verifieHeure(VariablesPlanner& v, const QString& texte);

// The period dialog's O.K. once its boxes have passed their checks: Step
// (1..PasMaximum, else PasNul), MoonVisible, the end instant (DateJulienneFin)
// and then the start instant in DateCalcul, NomJourSemaine, HeureCalcul,
// MinuteCalcul, SecondesJour, FractionJour, HeureUT and DateJulienne.
enum class Periode { Ok, PasNul, Ordre, TropLongue };
Periode verifiePeriode(VariablesPlanner& v, const QString& dateDeb, const QString& timeDeb,
                       const QString& dateFin, const QString& timeFin, const QString& step, bool moonVisible);

// Sets DateCalcul (with its weekday and NomJourSemaine), JourJulien,
// HeureCalcul, MinuteCalcul, SecondesJour, FractionJour, HeureUT for one
// instant and runs CalculDateJulienne.
void fixeInstant(VariablesPlanner& v, const QString& date, const QString& time);

// "Sun" .. "Sat" for 1..7.
QString nomJour(int weekday);

} // namespace planner
