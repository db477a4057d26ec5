#include "Planner/Planner.h"

#include "DXCC/BaseDXCC.h"
#include "assets/Assets.h"
#include "Planner/Dates.h"
#include "Planner/Descriptions.h"
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
#include "Planner/Station.h"
#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/Text.h"
#include "platform/widgets/Accessible.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/ScreenReader.h"
#include "platform/widgets/StartWindow.h"
#include "platform/widgets/Window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

using platform::Buttons;
using platform::Icon;
using planner::Lieu;

namespace {
QRect zoneEcran() { return QGuiApplication::primaryScreen()->availableGeometry(); }
int ecranLargeur() { return platform::pixelsToTwips(QGuiApplication::primaryScreen()->geometry().width()); }
int ecranHauteur() { return platform::pixelsToTwips(QGuiApplication::primaryScreen()->geometry().height()); }
void placeTwips(QWidget* w, int left, int top) {
    w->move(platform::twipsToPixels(left), platform::twipsToPixels(top));
}
// A window at (left, top) twips, held wholly inside the screen's available
// area (a place from Planner.ini written on a larger screen, the end of a
// long cascade). A window not framed yet is given the frame margins of
// `modele`, a window already shown.
void placeDansEcran(QWidget* w, int left, int top, const QWidget* modele = nullptr) {
    platform::placeOnScreen(w, QPoint(platform::twipsToPixels(left), platform::twipsToPixels(top)), modele);
}
// Table window i of a cascade from (left, top) twips, 200 twips right and
// 300 down from one window to the next, held `marge` twips inside the
// screen's right and bottom edges, and wholly inside its available area.
void placeCascade(QWidget* w, int i, int left, int top, int marge, const QWidget* modele) {
    const QRect zone = zoneEcran();
    const QSize cadre = platform::expectedFrame(w, modele).size();
    const int l = planner::BaseCascade(left, platform::pixelsToTwips(cadre.width()), platform::pixelsToTwips(zone.right() + 1));
    const int t = planner::BaseCascade(top, platform::pixelsToTwips(cadre.height()), platform::pixelsToTwips(zone.bottom() + 1));
    placeDansEcran(w, planner::PlaceFenetre(i, 200, l, ecranLargeur(), marge),
                   planner::PlaceFenetre(i, 300, t, ecranHauteur(), marge), modele);
}
// A window's place as Planner.ini keeps it: Top, Left of its normal state
// (twips) and whether it is minimised; it is left in the state it was in.
// A window not framed yet takes the frame margins of `modele`.
planner::PositionFenetre positionIni(QWidget* w, const QWidget* modele = nullptr) {
    const bool icone = w->isMinimized();
    if (icone)
        w->setWindowState(Qt::WindowNoState);
    const QPoint cadre = platform::expectedFrame(w, modele).topLeft();
    const planner::PositionFenetre p{planner::en16(platform::pixelsToTwips(cadre.y())),
                                     planner::en16(platform::pixelsToTwips(cadre.x())), int16_t(icone ? 1 : 0)};
    if (icone)
        w->setWindowState(Qt::WindowMinimized);
    return p;
}

template <class F>
using ListeTables = std::vector<planner::TableJour<F>>;

// Entry i of a window list; null when out of range or discarded.
template <class F>
F* dansListe(const ListeTables<F>& liste, int i) {
    return i >= 0 && i < int(liste.size()) ? liste[size_t(i)].fenetre.get() : nullptr;
}

// Entry i of a window list holds a filled window.
template <class F>
bool remplie(const ListeTables<F>& liste, int i) {
    return dansListe(liste, i) && liste[size_t(i)].remplie;
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
std::vector<int> remplies(const ListeTables<F>& liste) {
    std::vector<int> r;
    for (int i = 0; i < int(liste.size()); ++i)
        if (remplie(liste, i))
            r.push_back(i);
    return r;
}

// The day of each window of a table list, empty where none was filled.
template <class F>
std::vector<QString> jours(const ListeTables<F>& liste) {
    std::vector<QString> j(liste.size());
    for (int i = 0; i < int(liste.size()); ++i)
        if (remplie(liste, i))
            j[size_t(i)] = liste[size_t(i)].jour;
    return j;
}

// The windows of a table list shown or hidden: only a filled window is shown.
// A window shown comes back in its normal state (the program is minimised
// as a whole, never one window of it).
template <class F>
void montreTables(const ListeTables<F>& liste, bool visibles) {
    bool uneMontree = false;
    for (const auto& t : liste)
        uneMontree = uneMontree || (t.fenetre && t.fenetre->isVisible());
    for (const auto& t : liste) {
        if (!t.fenetre || t.fenetre->isVisible() == (visibles && t.remplie))
            continue;
        if (visibles && t.remplie && t.fenetre->isMinimized())
            t.fenetre->setWindowState(t.fenetre->windowState() & ~Qt::WindowMinimized);
        t.fenetre->setVisible(visibles && t.remplie);
        // The first table window that the operator's command opens takes
        // the focus; the later days' windows leave it where he is.
        if (t.fenetre->isVisible() && !uneMontree) {
            t.fenetre->activateWindow();
            uneMontree = true;
        }
    }
}

// At the end of a table computation: a window whose day was cut short (the
// computation was stopped inside it) is discarded, and `index` names the last
// filled window again.
template <class F>
void oublieInachevees(ListeTables<F>& liste, int16_t& index) {
    for (auto& t : liste)
        if (t.fenetre && !t.remplie)
            t.fenetre.release()->deleteLater();
    const std::vector<int> r = remplies(liste);
    liste.resize(r.empty() ? 0 : size_t(r.back() + 1));
    index = int16_t(r.empty() ? 0 : r.back());
}

// Discards a table list; the place of its first window, when it was shown,
// is kept in `place` (Save screen writes it). With `reserve` its windows are
// hidden and kept there for the next computation, else they are deleted.
template <class F>
void supprimeTables(ListeTables<F>& liste, int16_t& index, planner::PositionFenetre& place,
                    std::vector<std::unique_ptr<F>>* reserve = nullptr) {
    if (remplie(liste, 0))
        place = positionIni(liste[0].fenetre.get());
    if (reserve)
        for (auto& t : liste)
            if (t.fenetre) {
                t.fenetre->hide();
                reserve->push_back(std::move(t.fenetre));
            }
    liste.clear();
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

// An operator action: once it is done (also inside a computation's yield),
// the windows, menus and buttons are set again from the display value.
class Evenement {
public:
    explicit Evenement(Planner& p) : p_(p) {}
    Evenement(const Evenement&) = delete;
    Evenement& operator=(const Evenement&) = delete;
    ~Evenement() { p_.Applique(); }

private:
    Planner& p_;
};

// One print command: a printer that names the files it writes (no printer
// installed) names them all in one box at the end.
struct Tirage {
    platform::Printer& p;
    explicit Tirage(platform::Printer& imprimante) : p(imprimante) { p.beginRun(); }
    Tirage(const Tirage&) = delete;
    ~Tirage() { p.endRun(); }
};
} // namespace

namespace {
// Hands every change of state of the windows it watches to the program: a
// minimise or restore by the window manager (title bar, task bar, keys)
// reaches the display value as the program's own commands do.
class SuiviEtats : public QObject {
public:
    explicit SuiviEtats(Planner& p) : p_(p) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange)
            if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow())
                p_.EtatFenetre(w, w->isMinimized());
        return false;
    }

private:
    Planner& p_;
};
} // namespace

