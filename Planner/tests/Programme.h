#pragma once
// The program through its windows, offscreen: a fresh Planner in a temporary
// station folder with scripted dialogs, a manual clock and a recording
// printer, and the steps the window tests share.

#include "Planner/FenetrePrevision.h"
#include "Planner/FeuilleChoixDate.h"
#include "Planner/FeuilleChoixFichier.h"
#include "Planner/FeuilleDateCom.h"
#include "Planner/Form2.h"
#include "Planner/Planner.h"
#include "Outils.h"
#include "platform/testing/QtTestApp.h"
#include "platform/widgets/Grid.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/Window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Runs `f` at the first pass through the event queue where `pret()` holds
// (a computation's yield, for one), trying again at each pass until then.
// A posted call, not a timer: each pass takes it, however fast it comes.
inline void quand(QObject* contexte, std::function<bool()> pret, std::function<void()> f) {
    QMetaObject::invokeMethod(
        contexte,
        [=] {
            if (pret())
                f();
            else
                quand(contexte, pret, f);
        },
        Qt::QueuedConnection);
}

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
    // In the period dialog: a Moon-location computation from `debut` to `fin`
    // (dd-mm-yyyy hh:mm) at the step the dialog holds, Moon visible or not.
    void periode(const QString& dDeb, const QString& tDeb, const QString& dFin, const QString& tFin) {
        FeuilleChoixDate* d = etat->feuilleChoixDate();
        d->EditDateDeb->setText(dDeb);
        d->EditTimeDeb->setText(tDeb);
        d->EditDateFin->setText(dFin);
        d->EditTimeFin->setText(tFin);
        d->OptionLune[0]->setChecked(true);
        QTest::mouseClick(d->BoutonOK, Qt::LeftButton);
    }
    // Station chosen, then the period at step `pas`.
    void calcule(const QString& dDeb, const QString& tDeb, const QString& dFin, const QString& tFin, const char* pas = "10") {
        QTest::mouseClick(etat->feuilleChoixFichier()->BoutonHome, Qt::LeftButton);
        etat->feuilleChoixDate()->AffStep->setText(pas);
        periode(dDeb, tDeb, dFin, tFin);
    }
    // From a finished Moon-location day: the common window at 12-05-2001 13:40.
    void fenetreCommune() {
        FenetrePrevision* w = etat->fenetrePrevision(0);
        ASSERT_TRUE(w);
        w->GrillePrev->setRow(83);
        etat->GrillePrev_Click(w);
        QTest::mouseClick(etat->feuilleDateCom()->BoutonOK, Qt::LeftButton);
        ASSERT_EQ(etat->ModeAffichage(), "CommWin");
    }
    bool menusActifs() const { return platform::isMenuEnabled(etat->form2()->MenuFichierP); }
};
