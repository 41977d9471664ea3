// Writing the device from the real main window, offscreen: "Config Device"
// on each tab sends the tab's sentences in order with the waits between them,
// a broken input rule selects its cell and sends nothing, a failed send stops
// the write and says so, the grids' editors apply the key rule, and the
// maintenance dialog sends the factory restore or builds the serial-number
// sentence.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ConfigFixture.h"
#include "codec/Composer.h"
#include "config/GridEditing.h"
#include "config/MaintenanceDialog.h"

namespace navoro {
namespace {

using Lines = std::vector<std::string>;

// The configuration tabs with every send recorded (without its checksum),
// sends failing from `failFrom` on.
class WriteWorkflow : public test::ConfigTest {
  protected:
    bool Sends() override { return !(failFrom >= 0 && sends++ >= failFrom); }

    // Selects the tab (its read goes out first and is forgotten) and clicks
    // "Config Device", answering the question with `ok`.
    void Write(const char* tab, bool ok = true) {
        SelectTab(tab);
        Ticks(60);
        sent.clear();
        sends = 0;
        prompts.Calls.clear();
        prompts.Answers = {ok};
        form->findChild<QAbstractButton*>("SpeedButtonSetting")->click();
    }

    std::vector<int> Sleeps() const {
        std::vector<int> ms;
        for (const PromptCall& call : prompts.Calls)
            if (call.Kind == PromptKind::Sleep) ms.push_back(call.Milliseconds);
        return ms;
    }
    const PromptCall* LastBox() const { return prompts.Last(PromptKind::Message); }

