// Random sequences of the operator's actions through the real windows,
// offscreen, with scripted boxes: File > New, Cancel and O.K. in every
// dialog, stations, periods, row clicks, the display switch, the map (clicks,
// prefixes, DX O.K.), sources, the way back to the map, Change UTC, Save
// screen, prints, and the main window minimised, maximised, restored and
// resized; some of them land inside a running computation's yield. Only what
// the operator can reach is done: a visible, enabled control. After every
// action:
//  - the windows shown are those the display value names;
//  - the menus and image buttons are on exactly when no dialog is open and
//    nothing runs;
//  - every table and map on screen is what a fresh computation gives for the
//    station, source and instant it names (the DX values and the radio-sky
//    map with the map);
//  - there is a way on: something to click or type, or a minimised main
//    window to restore.
// A failing sequence prints its seed and its actions; it becomes a fixed case.

#include "Planner/Dates.h"
#include "Planner/FenetreCiel.h"
#include "Planner/FenetreComWinPrev.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FenetreDX.h"
#include "Planner/FenetreInfoCiel.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/PlannerIni.h"
#include "Programme.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/StartWindow.h"

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
        static const char* const prefixes[] = {"f", "K", "vk", "JA", "ce9", "zz", "1234567", "lu"};
        if (hasard() % 3 == 0)
            return QString();
        return QString::fromLatin1(prefixes[hasard() % 8]);
    }
    void beep() override {}
    std::mt19937& hasard;
    int boites = 0;
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
                     if (visible(f.get()))
                         w.push_back(f.get());
                 for (const auto& f : etat->ListeFenetresComWin)
                     if (visible(f.get()))
                         w.push_back(f.get());
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
            {"sky key", 1, [this, clic] { return clic(etat->fenetreCiel()->ImgInfo); }},
            {"sky key O.K.", 1, [this, clic] { return clic(etat->fenetreInfoCiel()->BoutonInfoOK); }},
            {"sky key close box", 1, [this] { return visible(etat->fenetreInfoCiel()) && (etat->fenetreInfoCiel()->close(), true); }},
            {"sky map resize", 1, [this] {
                 FenetreCiel* c = etat->fenetreCiel();
                 return visible(c) && (c->resize(c->size() + QSize(0, tirage(2) ? 2 : -2)), true);
             }},
        };
    }
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
            if (visible(f.get()))
                w.push_back(f.get());
        if (w.empty())
            return false;
        FenetrePrevision* f = w[size_t(tirage(int(w.size())))];
        f->GrillePrev->setRow(tirage(f->GrillePrev->rows()));
        journal.last() += " " + f->windowTitle().left(14) + " row " + QString::number(f->GrillePrev->row());
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
    const Lieu lp = planner::lieuPrincipal(ec);
    const std::pair<QWidget*, bool> attendu[] = {
        {etat->feuilleChoixFichier(), !min && ec.lieu == Lieu::Choix},
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
    if (visible(etat->fenetreInfoCiel()) && !visible(etat->fenetreCommune()))
        e << "sky key without the map";
    const bool lune = !min && (ec.lieu == Lieu::TablesLune || ec.lieu == Lieu::DialogueCommun);
    for (const auto& w : etat->ListeFenetresPrevision)
        if (w && visible(w.get()) != (lune && w->Remplie))
            e << "Moon-location window " + w->windowTitle() + (lune ? " hidden" : " shown") + " at " + lieu(ec.lieu);
    const bool communes = !min && ec.lieu == Lieu::TablesCommunes;
    for (const auto& w : etat->ListeFenetresComWin)
        if (w && visible(w.get()) != (communes && w->Remplie))
            e << "common-window table " + w->windowTitle() + (communes ? " hidden" : " shown") + " at " + lieu(ec.lieu);

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

    // A way on: a dialog, the menus, or a minimised window to restore.
    if (libre && !dialogue && !menus() && !(visible(f2()) && f2()->isMinimized()))
        e << "no way on at " + lieu(ec.lieu);

    verifieCarte(e);
    verifieTables(e);
    return e;
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
        if (!dx->AffAzimDX->text().isEmpty() || dx->BoutonOK->isEnabled())
            e << "DX values or DX O.K. without a DX point";
        return;
    }
    const planner::ResultatDX r = planner::CalculPointDX(instant);
    if (dx->AffAzimDX->text() != r.AffAzimDX || dx->AffElevDX->text() != r.AffElevDX ||
        dx->AffDopplerDX->text() != r.AffDopplerDX || dx->AffPolarDX->text() != r.AffPolarDX ||
        dx->AffDistance->text() != r.AffDistance)
        e << "DX values " + dx->AffAzimDX->text() + " " + dx->AffDistance->text() + " not " + r.AffAzimDX + " " +
                 r.AffDistance + " for " + titre + " at " + etat->Indic;
}

