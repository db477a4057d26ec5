#include "Tracking/Suivi.h"

#include "platform/Text.h"

#include <QDate>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace suivi {

using platform::Format;

namespace {
constexpr double DeuxPi = 6.283185308;
constexpr float KxCiel = 5160.0f / 360.0f; // twips per degree of right ascension
constexpr float KyCiel = 2370.0f / 180.0f; // twips per degree of declination

void enrouleDeuxPi(double& a)
{
    if (a > DeuxPi)
        a -= DeuxPi;
    if (a < 0)
        a += DeuxPi;
}
} // namespace

PositionPeriode positionPeriode(int32_t secondesJour, int P, int periodeTrafic)
{
    int32_t n = secondesJour;
    if (n >= 30000)
        n -= 30000 - 2 * P;
    if (n >= 30000)
        n -= 30000 - 2 * P;
    const int k = n / P;
    return {static_cast<int>(n % P), k, (k % 2) == periodeTrafic};
}

int secondesPeriode(int dureePeriode)
{
    static constexpr int Durees[3] = {60, 120, 150};
    return Durees[std::clamp(dureePeriode, 0, 2)];
}

int temperatureCiel(double raLuneDeg, int32_t freq)
{
    const float h = static_cast<float>(raLuneDeg / 15 * 2);
    int i = static_cast<int>(std::floor(h));
    // Right ascension in [0, 360): i is 0..47, so i + 1 is at most 48.
    if (i < 0)
        i = 0;
    if (i > 48)
        i = 48;
    const bool bande144 = freq < 400;
    const auto& T = bande144 ? astro::TableTempCiel144 : astro::TableTempCiel432;
    const float t = T[i] + (T[i + 1] - T[i]) * (h - i);
    const double facteur = bande144 ? 136.0 / freq : 400.0 / freq;
    // In 32 bits: below 47 MHz the scaled temperature passes 32767 K (at
    // 1 MHz, the hottest entry gives about 70 million).
    return platform::CLng(facteur * facteur * t);
}

QString texteTemperature(float elongation, int temperature)
{
    if (elongation < 6.5f || elongation > 353.5f)
        return QStringLiteral("'Sun'");
    if (temperature >= 10)
        return platform::Str(temperature) + QStringLiteral(" °K");
    return QStringLiteral("<10°K");
}

int secteurPhase(float elongation)
{
    if (elongation < 22.5f || elongation >= 337.5f)
        return 0;
    return static_cast<int>(std::floor((elongation + 22.5f) / 45));
}

int xHorizonCiel(int i) { return static_cast<int>(platform::Fix(5640 - (5160.0 / 72) * i)); }

double anglePolarisation(double phi, double A, double E)
{
    const double f = phi * 0.01745329252, a = A * 0.01745329252, e = E * 0.01745329252;
    const double den = std::sin(a) * std::cos(f);
    const double num = std::sin(f) * std::cos(e) - std::cos(a) * std::cos(f) * std::sin(e);
    if (den == 0)
        return num >= 0 ? 90.0 : -90.0;
    return std::atan(num / den) * 57.29577951;
}

Suivi::Suivi(platform::Dialogs& dialogs, platform::Clock& clock, Vue& vue)
    : Pilotage(Station, Correction),
      dialogues_(
          dialogs, [this] { tientPourBoite(); }, [this] { relachePourBoite(); }),
      clock_(clock), vue_(vue)
{
    Astro.variante = astro::Variante::Tracking;
    Astro.ApresChangeJour = [this] { CalculJourJulienAffichage(); };
    tientPourBoite = [this] { Pilotage.pause(); };
    relachePourBoite = [this] { Pilotage.relache(); };
    Pilotage.surAvis = [this](const Avis& a) { montreAvis(a); };
}

void Suivi::setLiaison(Liaison& l) { Pilotage.setLiaison(l); }

bool Suivi::Initialise(const StationTrack& station, const Corrections& corrections)
{
    InitialiseEtat(station, corrections);
    return InitialiseDate();
}

void Suivi::InitialiseEtat(const StationTrack& station, const Corrections& corrections)
{
    Station = station;
    Correction = corrections;
    Astro.Altitude = Station.Altitude;
    Astro.Freq = Station.Freq;
    CodeSource = 0;
    NomSource = QStringLiteral("Moon");
    PeriodeTrafic = 0;
    DureePeriode = Station.Freq <= 400 ? 1 : 2;
    OffsetNiveau = 0;
    Aff = Affichage{};
    Aff.AffOffset = Format(OffsetNiveau, "#0.0");
    // A new station load starts with no DX point: its mark goes with the map.
    PrefixeDX.clear();
    CarteXDX = CarteYDX = 0;
    PointDXPlace = false;
    vue_.effaceCarte();
    vue_.effaceCarteCiel();
    HorizonCielComplet = AlternanceIcone = false;
    PointHorizonCiel = 0;
    AscDroiteHorizon = 0;
    BoucleActive = true;
    RecalculLune = RecalculSoleil = true;
    ColonneHorizon = -1;
    HorizonComplet = false;
    PremierCycleFait = false;
    PortOuvert = false;
    MemoPeriode = {};
    InstantPeriodePrecedent = -1;
    const bool nord = Station.ButeeG > Station.ButeeD;
    if (nord)
        Station.ButeeD = static_cast<int16_t>(Station.ButeeD + 360);
    Pilotage.reinitialise(nord);
    Vu = Pilotage.etatCourant();
    Aff.CadreTraffic = Aff.CadreMap = Aff.CadreSkyMap = QStringLiteral("Calibration");
}

