#include "Calculator/BilanEME.h"

#include "platform/Text.h"

#include <cmath>
#include <limits>

namespace brulvane {

namespace {

// Constants of the link budget.
constexpr double RayonLune = 1738000.0;     // m
constexpr double Pi = 3.1415926535;
constexpr double QuatrePi = 12.566370614;  // beam solid angle numerator
constexpr double Boltzmann = 1.38e-23;     // J/K
constexpr double TempReference = 290.0;    // K, feeds and ground
constexpr double PartLobes = 0.07;         // share of (Tsky + 290 K) in side and rear lobes
constexpr double ConstanteLobe = 25000.0;  // beamwidth (deg) = sqrt(25000 / linear gain)
constexpr float TempLuneHome = 200.0f;     // K
constexpr float TempLuneDX = 210.0f;       // K

bool fini(float x) { return std::isfinite(x); }

// Power of ten taken in double, stored in single precision.
float puissanceDix(double x) { return static_cast<float>(std::pow(10.0, x)); }

// Value of a box text by the leading-number rule, in single precision.
float valeur(const QString& texte) { return static_cast<float>(platform::Val(texte)); }

// Int(produit) / diviseur, in single precision. A non-finite product stays
// non-finite (and so gives a blank label).
float entierSur(double produit, double diviseur) {
    if (!std::isfinite(produit))
        return static_cast<float>(produit);
    return static_cast<float>(platform::Int(produit) / diviseur);
}

// Rounded down to 1/echelle: Int(echelle * x) / echelle.
float arrondiBas(double x, double echelle) { return entierSur(echelle * x, echelle); }

} // namespace

float FacteurRemplissage(float r) {
    if (r <= 1.5f)
        return static_cast<float>(0.56 + 0.44 * (r - 1.0));
    if (r <= 2.0f)
        return static_cast<float>(0.78 + 0.26 * (r - 1.5));
    if (r <= 3.0f)
        return static_cast<float>(0.91 + 0.08 * (r - 2.0));
    return 1.0f;
}

namespace {

// Noise of one receiving station: the part of the budget that depends on its
// receiver, feed and antenna only.
struct Bruit {
    float systeme; // shown system noise (dBm/Hz or K), rounded down to 0.1
    float lune;    // shown excess Moon noise, dB, rounded down to 0.01
    float total;   // shown total noise (dBm/Hz or K), rounded down to 0.1
    float Ntot;    // total noise density, dBm/Hz, unrounded
    float r;
    float k;
};

Bruit bruitStation(float rxLoss, float nf, float gain, float tsky, float diametre, float tempLune, bool enDbm) {
    Bruit b{};
    const float Tant = static_cast<float>(tsky + PartLobes * (tsky + TempReference));
    const float Lrx = puissanceDix(rxLoss / 10.0);
    const float Trx = static_cast<float>((std::pow(10.0, nf / 10.0) - 1.0) * TempReference);
    const float Tsys = static_cast<float>((Lrx - 1.0) * TempReference + Tant + static_cast<double>(Lrx) * Trx);
    const float N0 = static_cast<float>(Tsys * Boltzmann);
    b.systeme = enDbm ? arrondiBas(10.0 * LogDecimal(N0) + 30.0, 10.0) : arrondiBas(Tsys, 10.0);

    const float g = puissanceDix(gain / 10.0);
    const float B = static_cast<float>(std::sqrt(ConstanteLobe / g));
    const float r = static_cast<float>(static_cast<double>(diametre) / B);
    const float OmegaA = static_cast<float>(QuatrePi / g);
    const double demiAngle = diametre * Pi / 360.0; // radians, not stored: one formula
    const float OmegaM = static_cast<float>(Pi * (demiAngle * demiAngle));
    b.r = r;

    float Teff;
    if (!fini(r)) {
        Teff = r; // carries the non-finite value on to every noise result
    } else if (r <= 1.0f) {
        Teff = static_cast<float>(static_cast<double>(OmegaM) * tempLune / OmegaA +
                                  (static_cast<double>(OmegaA) - OmegaM) * tsky / OmegaA);
    } else {
        b.k = FacteurRemplissage(r);
        float s = static_cast<float>((static_cast<double>(OmegaA) - OmegaM) / OmegaA);
        if (!(s >= 0.0f))
            s = 0.0f;
        Teff = static_cast<float>(static_cast<double>(b.k) * tempLune + static_cast<double>(s) * tsky);
    }

    float TantM = static_cast<float>(Teff + PartLobes * (tsky + TempReference));
    float M = static_cast<float>(((Lrx - 1.0) * TempReference + TantM + static_cast<double>(Lrx) * Trx) / Tsys);
    if (!fini(M) || !fini(TantM)) {
        // Not a number: no replacement by "the Moon adds nothing", the
        // noise results below stay blank.
        M = std::numeric_limits<float>::quiet_NaN();
        TantM = M;
    } else if (!(M >= 1.0f)) {
        M = 1.0f;
        TantM = Tant;
    }
    // Int(100 * 10 * log10 M) / 100, the products taken from the left.
    b.lune = entierSur(100.0 * 10.0 * LogDecimal(M), 100.0);

    const float Ttot = static_cast<float>((Lrx - 1.0) * TempReference + TantM + static_cast<double>(Lrx) * Trx);
    b.Ntot = static_cast<float>(10.0 * LogDecimal(static_cast<float>(Ttot * Boltzmann)) + 30.0);
    b.total = enDbm ? arrondiBas(b.Ntot, 10.0) : arrondiBas(Ttot, 10.0);
    return b;
}

// Echo of a transmitter received by an antenna: dBm, unrounded.
float signal(float puissance, float txLoss, float gainEmission, float perte, float gainReception) {
    return static_cast<float>(10.0 * LogDecimal(static_cast<float>(1000.0 * puissance)) - txLoss + gainEmission +
                              perte + gainReception);
}

// Signal-plus-noise to noise ratio, dB, unrounded, of a signal (dBm) against
// the noise power Nbw (mW) in the receiver's bandwidth.
float rapport(float s, float Nbw) {
    const float x = static_cast<float>(std::pow(10.0, s / 10.0) / Nbw + 1.0);
    return static_cast<float>(10.0 * LogDecimal(x));
}

float bruitBande(float bande, float Ntot) {
    return puissanceDix((10.0 * LogDecimal(bande) + Ntot) / 10.0);
}

} // namespace

int32_t DistancePourRange(const QString& texteRange, int32_t actuelle) {
    // Entries of ListeRange compared in the order Perigee, Apogee, Average.
    for (int i : {0, 2, 1})
        if (texteRange == QLatin1String(ListeRange[i].texte))
            actuelle = ListeRange[i].distance;
    return actuelle;
}

float DiametrePourRange(const QString& texteRange) {
    for (const auto& e : ListeRange)
        if (texteRange == QLatin1String(e.texte))
            return e.diametre;
    return 0.0f;
}

QString BasculeUnite(const QString& uniteBruit) {
    return uniteBruit != QLatin1String("dBm") ? QStringLiteral("dBm") : QStringLiteral("K");
}

QString EtiquetteUnite(const QString& uniteBruit) {
    return uniteBruit == QLatin1String("dBm") ? QStringLiteral("dBm/Hz") : QStringLiteral("K");
}

float LogDecimal(float x) {
    return static_cast<float>(std::log(static_cast<double>(x)) / std::log(10.0));
}

std::array<QString, NombreResultats> EffaceResultats() {
    return {};
}

QString TexteResultat(float x) {
    return fini(x) ? platform::CStr(x) : QString();
}

ResultatsBilan CalculBilanEME(const EntreesBilan& e) {
    ResultatsBilan res;
    std::array<float, NombreBoites> v{};
    for (int i = 0; i < NombreBoitesRefusables; ++i) {
        v[i] = valeur(e.textes[i]);
        if (v[i] == 0.0f) {
            res.boiteRefusee = static_cast<Boite>(i);
            return res;
        }
    }
    v[static_cast<int>(Boite::SkyTemp)] = valeur(e.textes[static_cast<int>(Boite::SkyTemp)]);
    auto val = [&v](Boite b) { return v[static_cast<int>(b)]; };
    auto ecrit = [&res](Resultat r, float x) { res.textes[static_cast<int>(r)] = TexteResultat(x); };

    const float f = val(Boite::HP_Frequence);
    const float d = static_cast<float>(e.DistanceLune);
    float L = static_cast<float>(20.0 * LogDecimal(static_cast<float>(300.0 / f)) - 32.97 - 40.0 * LogDecimal(d) +
                                 10.0 * LogDecimal(static_cast<float>(Pi * (RayonLune * RayonLune))) - 11.55);
    L = arrondiBas(L, 10.0);
    ecrit(Resultat::PathEME, L);

    const float D = static_cast<float>(DiametrePourRange(e.range) / 60.0);
    const float tsky = val(Boite::SkyTemp);
    const bool enDbm = e.UniteBruit == QLatin1String("dBm");

    const float Phome = val(Boite::HP_TxPower), TxHome = val(Boite::HP_TxLoss), Ghome = val(Boite::HP_AntGain);
    const float Pdx = val(Boite::DP_TxPower), TxDx = val(Boite::DP_TxLoss), Gdx = val(Boite::DP_AntGain);

    // One receiving station: its noise, both echoes as it receives them and
    // their ratios, into its seven labels.
    auto moitie = [&](int indice, float rxLoss, float nf, float bande, float gain, float tempLune,
                      Resultat systeme, Resultat lune, Resultat total, Resultat homeSig, Resultat snHome,
                      Resultat dxSig, Resultat snDx) {
        const Bruit b = bruitStation(rxLoss, nf, gain, tsky, D, tempLune, enDbm);
        res.r[indice] = b.r;
        res.k[indice] = b.k;
        ecrit(systeme, b.systeme);
        ecrit(lune, b.lune);
        ecrit(total, b.total);
        const float Nbw = bruitBande(bande, b.Ntot);
        const float sHome = signal(Phome, TxHome, Ghome, L, gain);
        ecrit(homeSig, arrondiBas(sHome, 10.0));
        ecrit(snHome, arrondiBas(rapport(sHome, Nbw), 10.0));
        const float sDx = signal(Pdx, TxDx, Gdx, L, gain);
        ecrit(dxSig, arrondiBas(sDx, 10.0));
        ecrit(snDx, arrondiBas(rapport(sDx, Nbw), 10.0));
    };
    moitie(0, val(Boite::Hp_RxLoss), val(Boite::HP_RxNF), val(Boite::HP_RxBW), Ghome, TempLuneHome,
           Resultat::H_SystemNoise, Resultat::H_MoonNoise, Resultat::H_TotalNoise, Resultat::H_HomeSignal,
           Resultat::H_SNHome, Resultat::H_DXSignal, Resultat::H_SNDX);
    moitie(1, val(Boite::DP_RxLoss), val(Boite::DP_RxNF), val(Boite::DP_RxBW), Gdx, TempLuneDX,
           Resultat::D_SystemNoise, Resultat::D_MoonNoise, Resultat::D_TotalNoise, Resultat::D_HomeSignal,
           Resultat::D_SNHome, Resultat::D_DXSignal, Resultat::D_SNDX);
    return res;
}

} // namespace brulvane
