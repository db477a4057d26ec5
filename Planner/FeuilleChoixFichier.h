#pragma once
// The start window: "logo.bmp" for 2 seconds on the first start, then the
// list of station set-up files ("*.dat").

#include <QWidget>

class Planner;
class QPushButton;
namespace platform {
class FileList;
class LogoPicture;
} // namespace platform

class FeuilleChoixFichier : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChoixFichier(Planner& etat);
    platform::LogoPicture* ImageLogo;
    platform::FileList* ListeFichier;
    QPushButton* BoutonHome;
    QPushButton* BoutonOK;
    QPushButton* BoutonAnnuler;

    void Form_Load();
    void ListeFichier_Click();
    void ListeFichier_DblClick();
    void BoutonOK_Click();
    void BoutonHome_Click();
    void BoutonAnnuler_Click();
    bool Charge = false;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void montreListe(bool liste);
    Planner& etat_;
};
