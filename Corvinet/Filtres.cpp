#include "Corvinet/Filtres.h"

#include "platform/Text.h"

#include <array>

namespace corvinet {

namespace {

constexpr const char* Chiffres = "0123456789";

// One row per text box: characters, most characters kept, value type, range,
// next box. Rows reading "at most" test only the upper bound.
constexpr Filtre tableFiltres[] = {
    // boite            tab permis           max valeur                  min     max     minS   maxS   testeMin suivant
    {Champ::Indic,      0, nullptr,          8,  GenreValeur::Texte,     0,      0,      false, false, false, Champ::Lieu},
    {Champ::Lieu,       0, nullptr,          18, GenreValeur::Texte,     0,      0,      false, false, false, Champ::Altitude},
    {Champ::Altitude,   0, Chiffres,         4,  GenreValeur::Entier32,  0,      9999,   false, false, true,  Champ::LatDeg},
    {Champ::LatDeg,     0, Chiffres,         2,  GenreValeur::Entier16,  0,      89,     false, false, true,  Champ::LatMin},
    {Champ::LatMin,     0, Chiffres,         2,  GenreValeur::Entier16,  0,      59,     false, false, true,  Champ::LatSec},
    {Champ::LatSec,     0, Chiffres,         2,  GenreValeur::Entier16,  0,      59,     false, false, true,  Champ::LatSig},
    {Champ::LatSig,     0, "NnSs",           1,  GenreValeur::Lettre,    0,      0,      false, false, false, Champ::LonDeg},
    {Champ::LonDeg,     0, Chiffres,         3,  GenreValeur::Entier16,  0,      359,    false, false, true,  Champ::LonMin},
    {Champ::LonMin,     0, Chiffres,         2,  GenreValeur::Entier16,  0,      59,     false, false, true,  Champ::LonSec},
    {Champ::LonSec,     0, Chiffres,         2,  GenreValeur::Entier16,  0,      59,     false, false, true,  Champ::LonSig},
    {Champ::LonSig,     0, "EeWw",           1,  GenreValeur::Lettre,    0,      0,      false, false, false, Champ::DecHor},
    {Champ::DecHor,     0, "0123456789 +-",  3,  GenreValeur::Entier16,  -14,    14,     false, false, true,  Champ::Indic},
    {Champ::PortCom,    1, "01234",          1,  GenreValeur::Entier16,  0,      4,      false, false, true,  Champ::Range8b},
    {Champ::Range8b,    1, Chiffres,         3,  GenreValeur::Aucune,    0,      0,      false, false, false, Champ::Off8b},
    {Champ::Off8b,      1, "0123456789-.",   4,  GenreValeur::Aucune,    0,      0,      false, false, false, Champ::PortCom},
    {Champ::AutoVit,    1, "0123456789.",    4,  GenreValeur::Simple,    0,      1,      false, false, false, Champ::AngDecr},
    {Champ::AngDecr,    1, "0123456789-",    2,  GenreValeur::Aucune,    0,      0,      false, false, false, Champ::ManVit},
    {Champ::ManVit,     1, "0123456789.",    4,  GenreValeur::Simple,    0,      1,      false, false, false, Champ::AutoVit},
    {Champ::AzimOn,     2, "0123456789.",    4,  GenreValeur::Simple,    0,      9.9,    false, false, false, Champ::AzimOf},
    {Champ::AzimOf,     2, "0123456789.",    4,  GenreValeur::Simple,    0,      9.9,    false, false, false, Champ::ButeeG},
    {Champ::ButeeG,     2, Chiffres,         3,  GenreValeur::Simple,    0,      359,    false, false, false, Champ::ButeeD},
    {Champ::ButeeD,     2, Chiffres,         3,  GenreValeur::Simple,    0,      359,    false, false, false, Champ::ParkAz},
    {Champ::ParkAz,     2, Chiffres,         3,  GenreValeur::Simple,    0,      359,    false, false, false, Champ::OffAz},
    {Champ::OffAz,      2, "0123456789.-",   5,  GenreValeur::Simple,    -90,    360,    true,  true,  true,  Champ::RangAz},
    {Champ::RangAz,     2, "0123456789.",    5,  GenreValeur::Simple,    0,      999.9,  false, false, false, Champ::AzimOn},
    {Champ::ElevOn,     3, "0123456789.",    4,  GenreValeur::Simple,    0,      9.9,    false, false, false, Champ::ElevOf},
    {Champ::ElevOf,     3, "0123456789.",    4,  GenreValeur::Simple,    0,      9.9,    false, false, false, Champ::ButeeB},
    {Champ::ButeeB,     3, "0123456789-",    3,  GenreValeur::Simple,    -90,    90,     false, false, true,  Champ::ButeeH},
    {Champ::ButeeH,     3, Chiffres,         2,  GenreValeur::Simple,    0,      90,     true,  false, true,  Champ::ParkEl},
    {Champ::ParkEl,     3, "0123456789-",    3,  GenreValeur::Simple,    -90,    90,     false, false, true,  Champ::OffEl},
    {Champ::OffEl,      3, "0123456789.-",   5,  GenreValeur::Simple,    -90,    90,     false, false, true,  Champ::RangEl},
    {Champ::RangEl,     3, "0123456789.",    5,  GenreValeur::Simple,    0,      999.9,  false, false, false, Champ::ElevOn},
    {Champ::Freq,       4, Chiffres,         5,  GenreValeur::Entier32,  0,      99999,  false, false, true,  Champ::Power},
    {Champ::Power,      4, "0123456789.",    5,  GenreValeur::Simple,    0,      99999,  false, false, true,  Champ::TxLoss},
    {Champ::TxLoss,     4, "0123456789.",    4,  GenreValeur::Simple,    0,      9.99,   false, false, true,  Champ::RxLoss},
    {Champ::RxLoss,     4, "0123456789.",    4,  GenreValeur::Simple,    0,      9.99,   false, false, true,  Champ::Noise},
    {Champ::Noise,      4, "0123456789.",    4,  GenreValeur::Simple,    0,      9.99,   false, false, true,  Champ::Band},
    {Champ::Band,       4, Chiffres,         5,  GenreValeur::Entier32,  0,      99999,  false, false, true,  Champ::Gain},
    {Champ::Gain,       4, "0123456789.",    5,  GenreValeur::Simple,    0,      99.99,  false, false, true,  Champ::Freq},
};

const std::array<const Filtre*, NbChamps> indexFiltres = [] {
    std::array<const Filtre*, NbChamps> a{};
    for (const Filtre& f : tableFiltres) a[size_t(indice(f.boite))] = &f;
    return a;
}();

bool tousPermis(const QString& texte, const char* permis) {
    const QLatin1String p(permis);
    for (QChar c : texte)
        if (!p.contains(c)) return false;
    return true;
}

// True when the value of `texte` lies outside the row's range. The text is
// not longer than the box's maximum here, so no reading can overflow.
bool horsLimites(const Filtre& f, const QString& texte) {
    double v = 0;
    double lo = f.min;
    double hi = f.max_;
    const double lu = platform::Val(texte);
    switch (f.valeur) {
    case GenreValeur::Entier16:
        v = platform::CInt(lu);
        break;
    case GenreValeur::Entier32:
        v = platform::CLng(lu);
        break;
    case GenreValeur::Simple:
        // Single-precision value against single-precision limits, so a text
        // equal to a limit (9.9, 99.99) is inside it.
        v = float(lu);
        lo = float(f.min);
        hi = float(f.max_);
        break;
    default:
        return false;
    }
    if (f.maxStrict ? v >= hi : v > hi) return true;
    if (f.testeMin && (f.minStrict ? v <= lo : v < lo)) return true;
    return false;
}

ResultatFiltre suivantSiPlein(const Filtre& f, ResultatFiltre r, const ContexteFiltre& ctx) {
    if (r.texte.size() >= f.max) {
        r.focus = ResultatFiltre::Focus::Suivant;
        r.suivant = f.suivant;
        if (f.boite == Champ::OffAz && !ctx.rangAzVisible) r.suivant = Champ::FormatAz;
        if (f.boite == Champ::OffEl && !ctx.rangElVisible) r.suivant = Champ::FormatEl;
    }
    return r;
}

} // namespace

const Filtre* filtre(Champ boite) { return indexFiltres[size_t(indice(boite))]; }

bool caractereInterditTexteLibre(QChar c) {
    // Comma, double quote, TAB, CR and LF split or shift the items; another
    // control character has no place in a line of text; a character beyond
    // Latin-1 cannot be written to the 8-bit file and would come back as "?".
    const char16_t u = c.unicode();
    return u == u',' || u == u'"' || u < 0x20 || u == 0x7F || u > 0xFF;
}

ResultatFiltre filtreChangement(Champ boite, const QString& texte, const ContexteFiltre& ctx) {
    const Filtre* f = filtre(boite);
    ResultatFiltre r;
    r.texte = texte;
    if (!f) return r;

    if (f->valeur == GenreValeur::Texte) {
        // Any character but those that would break the file's items; each
        // refused character is dropped with one beep for the change.
        QString propre;
        for (QChar c : texte)
            if (!caractereInterditTexteLibre(c)) propre += c;
        if (propre.size() != texte.size()) r.bip = true;
        r.texte = propre;
        if (r.texte.size() >= f->max) r.texte.truncate(f->max);
        return suivantSiPlein(*f, r, ctx);
    }

    if (f->valeur == GenreValeur::Lettre) {
        if (!texte.isEmpty() && (!QLatin1String(f->permis).contains(texte.front()) || texte.size() > 1)) {
            r.texte.clear();
            r.focus = ResultatFiltre::Focus::Soi;
            return r;
        }
        return suivantSiPlein(*f, r, ctx);
    }

    // Step 1: a character that is not allowed empties the box, silently.
    if (!tousPermis(r.texte, f->permis)) r.texte.clear();
    // Step 3: too long or out of range: beep, empty, keep the focus.
    if (f->valeur != GenreValeur::Aucune) {
        if (r.texte.size() > f->max || horsLimites(*f, r.texte)) {
            r.texte.clear();
            r.bip = true;
            r.focus = ResultatFiltre::Focus::Soi;
            return r;
        }
    }
    // Step 4: a full box passes the focus on.
    return suivantSiPlein(*f, r, ctx);
}

bool caractereRefuse(Champ boite, const QString& texte) {
    const Filtre* f = filtre(boite);
    if (!f || !f->permis) return false;
    return !tousPermis(texte, f->permis);
}

platform::EditVerdict jugeSaisie(Champ boite, const QString& propose, const ContexteFiltre& ctx)
{
    using platform::EditVerdict;
    const Filtre* f = filtre(boite);
    if (!f) return EditVerdict::accept(propose);
    if (f->valeur == GenreValeur::Texte) {
        for (QChar c : propose)
            if (caractereInterditTexteLibre(c)) return EditVerdict::refuse();
        // A text longer than the box is cut; a key into the full box is
        // thereby refused (the rule refuses a cut that changes nothing).
        return EditVerdict::accept(propose.left(f->max));
    }
    // A character the box does not allow, or a text longer than the box
    // (also in the boxes that check their range only on leaving, which
    // refuse it there).
    if (caractereRefuse(boite, propose) || propose.size() > f->max) return EditVerdict::refuse();
    // Out of range, a second letter, or an empty box that reads outside
    // the range (the high stop): the filter would empty the box.
    const ResultatFiltre r = filtreChangement(boite, propose, ctx);
    if (r.bip || r.texte != propose) return EditVerdict::refuse();
    return EditVerdict::accept(propose);
}

bool aVerificationSortie(Champ boite) {
    return boite == Champ::AutoVit || boite == Champ::ManVit || boite == Champ::AngDecr || boite == Champ::Range8b ||
           boite == Champ::Off8b;
}

bool range8bValide(const QString& texte, const QString& legendeInput) {
    const float v = float(platform::Val(texte));
    if (legendeInput == LegendeSignal) return texte.size() < 3 && v >= 20.0f && v <= 51.0f;
    return texte.size() < 4 && v >= 90.0f && v <= 400.0f;
}

bool off8bValide(const QString& texte, const QString& legendeInput) {
    const float v = float(platform::Val(texte));
    if (legendeInput == LegendeSignal) return texte.size() < 4 && v >= 0.0f && v <= 10.0f;
    return texte.size() < 5 && v >= -180.0f && v <= 180.0f;
}

ResultatFiltre verificationSortie(Champ boite, const QString& texte, const ContexteFiltre& ctx) {
    ResultatFiltre r;
    r.texte = texte;
    if (texte.isEmpty() || !aVerificationSortie(boite)) return r;
    bool valide = true;
    switch (boite) {
    case Champ::AutoVit:
    case Champ::ManVit: {
        const float v = float(platform::Val(texte));
        valide = v >= 0.2f && v <= 1.0f;
        break;
    }
    case Champ::AngDecr: {
        const auto n = entier16(texte);
        valide = n && *n >= 5 && *n <= 45;
        break;
    }
    case Champ::Range8b:
        valide = range8bValide(texte, ctx.legendeInput);
        break;
    case Champ::Off8b:
        valide = off8bValide(texte, ctx.legendeInput);
        break;
    default:
        break;
    }
    if (!valide) {
        r.texte.clear();
        r.bip = true;
        r.focus = ResultatFiltre::Focus::Soi;
    }
    return r;
}

} // namespace corvinet
