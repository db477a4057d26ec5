#include "Corvinet/FenetrePrincipale.h"

#include "Corvinet/Corvinet.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/FilteredBox.h"
#include "platform/Geometry.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QMenuBar>
#include <QMetaObject>


using corvinet::Champ;

namespace {

// Layout in twips (15 twips a pixel at 96 dpi).
constexpr int LargeurClient = 9720;
constexpr int HauteurClient = 6360;
constexpr int HauteurBoite = 315;
constexpr int HauteurBouton = 375;
constexpr int TailleAide = 345;

QGroupBox* cadre(QWidget* page, const QString& nom, int index, const QString& titre, int l, int t, int w, int h)
{
    auto* g = new QGroupBox(titre, page);
    g->setObjectName(QStringLiteral("%1(%2)").arg(nom).arg(index));
    platform::setTwipsGeometry(g, l, t, w, h);
    return g;
}

QLabel* etiquette(QWidget* parent, const QString& texte, int l, int t, int w, int h = 255)
{
    auto* e = new QLabel(texte, parent);
    platform::setTwipsGeometry(e, l, t, w, h);
    return e;
}

QPushButton* boutonAide(QWidget* parent, const QString& nom, int l, int t)
{
    auto* b = new QPushButton(QStringLiteral("?"), parent);
    b->setObjectName(nom);
    platform::setTwipsGeometry(b, l, t, TailleAide, TailleAide);
    return b;
}

// The two axis tabs, 2 "Azimuth" and 3 "Elevation": the same frames for each axis.
struct Axe {
    const char* titre;
    const char* cadre;
    Champ on, of, butee1, butee2, park, off, rang;
    const char* etiq1;
    const char* etiq2;
    const char* bin;
    const char* unit;
    const char* stop;
    int aide0;
    std::array<int, 5> indexCadres; // hysteresis, end stop, parking, offset, encoder
};
const Axe axes[2] = {
    {"Azimuth", "CadreAzimut", Champ::AzimOn, Champ::AzimOf, Champ::ButeeG, Champ::ButeeD, Champ::ParkAz,
     Champ::OffAz, Champ::RangAz, "CCW", "CW", "BoutonBinAz", "BoutonUnitAz", "AzStop", 0, {0, 2, 1, 3, 6}},
    {"Elevation", "CadreElevation", Champ::ElevOn, Champ::ElevOf, Champ::ButeeB, Champ::ButeeH, Champ::ParkEl,
     Champ::OffEl, Champ::RangEl, "Low", "High", "BoutonBinEl", "BoutonUnitEl", "ElStop", 5, {0, 1, 2, 3, 4}},
};

} // namespace

