#pragma once
// Tracking's share of the station set-up file (*.dat): the values it keeps,
// the reader (items 1..87 by position), the consistency check of a station
// before it is tracked, and the reading of the station's correction table.
// No widget here: the tests run it directly.

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace suivi {

// The station values Tracking keeps, under the station file's field names.
struct StationTrack {
    QString Indic, Lieu;
    double LatitudeStation = 0;        // degrees, north positive
    double LongitudeStation = 0;       // degrees, east positive
    double LongitudeStationHeures = 0; // hours, east positive
    int16_t Altitude = 0;              // metres
    int16_t DecHor = 0;                // hours; UTC = PC time - DecHor
    int32_t Freq = 0;                  // MHz
    int16_t PortCom = 0;               // 0 = no interface box
    QString TypeMesure;                // "Signal" = level input, anything else polarisation
    float Range8b = 0, Off8b = 0, AutoVit = 0, AngDecr = 0, ManVit = 0;
    int16_t SpeedControl = 0;          // 0 relay, 1 relay + speed byte, 2 proportional
    float AzimOf = 0, AzimOn = 0, ElevOf = 0, ElevOn = 0; // hysteresis, degrees
    int16_t ButeeG = 0, ButeeD = 0, ButeeB = 0, ButeeH = 0, ParkAz = 0, ParkEl = 0;
    float OffAz = 0;                   // degrees; a negative value read is raised by 360
    float OffEl = 0, RangAz = 0, RangEl = 0;
    QString FormatAz, FormatEl, UniteAz, UniteEl; // "BIN"/"BCD", "Deg"/"Grd"
    int16_t AzStop = 0, ElStop = 0;
};

// Reads a station file. nullopt when it cannot be read, holds fewer than 87
// items, or a number does not fit its field, single precision included (the
// caller's read error).
std::optional<StationTrack> lireStation(const QString& path);

// The consistency rules a station must pass before it is tracked; false at
// the first rule that fails. With PortCom 0 only the frequency and the port
// number are checked; with a box also the drive mode (0..2), a measurement
// range above 0, in drive modes 1 and 2 the speeds (0.2..1) and the
// decrease angle (5..45), and end stops within azimuth 0..359 and elevation
// -90..90.
bool verifierStation(const StationTrack& s);

// The correction table as Tracking applies it: entry k (0..35) is the
// correction at azimuth 10 k degrees, entry 36 a copy of entry 0.
struct Corrections {
    std::array<float, 38> TableCorrectionAzimut{};
    std::array<float, 38> TableCorrectionElevation{};
    bool CorrectionActive = false;
};

// Reads the table `path` into `c`. Each item that fails Tracking's check
// (label not "[10k]", a value outside -5..+5) calls `echec` once and is not
// stored; reading stops after the record holding a failure. A file that
// cannot be read or ends early leaves CorrectionActive false silently (and
// entry 36 not copied). Returns the number of failed items.
int lireCorrections(const QString& path, Corrections& c, const std::function<void()>& echec);

} // namespace suivi
