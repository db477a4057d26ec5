#include "Tracking/Tracking.h"

#include "DXCC/BaseDXCC.h"
#include "Tracking/Station.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

using platform::Buttons;
using platform::Format;
using platform::Icon;
using platform::Str;

namespace {
const QString CR = QStringLiteral("\r");

// Source code and name of each source item of the Sources menu (-1: separator).
struct SourceMenu {
    int code;
    const char* nom;
};
constexpr SourceMenu Sources[12] = {{0, "Moon"},     {1, "Sun"},      {2, "Cassiopeia-A"}, {3, "Sagittarius-A"},
                                    {4, "Cygnus-A"}, {5, "Omega17"},  {6, "Taurus-A"},     {-1, ""},
                                    {7, "Pictor-A"}, {8, "Cold Sky"}, {-1, ""},            {9, ""}};

// The answer of a number box read as the program reads it: the first comma
// becomes a point, then the station number rule.
double nombreSaisi(QString texte)
{
    const int v = texte.indexOf(QLatin1Char(','));
    if (v >= 0)
        texte[v] = QLatin1Char('.');
    return platform::Val(texte);
}
} // namespace

Tracking::Tracking(platform::Dialogs& d, platform::Clock& c, QString dossier, std::function<void()> finProgramme)
    : S(d, c, *this), dialogs(S.dialogues()), clock(c), Dossier(std::move(dossier)), fin_(std::move(finProgramme)),
      contexte_(std::make_unique<QObject>())
{
    // The box that does not answer: the controller's failure path (the stop
    // bytes), then the port error box and the orderly end here.
    liaison_ = std::make_unique<suivi::LiaisonSerie>(port_, DelaiReponse, [this] { S.Pilotage.panne(); });
    S.surErreurPort = [this] { ErreurPortSerie(); };
    S.tientPourBoite = [this] { tient(); };
    S.relachePourBoite = [this] { relacheDifferee(); };
    S.Pilotage.notifie = [this] {
        QMetaObject::invokeMethod(contexte_.get(), [this] { surEtat(); }, Qt::QueuedConnection);
    };
    S.fin = [this] {
        // The port is closed already; no window stays on screen.
        lieu_ = Lieu::Fin;
        rafraichit();
        if (fin_)
            fin_();
    };
}

Tracking::~Tracking()
{
    S.fin = nullptr;
    S.ArretMoteursEtPort();
    S.ArreteAutonome();
    S.Pilotage.notifie = nullptr;
    port_.close();
}

QString Tracking::chemin(const QString& nom) const
{
    const QString p = platform::resolvePath(Dossier, nom);
    return p.isEmpty() ? QDir(Dossier).filePath(nom) : p;
}

// ------------------------------------------------------------ start-up

void Tracking::Main() { DemarrageProgramme(); }

void Tracking::DemarrageProgramme()
{
    // Menus off, the main and interface windows hidden, the chooser up.
    lieu_ = Lieu::Choix;
    S.Aff.CadrePeriode = false;
    S.Aff.LibellesDoppler = false;
    rafraichit();
}

void Tracking::NouveauFichier()
{
    S.ArretMoteursEtPort();
    S.ArreteAutonome();
    S.BoucleActive = false;
    DemarrageProgramme();
}

void Tracking::LectureFichierStationTrack()
{
    const std::optional<suivi::StationTrack> lue = suivi::lireStation(chemin(FichierStation));
    if (!lue) {
        dialogs.message(QStringLiteral("Read Error : ") + platform::nameOnDisk(Dossier, FichierStation) +
                            QStringLiteral(" was not read !"),
                        Buttons::Ok, Icon::Critical, QStringLiteral("Selvane"));
        dialogs.message(QStringLiteral("Quit the Tracking program now !!!"), Buttons::Ok, Icon::Critical,
                        QStringLiteral("Selvane"));
        S.FinProgramme();
        return;
    }
    StationLue = *lue;
    VerificationDonneesStation();
    if (!StationValide) {
        S.FinProgramme();
        return;
    }
    StationChargee = true;
    LectureFichierCorrectionTrack();
    LectureFichierTrackIni();
    InitialisationFenetrePrincipale();
}

