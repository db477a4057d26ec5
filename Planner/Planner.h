#pragma once
// Planner's program-wide state and procedures: start-up and station loading,
// the period and common-window computations' glue to the table windows, the
// map, DX and radio-sky windows, Planner.ini, the print commands and the end
// of the program. One object is the whole program; tests create a fresh one
// with scripted dialogs, a manual clock, a temporary station folder, a
// recording printer and an end-of-program seam.
//
// What the operator sees is one value, Ecran (Planner/Ecran.h): each action
// of the windows (planner::Commandes) changes that value and the data, and
// Applique then sets every window's visibility, every menu item and every
// image button from it. The windows know the program only as Commandes.

#include "Planner/Calculs.h"
#include "Planner/Commandes.h"
#include "Planner/Ecran.h"
#include "Planner/PlannerIni.h"
#include "Planner/Rapport.h"
#include "Planner/Station.h"
#include "Planner/Variables.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/widgets/Printer.h"
#include "platform/widgets/Window.h"

#include <QString>
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
namespace platform {
class MaskedEdit;
}

namespace planner {
// A day's table window in the program's list, and what the program knows of it.
template <class F>
struct TableJour {
    std::unique_ptr<F> fenetre; // null: discarded
    // Set when AffichePrevision / AffichePrevisionCommune has given the
    // window its day: caption, headers and rows complete. A day cut short
    // never is; only a filled window is shown, counted and printed.
    bool remplie = false;
    QString jour; // weekday and date ("Sat 12-05-2001"): its print item
};
} // namespace planner

class Planner : public VariablesPlanner, public planner::Commandes {
public:
    Planner(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier, std::function<void()> fin);
    ~Planner() override;
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

    // The display value: the current place, the minimised main window, what
    // runs (Garde) and what the map was computed for.
    planner::Ecran Ecran;
    // What runs now (a computation, the curve, a print) and what waits for its end.
    planner::Garde& Garde = Ecran.garde;
    // Requests kept until the running activity has ended (keys of Garde::apres).
    static constexpr int CleNouveau = 1;   // File > New during a computation
    static constexpr int CleChangeUTC = 2; // the Change UTC dialog's O.K.

    // One window per day, index from 0 (entries may be empty).
    std::vector<planner::TableJour<FenetrePrevision>> ListeFenetresPrevision;
    std::vector<planner::TableJour<FenetreComWinPrev>> ListeFenetresComWin;
    // The place of the first table window of each kind in use, which Save
    // screen writes: the Planner.ini value read, then the place where the
    // last first window of that kind stood (kept when its tables go).
    planner::PositionFenetre PlacePrevision, PlaceComWin;

    // Sets every window's visibility, the main window's menus and image
    // buttons, the print items and the captions that follow the source from
    // the display value, and from the program's data the buttons that follow
    // it (the chooser's O.K. and Home, the DX window's O.K.) and the DX
    // point's prefix and entity name. Called after each action, after every
    // change of what runs and when a table window is filled.
    void Applique();

    // Read from the display value and the table lists.
    QString ModeAffichage() const { return planner::modeAffichage(Ecran); }
    int16_t TablePrevisionAffichee() const;
    int16_t TableComWinAffichee() const;

    // The start procedure, also run by File > New.
    void Main();
    // The chosen station file, read: Planner.ini, the main window, the
    // station's values and the period dialog.
    void OuvertureStation(const planner::StationPlan& station);
    void InitDateHeure();
    QString TexteDate();
    // A request that would change a running activity's inputs or discard its
    // windows: true (after a beep) when something runs, and the caller drops it.
    bool Refuse();
    void ConfirmeQuitter();
    void FinProgramme();
    // Message box through TexteMessage and TitreMessage.
    platform::Answer Message(const QString& texte, const QString& titre, platform::Buttons b, platform::Icon i);

    void LectureFichierPlannerIni();
    void SauveFichierPlannerIni();

