#pragma once
// The simulated interface box: what it answers to each command byte and how
// its two motors move the antenna. No input or output and no clock here:
// the caller feeds command bytes, takes the reply bytes and advances the
// simulated time, so tests drive it directly and the pty server of
// PtyServer.h puts it on a serial line.
//
// Wire format (one reply byte per command byte):
//   0x00 azimuth drive off            0x10 elevation drive off
//   0x01 azimuth clockwise on         0x11 elevation down on
//   0x02 azimuth counter-clockwise on 0x12 elevation up on
//   0x03 / 0x04 start of the other / the station's own traffic period
//   5..15, 19..127 speed byte: the first after the cycle's 0x96 is the
//                  azimuth's, the second the elevation's
//   0x80 / 0xA0 azimuth encoder high / low byte
//   0xC0 / 0xE0 elevation encoder high / low byte
//   0x95 8-bit measurement input
//   0x96 latch both encoders; replies the status byte (see statusByte)
// Drive, period and speed bytes are acknowledged by echoing them; any other
// byte is answered with 0x00 and changes nothing.
//
// The box also flags what the protocol forbids the program (violations()):
// a speed byte outside its place (before any 0x96, or a third one in a
// cycle; such a byte is echoed but moves nothing), and, reported by the line
// (PtyServer), a byte that arrived while a reply was still due.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace boxsim {

enum class EncoderFormat { Bin, Bcd };
enum class EncoderUnit { Deg, Grd }; // Grd: grades, one unit = 0.9 degree

// How the box uses its drive bytes.
//   Relay: 0x01/0x02 and 0x12/0x11 run an axis at full rate one way or the
//          other, 0x00/0x10 stop it; speed bytes are only stored (the real box
//          shows them as an error word).
//   Proportional: 0x01/0x02 and 0x12/0x11 enable a drive, 0x00/0x10 disable
//          it; an enabled axis moves by its speed byte: 64 stands still,
//          65..127 clockwise/up at (v - 64) / 63 of the rate, 63..5
//          counter-clockwise/down at (64 - v) / 64 of the rate (capped at the
//          rate).
enum class DriveMode { Relay, Proportional };

// Faults for the tests of the program's failure paths.
//   Silent:  the box is dead (its cable is out): it takes no byte and
//            answers nothing.
//   Mute:    the box takes every byte, acts on it and logs it, but answers
//            nothing (its transmit line is dead): the program hears a silent
//            box while its stop bytes still switch the drives off.
//   Garbage: commands act as usual but every reply byte is replaced by a
//            pseudo-random byte that differs from the true reply.
//   Double:  every command is answered with two bytes: the true reply, then
//            its complement.
//   Trailing: every command is answered with the true reply, and its
//            complement comes late: just ahead of the next command's reply,
//            in the same burst. So from the second command on, the first
//            byte waiting is the stray one.
enum class Fault { None, Silent, Mute, Garbage, Double, Trailing };

// One encoder as the station file describes it.
struct EncoderConfig {
    EncoderFormat format = EncoderFormat::Bin;
    EncoderUnit unit = EncoderUnit::Deg;
    double range = 360.0;  // encoder units spanned by the full 16-bit BIN word (BCD: unused,
                           // the digits wrap after one turn)
    double offset = 0.0;   // antenna angle in degrees when the encoder reads zero
};

// Faults of one axis, for the tests of the program's motion checks. The true
// antenna position (AxisState::angle, Box::azimuth(), Box::elevation()) is
// what the real antenna does; the encoder reports its own reading
// (Box::azimuthReading(), the encoder words), which these faults part from
// the truth. Set or changed at any time, in the configuration given to the
// box or through Box::config(), a fault acts from that moment on: the reading
// goes on from where it stands, it never jumps.
struct AxisFaults {
    // The motor is wired the wrong way round: the axis moves against its
    // command (counter-clockwise or down when clockwise or up is commanded,
    // in either drive mode); the encoder reports that true motion.
    bool motorReversed = false;
    // The encoder counts the other way: the axis moves as commanded while
    // the reading runs the other way at the same speed.
    bool encoderReversed = false;
    // Degrees per second added to the reading whatever the motor does (an
    // encoder running away); negative runs it down.
    double encoderRunaway = 0.0;
    // The reading stands at its value of the moment the flag was set while
    // the axis goes on moving (a seized encoder shaft); it overrides the two
    // faults above. Cleared, the reading goes on from there, off the truth by
    // the motion it missed.
    bool encoderFrozen = false;
};

