#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct ProgramRun {
    int status;
    std::string out;
};

ProgramRun RunConfig(const std::string& args) {
    const std::string command = std::string(NAVORO_CONFIG) + " " + args + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ProgramRun run{-1, {}};
    if (pipe == nullptr) return run;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Each command line with its exit status and a part of what it prints.
TEST(NavoroConfig, CommandsGiveTheirExitStatusAndMessages) {
    const std::string data = std::string(NAVORO_TEST_DATA) + "/";
    const std::string file = data + "ship-config.json";
    const struct {
        std::string Args;
        int Status;
        std::string Part;
    } cases[] = {
        {"diff " + file + " " + file, 0, ""},
        {"diff " + file + " " + data + "ship-config-deeper.json", 3, "voyage.draught: 2.5 -> 3.0"},
        {"--json diff " + file + " " + data + "ship-config-deeper.json", 3,
         R"({"equal":false,"differences":["voyage.draught: 2.5 -> 3.0"]})"},
        {"write --dry-run " + file, 0, "every value can be written"},
        {"write --tabs=ship,voyage --dry-run " + data + "ship-config-broken.json", 0,
         "can be written"},
        {"write --dry-run " + data + "ship-config-broken.json", 2,
         "mob: Please key in correctly AIS MOB MMSI"},
        {"write --tabs ship,bridge --dry-run " + file, 2, "--tabs names a tab"},
        {"diff /nonexistent.json " + file, 1, "/nonexistent.json: No such file"},
        {"diff " + file, 2, "diff takes two files"},
        {"write --tabs", 2, "--tabs needs a value"},
        {"", 2, "no command"},
        {"--help", 0, "Usage: navoro-config"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunConfig(c.Args);
        EXPECT_EQ(run.status, c.Status) << c.Args << "\n" << run.out;
        EXPECT_NE(run.out.find(c.Part), std::string::npos) << c.Args << "\n" << run.out;
    }
}

}  // namespace
