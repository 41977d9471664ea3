#include "app/ReadMe.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace navoro {

std::optional<std::vector<std::string>> LoadReadMe(const std::string& path, CodePage page) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(kMaxReadMeBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));

    std::vector<std::string> lines;
    std::string_view rest(bytes);
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        do {
            std::size_t n = CharacterBoundary(line, kReadMePieceBytes, page);
            if (n == 0 && !line.empty()) n = 1;  // never stall
            lines.push_back(DecodeToUtf8(line.substr(0, n), page));
            line.remove_prefix(n);
        } while (!line.empty());
    }
    return lines;
}

}  // namespace navoro
