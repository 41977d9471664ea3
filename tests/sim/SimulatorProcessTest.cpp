// navoro-sim as a program: started by the fixture on a pseudo-terminal and
// driven through it at real rate settings.
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "codec/Framing.h"
#include "link/TermiosDevice.h"
#include "tests/support/Sentence.h"
#include "tests/support/SimulatorFixture.h"
#include "tools/sim/StateFile.h"

namespace navoro::test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kEnd = "[DEVICE DATA END]";
constexpr const char* kProbe = "$PTST,,,,,00016";

bool Framed(const std::string& line) {
    return CheckFraming((line + "\r\n").c_str());
}

// A sentence as the record file holds it: with its checksum, without CR LF.
std::string Bare(const std::string& body) {
    std::string line = Sentence(body);
    return line.substr(0, line.size() - 2);
}

bool StartsWith(const std::string& line, const char* prefix) {
    return line.rfind(prefix, 0) == 0;
}

#define START_SIMULATOR(name, options) \
    SimulatorFixture name{options};    \
    ASSERT_TRUE(name.Started()) << name.Error()

TEST(SimulatorProcessTest, StreamsGnssAndAisAtItsRateAndRecordsWhatItReceives) {
    START_SIMULATOR(sim, SimulatorOptions{});
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
    const std::vector<std::string> lines = client.ReadFor(2500ms);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& l) { return StartsWith(l, "$GPGSV"); }));
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& l) { return StartsWith(l, "!AIVDO"); }));
    for (const std::string& line : lines) {
        EXPECT_TRUE(Framed(line)) << line;
        EXPECT_LE(line.size() + 2, 82u) << line;
    }

    ASSERT_TRUE(client.Send(kProbe));
    ASSERT_TRUE(client.SendRaw("not a sentence\r\n"));
    EXPECT_FALSE(client.CollectUntil(kEnd, 5s).empty());
    EXPECT_TRUE(sim.WaitForRecorded(Bare(kProbe)));
    EXPECT_TRUE(sim.WaitForRecorded("not a sentence"));
}

TEST(SimulatorProcessTest, SilentWhileTheOtherSideRunsAtAnotherRate) {
    SimulatorOptions options;
    options.Rate = 38400;
    START_SIMULATOR(sim, options);
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
    ASSERT_TRUE(client.Send(kProbe));
    EXPECT_TRUE(client.ReadFor(2000ms).empty());
    // The probe did arrive; it was dropped as a device would drop garbage.
    EXPECT_TRUE(sim.WaitForRecorded(Bare(kProbe)));

    ASSERT_TRUE(client.SetRate(38400));
    ASSERT_TRUE(client.Send(kProbe));
    const std::vector<std::string> dump = client.CollectUntil(kEnd, 5s);
    ASSERT_FALSE(dump.empty());
    EXPECT_EQ(dump.back(), kEnd);
}

TEST(SimulatorProcessTest, PortRateWriteAndRestartMoveTheConfigurationPort) {
    SimulatorOptions options;
    options.NoStream = true;
    START_SIMULATOR(sim, options);
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
    ASSERT_TRUE(client.Send("$PLMO,C,BAU,-1,9600"));
    ASSERT_TRUE(client.Send("$PLMO,Q,BAU,-1,"));
    EXPECT_EQ(client.ReadLine(5s), Bare("$PLMO,R,BAU,-1,9600"));
    ASSERT_TRUE(client.Send("$PDBG,701,1000,,,,,,"));
    ASSERT_TRUE(sim.WaitForRecorded(Bare("$PDBG,701,1000,,,,,,")));
    ASSERT_TRUE(client.Send(kProbe));
    EXPECT_TRUE(client.ReadFor(1500ms).empty());
    ASSERT_TRUE(client.SetRate(9600));
    ASSERT_TRUE(client.Send(kProbe));
    EXPECT_FALSE(client.CollectUntil(kEnd, 5s).empty());
}

