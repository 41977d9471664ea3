#include "tests/support/SimulatorFixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/Sentence.h"

#ifndef NAVORO_SIM_PATH
#error "NAVORO_SIM_PATH must name the navoro-sim executable"
#endif

namespace navoro::test {

namespace {

using Clock = std::chrono::steady_clock;

std::string FormatNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

int RemainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

SimulatorFixture::SimulatorFixture(SimulatorOptions options, std::string program) {
    if (program.empty()) program = NAVORO_SIM_PATH;
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/navoro-sim-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        error_ = std::string("cannot create a directory: ") + std::strerror(errno);
        return;
    }
    directory_ = pattern;

    std::vector<std::string> args = {program};
    auto add = [&](const std::string& option, const std::string& value = {}) {
        args.push_back(option);
        if (!value.empty()) args.push_back(value);
    };
    if (options.Silent) add("--silent");
    if (options.NoDumpEnd) add("--no-dump-end");
    if (options.NoStream) add("--no-stream");
    if (options.Inland) add("--inland");
    if (options.ExitOnClose) add("--exit-on-close");
    if (options.Garbage > 0) add("--garbage", FormatNumber(options.Garbage));
    if (options.BadChecksum > 0) add("--bad-checksum", FormatNumber(options.BadChecksum));
    if (options.HangupAfter > 0) add("--hangup-after", FormatNumber(options.HangupAfter));
    if (options.ReplyDelayMs > 0) add("--reply-delay", std::to_string(options.ReplyDelayMs));
    if (options.Rate > 0) add("--rate", std::to_string(options.Rate));
    if (!options.StatePath.empty()) add("--state", options.StatePath);
    if (options.Record) {
        recordPath_ = directory_ + "/received.log";
        add("--record", recordPath_);
    }
    for (const std::string& extra : options.ExtraArgs)
        args.push_back(extra);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        error_ = std::string("cannot create a pipe: ") + std::strerror(errno);
        return;
    }
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) {
        error_ = std::string("cannot start navoro-sim: ") + std::strerror(errno);
        close(out[0]);
        close(out[1]);
        return;
    }
    if (pid_ == 0) {
        // The child: dies with the test process, writes its path into the pipe.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(126);
        dup2(out[1], STDOUT_FILENO);
        // Nothing else of the test process: a stray terminal descriptor would
        // keep a port open that a test means to close.
        close_range(3, ~0U, 0);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);

    // The first line of its output is the path; a loaded machine may take a while.
    std::string line;
    const Clock::time_point deadline = Clock::now() + 20s;
    while (line.find('\n') == std::string::npos) {
        pollfd p{out[0], POLLIN, 0};
        const int ready = poll(&p, 1, RemainingMs(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            error_ = "navoro-sim printed no path in time";
            break;
        }
        char buffer[256];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = "navoro-sim ended before printing its path";
            break;
        }
        line.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    const std::size_t end = line.find('\n');
    if (error_.empty() && end != std::string::npos && end > 0) {
        path_ = line.substr(0, end);
    } else if (error_.empty()) {
        error_ = "navoro-sim printed an empty path";
    }
    if (path_.empty() && !WaitExit(1s)) Stop(2s);
}

