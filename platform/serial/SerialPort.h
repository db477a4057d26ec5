#pragma once
// The serial port of the station's interface box: 9600 baud, 8 data bits, no
// parity, 1 stop bit, no flow control, raw bytes. The box answers every
// command byte with one reply byte; exchange() is that round trip with a
// deadline on a monotonic clock, sleeping (not spinning) while it waits.
// send(), waitForInput(), inBufferCount() and input() are its pieces, for a
// caller that needs them apart.
//
// One program per box: while open, the port holds an advisory lock on the
// device (flock, exclusive), which holds for root too, and the terminal is
// marked exclusive (which stops anyone but root from opening it at all).
// A second open of the device, by another program or another SerialPort of
// this one, fails before it sends a byte or touches the line's settings or
// buffers; heldByAnotherProgram() tells that case apart.
//
// Time limits count the time the box had, not time this process was not
// running: a wait is counted in slices, and a slice that took far longer
// than asked (the process was descheduled on a loaded machine, stopped and
// continued) counts as the time asked; a wait that has used up its time
// still looks at the line once more before it reports nothing, so a reply
// that came while the process was not running is taken. A byte sent is
// awaited until it has left the port before its reply is waited for.
//
// Port names: COM n is the device named by an entry "COMn" (any letter case)
// in the station folder when there is one, else /dev/ttyS(n-1). The entry may
// be a symbolic link to the device (as the interface-box simulator makes), the
// device node itself, or a plain text file whose first line is the device's
// path (relative paths from the folder).

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace platform {

class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // The device COM `comNumber` stands for in `folder` (see above); empty
    // when comNumber is below 1 or a "COMn" text file names no device.
    static QString devicePathFor(int comNumber, const QString& folder);

    // Opens COM `comNumber` (closing any port open before) and sets it to
    // 9600 8N1 raw with both buffers emptied. False when the device cannot
    // be opened, is not a terminal or is held by another program;
    // errorString() then says why.
    bool open(int comNumber, const QString& folder);
    // Opens a device by its path, with the same settings.
    bool openDevice(const QString& path);
    // True when the last open failed because another program (or another
    // open SerialPort) holds the device: nothing was sent to it and its
    // settings and buffers were left alone. errorString() is then
    // "<device> is used by another program", the device by its real path
    // (a COMn link resolved). False after any other outcome of an open.
    bool heldByAnotherProgram() const { return heldElsewhere_; }
    bool isOpen() const { return fd_ >= 0; }
    // Discards what was received unread and closes the port; bytes already
    // handed to the line are not taken back (a stop byte sent just before
    // still leaves); nothing when not open.
    void close();

    // Discards what is waiting to be sent and what was received unread.
    void flush();
    // Discards only what was received unread.
    void discardInput();

    // Sends `command` (send()) and, once it has left, waits up to
    // `timeoutMs` milliseconds for the reply (waitForInput()). Returns the
    // first byte received; the bytes already waiting behind it are read and
    // discarded. A byte that was already waiting before the command went
    // out is taken as its reply (flush() first to avoid that). nullopt when
    // nothing arrives in time, the port is closed or the line fails (a
    // hang-up is reported at once, not at the deadline).
    std::optional<uint8_t> exchange(uint8_t command, int timeoutMs);
    // Sends one byte without waiting for a reply and returns once it has
    // left the port (the output queue and, where the device tells, the
    // transmitter are empty: the box has it, and its reply time starts).
    // False when it cannot be handed to the line, or does not leave, within
    // `timeoutMs` each (errorString() says which); a byte handed over may
    // still leave after a false.
    bool send(uint8_t byte, int timeoutMs = 100);
    // Waits up to `timeoutMs` milliseconds (counted as above) until at least
    // one received byte is waiting; true at once when one already is. False
    // when the time is used up and a last look finds nothing, when the port
    // is closed or the line fails (errorString() says which).
    bool waitForInput(int timeoutMs);
    // Takes every received byte that is waiting, oldest first (empty when
    // none or closed); the input buffer count is 0 afterwards.
    QByteArray input();

    // Waits up to `timeoutMs` milliseconds (counted as above) until every
    // byte written has left the port (the output count is 0 and, where the
    // device tells, its transmitter is empty); false at the deadline or when
    // closed. A close right after a send loses nothing then.
    bool drainOutput(int timeoutMs);

    // Bytes received and not read; bytes written and not yet sent (0 when closed).
    int inBufferCount() const;
    int outBufferCount() const;

    // The port's file descriptor while open, else -1: for a last-resort
    // writer in a fatal-signal handler, which may call nothing but the
    // system's async-signal-safe functions. The device's lock belongs to it.
    int nativeHandle() const { return fd_; }

    // The device path of the open port (or of the last attempt).
    const QString& devicePath() const { return devicePath_; }
    // Why the last open failed or the last exchange got no reply.
    const QString& errorString() const { return error_; }

private:
    int fd_ = -1;
    QString devicePath_;
    QString error_;
    bool heldElsewhere_ = false;
};

} // namespace platform
