#include "diagnosis/DataLogFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <utility>

namespace navoro {

namespace {

constexpr std::string_view kPrefix = "datalog-";
constexpr std::string_view kSuffix = ".log";
// The longest record header: two 20-digit numbers, their spaces and a sign.
constexpr std::size_t kMaxHeader = 48;
constexpr std::size_t kReadChunk = 1024 * 1024;
// The times a four-digit year shows: 0000-01-01T00:00:00.000Z to
// 9999-12-31T23:59:59.999Z.
constexpr std::int64_t kFirstShownMs = -62'167'219'200'000;
constexpr std::int64_t kLastShownMs = 253'402'300'799'999;

std::int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Writes all of `size` bytes; false (errno set) on failure.
bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string ErrnoText(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

void Put2(char* at, unsigned value) {
    at[0] = static_cast<char>('0' + value / 10 % 10);
    at[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

std::size_t FormatArrivalTime(std::int64_t msSinceEpoch, char (&out)[kArrivalTimeLength]) {
    using namespace std::chrono;
    // A time out of that range (a damaged record) shows as its first or last
    // millisecond; beyond them the calendar arithmetic would overflow.
    const sys_time<milliseconds> time{
        milliseconds(std::clamp(msSinceEpoch, kFirstShownMs, kLastShownMs))};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> clock{time - day};
    const int year = static_cast<int>(date.year());
    out[0] = static_cast<char>('0' + year / 1000);
    out[1] = static_cast<char>('0' + year / 100 % 10);
    Put2(out + 2, static_cast<unsigned>(year % 100));
    out[4] = '-';
    Put2(out + 5, static_cast<unsigned>(date.month()));
    out[7] = '-';
    Put2(out + 8, static_cast<unsigned>(date.day()));
    out[10] = 'T';
    Put2(out + 11, static_cast<unsigned>(clock.hours().count()));
    out[13] = ':';
    Put2(out + 14, static_cast<unsigned>(clock.minutes().count()));
    out[16] = ':';
    Put2(out + 17, static_cast<unsigned>(clock.seconds().count()));
    out[19] = '.';
    const auto ms = static_cast<unsigned>(clock.subseconds().count());
    out[20] = static_cast<char>('0' + ms / 100);
    Put2(out + 21, ms % 100);
    out[23] = 'Z';
    return kArrivalTimeLength;
}

// DataLogFile

DataLogFile::~DataLogFile() {
    if (fd_ >= 0) {
        Flush();
        ::close(fd_);
    }
}

bool DataLogFile::Fail(const char* what) {
    error_ = ErrnoText(what);
    buffer_.clear();
    // A record written in part goes, so that lines written after it (when
    // there is room again) stay readable.
    if (fd_ >= 0) {
        const int rolledBack = ::ftruncate(fd_, static_cast<off_t>(size_));
        static_cast<void>(rolledBack);
    }
    return false;
}

bool DataLogFile::Open(const std::string& folder) {
    if (fd_ >= 0) return true;
    error_.clear();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error_ = folder + ": " + ec.message();
        return false;
    }
    // A name no other run uses (a process number alone comes back).
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        path_ = folder + "/" + std::string(kPrefix) + std::to_string(::getpid()) + "-" +
                std::to_string(NowMs()) + "-" + std::to_string(attempt) + std::string(kSuffix);
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        Fail(path_.c_str());
        path_.clear();
        return false;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        Fail(path_.c_str());
        ::close(fd_);
        ::unlink(path_.c_str());
        fd_ = -1;
        path_.clear();
        return false;
    }
    buffer_.reserve(kDataLogWriteBuffer);
    lines_ = 0;
    size_ = 0;
    return true;
}

bool DataLogFile::Append(std::int64_t arrivalMs, std::string_view line) {
    if (fd_ < 0) {
        error_ = "the data log file is not open";
        return false;
    }
    // At most 20 characters each (an int64 with its sign, a size).
    char header[kMaxHeader];
    char* at = std::to_chars(header, header + 20, arrivalMs).ptr;
    at[0] = ' ';
    at = std::to_chars(at + 1, at + 21, line.size()).ptr;
    at[0] = ' ';
    ++at;
    const std::size_t headerSize = static_cast<std::size_t>(at - header);
    const std::size_t size = headerSize + line.size() + 1;
    if (buffer_.size() + size > kDataLogWriteBuffer && !Flush()) return false;
    if (size > kDataLogWriteBuffer) {
        // Longer than the buffer: written straight away.
        if (!WriteAll(fd_, header, headerSize) || !WriteAll(fd_, line.data(), line.size()) ||
            !WriteAll(fd_, "\n", 1))
            return Fail(path_.c_str());
        size_ += size;
    } else {
        buffer_.insert(buffer_.end(), header, at);
        buffer_.insert(buffer_.end(), line.begin(), line.end());
        buffer_.push_back('\n');
    }
    ++lines_;
    return true;
}

bool DataLogFile::Flush() {
    if (fd_ < 0 || buffer_.empty()) return fd_ >= 0;
    if (!WriteAll(fd_, buffer_.data(), buffer_.size())) return Fail(path_.c_str());
    size_ += buffer_.size();
    buffer_.clear();
    return true;
}

bool DataLogFile::Truncate() {
    buffer_.clear();
    lines_ = 0;
    size_ = 0;
    if (fd_ < 0) return true;
    if (::ftruncate(fd_, 0) != 0) return Fail(path_.c_str());
    return true;
}

void DataLogFile::Remove() {
    buffer_.clear();
    lines_ = 0;
    if (fd_ < 0) return;
    ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

// DataLogReader

DataLogReader::DataLogReader(const std::string& path) {
    // Not blocking: a pipe in a log's place reads as empty, never waits.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
        failed_ = true;
        return;
    }
    size_ = static_cast<std::size_t>(info.st_size);
}

DataLogReader::~DataLogReader() {
    if (fd_ >= 0) ::close(fd_);
}

bool DataLogReader::Fill(std::size_t wanted) {
    if (end_ - begin_ >= wanted) return true;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    // Room for a chunk, or for all of a smaller file (the leftovers are
    // often short, and each is read when the program starts).
    const std::size_t room = std::max(wanted, std::min(kReadChunk, size_ + 1));
    if (buffer_.size() < room) buffer_.resize(room);
    while (!eof_ && end_ < wanted) {
        const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (n < 0) {
            if (errno == EINTR) continue;
            failed_ = true;
            return false;
        }
        if (n == 0) eof_ = true;
        end_ += static_cast<std::size_t>(n);
    }
    return end_ - begin_ >= wanted;
}

bool DataLogReader::Next(std::int64_t& arrivalMs, std::string_view& line) {
    if (fd_ < 0) return false;
    Fill(kMaxHeader);
    const char* first = buffer_.data() + begin_;
    const char* last = buffer_.data() + end_;
    std::size_t length = 0;
    auto [afterTime, timeError] = std::from_chars(first, last, arrivalMs);
    if (timeError != std::errc() || afterTime == last || *afterTime != ' ') return false;
    auto [afterLength, lengthError] = std::from_chars(afterTime + 1, last, length);
    if (lengthError != std::errc() || afterLength == last || *afterLength != ' ') return false;
    const std::size_t header = static_cast<std::size_t>(afterLength + 1 - first);
    // A length beyond the file's size marks a damaged record.
    if (length > size_) return false;
    if (!Fill(header + length + 1)) return false;
    const char* record = buffer_.data() + begin_;
    if (record[header + length] != '\n') return false;
    line = std::string_view(record + header, length);
    begin_ += header + length + 1;
    return true;
}

// Export

bool ExportDataLog(const std::string& logPath, const std::string& outPath, bool timeStamps,
                   std::string& error) {
    DataLogReader reader(logPath);
    if (!reader.IsOpen()) {
        error = ErrnoText(logPath.c_str());
        return false;
    }
    // Saved over itself, the log would be emptied before it is read.
    struct stat logInfo {};
    struct stat outInfo {};
    if (::stat(logPath.c_str(), &logInfo) == 0 && ::stat(outPath.c_str(), &outInfo) == 0 &&
        logInfo.st_dev == outInfo.st_dev && logInfo.st_ino == outInfo.st_ino) {
        error = outPath + ": this is the data log being saved";
        return false;
    }
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) {
        error = ErrnoText(outPath.c_str());
        return false;
    }
    std::vector<char> buffer;
    buffer.reserve(kReadChunk);
    bool ok = true;
    std::int64_t ms = 0;
    std::string_view line;
    while (ok && reader.Next(ms, line)) {
        if (buffer.size() + line.size() + kArrivalTimeLength + 3 > kReadChunk) {
            ok = WriteAll(out, buffer.data(), buffer.size());
            buffer.clear();
        }
        if (timeStamps) {
            char stamp[kArrivalTimeLength];
            FormatArrivalTime(ms, stamp);
            buffer.insert(buffer.end(), stamp, stamp + kArrivalTimeLength);
            buffer.push_back(' ');
        }
        buffer.insert(buffer.end(), line.begin(), line.end());
        buffer.push_back('\r');
        buffer.push_back('\n');
    }
    if (ok) ok = WriteAll(out, buffer.data(), buffer.size());
    if (!ok) error = ErrnoText(outPath.c_str());
    if (ok && reader.Failed()) {
        ok = false;
        error = ErrnoText(logPath.c_str());
    }
    if (::close(out) != 0 && ok) {
        ok = false;
        error = ErrnoText(outPath.c_str());
    }
    return ok;
}

// Leftovers

LeftoverDataLog::LeftoverDataLog(int lockFd, std::string path)
    : fd_(lockFd), path_(std::move(path)) {
    DataLogReader reader(path_);
    std::int64_t ms = 0;
    std::string_view line;
    while (reader.Next(ms, line)) {
        if (lines_ == 0) firstMs_ = ms;
        ++lines_;
    }
}

LeftoverDataLog::~LeftoverDataLog() {
    if (fd_ >= 0) ::close(fd_);
}

LeftoverDataLog::LeftoverDataLog(LeftoverDataLog&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      lines_(other.lines_),
      firstMs_(other.firstMs_) {}

void LeftoverDataLog::Discard() {
    if (path_.empty()) return;
    ::unlink(path_.c_str());
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::vector<LeftoverDataLog> FindLeftoverDataLogs(const std::string& folder) {
    std::vector<LeftoverDataLog> found;
    std::error_code ec;
    std::vector<std::pair<std::filesystem::file_time_type, std::string>> names;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
            !name.ends_with(kSuffix))
            continue;
        std::error_code timeError;
        names.emplace_back(std::filesystem::last_write_time(it->path(), timeError),
                           it->path().string());
    }
    std::sort(names.begin(), names.end());
    for (const auto& [time, path] : names) {
        // Not blocking: opening a pipe of that name would wait for a writer.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) continue;
        // Only a plain file is a log; held by a running program, it is not
        // left over.
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
            ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            continue;
        }
        found.emplace_back(fd, path);
    }
    return found;
}

}  // namespace navoro
