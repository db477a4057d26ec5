#include "Planner/Planner.h"

#include "DXCC/BaseDXCC.h"
#include "assets/Assets.h"
#include "Planner/Dates.h"
#include "Planner/FenetreCiel.h"
#include "Planner/FenetreComWinPrev.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FenetreDX.h"
#include "Planner/FenetreInfoCiel.h"
#include "Planner/FenetrePrevision.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/FeuilleChoixDate.h"
#include "Planner/FeuilleChoixFichier.h"
#include "Planner/FeuilleDateCom.h"
#include "Planner/Form2.h"
#include "Planner/Pictures.h"
#include "Planner/PlannerIni.h"
#include "Planner/Station.h"
#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/Text.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/StartWindow.h"
#include "platform/widgets/Window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

using platform::Buttons;
using platform::Icon;

namespace {
int ecranLargeur() { return platform::pixelsToTwips(QGuiApplication::primaryScreen()->geometry().width()); }
int ecranHauteur() { return platform::pixelsToTwips(QGuiApplication::primaryScreen()->geometry().height()); }
// An icon as the reports read it: 32 x 32 pixels, whatever the screen's
// pixel ratio (a dense screen holds the pictures at twice the size).
QImage icone32(const QPixmap& p) {
    const QImage im = p.toImage();
    return im.isNull() || im.size() == QSize(32, 32) ? im : im.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}
void placeTwips(QWidget* w, int left, int top) {
    w->move(platform::twipsToPixels(left), platform::twipsToPixels(top));
}
// A window at (left, top) twips, held inside the screen's available area (a
// place from Planner.ini written on a larger screen, the end of a long
// cascade). A window not shown yet has no frame: it is given the frame
// margins of `modele`, a window already shown.
void placeDansEcran(QWidget* w, int left, int top, const QWidget* modele = nullptr) {
    QSize taille = w->frameGeometry().size();
    if (!w->isVisible() && modele && modele->isVisible())
        taille = w->size() + (modele->frameGeometry().size() - modele->size());
    QPoint p(platform::twipsToPixels(left), platform::twipsToPixels(top));
    if (const QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen())
        p = platform::keptInside(p, taille, s->availableGeometry());
    w->move(p);
}
// A 32-bit value read into a 16-bit variable, held at its limits.
int16_t en16(int32_t n) { return int16_t(std::clamp<int32_t>(n, INT16_MIN, INT16_MAX)); }

// Entry i of a window list; null when out of range or discarded.
template <class F>
F* dansListe(const std::vector<std::unique_ptr<F>>& liste, int i) {
    return i >= 0 && i < int(liste.size()) ? liste[size_t(i)].get() : nullptr;
}

// The weekday and date of the computation day ("Sat 12-05-2001").
QString texteJour(Planner& p) { return QString::fromStdString(p.Astro.NomJourSemaine) + QLatin1Char(' ') + p.TexteDate(); }

// A day's table window caption: the day, then its first and last rows' times.
QString titreTable(const Planner& p, const QString& jour) {
    return jour + QStringLiteral(" from ") + p.HeureDebutTable + QStringLiteral(" to ") + p.HeureFinTable +
           QStringLiteral(" UTC");
}

// Header lines 5 to 7 of a day's table: the Moon's declination over the
// day, the extra loss and the sky temperature line.
template <size_t N>
void lignesLune(const Planner& p, const std::array<QLabel*, N>& entete) {
    entete[5]->setText(QStringLiteral("Moon Decl. : ") + platform::Format(p.DeclinaisonDebut, QStringLiteral("#0.0")) +
                       QStringLiteral(" to ") + platform::Format(p.DeclinaisonFin, QStringLiteral("#0.0")) +
                       QStringLiteral(" deg"));
    entete[6]->setText(QStringLiteral("Extra loss/perigee : ") + p.TextePerte + QStringLiteral(" dB"));
    entete[7]->setText(planner::LigneTempCiel(p.Freq, p.AscDroiteDebut, p.AscDroiteFin, p.AscDroiteSoleil));
}

// The nine column titles of a day's grid; the day's table is then shown
// from its first row.
void prepareGrille(platform::Grid* g, const std::array<const char*, 9>& titres) {
    for (int c = 0; c < 9; ++c) {
        g->setColAlignment(c, 1);
        g->setFixedAlignment(c, 2);
        g->setColWidth(c, c < 2 ? 550 : 640);
        g->setTextMatrix(0, c, QString::fromLatin1(titres[size_t(c)]));
    }
    if (g->rows() > 1) {
        g->setRow(1);
        g->setCol(0);
        g->setSelStartRow(1);
        g->setSelEndRow(1);
        g->setSelStartCol(0);
        g->setSelEndCol(0);
        g->setTopRow(1);
    }
}

// The filled windows of a table list (see Planner::TablesPrevisionRemplies).
template <class F>
std::vector<int> remplies(const std::vector<std::unique_ptr<F>>& liste) {
    std::vector<int> r;
    for (int i = 0; i < int(liste.size()); ++i)
        if (liste[size_t(i)] && liste[size_t(i)]->Remplie)
            r.push_back(i);
    return r;
}

// Shows or hides the filled windows of a table list, when the tables are on
// display. A window whose day was cut short stays hidden.
template <class F>
void montreTables(std::vector<std::unique_ptr<F>>& liste, int16_t affichee, bool visibles) {
    if (affichee == Faux)
        return;
    for (int i : remplies(liste))
        liste[size_t(i)]->setVisible(visibles);
}

// At the end of a table computation: a window whose day was cut short (the
// computation was stopped inside it) is discarded, and `index` names the last
// filled window again.
template <class F>
void oublieInachevees(std::vector<std::unique_ptr<F>>& liste, int16_t& index) {
    for (auto& w : liste)
        if (w && !w->Remplie)
            w.release()->deleteLater();
    const std::vector<int> r = remplies(liste);
    liste.resize(r.empty() ? 0 : size_t(r.back() + 1));
    index = int16_t(r.empty() ? 0 : r.back());
}

// Discards a table list. When the tables were on display, their day items
// (2 .. index + 2 of `jours`) leave the print submenu and Print item
// `article` is switched off.
template <class F>
void supprimeTables(std::vector<std::unique_ptr<F>>& liste, int16_t& affichee, int16_t& index,
                    platform::MenuFamily* jours, platform::MenuFamily* print, int article) {
    if (affichee != Faux) {
        for (int i = 2; i <= index + 2; ++i)
            jours->unload(i);
        print->setEnabled(article, false);
    }
    liste.clear();
    affichee = Faux;
    index = 0;
}

// What the reports of both tables read alike: caption, header lines and rows.
template <class F>
planner::ContenuTable contenuTable(const F& w) {
    planner::ContenuTable t;
    t.caption = w.windowTitle();
    for (QLabel* l : w.Entete)
        t.Entete << l->text();
    for (int r = 1; r < w.GrillePrev->rows(); ++r) {
        QStringList c;
        for (int col = 0; col < 9; ++col)
            c << w.GrillePrev->textMatrix(r, col);
        t.lignes.push_back(c);
    }
    return t;
}
} // namespace

