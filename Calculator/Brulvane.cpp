#include "Calculator/Brulvane.h"

#include "Calculator/F_Brulvane.h"
#include "Calculator/F_NoiseCalc.h"
#include "Calculator/FeuilleChoixFichier.h"
#include "Calculator/Filtres.h"
#include "Calculator/Stations.h"
#include "platform/widgets/StartWindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using brulvane::Boite;

namespace {
constexpr char TitreSuite[] = "Selvane";

// The home boxes in the order of the station file's seven EME values.
constexpr Boite BoitesHome[7] = {Boite::HP_Frequence, Boite::HP_TxPower, Boite::HP_TxLoss, Boite::Hp_RxLoss,
                                 Boite::HP_RxNF,      Boite::HP_RxBW,    Boite::HP_AntGain};
// The DX boxes in the order of "brulvane.ini".
constexpr Boite BoitesDX[6] = {Boite::DP_TxPower, Boite::DP_TxLoss, Boite::DP_RxLoss,
                               Boite::DP_RxNF,    Boite::DP_RxBW,   Boite::DP_AntGain};
} // namespace

Brulvane::Brulvane(platform::Dialogs& dialogs, platform::Clock& clock, QString dossier, std::function<void()> fin)
    : Dialogues(dialogs), Horloge(clock), Dossier(std::move(dossier)), fin_(std::move(fin)) {}

Brulvane::~Brulvane() = default;

void Brulvane::Main() {
    f_Brulvane_ = std::make_unique<F_Brulvane>(*this);
    f_Brulvane_->Form_Load();
    f_Brulvane_->hide();
    f_NoiseCalc_ = std::make_unique<F_NoiseCalc>();
    f_NoiseCalc_->hide();
    feuilleChoixFichier_ = std::make_unique<FeuilleChoixFichier>(*this);
    feuilleChoixFichier_->BoutonBrulvane->setEnabled(false);
    feuilleChoixFichier_->BoutonNoiseCalc->setEnabled(false);
    // The first load holds the start picture (showing the window), then
    // turns it into the chooser.
    feuilleChoixFichier_->Form_Load();
    if (!ProgrammeTermine)
        feuilleChoixFichier_->show();
}

void Brulvane::MontreChoix() {
    FeuilleChoixFichier* c = feuilleChoixFichier_.get();
    c->ListeFichier->refresh();
    c->BoutonBrulvane->setEnabled(false);
    c->BoutonNoiseCalc->setEnabled(false);
    c->show();
}

void Brulvane::OuvreCalculateur() {
    F_Brulvane* f = f_Brulvane_.get();
    feuilleChoixFichier_->hide();
    f->setWindowTitle(QStringLiteral("Selvane V4.3.08a - EME Calculator - ") + FichierStation);
    f->show();
    const int32_t frequence = brulvane::FrequenceEntiere(f->HP_Frequence->text());
    f->Range->setCurrentText(QStringLiteral("Perigee"));
    DistanceLune = brulvane::DistancePerigee;
    f->Cadre_Aide->hide();
    f->SkyTemp->setText(brulvane::TemperatureCielDefaut(frequence));
    if (UniteBruit.isEmpty()) {
        UniteBruit = QStringLiteral("dBm");
        f->EtiquettesUnite(brulvane::EtiquetteUnite(UniteBruit));
    }
    CalculBilanEME();
}

bool Brulvane::LectureStationHome() {
    const brulvane::StationHome st =
        brulvane::LectureStationHome(platform::resolvePath(Dossier, FichierStation));
    if (!st.lu) {
        Dialogues.message(QStringLiteral("Read Error : ") + FichierStation + QStringLiteral(" was not read !"),
                          platform::Buttons::Ok, platform::Icon::Critical, TitreSuite);
        Dialogues.message(QStringLiteral("Quit the Brulvane program now !!!"), platform::Buttons::Ok,
                          platform::Icon::Critical, TitreSuite);
        FinProgramme();
        return false;
    }
    F_Brulvane* f = f_Brulvane_.get();
    // The call sign as it stands: an "&" in it is no mnemonic.
    f->Cadre_EME[1]->setTitle(QString(st.Indic).replace(QLatin1Char('&'), QLatin1String("&&")));
    for (int i = 0; i < 7; ++i)
        f->EcritBoite(BoitesHome[i], st.valeurs[i]); // each box's filter runs
    return VerifieStationHome();
}

