#include "Calculator/Brulvane.h"

#include "Calculator/Filtres.h"
#include "platform/Files.h"

using brulvane::Boite;
using brulvane::Lieu;

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

void Brulvane::va(Lieu lieu) {
    lieu_ = lieu;
    vue_->rafraichit();
}

void Brulvane::Main() { va(Lieu::Choix); }

void Brulvane::ChoisitStation(const QString& nom) {
    FichierStation = nom;
    if (!LectureStationHome())
        return;
    LectureStationDX();
    OuvreCalculateur();
}

void Brulvane::AnnuleChoix() {
    if (!FichierStation.isEmpty())
        OuvreCalculateur();
    else
        ConfirmeQuitter();
}

void Brulvane::NouvelleStation() { va(Lieu::Choix); }

void Brulvane::OuvreCalculateur() {
    const int32_t frequence = brulvane::FrequenceEntiere(vue_->texte(Boite::HP_Frequence));
    Range = QStringLiteral("Perigee");
    DistanceLune = brulvane::DistancePerigee;
    if (UniteBruit.isEmpty())
        UniteBruit = QStringLiteral("dBm");
    va(Lieu::Calculateur);
    vue_->ecritBoite(Boite::SkyTemp, brulvane::TemperatureCielDefaut(frequence));
    CalculBilanEME();
}

bool Brulvane::LectureStationHome() {
    const brulvane::StationHome st =
        brulvane::LectureStationHome(platform::resolvePath(Dossier, FichierStation));
    if (!st.lu) {
        Dialogues.message(QStringLiteral("Read Error : ") + platform::nameOnDisk(Dossier, FichierStation) +
                              QStringLiteral(" was not read !"),
                          platform::Buttons::Ok, platform::Icon::Critical, TitreSuite);
        Dialogues.message(QStringLiteral("Quit the Brulvane program now !!!"), platform::Buttons::Ok,
                          platform::Icon::Critical, TitreSuite);
        FinProgramme();
        return false;
    }
    Indicatif = st.Indic;
    vue_->rafraichit();
    for (int i = 0; i < 7; ++i)
        vue_->ecritBoite(BoitesHome[i], st.valeurs[i]); // each box's filter runs
    return VerifieStationHome();
}

bool Brulvane::VerifieStationHome() {
    std::array<QString, 7> textes;
    for (int i = 0; i < 7; ++i)
        textes[i] = vue_->texte(BoitesHome[i]);
    if (brulvane::VerifieStationHome(textes))
        return true;
    Dialogues.message(QStringLiteral("Verify Data !!!\r\rUse Corvinet"), platform::Buttons::Ok,
                      platform::Icon::Critical, QStringLiteral("Data Error"));
    FinProgramme();
    return false;
}

brulvane::ValeursDX Brulvane::textesDX() const {
    brulvane::ValeursDX v;
    for (int i = 0; i < 6; ++i)
        v[i] = vue_->texte(BoitesDX[i]);
    return v;
}

void Brulvane::LectureStationDX() {
    const brulvane::StationDX st =
        brulvane::LectureStationDX(platform::resolvePath(Dossier, QString::fromLatin1(brulvane::NomFichierDX)));
    for (int i = 0; i < st.nombreLus; ++i)
        vue_->ecritBoite(BoitesDX[i], st.valeurs[i]); // each box's filter runs
    // What the file holds, as its boxes show it; a value it lacks is empty.
    brulvane::ValeursDX enregistre = textesDX();
    for (int i = st.nombreLus; i < 6; ++i)
        enregistre[i].clear();
    dxEnregistre_ = enregistre;
    if (!st.lu)
        Dialogues.message(QStringLiteral("Read Error : ") +
                              platform::nameOnDisk(Dossier, QString::fromLatin1(brulvane::NomFichierDX)) +
                              QStringLiteral(" was not read !"),
                          platform::Buttons::Ok, platform::Icon::Critical, TitreSuite);
}

void Brulvane::SauveStationDX() {
    const brulvane::ValeursDX v = textesDX();
    const QString chemin = platform::resolvePath(Dossier, QString::fromLatin1(brulvane::NomFichierDX));
    const platform::SaveResult r = brulvane::SauveStationDX(chemin, v, FautesSauvegarde);
    if (r)
        dxEnregistre_ = v;
    else
        Dialogues.message(platform::writeErrorText(r), platform::Buttons::Ok, platform::Icon::Critical, TitreSuite);
}

bool Brulvane::modificationsDXNonEnregistrees() const {
    return dxEnregistre_ && lieu_ != Lieu::Fin && textesDX() != *dxEnregistre_;
}

void Brulvane::BasculeUnite() {
    UniteBruit = brulvane::BasculeUnite(UniteBruit);
    vue_->rafraichit();
    CalculBilanEME();
}

void Brulvane::ChoisitRange(const QString& texte) {
    EffaceResultats();
    Range = texte;
    DistanceLune = brulvane::DistancePourRange(texte, DistanceLune);
    CalculBilanEME();
}

void Brulvane::ConfirmeQuitter() {
    const QString question = platform::quitQuestion(
        modificationsDXNonEnregistrees() ? platform::nameOnDisk(Dossier, QString::fromLatin1(brulvane::NomFichierDX))
                                         : QString());
    if (Dialogues.message(question, platform::Buttons::YesNo, platform::Icon::Critical,
                          QStringLiteral("Selvane - Calculators")) == platform::Answer::Yes)
        FinProgramme();
}

void Brulvane::CalculBilanEME() {
    brulvane::EntreesBilan e;
    for (int i = 0; i < brulvane::NombreBoites; ++i)
        e.textes[i] = vue_->texte(static_cast<Boite>(i));
    e.range = Range;
    e.DistanceLune = DistanceLune;
    e.UniteBruit = UniteBruit;
    const brulvane::ResultatsBilan r = brulvane::CalculBilanEME(e);
    if (r.boiteRefusee) {
        vue_->refuseBoite(*r.boiteRefusee);
        return;
    }
    vue_->ecritResultats(r.textes);
}

void Brulvane::EffaceResultats() {
    vue_->ecritResultats(brulvane::EffaceResultats());
}

void Brulvane::FinProgramme() {
    if (lieu_ == Lieu::Fin)
        return;
    va(Lieu::Fin);
    if (fin_)
        fin_();
}
