// Fuzzes navoro-decode's input path: any bytes must give valid JSON Lines, one
// object per line with its "line" and "accepted" members, and a summary that
// counts them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz/RepairChecksums.h"
#include "tools/decode/DecodeSession.h"

namespace {

void Check(bool promise) {
    if (!promise) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const std::string input = navoro::fuzz::WantsRepairedChecksums(size)
                                  ? navoro::fuzz::RepairChecksums(raw)
                                  : std::string(raw);
    char* text = nullptr;
    std::size_t length = 0;
    std::FILE* out = open_memstream(&text, &length);
    if (out == nullptr) return 0;
    long lines = 0;
    {
        navoro::DecodeSession session(out);
        session.Feed(input);
        session.EndOfInput();
        session.WriteSummary();
        lines = session.Stats().Lines;
        Check(session.Stats().Accepted + session.Stats().Rejected == lines);
    }
    std::fclose(out);

    std::istringstream output(std::string(text, length));
    std::free(text);
    std::string line;
    long objects = 0;
    nlohmann::json last;
    while (std::getline(output, line)) {
        last = nlohmann::json::parse(line, nullptr, false);
        Check(last.is_object());
        if (last.contains("summary")) break;
        Check(last.contains("line") && last["line"].is_string() && last.contains("accepted") &&
              last["accepted"].is_boolean());
        ++objects;
    }
    Check(objects == lines && last.contains("summary") && last["summary"]["lines"] == lines);
    return 0;
}
