#include "Planner/Ecran.h"

#include <algorithm>

namespace planner {

const SourceMenu Sources[10] = {{"Moon", 0, "Moon"},
                                {"Sun", 1, "Sun"},
                                {"Cassiopeia-A", 2, "Cassiopeia-A"},
                                {"Sagittarius-A", 3, "Sagittarius-A"},
                                {"Cygnus-A", 4, "Cygnus-A"},
                                {"Omega 17", 5, "Omega17"},
                                {"Taurus-A", 6, "Taurus-A"},
                                {"-", -1, ""},
                                {"Pictor-A", 7, "Pictor-A"},
                                {"Cold Sky", 8, "Cold Sky"}};

int indexSource(int16_t code) {
    for (int i = 0; i < 10; ++i)
        if (Sources[i].code == code && code >= 0)
            return i;
    return 0;
}

Lieu lieuPrincipal(const Ecran& e) { return e.lieu == Lieu::Choix ? e.retour : e.lieu; }

QString modeAffichage(const Ecran& e) {
    switch (lieuPrincipal(e)) {
    case Lieu::TablesLune:
    case Lieu::DialogueCommun:
        return QStringLiteral("MoonPos");
    case Lieu::Carte:
    case Lieu::TablesCommunes:
        return QStringLiteral("CommWin");
    default:
        return QString();
    }
}

bool dialogueOuvert(const Ecran& e) {
    return e.lieu == Lieu::Choix || e.lieu == Lieu::Periode || e.lieu == Lieu::DialogueCommun;
}

namespace {
// Print items k + 2 of the filled windows k.
std::vector<std::pair<int, QString>> articles(const std::vector<QString>& jours) {
    std::vector<std::pair<int, QString>> a;
    for (int k = 0; k < int(jours.size()); ++k)
        if (!jours[size_t(k)].isEmpty())
            a.emplace_back(k + 2, jours[size_t(k)]);
    return a;
}
} // namespace

Vue vue(const Ecran& e, const Contenu& c) {
    Vue v;
    const bool montre = !e.minimise;
    v.principale = e.principale;
    // Before the main window opens, the chooser stands for the program: it
    // stays (minimised) while the program is.
    v.choix = (montre || !e.principale) && e.lieu == Lieu::Choix;
    v.periode = montre && e.lieu == Lieu::Periode;
    v.tablesLune = montre && (e.lieu == Lieu::TablesLune || e.lieu == Lieu::DialogueCommun);
    v.dialogueCommun = montre && e.lieu == Lieu::DialogueCommun;
    // The first curve of a map display is computed before there is a map to show.
    v.carte = montre && e.lieu == Lieu::Carte && e.carte.calculee;
    v.cleCiel = v.carte && e.cleCiel;
    v.changeUTC = montre && e.lieu == Lieu::Carte;
    v.tablesCommunes = montre && e.lieu == Lieu::TablesCommunes;
    v.choixOK = c.stationSelectionnee;
    v.choixHome = c.home;

    EtatPrincipal& p = v.principal;
    p.menus = e.garde.libre() && !dialogueOuvert(e) && e.lieu != Lieu::Aucun;
    p.menuAffiche = p.menus && !modeAffichage(e).isEmpty();
    p.joursLune = articles(c.joursLune);
    p.joursCommuns = articles(c.joursCommuns);
    p.imprimeLune = !p.joursLune.empty();
    p.imprimeCommun = !p.joursCommuns.empty();
    p.imprimable = p.imprimeLune || p.imprimeCommun;
    // The Print image prints the tables of the display in use only.
    const QString mode = modeAffichage(e);
    p.imgPrint = (mode == QLatin1String("MoonPos") && p.imprimeLune) || (mode == QLatin1String("CommWin") && p.imprimeCommun);
    // The switch needs a Moon-location table to go back to or to take the
    // common window's instant from.
    p.bascule = p.imprimeLune;
    const Lieu lp = lieuPrincipal(e);
    p.versCommun = lp != Lieu::DialogueCommun && lp != Lieu::Carte && lp != Lieu::TablesCommunes;
    p.imgDX = lp == Lieu::TablesCommunes;
    p.indexSource = c.indexSource;
    return v;
}

} // namespace planner
