// The simulated box: each command byte's reply, the encoder words in BIN and
// BCD as the tracking program decodes them, and the motors' motion.

#include "tools/boxsim/Box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace boxsim;

namespace {

// The tracking program's decoding of an encoder (low byte read first, then
// the high byte), written out independently of the box: BIN = (256 high +
// low) / 65536 x range; BCD = 10 x high + low / 10, each byte two decimal
// digits; grades x 0.9; plus the offset, wrapped once.
double bcdDigits(uint8_t b)
{
    return (b >> 4) * 10 + (b & 0x0F);
}

double decode(uint8_t high, uint8_t low, const EncoderConfig& e)
{
    double reading = e.format == EncoderFormat::Bin ? (256.0 * high + low) / 65536.0 * e.range
                                                    : 10.0 * bcdDigits(high) + bcdDigits(low) / 10.0;
    if (e.unit == EncoderUnit::Grd)
        reading *= 0.9;
    return reading + e.offset;
}

double wrapAz(double a)
{
    if (a >= 360.0)
        a -= 360.0;
    if (a < 0.0)
        a += 360.0;
    return a;
}

double readAzimuth(Box& box)
{
    const uint8_t low = box.reply(0xA0);
    const uint8_t high = box.reply(0x80);
    return wrapAz(decode(high, low, box.config().azimuth.encoder));
}

double readElevation(Box& box)
{
    const uint8_t low = box.reply(0xE0);
    const uint8_t high = box.reply(0xC0);
    double e = decode(high, low, box.config().elevation.encoder);
    if (e >= 180.0)
        e -= 360.0;
    if (e < -180.0)
        e += 360.0;
    return e;
}

} // namespace

TEST(BoxEncoding, BinWords)
{
    struct Case { double reading; double range; uint16_t word; };
    const Case cases[] = {
        {0.0, 360.0, 0x0000},
        {180.0, 360.0, 0x8000},
        {90.0, 360.0, 0x4000},
        {45.0, 720.0, 0x1000},
        {360.0, 360.0, 0x0000},           // a full turn wraps to zero
        {-360.0 / 65536.0, 360.0, 0xFFFF}, // one count below zero
        {100.0, 360.0, 0x471C},           // 18204.44 counts, nearest
        {123.0, 0.0, 0x0000},             // no range: reads zero
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeBin(c.reading, c.range), c.word) << c.reading << " / " << c.range;
}

TEST(BoxEncoding, BcdWords)
{
    struct Case { double reading; double turn; uint16_t word; };
    const Case cases[] = {
        {359.7, 360.0, 0x3597}, {123.4, 360.0, 0x1234}, {0.0, 360.0, 0x0000},
        {12.34, 360.0, 0x0123}, // nearest tenth
        {0.06, 360.0, 0x0001},
        {90.0, 360.0, 0x0900},
        {360.0, 360.0, 0x0000}, // a full turn reads zero again
        {359.96, 360.0, 0x0000},
        {-0.1, 360.0, 0x3599},  // just below the zero: the end of the turn, not 999.9
        {-1.5, 360.0, 0x3585},
        {399.9, 400.0, 0x3999}, // grades
        {-0.5, 400.0, 0x3995},
        {400.0, 400.0, 0x0000},
        {999.9, 0.0, 0x9999},   // no turn: the four digits wrap
        {1000.0, 0.0, 0x0000},
        {-0.1, 1000.0, 0x9999},
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeBcd(c.reading, c.turn), c.word) << c.reading << " / " << c.turn;
}

