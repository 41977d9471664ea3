#pragma once

// The platform side of the serial port: one serial device, opened
// exclusively, with its line settings, queue status and an event wait that
// another thread can interrupt.
//
// SerialPort (link/SerialPort.h) owns one SerialDevice per open port. The GUI
// thread calls everything except WaitEvent; the port's reader thread calls
// only WaitEvent. Wake may be called from any thread. Implementations keep
// their own bookkeeping thread-safe.
//
// The termios implementation is TermiosDevice (link/TermiosDevice.h); tests may
// stand in their own.

#include <cstdint>
#include <string>

namespace navoro {

enum class LineParity : std::uint8_t { None, Odd, Even, Mark, Space };
enum class LineStopBits : std::uint8_t { One, OneAndHalf, Two };

// The line settings: read from the device, changed, written back.
struct LineSettings {
    std::uint32_t rate = 9600;  // bit/s, any positive rate
    std::uint8_t dataBits = 8;  // 5 to 8 (4 is refused)
    LineParity parity = LineParity::None;
    LineStopBits stopBits = LineStopBits::One;
    char xonChar = 17;           // the character that resumes output
    char xoffChar = 19;          // the character that stops output
    bool checkParity = false;    // check the parity of received bytes
    bool rtsCtsFlow = false;     // RTS/CTS hardware flow control
    bool xonXoffOutput = false;  // output stops at XOFF and resumes at XON
    bool xonXoffInput = false;   // XOFF is sent when the input queue fills
};

// Bytes waiting in the driver's queues.
struct QueueStatus {
    std::uint32_t inputQueued = 0;   // received, not read yet
    std::uint32_t outputQueued = 0;  // written, not sent yet
};

// Why an open failed: the errno value and a sentence for the user that names
// the device and the reason.
struct DeviceError {
    int code = 0;
    std::string message;
};

// What one event wait found.
struct WaitResult {
    bool dataWaiting = false;  // bytes arrived that no earlier wait reported
    bool hungUp = false;       // the device hung up or vanished (unplugged, pty closed)
    bool woken = false;        // Wake() was called
    bool failed = false;       // the wait itself failed; the caller retries after a pause
    bool ended = false;        // no later wait reports anything (hung up, or closed)
};

class SerialDevice {
  public:
    virtual ~SerialDevice() = default;

    // Opens `path` exclusively for reading and writing. On failure the device
    // stays closed and `error` (when given) says why.
    virtual bool Open(const std::string& path, DeviceError* error) = 0;
    virtual bool IsOpen() const = 0;
    // Lets pending output drain for a short bounded time, purges both queues
    // and closes. Does nothing when closed.
    virtual void Close() = 0;

    virtual bool GetLineSettings(LineSettings& settings) = 0;
    virtual bool SetLineSettings(const LineSettings& settings) = 0;
    // The errno value of the last failed call.
    virtual int LastError() const = 0;

    // Reads up to `count` bytes, waiting at most `timeoutMs` for all of them.
    // Returns the number read (0 when nothing could be read).
    virtual int Read(char* buffer, int count, int timeoutMs) = 0;
    // Writes `length` bytes, waiting at most `timeoutMs` for the driver to take
    // them. Returns the number written.
    virtual int Write(const char* data, int length, int timeoutMs) = 0;

    virtual bool GetQueueStatus(QueueStatus& status) = 0;

    // Waits until bytes arrive, the device goes away or Wake() is called.
    virtual WaitResult WaitEvent() = 0;
    // Makes a pending or the next WaitEvent return with `woken` set.
    virtual void Wake() = 0;
};

}  // namespace navoro
