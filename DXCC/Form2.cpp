#include "DXCC/Form2.h"

#include "assets/Assets.h"

#include <QCloseEvent>
#include <QStyle>
#include <QTableView>

#include "DXCC/BaseDXCC.h"
#include "DXCC/PositionCarte.h"
#include "DXCC/Veskaro.h"
#include "platform/Files.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/FilteredBox.h"
#include "platform/Geometry.h"
#include "platform/widgets/Window.h"

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

// Layout in twips. The client area holds the three panels, centred in the
// part left of the button column (1450 twips wide), one at a time.
constexpr int LargeurFenetre = 7400, HauteurFenetre = 3500;
constexpr int LargeurColonne = 1450;
constexpr int HauteurTitre = 400; // the panels are centred below a title bar of this height
constexpr int LargeurListe = 5355, HauteurListe = 3195;
constexpr int LargeurEditeur = 5715, HauteurEditeur = 3135;
constexpr int LargeurCarte = 5785, HauteurCarte = 3180;
constexpr int LargeurPlan = 5670, HauteurPlan = 2775; // the world-map picture, 378 x 185 pixels

const QString TitreBase = QStringLiteral("- DXCC Data Base -");

// A new control of `parent` with its caption (none for a box), at (x, y)
// and l x h twips.
template <class Controle>
Controle* controle(QWidget* parent, int x, int y, int l, int h, const QString& texte = QString())
{
    auto* c = new Controle(texte, parent);
    platform::setTwipsGeometry(c, x, y, l, h);
    return c;
}

constexpr int HauteurBoite = 345;

// A button of the column, its picture over its caption.
QToolButton* boutonImage(QWidget* parent, int x, int y, int l, int h, const QString& texte,
                         QStyle::StandardPixmap image)
{
    auto* b = new QToolButton(parent);
    b->setText(texte);
    b->setIcon(parent->style()->standardIcon(image));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    platform::setTwipsGeometry(b, x, y, l, h);
    return b;
}

// The latitude or longitude frame of the editor, at `x` twips: the captions
// "Deg", "Min" and the sign's over their three boxes.
QGroupBox* cadreCoordonnee(const QString& titre, const QString& signe, QWidget* parent, int x, QLineEdit*& deg,
                           QLineEdit*& min, QLineEdit*& sig)
{
    auto* cadre = new QGroupBox(titre, parent);
    platform::setTwipsGeometry(cadre, x, 1380, 1980, 1095);
    controle<QLabel>(cadre, 150, 300, 540, 285, QStringLiteral("Deg"));
    controle<QLabel>(cadre, 750, 300, 540, 285, QStringLiteral("Min"));
    controle<QLabel>(cadre, 1350, 300, 540, 285, signe);
    deg = controle<QLineEdit>(cadre, 150, 600, 540, HauteurBoite);
    min = controle<QLineEdit>(cadre, 750, 600, 540, HauteurBoite);
    sig = controle<QLineEdit>(cadre, 1350, 600, 540, HauteurBoite);
    return cadre;
}

} // namespace

