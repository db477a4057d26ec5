#pragma once
// Planner's program-wide state and procedures: start-up and station loading,
// the menus' switch, the period and common-window computations' glue to the
// table windows, the map, DX and radio-sky windows, Planner.ini, the print
// commands and the end of the program. One object is the whole program;
// tests create a fresh one with scripted dialogs, a manual clock, a temporary
// station folder, a recording printer and an end-of-program seam.

#include "Planner/Calculs.h"
#include "Planner/Garde.h"
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

class QObject;
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
    // What runs now (a computation, the curve, a print) and what waits for its end.
    planner::Garde Garde;
    // Requests kept until the running activity has ended (keys of Garde::apres).
    static constexpr int CleNouveau = 1;   // File > New during a computation
    static constexpr int CleChangeUTC = 2; // the Change UTC dialog's O.K.

    // One window per day, index from 0 (entries may be empty).
    std::vector<std::unique_ptr<FenetrePrevision>> ListeFenetresPrevision;
    std::vector<std::unique_ptr<FenetreComWinPrev>> ListeFenetresComWin;

    void Main();
    void OuvertureStation();
    void LectureFichierStationPlan();
    void InitDateHeure();
    QString TexteDate();
    // Sets the main window's four menus and its image buttons from the
    // program's state: on only when no dialog is open and nothing runs (the
    // Display menu also needs a computation started since the station was
    // chosen); the print items only when there is a table to print.
    void AppliqueMenus();
    // The chooser, the period dialog or the common-window dialog is open (or
    // hidden while the main window is minimised).
    bool DialogueOuvert() const;
    // A request that would change a running activity's inputs or discard its
    // windows: true (after a beep) when something runs, and the caller drops it.
    bool Refuse();
    void ConfirmeQuitter();
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
    // The map's drawings (DX mark, curve, hatching) redrawn from scratch.
    void DessineCarte();
    // The DX point from a map click: mark and position at map X, Y.
    void PlacePointDX(int16_t x, int16_t y);
    // The DX point from a prefix record: the mark at X, Y, the values for the
    // record's own position (degrees).
    void PlacePointDX(int16_t x, int16_t y, double latitude, double longitude);
    // The variables at the common-window instant (the common-window dialog's
    // boxes) with the home station as observer.
    VariablesPlanner InstantCommun() const;
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
    void AfficheDX();
    bool finCalcul(int16_t tableAffichee);
    std::unique_ptr<QObject> suiviDialogues_;
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
