#include "tools/config/Transponder.h"

#include <algorithm>
#include <variant>

#include "config/tabs/WriteRun.h"

namespace navoro {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

// Replies of a read are over once nothing more has come for this long.
constexpr milliseconds kQuietAfterReplies{400};
// The longest single wait of the event loop: waits that end by the passing of
// time (a quiet spell) are checked this often.
constexpr milliseconds kPollStep{50};
// The connection's steps and status animation, as the window times them.
constexpr milliseconds kConnectionStep{1000};
constexpr milliseconds kStatusStep{200};

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
class Transponder::OnePortSource : public PortSource {
  public:
    bool EnumeratePorts(std::vector<PortInfo>&) override { return true; }
    bool IsPortFree(const std::string&) override { return true; }
};

// The connection without a window: the port and rate come from the options,
// the timers are stepped by the waits, and a box becomes the error.
class Transponder::Host : public ConnectionHost {
  public:
    explicit Host(Transponder& owner) : owner_(owner) {}

    bool AutoMode() const override { return owner_.options_.Rate == 0; }
    void ShowDetectPage(bool) override {}
    std::string PortText() const override { return owner_.options_.Port; }
    void SetPortText(const std::string&) override {}
    void SelectFirstPort() override {}
    void SetRateItems(const std::array<ProbeRate, 6>&) override {}
    int RateEntry() const override { return rateEntry; }
    void SelectRateEntry(int entry) override { rateEntry = entry; }
    void ShowProbedPort(const std::string&) override {}
    void ShowProbedRate(const std::string&) override {}
    void ShowActive(bool) override {}
    void SetConnectCaption(LinkText) override {}
    void EnableConnectionControls(bool) override {}
    void StartConnectionTimers() override {
        timersRunning = true;
        const auto now = Clock::now();
        nextConnectionStep = now + kConnectionStep;
        nextStatusStep = now + kStatusStep;
    }
    void StopConnectionTimers() override { timersRunning = false; }
    void StartSystemCheckTimer() override {}
    void ShowLinkStatus(int, LinkText) override {}
    void AnimateLinkStatus(int, bool) override {}
    void WarningBox(LinkText text) override { ErrorBox(text, ""); }
    void ErrorBox(LinkText text, const std::string& reason) override;
    void PortErrorBox(const std::string& message) override { owner_.error_ = message; }
    std::string TextOf(LinkText text) const override {
        if (text == LinkText::RateMayBeWrong)
            return "data came but no readable lines: the rate may be wrong (try --auto)";
        return {};
    }
    bool AskForceConnect() override { return true; }  // the user named the port
    void PostNotice(std::function<void()> notice) override { notices.push_back(std::move(notice)); }

    static int RateEntryOf(int rate) {
        const int entry = ProbeEntry(rate);
        return entry >= 0 ? entry : kDefaultProbeRate;
    }

    std::vector<std::function<void()>> notices;
    int rateEntry = kDefaultProbeRate;
    bool timersRunning = false;
    Clock::time_point nextConnectionStep, nextStatusStep;

