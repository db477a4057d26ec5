#pragma once
// The station set-up file: 99 lines of 8-bit text, CR LF ended, five section
// titles, one label line before every value, the values in a fixed order.
// This file holds the layout once; the writer lays out the 99 lines from the
// values as the main window shows them, the reader takes the file by the
// station item rule (platform::ItemReader) and gives, in file order, what each
// value line puts into its control, stopping at the first read error.
//
// Every program that reads a station file reads it by position: the labels
// and titles are never compared, except "EME STATION", which the link-budget
// calculator searches for.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace corvinet {

// The values of the station file, in file order. The names are the field
// names of the station parameters and of the main window's controls.
enum class Champ : int {
    Indic, Lieu, LatDeg, LatMin, LatSec, LatSig, LonDeg, LonMin, LonSec, LonSig, Altitude, DecHor,
    PortCom, TypeMesure, Range8b, Off8b, AutoVit, AngDecr, ManVit, SpeedControl,
    AzimOf, AzimOn, ButeeG, ButeeD, ParkAz, OffAz, RangAz, FormatAz, UniteAz, AzStop,
    ElevOf, ElevOn, ButeeB, ButeeH, ParkEl, OffEl, RangEl, FormatEl, UniteEl, ElStop,
    Freq, Power, TxLoss, RxLoss, Noise, Band, Gain,
};
inline constexpr int NbChamps = 47;
inline constexpr int NbLignesStation = 99;

inline constexpr int indice(Champ c) { return static_cast<int>(c); }

// How a value is shown in the main window and so how it is written.
enum class Sorte {
    Texte,        // a text box: its text, unchanged
    TypeMesure,   // the caption of BoutonInput: written "Signal" or "Polar"
    SpeedControl, // the drive-mode option group: written " 0", " 1", " 2"
    Legende,      // a button caption ("BIN"/"BCD", "Deg"/"Grd"), unchanged
    Coche,        // a check box: written " 0" or " 1"
};

struct InfoChamp {
    Champ champ;
    const char* nom; // field and control name, e.g. "LatDeg"
    int ligne;       // 1..99, the value's line in the file
    Sorte sorte;
};
const std::array<InfoChamp, NbChamps>& champs();
const InfoChamp& info(Champ c);
// The field of a control name ("ButeeG"), if there is one.
std::optional<Champ> champParNom(const QString& nom);

// One line of the layout: a title or label (texte, no champ) or a value line.
struct LigneStation {
    QString texte;
    std::optional<Champ> champ;
};
// The 99 lines, index 0 = line 1.
const std::array<LigneStation, NbLignesStation>& lignesStation();

// The values as the main window shows them, one text per field:
// - Texte: the box's text;
// - TypeMesure: the caption of BoutonInput ("Signal meas." / "Polar meas.");
// - SpeedControl: the index of the selected option, "0", "1" or "2", empty
//   when no option is selected;
// - Legende: the button's caption;
// - Coche: "1" ticked, "0" not.
struct ValeursStation {
    std::array<QString, NbChamps> texte;
    QString& operator[](Champ c) { return texte[size_t(indice(c))]; }
    const QString& operator[](Champ c) const { return texte[size_t(indice(c))]; }
};

// The captions and texts written for the chosen values.
inline const QString LegendeSignal = QStringLiteral("Signal meas.");
inline const QString LegendePolar = QStringLiteral("Polar meas.");

// The 99 lines of the file for these values (without line ends; the file
// writer ends each with CR LF). An empty drive mode is written " 0": the
// save checks refuse to save without a chosen mode, so this is only a
// fallback that keeps the file readable.
QStringList ecritureLignesStation(const ValeursStation& v);
// The same as the exact bytes of the file: Latin-1, CR LF after every line.
QByteArray ecritureOctetsStation(const ValeursStation& v);

// What one value line of a file puts into the main window, in file order.
struct ActionLecture {
    enum class Genre {
        Valeur,      // champ takes texte (Texte, TypeMesure caption, Legende) or nombre
        EffaceModes, // the label of the drive mode was read: clear all three options
    } genre = Genre::Valeur;
    Champ champ = Champ::Indic;
    QString texte; // Texte: the item; TypeMesure: the caption; Legende: the caption
    int nombre = 0; // SpeedControl: 0..2; Coche: 0 or 1
};

struct LectureStation {
    std::vector<ActionLecture> actions; // what was read before the end or the first error
    bool erreur = false;                // the read-error message is due
    int items = 0;                      // items read (at most 99)
};

// Reads the text of a station file into actions. A read error, after which
// nothing more is read: fewer than 99 items; a drive mode that does not round
// to 0..2; a check-box state that does not round to 0 or 1; a format caption
// other than "BIN"/"BCD" or a unit other than "Deg"/"Grd" (any of them would
// make the tracking program refuse the file). Items after the 99th are ignored.
LectureStation lectureStation(const QString& texteFichier);

// The items of a station file by the station item rule, at most `maxItems`;
// the line of item k is k + 1 as the set-up program writes the file.
QStringList itemsStation(const QString& texteFichier, int maxItems = NbLignesStation);

// The number of a text by the station number rule, rounded to a 16-bit
// integer (halves to even); nothing when it does not fit -32768..32767.
std::optional<int> entier16(const QString& texte);

// The UTC offset as the window shows it after a load: a non-negative value v
// becomes "+ v" for 0..9 and "+vv" for 10 and more; a negative value or an
// empty text stays as it is. `texteBoite` is the box's text after its filter.
QString decalageAffiche(const QString& texteBoite);

// A file name typed for "New file" or Save As: 5 to 12 characters ending in
// ".dat" in any case, and a bare name that stays in the current folder (no
// "/", "\\", ":", "*", "?", '"', "<", ">", "|" or control character).
bool nomFichierAccepte(const QString& nom);

// True when no name of `liste` equals `nom` once both are in lower case.
bool fichierAbsent(const QStringList& liste, const QString& nom);

} // namespace corvinet
