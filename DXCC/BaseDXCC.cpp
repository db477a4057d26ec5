#include "DXCC/BaseDXCC.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QFileInfo>

#include "platform/Text.h"

namespace dxcc {

namespace {

constexpr QChar Tab(9);


QString cheminBase(const QString& dossier)
{
    return platform::resolvePath(dossier.isEmpty() ? QDir::currentPath() : dossier, nomFichierDXCC());
}

} // namespace

Enregistrement champsDeLigne(const QString& ligne)
{
    Enregistrement champs = ligne.split(Tab);
    while (champs.size() > NombreChamps)
        champs.removeLast();
    while (champs.size() < NombreChamps)
        champs << QString();
    return champs;
}

QString ligneDeChamps(const Enregistrement& champs)
{
    QStringList huit = champs.mid(0, NombreChamps);
    while (huit.size() < NombreChamps)
        huit << QString();
    return huit.join(Tab);
}

LectureDXCC lireBaseDXCC(const QString& dossier, const FautesLecture& fautes)
{
    LectureDXCC r;
    QFile f(cheminBase(dossier));
    QByteArray octets;
    bool lu = false;
    if (f.open(QIODevice::ReadOnly)) {
        lu = true;
        char tampon[4096];
        const qint64 limite = fautes.echecApresOctets;
        for (;;) {
            qint64 voulu = sizeof tampon;
            if (limite >= 0) {
                if (octets.size() >= limite) {
                    lu = f.atEnd();
                    break;
                }
                voulu = std::min(voulu, limite - qint64(octets.size()));
            }
            const qint64 n = f.read(tampon, voulu);
            if (n < 0) {
                lu = false;
                break;
            }
            if (n == 0)
                break;
            octets.append(tampon, n);
        }
        f.close();
    }

    const QString texte = QString::fromLatin1(octets);
    // After a failure only the lines completed before it are kept.
    for (const QString& l : platform::splitLines(texte, lu))
        r.lignes.push_back(champsDeLigne(l));
    if (lu) {
        // Reading an empty file runs past its end: a read error.
        r.erreur = octets.isEmpty();
    } else {
        r.erreur = true;
        const QFileInfo info(f.fileName());
        r.incomplete = info.exists() && info.size() > 0;
    }
    while (int(r.lignes.size()) < LignesMinimum)
        r.lignes.push_back(champsDeLigne(QString()));
    return r;
}

platform::SaveResult sauverBaseDXCC(const QString& dossier, const std::vector<Enregistrement>& lignes,
                    const platform::SaveFaults& fautes)
{
    QStringList texte;
    texte.reserve(qsizetype(lignes.size()));
    for (const Enregistrement& e : lignes)
        texte << ligneDeChamps(e);
    return platform::saveLines(cheminBase(dossier), texte, fautes);
}

int comparePrefixes(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

Bisection bisection(const std::function<QString(int)>& prefixeDeLigne, int lignes, const QString& prefixe)
{
    Bisection b;
    int lo = 0, hi = lignes;
    for (;;) {
        const int mid = (lo + hi) / 2;
        b.derniere = mid;
        const int c = comparePrefixes(prefixeDeLigne(mid), prefixe);
        if (c >= 0)
            hi = mid;
        else
            lo = mid;
        if (c == 0) {
            b.trouve = true;
            break;
        }
        if (hi - lo <= 1)
            break;
    }
    b.insertion = hi;
    return b;
}

RechercheDXCC rechercherPrefixe(const QString& dossier, const QString& prefixe)
{
    RechercheDXCC r;
    if (prefixe.isEmpty())
        return r;
    const std::optional<QString> texte = platform::readText(cheminBase(dossier));
    if (!texte || texte->isEmpty()) {
        r.etat = RechercheDXCC::Etat::ErreurLecture;
        return r;
    }
    const QString voulu = prefixe.toUpper();
    for (const QString& ligne : platform::splitLines(*texte)) {
        const qsizetype tab = ligne.indexOf(Tab);
        // An empty line or one without its key's TAB holds no record (the
        // editor keeps empty rows): it is passed over.
        if (tab < 0)
            continue;
        if (ligne.left(tab).toUpper() == voulu) {
            r.etat = RechercheDXCC::Etat::Trouve;
            r.ligne = ligne;
            r.champs = champsDeLigne(ligne);
            return r;
        }
    }
    return r;
}

std::optional<PositionDXCC> decoderEnregistrement(const QString& ligneLue)
{
    QString ligne = ligneLue;
    if (ligne.endsWith(QChar(13)))
        ligne.chop(1);
    const QStringList parts = ligne.split(Tab);
    if (parts.size() < NombreChamps || ligne.isEmpty())
        return std::nullopt;
    if (parts[1].isEmpty() || parts[3].isEmpty() || parts[6].isEmpty())
        return std::nullopt;
    PositionDXCC p;
    p.Indic = parts[0];
    p.Lieu = parts[1];
    try {
        const double latDeg = platform::CInt(platform::Val(parts[2]));
        const double latMin = platform::CInt(platform::Val(parts[3]));
        const double lonDeg = platform::CInt(platform::Val(parts[5]));
        const double lonMin = platform::CInt(platform::Val(parts[6]));
        p.latitude = float(latDeg + latMin / 60);
        if (parts[4].toUpper() != QStringLiteral("N"))
            p.latitude = -p.latitude;
        p.longitude = float(lonDeg + lonMin / 60);
        if (ligne.back().toUpper() != QChar('E'))
            p.longitude = -p.longitude;
    } catch (const platform::OverflowError&) {
        return std::nullopt;
    }
    return p;
}

} // namespace dxcc
