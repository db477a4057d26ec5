// The program through its windows, offscreen: start window and chooser,
// station loading, the period dialog with typed keys, a one-day Moon-location
// computation, a row click into the common-window dialog, the common window
// with a prefix, and printing to a recording printer.

#include "Planner/FenetreComWinPrev.h"
#include "Planner/FenetreCommune.h"
#include "Planner/FenetreDX.h"
#include "Planner/FenetrePrevision.h"
#include "Planner/FeuilleChangeUTC.h"
#include "Planner/FeuilleChoixDate.h"
#include "Planner/FeuilleChoixFichier.h"
#include "Planner/FeuilleDateCom.h"
#include "Planner/Form2.h"
#include "Planner/Planner.h"
#include "Outils.h"
#include "platform/testing/QtTestApp.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/MenuFamily.h"
#include "platform/widgets/StartWindow.h"
#include "platform/widgets/Window.h"

#include <QLabel>
#include <QRadioButton>
#include "Planner/FenetreCiel.h"
#include "platform/widgets/ImageButton.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using platform::Answer;

namespace {

class Programme : public outils::DossierStation {
protected:
    platform::ScriptedDialogs dialogs;
    platform::ManualClock clock{QDateTime(QDate(2001, 5, 12), QTime(10, 30, 0))};
    platform::RecordingPrinter imprimante;
    int fins = 0;
    std::unique_ptr<Planner> etat;

