#include "Tracking/FenetrePrincipale.h"

#include "Tracking/Controles.h"
#include "Tracking/Descriptions.h"
#include "Tracking/Dessins.h"
#include "Tracking/Tracking.h"
#include "assets/Assets.h"
#include "platform/Geometry.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/ScreenReader.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>
#include <QWindowStateChangeEvent>

using dessins::Motif;
using platform::ImageButton;

using controles::cadre;
using controles::ecrit;
using controles::etiquette;
using controles::valeur;

namespace {

// The main window's image buttons act while held (the handlers read the
// pressed state); 480 twips square unless given.
ImageButton* boutonImage(QWidget* parent, const QString& nom, Motif m, int x, int y, int w = 480, int h = 480)
{
    return controles::boutonImage(parent, nom, m, x, y, w, h, ImageButton::Behaviour::Manual);
}

// The image button shows its pressed picture exactly when `enfonce`.
void montre(ImageButton* b, bool enfonce)
{
    if (b->isPressedShown() != enfonce)
        enfonce ? b->showPressed() : b->showReleased();
}

void couleur(QWidget* w, quint32 c)
{
    const QColor q = platform::PictureBox::toQColor(c);
    const QString s = QStringLiteral("background-color: %1;").arg(q.name());
    if (w->styleSheet() != s)
        w->setStyleSheet(s);
}

} // namespace

