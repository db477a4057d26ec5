#pragma once
// The tracking correction table file (*.tcv), shared by Correct, which writes
// and reads it, and Tracking, which reads it at every station load.
//
// Layout: 111 lines, each ended by CR LF: three comment lines, then for each
// azimuth 0, 10, ..., 350 degrees a label line "[<azimuth>]", the azimuth
// correction and the elevation correction, in degrees, as plain decimal text
// with "." as the separator. A value line may be empty (value 0).
//
// This file holds only the layout: the name rule, the lines the writer lays
// out, the items a reader takes, and the value of an item. What a program does
// with a label or a value that does not pass is that program's own check.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "platform/Files.h"

namespace correction {

constexpr int NombreEnregistrements = 36;         // azimuth 0..350 in steps of 10 degrees
constexpr int PasAzimut = 10;                     // degrees between two records
constexpr int NombreLignesCommentaire = 3;
constexpr int NombreLignes = NombreLignesCommentaire + 3 * NombreEnregistrements; // 111
constexpr float CorrectionMax = 5.0f;             // degrees; a correction lies in -5..+5

// The three comment lines, in order.
const QStringList& lignesCommentaire();

// Table file name of a station file: its bare name minus the last four
// characters (".dat"), then ".tcv" in lower case; the base keeps its
// characters and case ("home.dat" -> "home.tcv", "a.b.dat" -> "a.b.tcv",
// "HOME.DAT" -> "HOME.tcv").
QString nomFichierCorrection(const QString& fichierStation);

// One record as its three texts: the azimuth label's text (without brackets),
// the azimuth correction and the elevation correction.
struct EnregistrementCorrection {
    QString azimut;
    QString correctionAz;
    QString correctionEl;
    bool operator==(const EnregistrementCorrection&) const = default;
};
using TableCorrection = std::array<EnregistrementCorrection, NombreEnregistrements>;

// The default (and reset) table: azimuth Str(10k) (" 0", " 10", ..., " 350"),
// both corrections " 0".
TableCorrection tableParDefaut();

// The 111 lines the writer lays out for `table`: every text with its leading
// blanks removed, the azimuth inside brackets; an empty text gives an empty
// line. No line ends here; the file adds CR LF to each.
QStringList lignesFichierCorrection(const TableCorrection& table);

// Writes `table` to `path` atomically (CR LF, Latin-1). A failure (the old
// file then left whole) says why.
platform::SaveResult ecrireFichierCorrection(const QString& path, const TableCorrection& table,
                                             const platform::SaveFaults& faults = {});

// The items of a table file in file order, by the item rule (an item ends at a
// comma or at the end of its line, leading blanks skipped), at most
// NombreLignes of them: items after the last record are never read.
// nullopt when the file cannot be opened or read. A file that is too short
// gives fewer items; the reader that walks them decides what that means.
std::optional<QStringList> lireElementsFichierCorrection(const QString& path);

// The same items with the line (from 1) each begins on, for messages that
// name where a bad item stands.
struct ElementsFichierCorrection {
    QStringList textes;
    QList<int> lignes; // lignes[i]: the line of textes[i]
};
std::optional<ElementsFichierCorrection> lireElementsEtLignes(const QString& path);

// The item index (0-based) of record k's label; its azimuth correction and
// elevation correction follow it.
constexpr int indexEtiquette(int k) { return NombreLignesCommentaire + 3 * k; }

// Text between the first and the last character of a label item ("[10]" ->
// "10", "[ 10]" -> " 10", "10" -> ""); nullopt for an item shorter than two
// characters, which has no such text.
std::optional<QString> texteEtiquette(const QString& etiquette);

// Value of a correction or label text: the decimal number it begins with,
// blanks ignored, 0 when there is none; single precision.
float valeurCorrection(const QString& texte);

// True when -CorrectionMax <= v <= +CorrectionMax.
inline bool dansLimites(float v) { return v >= -CorrectionMax && v <= CorrectionMax; }

} // namespace correction
