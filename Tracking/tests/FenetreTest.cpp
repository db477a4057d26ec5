// The program through its windows, offscreen, with scripted boxes and a
// manual clock: the chooser, the station load, cycles and their labels, the
// source buttons and menu, the operator source, the DX prefix, the keys, the
// settings file, the quit question, and a run against the box simulator on
// COM1.
#include "Tracking/Controles.h"
#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/BancBoitier.h"
#include "Tracking/tests/Ecran.h"
#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/widgets/Window.h"
#include "platform/Text.h"
#include "platform/testing/QtTestApp.h"
#include "platform/testing/SourceDir.h"
#include "platform/testing/TestFiles.h"
#include "tools/boxsim/PtyServer.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using platform::Answer;
using platform::Icon;

namespace {

using suivi::test::source;
using suivi::test::stationModifiee;

class TrackingFenetres : public suivi::test::DossierStation {
protected:
    void TearDown() override
    {
        fenetres.reset();
        prog.reset();
    }
    void demarre()
    {
        prog = std::make_unique<Tracking>(dialogs, horloge, dossier.path(), [this] { ++fins; });
        fenetres = std::make_unique<FenetresTracking>(*prog);
        prog->AttenteSansPortMs = 0;
        prog->DelaiReponse = 1000; // generous on a loaded machine
        prog->Main();
        horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))); // after the 2-second picture
    }
    // Starts and chooses home.dat with its button.
    void demarreHome()
    {
        demarre();
        QTest::mouseClick(choix().BoutonHome, Qt::LeftButton);
    }
    // The same, then runs `cycles` cycles.
    void charge(int cycles = 4)
    {
        demarreHome();
        prog->executer(cycles);
    }
    FenetrePrincipale& fp() { return fenetres->fenetrePrincipale(); }
    FenetreInterface& fi() { return fenetres->fenetreInterface(); }
    FeuilleChoixFichier& choix() { return fenetres->feuilleChoixFichier(); }
    static void clique(QWidget* w)
    {
        QTest::mousePress(w, Qt::LeftButton);
        QTest::mouseRelease(w, Qt::LeftButton);
    }
    int messages(const QString& texte) const
    {
        int n = 0;
        for (const auto& e : dialogs.messages())
            n += e.text == texte;
        return n;
    }

    platform::ScriptedDialogs dialogs;
    platform::ManualClock horloge{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    std::unique_ptr<Tracking> prog;
    std::unique_ptr<FenetresTracking> fenetres;
    int fins = 0;
};

TEST_F(TrackingFenetres, ChoixStationEtPremiersCycles)
{
    demarre();
    EXPECT_TRUE(choix().isVisible());
    EXPECT_FALSE(choix().BoutonOK->isEnabled());
    EXPECT_TRUE(choix().BoutonHome->isEnabled());
    EXPECT_EQ(choix().windowTitle(), "Tracking - Setup File");
    EXPECT_FALSE(fp().isVisible());
    EXPECT_FALSE(fp().MenuFichierP->isEnabled());
    EXPECT_FALSE(fi().MenuAntenneP->isEnabled());

    QTest::mouseClick(choix().BoutonHome, Qt::LeftButton);
    // No track.ini in the folder: one read error, then the run goes on.
    EXPECT_EQ(messages("Read Error : track.ini was not read !"), 1);
    EXPECT_FALSE(choix().isVisible());
    EXPECT_TRUE(fp().isVisible());
    EXPECT_FALSE(fi().isVisible()); // no interface box
    EXPECT_EQ(fp().windowTitle(), "Selvane - Tracking  << >>  N0CALL / Toulouse");
    EXPECT_TRUE(fp().MenuFichierP->isEnabled());
    EXPECT_TRUE(fp().MenuSource->checked(0));
    EXPECT_TRUE(fp().ImgLune->isPressedShown());
    EXPECT_TRUE(fp().MenuDuree->checked(1)); // 144 MHz: 2 mn
    EXPECT_TRUE(fp().CadreSkyMap->isVisibleTo(&fp()));
    EXPECT_FALSE(fp().CadreMap->isVisibleTo(&fp()));
    EXPECT_EQ(fp().CadreinfoCiel->title(), "Radio Sky Map @ 144 MHz");
    EXPECT_EQ(fp().Etiq_Temp[7]->text(), "> 1000 K");

    prog->executer(3);
    EXPECT_TRUE(prog->boucleEnCours());
    // PC 10:00:00 with UTC+1.
    EXPECT_EQ(fp().AffUTCTime->text(), "09:00:00");
    EXPECT_EQ(fp().AffUTCJour->text(), "Saturday");
    EXPECT_EQ(fp().AffUTCDate->text(), " 1 Jun 2024");
    EXPECT_EQ(fp().AffFrequence->text(), "144");
    EXPECT_EQ(fp().CadreSource->title(), "Moon");
    EXPECT_EQ(fp().CadreTraffic->title(), "Calibration");
    // The label holds the source as seen from the station at this time
    // (the map computations leave the program's astronomy state alone).
    prog->S.CalculPositionSourceTrack(0);
    EXPECT_EQ(fp().AffSourceAzimut->text(), platform::Format(prog->S.Astro.AzimutSource, "##0.00"));
    EXPECT_EQ(fp().AffSourceElevation->text(), platform::Format(prog->S.Astro.ElevationSource, "##0.00"));
    EXPECT_TRUE(prog->S.PremierCycleFait);

    // The clock moves on; the next period start (2 mn periods) writes the caption.
    horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 1, 59)));
    prog->executer(1);
    horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 2, 0)));
    prog->executer(1);
    EXPECT_EQ(fp().AffUTCTime->text(), "09:02:00");
    EXPECT_EQ(fp().CadreTraffic->title(), "Traffic : 1st / 2mn");
}

// The band edges of the sky-map legend and the default period length.
TEST_F(TrackingFenetres, LegendeEtDureeAuxBornesDesBandes)
{
    struct Cas { const char* freq; const char* titre; const char* premiere; const char* sixieme; int duree; };
    const Cas cas[] = {
        {"399", "Radio Sky Map @ 144 MHz", "< 180 K", "450 to 650 K", 1},
        {"400", "Radio Sky Map @ 432 MHz", "< 13 K", "35 to 55 K", 1},
        {"401", "Radio Sky Map @ 432 MHz", "< 13 K", "35 to 55 K", 2},
        {"999", "Radio Sky Map @ 432 MHz", "< 13 K", "35 to 55 K", 2},
        {"1000", "Radio Sky Map @ > 1 GHz", "< 5 K", "< 5 K", 2},
    };
    for (const Cas& c : cas) {
        ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), stationModifiee({{87, c.freq}})));
        charge(1);
        EXPECT_EQ(fp().CadreinfoCiel->title(), c.titre) << c.freq;
        EXPECT_EQ(fp().Etiq_Temp[0]->text(), c.premiere) << c.freq;
        EXPECT_EQ(fp().Etiq_Temp[5]->text(), c.sixieme) << c.freq;
        EXPECT_EQ(prog->S.DureePeriode, c.duree) << c.freq;
        EXPECT_TRUE(fp().MenuDuree->checked(c.duree)) << c.freq;
        EXPECT_FALSE(fp().MenuDuree->checked(3 - c.duree)) << c.freq;
        EXPECT_EQ(fp().AffFrequence->text(), c.freq) << c.freq;
        fenetres.reset();
        prog.reset();
    }
}

TEST_F(TrackingFenetres, ImageDeDepartAuPremierDemarrageSeulement)
{
    prog = std::make_unique<Tracking>(dialogs, horloge, dossier.path(), [this] { ++fins; });
    fenetres = std::make_unique<FenetresTracking>(*prog);
    prog->AttenteSansPortMs = 0;
    const QDateTime t0 = horloge.now();
    prog->Main();
    EXPECT_GE(t0.msecsTo(horloge.now()), 2000); // the picture was held 2 s
    EXPECT_FALSE(choix().ImageLogo->isVisibleTo(&choix()));
    EXPECT_TRUE(choix().ListeFichier->isVisibleTo(&choix()));
    EXPECT_TRUE(choix().Etiq_On->isVisibleTo(&choix()));
    QTest::mouseClick(choix().BoutonHome, Qt::LeftButton);
    prog->executer(1);
    const QDateTime t1 = horloge.now();
    fp().MenuFichier->action(0)->trigger(); // File > New: the list at once
    EXPECT_EQ(horloge.now(), t1);
    EXPECT_TRUE(choix().isVisible());
}