FenetrePrincipale::FenetrePrincipale(Tracking& programme) : QMainWindow(nullptr), prog_(programme)
{
    setObjectName(QStringLiteral("FenetrePrincipale"));
    setWindowTitle(QStringLiteral("Tracking"));
    setFocusPolicy(Qt::StrongFocus);

    // ---- menus ----
    QMenuBar* barre = menuBar();
    MenuFichierP = barre->addMenu(QStringLiteral("&File"));
    MenuSourceP = barre->addMenu(QStringLiteral("&Sources"));
    MenuTraficP = barre->addMenu(QStringLiteral("&Traffic"));
    MenuFenetreP = barre->addMenu(QStringLiteral("&Display"));
    MenuParametreP = barre->addAction(QStringLiteral("&Parameters"));
    MenuAboutP = barre->addMenu(QStringLiteral("&About ..."));
    MenuFichierP->setObjectName(QStringLiteral("MenuFichierP"));
    MenuSourceP->setObjectName(QStringLiteral("MenuSourceP"));
    MenuTraficP->setObjectName(QStringLiteral("MenuTraficP"));
    MenuFenetreP->setObjectName(QStringLiteral("MenuFenetreP"));
    MenuParametreP->setObjectName(QStringLiteral("MenuParametreP"));
    MenuAboutP->setObjectName(QStringLiteral("MenuAboutP"));

    MenuFichier = new platform::MenuFamily(MenuFichierP, this);
    MenuFichier->load(0, QStringLiteral("New"));
    MenuFichier->load(1, QStringLiteral("-"));
    MenuFichier->load(2, QStringLiteral("Quit"));
    MenuSource = new platform::MenuFamily(MenuSourceP, this);
    const char* sources[12] = {"Moon",     "Sun",      "Cassiopeia-A", "Sagittarius-A", "Cygnus-A", "Omega 17",
                               "Taurus-A", "-",        "Pictor-A",     "Cold Sky",      "-",        "Other (ra,dec)"};
    for (int i = 0; i < 12; ++i) {
        MenuSource->load(i, QString::fromLatin1(sources[i]));
        if (i != 7 && i != 10)
            MenuSource->action(i)->setCheckable(true);
    }
    MenuPeriode = new platform::MenuFamily(MenuTraficP, this);
    MenuPeriode->load(0, QStringLiteral("1 Period"));
    MenuPeriode->load(1, QStringLiteral("2 Period"));
    MenuPeriode->load(2, QStringLiteral("-"));
    MenuDuree = new platform::MenuFamily(MenuTraficP, this);
    MenuDuree->load(0, QStringLiteral("1 mn"));
    MenuDuree->load(1, QStringLiteral("2 mn"));
    MenuDuree->load(2, QStringLiteral("2,5 mn"));
    for (int i = 0; i < 3; ++i) {
        MenuDuree->action(i)->setCheckable(true);
        if (i < 2)
            MenuPeriode->action(i)->setCheckable(true);
    }
    MenuFenetre = new platform::MenuFamily(MenuFenetreP, this);
    MenuFenetre->load(1, QStringLiteral("World Map"));
    MenuFenetre->load(2, QStringLiteral("Sky Map"));
    MenuFenetre->load(3, QStringLiteral("-"));
    MenuFenetre->load(4, QStringLiteral("Save (Track.ini)"));
    MenuFenetre->action(1)->setCheckable(true);
    MenuFenetre->action(2)->setCheckable(true);
    MenuAbout = new platform::MenuFamily(MenuAboutP, this);
    const char* apropos[6] = {"Selvane V.4.3.08", "    (32 bits version)", "      For Windows", "-",
                              "   Tracking App.", "-"};
    for (int i = 0; i < 6; ++i)
        MenuAbout->load(i + 1, QString::fromLatin1(apropos[i]));

    // ---- contents (twips in the client area below the menu bar) ----
    auto* fond = new QWidget(this);
    fond->setObjectName(QStringLiteral("Fond"));
    setCentralWidget(fond);

    CadreSource = cadre(fond, QStringLiteral("CadreSource"), QStringLiteral("Moon"), 60, 0, 2520, 1260);
    CadreBoutonSource = new QWidget(CadreSource);
    CadreBoutonSource->setObjectName(QStringLiteral("CadreBoutonSource"));
    // The three source buttons 60 twips apart leave "Below Horizon" room for
    // its longer word in bold on each of its two lines.
    platform::setTwipsGeometry(CadreBoutonSource, 60, 240, 1560, 480);
    ImgLune = boutonImage(CadreBoutonSource, QStringLiteral("ImgLune"), Motif::Lune, 0, 0);
    ImgSoleil = boutonImage(CadreBoutonSource, QStringLiteral("ImgSoleil"), Motif::Soleil, 540, 0);
    ImgCiel = boutonImage(CadreBoutonSource, QStringLiteral("ImgCiel"), Motif::Ciel, 1080, 0);
    SourcEtiq = etiquette(CadreSource, QStringLiteral("SourcEtiq"), QStringLiteral("Below Horizon"), 1650, 240,
                          840, 480, Qt::AlignCenter);
    SourcEtiq->setWordWrap(true);
    SourcEtiq->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0); font-weight: bold;"));
    SourcEtiq->hide();
    etiquette(CadreSource, QStringLiteral("EtiqAzimut"), QStringLiteral("Azimuth"), 60, 720, 1080, 210);
    etiquette(CadreSource, QStringLiteral("EtiqElevation"), QStringLiteral("Elevation"), 1260, 720, 1080, 210);
    AffSourceAzimut = valeur(CadreSource, QStringLiteral("AffSourceAzimut"), 60, 945, 1080);
    AffSourceElevation = valeur(CadreSource, QStringLiteral("AffSourceElevation"), 1260, 945, 1080);

    CadreUTC = cadre(fond, QStringLiteral("CadreUTC"), QStringLiteral("UTC"), 2640, 0, 1800, 1260);
    AffUTCTime = etiquette(CadreUTC, QStringLiteral("AffUTCTime"), QString(), 60, 210, 1680, 420, Qt::AlignCenter);
    QFont grand = AffUTCTime->font();
    grand.setPointSize(grand.pointSize() + 5);
    grand.setBold(true);
    AffUTCTime->setFont(grand);
    AffUTCJour = etiquette(CadreUTC, QStringLiteral("AffUTCJour"), QString(), 60, 660, 1680, 240, Qt::AlignCenter);
    AffUTCDate = etiquette(CadreUTC, QStringLiteral("AffUTCDate"), QString(), 60, 930, 1680, 240, Qt::AlignCenter);

    // Value boxes wide enough for "-12.34 dB" with its sign.
    CadreFrequence = cadre(fond, QStringLiteral("CadreFrequence"), QStringLiteral("Frequency (MHz)"), 4500, 0,
                           2040, 1260);
    AffFrequence = etiquette(CadreFrequence, QStringLiteral("AffFrequence"), QString(), 60, 210, 1920, 360,
                             Qt::AlignCenter);
    QFont moyen = AffFrequence->font();
    moyen.setPointSize(moyen.pointSize() + 3);
    moyen.setBold(true);
    AffFrequence->setFont(moyen);
    EtiqDoppler = etiquette(CadreFrequence, QStringLiteral("EtiqDoppler"), QStringLiteral("Doppler"), 60, 630,
                            960, 270);
    AffFreqDoppler = valeur(CadreFrequence, QStringLiteral("AffFreqDoppler"), 1020, 630, 960);
    EtiqLoss = etiquette(CadreFrequence, QStringLiteral("EtiqLoss"), QStringLiteral("Extra loss"), 60, 930, 960,
                         270);
    AffExtraLoss = valeur(CadreFrequence, QStringLiteral("AffExtraLoss"), 1020, 930, 960);

    CadreTraffic = cadre(fond, QStringLiteral("CadreTraffic"), QStringLiteral("Traffic"), 6600, 0, 2100, 1260);
    ImgPeriode = boutonImage(CadreTraffic, QStringLiteral("ImgPeriode"), Motif::Periode, 300, 240, 600, 420);
    ImgDuree = boutonImage(CadreTraffic, QStringLiteral("ImgDuree"), Motif::Duree, 1200, 240, 600, 420);
    CadrePeriode = new QWidget(CadreTraffic);
    CadrePeriode->setObjectName(QStringLiteral("CadrePeriode"));
    platform::setTwipsGeometry(CadrePeriode, 82, 840, 1935, 300);
    CadrePeriode->setAttribute(Qt::WA_StyledBackground);
    CadrePeriode->setStyleSheet(QStringLiteral("background-color: #c0c0c0;"));
    AffPeriode = new QLabel(CadrePeriode);
    AffPeriode->setObjectName(QStringLiteral("AffPeriode"));
    AffNextPeriode = new QLabel(CadrePeriode);
    AffNextPeriode->setObjectName(QStringLiteral("AffNextPeriode"));
    platform::setTwipsGeometry(AffPeriode, 0, 0, 1935, 300);
    platform::setTwipsGeometry(AffNextPeriode, 1935, 0, 0, 300);
    CadrePeriode->hide();

    // World map and DXCC frame.
    CadreMap = cadre(fond, QStringLiteral("CadreMap"), QStringLiteral("Map"), 60, 1320, 8640, 3120);
    EMEWindow = new platform::PictureBox(CadreMap);
    EMEWindow->setObjectName(QStringLiteral("EMEWindow"));
    EMEWindow->setPicture(assets::carteMonde());
    platform::setTwipsGeometry(EMEWindow, 60, 240, 5670, 2770);
    CadreDXCC = cadre(CadreMap, QStringLiteral("CadreDXCC"), QStringLiteral("DXCC"), 5820, 180, 2760, 2880);
    BoutonDXCC = new QPushButton(QStringLiteral("DXCC"), CadreDXCC);
    BoutonDXCC->setObjectName(QStringLiteral("BoutonDXCC"));
    platform::setTwipsGeometry(BoutonDXCC, 720, 270, 1320, 360);
    const char* etiqDX[5] = {"Azimuth (Deg)", "Elevation (Deg)", "Doppler Off. (Hz)", "Polar Off. (Deg) ",
                             "Distance (Km) "};
    const char* nomsDX[5] = {"EtiqAzimDX", "EtiqElevDX", "EtiqDopplerDX", "EtiqPolarDX", "EtiqDistance"};
    QLabel** affDX[5] = {&AffAzimDX, &AffElevDX, &AffDopplerDX, &AffPolarDX, &AffDistance};
    const char* nomsAffDX[5] = {"AffAzimDX", "AffElevDX", "AffDopplerDX", "AffPolarDX", "AffDistance"};
    for (int i = 0; i < 5; ++i) {
        const int y = 780 + i * 420;
        etiquette(CadreDXCC, QString::fromLatin1(nomsDX[i]), QString::fromLatin1(etiqDX[i]), 90, y, 1620, 285);
        *affDX[i] = valeur(CadreDXCC, QString::fromLatin1(nomsAffDX[i]), 1740, y, 930);
    }

    // Radio-sky map: the chart at (15, 30) of the frame, so that the markers
    // placed in frame twips land on their points.
    CadreSkyMap = cadre(fond, QStringLiteral("CadreSkyMap"), QStringLiteral("SkyMap"), 60, 1320, 8640, 3120);
    Aff_Ciel = new platform::PictureBox(CadreSkyMap);
    Aff_Ciel->setObjectName(QStringLiteral("Aff_Ciel"));
    Aff_Ciel->setPicture(assets::carteCielTracking());
    Aff_Ciel->setForeColor(0xFFFFFF);
    platform::setTwipsGeometry(Aff_Ciel, 15, 30, 5760, 2760);
    ImgPosSol = new QLabel(CadreSkyMap);
    ImgPosSol->setObjectName(QStringLiteral("ImgPosSol"));
    ImgPosSol->setPixmap(QPixmap::fromImage(assets::marqueurSoleil()));
    ImgPosLune = new QLabel(CadreSkyMap);
    ImgPosLune->setObjectName(QStringLiteral("ImgPosLune"));
    ImgPosLune->setScaledContents(true);
    ImgPosAnt = new QLabel(CadreSkyMap);
    ImgPosAnt->setObjectName(QStringLiteral("ImgPosAnt"));
    ImgPosAnt->setPixmap(dessins::iconeAntenne());
    for (QLabel* m : {ImgPosSol, ImgPosLune, ImgPosAnt}) {
        platform::resizeTwips(m, 270, 270);
        m->setAttribute(Qt::WA_TransparentForMouseEvents);
        m->hide();
    }
    CadreInfoSource = cadre(CadreSkyMap, QStringLiteral("CadreInfoSource"), QStringLiteral("Moon"), 5850, 180,
                            2730, 1500);
    etiquette(CadreInfoSource, QStringLiteral("EtiqHA"), QStringLiteral("Hour angle"), 90, 240, 1020, 285);
    AffHA = valeur(CadreInfoSource, QStringLiteral("AffHA"), 1140, 240, 960);
    etiquette(CadreInfoSource, QStringLiteral("EtiqDecl"), QStringLiteral("Declination"), 90, 630, 1020, 285);
    AffDecl = valeur(CadreInfoSource, QStringLiteral("AffDecl"), 1140, 630, 960);
    etiquette(CadreInfoSource, QStringLiteral("EtiqTemp"), QStringLiteral("Sky temp."), 90, 1020, 1020, 285);
    AffTemp = valeur(CadreInfoSource, QStringLiteral("AffTemp"), 1140, 1020, 960);
    AffIconeLune = new QLabel(CadreInfoSource);
    AffIconeLune->setObjectName(QStringLiteral("AffIconeLune"));
    platform::setTwipsGeometry(AffIconeLune, 2160, 480, 480, 480);
    CadreInfoSource->hide();
    CadreAboutInfo = cadre(CadreSkyMap, QStringLiteral("CadreAboutInfo"), QStringLiteral("About..."), 5850, 1740,
                           2730, 1260);
    ImgInfo = new ImageButton(QPixmap::fromImage(assets::boutonInfoCiel()),
                              QPixmap::fromImage(assets::boutonInfoCiel()), ImageButton::Behaviour::ActOnce,
                              CadreAboutInfo);
    ImgInfo->setObjectName(QStringLiteral("ImgInfo"));
    ImgInfo->showReleased();
    platform::setTwipsGeometry(ImgInfo, 1125, 420, 480, 480);
    // The legend: the numbered source markers of the chart (1 Cassiopeia-A
    // .. 7 Cold Sky) beside the temperature bands of the station's band. It
    // covers the right of the chart while it is shown.
    CadreinfoCiel = cadre(CadreSkyMap, QStringLiteral("CadreinfoCiel"), QStringLiteral("Radio Sky Map @ 144 MHz"),
                          4080, 180, 4500, 2820);
    CadreinfoCiel->setAutoFillBackground(true); // covers the Moon's figures while shown
    auto* cleSources = new QLabel(CadreinfoCiel);
    cleSources->setObjectName(QStringLiteral("CleSources"));
    cleSources->setPixmap(QPixmap::fromImage(assets::cleSourcesCiel()));
    cleSources->setScaledContents(true);
    platform::setTwipsGeometry(cleSources, 120, 240, 1545, 2280);
    for (int i = 0; i < 8; ++i) {
        auto* c = new QLabel(CadreinfoCiel);
        c->setObjectName(QStringLiteral("CouleurTemp%1").arg(i));
        c->setAutoFillBackground(true);
        // Label i names band i, coolest first: the swatch beside it is coloured so.
        c->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;")
                             .arg(assets::couleurBandeCiel(i).name()));
        platform::setTwipsGeometry(c, 1860, 270 + i * 270, 360, 210);
        Etiq_Temp[i] = etiquette(CadreinfoCiel, QStringLiteral("Etiq_Temp%1").arg(i), QString(), 2340,
                                 255 + i * 270, 2040, 240);
    }
    BoutonInfoOK = new QPushButton(QStringLiteral("O.K"), CadreinfoCiel);
    BoutonInfoOK->setObjectName(QStringLiteral("BoutonInfoOK"));
    platform::setTwipsGeometry(BoutonInfoOK, 2880, 2460, 840, 300);
    CadreinfoCiel->hide();

    // Setup panels over the frames, the width of the maps: room for the 16
    // lines of the Tracking setup text above the button, its longest line
    // (the drive mode's) included.
    CadreParametres = cadre(fond, QStringLiteral("CadreParametres"), QStringLiteral("General setup"), 60, 30,
                            8640, 4440);
    CadreParametres->setAutoFillBackground(true);
    Aff_Parametres = etiquette(CadreParametres, QStringLiteral("Aff_Parametres"), QString(), 120, 240, 8400, 3720,
                               Qt::AlignLeft | Qt::AlignTop);
    BoutonOKParametres = new QPushButton(QStringLiteral("O.K."), CadreParametres);
    BoutonOKParametres->setObjectName(QStringLiteral("BoutonOKParametres"));
    platform::setTwipsGeometry(BoutonOKParametres, 3900, 4020, 840, 330);
    CadreParametres->hide();

    // ---- events ----
    for (QMenu* m : {MenuFichierP, MenuSourceP, MenuTraficP, MenuFenetreP, MenuAboutP}) {
        connect(m, &QMenu::aboutToShow, this, [this] { prog_.Tient(); });
        connect(m, &QMenu::aboutToHide, this, [this] { prog_.Relache(); });
    }
    connect(MenuFichier, &platform::MenuFamily::clicked, this, [this](int i) { MenuFichier_Click(i); });
    connect(MenuSource, &platform::MenuFamily::clicked, this, [this](int i) { MenuSource_Click(i); });
    connect(MenuPeriode, &platform::MenuFamily::clicked, this, [this](int i) { MenuPeriode_Click(i); });
    connect(MenuDuree, &platform::MenuFamily::clicked, this, [this](int i) { MenuDuree_Click(i); });
    connect(MenuFenetre, &platform::MenuFamily::clicked, this, [this](int i) { MenuFenetre_Click(i); });
    connect(MenuParametreP, &QAction::triggered, this, [this] { MenuParametreP_Click(); });
    connect(ImgLune, &ImageButton::mouseDown, this, [this] { prog_.ChoixSourceBoutonEnfonce(0); });
    connect(ImgLune, &ImageButton::mouseUp, this, [this] { ImgSource_MouseUp(0); });
    connect(ImgSoleil, &ImageButton::mouseDown, this, [this] { prog_.ChoixSourceBoutonEnfonce(1); });
    connect(ImgSoleil, &ImageButton::mouseUp, this, [this] { ImgSource_MouseUp(1); });
    connect(ImgCiel, &ImageButton::mouseDown, this, [this] { prog_.ChoixSourceBoutonEnfonce(9); });
    connect(ImgCiel, &ImageButton::mouseUp, this, [this] { ImgSource_MouseUp(9); });
    connect(ImgPeriode, &ImageButton::mouseDown, this, [this] { prog_.BasculePeriode(); });
    connect(ImgDuree, &ImageButton::mouseDown, this, [this] { prog_.BasculeDuree(); });
    connect(BoutonDXCC, &QPushButton::clicked, this, [this] { BoutonDXCC_Click(); });
    EMEWindow->installEventFilter(this);
    connect(EMEWindow, &platform::PictureBox::mouseDown, this,
            [this](int, int, double x, double y) { EMEWindow_MouseDown(x, y); });
    connect(ImgInfo, &ImageButton::activated, this, [this] { ImgInfo_Click(); });
    connect(BoutonInfoOK, &QPushButton::clicked, this, [this] { BoutonInfoOK_Click(); });
    connect(BoutonOKParametres, &QPushButton::clicked, this, [this] { BoutonOKParametres_Click(); });

    // The values whose caption is their frame's title.
    platform::nameValueLabel(AffUTCTime, QStringLiteral("UTC"));
    platform::nameValueLabel(AffFrequence, QStringLiteral("Frequency (MHz)"));
    platform::nameForScreenReaders(this); // every other value label named by its caption
    // The image buttons by what they do, the source, period and length
    // buttons read as checked while they show their pressed picture; the two
    // O.K. buttons by what they close. The push buttons take the focus by
    // the Tab key and leave the arrow keys to the antenna's manual steps.
    for (ImageButton* b : {ImgLune, ImgSoleil, ImgCiel}) {
        b->setShowsState(true, ImageButton::StateKind::OneOfMany);
        b->setSaysStateChanges(false); // the window says the source chosen
    }
    // The period and length buttons switch between two choices: read with
    // the one in force.
    const suivi::Suivi& etat = prog_.S;
    ImgPeriode->setStateText(
        [&etat] { return etat.PeriodeTrafic == 0 ? QStringLiteral("first") : QStringLiteral("second"); });
    ImgDuree->setStateText([&etat] {
        return etat.DureePeriode == 2 ? QStringLiteral("2.5 minutes")
               : etat.DureePeriode == 1 ? QStringLiteral("2 minutes")
                                        : QStringLiteral("1 minute");
    });
    platform::nameControls({
        {ImgLune, QStringLiteral("Moon")},
        {ImgSoleil, QStringLiteral("Sun")},
        {ImgCiel, QStringLiteral("Cold Sky")},
        {ImgPeriode, QStringLiteral("Traffic period")},
        {ImgDuree, QStringLiteral("Period length")},
        {ImgInfo, QStringLiteral("Radio-sky map key")},
        {BoutonDXCC, QStringLiteral("Enter a DX prefix")},
        {BoutonInfoOK, QStringLiteral("Close the radio-sky map key")},
        {BoutonOKParametres, QStringLiteral("Close the setup")},
    });
    for (QPushButton* b : {BoutonDXCC, BoutonInfoOK, BoutonOKParametres})
        platform::leaveArrowKeysToWindow(b);
    // The pictures that carry information, read as what they show.
    const suivi::Suivi& s = prog_.S;
    platform::describePicture(CadrePeriode, [&s] { return descriptions::textePeriode(s); });
    platform::describePicture(AffIconeLune, [&s] { return descriptions::textePhaseLune(s.Aff.PhaseLune); });
    platform::describePicture(Aff_Ciel, [&s] { return descriptions::texteCarteCiel(s.Aff, s.Station.PortCom > 0); });
    platform::describePicture(ImgPosLune, [] { return QStringLiteral("Moon marker"); });
    platform::describePicture(ImgPosSol, [] { return QStringLiteral("Sun marker"); });
    platform::describePicture(ImgPosAnt, [] { return QStringLiteral("Antenna marker"); });
    platform::describePicture(cleSources, [] { return descriptions::texteCleSources(); });
    for (int i = 0; i < 8; ++i)
        platform::describePicture(CadreinfoCiel->findChild<QLabel*>(QStringLiteral("CouleurTemp%1").arg(i)),
                                  [l = Etiq_Temp[i]] { return QStringLiteral("Chart colour of ") + l->text(); });
    platform::describePicture(EMEWindow, [&s] { return descriptions::texteCarteMonde(s); });
    Form_Load();
}

