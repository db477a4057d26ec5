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
    // Caption = the source's name & " Common window", at every activation.
    void Form_Activate();
    void BoutonOK_Click();
    void BoutonAnnuler_Click();

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    Planner& etat_;
};
