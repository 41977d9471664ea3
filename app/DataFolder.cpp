#include "app/DataFolder.h"

#include <filesystem>
#include <system_error>

namespace navoro {

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

namespace {

bool HasLangFolder(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder / "Lang", error);
}

}  // namespace

std::string ResolveDataFolder(const std::string& exeFolder) {
    const std::filesystem::path exe(exeFolder);
    if (HasLangFolder(exe)) return WithSeparator(exeFolder);
    const std::filesystem::path installed = exe / ".." / "share" / "navoro";
    if (HasLangFolder(installed)) {
        std::error_code error;
        const std::filesystem::path canonical = std::filesystem::weakly_canonical(installed, error);
        return WithSeparator(error ? installed.string() : canonical.string());
    }
    return WithSeparator(exeFolder);
}

}  // namespace navoro
