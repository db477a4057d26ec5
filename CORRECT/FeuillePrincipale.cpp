#include "CORRECT/FeuillePrincipale.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QTableWidget>

#include "CORRECT/Correct.h"
#include "CORRECT/FiltreTouche.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/FilteredBox.h"
#include "platform/Geometry.h"
#include "platform/widgets/Window.h"

namespace {
// Layout in twips.
constexpr int LargeurColonne = 1600;
constexpr int Centre = 2; // grid alignment code
constexpr int LargeurClient = 5370, HauteurClient = 6240;
} // namespace

FeuillePrincipale::FeuillePrincipale(Correct& etat) : etat_(etat)
{
    setWindowTitle(QStringLiteral("Selvane 4.3.08 - TCV Editor"));
    platform::resizeClientTwips(this, LargeurClient, HauteurClient);

    GrilleCorrection = new platform::Grid(1 + correction::NombreEnregistrements, 3, this);
    // Three columns of 1600 twips, the vertical scroll bar and the frame.
    platform::setTwipsGeometry(GrilleCorrection, 120, 120, 5130, 5280);
    preparerGrille();

    BoutonSauve = new QPushButton(QStringLiteral("Save"), this);
    platform::setTwipsGeometry(BoutonSauve, 120, 5640, 1455, 435);
    BoutonQuitter = new QPushButton(QStringLiteral("Quit"), this);
    platform::setTwipsGeometry(BoutonQuitter, 3795, 5640, 1455, 435);

    connect(BoutonSauve, &QPushButton::clicked, this, &FeuillePrincipale::BoutonSauve_Click);
    connect(BoutonQuitter, &QPushButton::clicked, this, &FeuillePrincipale::BoutonQuitter_Click);
    connect(GrilleCorrection, &platform::Grid::click, this, &FeuillePrincipale::GrilleCorrection_Click);
    connect(GrilleCorrection, &platform::Grid::rowColChange, this, &FeuillePrincipale::GrilleCorrection_RowColChange);
    connect(GrilleCorrection, &platform::Grid::keyPress, this, &FeuillePrincipale::GrilleCorrection_KeyPress);
    platform::nameForScreenReaders(this); // every box and value label named by its caption
    platform::nameControls({{GrilleCorrection, QStringLiteral("Correction table")}});
}

void FeuillePrincipale::Form_Load()
{
    platform::placeCentredThird(this);
}

void FeuillePrincipale::preparerGrille()
{
    static const char* const titres[] = {"Azimut Meas.", "Azim. correct.", "Elev. correct."};
    for (int c = 0; c < 3; ++c) {
        GrilleCorrection->setTextMatrix(0, c, QString::fromLatin1(titres[c]));
        GrilleCorrection->setColWidth(c, LargeurColonne);
        GrilleCorrection->setColAlignment(c, Centre);
        GrilleCorrection->setFixedAlignment(c, Centre);
    }
}

void FeuillePrincipale::afficherTable(const correction::TableCorrection& table)
{
    for (int k = 0; k < correction::NombreEnregistrements; ++k) {
        GrilleCorrection->setTextMatrix(k + 1, 0, table[k].azimut);
        GrilleCorrection->setTextMatrix(k + 1, 1, table[k].correctionAz);
        GrilleCorrection->setTextMatrix(k + 1, 2, table[k].correctionEl);
    }
}

correction::TableCorrection FeuillePrincipale::table() const
{
    correction::TableCorrection t;
    for (int k = 0; k < correction::NombreEnregistrements; ++k)
        t[k] = {GrilleCorrection->textMatrix(k + 1, 0), GrilleCorrection->textMatrix(k + 1, 1),
                GrilleCorrection->textMatrix(k + 1, 2)};
    return t;
}

void FeuillePrincipale::selectionnerPremiereCellule()
{
    GrilleCorrection->setRow(1);
    GrilleCorrection->setCol(1);
    // Keys go to the grid at once; its focus frame marks the current cell.
    GrilleCorrection->table()->setFocus();
}

void FeuillePrincipale::BoutonSauve_Click()
{
    etat_.ChoixStation();
}

void FeuillePrincipale::BoutonQuitter_Click()
{
    etat_.ConfirmeQuitter();
}

void FeuillePrincipale::GrilleCorrection_Click()
{
    etat_.PremiereTouche = true;
    etat_.TexteAvantSaisie.reset();
}

// Moving to another cell with the arrow keys also starts a fresh entry, as a
// click does.
void FeuillePrincipale::GrilleCorrection_RowColChange()
{
    etat_.PremiereTouche = true;
    etat_.TexteAvantSaisie.reset();
}

void FeuillePrincipale::GrilleCorrection_KeyPress(int keyAscii)
{
    const int ligne = GrilleCorrection->row(), colonne = GrilleCorrection->col();
    if (ligne == 0 || colonne == 0)
        return;
    const QString texte = GrilleCorrection->text();
    // Ctrl+V (22): the clipboard's text is one edit of the cell.
    const correct::ResultatTouche r =
        keyAscii == 22 ? correct::filtreCollage(texte, QGuiApplication::clipboard()->text(), etat_.PremiereTouche)
                       : correct::filtreTouche(texte, keyAscii, etat_.PremiereTouche);
    if (r.refusee) {
        // The cell keeps its text; the refusal shows on it as on every box.
        platform::signalRefusal(GrilleCorrection->table()->viewport(), etat_.dialogs,
                                GrilleCorrection->cellRect(ligne, colonne));
        if (r.horsLimites) {
            // A value that cannot stand: the cell gets back what it held
            // before the entry, and the next key starts a new one.
            if (etat_.TexteAvantSaisie)
                GrilleCorrection->setText(*etat_.TexteAvantSaisie);
            etat_.TexteAvantSaisie.reset();
            etat_.PremiereTouche = true;
            etat_.dialogs.message(correct::messageHorsLimites(), platform::Buttons::Ok, platform::Icon::Critical,
                                  correct::titreValeursCorrection());
            // Back to the cell the value was typed into.
            GrilleCorrection->setRow(ligne);
            GrilleCorrection->setCol(colonne);
            GrilleCorrection->table()->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    if (!etat_.TexteAvantSaisie)
        etat_.TexteAvantSaisie = texte;
    etat_.PremiereTouche = r.premiereTouche;
    GrilleCorrection->setText(r.texte);
    if (r.pleine)
        etat_.dialogs.beep();
}

void FeuillePrincipale::closeEvent(QCloseEvent* e)
{
    e->ignore();
    if (!etat_.programmeTermine())
        etat_.ConfirmeQuitter();
}
