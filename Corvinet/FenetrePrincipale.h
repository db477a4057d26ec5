#pragma once
// The editing window: one control for every value of the station file, on
// the five tabs of Feuillet_Setup. Every text box is under the suite's key
// rule (platform::FilteredBox): an edit the operator makes is judged by the
// box's filter before the box takes it. Every change of a text (typed,
// pasted or set by the program) then runs the box's filter, which passes the
// focus on from a full box; five boxes check their value when the focus
// leaves them by the keyboard or the mouse.

#include "Corvinet/Aides.h"
#include "Corvinet/FichierStation.h"
#include "Corvinet/Filtres.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <array>

class Corvinet;

class FenetrePrincipale : public QMainWindow {
    Q_OBJECT
public:
    explicit FenetrePrincipale(Corvinet& programme);

    QTabWidget* Feuillet_Setup;
    // The text box of each text field (nullptr for the other fields).
    std::array<QLineEdit*, corvinet::NbChamps> boites{};
    QPushButton* BoutonInput;
    QPushButton* BoutonBinAz;
    QPushButton* BoutonUnitAz;
    QPushButton* BoutonBinEl;
    QPushButton* BoutonUnitEl;
    QCheckBox* AzStop;
    QCheckBox* ElStop;
    std::array<QRadioButton*, 3> SpeedControl{};
    std::array<QLabel*, 3> EtiqSpeedControl{};
    QButtonGroup* GroupeSpeedControl;
    std::array<QLabel*, 4> EtiqInterface{}; // 1..3: the speed labels
    QLabel* EtiqAzimRange;                  // EtiqAzim(1)
    QLabel* EtiqElevRange;                  // EtiqElev(1)
    QPushButton* AideGenerale;
    std::array<QPushButton*, 3> AideInterface{};
    std::array<QPushButton*, 10> AideTracking{};
    QMenu* MenuFile;
    QAction* MenuOpen;
    QAction* MenuSave;
    QAction* MenuSaveAs;
    QAction* MenuQuit;
    QAction* MenuHelp;
    QMenu* MenuAbout;

    QLineEdit* boite(corvinet::Champ c) const { return boites[size_t(corvinet::indice(c))]; }
    // The control that shows a field: its box, button, check box, or the
    // first drive-mode option for SpeedControl.
    QWidget* controle(corvinet::Champ c) const;

    // The values as the controls show them.
    corvinet::ValeursStation valeurs() const;
    corvinet::ContexteFiltre contexte() const;

    // Sets a box's text as typing would: its filter runs.
    void setTexte(corvinet::Champ c, const QString& texte);
    // Clears the three drive-mode options (the group then shows none).
    void effaceModes();
    int modeChoisi() const; // -1 when no option is selected
    // Gives the focus to a field's control; a disabled speed box passes it
    // to the drive-mode group that disables it. Returns the control that
    // was given the focus (nullptr: none).
    QWidget* donneFocus(corvinet::Champ c);
    // A save check stops at a field: the focus as donneFocus gives it, and
    // the beep and the refusal sign on that control.
    void refuse(corvinet::Champ c);
    // Applies the drive mode and the encoder formats to the dependent controls.
    void appliqueModeEtFormats();

    // Event handlers.
    void Form_Load();
    void TexteBoite_Change(corvinet::Champ c);
    void TexteBoite_LostFocus(corvinet::Champ c);
    void BoutonInput_Click();
    void BoutonBinAz_Click();
    void BoutonBinEl_Click();
    void BoutonUnitAz_Click();
    void BoutonUnitEl_Click();
    void SpeedControl_Click(int index);
    void AideGenerale_Click();
    void AideInterface_Click(int index);
    void AideTracking_Click(int index);
    void MenuHelp_Click();

protected:
    // The close box asks the quit question; the window stays on No.
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void construitOnglets();
    // The names screen readers give the controls.
    void nommeControles();
    void appliqueResultat(corvinet::Champ c, const corvinet::ResultatFiltre& r);
    void montreAide(const corvinet::BoutonAide* b);

    Corvinet& prog_;
    std::array<bool, corvinet::NbChamps> filtreEnCours_{};
};
