#pragma once

// The connection manager: turns a Connect click into an established link with
// the transponder, on a port and rate the user chose (manual mode) or by
// probing every free port at six rates (automatic mode), and drops the link on
// Disconnect, on a failed send in manual mode and when the port goes away.
//
//   ConnectionManager manager(host, port, lists, codec);   // host: the main window
//   manager.SetUp();                    // once, while the window is built
//   Connect/Disconnect clicked  -> manager.ToggleConnection();
//   connection step (1000 ms)   -> manager.ConnectionStep();
//   status step (200 ms)        -> manager.StatusStep();
//   every received line         -> manager.TakeHandshakeLine(line);   // after RouteLine
//   mode radio buttons          -> manager.ModeChanged();
//   port / rate chosen by the user -> manager.PortChosen() / manager.RateChosen()
//   port gone (PortLists::OnConnectedPortGone) -> manager.ConnectedPortGone();
//   port hung up (SerialPort::OnHangUp)        -> manager.PortHungUp();
//
//   every byte read during an attempt -> manager.BytesReceived(count);
//
// The link is established when a line containing "[DEVICE DATA END]" (the end
// of the transponder's information dump) arrives while the handshake is armed:
// our maker's transponder, linked over its proprietary sentences. Another
// maker's transponder never sends the dump but streams the standard sentences
// (VDO, VDM, ALR, TXT, query replies): when the probe's time is over without a
// dump and the port carried such sentences, well formed, the link is
// established in standard mode (manual mode: at the time-out; automatic mode:
// when a rate's three steps are over, so the rate whose lines were well formed
// is kept). The dump's time is never cut short, so our own transponder links
// as fast as before; only a NAK of the probe, which says no dump will come,
// links in standard mode at once, and a dump that began but did not end (our
// own transponder) times out as before. A port whose well-formed sentences
// are none a transponder's (a GNSS receiver) is "not a transponder", said once
// when the attempt ends.
// The manager keeps no Qt object: it reaches the controls, timers and message
// boxes through ConnectionHost and the serial port through ConnectionPort.
// Everything runs on one thread (the GUI thread).
//
// Boxes are notices only: a failed attempt is over (port closed, timers
// stopped, controls enabled) before its step returns, and its box is handed to
// ConnectionHost::PostNotice, which shows it once the step has returned. So a
// box that is left up never holds up a step, and a timer never waits inside
// its own handler for the user. Only the force-connect question is asked at
// once: it comes before the attempt starts.

#include <array>
#include <cstddef>
#include <functional>
#include <set>
#include <string>

#include "codec/Codec.h"
#include "link/ConnectionPort.h"
#include "link/PortLists.h"
#include "link/PortTraffic.h"
#include "link/SendPath.h"

namespace navoro {

// The texts the manager shows; the window maps them to its message table.
enum class LinkText {
    Connect,                  // SYS_BUTTON/Connect: OpenPort's caption while idle
    Disconnect,               // SYS_BUTTON/Disconnect: its caption while connecting or connected
    StatusConnecting,         // CONFIG_SERIAL_PORT/Connecting
    StatusConnected,          // CONFIG_SERIAL_PORT/Connected
    StatusDisconnect,         // CONFIG_SERIAL_PORT/Disconnect
    PortOpenError,            // OTHER_MSG/PortOpenError
    NoSerialPortExist,        // OTHER_MSG/NoSerialPortExist
    AutoDetectTimeOut,        // OTHER_MSG/AutoDetectTimeOut
    ManualConnectTimeOut,     // OTHER_MSG/ManualConnectTimeOut
    CheckPortError,           // OTHER_MSG/CheckPortError
    RateMayBeWrong,           // NAVORO/RateMayBeWrong: the manual time-out's hint
    StatusConnectedStandard,  // NAVORO/ConnectedStandard: linked in standard mode
    NotATransponder,          // NAVORO/NotATransponder: only another instrument's sentences came
};

// One entry of the rate choice cbxBaudRate.
struct ProbeRate {
    const char* Text;
    int Rate;  // bit/s
};
inline constexpr std::array<ProbeRate, 6> kProbeRates = {{
    {"4800", 4800},
    {"9600", 9600},
    {"19200", 19200},
    {"38400", 38400},
    {"57600", 57600},
    {"115200", 115200},
}};
inline constexpr int kDefaultProbeRate = 5;  // "115200"

// How far the handshake has come.
enum class HandshakeState {
    Idle,          // no attempt, or it failed
    AwaitingDump,  // probing; waiting for the end of the information dump
    Linked,        // the link is established (see LinkMode)
};

// How the link was established.
enum class LinkMode {
    None,         // not linked
    Proprietary,  // our maker's transponder: its information dump ended
    Standard,     // another transponder: its standard sentences only
};

// What the manager needs of the main window.
class ConnectionHost {
  public:
    virtual ~ConnectionHost() = default;

