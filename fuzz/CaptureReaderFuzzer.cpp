// Fuzzes the capture reader: any bytes, as a plain file, gzip-compressed and as
// a damaged gzip file, must read as a plain split of the bytes says (the same
// lines from the plain and the compressed file), with counts, positions, times
// and the status in step, and nothing thrown. Inputs of odd length get their
// checksums repaired so that RMC, ZDA and GGA times are taken; one pair of
// lengths in four is read after a block of filler lines that puts the middle of
// the input where the reader's buffer is refilled.
#include <stdlib.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/RepairChecksums.h"
#include "link/CaptureReader.h"

namespace {

using navoro::CaptureLine;
using navoro::CaptureReader;
using navoro::CaptureStatus;
using navoro::CaptureTimeSource;

void Check(bool promise) {
    if (!promise) __builtin_trap();
}

constexpr std::int64_t kDayMs = 86'400'000;
// 0000-01-01T00:00:00Z and 10000-01-01T00:00:00Z, the range of a time stamp,
// widened by the largest offset from UTC.
constexpr std::int64_t kFirstStampMs = -62'167'219'200'000 - kDayMs;
constexpr std::int64_t kLastStampMs = 253'402'300'800'000 + kDayMs;
// The start time of untimed lines: 2026-12-10T17:34:46.123Z.
constexpr std::int64_t kStartMs = 1'796'924'086'123;

// A folder of this process's own, removed at exit.
class Folder {
  public:
    Folder() {
        char name[] = "/tmp/navoro-fuzz-capture-XXXXXX";
        if (::mkdtemp(name) != nullptr) path_ = name;
    }
    ~Folder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    std::string File(const char* name) const { return path_ + "/" + name; }
    bool Ok() const { return !path_.empty(); }

