// The serial port against the interface-box simulator on a real
// pseudo-terminal: port name mapping, the exchange and its deadline, the
// buffers, and the boxsim program run as a child process.

#include "platform/serial/SerialPort.h"
#include "tools/boxsim/PtyServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <thread>

#include <cerrno>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

using platform::SerialPort;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLimitMs = 2000; // generous: a reply from the simulator takes well under 1 ms

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void makeLink(const QString& target, const QString& link)
{
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
}

double cpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Waits (bounded) until the port has received `count` bytes.
bool waitForInput(const SerialPort& port, int count)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(kLimitMs);
    while (port.inBufferCount() < count) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// 1 when the terminal at `path` is marked for one user only (for anyone but
// root the open is then refused), 0 when it is not, -1 when it cannot be seen.
int exclusiveMark(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY ? 1 : -1;
    int mark = -1;
    if (::ioctl(fd, TIOCGEXCL, &mark) != 0)
        mark = -1;
    ::close(fd);
    return mark == -1 ? -1 : (mark != 0 ? 1 : 0);
}

// One count per degree on both encoders, so the reply bytes are easy to read:
// azimuth 0x0134 = 308 degrees, elevation 0x002A = 42 degrees.
boxsim::BoxConfig testBox()
{
    boxsim::BoxConfig config;
    config.azimuth.encoder.range = 65536.0;
    config.elevation.encoder.range = 65536.0;
    config.azimuth.rate = 2.0;
    config.measurement = 0x5A;
    return config;
}

class SerialWithBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        startBox({/*realTime=*/false, /*pace=*/false});
    }

    void startBox(const boxsim::ServerOptions& options)
    {
        server_.reset(); // removes the previous link
        server_ = std::make_unique<boxsim::PtyServer>(testBox(), options);
        std::string error;
        ASSERT_TRUE(server_->openPty(&error)) << error;
        ASSERT_TRUE(server_->linkAs(folder().toStdString(), 1, &error)) << error;
        server_->withBox([](boxsim::Box& b) {
            b.setAzimuth(0x0134);
            b.setElevation(0x002A);
        });
        server_->start();
    }

    QString folder() const { return dir_.path(); }

    QTemporaryDir dir_;
    std::unique_ptr<boxsim::PtyServer> server_;
};

} // namespace

TEST(SerialPortNames, ComNumberMapsToFolderEntryOrTtyS)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString d = dir.path();
    makeLink("/dev/pts/98", d + "/com2");
    writeFile(d + "/COM3", "/dev/pts/99\r\n");
    writeFile(d + "/Com5", "ttyX\n");
    writeFile(d + "/COM6", "");
    writeFile(d + "/COM7", "/dev/exact\n");
    writeFile(d + "/com7", "/dev/other\n");
    makeLink(d + "/nothing-here", d + "/COM8");
    writeFile(d + "/COM10", "/dev/ten\n");

    struct Case { int com; QString path; };
    const Case cases[] = {
        {1, "/dev/ttyS0"},      // no entry (COM10 is not COM1)
        {4, "/dev/ttyS3"},
        {2, d + "/com2"},       // a link in another letter case
        {3, "/dev/pts/99"},     // a text file naming the device, CR LF ended
        {5, d + "/ttyX"},       // a relative name is taken from the folder
        {6, ""},                // an empty text file names nothing
        {7, "/dev/exact"},      // the exact case wins
        {8, d + "/COM8"},       // a dead link is still the port, not ttyS7
        {10, "/dev/ten"},
        {0, ""},
        {-1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SerialPort::devicePathFor(c.com, d), c.path) << "COM" << c.com;

    SerialPort port;
    EXPECT_FALSE(port.open(8, d));
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.open(6, d));
    writeFile(d + "/plain.txt", "not a port\n");
    writeFile(d + "/COM9", "plain.txt\n");
    EXPECT_FALSE(port.open(9, d));
    EXPECT_TRUE(port.errorString().contains("not a serial port")) << port.errorString().toStdString();
}

