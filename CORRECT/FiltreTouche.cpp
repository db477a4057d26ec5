#include "CORRECT/FiltreTouche.h"

#include "CORRECT/FichierCorrection.h"

namespace correct {

QString messageHorsLimites()
{
    return QStringLiteral("Must be +/- 5\u00B0 max");
}

QString titreValeursCorrection()
{
    return QStringLiteral("Selvane : Correction values");
}

namespace {

bool estSigneOuPoint(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.');
}

// True when the sign or point `c` may not be added to `texte`.
bool refuseSigneOuPoint(const QString& texte, QChar c)
{
    for (QChar t : texte) {
        if (c == QLatin1Char('+') && t == QLatin1Char('-'))
            return true;
        if (c == QLatin1Char('-') && t == QLatin1Char('+'))
            return true;
        if (t == c || t == QLatin1Char('.'))
            return true;
    }
    return false;
}

} // namespace

ResultatTouche filtreTouche(const QString& texte, int codeTouche, bool premiereTouche)
{
    ResultatTouche r{texte, premiereTouche};
    const bool retour = codeTouche == ToucheRetourArriere;
    const QChar c = (codeTouche > 0 && codeTouche <= 0xFFFF) ? QChar(codeTouche) : QChar();
    const bool chiffre = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const bool signe = !retour && estSigneOuPoint(c);

    // A sign or point is judged against the text it joins: the empty text when
    // this key replaces the cell's text (so "-" starts a new negative value),
    // the cell's text otherwise.
    const QString base = premiereTouche ? QString() : texte;
    if ((!retour && !chiffre && !signe) || (signe && refuseSigneOuPoint(base, c))) {
        r.bips = 1;
        return r;
    }

    if (retour) {
        r.texte = texte.size() < 2 ? QString() : texte.left(texte.size() - 1);
        r.premiereTouche = false;
    } else {
        if (r.premiereTouche) {
            r.premiereTouche = false;
            r.texte.clear();
        }
        r.texte += c;
    }

    bool coupe = false;
    if (r.texte.size() > LongueurMaxCellule) {
        r.texte.truncate(LongueurMaxCellule);
        ++r.bips;
        coupe = true;
    }
    if (!correction::dansLimites(correction::valeurCorrection(r.texte))) {
        ++r.bips;
        r.horsLimites = true;
        r.texte.clear();
    } else if (!coupe && r.texte.size() == LongueurMaxCellule) {
        ++r.bips;
    }
    return r;
}

} // namespace correct
