#pragma once
// Helpers shared by Brulvane's tests: station files as the set-up program
// writes them, and a fresh temporary station folder whose files are written
// and read byte for byte.

#include "platform/testing/TestFiles.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace outils {

// The 99 lines of a station file as the set-up program writes them: `indic`
// on line 3, `lieu` on line 5, "EME STATION" on line 85 and the seven EME
// values `eme` on the even lines 86..98 after their labels.
inline QStringList lignesStation(const QString& indic, const QString& lieu, const QStringList& eme) {
    QStringList l{"COORDONATES", "Call sign:", indic, "Location:", lieu,
                  "Latitude Deg:", "48", "Latitude Min:", "51", "Latitude Sec:", "24", "Latitude N/S:", "N",
                  "Longitude Deg:", "2", "Longitude Min:", "21", "Longitude Sec:", "3", "Longitude E/W:", "E",
                  "Height:", "35", "PC Time UTC+/-:", "+ 1",
                  "PC INTERFACE", "Com Port:", "1", "Meas 8bits", "Signal", "Range", "30", "Offset", "0",
                  "Auto Speed", "1", "Ang Decr", "10", "Man Speed", "1", "Speed control", " 0",
                  "AZIMUT", "Drive Stop:", "1", "Drive Start:", "2", "Endstop CCW:", "0", "Endstop CW:", "359",
                  "Parking:", "180", "Offset:", "0", "Range:", "360", "Format:", "BIN", "Unit:", "Deg",
                  "Encoder w/o stop", " 0",
                  "ELEVATION", "Drive Stop:", "1", "Drive Start:", "2", "Endstop Low:", "0", "Endstop High:", "90",
                  "Parking:", "45", "Offset:", "0", "Range:", "360", "Format:", "BIN", "Unit:", "Deg",
                  "Encoder w/o stop", " 0",
                  "EME STATION"};
    const QStringList labels{"Frequency:", "Tx Power Output:", "Tx Feed Loss:", "Rx Feed Loss:",
                             "Rx Noise Figure:", "Rx Bandwith:", "Antenna Gain:"};
    for (int i = 0; i < 7; ++i)
        l << labels[i] << eme[i];
    return l;
}

// The lines as file bytes (Latin-1), each ended by `fin`.
inline QByteArray octets(const QStringList& lignes, const char* fin = "\r\n") {
    QByteArray b;
    for (const QString& l : lignes)
        b += l.toLatin1() + fin;
    return b;
}

// The bytes of the first `lignes` lines of a station file, CR LF ended.
inline QByteArray stationDat(const QString& indic, const QString& lieu, const QStringList& eme, int lignes = 99) {
    return octets(lignesStation(indic, lieu, eme).mid(0, lignes));
}

// A fresh temporary station folder.
class DossierStation : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString chemin(const QString& nom) const { return dir.filePath(nom); }
    void ecrit(const QString& nom, const QByteArray& octets) {
        ASSERT_TRUE(platform::testing::writeBytes(chemin(nom), octets));
    }
    // The file's bytes; "<absent>" when there is no such file.
    QByteArray lit(const QString& nom) const {
        return QFile::exists(chemin(nom)) ? platform::testing::readBytes(chemin(nom)) : QByteArray("<absent>");
    }
};

} // namespace outils
