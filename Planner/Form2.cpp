#include "Planner/Form2.h"

#include "Planner/FeuilleChoixDate.h"
#include "Planner/FeuilleChoixFichier.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/FeuilleDateCom.h"
#include "Planner/FenetrePrevision.h"
#include "Planner/Pictures.h"
#include "Planner/Planner.h"
#include "platform/Text.h"
#include "platform/Geometry.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <cmath>

namespace {
struct Source {
    const char* caption;
    int code;
    const char* nom;
};
const Source Sources[10] = {{"Moon", 0, "Moon"},         {"Sun", 1, "Sun"},           {"Cassiopeia-A", 2, "Cassiopeia-A"},
                            {"Sagittarius-A", 3, "Sagittarius-A"}, {"Cygnus-A", 4, "Cygnus-A"}, {"Omega 17", 5, "Omega17"},
                            {"Taurus-A", 6, "Taurus-A"}, {"-", -1, ""},          {"Pictor-A", 7, "Pictor-A"},
                            {"Cold Sky", 8, "Cold Sky"}};
} // namespace

Form2::Form2(Planner& etat) : QMainWindow(nullptr), etat_(etat) {
    setWindowTitle(QStringLiteral("Selvane - Planner"));
    MenuFichierP = menuBar()->addMenu(QStringLiteral("&File"));
    MenuSourceP = menuBar()->addMenu(QStringLiteral("&Sources"));
    MenuAfficheP = menuBar()->addMenu(QStringLiteral("&Display"));
    MenuAboutP = menuBar()->addMenu(QStringLiteral("&About ..."));
    MenuFichier = new platform::MenuFamily(MenuFichierP, this);
    MenuFichier->load(1, QStringLiteral("New"));
    MenuFichier->load(2, QStringLiteral("-"));
    MenuFichier->load(3, QStringLiteral("Quit"));
    MenuSource = new platform::MenuFamily(MenuSourceP, this);
    for (int i = 0; i < 10; ++i) {
        MenuSource->load(i, QString::fromLatin1(Sources[i].caption));
        if (MenuSource->action(i))
            MenuSource->action(i)->setCheckable(i != 7);
    }
    MenuSource->setChecked(0, true);
    MenuAffiche = new platform::MenuFamily(MenuAfficheP, this);
    MenuAffiche->load(1, QStringLiteral("General Setup"));
    MenuAffiche->load(2, QStringLiteral("-"));
    MenuAffiche->load(3, QStringLiteral("Save screen"));
    MenuAffiche->load(4, QStringLiteral("-"));
    MenuAffiche->load(5, QStringLiteral("Common Window"));
    MenuAffiche->load(6, QStringLiteral("-"));
    QMenu* print = MenuAffiche->loadSubmenu(7, QStringLiteral("Print..."));
    MenuPrint = new platform::MenuFamily(print, this);
    MenuPrintMoon = new platform::MenuFamily(MenuPrint->loadSubmenu(1, QStringLiteral("Moon position")), this);
    MenuPrintMoon->load(1, QStringLiteral("All windows"));
    MenuPrintComW = new platform::MenuFamily(MenuPrint->loadSubmenu(2, QStringLiteral("Common windows")), this);
    MenuPrintComW->load(1, QStringLiteral("All windows"));
    MenuPrint->setEnabled(1, false);
    MenuPrint->setEnabled(2, false);
    MenuAbout = new platform::MenuFamily(MenuAboutP, this);
    const char* about[7] = {"Selvane V4.3.08", "    (32 bits version)", "      For Windows", "-", "      Planner App.", "-",
                            "      Qt 6 edition"};
    for (int i = 0; i < 7; ++i)
        MenuAbout->load(i, QString::fromLatin1(about[i]));

    ZoneImage = new QWidget(this);
    setCentralWidget(ZoneImage);
    auto bouton = [this](const char* s, int left, platform::ImageButton::Behaviour b) {
        auto* ib = new platform::ImageButton(pictures::bouton(s, false), pictures::bouton(s, true), b, ZoneImage);
        platform::setTwipsGeometry(ib, left, 60, 360, 330);
        return ib;
    };
    using B = platform::ImageButton::Behaviour;
    ImgNew = bouton("new", 120, B::ActOnce);
    ImgQuit = bouton("quit", 480, B::ActOnce);
    ImgLune = bouton("moon", 960, B::Manual);
    ImgSoleil = bouton("sun", 1320, B::Manual);
    ImgCiel = bouton("sky", 1680, B::Manual);
    ImgPrev = bouton("prev", 2160, B::Manual);
    ImgDX = bouton("dx", 2520, B::ActOnce);
    ImgPrint = bouton("print", 3000, B::Manual);
    ImgLune->showPressed();
    ImgDX->hide();
    platform::resizeClientTwips(this, 3480, 450 + platform::pixelsToTwips(menuBar()->sizeHint().height()));

    connect(MenuFichier, &platform::MenuFamily::clicked, this, &Form2::MenuFichier_Click);
    connect(MenuSource, &platform::MenuFamily::clicked, this, &Form2::MenuSource_Click);
    connect(MenuAffiche, &platform::MenuFamily::clicked, this, &Form2::MenuAffiche_Click);
    connect(MenuPrintMoon, &platform::MenuFamily::clicked, this, &Form2::MenuPrintMoon_Click);
    connect(MenuPrintComW, &platform::MenuFamily::clicked, this, &Form2::MenuPrintComW_Click);
    connect(ImgNew, &platform::ImageButton::activated, this, [this] { MenuFichier_Click(1); });
    connect(ImgQuit, &platform::ImageButton::activated, this, [this] { MenuFichier_Click(3); });
    const std::pair<platform::ImageButton*, int> sources[3] = {{ImgLune, 0}, {ImgSoleil, 1}, {ImgCiel, 9}};
    for (auto [b, i] : sources) {
        connect(b, &platform::ImageButton::mouseDown, this, [this, i = i] {
            if (!MenuSource->checked(i))
                PicturesSource(i);
        });
        connect(b, &platform::ImageButton::mouseUp, this, [this, i = i] {
            if (!MenuSource->checked(i))
                MenuSource_Click(i);
        });
    }
    connect(ImgPrev, &platform::ImageButton::mouseDown, this, [this] {
        if (etat_.TablePrevisionAffichee != Faux)
            ChangeAffichage(true);
    });
    connect(ImgDX, &platform::ImageButton::activated, this, &Form2::RetourCarte);
    connect(ImgPrint, &platform::ImageButton::mouseDown, this, &Form2::ImgPrint_MouseDown);
    connect(ImgPrint, &platform::ImageButton::mouseUp, this, &Form2::ImgPrint_MouseUp);
}

