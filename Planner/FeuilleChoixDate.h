#pragma once
// The period dialog "Date Input": start and end UTC, the step and the
// Moon-visible option.

#include <QWidget>

class QLineEdit;
class QRadioButton;
class QPushButton;
namespace planner {
class Commandes;
}
namespace platform {
class Dialogs;
class MaskedEdit;
} // namespace platform

class FeuilleChoixDate : public QWidget {
    Q_OBJECT
public:
    // `dialogues` beeps for a key the step box refuses.
    FeuilleChoixDate(planner::Commandes& commandes, platform::Dialogs& dialogues);
    platform::MaskedEdit *EditDateDeb, *EditTimeDeb, *EditDateFin, *EditTimeFin;
    QRadioButton* OptionLune[2]; // 0 "Always", 1 "Moon visible"
    QLineEdit* AffStep;
    QPushButton *BoutonOK, *BoutonAnnuler;

    void BoutonOK_Click();
    void BoutonAnnuler_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    planner::Commandes& commandes_;
};

// The mask and the check every masked date and time box of Planner makes
// when it loses the focus (the focus back to the box when refused), and the
// mask flag a refused key clears.
void brancheBoiteDate(planner::Commandes& commandes, platform::MaskedEdit* boite);
void brancheBoiteHeure(planner::Commandes& commandes, platform::MaskedEdit* boite);
