#include "tools/sim/Simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "tools/sim/StateFile.h"

namespace navoro::sim {

namespace {

// How often the simulator looks whether a program has opened the
// pseudo-terminal while none has it open.
constexpr auto kPeerProbeInterval = std::chrono::milliseconds(100);

// "...*hh\r\n" -> the same line with a checksum that does not match.
std::string SpoilChecksum(std::string line) {
    const std::size_t star = line.rfind('*');
    if (star == std::string::npos || star + 3 > line.size()) return line;
    const unsigned value =
        static_cast<unsigned>(std::strtoul(line.substr(star + 1, 2).c_str(), nullptr, 16));
    static const char kHex[] = "0123456789ABCDEF";
    const unsigned spoilt = (value ^ 0x5AU) & 0xFFU;
    line[star + 1] = kHex[spoilt >> 4];
    line[star + 2] = kHex[spoilt & 0xFU];
    return line;
}

}  // namespace

Simulator::Simulator(SimOptions options, DeviceState state, std::FILE* log)
    : options_(std::move(options)),
      log_(log),
      codec_(std::make_unique<Codec>()),
      device_(std::make_unique<Transponder>(*codec_, std::move(state))),
      traffic_(*codec_, options_.Seed, options_.Gnss, options_.Targets),
      random_(options_.Seed) {
    device_->SetDumpEnd(!options_.NoDumpEnd);
    if (options_.Personality == Maker::kStandard) {
        StandardTransponder::Setup setup;
        setup.Alarms = options_.Alarms;
        setup.TrlEntries = options_.TrlEntries;
        setup.Aca = options_.Aca;
        standard_ =
            std::make_unique<StandardTransponder>(*codec_, device_->State(), std::move(setup));
        // A standard unit reports its static and voyage data every six minutes.
        traffic_.SetOwnStaticPeriod(360);
    }
}

const DeviceState& Simulator::State() const {
    return standard_ != nullptr ? standard_->State() : device_->State();
}

Simulator::~Simulator() {
    if (record_ != nullptr) std::fclose(record_);
    for (const int fd : wake_)
        if (fd >= 0) close(fd);
}

bool Simulator::Open(std::string& error) {
    if (pipe2(wake_, O_NONBLOCK | O_CLOEXEC) != 0) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        return false;
    }
    const int rate = device_->ConfigPortRate();
    const bool opened = options_.Device.empty() ? port_.OpenPty(rate, error)
                                                : port_.OpenDevice(options_.Device, rate, error);
    if (!opened) return false;
    if (!options_.RecordPath.empty()) {
        record_ = std::fopen(options_.RecordPath.c_str(), "w");
        if (record_ == nullptr) {
            error = "cannot write " + options_.RecordPath + ": " + std::strerror(errno);
            return false;
        }
    }
    assembler_ = std::make_unique<LineAssembler>(static_cast<LineSink&>(*this));
    start_ = Clock::now();
    return true;
}

void Simulator::RequestStop() {
    if (wake_[1] >= 0) {
        const char c = 's';
        [[maybe_unused]] const ssize_t n = write(wake_[1], &c, 1);
    }
}

double Simulator::Seconds(Clock::time_point t) const {
    return std::chrono::duration<double>(t - start_).count();
}

bool Simulator::RateMatches() const {
    // A device is set to the configuration port's rate by the simulator itself;
    // on a pseudo-terminal the other side chooses the rate.
    return !port_.IsPty() || port_.PeerRate() == device_->ConfigPortRate();
}

void Simulator::LogLine(std::string_view line) {
    if (record_ != nullptr) {
        std::fwrite(line.data(), 1, line.size(), record_);
        std::fputc('\n', record_);
        std::fflush(record_);
    }
}