    int failFrom = -1;
    int sends = 0;
    SendResult& composedFailure = failure;
};

TEST_F(WriteWorkflow, ConfigDeviceAsksFirstAndCancelSendsNothing) {
    Write("TabSheetTransceiver", /*ok=*/false);
    const PromptCall* question = prompts.Last(PromptKind::OkCancel);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->Title, "Configuration");
    EXPECT_EQ(question->Text, "Do you want to configure the device?");
    EXPECT_TRUE(sent.empty());
}

// Each tab's write with what a user would have on the tab.
struct TabWrite {
    const char* Tab;
    std::function<void(ConfigPages&)> Edit;
    Lines Sentences;
    std::vector<int> Sleeps;
};

TEST_F(WriteWorkflow, EachTabSendsItsSentencesInOrder) {
    std::vector<int> rateWaits(8, 100);
    rateWaits.insert(rateWaits.end(), {300, 300, 300, 600});
    Lines rates;
    for (const char* port : {"3", "4", "5", "6", "7", "8", "9"})
        rates.push_back(std::string("$PLMO,C,BAU,") + port + ",38400");
    rates.push_back("$PLMO,C,BAU,-1,57600");
    rates.push_back("$PDBG,701,1000,,,,,,");
    Lines destinations;
    for (int row = 1; row <= 10; ++row)
        destinations.push_back("$PLMO,C,DES," + std::to_string(row) + ",");

    const TabWrite cases[] = {
        {"TabSheetStatic",
         [](ConfigPages& p) {
             p.ShipData.MaskEditMMSI->setText("211457320");
             p.ShipData.lblEdtName->setText("NORDIC TRADER");
             p.ShipData.CSpinEditA->setValue(62);
             p.ShipData.CSpinEditExtD->setValue(8);
         },
         // The tab is read back afterwards. DTE was never read: it goes out
         // empty, and the device keeps its own.
         {"$PMID,211457320,000000000", "$ECSSD,,NORDIC TRADER,62,0,0,0,,AI",
          "$ECSSD,,NORDIC TRADER,0,0,0,8,,GP", "$PTST,,,,,00017", "$AIAIQ,SSD"},
         {}},
        {"TabSheetVoyage", [](ConfigPages&) {}, {"$ECVSD,20,00.0,1,,000000.00,17,01,,"}, {}},
        {"TabSheetCPA",
         [](ConfigPages& p) {
             p.Cpa.MaskEditCPA->setText("12.3");
             p.Cpa.CSpinEditTCPA->setValue(30);
             p.Cpa.ComboBoxCpaAlarmType->setCurrentIndex(1);
         },
         {"$PDBG,045,123,046,30,047,0,,"},
         {}},
        {"TabSheetTransceiver", [](ConfigPages&) {}, {"$PLMO,C,DBG,30,0,101,1,102,0,122,0"}, {}},
        {"TabSheetBaudRate", [](ConfigPages& p) { p.BaudRate.cbxBaud_USB->setCurrentIndex(1); },
         rates, rateWaits},
        {"TabSheetLR",
         [](ConfigPages& p) {
             for (const int item : {0, 2, 4})
                 p.LongRange.FunctionReply[static_cast<std::size_t>(item)]->setChecked(true);
         },
         {"$AICLR,0,1010100000,0,2002,2003"},
         {}},
        {"TabSheetDestination", [](ConfigPages&) {}, destinations, std::vector<int>(10, 100)},
        {"TabSheetMOB",
         [](ConfigPages& p) { p.Mob.StringGrid_MOBList->item(1, 2)->setText("lifebuoy"); },
         {"$PLMO,C,MBL,972000000,LIFEBUOY"},
         std::vector<int>(50, 100)},
        {"TabSheetEncryption",
         [](ConfigPages& p) { p.Encryption.CheckBoxEnableEncryption->setChecked(true); },
         {"$PLMO,C,DBG,701,3015,,,,,,"},
         {}},
    };
    for (const TabWrite& c : cases) {
        SCOPED_TRACE(c.Tab);
        SelectTab(c.Tab);
        Ticks(60);
        c.Edit(P());
        Write(c.Tab);
        EXPECT_EQ(sent, c.Sentences);
        EXPECT_EQ(Sleeps(), c.Sleeps);
        EXPECT_EQ(prompts.Count(PromptKind::Message),
                  std::string(c.Tab) == "TabSheetBaudRate" ? 1 : 0);
        EXPECT_FALSE(form->waitingWindow()->isVisible());
    }
    // The MOB name went out in upper case and stays so in the grid.
    EXPECT_EQ(P().Mob.StringGrid_MOBList->item(1, 2)->text(), "LIFEBUOY");
}

// A value the tab could not show (out of range or blank in the device's
// reply) is written as an empty field, so the device keeps it; the tab's other
// values go out as shown.
struct UnshownValue {
    const char* Tab;
    Lines Replies;         // replies, or information lines when they start with '['
    std::string Expected;  // the sentence of the write that carries the field
    std::function<void(const ConfigPages&)> Then = nullptr;
};

TEST_F(WriteWorkflow, AValueThatWasNotShownIsWrittenAsAnEmptyField) {
    Lines rates;
    for (const char* port : {"3", "5", "6", "7", "8", "9"})
        rates.push_back(std::string("$PLMO,C,BAU,") + port + ",38400");
    const UnshownValue cases[] = {
        {"TabSheetTransceiver", {"[DeviceInstance]=300"}, "$PLMO,C,DBG,30,0,101,1,102,0,122,"},
        {"TabSheetTransceiver", {"[DeviceInstance]=-1"}, "$PLMO,C,DBG,30,0,101,1,102,0,122,"},
        {"TabSheetVoyage",
         {"$AIVSD,30,25.6,18,HAMBURG,163000.00,14,06,5,0"},
         "$ECVSD,30,,18,HAMBURG,163000.00,14,06,5,"},
        {"TabSheetVoyage",
         {"$AIVSD,30,,18,HAMBURG,163000.00,14,06,5,0"},
         "$ECVSD,30,,18,HAMBURG,163000.00,14,06,5,"},
        {"TabSheetVoyage",
         {"$AIVSD,71,7.2,8192,HAMBURG,163000.00,14,06,16,0"},
         "$ECVSD,,07.2,,HAMBURG,163000.00,14,06,,"},
        {"TabSheetCPA", {"$PLMO,R,CPA,45,1000,46,15,47,1,,"}, "$PDBG,045,,046,15,047,1,,"},
        {"TabSheetCPA", {"$PLMO,R,CPA,45,25,46,150,47,0,,"}, "$PDBG,045,25,046,,047,0,,"},
        {"TabSheetStatic", {"$AISSD,AB,NAME,,600,64,63,0,AI"}, "$ECSSD,AB,NAME,,,,63,0,AI"},
        // An inland value outside 0-800.0 m, or blank: empty, and nothing
        // derived from it changes another field.
        {"TabSheetStatic",
         {"[AIS MODE]= INLAND", "$PIWWSSD,,,900.0,11.4,,,,90.5,5.2,20.0,3.0*00"},
         "$PIWWSSD,,,,11.4,,,,90.5,05.2,20.0,03.0"},
        {"TabSheetStatic",
         {"[AIS MODE]= INLAND", "$PIWWSSD,,,110.0,11.4,,,,,5.2,820.5,*00"},
         "$PIWWSSD,,,110.0,11.4,,,,,05.2,,",
         [](const ConfigPages& p) {
             const ShipDataPage& s = p.ShipData;
             EXPECT_EQ(s.EditInlandShipLength->text(), "110.0");
             EXPECT_EQ(s.CSpin_InlandEditB->text(), "xxx.x");
             EXPECT_EQ(s.CSpin_InlandEditA->text(), "xxx.x");
             EXPECT_EQ(s.CSpinEditInlandExtA->text(), "xxx.x");
             EXPECT_EQ(s.CSpin_InlandEditD->text(), "06.2");
             EXPECT_EQ(s.CSpinEditInlandExtD->text(), "xxx.x");
         }},
        {"TabSheetBaudRate", {"$PLMO,R,BAU,4,1234"}, ""},
    };
    for (const UnshownValue& c : cases) {
        SCOPED_TRACE(c.Tab + (" " + c.Replies.back()));
        SetUp();  // a fresh window
        SelectTab(c.Tab);
        Ticks(60);
        for (const std::string& reply : c.Replies) {
            if (reply[0] == '[' || reply.rfind("$PIWWSSD", 0) == 0)
                Dump(reply);
            else
                Receive(reply);
        }
        Write(c.Tab);
        if (std::string(c.Tab) == "TabSheetBaudRate") {
            // The port whose rate was not shown keeps it: no BAU for port 4.
            const Lines bau(sent.begin(), sent.begin() + 6);
            EXPECT_EQ(bau, rates);
            EXPECT_EQ(sent[6], "$PLMO,C,BAU,-1,115200");
            continue;
        }
        EXPECT_NE(std::find(sent.begin(), sent.end(), c.Expected), sent.end())
            << "sent: " << ::testing::PrintToString(sent);
        if (c.Then) c.Then(P());
    }
}

TEST_F(WriteWorkflow, TheRateWriteStepsTheWaitingWindowThenDisconnectsAndSaysSo) {
    WaitingWindow* window = form->waitingWindow();
    std::vector<int> bar;
    prompts.OnCall = [&](const PromptCall& call) {
        if (call.Kind != PromptKind::Sleep) return;
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->Label()->text(), "Setting Data. Please wait...");
        EXPECT_EQ(window->Bar()->maximum(), 12);
        EXPECT_EQ(disconnects, 0);
        bar.push_back(window->Bar()->value());
    };
    P().BaudRate.cbxBaud_DGPS->setCurrentIndex(-1);  // no selection: its port keeps its rate
    Write("TabSheetBaudRate");
    EXPECT_EQ(bar, std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(window->Bar()->value(), 12);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(P().BaudRate.cbxBaud_DGPS->currentIndex(), -1);
    EXPECT_EQ(sent.size(), 8u);  // seven ports and the restart command
    EXPECT_EQ(disconnects, 1);
    ASSERT_NE(LastBox(), nullptr);
    EXPECT_EQ(LastBox()->Text, "The baud rates of the device have been changed.");
}

// A broken rule: the offending cell or field is selected when the message
// shows, and nothing is sent.
struct RuleCase {
    const char* Tab;
    std::function<void(ConfigPages&)> Edit;
    const char* Message;  // a part of it
    const char* Control;
    int Row, Column;
};

// When every sentence of a write went out a note says so and then fades;
// SHIP DATA's note waits for its read-back. A refused or failed write has none.
TEST_F(WriteWorkflow, AFinishedWriteSaysSoInANoteThatFades) {
    const auto note = [this] { return form->findChild<QLabel*>("lblWriteNote"); };

    P().Cpa.CSpinEditTCPA->setValue(30);
    Write("TabSheetCPA");
    ASSERT_NE(note(), nullptr);
    EXPECT_FALSE(note()->isHidden());
    EXPECT_EQ(note()->text(), "Written to the device: CPA");
    EXPECT_TRUE(QTest::qWaitFor([&] { return note()->isHidden(); }, 8000));

    Write("TabSheetStatic");
    EXPECT_TRUE(note()->isHidden());
    Receive("$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI");
    EXPECT_FALSE(note()->isHidden());
    EXPECT_EQ(note()->text(), "Written to the device: SHIP DATA");
    note()->hide();

    // Without a read-back the note still comes, a little later.
    Write("TabSheetStatic");
    EXPECT_TRUE(note()->isHidden());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !note()->isHidden(); }, 5000));
    note()->hide();

    P().Voyage.edtDraught->setText("x");
    Write("TabSheetVoyage");
    EXPECT_TRUE(note()->isHidden());
    P().Voyage.edtDraught->setText("3");
    failFrom = 0;
    Write("TabSheetVoyage");
    EXPECT_TRUE(note()->isHidden());
}