bool Suivi::InitialiseDate()
{
    const QDateTime t = clock_.now();
    if (!poseDatePC(Astro, t.date(), &dialogues_))
        return false;
    HeureUTC = t.time().hour() - Station.DecHor;
    if (HeureUTC > 23) {
        HeureUTC -= 24;
        Astro.PasJour = 1;
        astro::ChangeJour(Astro);
    }
    if (HeureUTC < 0) {
        HeureUTC += 24;
        Astro.PasJour = -1;
        astro::ChangeJour(Astro);
    }
    // First display of the date, the frequency and the source.
    CalculJourJulienAffichage();
    Aff.AffFrequence = platform::CStr(Station.Freq);
    Aff.CadreSource = NomSource;
    return true;
}

bool Suivi::poseDatePC(astro::EtatAstro& e, const QDate& d, platform::Dialogs* dialogues)
{
    if (d.year() < 1999) {
        if (dialogues) {
            dialogues->beep();
            dialogues->message(QStringLiteral("Quit the Tracking program now !!!"), platform::Buttons::Ok,
                               platform::Icon::Critical, QStringLiteral(" - Computer Date ERROR -"));
        }
        return false;
    }
    e.DateCalcul = {static_cast<int16_t>(d.year()), static_cast<int16_t>(d.month()), static_cast<int16_t>(d.day()),
                    static_cast<int16_t>(d.dayOfWeek() % 7 + 1)};
    // February of the PC year, so that a run across New Year steps the
    // date by the right calendar.
    e.JoursParMois[2] = (d.year() % 4 == 0) ? 29 : 28;
    return true;
}

int32_t Suivi::poseHeureUTC(astro::EtatAstro& e, const QTime& t, int16_t decHor)
{
    int32_t heure = t.hour() - decHor;
    if (heure > 23) {
        heure -= 24;
        e.PasJour = 1;
    } else if (heure < 0) {
        heure += 24;
        e.PasJour = -1;
    } else {
        e.PasJour = 0;
    }
    astro::ChangeJour(e);
    const int32_t s = heure * 3600 + t.minute() * 60 + t.second();
    e.FractionJour = s / 86400.0;
    e.HeureUT = s / 3600.0;
    return s;
}

void Suivi::FinProgramme()
{
    if (ProgrammeTermine)
        return;
    ArretMoteursEtPort();
    ProgrammeTermine = true;
    BoucleActive = false;
    if (fin)
        fin();
}

void Suivi::ArretMoteursEtPort()
{
    Pilotage.arretMoteurs();
    if (PortOuvert) {
        Pilotage.fermer(); // the stop bytes leave, then both buffers are emptied
        PortOuvert = false;
    }
}

bool Suivi::HorlogeUTC()
{
    const QDateTime t = clock_.now(); // one sample: date and time together
    if (!poseDatePC(Astro, t.date(), &dialogues_)) {
        FinProgramme();
        return false;
    }
    // ChangeJour's hook (CalculJourJulienAffichage) gives the day number and
    // the date labels.
    const int32_t s = poseHeureUTC(Astro, t.time(), Station.DecHor);
    HeureUTC = s / 3600;
    MinuteUTC = t.time().minute();
    SecondeUTC = t.time().second();
    SecondesJourUTC = s;
    return true;
}

namespace {
// The day number of a calculation date as Tracking's date display gives it.
double jourJulienTrack(const astro::DateAstro& d)
{
    int y = d.year, m = d.month;
    if (m < 3) {
        m += 12;
        y -= 1;
    }
    const double A = platform::Int(y / 100.0);
    const double B = 2 - A + platform::Int(A / 4);
    return B + platform::Int(365.25 * y) - 694025 + platform::Int(30.6001 * (m + 1)) + d.day - 0.5;
}
} // namespace

void Suivi::CalculJourJulienAffichage()
{
    Astro.JourJulien = jourJulienTrack(Astro.DateCalcul);
    const QString jour = Format(Astro.DateCalcul.weekday, "dddd");
    if (Aff.AffUTCJour != jour)
        Aff.AffUTCJour = jour;
    const QString date = platform::Str(Astro.DateCalcul.day) + " " +
                         platform::FormatDate(QDate(Astro.DateCalcul.year, Astro.DateCalcul.month, 1), "mmm yyyy");
    if (Aff.AffUTCDate != date)
        Aff.AffUTCDate = date;
}