FenetrePrincipale::FenetrePrincipale(Corvinet& programme) : QMainWindow(nullptr), prog_(programme)
{
    setObjectName(QStringLiteral("FenetrePrincipale"));
    setWindowTitle(QStringLiteral("Selvane Parameters - Set Up"));

    MenuFile = menuBar()->addMenu(QStringLiteral("&File"));
    MenuFile->setObjectName(QStringLiteral("MenuFile"));
    MenuOpen = MenuFile->addAction(QStringLiteral("Open"));
    MenuSave = MenuFile->addAction(QStringLiteral("Save"));
    MenuSaveAs = MenuFile->addAction(QStringLiteral("Save as ..."));
    MenuQuit = MenuFile->addAction(QStringLiteral("Quit"));
    MenuHelp = menuBar()->addAction(QStringLiteral("Help"));
    MenuAbout = menuBar()->addMenu(QStringLiteral("About..."));
    MenuAbout->setObjectName(QStringLiteral("MenuAbout"));
    MenuAbout->addAction(QStringLiteral("Selvane V4.3.08"));
    MenuAbout->addSeparator();
    MenuAbout->addAction(QStringLiteral("(32 bits version)"));
    MenuAbout->addAction(QStringLiteral("for Windows"));
    MenuAbout->addSeparator();
    MenuAbout->addAction(QStringLiteral("Corvinet App."));
    connect(MenuOpen, &QAction::triggered, this, [this] { prog_.MenuOpen(); });
    connect(MenuSave, &QAction::triggered, this, [this] { prog_.MenuSave(); });
    connect(MenuSaveAs, &QAction::triggered, this, [this] { prog_.MenuSaveAs(); });
    connect(MenuQuit, &QAction::triggered, this, [this] { prog_.ConfirmeQuitter(); });
    connect(MenuHelp, &QAction::triggered, this, [this] { MenuHelp_Click(); });

    auto* centre = new QWidget(this);
    setCentralWidget(centre);
    Feuillet_Setup = new QTabWidget(centre);
    Feuillet_Setup->setObjectName(QStringLiteral("Feuillet_Setup"));
    platform::setTwipsGeometry(Feuillet_Setup, 120, 120, LargeurClient - 240, HauteurClient - 240);
    construitOnglets();

    for (const auto& info : corvinet::champs()) {
        QLineEdit* b = boite(info.champ);
        if (!b) continue;
        b->installEventFilter(this);
        platform::FilteredBox::attach(b, prog_.dialogs, [this, c = info.champ](const QString&, const QString& propose) {
            return corvinet::jugeSaisie(c, propose, contexte());
        });
        connect(b, &QLineEdit::textChanged, this, [this, c = info.champ] { TexteBoite_Change(c); });
    }
    connect(BoutonInput, &QPushButton::clicked, this, [this] { BoutonInput_Click(); });
    connect(BoutonBinAz, &QPushButton::clicked, this, [this] { BoutonBinAz_Click(); });
    connect(BoutonBinEl, &QPushButton::clicked, this, [this] { BoutonBinEl_Click(); });
    connect(BoutonUnitAz, &QPushButton::clicked, this, [this] { BoutonUnitAz_Click(); });
    connect(BoutonUnitEl, &QPushButton::clicked, this, [this] { BoutonUnitEl_Click(); });
    for (int i = 0; i < 3; ++i)
        connect(SpeedControl[size_t(i)], &QRadioButton::clicked, this, [this, i] { SpeedControl_Click(i); });
    connect(AideGenerale, &QPushButton::clicked, this, [this] { AideGenerale_Click(); });
    for (int i = 0; i < 3; ++i)
        connect(AideInterface[size_t(i)], &QPushButton::clicked, this, [this, i] { AideInterface_Click(i); });
    for (int i = 0; i < 10; ++i)
        connect(AideTracking[size_t(i)], &QPushButton::clicked, this, [this, i] { AideTracking_Click(i); });

    // The client area: the menu bar above the tab control.
    const QSize client = platform::twipsToPixels(QSize(LargeurClient, HauteurClient));
    centre->setFixedSize(client);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    nommeControles();
}