void Form2::MenuFichier_Click(int index) {
    if (index == 1) {
        etat_.CalculAutorise = Faux;
        etat_.Main();
    } else if (index == 3) {
        etat_.ConfirmeQuitter();
    }
}

void Form2::PicturesSource(int i) {
    i == 0 ? ImgLune->showPressed() : ImgLune->showReleased();
    i == 1 ? ImgSoleil->showPressed() : ImgSoleil->showReleased();
    i == 9 ? ImgCiel->showPressed() : ImgCiel->showReleased();
}

void Form2::MenuSource_Click(int i) {
    if (i == 7 || i < 0 || i > 9 || MenuSource->checked(i))
        return;
    // The source is an input of the computation running.
    if (etat_.Refuse())
        return;
    for (int k = 0; k < 10; ++k)
        if (k != 7)
            MenuSource->setChecked(k, k == i);
    etat_.CodeSource = int16_t(Sources[i].code);
    etat_.NomSource = QString::fromLatin1(Sources[i].nom);
    PicturesSource(i);
    if (etat_.ModeAffichage == QLatin1String("CommWin") && etat_.TableComWinAffichee == Faux)
        etat_.CalculFenetreCommune();
}

void Form2::ChangeAffichage(bool parImgPrev) {
    if (etat_.Refuse())
        return;
    if (MenuAffiche->caption(5) == QLatin1String("Common Window")) {
        MenuAffiche->setCaption(5, QStringLiteral("Moon Location"));
        ImgPrev->showPressed();
        if (FenetrePrevision* w = etat_.fenetrePrevision(0)) {
            w->GrillePrev->setRow(1);
            w->GrillePrev->setCol(0);
            const QString t = w->GrillePrev->text();
            const QString date = w->windowTitle().mid(4, 10);
            // Both openers hand the boxes the same texts (the boxes' text).
            (void)parImgPrev;
            etat_.feuilleDateCom()->EditDateDeb->setText(date);
            etat_.feuilleDateCom()->EditTimeDeb->setText(t);
        }
        etat_.feuilleDateCom()->show();
        return;
    }
    etat_.ModeAffichage = QStringLiteral("MoonPos");
    MenuAffiche->setCaption(5, QStringLiteral("Common Window"));
    ImgPrev->showReleased();
    etat_.MontreCommune(false);
    etat_.feuilleChangeUTC()->hide();
    etat_.EffaceDX();
    etat_.SupprimeTablesComWin();
    ImgDX->hide();
    etat_.MontreTablesPrevision(true);
}

