#include "app/SettingsFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
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

namespace {

std::optional<int> WholeNumber(const std::optional<std::string>& value) {
    if (!value || value->empty()) return std::nullopt;
    const char* first = value->data();
    const char* last = first + value->size();
    if (*first == '+') ++first;
    int result = 0;
    const auto [end, ec] = std::from_chars(first, last, result);
    if (ec != std::errc() || end != last) return std::nullopt;
    return result;
}

bool Write(const std::string& path, int languageIndex, const ConnectionSettings* connection,
           std::string* error);

}  // namespace

int ReadSettings(const std::string& path) {
    const auto ini = IniFile::Load(path);
    if (!ini) return 0;
    return WholeNumber(ini->Value(kSettingsSection, kSettingsLanguageKey)).value_or(0);
}

ConnectionSettings ReadConnectionSettings(const std::string& path) {
    ConnectionSettings c;
    const auto ini = IniFile::Load(path);
    if (!ini) return c;
    const auto text = [&](const char* key) {
        return ini->Value(kConnectionSection, key).value_or(std::string());
    };
    c.Mode = text("Mode");
    if (c.Mode != "manual" && c.Mode != "auto") c.Mode.clear();
    c.Port = text("Port");
    c.Rate = std::max(WholeNumber(ini->Value(kConnectionSection, "Rate")).value_or(0), 0);
    c.ConfigTab = text("ConfigTab");
    c.DiagnosisPage = text("DiagnosisPage");
    const auto left = WholeNumber(ini->Value(kConnectionSection, "Left"));
    const auto top = WholeNumber(ini->Value(kConnectionSection, "Top"));
    c.HasPosition = left && top;
    if (c.HasPosition) {
        c.Left = *left;
        c.Top = *top;
    }
    return c;
}

bool WriteSettings(const std::string& path, int languageIndex, std::string* error) {
    return Write(path, languageIndex, nullptr, error);
}

bool WriteSettings(const std::string& path, int languageIndex, const ConnectionSettings& connection,
                   std::string* error) {
    return Write(path, languageIndex, &connection, error);
}

namespace {

bool Write(const std::string& path, int languageIndex, const ConnectionSettings* connection,
           std::string* error) {
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
    if (connection) {
        const ConnectionSettings& c = *connection;
        // A value is one line: a line break would make a key of its own.
        const auto put = [&](const char* key, const std::string& value) {
            if (!value.empty() && value.find_first_of("\r\n") == std::string::npos)
                ini.Set(kConnectionSection, key, value);
            else
                ini.Set(kConnectionSection, key, "");
        };
        put("Mode", c.Mode);
        put("Port", c.Port);
        put("Rate", c.Rate > 0 ? std::to_string(c.Rate) : "");
        put("ConfigTab", c.ConfigTab);
        put("DiagnosisPage", c.DiagnosisPage);
        put("Left", c.HasPosition ? std::to_string(c.Left) : "");
        put("Top", c.HasPosition ? std::to_string(c.Top) : "");
    }
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

}  // namespace

}  // namespace navoro
