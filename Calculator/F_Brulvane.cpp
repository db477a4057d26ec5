#include "Calculator/F_Brulvane.h"

#include "Calculator/Brulvane.h"
#include "Calculator/Filtres.h"
#include "Calculator/TexteAide.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/FilteredBox.h"
#include "platform/Geometry.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

using brulvane::Boite;
using brulvane::Resultat;

namespace {

// Layout in twips (15 to the pixel at 96 dpi).
constexpr int LargeurFenetre = 12000, HauteurFenetre = 7320;
constexpr int XHome = 120, XMilieu = 4800, XDX = 7320, YMoitie = 600;
constexpr int LargeurMoitie = 4560, HauteurMoitie = 6600;
constexpr int LargeurCadre = 4320;
constexpr int YParametres = 240, HauteurParametres = 2520, PasParametres = 350;
constexpr int YResultats = 2880, HauteurResultats = 3600, PasResultats = 450;
constexpr int XCaption = 120, LargeurCaption = 1900, XValeur = 2040, LargeurValeur = 1100, XUnite = 3240,
              LargeurUnite = 960, HauteurLigne = 285, HauteurBoite = 315;

// Unit labels of the noise rows: fixed elements of Etiq_EME.
constexpr int EtiqHomeSysteme = 17, EtiqHomeTotal = 15, EtiqDXSysteme = 34, EtiqDXTotal = 36;

QPixmap dessineLune(int cote) {
    QPixmap p = platform::pictureCanvas(QSize(cote, cote)); // sharp on a dense screen
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(20, 24, 60));
    g.drawRoundedRect(QRect(0, 0, cote, cote), 6, 6);
    const int r = cote * 3 / 10;
    const QPoint c(cote / 2, cote / 2);
    g.setBrush(QColor(222, 222, 205));
    g.drawEllipse(c, r, r);
    g.setBrush(QColor(190, 190, 175));
    g.drawEllipse(c + QPoint(-r / 3, -r / 4), r / 5, r / 5);
    g.drawEllipse(c + QPoint(r / 3, r / 3), r / 6, r / 6);
    g.drawEllipse(c + QPoint(r / 4, -r / 2), r / 8, r / 8);
    return p;
}

QIcon dessineBoutonFin(int cote) {
    QPixmap p = platform::pictureCanvas(QSize(cote, cote));
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(QColor(190, 30, 30));
    g.setPen(QPen(QColor(120, 10, 10), 1));
    g.drawEllipse(QRect(0, 0, cote, cote).adjusted(1, 1, -1, -1));
    g.setPen(QPen(Qt::white, cote / 8.0, Qt::SolidLine, Qt::RoundCap));
    const int m = cote * 3 / 10;
    g.drawLine(m, m, cote - m, cote - m);
    g.drawLine(cote - m, m, m, cote - m);
    return QIcon(p);
}

} // namespace

