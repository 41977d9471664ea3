#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace navoro::test {

using namespace std::chrono_literals;

// How navoro-sim is started; one member per fault switch.
struct SimulatorOptions {
    bool Silent = false;       // --silent
    bool NoDumpEnd = false;    // --no-dump-end
    bool NoStream = false;     // --no-stream
    bool Inland = false;       // --inland
    bool ExitOnClose = false;  // --exit-on-close
    double Garbage = 0;        // --garbage RATE
    double BadChecksum = 0;    // --bad-checksum RATE
    double HangupAfter = 0;    // --hangup-after SECONDS (0: off)
    int ReplyDelayMs = 0;      // --reply-delay MS
    int Rate = 0;              // --rate BAUD (0: the state's, 115200 by default)
    std::string StatePath;     // --state FILE (empty: none)
    bool Record = true;        // --record into the fixture's own directory
    std::vector<std::string> ExtraArgs;
};

// Runs navoro-sim as a child process on a new pseudo-terminal, for the
// connection, read, write and diagnosis tests. The constructor waits (with a
// time-out) for the slave path on the simulator's first line of output; the
// destructor stops it with SIGTERM, waits, and kills it as a last resort. The
// child also gets SIGTERM should the test process die first.
class SimulatorFixture {
  public:
    explicit SimulatorFixture(SimulatorOptions options = {}, std::string program = {});
    ~SimulatorFixture();
    SimulatorFixture(const SimulatorFixture&) = delete;
    SimulatorFixture& operator=(const SimulatorFixture&) = delete;

    // True when the simulator printed its path; otherwise Error() says why.
    bool Started() const { return !path_.empty(); }
    const std::string& Error() const { return error_; }

    // The pseudo-terminal to open, e.g. /dev/pts/3.
    const std::string& DevicePath() const { return path_; }
    pid_t Pid() const { return pid_; }

    // The file every line the simulator received goes to (empty when the
    // options turned recording off), and its lines so far.
    const std::string& RecordPath() const { return recordPath_; }
    std::vector<std::string> RecordedLines() const;

    // Waits until the record holds a line equal to `line`.
    bool WaitForRecorded(const std::string& line, std::chrono::milliseconds timeout = 5s) const;

    // Waits for the simulator to end by itself; its exit status, or nullopt
    // when it still runs after `timeout` (or was killed by a signal).
    std::optional<int> WaitExit(std::chrono::milliseconds timeout);

    // SIGTERM, wait up to `timeout`, SIGKILL if needed. The exit status, or -1
    // when it had to be killed.
    int Stop(std::chrono::milliseconds timeout = 5s);

    // A directory of the fixture's own, removed with it.
    const std::string& Directory() const { return directory_; }

  private:
    bool Reap(int& status, bool wait);

    std::string directory_;
    std::string recordPath_;
    std::string path_;
    std::string error_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// The program's side of the link in tests: opens a pseudo-terminal's slave
// path raw at a chosen rate, sends sentences and reads lines with time-outs.
class PtyClient {
  public:
    PtyClient() = default;
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool Open(const std::string& path, int rate);
    bool SetRate(int rate);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Sends a sentence body with its checksum and CR LF ("$AIAIQ,SSD").
    bool Send(const std::string& body);
    // Sends bytes as they are.
    bool SendRaw(const std::string& bytes);

    // The next complete line (without CR LF) within `timeout`.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // Every line that arrives within `duration`.
    std::vector<std::string> ReadFor(std::chrono::milliseconds duration);
    // Reads until a line satisfies `match` (returned) or `timeout` passes.
    std::optional<std::string> WaitForLine(const std::function<bool(const std::string&)>& match,
                                           std::chrono::milliseconds timeout);
    // Lines from now until one contains `last` (included), within `timeout`;
    // empty when it never came.
    std::vector<std::string> CollectUntil(const std::string& last,
                                          std::chrono::milliseconds timeout);

    // True when the other side has gone (end of file or EIO) since the last read.
    bool HungUp() const { return hungUp_; }

    // Throws away whatever has arrived so far.
    void Drain();

  private:
    // Reads what is waiting, waiting at most `timeout` for the first byte.
    void Fill(std::chrono::milliseconds timeout);
    // Hands each line to `take` until it returns true (then true) or the time
    // is up or the other side has gone (then false).
    bool ReadUntil(std::chrono::milliseconds timeout,
                   const std::function<bool(std::string&)>& take);

    int fd_ = -1;
    std::string pending_;
    bool hungUp_ = false;
};

}  // namespace navoro::test
