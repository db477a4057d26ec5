#include "Tracking/Pilote.h"

#include "platform/Text.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace suivi {

using Axe = ControleMouvement::Axe;
using Cause = ControleMouvement::Cause;

// ------------------------------------------------------------ Ligne

bool Ligne::prend(bool& imbrique)
{
    imbrique = false;
    const pthread_t moi = pthread_self();
    const int e = etat_.load();
    if (e == Echange && pthread_equal(tenant_.load(), moi)) {
        imbrique = true; // a stop byte of the controller's own failure path, inside its exchange
        return true;
    }
    for (;;) {
        if (arret_.load())
            return false;
        int libre = Libre;
        if (etat_.compare_exchange_strong(libre, Echange)) {
            tenant_.store(moi);
            break;
        }
        if (libre == Arret)
            return false;
        // Another thread's exchange (never in a sound program): its end.
        const timespec t{0, 200000};
        ::nanosleep(&t, nullptr);
    }
    // The stop path may have asked between the test and the hold.
    if (arret_.load()) {
        rend();
        return false;
    }
    return true;
}

void Ligne::rend()
{
    int e = Echange;
    etat_.compare_exchange_strong(e, Libre);
}

void Ligne::prendPourArret(int delaiMs)
{
    arret_.store(true);
    const pthread_t moi = pthread_self();
    for (int attente = 0;; ++attente) {
        int e = Libre;
        if (etat_.compare_exchange_strong(e, Arret) || e == Arret) {
            tenant_.store(moi);
            return;
        }
        // An exchange under way: on this very thread (a signal handler on
        // top of it, which awaits the reply still owed itself), or past the
        // wait, the line is taken as it stands.
        if (pthread_equal(tenant_.load(), moi) || attente >= delaiMs) {
            etat_.store(Arret);
            tenant_.store(moi);
            return;
        }
        const timespec t{0, 1000000};
        ::nanosleep(&t, nullptr);
    }
}

bool Ligne::tenuePar(pthread_t fil) const
{
    return etat_.load() != Libre && pthread_equal(tenant_.load(), fil);
}

void Ligne::libere()
{
    etat_.store(Libre);
    arret_.store(false);
}

// ------------------------------------------------------------ the controller's link

int Pilote::LiaisonPilote::echange(uint8_t code)
{
    bool imbrique = false;
    if (!interne || !p_.ligne_.prend(imbrique))
        return 0;
    const double debut = p_.maintenant();
    p_.Controle.debutEchange(debut);
    const int r = interne->echange(code);
    // A reply may take the limit three times over (a reply still owed, the
    // byte's own leaving, its reply): beyond, the program was held, and so
    // is the time the link found its waits took beyond what they asked.
    const double fin = p_.maintenant();
    p_.Controle.echange(debut, fin, 3 * p_.delaiReponse + 0.05, interne->secondesTenues());
    p_.dureeEchange_ = std::clamp(fin - debut, 0.0, p_.delaiReponse);
    p_.tenuesEchanges_ += interne->secondesTenues();
    // A start or a speed byte: the box may run the drive so from the moment
    // it left (the drive's state was set before it went out).
    const bool relais = code <= octet::AzAntiHoraire || (code >= octet::ElArret && code <= octet::ElHaut);
    const bool vitesse = code >= 5 && code <= 127 && !(code >= 16 && code <= 18);
    if ((relais || vitesse) && !p_.verification_)
        p_.noteCommandes(debut);
    if (!imbrique)
        p_.ligne_.rend();
    return r;
}

bool Pilote::LiaisonPilote::arret(uint8_t code)
{
    if (!interne)
        return true;
    bool imbrique = false;
    const bool tenue = p_.ligne_.tenuePar(pthread_self()); // the stop path's, or inside the controller's own exchange
    if (!tenue && !p_.ligne_.prend(imbrique))
        return false; // the stop path has the line: it sends them
    const double debut = p_.maintenant();
    const bool r = interne->arret(code);
    if (!tenue) {
        // The controller's own (a pause, a full stop): the box's time.
        p_.Controle.debutEchange(debut);
        p_.Controle.echange(debut, p_.maintenant(), 3 * p_.delaiReponse + 0.05);
        if (!imbrique)
            p_.ligne_.rend();
    }
    return r;
}