TEST_F(TrackingFenetres, ListeEtBoutonOK)
{
    demarre();
    platform::FileList* l = choix().ListeFichier;
    ASSERT_EQ(l->listCount(), 1);
    const QRect r = l->visualItemRect(l->item(0));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_TRUE(choix().BoutonOK->isEnabled());
    QTest::mouseClick(choix().BoutonOK, Qt::LeftButton);
    EXPECT_EQ(prog->FichierStation, "home.dat");
    EXPECT_TRUE(fp().isVisible());
}

TEST_F(TrackingFenetres, FichierStationIlliblePuisDonneesFausses)
{
    ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), "COORDONATES\r\nCall sign:\r\n"));
    demarreHome();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].text, "Read Error : home.dat was not read !");
    EXPECT_EQ(dialogs.messages()[1].text, "Quit the Tracking program now !!!");
    EXPECT_EQ(dialogs.messages()[1].icon, Icon::Critical);
    EXPECT_TRUE(prog->termine());
    EXPECT_EQ(fins, 1);
}

// The Home button finds HOME.DAT, and the message names it as it is spelled
// on the disk.
TEST_F(TrackingFenetres, FichierStationNommeCommeSurLeDisque)
{
    ASSERT_TRUE(!QFile::exists(chemin("home.dat")) || QFile::remove(chemin("home.dat")));
    ASSERT_TRUE(platform::testing::writeBytes(chemin("HOME.DAT"), "COORDONATES\r\nCall sign:\r\n"));
    demarreHome();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].text, "Read Error : HOME.DAT was not read !");
}

TEST_F(TrackingFenetres, DonneesStationFausses)
{
    ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), stationModifiee({{87, "0"}}))); // Freq 0
    demarreHome();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "Verify Data !!!\r\rUse Corvinet");
    EXPECT_EQ(dialogs.messages()[0].title, "Data Error");
    EXPECT_TRUE(prog->termine());
}