Form2::Form2(Veskaro& etat) : etat_(etat)
{
    platform::resizeClientTwips(this, LargeurFenetre, HauteurFenetre);

    // ---- list panel
    FenetreListe = new QWidget(this);
    platform::resizeTwips(FenetreListe, LargeurListe, HauteurListe);
    GrilleDXCC = new platform::Grid(14, dxcc::NombreChamps, FenetreListe);
    platform::setTwipsGeometry(GrilleDXCC, 0, 0, LargeurListe, HauteurListe);
    GrilleDXCC->setRowHighlight(true);
    // Rows of 255 twips: the header and 11 whole data rows fill the panel, so
    // the last 11 rows can be scrolled to the top of the list.
    GrilleDXCC->setRowHeight(255);

    // ---- editor panel
    FenetreEditeur = new QWidget(this);
    platform::resizeTwips(FenetreEditeur, LargeurEditeur, HauteurEditeur);
    CadreStation = new QGroupBox(QStringLiteral("Station"), FenetreEditeur);
    platform::setTwipsGeometry(CadreStation, 120, 60, 4080, 1140);
    controle<QLabel>(CadreStation, 150, 330, 1000, 285, QStringLiteral("Callsign"));
    Indic = controle<QLineEdit>(CadreStation, 1200, 300, 1200, HauteurBoite);
    controle<QLabel>(CadreStation, 150, 750, 1000, 285, QStringLiteral("Location"));
    Lieu = controle<QLineEdit>(CadreStation, 1200, 720, 2700, HauteurBoite);

    CadreLatitude = cadreCoordonnee(QStringLiteral("Latitude"), QStringLiteral("N/S"), FenetreEditeur, 120, LatDeg,
                                    LatMin, LatSig);
    CadreLongitude = cadreCoordonnee(QStringLiteral("Longitude"), QStringLiteral("E/W"), FenetreEditeur, 2220, LonDeg,
                                     LonMin, LonSig);

    BtonEffacer = controle<QPushButton>(FenetreEditeur, 4380, 120, 1215, 495, QStringLiteral("Delete"));
    BtonCarte = controle<QPushButton>(FenetreEditeur, 4380, 780, 1215, 495, QStringLiteral("World map"));
    BtonAnnuler = controle<QPushButton>(FenetreEditeur, 4380, 1440, 1215, 495, QStringLiteral("Cancel"));
    BtonOK = controle<QPushButton>(FenetreEditeur, 4380, 2100, 1215, 495, QStringLiteral("O.K."));

    // ---- map panel
    FenetreCarte = new QWidget(this);
    platform::resizeTwips(FenetreCarte, LargeurCarte, HauteurCarte);
    Map = new platform::PictureBox(FenetreCarte);
    platform::setTwipsGeometry(Map, 57, 60, LargeurPlan, HauteurPlan);
    Map->setPicture(assets::carteMonde(QSize(LargeurPlan, HauteurPlan)));
    BoutonFinCarte = controle<QPushButton>(FenetreCarte, 4560, 2865, 1167, 315, QStringLiteral("Exit..."));

    // ---- button column
    const int xColonne = LargeurFenetre - LargeurColonne + 100, lColonne = LargeurColonne - 200;
    BtonSauve = boutonImage(this, xColonne, 120, lColonne, 735, QStringLiteral("Save"), QStyle::SP_DialogSaveButton);
    BtonRecherche = controle<QPushButton>(this, xColonne, 975, lColonne, 405, QStringLiteral("Search ..."));
    BtonEdit = controle<QPushButton>(this, xColonne, 1500, lColonne, 405, QStringLiteral("Edit ..."));
    BtonNouveau = controle<QPushButton>(this, xColonne, 2025, lColonne, 405, QStringLiteral("New ..."));
    BtonQuitter =
        boutonImage(this, xColonne, 2550, lColonne, 735, QStringLiteral("Quit ..."), QStyle::SP_DialogCloseButton);

    FenetreEditeur->hide();
    FenetreCarte->hide();
    FenetreListe->hide();

    connect(BtonNouveau, &QPushButton::clicked, this, &Form2::BtonNouveau_Click);
    connect(BtonEdit, &QPushButton::clicked, this, &Form2::BtonEdit_Click);
    connect(GrilleDXCC, &platform::Grid::dblClick, this, &Form2::GrilleDXCC_DblClick);
    connect(BtonRecherche, &QPushButton::clicked, this, &Form2::BtonRecherche_Click);
    connect(BtonSauve, &QToolButton::clicked, this, &Form2::BtonSauve_Click);
    connect(BtonQuitter, &QToolButton::clicked, this, &Form2::BtonQuitter_Click);
    connect(BtonOK, &QPushButton::clicked, this, &Form2::BtonOK_Click);
    connect(BtonAnnuler, &QPushButton::clicked, this, &Form2::BtonAnnuler_Click);
    connect(BtonEffacer, &QPushButton::clicked, this, &Form2::BtonEffacer_Click);
    connect(BtonCarte, &QPushButton::clicked, this, &Form2::BtonCarte_Click);
    connect(BoutonFinCarte, &QPushButton::clicked, this, &Form2::BoutonFinCarte_Click);
    connect(Indic, &QLineEdit::textChanged, this, &Form2::Indic_Change);
    connect(Lieu, &QLineEdit::textChanged, this, &Form2::Lieu_Change);
    connect(LatDeg, &QLineEdit::textChanged, this, &Form2::LatDeg_Change);
    connect(LatMin, &QLineEdit::textChanged, this, &Form2::LatMin_Change);
    connect(LatSig, &QLineEdit::textChanged, this, &Form2::LatSig_Change);
    connect(LonDeg, &QLineEdit::textChanged, this, &Form2::LonDeg_Change);
    connect(LonMin, &QLineEdit::textChanged, this, &Form2::LonMin_Change);
    connect(LonSig, &QLineEdit::textChanged, this, &Form2::LonSig_Change);
    // The suite's key rule: an edit of the operator is judged before the box
    // takes it. A free text that overflows passes the focus on.
    const std::array<QLineEdit*, 8> b = boites();
    for (size_t i = 0; i < b.size(); ++i) {
        const auto champ = dxcc::Champ(i);
        platform::FilteredBox* regle = platform::FilteredBox::attach(
            b[i], etat_.dialogs, [champ](const QString&, const QString& propose) { return dxcc::jugerSaisie(champ, propose); });
        if (dxcc::texteLibre(champ))
            connect(regle, &platform::FilteredBox::refused, this, [this, i, regle] {
                // Not a key refused because the focus had just moved here.
                const std::array<QLineEdit*, 8> boite = boites();
                if (!regle->guarded() && boite[i]->text().size() == dxcc::longueurChamp(dxcc::Champ(i)))
                    platform::moveFocusOn(boite[i], boite[i + 1]);
            });
    }
    // Enter on a row of the list opens it in the editor, as a double click does.
    GrilleDXCC->setEnterKey(platform::Grid::EnterKey::DoubleClick);
    const char* noms[8] = {"Indic", "Lieu", "LatDeg", "LatMin", "LatSig", "LonDeg", "LonMin", "LonSig"};
    for (size_t i = 0; i < b.size(); ++i)
        b[i]->setObjectName(QLatin1String(noms[i]));
    platform::nameForScreenReaders(this); // every box and value label named by its caption
    // The coordinate boxes share their captions: each is named with its frame.
    platform::nameControls({
        {GrilleDXCC, QStringLiteral("Prefix list")},
        {LatDeg, QStringLiteral("Latitude degrees")},
        {LatMin, QStringLiteral("Latitude minutes")},
        {LatSig, QStringLiteral("Latitude N/S")},
        {LonDeg, QStringLiteral("Longitude degrees")},
        {LonMin, QStringLiteral("Longitude minutes")},
        {LonSig, QStringLiteral("Longitude E/W")},
    });
    // The map panel shows the position the editor's boxes hold.
    platform::describePicture(Map, [this] {
        return dxcc::texteCarte(Indic->text(), Lieu->text(),
                                {LatDeg->text(), LatMin->text(), LatSig->text(), LonDeg->text(), LonMin->text(),
                                 LonSig->text()});
    });
}

