#pragma once
// What Tracking's windows must be on any screen, checked from the widgets'
// geometry at scale 1 (tracking_tests) and on a dense screen
// (tracking_dense_tests): the program with its windows on COM 1 against the
// box simulator in a drive mode, "track.ini" as a test writes it.

#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/BancBoitier.h"
#include "Tracking/tests/Outils.h"
#include "platform/testing/TestFiles.h"
#include "tools/boxsim/PtyServer.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace suivi::test {

// "track.ini" with both windows' places (twips), the interface window's
// state and the four display choices.
inline QByteArray trackIni(int interfaceLeft, int interfaceTop, int principaleLeft, int principaleTop,
                           bool mesure = false, bool paysage = false, int etat = 0)
{
    return QStringLiteral("Interface:Active-Top-Left-Icone\r\n%1\r\n%2\r\n%3\r\nGenerale:Height-Width-Top-Left\r\n"
                          "%4\r\n%5\r\n0\r\nDisplay:parameters\r\n0\r\n%6\r\n%7\r\n")
        .arg(interfaceTop)
        .arg(interfaceLeft)
        .arg(etat)
        .arg(principaleTop)
        .arg(principaleLeft)
        .arg(mesure ? 1 : 0)
        .arg(paysage ? 1 : 0)
        .toLatin1();
}

// Tracking with its windows on `dossier`, as the window tests against the
// box simulator start it (no sleep without a port, a reply limit generous on
// a loaded machine, the box's simulated time), up to its station chooser.
inline void demarreAvecBoitier(std::unique_ptr<Tracking>& prog, std::unique_ptr<FenetresTracking>& fenetres,
                               platform::Dialogs& dialogs, platform::Clock& horloge, const QString& dossier,
                               boxsim::PtyServer& serveur, bool autonome = false)
{
    prog = std::make_unique<Tracking>(dialogs, horloge, dossier);
    fenetres = std::make_unique<FenetresTracking>(*prog);
    prog->Autonome = autonome;
    prog->AttenteSansPortMs = 0;
    prog->DelaiReponse = 1000;
    prog->S.secondesMonotones = horlogeDe(serveur);
    prog->Main();
}

// The scale of the screen the windows are on: 1, and 2 in the test program
// of a dense screen (tracking_dense_tests), which defines it so.
#ifndef TRACKING_ECHELLE_ECRAN
#define TRACKING_ECHELLE_ECRAN 1
#endif

