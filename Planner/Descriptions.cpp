#include "Planner/Descriptions.h"

#include "Planner/Calculs.h"
#include "assets/Assets.h"
#include "platform/Text.h"

namespace planner {

namespace {
// Degrees with one decimal and the degree sign.
QString enDegres(double d) { return platform::Format(d, QStringLiteral("##0.0")) + QChar(0xB0); }
} // namespace

QString TextePhaseLune(int k) {
    const QString nom = assets::nomPhaseLune(k);
    return nom.isEmpty() ? QString() : QStringLiteral("Moon phase: ") + nom;
}

QString TexteSourceTable(int phase, const QString& nomSource) {
    return phase >= 0 ? TextePhaseLune(phase) : QStringLiteral("Source: ") + nomSource;
}

QString TexteCarteCiel(float ascDroiteLune, float declinaisonLune, float ascDroiteSoleil, float declinaisonSoleil) {
    auto position = [](float a, float d) {
        return QStringLiteral(" at right ascension ") + platform::Format(a / 15.0, QStringLiteral("#0.00")) +
               QStringLiteral(" h, declination ") + enDegres(d);
    };
    // The numbered sources drawn on the chart, as its key lists them.
    return QStringLiteral("Radio-sky chart: the Moon") + position(ascDroiteLune, declinaisonLune) +
           QStringLiteral("; the Sun") + position(ascDroiteSoleil, declinaisonSoleil) + QStringLiteral("; ") +
           TexteCleSources();
}

QString TexteCleCouleurs() {
    // The colours and ranges of the chart's key picture, band by band.
    static const char* const bandes[8] = {
        "navy, below 13 K and below 180 K",       "blue, 13 to 18 K and 180 to 225 K",
        "azure, 18 to 23 K and 225 to 315 K",     "teal, 23 to 27 K and 315 to 360 K",
        "green, 27 to 35 K and 360 to 450 K",     "yellow-green, 35 to 55 K and 450 to 650 K",
        "amber, 55 to 90 K and 650 to 1000 K",    "red, above 90 K and above 1000 K",
    };
    QString t = QStringLiteral("Noise temperature bands, coolest first, at 432 MHz and at 144 MHz: ");
    for (int i = 0; i < 8; ++i)
        t += QString::fromLatin1(bandes[i]) + (i < 7 ? QStringLiteral("; ") : QString());
    return t;
}

QString TexteCleSources() {
    QString t = QStringLiteral("Sources:");
    for (int16_t code = 2; code <= 8; ++code)
        t += QLatin1Char(' ') + QString::number(code - 1) + QLatin1Char(' ') +
             QString::fromLatin1(Sources[indexSource(code)].nom) + (code < 8 ? QStringLiteral(",") : QString());
    return t;
}

QString TexteCarteMonde(const Carte& carte, const PointDX& dx) {
    QString t = QStringLiteral("World map");
    if (carte.calculee)
        t += QStringLiteral(", ") + carte.NomSource + QStringLiteral(" common window on ") + carte.date +
             QStringLiteral(" at ") + carte.heure +
             QStringLiteral(" UTC: the source is below the horizon on the hatched side of the curve");
    if (!dx.place)
        return t + QStringLiteral("; no DX point");
    t += QStringLiteral("; DX point ");
    if (!dx.prefixe.isEmpty())
        t += dx.prefixe + QLatin1Char(' ') + dx.pays + QLatin1Char(' ');
    return t + QStringLiteral("at ") + TexteLatitude(QString(), dx.latitude) + QStringLiteral(", ") +
           TexteLongitude(QString(), dx.longitude);
}

} // namespace planner
