#pragma once
// "Radio-Sky Map": the key of the chart's colour bands and source numbers.
// Centred on the screen when it is loaded; its close box closes it and the
// next opening loads (centres) it again, its O.K. only hides it.

#include <QWidget>

class QLabel;
class QPushButton;
namespace planner {
class Commandes;
}

class FenetreInfoCiel : public QWidget {
    Q_OBJECT
public:
    explicit FenetreInfoCiel(planner::Commandes& commandes);
    QLabel* AffInfo1; // the colour key of the eight bands
    QLabel* Image1;   // the key of the source numbers
    QPushButton* BoutonInfoOK;
    bool Charge = false;
    void Form_Load();
    void BoutonInfoOK_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    planner::Commandes& commandes_;
};