TEST_F(TrackingFenetres, AnnulerSansStationPoseLaQuestion)
{
    demarre();
    dialogs.queueAnswer(Answer::No);
    QTest::mouseClick(choix().BoutonAnnuler, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "Are you sure you wish to quit ?");
    EXPECT_EQ(dialogs.messages()[0].title, "Selvane - Track");
    EXPECT_EQ(dialogs.messages()[0].buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(choix().isVisible());
    EXPECT_FALSE(prog->termine());
    dialogs.queueAnswer(Answer::Yes);
    QTest::mouseClick(choix().BoutonAnnuler, Qt::LeftButton);
    EXPECT_TRUE(prog->termine());
    EXPECT_EQ(fins, 1);
}

TEST_F(TrackingFenetres, SourcesParBoutonsEtMenu)
{
    charge();
    // Press on the Sun: pictures only.
    QTest::mousePress(fp().ImgSoleil, Qt::LeftButton);
    EXPECT_TRUE(fp().ImgSoleil->isPressedShown());
    EXPECT_FALSE(fp().ImgLune->isPressedShown());
    EXPECT_EQ(prog->S.CodeSource, 0);
    QTest::mouseRelease(fp().ImgSoleil, Qt::LeftButton);
    EXPECT_EQ(prog->S.CodeSource, 1);
    EXPECT_EQ(prog->S.NomSource, "Sun");
    EXPECT_TRUE(fp().MenuSource->checked(1));
    EXPECT_FALSE(fp().MenuSource->checked(0));
    EXPECT_EQ(fp().CadreSource->title(), "Sun");
    EXPECT_EQ(fp().CadreMap->title(), "Calibration");
    EXPECT_EQ(prog->S.ColonneHorizon, -1);
    prog->executer(2);
    prog->S.CalculPositionSourceTrack(prog->S.CodeSource);
    EXPECT_EQ(fp().AffSourceAzimut->text(), platform::Format(prog->S.Astro.AzimutSource, "##0.00"));

    // The same source again changes nothing.
    prog->S.Aff.CadreTraffic = "kept";
    clique(fp().ImgSoleil);
    EXPECT_EQ(prog->S.Aff.CadreTraffic, "kept");

    // A radio source from the menu releases all three buttons; "Omega 17" is named Omega17.
    fp().MenuSource->action(5)->trigger();
    EXPECT_EQ(prog->S.CodeSource, 5);
    EXPECT_EQ(fp().CadreSource->title(), "Omega17");
    EXPECT_FALSE(fp().ImgLune->isPressedShown() || fp().ImgSoleil->isPressedShown() || fp().ImgCiel->isPressedShown());
    // The cold sky from the menu presses its button.
    fp().MenuSource->action(9)->trigger();
    EXPECT_EQ(prog->S.CodeSource, 8);
    EXPECT_TRUE(fp().ImgCiel->isPressedShown());
    int n = 0;
    for (int i = 0; i < 12; ++i)
        n += fp().MenuSource->checked(i);
    EXPECT_EQ(n, 1);
}

TEST_F(TrackingFenetres, SourceDeLOperateur)
{
    charge();
    for (const char* r : {"", "A name that is too long", "Beacon", "-1", "24", "9,5", "91", "40.1"})
        dialogs.queueInput(QString::fromLatin1(r));
    dialogs.clear();
    fp().MenuSource->action(11)->trigger();
    EXPECT_EQ(prog->S.CodeSource, 9);
    EXPECT_EQ(prog->S.NomSource, "Beacon");
    EXPECT_DOUBLE_EQ(prog->S.AscDroiteAutre, 142.5);
    EXPECT_DOUBLE_EQ(prog->S.DeclinaisonAutre, 40.1);
    EXPECT_TRUE(fp().MenuSource->checked(11));
    EXPECT_FALSE(fp().MenuSource->checked(0));
    const auto& e = dialogs.events();
    ASSERT_EQ(e.size(), 8u);
    EXPECT_EQ(e[0].text, "Enter the Source's name (max 15 char)");
    EXPECT_EQ(e[0].title, "Other source");
    EXPECT_EQ(e[3].text, "Enter the Right Ascension (in hours) \r\r(Ex: 9h30' -> 9.50) ");
    EXPECT_EQ(e[3].title, "Right Ascencion");
    EXPECT_EQ(e[5].defaultText, "9.50"); // the same default every time
    EXPECT_EQ(e[6].text, QString::fromUtf8("Enter the declination (in degree) \r\r(Ex: 40°06' -> 40.10) "));
    EXPECT_EQ(e[7].defaultText, "40.10");
    EXPECT_EQ(fp().CadreSource->title(), "Beacon");

    // Chosen again: the confirmation, and anything but "Y" keeps it.
    for (const char* r : {"y", " Y", "Yes", ""}) {
        dialogs.clear();
        dialogs.queueInput(QString::fromLatin1(r));
        fp().MenuSource->action(11)->trigger();
        ASSERT_EQ(dialogs.events().size(), 1u) << r;
        EXPECT_EQ(dialogs.events()[0].text, "Are you sure you wish to change ?");
        EXPECT_EQ(dialogs.events()[0].defaultText, "Y");
        EXPECT_EQ(prog->S.NomSource, "Beacon");
    }
    prog->executer(2);
    prog->S.CalculPositionSourceTrack(prog->S.CodeSource);
    EXPECT_EQ(fp().AffSourceAzimut->text(), platform::Format(prog->S.Astro.AzimutSource, "##0.00"));
    // The Moon button takes it back without a question.
    dialogs.clear();
    clique(fp().ImgLune);
    EXPECT_EQ(prog->S.CodeSource, 0);
    EXPECT_TRUE(dialogs.events().empty());
}

TEST_F(TrackingFenetres, PrefixeDXEtClicSurLaCarte)
{
    charge();
    dialogs.clear();
    for (const char* r : {"TOOLONG", "ZZ9ZZ", "3a"})
        dialogs.queueInput(QString::fromLatin1(r));
    QTest::mouseClick(fp().BoutonDXCC, Qt::LeftButton);
    ASSERT_EQ(dialogs.events().size(), 4u);
    EXPECT_EQ(dialogs.events()[0].text, "Enter the DXXC prefix !");
    EXPECT_EQ(dialogs.events()[0].title, "Common Window : Station <=> DX");
    EXPECT_EQ(dialogs.events()[2].text, "DXCC prefix not found !!!");
    EXPECT_EQ(dialogs.events()[2].icon, Icon::Exclamation);
    EXPECT_EQ(fp().CadreDXCC->title(), "DXCC : 3A - Monaco");
    EXPECT_NE(prog->S.CarteXDX, 0);
    EXPECT_FALSE(fp().AffDistance->text().isEmpty());
    // The red mark sits at the point.
    EXPECT_EQ(fp().EMEWindow->point(prog->S.CarteXDX, prog->S.CarteYDX), 0x0000FF);

    // A click on the map places the point there and empties the caption.
    const int ax = prog->S.CarteXDX, ay = prog->S.CarteYDX;
    QTest::mouseClick(fp().EMEWindow, Qt::LeftButton, {}, QPoint(100, 60));
    EXPECT_EQ(fp().CadreDXCC->title(), "");
    EXPECT_EQ(prog->S.CarteXDX, platform::pixelsToTwips(100));
    EXPECT_EQ(fp().EMEWindow->point(ax, ay), 0xFFFFFF);
    // A button choice of a source places the prefix's point again and empties the labels.
    clique(fp().ImgSoleil);
    clique(fp().ImgLune);
    EXPECT_EQ(prog->S.CarteXDX, ax);
    EXPECT_EQ(fp().CadreDXCC->title(), "DXCC : 3A - Monaco");
    EXPECT_TRUE(fp().AffDistance->text().isEmpty());
}

TEST_F(TrackingFenetres, PeriodeEtDuree)
{
    charge();
    prog->S.Aff.CadreTraffic = "Traffic : 1st / 2mn";
    fp().MenuDuree->action(1)->trigger(); // already checked
    EXPECT_EQ(prog->S.Aff.CadreTraffic, "Traffic : 1st / 2mn");
    QTest::mousePress(fp().ImgDuree, Qt::LeftButton);
    EXPECT_EQ(prog->S.DureePeriode, 2);
    EXPECT_TRUE(fp().MenuDuree->checked(2));
    EXPECT_TRUE(fp().ImgDuree->isPressedShown());
    EXPECT_EQ(fp().CadreTraffic->title(), "Calibration");
    fp().MenuDuree->action(0)->trigger();
    EXPECT_EQ(prog->S.DureePeriode, 0);
    EXPECT_FALSE(fp().ImgDuree->isEnabled());
    QTest::mousePress(fp().ImgPeriode, Qt::LeftButton);
    EXPECT_EQ(prog->S.PeriodeTrafic, 1);
    EXPECT_TRUE(fp().MenuPeriode->checked(1));
    EXPECT_TRUE(fp().ImgPeriode->isPressedShown());
}

TEST_F(TrackingFenetres, PanneauxEtCartes)
{
    charge();
    fp().MenuParametreP->trigger();
    EXPECT_TRUE(fp().CadreParametres->isVisible());
    EXPECT_EQ(fp().CadreParametres->title(), "General setup");
    EXPECT_EQ(fp().Aff_Parametres->text(), lignesAffichees(prog->texteParametresGeneraux()));
    EXPECT_EQ(prog->texteParametresGeneraux().toStdString(),
              "- Callsign : N0CALL\r\r- Location : Toulouse\r- Latitude : 43.604 N (deg)\r"
              "- Longitude : 1.444 E (deg)\r- Height :  146 m\r- Time/UTC :  1 h\r\r- Frequency :  144 MHz\r\r"
              "- COM Port :  0\r\r\rUse Corvinet to modify these values !");
    fp().MenuParametreP->trigger();
    EXPECT_FALSE(fp().CadreParametres->isVisible());
    fi().MenuTrackParam->trigger();
    EXPECT_EQ(fp().CadreParametres->title(), "Tracking setup");
    EXPECT_EQ(fp().Aff_Parametres->text(), lignesAffichees(prog->texteParametresTracking()));
    const QStringList l = prog->texteParametresTracking().split('\r');
    ASSERT_EQ(l.size(), 16);
    EXPECT_EQ(l[0], QString::fromUtf8("- Drive Hysteresis Elevation :   Start =  1.5 °  Stop =  .5 °"));
    EXPECT_EQ(l[4], QString::fromUtf8("- End Stop Azimuth :   CCW =  5 °  CW =  355 °"));
    EXPECT_EQ(l[8], "- Range :   Elevation =  360 Deg  Azimuth =  360 Deg");
    EXPECT_EQ(l[9], QString::fromUtf8("- Offset :   Elevation =  0 °  Azimuth =  0  °"));
    EXPECT_EQ(l[11], "- Meas. :   Range =  30 dB  Offset =  0 dB");
    EXPECT_EQ(l[12], "- Tracking : Use hysteresis parameters");
    EXPECT_EQ(l[15], "Use Corvinet to modify these values !");
    QTest::mouseClick(fp().BoutonOKParametres, Qt::LeftButton);
    EXPECT_FALSE(fp().CadreParametres->isVisible());

    fp().MenuFenetre->action(1)->trigger();
    EXPECT_TRUE(fp().CadreMap->isVisible());
    EXPECT_FALSE(fp().CadreSkyMap->isVisible());
    EXPECT_TRUE(fp().MenuFenetre->checked(1));
    EXPECT_FALSE(fp().MenuFenetre->checked(2));
}

// A western station with a negative UTC offset; the panel and the map
// choice made twice; the interface window follows the main window's state.
TEST_F(TrackingFenetres, StationOuestPanneauEtEtatsDesFenetres)
{
    ASSERT_TRUE(platform::testing::writeBytes(
        chemin("home.dat"), stationModifiee({{15, "1"}, {17, "30"}, {19, "0"}, {21, "W"}, {25, "-5"}})));
    charge();
    const QStringList l = prog->texteParametresGeneraux().split('\r');
    ASSERT_EQ(l.size(), 14);
    EXPECT_EQ(l[4], "- Longitude : 1.500 W (deg)");
    EXPECT_EQ(l[6], "- Time/UTC : -5 h");
    fp().MenuParametreP->trigger();
    EXPECT_TRUE(fp().CadreParametres->isVisible());
    fp().MenuParametreP->trigger();
    EXPECT_FALSE(fp().CadreParametres->isVisible());

    // "World Map" while checked already: nothing changes, not even a frame
    // shown by other means.
    fp().MenuFenetre->action(1)->trigger();
    fp().CadreSkyMap->show();
    fp().MenuFenetre->action(1)->trigger();
    EXPECT_TRUE(fp().CadreSkyMap->isVisible());
    EXPECT_TRUE(fp().MenuFenetre->checked(1));
    EXPECT_FALSE(fp().MenuFenetre->checked(2));
    fp().MenuFenetre->action(2)->trigger();
    EXPECT_FALSE(fp().CadreMap->isVisible());
    EXPECT_TRUE(fp().MenuFenetre->checked(2));
    EXPECT_FALSE(fp().MenuFenetre->checked(1));

    // Minimised and restored together; a hidden interface window stays hidden.
    fi().show();
    fp().setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(fi().windowState() & Qt::WindowMinimized);
    fp().setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(fi().windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(fi().isVisible());
    fi().hide();
    fp().setWindowState(Qt::WindowMinimized);
    fp().setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(fi().isVisible());
}

// A repaint of the world map draws a completed horizon line once, and only
// while the main window is in its normal state.
TEST_F(TrackingFenetres, RepeintDeLaCarteTraceLaLigneDHorizon)
{
    charge();
    fp().MenuFenetre->action(1)->trigger();
    suivi::Suivi& s = prog->S;
    s.CourbeFenetreCommune.fill(1000);
    s.DeclinaisonCourbe = 0.3;
    s.HorizonComplet = true;
    fp().setWindowState(Qt::WindowMinimized);
    fp().EMEWindow->repaint();
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.HorizonComplet);
    fp().setWindowState(Qt::WindowNoState);
    fp().EMEWindow->repaint();
    QCoreApplication::processEvents();
    EXPECT_FALSE(s.HorizonComplet);
    const quint32 ligne = fp().EMEWindow->point(800, 1000);
    EXPECT_NE(ligne, fp().EMEWindow->point(800, 300)); // the line, above the map
    // Later repaints draw nothing more.
    fp().EMEWindow->repaint();
    QCoreApplication::processEvents();
    EXPECT_FALSE(s.HorizonComplet);
}

// The operator's source: each case gives the answers of the three questions
// (each list ends with the accepted answer) and what they make.
TEST_F(TrackingFenetres, SourceDeLOperateurRefusEtLectures)
{
    struct Cas {
        std::vector<const char*> nom, ra, dec;
        const char* nomAttendu;
        double raAttendue, decAttendue;
    };
    const Cas cas[] = {
        {{"123456789012345"}, {"1,2,3"}, {"90"}, "123456789012345", 1.2 * 15, 90},
        {{"1234567890123456", "", "B"}, {"24", "-0.1", "0"}, {"-90"}, "B", 0, -90},
        {{"C"}, {"23.99"}, {"90.01", "-90.01", "north"}, "C", 23.99 * 15, 0},
        {{"D"}, {"", "word"}, {"", " 12,5"}, "D", 0, 12.5},
    };
    charge();
    for (const Cas& c : cas) {
        prog->S.CodeSource = 0;
        fp().MenuSource->setChecked(11, false); // no confirmation question
        fp().MenuSource->setChecked(0, true);
        dialogs.clear();
        for (const auto* l : {&c.nom, &c.ra, &c.dec})
            for (const char* r : *l)
                dialogs.queueInput(QString::fromLatin1(r));
        fp().MenuSource->action(11)->trigger();
        EXPECT_EQ(prog->S.NomSource, c.nomAttendu);
        EXPECT_DOUBLE_EQ(prog->S.AscDroiteAutre, c.raAttendue) << c.nomAttendu;
        EXPECT_DOUBLE_EQ(prog->S.DeclinaisonAutre, c.decAttendue) << c.nomAttendu;
        EXPECT_EQ(dialogs.events().size(), c.nom.size() + c.ra.size() + c.dec.size()) << c.nomAttendu;
        EXPECT_FALSE(fp().MenuSource->checked(0));
        for (const auto& e : dialogs.events()) {
            if (e.title == "Declination") {
                EXPECT_EQ(e.defaultText, "40.10");
            }
        }
    }
}

// The interface window's menus: the caption with the correction table, the
// drive item in a relay mode, the level display resetting the reference.
TEST_F(TrackingFenetres, MenusDeLInterface)
{
    charge();
    prog->S.Correction.CorrectionActive = true;
    fi().MenuAntenne->action(8)->trigger();
    fi().MenuAntenne->action(8)->trigger();
    EXPECT_EQ(fi().CadreAntenne->title(), "Antenna position + tcv");
    EXPECT_FALSE(fi().MenuAntenne->checked(9));
    fi().MenuAntenne->action(9)->trigger();
    EXPECT_EQ(fi().CadreAntenne->title(), "Antenna offset position + tcv");
    EXPECT_FALSE(fi().MenuAntenne->checked(8));

    prog->S.Drive.c.MenuAntenne6Checked = true;
    prog->rafraichit();
    fi().MenuAntenne->action(6)->trigger();
    prog->executer(1);
    EXPECT_FALSE(fi().MenuAntenne->checked(6));
    EXPECT_FALSE(prog->S.Drive.MoteurAzActif || prog->S.Drive.MoteurElActif);

    prog->S.OffsetNiveau = 12;
    prog->S.Aff.AffOffset = "12.0";
    fi().ImgSignal->showPressed();
    ASSERT_FALSE(fi().MenuMesure->checked(0));
    fi().MenuMesure->action(0)->trigger();
    EXPECT_EQ(prog->S.OffsetNiveau, 0.0f);
    EXPECT_EQ(fi().AffOffset->text(), "0.0");
    EXPECT_FALSE(fi().ImgSignal->isPressedShown());
}

TEST_F(TrackingFenetres, TrackIniEcritEtRelu)
{
    charge();
    fp().MenuFenetre->action(1)->trigger();                 // world map
    fi().MenuAntenne->action(8)->trigger();                 // absolute
    fi().MenuMesure->action(0)->trigger();                  // measurement on
    fp().MenuFenetre->action(4)->trigger();
    const auto lignes = platform::readLines(chemin("track.ini"));
    ASSERT_TRUE(lignes.has_value());
    ASSERT_EQ(lignes->size(), 12);
    EXPECT_EQ((*lignes)[0], "Interface:Active-Top-Left-Icone");
    EXPECT_EQ((*lignes)[7].trimmed(), "1");
    EXPECT_EQ((*lignes)[9].trimmed(), "1");
    EXPECT_EQ((*lignes)[10].trimmed(), "1");
    EXPECT_EQ((*lignes)[11].trimmed(), "0");
    // The places and choices come back with the next station load.
    platform::moveTwips(&fi(), 1500, 1200);
    fp().MenuFenetre->action(4)->trigger();
    platform::moveTwips(&fi(), 3000, 2400);
    fp().MenuFenetre->action(2)->trigger();
    fi().MenuAntenne->action(9)->trigger();
    fp().MenuFichier->action(0)->trigger(); // File > New
    dialogs.clear();
    QTest::mouseClick(choix().BoutonHome, Qt::LeftButton);
    EXPECT_TRUE(dialogs.events().empty());
    EXPECT_NEAR(platform::pixelsToTwips(fi().x()), 1500, 15);
    EXPECT_NEAR(platform::pixelsToTwips(fi().y()), 1200, 15);
    EXPECT_TRUE(fp().MenuFenetre->checked(1));
    EXPECT_TRUE(fp().CadreMap->isVisible());
    EXPECT_TRUE(fi().MenuAntenne->checked(8));
    EXPECT_FALSE(fi().MenuAntenne->checked(9));
    // A failed save says so, naming the file as it is on the disk and why,
    // and the file stays as it was.
    const QByteArray avant = platform::testing::readBytes(QDir(dossier.path()).filePath("track.ini"));
    dialogs.clear();
    prog->DefautsEcriture.failOnRename = true;
    fi().MenuMesure->action(4)->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "Write Error : track.ini was not saved !\r"
                                          "The disk reported an input/output error.\rThe old file is unchanged.");
    prog->DefautsEcriture = {};
    ASSERT_TRUE(QFile::setPermissions(QDir(dossier.path()).filePath("track.ini"), QFileDevice::ReadOwner));
    dialogs.clear();
    fi().MenuMesure->action(4)->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "Write Error : track.ini was not saved !\r"
                                          "The file is read-only.\rThe old file is unchanged.");
    EXPECT_EQ(platform::testing::readBytes(QDir(dossier.path()).filePath("track.ini")), avant);
}

