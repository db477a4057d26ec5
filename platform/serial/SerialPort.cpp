#include "platform/serial/SerialPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

QString systemError(const QString& what)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

// The longest single sleep of a wait: short enough that a deschedule costs
// the box at most this much of its time, long enough that a wait sleeps.
constexpr Clock::duration WaitSlice = std::chrono::milliseconds(10);
// The pause between two looks at the output queue: a fraction of one byte's
// time at 9600 baud (1.04 ms).
constexpr Clock::duration DrainStep = std::chrono::microseconds(250);

// The time a wait grants the box, counted in slices. The time each slice
// took is taken from the allowance, except that a slice that took far longer
// than it asked (more than twice, and 1 ms, beyond: this process was not
// running) counts as the time asked. So a reply limit is not used up while
// a loaded machine or a stop signal holds the process, and a dead box is
// still found out after about the limit of the process's own time.
class BoxTime {
public:
    explicit BoxTime(int ms) : left_(std::chrono::milliseconds(ms > 0 ? ms : 0)), last_(Clock::now()) {}
    bool usedUp() const { return left_ <= Clock::duration::zero(); }
    // The next sleep: at most `longest`, and never past the allowance.
    Clock::duration slice(Clock::duration longest = WaitSlice) const { return std::min(left_, longest); }
    // Counts the time since the last count, for a sleep that asked `asked`.
    void count(Clock::duration asked)
    {
        const Clock::time_point now = Clock::now();
        Clock::duration took = now - last_;
        last_ = now;
        if (took > 2 * asked + std::chrono::milliseconds(1))
            took = asked;
        left_ -= took;
    }

private:
    Clock::duration left_;
    Clock::time_point last_;
};

timespec toTimespec(Clock::duration d)
{
    const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    return timespec {time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
}

// Sleeps up to `d` until `events` are reported on `fd` (or a signal comes);
// the events reported, 0 when none.
short pollFor(int fd, short events, Clock::duration d)
{
    pollfd p {fd, events, 0};
    const timespec t = toTimespec(d);
    return ::ppoll(&p, 1, &t, nullptr) > 0 ? p.revents : 0;
}

// False while the device says its transmitter still holds bits of a byte
// (a UART's shift register and FIFO); true when it is empty or the device
// cannot tell (a pseudo-terminal, most USB adapters).
bool transmitterEmpty(int fd)
{
    unsigned int lsr = 0;
    if (::ioctl(fd, TIOCSERGETLSR, &lsr) != 0)
        return true;
    return (lsr & TIOCSER_TEMT) != 0;
}

// The entry of `folder` named `name` without regard to letter case (an exact
// match first); broken links count, so a dead link is not silently passed by.
QString findEntry(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    if (entries.contains(name))
        return dir.filePath(name);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

} // namespace

SerialPort::~SerialPort()
{
    close();
}

QString SerialPort::devicePathFor(int comNumber, const QString& folder)
{
    if (comNumber < 1)
        return {};
    const QString entry = findEntry(folder, QStringLiteral("COM%1").arg(comNumber));
    if (entry.isEmpty())
        return QStringLiteral("/dev/ttyS%1").arg(comNumber - 1);

    struct stat st {};
    if (::stat(QFile::encodeName(entry).constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        // A plain file names the device on its first line.
        QFile file(entry);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QString line = QString::fromLocal8Bit(file.readLine(4096)).trimmed();
        if (line.isEmpty())
            return {};
        return QDir::isAbsolutePath(line) ? line : QDir(folder).filePath(line);
    }
    return entry; // a link or the device node itself
}

bool SerialPort::open(int comNumber, const QString& folder)
{
    close();
    const QString path = devicePathFor(comNumber, folder);
    if (path.isEmpty()) {
        devicePath_.clear();
        heldElsewhere_ = false;
        error_ = QStringLiteral("no device for COM%1").arg(comNumber);
        return false;
    }
    return openDevice(path);
}

bool SerialPort::openDevice(const QString& path)
{
    close();
    devicePath_ = path;
    error_.clear();
    heldElsewhere_ = false;
    const auto heldBy = [this, &path] {
        heldElsewhere_ = true;
        const QString device = QFileInfo(path).canonicalFilePath();
        error_ = (device.isEmpty() ? path : device) + QStringLiteral(" is used by another program");
        return false;
    };
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EBUSY) // marked exclusive by the program that has it
            return heldBy();
        error_ = systemError(QStringLiteral("cannot open ") + path);
        return false;
    }
    termios t {};
    if (!::isatty(fd) || ::tcgetattr(fd, &t) != 0) {
        error_ = path + QStringLiteral(" is not a serial port");
        ::close(fd);
        return false;
    }
    // The lock comes before anything that touches the line (settings,
    // flush), so a second program leaves the first one's line as it was.
    // A device whose file system refuses locks is used without one.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        return heldBy();
    }
    // For anyone but root this refuses every other open of the terminal,
    // also by programs that take no lock; failure is harmless.
    ::ioctl(fd, TIOCEXCL);
    ::cfmakeraw(&t);
    t.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, B9600);
    ::cfsetospeed(&t, B9600);
    if (::tcsetattr(fd, TCSANOW, &t) != 0) {
        error_ = systemError(QStringLiteral("cannot set 9600 8N1 on ") + path);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    flush();
    return true;
}