TEST(SimulatorProcessTest, SilentSendsNothingButStillListens) {
    SimulatorOptions options;
    options.Silent = true;
    START_SIMULATOR(sim, options);
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
    ASSERT_TRUE(client.Send(kProbe));
    EXPECT_TRUE(client.ReadFor(2000ms).empty());
    EXPECT_TRUE(sim.WaitForRecorded(Bare(kProbe)));
}

TEST(SimulatorProcessTest, NoDumpEndLeavesOutOnlyTheEndMarker) {
    SimulatorOptions options;
    options.NoDumpEnd = true;
    options.NoStream = true;
    START_SIMULATOR(sim, options);
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
    ASSERT_TRUE(client.Send(kProbe));
    const std::vector<std::string> dump = client.CollectUntil("[O] EncryptionKey=", 5s);
    ASSERT_FALSE(dump.empty());
    EXPECT_TRUE(std::any_of(dump.begin(), dump.end(),
                            [](const std::string& l) { return StartsWith(l, "MMSI:("); }));
    const std::vector<std::string> rest = client.ReadFor(1500ms);
    EXPECT_TRUE(std::none_of(rest.begin(), rest.end(), [](const std::string& l) {
        return l.find(kEnd) != std::string::npos;
    }));
}

TEST(SimulatorProcessTest, GarbagePrecedesLinesWithoutSpoilingThem) {
    SimulatorOptions options;
    options.Garbage = 1;
    options.NoStream = true;
    START_SIMULATOR(sim, options);
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
    ASSERT_TRUE(client.Send("$AIAIQ,SSD"));
    std::vector<std::string> lines = client.ReadFor(1500ms);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1] + "\r\n", Sentence("$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI"));
    EXPECT_EQ(lines[3] + "\r\n", Sentence("$AISSD,DCTR7,NORDIC TRADER,70,30,12,8,0,GP"));
    for (const std::size_t i : {0u, 2u}) {
        EXPECT_GE(lines[i].size(), 1u);
        EXPECT_LE(lines[i].size(), 16u);
        EXPECT_FALSE(Framed(lines[i]));
    }
}

TEST(SimulatorProcessTest, BadChecksumSpoilsSentencesButNotTheTextLines) {
    SimulatorOptions options;
    options.BadChecksum = 1;
    START_SIMULATOR(sim, options);
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
    ASSERT_TRUE(client.Send(kProbe));
    const std::vector<std::string> lines = client.CollectUntil(kEnd, 5s);
    ASSERT_FALSE(lines.empty());
    std::vector<std::string> all = lines;
    const std::vector<std::string> stream = client.ReadFor(1500ms);
    all.insert(all.end(), stream.begin(), stream.end());
    int sentences = 0;
    for (const std::string& line : all) {
        if (line[0] != '$' && line[0] != '!') continue;
        ++sentences;
        EXPECT_NE(line.find('*'), std::string::npos) << line;
        EXPECT_FALSE(Framed(line)) << line;
    }
    EXPECT_GT(sentences, 5);
}

TEST(SimulatorProcessTest, HangupAfterClosesThePortAndExits) {
    SimulatorOptions options;
    options.HangupAfter = 1.5;
    START_SIMULATOR(sim, options);
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
    const Clock::time_point start = Clock::now();
    client.ReadFor(5000ms);  // returns early once the port is gone
    EXPECT_TRUE(client.HungUp());
    EXPECT_LT(Clock::now() - start, 4500ms);
    EXPECT_EQ(sim.WaitExit(5s), 0);
}

TEST(SimulatorProcessTest, ReplyDelayHoldsBackTheAnswer) {
    SimulatorOptions options;
    options.ReplyDelayMs = 800;
    options.NoStream = true;
    START_SIMULATOR(sim, options);
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
    const Clock::time_point sent = Clock::now();
    ASSERT_TRUE(client.Send("$AIAIQ,CPA"));
    const std::optional<std::string> reply = client.ReadLine(5s);
    ASSERT_TRUE(reply.has_value());
    EXPECT_GE(Clock::now() - sent, 750ms);
    EXPECT_EQ(*reply + "\r\n", Sentence("$PLMO,R,CPA,45,20,46,10,47,1,,"));
}

