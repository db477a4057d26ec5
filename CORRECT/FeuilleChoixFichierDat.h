#pragma once
// Station-file chooser used when saving: the "*.dat" file whose name the
// table takes.

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "platform/widgets/StartWindow.h"

class Correct;

class FeuilleChoixFichierDat : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChoixFichierDat(Correct& etat);

    platform::FileList* ListeFichierDat;
    QPushButton* BoutonOKDat;
    QPushButton* BoutonAnnulerDat;
    QLabel* Etiq_On;

    // Centring.
    void Form_Load();

    void ListeFichierDat_Click();
    void ListeFichierDat_DblClick();
    void BoutonOKDat_Click();
    void BoutonAnnulerDat_Click();

protected:
    // Closing by the title bar is the same as Cancel: back to the editor.
    void closeEvent(QCloseEvent* e) override;

private:
    Correct& etat_;
};