void SerialPort::close()
{
    if (fd_ < 0)
        return;
    // Not the output: on a pseudo-terminal that would take back bytes the
    // other end has not read yet.
    discardInput();
    // The exclusive mark belongs to the terminal, not to this descriptor: a
    // pseudo-terminal whose other end stays open keeps it after close(), and
    // nobody but root could open the port again (a close followed by a new
    // open, as at a change of station) until it is lifted.
    ::ioctl(fd_, TIOCNXCL);
    // Released explicitly: a forked child that kept the descriptor would
    // otherwise hold the lock on with it.
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

void SerialPort::flush()
{
    if (fd_ >= 0)
        ::tcflush(fd_, TCIOFLUSH);
}

void SerialPort::discardInput()
{
    if (fd_ >= 0)
        ::tcflush(fd_, TCIFLUSH);
}

bool SerialPort::send(uint8_t byte, int timeoutMs)
{
    if (fd_ < 0) {
        error_ = QStringLiteral("port not open");
        return false;
    }
    BoxTime time(timeoutMs);
    for (;;) {
        const ssize_t n = ::write(fd_, &byte, 1);
        if (n == 1)
            break;
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            error_ = systemError(QStringLiteral("write to ") + devicePath_);
            return false;
        }
        if (time.usedUp()) {
            error_ = QStringLiteral("output of ") + devicePath_ + QStringLiteral(" blocked");
            return false;
        }
        const Clock::duration slice = time.slice();
        pollFor(fd_, POLLOUT, slice);
        time.count(slice);
    }
    // The reply limit starts when the box has the byte, not when it was
    // queued behind others or in the adapter.
    if (!drainOutput(timeoutMs)) {
        error_ = QStringLiteral("output of ") + devicePath_ + QStringLiteral(" blocked");
        return false;
    }
    return true;
}

std::optional<uint8_t> SerialPort::exchange(uint8_t command, int timeoutMs)
{
    if (!send(command, timeoutMs))
        return std::nullopt;
    if (!waitForInput(timeoutMs))
        return std::nullopt;
    const QByteArray bytes = input(); // whatever else is waiting goes with the reply
    if (bytes.isEmpty()) {
        error_ = QStringLiteral("read from ") + devicePath_ + QStringLiteral(" failed");
        return std::nullopt;
    }
    return uint8_t(bytes.at(0));
}

bool SerialPort::waitForInput(int timeoutMs)
{
    if (fd_ < 0) {
        error_ = QStringLiteral("port not open");
        return false;
    }
    BoxTime time(timeoutMs);
    bool hungUp = false;
    for (;;) {
        // Looked at after every slice, the last one included: a reply that
        // came while the process was not running is taken.
        if (inBufferCount() > 0)
            return true;
        // A hang-up is believed only after the count has been looked at once
        // more, so bytes that came with it are still taken.
        if (hungUp) {
            error_ = QStringLiteral("line of ") + devicePath_ + QStringLiteral(" hung up");
            return false;
        }
        if (time.usedUp()) {
            error_ = QStringLiteral("no reply on ") + devicePath_;
            return false;
        }
        // A line that has hung up reports itself readable for ever while
        // nothing can be read; without this test the wait would spin until
        // the deadline.
        const Clock::duration slice = time.slice();
        if (pollFor(fd_, POLLIN, slice) & (POLLHUP | POLLERR | POLLNVAL))
            hungUp = true;
        time.count(slice);
    }
}

QByteArray SerialPort::input()
{
    QByteArray bytes;
    if (fd_ < 0)
        return bytes;
    for (;;) {
        char buffer[256];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, qsizetype(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // 0: nothing more waiting (the port reads with no minimum count and
        // no wait); -1: nothing waiting or the line failed.
        if (n < 0 && errno != EAGAIN)
            error_ = systemError(QStringLiteral("read from ") + devicePath_);
        return bytes;
    }
}

bool SerialPort::drainOutput(int timeoutMs)
{
    if (fd_ < 0)
        return false;
    BoxTime time(timeoutMs);
    while (outBufferCount() > 0 || !transmitterEmpty(fd_)) {
        if (time.usedUp())
            return false;
        const Clock::duration step = time.slice(DrainStep);
        const timespec t = toTimespec(step);
        ::nanosleep(&t, nullptr);
        time.count(step);
    }
    return true;
}

int SerialPort::inBufferCount() const
{
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &n) != 0)
        return 0;
    return n;
}

int SerialPort::outBufferCount() const
{
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &n) != 0)
        return 0;
    return n;
}

} // namespace platform
