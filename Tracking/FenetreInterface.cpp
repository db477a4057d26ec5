#include "Tracking/FenetreInterface.h"

#include "Tracking/Controles.h"
#include "Tracking/Dessins.h"
#include "Tracking/Tracking.h"
#include "platform/Geometry.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>

using dessins::Motif;
using platform::ImageButton;

namespace {

ImageButton* boutonImage(QWidget* parent, const QString& nom, Motif m, int x, int y, ImageButton::Behaviour b,
                         int cote = 360)
{
    return controles::boutonImage(parent, nom, m, x, y, cote, cote, b);
}

QLabel* direction(QWidget* parent, const QString& nom, int sens, int x, int y)
{
    auto* l = new QLabel(parent);
    l->setObjectName(nom);
    l->setPixmap(dessins::flecheDirection(sens));
    platform::setTwipsGeometry(l, x, y, 240, 240);
    l->hide();
    return l;
}

} // namespace

using controles::cadre;
using controles::ecrit;
using controles::etiquette;
using controles::valeur;

FenetreInterface::FenetreInterface(Tracking& programme) : QMainWindow(nullptr), prog_(programme)
{
    setObjectName(QStringLiteral("FenetreInterface"));
    setWindowTitle(QStringLiteral("System Interface"));
    setFocusPolicy(Qt::StrongFocus);

    QMenuBar* barre = menuBar();
    // The window is only 3015 twips wide: narrower title padding keeps the
    // three titles on the bar instead of one behind the overflow button.
    barre->setStyleSheet(QStringLiteral("QMenuBar { spacing: 0px; } QMenuBar::item { padding: 1px 3px; }"));
    MenuAntenneP = barre->addMenu(QStringLiteral("&Antenna"));
    MenuMesureP = barre->addMenu(QStringLiteral("&Display"));
    MenuTrackParam = barre->addAction(QStringLiteral("Pa&rameters"));
    MenuAntenneP->setObjectName(QStringLiteral("MenuAntenneP"));
    MenuMesureP->setObjectName(QStringLiteral("MenuMesureP"));
    MenuTrackParam->setObjectName(QStringLiteral("MenuTrackParam"));
    MenuAntenne = new platform::MenuFamily(MenuAntenneP, this);
    const char* antenne[10] = {"Az/El position   F1", "-", "AutoTrack        F3", "-", "Parking", "-",
                               "Drive (motor)", "-", "Absolute position", "Offset / Source"};
    for (int i = 0; i < 10; ++i)
        MenuAntenne->load(i, QString::fromLatin1(antenne[i]));
    for (int i : {2, 6, 8, 9})
        MenuAntenne->action(i)->setCheckable(true);
    MenuMesure = new platform::MenuFamily(MenuMesureP, this);
    const char* mesure[5] = {"Level Meas.", "-", "Landscape", "-", "Save (Track.ini)"};
    for (int i = 0; i < 5; ++i)
        MenuMesure->load(i, QString::fromLatin1(mesure[i]));
    MenuMesure->action(0)->setCheckable(true);
    MenuMesure->action(2)->setCheckable(true);

    auto* fond = new QWidget(this);
    fond->setObjectName(QStringLiteral("Fond"));
    setCentralWidget(fond);

    // Frames of 2775 twips leave a 60-twip margin on each side of the
    // client area, 2895 twips wide for the window's 3015 (outer).
    // Inside CadreAntenne (twips): the two values with their motion arrows,
    // the three state labels in the right column, then the manual arrows as
    // a cross (90..990 across) and the drive buttons in a row right of it
    // (park, tracking, and drive power in the proportional mode). No control
    // lies over another, so a click lands on the button it shows.
    CadreAntenne = cadre(fond, QStringLiteral("CadreAntenne"), QStringLiteral("Antenna"), 60, 0, 2775, 1830);
    etiquette(CadreAntenne, QStringLiteral("EtiqAz"), QStringLiteral("Az"), 90, 240, 300, 285);
    AffAntenneAzimut = valeur(CadreAntenne, QStringLiteral("AffAntenneAzimut"), 390, 240, 840);
    etiquette(CadreAntenne, QStringLiteral("EtiqEl"), QStringLiteral("El"), 90, 600, 300, 285);
    AffAntenneElevation = valeur(CadreAntenne, QStringLiteral("AffAntenneElevation"), 390, 600, 840);
    DirAzimGauche = direction(CadreAntenne, QStringLiteral("DirAzimGauche"), 0, 1260, 262);
    DirAzimDroit = direction(CadreAntenne, QStringLiteral("DirAzimDroit"), 2, 1500, 262);
    DirElevHaut = direction(CadreAntenne, QStringLiteral("DirElevHaut"), 1, 1260, 622);
    DirElevBas = direction(CadreAntenne, QStringLiteral("DirElevBas"), 3, 1500, 622);
    const char* etats[3] = {"Tracking", "End Stop", "Parking"};
    for (int i = 0; i < 3; ++i) {
        AntenEtiq[i] = etiquette(CadreAntenne, QStringLiteral("AntenEtiq%1").arg(i), QString::fromLatin1(etats[i]),
                                 1770, 225 + i * 270, 975, 270, Qt::AlignCenter);
        AntenEtiq[i]->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0); font-weight: bold;"));
        AntenEtiq[i]->hide();
    }
    ImgHaut = boutonImage(CadreAntenne, QStringLiteral("ImgHaut"), Motif::Haut, 390, 960, ImageButton::Behaviour::ActOnce, 300);
    ImgGauche = boutonImage(CadreAntenne, QStringLiteral("ImgGauche"), Motif::Gauche, 90, 1230, ImageButton::Behaviour::ActOnce, 300);
    ImgDroit = boutonImage(CadreAntenne, QStringLiteral("ImgDroit"), Motif::Droit, 690, 1230, ImageButton::Behaviour::ActOnce, 300);
    ImgBas = boutonImage(CadreAntenne, QStringLiteral("ImgBas"), Motif::Bas, 390, 1500, ImageButton::Behaviour::ActOnce, 300);
    ImgPark = boutonImage(CadreAntenne, QStringLiteral("ImgPark"), Motif::Parking, 1020, 1080, ImageButton::Behaviour::ActOnce);
    ImgTrack = boutonImage(CadreAntenne, QStringLiteral("ImgTrack"), Motif::Poursuite, 1380, 1080, ImageButton::Behaviour::Manual);
    ImgMot = boutonImage(CadreAntenne, QStringLiteral("ImgMot"), Motif::Moteur, 1740, 1080, ImageButton::Behaviour::Manual);

    CadreSignal = cadre(fond, QStringLiteral("CadreSignal"), QStringLiteral("Level measurement"), 60, 1860, 2775, 1830);
    AffLevelGraph = new platform::PictureBox(CadreSignal);
    AffLevelGraph->setObjectName(QStringLiteral("AffLevelGraph"));
    platform::setTwipsGeometry(AffLevelGraph, 90, 240, 1545, 1365);
    AffLevelGraph->setBackColor(0x202020);
    AffLevelGraph->setPicture(dessins::echelleNiveau());
    AffLevelGraph->setForeColor(0x00FF00);
    Z1[0] = cadre(CadreSignal, QStringLiteral("Z1_0"), QStringLiteral("Average"), 1710, 210, 975, 600);
    AffLevelAverage = valeur(Z1[0], QStringLiteral("AffLevelAverage"), 90, 240, 795);
    // The level reference button below the offset value, clear of it.
    Z1[1] = cadre(CadreSignal, QStringLiteral("Z1_1"), QStringLiteral("Offset"), 1710, 840, 975, 960);
    AffOffset = valeur(Z1[1], QStringLiteral("AffOffset"), 90, 240, 795);
    ImgSignal = boutonImage(Z1[1], QStringLiteral("ImgSignal"), Motif::Signal, 307, 555, ImageButton::Behaviour::Manual);
    CadreSignal->hide();

    CadrePolar = cadre(fond, QStringLiteral("CadrePolar"), QStringLiteral("Polar measurement"), 60, 1860, 2775, 780);
    AffPolar = valeur(CadrePolar, QStringLiteral("AffPolar"), 120, 300, 840, 330);
    Label1 = etiquette(CadrePolar, QStringLiteral("Label1"), QStringLiteral(" to the horizontal"), 1020, 300, 1725, 330);
    CadrePolar->hide();

    controles::tailleExterieure(this, 3015, 2565);

    for (QMenu* m : {MenuAntenneP, MenuMesureP}) {
        connect(m, &QMenu::aboutToShow, this, [this] { prog_.Tient(); });
        connect(m, &QMenu::aboutToHide, this, [this] { prog_.Relache(); });
    }
    connect(MenuAntenne, &platform::MenuFamily::clicked, this, [this](int i) { MenuAntenne_Click(i); });
    connect(MenuMesure, &platform::MenuFamily::clicked, this, [this](int i) { MenuMesure_Click(i); });
    connect(MenuTrackParam, &QAction::triggered, this, [this] { MenuTrackParam_Click(); });
    const std::pair<ImageButton*, int> fleches[4] = {{ImgGauche, 37}, {ImgHaut, 38}, {ImgDroit, 39}, {ImgBas, 40}};
    for (const auto& [b, code] : fleches)
        connect(b, &ImageButton::activated, this, [this, code = code] {
            int k = code;
            prog_.CommandeManuelle(k);
        });
    connect(ImgMot, &ImageButton::mouseDown, this, [this] { MenuAntenne_Click(6); });
    connect(ImgPark, &ImageButton::activated, this, [this] { MenuAntenne_Click(4); });
    connect(ImgTrack, &ImageButton::mouseDown, this, [this] { prog_.PoursuiteBascule(); });
    connect(ImgSignal, &ImageButton::mouseDown, this, [this] { ImgSignal_MouseDown(); });

    // The values whose caption is their frame's title.
    platform::nameValueLabel(AffLevelAverage, QStringLiteral("Average"));
    platform::nameValueLabel(AffOffset, QStringLiteral("Offset"));
    platform::nameValueLabel(AffPolar, QStringLiteral("Polar measurement"));
    platform::nameForScreenReaders(this); // every other value label named by its caption
    // The image buttons by what they do, tracking, drive power and the level
    // reference read as checked while they show their pressed picture; the
    // motion arrows by the motion they show.
    for (ImageButton* b : {ImgTrack, ImgMot, ImgSignal})
        b->setShowsState(true);
    platform::nameControls({
        {ImgHaut, QStringLiteral("Elevation up")},
        {ImgGauche, QStringLiteral("Azimuth counter-clockwise")},
        {ImgDroit, QStringLiteral("Azimuth clockwise")},
        {ImgBas, QStringLiteral("Elevation down")},
        {ImgPark, QStringLiteral("Park")},
        {ImgTrack, QStringLiteral("Automatic tracking")},
        {ImgMot, QStringLiteral("Drive power")},
        {ImgSignal, QStringLiteral("Level relative to the reference")},
    });
    const std::pair<QLabel*, const char*> mouvements[4] = {{DirAzimGauche, "Azimuth turning counter-clockwise"},
                                                           {DirAzimDroit, "Azimuth turning clockwise"},
                                                           {DirElevHaut, "Elevation going up"},
                                                           {DirElevBas, "Elevation going down"}};
    for (const auto& [fleche, texte] : mouvements)
        platform::describePicture(fleche, [t = QString::fromLatin1(texte)] { return t; });
}

