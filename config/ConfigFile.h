#pragma once

// The configuration file: every setting of the configuration tabs, by tab,
// under readable names, with the device's identity as read. A file is JSON
// with "format": "navoro-config/1"; each tab's section is its unit's
// (config/tabs/). Reading a file never throws and never stops at the first
// problem: the syntax (with its line and column), a missing or newer format,
// unknown or repeated keys, values of the wrong kind and every value that
// breaks a tab's rule are reported by name.

#include <string>
#include <string_view>
#include <vector>

#include "config/tabs/TabRegistry.h"

namespace navoro {

inline constexpr const char* kConfigFileFormat = "navoro-config/1";
// A configuration file is a few kilobytes; anything far larger is not one.
inline constexpr std::size_t kConfigFileSizeMax = 1 << 20;

struct ConfigFile {
    // The device's identity as read, for the record (never written).
    std::string Firmware, SerialNumber;
    // Each tab's values, when the file holds the tab.
    TabSettings Tabs;
};

// A value or key the file cannot take: its name ("voyage.draught",
// "mob[3].mmsi") and what is wrong with it.
struct ConfigFileProblem {
    std::string Name;
    std::string Message;
    bool BrokenRule = false;      // a tab's rule, not the file's form
    std::size_t Tab = kTabCount;  // the tab it belongs to (kTabCount: none)
};

struct ConfigFileRead {
    ConfigFile File;
    std::vector<ConfigFileProblem> Problems;  // empty: the file can be written
};

// Reads a file's text; every problem is reported.
ConfigFileRead ReadConfigFile(std::string_view text);

// The file's text (indented JSON, tabs in the order they are written, absent
// tabs left out).
std::string WriteConfigFile(const ConfigFile& file);

// Every broken rule of every tab the file holds.
std::vector<ConfigFileProblem> CheckConfigFile(const ConfigFile& file);

// The names (as in the file) whose values differ between two files, each with
// both values: "voyage.draught: 2.5 -> 3.0".
std::vector<std::string> DiffConfigFiles(const ConfigFile& a, const ConfigFile& b);

// A file with only the tab `tab` of `file`.
ConfigFile OnlyTab(const ConfigFile& file, std::size_t tab);

}  // namespace navoro
