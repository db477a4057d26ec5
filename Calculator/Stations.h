#pragma once
// The files Brulvane reads and writes, widget-free: the home station's share
// of a station set-up file ("*.dat") and the DX station parameters
// "brulvane.ini".

#include "platform/Files.h"

#include <QString>
#include <QStringList>
#include <array>

namespace brulvane {

// The section title after which the seven EME values follow.
inline constexpr char TitreEME[] = "EME STATION";
inline constexpr char NomFichierDX[] = "brulvane.ini";

// What the calculator takes from a station file: the call sign (third item)
// and the seven values after "EME STATION", as texts, in the order
// HP_Frequence, HP_TxPower, HP_TxLoss, Hp_RxLoss, HP_RxNF, HP_RxBW,
// HP_AntGain.
struct StationHome {
    bool lu = false; // false: the file could not be opened or ended too soon
    QString Indic;
    std::array<QString, 7> valeurs;
};

// Reads the station file at `chemin` by the station-file item rule: item 3 is
// the call sign; after the location's label and value, items are skipped up
// to the first one equal to "EME STATION" (so a comma in the location does
// not shift the values); then the frequency's label is skipped and seven
// values are read, one label item skipped between two values.
StationHome LectureStationHome(const QString& chemin);

// The accepted ranges of the seven home values (in the order above), taken in
// double precision: 0 < f <= 99999 MHz, 0 < P <= 99999 W, 0 <= Tx loss < 10,
// 0 <= Rx loss < 10, 0 < NF < 10 dB, 0 < BW < 100000 Hz, 0 < G < 100 dBi.
bool VerifieStationHome(const std::array<QString, 7>& valeurs);

// The six DX texts in the order DP_TxPower, DP_TxLoss, DP_RxLoss, DP_RxNF,
// DP_RxBW, DP_AntGain.
using ValeursDX = std::array<QString, 6>;

// Reading of "brulvane.ini": item 1 and every even item are skipped; items 3,
// 5, ..., 13 are the six values. `nombreLus` tells how many values were read
// before the file ended (6 when complete); `lu` is false when the file could
// not be opened or holds fewer than six values.
struct StationDX {
    bool lu = false;
    int nombreLus = 0;
    ValeursDX valeurs;
};
StationDX LectureStationDX(const QString& chemin);

// The 13 lines of "brulvane.ini" for the six DX texts, as they stand.
QStringList LignesStationDX(const ValeursDX& valeurs);
// Writes them atomically, CR LF ended; a failure (the previous file then left
// whole) says why.
platform::SaveResult SauveStationDX(const QString& chemin, const ValeursDX& valeurs,
                                    const platform::SaveFaults& fautes = {});

} // namespace brulvane
