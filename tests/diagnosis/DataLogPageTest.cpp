// The DATA LOG page: batched lines, the memo's cap, the log file, Save,
// Clear, time stamps, recovery after a crash and Send Command.
#include <sys/resource.h>

#include <QCheckBox>
#include <QDateTime>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "PagesFixture.h"
#include "diagnosis/DataLogFile.h"
#include "diagnosis/DataLogPage.h"

namespace navoro {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Numbered(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

class DataLogPageTest : public test::PagesTest {
  protected:
    DataLogPageTest() { Page().SetLogFolder(Cache()); }
    std::string Cache() const { return (dir.path() + "/cache").toStdString(); }
    std::string SaveTo(const char* name) {
        const std::string path = (dir.path() + "/" + name).toStdString();
        prompts.SaveFileNames.push_back(path);
        Page().SaveLog();
        return ReadAll(path);
    }
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
    EXPECT_FALSE(pages->WantsRawLines());
    enable->setChecked(true);
    EXPECT_TRUE(pages->WantsRawLines());
    auto* stamp = Control<QCheckBox>("cbxAddTimeStamp");
    EXPECT_EQ(stamp->text(), "Add Time Stamp");
    EXPECT_FALSE(stamp->isHidden());
    EXPECT_FALSE(stamp->isChecked());
    EXPECT_EQ(Control<QPushButton>("btnSaveLog")->text(), "Save");
    EXPECT_EQ(Control<QPushButton>("btnClearLog")->text(), "Clear");
    EXPECT_EQ(Control<QPushButton>("ButtonCustomSendCommand")->text(), "Send Command");
    EXPECT_EQ(Text("Label11"), "Enter command below");
    EXPECT_EQ(Control<QLineEdit>("EditSendCommand")->maxLength(), 84);
    EXPECT_EQ(Control("Panel4")->height(), 65);
    EXPECT_EQ(Control<QPlainTextEdit>("MemoDataLog")->maximumBlockCount(),
              static_cast<int>(kDataLogMaxLines));
    EXPECT_EQ(Text("lblLogLimit"), "Showing the newest 0 of 0 lines");
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
    Page().SaveLog();
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

TEST_F(DataLogPageTest, TheMemoShowsTheNewestLinesAndSaveWritesThemAll) {
    // A page of its own with a memo of 5 lines.
    QWidget sheet;
    DiagnosisLink link;
    DataLogPage page(&sheet, prompts, messages, link, 5);
    page.SetLogFolder(Cache());
    auto* label = sheet.findChild<QLabel*>("lblLogLimit");
    for (int i = 1; i <= 8; ++i)
        page.LogLine(std::to_string(i));
    page.FlushDataLog();
    EXPECT_EQ(page.LogLines(), (std::vector<std::string>{"4", "5", "6", "7", "8"}));
    EXPECT_EQ(label->text(), "Showing the newest 5 of 8 lines");
    for (int i = 9; i <= 10; ++i)
        page.LogLine(std::to_string(i));
    page.FlushDataLog();
    EXPECT_EQ(page.LogLines(), (std::vector<std::string>{"6", "7", "8", "9", "10"}));
    EXPECT_EQ(label->text(), "Showing the newest 5 of 10 lines");
    const std::string path = (dir.path() + "/all.TXT").toStdString();
    prompts.SaveFileNames.push_back(path);
    page.SaveLog();
    EXPECT_EQ(ReadAll(path), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n");
}

// A busy port for about half an hour, the page in and out of sight.
TEST_F(DataLogPageTest, SaveAfter200000LinesWritesThemAllInOrder) {
    Control<QCheckBox>("cbxEnableLog")->setChecked(true);
    constexpr int kLines = 200000;
    for (int i = 0; i < kLines; ++i) {
        if (i % 20000 == 0) ShowPage(i % 40000 == 0 ? 0 : 2);
        Page().LogLine("line " + std::to_string(i));
        if (i % 500 == 0) QApplication::processEvents();
    }
    EXPECT_EQ(Page().LoggedLines(), static_cast<std::uint64_t>(kLines));
    EXPECT_EQ(SaveTo("busy.TXT"), Numbered(kLines));
    EXPECT_EQ(Page().LogLines().size(), Page().MaxLines());
    EXPECT_EQ(Page().LogLines().back(), "line 199999");
    EXPECT_EQ(prompts.Calls.size(), 1u);  // the save dialog only
}

TEST_F(DataLogPageTest, LinesReachTheFileWithinABatchShownOrNot) {
    ShowPage(0);
    Log({"a", "b"});
    ASSERT_FALSE(Page().LogFilePath().empty());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return std::filesystem::file_size(Page().LogFilePath()) > 0; }, 1000));
    DataLogReader reader(Page().LogFilePath());
    std::int64_t ms = 0;
    std::string_view line;
    ASSERT_TRUE(reader.Next(ms, line));
    EXPECT_EQ(line, "a");
}

TEST_F(DataLogPageTest, TimeStampsWhenAsked) {
    std::int64_t now = 1796924086123;
    Page().SetClock([&now] { return now; });
    auto* stamp = Control<QCheckBox>("cbxAddTimeStamp");
    Log({"!AIVDM,1"});
    stamp->setChecked(true);
    now += 877;
    Log({"$GPGGA,2", ""});
    Page().FlushDataLog();
    // The memo shows each line as it was shown when it came.
    EXPECT_EQ(Lines(), (std::vector<std::string>{"!AIVDM,1", "2026-12-10T17:34:47.000Z $GPGGA,2",
                                                 "2026-12-10T17:34:47.000Z "}));
    // A saved file follows the box at the time of saving.
    EXPECT_EQ(SaveTo("stamped.TXT"),
              "2026-12-10T17:34:46.123Z !AIVDM,1\r\n2026-12-10T17:34:47.000Z $GPGGA,2\r\n"
              "2026-12-10T17:34:47.000Z \r\n");
    stamp->setChecked(false);
    EXPECT_EQ(SaveTo("plain.TXT"), "!AIVDM,1\r\n$GPGGA,2\r\n\r\n");
}

TEST_F(DataLogPageTest, AFullDiskIsReportedOnceAndLoggingStops) {
    auto* enable = Control<QCheckBox>("cbxEnableLog");
    enable->setChecked(true);
    Log({"kept"});
    Page().FlushDataLog();
    {
        // The file may not grow any more (SIGXFSZ ignored: the write fails).
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit full = old;
        full.rlim_cur = static_cast<rlim_t>(std::filesystem::file_size(Page().LogFilePath()));
        setrlimit(RLIMIT_FSIZE, &full);
        Log({"lost", "lost too"});
        QTest::qWait(200);  // the batch timer writes
        setrlimit(RLIMIT_FSIZE, &old);
    }
    EXPECT_FALSE(enable->isChecked());
    ASSERT_EQ(prompts.Count(PromptKind::Message), 1);
    EXPECT_NE(prompts.Last(PromptKind::Message)->Text.find("Logging has been switched off"),
              std::string::npos);
    // The file keeps what it had; logging again goes on from there.
    enable->setChecked(true);
    Log({"again"});
    EXPECT_EQ(SaveTo("after-full.TXT"), "kept\r\nagain\r\n");
    EXPECT_EQ(prompts.Count(PromptKind::Message), 1);
}

TEST_F(DataLogPageTest, AnUnwritableCacheFolderIsReportedOnceAndLoggingStops) {
    std::ofstream((dir.path() + "/plain-file").toStdString()) << "x";
    Page().SetLogFolder((dir.path() + "/plain-file/cache").toStdString());
    auto* enable = Control<QCheckBox>("cbxEnableLog");
    enable->setChecked(true);
    EXPECT_FALSE(enable->isChecked());
    EXPECT_FALSE(pages->WantsRawLines());
    ASSERT_EQ(prompts.Count(PromptKind::Message), 1);
    const PromptCall* error = prompts.Last(PromptKind::Message);
    EXPECT_EQ(error->Icon, PromptIcon::Error);
    EXPECT_EQ(error->Title, "Error");
    EXPECT_NE(error->Text.find("plain-file"), std::string::npos) << error->Text;
    EXPECT_NE(error->Text.find("Logging has been switched off"), std::string::npos);
    // Lines already on their way change nothing: no second report.
    Log({"a", "b"});
    Page().FlushDataLog();
    EXPECT_EQ(prompts.Count(PromptKind::Message), 1);
    // Ticked again, it tries again and says so again.
    enable->setChecked(true);
    EXPECT_FALSE(enable->isChecked());
    EXPECT_EQ(prompts.Count(PromptKind::Message), 2);
}

TEST_F(DataLogPageTest, SaveAsksBeforeOverwriting) {
    Log({"a", "b"});
    const std::string path = (dir.path() + "/log").toStdString();
    // Cancelled dialog: nothing.
    Page().SaveLog();
    EXPECT_EQ(prompts.Count(PromptKind::SaveFile), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path + ".TXT")));
    // A name without extension gets ".TXT"; the lines still waiting are saved too.
    prompts.SaveFileNames.push_back(path);
    Page().SaveLog();
    EXPECT_EQ(ReadAll(path + ".TXT"), "a\r\nb\r\n");
    EXPECT_EQ(prompts.Count(PromptKind::YesNo), 0);

    // Existing file, answer No: unchanged.
    Log({"c"});
    prompts.SaveFileNames.push_back(path + ".TXT");
    prompts.Answers.push_back(false);
    Page().SaveLog();
    const PromptCall* question = prompts.Last(PromptKind::YesNo);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->Title, "WARNING");
    EXPECT_EQ(question->Text, "File already exists. Do you want to overwrite?");
    EXPECT_EQ(ReadAll(path + ".TXT"), "a\r\nb\r\n");
    // Yes: replaced.
    prompts.SaveFileNames.push_back(path + ".TXT");
    prompts.Answers.push_back(true);
    Page().SaveLog();
    EXPECT_EQ(ReadAll(path + ".TXT"), "a\r\nb\r\nc\r\n");
}

