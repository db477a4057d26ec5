#include "Corvinet/Corvinet.h"

#include "Corvinet/Controles.h"
#include "Corvinet/FeuilleChoixFichier.h"
#include "Corvinet/FenetrePrincipale.h"
#include "Corvinet/FichierStation.h"

#include <QDir>
#include <QFileInfo>

using corvinet::Champ;
using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {
const QString TitreSetup = QStringLiteral("- Setup of Selvane -");
const QString TitreCorvinet = QStringLiteral("Corvinet");
const QString CaptionFichier = QStringLiteral("Selvane Parameters - Set Up - ");
} // namespace

Corvinet::Corvinet(platform::Dialogs& d, platform::Clock& c, QString dossier, std::function<void()> finProgramme)
    : dialogs(d), clock(c), Dossier(std::move(dossier)), finProgramme_(std::move(finProgramme))
{
}

Corvinet::~Corvinet() = default;

FenetrePrincipale& Corvinet::fenetrePrincipale()
{
    if (!fenetre_) {
        fenetre_ = std::make_unique<FenetrePrincipale>(*this);
        fenetre_->Form_Load();
    }
    return *fenetre_;
}

FeuilleChoixFichier& Corvinet::feuilleChoixFichier()
{
    if (!feuille_) {
        feuille_ = std::make_unique<FeuilleChoixFichier>(*this);
        feuille_->Form_Load();
    }
    return *feuille_;
}

void Corvinet::Main()
{
    fenetrePrincipale().hide();
    feuilleChoixFichier().BoutonOK->setEnabled(false);
    feuilleChoixFichier().show();
}

void Corvinet::OuvreFenetrePrincipale()
{
    FenetrePrincipale& f = fenetrePrincipale();
    f.show();
    f.activateWindow();
    for (Champ c : {Champ::AutoVit, Champ::ManVit, Champ::AngDecr}) f.boite(c)->setEnabled(true);
    if (!NouveauFichier) LectureFichierStation();
    feuilleChoixFichier().hide();
    FichierStation = FichierStation.toLower();
    f.setWindowTitle(CaptionFichier + nomAffiche());
    f.appliqueModeEtFormats();
    f.Feuillet_Setup->setCurrentIndex(0);
    f.donneFocus(Champ::Indic);
    LignesEnregistrees = corvinet::ecritureLignesStation(f.valeurs());
}

bool Corvinet::ModificationsNonEnregistrees() const
{
    return LignesEnregistrees && fenetre_ && corvinet::ecritureLignesStation(fenetre_->valeurs()) != *LignesEnregistrees;
}

bool Corvinet::ConfirmeQuitter()
{
    const QString texte = platform::quitQuestion(ModificationsNonEnregistrees() ? nomAffiche() : QString());
    if (dialogs.message(texte, Buttons::YesNo, Icon::Critical, QStringLiteral("- Selvane - Set Up -")) != Answer::Yes)
        return false;
    termine_ = true;
    if (fenetre_) fenetre_->hide();
    if (feuille_) feuille_->hide();
    if (finProgramme_) finProgramme_();
    return true;
}

QString Corvinet::cheminFichierStation() const
{
    // The name chosen in the list keeps its real letter case; a file named
    // in another case is found whatever its case.
    const QString nom = NomReel.compare(FichierStation, Qt::CaseInsensitive) == 0 ? NomReel : FichierStation;
    const QString exact = QDir(Dossier).filePath(nom);
    if (QFileInfo::exists(exact)) return exact;
    return platform::resolvePath(Dossier, nom);
}

void Corvinet::LectureFichierStation()
{
    FenetrePrincipale& f = fenetrePrincipale();
    const auto texte = platform::readText(cheminFichierStation());
    corvinet::LectureStation lu;
    if (texte)
        lu = corvinet::lectureStation(*texte);
    else
        lu.erreur = true;
    for (const corvinet::ActionLecture& a : lu.actions) {
        if (a.genre == corvinet::ActionLecture::Genre::EffaceModes) {
            f.effaceModes();
            continue;
        }
        switch (corvinet::info(a.champ).sorte) {
        case corvinet::Sorte::Texte:
            f.setTexte(a.champ, a.texte);
            if (a.champ == Champ::DecHor) f.setTexte(Champ::DecHor, corvinet::decalageAffiche(f.boite(Champ::DecHor)->text()));
            break;
        case corvinet::Sorte::TypeMesure:
        case corvinet::Sorte::Legende:
            static_cast<QPushButton*>(f.controle(a.champ))->setText(a.texte);
            break;
        case corvinet::Sorte::SpeedControl:
            f.SpeedControl_Click(a.nombre);
            break;
        case corvinet::Sorte::Coche:
            static_cast<QCheckBox*>(f.controle(a.champ))->setChecked(a.nombre == 1);
            break;
        }
    }
    if (lu.erreur)
        dialogs.message(QStringLiteral("Read Error : ") + nomAffiche() + QStringLiteral(" had some errors !"),
                        Buttons::Ok, Icon::Critical, TitreCorvinet);
}