// Save with the interface window minimised; any non-zero value reads as a
// check mark, 0 as the other item's.
TEST_F(TrackingFenetres, TrackIniFenetreIconiseeEtValeursNonNulles)
{
    charge();
    fi().show();
    platform::moveTwips(&fi(), 1500, 1200);
    fi().setWindowState(Qt::WindowMinimized);
    fp().MenuFenetre->action(4)->trigger();
    EXPECT_TRUE(fi().windowState() & Qt::WindowMinimized);
    const auto lignes = platform::readLines(chemin("track.ini"));
    ASSERT_TRUE(lignes.has_value());
    ASSERT_EQ(lignes->size(), 12);
    EXPECT_NEAR((*lignes)[1].trimmed().toInt(), 1200, 15);
    EXPECT_NEAR((*lignes)[2].trimmed().toInt(), 1500, 15);
    EXPECT_EQ((*lignes)[3].trimmed(), "1");

    ASSERT_TRUE(platform::testing::writeBytes(
        chemin("track.ini"), "Interface:Active-Top-Left-Icone\r\n100\r\n200\r\n0\r\nGenerale:Height-Width-Top-Left\r\n"
                             "300\r\n400\r\n5\r\nDisplay:parameters\r\n0\r\n0\r\n7\r\n"));
    fi().MenuAntenne->action(8)->trigger();
    fp().MenuFichier->action(0)->trigger(); // File > New, then the station again
    dialogs.clear();
    QTest::mouseClick(choix().BoutonHome, Qt::LeftButton);
    EXPECT_TRUE(dialogs.events().empty());
    EXPECT_TRUE(fp().MenuFenetre->checked(1));
    EXPECT_FALSE(fp().MenuFenetre->checked(2));
    EXPECT_TRUE(fi().MenuAntenne->checked(9));
    EXPECT_FALSE(fi().MenuAntenne->checked(8));
    EXPECT_FALSE(fi().MenuMesure->checked(0));
    EXPECT_TRUE(fi().MenuMesure->checked(2));
}

