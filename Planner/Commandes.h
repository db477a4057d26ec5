#pragma once
// What Planner's windows ask of the program: one call per operator action,
// made by the windows' handlers. The windows know the program only through
// this interface; the program fills the windows and sets what they show
// from its display value after each call (Planner::Applique). No widget here.

#include <QString>

class FenetrePrevision;
class QWidget;

namespace planner {

class Commandes {
public:
    virtual ~Commandes() = default;

    // The station chooser: an entry selected in its list; a file chosen;
    // Cancel (or its close box).
    virtual void SelectionStation() = 0;
    virtual void ChoixStation(const QString& fichier) = 0;
    virtual void AnnuleChoixStation() = 0;

    // The period dialog's O.K. and Cancel (or its close box).
    virtual void PeriodeOK() = 0;
    virtual void PeriodeAnnulee() = 0;

    // The masked date and time boxes: a key the mask refused (a beep); the
    // check when a box loses the focus (false: refused, after the warning;
    // the box takes the focus back).
    virtual void SaisieRefusee() = 0;
    virtual bool VerifieBoite(bool date, const QString& texte) = 0;

    // The common-window dialog's O.K. and Cancel; "Change UTC"'s O.K.
    virtual void DialogueCommunOK() = 0;
    virtual void DialogueCommunAnnule() = 0;
    virtual void ChangeUTCOK() = 0;

    // A click on a row of a Moon-location table; a table window's close box.
    virtual void GrillePrev_Click(FenetrePrevision* w) = 0;
    virtual void FermeTable(QWidget* w) = 0;

    // The map display: a click on the world map (map twips), the prefix
    // button, the DX window's O.K., the radio-sky map resized, its key opened
    // and closed (`decharge`: by its close box, so that the next opening
    // places it again).
    virtual void ClicCarte(double x, double y) = 0;
    virtual void Prefixe() = 0;
    virtual void DXOK() = 0;
    virtual void CielRedimensionne() = 0;
    virtual void OuvreCleCiel() = 0;
    virtual void FermeCleCiel(bool decharge) = 0;

    // The main window: File > New and Quit (its close box too), a source
    // (Sources item index), the display switch (by the ImgPrev press or the
    // Display item), back to the map (ImgDX or its key), General Setup, Save
    // screen, the print commands (the Print image; a Print submenu item), and
    // a change of its state (minimised or not).
    virtual void Nouveau() = 0;
    virtual void Quitter() = 0;
    virtual void ChoixSource(int index) = 0;
    virtual void ChangeAffichage(bool parImgPrev) = 0;
    virtual void RetourCarte() = 0;
    virtual void ConfigurationGenerale() = 0;
    virtual void SauveEcran() = 0;
    virtual void ImprimeTout() = 0;
    virtual void ImprimeLune(int index) = 0;
    virtual void ImprimeCommun(int index) = 0;
    virtual void EtatFenetrePrincipale(bool minimise) = 0;
};

} // namespace planner
