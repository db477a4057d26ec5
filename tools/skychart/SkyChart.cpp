#include "tools/skychart/SkyChart.h"

#include "assets/CouleursCiel.h"
#include "astro/Tables.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QVector>
#include <algorithm>
#include <cmath>

namespace skychart {

namespace {

constexpr double kDeg = 0.01745329252; // radians per degree

// Galactic frame B1950.0: north pole and the pole's galactic longitude of the
// celestial north pole (node 33 + 90 degrees).
constexpr double kPoleAlpha = 192.25;
constexpr double kPoleDelta = 27.4;
constexpr double kLongitudePoleNord = 123.0;

// Wraps degrees into -180..180.
double ecart(double degres)
{
    double d = std::fmod(degres, 360.0);
    if (d > 180.0)
        d -= 360.0;
    if (d < -180.0)
        d += 360.0;
    return d;
}

// Great-circle distance in degrees between two galactic points.
double distance(double l1, double b1, double l2, double b2)
{
    const double c = std::sin(b1 * kDeg) * std::sin(b2 * kDeg)
        + std::cos(b1 * kDeg) * std::cos(b2 * kDeg) * std::cos((l1 - l2) * kDeg);
    return std::acos(std::clamp(c, -1.0, 1.0)) / kDeg;
}

double gauss(double r, double sigma) { return std::exp(-(r * r) / (2.0 * sigma * sigma)); }

// Chart colours beside the eight bands.
constexpr QRgb kNoir = 0xFF000000;
constexpr QRgb kBlanc = 0xFFFFFFFF;
constexpr QRgb kGrille = 0xFFC0C0C0;
constexpr QRgb kFond = 0xFFFFFFFF;

QFont police(double pixels, bool gras = false, bool lisse = true)
{
    QFont f(QStringLiteral("DejaVu Sans Condensed"));
    f.setPixelSize(std::max(1, int(std::lround(pixels))));
    f.setBold(gras);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(lisse ? QFont::PreferAntialias : QFont::NoAntialias);
    return f;
}

// A numbered disc: the mark of a source on the chart and in its key.
void dessinePastille(QPainter& p, QPointF centre, double rayon, int numero, bool lisse)
{
    p.setPen(QPen(QColor(kNoir), std::max(1.0, rayon / 6.0)));
    p.setBrush(QColor(kBlanc));
    p.drawEllipse(centre, rayon, rayon);
    p.setFont(police(rayon * 1.55, true, lisse));
    const QRectF boite(centre.x() - rayon, centre.y() - rayon, 2 * rayon, 2 * rayon);
    p.drawText(boite, Qt::AlignCenter, QString::number(numero));
}

} // namespace

Galactique versGalactique(double ascensionDroite, double declinaison)
{
    const double d = declinaison * kDeg;
    const double h = (ascensionDroite - kPoleAlpha) * kDeg;
    const double dp = kPoleDelta * kDeg;
    const double sinB = std::sin(d) * std::sin(dp) + std::cos(d) * std::cos(dp) * std::cos(h);
    const double y = std::cos(d) * std::sin(h);
    const double x = std::sin(d) * std::cos(dp) - std::cos(d) * std::sin(dp) * std::cos(h);
    Galactique g;
    g.b = std::asin(std::clamp(sinB, -1.0, 1.0)) / kDeg;
    g.l = std::fmod(kLongitudePoleNord - std::atan2(y, x) / kDeg + 720.0, 360.0);
    return g;
}

double temperature432(double ascensionDroite, double declinaison)
{
    const Galactique g = versGalactique(ascensionDroite, declinaison);
    const double s = std::fabs(std::sin(g.b * kDeg));
    const double dl = ecart(g.l);
    const double absB = std::fabs(g.b);
    // Isotropic floor (cosmic background and distant halo), then a broad halo
    // growing towards the plane and towards the inner galaxy.
    double t = 11.0 + 6.0 * (1.0 - s) + 16.0 * (1.0 - s) * (1.0 - s) * (0.5 + 0.5 * std::cos(g.l * kDeg));
    // The galactic disc: a thin and a thick layer, brighter towards the centre.
    const double disque = 0.15 + 0.85 * gauss(dl, 25.0);
    t += disque * (45.0 * std::exp(-absB / 4.0) + 15.0 * std::exp(-absB / 15.0));
    // The galactic centre, the Cygnus region and the Cassiopeia arm.
    t += 180.0 * gauss(distance(g.l, g.b, 0.0, 0.0), 6.0);
    t += 60.0 * gauss(distance(g.l, g.b, 80.0, 1.0), 5.0);
    t += 20.0 * gauss(distance(g.l, g.b, 111.7, -2.1), 3.0);
    // The north polar spur: the rim of a large loop centred at l 329, b +17.5.
    if (g.b > -10.0)
        t += 8.0 * gauss(distance(g.l, g.b, 329.0, 17.5) - 58.0, 6.0);
    return t;
}

int bande432(double kelvins)
{
    static constexpr double limites[7] = {13, 18, 23, 27, 35, 55, 90};
    int bande = 0;
    while (bande < 7 && kelvins >= limites[bande])
        ++bande;
    return bande;
}

QPointF Geometrie::pointTwips(double ascensionDroite, double declinaison) const
{
    return {x0 + (x360 - x0) * ascensionDroite / 360.0, yNord + (ySud - yNord) * (90.0 - declinaison) / 180.0};
}

Geometrie geometriePlanner()
{
    // Marker top-left from the window's formulas plus half a 270-twip marker.
    return {QSize(5490, 4125), 5315.0 + 135.0, 5315.0 - 4890.0 + 135.0, -80.0 + 135.0, 3665.0 - 80.0 + 135.0};
}

Geometrie geometrieTracking()
{
    return {QSize(5760, 2760), 5640.0, 480.0, 35.0, 2370.0 + 35.0};
}

QImage dessineCarte(const Geometrie& g, int scale)
{
    const double pxParTwip = scale / 15.0;
    const QSize taille(int(std::lround(g.twips.width() * pxParTwip)), int(std::lround(g.twips.height() * pxParTwip)));
    QImage image(taille, QImage::Format_RGB32);
    image.fill(kFond);

    // Plot area in pixels.
    const QRectF zone(QPointF(g.x360, g.yNord) * pxParTwip, QPointF(g.x0, g.ySud) * pxParTwip);
    const int colonneMin = std::max(0, int(std::floor(zone.left())));
    const int colonneMax = std::min(taille.width(), int(std::ceil(zone.right())));
    const int ligneMin = std::max(0, int(std::floor(zone.top())));
    const int ligneMax = std::min(taille.height(), int(std::ceil(zone.bottom())));
    for (int y = ligneMin; y < ligneMax; ++y) {
        const double dec = 90.0 - ((y + 0.5) - zone.top()) / zone.height() * 180.0;
        if (dec > 90.0 || dec < -90.0)
            continue;
        QRgb* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = colonneMin; x < colonneMax; ++x) {
            const double ra = (zone.right() - (x + 0.5)) / zone.width() * 360.0;
            if (ra < 0.0 || ra > 360.0)
                continue;
            ligne[x] = assets::kCouleursBandesCiel[size_t(bande432(temperature432(ra, dec)))];
        }
    }

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    const auto point = [&](double ra, double dec) { return g.pointTwips(ra, dec) * pxParTwip; };

