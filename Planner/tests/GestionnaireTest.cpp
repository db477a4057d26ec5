// Fixed cases under a real window manager (openbox on Xvfb): a window kept
// in Planner.ini comes back where it was, a window minimised by its title
// bar minimises the program, "Change UTC" under a main window at the
// screen's bottom edge.

#include "Gestionnaire.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/PlannerIni.h"
#include "Programme.h"
#include "platform/Files.h"
#include "platform/Geometry.h"

#include <QScreen>

namespace {

class SousGestionnaire : public Programme {
protected:
    void SetUp() override {
        if (!gestionnaire::actif())
            GTEST_SKIP() << "no window manager: " << gestionnaire::raison().toStdString();
        Programme::SetUp();
    }
    QRect zone() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

// A window saved minimised reopens at its place in its normal state; saved
// again, its place is the same (not a frame's height higher each time).
TEST_F(SousGestionnaire, FenetreSauveeMinimiseeRevientOuElleEtait) {
    planner::ValeursIni v;
    v.Fenetres[planner::IniCommune] = {2400, 3705, 1};
    v.Height = 1200, v.Width = 4500, v.Top = 150, v.Left = 150;
    v.Step = 10;
    ASSERT_TRUE(platform::saveLines(chemin("Planner.ini"), planner::lignesPlannerIni(v)));
    for (int fois = 0; fois < 2; ++fois) {
        SCOPED_TRACE(fois);
        demarre();
        gestionnaire::calme();
        calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
        gestionnaire::calme();
        fenetreCommune();
        gestionnaire::calme();
        FenetreCommune* c = etat->fenetreCommune();
        ASSERT_TRUE(c->isVisible());
        EXPECT_FALSE(c->isMinimized());
        EXPECT_EQ(c->frameGeometry().topLeft(), QPoint(platform::twipsToPixels(3705), platform::twipsToPixels(2400)));
        etat->form2()->MenuAffiche_Click(3);
        const QStringList l = platform::readText(chemin("Planner.ini"))->split("\r\n");
        EXPECT_EQ(l.value(13), " 2400");
        EXPECT_EQ(l.value(14), " 3705");
        etat.reset();
        gestionnaire::calme();
    }
}

// The period dialog minimised by the window manager takes the program with
// it; the main window's restore brings the dialog back, not minimised.
TEST_F(SousGestionnaire, DialogueMinimiseParSonTitre) {
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    gestionnaire::calme();
    QWidget* d = etat->feuilleChoixDate();
    ASSERT_TRUE(d->isVisible());
    gestionnaire::minimise(d);
    EXPECT_TRUE(etat->form2()->isMinimized());
    EXPECT_FALSE(d->isVisible());
    gestionnaire::restaure(etat->form2());
    EXPECT_FALSE(etat->form2()->isMinimized());
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isMinimized());
    EXPECT_FALSE(menusActifs());
}

// "Change UTC" stays wholly on the screen under a main window at the
// screen's bottom edge.
TEST_F(SousGestionnaire, ChangeUTCSousLaFenetreEnBas) {
    demarre();
    gestionnaire::calme();
    calcule("12-05-2001", "00:00", "12-05-2001", "23:50");
    gestionnaire::calme();
    Form2* f = etat->form2();
    f->move(f->x(), zone().bottom() + 1 - f->frameGeometry().height());
    gestionnaire::calme();
    fenetreCommune();
    gestionnaire::calme();
    FeuilleChangeUTC* u = etat->feuilleChangeUTC();
    ASSERT_TRUE(u->isVisible());
    EXPECT_TRUE(zone().contains(u->frameGeometry())) << u->frameGeometry().y() << " " << u->frameGeometry().height();
}

} // namespace
