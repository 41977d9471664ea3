#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace navoro {

// Where a replayed line's time came from.
enum class CaptureTimeSource : std::uint8_t {
    Stamp,  // a time stamp at the start of the line (the data log's own or ISO 8601)
    Gnss,   // the GNSS time of the last RMC, ZDA or GGA sentence
    None,   // no time yet: the line follows the one before it by 100 ms
};

// One line of a capture: its text without the time stamp and without CR LF,
// valid until the next call of Next; its time in milliseconds since the epoch
// (UTC).
struct CaptureLine {
    std::string_view Text;
    std::int64_t TimeMs = 0;
    CaptureTimeSource Source = CaptureTimeSource::None;
};

// How opening or reading a capture went.
enum class CaptureStatus : std::uint8_t {
    Ok,
    OpenFailed,  // the file could not be opened (Error() says why)
    Empty,       // the file holds no lines
    Binary,      // the file does not hold text
    ReadFailed,  // reading or decompressing failed part way (Error() says why)
};

// Reads a capture, a saved data log or any NMEA 0183 text file, line by line,
// as a port delivers them. Plain text and gzip (told by its magic bytes, so a
// ".gz" name is not needed) are decompressed as they are read: a file of any
// size is streamed through a buffer of fixed size. LF ends a line, a CR before
// it is dropped. A line longer than kMaxLineLength or holding bytes that are
// not text is counted rejected and skipped, never kept whole; empty lines are
// passed over.
//
// A line may start with a time stamp, "2026-12-10T17:34:46.123Z " as the data
// log writes it, or any ISO 8601 date and time ("2026-12-10 17:34:46",
// "2026-12-10T17:34:46+02:00"), followed by a space or tab. A line without one
// takes the GNSS time of the last RMC, ZDA or GGA sentence (to the second,
// so each new second starts a new burst of lines); before any time is seen, each
// line follows the one before by 100 ms, from the start time.
class CaptureReader {
  public:
    static constexpr std::size_t kMaxLineLength = 4096;
    static constexpr std::size_t kChunkSize = 64 * 1024;
    static constexpr std::int64_t kUntimedStepMs = 100;

    CaptureReader();
    ~CaptureReader();
    CaptureReader(const CaptureReader&) = delete;
    CaptureReader& operator=(const CaptureReader&) = delete;

    // Opens `path` and checks that it holds text; `startMs` is the time of an
    // untimed first line. Ok, OpenFailed, Empty or Binary.
    CaptureStatus Open(const std::string& path, std::int64_t startMs = 0);
    // The next line; false at the end of the file or when reading failed
    // (Status() then says ReadFailed).
    bool Next(CaptureLine& line);
    // Closes the file; Next then hands out no more lines.
    void Close();

    CaptureStatus Status() const { return status_; }
    // The reason of OpenFailed and ReadFailed.
    const std::string& Error() const { return error_; }

    // Lines read (empty ones not counted), handed out, and rejected.
    std::uint64_t LinesRead() const { return read_; }
    std::uint64_t LinesAccepted() const { return accepted_; }
    std::uint64_t LinesRejected() const { return rejected_; }

    // The file's size and how far into it reading is, in bytes of the file
    // (compressed bytes for gzip), for a progress display.
    std::uint64_t FileSize() const { return fileSize_; }
    std::uint64_t FilePosition() const;
    bool Compressed() const { return compressed_; }

  private:
    // Refills the buffer; false at the end of the data or on a failure.
    bool Fill();
    // Handles one complete line; true when it is handed out.
    bool Take(char* begin, std::size_t length, CaptureLine& line);
    // Takes the GNSS time of an RMC, ZDA or GGA sentence; false for any other.
    bool GnssTime(std::string_view text);

    void* file_ = nullptr;  // gzFile
    CaptureStatus status_ = CaptureStatus::OpenFailed;
    std::string error_;
    char* buffer_ = nullptr;  // kChunkSize + kMaxLineLength + 1 bytes
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool skipping_ = false;  // inside an over-long line, dropping up to its LF
    std::uint64_t fileSize_ = 0;
    bool compressed_ = false;
    std::uint64_t read_ = 0;
    std::uint64_t accepted_ = 0;
    std::uint64_t rejected_ = 0;
    // The time of the last line, and whether a time was ever seen.
    std::int64_t timeMs_ = 0;
    bool timed_ = false;
    bool stamped_ = false;  // a line had a time stamp: GNSS times are not used
    CaptureTimeSource source_ = CaptureTimeSource::None;
    // The last GNSS date (days since the epoch) and time of day (seconds).
    std::int64_t gnssDay_ = 0;
    std::int64_t gnssSecond_ = -1;
};

// Parses a time stamp at the start of `text`: a date and time in ISO 8601
// ("YYYY-MM-DDThh:mm:ss", T or a space between them, optional fraction, Z or a
// ±hh:mm offset) followed by a space or tab. Returns the number of characters
// of the stamp and its separator (0 when there is none) and sets `ms`.
std::size_t ParseLineTimeStamp(std::string_view text, std::int64_t& ms);

}  // namespace navoro
