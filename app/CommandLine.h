#pragma once

#include <string>
#include <vector>

#include "ui/Product.h"

namespace navoro {

struct AppOptions {
    bool Simulate = false;  // --simulate: start the simulated transponder
    // --simulate=FORM: its GNSS receiver, "classic", "modern" or "legacy"
    // (passed to navoro-sim as --gnss FORM); empty: the simulator's default
    std::string SimulateGnss;
    // --simulate=standard: a transponder that speaks the standard sentences
    // only (passed to navoro-sim as --maker standard); empty: our maker's
    std::string SimulateMaker;
    std::vector<std::string>
        Ports;           // --port PATH (repeatable): ports to list besides the found ones
    std::string Replay;  // --replay FILE: a capture replayed into the window at start
    bool ShowHelp = false;
    bool ShowVersion = false;
    std::string Error;  // set when the command line is not understood
};

// Reads navoro's options. Single-dash arguments belong to Qt (-platform NAME,
// -style NAME, ...) and are passed over, with the value of those that take one.
AppOptions ParseCommandLine(int argc, const char* const* argv);

std::string UsageText(const std::string& program);
std::string VersionLine();

}  // namespace navoro
