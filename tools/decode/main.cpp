// navoro-decode: reads NMEA 0183 / IEC 61162-1 captures through the receive
// path (line assembly and sentence router) and prints one JSON object per line.
#include <getopt.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tools/decode/DecodeSession.h"

namespace {

constexpr const char* kUsage =
    "Usage: navoro-decode [OPTION]... [FILE]...\n"
    "Decode NMEA 0183 (IEC 61162-1) captures as a transponder's receive path does,\n"
    "and print one JSON object per received line (JSON Lines) on standard output.\n"
    "\n"
    "With no FILE, or when FILE is -, read standard input.\n"
    "\n"
    "Each object has \"line\" (the line without CR LF) and \"accepted\" (whether\n"
    "the sentence router accepted it; the first parts of a multi-sentence AIS\n"
    "message are not accepted until the last part completes it). An accepted '$'\n"
    "sentence adds \"talker\", \"formatter\", \"mode\" (proprietary mode letter, when\n"
    "set), \"group\" and \"record\" (the parsed fields). A '!' line that completes\n"
    "an AIS message that decodes adds \"channel\" (the channel letter) and \"ais\":\n"
    "{\"type\": message ID, \"fields\": [{\"name\", \"value\"}, ...]}, every field of\n"
    "the message's table in order. Lines of more than 82 characters are reported\n"
    "with \"overlong\": true.\n"
    "\n"
    "Options:\n"
    "  -s, --summary  after the lines, print one object {\"summary\": {...}} with the\n"
    "                 counts of lines, accepted and rejected lines, AIS messages\n"
    "                 by type, and target-table entries in use (the own ship's\n"
    "                 entry included)\n"
    "  -h, --help     show this help and exit\n"
    "\n"
    "Exit status: 0 when every input was read, 1 when an input could not be read,\n"
    "2 on a usage error.\n";

}  // namespace

int main(int argc, char** argv) {
    static constexpr option kOptions[] = {
        {"help", no_argument, nullptr, 'h'},
        {"summary", no_argument, nullptr, 's'},
        {nullptr, 0, nullptr, 0},
    };
    std::vector<const char*> inputs;
    bool summary = false;
    // "-": files come back in order among the options (as code 1).
    opterr = 0;
    for (;;) {
        const int at = optind;  // the argument being read
        const int code = getopt_long(argc, argv, "-hs", kOptions, nullptr);
        if (code == -1) break;
        if (code == 'h') {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (code == 's') {
            summary = true;
        } else if (code == 1) {
            inputs.push_back(optarg);
        } else {
            std::fprintf(stderr,
                         "navoro-decode: unknown option '%s'\nTry 'navoro-decode --help'.\n",
                         argv[at]);
            return 2;
        }
    }
    for (int i = optind; i < argc; ++i)
        inputs.push_back(argv[i]);  // after "--"
    if (inputs.empty()) inputs.push_back("-");

    navoro::DecodeSession session(stdout);
    int status = 0;
    for (const char* name : inputs) {
        if (std::strcmp(name, "-") == 0) {
            session.Decode(stdin);
            continue;
        }
        std::FILE* in = std::fopen(name, "rb");
        if (in == nullptr) {
            session.Flush();
            std::fprintf(stderr, "navoro-decode: cannot read '%s': %s\n", name,
                         std::strerror(errno));
            status = 1;
            continue;
        }
        session.Decode(in);
        if (std::ferror(in)) {
            session.Flush();
            std::fprintf(stderr, "navoro-decode: error reading '%s': %s\n", name,
                         std::strerror(errno));
            status = 1;
        }
        std::fclose(in);
    }
    if (summary) session.WriteSummary();
    session.Flush();
    return status;
}
