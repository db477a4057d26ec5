#include "Corvinet/FichierStation.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <cmath>

namespace corvinet {

namespace {

constexpr std::array<InfoChamp, NbChamps> tableChamps{{
    {Champ::Indic, "Indic", 3, Sorte::Texte},
    {Champ::Lieu, "Lieu", 5, Sorte::Texte},
    {Champ::LatDeg, "LatDeg", 7, Sorte::Texte},
    {Champ::LatMin, "LatMin", 9, Sorte::Texte},
    {Champ::LatSec, "LatSec", 11, Sorte::Texte},
    {Champ::LatSig, "LatSig", 13, Sorte::Texte},
    {Champ::LonDeg, "LonDeg", 15, Sorte::Texte},
    {Champ::LonMin, "LonMin", 17, Sorte::Texte},
    {Champ::LonSec, "LonSec", 19, Sorte::Texte},
    {Champ::LonSig, "LonSig", 21, Sorte::Texte},
    {Champ::Altitude, "Altitude", 23, Sorte::Texte},
    {Champ::DecHor, "DecHor", 25, Sorte::Texte},
    {Champ::PortCom, "PortCom", 28, Sorte::Texte},
    {Champ::TypeMesure, "TypeMesure", 30, Sorte::TypeMesure},
    {Champ::Range8b, "Range8b", 32, Sorte::Texte},
    {Champ::Off8b, "Off8b", 34, Sorte::Texte},
    {Champ::AutoVit, "AutoVit", 36, Sorte::Texte},
    {Champ::AngDecr, "AngDecr", 38, Sorte::Texte},
    {Champ::ManVit, "ManVit", 40, Sorte::Texte},
    {Champ::SpeedControl, "SpeedControl", 42, Sorte::SpeedControl},
    {Champ::AzimOf, "AzimOf", 45, Sorte::Texte},
    {Champ::AzimOn, "AzimOn", 47, Sorte::Texte},
    {Champ::ButeeG, "ButeeG", 49, Sorte::Texte},
    {Champ::ButeeD, "ButeeD", 51, Sorte::Texte},
    {Champ::ParkAz, "ParkAz", 53, Sorte::Texte},
    {Champ::OffAz, "OffAz", 55, Sorte::Texte},
    {Champ::RangAz, "RangAz", 57, Sorte::Texte},
    {Champ::FormatAz, "FormatAz", 59, Sorte::Legende},
    {Champ::UniteAz, "UniteAz", 61, Sorte::Legende},
    {Champ::AzStop, "AzStop", 63, Sorte::Coche},
    {Champ::ElevOf, "ElevOf", 66, Sorte::Texte},
    {Champ::ElevOn, "ElevOn", 68, Sorte::Texte},
    {Champ::ButeeB, "ButeeB", 70, Sorte::Texte},
    {Champ::ButeeH, "ButeeH", 72, Sorte::Texte},
    {Champ::ParkEl, "ParkEl", 74, Sorte::Texte},
    {Champ::OffEl, "OffEl", 76, Sorte::Texte},
    {Champ::RangEl, "RangEl", 78, Sorte::Texte},
    {Champ::FormatEl, "FormatEl", 80, Sorte::Legende},
    {Champ::UniteEl, "UniteEl", 82, Sorte::Legende},
    {Champ::ElStop, "ElStop", 84, Sorte::Coche},
    {Champ::Freq, "Freq", 87, Sorte::Texte},
    {Champ::Power, "Power", 89, Sorte::Texte},
    {Champ::TxLoss, "TxLoss", 91, Sorte::Texte},
    {Champ::RxLoss, "RxLoss", 93, Sorte::Texte},
    {Champ::Noise, "Noise", 95, Sorte::Texte},
    {Champ::Band, "Band", 97, Sorte::Texte},
    {Champ::Gain, "Gain", 99, Sorte::Texte},
}};

// Titles and labels by line; value lines are filled from tableChamps.
struct TitreOuEtiquette {
    int ligne;
    const char* texte;
};
constexpr TitreOuEtiquette tableTextes[] = {
    {1, "COORDONATES"},
    {2, "Call sign:"},
    {4, "Location:"},
    {6, "Latitude Deg:"},
    {8, "Latitude Min:"},
    {10, "Latitude Sec:"},
    {12, "Latitude N/S:"},
    {14, "Longitude Deg:"},
    {16, "Longitude Min:"},
    {18, "Longitude Sec:"},
    {20, "Longitude E/W:"},
    {22, "Height:"},
    {24, "PC Time UTC+/-:"},
    {26, "PC INTERFACE"},
    {27, "Com Port:"},
    {29, "Meas 8bits"},
    {31, "Range"},
    {33, "Offset"},
    {35, "Auto Speed"},
    {37, "Ang Decr"},
    {39, "Man Speed"},
    {41, "Speed control"},
    {43, "AZIMUT"},
    {44, "Drive Stop:"},
    {46, "Drive Start:"},
    {48, "Endstop CCW:"},
    {50, "Endstop CW:"},
    {52, "Parking:"},
    {54, "Offset:"},
    {56, "Range:"},
    {58, "Format:"},
    {60, "Unit:"},
    {62, "Encoder w/o stop"},
    {64, "ELEVATION"},
    {65, "Drive Stop:"},
    {67, "Drive Start:"},
    {69, "Endstop Low:"},
    {71, "Endstop High:"},
    {73, "Parking:"},
    {75, "Offset:"},
    {77, "Range:"},
    {79, "Format:"},
    {81, "Unit:"},
    {83, "Encoder w/o stop"},
    {85, "EME STATION"},
    {86, "Frequency:"},
    {88, "Tx Power Output:"},
    {90, "Tx Feed Loss:"},
    {92, "Rx Feed Loss:"},
    {94, "Rx Noise Figure:"},
    {96, "Rx Bandwith:"},
    {98, "Antenna Gain:"},
};

std::array<LigneStation, NbLignesStation> construitLignes() {
    std::array<LigneStation, NbLignesStation> l;
    for (const auto& t : tableTextes) l[size_t(t.ligne - 1)].texte = QString::fromLatin1(t.texte);
    for (const auto& c : tableChamps) l[size_t(c.ligne - 1)].champ = c.champ;
    return l;
}

} // namespace

const std::array<InfoChamp, NbChamps>& champs() { return tableChamps; }

const InfoChamp& info(Champ c) { return tableChamps[size_t(indice(c))]; }

std::optional<Champ> champParNom(const QString& nom) {
    for (const auto& c : tableChamps)
        if (nom == QLatin1String(c.nom)) return c.champ;
    return std::nullopt;
}

const std::array<LigneStation, NbLignesStation>& lignesStation() {
    static const std::array<LigneStation, NbLignesStation> lignes = construitLignes();
    return lignes;
}

QStringList ecritureLignesStation(const ValeursStation& v) {
    QStringList out;
    out.reserve(NbLignesStation);
    for (const LigneStation& l : lignesStation()) {
        if (!l.champ) {
            out << l.texte;
            continue;
        }
        const QString& t = v[*l.champ];
        switch (info(*l.champ).sorte) {
        case Sorte::Texte:
        case Sorte::Legende:
            out << t;
            break;
        case Sorte::TypeMesure:
            out << (t == LegendeSignal ? QStringLiteral("Signal") : QStringLiteral("Polar"));
            break;
        case Sorte::SpeedControl:
            out << (t.isEmpty() ? QStringLiteral(" 0") : QStringLiteral(" ") + t);
            break;
        case Sorte::Coche:
            out << (t == QLatin1String("1") ? QStringLiteral(" 1") : QStringLiteral(" 0"));
            break;
        }
    }
    return out;
}

QByteArray ecritureOctetsStation(const ValeursStation& v) {
    QByteArray b;
    for (const QString& l : ecritureLignesStation(v)) {
        b += l.toLatin1();
        b += "\r\n";
    }
    return b;
}

QStringList itemsStation(const QString& texteFichier, int maxItems) {
    platform::ItemReader r(texteFichier);
    QStringList items;
    QString item;
    while (items.size() < maxItems && r.next(item)) items << item;
    return items;
}

LectureStation lectureStation(const QString& texteFichier) {
    LectureStation res;
    const QStringList items = itemsStation(texteFichier);
    res.items = int(items.size());
    const auto& lignes = lignesStation();
    for (int i = 0; i < int(items.size()); ++i) {
        const LigneStation& l = lignes[size_t(i)];
        const QString& item = items[i];
        if (!l.champ) {
            // The drive-mode options are cleared once their label is read.
            if (i + 1 == info(Champ::SpeedControl).ligne - 1)
                res.actions.push_back({ActionLecture::Genre::EffaceModes, Champ::SpeedControl, {}, 0});
            continue;
        }
        const Champ c = *l.champ;
        ActionLecture a{ActionLecture::Genre::Valeur, c, {}, 0};
        switch (info(c).sorte) {
        case Sorte::Texte:
            a.texte = item;
            break;
        case Sorte::TypeMesure:
            a.texte = item == QLatin1String("Signal") ? LegendeSignal : LegendePolar;
            break;
        case Sorte::SpeedControl: {
            const auto n = entier16(item);
            if (!n || *n < 0 || *n > 2) {
                res.erreur = true;
                return res;
            }
            a.nombre = *n;
            break;
        }
        case Sorte::Legende: {
            const bool format = c == Champ::FormatAz || c == Champ::FormatEl;
            const bool valide = format ? (item == QLatin1String("BIN") || item == QLatin1String("BCD"))
                                       : (item == QLatin1String("Deg") || item == QLatin1String("Grd"));
            if (!valide) {
                res.erreur = true;
                return res;
            }
            a.texte = item;
            break;
        }
        case Sorte::Coche: {
            const auto n = entier16(item);
            if (!n || (*n != 0 && *n != 1)) {
                res.erreur = true;
                return res;
            }
            a.nombre = *n;
            break;
        }
        }
        res.actions.push_back(a);
    }
    res.erreur = items.size() < NbLignesStation;
    return res;
}

std::optional<int> entier16(const QString& texte) {
    try {
        return platform::CInt(platform::Val(texte));
    } catch (const platform::OverflowError&) {
        return std::nullopt;
    }
}

QString decalageAffiche(const QString& texteBoite) {
    if (texteBoite.isEmpty() || platform::Val(texteBoite) < 0) return texteBoite;
    const std::optional<int> arrondi = entier16(texteBoite);
    if (!arrondi) return texteBoite;
    const int n = *arrondi;
    return n < 10 ? QStringLiteral("+ ") + QString::number(n) : QStringLiteral("+") + QString::number(n);
}

bool nomFichierAccepte(const QString& nom) {
    if (nom.size() < 5 || nom.size() > 12) return false;
    if (!nom.right(4).toLower().endsWith(QLatin1String(".dat"))) return false;
    return platform::isBareFileName(nom);
}

bool fichierAbsent(const QStringList& liste, const QString& nom) {
    const QString cherche = nom.toLower();
    for (const QString& n : liste)
        if (n.toLower() == cherche) return false;
    return true;
}

} // namespace corvinet
