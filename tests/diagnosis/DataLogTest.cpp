// The data log's batches and file, and the custom command.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "diagnosis/CustomCommand.h"
#include "diagnosis/DataLogBatch.h"
#include "diagnosis/DataLogFile.h"
#include "ui/ScriptedPrompts.h"

namespace navoro {
namespace {

TEST(DataLogBatch, KeepsEveryLineInOrderUpToItsCap) {
    DataLogBatch batch(3);
    EXPECT_TRUE(batch.Empty());
    batch.Add("a");
    batch.Add("");
    batch.Add(std::string(200, 'x'));
    EXPECT_EQ(batch.Take(), (std::vector<std::string>{"a", "", std::string(200, 'x')}));
    EXPECT_TRUE(batch.Empty());
    for (const char* line : {"1", "2", "3", "4", "5"})
        batch.Add(line);
    EXPECT_EQ(batch.Take(), (std::vector<std::string>{"3", "4", "5"}));
}

TEST(DataLogFile, ArrivalTimeInUtcWithMilliseconds) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {1796924086123, "2026-12-10T17:34:46.123Z"},
        {1709251199999, "2024-02-29T23:59:59.999Z"},
        {0, "1970-01-01T00:00:00.000Z"},
        {951868800007, "2000-03-01T00:00:00.007Z"},
        {-1, "1969-12-31T23:59:59.999Z"},
        // A damaged record's time is held to the years four digits show.
        {-62167219200000, "0000-01-01T00:00:00.000Z"},
        {-62167219200001, "0000-01-01T00:00:00.000Z"},
        {253402300799999, "9999-12-31T23:59:59.999Z"},
        {253402300800000, "9999-12-31T23:59:59.999Z"},
        {std::numeric_limits<std::int64_t>::min(), "0000-01-01T00:00:00.000Z"},
        {std::numeric_limits<std::int64_t>::max(), "9999-12-31T23:59:59.999Z"},
    };
    for (const auto& [ms, text] : cases) {
        char out[kArrivalTimeLength];
        EXPECT_EQ(std::string(out, FormatArrivalTime(ms, out)), text) << ms;
    }
}

class DataLogFileTest : public ::testing::Test {
  protected:
    DataLogFileTest() {
        folder = std::filesystem::temp_directory_path() /
                 ("navoro-datalog-test-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
    }
    ~DataLogFileTest() override { std::filesystem::remove_all(folder); }

    static std::vector<std::pair<std::int64_t, std::string>> Records(const std::string& path) {
        std::vector<std::pair<std::int64_t, std::string>> records;
        DataLogReader reader(path);
        std::int64_t ms = 0;
        std::string_view line;
        while (reader.Next(ms, line))
            records.emplace_back(ms, std::string(line));
        EXPECT_FALSE(reader.Failed());
        return records;
    }
    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path folder;
};

TEST_F(DataLogFileTest, EveryByteComesBackInOrder) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c)
        everyByte += static_cast<char>(c);
    const std::vector<std::pair<std::int64_t, std::string>> lines = {
        {1796924086123, "$GPGGA,1"},
        {1796924086124, ""},
        {1796924086125, everyByte},
        {1796924086126, "12 34 x\n"},
        {-5, std::string(kDataLogWriteBuffer + 10, 'z')},  // longer than the buffer
        {7, "last"},
    };
    DataLogFile file;
    ASSERT_TRUE(file.Open((folder / "made/on/demand").string())) << file.Error();
    for (const auto& [ms, line] : lines)
        ASSERT_TRUE(file.Append(ms, line));
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(file.LineCount(), lines.size());
    EXPECT_EQ(Records(file.Path()), lines);

    // Truncated: empty, and then it goes on.
    ASSERT_TRUE(file.Truncate());
    ASSERT_TRUE(file.Append(1, "again"));
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(Records(file.Path()), (decltype(lines){{1, "again"}}));
    const std::string path = file.Path();
    file.Remove();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(DataLogFileTest, ARecordCutShortEndsTheLogThere) {
    std::string path;
    {
        DataLogFile file;
        ASSERT_TRUE(file.Open(folder.string()));
        file.Append(1, "one");
        file.Append(2, "two");
        file.Flush();
        path = file.Path();
    }
    const std::string whole = ReadAll(path);
    for (const std::string& tail : {std::string("3 10 abc"), std::string("3 "), std::string("x\n"),
                                    std::string("3 3 abcd\n"), std::string("4 99999999999 a\n")}) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << whole << tail;
        EXPECT_EQ(Records(path),
                  (std::vector<std::pair<std::int64_t, std::string>>{{1, "one"}, {2, "two"}}))
            << tail;
    }
}

