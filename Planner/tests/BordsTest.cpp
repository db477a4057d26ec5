// At the edges of what the operator does: a damaged Planner.ini, dialogs
// next to a window at the screen's edge, windows minimised by the window
// manager, a station file that cannot be read, a prefix typed with blanks,
// and controls that cannot act. Through the windows, offscreen.

#include "Planner/FenetreCiel.h"
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

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <functional>

namespace {

class Bords : public Programme {
protected:
    QRect zone() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
    // The window's whole frame lies on the available screen.
    bool dansLEcran(const QWidget* w) const { return zone().contains(platform::expectedFrame(w, etat->form2())); }
    std::string ou(const QWidget* w) const {
        const QRect r = platform::expectedFrame(w, etat->form2());
        return (w->windowTitle() + QString(" at %1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()))
            .toStdString();
    }
    // From the period dialog: two days at one hour, then the common window
    // from the first row of the first day.
    void deuxJoursPuisCarte() {
        etat->feuilleChoixDate()->AffStep->setText("60");
        periode("12-05-2001", "00:00", "13-05-2001", "23:00");
        ASSERT_EQ(etat->TablesPrevisionRemplies().size(), 2u);
        FenetrePrevision* w = etat->fenetrePrevision(0);
        w->GrillePrev->setRow(14);
        etat->GrillePrev_Click(w);
        ASSERT_TRUE(etat->feuilleDateCom()->isVisible());
    }
};

planner::ValeursIni valeursSauvees() {
    planner::ValeursIni v;
    v.Fenetres[planner::IniDateCom] = {1500, 1500, 0};
    v.Fenetres[planner::IniPrevision] = {600, 3600, 0};
    v.Fenetres[planner::IniComWin] = {600, 3600, 0};
    v.Fenetres[planner::IniCommune] = {2400, 3700, 0};
    v.Fenetres[planner::IniDX] = {2400, 300, 0};
    v.Fenetres[planner::IniCiel] = {4000, 300, 0};
    v.Height = 1200, v.Width = 4500, v.Top = 150, v.Left = 150;
    v.Step = 15;
    v.MoonVisible = -1;
    return v;
}

// Whatever Planner.ini holds, the program starts with every window at least
// its minimum size and wholly on the available screen, keeps every value it
// can use, and the windows of a cascade stand apart.
TEST_F(Bords, PlannerIniAbimeToutesLesFenetresUtilisables) {
    struct Cas {
        const char* nom;
        std::function<void(QStringList&)> abime;
        bool message; // the read-error box
    };
    auto tout = [](const char* v) {
        return [v](QStringList& l) {
            // The places and sizes, not the labels and minimised flags.
            for (int i = 1; i < 29; ++i)
                if (i % 4 != 0 && (i > 24 || i % 4 != 3))
                    l[i] = v;
        };
    };
    const Cas cas[] = {
        {"as saved", [](QStringList&) {}, false},
        {"height and width past 32 bits", [](QStringList& l) { l[25] = l[26] = " 2000000000"; }, true},
        {"height and width the largest", [](QStringList& l) { l[25] = l[26] = " 32767"; }, false},
        {"height and width 0", [](QStringList& l) { l[25] = l[26] = " 0"; }, false},
        {"height and width negative", [](QStringList& l) { l[25] = l[26] = "-500"; }, false},
        {"every place and size negative", tout("-28036"), false},
        {"every place and size beyond the screen", tout(" 30000"), false},
        {"every place and size past 16 bits", tout(" 40000"), true},
        {"the width's line missing", [](QStringList& l) { l.removeAt(26); }, true},
        {"the height's line broken", [](QStringList& l) { l[25] = "1x5"; }, true},
        {"the main window's label missing", [](QStringList& l) { l.removeAt(24); }, true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QStringList l = planner::lignesPlannerIni(valeursSauvees());
        c.abime(l);
        ASSERT_TRUE(platform::saveLines(chemin("Planner.ini"), l));
        dialogs.clear();
        demarre();
        QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
        EXPECT_EQ(!dialogs.messages().empty(), c.message) << dernierMessage().toStdString();
        ASSERT_TRUE(etat->feuilleChoixDate()->isVisible());
        // The values after the damage are kept.
        EXPECT_EQ(etat->feuilleChoixDate()->AffStep->text(), "15");
        EXPECT_TRUE(etat->feuilleChoixDate()->OptionLune[1]->isChecked());
        Form2* f = etat->form2();
        EXPECT_GE(f->width(), f->minimumWidth());
        EXPECT_GE(f->height(), f->minimumHeight());
        EXPECT_GT(f->minimumWidth(), 100);
        for (QWidget* w : {static_cast<QWidget*>(f), static_cast<QWidget*>(etat->feuilleChoixDate()),
                           static_cast<QWidget*>(etat->feuilleDateCom()), static_cast<QWidget*>(etat->fenetreCommune()),
                           static_cast<QWidget*>(etat->fenetreDX()), static_cast<QWidget*>(etat->fenetreCiel())})
            EXPECT_TRUE(dansLEcran(w)) << ou(w);
        EXPECT_TRUE(f->ZoneImage->isVisible());
        EXPECT_TRUE(f->menuBar()->isVisible());

        etat->feuilleChoixDate()->OptionLune[0]->setChecked(true);
        deuxJoursPuisCarte();
        EXPECT_NE(etat->fenetrePrevision(0)->pos(), etat->fenetrePrevision(1)->pos());
        for (int k : etat->TablesPrevisionRemplies())
            EXPECT_TRUE(dansLEcran(etat->fenetrePrevision(k))) << ou(etat->fenetrePrevision(k));
        EXPECT_TRUE(dansLEcran(etat->feuilleDateCom())) << ou(etat->feuilleDateCom());
        QTest::mouseClick(etat->feuilleDateCom()->BoutonOK, Qt::LeftButton);
        ASSERT_TRUE(etat->fenetreCommune()->isVisible());
        for (QWidget* w : {static_cast<QWidget*>(etat->feuilleChangeUTC()), static_cast<QWidget*>(etat->fenetreCommune()),
                           static_cast<QWidget*>(etat->fenetreDX()), static_cast<QWidget*>(etat->fenetreCiel())})
            EXPECT_TRUE(dansLEcran(w)) << ou(w);
        etat.reset();
    }
}

// A station file that cannot be read is named with the reason; the chooser
// stays, and Cancel goes back to the station and tables that were there.
TEST_F(Bords, FichierStationIlliblePuisLeChoixReste) {
    ecrit("sans.dat", outils::stationDat(outils::Station{}, false));
    ecrit("court.dat", "COORDONATES\r\nCall sign:\r\n");
    outils::Station grand;
    grand.hauteur = "40000";
    ecrit("grand.dat", outils::stationDat(grand));
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    ASSERT_EQ(etat->TablesPrevisionRemplies().size(), 1u);
    const QChar cr(13);
    const std::pair<const char*, QString> cas[] = {
        {"sans.dat", "No \"EME STATION\" frequency before the end of the file."},
        {"court.dat", "The file ends before the station's position."},
        {"grand.dat", "A number is too large."},
    };
    for (const auto& [fichier, raison] : cas) {
        etat->form2()->MenuFichier_Click(1);
        FeuilleChoixFichier* f = etat->feuilleChoixFichier();
        ASSERT_TRUE(f->isVisible());
        for (int i = 0; i < f->ListeFichier->listCount(); ++i)
            if (f->ListeFichier->entry(i) == fichier)
                f->ListeFichier->setListIndex(i);
        ASSERT_EQ(f->ListeFichier->fileName(), fichier);
        f->ListeFichier_Click();
        QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
        EXPECT_EQ(dernierMessage(), QString("Read Error : ") + fichier + " was not read !" + cr + cr + raison);
        EXPECT_EQ(dialogs.messages().back().title, "Selvane");
        EXPECT_EQ(fins, 0);
        EXPECT_TRUE(f->isVisible());
        QTest::mouseClick(f->BoutonAnnuler, Qt::LeftButton);
        EXPECT_EQ(etat->FichierStation, "home.dat");
        ASSERT_EQ(etat->TablesPrevisionRemplies().size(), 1u);
        EXPECT_TRUE(etat->fenetrePrevision(0)->isVisible());
        EXPECT_TRUE(menusActifs());
    }
}

// Blanks typed before or after a prefix are not part of it.
TEST_F(Bords, PrefixeEntreDesBlancs) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    fenetreCommune();
    for (const char* tape : {"f ", " k", "  F  "}) {
        dialogs.queueInput(tape);
        etat->fenetreDX()->ImgBtonDX_Click();
        EXPECT_NE(dernierMessage(), "DXCC prefix not found !!!") << tape;
        EXPECT_EQ(etat->fenetreDX()->AffDxcc->text(), QString(tape).trimmed().toUpper());
    }
    // Blanks alone are no answer: nothing is looked up and the box is not asked again.
    const size_t boites = dialogs.events().size();
    dialogs.queueInput("   ");
    etat->fenetreDX()->ImgBtonDX_Click();
    EXPECT_EQ(dialogs.events().size(), boites + 1);
    EXPECT_EQ(etat->fenetreDX()->AffDxcc->text(), "F");
}

// "Change UTC" lies wholly on the screen under a maximised main window and
// under one at the screen's bottom edge, also after its O.K.
TEST_F(Bords, ChangeUTCToujoursDansLEcran) {
    demarre();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    Form2* f = etat->form2();
    // Maximised as a window manager does it (the offscreen screen has none).
    f->setWindowState(Qt::WindowMaximized);
    f->setGeometry(zone());
    fenetreCommune();
    FeuilleChangeUTC* u = etat->feuilleChangeUTC();
    ASSERT_TRUE(u->isVisible());
    EXPECT_TRUE(dansLEcran(u)) << ou(u);
    f->setWindowState(Qt::WindowNoState);
    f->resize(f->minimumSize());
    f->move(f->x(), zone().bottom() + 1 - f->frameGeometry().height());
    QTest::mouseClick(u->BoutonOK, Qt::LeftButton);
    EXPECT_TRUE(dansLEcran(u)) << ou(u);
    EXPECT_TRUE(dansLEcran(f)) << ou(f);
}

// A window minimised by the window manager minimises the program with it,
// as the main window's minimise does: every other window goes, and the main
// window's restore brings back the place with every window in its normal
// state. Before the main window opens, the chooser stands for the program.
TEST_F(Bords, UneFenetreMinimiseeMinimiseLeProgramme) {
    demarre();
    FeuilleChoixFichier* choix = etat->feuilleChoixFichier();
    choix->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(choix->isVisible());
    EXPECT_TRUE(etat->Ecran.minimise);
    choix->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(etat->Ecran.minimise);
    QTest::mouseClick(choix->BoutonHome, Qt::LeftButton);
    Form2* f = etat->form2();
    std::function<QWidget*()> fenetres[] = {
        [this] { return etat->feuilleChoixDate(); },
        [this] {
            etat->feuilleChoixDate()->AffStep->setText("60");
            periode("12-05-2001", "00:00", "13-05-2001", "23:00");
            return etat->fenetrePrevision(1);
        },
        [this] {
            fenetreCommune();
            return etat->fenetreCommune();
        },
        [this] { return etat->feuilleChangeUTC(); },
    };
    for (auto& prepare : fenetres) {
        QWidget* w = prepare();
        ASSERT_TRUE(w && w->isVisible());
        SCOPED_TRACE(w->windowTitle().toStdString());
        const bool menus = menusActifs();
        std::vector<QWidget*> montrees;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->isVisible() && t != f)
                montrees.push_back(t);
        w->setWindowState(Qt::WindowMinimized);
        EXPECT_TRUE(f->isMinimized());
        for (QWidget* t : montrees)
            EXPECT_FALSE(t->isVisible()) << t->windowTitle().toStdString();
        f->setWindowState(Qt::WindowNoState);
        for (QWidget* t : montrees) {
            EXPECT_TRUE(t->isVisible()) << t->windowTitle().toStdString();
            EXPECT_FALSE(t->isMinimized()) << t->windowTitle().toStdString();
        }
        EXPECT_EQ(menusActifs(), menus);
    }
}

// Every control that cannot act is off, drawn so, and refused by every path:
// the Print image with no table of the current display, the display switch
// and the Print image once every Moon-location window is closed, the items
// of a menu that is off pressed through the accessibility interface.
TEST_F(Bords, CeQuiNePeutAgirEstEteint) {
    demarre();
    Form2* f = etat->form2();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    // The period dialog is open: the menus are off, their items too.
    ASSERT_FALSE(menusActifs());
    auto presse = [](QMenu* m, const QString& texte) {
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(m);
        for (int i = 0; i < menu->childCount(); ++i)
            if (QAccessibleInterface* c = menu->child(i); c->text(QAccessible::Name).remove('&') == texte) {
                c->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                return true;
            }
        return false;
    };
    ASSERT_TRUE(presse(f->MenuSourceP, "Sun"));
    EXPECT_EQ(etat->CodeSource, 0);
    ASSERT_TRUE(presse(f->MenuFichierP, "New"));
    EXPECT_FALSE(etat->feuilleChoixFichier()->isVisible());
    EXPECT_TRUE(etat->feuilleChoixDate()->isVisible());

    etat->feuilleChoixDate()->AffStep->setText("60");
    periode("12-05-2001", "00:00", "13-05-2001", "23:00");
    ASSERT_TRUE(menusActifs());
    EXPECT_TRUE(f->ImgPrev->isEnabled());
    EXPECT_TRUE(f->ImgPrint->isEnabled());
    // A submenu that is off: its items do nothing either.
    ASSERT_FALSE(f->MenuPrint->enabled(2));
    const size_t boites = dialogs.events().size();
    f->MenuPrintComW->action(1)->trigger();
    EXPECT_EQ(imprimante.documents(), 0);

    // The common-window map: no common-window table to print.
    fenetreCommune();
    EXPECT_FALSE(f->ImgPrint->isEnabled());
    QTest::mouseClick(f->ImgPrint, Qt::LeftButton);
    EXPECT_FALSE(f->ImgPrint->isPressedShown());
    EXPECT_EQ(dialogs.events().size(), boites);
    const QImage eteint = f->ImgPrint->grab().toImage();
    f->ImgPrint->setEnabled(true);
    EXPECT_NE(f->ImgPrint->grab().toImage(), eteint) << "a button that is off is drawn as if on";
    etat->Applique();

    // Back to the tables, then every Moon-location window closed.
    f->MenuAffiche_Click(5);
    ASSERT_TRUE(etat->fenetrePrevision(0)->isVisible());
    for (int k : etat->TablesPrevisionRemplies())
        etat->fenetrePrevision(k)->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(f->ImgPrev->isEnabled());
    EXPECT_FALSE(f->ImgPrint->isEnabled());
    EXPECT_FALSE(f->MenuAffiche->enabled(5));
    EXPECT_FALSE(f->MenuAffiche->enabled(7));
    QAccessibleInterface* prev = QAccessible::queryAccessibleInterface(f->ImgPrev);
    EXPECT_TRUE(prev->state().disabled);
    prev->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(etat->Ecran.lieu, planner::Lieu::TablesLune);
    EXPECT_FALSE(etat->feuilleDateCom()->isVisible());
}

} // namespace
