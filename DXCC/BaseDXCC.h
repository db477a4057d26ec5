#pragma once
// The prefix database "DXCCPREF.DBR": one record a line, eight fields joined
// by single TABs, CR LF line ends, Latin-1 text, no header, no quoting.
//
//   Indic  Lieu  LatDeg  LatMin  LatSig  LonDeg  LonMin  LonSig
//   prefix name  degrees minutes N/S     degrees minutes E/W
//
// Every field is kept as text: a comma, a double quote or a leading blank is
// an ordinary character, and a stored record is never checked or normalised.
// Veskaro reads and writes the whole list here; Planner and Tracking look a
// prefix up with rechercherPrefixe(). No widget is used, so tests and the
// other programs link this directly.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Files.h"

namespace dxcc {

// The file's own name; a file of any letter case with this name is found.
inline QString nomFichierDXCC() { return QStringLiteral("DXCCPREF.DBR"); }

constexpr int NombreChamps = 8;
// The editor's list always holds at least this many data rows.
constexpr int LignesMinimum = 13;

// One record as the eight cells of a list row.
using Enregistrement = QStringList;

// The TAB-separated parts of a line as exactly eight cells: parts beyond the
// eighth are dropped, missing ones are empty.
Enregistrement champsDeLigne(const QString& ligne);
// The eight cells joined by TAB (seven TABs for an empty row).
QString ligneDeChamps(const Enregistrement& champs);

// Fault injection for tests of the reading path: the read fails, as a bad
// disk would, once this many bytes have been read.
struct FautesLecture {
    qint64 echecApresOctets = -1;
};

struct LectureDXCC {
    // The list's data rows: the records in file order, an empty line as an
    // empty row, then empty rows up to LignesMinimum.
    std::vector<Enregistrement> lignes;
    // The file could not be opened or read, or it was empty.
    bool erreur = false;
    // The file exists and holds data, but not all of it was read: saving the
    // list over it would lose records.
    bool incomplete = false;
};

// Reads the database of `dossier`. Lines end at CR LF, LF or a lone CR; a
// last line without a line end counts, a line end after the last line adds
// no row. An empty line becomes an empty row and reading goes on after it.
// After a failure the complete lines read before it are kept.
LectureDXCC lireBaseDXCC(const QString& dossier, const FautesLecture& fautes = {});

// Writes every row as one line with CR LF, atomically; a failure (the old
// file then left whole) says why.
platform::SaveResult sauverBaseDXCC(const QString& dossier, const std::vector<Enregistrement>& lignes,
                    const platform::SaveFaults& fautes = {});

// Order of prefixes without regard to letter case (negative, 0, positive).
// The list is kept ascending in this order; the compiled database is sorted by it.
int comparePrefixes(const QString& a, const QString& b);
inline bool memePrefixe(const QString& a, const QString& b) { return comparePrefixes(a, b) == 0; }

// The ordered-insert bisection over rows 0..lignes-1 of a list whose row 0
// is the header: lo = 0, hi = lignes; mid = (lo + hi) / 2; a row whose prefix
// sorts at or after `prefixe` sets hi, any other lo; ends on an equal prefix
// or when hi - lo <= 1. It assumes the rows are ascending; empty rows sort
// before every prefix.
struct Bisection {
    bool trouve = false; // the prefix is in row `derniere`
    int insertion = 0;   // where a missing prefix goes (hi): rows from here move down
    int derniere = 0;    // the last row compared
};
Bisection bisection(const std::function<QString(int)>& prefixeDeLigne, int lignes, const QString& prefixe);

// ---------------------------------------------------------------- look-up
// The look-up of Planner and Tracking: whole lines from the first, the key is
// the text before the line's first TAB, compared with the wanted prefix in
// upper case on both sides; the first match is taken. An empty line or a
// line without a TAB holds no record and is skipped. A missing or empty file
// is a read error: the callers show "DXCC DataBase was not read !".
struct RechercheDXCC {
    enum class Etat { Trouve, Absent, ErreurLecture } etat = Etat::Absent;
    QString ligne;         // the record's whole line, without its line end
    Enregistrement champs; // its eight cells
};
RechercheDXCC rechercherPrefixe(const QString& dossier, const QString& prefixe);

// A record's position: latitude and longitude in degrees (single precision),
// north and east positive. Degrees and minutes are each read as a decimal
// number rounded to a whole number (halves to even); latitude is south unless
// the hemisphere letter is "N" or "n"; longitude is east only when the last
// character of the line (a trailing CR dropped first) is "E" or "e".
struct PositionDXCC {
    QString Indic;
    QString Lieu;
    float latitude = 0;
    float longitude = 0;
};
// nullopt when the line lacks a field (fewer than eight) or the name, a
// minute field or the longitude letter is empty, or a number overflows.
std::optional<PositionDXCC> decoderEnregistrement(const QString& ligne);

} // namespace dxcc