namespace {
// Sets the menus again whenever a dialog is shown or hidden.
class SuiviDialogues : public QObject {
public:
    explicit SuiviDialogues(Planner& e) : etat(e) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show || e->type() == QEvent::Hide)
            etat.AppliqueMenus();
        return QObject::eventFilter(o, e);
    }
    Planner& etat;
};
} // namespace

Planner::Planner(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier, std::function<void()> fin)
    : boites_(dialogs), Dialogues(boites_), Horloge(clock), Dossier(std::move(dossier)), fin_(std::move(fin)) {
    form2_ = std::make_unique<Form2>(*this);
    feuilleChoixDate_ = std::make_unique<FeuilleChoixDate>(*this);
    feuilleDateCom_ = std::make_unique<FeuilleDateCom>(*this);
    feuilleChangeUTC_ = std::make_unique<FeuilleChangeUTC>(*this);
    fenetreCommune_ = std::make_unique<FenetreCommune>(*this);
    fenetreDX_ = std::make_unique<FenetreDX>(*this);
    fenetreCiel_ = std::make_unique<FenetreCiel>(*this);
    fenetreInfoCiel_ = std::make_unique<FenetreInfoCiel>();
    feuilleChoixFichier_ = std::make_unique<FeuilleChoixFichier>(*this);
    // The menus follow the dialogs: each one shown or hidden sets them again.
    suiviDialogues_ = std::make_unique<SuiviDialogues>(*this);
    for (QWidget* w : {static_cast<QWidget*>(feuilleChoixFichier_.get()), static_cast<QWidget*>(feuilleChoixDate_.get()),
                       static_cast<QWidget*>(feuilleDateCom_.get())})
        w->installEventFilter(suiviDialogues_.get());
    Garde.changement = [this] { AppliqueMenus(); };
}

Planner::~Planner() {
    Garde.changement = nullptr;
    suiviDialogues_.reset();
}

platform::Answer Planner::Message(const QString& texte, const QString& titre, Buttons b, Icon i) {
    TexteMessage = texte;
    TitreMessage = titre;
    return Dialogues.message(TexteMessage, b, i, TitreMessage);
}

void Planner::FinProgramme() {
    if (ProgrammeTermine)
        return;
    ProgrammeTermine = true;
    CalculAutorise = Faux;
    Garde.oublie();
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    if (fin_)
        fin_();
}

void Planner::ConfirmeQuitter() {
    if (Message(QStringLiteral("Are you sure you wish to quit ?"), QStringLiteral("Selvane - Planner"), Buttons::YesNo,
                Icon::Critical) == platform::Answer::Yes)
        FinProgramme();
}

bool Planner::DialogueOuvert() const {
    const QWidget* dialogues[3] = {feuilleChoixFichier_.get(), feuilleChoixDate_.get(), feuilleDateCom_.get()};
    for (int k = 0; k < 3; ++k)
        if ((dialogues[k] && dialogues[k]->isVisible()) || form2_->FeuillesCachees[size_t(k)] != Faux)
            return true;
    return false;
}

void Planner::AppliqueMenus() {
    if (ProgrammeTermine || !form2_)
        return;
    const bool actifs = Garde.libre() && !DialogueOuvert();
    for (QMenu* m : {form2_->MenuFichierP, form2_->MenuSourceP, form2_->MenuAboutP})
        platform::setMenuEnabled(m, actifs);
    platform::setMenuEnabled(form2_->MenuAfficheP, actifs && !ModeAffichage.isEmpty());
    form2_->ZoneImage->setEnabled(actifs);
    // Switching a menu on also switches its submenus' items on: the print
    // items are set after it, from what there is to print.
    const bool lune = TablePrevisionAffichee != Faux && !TablesPrevisionRemplies().empty();
    const bool commun = TableComWinAffichee != Faux && !TablesComWinRemplies().empty();
    form2_->MenuPrint->setEnabled(1, lune);
    form2_->MenuPrint->setEnabled(2, commun);
    form2_->MenuAffiche->setEnabled(7, lune || commun);
}

