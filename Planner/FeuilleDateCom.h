#pragma once
// "Common window : Date Input": the UTC instant of the common window.

#include <QWidget>

class QPushButton;
namespace planner {
class Commandes;
}
namespace platform {
class MaskedEdit;
}

class FeuilleDateCom : public QWidget {
    Q_OBJECT
public:
    // Its caption, the source's name & " Common window", is set by the program.
    explicit FeuilleDateCom(planner::Commandes& commandes);
    platform::MaskedEdit *EditDateDeb, *EditTimeDeb;
    QPushButton *BoutonOK, *BoutonAnnuler;
    void BoutonOK_Click();
    void BoutonAnnuler_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    planner::Commandes& commandes_;
};
