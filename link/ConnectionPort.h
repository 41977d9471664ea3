#pragma once

// The serial-port operations the connection manager and the send path use,
// so that both can be driven by a scripted port in tests. SerialPort
// (link/SerialPort.h) is the real one.

#include <cstdint>
#include <string>
#include <utility>

namespace navoro {

// How an operation on the port ended: done, or why not.
struct [[nodiscard]] PortResult {
    enum class Failure : std::uint8_t {
        None,
        AlreadyOpen,      // Open on an open port, which stays as it was
        Unavailable,      // the device could not be opened: missing, busy, not permitted
        SettingsRefused,  // the device refused the line settings (the rate, the format)
    };
    Failure failure = Failure::None;
    int code = 0;         // the errno value of the failure (-1 for AlreadyOpen)
    std::string message;  // what the user reads
    std::string detail;   // why the device refused, in more words; may be empty

    bool Ok() const { return failure == Failure::None; }
    static PortResult Failed(Failure failure, int code, std::string message,
                             std::string detail = {}) {
        return {failure, code, std::move(message), std::move(detail)};
    }
};

class ConnectionPort {
  public:
    virtual ~ConnectionPort() = default;

    virtual bool IsOpen() const = 0;
    // Opens DevicePath at Rate. On failure the port is closed (or, for
    // AlreadyOpen, stays as it was) and the result says why.
    virtual PortResult Open() = 0;
    virtual void Close() = 0;
    virtual std::string DevicePath() const = 0;
    // Ignored while open.
    virtual void SetDevicePath(const std::string& path) = 0;
    // Bits per second.
    virtual int Rate() const = 0;
    // Applied at once when open; a rate the device refuses is kept all the
    // same (and applied again at the next Open).
    virtual PortResult SetRate(int bitsPerSecond) = 0;
    // The number of bytes written; -1 when closed.
    virtual int Write(const char* bytes, int length) = 0;
    // The error number of the open device's last failed call (0: none known).
    virtual int LastDeviceError() const { return 0; }
};

}  // namespace navoro