bool Planner::Refuse() {
    if (Garde.libre())
        return false;
    Dialogues.beep();
    return true;
}

QString Planner::TexteDate() {
    const auto t = planner::texteDate(Astro.DateCalcul);
    if (!t) {
        Dialogues.beep();
        Message(QStringLiteral("Date Format must be '199x'") + QChar(13) + QChar(13) +
                    QStringLiteral("Quit the Planner program now !!!"),
                QStringLiteral(" - Computer Date ERROR -"), Buttons::Ok, Icon::Critical);
        FinProgramme();
        return QString();
    }
    return *t;
}

void Planner::MontreTablesPrevision(bool visibles) {
    montreTables(ListeFenetresPrevision, TablePrevisionAffichee, visibles);
}

void Planner::MontreTablesComWin(bool visibles) {
    montreTables(ListeFenetresComWin, TableComWinAffichee, visibles);
}

void Planner::MontreCommune(bool visibles) {
    fenetreCommune_->setVisible(visibles);
    fenetreCiel_->setVisible(visibles);
    fenetreDX_->setVisible(visibles);
    if (!visibles)
        fenetreInfoCiel_->hide();
}

void Planner::SupprimeTablesPrevision() {
    supprimeTables(ListeFenetresPrevision, TablePrevisionAffichee, IndexPrevision, form2_->MenuPrintMoon,
                   form2_->MenuPrint, 1);
}

void Planner::SupprimeTablesComWin() {
    supprimeTables(ListeFenetresComWin, TableComWinAffichee, IndexComWin, form2_->MenuPrintComW, form2_->MenuPrint, 2);
}

void Planner::EffaceDX() {
    for (QLabel* l : {fenetreDX_->AffAzimDX, fenetreDX_->AffElevDX, fenetreDX_->AffDopplerDX, fenetreDX_->AffPolarDX,
                      fenetreDX_->AffDistance, fenetreDX_->AffDxcc, fenetreDX_->AffPays})
        l->clear();
    fenetreDX_->BoutonOK->setEnabled(false);
}

void Planner::Main() {
    // While a print runs the windows it reads stay; a computation is stopped
    // at its next step and the station chooser comes after it.
    if (Garde.impression())
        return Dialogues.beep();
    if (Garde.calcul()) {
        CalculAutorise = Faux;
        Garde.apres(CleNouveau, [this] { Main(); });
        return;
    }
    MontreTablesPrevision(false);
    MontreTablesComWin(false);
    MontreCommune(false);
    feuilleChangeUTC_->hide();
    auto* f = feuilleChoixFichier_.get();
    f->BoutonOK->setEnabled(false);
    if (!f->Charge)
        f->Form_Load();
    if (ProgrammeTermine)
        return;
    f->ListeFichier->refresh();
    f->show();
    bool home = false;
    for (int i = 0; i < f->ListeFichier->listCount(); ++i)
        if (f->ListeFichier->entry(i).compare(QLatin1String("home.dat"), Qt::CaseInsensitive) == 0) {
            home = true;
            break;
        }
    f->BoutonHome->setEnabled(home);
    if (home)
        f->BoutonHome->setFocus();
}

void Planner::ChoixStation(const QString& fichier) {
    if (Refuse())
        return;
    FichierStation = fichier;
    EffaceDX();
    XPointDX = 0;
    YPointDX = 0;
    SupprimeTablesPrevision();
    SupprimeTablesComWin();
    form2_->MenuAffiche->setCaption(5, QStringLiteral("Common Window"));
    form2_->ImgPrev->showReleased();
    ModeAffichage.clear();
    form2_->ImgDX->hide();
    OuvertureStation();
}

void Planner::RetourAnnulerChoix() {
    if (ModeAffichage == QLatin1String("MoonPos")) {
        if (TablePrevisionAffichee != Faux)
            MontreTablesPrevision(true);
        else
            form2_->MenuAffiche->setEnabled(5, false);
    } else if (ModeAffichage == QLatin1String("CommWin")) {
        if (TableComWinAffichee != Faux)
            MontreTablesComWin(true);
        else
            MontreCommune(true);
    }
}

void Planner::OuvertureStation() {
    LectureFichierPlannerIni();
    form2_->show();
    LectureFichierStationPlan();
}

void Planner::LectureFichierStationPlan() {
    const auto s = planner::lireStationPlan(platform::resolvePath(Dossier, FichierStation));
    if (!s) {
        Message(QStringLiteral("Read Error : ") + FichierStation + QStringLiteral(" was not read !"),
                QStringLiteral("Selvane"), Buttons::Ok, Icon::Critical);
        Message(QStringLiteral("Quit the Planner program now !!!"), QStringLiteral("Selvane"), Buttons::Ok, Icon::Critical);
        FinProgramme();
        return;
    }
    Indic = s->Indic;
    Lieu = s->Lieu;
    LatitudeStation = s->LatitudeStation;
    LongitudeStation = s->LongitudeStation;
    LongitudeStationHeures = s->LongitudeStationHeures;
    Altitude = s->Altitude;
    DecHor = s->DecHor;
    Freq = s->Freq;
    Astro.Altitude = Altitude;
    Astro.Freq = Freq;
    InitDateHeure();
}