namespace {

// Tracking's fixed-rate precession of e's right ascension and declination
// from B1950.0 to its DateJulienne.
void precessionTrack(astro::EtatAstro& e)
{
    const double annees = (e.DateJulienne - 18262.423) / 365.2425;
    const double a = e.AscensionDroite, d = e.Declinaison;
    const double da = (3.07327 + 20.0426 * std::sin(a) * std::tan(d) / 15) * 7.27220467524603e-5 * annees;
    const double dd = 20.0426 * std::cos(a) * 4.848136995860841e-6 * annees;
    e.AscensionDroite += da;
    e.Declinaison += dd;
    // Near the pole the fixed rates run past it (tan d grows without bound):
    // a declination beyond +-90 degrees is reflected over the pole, onto the
    // meridian half a turn away, and the right ascension folded into
    // 0..2 pi whatever its size.
    constexpr double Pi = 3.141592653589793;
    if (e.Declinaison > Pi / 2 || e.Declinaison < -Pi / 2) {
        e.Declinaison = (e.Declinaison > 0 ? Pi : -Pi) - e.Declinaison;
        e.AscensionDroite += Pi;
    }
    if (e.AscensionDroite > DeuxPi)
        e.AscensionDroite -= DeuxPi;
    if (e.AscensionDroite < 0)
        e.AscensionDroite += DeuxPi;
    if (!(e.AscensionDroite >= 0 && e.AscensionDroite <= DeuxPi)) {
        e.AscensionDroite = std::fmod(e.AscensionDroite, DeuxPi);
        if (e.AscensionDroite < 0)
            e.AscensionDroite += DeuxPi;
        if (!std::isfinite(e.AscensionDroite))
            e.AscensionDroite = 0;
    }
}

// The source step on e for the observer and instant e holds: sidereal time,
// then the source's position. `serie` runs the Moon's or the Sun's full
// series; without it the right ascension and declination e holds are kept.
// (raAutre, decAutre): the typed source, B1950.0 degrees.
void positionSource(astro::EtatAstro& e, int code, bool serie, double raAutre, double decAutre)
{
    astro::CalculTempsSideral(e);
    if (code < 0 || code > 9)
        return;
    if (code == 0 && serie) {
        astro::CalculSerieLune(e);
        astro::CalculNutation(e);
        astro::EcliptiqueVersEquatorial(e);
        astro::CalculAzElTopocentrique(e);
        astro::CalculPerteDoppler(e);
        return;
    }
    if (code == 1 && serie) {
        astro::CalculSerieSoleil(e);
        e.LatitudeEcliptique = 0;
        astro::EcliptiqueVersEquatorial(e);
        astro::CalculAzElTopocentrique(e);
        return;
    }
    if (code <= 1) {
        astro::CalculAzElTopocentrique(e);
        return;
    }
    double ra, dec;
    if (code <= 8) {
        ra = astro::PositionSourcesFixes[code - 2].AscensionDroite;
        dec = astro::PositionSourcesFixes[code - 2].Declinaison;
    } else {
        ra = raAutre;
        dec = decAutre;
    }
    e.AscensionDroite = astro::DegVersRad(ra);
    e.Declinaison = astro::DegVersRad(dec);
    e.ParallaxeLune = 1e-12;
    precessionTrack(e);
    astro::CalculAzElTopocentrique(e);
}

// A working copy of the astronomy state for a computation that moves the
// observer (horizon line, DX point): what it leaves stays in the copy.
astro::EtatAstro copieDeTravail(const astro::EtatAstro& a)
{
    astro::EtatAstro e = a;
    e.ApresChangeJour = nullptr;
    return e;
}

} // namespace

void Suivi::CalculPrecessionTrack() { precessionTrack(Astro); }

void Suivi::CalculPositionSourceTrack(int code)
{
    const bool lune = code == 0 && RecalculLune, soleil = code == 1 && RecalculSoleil;
    positionSource(Astro, code, lune || soleil, AscDroiteAutre, DeclinaisonAutre);
    if (lune) {
        Aff.AffFreqDoppler = Format(Astro.DopplerSource, "####0");
        Aff.AffExtraLoss = Format(Astro.PerteSupplementaire, "#0.00") + " dB";
        RecalculLune = false;
    }
    if (soleil)
        RecalculSoleil = false;
}

astro::EtatAstro Suivi::etatSourceStation() const
{
    astro::EtatAstro e = copieDeTravail(Astro);
    e.LatitudeObservateur = Station.LatitudeStation;
    e.LongitudeObservateur = Station.LongitudeStationHeures;
    const bool serie = (CodeSource == 0 && RecalculLune) || (CodeSource == 1 && RecalculSoleil);
    positionSource(e, CodeSource, serie, AscDroiteAutre, DeclinaisonAutre);
    return e;
}