TEST(BoxEncoding, StationDecodesThePositionInEveryFormat)
{
    struct Case {
        EncoderConfig encoder;
        double position;
        double tolerance;
    };
    const Case azCases[] = {
        {{EncoderFormat::Bin, EncoderUnit::Deg, 360.0, 0.0}, 123.4, 360.0 / 65536},
        {{EncoderFormat::Bin, EncoderUnit::Deg, 360.0, 0.0}, 359.99, 360.0 / 65536},
        {{EncoderFormat::Bin, EncoderUnit::Grd, 400.0, 0.0}, 271.3, 0.9 * 400.0 / 65536},
        {{EncoderFormat::Bin, EncoderUnit::Deg, 360.0, 200.0}, 10.0, 360.0 / 65536}, // travel across north
        {{EncoderFormat::Bcd, EncoderUnit::Deg, 0.0, 0.0}, 359.7, 0.051},
        {{EncoderFormat::Bcd, EncoderUnit::Deg, 0.0, 0.0}, 0.0, 0.051},
        {{EncoderFormat::Bcd, EncoderUnit::Grd, 0.0, 0.0}, 111.06, 0.9 * 0.051},
        {{EncoderFormat::Bcd, EncoderUnit::Deg, 0.0, 200.0}, 20.0, 0.051},
    };
    for (const Case& c : azCases) {
        BoxConfig config;
        config.azimuth.encoder = c.encoder;
        Box box(config);
        box.setAzimuth(c.position);
        EXPECT_NEAR(box.azimuth(), c.position, 1e-9);
        EXPECT_NEAR(readAzimuth(box), c.position, c.tolerance) << "offset " << c.encoder.offset;
    }
    const Case elCases[] = {
        {{EncoderFormat::Bin, EncoderUnit::Deg, 180.0, -10.0}, 45.0, 180.0 / 65536},
        {{EncoderFormat::Bin, EncoderUnit::Deg, 360.0, -90.0}, -5.0, 360.0 / 65536},
        {{EncoderFormat::Bcd, EncoderUnit::Deg, 0.0, 0.0}, 89.9, 0.051},
        {{EncoderFormat::Bcd, EncoderUnit::Grd, 0.0, -5.0}, 30.0, 0.9 * 0.051},
        // below the encoder's zero (an antenna that overran a low stop of 0)
        {{EncoderFormat::Bcd, EncoderUnit::Deg, 0.0, 0.0}, -0.5, 0.051},
        {{EncoderFormat::Bcd, EncoderUnit::Grd, 0.0, 0.0}, -0.45, 0.9 * 0.051},
        {{EncoderFormat::Bin, EncoderUnit::Deg, 360.0, 0.0}, -0.5, 360.0 / 65536},
    };
    for (const Case& c : elCases) {
        BoxConfig config;
        config.elevation.encoder = c.encoder;
        Box box(config);
        box.setElevation(c.position);
        EXPECT_NEAR(box.elevation(), c.position, 1e-9);
        EXPECT_NEAR(readElevation(box), c.position, c.tolerance);
    }
}

TEST(BoxReplies, EveryCommandByteGetsOneReply)
{
    BoxConfig config;
    config.measurement = 0xA5;
    Box box(config);
    box.setAzimuth(180.0);  // BIN 360: word 0x8000
    box.setElevation(45.0); // word 0x2000

    struct Case { uint8_t command; uint8_t reply; };
    const Case cases[] = {
        {0xA0, 0x00}, {0x80, 0x80}, {0xE0, 0x00}, {0xC0, 0x20}, {0x95, 0xA5},
        {0x96, 0x00}, // status: nothing moves
        {0x00, 0x00}, {0x10, 0x10}, {0x03, 0x03}, {0x04, 0x04},
        {5, 5}, {15, 15}, {19, 19}, {64, 64}, {127, 127}, // speed bytes are echoed
        {0x81, 0x00}, {0xFF, 0x00}, {0x97, 0x00},         // not a command: 0
    };
    for (const Case& c : cases) {
        const auto out = box.receive(c.command);
        ASSERT_EQ(out.size(), 1u) << int(c.command);
        EXPECT_EQ(out[0], c.reply) << "command " << int(c.command);
    }
    // The drive commands are acknowledged by their echo too.
    for (uint8_t c : {0x01, 0x02, 0x00, 0x12, 0x11, 0x10})
        EXPECT_EQ(box.reply(c), c);
    EXPECT_EQ(box.periodSignal(), 0x04);
    EXPECT_EQ(box.periodSignals(), 2);
}

TEST(BoxReplies, HighByteBelongsToTheWordLatchedWithTheLowByte)
{
    BoxConfig config;
    config.azimuth.encoder.range = 655.36; // one count per 0.01 degree
    config.azimuth.rate = 0.01;
    Box box(config);
    box.setAzimuth(0x01FF * 0.01);
    box.reply(0x01);
    EXPECT_EQ(box.reply(0xA0), 0xFF);
    box.advance(1.0); // now 0x0200
    EXPECT_EQ(box.reply(0x80), 0x01) << "high byte of the latched 0x01FF";
    EXPECT_EQ(box.reply(0x80), 0x02) << "asked alone, the high byte latches anew";

    // 0x96 latches both axes for the reads that follow it.
    box.setAzimuth(0x02FF * 0.01);
    box.reply(0x00);
    box.reply(0x96);
    box.setAzimuth(0x0300 * 0.01);
    EXPECT_EQ(box.reply(0x80), 0x02);
}

