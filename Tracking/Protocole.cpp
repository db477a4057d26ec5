#include "Tracking/Protocole.h"

#include "platform/serial/SerialPort.h"

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

int LiaisonSerie::echange(uint8_t code)
{
    if (panne_declaree_ || !port_.isOpen())
        return 0;
    soldeReponses();
    const std::optional<uint8_t> r = port_.exchange(code, delaiMs_);
    if (!r) {
        panne_declaree_ = true;
        if (panne_)
            panne_();
        return 0;
    }
    return *r;
}

void LiaisonSerie::envoieArret(const std::vector<uint8_t>& codes)
{
    if (!port_.isOpen())
        return;
    for (const uint8_t c : codes)
        if (port_.send(c, DelaiArretMs))
            ++reponsesDues_;
}

void LiaisonSerie::soldeReponses()
{
    if (reponsesDues_ == 0)
        return;
    // A failed link gets no reply: nothing is waited for then.
    int recues = 0;
    const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(DelaiArretMs);
    while (!panne_declaree_ && recues < reponsesDues_) {
        const auto reste =
            std::chrono::duration_cast<std::chrono::milliseconds>(fin - std::chrono::steady_clock::now()).count();
        if (reste <= 0 || !port_.waitForInput(static_cast<int>(reste)))
            break;
        recues += static_cast<int>(port_.input().size());
    }
    port_.input();
    reponsesDues_ = 0;
}

void LiaisonSerie::vider()
{
    if (!port_.isOpen())
        return;
    soldeReponses();
    // Every command before has had its reply: the transmit buffer can hold
    // nothing but stop bytes still on their way, and those must leave.
    port_.drainOutput(DelaiArretMs);
    port_.flush();
}

bool LiaisonSerie::ouverte() const { return port_.isOpen(); }

void LiaisonSerie::fermer()
{
    // Emptying the transmit buffer must not discard stop bytes still on
    // their way out: they leave first (a few ms at 9600 baud).
    port_.drainOutput(DelaiArretMs);
    port_.close();
    reponsesDues_ = 0;
}

} // namespace suivi