void Planner::suitEtat(QWidget* w) { w->installEventFilter(suiviEtats_.get()); }

Planner::Planner(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier, std::function<void()> fin)
    : boites_(dialogs), Dialogues(boites_), Horloge(clock), Dossier(std::move(dossier)), fin_(std::move(fin)) {
    form2_ = std::make_unique<Form2>(*this);
    feuilleChoixDate_ = std::make_unique<FeuilleChoixDate>(*this, Dialogues);
    feuilleDateCom_ = std::make_unique<FeuilleDateCom>(*this);
    feuilleChangeUTC_ = std::make_unique<FeuilleChangeUTC>(*this);
    fenetreCommune_ = std::make_unique<FenetreCommune>(*this);
    fenetreDX_ = std::make_unique<FenetreDX>(*this);
    fenetreCiel_ = std::make_unique<FenetreCiel>(*this);
    fenetreInfoCiel_ = std::make_unique<FenetreInfoCiel>(*this);
    feuilleChoixFichier_ = std::make_unique<FeuilleChoixFichier>(*this);
    suiviEtats_ = std::make_unique<SuiviEtats>(*this);
    for (QWidget* w : std::initializer_list<QWidget*>{
             feuilleChoixDate_.get(), feuilleDateCom_.get(), feuilleChangeUTC_.get(), fenetreCommune_.get(),
             fenetreDX_.get(), fenetreCiel_.get(), fenetreInfoCiel_.get(), feuilleChoixFichier_.get()})
        suitEtat(w);
    // The world map read as what it shows: the curve's source and instant, the DX point.
    platform::describePicture(fenetreCommune_->EMEWindow, [this] {
        if (!pret_) // the windows are going
            return QString();
        const bool point = XPointDX != 0 && YPointDX != 0;
        return planner::TexteCarteMonde(Ecran.carte, {point, LatitudeDX, LongitudeDX, PrefixeDX, PaysDX});
    });
    // Each start or end of a computation, the curve or a print sets the menus.
    Garde.changement = [this] { Applique(); };
    pret_ = true;
}

Planner::~Planner() {
    pret_ = false;
    Garde.changement = nullptr;
}

void Planner::Applique() {
    if (!pret_ || ProgrammeTermine)
        return;
    // Showing a window can send events that act (a resize of the main
    // window): they ask for one more pass instead of running inside this one.
    if (enApplique_) {
        encore_ = true;
        return;
    }
    enApplique_ = true;
    do {
        encore_ = false;
        appliqueUneFois();
    } while (encore_ && !ProgrammeTermine);
    enApplique_ = false;
}

planner::Contenu Planner::contenu() const {
    planner::Contenu c;
    c.joursLune = jours(ListeFenetresPrevision);
    c.joursCommuns = jours(ListeFenetresComWin);
    c.indexSource = planner::indexSource(CodeSource);
    const platform::FileList* l = feuilleChoixFichier_->ListeFichier;
    c.stationSelectionnee = l->listIndex() >= 0;
    for (int i = 0; i < l->listCount() && !c.home; ++i)
        c.home = l->entry(i).compare(QLatin1String("home.dat"), Qt::CaseInsensitive) == 0;
    return c;
}

void Planner::appliqueUneFois() {
    const planner::Vue v = planner::vue(Ecran, contenu());
    form2_->Applique(v.principal);
    feuilleDateCom_->setWindowTitle(NomSource + QStringLiteral(" Common window"));
    fenetreDX_->BoutonOK->setEnabled(XPointDX != 0 && YPointDX != 0);
    feuilleChoixFichier_->BoutonOK->setEnabled(v.choixOK);
    feuilleChoixFichier_->BoutonHome->setEnabled(v.choixHome);
    fenetreDX_->AffDxcc->setText(PrefixeDX);
    fenetreDX_->AffPays->setText(PaysDX);
    // What goes is hidden first; the dialogs are shown last, over the rest.
    const std::pair<QWidget*, bool> fenetres[] = {
        {form2_.get(), v.principale},         {fenetreCommune_.get(), v.carte},
        {fenetreCiel_.get(), v.carte},          {fenetreDX_.get(), v.carte},
        {feuilleChangeUTC_.get(), v.changeUTC}, {fenetreInfoCiel_.get(), v.cleCiel},
        {feuilleChoixDate_.get(), v.periode},   {feuilleDateCom_.get(), v.dialogueCommun},
        {feuilleChoixFichier_.get(), v.choix}};
    for (const auto& [w, on] : fenetres)
        if (!on && w->isVisible())
            w->hide();
    if (!v.tablesLune)
        montreTables(ListeFenetresPrevision, false);
    if (!v.tablesCommunes)
        montreTables(ListeFenetresComWin, false);
    if (v.tablesLune)
        montreTables(ListeFenetresPrevision, true);
    if (v.tablesCommunes)
        montreTables(ListeFenetresComWin, true);
    // The program is minimised as a whole: the window that stands for it (the
    // main window, or the chooser before there is one) is minimised while
    // the value says so, and every other window shows in its normal state.
    QWidget* porteur = porteurMinimise();
    for (const auto& [w, on] : fenetres) {
        if (!on || w->isVisible())
            continue;
        if (w != porteur && w->isMinimized())
            w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        // Whole on the available screen, its size and frame known.
        if (w != form2_.get())
            platform::placeOnScreen(w, platform::expectedFrame(w, form2_.get()).topLeft(), form2_.get());
        w->show();
    }
    if (porteur->isVisible() && porteur->isMinimized() != Ecran.minimise)
        porteur->setWindowState(porteur->windowState() ^ Qt::WindowMinimized);
}

QWidget* Planner::porteurMinimise() const {
    return Ecran.principale ? static_cast<QWidget*>(form2_.get()) : static_cast<QWidget*>(feuilleChoixFichier_.get());
}

int16_t Planner::TablePrevisionAffichee() const { return TablesPrevisionRemplies().empty() ? Faux : Vrai; }

