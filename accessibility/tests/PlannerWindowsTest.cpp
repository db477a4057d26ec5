// Every window of Planner walked as a screen reader sees it (Walk.h), each while
// it is shown, and its main task from the keyboard alone (Keyboard.h).
#include "Planner/FenetreCiel.h"
#include "Planner/FenetreComWinPrev.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FenetreDX.h"
#include "Planner/FenetreInfoCiel.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/tests/Programme.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/Keyboard.h"
#include "accessibility/tests/StartWindow.h"
#include "accessibility/tests/Walk.h"
#include "platform/testing/ScreenReaderEvents.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/StartWindow.h"

#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using accessibility::chooseFirstEntry;
using accessibility::press;
using accessibility::report;
using accessibility::switchTo;
using accessibility::tabTo;
using accessibility::type;
using accessibility::walk;
using accessibility::WindowWalk;

namespace {

// A masked date or time box filled from its first position (the fixed
// characters are skipped as the digits are typed).
void remplit(platform::MaskedEdit* boite, const QString& chiffres)
{
    ASSERT_TRUE(tabTo(boite));
    ASSERT_TRUE(press(Qt::Key_Home));
    ASSERT_TRUE(type(chiffres));
}

} // namespace

// Planner: the chooser, the period dialog, a Moon-location table, the
// common-window dialog, map, DX, radio-sky, UTC and information windows, a
// common-window table, and the main window with its print items.
class PlannerWindows : public Programme {};

// The start window: the chooser read under its own title, said once.
TEST_F(PlannerWindows, TheStartWindowIsReadUnderItsFinalTitle)
{
    accessibility::expectChooserReadUnderItsTitle([this] { demarre(); }, [this] { return etat->feuilleChoixFichier(); },
                                                  QStringLiteral("Planner - Setup File"));
}

