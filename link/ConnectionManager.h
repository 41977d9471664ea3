#pragma once

// The connection manager: turns a Connect click into an established link with
// the transponder, on a port and rate the user chose (manual mode) or by
// probing every free port at six rates (automatic mode), and drops the link on
// Disconnect, on a failed send in manual mode and when the port goes away.
//
//   ConnectionManager manager(host, port, lists, codec);   // host: the main window
//   manager.SetUp();                    // once, while the window is built
//   OpenPort clicked        -> manager.OpenPortClick();
//   Timer1 (1000 ms)        -> manager.Timer1Timer();         // ConnectionTick, TickCount + 1
//   TimerConnection (200 ms)-> manager.TimerConnectionTimer();
//   every received line     -> manager.CheckLinkHandshake(line);   // after DispatchSentence
//   mode radio buttons      -> manager.RadioButtonConnectionModeAutoClick();
//   cbxComPort / cbxBaudRate changed by the user -> cbxComPortChange / cbxBaudRateChange
//   port gone (PortLists::OnConnectedPortGone) -> manager.ConnectedPortGone();
//   port hung up (TComm::OnError with CE_IOE)  -> manager.PortHungUp();
//
//   every byte read during an attempt -> manager.BytesReceived(count);
//
// The link is established when a line containing "[DEVICE DATA END]" (the end
// of the transponder's information dump) arrives while the handshake is armed.
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
#include "link/Comm.h"
#include "link/ConnectionPort.h"
#include "link/PortLists.h"
#include "link/SendPath.h"

namespace navoro {

// The texts the manager shows; the window maps them to its message table.
enum class LinkText {
    Connect,               // SYS_BUTTON/Connect: OpenPort's caption while idle
    Disconnect,            // SYS_BUTTON/Disconnect: its caption while connecting or connected
    StatusConnecting,      // CONFIG_SERIAL_PORT/Connecting
    StatusConnected,       // CONFIG_SERIAL_PORT/Connected
    StatusDisconnect,      // CONFIG_SERIAL_PORT/Disconnect
    PortOpenError,         // OTHER_MSG/PortOpenError
    NoSerialPortExist,     // OTHER_MSG/NoSerialPortExist
    AutoDetectTimeOut,     // OTHER_MSG/AutoDetectTimeOut
    ManualConnectTimeOut,  // OTHER_MSG/ManualConnectTimeOut
    CheckPortError,        // OTHER_MSG/CheckPortError
    RateMayBeWrong,        // NAVORO/RateMayBeWrong: the manual time-out's hint
};

// One entry of the rate choice cbxBaudRate.
struct ProbeRate {
    const char* Text;
    TBaudRate Rate;
};
inline constexpr std::array<ProbeRate, 6> kProbeRates = {{
    {"4800", br4800},
    {"9600", br9600},
    {"19200", br19200},
    {"38400", br38400},
    {"57600", br57600},
    {"115200", br115200},
}};
inline constexpr int kDefaultProbeRate = 5;  // "115200"

// What the manager needs of the main window.
class ConnectionHost {
  public:
    virtual ~ConnectionHost() = default;

    // RadioButtonConnectionModeAuto is checked.
    virtual bool AutoMode() const = 0;
    // PageControlDetectComPortMode shows its automatic or its manual page.
    virtual void ShowDetectPage(bool automatic) = 0;

    // cbxComPort. Programmatic changes do not run cbxComPortChange.
    virtual std::string ComPortText() const = 0;
    // Selects the item with this text, or shows the text when there is none.
    virtual void SetComPortText(const std::string& text) = 0;
    // Selects item 0 (the text "N/A" when there is no port).
    virtual void SelectFirstComPort() = 0;

    // cbxBaudRate. Programmatic changes do not run cbxBaudRateChange.
    virtual void SetBaudRateItems(const std::array<ProbeRate, 6>& rates) = 0;
    virtual int BaudRateEntry() const = 0;
    virtual void SelectBaudRateEntry(int entry) = 0;

    // The displays EditAutoDetectComPort and EditAutoDetectBaudRate.
    virtual void SetAutoDetectComPort(const std::string& text) = 0;
    virtual void SetAutoDetectBaudRate(const std::string& text) = 0;

    // OpenPort: its Tag and down state follow ConnectState; its caption.
    virtual void SetConnectState(int connectState) = 0;
    virtual void SetOpenPortCaption(LinkText caption) = 0;
    // GroupBoxConnectionMode, both radio buttons, cbxComPort and cbxBaudRate.
    virtual void EnableConnectionControls(bool enabled) = 0;

    // Timer1 and TimerConnection together; TimerUpdateSysChk.
    virtual void StartConnectionTimers() = 0;
    virtual void StopConnectionTimers() = 0;
    virtual void StartSystemCheckTimer() = 0;

