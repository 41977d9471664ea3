// Writing the simulated transponder, end to end: the real main window edits
// each tab and clicks "Config Device"; the simulator records exactly the
// sentences of the write in their order and takes the new settings, and the
// tab read again shows them. The rate write drops the link and the window
// connects again at the new rate; the maintenance dialog restores the factory
// settings; a broken rule or a wrong code sends nothing; a port that goes
// away during a write stops it with a message.
#include <QAction>
#include <QCheckBox>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "config/MaintenanceDialog.h"
#include "tests/config/SimulatorWindow.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;
using test::Bare;
using Lines = std::vector<std::string>;

class WriteSimulator : public test::SimulatorWindowTest {
  protected:
    // Clicks "Config Device" on the visible tab, answering OK, and returns
    // what the simulator received for it.
    Lines ConfigDevice(std::size_t expected) {
        const std::size_t before = sim_->RecordedLines().size();
        prompts.Answers = {true};
        Click(form->findChild<QAbstractButton*>("SpeedButtonSetting"));
        return RecordedSince(before, expected);
    }
    // Selects a tab and lets its replies arrive.
    void Show(const char* tab, const std::function<bool()>& read) {
        Read(tab, 0);
        ASSERT_TRUE(WaitUntil(read, 5s)) << tab;
    }
    // The tab read again (its read after the handshake or a tab change).
    void ReadAgain() { config->ReadVisibleTab(); }

    QTableWidget* Mob() { return P().Mob.StringGrid_MOBList; }
    QTableWidget* Des() { return P().Destination.StringGrid_Destination; }
};

// One tab's write: what the user changes, the sentences the simulator
// receives, the simulator's settings afterwards, and the tab after another
// read (the edited controls are emptied first, so the values come back from
// the simulator).
struct TabWrite {
    const char* Tab;
    std::function<bool(ConfigPages&, const Configuration&)> Loaded;  // the tab's read has arrived
    std::function<void(ConfigPages&)> Edit;
    Lines Sent;
    std::function<void(const sim::DeviceState&)> Device;
    std::function<void(ConfigPages&)> Forget;
    std::function<bool(ConfigPages&)> ReadBack;
};

