#include "CORRECT/FeuilleChoixFichierDat.h"

#include <QCloseEvent>

#include "CORRECT/Correct.h"
#include "platform/widgets/Accessible.h"
#include "platform/Geometry.h"
#include "platform/widgets/Window.h"

FeuilleChoixFichierDat::FeuilleChoixFichierDat(Correct& etat) : etat_(etat)
{
    // Layout in twips.
    setWindowTitle(QStringLiteral("Selvane - Setup file"));
    platform::resizeClientTwips(this, 5400, 3300);

    Etiq_On = new QLabel(QStringLiteral("Select a \".dat\" with wich the \".tcv\" file will be associated"), this);
    Etiq_On->setWordWrap(true);
    platform::setTwipsGeometry(Etiq_On, 120, 60, 5160, 480);

    ListeFichierDat = new platform::FileList(this);
    ListeFichierDat->setPath(etat_.dossier);
    ListeFichierDat->setPattern(QStringLiteral("*.dat"));
    platform::setTwipsGeometry(ListeFichierDat, 120, 600, 3240, 2535);

    BoutonOKDat = new QPushButton(QStringLiteral("OK"), this);
    platform::setTwipsGeometry(BoutonOKDat, 3600, 600, 1680, 435);
    BoutonAnnulerDat = new QPushButton(QStringLiteral("Cancel"), this);
    platform::setTwipsGeometry(BoutonAnnulerDat, 3600, 2700, 1680, 435);

    connect(ListeFichierDat, &platform::FileList::click, this, &FeuilleChoixFichierDat::ListeFichierDat_Click);
    connect(ListeFichierDat, &platform::FileList::dblClick, this, &FeuilleChoixFichierDat::ListeFichierDat_DblClick);
    connect(BoutonOKDat, &QPushButton::clicked, this, &FeuilleChoixFichierDat::BoutonOKDat_Click);
    connect(BoutonAnnulerDat, &QPushButton::clicked, this, &FeuilleChoixFichierDat::BoutonAnnulerDat_Click);
    platform::nameForScreenReaders(this); // every box and value label named by its caption
}

void FeuilleChoixFichierDat::Form_Load()
{
    platform::placeCentredThird(this);
}

// A Ctrl+click can take the selection away again: OK is then disabled, so
// that no table is saved under an empty station name (".tcv").
void FeuilleChoixFichierDat::ListeFichierDat_Click()
{
    etat_.FichierStation = ListeFichierDat->fileName();
    BoutonOKDat->setEnabled(!etat_.FichierStation.isEmpty());
}

void FeuilleChoixFichierDat::ListeFichierDat_DblClick()
{
    etat_.FichierStation = ListeFichierDat->fileName();
    if (!etat_.FichierStation.isEmpty())
        etat_.SauveFichierCorrection();
}

void FeuilleChoixFichierDat::BoutonOKDat_Click()
{
    etat_.SauveFichierCorrection();
}

void FeuilleChoixFichierDat::BoutonAnnulerDat_Click()
{
    etat_.RetourEditeur();
}

void FeuilleChoixFichierDat::closeEvent(QCloseEvent* e)
{
    e->ignore();
    BoutonAnnulerDat_Click();
}
