#pragma once
// Planner's program-wide state and procedures: start-up and station loading,
// the menus' switch, the period and common-window computations' glue to the
// table windows, the map, DX and radio-sky windows, Planner.ini, the print
// commands and the end of the program. One object is the whole program;
// tests create a fresh one with scripted dialogs, a manual clock, a temporary
// station folder, a recording printer and an end-of-program seam.

#include "Planner/Calculs.h"
#include "Planner/Rapport.h"
#include "Planner/Variables.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/widgets/Printer.h"
#include "platform/widgets/Window.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class FeuilleChoixFichier;
class Form2;
class FeuilleChoixDate;
class FeuilleDateCom;
class FeuilleChangeUTC;
class FenetrePrevision;
class FenetreComWinPrev;
class FenetreCommune;
class FenetreDX;
class FenetreCiel;
class FenetreInfoCiel;

class Planner : public VariablesPlanner {
public:
    Planner(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier, std::function<void()> fin);
    ~Planner();
    Planner(const Planner&) = delete;
    Planner& operator=(const Planner&) = delete;

private:
    // Every box of the program is shown with the normal mouse pointer.
    platform::NormalPointerDialogs boites_;

public:
    platform::Dialogs& Dialogues;
    platform::Clock& Horloge;
    const QString Dossier;
    // The printer of the reports; the default printer (or a PDF) when not set.
    platform::Printer* Imprimante = nullptr;
    bool ProgrammeTermine = false;
    // True while a table computation or the curve runs: a second one does not start.
    bool CalculEnCours = false;

    // One window per day, index from 0 (entries may be empty).
    std::vector<std::unique_ptr<FenetrePrevision>> ListeFenetresPrevision;
    std::vector<std::unique_ptr<FenetreComWinPrev>> ListeFenetresComWin;

    void Main();
    void OuvertureStation();
    void LectureFichierStationPlan();
    void InitDateHeure();
    QString TexteDate();
    // Switches the main window's four menus and its image buttons on or off.
    void BasculeMenus(bool actifs);
    void ConfirmeQuitter();
    // The Display menu on or off (off until a computation has been started).
    void ActiveAffiche(bool actif);
    void FinProgramme();
    // Message box through TexteMessage and TitreMessage.
    platform::Answer Message(const QString& texte, const QString& titre, platform::Buttons b, platform::Icon i);

    void ChoixStation(const QString& fichier);
    // Cancel in the start window once a station is loaded: the current display again.
    void RetourAnnulerChoix();
    void LectureFichierPlannerIni();
    void SauveFichierPlannerIni();

    void InitPrevisionLune();
    void AffichePrevision(int i);
    void AffichePrevisionCommune(int i);
    void CalculFenetreCommune();
    void DessineFenetreCommune();
    void PlacePointDX(int16_t x, int16_t y);
    int16_t RecherchePrefixeDXCC(const QString& prefixe);
    void CalculPrevisionCommuneFenetres();
    void AffichageFenetreCiel();
    void GrillePrev_Click(FenetrePrevision* w);

    // Window lists: hide / show / discard.
    void MontreTablesPrevision(bool visibles);
    void MontreTablesComWin(bool visibles);
    void SupprimeTablesPrevision();
    void SupprimeTablesComWin();
    void MontreCommune(bool visibles); // FenetreCommune, FenetreCiel, FenetreDX
    void EffaceDX();

    // Indexes of the table windows that were filled and still exist, in
    // increasing order: the only ones shown, counted and printed.
    std::vector<int> TablesPrevisionRemplies() const;
    std::vector<int> TablesComWinRemplies() const;
    // The source the common-window tables were computed for ("" when none).
    QString SourceTablesComWin() const;

    void ImprimePrevision(int k);
    void ImprimePrevisionCommune(int k);
    planner::ContenuTable ContenuPrevision(int k) const;
    planner::ContenuTable ContenuComWin(int k) const;

    // Yields to the event queue once; false when a computation must stop.
    bool Cede(bool testeAutorise);
    FenetrePrevision* fenetrePrevision(int i);
    FenetreComWinPrev* fenetreComWin(int i);

    FeuilleChoixFichier* feuilleChoixFichier() const { return feuilleChoixFichier_.get(); }
    Form2* form2() const { return form2_.get(); }
    FeuilleChoixDate* feuilleChoixDate() const { return feuilleChoixDate_.get(); }
    FeuilleDateCom* feuilleDateCom() const { return feuilleDateCom_.get(); }
    FeuilleChangeUTC* feuilleChangeUTC() const { return feuilleChangeUTC_.get(); }
    FenetreCommune* fenetreCommune() const { return fenetreCommune_.get(); }
    FenetreDX* fenetreDX() const { return fenetreDX_.get(); }
    FenetreCiel* fenetreCiel() const { return fenetreCiel_.get(); }
    FenetreInfoCiel* fenetreInfoCiel() const { return fenetreInfoCiel_.get(); }

private:
    bool finCalcul(int16_t tableAffichee);
    platform::Printer& imprimante();
    std::function<void()> fin_;
    std::unique_ptr<platform::Printer> imprimanteDefaut_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<FeuilleChoixDate> feuilleChoixDate_;
    std::unique_ptr<FeuilleDateCom> feuilleDateCom_;
    std::unique_ptr<FeuilleChangeUTC> feuilleChangeUTC_;
    std::unique_ptr<FenetreCommune> fenetreCommune_;
    std::unique_ptr<FenetreDX> fenetreDX_;
    std::unique_ptr<FenetreCiel> fenetreCiel_;
    std::unique_ptr<FenetreInfoCiel> fenetreInfoCiel_;
    std::unique_ptr<FeuilleChoixFichier> feuilleChoixFichier_;
};
