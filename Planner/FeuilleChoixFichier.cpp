#include "Planner/FeuilleChoixFichier.h"

#include "Planner/Commandes.h"
#include "platform/Geometry.h"
#include "platform/widgets/StartWindow.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QPushButton>

FeuilleChoixFichier::FeuilleChoixFichier(planner::Commandes& commandes) : QWidget(nullptr), commandes_(commandes) {
    setWindowTitle(QStringLiteral("Planner - Setup File"));
    platform::resizeClientTwips(this, 4800, 3300);
    ImageLogo = new platform::LogoPicture(this);
    ListeFichier = new platform::FileList(this);
    platform::setTwipsGeometry(ListeFichier, 240, 240, 2640, 2760);
    BoutonHome = new QPushButton(QStringLiteral("Home.dat"), this);
    platform::setTwipsGeometry(BoutonHome, 3120, 240, 1440, 480);
    BoutonOK = new QPushButton(QStringLiteral("O.K"), this);
    platform::setTwipsGeometry(BoutonOK, 3120, 1440, 1440, 480);
    BoutonAnnuler = new QPushButton(QStringLiteral("Cancel"), this);
    platform::setTwipsGeometry(BoutonAnnuler, 3120, 2520, 1440, 480);
    connect(ListeFichier, &platform::FileList::click, this, &FeuilleChoixFichier::ListeFichier_Click);
    connect(ListeFichier, &platform::FileList::dblClick, this, &FeuilleChoixFichier::ListeFichier_DblClick);
    connect(BoutonOK, &QPushButton::clicked, this, &FeuilleChoixFichier::BoutonOK_Click);
    connect(BoutonHome, &QPushButton::clicked, this, &FeuilleChoixFichier::BoutonHome_Click);
    connect(BoutonAnnuler, &QPushButton::clicked, this, &FeuilleChoixFichier::BoutonAnnuler_Click);
}

void FeuilleChoixFichier::montreListe(bool liste) {
    ImageLogo->setVisible(!liste);
    ListeFichier->setVisible(liste);
    BoutonHome->setVisible(liste);
    BoutonOK->setVisible(liste);
    BoutonAnnuler->setVisible(liste);
}

void FeuilleChoixFichier::Form_Load(const QString& dossier, platform::Clock& horloge, bool logo) {
    Charge = true;
    platform::placeCentredThird(this);
    ImageLogo->load(dossier);
    ImageLogo->move(qMax(0, (width() - ImageLogo->width()) / 2), qMax(0, (height() - ImageLogo->height()) / 2));
    ListeFichier->setPattern(QStringLiteral("*.dat"));
    ListeFichier->setPath(dossier);
    if (logo) {
        montreListe(false);
        setWindowTitle(QStringLiteral("Selvane - Planner"));
        platform::holdStartPicture(this, horloge, 2.0);
    }
    platform::showChooser(this, QStringLiteral("Planner - Setup File"), [this] { montreListe(true); });
}

void FeuilleChoixFichier::ListeFichier_Click() { commandes_.SelectionStation(); }

void FeuilleChoixFichier::ListeFichier_DblClick() {
    if (ListeFichier->fileName().isEmpty())
        return;
    commandes_.ChoixStation(ListeFichier->fileName());
}

void FeuilleChoixFichier::BoutonOK_Click() {
    if (ListeFichier->fileName().isEmpty())
        return;
    commandes_.ChoixStation(ListeFichier->fileName());
}

void FeuilleChoixFichier::BoutonHome_Click() { commandes_.ChoixStation(QStringLiteral("home.dat")); }

void FeuilleChoixFichier::BoutonAnnuler_Click() { commandes_.AnnuleChoixStation(); }

void FeuilleChoixFichier::closeEvent(QCloseEvent* e) {
    e->ignore();
    BoutonAnnuler_Click();
}
