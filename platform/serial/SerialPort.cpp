#include "platform/serial/SerialPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
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

// Milliseconds left until `deadline`, rounded up so that a wait never ends
// before it; 0 once it has passed.
int msLeft(Clock::time_point deadline)
{
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero())
        return 0;
    return int(std::chrono::ceil<std::chrono::milliseconds>(left).count());
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
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error_ = systemError(QStringLiteral("cannot open ") + path);
        return false;
    }
    termios t {};
    if (!::isatty(fd) || ::tcgetattr(fd, &t) != 0) {
        error_ = path + QStringLiteral(" is not a serial port");
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL); // one program at a time on the port; failure is harmless
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
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const ssize_t n = ::write(fd_, &byte, 1);
        if (n == 1)
            return true;
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            error_ = systemError(QStringLiteral("write to ") + devicePath_);
            return false;
        }
        const int left = msLeft(deadline);
        if (left == 0) {
            error_ = QStringLiteral("output of ") + devicePath_ + QStringLiteral(" blocked");
            return false;
        }
        pollfd p {fd_, POLLOUT, 0};
        ::poll(&p, 1, left);
    }
}

std::optional<uint8_t> SerialPort::exchange(uint8_t command, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    if (!send(command, timeoutMs))
        return std::nullopt;
    if (!waitForInput(msLeft(deadline)))
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
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    bool hungUp = false;
    for (;;) {
        if (inBufferCount() > 0)
            return true;
        // A hang-up is believed only after the count has been looked at once
        // more, so bytes that came with it are still taken.
        if (hungUp) {
            error_ = QStringLiteral("line of ") + devicePath_ + QStringLiteral(" hung up");
            return false;
        }
        const int left = msLeft(deadline);
        if (left == 0) {
            error_ = QStringLiteral("no reply on ") + devicePath_;
            return false;
        }
        // A line that has hung up reports itself readable for ever while
        // nothing can be read; without this test the wait would spin until
        // the deadline.
        pollfd p {fd_, POLLIN, 0};
        if (::poll(&p, 1, left) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)))
            hungUp = true;
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
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (outBufferCount() > 0) {
        if (msLeft(deadline) == 0)
            return false;
        ::poll(nullptr, 0, 1);
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