namespace {
// The image button shows its pressed picture exactly when `enfonce`.
void montre(ImageButton* b, bool enfonce)
{
    if (b->isPressedShown() != enfonce)
        enfonce ? b->showPressed() : b->showReleased();
}
} // namespace

void FenetreInterface::affiche()
{
    const suivi::Suivi& s = prog_.S;
    const suivi::ControlesEntrainement& c = s.Vu.c;
    const suivi::TrackIni& choix = prog_.Ini;
    const bool boitier = s.Station.PortCom > 0, vitesse = s.Station.SpeedControl == suivi::ModeVitesse;
    ecrit(AffAntenneAzimut, s.Aff.AffAntenneAzimut);
    ecrit(AffAntenneElevation, s.Aff.AffAntenneElevation);
    ecrit(AffLevelAverage, s.Aff.AffLevelAverage);
    ecrit(AffOffset, s.Aff.AffOffset);
    ecrit(AffPolar, s.Aff.AffPolar);
    DirAzimDroit->setVisible(c.DirAzimDroit);
    DirAzimGauche->setVisible(c.DirAzimGauche);
    DirElevHaut->setVisible(c.DirElevHaut);
    DirElevBas->setVisible(c.DirElevBas);
    for (int i = 0; i < 3; ++i)
        AntenEtiq[i]->setVisible(c.AntenEtiq[i]);
    // Menus: on while a station is tracked.
    const bool menus = prog_.menusActifs();
    platform::setMenuEnabled(MenuAntenneP, menus);
    platform::setMenuEnabled(MenuMesureP, menus);
    MenuAntenne->setEnabled(0, c.MenuAntenne0Enabled);
    MenuAntenne->setEnabled(2, c.MenuAntenne2Enabled);
    MenuAntenne->setChecked(2, c.MenuAntenne2Checked);
    MenuAntenne->setEnabled(4, s.Vu.parcPossible);
    MenuAntenne->setChecked(6, c.MenuAntenne6Checked);
    MenuAntenne->setVisible(6, vitesse);
    MenuAntenne->setChecked(8, choix.Absolu);
    MenuAntenne->setChecked(9, !choix.Absolu);
    QString titre = choix.Absolu ? QStringLiteral("Antenna position") : QStringLiteral("Antenna offset position");
    if (s.Correction.CorrectionActive)
        titre += QStringLiteral(" + tcv");
    if (CadreAntenne->title() != titre)
        CadreAntenne->setTitle(titre);
    MenuMesure->setChecked(0, choix.Mesure);
    MenuMesure->setChecked(2, choix.Paysage);
    MenuMesure->setCaption(0, s.Station.TypeMesure == QLatin1String("Signal") ? QStringLiteral("Signal Meas.")
                                                                               : QStringLiteral("Polar Meas."));
    // The buttons of a station with an interface box; drive power in the
    // proportional mode only.
    ImgPark->setVisible(boitier);
    ImgTrack->setVisible(boitier);
    ImgSignal->setVisible(boitier);
    ImgMot->setVisible(boitier && vitesse);
    ImgPark->setEnabled(s.Vu.parcPossible);
    ImgTrack->setEnabled(c.ImgTrackEnabled);
    montre(ImgTrack, c.ImgTrackPressed);
    montre(ImgMot, c.ImgMotPressed);
    montre(ImgSignal, s.Aff.ReferenceRelative);
    for (ImageButton* b : {ImgDroit, ImgGauche, ImgHaut, ImgBas})
        b->setEnabled(c.FlechesEnabled);
}