bool Brulvane::VerifieStationHome() {
    std::array<QString, 7> textes;
    for (int i = 0; i < 7; ++i)
        textes[i] = f_Brulvane_->boite(BoitesHome[i])->text();
    if (brulvane::VerifieStationHome(textes))
        return true;
    Dialogues.message(QStringLiteral("Verify Data !!!\r\rUse Corvinet"), platform::Buttons::Ok,
                      platform::Icon::Critical, QStringLiteral("Data Error"));
    FinProgramme();
    return false;
}

void Brulvane::LectureStationDX() {
    const brulvane::StationDX st =
        brulvane::LectureStationDX(platform::resolvePath(Dossier, QString::fromLatin1(brulvane::NomFichierDX)));
    for (int i = 0; i < st.nombreLus; ++i)
        f_Brulvane_->EcritBoite(BoitesDX[i], st.valeurs[i]); // each box's filter runs
    if (!st.lu)
        Dialogues.message(QStringLiteral("Read Error : brulvane.ini was not read !"), platform::Buttons::Ok,
                          platform::Icon::Critical, TitreSuite);
}

void Brulvane::SauveStationDX() {
    brulvane::ValeursDX v;
    for (int i = 0; i < 6; ++i)
        v[i] = f_Brulvane_->boite(BoitesDX[i])->text();
    const QString chemin = platform::resolvePath(Dossier, QString::fromLatin1(brulvane::NomFichierDX));
    if (!brulvane::SauveStationDX(chemin, v, FautesSauvegarde))
        Dialogues.message(QStringLiteral("Write Error : Brulvane.ini was not saved !"), platform::Buttons::Ok,
                          platform::Icon::Critical, TitreSuite);
}

void Brulvane::ConfirmeQuitter() {
    if (Dialogues.message(QStringLiteral("Are you sure you wish to quit ?"), platform::Buttons::YesNo,
                          platform::Icon::Critical, QStringLiteral("Selvane - Calculators")) == platform::Answer::Yes)
        FinProgramme();
}

void Brulvane::CalculBilanEME() {
    F_Brulvane* f = f_Brulvane_.get();
    brulvane::EntreesBilan e;
    for (int i = 0; i < brulvane::NombreBoites; ++i)
        e.textes[i] = f->boite(static_cast<Boite>(i))->text();
    e.range = f->Range->currentText();
    e.DistanceLune = DistanceLune;
    e.UniteBruit = UniteBruit;
    const brulvane::ResultatsBilan r = brulvane::CalculBilanEME(e);
    if (r.boiteRefusee) {
        Dialogues.beep();
        f->boite(*r.boiteRefusee)->setFocus();
        return;
    }
    // In the order of the computation: path loss, the home half, the DX half.
    f->resultat(brulvane::Resultat::PathEME)->setText(r[brulvane::Resultat::PathEME]);
    for (int i = 0; i < brulvane::NombreResultats - 1; ++i)
        f->resultat(static_cast<brulvane::Resultat>(i))->setText(r.textes[i]);
}

void Brulvane::EffaceResultats() {
    if (!f_Brulvane_)
        return;
    const auto vides = brulvane::EffaceResultats();
    for (int i = 0; i < brulvane::NombreResultats; ++i)
        f_Brulvane_->resultat(static_cast<brulvane::Resultat>(i))->setText(vides[i]);
}

void Brulvane::FinProgramme() {
    if (ProgrammeTermine)
        return;
    ProgrammeTermine = true;
    for (QWidget* w : {static_cast<QWidget*>(feuilleChoixFichier_.get()), static_cast<QWidget*>(f_Brulvane_.get()),
                       static_cast<QWidget*>(f_NoiseCalc_.get())})
        if (w)
            w->hide();
    if (fin_)
        fin_();
}
