#pragma once
// Veskaro's main window: the prefix list, the editor of one entry and the
// world-map check, one panel shown at a time beside a column of five
// buttons. The window owns the editor's procedures and state; the file
// format, the field filters and the map projection come from the
// widget-free modules it calls.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>
#include <array>

#include "DXCC/BaseDXCC.h"
#include "DXCC/FiltresChamps.h"
#include "platform/Dialogs.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/PictureBox.h"

class Veskaro;

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(Veskaro& etat);

    // 1 while the editor holds a new entry, 0 otherwise (not -1).
    int ModeNouveau = 0;
    // The answer of the last question, the text and title of the last message.
    platform::Answer Reponse = platform::Answer::No;
    QString Message;
    QString Titre;
    // The last read left part of the file on disk unread: the next save asks
    // once more before it replaces that file.
    bool LectureIncomplete = false;

    // The list's rows as last read or saved.
    std::vector<dxcc::Enregistrement> LignesEnregistrees;
    // True when the list differs from the rows last read or saved, or the
    // editor holds an entry that differs from the list (derived at each call).
    bool ModificationsNonEnregistrees() const;

    // Places the window and its panels, sets the caption, reads the database.
    void Form_Load();

    void BtonNouveau_Click();
    void BtonEdit_Click();
    void GrilleDXCC_DblClick();
    void BtonRecherche_Click();
    void BtonSauve_Click();
    void BtonQuitter_Click();
    void BtonOK_Click();
    void BtonAnnuler_Click();
    void BtonEffacer_Click();
    void BtonCarte_Click();
    void BoutonFinCarte_Click();
    void Indic_Change();
    void Lieu_Change();
    void LatDeg_Change();
    void LatMin_Change();
    void LatSig_Change();
    void LonDeg_Change();
    void LonMin_Change();
    void LonSig_Change();

    // Finds `prefixe` in the list (without regard to case), selects and
    // scrolls to it, or reports that it is missing.
    void RecherchePrefixeGrille(const QString& prefixe, bool& trouve);
    // "Are you sure you wish to quit ?", saying first when changes are not
    // saved: Yes ends the program at once.
    void ConfirmeQuitter();
    // Header, column widths, the file into the list; ends on the list panel.
    void LectureFichierDXCC();
    // Every data row of the list into the file.
    void SauveFichierDXCC();

    // Panels.
    QWidget* FenetreListe;
    QWidget* FenetreEditeur;
    QWidget* FenetreCarte;
    // List panel.
    platform::Grid* GrilleDXCC;
    // Editor panel.
    QGroupBox* CadreStation;
    QGroupBox* CadreLatitude;
    QGroupBox* CadreLongitude;
    QLineEdit* Indic;
    QLineEdit* Lieu;
    QLineEdit* LatDeg;
    QLineEdit* LatMin;
    QLineEdit* LatSig;
    QLineEdit* LonDeg;
    QLineEdit* LonMin;
    QLineEdit* LonSig;
    QPushButton* BtonEffacer;
    QPushButton* BtonCarte;
    QPushButton* BtonAnnuler;
    QPushButton* BtonOK;
    // Map panel.
    platform::PictureBox* Map;
    QPushButton* BoutonFinCarte;
    // Button column.
    QToolButton* BtonSauve;
    QPushButton* BtonRecherche;
    QPushButton* BtonEdit;
    QPushButton* BtonNouveau;
    QToolButton* BtonQuitter;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // The eight boxes in the order of the record's fields.
    std::array<QLineEdit*, 8> boites() const;
    void filtrer(dxcc::Champ champ);
    void ouvrirEditeur(int mode);
    // Back from the editor to the list, no entry selected; `ligne` (a data
    // row) is scrolled into view, 0 scrolls nothing.
    void retourListe(int ligne = 0);
    void activerBoutonsListe(bool actif);
    // The focus on the list, no entry selected.
    void focusSurLaListe();
    void defiler(int ligne);
    // Writes the editor's fields into `ligne`, the letters upper-cased.
    void ecrireLigne(int ligne);
    QString texteLigne() const;
    // The data rows of the list, as the file holds them.
    std::vector<dxcc::Enregistrement> lignesDeLaListe() const;
    platform::Answer question(const QString& texte, platform::Buttons boutons, platform::Icon icone,
                              const QString& titre);

    Veskaro& etat_;
};
