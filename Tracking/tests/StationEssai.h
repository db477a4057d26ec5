#pragma once
// The station of Tracking's tests and benchmark: a box on COM 1, stops 5 and
// 355 in azimuth, 0 and 90 in elevation, 16-bit BIN encoders over 360
// degrees, park 180/10; drive mode `mode`.

#include "Tracking/Station.h"

namespace suivi::test {

inline StationTrack stationBox(int16_t mode = 0)
{
    StationTrack s;
    s.Indic = "N0CALL";
    s.Lieu = "Test";
    s.LatitudeStation = 43.6;
    s.LongitudeStation = 1.44;
    s.LongitudeStationHeures = 1.44 / 15;
    s.Freq = 144;
    s.PortCom = 1;
    s.TypeMesure = "Signal";
    s.Range8b = 51;
    s.AutoVit = 1;
    s.AngDecr = 10;
    s.ManVit = 0.5f;
    s.SpeedControl = mode;
    s.AzimOf = 0.5f;
    s.AzimOn = 2;
    s.ElevOf = 0.5f;
    s.ElevOn = 2;
    s.ButeeG = 5;
    s.ButeeD = 355;
    s.ButeeB = 0;
    s.ButeeH = 90;
    s.ParkAz = 180;
    s.ParkEl = 10;
    s.OffAz = 0;
    s.OffEl = 0;
    s.RangAz = 360;
    s.RangEl = 360;
    s.FormatAz = s.FormatEl = "BIN";
    s.UniteAz = s.UniteEl = "Deg";
    return s;
}

} // namespace suivi::test
