// Random sequences of the operator's actions through the real windows,
// offscreen, with scripted boxes: File > New, Cancel, O.K. and the close box
// of every dialog, stations, periods, row clicks and Enter on a row, the
// display switch, the map (clicks, prefixes, DX O.K.), sources, the way back
// to the map (ImgDX, Alt+Left), Change UTC, the radio-sky key, Save screen,
// prints, the main window minimised, maximised, restored and resized, and
// presses through the accessibility interface on controls that can and
// cannot act; some of them land inside a running computation's yield. Built
// as planner_wm_tests, the same sequences run under a real window manager
// and add its own minimise, restore and close of any window on screen.
// Apart from the accessibility presses, only what the operator can reach is
// done: a visible, enabled control. After every action:
//  - the windows shown are those the display value names (the radio-sky key
//    exactly while it is open with the map);
//  - the menus and image buttons are on exactly when no dialog is open and
//    nothing runs; the print items are those of the filled table windows,
//    with their days, and the display switch reads where it leads;
//  - every control that cannot act is off (the Print image, the display
//    switch, the items under a menu that is off), and a press on it changes
//    nothing; a press on one that is on acts;
//  - every filled table window and the map on screen are what a fresh
//    computation gives for the station, source and instant they name: each
//    table's caption, header lines and rows, the common-window tables' DX
//    lines against the DX point and the prefix database; the DX values and
//    the radio-sky map with the map;
//  - there is a way on: something to click or type, or a minimised main
//    window to restore.
// A failing sequence prints its seed and its actions; it becomes a fixed case.

#include "DXCC/BaseDXCC.h"
#include "Planner/Dates.h"
#include "Planner/FenetreCiel.h"
#include "Planner/FenetreComWinPrev.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FenetreDX.h"
#include "Planner/FenetreInfoCiel.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/PlannerIni.h"
#include "Programme.h"
#ifdef SEQUENCES_GESTIONNAIRE
#include "Gestionnaire.h"
#endif
#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/StartWindow.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QFile>
#include <QMenu>
#include <QGroupBox>
#include <QLabel>
#include <functional>
#include <random>
#include <set>

using planner::Lieu;

namespace {

// The boxes of a random operator: never quits, answers the print question
// either way, types prefixes (known, unknown, too long) until it gives up.
class BoitesAuHasard : public platform::Dialogs {
public:
    explicit BoitesAuHasard(std::mt19937& h) : hasard(h) {}
    platform::Answer message(const QString& text, platform::Buttons b, platform::Icon, const QString& title) override {
        ++boites;
        nonVisibles += title == QLatin1String(" - Planner -");
        if (text == QLatin1String("Are you sure you wish to quit ?"))
            return platform::Answer::No;
        if (b == platform::Buttons::YesNo)
            return hasard() % 2 ? platform::Answer::Yes : platform::Answer::No;
        return platform::Answer::Ok;
    }
    QString input(const QString&, const QString&, const QString&, std::optional<QPoint>) override {
        ++saisies;
        static const char* const prefixes[] = {"f", "K", "vk", "JA", "ce9", "zz", "1234567", "lu"};
        if (hasard() % 3 == 0)
            return QString();
        return QString::fromLatin1(prefixes[hasard() % 8]);
    }
    void beep() override {}
    std::mt19937& hasard;
    int boites = 0;
    int saisies = 0; // input boxes shown
    int nonVisibles = 0; // "... is not visible on ..." of the table computations
};

bool visible(const QWidget* w) { return w && w->isVisible(); }

class Sequences : public outils::DossierStation, public ::testing::WithParamInterface<int> {
protected:
    std::mt19937 hasard;
    std::unique_ptr<BoitesAuHasard> boites;
    platform::ManualClock horloge{QDateTime(QDate(2001, 5, 12), QTime(10, 30, 0))};
    platform::RecordingPrinter imprimante;
    std::unique_ptr<Planner> etat;
    int fins = 0;
    QStringList journal; // the actions done, in order

    void SetUp() override {
#ifdef SEQUENCES_GESTIONNAIRE
        if (!gestionnaire::actif())
            GTEST_SKIP() << "no window manager: " << gestionnaire::raison().toStdString();
#endif
        platform::testing::application();
        ASSERT_TRUE(dir.isValid());
        ecrit("home.dat", outils::stationDat(outils::toulouse()));
        ecrit("baires.dat", outils::stationDat(outils::buenosAires()));
        outils::Station mauvaise;
        mauvaise.freq = "0";
        ecrit("mauvaise.dat", outils::stationDat(mauvaise));
        ecrit("DXCCPREF.DBR", "CE9\tAntarctica\t89\t59\tS\t0\t0\tE\r\n"
                              "F\tFRANCE\t48\t51\tN\t2\t21\tE\r\n"
                              "JA\tJapan\t35\t40\tN\t139\t45\tE\r\n"
                              "K\tUnited States\t40\t42\tN\t74\t0\tW\r\n"
                              "LU\tArgentina\t34\t36\tS\t58\t22\tW\r\n"
                              "VK\tAUSTRALIA\t25\t0\tS\t135\t0\tE\r\n");
        planner::ValeursIni ini;
        ini.Fenetres[planner::IniPrevision] = {600, 3600, 0};
        ini.Fenetres[planner::IniComWin] = {600, 3600, 0};
        ini.Fenetres[planner::IniCommune] = {2400, 3700, 0};
        ini.Height = 1200, ini.Width = 3600, ini.Top = 150, ini.Left = 150;
        ini.Step = 30;
        ASSERT_TRUE(platform::saveLines(chemin("Planner.ini"), planner::lignesPlannerIni(ini)));
        hasard.seed(unsigned(GetParam()));
        boites = std::make_unique<BoitesAuHasard>(hasard);
        etat = std::make_unique<Planner>(*boites, horloge, dir.path(), [this] { ++fins; });
        etat->Imprimante = &imprimante;
        etat->Main();
    }
    void TearDown() override { etat.reset(); }

    int tirage(int n) { return int(hasard() % unsigned(n)); }
    Form2* f2() const { return etat->form2(); }
    bool menus() const { return platform::isMenuEnabled(f2()->MenuFichierP); }
    bool boutons() const { return visible(f2()) && !f2()->isMinimized() && f2()->ZoneImage->isEnabled(); }
    bool principaleUtilisable() const { return visible(f2()) && !f2()->isMinimized(); }