void FenetreInterface::disposition()
{
    const suivi::TrackIni& choix = prog_.Ini;
    const bool signal = prog_.S.Station.TypeMesure == QLatin1String("Signal");
    QGroupBox* f = signal ? CadreSignal : CadrePolar;
    if (!choix.Mesure) {
        CadreSignal->hide();
        CadrePolar->hide();
        controles::tailleExterieure(this, 3015, 2565);
        return;
    }
    CadreSignal->setVisible(signal);
    CadrePolar->setVisible(!signal);
    if (choix.Paysage) {
        platform::moveTwips(f, 2940, 0);
        controles::tailleExterieure(this, 5895, 2565);
    } else {
        platform::moveTwips(f, 60, 1860);
        controles::tailleExterieure(this, 3015, signal ? 4425 : 3345);
    }
}

void FenetreInterface::gardeSurEcran()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        return;
    controles::ramenerSurEcran(this, gardeEnCours_);
}

void FenetreInterface::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        controles::placerDansEcran(this, platform::pixelsToTwips(x()), platform::pixelsToTwips(y()));
}

void FenetreInterface::moveEvent(QMoveEvent* e)
{
    QMainWindow::moveEvent(e);
    gardeSurEcran();
}

void FenetreInterface::Form_KeyDown(int keyCode)
{
    int k = keyCode;
    prog_.CommandeManuelle(k);
}