TEST(SimulatorProcessTest, SavesItsStateOnSigtermAndLoadsItAgain) {
    // The state file lives in another fixture's directory, which outlives both runs.
    SimulatorOptions options;
    options.NoStream = true;
    START_SIMULATOR(holder, options);
    options.StatePath = holder.Directory() + "/device.json";
    SimulatorFixture sim{options};
    ASSERT_TRUE(sim.Started()) << sim.Error();
    {
        PtyClient client;
        ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
        ASSERT_TRUE(client.Send("$PMID,123456789,000000042"));
        ASSERT_TRUE(sim.WaitForRecorded(Bare("$PMID,123456789,000000042")));
    }
    EXPECT_EQ(sim.Stop(), 0);
    navoro::sim::DeviceState saved;
    bool missing = true;
    ASSERT_EQ(navoro::sim::LoadStateFile(options.StatePath, saved, missing), "");
    EXPECT_FALSE(missing);
    EXPECT_EQ(saved.Mmsi, 123456789u);
    EXPECT_EQ(saved.Imo, 42u);

    SimulatorFixture again{options};
    ASSERT_TRUE(again.Started()) << again.Error();
    PtyClient client;
    ASSERT_TRUE(client.Open(again.DevicePath(), 115200));
    ASSERT_TRUE(client.Send("$PTST,,,,,00017"));
    const std::vector<std::string> dump = client.CollectUntil(kEnd, 5s);
    EXPECT_NE(std::find(dump.begin(), dump.end(), "MMSI:(123456789)"), dump.end());
}

TEST(SimulatorProcessTest, RefusesABadStateFileWithoutTouchingIt) {
    START_SIMULATOR(holder, SimulatorOptions{});
    const std::string path = holder.Directory() + "/bad.json";
    {
        std::FILE* f = std::fopen(path.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("{\"Mmsi\": \"x\"}", f);
        std::fclose(f);
    }
    SimulatorOptions options;
    options.StatePath = path;
    SimulatorFixture sim{options};
    EXPECT_FALSE(sim.Started());
    EXPECT_EQ(sim.WaitExit(5s), 1);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 13);
}

TEST(SimulatorProcessTest, SurvivesReconnectsAndExitsOnCloseWhenAsked) {
    START_SIMULATOR(sim, SimulatorOptions{});
    for (int round = 0; round < 3; ++round) {
        PtyClient client;
        ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
        // A half line left behind may spoil the next program's first line, as
        // on a real device; the probe that follows it is answered.
        ASSERT_TRUE(client.SendRaw("$PTST,,,"));
        client.Close();
        ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
        ASSERT_TRUE(client.Send(kProbe));
        ASSERT_TRUE(client.Send(kProbe));
        EXPECT_FALSE(client.CollectUntil(kEnd, 5s).empty()) << "round " << round;
    }
    EXPECT_FALSE(sim.WaitExit(200ms).has_value());

    SimulatorOptions options;
    options.ExitOnClose = true;
    START_SIMULATOR(once, options);
    {
        PtyClient client;
        ASSERT_TRUE(client.Open(once.DevicePath(), 115200));
        client.ReadFor(300ms);
    }
    EXPECT_EQ(once.WaitExit(5s), 0);
}