struct AxisConfig {
    EncoderConfig encoder;
    double rate = 2.0;     // degrees per second at full speed
    AxisFaults faults;
};

struct BoxConfig {
    AxisConfig azimuth;
    AxisConfig elevation;
    DriveMode mode = DriveMode::Relay;
    uint8_t measurement = 0;  // the 8-bit measurement input
    // Seconds the box takes to answer each byte (a slow or busy box, or a USB
    // adapter's latency): the line waits this long, in real time, before it
    // sends the reply. The motors move on meanwhile.
    double replyDelay = 0.0;
    // When above replyDelay, each reply waits a time drawn evenly from
    // [replyDelay, replyDelayMax] instead (a box whose latency varies, e.g.
    // 0.060..0.090), pseudo-random from `seed` (Box::nextReplyDelay()).
    double replyDelayMax = 0.0;
    // Share 0..1 of the replies that are garbage, as under Fault::Garbage
    // (a byte that differs from the true reply), each reply drawn
    // pseudo-randomly from `seed`; 1 garbles every reply. Acts with any
    // fault that answers and with the reply delay alike: a slow box that also
    // answers wrong. Under Fault::Garbage every reply is garbage anyway.
    double garbageShare = 0.0;
    // Seed of the pseudo-random draws (garbage bytes, garbled replies, reply
    // delays): one seed, one sequence, so a failing run repeats exactly.
    uint32_t seed = 0x2545F491u;
    std::size_t logCapacity = 100000; // command bytes kept in the log
};

// Encoder words, high byte in bits 15..8, low byte in bits 7..0.
// BIN: the nearest count of reading / range * 65536, modulo 65536 (a range of
// 0 reads 0), so the word wraps after `range` units. BCD: the reading in
// tenths, to the nearest tenth, modulo one full turn of `turn` units (360 for
// degrees, 400 for grades; a turn of 0 or of 1000 and more wraps at the four
// digits' 999.9), as four decimal digits: 359.7 -> high 0x35, low 0x97, and
// 0.1 below the zero reads 359.9, as an absolute encoder does.
uint16_t encodeBin(double reading, double range);
uint16_t encodeBcd(double reading, double turn);

// One axis of the box. Its physical position is the angle in degrees from
// the encoder's zero; it moves continuously (no wrap), so a test measures
// from it how far the real antenna went (past a stop, across north),
// whatever the encoder reports.
struct AxisState {
    double angle = 0.0;      // true position: degrees from the encoder zero
    // Degrees by which the encoder's reading stands off the true angle
    // (reading = angle + encoderError): 0 on a sound encoder; the axis
    // faults (AxisFaults) make it grow. Setting the position clears it.
    double encoderError = 0.0;
    int relay = 0;           // Relay mode: +1 clockwise/up, -1 the other way, 0 off
    bool enabled = false;    // Proportional mode: drive enabled
    uint8_t speed = 64;      // last speed byte received
    uint16_t latched = 0;    // encoder word latched by 0x96 or a low-byte request
    bool latchFresh = false; // the latched word has not yet given its high byte
    // When set, the encoder gives this word whatever the position: for
    // readings no sound encoder gives (a BCD nibble above 9, a torn word).
    std::optional<uint16_t> forcedWord;
};

class Box {
public:
    explicit Box(const BoxConfig& config = {});

    // Takes one command byte and returns the bytes the box sends back:
    // one byte normally, none when Silent or Mute or for the byte left
    // unanswered (leaveUnanswered), two when Double (and Trailing after its
    // first command); a share of the replies garbled (garbageShare).
    std::vector<uint8_t> receive(uint8_t command);
    // The true reply to a command, acting on it; no fault applied.
    uint8_t reply(uint8_t command);

    // Moves the motors for `seconds` of simulated time.
    void advance(double seconds);

    // True antenna position in the station's terms: azimuth 0..360 from
    // north through east, elevation -180..180, both after the encoder
    // offset. What the real antenna does, whatever its encoder reports.
    double azimuth() const;
    double elevation() const;
    // What the encoder reports, in the same terms (equal to azimuth() and
    // elevation() on a sound encoder, to the word's resolution).
    double azimuthReading() const;
    double elevationReading() const;
    // Puts the antenna at a position (the encoder angle that reads it); the
    // encoder reads it truly from there (AxisState::encoderError cleared).
    void setAzimuth(double degrees);
    void setElevation(double degrees);

