#pragma once
// The radio-sky map with the Moon and Sun markers and the Moon's values;
// its close box does nothing.

#include <QWidget>
#include <array>

class Planner;
class QLabel;
class QPushButton;
namespace platform {
class ImageButton;
}

class FenetreCiel : public QWidget {
    Q_OBJECT
public:
    explicit FenetreCiel(Planner& etat);
    QLabel *Image1, *ImgPosSol, *ImgPosLune;
    QLabel *AffHA, *AffDecl, *AffExtraLoss, *EtiqTemp, *AffTemp, *AffIconeLune;
    platform::ImageButton* ImgInfo;
    int Phase = 0;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    Planner& etat_;
};
