#include "CORRECT/FichierCorrection.h"

#include "platform/Text.h"

#include <limits>

namespace correction {

namespace {

// Leading blanks removed, trailing characters kept.
QString sansBlancsDevant(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

} // namespace

const QStringList& lignesCommentaire()
{
    static const QStringList lignes{
        QStringLiteral("'[Azimuth value]    (Step=10deg)"),
        QStringLiteral("'Azimuth correction     (Max : +/- 5 deg)"),
        QStringLiteral("'Elevation correction   (Max : +/- 5 deg)"),
    };
    return lignes;
}

QString nomFichierCorrection(const QString& fichierStation)
{
    return fichierStation.left(qMax<qsizetype>(0, fichierStation.size() - 4)) + QStringLiteral(".tcv");
}

TableCorrection tableParDefaut()
{
    TableCorrection t;
    for (int k = 0; k < NombreEnregistrements; ++k)
        t[k] = {platform::Str(PasAzimut * k), QStringLiteral(" 0"), QStringLiteral(" 0")};
    return t;
}

QStringList lignesFichierCorrection(const TableCorrection& table)
{
    QStringList lignes = lignesCommentaire();
    lignes.reserve(NombreLignes);
    for (const EnregistrementCorrection& e : table) {
        lignes << QLatin1Char('[') + sansBlancsDevant(e.azimut) + QLatin1Char(']')
               << sansBlancsDevant(e.correctionAz) << sansBlancsDevant(e.correctionEl);
    }
    return lignes;
}

platform::SaveResult ecrireFichierCorrection(const QString& path, const TableCorrection& table,
                                             const platform::SaveFaults& faults)
{
    return platform::saveLines(path, lignesFichierCorrection(table), faults);
}

std::optional<ElementsFichierCorrection> lireElementsEtLignes(const QString& path)
{
    std::optional<QString> texte = platform::readText(path);
    if (!texte)
        return std::nullopt;
    platform::ItemReader lecteur(*texte);
    ElementsFichierCorrection e;
    QString element;
    while (e.textes.size() < NombreLignes && lecteur.next(element)) {
        e.textes << element;
        e.lignes << lecteur.line();
    }
    return e;
}

std::optional<QStringList> lireElementsFichierCorrection(const QString& path)
{
    std::optional<ElementsFichierCorrection> e = lireElementsEtLignes(path);
    if (!e)
        return std::nullopt;
    return e->textes;
}

std::optional<QString> texteEtiquette(const QString& etiquette)
{
    if (etiquette.size() < 2)
        return std::nullopt;
    return etiquette.mid(1, etiquette.size() - 2);
}

float valeurCorrection(const QString& texte)
{
    const double v = platform::Val(texte);
    // Beyond the single-precision range the value is out of any limit anyway;
    // saturate rather than convert out of range.
    if (v > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    if (v < -std::numeric_limits<float>::max())
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

} // namespace correction
