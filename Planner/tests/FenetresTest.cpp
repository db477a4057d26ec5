// The program through its windows, offscreen: start window and chooser,
// station loading, the period dialog with typed keys, a one-day Moon-location
// computation, a row click into the common-window dialog, the common window
// with a prefix, and printing to a recording printer.

#include "Planner/FenetreComWinPrev.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FenetreDX.h"
#include "Planner/FenetrePrevision.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/Descriptions.h"
#include "Planner/FeuilleChoixDate.h"
#include "Planner/FeuilleChoixFichier.h"
#include "Planner/FeuilleDateCom.h"
#include "Planner/Form2.h"
#include "Planner/Planner.h"
#include "Outils.h"
#include "Programme.h"
#include "platform/testing/QtTestApp.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/StartWindow.h"
#include "platform/widgets/Window.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QRadioButton>
#include "Planner/FenetreCiel.h"
#include "platform/widgets/ImageButton.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include "Planner/FenetreInfoCiel.h"
#include "platform/Geometry.h"
#include "platform/Text.h"
#include <gtest/gtest.h>

using platform::Answer;

namespace {


TEST_F(Programme, ChoixStationPeriodeParDefautEtQuitter) {
    demarre();
    FeuilleChoixFichier* f = etat->feuilleChoixFichier();
    ASSERT_TRUE(f->isVisible());
    EXPECT_TRUE(f->BoutonHome->isEnabled());
    EXPECT_FALSE(f->BoutonOK->isEnabled());
    EXPECT_FALSE(platform::isMenuEnabled(etat->form2()->MenuFichierP));
    QTest::mouseClick(f->BoutonHome, Qt::LeftButton);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(etat->Indic, "F1ABC");
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    ASSERT_TRUE(d->isVisible());
    // 10:30 local at UTC + 1: start 09:00 today, end 09:00 tomorrow.
    EXPECT_EQ(d->EditDateDeb->text(), "12-05-2001");
    EXPECT_EQ(d->EditTimeDeb->text(), "09:00");
    EXPECT_EQ(d->EditDateFin->text(), "13-05-2001");
    EXPECT_EQ(d->AffStep->text(), "0");
    // No Planner.ini yet: the read error is reported and start-up goes on.
    EXPECT_EQ(dialogs.messages().front().text, "Read Error : Planner.ini was not read !");
    QTest::mouseClick(d->BoutonAnnuler, Qt::LeftButton);
    EXPECT_TRUE(platform::isMenuEnabled(etat->form2()->MenuFichierP));
    EXPECT_FALSE(platform::isMenuEnabled(etat->form2()->MenuAfficheP));
    dialogs.queueAnswer(Answer::No);
    etat->form2()->close();
    EXPECT_EQ(dernierMessage(), "Are you sure you wish to quit ?");
    EXPECT_EQ(fins, 0);
    dialogs.queueAnswer(Answer::Yes);
    etat->form2()->MenuFichier_Click(3);
    EXPECT_EQ(fins, 1);
}

TEST_F(Programme, FrequenceNulleArreteLeDemarrage) {
    outils::Station s;
    s.freq = "0";
    ecrit("home.dat", outils::stationDat(s));
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    EXPECT_EQ(dernierMessage(), QString("Verify Data !!!") + QChar(13) + QChar(13) + "Use Corvinet");
    EXPECT_FALSE(etat->feuilleChoixDate()->isVisible());
    EXPECT_EQ(fins, 0);
}

TEST_F(Programme, JourneeLuneClicLignePrefixeEtImpression) {
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    // The step box takes three digits at most, typed as keys.
    d->AffStep->clear();
    d->AffStep->setFocus();
    QTest::keyClicks(d->AffStep, "1x0a05");
    EXPECT_EQ(d->AffStep->text(), "100");
    d->AffStep->clear();
    QTest::keyClicks(d->AffStep, "10");
    periode("12-05-2001", "00:00", "12-05-2001", "23:50");
    ASSERT_EQ(etat->TablePrevisionAffichee(), Vrai);
    ASSERT_EQ(etat->IndexPrevision, 0);
    FenetrePrevision* w = etat->fenetrePrevision(0);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Sat 12-05-2001 from 00:00 to 23:50 UTC");
    EXPECT_EQ(w->GrillePrev->rows(), 145);
    EXPECT_EQ(w->GrillePrev->textMatrix(83, 0), "13:40");
    EXPECT_EQ(w->GrillePrev->textMatrix(0, 4), "Echo");
    EXPECT_EQ(w->Entete[4]->text(), "Frequency :  144 MHz");
    EXPECT_EQ(etat->form2()->MenuPrintMoon->caption(2), "Sat 12-05-2001");
    EXPECT_TRUE(platform::isMenuEnabled(etat->form2()->MenuFichierP));
    const QTemporaryDir captures; // pictures of the windows, removed with the test
    w->grab().save(captures.filePath("planner_prevision.png"));

    // A click on row 13:40 opens the common-window dialog with that instant.
    w->GrillePrev->setRow(83);
    w->GrillePrev->setCol(3);
    etat->GrillePrev_Click(w);
    FeuilleDateCom* dc = etat->feuilleDateCom();
    ASSERT_TRUE(dc->isVisible());
    EXPECT_EQ(dc->EditDateDeb->text(), "12-05-2001");
    EXPECT_EQ(dc->EditTimeDeb->text(), "13:40");
    EXPECT_EQ(dc->windowTitle(), "Moon Common window");
    EXPECT_FALSE(platform::isMenuEnabled(etat->form2()->MenuFichierP));
    QTest::mouseClick(dc->BoutonOK, Qt::LeftButton);
    EXPECT_EQ(etat->ModeAffichage(), "CommWin");
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(etat->fenetreCommune()->isVisible());
    EXPECT_EQ(etat->feuilleChangeUTC()->EditTimeDeb->text(), "13:40");
    EXPECT_TRUE(platform::isMenuEnabled(etat->form2()->MenuFichierP));

    // A prefix in lower case finds its record; the name shows capitalised.
    dialogs.queueInput("zz");
    dialogs.queueInput("1234567");
    dialogs.queueInput("f");
    etat->fenetreDX()->ImgBtonDX_Click();
    EXPECT_EQ(dernierMessage(), "DXCC prefix not found !!!");
    EXPECT_EQ(etat->fenetreDX()->AffDxcc->text(), "F");
    EXPECT_EQ(etat->fenetreDX()->AffPays->text(), "France");
    EXPECT_NE(etat->XPointDX, 0);
    EXPECT_TRUE(etat->fenetreDX()->BoutonOK->isEnabled());
    EXPECT_LE(etat->fenetreDX()->AffDistance->text().trimmed().toInt(), 5); // the map point is rounded to twips
    etat->fenetreCommune()->grab().save(captures.filePath("planner_carte.png"));
    etat->fenetreDX()->grab().save(captures.filePath("planner_dx.png"));
    etat->fenetreCiel()->grab().save(captures.filePath("planner_ciel.png"));
    etat->form2()->grab().save(captures.filePath("planner_form2.png"));

    // The common-window tables for the period, for a point placed on the
    // map (no record's: the prefix goes); then the print question.
    float lon = -74.0f, lat = 40.7f;
    etat->PlacePointDX(astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    ASSERT_EQ(etat->TableComWinAffichee(), Vrai);
    FenetreComWinPrev* cw = etat->fenetreComWin(0);
    ASSERT_TRUE(cw);
    EXPECT_EQ(cw->Entete[8]->text(), "DX");
    EXPECT_EQ(cw->Entete[9]->text(), "Station");
    EXPECT_EQ(cw->EtiqSource[1]->text(), "Moon");
    EXPECT_TRUE(etat->form2()->ImgDX->isVisible() || !etat->form2()->isVisible());
    cw->grab().save(captures.filePath("planner_comwin.png"));
    dialogs.queueAnswer(Answer::Yes);
    etat->form2()->ImgPrint_MouseDown();
    etat->form2()->ImgPrint_MouseUp();
    EXPECT_EQ(dernierMessage(), QString("Moon Common Window") + QChar(13) + "Number of page:  1" + QChar(13) + QChar(13) +
                                    "Continue ?");
    EXPECT_EQ(imprimante.documents(), 1);
    EXPECT_TRUE(imprimante.operations().join('\n').contains("|Moon Common Window for|"));
    imprimante.clear();
    etat->form2()->MenuPrintMoon_Click(1);
    EXPECT_TRUE(imprimante.operations().join('\n').contains("|Moon Location for|"));
}

// The start picture is held for 2 s of the clock on the first start only.
TEST_F(Programme, LogoDeuxSecondesAuPremierDemarrageSeulement) {
    const QDateTime t0 = clock.now();
    demarre();
    EXPECT_GE(t0.msecsTo(clock.now()), 2000);
    EXPECT_LE(t0.msecsTo(clock.now()), 3000);
    EXPECT_EQ(etat->feuilleChoixFichier()->windowTitle(), "Planner - Setup File");
    EXPECT_TRUE(etat->feuilleChoixFichier()->ListeFichier->isVisible());
    calcule("12-05-2001", "00:00", "12-05-2001", "02:00");
    const QDateTime t1 = clock.now();
    etat->form2()->MenuFichier_Click(1);
    EXPECT_EQ(t1, clock.now());
    EXPECT_TRUE(etat->feuilleChoixFichier()->isVisible());
}

// File > New while a computation yields: the computation stops at its next
// step, the start window is offered, and a new computation can run.
TEST_F(Programme, NouveauPendantUnCalculLArrete) {
    demarre();
    bool lance = false;
    QTimer::singleShot(0, etat->form2(), [&] {
        lance = true;
        EXPECT_TRUE(etat->Garde.calcul());
        etat->form2()->MenuFichier_Click(1);
    });
    calcule("12-05-2001", "00:00", "20-05-2001", "00:00", "1");
    ASSERT_TRUE(lance);
    EXPECT_TRUE(etat->Garde.libre());
    EXPECT_EQ(etat->TablePrevisionAffichee(), Faux); // stopped inside the first day
    EXPECT_TRUE(etat->feuilleChoixFichier()->isVisible());
    EXPECT_EQ(etat->form2()->MenuPrintMoon->caption(2), QString());
    // The station is chosen again: a full computation follows.
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    EXPECT_EQ(etat->TablePrevisionAffichee(), Vrai);
    EXPECT_EQ(etat->fenetrePrevision(0)->GrillePrev->rows(), 145);
    EXPECT_TRUE(menusActifs());
}

// A row clicked while a computation runs opens the dialog; its O.K. does not
// start the common window inside the running computation.
TEST_F(Programme, OKDuDialogueCommunAttendLaFinDuCalcul) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    etat->form2()->MenuAffiche_Click(5); // the dialog opens with the first row's instant
    FeuilleDateCom* dc = etat->feuilleDateCom();
    ASSERT_TRUE(dc->isVisible());
    EXPECT_EQ(dc->EditTimeDeb->text(), "00:00");
    auto jeton = etat->Garde.commence(planner::Garde::Activite::TablesLune); // as inside a computation's yield
    const int bips = dialogs.beeps();
    QTest::mouseClick(dc->BoutonOK, Qt::LeftButton);
    EXPECT_TRUE(dc->isVisible());
    EXPECT_EQ(dialogs.beeps(), bips + 1); // refused, and heard
    EXPECT_EQ(etat->ModeAffichage(), "MoonPos");
    EXPECT_FALSE(etat->feuilleChangeUTC()->isVisible());
    jeton.reset();
    QTest::mouseClick(dc->BoutonOK, Qt::LeftButton);
    EXPECT_FALSE(dc->isVisible());
    EXPECT_EQ(etat->ModeAffichage(), "CommWin");
    EXPECT_TRUE(etat->fenetreCommune()->isVisible());
}

// The places and options of Planner.ini reach the windows and the period dialog.
TEST_F(Programme, PlannerIniPlaceLesFenetres) {
    const char* lignes[32] = {"UTC Com Win:Top-Left-Icone", " 1500", " 3000", " 0",
                              "Prevision:Top-Left-Icone", " 900", " 1200", " 0",
                              "Prevision_Com_Win:Top-Left-Icone", " 600", " 450", " 0",
                              "CommonWindow:Top-Left-Icone", " 2400", " 1800", " 0",
                              "Station-DX:Top-Left-Icone", " 3000", " 4500", " 1",
                              "Sky:Top-Left-Icone", " 300", " 3000", " 0",
                              "Generale:Height-Width-Top-Left", " 1500", " 4500", " 150", " 750",
                              "Options:Step-MoonVisible", " 15", "-1"};
    QByteArray ini;
    for (const char* l : lignes)
        ini += QByteArray(l) + "\r\n";
    ecrit("Planner.ini", ini);
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages().empty()) << dernierMessage().toStdString();
    auto place = [](QWidget* w) { return QPoint(platform::pixelsToTwips(w->x()), platform::pixelsToTwips(w->y())); };
    EXPECT_EQ(place(etat->feuilleDateCom()), QPoint(3000, 1500));
    EXPECT_EQ(place(etat->fenetreCommune()), QPoint(1800, 2400));
    EXPECT_EQ(place(etat->fenetreDX()), QPoint(4500, 3000));
    // A window kept as minimised opens at its place in its normal state: the
    // program is minimised as a whole.
    EXPECT_FALSE(etat->fenetreDX()->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(etat->fenetreCommune()->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(place(etat->fenetreCiel()), QPoint(3000, 300));
    EXPECT_EQ(place(etat->form2()), QPoint(750, 150));
    EXPECT_EQ(platform::pixelsToTwips(etat->form2()->width()), 4500);
    EXPECT_EQ(platform::pixelsToTwips(etat->form2()->height()), 1500);
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    EXPECT_EQ(d->AffStep->text(), "15");
    EXPECT_TRUE(d->OptionLune[1]->isChecked());
    EXPECT_FALSE(d->OptionLune[0]->isChecked());
    // The first Moon-location window stands at the saved place, the next 200 / 300 twips on.
    periode("12-05-2001", "00:00", "14-05-2001", "00:00");
    ASSERT_GE(etat->IndexPrevision, 1);
    EXPECT_EQ(etat->fenetrePrevision(0)->pos(), QPoint(platform::twipsToPixels(1200), platform::twipsToPixels(900)));
    EXPECT_EQ(etat->fenetrePrevision(1)->pos(), QPoint(platform::twipsToPixels(1400), platform::twipsToPixels(1200)));
    // Save screen writes back what was read (the common-window table window:
    // one made for the purpose at its design place).
    etat->fenetreDX()->setWindowState(Qt::WindowNoState);
    etat->fenetreDX()->setWindowState(Qt::WindowMinimized);
    etat->form2()->MenuAffiche_Click(3);
    const QByteArray relu = lit("Planner.ini");
    EXPECT_EQ(relu.left(ini.indexOf("Prevision_Com_Win")), ini.left(ini.indexOf("Prevision_Com_Win")));
    EXPECT_EQ(relu.mid(relu.indexOf("CommonWindow")), ini.mid(ini.indexOf("CommonWindow")).replace(" 15\r\n-1", " 15\r\n 0"));
}

// A "Planner.ini" that ends after the main window's Height: what was read is
// applied, the rest keeps its value, and the read error is reported.
TEST_F(Programme, PlannerIniTronqueAppliqueCeQuiAEteLu) {
    QByteArray ini;
    const char* lignes[26] = {"UTC Com Win:Top-Left-Icone", " 1500", " 3000", " 0",
                              "Prevision:Top-Left-Icone", " 900", " 1200", " 0",
                              "Prevision_Com_Win:Top-Left-Icone", " 600", " 450", " 0",
                              "CommonWindow:Top-Left-Icone", " 2400", " 1800", " 0",
                              "Station-DX:Top-Left-Icone", " 3000", " 4500", " 0",
                              "Sky:Top-Left-Icone", " 300", " 3000", " 0",
                              "Generale:Height-Width-Top-Left", " 1995"};
    for (const char* l : lignes)
        ini += QByteArray(l) + "\r\n";
    ecrit("Planner.ini", ini);
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    ASSERT_FALSE(dialogs.messages().empty());
    EXPECT_EQ(dialogs.messages().front().text, "Read Error : Planner.ini was not read !");
    EXPECT_EQ(dialogs.messages().front().title, "Selvane");
    EXPECT_EQ(platform::pixelsToTwips(etat->form2()->height()), 1995);
    EXPECT_EQ(etat->Step, 0);
    EXPECT_EQ(etat->fenetreCiel()->x(), platform::twipsToPixels(3000));
}

// The prefix database: a line without TAB before the match is a read error;
// once the file is mended the next look-up opens it again and finds the last
// record; a "W" and an "S" give West and South.
TEST_F(Programme, PrefixeErreurDeLecturePuisDernierEnregistrement) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    fenetreCommune();
    // An empty file is the read error, and the DX point stays where it was.
    ecrit("DXCCPREF.DBR", "");
    const int16_t avant = etat->XPointDX;
    EXPECT_EQ(etat->RecherchePrefixeDXCC("vk"), Faux);
    EXPECT_EQ(dernierMessage(), "DXCC DataBase was not read !");
    EXPECT_EQ(dialogs.messages().back().title, "Selvane : Read Error");
    EXPECT_EQ(dialogs.messages().back().icon, platform::Icon::Critical);
    EXPECT_EQ(etat->XPointDX, avant);
    // A line without a TAB holds no record: the look-up passes over it.
    ecrit("DXCCPREF.DBR", "K\tUnited States\t40\t42\tN\t74\t0\tW\r\nbroken line\r\n\r\nVK\tAUSTRALIA\t25\t0\tS\t135\t0\tE\r\n");
    EXPECT_EQ(etat->RecherchePrefixeDXCC("vk"), Vrai);
    ecrit("DXCCPREF.DBR", "K\tUnited States\t40\t42\tN\t74\t0\tW\r\nVK\tAUSTRALIA\t25\t0\tS\t135\t0\tE\r\n");
    EXPECT_EQ(etat->RecherchePrefixeDXCC("vk"), Vrai);
    EXPECT_EQ(etat->fenetreDX()->AffDxcc->text(), "VK");
    EXPECT_EQ(etat->fenetreDX()->AffPays->text(), "Australia");
    int16_t y = etat->YPointDX;
    EXPECT_LT(astro::CarteYVersLatitude(y), 0); // south
    EXPECT_EQ(etat->RecherchePrefixeDXCC("K"), Vrai);
    int16_t x = etat->XPointDX;
    EXPECT_LT(astro::CarteXVersLongitude(x), 0); // west
    EXPECT_EQ(etat->RecherchePrefixeDXCC(""), Faux);
}

// Cancel in the start window: before any station the quit question (No
// brings the list back with the menus off); afterwards the current display again.
TEST_F(Programme, AnnulerDansLaFenetreDeDepart) {
    demarre();
    FeuilleChoixFichier* f = etat->feuilleChoixFichier();
    dialogs.queueAnswer(Answer::No);
    QTest::mouseClick(f->BoutonAnnuler, Qt::LeftButton);
    ASSERT_FALSE(dialogs.messages().empty());
    const platform::DialogEvent q = dialogs.messages().back();
    EXPECT_EQ(q.text, "Are you sure you wish to quit ?");
    EXPECT_EQ(q.title, "Selvane - Planner");
    EXPECT_EQ(q.icon, platform::Icon::Critical);
    EXPECT_EQ(q.buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(f->isVisible());
    EXPECT_FALSE(menusActifs());
    EXPECT_EQ(fins, 0);

    // Moon-location tables on screen: File > New, then Cancel shows them again.
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    FenetrePrevision* w = etat->fenetrePrevision(0);
    etat->form2()->MenuFichier_Click(1);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(menusActifs());
    QTest::mouseClick(f->BoutonAnnuler, Qt::LeftButton);
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(menusActifs());
    EXPECT_TRUE(platform::isMenuEnabled(etat->form2()->MenuAfficheP));
    EXPECT_EQ(etat->fenetrePrevision(0), w); // the station and its tables are kept

    // Common-window map on screen: Cancel shows the map, sky and DX windows again.
    fenetreCommune();
    etat->form2()->MenuFichier_Click(1);
    EXPECT_FALSE(etat->fenetreCommune()->isVisible());
    EXPECT_FALSE(etat->fenetreCiel()->isVisible());
    QTest::mouseClick(f->BoutonAnnuler, Qt::LeftButton);
    EXPECT_TRUE(etat->fenetreCommune()->isVisible());
    EXPECT_TRUE(etat->fenetreCiel()->isVisible());
    EXPECT_TRUE(etat->fenetreDX()->isVisible());
    EXPECT_FALSE(w->isVisible());
}

// The source menu recomputes the common-window map, and only there.
TEST_F(Programme, MenuSourceRecalculeLaCarteCommune) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    Form2* f2 = etat->form2();
    // In the Moon-location display only the source changes.
    f2->MenuSource_Click(1);
    EXPECT_EQ(etat->CodeSource, 1);
    EXPECT_FALSE(etat->fenetreCommune()->isVisible());
    EXPECT_TRUE(f2->ImgSoleil->isPressedShown());
    f2->MenuSource_Click(0);
    fenetreCommune();
    const QString lune = etat->fenetreCommune()->windowTitle();
    EXPECT_EQ(lune, "Moon Common Window : Sat 12-05-2001 / 13:40");
    f2->MenuSource_Click(4);
    EXPECT_EQ(etat->CodeSource, 4);
    EXPECT_EQ(etat->NomSource, "Cygnus-A");
    EXPECT_EQ(etat->fenetreCommune()->windowTitle(), "Cygnus-A Common Window : Sat 12-05-2001 / 13:40");
    EXPECT_NE(etat->CourbeFenetreCommune, (std::array<double, 72>{}));
    EXPECT_FALSE(f2->ImgLune->isPressedShown() || f2->ImgSoleil->isPressedShown() || f2->ImgCiel->isPressedShown());
    EXPECT_TRUE(menusActifs());
    EXPECT_TRUE(f2->MenuSource->checked(4));
    EXPECT_FALSE(f2->MenuSource->checked(0));
    // The source already chosen: nothing recomputed.
    etat->fenetreCommune()->setWindowTitle("x");
    f2->MenuSource_Click(4);
    EXPECT_EQ(etat->fenetreCommune()->windowTitle(), "x");
    // The Cold Sky button: press shows its picture, release chooses and recomputes.
    QTest::mousePress(f2->ImgCiel, Qt::LeftButton);
    EXPECT_TRUE(f2->ImgCiel->isPressedShown());
    EXPECT_EQ(etat->CodeSource, 4);
    QTest::mouseRelease(f2->ImgCiel, Qt::LeftButton);
    EXPECT_EQ(etat->CodeSource, 8);
    EXPECT_EQ(etat->fenetreCommune()->windowTitle(), "Cold Sky Common Window : Sat 12-05-2001 / 13:40");
}

// ImgPrev acts on the press; the release does nothing more.
TEST_F(Programme, ImgPrevAgitALaPression) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    Form2* f2 = etat->form2();
    QTest::mousePress(f2->ImgPrev, Qt::LeftButton);
    EXPECT_TRUE(etat->feuilleDateCom()->isVisible());
    EXPECT_TRUE(f2->ImgPrev->isPressedShown());
    EXPECT_EQ(f2->MenuAffiche->caption(5), "Moon Location");
    EXPECT_EQ(etat->feuilleDateCom()->EditDateDeb->text(), "12-05-2001");
    EXPECT_EQ(etat->feuilleDateCom()->EditTimeDeb->text(), "00:00");
    QTest::mouseRelease(f2->ImgPrev, Qt::LeftButton);
    EXPECT_TRUE(f2->ImgPrev->isPressedShown());
    EXPECT_TRUE(etat->feuilleDateCom()->isVisible());
    EXPECT_FALSE(menusActifs());
    QTest::mouseClick(etat->feuilleDateCom()->BoutonAnnuler, Qt::LeftButton);
    EXPECT_FALSE(f2->ImgPrev->isPressedShown());
    EXPECT_EQ(f2->MenuAffiche->caption(5), "Common Window");
    EXPECT_TRUE(menusActifs());
}