    // RadioButtonConnectionModeAuto is checked.
    virtual bool AutoMode() const = 0;
    // PageControlDetectComPortMode shows its automatic or its manual page.
    virtual void ShowDetectPage(bool automatic) = 0;

    // The port choice cbxComPort. Programmatic changes do not run PortChosen.
    virtual std::string PortText() const = 0;
    // Selects the item with this text, or shows the text when there is none.
    virtual void SetPortText(const std::string& text) = 0;
    // Selects item 0 (the text "N/A" when there is no port).
    virtual void SelectFirstPort() = 0;

    // The rate choice cbxBaudRate. Programmatic changes do not run RateChosen.
    virtual void SetRateItems(const std::array<ProbeRate, 6>& rates) = 0;
    virtual int RateEntry() const = 0;
    virtual void SelectRateEntry(int entry) = 0;

    // What automatic detection tries now (EditAutoDetectComPort and
    // EditAutoDetectBaudRate).
    virtual void ShowProbedPort(const std::string& text) = 0;
    virtual void ShowProbedRate(const std::string& text) = 0;

    // The Connect button OpenPort: down while the connection is active (an
    // attempt runs or the link holds); its caption.
    virtual void ShowActive(bool active) = 0;
    virtual void SetConnectCaption(LinkText caption) = 0;
    // GroupBoxConnectionMode, both radio buttons, cbxComPort and cbxBaudRate.
    virtual void EnableConnectionControls(bool enabled) = 0;

    // The connection-step and status-step timers together; the system check's.
    virtual void StartConnectionTimers() = 0;
    virtual void StopConnectionTimers() = 0;
    virtual void StartSystemCheckTimer() = 0;

    // The status display: frame of both images, label styled by its text.
    virtual void ShowLinkStatus(int frame, LinkText text) = 0;
    // One animation step: the two-way image's frame, the label red or black,
    // its text "Connecting...".
    virtual void AnimateLinkStatus(int twoWayFrame, bool red) = 0;
    // The linked display in standard mode, with the transponder's maker and
    // model once its VER reply has said them (empty until then).
    virtual void ShowStandardLinkStatus(const std::string& maker, const std::string& model) {
        (void)maker;
        (void)model;
        ShowLinkStatus(1, LinkText::StatusConnectedStandard);
    }

    // Message boxes titled OTHER_MSG/Warning and OTHER_MSG/Error. `reason`,
    // when not empty, is shown below the text.
    virtual void WarningBox(LinkText text) = 0;
    virtual void ErrorBox(LinkText text, const std::string& reason) = 0;
    // A failure of the serial port (a refused rate), in its own words.
    virtual void PortErrorBox(const std::string& message) = 0;
    // A text as the message table has it, for a reason put together here.
    virtual std::string TextOf(LinkText text) const = 0;
    // The force-connect question (OK/Cancel, warning icon, CheckPortError).
    virtual bool AskForceConnect() = 0;
    // Runs `notice` (which shows one of the boxes above) after the current
    // handler has returned to the event loop, never from inside it.
    virtual void PostNotice(std::function<void()> notice) = 0;
};

class ConnectionManager {
  public:
    ConnectionManager(ConnectionHost& host, ConnectionPort& port, PortLists& lists, Codec& codec);
    ConnectionManager(const ConnectionManager&) = delete;
    ConnectionManager& operator=(const ConnectionManager&) = delete;

    // The set-up at start: the rate, RescanPorts, the rate choice, the first
    // port, the manual page, a reset connection.
    void SetUp();

    // ---- state -------------------------------------------------------------
    // An attempt runs or the link holds (the Connect button is down).
    bool Active() const { return active_; }
    HandshakeState Handshake() const { return handshake_; }
    bool Linked() const { return linked_; }
    LinkMode Mode() const { return mode_; }
    // A line with "[DEVICE DATA END]" came during the handshake; the
    // configuration is read from the device only after it.
    bool DumpEnded() const { return dumpEnded_; }
    // Connection steps since the attempt (or the link) began.
    int Steps() const { return steps_; }
    // The last step automatic detection may take.
    int StepLimit() const { return stepLimit_; }
    // The rate entry automatic detection probes next.
    int ProbeRateEntry() const { return rateCursor_; }
    // The two-way image's frame while animating (2 to 7), and the label's
    // blink phase (0 to 7; the label is red below 3).
    int StatusFrame() const { return statusFrame_; }
    // What the current attempt received: bytes, and lines of readable text.
    std::size_t ReceivedBytes() const { return receivedBytes_; }
    std::size_t ReadableLines() const { return readableLines_; }
    // What the current probing window (the manual attempt, or the rate that
    // automatic detection tries) received.
    const TrafficTally& Traffic() const { return traffic_; }