TEST_F(TrackingFenetres, QuestionDeFermeture)
{
    charge();
    dialogs.clear();
    dialogs.queueAnswer(Answer::No);
    fp().close();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "Are you sure you wish to quit ?");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Critical);
    EXPECT_TRUE(fp().isVisible());
    prog->executer(2);
    EXPECT_FALSE(prog->termine());
    // Closing the interface window asks the same question.
    dialogs.clear();
    dialogs.queueAnswer(Answer::No);
    fi().close();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "Are you sure you wish to quit ?");
    dialogs.queueAnswer(Answer::Yes);
    fp().MenuFichier->action(2)->trigger();
    EXPECT_TRUE(prog->termine());
    EXPECT_EQ(fins, 1);
    EXPECT_FALSE(fp().isVisible());
    prog->executer(3); // nothing runs any more
    EXPECT_FALSE(prog->boucleEnCours() && prog->S.BoucleActive);
}

TEST_F(TrackingFenetres, NouveauPuisAnnulerReprendLaStation)
{
    charge();
    fp().MenuSource->action(1)->trigger();
    fp().MenuFichier->action(0)->trigger();
    EXPECT_TRUE(choix().isVisible());
    EXPECT_FALSE(fp().isVisible());
    EXPECT_FALSE(fp().MenuFichierP->isEnabled());
    prog->executer(2);
    EXPECT_FALSE(prog->boucleEnCours());
    QFile::remove(chemin("home.dat")); // Cancel reads nothing
    QTest::mouseClick(choix().BoutonAnnuler, Qt::LeftButton);
    EXPECT_TRUE(fp().isVisible());
    EXPECT_TRUE(fp().MenuSource->checked(0));
    EXPECT_FALSE(fp().MenuSource->checked(1));
    prog->executer(2);
    EXPECT_TRUE(prog->boucleEnCours());
    EXPECT_EQ(fp().AffUTCTime->text(), "09:00:00");
}

TEST_F(TrackingFenetres, AnnulerApresNouveauGardeLaCourseTraverseeUneFois)
{
    ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), stationModifiee({{49, "300"}, {51, "60"}})));
    charge(1);
    EXPECT_EQ(prog->S.Station.ButeeD, 420);
    EXPECT_TRUE(prog->S.Drive.CourseTraverseNord);
    fp().MenuFichier->action(0)->trigger();
    prog->executer(1);
    QTest::mouseClick(choix().BoutonAnnuler, Qt::LeftButton);
    EXPECT_EQ(prog->S.Station.ButeeD, 420); // raised once, not again
    EXPECT_TRUE(prog->S.Drive.CourseTraverseNord);
    const QStringList l = prog->texteParametresTracking().split('\r');
    EXPECT_EQ(l[4], QString::fromUtf8("- End Stop Azimuth :   CCW =  300 °  CW =  60 °"));
}

TEST_F(TrackingFenetres, SansBoitierLesTouchesNeFontRien)
{
    charge();
    dialogs.clear();
    for (int k : {Qt::Key_F1, Qt::Key_F3, Qt::Key_F8, Qt::Key_Left})
        QTest::keyClick(&fp(), static_cast<Qt::Key>(k));
    EXPECT_TRUE(dialogs.events().empty());
    EXPECT_FALSE(prog->S.Drive.PoursuiteActive);
    EXPECT_FALSE(prog->S.Drive.MoteurAzActif);
}

TEST_F(TrackingFenetres, PortSerieIntrouvable)
{
    ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), stationModifiee({{28, "2"}})));
    ASSERT_TRUE(platform::testing::writeBytes(chemin("COM2"), "/nonexistent/ttyQ9\n"));
    demarreHome();
    const auto m = dialogs.messages();
    ASSERT_FALSE(m.empty());
    EXPECT_EQ(m.back().text,
              "Error on the serial port  2\rVerify the data and hardware !\r\rQuit the Tracking of Selvane !");
    EXPECT_EQ(m.back().title, "Communication Port Error");
    EXPECT_EQ(m.back().icon, Icon::Exclamation);
    EXPECT_TRUE(prog->termine());
    EXPECT_EQ(fins, 1);
    prog->executer(3);
    EXPECT_FALSE(prog->boucleEnCours());
}

TEST_F(TrackingFenetres, FenetreGardeeSurLEcran)
{
    charge();
    const QRect e = fp().screen()->geometry();
    const int sh = platform::pixelsToTwips(e.height());
    platform::moveTwips(&fp(), -300, sh + 5000);
    QCoreApplication::processEvents();
    EXPECT_EQ(fp().x(), 0);
    EXPECT_NEAR(platform::pixelsToTwips(fp().y()), sh - 100, 15);
}

// The program on COM1 against the interface-box simulator.
class TrackingBoitier : public TrackingFenetres {
protected:
    void SetUp() override
    {
        TrackingFenetres::SetUp();
        ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), stationModifiee({{28, "1"}})));
        ASSERT_NO_FATAL_FAILURE(suivi::test::brancheCom1(serveur, dossier.path()));
        serveur.withBox([](boxsim::Box& b) {
            b.setAzimuth(100);
            b.setElevation(20);
        });
    }
    void TearDown() override
    {
        TrackingFenetres::TearDown();
        suivi::test::sansViolation(serveur);
    }
    boxsim::PtyServer serveur{boxsim::BoxConfig{}, boxsim::ServerOptions{false, false, 0.01}};
};

