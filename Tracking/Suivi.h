#pragma once
// The tracking cycle and what it runs each pass: the UTC clock step, the
// traffic periods, the encoder readings with their corrections, the source
// position (with Tracking's own fixed-rate precession), the value labels,
// the drive step, the measurement input, the sky-map antenna icon and the
// horizon lines spread over the cycles, and the DX point. No widget here:
// what the windows show is kept as plain values (Affichage), and the few
// drawings and the yield to the event queue go through the Vue interface.

#include "Tracking/Entrainement.h"
#include "Tracking/Pilote.h"
#include "Tracking/Protocole.h"
#include "Tracking/Station.h"
#include "Tracking/TrackIni.h"
#include "astro/Astro.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QDate>
#include <QString>
#include <array>
#include <functional>

namespace suivi {

// Colour values (red in the low byte) of the period bar.
constexpr quint32 Rouge = 255, Vert = 65280;

// The setup panel of the main window: hidden, or showing the station's
// general values or its tracking values.
enum class Panneau { Aucun, General, Tracking };

// The values the windows show; written only through the cycle and the
// handlers, read by the windows when they refresh.
struct Affichage {
    QString AffUTCTime, AffUTCJour, AffUTCDate;
    QString AffSourceAzimut, AffSourceElevation, AffAntenneAzimut, AffAntenneElevation;
    QString AffHA, AffDecl, AffTemp, AffFreqDoppler, AffExtraLoss, AffFrequence;
    QString AffLevelAverage, AffPolar, AffOffset = QStringLiteral("0.0");
    QString AffAzimDX, AffElevDX, AffDopplerDX, AffPolarDX, AffDistance;
    QString CadreTraffic, CadreMap, CadreSkyMap, CadreSource, CadreDXCC;
    bool CadrePeriode = false;      // period bar shown
    bool LibellesDoppler = false;   // AffFreqDoppler, AffExtraLoss, EtiqDoppler, EtiqLoss shown
    quint32 AffPeriodeCouleur = 0, AffNextPeriodeCouleur = 0, FondTraffic = 0xC0C0C0;
    int AffPeriodeLargeur = 1935, AffNextPeriodeGauche = 1935, AffNextPeriodeLargeur = 0;
    int CadrePeriodeLargeur = 1935;
    // Sky map (twips in the frame): markers, antenna icon, Moon phase picture.
    int LuneLeft = 0, LuneTop = 0, SoleilLeft = 0, SoleilTop = 0, AntenneLeft = 0, AntenneTop = 0;
    // The points the three markers stand for (right ascension, declination,
    // degrees), as screen readers read the chart.
    struct PointCiel {
        double ascensionDroite = 0, declinaison = 0;
    };
    PointCiel PointLune, PointSoleil, PointAntenne;
    int PhaseLune = 0;
    bool MarqueursVisibles = false; // ImgPosLune, ImgPosSol, AffIconeLune, CadreInfoSource
    bool SourcEtiq = false;         // "Below Horizon"
    // The sky-map legend (CadreinfoCiel) shown in place of "About...": the
    // once-a-minute refresh puts the Moon's figures back over it.
    bool LegendeCiel = false;
    Panneau Parametres = Panneau::Aucun;
    // ImgSignal pressed: the average is shown against the reference level.
    bool ReferenceRelative = false;
    // The source button held down (its Sources menu index), its picture
    // shown pressed before the release chooses it; -1 when none.
    int BoutonSourceEnfonce = -1;
};

// The windows as the program sees them: the event queue, what the
// windows show (derived from the program's state) and their drawings.
// Provided by the windows (or a test); every call has a default that does
// nothing, as a program without windows needs.
class Vue {
public:
    virtual ~Vue() = default;
    // One yield to the window event queue; false when no window is left.
    virtual bool ceder() { return true; }
    // FenetreInterface is on screen and not minimised.
    virtual bool interfaceVisible() const { return false; }
    virtual bool cadreSkyMapVisible() const { return false; }
    virtual bool imgPosAntVisible() const { return false; }
    virtual bool absolu() const { return false; } // "Absolute position" checked
    // Shows the program's state: which windows are up, the values, menus,
    // check marks, buttons and panels. Called after every cycle and event.
    virtual void rafraichit() {}
    // The layout of both windows from the program's state (the station
    // loaded, the display choices): frames, buttons and sizes. With
    // `places` (twips, as "track.ini" holds them, and the interface window's
    // state) the windows are put there first. Each window then lies wholly
    // inside the available screen, and the interface window clear of the
    // main window where the screen has room for both.
    virtual void disposition(const TrackIni* /*places*/) {}
    // The windows' places (twips; the interface window's in its normal
    // state) and the interface window's state, into `t`.
    virtual void placesFenetres(TrackIni& /*t*/) {}
    virtual void effaceCarte() {}
    virtual void effaceCarteCiel() {}
    // The world-map horizon line (72 columns, y in map twips) hatched on the
    // side where the source is below the horizon.
    virtual void dessineCourbeCarte(const std::array<float, 72>&, bool) {}
    // DX mark: the old one erased (unless its coordinates are -1: none),
    // the new one set; map twips.
    virtual void pointDX(int, int, int, int) {}
    virtual void dessineBandeCiel(const std::array<float, 73>&) {}
    virtual void dessineNiveau(const std::array<float, 21>&) {}
};

// The program's message and input boxes with the stop-first rule: a box
// holds the cycle, so before each one opens `avant` runs (the running drives
// get their stop bytes and the controller is held), and once it has closed
// `apres` (the controller goes on). Beeps hold nothing and pass straight
// through.
class DialoguesArretDabord : public platform::Dialogs {
public:
    DialoguesArretDabord(platform::Dialogs& d, std::function<void()> avant, std::function<void()> apres)
        : d_(d), avant_(std::move(avant)), apres_(std::move(apres))
    {
    }
    platform::Answer message(const QString& text, platform::Buttons buttons, platform::Icon icon,
                             const QString& title) override
    {
        Tenue t(*this);
        return d_.message(text, buttons, icon, title);
    }
    QString input(const QString& prompt, const QString& title, const QString& defaultText,
                  std::optional<QPoint> position) override
    {
        Tenue t(*this);
        return d_.input(prompt, title, defaultText, position);
    }
    void beep() override { d_.beep(); }

private:
    struct Tenue {
        explicit Tenue(DialoguesArretDabord& d) : d_(d) { d_.avant_(); }
        ~Tenue() { d_.apres_(); }
        DialoguesArretDabord& d_;
    };
    platform::Dialogs& d_;
    std::function<void()> avant_, apres_;
};

class Suivi {
public:
    Suivi(platform::Dialogs& dialogs, platform::Clock& clock, Vue& vue);