astro::EtatAstro Suivi::etatSourceStationMaintenant() const
{
    astro::EtatAstro e = copieDeTravail(Astro);
    const QDateTime t = clock_.now();
    // A PC date before 1999 ends the program at the next clock step: until
    // then the cycle's instant stands.
    if (poseDatePC(e, t.date(), nullptr)) {
        poseHeureUTC(e, t.time(), Station.DecHor);
        e.JourJulien = jourJulienTrack(e.DateCalcul);
    }
    e.LatitudeObservateur = Station.LatitudeStation;
    e.LongitudeObservateur = Station.LongitudeStationHeures;
    positionSource(e, CodeSource, true, AscDroiteAutre, DeclinaisonAutre);
    return e;
}

void Suivi::GestionPeriodeTrafic()
{
    const int P = secondesPeriode(DureePeriode);
    const PositionPeriode pp = positionPeriode(SecondesJourUTC, P, PeriodeTrafic);
    const int r = pp.r;
    // The instants of this step and of the one before. An event recurring
    // every c seconds at second e of its cycle is due when a moment
    // c * n + e lies in (avant, maintenant]: at its second in steady running,
    // on the first step after a held cycle otherwise. The first step of a
    // station only notes its instant (the displays wait in "Calibration"
    // for a moment still to come); a clock set back fires nothing.
    const int64_t maintenant = static_cast<int64_t>(std::floor(Astro.JourJulien)) * 86400 + SecondesJourUTC;
    const int64_t avant = InstantPeriodePrecedent;
    InstantPeriodePrecedent = maintenant;
    auto du = [maintenant, avant](int c, int e) {
        return avant >= 0 && maintenant > avant && (maintenant - e) / c != (avant - e) / c;
    };
    if (du(P, 0)) {
        if (Aff.CadreTraffic == QLatin1String("Calibration")) {
            static const char* Longueurs[3] = {"1mn", "2mn", "2.5mn"};
            Aff.CadreTraffic = QStringLiteral("Traffic : %1 / %2")
                                   .arg(PeriodeTrafic == 0 ? "1st" : "2nd", Longueurs[DureePeriode]);
        }
        // Colour and parity of the period now running (a late start, after
        // a held cycle, still gives the period the present second lies in).
        const uint8_t code = pp.propre ? octet::PeriodePropre : octet::PeriodeAutre;
        Aff.AffPeriodeCouleur = pp.propre ? Rouge : Vert;
        Aff.AffPeriodeLargeur = 1935;
        Aff.AffNextPeriodeCouleur = Aff.FondTraffic;
        Aff.AffNextPeriodeLargeur = 0;
        Aff.AffNextPeriodeGauche = 1935;
        Pilotage.periode(code);
        MemoPeriode[2] = 0;
        // The bar and the Moon's Doppler labels follow this cycle's source as
        // the home station sees it now, not what a map computation left.
        const astro::EtatAstro station = etatSourceStation();
        const bool visible = CodeSource == 0 && station.ElevationSource >= 0;
        Aff.LibellesDoppler = visible;
        Aff.CadrePeriode = visible;
    }
    if (du(60, 16))
        RecalculLune = RecalculSoleil = true;
    if (du(P, P - 29)) {
        if (Aff.CadreMap.left(11) == QLatin1String("Calibration"))
            Aff.CadreMap = QStringLiteral("Common Window : ") + NomSource;
        DessineCourbeCarte();
        if (PointDXPlace)
            PlacePointDXTrack(CarteXDX, CarteYDX, LatitudeDX, LongitudeDX);
    }
    if (du(60, 46)) {
        AffichageCarteCiel();
        DessineBandeCiel();
    }
    // The remaining part of the bar flashes in the colour of the coming
    // period; before any period has started the bar has neither colour and
    // nothing flashes.
    if (r >= P - 10 && r != MemoPeriode[0] &&
        (Aff.AffPeriodeCouleur == Rouge || Aff.AffPeriodeCouleur == Vert)) {
        const quint32 suivante = Aff.AffPeriodeCouleur == Rouge ? Vert : Rouge;
        Aff.AffNextPeriodeCouleur =
            Aff.AffNextPeriodeCouleur == suivante ? Aff.FondTraffic : suivante;
    }
    MemoPeriode[0] = r;
    // The bar shrinks in 5-second steps; a step passed while the cycle was
    // held is taken at once.
    const int r5 = r - r % 5;
    if (MemoPeriode[2] < r5) {
        const int W = Aff.CadrePeriodeLargeur;
        Aff.AffPeriodeLargeur = static_cast<int>(static_cast<double>(P - r5) / P * W);
        Aff.AffNextPeriodeGauche = Aff.AffPeriodeLargeur;
        Aff.AffNextPeriodeLargeur = W - Aff.AffPeriodeLargeur;
        MemoPeriode[2] = r5;
    }
}