void Planner::InitDateHeure() {
    StationValide = planner::stationValide(Freq, DecHor) ? Vrai : Faux;
    feuilleChoixFichier_->hide();
    if (StationValide == Faux) {
        Message(QStringLiteral("Verify Data !!!") + QChar(13) + QChar(13) + QStringLiteral("Use Corvinet"),
                QStringLiteral("Data Error"), Buttons::Ok, Icon::Critical);
        // The operator may choose another station.
        Main();
        return;
    }
    const auto p = planner::debutPeriode(*this, Horloge.now());
    if (!p) {
        Dialogues.beep();
        Message(QStringLiteral("Quit the Planner program now !!!"), QStringLiteral(" - Computer Date ERROR -"),
                Buttons::Ok, Icon::Critical);
        FinProgramme();
        return;
    }
    auto* d = feuilleChoixDate_.get();
    d->EditDateDeb->setText(p->DateDeb);
    d->EditTimeDeb->setText(p->TimeDeb);
    d->EditDateFin->setText(p->DateFin);
    d->EditTimeFin->setText(p->TimeFin);
    d->AffStep->setText(platform::CStr(Step));
    d->OptionLune[1]->setChecked(MoonVisible != Faux);
    d->OptionLune[0]->setChecked(MoonVisible == Faux);
    SaisieValide = Vrai;
    d->show();
}

void Planner::LectureFichierPlannerIni() {
    const planner::LectureIni r = planner::lirePlannerIni(platform::resolvePath(Dossier, QStringLiteral("Planner.ini")));
    QWidget* fenetres[6] = {feuilleDateCom_.get(), nullptr, nullptr, fenetreCommune_.get(), fenetreDX_.get(),
                            fenetreCiel_.get()};
    const auto& n = r.nombres;
    auto lu = [&](size_t i) { return i < n.size(); };
    // Each value read is applied, also when the file ends or fails after it.
    for (size_t b = 0; b < 6; ++b) {
        const size_t i = 3 * b;
        if (!lu(i))
            break;
        // The first table windows' places: on the screen, not above or left
        // of it (the cascade holds them above its bottom and right edges).
        if (b == 1) {
            TopPrevision = std::max(0, n[i]);
            if (lu(i + 1))
                LeftPrevision = std::max(0, n[i + 1]);
        } else if (b == 2) {
            TopComWin = std::max(0, n[i]);
            if (lu(i + 1))
                LeftComWin = std::max(0, n[i + 1]);
        } else {
            QWidget* w = fenetres[b];
            // The state first: making a window minimised creates it, and the
            // place is then taken as the place of its frame.
            if (lu(i + 2))
                w->setWindowState(n[i + 2] == 1 ? Qt::WindowMinimized : Qt::WindowNoState);
            const int left = lu(i + 1) ? n[i + 1] : platform::pixelsToTwips(w->x());
            placeDansEcran(w, left, n[i]);
        }
    }
    if (lu(18)) {
        const int hauteur = n[18];
        const int largeur = lu(19) ? n[19] : platform::pixelsToTwips(form2_->width());
        form2_->resize(platform::twipsToPixels(largeur), platform::twipsToPixels(hauteur));
    }
    if (lu(20)) {
        const int left = lu(21) ? n[21] : platform::pixelsToTwips(form2_->x());
        placeDansEcran(form2_.get(), left, n[20]);
    }
    // A step outside 1..999 is shown as read and refused at the period dialog's O.K.
    if (lu(22))
        Step = en16(n[22]);
    if (lu(23))
        MoonVisible = n[23] != 0 ? Vrai : Faux;
    if (r.erreur)
        Message(QStringLiteral("Read Error : Planner.ini was not read !"), QStringLiteral("Selvane"), Buttons::Ok,
                Icon::Critical);
}

void Planner::SauveFichierPlannerIni() {
    planner::ValeursIni v;
    // The first table window of each kind; where there is none, one made for
    // the purpose gives the design place. It is not kept: it holds no table
    // to show, count or print.
    std::unique_ptr<FenetrePrevision> prevision;
    std::unique_ptr<FenetreComWinPrev> comwin;
    QWidget* premierePrevision = fenetrePrevision(0);
    if (!premierePrevision)
        premierePrevision = (prevision = std::make_unique<FenetrePrevision>(*this)).get();
    QWidget* premiereComWin = fenetreComWin(0);
    if (!premiereComWin)
        premiereComWin = (comwin = std::make_unique<FenetreComWinPrev>(*this)).get();
    QWidget* fenetres[6] = {feuilleDateCom_.get(), premierePrevision, premiereComWin,
                            fenetreCommune_.get(), fenetreDX_.get(), fenetreCiel_.get()};
    for (size_t b = 0; b < 6; ++b) {
        QWidget* w = fenetres[b];
        const bool icone = w->isMinimized();
        if (icone)
            w->setWindowState(Qt::WindowNoState);
        v.Fenetres[b] = {platform::pixelsToTwips(w->y()), platform::pixelsToTwips(w->x()), icone ? 1 : 0};
        if (icone)
            w->setWindowState(Qt::WindowMinimized);
    }
    v.Height = platform::pixelsToTwips(form2_->height());
    v.Width = platform::pixelsToTwips(form2_->width());
    v.Top = platform::pixelsToTwips(form2_->y());
    v.Left = platform::pixelsToTwips(form2_->x());
    v.Step = Step;
    v.MoonVisible = MoonVisible;
    if (!platform::saveLines(platform::resolvePath(Dossier, QStringLiteral("Planner.ini")), planner::lignesPlannerIni(v)))
        Message(QStringLiteral("Write Error : Planner.ini was not saved !"), QStringLiteral("Selvane"), Buttons::Ok,
                Icon::Critical);
}