// The key window is centred when it is loaded; O.K. only hides it, the close box unloads it.
TEST_F(Programme, CleDuCielCentreeAuChargement) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    fenetreCommune(); // the key opens from the radio-sky map
    FenetreInfoCiel* info = etat->fenetreInfoCiel();
    etat->fenetreCiel()->ImgInfo_Click();
    ASSERT_TRUE(info->isVisible());
    const QPoint centre = info->pos();
    info->move(centre + QPoint(40, 30));
    QTest::mouseClick(info->BoutonInfoOK, Qt::LeftButton);
    EXPECT_FALSE(info->isVisible());
    etat->fenetreCiel()->ImgInfo_Click();
    EXPECT_EQ(info->pos(), centre + QPoint(40, 30));
    info->close();
    EXPECT_FALSE(info->isVisible());
    etat->fenetreCiel()->ImgInfo_Click();
    EXPECT_LE((info->pos() - centre).manhattanLength(), 4); // within the frame's margins
}

} // namespace

// Texts that must show whole in the table windows and the UTC dialog: the
// widest each header label or title can carry, measured in the label's font.
// The UTC dialog sits under the main window (3480 twips wide by default, the
// common-window map at Left 3700): it must not reach under the map.
TEST_F(Programme, TextesDesFenetresEntiersEtDialogueUTCSousLaFenetrePrincipale) {
    demarre();
    auto entier = [](QLabel* e, const QString& texte) {
        const QFontMetrics fm(e->font());
        if (e->wordWrap()) {
            for (const QString& mot : texte.split(QLatin1Char(' ')))
                EXPECT_LE(fm.horizontalAdvance(mot), e->contentsRect().width()) << mot.toStdString();
        } else {
            EXPECT_LE(fm.horizontalAdvance(texte), e->contentsRect().width()) << texte.toStdString();
        }
    };
    FenetrePrevision prev(*etat);
    const std::pair<int, const char*> lignes[] = {
        {2, "Lat : 90.000 S"}, {3, "Long : 180.000 W"}, {4, "Frequency :  10368 MHz"},
        {5, "Moon Decl. : -28.9 to -28.9 deg"}, {6, "Extra loss/perigee : -10.5 dB"},
        {7, "432 MHz sky temp. : 3420 to 3420 \xb0K"}};
    for (const auto& [i, t] : lignes)
        entier(prev.Entete[size_t(i)], QString::fromLatin1(t));
    for (QLabel* e : prev.Etiquette1)
        entier(e, e->text());
    FenetreComWinPrev com(*etat);
    for (QLabel* e : com.findChildren<QLabel*>())
        if (!e->text().isEmpty())
            entier(e, e->text());
    for (int i : {4, 5, 6, 7})
        entier(com.Entete[size_t(i)], QString::fromLatin1(lignes[i - 2].second));
    EXPECT_LE(platform::pixelsToTwips(etat->feuilleChangeUTC()->frameGeometry().width()), 3480);
}

