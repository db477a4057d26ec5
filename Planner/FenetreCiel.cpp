#include "Planner/FenetreCiel.h"

#include "Planner/Commandes.h"
#include "Planner/Controles.h"
#include "Planner/Descriptions.h"
#include "assets/Assets.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

FenetreCiel::FenetreCiel(planner::Commandes& commandes) : QWidget(nullptr), commandes_(commandes) {
    setWindowTitle(QStringLiteral("Radio-Sky Map : Noise temperature"));
    platform::resizeClientTwips(this, 6630, 4125);
    // The chart is drawn to the scale of the markers' placement (5490 x 4125 twips).
    Image1 = new QLabel(this);
    platform::setTwipsGeometry(Image1, 0, 0, 5490, 4125);
    Image1->setPixmap(QPixmap::fromImage(assets::carteCiel()));
    Image1->setScaledContents(true);
    ImgPosSol = new QLabel(this);
    platform::setTwipsGeometry(ImgPosSol, 2100, 720, 270, 270);
    ImgPosSol->setPixmap(QPixmap::fromImage(assets::marqueurSoleil()));
    ImgPosLune = new QLabel(this);
    platform::setTwipsGeometry(ImgPosLune, 2700, 780, 250, 250);
    ImgPosLune->setScaledContents(true);
    CadreCiel = new QGroupBox(QStringLiteral("Moon"), this);
    platform::setTwipsGeometry(CadreCiel, 5520, 75, 1035, 3135);
    EtiqCiel[1] = planner::etiquette(CadreCiel, QStringLiteral("Hour Ang."), 60, 250, 915, 195);
    AffHA = planner::etiquette(CadreCiel, QString(), 50, 470, 940, 240);
    EtiqCiel[0] = planner::etiquette(CadreCiel, QStringLiteral("Declin."), 60, 790, 915, 195);
    AffDecl = planner::etiquette(CadreCiel, QString(), 50, 1010, 940, 240);
    EtiqLoss = planner::etiquette(CadreCiel, QStringLiteral("Extra Loss"), 60, 1330, 915, 240);
    AffExtraLoss = planner::etiquette(CadreCiel, QString(), 45, 1550, 945, 240);
    AffIconeLune = planner::etiquette(CadreCiel, QString(), 285, 1880, 450, 435);
    AffIconeLune->setScaledContents(true);
    EtiqTemp = planner::etiquette(CadreCiel, QStringLiteral("432 MHz Sky temp."), 60, 2410, 915, 375);
    EtiqTemp->setWordWrap(true);
    for (QLabel* l : {EtiqCiel[0], EtiqCiel[1], EtiqLoss, EtiqTemp})
        l->setAlignment(Qt::AlignCenter);
    for (QLabel* l : {AffHA, AffDecl, AffExtraLoss})
        l->setAlignment(Qt::AlignCenter);
    // Two short rules either side of the band title.
    const int regles[2] = {0, 920};
    for (int i = 0; i < 2; ++i) {
        auto* l = new QFrame(CadreCiel);
        l->setFrameShape(QFrame::HLine);
        platform::setTwipsGeometry(l, regles[i], 2505, i == 0 ? 80 : 100, 30);
        Ligne1[size_t(i)] = l;
    }
    AffTemp = planner::etiquette(CadreCiel, QString(), 45, 2820, 945, 240);
    AffTemp->setAlignment(Qt::AlignCenter);
    // The values read with their captions (the sky temperature's names its band).
    platform::nameValueLabel(AffHA, EtiqCiel[1]);
    platform::nameValueLabel(AffDecl, EtiqCiel[0]);
    platform::nameValueLabel(AffExtraLoss, EtiqLoss);
    platform::nameValueLabel(AffTemp, EtiqTemp);
    CadreAbout = new QGroupBox(QStringLiteral("About.."), this);
    platform::setTwipsGeometry(CadreAbout, 5580, 3240, 915, 795);
    // A picture that opens the key when clicked (pressed and released).
    const QPixmap info = QPixmap::fromImage(assets::boutonInfoCiel());
    ImgInfo = new platform::ImageButton(info, info, platform::ImageButton::Behaviour::ActOnce, CadreAbout);
    platform::setTwipsGeometry(ImgInfo, 180, 240, 480, 480);
    ImgInfo->setObjectName(QStringLiteral("ImgInfo"));
    connect(ImgInfo, &platform::ImageButton::activated, this, &FenetreCiel::ImgInfo_Click);
    platform::nameControls({{ImgInfo, QStringLiteral("About the radio-sky map")}});
    // The chart and its markers, read as the positions they are drawn from.
    platform::describePicture(Image1, [this] {
        return planner::TexteCarteCiel(Valeurs.AscDroiteLune, Valeurs.DeclinaisonLune, Valeurs.AscDroiteSoleil,
                                       Valeurs.DeclinaisonSoleil);
    });
    platform::describePicture(ImgPosLune, [] { return QStringLiteral("Moon marker"); });
    platform::describePicture(ImgPosSol, [] { return QStringLiteral("Sun marker"); });
    platform::describePicture(AffIconeLune, [this] { return planner::TextePhaseLune(Valeurs.Phase); });
}

void FenetreCiel::ImgInfo_Click() { commandes_.OuvreCleCiel(); }

void FenetreCiel::closeEvent(QCloseEvent* e) { e->ignore(); }

void FenetreCiel::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (isVisible() && !isMinimized() && !isMaximized())
        commandes_.CielRedimensionne();
}
