#pragma once
// Shared fixtures of Tracking's tests: a station with an interface box, a link
// that records every byte and answers from a table.

#include "Tracking/Protocole.h"
#include "Tracking/Station.h"
#include "Tracking/tests/StationEssai.h"
#include "platform/testing/QtTestApp.h"
#include "platform/testing/SourceDir.h"
#include "platform/testing/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <QString>
#include <map>
#include <utility>
#include <vector>

namespace suivi::test {

// A file of the default station folder (station/ of the source tree).
inline QString fichierStation(const char* nom)
{
    return platform::testing::sourcePath(QStringLiteral("station/") + nom);
}


// A file of the default station folder (station/ of the sources).
inline QString source(const char* nom) { return fichierStation(nom); }

// Copies the default station folder's files a window test starts from
// (home.dat, the prefix database, the start picture) into `dossier`.
inline void copieStationParDefaut(const QString& dossier)
{
    for (const char* f : {"home.dat", "DXCCPREF.DBR", "logo.bmp"})
        ASSERT_TRUE(QFile::copy(fichierStation(f), QDir(dossier).filePath(QString::fromLatin1(f))));
}

// A window test's own station folder, a copy of the default one.
class DossierStation : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::application();
        ASSERT_TRUE(dossier.isValid());
        copieStationParDefaut(dossier.path());
    }
    QString chemin(const QString& nom) const { return QDir(dossier.path()).filePath(nom); }

    QTemporaryDir dossier;
};

// home.dat of the default station folder with some lines (1-based) replaced.
inline QByteArray stationModifiee(const std::vector<std::pair<int, QByteArray>>& lignes)
{
    QList<QByteArray> l = platform::testing::readBytes(source("home.dat")).split('\n');
    for (const auto& [ligne, valeur] : lignes)
        l[ligne - 1] = valeur + "\r";
    return l.join('\n');
}

class LiaisonEnregistree : public Liaison {
public:
    int echange(uint8_t code) override
    {
        octets.push_back(code);
        auto it = reponses.find(code);
        return it == reponses.end() ? 0 : it->second;
    }
    bool arret(uint8_t code) override
    {
        octets.push_back(code);
        return true;
    }
    std::vector<uint8_t> octets;
    std::map<uint8_t, int> reponses;
};

} // namespace suivi::test