    // ---- operations --------------------------------------------------------
    // Connect when idle, otherwise Disconnect (the Connect button; other parts
    // drop the link with it too).
    void ToggleConnection();
    // One connection step (every 1000 ms while connecting).
    void ConnectionStep();
    // The switch to the linked display, or one animation step (every 200 ms).
    void StatusStep();
    // The second consumer of every received line ("line\r\n"); nullptr arms
    // the handshake at the start of an attempt.
    void TakeHandshakeLine(const char* line);
    // Bytes read from the port (counted while an attempt runs: a manual
    // time-out with bytes but no readable line hints at a wrong rate).
    void BytesReceived(std::size_t count);
    // A standard transponder's VER reply named its maker and model: the
    // status line says them while the link holds in standard mode (ignored
    // otherwise). The VER reply's reader calls it.
    void StandardDeviceIdentified(const std::string& maker, const std::string& model);
    // Shows the linked status again (after a language switch).
    void ShowLinkedStatus();

    // The user switched between manual and automatic mode.
    void ModeChanged();
    // The user chose or typed a port; chose a rate.
    void PortChosen();
    void RateChosen();

    // The port in use is no longer present while the link is established:
    // disconnect as the Connect button would, then say why.
    void ConnectedPortGone();
    // The open port hung up (unplugged adapter, closed pseudo-terminal). The
    // port is closed at once and the lists refreshed. Linked or connecting in
    // manual mode: the link is dropped with one box saying the device went
    // away. Detecting: no box; detection goes on with the next free port and
    // does not come back to this one during the attempt.
    void PortHungUp();

    SendPath& Send() { return send_; }

    // A new attempt begins or the link was dropped (what the device said is
    // forgotten); the handshake succeeded (the visible configuration tab is read).
    std::function<void()> OnReset;
    std::function<void()> OnLinked;

  private:
    // The step itself; ConnectionStep counts it.
    void RunStep();
    void AutoDetectStep();
    void ManualConnectStep();
    // Sends the probe $PTST,,,,,00016*18; SendSentence's result.
    bool SendProbe();
    // The link in standard mode: the state, the standard queries, OnLinked.
    void LinkStandard();
    // A VER reply in standard mode names the maker and the model.
    void TakeIdentity(const char* line);
    // Automatic detection: the rate just tried (its window) is over. True
    // when it linked in standard mode.
    bool CloseDetectionWindow();
    // The reason of the "not a transponder" box: the ports concerned.
    std::string NotATransponderReason() const;
    // Closes the port and opens `path`. False when the port refused its
    // settings (shown unless the device is gone; the rest of the step is
    // skipped). A port that cannot be opened stays closed: true.
    bool SwitchPort(const std::string& path);
    // Selects the rate entry and sets the port's rate; false when the device
    // refused it (shown) or has gone (handled as a hang-up).
    bool SelectProbeRate(int entry);
    // Sets the port's rate; false when the device refuses it (shown) or has
    // gone (handled as a hang-up).
    bool SetRateChecked(int rate);
    // False when the chosen port is not free and the user cancels.
    bool ConfirmPortFree();
    void ResetConnection();
    bool WriteFailed();
    // Ends the attempt now (the Disconnect action), then posts `notice`.
    void FailAttempt(std::function<void()> notice);
    void PostError(LinkText text, std::string reason);
    // The free port automatic detection tries after the current one ("" when
    // there is none besides ports that hung up during this attempt).
    std::string NextDetectPort();

    ConnectionHost& host_;
    ConnectionPort& port_;
    PortLists& lists_;
    Codec& codec_;
    SendPath send_;

    bool active_ = false;
    HandshakeState handshake_ = HandshakeState::Idle;
    bool linked_ = false;
    bool failing_ = false;  // an attempt is being ended with a failure notice
    bool dumpEnded_ = false;
    int steps_ = 0;
    int rateCursor_ = kDefaultProbeRate;
    int stepLimit_ = 0;
    int statusFrame_ = 0;
    int blinkPhase_ = 0;
    int frameDirection_ = 1;
    std::size_t receivedBytes_ = 0;
    std::size_t readableLines_ = 0;
    std::string detectPort_;             // the port detection tries now
    std::set<std::string> hungUpPorts_;  // ports that hung up during this attempt
    LinkMode mode_ = LinkMode::None;
    TrafficTally traffic_;                    // the current probing window
    std::set<std::string> otherInstruments_;  // ports that carried only non-transponder sentences
    std::string standardMaker_, standardModel_;
};

}  // namespace navoro
