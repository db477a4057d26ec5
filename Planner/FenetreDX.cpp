#include "Planner/FenetreDX.h"

#include "Planner/Commandes.h"
#include "Planner/Controles.h"
#include "Planner/Pictures.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

FenetreDX::FenetreDX(planner::Commandes& commandes) : QWidget(nullptr), commandes_(commandes) {
    setWindowTitle(QStringLiteral("Home<=>DX"));
    platform::resizeClientTwips(this, 3960, 3000);
    planner::etiquette(this, QStringLiteral("DXCC"), 120, 120, 600, 240);
    AffDxcc = planner::etiquette(this, QString(), 780, 120, 900, 240);
    AffPays = planner::etiquette(this, QString(), 1700, 120, 2160, 240);
    ImgBtonDX = new platform::ImageButton(pictures::bouton("dx", false), pictures::bouton("dx", true),
                                          platform::ImageButton::Behaviour::ActOnce, this);
    platform::setTwipsGeometry(ImgBtonDX, 3480, 480, 360, 330);
    CadreUTC = new QGroupBox(this);
    platform::setTwipsGeometry(CadreUTC, 60, 420, 3300, 1560);
    const char* noms[5] = {"Azimuth (Deg) ", "Elevation (Deg) ", "Doppler Off. (Hz) ", "Polar Error (Deg) ",
                           "Distance (Km) "};
    QLabel** affs[5] = {&AffAzimDX, &AffElevDX, &AffDopplerDX, &AffPolarDX, &AffDistance};
    for (int i = 0; i < 5; ++i) {
        QLabel* legende = planner::etiquette(CadreUTC, QString::fromLatin1(noms[i]), 120, 240 + 250 * i, 1800, 240);
        *affs[i] = planner::etiquette(CadreUTC, QString(), 2040, 240 + 250 * i, 1080, 240);
        (*affs[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        platform::nameValueLabel(*affs[i], legende); // "Azimuth (Deg) 123.4"
    }
    planner::etiquette(this, QStringLiteral("Display the complete common window ?"), 120, 2100, 3720, 240);
    BoutonOK = new QPushButton(QStringLiteral("O.K."), this);
    platform::setTwipsGeometry(BoutonOK, 1380, 2460, 1200, 420);
    BoutonOK->setEnabled(false);
    connect(ImgBtonDX, &platform::ImageButton::activated, this, &FenetreDX::ImgBtonDX_Click);
    connect(BoutonOK, &QPushButton::clicked, this, &FenetreDX::BoutonOK_Click);
    ImgBtonDX->setObjectName(QStringLiteral("ImgBtonDX"));
    platform::nameValueLabel(AffDxcc, QStringLiteral("DXCC"));
    platform::nameForScreenReaders(this);
    platform::nameControls({{ImgBtonDX, QStringLiteral("Enter a DX prefix")}});
}

void FenetreDX::ImgBtonDX_Click() { commandes_.Prefixe(); }

void FenetreDX::BoutonOK_Click() { commandes_.DXOK(); }

QString FenetreDX::texteResultat() const {
    if (AffAzimDX->text().isEmpty())
        return QString();
    return platform::valuesRead({AffDxcc, AffPays, AffAzimDX, AffElevDX, AffDopplerDX, AffPolarDX, AffDistance});
}

void FenetreDX::closeEvent(QCloseEvent* e) { e->ignore(); }
