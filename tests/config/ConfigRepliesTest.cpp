// The replies as the window shows them: each kind of reply with normal and
// not-available values, what it leaves for the report, and the mode letter of
// the proprietary replies.
#include <QCheckBox>

#include "ConfigFixture.h"

namespace navoro {
namespace {

using ConfigReplies = test::ConfigTest;

std::vector<int> Values(const std::array<SpinEdit*, 4>& boxes) {
    std::vector<int> values;
    for (const SpinEdit* box : boxes)
        values.push_back(box->value());
    return values;
}

QString Shown(const SpinEdit* box) {
    return box->text();
}

TEST_F(ConfigReplies, SsdSetsNameCallSignAndTheAntennaOfItsSource) {
    Receive("$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI");
    Receive("$AISSD,DCTR7,NORDIC TRADER,70,30,12,8,0,GP");
    const ShipDataPage& s = P().ShipData;
    EXPECT_EQ(s.lblEdtName->text(), "NORDIC TRADER");
    EXPECT_EQ(s.lblEdtCallSign->text(), "DCTR7");
    EXPECT_EQ(Values(s.Internal()), std::vector<int>({62, 38, 9, 11}));
    EXPECT_EQ(Values(s.External()), std::vector<int>({70, 30, 12, 8}));
    ConfigSnapshot report = config->Readout().Snapshot();
    EXPECT_STREQ(report.ShipName, "NORDIC TRADER");
    EXPECT_STREQ(report.CallSign, "DCTR7");
    EXPECT_EQ(report.Internal[3], 11);
    EXPECT_EQ(report.External[0], 70);

    // Another source changes no dimension; the report keeps all eight.
    Receive("$AISSD,,OTHER,1,2,3,4,0,XX");
    EXPECT_EQ(s.lblEdtName->text(), "OTHER");
    EXPECT_EQ(s.lblEdtCallSign->text(), "");
    EXPECT_EQ(Values(s.Internal()), std::vector<int>({62, 38, 9, 11}));
    report = config->Readout().Snapshot();
    EXPECT_EQ(report.Internal[0], 62);
    EXPECT_EQ(report.External[3], 8);
}

TEST_F(ConfigReplies, SsdDimensionsOutOfRangeAreNotAvailable) {
    Receive("$AISSD,AB,NAME,,600,64,63,0,AI");  // A blank (512), B 600, C 64
    const ShipDataPage& s = P().ShipData;
    EXPECT_EQ(Shown(s.CSpinEditA), "N/A");
    EXPECT_EQ(Shown(s.CSpinEditB), "N/A");
    EXPECT_EQ(Shown(s.CSpinEditC), "N/A");
    EXPECT_EQ(Shown(s.CSpinEditD), "63");
    EXPECT_EQ(s.CSpinEditB->value(), 0);  // reads as 0, never as 511
    EXPECT_EQ(config->Readout().Snapshot().Internal[1], 0);
    // The next good reply shows numbers again.
    Receive("$AISSD,AB,NAME,0,1,2,3,0,AI");
    EXPECT_EQ(Shown(s.CSpinEditA), "0");
    EXPECT_EQ(Shown(s.CSpinEditB), "1");
    EXPECT_FALSE(s.CSpinEditA->NotAvailable());
}

// A reply is shown once, when it comes: what the user types afterwards stays
// while other replies (and sentences that are no replies) come in.
TEST_F(ConfigReplies, AReplyIsShownOnceWhenItComes) {
    Receive("$AISSD,,NAME,1,2,3,4,0,AI");
    P().ShipData.lblEdtName->setText("EDITED");
    P().ShipData.CSpinEditExtA->setValue(9);
    Receive("$AIVSD,70,7.2,18,HAMBURG,163000.00,14,06,5,0");
    Receive("$PLMO,R,CPA,45,123,46,15,47,0,,");
    Receive("$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,");
    EXPECT_EQ(P().ShipData.lblEdtName->text(), "EDITED");
    EXPECT_EQ(P().ShipData.CSpinEditExtA->value(), 9);
    EXPECT_EQ(P().Voyage.CSpinEditPOB->value(), 18);
}

TEST_F(ConfigReplies, VsdSetsTheVoyage) {
    Receive("$AIVSD,70,7.2,18,HAMBURG,163000.00,14,06,5,0");
    const VoyagePage& v = P().Voyage;
    EXPECT_EQ(v.cbxShipType->currentIndex(), 20);
    EXPECT_EQ(v.stShipCargoType->text(), "70");
    EXPECT_EQ(v.edtDraught->text(), "7.2");
    EXPECT_EQ(v.CSpinEditPOB->value(), 18);
    EXPECT_EQ(v.lblEdtDestination->text(), "HAMBURG");
    EXPECT_EQ(v.CSpinEditMonth->value(), 6);
    EXPECT_EQ(v.CSpinEditDay->value(), 14);
    EXPECT_EQ(v.CSpinEditHour->value(), 16);
    EXPECT_EQ(v.CSpinEditMinute->value(), 30);
    EXPECT_EQ(v.ComboBoxNavStatus->currentIndex(), 5);
    const ConfigSnapshot s = config->Readout().Snapshot();
    EXPECT_EQ(s.ShipType, 70);
    EXPECT_FLOAT_EQ(s.Draught, 7.2f);
    EXPECT_EQ(s.PersonsOnBoard, 18);
    EXPECT_STREQ(s.Destination, "HAMBURG");
    EXPECT_EQ(s.EtaMonth, 6);
    EXPECT_EQ(s.EtaMinute, 30);
    EXPECT_EQ(s.NavStatus, 5);
}

TEST_F(ConfigReplies, VsdNotAvailableValues) {
    // Unknown ship type, blank draught and POB, no ETA, blank status: each
    // shows that it is not available, none a made-up value.
    Receive("$AIVSD,71,,,,,,,,");
    const VoyagePage& v = P().Voyage;
    EXPECT_EQ(v.cbxShipType->currentIndex(), -1);
    EXPECT_EQ(v.stShipCargoType->text(), "0");
    EXPECT_EQ(v.edtDraught->text(), "");
    EXPECT_EQ(Shown(v.CSpinEditPOB), "N/A");
    for (const SpinEdit* eta :
         {v.CSpinEditMonth, v.CSpinEditDay, v.CSpinEditHour, v.CSpinEditMinute})
        EXPECT_EQ(Shown(eta), "N/A") << eta->objectName().toStdString();
    EXPECT_EQ(v.ComboBoxNavStatus->currentIndex(), -1);
    ConfigSnapshot report = config->Readout().Snapshot();
    EXPECT_EQ(report.ShipType, 0);
    EXPECT_EQ(report.Draught, 0.0f);
    EXPECT_EQ(report.PersonsOnBoard, 0);
    EXPECT_EQ(report.EtaHour, 24);  // AIS's own "not available"
    EXPECT_EQ(report.EtaMinute, 60);
    // A factory-state transponder: ship type 0, draught 0 and the ETA's
    // not-available codes are not available too.
    Receive("$AIVSD,0,0.0,0,,246000.00,00,00,15,0");
    EXPECT_EQ(v.cbxShipType->currentIndex(), -1);
    EXPECT_EQ(v.edtDraught->text(), "");
    EXPECT_EQ(Shown(v.CSpinEditMonth), "N/A");
    EXPECT_EQ(Shown(v.CSpinEditMinute), "N/A");
    EXPECT_EQ(v.ComboBoxNavStatus->currentIndex(), 15);
    // A draught beyond 25.5 m and a status beyond 15 are not available either.
    Receive("$AIVSD,30,99.5,8191,X,,,,16,0");
    EXPECT_EQ(v.cbxShipType->currentIndex(), 1);
    EXPECT_EQ(v.edtDraught->text(), "");
    EXPECT_EQ(v.CSpinEditPOB->value(), 8191);
    EXPECT_EQ(v.ComboBoxNavStatus->currentIndex(), -1);
}

TEST_F(ConfigReplies, TsvSetsTheTransceiver) {
    const TransceiverPage& t = P().Transceiver;
    Receive("$PLMO,R,TSV,30,1,101,2,102,1,,");
    EXPECT_EQ(t.ComboBox_Tran_AisTx->currentIndex(), 1);  // OFF
    EXPECT_EQ(t.ComboBox_Tran_DscRx->currentIndex(), 1);  // 2 is not ON
    EXPECT_EQ(t.ComboBoxGpsVoltage->currentIndex(), 1);   // 5V
    EXPECT_STREQ(config->Readout().Snapshot().GpsVoltage, "5V");
    Receive("$PLMO,R,TSV,30,0,101,1,102,0,,");
    EXPECT_EQ(t.ComboBox_Tran_AisTx->currentIndex(), 0);
    EXPECT_EQ(t.ComboBox_Tran_DscRx->currentIndex(), 0);
    EXPECT_STREQ(config->Readout().Snapshot().GpsVoltage, "3.3V");
    // Not a reply: nothing changes.
    Receive("$PLMO,C,TSV,30,1,101,0,102,1,,");
    EXPECT_EQ(t.ComboBox_Tran_AisTx->currentIndex(), 0);
    EXPECT_EQ(t.ComboBoxGpsVoltage->currentIndex(), 0);
}

TEST_F(ConfigReplies, CpaSetsDistanceTimeAndAlarm) {
    const CpaPage& c = P().Cpa;
    Receive("$PLMO,R,CPA,45,123,46,15,47,0,,");
    EXPECT_EQ(c.MaskEditCPA->text(), "12.3");
    EXPECT_EQ(c.CSpinEditTCPA->value(), 15);
    EXPECT_EQ(c.ComboBoxCpaAlarmType->currentIndex(), 1);  // OFF
    ConfigSnapshot report = config->Readout().Snapshot();
    EXPECT_FLOAT_EQ(report.Cpa, 12.3f);
    EXPECT_EQ(report.Tcpa, 15);
    EXPECT_EQ(report.CpaAlarm, 1);
    Receive("$PLMO,R,CPA,45,25,46,99,47,3,,");
    EXPECT_EQ(c.MaskEditCPA->text(), "02.5");
    EXPECT_EQ(c.ComboBoxCpaAlarmType->currentIndex(), 0);
    // 100.0 NM does not fit "09.9", 150 minutes not 0-99: not available.
    Receive("$PLMO,R,CPA,45,1000,46,150,,,,");
    EXPECT_EQ(c.MaskEditCPA->displayText(), "  . ");
    EXPECT_EQ(Shown(c.CSpinEditTCPA), "N/A");
    report = config->Readout().Snapshot();
    EXPECT_EQ(report.Cpa, 0.0f);
    EXPECT_EQ(report.Tcpa, 0);
    Receive("$PLMO,Q,CPA,45,5,46,5,47,0,,");
    EXPECT_EQ(c.MaskEditCPA->displayText(), "  . ");
}

TEST_F(ConfigReplies, BauSelectsThePortsRate) {
    struct Case {
        const char* Reply;
        const char* Box;
        int Index;  // -1: no selection
    };
    const Case cases[] = {
        {"$PLMO,R,BAU,7,9600", "cbxBaud_Sen1", 2},    {"$PLMO,R,BAU,-1,57600", "cbxBaud_USB", 1},
        {"$PLMO,R,BAU,3,57600", "cbxBaud_Pilot", -1}, {"$PLMO,R,BAU,9,4800", "cbxBaud_Sen3", 3},
        {"$PLMO,R,BAU,4,1200", "cbxBaud_Disp", -1},  // a rate the port lacks
        {"$PLMO,R,BAU,-1,300", "cbxBaud_USB", -1},
    };
    for (const Case& c : cases) {
        Receive(c.Reply);
        EXPECT_EQ(FindControlAs<QComboBox>(form.get(), c.Box)->currentIndex(), c.Index) << c.Reply;
    }
    const ConfigSnapshot s = config->Readout().Snapshot();
    EXPECT_EQ(s.BaudRates[0], 0);  // not available reads as 0
    EXPECT_EQ(s.BaudRates[1], 0);
    EXPECT_EQ(s.BaudRates[2], 0);  // a port that did not answer: not the box's first rate
    EXPECT_EQ(s.BaudRates[4], 9600);
    EXPECT_EQ(s.BaudRates[6], 4800);
    EXPECT_EQ(s.BaudRates[7], 0);
    // Ports 0-2 have no box, and only replies count.
    Receive("$PLMO,R,BAU,0,4800");
    Receive("$PLMO,C,BAU,7,4800");
    EXPECT_EQ(P().BaudRate.cbxBaud_Sen1->currentText(), "9600");
}

TEST_F(ConfigReplies, MblFillsTheMobListInArrivalOrder) {
    SelectTab("TabSheetMOB");  // its read empties the list first
    QTableWidget* grid = P().Mob.StringGrid_MOBList;
    Receive("$PLMO,R,MBL,972001234,LIFEBUOY PORT");
    Receive("$PLMO,R,MBL,999,NONE");  // an empty entry fills no row
    Receive("$PLMO,R,MBL,972001235,LIFEBUOY STBD");
    Receive("$PLMO,R,MBL,12,RAFT");
    EXPECT_EQ(grid->item(1, 1)->text(), "972001234");
    EXPECT_EQ(grid->item(1, 2)->text(), "LIFEBUOY PORT");
    EXPECT_EQ(grid->item(2, 1)->text(), "972001235");
    EXPECT_EQ(grid->item(3, 1)->text(), "000000012");
    EXPECT_EQ(grid->item(3, 2)->text(), "RAFT");
    EXPECT_EQ(grid->item(4, 1)->text(), "");
    EXPECT_EQ(config->Readout().Get<MobTab>().Rows[2].Mmsi, 12u);
    EXPECT_EQ(config->Readout().Get<MobTab>().Rows[3].Mmsi, std::nullopt);
    // Not a reply: not shown.
    Receive("$PLMO,C,MBL,972000009,WAIT");
    EXPECT_EQ(grid->item(4, 1)->text(), "");
    // More than 50 entries: the rest are not shown.
    for (int i = 0; i < 60; ++i)
        Receive("$PLMO,R,MBL,972000100,MORE");
    EXPECT_EQ(grid->item(50, 2)->text(), "MORE");
    EXPECT_EQ(grid->rowCount(), 51);
    // Reading the tab again starts again from row 1.
    SelectTab("TabSheetDestination");
    SelectTab("TabSheetMOB");
    Receive("$PLMO,R,MBL,972000555,FIRST");
    EXPECT_EQ(grid->item(1, 1)->text(), "972000555");
    EXPECT_EQ(grid->item(2, 1)->text(), "");
}

TEST_F(ConfigReplies, DesFillsItsRow) {
    QTableWidget* grid = P().Destination.StringGrid_Destination;
    Receive("$PLMO,R,DES,2,ROTTERDAM");
    Receive("$PLMO,R,DES,10,GDANSK");
    Receive("$PLMO,R,DES,11,NOWHERE");
    Receive("$PLMO,R,DES,0,NOWHERE");
    EXPECT_EQ(grid->item(2, 1)->text(), "ROTTERDAM");
    EXPECT_EQ(grid->item(10, 1)->text(), "GDANSK");
    Receive("$PLMO,C,DES,3,IGNORED");
    EXPECT_EQ(grid->item(3, 1)->text(), "");
}

TEST_F(ConfigReplies, ClrSetsTheLongRangeTabWhateverItsModeLetter) {
    const LongRangePage& lr = P().LongRange;
    Receive("$PLMO,C,CLR,1,1010100001,1,2087,2088");
    EXPECT_EQ(lr.ComboBox_LR_Response->currentIndex(), 1);
    EXPECT_TRUE(lr.CheckBox_LR_Msg27->isChecked());
    EXPECT_EQ(lr.LabeledEdit_LR_ChA->text(), "2087");
    EXPECT_EQ(lr.LabeledEdit_LR_ChB->text(), "2088");
    const bool expected[10] = {true, false, true, false, true, false, false, false, false, true};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(lr.FunctionReply[static_cast<std::size_t>(i)]->isChecked(), expected[i]) << i;
    const ConfigSnapshot s = config->Readout().Snapshot();
    EXPECT_EQ(s.LrResponse, 1);
    EXPECT_EQ(s.Message27, 1);
    EXPECT_EQ(s.ChannelA, 2087);
    EXPECT_EQ(s.FunctionReply[9], 1);
    // A channel too long for its four characters is not available.
    Receive("$PLMO,R,CLR,0,0000000000,0,20870,-5");
    EXPECT_EQ(lr.ComboBox_LR_Response->currentIndex(), 0);
    EXPECT_FALSE(lr.CheckBox_LR_Msg27->isChecked());
    EXPECT_EQ(lr.LabeledEdit_LR_ChA->text(), "");
    EXPECT_EQ(lr.LabeledEdit_LR_ChB->text(), "");
}

}  // namespace
}  // namespace navoro
