#include "Tracking/Entrainement.h"

#include "platform/Text.h"

#include <cmath>

namespace suivi {

void Entrainement::reinitialise(bool courseTraverseNord)
{
    MoteurAzActif = MoteurElActif = false;
    SensAz = SensEl = 0;
    PoursuiteActive = PoursuiteAz = PoursuiteEl = false;
    AllerConsigneAz = AllerConsigneEl = false;
    EtatVitesseAz = EtatVitesseEl = 0;
    MoteursEnPause = ParkingDemande = false;
    CourseTraverseNord = courseTraverseNord;
    c = ControlesEntrainement{};
}

float Entrainement::etendu(float x) const
{
    if (CourseTraverseNord && x >= 0 && x < s_.OffAz)
        return x + 360;
    return x;
}

void Entrainement::positionAntenne(float az, float el)
{
    AzimutAntenne = az;
    ElevationAntenne = el;
    AzimutEtendu = etendu(az);
}

void Entrainement::arretAz()
{
    envoie(octet::AzArret);
    MoteurAzActif = false;
    AllerConsigneAz = false;
    SensAz = 0;
    c.DirAzimDroit = c.DirAzimGauche = false;
}

void Entrainement::arretEl()
{
    envoie(octet::ElArret);
    MoteurElActif = false;
    AllerConsigneEl = false;
    SensEl = 0;
    c.DirElevHaut = c.DirElevBas = false;
}

void Entrainement::MoteurAzCW() { marche(MoteurAzActif, SensAz, &Entrainement::arretAz, octet::AzHoraire, 1, c.DirAzimDroit); }
void Entrainement::MoteurAzCCW() { marche(MoteurAzActif, SensAz, &Entrainement::arretAz, octet::AzAntiHoraire, -1, c.DirAzimGauche); }
void Entrainement::MoteurElHaut() { marche(MoteurElActif, SensEl, &Entrainement::arretEl, octet::ElHaut, 1, c.DirElevHaut); }
void Entrainement::MoteurElBas() { marche(MoteurElActif, SensEl, &Entrainement::arretEl, octet::ElBas, -1, c.DirElevBas); }

void Entrainement::marche(bool& moteur, int& sensAxe, void (Entrainement::*arret)(), uint8_t code, int sens,
                          bool& fleche)
{
    if (moteur)
        return (this->*arret)();
    envoie(code);
    sensAxe = sens;
    moteur = true;
    fleche = true;
}

void Entrainement::PauseMoteurs()
{
    if (MoteurElActif) {
        envoie(octet::ElArret);
        MoteursEnPause = true;
    }
    if (MoteurAzActif) {
        envoie(octet::AzArret);
        MoteursEnPause = true;
    }
}

void Entrainement::resetPoursuite(bool avecPark)
{
    c.MenuAntenne2Checked = false;
    c.MenuSourcePEnabled = true;
    c.AntenEtiq[0] = false;
    c.SourcEtiqVisible = false;
    PoursuiteActive = false;
    c.ImgTrackPressed = false;
    c.BoutonsSourceEnabled = true;
    c.FlechesEnabled = true;
    if (avecPark)
        c.ImgParkEnabled = true;
}

void Entrainement::BasculeMoteurs()
{
    if (s_.SpeedControl != ModeVitesse)
        return;
    if (!MoteurAzActif || !MoteurElActif) {
        envoie(octet::ElHaut);
        envoie(octet::AzHoraire);
        MoteurAzActif = MoteurElActif = true;
        c.DirAzimDroit = c.DirAzimGauche = c.DirElevHaut = c.DirElevBas = true;
        c.MenuAntenne6Checked = true;
        c.ImgMotPressed = true;
        return;
    }
    if (c.MenuAntenne6Checked)
        return;
    envoie(octet::ElArret);
    envoie(octet::AzArret);
    MoteurAzActif = MoteurElActif = false;
    PoursuiteActive = AllerConsigneAz = AllerConsigneEl = false;
    EtatVitesseAz = EtatVitesseEl = 0;
    if (c.MenuAntenne2Checked)
        resetPoursuite(true);
    PoursuiteAz = PoursuiteEl = MoteursEnPause = false;
    c.DirAzimDroit = c.DirAzimGauche = c.DirElevHaut = c.DirElevBas = false;
    c.MenuAntenne6Checked = false;
    c.ImgMotPressed = false;
}

void Entrainement::recalculeEtendus()
{
    AzimutEtendu = etendu(AzimutAntenne);
    ConsigneAzimutEtendue = etendu(ConsigneAzimut);
    AzimutSourceEtendu = etendu(static_cast<float>(AzimutSource));
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

void Entrainement::CommandeParking()
{
    if (s_.PortCom == 0)
        return;
    if (MoteurAzActif || MoteurElActif || PoursuiteActive) {
        c.MenuAntenne0Enabled = true;
        return;
    }
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
    if (mode == 1 || mode == 3) {
        PoursuiteAz = true;
        const float d = AzimutSourceEtendu - AzimutEtendu;
        if (d >= s_.AzimOn)
            MoteurAzCW();
        else if (d <= -s_.AzimOn)
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
            if (d >= s_.ElevOn)
                MoteurElHaut();
            else if (d <= -s_.ElevOn)
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
            resetPoursuite(true);
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
    c.ImgParkEnabled = false;
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
    c.ImgParkEnabled = true;
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
    case 37: ConsigneAzimut = (AzimutEtendu - 0.01f) - pasAz; break;
    case 39: ConsigneAzimut = pasAz + (AzimutEtendu + 0.01f); break;
    case 38: ConsigneElevation = pasEl + (ElevationAntenne + 0.01f); break;
    case 40: ConsigneElevation = (ElevationAntenne - 0.01f) - pasEl; break;
    default: return;
    }
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
    return s_.SpeedControl == ModeVitesse ? etapeVitesse() : etapeRelais();
}

int Entrainement::vitesseEcart(float cible, float position, bool aller, bool moteur) const
{
    const float ecart = std::fabs(cible - position);
    const float plein = s_.AutoVit * 127;
    int v = ecart > s_.AngDecr ? static_cast<int>(std::trunc(plein))
                               : static_cast<int>(std::trunc(ecart / s_.AngDecr * s_.AutoVit * 127));
    const int max = platform::CInt(plein);
    if (v > max)
        v = max;
    if (!PoursuiteActive && !aller)
        v = platform::CInt(s_.ManVit * 127);
    v = limiteVitesseEcart(v);
    if (!moteur)
        v = 5;
    return v;
}

bool Entrainement::etapeRelais()
{
    // 1. Which commands are available.
    if (!MoteurAzActif && !MoteurElActif && !PoursuiteActive && !AllerConsigneAz && !AllerConsigneEl) {
        c.MenuAntenne0Enabled = c.MenuFichier0Enabled = c.MenuAntenne4Enabled = c.ImgParkEnabled = true;
    } else if (c.MenuFichier0Enabled) {
        c.MenuAntenne0Enabled = c.MenuFichier0Enabled = c.MenuAntenne4Enabled = c.ImgParkEnabled = false;
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
    // 4. Restart after a pause.
    if (MoteursEnPause) {
        MoteursEnPause = false;
        if (SensEl == 1)
            envoie(octet::ElHaut);
        else if (SensEl == -1)
            envoie(octet::ElBas);
        if (SensAz == 1)
            envoie(octet::AzHoraire);
        else if (SensAz == -1)
            envoie(octet::AzAntiHoraire);
    }
    // 5.
    recalculeEtendus();
    // 6, 7. Azimuth end stop and stop.
    const bool buteeAz = (AzimutEtendu <= s_.ButeeG && SensAz == -1) || (AzimutEtendu >= s_.ButeeD && SensAz == 1);
    if (buteeAz)
        resetPoursuite(false);
    if ((AllerConsigneAz && SensAz * (ConsigneAzimutEtendue - AzimutEtendu) < 0) ||
        (PoursuiteAz && (!PoursuiteActive || SensAz * (AzimutEtendu - AzimutSourceEtendu) > s_.AzimOf)) ||
        (MoteurAzActif && buteeAz)) {
        AllerConsigneAz = PoursuiteAz = false;
        if (MoteurAzActif)
            arretAz();
    }
    // 8. Elevation.
    const bool buteeEl =
        (ElevationAntenne >= s_.ButeeH && SensEl == 1) || (ElevationAntenne <= s_.ButeeB && SensEl == -1);
    if (buteeEl)
        resetPoursuite(false);
    if ((AllerConsigneEl && SensEl * (ConsigneElevation - ElevationAntenne) < 0) ||
        (PoursuiteEl && (!PoursuiteActive || SensEl * (ElevationAntenne - ElevationSource) > s_.ElevOf)) ||
        (MoteurElActif && buteeEl)) {
        AllerConsigneEl = PoursuiteEl = false;
        if (MoteurElActif)
            arretEl();
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
        v = ecart > s_.AngDecr ? static_cast<int>(std::trunc(s_.AutoVit * 63))
                               : static_cast<int>(std::trunc(ecart / s_.AngDecr * s_.AutoVit * 63));
        const int max = platform::CInt(s_.AutoVit * 63);
        if (v > max)
            v = max;
        v += 64;
        if (v < 65)
            v = 65;
        if (v > 127)
            v = 127;
        etat = 1;
    } else if (std::fabs(ecart) > on) {
        v = std::fabs(ecart) > s_.AngDecr ? static_cast<int>(std::trunc(s_.AutoVit * -64))
                                          : static_cast<int>(std::trunc(ecart / s_.AngDecr * s_.AutoVit * 64));
        const int min = platform::CInt(s_.AutoVit * -64);
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
        CibleAz = AzimutSourceEtendu;
        CibleEl = static_cast<float>(ElevationSource);
    }
    if (!AllerConsigneEl && !AllerConsigneAz && !PoursuiteEl && !PoursuiteAz) {
        CibleAz = AzimutEtendu;
        CibleEl = ElevationAntenne;
        ConsigneAzimut = AzimutEtendu;
        ConsigneElevation = ElevationAntenne;
    }
    EcartAz = CibleAz - AzimutEtendu;
    VitesseAz = vitesseProportionnelle(EcartAz, s_.AzimOn, s_.AzimOf, EtatVitesseAz, MoteurAzActif);
    envoie(static_cast<uint8_t>(VitesseAz));
    EcartEl = CibleEl - ElevationAntenne;
    VitesseEl = vitesseProportionnelle(EcartEl, s_.ElevOn, s_.ElevOf, EtatVitesseEl, MoteurElActif);
    envoie(static_cast<uint8_t>(VitesseEl));
    if ((std::abs(VitesseAz - 64) <= 1 && std::abs(VitesseEl - 64) <= 1 && !PoursuiteActive) ||
        (!MoteurAzActif && !MoteurElActif)) {
        c.MenuAntenne0Enabled = c.MenuFichier0Enabled = c.MenuAntenne4Enabled = c.ImgParkEnabled = true;
    } else if (c.MenuFichier0Enabled) {
        c.MenuAntenne0Enabled = c.MenuFichier0Enabled = c.MenuAntenne4Enabled = c.ImgParkEnabled = false;
    }
    if (PoursuiteActive && !(PoursuiteAz && PoursuiteEl))
        PiloteAntenne(4);
    if (MoteursEnPause) {
        MoteursEnPause = false;
        envoie(octet::ElHaut);
        envoie(octet::AzHoraire);
    }
    if (!PoursuiteActive && (PoursuiteEl || PoursuiteAz) && (MoteurAzActif || MoteurElActif)) {
        ConsigneElevation = ElevationAntenne;
        ConsigneAzimut = AzimutAntenne;
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
