#pragma once
// The start window: "logo.bmp" for 2 seconds on the first start, then the
// list of station set-up files ("*.dat").

#include <QWidget>

class QPushButton;
namespace planner {
class Commandes;
}
namespace platform {
class Clock;
class FileList;
class LogoPicture;
} // namespace platform

class FeuilleChoixFichier : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChoixFichier(planner::Commandes& commandes);
    platform::LogoPicture* ImageLogo;
    platform::FileList* ListeFichier;
    QPushButton* BoutonHome;
    QPushButton* BoutonOK;
    QPushButton* BoutonAnnuler;

    // Placed, the logo of `dossier` read and the list set on its "*.dat"
    // files; with `logo` (no station chosen yet) the picture alone is shown
    // for 2 seconds of `horloge` first.
    void Form_Load(const QString& dossier, platform::Clock& horloge, bool logo);
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
    planner::Commandes& commandes_;
};
