// The prefix database file: reading with its padding and its empty lines,
// golden bytes of a save, atomic saves, the ordered-insert bisection, and the
// look-up the other programs use.

#include <gtest/gtest.h>

#include "platform/testing/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "DXCC/BaseDXCC.h"

using namespace dxcc;

using platform::testing::readBytes;
using platform::testing::writeBytes;

namespace {

Enregistrement rec(const char* ligne) { return champsDeLigne(QString::fromLatin1(ligne)); }

const QByteArray SeptTabs("\t\t\t\t\t\t\t\r\n");

class Base : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString chemin() const { return dir.filePath(QStringLiteral("DXCCPREF.DBR")); }
};

TEST_F(Base, AMissingOrEmptyFileIsAReadErrorWithThirteenEmptyRows)
{
    LectureDXCC r = lireBaseDXCC(dir.path());
    EXPECT_TRUE(r.erreur);
    EXPECT_FALSE(r.incomplete); // nothing on disk to lose
    ASSERT_EQ(r.lignes.size(), 13u);
    for (const Enregistrement& e : r.lignes)
        EXPECT_EQ(e, rec(""));

    ASSERT_TRUE(writeBytes(chemin(), ""));
    r = lireBaseDXCC(dir.path());
    EXPECT_TRUE(r.erreur);
    EXPECT_FALSE(r.incomplete);
    EXPECT_EQ(r.lignes.size(), 13u);
}

TEST_F(Base, ShortFileIsPaddedAndLongFileIsNot)
{
    ASSERT_TRUE(writeBytes(chemin(), "F\tFrance\t46\t0\tN\t2\t0\tE\r\nK\tUSA\t38\t0\tN\t77\t0\tW"));
    LectureDXCC r = lireBaseDXCC(dir.path());
    EXPECT_FALSE(r.erreur);
    ASSERT_EQ(r.lignes.size(), 13u);
    EXPECT_EQ(r.lignes[0], rec("F\tFrance\t46\t0\tN\t2\t0\tE"));
    EXPECT_EQ(r.lignes[1][7], QStringLiteral("W")); // last record without CR LF
    EXPECT_EQ(r.lignes[2], rec(""));

    QByteArray quinze;
    for (int i = 0; i < 15; ++i)
        quinze += "P" + QByteArray::number(i) + "\tN\t1\t2\tN\t3\t4\tE\r\n";
    ASSERT_TRUE(writeBytes(chemin(), quinze));
    r = lireBaseDXCC(dir.path());
    EXPECT_EQ(r.lignes.size(), 15u); // the final CR LF adds no row
    EXPECT_EQ(r.lignes[14][0], QStringLiteral("P14"));
}

TEST_F(Base, AnEmptyLineBecomesAnEmptyRowAndReadingGoesOn)
{
    QByteArray t;
    for (int i = 0; i < 13; ++i)
        t += "A" + QByteArray::number(i) + "\tX\t1\t2\tN\t3\t4\tE\r\n";
    t += "\r\nZ9\tLast\t1\t2\tS\t3\t4\tW\r\n\r\n";
    ASSERT_TRUE(writeBytes(chemin(), t));
    const LectureDXCC r = lireBaseDXCC(dir.path());
    EXPECT_FALSE(r.erreur);
    ASSERT_EQ(r.lignes.size(), 16u);
    EXPECT_EQ(r.lignes[13], rec(""));
    EXPECT_EQ(r.lignes[14][0], QStringLiteral("Z9"));
    EXPECT_EQ(r.lignes[15], rec("")); // the empty line after the last record
}

