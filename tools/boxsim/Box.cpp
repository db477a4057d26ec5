#include "tools/boxsim/Box.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace boxsim {

namespace {

constexpr double kGradeInDegrees = 0.9;

double unitInDegrees(EncoderUnit unit)
{
    return unit == EncoderUnit::Grd ? kGradeInDegrees : 1.0;
}

double wrap360(double degrees)
{
    double a = std::fmod(degrees, 360.0);
    if (a < 0.0)
        a += 360.0;
    if (a >= 360.0) // fmod of a tiny negative value can round up to 360
        a -= 360.0;
    return a;
}

uint8_t bcdByte(int twoDigits)
{
    return uint8_t(((twoDigits / 10) << 4) | (twoDigits % 10));
}

} // namespace

uint16_t encodeBin(double reading, double range)
{
    if (range == 0.0)
        return 0;
    const long long count = std::llround(reading / range * 65536.0);
    return uint16_t(((count % 65536) + 65536) % 65536);
}

uint16_t encodeBcd(double reading, double turn)
{
    const long long tenthsPerTurn = std::llround(turn * 10.0);
    const long long modulus = tenthsPerTurn > 0 && tenthsPerTurn < 10000 ? tenthsPerTurn : 10000;
    const long long tenths = std::llround(reading * 10.0);
    const int t = int(((tenths % modulus) + modulus) % modulus);
    return uint16_t((bcdByte(t / 100) << 8) | bcdByte(t % 100));
}

bool isSpeedByte(uint8_t command)
{
    return (command >= 5 && command <= 15) || (command >= 19 && command <= 127);
}

Box::Box(const BoxConfig& config) : config_(config)
{
    setSeed(config.seed);
}

void Box::setSeed(uint32_t seed)
{
    config_.seed = seed;
    noise_ = seed != 0 ? seed : 0x2545F491u; // xorshift32 never leaves 0
    draws_ = seed;
}

