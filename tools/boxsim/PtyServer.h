#pragma once
// Puts a simulated interface box (Box.h) on a serial line: a new
// pseudo-terminal, or a terminal device it is given. A thread takes each
// byte the program sends and writes back the box's reply; the box's motors
// advance with a monotonic clock (real time), by a fixed time per command
// byte, or only by step() (manual time, for tests). Optionally each reply
// waits the time a 9600-baud line needs, and each reply waits the box's own
// reply delay (BoxConfig::replyDelay, or a draw from its range: see
// Box::nextReplyDelay()). The line tells the box which bytes
// arrived while one of its replies was still due (Box::violations()): the
// bytes read together with an earlier one before its reply left, and a byte
// already waiting when a reply is about to leave. A box that answers at once
// leaves almost no time for that: ServerOptions::driveReplyHold holds the
// replies that a stop or pause sequence begins with, so that a byte sent
// after one of them without awaiting its reply is flagged at every run.
//
// Use in a test:
//   boxsim::PtyServer server(config);
//   server.openPty(&error);
//   server.linkAs(folder, 1, &error);   // folder/COM1 -> the pty
//   server.start();
//   ... the program opens COM 1 in folder ...
//   server.withBox([](boxsim::Box& box) { box.setMeasurement(200); });
//   server.withBox([](boxsim::Box& box) { box.config().azimuth.faults.encoderFrozen = true; });
//   double az = server.withBox([](boxsim::Box& box) { return box.azimuthState().angle; });

#include "tools/boxsim/Box.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace boxsim {

struct ServerOptions {
    bool realTime = true; // motors move with the monotonic clock; false: only step()
    bool pace = false;    // each reply leaves two byte times (2 x 1.04 ms) after its command arrived
    // Simulated seconds that pass for each command byte taken, before it is
    // answered (silent box included). With realTime false the motors then
    // move by the traffic on the line alone, the same way at every run: a
    // closed-loop test needs no wall clock and no step() between cycles.
    double secondsPerByte = 0.0;
    // Real seconds the reply to a drive or period byte (0x00..0x04,
    // 0x10..0x12) waits before it leaves (with realTime off, not counted in
    // the box's time): a byte the program sends after one of them without
    // awaiting its reply (stop bytes back to back, a pause followed by more
    // bytes) is then on the line when the reply is about to leave, and is
    // flagged. Replies to requests and speed bytes, the bulk of a cycle, are
    // not held.
    double driveReplyHold = 0.0;
};

class PtyServer {
public:
    explicit PtyServer(const BoxConfig& config = {}, const ServerOptions& options = {});
    ~PtyServer(); // stops the thread, removes the link, closes the line
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens a new pseudo-terminal; the program's end is devicePath(). The
    // server keeps the program's end open as well, so the line survives the
    // program closing and reopening it, and sets it raw.
    bool openPty(std::string* error = nullptr);
    // Serves on an existing terminal device instead (9600 8N1 raw).
    bool openDevice(const std::string& path, std::string* error = nullptr);
    // The device the program must open.
    const std::string& devicePath() const { return devicePath_; }

    // Makes "COM<com>" in `folder` a symbolic link to devicePath(). An
    // existing link of that name in any letter case is replaced; any other
    // kind of file of that name is left alone and the call fails. The link is
    // removed again by the destructor when it still points at this line.
    bool linkAs(const std::string& folder, int com, std::string* error = nullptr);
    const std::string& linkPath() const { return linkPath_; }

    // Starts / stops the serving thread.
    void start();
    void stop();
    bool running() const { return thread_.joinable(); }

    // Runs `f` on the box while no byte is being handled (motors advanced to
    // now first in real time). Returns what `f` returns.
    template <class F>
    auto withBox(F&& f)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        catchUp();
        return f(box_);
    }
    // Advances the simulated time (in either time mode).
    void step(double seconds);

    // Number of command bytes served.
    long long bytesServed() const { return served_.load(); }
    // Seconds the box's motors have been moved through so far (the wall
    // clock's in real time; the sum of the steps, the times per byte and the
    // reply delays otherwise): the box's own clock, which a test can give the
    // program as its monotonic clock.
    double simulatedSeconds();

private:
    void serve();
    void catchUp();
    void advance(double seconds); // the motors, and simulated_
    // Waits `seconds` of real time, or until stop(); false when stopped.
    bool pause(double seconds);
    bool configureRaw(int fd, std::string* error);

    Box box_;
    ServerOptions options_;
    std::mutex mutex_;
    int masterFd_ = -1;  // the box's end
    int slaveFd_ = -1;   // the program's end, held open (pty only)
    int wakeFd_[2] = {-1, -1};
    std::string devicePath_;
    std::string linkPath_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<long long> served_{0};
    long long lastTickNs_ = 0;
    double simulated_ = 0.0;
};

} // namespace boxsim