    void SetUp() override {
        platform::testing::application();
        ASSERT_TRUE(dir.isValid());
        ecrit("home.dat", outils::stationDat(outils::Station{}));
        ecrit("DXCCPREF.DBR", "K\tUnited States\t40\t42\tN\t74\t0\tW\r\nF\tFRANCE\t48\t51\tN\t2\t21\tE\r\n");
    }
    void TearDown() override { etat.reset(); }
    void demarre() {
        etat = std::make_unique<Planner>(dialogs, clock, dir.path(), [this] { ++fins; });
        etat->Imprimante = &imprimante;
        etat->Main();
    }
    QString dernierMessage() const { return dialogs.messages().empty() ? QString() : dialogs.messages().back().text; }
};

TEST_F(Programme, ChoixStationPeriodeParDefautEtQuitter) {
    demarre();
    FeuilleChoixFichier* f = etat->feuilleChoixFichier();
    ASSERT_TRUE(f->isVisible());
    EXPECT_TRUE(f->BoutonHome->isEnabled());
    EXPECT_FALSE(f->BoutonOK->isEnabled());
    EXPECT_FALSE(platform::isMenuEnabled(etat->form2()->MenuFichierP));
    QTest::mouseClick(f->BoutonHome, Qt::LeftButton);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(etat->Indic, "F1ABC");
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    ASSERT_TRUE(d->isVisible());
    // 10:30 local at UTC + 1: start 09:00 today, end 09:00 tomorrow.
    EXPECT_EQ(d->EditDateDeb->text(), "12-05-2001");
    EXPECT_EQ(d->EditTimeDeb->text(), "09:00");
    EXPECT_EQ(d->EditDateFin->text(), "13-05-2001");
    EXPECT_EQ(d->AffStep->text(), "0");
    // No Planner.ini yet: the read error is reported and start-up goes on.
    EXPECT_EQ(dialogs.messages().front().text, "Read Error : Planner.ini was not read !");
    QTest::mouseClick(d->BoutonAnnuler, Qt::LeftButton);
    EXPECT_TRUE(platform::isMenuEnabled(etat->form2()->MenuFichierP));
    EXPECT_FALSE(platform::isMenuEnabled(etat->form2()->MenuAfficheP));
    dialogs.queueAnswer(Answer::No);
    etat->form2()->close();
    EXPECT_EQ(dernierMessage(), "Are you sure you wish to quit ?");
    EXPECT_EQ(fins, 0);
    dialogs.queueAnswer(Answer::Yes);
    etat->form2()->MenuFichier_Click(3);
    EXPECT_EQ(fins, 1);
}

TEST_F(Programme, FrequenceNulleArreteLeDemarrage) {
    outils::Station s;
    s.freq = "0";
    ecrit("home.dat", outils::stationDat(s));
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    EXPECT_EQ(dernierMessage(), QString("Verify Data !!!") + QChar(13) + QChar(13) + "Use Corvinet");
    EXPECT_FALSE(etat->feuilleChoixDate()->isVisible());
    EXPECT_EQ(fins, 0);
}

TEST_F(Programme, JourneeLuneClicLignePrefixeEtImpression) {
    demarre();
    QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
    FeuilleChoixDate* d = etat->feuilleChoixDate();
    // The step box takes three digits at most, typed as keys.
    d->AffStep->clear();
    d->AffStep->setFocus();
    QTest::keyClicks(d->AffStep, "1x0a05");
    EXPECT_EQ(d->AffStep->text(), "100");
    d->AffStep->clear();
    QTest::keyClicks(d->AffStep, "10");
    d->EditDateDeb->setText("12-05-2001");
    d->EditTimeDeb->setText("00:00");
    d->EditDateFin->setText("12-05-2001");
    d->EditTimeFin->setText("23:50");
    d->OptionLune[0]->setChecked(true);
    QTest::mouseClick(d->BoutonOK, Qt::LeftButton);
    ASSERT_EQ(etat->TablePrevisionAffichee, Vrai);
    ASSERT_EQ(etat->IndexPrevision, 0);
    FenetrePrevision* w = etat->fenetrePrevision(0);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Sat 12-05-2001 from 00:00 to 23:50 UTC");
    EXPECT_EQ(w->GrillePrev->rows(), 145);
    EXPECT_EQ(w->GrillePrev->textMatrix(83, 0), "13:40");
    EXPECT_EQ(w->GrillePrev->textMatrix(0, 4), "Echo");
    EXPECT_EQ(w->Entete[4]->text(), "Frequency :  144 MHz");
    EXPECT_EQ(etat->form2()->MenuPrintMoon->caption(2), "Sat 12-05-2001");
    EXPECT_TRUE(platform::isMenuEnabled(etat->form2()->MenuFichierP));
    w->grab().save("/tmp/planner_prevision.png");

    // A click on row 13:40 opens the common-window dialog with that instant.
    w->GrillePrev->setRow(83);
    w->GrillePrev->setCol(3);
    etat->GrillePrev_Click(w);
    FeuilleDateCom* dc = etat->feuilleDateCom();
    ASSERT_TRUE(dc->isVisible());
    EXPECT_EQ(dc->EditDateDeb->text(), "12-05-2001");
    EXPECT_EQ(dc->EditTimeDeb->text(), "13:40");
    EXPECT_EQ(dc->windowTitle(), "Moon Common window");
    EXPECT_FALSE(platform::isMenuEnabled(etat->form2()->MenuFichierP));
    QTest::mouseClick(dc->BoutonOK, Qt::LeftButton);
    EXPECT_EQ(etat->ModeAffichage, "CommWin");
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(etat->fenetreCommune()->isVisible());
    EXPECT_EQ(etat->feuilleChangeUTC()->EditTimeDeb->text(), "13:40");
    EXPECT_TRUE(platform::isMenuEnabled(etat->form2()->MenuFichierP));

    // A prefix in lower case finds its record; the name shows capitalised.
    dialogs.queueInput("zz");
    dialogs.queueInput("1234567");
    dialogs.queueInput("f");
    etat->fenetreDX()->ImgBtonDX_Click();
    EXPECT_EQ(dernierMessage(), "DXCC prefix not found !!!");
    EXPECT_EQ(etat->fenetreDX()->AffDxcc->text(), "F");
    EXPECT_EQ(etat->fenetreDX()->AffPays->text(), "France");
    EXPECT_NE(etat->XPointDX, 0);
    EXPECT_TRUE(etat->fenetreDX()->BoutonOK->isEnabled());
    EXPECT_LE(etat->fenetreDX()->AffDistance->text().trimmed().toInt(), 5); // the map point is rounded to twips
    etat->fenetreCommune()->grab().save("/tmp/planner_carte.png");
    etat->fenetreDX()->grab().save("/tmp/planner_dx.png");
    etat->fenetreCiel()->grab().save("/tmp/planner_ciel.png");
    etat->form2()->grab().save("/tmp/planner_form2.png");

    // The common-window tables for the period; then the print question.
    float lon = -74.0f, lat = 40.7f;
    etat->PlacePointDX(astro::LongitudeVersCarteX(lon), astro::LatitudeVersCarteY(lat));
    QTest::mouseClick(etat->fenetreDX()->BoutonOK, Qt::LeftButton);
    ASSERT_EQ(etat->TableComWinAffichee, Vrai);
    FenetreComWinPrev* cw = etat->fenetreComWin(0);
    ASSERT_TRUE(cw);
    EXPECT_EQ(cw->Entete[8]->text(), "F");
    EXPECT_EQ(cw->EtiqSource[1]->text(), "Moon");
    EXPECT_TRUE(etat->form2()->ImgDX->isVisible() || !etat->form2()->isVisible());
    cw->grab().save("/tmp/planner_comwin.png");
    dialogs.queueAnswer(Answer::Yes);
    etat->form2()->ImgPrint_MouseDown();
    etat->form2()->ImgPrint_MouseUp();
    EXPECT_EQ(dernierMessage(), QString("Moon Common Window") + QChar(13) + "Number of page:  1" + QChar(13) + QChar(13) +
                                    "Continue ?");
    EXPECT_EQ(imprimante.documents(), 1);
    EXPECT_TRUE(imprimante.operations().join('\n').contains("|Moon Common Window for|"));
    imprimante.clear();
    etat->form2()->MenuPrintMoon_Click(1);
    EXPECT_TRUE(imprimante.operations().join('\n').contains("|Moon Location for|"));
}

} // namespace
