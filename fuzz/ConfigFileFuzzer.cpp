// Fuzzes the configuration file: any bytes are read into problems or a file,
// never an abort; a file that reads without problems writes back to a text
// that reads again to the same settings, and its diff with itself is empty.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/ConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const navoro::ConfigFileRead read = navoro::ReadConfigFile(text);
    for (const navoro::ConfigFileProblem& problem : read.Problems) {
        if (problem.Message.empty()) __builtin_trap();  // every problem says what is wrong
    }
    if (!read.Problems.empty()) return 0;
    const std::string written = navoro::WriteConfigFile(read.File);
    const navoro::ConfigFileRead again = navoro::ReadConfigFile(written);
    if (!again.Problems.empty() || !(again.File.Tabs == read.File.Tabs) ||
        navoro::WriteConfigFile(again.File) != written ||
        !navoro::DiffConfigFiles(read.File, again.File).empty())
        __builtin_trap();
    return 0;
}