TEST(BoxReplies, ForcedWordIsGivenAsItIs)
{
    BoxConfig config;
    config.azimuth.encoder.format = EncoderFormat::Bcd;
    Box box(config);
    box.setAzimuth(12.3);
    box.azimuthState().forcedWord = 0x3A97; // a nibble above 9
    EXPECT_EQ(box.reply(0xA0), 0x97);
    EXPECT_EQ(box.reply(0x80), 0x3A);
    EXPECT_EQ(box.azimuthWord(), 0x3A97);
    EXPECT_EQ(box.reply(0xE0), 0x00) << "the other axis reads its position";
    box.azimuthState().forcedWord.reset();
    EXPECT_EQ(box.reply(0xA0), 0x23);
    EXPECT_EQ(box.reply(0x80), 0x01);
}

TEST(BoxReplies, SpeedBytesTakeTheirPlaceInTheCycle)
{
    BoxConfig config;
    config.mode = DriveMode::Proportional;
    Box box(config);
    // Before any 0x96 a speed byte has no place: flagged, echoed, not taken.
    EXPECT_EQ(box.reply(90), 90);
    EXPECT_EQ(box.azimuthState().speed, 64);
    // The cycle's first speed byte is the azimuth's, the second the
    // elevation's, whatever comes between them; a third is flagged and moves
    // nothing; the next 0x96 opens a new cycle.
    for (uint8_t c : {0x96, 0xA0, 0x80, 100, 0x01, 30, 64, 64, 0x96, 0xE0, 40})
        box.reply(c);
    EXPECT_EQ(box.azimuthState().speed, 40);
    EXPECT_EQ(box.elevationState().speed, 30);
    EXPECT_EQ(box.violations(), (std::vector<std::string>{"speed byte 5A before any 0x96",
                                                          "speed byte 40 is the 3rd of its cycle",
                                                          "speed byte 40 is the 4th of its cycle"}));
    box.arrivedWhilePending(0x00, 1);
    box.arrivedWhilePending(0x10, 2);
    EXPECT_EQ(box.violations().back(), "byte 10 arrived while 2 replies were pending");
    EXPECT_EQ(box.violations()[3], "byte 00 arrived while 1 reply was pending");
    box.clearViolations();
    EXPECT_TRUE(box.violations().empty());
}

TEST(BoxMotion, RelaysRunAtTheRate)
{
    BoxConfig config;
    config.azimuth.rate = 2.0;
    config.elevation.rate = 1.5;
    Box box(config);
    box.setAzimuth(100.0);
    box.setElevation(10.0);

    struct Step { uint8_t command; double seconds; double az; double el; };
    const Step steps[] = {
        {0x01, 5.0, 110.0, 10.0}, // clockwise
        {0x12, 2.0, 114.0, 13.0}, // elevation up, azimuth still running
        {0x02, 1.0, 112.0, 14.5}, // counter-clockwise at once
        {0x00, 3.0, 112.0, 19.0}, // azimuth off
        {0x11, 2.0, 112.0, 16.0}, // down
        {0x10, 9.0, 112.0, 16.0}, // all stopped
        {100, 4.0, 112.0, 16.0},  // a speed byte moves nothing in relay mode
    };
    for (const Step& s : steps) {
        box.reply(s.command);
        box.advance(s.seconds);
        EXPECT_NEAR(box.azimuth(), s.az, 1e-9) << "after " << int(s.command);
        EXPECT_NEAR(box.elevation(), s.el, 1e-9) << "after " << int(s.command);
        EXPECT_NEAR(readAzimuth(box), s.az, 0.01);
        EXPECT_NEAR(readElevation(box), s.el, 0.01);
    }

    // Clockwise across north.
    box.setAzimuth(359.0);
    box.reply(0x01);
    box.advance(1.0);
    EXPECT_NEAR(box.azimuth(), 1.0, 1e-9);
    EXPECT_NEAR(readAzimuth(box), 1.0, 0.01);

    // An encoder without stop turning backwards through its zero, in BIN and
    // in BCD of both units: the reading goes on from the end of the turn.
    for (EncoderFormat format : {EncoderFormat::Bin, EncoderFormat::Bcd}) {
        for (EncoderUnit unit : {EncoderUnit::Deg, EncoderUnit::Grd}) {
            BoxConfig across;
            across.azimuth.encoder = {format, unit, unit == EncoderUnit::Grd ? 400.0 : 360.0, 100.0};
            Box turning(across);
            turning.setAzimuth(100.5); // encoder at 0.5 degree
            turning.reply(0x02);
            turning.advance(1.0);      // 2 degrees counter-clockwise
            EXPECT_NEAR(turning.azimuth(), 98.5, 1e-9);
            EXPECT_NEAR(readAzimuth(turning), 98.5, 0.06) << int(format) << " " << int(unit);
        }
    }
}

