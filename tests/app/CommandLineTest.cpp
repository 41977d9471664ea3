#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace navoro {
namespace {

AppOptions Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "navoro");
    return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLine, ReadsOptionsAndPassesQtOptionsOver) {
    AppOptions o = Parse({});
    EXPECT_FALSE(o.Simulate);
    EXPECT_TRUE(o.Ports.empty());
    EXPECT_TRUE(o.Error.empty());

    o = Parse({"--simulate", "--port", "/dev/pts/3", "--port=/dev/ttyUSB1", "-platform",
               "offscreen", "-reverse"});
    EXPECT_TRUE(o.Simulate);
    EXPECT_EQ(o.SimulateGnss, "");
    EXPECT_EQ(o.Ports, (std::vector<std::string>{"/dev/pts/3", "/dev/ttyUSB1"}));
    EXPECT_TRUE(o.Error.empty());

    for (const char* form : {"classic", "modern", "legacy"}) {
        o = Parse({(std::string("--simulate=") + form).c_str()});
        EXPECT_TRUE(o.Simulate) << form;
        EXPECT_EQ(o.SimulateGnss, form);
        EXPECT_TRUE(o.Error.empty()) << form;
    }

    o = Parse({"--simulate=standard"});
    EXPECT_TRUE(o.Simulate);
    EXPECT_EQ(o.SimulateMaker, "standard");
    EXPECT_EQ(o.SimulateGnss, "");
    o = Parse({"--simulate=modern,standard"});
    EXPECT_EQ(o.SimulateMaker, "standard");
    EXPECT_EQ(o.SimulateGnss, "modern");
    EXPECT_TRUE(o.Error.empty());

    EXPECT_EQ(Parse({"--replay", "day.log.gz"}).Replay, "day.log.gz");
    EXPECT_EQ(Parse({"--replay=/tmp/day.log"}).Replay, "/tmp/day.log");

    EXPECT_TRUE(Parse({"--help"}).ShowHelp);
    EXPECT_TRUE(Parse({"-h"}).ShowHelp);
    EXPECT_TRUE(Parse({"--version"}).ShowVersion);
}

TEST(CommandLine, RejectsWhatItDoesNotKnow) {
    const std::vector<std::vector<const char*>> bad = {{"--port"},
                                                       {"--port="},
                                                       {"--port", ""},
                                                       {"--bogus"},
                                                       {"stray"},
                                                       {"--simulate="},
                                                       {"--simulate=gps"},
                                                       {"--simulate=Modern"},
                                                       {"--replay"},
                                                       {"--replay="},
                                                       {"--simulate=standard,"},
                                                       {"--simulate=classic,modern"},
                                                       {"--simulate=standard,standard"}};
    for (const auto& args : bad) {
        EXPECT_FALSE(Parse(args).Error.empty()) << args[0];
    }
}

}  // namespace
}  // namespace navoro
