// Every window of Planner walked as a screen reader sees it (Walk.h), each while
// it is shown.
#include "Planner/FenetreCiel.h"
#include "Planner/FenetreComWinPrev.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FenetreDX.h"
#include "Planner/FenetreInfoCiel.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/tests/Programme.h"
#include "accessibility/tests/Findings.h"
#include "accessibility/tests/Walk.h"

#include <QTest>
#include <gtest/gtest.h>

using accessibility::report;
using accessibility::walk;
using accessibility::WindowWalk;

// Planner: the chooser, the period dialog, a Moon-location table, the
// common-window dialog, map, DX, radio-sky, UTC and information windows, a
// common-window table, and the main window with its print items.
class PlannerWindows : public Programme {};

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
