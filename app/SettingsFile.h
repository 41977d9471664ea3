#pragma once

#include <string>

namespace navoro {

// The one setting kept between runs: the interface language, as
// "[VIEW] Language=<index>" in <Documents>/LUMO/Navoro/LumoAisConfig.ini.
inline constexpr const char* kSettingsSection = "VIEW";
inline constexpr const char* kSettingsLanguageKey = "Language";
inline constexpr const char* kSettingsSubfolder = "LUMO/Navoro/";
inline constexpr const char* kSettingsFileName = "LumoAisConfig.ini";

struct SettingsLocation {
    std::string SettingsFolder;  // with a trailing separator
    std::string SettingsPath;
};

// SettingsFolder is <documents>/LUMO/Navoro/, created with its missing parents;
// when that fails it is the documents folder itself.
SettingsLocation ResolveSettingsLocation(const std::string& documentsFolder);

// VIEW/Language of the file; 0 when the file, the key or a whole integer is
// missing. Values outside 0..3 are returned as they are.
int ReadSettings(const std::string& path);

// Writes VIEW/Language, keeping any other lines of an existing file. The file is
// replaced in one step (written beside it, then renamed), so a failed write
// leaves the old one intact. False with a reason in `error` on failure.
bool WriteSettings(const std::string& path, int languageIndex, std::string* error = nullptr);

}  // namespace navoro
