#pragma once
// The interface box's wire format: the command bytes, the decoding of the
// encoder replies, the limits on speed bytes, and the link that carries one
// command byte out and one reply byte back. No widget here.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
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

// The reply limit, milliseconds: how long an exchange waits for the box's
// reply. An exchange takes 2.1 ms at 9600 baud, and a USB serial adapter adds
// its latency timer (16 ms by default on common chips) to each reply; a box
// slower than this is a failing box.
constexpr int DelaiReponseMs = 100;

// The link to the box. Every byte on the line is an exchange: one command
// byte out, then its one reply awaited up to the reply limit, before any
// other byte goes out; so two bytes are never in flight at once, stop bytes
// included. A link with no box (COM 0) sends nothing and answers 0.
class Liaison {
public:
    virtual ~Liaison() = default;
    // The reply 0..255. When the box does not answer in time, the link marks
    // itself failed, calls its failure handler once, and from then on answers
    // 0 without sending.
    virtual int echange(uint8_t code) = 0;
    // One stop byte as an exchange: sent and its reply awaited up to the
    // limit, also after the link has failed (as long as the port is open);
    // a reply the box still owes for the byte before is awaited first, up
    // to the limit too. True when its own reply came. Never calls the
    // failure handler: the stop path runs while the program ends, where no
    // box may open.
    virtual bool arret(uint8_t) { return true; }
    // Marks the link failed and calls the failure handler, once (a reading
    // the box cannot have given, a stop byte left unanswered).
    virtual void declarePanne() {}
    virtual bool enPanne() const { return false; }
    // Empties both buffers (start of each cycle).
    virtual void vider() {}
    virtual bool ouverte() const { return false; }
    // Lets the bytes already sent leave the port, then closes it.
    virtual void fermer() {}
    // Seconds of the last exchange that the process did not run (a wait that
    // took longer than it asked: the process stopped, a loaded machine), as
    // far as the link can tell; 0 when it cannot.
    virtual double secondesTenues() const { return 0; }
};

class LiaisonNulle : public Liaison {
public:
    int echange(uint8_t) override { return 0; }
};

// The real link over the serial port. `delaiMs`, the reply limit, bounds the
// wait for each reply.
class LiaisonSerie : public Liaison {
public:
    LiaisonSerie(platform::SerialPort& port, int delaiMs, std::function<void()> panne);
    int echange(uint8_t code) override;
    bool arret(uint8_t code) override;
    void declarePanne() override;
    bool enPanne() const override { return panne_declaree_; }
    void setDelai(int delaiMs) { delaiMs_ = delaiMs; }
    void vider() override;
    bool ouverte() const override;
    void fermer() override;
    double secondesTenues() const override { return tenues_; }

private:
    // Sends `code` and waits up to the limit for its reply. Replies still
    // owed to earlier bytes that went unanswered are awaited first, up to the
    // limit, so that the box gets no byte while it still owes one (past it the
    // byte goes all the same, and they are taken and dropped before its own).
    // nullopt when its own reply did not come in time (it is then owed in
    // turn).
    std::optional<uint8_t> transmet(uint8_t code);
    // Takes up to `nombre` bytes within the limit: the count taken, the
    // `nombre`-th of them in `dernier` when it came.
    int recoit(int nombre, uint8_t& dernier);

    platform::SerialPort& port_;
    int delaiMs_;
    std::function<void()> panne_;
    bool panne_declaree_ = false;
    int reponsesDues_ = 0;
    double tenues_ = 0;
};

} // namespace suivi
