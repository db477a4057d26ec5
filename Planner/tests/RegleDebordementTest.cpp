// The suite's overflow rule on Planner's filtered box, the step box of the
// period dialog: the same table of cases as every editor's boxes, through
// the real dialog with real key events.

#include "Planner/FeuilleChoixDate.h"
#include "Planner/FeuilleChoixFichier.h"
#include "Programme.h"
#include "platform/testing/OverflowRule.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

TEST_F(Programme, LaRegleDeDebordementDansLaBoiteDuPas) {
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    ASSERT_TRUE(d->isVisible());
    // Three digits: the longest step the box holds.
    platform::testing::checkOverflowRule({{"AffStep", d->AffStep, "600", "x"}}, dialogs);
}