void Pilote::LiaisonPilote::declarePanne()
{
    if (interne)
        interne->declarePanne();
}

bool Pilote::LiaisonPilote::enPanne() const
{
    // Once the stop path has the line the controller acts as on a failed one.
    return (interne && interne->enPanne()) || p_.ligne_.arretee();
}

void Pilote::LiaisonPilote::vider()
{
    bool imbrique = false;
    if (!interne || !p_.ligne_.prend(imbrique))
        return;
    interne->vider();
    if (!imbrique)
        p_.ligne_.rend();
}

bool Pilote::LiaisonPilote::ouverte() const { return interne && interne->ouverte(); }

void Pilote::LiaisonPilote::fermer()
{
    if (interne)
        interne->fermer();
}

// ------------------------------------------------------------ Pilote

Pilote::Pilote(const StationTrack& station, const Corrections& corrections)
    : liaison_(*this), Drive(station, liaison_), station_(station), corrections_(corrections)
{
    liaison_.interne = &nulle_;
    secondesMonotones = [] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
    dort = [this](double s) {
        std::unique_lock<std::mutex> l(m_);
        cv_.wait_for(l, std::chrono::duration<double>(std::max(s, 0.0)),
                     [this] { return fin_ || pauses_ > 0 || arretDemande_; });
    };
}

Pilote::~Pilote() { arrete(); }

void Pilote::setLiaison(Liaison& l) { liaison_.interne = &l; }

int Pilote::echange(uint8_t code) { return liaison_.echange(code); }

void Pilote::reinitialise(bool courseTraverseNord)
{
    arrete();
    Drive.reinitialise(courseTraverseNord);
    Controle.reinitialise({static_cast<float>(station_.ButeeG), static_cast<float>(station_.ButeeD), station_.AzimOn},
                          {static_cast<float>(station_.ButeeB), static_cast<float>(station_.ButeeH), station_.ElevOn});
    ligne_.libere();
    AzimutAntenne = ElevationAntenne = 0;
    Mesure = 0;
    MesureLue = false;
    LectureValide = true;
    LecturesRejetees = 0;
    lectureConnue_ = false;
    instantLectureAz_ = instantLectureEl_ = 0;
    azimutSource_ = elevationSource_ = 0;
    enPanne_ = false;
    finParking_ = -1;
    std::lock_guard<std::mutex> l(m_);
    etats_.clear();
    entrainement_.clear();
    periodes_.clear();
    pauses_ = tenues_ = 0;
    arretDemande_ = false;
    urgencesDemandees_ = urgencesFaites_ = 0;
    fin_ = false;
    publie_ = EtatPilote{};
    mesures_.clear();
    avis_.clear();
    cycles_ = 0;
    notifiee_ = false;
}

bool Pilote::lecturePlausible(float x0, float x1, double secondes)
{
    const double limite = EcartLectureFixe + VitesseLectureMax * std::max(secondes, 0.0);
    return std::fabs(replie(x1 - x0 + 180, 360) - 180) <= limite;
}

bool Pilote::surSonFil() const { return fil_.joinable() && std::this_thread::get_id() == fil_.get_id(); }

void Pilote::signale(const Avis& a)
{
    if (surSonFil()) {
        {
            std::lock_guard<std::mutex> l(m_);
            avis_.push_back(a);
        }
        publie();
        return;
    }
    if (surAvis)
        surAvis(a);
}

void Pilote::panne()
{
    // Each stop byte as an exchange, also on the failed link.
    const double t = maintenant();
    Drive.envoieArrets();
    noteCommandes(t);
    enPanne_ = true;
    signale({Avis::Type::PortErreur, {}, {}});
}

void Pilote::noteCommandes(double t)
{
    const bool vitesse = station_.SpeedControl == ModeVitesse;
    const auto note = [&](Axe a, bool enMarche, int sensRelais, int octetVitesse) {
        if (!vitesse) {
            Controle.commande(a, t, enMarche, sensRelais, 1.0);
            return;
        }
        const int sens = octetVitesse > 64 ? 1 : octetVitesse < 64 ? -1 : 0;
        const double fraction = octetVitesse > 64 ? (octetVitesse - 64) / 63.0 : (64 - octetVitesse) / 64.0;
        Controle.commande(a, t, enMarche, sens, fraction);
    };
    note(Axe::Azimut, Drive.EnMarcheAz, Drive.SensAz, Drive.VitesseAz);
    note(Axe::Elevation, Drive.EnMarcheEl, Drive.SensEl, Drive.VitesseEl);
}