TEST_F(WriteWorkflow, ABrokenRuleSelectsTheCellSaysWhyAndSendsNothing) {
    const auto mob = [](std::vector<std::pair<int, const char*>> rows) {
        return [rows](ConfigPages& p) {
            for (const auto& [row, mmsi] : rows) {
                p.Mob.StringGrid_MOBList->item(row, 1)->setText(mmsi);
                p.Mob.StringGrid_MOBList->item(row, 2)->setText("NAME");
            }
        };
    };
    const RuleCase cases[] = {
        {"TabSheetMOB", mob({{1, "123456789"}}), kMobMmsiMessage, "StringGrid_MOBList", 1, 1},
        {"TabSheetMOB", mob({{1, "972000001"}, {3, "972000001"}}), kMobDuplicateMessage,
         "StringGrid_MOBList", 3, 1},
        {"TabSheetMOB",
         [](ConfigPages& p) {
             p.Mob.StringGrid_MOBList->item(1, 2)->setText("RAFT");
             p.Mob.StringGrid_MOBList->item(44, 1)->setText("972000044");
         },
         "name", "StringGrid_MOBList", 44, 2},
        {"TabSheetDestination",
         [](ConfigPages& p) { p.Destination.StringGrid_Destination->item(6, 1)->setText("A$B"); },
         "destination", "StringGrid_Destination", 6, 1},
        {"TabSheetStatic", [](ConfigPages& p) { p.ShipData.MaskEditMMSI->setText(""); }, "MMSI",
         "MaskEditMMSI", -1, -1},
        {"TabSheetStatic", [](ConfigPages& p) { p.ShipData.lblEdtName->setText("SEA,HORSE"); },
         "name", "lblEdtName", -1, -1},
        {"TabSheetVoyage", [](ConfigPages& p) { p.Voyage.edtDraught->setText("x"); }, "draught",
         "edtDraught", -1, -1},
        {"TabSheetLR", [](ConfigPages& p) { p.LongRange.LabeledEdit_LR_ChA->setText(""); },
         "channel", "LabeledEdit_LR_ChA", -1, -1},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(std::string(c.Tab) + " " + c.Message);
        SetUp();  // a new window for each case
        SelectTab(c.Tab);
        Ticks(60);
        c.Edit(P());
        QWidget* control = form->findChild<QWidget*>(c.Control);
        ASSERT_NE(control, nullptr);
        bool selected = false;
        prompts.OnCall = [&](const PromptCall& call) {
            if (call.Kind != PromptKind::Message) return;
            if (auto* grid = qobject_cast<QTableWidget*>(control)) {
                selected = grid->currentRow() == c.Row && grid->currentColumn() == c.Column;
            } else {
                selected = form->focusWidget() == control;
            }
        };
        Write(c.Tab);
        prompts.OnCall = nullptr;
        EXPECT_TRUE(sent.empty());
        EXPECT_TRUE(Sleeps().empty());
        ASSERT_NE(LastBox(), nullptr);
        EXPECT_EQ(LastBox()->Title, "Warning");
        EXPECT_NE(LastBox()->Text.find(c.Message), std::string::npos) << LastBox()->Text;
        EXPECT_TRUE(selected);
        EXPECT_FALSE(form->waitingWindow()->isVisible());
    }
}

