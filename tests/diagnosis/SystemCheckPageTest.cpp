// The SYSTEM CHECK page: rows, counters, pictures, "Reset checks".
#include <QToolButton>

#include "PagesFixture.h"
#include "diagnosis/SystemCheckPage.h"

namespace navoro {
namespace {

class SystemCheckPageTest : public test::PagesTest {
  protected:
    SystemCheckPage& Page() { return pages->SystemCheck(); }
    std::vector<bool> Pictures() {
        std::vector<bool> passed;
        for (int row = 0; row < kSystemCheckRows; ++row)
            passed.push_back(Page().Passed(static_cast<SystemCheckRow>(row)));
        return passed;
    }
    QImage Picture(const char* name) { return Control<QLabel>(name)->pixmap().toImage(); }
};

TEST_F(SystemCheckPageTest, StartsWithItsCaptionsAndEveryPictureFailed) {
    const std::pair<const char*, const char*> captions[] = {
        {"lblChkFwVer", "Firmware Version"},
        {"lblChkProdSN", "Product Serial No."},
        {"lblChkMMSI", "MMSI "},
        {"lblChkGPS", "GPS"},
        {"lblChkTx", "TX position reports"},
        {"lblChkRx", "RX position reports"},
        {"lblChkTxCntChA", "Channel A: "},
        {"lblChkTxCntChB", "Channel B: "},
        {"lblChkRxCntChA", "Channel A: "},
        {"lblChkRxCntChB", "Channel B: "},
        {"lblValFwVer", "---------"},
        {"lblValProdSN", "---------"},
        {"lblValMMSI", "---------"},
        {"lblValGps", "N/A"},
        {"lblValTxCntA", "0"},
        {"lblValTxCntB", "0"},
        {"lblValRxCntA", "0"},
        {"lblValRxCntB", "0"},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(Text(name), caption) << name;
    EXPECT_EQ(Control<QToolButton>("SpeedButtonClearCheck")->text(), "Reset checks");
    EXPECT_EQ(Pictures(), std::vector<bool>(6, false));
    const QImage failed = Picture("ImageChkFwVer");
    EXPECT_EQ(failed.size(), QSize(32, 32));
    for (const char* name :
         {"ImageChkProdSN", "ImageChkMMSI", "ImageChkGps", "ImageChkTx", "ImageChkRx"})
        EXPECT_EQ(Picture(name), failed) << name;
}

TEST_F(SystemCheckPageTest, TickShowsTheReportsPerChannel) {
    test::OwnReport own;
    own.Mmsi = 211000001;
    Dispatch(test::PositionReportSentence("VDO", "A", own));
    Dispatch(test::PositionReportSentence("VDO", "A", own));
    Dispatch(test::PositionReportSentence("VDO", "B", own));
    Dispatch(test::PositionReportSentence("VDO", "", own));
    Dispatch(test::PositionReportSentence("VDM", "", {}));
    // Nothing changes until the timer ticks.
    EXPECT_EQ(Text("lblValTxCntA"), "0");
    timer.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Text("lblValTxCntA") == "2"; }, 3000));
    timer.stop();
    EXPECT_EQ(Text("lblValTxCntB"), "1");
    EXPECT_EQ(Text("lblValRxCntA"), "0");
    EXPECT_EQ(Text("lblValRxCntB"), "1");
    EXPECT_EQ(Text("lblValMMSI"), " 211000001");
    EXPECT_EQ(Text("lblValGps"), "Fixed");
    EXPECT_EQ(Text("lblValFwVer"), "---------");
    EXPECT_EQ(Pictures(), (std::vector<bool>{false, false, true, true, true, true}));
    EXPECT_NE(Picture("ImageChkTx"), Picture("ImageChkFwVer"));

    pages->Link.ReadSnapshot = [] {
        return SystemCheckSnapshot{true, "V2.1.7", true, "LM0001", true, 987654321};
    };
    Page().TimerUpdateSysChkTimer();
    EXPECT_EQ(Text("lblValFwVer"), "V2.1.7");
    EXPECT_EQ(Text("lblValProdSN"), "LM0001");
    EXPECT_EQ(Text("lblValMMSI"), " 987654321");
    EXPECT_EQ(Pictures(), std::vector<bool>(6, true));
}

TEST_F(SystemCheckPageTest, AfterADisconnectThePageSaysItShowsTheLastConnection) {
    bool linked = true;
    pages->Link.Linked = [&] { return linked; };
    test::OwnReport own;
    own.Mmsi = 211000001;
    Dispatch(test::PositionReportSentence("VDO", "A", own));
    Page().TimerUpdateSysChkTimer();
    EXPECT_EQ(Text("lblChkLinkState"), "");
    EXPECT_EQ(Text("lblValGps"), "Fixed");
    EXPECT_TRUE(Page().Passed(kCheckGps));

    linked = false;  // the timer runs on through the disconnect
    Page().TimerUpdateSysChkTimer();
    EXPECT_EQ(Text("lblChkLinkState"),
              QString::fromUtf8("Disconnected \u2014 results of the last connection"));
    EXPECT_EQ(Text("lblValGps"), "Stale (last: Fixed)");
    EXPECT_FALSE(Page().Passed(kCheckGps));
    EXPECT_EQ(Text("lblValTxCntA"), "1");  // the counters are kept
    EXPECT_TRUE(Page().Passed(kCheckTx));

    linked = true;
    Page().TimerUpdateSysChkTimer();
    EXPECT_EQ(Text("lblChkLinkState"), "");
}

TEST_F(SystemCheckPageTest, ResetChecksClearsAtOnceAndAsksAgainASecondLater) {
    bool flagsCleared = false;
    pages->Link.ClearSnapshotFlags = [&] { flagsCleared = true; };
    pages->Link.ReadSnapshot = [&] {
        return flagsCleared ? SystemCheckSnapshot{}
                            : SystemCheckSnapshot{true, "V2", true, "S1", true, 123};
    };
    Dispatch(test::PositionReportSentence("VDO", "A"));
    Dispatch(test::PositionReportSentence("VDM", "A"));
    Page().TimerUpdateSysChkTimer();
    ASSERT_EQ(Pictures(), std::vector<bool>(6, true));

    // While the reset waits, the rows already show their placeholders and
    // nothing has been sent.
    std::vector<QString> duringWait;
    prompts.OnCall = [&](const PromptCall& call) {
        if (call.Kind != PromptKind::Sleep) return;
        for (const char* name : {"lblValFwVer", "lblValMMSI", "lblValProdSN", "lblValGps",
                                 "lblValTxCntA", "lblValTxCntB", "lblValRxCntA", "lblValRxCntB"})
            duringWait.push_back(Text(name));
        EXPECT_TRUE(written.empty());
        EXPECT_EQ(Pictures(), std::vector<bool>(6, false));
    };
    Control<QToolButton>("SpeedButtonClearCheck")->click();
    EXPECT_EQ(duringWait, (std::vector<QString>{"---------", "000000000", "---------", "Lost", "0",
                                                "0", "0", "0"}));
    EXPECT_EQ(prompts.SleptMilliseconds(), 1000);
    EXPECT_EQ(written, (std::vector<std::string>{"$PTST,,,,,00017*19\r\n"}));
    EXPECT_EQ(codec->Targets.Entry(0).Mmsi, 0u);
    EXPECT_EQ(Page().Counters().TxCountA, 0);
}

}  // namespace
}  // namespace navoro