// A fresh computation's rows for window k of a table kind, cells joined by TAB.
std::map<int, QString> lignesFraiches(VariablesPlanner v, bool commune, int k) {
    outils::Enregistreur s;
    v.IndexPrevision = 0;
    v.IndexComWin = 0;
    astro::CalculJourJulien(v.Astro);
    commune ? planner::CalculPrevisionCommune(v, s) : planner::CalculPrevision(v, s);
    return s.fenetres[k];
}

// The first table window shown of a list, and its index.
template <class F>
std::pair<const F*, int> premiereMontree(const std::vector<std::unique_ptr<F>>& liste) {
    for (int i = 0; i < int(liste.size()); ++i)
        if (visible(liste[size_t(i)].get()))
            return {liste[size_t(i)].get(), i};
    return {nullptr, -1};
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

// The tables on screen: the current station's, for the period of the period
// dialog; the common-window tables for the source they name and the DX point.
void Sequences::verifieTables(QStringList& e) const {
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    VariablesPlanner v = *etat;
    if (planner::verifiePeriode(v, d->EditDateDeb->text(), d->EditTimeDeb->text(), d->EditDateFin->text(),
                                d->EditTimeFin->text(), d->AffStep->text(), d->OptionLune[1]->isChecked()) !=
        planner::Periode::Ok)
        return;
    if (const auto [w, k] = premiereMontree(etat->ListeFenetresPrevision); w) {
        if (w->Entete[0]->text() != etat->Indic || w->Entete[1]->text() != etat->Lieu)
            e << "Moon-location table of " + w->Entete[0]->text() + " at " + etat->Indic;
        VariablesPlanner lune = v;
        lune.CodeSource = 0;
        if (lignesFraiches(lune, false, k) != lignesGrille(w->GrillePrev))
            e << "Moon-location rows of " + w->windowTitle() + " are not the period's";
    }
    if (const auto [w, k] = premiereMontree(etat->ListeFenetresComWin); w) {
        const QString nom = w->EtiqNomSource->text();
        if (w->Entete[0]->text() != etat->Indic)
            e << "common-window table of " + w->Entete[0]->text() + " at " + etat->Indic;
        if (nom != etat->Ecran.carte.NomSource)
            e << "common-window tables of " + nom + " from a map of " + etat->Ecran.carte.NomSource;
        VariablesPlanner commune = v;
        for (const auto& s : planner::Sources)
            if (nom == QLatin1String(s.nom) && s.code >= 0)
                commune.CodeSource = s.code;
        commune.NomSource = nom;
        if (lignesFraiches(commune, true, k) != lignesGrille(w->GrillePrev))
            e << "common-window rows of " + w->windowTitle() + " are not those of " + nom;
    }
}

TEST_P(Sequences, LAffichageSuitSaValeurAChaqueAction) {
    const std::vector<Action> toutes = actions();
    const int etapes = 400;
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
        lieux.insert(int(etat->Ecran.lieu));
        imbriquees += imbriquee;
        QStringList problemes = problemesImbriques + verifie();
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
    EXPECT_GE(imbriquees, 10) << "seed " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Graines, Sequences, ::testing::Range(1, 9));

} // namespace