// Tracking and its windows on a station folder of its own: home.dat on
// COM 1 against the box simulator, PC clock 10:00 on 1 June 2024. The box
// takes 2 ms to answer each byte, so that a byte the program sends while a
// reply is due reaches it before that reply and is flagged; each test ends
// with no such flag.
class ProgrammeEcran : public DossierStation {
protected:
    void TearDown() override { arrete(); }
    // The program, its windows and the box gone (a test may load again).
    void arrete()
    {
        fenetres.reset();
        prog.reset();
        if (serveur)
            sansViolation(*serveur);
        serveur.reset();
    }
    // The drive controller on a thread of its own, as in production (else
    // stepped on the test's thread); read by demarre().
    bool autonome = false;
    // home.dat on COM 1 in drive mode `mode` (with further lines replaced),
    // `ini` as track.ini when not empty; started up to the station chooser.
    void demarre(int mode, const QByteArray& ini = {}, std::vector<std::pair<int, QByteArray>> lignes = {})
    {
        lignes.insert(lignes.begin(), {{28, "1"}, {42, QByteArray::number(mode)}});
        ASSERT_TRUE(platform::testing::writeBytes(chemin("home.dat"), stationModifiee(lignes)));
        if (!ini.isEmpty()) {
            ASSERT_TRUE(platform::testing::writeBytes(chemin("track.ini"), ini));
        }
        boxsim::BoxConfig boite =
            BancBoitier::boite(mode == ModeVitesse ? boxsim::DriveMode::Proportional : boxsim::DriveMode::Relay);
        boite.replyDelay = 0.002;
        serveur = std::make_unique<boxsim::PtyServer>(boite, boxsim::ServerOptions{false, false, 0.01});
        ASSERT_NO_FATAL_FAILURE(brancheCom1(*serveur, dossier.path()));
        serveur->withBox([](boxsim::Box& b) {
            b.setAzimuth(100);
            b.setElevation(20);
        });
        demarreAvecBoitier(prog, fenetres, dialogs, horloge, dossier.path(), *serveur, autonome);
        horloge.set(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0)));
    }
    // demarre(), then home.dat chosen and `cycles` cycles run, on a screen
    // of the program's scale.
    void charge(int mode, const QByteArray& ini = {}, std::vector<std::pair<int, QByteArray>> lignes = {},
                int cycles = 2)
    {
        ASSERT_NO_FATAL_FAILURE(demarre(mode, ini, std::move(lignes)));
        QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        ASSERT_TRUE(prog->S.PortOuvert);
        prog->executer(cycles);
        ASSERT_EQ(fp().devicePixelRatio(), TRACKING_ECHELLE_ECRAN);
        ASSERT_EQ(fi().devicePixelRatio(), TRACKING_ECHELLE_ECRAN);
    }
    FenetrePrincipale& fp() { return fenetres->fenetrePrincipale(); }
    FenetreInterface& fi() { return fenetres->fenetreInterface(); }

    platform::ScriptedDialogs dialogs;
    platform::ManualClock horloge{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
    std::unique_ptr<boxsim::PtyServer> serveur;
    std::unique_ptr<Tracking> prog;
    std::unique_ptr<FenetresTracking> fenetres;
};

// Both windows wholly inside the available screen, and the interface window
// clear of the main window (the screen has room for both apart).
inline void dansLEcranEtDegagees(const QWidget& fp, const QWidget& fi)
{
    const QRect zone = fp.screen()->availableGeometry();
    const QRect p = fp.frameGeometry(), i = fi.frameGeometry();
    EXPECT_TRUE(zone.contains(p)) << "main window at " << p.x() << "," << p.y() << " " << p.width() << "x"
                                  << p.height() << " on " << zone.width() << "x" << zone.height();
    EXPECT_TRUE(zone.contains(i)) << "interface window at " << i.x() << "," << i.y() << " " << i.width() << "x"
                                  << i.height() << " on " << zone.width() << "x" << zone.height();
    EXPECT_FALSE(p.intersects(i)) << "the interface window lies under the main window";
}

// The shown direct children of `cadre` each lie inside it and clear of one
// another: geometry only, whatever the font.
inline void enfantsRanges(const QWidget* cadre)
{
    std::vector<const QWidget*> enfants;
    for (const QObject* o : cadre->children())
        if (const auto* w = qobject_cast<const QWidget*>(o); w && !w->isHidden())
            enfants.push_back(w);
    const QRect dedans(QPoint(0, 0), cadre->size());
    for (size_t i = 0; i < enfants.size(); ++i) {
        EXPECT_TRUE(dedans.contains(enfants[i]->geometry()))
            << cadre->objectName().toStdString() << ": " << enfants[i]->objectName().toStdString();
        for (size_t j = i + 1; j < enfants.size(); ++j)
            EXPECT_FALSE(enfants[i]->geometry().intersects(enfants[j]->geometry()))
                << cadre->objectName().toStdString() << ": " << enfants[i]->objectName().toStdString() << " and "
                << enfants[j]->objectName().toStdString();
    }
}

