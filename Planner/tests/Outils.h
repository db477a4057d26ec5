#pragma once
// Helpers of Planner's tests: station files as the set-up program writes
// them, a fresh temporary station folder, and a recorder of table output.

#include "Planner/Calculs.h"
#include "platform/testing/TestFiles.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace outils {

// The 99 lines of a station file: position by degrees, minutes, seconds and
// letters, height, clock offset and frequency.
struct Station {
    QString indic = "F1ABC", lieu = "Paris";
    QString latDeg = "48", latMin = "51", latSec = "0", latSig = "N";
    QString lonDeg = "2", lonMin = "21", lonSec = "0", lonSig = "E";
    QString hauteur = "35", decHor = "+ 1", freq = "144";
};

// Two stations far apart: Toulouse, and Buenos Aires (432 MHz, UTC - 3).
inline Station toulouse() {
    Station s;
    s.lieu = "Toulouse";
    s.latDeg = "43", s.latMin = "36", s.latSec = "16", s.latSig = "N";
    s.lonDeg = "1", s.lonMin = "26", s.lonSec = "38", s.lonSig = "E";
    s.hauteur = "146";
    return s;
}

inline Station buenosAires() {
    Station s;
    s.indic = "LU1ABC";
    s.lieu = "Buenos Aires";
    s.latDeg = "34", s.latMin = "36", s.latSec = "0", s.latSig = "S";
    s.lonDeg = "58", s.lonMin = "22", s.lonSec = "0", s.lonSig = "W";
    s.decHor = "-3";
    s.freq = "432";
    return s;
}

inline QByteArray stationDat(const Station& s, bool avecEME = true) {
    QStringList l{"COORDONATES", "Call sign:", s.indic, "Location:", s.lieu,
                  "Latitude Deg:", s.latDeg, "Latitude Min:", s.latMin, "Latitude Sec:", s.latSec,
                  "Latitude N/S:", s.latSig, "Longitude Deg:", s.lonDeg, "Longitude Min:", s.lonMin,
                  "Longitude Sec:", s.lonSec, "Longitude E/W:", s.lonSig, "Height:", s.hauteur,
                  "PC Time UTC+/-:", s.decHor, "PC INTERFACE", "Com Port:", "0"};
    while (l.size() < 84)
        l << "0";
    if (avecEME)
        l << "EME STATION";
    else
        l << "EME STATIONS";
    l << "Frequency:" << s.freq;
    for (int i = 0; i < 6; ++i)
        l << "Value:" << "1";
    QByteArray b;
    for (const QString& x : l)
        b += x.toLatin1() + "\r\n";
    return b;
}

class DossierStation : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString chemin(const QString& nom) const { return dir.filePath(nom); }
    void ecrit(const QString& nom, const QByteArray& octets) {
        ASSERT_TRUE(platform::testing::writeBytes(chemin(nom), octets));
    }
    QByteArray lit(const QString& nom) const {
        return QFile::exists(chemin(nom)) ? platform::testing::readBytes(chemin(nom)) : QByteArray("<absent>");
    }
};

// Records what a table computation hands over: the rows of each window, the
// days finished, the messages and the windows closed.
class Enregistreur : public planner::SortieTable {
public:
    std::map<int, std::map<int, QString>> fenetres; // index -> row -> cells
    std::vector<int> jours;
    std::vector<QString> captions;                  // weekday and date at each finished day
    std::vector<float> soleils;                     // AscDroiteSoleil at each finished day
    std::map<int, VariablesPlanner> resumes;        // the variables at the end of each window's day
    QStringList messages;
    std::vector<int> fermees;
    int pas = 0;
    int arretApres = -1;                            // cede() false after this many steps
    VariablesPlanner* v = nullptr;

    bool cede() override { return arretApres < 0 || pas++ < arretApres; }
    void ecritLigne(int index, int r, const planner::LigneTable& l) override { fenetres[index][r] = l.texte(); }
    void ligneVide(int index, int r) override { fenetres[index][r] = QString(); }
    void finJour(int index) override;
    void nonVisible(const QString& t) override { messages << t; }
    void fermeFenetre(int index) override { fermees.push_back(index); }
};

} // namespace outils

#include "Planner/Station.h"
inline void outils::Enregistreur::finJour(int index) {
    jours.push_back(index);
    if (v)
        soleils.push_back(v->AscDroiteSoleil);
    if (v)
        resumes[index] = *v;
    if (v)
        captions.push_back(QString::fromStdString(v->Astro.NomJourSemaine) + " " +
                           planner::texteDate(v->Astro.DateCalcul).value_or("?") + " from " + v->HeureDebutTable +
                           " to " + v->HeureFinTable);
}
