#include "Planner/PlannerIni.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace planner {

namespace {
const char* const Etiquettes[] = {"UTC Com Win:Top-Left-Icone",        "Prevision:Top-Left-Icone",
                                  "Prevision_Com_Win:Top-Left-Icone",  "CommonWindow:Top-Left-Icone",
                                  "Station-DX:Top-Left-Icone",         "Sky:Top-Left-Icone",
                                  "Generale:Height-Width-Top-Left",    "Options:Step-MoonVisible"};
// Numbers in each block, and the index of its first number among the 24.
constexpr int Tailles[8] = {3, 3, 3, 3, 3, 3, 4, 2};
constexpr int Premiers[8] = {0, 3, 6, 9, 12, 15, 18, 22};

// The block whose label `item` is, or -1.
int bloc(const QString& item) {
    const QString t = item.trimmed();
    for (int b = 0; b < 8; ++b)
        if (t == QLatin1String(Etiquettes[b]))
            return b;
    return -1;
}

// A number as the station item rule writes one (blanks anywhere, a sign,
// digits with at most one point), held in 16 bits; empty otherwise.
std::optional<int16_t> nombre(const QString& item) {
    static const QRegularExpression forme(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    QString t = item;
    t.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    if (!forme.match(t).hasMatch())
        return std::nullopt;
    try {
        return platform::CInt(platform::Val(t));
    } catch (const platform::OverflowError&) {
        return std::nullopt;
    }
}
} // namespace

int16_t en16(long long n) { return int16_t(std::clamp<long long>(n, INT16_MIN, INT16_MAX)); }

QStringList lignesPlannerIni(const ValeursIni& v) {
    using platform::Str;
    QStringList l;
    for (int i = 0; i < 6; ++i) {
        l << QString::fromLatin1(Etiquettes[i]) << Str(v.Fenetres[i].Top) << Str(v.Fenetres[i].Left)
          << Str(v.Fenetres[i].Icone);
    }
    l << QString::fromLatin1(Etiquettes[6]) << Str(v.Height) << Str(v.Width) << Str(v.Top) << Str(v.Left);
    l << QString::fromLatin1(Etiquettes[7]) << Str(v.Step) << Str(v.MoonVisible);
    return l;
}

LectureIni lirePlannerIni(const QString& path) {
    LectureIni r;
    const auto texte = platform::readText(path);
    if (!texte) {
        r.erreur = true;
        return r;
    }
    platform::ItemReader lecteur(*texte);
    std::vector<QString> items;
    for (QString item; lecteur.next(item);)
        items.push_back(item);
    // The 32 items in order: block b's label, then its numbers.
    int b = 0, k = -1; // k = -1: the label of block b is due
    for (const QString& item : items) {
        if (b >= 8)
            break;
        const int etiquette = bloc(item);
        if (etiquette >= 0 && (k >= 0 || etiquette != b)) {
            // A label out of its place: the numbers before it that are due
            // are missing, and its block starts here.
            r.erreur = true;
            b = etiquette;
            k = 0;
            continue;
        }
        const auto n = nombre(item);
        if (k < 0) {
            // The label due (its text is not compared); a number there means
            // that the label's line is missing, and it is the block's first.
            k = 0;
            if (!n)
                continue;
            r.erreur = true;
        }
        r.nombres[size_t(Premiers[b] + k)] = n;
        r.erreur = r.erreur || !n;
        if (++k == Tailles[b]) {
            ++b;
            k = -1;
        }
    }
    if (std::any_of(r.nombres.begin(), r.nombres.end(), [](const auto& n) { return !n; }))
        r.erreur = true;
    return r;
}

} // namespace planner
