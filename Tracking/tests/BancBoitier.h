#pragma once
// The tracking core (Suivi) against the interface-box simulator on a real
// pseudo-terminal, with simulated time driven by the bytes on the line (a
// fixed time per byte): closed-loop tests need no wall clock.

#include "Tracking/Suivi.h"
#include "Tracking/tests/Outils.h"
#include "platform/Text.h"
#include "platform/serial/SerialPort.h"
#include "tools/boxsim/PtyServer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace suivi::test {

using Octets = std::vector<uint8_t>;

// The bytes the box has taken so far, once it holds at least `auMoins` of
// them (or after `delaiMs`): a stop byte that gets no reply in time may still
// reach a box that answers nothing, a moment after the sender went on.
inline Octets journal(boxsim::PtyServer& serveur, size_t auMoins = 0, int delaiMs = 2000)
{
    const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(delaiMs);
    for (;;) {
        Octets o = serveur.withBox([](boxsim::Box& b) { return Octets(b.log().begin(), b.log().end()); });
        if (o.size() >= auMoins || std::chrono::steady_clock::now() >= fin)
            return o;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The bytes the box has taken, once they end with `fin` (or after
// `delaiMs`).
inline Octets journalFinissantPar(boxsim::PtyServer& serveur, const Octets& fin, int delaiMs = 2000)
{
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(delaiMs);
    for (;;) {
        Octets o = journal(serveur);
        if ((o.size() >= fin.size() && std::equal(fin.begin(), fin.end(), o.end() - static_cast<long>(fin.size()))) ||
            std::chrono::steady_clock::now() >= limite)
            return o;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// What the box flagged the program for doing against the protocol (a byte
// while a reply was due, a speed byte outside its place in a cycle), except
// those `admise` accepts; every test that runs the program against the box
// ends with this check empty.
inline std::vector<std::string> violations(boxsim::PtyServer& serveur,
                                           const std::function<bool(const std::string&)>& admise = {})
{
    std::vector<std::string> v = serveur.withBox([](boxsim::Box& b) { return b.violations(); });
    if (admise)
        v.erase(std::remove_if(v.begin(), v.end(), admise), v.end());
    return v;
}
inline void sansViolation(boxsim::PtyServer& serveur, const std::function<bool(const std::string&)>& admise = {})
{
    EXPECT_EQ(violations(serveur, admise), std::vector<std::string>{}) << "bytes the protocol forbids";
}

// The box's clock as the program's monotonic clock: the motors move by the
// bytes on the line, and the program measures its cycles, the speed of its
// readings and a frozen reading in that same time.
inline std::function<double()> horlogeDe(boxsim::PtyServer& serveur)
{
    return [&serveur] { return serveur.simulatedSeconds(); };
}

// Starts `serveur` on a pseudo-terminal linked as COM1 in `dossier`; call it
// under ASSERT_NO_FATAL_FAILURE.
inline void brancheCom1(boxsim::PtyServer& serveur, const QString& dossier)
{
    std::string err;
    ASSERT_TRUE(serveur.openPty(&err)) << err;
    ASSERT_TRUE(serveur.linkAs(dossier.toStdString(), 1, &err)) << err;
    serveur.start();
}

// How many times `octet` stands in `o` from position `debut` on.
inline int compte(const Octets& o, uint8_t octet, size_t debut = 0)
{
    int n = 0;
    for (size_t i = debut; i < o.size(); ++i)
        n += o[i] == octet;
    return n;
}

// Scripted boxes that let a test act or look at the line as each box opens.
struct DialoguesEspion : platform::ScriptedDialogs {
    std::function<void(const QString& titre)> avant;
    platform::Answer message(const QString& text, platform::Buttons buttons, platform::Icon icon,
                             const QString& title) override
    {
        if (avant)
            avant(title);
        return ScriptedDialogs::message(text, buttons, icon, title);
    }
    QString input(const QString& prompt, const QString& title, const QString& defaultText,
                  std::optional<QPoint> position) override
    {
        if (avant)
            avant(title);
        return ScriptedDialogs::input(prompt, title, defaultText, position);
    }
};

// The yield of the loop: counts the cycles, stops after `limite`, and runs
// `chaqueCycle` before each (the operator's actions, the checks).
struct VueBanc : Vue {
    int cycles = 0;
    int limite = 0;
    std::function<void()> chaqueCycle;
    std::function<void()> rafraichi;
    bool ceder() override
    {
        if (chaqueCycle)
            chaqueCycle();
        return ++cycles <= limite;
    }
    void rafraichit() override
    {
        if (rafraichi)
            rafraichi();
    }
};

// The line of the tests: manual time moved by `secondesParOctet` of the
// box's time for each byte, and the replies to drive bytes held 1 ms of real
// time, so that a byte the program sends without awaiting such a reply (stop
// bytes back to back) is flagged at every run, not only when the thread of
// the box happens to run late.
constexpr double MaintienReponses = 0.001;
inline boxsim::ServerOptions ligne(double secondesParOctet)
{
    return {false, false, secondesParOctet, MaintienReponses};
}

struct BancBoitier {
    // `delaiMs`: how long one exchange waits for its reply (generous: a
    // loaded machine may hold the simulator's thread for a while).
    BancBoitier(const StationTrack& station, const boxsim::BoxConfig& boite, double secondesParOctet = 0.01,
                int delaiMs = 1000, const Corrections& corrections = {})
        : serveur(boite, ligne(secondesParOctet)), horloge(QDateTime(QDate(2024, 6, 1), QTime(10, 0))),
          suivi(dialogs, horloge, vue), liaison(port, delaiMs, [this] { suivi.Pilotage.panne(); })
    {
        std::string err;
        EXPECT_TRUE(serveur.openPty(&err)) << err;
        EXPECT_TRUE(serveur.linkAs(dir.path().toStdString(), 1, &err)) << err;
        serveur.start();
        EXPECT_TRUE(port.open(1, dir.path()));
        EXPECT_TRUE(suivi.Initialise(station, corrections));
        suivi.setLiaison(liaison);
        suivi.PortOuvert = true;
        suivi.fin = [this] { fini = true; };
        suivi.surErreurPort = [this] { panne(); };
        suivi.Pilotage.delaiReponse = delaiMs / 1000.0;
        suivi.secondesMonotones = horlogeDe(serveur);
    }
    ~BancBoitier() { sansViolation(serveur, violationAdmise); }
    // The box of a test: both motors at `vitesse` degrees per second.
    static boxsim::BoxConfig boite(boxsim::DriveMode m, double vitesse = 20)
    {
        boxsim::BoxConfig c;
        c.mode = m;
        c.azimuth.rate = vitesse;
        c.elevation.rate = vitesse;
        return c;
    }
    // The program's failure path: the port error box, then the orderly end.
    void panne()
    {
        suivi.dialogues().message("Error on the serial port " + platform::Str(suivi.Station.PortCom) +
                                      "\rVerify the data and hardware !\r\rQuit the Tracking of Selvane !",
                                  platform::Buttons::Ok, platform::Icon::Exclamation, "Communication Port Error");
        suivi.FinProgramme();
    }
    // The loop once (entry bytes included), then further cycles by the step
    // function, as the events between them would leave them.
    void tourne(int cycles)
    {
        vue.cycles = 0;
        vue.limite = cycles;
        if (!entree) {
            entree = true;
            suivi.BoucleTracking();
            return;
        }
        while (vue.ceder() && suivi.Cycle()) {
        }
    }
    Octets octets(size_t auMoins = 0) { return journal(serveur, auMoins); }
    void videJournal()
    {
        serveur.withBox([](boxsim::Box& b) { b.clearLog(); });
    }

    bool entree = false;
    // A violation the test expects (none unless set).
    std::function<bool(const std::string&)> violationAdmise;
    QTemporaryDir dir;
    boxsim::PtyServer serveur;
    DialoguesEspion dialogs;
    platform::ManualClock horloge;
    VueBanc vue;
    Suivi suivi;
    platform::SerialPort port;
    LiaisonSerie liaison;
    bool fini = false;
};

// The antenna as the box moves it, on the program's extended scale: the
// position at the start plus the motion since, so that a run past a stop or
// through north shows as it is (the encoder would wrap).
struct Trace {
    double az0 = 0, el0 = 0, angleAz0 = 0, angleEl0 = 0;
    double az = 0, el = 0;
    double azMin = 1e9, azMax = -1e9, elMin = 1e9, elMax = -1e9;
    void debut(BancBoitier& b, double azEtendu, double el)
    {
        az0 = azEtendu;
        el0 = el;
        angleAz0 = b.serveur.withBox([](boxsim::Box& x) { return x.azimuthState().angle; });
        angleEl0 = b.serveur.withBox([](boxsim::Box& x) { return x.elevationState().angle; });
        note(b);
    }
    void note(BancBoitier& b)
    {
        az = az0 + b.serveur.withBox([](boxsim::Box& x) { return x.azimuthState().angle; }) - angleAz0;
        el = el0 + b.serveur.withBox([](boxsim::Box& x) { return x.elevationState().angle; }) - angleEl0;
        azMin = std::min(azMin, az);
        azMax = std::max(azMax, az);
        elMin = std::min(elMin, el);
        elMax = std::max(elMax, el);
    }
};

// A station and a box whose encoders agree with it (the box's offsets are
// the station's), the antenna placed at `az` (extended scale) and `el`.
struct Boucle : BancBoitier {
    Boucle(const StationTrack& s, double az, double el, double vitesse = 10, double secondesParOctet = 0.005,
           int delaiMs = 1000, const Corrections& c = {})
        : BancBoitier(s, boite(s, vitesse), secondesParOctet, delaiMs, c)
    {
        const double a = az >= 360 ? az - 360 : az;
        serveur.withBox([&](boxsim::Box& x) {
            x.setAzimuth(a);
            x.setElevation(el);
        });
        trace.debut(*this, az, el);
        vue.chaqueCycle = [this] {
            trace.note(*this);
            if (action)
                action();
        };
    }
    static boxsim::BoxConfig boite(const StationTrack& s, double vitesse)
    {
        boxsim::BoxConfig c = BancBoitier::boite(
            s.SpeedControl == ModeVitesse ? boxsim::DriveMode::Proportional : boxsim::DriveMode::Relay, vitesse);
        c.azimuth.encoder.offset = s.OffAz;
        c.elevation.encoder.offset = s.OffEl;
        return c;
    }
    bool moteursArretes()
    {
        return serveur.withBox([](boxsim::Box& b) { return b.azimuthVelocity() == 0 && b.elevationVelocity() == 0; });
    }
    Trace trace;
    std::function<void()> action;
};

// A station of drive mode `mode`, azimuth stops g and d, offset offAz
// (azStop 1: a continuous encoder), elevation stops b and h; the park in the
// middle of the travel.
inline StationTrack station(int16_t mode, int16_t g, int16_t d, float offAz, int16_t b = 0, int16_t h = 90,
                            int16_t azStop = 0)
{
    StationTrack s = stationBox(mode);
    s.AzStop = azStop;
    s.AzimOn = 1;
    s.ElevOn = 1;
    s.ButeeG = g;
    s.ButeeD = d;
    s.OffAz = offAz;
    s.ButeeB = b;
    s.ButeeH = h;
    s.ParkAz = static_cast<int16_t>(g < d ? (g + d) / 2 : g);
    s.ParkEl = static_cast<int16_t>((b + h) / 2);
    s.OffEl = b;
    EXPECT_TRUE(verifierStation(s));
    return s;
}

// One cycle's run at the box's speed: how far a relay can coast past a stop
// between the reading that saw it inside and its stop byte.
constexpr double Marge = 1.5;

} // namespace suivi::test
