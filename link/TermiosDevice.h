#pragma once

// SerialDevice on a Linux tty through termios.
//
// Open: open(O_RDWR | O_NOCTTY | O_NONBLOCK), flock(LOCK_EX | LOCK_NB), a
// refusal when any other process has the device open (FindPortHolders: a
// program that reads without locking would share the input), and TIOCEXCL, so
// that a later open by this or another program fails; raw mode, receiver on,
// modem lines ignored, no flow control. Rates: any rate through termios2
// (BOTHER). Parity including mark and space (CMSPAR); 5 to 8 data bits; 1 or 2
// stop bits (1.5 is sent as CSTOPB, which the UART drivers turn into 1.5 stop
// bits with 5 data bits and 2 otherwise).
//
// Events: the wait poll()s the tty and an eventfd for Wake(). Readable data is
// reported once per arrival (data nobody reads is re-checked every 20 ms, not
// spun on); a hang-up (unplugged adapter, closed pty master) is reported once
// and ends the waits (bytes still unread at that moment cannot be read any
// more: Linux answers FIONREAD with EIO and read() with 0).

#include <cstdint>
#include <mutex>

#include "link/SerialDevice.h"

namespace navoro {

class TermiosDevice : public SerialDevice {
  public:
    TermiosDevice();
    ~TermiosDevice() override;
    TermiosDevice(const TermiosDevice&) = delete;
    TermiosDevice& operator=(const TermiosDevice&) = delete;

    bool Open(const std::string& path, DeviceError* error) override;
    bool IsOpen() const override;
    void Close() override;

    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    int LastError() const override;

    int Read(char* buffer, int count, int timeoutMs) override;
    int Write(const char* data, int length, int timeoutMs) override;

    bool GetQueueStatus(QueueStatus& status) override;

    WaitResult WaitEvent() override;
    void Wake() override;

    // How often data that nobody has read is looked at again.
    static constexpr int kRecheckPeriodMs = 20;
    // The longest Close waits for pending output to leave.
    static constexpr int kCloseDrainMs = 500;

  private:
    int Fail(int code);
    // Records how a read or write ended: a failure, and a hang-up when the
    // failure says the device has gone.
    void NoteTransferFailure(int failure);
    std::uint32_t InputWaiting() const;

    mutable std::mutex mutex_;  // guards everything below except the descriptors' use
    int fd_ = -1;
    int wakeFd_ = -1;
    int lastError_ = 0;
    // The settings last written: 1.5 stop bits look like 2 on the tty.
    LineSettings written_;

    bool hangup_ = false;
    // Input reporting: the queue length last reported, and whether it was read since.
    std::uint32_t rxReported_ = 0;
    bool rxConsumed_ = true;
};

}  // namespace navoro
