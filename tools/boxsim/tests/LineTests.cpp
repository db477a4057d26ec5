// The box on a pseudo-terminal: the line flags a byte that arrives while a
// reply is still due, and a slow box answers late while its motors move on.

#include "tools/boxsim/PtyServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using namespace boxsim;

namespace {

// The program's end of the line, raw bytes.
struct Program {
    explicit Program(const std::string& path) : fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~Program()
    {
        if (fd >= 0)
            ::close(fd);
    }
    void send(const std::vector<uint8_t>& bytes) const
    {
        ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    // The replies received within `ms` milliseconds, once `count` have come.
    std::vector<uint8_t> receive(std::size_t count, int ms = 5000) const
    {
        std::vector<uint8_t> got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (got.size() < count) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
            if (left <= 0)
                break;
            pollfd p {fd, POLLIN, 0};
            if (::poll(&p, 1, int(left)) <= 0)
                continue;
            uint8_t b[16];
            const ssize_t n = ::read(fd, b, sizeof b);
            if (n > 0)
                got.insert(got.end(), b, b + n);
        }
        return got;
    }
    // One exchange as the protocol wants it: the byte, then its reply.
    uint8_t exchange(uint8_t b) const
    {
        send({b});
        const auto r = receive(1);
        return r.empty() ? 0 : r[0];
    }
    int fd;
};

std::vector<std::string> violations(PtyServer& s)
{
    return s.withBox([](Box& b) { return b.violations(); });
}

} // namespace

// A byte sent before the reply to the one before has come is flagged: by a
// slow box, and by a box that answers at once when the line holds its
// replies to drive bytes (the box's time does not pass meanwhile).
TEST(BoxLine, ByteWhileAReplyIsDueIsFlagged)
{
    struct Cas {
        double replyDelay, hold;
    };
    for (const Cas c : {Cas{0.05, 0.0}, Cas{0.0, 0.002}}) {
        SCOPED_TRACE(c.hold > 0 ? "held drive replies" : "slow box");
        BoxConfig config;
        config.replyDelay = c.replyDelay; // long enough for the second byte to be on the line
        PtyServer server(config, {false, false, 0.0, c.hold});
        std::string error;
        ASSERT_TRUE(server.openPty(&error)) << error;
        server.start();
        Program p(server.devicePath());
        ASSERT_GE(p.fd, 0);

        // Exchanges one at a time: nothing to flag.
        for (uint8_t b : {0x96, 0xA0, 0x80, 0x10, 0x00})
            p.exchange(b);
        EXPECT_TRUE(violations(server).empty());

        // Two stop bytes back to back, as one write and as two.
        p.send({0x10, 0x00});
        EXPECT_EQ(p.receive(2), (std::vector<uint8_t>{0x10, 0x00}));
        p.send({0x10});
        p.send({0x00});
        EXPECT_EQ(p.receive(2), (std::vector<uint8_t>{0x10, 0x00}));
        EXPECT_EQ(violations(server), (std::vector<std::string>{"byte 00 arrived while 1 reply was pending",
                                                                "byte 00 arrived while 1 reply was pending"}));
        // The box took and acted on every byte all the same.
        EXPECT_EQ(server.withBox([](Box& b) { return b.log().size(); }), 9u);
        EXPECT_NEAR(server.simulatedSeconds(), 9 * c.replyDelay, 1e-9); // the hold is no time of the box
    }
}

TEST(BoxLine, SlowBoxAnswersLateAndItsMotorsMoveMeanwhile)
{
    BoxConfig config;
    config.azimuth.rate = 10;
    PtyServer server(config, {false, false, 0.0});
    std::string error;
    ASSERT_TRUE(server.openPty(&error)) << error;
    server.start();
    Program p(server.devicePath());
    p.exchange(0x01);
    const double before = server.withBox([](Box& b) { return b.azimuth(); });
    server.withBox([](Box& b) { b.config().replyDelay = 0.2; });
    EXPECT_EQ(p.exchange(0x95), 0);
    // Manual time: the delay is simulated time too, the motors ran through it.
    EXPECT_NEAR(server.withBox([](Box& b) { return b.azimuth(); }) - before, 2.0, 1e-6);
    EXPECT_NEAR(server.simulatedSeconds(), 0.2, 1e-9);
    EXPECT_TRUE(violations(server).empty());
}

// A slow box that also answers wrong, on the line: each reply waits a time
// drawn from 20..40 ms (the box's time runs through it), a share of them is
// garbage; a byte left unanswered gets nothing back, is not held against
// the next byte, and the line goes on.
TEST(BoxLine, SlowBoxThatAnswersWrongAndAByteLeftUnanswered)
{
    BoxConfig config;
    config.measurement = 0x42;
    config.replyDelay = 0.020;
    config.replyDelayMax = 0.040;
    config.garbageShare = 0.5;
    PtyServer server(config, {false, false, 0.0});
    std::string error;
    ASSERT_TRUE(server.openPty(&error)) << error;
    server.start();
    Program p(server.devicePath());
    constexpr int n = 20;
    int garbled = 0;
    for (int i = 0; i < n; ++i) {
        const auto start = std::chrono::steady_clock::now();
        garbled += p.exchange(0x95) != 0x42;
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
    }
    EXPECT_GT(garbled, 0);
    EXPECT_LT(garbled, n);
    const double waited = server.simulatedSeconds(); // manual time: the delays alone
    EXPECT_GT(waited, n * 0.020 + 0.01);
    EXPECT_LT(waited, n * 0.040 - 0.01);

    server.withBox([](Box& b) {
        b.config().garbageShare = 0.0;
        b.config().replyDelay = b.config().replyDelayMax = 0.0;
        b.leaveUnanswered(1);
    });
    p.send({0x01});
    EXPECT_TRUE(p.receive(1, 200).empty());
    EXPECT_EQ(p.exchange(0x95), 0x42);
    EXPECT_NE(server.withBox([](Box& b) { return b.azimuthVelocity(); }), 0.0) << "the unanswered byte was acted on";
    EXPECT_TRUE(violations(server).empty());
}
