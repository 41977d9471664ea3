// Saving the configuration report: the question, the save dialog, the
// overwrite question, an unwritable place and the editor.
#include <sys/stat.h>
#include <unistd.h>

#include "ConfigFixture.h"
#include "config/ConfigReport.h"

namespace navoro {
namespace {

class ReportFlow : public test::ConfigTest {
  protected:
    void SetUp() override {
        ConfigTest::SetUp();
        config->SetClock([] { return ReportTime{2026, 1, 2, 3, 4, 5}; });
        Dump("MMSI:(123456789)");
    }
    std::string Expected() const { return ReportFileText(config->BuildReport()); }
    test::TempFolder folder;
};

TEST_F(ReportFlow, SavesTheReportAndOpensItInTheEditor) {
    const std::string path = folder / "report.TXT";
    prompts.SaveFileNames.push_back(path);
    config->WriteConfigurationReport();
    ASSERT_EQ(prompts.Count(PromptKind::SaveFile), 1);
    // The proposed name is the MMSI, in the documents folder.
    EXPECT_EQ(prompts.Last(PromptKind::SaveFile)->Text, Documents() + "/123456789.TXT");
    EXPECT_EQ(test::ReadFile(path), Expected());
    EXPECT_NE(Expected().find("Ship MMSI = 123456789\r\n"), std::string::npos);
    EXPECT_NE(Expected().find("      Ver 1.2 Build20200221\r\n"), std::string::npos);
    EXPECT_NE(Expected().find("       2026/01/02 03:04:05\r\n"), std::string::npos);
    ASSERT_EQ(prompts.Count(PromptKind::OpenInEditor), 1);
    EXPECT_EQ(prompts.Last(PromptKind::OpenInEditor)->Text, path);
    EXPECT_EQ(prompts.Count(PromptKind::Message), 0);
    // The hidden memo holds the same lines.
    EXPECT_EQ(P().ShipData.MemoRecord->toPlainText().split('\n').size(),
              static_cast<qsizetype>(config->BuildReport().size()));
}

TEST_F(ReportFlow, ADeclinedQuestionOrCancelledDialogWritesNothing) {
    prompts.Answers = {false};
    config->WriteConfigurationReport();
    EXPECT_EQ(prompts.Count(PromptKind::SaveFile), 0);
    config->WriteConfigurationReport();  // OK, then the dialog is cancelled
    EXPECT_EQ(prompts.Count(PromptKind::SaveFile), 1);
    EXPECT_EQ(prompts.Count(PromptKind::OpenInEditor), 0);
}

TEST_F(ReportFlow, AnExistingFileIsReplacedOnlyAfterYes) {
    const std::string path = folder / "old.TXT";
    test::WriteFile(path, "keep me");
    prompts.Answers = {true, false};
    prompts.SaveFileNames.push_back(path);
    config->WriteConfigurationReport();
    EXPECT_EQ(prompts.Last(PromptKind::YesNo)->Text,
              "File already exists. Do you want to overwrite?");
    EXPECT_EQ(prompts.Last(PromptKind::YesNo)->Title, "Warning");
    EXPECT_EQ(test::ReadFile(path), "keep me");
    EXPECT_EQ(prompts.Count(PromptKind::OpenInEditor), 0);

    prompts.Answers = {true, true};
    prompts.SaveFileNames.push_back(path);
    config->WriteConfigurationReport();
    EXPECT_EQ(test::ReadFile(path), Expected());
}

TEST_F(ReportFlow, AnUnwritablePlaceIsReportedAndTheDialogComesBack) {
    const std::string locked = folder / "locked";
    ASSERT_EQ(::mkdir(locked.c_str(), 0500), 0);
    const bool root = ::geteuid() == 0;  // root writes anywhere: use a missing folder then
    const std::string bad = root ? folder / "missing/dir/report.TXT" : locked + "/report.TXT";
    const std::string good = folder / "report";
    prompts.SaveFileNames = {bad, good};
    config->WriteConfigurationReport();
    ASSERT_EQ(prompts.Count(PromptKind::Message), 1);
    const PromptCall* error = prompts.Last(PromptKind::Message);
    EXPECT_EQ(error->Icon, PromptIcon::Error);
    EXPECT_EQ(error->Title, "Error");
    EXPECT_NE(error->Text.find(bad), std::string::npos) << error->Text;
    EXPECT_EQ(prompts.Count(PromptKind::SaveFile), 2);
    EXPECT_EQ(prompts.Calls.back().Kind, PromptKind::OpenInEditor);
    // No extension given: the report's own is added.
    EXPECT_EQ(test::ReadFile(good + ".TXT"), Expected());
    EXPECT_EQ(prompts.Last(PromptKind::OpenInEditor)->Text, good + ".TXT");
}

TEST_F(ReportFlow, NoEditorIsSaidButTheFileStays) {
    prompts.OpenResult = false;
    const std::string path = folder / "r.TXT";
    prompts.SaveFileNames.push_back(path);
    config->WriteConfigurationReport();
    EXPECT_EQ(test::ReadFile(path), Expected());
    ASSERT_EQ(prompts.Count(PromptKind::Message), 1);
    EXPECT_NE(prompts.Last(PromptKind::Message)->Text.find(path), std::string::npos);
}

// The report prints what the device said, not what the tabs show after the
// user's edits.
TEST_F(ReportFlow, TheReportPrintsWhatTheDeviceSaid) {
    Receive("$AIVSD,30,7.2,18,HAMBURG,163000.00,14,06,5,0");
    Dump("[O] Encryption Mode=1");
    Dump("[O] EncryptionKey=ABC123");
    P().Voyage.cbxShipType->setCurrentIndex(4);
    P().Encryption.LabeledEditEncryptionKey->setText("EDITED");
    const std::string text = Expected();
    EXPECT_NE(text.find("Ship Type = 30 = Vessel-Fishing\r\n"), std::string::npos);
    EXPECT_NE(text.find("NAV. Status = 5:moored\r\n"), std::string::npos);
    EXPECT_NE(text.find("Encryption enable = ON\r\nEncryption code = ABC123\r\n"),
              std::string::npos);
    Receive("$AIVSD,30,7.2,18,HAMBURG,163000.00,14,06,,0");
    EXPECT_NE(Expected().find("NAV. Status = \r\n"), std::string::npos);
}

}  // namespace
}  // namespace navoro
