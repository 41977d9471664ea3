#include "tests/link/PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace navoro::test {

PtyPair::PtyPair() {
    char name[128] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    slavePath_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    // Raw from the start, so nothing is echoed or translated before the
    // port sets the line up.
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
}

PtyPair::~PtyPair() {
    CloseMaster();
    if (slave_ >= 0) close(slave_);
}

bool PtyPair::WriteMaster(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{master_, POLLOUT, 0};
            if (poll(&p, 1, 10'000) <= 0) return false;
        } else {
            return false;
        }
    }
    return true;
}

std::string PtyPair::ReadMaster(std::size_t size, std::chrono::milliseconds timeout) {
    std::string bytes;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    char buffer[4096];
    while (bytes.size() < size) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n > 0) bytes.append(buffer, static_cast<std::size_t>(n));
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) break;
    }
    return bytes;
}

void PtyPair::CloseMaster() {
    if (master_ >= 0) close(master_);
    master_ = -1;
}

}  // namespace navoro::test