bool Planner::Cede(bool testeAutorise) {
    QCoreApplication::processEvents();
    if (ProgrammeTermine)
        return false;
    return !testeAutorise || CalculAutorise != Faux;
}

FenetrePrevision* Planner::fenetrePrevision(int i) { return dansListe(ListeFenetresPrevision, i); }

FenetreComWinPrev* Planner::fenetreComWin(int i) { return dansListe(ListeFenetresComWin, i); }

namespace {
// The table windows behind a computation's output. The rows of the day being
// computed are kept here and go into the day's window when the day is
// complete, all at once: the window is made then, and its grid gets one
// change notice for the day instead of one a cell (the operator sees a
// window only once its day is filled).
template <class F>
class SortieFenetres : public planner::SortieTable {
public:
    SortieFenetres(Planner& e, std::vector<std::unique_ptr<F>>& l, std::function<void(int)> fin)
        : etat(e), liste(l), finJour_(std::move(fin)) {}
    Planner& etat;
    std::vector<std::unique_ptr<F>>& liste;
    std::function<void(int)> finJour_;
    int jour = -1;                   // window index of the rows held
    std::vector<QString> lignes;     // rows 1.. of that day, cells joined by TAB
    F* fenetre(int index) {
        if (int(liste.size()) <= index)
            liste.resize(size_t(index + 1));
        if (!liste[size_t(index)])
            liste[size_t(index)] = std::make_unique<F>(etat);
        return liste[size_t(index)].get();
    }
    // Row r (from 1) of the day of window `index`; rows before it are kept empty.
    QString& ligne(int index, int r) {
        if (index != jour) {
            lignes.clear();
            jour = index;
        }
        if (int(lignes.size()) < r)
            lignes.resize(size_t(r));
        return lignes[size_t(r - 1)];
    }
    // The event queue is served at the computation's first step and then
    // whenever 5 ms have passed, the stop being tested at every step: File >
    // New or a click is handled within a few milliseconds, and the 44640
    // steps of a 31-day, 1-minute table do not each pay for a pass through
    // the queue.
    QElapsedTimer depuisCede;
    bool cede() override {
        if (depuisCede.isValid() && depuisCede.elapsed() < 5)
            return !etat.ProgrammeTermine && etat.CalculAutorise != Faux;
        depuisCede.start();
        return etat.Cede(true);
    }
    void ecritLigne(int index, int r, const QString& c) override { ligne(index, r) = c; }
    void ligneVide(int index, int r) override { ligne(index, r); }
    void finJour(int index) override {
        F* w = fenetre(index);
        if (index == jour) {
            w->GrillePrev->setRowTexts(1, lignes);
            lignes.clear();
            jour = -1;
        }
        finJour_(index);
    }
    void nonVisible(const QString& t) override {
        etat.Dialogues.beep();
        etat.Message(t, QStringLiteral(" - Planner -"), Buttons::Ok, Icon::Information);
    }
    void fermeFenetre(int index) override {
        if (index == jour) {
            lignes.clear();
            jour = -1;
        }
        if (index < int(liste.size()))
            liste[size_t(index)].reset();
    }
};
} // namespace

// The end of a table computation: unless the program ended meanwhile, with no
// table shown the display switch stays off (the menus come back when the
// computation's guard is lifted). False when the program ended.
bool Planner::finCalcul(int16_t tableAffichee) {
    if (ProgrammeTermine)
        return false;
    if (tableAffichee == Faux)
        form2_->MenuAffiche->setEnabled(5, false);
    return true;
}

void Planner::InitPrevisionLune() {
    auto jeton = Garde.commence(planner::Garde::Activite::TablesLune);
    if (!jeton)
        return Dialogues.beep();
    Form2* f = form2_.get();
    f->MenuAffiche->setEnabled(5, false);
    fenetreDX_->BoutonOK->setEnabled(false);
    CodeSource = 0;
    NomSource = QStringLiteral("Moon");
    for (int k = 0; k < 10; ++k)
        if (k != 7)
            f->MenuSource->setChecked(k, k == 0);
    f->PicturesSource(0);
    CalculAutorise = Vrai;
    IndexPrevision = 0;
    IndexComWin = 0;
    TablePrevisionAffichee = Faux;
    TableComWinAffichee = Faux;
    RedessinCarte = Faux;
    ModeAffichage = QStringLiteral("MoonPos");
    f->repaint();
    astro::CalculJourJulien(Astro);
    {
        platform::BusyPointer sablier;
        // The windows of an earlier computation are forgotten: the new list starts empty.
        for (auto& w : ListeFenetresPrevision)
            if (w)
                w.release()->deleteLater();
        ListeFenetresPrevision.clear();
        ListeFenetresComWin.clear();
        SortieFenetres<FenetrePrevision> s(*this, ListeFenetresPrevision, [this](int i) { AffichePrevision(i); });
        planner::CalculPrevision(*this, s);
    }
    oublieInachevees(ListeFenetresPrevision, IndexPrevision);
    finCalcul(TablePrevisionAffichee);
    jeton.reset();
}