    // ---- the actions: each returns false when its control cannot be reached now ----
    struct Action {
        const char* nom;
        int poids; // how often it is drawn, against the others
        std::function<bool()> faire;
    };
    std::vector<Action> actions() {
        auto clic = [](QWidget* b) {
            if (!visible(b) || !b->isEnabled())
                return false;
            QTest::mouseClick(b, Qt::LeftButton);
            return true;
        };
        return {
            {"New", 2, [this] { return menus() && principaleUtilisable() && (f2()->MenuFichier_Click(1), true); }},
            // The menus are off while a computation runs; the stop path that
            // File > New takes then is still the program's, exercised here.
            {"New while a computation runs", 2,
             [this] { return etat->Garde.calcul() && (f2()->MenuFichier_Click(1), true); }},
            {"ImgNew", 1, [this, clic] { return boutons() && clic(f2()->ImgNew); }},
            {"Quit, No", 1, [this] { return menus() && principaleUtilisable() && (f2()->MenuFichier_Click(3), true); }},
            {"close main window, No", 1, [this] { return principaleUtilisable() && f2()->close() == false; }},
            {"chooser Home", 4, [this, clic] { return clic(etat->feuilleChoixFichier()->BoutonHome); }},
            {"chooser entry O.K.", 3,
             [this] {
                 FeuilleChoixFichier* f = etat->feuilleChoixFichier();
                 if (!visible(f) || f->ListeFichier->listCount() == 0)
                     return false;
                 f->ListeFichier->setListIndex(tirage(f->ListeFichier->listCount()));
                 f->ListeFichier_Click();
                 journal.last() += " " + f->ListeFichier->fileName();
                 QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
                 return true;
             }},
            {"chooser Cancel", 2, [this, clic] { return clic(etat->feuilleChoixFichier()->BoutonAnnuler); }},
            {"period O.K.", 6, [this] { return periode(); }},
            {"period Cancel", 1, [this, clic] { return clic(etat->feuilleChoixDate()->BoutonAnnuler); }},
            {"row click", 5, [this] { return ligne(); }},
            {"ImgPrev", 2, [this, clic] { return boutons() && clic(f2()->ImgPrev); }},
            {"Display switch", 3, [this] { return affichage() && f2()->MenuAffiche->enabled(5) && (f2()->MenuAffiche_Click(5), true); }},
            {"common dialog O.K.", 6, [this, clic] { return clic(etat->feuilleDateCom()->BoutonOK); }},
            {"common dialog Cancel", 2, [this, clic] { return clic(etat->feuilleDateCom()->BoutonAnnuler); }},
            {"map click", 6, [this] { return clicCarte(); }},
            {"prefix", 3, [this, clic] { return clic(etat->fenetreDX()->ImgBtonDX); }},
            {"DX O.K.", 12, [this, clic] { return clic(etat->fenetreDX()->BoutonOK); }},
            {"source", 3, [this] { return source(); }},
            {"source button", 2, [this] {
                 if (!boutons())
                     return false;
                 platform::ImageButton* b[3] = {f2()->ImgLune, f2()->ImgSoleil, f2()->ImgCiel};
                 const int i = tirage(3);
                 journal.last() += " " + QString::number(i);
                 QTest::mouseClick(b[i], Qt::LeftButton);
                 return true;
             }},
            {"ImgDX", 4, [this, clic] { return boutons() && clic(f2()->ImgDX); }},
            {"Change UTC", 3, [this] { return changeUTC(); }},
            {"Save screen", 1, [this] { return affichage() && (f2()->MenuAffiche_Click(3), true); }},
            {"General Setup", 1, [this] { return affichage() && (f2()->MenuAffiche_Click(1), true); }},
            {"Print image", 2, [this] {
                 if (!boutons())
                     return false;
                 QTest::mouseClick(f2()->ImgPrint, Qt::LeftButton);
                 return true;
             }},
            {"Print item", 2, [this] { return imprime(); }},
            {"minimise", 1, [this] { return visible(f2()) && (f2()->setWindowState(Qt::WindowMinimized), true); }},
            {"maximise", 1, [this] { return visible(f2()) && (f2()->setWindowState(Qt::WindowMaximized), true); }},
            {"restore", 2, [this] { return visible(f2()) && (f2()->setWindowState(Qt::WindowNoState), true); }},
            {"resize", 1, [this] {
                 return principaleUtilisable() &&
                        (f2()->resize(f2()->size() + QSize(tirage(3) * 10 - 10, tirage(3) * 10 - 10)), true);
             }},
            {"table close box", 2, [this] {
                 std::vector<QWidget*> w;
                 for (const auto& f : etat->ListeFenetresPrevision)
                     if (visible(f.fenetre.get()))
                         w.push_back(f.fenetre.get());
                 for (const auto& f : etat->ListeFenetresComWin)
                     if (visible(f.fenetre.get()))
                         w.push_back(f.fenetre.get());
                 if (w.empty())
                     return false;
                 QWidget* f = w[size_t(tirage(int(w.size())))];
                 journal.last() += " " + f->windowTitle().left(14);
                 f->close();
                 return true;
             }},
            {"Change UTC close box", 1, [this] {
                 return visible(etat->feuilleChangeUTC()) && (etat->feuilleChangeUTC()->close(), true);
             }},
            {"dialog or map close box", 2, [this] {
                 QWidget* w[] = {etat->feuilleChoixFichier(), etat->feuilleChoixDate(), etat->feuilleDateCom(),
                                 etat->fenetreCommune(), etat->fenetreDX(), etat->fenetreCiel()};
                 QWidget* f = w[tirage(6)];
                 if (!visible(f))
                     return false;
                 journal.last() += " " + f->windowTitle();
                 f->close();
                 return true;
             }},
            {"Alt+Left", 1, [this] {
                 return f2()->ToucheRetourCarte->isEnabled() && (f2()->ToucheRetourCarte->trigger(), true);
             }},
            {"chooser double click", 1, [this] {
                 FeuilleChoixFichier* f = etat->feuilleChoixFichier();
                 if (!visible(f) || f->ListeFichier->listCount() == 0)
                     return false;
                 f->ListeFichier->setListIndex(tirage(f->ListeFichier->listCount()));
                 journal.last() += " " + f->ListeFichier->fileName();
                 f->ListeFichier_DblClick();
                 return true;
             }},
            {"sky key", 2, [this, clic] { return clic(etat->fenetreCiel()->ImgInfo); }},
            {"sky key O.K.", 1, [this, clic] { return clic(etat->fenetreInfoCiel()->BoutonInfoOK); }},
            {"sky key close box", 1, [this] { return visible(etat->fenetreInfoCiel()) && (etat->fenetreInfoCiel()->close(), true); }},
            {"sky map resize", 1, [this] {
                 FenetreCiel* c = etat->fenetreCiel();
                 return visible(c) && (c->resize(c->size() + QSize(0, tirage(2) ? 2 : -2)), true);
             }},
            {"accessible press", 3, [this] { return pressionAccessible(); }},
#ifdef SEQUENCES_GESTIONNAIRE
            {"WM minimise", 2, [this] {
                 QWidget* w = fenetreAuHasard();
                 return w && (gestionnaire::minimise(w), true);
             }},
            {"WM restore", 3, [this] {
                 QWidget* w = fenetreAuHasard(true);
                 return w && (gestionnaire::restaure(w), true);
             }},
            {"WM close", 2, [this] {
                 QWidget* w = fenetreAuHasard();
                 return w && (gestionnaire::ferme(w), true);
             }},
#endif
        };
    }
    // A window of the program on screen, drawn at random (its title is
    // journalled): one in its normal state, or a minimised one.
    QWidget* fenetreAuHasard(bool minimisee = false) {
        std::vector<QWidget*> w;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (visible(t) && t->isMinimized() == minimisee && !t->windowTitle().isEmpty())
                w.push_back(t);
        if (w.empty())
            return nullptr;
        QWidget* f = w[size_t(tirage(int(w.size())))];
        journal.last() += " " + f->windowTitle();
        return f;
    }
    // What a press can change that the operator sees or gets.
    struct Effet {
        Lieu lieu;
        bool minimise;
        int16_t source;
        int boites, saisies, documents;
        int16_t xDX, yDX;
        bool ini; // Planner.ini is there
        bool operator==(const Effet&) const = default;
    };
    Effet effet() const {
        return {etat->Ecran.lieu, etat->Ecran.minimise, etat->CodeSource, boites->boites, boites->saisies,
                imprimante.documents(), etat->XPointDX, etat->YPointDX, QFile::exists(chemin("Planner.ini"))};
    }
    // A control a screen reader can press: its accessible face, whether it
    // can act now (on, and under menus that are on), and what acting is.
    struct Controle {
        QString nom;
        QAccessibleInterface* cible;
        bool peut;
        std::function<bool(const Effet& avant, const Effet& apres)> agit;
    };
    // The controls on screen whose state depends on the display: the main
    // window's image buttons and menu items (About's lines are text to read,
    // they do nothing), the chooser's O.K. and Home, the DX window's O.K. and
    // prefix button.
    std::vector<Controle> controles() {
        using E = const Effet&;
        using Agit = std::function<bool(E, E)>;
        std::vector<Controle> c;
        auto sur = [](const QWidget* w) { return visible(w) && !w->window()->isMinimized(); };
        auto bouton = [&](QWidget* b, Agit agit) {
            if (!sur(b))
                return;
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(b);
            const QString nom = i ? i->text(QAccessible::Name) : QString();
            c.push_back({b->window()->windowTitle() + " > " + (nom.isEmpty() ? b->objectName() : nom), i,
                         b->isEnabled(), std::move(agit)});
        };
        auto aLieu = [](Lieu l) { return Agit([l](E, E apres) { return apres.lieu == l; }); };
        const Agit ailleurs = [](E avant, E apres) { return apres.lieu != avant.lieu; };
        const Agit demande = [](E avant, E apres) { return apres.boites > avant.boites; };
        auto source = [](int16_t code) { return Agit([code](E, E apres) { return apres.source == code; }); };
        Form2* f = f2();
        bouton(f->ImgNew, aLieu(Lieu::Choix));
        bouton(f->ImgQuit, demande);
        bouton(f->ImgLune, source(0));
        bouton(f->ImgSoleil, source(1));
        bouton(f->ImgCiel, source(8));
        bouton(f->ImgPrev, ailleurs);
        bouton(f->ImgDX, aLieu(Lieu::Carte));
        bouton(f->ImgPrint, demande);
        FeuilleChoixFichier* choix = etat->feuilleChoixFichier();
        auto choisie = [](E avant, E apres) { return apres.lieu != Lieu::Choix || apres.boites > avant.boites; };
        bouton(choix->BoutonOK, choisie);
        bouton(choix->BoutonHome, choisie);
        bouton(etat->fenetreDX()->BoutonOK, [](E avant, E apres) { return apres.lieu != avant.lieu || apres.boites > avant.boites; });
        bouton(etat->fenetreDX()->ImgBtonDX, [](E avant, E apres) { return apres.saisies > avant.saisies; });
        if (!sur(f))
            return c;
        auto articles = [&](platform::MenuFamily* m, const std::function<Agit(int)>& agit) {
            QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(m->menu());
            for (int i = m->lBound(); i <= m->uBound(); ++i) {
                QAction* a = m->exists(i) ? m->action(i) : nullptr;
                if (!a || a->isSeparator() || a->menu())
                    continue;
                const int k = int(m->menu()->actions().indexOf(a));
                c.push_back({m->menu()->title().remove('&') + " > " + a->text(), menu ? menu->child(k) : nullptr,
                             a->isEnabled() && platform::menuItemReachable(a), agit(i)});
            }
        };
        articles(f->MenuFichier, [&](int i) { return i == 1 ? aLieu(Lieu::Choix) : demande; });
        articles(f->MenuSource, [&](int i) { return source(planner::Sources[i].code); });
        articles(f->MenuAffiche, [&](int i) {
            if (i == 3)
                return Agit([](E, E apres) { return apres.ini; });
            return i == 5 ? ailleurs : demande;
        });
        auto imprime = [](int) { return Agit([](E avant, E apres) { return apres.documents > avant.documents; }); };
        articles(f->MenuPrintMoon, imprime);
        articles(f->MenuPrintComW, imprime);
        return c;
    }
    // A control pressed through the accessibility interface, as a screen
    // reader presses it, whether it can act or not. One that can act must
    // act (outside a computation: inside one, an action may wait for its
    // end); one that cannot must change nothing, from this path as from any.
    bool pressionAccessible() {
        std::vector<Controle> c = controles();
        if (c.empty())
            return false;
        const Controle& k = c[size_t(tirage(int(c.size())))];
        if (!k.cible || !k.cible->actionInterface())
            return false;
        journal.last() += " " + k.nom + (k.peut ? "" : " (off)");
        // Save screen is seen by the file it writes.
        const bool sauve = k.nom.endsWith("> Save screen");
        QByteArray ini;
        if (QFile fichier(chemin("Planner.ini")); sauve && fichier.open(QIODevice::ReadOnly)) {
            ini = fichier.readAll();
            fichier.remove();
        }
        const bool libre = etat->Garde.libre();
        const Effet avant = effet();
        k.cible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // A push button pressed so shows itself down and clicks a moment later.
        const QPointer<QAbstractButton> b = qobject_cast<QAbstractButton*>(k.cible->object());
        QElapsedTimer attente;
        attente.start();
        while (b && b->isDown() && attente.elapsed() < 5000)
            QTest::qWait(5);
        const Effet apres = effet();
        if (QFile fichier(chemin("Planner.ini")); sauve && !apres.ini && fichier.open(QIODevice::WriteOnly))
            fichier.write(ini);
        if (!k.peut && !(apres == avant))
            refus << k.nom + ", which cannot act, acted";
        else if (k.peut && libre && !k.agit(avant, apres))
            refus << k.nom + ", which is on, did nothing";
        return true;
    }
    QStringList refus; // a control that cannot act and acted, or that can and did nothing
    bool affichage() const { return menus() && principaleUtilisable() && platform::isMenuEnabled(f2()->MenuAfficheP); }
    bool periode() {
        FeuilleChoixDate* d = etat->feuilleChoixDate();
        if (!visible(d))
            return false;
        static const char* const periodes[][5] = {
            {"12-05-2001", "00:00", "12-05-2001", "23:50", "30"}, {"12-05-2001", "06:00", "13-05-2001", "06:00", "60"},
            {"12-05-2001", "00:00", "14-05-2001", "00:00", "120"}, {"12-05-2001", "10:00", "12-05-2001", "09:00", "30"},
            {"12-05-2001", "00:00", "12-05-2001", "23:50", "0"},   {"31-04-2001", "00:00", "02-05-2001", "00:00", "60"}};
        const auto& p = periodes[tirage(6)];
        d->EditDateDeb->setText(p[0]);
        d->EditTimeDeb->setText(p[1]);
        d->EditDateFin->setText(p[2]);
        d->EditTimeFin->setText(p[3]);
        d->AffStep->setText(p[4]);
        d->OptionLune[tirage(2)]->setChecked(true);
        journal.last() += QString(" %1 %2 - %3 %4 step %5").arg(p[0], p[1], p[2], p[3], p[4]);
        QTest::mouseClick(d->BoutonOK, Qt::LeftButton);
        return true;
    }
    bool ligne() {
        std::vector<FenetrePrevision*> w;
        for (const auto& f : etat->ListeFenetresPrevision)
            if (visible(f.fenetre.get()))
                w.push_back(f.fenetre.get());
        if (w.empty())
            return false;
        FenetrePrevision* f = w[size_t(tirage(int(w.size())))];
        f->GrillePrev->setRow(tirage(f->GrillePrev->rows()));
        const bool touche = tirage(2);
        journal.last() += " " + f->windowTitle().left(14) + " row " + QString::number(f->GrillePrev->row()) +
                          (touche ? " by Enter" : "");
        if (touche)
            QTest::keyClick(f->GrillePrev, Qt::Key_Return);
        else
            etat->GrillePrev_Click(f);
        return true;
    }
    bool clicCarte() {
        platform::PictureBox* c = etat->fenetreCommune()->EMEWindow;
        if (!visible(etat->fenetreCommune()))
            return false;
        const QPoint p(tirage(c->width()), tirage(c->height()));
        journal.last() += QString(" at %1,%2").arg(p.x()).arg(p.y());
        QTest::mousePress(c, Qt::LeftButton, {}, p);
        return true;
    }
    bool source() {
        if (!menus() || !principaleUtilisable())
            return false;
        const int i = tirage(10);
        journal.last() += " " + QString::number(i);
        f2()->MenuSource_Click(i);
        return true;
    }
    bool changeUTC() {
        FeuilleChangeUTC* u = etat->feuilleChangeUTC();
        if (!visible(u))
            return false;
        static const char* const heures[] = {"13:40", "02:00", "20:00", "23:59", "24:00"};
        u->EditDateDeb->setText(tirage(2) ? "12-05-2001" : "13-05-2001");
        u->EditTimeDeb->setText(heures[tirage(5)]);
        journal.last() += " " + u->EditDateDeb->text() + " " + u->EditTimeDeb->text();
        QTest::mouseClick(u->BoutonOK, Qt::LeftButton);
        return true;
    }
    bool imprime() {
        if (!affichage() || !f2()->MenuAffiche->enabled(7))
            return false;
        const bool lune = f2()->MenuPrint->enabled(1), commun = f2()->MenuPrint->enabled(2);
        if (lune && (!commun || tirage(2))) {
            const int n = f2()->MenuPrintMoon->uBound();
            const int i = tirage(n) + 1;
            if (!f2()->MenuPrintMoon->exists(i))
                return false;
            journal.last() += " Moon " + QString::number(i);
            f2()->MenuPrintMoon_Click(i);
            return true;
        }
        if (!commun)
            return false;
        const int i = tirage(f2()->MenuPrintComW->uBound()) + 1;
        if (!f2()->MenuPrintComW->exists(i))
            return false;
        journal.last() += " Common " + QString::number(i);
        f2()->MenuPrintComW_Click(i);
        return true;
    }

