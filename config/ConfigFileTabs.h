#pragma once

// File > Save configuration... and File > Load configuration...: the tabs as
// a configuration file and back.

#include <string>

#include "config/ConfigFile.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

namespace navoro {

class Configuration;

// Asks where to save (asking again before overwriting a file) and writes what
// the tabs show. False when cancelled or the file could not be written (told).
bool SaveConfigurationFile(Configuration& configuration, Prompts& prompts,
                           const MessageTable& messages, const std::string& folder);
// Asks for a file, reads and checks it; a problem is told with the name of its
// value and nothing is filled; otherwise every tab the file holds is filled.
bool LoadConfigurationFile(Configuration& configuration, Prompts& prompts,
                           const MessageTable& messages, const std::string& folder);
// Loads the file at `path` (as above, without the dialog).
bool LoadConfigurationFileFrom(Configuration& configuration, Prompts& prompts,
                               const MessageTable& messages, const std::string& path);

}  // namespace navoro