void FenetrePrincipale::nommeControles()
{
    // The buttons whose caption is their value, read after what they set.
    platform::nameValueButton(BoutonInput, QStringLiteral("Measurement input"));
    platform::nameValueButton(BoutonBinAz, QStringLiteral("Azimuth encoder format"));
    platform::nameValueButton(BoutonUnitAz, QStringLiteral("Azimuth encoder unit"));
    platform::nameValueButton(BoutonBinEl, QStringLiteral("Elevation encoder format"));
    platform::nameValueButton(BoutonUnitEl, QStringLiteral("Elevation encoder unit"));
    platform::nameForScreenReaders(this); // every other box by its caption
    // The boxes whose caption says what they hold only with their frame's
    // title, and the help buttons by the frame they explain.
    auto b = [this](Champ c) { return boite(c); };
    platform::nameControls({
        {b(Champ::LatDeg), QStringLiteral("Latitude degrees")},
        {b(Champ::LatMin), QStringLiteral("Latitude minutes")},
        {b(Champ::LatSec), QStringLiteral("Latitude seconds")},
        {b(Champ::LatSig), QStringLiteral("Latitude n/s")},
        {b(Champ::LonDeg), QStringLiteral("Longitude degrees")},
        {b(Champ::LonMin), QStringLiteral("Longitude minutes")},
        {b(Champ::LonSec), QStringLiteral("Longitude seconds")},
        {b(Champ::LonSig), QStringLiteral("Longitude e/w")},
        {AideGenerale, QStringLiteral("Help: computer time")},
        {AideInterface[0], QStringLiteral("Help: COM port")},
        {b(Champ::Range8b), QStringLiteral("8 bits binary input range")},
        {b(Champ::Off8b), QStringLiteral("8 bits binary input offset")},
        {AideInterface[1], QStringLiteral("Help: 8 bits binary input")},
        {AideInterface[2], QStringLiteral("Help: speed control")},
    });
    // The two axis tabs alike: "Azimuth drive hysteresis start", "Help: elevation parking".
    for (const Axe& x : axes) {
        const QString axe = QLatin1String(x.titre);
        const QString aide = QStringLiteral("Help: ") + axe.toLower();
        auto* stop = findChild<QCheckBox*>(QLatin1String(x.stop));
        const auto aideCadre = [&](int k) { return AideTracking[size_t(x.aide0 + k)]; };
        platform::nameControls({
            {b(x.on), axe + QStringLiteral(" drive hysteresis start")},
            {b(x.of), axe + QStringLiteral(" drive hysteresis stop")},
            {b(x.butee1), axe + QStringLiteral(" end stop ") + QLatin1String(x.etiq1)},
            {b(x.butee2), axe + QStringLiteral(" end stop ") + QLatin1String(x.etiq2)},
            {b(x.park), axe + QStringLiteral(" parking")},
            {b(x.off), axe + QStringLiteral(" position offset")},
            {b(x.rang), axe + QStringLiteral(" encoder range")},
            {stop, axe + QStringLiteral(" encoder without stop")},
            {aideCadre(0), aide + QStringLiteral(" drive hysteresis")},
            {aideCadre(1), aide + QStringLiteral(" end stop")},
            {aideCadre(2), aide + QStringLiteral(" encoder")},
            {aideCadre(3), aide + QStringLiteral(" parking")},
            {aideCadre(4), aide + QStringLiteral(" position offset")},
        });
    }
}

