#include "link/ConnectionManager.h"

#include <cerrno>
#include <cstring>

namespace navoro {

namespace {

constexpr char kDeviceDataEnd[] = "[DEVICE DATA END]";
constexpr char kDeviceWentAway[] =
    ": the device was unplugged or closed; the connection was closed.";

// The error numbers of a device that has gone (unplugged, hung up).
bool IsGoneCode(int code) {
    return code == EIO || code == ENXIO || code == ENODEV;
}

// A line of text a person could read: at least two characters, all printable
// ASCII (or tabs) before its CR LF. Bytes read at the wrong rate hardly ever are.
bool IsReadableLine(const char* line) {
    std::size_t length = 0;
    for (; line[length] != '\0' && line[length] != '\r' && line[length] != '\n'; ++length) {
        const unsigned char c = static_cast<unsigned char>(line[length]);
        if ((c < 0x20 || c > 0x7E) && c != '\t') return false;
    }
    return length >= 2;
}

// The text of cbxComPort as a device path: without surrounding blanks.
std::string PortPath(std::string text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

ConnectionManager::ConnectionManager(ConnectionHost& host, ConnectionPort& port, PortLists& lists,
                                     Codec& codec)
    : host_(host), port_(port), lists_(lists), codec_(codec), send_(codec, port) {
    send_.OnWriteFailed = [this] { return WriteFailed(); };
}

void ConnectionManager::SetUp() {
    SetRateChecked(br115200);
    lists_.RescanPorts();
    host_.SetBaudRateItems(kProbeRates);
    host_.SelectFirstComPort();
    host_.SelectBaudRateEntry(kDefaultProbeRate);
    if (!lists_.PresentPorts().empty()) port_.SetDeviceName(PortPath(host_.ComPortText()));
    host_.ShowDetectPage(false);
    ResetConnection();
}

// ---- Connect / Disconnect ----------------------------------------------------

void ConnectionManager::OpenPortClick() {
    if (ConnectState == 1) {
        ConnectState = 0;
        host_.SetConnectState(0);
        if (port_.IsOpen()) port_.Close();
    } else if (port_.IsOpen()) {
        ConnectState = 0;
        host_.SetConnectState(0);
    } else {
        ConnectState = 1;
        host_.SetConnectState(1);
    }
    ResetConnection();
    ReceivedBytes = 0;
    ReadableLines = 0;
    detectPort_.clear();
    hungUpPorts_.clear();

    if (ConnectState != 1) {
        host_.SetOpenPortCaption(LinkText::Connect);
        host_.StopConnectionTimers();
        host_.ShowLinkStatus(0, LinkText::StatusDisconnect);
        host_.EnableConnectionControls(true);
        return;
    }

    CheckLinkHandshake(nullptr);
    if (host_.AutoMode()) {
        lists_.RescanPorts();
        host_.SelectFirstComPort();
        const std::vector<PortInfo>& free = lists_.FreePorts();
        if (free.empty()) {
            host_.SetAutoDetectComPort(kNoPortText);
            host_.SetAutoDetectBaudRate(kNoPortText);
        } else {
            host_.SetComPortText(free.front().path);
            host_.SetAutoDetectComPort(host_.ComPortText());
            host_.SelectBaudRateEntry(kDefaultProbeRate);
            host_.SetAutoDetectBaudRate(kProbeRates[kDefaultProbeRate].Text);
        }
    } else if (!ConfirmPortFree()) {
        ConnectState = 0;
        host_.SetConnectState(0);
        LinkState = 0;  // not left armed while idle
        return;
    } else {
        // A typed path stays in the port choice from now on.
        lists_.AddManualPort(PortPath(host_.ComPortText()));
    }
    host_.SetOpenPortCaption(LinkText::Disconnect);
    ConnectionTick();
    ++TickCount;
    // A failed first send may already have dropped the attempt.
    if (ConnectState != 1) return;
    host_.StartConnectionTimers();
    host_.ShowLinkStatus(1, LinkText::StatusConnecting);
    host_.EnableConnectionControls(false);
}

void ConnectionManager::ResetConnection() {
    LinkState = 0;
    TickCount = 0;
    host_.SetAutoDetectComPort("");
    host_.SetAutoDetectBaudRate("");
    LinkEstablished = false;
    DeviceDataSeen = false;
    host_.StopConnectionTimers();
    host_.ShowLinkStatus(0, LinkText::StatusDisconnect);
    host_.EnableConnectionControls(true);
    host_.ResetConfiguration();
}

bool ConnectionManager::ConfirmPortFree() {
    if (lists_.IsFreePort(PortPath(host_.ComPortText()))) return true;
    return host_.AskForceConnect();
}

// ---- connection steps --------------------------------------------------------

void ConnectionManager::Timer1Timer() {
    ConnectionTick();
    ++TickCount;
}

void ConnectionManager::FailAttempt(std::function<void()> notice) {
    LinkState = 0;
    ConnectFailed = true;
    // The Disconnect action now, so that the box is only a notice: nothing
    // waits for its OK.
    if (ConnectState == 1) OpenPortClick();
    LinkEstablished = false;
    ConnectFailed = false;
    host_.PostNotice(std::move(notice));
}

void ConnectionManager::PostError(LinkText text, std::string reason) {
    host_.PostNotice([this, text, reason = std::move(reason)] { host_.ErrorBox(text, reason); });
}

void ConnectionManager::ConnectionTick() {
    switch (LinkState) {
        case 0:
            if (LinkEstablished || ConnectFailed) {
                OpenPortClick();
                LinkEstablished = false;
                ConnectFailed = false;
            }
            return;
        case 1:
            break;
        default:
            return;
    }

    if (host_.AutoMode()) {
        if (TickCount == 0) {
            const std::size_t free = lists_.FreePorts().size();
            StepLimit = free <= 1 ? 20 : static_cast<int>(free) * 18 + 2;
            if (free == 0) {
                FailAttempt([this] { host_.WarningBox(LinkText::NoSerialPortExist); });
                return;
            }
        }
        if (TickCount <= StepLimit) {
            AutoDetectStep();
        } else {
            FailAttempt([this] { host_.ErrorBox(LinkText::AutoDetectTimeOut, ""); });
        }
        return;
    }

    if (TickCount != 0) {
        ManualConnectStep();
        return;
    }
    std::string raised;
    if (!port_.IsOpen()) {
        const int entry = host_.BaudRateEntry();
        if (entry >= 0 && entry < static_cast<int>(kProbeRates.size())) {
            port_.SetBaudRate(kProbeRates[entry].Rate);
        }
        port_.SetDeviceName(PortPath(host_.ComPortText()));
        bool opened = false;
        try {
            port_.Open();
        } catch (const ECommError& error) {
            raised = error.what();
        }
        opened = port_.IsOpen();
        if (!opened) {
            // Busy, missing, not permitted or refused: one box with the reason.
            std::string reason = raised.empty() ? port_.LastOpenError() : raised;
            FailAttempt([this, reason] { host_.ErrorBox(LinkText::PortOpenError, reason); });
            return;
        }
    }
    if (!raised.empty()) {
        // Open but with an error raised: it is shown, and the rest of the step skipped.
        host_.PostNotice([this, raised] { host_.CommErrorBox(raised); });
        return;
    }
    ManualConnectStep();
}

void ConnectionManager::AutoDetectStep() {
    if (LinkEstablished) return;
    const int t = TickCount;
    if (t == 0) {
        PortCursor = 0;
        RateCursor = kDefaultProbeRate;
        detectPort_.clear();
    }
    if (t % 3 == 1) return;
    if (t % 3 == 2) {
        SendProbe();
        return;
    }
    bool applied = SelectProbeRate(RateCursor);
    if (!applied && !port_.IsOpen()) {
        // The port hung up when its rate was set (and was closed): the next
        // port, from the first rate.
        RateCursor = kDefaultProbeRate;
        applied = SelectProbeRate(RateCursor);
    }
    if (!applied) return;
    if (RateCursor == kDefaultProbeRate) {
        const std::string path = NextDetectPort();
        bool switched = true;
        if (!path.empty()) {
            detectPort_ = path;
            switched = SwitchPort(path);
        }
        host_.SetAutoDetectComPort(host_.ComPortText());
        DeviceDataSeen = false;
        if (!switched) return;
    }
    if (SendProbe()) RateCursor = RateCursor == 0 ? kDefaultProbeRate : RateCursor - 1;
}

std::string ConnectionManager::NextDetectPort() {
    // By path rather than by position: the list may have changed since the
    // last port was chosen (a port unplugged, or the open one no longer free).
    const std::vector<PortInfo>& free = lists_.FreePorts();
    const PortInfo* first = nullptr;
    const PortInfo* after = nullptr;
    std::size_t firstIndex = 0;
    std::size_t afterIndex = 0;
    for (std::size_t i = 0; i < free.size(); ++i) {
        const PortInfo& port = free[i];
        if (hungUpPorts_.contains(port.path)) continue;
        if (first == nullptr) {
            first = &port;
            firstIndex = i;
        }
        if (after == nullptr && !detectPort_.empty() && NaturalLess(detectPort_, port.path)) {
            after = &port;
            afterIndex = i;
        }
    }
    if (after == nullptr) {
        after = first;
        afterIndex = firstIndex;
    }
    // Nothing to try: the open port, if any, stays.
    if (after == nullptr) return {};
    PortCursor = afterIndex + 1;
    return after->path;
}

void ConnectionManager::ManualConnectStep() {
    if (LinkEstablished) return;
    const int t = TickCount;
    if (t > 20) {
        std::string reason;
        if (ReceivedBytes > 0 && ReadableLines == 0) {
            // Bytes came, but nothing that reads as a line: the rate is the
            // likeliest cause.
            reason = port_.DeviceName() + " " + host_.TextOf(LinkText::RateMayBeWrong);
        }
        FailAttempt([this, reason] { host_.ErrorBox(LinkText::ManualConnectTimeOut, reason); });
        return;
    }
    if (t % 3 == 0 || t % 3 == 2) SendProbe();
}

bool ConnectionManager::SendProbe() {
    ProprietaryStore& store = codec_.Proprietary;
    store.TstValue = 99999;
    store.TstNumber = 99;
    store.TstLowerLetter = 0x40;
    store.TstUpperLetter = 0x40;
    store.TstCode = 16;
    return send_.SendSentence("P", "TST");
}

bool ConnectionManager::SwitchPort(const std::string& path) {
    port_.Close();
    if (port_.IsOpen()) return true;
    host_.SetComPortText(path);
    port_.SetDeviceName(path);
    try {
        port_.Open();
    } catch (const ECommError& error) {
        // Shown in its own words, unless the device has just gone; the rest of
        // the step is skipped.
        if (!IsGoneCode(error.Code())) {
            host_.PostNotice(
                [this, text = std::string(error.what())] { host_.CommErrorBox(text); });
        }
        return false;
    }
    // A port that cannot be opened stays closed; its probes go nowhere.
    return true;
}

bool ConnectionManager::SelectProbeRate(int entry) {
    if (entry < 0 || entry >= static_cast<int>(kProbeRates.size())) return false;
    host_.SelectBaudRateEntry(entry);
    const bool applied = SetRateChecked(kProbeRates[entry].Rate);
    host_.SetAutoDetectBaudRate(kProbeRates[entry].Text);
    return applied;
}

bool ConnectionManager::SetRateChecked(TBaudRate rate) {
    try {
        port_.SetBaudRate(rate);
    } catch (const ECommError& error) {
        if (IsGoneCode(error.Code()) && ConnectState == 1) {
            // The device hung up before its notice arrived: handled as the hang-up.
            PortHungUp();
        } else {
            host_.PostNotice(
                [this, text = std::string(error.what())] { host_.CommErrorBox(text); });
        }
        return false;
    }
    return true;
}

// ---- handshake and status ----------------------------------------------------

void ConnectionManager::CheckLinkHandshake(const char* line) {
    switch (LinkState) {
        case 0:
            if (LinkEstablished && ConnectState == 1) return;
            // Only Connect arms the handshake: a line while idle (a failed
            // attempt has already disconnected) does not start one.
            if (line != nullptr && (ConnectFailed || ConnectState != 1)) return;
            DeviceDataSeen = false;
            LinkState = 1;
            TickCount = 0;
            return;
        case 1:
            if (line == nullptr || LinkEstablished) return;
            if (IsReadableLine(line)) ++ReadableLines;
            if (std::strstr(line, kDeviceDataEnd) != nullptr &&
                std::strstr(line, "!AI") == nullptr && std::strstr(line, "$GP") == nullptr) {
                DeviceDataSeen = true;
            }
            if (DeviceDataSeen) {
                LinkEstablished = true;
                TickCount = 0;
                LinkState = 2;
                host_.PageControlConfChange();
            }
            return;
        default:
            return;
    }
}

void ConnectionManager::BytesReceived(std::size_t count) {
    if (ConnectState == 1 && !LinkEstablished) ReceivedBytes += count;
}

void ConnectionManager::TimerConnectionTimer() {
    if (LinkEstablished) {
        host_.ShowLinkStatus(1, LinkText::StatusConnected);
        TimerConnectionTag = 2;
        host_.StopConnectionTimers();
        host_.StartSystemCheckTimer();
        return;
    }
    if (TimerConnectionTag >= 7) {
        frameDirection_ = -1;
    } else if (TimerConnectionTag <= 2) {
        frameDirection_ = 1;
    }
    TimerConnectionTag += frameDirection_;
    LabelStatusTag = LabelStatusTag >= 7 ? 0 : LabelStatusTag + 1;
    host_.AnimateLinkStatus(TimerConnectionTag, LabelStatusTag < 3);
}

// ---- the user's choices ------------------------------------------------------

void ConnectionManager::RadioButtonConnectionModeAutoClick() {
    lists_.RescanPorts();
    if (host_.AutoMode()) {
        host_.ShowDetectPage(true);
        host_.SetAutoDetectComPort("");
        host_.SetAutoDetectBaudRate("");
        return;
    }
    host_.ShowDetectPage(false);
    host_.SelectFirstComPort();
    host_.SelectBaudRateEntry(kDefaultProbeRate);
}

void ConnectionManager::cbxComPortChange() {
    if (!port_.IsOpen()) port_.SetDeviceName(PortPath(host_.ComPortText()));
}

void ConnectionManager::cbxBaudRateChange() {
    const int entry = host_.BaudRateEntry();
    if (entry < 0 || entry >= static_cast<int>(kProbeRates.size())) return;
    SetRateChecked(kProbeRates[entry].Rate);
}

// ---- the port going away and failed sends ------------------------------------

void ConnectionManager::ConnectedPortGone() {
    if (ConnectState != 1) return;
    const std::string path = port_.DeviceName();
    OpenPortClick();
    PostError(LinkText::PortOpenError, path + kDeviceWentAway);
}

void ConnectionManager::PortHungUp() {
    if (ConnectState != 1) return;  // idle already: a late notice
    if (LinkEstablished) {
        ConnectedPortGone();
        lists_.RescanPorts();
        return;
    }
    const std::string path = port_.DeviceName();
    // A hung-up descriptor refuses everything with EIO: close it now.
    port_.Close();
    lists_.RescanPorts();
    if (host_.AutoMode()) {
        // Detection goes on quietly: the next rate step moves to the next port.
        hungUpPorts_.insert(path);
        RateCursor = kDefaultProbeRate;
        return;
    }
    FailAttempt([this, path] { host_.ErrorBox(LinkText::PortOpenError, path + kDeviceWentAway); });
}

bool ConnectionManager::WriteFailed() {
    if (host_.AutoMode()) return true;
    const std::string path = port_.DeviceName();
    std::string reason =
        port_.IsOpen() ? path + ": the write failed." : path + ": the port is not open.";
    // A device that hung up under the write is said to have gone, as its
    // hang-up notice (which comes after, and finds the link dropped) would.
    if (port_.IsOpen() && IsGoneCode(port_.LastDeviceError())) reason = path + kDeviceWentAway;
    if (ConnectState == 1) OpenPortClick();
    PostError(LinkText::PortOpenError, reason);
    return false;
}

}  // namespace navoro