void Planner::AffichePrevision(int i) {
    FenetrePrevision* w = fenetrePrevision(i);
    if (!w)
        return;
    const QString d = texteJour(*this);
    w->setWindowTitle(titreTable(*this, d));
    w->Entete[0]->setText(Indic);
    w->Entete[1]->setText(Lieu);
    w->Entete[2]->setText(planner::TexteLatitude(QStringLiteral("Lat : "), LatitudeStation));
    w->Entete[3]->setText(planner::TexteLongitude(QStringLiteral("Long : "), LongitudeStation));
    w->Entete[4]->setText(planner::TexteFrequence(Freq));
    lignesLune(*this, w->Entete);
    prepareGrille(w->GrillePrev, {"UTC", "Local", "Azim", "Elev", "Echo", "Azim", "Elev", "Azim", "Elev"});
    const int k = planner::PhaseJour(AscDroiteDebut, AscDroiteFin, AscDroiteSoleil);
    if (w->PhaseAffichee != k) {
        w->PhaseAffichee = k;
        w->AffIconeLune->setPixmap(QPixmap::fromImage(assets::phaseLune(k)));
    }
    placeDansEcran(w, planner::PlaceFenetre(i, 200, LeftPrevision, ecranLargeur(), 300),
                   planner::PlaceFenetre(i, 300, TopPrevision, ecranHauteur(), 300), form2_.get());
    form2_->MenuAffiche->setEnabled(5, true);
    form2_->MenuPrintMoon->load(i + 2, d);
    TablePrevisionAffichee = Vrai;
    w->Remplie = true;
    w->show();
}

void Planner::GrillePrev_Click(FenetrePrevision* w) {
    w->GrillePrev->setCol(0);
    const QString t = w->GrillePrev->text();
    if (t.isEmpty() || w->GrillePrev->row() < 1)
        return;
    const QString date = w->windowTitle().mid(4, 10);
    // A row of a table being filled or printed does not open the dialog.
    if (Refuse())
        return;
    if (!feuilleDateCom_->isVisible()) {
        form2_->MenuAffiche->setCaption(5, QStringLiteral("Moon Location"));
        form2_->ImgPrev->showPressed();
        feuilleDateCom_->show();
    }
    feuilleDateCom_->EditDateDeb->setText(date);
    feuilleDateCom_->EditTimeDeb->setText(t);
}

void Planner::CalculFenetreCommune() {
    auto jeton = Garde.commence(planner::Garde::Activite::Courbe);
    if (!jeton)
        return Dialogues.beep();
    std::optional<platform::BusyPointer> sablier(std::in_place);
    planner::fixeInstant(*this, feuilleDateCom_->EditDateDeb->text(), feuilleDateCom_->EditTimeDeb->text());
    astro::CalculTempsSideral(Astro);
    const QString d = texteJour(*this);
    const QString t = platform::FormatTime(HeureCalcul, MinuteCalcul, 0, QStringLiteral("hh:mm"));
    fenetreCommune_->setWindowTitle(NomSource + QStringLiteral(" Common Window : ") + d + QStringLiteral(" / ") + t);
    fenetreCiel_->setWindowTitle(QStringLiteral("Radio-Sky Map : ") + d + QStringLiteral(" / ") + t);
    fenetreDX_->CadreUTC->setTitle(d + QStringLiteral(" / ") + t);
    planner::CalculCourbe(*this, [this] { return Cede(false); });
    if (ProgrammeTermine)
        return;
    DessineFenetreCommune();
    fenetreDX_->show();
    if (XPointDX != 0 && YPointDX != 0)
        AfficheDX();
    Astro.LatitudeObservateur = LatitudeStation;
    Astro.LongitudeObservateur = LongitudeStationHeures;
    astro::CalculTempsSideral(Astro);
    AffichageFenetreCiel();
    sablier.reset();
    jeton.reset();
}

void Planner::DessineFenetreCommune() {
    fenetreCommune_->show();
    DessineCarte();
}

// The map's drawings from scratch: the DX mark, the elevation-0 line and its
// hatching. Each drawing clears the earlier ones, so a mark that moved leaves
// the map picture whole where it stood.
void Planner::DessineCarte() {
    platform::PictureBox* p = fenetreCommune_->EMEWindow;
    p->cls();
    p->setDrawWidth(3);
    if (XPointDX != 0 && YPointDX != 0)
        p->pset(XPointDX, YPointDX, 255u);
    p->setDrawWidth(1);
    p->setCurrentX(0);
    p->setCurrentY(CourbeFenetreCommune[0]);
    for (int i = 1; i < 72; ++i) {
        const double y = std::nearbyint(CourbeFenetreCommune[size_t(i)]);
        p->setDrawStyle(platform::PictureBox::DrawStyle::Solid);
        p->lineTo(80 * i, y);
        p->setDrawStyle(platform::PictureBox::DrawStyle::Dot);
        if (DeclinaisonCourbe >= 0)
            p->line(80 * i, 2770, 80 * i, y);
        else
            p->line(80 * i, 0, 80 * i, y);
    }
    p->setDrawStyle(platform::PictureBox::DrawStyle::Solid);
}

