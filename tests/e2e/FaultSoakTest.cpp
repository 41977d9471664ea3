// The fault soak: one main window, round after round, against a simulated
// transponder that streams its GNSS and AIS output, sends garbage lines and
// sentences with wrong checksums, answers late and, every other round, hangs
// up at a random moment. Each round plugs a new simulator in, connects, reads
// every configuration tab and writes every tab (the port-rate write last: it
// disconnects). Afterwards every write that the window reported as sent, in
// whole or up to "stopped after N of M", is in the simulator's record, the
// window still connects to a sound device and reads it, its event loop
// answers at once, and its resident memory has stayed flat.
//
// NAVORO_SOAK_SECONDS sets how long the rounds go on (default 60: what the
// test command runs); NAVORO_SOAK_SEED varies the faults. By hand, for ten
// minutes:
//
//   NAVORO_SOAK_SECONDS=600 QT_QPA_PLATFORM=offscreen build/bin/navoro_soak_tests

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "WindowFixture.h"
#include "config/ConfigTables.h"
#include "config/Configuration.h"
#include "config/ReadQueries.h"
#include "config/SpinEdit.h"
#include "tests/config/TabPages.h"
#include "tests/support/ProcessStatus.h"
#include "tests/support/Sentence.h"
#include "tests/support/SimulatorFixture.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;
using test::SimulatorFixture;
using test::SimulatorOptions;
using Lines = std::vector<std::string>;

// A sentence as the simulator's record holds it: with its checksum, no CR LF.
std::string Bare(const std::string& body) {
    const std::string line = test::Sentence(body);
    return line.substr(0, line.size() - 2);
}

int EnvironmentInt(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoi(text) : fallback;
}

// The simulator's default information dump names this MMSI; the SHIP DATA
// write keeps it, so the encryption code always goes to it.
constexpr const char* kDeviceMmsi = "211457320";

// One tab's write: the controls it reads, all set to known values, and the
// sentences it then sends in order.
struct TabWrite {
    const char* Tab;
    std::function<void(ConfigPages&)> Set;
    Lines Sent;
};

void SetGrid(QTableWidget* grid, int row, int column, const char* text) {
    QTableWidgetItem* item = grid->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        grid->setItem(row, column, item);
    }
    item->setText(QString::fromLatin1(text));
}

