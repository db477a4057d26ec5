#include "Tracking/Protocole.h"

#include "platform/serial/SerialPort.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace suivi {

int valeurBcd(uint8_t b)
{
    const int haut = b >> 4, bas = b & 0x0F;
    if (haut > 9)
        return 0;
    if (bas > 9)
        return haut;
    return haut * 10 + bas;
}

float replie(float x, float tour)
{
    if (!std::isfinite(x))
        return 0;
    float r = std::fmod(x, tour);
    if (r < 0)
        r += tour;
    if (r >= tour) // a tiny negative remainder rounds up to the turn
        r = 0;
    return r;
}

double decodeCodeur(const QString& format, uint8_t haut, uint8_t bas, float rang)
{
    if (format == QLatin1String("BCD"))
        return 10.0 * valeurBcd(haut) + valeurBcd(bas) / 10.0;
    return (256.0 * haut + bas) / 65536.0 * rang;
}

float azimutCodeur(double lecture, const QString& unite, float offset)
{
    float a = static_cast<float>(lecture);
    if (unite == QLatin1String("Grd"))
        a = static_cast<float>(a * 0.9);
    a = a + offset;
    if (a >= 360)
        a = a - 360;
    if (a < 0)
        a = a + 360;
    // A reading beyond the encoder's range (a garbage BCD word reads up to
    // 999.9) folds on into the turn: the azimuth is always in [0, 360).
    if (!(a >= 0 && a < 360))
        a = replie(a, 360);
    return a;
}

float elevationCodeur(double lecture, const QString& unite, float offset)
{
    float e = static_cast<float>(lecture);
    if (unite == QLatin1String("Grd"))
        e = static_cast<float>(e * 0.9);
    e = e + offset;
    if (e >= 180)
        e = e - 360;
    if (e < -180)
        e = e + 360;
    if (!(e >= -180 && e < 180))
        e = replie(e + 180, 360) - 180;
    return e;
}

int limiteVitesseEcart(int v)
{
    if (v > 127)
        v = 127;
    if (v >= 16 && v <= 18)
        v = 15;
    if (v < 5)
        v = 5;
    return v;
}

int limiteVitesseProportionnelle(int v)
{
    if (v >= 16 && v <= 18)
        v = 19;
    if (v < 5)
        v = 5;
    return v;
}

LiaisonSerie::LiaisonSerie(platform::SerialPort& port, int delaiMs, std::function<void()> panne)
    : port_(port), delaiMs_(delaiMs), panne_(std::move(panne))
{
}

namespace {
using Horloge = std::chrono::steady_clock;
// The time a wait took beyond what it asked (and a scheduling slack): the
// process did not run for it.
double au_dela(Horloge::time_point debut, long long demandeMs)
{
    const double duree = std::chrono::duration<double>(Horloge::now() - debut).count();
    const double demande = std::max<long long>(demandeMs, 0) / 1000.0;
    return duree > demande + 0.05 ? duree - demande : 0.0;
}
} // namespace

int LiaisonSerie::recoit(int nombre, uint8_t& dernier)
{
    // The limit is the box's time, spent only by the waits: the first wait
    // is handed all of it, and each one spends what it took, less what it
    // ran beyond what it asked (the process did not run). Time between the
    // waits is not counted.
    int recus = 0;
    double resteMs = std::max(delaiMs_, 0);
    for (bool derniere = false; recus < nombre && !derniere;) {
        // Once the limit is spent the line is still looked at once: a reply
        // that came in time is not lost to a thread that ran late.
        derniere = resteMs <= 0;
        const long long demandeMs = static_cast<long long>(std::ceil(std::max(resteMs, 0.0)));
        const auto debut = Horloge::now();
        const bool venu = port_.waitForInput(static_cast<int>(demandeMs));
        const double tenu = au_dela(debut, demandeMs);
        tenues_ += tenu;
        const double dureeMs = std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
        resteMs -= std::max(dureeMs - 1000 * tenu, 0.0);
        if (!venu)
            break;
        // Everything waiting is read: a byte beyond the last one awaited (a
        // box that answers twice) goes with it.
        const QByteArray octets = port_.input();
        if (recus + octets.size() >= nombre)
            dernier = static_cast<uint8_t>(octets.at(nombre - 1 - recus));
        recus += static_cast<int>(octets.size());
    }
    return recus;
}

std::optional<uint8_t> LiaisonSerie::transmet(uint8_t code)
{
    uint8_t reponse = 0;
    tenues_ = 0;
    // A box still busy with a byte whose reply did not come in time gets no
    // other one before that reply, or the limit: its reply is awaited first.
    if (reponsesDues_ > 0)
        reponsesDues_ = std::max(reponsesDues_ - recoit(reponsesDues_, reponse), 0);
    const auto envoi = Horloge::now();
    const bool parti = port_.send(code, delaiMs_);
    tenues_ += au_dela(envoi, delaiMs_);
    if (!parti) {
        ++reponsesDues_; // it may have left all the same
        return std::nullopt;
    }
    // Replies still owed (past the limit above) come first on the line: they
    // are taken and dropped before this byte's own.
    const int attendus = reponsesDues_ + 1;
    const int recus = recoit(attendus, reponse);
    if (recus >= attendus) {
        reponsesDues_ = 0;
        return reponse;
    }
    reponsesDues_ = attendus - recus;
    return std::nullopt;
}

int LiaisonSerie::echange(uint8_t code)
{
    if (panne_declaree_ || !port_.isOpen())
        return 0;
    const std::optional<uint8_t> r = transmet(code);
    if (!r) {
        declarePanne();
        return 0;
    }
    return *r;
}

bool LiaisonSerie::arret(uint8_t code)
{
    if (!port_.isOpen())
        return false;
    return transmet(code).has_value();
}

void LiaisonSerie::declarePanne()
{
    if (panne_declaree_)
        return;
    panne_declaree_ = true;
    if (panne_)
        panne_();
}

void LiaisonSerie::vider()
{
    if (!port_.isOpen())
        return;
    // Every byte before has had its reply: the buffers hold at most a stray
    // byte of a box that answers twice.
    port_.drainOutput(delaiMs_);
    port_.flush();
}

bool LiaisonSerie::ouverte() const { return port_.isOpen(); }

void LiaisonSerie::fermer()
{
    port_.drainOutput(delaiMs_);
    port_.close();
    reponsesDues_ = 0;
}

} // namespace suivi