TEST_F(WriteWorkflow, ASendThatFailsStopsTheWriteAndSaysSo) {
    failFrom = 3;
    Write("TabSheetDestination");
    EXPECT_EQ(sent, Lines({"$PLMO,C,DES,1,", "$PLMO,C,DES,2,", "$PLMO,C,DES,3,"}));
    EXPECT_EQ(Sleeps().size(), 4u);  // no wait after the failed send
    ASSERT_NE(LastBox(), nullptr);
    EXPECT_EQ(LastBox()->Title, "Error");
    EXPECT_NE(LastBox()->Text.find("Serial port open error! Please check!"), std::string::npos);
    EXPECT_NE(LastBox()->Text.find("stopped after 3 of 10"), std::string::npos);
    EXPECT_FALSE(form->waitingWindow()->isVisible());

    // Nothing sent at all, while disconnected.
    failFrom = 0;
    Write("TabSheetTransceiver");
    EXPECT_TRUE(sent.empty());
    EXPECT_NE(LastBox()->Text.find("Nothing was written"), std::string::npos);

    // A composed send whose failure the send path has shown: no second box,
    // no read-back.
    failFrom = 1;
    composedFailure = SendResult::FailedReported;
    Write("TabSheetStatic");
    EXPECT_EQ(sent, Lines({"$PMID,000000000,000000000"}));
    EXPECT_EQ(prompts.Count(PromptKind::Message), 0);

    // The rate write stops before the restart command and keeps the link.
    failFrom = 8;
    composedFailure = SendResult::Failed;
    Write("TabSheetBaudRate");
    EXPECT_EQ(sent.size(), 8u);
    EXPECT_EQ(disconnects, 0);
    EXPECT_EQ(LastBox()->Title, "Error");
}

