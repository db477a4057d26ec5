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
    const ResultatTouche refus{texte, premiereTouche, true};
    const bool retour = codeTouche == ToucheRetourArriere;
    const QChar c = (codeTouche > 0 && codeTouche <= 0xFFFF) ? QChar(codeTouche) : QChar();
    const bool chiffre = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const bool signe = !retour && estSigneOuPoint(c);

    // A sign or point is judged against the text it joins: the empty text when
    // this key replaces the cell's text (so "-" starts a new negative value),
    // the cell's text otherwise.
    const QString base = premiereTouche ? QString() : texte;
    if ((!retour && !chiffre && !signe) || (signe && refuseSigneOuPoint(base, c)))
        return refus;

    ResultatTouche r{texte, false};
    if (retour) {
        r.texte.chop(1);
    } else {
        r.texte = base + c;
        if (r.texte.size() > LongueurMaxCellule)
            return refus;
        r.pleine = r.texte.size() == LongueurMaxCellule;
    }
    if (!correction::dansLimites(correction::valeurCorrection(r.texte))) {
        ResultatTouche horsLimites = refus;
        horsLimites.horsLimites = true;
        return horsLimites;
    }
    return r;
}

ResultatTouche filtreCollage(const QString& texte, const QString& colle, bool premiereTouche)
{
    const QString t = colle.trimmed();
    ResultatTouche r{texte, premiereTouche};
    if (t.isEmpty())
        return {texte, premiereTouche, true};
    for (QChar c : t) {
        const ResultatTouche k = c.category() == QChar::Other_Control
                                     ? ResultatTouche{r.texte, r.premiereTouche, true}
                                     : filtreTouche(r.texte, c.unicode(), r.premiereTouche);
        if (k.refusee)
            return {texte, premiereTouche, true, k.horsLimites};
        r.texte = k.texte;
        r.premiereTouche = k.premiereTouche;
    }
    r.pleine = r.texte.size() == LongueurMaxCellule;
    return r;
}

} // namespace correct
