#pragma once
// The radio-sky map with the Moon and Sun markers and the Moon's values;
// its close box does nothing.

#include "Planner/Calculs.h"

#include <QWidget>
#include <array>

namespace planner {
class Commandes;
}
class QFrame;
class QGroupBox;
class QLabel;
namespace platform {
class ImageButton;
}

class FenetreCiel : public QWidget {
    Q_OBJECT
public:
    explicit FenetreCiel(planner::Commandes& commandes);
    QLabel *Image1, *ImgPosSol, *ImgPosLune;
    QGroupBox *CadreCiel, *CadreAbout;
    std::array<QLabel*, 2> EtiqCiel{}; // 0 "Declin.", 1 "Hour Ang."
    QLabel *EtiqLoss, *EtiqTemp;
    QLabel *AffHA, *AffDecl, *AffExtraLoss, *AffTemp, *AffIconeLune;
    std::array<QFrame*, 2> Ligne1{};
    platform::ImageButton* ImgInfo;
    // What the window shows: the markers' places and positions, the labels
    // and the Moon's phase, as last computed.
    planner::Ciel Valeurs;
    void ImgInfo_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    planner::Commandes& commandes_;
};
