#pragma once
// One day of the Moon-location table: header lines, group titles with their
// icons, and the grid of nine columns.

#include <QWidget>
#include <array>

namespace planner {
class Commandes;
}
class QFrame;
class QGroupBox;
class QLabel;
namespace platform {
class Grid;
}

class FenetrePrevision : public QWidget {
    Q_OBJECT
public:
    explicit FenetrePrevision(planner::Commandes& commandes);
    QGroupBox* CadrePrevision;
    std::array<QLabel*, 8> Entete{};
    std::array<QLabel*, 5> Etiquette1{};
    QWidget* Image1;
    std::array<QFrame*, 3> Ligne1{}; // separators between the groups
    QLabel *AffIconeTime, *AffIconeSun, *AffIconeCiel, *AffIconeLune;
    int PhaseAffichee = -1;
    platform::Grid* GrillePrev;
    void GrillePrev_Click();
    // Back to the state a new window has, to take a new day: normal state,
    // the size it is made with, the grid without rows.
    void remetANeuf();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    planner::Commandes& commandes_;
};
