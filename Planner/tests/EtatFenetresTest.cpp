// What the windows allow and what each computation takes, through the
// windows offscreen with real events: the DX station's own position, the
// common-window instant after the tables, the guard while a computation or a
// print runs, the menus while a dialog is open, the period dialog's checks,
// the station check, Planner.ini places, map clicks and the step box.

#include "Planner/Dates.h"
#include "Planner/PlannerIni.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "Planner/FenetreCiel.h"
#include "Planner/FenetreComWinPrev.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FenetreDX.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Programme.h"
#include "assets/Assets.h"
#include "platform/widgets/FilteredBox.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/PictureBox.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <functional>

using platform::Answer;

namespace {

const QByteArray BaseLointaine = "CE9\tAntarctica\t89\t59\tS\t0\t0\tE\r\n"
                                 "VU\tIndia\t22\t30\tN\t77\t35\tE\r\n"
                                 "VU4\tAndaman&Nicobar\t12\t22\tN\t92\t47\tE\r\n"
                                 "K\tUnited States\t40\t42\tN\t74\t0\tW\r\n";

// The source's elevation at (lat, lon) degrees for the instant, from the library.
QString elevationA(const Planner& p, double lat, double lon, const QString& date, const QString& heure) {
    VariablesPlanner w = p;
    planner::fixeInstant(w, date, heure);
    w.Astro.LatitudeObservateur = lat;
    w.Astro.LongitudeObservateur = lon / 15;
    astro::CalculTempsSideral(w.Astro);
    astro::CalculPositionSource(w.Astro, p.CodeSource);
    return platform::Format(float(w.Astro.ElevationSource), "##0.00");
}

// A prefix beyond the map's edge is computed at its own position, its mark
// pinned to the edge; moving the mark leaves the map whole where it stood;
// an "&" in an entity name shows as it is.
TEST_F(Programme, PrefixeLointainMarqueEtNom) {
    ecrit("home.dat", outils::stationDat(outils::toulouse()));
    ecrit("DXCCPREF.DBR", BaseLointaine);
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    fenetreCommune();
    FenetreDX* dx = etat->fenetreDX();
    dialogs.queueInput("ce9");
    dx->ImgBtonDX_Click();
    EXPECT_EQ(dx->AffPays->text(), "Antarctica");
    EXPECT_EQ(etat->YPointDX, 2770); // the mark on the bottom edge
    EXPECT_EQ(dx->AffDistance->text().trimmed(), "14847");
    const double lat = -(89 + 59 / 60.0);
    EXPECT_EQ(dx->AffElevDX->text(), elevationA(*etat, float(lat), 0, "12-05-2001", "13:40"));
    EXPECT_NE(dx->AffElevDX->text(), elevationA(*etat, -55, 0, "12-05-2001", "13:40"));

    // CE9, then VU: the old mark's place shows what a fresh drawing shows.
    platform::PictureBox* carte = etat->fenetreCommune()->EMEWindow;
    dialogs.queueInput("VU");
    dx->ImgBtonDX_Click();
    const QImage apres = carte->canvas().copy();
    etat->DessineFenetreCommune();
    EXPECT_TRUE(apres == carte->canvas());

    dialogs.queueInput("vu4");
    dx->ImgBtonDX_Click();
    EXPECT_EQ(dx->AffPays->text(), "Andaman&nicobar");
    const QFontMetrics fm(dx->AffPays->font());
    EXPECT_GE(dx->AffPays->sizeHint().width(), fm.horizontalAdvance("Andaman&nicobar"));

    // The tables' DX header gives the record's own position.
    dialogs.queueInput("ce9");
    dx->ImgBtonDX_Click();
    QTest::mouseClick(dx->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(etat->fenetreComWin(0));
    EXPECT_EQ(etat->fenetreComWin(0)->Entete[10]->text(), "Lat: 89.983 S");
}

// After the tables and back to the map, a map click and a resize of the
// radio-sky map compute for the instant the frame shows.
TEST_F(Programme, RetourALaCarteCalculePourLInstantChoisi) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    fenetreCommune();
    FenetreDX* dx = etat->fenetreDX();
    platform::PictureBox* carte = etat->fenetreCommune()->EMEWindow;
    QTest::mousePress(carte, Qt::LeftButton, {}, QPoint(100, 50));
    const QString az = dx->AffAzimDX->text(), el = dx->AffElevDX->text(), dop = dx->AffDopplerDX->text();
    const QString ha = etat->fenetreCiel()->AffHA->text(), temp = etat->fenetreCiel()->AffTemp->text();
    QTest::mouseClick(dx->BoutonOK, Qt::LeftButton);
    ASSERT_EQ(etat->TableComWinAffichee(), Vrai);
    QTest::mouseClick(etat->form2()->ImgDX, Qt::LeftButton);
    ASSERT_TRUE(etat->fenetreCommune()->isVisible());
    QTest::mousePress(carte, Qt::LeftButton, {}, QPoint(100, 50));
    EXPECT_EQ(dx->AffAzimDX->text(), az);
    EXPECT_EQ(dx->AffElevDX->text(), el);
    EXPECT_EQ(dx->AffDopplerDX->text(), dop);
    etat->fenetreCiel()->resize(etat->fenetreCiel()->size() + QSize(0, 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(etat->fenetreCiel()->AffHA->text(), ha);
    EXPECT_EQ(etat->fenetreCiel()->AffTemp->text(), temp);
}

// A step beyond three digits from Planner.ini is refused at O.K.; a pasted or
// dropped text passes the same filter as typed keys; Delete passes.
TEST_F(Programme, PasHorsLimitesEtTexteColle) {
    QStringList ini = planner::lignesPlannerIni(planner::ValeursIni{});
    ini[30] = " 5000";
    ASSERT_TRUE(platform::saveLines(chemin("Planner.ini"), ini));
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    EXPECT_EQ(d->AffStep->text(), "5000");
    periode("12-05-2001", "00:00", "12-05-2001", "23:50");
    EXPECT_EQ(dernierMessage(), "'Step' must be > 0 mn !!!");
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(etat->TablePrevisionAffichee(), Faux);

    QLineEdit* pas = d->AffStep;
    pas->clear();
    pas->setFocus();
    int bips = dialogs.beeps();
    QGuiApplication::clipboard()->setText("5000");
    QTest::keyClick(pas, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(pas->text(), "");
    EXPECT_EQ(dialogs.beeps(), bips + 1);
    QTest::keyClick(pas, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(pas->text(), "");
    QGuiApplication::clipboard()->setText("1a");
    QTest::keyClick(pas, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(pas->text(), "");
    QGuiApplication::clipboard()->setText("15");
    QTest::keyClick(pas, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(pas->text(), "15");
    QTest::keyClick(pas, Qt::Key_Home);
    QTest::keyClick(pas, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(pas->text(), "15"); // "1515" would be four digits
    // Delete and Backspace edit the box.
    pas->setText("123");
    pas->setCursorPosition(0);
    bips = dialogs.beeps();
    QTest::keyClick(pas, Qt::Key_Delete);
    EXPECT_EQ(pas->text(), "23");
    QTest::keyClick(pas, Qt::Key_End);
    QTest::keyClick(pas, Qt::Key_Backspace);
    EXPECT_EQ(pas->text(), "2");
    QTest::keyClicks(pas, "5x9");
    EXPECT_EQ(pas->text(), "259");
    EXPECT_EQ(dialogs.beeps(), bips + 1);
    QTest::keyClicks(pas, "1");
    EXPECT_EQ(pas->text(), "259");
}

// A key refused by the step box or by the mask of a date or time box beeps
// and shows the suite's refusal sign on the box, the box left as it was.
TEST_F(Programme, ToucheRefuseeBipEtSigne) {
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    ASSERT_TRUE(d->isVisible());
    struct Cas {
        QLineEdit* boite;
        const char* touches; // the last one refused
        const char* texte;   // the box afterwards
    } const cas[] = {
        {d->AffStep, "6x", "6"},
        {d->AffStep, "6001", "600"},
        {d->EditDateDeb, "1a", "1_-__-____"},
        {d->EditTimeFin, "23:590", "23:59"},
    };
    for (const Cas& c : cas) {
        c.boite->selectAll();
        QTest::keyClick(c.boite, Qt::Key_Delete);
        const int bips = dialogs.beeps();
        QTest::keyClicks(c.boite, c.touches);
        EXPECT_EQ(c.boite->text(), QString::fromLatin1(c.texte)) << c.touches;
        EXPECT_EQ(dialogs.beeps(), bips + 1) << c.touches;
        EXPECT_TRUE(platform::refusalShown(c.boite)) << c.touches;
    }
    EXPECT_EQ(etat->SaisieValide, Faux); // the date box's check reports the refusal when it is left
}

// A station whose clock offset or frequency is out of range fails the check
// with the data-error message; the chooser is offered again.
TEST_F(Programme, StationHorsLimitesPuisUneAutre) {
    const std::pair<const char*, const char*> cas[] = {{"-30", "144"}, {"+ 30", "144"}, {"1", "-144"}};
    for (const auto& [decalage, freq] : cas) {
        outils::Station s;
        s.decHor = decalage;
        s.freq = freq;
        ecrit("home.dat", outils::stationDat(s));
        demarre();
        FeuilleChoixFichier* f = etat->feuilleChoixFichier();
        QTest::mouseClick(f->BoutonHome, Qt::LeftButton);
        EXPECT_EQ(dernierMessage(), QString("Verify Data !!!") + QChar(13) + QChar(13) + "Use Corvinet") << decalage;
        EXPECT_EQ(dialogs.messages().back().title, "Data Error");
        EXPECT_FALSE(etat->feuilleChoixDate()->isVisible());
        EXPECT_TRUE(f->isVisible());
        EXPECT_FALSE(menusActifs());
        ecrit("home.dat", outils::stationDat(outils::Station{}));
        QTest::mouseClick(f->BoutonHome, Qt::LeftButton);
        EXPECT_TRUE(etat->feuilleChoixDate()->isVisible());
        EXPECT_EQ(fins, 0);
        etat.reset();
    }
}

// The period dialog's O.K. runs the four boxes' checks first.
TEST_F(Programme, OKDeLaPeriodeControleLesQuatreBoites) {
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    etat->feuilleChoixDate()->AffStep->setText("60");
    const struct {
        const char *dDeb, *tDeb, *dFin, *tFin, *message;
    } cas[] = {
        {"12-05-2001", "00:00", "12-13-2001", "00:00", "Enter a new date !!!"},
        {"31-04-2001", "00:00", "02-05-2001", "00:00", "Enter a new date !!!"},
        {"12-05-2001", "1_:00", "13-05-2001", "00:00", "Enter a new time !!!"},
        {"12-05-2001", "00:00", "13-05-2001", "2_:__", "Enter a new time !!!"},
    };
    for (const auto& c : cas) {
        periode(c.dDeb, c.tDeb, c.dFin, c.tFin);
        EXPECT_EQ(dernierMessage(), c.message) << c.dDeb << " " << c.tDeb << " " << c.dFin << " " << c.tFin;
        EXPECT_TRUE(etat->feuilleChoixDate()->isVisible());
        EXPECT_EQ(etat->TablePrevisionAffichee(), Faux);
    }
    // After a run in a leap year, 29 February of a common year is refused.
    periode("28-02-2004", "00:00", "01-03-2004", "00:00");
    ASSERT_EQ(etat->TablePrevisionAffichee(), Vrai);
    etat->form2()->MenuFichier_Click(1);
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    etat->feuilleChoixDate()->AffStep->setText("60");
    periode("28-02-2001", "00:00", "29-02-2001", "12:00");
    EXPECT_EQ(dernierMessage(), "Enter a new date !!!");
    EXPECT_EQ(etat->TablePrevisionAffichee(), Faux);
    EXPECT_EQ(fins, 0);
}

// While the common-window tables run, a minimise and restore of the main
// window keeps the map hidden and a map click is refused: every row has the
// DX point of the O.K.
TEST_F(Programme, PendantLesTablesCommunesLaCarteNeBougePas) {
    demarre();
    calcule("12-05-2001", "00:00", "13-05-2001", "23:50");
    fenetreCommune();
    platform::PictureBox* carte = etat->fenetreCommune()->EMEWindow;
    QTest::mousePress(carte, Qt::LeftButton, {}, QPoint(100, 50));
    const int16_t x0 = etat->XPointDX, y0 = etat->YPointDX;
    bool vu = false;
    quand(etat->form2(), [&] { return etat->Garde.activite() == planner::Garde::Activite::TablesCommunes; }, [&] {
        vu = true;
        etat->form2()->setWindowState(Qt::WindowMinimized);
        etat->form2()->setWindowState(Qt::WindowNoState);
        EXPECT_FALSE(etat->fenetreCommune()->isVisible());
        EXPECT_FALSE(etat->fenetreDX()->isVisible());
        const int bips = dialogs.beeps();
        etat->fenetreCommune()->EMEWindow_MouseDown(3000, 400);
        EXPECT_EQ(dialogs.beeps(), bips + 1);
        EXPECT_EQ(etat->XPointDX, x0);
    });
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(vu);
    EXPECT_EQ(etat->XPointDX, x0);
    EXPECT_EQ(etat->YPointDX, y0);
    EXPECT_FALSE(etat->fenetreCommune()->isVisible());
    EXPECT_TRUE(menusActifs());
}

// A second Change UTC O.K. during the curve is carried out after it.
TEST_F(Programme, ChangeUTCPendantLaCourbeFaitApres) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    fenetreCommune();
    FeuilleChangeUTC* u = etat->feuilleChangeUTC();
    u->EditTimeDeb->setText("16:00");
    bool vu = false;
    quand(etat->form2(), [&] { return etat->Garde.activite() == planner::Garde::Activite::Courbe; }, [&] {
        vu = true;
        u->EditTimeDeb->setText("20:00");
        QTest::mouseClick(u->BoutonOK, Qt::LeftButton);
        EXPECT_TRUE(etat->Garde.enAttente(Planner::CleChangeUTC));
    });
    QTest::mouseClick(u->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(vu);
    EXPECT_EQ(etat->fenetreCommune()->windowTitle(), "Moon Common Window : Sat 12-05-2001 / 20:00");
    EXPECT_EQ(etat->feuilleDateCom()->EditTimeDeb->text(), "20:00");
    EXPECT_TRUE(menusActifs());
}

// Menus are on only when no dialog is open and nothing runs: a row clicked
// during a computation opens no dialog; Cancel in one dialog leaves them off
// while another is open.
TEST_F(Programme, MenusSeulementSansDialogueNiCalcul) {
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    // Eight days at one minute: the computation yields many times after its first day.
    etat->feuilleChoixDate()->AffStep->setText("1");
    bool vu = false;
    quand(etat->form2(), [&] { return etat->fenetrePrevision(0) && etat->fenetrePrevision(0)->GrillePrev->rows() > 3; },
          [&] {
              vu = true;
              EXPECT_FALSE(menusActifs());
              FenetrePrevision* w = etat->fenetrePrevision(0);
              w->GrillePrev->setRow(2);
              const int bips = dialogs.beeps();
              etat->GrillePrev_Click(w);
              EXPECT_EQ(dialogs.beeps(), bips + 1);
              EXPECT_FALSE(etat->feuilleDateCom()->isVisible());
          });
    periode("12-05-2001", "00:00", "20-05-2001", "00:00");
    ASSERT_TRUE(vu);
    EXPECT_FALSE(etat->feuilleDateCom()->isVisible());
    EXPECT_TRUE(menusActifs());
    EXPECT_FALSE(etat->fenetreCommune()->isVisible());

    // One dialog at a time: the chooser opened over the common-window dialog
    // takes its place and its Cancel goes back to it; the menus stay off
    // until the last dialog is closed.
    etat->form2()->MenuAffiche_Click(5);
    ASSERT_TRUE(etat->feuilleDateCom()->isVisible());
    EXPECT_FALSE(menusActifs());
    etat->Main();
    EXPECT_FALSE(etat->feuilleDateCom()->isVisible());
    EXPECT_TRUE(etat->feuilleChoixFichier()->isVisible());
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonAnnuler, Qt::LeftButton);
    EXPECT_TRUE(etat->feuilleDateCom()->isVisible());
    EXPECT_FALSE(menusActifs());
    QTest::mouseClick(etat->feuilleDateCom()->BoutonAnnuler, Qt::LeftButton);
    EXPECT_TRUE(menusActifs());
    EXPECT_FALSE(etat->fenetreCommune()->isVisible());
}

// A click on the map's leftmost column or top row is a DX point, held off 0.
TEST_F(Programme, ClicSurLeBordDeLaCarte) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    fenetreCommune();
    platform::PictureBox* carte = etat->fenetreCommune()->EMEWindow;
    QTest::mousePress(carte, Qt::LeftButton, {}, QPoint(0, 40));
    EXPECT_EQ(etat->XPointDX, 1);
    EXPECT_FALSE(etat->fenetreDX()->AffDistance->text().isEmpty());
    EXPECT_TRUE(etat->fenetreDX()->BoutonOK->isEnabled());
    QTest::mousePress(carte, Qt::LeftButton, {}, QPoint(40, 0));
    EXPECT_EQ(etat->YPointDX, 1);
    QTest::mousePress(carte, Qt::LeftButton, {}, QPoint(carte->width() - 1, carte->height() - 1));
    EXPECT_GE(etat->XPointDX, 1);
    EXPECT_LE(etat->XPointDX, 5670);
    EXPECT_LE(etat->YPointDX, 2770);
}

// "Common windows" prints only when a common-window table exists: not after
// Save screen, not after the menus are switched on again.
TEST_F(Programme, ToutesLesFenetresCommunesSeulementAvecUneTable) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    Form2* f2 = etat->form2();
    EXPECT_TRUE(f2->MenuPrint->enabled(1));
    EXPECT_FALSE(f2->MenuPrint->enabled(2));
    f2->MenuAffiche_Click(3); // Save screen
    EXPECT_FALSE(etat->fenetreComWin(0));
    f2->MenuAffiche_Click(5); // a dialog: menus off, then on again
    QTest::mouseClick(etat->feuilleDateCom()->BoutonAnnuler, Qt::LeftButton);
    ASSERT_TRUE(menusActifs());
    EXPECT_FALSE(f2->MenuPrint->enabled(2));
    EXPECT_TRUE(f2->MenuPrint->enabled(1));
    f2->MenuPrintComW_Click(1);
    EXPECT_EQ(imprimante.documents(), 0);
}

// While a print runs (it yields after each icon row) the print commands and
// the commands that discard windows do nothing.
TEST_F(Programme, PendantUneImpression) {
    demarre();
    calcule("12-05-2001", "00:00", "13-05-2001", "23:50");
    Form2* f2 = etat->form2();
    f2->MenuPrintMoon_Click(1);
    const QStringList seule = imprimante.operations();
    const int documents = imprimante.documents();
    ASSERT_GE(documents, 1);
    imprimante.clear();
    bool vu = false;
    quand(f2, [&] { return etat->Garde.impression(); }, [&] {
        vu = true;
        EXPECT_FALSE(menusActifs());
        f2->MenuPrintMoon_Click(2);
        f2->MenuPrintMoon_Click(1);
        dialogs.queueAnswer(Answer::Yes);
        f2->ImgPrint_MouseDown();
        f2->ImgPrint_MouseUp();
        f2->MenuFichier_Click(1);
        f2->MenuAffiche_Click(5);
        etat->InitPrevisionLune();
    });
    f2->MenuPrintMoon_Click(1);
    ASSERT_TRUE(vu);
    EXPECT_EQ(imprimante.operations(), seule);
    EXPECT_EQ(imprimante.documents(), 2 * documents); // the counter is not cleared
    EXPECT_FALSE(etat->feuilleChoixFichier()->isVisible());
    EXPECT_FALSE(etat->feuilleDateCom()->isVisible());
    ASSERT_TRUE(etat->fenetrePrevision(1));
    EXPECT_TRUE(etat->fenetrePrevision(1)->isVisible());
    EXPECT_TRUE(menusActifs());
}

} // namespace
