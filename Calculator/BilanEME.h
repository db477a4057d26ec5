#pragma once
// The EME link budget between the home station and a DX station: path loss,
// system noise, excess Moon noise, total noise, echo signals and
// signal-plus-noise to noise ratios of both stations.
//
// Widget-free: the calculator window hands in the texts of its 14 boxes and
// gets back the texts of its 15 result labels. All named quantities are held
// in single precision (float); within one formula the arithmetic runs in
// double; powers of ten are taken in double and stored in single precision.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace brulvane {

// The input boxes of the calculator window, in the order the computation
// reads them (SkyTemp last: it is never refused).
enum class Boite {
    HP_TxPower, HP_TxLoss, Hp_RxLoss, HP_RxNF, HP_RxBW, HP_AntGain,
    DP_TxPower, DP_TxLoss, DP_RxLoss, DP_RxNF, DP_RxBW, DP_AntGain,
    HP_Frequence, SkyTemp,
};
inline constexpr int NombreBoites = 14;
// The boxes refused when they read 0: all but SkyTemp.
inline constexpr int NombreBoitesRefusables = 13;

// The result labels, in the order in which EffaceResultats blanks them.
enum class Resultat {
    H_SystemNoise, H_MoonNoise, H_TotalNoise, H_HomeSignal, H_SNHome, H_DXSignal, H_SNDX,
    D_SystemNoise, D_MoonNoise, D_TotalNoise, D_HomeSignal, D_SNHome, D_DXSignal, D_SNDX,
    PathEME,
};
inline constexpr int NombreResultats = 15;

// Moon distance in metres at perigee: the distance the calculator window
// starts with each time it opens.
inline constexpr int32_t DistancePerigee = 356410000;

// The Range list: entry texts in list order, with the Earth-Moon distance in
// metres and the Moon's apparent diameter in arcminutes.
struct EntreeRange {
    const char* texte;
    int32_t distance;
    float diametre;
};
inline constexpr std::array<EntreeRange, 3> ListeRange{{
    {"Perigee", 356410000, 33.46f},
    {"Average", 384400000, 31.4f},
    {"Apogee", 406740000, 29.38f},
}};

// Distance after a choice in the Range list: the entries are compared in the
// order "Perigee", "Apogee", "Average"; a text matching none keeps `actuelle`.
int32_t DistancePourRange(const QString& texteRange, int32_t actuelle);
// Apparent Moon diameter in arcminutes for the list's text; 0 for a text that
// matches no entry.
float DiametrePourRange(const QString& texteRange);

// The noise unit: "dBm" (system and total noise in dBm/Hz) or "K" (noise
// temperatures in kelvin). BasculeUnite gives the unit after one press of
// "dBm/Hz <-> K": anything but "dBm" becomes "dBm", "dBm" becomes "K".
QString BasculeUnite(const QString& uniteBruit);
// Text of the four noise unit labels for a unit: "dBm/Hz" or "K".
QString EtiquetteUnite(const QString& uniteBruit);

// Fill factor k of a Moon wider than the beam, for r = Moon diameter /
// beamwidth > 1: 0.56 + 0.44 (r - 1) up to 1.5, 0.78 + 0.26 (r - 1.5) up to 2,
// 0.91 + 0.08 (r - 2) up to 3, then 1.
float FacteurRemplissage(float r);

// log10 x for x > 0, in single precision: ln x / ln 10 taken in double.
float LogDecimal(float x);

struct EntreesBilan {
    std::array<QString, NombreBoites> textes; // indexed by Boite
    QString range;                            // text of the Range list
    int32_t DistanceLune = DistancePerigee;   // metres
    QString UniteBruit = "dBm";
};

struct ResultatsBilan {
    // Set when the computation was refused: the first box reading 0. The
    // caller beeps and puts the focus there; no label may be written.
    std::optional<Boite> boiteRefusee;
    // Label texts indexed by Resultat; an empty text where the value is not a
    // finite number.
    std::array<QString, NombreResultats> textes;
    // Beam figures of the home (0) and DX (1) halves, for inspection:
    // r = Moon diameter / beamwidth, k = fill factor (0 when r <= 1).
    std::array<float, 2> r{};
    std::array<float, 2> k{};

    const QString& operator[](Resultat x) const { return textes[static_cast<int>(x)]; }
};

// All 15 labels blank, as EffaceResultats leaves them.
std::array<QString, NombreResultats> EffaceResultats();

// Text form of a result: the decimal text of the single-precision value with
// at most 7 significant digits, no leading blank, a zero before a leading
// decimal point ("0.3"), a minus sign where negative; empty for infinity or
// not-a-number.
QString TexteResultat(float x);

// The link budget for the given box texts.
ResultatsBilan CalculBilanEME(const EntreesBilan& e);

} // namespace brulvane