void Pilote::appliqueVerdict(const ControleMouvement::Verdict& v)
{
    // Everything stops, each stop byte an exchange; the drives start again
    // only on the operator's order.
    const double t = maintenant();
    Drive.ArretComplet();
    Drive.envoieArrets();
    noteCommandes(t);
    signale({Avis::Type::Message, texteVerdict(v), QStringLiteral("Antenna Drive Error")});
}

bool Pilote::arreteSurVerdict(const ControleMouvement::Verdict& az, const ControleMouvement::Verdict& el)
{
    const ControleMouvement::Verdict& v = az ? az : el;
    if (!v)
        return false;
    appliqueVerdict(v);
    // Commands given before the operator saw the message are dropped.
    std::lock_guard<std::mutex> l(m_);
    entrainement_.clear();
    return true;
}

bool Pilote::verifieTenue()
{
    if (liaison_.enPanne() || ligne_.arretee())
        return false;
    if (verification_)
        return true;
    const ControleMouvement::Verdict v = Controle.tenue(maintenant());
    if (!v)
        return true;
    verification_ = true;
    if (v.cause == Cause::CycleLent)
        liaison_.declarePanne(); // the box is too slow: its failure path
    else
        appliqueVerdict(v);
    verification_ = false;
    return !liaison_.enPanne();
}

void Pilote::debutCycle()
{
    if (!verifieTenue())
        return;
    if (station_.PortCom > 0)
        liaison_.vider();
}

void Pilote::periode(uint8_t code)
{
    if (autonome() && !surSonFil()) {
        std::lock_guard<std::mutex> l(m_);
        periodes_.push_back(code);
        return;
    }
    liaison_.echange(code);
}

void Pilote::lectureCodeurs(bool mesure)
{
    // The box latches each word as it takes the request for its low byte:
    // between the instants before the low byte's request and after the
    // high byte's reply. A held process widens that window.
    const auto lit = [this](uint8_t bas, uint8_t haut, Fenetre& f, int& b, int& h) {
        f.debut = maintenant();
        tenuesEchanges_ = 0;
        b = liaison_.echange(bas);
        h = liaison_.echange(haut);
        f.fin = maintenant();
        f.sure = tenuesEchanges_ == 0 && f.fin - f.debut <= 2 * (delaiReponse + 0.05);
    };
    int azBas = 0, azHaut = 0, elBas = 0, elHaut = 0;
    lit(octet::AzCodeurBas, octet::AzCodeurHaut, fenetreAz_, azBas, azHaut);
    instantAz_ = fenetreAz_.debut;
    AzimutAntenne = azimutCodeur(decodeCodeur(station_.FormatAz, static_cast<uint8_t>(azHaut),
                                              static_cast<uint8_t>(azBas), station_.RangAz),
                                 station_.UniteAz, station_.OffAz);
    MesureLue = mesure;
    if (mesure)
        Mesure = liaison_.echange(octet::Mesure);
    lit(octet::ElCodeurBas, octet::ElCodeurHaut, fenetreEl_, elBas, elHaut);
    instantEl_ = fenetreEl_.debut;
    ElevationAntenne = elevationCodeur(decodeCodeur(station_.FormatEl, static_cast<uint8_t>(elHaut),
                                                    static_cast<uint8_t>(elBas), station_.RangEl),
                                       station_.UniteEl, station_.OffEl);
    if (corrections_.CorrectionActive) {
        // The azimuth is in [0, 360) (folded by the decoding), so i is 0..35
        // and i + 1 at most 36: no reading indexes outside the table.
        const float x = AzimutAntenne / 10;
        const int i = std::clamp(static_cast<int>(std::floor(x)), 0, 35);
        const float f = x - i;
        const auto& ta = corrections_.TableCorrectionAzimut;
        const auto& te = corrections_.TableCorrectionElevation;
        const float ca = ta[i] + (ta[i + 1] - ta[i]) * f;
        const float ce = te[i] + (te[i + 1] - te[i]) * f;
        AzimutAntenne = AzimutAntenne + ca;
        if (AzimutAntenne >= 360)
            AzimutAntenne = AzimutAntenne - 360;
        if (AzimutAntenne < 0)
            AzimutAntenne = AzimutAntenne + 360;
        ElevationAntenne = ElevationAntenne + ce;
    }
}