TEST(SimulatorProcessTest, TheProjectsSerialComponentGetsAnswersAtTheRightRateOnly) {
    SimulatorOptions options;
    options.NoStream = true;
    START_SIMULATOR(sim, options);
    TermiosDevice port;
    DeviceError error;
    ASSERT_TRUE(port.Open(sim.DevicePath(), &error)) << error.message;
    auto probe_at = [&](std::uint32_t rate) {
        LineSettings settings;
        EXPECT_TRUE(port.GetLineSettings(settings));
        settings.rate = rate;
        EXPECT_TRUE(port.SetLineSettings(settings));
        const std::string probe = Sentence(kProbe);
        EXPECT_EQ(port.Write(probe.data(), static_cast<int>(probe.size()), 1000),
                  static_cast<int>(probe.size()));
        std::string received;
        const Clock::time_point deadline = Clock::now() + 2s;
        while (received.find(kEnd) == std::string::npos && Clock::now() < deadline) {
            char buffer[512];
            const int n = port.Read(buffer, sizeof buffer, 100);
            if (n > 0) received.append(buffer, static_cast<std::size_t>(n));
        }
        return received;
    };
    EXPECT_EQ(probe_at(57600), "");
    EXPECT_NE(probe_at(115200).find(kEnd), std::string::npos);
    port.Close();
}

TEST(SimulatorProcessTest, OnADeviceItAnswersAndExitsWhenTheDeviceHangsUp) {
    // A pseudo-terminal pair stands in for a serial adapter: the simulator opens
    // the slave as its device, the test plays the other end on the master.
    int master = -1;
    int slave = -1;
    char name[256] = "";
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    close(slave);
    SimulatorOptions options;
    options.NoStream = true;
    options.ExtraArgs = {"--device", name};
    START_SIMULATOR(sim, options);
    EXPECT_EQ(sim.DevicePath(), name);
    const std::string probe = Sentence(kProbe);
    ASSERT_EQ(write(master, probe.data(), probe.size()), static_cast<ssize_t>(probe.size()));
    std::string received;
    const Clock::time_point deadline = Clock::now() + 5s;
    while (received.find(kEnd) == std::string::npos && Clock::now() < deadline) {
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        char buffer[1024];
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n > 0) received.append(buffer, static_cast<std::size_t>(n));
    }
    EXPECT_NE(received.find("MMSI:(211457320)\r\n"), std::string::npos);
    EXPECT_NE(received.find(kEnd), std::string::npos);
    close(master);  // unplugged
    EXPECT_EQ(sim.WaitExit(5s), 0);
}

TEST(SimulatorProcessTest, MalformedInputNeverStopsIt) {
    SimulatorOptions options;
    options.NoStream = true;
    START_SIMULATOR(sim, options);
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += static_cast<char>((i * 37 + 11) % 256);
    ASSERT_TRUE(client.SendRaw(junk));
    ASSERT_TRUE(client.SendRaw(std::string(5000, '$') + "\r\n"));
    ASSERT_TRUE(client.SendRaw("$PMID,1,2*00\r\n$AIAIQ\r\n,,,,\r\n*\r\n\r\n"));
    ASSERT_TRUE(client.Send(kProbe));
    EXPECT_FALSE(client.CollectUntil(kEnd, 5s).empty());
    EXPECT_FALSE(sim.WaitExit(100ms).has_value());
}

TEST(SimulatorProcessTest, StreamsTheChosenReceiverAndFleet) {
    struct Case {
        const char* Form;
        const char* Expected[3];  // sentences that must come
        const char* Absent;       // and one that must not
    };
    const Case cases[] = {
        {"modern", {"$GNGSA", "$GAGSV", "$GNGNS"}, "$GPRMC"},
        {"legacy", {"$GPRMC", "$GPVTG", "$GPGSV"}, "$GPGBS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Form);
        SimulatorOptions options;
        options.ExtraArgs = {"--gnss", c.Form, "--targets", "40"};
        START_SIMULATOR(sim, options);
        PtyClient client;
        ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));
        const std::vector<std::string> lines = client.ReadFor(2500ms);
        for (const char* head : c.Expected) {
            EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [head](const std::string& l) {
                return StartsWith(l, head);
            })) << head;
        }
        EXPECT_TRUE(std::none_of(lines.begin(), lines.end(),
                                 [&c](const std::string& l) { return StartsWith(l, c.Absent); }));
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [](const std::string& l) { return StartsWith(l, "!AIVDM"); }));
        for (const std::string& line : lines) {
            EXPECT_TRUE(Framed(line)) << line;
            EXPECT_LE(line.size() + 2, 82u) << line;
        }
    }
}

