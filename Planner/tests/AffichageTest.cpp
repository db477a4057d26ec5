// What the operator sees follows one display value: the windows of the
// current place and nothing else, whatever the main window does (resize,
// minimise, maximise, restore) and whatever ran before; the map, its
// caption, the DX values and the common-window tables are of one source; a
// stop asked of a computation ends with it; Save screen writes the places in
// use; a print command without a printer gives one box.

#include "Planner/Dates.h"
#include "Planner/FenetreCiel.h"
#include "Planner/FenetreComWinPrev.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FenetreDX.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/PlannerIni.h"
#include "Programme.h"
#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/StartWindow.h"

#include <QApplication>
#include <QDir>
#include <algorithm>
#include <QLabel>

namespace {

class Affichage : public Programme {
protected:
    // The map display at 12-05-2001 13:40 with a DX point clicked.
    void carteAvecPoint() {
        calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
        FenetrePrevision* w = etat->fenetrePrevision(0);
        ASSERT_TRUE(w);
        w->GrillePrev->setRow(83);
        etat->GrillePrev_Click(w);
        QTest::mouseClick(etat->feuilleDateCom()->BoutonOK, Qt::LeftButton);
        QTest::mousePress(etat->fenetreCommune()->EMEWindow, Qt::LeftButton, {}, QPoint(100, 50));
        ASSERT_TRUE(etat->fenetreCommune()->isVisible());
    }
    // Which of the map display's windows are shown: map, radio-sky map, DX window, "Change UTC".
    std::array<bool, 4> carte() const {
        return {etat->fenetreCommune()->isVisible(), etat->fenetreCiel()->isVisible(), etat->fenetreDX()->isVisible(),
                etat->feuilleChangeUTC()->isVisible()};
    }
    static constexpr std::array<bool, 4> Rien{false, false, false, false};
    static constexpr std::array<bool, 4> Tout{true, true, true, true};
    void minimiseEtRestaure(Qt::WindowState restaure = Qt::WindowNoState) {
        etat->form2()->setWindowState(Qt::WindowMinimized);
        etat->form2()->setWindowState(restaure);
    }
};

// Fault: File > New, then Cancel in the chooser, left every later
// common-window computation stopped at its first step.
TEST_F(Affichage, NouveauPuisAnnulerNArretePasLeCalculSuivant) {
    demarre();
    carteAvecPoint();
    etat->form2()->MenuFichier_Click(1);
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonAnnuler, Qt::LeftButton);
    EXPECT_EQ(carte(), Tout);
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(etat->fenetreComWin(0));
    EXPECT_TRUE(etat->fenetreComWin(0)->isVisible());
    EXPECT_EQ(carte(), Rien);
    EXPECT_TRUE(etat->form2()->ImgDX->isVisible());
}

// Fault: after File > New from the map display, a resize or a minimise and
// restore brought the map, DX and sky windows back under the chooser, where
// they stayed for the next station.
TEST_F(Affichage, NouveauDepuisLaCarteLeChoixResteSeul) {
    ecrit("baires.dat", outils::stationDat(outils::buenosAires()));
    demarre();
    carteAvecPoint();
    etat->form2()->MenuFichier_Click(1);
    ASSERT_TRUE(etat->feuilleChoixFichier()->isVisible());
    etat->form2()->resize(etat->form2()->size() + QSize(30, 10));
    EXPECT_EQ(carte(), Rien);
    minimiseEtRestaure();
    EXPECT_EQ(carte(), Rien);
    EXPECT_TRUE(etat->feuilleChoixFichier()->isVisible());

    etat->ChoixStation("baires.dat");
    ASSERT_EQ(etat->Indic, "LU1ABC");
    ASSERT_TRUE(etat->feuilleChoixDate()->isVisible());
    etat->form2()->resize(etat->form2()->size() - QSize(30, 10));
    minimiseEtRestaure();
    EXPECT_EQ(carte(), Rien);
    EXPECT_TRUE(etat->feuilleChoixDate()->isVisible());
    etat->feuilleChoixDate()->AffStep->setText("10");
    periode("12-05-2001", "00:00", "12-05-2001", "23:50");
    ASSERT_TRUE(etat->fenetrePrevision(0));
    EXPECT_TRUE(etat->fenetrePrevision(0)->isVisible());
    EXPECT_EQ(etat->fenetrePrevision(0)->Entete[0]->text(), "LU1ABC");
    EXPECT_EQ(carte(), Rien);
    EXPECT_FALSE(etat->fenetreDX()->BoutonOK->isEnabled()); // no DX point of the old station
    EXPECT_FALSE(etat->fenetreComWin(0));
}

