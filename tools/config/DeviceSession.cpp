#include "tools/config/DeviceSession.h"

#include <algorithm>
#include <cstring>
#include <variant>

#include "config/ConfigTables.h"
#include "config/ReadQueries.h"
#include "config/WritePlans.h"

namespace navoro {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

// Replies of a read are over once nothing more has come for this long.
constexpr milliseconds kQuietAfterReplies{400};
// The longest single wait of the event loop: waits that end by the passing of
// time (a quiet spell) are checked this often.
constexpr milliseconds kPollStep{50};

constexpr std::size_t kBaudTab = 8;

// The file with only tab `tab` (by its index in kConfigTabs).
ConfigFile OnlyTab(const ConfigFile& f, std::size_t tab) {
    ConfigFile only;
    switch (tab) {
        case 0:
            only.Ship = f.Ship;
            break;
        case 1:
            only.Voyage = f.Voyage;
            break;
        case 2:
            only.Cpa = f.Cpa;
            break;
        case 3:
            only.Transceiver = f.Transceiver;
            break;
        case 4:
            only.LongRange = f.LongRange;
            break;
        case 5:
            only.Destinations = f.Destinations;
            break;
        case 6:
            only.Mob = f.Mob;
            break;
        case 7:
            only.Encryption = f.Encryption;
            break;
        default:
            only.Baud = f.Baud;
            break;
    }
    return only;
}

bool HasTab(const ConfigFile& f, std::size_t tab) {
    const ConfigFile only = OnlyTab(f, tab);
    return only.Ship || only.Voyage || only.Cpa || only.Transceiver || only.LongRange ||
           only.Destinations || only.Mob || only.Encryption || only.Baud;
}

// The tab's write plan; the file has been checked, so a problem here is
// unexpected and reported as one.
WriteCheck PlanTab(const ConfigFile& f, std::size_t tab, std::int32_t deviceMmsi) {
    switch (tab) {
        case 0:
            return PlanShipDataWrite(*f.Ship);
        case 1:
            return PlanVoyageWrite(*f.Voyage);
        case 2:
            return PlanCpaWrite(*f.Cpa);
        case 3:
            return PlanTransceiverWrite(*f.Transceiver);
        case 4:
            return PlanLongRangeWrite(*f.LongRange);
        case 5:
            return PlanDestinationWrite(*f.Destinations);
        case 6:
            return PlanMobWrite(*f.Mob);
        case 7: {
            // The key goes with the MMSI the device has: the file's, once its
            // SHIP DATA is written, otherwise the one the device reported.
            EncryptionInput in = *f.Encryption;
            if (!f.Ship) in.SnapshotMmsi = deviceMmsi;
            return PlanEncryptionWrite(in);
        }
        default:
            return PlanBaudRateWrite(*f.Baud);
    }
}

// The USB port's rate in a file's BAUD RATE tab (0 when it has none).
int UsbRate(const ConfigFile& f) {
    if (!f.Baud) return 0;
    for (std::size_t box = 0; box < kBaudBoxes.size(); ++box) {
        if (kBaudBoxes[box].Port != kUsbPort) continue;
        const int item = f.Baud->Selected[box];
        if (item >= 0 && static_cast<std::size_t>(item) < kUsbPortRates.size())
            return kUsbPortRates[static_cast<std::size_t>(item)];
    }
    return 0;
}

int ProbeEntry(int rate) {
    for (std::size_t i = 0; i < kProbeRates.size(); ++i) {
        if (kProbeRates[i].Rate == rate) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

const char* StateText(TabOutcome::State state) {
    switch (state) {
        case TabOutcome::State::NotWritten:
            return "not written";
        case TabOutcome::State::Stopped:
            return "stopped";
        case TabOutcome::State::Written:
            return "written";
        case TabOutcome::State::ReadBack:
            return "written and read back";
        case TabOutcome::State::Differs:
            return "differs";
        case TabOutcome::State::NotReadBack:
            return "written, not read back";
    }
    return "";
}

bool WriteReport::AllEqual() const {
    return Error.empty() && std::all_of(Tabs.begin(), Tabs.end(), [](const TabOutcome& t) {
               return t.What == TabOutcome::State::ReadBack;
           });
}

// The one port of the session: present when it exists, always free to try
// (the attempt to open it says whether it is busy).
class DeviceSession::OnePortSource : public PortSource {
  public:
    bool EnumeratePorts(std::vector<PortInfo>&) override { return true; }
    bool IsPortFree(const std::string&) override { return true; }
};

DeviceSession::DeviceSession(SessionOptions options)
    : options_(std::move(options)),
      codec_(std::make_unique<Codec>()),
      port_(executor_),
      source_(std::make_unique<OnePortSource>()),
      lists_(*source_),
      manager_(*this, port_, lists_, *codec_),
      assembler_(*this) {
    // The port's default line format, 8N1, is the transponder's.
    port_.OnDataWaiting = [this](std::uint32_t queued) {
        assembler_.Receive(
            [this](char* buffer, int size) {
                const int read = port_.Read(buffer, size);
                if (read > 0) manager_.BytesReceived(static_cast<std::size_t>(read));
                return read;
            },
            static_cast<int>(std::min<std::uint32_t>(queued, 1u << 30)));
    };
    // A hang-up (unplugged adapter, closed pseudo-terminal) ends the reader.
    port_.OnHangUp = [this] { manager_.PortHungUp(); };
    lists_.IsConnected = [this] { return manager_.Linked(); };
    lists_.ConnectedPort = [this] { return port_.DevicePath(); };
    lists_.OnConnectedPortGone = [this] { manager_.ConnectedPortGone(); };
    lists_.AddManualPort(options_.Port);
    manager_.SetUp();
    // The set-up selects the default rate; the chosen one replaces it.
    const int entry = ProbeEntry(options_.Rate);
    rateEntry_ = entry >= 0 ? entry : kDefaultProbeRate;
    // The writes need to know when a composed sentence's write failed.
    SendPath& send = manager_.Send();
    send.OnWriteFailed = [this, failed = send.OnWriteFailed] {
        writeFailed_ = true;
        return failed ? failed() : false;
    };
}

DeviceSession::~DeviceSession() {
    if (port_.IsOpen()) port_.Close();
}

// ---- the host --------------------------------------------------------------------

void DeviceSession::StartConnectionTimers() {
    timersRunning_ = true;
    const auto now = Clock::now();
    nextConnectionStep_ = now + milliseconds(1000);
    nextStatusStep_ = now + milliseconds(200);
}

void DeviceSession::PostNotice(std::function<void()> notice) {
    notices_.push_back(std::move(notice));
}

std::string DeviceSession::TextOf(LinkText text) const {
    if (text == LinkText::RateMayBeWrong)
        return "data came but no readable lines: the rate may be wrong (try --auto)";
    return {};
}

void DeviceSession::ErrorBox(LinkText text, const std::string& reason) {
    // The first failure is the cause; what follows from it is not news.
    if (!error_.empty()) return;
    const std::string& path = options_.Port;
    switch (text) {
        case LinkText::ManualConnectTimeOut:
            // A reason is the wrong-rate hint, which names the port again.
            error_ = "no answer from " + path +
                     (reason.empty() ? "" : " (" + TextOf(LinkText::RateMayBeWrong) + ")");
            break;
        case LinkText::AutoDetectTimeOut:
            error_ = "no answer from " + path + " at any rate";
            break;
        case LinkText::NoSerialPortExist:
            error_ = path + ": no such port";
            break;
        default:
            if (reason.rfind(path, 0) == 0)
                error_ = reason;
            else
                error_ = path + ": cannot be opened" + (reason.empty() ? "" : ": " + reason);
            break;
    }
}

void DeviceSession::RouteLine(char* line) {
    const SentenceRoute route = RouteReceivedLine(*codec_, line);
    if (route == SentenceRoute::None || route == SentenceRoute::UpdateGnssStatus ||
        route == SentenceRoute::CountPositionReport)
        return;
    readout_.TakeReply(route, *codec_);
    lastReply_ = Clock::now();
}

// ---- waiting -----------------------------------------------------------------------

bool DeviceSession::Pump(const std::function<bool()>& done, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        while (!notices_.empty()) {
            auto notices = std::move(notices_);
            notices_.clear();
            for (auto& notice : notices)
                notice();
        }
        if (done()) return true;
        const auto now = Clock::now();
        if (now >= deadline) return false;
        if (timersRunning_ && now >= nextConnectionStep_) {
            nextConnectionStep_ += milliseconds(1000);
            manager_.ConnectionStep();
            continue;
        }
        if (timersRunning_ && now >= nextStatusStep_) {
            nextStatusStep_ += milliseconds(200);
            manager_.StatusStep();
            continue;
        }
        auto until = std::min(deadline, now + kPollStep);
        if (timersRunning_) until = std::min({until, nextConnectionStep_, nextStatusStep_});
        const auto wait = std::chrono::duration_cast<milliseconds>(until - now) + milliseconds(1);
        executor_.RunUntil([&] { return done() || !notices_.empty(); }, wait);
    }
}

void DeviceSession::Sleep(int ms) {
    Pump([] { return false; }, milliseconds(ms));
}

// ---- connecting ----------------------------------------------------------------------

int DeviceSession::LinkRate() const {
    return port_.Rate();
}

bool DeviceSession::Connect() {
    error_.clear();
    readout_.Clear();
    if (manager_.Active()) Disconnect();
    Say(options_.Rate == 0
            ? "connecting to " + options_.Port + ", trying each rate"
            : "connecting to " + options_.Port + " at " + std::to_string(options_.Rate));
    manager_.ToggleConnection();
    Pump([this] { return manager_.Linked() || !manager_.Active(); }, options_.ConnectTimeout);
    if (!manager_.Linked()) {
        // Bytes came, but nothing that reads as a line: the rate is the likeliest cause.
        const bool garbled = manager_.ReceivedBytes() > 0 && manager_.ReadableLines() == 0;
        if (manager_.Active()) manager_.ToggleConnection();
        Pump([] { return true; }, milliseconds(0));
        if (error_.empty())
            error_ = "no answer from " + options_.Port +
                     (garbled ? " (" + TextOf(LinkText::RateMayBeWrong) + ")" : "");
        return false;
    }
    Say("connected to " + options_.Port + " at " + std::to_string(LinkRate()));
    return true;
}

void DeviceSession::Disconnect() {
    if (manager_.Active()) manager_.ToggleConnection();
    timersRunning_ = false;
    Pump([] { return true; }, milliseconds(0));
}

// ---- sending -------------------------------------------------------------------------

bool DeviceSession::SendText(const char* text) {
    std::vector<char> buffer(std::strlen(text) + SendPath::kChecksumTailSize + 1);
    std::memcpy(buffer.data(), text, std::strlen(text) + 1);
    return manager_.Send().SendText(buffer.data(), buffer.size());
}

SendResult DeviceSession::SendComposed(const char* talker, const char* formatter) {
    writeFailed_ = false;
    const bool sent = manager_.Send().SendSentence(talker, formatter);
    // A failed write in manual mode has dropped the link (and said why); in
    // automatic mode SendSentence calls it sent.
    if (writeFailed_) return AutoMode() ? SendResult::Failed : SendResult::FailedReported;
    return sent ? SendResult::Sent : SendResult::Failed;
}

// ---- reading -------------------------------------------------------------------------

bool DeviceSession::Read(ConfigFile& file, std::vector<std::string>& missing) {
    if (!Connected()) {
        if (error_.empty()) error_ = options_.Port + ": not connected";
        return false;
    }
    readout_.Clear();
    Say("reading " + options_.Port);
    // The Read Device queries, then the destination and MOB lists, so that
    // the file holds every tab.
    SendQueries(kReadDeviceQuerySet | kQueryDes | kQueryMbl,
                [this](const char* text) { return SendText(text); });
    lastReply_ = Clock::now();
    Pump(
        [this] {
            if (!Connected()) return true;
            return readout_.SettledTabsComplete() && readout_.MobListBegun() &&
                   Clock::now() - lastReply_ >= kQuietAfterReplies;
        },
        options_.ReadTimeout);
    if (!Connected()) {
        if (error_.empty()) error_ = options_.Port + ": the connection was lost";
        return false;
    }
    missing.clear();
    file = readout_.File(&missing);
    return true;
}

// ---- writing -------------------------------------------------------------------------

WriteReport DeviceSession::Write(const ConfigFile& file) {
    WriteReport report;
    error_.clear();
    const std::int32_t deviceMmsi = readout_.DumpMmsi();
    for (std::size_t tab = 0; tab < kConfigTabs.size(); ++tab) {
        if (!HasTab(file, tab)) continue;
        TabOutcome out;
        out.Tab = kConfigTabs[tab];
        report.Tabs.push_back(out);
    }

    WriteLink link;
    link.SendSentence = [this](const char* talker, const char* formatter) {
        return SendComposed(talker, formatter);
    };
    link.SendSentenceText = [this](const char* text) { return SendText(text); };
    link.Sleep = [this](int ms) { Sleep(ms); };

    // Writes one tab; false when the device stopped taking it.
    const auto writeTab = [&](std::size_t tab, TabOutcome& out) {
        const WriteCheck check = PlanTab(file, tab, deviceMmsi);
        if (const auto* problem = std::get_if<WriteProblem>(&check)) {
            error_ = std::string(kConfigTabs[tab]) + ": " + problem->Message;
            return false;
        }
        if (!Connected()) return false;
        Say("writing " + std::string(kConfigTabs[tab]));
        const WriteResult result = RunWritePlan(*codec_, std::get<WritePlan>(check), link);
        // Let a hang-up that came under the last sentence be seen.
        Pump([] { return false; }, milliseconds(0));
        if (!result.Completed || !Connected()) {
            out.What = result.Completed ? TabOutcome::State::Written : TabOutcome::State::Stopped;
            out.Sent = result.Sent;
            out.Total = result.Total;
            if (error_.empty())
                error_ = result.Unsendable
                             ? std::string(kConfigTabs[tab]) + ": a sentence could not be built"
                             : options_.Port + ": the write failed";
            return false;
        }
        out.What = TabOutcome::State::Written;
        return true;
    };
    const auto compare = [&](const ConfigFile& readBack, TabOutcome& out, std::size_t tab) {
        if (!HasTab(readBack, tab)) {
            out.What = TabOutcome::State::NotReadBack;
            return;
        }
        out.Differences = DiffConfigFiles(OnlyTab(file, tab), OnlyTab(readBack, tab));
        out.What =
            out.Differences.empty() ? TabOutcome::State::ReadBack : TabOutcome::State::Differs;
    };
    const auto tabIndex = [](const TabOutcome& out) {
        for (std::size_t i = 0; i < kConfigTabs.size(); ++i)
            if (out.Tab == kConfigTabs[i]) return i;
        return kBaudTab;
    };

    // Every tab but the rate, then one read back.
    bool wroteAny = false;
    for (TabOutcome& out : report.Tabs) {
        const std::size_t tab = tabIndex(out);
        if (tab == kBaudTab) continue;
        if (!writeTab(tab, out)) {
            report.Error = error_;
            return report;
        }
        wroteAny = true;
    }
    if (wroteAny) {
        ConfigFile readBack;
        std::vector<std::string> missing;
        if (!Read(readBack, missing)) {
            report.Error = error_;
            return report;
        }
        for (TabOutcome& out : report.Tabs) {
            if (tabIndex(out) != kBaudTab) compare(readBack, out, tabIndex(out));
        }
    }

    // The rate last: it changes the connection, which is made anew at the
    // USB port's new rate (or by trying each rate, when that is how it was
    // found).
    auto baud = std::find_if(report.Tabs.begin(), report.Tabs.end(),
                             [&](const TabOutcome& out) { return tabIndex(out) == kBaudTab; });
    if (baud == report.Tabs.end()) return report;
    if (!writeTab(kBaudTab, *baud)) {
        report.Error = error_;
        return report;
    }
    Disconnect();
    const int rate = UsbRate(file);
    if (options_.Rate != 0 && rate != 0) {
        const int entry = ProbeEntry(rate);
        options_.Rate = entry >= 0 ? rate : 0;
        rateEntry_ = entry >= 0 ? entry : kDefaultProbeRate;
    }
    if (!Connect()) {
        report.Error = error_ + " after the rate write";
        return report;
    }
    ConfigFile readBack;
    std::vector<std::string> missing;
    if (!Read(readBack, missing)) {
        report.Error = error_;
        return report;
    }
    compare(readBack, *baud, kBaudTab);
    return report;
}

}  // namespace navoro
