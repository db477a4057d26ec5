#pragma once
// The printed reports of the table windows, on the platform printer in
// twips: title lines, station blocks, framed column headings with icons, the
// rows in fixed-width fields and page numbers on continued reports. A report
// reads only what the window shows (ContenuTable); no window is needed.

#include "platform/Dialogs.h"
#include "platform/widgets/Printer.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

namespace planner {

// What a report takes from one table window.
struct ContenuTable {
    QString caption;
    QStringList Entete;                 // 8 (Moon location) or 12 (common window) header texts
    QString EtiqSource1;                // common window: the source's short name
    QString EtiqNomSource;              // common window: the source's name
    std::vector<QStringList> lignes;    // grid rows 1 .. last, nine cells each
    // Icons of 32 x 32 pixels: Moon location 0 clock, 1 Moon phase, 2 Sun;
    // common window 0 clock.
    std::array<QImage, 3> icones;
};

// Called after each pixel row of an icon so that the interface stays responsive.
using Evenements = std::function<void()>;

// Moon-location report of one window, one document.
void ImprimePrevision(platform::Printer& p, platform::Dialogs& d, const ContenuTable& t, const Evenements& ev = {});
// Common-window report; title line 1 names the source the window was
// computed for (EtiqNomSource), whatever source is chosen at print time.
void ImprimePrevisionCommune(platform::Printer& p, platform::Dialogs& d, const ContenuTable& t,
                             const Evenements& ev = {});

// The row text: nine cells in fields of 6, 7 and then 8 characters,
// right-aligned, cut to their leftmost characters when too long.
QString TexteLigne(const QStringList& cellules);

} // namespace planner
