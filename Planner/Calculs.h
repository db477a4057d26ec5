#pragma once
// Planner's computations, without any window: the Moon-location tables, the
// common-window tables, the common-window curve on the world map, the DX
// point's values, the sky temperature behind the Moon, the Moon phase and the
// radio-sky map markers. They work on a VariablesPlanner and hand rows and
// finished days to a SortieTable, which the program backs with its table
// windows and tests with a recorder.

#include "Planner/Variables.h"

#include <QString>
#include <array>
#include <functional>
#include <utility>

namespace planner {

// One row of a table as computed: the UTC and local time of its step and the
// seven numbers of its other cells. texte() lays them out as the row's nine
// cells joined by TAB; a table window's grid asks for it only when the row
// is shown or read. A row left as constructed is the empty separator row.
struct LigneTable {
    // How a number cell is laid out.
    enum class Cellule : uint8_t {
        Angle,  // degrees in single precision, "##0.00"
        Entier, // `entier` as decimal text without a leading blank ("-295")
        Hertz,  // "####0"
        Degres, // "##0.0"
        Tirets, // "------"
    };
    bool vide = true;
    int16_t heure = 0, heureLocale = 0, minute = 0;
    std::array<Cellule, 7> cellules{};
    std::array<float, 7> valeurs{};
    int32_t entier = 0;
    QString texte() const;
};

// Where a table computation puts its results.
class SortieTable {
public:
    virtual ~SortieTable() = default;
    // Yields to the event queue once; false when the computation must stop
    // (File > New asked this run to stop, or the program ended).
    virtual bool cede() = 0;
    // Row r (from 1) of window `index`. The window is created on first use
    // and its grid raised to r + 1 rows when needed.
    virtual void ecritLigne(int index, int r, const LigneTable& ligne) = 0;
    // Raises the grid of window `index` to r + 1 rows if needed, row r empty.
    virtual void ligneVide(int index, int r) = 0;
    // The day of window `index` is complete (AffichePrevision /
    // AffichePrevisionCommune), while DateCalcul still names it.
    virtual void finJour(int index) = 0;
    // "... is not visible on ..." for the day that has just ended.
    virtual void nonVisible(const QString& texte) = 0;
    // The empty window at `index` is discarded (the period ended on a new day
    // without rows).
    virtual void fermeFenetre(int index) = 0;
};

// Moon-location tables from the start instant the period dialog left
// (DateCalcul, HeureCalcul, MinuteCalcul, FractionJour, HeureUT, JourJulien)
// to DateJulienneFin, every Step minutes, for the Moon (code 0).
// A Step outside 1..PasMaximum (Planner/Dates.h) computes nothing (the clock could not move,
// or would jump past a whole day).
void CalculPrevision(VariablesPlanner& v, SortieTable& sortie);
// Common-window tables for CodeSource between home and the DX station's own
// position (LatitudeDX, LongitudeDXHeures). AscDroiteSoleil is the Sun's right
// ascension at the day's latest row, as in the Moon-location tables.
void CalculPrevisionCommune(VariablesPlanner& v, SortieTable& sortie);

// The not-visible message for the day in DateCalcul.
QString texteNonVisible(const VariablesPlanner& v);

// The curve: for the instant in JourJulien / FractionJour, CalculPositionSource
// for CodeSource, DeclinaisonCourbe, then 72 columns of CourbeFenetreCommune.
// `cede` is called once per column; false stops the loop (no window left).
void CalculCourbe(VariablesPlanner& v, const std::function<bool()>& cede);
// The value of one column at map X `x` (the source position and
// DeclinaisonCourbe already set; sets LongitudeObservateur and the sidereal time).
double ColonneCourbe(VariablesPlanner& v, int16_t x);
// The choice of one column's map Y from the source's elevations Et at the top
// edge and Eb at the bottom edge (degrees, single precision) and its
// declination (radians; 0 counts as north): an edge when the source is down or
// up at both edges, else a bisection on map Y (twips) that probes
// `elevation(y)` until the elevation lies within -0.25..0.25 (open) or the probe
// is less than 10 twips from an end of its interval.
double ChoixColonne(float et, float eb, double declinaison, const std::function<double(int16_t)>& elevation);

// Angle of the polarisation plane (degrees, -90..90) for an observer at
// latitude phi (radians) seeing the source at azimuth a and elevation e (radians).
float AnglePolar(double phi, float a, float e);
// Ph - Pd folded into -90..90 (exactly +-90 kept).
float DecalagePolar(float ph, float pd);

// The DX point: the mark at map X, Y (twips) and the position its values are
// computed for. From a map click the position is the map point's, and it has
// no prefix; from a prefix record it is the record's own latitude and
// longitude (degrees), with its prefix and entity name.
void FixePointDX(VariablesPlanner& v, int16_t x, int16_t y);
void FixePointDX(VariablesPlanner& v, int16_t x, int16_t y, double latitude, double longitude, const QString& prefixe,
                 const QString& pays);
// No DX point (X = Y = 0) and no prefix.
void OtePointDX(VariablesPlanner& v);
// A click at map X, Y (twips, any value) as a DX mark: held inside the map
// and off 0, since X = 0 or Y = 0 means no DX point.
std::pair<int16_t, int16_t> PointClic(double x, double y);

// A copy of the variables for one instant (a date box's and a time box's
// texts) with the home station as observer and its sidereal time computed.
// The DX values and the radio-sky map are computed on such a copy, so they
// neither take what a table computation left in the astronomy state nor leave
// anything there.
VariablesPlanner AInstant(const VariablesPlanner& v, const QString& date, const QString& time);

// The DX station's values for the instant and home observer held in v (see
// AInstant): the source at home and at the DX station's own position.
struct ResultatDX {
    QString AffAzimDX, AffElevDX, AffDopplerDX, AffPolarDX, AffDistance;
};
ResultatDX CalculPointDX(VariablesPlanner v);

// The sky-temperature line of a table window for the Moon between right
// ascensions a1 and a2 (degrees) with the Sun at aSoleil.
QString LigneTempCiel(int32_t freq, float a1, float a2, float aSoleil);
// Moon-phase picture 0..7 for a right-ascension difference d (0..360 degrees).
int SecteurPhase(double d);
// The phase picture of a table day (the mean of a1 and a2 across 0 h).
int PhaseJour(float a1, float a2, float aSoleil);
// Header texts of the table windows.
QString TexteLatitude(const QString& etiquette, double lat);
QString TexteLongitude(const QString& etiquette, double lon);
QString TexteFrequence(int32_t freq);
// Cascade of the table windows: base + i * pas, held inside ecran - marge.
int PlaceFenetre(int i, int pas, int base, int ecran, int marge);
// The cascade's first place along one axis (twips): `base`, or 0 when a
// window of `taille` there would pass the edge of a screen of `ecran` (a
// place kept from a larger screen), so that the cascade starts where the
// windows can be seen instead of stacking them all at the edge.
int BaseCascade(int base, int taille, int ecran);

// The radio-sky map for the instant and observer held in v (see AInstant).
struct Ciel {
    float SolLeft = 0, SolTop = 0, LuneLeft = 0, LuneTop = 0;
    // The markers' right ascensions and declinations (degrees).
    float AscDroiteSoleil = 0, DeclinaisonSoleil = 0, AscDroiteLune = 0, DeclinaisonLune = 0;
    QString AffHA, AffDecl, AffExtraLoss, EtiqTemp, AffTemp;
    int Phase = 0;
};
Ciel CalculCiel(VariablesPlanner v);

} // namespace planner