TEST_F(WriteSimulator, EachTabWritesItsSentencesAndReadsBackTheNewSettings) {
    Connect(test::TestState());
    ASSERT_TRUE(WaitUntil([&] { return P().ShipData.lblEdtName->text() == "SEA TEST ONE"; }, 5s));

    const TabWrite cases[] = {
        {"TabSheetStatic",
         [](ConfigPages&, const Configuration& c) {
             return c.Readout().Snapshot().Mmsi == 211457320;
         },
         [](ConfigPages& p) {
             p.ShipData.MaskEditMMSI->setText("211457999");
             p.ShipData.lblEdtName->setText("SEA TEST TWO");
             p.ShipData.lblEdtCallSign->setText("SEA9");
             p.ShipData.CSpinEditA->setValue(130);
             p.ShipData.CSpinEditExtC->setValue(20);
         },
         // Read back at once: status request and SSD query.
         {Bare("$PMID,211457999,009412853"), Bare("$ECSSD,SEA9,SEA TEST TWO,130,30,7,12,0,AI"),
          Bare("$ECSSD,SEA9,SEA TEST TWO,100,50,20,4,0,GP"), Bare("$PTST,,,,,00017"),
          Bare("$AIAIQ,SSD")},
         [](const sim::DeviceState& d) {
             EXPECT_EQ(d.Mmsi, 211457999u);
             EXPECT_EQ(d.Name, "SEA TEST TWO");
             EXPECT_EQ(d.CallSign, "SEA9");
             EXPECT_EQ(d.Internal, (sim::Antenna{130, 30, 7, 12}));
             EXPECT_EQ(d.External, (sim::Antenna{100, 50, 20, 4}));
         },
         [](ConfigPages& p) {
             p.ShipData.MaskEditMMSI->clear();
             p.ShipData.lblEdtName->clear();
             p.ShipData.CSpinEditExtC->setValue(0);
         },
         [](ConfigPages& p) {
             return p.ShipData.MaskEditMMSI->text() == "211457999" &&
                    p.ShipData.lblEdtName->text() == "SEA TEST TWO" &&
                    p.ShipData.CSpinEditExtC->value() == 20;
         }},
        {"TabSheetVoyage",
         [](ConfigPages& p, const Configuration&) { return p.Voyage.CSpinEditPOB->value() == 240; },
         [](ConfigPages& p) {
             p.Voyage.cbxShipType->setCurrentIndex(19);  // 60 = Passenger ship
             p.Voyage.edtDraught->setText("8.4");
             p.Voyage.CSpinEditPOB->setValue(300);
             p.Voyage.lblEdtDestination->setText("KIEL");
             p.Voyage.CSpinEditMonth->setValue(12);
             p.Voyage.CSpinEditDay->setValue(24);
             p.Voyage.CSpinEditHour->setValue(18);
             p.Voyage.CSpinEditMinute->setValue(5);
             p.Voyage.ComboBoxNavStatus->setCurrentIndex(1);
         },
         {Bare("$ECVSD,60,08.4,300,KIEL,180500.00,24,12,1,")},
         [](const sim::DeviceState& d) {
             EXPECT_EQ(d.ShipType, 60);
             EXPECT_EQ(d.DraughtTenths, 84);
             EXPECT_EQ(d.PersonsOnBoard, 300);
             EXPECT_EQ(d.Destination, "KIEL");
             EXPECT_EQ(d.VoyageEta, (sim::Eta{12, 24, 18, 5}));
             EXPECT_EQ(d.NavStatus, 1);
         },
         [](ConfigPages& p) {
             p.Voyage.lblEdtDestination->clear();
             p.Voyage.CSpinEditPOB->setValue(0);
         },
         [](ConfigPages& p) {
             return p.Voyage.lblEdtDestination->text() == "KIEL" &&
                    p.Voyage.CSpinEditPOB->value() == 300 &&
                    p.Voyage.stShipCargoType->text() == "60" &&
                    p.Voyage.edtDraught->text() == "8.4" && p.Voyage.CSpinEditMinute->value() == 5;
         }},
        {"TabSheetCPA",
         [](ConfigPages& p, const Configuration&) { return p.Cpa.CSpinEditTCPA->value() == 42; },
         [](ConfigPages& p) {
             p.Cpa.MaskEditCPA->setText("05.5");
             p.Cpa.CSpinEditTCPA->setValue(12);
             p.Cpa.ComboBoxCpaAlarmType->setCurrentIndex(0);
         },
         {Bare("$PDBG,045,55,046,12,047,1,,")},
         [](const sim::DeviceState& d) {
             EXPECT_EQ(d.CpaTenths, 55);
             EXPECT_EQ(d.Tcpa, 12);
             EXPECT_EQ(d.CpaAlarm, 1);
         },
         [](ConfigPages& p) { p.Cpa.MaskEditCPA->clear(); },
         [](ConfigPages& p) {
             return p.Cpa.MaskEditCPA->text() == "05.5" && p.Cpa.CSpinEditTCPA->value() == 12 &&
                    p.Cpa.ComboBoxCpaAlarmType->currentText() == "ON";
         }},
        {"TabSheetTransceiver",
         [](ConfigPages& p, const Configuration&) {
             return p.Transceiver.ComboBoxGpsVoltage->currentIndex() == 1;
         },
         [](ConfigPages& p) {
             p.Transceiver.ComboBox_Tran_AisTx->setCurrentIndex(0);
             p.Transceiver.ComboBox_Tran_DscRx->setCurrentIndex(0);
             p.Transceiver.ComboBoxGpsVoltage->setCurrentIndex(0);
             p.Transceiver.Edit_N2K_DeviceInstance->setText("42");
         },
         {Bare("$PLMO,C,DBG,30,0,101,1,102,0,122,42")},
         [](const sim::DeviceState& d) {
             EXPECT_EQ(d.AisTx, 0);
             EXPECT_EQ(d.DscRx, 1);
             EXPECT_EQ(d.GpsVoltage, 0);
             EXPECT_EQ(d.DeviceInstance, 42);
         },
         [](ConfigPages& p) { p.Transceiver.ComboBox_Tran_AisTx->setCurrentIndex(1); },
         [](ConfigPages& p) {
             return p.Transceiver.ComboBox_Tran_AisTx->currentText() == "ON" &&
                    p.Transceiver.ComboBox_Tran_DscRx->currentText() == "ON";
         }},
        {"TabSheetLR",
         [](ConfigPages& p, const Configuration&) {
             return p.LongRange.CheckBox_LR_Msg27->isChecked();
         },
         [](ConfigPages& p) {
             p.LongRange.ComboBox_LR_Response->setCurrentIndex(0);
             for (std::size_t i = 0; i < 10; ++i)
                 p.LongRange.FunctionReply[i]->setChecked(i == 1 || i == 9);
             p.LongRange.CheckBox_LR_Msg27->setChecked(false);
             p.LongRange.LabeledEdit_LR_ChA->setText("2090");
             p.LongRange.LabeledEdit_LR_ChB->setText("2091");
         },
         {Bare("$AICLR,0,0100000001,0,2090,2091")},
         [](const sim::DeviceState& d) {
             EXPECT_EQ(d.LrResponse, 0);
             EXPECT_EQ(d.LrFunctionReply, (std::array<int, 10>{0, 1, 0, 0, 0, 0, 0, 0, 0, 1}));
             EXPECT_EQ(d.LrMessage27, 0);
             EXPECT_EQ(d.LrChannelA, 2090);
             EXPECT_EQ(d.LrChannelB, 2091);
         },
         [](ConfigPages& p) { p.LongRange.LabeledEdit_LR_ChA->clear(); },
         [](ConfigPages& p) {
             return p.LongRange.LabeledEdit_LR_ChA->text() == "2090" &&
                    p.LongRange.FunctionReply[9]->isChecked() &&
                    !p.LongRange.FunctionReply[0]->isChecked();
         }},
        {"TabSheetDestination",
         [](ConfigPages& p, const Configuration&) {
             return p.Destination.StringGrid_Destination->item(10, 1)->text() == "GDANSK";
         },
         [](ConfigPages& p) {
             p.Destination.StringGrid_Destination->item(2, 1)->setText("kiel");
             p.Destination.StringGrid_Destination->item(10, 1)->setText("");
         },
         {Bare("$PLMO,C,DES,1,HAMBURG"), Bare("$PLMO,C,DES,2,KIEL"),
          Bare("$PLMO,C,DES,3,ROTTERDAM"), Bare("$PLMO,C,DES,4,"), Bare("$PLMO,C,DES,5,"),
          Bare("$PLMO,C,DES,6,"), Bare("$PLMO,C,DES,7,"), Bare("$PLMO,C,DES,8,"),
          Bare("$PLMO,C,DES,9,"), Bare("$PLMO,C,DES,10,")},
         [](const sim::DeviceState& d) {
             EXPECT_EQ(d.Destinations, (std::array<std::string, 10>{"HAMBURG", "KIEL", "ROTTERDAM",
                                                                    "", "", "", "", "", "", ""}));
         },
         [](ConfigPages&) {},  // reading the tab empties the grid
         [](ConfigPages& p) {
             QTableWidget* g = p.Destination.StringGrid_Destination;
             return g->item(2, 1)->text() == "KIEL" && g->item(3, 1)->text() == "ROTTERDAM" &&
                    g->item(10, 1)->text().isEmpty();
         }},
        {"TabSheetMOB",
         [](ConfigPages& p, const Configuration&) {
             return p.Mob.StringGrid_MOBList->item(3, 2)->text() == "RAFT";
         },
         [](ConfigPages& p) {
             QTableWidget* g = p.Mob.StringGrid_MOBList;
             g->item(2, 2)->setText("LIFEBUOY AFT");
             g->item(3, 1)->setText("");  // a gap: the row is skipped
             g->item(3, 2)->setText("");
             g->item(5, 1)->setText("972005555");
             g->item(5, 2)->setText("RAFT B");
         },
         {Bare("$PLMO,C,MBL,972001234,LIFEBUOY PORT"), Bare("$PLMO,C,MBL,972001235,LIFEBUOY AFT"),
          Bare("$PLMO,C,MBL,972005555,RAFT B")},
         [](const sim::DeviceState& d) {
             EXPECT_EQ(d.MobList, (std::vector<sim::MobEntry>{{972001234, "LIFEBUOY PORT"},
                                                              {972001235, "LIFEBUOY AFT"},
                                                              {972005555, "RAFT B"}}));
         },
         [](ConfigPages&) {},
         [](ConfigPages& p) {
             QTableWidget* g = p.Mob.StringGrid_MOBList;
             return g->item(2, 2)->text() == "LIFEBUOY AFT" &&
                    g->item(3, 1)->text() == "972005555" && g->item(3, 2)->text() == "RAFT B" &&
                    g->item(4, 1)->text().isEmpty();
         }},
        // The code goes to the MMSI of the last information dump: the one the
        // SHIP DATA write set and its read-back reported.
        {"TabSheetEncryption",
         [](ConfigPages&, const Configuration&) { return true; },
         [](ConfigPages& p) {
             p.Encryption.CheckBoxEnableEncryption->setChecked(true);
             p.Encryption.LabeledEditEncryptionKey->setText("C0FFEE42");
         },
         {Bare("$PLMO,C,DBG,701,3015,,,,,,"), Bare("$AICEK,1,1,,211457999,4330464645453432,C")},
         [](const sim::DeviceState& d) {
             EXPECT_TRUE(d.EncryptionOn);
             EXPECT_EQ(d.EncryptionKey, "C0FFEE42");
         },
         [](ConfigPages& p) { p.Encryption.LabeledEditEncryptionKey->clear(); },
         [](ConfigPages& p) {
             return p.Encryption.LabeledEditEncryptionKey->text() == "C0FFEE42";
         }},
    };
    for (const TabWrite& c : cases) {
        SCOPED_TRACE(c.Tab);
        Show(c.Tab, [&] { return c.Loaded(P(), *config); });
        c.Edit(P());
        EXPECT_EQ(ConfigDevice(c.Sent.size()), c.Sent);
        c.Forget(P());
        if (std::string(c.Tab) == "TabSheetEncryption") {
            // The tab reads nothing: its values come with the information dump.
            Read("TabSheetStatic", 2);
            Read("TabSheetEncryption", 0);
        } else {
            ReadAgain();
        }
        EXPECT_TRUE(WaitUntil([&] { return c.ReadBack(P()); }, 5s));
        // The simulator answers a line after it has taken (and saved) the
        // lines before it.
        c.Device(DeviceNow());
    }
    EXPECT_EQ(prompts.Count(PromptKind::Message), 0) << Boxes().front();
}

