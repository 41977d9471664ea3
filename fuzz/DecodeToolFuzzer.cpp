// Fuzzes navoro-decode's input path: any bytes must give valid JSON Lines.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "tools/decode/DecodeSession.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::FILE* sink = std::fopen("/dev/null", "w");
    navoro::DecodeSession session(sink);
    session.Feed(std::string_view(reinterpret_cast<const char*>(data), size));
    session.EndOfInput();
    return 0;
}
