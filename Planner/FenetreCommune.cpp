#include "Planner/FenetreCommune.h"

#include "Planner/FenetreCiel.h"
#include "Planner/FenetreDX.h"
#include "Planner/FenetreInfoCiel.h"
#include "Planner/Pictures.h"
#include "Planner/Planner.h"
#include "assets/Assets.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <QScreen>

FenetreCommune::FenetreCommune(Planner& etat) : QWidget(nullptr), etat_(etat) {
    platform::resizeClientTwips(this, 5670, 2770);
    EMEWindow = new platform::PictureBox(this);
    platform::setTwipsGeometry(EMEWindow, 0, 0, 5670, 2770);
    EMEWindow->setPicture(assets::carteMonde());
    connect(EMEWindow, &platform::PictureBox::mouseDown, this,
            [this](int, int, double x, double y) { EMEWindow_MouseDown(x, y); });
}

void FenetreCommune::EMEWindow_MouseDown(double x, double y) {
    etat_.fenetreDX()->AffDxcc->clear();
    etat_.fenetreDX()->AffPays->clear();
    etat_.PlacePointDX(int16_t(std::nearbyint(x)), int16_t(std::nearbyint(y)));
}

void FenetreCommune::closeEvent(QCloseEvent* e) { e->ignore(); }

namespace {
QLabel* etiq(QWidget* p, const QString& t, int l, int tp, int w, int h) {
    auto* e = new QLabel(t, p);
    platform::setTwipsGeometry(e, l, tp, w, h);
    return e;
}
} // namespace

