#include "Tracking/Descriptions.h"

#include "Tracking/Tracking.h"
#include "assets/Assets.h"
#include "platform/Text.h"

#include <cmath>

namespace descriptions {

namespace {

// "48.850 N" / "2.350 W": degrees with three decimals and the side.
QString coordonnee(double d, QChar positif, QChar negatif)
{
    return platform::Format(std::abs(d), QStringLiteral("##0.000")) + QLatin1Char(' ') + (d < 0 ? negatif : positif);
}

QString pointCiel(const char* nom, const suivi::Affichage::PointCiel& p)
{
    return QStringLiteral("the %1 at right ascension %2 h, declination %3")
        .arg(QLatin1String(nom), platform::Format(p.ascensionDroite / 15.0, QStringLiteral("#0.00")),
             platform::Format(p.declinaison, QStringLiteral("##0.0")) + QChar(0xB0));
}

} // namespace

QString textePeriode(const suivi::Suivi& s)
{
    const quint32 couleur = s.Aff.AffPeriodeCouleur;
    if (couleur != suivi::Rouge && couleur != suivi::Vert)
        return QStringLiteral("Period: waiting for the first start");
    const int P = suivi::secondesPeriode(s.DureePeriode);
    const int reste = P - suivi::positionPeriode(s.SecondesJourUTC, P, s.PeriodeTrafic).r;
    return QStringLiteral("Period: %1, %2 s left")
        .arg(couleur == suivi::Rouge ? QStringLiteral("mine") : QStringLiteral("the other station's"))
        .arg(reste);
}

QString textePhaseLune(int k)
{
    const QString nom = assets::nomPhaseLune(k);
    return nom.isEmpty() ? QString() : QStringLiteral("Moon phase: ") + nom;
}

QString texteCarteCiel(const suivi::Affichage& a, bool antenne)
{
    // The numbered sources drawn on the chart, as its key lists them, after
    // the markers shown.
    QString t = QStringLiteral("Radio-sky chart");
    if (a.MarqueursVisibles) {
        t += QStringLiteral(": ") + pointCiel("Moon", a.PointLune) + QStringLiteral("; ") +
             pointCiel("Sun", a.PointSoleil);
        if (antenne)
            t += QStringLiteral("; ") + pointCiel("antenna", a.PointAntenne);
    }
    return t + QStringLiteral("; ") + texteCleSources();
}

QString texteCleSources()
{
    QStringList numeros;
    for (int code = 2; code <= 8; ++code)
        numeros << QString::number(code - 1) + QLatin1Char(' ') + Tracking::nomSource(code);
    return QStringLiteral("Sources: ") + numeros.join(QStringLiteral(", "));
}

QString texteCarteMonde(const suivi::Suivi& s)
{
    QString t = QStringLiteral("World map, ") + s.Aff.CadreMap;
    if (!s.Aff.CadreMap.startsWith(QLatin1String("Calibration")))
        t += QStringLiteral(": the source is below the horizon on the hatched side of the line");
    if (!s.PointDXPlace)
        return t + QStringLiteral("; no DX point");
    t += QStringLiteral("; DX point ");
    const QLatin1String dxcc("DXCC : ");
    if (s.Aff.CadreDXCC.startsWith(dxcc))
        t += s.Aff.CadreDXCC.mid(dxcc.size()) + QLatin1Char(' ');
    return t + QStringLiteral("at ") + coordonnee(s.LatitudeDX, QLatin1Char('N'), QLatin1Char('S')) +
           QStringLiteral(", ") + coordonnee(s.LongitudeDX * 15, QLatin1Char('E'), QLatin1Char('W'));
}

} // namespace descriptions
