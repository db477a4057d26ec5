#include "Tracking/FeuilleChoixFichier.h"

#include "Tracking/Tracking.h"
#include "platform/Geometry.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace {
// Layout in twips.
constexpr int Largeur = 4800, Hauteur = 3600;
} // namespace

FeuilleChoixFichier::FeuilleChoixFichier(Tracking& programme) : QWidget(nullptr), prog_(programme)
{
    setObjectName(QStringLiteral("FeuilleChoixFichier"));
    ImageLogo = new platform::LogoPicture(this);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ListeFichier = new platform::FileList(this);
    ListeFichier->setObjectName(QStringLiteral("ListeFichier"));
    BoutonOK = new QPushButton(QStringLiteral("O.K"), this);
    BoutonOK->setObjectName(QStringLiteral("BoutonOK"));
    BoutonHome = new QPushButton(QStringLiteral("Home.dat"), this);
    BoutonHome->setObjectName(QStringLiteral("BoutonHome"));
    BoutonAnnuler = new QPushButton(QStringLiteral("Cancel"), this);
    BoutonAnnuler->setObjectName(QStringLiteral("BoutonAnnuler"));
    Etiq_On = new QLabel(QStringLiteral("Plug ON the interface now !!!"), this);
    Etiq_On->setObjectName(QStringLiteral("Etiq_On"));
    Etiq_On->setAlignment(Qt::AlignCenter);
    QFont f = Etiq_On->font();
    f.setBold(true);
    Etiq_On->setFont(f);
    Etiq_On->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));

    platform::resizeClientTwips(this, Largeur, Hauteur);
    platform::setTwipsGeometry(ListeFichier, 240, 240, 2760, 2400);
    platform::setTwipsGeometry(BoutonOK, 3240, 240, 1320, 420);
    platform::setTwipsGeometry(BoutonHome, 3240, 840, 1320, 420);
    platform::setTwipsGeometry(BoutonAnnuler, 3240, 2220, 1320, 420);
    platform::setTwipsGeometry(Etiq_On, 240, 2880, 4320, 420);
    setWindowTitle(QStringLiteral("Tracking - Setup File"));

    connect(ListeFichier, &platform::FileList::click, this, [this] { ListeFichier_Click(); });
    connect(ListeFichier, &platform::FileList::dblClick, this, [this] { ListeFichier_DblClick(); });
    connect(BoutonOK, &QPushButton::clicked, this, [this] { BoutonOK_Click(); });
    connect(BoutonHome, &QPushButton::clicked, this, [this] { BoutonHome_Click(); });
    connect(BoutonAnnuler, &QPushButton::clicked, this, [this] { BoutonAnnuler_Click(); });
}

void FeuilleChoixFichier::Form_Load()
{
    ListeFichier->setPattern(QStringLiteral("*.dat"));
    ListeFichier->setPath(prog_.Dossier);
    ImageLogo->load(prog_.Dossier, QStringLiteral("logo.bmp"));
    // The picture alone fills the window when it is larger than the list's layout.
    const QSize client = platform::twipsToPixels(QSize(Largeur, Hauteur));
    resize(std::max(client.width(), ImageLogo->width()), std::max(client.height(), ImageLogo->height()));
    ImageLogo->move((width() - ImageLogo->width()) / 2, (height() - ImageLogo->height()) / 2);
    // Left = (screen - window) \ 2, Top = (screen - window) \ 3, in twips.
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect e = ecran->availableGeometry();
        const int sw = platform::pixelsToTwips(e.width()), sh = platform::pixelsToTwips(e.height());
        const int ww = platform::pixelsToTwips(frameGeometry().width());
        const int wh = platform::pixelsToTwips(frameGeometry().height());
        platform::moveTwips(this, platform::pixelsToTwips(e.left()) + (sw - ww) / 2,
                            platform::pixelsToTwips(e.top()) + (sh - wh) / 3);
    }
    if (!prog_.FichierStation.isEmpty())
        return;
    ImageLogo->show();
    ListeFichier->hide();
    BoutonHome->hide();
    BoutonOK->hide();
    BoutonAnnuler->hide();
    Etiq_On->hide();
    setWindowTitle(QStringLiteral("Selvane - Tracking"));
    platform::holdStartPicture(this, prog_.clock, 2.0);
    platform::showChooser(this, QStringLiteral("Tracking - Setup File"), [this] {
        ImageLogo->hide();
        ListeFichier->show();
        BoutonHome->show();
        BoutonOK->show();
        BoutonAnnuler->show();
        Etiq_On->show();
    });
}

void FeuilleChoixFichier::ListeFichier_Click() { BoutonOK->setEnabled(true); }

void FeuilleChoixFichier::ListeFichier_DblClick()
{
    if (ListeFichier->fileName().isEmpty())
        return;
    prog_.FichierStation = ListeFichier->fileName();
    prog_.LectureFichierStationTrack();
}

void FeuilleChoixFichier::BoutonOK_Click()
{
    if (ListeFichier->fileName().isEmpty())
        return;
    prog_.FichierStation = ListeFichier->fileName();
    prog_.LectureFichierStationTrack();
}

void FeuilleChoixFichier::BoutonHome_Click()
{
    prog_.FichierStation = QStringLiteral("home.dat");
    prog_.LectureFichierStationTrack();
}

void FeuilleChoixFichier::BoutonAnnuler_Click()
{
    // Without a station the quit question decides; with one the chooser
    // gives way to the station already loaded.
    if (!prog_.StationChargee) {
        prog_.DemandeQuitter();
        return;
    }
    prog_.InitialisationFenetrePrincipale();
}

void FeuilleChoixFichier::closeEvent(QCloseEvent* e)
{
    e->ignore();
    if (isVisible())
        BoutonAnnuler_Click();
}
