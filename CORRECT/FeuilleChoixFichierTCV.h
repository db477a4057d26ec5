#pragma once
// Start window and table chooser: the start picture for 2 seconds, then the
// list of "*.tcv" files of the station folder, OK, New file and Cancel.

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "platform/widgets/StartWindow.h"

class Correct;

class FeuilleChoixFichierTCV : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChoixFichierTCV(Correct& etat);

    platform::LogoPicture* ImageLogo;
    platform::FileList* ListeFichierTCV;
    QPushButton* BoutonFichierOK;
    QPushButton* BoutonNouveauFichier;
    QPushButton* BoutonAnnuler;
    QLabel* Etiq_On;

    // Centring, the start picture for 2 seconds of the clock, then the
    // chooser's controls with OK disabled.
    void Form_Load();

    void ListeFichierTCV_Click();
    void ListeFichierTCV_DblClick();
    void BoutonFichierOK_Click();
    void BoutonNouveauFichier_Click();
    void BoutonAnnuler_Click();

protected:
    // Closing by the title bar is the same as Cancel: the quit question.
    // While the start picture shows (Cancel is hidden then) it is ignored:
    // the program could not end before the picture's 2 seconds are over.
    void closeEvent(QCloseEvent* e) override;

private:
    Correct& etat_;
    bool imageDemarrage_ = false; // the start picture is on screen
};
