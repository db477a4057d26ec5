#include "Tracking/Tracking.h"

#include "DXCC/BaseDXCC.h"
#include "Tracking/Controles.h"
#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Station.h"
#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/Text.h"
#include "platform/widgets/Window.h"

#include <QApplication>
#include <QMenu>
#include <QDir>
#include <QThread>
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
    : S(d, c, *this), dialogs(S.dialogues()), clock(c), Dossier(std::move(dossier)), fin_(std::move(finProgramme))
{
    liaison_ = std::make_unique<suivi::LiaisonSerie>(port_, DelaiReponse, [this] { ErreurPortSerie(); });
    S.fin = [this] {
        // The port is closed already; no window stays on screen.
        if (choix_)
            choix_->hide();
        if (principale_)
            principale_->hide();
        if (interface_)
            interface_->hide();
        if (fin_)
            fin_();
    };
}

Tracking::~Tracking()
{
    S.fin = nullptr;
    S.ArretMoteursEtPort();
    port_.close();
}

QString Tracking::chemin(const QString& nom) const
{
    const QString p = platform::resolvePath(Dossier, nom);
    return p.isEmpty() ? QDir(Dossier).filePath(nom) : p;
}

FeuilleChoixFichier& Tracking::feuilleChoixFichier()
{
    if (!choix_)
        choix_ = std::make_unique<FeuilleChoixFichier>(*this);
    return *choix_;
}

FenetrePrincipale& Tracking::fenetrePrincipale()
{
    if (!principale_)
        principale_ = std::make_unique<FenetrePrincipale>(*this);
    return *principale_;
}

FenetreInterface& Tracking::fenetreInterface()
{
    if (!interface_)
        interface_ = std::make_unique<FenetreInterface>(*this);
    return *interface_;
}

// ------------------------------------------------------------ start-up

void Tracking::Main() { DemarrageProgramme(); }

void Tracking::DemarrageProgramme()
{
    FenetrePrincipale& fp = fenetrePrincipale();
    FenetreInterface& fi = fenetreInterface();
    BasculeMenusTrack();
    S.Aff.CadrePeriode = false;
    S.Aff.LibellesDoppler = false;
    fp.affiche();
    fp.hide();
    fi.hide();
    const bool premiere = !choix_;
    FeuilleChoixFichier& ch = feuilleChoixFichier();
    ch.BoutonOK->setEnabled(false);
    if (premiere)
        ch.Form_Load();
    ch.ListeFichier->refresh();
    ch.show();
    bool home = false;
    for (int i = 0; i < ch.ListeFichier->listCount(); ++i)
        home = home || ch.ListeFichier->entry(i).compare(QLatin1String("home.dat"), Qt::CaseInsensitive) == 0;
    ch.BoutonHome->setEnabled(home);
}

void Tracking::NouveauFichier()
{
    S.ArretMoteursEtPort();
    S.BoucleActive = false;
    DemarrageProgramme();
}