std::vector<TabWrite> TabWrites() {
    Lines destinations;
    for (int row = 1; row <= kDestinationRows; ++row) {
        const char* text = row == 1 ? "HAMBURG" : row == 2 ? "KIEL" : "";
        destinations.push_back(Bare("$PLMO,C,DES," + std::to_string(row) + "," + text));
    }
    const char* rates[] = {"4800", "38400", "38400", "38400", "9600", "4800", "19200", "115200"};
    Lines bau;
    for (std::size_t i = 0; i < kBaudBoxes.size(); ++i)
        bau.push_back(Bare("$PLMO,C,BAU," + std::to_string(kBaudBoxes[i].Port) + "," + rates[i]));
    bau.push_back(Bare("$PDBG,701,1000,,,,,,"));
    return {
        {"TabSheetStatic",
         [](ConfigPages& p) {
             ShipDataPage& s = p.ShipData;
             s.MaskEditMMSI->setText(kDeviceMmsi);
             s.MaskEditIMO->setText("9412853");
             s.lblEdtName->setText("SOAK TEST");
             s.lblEdtCallSign->setText("SOAK1");
             const int internal[] = {120, 30, 7, 12}, external[] = {100, 50, 15, 4};
             for (std::size_t i = 0; i < 4; ++i) {
                 s.Internal()[i]->SetReplyValue(internal[i]);
                 s.External()[i]->SetReplyValue(external[i]);
             }
         },
         {Bare(std::string("$PMID,") + kDeviceMmsi + ",009412853"),
          Bare("$ECSSD,SOAK1,SOAK TEST,120,30,7,12,0,AI"),
          Bare("$ECSSD,SOAK1,SOAK TEST,100,50,15,4,0,GP")}},
        {"TabSheetVoyage",
         [](ConfigPages& p) {
             VoyagePage& v = p.Voyage;
             v.cbxShipType->setCurrentIndex(19);  // 60 = Passenger ship
             v.edtDraught->setText("8.4");
             v.CSpinEditPOB->SetReplyValue(300);
             v.lblEdtDestination->setText("KIEL");
             v.CSpinEditMonth->SetReplyValue(12);
             v.CSpinEditDay->SetReplyValue(24);
             v.CSpinEditHour->SetReplyValue(18);
             v.CSpinEditMinute->SetReplyValue(5);
             v.ComboBoxNavStatus->setCurrentIndex(1);
         },
         {Bare("$ECVSD,60,08.4,300,KIEL,180500.00,24,12,1,")}},
        {"TabSheetCPA",
         [](ConfigPages& p) {
             p.Cpa.MaskEditCPA->setText("05.5");
             p.Cpa.CSpinEditTCPA->SetReplyValue(12);
             p.Cpa.ComboBoxCpaAlarmType->setCurrentIndex(0);
         },
         {Bare("$PDBG,045,55,046,12,047,1,,")}},
        {"TabSheetTransceiver",
         [](ConfigPages& p) {
             p.Transceiver.ComboBox_Tran_AisTx->setCurrentIndex(0);
             p.Transceiver.ComboBox_Tran_DscRx->setCurrentIndex(0);
             p.Transceiver.ComboBoxGpsVoltage->setCurrentIndex(0);
             p.Transceiver.Edit_N2K_DeviceInstance->setText("42");
         },
         {Bare("$PLMO,C,DBG,30,0,101,1,102,0,122,42")}},
        {"TabSheetLR",
         [](ConfigPages& p) {
             p.LongRange.ComboBox_LR_Response->setCurrentIndex(0);
             for (std::size_t i = 0; i < 10; ++i)
                 p.LongRange.FunctionReply[i]->setChecked(i == 1 || i == 9);
             p.LongRange.CheckBox_LR_Msg27->setChecked(false);
             p.LongRange.LabeledEdit_LR_ChA->setText("2090");
             p.LongRange.LabeledEdit_LR_ChB->setText("2091");
         },
         {Bare("$AICLR,0,0100000001,0,2090,2091")}},
        {"TabSheetDestination",
         [](ConfigPages& p) {
             for (int row = 1; row <= kDestinationRows; ++row)
                 SetGrid(p.Destination.StringGrid_Destination, row, 1,
                         row == 1   ? "HAMBURG"
                         : row == 2 ? "KIEL"
                                    : "");
         },
         destinations},
        {"TabSheetMOB",
         [](ConfigPages& p) {
             QTableWidget* g = p.Mob.StringGrid_MOBList;
             for (int row = 1; row <= kMobRows; ++row) {
                 SetGrid(g, row, 1, row == 1 ? "972001234" : row == 2 ? "972001235" : "");
                 SetGrid(g, row, 2, row == 1 ? "LIFEBUOY PORT" : row == 2 ? "RAFT B" : "");
             }
         },
         {Bare("$PLMO,C,MBL,972001234,LIFEBUOY PORT"), Bare("$PLMO,C,MBL,972001235,RAFT B")}},
        {"TabSheetEncryption",
         [](ConfigPages& p) {
             p.Encryption.CheckBoxEnableEncryption->setChecked(true);
             p.Encryption.LabeledEditEncryptionKey->setText("C0FFEE42");
         },
         {Bare("$PLMO,C,DBG,701,3015,,,,,,"),
          Bare(std::string("$AICEK,1,1,,") + kDeviceMmsi + ",4330464645453432,C")}},
        // Last: it restarts the device and disconnects.
        {"TabSheetBaudRate",
         [rates](ConfigPages& p) {
             for (std::size_t i = 0; i < p.BaudRate.Boxes.size(); ++i) {
                 QComboBox* box = p.BaudRate.Boxes[i];
                 box->setCurrentIndex(box->findText(QString::fromLatin1(rates[i])));
             }
         },
         bau},
    };
}

// What one round saw.
struct RoundResult {
    bool Connected = false;
    int Writes = 0;          // "Config Device" clicks
    int WritesReported = 0;  // reported as sent in whole
    int WritesPartial = 0;   // reported as stopped after some sentences
    int SentencesClaimed = 0;
    int InFlightAtHangUp = 0;  // claimed, written as the device went, not received
};

class FaultSoak : public test::WindowTest {
  protected:
    static constexpr qint64 kHangUpSlackMs = 500;

    void SetUp() override {
        clock_.start();
        MakeWindow({});
        StepEvery(200ms);
        // The writes' waits are real, as in the program: lines that arrive
        // meanwhile wait for the event loop.
        prompts.OnCall = [](const PromptCall& call) {
            if (call.Kind == PromptKind::Sleep)
                std::this_thread::sleep_for(std::chrono::milliseconds(call.Milliseconds));
        };
    }

    ConfigPages& P() {
        pages_.emplace(PagesOf(form->configuration()));
        return *pages_;
    }
    std::optional<ConfigPages> pages_;

    QElapsedTimer clock_;
    QTabWidget* Tabs() { return form->findChild<QTabWidget*>("PageControlConf"); }