TEST_F(WriteSimulator, AnInlandShipDataWriteAddsTheInlandLineAndReadsItBack) {
    Connect(test::TestState(), /*inland=*/true);
    const ShipDataPage& p = P().ShipData;
    ASSERT_TRUE(WaitUntil([&] { return p.EditInlandShipLength->text() == "110.0"; }, 5s));
    ASSERT_TRUE(WaitUntil([&] { return p.lblEdtName->text() == "SEA TEST ONE"; }, 5s));
    p.EditInlandShipLength->setText("120.0");
    p.CSpinEditInlandExtC->setText("4.5");
    P().ShipData.RecalcInlandDimensions();
    config->Readout().Clear();  // the read-back's information dump fills it again
    const Lines sent = ConfigDevice(6);
    EXPECT_EQ(sent, Lines({Bare("$PMID,211457320,009412853"),
                           Bare("$ECSSD,SEA1234,SEA TEST ONE,120,30,7,12,0,AI"),
                           Bare("$ECSSD,SEA1234,SEA TEST ONE,100,50,15,4,0,GP"),
                           Bare("$PIWWSSD,,,120.0,11.4,,,,90.5,05.2,20.0,04.5"),
                           Bare("$PTST,,,,,00017"), Bare("$AIAIQ,SSD")}));
    // The waits around the inland line: 600 ms each.
    std::vector<int> waits;
    for (const PromptCall& call : prompts.Calls)
        if (call.Kind == PromptKind::Sleep) waits.push_back(call.Milliseconds);
    EXPECT_EQ(waits, std::vector<int>({600, 600}));
    // The device's information dump carries the new inland line.
    ASSERT_TRUE(WaitUntil([&] { return config->Readout().Snapshot().Mmsi == 211457320; }, 5s));
    p.EditInlandShipLength->clear();
    ReadAgain();
    EXPECT_TRUE(WaitUntil([&] { return p.EditInlandShipLength->text() == "120.0"; }, 5s));
    EXPECT_EQ(p.CSpinEditInlandExtD->text(), "06.9");
    EXPECT_EQ(DeviceNow().InlandExternalC, 45);
}