void FenetrePrincipale::Form_Load()
{
    // 8840 x 5220 twips with the frame, as the interface window's sizes.
    controles::tailleExterieure(this, 8840, 5220);
    gardeSurEcran();
}

void FenetrePrincipale::gardeSurEcran() { controles::ramenerSurEcran(this, gardeEnCours_); }

void FenetrePrincipale::affiche()
{
    const suivi::Suivi& s = prog_.S;
    const suivi::Affichage& a = s.Aff;
    const suivi::ControlesEntrainement& c = s.Vu.c;
    ecrit(AffUTCTime, a.AffUTCTime);
    ecrit(AffUTCJour, a.AffUTCJour);
    ecrit(AffUTCDate, a.AffUTCDate);
    ecrit(AffSourceAzimut, a.AffSourceAzimut);
    ecrit(AffSourceElevation, a.AffSourceElevation);
    ecrit(AffHA, a.AffHA);
    ecrit(AffDecl, a.AffDecl);
    ecrit(AffTemp, a.AffTemp);
    ecrit(AffFrequence, a.AffFrequence);
    ecrit(AffFreqDoppler, a.AffFreqDoppler);
    ecrit(AffExtraLoss, a.AffExtraLoss);
    ecrit(AffAzimDX, a.AffAzimDX);
    ecrit(AffElevDX, a.AffElevDX);
    ecrit(AffDopplerDX, a.AffDopplerDX);
    ecrit(AffPolarDX, a.AffPolarDX);
    ecrit(AffDistance, a.AffDistance);
    if (CadreTraffic->title() != a.CadreTraffic)
        CadreTraffic->setTitle(a.CadreTraffic);
    controles::titre(CadreMap, a.CadreMap);
    if (CadreSkyMap->title() != a.CadreSkyMap)
        CadreSkyMap->setTitle(a.CadreSkyMap);
    controles::titre(CadreSource, a.CadreSource);
    controles::titre(CadreDXCC, a.CadreDXCC);
    // Period bar and the Moon's Doppler labels.
    CadrePeriode->setVisible(a.CadrePeriode);
    for (QWidget* w : {static_cast<QWidget*>(AffFreqDoppler), static_cast<QWidget*>(AffExtraLoss),
                       static_cast<QWidget*>(EtiqDoppler), static_cast<QWidget*>(EtiqLoss)})
        w->setVisible(a.LibellesDoppler);
    couleur(AffPeriode, a.AffPeriodeCouleur);
    couleur(AffNextPeriode, a.AffNextPeriodeCouleur);
    platform::setTwipsGeometry(AffPeriode, 0, 0, a.AffPeriodeLargeur, 300);
    platform::setTwipsGeometry(AffNextPeriode, a.AffNextPeriodeGauche, 0, a.AffNextPeriodeLargeur, 300);
    // Sky-map markers, the Moon's figures and the legend in their place.
    platform::moveTwips(ImgPosSol, a.SoleilLeft, a.SoleilTop);
    platform::moveTwips(ImgPosLune, a.LuneLeft, a.LuneTop);
    platform::moveTwips(ImgPosAnt, a.AntenneLeft, a.AntenneTop);
    if (a.MarqueursVisibles && phaseMontree_ != a.PhaseLune) {
        const QImage phase = assets::phaseLune(a.PhaseLune);
        AffIconeLune->setPixmap(QPixmap::fromImage(phase));
        ImgPosLune->setPixmap(dessins::marqueurLune(phase));
        phaseMontree_ = a.PhaseLune;
    }
    for (QWidget* m : {static_cast<QWidget*>(ImgPosLune), static_cast<QWidget*>(ImgPosSol),
                       static_cast<QWidget*>(AffIconeLune)})
        m->setVisible(a.MarqueursVisibles);
    ImgPosAnt->setVisible(s.Station.PortCom > 0);
    CadreinfoCiel->setVisible(a.LegendeCiel);
    CadreAboutInfo->setVisible(!a.LegendeCiel);
    CadreInfoSource->setVisible(a.MarqueursVisibles && !a.LegendeCiel);
    SourcEtiq->setVisible(c.SourcEtiqVisible);
    // The map chosen.
    const suivi::TrackIni& choix = prog_.Ini;
    MenuFenetre->setChecked(1, choix.CarteMonde);
    MenuFenetre->setChecked(2, !choix.CarteMonde);
    CadreMap->setVisible(choix.CarteMonde);
    CadreSkyMap->setVisible(!choix.CarteMonde);
    // The setup panel, its text taken when it opens.
    if (a.Parametres != panneauMontre_) {
        panneauMontre_ = a.Parametres;
        if (a.Parametres == suivi::Panneau::General) {
            Aff_Parametres->setText(lignesAffichees(prog_.texteParametresGeneraux()));
            CadreParametres->setTitle(QStringLiteral("General setup"));
        } else if (a.Parametres == suivi::Panneau::Tracking) {
            Aff_Parametres->setText(lignesAffichees(prog_.texteParametresTracking()));
            CadreParametres->setTitle(QStringLiteral("Tracking setup"));
        }
    }
    CadreParametres->setVisible(a.Parametres != suivi::Panneau::Aucun);
    // Menus: on while a station is tracked; the source choice and File >
    // New also as the drive allows.
    const bool menus = prog_.menusActifs();
    for (QMenu* m : {MenuFichierP, MenuTraficP, MenuFenetreP, MenuAboutP})
        platform::setMenuEnabled(m, menus);
    MenuParametreP->setEnabled(menus);
    platform::setMenuEnabled(MenuSourceP, menus && c.MenuSourcePEnabled);
    MenuFichier->setEnabled(0, c.MenuFichier0Enabled);
    // The source, the period and its length: check marks and pictures.
    const int source = Tracking::indexSource(s.CodeSource);
    for (int i = 0; i < 12; ++i)
        if (MenuSource->caption(i) != QLatin1String("-"))
            MenuSource->setChecked(i, i == source);
    const int enfonce = a.BoutonSourceEnfonce >= 0 ? a.BoutonSourceEnfonce : source;
    montre(ImgLune, enfonce == 0);
    montre(ImgSoleil, enfonce == 1);
    montre(ImgCiel, enfonce == 9);
    ImgLune->setEnabled(c.BoutonsSourceEnabled);
    ImgSoleil->setEnabled(c.BoutonsSourceEnabled);
    ImgCiel->setEnabled(c.BoutonsSourceEnabled);
    MenuPeriode->setChecked(0, s.PeriodeTrafic == 0);
    MenuPeriode->setChecked(1, s.PeriodeTrafic == 1);
    montre(ImgPeriode, s.PeriodeTrafic == 1);
    for (int i = 0; i < 3; ++i)
        MenuDuree->setChecked(i, s.DureePeriode == i);
    ImgDuree->setEnabled(s.DureePeriode != 0);
    montre(ImgDuree, s.DureePeriode == 2);
    // What the station loaded decides: the caption and the legend's band.
    if (prog_.lieu() == Tracking::Lieu::Suivi) {
        const QString titre = QStringLiteral("Selvane - Tracking  << >>  ") + s.Station.Indic + QStringLiteral(" / ") +
                              s.Station.Lieu;
        if (windowTitle() != titre)
            setWindowTitle(titre);
    }
    static const char* Legende144[8] = {"< 180 K",      "180 to 225 K", "225 to 315 K",  "315 to 360 K",
                                        "360 to 450 K", "450 to 650 K", "650 to 1000 K", "> 1000 K"};
    static const char* Legende432[8] = {"< 13 K",     "13 to 18 K", "18 to 23 K", "23 to 27 K",
                                        "27 to 35 K", "35 to 55 K", "55 to 90 K", "> 90 K"};
    static const char* LegendeGHz[8] = {"< 5 K", "< 5 K", "< 5 K", "< 5 K", "< 5 K", "< 5 K", "5 to 10 K", "> 10 K"};
    const int32_t f = s.Station.Freq;
    const char** legende = f < 400 ? Legende144 : f < 1000 ? Legende432 : LegendeGHz;
    controles::titre(CadreinfoCiel, f < 400    ? QStringLiteral("Radio Sky Map @ 144 MHz")
                                    : f < 1000 ? QStringLiteral("Radio Sky Map @ 432 MHz")
                                               : QStringLiteral("Radio Sky Map @ > 1 GHz"));
    for (int i = 0; i < 8; ++i)
        ecrit(Etiq_Temp[i], QString::fromLatin1(legende[i]));
}