void Tracking::VerificationDonneesStation()
{
    StationValide = suivi::verifierStation(StationLue);
    if (!StationValide)
        dialogs.message(QStringLiteral("Verify Data !!!") + CR + CR + QStringLiteral("Use Corvinet"), Buttons::Ok,
                        Icon::Critical, QStringLiteral("Data Error"));
}

void Tracking::LectureFichierCorrectionTrack()
{
    const QString nom = FichierStation.left(FichierStation.size() - 4) + QStringLiteral(".tcv");
    suivi::lireCorrections(chemin(nom), CorrectionsLues, [this, &nom] {
        dialogs.message(QStringLiteral("Correction file failed: ") + nom, Buttons::Ok, Icon::Critical,
                        QStringLiteral("Selvane : Correction values"));
    });
}

void Tracking::LectureFichierTrackIni()
{
    // Values that the file does not reach keep the windows' present places
    // and the choices in force.
    suivi::TrackIni t = Ini;
    fenetres_->placesFenetres(t);
    const bool ok = suivi::lireTrackIni(chemin(QStringLiteral("track.ini")), t);
    Ini = t;
    placesLues_ = true;
    if (!ok)
        dialogs.message(QStringLiteral("Read Error : ") + platform::nameOnDisk(Dossier, QStringLiteral("track.ini")) +
                            QStringLiteral(" was not read !"),
                        Buttons::Ok, Icon::Critical, QStringLiteral("Selvane"));
}

void Tracking::SauveFichierTrackIni()
{
    suivi::TrackIni t = Ini;
    fenetres_->placesFenetres(t);
    const platform::SaveResult r =
        platform::saveLines(chemin(QStringLiteral("track.ini")), suivi::lignesTrackIni(t), DefautsEcriture);
    if (!r)
        dialogs.message(platform::writeErrorText(r), Buttons::Ok, Icon::Critical, QStringLiteral("Selvane"));
}

void Tracking::InitialisationFenetrePrincipale()
{
    // The state of the source, periods, displays, drive and loop for the
    // station; then both windows laid out for it and its display choices as
    // one step (at the places "track.ini" gave, when it was just read), and
    // shown.
    S.InitialiseEtat(StationLue, CorrectionsLues);
    fenetres_->disposition(placesLues_ ? &Ini : nullptr);
    placesLues_ = false;
    lieu_ = Lieu::Suivi;
    rafraichit();
    // The PC date is checked once the main window is up.
    if (!S.InitialiseDate()) {
        S.FinProgramme();
        return;
    }
    if (StationLue.PortCom > 0) {
        OuverturePortSerie();
        if (S.ProgrammeTermine)
            return;
    } else {
        S.setLiaison(nulle_);
    }
    rafraichit();
    boucleDemandee_ = true; // the driver enters the loop once this event has returned
}

void Tracking::OuverturePortSerie()
{
    liaison_->setDelai(DelaiReponse);
    S.Pilotage.delaiReponse = DelaiReponse / 1000.0;
    S.setLiaison(*liaison_);
    if (!port_.open(S.Station.PortCom, Dossier)) {
        if (port_.heldByAnotherProgram()) {
            // One program per box: nothing was sent, and this one ends as a
            // port failure does.
            dialogs.message(QStringLiteral("Error on the serial port ") + Str(S.Station.PortCom) + CR +
                                port_.errorString() + QStringLiteral(" !") + CR + CR +
                                QStringLiteral("Quit the Tracking of Selvane !"),
                            Buttons::Ok, Icon::Exclamation, QStringLiteral("Communication Port Error"));
            S.FinProgramme();
            return;
        }
        ErreurPortSerie();
        return;
    }
    S.PortOuvert = true;
    port_.flush();
}

