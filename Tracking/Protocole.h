#pragma once
// The interface box's wire format: the command bytes, the decoding of the
// encoder replies, the limits on speed bytes, and the link that carries one
// command byte out and one reply byte back. No widget here.

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace platform { class SerialPort; }

namespace suivi {

// Command bytes. A reply is awaited for every one of them.
namespace octet {
constexpr uint8_t AzArret = 0x00;      // azimuth drive off
constexpr uint8_t AzHoraire = 0x01;    // azimuth clockwise on (proportional: drive enabled)
constexpr uint8_t AzAntiHoraire = 0x02;
constexpr uint8_t PeriodeAutre = 0x03; // start of the other station's period
constexpr uint8_t PeriodePropre = 0x04; // start of the station's own period
constexpr uint8_t ElArret = 0x10;
constexpr uint8_t ElBas = 0x11;
constexpr uint8_t ElHaut = 0x12;       // elevation up on (proportional: drive enabled)
constexpr uint8_t AzCodeurHaut = 0x80;
constexpr uint8_t AzCodeurBas = 0xA0;
constexpr uint8_t ElCodeurHaut = 0xC0;
constexpr uint8_t ElCodeurBas = 0xE0;
constexpr uint8_t Mesure = 0x95;       // 8-bit measurement input
constexpr uint8_t Verrou = 0x96;       // sent before the encoder requests, reply ignored
} // namespace octet

// A BCD byte read as the decimal number of its two hexadecimal digits; a
// nibble above 9 ends the number at that digit (0x3A -> 3, 0xA5 -> 0).
int valeurBcd(uint8_t b);

// One encoder reading in the axis unit: "BIN" (256 high + low) / 65536 x
// range; "BCD" 10 x high + low / 10 (0x35, 0x97 -> 359.7).
double decodeCodeur(const QString& format, uint8_t haut, uint8_t bas, float rang);

// x folded into [0, tour): whole turns taken off; a value that is not a
// finite number gives 0.
float replie(float x, float tour);

// Azimuth in degrees, [0, 360): the reading, x 0.9 for "Grd", plus the
// offset, wrapped once (a reading beyond the encoder's range folds on).
float azimutCodeur(double lecture, const QString& unite, float offset);
// Elevation in degrees, [-180, 180): the same, wrapped once about +-180.
float elevationCodeur(double lecture, const QString& unite, float offset);

// Speed bytes never take the values of a relay command or a request:
// relay + speed mode: above 127 -> 127, 16..18 -> 15, below 5 -> 5;
// proportional mode: 16..18 -> 19, below 5 -> 5 (above 127 cannot occur).
int limiteVitesseEcart(int v);
int limiteVitesseProportionnelle(int v);

// The link to the box: one command byte out, its reply back. A link with no
// box (COM 0) sends nothing and answers 0.
class Liaison {
public:
    virtual ~Liaison() = default;
    // The reply 0..255. When the box does not answer, the link calls its
    // failure handler once and answers 0 from then on without sending.
    virtual int echange(uint8_t code) = 0;
    // Stop bytes: sent at once, one after the other, without waiting for
    // their replies (a stop must not hang on a box that may not answer), and
    // also after the link has marked itself failed, as long as the port is
    // open. Their replies, when they come, are dropped before the next
    // exchange, so they are never taken for another command's reply.
    virtual void envoieArret(const std::vector<uint8_t>&) {}
    // Empties both buffers (start of each cycle).
    virtual void vider() {}
    virtual bool ouverte() const { return false; }
    // Lets the bytes already sent leave the port, then closes it.
    virtual void fermer() {}
};

class LiaisonNulle : public Liaison {
public:
    int echange(uint8_t) override { return 0; }
};

// The real link over the serial port. `delaiMs` bounds one exchange.
class LiaisonSerie : public Liaison {
public:
    LiaisonSerie(platform::SerialPort& port, int delaiMs, std::function<void()> panne);
    int echange(uint8_t code) override;
    void envoieArret(const std::vector<uint8_t>& codes) override;
    void vider() override;
    bool ouverte() const override;
    void fermer() override;
    bool enPanne() const { return panne_declaree_; }

    // Milliseconds at most that one stop byte may take to be handed to the
    // line, and that the replies still owed to stop bytes are waited for
    // before the next exchange (the whole wait, however many are owed).
    static constexpr int DelaiArretMs = 100;

private:
    // Takes and drops the replies owed to stop bytes (those that come in time).
    void soldeReponses();

    platform::SerialPort& port_;
    int delaiMs_;
    std::function<void()> panne_;
    bool panne_declaree_ = false;
    int reponsesDues_ = 0;
};

} // namespace suivi