void Suivi::LectureCodeurs()
{
    Pilotage.lectureCodeurs(vue_.interfaceVisible());
    AzimutAntenne = Pilotage.AzimutAntenne;
    ElevationAntenne = Pilotage.ElevationAntenne;
    if (Pilotage.MesureLue)
        TraiteMesure(Pilotage.Mesure);
}

void Suivi::MesureNiveauSignal()
{
    if (!vue_.interfaceVisible())
        return;
    TraiteMesure(Pilotage.echange(octet::Mesure));
}

void Suivi::TraiteMesure(int brut)
{
    if (Station.TypeMesure == QLatin1String("Signal")) {
        const float v = static_cast<float>(brut / (255 / static_cast<double>(Station.Range8b)) - Station.Off8b);
        NombreEchantillons += 1;
        EchantillonsNiveau[NombreEchantillons] = v;
        if (NombreEchantillons < 20)
            return;
        NombreEchantillons = 0;
        vue_.dessineNiveau(EchantillonsNiveau);
        float somme = 0;
        for (int i = 1; i <= 20; ++i)
            somme += EchantillonsNiveau[i];
        MoyenneNiveau = somme / 20;
        Aff.AffLevelAverage = Format(MoyenneNiveau - OffsetNiveau, "#0.0");
    } else {
        const float a = static_cast<float>(brut / (255 / static_cast<double>(Station.Range8b)) + Station.Off8b);
        Aff.AffPolar = Format(a, "#0.0");
    }
}

void Suivi::AfficheValeurs()
{
    auto ecrit = [](QString& l, const QString& t) {
        if (l != t)
            l = t;
    };
    ecrit(Aff.AffUTCTime, platform::FormatTime(HeureUTC, MinuteUTC, SecondeUTC, "hh:mm:ss"));
    ecrit(Aff.AffSourceAzimut, Format(Astro.AzimutSource, "##0.00"));
    ecrit(Aff.AffSourceElevation, Format(Astro.ElevationSource, "##0.00"));
    if (vue_.absolu()) {
        ecrit(Aff.AffAntenneAzimut, Format(AzimutAntenne, "##0.00"));
        ecrit(Aff.AffAntenneElevation, Format(ElevationAntenne, "##0.00"));
    } else {
        ecrit(Aff.AffAntenneAzimut, Format(AzimutAntenne - Astro.AzimutSource, "##0.00"));
        ecrit(Aff.AffAntenneElevation, Format(ElevationAntenne - Astro.ElevationSource, "##0.00"));
    }
    if (CodeSource == 0) {
        double h = Astro.AngleHoraireTopo;
        ecrit(Aff.AffHA, Format(astro::RadVersDeg(h), "##0.00°"));
    }
}

void Suivi::PlaceIconeAntenne()
{
    if (AlternanceIcone) {
        AlternanceIcone = false;
        return;
    }
    AlternanceIcone = true;
    double phi = Station.LatitudeStation;
    phi = astro::DegVersRad(phi);
    if (vue_.cadreSkyMapVisible() && vue_.imgPosAntVisible()) {
        double A = AzimutAntenne, El = ElevationAntenne;
        A = astro::DegVersRad(A);
        El = astro::DegVersRad(El);
        double sd = std::cos(phi) * std::cos(El) * std::cos(A) + std::sin(phi) * std::sin(El);
        const double delta = astro::ArcSin(sd);
        double d = std::cos(phi) * std::cos(delta);
        if (d < 1e-20)
            d = 1e-20;
        double c = (std::sin(El) - std::sin(delta) * std::sin(phi)) / d;
        double H = astro::ArcCos(c);
        if (std::sin(A) >= 0)
            H = DeuxPi - H;
        enrouleDeuxPi(H);
        double alpha = Astro.TempsSideralLocal - H;
        enrouleDeuxPi(alpha);
        const float ra = static_cast<float>(astro::RadVersDeg(alpha));
        double dl = delta;
        const float de = static_cast<float>(astro::RadVersDeg(dl));
        const int left = static_cast<int>(platform::Fix(5520 - KxCiel * ra));
        const int top = static_cast<int>(platform::Fix((90 - de) * KyCiel - 70)) - 10;
        if (Aff.AntenneLeft != left)
            Aff.AntenneLeft = left;
        if (Aff.AntenneTop != top)
            Aff.AntenneTop = top;
        Aff.PointAntenne = {ra, de};
    }
    if (!HorizonCielComplet) {
        double H = Astro.TempsSideralLocal - AscDroiteHorizon * 0.01745329252;
        enrouleDeuxPi(H);
        // On the equator tan(phi) is 0: the horizon runs through the poles;
        // the line then lies along declination 0 (atan of +-infinity avoided).
        const double t = std::tan(phi);
        double dh = t == 0 ? 0.0 : std::atan(-std::cos(H) / t);
        CourbeHorizonCiel[PointHorizonCiel] =
            static_cast<float>(platform::Fix((90 - astro::RadVersDeg(dh)) * KyCiel) + 35);
        AscDroiteHorizon += 5;
        PointHorizonCiel += 1;
        if (PointHorizonCiel == 72) {
            HorizonCielComplet = true;
            AscDroiteHorizon = 0;
            PointHorizonCiel = 0;
        }
    }
}