    // Every box of the program goes through here: the running drives are
    // paused (their stop bytes sent) before it opens.
    platform::Dialogs& dialogues() { return dialogues_; }

    // Set up for a station: InitialiseEtat, then InitialiseDate. False when
    // the PC date is before 1999 (the message was shown; the caller ends the
    // program).
    bool Initialise(const StationTrack& station, const Corrections& corrections);
    // The state part of the main-window initialisation: `station` is
    // copied (ButeeD raised by 360 when the travel crosses north), the
    // source, periods, displays, drive and loop back to their start state,
    // both maps cleared.
    void InitialiseEtat(const StationTrack& station, const Corrections& corrections);
    // The PC date and the UTC hour, then the first display of the date, the
    // frequency and the source. False when the PC date is before 1999 (the
    // message was shown).
    bool InitialiseDate();
    void setLiaison(Liaison& l);

    // One cycle after its yield, stepped: the controller's pieces (Pilote)
    // and the rest of the cycle on the calling thread, in the cycle's order.
    // False when the loop must end (the run flag cleared, or the program
    // ended inside the cycle).
    bool Cycle();
    // The loop, stepped: the entry bytes, then yield + cycle until the end.
    void BoucleTracking();
    // The controller on a thread of its own: started with the loop's entry
    // bytes; ended (after the exchange under way) by ArreteAutonome. What
    // the controller publishes is taken by TraiteEtat on the calling thread.
    void DemarreAutonome();
    void ArreteAutonome();
    bool autonome() const { return Pilotage.autonome(); }
    // The rest of a cycle on the windows' thread, on the controller's latest
    // publication: the clock, the traffic period, the readings and the
    // measurement shown, the source position (handed to the controller), the
    // value labels, the controller's messages, the icon and a horizon column.
    // False when the program ended in it.
    bool TraiteEtat();