    // Grid: every 3 h of right ascension, every 30 degrees of declination.
    p.setPen(QPen(QColor(kGrille), scale));
    for (int h = 3; h < 24; h += 3)
        p.drawLine(point(h * 15.0, 90.0), point(h * 15.0, -90.0));
    for (int d = -60; d <= 60; d += 30)
        p.drawLine(point(0.0, d), point(360.0, d));
    p.setPen(QPen(QColor(kNoir), scale));
    p.setBrush(Qt::NoBrush);
    p.drawRect(zone.adjusted(0, 0, -1, -1));

    // Axis numbers and titles.
    const double corps = 9.0 * scale;
    p.setFont(police(corps, false, false));
    const QFontMetricsF fm(p.font());
    const double hauteurTexte = fm.height();
    for (int h = 0; h <= 24; h += 3) {
        const QPointF bas = point(h * 15.0, -90.0);
        const double largeur = fm.horizontalAdvance(QString::number(h));
        const double x = std::clamp(bas.x() - largeur / 2.0, 0.0, taille.width() - largeur);
        p.drawText(QRectF(x, bas.y() + 1.0 * scale, largeur + 1, hauteurTexte), Qt::AlignLeft | Qt::AlignTop,
                   QString::number(h));
    }
    const double margeGauche = zone.left();
    for (int d = -90; d <= 90; d += 30) {
        const QPointF gauche = point(360.0, d);
        const double y = std::clamp(gauche.y() - hauteurTexte / 2.0, 0.0, taille.height() - hauteurTexte);
        p.drawText(QRectF(0, y, margeGauche - 2.0 * scale, hauteurTexte), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(d));
    }
    const QString titreRA = QStringLiteral("Right Ascension (hours)");
    const double yTitre = zone.bottom() + 1.0 * scale + hauteurTexte;
    p.drawText(QRectF(zone.left(), yTitre, zone.width(), std::max(hauteurTexte, taille.height() - yTitre)),
               Qt::AlignHCenter | Qt::AlignTop, titreRA);
    p.save();
    p.translate(1.0 * scale, zone.center().y());
    p.rotate(-90.0);
    p.drawText(QRectF(-zone.height() / 2.0, 0, zone.height(), hauteurTexte), Qt::AlignCenter,
               QStringLiteral("Declination (degrees)"));
    p.restore();