TEST_F(TrackingBoitier, CyclesTouchesEtSaisie)
{
    charge(3);
    EXPECT_TRUE(prog->S.PortOuvert);
    EXPECT_TRUE(fi().isVisible());
    EXPECT_EQ(fi().CadreAntenne->title(), "Antenna offset position");
    // The entry bytes, then per cycle: 0x96, the encoders.
    const std::vector<uint8_t> debut = serveur.withBox([](boxsim::Box& b) {
        return std::vector<uint8_t>(b.log().begin(), b.log().begin() + 8);
    });
    EXPECT_EQ(debut, (std::vector<uint8_t>{0x10, 0x00, 0x96, 0xA0, 0x80, 0x95, 0xE0, 0xC0}));
    EXPECT_NEAR(prog->S.AzimutAntenne, 100, 0.1);
    EXPECT_NEAR(prog->S.ElevationAntenne, 20, 0.1);
    fi().MenuAntenne->action(8)->trigger();
    prog->executer(1);
    EXPECT_EQ(fi().AffAntenneAzimut->text(), platform::Format(prog->S.AzimutAntenne, "##0.00"));

    // Relay mode: Left starts the azimuth counter-clockwise, Right stops it,
    // each in the next cycle's drive step.
    QTest::keyClick(&fi(), Qt::Key_Left);
    EXPECT_FALSE(prog->S.Drive.MoteurAzActif);
    prog->executer(1);
    EXPECT_TRUE(prog->S.Drive.MoteurAzActif);
    EXPECT_TRUE(fi().DirAzimGauche->isVisibleTo(&fi()));
    // Opening a menu pauses the running drive: the stop byte goes out at once,
    // the next cycle sends the start again.
    serveur.withBox([](boxsim::Box& b) { b.clearLog(); });
    emit fp().MenuTraficP->aboutToShow();
    EXPECT_TRUE(prog->S.Drive.MoteursEnPause);
    EXPECT_EQ(suivi::test::journal(serveur, 1), std::vector<uint8_t>{0x00});
    prog->executer(1);
    EXPECT_FALSE(prog->S.Drive.MoteursEnPause);
    EXPECT_EQ(serveur.withBox([](boxsim::Box& b) { return int(std::count(b.log().begin(), b.log().end(), 0x02)); }), 1);
    QTest::keyClick(&fi(), Qt::Key_Right);
    EXPECT_TRUE(prog->S.Drive.MoteurAzActif);
    EXPECT_FALSE(fi().MenuAntenne->enabled(0)); // the cycle enables it once all is at rest
    prog->executer(1);
    EXPECT_FALSE(prog->S.Drive.MoteurAzActif);
    EXPECT_TRUE(fi().MenuAntenne->enabled(0));

    // F1: a typed target, refused outside the stops, then the move starts.
    dialogs.clear();
    for (const char* r : {"400", "120,5", "30"})
        dialogs.queueInput(QString::fromLatin1(r));
    QTest::keyClick(&fp(), Qt::Key_F1);
    ASSERT_EQ(dialogs.events().size(), 3u);
    EXPECT_EQ(dialogs.events()[0].title, "AZIMUTH");
    EXPECT_EQ(dialogs.events()[0].text, "Enter The new azimuth position\r\r (Return, if no change) ");
    EXPECT_EQ(dialogs.events()[2].title, "ELEVATION");
    EXPECT_FALSE(fi().MenuAntenne->enabled(0));
    prog->executer(1);
    EXPECT_FLOAT_EQ(prog->S.Drive.ConsigneAzimut, 120.5f);
    EXPECT_FLOAT_EQ(prog->S.Drive.ConsigneElevation, 30.0f);
    EXPECT_TRUE(prog->S.Drive.MoteurAzActif);
    EXPECT_TRUE(prog->S.Drive.MoteurElActif);
    prog->executer(20);
    EXPECT_GT(serveur.withBox([](boxsim::Box& b) { return b.azimuth(); }), 100.0);

    // F3 switches tracking on: source menu and buttons locked, arrows off.
    prog->S.Drive.PauseMoteurs();
    prog->S.Drive.c.MenuAntenne2Enabled = true;
    QTest::keyClick(&fi(), Qt::Key_F3);
    EXPECT_TRUE(prog->S.Drive.PoursuiteActive);
    EXPECT_FALSE(fp().MenuSourceP->isEnabled());
    EXPECT_FALSE(fp().ImgLune->isEnabled());
    EXPECT_FALSE(fi().ImgGauche->isEnabled());
    EXPECT_TRUE(fi().AntenEtiq[0]->isVisibleTo(&fi()));
    QTest::keyClick(&fi(), Qt::Key_F3);
    EXPECT_FALSE(prog->S.Drive.PoursuiteActive);
    EXPECT_TRUE(fp().MenuSourceP->isEnabled());
}

// A typed target on a travel across north: the stops 300 and 250 as read
// (widened to 610) with OffAz 280; Return on the defaults in a relay mode.
TEST_F(TrackingBoitier, SaisieSurUneCourseTraversantLeNord)
{
    ASSERT_TRUE(platform::testing::writeBytes(
        chemin("home.dat"), stationModifiee({{28, "1"}, {49, "300"}, {51, "250"}, {55, "280"}})));
    charge(2);
    ASSERT_EQ(prog->S.Station.ButeeD, 610);
    ASSERT_TRUE(fi().MenuAntenne->enabled(0));
    dialogs.clear();
    for (const char* r : {"290", "10", "20"})
        dialogs.queueInput(QString::fromLatin1(r));
    fi().MenuAntenne->action(0)->trigger();
    ASSERT_EQ(dialogs.events().size(), 3u);
    EXPECT_EQ(dialogs.events()[1].title, "AZIMUTH");
    prog->executer(1); // the move starts in the drive step
    EXPECT_FLOAT_EQ(prog->S.Drive.ConsigneAzimutEtendue, 370.0f);
    EXPECT_TRUE(prog->S.Drive.MoteurAzActif); // 370 lies below 460 (100 widened)
    EXPECT_FALSE(prog->S.Drive.MoteurElActif);
    EXPECT_FALSE(prog->S.Drive.AllerConsigneEl);
    EXPECT_FALSE(fi().MenuAntenne->enabled(0));

    // Stop, then Return on both defaults: no axis moves, both flags clear.
    clique(fi().ImgDroit);
    prog->executer(1);
    ASSERT_FALSE(prog->S.Drive.MoteurAzActif);
    ASSERT_TRUE(fi().MenuAntenne->enabled(0));
    dialogs.clear();
    dialogs.queueInput(platform::Format(prog->S.AzimutAntenne, "##0.00"));
    dialogs.queueInput(platform::Format(prog->S.ElevationAntenne, "##0.00"));
    QTest::keyClick(&fi(), Qt::Key_F1);
    EXPECT_EQ(dialogs.events().size(), 2u);
    prog->executer(1);
    EXPECT_FALSE(prog->S.Drive.MoteurAzActif || prog->S.Drive.MoteurElActif);
    EXPECT_FALSE(prog->S.Drive.AllerConsigneAz || prog->S.Drive.AllerConsigneEl);
}

// A continuous encoder (AzStop 1) with its offset, 0, inside a travel across
// north (stops 190 and 170): a typed azimuth of 100 lies in the travel, at
// 460 on the extended scale, and is taken. Before, 0..170 were refused.
TEST_F(TrackingBoitier, SaisieAvecUnCodeurContinu)
{
    ASSERT_TRUE(platform::testing::writeBytes(
        chemin("home.dat"),
        stationModifiee({{28, "1"}, {49, "190"}, {51, "170"}, {53, "190"}, {55, "0"}, {63, " 1"}})));
    serveur.withBox([](boxsim::Box& b) { b.setAzimuth(200); });
    charge(2);
    ASSERT_TRUE(fi().MenuAntenne->enabled(0));
    dialogs.clear();
    for (const char* r : {"100", "20"})
        dialogs.queueInput(QString::fromLatin1(r));
    fi().MenuAntenne->action(0)->trigger();
    EXPECT_EQ(dialogs.events().size(), 2u) << "asked once";
    prog->executer(1);
    EXPECT_FLOAT_EQ(prog->S.Drive.ConsigneAzimutEtendue, 460.0f);
    EXPECT_TRUE(prog->S.Drive.MoteurAzActif);
    EXPECT_EQ(prog->S.Drive.SensAz, 1) << "clockwise, through north";
}

TEST_F(TrackingBoitier, BoutonsFlechesEtParking)
{
    charge(2);
    // An arrow button is one arrow key, on its release.
    QTest::mousePress(fi().ImgGauche, Qt::LeftButton);
    EXPECT_TRUE(fi().ImgGauche->isPressedShown());
    EXPECT_FALSE(prog->S.Drive.MoteurAzActif);
    QTest::mouseRelease(fi().ImgGauche, Qt::LeftButton);
    EXPECT_FALSE(fi().ImgGauche->isPressedShown());
    EXPECT_FALSE(fi().ImgPark->isEnabled()) << "not from the moment the move is asked";
    prog->executer(1);
    EXPECT_TRUE(prog->S.Drive.MoteurAzActif);
    EXPECT_FALSE(fi().ImgPark->isEnabled()); // not while a motor runs
    clique(fi().ImgGauche);
    prog->executer(1);
    EXPECT_FALSE(prog->S.Drive.MoteurAzActif);
    ASSERT_TRUE(fi().ImgPark->isEnabled());
    clique(fi().ImgPark);
    prog->executer(1);
    EXPECT_TRUE(prog->S.Drive.ParkingDemande);
    EXPECT_TRUE(prog->S.Drive.MoteurAzActif); // toward 180 from 100
}

// Park does what its button shows, in every drive mode: shown disabled and
// doing nothing while a manual move runs (from the moment of the arrow or
// of the typed target, F1), shown enabled and taking the antenna to the
// park position once the move has arrived, in the proportional mode too,
// whose drives stay on to hold the position.
class Parc : public suivi::test::ProgrammeEcran {};