void Pilote::lectures(bool mesure)
{
    if (!verifieTenue())
        return;
    liaison_.echange(octet::Verrou);
    const float az0 = AzimutAntenne, el0 = ElevationAntenne;
    lectureCodeurs(mesure);
    LectureValide = true;
    if (station_.PortCom == 0 || liaison_.enPanne())
        return;
    // Each word against the longest time it may have had since the last one
    // acted on: the process may have been held between two requests.
    LectureValide =
        !lectureConnue_ || (lecturePlausible(az0, AzimutAntenne, fenetreAz_.fin - instantLectureAz_) &&
                            lecturePlausible(el0, ElevationAntenne, fenetreEl_.fin - instantLectureEl_));
    if (LectureValide) {
        lectureConnue_ = true;
        instantLectureAz_ = instantAz_;
        instantLectureEl_ = instantEl_;
        LecturesRejetees = 0;
        return;
    }
    AzimutAntenne = az0;
    ElevationAntenne = el0;
    if (++LecturesRejetees >= RejetsAvantPanne)
        liaison_.declarePanne();
}

bool Pilote::etape(double azimutSource, double elevationSource)
{
    if (!verifieTenue() || liaison_.enPanne() || ligne_.arretee())
        return false;
    if (station_.PortCom == 0) {
        // No box: no drive step; a demand changes what the windows show only.
        executeEntrainement();
        return false;
    }
    if (!LectureValide) {
        // A drive that runs on blind: stopped before it may have turned
        // about a degree, or reached its stop.
        const ControleMouvement::Verdict va = Controle.lectureIgnoree(Axe::Azimut, instantAz_);
        arreteSurVerdict(va, Controle.lectureIgnoree(Axe::Elevation, instantEl_));
        return false;
    }
    // The motion check on this cycle's readings, with the commands the box
    // ran since the step before.
    // (Azimuth first: each check notes its instant.)
    const ControleMouvement::Verdict va =
        Controle.lecture(Axe::Azimut, instantAz_, Drive.suitAzimut(AzimutAntenne), fenetreAz_.sure);
    if (arreteSurVerdict(va, Controle.lecture(Axe::Elevation, instantEl_, ElevationAntenne, fenetreEl_.sure))) {
        Drive.PrendPosition(AzimutAntenne, ElevationAntenne);
        return false;
    }
    // The operator's drive demands, at their place: with this cycle's
    // readings and under its checks (after the "Parking" notice).
    Drive.positionAntenne(AzimutAntenne, ElevationAntenne);
    Drive.AzimutSource = azimutSource;
    Drive.ElevationSource = elevationSource;
    // The drive step's commands count from before its first byte: a drive
    // may run from the moment its start byte leaves.
    const double debut = maintenant();
    if (finParking_ >= 0 && debut >= finParking_) {
        finParking_ = -1;
        Drive.c.AntenEtiq[2] = false;
    }
    if (finParking_ < 0)
        executeEntrainement();
    noteCommandes(debut);
    // From each reading to this decision, and the stop byte's own exchange.
    const double t = maintenant() + dureeEchange_;
    Drive.CourseAz = static_cast<float>(Controle.courseAvantLecture(Axe::Azimut, t - instantAz_));
    Drive.CourseEl = static_cast<float>(Controle.courseAvantLecture(Axe::Elevation, t - instantEl_));
    const double avantEtape = maintenant();
    const bool parc = Drive.Etape(AzimutAntenne, ElevationAntenne, azimutSource, elevationSource);
    noteCommandes(avantEtape);
    return parc;
}

// ------------------------------------------------------------ demands

void Pilote::demande(Demande d, int touche, float azimut, float elevation)
{
    const DemandeEnAttente a{d, touche, azimut, elevation};
    const bool etat = d == Demande::PoursuiteBascule || d == Demande::F1Pris || d == Demande::F1Rendu;
    if (!autonome() || surSonFil()) {
        // Stepped: no exchange is under way; a drive demand waits for the
        // next drive step.
        if (etat) {
            executeUne(a);
        } else {
            std::lock_guard<std::mutex> l(m_);
            entrainement_.push_back(a);
        }
        return;
    }
    {
        std::lock_guard<std::mutex> l(m_);
        (etat ? etats_ : entrainement_).push_back(a);
    }
    cv_.notify_all();
}

