#include "Calculator/Stations.h"

#include "platform/Text.h"

namespace brulvane {

StationHome LectureStationHome(const QString& chemin) {
    StationHome st;
    const auto texte = platform::readText(chemin);
    if (!texte)
        return st;
    platform::ItemReader lecteur(*texte);
    QString item;
    // Title, "Call sign:", then the call sign.
    if (!lecteur.next(item) || !lecteur.next(item) || !lecteur.next(item))
        return st;
    st.Indic = item;
    // "Location:" and the location, then up to the EME section's title.
    if (!lecteur.next(item) || !lecteur.next(item))
        return st;
    do {
        if (!lecteur.next(item))
            return st;
    } while (item != QLatin1String(TitreEME));
    // "Frequency:", then seven values with their labels between them.
    if (!lecteur.next(item))
        return st;
    for (int i = 0; i < 7; ++i) {
        if (i > 0 && !lecteur.next(item))
            return st;
        if (!lecteur.next(item))
            return st;
        st.valeurs[i] = item;
    }
    st.lu = true;
    return st;
}

bool VerifieStationHome(const std::array<QString, 7>& valeurs) {
    double v[7];
    for (int i = 0; i < 7; ++i)
        v[i] = platform::Val(valeurs[i]);
    return v[0] > 0 && v[0] <= 99999 && //
           v[1] > 0 && v[1] <= 99999 &&  //
           v[2] >= 0 && v[2] < 10 &&     //
           v[3] >= 0 && v[3] < 10 &&     //
           v[4] > 0 && v[4] < 10 &&      //
           v[5] > 0 && v[5] < 100000 &&  //
           v[6] > 0 && v[6] < 100;
}

StationDX LectureStationDX(const QString& chemin) {
    StationDX st;
    const auto texte = platform::readText(chemin);
    if (!texte)
        return st;
    platform::ItemReader lecteur(*texte);
    QString item;
    if (!lecteur.next(item))
        return st;
    for (int i = 0; i < 6; ++i) {
        if (!lecteur.next(item) || !lecteur.next(item))
            return st;
        st.valeurs[i] = item;
        st.nombreLus = i + 1;
    }
    st.lu = true;
    return st;
}

QStringList LignesStationDX(const ValeursDX& v) {
    return {QStringLiteral("DX Station parameters"),
            QStringLiteral("Tx Power Output"), v[0],
            QStringLiteral("Tx Feed Loss"), v[1],
            QStringLiteral("Rx Feed Loss"), v[2],
            QStringLiteral("Rx Noise Figure"), v[3],
            QStringLiteral("Rx Bandwith"), v[4],
            QStringLiteral("Antenna gain"), v[5]};
}

platform::SaveResult SauveStationDX(const QString& chemin, const ValeursDX& valeurs,
                                    const platform::SaveFaults& fautes) {
    return platform::saveLines(chemin, LignesStationDX(valeurs), fautes);
}

} // namespace brulvane
