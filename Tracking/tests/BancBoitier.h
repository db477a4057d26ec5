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
#include <thread>

namespace suivi::test {

using Octets = std::vector<uint8_t>;

// The bytes the box has taken so far, once it holds at least `auMoins` of
// them (or after `delaiMs`): a stop byte is sent without waiting for its
// reply, so the box may take it a moment after the sender went on.
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

struct BancBoitier {
    // `delaiMs`: how long one exchange waits for its reply.
    BancBoitier(const StationTrack& station, const boxsim::BoxConfig& boite, double secondesParOctet = 0.01,
                int delaiMs = 500, const Corrections& corrections = {})
        : serveur(boite, {false, false, secondesParOctet}), horloge(QDateTime(QDate(2024, 6, 1), QTime(10, 0))),
          suivi(dialogs, horloge, vue), liaison(port, delaiMs, [this] { panne(); })
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
    }
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

} // namespace suivi::test
