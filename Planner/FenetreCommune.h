#pragma once
// The world map with the common-window curve and the DX point. Its close box
// does nothing.

#include <QWidget>

class Planner;
namespace platform {
class PictureBox;
}

class FenetreCommune : public QWidget {
    Q_OBJECT
public:
    explicit FenetreCommune(Planner& etat);
    platform::PictureBox* EMEWindow;
    void EMEWindow_MouseDown(double x, double y);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    Planner& etat_;
};
