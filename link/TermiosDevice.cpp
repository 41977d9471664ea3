#include "link/TermiosDevice.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include "link/KernelBaudRate.h"
#include "link/PortHolders.h"
#include "link/TermiosSettings.h"

namespace navoro {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(std::min<long long>(left, 60'000)) : 0;
}

bool IsGoneError(int code) {
    return code == EIO || code == ENXIO || code == ENODEV;
}

std::uint32_t ModemBits(int lines) {
    std::uint32_t bits = 0;
    if (lines & TIOCM_CTS) bits |= MS_CTS_ON;
    if (lines & TIOCM_DSR) bits |= MS_DSR_ON;
    if (lines & TIOCM_RNG) bits |= MS_RING_ON;
    if (lines & TIOCM_CAR) bits |= MS_RLSD_ON;
    return bits;
}

constexpr std::uint32_t kModemEvents = EV_CTS | EV_DSR | EV_RING | EV_RLSD;
constexpr std::uint32_t kCounterEvents = EV_BREAK | EV_ERR;

}  // namespace

TermiosDevice::TermiosDevice() {
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

TermiosDevice::~TermiosDevice() {
    Close();
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

int TermiosDevice::Fail(int code) {
    lastError_ = code;
    return code;
}

bool TermiosDevice::Open(const std::string& path, DeviceError* error) {
    std::lock_guard lock(mutex_);
    auto refuse = [&](int code, int fd, std::vector<PortHolder> holders = {}) {
        if (fd >= 0) ::close(fd);
        Fail(code);
        if (error != nullptr) {
            error->code = code;
            const bool busy = code == EBUSY || code == EWOULDBLOCK;
            if (busy && holders.empty()) holders = FindPortHolders(path);
            error->message = DescribeOpenError(path, code, holders);
        }
        return false;
    };
    if (fd_ >= 0) return refuse(EBUSY, -1);
    if (wakeFd_ < 0) return refuse(EMFILE, -1);

    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return refuse(errno, -1);
    if (!isatty(fd)) return refuse(ENOTTY, fd);
    // The lock first: TIOCEXCL is a property of the tty, not of this descriptor,
    // and must not be set on a port somebody else holds.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) return refuse(errno, fd);
    // A program that reads the device without locking it (a terminal program)
    // would take part of the input: any other process that has it open keeps
    // it closed to us. Processes whose descriptors cannot be listed (other
    // users' without privilege) are only kept out by the lock and TIOCEXCL.
    std::vector<PortHolder> others = FindPortHolders(path);
    std::erase_if(others, [](const PortHolder& holder) { return holder.pid == getpid(); });
    if (!others.empty()) return refuse(EBUSY, fd, std::move(others));
    if (ioctl(fd, TIOCEXCL) != 0) return refuse(errno, fd);

    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return refuse(errno, fd);
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return refuse(errno, fd);

    int lines = 0;
    modemSupported_ = ioctl(fd, TIOCMGET, &lines) == 0;
    lastModem_ = modemSupported_ ? ModemBits(lines) : 0;
    serial_icounter_struct counters{};
    countersSupported_ = ioctl(fd, TIOCGICOUNT, &counters) == 0;
    lastCounters_ = {counters.brk, counters.frame, counters.overrun, counters.parity,
                     counters.buf_overrun};

    kept_ = LineSettings{};
    hangup_ = false;
    txPending_ = false;
    pendingErrors_ = 0;
    rxReported_ = 0;
    rxConsumed_ = true;
    fd_ = fd;
    return true;
}

bool TermiosDevice::IsOpen() const {
    std::lock_guard lock(mutex_);
    return fd_ >= 0;
}

void TermiosDevice::Close() {
    int fd;
    {
        std::lock_guard lock(mutex_);
        fd = fd_;
        fd_ = -1;
    }
    if (fd < 0) return;
    // Give the last bytes written a short while to leave, then discard the rest:
    // a port stalled by flow control must not hold up the close.
    const auto deadline = Clock::now() + std::chrono::milliseconds(kCloseDrainMs);
    int pending = 0;
    while (ioctl(fd, TIOCOUTQ, &pending) == 0 && pending > 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    tcflush(fd, TCIOFLUSH);
    ioctl(fd, TIOCNXCL);
    ::close(fd);
}

bool TermiosDevice::SetQueueSizes(std::uint32_t /*input*/, std::uint32_t /*output*/) {
    // The tty layer's queues have a fixed size; nothing to request.
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return Fail(EBADF), false;
    return true;
}

void ReadLineSettings(const termios& tio, LineSettings& settings) {
    switch (tio.c_cflag & CSIZE) {
        case CS5:
            settings.ByteSize = 5;
            break;
        case CS6:
            settings.ByteSize = 6;
            break;
        case CS7:
            settings.ByteSize = 7;
            break;
        default:
            settings.ByteSize = 8;
            break;
    }
    if (!(tio.c_cflag & PARENB)) {
        settings.Parity = LineParity::None;
    } else if (tio.c_cflag & CMSPAR) {
        settings.Parity = (tio.c_cflag & PARODD) ? LineParity::Mark : LineParity::Space;
    } else {
        settings.Parity = (tio.c_cflag & PARODD) ? LineParity::Odd : LineParity::Even;
    }
    if (!(tio.c_cflag & CSTOPB)) {
        settings.StopBits = LineStopBits::One;
    } else if (settings.StopBits != LineStopBits::OneAndHalf) {
        settings.StopBits = LineStopBits::Two;
    }
    settings.XonChar = static_cast<char>(tio.c_cc[VSTART]);
    settings.XoffChar = static_cast<char>(tio.c_cc[VSTOP]);
    settings.fParity = (tio.c_iflag & INPCK) != 0;
    settings.fOutxCtsFlow = (tio.c_cflag & CRTSCTS) != 0;
    settings.fOutX = (tio.c_iflag & IXON) != 0;
    settings.fInX = (tio.c_iflag & IXOFF) != 0;
}

bool ApplyLineSettings(const LineSettings& settings, termios& tio) {
    if (settings.ByteSize < 5 || settings.ByteSize > 8) return false;
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | kSizes[settings.ByteSize - 5];
    tio.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    switch (settings.Parity) {
        case LineParity::None:
            break;
        case LineParity::Odd:
            tio.c_cflag |= PARENB | PARODD;
            break;
        case LineParity::Even:
            tio.c_cflag |= PARENB;
            break;
        case LineParity::Mark:
            tio.c_cflag |= PARENB | CMSPAR | PARODD;
            break;
        case LineParity::Space:
            tio.c_cflag |= PARENB | CMSPAR;
            break;
    }
    // 1.5 stop bits: CSTOPB, which UART drivers send as 1.5 with 5 data bits and as 2 otherwise.
    if (settings.StopBits == LineStopBits::One) {
        tio.c_cflag &= ~CSTOPB;
    } else {
        tio.c_cflag |= CSTOPB;
    }
    tio.c_cc[VSTART] = static_cast<cc_t>(settings.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(settings.XoffChar);
    tio.c_iflag = settings.fParity ? (tio.c_iflag | INPCK) : (tio.c_iflag & ~INPCK);
    tio.c_cflag = settings.fOutxCtsFlow ? (tio.c_cflag | CRTSCTS) : (tio.c_cflag & ~CRTSCTS);
    tio.c_iflag = settings.fOutX ? (tio.c_iflag | IXON) : (tio.c_iflag & ~IXON);
    tio.c_iflag = settings.fInX ? (tio.c_iflag | IXOFF) : (tio.c_iflag & ~IXOFF);
    return true;
}

bool TermiosDevice::GetLineSettings(LineSettings& settings) {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return Fail(EBADF), false;
    termios tio{};
    unsigned rate = 0;
    if (tcgetattr(fd_, &tio) != 0 || !GetKernelBaudRate(fd_, &rate)) return Fail(errno), false;
    settings = kept_;
    ReadLineSettings(tio, settings);
    settings.BaudRate = rate;
    return true;
}

bool TermiosDevice::SetLineSettings(const LineSettings& settings) {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return Fail(EBADF), false;
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) return Fail(errno), false;
    if (settings.BaudRate == 0 || !ApplyLineSettings(settings, tio)) return Fail(EINVAL), false;
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) return Fail(errno), false;
    if (!SetKernelBaudRate(fd_, settings.BaudRate)) return Fail(errno), false;
    kept_ = settings;
    return true;
}

int TermiosDevice::LastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

int TermiosDevice::Read(char* buffer, int count, int timeoutMs) {
    int fd;
    bool stripNul;
    {
        std::lock_guard lock(mutex_);
        fd = fd_;
        stripNul = kept_.fNull;
        if (fd < 0) return Fail(EBADF), 0;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    int total = 0;
    int failure = 0;
    while (total < count) {
        const ssize_t n = ::read(fd, buffer + total, static_cast<std::size_t>(count - total));
        if (n > 0) {
            total += static_cast<int>(n);
            continue;
        }
        if (n == 0) {  // end of file: the tty was hung up
            failure = EIO;
            break;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN) {
            failure = errno;
            break;
        }
        const int left = MillisecondsLeft(deadline);
        if (left == 0) break;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, left) < 0 && errno != EINTR) {
            failure = errno;
            break;
        }
    }
    if (stripNul) total = static_cast<int>(std::remove(buffer, buffer + total, '\0') - buffer);
    std::lock_guard lock(mutex_);
    if (total > 0) rxConsumed_ = true;
    if (failure != 0) {
        Fail(failure);
        if (IsGoneError(failure)) {
            hangup_ = true;
            pendingErrors_ |= CE_IOE;
        }
    }
    return total;
}

int TermiosDevice::Write(const char* data, int length, int timeoutMs) {
    int fd;
    {
        std::lock_guard lock(mutex_);
        fd = fd_;
        if (fd < 0) return Fail(EBADF), 0;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    int total = 0;
    int failure = 0;
    while (total < length) {
        const ssize_t n = ::write(fd, data + total, static_cast<std::size_t>(length - total));
        if (n > 0) {
            total += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            failure = errno;
            break;
        }
        const int left = MillisecondsLeft(deadline);
        if (left == 0) {
            failure = ETIMEDOUT;
            break;
        }
        pollfd p{fd, POLLOUT, 0};
        if (poll(&p, 1, left) < 0 && errno != EINTR) {
            failure = errno;
            break;
        }
    }
    std::lock_guard lock(mutex_);
    if (failure != 0) {
        Fail(failure);
        if (IsGoneError(failure)) {
            hangup_ = true;
            pendingErrors_ |= CE_IOE;
        }
    }
    if (total > 0 && (mask_ & EV_TXEMPTY)) {
        txPending_ = true;
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(wakeFd_, &one, sizeof one);
    }
    return total;
}

std::uint32_t TermiosDevice::InputWaiting() const {
    int waiting = 0;
    if (ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0) return 0;
    return static_cast<std::uint32_t>(waiting);
}

std::uint32_t TermiosDevice::SampleLines() {
    std::uint32_t events = 0;
    if (modemSupported_) {
        int lines = 0;
        if (ioctl(fd_, TIOCMGET, &lines) == 0) {
            const std::uint32_t now = ModemBits(lines);
            const std::uint32_t changed = now ^ lastModem_;
            if (changed & MS_CTS_ON) events |= EV_CTS;
            if (changed & MS_DSR_ON) events |= EV_DSR;
            if (changed & MS_RLSD_ON) events |= EV_RLSD;
            if ((changed & MS_RING_ON) && (now & MS_RING_ON)) events |= EV_RING;
            lastModem_ = now;
        }
    }
    if (countersSupported_) {
        serial_icounter_struct c{};
        if (ioctl(fd_, TIOCGICOUNT, &c) == 0) {
            std::uint32_t errors = 0;
            if (c.brk != lastCounters_.brk) errors |= CE_BREAK;
            if (c.frame != lastCounters_.frame) errors |= CE_FRAME;
            if (c.overrun != lastCounters_.overrun) errors |= CE_OVERRUN;
            if (c.parity != lastCounters_.parity) errors |= CE_RXPARITY;
            if (c.buf_overrun != lastCounters_.bufOverrun) errors |= CE_RXOVER;
            lastCounters_ = {c.brk, c.frame, c.overrun, c.parity, c.buf_overrun};
            pendingErrors_ |= errors;
            if (errors & CE_BREAK) events |= EV_BREAK;
            if (errors & ~CE_BREAK) events |= EV_ERR;
        }
    }
    return events;
}

bool TermiosDevice::ClearErrors(std::uint32_t* errors, QueueStatus* status) {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return Fail(EBADF), false;
    if (countersSupported_) {
        // Only the counters: the modem lines' last state belongs to the wait.
        const bool modem = modemSupported_;
        modemSupported_ = false;
        SampleLines();
        modemSupported_ = modem;
    }
    if (errors != nullptr) *errors = pendingErrors_;
    pendingErrors_ = 0;
    if (status != nullptr) {
        status->cbInQue = InputWaiting();
        int out = 0;
        status->cbOutQue = ioctl(fd_, TIOCOUTQ, &out) == 0 && out > 0 ? out : 0;
    }
    return true;
}

bool TermiosDevice::GetModemStatus(std::uint32_t* lines) {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return Fail(EBADF), false;
    int raw = 0;
    if (ioctl(fd_, TIOCMGET, &raw) != 0) return Fail(errno), false;
    *lines = ModemBits(raw);
    return true;
}

bool TermiosDevice::Purge() {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return Fail(EBADF), false;
    if (tcflush(fd_, TCIOFLUSH) != 0) return Fail(errno), false;
    rxReported_ = 0;
    rxConsumed_ = true;
    return true;
}

void TermiosDevice::SetEventMask(std::uint32_t mask) {
    std::lock_guard lock(mutex_);
    mask_ = mask;
}

void TermiosDevice::Wake() {
    std::lock_guard lock(mutex_);
    if (wakeFd_ < 0) return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(wakeFd_, &one, sizeof one);
}

WaitResult TermiosDevice::WaitEvent() {
    for (;;) {
        int fd;
        int wakeFd;
        int timeout = -1;
        bool rxStale;
        {
            std::lock_guard lock(mutex_);
            fd = fd_;
            wakeFd = wakeFd_;
            if (fd < 0 || wakeFd < 0) return {.ended = true};
            rxStale = !rxConsumed_ && rxReported_ > 0;
            const bool sampling = ((mask_ & kModemEvents) && modemSupported_) ||
                                  ((mask_ & kCounterEvents) && countersSupported_);
            if (sampling) timeout = kSamplePeriodMs;
            if (rxStale || txPending_) timeout = kRecheckPeriodMs;
        }
        // While nobody has read the data last reported, wait for more without
        // polling for input, which would report the same bytes at once again.
        pollfd p[2] = {{fd, static_cast<short>(rxStale ? 0 : POLLIN), 0}, {wakeFd, POLLIN, 0}};
        const int n = poll(p, 2, timeout);
        if (n < 0) {
            if (errno == EINTR) continue;
            std::lock_guard lock(mutex_);
            Fail(errno);
            return {.failed = true};
        }
        if (p[1].revents & POLLIN) {
            std::uint64_t drained = 0;
            [[maybe_unused]] const ssize_t ignored = ::read(wakeFd, &drained, sizeof drained);
            return {.woken = true};
        }

        std::lock_guard lock(mutex_);
        if (fd_ != fd) return {.ended = true};
        std::uint32_t events = 0;
        const std::uint32_t waiting = InputWaiting();
        if (waiting == 0) {
            rxReported_ = 0;
            rxConsumed_ = true;
        } else if (rxConsumed_ || waiting != rxReported_) {
            events |= EV_RXCHAR;
            rxReported_ = waiting;
            rxConsumed_ = false;
        }
        events |= SampleLines();
        if (txPending_) {
            int out = 0;
            if (ioctl(fd_, TIOCOUTQ, &out) != 0 || out == 0) {
                txPending_ = false;
                events |= EV_TXEMPTY;
            }
        }
        if ((p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) || hangup_) {
            hangup_ = true;
            pendingErrors_ |= CE_IOE;
            // Any input still queued is reported before the hang-up. On Linux
            // there is none to speak of: once a tty has hung up, FIONREAD fails
            // (EIO) and read() returns 0, so the bytes that were waiting are
            // lost with the device and the hang-up comes alone.
            if (events & mask_ & EV_RXCHAR) return {.events = EV_RXCHAR};
            return {.events = (events | EV_ERR) & mask_, .ended = true};
        }
        events &= mask_;
        if (events != 0) return {.events = events};
    }
}

}  // namespace navoro