// Fault: a source chosen while the common-window tables were shown, then
// back to the map: the map and its caption stayed the old source's while a
// click and the next tables took the new one. The map follows the source.
TEST_F(Affichage, SourceChoisieSousLesTablesLaCarteLaSuit) {
    demarre();
    carteAvecPoint();
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(etat->fenetreComWin(0));
    etat->form2()->MenuSource_Click(1);
    QTest::mouseClick(etat->form2()->ImgDX, Qt::LeftButton);
    EXPECT_EQ(etat->fenetreCommune()->windowTitle(), "Sun Common Window : Sat 12-05-2001 / 13:40");
    EXPECT_EQ(etat->fenetreCiel()->windowTitle(), "Radio-Sky Map : Sat 12-05-2001 / 13:40");

    // The curve on the map is the Sun's at that instant.
    VariablesPlanner soleil = *etat;
    soleil.CodeSource = 1;
    planner::fixeInstant(soleil, "12-05-2001", "13:40");
    astro::CalculTempsSideral(soleil.Astro);
    planner::CalculCourbe(soleil, [] { return true; });
    EXPECT_EQ(etat->CourbeFenetreCommune, soleil.CourbeFenetreCommune);

    // A click gives the Sun's values there (no Doppler, no polarisation).
    QTest::mousePress(etat->fenetreCommune()->EMEWindow, Qt::LeftButton, {}, QPoint(200, 80));
    VariablesPlanner dx = *etat;
    dx.CodeSource = 1;
    dx.NomSource = "Sun";
    const planner::ResultatDX r = planner::CalculPointDX(planner::AInstant(dx, "12-05-2001", "13:40"));
    EXPECT_EQ(etat->fenetreDX()->AffAzimDX->text(), r.AffAzimDX);
    EXPECT_EQ(etat->fenetreDX()->AffElevDX->text(), r.AffElevDX);
    EXPECT_EQ(etat->fenetreDX()->AffDopplerDX->text(), "");

    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(etat->fenetreComWin(0));
    EXPECT_EQ(etat->fenetreComWin(0)->EtiqNomSource->text(), "Sun");
}

// Fault: a minimise while the curve was computed left the map, DX and sky
// windows shown over the minimised main window.
TEST_F(Affichage, MinimiseePendantLaCourbeRienNeSeMontre) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    FenetrePrevision* w = etat->fenetrePrevision(0);
    ASSERT_TRUE(w);
    w->GrillePrev->setRow(83);
    etat->GrillePrev_Click(w);
    bool vu = false;
    quand(etat->form2(), [&] { return etat->Garde.activite() == planner::Garde::Activite::Courbe; }, [&] {
        vu = true;
        etat->form2()->setWindowState(Qt::WindowMinimized);
    });
    QTest::mouseClick(etat->feuilleDateCom()->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(vu);
    EXPECT_EQ(carte(), Rien);
    EXPECT_FALSE(w->isVisible());
    etat->form2()->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(carte(), Tout);
}

// Fault: restoring straight to maximised showed nothing, and with the
// period dialog hidden by the minimise the menus stayed off with no window
// to go on with. Every restore shows what the current place holds.
TEST_F(Affichage, RestaurationAgrandieMontreLeLieu) {
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    ASSERT_TRUE(d->isVisible());
    minimiseEtRestaure(Qt::WindowMaximized);
    EXPECT_TRUE(d->isVisible());
    d->AffStep->setText("10");
    periode("12-05-2001", "00:00", "13-05-2001", "23:50");
    ASSERT_TRUE(etat->fenetrePrevision(1));
    minimiseEtRestaure(Qt::WindowMaximized);
    EXPECT_TRUE(etat->fenetrePrevision(0)->isVisible());
    EXPECT_TRUE(etat->fenetrePrevision(1)->isVisible());
    EXPECT_TRUE(menusActifs());
}