void Form2::RetourCarte() {
    if (etat_.Refuse())
        return;
    etat_.SupprimeTablesComWin();
    etat_.MontreCommune(true);
    etat_.feuilleChangeUTC()->show();
    ImgDX->hide();
}

void Form2::MenuAffiche_Click(int index) {
    using platform::Str;
    if (index == 1) {
        auto lat = [](double v, const char* n, const char* s) {
            return platform::Format(std::fabs(v), QStringLiteral("##0.000")) + QString::fromLatin1(v >= 0 ? n : s);
        };
        const QChar cr(13);
        const QString t = QStringLiteral("- Callsign : ") + etat_.Indic + cr + QStringLiteral("- Location : ") + etat_.Lieu +
                          cr + QStringLiteral("- Latitude : ") + lat(etat_.LatitudeStation, " N (deg)", " S (deg)") + cr +
                          QStringLiteral("- Longitude : ") + lat(etat_.LongitudeStation, " E (deg)", " W (deg)") + cr +
                          QStringLiteral("- Height : ") + Str(etat_.Altitude) + QStringLiteral(" m") + cr +
                          QStringLiteral("- Time/UTC : ") + Str(etat_.DecHor) + QStringLiteral(" h") + cr +
                          QStringLiteral("- Frequency : ") + Str(etat_.Freq) + QStringLiteral(" MHz") + cr + cr +
                          QStringLiteral("Use Corvinet to modify these values !");
        etat_.Message(t, etat_.FichierStation + QStringLiteral(" : General setup"), platform::Buttons::Ok,
                      platform::Icon::Information);
    } else if (index == 3) {
        etat_.SauveFichierPlannerIni();
    } else if (index == 5) {
        ChangeAffichage(false);
    }
}

// Each print command holds the guard for the whole print: while it runs (the
// report yields after each icon row) the print commands and the commands that
// discard windows do nothing.
void Form2::MenuPrintMoon_Click(int index) {
    const auto jeton = etat_.Garde.commence(planner::Garde::Activite::Impression);
    if (!jeton)
        return;
    if (index == 1) {
        for (int k = 0; k <= etat_.IndexPrevision; ++k)
            etat_.ImprimePrevision(k);
    } else {
        etat_.ImprimePrevision(index - 2);
    }
}

void Form2::MenuPrintComW_Click(int index) {
    const auto jeton = etat_.Garde.commence(planner::Garde::Activite::Impression);
    if (!jeton || etat_.TableComWinAffichee == Faux)
        return;
    if (index == 1) {
        for (int k = 0; k <= etat_.IndexComWin; ++k)
            etat_.ImprimePrevisionCommune(k);
    } else {
        etat_.ImprimePrevisionCommune(index - 2);
    }
}

