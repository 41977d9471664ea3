#include "link/CaptureReader.h"

#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "codec/Fields.h"

namespace navoro {

namespace {

constexpr std::int64_t kDayMs = 86'400'000;
constexpr std::int64_t kDaySeconds = 86'400;
// How much of the start of a file is looked at to tell text from binary data,
// and the share of control characters (other than tab, CR and LF) it may hold.
constexpr std::size_t kBinarySample = 4096;
constexpr std::size_t kBinaryControlPercent = 5;

gzFile File(void* file) {
    return static_cast<gzFile>(file);
}

// `count` digits at `at` of `text`; false when any is not a digit.
bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[at + i];
        if (!IsDigit(c)) return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// Days since the epoch of a valid date; false for an impossible one.
bool DaysOf(int year, int month, int day, std::int64_t& days) {
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(year),
                              std::chrono::month(static_cast<unsigned>(month)),
                              std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok()) return false;
    days = sys_days(date).time_since_epoch().count();
    return true;
}

bool ControlCharacter(unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F;
}

// The comma-separated field `index` (0: the address) of a sentence, without
// its checksum.
std::string_view Field(std::string_view sentence, int index) {
    const std::size_t star = sentence.find('*');
    if (star != std::string_view::npos) sentence = sentence.substr(0, star);
    for (int i = 0; i < index; ++i) {
        const std::size_t comma = sentence.find(',');
        if (comma == std::string_view::npos) return {};
        sentence.remove_prefix(comma + 1);
    }
    return sentence.substr(0, sentence.find(','));
}

// True when the sentence has no checksum or a right one.
bool ChecksumFits(std::string_view sentence) {
    const std::size_t star = sentence.find('*');
    if (star == std::string_view::npos) return true;
    if (star + 3 > sentence.size()) return false;
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i)
        sum ^= static_cast<unsigned char>(sentence[i]);
    unsigned given = 0;
    for (std::size_t i = star + 1; i < star + 3; ++i) {
        const char c = sentence[i];
        given <<= 4;
        if (IsDigit(c)) {
            given |= static_cast<unsigned>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            given |= static_cast<unsigned>(c - 'A' + 10);
        } else if (c >= 'a' && c <= 'f') {
            given |= static_cast<unsigned>(c - 'a' + 10);
        } else {
            return false;
        }
    }
    return given == sum;
}

// The second of the day of an "hhmmss[.ss]" field.
bool SecondOfDay(std::string_view field, std::int64_t& second) {
    int h = 0;
    int m = 0;
    int s = 0;
    if (!Digits(field, 0, 2, h) || !Digits(field, 2, 2, m) || !Digits(field, 4, 2, s)) return false;
    if (h > 23 || m > 59 || s > 60) return false;
    second = h * 3600 + m * 60 + std::min(s, 59);
    return true;
}

}  // namespace

std::size_t ParseLineTimeStamp(std::string_view text, std::int64_t& ms) {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!Digits(text, 0, 4, year) || text.size() < 19 || text[4] != '-' ||
        !Digits(text, 5, 2, month) || text[7] != '-' || !Digits(text, 8, 2, day) ||
        (text[10] != 'T' && text[10] != ' ') || !Digits(text, 11, 2, hour) || text[13] != ':' ||
        !Digits(text, 14, 2, minute) || text[16] != ':' || !Digits(text, 17, 2, second))
        return 0;
    std::int64_t days = 0;
    if (!DaysOf(year, month, day, days) || hour > 23 || minute > 59 || second > 60) return 0;
    std::size_t at = 19;
    int millis = 0;
    if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
        ++at;
        int scale = 100;
        const std::size_t first = at;
        while (at < text.size() && IsDigit(text[at])) {
            millis += (text[at] - '0') * scale;
            scale /= 10;
            ++at;
        }
        if (at == first) return 0;
    }
    std::int64_t offsetMinutes = 0;
    if (at < text.size() && text[at] == 'Z') {
        ++at;
    } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        const int sign = text[at] == '-' ? -1 : 1;
        int oh = 0;
        int om = 0;
        if (!Digits(text, at + 1, 2, oh)) return 0;
        at += 3;
        if (at < text.size() && text[at] == ':') ++at;
        if (!Digits(text, at, 2, om)) return 0;
        at += 2;
        if (oh > 23 || om > 59) return 0;
        offsetMinutes = sign * (oh * 60 + om);
    }
    if (at >= text.size() || (text[at] != ' ' && text[at] != '\t')) return 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    ms = days * kDayMs + ((hour * 60 + minute) * 60 + std::min(second, 59)) * 1000LL + millis -
         offsetMinutes * 60'000;
    return at;
}

