// Reading the device: the tab-change read, "Read Device", the waiting window
// driven by Timer2, and the report offer that follows "Read Device".
#include <QProgressBar>

#include "ConfigFixture.h"

namespace navoro {
namespace {

using ReadWorkflow = test::ConfigTest;

TEST_F(ReadWorkflow, NothingIsReadBeforeTheDumpHasEnded) {
    deviceDataSeen = false;
    SelectTab("TabSheetVoyage");
    form->findChild<QAbstractButton*>("SpeedButtonReload")->click();
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(form->waitingWindow()->isVisible());
    EXPECT_EQ(config->ReportCountdown, 255);
}

TEST_F(ReadWorkflow, EachTabSendsItsQueriesAndShowsTheWaitingWindow) {
    struct Case {
        const char* Tab;
        std::vector<std::string> Queries;
        int Maximum;
    };
    const Case cases[] = {
        {"TabSheetVoyage", {"$AIAIQ,VSD"}, 10},
        {"TabSheetStatic", {"$PTST,,,,,00017", "$AIAIQ,SSD"}, 10},
        {"TabSheetCPA", {"$AIAIQ,CPA"}, 10},
        {"TabSheetTransceiver", {"$AIAIQ,TSV"}, 10},
        {"TabSheetLR", {"$AIAIQ,CLR"}, 10},
        {"TabSheetDestination", {"$AIAIQ,DES"}, 10},
        {"TabSheetMOB", {"$AIAIQ,MBL"}, 50},
        {"TabSheetEncryption", {}, 10},
        {"TabSheetBaudRate",
         {"$PLMO,Q,BAU,-1,", "$PLMO,Q,BAU,0,", "$PLMO,Q,BAU,1,", "$PLMO,Q,BAU,2,", "$PLMO,Q,BAU,3,",
          "$PLMO,Q,BAU,4,", "$PLMO,Q,BAU,5,", "$PLMO,Q,BAU,6,", "$PLMO,Q,BAU,7,", "$PLMO,Q,BAU,8,",
          "$PLMO,Q,BAU,9,"},
         10},
    };
    WaitingWindow* window = form->waitingWindow();
    for (const Case& c : cases) {
        sent.clear();
        Ticks(60);  // the previous read's window has gone
        EXPECT_FALSE(window->isVisible());
        SelectTab(c.Tab);
        EXPECT_EQ(sent, c.Queries) << c.Tab;
        EXPECT_TRUE(window->isVisible()) << c.Tab;
        EXPECT_EQ(window->Bar()->maximum(), c.Maximum) << c.Tab;
        EXPECT_EQ(window->Bar()->value(), 0);
        EXPECT_EQ(window->Label()->text(), "Collecting Data. Please wait...");
    }
}

TEST_F(ReadWorkflow, TheWaitingWindowStaysUpForMaximumPlusOneTicks) {
    SelectTab("TabSheetCPA");
    WaitingWindow* window = form->waitingWindow();
    Ticks(10);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Bar()->value(), 10);
    Ticks(1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->Bar()->value(), 0);
    EXPECT_FALSE(config->ProgressActive());
    // A new read while the window is up starts the bar again.
    SelectTab("TabSheetMOB");
    Ticks(5);
    SelectTab("TabSheetLR");
    EXPECT_EQ(window->Bar()->value(), 0);
    EXPECT_EQ(window->Bar()->maximum(), 10);
}

TEST_F(ReadWorkflow, ListTabsEmptyTheirGridBeforeTheQuery) {
    QTableWidget* mob = P().Mob.StringGrid_MOBList;
    QTableWidget* des = P().Destination.StringGrid_Destination;
    mob->item(3, 2)->setText("OLD");
    des->item(4, 1)->setText("OLD");
    Receive("$PLMO,R,MBL,972000007,EARLIER");
    SelectTab("TabSheetMOB");
    EXPECT_EQ(mob->item(3, 2)->text(), "");
    EXPECT_EQ(mob->item(1, 1)->text(), "972000000");
    // The replies of this read fill the list from its first row.
    Receive("$PLMO,R,MBL,972000001,FIRST");
    EXPECT_EQ(mob->item(1, 1)->text(), "972000001");
    EXPECT_EQ(mob->item(2, 1)->text(), "");
    SelectTab("TabSheetDestination");
    EXPECT_EQ(des->item(4, 1)->text(), "");
    des->item(4, 1)->setText("AGAIN");
    SelectTab("TabSheetStatic");
    SelectTab("TabSheetDestination");
    EXPECT_EQ(des->item(4, 1)->text(), "");
}

TEST_F(ReadWorkflow, ReadDeviceReadsAllButTheListsAndOffersTheReport) {
    Dump("MMSI:(5)");
    Dump("Firmware:1.0");
    prompts.DefaultAnswer = false;  // decline the report
    form->findChild<QAbstractButton*>("SpeedButtonReload")->click();
    ASSERT_EQ(sent.size(), 17u);
    EXPECT_EQ(sent.front(), "$PTST,,,,,00017");
    EXPECT_EQ(sent[4], "$AIAIQ,TSV");
    EXPECT_EQ(sent.back(), "$AIAIQ,CLR");
    EXPECT_EQ(config->Readout().Snapshot().Mmsi, 0);                   // emptied
    EXPECT_TRUE(config->Readout().Identity().Flags.FirmwareReceived);  // the flags are not
    EXPECT_EQ(form->waitingWindow()->Bar()->maximum(), 30);
    EXPECT_EQ(config->ReportCountdown, 35);

    Ticks(34);
    EXPECT_EQ(prompts.Count(PromptKind::OkCancel), 0);
    // A second click within 3.5 s: one offer, 3.5 s after the second click.
    form->findChild<QAbstractButton*>("SpeedButtonReload")->click();
    Ticks(34);
    EXPECT_EQ(prompts.Count(PromptKind::OkCancel), 0);
    Ticks(1);
    ASSERT_EQ(prompts.Count(PromptKind::OkCancel), 1);
    EXPECT_EQ(prompts.Last(PromptKind::OkCancel)->Title, "Save");
    EXPECT_EQ(prompts.Last(PromptKind::OkCancel)->Text, "Do you want to save report?");
    EXPECT_EQ(config->ReportCountdown, 255);
    Ticks(100);
    EXPECT_EQ(prompts.Count(PromptKind::OkCancel), 1);
    EXPECT_EQ(prompts.Count(PromptKind::SaveFile), 0);
}

TEST_F(ReadWorkflow, TheDeviceButtonsShowOnlyOnTheConfigurationPage) {
    auto* main = FindControlAs<QTabWidget>(form.get(), "PageControlMain");
    auto* setting = form->findChild<QAbstractButton*>("SpeedButtonSetting");
    auto* reload = form->findChild<QAbstractButton*>("SpeedButtonReload");
    main->setCurrentIndex(1);
    EXPECT_TRUE(setting->isHidden());
    EXPECT_TRUE(reload->isHidden());
    main->setCurrentIndex(0);
    EXPECT_FALSE(setting->isHidden());
    EXPECT_FALSE(reload->isHidden());
}

}  // namespace
}  // namespace navoro
