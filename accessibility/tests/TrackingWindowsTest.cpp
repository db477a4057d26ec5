// Every window of Tracking walked as a screen reader sees it (Walk.h), each while
// it is shown, and its main task from the keyboard alone (Keyboard.h), against
// the interface-box simulator.
#include "Tracking/FenetreInterface.h"
#include "Tracking/FenetresTracking.h"
#include "Tracking/FenetrePrincipale.h"
#include "Tracking/FeuilleChoixFichier.h"
#include "Tracking/Tracking.h"
#include "Tracking/tests/Ecran.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/Keyboard.h"
#include "accessibility/tests/StartWindow.h"
#include "accessibility/tests/Walk.h"
#include "platform/testing/ScreenReaderEvents.h"
#include "platform/widgets/ScreenReader.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <cstdio>
#include <map>

#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using accessibility::chooseFirstEntry;
using accessibility::press;
using accessibility::report;
using accessibility::switchTo;
using accessibility::tabTo;
using accessibility::walk;
using accessibility::WindowWalk;

// Tracking on COM 1 against the box simulator in the proportional mode (every
// button of the interface window shown) with the measurement display on: the
// chooser, the main window and the antenna interface window. Each test ends
// with no byte the protocol forbids.
class TrackingWindows : public suivi::test::ProgrammeEcran {
protected:
    void demarreTout()
    {
        ASSERT_NO_FATAL_FAILURE(demarre(suivi::ModeVitesse, suivi::test::trackIni(0, 6000, 3600, 0, true)));
    }
};

// The start window: the chooser read under its own title, said once.
TEST_F(TrackingWindows, TheStartWindowIsReadUnderItsFinalTitle)
{
    accessibility::expectChooserReadUnderItsTitle([this] { demarreTout(); },
                                                  [this] { return &fenetres->feuilleChoixFichier(); },
                                                  QStringLiteral("Tracking - Setup File"));
}

TEST_F(TrackingWindows, EveryWindow)
{
    std::vector<WindowWalk> walks;
    ASSERT_NO_FATAL_FAILURE(demarreTout());
    walks.push_back(walk(&fenetres->feuilleChoixFichier()));
    QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
    prog->executer(3);
    ASSERT_TRUE(fp().isVisible());
    ASSERT_TRUE(fi().isVisible());
    ASSERT_TRUE(fi().ImgMot->isVisibleTo(&fi()) && fi().ImgSignal->isVisibleTo(&fi()));
    walks.push_back(walk(&fp()));
    walks.push_back(walk(&fi()));
    report("Tracking", walks);
}

