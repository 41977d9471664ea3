#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "link/CaptureReader.h"
#include "link/ReplaySchedule.h"

namespace navoro {
namespace {

namespace fs = std::filesystem;

// 2026-12-10T17:34:46.123Z in milliseconds since the epoch.
constexpr std::int64_t kStampMs = 1796924086123;
constexpr std::int64_t k173446 = 1796924086000;

class CaptureFiles : public ::testing::Test {
  protected:
    CaptureFiles() {
        folder_ = fs::temp_directory_path() / ("navoro-capture-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    ~CaptureFiles() override { fs::remove_all(folder_); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string WriteGzip(const std::string& name, const std::string& bytes) {
        const std::string path = (folder_ / name).string();
        gzFile file = gzopen(path.c_str(), "wb");
        gzwrite(file, bytes.data(), static_cast<unsigned>(bytes.size()));
        gzclose(file);
        return path;
    }

    struct Read {
        CaptureStatus Status;
        std::vector<std::string> Texts;
        std::vector<std::int64_t> Times;
        std::vector<CaptureTimeSource> Sources;
        std::uint64_t ReadCount = 0, Accepted = 0, Rejected = 0;
    };
    static Read ReadAll(const std::string& path, std::int64_t startMs = 0) {
        CaptureReader reader;
        Read result{reader.Open(path, startMs), {}, {}, {}};
        CaptureLine line;
        while (reader.Next(line)) {
            result.Texts.emplace_back(line.Text);
            result.Times.push_back(line.TimeMs);
            result.Sources.push_back(line.Source);
        }
        if (reader.Status() != CaptureStatus::Ok) result.Status = reader.Status();
        result.ReadCount = reader.LinesRead();
        result.Accepted = reader.LinesAccepted();
        result.Rejected = reader.LinesRejected();
        return result;
    }

    fs::path folder_;
};

const std::string kRmc = "$GNRMC,173446.00,A,6022.3336,N,00517.2554,E,7.4,213.6,101226,,,A,V*3C";
const std::string kVdm = "!AIVDM,1,1,,B,13m=TNP01:PH=6PRRqF8F6cL0000,2*17";
const std::string kGga = "$GNGGA,173447.00,6022.3336,N,00517.2554,E,1,24,0.6,12.0,M,41.2,M,,*42";

TEST_F(CaptureFiles, SplitsTimeStampsAndTakesGnssTimeOrTenLinesASecond) {
    using S = CaptureTimeSource;
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> texts;
        std::vector<std::int64_t> times;
        std::vector<S> sources;
    };
    const Case cases[] = {
        {"data log stamps, CRLF",
         "2026-12-10T17:34:46.123Z " + kVdm + "\r\n2026-12-10T17:34:47.000Z " + kRmc + "\r\n",
         {kVdm, kRmc},
         {kStampMs, k173446 + 1000},
         {S::Stamp, S::Stamp}},
        {"ISO 8601 with offset and space, LF; a stamp wins over GNSS time",
         "2026-12-10 19:34:46,5+02:00\t" + kRmc + "\n" + kVdm + "\n",
         {kRmc, kVdm},
         {k173446 + 500, k173446 + 500},
         {S::Stamp, S::Stamp}},
        {"GNSS time: a new second starts a new burst",
         kVdm + "\n" + kRmc + "\n" + kVdm + "\n" + kGga + "\n" + kVdm,
         {kVdm, kRmc, kVdm, kGga, kVdm},
         {5000, k173446, k173446, k173446 + 1000, k173446 + 1000},
         {S::None, S::Gnss, S::Gnss, S::Gnss, S::Gnss}},
        {"no time at all, no line end at the end",
         kVdm + "\n" + kVdm + "\r\n\r\n" + kVdm,
         {kVdm, kVdm, kVdm},
         {5000, 5100, 5200},
         {S::None, S::None, S::None}},
        {"a bad checksum or a date-like line is no time",
         "$GNRMC,173446.00,A,6022.3336,N,00517.2554,E,7.4,213.6,101226,,,A,V*3D\n"
         "2026-13-10T17:34:46Z " +
             kVdm + "\n",
         {"$GNRMC,173446.00,A,6022.3336,N,00517.2554,E,7.4,213.6,101226,,,A,V*3D",
          "2026-13-10T17:34:46Z " + kVdm},
         {5000, 5100},
         {S::None, S::None}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read r = ReadAll(Write("capture.log", c.bytes), 5000);
        EXPECT_EQ(r.Status, CaptureStatus::Ok);
        EXPECT_EQ(r.Texts, c.texts);
        EXPECT_EQ(r.Times, c.times);
        EXPECT_EQ(r.Sources, c.sources);
        EXPECT_EQ(r.Accepted, c.texts.size());
        EXPECT_EQ(r.Rejected, 0u);
    }
}

TEST_F(CaptureFiles, GnssTimeOfDayWithoutADateRollsOverMidnight) {
    const std::string late = "$GPGGA,235959,6022.3336,N,00517.2554,E,1,08,0.9,12.0,M,41.2,M,,";
    const std::string early = "$GPGGA,000000,6022.3336,N,00517.2554,E,1,08,0.9,12.0,M,41.2,M,,";
    const Read r = ReadAll(Write("midnight.nmea", late + "\n" + early + "\n"), k173446);
    ASSERT_EQ(r.Times.size(), 2u);
    EXPECT_EQ(r.Times[1] - r.Times[0], 1000);
}

TEST_F(CaptureFiles, ReadsGzipByItsMagicAndAPlainFileNamedGz) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "2026-12-10T17:34:46.123Z " + kVdm + "\r\n";
    for (const std::string& path : {WriteGzip("capture.log.gz", text),
                                    WriteGzip("compressed.log", text), Write("plain.gz", text)}) {
        SCOPED_TRACE(path);
        CaptureReader reader;
        ASSERT_EQ(reader.Open(path), CaptureStatus::Ok);
        CaptureLine line;
        std::uint64_t lines = 0;
        while (reader.Next(line)) {
            ASSERT_EQ(line.Text, kVdm);
            ++lines;
        }
        EXPECT_EQ(reader.Status(), CaptureStatus::Ok);
        EXPECT_EQ(lines, 20000u);
        EXPECT_EQ(reader.FilePosition(), reader.FileSize());
    }
}

TEST_F(CaptureFiles, BadInputGetsAClearResult) {
    std::string binary(3000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 37 % 251);
    EXPECT_EQ(ReadAll(Write("empty.log", "")).Status, CaptureStatus::Empty);
    EXPECT_EQ(ReadAll(Write("blank.log", "\r\n\n\r\n")).Status, CaptureStatus::Empty);
    EXPECT_EQ(ReadAll(WriteGzip("empty.gz", "")).Status, CaptureStatus::Empty);
    EXPECT_EQ(ReadAll(Write("image.png", binary)).Status, CaptureStatus::Binary);
    EXPECT_EQ(ReadAll(Write("nul.log", kVdm + "\n" + std::string(4, '\0') + "\n")).Status,
              CaptureStatus::Binary);
    EXPECT_EQ(ReadAll((folder_ / "missing.log").string()).Status, CaptureStatus::OpenFailed);
    EXPECT_EQ(ReadAll(folder_.string()).Status, CaptureStatus::OpenFailed);

    // A gzip stream cut short: the lines before the cut, then a failure.
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += kVdm + "\n";
    const std::string whole = WriteGzip("whole.gz", text);
    const auto size = fs::file_size(whole);
    fs::resize_file(whole, size / 2);
    const Read cut = ReadAll(whole);
    EXPECT_EQ(cut.Status, CaptureStatus::ReadFailed);
    EXPECT_GT(cut.Accepted, 0u);
    EXPECT_LT(cut.Accepted, 5000u);
}

TEST_F(CaptureFiles, AClosedReaderHandsOutNoMoreLines) {
    // Text lines read ahead with the file: a NUL among them makes it binary.
    const std::string binary = kVdm + "\n" + kVdm + "\n" + std::string(1, '\0') + "\n" + kVdm;
    const std::string text = kVdm + "\n" + kVdm + "\n" + kVdm + "\n";
    struct Case {
        const char* name;
        std::string path;
        CaptureStatus opened;
        std::uint64_t linesBeforeClose;
    };
    const Case cases[] = {
        {"binary", Write("nul.log", binary), CaptureStatus::Binary, 0},
        {"binary, compressed", WriteGzip("nul.gz", binary), CaptureStatus::Binary, 0},
        {"closed after a line", Write("text.log", text), CaptureStatus::Ok, 1},
        {"closed after a line, compressed", WriteGzip("text.gz", text), CaptureStatus::Ok, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CaptureReader reader;
        ASSERT_EQ(reader.Open(c.path), c.opened);
        CaptureLine line;
        for (std::uint64_t i = 0; i < c.linesBeforeClose; ++i)
            ASSERT_TRUE(reader.Next(line));
        reader.Close();
        EXPECT_FALSE(reader.Next(line));
        EXPECT_EQ(reader.LinesRead(), c.linesBeforeClose);
        EXPECT_EQ(reader.LinesAccepted(), c.linesBeforeClose);
    }
}

TEST_F(CaptureFiles, OverLongAndNonTextLinesAreRejectedAndSkipped) {
    const std::string tenKb(10 * 1024, 'A');
    const std::string atCap(CaptureReader::kMaxLineLength, 'B');
    const std::string overCap(CaptureReader::kMaxLineLength + 1, 'C');
    const std::string overBuffer(3 * CaptureReader::kChunkSize, 'D');
    const std::string bytes = kVdm + "\n" + tenKb + "\r\n" + overBuffer + "\n" + atCap + "\r\n" +
                              overCap + "\n" + "$GP\x01GGA\n" + kVdm + "\n" + tenKb;
    const Read r = ReadAll(Write("long.log", bytes));
    EXPECT_EQ(r.Status, CaptureStatus::Ok);
    EXPECT_EQ(r.Texts, (std::vector<std::string>{kVdm, atCap, kVdm}));
    EXPECT_EQ(r.ReadCount, 8u);
    EXPECT_EQ(r.Accepted, 3u);
    EXPECT_EQ(r.Rejected, 5u);
}

TEST(ReplaySchedule, PacesByTheCaptureClockAtEachSpeed) {
    struct Case {
        ReplaySpeed speed;
        std::int64_t secondLineDue;  // the capture's lines are 1 s apart
    };
    for (const Case& c : {Case{ReplaySpeed::Real, 1000}, Case{ReplaySpeed::Times10, 100},
                          Case{ReplaySpeed::Times100, 10}, Case{ReplaySpeed::Fastest, 0}}) {
        ReplaySchedule s;
        s.SetSpeed(c.speed, 0);
        EXPECT_EQ(s.Due(k173446, 0), 0);
        s.Taken(k173446, 0);
        EXPECT_EQ(s.Due(k173446, 0), 0) << "a burst of lines comes together";
        s.Taken(k173446, 0);
        EXPECT_EQ(s.Due(k173446 + 1000, 0), c.secondLineDue);
        EXPECT_EQ(s.CaptureNow(), k173446);
    }
}

TEST(ReplaySchedule, GapsAndStepsBackAreShortAndPauseHoldsEverything) {
    ReplaySchedule s;
    s.Taken(0, 0);
    EXPECT_EQ(s.Due(3'600'000, 0), ReplaySchedule::kGapStepMs);
    s.Taken(3'600'000, 1000);
    EXPECT_EQ(s.Due(3'599'000, 1000), 2000);
    s.Taken(3'599'000, 2000);
    EXPECT_EQ(s.CaptureNow(), 3'599'000);

    // Paused: nothing is due; resumed 1 min later: the next line follows its
    // gap from then, not at once.
    s.Pause(2000);
    EXPECT_EQ(s.Due(3'600'000, 2500), ReplaySchedule::kNever);
    s.Resume(62'000);
    EXPECT_EQ(s.Due(3'600'000, 62'000), 63'000);
    // A faster speed goes on from where the replay is.
    s.SetSpeed(ReplaySpeed::Times10, 62'500);
    EXPECT_EQ(s.Due(3'600'000, 62'500), 62'600);
}

}  // namespace
}  // namespace navoro