void Pilote::executeUne(const DemandeEnAttente& d)
{
    switch (d.d) {
    case Demande::PoursuiteBascule:
        if (Drive.c.MenuAntenne2Checked)
            Drive.PoursuiteArret();
        else
            Drive.PoursuiteMarche();
        break;
    case Demande::F1Pris: Drive.c.MenuAntenne0Enabled = false; break;
    case Demande::F1Rendu: Drive.c.MenuAntenne0Enabled = true; break;
    case Demande::Fleche: Drive.PasManuel(d.touche); break;
    case Demande::Consigne: Drive.ConsigneSaisie(d.azimut, d.elevation); break;
    case Demande::Parc: Drive.CommandeParking(); break;
    case Demande::BasculeMoteurs:
        Drive.c.MenuAntenne6Checked = false;
        Drive.BasculeMoteurs();
        break;
    }
}

void Pilote::executeEtat(std::unique_lock<std::mutex>& verrou)
{
    if (etats_.empty())
        return;
    std::deque<DemandeEnAttente> d;
    d.swap(etats_);
    verrou.unlock();
    for (const DemandeEnAttente& a : d)
        executeUne(a);
    publie();
    verrou.lock();
}

void Pilote::executeEntrainement()
{
    std::deque<DemandeEnAttente> d;
    {
        std::lock_guard<std::mutex> l(m_);
        d.swap(entrainement_);
    }
    for (const DemandeEnAttente& a : d)
        executeUne(a);
}

void Pilote::pause(int attenteMs)
{
    if (!autonome() || surSonFil()) {
        const double t = maintenant();
        Drive.PauseMoteurs();
        noteCommandes(t);
        return;
    }
    std::unique_lock<std::mutex> l(m_);
    ++pauses_;
    ++tenues_;
    const long ticket = ++urgencesDemandees_;
    cv_.notify_all();
    cv_.wait_for(l, std::chrono::milliseconds(attenteMs), [&] { return urgencesFaites_ >= ticket || fin_; });
}

void Pilote::relache()
{
    {
        std::lock_guard<std::mutex> l(m_);
        if (tenues_ > 0)
            --tenues_;
    }
    cv_.notify_all();
}

void Pilote::arretComplet(int attenteMs)
{
    if (!autonome() || surSonFil()) {
        const double t = maintenant();
        Drive.ArretComplet();
        Drive.envoieArrets();
        noteCommandes(t);
        return;
    }
    std::unique_lock<std::mutex> l(m_);
    arretDemande_ = true;
    const long ticket = ++urgencesDemandees_;
    cv_.notify_all();
    cv_.wait_for(l, std::chrono::milliseconds(attenteMs), [&] { return urgencesFaites_ >= ticket || fin_; });
}

void Pilote::source(double azimut, double elevation)
{
    std::lock_guard<std::mutex> l(m_);
    azimutSource_ = azimut;
    elevationSource_ = elevation;
}

bool Pilote::urgences(std::unique_lock<std::mutex>& verrou)
{
    for (;;) {
        if (fin_)
            return false;
        // Demands that send nothing go first: what was asked before a pause
        // is in the state the windows see while it holds.
        executeEtat(verrou);
        if (arretDemande_ || pauses_ > 0) {
            const bool complet = arretDemande_;
            arretDemande_ = false;
            pauses_ = 0;
            const long faites = urgencesDemandees_;
            verrou.unlock();
            const double t = maintenant();
            if (complet) {
                Drive.ArretComplet();
                Drive.envoieArrets();
            } else {
                Drive.PauseMoteurs();
            }
            noteCommandes(t);
            publie();
            verrou.lock();
            urgencesFaites_ = std::max(urgencesFaites_, faites);
            cv_.notify_all();
            continue;
        }
        if (tenues_ > 0) {
            cv_.wait(verrou);
            continue;
        }
        return true;
    }
}

// ------------------------------------------------------------ publication