// The station from the chooser, a source by its button, the world map and a
// DX point by its prefix, tracking on and off, then park; each control
// reached by Tab or a menu key and pressed with Space or Enter.
TEST_F(TrackingWindows, KeyboardOnlyStationSourceDXPointTrackingAndPark)
{
    ASSERT_NO_FATAL_FAILURE(demarreTout());
    FeuilleChoixFichier& choix = fenetres->feuilleChoixFichier();
    ASSERT_TRUE(switchTo(&choix));
    ASSERT_TRUE(chooseFirstEntry(choix.ListeFichier, choix.BoutonOK));
    ASSERT_TRUE(prog->S.PortOuvert);
    prog->executer(3);
    ASSERT_TRUE(fp().isVisible() && fi().isVisible());
    suivi::Suivi& s = prog->S;

    // The Sun by its button: Tab to it, Space.
    ASSERT_TRUE(switchTo(&fp()));
    ASSERT_EQ(s.CodeSource, 0);
    ASSERT_TRUE(tabTo(fp().ImgSoleil));
    ASSERT_TRUE(press(Qt::Key_Space));
    prog->executer(2);
    EXPECT_EQ(s.CodeSource, 1);
    EXPECT_TRUE(fp().ImgSoleil->isPressedShown());

    // The world map (Display, its first item), then a DX point by its
    // prefix: the keyboard's way to the point a click on the map places.
    ASSERT_TRUE(press(Qt::Key_D, Qt::AltModifier));
    ASSERT_EQ(QApplication::activePopupWidget(), fp().MenuFenetreP);
    QAction* carte = fp().MenuFenetre->action(1);
    for (int i = 0; i < 4 && fp().MenuFenetreP->activeAction() != carte; ++i)
        ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_EQ(fp().MenuFenetreP->activeAction(), carte);
    ASSERT_TRUE(press(Qt::Key_Return));
    ASSERT_TRUE(fp().BoutonDXCC->isVisibleTo(&fp()));
    ASSERT_TRUE(tabTo(fp().BoutonDXCC));
    dialogs.queueInput(QStringLiteral("PY0S"));
    ASSERT_TRUE(press(Qt::Key_Space));
    EXPECT_TRUE(s.PointDXPlace);
    EXPECT_EQ(s.Aff.CadreDXCC, "DXCC : PY0S - St.Peter & Paul");
    // The arrow keys still step the antenna with the button focused.
    ASSERT_EQ(QApplication::focusWidget(), fp().BoutonDXCC);
    ASSERT_TRUE(press(Qt::Key_Right));
    prog->executer(1); // the step goes out in the drive step of the next cycle
    EXPECT_TRUE(s.Drive.MoteurAzActif);
    prog->executer(2);
    for (int i = 0; i < 400 && !fi().ImgPark->isEnabled(); ++i)
        prog->executer(1);

    // Tracking on and off by its button in the interface window.
    ASSERT_TRUE(switchTo(&fi()));
    ASSERT_TRUE(fi().ImgTrack->isEnabled());
    ASSERT_TRUE(tabTo(fi().ImgTrack));
    ASSERT_TRUE(press(Qt::Key_Space));
    EXPECT_TRUE(s.Drive.PoursuiteActive);
    EXPECT_TRUE(fi().ImgTrack->isPressedShown());
    prog->executer(3);
    ASSERT_EQ(QApplication::focusWidget(), fi().ImgTrack);
    ASSERT_TRUE(press(Qt::Key_Space));
    EXPECT_FALSE(s.Drive.PoursuiteActive);
    EXPECT_FALSE(fi().ImgTrack->isPressedShown());

    // Park, once the drive has come to rest.
    for (int i = 0; i < 400 && !fi().ImgPark->isEnabled(); ++i)
        prog->executer(1);
    ASSERT_TRUE(fi().ImgPark->isEnabled());
    ASSERT_TRUE(tabTo(fi().ImgPark));
    ASSERT_TRUE(press(Qt::Key_Space));
    prog->executer(1);
    EXPECT_TRUE(s.Drive.ParkingDemande);
    for (int i = 0; i < 600 && s.Drive.ParkingDemande; ++i)
        prog->executer(1);
    EXPECT_FALSE(s.Drive.ParkingDemande) << "the park move never arrived";
    EXPECT_NEAR(s.AzimutAntenne, s.Station.ParkAz, 2.5);
}

namespace {

// Every name change Qt itself sends for the labels watched, before the
// screen-reader layer passes it on or holds it back: what reached the bus
// before the layer.
std::map<const QObject*, int>& sentByQt()
{
    static std::map<const QObject*, int> n;
    return n;
}
QAccessible::UpdateHandler layer = nullptr;
void countBeforeTheLayer(QAccessibleEvent* e)
{
    if (e->type() == QAccessible::NameChanged)
        if (auto f = sentByQt().find(e->object()); f != sentByQt().end())
            ++f->second;
    if (layer)
        layer(e);
}

} // namespace