void FenetrePrincipale::Form_KeyDown(int keyCode)
{
    int k = keyCode;
    prog_.CommandeManuelle(k);
}

void FenetrePrincipale::keyPressEvent(QKeyEvent* e)
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

void FenetrePrincipale::closeEvent(QCloseEvent* e)
{
    e->ignore();
    prog_.DemandeQuitter();
}

void FenetrePrincipale::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange)
        return;
    emit etatFenetreChange();
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        gardeSurEcran();
}

void FenetrePrincipale::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        controles::placerDansEcran(this, platform::pixelsToTwips(x()), platform::pixelsToTwips(y()));
}

void FenetrePrincipale::moveEvent(QMoveEvent* e)
{
    QMainWindow::moveEvent(e);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        gardeSurEcran();
}

bool FenetrePrincipale::eventFilter(QObject* objet, QEvent* e)
{
    // The line is drawn after the paint, not inside it: drawing clears and
    // updates the map. Only one drawing is queued at a time.
    if (objet == EMEWindow && e->type() == QEvent::Paint && prog_.S.HorizonComplet && !traceDemande_ &&
        !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        traceDemande_ = true;
        QTimer::singleShot(0, this, [this] {
            traceDemande_ = false;
            if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
                prog_.S.DessineCourbeCarte();
        });
    }
    return QMainWindow::eventFilter(objet, e);
}