EtatPilote Pilote::etatCourant() const
{
    EtatPilote e;
    e.c = Drive.c;
    {
        // Park is offered only when it can act: not while a move asked is
        // still to start.
        std::lock_guard<std::mutex> l(m_);
        e.parcPossible = Drive.parcPossible() && entrainement_.empty();
    }
    e.MoteurAzActif = Drive.MoteurAzActif;
    e.MoteurElActif = Drive.MoteurElActif;
    e.PoursuiteActive = Drive.PoursuiteActive;
    e.AllerConsigneAz = Drive.AllerConsigneAz;
    e.AllerConsigneEl = Drive.AllerConsigneEl;
    e.MoteursEnPause = Drive.MoteursEnPause;
    e.ParkingDemande = Drive.ParkingDemande;
    e.AzimutEtendu = Drive.AzimutEtendu;
    e.AzimutAntenne = AzimutAntenne;
    e.ElevationAntenne = ElevationAntenne;
    e.LectureValide = LectureValide;
    e.cycles = cycles_;
    return e;
}

void Pilote::publie()
{
    EtatPilote e = etatCourant();
    {
        std::lock_guard<std::mutex> l(m_);
        publie_ = std::move(e);
    }
    if (!notifiee_.exchange(true) && notifie)
        notifie();
}

EtatPilote Pilote::etat()
{
    std::lock_guard<std::mutex> l(m_);
    EtatPilote e = publie_;
    e.mesures.swap(mesures_);
    e.avis.swap(avis_);
    notifiee_ = false;
    return e;
}

// ------------------------------------------------------------ the controller's thread

void Pilote::demarre()
{
    arrete();
    {
        std::lock_guard<std::mutex> l(m_);
        fin_ = false;
    }
    fil_ = std::thread([this] { boucle(); });
}

void Pilote::arrete()
{
    if (!fil_.joinable())
        return;
    {
        std::lock_guard<std::mutex> l(m_);
        fin_ = true;
    }
    cv_.notify_all();
    if (std::this_thread::get_id() == fil_.get_id()) {
        fil_.detach();
        return;
    }
    fil_.join();
}

bool Pilote::arretMoteurs()
{
    // The exchange under way ends first: it may wait a reply still owed, its
    // byte's leaving and its own reply, each up to the limit; a loaded
    // machine may hold it longer still, so the wait is generous before the
    // line is taken as it stands.
    ligne_.prendPourArret(std::max(2000, static_cast<int>(6 * delaiReponse * 1000)));
    return Drive.envoieArrets();
}

void Pilote::boucle()
{
    try {
        liaison_.echange(octet::ElArret);
        liaison_.echange(octet::AzArret);
        for (;;) {
            {
                std::unique_lock<std::mutex> l(m_);
                if (!urgences(l))
                    return;
            }
            if (ligne_.arretee() || enPanne_) {
                // The line is the stop path's, or has failed: nothing more
                // goes out; the thread waits for its end.
                std::unique_lock<std::mutex> l(m_);
                cv_.wait(l, [this] { return fin_; });
                return;
            }
            cycleAutonome();
        }
    } catch (...) {
        // An error nothing traps: the drives stop before it ends the program.
        arretMoteurs();
        throw;
    }
}

void Pilote::cycleAutonome()
{
    debutCycle();
    std::deque<uint8_t> periodes;
    {
        std::lock_guard<std::mutex> l(m_);
        periodes.swap(periodes_);
    }
    for (const uint8_t p : periodes)
        liaison_.echange(p);
    lectures(mesure_);
    bool parc = false;
    {
        double az = 0, el = 0;
        bool attente = false;
        {
            std::lock_guard<std::mutex> l(m_);
            az = azimutSource_;
            el = elevationSource_;
            // A pause asked during the readings: no drive step before it.
            attente = pauses_ > 0 || arretDemande_ || tenues_ > 0 || fin_;
        }
        if (!attente)
            parc = etape(az, el);
    }
    ++cycles_;
    {
        std::lock_guard<std::mutex> l(m_);
        if (MesureLue && station_.PortCom > 0)
            mesures_.push_back(Mesure);
        else if (MesureLue)
            mesures_.push_back(0);
    }
    publie();
    if (parc)
        avisParking();
    if (station_.PortCom == 0 && dort)
        dort(attenteSansBoite);
}

