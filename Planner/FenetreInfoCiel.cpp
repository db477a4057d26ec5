#include "Planner/FenetreInfoCiel.h"

#include "Planner/Commandes.h"
#include "Planner/Descriptions.h"
#include "assets/Assets.h"
#include "platform/Geometry.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

FenetreInfoCiel::FenetreInfoCiel(planner::Commandes& commandes) : QWidget(nullptr), commandes_(commandes) {
    setWindowTitle(QStringLiteral("Radio-Sky Map"));
    platform::resizeClientTwips(this, 4005, 2670);
    AffInfo1 = new QLabel(this);
    platform::setTwipsGeometry(AffInfo1, 60, 60, 2280, 2565);
    AffInfo1->setPixmap(QPixmap::fromImage(assets::cleCouleursCiel()));
    AffInfo1->setScaledContents(true);
    Image1 = new QLabel(this);
    platform::setTwipsGeometry(Image1, 2400, 60, 1545, 2280);
    Image1->setPixmap(QPixmap::fromImage(assets::cleSourcesCiel()));
    Image1->setScaledContents(true);
    BoutonInfoOK = new QPushButton(QStringLiteral("O.K"), this);
    platform::setTwipsGeometry(BoutonInfoOK, 2400, 2340, 1550, 290);
    connect(BoutonInfoOK, &QPushButton::clicked, this, &FenetreInfoCiel::BoutonInfoOK_Click);
    platform::describePicture(AffInfo1, [] { return planner::TexteCleCouleurs(); });
    platform::describePicture(Image1, [] { return planner::TexteCleSources(); });
}

void FenetreInfoCiel::Form_Load() {
    // Centred both ways on the screen.
    Charge = true;
    const QRect ecran = QGuiApplication::primaryScreen()->geometry();
    const QRect f = frameGeometry();
    move((ecran.width() - f.width()) / 2, (ecran.height() - f.height()) / 2);
}

void FenetreInfoCiel::BoutonInfoOK_Click() { commandes_.FermeCleCiel(false); }

void FenetreInfoCiel::closeEvent(QCloseEvent* e) {
    // The close box unloads the window: the next opening places it again.
    e->ignore();
    commandes_.FermeCleCiel(true);
}