TEST_F(Base, FieldsAreTextsCutOrFilledToEight)
{
    ASSERT_TRUE(writeBytes(chemin(), "\"Q\",1\t  Name, with comma\t05\r\n1\t2\t3\t4\t5\t6\t7\t8\t9\t10\r\n\t\t\t\t\t\t\t\r\nLF only\n"));
    const LectureDXCC r = lireBaseDXCC(dir.path());
    EXPECT_EQ(r.lignes[0], (QStringList{"\"Q\",1", "  Name, with comma", "05", "", "", "", "", ""}));
    EXPECT_EQ(r.lignes[1], (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(r.lignes[2], rec(""));
    EXPECT_EQ(r.lignes[3][0], QStringLiteral("LF only"));
}

TEST_F(Base, TheNameIsFoundWhateverItsCase)
{
    ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("dxccpref.dbr")), "G\tEngland\t52\t0\tN\t1\t0\tW\r\n"));
    EXPECT_EQ(lireBaseDXCC(dir.path()).lignes[0][1], QStringLiteral("England"));
    ASSERT_TRUE(sauverBaseDXCC(dir.path(), {rec("M\tEngland\t52\t0\tN\t1\t0\tW")}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"dxccpref.dbr"}); // case kept
}

TEST_F(Base, AReadFailingPartWayKeepsTheCompleteLinesAndSaysSo)
{
    const QByteArray t = "A\tOne\t1\t2\tN\t3\t4\tE\r\nB\tTwo\t1\t2\tN\t3\t4\tE\r\nC\tThree\t1\t2\tN\t3\t4\tE\r\n";
    ASSERT_TRUE(writeBytes(chemin(), t));
    LectureDXCC r = lireBaseDXCC(dir.path(), FautesLecture{t.indexOf("B\tTwo") + 5});
    EXPECT_TRUE(r.erreur);
    EXPECT_TRUE(r.incomplete);
    ASSERT_EQ(r.lignes.size(), 13u);
    EXPECT_EQ(r.lignes[0][0], QStringLiteral("A"));
    EXPECT_EQ(r.lignes[1], rec("")); // the half-read line is not kept

    // A fault beyond the file's end is no failure.
    r = lireBaseDXCC(dir.path(), FautesLecture{t.size()});
    EXPECT_FALSE(r.erreur);
    EXPECT_FALSE(r.incomplete);
    EXPECT_EQ(r.lignes[2][1], QStringLiteral("Three"));
}

TEST_F(Base, GoldenBytesOfASaveAndTheRoundTrip)
{
    std::vector<Enregistrement> lignes = {rec("k\tUnited States\t38\t0\tN\t77\t0\tW"),
                                          rec("VK9N\tNorfolk, Is.\t29\t02\tS\t167\t57\tE")};
    for (int i = 0; i < 11; ++i)
        lignes.push_back(rec(""));
    ASSERT_TRUE(sauverBaseDXCC(dir.path(), lignes));
    QByteArray attendu = "k\tUnited States\t38\t0\tN\t77\t0\tW\r\nVK9N\tNorfolk, Is.\t29\t02\tS\t167\t57\tE\r\n";
    for (int i = 0; i < 11; ++i)
        attendu += SeptTabs;
    EXPECT_EQ(readBytes(chemin()), attendu);

    const LectureDXCC r = lireBaseDXCC(dir.path());
    EXPECT_FALSE(r.erreur);
    EXPECT_EQ(r.lignes, lignes);
    ASSERT_TRUE(sauverBaseDXCC(dir.path(), r.lignes));
    EXPECT_EQ(readBytes(chemin()), attendu);
}

TEST_F(Base, AFailedSaveLeavesTheOldFileWhole)
{
    const QByteArray ancien = "F\tFrance\t46\t0\tN\t2\t0\tE\r\n";
    ASSERT_TRUE(writeBytes(chemin(), ancien));
    const std::vector<Enregistrement> nouvelles(20, rec("X\tNew\t1\t1\tN\t1\t1\tE"));
    platform::SaveFaults panne;
    panne.failAfterBytes = 40;
    EXPECT_FALSE(sauverBaseDXCC(dir.path(), nouvelles, panne));
    EXPECT_EQ(readBytes(chemin()), ancien);
    panne = {};
    panne.failOnRename = true;
    EXPECT_FALSE(sauverBaseDXCC(dir.path(), nouvelles, panne));
    EXPECT_EQ(readBytes(chemin()), ancien);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"DXCCPREF.DBR"});
}

