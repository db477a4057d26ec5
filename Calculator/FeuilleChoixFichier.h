#pragma once
// The start window: "logo.bmp" alone for 2 seconds on its first showing,
// then the chooser of the station file ("*.dat") and of the calculator.

#include <QWidget>

class Brulvane;
class QLabel;
class QPushButton;

namespace platform {
class FileList;
class LogoPicture;
} // namespace platform

class FeuilleChoixFichier : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChoixFichier(Brulvane& etat);

    platform::LogoPicture* ImageLogo;
    platform::FileList* ListeFichier;
    QLabel* Etiq_On;
    QPushButton* BoutonBrulvane;
    QPushButton* BoutonNoiseCalc;
    QPushButton* BoutonAnnuler;

    // First load: placement, the start picture for 2 seconds while no
    // station file has been chosen, then the chooser.
    void Form_Load();
    void ListeFichier_Click();
    void ListeFichier_DblClick();
    void BoutonBrulvane_Click();
    void BoutonAnnuler_Click();

protected:
    // The close box acts as Cancel.
    void closeEvent(QCloseEvent* e) override;

private:
    void montreChoix(bool choix);

    Brulvane& etat_;
};