// Another maker's unit: the standard sentences only, the probe unanswered,
// writes kept in the state file, alarms and status in the stream.
TEST(SimulatorProcessTest, StandardMakerSpeaksOnlyTheStandardSentences) {
    // The state file lives in another fixture's directory.
    SimulatorOptions holder_options;
    holder_options.NoStream = true;
    START_SIMULATOR(holder, holder_options);
    SimulatorOptions options;
    options.StatePath = holder.Directory() + "/standard.json";
    options.ExtraArgs = {"--maker", "standard", "--alarm", "002@0s"};
    START_SIMULATOR(sim, options);
    PtyClient client;
    ASSERT_TRUE(client.Open(sim.DevicePath(), 115200));

    ASSERT_TRUE(client.Send(kProbe));
    ASSERT_TRUE(client.Send("$ECAIQ,VER"));
    const auto ver =
        client.WaitForLine([](const std::string& l) { return StartsWith(l, "$AIVER"); }, 5s);
    ASSERT_TRUE(ver.has_value());
    EXPECT_TRUE(StartsWith(*ver, "$AIVER,1,1,AI,SIM,")) << *ver;

    ASSERT_TRUE(client.Send("$ECSSD,STD1,STANDARD NAME,,,,,,AI"));
    ASSERT_TRUE(client.Send("$ECAIQ,SSD"));
    const auto ssd =
        client.WaitForLine([](const std::string& l) { return StartsWith(l, "$AISSD"); }, 5s);
    ASSERT_TRUE(ssd.has_value());
    EXPECT_EQ(*ssd, Bare("$AISSD,STD1,STANDARD NAME,62,38,9,11,0,AI"));

    ASSERT_TRUE(client.Send("$ECAIQ,MID"));
    const auto nak =
        client.WaitForLine([](const std::string& l) { return StartsWith(l, "$AINAK"); }, 5s);
    ASSERT_TRUE(nak.has_value());
    EXPECT_TRUE(StartsWith(*nak, "$AINAK,EC,MID,")) << *nak;

    // Two seconds of stream: own reports, the raised alarm and the status,
    // and never the dump.
    const std::vector<std::string> lines = client.ReadFor(2500ms);
    auto any = [&lines](const char* head) {
        return std::any_of(lines.begin(), lines.end(),
                           [head](const std::string& l) { return StartsWith(l, head); });
    };
    EXPECT_TRUE(any("!AIVDO,1,1"));
    EXPECT_TRUE(any("$GPRMC"));
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find("DEVICE DATA") != std::string::npos;
    }));
    // The alarm raised from the start, not yet acknowledged.
    ASSERT_TRUE(client.Send("$ECAIQ,ALR"));
    const auto alr =
        client.WaitForLine([](const std::string& l) { return StartsWith(l, "$AIALR"); }, 5s);
    ASSERT_TRUE(alr.has_value());
    EXPECT_NE(alr->find(",002,A,V,AIS: ANTENNA VSWR EXCEEDS LIMIT*"), std::string::npos) << *alr;
    EXPECT_TRUE(sim.WaitForRecorded(Bare(kProbe)));
    EXPECT_EQ(sim.Stop(), 0);
    navoro::sim::DeviceState saved;
    bool missing = true;
    ASSERT_EQ(navoro::sim::LoadStateFile(options.StatePath, saved, missing), "");
    EXPECT_FALSE(missing);
    EXPECT_EQ(saved.Name, "STANDARD NAME");
    EXPECT_EQ(saved.CallSign, "STD1");
}

}  // namespace
}  // namespace navoro::test