    // Parts of the cycle, callable alone for tests.
    bool HorlogeUTC();
    void GestionPeriodeTrafic();
    void MesureNiveauSignal();
    void CalculPositionSourceTrack(int code);
    void CalculPrecessionTrack();
    void CalculJourJulienAffichage();
    void AfficheValeurs();
    void PlaceIconeAntenne();
    void AffichageCarteCiel();
    void DessineBandeCiel();
    void CalculLigneHorizonCarte();
    void DessineCourbeCarte();
    // The DX point at map point (x, y) (twips): the mark is drawn there, and
    // the values are computed for the position the map point stands for.
    void PlacePointDXTrack(int x, int y);
    // The same for a known position (degrees north, hours east), as a
    // prefix record gives it: the values are computed there, whatever map
    // point the mark is drawn at (the map pins far south to its edge).
    void PlacePointDXTrack(int x, int y, double latitude, double longitudeHeures);
    // Reads the encoders and applies the correction table.
    void LectureCodeurs();
    // One raw value of the measurement input shown (level or polarisation).
    void TraiteMesure(int brut);

    // Source change (the refresh part common to every way of choosing).
    void RafraichitSource();
    // The orderly end: drives off, port closed, program ended.
    void FinProgramme();
    // The stop path of every end (the orderly end, File > New, an uncaught
    // error, a signal, an exit the program does not control): the stop bytes
    // of the drives the box may be running, each as an exchange (also on a
    // failed link), then the port closed when it is open. It opens no box.
    void ArretMoteursEtPort();
    // Ends the program (production quits the application); set by main.
    std::function<void()> fin;
    // The port error of the controller (the box did not answer): the
    // program's failure path (production: its box, then the orderly end).
    std::function<void()> surErreurPort;
    // A box holds the controller: `tientPourBoite` before it opens (default:
    // the pause), `relachePourBoite` once it has closed (default: the hold
    // released).
    std::function<void()> tientPourBoite, relachePourBoite;

    // --- program-wide state, under the names the program gives them ---
    StationTrack Station;
    Corrections Correction;
    astro::EtatAstro Astro;
    // The drive controller, and its drive (the controller's: the windows'
    // thread reads Vu instead while the controller runs on its own thread).
    Pilote Pilotage;
    Entrainement& Drive = Pilotage.Drive;
    // Monotonic time in seconds (the controller's clock).
    std::function<double()>& secondesMonotones = Pilotage.secondesMonotones;
    // What the windows show of the drive: the controller's latest
    // publication (stepped: its state at each refresh).
    EtatPilote Vu;
    // Vu as the handlers read it: stepped, the drive's state now.
    const EtatPilote& VuCourant()
    {
        if (!autonome())
            Vu = Pilotage.etatCourant();
        return Vu;
    }
    Affichage Aff;
    float AzimutAntenne = 0, ElevationAntenne = 0;
    bool BoucleActive = false, PortOuvert = false, PremierCycleFait = false, ProgrammeTermine = false;
    int CodeSource = 0;
    QString NomSource = QStringLiteral("Moon");
    double AscDroiteAutre = 0, DeclinaisonAutre = 0;
    bool RecalculLune = false, RecalculSoleil = false;
    int PeriodeTrafic = 0, DureePeriode = 1;
    int32_t HeureUTC = 0, MinuteUTC = 0, SecondeUTC = 0, SecondesJourUTC = 0;
    // (0) second-in-period seen by the last period step (the blink's once
    // per second); (2) second-in-period of the last bar update. (1) is not
    // used: the timed events fire on the instants passed, below.
    std::array<int, 3> MemoPeriode{};
    // UTC instant of the last period step, in seconds from the origin of
    // the day number; -1 before the first step of a station. A timed event
    // (period start, ephemeris refresh, map and sky-map redraws) fires once
    // when its moment lies after this instant and not after the present one,
    // so an event that fell while the cycle was held (a message box, a menu,
    // the "Parking" wait) is carried out by the first step after it.
    int64_t InstantPeriodePrecedent = -1;
    // World-map horizon line.
    std::array<float, 72> CourbeFenetreCommune{};
    int ColonneHorizon = -1;
    bool HorizonComplet = false, AlternanceHorizon = false;
    double DeclinaisonCourbe = 0;
    // Sky-map horizon line.
    std::array<float, 73> CourbeHorizonCiel{};
    int PointHorizonCiel = 0;
    double AscDroiteHorizon = 0;
    bool HorizonCielComplet = false, AlternanceIcone = false;
    // Measurement.
    std::array<float, 21> EchantillonsNiveau{};
    int NombreEchantillons = 0;
    float MoyenneNiveau = 0, OffsetNiveau = 0;
    // DX point. PointDXPlace: a point has been placed since the station was
    // loaded (a point on the map's first row or column has a 0 coordinate).
    QString PrefixeDX;
    int CarteXDX = 0, CarteYDX = 0;
    bool PointDXPlace = false;
    // Position of the DX point last placed (degrees north, hours east): the
    // record's own for a prefix, the map point's for a click.
    double LatitudeDX = 0, LongitudeDX = 0;
    // Changes of source so far (a cycle that served window events in its
    // middle, the "Parking" wait, sees whether the source changed there).
    int ChangementsSource = 0;