int16_t Planner::TableComWinAffichee() const { return TablesComWinRemplies().empty() ? Faux : Vrai; }

bool Planner::carteAffichee() const { return Ecran.lieu == Lieu::Carte && Ecran.carte.calculee; }

platform::Answer Planner::Message(const QString& texte, const QString& titre, Buttons b, Icon i) {
    TexteMessage = texte;
    TitreMessage = titre;
    return Dialogues.message(TexteMessage, b, i, TitreMessage);
}

void Planner::FinProgramme() {
    if (ProgrammeTermine)
        return;
    ProgrammeTermine = true;
    Garde.arrete();
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

void Planner::SupprimeTablesPrevision() {
    supprimeTables(ListeFenetresPrevision, IndexPrevision, PlacePrevision, &reservePrevision_);
}

void Planner::SupprimeTablesComWin() { supprimeTables(ListeFenetresComWin, IndexComWin, PlaceComWin); }

void Planner::EffaceDX() {
    for (QLabel* l : {fenetreDX_->AffAzimDX, fenetreDX_->AffElevDX, fenetreDX_->AffDopplerDX, fenetreDX_->AffPolarDX,
                      fenetreDX_->AffDistance})
        l->clear();
}

void Planner::OtePointDX() {
    planner::OtePointDX(*this);
    EffaceDX();
}

// ----- start-up and station -----------------------------------------------

void Planner::Main() {
    const Evenement e(*this);
    // While a print runs the windows it reads stay; a computation is stopped
    // at its next step and the station chooser comes after it.
    if (Garde.impression())
        return Dialogues.beep();
    if (Garde.calcul()) {
        Garde.arrete();
        Garde.apres(CleNouveau, [this] { Main(); });
        return;
    }
    if (Ecran.lieu != Lieu::Choix) {
        Ecran.retour = Ecran.lieu;
        Ecran.lieu = Lieu::Choix;
    }
    auto* f = feuilleChoixFichier_.get();
    if (!f->Charge)
        f->Form_Load(Dossier, Horloge, FichierStation.isEmpty());
    if (ProgrammeTermine)
        return;
    // The folder read again, with no selection: O.K. goes off, Home follows home.dat.
    f->ListeFichier->refresh();
    Applique();
    if (f->BoutonHome->isEnabled())
        f->BoutonHome->setFocus();
}

void Planner::SelectionStation() { const Evenement e(*this); }

void Planner::Nouveau() { Main(); }

void Planner::Quitter() { ConfirmeQuitter(); }

void Planner::ChoixStation(const QString& fichier) {
    const Evenement e(*this);
    if (Refuse() || Ecran.lieu != Lieu::Choix)
        return;
    // The file is read before anything of the current station goes: a file
    // that cannot be read is named with the reason, and the chooser stays
    // over the station, tables and map that were there.
    QString raison;
    const auto station = planner::lireStationPlan(platform::resolvePath(Dossier, fichier), &raison);
    if (!station) {
        Message(QStringLiteral("Read Error : ") + platform::nameOnDisk(Dossier, fichier) +
                    QStringLiteral(" was not read !") + QChar(13) + QChar(13) + raison,
                QStringLiteral("Selvane"), Buttons::Ok, Icon::Critical);
        return;
    }
    // What belonged to the previous station goes: its tables, map and DX point.
    FichierStation = fichier;
    OtePointDX();
    SupprimeTablesPrevision();
    SupprimeTablesComWin();
    Ecran.carte = planner::Carte{};
    Ecran.cleCiel = false;
    Ecran.retour = Lieu::Principale;
    OuvertureStation(*station);
}

void Planner::AnnuleChoixStation() {
    const Evenement e(*this);
    if (Ecran.lieu != Lieu::Choix)
        return;
    // No station to go back to: none chosen yet, or the last one failed its check.
    if (FichierStation.isEmpty() || StationValide == Faux || Ecran.retour == Lieu::Aucun) {
        ConfirmeQuitter();
        return;
    }
    Ecran.lieu = Ecran.retour;
}

void Planner::OuvertureStation(const planner::StationPlan& s) {
    LectureFichierPlannerIni();
    Ecran.principale = true;
    Applique();
    Indic = s.Indic;
    Lieu = s.Lieu;
    LatitudeStation = s.LatitudeStation;
    LongitudeStation = s.LongitudeStation;
    LongitudeStationHeures = s.LongitudeStationHeures;
    Altitude = s.Altitude;
    DecHor = s.DecHor;
    Freq = s.Freq;
    Astro.Altitude = Altitude;
    Astro.Freq = Freq;
    InitDateHeure();
}

void Planner::InitDateHeure() {
    StationValide = planner::stationValide(Freq, DecHor) ? Vrai : Faux;
    Ecran.lieu = Lieu::Principale;
    Applique();
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
    Ecran.lieu = Lieu::Periode;
}

// ----- Planner.ini ------------------------------------------------------------

void Planner::LectureFichierPlannerIni() {
    using planner::BlocIni;
    const planner::LectureIni r = planner::lirePlannerIni(platform::resolvePath(Dossier, QStringLiteral("Planner.ini")));
    const auto& n = r.nombres;
    // Only the windows of a station are placed here; the chooser is shown.
    const QWidget* modele = feuilleChoixFichier_.get();
    // A value read is used when the screen can show it: a window's place is
    // held so that the whole window lies on the available screen, a size
    // between the window's minimum and the screen. A value missing or
    // unreadable leaves the current one (the default at the first start).
    // A window kept as minimised opens in its normal state at its place: the
    // program is minimised and restored as a whole, through the main window.
    QWidget* fenetres[6] = {feuilleDateCom_.get(), nullptr, nullptr, fenetreCommune_.get(), fenetreDX_.get(),
                            fenetreCiel_.get()};
    for (BlocIni b : {planner::IniDateCom, planner::IniCommune, planner::IniDX, planner::IniCiel}) {
        QWidget* w = fenetres[b];
        const auto& top = n[size_t(3 * b)];
        const auto& left = n[size_t(3 * b + 1)];
        // Made first, so that its place is taken as the place of its frame.
        w->createWinId();
        const QPoint ici = platform::expectedFrame(w, modele).topLeft();
        placeDansEcran(w, left ? *left : platform::pixelsToTwips(ici.x()), top ? *top : platform::pixelsToTwips(ici.y()),
                       modele);
    }
    // The first table windows' places: on the screen, not above or left of
    // it (the cascade holds them above its bottom and right edges).
    auto place = [&](BlocIni b, int16_t& top, int16_t& left, planner::PositionFenetre& p) {
        if (n[size_t(3 * b)])
            top = std::max<int16_t>(0, *n[size_t(3 * b)]);
        if (n[size_t(3 * b + 1)])
            left = std::max<int16_t>(0, *n[size_t(3 * b + 1)]);
        p = {top, left, 0};
    };
    place(planner::IniPrevision, TopPrevision, LeftPrevision, PlacePrevision);
    place(planner::IniComWin, TopComWin, LeftComWin, PlaceComWin);
    // The main window: a height or width of 0 or less keeps the current one;
    // any other is held between the window's minimum and the screen.
    Form2* f = form2_.get();
    const QRect zone = zoneEcran();
    const QSize cadre = platform::expectedFrame(f, modele).size() - f->size();
    auto cote = [](const std::optional<int16_t>& v, int actuel, int minimum, int maximum) {
        if (!v || *v <= 0)
            return actuel;
        return std::max(minimum, std::min(platform::twipsToPixels(*v), maximum));
    };
    const QSize taille(cote(n[19], f->width(), f->minimumWidth(), zone.width() - cadre.width()),
                       cote(n[18], f->height(), f->minimumHeight(), zone.height() - cadre.height()));
    if (taille != f->size())
        f->resize(taille.expandedTo(f->minimumSize()));
    const QPoint ici = platform::expectedFrame(f, modele).topLeft();
    placeDansEcran(f, n[21] ? *n[21] : platform::pixelsToTwips(ici.x()), n[20] ? *n[20] : platform::pixelsToTwips(ici.y()),
                   modele);
    // A step outside 1..999 is shown as read and refused at the period dialog's O.K.
    if (n[22])
        Step = *n[22];
    if (n[23])
        MoonVisible = *n[23] != 0 ? Vrai : Faux;
    if (r.erreur)
        Message(QStringLiteral("Read Error : ") + platform::nameOnDisk(Dossier, QStringLiteral("Planner.ini")) +
                    QStringLiteral(" was not read !"),
                QStringLiteral("Selvane"), Buttons::Ok, Icon::Critical);
}

void Planner::SauveFichierPlannerIni() {
    planner::ValeursIni v;
    // The first table window of each kind: the one shown, else the place in use.
    v.Fenetres[planner::IniDateCom] = positionIni(feuilleDateCom_.get(), form2_.get());
    v.Fenetres[planner::IniPrevision] =
        remplie(ListeFenetresPrevision, 0) ? positionIni(fenetrePrevision(0), form2_.get()) : PlacePrevision;
    v.Fenetres[planner::IniComWin] = remplie(ListeFenetresComWin, 0) ? positionIni(fenetreComWin(0), form2_.get()) : PlaceComWin;
    v.Fenetres[planner::IniCommune] = positionIni(fenetreCommune_.get(), form2_.get());
    v.Fenetres[planner::IniDX] = positionIni(fenetreDX_.get(), form2_.get());
    v.Fenetres[planner::IniCiel] = positionIni(fenetreCiel_.get(), form2_.get());
    v.Height = planner::en16(platform::pixelsToTwips(form2_->height()));
    v.Width = planner::en16(platform::pixelsToTwips(form2_->width()));
    v.Top = planner::en16(platform::pixelsToTwips(form2_->y()));
    v.Left = planner::en16(platform::pixelsToTwips(form2_->x()));
    v.Step = Step;
    v.MoonVisible = MoonVisible;
    const QString chemin = platform::resolvePath(Dossier, QStringLiteral("Planner.ini"));
    if (const platform::SaveResult r = platform::saveLines(chemin, planner::lignesPlannerIni(v)); !r)
        Message(platform::writeErrorText(r), QStringLiteral("Selvane"), Buttons::Ok, Icon::Critical);
}

void Planner::SauveEcran() {
    const Evenement e(*this);
    SauveFichierPlannerIni();
}

// ----- dialogs -----------------------------------------------------------------

void Planner::SaisieRefusee() {
    SaisieValide = Faux;
    Dialogues.beep();
}

bool Planner::VerifieBoite(bool date, const QString& texte) {
    if (date ? planner::verifieDate(*this, texte) : planner::verifieHeure(*this, texte))
        return true;
    Dialogues.beep();
    Message(date ? QStringLiteral("Enter a new date !!!") : QStringLiteral("Enter a new time !!!"),
            date ? QStringLiteral(" - Compute Date ERROR -") : QStringLiteral(" - Compute Time ERROR -"), Buttons::Ok,
            Icon::Exclamation);
    return false;
}

// The instant passed on by the O.K. buttons is checked again: a box that
// never had the focus would otherwise reach the computation unchecked.
bool Planner::verifieInstant(platform::MaskedEdit* date, platform::MaskedEdit* heure) {
    for (auto [boite, estDate] : {std::pair{date, true}, std::pair{heure, false}})
        if (!VerifieBoite(estDate, boite->text())) {
            boite->setFocus();
            return false;
        }
    return true;
}

void Planner::PeriodeOK() {
    using planner::Periode;
    const Evenement e(*this);
    // The checks below set the period's variables: not while a computation runs.
    if (Refuse() || Ecran.lieu != Lieu::Periode)
        return;
    FeuilleChoixDate* d = feuilleChoixDate_.get();
    // Each box's own check first: a box that never lost the focus is checked too.
    if (!verifieInstant(d->EditDateDeb, d->EditTimeDeb) || !verifieInstant(d->EditDateFin, d->EditTimeFin))
        return;
    const Periode p = planner::verifiePeriode(*this, d->EditDateDeb->text(), d->EditTimeDeb->text(),
                                              d->EditDateFin->text(), d->EditTimeFin->text(), d->AffStep->text(),
                                              d->OptionLune[1]->isChecked());
    auto refus = [&](const char* texte, const char* titre, QWidget* focus) {
        Dialogues.beep();
        Message(QString::fromLatin1(texte), QString::fromLatin1(titre), Buttons::Ok, Icon::Exclamation);
        focus->setFocus();
    };
    switch (p) {
    case Periode::PasNul:
        return refus("'Step' must be > 0 mn !!!", " - Compute Option ERROR -", d->AffStep);
    case Periode::Ordre:
        return refus("Start UTC >= End UTC !!!", " - Compute Date ERROR -", d->EditDateDeb);
    case Periode::TropLongue:
        return refus("Compute for 31 days max !!!", " - Compute Date ERROR -", d->EditDateDeb);
    case Periode::Ok:
        break;
    }
    InitPrevisionLune();
}

void Planner::PeriodeAnnulee() {
    const Evenement e(*this);
    if (Ecran.lieu == Lieu::Periode)
        Ecran.lieu = Lieu::Principale;
}

void Planner::DialogueCommunOK() {
    const Evenement e(*this);
    if (Refuse() || Ecran.lieu != Lieu::DialogueCommun)
        return;
    FeuilleDateCom* dc = feuilleDateCom_.get();
    if (!verifieInstant(dc->EditDateDeb, dc->EditTimeDeb))
        return;
    // "Change UTC" under the main window, with the instant chosen.
    FeuilleChangeUTC* u = feuilleChangeUTC_.get();
    const QRect f = form2_->frameGeometry();
    platform::placeOnScreen(u, QPoint(f.left(), f.top() + f.height()), form2_.get());
    u->EditDateDeb->setText(dc->EditDateDeb->text());
    u->EditTimeDeb->setText(dc->EditTimeDeb->text());
    // A new map display: no DX point yet, and nothing to show until its
    // curve is computed.
    OtePointDX();
    Ecran.lieu = Lieu::Carte;
    Ecran.carte = planner::Carte{};
    Ecran.cleCiel = false;
    Applique();
    CalculFenetreCommune(dc->EditDateDeb->text(), dc->EditTimeDeb->text());
}

void Planner::DialogueCommunAnnule() {
    const Evenement e(*this);
    if (Ecran.lieu == Lieu::DialogueCommun)
        Ecran.lieu = Lieu::TablesLune;
}

void Planner::ChangeUTCOK() {
    // Pressed while the curve (or anything else) runs: carried out after it,
    // with the boxes' texts as they stand then.
    if (!Garde.libre()) {
        Garde.apres(CleChangeUTC, [this] { ChangeUTCOK(); });
        return;
    }
    const Evenement e(*this);
    if (Ecran.lieu != Lieu::Carte)
        return;
    FeuilleChangeUTC* u = feuilleChangeUTC_.get();
    if (!verifieInstant(u->EditDateDeb, u->EditTimeDeb))
        return;
    const QRect f = form2_->frameGeometry();
    platform::placeOnScreen(u, QPoint(u->x(), f.top() + f.height()), form2_.get());
    feuilleDateCom_->EditDateDeb->setText(u->EditDateDeb->text());
    feuilleDateCom_->EditTimeDeb->setText(u->EditTimeDeb->text());
    CalculFenetreCommune(u->EditDateDeb->text(), u->EditTimeDeb->text());
}

// ----- Moon-location tables ---------------------------------------------------

bool Planner::Cede() {
    QCoreApplication::processEvents();
    return !ProgrammeTermine;
}

FenetrePrevision* Planner::fenetrePrevision(int i) { return dansListe(ListeFenetresPrevision, i); }

FenetreComWinPrev* Planner::fenetreComWin(int i) { return dansListe(ListeFenetresComWin, i); }

namespace {
// The table windows behind a computation's output. The rows of the day being
// computed are kept here and go into the day's window when the day is
// complete, all at once: the window is made then, and its grid gets one
// change notice for the day instead of one a cell (the operator sees a
// window only once its day is filled). A row's text is made when the grid
// first shows or reads it: of a 1440-row day, the rows in view.
template <class F>
class SortieFenetres : public planner::SortieTable {
public:
    SortieFenetres(Planner& e, ListeTables<F>& l, std::function<std::unique_ptr<F>()> nouvelle,
                   std::function<void(int)> fin)
        : etat(e), liste(l), nouvelle_(std::move(nouvelle)), finJour_(std::move(fin)) {}
    Planner& etat;
    ListeTables<F>& liste;
    std::function<std::unique_ptr<F>()> nouvelle_;
    std::function<void(int)> finJour_;
    int jour = -1;                          // window index of the rows held
    std::vector<planner::LigneTable> lignes; // rows 1.. of that day
    F* fenetre(int index) {
        if (int(liste.size()) <= index)
            liste.resize(size_t(index + 1));
        if (!liste[size_t(index)].fenetre)
            liste[size_t(index)].fenetre = nouvelle_();
        return liste[size_t(index)].fenetre.get();
    }
    // Row r (from 1) of the day of window `index`; rows before it are kept empty.
    planner::LigneTable& ligne(int index, int r) {
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
    // the queue. The stop asked is this run's own (Garde::arrete).
    QElapsedTimer depuisCede;
    bool cede() override {
        if (depuisCede.isValid() && depuisCede.elapsed() < 5)
            return !etat.ProgrammeTermine && !etat.Garde.arretDemande();
        depuisCede.start();
        return etat.Cede() && !etat.Garde.arretDemande();
    }
    void ecritLigne(int index, int r, const planner::LigneTable& l) override { ligne(index, r) = l; }
    void ligneVide(int index, int r) override { ligne(index, r); }
    void finJour(int index) override {
        F* w = fenetre(index);
        if (index == jour) {
            auto jourLignes = std::make_shared<const std::vector<planner::LigneTable>>(std::move(lignes));
            w->GrillePrev->setRowTexts(1, int(jourLignes->size()),
                                       [jourLignes](int i) { return (*jourLignes)[size_t(i)].texte(); });
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
            liste[size_t(index)] = {};
    }
};
} // namespace

void Planner::InitPrevisionLune() {
    auto jeton = Garde.commence(planner::Garde::Activite::TablesLune);
    if (!jeton)
        return Dialogues.beep();
    const Evenement e(*this);
    // Every Moon-location computation is for the Moon.
    CodeSource = 0;
    NomSource = QStringLiteral("Moon");
    IndexPrevision = 0;
    IndexComWin = 0;
    RedessinCarte = Faux;
    // The windows of an earlier computation are forgotten: the new list starts empty.
    SupprimeTablesPrevision();
    SupprimeTablesComWin();
    Ecran.lieu = Lieu::TablesLune;
    Applique();
    form2_->repaint();
    astro::CalculJourJulien(Astro);
    {
        platform::BusyPointer sablier;
        SortieFenetres<FenetrePrevision> s(
            *this, ListeFenetresPrevision,
            [this] {
                // A window of discarded tables when there is one: it takes
                // its new day as a new window would.
                if (!reservePrevision_.empty()) {
                    std::unique_ptr<FenetrePrevision> w = std::move(reservePrevision_.back());
                    reservePrevision_.pop_back();
                    w->remetANeuf();
                    return w;
                }
                auto w = std::make_unique<FenetrePrevision>(*this);
                suitEtat(w.get());
                return w;
            },
            [this](int i) { AffichePrevision(i); });
        planner::CalculPrevision(*this, s);
    }
    oublieInachevees(ListeFenetresPrevision, IndexPrevision);
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
    // What a screen reader calls the columns: the body each angle is of.
    w->GrillePrev->setColumnNames({QStringLiteral("UTC"), QStringLiteral("Local time"), QStringLiteral("Moon azimuth"),
                                   QStringLiteral("Moon elevation"), QStringLiteral("Echo Doppler"),
                                   QStringLiteral("Sun azimuth"), QStringLiteral("Sun elevation"),
                                   QStringLiteral("Cold sky azimuth"), QStringLiteral("Cold sky elevation")});
    const int k = planner::PhaseJour(AscDroiteDebut, AscDroiteFin, AscDroiteSoleil);
    if (w->PhaseAffichee != k) {
        w->PhaseAffichee = k;
        w->AffIconeLune->setPixmap(QPixmap::fromImage(assets::phaseLune(k)));
    }
    placeCascade(w, i, LeftPrevision, TopPrevision, 300, form2_.get());
    ListeFenetresPrevision[size_t(i)].jour = d;
    ListeFenetresPrevision[size_t(i)].remplie = true;
    Applique();
}

void Planner::GrillePrev_Click(FenetrePrevision* w) {
    const Evenement e(*this);
    w->GrillePrev->setCol(0);
    const QString t = w->GrillePrev->text();
    if (t.isEmpty() || w->GrillePrev->row() < 1)
        return;
    const QString date = w->windowTitle().mid(4, 10);
    // A row of a table being filled or printed does not open the dialog.
    if (Refuse())
        return;
    if (Ecran.lieu != Lieu::TablesLune && Ecran.lieu != Lieu::DialogueCommun)
        return;
    Ecran.lieu = Lieu::DialogueCommun;
    feuilleDateCom_->EditDateDeb->setText(date);
    feuilleDateCom_->EditTimeDeb->setText(t);
}

namespace {
// Takes window `w` out of a table list (a close box): false when it is not there.
template <class F>
bool retire(ListeTables<F>& liste, const QWidget* w, planner::PositionFenetre& place) {
    for (size_t i = 0; i < liste.size(); ++i) {
        if (liste[i].fenetre.get() != w)
            continue;
        if (i == 0 && liste[i].remplie)
            place = positionIni(liste[i].fenetre.get());
        // Deleted once its close event is over.
        liste[i].fenetre.release()->deleteLater();
        liste[i] = {};
        return true;
    }
    return false;
}
} // namespace

void Planner::FermeTable(QWidget* w) {
    const Evenement e(*this);
    // The windows a computation fills or a print reads stay while it runs.
    if (Refuse())
        return;
    if (!retire(ListeFenetresPrevision, w, PlacePrevision))
        retire(ListeFenetresComWin, w, PlaceComWin);
}

// ----- the map display ----------------------------------------------------------

void Planner::CalculFenetreCommune(QString date, QString heure) {
    auto jeton = Garde.commence(planner::Garde::Activite::Courbe);
    if (!jeton)
        return Dialogues.beep();
    const Evenement e(*this);
    std::optional<platform::BusyPointer> sablier(std::in_place);
    // The curve is computed on its own copy: until it is done the map on
    // display keeps the curve, caption and values it was drawn with.
    VariablesPlanner v = *this;
    planner::fixeInstant(v, date, heure);
    astro::CalculTempsSideral(v.Astro);
    planner::CalculCourbe(v, [this] { return Cede(); });
    if (ProgrammeTermine)
        return;
    Astro = v.Astro;
    HeureCalcul = v.HeureCalcul;
    MinuteCalcul = v.MinuteCalcul;
    SecondesJour = v.SecondesJour;
    CourbeFenetreCommune = v.CourbeFenetreCommune;
    DeclinaisonCourbe = v.DeclinaisonCourbe;
    ColonneCarte = v.ColonneCarte;
    XCarte = v.XCarte;
    YCarte = v.YCarte;
    Ecran.carte = planner::Carte{true, v.CodeSource, v.NomSource, std::move(date), std::move(heure)};
    const QString d = texteJour(*this);
    const QString t = platform::FormatTime(HeureCalcul, MinuteCalcul, 0, QStringLiteral("hh:mm"));
    fenetreCommune_->setWindowTitle(Ecran.carte.NomSource + QStringLiteral(" Common Window : ") + d + QStringLiteral(" / ") + t);
    fenetreCiel_->setWindowTitle(QStringLiteral("Radio-Sky Map : ") + d + QStringLiteral(" / ") + t);
    fenetreDX_->CadreUTC->setTitle(d + QStringLiteral(" / ") + t);
    AfficheDX();
    Astro.LatitudeObservateur = LatitudeStation;
    Astro.LongitudeObservateur = LongitudeStationHeures;
    astro::CalculTempsSideral(Astro);
    AffichageFenetreCiel();
    sablier.reset();
    jeton.reset();
}

// The map's drawings from scratch: the DX mark, the elevation-0 line and its
// hatching. Each drawing clears the earlier ones, so a mark that moved leaves
// the map picture whole where it stood.
void Planner::DessineFenetreCommune() {
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
    if (!Ecran.carte.calculee)
        return planner::AInstant(*this, feuilleDateCom_->EditDateDeb->text(), feuilleDateCom_->EditTimeDeb->text());
    VariablesPlanner v = *this;
    v.CodeSource = Ecran.carte.CodeSource;
    v.NomSource = Ecran.carte.NomSource;
    return planner::AInstant(v, Ecran.carte.date, Ecran.carte.heure);
}

void Planner::PlacePointDX(int16_t x, int16_t y) {
    const Evenement e(*this); // the DX O.K. follows the point
    planner::FixePointDX(*this, x, y);
    AfficheDX();
}

void Planner::PlacePointDX(int16_t x, int16_t y, double latitude, double longitude, const QString& prefixe,
                           const QString& pays) {
    const Evenement e(*this);
    planner::FixePointDX(*this, x, y, latitude, longitude, prefixe, pays);
    AfficheDX();
}

// The DX mark on the map and the DX values for the map's instant and source.
void Planner::AfficheDX() {
    DessineFenetreCommune();
    if (XPointDX == 0 || YPointDX == 0) {
        EffaceDX();
        return;
    }
    const planner::ResultatDX r = planner::CalculPointDX(InstantCommun());
    fenetreDX_->AffAzimDX->setText(r.AffAzimDX);
    fenetreDX_->AffElevDX->setText(r.AffElevDX);
    fenetreDX_->AffDopplerDX->setText(r.AffDopplerDX);
    fenetreDX_->AffPolarDX->setText(r.AffPolarDX);
    fenetreDX_->AffDistance->setText(r.AffDistance);
}

void Planner::ClicCarte(double x, double y) {
    // The DX result said once the windows show it (after the Evenement).
    const platform::ChangeNotice dit(fenetreCommune_.get(), [this] { return fenetreDX_->texteResultat(); });
    const Evenement e(*this);
    // The DX point is an input of the computation running.
    if (Refuse() || !carteAffichee())
        return;
    const auto [px, py] = planner::PointClic(x, y);
    PlacePointDX(px, py);
}

void Planner::Prefixe() {
    const platform::ChangeNotice dit(fenetreDX_.get(), [this] { return fenetreDX_->texteResultat(); });
    const Evenement e(*this);
    if (Refuse())
        return;
    for (;;) {
        // Blanks typed before or after a prefix are not part of it (a
        // prefix holds none); an answer of blanks alone is no answer.
        const QString r = Dialogues.input(QStringLiteral("Enter the DXXC prefix !"),
                                          QStringLiteral("Common Window : Station <=> DX"), QString())
                              .trimmed();
        if (r.isEmpty())
            return;
        if (r.size() >= 7)
            continue;
        if (RecherchePrefixeDXCC(r) != Faux)
            return;
    }
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
    // The mark is drawn where the map can show it (a position beyond the
    // map's edges is pinned there); the values are the record's own. A
    // position the map cannot place leaves the DX point as it was.
    float lon = pos->longitude, lat = pos->latitude;
    std::pair<int16_t, int16_t> point;
    try {
        point = planner::PointClic(astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
    } catch (const astro::Overflow&) {
        return erreur();
    }
    PlacePointDX(point.first, point.second, pos->latitude, pos->longitude, prefixe.toUpper(),
                 pos->Lieu.left(1).toUpper() + pos->Lieu.mid(1).toLower());
    return Vrai;
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
    f->Valeurs = c;
    const QPixmap phase = QPixmap::fromImage(assets::phaseLune(c.Phase));
    f->AffIconeLune->setPixmap(phase);
    f->ImgPosLune->setPixmap(phase);
}

void Planner::CielRedimensionne() {
    if (carteAffichee())
        AffichageFenetreCiel();
}

void Planner::OuvreCleCiel() {
    const Evenement e(*this);
    if (!carteAffichee())
        return;
    if (!fenetreInfoCiel_->Charge)
        fenetreInfoCiel_->Form_Load();
    Ecran.cleCiel = true;
}

void Planner::FermeCleCiel(bool decharge) {
    const Evenement e(*this);
    Ecran.cleCiel = false;
    if (decharge)
        fenetreInfoCiel_->Charge = false;
}

// ----- common-window tables ---------------------------------------------------

void Planner::DXOK() { CalculPrevisionCommuneFenetres(); }

void Planner::CalculPrevisionCommuneFenetres() {
    const Evenement e(*this);
    // The tables start from the map on display and its DX point.
    if (Refuse() || !carteAffichee() || XPointDX == 0 || YPointDX == 0)
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
    SupprimeTablesComWin();
    Ecran.lieu = Lieu::TablesCommunes;
    Applique();
    {
        platform::BusyPointer sablier;
        SortieFenetres<FenetreComWinPrev> s(
            *this, ListeFenetresComWin,
            [this] {
                auto w = std::make_unique<FenetreComWinPrev>(*this);
                suitEtat(w.get());
                return w;
            },
            [this](int i) { AffichePrevisionCommune(i); });
        planner::CalculPrevisionCommune(*this, s);
    }
    oublieInachevees(ListeFenetresComWin, IndexComWin);
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
    if (PrefixeDX.isEmpty()) {
        w->Entete[8]->setText(QStringLiteral("DX"));
        w->Entete[9]->setText(QStringLiteral("Station"));
    } else {
        w->Entete[8]->setText(PrefixeDX);
        w->Entete[9]->setText(PaysDX);
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
    w->GrillePrev->setColumnNames({QStringLiteral("UTC"), QStringLiteral("Local time"),
                                   QStringLiteral("Home ") + NomSource + QStringLiteral(" azimuth"),
                                   QStringLiteral("Home ") + NomSource + QStringLiteral(" elevation"),
                                   QStringLiteral("Home Doppler"), QStringLiteral("DX Doppler"),
                                   QStringLiteral("Polarisation offset"),
                                   QStringLiteral("DX ") + NomSource + QStringLiteral(" azimuth"),
                                   QStringLiteral("DX ") + NomSource + QStringLiteral(" elevation")});
    w->EtiqNomSource->setText(NomSource);
    QImage image;
    QString court;
    w->Phase = CodeSource == 0 ? planner::PhaseJour(AscDroiteDebut, AscDroiteFin, AscDroiteSoleil) : -1;
    if (CodeSource == 0) {
        image = assets::phaseLune(w->Phase);
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
    placeCascade(w, i, LeftComWin, TopComWin, 200, form2_.get());
    ListeFenetresComWin[size_t(i)].jour = d;
    ListeFenetresComWin[size_t(i)].remplie = true;
    Applique();
}

// ----- the main window's commands ---------------------------------------------

void Planner::ChoixSource(int i) {
    const Evenement e(*this);
    if (i == 7 || i < 0 || i > 9 || planner::indexSource(CodeSource) == i)
        return;
    // The source is an input of the computation running.
    if (Refuse())
        return;
    CodeSource = planner::Sources[i].code;
    NomSource = QString::fromLatin1(planner::Sources[i].nom);
    // The map on display follows the source, at its own instant.
    if (carteAffichee())
        CalculFenetreCommune(Ecran.carte.date, Ecran.carte.heure);
}

void Planner::ChangeAffichage(bool parImgPrev) {
    const Evenement e(*this);
    // The press of ImgPrev does nothing before a Moon-location table is filled.
    if (parImgPrev && TablePrevisionAffichee() == Faux)
        return;
    if (Refuse())
        return;
    if (Ecran.lieu == Lieu::TablesLune) {
        // To the common window: its dialog, with the instant of the first
        // row of the first Moon-location table.
        const std::vector<int> remplies = TablesPrevisionRemplies();
        if (FenetrePrevision* w = remplies.empty() ? nullptr : fenetrePrevision(remplies.front())) {
            w->GrillePrev->setRow(1);
            w->GrillePrev->setCol(0);
            feuilleDateCom_->EditDateDeb->setText(w->windowTitle().mid(4, 10));
            feuilleDateCom_->EditTimeDeb->setText(w->GrillePrev->text());
        }
        Ecran.lieu = Lieu::DialogueCommun;
    } else if (Ecran.lieu == Lieu::Carte || Ecran.lieu == Lieu::TablesCommunes) {
        // Back to the Moon-location tables: the common-window tables and the
        // DX values go; the DX point stays for the next common window.
        EffaceDX();
        SupprimeTablesComWin();
        Ecran.cleCiel = false;
        Ecran.lieu = Lieu::TablesLune;
    }
}

void Planner::RetourCarte() {
    const Evenement e(*this);
    if (Refuse() || Ecran.lieu != Lieu::TablesCommunes)
        return;
    SupprimeTablesComWin();
    Ecran.lieu = Lieu::Carte;
    // A source chosen while the tables were shown: the map is computed for
    // it (at the map's instant) before a click or the DX O.K. can use it.
    if (Ecran.carte.calculee && Ecran.carte.CodeSource != CodeSource) {
        Applique();
        CalculFenetreCommune(Ecran.carte.date, Ecran.carte.heure);
    }
}

void Planner::ConfigurationGenerale() {
    const Evenement e(*this);
    using platform::Str;
    auto lat = [](double v, const char* n, const char* s) {
        return platform::Format(std::fabs(v), QStringLiteral("##0.000")) + QString::fromLatin1(v >= 0 ? n : s);
    };
    const QChar cr(13);
    const QString t = QStringLiteral("- Callsign : ") + Indic + cr + QStringLiteral("- Location : ") + Lieu + cr +
                      QStringLiteral("- Latitude : ") + lat(LatitudeStation, " N (deg)", " S (deg)") + cr +
                      QStringLiteral("- Longitude : ") + lat(LongitudeStation, " E (deg)", " W (deg)") + cr +
                      QStringLiteral("- Height : ") + Str(Altitude) + QStringLiteral(" m") + cr +
                      QStringLiteral("- Time/UTC : ") + Str(DecHor) + QStringLiteral(" h") + cr +
                      QStringLiteral("- Frequency : ") + Str(Freq) + QStringLiteral(" MHz") + cr + cr +
                      QStringLiteral("Use Corvinet to modify these values !");
    Message(t, platform::nameOnDisk(Dossier, FichierStation) + QStringLiteral(" : General setup"), Buttons::Ok,
            Icon::Information);
}

void Planner::EtatFenetrePrincipale(bool minimise) {
    if (Ecran.minimise == minimise)
        return;
    const Evenement e(*this);
    Ecran.minimise = minimise;
}

void Planner::EtatFenetre(QWidget* w, bool minimise) {
    if (w == form2_.get() || !pret_ || ProgrammeTermine)
        return; // the main window says it itself (Form2::Form_Resize)
    // The chooser stands for the program before the main window opens: its
    // restore restores the program.
    if (w == porteurMinimise())
        return EtatFenetrePrincipale(minimise);
    // Any other window minimised by the window manager minimises the program
    // with it, as the main window's minimise does; it comes back with the
    // rest, in its normal state. A window that the program hides or shows
    // changes nothing here.
    if (minimise && w->isVisible())
        EtatFenetrePrincipale(true);
}

// ----- printing -----------------------------------------------------------------

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
    // The icons at their own 32 x 32 pixels, whatever the screen's pixel
    // ratio: the Moon's phase is the window's, from its one-to-one picture.
    t.icones = {w->AffIconeTime->pixmap().toImage(), assets::phaseLune32(std::max(0, w->PhaseAffichee)),
                w->AffIconeSun->pixmap().toImage()};
    return t;
}

planner::ContenuTable Planner::ContenuComWin(int k) const {
    const FenetreComWinPrev* w = dansListe(ListeFenetresComWin, k);
    if (!w)
        return {};
    planner::ContenuTable t = contenuTable(*w);
    t.EtiqSource1 = w->EtiqSource[1]->text();
    t.EtiqNomSource = w->EtiqNomSource->text();
    t.icones[0] = w->AffIconeTime->pixmap().toImage();
    return t;
}

std::vector<int> Planner::TablesPrevisionRemplies() const { return remplies(ListeFenetresPrevision); }

std::vector<int> Planner::TablesComWinRemplies() const { return remplies(ListeFenetresComWin); }

QString Planner::SourceTablesComWin() const {
    const std::vector<int> r = TablesComWinRemplies();
    return r.empty() ? QString() : dansListe(ListeFenetresComWin, r.front())->EtiqNomSource->text();
}

void Planner::ImprimePrevision(int k) {
    // Only a filled window that still exists is printed.
    if (!remplie(ListeFenetresPrevision, k))
        return;
    platform::BusyPointer sablier;
    planner::ImprimePrevision(imprimante(), Dialogues, ContenuPrevision(k), [] { QCoreApplication::processEvents(); });
}

void Planner::ImprimePrevisionCommune(int k) {
    if (!remplie(ListeFenetresComWin, k))
        return;
    platform::BusyPointer sablier;
    planner::ImprimePrevisionCommune(imprimante(), Dialogues, ContenuComWin(k),
                                     [] { QCoreApplication::processEvents(); });
}

// Each print command holds the guard for the whole print: while it runs (the
// report yields after each icon row) the print commands and the commands that
// discard windows do nothing. Item 1 prints windows 0 .. `dernier`, item
// k + 2 window k.
void Planner::imprimeArticle(int index, int dernier, void (Planner::*imprime)(int)) {
    const Evenement e(*this);
    const auto jeton = Garde.commence(planner::Garde::Activite::Impression);
    if (!jeton)
        return;
    const Tirage tirage(imprimante());
    if (index == 1) {
        for (int k = 0; k <= dernier; ++k)
            (this->*imprime)(k);
    } else {
        (this->*imprime)(index - 2);
    }
}

void Planner::ImprimeLune(int index) { imprimeArticle(index, IndexPrevision, &Planner::ImprimePrevision); }

void Planner::ImprimeCommun(int index) {
    if (TableComWinAffichee() != Faux)
        imprimeArticle(index, IndexComWin, &Planner::ImprimePrevisionCommune);
}

// The Print image: the tables of the current display, after a question.
void Planner::ImprimeTout() {
    const Evenement e(*this);
    const auto jeton = Garde.commence(planner::Garde::Activite::Impression);
    if (!jeton)
        return;
    const QString mode = ModeAffichage();
    const bool lune = mode == QLatin1String("MoonPos") && TablePrevisionAffichee() != Faux;
    const bool commun = !lune && mode == QLatin1String("CommWin") && TableComWinAffichee() != Faux;
    if (!lune && !commun)
        return;
    // The filled windows, one document each, and the source they were computed for.
    const std::vector<int> k = lune ? TablesPrevisionRemplies() : TablesComWinRemplies();
    const QChar cr(13);
    TexteMessage = (lune ? QStringLiteral("Moon location") : SourceTablesComWin() + QStringLiteral(" Common Window")) +
                   cr + QStringLiteral("Number of page: ") + platform::Str(int(k.size())) + cr + cr +
                   QStringLiteral("Continue ?");
    TitreMessage = QStringLiteral("Planner - Printer");
    if (Message(TexteMessage, TitreMessage, Buttons::YesNo, Icon::Question) != platform::Answer::Yes)
        return;
    const Tirage tirage(imprimante());
    for (int i : k)
        lune ? ImprimePrevision(i) : ImprimePrevisionCommune(i);
}