void Simulator::RouteLine(char* line) {
    const std::string_view text(line);
    if (!RateMatches()) {
        if (options_.Verbose) {
            std::fprintf(log_, "navoro-sim: dropped (line at %d bit/s, port at %d): %.*s\n",
                         port_.PeerRate(), device_->ConfigPortRate(),
                         static_cast<int>(text.size() >= 2 ? text.size() - 2 : 0), line);
        }
        return;
    }
    const double now = Seconds(Clock::now());
    const Transponder::Result result =
        standard_ != nullptr ? standard_->HandleLine(text, now) : device_->HandleLine(text, now);
    if (options_.Verbose) {
        static const char* const kOutcome[] = {"ignored", "answered", "applied", "refused"};
        std::fprintf(log_, "navoro-sim: %s: %.*s (%s)\n", kOutcome[static_cast<int>(result.What)],
                     static_cast<int>(text.size() >= 2 ? text.size() - 2 : 0), line,
                     result.Note.c_str());
    }
    if (result.What == Transponder::Outcome::kApplied) {
        SaveState();
        // A standard unit reports changed static or voyage data at once.
        if (standard_ != nullptr) traffic_.SendOwnStaticNow();
    }
    if (result.RateChanged) {
        port_.SetDeviceRate(device_->ConfigPortRate());
        if (options_.Verbose) {
            std::fprintf(log_, "navoro-sim: configuration port now at %d bit/s\n",
                         device_->ConfigPortRate());
        }
    }
    if (result.Replies.empty()) return;
    if (options_.ReplyDelayMs > 0) {
        pending_.push_back(PendingReply{
            Clock::now() + std::chrono::milliseconds(options_.ReplyDelayMs), result.Replies});
        return;
    }
    for (const std::string& reply : result.Replies)
        Send(reply);
}

void Simulator::Send(const std::string& line) {
    if (options_.Silent || !peer_ || !RateMatches()) return;
    std::string out;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    if (options_.Garbage > 0 && chance(random_) < options_.Garbage) {
        std::uniform_int_distribution<int> length(1, 16);
        std::uniform_int_distribution<int> byte(1, 255);
        const int n = length(random_);
        for (int i = 0; i < n; ++i) {
            int b = byte(random_);
            if (b == '\n' || b == '\r') b = '#';
            out += static_cast<char>(b);
        }
        out += "\r\n";
    }
    const bool sentence = !line.empty() && (line[0] == '$' || line[0] == '!');
    if (sentence && options_.BadChecksum > 0 && chance(random_) < options_.BadChecksum) {
        out += SpoilChecksum(line);
    } else {
        out += line;
    }
    if (output_.size() + out.size() > kOutputMax) {
        ++dropped_;
        return;
    }
    output_ += out;
}

void Simulator::SendStream(std::int64_t utc) {
    std::vector<std::string> lines = traffic_.Second(utc, State());
    // The alarm timeline moves on also when nothing is streamed.
    if (standard_ != nullptr) {
        for (std::string& line : standard_->Tick(Seconds(Clock::now()), utc))
            lines.push_back(std::move(line));
    }
    if (options_.NoStream) return;
    for (const std::string& line : lines)
        Send(line);
}