void Suivi::AffichageCarteCiel()
{
    if (Aff.CadreSkyMap == QLatin1String("Calibration"))
        Aff.CadreSkyMap = QStringLiteral("Brightness sky map");
    // The legend gives way to the Moon's figures.
    Aff.LegendeCiel = false;
    // The Sun, the Moon and last the current source, for the home station.
    Astro.LatitudeObservateur = Station.LatitudeStation;
    Astro.LongitudeObservateur = Station.LongitudeStationHeures;
    auto calcule = [this](int code, double& ra, double& dec) {
        if (code == 0)
            RecalculLune = true;
        else
            RecalculSoleil = true;
        CalculPositionSourceTrack(code);
        ra = astro::RadVersDeg(Astro.AscensionDroite);
        dec = astro::RadVersDeg(Astro.Declinaison);
    };
    auto place = [](double ra, double dec, int& left, int& top) {
        left = static_cast<int>(platform::Fix(5520 - KxCiel * static_cast<float>(ra)));
        top = static_cast<int>(platform::Fix((90 - static_cast<float>(dec)) * KyCiel - 70));
    };
    double raL = 0, decL = 0, raS = 0, decS = 0;
    auto topo = [this](QString& label, double v) { label = Format(astro::RadVersDeg(v), "##0.00°"); };
    if (CodeSource == 1) {
        calcule(0, raL, decL);
        place(raL, decL, Aff.LuneLeft, Aff.LuneTop);
        topo(Aff.AffHA, Astro.AngleHoraireTopo);
        topo(Aff.AffDecl, Astro.DeclinaisonTopo);
        calcule(1, raS, decS);
        place(raS, decS, Aff.SoleilLeft, Aff.SoleilTop);
    } else {
        calcule(1, raS, decS);
        place(raS, decS, Aff.SoleilLeft, Aff.SoleilTop);
        calcule(0, raL, decL);
        place(raL, decL, Aff.LuneLeft, Aff.LuneTop);
        if (CodeSource != 0)
            topo(Aff.AffHA, Astro.AngleHoraireTopo);
        topo(Aff.AffDecl, Astro.DeclinaisonTopo);
        if (CodeSource != 0)
            CalculPositionSourceTrack(CodeSource);
    }
    float E = static_cast<float>(raL - raS);
    if (E < 0)
        E += 360;
    Aff.AffTemp = texteTemperature(E, temperatureCiel(raL, Station.Freq));
    Aff.PhaseLune = secteurPhase(E);
    Aff.PointLune = {raL, decL};
    Aff.PointSoleil = {raS, decS};
    Aff.MarqueursVisibles = true;
}

void Suivi::DessineBandeCiel()
{
    if (!HorizonCielComplet)
        return;
    vue_.dessineBandeCiel(CourbeHorizonCiel);
    HorizonCielComplet = false;
    AscDroiteHorizon = 0;
    PointHorizonCiel = 0;
}

void Suivi::CalculLigneHorizonCarte()
{
    if (AlternanceHorizon || HorizonComplet) {
        AlternanceHorizon = false;
        return;
    }
    AlternanceHorizon = true;
    const int w = 80;
    ColonneHorizon += 1;
    int16_t X = static_cast<int16_t>(ColonneHorizon * w);
    if (X > 5680) {
        HorizonComplet = true;
        ColonneHorizon = 0;
        X = 0;
        DeclinaisonCourbe = Astro.Declinaison;
    } else if (ColonneHorizon == 0) {
        DeclinaisonCourbe = Astro.Declinaison;
    }
    // The map points are computed on a copy: the source's right ascension,
    // declination and parallax and the instant are this cycle's, and what
    // the map observers leave does not reach the rest of the cycle.
    astro::EtatAstro e = copieDeTravail(Astro);
    e.LongitudeObservateur = astro::CarteXVersLongitude(X);
    int16_t Y = 0;
    e.LatitudeObservateur = astro::CarteYVersLatitude(Y);
    astro::CalculTempsSideral(e);
    astro::CalculAzElTopocentrique(e);
    const float eHaut = static_cast<float>(e.ElevationSource);
    Y = 2770;
    e.LatitudeObservateur = astro::CarteYVersLatitude(Y);
    astro::CalculAzElTopocentrique(e);
    const float eBas = static_cast<float>(e.ElevationSource);
    float& col = CourbeFenetreCommune[ColonneHorizon];
    if (eHaut < 0 && eBas < 0) {
        col = DeclinaisonCourbe < 0 ? 2770 : 0;
    } else if (eHaut > 0 && eBas > 0) {
        col = DeclinaisonCourbe < 0 ? 0 : 2770;
    } else {
        int bas = 0, haut = 2770;
        for (;;) {
            Y = platform::CInt((haut - bas) / 2.0 + bas);
            e.LatitudeObservateur = astro::CarteYVersLatitude(Y);
            astro::CalculAzElTopocentrique(e);
            const double el = e.ElevationSource;
            if ((el > -0.25 && el < 0.25) || Y - bas < 10 || haut - Y < 10) {
                col = Y;
                break;
            }
            if (eHaut < eBas) {
                if (el <= 0)
                    bas = Y;
                else
                    haut = Y;
            } else {
                if (el <= 0)
                    haut = Y;
                else
                    bas = Y;
            }
        }
    }
}

