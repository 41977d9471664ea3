#pragma once

// One transponder on one serial port, without a window: connects as the
// window does (the connection manager's probe, information dump and
// handshake, in manual mode at a chosen rate or by trying the six rates),
// reads the configuration with the Read Device queries plus the destination
// and MOB lists, and writes a configuration file tab by tab through the write
// plans, with their waits.
//
// Everything runs on the thread that calls it: the serial port's events are
// queued (QueueExecutor) and run while the session waits, and the connection
// manager's two timers are stepped by the same waits. Every wait is
// bounded. Each session has its own codec context, so sessions on several
// ports can run on their own threads at once.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "config/ConfigFile.h"
#include "link/ConnectionManager.h"
#include "link/EventExecutor.h"
#include "link/LineAssembler.h"
#include "link/PortLists.h"
#include "link/PortSource.h"
#include "link/SerialPort.h"
#include "tools/config/DeviceReadout.h"

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

class DeviceSession : private ConnectionHost, private LineSink {
  public:
    explicit DeviceSession(SessionOptions options);
    ~DeviceSession() override;
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Connects; false with Error() set when the device did not answer in time
    // or the port could not be used.
    bool Connect();
    void Disconnect();
    bool Connected() const { return manager_.Linked() && port_.IsOpen(); }
    // The rate the link runs at (bit/s).
    int LinkRate() const;

    // Runs the read queries and gathers the answers; false (Error() set) when
    // the link dropped. `missing` names the tabs whose replies did not come.
    bool Read(ConfigFile& file, std::vector<std::string>& missing);

    // Writes the tabs the file holds, in their order (the rate last), reads
    // them back and compares; then reconnects at the new rate and compares
    // the rates. The file has been checked (CheckConfigFile).
    WriteReport Write(const ConfigFile& file);

    const std::string& Error() const { return error_; }

  private:
    // ConnectionHost: no window; the port and rate come from the options.
    bool AutoMode() const override { return options_.Rate == 0; }
    void ShowDetectPage(bool) override {}
    std::string PortText() const override { return options_.Port; }
    void SetPortText(const std::string&) override {}
    void SelectFirstPort() override {}
    void SetRateItems(const std::array<ProbeRate, 6>&) override {}
    int RateEntry() const override { return rateEntry_; }
    void SelectRateEntry(int entry) override { rateEntry_ = entry; }
    void ShowProbedPort(const std::string&) override {}
    void ShowProbedRate(const std::string&) override {}
    void ShowActive(bool) override {}
    void SetConnectCaption(LinkText) override {}
    void EnableConnectionControls(bool) override {}
    void StartConnectionTimers() override;
    void StopConnectionTimers() override { timersRunning_ = false; }
    void StartSystemCheckTimer() override {}
    void ShowLinkStatus(int, LinkText) override {}
    void AnimateLinkStatus(int, bool) override {}
    void WarningBox(LinkText text) override { ErrorBox(text, ""); }
    void ErrorBox(LinkText text, const std::string& reason) override;
    void PortErrorBox(const std::string& message) override { error_ = message; }
    std::string TextOf(LinkText text) const override;
    bool AskForceConnect() override { return true; }  // the user named the port
    void PostNotice(std::function<void()> notice) override;
    void ConnectionReset() override {}
    void LinkEstablished() override {}

    // LineSink.
    void RouteLine(char* line) override;
    void CheckHandshake(char* line) override { manager_.TakeHandshakeLine(line); }
    void CollectDeviceInfo(char* line) override { readout_.TakeDeviceData(line); }

    // Runs the port's events, the timers and the notices until `done` holds
    // or `timeout` has passed; returns done().
    bool Pump(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    void Sleep(int milliseconds);
    bool SendText(const char* text);
    SendResult SendComposed(const char* talker, const char* formatter);
    // Sends the queries and waits for the answers.
    bool Query(unsigned set, bool lists);
    void Say(const std::string& text) const {
        if (options_.Progress) options_.Progress(text);
    }

    SessionOptions options_;
    std::unique_ptr<Codec> codec_;
    QueueExecutor executor_;
    SerialPort port_;
    class OnePortSource;
    std::unique_ptr<OnePortSource> source_;
    PortLists lists_;
    ConnectionManager manager_;
    LineAssembler assembler_;
    DeviceReadout readout_;
    std::vector<std::function<void()>> notices_;
    int rateEntry_ = kDefaultProbeRate;
    bool timersRunning_ = false;
    std::chrono::steady_clock::time_point nextConnectionStep_, nextStatusStep_;
    bool writeFailed_ = false;
    std::chrono::steady_clock::time_point lastReply_;
    std::string error_;
};

}  // namespace navoro
