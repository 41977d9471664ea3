#pragma once

// The configuration tabs and the configuration file: each tab's controls read
// into the plain input its write takes (the same reading serves the writes and
// File > Save configuration...), and a file's inputs shown in the controls
// (File > Load configuration...).

#include <string>

#include "config/ConfigFile.h"
#include "config/ConfigPages.h"
#include "config/ConfigSnapshot.h"
#include "config/WritePlans.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

namespace navoro {

class Configuration;

// ---- controls -> inputs ---------------------------------------------------------

ShipDataInput ShipDataInputOf(const ShipDataPage& page);
VoyageInput VoyageInputOf(const VoyagePage& page);
// An alarm list without a selection reads as ON (the write selects it).
CpaInput CpaInputOf(const CpaPage& page);
TransceiverInput TransceiverInputOf(const TransceiverPage& page);
BaudRateInput BaudRateInputOf(const BaudRatePage& page);
LongRangeSettings LongRangeInputOf(const LongRangePage& page);
// The grids' open editors are committed first and each text is shown as it
// will be written (cut, in upper case).
DestinationInput DestinationInputOf(DestinationPage& page);
MobInput MobInputOf(MobPage& page);
EncryptionInput EncryptionInputOf(const EncryptionPage& page, std::int32_t snapshotMmsi);

// Every tab as it stands, with the device's identity as last read.
ConfigFile ConfigFileOfTabs(ConfigPages& pages, const ConfigSnapshot& snapshot);

// ---- inputs -> controls ------------------------------------------------------------

// Fills every tab the file holds. A value that is not available (-1 in a spin
// box's place) shows "N/A"; a blank draught or inland field stays blank. The
// inland fields are filled when the file holds them; whether they are shown
// and written stays the device's inland mode.
void FillTabsFromConfigFile(Configuration& configuration, const ConfigFile& file);

// ---- File > Save configuration... / Load configuration... ----------------------------

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