void Suivi::DessineCourbeCarte()
{
    if (!HorizonComplet)
        return;
    vue_.dessineCourbeCarte(CourbeFenetreCommune, DeclinaisonCourbe >= 0);
    // Drawing the line clears the map: the DX mark is part of what it shows.
    if (PointDXPlace)
        vue_.pointDX(-1, -1, CarteXDX, CarteYDX);
    HorizonComplet = false;
}

void Suivi::PlacePointDXTrack(int x, int y)
{
    int16_t cx = static_cast<int16_t>(x), cy = static_cast<int16_t>(y);
    PlacePointDXTrack(x, y, astro::CarteYVersLatitude(cy), astro::CarteXVersLongitude(cx));
}

void Suivi::PlacePointDXTrack(int x, int y, double latD, double lonD)
{
    if (!PremierCycleFait)
        return;
    vue_.pointDX(PointDXPlace ? CarteXDX : -1, PointDXPlace ? CarteYDX : -1, x, y);
    CarteYDX = y;
    CarteXDX = x;
    PointDXPlace = true;
    LatitudeDX = latD;
    LongitudeDX = lonD;
    // Both ends are computed on a copy, at the present instant (a prefix
    // box may have stayed open since the cycle): the station sees the
    // current source; the DX observer then stands at the point's position.
    astro::EtatAstro e = etatSourceStationMaintenant();
    const double latS = Station.LatitudeStation, lonS = Station.LongitudeStationHeures;
    const double elS = e.ElevationSource;
    const float Ds = e.FacteurDopplerRotation * Station.Freq / 2.0f;
    astro::CalculPerteDoppler(e);
    if (CodeSource == 0) {
        Aff.AffFreqDoppler = Format(e.DopplerSource, "####0");
        Aff.AffExtraLoss = Format(e.PerteSupplementaire, "#0.00") + " dB";
    }
    const double Ps = anglePolarisation(latS, e.AzimutSource, elS);
    e.LatitudeObservateur = latD;
    e.LongitudeObservateur = lonD;
    astro::CalculTempsSideral(e);
    astro::CalculAzElTopocentrique(e);
    Aff.AffAzimDX = Format(e.AzimutSource, "##0.00");
    Aff.AffElevDX = Format(e.ElevationSource, "##0.00");
    const float Dd = e.FacteurDopplerRotation * Station.Freq / 2.0f;
    const double Pd = anglePolarisation(latD, e.AzimutSource, e.ElevationSource);
    if (e.ElevationSource < 0 || elS < 0 || CodeSource != 0) {
        Aff.AffDopplerDX.clear();
        Aff.AffPolarDX.clear();
    } else {
        const float total = Dd + e.DopplerSource - Ds;
        Aff.AffDopplerDX = Format(total, "####0");
        double p = Ps - Pd;
        if (p > 90)
            p -= 180;
        if (p < -90)
            p += 180;
        Aff.AffPolarDX = Format(p, "##0.0");
    }
    const double k = 0.01745329252;
    double cosc = std::cos(latS * k) * std::cos(latD * k) * std::cos((lonD - lonS) * 15 * k) +
                  std::sin(latS * k) * std::sin(latD * k);
    const double c = astro::ArcCos(cosc);
    Aff.AffDistance = Format(6368 * c, "####0");
}

void Suivi::RafraichitSource()
{
    ++ChangementsSource;
    Aff.CadreTraffic = Aff.CadreMap = Aff.CadreSkyMap = QStringLiteral("Calibration");
    Aff.CadreSource = NomSource;
    RecalculSoleil = RecalculLune = true;
    vue_.effaceCarte();
    ColonneHorizon = -1;
    HorizonComplet = false;
    Aff.AffElevDX.clear();
    Aff.AffAzimDX.clear();
    Aff.AffPolarDX.clear();
    Aff.AffDopplerDX.clear();
    Aff.AffDistance.clear();
}