VariablesPlanner Planner::InstantCommun() const {
    return planner::AInstant(*this, feuilleDateCom_->EditDateDeb->text(), feuilleDateCom_->EditTimeDeb->text());
}

void Planner::PlacePointDX(int16_t x, int16_t y) {
    planner::FixePointDX(*this, x, y);
    AfficheDX();
}

void Planner::PlacePointDX(int16_t x, int16_t y, double latitude, double longitude) {
    planner::FixePointDX(*this, x, y, latitude, longitude);
    AfficheDX();
}

// The DX mark on the map and the DX values for the common-window instant.
void Planner::AfficheDX() {
    DessineCarte();
    const planner::ResultatDX r = planner::CalculPointDX(InstantCommun());
    fenetreDX_->AffAzimDX->setText(r.AffAzimDX);
    fenetreDX_->AffElevDX->setText(r.AffElevDX);
    fenetreDX_->AffDopplerDX->setText(r.AffDopplerDX);
    fenetreDX_->AffPolarDX->setText(r.AffPolarDX);
    fenetreDX_->AffDistance->setText(r.AffDistance);
    fenetreDX_->BoutonOK->setEnabled(true);
}

int16_t Planner::RecherchePrefixeDXCC(const QString& prefixe) {
    if (prefixe.isEmpty())
        return Faux;
    const dxcc::RechercheDXCC r = dxcc::rechercherPrefixe(Dossier, prefixe);
    auto erreur = [this] {
        Message(QStringLiteral("DXCC DataBase was not read !"), QStringLiteral("Selvane : Read Error"), Buttons::Ok,
                Icon::Critical);
        return Faux;
    };
    if (r.etat == dxcc::RechercheDXCC::Etat::ErreurLecture)
        return erreur();
    if (r.etat == dxcc::RechercheDXCC::Etat::Absent) {
        Message(QStringLiteral("DXCC prefix not found !!!"), QStringLiteral("Common Window : Station <=> DX"), Buttons::Ok,
                Icon::Exclamation);
        return Faux;
    }
    const auto pos = dxcc::decoderEnregistrement(r.ligne);
    if (!pos)
        return erreur();
    fenetreDX_->AffDxcc->setText(prefixe.toUpper());
    fenetreDX_->AffPays->setText(pos->Lieu.left(1).toUpper() + pos->Lieu.mid(1).toLower());
    // The mark is drawn where the map can show it (a position beyond the
    // map's edges is pinned there); the values are the record's own.
    float lon = pos->longitude, lat = pos->latitude;
    try {
        const auto [x, y] = planner::PointClic(astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
        PlacePointDX(x, y, pos->latitude, pos->longitude);
    } catch (const astro::Overflow&) {
        return erreur();
    }
    return Vrai;
}

void Planner::CalculPrevisionCommuneFenetres() {
    if (Refuse())
        return;
    auto* d = feuilleChoixDate_.get();
    Step = planner::lirePas(d->AffStep->text());
    const planner::DateBoite f = planner::lireDate(d->EditDateFin->text());
    Astro.DateCalcul.day = f.jour;
    Astro.DateCalcul.month = f.mois;
    Astro.DateCalcul.year = f.annee;
    const planner::HeureBoite hf = planner::lireHeure(d->EditTimeFin->text());
    HeureCalcul = hf.heure;
    MinuteCalcul = hf.minute;
    Astro.FractionJour = (HeureCalcul * 3600.0 + MinuteCalcul * 60.0) / 86400;
    astro::CalculDateJulienne(Astro);
    DateJulienneFin = Astro.DateJulienne;
    planner::fixeInstant(*this, d->EditDateDeb->text(), d->EditTimeDeb->text());
    DateJulienneDebut = Astro.DateJulienne;
    auto jeton = Garde.commence(planner::Garde::Activite::TablesCommunes);
    MontreCommune(false);
    feuilleChangeUTC_->hide();
    {
        platform::BusyPointer sablier;
        SortieFenetres<FenetreComWinPrev> s(*this, ListeFenetresComWin, [this](int i) { AffichePrevisionCommune(i); });
        planner::CalculPrevisionCommune(*this, s);
    }
    oublieInachevees(ListeFenetresComWin, IndexComWin);
    if (!finCalcul(TableComWinAffichee))
        return;
    form2_->ImgDX->show();
    jeton.reset();
}

void Planner::AffichePrevisionCommune(int i) {
    FenetreComWinPrev* w = fenetreComWin(i);
    if (!w)
        return;
    const QString d = texteJour(*this);
    w->setWindowTitle(titreTable(*this, d));
    w->Entete[0]->setText(Indic);
    w->Entete[1]->setText(Lieu);
    w->Entete[2]->setText(planner::TexteLatitude(QStringLiteral("Lat: "), LatitudeStation));
    w->Entete[3]->setText(planner::TexteLongitude(QStringLiteral("Long: "), LongitudeStation));
    if (fenetreDX_->AffDxcc->text().isEmpty()) {
        w->Entete[8]->setText(QStringLiteral("DX"));
        w->Entete[9]->setText(QStringLiteral("Station"));
    } else {
        w->Entete[8]->setText(fenetreDX_->AffDxcc->text());
        w->Entete[9]->setText(fenetreDX_->AffPays->text());
    }
    const float phi = static_cast<float>(LatitudeDX);
    const float lambda = static_cast<float>(LongitudeDX);
    w->Entete[10]->setText(planner::TexteLatitude(QStringLiteral("Lat: "), phi));
    w->Entete[11]->setText(planner::TexteLongitude(QStringLiteral("Long: "), lambda));
    w->Entete[4]->setText(planner::TexteFrequence(Freq));
    const bool lune = CodeSource == 0;
    for (int k = 5; k <= 7; ++k)
        w->Entete[size_t(k)]->setVisible(lune);
    if (lune) {
        lignesLune(*this, w->Entete);
    }
    prepareGrille(w->GrillePrev, {"UTC", "Local", "Azim", "Elev", "Hz", "Hz", "Deg", "Azim", "Elev"});
    w->EtiqNomSource->setText(NomSource);
    QImage image;
    QString court;
    if (CodeSource == 0) {
        image = assets::phaseLune(planner::PhaseJour(AscDroiteDebut, AscDroiteFin, AscDroiteSoleil));
        court = QStringLiteral("Moon");
    } else if (CodeSource == 1) {
        image = pictures::iconeSoleil();
        court = QStringLiteral("Sun");
    } else if (CodeSource == 8) {
        image = pictures::iconeCielCalme();
        court = QStringLiteral("C.Sky");
    } else {
        image = pictures::iconeCiel();
        court = NomSource.left(6);
    }
    for (QLabel* l : w->AffIcone)
        l->setPixmap(QPixmap::fromImage(image));
    w->EtiqSource[1]->setText(court);
    w->EtiqSource[2]->setText(court);
    placeDansEcran(w, planner::PlaceFenetre(i, 200, LeftComWin, ecranLargeur(), 200),
                   planner::PlaceFenetre(i, 300, TopComWin, ecranHauteur(), 200), form2_.get());
    form2_->MenuAffiche->setEnabled(5, true);
    form2_->MenuPrintComW->load(i + 2, d);
    TableComWinAffichee = Vrai;
    w->Remplie = true;
    w->show();
}

void Planner::AffichageFenetreCiel() {
    const planner::Ciel c = planner::CalculCiel(InstantCommun());
    FenetreCiel* f = fenetreCiel_.get();
    placeTwips(f->ImgPosSol, int(std::nearbyint(c.SolLeft)), int(std::nearbyint(c.SolTop)));
    placeTwips(f->ImgPosLune, int(std::nearbyint(c.LuneLeft)), int(std::nearbyint(c.LuneTop)));
    f->AffHA->setText(c.AffHA);
    f->AffDecl->setText(c.AffDecl);
    f->AffExtraLoss->setText(c.AffExtraLoss);
    f->EtiqTemp->setText(c.EtiqTemp);
    f->AffTemp->setText(c.AffTemp);
    f->Phase = c.Phase;
    const QPixmap phase = QPixmap::fromImage(assets::phaseLune(c.Phase));
    f->AffIconeLune->setPixmap(phase);
    f->ImgPosLune->setPixmap(phase);
    f->show();
}

platform::Printer& Planner::imprimante() {
    if (Imprimante)
        return *Imprimante;
    if (!imprimanteDefaut_) {
        platform::QtPrinter::Options o;
        o.folder = Dossier;
        o.documentName = QStringLiteral("Planner");
        imprimanteDefaut_ = std::make_unique<platform::QtPrinter>(Dialogues, o);
    }
    return *imprimanteDefaut_;
}

planner::ContenuTable Planner::ContenuPrevision(int k) const {
    const FenetrePrevision* w = dansListe(ListeFenetresPrevision, k);
    if (!w)
        return {};
    planner::ContenuTable t = contenuTable(*w);
    t.icones = {icone32(w->AffIconeTime->pixmap()), icone32(w->AffIconeLune->pixmap()),
                icone32(w->AffIconeSun->pixmap())};
    return t;
}

planner::ContenuTable Planner::ContenuComWin(int k) const {
    const FenetreComWinPrev* w = dansListe(ListeFenetresComWin, k);
    if (!w)
        return {};
    planner::ContenuTable t = contenuTable(*w);
    t.EtiqSource1 = w->EtiqSource[1]->text();
    t.EtiqNomSource = w->EtiqNomSource->text();
    t.icones[0] = icone32(w->AffIconeTime->pixmap());
    return t;
}

std::vector<int> Planner::TablesPrevisionRemplies() const { return remplies(ListeFenetresPrevision); }

std::vector<int> Planner::TablesComWinRemplies() const { return remplies(ListeFenetresComWin); }

QString Planner::SourceTablesComWin() const {
    const std::vector<int> r = TablesComWinRemplies();
    return r.empty() ? QString() : ListeFenetresComWin[size_t(r.front())]->EtiqNomSource->text();
}

void Planner::ImprimePrevision(int k) {
    // Only a filled window that still exists is printed.
    const FenetrePrevision* w = fenetrePrevision(k);
    if (!w || !w->Remplie)
        return;
    platform::BusyPointer sablier;
    planner::ImprimePrevision(imprimante(), Dialogues, ContenuPrevision(k), [] { QCoreApplication::processEvents(); });
}

void Planner::ImprimePrevisionCommune(int k) {
    const FenetreComWinPrev* w = fenetreComWin(k);
    if (!w || !w->Remplie)
        return;
    platform::BusyPointer sablier;
    planner::ImprimePrevisionCommune(imprimante(), Dialogues, ContenuComWin(k),
                                     [] { QCoreApplication::processEvents(); });
}
