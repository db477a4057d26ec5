#pragma once
// Helpers shared by Corvinet's tests: the fixture station files and the
// values they hold, as the main window shows them; the check of a message box.

#include "Corvinet/FichierStation.h"
#include "platform/Dialogs.h"
#include "platform/testing/DialogChecks.h"
#include "platform/testing/TestFiles.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <optional>

namespace outils {

inline QString fixture(const QString& nom) { return QStringLiteral(CORVINET_FIXTURES "/") + nom; }

using platform::testing::isMessage;
using platform::testing::readBytes;

// The values of station_port1.dat as the window shows them after loading.
inline corvinet::ValeursStation valeursPort1()
{
    using corvinet::Champ;
    corvinet::ValeursStation v;
    const std::pair<Champ, const char*> t[] = {
        {Champ::Indic, "F6XYZ"}, {Champ::Lieu, "Mont d'Or (69)"}, {Champ::LatDeg, "45"}, {Champ::LatMin, "50"},
        {Champ::LatSec, "7"}, {Champ::LatSig, "N"}, {Champ::LonDeg, "4"}, {Champ::LonMin, "47"},
        {Champ::LonSec, "30"}, {Champ::LonSig, "E"}, {Champ::Altitude, "625"}, {Champ::DecHor, "+ 2"},
        {Champ::PortCom, "1"}, {Champ::TypeMesure, "Signal meas."}, {Champ::Range8b, "30"}, {Champ::Off8b, "5"},
        {Champ::AutoVit, "0.5"}, {Champ::AngDecr, "15"}, {Champ::ManVit, "0.8"}, {Champ::SpeedControl, "1"},
        {Champ::AzimOf, "0.4"}, {Champ::AzimOn, "0.8"}, {Champ::ButeeG, "300"}, {Champ::ButeeD, "60"},
        {Champ::ParkAz, "330"}, {Champ::OffAz, "180"}, {Champ::RangAz, "360"}, {Champ::FormatAz, "BIN"},
        {Champ::UniteAz, "Deg"}, {Champ::AzStop, "0"}, {Champ::ElevOf, "0.2"}, {Champ::ElevOn, "0.6"},
        {Champ::ButeeB, "-2"}, {Champ::ButeeH, "80"}, {Champ::ParkEl, "0"}, {Champ::OffEl, "-2"},
        {Champ::RangEl, "100"}, {Champ::FormatEl, "BIN"}, {Champ::UniteEl, "Grd"}, {Champ::ElStop, "1"},
        {Champ::Freq, "1296"}, {Champ::Power, "500"}, {Champ::TxLoss, "0.5"}, {Champ::RxLoss, "0.3"},
        {Champ::Noise, "0.6"}, {Champ::Band, "2500"}, {Champ::Gain, "34.5"},
    };
    for (const auto& [c, s] : t) v[c] = QString::fromLatin1(s);
    return v;
}

} // namespace outils
