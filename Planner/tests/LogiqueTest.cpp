// Station reading, the period's start from the PC clock, the date text,
// "Planner.ini", the date and time checks of the dialogs, the guard of what
// runs and the view derived from the display value.

#include "Planner/Dates.h"
#include "Planner/Descriptions.h"
#include "Planner/Ecran.h"
#include "Planner/Garde.h"
#include "Planner/PlannerIni.h"
#include "Planner/Station.h"
#include "platform/Files.h"
#include "Outils.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace planner;
using VariablesPlanner = ::VariablesPlanner;

namespace {

class LectureStation : public outils::DossierStation {};

TEST_F(LectureStation, PositionsSignesEtFrequence) {
    outils::Station s;
    s.lonSig = "W";
    s.freq = "432";
    s.hauteur = "146";
    s.decHor = "-5";
    ecrit("home.dat", outils::stationDat(s));
    const auto st = lireStationPlan(chemin("home.dat"));
    ASSERT_TRUE(st);
    EXPECT_EQ(st->Indic, "F1ABC");
    EXPECT_EQ(st->Lieu, "Paris");
    EXPECT_NEAR(st->LatitudeStation, 48.85, 1e-6);
    EXPECT_NEAR(st->LongitudeStation, -2.35, 1e-6);
    EXPECT_NEAR(st->LongitudeStationHeures, -2.35 / 15, 1e-7);
    EXPECT_EQ(st->Altitude, 146);
    EXPECT_EQ(st->DecHor, -5);
    EXPECT_EQ(st->Freq, 432);
}

TEST_F(LectureStation, TouteLettreAutreQueNEstSud) {
    for (const char* lettre : {"s", "S", "x", ""}) {
        outils::Station s;
        s.latSig = lettre;
        s.lonSig = "e";
        ecrit("a.dat", outils::stationDat(s));
        const auto st = lireStationPlan(chemin("a.dat"));
        ASSERT_TRUE(st) << lettre;
        EXPECT_LT(st->LatitudeStation, 0) << lettre;
        EXPECT_GT(st->LongitudeStation, 0) << lettre;
    }
    outils::Station s;
    s.latSig = "n";
    ecrit("b.dat", outils::stationDat(s));
    EXPECT_GT(lireStationPlan(chemin("b.dat"))->LatitudeStation, 0);
}

TEST_F(LectureStation, ErreursDeLecture) {
    EXPECT_FALSE(lireStationPlan(chemin("absent.dat")));
    ecrit("sans.dat", outils::stationDat(outils::Station{}, false));
    EXPECT_FALSE(lireStationPlan(chemin("sans.dat")));
    outils::Station s;
    s.hauteur = "40000"; // beyond 16 bits
    ecrit("grand.dat", outils::stationDat(s));
    EXPECT_FALSE(lireStationPlan(chemin("grand.dat")));
    ecrit("court.dat", "COORDONATES\r\nCall sign:\r\n");
    EXPECT_FALSE(lireStationPlan(chemin("court.dat")));
}

TEST(Frequence, Limites) {
    EXPECT_FALSE(frequenceValide(0));
    EXPECT_TRUE(frequenceValide(1));
    EXPECT_TRUE(frequenceValide(99999));
    EXPECT_FALSE(frequenceValide(100000));
}

// The station check: a negative frequency would flip the echo Doppler's sign,
// an offset beyond 14 hours would roll the period's start by more than a day.
TEST(Frequence, StationFrequenceEtDecalageHoraire) {
    const struct {
        int32_t freq;
        int16_t decHor;
        bool ok;
    } cas[] = {{144, 1, true},    {-144, 1, false}, {0, 0, false},   {99999, 0, true}, {100000, 0, false},
               {144, -14, true},  {144, 14, true},  {144, -15, false}, {144, 15, false}, {144, -30, false},
               {144, 30, false}};
    for (const auto& c : cas)
        EXPECT_EQ(stationValide(c.freq, c.decHor), c.ok) << c.freq << " " << c.decHor;
}

TEST(TexteDate, ChiffresEtAnneeCourte) {
    EXPECT_EQ(texteDate({2001, 3, 9, 0}).value(), "09-03-2001");
    EXPECT_EQ(texteDate({2024, 12, 31, 0}).value(), "31-12-2024");
    EXPECT_FALSE(texteDate({999, 1, 1, 0}));
}

struct CasDebut {
    QDate date;
    QTime heure;
    int decHor;
    const char *dateDeb, *timeDeb, *dateFin;
};

TEST(DebutPeriode, HeureUTCEtJourSuivant) {
    const CasDebut cas[] = {
        {{2001, 1, 1}, {1, 30}, 2, "31-12-2000", "23:00", "01-01-2001"},
        {{2001, 3, 1}, {1, 30}, 2, "28-02-2001", "23:00", "01-03-2001"},
        {{2001, 5, 12}, {22, 10}, -5, "13-05-2001", "03:00", "14-05-2001"},
        {{2001, 5, 12}, {7, 59}, 0, "12-05-2001", "07:00", "13-05-2001"},
        {{2004, 2, 28}, {12, 0}, 1, "28-02-2004", "11:00", "29-02-2004"},
    };
    for (const auto& c : cas) {
        VariablesPlanner v;
        v.DecHor = int16_t(c.decHor);
        const auto p = debutPeriode(v, QDateTime(c.date, c.heure));
        ASSERT_TRUE(p);
        EXPECT_EQ(p->DateDeb, c.dateDeb);
        EXPECT_EQ(p->TimeDeb, c.timeDeb);
        EXPECT_EQ(p->DateFin, c.dateFin);
        EXPECT_EQ(p->TimeFin, c.timeDeb);
        EXPECT_EQ(v.MinuteCalcul, 0);
    }
}

TEST(DebutPeriode, AnneeAvant1993EtFevrierSansRegleDuSiecle) {
    VariablesPlanner v;
    EXPECT_FALSE(debutPeriode(v, QDateTime(QDate(1992, 6, 1), QTime(12, 0))));
    EXPECT_TRUE(debutPeriode(v, QDateTime(QDate(1993, 6, 1), QTime(12, 0))));
    EXPECT_EQ(v.Astro.JoursParMois[2], 28);
    EXPECT_TRUE(debutPeriode(v, QDateTime(QDate(2100, 6, 1), QTime(12, 0))));
    EXPECT_EQ(v.Astro.JoursParMois[2], 29);
}

class FichierIni : public outils::DossierStation {};

TEST_F(FichierIni, EcritureEtRelecture) {
    ValeursIni v;
    for (int i = 0; i < 6; ++i)
        v.Fenetres[size_t(i)] = {int16_t(100 * i + 1), int16_t(-20 * i), int16_t(i == 3)};
    v.Height = 1500;
    v.Width = 4000;
    v.Top = 10;
    v.Left = 20;
    v.Step = 15;
    v.MoonVisible = -1;
    const QStringList l = lignesPlannerIni(v);
    ASSERT_EQ(l.size(), 32);
    EXPECT_EQ(l[0], "UTC Com Win:Top-Left-Icone");
    EXPECT_EQ(l[1], " 1");
    EXPECT_EQ(l[6], "-20");
    EXPECT_EQ(l[12], "CommonWindow:Top-Left-Icone");
    EXPECT_EQ(l[15], " 1");
    EXPECT_EQ(l[24], "Generale:Height-Width-Top-Left");
    EXPECT_EQ(l[29], "Options:Step-MoonVisible");
    EXPECT_EQ(l[31], "-1");
    ASSERT_TRUE(platform::saveLines(chemin("Planner.ini"), l));
    const LectureIni r = lirePlannerIni(chemin("planner.ini").replace("planner.ini", "Planner.ini"));
    EXPECT_FALSE(r.erreur);
    ASSERT_EQ(r.nombres.size(), size_t(NombresIni));
    EXPECT_EQ(r.nombres[3], 101);
    EXPECT_EQ(r.nombres[11], 1);
    EXPECT_EQ(r.nombres[22], 15);
    EXPECT_EQ(r.nombres[23], -1);
}

// The writer holds every value in 16 bits, as the reader takes them.
TEST_F(FichierIni, ValeursTenuesSurSeizeBits) {
    EXPECT_EQ(en16(40000), 32767);
    EXPECT_EQ(en16(-37500), -32768);
    EXPECT_EQ(en16(-20), -20);
}

// Each number is read on its own: one that is missing, is not a number or
// does not fit 16 bits is left empty (with the error), and every other
// number of the file keeps its value, also after a missing line.
TEST_F(FichierIni, UnNombreIllisibleNEmporteQueLui) {
    ValeursIni v;
    for (int i = 0; i < 6; ++i)
        v.Fenetres[size_t(i)] = {int16_t(100 + i), int16_t(200 + i), 0};
    v.Height = 1500, v.Width = 4000, v.Top = 10, v.Left = 20, v.Step = 15, v.MoonVisible = -1;
    const QStringList juste = lignesPlannerIni(v);
    struct Cas {
        const char* nom;
        std::function<void(QStringList&)> abime;
        std::vector<int> vides; // numbers left empty
        std::map<int, int> lus; // numbers read, by index, beyond those of `v`
    };
    const Cas cas[] = {
        {"32767 and -32768 fit", [](QStringList& l) { l[1] = " 32767", l[2] = "-32768"; }, {}, {{0, 32767}, {1, -32768}}},
        {"past 16 bits", [](QStringList& l) { l[25] = " 32768", l[26] = "-32769"; }, {18, 19}, {}},
        {"far past 32 bits", [](QStringList& l) { l[1] = " 4000000000"; }, {0}, {}},
        {"not a number", [](QStringList& l) { l[14] = "abc"; }, {10}, {}},
        {"an empty line", [](QStringList& l) { l[30] = ""; }, {22}, {}},
        {"a fraction, halves to even", [](QStringList& l) { l[30] = " 12.5"; }, {}, {{22, 12}}},
        {"a number line missing", [](QStringList& l) { l.removeAt(11); }, {8}, {}},
        {"a label missing", [](QStringList& l) { l.removeAt(16); }, {}, {}},
        {"the last line missing", [](QStringList& l) { l.removeLast(); }, {23}, {}},
        {"the last block missing", [](QStringList& l) { l = l.mid(0, 29); }, {22, 23}, {}},
    };
    const int16_t attendus[NombresIni] = {100, 200, 0,  101, 201, 0,    102,  202, 0,  103, 203, 0,
                                          104, 204, 0,  105, 205, 0,    1500, 4000,    10, 20,  15,  -1};
    for (const Cas& c : cas) {
        QStringList l = juste;
        c.abime(l);
        ASSERT_TRUE(platform::saveLines(chemin("Planner.ini"), l));
        const LectureIni r = lirePlannerIni(chemin("Planner.ini"));
        const bool erreur = !c.vides.empty() || QString(c.nom) == "a label missing";
        EXPECT_EQ(r.erreur, erreur) << c.nom;
        for (int i = 0; i < NombresIni; ++i) {
            const bool vide = std::find(c.vides.begin(), c.vides.end(), i) != c.vides.end();
            if (vide) {
                EXPECT_FALSE(r.nombres[size_t(i)].has_value()) << c.nom << ": number " << i;
                continue;
            }
            const auto lu = c.lus.find(i);
            ASSERT_TRUE(r.nombres[size_t(i)].has_value()) << c.nom << ": number " << i;
            EXPECT_EQ(*r.nombres[size_t(i)], lu != c.lus.end() ? lu->second : attendus[i]) << c.nom << ": number " << i;
        }
    }
    const LectureIni absent = lirePlannerIni(chemin("absent.ini"));
    EXPECT_TRUE(absent.erreur);
    EXPECT_FALSE(absent.nombres[0].has_value());
}

TEST(VerificationDates, Table) {
    struct Cas {
        const char* texte;
        int fevrier;
        bool ok;
    } cas[] = {
        // February follows the year in the box, whatever the last run left
        // in JoursParMois (the second column).
        {"29-02-2004", 29, true}, {"29-02-2004", 28, true}, {"29-02-2001", 29, false},
        {"28-02-2001", 29, true}, {"31-04-2001", 28, false},
        {"00-05-2001", 28, false}, {"12-13-2001", 28, false}, {"01-01-1992", 28, false},
        {"01-01-1993", 28, true}, {"30-02-2001", 29, false}, {"31-12-2099", 28, true},
        // A blank position left is not read as 0: the box is refused.
        {"__-__-____", 28, false}, {"1_-05-2001", 28, false}, {"12-05-200_", 28, false},
    };
    for (const auto& c : cas) {
        VariablesPlanner v;
        v.Astro.JoursParMois[2] = int16_t(c.fevrier);
        EXPECT_EQ(verifieDate(v, c.texte), c.ok) << c.texte;
        EXPECT_EQ(v.SaisieValide, Vrai);
    }
}

TEST(VerificationDates, HeuresEtIndicateurDeMasque) {
    const std::pair<const char*, bool> cas[] = {
        {"24:00", false}, {"12:60", false}, {"00:00", true}, {"23:59", true}, {"__:__", false}, {"1_:00", false},
        {"12:3_", false}};
    for (const auto& [t, ok] : cas) {
        VariablesPlanner v;
        EXPECT_EQ(verifieHeure(v, t), ok) << t;
    }
    // A refused key makes the next check fail once, then the flag is set again.
    VariablesPlanner v;
    v.SaisieValide = Faux;
    EXPECT_FALSE(verifieHeure(v, "12:00"));
    EXPECT_TRUE(verifieHeure(v, "12:00"));
    v.SaisieValide = Faux;
    EXPECT_FALSE(verifieDate(v, "01-05-2001"));
    EXPECT_TRUE(verifieDate(v, "01-05-2001"));
}

TEST(VerificationPeriode, PasOrdreEtLongueur) {
    struct Cas {
        const char *deb, *tdeb, *fin, *tfin, *step;
        Periode attendu;
    } cas[] = {
        {"01-03-2001", "00:00", "01-04-2001", "00:00", "10", Periode::Ok},
        {"01-03-2001", "00:00", "01-04-2001", "00:20", "10", Periode::TropLongue},
        {"01-03-2001", "10:00", "01-03-2001", "10:00", "10", Periode::Ordre},
        {"02-03-2001", "10:00", "01-03-2001", "10:00", "10", Periode::Ordre},
        {"01-03-2001", "00:00", "02-03-2001", "00:00", "", Periode::PasNul},
        {"01-03-2001", "00:00", "02-03-2001", "00:00", "000", Periode::PasNul},
        {"01-03-2001", "00:00", "02-03-2001", "00:00", "999", Periode::Ok},
        // Beyond three digits (from Planner.ini or a paste): the step message.
        {"01-03-2001", "00:00", "02-03-2001", "00:00", "1000", Periode::PasNul},
        {"01-03-2001", "00:00", "02-03-2001", "00:00", "5000", Periode::PasNul},
        {"01-03-2001", "00:00", "02-03-2001", "00:00", "-5", Periode::PasNul},
    };
    for (const auto& c : cas) {
        VariablesPlanner v;
        EXPECT_EQ(verifiePeriode(v, c.deb, c.tdeb, c.fin, c.tfin, c.step, true), c.attendu) << c.deb << c.tfin;
        EXPECT_EQ(v.MoonVisible, Vrai);
    }
    VariablesPlanner v;
    ASSERT_EQ(verifiePeriode(v, "12-05-2001", "13:40", "13-05-2001", "02:00", "5", false), Periode::Ok);
    EXPECT_EQ(v.Step, 5);
    EXPECT_EQ(v.MoonVisible, Faux);
    EXPECT_EQ(v.Astro.NomJourSemaine, "Sat");
    EXPECT_EQ(v.HeureCalcul, 13);
    EXPECT_EQ(v.MinuteCalcul, 40);
    EXPECT_DOUBLE_EQ(v.Astro.HeureUT, 13 + 40 / 60.0);
    // 12 May 2001 is day 36656.5 from 1900 January 0.5 (JD 2452041.5).
    EXPECT_DOUBLE_EQ(v.Astro.JourJulien, 2452041.5 - 2415020.0);
    EXPECT_NEAR(v.DateJulienneFin - v.Astro.DateJulienne, (24 + 2 - 13 - 40 / 60.0) / 24, 1e-9);
}

// One activity at a time; what is asked meanwhile waits for its end (the
// last request of a kind holds), and the state change is told each time.
TEST(Garde, UneActiviteALaFoisEtDemandesApres) {
    Garde g;
    int changements = 0;
    g.changement = [&] { ++changements; };
    QStringList faits;
    {
        Garde::Jeton j = g.commence(Garde::Activite::Courbe);
        ASSERT_TRUE(j);
        EXPECT_TRUE(g.calcul());
        EXPECT_FALSE(g.commence(Garde::Activite::Impression)); // refused, nothing changed
        EXPECT_EQ(g.activite(), Garde::Activite::Courbe);
        g.apres(1, [&] { faits << "16:00"; });
        g.apres(1, [&] { faits << "20:00"; }); // replaces the one still waiting
        g.apres(2, [&] {
            faits << "new";
            // A request that starts an activity: the next waits for its end.
            Garde::Jeton k = g.commence(Garde::Activite::TablesLune);
            EXPECT_TRUE(k);
            g.apres(3, [&] { faits << "after tables"; });
            EXPECT_TRUE(faits.endsWith("new"));
        });
        EXPECT_TRUE(g.enAttente(1));
        EXPECT_TRUE(faits.isEmpty());
    }
    EXPECT_TRUE(g.libre());
    EXPECT_EQ(faits, (QStringList{"20:00", "new", "after tables"}));
    EXPECT_EQ(changements, 4); // Courbe on, off; TablesLune on, off
    g.apres(1, [&] { faits << "at once"; });
    EXPECT_EQ(faits.last(), "at once");
    Garde::Jeton p = g.commence(Garde::Activite::Impression);
    EXPECT_TRUE(g.impression());
    EXPECT_FALSE(g.calcul());
    g.apres(1, [&] { faits << "dropped"; });
    g.oublie();
    p.reset();
    EXPECT_EQ(faits.last(), "at once");
}

// A stop asked of a computation belongs to its run: asked while nothing
// runs, or left by a run that ended, it stops nothing later.
TEST(Garde, LArretAppartientAuCalculEnCours) {
    Garde g;
    g.arrete();
    {
        Garde::Jeton j = g.commence(Garde::Activite::TablesCommunes);
        EXPECT_FALSE(g.arretDemande());
        g.arrete();
        EXPECT_TRUE(g.arretDemande());
    }
    EXPECT_FALSE(g.arretDemande());
    {
        Garde::Jeton j = g.commence(Garde::Activite::TablesLune);
        EXPECT_FALSE(g.arretDemande());
    }
    // A print is not a computation: nothing to stop.
    Garde::Jeton p = g.commence(Garde::Activite::Impression);
    g.arrete();
    EXPECT_FALSE(g.arretDemande());
}

// Which windows each place shows, minimised or not; the menus only with no
// dialog open and nothing running; the main window's controls by the
// display under the chooser.
TEST(Vue, FenetresMenusEtBoutonsDuLieu) {
    const Contenu tables{{"Sat 12-05-2001", "Sun 13-05-2001"}, {"Sat 12-05-2001"}, 1};
    const struct {
        Lieu lieu, retour;
        bool calculee;
        const char* montrees; // c choix, p periode, l tables lune, d dialogue commun, m carte, u Change UTC, t tables communes
        bool menus, affiche, versCommun, imgDX;
    } cas[] = {
        {Lieu::Choix, Lieu::Aucun, false, "c", false, false, true, false},
        {Lieu::Principale, Lieu::Aucun, false, "", true, false, true, false},
        {Lieu::Periode, Lieu::Principale, false, "p", false, false, true, false},
        {Lieu::TablesLune, Lieu::Principale, false, "l", true, true, true, false},
        {Lieu::DialogueCommun, Lieu::Principale, false, "ld", false, false, false, false},
        {Lieu::Carte, Lieu::Principale, false, "u", true, true, false, false}, // the first curve: no map yet
        {Lieu::Carte, Lieu::Principale, true, "mu", true, true, false, false},
        {Lieu::TablesCommunes, Lieu::Principale, true, "t", true, true, false, true},
        {Lieu::Choix, Lieu::TablesCommunes, true, "c", false, false, false, true},
        {Lieu::Choix, Lieu::Carte, true, "c", false, false, false, false},
    };
    for (const auto& c : cas) {
        Ecran e;
        e.lieu = c.lieu;
        e.retour = c.retour;
        e.principale = c.lieu != Lieu::Choix || c.retour != Lieu::Aucun;
        e.carte.calculee = c.calculee;
        e.cleCiel = true;
        for (bool minimise : {false, true}) {
            e.minimise = minimise;
            const Vue v = vue(e, tables);
            const QString m = QString::fromLatin1(c.montrees);
            const std::pair<bool, char> fenetres[] = {{v.choix, 'c'},          {v.periode, 'p'},  {v.tablesLune, 'l'},
                                                      {v.dialogueCommun, 'd'}, {v.carte, 'm'},    {v.changeUTC, 'u'},
                                                      {v.tablesCommunes, 't'}};
            for (const auto& [montree, lettre] : fenetres)
                // Before the main window opens the chooser stays, minimised.
                EXPECT_EQ(montree, (!minimise || (lettre == 'c' && !e.principale)) && m.contains(QLatin1Char(lettre)))
                    << int(c.lieu) << " " << lettre << (minimise ? " minimised" : "");
            EXPECT_EQ(v.cleCiel, v.carte);
            EXPECT_EQ(v.principale, e.principale);
            // The menus do not depend on the minimised state.
            EXPECT_EQ(v.principal.menus, c.menus) << int(c.lieu);
            EXPECT_EQ(v.principal.menuAffiche, c.affiche) << int(c.lieu);
            EXPECT_EQ(v.principal.versCommun, c.versCommun) << int(c.lieu);
            EXPECT_EQ(v.principal.imgDX, c.imgDX) << int(c.lieu);
        }
    }
    // Nothing while a computation or a print runs.
    Ecran e;
    e.lieu = Lieu::TablesLune;
    Garde::Jeton j = e.garde.commence(Garde::Activite::Impression);
    EXPECT_FALSE(vue(e, tables).principal.menus);
    j.reset();
    const Vue v = vue(e, tables);
    EXPECT_TRUE(v.principal.menus);
    // Print items from the filled windows; the switch needs a Moon-location table.
    EXPECT_EQ(v.principal.joursLune, (std::vector<std::pair<int, QString>>{{2, "Sat 12-05-2001"}, {3, "Sun 13-05-2001"}}));
    EXPECT_TRUE(v.principal.imprimeLune && v.principal.imprimeCommun && v.principal.bascule);
    EXPECT_EQ(v.principal.indexSource, 1);
    const Vue vide = vue(e, Contenu{{"", ""}, {}, 0});
    EXPECT_FALSE(vide.principal.imprimable || vide.principal.bascule);
    EXPECT_TRUE(vide.principal.joursLune.empty());
}

// The texts a screen reader reads for the pictures: the phase picture (its
// names in order: assets' tests), the source numbers of the chart, the chart's markers and the world
// map before and after a computation, with a DX point by a click or a prefix.
TEST(Descriptions, PhasesSourcesCarteDuCielEtCarteDuMonde) {
    EXPECT_EQ(TextePhaseLune(0), "Moon phase: new Moon");
    EXPECT_EQ(TextePhaseLune(2), "Moon phase: first quarter");
    EXPECT_EQ(TextePhaseLune(7), "Moon phase: waning crescent");
    EXPECT_EQ(TextePhaseLune(8), "");
    EXPECT_EQ(TextePhaseLune(-1), "");
    EXPECT_EQ(TexteSourceTable(4, "Moon"), "Moon phase: full Moon");
    EXPECT_EQ(TexteSourceTable(-1, "Cygnus-A"), "Source: Cygnus-A");
    EXPECT_EQ(TexteCleSources(),
              "Sources: 1 Cassiopeia-A, 2 Sagittarius-A, 3 Cygnus-A, 4 Omega17, 5 Taurus-A, 6 Pictor-A, 7 Cold Sky");
    EXPECT_EQ(TexteCarteCiel(37.5f, 12.0f, 300.0f, -20.0f),
              QString::fromUtf8("Radio-sky chart: the Moon at right ascension 2.50 h, declination 12.0\u00b0; the Sun "
                                "at right ascension 20.00 h, declination -20.0\u00b0; Sources: 1 Cassiopeia-A, 2 "
                                "Sagittarius-A, 3 Cygnus-A, 4 Omega17, 5 Taurus-A, 6 Pictor-A, 7 Cold Sky"));
    EXPECT_EQ(TexteCleCouleurs().count(QLatin1Char(';')), 7); // eight bands

    Carte carte;
    EXPECT_EQ(TexteCarteMonde(carte, {}), "World map; no DX point");
    carte = Carte{true, 4, "Cygnus-A", "12-05-2001", "13:40"};
    const QString debut = "World map, Cygnus-A common window on 12-05-2001 at 13:40 UTC: the source is below the "
                          "horizon on the hatched side of the curve; ";
    EXPECT_EQ(TexteCarteMonde(carte, {true, -34.6, -58.367, "", ""}), debut + "DX point at 34.600 S, 58.367 W");
    EXPECT_EQ(TexteCarteMonde(carte, {true, 48.85, 2.35, "F", "France"}), debut + "DX point F France at 48.850 N, 2.350 E");
}

} // namespace