namespace {

// Common-window tables computed for the Moon, then the Sun chosen: the print
// question and every report name the Moon, the source of the tables; the
// Moon-location report stays a Moon report.
TEST_F(Programme, ImpressionNommeLaSourceDesTables) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    fenetreCommune();
    float lon = -74.0f, lat = 40.7f;
    etat->PlacePointDX(astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    ASSERT_EQ(etat->TableComWinAffichee(), Vrai);
    etat->form2()->MenuSource_Click(1);
    ASSERT_EQ(etat->NomSource, "Sun");
    dialogs.queueAnswer(Answer::Yes);
    etat->form2()->ImgPrint_MouseDown();
    etat->form2()->ImgPrint_MouseUp();
    EXPECT_TRUE(dernierMessage().startsWith(QString("Moon Common Window") + QChar(13))) << dernierMessage().toStdString();
    etat->form2()->MenuPrintComW_Click(1);
    etat->form2()->MenuPrintComW_Click(2);
    EXPECT_EQ(imprimante.documents(), 3);
    const QString tout = imprimante.operations().join('\n');
    EXPECT_EQ(tout.count("|Moon Common Window for|"), 3);
    EXPECT_FALSE(tout.contains("Sun Common Window"));
    imprimante.clear();
    etat->form2()->MenuPrintMoon_Click(2);
    EXPECT_TRUE(imprimante.operations().join('\n').contains("|Moon Location for|"));
}

// A day cut short by File > New (after a row click during the computation
// and Cancel in the common-window dialog) is not shown again by Cancel in
// the chooser, not counted by the print question and not printed.
TEST_F(Programme, JourInterrompuNiMontreNiCompteNiImprime) {
    demarre();
    QTimer pendant;
    pendant.setInterval(0);
    int remplies = -1; // days filled when File > New stops the computation
    QObject::connect(&pendant, &QTimer::timeout, [&] {
        if (etat->IndexPrevision < 2)
            return;
        pendant.stop();
        remplies = etat->IndexPrevision;
        FenetrePrevision* w = etat->fenetrePrevision(0);
        w->GrillePrev->setRow(83);
        etat->GrillePrev_Click(w);
        QTest::mouseClick(etat->feuilleDateCom()->BoutonAnnuler, Qt::LeftButton);
        etat->form2()->MenuFichier_Click(1);
    });
    pendant.start();
    calcule("12-05-2001", "00:00", "31-05-2001", "00:00", "1");
    ASSERT_FALSE(pendant.isActive());
    ASSERT_GE(remplies, 2);
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonAnnuler, Qt::LeftButton);
    int montrees = 0;
    for (int i = 0; i < int(etat->ListeFenetresPrevision.size()); ++i)
        if (FenetrePrevision* w = etat->fenetrePrevision(i); w && w->isVisible()) {
            ++montrees;
            EXPECT_FALSE(w->windowTitle().isEmpty()) << i;
        }
    EXPECT_EQ(montrees, remplies);
    EXPECT_EQ(etat->form2()->MenuPrintMoon->caption(remplies + 2), QString());
    dialogs.queueAnswer(Answer::Yes);
    etat->form2()->ImgPrint_MouseDown();
    etat->form2()->ImgPrint_MouseUp();
    EXPECT_EQ(dernierMessage(), QString("Moon location") + QChar(13) + "Number of page: " + platform::Str(remplies) +
                                    QChar(13) + QChar(13) + "Continue ?");
    etat->form2()->MenuPrintMoon_Click(1);
    EXPECT_EQ(imprimante.documents(), 2 * remplies);
    EXPECT_FALSE(imprimante.operations().join('\n').contains("||")); // no empty caption or station line
}