    // Current true velocity of an axis in degrees per second (+
    // clockwise/up), a reversed motor included.
    double azimuthVelocity() const { return velocity(az_, config_.azimuth); }
    double elevationVelocity() const { return velocity(el_, config_.elevation); }

    // The encoder words the box would latch now.
    uint16_t azimuthWord() const { return encoderWord(az_, config_.azimuth.encoder); }
    uint16_t elevationWord() const { return encoderWord(el_, config_.elevation.encoder); }

    // Bit 0: azimuth moving, bit 1: azimuth moving counter-clockwise,
    // bit 2: elevation moving, bit 3: elevation moving down; as commanded
    // (the box knows its outputs, not how the motors are wired).
    uint8_t statusByte() const;

    const AxisState& azimuthState() const { return az_; }
    const AxisState& elevationState() const { return el_; }
    AxisState& azimuthState() { return az_; }
    AxisState& elevationState() { return el_; }

    // Last traffic-period byte received (0x03 or 0x04; 0 before any) and how
    // many were received.
    uint8_t periodSignal() const { return periodSignal_; }
    int periodSignals() const { return periodSignals_; }

    void setMeasurement(uint8_t value) { config_.measurement = value; }
    uint8_t measurement() const { return config_.measurement; }
    // A change of fault drops a late byte still owed by Trailing.
    void setFault(Fault fault)
    {
        if (fault != fault_)
            trailing_.reset();
        fault_ = fault;
    }
    Fault fault() const { return fault_; }
    // The `nth` command byte taken from now on (1: the next) is taken and
    // acted on like any other but gets no reply, once (a reply lost on the
    // line); 0 cancels. Bytes a Silent box does not take do not count.
    void leaveUnanswered(int nth) { unansweredIn_ = nth > 0 ? nth : 0; }
    // Bytes still to be taken up to and with the one left unanswered; 0 when
    // none is due (not set, or already left unanswered).
    int unansweredIn() const { return unansweredIn_; }
    // The time in seconds the reply now due waits before it leaves:
    // config().replyDelay, or a draw from [replyDelay, replyDelayMax] when
    // that range is open. Each call draws anew.
    double nextReplyDelay();
    // Restarts the pseudo-random draws from `seed` (config().seed too).
    void setSeed(uint32_t seed);
    void setMode(DriveMode mode) { config_.mode = mode; }
    const BoxConfig& config() const { return config_; }
    BoxConfig& config() { return config_; }

    // Every command byte taken, oldest first (the last logCapacity of them).
    const std::deque<uint8_t>& log() const { return log_; }
    void clearLog() { log_.clear(); }

    // What the program did that the protocol forbids, oldest first, one text
    // each ("speed byte 40 is the 3rd of its cycle").
    const std::vector<std::string>& violations() const { return violations_; }
    void clearViolations() { violations_.clear(); }
    // The line reports that `command` arrived while `pending` replies were
    // still due ("byte 00 arrived while 1 reply was pending").
    void arrivedWhilePending(uint8_t command, int pending);

private:
    double velocity(const AxisState& axis, const AxisConfig& config) const;
    // The velocity the drive commands, before the motor's wiring.
    double commandedVelocity(const AxisState& axis, const AxisConfig& config) const;
    void advanceAxis(AxisState& axis, const AxisConfig& config, double seconds);
    uint8_t garble(uint8_t reply);
    double draw(); // pseudo-random in [0, 1)
    static uint16_t encoderWord(const AxisState& axis, const EncoderConfig& encoder);
    uint8_t lowByte(AxisState& axis, const AxisConfig& config);
    uint8_t highByte(AxisState& axis, const AxisConfig& config);
    void drive(AxisState& axis, int direction);

    BoxConfig config_;
    AxisState az_;
    AxisState el_;
    bool cycleSeen_ = false;  // a 0x96 has been taken
    int speedBytesInCycle_ = 0; // speed bytes taken since the last 0x96
    std::vector<std::string> violations_;
    uint8_t periodSignal_ = 0;
    int periodSignals_ = 0;
    Fault fault_ = Fault::None;
    std::optional<uint8_t> trailing_; // Trailing: the late byte not yet sent
    uint32_t noise_ = 0x2545F491u; // state of the garbage bytes' generator
    uint64_t draws_ = 0;           // state of the draws (garbled replies, delays)
    int unansweredIn_ = 0;
    std::deque<uint8_t> log_;
};

// True for the bytes the box takes as speed bytes: 5..15 and 19..127.
bool isSpeedByte(uint8_t command);

} // namespace boxsim
