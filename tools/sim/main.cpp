// navoro-sim: a simulated AIS Class A transponder on a pseudo-terminal, to
// develop, test and demonstrate against without hardware.
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "tools/sim/Simulator.h"
#include "tools/sim/StateFile.h"

namespace {

// The one simulator of this process, for the signal handler.
navoro::sim::Simulator* g_simulator = nullptr;

extern "C" void OnStopSignal(int) {
    if (g_simulator != nullptr) g_simulator->RequestStop();
}

bool InstallSignals() {
    struct sigaction stop {};
    stop.sa_handler = OnStopSignal;
    sigemptyset(&stop.sa_mask);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    return sigaction(SIGINT, &stop, nullptr) == 0 && sigaction(SIGTERM, &stop, nullptr) == 0 &&
           sigaction(SIGHUP, &stop, nullptr) == 0 && sigaction(SIGPIPE, &ignore, nullptr) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace navoro::sim;

    const pid_t parent = getppid();
    SimOptions options;
    const std::string usage_error = ParseOptions(argc - 1, argv + 1, options);
    if (!usage_error.empty()) {
        std::fprintf(stderr, "navoro-sim: %s\nTry 'navoro-sim --help'.\n", usage_error.c_str());
        return 2;
    }
    if (options.Help) {
        std::fputs(Usage(), stdout);
        return 0;
    }

    DeviceState state;
    if (!options.StatePath.empty()) {
        bool missing = false;
        const std::string error = LoadStateFile(options.StatePath, state, missing);
        if (!error.empty()) {
            std::fprintf(stderr, "navoro-sim: state file %s: %s\n", options.StatePath.c_str(),
                         error.c_str());
            return 1;
        }
    }
    if (options.Rate != 0) state.PortRates[PortIndex(kConfigPort)] = options.Rate;
    if (options.Inland) state.Inland = true;

    if (options.ExitWithParent) {
        // Ends with a SIGTERM when the parent goes, unless it already has.
        if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) return 0;
    }

    Simulator simulator(options, state, stderr);
    g_simulator = &simulator;
    if (!InstallSignals()) {
        std::perror("navoro-sim: cannot install the signal handlers");
        return 1;
    }
    std::string error;
    if (!simulator.Open(error)) {
        std::fprintf(stderr, "navoro-sim: %s\n", error.c_str());
        return 1;
    }
    // The first line of standard output is the port's path, for the program
    // that started the simulator.
    std::printf("%s\n", simulator.DevicePath().c_str());
    std::fflush(stdout);

    const int status = simulator.Run();
    g_simulator = nullptr;
    return status;
}
