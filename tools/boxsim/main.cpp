// boxsim: the interface-box simulator on a pseudo-terminal.
//
//   boxsim [--folder DIR] [--com N] [options]
//
// Opens a pseudo-terminal, links it as DIR/COMn (default: ./COM1) and answers
// the box's command bytes until interrupted (Ctrl-C, SIGTERM) or, with
// --control, until "quit" or the end of standard input. The first line on
// standard output names the link and the device, so a parent process can wait
// for it. See usage() for every option.

#include "tools/boxsim/PtyServer.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

void usage()
{
    std::cout <<
        "usage: boxsim [options]\n"
        "  --folder DIR          station folder that gets the COMn link (default .)\n"
        "  --com N               port number of the link COMn (default 1)\n"
        "  --device PATH         serve on this terminal device instead of a new pty (no link)\n"
        "  --format BIN|BCD      encoder format of both axes (default BIN)\n"
        "  --az-format, --el-format BIN|BCD\n"
        "  --unit Deg|Grd        encoder unit of both axes (default Deg)\n"
        "  --az-unit, --el-unit Deg|Grd\n"
        "  --range R             BIN range of both axes in encoder units (default 360)\n"
        "  --az-range, --el-range R\n"
        "  --az-offset, --el-offset D  antenna angle at encoder zero, degrees (default 0)\n"
        "  --mode relay|speed    drive bytes: relays, or enable + proportional speed bytes\n"
        "  --rate R              full motor speed of both axes, degrees per second (default 2)\n"
        "  --az-rate, --el-rate R\n"
        "  --az A, --el E        starting antenna position, degrees\n"
        "  --measure N           8-bit measurement input 0..255 (default 0)\n"
        "  --silent | --mute | --garbage | --double | --trailing\n"
        "                        fault: no byte taken and no reply / bytes taken but no reply /\n"
        "                        wrong replies / two replies /\n"
        "                        each reply's complement sent late, ahead of the next reply\n"
        "  --garbage-share F     a share F (0..1) of the replies is garbage, drawn at random\n"
        "  --az-motor-reversed, --el-motor-reversed\n"
        "                        the axis turns against its command (a motor wired the wrong way)\n"
        "  --az-encoder-reversed, --el-encoder-reversed\n"
        "                        the encoder counts the other way while the axis moves as commanded\n"
        "  --az-runaway, --el-runaway R\n"
        "                        R degrees per second added to the encoder reading, whatever the motor does\n"
        "  --pace                reply after two 9600-baud byte times (about 2.1 ms)\n"
        "  --reply-delay S       each reply waits S seconds more (a slow box, a USB adapter's latency)\n"
        "  --reply-delay-max S   each reply waits a time drawn from reply-delay..S instead\n"
        "  --seed N              seed of the random draws (garbage, garbled replies, delays)\n"
        "  --manual              motors move only by the \"step\" control command\n"
        "  --byte-time S         each command byte advances the motors by S seconds\n"
        "  --control             read control commands from standard input, one a line:\n"
        "    status              true position, encoder readings, speeds (az= el= true; readAz= readEl=)\n"
        "    step S              advance the motors by S seconds\n"
        "    az A | el E         put the antenna there, its encoder reading it truly\n"
        "    measure N           the 8-bit measurement input\n"
        "    fault none|silent|mute|garbage|double|trailing\n"
        "    delay S [MAX]       each reply waits S seconds, or a time drawn from S..MAX\n"
        "    garbage F           a share F (0..1) of the replies is garbage\n"
        "    seed N              restart the random draws from seed N\n"
        "    unanswered N        the N-th byte from now (1: the next) is acted on but not answered\n"
        "    motor az|el normal|reversed     the axis turns with / against its command\n"
        "    encoder az|el normal|reversed   the reading runs with / against the motion\n"
        "    runaway az|el R     R degrees per second added to the reading (0: none)\n"
        "    freeze az|el on|off the reading stands where it is while the axis moves on\n"
        "    log | violations | quit\n"
        "  Each answers one line: \"ok\" (or the data asked for), \"error: LINE\" when not understood.\n"
        "Bytes the protocol forbids (a byte while a reply is due, a speed byte outside\n"
        "its place in a cycle) are listed by \"violations\" and on standard error at the end.\n";
}

bool parseFormat(const std::string& s, boxsim::EncoderFormat& out)
{
    if (s == "BIN" || s == "bin") { out = boxsim::EncoderFormat::Bin; return true; }
    if (s == "BCD" || s == "bcd") { out = boxsim::EncoderFormat::Bcd; return true; }
    return false;
}

