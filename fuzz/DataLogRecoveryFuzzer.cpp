// Fuzzes the data log's crash recovery: any bytes, left in the log folder as
// the log of a run that crashed, are found, counted, read and saved as text
// the way the data log page offers them, then discarded. A plain reading of
// the record format says what each step must give: the whole records up to
// the first damaged one. Time stamps in the saved text read back, through the
// capture reader's parser, as the records' times. One length in eight is read
// after a record that puts the middle of the input where the reader's buffer is
// refilled.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "diagnosis/DataLogFile.h"
#include "link/CaptureReader.h"

namespace {

using Records = std::vector<std::pair<std::int64_t, std::string_view>>;

void Check(bool promise) {
    if (!promise) __builtin_trap();
}

// The reader's buffer, as it reads a file.
constexpr std::size_t kReadChunk = 1024 * 1024;
// 0000-01-01T00:00:00.000Z and 9999-12-31T23:59:59.999Z: the times a stamp can show.
constexpr std::int64_t kFirstStampMs = -62'167'219'200'000;
constexpr std::int64_t kLastStampMs = 253'402'300'799'999;

class Folder {
  public:
    Folder() {
        char name[] = "/tmp/navoro-fuzz-datalog-XXXXXX";
        if (::mkdtemp(name) != nullptr) path_ = name;
    }
    ~Folder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }
    std::string File(const char* name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Writes the pieces one after the other.
bool WriteFile(const std::string& path, std::initializer_list<std::string_view> pieces) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = true;
    for (const std::string_view piece : pieces)
        written = written && std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
    return std::fclose(file) == 0 && written;
}

// Reads the file piece by piece, each to be as given, and then its end.
class FileCheck {
  public:
    explicit FileCheck(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
        Check(file_ != nullptr);
    }
    ~FileCheck() {
        Check(std::fgetc(file_) == EOF);
        std::fclose(file_);
    }
    FileCheck(const FileCheck&) = delete;
    FileCheck& operator=(const FileCheck&) = delete;

    void Next(std::string_view piece) {
        buffer_.resize(piece.size());
        Check(std::fread(buffer_.data(), 1, piece.size(), file_) == piece.size());
        Check(std::string_view(buffer_.data(), buffer_.size()) == piece);
    }

  private:
    std::FILE* file_;
    std::vector<char> buffer_;
};

// The records as the format defines them: "<ms> <count> <bytes>\n", up to the
// first that is not one.
Records Parse(std::string_view bytes) {
    Records records;
    const char* at = bytes.data();
    const char* end = bytes.data() + bytes.size();
    for (;;) {
        std::int64_t ms = 0;
        std::size_t count = 0;
        const auto [afterTime, timeError] = std::from_chars(at, end, ms);
        if (timeError != std::errc() || afterTime == end || *afterTime != ' ') break;
        const auto [afterCount, countError] = std::from_chars(afterTime + 1, end, count);
        if (countError != std::errc() || afterCount == end || *afterCount != ' ') break;
        const char* line = afterCount + 1;
        if (count >= static_cast<std::size_t>(end - line) || line[count] != '\n') break;
        records.emplace_back(ms, std::string_view(line, count));
        at = line + count + 1;
    }
    return records;
}

void CheckRead(const std::string& path, const Records& expected) {
    navoro::DataLogReader reader(path);
    Check(reader.IsOpen());
    std::int64_t ms = 0;
    std::string_view line;
    for (const auto& record : expected) {
        Check(reader.Next(ms, line));
        Check(ms == record.first && line == record.second);
    }
    Check(!reader.Next(ms, line));
    Check(!reader.Failed());
    Check(!reader.Next(ms, line));  // the end stays the end
}

// The text a save must write: each line with CR LF, after its time stamp.
void CheckSaved(const std::string& path, const Records& records, bool timeStamps) {
    FileCheck saved(path);
    for (const auto& [ms, line] : records) {
        if (timeStamps) {
            char stamp[navoro::kArrivalTimeLength];
            saved.Next(std::string_view(stamp, navoro::FormatArrivalTime(ms, stamp)));
            saved.Next(" ");
        }
        saved.Next(line);
        saved.Next("\r\n");
    }
}

// A stamp reads back as its time, held to the years a stamp can show.
void CheckStamps(const Records& records) {
    for (const auto& record : records) {
        const std::int64_t ms = record.first;
        char stamp[navoro::kArrivalTimeLength];
        std::string text(stamp, navoro::FormatArrivalTime(ms, stamp));
        Check(text.size() == navoro::kArrivalTimeLength);
        text += ' ';
        std::int64_t back = 0;
        Check(navoro::ParseLineTimeStamp(text, back) == text.size());
        Check(back == std::clamp(ms, kFirstStampMs, kLastStampMs));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Folder folder;
    if (folder.Path().empty()) return 0;
    static const std::string logPath = folder.File("datalog-4242-1796924086123-0.log");
    static const std::string savePath = folder.File("saved.txt");

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Records expected;
    std::string header;
    std::string_view filler;
    if (size % 8 == 7) {
        // One long record first, so that the middle of the input is where
        // the reader's first buffer ends.
        static const std::string kFiller(kReadChunk, 'x');
        const std::string time = "1796924086123";
        // Its count has seven digits, near enough for any input.
        filler = std::string_view(kFiller).substr(
            0, kReadChunk - std::min(size / 2, kReadChunk / 2) - time.size() - 10);
        header = time + " " + std::to_string(filler.size()) + " ";
        expected.emplace_back(1796924086123, filler);
    }
    if (!WriteFile(logPath, {header, filler, filler.empty() ? "" : "\n", input})) return 0;
    for (const auto& record : Parse(input))
        expected.push_back(record);

    // Found and counted, and held while it is offered.
    std::vector<navoro::LeftoverDataLog> found = navoro::FindLeftoverDataLogs(folder.Path());
    Check(found.size() == 1 && found[0].Path() == logPath);
    Check(found[0].Lines() == expected.size());
    Check(found[0].FirstArrivalMs() == (expected.empty() ? 0 : expected[0].first));
    Check(navoro::FindLeftoverDataLogs(folder.Path()).empty());

    // Read.
    CheckRead(logPath, expected);

    // Saved without and with time stamps, as the page does.
    for (const bool timeStamps : {false, true}) {
        std::string error;
        Check(navoro::ExportDataLog(found[0].Path(), savePath, timeStamps, error));
        Check(error.empty());
        CheckSaved(savePath, expected, timeStamps);
    }
    CheckStamps(expected);

    // Discarded: gone, and nothing is left over.
    found[0].Discard();
    Check(!std::filesystem::exists(logPath));
    Check(navoro::FindLeftoverDataLogs(folder.Path()).empty());
    std::filesystem::remove(savePath);
    return 0;
}
