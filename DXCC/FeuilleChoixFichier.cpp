#include "DXCC/FeuilleChoixFichier.h"

#include "DXCC/Form2.h"
#include "DXCC/Veskaro.h"
#include "platform/Geometry.h"

FeuilleChoixFichier::FeuilleChoixFichier(Veskaro& etat) : etat_(etat)
{
    ImageLogo = new platform::LogoPicture(this);
    ImageLogo->setAlignment(Qt::AlignCenter);
}

void FeuilleChoixFichier::Form_Load()
{
    // A missing logo shows an empty framed area of the same default size.
    ImageLogo->load(etat_.dossier);
    ImageLogo->move(0, 0);
    setFixedSize(ImageLogo->size());
    platform::placeCentredThird(this);
    ImageLogo->show();
    setWindowTitle(QStringLiteral("Selvane - DXCC Editor"));

    platform::holdStartPicture(this, etat_.clock);

    ImageLogo->hide();
    hide();
    etat_.form2().show();
}