// The interface window's frames with every indicator the drive may show lit:
// no control sticks out of its frame or lies over another, and every point
// of each image button shown reaches that button (a click lands on the
// button it shows).
inline void boutonsDegages(FenetreInterface& fi, Tracking& prog)
{
    ControlesEntrainement& c = prog.S.Drive.c;
    c.DirAzimDroit = c.DirAzimGauche = c.DirElevHaut = c.DirElevBas = true;
    c.AntenEtiq = {true, true, true};
    prog.rafraichit();
    for (const QWidget* cadre : std::initializer_list<const QWidget*>{fi.CadreAntenne, fi.CadreSignal, fi.Z1[0],
                                                                      fi.Z1[1], fi.CadrePolar})
        if (cadre->isVisibleTo(&fi))
            enfantsRanges(cadre);
    for (platform::ImageButton* b :
         {fi.ImgGauche, fi.ImgHaut, fi.ImgDroit, fi.ImgBas, fi.ImgPark, fi.ImgTrack, fi.ImgMot, fi.ImgSignal}) {
        if (!b->isVisibleTo(&fi))
            continue;
        for (int x = 0; x < b->width(); ++x)
            for (int y = 0; y < b->height(); ++y) {
                const QPoint dansLaFenetre = b->mapTo(&fi, QPoint(x, y));
                ASSERT_EQ(fi.childAt(dansLaFenetre), b)
                    << b->objectName().toStdString() << " covered at " << x << "," << y;
            }
    }
    c.DirAzimDroit = c.DirAzimGauche = c.DirElevHaut = c.DirElevBas = false;
    c.AntenEtiq = {};
    prog.rafraichit();
}

// A frame title or label text as it shows: "&&" one "&", a lone "&" (a
// mnemonic) nothing.
inline QString texteMontre(const QString& t)
{
    QString r;
    for (int i = 0; i < t.size(); ++i) {
        if (t[i] == QLatin1Char('&') && i + 1 < t.size())
            ++i;
        r += t[i];
    }
    return r;
}

// Every text shown in `fenetre` holds its text whole, measured in its own
// font: a text label (not a picture) as wide and as high as its lines need,
// each word of a label that wraps its lines within its width and its
// wrapped lines within its height; every frame title shown within its frame.
inline void textesEntiers(const QWidget& fenetre)
{
    for (const QLabel* l : fenetre.findChildren<QLabel*>()) {
        if (!l->isVisibleTo(&fenetre) || l->text().isEmpty() || !l->pixmap().isNull())
            continue;
        const QFontMetrics m(l->font());
        const QRect r = l->contentsRect();
        const std::string quoi = l->objectName().toStdString() + ": \"" + l->text().toStdString() + "\"";
        if (l->wordWrap()) {
            for (const QString& mot : l->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                EXPECT_LE(m.horizontalAdvance(mot), r.width()) << quoi << ", the word \"" << mot.toStdString() << "\"";
            EXPECT_LE(m.boundingRect(r, Qt::TextWordWrap | int(l->alignment()), l->text()).height(), r.height())
                << quoi;
            continue;
        }
        const QStringList lignes = l->text().split(QLatin1Char('\n'));
        int large = 0;
        for (const QString& ligne : lignes)
            large = std::max(large, m.horizontalAdvance(ligne));
        EXPECT_LE(large, r.width()) << quoi;
        EXPECT_LE(m.height() + (int(lignes.size()) - 1) * m.lineSpacing(), r.height()) << quoi;
    }
    for (const QGroupBox* g : fenetre.findChildren<QGroupBox*>()) {
        if (!g->isVisibleTo(&fenetre) || g->title().isEmpty())
            continue;
        QStyleOptionGroupBox o;
        o.initFrom(g);
        o.text = g->title();
        o.lineWidth = 1;
        o.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect titre = g->style()->subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, g);
        const int large = QFontMetrics(g->font()).horizontalAdvance(texteMontre(g->title()));
        EXPECT_LE(large, titre.width()) << g->objectName().toStdString() << ": \"" << g->title().toStdString() << "\"";
        EXPECT_TRUE(g->rect().contains(titre))
            << g->objectName().toStdString() << ": \"" << g->title().toStdString() << "\" at " << titre.x() << ".."
            << titre.right() << " in " << g->width();
    }
}

} // namespace suivi::test
