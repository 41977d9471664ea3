#pragma once

#include <string>

namespace navoro {

// The settings kept between runs, in <Documents>/LUMO/Navoro/LumoAisConfig.ini:
// the interface language as "[VIEW] Language=<index>", and the connection and
// the window as the user left them in "[CONNECTION]".
inline constexpr const char* kSettingsSection = "VIEW";
inline constexpr const char* kSettingsLanguageKey = "Language";
inline constexpr const char* kSettingsSubfolder = "LUMO/Navoro/";
inline constexpr const char* kSettingsFileName = "LumoAisConfig.ini";

inline constexpr const char* kConnectionSection = "CONNECTION";

// [CONNECTION]: empty texts, a rate of 0 and no position are "not kept".
struct ConnectionSettings {
    std::string Mode;           // "manual" or "auto"
    std::string Port;           // the /dev/serial/by-id/ name when the port has one, else its path
    int Rate = 0;               // the manual rate
    std::string ConfigTab;      // the configuration tab's objectName
    std::string DiagnosisPage;  // the diagnosis page's objectName
    bool HasPosition = false;
    int Left = 0, Top = 0;  // the window's position
    bool operator==(const ConnectionSettings&) const = default;
};

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
// The same, with [CONNECTION] replaced by `connection` (its unkept values left out).
bool WriteSettings(const std::string& path, int languageIndex, const ConnectionSettings& connection,
                   std::string* error = nullptr);

// [CONNECTION] of the file; a value that is missing or not a whole number is
// not kept.
ConnectionSettings ReadConnectionSettings(const std::string& path);

}  // namespace navoro