void FenetrePrincipale::construitOnglets()
{
    auto nouvelleBoite = [this](QWidget* parent, Champ c, int l, int t, int w) {
        auto* b = new QLineEdit(parent);
        b->setObjectName(QLatin1String(corvinet::info(c).nom));
        platform::setTwipsGeometry(b, l, t, w, HauteurBoite);
        boites[size_t(corvinet::indice(c))] = b;
        return b;
    };
    auto nouveauBouton = [](QWidget* parent, const char* nom, const QString& texte, int l, int t, int w) {
        auto* b = new QPushButton(texte, parent);
        b->setObjectName(QLatin1String(nom));
        platform::setTwipsGeometry(b, l, t, w, HauteurBouton);
        return b;
    };

    // Tab 0 "Coordonates".
    auto* p0 = new QWidget;
    Feuillet_Setup->addTab(p0, QStringLiteral("Coordonates"));
    {
        auto* c0 = cadre(p0, QStringLiteral("CadreStation"), 0, QStringLiteral("Station"), 240, 240, 4560, 1920);
        etiquette(c0, QStringLiteral("Callsign"), 240, 480, 1440);
        nouvelleBoite(c0, Champ::Indic, 1800, 450, 1560);
        etiquette(c0, QStringLiteral("Location"), 240, 930, 1440);
        nouvelleBoite(c0, Champ::Lieu, 1800, 900, 2520);
        etiquette(c0, QStringLiteral("Height (asl)"), 240, 1380, 1440);
        nouvelleBoite(c0, Champ::Altitude, 1800, 1350, 900);

        auto* c4 = cadre(p0, QStringLiteral("CadreStation"), 4, QStringLiteral("Computer Time"), 5040, 240, 4080, 1920);
        etiquette(c4, QStringLiteral("UTC"), 240, 480, 600);
        nouvelleBoite(c4, Champ::DecHor, 900, 450, 720);
        AideGenerale = boutonAide(c4, QStringLiteral("AideGenerale"), 3480, 360);

        auto colonnes = [&](QGroupBox* g, const std::array<Champ, 4>& cs, const std::array<const char*, 4>& noms) {
            for (int i = 0; i < 4; ++i) {
                etiquette(g, QLatin1String(noms[size_t(i)]), 360 + i * 960, 420, 840);
                nouvelleBoite(g, cs[size_t(i)], 360 + i * 960, 720, 720);
            }
        };
        auto* c1 = cadre(p0, QStringLiteral("CadreStation"), 1, QStringLiteral("Latitude"), 240, 2400, 4560, 1440);
        colonnes(c1, {Champ::LatDeg, Champ::LatMin, Champ::LatSec, Champ::LatSig}, {"Deg", "Min", "Sec", "n/s"});
        auto* c2 = cadre(p0, QStringLiteral("CadreStation"), 2, QStringLiteral("Longitude"), 5040, 2400, 4080, 1440);
        colonnes(c2, {Champ::LonDeg, Champ::LonMin, Champ::LonSec, Champ::LonSig}, {"Deg", "Min", "Sec", "e/w"});
    }

    // Tab 1 "PC Interface".
    auto* p1 = new QWidget;
    Feuillet_Setup->addTab(p1, QStringLiteral("PC Interface"));
    {
        auto* c1 = cadre(p1, QStringLiteral("CadreInterface"), 1, QStringLiteral("COM Port"), 240, 240, 2760, 1200);
        etiquette(c1, QString::fromLatin1("Port n\xb0"), 240, 510, 1080);
        nouvelleBoite(c1, Champ::PortCom, 1320, 480, 480);
        AideInterface[0] = boutonAide(c1, QStringLiteral("AideInterface(0)"), 2220, 360);

        auto* c2 = cadre(p1, QStringLiteral("CadreInterface"), 2, QStringLiteral("8 bits binary input"), 3240, 240, 5880,
                         1200);
        etiquette(c2, QStringLiteral("Range"), 240, 510, 660);
        nouvelleBoite(c2, Champ::Range8b, 900, 480, 720);
        BoutonInput = nouveauBouton(c2, "BoutonInput", corvinet::LegendeSignal, 1860, 450, 1560);
        etiquette(c2, QStringLiteral("Offset"), 3660, 510, 660);
        nouvelleBoite(c2, Champ::Off8b, 4320, 480, 720);
        AideInterface[1] = boutonAide(c2, QStringLiteral("AideInterface(1)"), 5340, 360);

        auto* c0 = cadre(p1, QStringLiteral("CadreInterface"), 0, QStringLiteral("Speed control"), 240, 1560, 8880, 1560);
        EtiqInterface[1] = etiquette(c0, QStringLiteral("Auto speed (0.2 to 1)"), 240, 450, 2040);
        nouvelleBoite(c0, Champ::AutoVit, 2340, 420, 720);
        EtiqInterface[2] = etiquette(c0, QStringLiteral("Man. speed (0.2 to 1)"), 240, 930, 2040);
        nouvelleBoite(c0, Champ::ManVit, 2340, 900, 720);
        EtiqInterface[3] = etiquette(c0, QString::fromLatin1("Decreasing below (\xb0)"), 3480, 450, 2040);
        nouvelleBoite(c0, Champ::AngDecr, 5580, 420, 600);
        etiquette(c0, QStringLiteral("Usable only with a motor speed control interface !!!"), 3480, 930, 4800);
        AideInterface[2] = boutonAide(c0, QStringLiteral("AideInterface(2)"), 8280, 360);
        for (int i = 1; i <= 3; ++i) EtiqInterface[size_t(i)]->setObjectName(QStringLiteral("EtiqInterface(%1)").arg(i));

        auto* c3 = cadre(p1, QStringLiteral("CadreInterface"), 3, QStringLiteral("Drive control"), 240, 3240, 8880, 1800);
        GroupeSpeedControl = new QButtonGroup(this);
        const char* textes[3] = {
            "Normal track : Direction and rotation are controlled by the Az and El relays",
            "Normal track + the interface displays an error information (speed control)",
            "Direction and rotation are controlled by the error information (relays = on/off)",
        };
        for (int i = 0; i < 3; ++i) {
            auto* r = new QRadioButton(c3);
            r->setObjectName(QStringLiteral("SpeedControl(%1)").arg(i));
            platform::setTwipsGeometry(r, 240, 420 + i * 420, 300, 300);
            GroupeSpeedControl->addButton(r, i);
            SpeedControl[size_t(i)] = r;
            EtiqSpeedControl[size_t(i)] = etiquette(c3, QLatin1String(textes[i]), 600, 435 + i * 420, 8100);
        }
        SpeedControl[0]->setChecked(true);
    }

    // Tabs 2 "Azimuth" and 3 "Elevation": the same frames for each axis (axes).
    for (int a = 0; a < 2; ++a) {
        const Axe& x = axes[a];
        auto* p = new QWidget;
        Feuillet_Setup->addTab(p, QLatin1String(x.titre));
        const QString nomCadre = QLatin1String(x.cadre);
        auto aide = [&](QWidget* parent, int k, int l, int t) {
            const int index = x.aide0 + k;
            AideTracking[size_t(index)] = boutonAide(parent, QStringLiteral("AideTracking(%1)").arg(index), l, t);
        };

        auto* h = cadre(p, nomCadre, x.indexCadres[0], QStringLiteral("Drive Hysteresis"), 240, 240, 2880, 1560);
        etiquette(h, QStringLiteral("Start"), 240, 510, 900);
        nouvelleBoite(h, x.on, 1140, 480, 720);
        etiquette(h, QStringLiteral("Stop"), 240, 990, 900);
        nouvelleBoite(h, x.of, 1140, 960, 720);
        aide(h, 0, 2280, 360);

        auto* b = cadre(p, nomCadre, x.indexCadres[1], QStringLiteral("End Stop"), 3360, 240, 2880, 1560);
        etiquette(b, QLatin1String(x.etiq1), 240, 510, 900);
        nouvelleBoite(b, x.butee1, 1140, 480, 720);
        etiquette(b, QLatin1String(x.etiq2), 240, 990, 900);
        nouvelleBoite(b, x.butee2, 1140, 960, 720);
        aide(b, 1, 2280, 360);

        auto* k = cadre(p, nomCadre, x.indexCadres[2], QStringLiteral("Parking"), 6480, 240, 2640, 1560);
        nouvelleBoite(k, x.park, 360, 720, 720);
        aide(k, 3, 2040, 360);

        auto* o = cadre(p, nomCadre, x.indexCadres[3], QStringLiteral("Position offset"), 240, 2040, 2880, 1560);
        nouvelleBoite(o, x.off, 360, 720, 900);
        aide(o, 4, 2280, 360);

        auto* e = cadre(p, nomCadre, x.indexCadres[4], QStringLiteral("Encoder"), 3360, 2040, 5760, 1560);
        etiquette(e, QStringLiteral("Format"), 240, 420, 900);
        QPushButton* bin = nouveauBouton(e, x.bin, QStringLiteral("BIN"), 240, 720, 900);
        QLabel* etiqRange = etiquette(e, QStringLiteral("Range"), 1380, 420, 900);
        nouvelleBoite(e, x.rang, 1380, 750, 900);
        etiquette(e, QStringLiteral("Unit"), 2520, 420, 900);
        QPushButton* unit = nouveauBouton(e, x.unit, QStringLiteral("Deg"), 2520, 720, 900);
        auto* stop = new QCheckBox(QStringLiteral("Without stop"), e);
        stop->setObjectName(QLatin1String(x.stop));
        platform::setTwipsGeometry(stop, 3660, 750, 1500, HauteurBoite);
        aide(e, 2, 5160, 360);

        if (a == 0) {
            BoutonBinAz = bin;
            BoutonUnitAz = unit;
            AzStop = stop;
            EtiqAzimRange = etiqRange;
            etiqRange->setObjectName(QStringLiteral("EtiqAzim(1)"));
        } else {
            BoutonBinEl = bin;
            BoutonUnitEl = unit;
            ElStop = stop;
            EtiqElevRange = etiqRange;
            etiqRange->setObjectName(QStringLiteral("EtiqElev(1)"));
        }
    }

    // Tab 4 "EME Station".
    auto* p4 = new QWidget;
    Feuillet_Setup->addTab(p4, QStringLiteral("EME Station"));
    {
        auto ligne = [&](QWidget* g, const char* nom, Champ c, const char* unite, int t) {
            etiquette(g, QLatin1String(nom), 240, t + 30, 1500);
            nouvelleBoite(g, c, 1800, t, 900);
            etiquette(g, QLatin1String(unite), 2820, t + 30, 600);
        };
        auto* f = cadre(p4, QStringLiteral("CadreStation"), 3, QStringLiteral("Frequency"), 240, 240, 3600, 1440);
        nouvelleBoite(f, Champ::Freq, 360, 660, 900);
        etiquette(f, QStringLiteral("MHz"), 1380, 690, 600);
        auto* t = cadre(p4, QStringLiteral("CadreStation"), 5, QStringLiteral("Transmitter"), 4080, 240, 3840, 1440);
        ligne(t, "Power Output", Champ::Power, "W", 420);
        ligne(t, "Tx Loss", Champ::TxLoss, "dB", 900);
        auto* r = cadre(p4, QStringLiteral("CadreStation"), 6, QStringLiteral("Receiver"), 240, 1920, 3600, 1920);
        ligne(r, "Rx Loss", Champ::RxLoss, "dB", 420);
        ligne(r, "Noise Figure", Champ::Noise, "dB", 900);
        ligne(r, "Bandwith", Champ::Band, "Hz", 1380);
        auto* g = cadre(p4, QStringLiteral("CadreStation"), 7, QStringLiteral("Antenna"), 4080, 1920, 3840, 1200);
        ligne(g, "Gain", Champ::Gain, "dBi", 540);
    }

    // The Tab key visits each tab's boxes in the order of its ring.
    const std::vector<std::vector<Champ>> anneaux = {
        {Champ::Indic, Champ::Lieu, Champ::Altitude, Champ::LatDeg, Champ::LatMin, Champ::LatSec, Champ::LatSig,
         Champ::LonDeg, Champ::LonMin, Champ::LonSec, Champ::LonSig, Champ::DecHor},
        {Champ::PortCom, Champ::Range8b, Champ::Off8b, Champ::AutoVit, Champ::AngDecr, Champ::ManVit},
        {Champ::AzimOn, Champ::AzimOf, Champ::ButeeG, Champ::ButeeD, Champ::ParkAz, Champ::OffAz, Champ::RangAz},
        {Champ::ElevOn, Champ::ElevOf, Champ::ButeeB, Champ::ButeeH, Champ::ParkEl, Champ::OffEl, Champ::RangEl},
        {Champ::Freq, Champ::Power, Champ::TxLoss, Champ::RxLoss, Champ::Noise, Champ::Band, Champ::Gain},
    };
    for (const auto& anneau : anneaux)
        for (size_t i = 1; i < anneau.size(); ++i) setTabOrder(boite(anneau[i - 1]), boite(anneau[i]));
}