void Form2::ImgPrint_MouseDown() {
    if (etat_.TablePrevisionAffichee != Faux || etat_.TableComWinAffichee != Faux)
        ImgPrint->showPressed();
}

void Form2::ImgPrint_MouseUp() {
    if (etat_.TablePrevisionAffichee == Faux && etat_.TableComWinAffichee == Faux)
        return;
    const auto jeton = etat_.Garde.commence(planner::Garde::Activite::Impression);
    if (!jeton)
        return;
    ImgPrint->showReleased();
    const QChar cr(13);
    const bool lune = etat_.ModeAffichage == QLatin1String("MoonPos") && etat_.TablePrevisionAffichee != Faux;
    const bool commun = !lune && etat_.ModeAffichage == QLatin1String("CommWin") && etat_.TableComWinAffichee != Faux;
    if (!lune && !commun)
        return;
    // The filled windows, one document each, and the source they were computed for.
    const std::vector<int> k = lune ? etat_.TablesPrevisionRemplies() : etat_.TablesComWinRemplies();
    const int n = int(k.size());
    etat_.TexteMessage = (lune ? QStringLiteral("Moon location") : etat_.SourceTablesComWin() + QStringLiteral(" Common Window")) +
                         cr + QStringLiteral("Number of page: ") + platform::Str(n) + cr + cr + QStringLiteral("Continue ?");
    etat_.TitreMessage = QStringLiteral("Planner - Printer");
    if (etat_.Message(etat_.TexteMessage, etat_.TitreMessage, platform::Buttons::YesNo, platform::Icon::Question) !=
        platform::Answer::Yes)
        return;
    for (int i : k)
        lune ? etat_.ImprimePrevision(i) : etat_.ImprimePrevisionCommune(i);
}

void Form2::closeEvent(QCloseEvent* e) {
    e->ignore();
    etat_.ConfirmeQuitter();
}

void Form2::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Form2::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void Form2::Form_Resize() {
    QWidget* feuilles[4] = {etat_.feuilleChoixFichier(), etat_.feuilleChoixDate(), etat_.feuilleDateCom(),
                            etat_.feuilleChangeUTC()};
    const bool lune = etat_.ModeAffichage == QLatin1String("MoonPos");
    const bool commun = etat_.ModeAffichage == QLatin1String("CommWin");
    if (isMinimized()) {
        for (int k = 0; k < 4; ++k)
            if (feuilles[k] && feuilles[k]->isVisible()) {
                FeuillesCachees[size_t(k)] = Vrai;
                feuilles[k]->hide();
            }
        if (lune && etat_.TablePrevisionAffichee != Faux)
            etat_.MontreTablesPrevision(false);
        if (commun) {
            if (etat_.TableComWinAffichee != Faux)
                etat_.MontreTablesComWin(false);
            else {
                etat_.MontreCommune(false);
                etat_.feuilleChangeUTC()->hide();
            }
        }
    }
    if (!isMinimized() && !isMaximized() && isVisible()) {
        for (int k = 0; k < 4; ++k)
            if (FeuillesCachees[size_t(k)] != Faux && feuilles[k]) {
                FeuillesCachees[size_t(k)] = Faux;
                feuilles[k]->show();
            }
        if (lune && etat_.TablePrevisionAffichee != Faux)
            etat_.MontreTablesPrevision(true);
        // The common-window tables being computed are that display too:
        // the map, their input, stays hidden.
        const bool tables = etat_.TableComWinAffichee != Faux ||
                            etat_.Garde.activite() == planner::Garde::Activite::TablesCommunes;
        if (commun) {
            if (tables)
                etat_.MontreTablesComWin(true);
            else
                etat_.MontreCommune(true);
        }
    }
}