SimulatorFixture::~SimulatorFixture() {
    Stop();
    if (!directory_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
}

bool SimulatorFixture::Reap(int& status, bool wait) {
    if (status_.has_value()) {
        status = *status_;
        return true;
    }
    if (pid_ <= 0) return false;
    int raw = 0;
    pid_t done;
    do {
        done = waitpid(pid_, &raw, wait ? 0 : WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done != pid_) return false;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    status_ = status;
    return true;
}

std::optional<int> SimulatorFixture::WaitExit(std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    int status = 0;
    for (;;) {
        if (Reap(status, false)) return status >= 0 ? std::optional<int>(status) : std::nullopt;
        if (pid_ <= 0 || Clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(10ms);
    }
}

int SimulatorFixture::Stop(std::chrono::milliseconds timeout) {
    int status = 0;
    if (pid_ <= 0) return -1;
    if (Reap(status, false)) return status;
    kill(pid_, SIGTERM);
    if (std::optional<int> ended = WaitExit(timeout)) return *ended;
    if (Reap(status, false)) return status;
    kill(pid_, SIGKILL);
    Reap(status, true);
    return -1;
}

std::vector<std::string> SimulatorFixture::RecordedLines() const {
    std::vector<std::string> lines;
    if (recordPath_.empty()) return lines;
    std::ifstream in(recordPath_);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

bool SimulatorFixture::WaitForRecorded(const std::string& line,
                                       std::chrono::milliseconds timeout) const {
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        for (const std::string& recorded : RecordedLines())
            if (recorded == line) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
}

// ---- PtyClient ---------------------------------------------------------------

PtyClient::~PtyClient() {
    Close();
}

bool PtyClient::Open(const std::string& path, int rate) {
    Close();
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return false;
    hungUp_ = false;
    pending_.clear();
    return SetRate(rate);
}

bool PtyClient::SetRate(int rate) {
    speed_t speed;
    switch (rate) {
        case 4800:
            speed = B4800;
            break;
        case 9600:
            speed = B9600;
            break;
        case 19200:
            speed = B19200;
            break;
        case 38400:
            speed = B38400;
            break;
        case 57600:
            speed = B57600;
            break;
        case 115200:
            speed = B115200;
            break;
        default:
            return false;
    }
    termios t{};
    if (tcgetattr(fd_, &t) != 0) return false;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    return tcsetattr(fd_, TCSANOW, &t) == 0;
}

void PtyClient::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

bool PtyClient::Send(const std::string& body) {
    return SendRaw(Sentence(body));
}

bool PtyClient::SendRaw(const std::string& bytes) {
    std::size_t done = 0;
    const Clock::time_point deadline = Clock::now() + 5s;
    while (done < bytes.size()) {
        const ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (Clock::now() >= deadline) return false;
        pollfd p{fd_, POLLOUT, 0};
        poll(&p, 1, 50);
    }
    return true;
}

void PtyClient::Fill(std::chrono::milliseconds timeout) {
    if (fd_ < 0) return;
    pollfd p{fd_, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(timeout.count()));
    if (ready <= 0) return;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            pending_.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) hungUp_ = true;
        return;
    }
}

std::optional<std::string> PtyClient::ReadLine(std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        if (hungUp_ || Clock::now() >= deadline) return std::nullopt;
        Fill(std::chrono::milliseconds(RemainingMs(deadline)));
    }
}

bool PtyClient::ReadUntil(std::chrono::milliseconds timeout,
                          const std::function<bool(std::string&)>& take) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        std::optional<std::string> line =
            ReadLine(std::chrono::milliseconds(RemainingMs(deadline)));
        if (line && take(*line)) return true;
        if (!line && hungUp_) break;
    }
    return false;
}

std::vector<std::string> PtyClient::ReadFor(std::chrono::milliseconds duration) {
    std::vector<std::string> lines;
    ReadUntil(duration, [&](std::string& line) {
        lines.push_back(std::move(line));
        return false;
    });
    return lines;
}

std::optional<std::string> PtyClient::WaitForLine(
    const std::function<bool(const std::string&)>& match, std::chrono::milliseconds timeout) {
    std::optional<std::string> found;
    ReadUntil(timeout, [&](std::string& line) {
        if (match(line)) found = std::move(line);
        return found.has_value();
    });
    return found;
}

std::vector<std::string> PtyClient::CollectUntil(const std::string& last,
                                                 std::chrono::milliseconds timeout) {
    std::vector<std::string> lines;
    const bool ended = ReadUntil(timeout, [&](std::string& line) {
        lines.push_back(line);
        return line.find(last) != std::string::npos;
    });
    if (!ended) lines.clear();
    return lines;
}

void PtyClient::Drain() {
    Fill(0ms);
    pending_.clear();
}

}  // namespace navoro::test