TEST_F(WriteSimulator, TheRateWriteChangesTheRatesDisconnectsAndTheNewRateConnects) {
    Connect(test::TestState());
    Show("TabSheetBaudRate", [&] { return P().BaudRate.cbxBaud_Pilot->currentText() == "9600"; });
    // The waits are real here: 2.9 s in all.
    prompts.OnCall = [](const PromptCall& call) {
        if (call.Kind == PromptKind::Sleep)
            std::this_thread::sleep_for(std::chrono::milliseconds(call.Milliseconds));
    };
    P().BaudRate.cbxBaud_Pilot->setCurrentIndex(3);  // 4800
    P().BaudRate.cbxBaud_USB->setCurrentIndex(1);    // 57600
    const Lines sent = ConfigDevice(9);
    EXPECT_EQ(sent, Lines({Bare("$PLMO,C,BAU,3,4800"), Bare("$PLMO,C,BAU,4,4800"),
                           Bare("$PLMO,C,BAU,5,19200"), Bare("$PLMO,C,BAU,6,38400"),
                           Bare("$PLMO,C,BAU,7,9600"), Bare("$PLMO,C,BAU,8,4800"),
                           Bare("$PLMO,C,BAU,9,19200"), Bare("$PLMO,C,BAU,-1,57600"),
                           Bare("$PDBG,701,1000,,,,,,")}));
    // Disconnected at once, and told.
    EXPECT_FALSE(form->Serial().IsOpen());
    EXPECT_EQ(Status(), "Disconnect...");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "The baud rates of the device have been changed.");
    prompts.OnCall = nullptr;

    // The old rate no longer reaches the device; the new one does.
    ASSERT_TRUE(Reconnect(57600)) << Status().toStdString();
    EXPECT_EQ(form->Serial().Rate(), 57600);
    Show("TabSheetStatic", [] { return true; });
    Show("TabSheetBaudRate", [&] { return P().BaudRate.cbxBaud_USB->currentText() == "57600"; });
    EXPECT_EQ(P().BaudRate.cbxBaud_Pilot->currentText(), "4800");
    const sim::DeviceState d = DeviceNow();
    EXPECT_EQ(d.PortRates[static_cast<std::size_t>(sim::PortIndex(-1))], 57600);
    EXPECT_EQ(d.PortRates[static_cast<std::size_t>(sim::PortIndex(3))], 4800);
}