void FenetrePrincipale::MenuFichier_Click(int index)
{
    if (index == 0) {
        prog_.NouveauFichier();
    } else if (index == 2) {
        prog_.DemandeQuitter();
    }
}

void FenetrePrincipale::MenuPeriode_Click(int index) { prog_.ChoixPeriode(index); }
void FenetrePrincipale::MenuDuree_Click(int index) { prog_.ChoixDuree(index); }

void FenetrePrincipale::MenuFenetre_Click(int index)
{
    if (index == 1 || index == 2)
        prog_.ChoixCarte(index == 1);
    else if (index == 4)
        prog_.SauveFichierTrackIni();
}

void FenetrePrincipale::MenuParametreP_Click() { prog_.BasculeParametres(suivi::Panneau::General); }

void FenetrePrincipale::BoutonOKParametres_Click() { prog_.FermeParametres(); }

void FenetrePrincipale::ImgInfo_Click() { prog_.MontreLegendeCiel(true); }

void FenetrePrincipale::BoutonInfoOK_Click() { prog_.MontreLegendeCiel(false); }

// ------------------------------------------------------------ what the operator's commands say
// A blind operator hears the result of a DX placement and the source chosen
// without going to look: one notice when the command changed what the
// window shows, nothing otherwise.

void FenetrePrincipale::BoutonDXCC_Click()
{
    const platform::ChangeNotice dit(this, [this] { return texteDX(); });
    prog_.SaisiePrefixeDX();
}

