#pragma once
// The period dialog "Date Input": start and end UTC, the step and the
// Moon-visible option.

#include <QWidget>

class Planner;
class QLineEdit;
class QRadioButton;
class QPushButton;
namespace platform {
class MaskedEdit;
}

class FeuilleChoixDate : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChoixDate(Planner& etat);
    platform::MaskedEdit *EditDateDeb, *EditTimeDeb, *EditDateFin, *EditTimeFin;
    QRadioButton* OptionLune[2]; // 0 "Always", 1 "Moon visible"
    QLineEdit* AffStep;
    QPushButton *BoutonOK, *BoutonAnnuler;

    void BoutonOK_Click();
    void BoutonAnnuler_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    Planner& etat_;
};

// The checks every masked date and time box of Planner makes when it loses
// the focus, and the mask flag it clears on refused input.
void brancheBoiteDate(Planner& etat, platform::MaskedEdit* boite);
void brancheBoiteHeure(Planner& etat, platform::MaskedEdit* boite);
// The O.K. buttons of the dialogs check their instants again (a box
// that never had the focus would reach the computation unchecked): the date
// box, then the time box, with the messages of the lost-focus checks. False
// after the first refusal, with the focus on the box concerned.
bool verifieInstant(Planner& etat, platform::MaskedEdit* date, platform::MaskedEdit* heure);