TEST_F(WriteSimulator, TheMaintenanceCodeRestoresTheFactorySettings) {
    Connect(test::TestState());
    ASSERT_TRUE(WaitUntil([&] { return P().ShipData.lblEdtName->text() == "SEA TEST ONE"; }, 5s));
    MaintenanceDialog* dialog = form->maintenance();
    const auto restore = [&](const char* code) {
        form->findChild<QAction*>("mnuFactoryRestore")->trigger();
        QTest::keyClicks(dialog->EditVerifyPassword, code);
        const std::size_t before = sim_->RecordedLines().size();
        Click(dialog->SB_Command);
        return RecordedSince(before, 1, 1s);
    };
    // A wrong code sends nothing and says nothing.
    EXPECT_TRUE(restore("12345678").empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(DeviceNow().Name, "SEA TEST ONE");

    EXPECT_EQ(restore("61528037"), Lines({Bare("$PDBG,701,5,,,,,,")}));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(Boxes().empty());
    ReadAgain();
    EXPECT_TRUE(WaitUntil([&] { return P().ShipData.lblEdtName->text() == "NORDIC TRADER"; }, 5s));
    EXPECT_EQ(DeviceNow(), sim::FactoryState(test::TestState()));
}

TEST_F(WriteSimulator, ABrokenRuleSendsNothingToTheDevice) {
    Connect(test::TestState());
    Show("TabSheetMOB", [&] { return Mob()->item(3, 2)->text() == "RAFT"; });
    Mob()->item(3, 1)->setText("972001234");  // row 1's MMSI again
    const std::size_t before = sim_->RecordedLines().size();
    prompts.Answers = {true};
    Click(form->findChild<QAbstractButton*>("SpeedButtonSetting"));
    QTest::qWait(300);
    EXPECT_EQ(sim_->RecordedLines().size(), before);
    EXPECT_EQ(Mob()->currentRow(), 3);
    EXPECT_EQ(Mob()->currentColumn(), 1);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], kMobDuplicateMessage);
    EXPECT_EQ(DeviceNow().MobList.size(), 3u);
}

