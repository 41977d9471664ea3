// The configuration tabs against the simulated transponder, end to end: the
// real main window connects over a pseudo-terminal, each tab sends exactly
// its queries (as the simulator records them) and shows the simulator's
// settings, "Read Device" reads with the waiting window and offers a report of
// the simulator's state, and the information dump fills its controls.
#include <QCheckBox>
#include <QProgressBar>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "codec/Fields.h"
#include "config/ConfigReport.h"
#include "config/ConfigTables.h"
#include "config/Configuration.h"
#include "tests/config/SimulatorWindow.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;

using test::Bare;
using test::TestState;

// The report a transponder in `s` gives after "Read Device", at `time`.
std::string ReportOf(const sim::DeviceState& s, ReportTime time) {
    ConfigSnapshot r{};
    r.Mmsi = static_cast<std::int32_t>(s.Mmsi);
    r.Imo = static_cast<std::int32_t>(s.Imo);
    CopyText(r.ShipName, s.Name.c_str());
    CopyText(r.CallSign, s.CallSign.c_str());
    CopyText(r.Destination, s.Destination.c_str());
    r.ShipType = s.ShipType;
    const sim::Antenna* antennas[] = {&s.Internal, &s.External};
    std::int32_t* targets[] = {r.Internal, r.External};
    for (int i = 0; i < 2; ++i) {
        targets[i][0] = antennas[i]->A;
        targets[i][1] = antennas[i]->B;
        targets[i][2] = antennas[i]->C;
        targets[i][3] = antennas[i]->D;
    }
    CopyText(r.GpsVoltage, s.GpsVoltage == 0 ? "3.3V" : "5V");
    for (std::size_t i = 0; i < kBaudBoxes.size(); ++i)
        r.BaudRates[i] = s.PortRates[static_cast<std::size_t>(sim::PortIndex(kBaudBoxes[i].Port))];
    r.Draught = static_cast<float>(s.DraughtTenths) / 10.0f;
    r.PersonsOnBoard = s.PersonsOnBoard;
    r.EtaMonth = s.VoyageEta.Month;
    r.EtaDay = s.VoyageEta.Day;
    r.EtaHour = s.VoyageEta.Hour;
    r.EtaMinute = s.VoyageEta.Minute;
    r.NavStatus = s.NavStatus;
    r.Cpa = static_cast<float>(s.CpaTenths) / 10.0f;
    r.Tcpa = s.Tcpa;
    r.CpaAlarm = s.CpaAlarm != 0 ? 0 : 1;
    r.LrResponse = s.LrResponse;
    r.Message27 = s.LrMessage27;
    r.ChannelA = s.LrChannelA;
    r.ChannelB = s.LrChannelB;
    for (std::size_t i = 0; i < 10; ++i)
        r.FunctionReply[i] = static_cast<std::uint8_t>(s.LrFunctionReply[i]);
    CopyText(r.SerialNumber, s.SerialNumber.c_str());
    CopyText(r.FirmwareVersion, s.Firmware.c_str());
    ReportInputs in;
    in.VersionText = "Ver 1.2 Build20200221";
    in.Time = time;
    in.ShipTypeText = kShipTypes[static_cast<std::size_t>(FindShipTypeRow(s.ShipType))].Text;
    in.NavStatusText = kNavStatusTexts[static_cast<std::size_t>(s.NavStatus)];
    in.EncryptionEnabled = s.EncryptionOn;
    in.EncryptionCode = s.EncryptionKey;
    return ReportFileText(BuildConfigurationReport(r, in));
}

class ConfigSimulator : public test::SimulatorWindowTest {
  protected:
    static std::vector<int> Values(const std::array<SpinEdit*, 4>& boxes) {
        std::vector<int> values;
        for (const SpinEdit* box : boxes)
            values.push_back(box->value());
        return values;
    }
    static std::vector<int> Values(const sim::Antenna& a) { return {a.A, a.B, a.C, a.D}; }
};