CaptureReader::CaptureReader() : buffer_(new char[kChunkSize + kMaxLineLength + 2]) {}

CaptureReader::~CaptureReader() {
    Close();
    delete[] buffer_;
}

void CaptureReader::Close() {
    if (file_) gzclose(File(file_));
    file_ = nullptr;
    // What was read ahead goes with the file: a closed reader (a binary or an
    // empty file too) hands out no more lines.
    begin_ = end_ = 0;
    skipping_ = false;
}

CaptureStatus CaptureReader::Open(const std::string& path, std::int64_t startMs) {
    Close();
    begin_ = end_ = 0;
    eof_ = skipping_ = compressed_ = timed_ = false;
    read_ = accepted_ = rejected_ = 0;
    fileSize_ = 0;
    error_.clear();
    timeMs_ = startMs - kUntimedStepMs;
    gnssDay_ = startMs / kDayMs;
    gnssSecond_ = -1;
    stamped_ = false;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error_ = path + ": " + std::strerror(errno);
        return status_ = CaptureStatus::OpenFailed;
    }
    if (S_ISDIR(info.st_mode)) {
        error_ = path + ": " + std::strerror(EISDIR);
        return status_ = CaptureStatus::OpenFailed;
    }
    fileSize_ = static_cast<std::uint64_t>(info.st_size);
    gzFile file = gzopen(path.c_str(), "rbe");
    if (!file) {
        error_ = path + ": " + std::strerror(errno ? errno : ENOMEM);
        return status_ = CaptureStatus::OpenFailed;
    }
    file_ = file;
    gzbuffer(file, 128 * 1024);
    status_ = CaptureStatus::Ok;
    // Enough of the start to judge it, and the end of a small file.
    while (end_ < kBinarySample && Fill()) {
    }
    if (status_ == CaptureStatus::ReadFailed) return status_;
    compressed_ = gzdirect(file) == 0;
    // Text has no NUL and few control characters in its first few kilobytes.
    const std::size_t sample = std::min(end_, kBinarySample);
    std::size_t controls = 0;
    for (std::size_t i = 0; i < sample; ++i) {
        const auto c = static_cast<unsigned char>(buffer_[i]);
        if (c == 0) {
            controls = sample;
            break;
        }
        if (ControlCharacter(c)) ++controls;
    }
    if (sample > 0 && controls * 100 > sample * kBinaryControlPercent) {
        Close();
        return status_ = CaptureStatus::Binary;
    }
    bool blank = true;
    for (std::size_t i = 0; i < end_ && blank; ++i)
        blank = buffer_[i] == '\r' || buffer_[i] == '\n';
    if (blank && eof_) {
        Close();
        return status_ = CaptureStatus::Empty;
    }
    return status_;
}

