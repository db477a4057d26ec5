#pragma once
// "Change UTC": a new instant for the common window, under the main window.

#include <QWidget>

class Planner;
class QPushButton;
namespace platform {
class MaskedEdit;
}

class FeuilleChangeUTC : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChangeUTC(Planner& etat);
    platform::MaskedEdit *EditDateDeb, *EditTimeDeb;
    QPushButton* BoutonOK;
    void BoutonOK_Click();

private:
    Planner& etat_;
};
