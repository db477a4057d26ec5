#pragma once
// "Common window : Date Input": the UTC instant of the common window.

#include <QWidget>

class Planner;
class QPushButton;
namespace platform {
class MaskedEdit;
}

class FeuilleDateCom : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleDateCom(Planner& etat);
    platform::MaskedEdit *EditDateDeb, *EditTimeDeb;
    QPushButton *BoutonOK, *BoutonAnnuler;
    void BoutonOK_Click();
    void BoutonAnnuler_Click();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    Planner& etat_;
};
