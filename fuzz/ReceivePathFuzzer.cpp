// Fuzzes the receive path: bytes -> line assembly -> the three consumers of
// every line as the main window has them, minus the widgets:
//   RouteLine: the sentence router (framing, tokenizer, parsers,
//     stores, AIS message assembly, de-armouring, decoding, target table),
//     then what the pages make of an accepted sentence (GNSS status texts,
//     the satellite cycle, the system check's counters and rows, the alarm
//     board);
//   CheckHandshake: the end-of-dump test and what the connection makes of
//     a line while it waits for the dump (a sentence it takes as well formed
//     passes the codec's framing check);
//   CollectDeviceInfo: the information-dump reader into the tabs' readout.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "codec/Codec.h"
#include "codec/Framing.h"
#include "config/tabs/DeviceReadout.h"
#include "diagnosis/AlarmBoard.h"
#include "diagnosis/GnssStatusText.h"
#include "diagnosis/SatelliteList.h"
#include "diagnosis/SystemCheck.h"
#include "fuzz/RepairChecksums.h"
#include "link/LineAssembler.h"
#include "link/PortTraffic.h"
#include "link/SentenceDispatch.h"

namespace {

// What the window keeps from line to line.
struct WindowState {
    navoro::Codec codec;
    navoro::SatelliteCycle cycle;
    navoro::SatellitePublication publication{};
    navoro::PositionReportCounters counters;
    navoro::DeviceReadout readout;
    navoro::AlarmBoard alarms;
    bool dumpEnded = false;
    navoro::TrafficTally traffic;
};

void Check(bool promise) {
    if (!promise) __builtin_trap();
}

class Consumers : public navoro::LineSink {
  public:
    explicit Consumers(WindowState& state) : s_(state) {}

    bool LogEnabled() const override { return true; }
    void LogLine(std::string_view line) override {
        Check(line.size() <= navoro::LineAssembler::kLineBufferMax);
    }

    void RouteLine(char* line) override {
        const std::string before(line);
        const navoro::SentenceKind kind = navoro::AcceptLine(s_.codec, line);
        Check(before == line);  // each consumer gets the line as received
        switch (kind) {
            case navoro::SentenceKind::Gnss:
            case navoro::SentenceKind::Satellites: {
                const navoro::GnssStatusTexts texts =
                    navoro::GnssStatusUpdate(s_.codec.Gnss, s_.codec.Targets.Entry(0));
                for (const auto* text :
                     {&texts.UtcDate, &texts.UtcTime, &texts.FixMode, &texts.Hdop, &texts.InView,
                      &texts.InUse, &texts.Lon, &texts.Lat, &texts.Sog, &texts.Cog})
                    Check(!*text || (*text)->size() < 64);
                if (kind == navoro::SentenceKind::Satellites &&
                    s_.cycle.TakeGsv(s_.codec.Gnss, s_.codec.Received.Header.Talker,
                                     s_.publication))
                    Check(s_.publication.Count >= 0 &&
                          s_.publication.Count <= navoro::kSatelliteListCapacity);
                break;
            }
            case navoro::SentenceKind::Encapsulated: {
                navoro::CountPositionReport(s_.counters, s_.codec.Received.Header,
                                            s_.codec.Received.Vdm.Channel);
                const navoro::DeviceIdentity& id = s_.readout.Identity();
                const navoro::SystemCheckSnapshot check{
                    id.Flags.FirmwareReceived,
                    id.Firmware,
                    id.Flags.SerialNumberReceived,
                    id.SerialNumber,
                    id.Flags.MmsiNonZero,
                    s_.readout.Get<navoro::ShipDataTab>().Mmsi.value_or(0),
                };
                const navoro::SystemCheckView view =
                    navoro::EvaluateSystemCheck(check, s_.codec.Targets.Entry(0), s_.counters);
                Check(view.Mmsi.size() <= 10);
                break;
            }
            case navoro::SentenceKind::Reply:
                s_.alarms.Take(s_.codec.Received, 43200);
                // The board stays within the sentences' identifier ranges.
                Check(s_.alarms.Alarms().size() <= 1000 && s_.alarms.StatusTexts().size() <= 100 &&
                      s_.alarms.TransmitterLog().size() <= 99 && s_.alarms.Regions().size() <= 10);
                Check(s_.alarms.UnacknowledgedActiveCount() <= s_.alarms.ActiveCount());
                s_.readout.TakeSentence(s_.codec.Received);
                // A reply never leaves a number outside the range its tab can
                // show (a text is kept as the device sent it, to be corrected).
                for (const navoro::RuleProblems& problems :
                     {navoro::VoyageTab::Check(s_.readout.Get<navoro::VoyageTab>()),
                      navoro::CpaTab::Check(s_.readout.Get<navoro::CpaTab>()),
                      navoro::BaudRateTab::Check(s_.readout.Get<navoro::BaudRateTab>())}) {
                    for (const navoro::RuleProblem& problem : problems)
                        Check(problem.Text != navoro::MessageId::ValueRange &&
                              problem.Text != navoro::MessageId::PortRate);
                }
                break;
            default:
                break;
        }
    }

    void CheckHandshake(char* line) override {
        if (std::strstr(line, "[DEVICE DATA END]") != nullptr) s_.dumpEnded = true;
        using navoro::LineEvidence;
        const LineEvidence evidence = navoro::ClassifyLine(line);
        if (evidence == LineEvidence::Transponder || evidence == LineEvidence::ProbeRefused ||
            evidence == LineEvidence::Gnss || evidence == LineEvidence::OtherSentence)
            Check(navoro::CheckFraming(line));
        Check((evidence == LineEvidence::DumpEnd) == navoro::IsDumpEnd(line));
        s_.traffic.Take(line);
        (void)s_.traffic.Verdict();
    }

    void CollectDeviceInfo(char* line) override {
        s_.readout.TakeDeviceInfo(line);
        const navoro::DeviceIdentity& id = s_.readout.Identity();
        Check(id.Firmware.size() <= navoro::kFirmwareVersionMax &&
              id.SerialNumber.size() <= navoro::kSerialNumberMax);
        // A dumped value (IMO, inland dimensions) never leaves the tab outside
        // what it can show.
        for (const navoro::RuleProblem& problem :
             navoro::ShipDataTab::Check(s_.readout.Get<navoro::ShipDataTab>()))
            Check(problem.Key != "ship.imo" && problem.Key.rfind("ship.inland.", 0) != 0);
    }

  private:
    WindowState& s_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One state for the whole run, as the program keeps one: what is carried
    // from input to input (stores, message assembly, target table, satellite
    // cycle, counters, snapshot) is fuzzed too.
    static auto state = std::make_unique<WindowState>();
    Consumers sink(*state);
    navoro::LineAssembler assembler(sink);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (navoro::fuzz::WantsRepairedChecksums(size)) {
        assembler.Feed(navoro::fuzz::RepairChecksums(bytes));
    } else {
        assembler.Feed(bytes);
    }
    assembler.Feed("\n");
    return 0;
}
