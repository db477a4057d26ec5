#pragma once
// The start window: the start picture for 2 seconds on its first load, then
// the chooser of the station files ("*.dat") with O.K., "New file" and Cancel.

#include <QPushButton>
#include <QWidget>

#include "platform/widgets/StartWindow.h"

class Corvinet;

class FeuilleChoixFichier : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChoixFichier(Corvinet& programme);

    platform::LogoPicture* ImageLogo;
    platform::FileList* ListeFichier;
    QPushButton* BoutonOK;
    QPushButton* BoutonNouvFichier;
    QPushButton* BoutonAnnuler;

    // Runs once, when the program first refers to the window.
    void Form_Load();
    void ListeFichier_Click();
    void ListeFichier_DblClick();
    void BoutonOK_Click();
    void BoutonNouvFichier_Click();
    void BoutonAnnuler_Click();

protected:
    // The close box acts as Cancel.
    void closeEvent(QCloseEvent* e) override;

private:
    Corvinet& prog_;
};
