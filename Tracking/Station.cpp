#include "Tracking/Station.h"

#include "CORRECT/FichierCorrection.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <QStringList>
#include <cmath>
#include <limits>

namespace suivi {

namespace {

// Degrees + (minutes + seconds / 60) / 60, the fraction rounded to single
// precision first; negated unless the hemisphere letter is the positive one.
double angleStation(int16_t deg, int16_t min, int16_t sec, const QString& signe, const QString& positif)
{
    const float f = static_cast<float>((min + sec / 60.0) / 60.0);
    double a = deg + static_cast<double>(f);
    if (signe != positif && signe != positif.toLower())
        a = -a;
    return a;
}

} // namespace

std::optional<StationTrack> lireStation(const QString& path)
{
    const std::optional<QString> texte = platform::readText(path);
    if (!texte)
        return std::nullopt;
    platform::ItemReader lecteur(*texte);
    QStringList items; // items[n - 1] is the item of line n
    QString item;
    while (items.size() < 87 && lecteur.next(item))
        items << item;
    if (items.size() < 87)
        return std::nullopt;
    auto txt = [&](int ligne) { return items.at(ligne - 1); };
    auto num = [&](int ligne) { return platform::Val(txt(ligne)); };
    auto i16 = [&](int ligne) { return platform::CInt(num(ligne)); };
    // A number that does not fit single precision is a read error, as for
    // the integer fields (it would be read as infinity otherwise).
    auto f32 = [&](int ligne) {
        const double v = num(ligne);
        if (!(std::fabs(v) <= std::numeric_limits<float>::max()))
            throw platform::OverflowError();
        return static_cast<float>(v);
    };
    try {
        StationTrack s;
        s.Indic = txt(3);
        s.Lieu = txt(5);
        const int16_t latDeg = i16(7), latMin = i16(9), latSec = i16(11);
        const QString latSig = txt(13);
        const int16_t lonDeg = i16(15), lonMin = i16(17), lonSec = i16(19);
        const QString lonSig = txt(21);
        s.Altitude = i16(23);
        s.DecHor = i16(25);
        s.PortCom = i16(28);
        s.TypeMesure = txt(30);
        s.Range8b = f32(32);
        s.Off8b = f32(34);
        s.AutoVit = f32(36);
        s.AngDecr = f32(38);
        s.ManVit = f32(40);
        s.SpeedControl = i16(42);
        s.AzimOf = f32(45);
        s.AzimOn = f32(47);
        s.ButeeG = i16(49);
        s.ButeeD = i16(51);
        s.ParkAz = i16(53);
        s.OffAz = f32(55);
        if (s.OffAz < 0)
            s.OffAz = s.OffAz + 360;
        s.RangAz = f32(57);
        s.FormatAz = txt(59);
        s.UniteAz = txt(61);
        s.AzStop = i16(63);
        s.ElevOf = f32(66);
        s.ElevOn = f32(68);
        s.ButeeB = i16(70);
        s.ButeeH = i16(72);
        s.ParkEl = i16(74);
        s.OffEl = f32(76);
        s.RangEl = f32(78);
        s.FormatEl = txt(80);
        s.UniteEl = txt(82);
        s.ElStop = i16(84);
        s.Freq = platform::CLng(num(87));
        s.LatitudeStation = angleStation(latDeg, latMin, latSec, latSig, QStringLiteral("N"));
        s.LongitudeStation = angleStation(lonDeg, lonMin, lonSec, lonSig, QStringLiteral("E"));
        s.LongitudeStationHeures = s.LongitudeStation / 15;
        return s;
    } catch (const platform::OverflowError&) {
        return std::nullopt;
    }
}

bool verifierStation(const StationTrack& s)
{
    if (s.Freq == 0 || s.Freq > 99999)
        return false;
    if (s.PortCom < 0 || s.PortCom > 4)
        return false;
    if (s.PortCom == 0)
        return true;
    // What the drive and the measurement cannot use: a drive mode other than
    // 0..2, a measurement range of 0 or below (it divides the raw value), and
    // in the speed modes speeds outside 0.2..1 and a decrease angle outside
    // 5..45 degrees, Corvinet's limits.
    if (s.SpeedControl < 0 || s.SpeedControl > 2)
        return false;
    if (!(s.Range8b > 0))
        return false;
    auto vitesse = [](float v) { return v >= 0.2f && v <= 1; };
    if (s.SpeedControl > 0 && (!vitesse(s.AutoVit) || !vitesse(s.ManVit) || !(s.AngDecr >= 5 && s.AngDecr <= 45)))
        return false;
    auto hysteresis = [](float arret, float depart) {
        return arret >= 0 && arret <= depart && depart != 0 && depart < 10;
    };
    if (!hysteresis(s.AzimOf, s.AzimOn) || !hysteresis(s.ElevOf, s.ElevOn))
        return false;
    // End stops within the station file's ranges: azimuth 0..359, elevation
    // -90..90. A stop beyond them (400, or 32767) puts the soft stop where the
    // antenna can never read it: the drive would run on through it.
    if (s.ButeeG < 0 || s.ButeeG > 359 || s.ButeeD < 0 || s.ButeeD > 359)
        return false;
    if (s.ButeeB < -90 || s.ButeeB > 90 || s.ButeeH < -90 || s.ButeeH > 90)
        return false;
    if (s.ButeeG == s.ButeeD)
        return false;
    if (s.ButeeG < s.ButeeD) {
        if (s.ParkAz < s.ButeeG || s.ParkAz > s.ButeeD)
            return false;
        if (s.AzStop == 0 && !(s.OffAz <= s.ButeeG || s.OffAz >= s.ButeeD))
            return false;
    } else {
        if (!(s.ParkAz >= s.ButeeG || s.ParkAz <= s.ButeeD))
            return false;
        if (s.AzStop == 0 && !(s.OffAz >= s.ButeeD && s.OffAz <= s.ButeeG))
            return false;
    }
    if (s.ButeeH < 1 || s.ButeeH <= s.ButeeB)
        return false;
    if (s.ParkEl < s.ButeeB || s.ParkEl > s.ButeeH)
        return false;
    if (s.ElStop == 0 && s.OffEl > s.ButeeB)
        return false;
    auto format = [](const QString& f) { return f == QLatin1String("BCD") || f == QLatin1String("BIN"); };
    if (!format(s.FormatAz) || !format(s.FormatEl))
        return false;
    if (s.RangAz >= 1000 || (s.FormatAz == QLatin1String("BIN") && s.RangAz == 0))
        return false;
    if (s.RangEl >= 1000 || (s.FormatEl == QLatin1String("BIN") && s.RangEl == 0))
        return false;
    auto unite = [](const QString& u) { return u == QLatin1String("Grd") || u == QLatin1String("Deg"); };
    return unite(s.UniteAz) && unite(s.UniteEl);
}

int lireCorrections(const QString& path, Corrections& c, const std::function<void()>& echec)
{
    c.CorrectionActive = false;
    const std::optional<QStringList> items = correction::lireElementsFichierCorrection(path);
    if (!items)
        return 0;
    int echecs = 0;
    // A value within the limits goes into its table entry; any other counts a failure.
    const auto litCorrection = [&](const QString& item, float& entree) {
        const float v = correction::valeurCorrection(item);
        if (correction::dansLimites(v))
            entree = v;
        else {
            ++echecs;
            echec();
        }
    };
    for (int k = 0; k < correction::NombreEnregistrements; ++k) {
        const int i = correction::indexEtiquette(k);
        if (i + 2 >= items->size())
            return echecs; // the file ends early: no corrections, no message
        const QString& etiquette = items->at(i);
        const std::optional<QString> texte = correction::texteEtiquette(etiquette);
        if (etiquette.size() < 3 || !texte || correction::valeurCorrection(*texte) != 10.0f * k) {
            ++echecs;
            echec();
        }
        litCorrection(items->at(i + 1), c.TableCorrectionAzimut[k]);
        litCorrection(items->at(i + 2), c.TableCorrectionElevation[k]);
        if (echecs > 0)
            break;
    }
    c.TableCorrectionAzimut[36] = c.TableCorrectionAzimut[0];
    c.TableCorrectionElevation[36] = c.TableCorrectionElevation[0];
    c.CorrectionActive = echecs == 0;
    return echecs;
}

} // namespace suivi