void Suivi::noticeParking()
{
    dialogues_.beep();
    Drive.c.AntenEtiq[2] = true;
    vue_.rafraichit();
    clock_.wait(2.0); // events keep running during the wait
    Drive.c.AntenEtiq[2] = false;
}

void Suivi::montreAvis(const Avis& a)
{
    switch (a.type) {
    case Avis::Type::Bip: dialogues_.beep(); break;
    case Avis::Type::Message:
        vue_.rafraichit();
        dialogues_.message(a.texte, platform::Buttons::Ok, platform::Icon::Exclamation, a.titre);
        break;
    case Avis::Type::PortErreur:
        if (surErreurPort)
            surErreurPort();
        else
            FinProgramme();
        break;
    }
}

void Suivi::partieSource()
{
    Astro.LatitudeObservateur = Station.LatitudeStation;
    Astro.LongitudeObservateur = Station.LongitudeStationHeures;
    if (CodeSource != 0 && Aff.CadrePeriode) {
        Aff.CadrePeriode = false;
        Aff.LibellesDoppler = false;
    }
    CalculPositionSourceTrack(CodeSource);
    Aff.SourcEtiq = Astro.ElevationSource < 0;
    AfficheValeurs();
}

bool Suivi::Cycle()
{
    if (ProgrammeTermine || !BoucleActive)
        return false;
    Pilotage.debutCycle();
    if (ProgrammeTermine)
        return false;
    if (!HorlogeUTC())
        return false;
    GestionPeriodeTrafic();
    Pilotage.lectures(vue_.interfaceVisible());
    if (ProgrammeTermine)
        return false;
    AzimutAntenne = Pilotage.AzimutAntenne;
    ElevationAntenne = Pilotage.ElevationAntenne;
    if (Pilotage.MesureLue)
        TraiteMesure(Pilotage.Mesure);
    partieSource();
    Drive.c.SourcEtiqVisible = Aff.SourcEtiq;
    const int source = ChangementsSource;
    const bool parc = Pilotage.etape(Astro.AzimutSource, Astro.ElevationSource);
    if (ProgrammeTermine)
        return false;
    // The "Parking" notice holds the cycle for its time, unless a drive runs
    // (one the operator started by hand): that one stays watched.
    if (parc && Pilotage.Controle.enMouvement())
        Pilotage.avisParking();
    else if (parc)
        noticeParking();
    // A source chosen while the "Parking" notice waited: the rest of the
    // cycle (the horizon lines) works on the new source.
    if (ChangementsSource != source) {
        Astro.LatitudeObservateur = Station.LatitudeStation;
        Astro.LongitudeObservateur = Station.LongitudeStationHeures;
        CalculPositionSourceTrack(CodeSource);
    }
    PlaceIconeAntenne();
    CalculLigneHorizonCarte();
    PremierCycleFait = true;
    vue_.rafraichit();
    return !ProgrammeTermine;
}

void Suivi::BoucleTracking()
{
    try {
        Pilotage.echange(octet::ElArret);
        Pilotage.echange(octet::AzArret);
        for (;;) {
            if (!vue_.ceder() || !BoucleActive || ProgrammeTermine)
                return;
            if (!Cycle() && (!BoucleActive || ProgrammeTermine))
                return;
        }
    } catch (...) {
        // An error nothing traps: the drives stop before it ends the program.
        ArretMoteursEtPort();
        throw;
    }
}

void Suivi::DemarreAutonome()
{
    Pilotage.mesure(vue_.interfaceVisible());
    Pilotage.source(Astro.AzimutSource, Astro.ElevationSource);
    Pilotage.demarre();
}

void Suivi::ArreteAutonome() { Pilotage.arrete(); }

bool Suivi::TraiteEtat()
{
    if (ProgrammeTermine || !BoucleActive)
        return false;
    EtatPilote e = Pilotage.etat();
    std::vector<Avis> avis;
    avis.swap(e.avis);
    std::vector<int> mesures;
    mesures.swap(e.mesures);
    Vu = std::move(e);
    if (!HorlogeUTC())
        return false;
    GestionPeriodeTrafic();
    AzimutAntenne = Vu.AzimutAntenne;
    ElevationAntenne = Vu.ElevationAntenne;
    for (const int m : mesures)
        TraiteMesure(m);
    partieSource();
    Vu.c.SourcEtiqVisible = Aff.SourcEtiq;
    // The drive step aims at the source as computed here (for the Moon a
    // cycle's age is nothing).
    Pilotage.source(Astro.AzimutSource, Astro.ElevationSource);
    Pilotage.mesure(vue_.interfaceVisible());
    for (const Avis& a : avis) {
        montreAvis(a);
        if (ProgrammeTermine)
            return false;
    }
    PlaceIconeAntenne();
    CalculLigneHorizonCarte();
    PremierCycleFait = true;
    vue_.rafraichit();
    return !ProgrammeTermine;
}

} // namespace suivi