// Message boxes that record the mouse pointer the operator sees over them.
class BoitesPointeur : public platform::ScriptedDialogs {
public:
    std::vector<Qt::CursorShape> pointeurs;
    Answer message(const QString& text, platform::Buttons b, platform::Icon i, const QString& title) override {
        const QCursor* c = QApplication::overrideCursor();
        pointeurs.push_back(c ? c->shape() : Qt::ArrowCursor);
        return ScriptedDialogs::message(text, b, i, title);
    }
};

// The page-too-narrow box and the box that names the PDF of a report are
// shown with the normal pointer, and the busy pointer is gone afterwards.
TEST_F(Programme, PointeurNormalSurLesBoitesDImpression) {
    BoitesPointeur boites;
    etat = std::make_unique<Planner>(boites, clock, dir.path(), [this] { ++fins; });
    platform::RecordingPrinter etroite(11906, 16838, 8499, 16000);
    etat->Imprimante = &etroite;
    etat->Main();
    calcule("12-05-2001", "00:00", "12-05-2001", "02:00");
    boites.pointeurs.clear();
    boites.clear();
    etat->form2()->MenuPrintMoon_Click(2);
    platform::QtPrinter::Options o;
    o.pdfPath = dir.filePath("rapport.pdf");
    platform::QtPrinter pdf(etat->Dialogues, o);
    etat->Imprimante = &pdf;
    etat->form2()->MenuPrintMoon_Click(2);
    ASSERT_EQ(boites.messages().size(), 2u);
    EXPECT_EQ(boites.messages()[0].text, "The pagewidth is too narrow !");
    EXPECT_TRUE(boites.messages()[1].text.startsWith("No printer is installed."));
    EXPECT_EQ(boites.pointeurs, (std::vector<Qt::CursorShape>{Qt::ArrowCursor, Qt::ArrowCursor}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    etat.reset();
}

} // namespace

namespace {

// Where a label's text stands in its parent, pixels: [left, right) of its
// widest line as the label aligns it.
std::pair<int, int> etendueTexte(const QLabel* e) {
    const QFontMetrics fm(e->font());
    int w = 0;
    for (const QString& ligne : e->wordWrap() ? e->text().split(' ') : QStringList{e->text()})
        w = std::max(w, fm.horizontalAdvance(ligne));
    const QRect c = e->contentsRect().translated(e->pos());
    const Qt::Alignment a = e->alignment() & Qt::AlignHorizontal_Mask;
    const int x = a & Qt::AlignHCenter ? c.x() + (c.width() - w) / 2 : a & Qt::AlignRight ? c.right() + 1 - w : c.x();
    return {x, x + w};
}

// Labels of one row of a frame: each text whole, and 4 pixels at least
// between one text and the next.
void rangeesSeparees(const std::vector<QLabel*>& labels) {
    for (QLabel* a : labels) {
        const auto [g, d] = etendueTexte(a);
        EXPECT_LE(d - g, a->contentsRect().width()) << a->text().toStdString();
        for (QLabel* b : labels) {
            if (a == b || a->parent() != b->parent() || a->y() != b->y() || b->x() <= a->x())
                continue;
            EXPECT_GE(etendueTexte(b).first - d, 4) << a->text().toStdString() << " | " << b->text().toStdString();
        }
    }
}

// A title stands 3 pixels at least from every separator of its strip.
void degageDesSeparateurs(const QLabel* titre, const std::array<QFrame*, 3>& separateurs) {
    const auto [g, d] = etendueTexte(titre);
    for (const QFrame* s : separateurs) {
        const int x = s->geometry().center().x();
        EXPECT_TRUE(x <= g - 3 || x >= d + 3) << titre->text().toStdString() << " " << g << ".." << d << " at " << x;
    }
}

} // namespace

// The header lines at their widest (an 18-character location, a longitude of
// 170.917 W) stand whole and apart, and "Doppler" clear of its separator, in
// both table windows, measured in the labels' own font.
TEST_F(Programme, EntetesSeparesEtDopplerDegage) {
    demarre();
    const QString lieu = "SAINT-GERMAIN-LAYE";
    ASSERT_EQ(lieu.size(), 18);
    const QString communs[4] = {"Frequency :  10368 MHz", "Moon Decl. : -28.9 to -28.9 deg",
                                "Extra loss/perigee : -10.5 dB", QString::fromUtf8("432 MHz sky temp. : 3420 to 3420 °K")};
    FenetrePrevision prev(*etat);
    const QString lignes[4] = {"F1ABC", lieu, "Lat : 90.000 S", "Long : 170.917 W"};
    for (int i = 0; i < 4; ++i) {
        prev.Entete[size_t(i)]->setText(lignes[i]);
        prev.Entete[size_t(i + 4)]->setText(communs[i]);
    }
    rangeesSeparees(std::vector<QLabel*>(prev.Entete.begin(), prev.Entete.end()));
    degageDesSeparateurs(prev.Etiquette1[4], prev.Ligne1);

    FenetreComWinPrev com(*etat);
    const QString station[12] = {"F1ABC", lieu, "Lat: 90.000 S", "Long: 170.917 W", communs[0], communs[1],
                                 communs[2], communs[3], "VK2", "Bosnia-herzegovina", "Lat: 45.000 N", "Long: 170.917 W"};
    for (int i = 0; i < 12; ++i)
        com.Entete[size_t(i)]->setText(station[i]);
    rangeesSeparees(std::vector<QLabel*>(com.Entete.begin(), com.Entete.end()));
    const QLabel* doppler = nullptr;
    for (const QLabel* e : com.Image1->findChildren<QLabel*>())
        if (e->text() == "Doppler")
            doppler = e;
    ASSERT_TRUE(doppler);
    degageDesSeparateurs(doppler, com.Ligne1);
}

// The pictures that carry information are read as what they show, from the
// values they are drawn from; the source buttons read as checked while they
// show the current source.
TEST_F(Programme, ImagesLuesParLesLecteursDEcran) {
    using platform::testing::accessibleName;
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    FenetrePrevision* table = etat->fenetrePrevision(0);
    ASSERT_TRUE(table);
    ASSERT_GE(table->PhaseAffichee, 0);
    EXPECT_EQ(accessibleName(table->AffIconeLune), planner::TextePhaseLune(table->PhaseAffichee));
    auto coche = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->state().checked; };
    Form2* f = etat->form2();
    EXPECT_TRUE(coche(f->ImgLune));
    EXPECT_FALSE(coche(f->ImgSoleil));
    EXPECT_FALSE(coche(f->ImgPrev));

    fenetreCommune();
    EXPECT_TRUE(coche(f->ImgPrev)); // the common-window display
    const QString carte = "World map, Moon common window on 12-05-2001 at 13:40 UTC: the source is below the horizon "
                          "on the hatched side of the curve; ";
    QWidget* monde = etat->fenetreCommune()->EMEWindow;
    EXPECT_EQ(accessibleName(monde), carte + "no DX point");
    FenetreCiel* ciel = etat->fenetreCiel();
    EXPECT_EQ(accessibleName(ciel->AffIconeLune), planner::TextePhaseLune(ciel->Valeurs.Phase));
    EXPECT_EQ(accessibleName(ciel->Image1),
              planner::TexteCarteCiel(ciel->Valeurs.AscDroiteLune, ciel->Valeurs.DeclinaisonLune,
                                      ciel->Valeurs.AscDroiteSoleil, ciel->Valeurs.DeclinaisonSoleil));
    EXPECT_TRUE(accessibleName(ciel->Image1).startsWith("Radio-sky chart: the Moon at right ascension "));
    EXPECT_EQ(accessibleName(etat->fenetreInfoCiel()->Image1), planner::TexteCleSources());

    dialogs.queueInput("f");
    etat->fenetreDX()->ImgBtonDX_Click();
    EXPECT_EQ(accessibleName(monde), carte + "DX point F France at 48.850 N, 2.350 E");
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    FenetreComWinPrev* commune = etat->fenetreComWin(0);
    ASSERT_TRUE(commune);
    EXPECT_EQ(accessibleName(commune->AffIcone[0]), planner::TextePhaseLune(commune->Phase));
    EXPECT_GE(commune->Phase, 0);

    // Another source: the buttons follow it.
    f->MenuSource_Click(4);
    EXPECT_FALSE(coche(f->ImgLune));
    f->MenuSource_Click(1);
    EXPECT_TRUE(coche(f->ImgSoleil));
}

