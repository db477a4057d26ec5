#pragma once
// The world map with the common-window curve and the DX point. Its close box
// does nothing.

#include <QWidget>

namespace planner {
class Commandes;
}
namespace platform {
class PictureBox;
}

class FenetreCommune : public QWidget {
    Q_OBJECT
public:
    explicit FenetreCommune(planner::Commandes& commandes);
    platform::PictureBox* EMEWindow;
    void EMEWindow_MouseDown(double x, double y);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    planner::Commandes& commandes_;
};
