#pragma once

// SerialDevice on a Linux tty through termios.
//
// Open: open(O_RDWR | O_NOCTTY | O_NONBLOCK), flock(LOCK_EX | LOCK_NB), a
// refusal when any other process has the device open (FindPortHolders: a
// program that reads without locking would share the input), and TIOCEXCL, so
// that a later open by this or another program fails; raw mode, receiver on, modem lines ignored,
// no flow control. Rates: any rate through termios2 (BOTHER). Parity including mark and space
// (CMSPAR); 5 to 8 data bits; 1 or 2 stop bits (1.5 is sent as CSTOPB, which
// the UART drivers turn into 1.5 stop bits with 5 data bits and 2 otherwise).
//
// Events: the wait poll()s the tty and an eventfd for Wake(). Readable data
// reports EV_RXCHAR once per arrival (data nobody reads is re-checked every
// 20 ms, not spun on); a hang-up (unplugged adapter, closed pty master) reports
// EV_ERR with CE_IOE and ends the waits (bytes still unread at that moment
// cannot be read any more: Linux answers FIONREAD with EIO and read() with 0).
// Modem-line changes (TIOCMGET) and line errors and breaks (TIOCGICOUNT) are
// sampled every 50 ms only while their events are in the event mask and the
// driver supports them (ptys do not). EV_TXEMPTY follows a write once
// TIOCOUTQ reads 0. EV_RXFLAG is never reported: a tty cannot be searched for
// the event character without consuming the input.

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

    bool SetQueueSizes(std::uint32_t input, std::uint32_t output) override;
    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    int LastError() const override;

    int Read(char* buffer, int count, int timeoutMs) override;
    int Write(const char* data, int length, int timeoutMs) override;

    bool ClearErrors(std::uint32_t* errors, QueueStatus* status) override;
    bool GetModemStatus(std::uint32_t* lines) override;
    bool Purge() override;

    void SetEventMask(std::uint32_t mask) override;
    WaitResult WaitEvent() override;
    void Wake() override;

    // How often modem lines and error counters are sampled, and how often data
    // that nobody has read is looked at again.
    static constexpr int kSamplePeriodMs = 50;
    static constexpr int kRecheckPeriodMs = 20;
    // The longest Close waits for pending output to leave.
    static constexpr int kCloseDrainMs = 500;

  private:
    int Fail(int code);
    // Samples the error counters and modem lines; returns the events they show.
    std::uint32_t SampleLines();
    std::uint32_t InputWaiting() const;

    mutable std::mutex mutex_;  // guards everything below except the descriptors' use
    int fd_ = -1;
    int wakeFd_ = -1;
    int lastError_ = 0;
    std::uint32_t mask_ = 0;
    LineSettings kept_;  // the fields termios has no place for

    bool hangup_ = false;
    bool txPending_ = false;
    std::uint32_t pendingErrors_ = 0;
    // Input reporting: the queue length last reported, and whether it was read since.
    std::uint32_t rxReported_ = 0;
    bool rxConsumed_ = true;

    bool modemSupported_ = false;
    std::uint32_t lastModem_ = 0;
    bool countersSupported_ = false;
    struct Counters {
        int brk = 0, frame = 0, overrun = 0, parity = 0, bufOverrun = 0;
    } lastCounters_;
};

}  // namespace navoro
