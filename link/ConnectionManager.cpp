#include "link/ConnectionManager.h"

#include <cerrno>
#include <cstring>

#include "codec/Composer.h"
#include "codec/Fields.h"
#include "codec/Router.h"

namespace navoro {

namespace {

// What a transponder of any maker is asked once linked in standard mode: its
// maker and model, its static and voyage data. (The alarm board asks for the
// alarms on every link.)
constexpr const char* kStandardQueries[] = {"VER", "SSD", "VSD"};
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

// The text of the port choice as a device path: without surrounding blanks.
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
    SetRateChecked(115200);
    lists_.RescanPorts();
    host_.SetRateItems(kProbeRates);
    host_.SelectFirstPort();
    host_.SelectRateEntry(kDefaultProbeRate);
    if (!lists_.PresentPorts().empty()) port_.SetDevicePath(PortPath(host_.PortText()));
    host_.ShowDetectPage(false);
    ResetConnection();
}

// ---- Connect / Disconnect ----------------------------------------------------

void ConnectionManager::ToggleConnection() {
    if (active_) {
        active_ = false;
        host_.ShowActive(false);
        if (port_.IsOpen()) port_.Close();
    } else if (port_.IsOpen()) {
        host_.ShowActive(false);
    } else {
        active_ = true;
        host_.ShowActive(true);
    }
    ResetConnection();
    receivedBytes_ = 0;
    readableLines_ = 0;
    detectPort_.clear();
    hungUpPorts_.clear();
    otherInstruments_.clear();

    if (!active_) {
        host_.SetConnectCaption(LinkText::Connect);
        host_.StopConnectionTimers();
        host_.ShowLinkStatus(0, LinkText::StatusDisconnect);
        host_.EnableConnectionControls(true);
        return;
    }

    TakeHandshakeLine(nullptr);
    if (host_.AutoMode()) {
        lists_.RescanPorts();
        host_.SelectFirstPort();
        const std::vector<PortInfo>& free = lists_.FreePorts();
        if (free.empty()) {
            host_.ShowProbedPort(kNoPortText);
            host_.ShowProbedRate(kNoPortText);
        } else {
            host_.SetPortText(free.front().path);
            host_.ShowProbedPort(host_.PortText());
            host_.SelectRateEntry(kDefaultProbeRate);
            host_.ShowProbedRate(kProbeRates[kDefaultProbeRate].Text);
        }
    } else if (!ConfirmPortFree()) {
        active_ = false;
        host_.ShowActive(false);
        handshake_ = HandshakeState::Idle;  // not left armed while idle
        return;
    } else {
        // A typed path stays in the port choice from now on.
        lists_.AddManualPort(PortPath(host_.PortText()));
    }
    host_.SetConnectCaption(LinkText::Disconnect);
    RunStep();
    ++steps_;
    // A failed first send may already have dropped the attempt.
    if (!active_) return;
    host_.StartConnectionTimers();
    host_.ShowLinkStatus(1, LinkText::StatusConnecting);
    host_.EnableConnectionControls(false);
}

void ConnectionManager::ResetConnection() {
    handshake_ = HandshakeState::Idle;
    steps_ = 0;
    host_.ShowProbedPort("");
    host_.ShowProbedRate("");
    linked_ = false;
    dumpEnded_ = false;
    mode_ = LinkMode::None;
    traffic_.Clear();
    standardMaker_.clear();
    standardModel_.clear();
    host_.StopConnectionTimers();
    host_.ShowLinkStatus(0, LinkText::StatusDisconnect);
    host_.EnableConnectionControls(true);
    if (OnReset) OnReset();
}

bool ConnectionManager::ConfirmPortFree() {
    if (lists_.IsFreePort(PortPath(host_.PortText()))) return true;
    return host_.AskForceConnect();
}

// ---- connection steps --------------------------------------------------------

void ConnectionManager::ConnectionStep() {
    RunStep();
    ++steps_;
}

void ConnectionManager::FailAttempt(std::function<void()> notice) {
    handshake_ = HandshakeState::Idle;
    failing_ = true;
    // The Disconnect action now, so that the box is only a notice: nothing
    // waits for its OK.
    if (active_) ToggleConnection();
    linked_ = false;
    failing_ = false;
    host_.PostNotice(std::move(notice));
}

void ConnectionManager::PostError(LinkText text, std::string reason) {
    host_.PostNotice([this, text, reason = std::move(reason)] { host_.ErrorBox(text, reason); });
}

void ConnectionManager::RunStep() {
    switch (handshake_) {
        case HandshakeState::Idle:
            if (linked_ || failing_) {
                ToggleConnection();
                linked_ = false;
                failing_ = false;
            }
            return;
        case HandshakeState::AwaitingDump:
            break;
        case HandshakeState::Linked:
            return;
    }

    if (host_.AutoMode()) {
        if (steps_ == 0) {
            const std::size_t free = lists_.FreePorts().size();
            stepLimit_ = free <= 1 ? 20 : static_cast<int>(free) * 18 + 2;
            if (free == 0) {
                FailAttempt([this] { host_.WarningBox(LinkText::NoSerialPortExist); });
                return;
            }
        }
        // Each rate has three steps; when they are over, what came at it decides.
        if (steps_ > 0 && steps_ % 3 == 0 && CloseDetectionWindow()) return;
        if (steps_ <= stepLimit_) {
            AutoDetectStep();
        } else if (!otherInstruments_.empty()) {
            FailAttempt([this, reason = NotATransponderReason()] {
                host_.ErrorBox(LinkText::NotATransponder, reason);
            });
        } else {
            FailAttempt([this] { host_.ErrorBox(LinkText::AutoDetectTimeOut, ""); });
        }
        return;
    }

    if (steps_ != 0) {
        ManualConnectStep();
        return;
    }
    if (!port_.IsOpen()) {
        const int entry = host_.RateEntry();
        // The port is closed: the rate is only kept, nothing can refuse it.
        if (entry >= 0 && entry < static_cast<int>(kProbeRates.size())) {
            (void)port_.SetRate(kProbeRates[entry].Rate);
        }
        port_.SetDevicePath(PortPath(host_.PortText()));
        const PortResult opened = port_.Open();
        if (!opened.Ok()) {
            // Busy, missing, not permitted or refused: one box with the reason.
            FailAttempt([this, reason = opened.message] {
                host_.ErrorBox(LinkText::PortOpenError, reason);
            });
            return;
        }
    }
    ManualConnectStep();
}

void ConnectionManager::AutoDetectStep() {
    if (linked_) return;
    const int t = steps_;
    if (t == 0) {
        rateCursor_ = kDefaultProbeRate;
        detectPort_.clear();
    }
    if (t % 3 == 1) return;
    if (t % 3 == 2) {
        SendProbe();
        return;
    }
    bool applied = SelectProbeRate(rateCursor_);
    if (!applied && !port_.IsOpen()) {
        // The port hung up when its rate was set (and was closed): the next
        // port, from the first rate.
        rateCursor_ = kDefaultProbeRate;
        applied = SelectProbeRate(rateCursor_);
    }
    if (!applied) return;
    if (rateCursor_ == kDefaultProbeRate) {
        const std::string path = NextDetectPort();
        bool switched = true;
        if (!path.empty()) {
            detectPort_ = path;
            switched = SwitchPort(path);
        }
        host_.ShowProbedPort(host_.PortText());
        dumpEnded_ = false;
        if (!switched) return;
    }
    if (SendProbe()) rateCursor_ = rateCursor_ == 0 ? kDefaultProbeRate : rateCursor_ - 1;
}

std::string ConnectionManager::NextDetectPort() {
    // By path rather than by position: the list may have changed since the
    // last port was chosen (a port unplugged, or the open one no longer free).
    const std::vector<PortInfo>& free = lists_.FreePorts();
    const PortInfo* first = nullptr;
    const PortInfo* after = nullptr;
    for (const PortInfo& port : free) {
        if (hungUpPorts_.contains(port.path)) continue;
        if (first == nullptr) first = &port;
        if (after == nullptr && !detectPort_.empty() && NaturalLess(detectPort_, port.path)) {
            after = &port;
        }
    }
    if (after == nullptr) after = first;
    // Nothing to try: the open port, if any, stays.
    if (after == nullptr) return {};
    return after->path;
}

void ConnectionManager::ManualConnectStep() {
    if (linked_) return;
    const int t = steps_;
    if (t > 20) {
        // The dump did not come: what the port carried decides.
        switch (traffic_.Verdict()) {
            case PortTraffic::StandardTransponder:
                LinkStandard();
                return;
            case PortTraffic::NotATransponder:
                FailAttempt([this, reason = port_.DevicePath()] {
                    host_.ErrorBox(LinkText::NotATransponder, reason);
                });
                return;
            default:
                break;
        }
        std::string reason;
        if (receivedBytes_ > 0 && readableLines_ == 0) {
            // Bytes came, but nothing that reads as a line: the rate is the
            // likeliest cause.
            reason = port_.DevicePath() + " " + host_.TextOf(LinkText::RateMayBeWrong);
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

void ConnectionManager::LinkStandard() {
    linked_ = true;
    mode_ = LinkMode::Standard;
    steps_ = 0;
    handshake_ = HandshakeState::Linked;
    for (const char* formatter : kStandardQueries) {
        char query[32];
        if (!ComposeQuery(query, sizeof query, formatter)) continue;
        // A failed write means the port has gone: its hang-up drops the link.
        (void)send_.WritePort(query, static_cast<int>(std::strlen(query)));
    }
    if (OnLinked) OnLinked();
}

bool ConnectionManager::CloseDetectionWindow() {
    const PortTraffic verdict = traffic_.Verdict();
    traffic_.Clear();
    if (!port_.IsOpen()) return false;
    if (verdict == PortTraffic::StandardTransponder) {
        LinkStandard();
        return true;
    }
    if (verdict == PortTraffic::NotATransponder) otherInstruments_.insert(port_.DevicePath());
    return false;
}

std::string ConnectionManager::NotATransponderReason() const {
    std::string reason;
    for (const std::string& path : otherInstruments_) {
        if (!reason.empty()) reason += ", ";
        reason += path;
    }
    return reason;
}

bool ConnectionManager::SwitchPort(const std::string& path) {
    port_.Close();
    if (port_.IsOpen()) return true;
    host_.SetPortText(path);
    port_.SetDevicePath(path);
    const PortResult opened = port_.Open();
    // A port that cannot be opened stays closed; its probes go nowhere.
    if (opened.Ok() || opened.failure == PortResult::Failure::Unavailable) return true;
    // Shown in its own words, unless the device has just gone; the rest of
    // the step is skipped.
    if (!IsGoneCode(opened.code)) {
        host_.PostNotice([this, text = opened.message] { host_.PortErrorBox(text); });
    }
    return false;
}

bool ConnectionManager::SelectProbeRate(int entry) {
    if (entry < 0 || entry >= static_cast<int>(kProbeRates.size())) return false;
    host_.SelectRateEntry(entry);
    const bool applied = SetRateChecked(kProbeRates[entry].Rate);
    host_.ShowProbedRate(kProbeRates[entry].Text);
    return applied;
}

bool ConnectionManager::SetRateChecked(int rate) {
    const PortResult applied = port_.SetRate(rate);
    if (applied.Ok()) return true;
    if (IsGoneCode(applied.code) && active_) {
        // The device hung up before its notice arrived: handled as the hang-up.
        PortHungUp();
    } else {
        host_.PostNotice([this, text = applied.message] { host_.PortErrorBox(text); });
    }
    return false;
}

// ---- handshake and status ----------------------------------------------------

void ConnectionManager::TakeHandshakeLine(const char* line) {
    switch (handshake_) {
        case HandshakeState::Idle:
            if (linked_ && active_) return;
            // Only Connect arms the handshake: a line while idle (a failed
            // attempt has already disconnected) does not start one.
            if (line != nullptr && (failing_ || !active_)) return;
            dumpEnded_ = false;
            handshake_ = HandshakeState::AwaitingDump;
            steps_ = 0;
            traffic_.Clear();
            return;
        case HandshakeState::AwaitingDump:
            if (line == nullptr || linked_) return;
            if (IsReadableLine(line)) ++readableLines_;
            traffic_.Take(line);
            if (IsDumpEnd(line)) dumpEnded_ = true;
            if (dumpEnded_) {
                linked_ = true;
                mode_ = LinkMode::Proprietary;
                steps_ = 0;
                handshake_ = HandshakeState::Linked;
                if (OnLinked) OnLinked();
            } else if (traffic_.ProbeRefused()) {
                // The transponder refused the probe: no dump will ever come.
                LinkStandard();
            }
            return;
        case HandshakeState::Linked:
            if (line != nullptr && mode_ == LinkMode::Standard) TakeIdentity(line);
            return;
    }
}

void ConnectionManager::TakeIdentity(const char* line) {
    // "$AIVER,...": the maker and the model, for the status line.
    const std::size_t length = std::strlen(line);
    if (length < 7 || line[0] != '$' || std::strncmp(line + 3, "VER,", 4) != 0) return;
    char text[kExpandBufferSize];
    if (length >= sizeof text) return;
    std::memcpy(text, line, length + 1);
    SentenceRecord record{};
    if (!ParseSentence(codec_.Tok, text, record)) return;
    const std::string maker = record.Ver.VendorId[0] ? record.Ver.VendorId : standardMaker_;
    const std::string model = record.Ver.ModelCode[0] ? record.Ver.ModelCode : standardModel_;
    StandardDeviceIdentified(maker, model);
}

void ConnectionManager::BytesReceived(std::size_t count) {
    if (active_ && !linked_) receivedBytes_ += count;
}

void ConnectionManager::StandardDeviceIdentified(const std::string& maker,
                                                 const std::string& model) {
    // A reply from an earlier link is no news about this one.
    if (!linked_ || mode_ != LinkMode::Standard) return;
    standardMaker_ = maker;
    standardModel_ = model;
    ShowLinkedStatus();
}

void ConnectionManager::ShowLinkedStatus() {
    if (!linked_) return;
    if (mode_ == LinkMode::Standard) {
        host_.ShowStandardLinkStatus(standardMaker_, standardModel_);
    } else {
        host_.ShowLinkStatus(1, LinkText::StatusConnected);
    }
}

void ConnectionManager::StatusStep() {
    if (linked_) {
        ShowLinkedStatus();
        statusFrame_ = 2;
        host_.StopConnectionTimers();
        host_.StartSystemCheckTimer();
        return;
    }
    if (statusFrame_ >= 7) {
        frameDirection_ = -1;
    } else if (statusFrame_ <= 2) {
        frameDirection_ = 1;
    }
    statusFrame_ += frameDirection_;
    blinkPhase_ = blinkPhase_ >= 7 ? 0 : blinkPhase_ + 1;
    host_.AnimateLinkStatus(statusFrame_, blinkPhase_ < 3);
}

// ---- the user's choices ------------------------------------------------------

void ConnectionManager::ModeChanged() {
    lists_.RescanPorts();
    if (host_.AutoMode()) {
        host_.ShowDetectPage(true);
        host_.ShowProbedPort("");
        host_.ShowProbedRate("");
        return;
    }
    host_.ShowDetectPage(false);
    host_.SelectFirstPort();
    host_.SelectRateEntry(kDefaultProbeRate);
}

void ConnectionManager::PortChosen() {
    if (!port_.IsOpen()) port_.SetDevicePath(PortPath(host_.PortText()));
}

void ConnectionManager::RateChosen() {
    const int entry = host_.RateEntry();
    if (entry < 0 || entry >= static_cast<int>(kProbeRates.size())) return;
    SetRateChecked(kProbeRates[entry].Rate);
}

// ---- the port going away and failed sends ------------------------------------

void ConnectionManager::ConnectedPortGone() {
    if (!active_) return;
    const std::string path = port_.DevicePath();
    ToggleConnection();
    PostError(LinkText::PortOpenError, path + kDeviceWentAway);
}

void ConnectionManager::PortHungUp() {
    if (!active_) return;  // idle already: a late notice
    if (linked_) {
        ConnectedPortGone();
        lists_.RescanPorts();
        return;
    }
    const std::string path = port_.DevicePath();
    // A hung-up descriptor refuses everything with EIO: close it now.
    port_.Close();
    lists_.RescanPorts();
    if (host_.AutoMode()) {
        // Detection goes on quietly: the next rate step moves to the next port.
        hungUpPorts_.insert(path);
        traffic_.Clear();
        rateCursor_ = kDefaultProbeRate;
        return;
    }
    FailAttempt([this, path] { host_.ErrorBox(LinkText::PortOpenError, path + kDeviceWentAway); });
}

bool ConnectionManager::WriteFailed() {
    if (host_.AutoMode()) return true;
    const std::string path = port_.DevicePath();
    std::string reason =
        port_.IsOpen() ? path + ": the write failed." : path + ": the port is not open.";
    // A device that hung up under the write is said to have gone, as its
    // hang-up notice (which comes after, and finds the link dropped) would.
    if (port_.IsOpen() && IsGoneCode(port_.LastDeviceError())) reason = path + kDeviceWentAway;
    if (active_) ToggleConnection();
    PostError(LinkText::PortOpenError, reason);
    return false;
}

}  // namespace navoro
