#pragma once
// "Planner.ini": window places (twips), the main window's size and the two
// options of the period dialog. 32 lines: six blocks of a label and Top, Left
// and a minimised flag, one block of the main window's Height, Width, Top and
// Left, and the options Step and MoonVisible. Numbers are written with a
// leading blank when not negative; the reader takes items by the station item
// rule and rounds every number into 16 bits. No window.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace planner {

// One kept window: Top, Left and whether it was minimised (1) or not (0).
struct PositionFenetre {
    int16_t Top = 0;
    int16_t Left = 0;
    int16_t Icone = 0;
};

// Order of the six blocks.
enum BlocIni { IniDateCom, IniPrevision, IniComWin, IniCommune, IniDX, IniCiel };

struct ValeursIni {
    std::array<PositionFenetre, 6> Fenetres{};
    int16_t Height = 0, Width = 0, Top = 0, Left = 0; // main window
    int16_t Step = 0;
    int16_t MoonVisible = 0;
};

// A value held in 16 bits (a place past 32767 twips, on a very large screen,
// is written as 32767 and held inside the screen when it is read).
int16_t en16(long long n);

// The 32 lines of the file.
QStringList lignesPlannerIni(const ValeursIni& v);

constexpr int NombresIni = 24;

// The 24 numbers of the file in order (Top, Left, flag of each block, then
// Height, Width, Top, Left, Step, MoonVisible). A number that is missing,
// is not a number or does not fit 16 bits is left empty and sets `erreur`;
// every other number of the file is read. A label where a number was due
// (a number's line missing) starts its own block there, and a number where a
// label was due (a label's line missing) is its block's first, so the blocks
// after a missing line keep their values. A missing file: `erreur`, no number.
struct LectureIni {
    std::array<std::optional<int16_t>, NombresIni> nombres{};
    bool erreur = false;
};
LectureIni lirePlannerIni(const QString& path);

} // namespace planner