TEST_F(PlannerWindows, EveryWindow)
{
    std::vector<WindowWalk> walks;
    demarre();
    walks.push_back(walk(etat->feuilleChoixFichier()));
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    ASSERT_TRUE(etat->feuilleChoixDate()->isVisible());
    walks.push_back(walk(etat->feuilleChoixDate()));
    etat->feuilleChoixDate()->AffStep->setText("10");
    periode("12-05-2001", "00:00", "12-05-2001", "23:50");
    FenetrePrevision* table = etat->fenetrePrevision(0);
    ASSERT_TRUE(table && table->isVisible());
    walks.push_back(walk(table));

    table->GrillePrev->setRow(83);
    etat->GrillePrev_Click(table);
    ASSERT_TRUE(etat->feuilleDateCom()->isVisible());
    walks.push_back(walk(etat->feuilleDateCom()));
    QTest::mouseClick(etat->feuilleDateCom()->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(etat->fenetreCommune()->isVisible());
    for (QWidget* w : std::initializer_list<QWidget*>{etat->fenetreCommune(), etat->fenetreDX(), etat->fenetreCiel(),
                                                      etat->feuilleChangeUTC()})
        walks.push_back(walk(w));
    etat->fenetreCiel()->ImgInfo_Click();
    ASSERT_TRUE(etat->fenetreInfoCiel()->isVisible());
    walks.push_back(walk(etat->fenetreInfoCiel()));

    dialogs.queueInput("f");
    etat->fenetreDX()->ImgBtonDX_Click();
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(etat->fenetreComWin(0) && etat->fenetreComWin(0)->isVisible());
    walks.push_back(walk(etat->fenetreComWin(0)));
    walks.push_back(walk(etat->form2()));
    report("Planner", walks);
}

// A station, a period, its Moon-location table, the common window from a row
// of it, a DX point by its prefix, the common-window tables and back to the map.
TEST_F(PlannerWindows, KeyboardOnlyStationPeriodTablesCommonWindowDXPointAndBackToTheMap)
{
    demarre();
    // The station: the first file of the list, then O.K.
    FeuilleChoixFichier* choix = etat->feuilleChoixFichier();
    ASSERT_TRUE(switchTo(choix));
    ASSERT_TRUE(chooseFirstEntry(choix->ListeFichier, choix->BoutonOK));
    ASSERT_EQ(etat->FichierStation, "home.dat");

    // The period: one day at a step of 60 minutes, a row at every step.
    FeuilleChoixDate* periode = etat->feuilleChoixDate();
    ASSERT_TRUE(switchTo(periode));
    ASSERT_NO_FATAL_FAILURE(remplit(periode->EditDateDeb, "12052001"));
    ASSERT_NO_FATAL_FAILURE(remplit(periode->EditTimeDeb, "0000"));
    ASSERT_NO_FATAL_FAILURE(remplit(periode->EditDateFin, "12052001"));
    ASSERT_NO_FATAL_FAILURE(remplit(periode->EditTimeFin, "2300"));
    // The option group takes the Tab once; the arrow keys choose in it.
    QRadioButton* toujours = periode->OptionLune[0];
    ASSERT_TRUE(tabTo(periode->OptionLune[1]));
    for (int i = 0; i < 2 && !toujours->isChecked(); ++i)
        ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_TRUE(toujours->isChecked());
    ASSERT_TRUE(tabTo(periode->AffStep));
    ASSERT_TRUE(type("60"));
    ASSERT_EQ(periode->AffStep->text(), "60");
    ASSERT_TRUE(tabTo(periode->BoutonOK));
    ASSERT_TRUE(press(Qt::Key_Space));

    // The table: one window, a row an hour; it has the focus, as a window
    // the operator's command opens.
    FenetrePrevision* table = etat->fenetrePrevision(0);
    ASSERT_TRUE(table && table->isVisible());
    ASSERT_EQ(table->GrillePrev->rows(), 25);
    EXPECT_EQ(etat->fenetrePrevision(1), nullptr);
    for (int pass = 0; pass < 100 && QApplication::activeWindow() != table; ++pass)
        QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), table);

    // The common window: Enter on the 13:00 row takes its date and time into
    // the dialog, as a click on it does; O.K. computes the map.
    ASSERT_TRUE(switchTo(table));
    ASSERT_TRUE(tabTo(table->GrillePrev->table()));
    for (int i = 0; i < 13; ++i)
        ASSERT_TRUE(press(Qt::Key_Down));
    ASSERT_EQ(table->GrillePrev->textMatrix(table->GrillePrev->row(), 0), "13:00");
    ASSERT_TRUE(press(Qt::Key_Return));
    FeuilleDateCom* instant = etat->feuilleDateCom();
    ASSERT_TRUE(instant->isVisible());
    EXPECT_EQ(instant->EditDateDeb->text(), "12-05-2001");
    EXPECT_EQ(instant->EditTimeDeb->text(), "13:00");
    ASSERT_TRUE(switchTo(instant));
    ASSERT_TRUE(tabTo(instant->BoutonOK));
    ASSERT_TRUE(press(Qt::Key_Space));
    ASSERT_EQ(etat->ModeAffichage(), "CommWin");
    ASSERT_TRUE(etat->fenetreCommune()->isVisible());

    // The DX point by its prefix, then the common-window tables.
    FenetreDX* dx = etat->fenetreDX();
    ASSERT_TRUE(switchTo(dx));
    ASSERT_TRUE(tabTo(dx->ImgBtonDX));
    dialogs.queueInput("f");
    ASSERT_TRUE(press(Qt::Key_Space));
    ASSERT_EQ(dx->AffDxcc->text(), "F");
    ASSERT_TRUE(tabTo(dx->BoutonOK));
    ASSERT_TRUE(press(Qt::Key_Space));
    FenetreComWinPrev* commune = etat->fenetreComWin(0);
    ASSERT_TRUE(commune && commune->isVisible());
    ASSERT_TRUE(etat->form2()->ImgDX->isVisible());
    EXPECT_FALSE(etat->fenetreCommune()->isVisible());

    // Back to the map from a table window: its key, as a click on ImgDX.
    ASSERT_TRUE(switchTo(commune));
    ASSERT_TRUE(press(Qt::Key_Left, Qt::AltModifier));
    EXPECT_TRUE(etat->fenetreCommune()->isVisible());
    EXPECT_TRUE(dx->isVisible());
    EXPECT_FALSE(etat->form2()->ImgDX->isVisible());
    EXPECT_EQ(etat->fenetreComWin(0), nullptr);
    EXPECT_EQ(etat->ModeAffichage(), "CommWin");
    EXPECT_EQ(dx->AffDxcc->text(), "F"); // the DX point stays for the next tables
}