TEST_F(ConfigSimulator, EachTabSendsItsQueriesAndShowsTheDevicesSettings) {
    const sim::DeviceState s = TestState();
    Connect(s);

    // The handshake reads the visible SHIP DATA tab, after the dump.
    ASSERT_TRUE(WaitUntil([&] { return P().ShipData.lblEdtName->text() == "SEA TEST ONE"; }, 5s));
    ASSERT_TRUE(
        WaitUntil([&] { return Values(P().ShipData.External()) == Values(s.External); }, 5s));
    const std::vector<std::string> first = sim_->RecordedLines();
    const std::vector<std::string> shipQueries = {Bare("$PTST,,,,,00017"), Bare("$AIAIQ,SSD")};
    EXPECT_TRUE(std::search(first.begin(), first.end(), shipQueries.begin(), shipQueries.end()) !=
                first.end());
    EXPECT_EQ(P().ShipData.lblEdtCallSign->text(), "SEA1234");
    EXPECT_EQ(Values(P().ShipData.Internal()), Values(s.Internal));
    EXPECT_EQ(P().ShipData.MaskEditMMSI->text(), "211457320");
    EXPECT_EQ(P().ShipData.MaskEditIMO->text(), "009412853");
    EXPECT_EQ(P().ShipData.lblFirmVer->text(), "Firmware Version: 2.4.17 (2024-03-08)");
    EXPECT_STREQ(config->Readout().Snapshot().SerialNumber, "LMO2403A00417");
    EXPECT_EQ(P().Transceiver.Edit_N2K_DeviceInstance->text(), "17");
    EXPECT_TRUE(P().Encryption.CheckBoxEnableEncryption->isChecked());
    EXPECT_EQ(P().Encryption.LabeledEditEncryptionKey->text(), "5A17C0DE2024BEEF");
    EXPECT_FALSE(P().ShipData.EditInlandShipLength->isVisibleTo(form.get()));

    EXPECT_EQ(Read("TabSheetVoyage", 1), std::vector<std::string>({Bare("$AIAIQ,VSD")}));
    const VoyagePage& v = P().Voyage;
    ASSERT_TRUE(WaitUntil([&] { return v.CSpinEditPOB->value() == 240; }, 5s));
    EXPECT_EQ(v.stShipCargoType->text(), "52");
    EXPECT_EQ(v.cbxShipType->currentText(), "52 = Tugs, light boats, fleet boats");
    EXPECT_EQ(v.edtDraught->text(), "11.3");
    EXPECT_EQ(v.lblEdtDestination->text(), "ST PETERSBURG");
    EXPECT_EQ(v.CSpinEditMonth->value(), 11);
    EXPECT_EQ(v.CSpinEditDay->value(), 3);
    EXPECT_EQ(v.CSpinEditHour->value(), 7);
    EXPECT_EQ(v.CSpinEditMinute->value(), 45);
    EXPECT_EQ(v.ComboBoxNavStatus->currentIndex(), 5);

    EXPECT_EQ(Read("TabSheetCPA", 1), std::vector<std::string>({Bare("$AIAIQ,CPA")}));
    ASSERT_TRUE(WaitUntil([&] { return P().Cpa.CSpinEditTCPA->value() == 42; }, 5s));
    EXPECT_EQ(P().Cpa.MaskEditCPA->text(), "03.5");
    EXPECT_EQ(P().Cpa.ComboBoxCpaAlarmType->currentText(), "OFF");

    EXPECT_EQ(Read("TabSheetTransceiver", 1), std::vector<std::string>({Bare("$AIAIQ,TSV")}));
    ASSERT_TRUE(
        WaitUntil([&] { return P().Transceiver.ComboBoxGpsVoltage->currentText() == "5V"; }, 5s));
    EXPECT_EQ(P().Transceiver.ComboBox_Tran_AisTx->currentText(), "OFF");
    EXPECT_EQ(P().Transceiver.ComboBox_Tran_DscRx->currentText(), "OFF");

    std::vector<std::string> rateQueries;
    for (int port = -1; port <= 9; ++port)
        rateQueries.push_back(Bare("$PLMO,Q,BAU," + std::to_string(port) + ","));
    EXPECT_EQ(Read("TabSheetBaudRate", 11), rateQueries);
    const std::vector<std::string> rates = {"9600", "4800", "19200", "38400",
                                            "9600", "4800", "19200", "115200"};
    const auto shownRates = [this] {
        std::vector<std::string> texts;
        for (QComboBox* box : P().BaudRate.Boxes)
            texts.push_back(box->currentText().toStdString());
        return texts;
    };
    EXPECT_TRUE(WaitUntil([&] { return shownRates() == rates; }, 5s));
    EXPECT_EQ(shownRates(), rates);

    EXPECT_EQ(Read("TabSheetLR", 1), std::vector<std::string>({Bare("$AIAIQ,CLR")}));
    const LongRangePage& lr = P().LongRange;
    ASSERT_TRUE(WaitUntil([&] { return lr.CheckBox_LR_Msg27->isChecked(); }, 5s));
    EXPECT_EQ(lr.ComboBox_LR_Response->currentText(), "Manual");
    EXPECT_EQ(lr.LabeledEdit_LR_ChA->text(), "2087");
    EXPECT_EQ(lr.LabeledEdit_LR_ChB->text(), "2088");
    for (std::size_t i = 0; i < lr.FunctionReply.size(); ++i)
        EXPECT_EQ(lr.FunctionReply[i]->isChecked(), s.LrFunctionReply[i] != 0) << i;

    EXPECT_EQ(Read("TabSheetDestination", 1), std::vector<std::string>({Bare("$AIAIQ,DES")}));
    QTableWidget* des = P().Destination.StringGrid_Destination;
    ASSERT_TRUE(WaitUntil([&] { return des->item(10, 1)->text() == "GDANSK"; }, 5s));
    for (int row = 1; row <= 10; ++row)
        EXPECT_EQ(des->item(row, 1)->text().toStdString(),
                  s.Destinations[static_cast<std::size_t>(row - 1)]);

    EXPECT_EQ(Read("TabSheetMOB", 1), std::vector<std::string>({Bare("$AIAIQ,MBL")}));
    QTableWidget* mob = P().Mob.StringGrid_MOBList;
    ASSERT_TRUE(WaitUntil([&] { return mob->item(3, 2)->text() == "RAFT"; }, 5s));
    EXPECT_EQ(mob->item(1, 1)->text(), "972001234");
    EXPECT_EQ(mob->item(2, 2)->text(), "LIFEBUOY STBD");
    EXPECT_EQ(mob->item(4, 1)->text(), "");

    EXPECT_TRUE(Read("TabSheetEncryption", 0).empty());
    EXPECT_TRUE(form->waitingWindow()->isVisible());
}