TEST_F(DataLogPageTest, SaveToAnUnwritablePlaceSaysSo) {
    Log({"a"});
    prompts.SaveFileNames.push_back((dir.path() + "/missing/folder/log.TXT").toStdString());
    Page().SaveLog();
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
    EXPECT_EQ(Text("lblLogLimit"), "Showing the newest 0 of 0 lines");
    EXPECT_EQ(std::filesystem::file_size(Page().LogFilePath()), 0u);
    // An empty first line after clearing is a line of its own.
    Log({"", "x"});
    Page().FlushDataLog();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"", "x"}));
    EXPECT_EQ(SaveTo("after-clear.TXT"), "\r\nx\r\n");
}

TEST_F(DataLogPageTest, ANormalEndRemovesTheLogFile) {
    std::string path;
    {
        QWidget sheet;
        DiagnosisLink link;
        DataLogPage page(&sheet, prompts, messages, link);
        page.SetLogFolder(Cache());
        page.LogLine("a");
        path = page.LogFilePath();
        ASSERT_TRUE(std::filesystem::exists(path));
        // A log still being written is no leftover.
        Page().OfferLeftoverLogs();
        EXPECT_EQ(prompts.Count(PromptKind::YesNo), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    Page().OfferLeftoverLogs();
    EXPECT_TRUE(prompts.Calls.empty());
}

class DataLogRecoveryTest : public DataLogPageTest {
  protected:
    // What a run that was killed leaves: a log file nobody holds.
    std::string LeaveLog(int lines) {
        DataLogFile file;
        EXPECT_TRUE(file.Open(Cache()));
        for (int i = 0; i < lines; ++i)
            file.Append(1796924086123 + i, "line " + std::to_string(i));
        return file.Path();
    }
};

TEST_F(DataLogRecoveryTest, ALeftoverLogIsOfferedAndSaved) {
    const std::string left = LeaveLog(3);
    const std::string saved = (dir.path() + "/recovered").toStdString();
    prompts.Answers.push_back(true);
    prompts.SaveFileNames.push_back(saved);
    Page().OfferLeftoverLogs();
    const PromptCall* question = prompts.Last(PromptKind::YesNo);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->Icon, PromptIcon::Question);
    const std::string date = QDateTime::fromMSecsSinceEpoch(1796924086123)
                                 .toLocalTime()
                                 .toString("yyyy-MM-dd HH:mm")
                                 .toStdString();
    EXPECT_EQ(question->Text, "Recover the data log of " + date + ", 3 lines?");
    EXPECT_EQ(ReadAll(saved + ".TXT"), Numbered(3));
    EXPECT_FALSE(std::filesystem::exists(left));
    // Once.
    prompts.Calls.clear();
    Page().OfferLeftoverLogs();
    EXPECT_TRUE(prompts.Calls.empty());
}

TEST_F(DataLogRecoveryTest, DiscardedOrKeptForLater) {
    // No: gone without saving.
    std::string left = LeaveLog(2);
    prompts.Answers.push_back(false);
    Page().OfferLeftoverLogs();
    EXPECT_EQ(prompts.Count(PromptKind::SaveFile), 0);
    EXPECT_FALSE(std::filesystem::exists(left));

    // Yes, then the dialog cancelled or the file unwritable: kept for the
    // next start.
    left = LeaveLog(2);
    prompts.Answers.push_back(true);
    Page().OfferLeftoverLogs();
    EXPECT_TRUE(std::filesystem::exists(left));
    prompts.Answers.push_back(true);
    prompts.SaveFileNames.push_back((dir.path() + "/no/such/folder/x.TXT").toStdString());
    Page().OfferLeftoverLogs();
    EXPECT_TRUE(std::filesystem::exists(left));
    ASSERT_NE(prompts.Last(PromptKind::Message), nullptr);
    EXPECT_NE(prompts.Last(PromptKind::Message)->Text.find("no/such/folder"), std::string::npos);

    // An empty leftover is not worth a question.
    std::filesystem::remove(left);
    left = LeaveLog(0);
    const int asked = prompts.Count(PromptKind::YesNo);
    Page().OfferLeftoverLogs();
    EXPECT_EQ(prompts.Count(PromptKind::YesNo), asked);
    EXPECT_FALSE(std::filesystem::exists(left));
}

// Run as a child process by the test below: logs 1 000 lines with the page's
// own batching, says so, and waits to be killed.
TEST(DataLogChild, LogsUntilKilled) {
    const QByteArray folder = qgetenv("NAVORO_DATALOG_CHILD_FOLDER");
    if (folder.isEmpty()) GTEST_SKIP() << "run by KilledMidLogTheLinesAreOfferedAtTheNextStart";
    ScriptedPrompts prompts;
    MessageTable messages;
    messages.LoadBuiltInTexts();
    QWidget sheet;
    DiagnosisLink link;
    DataLogPage page(&sheet, prompts, messages, link);
    page.SetLogFolder(folder.toStdString());
    sheet.findChild<QCheckBox*>("cbxEnableLog")->setChecked(true);
    for (int i = 0; i < 1000; ++i)
        page.LogLine("line " + std::to_string(i));
    // The batch timer writes them (no Save, no flush by hand).
    QTest::qWait(500);
    std::cout << "logged " << page.LogFilePath() << std::endl;
    QTest::qWait(60000);
}

TEST_F(DataLogRecoveryTest, KilledMidLogTheLinesAreOfferedAtTheNextStart) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("NAVORO_DATALOG_CHILD_FOLDER", QString::fromStdString(Cache()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=DataLogChild.LogsUntilKilled"});
    ASSERT_TRUE(child.waitForStarted(10000));
    QByteArray output;
    while (!output.contains("logged ") || !output.endsWith('\n')) {
        ASSERT_TRUE(child.waitForReadyRead(20000)) << output.toStdString();
        output += child.readAllStandardOutput();
    }
    // While it runs its log is nobody's leftover.
    Page().OfferLeftoverLogs();
    EXPECT_TRUE(prompts.Calls.empty());
    child.kill();  // SIGKILL: no clean-up of any kind
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    const std::string saved = (dir.path() + "/recovered.TXT").toStdString();
    prompts.Answers.push_back(true);
    prompts.SaveFileNames.push_back(saved);
    Page().OfferLeftoverLogs();
    ASSERT_NE(prompts.Last(PromptKind::YesNo), nullptr);
    const std::string count = QLocale().toString(1000).toStdString() + " lines?";
    EXPECT_NE(prompts.Last(PromptKind::YesNo)->Text.find(count), std::string::npos)
        << prompts.Last(PromptKind::YesNo)->Text;
    EXPECT_EQ(ReadAll(saved), Numbered(1000));
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
