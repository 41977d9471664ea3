// Fuzzes the settings file: any bytes on disk are read as the language setting,
// and writing the setting back keeps the file readable.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        "/tmp/navoro-fuzz-settings-" + std::to_string(getpid()) + ".ini";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    const int language = navoro::ReadSettings(path);
    if (navoro::WriteSettings(path, language & 3) && navoro::ReadSettings(path) != (language & 3)) {
        __builtin_trap();  // what was written must read back
    }
    return 0;
}