void FenetrePrincipale::EMEWindow_MouseDown(double x, double y)
{
    const platform::ChangeNotice dit(this, [this] { return texteDX(); });
    prog_.ClicCarte(x, y);
}

void FenetrePrincipale::MenuSource_Click(int index)
{
    const platform::ChangeNotice dit(this, [this] { return texteSource(); });
    prog_.ChoixSourceMenu(index);
}

void FenetrePrincipale::ImgSource_MouseUp(int index)
{
    const platform::ChangeNotice dit(this, [this] { return texteSource(); });
    prog_.ChoixSourceBoutonRelache(index);
}

QString FenetrePrincipale::texteDX() const
{
    const QString valeurs = platform::valuesRead({AffAzimDX, AffElevDX, AffDopplerDX, AffPolarDX, AffDistance});
    return valeurs.isEmpty() ? QString()
                             : platform::withoutMnemonics(CadreDXCC->title()) + QStringLiteral(": ") + valeurs;
}

QString FenetrePrincipale::texteSource() const
{
    // The source button that has the focus is read with its new state by
    // the screen reader itself.
    for (const ImageButton* b : {ImgLune, ImgSoleil, ImgCiel})
        if (b->hasFocus() && b->isPressedShown())
            return QString();
    return platform::withoutMnemonics(CadreSource->title()) + QStringLiteral(" chosen");
}
