#pragma once
// "Home<=>DX": the source seen from the DX point, Doppler, polarisation
// offset and distance; its close box does nothing.

#include <QWidget>

namespace planner {
class Commandes;
}
class QGroupBox;
class QLabel;
class QPushButton;
namespace platform {
class ImageButton;
}

class FenetreDX : public QWidget {
    Q_OBJECT
public:
    explicit FenetreDX(planner::Commandes& commandes);
    QLabel *AffDxcc, *AffPays, *AffAzimDX, *AffElevDX, *AffDopplerDX, *AffPolarDX, *AffDistance;
    QGroupBox* CadreUTC;
    QPushButton* BoutonOK;
    platform::ImageButton* ImgBtonDX;
    void ImgBtonDX_Click();
    void BoutonOK_Click();
    // What the window shows of the DX point as a screen reader reads it
    // ("DXCC VK, ... , Azimuth (Deg) 123.4, ..."), "" without values.
    QString texteResultat() const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    planner::Commandes& commandes_;
};