void Tracking::LectureFichierStationTrack()
{
    const std::optional<suivi::StationTrack> lue = suivi::lireStation(chemin(FichierStation));
    if (!lue) {
        dialogs.message(QStringLiteral("Read Error : ") + FichierStation + QStringLiteral(" was not read !"),
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
    FenetrePrincipale& fp = fenetrePrincipale();
    FenetreInterface& fi = fenetreInterface();
    // Values that the file does not reach keep the windows' present state.
    suivi::TrackIni t;
    t.InterfaceTop = platform::pixelsToTwips(fi.y());
    t.InterfaceLeft = platform::pixelsToTwips(fi.x());
    t.InterfaceEtat = (fi.windowState() & Qt::WindowMinimized) ? 1 : (fi.windowState() & Qt::WindowMaximized) ? 2 : 0;
    t.PrincipaleTop = platform::pixelsToTwips(fp.y());
    t.PrincipaleLeft = platform::pixelsToTwips(fp.x());
    t.CarteMonde = fp.MenuFenetre->checked(1);
    t.Absolu = fi.MenuAntenne->checked(8);
    t.Mesure = fi.MenuMesure->checked(0);
    t.Paysage = fi.MenuMesure->checked(2);
    const bool ok = suivi::lireTrackIni(chemin(QStringLiteral("track.ini")), t);
    Ini = t;
    controles::placerDansEcran(&fi, t.InterfaceLeft, t.InterfaceTop);
    fi.setWindowState(t.InterfaceEtat == 1 ? Qt::WindowMinimized
                                           : t.InterfaceEtat == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
    controles::placerDansEcran(&fp, t.PrincipaleLeft, t.PrincipaleTop);
    fp.MenuFenetre->setChecked(1, t.CarteMonde);
    fp.MenuFenetre->setChecked(2, !t.CarteMonde);
    fi.MenuAntenne->setChecked(8, t.Absolu);
    fi.MenuAntenne->setChecked(9, !t.Absolu);
    fi.MenuMesure->setChecked(0, t.Mesure);
    fi.MenuMesure->setChecked(2, t.Paysage);
    if (!ok)
        dialogs.message(QStringLiteral("Read Error : Track.ini was not read !"), Buttons::Ok, Icon::Critical,
                        QStringLiteral("Selvane"));
}

void Tracking::SauveFichierTrackIni()
{
    FenetrePrincipale& fp = fenetrePrincipale();
    FenetreInterface& fi = fenetreInterface();
    const bool minimisee = fi.windowState() & Qt::WindowMinimized;
    if (minimisee)
        fi.setWindowState(Qt::WindowNoState);
    suivi::TrackIni t;
    t.InterfaceTop = platform::pixelsToTwips(fi.y());
    t.InterfaceLeft = platform::pixelsToTwips(fi.x());
    t.InterfaceEtat = minimisee ? 1 : 0;
    fi.setWindowState(minimisee ? Qt::WindowMinimized : Qt::WindowNoState);
    t.PrincipaleTop = platform::pixelsToTwips(fp.y());
    t.PrincipaleLeft = platform::pixelsToTwips(fp.x());
    t.CarteMonde = !fp.CadreMap->isHidden();
    t.Absolu = fi.MenuAntenne->checked(8);
    t.Mesure = fi.MenuMesure->checked(0);
    t.Paysage = fi.MenuMesure->checked(2);
    if (!platform::saveLines(chemin(QStringLiteral("track.ini")), suivi::lignesTrackIni(t), DefautsEcriture))
        dialogs.message(QStringLiteral("Write Error : Track.ini was not saved !"), Buttons::Ok, Icon::Critical,
                        QStringLiteral("Selvane"));
}

void Tracking::InitialisationFenetrePrincipale()
{
    FenetrePrincipale& fp = fenetrePrincipale();
    FenetreInterface& fi = fenetreInterface();
    const suivi::StationTrack& st = StationLue;
    // Sky-map legend by band.
    static const char* Legende144[8] = {"< 180 K",      "180 to 225 K", "225 to 315 K",  "315 to 360 K",
                                        "360 to 450 K", "450 to 650 K", "650 to 1000 K", "> 1000 K"};
    static const char* Legende432[8] = {"< 13 K",     "13 to 18 K", "18 to 23 K", "23 to 27 K",
                                        "27 to 35 K", "35 to 55 K", "55 to 90 K", "> 90 K"};
    static const char* LegendeGHz[8] = {"< 5 K", "< 5 K", "< 5 K", "< 5 K", "< 5 K", "< 5 K", "5 to 10 K", "> 10 K"};
    const char** legende = st.Freq < 400 ? Legende144 : st.Freq < 1000 ? Legende432 : LegendeGHz;
    fp.CadreinfoCiel->setTitle(st.Freq < 400    ? QStringLiteral("Radio Sky Map @ 144 MHz")
                               : st.Freq < 1000 ? QStringLiteral("Radio Sky Map @ 432 MHz")
                                                : QStringLiteral("Radio Sky Map @ > 1 GHz"));
    for (int i = 0; i < 8; ++i)
        fp.Etiq_Temp[i]->setText(QString::fromLatin1(legende[i]));
    if (choix_ && choix_->isVisible())
        choix_->hide();
    // Source, period and length menus and buttons.
    marqueSource(0);
    fp.ImgLune->showPressed();
    fp.ImgSoleil->showReleased();
    fp.ImgCiel->showReleased();
    fp.MenuPeriode->setChecked(0, true);
    fp.MenuPeriode->setChecked(1, false);
    fp.ImgPeriode->showReleased();
    const int duree = st.Freq <= 400 ? 1 : 2;
    for (int i = 0; i < 3; ++i)
        fp.MenuDuree->setChecked(i, i == duree);
    duree == 1 ? fp.ImgDuree->showReleased() : fp.ImgDuree->showPressed();
    fp.ImgDuree->setEnabled(true);
    fp.ImgDuree->show();
    // Interface window: checks and buttons.
    fi.MenuAntenne->setChecked(0, false);
    fi.MenuAntenne->setChecked(2, false);
    fi.MenuAntenne->setChecked(6, false);
    fi.ImgSignal->showReleased();
    fi.ImgMot->showReleased();
    // Maps and panels.
    fp.CadreInfoSource->hide();
    fp.ImgPosLune->hide();
    fp.ImgPosSol->hide();
    fp.EMEWindow->cls();
    fp.CadreinfoCiel->hide();
    fp.CadreAboutInfo->show();
    fp.Aff_Ciel->cls();
    fp.CadreMap->setVisible(fp.MenuFenetre->checked(1));
    fp.CadreSkyMap->setVisible(!fp.MenuFenetre->checked(1));
    fp.CadreParametres->hide();
    if (st.PortCom == 0) {
        fi.MenuAntenne->setEnabled(4, false);
        for (QWidget* w : {static_cast<QWidget*>(fi.ImgPark), static_cast<QWidget*>(fi.ImgTrack),
                           static_cast<QWidget*>(fi.ImgSignal), static_cast<QWidget*>(fi.ImgMot)})
            w->hide();
        fi.hide();
        fp.ImgPosAnt->hide();
    } else {
        fi.MenuAntenne->setEnabled(4, true);
        fp.ImgPosAnt->show();
        fi.ImgPark->show();
        fi.ImgTrack->show();
        fi.ImgSignal->show();
        const int y = fi.ImgPark->y();
        if (st.SpeedControl < suivi::ModeVitesse) {
            fi.ImgMot->hide();
            fi.ImgPark->move(platform::twipsToPixels(1020), y);
            fi.ImgTrack->move(platform::twipsToPixels(1380), y);
            fi.MenuAntenne->setVisible(6, false);
        } else {
            fi.ImgMot->show();
            fi.ImgPark->move(platform::twipsToPixels(840), y);
            fi.ImgTrack->move(platform::twipsToPixels(1200), y);
            fi.ImgMot->move(platform::twipsToPixels(1560), y);
            fi.MenuAntenne->setVisible(6, true);
        }
        fi.show();
    }
    QString titre = fi.MenuAntenne->checked(8) ? QStringLiteral("Antenna position")
                                               : QStringLiteral("Antenna offset position");
    if (CorrectionsLues.CorrectionActive)
        titre += QStringLiteral(" + tcv");
    fi.CadreAntenne->setTitle(titre);
    const bool signal = st.TypeMesure == QLatin1String("Signal");
    fi.MenuMesure->setCaption(0, signal ? QStringLiteral("Signal Meas.") : QStringLiteral("Polar Meas."));
    fi.disposition();
    // The state of the loop, the drive and the displays; the date check.
    if (!S.Initialise(st, CorrectionsLues)) {
        S.FinProgramme();
        return;
    }
    fp.setWindowTitle(QStringLiteral("Selvane - Tracking  << >>  ") + st.Indic + QStringLiteral(" / ") + st.Lieu);
    fp.show();
    BasculeMenusTrack();
    if (st.PortCom > 0) {
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
    S.setLiaison(*liaison_);
    if (!port_.open(S.Station.PortCom, Dossier)) {
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

void Tracking::BasculeMenusTrack()
{
    FenetrePrincipale& fp = fenetrePrincipale();
    FenetreInterface& fi = fenetreInterface();
    const bool on = !fp.MenuFichierP->isEnabled();
    for (QMenu* m : {fp.MenuFichierP, fp.MenuSourceP, fp.MenuTraficP, fi.MenuAntenneP, fi.MenuMesureP,
                     fp.MenuFenetreP})
        platform::setMenuEnabled(m, on);
    fp.MenuParametreP->setEnabled(on);
    platform::setMenuEnabled(fp.MenuAboutP, on);
}

void Tracking::PauseMoteurs()
{
    S.Drive.PauseMoteurs();
    rafraichit();
}

// ------------------------------------------------------------ the driver

void Tracking::executer(int limite)
{
    try {
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
    suivi::Entrainement& d = S.Drive;
    switch (touche) {
    case 37:
    case 38:
    case 39:
    case 40:
        if (d.PoursuiteActive)
            return;
        ToucheManuelle = touche;
        d.PasManuel(ToucheManuelle);
        break;
    case 112:
        if (!d.c.MenuAntenne0Enabled)
            return;
        d.c.MenuAntenne0Enabled = false;
        rafraichit();
        SaisiePositionManuelle();
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
    if (S.Drive.c.MenuAntenne2Checked)
        S.Drive.PoursuiteArret();
    else
        S.Drive.PoursuiteMarche();
    rafraichit();
}

void Tracking::ReferenceNiveau(bool relative)
{
    S.OffsetNiveau = relative ? S.MoyenneNiveau : 0.0f;
    S.Aff.AffOffset = Format(S.OffsetNiveau, "#0.0");
    FenetreInterface& fi = fenetreInterface();
    relative ? fi.ImgSignal->showPressed() : fi.ImgSignal->showReleased();
    rafraichit();
}

void Tracking::SaisiePositionManuelle()
{
    suivi::Entrainement& d = S.Drive;
    const suivi::StationTrack& st = S.Station;
    for (;;) {
        const QString r = dialogs.input(QStringLiteral("Enter The new azimuth position") + CR + CR +
                                            QStringLiteral(" (Return, if no change) "),
                                        QStringLiteral("AZIMUTH"), Format(S.AzimutAntenne, "##0.00"));
        if (r.isEmpty()) {
            d.c.MenuAntenne0Enabled = true;
            rafraichit();
            return;
        }
        d.ConsigneAzimut = static_cast<float>(nombreSaisi(r));
        d.ConsigneAzimutEtendue = d.etendu(d.ConsigneAzimut);
        if (r.size() < 7 && d.ConsigneAzimutEtendue >= st.ButeeG && d.ConsigneAzimutEtendue <= st.ButeeD)
            break;
    }
    for (;;) {
        const QString r = dialogs.input(QStringLiteral("Enter The new elevation position") + CR + CR +
                                            QStringLiteral(" (Return, if no change) "),
                                        QStringLiteral("ELEVATION"), Format(S.ElevationAntenne, "##0.00"));
        if (r.isEmpty()) {
            d.c.MenuAntenne0Enabled = true;
            rafraichit();
            return;
        }
        d.ConsigneElevation = static_cast<float>(nombreSaisi(r));
        if (r.size() < 7 && d.ConsigneElevation >= st.ButeeB && d.ConsigneElevation <= st.ButeeH)
            break;
    }
    d.ElevationAntenne = S.ElevationAntenne;
    d.ConsigneSaisie(d.ConsigneAzimut, d.ConsigneElevation);
    rafraichit();
}

// ------------------------------------------------------------ sources

void Tracking::marqueSource(int index)
{
    FenetrePrincipale& fp = fenetrePrincipale();
    for (int i = 0; i < 12; ++i)
        if (Sources[i].code >= 0)
            fp.MenuSource->setChecked(i, i == index);
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
    FenetrePrincipale& fp = fenetrePrincipale();
    if (fp.MenuSource->checked(index))
        return;
    marqueSource(index);
    S.CodeSource = Sources[index].code;
    S.NomSource = QString::fromLatin1(Sources[index].nom);
    index == 0 ? fp.ImgLune->showPressed() : fp.ImgLune->showReleased();
    index == 1 ? fp.ImgSoleil->showPressed() : fp.ImgSoleil->showReleased();
    index == 9 ? fp.ImgCiel->showPressed() : fp.ImgCiel->showReleased();
    sourceRafraichie(false);
}

void Tracking::ChoixSourceBoutonEnfonce(int index)
{
    FenetrePrincipale& fp = fenetrePrincipale();
    if (fp.MenuSource->checked(index))
        return;
    index == 0 ? fp.ImgLune->showPressed() : fp.ImgLune->showReleased();
    index == 1 ? fp.ImgSoleil->showPressed() : fp.ImgSoleil->showReleased();
    index == 9 ? fp.ImgCiel->showPressed() : fp.ImgCiel->showReleased();
}

void Tracking::ChoixSourceBoutonRelache(int index)
{
    FenetrePrincipale& fp = fenetrePrincipale();
    if (fp.MenuSource->checked(index))
        return;
    marqueSource(index);
    S.CodeSource = Sources[index].code;
    S.NomSource = QString::fromLatin1(Sources[index].nom);
    sourceRafraichie(true);
}

void Tracking::SaisieSourceAutre()
{
    FenetrePrincipale& fp = fenetrePrincipale();
    const QString titre = QStringLiteral("Other source");
    if (fp.MenuSource->checked(11) &&
        dialogs.input(QStringLiteral("Are you sure you wish to change ?"), titre, QStringLiteral("Y")) !=
            QLatin1String("Y"))
        return;
    QString nom;
    do {
        nom = dialogs.input(QStringLiteral("Enter the Source's name (max 15 char)"), titre, QString());
    } while (nom.isEmpty() || nom.size() > 15);
    marqueSource(11);
    S.CodeSource = 9;
    S.NomSource = nom;
    fp.ImgLune->showReleased();
    fp.ImgSoleil->showReleased();
    fp.ImgCiel->showReleased();
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
    FenetrePrincipale& fp = fenetrePrincipale();
    if (index < 0 || index > 1 || fp.MenuPeriode->checked(index))
        return;
    posePeriode(index);
}

void Tracking::BasculePeriode() { posePeriode(fenetrePrincipale().MenuPeriode->checked(0) ? 1 : 0); }

void Tracking::posePeriode(int index)
{
    FenetrePrincipale& fp = fenetrePrincipale();
    fp.MenuPeriode->setChecked(index, true);
    fp.MenuPeriode->setChecked(1 - index, false);
    index == 0 ? fp.ImgPeriode->showReleased() : fp.ImgPeriode->showPressed();
    S.PeriodeTrafic = index;
    periodeRecommencee();
}

void Tracking::ChoixDuree(int index)
{
    FenetrePrincipale& fp = fenetrePrincipale();
    if (index < 0 || index > 2 || fp.MenuDuree->checked(index))
        return;
    poseDuree(index);
}

void Tracking::BasculeDuree() { poseDuree(fenetrePrincipale().MenuDuree->checked(1) ? 2 : 1); }

void Tracking::poseDuree(int index)
{
    FenetrePrincipale& fp = fenetrePrincipale();
    for (int i = 0; i < 3; ++i)
        fp.MenuDuree->setChecked(i, i == index);
    if (index == 0) {
        fp.ImgDuree->setEnabled(false);
    } else {
        fp.ImgDuree->setEnabled(true);
        index == 1 ? fp.ImgDuree->showReleased() : fp.ImgDuree->showPressed();
    }
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

bool Tracking::interfaceVisible() const
{
    return interface_ && interface_->isVisible() && !(interface_->windowState() & Qt::WindowMinimized);
}

bool Tracking::cadreSkyMapVisible() const { return principale_ && !principale_->CadreSkyMap->isHidden(); }
bool Tracking::imgPosAntVisible() const { return principale_ && !principale_->ImgPosAnt->isHidden(); }
bool Tracking::absolu() const { return interface_ && interface_->MenuAntenne->checked(8); }

void Tracking::rafraichit()
{
    if (principale_)
        principale_->affiche();
    if (interface_)
        interface_->affiche();
}

void Tracking::effaceCarte() { fenetrePrincipale().EMEWindow->cls(); }

void Tracking::dessineCourbeCarte(const std::array<float, 72>& y, bool declinaisonPositive)
{
    platform::PictureBox* c = fenetrePrincipale().EMEWindow;
    c->cls();
    c->setDrawWidth(1);
    c->setCurrentX(0);
    c->setCurrentY(y[0]);
    for (int i = 1; i <= 71; ++i) {
        const double yi = platform::CInt(y[static_cast<size_t>(i)]);
        const double x = 80.0 * i;
        c->setDrawStyle(platform::PictureBox::DrawStyle::Solid);
        c->lineTo(x, yi);
        c->setDrawStyle(platform::PictureBox::DrawStyle::Dot);
        c->line(x, declinaisonPositive ? 2770 : 0, x, yi);
    }
    c->setDrawStyle(platform::PictureBox::DrawStyle::Solid);
}

void Tracking::pointDX(int ancienX, int ancienY, int x, int y)
{
    platform::PictureBox* c = fenetrePrincipale().EMEWindow;
    c->setDrawWidth(3);
    if (ancienX != 0 && ancienY != 0)
        c->pset(ancienX, ancienY, 0xFFFFFF);
    c->pset(x, y, 0x0000FF);
    c->setDrawWidth(1);
}

void Tracking::dessineBandeCiel(const std::array<float, 73>& y)
{
    platform::PictureBox* c = fenetrePrincipale().Aff_Ciel;
    c->cls();
    c->setDrawWidth(1);
    c->setDrawStyle(platform::PictureBox::DrawStyle::Solid);
    c->setCurrentX(5630);
    c->setCurrentY(y[0]);
    for (int i = 1; i <= 71; ++i)
        c->lineTo(suivi::xHorizonCiel(i), platform::CInt(y[static_cast<size_t>(i)]));
    c->lineTo(480, platform::CInt(y[0]));
}

void Tracking::dessineNiveau(const std::array<float, 21>& n)
{
    platform::PictureBox* c = fenetreInterface().AffLevelGraph;
    // A level outside 0..51 dB lies outside the box and is clipped by it:
    // the point is held just beyond the edge (a range of 2000 dB would
    // otherwise give a y of minus tens of thousands of twips).
    const auto y = [&n](size_t i) { return std::clamp((1 - n[i] / 51) * 1350, -15.0f, 1365.0f); };
    c->cls();
    c->setCurrentX(200);
    c->setCurrentY(y(1));
    for (int i = 2; i <= 20; ++i)
        c->lineTo((i - 1) * 60 + 200, platform::CInt(y(static_cast<size_t>(i))));
}