    // One action chosen at random among those that can be reached; false
    // when the one drawn could not.
    bool uneAction(const std::vector<Action>& toutes, const QString& prefixe) {
        int total = 0;
        for (const Action& a : toutes)
            total += a.poids;
        int t = tirage(total);
        size_t i = 0;
        while (t >= toutes[i].poids)
            t -= toutes[i++].poids;
        const Action& a = toutes[i];
        journal << prefixe + a.nom;
        if (a.faire())
            return true;
        journal.removeLast();
        return false;
    }

    // ---- the invariants: a list of what is wrong, empty when all holds ----
    QStringList verifie() const;
    void verifieCarte(QStringList& e) const;
    void verifieTables(QStringList& e) const;
    void verifieMenus(QStringList& e) const;
};

QString lieu(Lieu l) {
    static const char* const noms[] = {"Aucun", "Choix", "Principale", "Periode", "TablesLune", "DialogueCommun",
                                       "Carte", "TablesCommunes"};
    return QString::fromLatin1(noms[int(l)]);
}

QStringList Sequences::verifie() const {
    QStringList e;
    const planner::Ecran& ec = etat->Ecran;
    if (fins != 0)
        e << "the program ended";
    // The windows shown are those the display value names.
    const bool min = ec.minimise;
    if (visible(f2()) != ec.principale)
        e << "main window shown " + QString::number(visible(f2()));
    if (visible(f2()) && f2()->isMinimized() != min)
        e << "main window minimised " + QString::number(f2()->isMinimized());
    // Before the main window opens, the chooser stands for the program: it
    // stays, minimised while the program is.
    const FeuilleChoixFichier* choix = etat->feuilleChoixFichier();
    if (!ec.principale && visible(choix) && choix->isMinimized() != min)
        e << "chooser minimised " + QString::number(choix->isMinimized()) + " before the main window";
    const Lieu lp = planner::lieuPrincipal(ec);
    const std::pair<QWidget*, bool> attendu[] = {
        {etat->feuilleChoixFichier(), (!min || !ec.principale) && ec.lieu == Lieu::Choix},
        {etat->feuilleChoixDate(), !min && ec.lieu == Lieu::Periode},
        {etat->feuilleDateCom(), !min && ec.lieu == Lieu::DialogueCommun},
        {etat->fenetreCommune(), !min && ec.lieu == Lieu::Carte && ec.carte.calculee},
        {etat->fenetreCiel(), !min && ec.lieu == Lieu::Carte && ec.carte.calculee},
        {etat->fenetreDX(), !min && ec.lieu == Lieu::Carte && ec.carte.calculee},
        {etat->feuilleChangeUTC(), !min && ec.lieu == Lieu::Carte},
        {f2()->ImgDX, visible(f2()) && lp == Lieu::TablesCommunes}};
    for (const auto& [w, oui] : attendu)
        if (visible(w) != oui && !(w == f2()->ImgDX && !visible(f2())))
            e << w->windowTitle() + w->objectName() + (oui ? " hidden" : " shown") + " at " + lieu(ec.lieu);
    // The radio-sky key: with the map, whenever it is open.
    if (visible(etat->fenetreInfoCiel()) != (!min && ec.lieu == Lieu::Carte && ec.carte.calculee && ec.cleCiel))
        e << QString("sky key shown %1, open %2, at %3")
                 .arg(visible(etat->fenetreInfoCiel()))
                 .arg(ec.cleCiel)
                 .arg(lieu(ec.lieu));
    const bool lune = !min && (ec.lieu == Lieu::TablesLune || ec.lieu == Lieu::DialogueCommun);
    for (const auto& t : etat->ListeFenetresPrevision)
        if (t.fenetre && visible(t.fenetre.get()) != (lune && t.remplie))
            e << "Moon-location window " + t.fenetre->windowTitle() + (lune ? " hidden" : " shown") + " at " + lieu(ec.lieu);
    const bool communes = !min && ec.lieu == Lieu::TablesCommunes;
    for (const auto& t : etat->ListeFenetresComWin)
        if (t.fenetre && visible(t.fenetre.get()) != (communes && t.remplie))
            e << "common-window table " + t.fenetre->windowTitle() + (communes ? " hidden" : " shown") + " at " + lieu(ec.lieu);

    // Menus and image buttons on exactly when no dialog is open and nothing runs.
    const bool dialogue = ec.lieu == Lieu::Choix || ec.lieu == Lieu::Periode || ec.lieu == Lieu::DialogueCommun;
    const bool libre = etat->Garde.libre();
    if (visible(f2()) && menus() != (libre && !dialogue))
        e << QString("menus %1 with %2 running, at %3").arg(menus()).arg(!libre).arg(lieu(ec.lieu));
    if (visible(f2()) && f2()->ZoneImage->isEnabled() != menus())
        e << "image buttons apart from the menus";
    for (QWidget* d : {static_cast<QWidget*>(etat->feuilleChoixFichier()), static_cast<QWidget*>(etat->feuilleChoixDate()),
                       static_cast<QWidget*>(etat->feuilleDateCom())})
        if (visible(d) && menus())
            e << "menus on with " + d->windowTitle() + " open";

    // The chooser's O.K. while a file is selected, its Home button while the folder has a home.dat.
    if (const FeuilleChoixFichier* c = etat->feuilleChoixFichier(); visible(c)) {
        const bool home = !QDir(dir.path()).entryList({"home.dat"}, QDir::Files | QDir::CaseSensitive).isEmpty();
        if (c->BoutonOK->isEnabled() != (c->ListeFichier->listIndex() >= 0) || c->BoutonHome->isEnabled() != home)
            e << QString("chooser O.K. %1 with selection %2, Home %3")
                     .arg(c->BoutonOK->isEnabled())
                     .arg(c->ListeFichier->listIndex())
                     .arg(c->BoutonHome->isEnabled());
    }

    // A way on: a dialog, the menus, or a minimised window to restore.
    if (libre && !dialogue && !menus() && !(visible(f2()) && f2()->isMinimized()))
        e << "no way on at " + lieu(ec.lieu);

    verifieCarte(e);
    verifieTables(e);
    verifieMenus(e);
    return e;
}

// The DX point's texts: prefix and country, or "DX" and "Station" for a
// point clicked; from a prefix, the position is its record's.
void verifieEnteteDX(QStringList& e, const QString& dossier, const QString& ou, const QString& prefixe,
                     const QString& pays, const QString& lat, const QString& lon) {
    if (prefixe == "DX" && pays == "Station")
        return;
    const dxcc::RechercheDXCC r = dxcc::rechercherPrefixe(dossier, prefixe);
    const auto p = r.etat == dxcc::RechercheDXCC::Etat::Trouve ? dxcc::decoderEnregistrement(r.ligne) : std::nullopt;
    if (!p) {
        e << ou + ": prefix " + prefixe + " not in the database";
        return;
    }
    const QString attendu = p->Lieu.left(1).toUpper() + p->Lieu.mid(1).toLower();
    if (pays != attendu || lat != planner::TexteLatitude("Lat: ", p->latitude) ||
        lon != planner::TexteLongitude("Long: ", p->longitude))
        e << ou + ": " + prefixe + " " + pays + " " + lat + " " + lon + " is not the record's " + attendu;
}

// The map on screen: its caption names a source and an instant; its curve,
// the radio-sky map and the DX values are a fresh computation's for them at
// the current station.
void Sequences::verifieCarte(QStringList& e) const {
    if (!visible(etat->fenetreCommune()))
        return;
    const QString titre = etat->fenetreCommune()->windowTitle();
    const int i = int(titre.indexOf(" Common Window : "));
    if (i < 0 || titre.size() < i + 17 + 22) {
        e << "map caption " + titre;
        return;
    }
    const QString nom = titre.left(i), date = titre.mid(i + 21, 10), heure = titre.right(5);
    int code = -1;
    for (const auto& s : planner::Sources)
        if (nom == QLatin1String(s.nom) && s.code >= 0)
            code = s.code;
    if (code < 0) {
        e << "map caption " + titre;
        return;
    }
    if (etat->Garde.libre() && nom != etat->NomSource)
        e << "map of " + nom + " while the source is " + etat->NomSource;
    const QString jourHeure = titre.mid(i + 17);
    if (etat->fenetreCiel()->windowTitle() != "Radio-Sky Map : " + jourHeure)
        e << "sky map " + etat->fenetreCiel()->windowTitle() + " under " + titre;
    if (etat->fenetreDX()->CadreUTC->title() != jourHeure)
        e << "DX window " + etat->fenetreDX()->CadreUTC->title() + " under " + titre;

    VariablesPlanner v = *etat;
    v.CodeSource = int16_t(code);
    v.NomSource = nom;
    VariablesPlanner courbe = v;
    planner::fixeInstant(courbe, date, heure);
    astro::CalculTempsSideral(courbe.Astro);
    planner::CalculCourbe(courbe, [] { return true; });
    if (courbe.CourbeFenetreCommune != etat->CourbeFenetreCommune)
        e << "the curve drawn is not " + titre + " at " + etat->Indic;

    const VariablesPlanner instant = planner::AInstant(v, date, heure);
    const planner::Ciel ciel = planner::CalculCiel(instant);
    if (etat->fenetreCiel()->AffHA->text() != ciel.AffHA || etat->fenetreCiel()->AffDecl->text() != ciel.AffDecl)
        e << "sky map values not those of " + jourHeure;
    FenetreDX* dx = etat->fenetreDX();
    if (etat->XPointDX == 0 || etat->YPointDX == 0) {
        if (!dx->AffAzimDX->text().isEmpty() || !dx->AffDxcc->text().isEmpty() || dx->BoutonOK->isEnabled())
            e << "DX values, prefix or DX O.K. without a DX point";
        return;
    }
    if (dx->AffDxcc->text().isEmpty() != dx->AffPays->text().isEmpty())
        e << "DX window prefix " + dx->AffDxcc->text() + " country " + dx->AffPays->text();
    else if (!dx->AffDxcc->text().isEmpty())
        verifieEnteteDX(e, etat->Dossier, "DX window", dx->AffDxcc->text(), dx->AffPays->text(),
                        planner::TexteLatitude("Lat: ", float(etat->LatitudeDX)),
                        planner::TexteLongitude("Long: ", float(etat->LongitudeDX)));
    const planner::ResultatDX r = planner::CalculPointDX(instant);
    if (dx->AffAzimDX->text() != r.AffAzimDX || dx->AffElevDX->text() != r.AffElevDX ||
        dx->AffDopplerDX->text() != r.AffDopplerDX || dx->AffPolarDX->text() != r.AffPolarDX ||
        dx->AffDistance->text() != r.AffDistance)
        e << "DX values " + dx->AffAzimDX->text() + " " + dx->AffDistance->text() + " not " + r.AffAzimDX + " " +
                 r.AffDistance + " for " + titre + " at " + etat->Indic;
}

// A fresh computation of a table kind: each window's rows (cells joined by
// TAB) and the variables at the end of its day.
outils::Enregistreur calculFrais(VariablesPlanner v, bool commune) {
    outils::Enregistreur s;
    s.v = &v;
    v.IndexPrevision = 0;
    v.IndexComWin = 0;
    astro::CalculJourJulien(v.Astro);
    commune ? planner::CalculPrevisionCommune(v, s) : planner::CalculPrevision(v, s);
    s.v = nullptr;
    return s;
}

std::map<int, QString> lignesGrille(const platform::Grid* g) {
    std::map<int, QString> l;
    for (int r = 1; r < g->rows(); ++r) {
        QStringList c;
        for (int k = 0; k < 9; ++k)
            c << g->textMatrix(r, k);
        l[r] = c.join('\t').trimmed().isEmpty() ? QString() : c.join('\t');
    }
    return l;
}

// What window k of a table kind shows against a fresh computation: its
// caption (day, first and last rows' times), its rows, the home station's
// header lines and, for the Moon, the day's declination, extra loss and sky
// temperature.
template <class F>
void verifieJour(QStringList& e, const F& w, int k, const outils::Enregistreur& frais, const VariablesPlanner& station,
                 bool lune, const QString& lat) {
    const QString nom = w.windowTitle();
    const auto r = frais.resumes.find(k);
    if (r == frais.resumes.end()) {
        e << "table window " + QString::number(k) + " " + nom + " has no day in a fresh computation";
        return;
    }
    const VariablesPlanner& j = r->second;
    const QString jour = QString::fromStdString(j.Astro.NomJourSemaine) + " " +
                         planner::texteDate(j.Astro.DateCalcul).value_or("?");
    if (nom != jour + " from " + j.HeureDebutTable + " to " + j.HeureFinTable + " UTC")
        e << "table caption " + nom + " for " + jour + " " + j.HeureDebutTable + "-" + j.HeureFinTable;
    if (lignesGrille(w.GrillePrev) != frais.fenetres.at(k))
        e << "rows of " + nom + " are not those of a fresh computation";
    const QString home[5] = {station.Indic, station.Lieu, planner::TexteLatitude(lat, station.LatitudeStation),
                             planner::TexteLongitude(lat == "Lat : " ? "Long : " : "Long: ", station.LongitudeStation),
                             planner::TexteFrequence(station.Freq)};
    for (size_t i = 0; i < 5; ++i)
        if (w.Entete[i]->text() != home[i])
            e << "header line " + QString::number(i) + " of " + nom + ": " + w.Entete[i]->text() + ", not " + home[i];
    const QString moon[3] = {
        "Moon Decl. : " + platform::Format(j.DeclinaisonDebut, "#0.0") + " to " +
            platform::Format(j.DeclinaisonFin, "#0.0") + " deg",
        "Extra loss/perigee : " + j.TextePerte + " dB",
        planner::LigneTempCiel(station.Freq, j.AscDroiteDebut, j.AscDroiteFin, j.AscDroiteSoleil)};
    for (size_t i = 5; i < 8; ++i) {
        if (w.Entete[i]->isHidden() == lune)
            e << "header line " + QString::number(i) + " of " + nom + (lune ? " hidden" : " shown");
        else if (lune && w.Entete[i]->text() != moon[i - 5])
            e << "header line " + QString::number(i) + " of " + nom + ": " + w.Entete[i]->text() + ", not " +
                     moon[i - 5];
    }
}

// Every filled table window, shown or not (it is printed either way): the
// current station's, for the period of the period dialog; the common-window
// tables for the source they name, the map's, and the DX point they were
// computed for.
void Sequences::verifieTables(QStringList& e) const {
    const std::vector<int> lune = etat->TablesPrevisionRemplies(), communes = etat->TablesComWinRemplies();
    if (lune.empty() && communes.empty())
        return;
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    VariablesPlanner v = *etat;
    if (planner::verifiePeriode(v, d->EditDateDeb->text(), d->EditTimeDeb->text(), d->EditDateFin->text(),
                                d->EditTimeFin->text(), d->AffStep->text(), d->OptionLune[1]->isChecked()) !=
        planner::Periode::Ok) {
        e << "tables while the period dialog holds no period";
        return;
    }
    if (!lune.empty()) {
        VariablesPlanner l = v;
        l.CodeSource = 0;
        l.NomSource = "Moon";
        const outils::Enregistreur frais = calculFrais(l, false);
        for (int k : lune)
            verifieJour(e, *etat->fenetrePrevision(k), k, frais, v, true, "Lat : ");
    }
    if (communes.empty())
        return;
    const QString nom = etat->fenetreComWin(communes.front())->EtiqNomSource->text();
    if (nom != etat->Ecran.carte.NomSource)
        e << "common-window tables of " + nom + " from a map of " + etat->Ecran.carte.NomSource;
    VariablesPlanner c = v;
    c.CodeSource = -1;
    for (const auto& s : planner::Sources)
        if (nom == QLatin1String(s.nom) && s.code >= 0)
            c.CodeSource = s.code;
    if (c.CodeSource < 0) {
        e << "common-window tables of " + nom;
        return;
    }
    c.NomSource = nom;
    const QString court = c.CodeSource == 0 ? "Moon" : c.CodeSource == 1 ? "Sun" : c.CodeSource == 8 ? "C.Sky" : nom.left(6);
    const outils::Enregistreur frais = calculFrais(c, true);
    for (int k : communes) {
        const FenetreComWinPrev& w = *etat->fenetreComWin(k);
        const QString titre = w.windowTitle();
        verifieJour(e, w, k, frais, v, c.CodeSource == 0, "Lat: ");
        if (w.EtiqNomSource->text() != nom || w.EtiqSource[1]->text() != court || w.EtiqSource[2]->text() != court)
            e << "source of " + titre + ": " + w.EtiqNomSource->text() + " " + w.EtiqSource[1]->text() + ", not " + nom;
        // The DX lines name the point the rows are computed for.
        const QString lat = planner::TexteLatitude("Lat: ", float(v.LatitudeDX)),
                      lon = planner::TexteLongitude("Long: ", float(v.LongitudeDX));
        if (w.Entete[10]->text() != lat || w.Entete[11]->text() != lon)
            e << "DX position of " + titre + ": " + w.Entete[10]->text() + " " + w.Entete[11]->text() + ", not " + lat +
                     " " + lon;
        verifieEnteteDX(e, etat->Dossier, titre, w.Entete[8]->text(), w.Entete[9]->text(), w.Entete[10]->text(),
                        w.Entete[11]->text());
        // The DX window, under the tables, still holds that point.
        const FenetreDX* dx = etat->fenetreDX();
        const bool prefixe = !dx->AffDxcc->text().isEmpty();
        if (w.Entete[8]->text() != (prefixe ? dx->AffDxcc->text() : "DX") ||
            w.Entete[9]->text() != (prefixe ? dx->AffPays->text() : "Station"))
            e << "DX lines of " + titre + ": " + w.Entete[8]->text() + " " + w.Entete[9]->text() +
                     " under a DX window of " + dx->AffDxcc->text() + " " + dx->AffPays->text();
    }
}

// The Display menu's switch and the print items follow the table lists:
// Print > Moon position and Common windows have item k + 2, captioned with
// its day, for each filled window k, and are on while they have one; the
// switch needs a Moon-location table and reads where it leads.
void Sequences::verifieMenus(QStringList& e) const {
    auto articles = [&](platform::MenuFamily* m, const auto& liste, const QString& sorte) {
        bool un = false;
        for (int i = 2; i <= std::max(m->uBound(), int(liste.size()) + 1); ++i) {
            const auto* t = i - 2 < int(liste.size()) ? &liste[size_t(i - 2)] : nullptr;
            const auto* w = t ? t->fenetre.get() : nullptr;
            const bool rempli = w && t->remplie;
            un = un || rempli;
            if (m->exists(i) != rempli)
                e << sorte + " print item " + QString::number(i) + (rempli ? " missing for " + w->windowTitle() : " without a table");
            else if (rempli && !w->windowTitle().startsWith(m->caption(i) + " from "))
                e << sorte + " print item " + m->caption(i) + " for " + w->windowTitle();
        }
        return un;
    };
    Form2* f = f2();
    const bool lune = articles(f->MenuPrintMoon, etat->ListeFenetresPrevision, "Moon");
    const bool communes = articles(f->MenuPrintComW, etat->ListeFenetresComWin, "common-window");
    if (f->MenuPrint->enabled(1) != lune || f->MenuPrint->enabled(2) != communes ||
        f->MenuAffiche->enabled(7) != (lune || communes))
        e << QString("Print items on %1 %2 %3 with Moon tables %4, common tables %5")
                 .arg(f->MenuPrint->enabled(1))
                 .arg(f->MenuPrint->enabled(2))
                 .arg(f->MenuAffiche->enabled(7))
                 .arg(lune)
                 .arg(communes);
    if (f->MenuAffiche->enabled(5) != lune)
        e << "display switch on " + QString::number(f->MenuAffiche->enabled(5)) + " with Moon tables " +
                 QString::number(lune);
    const Lieu lp = planner::lieuPrincipal(etat->Ecran);
    const bool commun = lp == Lieu::DialogueCommun || lp == Lieu::Carte || lp == Lieu::TablesCommunes;
    // Every control that cannot act is off: the Print image without a table
    // of the display in use, the display switch without a Moon-location
    // table, and every item under a menu that is off.
    const bool menusOn = platform::isMenuEnabled(f->MenuFichierP);
    const QString mode = etat->ModeAffichage();
    const bool imprimable = (mode == "MoonPos" && lune) || (mode == "CommWin" && communes);
    if (f->ImgPrint->isEnabled() != (menusOn && imprimable))
        e << QString("Print image on %1 at %2 with Moon tables %3, common tables %4")
                 .arg(f->ImgPrint->isEnabled()).arg(lieu(etat->Ecran.lieu)).arg(lune).arg(communes);
    if (f->ImgPrev->isEnabled() != (menusOn && lune))
        e << QString("ImgPrev on %1 with Moon tables %2").arg(f->ImgPrev->isEnabled()).arg(lune);
    const std::pair<platform::MenuFamily*, std::pair<int, bool>> articlesAtteints[] = {
        {f->MenuFichier, {1, menusOn}},
        {f->MenuSource, {1, menusOn}},
        {f->MenuPrintMoon, {1, menusOn && platform::isMenuEnabled(f->MenuAfficheP) && lune}},
        {f->MenuPrintComW, {1, menusOn && platform::isMenuEnabled(f->MenuAfficheP) && communes}}};
    for (const auto& [m, attendu] : articlesAtteints)
        if (platform::menuItemReachable(m->action(attendu.first)) != attendu.second)
            e << "menu item " + m->caption(attendu.first) + " reachable " +
                     QString::number(platform::menuItemReachable(m->action(attendu.first)));
    if (f->MenuAffiche->caption(5) != (commun ? "Moon Location" : "Common Window"))
        e << "display switch reads " + f->MenuAffiche->caption(5) + " at " + lieu(etat->Ecran.lieu);
}

TEST_P(Sequences, LAffichageSuitSaValeurAChaqueAction) {
    const std::vector<Action> toutes = actions();
    const int etapes = 600;
    int faites = 0, imbriquees = 0;
    std::set<int> lieux;
    for (int essai = 0; faites < etapes && essai < 20 * etapes; ++essai) {
        // Sometimes an action at the first yield of whatever runs next (a
        // posted call: the first pass through the event queue takes it,
        // however fast the computation runs).
        bool imbriquee = false;
        QStringList problemesImbriques;
        if (tirage(3) == 0) {
            QMetaObject::invokeMethod(f2(), [&] {
                if (etat->Garde.libre())
                    return;
                for (int k = 0; k < 5 && !imbriquee; ++k)
                    imbriquee = uneAction(toutes, "  during: ");
                if (imbriquee)
                    problemesImbriques = verifie();
            }, Qt::QueuedConnection);
        }
        const int nonVisibles = boites->nonVisibles;
        const qsizetype debut = journal.size();
        if (!uneAction(toutes, QString()))
            continue;
        ++faites;
        QCoreApplication::processEvents();
#ifdef SEQUENCES_GESTIONNAIRE
        gestionnaire::calme();
#endif
        lieux.insert(int(etat->Ecran.lieu));
        imbriquees += imbriquee;
        QStringList problemes = problemesImbriques + refus + verifie();
        refus.clear();
        // A table computation that File > New did not stop ends with its
        // tables: a filled window, or a day on which the source is not visible.
        const QString fait = journal.value(debut);
        const bool arretee = !journal.mid(debut).filter("New while").isEmpty();
        const bool lune = fait.startsWith("period O.K.") && etat->Ecran.lieu == Lieu::TablesLune;
        const bool commune = fait.startsWith("DX O.K.") && etat->Ecran.lieu == Lieu::TablesCommunes;
        if ((lune || commune) && !arretee &&
            (lune ? etat->TablesPrevisionRemplies() : etat->TablesComWinRemplies()).empty() &&
            boites->nonVisibles == nonVisibles)
            problemes << "the computation gave nothing: no table, no message";
        if (!problemes.isEmpty()) {
            ADD_FAILURE() << "seed " << GetParam() << ", after action " << faites
                          << (imbriquee ? " (and one during it)" : "") << ":\n  "
                          << problemes.join("\n  ").toStdString() << "\nactions:\n  "
                          << journal.join("\n  ").toStdString();
            return;
        }
    }
    EXPECT_EQ(faites, etapes);
    // Every place was reached (Aucun is only the start), and actions landed
    // inside running computations.
    EXPECT_EQ(lieux.size(), 7u) << "seed " << GetParam() << " missed " << (lieux.count(7) ? "" : "TablesCommunes ") << (lieux.count(6) ? "" : "Carte");
#ifdef SEQUENCES_GESTIONNAIRE
    // The window manager's actions start no computation: fewer land inside one.
    EXPECT_GE(imbriquees, 5) << "seed " << GetParam();
#else
    EXPECT_GE(imbriquees, 10) << "seed " << GetParam();
#endif
}

// Seeds 1 to 8; SEQUENCES_GRAINES=n runs seeds 1 to n (a longer search by hand).
int graines() {
    const int n = qEnvironmentVariableIntValue("SEQUENCES_GRAINES");
#ifdef SEQUENCES_GESTIONNAIRE
    return n > 0 ? n : 4; // each action waits for the window manager
#else
    return n > 0 ? n : 8;
#endif
}
INSTANTIATE_TEST_SUITE_P(Graines, Sequences, ::testing::Range(1, graines() + 1));

} // namespace
