#include "Calculator/Filtres.h"

#include "platform/Text.h"

#include <cmath>

namespace brulvane {

RegleBoite RegleDe(Boite b) {
    switch (b) {
    case Boite::HP_TxPower:
    case Boite::DP_TxPower:
        return {true, 5, 99999.0f};
    case Boite::HP_TxLoss:
    case Boite::DP_TxLoss:
    case Boite::Hp_RxLoss:
    case Boite::DP_RxLoss:
    case Boite::HP_RxNF:
    case Boite::DP_RxNF:
        return {true, 4, 9.99f};
    case Boite::HP_AntGain:
    case Boite::DP_AntGain:
        return {true, 5, 99.99f};
    case Boite::HP_RxBW:
    case Boite::DP_RxBW:
    case Boite::SkyTemp:
    case Boite::HP_Frequence:
        break;
    }
    return {false, 5, 99999.0f};
}

ActionFiltre FiltreBoite(Boite b, const QString& texte) {
    const RegleBoite regle = RegleDe(b);
    for (QChar c : texte) {
        const bool chiffre = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!chiffre && !(regle.pointPermis && c == QLatin1Char('.')))
            return ActionFiltre::Vide;
    }
    // The length is tested before the value is taken, so that a long run of
    // digits is never rounded into an integer it does not fit.
    if (texte.size() > regle.longueurMax)
        return ActionFiltre::Refuse;
    const double v = platform::Val(texte);
    if (regle.pointPermis) {
        const float vs = static_cast<float>(v);
        if (vs > regle.valeurMax || vs < 0.0f)
            return ActionFiltre::Refuse;
    } else {
        const int32_t vi = platform::CLng(v); // at most 5 digits: always fits
        if (vi > regle.valeurMax || vi < 0)
            return ActionFiltre::Refuse;
    }
    return ActionFiltre::Accepte;
}

platform::EditVerdict JugeSaisie(Boite b, const QString& propose) {
    if (FiltreBoite(b, propose) != ActionFiltre::Accepte)
        return platform::EditVerdict::refuse();
    return platform::EditVerdict::accept(propose);
}

QString TemperatureCielDefaut(double frequence) {
    QString t = QStringLiteral("5");
    if (frequence < 1000.0)
        t = QStringLiteral("20");
    if (frequence < 400.0)
        t = QStringLiteral("220");
    return t;
}

int32_t FrequenceEntiere(const QString& texte) {
    const double v = platform::Val(texte);
    if (!std::isfinite(v) || std::fabs(v) > 2.0e9)
        return 0;
    return platform::CLng(v);
}

} // namespace brulvane