// Fault: Cancel in the chooser from the map display, and a minimise and
// restore, brought the map back without "Change UTC".
TEST_F(Affichage, ChangeUTCRevientAvecLaCarte) {
    demarre();
    carteAvecPoint();
    etat->form2()->MenuFichier_Click(1);
    EXPECT_EQ(carte(), Rien);
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonAnnuler, Qt::LeftButton);
    EXPECT_EQ(carte(), Tout);
    minimiseEtRestaure();
    EXPECT_EQ(carte(), Tout);
}

// A table window closed by its close box is gone: no resize, minimise or
// restore brings it back, its print item goes with it, and the display
// switch takes the first row of the first table left. While a computation
// runs its windows stay (a beep).
TEST_F(Affichage, TableFermeeNeRevientPas) {
    demarre();
    calcule("12-05-2001", "00:00", "14-05-2001", "23:50", "30");
    ASSERT_TRUE(etat->fenetrePrevision(2));
    etat->fenetrePrevision(0)->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(etat->fenetrePrevision(0));
    etat->form2()->resize(etat->form2()->size() + QSize(10, 0));
    minimiseEtRestaure();
    EXPECT_TRUE(etat->fenetrePrevision(1)->isVisible());
    EXPECT_FALSE(etat->form2()->MenuPrintMoon->exists(2));
    EXPECT_TRUE(etat->form2()->MenuPrintMoon->exists(3));
    etat->form2()->MenuAffiche_Click(5);
    EXPECT_EQ(etat->feuilleDateCom()->EditDateDeb->text(), "13-05-2001");
    QTest::mouseClick(etat->feuilleDateCom()->BoutonAnnuler, Qt::LeftButton);
    {
        auto jeton = etat->Garde.commence(planner::Garde::Activite::Impression);
        etat->fenetrePrevision(1)->close();
    }
    EXPECT_TRUE(etat->fenetrePrevision(1));
    EXPECT_TRUE(etat->fenetrePrevision(1)->isVisible());
}

// The table windows of a kind in use (in the program's list, or shown), and
// those of them shown that the list does not hold. A window of discarded
// tables may be kept alive, hidden, for the next computation.
template <class F>
std::pair<int, int> fenetresVivantes(const std::vector<planner::TableJour<F>>& liste) {
    int vivantes = 0, horsListe = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (F* f = qobject_cast<F*>(w)) {
            const bool dans = std::any_of(liste.begin(), liste.end(), [f](const auto& t) { return t.fenetre.get() == f; });
            vivantes += dans || f->isVisible();
            horsListe += !dans && f->isVisible();
        }
    return {vivantes, horsListe};
}

template <class F>
int dansListe(const std::vector<planner::TableJour<F>>& liste) {
    return int(std::count_if(liste.begin(), liste.end(), [](const auto& t) { return t.fenetre != nullptr; }));
}

// Fault: a kind of table windows discarded (back to the map, the display
// switch, a station chosen) stayed alive and shown until the event loop came
// back, over the next computation's windows. They go at once.
TEST_F(Affichage, TablesEcarteesDisparaissentAussitot) {
    demarre();
    carteAvecPoint();
    auto communes = [this] { return fenetresVivantes(etat->ListeFenetresComWin); };
    auto lune = [this] { return fenetresVivantes(etat->ListeFenetresPrevision); };
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    ASSERT_EQ(communes(), std::make_pair(1, 0));
    QTest::mouseClick(etat->form2()->ImgDX, Qt::LeftButton);
    EXPECT_EQ(communes(), std::make_pair(0, 0)) << "back to the map";

    // The next common-window computation, from its first step, shows only its own windows.
    std::pair<int, int> pendant{-1, -1};
    quand(etat->form2(), [&] { return etat->Garde.activite() == planner::Garde::Activite::TablesCommunes; },
          [&] { pendant = communes(); });
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    EXPECT_EQ(pendant.second, 0);
    ASSERT_EQ(communes(), std::make_pair(1, 0));
    etat->form2()->MenuAffiche_Click(5);
    EXPECT_EQ(communes(), std::make_pair(0, 0)) << "the display switch";

    ASSERT_EQ(lune().first, dansListe(etat->ListeFenetresPrevision));
    ASSERT_GT(lune().first, 0);
    etat->form2()->MenuFichier_Click(1);
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    EXPECT_EQ(lune(), std::make_pair(0, 0)) << "a station chosen";
    quand(etat->form2(), [&] { return etat->Garde.activite() == planner::Garde::Activite::TablesLune; },
          [&] { pendant = lune(); });
    periode("12-05-2001", "00:00", "12-05-2001", "23:50");
    EXPECT_EQ(pendant.second, 0);
    EXPECT_EQ(lune(), std::make_pair(dansListe(etat->ListeFenetresPrevision), 0));
}