// A source chosen from the menu is said once (not a second time by its
// button), one without a button too; a source button pressed where the
// focus is is left to the reader, which says the state of the control it is
// on. The DX point placed by its prefix or by a click on the map is heard at
// once, in one notice with what the DX window shows; a prompt cancelled or
// the same prefix again says nothing.
TEST_F(PlannerWindows, ASourceChoiceAndADXPlacementAreSaidOnce)
{
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    etat->feuilleChoixDate()->AffStep->setText("10");
    periode("12-05-2001", "00:00", "12-05-2001", "23:50");
    FenetrePrevision* table = etat->fenetrePrevision(0);
    ASSERT_TRUE(table);
    platform::testing::ScreenReaderEvents heard;

    // Sources from the menu: the Sun, Cassiopeia-A (no button), Cassiopeia-A
    // again (in force: nothing), the Sun; then the Moon by its button.
    Form2* principal = etat->form2();
    const std::pair<int, QString> choix[] = {
        {1, "Sun chosen"}, {2, "Cassiopeia-A chosen"}, {2, QString()}, {1, "Sun chosen"}};
    for (const auto& [i, dit] : choix) {
        heard.clear();
        principal->MenuSource->action(i)->trigger();
        EXPECT_EQ(heard.notices(), dit.isEmpty() ? QStringList() : QStringList{dit}) << "source " << i;
    }
    ASSERT_TRUE(switchTo(principal));
    ASSERT_TRUE(tabTo(principal->ImgLune));
    heard.clear();
    ASSERT_TRUE(press(Qt::Key_Space));
    ASSERT_TRUE(principal->ImgLune->isPressedShown());
    ASSERT_EQ(QApplication::focusWidget(), principal->ImgLune);
    EXPECT_EQ(heard.notices(), QStringList());
    EXPECT_FALSE(heard.of(QAccessible::StateChanged, principal->ImgLune).empty());

    table->GrillePrev->setRow(83);
    etat->GrillePrev_Click(table);
    QTest::mouseClick(etat->feuilleDateCom()->BoutonOK, Qt::LeftButton);
    ASSERT_TRUE(etat->fenetreCommune()->isVisible());
    FenetreDX* dx = etat->fenetreDX();
    const auto lecture = [](QLabel* l) { return QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name); };
    heard.clear();
    dialogs.queueInput("f");
    dx->ImgBtonDX_Click();
    ASSERT_EQ(dx->AffDxcc->text(), "F");
    QStringList notices = heard.notices();
    ASSERT_EQ(notices.size(), 1) << notices.join(" | ").toStdString();
    EXPECT_TRUE(notices[0].startsWith("DXCC F, ")) << notices[0].toStdString();
    for (QLabel* l : {dx->AffPays, dx->AffAzimDX, dx->AffElevDX, dx->AffDistance})
        EXPECT_TRUE(!l->text().isEmpty() && notices[0].contains(lecture(l))) << notices[0].toStdString();
    EXPECT_TRUE(notices[0].contains("Azimuth (Deg) " + dx->AffAzimDX->text())) << notices[0].toStdString();

    for (const char* r : {"f", ""}) {
        heard.clear();
        dialogs.queueInput(r);
        dx->ImgBtonDX_Click();
        EXPECT_EQ(heard.notices(), QStringList()) << "prefix \"" << r << "\"";
    }

    heard.clear();
    etat->fenetreCommune()->EMEWindow_MouseDown(2000, 1000);
    ASSERT_TRUE(dx->AffDxcc->text().isEmpty());
    notices = heard.notices();
    ASSERT_EQ(notices.size(), 1) << notices.join(" | ").toStdString();
    EXPECT_TRUE(notices[0].startsWith("Azimuth (Deg) " + dx->AffAzimDX->text())) << notices[0].toStdString();

    // With the map on display a source recomputes it, the buttons off
    // meanwhile: the focus comes back to the button pressed, which the
    // reader reads with its new state.
    ASSERT_TRUE(switchTo(principal));
    ASSERT_TRUE(tabTo(principal->ImgSoleil));
    heard.clear();
    ASSERT_TRUE(press(Qt::Key_Space));
    ASSERT_EQ(etat->CodeSource, 1);
    EXPECT_EQ(QApplication::focusWidget(), principal->ImgSoleil);
    EXPECT_EQ(heard.notices(), QStringList()) << heard.notices().join(" | ").toStdString();
}
