#include "Tracking/Protocole.h"

#include "platform/serial/SerialPort.h"

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
    const std::optional<uint8_t> r = port_.exchange(code, delaiMs_);
    if (!r) {
        panne_declaree_ = true;
        if (panne_)
            panne_();
        return 0;
    }
    return *r;
}

void LiaisonSerie::vider()
{
    if (port_.isOpen())
        port_.flush();
}

bool LiaisonSerie::ouverte() const { return port_.isOpen(); }

void LiaisonSerie::fermer() { port_.close(); }

} // namespace suivi