TEST(BoxMotion, SpeedBytesDriveAnEnabledAxisInProportionalMode)
{
    struct Case { uint8_t speed; double fraction; };
    const Case cases[] = {
        {64, 0.0}, {127, 1.0}, {65, 1.0 / 63}, {95, 31.0 / 63},
        {63, -1.0 / 64}, {32, -0.5}, {5, -59.0 / 64},
    };
    for (const Case& c : cases) {
        BoxConfig config;
        config.mode = DriveMode::Proportional;
        config.azimuth.rate = 3.0;
        config.elevation.rate = 3.0;
        Box box(config);
        box.setAzimuth(180.0);
        box.setElevation(40.0);
        // As the tracking cycle sends them: speed bytes, then the enables.
        for (uint8_t b : {uint8_t(0x96), uint8_t(0xC0), c.speed, c.speed, uint8_t(0x12), uint8_t(0x01)})
            box.reply(b);
        box.advance(2.0);
        EXPECT_NEAR(box.azimuth(), 180.0 + 6.0 * c.fraction, 1e-9) << int(c.speed);
        EXPECT_NEAR(box.elevation(), 40.0 + 6.0 * c.fraction, 1e-9) << int(c.speed);
    }

    // Disabled drives stand still whatever the speed byte.
    BoxConfig config;
    config.mode = DriveMode::Proportional;
    Box box(config);
    box.setAzimuth(50.0);
    for (uint8_t b : {0x96, 127, 127})
        box.reply(b);
    box.advance(10.0);
    EXPECT_NEAR(box.azimuth(), 50.0, 1e-9);
    box.reply(0x01);
    box.reply(0x00);
    box.advance(10.0);
    EXPECT_NEAR(box.azimuth(), 50.0, 1e-9);
    EXPECT_EQ(box.statusByte(), 0);
}

TEST(BoxMotion, StatusByteShowsMotionAndDirection)
{
    Box box;
    EXPECT_EQ(box.reply(0x96), 0x00);
    box.reply(0x01);
    EXPECT_EQ(box.reply(0x96), 0x01);
    box.reply(0x02);
    box.reply(0x11);
    EXPECT_EQ(box.reply(0x96), 0x0F);
    box.reply(0x12);
    EXPECT_EQ(box.reply(0x96), 0x07);
}