    // Plugs the simulator's terminal in and selects it.
    bool Plug(const SimulatorFixture& sim) {
        const QString path = QString::fromStdString(sim.DevicePath());
        source.Plug({sim.DevicePath(), {}, "pseudo-terminal"});
        QComboBox* box = Controls().cbxComPort;
        if (!WaitUntil([&] { return box->findText(path) >= 0; }, 5s)) return false;
        box->setCurrentIndex(box->findText(path));
        emit box->activated(box->currentIndex());
        return true;
    }

    // Back to idle: the port closed, the button up.
    void Disconnect() {
        if (Controls().OpenPort->isChecked()) Click(Controls().OpenPort);
        EXPECT_TRUE(WaitUntil([&] { return !form->Serial().IsOpen(); }, 5s));
    }

    // Selects each tab in turn and lets its replies come in.
    void ReadEveryTab(int replyDelayMs) {
        for (int i = 0; i < Tabs()->count() && Connected(); ++i) {
            Tabs()->setCurrentIndex(i);
            QTest::qWait(replyDelayMs + 150);
        }
    }

    // Writes each tab while the link is up; checks that what the window
    // reported as sent reached the device.
    // `hangUpMs`: when the simulator hangs up on the soak's clock (-1: never).
    void WriteEveryTab(SimulatorFixture& sim, int replyDelayMs, qint64 hangUpMs,
                       RoundResult& result) {
        for (const TabWrite& write : TabWrites()) {
            if (!Connected()) return;
            SCOPED_TRACE(write.Tab);
            Tabs()->setCurrentWidget(form->findChild<QWidget*>(write.Tab));
            QTest::qWait(replyDelayMs + 150);  // the tab's read comes back first
            if (!Connected()) return;
            const std::size_t recorded = sim.RecordedLines().size();
            const std::size_t boxes = Boxes().size();
            // Set and click in one go: no reply can change a control between.
            write.Set(P());
            prompts.Answers = {true};
            Click(form->findChild<QAbstractButton*>("SpeedButtonSetting"));
            QTest::qWait(20);  // a box the send path queued shows once the click has returned
            ++result.Writes;

            const std::vector<std::string> all = Boxes();
            const std::vector<std::string> shown(all.begin() + static_cast<std::ptrdiff_t>(boxes),
                                                 all.end());
            const std::size_t claimed = Claimed(write, shown);
            if (claimed == write.Sent.size()) ++result.WritesReported;
            if (claimed > 0 && claimed < write.Sent.size()) ++result.WritesPartial;
            result.SentencesClaimed += static_cast<int>(claimed);
            const Lines expected(write.Sent.begin(),
                                 write.Sent.begin() + static_cast<std::ptrdiff_t>(claimed));
            if (WaitUntil([&] { return Received(sim, recorded, expected); }, 5s)) continue;
            // A line written in the last moment before the hang-up may still
            // have been in the terminal's buffer when the device went, as with
            // an adapter pulled out: the program cannot know. Anything else
            // reported as sent must have arrived.
            if (hangUpMs >= 0 && clock_.elapsed() - kHangUpSlackMs <= hangUpMs &&
                clock_.elapsed() + kHangUpSlackMs >= hangUpMs) {
                ++result.InFlightAtHangUp;
                continue;
            }
            ADD_FAILURE() << "reported as sent but not received: " << claimed << " of "
                          << write.Sent.size() << (shown.empty() ? "" : ", box: " + shown.front());
        }
    }

    // How many of the write's sentences the window reported as sent: all when
    // it said nothing (or, for the port rates, that they changed), the first N
    // when it said "stopped after N of M", none after any other message.
    static std::size_t Claimed(const TabWrite& write, const std::vector<std::string>& shown) {
        if (shown.empty()) return write.Sent.size();
        if (std::string(write.Tab) == "TabSheetBaudRate" && shown.size() == 1 &&
            shown[0] == "The baud rates of the device have been changed.")
            return write.Sent.size();
        for (const std::string& text : shown) {
            const std::size_t at = text.find("stopped after ");
            if (at != std::string::npos) return std::strtoul(text.c_str() + at + 14, nullptr, 10);
        }
        return 0;
    }

    // The record after its first `from` lines holds `lines` in this order.
    static bool Received(const SimulatorFixture& sim, std::size_t from, const Lines& lines) {
        const Lines all = sim.RecordedLines();
        std::size_t next = 0;
        for (std::size_t i = from; i < all.size() && next < lines.size(); ++i) {
            if (all[i] == lines[next]) ++next;
        }
        return next == lines.size();
    }

