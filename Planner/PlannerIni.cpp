#include "Planner/PlannerIni.h"

#include "platform/Files.h"
#include "platform/Text.h"

namespace planner {

namespace {
const char* const Etiquettes[] = {"UTC Com Win:Top-Left-Icone", "Prevision:Top-Left-Icone",
                                  "Prevision_Com_Win:Top-Left-Icone", "CommonWindow:Top-Left-Icone",
                                  "Station-DX:Top-Left-Icone", "Sky:Top-Left-Icone"};
}

QStringList lignesPlannerIni(const ValeursIni& v) {
    using platform::Str;
    QStringList l;
    for (int i = 0; i < 6; ++i) {
        l << QString::fromLatin1(Etiquettes[i]) << Str(v.Fenetres[i].Top) << Str(v.Fenetres[i].Left)
          << Str(v.Fenetres[i].Icone);
    }
    l << QStringLiteral("Generale:Height-Width-Top-Left") << Str(v.Height) << Str(v.Width) << Str(v.Top)
      << Str(v.Left);
    l << QStringLiteral("Options:Step-MoonVisible") << Str(v.Step) << Str(v.MoonVisible);
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
    QString item;
    // Items 1..32: a label before each block of 3 (or 4, then 2) numbers.
    const int tailles[] = {3, 3, 3, 3, 3, 3, 4, 2};
    for (int bloc = 0; bloc < 8; ++bloc) {
        if (!lecteur.next(item)) {
            r.erreur = true;
            return r;
        }
        for (int k = 0; k < tailles[bloc]; ++k) {
            if (!lecteur.next(item)) {
                r.erreur = true;
                return r;
            }
            try {
                r.nombres.push_back(platform::CLng(platform::Val(item)));
            } catch (const platform::OverflowError&) {
                r.erreur = true;
                return r;
            }
        }
    }
    return r;
}

} // namespace planner