    // The status display: frame of both images, label styled by its text.
    virtual void ShowLinkStatus(int frame, LinkText text) = 0;
    // One animation step: the two-way image's frame, the label red or black,
    // its text "Connecting...".
    virtual void AnimateLinkStatus(int twoWayFrame, bool red) = 0;

    // Message boxes titled OTHER_MSG/Warning and OTHER_MSG/Error. `reason`,
    // when not empty, is shown below the text.
    virtual void WarningBox(LinkText text) = 0;
    virtual void ErrorBox(LinkText text, const std::string& reason) = 0;
    // An error the serial-port component raised, in its own words.
    virtual void CommErrorBox(const std::string& message) = 0;
    // A text as the message table has it, for a reason put together here.
    virtual std::string TextOf(LinkText text) const = 0;
    // The force-connect question (OK/Cancel, warning icon, CheckPortError).
    virtual bool AskForceConnect() = 0;
    // Runs `notice` (which shows one of the boxes above) after the current
    // handler has returned to the event loop, never from inside it.
    virtual void PostNotice(std::function<void()> notice) = 0;

    // Empties the configuration snapshot and switches the inland display off.
    virtual void ResetConfiguration() = 0;
    // The configuration page's change handler: reads the visible page.
    virtual void PageControlConfChange() = 0;
};

class ConnectionManager {
  public:
    ConnectionManager(ConnectionHost& host, ConnectionPort& port, PortLists& lists, Codec& codec);
    ConnectionManager(const ConnectionManager&) = delete;
    ConnectionManager& operator=(const ConnectionManager&) = delete;

    // The set-up at start: line settings, RescanPorts, the rate choice, the
    // first port, the manual page, ResetConnection.
    void SetUp();

    // ---- state -------------------------------------------------------------
    int LinkState = 0;  // 0 idle, 1 awaiting the handshake, 2 linked
    int TickCount = 0;  // connection steps since the attempt began
    bool LinkEstablished = false;
    bool ConnectFailed = false;
    bool DeviceDataSeen = false;  // "[DEVICE DATA END]" came during the handshake
    int ConnectState = 0;         // OpenPort's Tag: 1 connecting or connected
    std::size_t PortCursor = 0;   // into the free-port list
    int RateCursor = kDefaultProbeRate;
    int StepLimit = 0;
    int TimerConnectionTag = 0;  // the two-way image's frame while animating
    int LabelStatusTag = 0;      // 0-7; the label is red below 3
    // What the current attempt received: bytes, and lines of readable text.
    std::size_t ReceivedBytes = 0;
    std::size_t ReadableLines = 0;

    // ---- operations --------------------------------------------------------
    // Connect or Disconnect (a click on OpenPort; other parts drop the link
    // with it).
    void OpenPortClick();
    // Timer1: one connection step, then TickCount + 1.
    void Timer1Timer();
    void ConnectionTick();
    // TimerConnection: the switch to the linked state, or one animation step.
    void TimerConnectionTimer();
    // The second consumer of every received line ("line\r\n"); nullptr at the
    // start of an attempt.
    void CheckLinkHandshake(const char* line);
    // Bytes read from the port (counted while an attempt runs: a manual
    // time-out with bytes but no readable line hints at a wrong rate).
    void BytesReceived(std::size_t count);

    void AutoDetectStep();
    void ManualConnectStep();
    // Sends the probe $PTST,,,,,00016*18; SendSentence's result.
    bool SendProbe();
    // Closes the port and opens `path`. False when the component raised an
    // error (shown unless the device is gone; the rest of the step is skipped).
    bool SwitchPort(const std::string& path);
    // Selects the rate entry and sets the component's rate; false when the
    // device refused it (shown) or has gone (handled as a hang-up).
    bool SelectProbeRate(int entry);
    // False when the chosen port is not free and the user cancels.
    bool ConfirmPortFree();
    void ResetConnection();

    void RadioButtonConnectionModeAutoClick();
    void cbxComPortChange();
    void cbxBaudRateChange();

    // The port in use is no longer present while the link is established:
    // disconnect as OpenPort would, then say why.
    void ConnectedPortGone();
    // The open port hung up (unplugged adapter, closed pseudo-terminal). The
    // port is closed at once and the lists refreshed. Linked or connecting in
    // manual mode: the link is dropped with one box saying the device went
    // away. Detecting: no box; detection goes on with the next free port and
    // does not come back to this one during the attempt.
    void PortHungUp();

    SendPath& Send() { return send_; }

  private:
    bool WriteFailed();
    // Sets the component's rate; false when the device refuses it (shown) or
    // has gone (handled as a hang-up).
    bool SetRateChecked(TBaudRate rate);
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
    int frameDirection_ = 1;
    std::string detectPort_;             // the port detection tries now
    std::set<std::string> hungUpPorts_;  // ports that hung up during this attempt
};

}  // namespace navoro