  private:
    std::string path_;
};

bool WriteFile(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// A gzip stream of the bytes (one compressor for the process: its tables are
// large, and made anew for every input they would take most of the time).
std::string Gzip(std::string_view bytes) {
    static z_stream stream{};
    static const bool ready =
        deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    if (!ready || deflateReset(&stream) != Z_OK) return {};
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    return result == Z_STREAM_END ? out : std::string();
}

bool ControlCharacter(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

// What the reader must make of the bytes, split plainly.
struct Expected {
    std::vector<std::string_view> Texts;
    std::vector<std::int64_t> StampMs;  // -1 without a stamp (no stamp is that early)
    std::uint64_t Read = 0;
    std::uint64_t Rejected = 0;
};

Expected Split(std::string_view bytes) {
    Expected out;
    while (!bytes.empty()) {
        const std::size_t lf = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, lf);
        bytes.remove_prefix(std::min(lf + 1, bytes.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        ++out.Read;
        if (line.size() > CaptureReader::kMaxLineLength ||
            std::any_of(line.begin(), line.end(),
                        [](char c) { return ControlCharacter(static_cast<unsigned char>(c)); })) {
            ++out.Rejected;
            continue;
        }
        std::int64_t ms = 0;
        const std::size_t stamp = navoro::ParseLineTimeStamp(line, ms);
        line.remove_prefix(stamp);
        if (line.empty()) {
            ++out.Rejected;
            continue;
        }
        out.Texts.push_back(line);
        out.StampMs.push_back(stamp > 0 ? ms : -1);
    }
    return out;
}

// The reader's judgement of the first bytes: binary or blank.
bool LooksBinary(std::string_view bytes) {
    const std::string_view sample = bytes.substr(0, 4096);
    if (sample.find('\0') != std::string_view::npos) return true;
    const auto controls = std::count_if(sample.begin(), sample.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return ControlCharacter(u) && u != '\r' && u != '\n';
    });
    return static_cast<std::size_t>(controls) * 100 > sample.size() * 5;
}

bool Blank(std::string_view bytes) {
    return bytes.find_first_not_of("\r\n") == std::string_view::npos;
}

struct Result {
    CaptureStatus Status = CaptureStatus::OpenFailed;
    std::vector<std::string> Texts;
    std::vector<std::int64_t> Times;
    std::vector<CaptureTimeSource> Sources;
    std::uint64_t Read = 0;
    std::uint64_t Rejected = 0;
    bool Compressed = false;
};

void CheckCounts(const CaptureReader& reader, std::uint64_t handedOut, std::uint64_t fileSize) {
    Check(reader.LinesRead() == reader.LinesAccepted() + reader.LinesRejected());
    Check(reader.LinesAccepted() == handedOut);
    Check(reader.FileSize() == fileSize);
    // The position costs a system call: looked at now and then.
    if ((handedOut & (handedOut - 1)) == 0) Check(reader.FilePosition() <= reader.FileSize());
    const bool failed = reader.Status() == CaptureStatus::OpenFailed ||
                        reader.Status() == CaptureStatus::ReadFailed;
    Check(failed != reader.Error().empty());
}

// Reads the file through, checking what holds after every step. `limit`
// bounds the lines (a file cannot give more lines than it has bytes, once
// decompressed).
Result ReadThrough(const std::string& path, std::uint64_t fileSize, std::uint64_t limit) {
    Result result;
    CaptureReader reader;
    result.Status = reader.Open(path, kStartMs);
    Check(result.Status == reader.Status());
    Check(result.Status != CaptureStatus::OpenFailed);
    CheckCounts(reader, 0, fileSize);
    if (result.Status != CaptureStatus::Ok) {
        CaptureLine line;
        Check(result.Status == CaptureStatus::ReadFailed || !reader.Next(line));
        return result;
    }
    result.Compressed = reader.Compressed();
    CaptureLine line;
    while (reader.Next(line)) {
        Check(!line.Text.empty() && line.Text.size() <= CaptureReader::kMaxLineLength);
        Check(std::none_of(line.Text.begin(), line.Text.end(),
                           [](char c) { return ControlCharacter(static_cast<unsigned char>(c)); }));
        Check(line.Source == CaptureTimeSource::Stamp || line.Source == CaptureTimeSource::Gnss ||
              line.Source == CaptureTimeSource::None);
        // Each line moves an untimed clock by 100 ms and a GNSS time of day
        // without a date by at most a day.
        const auto lines = static_cast<std::int64_t>(reader.LinesRead());
        Check(line.TimeMs >= std::min(kFirstStampMs, kStartMs));
        Check(line.TimeMs <= std::max(kLastStampMs, kStartMs) + lines * kDayMs);
        result.Texts.emplace_back(line.Text);
        result.Times.push_back(line.TimeMs);
        result.Sources.push_back(line.Source);
        Check(result.Texts.size() <= limit);
        CheckCounts(reader, result.Texts.size(), fileSize);
    }
    // The end stays the end.
    Check(!reader.Next(line));
    result.Status = reader.Status();
    Check(result.Status == CaptureStatus::Ok || result.Status == CaptureStatus::ReadFailed);
    CheckCounts(reader, result.Texts.size(), fileSize);
    Check(reader.FilePosition() <= reader.FileSize());
    if (result.Status == CaptureStatus::Ok) Check(reader.FilePosition() == reader.FileSize());
    result.Read = reader.LinesRead();
    result.Rejected = reader.LinesRejected();
    reader.Close();
    Check(!reader.Next(line));
    return result;
}

void CheckAgainstSplit(const Result& result, std::string_view bytes) {
    const bool binary = LooksBinary(bytes);
    Check((result.Status == CaptureStatus::Binary) == binary);
    if (binary) return;
    if (result.Status == CaptureStatus::Empty) {
        Check(Blank(bytes));
        return;
    }
    Check(result.Status == CaptureStatus::Ok);
    Check(!(Blank(bytes) && bytes.size() < 4096));  // that is Empty
    const Expected expected = Split(bytes);
    Check(result.Texts.size() == expected.Texts.size());
    for (std::size_t i = 0; i < result.Texts.size(); ++i) {
        Check(result.Texts[i] == expected.Texts[i]);
        // A line's own stamp is its time.
        if (expected.StampMs[i] != -1)
            Check(result.Sources[i] == CaptureTimeSource::Stamp &&
                  result.Times[i] == expected.StampMs[i]);
    }
    Check(result.Read == expected.Read && result.Rejected == expected.Rejected);
}

void CheckSame(const Result& a, const Result& b) {
    Check(a.Status == b.Status && a.Texts == b.Texts && a.Times == b.Times &&
          a.Sources == b.Sources && a.Read == b.Read && a.Rejected == b.Rejected);
}

void CheckTimeStamp(std::string_view text) {
    std::int64_t ms = 0;
    const std::size_t length = navoro::ParseLineTimeStamp(text, ms);
    Check(length <= text.size());
    if (length == 0) return;
    Check(length >= 20 && (text[length - 1] == ' ' || text[length - 1] == '\t'));
    Check(ms >= kFirstStampMs && ms <= kLastStampMs);
    // The stamp alone reads the same.
    std::int64_t again = 0;
    Check(navoro::ParseLineTimeStamp(text.substr(0, length), again) == length && again == ms);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Folder folder;
    if (!folder.Ok()) return 0;
    static const std::string plainPath = folder.File("capture.log");
    static const std::string gzipPath = folder.File("capture.log.gz");
    static const std::string damagedPath = folder.File("damaged.gz");

    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    CheckTimeStamp(raw);
    std::string bytes = navoro::fuzz::WantsRepairedChecksums(size)
                            ? navoro::fuzz::RepairChecksums(raw)
                            : std::string(raw);
    if (size / 2 % 4 == 3) {
        // Filler lines, so that the middle of the input is where the first
        // buffer ends.
        std::string filler(CaptureReader::kChunkSize + CaptureReader::kMaxLineLength + 2 - size / 2,
                           'f');
        for (std::size_t i = 999; i < filler.size(); i += 1000)
            filler[i] = '\n';
        filler.back() = '\n';
        bytes.insert(0, filler);
    }

    // The plain file: read as the split says, unless the bytes start as gzip.
    if (!WriteFile(plainPath, bytes)) return 0;
    const bool gzipMagic = bytes.size() >= 2 && bytes[0] == '\x1f' && bytes[1] == '\x8b';
    const Result plain =
        ReadThrough(plainPath, bytes.size(), gzipMagic ? 1100 * (bytes.size() + 64) : bytes.size());
    if (!gzipMagic) {
        CheckAgainstSplit(plain, bytes);
        Check(!plain.Compressed);
    }

    // Compressed: the same lines.
    const std::string compressed = Gzip(bytes);
    if (compressed.empty() || !WriteFile(gzipPath, compressed)) return 0;
    const Result unpacked = ReadThrough(gzipPath, compressed.size(), bytes.size());
    CheckAgainstSplit(unpacked, bytes);
    Check(unpacked.Status != CaptureStatus::Ok || unpacked.Compressed);
    if (!gzipMagic) CheckSame(plain, unpacked);

    // Damaged: cut short or with one byte changed, chosen by the input.
    std::string damaged = compressed;
    const std::size_t at = (size * 7919 + (size > 0 ? data[0] : 0)) % damaged.size();
    if (size > 0 && data[size - 1] % 2 == 0) {
        damaged.resize(at);
    } else {
        damaged[at] = static_cast<char>(damaged[at] ^ (size > 0 ? data[0] | 1 : 1));
    }
    if (!WriteFile(damagedPath, damaged)) return 0;
    // A damaged stream may inflate to more than it held, never beyond
    // deflate's largest ratio.
    ReadThrough(damagedPath, damaged.size(), 1100 * (damaged.size() + 64));
    return 0;
}