bool CaptureReader::Fill() {
    if (eof_ || !file_) return false;
    if (begin_ > 0) {
        std::memmove(buffer_, buffer_ + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const std::size_t room = kChunkSize + kMaxLineLength + 2 - end_;
    const int n = gzread(File(file_), buffer_ + end_, static_cast<unsigned>(room));
    if (n < 0) {
        int code = 0;
        const char* message = gzerror(File(file_), &code);
        error_ = code == Z_ERRNO ? std::strerror(errno) : (message ? message : "read error");
        status_ = CaptureStatus::ReadFailed;
        eof_ = true;
        return false;
    }
    if (n == 0) {
        // A gzip stream cut short reads as its end; zlib tells it apart.
        int code = Z_OK;
        const char* message = gzerror(File(file_), &code);
        if (code != Z_OK && code != Z_STREAM_END) {
            error_ = message ? message : "decompression failed";
            status_ = CaptureStatus::ReadFailed;
        }
        eof_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(n);
    return true;
}

std::uint64_t CaptureReader::FilePosition() const {
    if (!file_) return eof_ ? fileSize_ : 0;
    const z_off_t offset = gzoffset(File(file_));
    if (offset < 0) return 0;
    auto position = static_cast<std::uint64_t>(offset);
    // Plain text read ahead into the buffer is not read yet; for gzip the
    // compressed position is near enough.
    if (!compressed_) position -= std::min<std::uint64_t>(position, end_ - begin_);
    return position;
}

bool CaptureReader::Next(CaptureLine& line) {
    if (!file_ && begin_ == end_) return false;
    for (;;) {
        char* start = buffer_ + begin_;
        const std::size_t available = end_ - begin_;
        if (auto* lf = static_cast<char*>(std::memchr(start, '\n', available))) {
            const auto length = static_cast<std::size_t>(lf - start);
            begin_ += length + 1;
            if (skipping_) {
                skipping_ = false;  // the end of an over-long line, counted already
                continue;
            }
            if (Take(start, length, line)) return true;
            continue;
        }
        if (available > kMaxLineLength + 1) {
            // Too long to be a line: count it once and drop it up to its LF.
            if (!skipping_) {
                ++read_;
                ++rejected_;
                skipping_ = true;
            }
            begin_ = end_;
        }
        if (!Fill()) {
            // The last line, unless it is the end of an over-long one.
            const std::size_t rest = skipping_ ? 0 : end_ - begin_;
            char* tail = buffer_ + begin_;
            Close();
            return rest > 0 && Take(tail, rest, line);
        }
    }
}

bool CaptureReader::Take(char* begin, std::size_t length, CaptureLine& line) {
    if (length > 0 && begin[length - 1] == '\r') --length;
    if (length == 0) return false;
    ++read_;
    if (length > kMaxLineLength) {
        ++rejected_;
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (ControlCharacter(static_cast<unsigned char>(begin[i])) || begin[i] == '\r') {
            ++rejected_;
            return false;
        }
    }
    std::string_view text(begin, length);
    std::int64_t stampMs = 0;
    if (const std::size_t stamp = ParseLineTimeStamp(text, stampMs); stamp > 0) {
        text.remove_prefix(stamp);
        stamped_ = timed_ = true;
        timeMs_ = stampMs;
        source_ = CaptureTimeSource::Stamp;
    } else if (!stamped_ && GnssTime(text)) {
        timed_ = true;
        timeMs_ = gnssDay_ * kDayMs + gnssSecond_ * 1000;
        source_ = CaptureTimeSource::Gnss;
    } else if (!timed_) {
        timeMs_ += kUntimedStepMs;
        source_ = CaptureTimeSource::None;
    }
    if (text.empty()) {
        ++rejected_;
        return false;
    }
    ++accepted_;
    line.Text = text;
    line.TimeMs = timeMs_;
    line.Source = source_;
    return true;
}

bool CaptureReader::GnssTime(std::string_view text) {
    if (text.size() < 7 || text[0] != '$' || text[6] != ',') return false;
    const std::string_view formatter = text.substr(3, 3);
    const bool rmc = formatter == "RMC";
    const bool zda = formatter == "ZDA";
    if (!rmc && !zda && formatter != "GGA") return false;
    if (!ChecksumFits(text)) return false;
    std::int64_t second = 0;
    if (!SecondOfDay(Field(text, 1), second)) return false;
    std::int64_t day = gnssDay_;
    bool dated = false;
    if (rmc) {
        const std::string_view date = Field(text, 9);
        int d = 0;
        int m = 0;
        int y = 0;
        if (date.size() == 6 && Digits(date, 0, 2, d) && Digits(date, 2, 2, m) &&
            Digits(date, 4, 2, y))
            dated = DaysOf(y < 80 ? 2000 + y : 1900 + y, m, d, day);
    } else if (zda) {
        int d = 0;
        int m = 0;
        int y = 0;
        const std::string_view dd = Field(text, 2);
        const std::string_view mm = Field(text, 3);
        const std::string_view yyyy = Field(text, 4);
        if (dd.size() == 2 && mm.size() == 2 && yyyy.size() == 4 && Digits(dd, 0, 2, d) &&
            Digits(mm, 0, 2, m) && Digits(yyyy, 0, 4, y))
            dated = DaysOf(y, m, d, day);
    }
    // Without a date, a time of day far before the last one is the next day's.
    if (!dated && gnssSecond_ >= 0 && second + kDaySeconds / 2 < gnssSecond_) ++day;
    gnssDay_ = day;
    gnssSecond_ = second;
    return true;
}

}  // namespace navoro