std::array<QLineEdit*, 8> Form2::boites() const
{
    return {Indic, Lieu, LatDeg, LatMin, LatSig, LonDeg, LonMin, LonSig};
}

Answer Form2::question(const QString& texte, Buttons boutons, Icon icone, const QString& titre)
{
    Message = texte;
    Titre = titre;
    Reponse = etat_.dialogs.message(texte, boutons, icone, titre);
    return Reponse;
}

// ---------------------------------------------------------------- set-up

void Form2::Form_Load()
{
    platform::placeCentredThird(this);
    // Each panel centred in the area left of the button column and below the title bar.
    const int hauteur = HauteurFenetre + HauteurTitre;
    for (QWidget* p : {FenetreCarte, FenetreEditeur, FenetreListe}) {
        const int l = platform::pixelsToTwips(p->width()), h = platform::pixelsToTwips(p->height());
        platform::moveTwips(p, (LargeurFenetre - LargeurColonne - l) / 2, (hauteur - HauteurTitre - h) / 2);
    }
    setWindowTitle(QStringLiteral("Selvane V4.3.08 - DXCC Data Base Editor"));
    LectureFichierDXCC();
}

void Form2::LectureFichierDXCC()
{
    GrilleDXCC->setTextMatrix(0, 0, QStringLiteral("Prefix"));
    GrilleDXCC->setTextMatrix(0, 1, QStringLiteral("DXCC"));
    GrilleDXCC->setTextMatrix(0, 2, QStringLiteral("Lat"));
    GrilleDXCC->setTextMatrix(0, 5, QStringLiteral("Long"));
    // The titles span their columns on screen; a screen reader reads each
    // column by what it holds.
    GrilleDXCC->setColumnNames({QStringLiteral("Prefix"), QStringLiteral("DXCC entity"),
                                QStringLiteral("Latitude degrees"), QStringLiteral("Latitude minutes"),
                                QStringLiteral("North or south"), QStringLiteral("Longitude degrees"),
                                QStringLiteral("Longitude minutes"), QStringLiteral("East or west")});
    const int largeurs[dxcc::NombreChamps] = {720, 1800, 480, 360, 360, 480, 360, 360};
    for (int c = 0; c < dxcc::NombreChamps; ++c)
        GrilleDXCC->setColWidth(c, largeurs[c]);

    const dxcc::LectureDXCC lecture = dxcc::lireBaseDXCC(etat_.dossier, etat_.fautesLecture);
    const int lignes = int(lecture.lignes.size());
    GrilleDXCC->setRows(std::max(GrilleDXCC->rows(), lignes + 1));
    for (int r = 0; r < lignes; ++r)
        for (int c = 0; c < dxcc::NombreChamps; ++c)
            GrilleDXCC->setTextMatrix(r + 1, c, lecture.lignes[size_t(r)][c]);
    LectureIncomplete = lecture.incomplete;
    LignesEnregistrees = lignesDeLaListe();
    if (lecture.erreur)
        question(QStringLiteral("DXCC DataBase was not read !"), Buttons::Ok, Icon::Critical,
                 QStringLiteral("Selvane : Read Error"));
    GrilleDXCC->setRow(0);
    GrilleDXCC->setCol(0);
    FenetreListe->show();
    focusSurLaListe();
}