    // The current source as the home station sees it at this cycle's
    // instant, computed on a copy of the astronomy state: the program's own
    // state (what the source step left) is not touched, and refresh requests
    // are not consumed.
    astro::EtatAstro etatSourceStation() const;
    // The same at the PC clock's present instant (a box may have held the
    // program since the cycle): the date and UTC time taken from the clock
    // as the clock step takes them, and the Moon's or the Sun's series run.
    astro::EtatAstro etatSourceStationMaintenant() const;

private:
    // Takes the PC date as e's calculation date (day of week 1 = Sunday),
    // or returns false before 1999, after the date-error message when
    // `dialogues` is given.
    static bool poseDatePC(astro::EtatAstro& e, const QDate& d, platform::Dialogs* dialogues);
    // Steps e's calculation date (the PC date) to the UTC date of PC time t
    // with the clock offset decHor (hours), by at most one day (ChangeJour:
    // its hook runs), and sets FractionJour and HeureUT. Returns the UTC
    // seconds since midnight.
    static int32_t poseHeureUTC(astro::EtatAstro& e, const QTime& t, int16_t decHor);
    void noticeParking();
    // A message of the controller shown (its stop bytes are out already).
    void montreAvis(const Avis& a);
    // Steps 9 to 13 of the cycle: the observer, the period bar of another
    // source, the source position, "Below Horizon", the value labels.
    void partieSource();
    DialoguesArretDabord dialogues_;
    platform::Clock& clock_;
    Vue& vue_;
};

// Traffic-period grid: the second within the period and whether the period
// is the station's own, for UTC seconds since midnight, period length
// P seconds (60, 120, 150) and the chosen period (0 1st, 1 2nd).
struct PositionPeriode {
    int r;
    int k;
    bool propre;
};
PositionPeriode positionPeriode(int32_t secondesJour, int P, int periodeTrafic);
// The length in seconds of traffic periods of length index 0, 1, 2 (1 mn,
// 2 mn, 2.5 mn): 60, 120, 150.
int secondesPeriode(int dureePeriode);

// Sky temperature behind the Moon (K, whole, 32 bits): the band's table (144 MHz
// below 400 MHz, else 432 MHz) at the Moon's right ascension (degrees,
// 0..360, interpolated between half-hours), scaled by (136/f)^2 or (400/f)^2.
int temperatureCiel(double raLuneDeg, int32_t freq);
// The AffTemp text: "'Sun'" with the Moon within 6.5 deg of the Sun in right
// ascension (elongation in degrees, 0..360), else the temperature, "<10°K"
// below 10 K.
QString texteTemperature(float elongation, int temperature);
// Moon phase picture 0..7 for an elongation in degrees (0..360): 45-degree
// sectors centred on 0, 45, ..., 315.
int secteurPhase(float elongation);

// x in twips on the sky-map picture of horizon point i (right ascension
// 5 i degrees): Fix(5640 - (5160 / 72) i) in double precision.
int xHorizonCiel(int i);

// Polarisation angle of a station (degrees, -90..90) seeing a source at
// azimuth A and elevation E (degrees) from latitude phi (degrees); +-90 where
// the formula's denominator is zero.
double anglePolarisation(double phi, double A, double E);

} // namespace suivi
