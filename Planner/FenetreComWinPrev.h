#pragma once
// One day of the common-window table: home, DX and common header lines,
// group titles with the source's pictures, and the grid of nine columns.

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

class FenetreComWinPrev : public QWidget {
    Q_OBJECT
public:
    explicit FenetreComWinPrev(planner::Commandes& commandes);
    QGroupBox *CadreHome, *CadreDX, *CadreCommun;
    std::array<QLabel*, 12> Entete{};
    std::array<QLabel*, 3> EtiqSource{}; // 1 and 2 used
    QLabel* EtiqNomSource;
    std::array<QLabel*, 2> AffIcone{};
    QLabel* AffIconeTime;
    QWidget* Image1;
    std::array<QFrame*, 3> Ligne1{}; // separators between the groups
    platform::Grid* GrillePrev;
    int Phase = -1; // the Moon-phase picture of the source pictures; -1 for another source

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    planner::Commandes& commandes_;
};