TEST_F(SerialWithBox, CommandBytesGetTheirReplies)
{
    SerialPort port;
    ASSERT_TRUE(port.open(1, folder())) << port.errorString().toStdString();
    EXPECT_EQ(port.devicePath(), folder() + "/COM1");

    struct Case { uint8_t command; uint8_t reply; };
    const Case cases[] = {
        {0x96, 0x00}, {0xA0, 0x34}, {0x80, 0x01}, {0x95, 0x5A}, {0xE0, 0x2A}, {0xC0, 0x00},
        {0x04, 0x04}, {0x10, 0x10}, {0x00, 0x00}, {64, 64},
    };
    for (const Case& c : cases) {
        const auto reply = port.exchange(c.command, kLimitMs);
        ASSERT_TRUE(reply.has_value()) << "command " << int(c.command) << ": " << port.errorString().toStdString();
        EXPECT_EQ(*reply, c.reply) << "command " << int(c.command);
    }

    // A drive byte moves the simulated motor; the encoder shows it.
    ASSERT_EQ(port.exchange(0x01, kLimitMs), std::optional<uint8_t>(0x01));
    server_->step(5.0); // 2 degrees per second
    EXPECT_EQ(port.exchange(0xA0, kLimitMs), std::optional<uint8_t>(0x34 + 10));
    EXPECT_EQ(port.exchange(0x80, kLimitMs), std::optional<uint8_t>(0x01));

    const auto log = server_->withBox([](boxsim::Box& b) { return b.log(); });
    EXPECT_EQ(log.size(), std::size(cases) + 3);
    EXPECT_EQ(log.front(), 0x96);
    EXPECT_EQ(log.back(), 0x80);
}

TEST_F(SerialWithBox, SilentBoxIsDetectedWithinTheLimitWithoutSpinning)
{
    SerialPort port;
    ASSERT_TRUE(port.open(1, folder()));
    server_->withBox([](boxsim::Box& b) { b.setFault(boxsim::Fault::Silent); });

    const double cpuBefore = cpuSeconds();
    const auto start = Clock::now();
    const auto reply = port.exchange(0x95, 150);
    const auto waited = Clock::now() - start;
    const double cpu = cpuSeconds() - cpuBefore;

    EXPECT_FALSE(reply.has_value());
    EXPECT_GE(waited, std::chrono::milliseconds(150));
    EXPECT_LT(waited, std::chrono::milliseconds(150 + kLimitMs));
    EXPECT_LT(cpu, 0.075) << "the wait must sleep, not poll in a loop";
    EXPECT_TRUE(port.errorString().contains("no reply")) << port.errorString().toStdString();

    // The box comes back: the next exchange is answered normally.
    server_->withBox([](boxsim::Box& b) { b.setFault(boxsim::Fault::None); });
    EXPECT_EQ(port.exchange(0x95, kLimitMs), std::optional<uint8_t>(0x5A));
}

TEST_F(SerialWithBox, ExtraAndWrongBytes)
{
    SerialPort port;
    ASSERT_TRUE(port.open(1, folder()));

    // Two bytes waiting: the first is the reply, the second goes with it.
    server_->withBox([](boxsim::Box& b) { b.setFault(boxsim::Fault::Double); });
    EXPECT_EQ(port.exchange(0x95, kLimitMs), std::optional<uint8_t>(0x5A));
    server_->withBox([](boxsim::Box& b) { b.setFault(boxsim::Fault::None); });
    EXPECT_EQ(port.exchange(0xA0, kLimitMs), std::optional<uint8_t>(0x34));

    server_->withBox([](boxsim::Box& b) { b.setFault(boxsim::Fault::Garbage); });
    const auto garbage = port.exchange(0x95, kLimitMs);
    ASSERT_TRUE(garbage.has_value());
    EXPECT_NE(*garbage, 0x5A);

    // A byte that comes after the read is the reply to the next command,
    // and that command's own reply goes with it.
    server_->withBox([](boxsim::Box& b) { b.setFault(boxsim::Fault::Trailing); });
    EXPECT_EQ(port.exchange(0x95, kLimitMs), std::optional<uint8_t>(0x5A));
    EXPECT_EQ(port.exchange(0xE0, kLimitMs), std::optional<uint8_t>(0xA5));
    EXPECT_EQ(port.exchange(0xC0, kLimitMs), std::optional<uint8_t>(0xD5)); // ~0x2A
    server_->withBox([](boxsim::Box& b) { b.setFault(boxsim::Fault::None); });
    EXPECT_EQ(port.exchange(0xE0, kLimitMs), std::optional<uint8_t>(0x2A));
}

