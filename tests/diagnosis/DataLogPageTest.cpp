// The DATA LOG page: batched lines, the cap, Save, Clear and Send Command.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>

#include "PagesFixture.h"
#include "diagnosis/DataLogPage.h"

namespace navoro {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class DataLogPageTest : public test::PagesTest {
  protected:
    DataLogPage& Page() { return pages->DataLog(); }
    std::vector<std::string> Lines() { return Page().LogLines(); }
    void Log(std::initializer_list<const char*> lines) {
        for (const char* line : lines)
            Page().LogLine(line);
    }
    QTemporaryDir dir;
};

TEST_F(DataLogPageTest, Controls) {
    auto* enable = Control<QCheckBox>("cbxEnableLog");
    EXPECT_EQ(enable->text(), "Enable Log");
    EXPECT_FALSE(enable->isChecked());
    EXPECT_FALSE(pages->LogEnabled());
    enable->setChecked(true);
    EXPECT_TRUE(pages->LogEnabled());
    EXPECT_TRUE(Control<QCheckBox>("cbxAddTimeStamp")->isHidden());
    EXPECT_EQ(Control<QPushButton>("btnSaveLog")->text(), "Save");
    EXPECT_EQ(Control<QPushButton>("btnClearLog")->text(), "Clear");
    EXPECT_EQ(Control<QPushButton>("ButtonCustomSendCommand")->text(), "Send Command");
    EXPECT_EQ(Text("Label11"), "Enter command below");
    EXPECT_EQ(Control<QLineEdit>("EditSendCommand")->maxLength(), 84);
    EXPECT_EQ(Control("Panel4")->height(), 65);
    EXPECT_EQ(Control<QPlainTextEdit>("MemoDataLog")->maximumBlockCount(), 50000);
    EXPECT_TRUE(Text("lblLogLimit").contains("50")) << Text("lblLogLimit").toStdString();
}

TEST_F(DataLogPageTest, LinesAppearInBatchesInOrderAsTheyArrived) {
    ShowPage(2);
    Log({"", "$GPGGA,1", std::string(100, 'x').c_str(), "", "last"});
    EXPECT_TRUE(Lines().empty());  // not yet shown
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Lines().empty(); }, 2000));
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"", "$GPGGA,1", std::string(100, 'x'), "", "last"}));
    Log({"more"});
    Page().FlushDataLog();
    EXPECT_EQ(Lines().size(), 6u);
    EXPECT_EQ(Lines().back(), "more");
}

TEST_F(DataLogPageTest, EveryByteOfALineSurvivesTheLogAndTheFile) {
    std::string line;
    for (int c = 1; c < 256; ++c) {
        if (c != '\r' && c != '\n') line += static_cast<char>(c);
    }
    Page().LogLine(line);
    Page().LogLine("\xA0 nbsp");
    Page().FlushDataLog();
    EXPECT_EQ(Lines(), (std::vector<std::string>{line, "\xA0 nbsp"}));
    const std::string path = (dir.path() + "/all.TXT").toStdString();
    prompts.SaveFileNames.push_back(path);
    Page().btnSaveLogClick();
    EXPECT_EQ(ReadAll(path), line + "\r\n\xA0 nbsp\r\n");
}

TEST_F(DataLogPageTest, OutOfSightTheLogCatchesUpWhenShown) {
    ShowPage(0);
    Log({"a", "b"});
    QTest::qWait(200);
    ShowPage(0);
    EXPECT_TRUE(Lines().empty());
    ShowPage(2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Lines().size() == 2; }, 2000));
}

TEST_F(DataLogPageTest, KeepsTheNewestLinesUpToItsCap) {
    // A page of its own with a cap of 5 lines.
    QWidget sheet;
    DiagnosisLink link;
    DataLogPage page(&sheet, prompts, messages, link, 5);
    for (int i = 1; i <= 8; ++i)
        page.LogLine(std::to_string(i));
    page.FlushDataLog();
    EXPECT_EQ(page.LogLines(), (std::vector<std::string>{"4", "5", "6", "7", "8"}));
    for (int i = 9; i <= 10; ++i)
        page.LogLine(std::to_string(i));
    page.FlushDataLog();
    EXPECT_EQ(page.LogLines(), (std::vector<std::string>{"6", "7", "8", "9", "10"}));
}