QWidget* FenetrePrincipale::controle(Champ c) const
{
    switch (c) {
    case Champ::TypeMesure: return BoutonInput;
    case Champ::SpeedControl: {
        const int m = modeChoisi();
        return SpeedControl[size_t(m < 0 ? 0 : m)];
    }
    case Champ::FormatAz: return BoutonBinAz;
    case Champ::UniteAz: return BoutonUnitAz;
    case Champ::AzStop: return AzStop;
    case Champ::FormatEl: return BoutonBinEl;
    case Champ::UniteEl: return BoutonUnitEl;
    case Champ::ElStop: return ElStop;
    default: return boite(c);
    }
}

corvinet::ValeursStation FenetrePrincipale::valeurs() const
{
    corvinet::ValeursStation v;
    for (const auto& info : corvinet::champs()) {
        if (QLineEdit* b = boite(info.champ)) v[info.champ] = b->text();
    }
    v[Champ::TypeMesure] = BoutonInput->text();
    const int m = modeChoisi();
    v[Champ::SpeedControl] = m < 0 ? QString() : QString::number(m);
    v[Champ::FormatAz] = BoutonBinAz->text();
    v[Champ::UniteAz] = BoutonUnitAz->text();
    v[Champ::AzStop] = AzStop->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    v[Champ::FormatEl] = BoutonBinEl->text();
    v[Champ::UniteEl] = BoutonUnitEl->text();
    v[Champ::ElStop] = ElStop->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return v;
}