// The bisection over a list whose row 0 is the header "Prefix".
struct CasBisection {
    std::vector<const char*> colonne; // rows 1.. (row 0 is the header)
    const char* prefixe;
    bool trouve;
    int insertion; // when missing
    int ligne;     // when found: the row; when missing: the last row compared
};

TEST(BisectionTest, PlacesOfNewPrefixes)
{
    const std::vector<CasBisection> cas = {
        {{"F", "G", "K", "VK"}, "ZL", false, 5, 4},   // after every row: at the end
        {{"F", "G", "K", "VK"}, "3A", false, 1, 1},   // before every row: row 1
        {{"F", "G", "K", "VK"}, "I", false, 3, 3},    // between G and K
        {{"F", "G", "K", "VK"}, "k", true, 0, 3},     // "k" finds "K"
        {{"F", "G", "K", "VK"}, "vk", true, 0, 4},
        {{"F", "", "", ""}, "G", false, 5, 4},        // after the empty rows at the end
        {{"", "", ""}, "K", false, 4, 3},             // empty list: after the empty rows
        {{"A"}, "B", false, 2, 1},
        {{"B"}, "A", false, 1, 1},
        {{"3D2", "3D2/C", "3DA"}, "3D2/R", false, 3, 3}, // "/" sorts before digits and letters
    };
    for (const CasBisection& c : cas) {
        std::vector<QString> col{QStringLiteral("Prefix")};
        for (const char* p : c.colonne)
            col.push_back(QString::fromLatin1(p));
        const Bisection b = bisection([&](int r) { return col[size_t(r)]; }, int(col.size()),
                                      QString::fromLatin1(c.prefixe));
        SCOPED_TRACE(c.prefixe);
        EXPECT_EQ(b.trouve, c.trouve);
        EXPECT_EQ(b.derniere, c.ligne);
        if (!c.trouve) {
            EXPECT_EQ(b.insertion, c.insertion);
        }
    }
}

TEST_F(Base, LookUpByPrefixOverWholeLines)
{
    ASSERT_TRUE(writeBytes(chemin(), "F4\tFrance\t46\t30\tn\t2\t15\te\r\n"
                                     "PJ5\tSaba, St. Eust\t17\t34\tN\t63\t6\tW\r\n"
                                     "ZL9\tSubantarctic\t51\t37\tS\t166\t23\tE"));
    RechercheDXCC r = rechercherPrefixe(dir.path(), QStringLiteral("f4"));
    ASSERT_EQ(r.etat, RechercheDXCC::Etat::Trouve);
    std::optional<PositionDXCC> p = decoderEnregistrement(r.ligne);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Lieu, QStringLiteral("France"));
    EXPECT_FLOAT_EQ(p->latitude, 46.5f);
    EXPECT_FLOAT_EQ(p->longitude, 2.25f);

    r = rechercherPrefixe(dir.path(), QStringLiteral("pj5")); // a comma in the name
    ASSERT_EQ(r.etat, RechercheDXCC::Etat::Trouve);
    p = decoderEnregistrement(r.ligne);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Lieu, QStringLiteral("Saba, St. Eust"));
    EXPECT_NEAR(p->longitude, -63.1f, 1e-5);

    r = rechercherPrefixe(dir.path(), QStringLiteral("ZL9")); // last line, no line end
    ASSERT_EQ(r.etat, RechercheDXCC::Etat::Trouve);
    EXPECT_NEAR(decoderEnregistrement(r.ligne)->latitude, -(51 + 37 / 60.0), 1e-5);

    EXPECT_EQ(rechercherPrefixe(dir.path(), QStringLiteral("G")).etat, RechercheDXCC::Etat::Absent);
    EXPECT_EQ(rechercherPrefixe(dir.path(), QString()).etat, RechercheDXCC::Etat::Absent);
    QFile::remove(chemin());
    EXPECT_EQ(rechercherPrefixe(dir.path(), QStringLiteral("F4")).etat, RechercheDXCC::Etat::ErreurLecture);
}

