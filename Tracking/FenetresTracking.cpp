#include "Tracking/FenetresTracking.h"

#include "Tracking/Controles.h"
#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Tracking.h"
#include "platform/Geometry.h"
#include "platform/Text.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

using Lieu = Tracking::Lieu;

FenetresTracking::FenetresTracking(Tracking& etat)
    : etat_(etat), choix_(std::make_unique<FeuilleChoixFichier>(etat)),
      principale_(std::make_unique<FenetrePrincipale>(etat)), interface_(std::make_unique<FenetreInterface>(etat))
{
    QObject::connect(principale_.get(), &FenetrePrincipale::etatFenetreChange, principale_.get(),
                     [this] { suitEtatPrincipale(); });
    etat_.relie(*this);
}

FenetresTracking::~FenetresTracking() { etat_.delie(); }

bool FenetresTracking::interfaceVisible() const
{
    return interface_->isVisible() && !(interface_->windowState() & Qt::WindowMinimized);
}

void FenetresTracking::rafraichit()
{
    // The chooser's start picture serves window events while it waits.
    if (enCours_)
        return;
    enCours_ = true;
    const Lieu lieu = etat_.lieu();
    const bool suivi = lieu == Lieu::Suivi;
    principale_->affiche();
    interface_->affiche();
    if (!suivi) {
        interface_->hide();
        principale_->hide();
    }
    if (lieu != Lieu::Choix)
        choix_->hide();
    else if (!choix_->isVisible())
        ouvreChoix();
    if (suivi) {
        principale_->show();
        if (etat_.S.Station.PortCom == 0) {
            interface_->hide();
        } else if (!interface_->isVisible()) {
            interface_->show();
            interface_->raise();
        }
    }
    if (suivi && placesAReprendre_) {
        const suivi::TrackIni places = *placesAReprendre_;
        placesAReprendre_.reset();
        place(places);
    }
    enCours_ = false;
}

void FenetresTracking::ouvreChoix()
{
    FeuilleChoixFichier& ch = *choix_;
    ch.BoutonOK->setEnabled(false);
    if (!choixCharge_) {
        choixCharge_ = true;
        ch.Form_Load();
    }
    ch.ListeFichier->refresh();
    ch.show();
    bool home = false;
    for (int i = 0; i < ch.ListeFichier->listCount(); ++i)
        home = home || ch.ListeFichier->entry(i).compare(QLatin1String("home.dat"), Qt::CaseInsensitive) == 0;
    ch.BoutonHome->setEnabled(home);
}

void FenetresTracking::disposition(const suivi::TrackIni* places)
{
    principale_->Form_Load();
    interface_->disposition();
    if (places) {
        const int etat = places->InterfaceEtat;
        interface_->setWindowState(etat == 1   ? Qt::WindowMinimized
                                   : etat == 2 ? Qt::WindowMaximized
                                               : Qt::WindowNoState);
        place(*places);
        // Before a window is first shown its frame is not known yet.
        if (!principale_->isVisible() || !interface_->isVisible())
            placesAReprendre_ = *places;
        return;
    }
    // A window that grew stays wholly inside the screen, and clear of the
    // other.
    for (QWidget* f : {static_cast<QWidget*>(principale_.get()), static_cast<QWidget*>(interface_.get())})
        if (!(f->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
            controles::placerDansEcran(f, platform::pixelsToTwips(f->x()), platform::pixelsToTwips(f->y()));
    degage();
}

void FenetresTracking::place(const suivi::TrackIni& places)
{
    FenetrePrincipale& fp = *principale_;
    FenetreInterface& fi = *interface_;
    if (!(fp.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        controles::placerDansEcran(&fp, places.PrincipaleLeft, places.PrincipaleTop);
    if (fi.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        return;
    controles::placerDansEcran(&fi, places.InterfaceLeft, places.InterfaceTop);
    degage();
}

void FenetresTracking::degage()
{
    FenetrePrincipale& fp = *principale_;
    FenetreInterface& fi = *interface_;
    if (etat_.S.Station.PortCom == 0 || (fi.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        return;
    const QRect autre = controles::cadreExterieur(&fp);
    const QRect r = controles::cadreExterieur(&fi);
    const QScreen* ecran = QGuiApplication::screenAt(r.center());
    if (!ecran)
        ecran = QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QPoint p = controles::ecarte(r, autre, ecran->availableGeometry());
    if (p != r.topLeft())
        fi.move(p);
}

void FenetresTracking::placesFenetres(suivi::TrackIni& t)
{
    FenetreInterface& fi = *interface_;
    // The interface window's place means its normal state's: a minimised
    // window is restored for the moment (a maximised one stays normal).
    const bool minimisee = fi.windowState() & Qt::WindowMinimized;
    if (fi.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        fi.setWindowState(Qt::WindowNoState);
    t.InterfaceTop = platform::pixelsToTwips(fi.y());
    t.InterfaceLeft = platform::pixelsToTwips(fi.x());
    t.InterfaceEtat = minimisee ? 1 : 0;
    if (minimisee)
        fi.setWindowState(Qt::WindowMinimized);
    t.PrincipaleTop = platform::pixelsToTwips(principale_->y());
    t.PrincipaleLeft = platform::pixelsToTwips(principale_->x());
}

void FenetresTracking::suitEtatPrincipale()
{
    FenetreInterface& fi = *interface_;
    const Qt::WindowStates etat = principale_->windowState();
    if (etat & Qt::WindowMinimized) {
        if (fi.isVisible())
            fi.showMinimized();
    } else if (!(etat & Qt::WindowMaximized)) {
        if (fi.isVisible())
            fi.showNormal();
    }
}

void FenetresTracking::effaceCarte() { principale_->EMEWindow->cls(); }

void FenetresTracking::effaceCarteCiel() { principale_->Aff_Ciel->cls(); }

void FenetresTracking::dessineCourbeCarte(const std::array<float, 72>& y, bool declinaisonPositive)
{
    platform::PictureBox* c = principale_->EMEWindow;
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

void FenetresTracking::pointDX(int ancienX, int ancienY, int x, int y)
{
    platform::PictureBox* c = principale_->EMEWindow;
    c->setDrawWidth(3);
    if (ancienX >= 0 && ancienY >= 0)
        c->pset(ancienX, ancienY, 0xFFFFFF);
    c->pset(x, y, 0x0000FF);
    c->setDrawWidth(1);
}

void FenetresTracking::dessineBandeCiel(const std::array<float, 73>& y)
{
    platform::PictureBox* c = principale_->Aff_Ciel;
    c->cls();
    c->setDrawWidth(1);
    c->setDrawStyle(platform::PictureBox::DrawStyle::Solid);
    c->setCurrentX(5630);
    c->setCurrentY(y[0]);
    for (int i = 1; i <= 71; ++i)
        c->lineTo(suivi::xHorizonCiel(i), platform::CInt(y[static_cast<size_t>(i)]));
    c->lineTo(480, platform::CInt(y[0]));
}

void FenetresTracking::dessineNiveau(const std::array<float, 21>& n)
{
    platform::PictureBox* c = interface_->AffLevelGraph;
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