TEST_F(DataLogFileTest, ExportWritesCrLfLinesWithOrWithoutTimeStamps) {
    DataLogFile file;
    ASSERT_TRUE(file.Open(folder.string()));
    file.Append(1796924086123, "!AIVDM,1");
    file.Append(1796924086200, "");
    file.Append(1796924087000, "a\rb");
    file.Flush();
    const std::string out = (folder / "out.TXT").string();
    std::string error;
    ASSERT_TRUE(ExportDataLog(file.Path(), out, false, error)) << error;
    EXPECT_EQ(ReadAll(out), "!AIVDM,1\r\n\r\na\rb\r\n");
    ASSERT_TRUE(ExportDataLog(file.Path(), out, true, error)) << error;
    EXPECT_EQ(ReadAll(out),
              "2026-12-10T17:34:46.123Z !AIVDM,1\r\n2026-12-10T17:34:46.200Z \r\n"
              "2026-12-10T17:34:47.000Z a\rb\r\n");

    EXPECT_FALSE(ExportDataLog(file.Path(), (folder / "no/such/folder/x").string(), false, error));
    EXPECT_NE(error.find("no/such/folder"), std::string::npos) << error;
    EXPECT_FALSE(ExportDataLog((folder / "missing.log").string(), out, false, error));
}

// Full: the file may grow by `room` bytes more (as on a disk about to fill).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(std::uint64_t limit) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = static_cast<rlim_t>(limit);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

  private:
    rlimit old_{};
};

TEST_F(DataLogFileTest, AFailedWriteKeepsWholeRecordsOnly) {
    DataLogFile file;
    ASSERT_TRUE(file.Open(folder.string()));
    file.Append(1, "first");
    ASSERT_TRUE(file.Flush());
    const auto size = std::filesystem::file_size(file.Path());
    {
        const FileSizeLimit full(size + 10);
        file.Append(2, std::string(100, 'x'));
        EXPECT_FALSE(file.Flush());
        EXPECT_FALSE(file.Error().empty());
    }
    EXPECT_EQ(std::filesystem::file_size(file.Path()), size);
    // Room again: what follows is readable.
    file.Append(3, "after");
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(Records(file.Path()),
              (std::vector<std::pair<std::int64_t, std::string>>{{1, "first"}, {3, "after"}}));
}

TEST_F(DataLogFileTest, AnUnwritableFolderSaysWhy) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "plain-file") << "x";
    DataLogFile file;
    EXPECT_FALSE(file.Open((folder / "plain-file/sub").string()));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_NE(file.Error().find("plain-file"), std::string::npos) << file.Error();
    EXPECT_FALSE(file.Append(1, "x"));
}

TEST_F(DataLogFileTest, OnlyLogsNoRunningProgramHoldsAreLeftOver) {
    DataLogFile running;
    ASSERT_TRUE(running.Open(folder.string()));
    running.Append(1, "still logging");
    running.Flush();
    std::string leftPath;
    {
        DataLogFile crashed;  // closed without being removed, as a kill leaves it
        ASSERT_TRUE(crashed.Open(folder.string()));
        crashed.Append(1796924086123, "a");
        crashed.Append(1796924086124, "b");
        leftPath = crashed.Path();
    }
    std::ofstream(folder / "other.txt") << "not a log";
    {
        std::vector<LeftoverDataLog> found = FindLeftoverDataLogs(folder.string());
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].Path(), leftPath);
        EXPECT_EQ(found[0].Lines(), 2u);
        EXPECT_EQ(found[0].FirstArrivalMs(), 1796924086123);
        // While one is being offered, nobody else offers it.
        EXPECT_TRUE(FindLeftoverDataLogs(folder.string()).empty());
    }
    std::vector<LeftoverDataLog> again = FindLeftoverDataLogs(folder.string());
    ASSERT_EQ(again.size(), 1u);
    again[0].Discard();
    EXPECT_FALSE(std::filesystem::exists(leftPath));
    EXPECT_TRUE(FindLeftoverDataLogs(folder.string()).empty());
    EXPECT_TRUE(FindLeftoverDataLogs((folder / "missing").string()).empty());
}

// Writers that come and go let whatever waits to open `pipe` go on (and then
// read it empty), so that a test of it ends.
template <typename T>
void LetGo(const std::string& pipe, std::future<T>& waiting) {
    while (waiting.wait_for(std::chrono::milliseconds(100)) == std::future_status::timeout) {
        const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) ::close(writer);
    }
}