// The antenna slews to a typed target while a screen reader listens: each
// value label tells it of a change only when the text it reads changes, and
// at most ValueLabelsPerSecond times a second, however fast the cycle runs;
// stepped, and with the drive controller on its own thread as in production
// (the windows refreshed from its published state).
TEST_F(TrackingWindows, ValueLabelsNotifyAShownChangeAFewTimesASecondWhileTheAntennaSlews)
{
    for (const bool filPropre : {false, true}) {
        SCOPED_TRACE(filPropre ? "the controller on its own thread" : "stepped");
        arrete();
        autonome = filPropre;
        // A relay drive: the target typed, the drive runs at full speed.
        ASSERT_NO_FATAL_FAILURE(demarre(suivi::ModeRelais, suivi::test::trackIni(0, 6000, 3600, 0, true)));
        QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
        prog->executer(3);
        QList<QLabel*> labels = fi().findChildren<QLabel*>();
        labels += fp().findChildren<QLabel*>();
        labels.removeIf([](QLabel* l) { return !l->property("selvaneValueLabelNamed").toBool(); });
        ASSERT_FALSE(labels.empty());
        sentByQt().clear();
        for (QLabel* l : labels)
            sentByQt()[l] = 0;

        platform::testing::ScreenReaderEvents heard;
        layer = QAccessible::installUpdateHandler(countBeforeTheLayer);
        for (const char* r : {"250", "45"})
            dialogs.queueInput(QString::fromLatin1(r));
        QTest::keyClick(&fp(), Qt::Key_F1);
        // The typed target is taken in a coming drive step.
        for (int k = 0; k < 20 && !prog->S.Vu.AllerConsigneAz; ++k)
            prog->executer(1);
        ASSERT_TRUE(prog->S.Vu.AllerConsigneAz);
        QElapsedTimer slewing;
        slewing.start();
        const double from = prog->S.AzimutAntenne;
        int cycles = 0;
        while (slewing.elapsed() < 3000) {
            prog->executer(1);
            ++cycles;
        }
        const qint64 ms = slewing.elapsed();
        QAccessible::installUpdateHandler(layer);
        layer = nullptr;
        ASSERT_GT(std::abs(prog->S.AzimutAntenne - from), 1.0) << "the antenna did not slew";

        const QLabel* az = fi().AffAntenneAzimut;
        const auto passed = heard.of(QAccessible::NameChanged, az);
        std::printf("%s, while slewing, %d refreshes in %lld ms: the Az label's name changed %.1f times a second "
                    "before the layer, %.1f after\n",
                    filPropre ? "threaded" : "stepped", cycles, ms, sentByQt()[az] * 1000.0 / ms,
                    passed.size() * 1000.0 / ms);
        EXPECT_GE(passed.size(), 3u) << "the slew was never told";
        for (QLabel* l : labels) {
            const auto names = heard.of(QAccessible::NameChanged, l);
            EXPECT_LE(names.size(), size_t(ms * platform::ValueLabelsPerSecond / 1000 + 1))
                << l->objectName().toStdString();
            for (size_t k = 1; k < names.size(); ++k) {
                EXPECT_NE(names[k].name, names[k - 1].name) << l->objectName().toStdString() << " at " << k;
                EXPECT_GE(names[k].ms - names[k - 1].ms, 1000 / platform::ValueLabelsPerSecond - 5)
                    << l->objectName().toStdString() << " at " << k;
            }
        }
    }
}

// F3 switches tracking on and disables the source buttons: both, tracking
// on and the focus that Qt moves on from the Moon button, are told in words
// (the tracking button is in the other window); the period and length
// buttons are read with the choice in force, the source and tracking buttons
// as toggles with their state, the DX frame by its title.
TEST_F(TrackingWindows, TogglesChoicesAndAFocusMovedByF3AreRead)
{
    ASSERT_NO_FATAL_FAILURE(demarreTout());
    QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
    prog->executer(3);
    const auto face = [](QObject* o) { return QAccessible::queryAccessibleInterface(o); };
    EXPECT_EQ(face(fp().ImgLune)->role(), QAccessible::RadioButton);
    EXPECT_TRUE(face(fp().ImgLune)->state().checked);
    EXPECT_FALSE(face(fp().ImgSoleil)->state().checked);
    EXPECT_EQ(face(fi().ImgTrack)->role(), QAccessible::CheckBox);
    EXPECT_EQ(face(fp().ImgPeriode)->text(QAccessible::Name), "Traffic period: first");
    fp().ImgPeriode->click();
    prog->executer(1);
    EXPECT_EQ(face(fp().ImgPeriode)->text(QAccessible::Name), "Traffic period: second");
    EXPECT_TRUE(face(fp().ImgDuree)->text(QAccessible::Name).startsWith("Period length: "));

    dialogs.queueInput(QStringLiteral("VK"));
    fp().MenuFenetre->action(1)->trigger();
    fp().BoutonDXCC->click();
    ASSERT_TRUE(prog->S.PointDXPlace);
    prog->executer(1);
    EXPECT_EQ(face(fp().CadreDXCC)->text(QAccessible::Name), "DXCC : VK - Australia");

    ASSERT_TRUE(switchTo(&fp()));
    ASSERT_TRUE(tabTo(fp().ImgLune));
    platform::testing::ScreenReaderEvents heard;
    ASSERT_TRUE(press(Qt::Key_F3));
    prog->executer(2);
    ASSERT_TRUE(prog->S.Drive.PoursuiteActive);
    EXPECT_TRUE(face(fi().ImgTrack)->state().checked);
    ASSERT_FALSE(fp().ImgLune->isEnabled());
    QWidget* now = QApplication::focusWidget();
    ASSERT_NE(now, fp().ImgLune);
    const QStringList notices = heard.notices();
    EXPECT_TRUE(notices.contains(fi().ImgTrack->accessibleName() + QStringLiteral(" on")))
        << notices.join(" | ").toStdString();
    EXPECT_TRUE(notices.contains(QStringLiteral("Moon is unavailable now; the focus moved to ") +
                                 face(now)->text(QAccessible::Name)))
        << notices.join(" | ").toStdString();
}

