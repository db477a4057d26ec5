#include "Tracking/Entrainement.h"

#include <algorithm>
#include <cmath>

namespace suivi {

namespace {
// The speed arithmetic in whole numbers without a conversion that could
// throw or be undefined: every speed byte lies within -128..255, so a value
// beyond that range (or not a number, as 0 / 0) is held there first; within
// it the result is the plain truncation or rounding (halves to even).
constexpr double Borne = 256;
double tenu(double x) { return x >= -Borne && x <= Borne ? x : x > Borne ? Borne : -Borne; }
int tronque(double x) { return static_cast<int>(std::trunc(tenu(x))); }
int arrondi(double x) { return static_cast<int>(std::nearbyint(tenu(x))); }
} // namespace

void Entrainement::reinitialise(bool courseTraverseNord)
{
    MoteurAzActif = MoteurElActif = false;
    SensAz = SensEl = 0;
    PoursuiteActive = PoursuiteAz = PoursuiteEl = false;
    AllerConsigneAz = AllerConsigneEl = false;
    EtatVitesseAz = EtatVitesseEl = 0;
    MoteursEnPause = ParkingDemande = false;
    ArriveeVitesse = false;
    EnMarcheAz = EnMarcheEl = false;
    CourseTraverseNord = courseTraverseNord;
    CourseAz = CourseEl = 0;
    positionConnue_ = false;
    c = ControlesEntrainement{};
}

float Entrainement::pivot(const StationTrack& s)
{
    // ButeeD was raised by 360: the dead zone runs from ButeeD - 360 up to ButeeG.
    return (static_cast<float>(s.ButeeG) + static_cast<float>(s.ButeeD - 360)) / 2;
}

float Entrainement::etendu(const StationTrack& s, bool courseTraverseNord, float x)
{
    if (courseTraverseNord && x >= 0 && x < pivot(s))
        return x + 360;
    return x;
}

float Entrainement::suitAzimut(float x) const
{
    if (!positionConnue_)
        return etenduPosition(x);
    const double tours = std::nearbyint((static_cast<double>(AzimutEtendu) - x) / 360);
    return static_cast<float>(x + 360 * std::clamp(tours, -4.0, 4.0));
}

float Entrainement::etenduPosition(float x) const
{
    const float e = etendu(x);
    const float g = s_.ButeeG, d = s_.ButeeD;
    if (e >= g && e <= d)
        return e;
    // Degrees from x clockwise to the CCW stop, and from the CW stop
    // clockwise to x.
    const float versG = replie(g - x, 360), depuisD = replie(x - d, 360);
    return versG <= depuisD ? g - versG : d + depuisD;
}

void Entrainement::positionAntenne(float az, float el)
{
    AzimutAntenne = az;
    ElevationAntenne = el;
    AzimutEtendu = suitAzimut(az);
    positionConnue_ = true;
}

void Entrainement::stoppe(std::atomic<bool>& enMarche, uint8_t code)
{
    // After an answered pause the relay is off already: no byte then.
    if (!enMarche)
        return;
    envoie(code);
    if (!liaison_->enPanne())
        enMarche = false;
}

void Entrainement::arretAz()
{
    stoppe(EnMarcheAz, octet::AzArret);
    MoteurAzActif = false;
    AllerConsigneAz = false;
    SensAz = 0;
    c.DirAzimDroit = c.DirAzimGauche = false;
}

void Entrainement::arretEl()
{
    stoppe(EnMarcheEl, octet::ElArret);
    MoteurElActif = false;
    AllerConsigneEl = false;
    SensEl = 0;
    c.DirElevHaut = c.DirElevBas = false;
}

void Entrainement::MoteurAzCW()
{
    marche(MoteurAzActif, SensAz, EnMarcheAz, &Entrainement::arretAz, octet::AzHoraire, 1, c.DirAzimDroit,
           enButeeAz(1));
}
void Entrainement::MoteurAzCCW()
{
    marche(MoteurAzActif, SensAz, EnMarcheAz, &Entrainement::arretAz, octet::AzAntiHoraire, -1, c.DirAzimGauche,
           enButeeAz(-1));
}
void Entrainement::MoteurElHaut()
{
    marche(MoteurElActif, SensEl, EnMarcheEl, &Entrainement::arretEl, octet::ElHaut, 1, c.DirElevHaut,
           enButeeEl(1));
}
void Entrainement::MoteurElBas()
{
    marche(MoteurElActif, SensEl, EnMarcheEl, &Entrainement::arretEl, octet::ElBas, -1, c.DirElevBas,
           enButeeEl(-1));
}

float Entrainement::marge(float course) const
{
    if (s_.SpeedControl == ModeVitesse || !(course > MargeButee))
        return 0;
    return course - MargeButee;
}

bool Entrainement::enButeeAz(int sens) const
{
    const float m = marge(CourseAz);
    return (sens > 0 && AzimutEtendu >= s_.ButeeD - m) || (sens < 0 && AzimutEtendu <= s_.ButeeG + m);
}

bool Entrainement::enButeeEl(int sens) const
{
    const float m = marge(CourseEl);
    return (sens > 0 && ElevationAntenne >= s_.ButeeH - m) || (sens < 0 && ElevationAntenne <= s_.ButeeB + m);
}

float Entrainement::borneAz(float a) const
{
    return std::clamp(a, static_cast<float>(s_.ButeeG), static_cast<float>(s_.ButeeD));
}

float Entrainement::borneEl(float e) const
{
    return std::clamp(e, static_cast<float>(s_.ButeeB), static_cast<float>(s_.ButeeH));
}

void Entrainement::marche(bool& moteur, int& sensAxe, std::atomic<bool>& enMarche, void (Entrainement::*arret)(),
                          uint8_t code, int sens, bool& fleche, bool butee)
{
    if (moteur)
        return (this->*arret)();
    if (butee)
        return; // at its stop: one cycle's run outward per press would add up
    // Running before its start byte goes out: should the box not answer it,
    // the failure path still sends this axis its stop byte.
    sensAxe = sens;
    moteur = true;
    fleche = true;
    demarre(enMarche, code);
}

std::vector<uint8_t> Entrainement::octetsArret() const
{
    std::vector<uint8_t> o;
    if (EnMarcheEl)
        o.push_back(octet::ElArret);
    if (EnMarcheAz)
        o.push_back(octet::AzArret);
    return o;
}

bool Entrainement::envoieArrets()
{
    bool tous = true;
    if (EnMarcheEl) {
        if (liaison_->arret(octet::ElArret))
            EnMarcheEl = false;
        else
            tous = false;
    }
    if (EnMarcheAz) {
        if (liaison_->arret(octet::AzArret))
            EnMarcheAz = false;
        else
            tous = false;
    }
    return tous;
}

void Entrainement::PauseMoteurs()
{
    // On a failed link the failure path has sent the stop bytes already.
    if ((!MoteurAzActif && !MoteurElActif) || liaison_->enPanne())
        return;
    MoteursEnPause = true;
    if (!envoieArrets())
        liaison_->declarePanne();
}

void Entrainement::ArretComplet()
{
    AllerConsigneAz = AllerConsigneEl = PoursuiteAz = PoursuiteEl = false;
    ParkingDemande = false;
    resetPoursuite();
    if (s_.SpeedControl == ModeVitesse) {
        if (MoteurAzActif || MoteurElActif) {
            MoteurAzActif = MoteurElActif = true;
            c.MenuAntenne6Checked = false;
            BasculeMoteurs();
        }
    } else {
        if (MoteurAzActif)
            arretAz();
        if (MoteurElActif)
            arretEl();
    }
    MoteursEnPause = false;
}

void Entrainement::resetPoursuite()
{
    c.MenuAntenne2Checked = false;
    c.MenuSourcePEnabled = true;
    c.AntenEtiq[0] = false;
    c.SourcEtiqVisible = false;
    PoursuiteActive = false;
    c.ImgTrackPressed = false;
    c.BoutonsSourceEnabled = true;
    c.FlechesEnabled = true;
}

void Entrainement::BasculeMoteurs()
{
    if (s_.SpeedControl != ModeVitesse)
        return;
    if (!MoteurAzActif || !MoteurElActif) {
        ArriveeVitesse = false;
        MoteurAzActif = MoteurElActif = true; // running before the bytes go out
        demarre(EnMarcheEl, octet::ElHaut);
        demarre(EnMarcheAz, octet::AzHoraire);
        c.DirAzimDroit = c.DirAzimGauche = c.DirElevHaut = c.DirElevBas = true;
        c.MenuAntenne6Checked = true;
        c.ImgMotPressed = true;
        return;
    }
    if (c.MenuAntenne6Checked)
        return;
    stoppe(EnMarcheEl, octet::ElArret);
    stoppe(EnMarcheAz, octet::AzArret);
    MoteurAzActif = MoteurElActif = false;
    PoursuiteActive = AllerConsigneAz = AllerConsigneEl = false;
    EtatVitesseAz = EtatVitesseEl = 0;
    if (c.MenuAntenne2Checked)
        resetPoursuite();
    PoursuiteAz = PoursuiteEl = MoteursEnPause = false;
    c.DirAzimDroit = c.DirAzimGauche = c.DirElevHaut = c.DirElevBas = false;
    c.MenuAntenne6Checked = false;
    c.ImgMotPressed = false;
}

void Entrainement::recalculeEtendus()
{
    AzimutEtendu = suitAzimut(AzimutAntenne);
    ConsigneAzimutEtendue = borneAz(etenduPosition(ConsigneAzimut));
    ConsigneElevation = borneEl(ConsigneElevation);
    AzimutSourceEtendu = etenduPosition(static_cast<float>(AzimutSource));
}

void Entrainement::ConsigneSaisie(float azimut, float elevation)
{
    ConsigneAzimut = azimut;
    ConsigneElevation = elevation;
    recalculeEtendus();
    AllerConsigneAz = AllerConsigneEl = true;
    ArriveeVitesse = false;
    if (s_.SpeedControl == ModeVitesse) {
        if (MoteurAzActif || MoteurElActif)
            BasculeMoteurs();
    } else {
        DemarrerVersConsigne();
    }
}

void Entrainement::DemarrerVersConsigne()
{
    const float d = ConsigneAzimutEtendue - AzimutEtendu;
    if (d >= s_.AzimOn)
        MoteurAzCW();
    else if (d <= -s_.AzimOn)
        MoteurAzCCW();
    else
        AllerConsigneAz = false;
    const float e = ConsigneElevation - ElevationAntenne;
    if (e >= s_.ElevOn)
        MoteurElHaut();
    else if (e <= -s_.ElevOn)
        MoteurElBas();
    else
        AllerConsigneEl = false;
}

bool Entrainement::parcPossible() const
{
    if (s_.PortCom == 0 || PoursuiteActive)
        return false;
    const bool auRepos = !MoteurAzActif && !MoteurElActif;
    if (s_.SpeedControl == ModeVitesse)
        return auRepos || ArriveeVitesse;
    return auRepos && !AllerConsigneAz && !AllerConsigneEl;
}

void Entrainement::CommandeParking()
{
    if (!parcPossible())
        return;
    ArriveeVitesse = false;
    ParkingDemande = AllerConsigneAz = AllerConsigneEl = true;
    ConsigneAzimut = s_.ParkAz;
    ConsigneElevation = s_.ParkEl;
    recalculeEtendus();
    if (s_.SpeedControl < ModeVitesse)
        DemarrerVersConsigne();
    else if (!MoteurAzActif || !MoteurElActif)
        BasculeMoteurs();
}

void Entrainement::PiloteAntenne(int mode)
{
    // A source beyond a stop the antenna has reached ends tracking there, as
    // the drive step does for an axis that runs into it.
    if (mode == 1 || mode == 3) {
        PoursuiteAz = true;
        const float d = AzimutSourceEtendu - AzimutEtendu;
        const int sens = d >= s_.AzimOn ? 1 : d <= -s_.AzimOn ? -1 : 0;
        if (sens != 0 && enButeeAz(sens)) {
            resetPoursuite();
            PoursuiteAz = false;
        } else if (sens == 1)
            MoteurAzCW();
        else if (sens == -1)
            MoteurAzCCW();
        else
            PoursuiteAz = false;
    }
    if (mode == 2 || mode == 3) {
        PoursuiteEl = true;
        if (s_.ButeeB + s_.ElevOn > ElevationSource) {
            PoursuiteEl = false;
        } else {
            const double d = ElevationSource - ElevationAntenne;
            const int sens = d >= s_.ElevOn ? 1 : d <= -s_.ElevOn ? -1 : 0;
            if (sens != 0 && enButeeEl(sens)) {
                resetPoursuite();
                PoursuiteEl = false;
            } else if (sens == 1)
                MoteurElHaut();
            else if (sens == -1)
                MoteurElBas();
            else
                PoursuiteEl = false;
        }
    }
    if (mode == 4) {
        if (s_.ButeeG <= AzimutSourceEtendu && AzimutSourceEtendu <= s_.ButeeD && s_.ButeeB <= ElevationSource &&
            ElevationSource <= s_.ButeeH) {
            PoursuiteAz = PoursuiteEl = true;
            if (!MoteurAzActif || !MoteurElActif)
                BasculeMoteurs();
        } else {
            resetPoursuite();
            PoursuiteAz = PoursuiteEl = false;
        }
    }
}

void Entrainement::PoursuiteMarche()
{
    c.AntenEtiq[0] = true;
    c.MenuSourcePEnabled = false;
    c.MenuAntenne2Checked = true;
    c.ImgTrackPressed = true;
    c.BoutonsSourceEnabled = false;
    c.FlechesEnabled = false;
    PoursuiteActive = true;
}

void Entrainement::PoursuiteArret()
{
    c.MenuSourcePEnabled = true;
    c.MenuAntenne2Checked = false;
    c.AntenEtiq[0] = false;
    c.SourcEtiqVisible = false;
    c.ImgTrackPressed = false;
    c.BoutonsSourceEnabled = true;
    c.FlechesEnabled = true;
    PoursuiteActive = false;
}

void Entrainement::PasManuel(int touche)
{
    if (PoursuiteActive)
        return;
    if (s_.SpeedControl < ModeVitesse) {
        switch (touche) {
        case 37: MoteurAzCCW(); break;
        case 38: MoteurElHaut(); break;
        case 39: MoteurAzCW(); break;
        case 40: MoteurElBas(); break;
        default: break;
        }
        return;
    }
    const float pasAz = s_.AzimOn * 10 * s_.ManVit;
    const float pasEl = s_.ElevOn * 10 * s_.ManVit;
    switch (touche) {
    // The step is held inside the end stops here, on the extended scale,
    // before the extended-azimuth rule could read a target below the offset
    // as one beyond north.
    case 37: ConsigneAzimut = borneAz((AzimutEtendu - 0.01f) - pasAz); break;
    case 39: ConsigneAzimut = borneAz(pasAz + (AzimutEtendu + 0.01f)); break;
    case 38: ConsigneElevation = borneEl(pasEl + (ElevationAntenne + 0.01f)); break;
    case 40: ConsigneElevation = borneEl((ElevationAntenne - 0.01f) - pasEl); break;
    default: return;
    }
    ArriveeVitesse = false;
    if (!MoteurElActif || !MoteurAzActif)
        BasculeMoteurs();
    AllerConsigneAz = AllerConsigneEl = true;
}

void Entrainement::noticeButee()
{
    const bool dedans = s_.ButeeG < AzimutEtendu && AzimutEtendu < s_.ButeeD && s_.ButeeB < ElevationAntenne &&
                        ElevationAntenne < s_.ButeeH;
    c.AntenEtiq[1] = !dedans;
}

bool Entrainement::Etape(float azimutAntenne, float elevationAntenne, double azimutSource, double elevationSource)
{
    AzimutAntenne = azimutAntenne;
    ElevationAntenne = elevationAntenne;
    AzimutSource = azimutSource;
    ElevationSource = elevationSource;
    // The step places the antenna on the extended scale (recalculeEtendus);
    // from then on each reading follows the one before.
    const bool parc = s_.SpeedControl == ModeVitesse ? etapeVitesse() : etapeRelais();
    positionConnue_ = true;
    return parc;
}

void Entrainement::PrendPosition(float azimutAntenne, float elevationAntenne)
{
    AzimutAntenne = azimutAntenne;
    ElevationAntenne = elevationAntenne;
    recalculeEtendus();
    positionConnue_ = true;
    noticeButee();
}

int Entrainement::vitesseEcart(float cible, float position, bool aller, bool moteur) const
{
    const float ecart = std::fabs(cible - position);
    const float plein = s_.AutoVit * 127;
    int v = ecart > s_.AngDecr ? tronque(plein)
                               : tronque(ecart / s_.AngDecr * s_.AutoVit * 127);
    const int max = arrondi(plein);
    if (v > max)
        v = max;
    if (!PoursuiteActive && !aller)
        v = arrondi(s_.ManVit * 127);
    v = limiteVitesseEcart(v);
    if (!moteur)
        v = 5;
    return v;
}

bool Entrainement::etapeRelais()
{
    // 1. Which commands are available.
    if (!MoteurAzActif && !MoteurElActif && !PoursuiteActive && !AllerConsigneAz && !AllerConsigneEl) {
        c.MenuAntenne0Enabled = c.MenuFichier0Enabled = true;
    } else if (c.MenuFichier0Enabled) {
        c.MenuAntenne0Enabled = c.MenuFichier0Enabled = false;
    }
    if ((MoteurAzActif || MoteurElActif || AllerConsigneAz || AllerConsigneEl) && !PoursuiteActive) {
        c.MenuAntenne2Enabled = c.ImgTrackEnabled = false;
    } else if (!c.MenuAntenne2Enabled) {
        c.MenuAntenne2Enabled = c.ImgTrackEnabled = true;
    }
    // 2. Speed bytes (relay + speed mode), from the extended azimuths of the
    // previous step.
    if (s_.SpeedControl == ModeRelaisEcart) {
        const float ta = PoursuiteActive ? AzimutSourceEtendu : ConsigneAzimutEtendue;
        VitesseAz = vitesseEcart(ta, AzimutEtendu, AllerConsigneAz, MoteurAzActif);
        EcartAz = std::fabs(ta - AzimutEtendu);
        envoie(static_cast<uint8_t>(VitesseAz));
        const float te = PoursuiteActive ? static_cast<float>(ElevationSource) : ConsigneElevation;
        VitesseEl = vitesseEcart(te, ElevationAntenne, AllerConsigneEl, MoteurElActif);
        EcartEl = std::fabs(te - ElevationAntenne);
        envoie(static_cast<uint8_t>(VitesseEl));
    }
    // 3. Tracking starts.
    if (PoursuiteActive) {
        if (!MoteurAzActif && MoteurElActif)
            PiloteAntenne(1);
        if (MoteurAzActif && !MoteurElActif)
            PiloteAntenne(2);
        if (!MoteurAzActif && !MoteurElActif)
            PiloteAntenne(3);
    }
    // 5.
    recalculeEtendus();
    // 6, 7. Azimuth end stop and stop.
    const bool buteeAz = enButeeAz(SensAz);
    if (buteeAz)
        resetPoursuite();
    if ((AllerConsigneAz && SensAz * (ConsigneAzimutEtendue - AzimutEtendu) < 0) ||
        (PoursuiteAz && (!PoursuiteActive || SensAz * (AzimutEtendu - AzimutSourceEtendu) > s_.AzimOf)) ||
        (MoteurAzActif && buteeAz)) {
        AllerConsigneAz = PoursuiteAz = false;
        if (MoteurAzActif)
            arretAz();
    }
    // 8. Elevation.
    const bool buteeEl = enButeeEl(SensEl);
    if (buteeEl)
        resetPoursuite();
    if ((AllerConsigneEl && SensEl * (ConsigneElevation - ElevationAntenne) < 0) ||
        (PoursuiteEl && (!PoursuiteActive || SensEl * (ElevationAntenne - ElevationSource) > s_.ElevOf)) ||
        (MoteurElActif && buteeEl)) {
        AllerConsigneEl = PoursuiteEl = false;
        if (MoteurElActif)
            arretEl();
    }
    // 4. Restart after a pause, of the axes that still run: an axis the
    // steps above have stopped is not switched on first.
    if (MoteursEnPause) {
        MoteursEnPause = false;
        if (MoteurElActif && !EnMarcheEl && SensEl != 0)
            demarre(EnMarcheEl, SensEl == 1 ? octet::ElHaut : octet::ElBas);
        if (MoteurAzActif && !EnMarcheAz && SensAz != 0)
            demarre(EnMarcheAz, SensAz == 1 ? octet::AzHoraire : octet::AzAntiHoraire);
    }
    // 9, 10.
    noticeButee();
    if (!AllerConsigneAz && !AllerConsigneEl && ParkingDemande) {
        ParkingDemande = false;
        return true;
    }
    return false;
}

int Entrainement::vitesseProportionnelle(float ecart, float on, float of, int& etat, bool moteur) const
{
    int v;
    if (std::fabs(ecart) > on && ecart > 0) {
        v = ecart > s_.AngDecr ? tronque(s_.AutoVit * 63)
                               : tronque(ecart / s_.AngDecr * s_.AutoVit * 63);
        const int max = arrondi(s_.AutoVit * 63);
        if (v > max)
            v = max;
        v += 64;
        if (v < 65)
            v = 65;
        if (v > 127)
            v = 127;
        etat = 1;
    } else if (std::fabs(ecart) > on) {
        v = std::fabs(ecart) > s_.AngDecr ? tronque(s_.AutoVit * -64)
                                          : tronque(ecart / s_.AngDecr * s_.AutoVit * 64);
        const int min = arrondi(s_.AutoVit * -64);
        if (v < min)
            v = min;
        v += 64;
        if (v < 0)
            v = 0;
        if (v > 63)
            v = 63;
        etat = -1;
    } else {
        v = 64 + etat;
        if ((etat == 1 && ecart <= -of) || (etat == -1 && ecart >= of)) {
            etat = 0;
            v = 64;
        }
    }
    v = limiteVitesseProportionnelle(v);
    if (!moteur)
        v = 64;
    return v;
}

bool Entrainement::etapeVitesse()
{
    recalculeEtendus();
    noticeButee();
    if (AllerConsigneEl || AllerConsigneAz) {
        CibleAz = ConsigneAzimutEtendue;
        CibleEl = ConsigneElevation;
    }
    if (PoursuiteEl || PoursuiteAz) {
        // A source beyond a stop is aimed at the stop.
        CibleAz = borneAz(AzimutSourceEtendu);
        CibleEl = borneEl(static_cast<float>(ElevationSource));
    }
    if (!AllerConsigneEl && !AllerConsigneAz && !PoursuiteEl && !PoursuiteAz) {
        CibleAz = AzimutEtendu;
        CibleEl = ElevationAntenne;
        ConsigneAzimut = AzimutEtendu;
        ConsigneElevation = ElevationAntenne;
    }
    EcartAz = CibleAz - AzimutEtendu;
    VitesseAz = vitesseProportionnelle(EcartAz, s_.AzimOn, s_.AzimOf, EtatVitesseAz, MoteurAzActif);
    EcartEl = CibleEl - ElevationAntenne;
    VitesseEl = vitesseProportionnelle(EcartEl, s_.ElevOn, s_.ElevOf, EtatVitesseEl, MoteurElActif);
    // End stops: an axis at its stop is never driven further out (the
    // creep past an aim at the stop included); tracking ends there, as in
    // the relay modes.
    const bool buteeAz = enButeeAz(VitesseAz - 64);
    const bool buteeEl = enButeeEl(VitesseEl - 64);
    if (buteeAz) {
        VitesseAz = 64;
        EtatVitesseAz = 0;
    }
    if (buteeEl) {
        VitesseEl = 64;
        EtatVitesseEl = 0;
    }
    if ((buteeAz || buteeEl) && PoursuiteActive)
        resetPoursuite();
    envoie(static_cast<uint8_t>(VitesseAz));
    envoie(static_cast<uint8_t>(VitesseEl));
    ArriveeVitesse = std::abs(VitesseAz - 64) <= 1 && std::abs(VitesseEl - 64) <= 1 && !PoursuiteActive;
    if (ArriveeVitesse || (!MoteurAzActif && !MoteurElActif)) {
        c.MenuAntenne0Enabled = c.MenuFichier0Enabled = true;
    } else if (c.MenuFichier0Enabled) {
        c.MenuAntenne0Enabled = c.MenuFichier0Enabled = false;
    }
    if (PoursuiteActive && !(PoursuiteAz && PoursuiteEl))
        PiloteAntenne(4);
    if (MoteursEnPause) {
        MoteursEnPause = false;
        if (MoteurElActif && !EnMarcheEl)
            demarre(EnMarcheEl, octet::ElHaut);
        if (MoteurAzActif && !EnMarcheAz)
            demarre(EnMarcheAz, octet::AzHoraire);
    }
    if (!PoursuiteActive && (PoursuiteEl || PoursuiteAz) && (MoteurAzActif || MoteurElActif)) {
        ConsigneElevation = ElevationAntenne;
        ConsigneAzimut = AzimutEtendu; // on the extended scale: past a stop it stays past it
        AllerConsigneEl = AllerConsigneAz = true;
        PoursuiteEl = PoursuiteAz = false;
        EtatVitesseAz = EtatVitesseEl = 0;
    }
    if (VitesseAz == 64 && VitesseEl == 64 && ParkingDemande) {
        ParkingDemande = false;
        return true;
    }
    return false;
}

} // namespace suivi
