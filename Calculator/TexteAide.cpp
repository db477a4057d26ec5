#include "Calculator/TexteAide.h"

#include <QStringList>

namespace brulvane {

QString TexteAide() {
    const QList<QStringList> groupes{
        {QStringLiteral("- The Antenna temp. includes the Sky temp., the Earth temp."),
         QStringLiteral("    and the side lobes, the rear lobe or spillover effects.")},
        {QStringLiteral("- The Syst\u00e8me temp. includes the Antenna temp.")},
        {QStringLiteral("- The Excess Moon noise includes the moon noise power"),
         QStringLiteral("    density in the antenna beam.")},
        {QStringLiteral("- The total noise adds the moon noise power density"),
         QStringLiteral("    and the system noise.")},
        {QStringLiteral("- The Home and DX signals are the received signals"),
         QStringLiteral("    including the pathloss, the antenna gain, the TX power"),
         QStringLiteral("    and the Tx Loss.")},
        {QStringLiteral("- The Signal + Noise to Noise ratio (Home and DX)"),
         QStringLiteral("    includes the bandwith of the receiver.")},
        {QStringLiteral("- You can modify the Home and DX stations parameters,"),
         QStringLiteral("    the Sky temp., the Moon range and the frequency.")},
    };
    QString texte;
    for (const QStringList& g : groupes) {
        for (const QString& ligne : g)
            texte += ligne + QLatin1Char('\n');
        texte += QLatin1Char('\n');
    }
    return texte;
}

} // namespace brulvane