void Form2::focusSurLaListe()
{
    // Not on "Save" or "Quit ...", where Space, Space would save or end the
    // program. The list takes the focus with no entry selected.
    GrilleDXCC->table()->setFocus(Qt::OtherFocusReason);
}

std::vector<dxcc::Enregistrement> Form2::lignesDeLaListe() const
{
    std::vector<dxcc::Enregistrement> lignes;
    for (int r = 1; r < GrilleDXCC->rows(); ++r) {
        dxcc::Enregistrement e;
        for (int c = 0; c < dxcc::NombreChamps; ++c)
            e << GrilleDXCC->textMatrix(r, c);
        lignes.push_back(e);
    }
    return lignes;
}

bool Form2::ModificationsNonEnregistrees() const
{
    if (lignesDeLaListe() != LignesEnregistrees)
        return true;
    // An entry being typed in the editor (or checked on the map) that
    // differs from what the list holds.
    if (FenetreEditeur->isHidden() && FenetreCarte->isHidden())
        return false;
    if (ModeNouveau == 1) {
        for (QLineEdit* b : boites())
            if (!b->text().isEmpty())
                return true;
        return false;
    }
    return texteLigne() != lignesDeLaListe().at(size_t(GrilleDXCC->row() - 1)).join(QChar(9));
}

void Form2::SauveFichierDXCC()
{
    const std::vector<dxcc::Enregistrement> lignes = lignesDeLaListe();
    const platform::SaveResult r = dxcc::sauverBaseDXCC(etat_.dossier, lignes, etat_.fautesSauvegarde);
    if (r) {
        LectureIncomplete = false; // the file now holds the whole list
        LignesEnregistrees = lignes;
    } else
        question(platform::writeErrorText(r), Buttons::Ok, Icon::Critical, QStringLiteral("Selvane - DXCC Data Base"));
}

// ---------------------------------------------------------------- list

void Form2::activerBoutonsListe(bool actif)
{
    BtonSauve->setEnabled(actif);
    BtonRecherche->setEnabled(actif);
    BtonEdit->setEnabled(actif);
    BtonNouveau->setEnabled(actif);
}

void Form2::defiler(int ligne)
{
    // With 10 data rows or fewer there is nothing to scroll.
    const int haut = std::min(ligne, GrilleDXCC->rows() - 11);
    if (haut >= 1)
        GrilleDXCC->setTopRow(haut);
}

void Form2::ouvrirEditeur(int mode)
{
    FenetreEditeur->show();
    Indic->setFocus();
    FenetreListe->hide();
    activerBoutonsListe(false);
    ModeNouveau = mode;
    BtonEffacer->setEnabled(mode == 0);
}

void Form2::BtonNouveau_Click()
{
    for (QLineEdit* b : boites())
        b->clear();
    ouvrirEditeur(1);
}

