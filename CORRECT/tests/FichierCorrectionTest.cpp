// The table file layout: name rule, golden bytes of what the writer lays
// out, and the items a reader takes.

#include <gtest/gtest.h>

#include "platform/testing/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "CORRECT/FichierCorrection.h"

using namespace correction;

using platform::testing::readBytes;
using platform::testing::writeBytes;

namespace {

// The three comment lines exactly as they stand in every table file.
const QByteArray enTete = "'[Azimuth value]    (Step=10deg)\r\n"
                          "'Azimuth correction     (Max : +/- 5 deg)\r\n"
                          "'Elevation correction   (Max : +/- 5 deg)\r\n";

} // namespace

TEST(NomFichierCorrection, BaseKeepsItsCharactersAndCase)
{
    struct Cas { const char* station; const char* table; } cas[] = {
        {"home.dat", "home.tcv"},
        {"a.b.dat", "a.b.tcv"},
        {"HOME.DAT", "HOME.tcv"},
        {"My Station.Dat", "My Station.tcv"},
        {".dat", ".tcv"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(nomFichierCorrection(QString::fromLatin1(c.station)), QString::fromLatin1(c.table)) << c.station;
}

TEST(EcritureCorrection, DefaultTableGoldenBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("home.tcv");
    ASSERT_TRUE(ecrireFichierCorrection(path, tableParDefaut()));

    QByteArray attendu = enTete;
    for (int az = 0; az <= 350; az += 10)
        attendu += "[" + QByteArray::number(az) + "]\r\n0\r\n0\r\n";
    const QByteArray lu = readBytes(path);
    EXPECT_EQ(lu, attendu);
    EXPECT_EQ(lu.count('\n'), 111);
    EXPECT_TRUE(lu.startsWith("'[Azimuth value]    (Step=10deg)\r\n'Azimuth"));
    EXPECT_TRUE(lu.endsWith("[340]\r\n0\r\n0\r\n[350]\r\n0\r\n0\r\n"));
}

TEST(EcritureCorrection, EditedTableGoldenBytes)
{
    TableCorrection t = tableParDefaut();
    t[0] = {" 0", "-1.5", "+2"};
    t[1] = {"10", ".5", "4."};          // read back from a file: azimuth without blank
    t[2].correctionAz = "";            // an emptied cell writes an empty line
    t[2].correctionEl = "  -5";        // leading blanks dropped, nothing else
    t[35] = {" 350", "abc", "5 "};      // texts read from a file are written back as they were
    QTemporaryDir dir;
    const QString path = dir.filePath("dx.tcv");
    ASSERT_TRUE(ecrireFichierCorrection(path, t));

    QByteArray attendu = enTete;
    attendu += "[0]\r\n-1.5\r\n+2\r\n"
               "[10]\r\n.5\r\n4.\r\n"
               "[20]\r\n\r\n-5\r\n";
    for (int az = 30; az <= 340; az += 10)
        attendu += "[" + QByteArray::number(az) + "]\r\n0\r\n0\r\n";
    attendu += "[350]\r\nabc\r\n5 \r\n";
    EXPECT_EQ(readBytes(path), attendu);
}

TEST(ElementsFichierCorrection, ItemsByTheItemRule)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.tcv");

    // LF line ends, leading blanks skipped, a comma ends an item, and nothing
    // after the 111th item is taken.
    QByteArray b = enTete;
    b.replace("\r\n", "\n");
    b += "  [0]\n 1.5,2\n";
    for (int i = 0; i < 120; ++i)
        b += "x\n";
    ASSERT_TRUE(writeBytes(path, b));
    const std::optional<QStringList> e = lireElementsFichierCorrection(path);
    ASSERT_TRUE(e);
    ASSERT_EQ(e->size(), NombreLignes);
    EXPECT_EQ(e->at(0), "'[Azimuth value]    (Step=10deg)");
    EXPECT_EQ(e->at(indexEtiquette(0)), "[0]");
    EXPECT_EQ(e->at(indexEtiquette(0) + 1), "1.5");
    EXPECT_EQ(e->at(indexEtiquette(0) + 2), "2");
    EXPECT_EQ(e->at(indexEtiquette(1)), "x");

    EXPECT_FALSE(lireElementsFichierCorrection(dir.filePath("absent.tcv")));
}

TEST(ElementsFichierCorrection, LabelTextAndValues)
{
    EXPECT_EQ(texteEtiquette("[10]"), QString("10"));
    EXPECT_EQ(texteEtiquette("[ 10]"), QString(" 10"));
    EXPECT_EQ(texteEtiquette("10"), QString(""));
    EXPECT_EQ(texteEtiquette("[]"), QString(""));
    EXPECT_FALSE(texteEtiquette("5"));
    EXPECT_FALSE(texteEtiquette(""));

    struct Cas { const char* texte; bool dedans; } cas[] = {
        {"5", true}, {"-5", true}, {"+5", true}, {"5.01", false}, {"-5.01", false},
        {"5.0000001", true},  // rounds to 5 in single precision
        {"5.00001", false}, {"", true}, {"abc", true}, {"+ 2", true}, {"4.", true},
        {"99999999999999999999999999999999999999999999", false},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(dansLimites(valeurCorrection(QString::fromLatin1(c.texte))), c.dedans) << c.texte;
}