void Pilote::avisParking()
{
    // The "Parking" notice for its time: the cycles and their checks go on
    // (a drive the operator runs by hand is watched), the operator's drive
    // commands wait until it has gone.
    Drive.c.AntenEtiq[2] = true;
    finParking_ = maintenant() + attenteParking;
    signale({Avis::Type::Bip, {}, {}});
}

// ------------------------------------------------------------ messages

QString Pilote::texteVerdict(const ControleMouvement::Verdict& v) const
{
    const bool az = v.axe == Axe::Azimut;
    const QString Axe1 = az ? QStringLiteral("The azimuth") : QStringLiteral("The elevation");
    const auto angle = [az](double x) {
        return platform::Format(az ? replie(static_cast<float>(x), 360) : static_cast<float>(x), "##0.00");
    };
    const auto entier = [](int x) { return platform::Str(x).trimmed(); };
    const QString butees = az ? QStringLiteral("stops ") + entier(station_.ButeeG % 360) + QStringLiteral(" and ") +
                                    entier(station_.ButeeD % 360)
                              : QStringLiteral("stops ") + entier(station_.ButeeB) + QStringLiteral(" and ") +
                                    entier(station_.ButeeH);
    const QString sens = v.sens > 0 ? (az ? QStringLiteral("clockwise") : QStringLiteral("up"))
                                    : (az ? QStringLiteral("counter-clockwise") : QStringLiteral("down"));
    const QString CR = QStringLiteral("\r");
    const QString arret = QStringLiteral(" : both drives are stopped.");
    const auto nombre = [](double x, int d) { return platform::Format(x, d == 1 ? "##0.0" : "##0.00"); };
    switch (v.cause) {
    case Cause::ContreCommande:
        return Axe1 + QStringLiteral(" was driven ") + sens + QStringLiteral(" and its reading went the other way, from ") +
               angle(v.reference) + QStringLiteral(" to ") + angle(v.lecture) + QStringLiteral(" (") + butees +
               QStringLiteral(")") + arret + CR + CR + Axe1 +
               QStringLiteral(" moves against its command: verify the motor wiring and the encoder direction !");
    case Cause::HorsButee: {
        const bool haut = v.butee >= (az ? static_cast<float>(station_.ButeeD) : static_cast<float>(station_.ButeeH));
        const QString nom = az ? (haut ? QStringLiteral("CW stop") : QStringLiteral("CCW stop"))
                               : (haut ? QStringLiteral("high stop") : QStringLiteral("low stop"));
        const int butee = static_cast<int>(std::lround(v.butee));
        return Axe1 + QStringLiteral(" reading ") + angle(v.lecture) + QStringLiteral(" is beyond its ") + nom +
               QStringLiteral(" (") + entier(az ? butee % 360 : butee) + QStringLiteral(") and still moving out") +
               arret + CR + CR +
               QStringLiteral("Verify the encoder and the drive relays, then bring the antenna back inside its stops !");
    }
    case Cause::SansMouvement:
        return Axe1 + QStringLiteral(" reading moved ") + nombre(std::max(v.deplacement, 0.0), 2) +
               QStringLiteral(" deg in ") + nombre(v.secondes, 1) + QStringLiteral(" s of drive ") + sens +
               QStringLiteral(", where the drive turns it ") + nombre(v.attendu, 2) + QStringLiteral(" deg (reading ") +
               angle(v.lecture) + QStringLiteral(", ") + butees + QStringLiteral(")") + arret + CR + CR +
               QStringLiteral("Verify the encoder, its cable and the motor !");
    case Cause::LecturesIgnorees:
        return Axe1 + QStringLiteral(" readings jump further than the antenna can turn while its drive runs ") + sens +
               QStringLiteral(" (last true reading ") + angle(v.lecture) + QStringLiteral(", ") + butees +
               QStringLiteral(")") + arret + CR + CR +
               QStringLiteral("Verify the encoder, its cable and the line to the interface box !");
    case Cause::Tenue:
    case Cause::CycleLent:
        return Axe1 + QStringLiteral(" drive was on for ") + nombre(v.secondes, 1) +
               QStringLiteral(" s while the program was held: the antenna may be past its stop (last reading ") +
               angle(v.lecture) + QStringLiteral(", ") + butees + QStringLiteral(")") + arret + CR + CR +
               QStringLiteral("Verify the antenna position before you drive it again !");
    case Cause::Aucune: break;
    }
    return {};
}

} // namespace suivi
