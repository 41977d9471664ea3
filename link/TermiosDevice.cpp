#include "link/TermiosDevice.h"

#include <fcntl.h>
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

// How a read or write ended: the bytes moved, and the errno value of a failure
// (0 when there was none).
struct Transfer {
    int done = 0;
    int failure = 0;
};

enum class Direction { In, Out };

// Moves `length` bytes through the non-blocking descriptor `fd` with `step`
// (a read or write at an offset; its result and errno as the call's), waiting
// for readiness until `timeoutMs` has passed. Reading ends without a failure
// at the deadline and with EIO at the end of file (the tty was hung up);
// writing fails with ETIMEDOUT at the deadline.
template <typename Step>
Transfer MoveBytes(int fd, Direction direction, int length, int timeoutMs, Step step) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    Transfer result;
    while (result.done < length) {
        const ssize_t n = step(result.done, static_cast<std::size_t>(length - result.done));
        if (n > 0) {
            result.done += static_cast<int>(n);
            continue;
        }
        if (n == 0 && direction == Direction::In) {
            result.failure = EIO;
            break;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            result.failure = errno;
            break;
        }
        const int left = MillisecondsLeft(deadline);
        if (left == 0) {
            if (direction == Direction::Out) result.failure = ETIMEDOUT;
            break;
        }
        pollfd p{fd, static_cast<short>(direction == Direction::In ? POLLIN : POLLOUT), 0};
        if (poll(&p, 1, left) < 0 && errno != EINTR) {
            result.failure = errno;
            break;
        }
    }
    return result;
}

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

    written_ = LineSettings{};
    hangup_ = false;
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

void ReadLineSettings(const termios& tio, LineSettings& settings) {
    switch (tio.c_cflag & CSIZE) {
        case CS5:
            settings.dataBits = 5;
            break;
        case CS6:
            settings.dataBits = 6;
            break;
        case CS7:
            settings.dataBits = 7;
            break;
        default:
            settings.dataBits = 8;
            break;
    }
    if (!(tio.c_cflag & PARENB)) {
        settings.parity = LineParity::None;
    } else if (tio.c_cflag & CMSPAR) {
        settings.parity = (tio.c_cflag & PARODD) ? LineParity::Mark : LineParity::Space;
    } else {
        settings.parity = (tio.c_cflag & PARODD) ? LineParity::Odd : LineParity::Even;
    }
    if (!(tio.c_cflag & CSTOPB)) {
        settings.stopBits = LineStopBits::One;
    } else if (settings.stopBits != LineStopBits::OneAndHalf) {
        settings.stopBits = LineStopBits::Two;
    }
    settings.xonChar = static_cast<char>(tio.c_cc[VSTART]);
    settings.xoffChar = static_cast<char>(tio.c_cc[VSTOP]);
    settings.checkParity = (tio.c_iflag & INPCK) != 0;
    settings.rtsCtsFlow = (tio.c_cflag & CRTSCTS) != 0;
    settings.xonXoffOutput = (tio.c_iflag & IXON) != 0;
    settings.xonXoffInput = (tio.c_iflag & IXOFF) != 0;
}

bool ApplyLineSettings(const LineSettings& settings, termios& tio) {
    if (settings.dataBits < 5 || settings.dataBits > 8) return false;
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | kSizes[settings.dataBits - 5];
    tio.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    switch (settings.parity) {
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
    if (settings.stopBits == LineStopBits::One) {
        tio.c_cflag &= ~CSTOPB;
    } else {
        tio.c_cflag |= CSTOPB;
    }
    tio.c_cc[VSTART] = static_cast<cc_t>(settings.xonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(settings.xoffChar);
    tio.c_iflag = settings.checkParity ? (tio.c_iflag | INPCK) : (tio.c_iflag & ~INPCK);
    tio.c_cflag = settings.rtsCtsFlow ? (tio.c_cflag | CRTSCTS) : (tio.c_cflag & ~CRTSCTS);
    tio.c_iflag = settings.xonXoffOutput ? (tio.c_iflag | IXON) : (tio.c_iflag & ~IXON);
    tio.c_iflag = settings.xonXoffInput ? (tio.c_iflag | IXOFF) : (tio.c_iflag & ~IXOFF);
    return true;
}

bool TermiosDevice::GetLineSettings(LineSettings& settings) {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return Fail(EBADF), false;
    termios tio{};
    unsigned rate = 0;
    if (tcgetattr(fd_, &tio) != 0 || !GetKernelBaudRate(fd_, &rate)) return Fail(errno), false;
    settings = written_;
    ReadLineSettings(tio, settings);
    settings.rate = rate;
    return true;
}

bool TermiosDevice::SetLineSettings(const LineSettings& settings) {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return Fail(EBADF), false;
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) return Fail(errno), false;
    if (settings.rate == 0 || !ApplyLineSettings(settings, tio)) return Fail(EINVAL), false;
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) return Fail(errno), false;
    if (!SetKernelBaudRate(fd_, settings.rate)) return Fail(errno), false;
    written_ = settings;
    return true;
}

