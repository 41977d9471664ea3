#pragma once

#include <string>
#include <string_view>

#include "tools/sim/DeviceState.h"

namespace navoro::sim {

// The --state file: one JSON object whose keys are the DeviceState members
// ("Mmsi", "Internal": {"A": 62, ...}, "PortRates": {"-1": 115200, "3": 38400},
// "LrFunctionReply": "1010100000", "MobList": [{"Mmsi": ..., "Name": ...}]).
// A key that is left out keeps its default; an unknown key, a value of the
// wrong type or a value outside the limits of a write is an error.

// The state as JSON text (pretty-printed, ending in a newline).
std::string StateToJson(const DeviceState& state);

// Reads JSON text over `state`. Returns an empty text on success, otherwise
// what is wrong; `state` is unchanged then.
std::string StateFromJson(std::string_view text, DeviceState& state);

// Reads the file over `state`. A file that does not exist is no error: `missing`
// is set and `state` is unchanged.
std::string LoadStateFile(const std::string& path, DeviceState& state, bool& missing);

// Writes the state to `path` through a temporary file that replaces it, so a
// failed write never leaves a half-written file. Returns an empty text or the
// error.
std::string SaveStateFile(const std::string& path, const DeviceState& state);

}  // namespace navoro::sim
