#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace navoro::test {

// A fresh folder below the system's temporary folder, removed at the end.
class TempFolder {
  public:
    TempFolder() {
        static int counter = 0;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            path_ = base / ("navoro-app-test-" + std::to_string(::getpid()) + "-" +
                            std::to_string(++counter));
            std::error_code ec;
            if (std::filesystem::create_directory(path_, ec)) break;
        }
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace navoro::test