    // Galactic poles: a cross and the name.
    const struct {
        double ra, dec;
        const char* nom;
    } poles[] = {{192.25, 27.4, "NGP"}, {12.25, -27.4, "SGP"}};
    p.setFont(police(corps, true, false));
    const QFontMetricsF fmGras(p.font());
    for (const auto& pole : poles) {
        const QPointF c = point(pole.ra, pole.dec);
        const double bras = 3.0 * scale;
        p.setPen(QPen(QColor(kBlanc), scale));
        p.drawLine(c - QPointF(bras, 0), c + QPointF(bras, 0));
        p.drawLine(c - QPointF(0, bras), c + QPointF(0, bras));
        const QString nom = QString::fromLatin1(pole.nom);
        const double largeur = fmGras.horizontalAdvance(nom) + 2;
        p.drawText(QRectF(c.x() - largeur / 2.0, c.y() + bras + 1.0 * scale, largeur, fmGras.height()),
                   Qt::AlignCenter, nom);
    }

    // Sources 1..7 (codes 2..8) as numbered discs centred on their positions.
    for (const auto& source : astro::PositionSourcesFixes)
        dessinePastille(p, point(source.AscensionDroite, source.Declinaison), 5.5 * scale, source.CodeSource - 1,
                        false);
    p.end();

    // Exactly the 16 colours of the palette: nothing above was antialiased.
    QVector<QRgb> palette;
    for (int i = 0; i < 8; ++i)
        palette.push_back(assets::kCouleursBandesCiel[size_t(i)]);
    for (QRgb c : {kNoir, kBlanc, kGrille, 0xFF808080u, 0xFF800000u, 0xFF008000u, 0xFF808000u, 0xFF800080u})
        palette.push_back(c);
    return image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither | Qt::AvoidDither);
}

QImage dessineSoleil(int scale)
{
    const int n = 18 * scale;
    QImage image(n, n, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(n / 2.0, n / 2.0);
    p.setPen(QPen(QColor(0xE0, 0x70, 0x00), 1.2 * scale, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const double a = i * 45.0 * kDeg;
        const QPointF u(std::cos(a), std::sin(a));
        p.drawLine(c + u * (6.3 * scale), c + u * (8.6 * scale));
    }
    p.setPen(QPen(QColor(0xE0, 0x70, 0x00), 1.0 * scale));
    p.setBrush(QColor(0xFF, 0xE0, 0x20));
    p.drawEllipse(c, 4.8 * scale, 4.8 * scale);
    return image;
}

QImage dessinePhaseLune(int k, int scale)
{
    const int n = 32 * scale;
    const double rayon = 14.5 * scale;
    const double elongation = k * 45.0;
    const double cosE = std::cos(elongation * kDeg);
    const bool croissante = elongation <= 180.0;
    // The unlit part and the rim are pure black: the printed reports copy
    // exactly the black pixels of an icon.
    const QColor eclaire(0xF4, 0xF0, 0xD8), sombre(0x00, 0x00, 0x00);
    QImage image(n, n, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    constexpr int sous = 4; // sub-samples per pixel side
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double r = 0, gv = 0, b = 0, couverture = 0;
            for (int sy = 0; sy < sous; ++sy) {
                for (int sx = 0; sx < sous; ++sx) {
                    const double u = x + (sx + 0.5) / sous - n / 2.0;
                    const double v = y + (sy + 0.5) / sous - n / 2.0;
                    if (u * u + v * v > rayon * rayon)
                        continue;
                    // The terminator at this row: waxing lights the right
                    // limb (x beyond cos E of the half-chord), waning the left.
                    const double demiCorde = std::sqrt(rayon * rayon - v * v);
                    const bool lumiere = croissante ? u >= demiCorde * cosE : -u >= demiCorde * cosE;
                    const QColor& c = lumiere ? eclaire : sombre;
                    r += c.red();
                    gv += c.green();
                    b += c.blue();
                    couverture += 1;
                }
            }
            if (couverture == 0)
                continue;
            const int total = sous * sous;
            image.setPixel(x, y, qRgba(int(r / couverture), int(gv / couverture), int(b / couverture),
                                       int(255.0 * couverture / total + 0.5)));
        }
    }
    // A thin rim outlines the lit part too, on screen and on paper; drawn
    // without smoothing so that its pixels stay pure black.
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(0x00, 0x00, 0x00), 1.0 * scale));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(n / 2.0, n / 2.0), rayon - 0.4 * scale, rayon - 0.4 * scale);
    return image;
}