TEST_F(ConfigSimulator, ReadDeviceShowsTheWaitingWindowAndReportsTheDevicesState) {
    const sim::DeviceState s = TestState();
    Connect(s);
    ASSERT_TRUE(WaitUntil([&] { return P().ShipData.lblEdtName->text() == "SEA TEST ONE"; }, 5s));
    WaitUntil([&] { return !form->waitingWindow()->isVisible(); }, 3s);

    const std::string path = folder / "report.TXT";
    prompts.Answers = {true};
    prompts.SaveFileNames.push_back(path);
    const std::size_t before = sim_->RecordedLines().size();
    Click(form->findChild<QAbstractButton*>("SpeedButtonReload"));
    WaitingWindow* window = form->waitingWindow();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Bar()->maximum(), 30);
    EXPECT_TRUE(WaitUntil([&] { return window->Bar()->value() >= 3; }, 2s));

    ASSERT_TRUE(WaitUntil([&] { return prompts.Count(PromptKind::OpenInEditor) == 1; }, 10s));
    const std::vector<std::string> all = sim_->RecordedLines();
    std::vector<std::string> expected = {Bare("$PTST,,,,,00017"), Bare("$AIAIQ,SSD"),
                                         Bare("$AIAIQ,VSD"), Bare("$AIAIQ,CPA"),
                                         Bare("$AIAIQ,TSV")};
    for (int port = -1; port <= 9; ++port)
        expected.push_back(Bare("$PLMO,Q,BAU," + std::to_string(port) + ","));
    expected.push_back(Bare("$AIAIQ,CLR"));
    EXPECT_EQ(
        std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()),
        expected);
    EXPECT_FALSE(window->isVisible());

    const std::string report = test::ReadFile(path);
    for (const char* line : {
             "   Serial Number = LMO2403A00417\r\n",
             "  Firmware Version = 2.4.17 (2024-03-08)\r\n",
             "Ship MMSI = 211457320\r\n",
             "Ship IMO = 009412853\r\n",
             "Ship Name = SEA TEST ONE\r\n",
             "Ship Callsign = SEA1234\r\n",
             "Ship Type = 52 = Tugs, light boats, fleet boats\r\n",
             "  Internal: A = 120, B =  30, C =   7, D =  12\r\n",
             "  External: A = 100, B =  50, C =  15, D =   4\r\n",
             "Draught = 11.3\r\n",
             "POB = 240\r\n",
             "Destination = ST PETERSBURG\r\n",
             "ETA = 11/3 7:45\r\n",
             "NAV. Status = 5:moored\r\n",
             "CPA = 03.5\r\n",
             "TCPA = 42\r\n",
             "ALARM = OFF\r\n",
             "GPS Antenna Voltage = 5V\r\n",
             "   PILOT   Baud Rate = 9600\r\n",
             "   DISP    Baud Rate = 4800\r\n",
             "LONG RANGE Baud Rate = 19200\r\n",
             "   DGPS    Baud Rate = 38400\r\n",
             "  SENSOR1  Baud Rate = 9600\r\n",
             "  SENSOR2  Baud Rate = 4800\r\n",
             "  SENSOR3  Baud Rate = 19200\r\n",
             "    USB    Baud Rate = 115200\r\n",
             "LR RESPONSE = Manual\r\n",
             "Msg 27 Enabled\r\n",
             "Ch A Channel = 2087\r\n",
             "Ch B Channel = 2088\r\n",
             "  On  Off On  Off Off On  Off Off On  On \r\n",
             "Encryption enable = ON\r\n",
             "Encryption code = 5A17C0DE2024BEEF\r\n",
         })
        EXPECT_NE(report.find(line), std::string::npos) << line << "\n" << report;
    EXPECT_EQ(prompts.Last(PromptKind::OpenInEditor)->Text, path);
}