void Tracking::ErreurPortSerie()
{
    dialogs.message(QStringLiteral("Error on the serial port ") + Str(S.Station.PortCom) + CR +
                        QStringLiteral("Verify the data and hardware !") + CR + CR +
                        QStringLiteral("Quit the Tracking of Selvane !"),
                    Buttons::Ok, Icon::Exclamation, QStringLiteral("Communication Port Error"));
    S.FinProgramme();
}

void Tracking::DemandeQuitter()
{
    if (dialogs.message(QStringLiteral("Are you sure you wish to quit ?"), Buttons::YesNo, Icon::Critical,
                        QStringLiteral("Selvane - Track")) == platform::Answer::Yes)
        S.FinProgramme();
}

void Tracking::PauseMoteurs()
{
    tient();
    relacheDifferee();
    rafraichit();
}

void Tracking::Tient()
{
    tient();
    rafraichit();
}

void Tracking::Relache() { relacheDifferee(); }

void Tracking::tient()
{
    if (S.autonome())
        ++tenues_;
    S.Pilotage.pause();
}

void Tracking::relacheDifferee()
{
    if (!S.autonome()) {
        S.Pilotage.relache();
        return;
    }
    QTimer::singleShot(0, contexte_.get(), [this] {
        if (tenues_ > 0)
            --tenues_;
        S.Pilotage.relache();
        if (tenues_ == 0 && etatEnAttente_) {
            etatEnAttente_ = false;
            surEtat();
        }
    });
}

void Tracking::ArretComplet()
{
    S.Pilotage.arretComplet();
    rafraichit();
}

// ------------------------------------------------------------ the driver

void Tracking::executer(int limite)
{
    try {
        if (Autonome)
            executerAutonome(limite);
        else
            executerBoucles(limite);
    } catch (...) {
        // An error nothing traps, in a cycle or a window event: the running
        // drives get their stop bytes and the port is closed before it ends
        // the program.
        S.ArretMoteursEtPort();
        throw;
    }
}