// The DX point placed by its prefix or by a click on the map is heard at
// once, in one notice with the frame's title and the values it shows; a
// prompt cancelled or the same prefix again says nothing. A source chosen
// from the menu is said once (not a second time by its button), one without
// a button too; a source button pressed where the focus is is left to the
// reader, which says the state of the control it is on.
TEST_F(TrackingWindows, ADXPlacementAndASourceChoiceAreSaidOnce)
{
    ASSERT_NO_FATAL_FAILURE(demarreTout());
    QTest::mouseClick(fenetres->feuilleChoixFichier().BoutonHome, Qt::LeftButton);
    prog->executer(3);
    fp().MenuFenetre->action(1)->trigger(); // the world map
    prog->executer(1);
    ASSERT_TRUE(fp().BoutonDXCC->isVisibleTo(&fp()));
    platform::testing::ScreenReaderEvents heard;
    const auto lecture = [&](QLabel* l) { return QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name); };

    dialogs.queueInput(QStringLiteral("VK"));
    fp().BoutonDXCC->click();
    ASSERT_TRUE(prog->S.PointDXPlace);
    QStringList notices = heard.notices();
    ASSERT_EQ(notices.size(), 1) << notices.join(" | ").toStdString();
    EXPECT_EQ(notices[0], QStringLiteral("DXCC : VK - Australia: ") + lecture(fp().AffAzimDX) + ", " +
                              lecture(fp().AffElevDX) + ", " +
                              (fp().AffDopplerDX->text().isEmpty()
                                   ? QString()
                                   : lecture(fp().AffDopplerDX) + ", " + lecture(fp().AffPolarDX) + ", ") +
                              lecture(fp().AffDistance));
    EXPECT_TRUE(notices[0].contains(QStringLiteral("Azimuth (Deg) ") + fp().AffAzimDX->text()));

    for (const char* r : {"VK", ""}) {
        heard.clear();
        dialogs.queueInput(QString::fromLatin1(r));
        fp().BoutonDXCC->click();
        EXPECT_EQ(heard.notices(), QStringList()) << "prefix \"" << r << "\"";
    }

    heard.clear();
    QTest::mouseClick(fp().EMEWindow, Qt::LeftButton, {}, QPoint(100, 60));
    notices = heard.notices();
    ASSERT_EQ(notices.size(), 1) << notices.join(" | ").toStdString();
    EXPECT_TRUE(notices[0].startsWith(platform::withoutMnemonics(fp().CadreDXCC->title()) + ": Azimuth (Deg) " +
                                      fp().AffAzimDX->text()))
        << notices[0].toStdString();

    // Sources from the menu: the Sun, Cassiopeia-A (no button), Cassiopeia-A
    // again (in force: nothing), the Sun; then the Moon by its button.
    const std::pair<int, QString> choix[] = {
        {1, "Sun chosen"}, {2, "Cassiopeia-A chosen"}, {2, QString()}, {1, "Sun chosen"}};
    for (const auto& [i, dit] : choix) {
        heard.clear();
        fp().MenuSource->action(i)->trigger();
        prog->executer(1);
        EXPECT_EQ(heard.notices(), dit.isEmpty() ? QStringList() : QStringList{dit}) << "source " << i;
    }
    ASSERT_TRUE(switchTo(&fp()));
    ASSERT_TRUE(tabTo(fp().ImgLune));
    heard.clear();
    ASSERT_TRUE(press(Qt::Key_Space));
    prog->executer(1);
    ASSERT_EQ(prog->S.CodeSource, 0);
    EXPECT_EQ(heard.notices(), QStringList());
    EXPECT_FALSE(heard.of(QAccessible::StateChanged, fp().ImgLune).empty());
}