TEST_F(Base, EmptyAndTablessLinesAreSkipped)
{
    // Such lines hold no record; the records before and after them are found.
    const char* const fichiers[] = {
        "F4\tFrance\t46\t30\tN\t2\t15\tE\r\nno tab here\r\n\r\nG\tEngland\t52\t0\tN\t1\t0\tW\r\n",
        "\r\nF4\tFrance\t46\t30\tN\t2\t15\tE\r\n\r\n\r\nG\tEngland\t52\t0\tN\t1\t0\tW",
        "no tab\nF4\tFrance\t46\t30\tN\t2\t15\tE\n\t\t\t\t\t\t\t\nG\tEngland\t52\t0\tN\t1\t0\tW\n\n",
    };
    for (const char* fichier : fichiers) {
        SCOPED_TRACE(fichier);
        ASSERT_TRUE(writeBytes(chemin(), fichier));
        EXPECT_EQ(rechercherPrefixe(dir.path(), QStringLiteral("F4")).etat, RechercheDXCC::Etat::Trouve);
        const RechercheDXCC g = rechercherPrefixe(dir.path(), QStringLiteral("g"));
        ASSERT_EQ(g.etat, RechercheDXCC::Etat::Trouve);
        EXPECT_EQ(g.champs[1], QStringLiteral("England"));
        EXPECT_EQ(rechercherPrefixe(dir.path(), QStringLiteral("no tab")).etat, RechercheDXCC::Etat::Absent);
        EXPECT_EQ(rechercherPrefixe(dir.path(), QStringLiteral("K")).etat, RechercheDXCC::Etat::Absent);
    }
    // A file of empty lines only holds no record; an empty file is a read error.
    ASSERT_TRUE(writeBytes(chemin(), "\r\n\r\n"));
    EXPECT_EQ(rechercherPrefixe(dir.path(), QStringLiteral("G")).etat, RechercheDXCC::Etat::Absent);
    ASSERT_TRUE(writeBytes(chemin(), ""));
    EXPECT_EQ(rechercherPrefixe(dir.path(), QStringLiteral("G")).etat, RechercheDXCC::Etat::ErreurLecture);
}

TEST(DecodageTest, LettersAndBrokenRecords)
{
    // The east/west letter is the line's last character, a trailing CR dropped.
    EXPECT_GT(decoderEnregistrement(QStringLiteral("A\tB\t1\t0\tN\t10\t0\tE\r"))->longitude, 0);
    EXPECT_LT(decoderEnregistrement(QStringLiteral("A\tB\t1\t0\tN\t10\t0\tx"))->longitude, 0);
    EXPECT_LT(decoderEnregistrement(QStringLiteral("A\tB\t1\t0\tq\t10\t0\tE"))->latitude, 0);
    // Degrees and minutes are rounded to whole numbers.
    EXPECT_FLOAT_EQ(decoderEnregistrement(QStringLiteral("A\tB\t1.5\t30\tN\t0\t0\tE"))->latitude, 2.5f);
    EXPECT_FALSE(decoderEnregistrement(QStringLiteral("A\tB\t1\t0\tN\t10\t0")));   // seven fields
    EXPECT_FALSE(decoderEnregistrement(QStringLiteral("A\t\t1\t0\tN\t10\t0\tE")));  // no name
    EXPECT_FALSE(decoderEnregistrement(QStringLiteral("A\tB\t1\t\tN\t10\t0\tE")));  // no minutes
    EXPECT_FALSE(decoderEnregistrement(QStringLiteral("A\tB\t1\t0\tN\t99999\t0\tE"))); // overflow
}

} // namespace
