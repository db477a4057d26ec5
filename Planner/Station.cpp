#include "Planner/Station.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <QStringList>

namespace planner {

std::optional<StationPlan> lireStationPlan(const QString& path, QString* raison) {
    auto echec = [raison](const char* texte) {
        if (raison)
            *raison = QString::fromLatin1(texte);
        return std::nullopt;
    };
    const auto texte = platform::readText(path);
    if (!texte)
        return echec("The file cannot be opened.");
    platform::ItemReader lecteur(*texte);
    QStringList items;
    QString item;
    for (int i = 0; i < 25; ++i) {
        if (!lecteur.next(item))
            return echec("The file ends before the station's position.");
        items << item;
    }
    bool trouve = false;
    while (lecteur.next(item)) {
        if (item == QLatin1String("EME STATION")) {
            trouve = true;
            break;
        }
    }
    QString freq;
    if (!trouve || !lecteur.next(item) || !lecteur.next(freq))
        return echec("No \"EME STATION\" frequency before the end of the file.");
    try {
        auto entier = [&](int n) { return platform::CInt(platform::Val(items[n - 1])); };
        StationPlan s;
        s.Indic = items[2];
        s.Lieu = items[4];
        const int16_t latDeg = entier(7), latMin = entier(9), latSec = entier(11);
        const int16_t lonDeg = entier(15), lonMin = entier(17), lonSec = entier(19);
        s.Altitude = entier(23);
        s.DecHor = entier(25);
        s.Freq = platform::CLng(platform::Val(freq));
        const QString latSig = items[12], lonSig = items[20];
        // The fraction of a degree is kept in single precision.
        const float fLat = static_cast<float>((latSec / 60.0 + latMin) / 60.0);
        const float fLon = static_cast<float>((lonSec / 60.0 + lonMin) / 60.0);
        const bool nord = latSig == QLatin1String("N") || latSig == QLatin1String("n");
        const bool est = lonSig == QLatin1String("E") || lonSig == QLatin1String("e");
        s.LatitudeStation = nord ? latDeg + double(fLat) : -(latDeg + double(fLat));
        s.LongitudeStation = est ? lonDeg + double(fLon) : -(lonDeg + double(fLon));
        s.LongitudeStationHeures = s.LongitudeStation / 15;
        return s;
    } catch (const platform::OverflowError&) {
        return echec("A number is too large.");
    }
}

bool frequenceValide(int32_t freq) { return freq >= 1 && freq <= 99999; }

bool stationValide(int32_t freq, int16_t decHor) { return frequenceValide(freq) && decHor >= -14 && decHor <= 14; }

std::optional<QString> texteDate(const astro::DateAstro& d) {
    const QString y = QString::number(d.year);
    if (y.size() < 4)
        return std::nullopt;
    return QString::number(d.day).rightJustified(2, QLatin1Char('0')) + QLatin1Char('-') +
           QString::number(d.month).rightJustified(2, QLatin1Char('0')) + QLatin1Char('-') + y;
}

std::optional<DebutPeriode> debutPeriode(VariablesPlanner& v, const QDateTime& maintenant) {
    auto& e = v.Astro;
    const QDate date = maintenant.date();
    e.DateCalcul.day = int16_t(date.day());
    e.DateCalcul.month = int16_t(date.month());
    e.DateCalcul.year = int16_t(date.year());
    if (e.DateCalcul.year < 1993)
        return std::nullopt;
    e.JoursParMois = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (e.DateCalcul.year % 4 == 0)
        e.JoursParMois[2] = 29;
    const int heureLocale = platform::FormatDate(maintenant.time(), QStringLiteral("hh:mm:ss")).left(2).toInt();
    v.HeureCalcul = heureLocale - v.DecHor;
    v.MinuteCalcul = 0;
    if (v.HeureCalcul > 23) {
        v.HeureCalcul -= 24;
        e.PasJour = 1;
        astro::ChangeJour(e);
    } else if (v.HeureCalcul < 0) {
        v.HeureCalcul += 24;
        e.PasJour = -1;
        astro::ChangeJour(e);
    }
    DebutPeriode p;
    p.DateDeb = texteDate(e.DateCalcul).value_or(QString());
    p.TimeDeb = platform::FormatTime(v.HeureCalcul, 0, 0, QStringLiteral("hh:mm"));
    e.PasJour = 1;
    astro::ChangeJour(e);
    p.DateFin = texteDate(e.DateCalcul).value_or(QString());
    p.TimeFin = p.TimeDeb;
    return p;
}

} // namespace planner
