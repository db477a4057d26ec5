#pragma once
// Tracking's main window: the source frame with its image buttons, the UTC
// clock, the frequency with the Doppler and extra loss, the traffic period
// with its bar, the world map with the DXCC frame or the radio-sky map, the
// setup panels, and the menus File, Sources, Traffic, Display, Parameters,
// About. The window holds no decisions: its handlers call the main module,
// and affiche() shows the state the cycle left.

#include "Tracking/Suivi.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/PictureBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <array>

class Tracking;

class FenetrePrincipale : public QMainWindow {
    Q_OBJECT
public:
    explicit FenetrePrincipale(Tracking& programme);

    // Menus.
    QMenu* MenuFichierP;
    QMenu* MenuSourceP;
    QMenu* MenuTraficP;
    QMenu* MenuFenetreP;
    QAction* MenuParametreP; // a title without items
    QMenu* MenuAboutP;
    platform::MenuFamily* MenuFichier;
    platform::MenuFamily* MenuSource;
    platform::MenuFamily* MenuPeriode;
    platform::MenuFamily* MenuDuree;
    platform::MenuFamily* MenuFenetre;
    platform::MenuFamily* MenuAbout;

    // Source.
    QGroupBox* CadreSource;
    QWidget* CadreBoutonSource;
    platform::ImageButton* ImgLune;
    platform::ImageButton* ImgSoleil;
    platform::ImageButton* ImgCiel;
    QLabel* AffSourceAzimut;
    QLabel* AffSourceElevation;
    QLabel* SourcEtiq;
    // Clock and frequency.
    QGroupBox* CadreUTC;
    QLabel* AffUTCTime;
    QLabel* AffUTCJour;
    QLabel* AffUTCDate;
    QGroupBox* CadreFrequence;
    QLabel* AffFrequence;
    QLabel* EtiqDoppler;
    QLabel* AffFreqDoppler;
    QLabel* EtiqLoss;
    QLabel* AffExtraLoss;
    // Traffic.
    QGroupBox* CadreTraffic;
    QWidget* CadrePeriode;
    QLabel* AffPeriode;
    QLabel* AffNextPeriode;
    platform::ImageButton* ImgPeriode;
    platform::ImageButton* ImgDuree;
    // World map.
    QGroupBox* CadreMap;
    platform::PictureBox* EMEWindow;
    QGroupBox* CadreDXCC;
    QPushButton* BoutonDXCC;
    QLabel* AffAzimDX;
    QLabel* AffElevDX;
    QLabel* AffDopplerDX;
    QLabel* AffPolarDX;
    QLabel* AffDistance;
    // Radio-sky map.
    QGroupBox* CadreSkyMap;
    platform::PictureBox* Aff_Ciel;
    QLabel* ImgPosSol;
    QLabel* ImgPosLune;
    QLabel* ImgPosAnt;
    QGroupBox* CadreInfoSource;
    QLabel* AffHA;
    QLabel* AffDecl;
    QLabel* AffTemp;
    QLabel* AffIconeLune;
    QGroupBox* CadreAboutInfo;
    platform::ImageButton* ImgInfo;
    QGroupBox* CadreinfoCiel;
    std::array<QLabel*, 8> Etiq_Temp{};
    QPushButton* BoutonInfoOK;
    // Setup panels.
    QGroupBox* CadreParametres;
    QLabel* Aff_Parametres;
    QPushButton* BoutonOKParametres;

    // Shows the program's state: the values, the menus, check marks and
    // image buttons, which map, panel and legend are up, and what the
    // station decides (caption, legend of its band, the antenna icon).
    void affiche();
    // Keeps the window on the screen (twips rule: beyond the edge -> 100
    // inside it, negative -> 0).
    void gardeSurEcran();

    // Handlers.
    void Form_Load();
    void Form_KeyDown(int keyCode);
    void MenuFichier_Click(int index);
    void MenuSource_Click(int index);
    void MenuPeriode_Click(int index);
    void MenuDuree_Click(int index);
    void MenuFenetre_Click(int index);
    void MenuParametreP_Click();
    void BoutonOKParametres_Click();
    void ImgInfo_Click();
    void BoutonInfoOK_Click();
    void BoutonDXCC_Click();
    void EMEWindow_MouseDown(double x, double y);
    void ImgSource_MouseUp(int index);

signals:
    // The window was minimised, restored or maximised (the interface window
    // follows it).
    void etatFenetreChange();

protected:
    void closeEvent(QCloseEvent* e) override; // Form_QueryUnload
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;     // Form_Resize on a state change
    void moveEvent(QMoveEvent* e) override;
    // A window shown lies wholly inside the available screen (its final
    // size and frame are known only now).
    void showEvent(QShowEvent* e) override;
    // A repaint of the world map draws a completed horizon line.
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    Tracking& prog_;
    bool gardeEnCours_ = false;
    bool traceDemande_ = false;
    suivi::Panneau panneauMontre_ = suivi::Panneau::Aucun;
    int phaseMontree_ = -1;
    // What a DX placement and a source choice say (the DX frame's title and
    // values; the source's name), "" when there is nothing to say.
    QString texteDX() const;
    QString texteSource() const;
};