void FenetreInterface::keyPressEvent(QKeyEvent* e)
{
    const int k = codeTouche(e->key());
    if (k == 0) {
        QMainWindow::keyPressEvent(e);
        return;
    }
    // A held key repeats its press: one press is one command (an arrow
    // toggles a relay, so repeats would leave it on or off by their count).
    if (e->isAutoRepeat())
        return;
    Form_KeyDown(k);
}

void FenetreInterface::closeEvent(QCloseEvent* e)
{
    e->ignore();
    prog_.DemandeQuitter();
}

void FenetreInterface::ImgSignal_MouseDown() { prog_.ReferenceNiveau(!prog_.S.Aff.ReferenceRelative); }

void FenetreInterface::MenuAntenne_Click(int index)
{
    switch (index) {
    case 0: prog_.DebutSaisiePosition(); break;
    case 2: prog_.PoursuiteBascule(); break;
    case 4: prog_.CommandeParking(); break;
    case 6: prog_.BasculeMoteurs(); break;
    case 8:
    case 9: prog_.ChoixPositionAntenne(index == 8); break;
    default: return;
    }
    prog_.rafraichit();
}

void FenetreInterface::MenuMesure_Click(int index)
{
    if (index == 0)
        prog_.BasculeMesure();
    else if (index == 2)
        prog_.BasculePaysage();
    else if (index == 4)
        prog_.SauveFichierTrackIni();
}

void FenetreInterface::MenuTrackParam_Click() { prog_.BasculeParametres(suivi::Panneau::Tracking); }
