#pragma once
// "Planner.ini": window places (twips), the main window's size and the two
// options of the period dialog. 32 lines: six blocks of a label and Top, Left
// and a minimised flag, one block of the main window's Height, Width, Top and
// Left, and the options Step and MoonVisible. Numbers are written with a
// leading blank when not negative; the reader takes items by the station item
// rule and rounds every number into 32 bits (a place on a large or second
// screen passes 32767 twips). No window.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace planner {

// One kept window: Top, Left and whether it was minimised (1) or not (0).
struct PositionFenetre {
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Icone = 0;
};

// Order of the six blocks.
enum BlocIni { IniDateCom, IniPrevision, IniComWin, IniCommune, IniDX, IniCiel };

struct ValeursIni {
    std::array<PositionFenetre, 6> Fenetres{};
    int32_t Height = 0, Width = 0, Top = 0, Left = 0; // main window
    int32_t Step = 0;
    int32_t MoonVisible = 0;
};

// The 32 lines of the file.
QStringList lignesPlannerIni(const ValeursIni& v);

// The 24 numbers of the file in order (Top, Left, flag of each block, then
// Height, Width, Top, Left, Step, MoonVisible) as far as they were read; a
// missing file, a missing item or a number outside 32 bits stops the reading
// and sets `erreur`.
struct LectureIni {
    std::vector<int32_t> nombres;
    bool erreur = false;
};
LectureIni lirePlannerIni(const QString& path);

constexpr int NombresIni = 24;

} // namespace planner
