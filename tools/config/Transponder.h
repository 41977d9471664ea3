#pragma once

// One transponder on one serial port, without a window: the window's own
// device session (the connection manager's probe, information dump and
// handshake, in manual mode at a chosen rate or by trying the six rates),
// the configuration tabs' reads into their readout, and the tabs' writes with
// their pauses.
//
// Everything runs on the thread that calls it: the port's events are queued
// (QueueExecutor) and run while a call waits, and the connection's two timers
// are stepped by the same waits. Every wait is bounded. Each transponder has
// its own session and codec context, so several ports can be worked on at
// once, each on its own thread.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/ConfigFile.h"
#include "config/tabs/DeviceReadout.h"
#include "link/DeviceSession.h"
#include "link/EventExecutor.h"

namespace navoro {

struct SessionOptions {
    std::string Port;
    int Rate = 115200;  // 0: try the six rates (automatic detection on this port)
    // The longest a connection attempt may take.
    std::chrono::milliseconds ConnectTimeout{25000};
    // How long the replies of a read may take.
    std::chrono::milliseconds ReadTimeout{6000};
    // Progress lines ("connected at 115200", "writing voyage"); may be empty.
    std::function<void(const std::string&)> Progress;
};

// What became of one tab of a write.
struct TabOutcome {
    std::string Tab;
    enum class State {
        NotWritten,
        Stopped,
        Written,
        ReadBack,
        Differs,
        NotReadBack
    } What = State::NotWritten;
    int Sent = 0, Total = 0;               // sentences, when Stopped
    std::vector<std::string> Differences;  // when Differs
};
const char* StateText(TabOutcome::State state);

struct WriteReport {
    std::vector<TabOutcome> Tabs;
    std::string Error;  // the device or port failed (empty: it did not)
    bool AllEqual() const;
};

class Transponder : private SessionListener {
  public:
    explicit Transponder(SessionOptions options);
    ~Transponder() override;
    Transponder(const Transponder&) = delete;
    Transponder& operator=(const Transponder&) = delete;

    // Connects; false with Error() set when the device did not answer in time
    // or the port could not be used.
    bool Connect();
    void Disconnect();
    bool Connected() const;
    // The rate the link runs at (bit/s).
    int LinkRate() const;

    // Reads every tab; false (Error() set) when the link dropped. `missing`
    // names the tabs whose replies did not all come.
    bool Read(ConfigFile& file, std::vector<std::string>& missing);

    // Writes the tabs the file holds, in their order (the rate last), reads
    // them back and compares; then connects again at the new rate and
    // compares the rates. The file has been checked (CheckConfigFile).
    WriteReport Write(const ConfigFile& file);

    const std::string& Error() const { return error_; }

  private:
    class Host;

    // SessionListener: what the read gathers.
    void SentenceAccepted(SentenceKind kind, Codec& codec) override;
    void LineReceived(std::string_view line) override;

    // Runs the port's events, the timers and the notices until `done` holds
    // or `timeout` has passed; returns done().
    bool Pump(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    void Sleep(int milliseconds);
    void Say(const std::string& text) const {
        if (options_.Progress) options_.Progress(text);
    }

    SessionOptions options_;
    QueueExecutor executor_;
    std::unique_ptr<Host> host_;
    class OnePortSource;
    std::unique_ptr<OnePortSource> source_;
    std::unique_ptr<DeviceSession> session_;
    DeviceReadout readout_;
    std::chrono::steady_clock::time_point lastReply_;
    std::string error_;
};

}  // namespace navoro
