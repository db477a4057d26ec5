#include "CORRECT/LectureEcriture.h"

#include <QFileInfo>

#include "CORRECT/FiltreTouche.h"
#include "platform/Text.h"

namespace correct {

using namespace correction;

ResultatLecture lireTableCorrection(const QString& dossier, const QString& fichierTCV,
                                    platform::Dialogs& dialogs)
{
    ResultatLecture r;
    r.table = tableParDefaut();

    auto echecControle = [&] {
        r.echec = true;
        dialogs.message(QStringLiteral("Correction file failed"), platform::Buttons::Ok,
                        platform::Icon::Critical, titreValeursCorrection());
    };
    auto erreurLecture = [&] {
        r.echec = true;
        dialogs.message(fichierTCV + QStringLiteral(" was not read !"), platform::Buttons::Ok,
                        platform::Icon::Critical, QStringLiteral("Selvane : Read Error"));
    };

    const std::optional<QStringList> elements = lireElementsFichierCorrection(platform::resolvePath(dossier, fichierTCV));
    if (!elements) {
        erreurLecture();
    } else {
        const QStringList& e = *elements;
        for (int k = 0; k < NombreEnregistrements && !r.echec; ++k) {
            const int i = indexEtiquette(k);
            if (i >= e.size()) {
                erreurLecture();
                break;
            }
            const std::optional<QString> interieur = texteEtiquette(e[i]);
            if (!interieur) {
                erreurLecture();
                break;
            }
            if (platform::Val(*interieur) != double(PasAzimut * k))
                echecControle();
            r.table[k].azimut = QString::number(PasAzimut * k);

            bool erreur = false;
            for (int j = 1; j <= 2; ++j) {
                if (i + j >= e.size()) {
                    erreur = true;
                    break;
                }
                const QString& texte = e[i + j];
                if (dansLimites(valeurCorrection(texte)))
                    (j == 1 ? r.table[k].correctionAz : r.table[k].correctionEl) = texte;
                else
                    echecControle();
            }
            if (erreur) {
                erreurLecture();
                break;
            }
        }
    }

    if (r.echec)
        r.table = tableParDefaut();
    return r;
}

ResultatSauvegarde sauverTableCorrection(const QString& dossier, const QString& fichierStation,
                                         const TableCorrection& table, platform::Dialogs& dialogs,
                                         const platform::SaveFaults& faults)
{
    ResultatSauvegarde r;
    const QStringList tables = platform::listFiles(dossier, QStringLiteral("*.tcv"));
    const QString station = QFileInfo(platform::resolvePath(dossier, fichierStation)).fileName();
    r.fichierTCV = nomFichierCorrection(station);

    for (const QString& nom : tables) {
        if (nom.compare(r.fichierTCV, Qt::CaseInsensitive) == 0) {
            r.reponse = dialogs.message(QStringLiteral("Replace the old file ?"), platform::Buttons::YesNo,
                                        platform::Icon::Exclamation, QStringLiteral("- TCV Editor -"));
            if (r.reponse == platform::Answer::No) {
                r.etat = Sauvegarde::Refusee;
                return r;
            }
            break;
        }
    }

    const QString chemin = platform::resolvePath(dossier, r.fichierTCV);
    if (!ecrireFichierCorrection(chemin, table, faults)) {
        dialogs.message(QStringLiteral("Write Error : ") + r.fichierTCV + QStringLiteral(" was not saved !"),
                        platform::Buttons::Ok, platform::Icon::Critical, QStringLiteral("Selvane - TCV Editor"));
        r.etat = Sauvegarde::Erreur;
        return r;
    }
    r.fichierTCV = QFileInfo(platform::resolvePath(dossier, r.fichierTCV)).fileName();
    r.etat = Sauvegarde::Ecrite;
    return r;
}

} // namespace correct
