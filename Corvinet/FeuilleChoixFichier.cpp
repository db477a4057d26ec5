#include "Corvinet/FeuilleChoixFichier.h"

#include "Corvinet/Corvinet.h"
#include "Corvinet/FichierStation.h"
#include "platform/widgets/Accessible.h"
#include "platform/Geometry.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>

namespace {
// Layout in twips.
constexpr int LargeurFenetre = 5400;
constexpr int HauteurFenetre = 3600;
} // namespace

FeuilleChoixFichier::FeuilleChoixFichier(Corvinet& programme) : QWidget(nullptr), prog_(programme)
{
    setObjectName(QStringLiteral("FeuilleChoixFichier"));
    ImageLogo = new platform::LogoPicture(this);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ListeFichier = new platform::FileList(this);
    ListeFichier->setObjectName(QStringLiteral("ListeFichier"));
    BoutonOK = new QPushButton(QStringLiteral("O.K."), this);
    BoutonOK->setObjectName(QStringLiteral("BoutonOK"));
    BoutonNouvFichier = new QPushButton(QStringLiteral("New file"), this);
    BoutonNouvFichier->setObjectName(QStringLiteral("BoutonNouvFichier"));
    BoutonAnnuler = new QPushButton(QStringLiteral("Cancel"), this);
    BoutonAnnuler->setObjectName(QStringLiteral("BoutonAnnuler"));

    platform::resizeClientTwips(this, LargeurFenetre, HauteurFenetre);
    platform::setTwipsGeometry(ListeFichier, 240, 240, 3120, 3120);
    platform::setTwipsGeometry(BoutonOK, 3720, 240, 1440, 420);
    platform::setTwipsGeometry(BoutonNouvFichier, 3720, 840, 1440, 420);
    platform::setTwipsGeometry(BoutonAnnuler, 3720, 2940, 1440, 420);

    connect(ListeFichier, &platform::FileList::click, this, [this] { ListeFichier_Click(); });
    connect(ListeFichier, &platform::FileList::dblClick, this, [this] { ListeFichier_DblClick(); });
    connect(BoutonOK, &QPushButton::clicked, this, [this] { BoutonOK_Click(); });
    connect(BoutonNouvFichier, &QPushButton::clicked, this, [this] { BoutonNouvFichier_Click(); });
    connect(BoutonAnnuler, &QPushButton::clicked, this, [this] { BoutonAnnuler_Click(); });
    platform::nameForScreenReaders(this); // every box and value label named by its caption
}

void FeuilleChoixFichier::Form_Load()
{
    ListeFichier->setPattern(QStringLiteral("*.dat"));
    ListeFichier->setPath(prog_.Dossier);
    ImageLogo->load(prog_.Dossier, QStringLiteral("logo.bmp"));
    // The window takes the picture's size when the picture is larger.
    const QSize client = platform::twipsToPixels(QSize(LargeurFenetre, HauteurFenetre));
    resize(std::max(client.width(), ImageLogo->width()), std::max(client.height(), ImageLogo->height()));
    ImageLogo->move((width() - ImageLogo->width()) / 2, (height() - ImageLogo->height()) / 2);
    platform::placeCentredThird(this);

    ImageLogo->show();
    ListeFichier->hide();
    BoutonOK->hide();
    BoutonNouvFichier->hide();
    BoutonAnnuler->hide();
    setWindowTitle(QStringLiteral("Selvane - Setup"));
    platform::holdStartPicture(this, prog_.clock, 2.0);

    platform::showChooser(this, QStringLiteral("Corvinet - Data file"), [this] {
        ImageLogo->hide();
        ListeFichier->show();
        BoutonOK->show();
        BoutonNouvFichier->show();
        BoutonAnnuler->show();
    });
}

void FeuilleChoixFichier::ListeFichier_Click()
{
    BoutonOK->setEnabled(true);
    prog_.FichierStation = ListeFichier->fileName();
    prog_.NomReel = prog_.FichierStation;
}

void FeuilleChoixFichier::ListeFichier_DblClick()
{
    prog_.FichierStation = ListeFichier->fileName();
    prog_.NomReel = prog_.FichierStation;
    prog_.NouveauFichier = false;
    prog_.OuvreFenetrePrincipale();
}

void FeuilleChoixFichier::BoutonOK_Click()
{
    prog_.NouveauFichier = false;
    prog_.OuvreFenetrePrincipale();
}

void FeuilleChoixFichier::BoutonNouvFichier_Click()
{
    BoutonOK->setEnabled(false);
    QString reponse;
    do {
        reponse = prog_.dialogs.input(QStringLiteral("New Setup Filename ?\""), QStringLiteral("Selvane"),
                                      QStringLiteral(".dat"));
        prog_.FichierStation = reponse;
    } while (!reponse.isEmpty() && !corvinet::nomFichierAccepte(reponse));
    prog_.NomReel = reponse.toLower();
    if (reponse.isEmpty()) return;
    prog_.NouveauFichier = true;
    prog_.OuvreFenetrePrincipale();
}

void FeuilleChoixFichier::BoutonAnnuler_Click() { prog_.ConfirmeQuitter(); }

void FeuilleChoixFichier::closeEvent(QCloseEvent* e)
{
    e->ignore();
    if (isVisible()) BoutonAnnuler_Click();
}