void Form2::BtonEdit_Click()
{
    const int ligne = GrilleDXCC->row();
    if (ligne == 0) {
        etat_.dialogs.beep();
        question(QStringLiteral("Select a dxcc prefix !!!"), Buttons::Ok, Icon::Exclamation,
                 QStringLiteral(" - DXCC Data Base - "));
        return;
    }
    const std::array<QLineEdit*, 8> b = boites();
    for (int c = 0; c < dxcc::NombreChamps; ++c)
        b[size_t(c)]->setText(GrilleDXCC->textMatrix(ligne, c));
    GrilleDXCC->setCol(dxcc::NombreChamps - 1);
    ouvrirEditeur(0);
}

void Form2::GrilleDXCC_DblClick()
{
    if (GrilleDXCC->row() != 0)
        BtonEdit_Click();
}

void Form2::BtonRecherche_Click()
{
    for (;;) {
        const QString prefixe = etat_.dialogs.input(QStringLiteral("Enter the DXXC prefix !"),
                                                    QStringLiteral("Common Window : Station <=> DX"), QString());
        if (prefixe.isEmpty())
            return;
        if (prefixe.size() >= 7)
            continue;
        bool trouve = false;
        RecherchePrefixeGrille(prefixe, trouve);
        if (trouve)
            return;
    }
}

void Form2::RecherchePrefixeGrille(const QString& prefixe, bool& trouve)
{
    trouve = false;
    if (prefixe.isEmpty())
        return;
    for (int i = 1; i < GrilleDXCC->rows(); ++i) {
        GrilleDXCC->setRow(i);
        GrilleDXCC->setCol(0);
        if (dxcc::memePrefixe(GrilleDXCC->text(), prefixe)) {
            trouve = true;
            defiler(i);
            return;
        }
    }
    question(QStringLiteral("DXCC prefix not found !!!"), Buttons::Ok, Icon::Exclamation,
             QStringLiteral("DXCC Data Base"));
}

void Form2::BtonSauve_Click()
{
    if (question(QStringLiteral("Replace the old file ?"), Buttons::YesNo, Icon::Critical, TitreBase) != Answer::Yes)
        return;
    if (LectureIncomplete) {
        const QString texte = QStringLiteral("DXCC DataBase was not read completely !") + QChar(13) +
                              QStringLiteral("Saving replaces the whole old file with the list as shown: "
                                             "the records that were not read are lost.") +
                              QChar(13) + QStringLiteral("Replace the old file anyway ?");
        if (question(texte, Buttons::YesNo, Icon::Critical, TitreBase) != Answer::Yes)
            return;
    }
    SauveFichierDXCC();
}

void Form2::BtonQuitter_Click() { ConfirmeQuitter(); }

void Form2::ConfirmeQuitter()
{
    const QString base = platform::nameOnDisk(etat_.dossier, QStringLiteral("DXCCPREF.DBR"));
    const QString texte = platform::quitQuestion(ModificationsNonEnregistrees() ? base : QString());
    if (question(texte, Buttons::YesNo, Icon::Critical, QStringLiteral("Selvane - DXCC Data Base")) == Answer::Yes)
        etat_.FinProgramme();
}

void Form2::closeEvent(QCloseEvent* e)
{
    // The close button never closes the window by itself.
    e->ignore();
    ConfirmeQuitter();
}

// ---------------------------------------------------------------- editor

QString Form2::texteLigne() const
{
    return QStringList{Indic->text(), Lieu->text(), LatDeg->text(), LatMin->text(), LatSig->text().toUpper(),
                       LonDeg->text(), LonMin->text(), LonSig->text().toUpper()}
        .join(QChar(9));
}

void Form2::ecrireLigne(int ligne)
{
    const QStringList champs = texteLigne().split(QChar(9));
    for (int c = 0; c < dxcc::NombreChamps; ++c)
        GrilleDXCC->setTextMatrix(ligne, c, champs[c]);
}

void Form2::retourListe(int ligne)
{
    FenetreEditeur->hide();
    FenetreListe->show();
    defiler(ligne); // once shown, so that the list knows how many rows it shows
    activerBoutonsListe(true);
    ModeNouveau = 0;
    GrilleDXCC->setRow(0);
    GrilleDXCC->setCol(0);
    focusSurLaListe();
}

