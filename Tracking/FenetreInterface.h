#pragma once
// The antenna interface window ("System Interface"): the antenna position
// with its motion arrows and state labels, the image buttons for manual
// steps, drive power, park, tracking and the level reference, the
// measurement display, and the menus Antenna, Display and Parameters.
// Closing it asks the quit question instead.

#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/PictureBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <array>

class Tracking;

class FenetreInterface : public QMainWindow {
    Q_OBJECT
public:
    explicit FenetreInterface(Tracking& programme);

    QMenu* MenuAntenneP;
    QMenu* MenuMesureP;
    QAction* MenuTrackParam;
    platform::MenuFamily* MenuAntenne;
    platform::MenuFamily* MenuMesure;

    QGroupBox* CadreAntenne;
    QLabel* AffAntenneAzimut;
    QLabel* AffAntenneElevation;
    QLabel* DirAzimGauche;
    QLabel* DirAzimDroit;
    QLabel* DirElevHaut;
    QLabel* DirElevBas;
    std::array<QLabel*, 3> AntenEtiq{};
    platform::ImageButton* ImgGauche;
    platform::ImageButton* ImgHaut;
    platform::ImageButton* ImgDroit;
    platform::ImageButton* ImgBas;
    platform::ImageButton* ImgMot;
    platform::ImageButton* ImgPark;
    platform::ImageButton* ImgTrack;
    platform::ImageButton* ImgSignal;

    QGroupBox* CadreSignal;
    platform::PictureBox* AffLevelGraph;
    std::array<QGroupBox*, 2> Z1{};
    QLabel* AffLevelAverage;
    QLabel* AffOffset;
    QGroupBox* CadrePolar;
    QLabel* AffPolar;
    QLabel* Label1;

    // Shows the program's state: the values, arrows and state labels, the
    // menus and check marks, the buttons the station's drive mode has and
    // what they allow.
    void affiche();
    // The measurement frame of the station's kind placed and the window
    // sized by the display choices (base, landscape, portrait level,
    // portrait polarisation).
    void disposition();
    void gardeSurEcran();

    void Form_KeyDown(int keyCode);
    void MenuAntenne_Click(int index);
    void MenuMesure_Click(int index);
    void MenuTrackParam_Click();
    void ImgSignal_MouseDown();

protected:
    void closeEvent(QCloseEvent* e) override; // Form_QueryUnload
    void keyPressEvent(QKeyEvent* e) override;
    void moveEvent(QMoveEvent* e) override;   // Form_Resize's on-screen rule
    // A window shown lies wholly inside the available screen (its final
    // size and frame are known only now).
    void showEvent(QShowEvent* e) override;

private:
    Tracking& prog_;
    bool gardeEnCours_ = false;
};
