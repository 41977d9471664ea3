#pragma once

// The serial port the application talks to the transponder through.
//
//   SerialPort port(executor);          // executor: see link/EventExecutor.h
//   port.SetDevicePath("/dev/ttyUSB0");
//   port.SetRate(115200);
//   port.OnDataWaiting = [&](std::uint32_t queued) { ... port.Read(buffer, n) ... };
//   port.OnHangUp = [&] { ... port.Close() ... };
//   if (PortResult opened = port.Open(); !opened.Ok())
//       show(opened.message);           // busy and by whom, permission, refused settings, ...
//   port.Write(bytes, length);
//   port.Close();
//
// Threads: every operation and every callback belongs to one owning thread
// (the GUI thread). While open, a reader thread waits for the device and hands
// each event to the owning thread through the executor, then waits until the
// callbacks have run, so that no two events are handled at once. Close (also
// from inside a callback) gives up a pending hand-off, joins the reader, closes
// the device, and guarantees that no callback runs again until the next Open.
// The executor must outlive the port. Do not destroy the port from inside its
// own callback.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "link/ConnectionPort.h"
#include "link/EventExecutor.h"
#include "link/SerialDevice.h"

namespace navoro {

enum class PortState : std::uint8_t {
    Closed,
    Open,
    HungUp,  // open, but the device hung up or vanished: only Close is of use
};

// Data bits, parity and stop bits; 8N1 unless set otherwise.
struct LineFormat {
    int dataBits = 8;  // 5 to 8
    LineParity parity = LineParity::None;
    LineStopBits stopBits = LineStopBits::One;
    bool operator==(const LineFormat&) const = default;
};

class PortReader;
struct ReaderLink;

class SerialPort : public ConnectionPort {
  public:
    using DeviceFactory = std::function<std::unique_ptr<SerialDevice>()>;

    // The device comes from `factory`, one per Open; by default a TermiosDevice.
    explicit SerialPort(EventExecutor& executor, DeviceFactory factory = {});
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Fails with AlreadyOpen ("Port already assigned (open) (Error: -1)"),
    // Unavailable (the device's own sentence: busy and by whom, missing, not
    // permitted, not a serial port) or SettingsRefused ("Error updating
    // DataControlBlock (Error: <errno>)"); then the port is closed.
    PortResult Open() override;
    void Close() override;
    bool IsOpen() const override;
    PortState State() const;

    // The number of bytes read or written; -1 when closed. A read waits at
    // most kReadTimeoutMs for `count` bytes, a write at most WriteTimeoutMs.
    int Read(char* buffer, int count);
    int Write(const char* bytes, int length) override;
    // The error number of the open device's last failed call (0 when closed):
    // EIO after a write to a device that hung up.
    int LastDeviceError() const override;

    // "/dev/ttyS1" until set; ignored while open.
    std::string DevicePath() const override;
    void SetDevicePath(const std::string& path) override;
    // 9600 until set. A change is applied at once when open; setting the rate
    // it has does nothing. Rates that are not positive are refused and not kept.
    int Rate() const override;
    PortResult SetRate(int bitsPerSecond) override;
    // As the rate.
    LineFormat Format() const;
    PortResult SetFormat(const LineFormat& format);

    // Bytes are waiting to be read (`queued` of them, more than 0).
    std::function<void(std::uint32_t queued)> OnDataWaiting;
    // The device hung up or vanished (unplugged adapter, closed pseudo-terminal);
    // nothing more is reported until the port is closed and opened again.
    std::function<void()> OnHangUp;

    static constexpr int kReadTimeoutMs = 1000;
    // The longest a write of `length` bytes at `rate` waits: the time allowed
    // per byte times the length, but no longer than the greater of 5 s and
    // twice the transmission time.
    static int WriteTimeoutMs(int rate, int length);
    // The time allowed per byte: 19200 ms divided by the number of standard
    // rates (110, 300, ... 256000) below `rate`, at least 1.
    static int WriteTimeoutPerByteMs(int rate);

  private:
    // Writes rate and format to the open device (the lock held); Ok when closed.
    PortResult ApplySettings();
    // Runs on the owning thread with what the reader's wait found; `link`
    // says whether Close has given the reader up meanwhile.
    void HandleEvent(const WaitResult& event, ReaderLink& link);

    EventExecutor& executor_;
    DeviceFactory factory_;
    mutable std::mutex lock_;
    std::shared_ptr<SerialDevice> device_;  // while open
    std::unique_ptr<PortReader> reader_;    // while open
    PortState state_ = PortState::Closed;
    std::string devicePath_ = "/dev/ttyS1";
    int rate_ = 9600;
    LineFormat format_;
};

}  // namespace navoro