void Tracking::executerBoucles(int limite)
{
    limite_ = limite;
    cedes_ = 0;
    limiteAtteinte_ = false;
    while (!S.ProgrammeTermine) {
        if (boucleDemandee_) {
            boucleDemandee_ = false;
            boucleEnCours_ = true;
            S.BoucleTracking();
        } else if (boucleEnCours_) {
            while (ceder()) {
                if (!S.Cycle() && (!S.BoucleActive || S.ProgrammeTermine))
                    break;
            }
        } else {
            if (limite >= 0) {
                QCoreApplication::processEvents();
                if (!boucleDemandee_)
                    break;
                continue;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            continue;
        }
        if (limiteAtteinte_)
            break;
        boucleEnCours_ = false; // the loop has left for good
    }
    limite_ = -1;
}

void Tracking::executerAutonome(int limite)
{
    limite_ = limite;
    cedes_ = 0;
    QElapsedTimer garde;
    garde.start();
    while (!S.ProgrammeTermine) {
        if (boucleDemandee_) {
            boucleDemandee_ = false;
            boucleEnCours_ = true;
            cyclesVus_ = 0;
            S.Pilotage.attenteSansBoite = std::max(AttenteSansPortMs, 1) / 1000.0;
            S.DemarreAutonome();
        }
        if (boucleEnCours_ && (!S.BoucleActive || S.ProgrammeTermine)) {
            S.ArreteAutonome();
            boucleEnCours_ = false;
        }
        if (limite < 0) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            continue;
        }
        // Tests: until that many cycles of the controller have been shown,
        // or at once when no loop is due (a minute at most).
        if (!boucleEnCours_ || cedes_ >= limite || garde.elapsed() > 60000) {
            QCoreApplication::processEvents();
            if (!boucleDemandee_)
                break;
            continue;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::usleep(200);
    }
    limite_ = -1;
}

void Tracking::surEtat()
{
    if (!boucleEnCours_ || !S.BoucleActive || S.ProgrammeTermine)
        return;
    // A box or a menu holds the controller: shown once it has closed.
    if (tenues_ > 0) {
        etatEnAttente_ = true;
        return;
    }
    // The latest only, at most every RafraichissementMs: the windows' thread
    // stays free for the operator's events and screen readers.
    static QElapsedTimer horloge;
    if (!horloge.isValid())
        horloge.start();
    const qint64 t = horloge.elapsed();
    if (t - dernierRafraichissement_ < RafraichissementMs) {
        if (!rafraichissementPrevu_) {
            rafraichissementPrevu_ = true;
            QTimer::singleShot(static_cast<int>(RafraichissementMs - (t - dernierRafraichissement_)), contexte_.get(),
                               [this] {
                                   rafraichissementPrevu_ = false;
                                   surEtat();
                               });
        }
        return;
    }
    dernierRafraichissement_ = t;
    S.TraiteEtat();
    cedes_ += static_cast<int>(std::max<long>(S.Vu.cycles - cyclesVus_, 0));
    cyclesVus_ = S.Vu.cycles;
}

bool Tracking::ceder()
{
    if (limite_ >= 0 && cedes_ >= limite_) {
        limiteAtteinte_ = true;
        return false;
    }
    ++cedes_;
    QCoreApplication::processEvents();
    // No cycle while a menu is open: wait for it to close.
    while (QApplication::activePopupWidget() && !S.ProgrammeTermine) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    if (boucleDemandee_ || !S.BoucleActive || S.ProgrammeTermine)
        return false;
    if (S.Station.PortCom == 0 && AttenteSansPortMs > 0)
        QThread::msleep(static_cast<unsigned long>(AttenteSansPortMs));
    return true;
}

// ------------------------------------------------------------ manual control

void Tracking::CommandeManuelle(int& touche)
{
    if (S.Station.PortCom == 0)
        return;
    const suivi::EtatPilote& d = S.VuCourant();
    switch (touche) {
    case 37:
    case 38:
    case 39:
    case 40:
        if (d.PoursuiteActive)
            return;
        ToucheManuelle = touche;
        S.Pilotage.demande(suivi::Pilote::Demande::Fleche, ToucheManuelle);
        break;
    case 112:
        if (!d.c.MenuAntenne0Enabled)
            return;
        DebutSaisiePosition();
        break;
    case 114:
        if (!d.c.MenuAntenne2Enabled)
            return;
        PoursuiteBascule();
        break;
    case 116: ReferenceNiveau(false); break;
    case 119: ReferenceNiveau(true); break;
    default: return;
    }
    rafraichit();
}

void Tracking::PoursuiteBascule()
{
    S.Pilotage.demande(suivi::Pilote::Demande::PoursuiteBascule);
    rafraichit();
}

void Tracking::CommandeParking()
{
    S.Pilotage.demande(suivi::Pilote::Demande::Parc);
    rafraichit();
}

void Tracking::BasculeMoteurs()
{
    S.Pilotage.demande(suivi::Pilote::Demande::BasculeMoteurs);
    rafraichit();
}

void Tracking::DebutSaisiePosition()
{
    S.Pilotage.demande(suivi::Pilote::Demande::F1Pris);
    S.Vu.c.MenuAntenne0Enabled = false; // shown at once, whatever the controller has published since
    rafraichit();
    SaisiePositionManuelle();
}

void Tracking::ReferenceNiveau(bool relative)
{
    S.OffsetNiveau = relative ? S.MoyenneNiveau : 0.0f;
    S.Aff.AffOffset = Format(S.OffsetNiveau, "#0.0");
    S.Aff.ReferenceRelative = relative;
    rafraichit();
}

void Tracking::SaisiePositionManuelle()
{
    const suivi::StationTrack& st = S.Station;
    // The travel's shape is fixed for the loop: read here as the drive reads it.
    const bool nord = S.Drive.CourseTraverseNord;
    const auto annule = [this] {
        S.Pilotage.demande(suivi::Pilote::Demande::F1Rendu);
        S.Vu.c.MenuAntenne0Enabled = true;
        rafraichit();
    };
    float azimut = 0, elevation = 0;
    for (;;) {
        const QString r = dialogs.input(QStringLiteral("Enter The new azimuth position") + CR + CR +
                                            QStringLiteral(" (Return, if no change) "),
                                        QStringLiteral("AZIMUTH"), Format(S.AzimutAntenne, "##0.00"));
        if (r.isEmpty())
            return annule();
        azimut = static_cast<float>(nombreSaisi(r));
        const float etendu = suivi::Entrainement::etendu(st, nord, azimut);
        if (r.size() < 7 && etendu >= st.ButeeG && etendu <= st.ButeeD)
            break;
    }
    for (;;) {
        const QString r = dialogs.input(QStringLiteral("Enter The new elevation position") + CR + CR +
                                            QStringLiteral(" (Return, if no change) "),
                                        QStringLiteral("ELEVATION"), Format(S.ElevationAntenne, "##0.00"));
        if (r.isEmpty())
            return annule();
        elevation = static_cast<float>(nombreSaisi(r));
        if (r.size() < 7 && elevation >= st.ButeeB && elevation <= st.ButeeH)
            break;
    }
    // The move starts in the controller's next drive step, from its reading.
    S.Pilotage.demande(suivi::Pilote::Demande::Consigne, 0, azimut, elevation);
    rafraichit();
}

// ------------------------------------------------------------ sources

int Tracking::indexSource(int code)
{
    for (int i = 0; i < 12; ++i)
        if (Sources[i].code == code)
            return i;
    return 0;
}

QString Tracking::nomSource(int code) { return QString::fromLatin1(Sources[indexSource(code)].nom); }

void Tracking::poseSource(int index)
{
    S.CodeSource = Sources[index].code;
    S.NomSource = QString::fromLatin1(Sources[index].nom);
}

void Tracking::sourceRafraichie(bool avecDX)
{
    S.RafraichitSource();
    if (avecDX && !S.PrefixeDX.isEmpty()) {
        RecherchePrefixeDXCCTrack(S.PrefixeDX);
        S.Aff.AffElevDX.clear();
        S.Aff.AffAzimDX.clear();
        S.Aff.AffPolarDX.clear();
        S.Aff.AffDopplerDX.clear();
        S.Aff.AffDistance.clear();
    }
    rafraichit();
}

void Tracking::ChoixSourceMenu(int index)
{
    if (index < 0 || index > 11)
        return;
    if (Sources[index].code < 0) {
        sourceRafraichie(false);
        return;
    }
    if (index == 11) {
        SaisieSourceAutre();
        return;
    }
    if (indexSource(S.CodeSource) == index)
        return;
    poseSource(index);
    sourceRafraichie(false);
}

void Tracking::ChoixSourceBoutonEnfonce(int index)
{
    if (indexSource(S.CodeSource) == index)
        return;
    S.Aff.BoutonSourceEnfonce = index;
    rafraichit();
}

void Tracking::ChoixSourceBoutonRelache(int index)
{
    S.Aff.BoutonSourceEnfonce = -1;
    if (indexSource(S.CodeSource) == index) {
        rafraichit();
        return;
    }
    poseSource(index);
    sourceRafraichie(true);
}

void Tracking::SaisieSourceAutre()
{
    const QString titre = QStringLiteral("Other source");
    if (S.CodeSource == 9 &&
        dialogs.input(QStringLiteral("Are you sure you wish to change ?"), titre, QStringLiteral("Y")) !=
            QLatin1String("Y"))
        return;
    QString nom;
    do {
        nom = dialogs.input(QStringLiteral("Enter the Source's name (max 15 char)"), titre, QString());
    } while (nom.isEmpty() || nom.size() > 15);
    S.CodeSource = 9;
    S.NomSource = nom;
    QString r;
    do {
        r = dialogs.input(QStringLiteral("Enter the Right Ascension (in hours) ") + CR + CR +
                              QStringLiteral("(Ex: 9h30' -> 9.50) "),
                          QStringLiteral("Right Ascencion"), QStringLiteral("9.50"));
        S.AscDroiteAutre = nombreSaisi(r) * 15;
    } while (r.isEmpty() || S.AscDroiteAutre < 0 || S.AscDroiteAutre >= 360);
    do {
        r = dialogs.input(QStringLiteral("Enter the declination (in degree) ") + CR + CR +
                              QString::fromUtf8("(Ex: 40°06' -> 40.10) "),
                          QStringLiteral("Declination"), QStringLiteral("40.10"));
        S.DeclinaisonAutre = nombreSaisi(r);
    } while (r.isEmpty() || S.DeclinaisonAutre < -90 || S.DeclinaisonAutre > 90);
    sourceRafraichie(false);
}

// ------------------------------------------------------------ DX point

bool Tracking::RecherchePrefixeDXCCTrack(QString& prefixe)
{
    if (prefixe.isEmpty())
        return false;
    const dxcc::RechercheDXCC r = dxcc::rechercherPrefixe(Dossier, prefixe);
    const QString titre = QStringLiteral("Common Window : Station <=> DX");
    if (r.etat == dxcc::RechercheDXCC::Etat::ErreurLecture) {
        dialogs.message(QStringLiteral("DXCC DataBase was not read !"), Buttons::Ok, Icon::Critical,
                        QStringLiteral("Selvane : Read Error"));
        return false;
    }
    if (r.etat == dxcc::RechercheDXCC::Etat::Absent) {
        dialogs.message(QStringLiteral("DXCC prefix not found !!!"), Buttons::Ok, Icon::Exclamation, titre);
        return false;
    }
    const std::optional<dxcc::PositionDXCC> p = dxcc::decoderEnregistrement(r.ligne);
    if (!p) {
        dialogs.message(QStringLiteral("DXCC DataBase was not read !"), Buttons::Ok, Icon::Critical,
                        QStringLiteral("Selvane : Read Error"));
        return true;
    }
    S.Aff.CadreDXCC = QStringLiteral("DXCC : ") + prefixe.toUpper() + QStringLiteral(" - ") + p->Lieu;
    float lon = p->longitude, lat = p->latitude;
    int16_t x = 0, y = 0;
    try {
        x = astro::LongitudeVersCarteX(lon);
    } catch (const astro::Overflow&) {
        x = 0;
    }
    y = astro::LatitudeVersCarteY(lat);
    // The mark goes where the map can show it; the values belong to the
    // record's own position.
    S.PlacePointDXTrack(x, y, p->latitude, p->longitude / 15.0);
    rafraichit();
    return true;
}

void Tracking::SaisiePrefixeDX()
{
    for (;;) {
        S.PrefixeDX = dialogs.input(QStringLiteral("Enter the DXXC prefix !"),
                                    QStringLiteral("Common Window : Station <=> DX"), QString());
        if (S.PrefixeDX.isEmpty())
            return;
        if (S.PrefixeDX.size() >= 7)
            continue;
        if (RecherchePrefixeDXCCTrack(S.PrefixeDX))
            return;
    }
}

void Tracking::ClicCarte(double x, double y)
{
    S.Aff.CadreDXCC.clear();
    int cx = 0, cy = 0;
    try {
        cx = platform::CInt(x);
        cy = platform::CInt(y);
    } catch (const platform::OverflowError&) {
        return;
    }
    S.PlacePointDXTrack(cx, cy);
    rafraichit();
}

// ------------------------------------------------------------ traffic choices

void Tracking::ChoixPeriode(int index)
{
    if (index < 0 || index > 1 || S.PeriodeTrafic == index)
        return;
    posePeriode(index);
}

void Tracking::BasculePeriode() { posePeriode(S.PeriodeTrafic == 0 ? 1 : 0); }

void Tracking::posePeriode(int index)
{
    S.PeriodeTrafic = index;
    periodeRecommencee();
}

void Tracking::ChoixDuree(int index)
{
    if (index < 0 || index > 2 || S.DureePeriode == index)
        return;
    poseDuree(index);
}

void Tracking::BasculeDuree() { poseDuree(S.DureePeriode == 1 ? 2 : 1); }

void Tracking::poseDuree(int index)
{
    S.DureePeriode = index;
    periodeRecommencee();
}

void Tracking::periodeRecommencee()
{
    // A new period or length: the traffic frame is back to "Calibration"
    // until the cycle shows the period again.
    S.Aff.CadrePeriode = false;
    S.Aff.CadreTraffic = QStringLiteral("Calibration");
    rafraichit();
}

// ------------------------------------------------------------ display choices

void Tracking::ChoixCarte(bool monde)
{
    if (Ini.CarteMonde == monde)
        return;
    Ini.CarteMonde = monde;
    rafraichit();
}

void Tracking::ChoixPositionAntenne(bool absolue)
{
    if (Ini.Absolu == absolue)
        return;
    Ini.Absolu = absolue;
    rafraichit();
}

void Tracking::BasculeMesure()
{
    Ini.Mesure = !Ini.Mesure;
    // Switched on for a level input, the reference starts from zero.
    if (Ini.Mesure && S.Station.TypeMesure == QLatin1String("Signal"))
        ReferenceNiveau(false);
    fenetres_->disposition(nullptr);
    rafraichit();
}

void Tracking::BasculePaysage()
{
    // With the display off the check mark stays as it is.
    if (Ini.Mesure)
        Ini.Paysage = !Ini.Paysage;
    fenetres_->disposition(nullptr);
    rafraichit();
}

void Tracking::BasculeParametres(suivi::Panneau p)
{
    PauseMoteurs();
    S.Aff.Parametres = S.Aff.Parametres == suivi::Panneau::Aucun ? p : suivi::Panneau::Aucun;
    rafraichit();
}

void Tracking::FermeParametres()
{
    S.Aff.Parametres = suivi::Panneau::Aucun;
    rafraichit();
}

void Tracking::MontreLegendeCiel(bool montree)
{
    S.Aff.LegendeCiel = montree;
    rafraichit();
}

// ------------------------------------------------------------ setup panels

QString Tracking::texteParametresGeneraux() const
{
    const suivi::StationTrack& st = StationLue;
    const double lat = st.LatitudeStation, lon = st.LongitudeStation;
    QStringList l;
    l << QStringLiteral("- Callsign : ") + st.Indic << QString() << QStringLiteral("- Location : ") + st.Lieu
      << QStringLiteral("- Latitude : ") + Format(std::abs(lat), "##0.000") +
             (lat < 0 ? QStringLiteral(" S (deg)") : QStringLiteral(" N (deg)"))
      << QStringLiteral("- Longitude : ") + Format(std::abs(lon), "##0.000") +
             (lon < 0 ? QStringLiteral(" W (deg)") : QStringLiteral(" E (deg)"))
      << QStringLiteral("- Height : ") + Str(st.Altitude) + QStringLiteral(" m")
      << QStringLiteral("- Time/UTC : ") + Str(st.DecHor) + QStringLiteral(" h") << QString()
      << QStringLiteral("- Frequency : ") + Str(st.Freq) + QStringLiteral(" MHz") << QString()
      << QStringLiteral("- COM Port : ") + Str(st.PortCom) << QString() << QString()
      << QStringLiteral("Use Corvinet to modify these values !");
    return l.join(CR);
}

QString Tracking::texteParametresTracking() const
{
    const suivi::StationTrack& st = StationLue;
    const QString deg = QString::fromUtf8(" °");
    const bool signal = st.TypeMesure == QLatin1String("Signal");
    QStringList l;
    l << QStringLiteral("- Drive Hysteresis Elevation :   Start = ") + Str(st.ElevOn) + deg + QStringLiteral("  Stop = ") +
             Str(st.ElevOf) + deg
      << QStringLiteral("- Drive Hysteresis Azimuth :   Start = ") + Str(st.AzimOn) + deg + QStringLiteral("  Stop = ") +
             Str(st.AzimOf) + deg
      << QString()
      << QStringLiteral("- End Stop Elevation :   Low = ") + Str(st.ButeeB) + deg + QStringLiteral("  High = ") +
             Str(st.ButeeH) + deg
      << QStringLiteral("- End Stop Azimuth :   CCW = ") + Str(st.ButeeG % 360) + deg + QStringLiteral("  CW = ") +
             Str(st.ButeeD % 360) + deg
      << QString()
      << QStringLiteral("- Parking :   Elevation = ") + Str(st.ParkEl) + deg + QStringLiteral("  Azimuth = ") +
             Str(st.ParkAz) + deg
      << QStringLiteral("- Format :   Elevation = ") + st.FormatEl + QStringLiteral("   Azimuth = ") + st.FormatAz
      << QStringLiteral("- Range :   Elevation = ") +
             (st.FormatEl == QLatin1String("BCD") ? QStringLiteral("BCD") : Str(st.RangEl)) + QStringLiteral(" ") +
             st.UniteEl + QStringLiteral("  Azimuth = ") +
             (st.FormatAz == QLatin1String("BCD") ? QStringLiteral("BCD") : Str(st.RangAz)) + QStringLiteral(" ") +
             st.UniteAz
      << QStringLiteral("- Offset :   Elevation = ") + Str(st.OffEl) + deg + QStringLiteral("  Azimuth = ") +
             Str(st.OffAz) + QStringLiteral(" ") + deg
      << QString()
      << QStringLiteral("- Meas. :   Range = ") + Str(st.Range8b) + (signal ? QStringLiteral(" dB") : deg) +
             QStringLiteral("  Offset = ") + Str(st.Off8b) + (signal ? QStringLiteral(" dB") : deg);
    switch (st.SpeedControl) {
    case 0: l << QStringLiteral("- Tracking : Use hysteresis parameters"); break;
    case 1:
        l << QStringLiteral("- Tracking : Use hysteresis parameters and displays an error word on the interface Rx bus");
        break;
    default: l << QStringLiteral("- Tracking : Use a speed control (Az & El relays = drive on or off)"); break;
    }
    l << QString() << QString() << QStringLiteral("Use Corvinet to modify these values !");
    return l.join(CR);
}

// ------------------------------------------------------------ Vue

bool Tracking::interfaceVisible() const { return fenetres_->interfaceVisible(); }
bool Tracking::cadreSkyMapVisible() const { return !Ini.CarteMonde; }
bool Tracking::imgPosAntVisible() const { return S.Station.PortCom > 0; }
bool Tracking::absolu() const { return Ini.Absolu; }
void Tracking::rafraichit()
{
    // Stepped, the drive is this thread's: the windows show its state now.
    S.VuCourant();
    fenetres_->rafraichit();
}
void Tracking::effaceCarte() { fenetres_->effaceCarte(); }
void Tracking::effaceCarteCiel() { fenetres_->effaceCarteCiel(); }

void Tracking::dessineCourbeCarte(const std::array<float, 72>& y, bool declinaisonPositive)
{
    fenetres_->dessineCourbeCarte(y, declinaisonPositive);
}

void Tracking::pointDX(int ancienX, int ancienY, int x, int y) { fenetres_->pointDX(ancienX, ancienY, x, y); }
void Tracking::dessineBandeCiel(const std::array<float, 73>& y) { fenetres_->dessineBandeCiel(y); }
void Tracking::dessineNiveau(const std::array<float, 21>& n) { fenetres_->dessineNiveau(n); }