TEST(BoxFaults, SilentMuteGarbageAndDouble)
{
    Box box;
    box.setMeasurement(0x42);

    box.setFault(Fault::Silent);
    EXPECT_TRUE(box.receive(0x95).empty());
    EXPECT_TRUE(box.receive(0x01).empty());
    box.advance(5.0);
    EXPECT_EQ(box.azimuth(), 0.0) << "a dead box does not act on commands";
    EXPECT_TRUE(box.log().empty());

    // Mute: no reply, but every byte is taken, logged and acted on.
    box.setFault(Fault::Mute);
    EXPECT_TRUE(box.receive(0x01).empty());
    box.advance(1.0);
    EXPECT_EQ(box.azimuth(), 2.0) << "the relay runs on the byte it took";
    EXPECT_TRUE(box.receive(0x00).empty());
    box.advance(1.0);
    EXPECT_EQ(box.azimuth(), 2.0) << "and stops on the stop byte";
    EXPECT_EQ(box.log(), (std::deque<uint8_t> {0x01, 0x00}));
    box.setAzimuth(0.0);
    box.clearLog();

    box.setFault(Fault::Garbage);
    for (int c = 0; c < 256; ++c) {
        if (c == 0x01 || c == 0x02 || c == 0x11 || c == 0x12)
            continue; // keep the motors off, so the true reply stays fixed
        Box reference;
        reference.setMeasurement(0x42);
        const uint8_t truth = reference.reply(uint8_t(c));
        const auto out = box.receive(uint8_t(c));
        ASSERT_EQ(out.size(), 1u);
        EXPECT_NE(out[0], truth) << "command " << c;
    }

    box.setFault(Fault::Double);
    const auto out = box.receive(0x95);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], 0x42);
    EXPECT_EQ(out[1], uint8_t(~0x42));

    // Trailing: the complement of each reply comes ahead of the next reply.
    box.setFault(Fault::Trailing);
    EXPECT_EQ(box.receive(0x95), (std::vector<uint8_t> {0x42}));
    EXPECT_EQ(box.receive(0x10), (std::vector<uint8_t> {uint8_t(~0x42), 0x10}));
    EXPECT_EQ(box.receive(0x95), (std::vector<uint8_t> {uint8_t(~0x10), 0x42}));
    box.setFault(Fault::None); // the owed byte is dropped
    EXPECT_EQ(box.receive(0x95), (std::vector<uint8_t> {0x42}));
    box.setFault(Fault::Trailing);
    EXPECT_EQ(box.receive(0x95), (std::vector<uint8_t> {0x42}));
}

TEST(BoxLog, KeepsTheLastCommandsInOrder)
{
    BoxConfig config;
    config.logCapacity = 3;
    Box box(config);
    for (uint8_t c : {0x96, 0xA0, 0x80, 0x10, 0x00})
        box.receive(c);
    EXPECT_EQ(box.log(), (std::deque<uint8_t> {0x80, 0x10, 0x00}));
}