// The windows of a 30-day period cascade inside the screen's available area.
TEST_F(Programme, CascadeDeTrenteJoursDansLEcran) {
    demarre();
    calcule("01-05-2001", "00:00", "30-05-2001", "23:00", "60");
    ASSERT_EQ(etat->IndexPrevision, 29);
    const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
    for (int i = 0; i <= etat->IndexPrevision; ++i)
        EXPECT_TRUE(ecran.contains(etat->fenetrePrevision(i)->frameGeometry()))
            << i << " " << etat->fenetrePrevision(i)->frameGeometry().bottom() << " > " << ecran.bottom();
    EXPECT_EQ(etat->fenetrePrevision(0)->pos(), QPoint(platform::twipsToPixels(etat->LeftPrevision),
                                                       platform::twipsToPixels(etat->TopPrevision)));
}


// A screen reader names each box for what it holds, also where two boxes
// share a frame, and reads each value of the DX window with its caption.
TEST_F(Programme, NomsPourLesLecteursDEcran) {
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    ASSERT_TRUE(d->isVisible());
    const std::pair<QWidget*, const char*> boites[] = {
        {d->EditDateDeb, "Start UTC date (d-m-y)"}, {d->EditTimeDeb, "Start UTC time (h-m)"},
        {d->EditDateFin, "End UTC date (d-m-y)"},   {d->EditTimeFin, "End UTC time (h-m)"},
        {d->AffStep, "Step"},
        {etat->feuilleDateCom()->EditDateDeb, "UTC date (d-m-y)"},
        {etat->feuilleDateCom()->EditTimeDeb, "UTC time (h-m)"},
        {etat->feuilleChangeUTC()->EditDateDeb, "UTC date (d-m-y)"},
        {etat->feuilleChangeUTC()->EditTimeDeb, "UTC time (h-m)"},
    };
    for (const auto& [b, nom] : boites)
        EXPECT_EQ(platform::testing::accessibleName(b), QString::fromLatin1(nom));

    // The values of the DX window: the caption alone while blank, then
    // caption and value.
    FenetreDX* dx = etat->fenetreDX();
    EXPECT_EQ(platform::testing::accessibleName(dx->AffAzimDX), "Azimuth (Deg)");
    etat->feuilleDateCom()->EditDateDeb->setText("12-05-2001"); // the common-window instant
    etat->feuilleDateCom()->EditTimeDeb->setText("13:40");
    dialogs.queueInput("f");
    dx->ImgBtonDX_Click();
    ASSERT_EQ(dx->AffDxcc->text(), "F");
    EXPECT_EQ(platform::testing::accessibleName(dx->AffDxcc), "DXCC F");
    const std::pair<QLabel*, const char*> valeurs[] = {
        {dx->AffAzimDX, "Azimuth (Deg) "},       {dx->AffElevDX, "Elevation (Deg) "},
        {dx->AffDopplerDX, "Doppler Off. (Hz) "}, {dx->AffPolarDX, "Polar Error (Deg) "},
        {dx->AffDistance, "Distance (Km) "},
    };
    ASSERT_FALSE(dx->AffAzimDX->text().trimmed().isEmpty());
    for (const auto& [l, legende] : valeurs) // the Doppler stays blank until the common window is computed
        EXPECT_EQ(platform::testing::accessibleName(l), (QString::fromLatin1(legende) + l->text()).simplified());
}