TEST_F(WriteWorkflow, GridEditorsApplyTheKeyRuleAndAWriteTakesTheOpenEditorsText) {
    SelectTab("TabSheetDestination");
    Ticks(60);
    QTableWidget* des = P().Destination.StringGrid_Destination;
    des->setCurrentCell(2, 1);
    des->editItem(des->item(2, 1));
    auto* editor = des->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "rot*{x");
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(editor->text(), "ROT??");
    QTest::keyClicks(editor, "terdam harbour west quay");
    EXPECT_EQ(editor->text().size(), 20);
    // Still being edited when "Config Device" is clicked.
    Write("TabSheetDestination");
    ASSERT_EQ(sent.size(), 10u);
    EXPECT_EQ(sent[1], "$PLMO,C,DES,2,ROT??TERDAM HARBOUR ");
    EXPECT_EQ(des->item(2, 1)->text(), "ROT??TERDAM HARBOUR ");

    SelectTab("TabSheetMOB");
    Ticks(60);
    QTableWidget* mob = P().Mob.StringGrid_MOBList;
    mob->setCurrentCell(4, 2);
    // Selecting a cell of a row without an MMSI gives it the default one.
    EXPECT_EQ(mob->item(4, 1)->text(), "972000000");
    mob->item(1, 1)->setText("972000123");
    mob->setCurrentCell(1, 2);
    EXPECT_EQ(mob->item(1, 1)->text(), "972000123");
    mob->setCurrentCell(4, 1);
    mob->editItem(mob->item(4, 1));
    auto* mmsi = mob->findChild<QLineEdit*>();
    ASSERT_NE(mmsi, nullptr);
    mmsi->clear();
    QTest::keyClicks(mmsi, "97a2-00 0777x12");
    EXPECT_EQ(mmsi->text(), "972000777");
    CommitGridEdits(mob);
    EXPECT_EQ(mob->item(4, 1)->text(), "972000777");
    EXPECT_EQ(MobCellRule(0).MaxLength, 0);  // the row numbers

    QLineEdit* key = P().Encryption.LabeledEditEncryptionKey;
    key->clear();
    QTest::keyClicks(key, "ab-C1 !z");
    EXPECT_EQ(key->text(), "abC1z");
}