TEST_F(DataLogPageTest, SaveWritesWhatIsShownAfterTheOverwriteQuestion) {
    Log({"a", "b"});
    const std::string path = (dir.path() + "/log").toStdString();
    // Cancelled dialog: nothing.
    Page().btnSaveLogClick();
    EXPECT_EQ(prompts.Count(PromptKind::SaveFile), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path + ".TXT")));
    // A name without extension gets ".TXT"; the lines still waiting are saved too.
    prompts.SaveFileNames.push_back(path);
    Page().btnSaveLogClick();
    EXPECT_EQ(ReadAll(path + ".TXT"), "a\r\nb\r\n");
    EXPECT_EQ(prompts.Count(PromptKind::YesNo), 0);

    // Existing file, answer No: unchanged.
    Log({"c"});
    prompts.SaveFileNames.push_back(path + ".TXT");
    prompts.Answers.push_back(false);
    Page().btnSaveLogClick();
    const PromptCall* question = prompts.Last(PromptKind::YesNo);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->Title, "WARNING");
    EXPECT_EQ(question->Text, "File already exists. Do you want to overwrite?");
    EXPECT_EQ(ReadAll(path + ".TXT"), "a\r\nb\r\n");
    // Yes: replaced.
    prompts.SaveFileNames.push_back(path + ".TXT");
    prompts.Answers.push_back(true);
    Page().btnSaveLogClick();
    EXPECT_EQ(ReadAll(path + ".TXT"), "a\r\nb\r\nc\r\n");
}

TEST_F(DataLogPageTest, SaveToAnUnwritablePlaceSaysSo) {
    Log({"a"});
    prompts.SaveFileNames.push_back((dir.path() + "/missing/folder/log.TXT").toStdString());
    Page().btnSaveLogClick();
    const PromptCall* error = prompts.Last(PromptKind::Message);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->Icon, PromptIcon::Error);
    EXPECT_NE(error->Text.find("missing/folder/log.TXT"), std::string::npos);
}

TEST_F(DataLogPageTest, ClearAsksFirst) {
    Log({"a", "b"});
    Page().FlushDataLog();
    Log({"waiting"});
    prompts.Answers.push_back(false);
    Control<QPushButton>("btnClearLog")->click();
    const PromptCall* question = prompts.Last(PromptKind::OkCancel);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->Title, "Warning");
    EXPECT_EQ(question->Text, "Are you sure to clear log?");
    Page().FlushDataLog();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"a", "b", "waiting"}));

    Log({"late"});
    prompts.Answers.push_back(true);
    Control<QPushButton>("btnClearLog")->click();
    Page().FlushDataLog();
    EXPECT_TRUE(Lines().empty());
    // An empty first line after clearing is a line of its own.
    Log({"", "x"});
    Page().FlushDataLog();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"", "x"}));
}

TEST_F(DataLogPageTest, SendCommandWritesTheTextAsTyped) {
    Control<QLineEdit>("EditSendCommand")->setText("$PTST,,,,,00017");
    Control<QPushButton>("ButtonCustomSendCommand")->click();
    EXPECT_EQ(written, (std::vector<std::string>{"$PTST,,,,,00017\r\n"}));
    EXPECT_EQ(Text("EditSendCommand"), "$PTST,,,,,00017");  // kept in the box
    EXPECT_TRUE(Lines().empty());                           // not logged

    portOpen = false;
    Control<QPushButton>("ButtonCustomSendCommand")->click();
    const PromptCall* error = prompts.Last(PromptKind::Message);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->Text, "Serial port open error! Please check!");
}

}  // namespace
}  // namespace navoro