int TermiosDevice::LastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

int TermiosDevice::Read(char* buffer, int count, int timeoutMs) {
    int fd;
    {
        std::lock_guard lock(mutex_);
        fd = fd_;
        if (fd < 0) return Fail(EBADF), 0;
    }
    const Transfer read =
        MoveBytes(fd, Direction::In, count, timeoutMs,
                  [&](int offset, std::size_t size) { return ::read(fd, buffer + offset, size); });
    std::lock_guard lock(mutex_);
    if (read.done > 0) rxConsumed_ = true;
    NoteTransferFailure(read.failure);
    return read.done;
}

int TermiosDevice::Write(const char* data, int length, int timeoutMs) {
    int fd;
    {
        std::lock_guard lock(mutex_);
        fd = fd_;
        if (fd < 0) return Fail(EBADF), 0;
    }
    const Transfer written =
        MoveBytes(fd, Direction::Out, length, timeoutMs,
                  [&](int offset, std::size_t size) { return ::write(fd, data + offset, size); });
    std::lock_guard lock(mutex_);
    NoteTransferFailure(written.failure);
    return written.done;
}

void TermiosDevice::NoteTransferFailure(int failure) {
    if (failure == 0) return;
    Fail(failure);
    if (IsGoneError(failure)) hangup_ = true;
}

std::uint32_t TermiosDevice::InputWaiting() const {
    int waiting = 0;
    if (ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0) return 0;
    return static_cast<std::uint32_t>(waiting);
}

bool TermiosDevice::GetQueueStatus(QueueStatus& status) {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return Fail(EBADF), false;
    status.inputQueued = InputWaiting();
    int out = 0;
    status.outputQueued = ioctl(fd_, TIOCOUTQ, &out) == 0 && out > 0 ? out : 0;
    return true;
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
        bool rxStale;
        {
            std::lock_guard lock(mutex_);
            fd = fd_;
            wakeFd = wakeFd_;
            if (fd < 0 || wakeFd < 0) return {.ended = true};
            rxStale = !rxConsumed_ && rxReported_ > 0;
        }
        // While nobody has read the data last reported, wait for more without
        // polling for input, which would report the same bytes at once again.
        pollfd p[2] = {{fd, static_cast<short>(rxStale ? 0 : POLLIN), 0}, {wakeFd, POLLIN, 0}};
        const int n = poll(p, 2, rxStale ? kRecheckPeriodMs : -1);
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
        bool arrived = false;
        const std::uint32_t waiting = InputWaiting();
        if (waiting == 0) {
            rxReported_ = 0;
            rxConsumed_ = true;
        } else if (rxConsumed_ || waiting != rxReported_) {
            arrived = true;
            rxReported_ = waiting;
            rxConsumed_ = false;
        }
        if ((p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) || hangup_) {
            hangup_ = true;
            // Any input still queued is reported before the hang-up. On Linux
            // there is none to speak of: once a tty has hung up, FIONREAD fails
            // (EIO) and read() returns 0, so the bytes that were waiting are
            // lost with the device and the hang-up comes alone.
            if (arrived) return {.dataWaiting = true};
            return {.hungUp = true, .ended = true};
        }
        if (arrived) return {.dataWaiting = true};
    }
}

}  // namespace navoro