TEST_F(WriteSimulator, ADeviceThatGoesAwayDuringAWriteStopsItWithAMessage) {
    Connect(test::TestState());
    Show("TabSheetDestination", [&] { return Des()->item(10, 1)->text() == "GDANSK"; });
    // The simulator ends during the fourth wait, after three rows went out.
    int waits = 0;
    prompts.OnCall = [&](const PromptCall& call) {
        if (call.Kind == PromptKind::Sleep && ++waits == 4) sim_->Stop();
    };
    prompts.Answers = {true};
    Click(form->findChild<QAbstractButton*>("SpeedButtonSetting"));
    prompts.OnCall = nullptr;
    EXPECT_EQ(waits, 4);
    EXPECT_FALSE(form->waitingWindow()->isVisible());
    ASSERT_FALSE(Boxes().empty());
    EXPECT_NE(Boxes()[0].find("stopped after 3 of 10"), std::string::npos) << Boxes()[0];
    // The hang-up is handled next: the link is dropped.
    EXPECT_TRUE(WaitUntil([&] { return !form->Serial().IsOpen(); }, 5s));
}

TEST_F(WriteSimulator, DemoModeWritesAndReadsBack) {
    AppOptions options;
    options.Simulate = true;
    MakeWindow({}, options);
    config = &form->configuration();
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([this] { return Connected(); }, 10s)) << Status().toStdString();
    auto* tabs = form->findChild<QTabWidget*>("PageControlConf");
    const auto show = [&](const char* tab) {
        tabs->setCurrentWidget(form->findChild<QWidget*>(tab));
    };
    const auto configDevice = [&] {
        prompts.Answers = {true};
        Click(form->findChild<QAbstractButton*>("SpeedButtonSetting"));
    };

    show("TabSheetVoyage");
    ASSERT_TRUE(WaitUntil([&] { return P().Voyage.lblEdtDestination->text() == "HAMBURG"; }, 5s));
    P().Voyage.lblEdtDestination->setText("KIEL");
    configDevice();
    P().Voyage.lblEdtDestination->clear();
    ReadAgain();
    EXPECT_TRUE(WaitUntil([&] { return P().Voyage.lblEdtDestination->text() == "KIEL"; }, 5s));

    show("TabSheetDestination");
    ASSERT_TRUE(WaitUntil([&] { return Des()->item(4, 1)->text() == "GDANSK"; }, 5s));
    Des()->item(6, 1)->setText("KIEL");
    configDevice();
    ReadAgain();
    EXPECT_TRUE(WaitUntil([&] { return Des()->item(6, 1)->text() == "KIEL"; }, 5s));
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace navoro