QImage dessineCleCouleurs(int scale)
{
    static const char* const plages432[8] = {"< 13 K",     "13 to 18 K", "18 to 23 K", "23 to 27 K",
                                              "27 to 35 K", "35 to 55 K", "55 to 90 K", "> 90 K"};
    static const char* const plages144[8] = {"< 180 K",      "180 to 225 K", "225 to 315 K", "315 to 360 K",
                                              "360 to 450 K", "450 to 650 K", "650 to 1000 K", "> 1000 K"};
    const QSize taille(152 * scale, 171 * scale);
    QImage image(taille, QImage::Format_RGB32);
    image.fill(kFond);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const double s = scale;
    const double hauteurLigne = 18.5 * s;
    // The two columns of ranges share the width after the swatches: the gap
    // between them equals the margin after the 144 MHz column, whose widest
    // range ("650 to 1000 K") stands clear of the right edge whatever the
    // face's widths.
    const QFontMetricsF mesure(police(9.5 * s));
    double large432 = 0, large144 = 0;
    for (int i = 0; i < 8; ++i) {
        large432 = std::max(large432, mesure.horizontalAdvance(QString::fromLatin1(plages432[i])));
        large144 = std::max(large144, mesure.horizontalAdvance(QString::fromLatin1(plages144[i])));
    }
    const double xCol1 = 25 * s, xCol2 = (xCol1 + large432 + taille.width() - large144) / 2;
    p.setPen(QColor(kNoir));
    p.setFont(police(9.5 * s, true));
    p.drawText(QRectF(xCol1, 2 * s, xCol2 - xCol1, 14 * s), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("432 MHz"));
    p.drawText(QRectF(xCol2, 2 * s, taille.width() - xCol2, 14 * s), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("144 MHz"));
    p.setFont(police(9.5 * s));
    for (int i = 0; i < 8; ++i) {
        const double y = 20 * s + i * hauteurLigne;
        p.setPen(QPen(QColor(kNoir), s));
        p.setBrush(QColor(assets::kCouleursBandesCiel[size_t(i)]));
        p.drawRect(QRectF(3.5 * s, y + 2.5 * s, 17 * s, hauteurLigne - 5 * s));
        const QRectF texte1(xCol1, y, xCol2 - xCol1, hauteurLigne);
        const QRectF texte2(xCol2, y, taille.width() - xCol2, hauteurLigne);
        p.drawText(texte1, Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(plages432[i]));
        p.drawText(texte2, Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(plages144[i]));
    }
    return image;
}

QImage dessineCleSources(int scale)
{
    const QSize taille(103 * scale, 152 * scale);
    QImage image(taille, QImage::Format_RGB32);
    image.fill(kFond);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const double s = scale;
    p.setPen(QColor(kNoir));
    p.setFont(police(11 * s, true));
    p.drawText(QRectF(0, 2 * s, taille.width(), 16 * s), Qt::AlignCenter, QStringLiteral("Sources"));
    const double hauteurLigne = 18.5 * s;
    for (const auto& source : astro::PositionSourcesFixes) {
        const int i = source.CodeSource - 2;
        const double y = 21 * s + i * hauteurLigne;
        dessinePastille(p, QPointF(10 * s, y + hauteurLigne / 2.0), 6.5 * s, i + 1, true);
        p.setPen(QColor(kNoir));
        p.setFont(police(10 * s));
        p.drawText(QRectF(20 * s, y, taille.width() - 20 * s, hauteurLigne), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromLatin1(source.NomSource));
    }
    return image;
}

QImage dessineBoutonInfo(int scale)
{
    const int n = 32 * scale;
    QImage image(n, n, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QPointF c(n / 2.0, n / 2.0);
    p.setPen(QPen(QColor(0x10, 0x30, 0x80), 1.5 * scale));
    p.setBrush(QColor(0x30, 0x60, 0xC8));
    p.drawEllipse(c, 14.0 * scale, 14.0 * scale);
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(22 * scale);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, n, n), Qt::AlignCenter, QStringLiteral("i"));
    return image;
}

} // namespace skychart