// The maintenance dialog, its sends recorded.
class Maintenance : public WriteWorkflow {
  protected:
    void SetUp() override {
        WriteWorkflow::SetUp();
        dialog = form->maintenance();
        dialog->Send = [this](const std::string& line) {
            if (!Sends()) return composedFailure;
            sent.push_back(line);
            return SendResult::Sent;
        };
    }
    void Open(const char* item) { form->findChild<QAction*>(item)->trigger(); }
    void Press(const char* typed) {
        QTest::keyClicks(dialog->EditVerifyPassword, typed);
        dialog->SB_Command->click();
    }
    MaintenanceDialog* dialog = nullptr;
};

TEST_F(Maintenance, TheMaintenanceCodeSendsTheFactoryRestoreOnce) {
    Open("mnuFactoryRestore");
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Factory Restore");
    EXPECT_EQ(dialog->LabelActivedTitle->text(), "Please enter the maintenance code.");
    EXPECT_EQ(dialog->EditVerifyPassword->placeholderText(), "Key-in maintenance code here");
    EXPECT_EQ(dialog->SB_Command->text(), "Restore");
    Press("61528037");
    EXPECT_EQ(sent, Lines({test::Sentence("$PDBG,701,5,,,,,,")}));
    EXPECT_FALSE(dialog->isVisible());

    // A wrong code, letters, or nothing typed: nothing, silently.
    for (const char* typed : {"61528036", "Key-in m", ""}) {
        sent.clear();
        Open("mnuFactoryRestore");
        EXPECT_TRUE(dialog->EditVerifyPassword->text().isEmpty());
        Press(typed);
        EXPECT_TRUE(sent.empty()) << typed;
        EXPECT_FALSE(dialog->isVisible());
    }
    EXPECT_EQ(prompts.Count(PromptKind::Message), 0);

    // A restore that could not be sent, unseen by the send path: said.
    failFrom = 0;
    Open("mnuFactoryRestore");
    Press("61528037");
    ASSERT_NE(LastBox(), nullptr);
    EXPECT_NE(LastBox()->Text.find("factory restore command was not sent"), std::string::npos);
}

TEST_F(Maintenance, TheSerialNumberSentenceGoesToTheDataLogsCommandField) {
    // The data log's command field (its own page fills the tab in the program).
    QWidget* dataLog = form->findChild<QWidget*>("TabSheetDataLog");
    ASSERT_NE(dataLog, nullptr);
    auto* command = form->findChild<QLineEdit*>("EditSendCommand");
    if (!command) {
        command = new QLineEdit(dataLog);
        command->setObjectName("EditSendCommand");
    }
    Open("mnuSerialNumberSentence");
    EXPECT_EQ(dialog->windowTitle(), "Generate Serial Number Sentence");
    EXPECT_EQ(dialog->LabelActivedTitle->text(), "Please enter the new serial number.");
    EXPECT_EQ(dialog->EditVerifyPassword->placeholderText(), "Key-in new serial number here");
    EXPECT_EQ(dialog->SB_Command->text(), "Generate");
    Press("");  // the prompt only: nothing
    EXPECT_TRUE(command->text().isEmpty());

    Open("mnuSerialNumberSentence");
    Press("AB12,34");  // the comma cannot be typed
    EXPECT_EQ(command->text(), "$PTPS,1,AB1234*31");
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(form->findChild<QTabWidget*>("PageControlDiagnosis")->currentWidget(), dataLog);
    EXPECT_EQ(form->findChild<QTabWidget*>("PageControlMain")->currentIndex(), 1);
    EXPECT_FALSE(dialog->isVisible());

    Open("mnuSerialNumberSentence");
    Press("SN-26/7$^");  // a hyphen and a slash go in; $ and ^ cannot be typed
    EXPECT_TRUE(command->text().startsWith("$PTPS,1,SN-26/7*"));

    // Back to mode 0: its texts again.
    Open("mnuFactoryRestore");
    EXPECT_EQ(dialog->SB_Command->text(), "Restore");
    EXPECT_EQ(dialog->EditVerifyPassword->maxLength(), 8);
}

}  // namespace
}  // namespace navoro
