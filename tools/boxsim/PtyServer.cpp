#include "tools/boxsim/PtyServer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace boxsim {

namespace {

using Clock = std::chrono::steady_clock;

// One byte on a 9600-baud 8N1 line: start bit, 8 data bits, stop bit.
constexpr auto kByteTime = std::chrono::nanoseconds(10'000'000'000LL / 9600);

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

void setError(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// The relay, drive and period commands: a stop or pause sequence begins with
// one of them.
bool isDriveByte(uint8_t command) { return command <= 0x04 || (command >= 0x10 && command <= 0x12); }

} // namespace

PtyServer::PtyServer(const BoxConfig& config, const ServerOptions& options)
    : box_(config), options_(options), lastTickNs_(nowNs())
{
}

PtyServer::~PtyServer()
{
    stop();
    if (!linkPath_.empty()) {
        std::error_code ec;
        const auto target = std::filesystem::read_symlink(linkPath_, ec);
        if (!ec && target == devicePath_)
            std::filesystem::remove(linkPath_, ec);
    }
    for (int fd : {masterFd_, slaveFd_, wakeFd_[0], wakeFd_[1]})
        if (fd >= 0)
            ::close(fd);
}

bool PtyServer::configureRaw(int fd, std::string* error)
{
    termios t {};
    if (tcgetattr(fd, &t) != 0) {
        setError(error, systemError("tcgetattr"));
        return false;
    }
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CRTSCTS | CSTOPB | PARENB);
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    if (tcsetattr(fd, TCSANOW, &t) != 0) {
        setError(error, systemError("tcsetattr"));
        return false;
    }
    return true;
}

bool PtyServer::openPty(std::string* error)
{
    if (masterFd_ >= 0) {
        setError(error, "line already open");
        return false;
    }
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        setError(error, systemError("posix_openpt"));
        return false;
    }
    char name[256];
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        setError(error, systemError("pseudo-terminal set-up"));
        ::close(master);
        return false;
    }
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        setError(error, systemError(std::string("open ") + name));
        ::close(master);
        return false;
    }
    if (!configureRaw(slave, error)) {
        ::close(slave);
        ::close(master);
        return false;
    }
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    masterFd_ = master;
    slaveFd_ = slave;
    devicePath_ = name;
    return true;
}

bool PtyServer::openDevice(const std::string& path, std::string* error)
{
    if (masterFd_ >= 0) {
        setError(error, "line already open");
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        setError(error, systemError("open " + path));
        return false;
    }
    if (!configureRaw(fd, error)) {
        ::close(fd);
        return false;
    }
    masterFd_ = fd;
    devicePath_ = path;
    return true;
}

bool PtyServer::linkAs(const std::string& folder, int com, std::string* error)
{
    namespace fs = std::filesystem;
    if (devicePath_.empty()) {
        setError(error, "no line open");
        return false;
    }
    const std::string wanted = "COM" + std::to_string(com);
    std::error_code ec;
    std::string name = wanted;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string existing = entry.path().filename().string();
        if (lower(existing) != lower(wanted))
            continue;
        if (!entry.is_symlink()) {
            setError(error, entry.path().string() + " exists and is not a link");
            return false;
        }
        name = existing; // replaced in place, keeping its letter case
        break;
    }
    if (ec) {
        setError(error, "cannot list " + folder + ": " + ec.message());
        return false;
    }
    const fs::path final = fs::path(folder) / name;
    const fs::path temp = fs::path(folder) / (".boxsim-" + std::to_string(getpid()) + "-" + wanted);
    fs::remove(temp, ec);
    fs::create_symlink(devicePath_, temp, ec);
    if (!ec)
        fs::rename(temp, final, ec); // atomic replacement of an old link
    if (ec) {
        fs::remove(temp, ec);
        setError(error, "cannot link " + final.string() + ": " + ec.message());
        return false;
    }
    linkPath_ = final.string();
    return true;
}

