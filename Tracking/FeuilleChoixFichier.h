#pragma once
// The station chooser: the start picture for 2 seconds on the first start,
// then the list of station files (*.dat) of the station folder.

#include "platform/widgets/StartWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

class Tracking;

class FeuilleChoixFichier : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChoixFichier(Tracking& programme);

    platform::LogoPicture* ImageLogo;
    platform::FileList* ListeFichier;
    QPushButton* BoutonOK;
    QPushButton* BoutonHome;
    QPushButton* BoutonAnnuler;
    QLabel* Etiq_On;

    // When the window is first created: place, picture, 2-second hold.
    void Form_Load();
    void ListeFichier_Click();
    void ListeFichier_DblClick();
    void BoutonOK_Click();
    void BoutonHome_Click();
    void BoutonAnnuler_Click();

protected:
    // Closing the chooser by its title bar is its Cancel.
    void closeEvent(QCloseEvent* e) override;

private:
    Tracking& prog_;
};