TEST_F(Parc, ApresUnPasManuelDansChaqueMode)
{
    struct Cas {
        int mode;
        bool saisie; // a typed target (F1) instead of an arrow's step
    };
    for (const Cas c : {Cas{suivi::ModeRelais, false}, Cas{suivi::ModeRelaisEcart, false},
                        Cas{suivi::ModeVitesse, false}, Cas{suivi::ModeVitesse, true}}) {
        SCOPED_TRACE(testing::Message() << "drive mode " << c.mode << (c.saisie ? ", typed move" : ", arrow step"));
        ASSERT_NO_FATAL_FAILURE(charge(c.mode));
        FenetreInterface& f = fi();
        suivi::Entrainement& d = prog->S.Drive;
        ASSERT_TRUE(f.ImgPark->isEnabled());
        if (c.saisie) {
            // Drive power on (a typed target moves the antenna only so),
            // the antenna held where it is.
            QTest::mouseClick(f.ImgMot, Qt::LeftButton);
            prog->executer(3);
            ASSERT_TRUE(d.MoteurAzActif && d.MoteurElActif);
            ASSERT_TRUE(f.ImgPark->isEnabled());
            dialogs.queueInput(QStringLiteral("120"));
            dialogs.queueInput(QStringLiteral("25"));
            QTest::keyClick(&f, Qt::Key_F1);
        } else {
            QTest::mouseClick(f.ImgDroit, Qt::LeftButton); // one step clockwise
        }
        EXPECT_FALSE(f.ImgPark->isEnabled());
        EXPECT_FALSE(f.MenuAntenne->enabled(4));
        f.MenuAntenne_Click(4);
        EXPECT_FALSE(d.ParkingDemande);
        if (c.mode != suivi::ModeVitesse) {
            prog->executer(20);
            QTest::mouseClick(f.ImgDroit, Qt::LeftButton); // the relay stopped by hand
        } else {
            prog->executer(3);
            if (c.saisie) {
                ASSERT_FLOAT_EQ(d.ConsigneAzimut, 120.0f);
            }
            EXPECT_FALSE(f.ImgPark->isEnabled()) << "shown enabled while the move runs";
            f.MenuAntenne_Click(4);
            EXPECT_FALSE(d.ParkingDemande);
        }
        for (int i = 0; i < 400 && !f.ImgPark->isEnabled(); ++i)
            prog->executer(1);
        ASSERT_TRUE(f.ImgPark->isEnabled()) << "the move never arrived";
        EXPECT_TRUE(f.MenuAntenne->enabled(4));
        EXPECT_GT(prog->S.AzimutAntenne, 101.0f);
        if (c.saisie) {
            EXPECT_NEAR(prog->S.AzimutAntenne, 120, 1.5);
            EXPECT_NEAR(prog->S.ElevationAntenne, 25, 1.5);
        }
        QTest::mouseClick(f.ImgPark, Qt::LeftButton);
        EXPECT_FALSE(f.ImgPark->isEnabled());
        prog->executer(1);
        EXPECT_TRUE(d.ParkingDemande);
        EXPECT_FLOAT_EQ(d.ConsigneAzimut, 180.0f);
        EXPECT_FALSE(f.ImgPark->isEnabled());
        for (int i = 0; i < 600 && d.ParkingDemande; ++i)
            prog->executer(1);
        EXPECT_FALSE(d.ParkingDemande) << "the park move never arrived";
        EXPECT_NEAR(prog->S.AzimutAntenne, 180, 2.5);
        arrete();
    }
}

TEST_F(TrackingBoitier, MesureEtDisposition)
{
    charge(2);
    serveur.withBox([](boxsim::Box& b) { b.setMeasurement(255); });
    fi().MenuMesure->action(0)->trigger();
    EXPECT_TRUE(fi().CadreSignal->isVisibleTo(&fi()));
    EXPECT_EQ(controles::tailleExterieureTwips(&fi()).height(), 4425);
    prog->executer(45);
    EXPECT_EQ(fi().AffLevelAverage->text(), "30.0"); // Range8b 30 dB full scale
    QTest::keyClick(&fi(), Qt::Key_F8);
    EXPECT_EQ(fi().AffOffset->text(), "30.0");
    EXPECT_TRUE(fi().ImgSignal->isPressedShown());
    QTest::keyClick(&fi(), Qt::Key_F5);
    EXPECT_EQ(fi().AffOffset->text(), "0.0");
    fi().MenuMesure->action(2)->trigger();
    EXPECT_EQ(controles::tailleExterieureTwips(&fi()).width(), 5895);
    fi().MenuMesure->action(0)->trigger();
    fi().MenuMesure->action(2)->trigger(); // off: no change of the check
    EXPECT_TRUE(fi().MenuMesure->checked(2));
    EXPECT_EQ(controles::tailleExterieureTwips(&fi()).width(), 3015);
    EXPECT_EQ(controles::tailleExterieureTwips(&fi()).height(), 2565);
}

} // namespace

namespace {
// Pictures of every window for a look by eye: run with
// --gtest_also_run_disabled_tests; they land in $TMPDIR (default /tmp).
// The interface window keeps its narrow design width, and all three menu
// titles stay on its bar (none behind the overflow button).
TEST_F(TrackingBoitier, TitresDeMenuTousSurLaBarre)
{
    demarreHome();
    prog->executer(2);
    ASSERT_TRUE(fi().isVisible());
    EXPECT_EQ(controles::tailleExterieureTwips(&fi()).width(), 3015);
    QMenuBar* barre = fi().menuBar();
    for (QAction* a : {fi().MenuAntenneP->menuAction(), fi().MenuMesureP->menuAction(), fi().MenuTrackParam}) {
        const QRect r = barre->actionGeometry(a);
        EXPECT_FALSE(r.isEmpty()) << a->text().toStdString();
        EXPECT_LE(r.right(), barre->width()) << a->text().toStdString();
    }
    QWidget* debord = barre->findChild<QWidget*>(QStringLiteral("qt_menubar_ext_button"));
    EXPECT_TRUE(debord == nullptr || !debord->isVisible());
}

TEST_F(TrackingBoitier, DISABLED_Captures)
{
    const QString dir = qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp"));
    demarre();
    choix().grab().save(dir + "/trk_choix.png");
    QTest::mouseClick(choix().BoutonHome, Qt::LeftButton);
    horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 45)));
    prog->executer(300);
    horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 46)));
    prog->executer(2);
    fp().grab().save(dir + "/trk_principale_ciel.png");
    fp().ImgInfo_Click();
    fp().grab().save(dir + "/trk_principale_legende.png");
    fp().MenuFenetre->action(1)->trigger();
    horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 1, 30)));
    prog->executer(2);
    horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 1, 31)));
    dialogs.queueInput("3A");
    fp().BoutonDXCC_Click();
    prog->executer(300);
    horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 1, 59)));
    prog->executer(1);
    horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 2, 0)));
    prog->executer(1);
    horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 2, 10)));
    prog->executer(1);
    fp().grab().save(dir + "/trk_principale_monde.png");
    fi().grab().save(dir + "/trk_interface.png");
    fi().MenuMesure->action(0)->trigger();
    prog->executer(40);
    fi().grab().save(dir + "/trk_interface_signal.png");
    fi().MenuMesure->action(2)->trigger();
    fi().grab().save(dir + "/trk_interface_paysage.png");
    fp().MenuParametreP->trigger();
    fp().grab().save(dir + "/trk_parametres.png");
    fp().MenuParametreP->trigger();
    fi().MenuTrackParam->trigger();
    fp().grab().save(dir + "/trk_parametres_tracking.png");
    fi().MenuMesure->action(2)->trigger();
    fi().MenuMesure->action(0)->trigger();
    fi().grab().save(dir + "/trk_interface_base.png");
}
} // namespace


