#pragma once

// Reading the simulator's AIS lines in tests without the codec: the payload
// of one sentence as bits, and the established decoder gpsdecode (from
// gpsd-clients) as a second opinion when it is installed.

#include <unistd.h>

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace navoro::sim::test {

// The bits of a sentence's payload, 6 per character less the fill bits.
struct SentenceBits {
    std::vector<std::uint8_t> Bits;
    int Characters = 0;
    int FillBits = 0;

    std::uint64_t U(std::size_t from, int width) const {
        std::uint64_t value = 0;
        for (int i = 0; i < width; ++i)
            value = (value << 1) | Bits.at(from + static_cast<std::size_t>(i));
        return value;
    }
    std::int64_t S(std::size_t from, int width) const {
        const std::uint64_t u = U(from, width);
        const std::uint64_t sign = 1ULL << (width - 1);
        return static_cast<std::int64_t>((u ^ sign) - sign);
    }
};

// "!AIVDM,1,1,,A,<payload>,<fill>*hh\r\n" -> its payload's bits.
inline SentenceBits PayloadBits(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    const std::size_t star = line.find('*');
    const std::string_view body = line.substr(0, star);
    for (std::size_t comma; (comma = body.find(',', start)) != std::string_view::npos;
         start = comma + 1)
        fields.push_back(body.substr(start, comma - start));
    fields.push_back(body.substr(start));
    SentenceBits out;
    if (fields.size() != 7) return out;
    out.Characters = static_cast<int>(fields[5].size());
    out.FillBits = std::atoi(std::string(fields[6]).c_str());
    for (const char c : fields[5]) {
        int v = c - 48;
        if (v > 40) v -= 8;
        for (int b = 5; b >= 0; --b)
            out.Bits.push_back(static_cast<std::uint8_t>((v >> b) & 1));
    }
    out.Bits.resize(out.Bits.size() - static_cast<std::size_t>(out.FillBits));
    return out;
}

// The path of gpsdecode, or empty when it is not installed.
inline std::string GpsdecodePath() {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = dir + "/gpsdecode";
        if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

// Runs gpsdecode (unscaled JSON, both parts of a message 24 on their own)
// over `lines` and returns one object for each message it decoded.
inline std::vector<nlohmann::json> Gpsdecode(const std::vector<std::string>& lines) {
    std::vector<nlohmann::json> out;
    const std::string program = GpsdecodePath();
    if (program.empty()) return out;
    char name[] = "/tmp/navoro-sim-ais-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return out;
    close(fd);
    {
        std::ofstream file(name, std::ios::binary);
        for (const std::string& line : lines)
            file << line;
    }
    const std::string command = program + " -u -j --split24 < " + name;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        std::string text;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
        std::stringstream stream(text);
        for (std::string line; std::getline(stream, line);) {
            nlohmann::json object = nlohmann::json::parse(line, nullptr, false);
            if (!object.is_discarded() && object.value("class", "") == "AIS")
                out.push_back(std::move(object));
        }
    }
    std::filesystem::remove(name);
    return out;
}

}  // namespace navoro::sim::test
