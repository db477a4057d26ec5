#include "CORRECT/FeuilleChoixFichierTCV.h"

#include <QCloseEvent>

#include "CORRECT/Correct.h"
#include "platform/widgets/Accessible.h"
#include "platform/Geometry.h"
#include "platform/widgets/Window.h"

// Layout in twips.
namespace {
constexpr int LargeurClient = 5400, HauteurClient = 3300;
}

FeuilleChoixFichierTCV::FeuilleChoixFichierTCV(Correct& etat) : etat_(etat)
{
    setWindowTitle(QStringLiteral("Selvane - TCV File"));
    platform::resizeClientTwips(this, LargeurClient, HauteurClient);

    ImageLogo = new platform::LogoPicture(this);
    ImageLogo->setAlignment(Qt::AlignCenter);

    Etiq_On = new QLabel(QStringLiteral("Select a \".tcv\" file or a new file"), this);
    platform::setTwipsGeometry(Etiq_On, 120, 120, 5160, 300);

    ListeFichierTCV = new platform::FileList(this);
    ListeFichierTCV->setPath(etat_.dossier);
    ListeFichierTCV->setPattern(QStringLiteral("*.tcv"));
    platform::setTwipsGeometry(ListeFichierTCV, 120, 540, 3240, 2595);

    BoutonFichierOK = new QPushButton(QStringLiteral("OK"), this);
    platform::setTwipsGeometry(BoutonFichierOK, 3600, 540, 1680, 435);
    BoutonNouveauFichier = new QPushButton(QStringLiteral("New file ..."), this);
    platform::setTwipsGeometry(BoutonNouveauFichier, 3600, 1140, 1680, 435);
    BoutonAnnuler = new QPushButton(QStringLiteral("Cancel"), this);
    platform::setTwipsGeometry(BoutonAnnuler, 3600, 2700, 1680, 435);

    connect(ListeFichierTCV, &platform::FileList::click, this, &FeuilleChoixFichierTCV::ListeFichierTCV_Click);
    connect(ListeFichierTCV, &platform::FileList::dblClick, this, &FeuilleChoixFichierTCV::ListeFichierTCV_DblClick);
    connect(BoutonFichierOK, &QPushButton::clicked, this, &FeuilleChoixFichierTCV::BoutonFichierOK_Click);
    connect(BoutonNouveauFichier, &QPushButton::clicked, this, &FeuilleChoixFichierTCV::BoutonNouveauFichier_Click);
    connect(BoutonAnnuler, &QPushButton::clicked, this, &FeuilleChoixFichierTCV::BoutonAnnuler_Click);
    platform::nameForScreenReaders(this); // every box and value label named by its caption
}

void FeuilleChoixFichierTCV::Form_Load()
{
    platform::placeCentredThird(this);
    ImageLogo->load(etat_.dossier);
    // The picture keeps its own size, centred in the client area; a picture
    // larger than the window is shown from its centre.
    const QSize client = platform::twipsToPixels(QSize(LargeurClient, HauteurClient));
    ImageLogo->move((client.width() - ImageLogo->width()) / 2, (client.height() - ImageLogo->height()) / 2);
    ImageLogo->show();
    ListeFichierTCV->hide();
    BoutonFichierOK->hide();
    BoutonNouveauFichier->hide();
    BoutonAnnuler->hide();
    Etiq_On->hide();
    setWindowTitle(QStringLiteral("Selvane - T.C.V."));

    imageDemarrage_ = true;
    platform::holdStartPicture(this, etat_.clock);
    imageDemarrage_ = false;

    platform::showChooser(this, QStringLiteral("Selvane - T.C.V - Correction File"), [this] {
        ImageLogo->hide();
        ListeFichierTCV->show();
        BoutonFichierOK->show();
        BoutonNouveauFichier->show();
        BoutonAnnuler->show();
        Etiq_On->show();
    });
    // Enabled only once a table is chosen in the list.
    BoutonFichierOK->setEnabled(false);
}

// A Ctrl+click can take the selection away again: OK is then disabled, so
// that no table without a name is ever opened.
void FeuilleChoixFichierTCV::ListeFichierTCV_Click()
{
    etat_.FichierTCV = ListeFichierTCV->fileName();
    BoutonFichierOK->setEnabled(!etat_.FichierTCV.isEmpty());
}

void FeuilleChoixFichierTCV::ListeFichierTCV_DblClick()
{
    etat_.FichierTCV = ListeFichierTCV->fileName();
    if (!etat_.FichierTCV.isEmpty())
        etat_.LectureFichierCorrection();
}

void FeuilleChoixFichierTCV::BoutonFichierOK_Click()
{
    etat_.LectureFichierCorrection();
}

void FeuilleChoixFichierTCV::BoutonNouveauFichier_Click()
{
    BoutonFichierOK->setEnabled(false);
    etat_.NouveauFichier();
}

void FeuilleChoixFichierTCV::BoutonAnnuler_Click()
{
    etat_.ConfirmeQuitter();
}

void FeuilleChoixFichierTCV::closeEvent(QCloseEvent* e)
{
    e->ignore();
    if (!imageDemarrage_ && !etat_.programmeTermine())
        etat_.ConfirmeQuitter();
}