FenetreDX::FenetreDX(Planner& etat) : QWidget(nullptr), etat_(etat) {
    setWindowTitle(QStringLiteral("Home<=>DX"));
    platform::resizeClientTwips(this, 3600, 3000);
    etiq(this, QStringLiteral("DXCC"), 120, 120, 600, 240);
    AffDxcc = etiq(this, QString(), 780, 120, 900, 240);
    AffPays = etiq(this, QString(), 1700, 120, 1800, 240);
    ImgBtonDX = new platform::ImageButton(pictures::bouton("dx", false), pictures::bouton("dx", true),
                                          platform::ImageButton::Behaviour::ActOnce, this);
    platform::setTwipsGeometry(ImgBtonDX, 3120, 420, 360, 330);
    CadreUTC = new QGroupBox(this);
    platform::setTwipsGeometry(CadreUTC, 60, 420, 3000, 1560);
    const char* noms[5] = {"Azimuth (Deg) ", "Elevation (Deg) ", "Doppler Off. (Hz) ", "Polar Error (Deg) ",
                           "Distance (Km) "};
    QLabel** affs[5] = {&AffAzimDX, &AffElevDX, &AffDopplerDX, &AffPolarDX, &AffDistance};
    for (int i = 0; i < 5; ++i) {
        etiq(CadreUTC, QString::fromLatin1(noms[i]), 120, 240 + 250 * i, 1800, 240);
        *affs[i] = etiq(CadreUTC, QString(), 1920, 240 + 250 * i, 960, 240);
        (*affs[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    etiq(this, QStringLiteral("Display the complete common window ?"), 120, 2100, 3300, 240);
    BoutonOK = new QPushButton(QStringLiteral("O.K."), this);
    platform::setTwipsGeometry(BoutonOK, 1200, 2460, 1200, 420);
    BoutonOK->setEnabled(false);
    connect(ImgBtonDX, &platform::ImageButton::activated, this, &FenetreDX::ImgBtonDX_Click);
    connect(BoutonOK, &QPushButton::clicked, this, &FenetreDX::BoutonOK_Click);
}

void FenetreDX::ImgBtonDX_Click() {
    for (;;) {
        const QString r = etat_.Dialogues.input(QStringLiteral("Enter the DXXC prefix !"),
                                                QStringLiteral("Common Window : Station <=> DX"), QString());
        if (r.isEmpty())
            return;
        if (r.size() >= 7)
            continue;
        if (etat_.RecherchePrefixeDXCC(r) != Faux)
            return;
    }
}

void FenetreDX::BoutonOK_Click() { etat_.CalculPrevisionCommuneFenetres(); }

void FenetreDX::closeEvent(QCloseEvent* e) { e->ignore(); }

FenetreCiel::FenetreCiel(Planner& etat) : QWidget(nullptr), etat_(etat) {
    setWindowTitle(QStringLiteral("Radio-Sky Map : Noise temperature"));
    platform::resizeClientTwips(this, 6630, 4125);
    Image1 = new QLabel(this);
    platform::setTwipsGeometry(Image1, 0, 0, 5490, 4125);
    Image1->setPixmap(QPixmap::fromImage(pictures::carteCiel()));
    Image1->setScaledContents(true);
    ImgPosSol = new QLabel(this);
    platform::setTwipsGeometry(ImgPosSol, 2100, 720, 270, 270);
    ImgPosSol->setPixmap(QPixmap::fromImage(pictures::marqueurSoleil()));
    ImgPosLune = new QLabel(this);
    platform::setTwipsGeometry(ImgPosLune, 2700, 780, 250, 250);
    ImgPosLune->setScaledContents(true);
    auto* cadre = new QGroupBox(QStringLiteral("Moon"), this);
    platform::setTwipsGeometry(cadre, 5520, 75, 1035, 3135);
    etiq(cadre, QStringLiteral("Hour Ang."), 60, 250, 915, 195);
    AffHA = etiq(cadre, QString(), 50, 470, 940, 240);
    etiq(cadre, QStringLiteral("Declin."), 60, 790, 915, 195);
    AffDecl = etiq(cadre, QString(), 50, 1010, 940, 240);
    etiq(cadre, QStringLiteral("Extra Loss"), 60, 1330, 915, 240);
    AffExtraLoss = etiq(cadre, QString(), 45, 1550, 945, 240);
    AffIconeLune = etiq(cadre, QString(), 285, 1880, 450, 435);
    AffIconeLune->setScaledContents(true);
    EtiqTemp = etiq(cadre, QStringLiteral("432 MHz Sky temp."), 60, 2410, 915, 375);
    EtiqTemp->setWordWrap(true);
    AffTemp = etiq(cadre, QString(), 45, 2820, 945, 240);
    auto* about = new QGroupBox(QStringLiteral("About.."), this);
    platform::setTwipsGeometry(about, 5580, 3240, 915, 795);
    ImgInfo = new platform::ImageButton(pictures::bouton("info", false), pictures::bouton("info", true),
                                        platform::ImageButton::Behaviour::ActOnce, about);
    platform::setTwipsGeometry(ImgInfo, 180, 240, 480, 480);
    connect(ImgInfo, &platform::ImageButton::activated, this, [this] {
        auto* info = etat_.fenetreInfoCiel();
        info->move((screen()->geometry().width() - info->frameGeometry().width()) / 2,
                   (screen()->geometry().height() - info->frameGeometry().height()) / 2);
        info->show();
    });
}

void FenetreCiel::closeEvent(QCloseEvent* e) { e->ignore(); }

void FenetreCiel::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (isVisible() && !isMinimized() && !isMaximized() && !etat_.CalculEnCours)
        etat_.AffichageFenetreCiel();
}

FenetreInfoCiel::FenetreInfoCiel() : QWidget(nullptr) {
    setWindowTitle(QStringLiteral("Radio-Sky Map"));
    platform::resizeClientTwips(this, 4005, 2670);
    auto* cle = etiq(this, QStringLiteral("Bands, coolest first (432 / 144 MHz):\n< 13 K / < 180 K\n13-18 K / 180-225 K\n"
                                          "18-23 K / 225-315 K\n23-27 K / 315-360 K\n27-35 K / 360-450 K\n"
                                          "35-55 K / 450-650 K\n55-90 K / 650-1000 K\n> 90 K / > 1000 K"),
                     60, 60, 2280, 2565);
    cle->setAlignment(Qt::AlignTop);
    auto* src = etiq(this, QStringLiteral("Sources:\n1 Cassiopeia-A\n2 Sagittarius-A\n3 Cygnus-A\n4 Omega17\n"
                                          "5 Taurus-A\n6 Pictor-A\n7 Cold Sky"),
                     2400, 60, 1545, 2280);
    src->setAlignment(Qt::AlignTop);
    BoutonInfoOK = new QPushButton(QStringLiteral("O.K"), this);
    platform::setTwipsGeometry(BoutonInfoOK, 2400, 2340, 1550, 290);
    connect(BoutonInfoOK, &QPushButton::clicked, this, &QWidget::hide);
}
