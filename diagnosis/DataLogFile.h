#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace navoro {

// The data log on disk. Every logged line is kept in a file of its own in a
// folder (the user's cache folder), with its arrival time, so the log can grow
// far beyond what the window shows and survive a crash. A record is
//
//   <arrival, ms since 1970 UTC> <byte count> <the line's bytes>\n
//
// so any byte of a line, CR and LF included, comes back exactly. A record cut
// short by a crash ends the log there; the records before it stay readable.
//
// The running program holds an exclusive lock on its file, so another
// program's scan never takes a log that is still being written.

// The arrival time as "2026-12-10T17:34:46.123Z" (UTC), 24 characters; `out`
// gets no terminating zero. A time before the year 0000 or after 9999 shows as
// the first or the last millisecond of that range. Returns the length written.
inline constexpr std::size_t kArrivalTimeLength = 24;
std::size_t FormatArrivalTime(std::int64_t msSinceEpoch, char (&out)[kArrivalTimeLength]);

// Lines collected in memory before they are written; a fuller buffer is
// written at once.
inline constexpr std::size_t kDataLogWriteBuffer = 64 * 1024;

class DataLogFile {
  public:
    DataLogFile() = default;
    ~DataLogFile();  // closes the file and leaves it where it is
    DataLogFile(const DataLogFile&) = delete;
    DataLogFile& operator=(const DataLogFile&) = delete;

    // Creates a new, empty log file in `folder` (created when missing). False,
    // with Error() saying why, when it cannot be created.
    bool Open(const std::string& folder);
    bool IsOpen() const { return fd_ >= 0; }
    // Adds a line; the buffer is written when full. False when writing
    // failed (Error() says why; the waiting lines are gone, the file keeps
    // the lines written before, whole).
    bool Append(std::int64_t arrivalMs, std::string_view line);
    // Writes the waiting lines. False when writing failed.
    bool Flush();
    // Empties the log.
    bool Truncate();
    // Closes and deletes the file.
    void Remove();

    std::uint64_t LineCount() const { return lines_; }
    const std::string& Path() const { return path_; }
    const std::string& Error() const { return error_; }

  private:
    bool Fail(const char* what);

    int fd_ = -1;
    std::string path_;
    std::string error_;
    std::vector<char> buffer_;
    std::uint64_t lines_ = 0;
    // The bytes written whole.
    std::uint64_t size_ = 0;
};

// Reads a log file's records in order.
class DataLogReader {
  public:
    explicit DataLogReader(const std::string& path);
    ~DataLogReader();
    DataLogReader(const DataLogReader&) = delete;
    DataLogReader& operator=(const DataLogReader&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // The next record; false at the end (or at a record cut short, or on a
    // read error: Failed()). `line` stays valid until the next call.
    bool Next(std::int64_t& arrivalMs, std::string_view& line);
    bool Failed() const { return failed_; }

  private:
    bool Fill(std::size_t wanted);

    int fd_ = -1;
    bool eof_ = false;
    bool failed_ = false;
    std::size_t size_ = 0;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

// Writes every line of a log file to `outPath`, replacing it, each line ended
// by CR LF and, with `timeStamps`, begun with its arrival time and a space.
// False, with `error` saying why, when the log cannot be read or the file
// cannot be written.
bool ExportDataLog(const std::string& logPath, const std::string& outPath, bool timeStamps,
                   std::string& error);

// A log file left behind by a program that ended without closing it (a crash,
// a kill, a power loss). While this object lives it holds the file's lock,
// so no other program offers it at the same time.
class LeftoverDataLog {
  public:
    LeftoverDataLog(int lockFd, std::string path);
    ~LeftoverDataLog();
    LeftoverDataLog(LeftoverDataLog&& other) noexcept;
    LeftoverDataLog& operator=(LeftoverDataLog&&) = delete;
    LeftoverDataLog(const LeftoverDataLog&) = delete;

    const std::string& Path() const { return path_; }
    std::uint64_t Lines() const { return lines_; }
    // The first line's arrival time (ms since 1970 UTC), 0 without lines.
    std::int64_t FirstArrivalMs() const { return firstMs_; }
    // Deletes the file.
    void Discard();

  private:
    int fd_;
    std::string path_;
    std::uint64_t lines_ = 0;
    std::int64_t firstMs_ = 0;
};

// The log files in `folder` that no running program holds, oldest first.
std::vector<LeftoverDataLog> FindLeftoverDataLogs(const std::string& folder);

}  // namespace navoro