TEST_F(ConfigSimulator, AnInlandDeviceShowsTheDecimalDimensions) {
    Connect(TestState(), /*inland=*/true);
    const ShipDataPage& p = P().ShipData;
    ASSERT_TRUE(WaitUntil([&] { return p.EditInlandShipLength->text() == "110.0"; }, 5s));
    EXPECT_TRUE(p.EditInlandShipLength->isVisibleTo(form.get()));
    EXPECT_FALSE(p.CSpinEditA->isVisibleTo(form.get()));
    EXPECT_EQ(p.CSpin_InlandEditB->text(), "90.5");
    EXPECT_EQ(p.CSpin_InlandEditA->text(), "19.5");
    EXPECT_EQ(p.CSpinEditInlandExtD->text(), "08.4");
    EXPECT_EQ(config->Readout().Snapshot().InlandMode, 1);
    // Disconnecting resets the connection: the sea-going display returns.
    Click(Controls().OpenPort);
    EXPECT_TRUE(WaitUntil([&] { return p.CSpinEditA->isVisibleTo(form.get()); }, 5s));
    EXPECT_EQ(config->Readout().Snapshot().InlandMode, 0);
}

TEST_F(ConfigSimulator, DemoModeShowsTheSimulatorsSettingsAndReportsThem) {
    AppOptions options;
    options.Simulate = true;
    MakeWindow({}, options);
    config = &form->configuration();
    ASSERT_FALSE(form->SimulatorPort().empty());
    Click(Controls().OpenPort);
    ASSERT_TRUE(WaitUntil([this] { return Connected(); }, 10s)) << Status().toStdString();

    const sim::DeviceState s;  // the simulator's defaults
    auto* tabs = form->findChild<QTabWidget*>("PageControlConf");
    const auto show = [&](const char* tab, const std::function<bool()>& shown) {
        tabs->setCurrentWidget(form->findChild<QWidget*>(tab));
        EXPECT_TRUE(WaitUntil(shown, 5s)) << tab;
    };
    show("TabSheetStatic", [&] { return P().ShipData.lblEdtName->text() == "NORDIC TRADER"; });
    EXPECT_EQ(P().ShipData.MaskEditMMSI->text(), "211457320");
    show("TabSheetVoyage", [&] { return P().Voyage.lblEdtDestination->text() == "HAMBURG"; });
    show("TabSheetCPA", [&] { return P().Cpa.MaskEditCPA->text() == "02.0"; });
    show("TabSheetTransceiver",
         [&] { return std::string(config->Readout().Snapshot().GpsVoltage) == "3.3V"; });
    show("TabSheetBaudRate", [&] { return config->Readout().Snapshot().BaudRates[7] == 115200; });
    show("TabSheetLR", [&] { return P().LongRange.LabeledEdit_LR_ChA->text() == "2087"; });
    show("TabSheetDestination",
         [&] { return P().Destination.StringGrid_Destination->item(4, 1)->text() == "GDANSK"; });
    show("TabSheetMOB",
         [&] { return P().Mob.StringGrid_MOBList->item(2, 1)->text() == "972001235"; });

    // "Read Device" in demo mode: the report matches the simulator's state.
    WaitUntil([&] { return !config->ProgressActive(); }, 6s);
    const ReportTime time{2026, 4, 1, 12, 0, 0};
    config->SetClock([time] { return time; });
    const std::string path = folder / "demo.TXT";
    prompts.Answers = {true};
    prompts.SaveFileNames.push_back(path);
    Click(form->findChild<QAbstractButton*>("SpeedButtonReload"));
    ASSERT_TRUE(WaitUntil([&] { return prompts.Count(PromptKind::OpenInEditor) == 1; }, 10s));
    EXPECT_EQ(test::ReadFile(path), ReportOf(s, time));
}

}  // namespace
}  // namespace navoro