// The windows of discarded Moon-location tables are taken again by the next
// computation: whatever was done to one (resized, maximised, scrolled, a
// longer day), it shows its new day exactly as a window made for it does.
TEST_F(Affichage, FenetreRepriseCommeNeuve) {
    struct Vu {
        planner::ContenuTable contenu;
        QRect place;
        Qt::WindowStates etat;
        int lignes, haut, ligne, colonne;
        bool operator==(const Vu& v) const {
            return contenu.caption == v.contenu.caption && contenu.Entete == v.contenu.Entete &&
                   contenu.lignes == v.contenu.lignes && place == v.place && etat == v.etat && lignes == v.lignes &&
                   haut == v.haut && ligne == v.ligne && colonne == v.colonne;
        }
    };
    auto vu = [this](int i) {
        const FenetrePrevision* w = etat->fenetrePrevision(i);
        return Vu{etat->ContenuPrevision(i), w->geometry(), w->windowState(), w->GrillePrev->rows(),
                  w->GrillePrev->topRow(), w->GrillePrev->row(), w->GrillePrev->col()};
    };
    auto courte = [this] { calcule("20-05-2001", "06:00", "21-05-2001", "03:00", "30"); };
    demarre();
    courte();
    ASSERT_EQ(etat->TablesPrevisionRemplies(), (std::vector<int>{0, 1}));
    const Vu neuves[2] = {vu(0), vu(1)};
    etat.reset();

    demarre();
    calcule("12-05-2001", "00:00", "14-05-2001", "23:50");
    ASSERT_EQ(etat->TablesPrevisionRemplies(), (std::vector<int>{0, 1, 2}));
    std::vector<QWidget*> anciennes;
    for (int i = 0; i < 3; ++i) {
        FenetrePrevision* w = etat->fenetrePrevision(i);
        anciennes.push_back(w);
        w->resize(w->size() + QSize(40, 90));
        w->GrillePrev->setTopRow(100);
        w->GrillePrev->setRow(120);
        w->GrillePrev->setCol(5);
    }
    etat->fenetrePrevision(1)->setWindowState(Qt::WindowMaximized);
    etat->form2()->MenuFichier_Click(1);
    courte();
    ASSERT_EQ(etat->TablesPrevisionRemplies(), (std::vector<int>{0, 1}));
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NE(std::find(anciennes.begin(), anciennes.end(), etat->fenetrePrevision(i)), anciennes.end());
        EXPECT_TRUE(vu(i) == neuves[i]) << vu(i).contenu.caption.toStdString() << " " << vu(i).lignes << " rows";
        EXPECT_TRUE(etat->fenetrePrevision(i)->isVisible());
    }
    // The spare window left over is not shown.
    EXPECT_EQ(fenetresVivantes(etat->ListeFenetresPrevision), std::make_pair(2, 0));
}

// Fault: "Change UTC"'s close box hid it while the map display went on, with
// no way to change the map's instant until the next event showed it again.
// Its close box does nothing: it belongs to the map display.
TEST_F(Affichage, FermerChangeUTCNeFaitRien) {
    demarre();
    carteAvecPoint();
    FeuilleChangeUTC* u = etat->feuilleChangeUTC();
    ASSERT_TRUE(u->isVisible());
    EXPECT_FALSE(u->close());
    EXPECT_TRUE(u->isVisible());
    EXPECT_EQ(carte(), Tout);
    EXPECT_EQ(etat->Ecran.lieu, planner::Lieu::Carte);
    // It still changes the map's instant.
    u->EditTimeDeb->setText("20:00");
    QTest::mouseClick(u->BoutonOK, Qt::LeftButton);
    EXPECT_EQ(etat->fenetreCommune()->windowTitle(), "Moon Common Window : Sat 12-05-2001 / 20:00");
}