TEST_F(SerialWithBox, FlushDiscardsALateReply)
{
    SerialPort port;
    ASSERT_TRUE(port.open(1, folder()));
    ASSERT_TRUE(port.send(0x95));
    ASSERT_TRUE(waitForInput(port, 1));
    EXPECT_EQ(port.inBufferCount(), 1);
    EXPECT_EQ(port.outBufferCount(), 0);

    port.flush();
    EXPECT_EQ(port.inBufferCount(), 0);
    EXPECT_EQ(port.exchange(0xE0, kLimitMs), std::optional<uint8_t>(0x2A)) << "not the stale measurement";

    // Without the flush the late byte is taken as the next reply.
    ASSERT_TRUE(port.send(0x95));
    ASSERT_TRUE(waitForInput(port, 1));
    EXPECT_EQ(port.exchange(0xE0, kLimitMs), std::optional<uint8_t>(0x5A));
}

TEST_F(SerialWithBox, CloseAndReopen)
{
    SerialPort port;
    ASSERT_TRUE(port.open(1, folder()));
    EXPECT_EQ(exclusiveMark(server_->devicePath()), 1) << "no second program on the box while it is open";
    port.close();
    // The simulator holds its end open, so the terminal lives on: the mark
    // must go with the close, or only root could open the port again.
    EXPECT_EQ(exclusiveMark(server_->devicePath()), 0);
    EXPECT_FALSE(port.isOpen());
    const auto start = Clock::now();
    EXPECT_FALSE(port.exchange(0x95, kLimitMs).has_value());
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kLimitMs)) << "a closed port fails at once";
    EXPECT_EQ(port.inBufferCount(), 0);
    port.close(); // twice is harmless

    ASSERT_TRUE(port.open(1, folder()));
    EXPECT_EQ(port.exchange(0x95, kLimitMs), std::optional<uint8_t>(0x5A));
}

TEST_F(SerialWithBox, BoxGoingAwayDuringAWaitFailsAtOnce)
{
    SerialPort port;
    ASSERT_TRUE(port.open(1, folder()));
    server_->withBox([](boxsim::Box& b) { b.setFault(boxsim::Fault::Silent); });
    // The box's end of the line closes while the exchange waits for a reply:
    // the line hangs up and keeps reporting itself readable with nothing to
    // read. The wait must end there, not spin to its deadline.
    std::thread unplug([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        server_.reset();
    });
    const double cpuBefore = cpuSeconds();
    const auto start = Clock::now();
    const auto reply = port.exchange(0x95, 10 * kLimitMs);
    const auto waited = Clock::now() - start;
    const double cpu = cpuSeconds() - cpuBefore;
    unplug.join();

    EXPECT_FALSE(reply.has_value());
    EXPECT_LT(waited, std::chrono::milliseconds(kLimitMs));
    EXPECT_LT(cpu, 0.5);
    EXPECT_TRUE(port.errorString().contains("hung up")) << port.errorString().toStdString();
    EXPECT_FALSE(port.exchange(0x95, kLimitMs).has_value());
    EXPECT_FALSE(port.waitForInput(kLimitMs));
}

TEST_F(SerialWithBox, PiecesOfTheExchange)
{
    SerialPort port;
    EXPECT_FALSE(port.waitForInput(kLimitMs)) << "closed";
    EXPECT_TRUE(port.input().isEmpty());
    ASSERT_TRUE(port.open(1, folder()));
    EXPECT_FALSE(port.waitForInput(20));
    EXPECT_TRUE(port.errorString().contains("no reply")) << port.errorString().toStdString();

    // Send, wait, take everything: a box answering twice leaves both bytes.
    server_->withBox([](boxsim::Box& b) { b.setFault(boxsim::Fault::Double); });
    ASSERT_TRUE(port.send(0x95));
    ASSERT_TRUE(port.waitForInput(kLimitMs));
    ASSERT_TRUE(waitForInput(port, 2));
    EXPECT_EQ(port.input(), QByteArray::fromHex("5AA5"));
    EXPECT_EQ(port.inBufferCount(), 0);
    EXPECT_TRUE(port.input().isEmpty());
}