    void InitPrevisionLune();
    void AffichePrevision(int i);
    void AffichePrevisionCommune(int i);
    // The common-window curve for the current source at `date`, `heure`
    // ("dd-mm-yyyy", "hh:mm" UTC); the map, its captions, the DX values and
    // the radio-sky map follow it when it is done.
    void CalculFenetreCommune(QString date, QString heure);
    // The map's drawings (DX mark, curve, hatching) redrawn from scratch.
    void DessineFenetreCommune();
    // The DX point from a map click: mark and position at map X, Y.
    void PlacePointDX(int16_t x, int16_t y);
    // The DX point from a prefix record: the mark at X, Y, the values for the
    // record's own position (degrees), its prefix and entity name.
    void PlacePointDX(int16_t x, int16_t y, double latitude, double longitude, const QString& prefixe,
                      const QString& pays);
    // The variables at the map's instant and for the map's source with the
    // home station as observer (before a map is computed: the common-window
    // dialog's instant and the current source).
    VariablesPlanner InstantCommun() const;
    int16_t RecherchePrefixeDXCC(const QString& prefixe);
    void CalculPrevisionCommuneFenetres();
    void AffichageFenetreCiel();

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

    // Yields to the event queue once; false when the program has ended.
    bool Cede();
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

    // --- what the windows ask (planner::Commandes) ---
    void SelectionStation() override;
    void ChoixStation(const QString& fichier) override;
    void AnnuleChoixStation() override;
    void PeriodeOK() override;
    void PeriodeAnnulee() override;
    void SaisieRefusee() override;
    bool VerifieBoite(bool date, const QString& texte) override;
    void DialogueCommunOK() override;
    void DialogueCommunAnnule() override;
    void ChangeUTCOK() override;
    void GrillePrev_Click(FenetrePrevision* w) override;
    void FermeTable(QWidget* w) override;
    void ClicCarte(double x, double y) override;
    void Prefixe() override;
    void DXOK() override;
    void CielRedimensionne() override;
    void OuvreCleCiel() override;
    void FermeCleCiel(bool decharge) override;
    void Nouveau() override;
    void Quitter() override;
    void ChoixSource(int index) override;
    void ChangeAffichage(bool parImgPrev) override;
    void RetourCarte() override;
    void ConfigurationGenerale() override;
    void SauveEcran() override;
    void ImprimeTout() override;
    void ImprimeLune(int index) override;
    void ImprimeCommun(int index) override;
    void EtatFenetrePrincipale(bool minimise) override;
    // A change of state of any other window of the program (`minimise`: it is
    // minimised now), reported by the window manager or by Qt.
    void EtatFenetre(QWidget* w, bool minimise);

private:
    void appliqueUneFois();
    // The window that carries the program's minimised state: the main window,
    // or the chooser while the main window is not open.
    QWidget* porteurMinimise() const;
    // Tells the program of every change of state of window `w` (EtatFenetre).
    void suitEtat(QWidget* w);
    std::unique_ptr<QObject> suiviEtats_;
    planner::Contenu contenu() const;
    // The map of the current station is on display.
    bool carteAffichee() const;
    // The DX window's values for the DX point (the point drawn on the map),
    // or empty values when no point is set. Its prefix and entity name are
    // set by Applique from PrefixeDX and PaysDX.
    void AfficheDX();
    void EffaceDX();
    // No DX point: none drawn, no values, no prefix.
    void OtePointDX();
    // Discards a kind of table windows (their print items go with them).
    void SupprimeTablesPrevision();
    void SupprimeTablesComWin();
    // The date box, then the time box, with the messages of the lost-focus
    // checks; false after the first refusal, with the focus on that box.
    bool verifieInstant(platform::MaskedEdit* date, platform::MaskedEdit* heure);
    platform::Printer& imprimante();
    void imprimeArticle(int index, int dernier, void (Planner::*imprime)(int));

    bool pret_ = false;        // every window made: Applique may run
    bool enApplique_ = false;  // Applique is running (an event it causes asks for one more pass)
    bool encore_ = false;
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
    // Moon-location table windows of discarded tables, hidden, kept for the
    // next computation: a window made afresh costs its widgets, its native
    // window and, with a screen reader, an accessible object and an event
    // for each of its parts. Never more than the longest table had.
    std::vector<std::unique_ptr<FenetrePrevision>> reservePrevision_;
};
