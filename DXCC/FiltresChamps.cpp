#include "DXCC/FiltresChamps.h"

#include "platform/Text.h"

#include <algorithm>

namespace dxcc {

namespace {

struct Regle {
    enum class Sorte { Libre, Chiffres, Lettre } sorte;
    int longueur;     // maximum or full length
    int limite;       // digits: values from this on are refused
    const char* lettres; // letters: the accepted ones
};

Regle regle(Champ c)
{
    using S = Regle::Sorte;
    switch (c) {
    case Champ::Indic: return {S::Libre, 6, 0, ""};
    case Champ::Lieu: return {S::Libre, 15, 0, ""};
    case Champ::LatDeg: return {S::Chiffres, 2, 90, ""};
    case Champ::LatMin: return {S::Chiffres, 2, 60, ""};
    case Champ::LatSig: return {S::Lettre, 1, 0, "NnSs"};
    case Champ::LonDeg: return {S::Chiffres, 3, 360, ""};
    case Champ::LonMin: return {S::Chiffres, 2, 60, ""};
    case Champ::LonSig: return {S::Lettre, 1, 0, "EeWw"};
    }
    return {S::Libre, 0, 0, ""};
}

// TAB, CR and LF would break the record's line, and a character beyond
// Latin-1 cannot be stored in the 8-bit file (it would be saved as "?").
bool caractereInterdit(QChar c) { return c == QChar(9) || c == QChar(13) || c == QChar(10) || c.unicode() > 0xFF; }

} // namespace

int longueurChamp(Champ champ) { return regle(champ).longueur; }

bool texteLibre(Champ champ) { return regle(champ).sorte == Regle::Sorte::Libre; }

platform::EditVerdict jugerSaisie(Champ champ, const QString& propose)
{
    using platform::EditVerdict;
    const Regle r = regle(champ);
    if (r.sorte == Regle::Sorte::Libre) {
        if (std::any_of(propose.begin(), propose.end(), caractereInterdit))
            return EditVerdict::refuse();
        return EditVerdict::accept(propose.left(r.longueur));
    }
    const ResultatFiltre f = filtrerChamp(champ, propose);
    // A digit or letter box accepts only what it keeps as it is; its beep
    // on a full box is the window's, once the box holds the text.
    if (f.texte != propose)
        return EditVerdict::refuse();
    return EditVerdict::accept(propose);
}

ResultatFiltre filtrerChamp(Champ champ, const QString& texte)
{
    const Regle r = regle(champ);
    ResultatFiltre res;
    res.texte = texte;
    switch (r.sorte) {
    case Regle::Sorte::Libre: {
        // Characters the file cannot hold are dropped, silently.
        res.texte.removeIf(caractereInterdit);
        if (res.texte.size() > r.longueur) {
            res.texte.truncate(r.longueur);
            res.bip = true;
            res.focus = Focus::ChampSuivant;
        }
        break;
    }
    case Regle::Sorte::Chiffres: {
        for (const QChar c : texte) {
            if (c < u'0' || c > u'9') {
                res.texte.clear();
                break;
            }
        }
        if (res.texte.size() > r.longueur || platform::Val(res.texte) >= r.limite) {
            res.texte.clear();
            res.bip = true;
            res.focus = Focus::SurLeChamp;
        } else if (res.texte.size() == r.longueur) {
            res.bip = true;
            res.focus = Focus::ChampSuivant;
        }
        break;
    }
    case Regle::Sorte::Lettre: {
        if (texte.isEmpty())
            break;
        if (texte.size() > 1 || !QString::fromLatin1(r.lettres).contains(texte[0])) {
            res.texte.clear();
            res.focus = Focus::SurLeChamp;
        } else {
            res.bip = true;
            res.focus = Focus::ChampSuivant;
        }
        break;
    }
    }
    return res;
}

} // namespace dxcc
