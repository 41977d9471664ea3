#include "app/SettingsFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/DataFolder.h"
#include "ui/IniFile.h"

namespace navoro {

SettingsLocation ResolveSettingsLocation(const std::string& documentsFolder) {
    const std::string documents = WithSeparator(documentsFolder);
    std::string folder = documents + kSettingsSubfolder;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::filesystem::create_directories(folder, ec);
        if (ec || !std::filesystem::is_directory(folder, ec)) folder = documents;
    }
    return SettingsLocation{folder, folder + kSettingsFileName};
}

int ReadSettings(const std::string& path) {
    const auto ini = IniFile::Load(path);
    if (!ini) return 0;
    const auto value = ini->Value(kSettingsSection, kSettingsLanguageKey);
    if (!value || value->empty()) return 0;
    const char* first = value->data();
    const char* last = first + value->size();
    if (*first == '+') ++first;
    int result = 0;
    const auto [end, ec] = std::from_chars(first, last, result);
    if (ec != std::errc() || end != last) return 0;
    return result;
}

bool WriteSettings(const std::string& path, int languageIndex, std::string* error) {
    IniFile ini;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        std::string readError;
        auto existing = IniFile::Load(path, &readError);
        if (!existing) {
            if (error) *error = readError;
            return false;
        }
        ini = std::move(*existing);
    }
    ini.Set(kSettingsSection, kSettingsLanguageKey, std::to_string(languageIndex));
    const std::string text = ini.Text();

    const std::string temp = path + ".new";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        if (error) *error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        if (error) *error = std::strerror(written ? errno : writeErrno);
        std::remove(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        if (error) *error = std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace navoro