// The axis faults, in both drive modes and on both axes. Each case moves the
// axis 1 s soundly, sets the fault (the reading goes on from where it stands:
// no jump), then commands a direction for 4 s more. The true position (what
// the real antenna did) and the reading (the encoder words as the station
// decodes them) part as the fault says. M is the commanded 4-s move: at the
// rate of 2 degrees per second, +-8 by relay, +8 (speed byte 127) or -4
// (speed byte 32) proportionally.
TEST(BoxAxisFaults, TruePositionAndReadingPartAsTheFaultSays)
{
    AxisFaults motor, encoder, both, runaway, runawayDown, frozen, frozenRunaway;
    motor.motorReversed = true;
    encoder.encoderReversed = true;
    both.motorReversed = both.encoderReversed = true;
    runaway.encoderRunaway = 0.5;
    runawayDown.encoderRunaway = -1.0;
    frozen.encoderFrozen = true;
    frozenRunaway.encoderFrozen = true;
    frozenRunaway.encoderRunaway = 3.0;
    struct Case {
        const char* what;
        AxisFaults faults;
        int direction;   // commanded for the 4 s: +1 clockwise/up, -1 the other way, 0 off
        double trueInM;  // true move, in commanded moves M
        double readInM;  // reading's move: readInM x M + readPlus degrees
        double readPlus;
    };
    const Case cases[] = {
        {"sound", {}, +1, 1, 1, 0},
        {"sound, the other way", {}, -1, 1, 1, 0},
        {"motor wired the wrong way", motor, +1, -1, -1, 0},
        {"motor wired the wrong way, the other way", motor, -1, -1, -1, 0},
        {"encoder counting the other way", encoder, +1, 1, -1, 0},
        {"encoder counting the other way, the other way", encoder, -1, 1, -1, 0},
        {"both the wrong way: the reading looks right", both, +1, -1, 1, 0},
        {"encoder running away", runaway, +1, 1, 1, 2},
        {"encoder running away, motor off", runaway, 0, 0, 0, 2},
        {"encoder running down", runawayDown, -1, 1, 1, -4},
        {"frozen encoder", frozen, +1, 1, 0, 0},
        {"frozen encoder, the other way", frozen, -1, 1, 0, 0},
        {"frozen beats running away", frozenRunaway, +1, 1, 0, 0},
    };
    for (const DriveMode mode : {DriveMode::Relay, DriveMode::Proportional}) {
        for (const bool el : {false, true}) {
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(c.what) + (mode == DriveMode::Relay ? ", relay" : ", proportional") +
                             (el ? ", elevation" : ", azimuth"));
                BoxConfig config;
                config.mode = mode;
                config.azimuth.encoder.offset = 200.0; // the encoder's zero is not north
                config.elevation.encoder.offset = -10.0;
                Box box(config);
                box.setAzimuth(100.0);
                box.setElevation(30.0);
                auto truth = [&] { return el ? box.elevation() : box.azimuth(); };
                auto reading = [&] { return el ? readElevation(box) : readAzimuth(box); };
                auto command = [&](int direction) {
                    const uint8_t off = el ? 0x10 : 0x00;
                    const uint8_t on = el ? (direction > 0 ? 0x12 : 0x11) : (direction > 0 ? 0x01 : 0x02);
                    if (mode == DriveMode::Proportional) {
                        const uint8_t speed = direction > 0 ? 127 : direction < 0 ? 32 : 64;
                        for (uint8_t b : {uint8_t(0x96), el ? uint8_t(64) : speed, el ? speed : uint8_t(64)})
                            box.reply(b);
                        box.reply(direction == 0 ? off : el ? 0x12 : 0x01); // the enables
                    } else {
                        box.reply(direction == 0 ? off : on);
                    }
                };
                command(+1);
                box.advance(1.0);
                const double trueBefore = truth();
                const double readBefore = reading();
                ASSERT_NEAR(trueBefore, (el ? 30.0 : 100.0) + 2.0, 1e-9);
                ASSERT_NEAR(readBefore, trueBefore, 0.01);
                (el ? box.config().elevation : box.config().azimuth).faults = c.faults;
                EXPECT_NEAR(reading(), readBefore, 0.01) << "no jump when the fault is set";
                command(c.direction);
                box.advance(4.0);
                const double m = c.direction * (mode == DriveMode::Relay || c.direction > 0 ? 8.0 : 4.0);
                EXPECT_NEAR(truth() - trueBefore, c.trueInM * m, 1e-9);
                EXPECT_NEAR(reading() - readBefore, c.readInM * m + c.readPlus, 0.01);
                EXPECT_NEAR(el ? box.elevationReading() : box.azimuthReading(), reading(), 0.01);
                // The other axis is untouched.
                EXPECT_NEAR(el ? box.azimuth() : box.elevation(), el ? 100.0 : 30.0, 1e-9);
                EXPECT_NEAR(el ? readAzimuth(box) : readElevation(box), el ? 100.0 : 30.0, 0.01);
                // The box reports its outputs, not how the motor is wired.
                if (c.direction != 0) {
                    const uint8_t moving = el ? 0x04 : 0x01, down = el ? 0x08 : 0x02;
                    EXPECT_EQ(box.statusByte(), c.direction > 0 ? moving : uint8_t(moving | down));
                }
            }
        }
    }
}

// A frozen encoder let go: the reading goes on from where it stood, off the
// truth by the motion it missed; putting the antenna somewhere (by hand, or
// a test) makes the encoder read it truly again. The true position goes on
// continuously across north (AxisState::angle), whatever the reading.
TEST(BoxAxisFaults, FrozenThenLetGoAndPutBack)
{
    Box box;
    box.setAzimuth(350.0);
    box.reply(0x01);
    box.config().azimuth.faults.encoderFrozen = true;
    box.advance(10.0);
    EXPECT_NEAR(box.azimuth(), 10.0, 1e-9);
    EXPECT_NEAR(box.azimuthState().angle, 370.0, 1e-9) << "20 degrees of true travel, across north";
    EXPECT_NEAR(readAzimuth(box), 350.0, 0.01);
    box.config().azimuth.faults.encoderFrozen = false;
    box.advance(1.0);
    EXPECT_NEAR(readAzimuth(box), 352.0, 0.01);
    EXPECT_NEAR(box.azimuthState().encoderError, -20.0, 1e-9);
    box.setAzimuth(90.0);
    EXPECT_NEAR(readAzimuth(box), 90.0, 0.01);
    EXPECT_EQ(box.azimuthState().encoderError, 0.0);
}

