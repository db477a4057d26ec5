#include "Planner/Calculs.h"

#include "Planner/Dates.h"
#include "Planner/Station.h"
#include "platform/Text.h"

#include <cmath>
#include <optional>

namespace planner {

namespace {

// The patterns of the tables' cells, each read once.
const platform::DateFormat& heureMinute() {
    static const platform::DateFormat f(QStringLiteral("hh:mm"));
    return f;
}
const platform::NumberFormat& angles() {
    static const platform::NumberFormat f(QStringLiteral("##0.00"));
    return f;
}

QString hhmm(int32_t h, int32_t m) {
    QString s;
    heureMinute().appendTime(s, h, m, 0);
    return s;
}

QString angle(double x) { return angles()(static_cast<float>(x)); }

float degres(double rad) { return static_cast<float>(astro::RadVersDeg(rad)); }

double enRad(double deg) { return astro::DegVersRad(deg); }

const QString Tirets = QStringLiteral("------");

int heureLocale(const VariablesPlanner& v) {
    int h = v.HeureCalcul + v.DecHor;
    if (h > 23)
        h -= 24;
    if (h < 0)
        h += 24;
    return h;
}

// A table row at the current step, its times set.
LigneTable ligneAuPas(const VariablesPlanner& v, int local) {
    LigneTable l;
    l.vide = false;
    l.heure = int16_t(v.HeureCalcul);
    l.heureLocale = int16_t(local);
    l.minute = int16_t(v.MinuteCalcul);
    return l;
}

void observateurHome(VariablesPlanner& v) {
    v.Astro.LatitudeObservateur = v.LatitudeStation;
    v.Astro.LongitudeObservateur = v.LongitudeStationHeures;
    astro::CalculTempsSideral(v.Astro);
}

void observateurDX(VariablesPlanner& v) {
    v.Astro.LatitudeObservateur = v.LatitudeDX;
    v.Astro.LongitudeObservateur = v.LongitudeDXHeures;
    astro::CalculTempsSideral(v.Astro);
}

// Steps the computation clock by Step minutes. True when a new UTC day begins
// (HeureCalcul has been brought back into 0..23).
bool avance(VariablesPlanner& v) {
    int32_t h = v.Step / 60;
    v.MinuteCalcul += v.Step - 60 * h;
    if (v.MinuteCalcul > 59) {
        v.MinuteCalcul -= 60;
        h += 1;
    }
    v.HeureCalcul += h;
    if (v.HeureCalcul > 23) {
        v.HeureCalcul -= 24;
        return true;
    }
    return false;
}

void fixeFraction(VariablesPlanner& v) {
    v.SecondesJour = v.MinuteCalcul * 60.0 + v.HeureCalcul * 3600.0;
    v.Astro.FractionJour = v.SecondesJour / 86400;
    v.Astro.HeureUT = v.SecondesJour / 3600;
}

// The day change shared by both tables. `index` is the window index of the day.
void nouveauJour(VariablesPlanner& v, SortieTable& s, int16_t& index, int& r, bool& separateur) {
    if (r == 0) {
        s.nonVisible(texteNonVisible(v));
    } else {
        s.finJour(index);
        index += 1;
    }
    v.HeureDebutTable = hhmm(v.HeureCalcul, v.MinuteCalcul);
    v.HeureFinTable.clear();
    v.Astro.PasJour = 1;
    astro::ChangeJour(v.Astro);
    r = 0;
    separateur = false;
}

void finPeriode(VariablesPlanner& v, SortieTable& s, int16_t& index, int r) {
    if (r == 0) {
        if (!v.HeureFinTable.isEmpty())
            s.nonVisible(texteNonVisible(v));
        if (index >= 1) {
            s.fermeFenetre(index);
            index -= 1;
        }
    } else {
        s.finJour(index);
    }
}

// The stepping both tables share: from the current instant to DateJulienneFin
// by Step minutes, with the home station as observer at each step. Where
// `ligne(local, premiere)` gives the step's row (local: the local hour;
// premiere: no row yet this day) it is the day's next row; a step it
// declines (std::nullopt: the source is not visible) leaves one empty row
// after the last row of a run. Each new UTC day goes to the next window
// `index`. Before a day is handed over (or found without rows),
// HeureFinTable is given its latest step's time and `finDesLignes()` writes
// what else the day's latest row leaves: texts made once a day, not at each
// step.
template <class Ligne, class FinDesLignes>
void parcourtPeriode(VariablesPlanner& v, SortieTable& s, int16_t& index, Ligne ligne, FinDesLignes finDesLignes) {
    int r = 0;
    bool separateur = false;
    int heureFin = -1, minuteFin = 0; // the latest step's time (none yet this day: -1)
    auto finDuJour = [&] {
        if (heureFin >= 0) {
            v.HeureFinTable.resize(0);
            heureMinute().appendTime(v.HeureFinTable, heureFin, minuteFin, 0);
        }
        finDesLignes();
    };
    for (;;) {
        if (!s.cede())
            break;
        const int local = heureLocale(v);
        observateurHome(v);
        if (v.Astro.DateJulienne > v.DateJulienneFin) {
            finDuJour();
            finPeriode(v, s, index, r);
            break;
        }
        if (const std::optional<LigneTable> cellules = ligne(local, r == 0)) {
            r += 1;
            s.ecritLigne(index, r, *cellules);
        } else if (r >= 1 && !separateur) {
            r += 1;
            s.ligneVide(index, r);
            separateur = true;
        }
        heureFin = v.HeureCalcul;
        minuteFin = v.MinuteCalcul;
        if (avance(v)) {
            finDuJour();
            nouveauJour(v, s, index, r, separateur);
            heureFin = -1; // HeureFinTable is empty again
        }
        fixeFraction(v);
    }
}

// The sky temperature at right ascension a (degrees) before the band factor.
float tempInterpolee(const std::array<int16_t, 50>& t, float a, float& x) {
    x = a / 15 * 2;
    int k = static_cast<int>(std::floor(x));
    if (k < 0)
        k = 0;
    if (k > 48)
        k = 48;
    return (x - k) * float(t[size_t(k + 1)] - t[size_t(k)]) + float(t[size_t(k)]);
}

} // namespace

QString LigneTable::texte() const {
    if (vide)
        return QString();
    static const platform::NumberFormat hertz(QStringLiteral("####0")), degres(QStringLiteral("##0.0"));
    QString t;
    t.reserve(80);
    heureMinute().appendTime(t, heure, minute, 0);
    t += QChar(9);
    heureMinute().appendTime(t, heureLocale, minute, 0);
    for (size_t i = 0; i < cellules.size(); ++i) {
        t += QChar(9);
        switch (cellules[i]) {
        case Cellule::Angle: angles().appendTo(t, valeurs[i]); break;
        case Cellule::Entier: t += platform::CStr(entier); break;
        case Cellule::Hertz: hertz.appendTo(t, valeurs[i]); break;
        case Cellule::Degres: degres.appendTo(t, valeurs[i]); break;
        case Cellule::Tirets: t += Tirets; break;
        }
    }
    return t;
}

QString texteNonVisible(const VariablesPlanner& v) {
    return QStringLiteral("The ") + v.NomSource + QStringLiteral(" is not visible on") + QChar(13) +
           QString::fromStdString(v.Astro.NomJourSemaine) + QLatin1Char(' ') +
           texteDate(v.Astro.DateCalcul).value_or(QString()) + QStringLiteral(" from ") + v.HeureDebutTable +
           QStringLiteral(" to ") + v.HeureFinTable + QStringLiteral(" UTC");
}

void CalculPrevision(VariablesPlanner& v, SortieTable& s) {
    auto& e = v.Astro;
    // A step that does not move the clock would never reach the end.
    if (!pasValide(v.Step))
        return;
    v.HeureDebutTable = hhmm(v.HeureCalcul, v.MinuteCalcul);
    const platform::NumberFormat perte(QStringLiteral("0.0"));
    std::optional<float> perteFin; // the extra loss of the latest row; TextePerte is its text
    using C = LigneTable::Cellule;
    const auto textePerte = [&] {
        if (perteFin) {
            v.TextePerte.resize(0);
            perte.appendTo(v.TextePerte, *perteFin);
        }
    };
    parcourtPeriode(v, s, v.IndexPrevision, [&](int local, bool premiere) -> std::optional<LigneTable> {
        astro::CalculPositionSource(e, 0);
        const double elev = e.ElevationSource, azim = e.AzimutSource;
        if (!(elev >= 0 || v.MoonVisible == Faux))
            return std::nullopt;
        if (premiere) {
            v.AscDroiteDebut = degres(e.AscensionDroite);
            v.DeclinaisonDebut = degres(e.Declinaison);
        }
        perteFin = e.PerteSupplementaire;
        v.DeclinaisonFin = degres(e.Declinaison);
        v.AscDroiteFin = degres(e.AscensionDroite);
        LigneTable l = ligneAuPas(v, local);
        l.entier = e.DopplerSource;
        astro::CalculPositionSource(e, 1);
        const double azimSol = e.AzimutSource, elevSol = e.ElevationSource;
        v.AscDroiteSoleil = degres(e.AscensionDroite);
        astro::CalculPositionSource(e, 8);
        l.cellules = {C::Angle, C::Angle, elev >= 0 ? C::Entier : C::Tirets, C::Angle, C::Angle, C::Angle, C::Angle};
        l.valeurs = {float(azim), float(elev), 0, float(azimSol), float(elevSol), float(e.AzimutSource),
                     float(e.ElevationSource)};
        return l;
    }, textePerte);
}

float AnglePolar(double phi, float a, float e) {
    const double num = std::sin(phi) * std::cos(double(e)) - std::cos(double(a)) * std::cos(phi) * std::sin(double(e));
    const double den = std::sin(double(a)) * std::cos(phi);
    // An azimuth of exactly 0 or 180 degrees: the plane is vertical.
    if (den == 0)
        return num < 0 ? -90.0f : 90.0f;
    return static_cast<float>(std::atan(num / den) * 57.29577951);
}

float DecalagePolar(float ph, float pd) {
    float d = ph - pd;
    if (d > 90)
        d -= 180;
    if (d < -90)
        d += 180;
    return d;
}

void CalculPrevisionCommune(VariablesPlanner& v, SortieTable& s) {
    auto& e = v.Astro;
    if (!pasValide(v.Step))
        return;
    v.HeureDebutTable = hhmm(v.HeureCalcul, v.MinuteCalcul);
    v.HeureFinTable.clear();
    astro::CalculJourJulien(e);
    using C = LigneTable::Cellule;
    parcourtPeriode(v, s, v.IndexComWin, [&](int local, bool premiere) -> std::optional<LigneTable> {
        astro::CalculPositionSource(e, v.CodeSource);
        const bool homeVoit = e.ElevationSource >= 0;
        const int32_t dopplerHome = e.DopplerSource;
        const double azimH = e.AzimutSource, elevH = e.ElevationSource;
        const double ra = e.AscensionDroite, decl = e.Declinaison;
        const float dh = e.FacteurDopplerRotation * float(v.Freq) / 2;
        const float ph = AnglePolar(enRad(e.LatitudeObservateur), float(enRad(azimH)),
                                    float(enRad(elevH)));
        observateurDX(v);
        astro::CalculAzElTopocentrique(e);
        const double azimD = e.AzimutSource, elevD = e.ElevationSource;
        const float dd = e.FacteurDopplerRotation * float(v.Freq) / 2;
        const float pd = AnglePolar(enRad(e.LatitudeObservateur), float(enRad(azimD)),
                                    float(enRad(elevD)));
        if (!(elevD >= 0 && homeVoit))
            return std::nullopt;
        const bool lune = v.CodeSource == 0;
        LigneTable l = ligneAuPas(v, local);
        l.entier = dopplerHome;
        l.cellules = {C::Angle, C::Angle, lune ? C::Entier : C::Tirets, lune ? C::Hertz : C::Tirets,
                      lune ? C::Degres : C::Tirets, C::Angle, C::Angle};
        l.valeurs = {float(azimH), float(elevH), 0, static_cast<float>(dd + double(e.DopplerSource) - dh),
                     DecalagePolar(ph, pd), float(azimD), float(elevD)};
        if (premiere) {
            v.DeclinaisonDebut = degres(decl);
            v.AscDroiteDebut = degres(ra);
            v.TextePerte = v.CodeSource == 0 ? platform::Format(e.PerteSupplementaire, QStringLiteral("0.0"))
                                             : QStringLiteral("----");
        }
        v.DeclinaisonFin = degres(decl);
        v.AscDroiteFin = degres(ra);
        // The Sun of this row, for the day's sky temperature and phase
        // picture (the source's values above are already taken).
        astro::CalculPositionSource(e, 1);
        v.AscDroiteSoleil = degres(e.AscensionDroite);
        return l;
    }, [] {}); // its TextePerte is the first row's, written there
}

double ChoixColonne(float et, float eb, double declinaison, const std::function<double(int16_t)>& elevation) {
    const bool nord = declinaison >= 0;
    if (et < 0 && eb < 0)
        return nord ? 0 : 2770;
    if (et > 0 && eb > 0)
        return nord ? 2770 : 0;
    int lo = 0, hi = 2770;
    for (;;) {
        const int16_t mid = astro::CIntAstro(lo + (hi - lo) / 2.0);
        const double el = elevation(mid);
        if ((-0.25 < el && el < 0.25) || mid - lo < 10 || hi - mid < 10)
            return mid;
        if (et < eb) {
            if (el > 0)
                hi = mid;
            else
                lo = mid;
        } else if (et > eb) {
            if (el <= 0)
                hi = mid;
            else
                lo = mid;
        } else {
            // Both edges at the same elevation (both exactly 0): no rule moves
            // an end, so the first probe is the column's value.
            return mid;
        }
    }
}

double ColonneCourbe(VariablesPlanner& v, int16_t x) {
    auto& e = v.Astro;
    e.LongitudeObservateur = astro::CarteXVersLongitude(x);
    v.YCarte = 0;
    e.LatitudeObservateur = astro::CarteYVersLatitude(v.YCarte);
    astro::CalculTempsSideral(e);
    astro::CalculAzElTopocentrique(e);
    const float et = static_cast<float>(e.ElevationSource);
    v.YCarte = 2770;
    e.LatitudeObservateur = astro::CarteYVersLatitude(v.YCarte);
    astro::CalculAzElTopocentrique(e);
    const float eb = static_cast<float>(e.ElevationSource);
    return ChoixColonne(et, eb, v.DeclinaisonCourbe, [&](int16_t y) {
        v.YCarte = y;
        e.LatitudeObservateur = astro::CarteYVersLatitude(v.YCarte);
        astro::CalculAzElTopocentrique(e);
        return e.ElevationSource;
    });
}

void CalculCourbe(VariablesPlanner& v, const std::function<bool()>& cede) {
    auto& e = v.Astro;
    astro::CalculPositionSource(e, v.CodeSource);
    v.DeclinaisonCourbe = e.Declinaison;
    v.ColonneCarte = -1;
    for (;;) {
        if (!cede())
            break;
        v.ColonneCarte += 1;
        v.XCarte = int16_t(v.ColonneCarte * 80);
        if (v.XCarte > 5680) {
            v.ColonneCarte = 0;
            v.XCarte = 0;
            break;
        }
        v.CourbeFenetreCommune[size_t(v.ColonneCarte)] = ColonneCourbe(v, v.XCarte);
    }
}

void FixePointDX(VariablesPlanner& v, int16_t x, int16_t y, double latitude, double longitude, const QString& prefixe,
                 const QString& pays) {
    v.XPointDX = x;
    v.YPointDX = y;
    v.LatitudeDX = latitude;
    v.LongitudeDX = longitude;
    v.LongitudeDXHeures = longitude / 15;
    v.PrefixeDX = prefixe;
    v.PaysDX = pays;
}

void FixePointDX(VariablesPlanner& v, int16_t x, int16_t y) {
    v.XPointDX = x;
    v.YPointDX = y;
    v.LatitudeDX = astro::CarteYVersLatitude(y);
    v.LongitudeDXHeures = astro::CarteXVersLongitude(x);
    v.LongitudeDX = v.LongitudeDXHeures * 15;
    v.PrefixeDX.clear();
    v.PaysDX.clear();
}

void OtePointDX(VariablesPlanner& v) {
    v.XPointDX = 0;
    v.YPointDX = 0;
    v.PrefixeDX.clear();
    v.PaysDX.clear();
}

std::pair<int16_t, int16_t> PointClic(double x, double y) {
    auto dans = [](double z, int haut) {
        if (!(z >= 1)) // below 1, or not a number
            return int16_t(1);
        if (z > haut)
            return int16_t(haut);
        return int16_t(std::nearbyint(z));
    };
    return {dans(x, 5670), dans(y, 2770)};
}

VariablesPlanner AInstant(const VariablesPlanner& v, const QString& date, const QString& time) {
    VariablesPlanner w = v;
    fixeInstant(w, date, time);
    observateurHome(w);
    return w;
}

ResultatDX CalculPointDX(VariablesPlanner v) {
    auto& e = v.Astro;
    ResultatDX r;
    observateurHome(v);
    astro::CalculPositionSource(e, v.CodeSource);
    const bool homeVoit = e.ElevationSource >= 0;
    const float dh = e.FacteurDopplerRotation * float(v.Freq) / 2;
    const double azimH = e.AzimutSource, elevH = e.ElevationSource;
    astro::CalculPerteDoppler(e);
    double phiH = e.LatitudeObservateur;
    phiH = enRad(phiH);
    double lamH = e.LongitudeObservateur * 15;
    lamH = enRad(lamH);
    const float ph = AnglePolar(phiH, float(enRad(azimH)), float(enRad(elevH)));
    observateurDX(v);
    astro::CalculAzElTopocentrique(e);
    r.AffAzimDX = angle(e.AzimutSource);
    r.AffElevDX = angle(e.ElevationSource);
    const float dd = e.FacteurDopplerRotation * float(v.Freq) / 2;
    double phiD = e.LatitudeObservateur;
    phiD = enRad(phiD);
    double lamD = e.LongitudeObservateur * 15;
    lamD = enRad(lamD);
    const float pd = AnglePolar(phiD, float(enRad(e.AzimutSource)),
                                float(enRad(e.ElevationSource)));
    if (!(e.ElevationSource < 0 || !homeVoit || v.CodeSource != 0)) {
        r.AffDopplerDX = platform::Format(static_cast<float>(dd + double(e.DopplerSource) - dh), QStringLiteral("####0"));
        r.AffPolarDX = platform::Format(DecalagePolar(ph, pd), QStringLiteral("##0.0"));
    }
    double c = std::cos(phiH) * std::cos(phiD) * std::cos(lamD - lamH) + std::sin(phiH) * std::sin(phiD);
    r.AffDistance = platform::Format(6368 * astro::ArcCos(c), QStringLiteral("####0"));
    return r;
}

QString LigneTempCiel(int32_t freq, float a1, float a2, float aSoleil) {
    const bool bas = freq < 400;
    const auto& table = bas ? astro::TableTempCiel144 : astro::TableTempCiel432;
    const double facteur = bas ? 0.9 : 0.88;
    auto figure = [&](float a) {
        float d = a - aSoleil;
        if (d < 0)
            d += 360;
        if (d < 6.5f || d > 353.5f)
            return QStringLiteral("Sun");
        float x;
        const float t = tempInterpolee(table, a, x);
        return platform::CStr(static_cast<long long>(std::floor(double(t) * facteur)));
    };
    return (bas ? QStringLiteral("144 MHz sky temp. :") : QStringLiteral("432 MHz sky temp. :")) + QLatin1Char(' ') +
           figure(a1) + QStringLiteral(" to ") + figure(a2) + QStringLiteral(" °K");
}

int SecteurPhase(double d) {
    if (d >= 337.5 || d < 22.5)
        return 0;
    return static_cast<int>(std::floor((d + 22.5) / 45));
}

int PhaseJour(float a1, float a2, float aSoleil) {
    if (a2 < a1)
        a2 += 360;
    float m = (a1 + a2) / 2;
    if (m > 360)
        m -= 360;
    float d = m - aSoleil;
    if (d < 0)
        d += 360;
    return SecteurPhase(d);
}

QString TexteLatitude(const QString& etiquette, double lat) {
    return etiquette + platform::Format(std::fabs(lat), QStringLiteral("##0.000")) +
           (lat >= 0 ? QStringLiteral(" N") : QStringLiteral(" S"));
}

QString TexteLongitude(const QString& etiquette, double lon) {
    return etiquette + platform::Format(std::fabs(lon), QStringLiteral("##0.000")) +
           (lon >= 0 ? QStringLiteral(" E") : QStringLiteral(" W"));
}

QString TexteFrequence(int32_t freq) { return QStringLiteral("Frequency : ") + platform::Str(freq) + QStringLiteral(" MHz"); }

int PlaceFenetre(int i, int pas, int base, int ecran, int marge) {
    int p = i * pas + base;
    if (p > ecran - marge)
        p = ecran - marge;
    return p;
}

int BaseCascade(int base, int taille, int ecran) { return base + taille > ecran ? 0 : base; }

Ciel CalculCiel(VariablesPlanner v) {
    auto& e = v.Astro;
    Ciel c;
    const float kx = 4890.0f / 360.0f, ky = 3665.0f / 180.0f;
    astro::CalculPositionSource(e, 1);
    const float as = degres(e.AscensionDroite);
    c.SolLeft = 5315 - kx * as;
    const float ds = degres(e.Declinaison);
    c.SolTop = (90 - ds) * ky - 80;
    astro::CalculPositionSource(e, 0);
    const float am = degres(e.AscensionDroite);
    c.LuneLeft = 5315 - kx * am;
    c.LuneTop = (90 - degres(e.Declinaison)) * ky - 80;
    c.AscDroiteSoleil = as;
    c.DeclinaisonSoleil = ds;
    c.AscDroiteLune = am;
    c.DeclinaisonLune = degres(e.Declinaison);
    c.AffHA = platform::Format(double(degres(e.AngleHoraireTopo)), QStringLiteral("##0.00°"));
    c.AffDecl = platform::Format(double(degres(e.DeclinaisonTopo)), QStringLiteral("##0.00°"));
    c.AffExtraLoss = platform::Format(e.PerteSupplementaire, QStringLiteral("#0.00 dB"));
    float d = am - as;
    if (d < 0)
        d += 360;
    const bool bas = v.Freq < 400;
    c.EtiqTemp = bas ? QStringLiteral("144 MHz Sky temp.") : QStringLiteral("432 MHz Sky temp.");
    float x;
    const float t = tempInterpolee(bas ? astro::TableTempCiel144 : astro::TableTempCiel432, am, x);
    const int16_t temp = astro::CIntAstro(double(t) * (bas ? 0.9 : 0.88));
    c.AffTemp = (d >= 6.5f && d <= 353.5f) ? platform::Str(temp) + QStringLiteral(" °K") : QStringLiteral("'Sun'");
    c.Phase = SecteurPhase(d);
    return c;
}

} // namespace planner