bool parseUnit(const std::string& s, boxsim::EncoderUnit& out)
{
    if (s == "Deg" || s == "deg") { out = boxsim::EncoderUnit::Deg; return true; }
    if (s == "Grd" || s == "grd") { out = boxsim::EncoderUnit::Grd; return true; }
    return false;
}

bool parseFault(const std::string& s, boxsim::Fault& out)
{
    if (s == "none") { out = boxsim::Fault::None; return true; }
    if (s == "silent") { out = boxsim::Fault::Silent; return true; }
    if (s == "mute") { out = boxsim::Fault::Mute; return true; }
    if (s == "garbage") { out = boxsim::Fault::Garbage; return true; }
    if (s == "double") { out = boxsim::Fault::Double; return true; }
    if (s == "trailing") { out = boxsim::Fault::Trailing; return true; }
    return false;
}

bool parseNumber(const std::string& s, double& out)
{
    char* end = nullptr;
    errno = 0;
    out = std::strtod(s.c_str(), &end);
    // nan and inf would poison the motors and the encoder readings.
    return !s.empty() && end && *end == '\0' && errno == 0 && std::isfinite(out);
}

bool parseSwitch(const std::string& s, const char* off, const char* on, bool& out)
{
    if (s == off) { out = false; return true; }
    if (s == on) { out = true; return true; }
    return false;
}

std::string status(boxsim::Box& box, long long served)
{
    char text[320];
    std::snprintf(text, sizeof text,
                  "az=%.3f el=%.3f vaz=%.3f vel=%.3f speedAz=%d speedEl=%d measure=%d period=0x%02X served=%lld "
                  "readAz=%.3f readEl=%.3f",
                  box.azimuth(), box.elevation(), box.azimuthVelocity(), box.elevationVelocity(),
                  box.azimuthState().speed, box.elevationState().speed, box.measurement(), box.periodSignal(),
                  served, box.azimuthReading(), box.elevationReading());
    return text;
}

// The faults of the axis named `name` ("az" or "el"), or null.
boxsim::AxisFaults* axisFaults(boxsim::Box& box, const std::string& name)
{
    if (name == "az")
        return &box.config().azimuth.faults;
    if (name == "el")
        return &box.config().elevation.faults;
    return nullptr;
}

// A per-axis control command: "motor|encoder|runaway|freeze AXIS VALUE";
// false when `cmd` is none of them or a word is wrong.
bool axisControl(boxsim::PtyServer& server, const std::string& cmd, const std::string& axis,
                 const std::string& value)
{
    if (axis != "az" && axis != "el")
        return false;
    bool flag = false;
    double rate = 0.0;
    if (cmd == "motor" && parseSwitch(value, "normal", "reversed", flag))
        server.withBox([&](boxsim::Box& b) { axisFaults(b, axis)->motorReversed = flag; });
    else if (cmd == "encoder" && parseSwitch(value, "normal", "reversed", flag))
        server.withBox([&](boxsim::Box& b) { axisFaults(b, axis)->encoderReversed = flag; });
    else if (cmd == "runaway" && parseNumber(value, rate))
        server.withBox([&](boxsim::Box& b) { axisFaults(b, axis)->encoderRunaway = rate; });
    else if (cmd == "freeze" && parseSwitch(value, "off", "on", flag))
        server.withBox([&](boxsim::Box& b) { axisFaults(b, axis)->encoderFrozen = flag; });
    else
        return false;
    return true;
}