corvinet::ContexteFiltre FenetrePrincipale::contexte() const
{
    corvinet::ContexteFiltre ctx;
    ctx.rangAzVisible = BoutonBinAz->text() == QLatin1String("BIN");
    ctx.rangElVisible = BoutonBinEl->text() == QLatin1String("BIN");
    ctx.legendeInput = BoutonInput->text();
    return ctx;
}

void FenetrePrincipale::setTexte(Champ c, const QString& texte)
{
    if (QLineEdit* b = boite(c)) b->setText(texte);
}

void FenetrePrincipale::effaceModes()
{
    // An exclusive group keeps one option checked; the reader's clearing
    // leaves none until the mode is read.
    GroupeSpeedControl->setExclusive(false);
    for (int i : {2, 0, 1}) SpeedControl[size_t(i)]->setChecked(false);
    GroupeSpeedControl->setExclusive(true);
}

int FenetrePrincipale::modeChoisi() const
{
    for (int i = 0; i < 3; ++i)
        if (SpeedControl[size_t(i)]->isChecked()) return i;
    return -1;
}

QWidget* FenetrePrincipale::donneFocus(Champ c)
{
    QWidget* w = controle(c);
    if (w && !w->isEnabled() && (c == Champ::AutoVit || c == Champ::ManVit || c == Champ::AngDecr))
        w = controle(Champ::SpeedControl);
    if (w) w->setFocus(Qt::OtherFocusReason);
    return w;
}