void PtyServer::start()
{
    if (thread_.joinable() || masterFd_ < 0)
        return;
    if (wakeFd_[0] < 0 && pipe2(wakeFd_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    stopping_ = false;
    thread_ = std::thread([this] { serve(); });
}

void PtyServer::stop()
{
    if (!thread_.joinable())
        return;
    stopping_ = true;
    const char b = 0;
    [[maybe_unused]] auto n = ::write(wakeFd_[1], &b, 1);
    thread_.join();
    char buffer[64];
    while (::read(wakeFd_[0], buffer, sizeof buffer) > 0) {
    }
}

void PtyServer::advance(double seconds)
{
    if (seconds <= 0.0)
        return;
    box_.advance(seconds);
    simulated_ += seconds;
}

void PtyServer::catchUp()
{
    const long long now = nowNs();
    if (options_.realTime)
        advance(double(now - lastTickNs_) * 1e-9);
    lastTickNs_ = now;
}

void PtyServer::step(double seconds)
{
    std::lock_guard<std::mutex> lock(mutex_);
    catchUp();
    advance(seconds);
}

double PtyServer::simulatedSeconds()
{
    std::lock_guard<std::mutex> lock(mutex_);
    catchUp();
    return simulated_;
}

bool PtyServer::pause(double seconds)
{
    const auto until = Clock::now() + std::chrono::nanoseconds(static_cast<long long>(seconds * 1e9));
    while (!stopping_) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
        if (left <= 0)
            return true;
        pollfd wake {wakeFd_[0], POLLIN, 0};
        ::poll(&wake, 1, static_cast<int>(left));
    }
    return false;
}

void PtyServer::serve()
{
    Clock::time_point lineFreeAt = Clock::now();
    bool earlyByte = false; // a byte was waiting when the last reply left
    while (!stopping_) {
        pollfd fds[2] = {{masterFd_, POLLIN, 0}, {wakeFd_[0], POLLIN, 0}};
        const int n = ::poll(fds, 2, -1);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            continue; // stop() woke us; the loop test ends the thread
        if (!(fds[0].revents & POLLIN)) {
            // Hang-up with nothing to read (a device whose other end is
            // gone): wait a little instead of spinning.
            ::poll(fds + 1, 1, 20);
            continue;
        }
        uint8_t in[256];
        const ssize_t got = ::read(masterFd_, in, sizeof in);
        if (got <= 0) {
            ::poll(fds + 1, 1, 20);
            continue;
        }
        const Clock::time_point arrived = Clock::now();
        // Replies due when each byte of this read arrived: those of the bytes
        // read with it before it (none had left yet), and for the first one a
        // reply that was about to leave when it was already waiting.
        int pending = earlyByte ? 1 : 0;
        earlyByte = false;
        for (ssize_t i = 0; i < got && !stopping_; ++i) {
            std::vector<uint8_t> out;
            double delay = 0.0;
            const double hold = isDriveByte(in[i]) ? options_.driveReplyHold : 0.0;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                catchUp();
                if (pending > 0)
                    box_.arrivedWhilePending(in[i], pending);
                advance(options_.secondsPerByte);
                out = box_.receive(in[i]);
                delay = out.empty() ? 0.0 : box_.nextReplyDelay();
            }
            ++served_;
            if (out.empty())
                continue;
            ++pending;
            if (options_.pace) {
                // The command takes a byte time to arrive, the reply another.
                const auto due = std::max(arrived + 2 * kByteTime, lineFreeAt + kByteTime);
                std::this_thread::sleep_until(due);
                lineFreeAt = due + (long(out.size()) - 1) * kByteTime + std::chrono::nanoseconds(long(delay * 1e9));
            }
            if (delay > 0.0) {
                if (!pause(delay))
                    break;
                std::lock_guard<std::mutex> lock(mutex_);
                if (!options_.realTime)
                    advance(delay);
                catchUp();
            }
            if (hold > 0.0 && !pause(hold))
                break;
            if (i + 1 == got) {
                pollfd waiting {masterFd_, POLLIN, 0};
                earlyByte = ::poll(&waiting, 1, 0) > 0 && (waiting.revents & POLLIN);
            }
            std::size_t done = 0;
            while (done < out.size() && !stopping_) {
                const ssize_t w = ::write(masterFd_, out.data() + done, out.size() - done);
                if (w > 0) {
                    done += std::size_t(w);
                } else if (w < 0 && errno != EAGAIN && errno != EINTR) {
                    break; // the line is gone; the reply is lost as on a cut cable
                } else {
                    pollfd out_fd {masterFd_, POLLOUT, 0};
                    ::poll(&out_fd, 1, 50);
                }
            }
        }
    }
}

} // namespace boxsim