double Box::draw()
{
    // splitmix64: a fixed sequence for a seed. The garble decisions and the
    // delay draws share it, so a run repeats exactly for a given seed.
    uint64_t z = (draws_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return double(z >> 11) * 0x1.0p-53;
}

uint8_t Box::garble(uint8_t reply)
{
    // xorshift32: a fixed sequence, so a failing test repeats exactly
    noise_ ^= noise_ << 13;
    noise_ ^= noise_ >> 17;
    noise_ ^= noise_ << 5;
    const uint8_t flip = uint8_t(1 + noise_ % 255); // never 0: never the true reply
    return uint8_t(reply ^ flip);
}

double Box::nextReplyDelay()
{
    const double low = config_.replyDelay;
    const double high = config_.replyDelayMax;
    if (!(high > low))
        return low;
    return low + (high - low) * draw();
}

std::vector<uint8_t> Box::receive(uint8_t command)
{
    if (fault_ == Fault::Silent)
        return {};
    uint8_t r = reply(command);
    if (unansweredIn_ > 0 && --unansweredIn_ == 0)
        return {};
    if (fault_ != Fault::Garbage && config_.garbageShare > 0.0 && draw() < config_.garbageShare)
        r = garble(r);
    switch (fault_) {
    case Fault::Mute:
        return {};
    case Fault::Garbage:
        return {garble(r)};
    case Fault::Double:
        return {r, uint8_t(~r)};
    case Fault::Trailing: {
        std::vector<uint8_t> out;
        if (trailing_)
            out.push_back(*trailing_);
        out.push_back(r);
        trailing_ = uint8_t(~r);
        return out;
    }
    default:
        return {r};
    }
}

uint8_t Box::reply(uint8_t command)
{
    log_.push_back(command);
    while (log_.size() > config_.logCapacity)
        log_.pop_front();

    if (isSpeedByte(command)) {
        // The cycle's first speed byte is the azimuth's, its second the
        // elevation's; any other one has no axis.
        const int place = ++speedBytesInCycle_;
        char text[96];
        if (!cycleSeen_) {
            std::snprintf(text, sizeof text, "speed byte %02X before any 0x96", command);
            violations_.push_back(text);
        } else if (place > 2) {
            const int last = place % 10, tens = place % 100 / 10;
            const char* suffix = tens == 1 || last > 3 || last == 0 ? "th" : last == 1 ? "st" : last == 2 ? "nd" : "rd";
            std::snprintf(text, sizeof text, "speed byte %02X is the %d%s of its cycle", command, place, suffix);
            violations_.push_back(text);
        } else {
            (place == 1 ? az_ : el_).speed = command;
        }
        return command;
    }

    switch (command) {
    case 0x00: drive(az_, 0); return command;
    case 0x01: drive(az_, +1); return command;
    case 0x02: drive(az_, -1); return command;
    case 0x10: drive(el_, 0); return command;
    case 0x11: drive(el_, -1); return command;
    case 0x12: drive(el_, +1); return command;
    case 0x03:
    case 0x04:
        periodSignal_ = command;
        ++periodSignals_;
        return command;
    case 0xA0: return lowByte(az_, config_.azimuth);
    case 0x80: return highByte(az_, config_.azimuth);
    case 0xE0: return lowByte(el_, config_.elevation);
    case 0xC0: return highByte(el_, config_.elevation);
    case 0x95: return config_.measurement;
    case 0x96:
        cycleSeen_ = true;
        speedBytesInCycle_ = 0;
        az_.latched = azimuthWord();
        az_.latchFresh = true;
        el_.latched = elevationWord();
        el_.latchFresh = true;
        return statusByte();
    default:
        return 0x00;
    }
}

void Box::arrivedWhilePending(uint8_t command, int pending)
{
    char text[96];
    std::snprintf(text, sizeof text, "byte %02X arrived while %d repl%s pending", command, pending,
                  pending == 1 ? "y was" : "ies were");
    violations_.push_back(text);
}

void Box::drive(AxisState& axis, int direction)
{
    axis.relay = direction;
    axis.enabled = direction != 0;
}

uint8_t Box::lowByte(AxisState& axis, const AxisConfig& config)
{
    axis.latched = encoderWord(axis, config.encoder);
    axis.latchFresh = true;
    return uint8_t(axis.latched & 0xFF);
}

uint8_t Box::highByte(AxisState& axis, const AxisConfig& config)
{
    // The high byte belongs to the word latched with the low byte, so the two
    // halves of a reading agree while the axis moves; asked alone, it latches.
    if (!axis.latchFresh)
        axis.latched = encoderWord(axis, config.encoder);
    axis.latchFresh = false;
    return uint8_t(axis.latched >> 8);
}

uint16_t Box::encoderWord(const AxisState& axis, const EncoderConfig& encoder)
{
    if (axis.forcedWord)
        return *axis.forcedWord;
    const double unit = unitInDegrees(encoder.unit);
    const double reading = (axis.angle + axis.encoderError) / unit;
    return encoder.format == EncoderFormat::Bin ? encodeBin(reading, encoder.range)
                                                : encodeBcd(reading, 360.0 / unit);
}

double Box::velocity(const AxisState& axis, const AxisConfig& config) const
{
    const double v = commandedVelocity(axis, config);
    return config.faults.motorReversed ? -v : v;
}

double Box::commandedVelocity(const AxisState& axis, const AxisConfig& config) const
{
    if (config_.mode == DriveMode::Relay)
        return axis.relay * config.rate;
    if (!axis.enabled)
        return 0.0;
    const int v = axis.speed;
    double fraction = 0.0;
    if (v > 64)
        fraction = (v - 64) / 63.0;
    else if (v < 64)
        fraction = -(64 - v) / 64.0;
    return std::clamp(fraction, -1.0, 1.0) * config.rate;
}

void Box::advanceAxis(AxisState& axis, const AxisConfig& config, double seconds)
{
    const double moved = velocity(axis, config) * seconds;
    axis.angle += moved;
    const AxisFaults& f = config.faults;
    if (f.encoderFrozen)
        axis.encoderError -= moved; // the reading stands
    else
        axis.encoderError += (f.encoderReversed ? -2.0 * moved : 0.0) + f.encoderRunaway * seconds;
}

void Box::advance(double seconds)
{
    if (seconds <= 0.0)
        return;
    advanceAxis(az_, config_.azimuth, seconds);
    advanceAxis(el_, config_.elevation, seconds);
}

double Box::azimuth() const
{
    return wrap360(az_.angle + config_.azimuth.encoder.offset);
}

double Box::elevation() const
{
    return wrap360(el_.angle + config_.elevation.encoder.offset + 180.0) - 180.0;
}

double Box::azimuthReading() const
{
    return wrap360(az_.angle + az_.encoderError + config_.azimuth.encoder.offset);
}

double Box::elevationReading() const
{
    return wrap360(el_.angle + el_.encoderError + config_.elevation.encoder.offset + 180.0) - 180.0;
}

void Box::setAzimuth(double degrees)
{
    az_.angle = wrap360(degrees - config_.azimuth.encoder.offset);
    az_.encoderError = 0.0;
}

void Box::setElevation(double degrees)
{
    el_.angle = degrees - config_.elevation.encoder.offset;
    el_.encoderError = 0.0;
}

uint8_t Box::statusByte() const
{
    const double va = commandedVelocity(az_, config_.azimuth);
    const double ve = commandedVelocity(el_, config_.elevation);
    uint8_t s = 0;
    if (va != 0.0)
        s |= 0x01;
    if (va < 0.0)
        s |= 0x02;
    if (ve != 0.0)
        s |= 0x04;
    if (ve < 0.0)
        s |= 0x08;
    return s;
}

} // namespace boxsim