void Form2::BtonOK_Click()
{
    for (QLineEdit* b : boites()) {
        if (b->text().isEmpty()) {
            b->setFocus();
            platform::signalRefusal(b, etat_.dialogs);
            return;
        }
    }
    int ligne = GrilleDXCC->row();
    if (ModeNouveau == 0) {
        if (question(QStringLiteral("Replace the old DXCC ?"), Buttons::YesNo, Icon::Exclamation, TitreBase) !=
            Answer::Yes)
            return;
        ecrireLigne(ligne);
    } else {
        const QString s = Indic->text();
        // An existing prefix is looked for over every row first: the
        // bisection alone would miss it in a list that is padded or out of order.
        int existante = 0;
        for (int r = 1; r < GrilleDXCC->rows() && existante == 0; ++r)
            if (dxcc::memePrefixe(GrilleDXCC->textMatrix(r, 0), s))
                existante = r;
        if (existante != 0) {
            GrilleDXCC->setRow(existante);
            if (question(QStringLiteral("This DXCC exists. Replace ?"), Buttons::YesNo, Icon::Exclamation,
                         TitreBase) != Answer::Yes)
                return;
            ecrireLigne(existante);
            ModeNouveau = 0;
            ligne = existante;
        } else {
            GrilleDXCC->setCol(0);
            const dxcc::Bisection b = dxcc::bisection(
                [this](int r) { return GrilleDXCC->textMatrix(r, 0); }, GrilleDXCC->rows(), s);
            GrilleDXCC->addItem(texteLigne(), b.insertion);
            ligne = b.derniere;
        }
    }
    retourListe(ligne);
}

void Form2::BtonAnnuler_Click() { retourListe(); }

void Form2::BtonEffacer_Click()
{
    if (question(QStringLiteral("Click OK to remove this DXCC or Cancel !"), Buttons::OkCancel, Icon::Exclamation,
                 TitreBase) != Answer::Ok)
        return;
    const int ligne = GrilleDXCC->row();
    if (GrilleDXCC->rows() <= 2) {
        // The list keeps one data row: the last one is emptied instead.
        for (int c = 0; c < dxcc::NombreChamps; ++c)
            GrilleDXCC->setTextMatrix(ligne, c, QString());
    } else {
        GrilleDXCC->removeItem(ligne);
    }
    retourListe();
}

void Form2::BtonCarte_Click()
{
    const dxcc::PointCarte p =
        dxcc::positionSurCarte({LatDeg->text(), LatMin->text(), LatSig->text(), LonDeg->text(), LonMin->text(),
                                LonSig->text()});
    if (p.boiteVide >= 0) {
        QLineEdit* vide = boites()[size_t(p.boiteVide + 2)];
        vide->setFocus();
        platform::signalRefusal(vide, etat_.dialogs);
        return;
    }
    FenetreEditeur->hide();
    Map->cls();
    FenetreCarte->show();
    Map->setDrawWidth(3);
    if (p.surCarte)
        Map->pset(p.x, p.y, 255);
    // The one control of the map panel: Return or Space goes back.
    BoutonFinCarte->setFocus(Qt::OtherFocusReason);
}

void Form2::BoutonFinCarte_Click()
{
    FenetreCarte->hide();
    FenetreEditeur->show();
    // The position is checked: O.K. is what the operator uses next.
    BtonOK->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- field filters

void Form2::filtrer(dxcc::Champ champ)
{
    if (FenetreEditeur->isHidden())
        return;
    const std::array<QLineEdit*, 8> b = boites();
    const size_t i = size_t(champ);
    QLineEdit* boite = b[i];
    const dxcc::ResultatFiltre r = dxcc::filtrerChamp(champ, boite->text());
    if (r.texte != boite->text())
        boite->setText(r.texte); // runs this filter again on the new text, which passes it
    if (r.bip)
        etat_.dialogs.beep();
    if (r.focus == dxcc::Focus::SurLeChamp)
        boite->setFocus();
    else if (r.focus == dxcc::Focus::ChampSuivant)
        platform::moveFocusOn(boite, i + 1 < b.size() ? static_cast<QWidget*>(b[i + 1]) : BtonOK);
}

void Form2::Indic_Change() { filtrer(dxcc::Champ::Indic); }
void Form2::Lieu_Change() { filtrer(dxcc::Champ::Lieu); }
void Form2::LatDeg_Change() { filtrer(dxcc::Champ::LatDeg); }
void Form2::LatMin_Change() { filtrer(dxcc::Champ::LatMin); }
void Form2::LatSig_Change() { filtrer(dxcc::Champ::LatSig); }
void Form2::LonDeg_Change() { filtrer(dxcc::Champ::LonDeg); }
void Form2::LonMin_Change() { filtrer(dxcc::Champ::LonMin); }
void Form2::LonSig_Change() { filtrer(dxcc::Champ::LonSig); }