TEST_F(DataLogFileTest, OnlyPlainFilesAreLeftOverAndNoneIsWaitedFor) {
    std::filesystem::create_directories(folder / "datalog-1-1-0.log");
    const std::string pipe = (folder / "datalog-2-2-0.log").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    auto scan = std::async(std::launch::async,
                           [this] { return FindLeftoverDataLogs(folder.string()).size(); });
    if (scan.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        ADD_FAILURE() << "the scan waits for a writer on a pipe";
        LetGo(pipe, scan);
    }
    EXPECT_EQ(scan.get(), 0u);
    // Read or saved, a pipe in a log's place is an empty log.
    const std::string out = (folder / "out.txt").string();
    std::string error;
    auto save =
        std::async(std::launch::async, [&] { return ExportDataLog(pipe, out, false, error); });
    if (save.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        ADD_FAILURE() << "saving waits for a writer on a pipe";
        LetGo(pipe, save);
    }
    EXPECT_TRUE(save.get()) << error;
    EXPECT_EQ(ReadAll(out), "");
}

TEST_F(DataLogFileTest, ALogSavedOverItselfIsKept) {
    std::string path;
    {
        DataLogFile crashed;
        ASSERT_TRUE(crashed.Open(folder.string()));
        crashed.Append(1, "one");
        path = crashed.Path();
    }
    const std::string whole = ReadAll(path);
    const std::string sameFile[] = {
        path, (folder / "." / std::filesystem::path(path).filename()).string()};
    for (const std::string& out : sameFile) {
        std::string error;
        EXPECT_FALSE(ExportDataLog(path, out, true, error)) << out;
        EXPECT_NE(error.find(out), std::string::npos) << error;
        EXPECT_EQ(ReadAll(path), whole) << out;
    }
}

TEST(CustomCommand, SentAsTypedWithCrLf) {
    EXPECT_EQ(CustomCommandBytes("$PTST,,,,,00017"), "$PTST,,,,,00017\r\n");
    EXPECT_EQ(CustomCommandBytes(""), "\r\n");
    EXPECT_EQ(CustomCommandBytes("  x  "), "  x  \r\n");
    EXPECT_EQ(CustomCommandBytes(std::string(90, 'a')), std::string(84, 'a') + "\r\n");
    EXPECT_EQ(StatusRequestBytes(), "$PTST,,,,,00017*19\r\n");
}

class SendCustomCommandTest : public ::testing::Test {
  protected:
    SendCustomCommandTest() { messages.LoadBuiltInTexts(); }
    ScriptedPrompts prompts;
    MessageTable messages;
    DiagnosisLink link;
    std::vector<std::string> written;
    int disconnects = 0;
    bool portOpen = true;
    bool connectionActive = true;

    void Wire() {
        link.WritePort = [this](const char* data, int length) {
            if (!portOpen) return false;
            written.emplace_back(data, static_cast<std::size_t>(length));
            return true;
        };
        link.ConnectionActive = [this] { return connectionActive; };
        link.ToggleConnection = [this] {
            ++disconnects;
            connectionActive = false;
        };
    }
};

TEST_F(SendCustomCommandTest, WrittenOnAnOpenPort) {
    Wire();
    EXPECT_TRUE(SendCustomCommand(link, prompts, messages, "$PTST,,,,,00017"));
    EXPECT_EQ(written, (std::vector<std::string>{"$PTST,,,,,00017\r\n"}));
    EXPECT_TRUE(prompts.Calls.empty());
}

TEST_F(SendCustomCommandTest, FailedWriteDisconnectsAndShowsThePortError) {
    Wire();
    portOpen = false;
    EXPECT_FALSE(SendCustomCommand(link, prompts, messages, "hello"));
    EXPECT_EQ(disconnects, 1);
    ASSERT_EQ(prompts.Calls.size(), 1u);
    EXPECT_EQ(prompts.Calls[0].Icon, PromptIcon::Error);
    EXPECT_EQ(prompts.Calls[0].Title, "Error");
    EXPECT_EQ(prompts.Calls[0].Text, "Serial port open error! Please check!");

    // Not connected: only the message.
    EXPECT_FALSE(SendCustomCommand(link, prompts, messages, "hello"));
    EXPECT_EQ(disconnects, 1);
    EXPECT_EQ(prompts.Calls.size(), 2u);
}

TEST_F(SendCustomCommandTest, WithoutAnyPortTheErrorIsShown) {
    EXPECT_FALSE(SendCustomCommand(link, prompts, messages, "x"));
    EXPECT_EQ(prompts.Count(PromptKind::Message), 1);
}

TEST_F(SendCustomCommandTest, StatusQueryPrefersTheLinksQuerySet) {
    Wire();
    SendStatusQuery(link);
    EXPECT_EQ(written, (std::vector<std::string>{"$PTST,,,,,00017*19\r\n"}));
    int querySet = 0;
    link.SendQueries = [&](int set) { querySet = set; };
    SendStatusQuery(link);
    EXPECT_EQ(querySet, 1);
    EXPECT_EQ(written.size(), 1u);
}

}  // namespace
}  // namespace navoro
