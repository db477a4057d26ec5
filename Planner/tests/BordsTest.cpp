// At the edges of what the operator does: a damaged Planner.ini, dialogs
// next to a window at the screen's edge, windows minimised by the window
// manager, a station file that cannot be read, a prefix typed with blanks,
// and controls that cannot act. Through the windows, offscreen.

#include "Planner/FenetreCiel.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FenetreDX.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/PlannerIni.h"
#include "Programme.h"
#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/PictureBox.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMenuBar>
#include <QScreen>
#include <functional>

namespace {

class Bords : public Programme {
protected:
    QRect zone() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
    // The window's whole frame lies on the available screen.
    bool dansLEcran(const QWidget* w) const { return zone().contains(platform::expectedFrame(w, etat->form2())); }
    std::string ou(const QWidget* w) const {
        const QRect r = platform::expectedFrame(w, etat->form2());
        return (w->windowTitle() + QString(" at %1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()))
            .toStdString();
    }
    // From the period dialog: two days at one hour, then the common window
    // from the first row of the first day.
    void deuxJoursPuisCarte() {
        etat->feuilleChoixDate()->AffStep->setText("60");
        periode("12-05-2001", "00:00", "13-05-2001", "23:00");
        ASSERT_EQ(etat->TablesPrevisionRemplies().size(), 2u);
        FenetrePrevision* w = etat->fenetrePrevision(0);
        w->GrillePrev->setRow(14);
        etat->GrillePrev_Click(w);
        ASSERT_TRUE(etat->feuilleDateCom()->isVisible());
    }
};

planner::ValeursIni valeursSauvees() {
    planner::ValeursIni v;
    v.Fenetres[planner::IniDateCom] = {1500, 1500, 0};
    v.Fenetres[planner::IniPrevision] = {600, 3600, 0};
    v.Fenetres[planner::IniComWin] = {600, 3600, 0};
    v.Fenetres[planner::IniCommune] = {2400, 3700, 0};
    v.Fenetres[planner::IniDX] = {2400, 300, 0};
    v.Fenetres[planner::IniCiel] = {4000, 300, 0};
    v.Height = 1200, v.Width = 4500, v.Top = 150, v.Left = 150;
    v.Step = 15;
    v.MoonVisible = -1;
    return v;
}

// Whatever Planner.ini holds, the program starts with every window at least
// its minimum size and wholly on the available screen, keeps every value it
// can use, and the windows of a cascade stand apart.
TEST_F(Bords, PlannerIniAbimeToutesLesFenetresUtilisables) {
    struct Cas {
        const char* nom;
        std::function<void(QStringList&)> abime;
        bool message; // the read-error box
    };
    auto tout = [](const char* v) {
        return [v](QStringList& l) {
            // The places and sizes, not the labels and minimised flags.
            for (int i = 1; i < 29; ++i)
                if (i % 4 != 0 && (i > 24 || i % 4 != 3))
                    l[i] = v;
        };
    };
    const Cas cas[] = {
        {"as saved", [](QStringList&) {}, false},
        {"height and width past 32 bits", [](QStringList& l) { l[25] = l[26] = " 2000000000"; }, true},
        {"height and width the largest", [](QStringList& l) { l[25] = l[26] = " 32767"; }, false},
        {"height and width 0", [](QStringList& l) { l[25] = l[26] = " 0"; }, false},
        {"height and width negative", [](QStringList& l) { l[25] = l[26] = "-500"; }, false},
        {"every place and size negative", tout("-28036"), false},
        {"every place and size beyond the screen", tout(" 30000"), false},
        {"every place and size past 16 bits", tout(" 40000"), true},
        {"the width's line missing", [](QStringList& l) { l.removeAt(26); }, true},
        {"the height's line broken", [](QStringList& l) { l[25] = "1x5"; }, true},
        {"the main window's label missing", [](QStringList& l) { l.removeAt(24); }, true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QStringList l = planner::lignesPlannerIni(valeursSauvees());
        c.abime(l);
        ASSERT_TRUE(platform::saveLines(chemin("Planner.ini"), l));
        dialogs.clear();
        demarre();
        QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
        EXPECT_EQ(!dialogs.messages().empty(), c.message) << dernierMessage().toStdString();
        ASSERT_TRUE(etat->feuilleChoixDate()->isVisible());
        // The values after the damage are kept.
        EXPECT_EQ(etat->feuilleChoixDate()->AffStep->text(), "15");
        EXPECT_TRUE(etat->feuilleChoixDate()->OptionLune[1]->isChecked());
        Form2* f = etat->form2();
        EXPECT_GE(f->width(), f->minimumWidth());
        EXPECT_GE(f->height(), f->minimumHeight());
        EXPECT_GT(f->minimumWidth(), 100);
        for (QWidget* w : {static_cast<QWidget*>(f), static_cast<QWidget*>(etat->feuilleChoixDate()),
                           static_cast<QWidget*>(etat->feuilleDateCom()), static_cast<QWidget*>(etat->fenetreCommune()),
                           static_cast<QWidget*>(etat->fenetreDX()), static_cast<QWidget*>(etat->fenetreCiel())})
            EXPECT_TRUE(dansLEcran(w)) << ou(w);
        EXPECT_TRUE(f->ZoneImage->isVisible());
        EXPECT_TRUE(f->menuBar()->isVisible());

        etat->feuilleChoixDate()->OptionLune[0]->setChecked(true);
        deuxJoursPuisCarte();
        EXPECT_NE(etat->fenetrePrevision(0)->pos(), etat->fenetrePrevision(1)->pos());
        for (int k : etat->TablesPrevisionRemplies())
            EXPECT_TRUE(dansLEcran(etat->fenetrePrevision(k))) << ou(etat->fenetrePrevision(k));
        EXPECT_TRUE(dansLEcran(etat->feuilleDateCom())) << ou(etat->feuilleDateCom());
        QTest::mouseClick(etat->feuilleDateCom()->BoutonOK, Qt::LeftButton);
        ASSERT_TRUE(etat->fenetreCommune()->isVisible());
        for (QWidget* w : {static_cast<QWidget*>(etat->feuilleChangeUTC()), static_cast<QWidget*>(etat->fenetreCommune()),
                           static_cast<QWidget*>(etat->fenetreDX()), static_cast<QWidget*>(etat->fenetreCiel())})
            EXPECT_TRUE(dansLEcran(w)) << ou(w);
        etat.reset();
    }
}

} // namespace