void Simulator::FlushOutput() {
    while (!output_.empty()) {
        const ssize_t n = write(port_.Fd(), output_.data(), output_.size());
        if (n > 0) {
            output_.erase(0, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        // EIO and the like: the other side is gone; what was queued is lost.
        output_.clear();
        return;
    }
}

void Simulator::PeerGone() {
    peer_ = false;
    output_.clear();
    pending_.clear();
    // A partial line of the program that left must not join the next one's.
    assembler_ = std::make_unique<LineAssembler>(static_cast<LineSink&>(*this));
    if (port_.IsPty()) {
        if (options_.ExitOnClose && hadPeer_) stop_ = true;
        if (options_.Verbose) std::fprintf(log_, "navoro-sim: the other side closed the port\n");
    } else {
        std::fprintf(log_, "navoro-sim: %s hung up\n", port_.Path().c_str());
        stop_ = true;
    }
}

void Simulator::ReadPort() {
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(port_.Fd(), buffer, sizeof buffer);
        if (n > 0) {
            assembler_->Feed(reinterpret_cast<const std::uint8_t*>(buffer),
                             static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        PeerGone();  // end of file, or EIO once the other side has closed
        return;
    }
}

void Simulator::SaveState() {
    if (options_.StatePath.empty()) return;
    const std::string error = SaveStateFile(options_.StatePath, State());
    if (!error.empty()) {
        if (!saveFailed_) {
            std::fprintf(log_, "navoro-sim: cannot save the state to %s: %s\n",
                         options_.StatePath.c_str(), error.c_str());
        }
        saveFailed_ = true;
    } else {
        saveFailed_ = false;
    }
}

int Simulator::Run() {
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    using std::chrono::system_clock;

    const bool hangup = options_.HangupAfter > 0;
    const Clock::time_point hangup_at =
        start_ +
        duration_cast<Clock::duration>(std::chrono::duration<double>(options_.HangupAfter));
    std::int64_t last_second = -1;
    Clock::time_point next_probe = Clock::now();

    while (!stop_) {
        const Clock::time_point now = Clock::now();
        if (hangup && now >= hangup_at) {
            if (options_.Verbose) std::fprintf(log_, "navoro-sim: hanging up\n");
            port_.Close();
            break;
        }

        // Is a program on the other side (again)?
        if (!peer_ && now >= next_probe) {
            next_probe = now + kPeerProbeInterval;
            if (port_.PeerPresent()) {
                peer_ = true;
                hadPeer_ = true;
                if (options_.Verbose)
                    std::fprintf(log_, "navoro-sim: the other side opened the port\n");
            }
        }

        // Replies whose delay is over.
        while (!pending_.empty() && pending_.front().Due <= now) {
            for (const std::string& reply : pending_.front().Lines)
                Send(reply);
            pending_.pop_front();
        }

        // The stream, at every change of the UTC second.
        const auto wall = system_clock::now();
        const std::int64_t second =
            duration_cast<std::chrono::seconds>(wall.time_since_epoch()).count();
        if (second != last_second) {
            if (last_second >= 0) SendStream(second);
            last_second = second;
        }
        if (peer_) FlushOutput();

        // Sleep until the next second, the next reply, the hang-up or an event.
        const auto to_next_second =
            milliseconds(1000) - duration_cast<milliseconds>(wall.time_since_epoch()) % 1000;
        auto wait = duration_cast<milliseconds>(to_next_second) + milliseconds(1);
        if (!pending_.empty()) {
            wait = std::min(
                wait, duration_cast<milliseconds>(pending_.front().Due - now) + milliseconds(1));
        }
        if (hangup) {
            wait = std::min(wait, duration_cast<milliseconds>(hangup_at - now) + milliseconds(1));
        }
        if (!peer_) wait = std::min(wait, duration_cast<milliseconds>(kPeerProbeInterval));
        wait = std::max(wait, milliseconds(0));

        pollfd fds[2] = {{wake_[0], POLLIN, 0}, {port_.Fd(), 0, 0}};
        nfds_t count = 1;
        if (peer_) {
            fds[1].events = static_cast<short>(POLLIN | (output_.empty() ? 0 : POLLOUT));
            count = 2;
        }
        const int ready = poll(fds, count, static_cast<int>(wait.count()));
        if (ready < 0) {
            if (errno == EINTR) continue;
            std::fprintf(log_, "navoro-sim: poll failed: %s\n", std::strerror(errno));
            break;
        }
        if (fds[0].revents != 0) {
            char drain[16];
            while (read(wake_[0], drain, sizeof drain) > 0) {
            }
            break;
        }
        if (count == 2 && fds[1].revents != 0) {
            if (fds[1].revents & POLLIN) ReadPort();
            if (peer_ && (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL))) {
                // Read what is left, then take the hang-up.
                if (fds[1].revents & POLLIN) ReadPort();
                if (peer_) PeerGone();
            }
            if (peer_ && (fds[1].revents & POLLOUT)) FlushOutput();
        }
    }
    port_.Close();
    SaveState();
    if (traffic_.DroppedReports() > 0 && options_.Verbose) {
        std::fprintf(log_, "navoro-sim: %zu station reports left out for the port's rate\n",
                     traffic_.DroppedReports());
    }
    if (dropped_ > 0 && options_.Verbose) {
        std::fprintf(log_, "navoro-sim: %zu lines dropped because the other side did not read\n",
                     dropped_);
    }
    return saveFailed_ ? 1 : 0;
}

}  // namespace navoro::sim
