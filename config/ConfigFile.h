#pragma once

// The configuration file: every setting the configuration tabs read and write,
// by tab, under readable names, with the device's identity as read. A file is
// JSON with "format": "navoro-config/1". Reading it checks every value by the
// input rules of the writes (the write plans), so a file that loads can be
// written; unknown keys and a newer format are reported by name.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "config/WritePlans.h"

namespace navoro {

inline constexpr const char* kConfigFileFormat = "navoro-config/1";

// The tabs a file can hold, in the order they are written (the rate last: it
// changes the connection).
inline constexpr std::array<const char*, 9> kConfigTabs = {
    "ship",         "voyage", "cpa",        "transceiver", "longRange",
    "destinations", "mob",    "encryption", "baud",
};

struct ConfigFile {
    // The device's identity as read, for the record (never written).
    std::string Firmware, SerialNumber;
    // Each tab's values, when the file holds the tab.
    std::optional<ShipDataInput> Ship;
    std::optional<VoyageInput> Voyage;
    std::optional<CpaInput> Cpa;
    std::optional<TransceiverInput> Transceiver;
    std::optional<BaudRateInput> Baud;
    std::optional<LongRangeSettings> LongRange;
    std::optional<DestinationInput> Destinations;
    std::optional<MobInput> Mob;
    std::optional<EncryptionInput> Encryption;
};

// A value or key the file cannot take: its name ("voyage.draught",
// "mob[3].mmsi") and what is wrong with it.
struct ConfigFileProblem {
    std::string Name;
    std::string Message;
    bool BrokenRule = false;  // a write's rule (named by its tab), not the file's form
};

struct ConfigFileRead {
    ConfigFile File;
    std::vector<ConfigFileProblem> Problems;  // empty: the file can be written
};

// Reads a file's text. Every problem is reported: syntax, a missing or newer
// format, unknown keys, values of the wrong kind, and each value that breaks a
// write's rule.
ConfigFileRead ReadConfigFile(const std::string& text);

// The file's text (indented JSON, tabs in their order, absent tabs left out).
std::string WriteConfigFile(const ConfigFile& file);

// Checks each tab the file holds by its write plan; one problem per tab that
// breaks a rule, named by the tab.
std::vector<ConfigFileProblem> CheckConfigFile(const ConfigFile& file);

// The names (as in the file) whose values differ between two files, each with
// both values: "voyage.draught: 2.5 -> 3.0".
std::vector<std::string> DiffConfigFiles(const ConfigFile& a, const ConfigFile& b);

}  // namespace navoro
