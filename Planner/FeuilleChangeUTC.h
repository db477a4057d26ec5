#pragma once
// "Change UTC": a new instant for the common window, under the main window.

#include <QWidget>

class QPushButton;
namespace planner {
class Commandes;
}
namespace platform {
class MaskedEdit;
}

class FeuilleChangeUTC : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChangeUTC(planner::Commandes& commandes);
    platform::MaskedEdit *EditDateDeb, *EditTimeDeb;
    QPushButton* BoutonOK;
    void BoutonOK_Click();

protected:
    // Its close box does nothing: it belongs to the map display.
    void closeEvent(QCloseEvent* e) override;

private:
    planner::Commandes& commandes_;
};