bool Corvinet::EcritureFichierStation()
{
    FenetrePrincipale& f = fenetrePrincipale();
    const QStringList lignes = corvinet::ecritureLignesStation(f.valeurs());
    const platform::SaveResult r = platform::saveLines(cheminFichierStation(), lignes, DefautsEcriture);
    if (!r) {
        dialogs.message(platform::writeErrorText(r), Buttons::Ok, Icon::Critical, TitreCorvinet);
        return false;
    }
    f.setWindowTitle(CaptionFichier + r.fileName);
    LignesEnregistrees = lignes;
    return true;
}

void Corvinet::AfficheErreurDonnee(const QString& faute)
{
    dialogs.message(corvinet::texteErreurDonnee(faute), Buttons::Ok, corvinet::IconeErreurDonnee,
                    corvinet::TitreErreurDonnee);
}

void Corvinet::ControleSaisie()
{
    FenetrePrincipale& f = fenetrePrincipale();
    const corvinet::ResultatControle r = corvinet::controleSaisie(f.valeurs());
    SaisieOk = r.ok;
    if (r.onglet >= 0) f.Feuillet_Setup->setCurrentIndex(r.onglet);
    if (r.arret) f.refuse(r.arret->focus);
}

void Corvinet::ControleCoherence()
{
    FenetrePrincipale& f = fenetrePrincipale();
    const corvinet::ResultatControle r = corvinet::controleCoherence(f.valeurs());
    CoherenceOk = r.ok;
    if (r.onglet >= 0) f.Feuillet_Setup->setCurrentIndex(r.onglet);
    if (!r.arret) return;
    if (r.arret->faute.isEmpty()) {
        f.refuse(r.arret->focus);
        return;
    }
    dialogs.beep();
    for (Champ c : r.arret->videes) f.setTexte(c, QString());
    AfficheErreurDonnee(r.arret->faute);
    f.donneFocus(r.arret->focus);
}

void Corvinet::MenuOpen()
{
    FeuilleChoixFichier& c = feuilleChoixFichier();
    c.ListeFichier->refresh();
    c.setWindowTitle(QStringLiteral("Corvinet - Data file"));
    Main();
}

bool Corvinet::controlesAvantSauvegarde()
{
    ControleSaisie();
    if (!SaisieOk) return false;
    ControleCoherence();
    if (!CoherenceOk) return false;
    feuilleChoixFichier().ListeFichier->refresh();
    return true;
}

void Corvinet::chercheFichierAbsent(const QString& nom)
{
    const platform::FileList* l = feuilleChoixFichier().ListeFichier;
    QStringList liste;
    for (int i = 0; i < l->listCount(); ++i) liste << l->entry(i);
    FichierAbsent = corvinet::fichierAbsent(liste, nom);
}

QString Corvinet::nomAffiche() const { return QFileInfo(cheminFichierStation()).fileName(); }

QString Corvinet::nomSurLeDisque(const QString& nom) const
{
    return QFileInfo(platform::resolvePath(Dossier, nom)).fileName();
}

void Corvinet::MenuSave()
{
    if (!controlesAvantSauvegarde()) return;
    chercheFichierAbsent(FichierStation);
    if (FichierAbsent) {
        EcritureFichierStation();
        return;
    }
    // The question names the file it replaces, as it is named on the disk.
    const QString question = QStringLiteral("Replace the old file %1 ?").arg(nomAffiche());
    if (dialogs.message(question, Buttons::YesNo, Icon::Exclamation, TitreSetup) == Answer::Yes) {
        EcritureFichierStation();
        return;
    }
    dialogs.message(QStringLiteral("Use the menu 'File - Save As ...'"), Buttons::Ok, Icon::Critical, TitreSetup);
}

void Corvinet::MenuSaveAs()
{
    if (!controlesAvantSauvegarde()) return;
    QString reponse;
    do {
        reponse = dialogs.input(QStringLiteral("New Set-Up FileName ?"), TitreSetup, QStringLiteral(".dat"),
                                QPoint(2000, 2000));
    } while (!reponse.isEmpty() && !corvinet::nomFichierAccepte(reponse));
    if (reponse.isEmpty()) return;
    const QString nouveau = reponse.toLower();
    chercheFichierAbsent(nouveau);
    // No keeps the name in force: a later Save writes the file being edited,
    // never the one the operator refused to replace.
    if (!FichierAbsent &&
        dialogs.message(QStringLiteral("The file %1 exists. Replace ?").arg(nomSurLeDisque(nouveau)), Buttons::YesNo,
                        Icon::Exclamation, TitreSetup) == Answer::No)
        return;
    // The new name is in force once the file is written under it.
    const QString ancien = FichierStation, ancienReel = NomReel;
    FichierStation = nouveau;
    NomReel = nouveau;
    if (!EcritureFichierStation()) {
        FichierStation = ancien;
        NomReel = ancienReel;
    }
}