void FenetrePrincipale::refuse(Champ c)
{
    if (QWidget* w = donneFocus(c)) platform::signalRefusal(w, prog_.dialogs);
    else prog_.dialogs.beep();
}

void FenetrePrincipale::appliqueModeEtFormats()
{
    const bool vitesse = !SpeedControl[0]->isChecked();
    for (Champ c : {Champ::AutoVit, Champ::ManVit, Champ::AngDecr}) boite(c)->setEnabled(vitesse);
    for (int i = 1; i <= 3; ++i) EtiqInterface[size_t(i)]->setEnabled(vitesse);
    const bool binAz = BoutonBinAz->text() == QLatin1String("BIN");
    boite(Champ::RangAz)->setVisible(binAz);
    EtiqAzimRange->setVisible(binAz);
    const bool binEl = BoutonBinEl->text() == QLatin1String("BIN");
    boite(Champ::RangEl)->setVisible(binEl);
    EtiqElevRange->setVisible(binEl);
}

void FenetrePrincipale::Form_Load() { platform::placeCentredThird(this); }

void FenetrePrincipale::TexteBoite_Change(Champ c)
{
    // The filter computes the final text at once; the change it makes itself
    // does not run it again. An edit of the operator reaches it already
    // judged (jugeSaisie), so it only passes the focus on from a full box.
    bool& enCours = filtreEnCours_[size_t(corvinet::indice(c))];
    if (enCours) return;
    enCours = true;
    appliqueResultat(c, corvinet::filtreChangement(c, boite(c)->text(), contexte()));
    enCours = false;
}

void FenetrePrincipale::TexteBoite_LostFocus(Champ c)
{
    const corvinet::ResultatFiltre r = corvinet::verificationSortie(c, boite(c)->text(), contexte());
    // The focus may have left for another tab (a click on the tab bar,
    // Ctrl+Tab): the box that takes it back is shown again with its tab.
    if (r.focus == corvinet::ResultatFiltre::Focus::Soi) Feuillet_Setup->setCurrentIndex(corvinet::filtre(c)->onglet);
    appliqueResultat(c, r);
}

void FenetrePrincipale::appliqueResultat(Champ c, const corvinet::ResultatFiltre& r)
{
    QLineEdit* b = boite(c);
    // Inside the box's own filter this change does not run the filter again;
    // from a leave check it does, as every change of a box does.
    if (b->text() != r.texte) b->setText(r.texte);
    // A value the filter or the leave check refused: the sign shows which box
    // refused it, as for a refused key.
    if (r.bip) platform::signalRefusal(b, prog_.dialogs);
    switch (r.focus) {
    case corvinet::ResultatFiltre::Focus::Aucun: break;
    case corvinet::ResultatFiltre::Focus::Soi: b->setFocus(Qt::OtherFocusReason); break;
    case corvinet::ResultatFiltre::Focus::Suivant:
        // A box filled by typing passes the focus on as the Tab key would, so
        // it runs its leave check, and the keys that follow leave the next
        // value alone; a box the program fills passes it plainly.
        platform::moveFocusOn(b, controle(r.suivant));
        break;
    }
}