F_Brulvane::F_Brulvane(Brulvane& etat) : QWidget(nullptr), etat_(etat) {
    setWindowTitle(QStringLiteral("Selvane - EME Calculator"));
    platform::resizeClientTwips(this, LargeurFenetre, HauteurFenetre);
    setFixedSize(size());

    Etiq_EME.assign(58, nullptr); // 58 caption and unit labels
    int prochaineEtiq = 0;
    auto etiquette = [&](QWidget* parent, const QString& texte, int x, int y, int l, int index = -1) {
        if (index < 0) {
            while (prochaineEtiq == EtiqHomeSysteme || prochaineEtiq == EtiqHomeTotal ||
                   prochaineEtiq == EtiqDXSysteme || prochaineEtiq == EtiqDXTotal)
                ++prochaineEtiq;
            index = prochaineEtiq++;
        }
        auto* e = new QLabel(texte, parent);
        platform::setTwipsGeometry(e, x, y, l, HauteurLigne);
        Etiq_EME[index] = e;
        return e;
    };
    auto nouvelleBoite = [&](QWidget* parent, Boite b, int x, int y, int l) {
        auto* e = new QLineEdit(parent);
        platform::setTwipsGeometry(e, x, y, l, HauteurBoite);
        boites_[static_cast<int>(b)] = e;
        return e;
    };
    auto valeur = [&](QWidget* parent, Resultat r, int x, int y, int l) {
        auto* e = new QLabel(parent);
        e->setFrameShape(QFrame::Panel);
        e->setFrameShadow(QFrame::Sunken);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setObjectName(QStringLiteral("resultat%1").arg(static_cast<int>(r)));
        platform::setTwipsGeometry(e, x, y, l, HauteurBoite);
        resultats_[static_cast<int>(r)] = e;
        return e;
    };
    auto bouton = [&](QWidget* parent, const QString& texte, int x, int y, int l, int h) {
        auto* b = new QPushButton(texte, parent);
        platform::setTwipsGeometry(b, x, y, l, h);
        return b;
    };

    // The two halves.
    const QStringList captionsParam{"Tx Power Output", "Tx to Feed Loss", "Rx to Feed Loss",
                                    "Rx Noise Figure", "Rx Bandwith",     "Antenna Gain"};
    const QStringList unitesParam{"W", "dB", "dB", "dB", "Hz", "dBi"};
    struct LigneResultat {
        const char* caption;
        Resultat home, dx;
        const char* unite;
        int etiqHome, etiqDX; // fixed Etiq_EME element of the unit label, -1 = next free
    };
    // Home frame order; the DX frame shows its own echo first (rows 3-4 and
    // 5-6 swapped).
    const LigneResultat lignes[] = {
        {"System Noise", Resultat::H_SystemNoise, Resultat::D_SystemNoise, "dBm/Hz", EtiqHomeSysteme, EtiqDXSysteme},
        {"Ex.Moon Noise", Resultat::H_MoonNoise, Resultat::D_MoonNoise, "dB", -1, -1},
        {"Total Noise", Resultat::H_TotalNoise, Resultat::D_TotalNoise, "dBm/Hz", EtiqHomeTotal, EtiqDXTotal},
        {"Home Signal", Resultat::H_HomeSignal, Resultat::D_HomeSignal, "dBm", -1, -1},
        {"(S+N)/N Home", Resultat::H_SNHome, Resultat::D_SNHome, "dB", -1, -1},
        {"DX Signal", Resultat::H_DXSignal, Resultat::D_DXSignal, "dBm", -1, -1},
        {"(S+N)/N DX", Resultat::H_SNDX, Resultat::D_SNDX, "dB", -1, -1},
    };
    const int ordreDX[] = {0, 1, 2, 5, 6, 3, 4};

    for (int moitie = 0; moitie < 2; ++moitie) {
        const bool home = moitie == 0;
        auto* cadre = new QGroupBox(home ? QStringLiteral("Home station") : QStringLiteral("DX station"), this);
        platform::setTwipsGeometry(cadre, home ? XHome : XDX, YMoitie, LargeurMoitie, HauteurMoitie);
        auto* param = new QGroupBox(home ? QString() : QStringLiteral("DX station"), cadre);
        platform::setTwipsGeometry(param, 120, YParametres, LargeurCadre, HauteurParametres);
        auto* res = new QGroupBox(QStringLiteral("Results"), cadre);
        platform::setTwipsGeometry(res, 120, YResultats, LargeurCadre, HauteurResultats);
        Cadre_EME[home ? 0 : 3] = cadre;
        Cadre_EME[home ? 1 : 5] = param;
        Cadre_EME[home ? 2 : 4] = res;

        // Both halves show the same captions: each box and result is read
        // with its station ("DX station, Tx Power Output").
        const QString station = cadre->title() + QStringLiteral(", ");
        for (int i = 0; i < 6; ++i) {
            const int y = 330 + i * PasParametres;
            etiquette(param, captionsParam[i], XCaption, y, LargeurCaption);
            QLineEdit* b = nouvelleBoite(param, static_cast<Boite>((home ? 0 : 6) + i), XValeur, y - 15, LargeurValeur);
            etiquette(param, unitesParam[i], XUnite, y, LargeurUnite);
            platform::nameControls({{b, station + captionsParam[i]}});
        }
        for (int i = 0; i < 7; ++i) {
            const LigneResultat& l = lignes[home ? i : ordreDX[i]];
            const int y = 360 + i * PasResultats;
            etiquette(res, QString::fromLatin1(l.caption), XCaption, y, LargeurCaption);
            QLabel* v = valeur(res, home ? l.home : l.dx, XValeur, y - 15, LargeurValeur);
            etiquette(res, QString::fromLatin1(l.unite), XUnite, y, LargeurUnite, home ? l.etiqHome : l.etiqDX);
            platform::nameControls({{v, station + QString::fromLatin1(l.caption)}});
        }
    }

    // The middle column.
    Range = new QComboBox(this);
    for (const auto& e : brulvane::ListeRange)
        Range->addItem(QString::fromLatin1(e.texte));
    platform::setTwipsGeometry(Range, XMilieu + 240, 720, 1920, HauteurBoite + 30);
    auto centre = [](QLabel* l) {
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    centre(etiquette(this, QStringLiteral("Path Loss"), XMilieu + 120, 1290, 2160));
    valeur(this, Resultat::PathEME, XMilieu + 360, 1590, 1200);
    etiquette(this, QStringLiteral("dB"), XMilieu + 1680, 1605, 600);
    centre(etiquette(this, QStringLiteral("Sky temp."), XMilieu + 120, 2190, 2160));
    nouvelleBoite(this, Boite::SkyTemp, XMilieu + 360, 2490, 1200);
    etiquette(this, QStringLiteral("\u00b0K"), XMilieu + 1680, 2505, 600);
    centre(etiquette(this, QStringLiteral("Frequency"), XMilieu + 120, 3090, 2160));
    nouvelleBoite(this, Boite::HP_Frequence, XMilieu + 360, 3390, 1200);
    etiquette(this, QStringLiteral("MHz"), XMilieu + 1680, 3405, 600);
    Bouton_Compute = bouton(this, QStringLiteral("Compute..."), XMilieu + 240, 4080, 1920, 420);
    Bouton_Mode = bouton(this, QStringLiteral("dBm/Hz <-> K"), XMilieu + 240, 4620, 1920, 420);
    Image1 = new QLabel(this);
    platform::setTwipsGeometry(Image1, XMilieu + 600, 5280, 1200, 1200);
    Image1->setPixmap(dessineLune(platform::twipsToPixels(1200)));
    Bouton_Fin = bouton(this, QString(), XMilieu + 840, 6600, 720, 540);
    Bouton_Fin->setIcon(dessineBoutonFin(platform::twipsToPixels(420)));
    Bouton_Fin->setIconSize(QSize(platform::twipsToPixels(420), platform::twipsToPixels(420)));
    Bouton_Fin->setToolTip(QStringLiteral("Quit"));

    // Above the halves.
    Bouton_New = bouton(this, QStringLiteral("New home station"), XHome, 120, 2280, 375);
    Bouton_Defaut = bouton(this, QStringLiteral("Default values"), XHome + 2400, 120, 2160, 375);
    BoutonAide = bouton(this, QStringLiteral("Help"), XMilieu + 600, 120, 1200, 375);
    Bouton_Save = bouton(this, QStringLiteral("Save DX station"), XDX, 120, 2280, 375);
    Bouton_DXDefaut = bouton(this, QStringLiteral("Default values"), XDX + 2400, 120, 2160, 375);

    // The help frame over the middle of the window, hidden until asked for.
    Cadre_Aide = new QGroupBox(QStringLiteral("Help"), this);
    Cadre_Aide->setAutoFillBackground(true);
    platform::setTwipsGeometry(Cadre_Aide, 1800, 720, 8400, 6000);
    Aide = new QLabel(Cadre_Aide);
    Aide->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    platform::setTwipsGeometry(Aide, 240, 300, 7920, 4920);
    BoutonOK = bouton(Cadre_Aide, QStringLiteral("OK"), 3600, 5340, 1200, 420);
    Cadre_Aide->hide();

    HP_TxPower = boite(Boite::HP_TxPower);
    HP_TxLoss = boite(Boite::HP_TxLoss);
    Hp_RxLoss = boite(Boite::Hp_RxLoss);
    HP_RxNF = boite(Boite::HP_RxNF);
    HP_RxBW = boite(Boite::HP_RxBW);
    HP_AntGain = boite(Boite::HP_AntGain);
    DP_TxPower = boite(Boite::DP_TxPower);
    DP_TxLoss = boite(Boite::DP_TxLoss);
    DP_RxLoss = boite(Boite::DP_RxLoss);
    DP_RxNF = boite(Boite::DP_RxNF);
    DP_RxBW = boite(Boite::DP_RxBW);
    DP_AntGain = boite(Boite::DP_AntGain);
    HP_Frequence = boite(Boite::HP_Frequence);
    SkyTemp = boite(Boite::SkyTemp);
    const char* noms[] = {"HP_TxPower", "HP_TxLoss", "Hp_RxLoss", "HP_RxNF", "HP_RxBW", "HP_AntGain",
                          "DP_TxPower", "DP_TxLoss", "DP_RxLoss", "DP_RxNF", "DP_RxBW", "DP_AntGain",
                          "HP_Frequence", "SkyTemp"};
    for (int i = 0; i < brulvane::NombreBoites; ++i)
        boites_[i]->setObjectName(QString::fromLatin1(noms[i]));
    // The tab order follows the rows: home parameters, middle, DX parameters.
    QWidget* ordre[] = {HP_TxPower, HP_TxLoss, Hp_RxLoss, HP_RxNF, HP_RxBW, HP_AntGain, Range, SkyTemp,
                        HP_Frequence, DP_TxPower, DP_TxLoss, DP_RxLoss, DP_RxNF, DP_RxBW, DP_AntGain};
    for (size_t i = 1; i < std::size(ordre); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);

    connect(Bouton_Compute, &QPushButton::clicked, this, &F_Brulvane::Bouton_Compute_Click);
    connect(Bouton_Defaut, &QPushButton::clicked, this, &F_Brulvane::Bouton_Defaut_Click);
    connect(Bouton_DXDefaut, &QPushButton::clicked, this, &F_Brulvane::Bouton_DXDefaut_Click);
    connect(Bouton_New, &QPushButton::clicked, this, &F_Brulvane::Bouton_New_Click);
    connect(Bouton_Save, &QPushButton::clicked, this, &F_Brulvane::Bouton_Save_Click);
    connect(Bouton_Mode, &QPushButton::clicked, this, &F_Brulvane::Bouton_Mode_Click);
    connect(Range, &QComboBox::activated, this, &F_Brulvane::Range_Click);
    connect(BoutonAide, &QPushButton::clicked, this, &F_Brulvane::BoutonAide_Click);
    connect(BoutonOK, &QPushButton::clicked, this, &F_Brulvane::BoutonOK_Click);
    connect(Bouton_Fin, &QPushButton::clicked, this, &F_Brulvane::Bouton_Fin_Click);
    using Gestionnaire = void (F_Brulvane::*)();
    const Gestionnaire changements[] = {
        &F_Brulvane::HP_TxPower_Change, &F_Brulvane::HP_TxLoss_Change,  &F_Brulvane::Hp_RxLoss_Change,
        &F_Brulvane::HP_RxNF_Change,    &F_Brulvane::HP_RxBW_Change,    &F_Brulvane::HP_AntGain_Change,
        &F_Brulvane::DP_TxPower_Change, &F_Brulvane::DP_TxLoss_Change,  &F_Brulvane::DP_RxLoss_Change,
        &F_Brulvane::DP_RxNF_Change,    &F_Brulvane::DP_RxBW_Change,    &F_Brulvane::DP_AntGain_Change,
        &F_Brulvane::HP_Frequence_Change, &F_Brulvane::SkyTemp_Change,
    };
    for (int i = 0; i < brulvane::NombreBoites; ++i) {
        // The suite's key rule: what the operator types or pastes is judged
        // before the box takes it; a refused edit leaves the box as it was.
        platform::FilteredBox::attach(boites_[i], etat_.Dialogues, [b = static_cast<Boite>(i)](const QString&, const QString& propose) {
            return brulvane::JugeSaisie(b, propose);
        });
        connect(boites_[i], &QLineEdit::textChanged, this, changements[i]);
    }
    platform::nameForScreenReaders(this); // every box and value label named by its caption
    // The boxes and results are named with their station above; the two
    // "Default values" buttons are too.
    platform::nameControls({
        {Bouton_Defaut, QStringLiteral("Default values, home station")},
        {Bouton_DXDefaut, QStringLiteral("Default values, DX station")},
        {Range, QStringLiteral("Range")}, // it has no caption label
        {Bouton_Fin, QStringLiteral("Quit")},
    });
}

void F_Brulvane::EtiquettesUnite(const QString& texte) {
    for (int i : {EtiqHomeSysteme, EtiqHomeTotal, EtiqDXSysteme, EtiqDXTotal})
        Etiq_EME[i]->setText(texte);
}

void F_Brulvane::EcritBoite(Boite b, const QString& texte) {
    QLineEdit* e = boite(b);
    if (e->text() == texte)
        filtre(b); // no textChanged for an equal text
    else
        e->setText(texte); // the filter runs through textChanged
}

void F_Brulvane::Form_Load() { platform::placeCentredThird(this); }

void F_Brulvane::Bouton_Compute_Click() { etat_.CalculBilanEME(); }

void F_Brulvane::Bouton_Defaut_Click() {
    etat_.EffaceResultats();
    if (etat_.LectureStationHome())
        etat_.CalculBilanEME();
}

void F_Brulvane::Bouton_DXDefaut_Click() {
    etat_.EffaceResultats();
    etat_.LectureStationDX();
    etat_.CalculBilanEME();
}

void F_Brulvane::Bouton_New_Click() { etat_.NouvelleStation(); }

void F_Brulvane::Bouton_Save_Click() { etat_.SauveStationDX(); }

void F_Brulvane::Bouton_Mode_Click() { etat_.BasculeUnite(); }

void F_Brulvane::Range_Click() { etat_.ChoisitRange(Range->currentText()); }

void F_Brulvane::BoutonAide_Click() {
    if (Cadre_Aide->isVisible()) {
        Cadre_Aide->hide();
    } else {
        Aide->setText(brulvane::TexteAide());
        Cadre_Aide->show();
        Cadre_Aide->raise();
    }
}

void F_Brulvane::BoutonOK_Click() { Cadre_Aide->hide(); }

void F_Brulvane::Bouton_Fin_Click() { etat_.ConfirmeQuitter(); }

void F_Brulvane::closeEvent(QCloseEvent* e) {
    e->ignore();
    etat_.ConfirmeQuitter();
}

// The operator's edits reach this filter already judged (JugeSaisie): only
// a text the program put into the box (a file's value, a default) can fail
// here. Such a text is not kept: the box holds only what its filter accepts,
// so neither the computation nor a save of the DX file ever takes it. The
// box is emptied with the refusal sign on it, so the operator sees which
// value of the file was dropped (the file itself is written again only by
// Save).
void F_Brulvane::filtre(Boite b) {
    QLineEdit* e = boite(b);
    etat_.EffaceResultats();
    switch (brulvane::FiltreBoite(b, e->text())) {
    case brulvane::ActionFiltre::Accepte:
        break;
    case brulvane::ActionFiltre::Vide:
        e->setText(QString()); // itself a change, which passes the filter
        platform::showRefusalSign(e);
        break;
    case brulvane::ActionFiltre::Refuse:
        e->setText(QString());
        e->setFocus();
        platform::signalRefusal(e, etat_.Dialogues);
        break;
    }
    if (b == Boite::HP_Frequence)
        SkyTemp->setText(brulvane::TemperatureCielDefaut(brulvane::FrequenceEntiere(e->text())));
}

void F_Brulvane::HP_TxPower_Change() { filtre(Boite::HP_TxPower); }
void F_Brulvane::HP_TxLoss_Change() { filtre(Boite::HP_TxLoss); }
void F_Brulvane::Hp_RxLoss_Change() { filtre(Boite::Hp_RxLoss); }
void F_Brulvane::HP_RxNF_Change() { filtre(Boite::HP_RxNF); }
void F_Brulvane::HP_RxBW_Change() { filtre(Boite::HP_RxBW); }
void F_Brulvane::HP_AntGain_Change() { filtre(Boite::HP_AntGain); }
void F_Brulvane::DP_TxPower_Change() { filtre(Boite::DP_TxPower); }
void F_Brulvane::DP_TxLoss_Change() { filtre(Boite::DP_TxLoss); }
void F_Brulvane::DP_RxLoss_Change() { filtre(Boite::DP_RxLoss); }
void F_Brulvane::DP_RxNF_Change() { filtre(Boite::DP_RxNF); }
void F_Brulvane::DP_RxBW_Change() { filtre(Boite::DP_RxBW); }
void F_Brulvane::DP_AntGain_Change() { filtre(Boite::DP_AntGain); }
void F_Brulvane::HP_Frequence_Change() { filtre(Boite::HP_Frequence); }
void F_Brulvane::SkyTemp_Change() { filtre(Boite::SkyTemp); }