// A screen reader reads every value box of both windows as its caption and
// its value, the caption being the label beside it or, for the boxes alone in
// a frame, the frame's title; no two value boxes share a caption.
TEST_F(TrackingFenetres, NomsPourLesLecteursDEcran)
{
    charge();
    const std::pair<QLabel*, const char*> cas[] = {
        {fp().AffSourceAzimut, "Azimuth"},        {fp().AffSourceElevation, "Elevation"},
        {fp().AffFreqDoppler, "Doppler"},         {fp().AffExtraLoss, "Extra loss"},
        {fp().AffAzimDX, "Azimuth (Deg)"},        {fp().AffDistance, "Distance (Km)"},
        {fp().AffHA, "Hour angle"},               {fp().AffTemp, "Sky temp."},
        {fp().AffFrequence, "Frequency (MHz)"},   {fp().AffUTCTime, "UTC"},
        {fi().AffAntenneAzimut, "Az"},            {fi().AffAntenneElevation, "El"},
        {fi().AffLevelAverage, "Average"},        {fi().AffOffset, "Offset"},
        {fi().AffPolar, "Polar measurement"},
    };
    ASSERT_FALSE(fp().AffSourceAzimut->text().trimmed().isEmpty());
    ASSERT_FALSE(fp().AffUTCTime->text().trimmed().isEmpty());
    for (const auto& [l, legende] : cas) {
        const QString v = l->text().simplified();
        EXPECT_EQ(platform::testing::accessibleName(l), v.isEmpty() ? QString::fromLatin1(legende) : QString::fromLatin1(legende) + ' ' + v)
            << l->objectName().toStdString();
    }
    // Every value box (a label with a frame) of both windows: its own caption.
    QStringList legendes;
    for (QWidget* fenetre : {static_cast<QWidget*>(&fp()), static_cast<QWidget*>(&fi())})
        for (QLabel* l : fenetre->findChildren<QLabel*>()) {
            if (l->frameShape() == QFrame::NoFrame || !l->pixmap().isNull())
                continue;
            QString nom = platform::testing::accessibleName(l);
            const QString v = l->text().simplified();
            ASSERT_TRUE(v.isEmpty() || nom.endsWith(' ' + v)) << nom.toStdString();
            nom.chop(v.isEmpty() ? 0 : v.size() + 1);
            EXPECT_FALSE(nom.isEmpty()) << l->objectName().toStdString();
            EXPECT_FALSE(legendes.contains(nom)) << nom.toStdString();
            legendes << nom;
        }
    EXPECT_EQ(legendes.size(), 17); // 12 in the main window, 5 in the interface window
}

namespace {

using platform::testing::accessibleName;

// Tracking on COM 1 against the box simulator, for what screen readers read.
class LecteursDEcran : public suivi::test::ProgrammeEcran {
protected:
    // The PC clock at 10:mm:ss (UTC 09:mm:ss), one cycle run.
    void a(int minute, int seconde)
    {
        horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, minute, seconde)));
        prog->executer(1);
    }
    static bool coche(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->state().checked; }
};

// The pictures that carry information are read as what they show: the period
// bar (whose period runs, the seconds left), the Moon's phase, the sky chart
// with the points of its markers (the Sun of 1 June 2024 near 4.6 h, +22°),
// its key, the world map before and after its line and with a DX point by a
// prefix, the interface window's motion arrows; the toggles read as checked
// while they show their pressed picture, the period button with the period
// in force.
TEST_F(LecteursDEcran, ImagesLuesCommeCeQuEllesMontrent)
{
    ASSERT_NO_FATAL_FAILURE(charge(suivi::ModeRelais));
    suivi::Suivi& s = prog->S;
    FenetrePrincipale& f = fp();
    EXPECT_EQ(accessibleName(f.CadrePeriode), "Period: waiting for the first start");
    EXPECT_EQ(accessibleName(f.EMEWindow), "World map, Calibration; no DX point");
    EXPECT_EQ(accessibleName(f.Aff_Ciel), "Radio-sky chart; Sources: 1 Cassiopeia-A, 2 Sagittarius-A, 3 Cygnus-A, "
                                          "4 Omega17, 5 Taurus-A, 6 Pictor-A, 7 Cold Sky");
    EXPECT_TRUE(coche(f.ImgLune));
    EXPECT_FALSE(coche(f.ImgSoleil));

    // The second period: the station's own from UTC 09:02:00, the other
    // station's from 09:04:00.
    f.MenuPeriode_Click(1);
    EXPECT_EQ(accessibleName(f.ImgPeriode), "Traffic period: second");
    a(1, 59);
    a(2, 0);
    a(2, 12);
    ASSERT_EQ(s.Aff.AffPeriodeCouleur, suivi::Rouge);
    EXPECT_EQ(accessibleName(f.CadrePeriode).toStdString(), "Period: mine, 108 s left");
    a(3, 59);
    a(4, 0);
    a(4, 1);
    EXPECT_EQ(accessibleName(f.CadrePeriode).toStdString(), "Period: the other station's, 119 s left");

    // Second 46 of a minute places the markers; second 91 of the period
    // draws the world map's line.
    a(4, 46);
    a(5, 31);
    ASSERT_TRUE(s.Aff.MarqueursVisibles);
    const QString phase = accessibleName(f.AffIconeLune);
    EXPECT_TRUE(phase == "Moon phase: last quarter" || phase == "Moon phase: waning crescent") << phase.toStdString();
    const QString ciel = accessibleName(f.Aff_Ciel);
    const QRegularExpression soleil(QStringLiteral("; the Sun at right ascension ([0-9.]+) h, declination ([-0-9.]+)"));
    const QRegularExpressionMatch m = soleil.match(ciel);
    ASSERT_TRUE(ciel.startsWith("Radio-sky chart: the Moon at right ascension ") && m.hasMatch()) << ciel.toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 4.62, 0.05);
    EXPECT_NEAR(m.captured(2).toDouble(), 22.0, 0.3);
    EXPECT_TRUE(ciel.contains("; the antenna at right ascension ")) << ciel.toStdString();
    EXPECT_TRUE(ciel.endsWith("; Sources: 1 Cassiopeia-A, 2 Sagittarius-A, 3 Cygnus-A, 4 Omega17, 5 Taurus-A, "
                              "6 Pictor-A, 7 Cold Sky"))
        << ciel.toStdString();
    EXPECT_EQ(accessibleName(f.ImgPosLune), "Moon marker");
    const auto* cle = f.CadreinfoCiel->findChild<QLabel*>(QStringLiteral("CleSources"));
    ASSERT_TRUE(cle);
    EXPECT_EQ(accessibleName(const_cast<QLabel*>(cle)),
              "Sources: 1 Cassiopeia-A, 2 Sagittarius-A, 3 Cygnus-A, 4 Omega17, 5 Taurus-A, 6 Pictor-A, 7 Cold Sky");
    auto* couleur = f.CadreinfoCiel->findChild<QLabel*>(QStringLiteral("CouleurTemp0"));
    ASSERT_TRUE(couleur);
    EXPECT_EQ(accessibleName(couleur), "Chart colour of < 180 K");
    const QString ligne = "World map, Common Window : Moon: the source is below the horizon on the hatched side of "
                          "the line; ";
    EXPECT_EQ(accessibleName(f.EMEWindow), ligne + "no DX point");
    dialogs.queueInput(QStringLiteral("5w"));
    f.BoutonDXCC_Click();
    EXPECT_EQ(accessibleName(f.EMEWindow).toStdString(),
              (ligne + "DX point 5W - Samoa at 13.933 S, 171.700 W").toStdString());
    QTest::mouseClick(f.EMEWindow, Qt::LeftButton, {}, QPoint(200, 80));
    const QString clic = accessibleName(f.EMEWindow);
    EXPECT_TRUE(clic.startsWith(ligne + "DX point at ")) << clic.toStdString();

    // The first period, the Sun: their buttons follow.
    f.MenuPeriode_Click(0);
    EXPECT_EQ(accessibleName(f.ImgPeriode), "Traffic period: first");
    f.MenuSource_Click(1);
    EXPECT_TRUE(coche(f.ImgSoleil));
    EXPECT_FALSE(coche(f.ImgLune));

    // The interface window: a motion arrow, tracking and the level reference.
    FenetreInterface& i = fi();
    s.Drive.c.DirAzimDroit = true;
    prog->rafraichit();
    EXPECT_EQ(accessibleName(i.DirAzimDroit), "Azimuth turning clockwise");
    EXPECT_FALSE(coche(i.ImgTrack));
    prog->PoursuiteBascule();
    EXPECT_TRUE(coche(i.ImgTrack));
    prog->PoursuiteBascule();
    EXPECT_FALSE(coche(i.ImgSignal));
    QTest::keyClick(&i, Qt::Key_F8);
    EXPECT_TRUE(coche(i.ImgSignal));
}

} // namespace