bool FenetrePrincipale::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(e)->reason();
        // Only a move by the keyboard or the mouse: not a menu or a message
        // box opening, nor a focus set by the program.
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason) {
            for (const auto& info : corvinet::champs()) {
                if (boite(info.champ) == o && corvinet::aVerificationSortie(info.champ)) {
                    // Run after the focus change has finished, so the check
                    // can take the focus back; a text changed meanwhile is
                    // not the one that was left.
                    QMetaObject::invokeMethod(
                        this,
                        [this, c = info.champ, t = boite(info.champ)->text()] {
                            if (boite(c)->text() == t) TexteBoite_LostFocus(c);
                        },
                        Qt::QueuedConnection);
                }
            }
        }
    }
    return QMainWindow::eventFilter(o, e);
}

void FenetrePrincipale::BoutonInput_Click()
{
    BoutonInput->setText(BoutonInput->text() != corvinet::LegendeSignal ? corvinet::LegendeSignal
                                                                         : corvinet::LegendePolar);
    setTexte(Champ::Range8b, QString());
    setTexte(Champ::Off8b, QString());
}

void FenetrePrincipale::BoutonBinAz_Click()
{
    BoutonBinAz->setText(BoutonBinAz->text() != QLatin1String("BIN") ? QStringLiteral("BIN") : QStringLiteral("BCD"));
    appliqueModeEtFormats();
}

void FenetrePrincipale::BoutonBinEl_Click()
{
    BoutonBinEl->setText(BoutonBinEl->text() != QLatin1String("BIN") ? QStringLiteral("BIN") : QStringLiteral("BCD"));
    appliqueModeEtFormats();
}

void FenetrePrincipale::BoutonUnitAz_Click()
{
    BoutonUnitAz->setText(BoutonUnitAz->text() != QLatin1String("Deg") ? QStringLiteral("Deg") : QStringLiteral("Grd"));
}

void FenetrePrincipale::BoutonUnitEl_Click()
{
    BoutonUnitEl->setText(BoutonUnitEl->text() != QLatin1String("Deg") ? QStringLiteral("Deg") : QStringLiteral("Grd"));
}

void FenetrePrincipale::SpeedControl_Click(int index)
{
    SpeedControl[size_t(index)]->setChecked(true);
    appliqueModeEtFormats();
}

void FenetrePrincipale::montreAide(const corvinet::BoutonAide* b)
{
    if (!b) return;
    const corvinet::BoiteAide a = corvinet::boiteAide(b->boite);
    prog_.dialogs.message(a.texte, platform::Buttons::Ok, platform::Icon::Information, a.titre);
    if (!b->focus) return;
    QWidget* w = controle(*b->focus);
    // A hidden range box or a disabled speed box keeps the focus where it was.
    if (w && w->isEnabled() && !w->isHidden()) w->setFocus(Qt::OtherFocusReason);
}

void FenetrePrincipale::AideGenerale_Click() { montreAide(corvinet::boutonAide(corvinet::FamilleAide::Generale, 0)); }

void FenetrePrincipale::AideInterface_Click(int index)
{
    montreAide(corvinet::boutonAide(corvinet::FamilleAide::Interface, index));
}

void FenetrePrincipale::AideTracking_Click(int index)
{
    montreAide(corvinet::boutonAide(corvinet::FamilleAide::Tracking, index));
}

void FenetrePrincipale::MenuHelp_Click()
{
    const corvinet::BoiteAide a = corvinet::boiteAide(corvinet::BoiteAideMenu);
    prog_.dialogs.message(a.texte, platform::Buttons::Ok, platform::Icon::Information, a.titre);
}

void FenetrePrincipale::closeEvent(QCloseEvent* e)
{
    e->ignore();
    if (isVisible()) prog_.ConfirmeQuitter();
}
