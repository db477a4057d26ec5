#include "CORRECT/LectureEcriture.h"

#include <QFileInfo>
#include <vector>

#include "CORRECT/FiltreTouche.h"
#include "platform/Text.h"

namespace correct {

using namespace correction;

namespace {

// Failures named in one message at most; the rest are counted.
constexpr int DefautsNommesMax = 12;

enum class Element { Etiquette, CorrectionAz, CorrectionEl };

struct Defaut {
    int enregistrement;
    int ligne;
    Element element;
    QString texte;
};

QString ligneDefaut(const Defaut& d)
{
    static const char* const noms[] = {"label", "azimuth correction", "elevation correction"};
    return QStringLiteral("Azimuth %1, line %2: %3 \"%4\"")
        .arg(PasAzimut * d.enregistrement)
        .arg(d.ligne)
        .arg(QLatin1String(noms[static_cast<int>(d.element)]), d.texte);
}

QString messageDefauts(const std::vector<Defaut>& defauts, const QString& fichierTCV)
{
    QString m = QStringLiteral("Correction file failed\r");
    for (size_t i = 0; i < defauts.size() && i < size_t(DefautsNommesMax); ++i)
        m += QLatin1Char('\r') + ligneDefaut(defauts[i]);
    if (defauts.size() > size_t(DefautsNommesMax))
        m += QStringLiteral("\r... and %1 more").arg(defauts.size() - DefautsNommesMax);
    m += QStringLiteral("\r\rShown as 0: each correction that failed, and the whole record where the label "
                        "failed. ") +
         fichierTCV + QStringLiteral(" stays as it is unless you save.");
    return m;
}

} // namespace

ResultatLecture lireTableCorrection(const QString& dossier, const QString& fichierTCV,
                                    platform::Dialogs& dialogs)
{
    ResultatLecture r;
    r.table = tableParDefaut();
    const QString nonLu = fichierTCV + QStringLiteral(" was not read !");
    auto erreurLecture = [&](const QString& suite) {
        r.echec = true;
        dialogs.message(nonLu + suite, platform::Buttons::Ok, platform::Icon::Critical,
                        QStringLiteral("Selvane : Read Error"));
    };

    const std::optional<ElementsFichierCorrection> lu =
        lireElementsEtLignes(platform::resolvePath(dossier, fichierTCV));
    if (!lu) {
        erreurLecture(QString());
        return r;
    }
    const QStringList& e = lu->textes;
    std::vector<Defaut> defauts;
    int complets = 0; // records read whole
    for (int k = 0; k < NombreEnregistrements; ++k) {
        const int i = indexEtiquette(k);
        if (i + 2 >= e.size())
            break;
        ++complets;
        const std::optional<QString> interieur = texteEtiquette(e[i]);
        const bool etiquetteBonne = interieur && platform::Val(*interieur) == double(PasAzimut * k);
        if (!etiquetteBonne)
            defauts.push_back({k, lu->lignes[i], Element::Etiquette, e[i]});
        r.table[k].azimut = QString::number(PasAzimut * k);
        for (int j = 1; j <= 2; ++j) {
            const QString& texte = e[i + j];
            if (!dansLimites(valeurCorrection(texte)))
                defauts.push_back({k, lu->lignes[i + j], j == 1 ? Element::CorrectionAz : Element::CorrectionEl,
                                   texte});
            else if (etiquetteBonne)
                (j == 1 ? r.table[k].correctionAz : r.table[k].correctionEl) = texte;
        }
    }

    if (!defauts.empty()) {
        r.echec = true;
        dialogs.message(messageDefauts(defauts, fichierTCV), platform::Buttons::Ok, platform::Icon::Critical,
                        titreValeursCorrection());
    }
    if (complets < NombreEnregistrements) {
        const int derniere = lu->lignes.isEmpty() ? 0 : lu->lignes.last();
        erreurLecture(derniere == 0
                          ? QStringLiteral("\r\rThe file is empty: every record shows 0.")
                          : QStringLiteral("\r\rIt ends at line %1: the records from azimuth %2 on show 0.")
                                .arg(derniere)
                                .arg(PasAzimut * complets));
    }
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
            // The table replaced is named after the station file chosen, not
            // after the table being edited: the question names it.
            r.reponse = dialogs.message(QStringLiteral("Replace the old file %1 ?").arg(nom), platform::Buttons::YesNo,
                                        platform::Icon::Exclamation, QStringLiteral("- TCV Editor -"));
            if (r.reponse == platform::Answer::No) {
                r.etat = Sauvegarde::Refusee;
                return r;
            }
            break;
        }
    }

    const QString chemin = platform::resolvePath(dossier, r.fichierTCV);
    if (const platform::SaveResult e = ecrireFichierCorrection(chemin, table, faults); !e) {
        dialogs.message(platform::writeErrorText(e), platform::Buttons::Ok, platform::Icon::Critical,
                        QStringLiteral("Selvane - TCV Editor"));
        r.etat = Sauvegarde::Erreur;
        return r;
    }
    r.fichierTCV = QFileInfo(platform::resolvePath(dossier, r.fichierTCV)).fileName();
    r.etat = Sauvegarde::Ecrite;
    return r;
}

} // namespace correct
