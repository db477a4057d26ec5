// Where Tracking's windows go and what they show: window places in
// "track.ini" beyond 16 bits, windows placed inside the available screen.
#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/TrackIni.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/Outils.h"
#include "platform/Files.h"
#include "platform/testing/QtTestApp.h"
#include "platform/testing/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using suivi::test::fichierStation;

// A window at x = 2300 px (34500 twips at 15 twips a pixel) on a wide
// desktop is written and read back as it is, on every line that holds a place.
TEST(TrackIniPlaces, TrenteDeuxBits)
{
    QTemporaryDir dir;
    const QString p = dir.filePath("track.ini");
    suivi::TrackIni t;
    t.InterfaceLeft = 34500;
    t.InterfaceTop = 40005;
    t.PrincipaleLeft = -33000;
    t.PrincipaleTop = 100000;
    ASSERT_TRUE(platform::saveLines(p, suivi::lignesTrackIni(t)));
    const auto lignes = platform::readLines(p);
    ASSERT_TRUE(lignes);
    EXPECT_EQ((*lignes)[2].trimmed(), "34500");
    suivi::TrackIni r;
    ASSERT_TRUE(suivi::lireTrackIni(p, r));
    EXPECT_EQ(r.InterfaceLeft, 34500);
    EXPECT_EQ(r.InterfaceTop, 40005);
    EXPECT_EQ(r.PrincipaleLeft, -33000);
    EXPECT_EQ(r.PrincipaleTop, 100000);
    // Beyond 32 bits the value is no place: a read error.
    QStringList l = suivi::lignesTrackIni(t);
    l[1] = "3000000000";
    ASSERT_TRUE(platform::saveLines(p, l));
    EXPECT_FALSE(suivi::lireTrackIni(p, r));
}

class Placement : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::application();
        ASSERT_TRUE(dossier.isValid());
        for (const char* f : {"home.dat", "DXCCPREF.DBR", "logo.bmp"})
            ASSERT_TRUE(QFile::copy(fichierStation(f), QDir(dossier.path()).filePath(QString::fromLatin1(f))));
    }
    void TearDown() override { prog.reset(); }
    void demarre()
    {
        prog = std::make_unique<Tracking>(dialogs, horloge, dossier.path());
        prog->AttenteSansPortMs = 0;
        prog->Main();
        QTest::mouseClick(prog->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        prog->executer(2);
    }
    QTemporaryDir dossier;
    platform::ScriptedDialogs dialogs;
    platform::ManualClock horloge{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    std::unique_ptr<Tracking> prog;
};

// Places saved on a wider desktop bring both windows back inside the
// available screen, against its right and bottom edges; a place above or
// left of it comes back to its top or left edge.
TEST_F(Placement, FenetresDansLEcranDisponible)
{
    ASSERT_TRUE(platform::testing::writeBytes(
        QDir(dossier.path()).filePath("track.ini"),
        "Interface:Active-Top-Left-Icone\r\n-600\r\n34500\r\n0\r\nGenerale:Height-Width-Top-Left\r\n"
        "45000\r\n-31000\r\n1\r\nDisplay:parameters\r\n0\r\n0\r\n0\r\n"));
    demarre();
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messages()[0].text.toStdString();
    FenetrePrincipale& fp = prog->fenetrePrincipale();
    FenetreInterface& fi = prog->fenetreInterface();
    const QRect zone = fp.screen()->availableGeometry();
    EXPECT_TRUE(zone.contains(fp.frameGeometry())) << fp.frameGeometry().x() << "," << fp.frameGeometry().y();
    EXPECT_TRUE(zone.contains(fi.frameGeometry())) << fi.frameGeometry().x() << "," << fi.frameGeometry().y();
    EXPECT_EQ(fi.frameGeometry().right(), zone.right());
    EXPECT_EQ(fi.frameGeometry().top(), zone.top());
    EXPECT_EQ(fp.frameGeometry().left(), zone.left());
    EXPECT_EQ(fp.frameGeometry().bottom(), zone.bottom());
    EXPECT_TRUE(fp.MenuFenetre->checked(1)) << "the lines after the places were read";
}

} // namespace