  private:
    Transponder& owner_;
};

void Transponder::Host::ErrorBox(LinkText text, const std::string& reason) {
    // The first failure is the cause; what follows from it is not news.
    std::string& error = owner_.error_;
    if (!error.empty()) return;
    const std::string& path = owner_.options_.Port;
    switch (text) {
        case LinkText::ManualConnectTimeOut:
            // A reason is the wrong-rate hint, which names the port again.
            error = "no answer from " + path +
                    (reason.empty() ? "" : " (" + TextOf(LinkText::RateMayBeWrong) + ")");
            break;
        case LinkText::AutoDetectTimeOut:
            error = "no answer from " + path + " at any rate";
            break;
        case LinkText::NoSerialPortExist:
            error = path + ": no such port";
            break;
        case LinkText::NotATransponder:
            error = path + ": not a transponder: its NMEA sentences are another instrument's";
            break;
        default:
            if (reason.rfind(path, 0) == 0)
                error = reason;
            else
                error = path + ": cannot be opened" + (reason.empty() ? "" : ": " + reason);
            break;
    }
}

Transponder::Transponder(SessionOptions options)
    : options_(std::move(options)),
      host_(std::make_unique<Host>(*this)),
      source_(std::make_unique<OnePortSource>()),
      session_(std::make_unique<DeviceSession>(*host_, *source_, executor_)) {
    session_->Lists().AddManualPort(options_.Port);
    session_->Subscribe(*this);
    session_->Connection().SetUp();
}

Transponder::~Transponder() {
    session_->Port().Close();
}

// ---- what comes in -------------------------------------------------------------------

void Transponder::SentenceAccepted(SentenceKind kind, Codec& codec) {
    if (kind != SentenceKind::Reply) return;
    if (readout_.TakeSentence(codec.Received).Any()) lastReply_ = Clock::now();
}

void Transponder::LineReceived(std::string_view line) {
    readout_.TakeDeviceInfo(line);
}

// ---- waiting -----------------------------------------------------------------------

bool Transponder::Pump(const std::function<bool()>& done, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    Host& host = *host_;
    ConnectionManager& manager = session_->Connection();
    for (;;) {
        while (!host.notices.empty()) {
            auto notices = std::move(host.notices);
            host.notices.clear();
            for (auto& notice : notices)
                notice();
        }
        if (done()) return true;
        const auto now = Clock::now();
        if (now >= deadline) return false;
        if (host.timersRunning && now >= host.nextConnectionStep) {
            host.nextConnectionStep += kConnectionStep;
            manager.ConnectionStep();
            continue;
        }
        if (host.timersRunning && now >= host.nextStatusStep) {
            host.nextStatusStep += kStatusStep;
            manager.StatusStep();
            continue;
        }
        auto until = std::min(deadline, now + kPollStep);
        if (host.timersRunning)
            until = std::min({until, host.nextConnectionStep, host.nextStatusStep});
        const auto wait = std::chrono::duration_cast<milliseconds>(until - now) + milliseconds(1);
        executor_.RunUntil([&] { return done() || !host.notices.empty(); }, wait);
    }
}

void Transponder::Sleep(int ms) {
    Pump([] { return false; }, milliseconds(ms));
}

// ---- connecting ----------------------------------------------------------------------

bool Transponder::Connected() const {
    return session_->Connection().Linked() && session_->Port().IsOpen();
}

int Transponder::LinkRate() const {
    return session_->Port().Rate();
}

bool Transponder::Connect() {
    ConnectionManager& manager = session_->Connection();
    error_.clear();
    readout_.Clear();
    if (manager.Active()) Disconnect();
    Say(options_.Rate == 0
            ? "connecting to " + options_.Port + ", trying each rate"
            : "connecting to " + options_.Port + " at " + std::to_string(options_.Rate));
    // The set-up selects the default rate; the chosen one replaces it.
    if (options_.Rate != 0) host_->rateEntry = Host::RateEntryOf(options_.Rate);
    manager.ToggleConnection();
    Pump([&manager] { return manager.Linked() || !manager.Active(); }, options_.ConnectTimeout);
    if (!manager.Linked()) {
        // Bytes came, but nothing that reads as a line: the rate is the likeliest cause.
        const bool garbled = manager.ReceivedBytes() > 0 && manager.ReadableLines() == 0;
        if (manager.Active()) manager.ToggleConnection();
        Pump([] { return true; }, milliseconds(0));
        if (error_.empty())
            error_ = "no answer from " + options_.Port +
                     (garbled ? " (" + host_->TextOf(LinkText::RateMayBeWrong) + ")" : "");
        return false;
    }
    if (manager.Mode() == LinkMode::Standard) {
        // Another maker's transponder: its settings are not read or written here.
        manager.ToggleConnection();
        Pump([] { return true; }, milliseconds(0));
        error_ = options_.Port +
                 ": a transponder that speaks only the standard sentences: its settings "
                 "cannot be read or written here";
        return false;
    }
    Say("connected to " + options_.Port + " at " + std::to_string(LinkRate()));
    return true;
}

void Transponder::Disconnect() {
    ConnectionManager& manager = session_->Connection();
    if (manager.Active()) manager.ToggleConnection();
    host_->timersRunning = false;
    Pump([] { return true; }, milliseconds(0));
}

// ---- reading -------------------------------------------------------------------------

bool Transponder::Read(ConfigFile& file, std::vector<std::string>& missing) {
    if (!Connected()) {
        if (error_.empty()) error_ = options_.Port + ": not connected";
        return false;
    }
    readout_.Clear();
    Say("reading " + options_.Port);
    // The queries of every tab, in the tabs' order, so that the file holds them all.
    unsigned queries = 0;
    for (const TabInfo& tab : kTabInfos)
        queries |= tab.Queries;
    SendQueries(queries, [this](const char* text) { return session_->SendText(text); });
    lastReply_ = Clock::now();
    Pump(
        [this] {
            if (!Connected()) return true;
            for (std::size_t tab = 0; tab < kTabCount; ++tab) {
                if (!readout_.Complete(tab)) return false;
            }
            return Clock::now() - lastReply_ >= kQuietAfterReplies;
        },
        options_.ReadTimeout);
    if (!Connected()) {
        if (error_.empty()) error_ = options_.Port + ": the connection was lost";
        return false;
    }
    missing.clear();
    file = ConfigFile{};
    file.Firmware = readout_.Identity().Firmware;
    file.SerialNumber = readout_.Identity().SerialNumber;
    file.Tabs = readout_.Settings(&missing);
    return true;
}

// ---- writing -------------------------------------------------------------------------

WriteReport Transponder::Write(const ConfigFile& file) {
    WriteReport report;
    error_.clear();
    // The key goes with the MMSI the device will have: the file's, once its
    // SHIP DATA is written, otherwise the one the device reported.
    WriteContext context;
    context.Mmsi = readout_.Get<ShipDataTab>().Mmsi.value_or(0);
    if (const auto& ship = file.Tabs.Get<ShipDataTab>(); ship && ship->Mmsi)
        context.Mmsi = *ship->Mmsi;
    std::vector<std::size_t> tabs;
    for (const std::size_t tab : WriteOrder()) {
        if (!file.Tabs.Has(tab)) continue;
        tabs.push_back(tab);
        TabOutcome out;
        out.Tab = kTabInfos[tab].Key;
        report.Tabs.push_back(std::move(out));
    }

    WriteLink link;
    link.Send = [this](const std::string& line) {
        return session_->Send(line) ? SendResult::Sent : SendResult::Failed;
    };
    link.Sleep = [this](int ms) { Sleep(ms); };

    // Writes one tab; false when the device stopped taking it.
    const auto writeTab = [&](std::size_t tab, TabOutcome& out) {
        WriteCheck check = RuleProblem{};
        ForEachTab([&]<typename Unit>(std::size_t index) {
            if (index == tab) check = Unit::Plan(*file.Tabs.Get<Unit>(), context);
        });
        if (const auto* problem = std::get_if<RuleProblem>(&check)) {
            error_ = std::string(kTabInfos[tab].Key) + ": " + problem->English();
            return false;
        }
        if (!Connected()) return false;
        Say("writing " + std::string(kTabInfos[tab].Key));
        const WriteResult result = RunWritePlan(std::get<WritePlan>(check), link);
        // Let a hang-up that came under the last sentence be seen.
        Pump([] { return false; }, milliseconds(0));
        if (!result.Completed || !Connected()) {
            out.What = result.Completed ? TabOutcome::State::Written : TabOutcome::State::Stopped;
            out.Sent = result.Sent;
            out.Total = result.Total;
            if (error_.empty()) error_ = options_.Port + ": the write failed";
            return false;
        }
        out.What = TabOutcome::State::Written;
        return true;
    };
    const auto compare = [&](const ConfigFile& readBack, TabOutcome& out, std::size_t tab) {
        if (!readBack.Tabs.Has(tab)) {
            out.What = TabOutcome::State::NotReadBack;
            return;
        }
        out.Differences = DiffConfigFiles(OnlyTab(file, tab), OnlyTab(readBack, tab));
        out.What =
            out.Differences.empty() ? TabOutcome::State::ReadBack : TabOutcome::State::Differs;
    };
    const auto fail = [&] {
        report.Error = error_;
        return report;
    };

    // Every tab but those that change the connection, then one read back.
    bool wroteAny = false;
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        if (kTabInfos[tabs[i]].ChangesConnection) continue;
        if (!writeTab(tabs[i], report.Tabs[i])) return fail();
        wroteAny = true;
    }
    if (wroteAny) {
        ConfigFile readBack;
        std::vector<std::string> missing;
        if (!Read(readBack, missing)) return fail();
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            if (!kTabInfos[tabs[i]].ChangesConnection) compare(readBack, report.Tabs[i], tabs[i]);
        }
    }

    // The rates last: they change the connection, which is made anew at the
    // USB port's new rate (or by trying each rate, when that is how it was
    // found).
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        if (!kTabInfos[tabs[i]].ChangesConnection) continue;
        if (!writeTab(tabs[i], report.Tabs[i])) return fail();
        Disconnect();
        const std::optional<int> usb = file.Tabs.Get<BaudRateTab>()
                                           ? BaudRateTab::UsbRate(*file.Tabs.Get<BaudRateTab>())
                                           : std::nullopt;
        if (options_.Rate != 0 && usb) options_.Rate = ProbeEntry(*usb) >= 0 ? *usb : 0;
        if (!Connect()) {
            report.Error = error_ + " after the rate write";
            return report;
        }
        ConfigFile readBack;
        std::vector<std::string> missing;
        if (!Read(readBack, missing)) return fail();
        compare(readBack, report.Tabs[i], tabs[i]);
    }
    return report;
}

}  // namespace navoro