    RoundResult Round(int round, std::mt19937& random) {
        RoundResult result;
        SimulatorOptions options;
        options.Garbage = 0.05;
        options.BadChecksum = 0.05;
        options.ReplyDelayMs = std::uniform_int_distribution<int>(10, 150)(random);
        // Every other round the device goes away: during the connection, the
        // reads or the writes.
        if (round % 2 == 1)
            options.HangupAfter = std::uniform_int_distribution<int>(30, 140)(random) / 10.0;
        options.ExtraArgs = {"--seed", std::to_string(random() % 100000)};
        SimulatorFixture sim(options);
        EXPECT_TRUE(sim.Started()) << sim.Error();
        const qint64 hangUpMs =
            options.HangupAfter > 0
                ? clock_.elapsed() + static_cast<qint64>(options.HangupAfter * 1000)
                : -1;
        if (!sim.Started() || !Plug(sim)) return result;

        Click(Controls().OpenPort);
        result.Connected =
            WaitUntil([&] { return Connected() || !Controls().OpenPort->isChecked(); }, 15s) &&
            Connected();
        if (options.HangupAfter == 0) {
            EXPECT_TRUE(result.Connected) << Status().toStdString();
        }
        if (result.Connected) {
            ReadEveryTab(options.ReplyDelayMs);
            WriteEveryTab(sim, options.ReplyDelayMs, hangUpMs, result);
        }
        Disconnect();
        if (options.HangupAfter > 0) {
            const std::optional<int> status = sim.WaitExit(20s);
            EXPECT_EQ(status, std::optional<int>(0)) << "the simulator did not hang up cleanly";
        } else {
            EXPECT_EQ(sim.Stop(), 0);
        }
        source.Unplug(sim.DevicePath());
        QTest::qWait(100);
        std::printf(
            "round %d: reply delay %d ms, hang-up %s, %s, %d writes (%d whole, %d part-way)\n",
            round, options.ReplyDelayMs,
            options.HangupAfter > 0 ? (std::to_string(options.HangupAfter) + " s").c_str() : "none",
            result.Connected ? "connected" : "not connected", result.Writes, result.WritesReported,
            result.WritesPartial);
        return result;
    }
};

TEST_F(FaultSoak, ReadsAndWritesThroughFaultsAndHangUpsStayingResponsiveAndFlat) {
    const int seconds = EnvironmentInt("NAVORO_SOAK_SECONDS", 60);
    std::mt19937 random(static_cast<std::uint32_t>(EnvironmentInt("NAVORO_SOAK_SEED", 1)));
    QElapsedTimer clock;
    clock.start();

    // The first round settles what is allocated once (pages, fonts, buffers).
    RoundResult total = Round(0, random);
    const long before = test::ProcessStatusKb("VmRSS");
    int rounds = 1;
    while (clock.elapsed() < seconds * 1000LL || rounds < 3) {
        const RoundResult r = Round(rounds++, random);
        total.Writes += r.Writes;
        total.WritesReported += r.WritesReported;
        total.WritesPartial += r.WritesPartial;
        total.SentencesClaimed += r.SentencesClaimed;
        total.InFlightAtHangUp += r.InFlightAtHangUp;
    }
    const long after = test::ProcessStatusKb("VmRSS");

    // Still sound: the event loop answers at once, and a device without
    // faults connects and is read.
    QElapsedTimer latency;
    latency.start();
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    ASSERT_TRUE(WaitUntil([&] { return fired; }, 1s));
    EXPECT_LT(latency.elapsed(), 500);
    SimulatorFixture sound(SimulatorOptions{});
    ASSERT_TRUE(sound.Started() && Plug(sound));
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([&] { return Connected(); }, 10s)) << Status().toStdString();
    Tabs()->setCurrentWidget(form->findChild<QWidget*>("TabSheetStatic"));
    EXPECT_TRUE(WaitUntil([&] { return P().ShipData.lblEdtName->text() == "NORDIC TRADER"; }, 5s));
    Disconnect();

    std::printf(
        "soak: %d rounds in %.0f s, %d writes: %d reported sent, %d stopped part-way, %d "
        "sentences claimed, %d writes in flight at a hang-up; RSS %ld kB -> %ld kB\n",
        rounds, static_cast<double>(clock.elapsed()) / 1000.0, total.Writes, total.WritesReported,
        total.WritesPartial, total.SentencesClaimed, total.InFlightAtHangUp, before, after);
    EXPECT_GT(total.WritesReported, 0);
#if !defined(__SANITIZE_ADDRESS__)
    // Flat: a leak of a few hundred bytes per received line would show here.
    EXPECT_LT(after - before, 8 * 1024)
        << "resident memory grew from " << before << " kB to " << after << " kB";
#endif
}

}  // namespace
}  // namespace navoro
