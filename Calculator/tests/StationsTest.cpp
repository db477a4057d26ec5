// The home station's share of a station file and the DX file "brulvane.ini",
// each test in a fresh temporary folder.

#include "Calculator/Stations.h"
#include "Outils.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace brulvane;
using outils::lignesStation;

namespace {

const QStringList emeType{"1296", "500", "0.3", "0.2", "0.6", "2500", "31.5"};

// A fresh station folder; the station files' lines written with CR LF or
// with `fin`.
class Dossier : public outils::DossierStation {
protected:
    void ecritLignes(const QString& nom, const QStringList& lignes, const char* fin = "\r\n") {
        ecrit(nom, outils::octets(lignes, fin));
    }
};

} // namespace

TEST_F(Dossier, HomeStationReadsCallSignAndSevenValues) {
    ASSERT_EQ(lignesStation("F1ABC", "Paris", emeType).size(), 99);
    ASSERT_EQ(lignesStation("F1ABC", "Paris", emeType)[84], "EME STATION");
    ecritLignes("home.dat", lignesStation("F1ABC", "Paris", emeType));
    const StationHome st = LectureStationHome(chemin("home.dat"));
    ASSERT_TRUE(st.lu);
    EXPECT_EQ(st.Indic, "F1ABC");
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(st.valeurs[i], emeType[i]) << i;
    EXPECT_TRUE(VerifieStationHome(st.valeurs));
}

TEST_F(Dossier, CommaInLocationOrEmptyLocationOrBareLineFeeds) {
    // A comma splits the location into two items; the scan for the EME
    // title resynchronises.
    ecritLignes("a.dat", lignesStation("DL0XY", "Bonn, Germany", emeType));
    ecritLignes("b.dat", lignesStation("G3Z", "", emeType), "\n");
    for (const char* nom : {"a.dat", "b.dat"}) {
        const StationHome st = LectureStationHome(chemin(nom));
        ASSERT_TRUE(st.lu) << nom;
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(st.valeurs[i], emeType[i]) << nom << " " << i;
    }
}

TEST_F(Dossier, HomeStationMissingShortOrWithoutTitleIsNotRead) {
    EXPECT_FALSE(LectureStationHome(chemin("absent.dat")).lu);
    QStringList l = lignesStation("F1ABC", "Paris", emeType);
    l.removeLast(); // 98 lines: no gain
    ecritLignes("court.dat", l);
    EXPECT_FALSE(LectureStationHome(chemin("court.dat")).lu);
    l = lignesStation("F1ABC", "Paris", emeType);
    l[84] = "EME Station"; // the title is compared exactly
    ecritLignes("titre.dat", l);
    EXPECT_FALSE(LectureStationHome(chemin("titre.dat")).lu);
    ecrit("vide.dat", "");
    EXPECT_FALSE(LectureStationHome(chemin("vide.dat")).lu);
}

TEST(VerifieStationHome, RangesOfTheSevenValues) {
    struct Cas {
        int indice;
        const char* texte;
        bool accepte;
    };
    const Cas cas[] = {
        {0, "0", false}, {0, "", false}, {0, "99999", true}, {0, "100000", false},
        {1, "0", false}, {1, "99999", true}, {1, "99999.5", false},
        {2, "0", true}, {2, "9.99", true}, {2, "10", false},
        {3, "0", true}, {3, "10", false},
        {4, "0", false}, {4, "9.99", true}, {4, "10", false},
        {5, "0", false}, {5, "99999", true}, {5, "100000", false},
        {6, "0", false}, {6, "99.99", true}, {6, "100", false},
    };
    for (const Cas& c : cas) {
        std::array<QString, 7> v;
        for (int i = 0; i < 7; ++i)
            v[i] = emeType[i];
        v[c.indice] = c.texte;
        EXPECT_EQ(VerifieStationHome(v), c.accepte) << c.indice << " '" << c.texte << "'";
    }
}

TEST_F(Dossier, DXFileGoldenBytesAndRoundTrip) {
    const ValeursDX v{"1000", "0.5", "", "0.35", "2500", "35.2"};
    ASSERT_TRUE(SauveStationDX(chemin(NomFichierDX), v));
    EXPECT_EQ(lit(NomFichierDX), QByteArray("DX Station parameters\r\n"
                                            "Tx Power Output\r\n1000\r\n"
                                            "Tx Feed Loss\r\n0.5\r\n"
                                            "Rx Feed Loss\r\n\r\n"
                                            "Rx Noise Figure\r\n0.35\r\n"
                                            "Rx Bandwith\r\n2500\r\n"
                                            "Antenna gain\r\n35.2\r\n"));
    const StationDX st = LectureStationDX(chemin(NomFichierDX));
    ASSERT_TRUE(st.lu);
    EXPECT_EQ(st.nombreLus, 6);
    EXPECT_EQ(st.valeurs, v);
    // Written again, the same bytes.
    const QByteArray premier = lit(NomFichierDX);
    ASSERT_TRUE(SauveStationDX(chemin(NomFichierDX), st.valeurs));
    EXPECT_EQ(lit(NomFichierDX), premier);
}

TEST_F(Dossier, DXFileMissingOrShort) {
    StationDX st = LectureStationDX(chemin(NomFichierDX));
    EXPECT_FALSE(st.lu);
    EXPECT_EQ(st.nombreLus, 0);
    ecrit(NomFichierDX, "DX Station parameters\r\nTx Power Output\r\n800\r\nTx Feed Loss\r\n0.4\r\nRx Feed Loss\r\n");
    st = LectureStationDX(chemin(NomFichierDX));
    EXPECT_FALSE(st.lu);
    EXPECT_EQ(st.nombreLus, 2);
    EXPECT_EQ(st.valeurs[0], "800");
    EXPECT_EQ(st.valeurs[1], "0.4");
}

TEST_F(Dossier, FailedDXSaveLeavesTheOldFileWhole) {
    const ValeursDX ancien{"100", "0.5", "0.2", "0.8", "100", "50"};
    ASSERT_TRUE(SauveStationDX(chemin(NomFichierDX), ancien));
    const QByteArray avant = lit(NomFichierDX);
    platform::SaveFaults fautes;
    fautes.failAfterBytes = 30;
    EXPECT_FALSE(SauveStationDX(chemin(NomFichierDX), ValeursDX{"9", "9", "9", "9", "9", "9"}, fautes));
    EXPECT_EQ(lit(NomFichierDX), avant);
    fautes = {};
    fautes.failOnRename = true;
    EXPECT_FALSE(SauveStationDX(chemin(NomFichierDX), ValeursDX{"9", "9", "9", "9", "9", "9"}, fautes));
    EXPECT_EQ(lit(NomFichierDX), avant);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{NomFichierDX}); // no temporary left
}
