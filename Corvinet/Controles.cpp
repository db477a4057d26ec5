#include "Corvinet/Controles.h"

#include "Corvinet/Filtres.h"
#include "platform/Text.h"

namespace corvinet {

namespace {

double val(const ValeursStation& v, Champ c) { return platform::Val(v[c]); }

ResultatControle arretBoite(Champ c, int onglet) {
    ResultatControle r;
    r.onglet = onglet;
    r.arret = Arret{QLatin1String(info(c).nom), c, onglet, {}, {}};
    return r;
}

ResultatControle arretRegle(const char* regle, int onglet, const char* faute, std::vector<Champ> videes, Champ focus) {
    ResultatControle r;
    r.onglet = onglet;
    r.arret = Arret{QLatin1String(regle), focus, onglet, QString::fromLatin1(faute), std::move(videes)};
    return r;
}

bool contientInterdit(const QString& t) {
    for (QChar c : t)
        if (caractereInterditTexteLibre(c)) return true;
    return false;
}

} // namespace

QString texteErreurDonnee(const QString& faute) {
    return QStringLiteral("The error was :\r\r") + faute + QStringLiteral("\r\rEnter new value !!!");
}

ResultatControle controleSaisie(const ValeursStation& v) {
    // Tab 0: the station's place and clock.
    if (v[Champ::Indic].isEmpty() || contientInterdit(v[Champ::Indic])) return arretBoite(Champ::Indic, 0);
    if (contientInterdit(v[Champ::Lieu])) return arretBoite(Champ::Lieu, 0);
    for (Champ c : {Champ::LatDeg, Champ::LatMin, Champ::LatSec, Champ::LatSig, Champ::LonDeg, Champ::LonMin,
                    Champ::LonSec, Champ::LonSig, Champ::Altitude, Champ::DecHor})
        if (v[c].isEmpty()) return arretBoite(c, 0);

    // Tab 1: the interface box.
    if (v[Champ::PortCom].isEmpty()) return arretBoite(Champ::PortCom, 1);
    if (val(v, Champ::PortCom) > 0) {
        const QString& legende = v[Champ::TypeMesure];
        // An out-of-range input would be scaled wrongly, a range of 0 divides
        // by zero in the tracking program: both count as missing.
        if (v[Champ::Range8b].isEmpty() || !range8bValide(v[Champ::Range8b], legende))
            return arretBoite(Champ::Range8b, 1);
        if (v[Champ::Off8b].isEmpty() || !off8bValide(v[Champ::Off8b], legende)) return arretBoite(Champ::Off8b, 1);
        auto horsVitesse = [&](Champ c) {
            const double x = val(v, c);
            return !v[c].isEmpty() && (x < 0.2 || x > 1);
        };
        if (horsVitesse(Champ::AutoVit)) return arretBoite(Champ::AutoVit, 1);
        const double ang = val(v, Champ::AngDecr);
        if (!v[Champ::AngDecr].isEmpty() && (ang < 5 || ang > 45)) return arretBoite(Champ::AngDecr, 1);
        if (horsVitesse(Champ::ManVit)) return arretBoite(Champ::ManVit, 1);
        // No drive mode is chosen only after a file that failed to read there.
        if (v[Champ::SpeedControl].isEmpty()) return arretBoite(Champ::SpeedControl, 1);
    }

    // Tab 4: the EME station.
    auto videOuNonPositif = [&](Champ c) { return v[c].isEmpty() || val(v, c) <= 0; };
    if (videOuNonPositif(Champ::Freq)) return arretBoite(Champ::Freq, 4);
    if (videOuNonPositif(Champ::Power)) return arretBoite(Champ::Power, 4);
    if (v[Champ::TxLoss].isEmpty()) return arretBoite(Champ::TxLoss, 4);
    if (v[Champ::RxLoss].isEmpty()) return arretBoite(Champ::RxLoss, 4);
    if (videOuNonPositif(Champ::Noise)) return arretBoite(Champ::Noise, 4);
    if (videOuNonPositif(Champ::Band)) return arretBoite(Champ::Band, 4);
    if (videOuNonPositif(Champ::Gain)) return arretBoite(Champ::Gain, 4);

    ResultatControle r;
    r.ok = true;
    r.onglet = 4;
    return r;
}

ResultatControle controleCoherence(const ValeursStation& v) {
    if (val(v, Champ::PortCom) <= 0) {
        ResultatControle r;
        r.ok = true;
        return r;
    }

    // Azimuth, tab 2. CW is ButeeD, CCW ButeeG; CW <= CCW is a travel across north.
    auto vide = [&](Champ c) { return v[c].isEmpty(); };
    if (vide(Champ::AzimOf)) return arretBoite(Champ::AzimOf, 2);
    if (vide(Champ::AzimOn)) return arretBoite(Champ::AzimOn, 2);
    if (val(v, Champ::AzimOf) >= val(v, Champ::AzimOn))
        return arretRegle("3", 2, "Drive Stop >= Drive Start", {Champ::AzimOn, Champ::AzimOf}, Champ::AzimOn);
    if (vide(Champ::ButeeG)) return arretBoite(Champ::ButeeG, 2);
    if (vide(Champ::ButeeD)) return arretBoite(Champ::ButeeD, 2);
    const double ccw = val(v, Champ::ButeeG);
    const double cw = val(v, Champ::ButeeD);
    // Equal stops leave no travel; the tracking program refuses them.
    if (ccw == cw) return arretRegle("5a", 2, "Endstop : CCW = CW", {Champ::ButeeG, Champ::ButeeD}, Champ::ButeeG);
    const bool binAz = v[Champ::FormatAz] == QLatin1String("BIN");
    if (binAz) {
        if (vide(Champ::RangAz)) return arretBoite(Champ::RangAz, 2);
        const double rang = val(v, Champ::RangAz);
        if (cw > ccw && cw - ccw > rang)
            return arretRegle("7", 2, "Range < CW - CCW Endstops", {Champ::ButeeG, Champ::ButeeD, Champ::RangAz},
                              Champ::ButeeG);
        if (cw <= ccw && 360 - (ccw - cw) > rang)
            return arretRegle("8", 2, "Range < CCW - CW Endstops", {Champ::ButeeG, Champ::ButeeD, Champ::RangAz},
                              Champ::ButeeG);
    }
    if (vide(Champ::ParkAz)) return arretBoite(Champ::ParkAz, 2);
    const double park = val(v, Champ::ParkAz);
    if (cw > ccw && (park < ccw || park > cw))
        return arretRegle("10", 2, "CW > Parking or Parking > CCW", {Champ::ButeeG, Champ::ButeeD, Champ::ParkAz},
                          Champ::ParkAz);
    if (cw <= ccw && cw < park && park < ccw)
        return arretRegle("11", 2, "CCW > Parking And Parking > CW", {Champ::ButeeG, Champ::ButeeD, Champ::ParkAz},
                          Champ::ParkAz);
    if (vide(Champ::OffAz)) return arretBoite(Champ::OffAz, 2);
    if (v[Champ::AzStop] != QLatin1String("1")) {
        // A negative offset is the same direction as offset + 360.
        double off = val(v, Champ::OffAz);
        if (off < 0) off += 360;
        if (cw > ccw && ccw < off && off < cw)
            return arretRegle("13", 2, "Offset < CW And Offset > CCW", {Champ::ButeeG, Champ::ButeeD, Champ::OffAz},
                              Champ::ButeeG);
        if (cw <= ccw && (off > ccw || off < cw))
            return arretRegle("14", 2, "Offset < CW or Offset > CCW", {Champ::ButeeG, Champ::ButeeD, Champ::OffAz},
                              Champ::ButeeG);
    }

    // Elevation, tab 3.
    if (vide(Champ::ElevOf)) return arretBoite(Champ::ElevOf, 3);
    if (vide(Champ::ElevOn)) return arretBoite(Champ::ElevOn, 3);
    if (val(v, Champ::ElevOf) >= val(v, Champ::ElevOn))
        return arretRegle("17", 3, "Drive Stop >= Drive Start", {Champ::ElevOn, Champ::ElevOf}, Champ::ElevOn);
    if (vide(Champ::ButeeB)) return arretBoite(Champ::ButeeB, 3);
    if (vide(Champ::ButeeH)) return arretBoite(Champ::ButeeH, 3);
    const double bas = val(v, Champ::ButeeB);
    const double haut = val(v, Champ::ButeeH);
    if (bas >= haut) return arretRegle("20", 3, "Endstop : Low >= High", {Champ::ButeeB, Champ::ButeeH}, Champ::ButeeB);
    if (v[Champ::FormatEl] == QLatin1String("BIN")) {
        if (vide(Champ::RangEl)) return arretBoite(Champ::RangEl, 3);
        if (haut - bas > val(v, Champ::RangEl))
            return arretRegle("22", 3, "Range < High - Low Endstops", {Champ::ButeeH, Champ::ButeeB, Champ::RangEl},
                              Champ::ButeeB);
    }
    if (vide(Champ::ParkEl)) return arretBoite(Champ::ParkEl, 3);
    const double parkEl = val(v, Champ::ParkEl);
    if (parkEl < bas || parkEl > haut)
        return arretRegle("24", 3, "Low > Parking or Parking > High", {Champ::ButeeB, Champ::ButeeH, Champ::ParkEl},
                          Champ::ParkEl);
    if (vide(Champ::OffEl)) return arretBoite(Champ::OffEl, 3);
    if (v[Champ::ElStop] != QLatin1String("1")) {
        const double off = val(v, Champ::OffEl);
        if (off > bas || off > haut)
            return arretRegle("26", 3, "Offset > Low or Offset > High", {Champ::ButeeB, Champ::ButeeH, Champ::OffEl},
                              Champ::ButeeB);
    }

    ResultatControle r;
    r.ok = true;
    r.onglet = 0;
    return r;
}

} // namespace corvinet
