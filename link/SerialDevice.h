#pragma once

// The platform side of the serial-port component: one serial device, opened
// exclusively, with its line settings, queue status, modem lines and an event
// wait that another thread can interrupt.
//
// TComm (link/Comm.h) owns one SerialDevice per open port. The GUI thread calls
// everything except WaitEvent; the component's reader thread calls only
// WaitEvent. Wake may be called from any thread. Implementations keep their own
// bookkeeping thread-safe.
//
// The termios implementation is TermiosDevice (link/TermiosDevice.h); tests may
// stand in their own.

#include <cstdint>
#include <string>

namespace navoro {

// Port events, with the masks a wait reports them by.
inline constexpr std::uint32_t EV_RXCHAR = 0x0001;   // characters received
inline constexpr std::uint32_t EV_RXFLAG = 0x0002;   // the event character received
inline constexpr std::uint32_t EV_TXEMPTY = 0x0004;  // the output queue ran empty
inline constexpr std::uint32_t EV_CTS = 0x0008;      // CTS changed
inline constexpr std::uint32_t EV_DSR = 0x0010;      // DSR changed
inline constexpr std::uint32_t EV_RLSD = 0x0020;     // carrier detect changed
inline constexpr std::uint32_t EV_BREAK = 0x0040;    // break received
inline constexpr std::uint32_t EV_ERR = 0x0080;      // line error, or the device went away
inline constexpr std::uint32_t EV_RING = 0x0100;     // ring indicator came on

// Line-error bits reported by ClearErrors and handed to OnError.
inline constexpr std::uint32_t CE_RXOVER = 0x0001;    // input buffer overflow
inline constexpr std::uint32_t CE_OVERRUN = 0x0002;   // hardware overrun
inline constexpr std::uint32_t CE_RXPARITY = 0x0004;  // parity error
inline constexpr std::uint32_t CE_FRAME = 0x0008;     // framing error
inline constexpr std::uint32_t CE_BREAK = 0x0010;     // break condition
inline constexpr std::uint32_t CE_IOE = 0x0400;       // I/O error: the device hung up or vanished

// Modem input lines reported by GetModemStatus.
inline constexpr std::uint32_t MS_CTS_ON = 0x0010;
inline constexpr std::uint32_t MS_DSR_ON = 0x0020;
inline constexpr std::uint32_t MS_RING_ON = 0x0040;
inline constexpr std::uint32_t MS_RLSD_ON = 0x0080;

enum class LineParity : std::uint8_t { None, Odd, Even, Mark, Space };
enum class LineStopBits : std::uint8_t { One, OneAndHalf, Two };

// The line-settings record: read from the device, changed, written back.
// Fields without a termios counterpart are kept by the device and read back
// as they were written.
struct LineSettings {
    std::uint32_t BaudRate = 9600;  // bit/s, any positive rate
    std::uint8_t ByteSize = 8;      // data bits, 5 to 8 (4 is refused)
    LineParity Parity = LineParity::None;
    LineStopBits StopBits = LineStopBits::One;
    char XonChar = 17;
    char XoffChar = 19;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    std::uint16_t XonLim = 0;
    std::uint16_t XoffLim = 0;
    bool fParity = false;            // check parity on input
    bool fDsrSensitivity = false;    // kept only
    bool fTXContinueOnXoff = false;  // kept only
    bool fErrorChar = false;         // kept only
    bool fNull = false;              // discard received NUL bytes
    // Flow control as the driver has it.
    bool fOutxCtsFlow = false;  // RTS/CTS hardware flow control
    bool fOutX = false;         // XON/XOFF on output
    bool fInX = false;          // XON/XOFF on input
};

// Bytes waiting in the driver's queues.
struct QueueStatus {
    std::uint32_t cbInQue = 0;
    std::uint32_t cbOutQue = 0;
};

// Why an open failed: the errno value and a sentence for the user that names
// the device and the reason.
struct DeviceError {
    int code = 0;
    std::string message;
};

// What one event wait found.
struct WaitResult {
    std::uint32_t events = 0;  // EV_* bits among the monitored ones
    bool woken = false;        // Wake() was called
    bool failed = false;       // the wait itself failed; the caller retries after a pause
    bool ended = false;        // the device hung up or vanished: no later wait reports anything
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

    // Requests the driver's queue sizes.
    virtual bool SetQueueSizes(std::uint32_t input, std::uint32_t output) = 0;
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

    // Returns and clears the line errors gathered since the last call, and the
    // queue status.
    virtual bool ClearErrors(std::uint32_t* errors, QueueStatus* status) = 0;
    virtual bool GetModemStatus(std::uint32_t* lines) = 0;
    // Discards everything in both queues.
    virtual bool Purge() = 0;

    // Selects the events a wait reports (EV_* bits).
    virtual void SetEventMask(std::uint32_t mask) = 0;
    // Waits for a monitored event, for Wake(), or for the device to go away.
    virtual WaitResult WaitEvent() = 0;
    // Makes a pending or the next WaitEvent return with `woken` set.
    virtual void Wake() = 0;
};

}  // namespace navoro