// The DX point's prefix and country are the program's, with the point: the
// DX window, the world map's text and the common-window tables' DX lines show
// them, a click takes them away. Fault: a record the map cannot place (a
// longitude of 5000 degrees) was refused, but the DX window named it over the
// old point's values.
TEST_F(Affichage, LePrefixeVaAvecLePointDX) {
    ecrit("DXCCPREF.DBR", "F\tFRANCE\t48\t51\tN\t2\t21\tE\r\nXX\tNowhere\t10\t0\tN\t5000\t0\tE\r\n");
    demarre();
    carteAvecPoint();
    FenetreDX* dx = etat->fenetreDX();
    QWidget* monde = etat->fenetreCommune()->EMEWindow;
    dialogs.queueInput("f");
    QTest::mouseClick(dx->ImgBtonDX, Qt::LeftButton);
    EXPECT_EQ(etat->PrefixeDX, "F");
    EXPECT_EQ(etat->PaysDX, "France");
    ASSERT_EQ(dx->AffDxcc->text(), "F");
    EXPECT_EQ(dx->AffPays->text(), "France");
    EXPECT_TRUE(platform::testing::accessibleName(monde).endsWith("DX point F France at 48.850 N, 2.350 E"));
    const QString azimut = dx->AffAzimDX->text();

    dialogs.queueInput("xx");
    QTest::mouseClick(dx->ImgBtonDX, Qt::LeftButton);
    EXPECT_EQ(dernierMessage(), "DXCC DataBase was not read !");
    EXPECT_EQ(etat->PrefixeDX, "F");
    EXPECT_EQ(dx->AffDxcc->text(), "F");
    EXPECT_EQ(dx->AffPays->text(), "France");
    EXPECT_EQ(dx->AffAzimDX->text(), azimut);

    QTest::mouseClick(dx->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(etat->fenetreComWin(0));
    EXPECT_EQ(etat->fenetreComWin(0)->Entete[8]->text(), "F");
    EXPECT_EQ(etat->fenetreComWin(0)->Entete[9]->text(), "France");
    QTest::mouseClick(etat->form2()->ImgDX, Qt::LeftButton);
    EXPECT_EQ(dx->AffDxcc->text(), "F"); // the point stays with the map

    QTest::mousePress(monde, Qt::LeftButton, {}, QPoint(200, 80));
    EXPECT_EQ(etat->PrefixeDX, "");
    EXPECT_EQ(dx->AffDxcc->text(), "");
    EXPECT_EQ(dx->AffPays->text(), "");
    EXPECT_TRUE(platform::testing::accessibleName(monde).contains("; DX point at "));
    QTest::mouseClick(dx->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(etat->fenetreComWin(0));
    EXPECT_EQ(etat->fenetreComWin(0)->Entete[8]->text(), "DX");
    EXPECT_EQ(etat->fenetreComWin(0)->Entete[9]->text(), "Station");
}

// The chooser's O.K. is on exactly while a file is selected, its Home button
// while the folder lists home.dat (in any letter case); each opening lists
// the folder again.
TEST_F(Affichage, BoutonsDuChoixSuiventLaListe) {
    QFile::remove(chemin("home.dat"));
    ecrit("baires.dat", outils::stationDat(outils::buenosAires()));
    demarre();
    FeuilleChoixFichier* f = etat->feuilleChoixFichier();
    ASSERT_TRUE(f->isVisible());
    EXPECT_FALSE(f->BoutonHome->isEnabled());
    EXPECT_FALSE(f->BoutonOK->isEnabled());
    ASSERT_EQ(f->ListeFichier->listCount(), 1);
    f->ListeFichier->setListIndex(0);
    emit f->ListeFichier->click();
    EXPECT_TRUE(f->BoutonOK->isEnabled());
    QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
    ASSERT_EQ(etat->Indic, "LU1ABC");
    QTest::mouseClick(etat->feuilleChoixDate()->BoutonAnnuler, Qt::LeftButton);

    ecrit("HOME.DAT", outils::stationDat(outils::Station{}));
    etat->form2()->MenuFichier_Click(1);
    ASSERT_TRUE(f->isVisible());
    EXPECT_TRUE(f->BoutonHome->isEnabled());
    EXPECT_FALSE(f->BoutonOK->isEnabled()); // the list read again has no selection
    QTest::mouseClick(f->BoutonAnnuler, Qt::LeftButton);
    QFile::remove(chemin("HOME.DAT"));
    etat->form2()->MenuFichier_Click(1);
    EXPECT_FALSE(f->BoutonHome->isEnabled());
    EXPECT_FALSE(f->BoutonOK->isEnabled());
}

// Fault: Save screen before any common-window table had been shown wrote the
// place 0, 0. It writes the place read from Planner.ini, or where the last
// first window of that kind stood.
TEST_F(Affichage, SauveEcranEcritLesPlacesEnUsage) {
    planner::ValeursIni v;
    v.Fenetres[planner::IniComWin] = {1800, 2400, 0};
    v.Fenetres[planner::IniPrevision] = {900, 1200, 0};
    v.Height = 1500, v.Width = 4500, v.Top = 150, v.Left = 750;
    v.Step = 10;
    ASSERT_TRUE(platform::saveLines(chemin("Planner.ini"), planner::lignesPlannerIni(v)));
    auto bloc = [this](const char* etiquette) {
        const QStringList l = QString::fromLatin1(lit("Planner.ini")).split("\r\n");
        const int i = int(l.indexOf(QString::fromLatin1(etiquette)));
        return i < 0 ? QStringList() : l.mid(i + 1, 3);
    };
    demarre();
    carteAvecPoint();
    etat->form2()->MenuAffiche_Click(3);
    EXPECT_EQ(bloc("Prevision_Com_Win:Top-Left-Icone"), (QStringList{" 1800", " 2400", " 0"}));

    // The tables shown and moved, then discarded by the way back to the map.
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    FenetreComWinPrev* w = etat->fenetreComWin(0);
    ASSERT_TRUE(w);
    w->move(platform::twipsToPixels(3000), platform::twipsToPixels(2100));
    QTest::mouseClick(etat->form2()->ImgDX, Qt::LeftButton);
    ASSERT_FALSE(etat->fenetreComWin(0));
    etat->form2()->MenuAffiche_Click(3);
    EXPECT_EQ(bloc("Prevision_Com_Win:Top-Left-Icone"), (QStringList{" 2100", " 3000", " 0"}));
    EXPECT_EQ(bloc("Prevision:Top-Left-Icone"), (QStringList{" 900", " 1200", " 0"}));
}

// Fault: without a printer each printed window raised its own "No printer
// is installed" box. One print command gives one box, naming the folder and
// every file written.
TEST_F(Affichage, SansImprimanteUneBoiteParCommande) {
    demarre();
    calcule("12-05-2001", "00:00", "14-05-2001", "23:50", "30");
    ASSERT_TRUE(etat->fenetrePrevision(2));
    platform::QtPrinter::Options o;
    o.folder = dir.path();
    o.documentName = "Planner";
    o.forcePdf = true;
    platform::QtPrinter pdf(etat->Dialogues, o);
    etat->Imprimante = &pdf;
    dialogs.clear();
    etat->form2()->MenuPrintMoon_Click(1);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const QString texte = dialogs.messages().front().text;
    EXPECT_TRUE(texte.startsWith("No printer is installed.")) << texte.toStdString();
    EXPECT_TRUE(texte.contains(QDir::toNativeSeparators(dir.path()))) << texte.toStdString();
    for (const char* f : {"Planner-1.pdf", "Planner-2.pdf", "Planner-3.pdf"}) {
        EXPECT_TRUE(texte.contains(QChar(13) + QString(f))) << f;
        EXPECT_TRUE(QFile::exists(chemin(f))) << f;
    }
    // The Print image: the question, then one box.
    dialogs.clear();
    dialogs.queueAnswer(platform::Answer::Yes);
    etat->form2()->ImgPrint_MouseDown();
    etat->form2()->ImgPrint_MouseUp();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_TRUE(dialogs.messages().back().text.contains(QChar(13) + QString("Planner-6.pdf")));
    etat->Imprimante = nullptr;
}

} // namespace