TEST_F(SerialWithBox, MotorsMoveByTheTrafficAlone)
{
    // Half a second per byte at 2 degrees per second: one degree a byte,
    // whatever the speed of the machine; the time passes before the answer.
    startBox({/*realTime=*/false, /*pace=*/false, /*secondsPerByte=*/0.5});
    SerialPort port;
    ASSERT_TRUE(port.open(1, folder()));
    struct Case { uint8_t command; uint8_t reply; };
    const Case cases[] = {
        {0x01, 0x01}, // at 308 with the motor off, then clockwise
        {0xA0, 0x35}, // 309
        {0x80, 0x01}, // 310; the high byte of the word latched at 309
        {0x00, 0x00}, // 311, then off
        {0xA0, 0x37}, // still 311
        {0x96, 0x00}, // nothing moves
    };
    for (const Case& c : cases)
        EXPECT_EQ(port.exchange(c.command, kLimitMs), std::optional<uint8_t>(c.reply)) << int(c.command);
    EXPECT_NEAR(server_->withBox([](boxsim::Box& b) { return b.azimuth(); }), 311.0, 1e-9);
}

TEST_F(SerialWithBox, PacedLineTakesTheTimeOf9600Baud)
{
    startBox({/*realTime=*/false, /*pace=*/true});
    SerialPort port;
    ASSERT_TRUE(port.open(1, folder()));
    const int exchanges = 20;
    const auto start = Clock::now();
    for (int i = 0; i < exchanges; ++i)
        ASSERT_EQ(port.exchange(0x95, kLimitMs), std::optional<uint8_t>(0x5A));
    // Two bytes of ten bits each way per exchange: at least 2.08 ms each.
    EXPECT_GE(Clock::now() - start, std::chrono::microseconds(exchanges * 2 * 10'000'000LL / 9600));
}

TEST(BoxsimProgram, ServesALinkedPortUnderControl)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess box;
    box.start(BOXSIM_PROGRAM, {"--folder", dir.path(), "--com", "2", "--manual", "--control", "--measure", "77",
                                "--format", "BCD", "--az", "123.4", "--rate", "1"});
    ASSERT_TRUE(box.waitForStarted(kLimitMs));
    ASSERT_TRUE(box.waitForReadyRead(kLimitMs)) << box.readAllStandardError().toStdString();
    const QString banner = QString::fromLocal8Bit(box.readLine()).trimmed();
    EXPECT_TRUE(banner.startsWith("boxsim: " + dir.path() + "/COM2 -> /dev/")) << banner.toStdString();

    auto control = [&](const QByteArray& line) {
        box.write(line + "\n");
        EXPECT_TRUE(box.waitForReadyRead(kLimitMs));
        return QString::fromLocal8Bit(box.readLine()).trimmed();
    };

    SerialPort port;
    ASSERT_TRUE(port.open(2, dir.path())) << port.errorString().toStdString();
    EXPECT_EQ(port.exchange(0x95, kLimitMs), std::optional<uint8_t>(77));
    EXPECT_EQ(port.exchange(0xA0, kLimitMs), std::optional<uint8_t>(0x34));
    EXPECT_EQ(port.exchange(0x80, kLimitMs), std::optional<uint8_t>(0x12));

    EXPECT_EQ(port.exchange(0x01, kLimitMs), std::optional<uint8_t>(0x01));
    EXPECT_EQ(control("step 2.5"), "ok");
    EXPECT_EQ(port.exchange(0xA0, kLimitMs), std::optional<uint8_t>(0x59)); // 125.9
    EXPECT_TRUE(control("status").startsWith("az=125.900 ")) ;

    EXPECT_EQ(control("fault silent"), "ok");
    EXPECT_FALSE(port.exchange(0x95, 100).has_value());

    box.write("quit\n");
    ASSERT_TRUE(box.waitForFinished(kLimitMs));
    EXPECT_EQ(box.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(box.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(dir.path() + "/COM2").isSymLink()) << "the link goes with the simulator";
}