// Handles one control line; false when it asks to quit.
bool control(boxsim::PtyServer& server, const std::string& line)
{
    std::istringstream in(line);
    std::string cmd, arg, arg2, extra;
    in >> cmd >> arg >> arg2 >> extra;
    double value = 0.0, value2 = 0.0;
    const bool number = parseNumber(arg, value);
    const bool number2 = parseNumber(arg2, value2);
    if (cmd.empty())
        return true;
    if (!extra.empty()) {
        std::cout << "error: " << line << std::endl;
        return true;
    }
    if (cmd == "quit")
        return false;
    if (cmd == "status") {
        std::cout << server.withBox([&](boxsim::Box& b) { return status(b, server.bytesServed()); }) << std::endl;
    } else if (cmd == "step" && number) {
        server.step(value);
        std::cout << "ok" << std::endl;
    } else if (cmd == "az" && number) {
        server.withBox([&](boxsim::Box& b) { b.setAzimuth(value); });
        std::cout << "ok" << std::endl;
    } else if (cmd == "el" && number) {
        server.withBox([&](boxsim::Box& b) { b.setElevation(value); });
        std::cout << "ok" << std::endl;
    } else if (cmd == "measure" && number && value >= 0 && value <= 255) {
        server.withBox([&](boxsim::Box& b) { b.setMeasurement(uint8_t(value)); });
        std::cout << "ok" << std::endl;
    } else if (boxsim::Fault f; cmd == "fault" && parseFault(arg, f)) {
        server.withBox([&](boxsim::Box& b) { b.setFault(f); });
        std::cout << "ok" << std::endl;
    } else if (cmd == "delay" && number && value >= 0 && (arg2.empty() || (number2 && value2 >= value))) {
        server.withBox([&](boxsim::Box& b) {
            b.config().replyDelay = value;
            b.config().replyDelayMax = arg2.empty() ? 0.0 : value2;
        });
        std::cout << "ok" << std::endl;
    } else if (cmd == "garbage" && number && value >= 0 && value <= 1) {
        server.withBox([&](boxsim::Box& b) { b.config().garbageShare = value; });
        std::cout << "ok" << std::endl;
    } else if (cmd == "seed" && number && value >= 0 && value <= 4294967295.0 && value == double(uint32_t(value))) {
        server.withBox([&](boxsim::Box& b) { b.setSeed(uint32_t(value)); });
        std::cout << "ok" << std::endl;
    } else if (cmd == "unanswered" && number && value >= 0 && value <= 1e9) {
        server.withBox([&](boxsim::Box& b) { b.leaveUnanswered(int(value)); });
        std::cout << "ok" << std::endl;
    } else if (axisControl(server, cmd, arg, arg2)) {
        std::cout << "ok" << std::endl;
    } else if (cmd == "violations") {
        const auto v = server.withBox([](boxsim::Box& b) {
            auto list = b.violations();
            b.clearViolations();
            return list;
        });
        for (const std::string& text : v)
            std::cout << "violation " << text << std::endl;
        std::cout << "ok " << v.size() << std::endl;
    } else if (cmd == "log") {
        std::string text = server.withBox([](boxsim::Box& b) {
            std::string s;
            char hex[4];
            for (uint8_t c : b.log()) {
                std::snprintf(hex, sizeof hex, "%02X ", c);
                s += hex;
            }
            b.clearLog();
            return s;
        });
        std::cout << "log " << text << std::endl;
    } else {
        std::cout << "error: " << line << std::endl;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    boxsim::BoxConfig config;
    boxsim::ServerOptions options;
    std::string folder = ".";
    std::string device;
    int com = 1;
    bool useControl = false;
    double startAz = 0.0, startEl = 0.0;
    bool haveAz = false, haveEl = false;

    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        double x = 0.0;
        bool ok = true;
        if (opt == "--help" || opt == "-h") {
            usage();
            return 0;
        } else if (opt == "--folder") {
            ok = value(folder);
        } else if (opt == "--device") {
            ok = value(device);
        } else if (opt == "--com") {
            ok = value(v) && parseNumber(v, x) && x >= 1 && x <= 99;
            if (ok)
                com = int(x);
        } else if (opt == "--format" || opt == "--az-format" || opt == "--el-format") {
            boxsim::EncoderFormat f {};
            ok = value(v) && parseFormat(v, f);
            if (opt != "--el-format") config.azimuth.encoder.format = f;
            if (opt != "--az-format") config.elevation.encoder.format = f;
        } else if (opt == "--unit" || opt == "--az-unit" || opt == "--el-unit") {
            boxsim::EncoderUnit u {};
            ok = value(v) && parseUnit(v, u);
            if (opt != "--el-unit") config.azimuth.encoder.unit = u;
            if (opt != "--az-unit") config.elevation.encoder.unit = u;
        } else if (opt == "--range" || opt == "--az-range" || opt == "--el-range") {
            ok = value(v) && parseNumber(v, x) && x >= 0;
            if (opt != "--el-range") config.azimuth.encoder.range = x;
            if (opt != "--az-range") config.elevation.encoder.range = x;
        } else if (opt == "--az-offset") {
            ok = value(v) && parseNumber(v, config.azimuth.encoder.offset);
        } else if (opt == "--el-offset") {
            ok = value(v) && parseNumber(v, config.elevation.encoder.offset);
        } else if (opt == "--rate" || opt == "--az-rate" || opt == "--el-rate") {
            ok = value(v) && parseNumber(v, x) && x >= 0;
            if (opt != "--el-rate") config.azimuth.rate = x;
            if (opt != "--az-rate") config.elevation.rate = x;
        } else if (opt == "--mode") {
            ok = value(v) && (v == "relay" || v == "speed");
            config.mode = v == "speed" ? boxsim::DriveMode::Proportional : boxsim::DriveMode::Relay;
        } else if (opt == "--az") {
            ok = value(v) && parseNumber(v, startAz);
            haveAz = true;
        } else if (opt == "--el") {
            ok = value(v) && parseNumber(v, startEl);
            haveEl = true;
        } else if (opt == "--measure") {
            ok = value(v) && parseNumber(v, x) && x >= 0 && x <= 255;
            if (ok)
                config.measurement = uint8_t(x);
        } else if (opt == "--pace") {
            options.pace = true;
        } else if (opt == "--reply-delay") {
            ok = value(v) && parseNumber(v, config.replyDelay) && config.replyDelay >= 0;
        } else if (opt == "--reply-delay-max") {
            ok = value(v) && parseNumber(v, config.replyDelayMax) && config.replyDelayMax >= 0;
        } else if (opt == "--garbage-share") {
            ok = value(v) && parseNumber(v, config.garbageShare) && config.garbageShare >= 0 &&
                 config.garbageShare <= 1;
        } else if (opt == "--seed") {
            ok = value(v) && parseNumber(v, x) && x >= 0 && x <= 4294967295.0 && x == double(uint32_t(x));
            if (ok)
                config.seed = uint32_t(x);
        } else if (opt == "--az-motor-reversed" || opt == "--el-motor-reversed") {
            (opt[2] == 'a' ? config.azimuth : config.elevation).faults.motorReversed = true;
        } else if (opt == "--az-encoder-reversed" || opt == "--el-encoder-reversed") {
            (opt[2] == 'a' ? config.azimuth : config.elevation).faults.encoderReversed = true;
        } else if (opt == "--az-runaway" || opt == "--el-runaway") {
            ok = value(v) && parseNumber(v, (opt[2] == 'a' ? config.azimuth : config.elevation).faults.encoderRunaway);
        } else if (opt == "--byte-time") {
            ok = value(v) && parseNumber(v, options.secondsPerByte) && options.secondsPerByte >= 0;
        } else if (opt == "--manual") {
            options.realTime = false;
        } else if (opt == "--control") {
            useControl = true;
        } else if (opt != "--silent" && opt != "--mute" && opt != "--garbage" && opt != "--double" && opt != "--trailing") {
            ok = false;
        }
        if (!ok) {
            std::cerr << "boxsim: bad option or value: " << opt << "\n";
            usage();
            return 2;
        }
    }

    boxsim::PtyServer server(config, options);
    server.withBox([&](boxsim::Box& b) {
        if (haveAz) b.setAzimuth(startAz);
        if (haveEl) b.setElevation(startEl);
        for (int i = 1; i < argc; ++i) {
            const std::string opt = argv[i];
            if (opt == "--silent") b.setFault(boxsim::Fault::Silent);
            if (opt == "--mute") b.setFault(boxsim::Fault::Mute);
            if (opt == "--garbage") b.setFault(boxsim::Fault::Garbage);
            if (opt == "--double") b.setFault(boxsim::Fault::Double);
            if (opt == "--trailing") b.setFault(boxsim::Fault::Trailing);
        }
    });

    std::string error;
    if (device.empty() ? !server.openPty(&error) : !server.openDevice(device, &error)) {
        std::cerr << "boxsim: " << error << "\n";
        return 1;
    }
    if (device.empty() && !server.linkAs(folder, com, &error)) {
        std::cerr << "boxsim: " << error << "\n";
        return 1;
    }

    // The signals are taken by a signalfd in this thread; the serving thread
    // inherits the blocked mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    const int sigFd = signalfd(-1, &signals, SFD_CLOEXEC);

    server.start();
    std::cout << "boxsim: " << (server.linkPath().empty() ? std::string("serving") : server.linkPath()) << " -> "
              << server.devicePath() << std::endl;

    std::string pending;
    bool quit = false;
    while (!quit) {
        pollfd fds[2] = {{sigFd, POLLIN, 0}, {useControl ? STDIN_FILENO : -1, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents)
            break;
        if (fds[1].revents) {
            char buffer[512];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0)
                break; // the controlling process has gone
            pending.append(buffer, std::size_t(n));
            std::size_t eol;
            while (!quit && (eol = pending.find('\n')) != std::string::npos) {
                quit = !control(server, pending.substr(0, eol));
                pending.erase(0, eol + 1);
            }
        }
    }
    server.stop();
    for (const std::string& text : server.withBox([](boxsim::Box& b) { return b.violations(); }))
        std::cerr << "boxsim: violation: " << text << "\n";
    return 0;
}
