#include "Tracking/TrackIni.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <optional>

namespace suivi {

QStringList lignesTrackIni(const TrackIni& t)
{
    auto n = [](int v) { return platform::CStr(v); };
    return {QStringLiteral("Interface:Active-Top-Left-Icone"), n(t.InterfaceTop), n(t.InterfaceLeft),
            n(t.InterfaceEtat == 1 ? 1 : 0), QStringLiteral("Generale:Height-Width-Top-Left"),
            n(t.PrincipaleTop), n(t.PrincipaleLeft), n(t.CarteMonde ? 1 : 0),
            QStringLiteral("Display:parameters"), n(t.Absolu ? 1 : 0), n(t.Mesure ? 1 : 0),
            n(t.Paysage ? 1 : 0)};
}

namespace {
// A whole number with blanks around it, rounded; nullopt when the text is
// not one or does not fit 32 bits.
std::optional<int32_t> entier(const QString& s)
{
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    try {
        return platform::CLng(v);
    } catch (const platform::OverflowError&) {
        return std::nullopt;
    }
}
} // namespace

bool lireTrackIni(const QString& path, TrackIni& t)
{
    const std::optional<QString> texte = platform::readText(path);
    if (!texte)
        return false;
    platform::ItemReader lecteur(*texte);
    QString item;
    for (int ligne = 1; ligne <= 12; ++ligne) {
        if (!lecteur.next(item))
            return false;
        if (ligne == 1 || ligne == 5 || ligne == 9)
            continue;
        const std::optional<int32_t> v = entier(item);
        if (!v)
            return false;
        switch (ligne) {
        case 2: t.InterfaceTop = *v; break;
        case 3: t.InterfaceLeft = *v; break;
        case 4: t.InterfaceEtat = *v; break;
        case 6: t.PrincipaleTop = *v; break;
        case 7: t.PrincipaleLeft = *v; break;
        case 8: t.CarteMonde = *v != 0; break;
        case 10: t.Absolu = *v != 0; break;
        case 11: t.Mesure = *v != 0; break;
        case 12: t.Paysage = *v != 0; break;
        default: break;
        }
    }
    return true;
}

} // namespace suivi