// Replies left unanswered, garbled for a share, and delays drawn from a
// range: all from one seed, the same at every run.
TEST(BoxFaults, OneByteLeftUnanswered)
{
    Box box;
    box.setMeasurement(0x42);
    box.leaveUnanswered(3);
    EXPECT_EQ(box.unansweredIn(), 3);
    EXPECT_EQ(box.receive(0x95), (std::vector<uint8_t>{0x42}));
    EXPECT_EQ(box.receive(0x95), (std::vector<uint8_t>{0x42}));
    EXPECT_EQ(box.unansweredIn(), 1);
    EXPECT_TRUE(box.receive(0x01).empty()) << "the third byte gets no reply";
    box.advance(1.0);
    EXPECT_NEAR(box.azimuth(), 2.0, 1e-9) << "but it was acted on";
    EXPECT_EQ(box.log().back(), 0x01);
    EXPECT_EQ(box.unansweredIn(), 0);
    EXPECT_EQ(box.receive(0x00), (std::vector<uint8_t>{0x00})) << "once only";

    // A dead box takes no byte: those do not count.
    box.leaveUnanswered(1);
    box.setFault(Fault::Silent);
    EXPECT_TRUE(box.receive(0x95).empty());
    EXPECT_EQ(box.unansweredIn(), 1);
    box.setFault(Fault::None);
    EXPECT_TRUE(box.receive(0x95).empty());
    // 0 cancels.
    box.leaveUnanswered(2);
    box.leaveUnanswered(0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(box.receive(0x95).size(), 1u);
}

TEST(BoxFaults, GarbageForAShareOfTheReplies)
{
    struct Case { double share; Fault fault; int low, high; }; // garbled replies out of 400
    const Case cases[] = {
        {0.0, Fault::None, 0, 0},
        {0.25, Fault::None, 70, 130},
        {0.5, Fault::None, 160, 240},
        {1.0, Fault::None, 400, 400},
        {0.5, Fault::Garbage, 400, 400}, // the fault garbles every reply anyway
        {0.5, Fault::Double, 160, 240},  // the first byte is the (perhaps garbled) reply
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.share);
        BoxConfig config;
        config.measurement = 0x42;
        config.garbageShare = c.share;
        Box box(config);
        box.setFault(c.fault);
        std::vector<uint8_t> first;
        int garbled = 0;
        for (int i = 0; i < 400; ++i) {
            const auto out = box.receive(0x95);
            ASSERT_EQ(out.size(), c.fault == Fault::Double ? 2u : 1u);
            first.push_back(out[0]);
            garbled += out[0] != 0x42;
        }
        EXPECT_GE(garbled, c.low);
        EXPECT_LE(garbled, c.high);
        // The same seed gives the same replies; another seed others.
        Box again(config);
        again.setFault(c.fault);
        Box other(config);
        other.setFault(c.fault);
        other.setSeed(12345);
        bool differs = false;
        for (int i = 0; i < 400; ++i) {
            EXPECT_EQ(again.receive(0x95)[0], first[std::size_t(i)]);
            differs |= other.receive(0x95)[0] != first[std::size_t(i)];
        }
        EXPECT_EQ(differs, c.high > 0);
    }
}

TEST(BoxFaults, ReplyDelayDrawnFromItsRange)
{
    struct Case { double low, high; };
    for (const Case c : {Case{0.060, 0.090}, Case{0.0, 0.016}, Case{0.05, 0.05}, Case{0.05, 0.0}}) {
        SCOPED_TRACE(std::to_string(c.low) + ".." + std::to_string(c.high));
        BoxConfig config;
        config.replyDelay = c.low;
        config.replyDelayMax = c.high;
        config.seed = 7;
        Box box(config);
        const bool range = c.high > c.low;
        double least = 1e9, most = -1e9;
        std::vector<double> drawn;
        for (int i = 0; i < 200; ++i) {
            const double d = box.nextReplyDelay();
            drawn.push_back(d);
            least = std::min(least, d);
            most = std::max(most, d);
        }
        EXPECT_GE(least, c.low);
        EXPECT_LE(most, range ? c.high : c.low);
        if (range) // spread over the range, not bunched at one end
            EXPECT_GT(most - least, 0.8 * (c.high - c.low));
        else
            EXPECT_EQ(most, least);
        box.setSeed(7);
        for (int i = 0; i < 200; ++i)
            EXPECT_EQ(box.nextReplyDelay(), drawn[std::size_t(i)]) << "the seed repeats the run";
    }
}
