#include "app/CommandLine.h"

#include <algorithm>
#include <string_view>

namespace navoro {

namespace {

// Qt's own options that take a value.
bool IsQtOptionWithValue(std::string_view arg) {
    constexpr std::string_view kWithValue[] = {"-platform",
                                               "-platformpluginpath",
                                               "-platformtheme",
                                               "-plugin",
                                               "-qmljsdebugger",
                                               "-style",
                                               "-stylesheet",
                                               "-session",
                                               "-display",
                                               "-geometry",
                                               "-title",
                                               "-name",
                                               "-qwindowgeometry",
                                               "-qwindowtitle",
                                               "-qwindowicon",
                                               "-fn",
                                               "-font",
                                               "-bg",
                                               "-background",
                                               "-fg",
                                               "-foreground",
                                               "-btn",
                                               "-button",
                                               "-visual",
                                               "-im",
                                               "-inputstyle",
                                               "-ncols"};
    for (std::string_view option : kWithValue) {
        if (arg == option) return true;
    }
    return false;
}

}  // namespace

AppOptions ParseCommandLine(int argc, const char* const* argv) {
    AppOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] ? argv[i] : "";
        if (arg == "--help" || arg == "-h") {
            options.ShowHelp = true;
        } else if (arg == "--version") {
            options.ShowVersion = true;
        } else if (arg == "--simulate") {
            options.Simulate = true;
        } else if (arg.starts_with("--simulate=")) {
            // A comma-separated list: one GNSS form and/or the maker "standard".
            const std::string_view forms = arg.substr(11);
            for (std::size_t start = 0; start <= forms.size();) {
                const std::size_t comma = std::min(forms.find(',', start), forms.size());
                const std::string_view form = forms.substr(start, comma - start);
                start = comma + 1;
                if (form == "standard" && options.SimulateMaker.empty()) {
                    options.SimulateMaker = form;
                } else if ((form == "classic" || form == "modern" || form == "legacy") &&
                           options.SimulateGnss.empty()) {
                    options.SimulateGnss = form;
                } else {
                    options.Error =
                        "--simulate= takes classic, modern or legacy, and/or standard "
                        "(for example --simulate=standard,modern)";
                    return options;
                }
            }
            options.Simulate = true;
        } else if (arg == "--port") {
            if (i + 1 >= argc || !argv[i + 1] || argv[i + 1][0] == '\0') {
                options.Error = "--port needs a device path";
                return options;
            }
            options.Ports.emplace_back(argv[++i]);
        } else if (arg.starts_with("--port=")) {
            const std::string_view path = arg.substr(7);
            if (path.empty()) {
                options.Error = "--port needs a device path";
                return options;
            }
            options.Ports.emplace_back(path);
        } else if (arg == "--replay" || arg.starts_with("--replay=")) {
            std::string_view file;
            if (arg == "--replay") {
                if (i + 1 < argc && argv[i + 1]) file = argv[++i];
            } else {
                file = arg.substr(9);
            }
            if (file.empty()) {
                options.Error = "--replay needs a capture file";
                return options;
            }
            options.Replay = file;
        } else if (arg.starts_with("--")) {
            options.Error = "unknown option " + std::string(arg);
            return options;
        } else if (arg.starts_with("-") && arg.size() > 1) {
            if (IsQtOptionWithValue(arg) && i + 1 < argc) ++i;
        } else {
            options.Error = "unexpected argument " + std::string(arg);
            return options;
        }
    }
    return options;
}

std::string UsageText(const std::string& program) {
    return "Usage: " + program +
           " [--port PATH]... [--simulate[=FORM]] [--replay FILE]\n"
           "Configures and diagnoses an AIS Class A transponder on a serial port.\n"
           "\n"
           "  --port PATH   list the serial port PATH (for example /dev/pts/3) besides\n"
           "                the ports found on the system; may be given more than once\n"
           "  --simulate    start a simulated transponder and list its port, to try the\n"
           "                program without a device\n"
           "  --simulate=FORM\n"
           "                the same, its GNSS receiver classic (GPS, the default),\n"
           "                modern (GPS, GLONASS, Galileo and BeiDou in NMEA 4.11 form)\n"
           "                or legacy (NMEA 2.x); standard: a transponder of another\n"
           "                maker, which speaks the standard sentences only (both:\n"
           "                --simulate=standard,modern)\n"
           "  --replay FILE replay the capture FILE (a saved data log or any NMEA 0183\n"
           "                text, plain or gzip-compressed) into the window, as if\n"
           "                its lines came from a port\n"
           "  --help        show this text and exit\n"
           "  --version     show the version and exit\n"
           "\n"
           "Qt's own options (-platform NAME, -style NAME, ...) are accepted as well.\n"
           "The interface language is kept in <Documents>/LUMO/Navoro/LumoAisConfig.ini.\n";
}

std::string VersionLine() {
    return std::string("Navoro ") + kVersionText + "\n";
}

}  // namespace navoro
